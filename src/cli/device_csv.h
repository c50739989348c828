// Streaming reader of a devices CSV (name,type,server,port,user,password,dir;
// other columns ignored). One row in memory at a time. Handles a UTF-8 byte
// order mark, CRLF line ends and quoted fields (with commas and "" inside);
// a quoted field cannot span lines.
#pragma once

#include <cstdint>
#include <istream>
#include <string>
#include <vector>

enum CsvEncoding { CSV_UTF8, CSV_GBK };

struct DeviceRow {
    uint64_t uLine = 0; // 1-based line number in the file
    std::string strName, strType, strServer, strPort, strUser, strPassword, strDir; // UTF-8
};

struct CsvProblem {
    uint64_t uLine = 0;
    std::string strColumn; // the column concerned, empty for the line as a whole
    std::string strMessage;
};

enum CsvRead { CSV_ROW, CSV_BAD_ROW, CSV_END };

class DeviceCsvReader {
public:
    DeviceCsvReader(std::istream& in, CsvEncoding eEncoding);

    // Reads the header line. False, *pProblem filled, when it is missing or
    // lacks one of the seven columns (or names one twice).
    bool ReadHeader(CsvProblem* pProblem);

    // Reads the next non-empty row into *pRow (CSV_ROW), or reports why the
    // line cannot be read as one (CSV_BAD_ROW, *pProblem filled; reading can
    // go on), or CSV_END.
    CsvRead ReadRow(DeviceRow* pRow, CsvProblem* pProblem);

private:
    bool NextLine(); // false at the end; sets m_bLineTooLong
    std::istream& m_in;
    CsvEncoding m_eEncoding;
    std::string m_strLine;
    uint64_t m_uLine = 0;
    bool m_bLineTooLong = false;
    std::vector<int> m_aiColumnOrder; // per line column: which of the seven, or -1
};

// Longest line the reader takes, in bytes; a longer line is a bad row.
enum { CSV_MAX_LINE = 64 * 1024 };
