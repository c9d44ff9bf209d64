// Helpers of the picture tests: BMP data made in memory and a 32-bit DIB surface to read pixels from.
#pragma once

#include "framework/win/Framework.h"
#include "tests/support/win_BmpFile.h"

#include <cstring>
#include <functional>
#include <vector>

// A memory DC over a 32-bit top-down DIB section, filled with one colour.
class CTestSurface
{
public:
    CTestSurface(int w, int h, COLORREF fill = RGB(0, 0, 0)) : m_w(w), m_h(h)
    {
        m_dc.CreateCompatibleDC(nullptr);
        void* bits = nullptr;
        m_bitmap.CreateDIBSection(w, h, &bits);
        m_bits = static_cast<DWORD*>(bits);
        m_dc.SelectObject(&m_bitmap);
        Fill(fill);
    }
    void Fill(COLORREF c) { m_dc.FillSolidRect(0, 0, m_w, m_h, c); }
    CDC* dc() { return &m_dc; }
    COLORREF Pixel(int x, int y) const
    {
        ::GdiFlush();
        DWORD v = m_bits[y * m_w + x];
        return RGB((v >> 16) & 0xFF, (v >> 8) & 0xFF, v & 0xFF);
    }

private:
    int m_w, m_h;
    CDC m_dc;
    CBitmap m_bitmap;
    DWORD* m_bits = nullptr;
};
