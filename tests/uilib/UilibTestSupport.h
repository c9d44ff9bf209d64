// Helpers of the UI library's tests: system colours changed for one test, icons made in memory.
#pragma once

#include "uilib/core/GlobalData.h"

#include <string>
#include <vector>

// What a drop shadow makes of white, from the owner's edge outwards.
const COLORREF kShadowShadesOverWhite[4] = {RGB(195, 195, 195), RGB(210, 210, 210), RGB(225, 225, 225),
                                            RGB(240, 240, 240)};

// ---- the program seen as Windows 2000 ----

const char kWindows2000ChildVariable[] = "VEXUL_UILIB_W2K_CHILD";

// Whether this is the copy of the program that RunAsWindows2000 started.
inline bool IsWindows2000Child()
{
    return ::GetEnvironmentVariableA(kWindows2000ChildVariable, nullptr, 0) != 0;
}

// Runs the tests matching the filter in a copy of this program that sees Windows 2000 (the version setting
// applies to the copy's name alone); the copy's exit code, or a non-zero one when it could not run.
inline DWORD RunAsWindows2000(const char* filter)
{
    char self[MAX_PATH] = {}, folder[MAX_PATH] = {};
    ::GetModuleFileNameA(nullptr, self, MAX_PATH);
    ::GetTempPathA(MAX_PATH, folder);
    std::string copy = std::string(folder) + "vexul_uilib_w2k.exe";
    if (!::CopyFileA(self, copy.c_str(), FALSE))
        return 101;
    HKEY key = nullptr;
    if (::RegCreateKeyExA(HKEY_CURRENT_USER, "Software\\Wine\\AppDefaults\\vexul_uilib_w2k.exe", 0, nullptr, 0,
                          KEY_WRITE, nullptr, &key, nullptr) != ERROR_SUCCESS)
        return 102;
    ::RegSetValueExA(key, "Version", 0, REG_SZ, reinterpret_cast<const BYTE*>("win2k"), 6);
    ::RegCloseKey(key);

    std::string line = "\"" + copy + "\" --gtest_filter=" + filter + " --gtest_color=no";
    ::SetEnvironmentVariableA(kWindows2000ChildVariable, "1");
    STARTUPINFOA si = {};
    si.cb = sizeof(si);
    PROCESS_INFORMATION pi = {};
    BOOL started =
        ::CreateProcessA(copy.c_str(), &line[0], nullptr, nullptr, FALSE, 0, nullptr, nullptr, &si, &pi);
    ::SetEnvironmentVariableA(kWindows2000ChildVariable, nullptr);
    DWORD code = 103;
    if (started)
    {
        if (::WaitForSingleObject(pi.hProcess, 120000) == WAIT_OBJECT_0)
            ::GetExitCodeProcess(pi.hProcess, &code);
        else
            ::TerminateProcess(pi.hProcess, 104);
        ::CloseHandle(pi.hThread);
        ::CloseHandle(pi.hProcess);
    }
    ::DeleteFileA(copy.c_str());
    return code;
}

// Sets system colours for the lifetime of the object and puts the old ones back (the look data follows
// both ways).
class SysColorScope
{
public:
    SysColorScope() = default;
    ~SysColorScope()
    {
        for (size_t i = m_indexes.size(); i-- > 0;)
            ::SetSysColors(1, &m_indexes[i], &m_old[i]);
        uxAfxData.RefreshSystemColors();
    }
    SysColorScope(const SysColorScope&) = delete;
    SysColorScope& operator=(const SysColorScope&) = delete;

    void Set(int index, COLORREF color)
    {
        m_indexes.push_back(index);
        m_old.push_back(::GetSysColor(index));
        ::SetSysColors(1, &index, &color);
        uxAfxData.RefreshSystemColors();
    }

private:
    std::vector<int> m_indexes;
    std::vector<COLORREF> m_old;
};

// A square icon of one colour (the caller destroys it).
inline HICON MakeTestIcon(int size, COLORREF color)
{
    HDC screen = ::GetDC(nullptr);
    HBITMAP image = ::CreateCompatibleBitmap(screen, size, size);
    HBITMAP mask = ::CreateBitmap(size, size, 1, 1, nullptr);
    HDC mem = ::CreateCompatibleDC(screen);
    HGDIOBJ old = ::SelectObject(mem, image);
    HBRUSH brush = ::CreateSolidBrush(color);
    RECT all = {0, 0, size, size};
    ::FillRect(mem, &all, brush);
    ::SelectObject(mem, mask);
    ::PatBlt(mem, 0, 0, size, size, BLACKNESS);   // opaque everywhere
    ::SelectObject(mem, old);
    ::DeleteObject(brush);
    ::DeleteDC(mem);
    ::ReleaseDC(nullptr, screen);
    ICONINFO info = {TRUE, 0, 0, mask, image};
    HICON icon = ::CreateIconIndirect(&info);
    ::DeleteObject(image);
    ::DeleteObject(mask);
    return icon;
}
