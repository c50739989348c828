// The devices CSV reader. Lines are read here, bounded, so memory stays the
// same however long the file; fast-cpp-csv-parser splits each line into
// fields (quotes, "" escapes) and matches the header's column names.
#include "device_csv.h"

#include <limits> // csv.h uses std::numeric_limits without including it
#define CSV_IO_NO_THREAD
#include <libfccp/csv.h>

#include "text_codec.h"

namespace {

enum { COLUMN_COUNT = 7 };
const char* const kColumnNames[COLUMN_COUNT] = {"name", "type", "server", "port", "user", "password", "dir"};

// Fields as written, no trimming: a space is part of a value (a password may
// need one); quoting works as in any spreadsheet.
using Trim = io::trim_chars<>;
using Quote = io::double_quote_escape<',', '"'>;

std::string Quoted(const std::string& str)
{
    return "'" + str + "'";
}

} // namespace

DeviceCsvReader::DeviceCsvReader(std::istream& in, CsvEncoding eEncoding)
    : m_in(in), m_eEncoding(eEncoding)
{
}

bool DeviceCsvReader::NextLine()
{
    m_strLine.clear();
    m_bLineTooLong = false;
    std::streambuf* pBuffer = m_in.rdbuf();
    if (!pBuffer)
        return false;
    int iChar = pBuffer->sbumpc();
    if (iChar == std::char_traits<char>::eof())
        return false;
    while (iChar != std::char_traits<char>::eof() && iChar != '\n') {
        if (m_strLine.size() < CSV_MAX_LINE)
            m_strLine.push_back(static_cast<char>(iChar));
        else
            m_bLineTooLong = true;
        iChar = pBuffer->sbumpc();
    }
    ++m_uLine;
    if (!m_strLine.empty() && m_strLine.back() == '\r')
        m_strLine.pop_back();
    if (m_uLine == 1 && m_eEncoding == CSV_UTF8 && m_strLine.compare(0, 3, "\xEF\xBB\xBF") == 0)
        m_strLine.erase(0, 3);
    return true;
}

bool DeviceCsvReader::ReadHeader(CsvProblem* pProblem)
{
    pProblem->strColumn.clear();
    if (!NextLine()) {
        pProblem->uLine = 1;
        pProblem->strMessage = "the file is empty; the first line must name the columns";
        return false;
    }
    pProblem->uLine = m_uLine;
    if (m_bLineTooLong) {
        pProblem->strMessage = "the header line is longer than " + std::to_string(CSV_MAX_LINE) + " bytes";
        return false;
    }
    std::string astrNames[COLUMN_COUNT];
    for (int i = 0; i < COLUMN_COUNT; ++i)
        astrNames[i] = kColumnNames[i];
    try {
        io::detail::parse_header_line<COLUMN_COUNT, Trim, Quote>(&m_strLine[0], m_aiColumnOrder, astrNames,
                                                                 io::ignore_extra_column);
    } catch (const io::error::missing_column_in_header& e) {
        pProblem->strColumn = e.column_name;
        pProblem->strMessage = "the header has no column " + Quoted(e.column_name)
                               + " (columns: name,type,server,port,user,password,dir)";
        return false;
    } catch (const io::error::duplicated_column_in_header& e) {
        pProblem->strColumn = e.column_name;
        pProblem->strMessage = "the header names column " + Quoted(e.column_name) + " twice";
        return false;
    } catch (const io::error::base&) {
        pProblem->strMessage = "the header line is not valid CSV (a quote is not closed)";
        return false;
    }
    return true;
}

CsvRead DeviceCsvReader::ReadRow(DeviceRow* pRow, CsvProblem* pProblem)
{
    do {
        if (!NextLine())
            return CSV_END;
    } while (m_strLine.empty() && !m_bLineTooLong);

    pProblem->uLine = m_uLine;
    pProblem->strColumn.clear();
    if (m_bLineTooLong) {
        pProblem->strMessage = "the line is longer than " + std::to_string(CSV_MAX_LINE) + " bytes";
        return CSV_BAD_ROW;
    }

    if (m_strLine.find('\0') != std::string::npos) {
        pProblem->strMessage = "the line contains a NUL byte";
        return CSV_BAD_ROW;
    }

    char* apField[COLUMN_COUNT] = {};
    try {
        io::detail::parse_line<Trim, Quote>(&m_strLine[0], apField, m_aiColumnOrder);
    } catch (const io::error::too_few_columns&) {
        for (int i = 0; i < COLUMN_COUNT; ++i)
            if (!apField[i]) {
                pProblem->strColumn = kColumnNames[i];
                break;
            }
        pProblem->strMessage = "the line has fewer fields than the header";
        return CSV_BAD_ROW;
    } catch (const io::error::too_many_columns&) {
        pProblem->strMessage = "the line has more fields than the header";
        return CSV_BAD_ROW;
    } catch (const io::error::base&) {
        pProblem->strMessage = "a quoted field is not closed on this line";
        return CSV_BAD_ROW;
    }

    std::string* apTarget[COLUMN_COUNT] = {&pRow->strName, &pRow->strType,     &pRow->strServer, &pRow->strPort,
                                           &pRow->strUser, &pRow->strPassword, &pRow->strDir};
    pRow->uLine = m_uLine;
    for (int i = 0; i < COLUMN_COUNT; ++i) {
        std::string strField = apField[i];
        if (m_eEncoding == CSV_GBK) {
            if (!ToUtf8(strField, CODEPAGE_GBK, apTarget[i])) {
                pProblem->strColumn = kColumnNames[i];
                pProblem->strMessage = "the field is not valid GBK text";
                return CSV_BAD_ROW;
            }
        } else {
            if (!IsValidUtf8(strField)) {
                pProblem->strColumn = kColumnNames[i];
                pProblem->strMessage = "the field is not valid UTF-8 text";
                return CSV_BAD_ROW;
            }
            *apTarget[i] = std::move(strField);
        }
    }
    return CSV_ROW;
}
