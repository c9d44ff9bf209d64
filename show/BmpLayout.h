// Where the parts of a BMP file lie: the bitmap info (header and colour table) and the pixel rows, read
// from its headers without decoding. Portable: the host build tests and fuzzes it.
#pragma once

#include "framework/core/Core.h"

#include <cstddef>

#ifndef _WIN32
// The info header as it lies in the file, and the two pixel formats read here.
struct BITMAPINFOHEADER
{
    DWORD biSize;
    LONG biWidth;
    LONG biHeight;
    WORD biPlanes;
    WORD biBitCount;
    DWORD biCompression;
    DWORD biSizeImage;
    LONG biXPelsPerMeter;
    LONG biYPelsPerMeter;
    DWORD biClrUsed;
    DWORD biClrImportant;
};
#define BI_RGB 0L
#define BI_BITFIELDS 3L
#endif
static_assert(sizeof(BITMAPINFOHEADER) == 40, "the info header of a BMP file");

struct BmpLayout
{
    static constexpr size_t INFO_OFFSET = 14;   // the info follows the file header
    size_t bitsOffset = 0;
    int width = 0;
    int height = 0;   // rows, whichever way they run in the file
};

// TRUE for a BMP whose headers, colour table and pixel rows all lie within the data, with uncompressed
// pixels (or bit fields) of 1 to 32 bits; layout then says where they lie.
BOOL ParseBmpLayout(const BYTE* data, size_t size, BmpLayout& layout);
