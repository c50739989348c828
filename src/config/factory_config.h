// The camera's upload configuration record: one fixed 308-byte layout that is
// both the in-memory record and, before scrambling, the file "CFG_FTP.bin".
#pragma once

#include <cstddef>
#include <cstdint>
#include <string>

enum { CONFIG_RECORD_SIZE = 308 };

// Item indices of the transfer-type combo box, stored in bySelectBy.
enum { SELECT_SFTP = 0, SELECT_FTP = 1 };

// Item indices of the directory-mode combo box, stored in iFtpDirMode.
enum { FTP_DIR_ROOT = 0, FTP_DIR_SPECIFY = 1 };

enum { CONFIG_DEFAULT_PORT = 21 };

struct FactoryConfig {
    uint8_t  bySelectBy;
    uint8_t  byReserved1;
    uint16_t uwDebugPort;
    char     szDebugUrl[61];
    uint8_t  byUrl1Enable;
    char     szUrl1[62];
    int32_t  iFtpDirMode;
    char     szFtpDir[32];
    uint8_t  byReserved2;
    char     szFtpServer[61];
    char     szFtpUser[49];
    char     szFtpPassword[33];
};

// The structure's memory image is the file layout; these pin it down.
static_assert(sizeof(FactoryConfig) == CONFIG_RECORD_SIZE, "record size");
static_assert(offsetof(FactoryConfig, bySelectBy) == 0, "bySelectBy");
static_assert(offsetof(FactoryConfig, byReserved1) == 1, "byReserved1");
static_assert(offsetof(FactoryConfig, uwDebugPort) == 2, "uwDebugPort");
static_assert(offsetof(FactoryConfig, szDebugUrl) == 4, "szDebugUrl");
static_assert(offsetof(FactoryConfig, byUrl1Enable) == 65, "byUrl1Enable");
static_assert(offsetof(FactoryConfig, szUrl1) == 66, "szUrl1");
static_assert(offsetof(FactoryConfig, iFtpDirMode) == 128, "iFtpDirMode");
static_assert(offsetof(FactoryConfig, szFtpDir) == 132, "szFtpDir");
static_assert(offsetof(FactoryConfig, byReserved2) == 164, "byReserved2");
static_assert(offsetof(FactoryConfig, szFtpServer) == 165, "szFtpServer");
static_assert(offsetof(FactoryConfig, szFtpUser) == 226, "szFtpUser");
static_assert(offsetof(FactoryConfig, szFtpPassword) == 275, "szFtpPassword");

#if defined(__BYTE_ORDER__) && defined(__ORDER_LITTLE_ENDIAN__)
static_assert(__BYTE_ORDER__ == __ORDER_LITTLE_ENDIAN__,
              "the record's memory image is the little-endian file layout");
#else
#error "cannot tell the byte order of this target"
#endif

// The process-wide record. Starts fresh: all zero but the port, 21.
extern FactoryConfig g_sFactoryConfig;

// A record with the fresh values, for callers that need one of their own.
FactoryConfig MakeFreshConfig();

// The text of a field: its bytes up to the first NUL, but never more than the
// field's width, so that a loaded field without a NUL is not read past its end.
std::string BoundedText(const char* pField, size_t uWidth);

template <size_t N>
std::string FieldText(const char (&field)[N])
{
    return BoundedText(field, N);
}

// True when the field holds a NUL within its width.
bool IsFieldTerminated(const char* pField, size_t uWidth);

template <size_t N>
bool FieldIsTerminated(const char (&field)[N])
{
    return IsFieldTerminated(field, N);
}
