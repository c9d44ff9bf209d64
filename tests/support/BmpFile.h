// BMP files made in memory, for tests and tools that need pictures with known pixels. Portable: the host
// build makes fuzzing seeds with it.
#pragma once

#include "framework/core/Core.h"

#include <algorithm>
#include <functional>
#include <vector>

inline void PutBmpValue(std::vector<BYTE>& out, size_t at, DWORD value, int bytes)
{
    for (int i = 0; i < bytes; i++)
        out[at + i] = static_cast<BYTE>(value >> (8 * i));
}

// A 24-bit BMP file of w x h around the given rows (bottom-up, each padded to four bytes, as a DIB section
// holds them); without rows the pixels are left black for the caller to fill.
inline std::vector<BYTE> BmpFromRows(int w, int h, const BYTE* rows = nullptr)
{
    const DWORD fileHeader = 14, infoHeader = 40;
    const DWORD rowSize = ((static_cast<DWORD>(w) * 3 + 3) / 4) * 4;
    const DWORD imageSize = rowSize * static_cast<DWORD>(h);
    std::vector<BYTE> data(fileHeader + infoHeader + imageSize, 0);
    data[0] = 'B';
    data[1] = 'M';
    PutBmpValue(data, 2, static_cast<DWORD>(data.size()), 4);
    PutBmpValue(data, 10, fileHeader + infoHeader, 4);   // where the rows start
    PutBmpValue(data, 14, infoHeader, 4);
    PutBmpValue(data, 18, static_cast<DWORD>(w), 4);
    PutBmpValue(data, 22, static_cast<DWORD>(h), 4);
    PutBmpValue(data, 26, 1, 2);    // planes
    PutBmpValue(data, 28, 24, 2);   // bits per pixel, uncompressed
    PutBmpValue(data, 34, imageSize, 4);
    PutBmpValue(data, 38, 3780, 4);   // 96 dpi on both axes
    PutBmpValue(data, 42, 3780, 4);
    if (rows != nullptr)
        std::copy(rows, rows + imageSize, data.begin() + fileHeader + infoHeader);
    return data;
}

// A 24-bit bottom-up BMP file of w x h whose pixel (x, y) (y from the top) is colour(x, y).
inline std::vector<BYTE> MakeBmp(int w, int h, const std::function<COLORREF(int, int)>& colour)
{
    std::vector<BYTE> data = BmpFromRows(w, h);
    const int rowSize = (w * 3 + 3) & ~3;
    BYTE* pixels = data.data() + 54;   // after the file and info headers
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
