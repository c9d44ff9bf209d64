// BMP files made in memory, for tests and tools that need pictures with known pixels.
#pragma once

#include "framework/win/Framework.h"

#include <cstring>
#include <functional>
#include <vector>

// A 24-bit BMP file of w x h around the given rows (bottom-up, each padded to four bytes, as a DIB section
// holds them); without rows the pixels are left black for the caller to fill.
inline std::vector<BYTE> BmpFromRows(int w, int h, const BYTE* rows = nullptr)
{
    const DWORD rowSize = ((static_cast<DWORD>(w) * 3 + 3) / 4) * 4;
    const DWORD imageSize = rowSize * static_cast<DWORD>(h);
    BITMAPFILEHEADER file = {};
    file.bfType = 0x4D42;   // "BM"
    file.bfOffBits = sizeof(BITMAPFILEHEADER) + sizeof(BITMAPINFOHEADER);
    file.bfSize = file.bfOffBits + imageSize;
    BITMAPINFOHEADER info = {};
    info.biSize = sizeof(BITMAPINFOHEADER);
    info.biWidth = w;
    info.biHeight = h;
    info.biPlanes = 1;
    info.biBitCount = 24;
    info.biCompression = BI_RGB;
    info.biSizeImage = imageSize;
    info.biXPelsPerMeter = info.biYPelsPerMeter = 3780;   // 96 dpi
    std::vector<BYTE> data(file.bfSize, 0);
    memcpy(data.data(), &file, sizeof(file));
    memcpy(data.data() + sizeof(file), &info, sizeof(info));
    if (rows != nullptr)
        memcpy(data.data() + file.bfOffBits, rows, imageSize);
    return data;
}

// A 24-bit bottom-up BMP file of w x h whose pixel (x, y) (y from the top) is colour(x, y).
inline std::vector<BYTE> MakeBmp(int w, int h, const std::function<COLORREF(int, int)>& colour)
{
    std::vector<BYTE> data = BmpFromRows(w, h);
    const int rowSize = (w * 3 + 3) & ~3;
    BYTE* pixels = data.data() + sizeof(BITMAPFILEHEADER) + sizeof(BITMAPINFOHEADER);
    for (int y = 0; y < h; y++)
    {
        BYTE* row = pixels + (h - 1 - y) * rowSize;
        for (int x = 0; x < w; x++)
        {
            COLORREF c = colour(x, y);
            row[x * 3] = GetBValue(c);
            row[x * 3 + 1] = GetGValue(c);
            row[x * 3 + 2] = GetRValue(c);
        }
    }
    return data;
}

inline std::vector<BYTE> MakeSolidBmp(int w, int h, COLORREF c)
{
    return MakeBmp(w, h, [c](int, int) { return c; });
}
