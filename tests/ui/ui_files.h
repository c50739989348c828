// Configuration files for the dialog tests: plain records, written and read
// in the scrambled form the program uses.
#pragma once

#include <cstdint>
#include <cstring>
#include <filesystem>
#include <string>
#include <vector>

#include "config_codec.h"
#include "factory_config.h"
#include "temp_folder.h"

namespace uitest {

inline std::filesystem::path ConfigFileIn(const std::filesystem::path& folder)
{
    return folder / "CFG_FTP.bin";
}

inline std::vector<uint8_t> PlainBytes(const FactoryConfig& sConfig)
{
    const uint8_t* pBytes = reinterpret_cast<const uint8_t*>(&sConfig);
    return std::vector<uint8_t>(pBytes, pBytes + sizeof sConfig);
}

inline void WritePlainConfig(const std::filesystem::path& folder, const FactoryConfig& sConfig)
{
    std::vector<uint8_t> aby = PlainBytes(sConfig);
    EncodeConfig(aby.data(), static_cast<int32_t>(aby.size()));
    testsupport::WriteBytes(ConfigFileIn(folder), aby);
}

// The unscrambled content of the folder's file; empty if there is none.
inline std::vector<uint8_t> ReadPlainConfig(const std::filesystem::path& folder)
{
    std::vector<uint8_t> aby = testsupport::ReadBytes(ConfigFileIn(folder));
    DecodeConfig(aby.data(), static_cast<int32_t>(aby.size()));
    return aby;
}

// Copies bytes into a field without a terminating NUL of their own.
template <size_t N>
void PutBytes(char (&field)[N], const std::string& strBytes, size_t uOffset = 0)
{
    std::memcpy(field + uOffset, strBytes.data(), strBytes.size());
}

// Stores a text with its NUL, as the program does: the tail stays.
template <size_t N>
void PutText(char (&field)[N], const std::string& strText)
{
    std::memcpy(field, strText.c_str(), strText.size() + 1);
}

} // namespace uitest

namespace uitest {

// The folder's file as a record; a record of 0xEE bytes if it is missing or
// not exactly one record long (no field of a real file looks like that).
inline FactoryConfig ReadRecord(const std::filesystem::path& folder)
{
    FactoryConfig sConfig;
    std::memset(&sConfig, 0xEE, sizeof sConfig);
    std::vector<uint8_t> aby = ReadPlainConfig(folder);
    if (aby.size() == sizeof sConfig)
        std::memcpy(&sConfig, aby.data(), sizeof sConfig);
    return sConfig;
}

} // namespace uitest
