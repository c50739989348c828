// Batches: every row checked before anything is written, one folder per row,
// and a clear account when a write fails half-way.
#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>
#include <sstream>

#include "batch.h"
#include "cli_support.h"
#include "config_store.h"
#include "temp_folder.h"

namespace {

namespace fs = std::filesystem;

const std::string kHeader = "name,type,server,port,user,password,dir\n";

std::string GoodRow(int i)
{
    return "cam" + std::to_string(i) + ",ftp,10.0.0." + std::to_string(i) + ",21,user" + std::to_string(i)
           + ",pw" + std::to_string(i) + ",/up" + std::to_string(i) + "\n";
}

class BatchTest : public ::testing::Test {
protected:
    void WriteCsv(const std::string& strCsv)
    {
        std::ofstream(m_csv, std::ios::binary) << strCsv;
    }
    int Batch(CsvEncoding eEncoding = CSV_UTF8)
    {
        BatchOptions o;
        o.strCsvPath = m_csv.string();
        o.strOutDir = m_out.string();
        o.eEncoding = eEncoding;
        std::ostringstream out, err;
        int iCode = RunBatch(o, out, err);
        m_strOut = out.str();
        m_strErr = err.str();
        return iCode;
    }
    size_t FoldersWritten() const
    {
        if (!fs::exists(m_out))
            return 0;
        return static_cast<size_t>(std::distance(fs::directory_iterator(m_out), fs::directory_iterator()));
    }
    FactoryConfig Written(const std::string& strName) const
    {
        return clitest::RecordOf(testsupport::ReadBytes(m_out / strName / CONFIG_FILE_NAME));
    }

    testsupport::TempFolder m_temp;
    fs::path m_csv = m_temp.Path() / "devices.csv";
    fs::path m_out = m_temp.Path() / "out";
    std::string m_strOut, m_strErr;
};

TEST_F(BatchTest, WritesOneFolderPerRow)
{
    WriteCsv(kHeader + GoodRow(1) + GoodRow(2) + "cam3,SFTP,host,22,u,p,\n");
    ASSERT_EQ(Batch(), 0) << m_strErr;
    EXPECT_EQ(FoldersWritten(), 3u);
    FactoryConfig s1 = Written("cam1");
    EXPECT_EQ(s1.bySelectBy, SELECT_FTP);
    EXPECT_EQ(FieldText(s1.szDebugUrl), "10.0.0.1");
    EXPECT_EQ(FieldText(s1.szFtpServer), "10.0.0.1");
    EXPECT_EQ(FieldText(s1.szFtpUser), "user1");
    EXPECT_EQ(FieldText(s1.szFtpPassword), "pw1");
    EXPECT_EQ(s1.iFtpDirMode, FTP_DIR_SPECIFY);
    EXPECT_EQ(FieldText(s1.szFtpDir), "/up1");
    FactoryConfig s3 = Written("cam3");
    EXPECT_EQ(s3.bySelectBy, SELECT_SFTP);
    EXPECT_EQ(s3.uwDebugPort, 22);
    EXPECT_EQ(s3.iFtpDirMode, FTP_DIR_ROOT); // an empty dir is the root
    EXPECT_EQ(FieldText(s3.szFtpDir), "/");
    EXPECT_NE(m_strOut.find("Wrote 3 configuration folders"), std::string::npos);
}

// Where in the file the one bad row stands.
class BadRowTest : public BatchTest, public ::testing::WithParamInterface<int> {};

TEST_P(BadRowTest, WritesNothing)
{
    std::string strCsv = kHeader;
    for (int i = 0; i < 5; ++i)
        strCsv += (i == GetParam()) ? "cam" + std::to_string(i) + ",ftp,s,65536,u,p,/d\n" : GoodRow(i);
    WriteCsv(strCsv);
    EXPECT_EQ(Batch(), 2);
    EXPECT_EQ(FoldersWritten(), 0u);
    std::string strWhere = "devices.csv:" + std::to_string(GetParam() + 2) + ": column 'port': ";
    EXPECT_NE(m_strErr.find(strWhere + "Port cannot be greater than 65535."), std::string::npos) << m_strErr;
    EXPECT_NE(m_strErr.find("nothing written"), std::string::npos);
}

INSTANTIATE_TEST_SUITE_P(Positions, BadRowTest, ::testing::Values(0, 2, 4),
                         [](const ::testing::TestParamInfo<int>& info) {
                             return info.param == 0 ? "First" : info.param == 2 ? "Middle" : "Last";
                         });

TEST_F(BatchTest, ReportsEveryBadRowWithLineAndColumn)
{
    WriteCsv(kHeader + GoodRow(1) + "../evil,ftp,s,21,u,p,/d\n" + "cam3,ftp,,21,u,p,/d\n" + GoodRow(4)
             + "CAM1,ftp,s,21,u,p,/d\n" + "cam6,ftp,s,21,u\n" + "cam4,ftp,s,21,u,p,/d\n");
    EXPECT_EQ(Batch(), 2);
    EXPECT_EQ(FoldersWritten(), 0u);
    for (const char* szExpected :
         {"devices.csv:3: column 'name': the name contains a path separator",
          "devices.csv:4: column 'server': Please enter FTP server.",
          "devices.csv:6: column 'name': the folder name 'CAM1' is used already on line 2",
          "devices.csv:7: column 'password': the line has fewer fields than the header",
          "devices.csv:8: column 'name': the folder name 'cam4' is used already on line 5"})
        EXPECT_NE(m_strErr.find(szExpected), std::string::npos) << szExpected << "\n" << m_strErr;
}

TEST_F(BatchTest, AHeaderOnlyFileIsRefused)
{
    WriteCsv(kHeader);
    EXPECT_EQ(Batch(), 2);
    EXPECT_EQ(FoldersWritten(), 0u);
}

TEST_F(BatchTest, ReadsGbk)
{
    WriteCsv(kHeader + "cam1,ftp,s,21,\xD6\xD0\xCE\xC4,p,/\xD6\xD0\n");
    ASSERT_EQ(Batch(CSV_GBK), 0) << m_strErr;
    FactoryConfig s = Written("cam1");
    EXPECT_EQ(FieldText(s.szFtpUser), "\xD6\xD0\xCE\xC4"); // code page 936 in the file
    EXPECT_EQ(FieldText(s.szFtpDir), "/\xD6\xD0");
}

TEST_F(BatchTest, MeasuresTextsInTheCodepagesBytes)
{
    std::string strUser;
    for (int i = 0; i < 25; ++i)
        strUser += "中"; // 25 characters, 50 bytes
    WriteCsv(kHeader + "cam1,ftp,s,21," + strUser + ",p,/d\n");
    EXPECT_EQ(Batch(), 2);
    EXPECT_NE(m_strErr.find("FTP user is too long: 50 bytes in code page 936, at most 48."), std::string::npos)
        << m_strErr;
}

TEST_F(BatchTest, KeepsWhatAnExistingFileCarries)
{
    FactoryConfig sOld = clitest::GoodRecord();
    sOld.byReserved1 = 7;
    sOld.byUrl1Enable = 1;
    clitest::SetText(sOld.szUrl1, "spare.example.com");
    fs::create_directories(m_out / "cam1");
    testsupport::WriteBytes(m_out / "cam1" / CONFIG_FILE_NAME, clitest::ImageOf(sOld));
    WriteCsv(kHeader + GoodRow(1));
    ASSERT_EQ(Batch(), 0) << m_strErr;
    FactoryConfig s = Written("cam1");
    EXPECT_EQ(s.byReserved1, 7);
    EXPECT_EQ(s.byUrl1Enable, 1);
    EXPECT_EQ(FieldText(s.szUrl1), "spare.example.com");
    EXPECT_EQ(FieldText(s.szFtpUser), "user1");
}

TEST_F(BatchTest, AFailedWriteStopsAndSaysWhatWasWritten)
{
    // A file where the third row's folder should go: its folder cannot be made.
    fs::create_directories(m_out);
    std::ofstream(m_out / "cam3") << "in the way";
    WriteCsv(kHeader + GoodRow(1) + GoodRow(2) + GoodRow(3) + GoodRow(4));
    EXPECT_EQ(Batch(), 2);
    EXPECT_TRUE(fs::exists(m_out / "cam1" / CONFIG_FILE_NAME));
    EXPECT_TRUE(fs::exists(m_out / "cam2" / CONFIG_FILE_NAME));
    EXPECT_FALSE(fs::exists(m_out / "cam4"));
    EXPECT_NE(m_strErr.find("devices.csv:4: cannot create the folder"), std::string::npos) << m_strErr;
    EXPECT_NE(m_strErr.find("2 of 4 folders written (the rows on lines 2 to 3)"), std::string::npos) << m_strErr;
}

TEST_F(BatchTest, DrawsAProgressBarOnlyWhenAskedTo)
{
    WriteCsv(kHeader + GoodRow(1) + GoodRow(2));
    BatchOptions o;
    o.strCsvPath = m_csv.string();
    o.strOutDir = m_out.string();
    o.bProgress = true;
    std::ostringstream out, err;
    ASSERT_EQ(RunBatch(o, out, err), 0) << err.str();
    EXPECT_NE(err.str().find("\r[####################--------------------] 50% 1/2"),
              std::string::npos)
        << err.str();
    EXPECT_NE(err.str().find("] 100% 2/2\n"), std::string::npos);
    EXPECT_EQ(Batch(), 0); // the same rows again, without: nothing on err
    EXPECT_EQ(m_strErr, "");
}

TEST(CheckDevicesTest, CountsGoodRowsOfAStream)
{
    std::istringstream in(kHeader + GoodRow(1) + GoodRow(2));
    std::ostringstream err;
    EXPECT_EQ(CheckDevices(in, CSV_UTF8, 936, "s.csv", err), 2);
    EXPECT_EQ(err.str(), "");
}

} // namespace
