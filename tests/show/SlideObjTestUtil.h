// Helpers of the slide object tests: settings texts in memory, a plain window for the animations, the
// process's handle count and the wait for a worker.
#pragma once

#include "framework/win/Framework.h"
#include "show/SettingsFile.h"
#include "support/win_Wait.h"

#include <string>

// A settings text opened for reading over a copy of the given contents.
class CReadSettings
{
public:
    explicit CReadSettings(const std::string& text) : m_block(text.begin(), text.end())
    {
        m_block.push_back('\0');
        m_file.OpenMemoryText("test", FALSE, m_block.data(), static_cast<int>(m_block.size()));
    }
    CSettingsFile& file() { return m_file; }

private:
    std::string m_block;
    CSettingsFile m_file;
};

// A settings text being written; text() is what has been written so far.
class CWriteSettings
{
public:
    CWriteSettings() { m_file.OpenMemoryText("test", TRUE, nullptr, 0); }
    CSettingsFile& file() { return m_file; }
    std::string text() const
    {
        int length = 0;
        const char* text = m_file.GetText(length);
        return std::string(text, static_cast<size_t>(length));
    }

private:
    CSettingsFile m_file;
};

// A hidden top-level window of a system class, w x h client area.
class CPlainWindow
{
public:
    CPlainWindow(int w = 640, int h = 480)
    {
        RECT rc = {0, 0, w, h};
        ::AdjustWindowRectEx(&rc, WS_POPUP, FALSE, 0);
        m_hWnd = ::CreateWindowExA(0, "STATIC", "", WS_POPUP, 0, 0, rc.right - rc.left, rc.bottom - rc.top,
                                   nullptr, nullptr, ::GetModuleHandleA(nullptr), nullptr);
        m_wnd.Borrow(m_hWnd);
    }
    ~CPlainWindow()
    {
        if (m_hWnd)
            ::DestroyWindow(m_hWnd);
    }
    CWnd* wnd() { return &m_wnd; }
    HWND hwnd() const { return m_hWnd; }

private:
    HWND m_hWnd = nullptr;
    CBorrowedWnd m_wnd;
};

inline DWORD ProcessHandleCount()
{
    DWORD count = 0;
    ::GetProcessHandleCount(::GetCurrentProcess(), &count);
    return count;
}
