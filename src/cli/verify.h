// The checks of "ftpcfg verify": does an image hold what the dialog writes?
#pragma once

#include <cstddef>
#include <string>
#include <vector>

#include "factory_config.h"

struct Finding {
    int iOffset;            // offset of the field concerned, -1 for the file as a whole
    std::string strField;   // field name, or "file"
    std::string strMessage; // one line, English
};

// Findings for a decoded record, in field order; empty when the record is
// what the dialog would write.
std::vector<Finding> VerifyConfig(const FactoryConfig& sConfig);

// Findings for a scrambled file image of any size (a wrong size is a finding).
std::vector<Finding> VerifyImage(const void* pData, size_t uSize);

// The findings as an aligned table, one line per finding.
std::string RenderFindings(const std::vector<Finding>& aFindings);
