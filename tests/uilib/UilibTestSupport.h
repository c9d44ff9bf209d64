// Helpers of the UI library's tests: system colours changed for one test, icons made in memory.
#pragma once

#include "uilib/core/GlobalData.h"

#include <vector>

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
