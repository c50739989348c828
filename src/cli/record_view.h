// Reading a configuration image and rendering every field of it for people
// (text) and for programs (JSON, schema "ftpcfg-show" version 1).
#pragma once

#include <cstddef>
#include <string>

#include "factory_config.h"

// Unscrambles a file image into *pConfig. False, *pConfig untouched, unless
// uSize is exactly CONFIG_RECORD_SIZE.
bool DecodeImage(const void* pData, size_t uSize, FactoryConfig* pConfig);

// Every field with its offset, texts converted from uCodepage (undecodable
// bytes as \xNN), bytes behind a NUL where they are not zero, unterminated
// fields flagged. strSource names the file in the heading.
std::string RenderConfigText(const FactoryConfig& sConfig, unsigned uCodepage,
                             const std::string& strSource);

// The same as one JSON object (pretty-printed, ends with a newline).
std::string RenderConfigJson(const FactoryConfig& sConfig, unsigned uCodepage,
                             const std::string& strSource);
