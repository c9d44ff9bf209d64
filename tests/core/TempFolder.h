// A fresh folder under the system's temporary folder, removed with everything in it at the end of a test.
#pragma once

#include <atomic>
#include <filesystem>
#include <string>
#include <system_error>

#ifdef _WIN32
#include <process.h>
#define VX_GETPID _getpid
#else
#include <unistd.h>
#define VX_GETPID getpid
#endif

class TempFolder
{
public:
    TempFolder()
    {
        static std::atomic<int> counter{0};
        std::filesystem::path base = std::filesystem::temp_directory_path();
        m_path = base / ("vexul-core-" + std::to_string(VX_GETPID()) + "-" + std::to_string(++counter));
        std::error_code ec;
        std::filesystem::remove_all(m_path, ec);
        std::filesystem::create_directories(m_path);
    }
    ~TempFolder()
    {
        std::error_code ec;
        std::filesystem::remove_all(m_path, ec);
    }
    TempFolder(const TempFolder&) = delete;
    TempFolder& operator=(const TempFolder&) = delete;

    // The path of a file in the folder, with the platform's separator.
    std::string File(const std::string& name) const { return (m_path / name).string(); }

private:
    std::filesystem::path m_path;
};
