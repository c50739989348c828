// Reading the devices CSV: the byte-order mark, CRLF, quoting, extra and
// missing columns, GBK, and lines that cannot be a row.
#include <gtest/gtest.h>

#include <sstream>

#include "device_csv.h"

namespace {

using namespace std::string_literals;

const std::string kHeader = "name,type,server,port,user,password,dir\n";

struct Read {
    std::vector<DeviceRow> aRows;
    std::vector<CsvProblem> aProblems;
    bool bHeader;
};

Read ReadAll(const std::string& strCsv, CsvEncoding eEncoding = CSV_UTF8)
{
    std::istringstream in(strCsv);
    DeviceCsvReader reader(in, eEncoding);
    Read r;
    CsvProblem sProblem;
    r.bHeader = reader.ReadHeader(&sProblem);
    if (!r.bHeader) {
        r.aProblems.push_back(sProblem);
        return r;
    }
    DeviceRow sRow;
    for (CsvRead e; (e = reader.ReadRow(&sRow, &sProblem)) != CSV_END;) {
        if (e == CSV_ROW)
            r.aRows.push_back(sRow);
        else
            r.aProblems.push_back(sProblem);
    }
    return r;
}

TEST(CsvTest, ReadsPlainRowsWithTheirLineNumbers)
{
    Read r = ReadAll(kHeader + "cam1,ftp,10.0.0.1,21,u1,p1,/a\n\ncam2,sftp,10.0.0.2,22,u2,p2,\n");
    ASSERT_TRUE(r.aProblems.empty());
    ASSERT_EQ(r.aRows.size(), 2u);
    EXPECT_EQ(r.aRows[0].uLine, 2u);
    EXPECT_EQ(r.aRows[0].strName, "cam1");
    EXPECT_EQ(r.aRows[0].strDir, "/a");
    EXPECT_EQ(r.aRows[1].uLine, 4u); // the empty line counts
    EXPECT_EQ(r.aRows[1].strPort, "22");
    EXPECT_EQ(r.aRows[1].strDir, "");
}

TEST(CsvTest, TakesAByteOrderMarkAndCrlf)
{
    Read r = ReadAll("\xEF\xBB\xBFname,type,server,port,user,password,dir\r\ncam1,ftp,s,21,u,p,/d\r\n");
    ASSERT_TRUE(r.aProblems.empty()) << r.aProblems[0].strMessage;
    ASSERT_EQ(r.aRows.size(), 1u);
    EXPECT_EQ(r.aRows[0].strName, "cam1");
    EXPECT_EQ(r.aRows[0].strDir, "/d"); // no '\r' left on the last field
}

TEST(CsvTest, ReadsTheLastLineWithoutALineEnd)
{
    Read r = ReadAll(kHeader + "cam1,ftp,s,21,u,p,/d");
    ASSERT_EQ(r.aRows.size(), 1u);
    EXPECT_EQ(r.aRows[0].strDir, "/d");
}

TEST(CsvTest, UnquotesFieldsWithCommasQuotesAndSpaces)
{
    Read r = ReadAll(kHeader + "\"cam, north\",ftp,s,21,\"u\"\"x\",\" pass, word \",\"/a,b\"\n");
    ASSERT_TRUE(r.aProblems.empty()) << r.aProblems[0].strMessage;
    ASSERT_EQ(r.aRows.size(), 1u);
    EXPECT_EQ(r.aRows[0].strName, "cam, north");
    EXPECT_EQ(r.aRows[0].strUser, "u\"x");
    EXPECT_EQ(r.aRows[0].strPassword, " pass, word ");
    EXPECT_EQ(r.aRows[0].strDir, "/a,b");
}

TEST(CsvTest, IgnoresExtraColumnsAndTakesAnyColumnOrder)
{
    Read r = ReadAll("site,dir,password,user,port,server,type,name,notes\n"
                     "north,/d,p,u,21,s,ftp,cam1,\"roof, left\"\n");
    ASSERT_TRUE(r.aProblems.empty()) << r.aProblems[0].strMessage;
    ASSERT_EQ(r.aRows.size(), 1u);
    EXPECT_EQ(r.aRows[0].strName, "cam1");
    EXPECT_EQ(r.aRows[0].strServer, "s");
    EXPECT_EQ(r.aRows[0].strDir, "/d");
}

TEST(CsvTest, AHeaderWithoutAColumnNamesIt)
{
    Read r = ReadAll("name,type,server,user,password,dir\ncam1,ftp,s,u,p,/d\n");
    EXPECT_FALSE(r.bHeader);
    ASSERT_EQ(r.aProblems.size(), 1u);
    EXPECT_EQ(r.aProblems[0].uLine, 1u);
    EXPECT_EQ(r.aProblems[0].strColumn, "port");
}

TEST(CsvTest, AnEmptyFileHasNoHeader)
{
    EXPECT_FALSE(ReadAll("").bHeader);
    EXPECT_FALSE(ReadAll("name,name,type,server,port,user,password,dir\n").bHeader); // named twice
}

TEST(CsvTest, ReportsBadLinesAndReadsOn)
{
    Read r = ReadAll(kHeader
                     + "cam1,ftp,s,21\n"               // line 2: too few
                       "cam2,ftp,s,21,u,p,/d,extra\n"  // line 3: too many
                       "cam3,ftp,\"s,21,u,p,/d\n"      // line 4: quote not closed
                       "cam4,ftp,s,21,u,p,/d\n"
                       "cam5,ftp,s,21,u,\xFFp,/d\n"    // line 6: not UTF-8
                     + "cam6,ftp,s,21,u,p\0q,/d\n"s); // line 7: NUL byte
    ASSERT_EQ(r.aRows.size(), 1u);
    EXPECT_EQ(r.aRows[0].strName, "cam4");
    ASSERT_EQ(r.aProblems.size(), 5u);
    EXPECT_EQ(r.aProblems[0].uLine, 2u);
    EXPECT_EQ(r.aProblems[0].strColumn, "user");
    EXPECT_EQ(r.aProblems[1].uLine, 3u);
    EXPECT_EQ(r.aProblems[2].uLine, 4u);
    EXPECT_EQ(r.aProblems[3].uLine, 6u);
    EXPECT_EQ(r.aProblems[3].strColumn, "password");
    EXPECT_EQ(r.aProblems[4].uLine, 7u);
}

TEST(CsvTest, AnOverlongLineIsOneBadRow)
{
    Read r = ReadAll(kHeader + "cam1,ftp,s,21,u," + std::string(CSV_MAX_LINE, 'p') + ",/d\ncam2,ftp,s,21,u,p,/d\n");
    ASSERT_EQ(r.aProblems.size(), 1u);
    EXPECT_EQ(r.aProblems[0].uLine, 2u);
    ASSERT_EQ(r.aRows.size(), 1u);
    EXPECT_EQ(r.aRows[0].strName, "cam2");
}

TEST(CsvTest, ConvertsGbkToUtf8)
{
    // "摄像机" and "中文" in GBK.
    Read r = ReadAll(kHeader + "\xC9\xE3\xCF\xF1\xBB\xFA,ftp,s,21,\xD6\xD0\xCE\xC4,p,/d\n", CSV_GBK);
    ASSERT_TRUE(r.aProblems.empty()) << r.aProblems[0].strMessage;
    ASSERT_EQ(r.aRows.size(), 1u);
    EXPECT_EQ(r.aRows[0].strName, "摄像机");
    EXPECT_EQ(r.aRows[0].strUser, "中文");

    Read rBad = ReadAll(kHeader + "cam,ftp,s,21,\xD6,p,/d\n", CSV_GBK);
    ASSERT_EQ(rBad.aProblems.size(), 1u);
    EXPECT_EQ(rBad.aProblems[0].strColumn, "user");
}

} // namespace
