// Port text rules of the Generate command, apart for the tests.
#pragma once

#include <cstdint>

// The decimal value of a port text: leading blanks, an optional sign, then
// digits up to the first other character; no digits give 0.
int32_t PortNumberFromText(const char* szPort);
