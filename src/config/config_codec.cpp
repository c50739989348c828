// Byte scrambling of the configuration file. The order of the two steps is
// part of the file format: encoding masks first, decoding rotates first.
#include "config_codec.h"

namespace {

uint8_t RotateRight2(uint8_t byValue)
{
    return static_cast<uint8_t>((byValue >> 2) | (byValue << 6));
}

uint8_t RotateLeft2(uint8_t byValue)
{
    return static_cast<uint8_t>((byValue << 2) | (byValue >> 6));
}

} // namespace

void EncodeConfig(void* pData, int32_t iLength)
{
    uint8_t* pBytes = static_cast<uint8_t*>(pData);
    for (int32_t i = 0; i < iLength; ++i)
        pBytes[i] = RotateRight2(static_cast<uint8_t>(pBytes[i] ^ CONFIG_XOR_MASK));
}

void DecodeConfig(void* pData, int32_t iLength)
{
    uint8_t* pBytes = static_cast<uint8_t*>(pData);
    for (int32_t i = 0; i < iLength; ++i)
        pBytes[i] = static_cast<uint8_t>(RotateLeft2(pBytes[i]) ^ CONFIG_XOR_MASK);
}
