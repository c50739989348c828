// A fresh, empty folder for one test, removed with everything in it afterwards.
#pragma once

#include <atomic>
#include <chrono>
#include <cstdint>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <random>
#include <string>
#include <vector>

namespace testsupport {

class TempFolder {
public:
    TempFolder()
    {
        // Several test processes run at once and Wine's clock is coarse, so
        // the name takes a random part too, and a taken name is never reused.
        static std::atomic<unsigned> uCounter{0};
        static std::random_device rd;
        for (;;) {
            auto llTicks = std::chrono::steady_clock::now().time_since_epoch().count();
            m_path = std::filesystem::temp_directory_path()
                     / ("ftpconfig-test-" + std::to_string(llTicks) + "-" + std::to_string(rd())
                        + "-" + std::to_string(uCounter++));
            if (std::filesystem::create_directory(m_path))
                break;
        }
    }
    ~TempFolder()
    {
        std::error_code ec;
        std::filesystem::remove_all(m_path, ec);
    }
    TempFolder(const TempFolder&) = delete;
    TempFolder& operator=(const TempFolder&) = delete;

    const std::filesystem::path& Path() const { return m_path; }
    std::string String() const { return m_path.string(); }

private:
    std::filesystem::path m_path;
};

inline void WriteBytes(const std::filesystem::path& path, const std::vector<uint8_t>& aby)
{
    std::ofstream out(path, std::ios::binary | std::ios::trunc);
    out.write(reinterpret_cast<const char*>(aby.data()), static_cast<std::streamsize>(aby.size()));
}

inline std::vector<uint8_t> ReadBytes(const std::filesystem::path& path)
{
    std::ifstream in(path, std::ios::binary);
    return std::vector<uint8_t>(std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>());
}

} // namespace testsupport
