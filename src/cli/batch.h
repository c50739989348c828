// "ftpcfg batch": one configuration folder per CSV row, all or nothing.
#pragma once

#include <ostream>
#include <string>

#include "device_csv.h"

struct BatchOptions {
    std::string strCsvPath;   // native path
    std::string strOutDir;    // native path; created if missing
    CsvEncoding eEncoding = CSV_UTF8;
    unsigned uCodepage = 936; // of the record texts
    bool bProgress = false;   // draw a progress bar on err while writing
};

// Checks every row (first pass, streaming), then writes every folder (second
// pass). Problems and progress go to err, the summary to out. Returns the exit
// code: 0 written, 2 bad input (nothing written) or failed write (what was
// written is reported).
int RunBatch(const BatchOptions& sOptions, std::ostream& out, std::ostream& err);

// The first pass alone over a stream, for tests and fuzzing: reports every
// problem to err and returns the number of good rows, or -1 if any row (or
// the header) is bad.
long long CheckDevices(std::istream& in, CsvEncoding eEncoding, unsigned uCodepage,
                       const std::string& strSourceName, std::ostream& err);
