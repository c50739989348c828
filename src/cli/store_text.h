// Short English explanations of the core's store results, for messages.
#pragma once

#include "config_store.h"

inline const char* StoreStatusText(StoreStatus eStatus)
{
    switch (eStatus) {
    case STORE_OK: return "written";
    case STORE_BAD_SIZE: return "the file is missing or not 308 bytes";
    case STORE_OPEN_FAILED: return "the file could not be created";
    case STORE_READ_FAILED: return "the file could not be read in full";
    case STORE_WRITE_FAILED: return "writing the file failed";
    case STORE_REPLACE_FAILED: return "the new file could not replace the old one";
    }
    return "unknown failure";
}
