// Byte scrambling of the configuration file: every byte masked, then rotated.
#pragma once

#include <cstdint>

enum { CONFIG_XOR_MASK = 0x6D };

// Scrambles iLength bytes in place: XOR with the mask, then rotate right by 2.
// A length of 0 or less does nothing.
void EncodeConfig(void* pData, int32_t iLength);

// Undoes EncodeConfig in place: rotate left by 2, then XOR with the mask.
void DecodeConfig(void* pData, int32_t iLength);
