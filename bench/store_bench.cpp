// The price of the safe store: one SaveConfig plus LoadConfig, against a bare
// write and read of the same 308 bytes with plain stdio.
#include <benchmark/benchmark.h>

#include <cstdio>
#include <cstring>

#include "config_store.h"
#include "factory_config.h"
#include "temp_folder.h"

namespace {


void BM_SaveAndLoadConfig(benchmark::State& state)
{
    testsupport::TempFolder folder;
    std::strcpy(g_szSavePath, folder.String().c_str());
    std::strcpy(g_sFactoryConfig.szDebugUrl, "ftp.example.net");
    FILE* pNull = std::fopen("/dev/null", "w");
    for (auto _ : state) {
        std::string strPath = ConfigFilePath(g_szSavePath);
        if (WriteConfigFile(strPath.c_str(), &g_sFactoryConfig, pNull) != STORE_OK
            || ReadConfigFile(strPath.c_str(), &g_sFactoryConfig, pNull) != STORE_OK)
            state.SkipWithError("store failed");
    }
    std::fclose(pNull);
}
BENCHMARK(BM_SaveAndLoadConfig);

void BM_BareWriteAndRead(benchmark::State& state)
{
    testsupport::TempFolder folder;
    std::string strPath = ConfigFilePath(folder.String().c_str());
    unsigned char aby[CONFIG_RECORD_SIZE] = {};
    for (auto _ : state) {
        FILE* pFile = std::fopen(strPath.c_str(), "wb");
        std::fwrite(aby, 1, sizeof aby, pFile);
        std::fclose(pFile);
        pFile = std::fopen(strPath.c_str(), "rb");
        benchmark::DoNotOptimize(std::fread(aby, 1, sizeof aby, pFile));
        std::fclose(pFile);
    }
}
BENCHMARK(BM_BareWriteAndRead);

} // namespace
