// Test helper: a memory DC drawing into a 32-bit top-down DIB whose pixels the test reads directly,
// and a reader for the pixels of any bitmap. Header only, so programs that do not draw never link GDI.
#pragma once

#include "framework/win/Gdi.h"

#include <cstdint>
#include <vector>

struct DibSurface
{
    CDC dc;
    CBitmap bitmap;
    CBitmap* previous = nullptr;
    uint32_t* bits = nullptr;
    int width = 0;
    int height = 0;

    DibSurface(int w, int h, COLORREF fill = RGB(0, 0, 0)) : width(w), height(h)
    {
        dc.CreateCompatibleDC(nullptr);
        void* p = nullptr;
        bitmap.CreateDIBSection(w, h, &p);
        bits = static_cast<uint32_t*>(p);
        previous = dc.SelectObject(&bitmap);
        Fill(fill);
    }
    ~DibSurface() { dc.SelectObject(previous); }

    void Fill(COLORREF color) { dc.FillSolidRect(0, 0, width, height, color); }
    // Pixel as a COLORREF (red in the low byte), CLR_INVALID outside; GDI must be done drawing first.
    COLORREF At(int x, int y) const
    {
        ::GdiFlush();
        if (!bits || x < 0 || y < 0 || x >= width || y >= height)
            return CLR_INVALID;
        uint32_t v = bits[y * width + x];
        return RGB((v >> 16) & 0xFF, (v >> 8) & 0xFF, v & 0xFF);
    }
};

// The pixels of a bitmap as COLORREFs, row by row from the top; empty when it cannot be read.
inline std::vector<COLORREF> ReadBitmapPixels(CBitmap& bitmap, int* width = nullptr, int* height = nullptr)
{
    std::vector<COLORREF> pixels;
    BITMAP bm = {};
    if (!bitmap.GetSafeHandle() || !bitmap.GetBitmap(&bm) || bm.bmWidth <= 0 || bm.bmHeight <= 0)
        return pixels;
    BITMAPINFO bi = {};
    bi.bmiHeader.biSize = sizeof(BITMAPINFOHEADER);
    bi.bmiHeader.biWidth = bm.bmWidth;
    bi.bmiHeader.biHeight = -bm.bmHeight;
    bi.bmiHeader.biPlanes = 1;
    bi.bmiHeader.biBitCount = 32;
    bi.bmiHeader.biCompression = BI_RGB;
    std::vector<uint32_t> raw(static_cast<size_t>(bm.bmWidth) * bm.bmHeight);
    HDC screen = ::GetDC(nullptr);
    int rows = ::GetDIBits(screen, static_cast<HBITMAP>(bitmap.GetSafeHandle()), 0, bm.bmHeight, raw.data(), &bi,
                           DIB_RGB_COLORS);
    ::ReleaseDC(nullptr, screen);
    if (rows != bm.bmHeight)
        return pixels;
    pixels.reserve(raw.size());
    for (uint32_t v : raw)
        pixels.push_back(RGB((v >> 16) & 0xFF, (v >> 8) & 0xFF, v & 0xFF));
    if (width)
        *width = bm.bmWidth;
    if (height)
        *height = bm.bmHeight;
    return pixels;
}
