#include "show/BmpLayout.h"

#include <cstring>

BOOL ParseBmpLayout(const BYTE* data, size_t size, BmpLayout& layout)
{
    layout = BmpLayout();
    const size_t kFileHeader = BmpLayout::INFO_OFFSET;
    if (!data || size < kFileHeader + sizeof(BITMAPINFOHEADER) || data[0] != 'B' || data[1] != 'M')
        return FALSE;
    BITMAPINFOHEADER header;
    memcpy(&header, data + kFileHeader, sizeof(header));
    DWORD offBits = 0;
    memcpy(&offBits, data + 10, sizeof(offBits));
    const int bitCount = header.biBitCount;
    if (header.biSize < sizeof(BITMAPINFOHEADER) || header.biSize > size - kFileHeader || header.biPlanes != 1 ||
        header.biWidth <= 0 || header.biWidth > 0x8000 || header.biHeight == 0 || header.biHeight < -0x8000 ||
        header.biHeight > 0x8000)
        return FALSE;
    if (bitCount != 1 && bitCount != 4 && bitCount != 8 && bitCount != 16 && bitCount != 24 && bitCount != 32)
        return FALSE;
    if (header.biCompression != BI_RGB &&
        !(header.biCompression == BI_BITFIELDS && (bitCount == 16 || bitCount == 32)))
        return FALSE;
    if (header.biClrUsed > 256)
        return FALSE;
    // The colour table (or the three masks after a plain header) lies between the headers and the rows.
    size_t table = 0;
    if (bitCount <= 8)
        table = 4u * (header.biClrUsed != 0 ? header.biClrUsed : (1u << bitCount));
    else if (header.biCompression == BI_BITFIELDS && header.biSize == sizeof(BITMAPINFOHEADER))
        table = 12;
    else
        table = 4u * header.biClrUsed;
    if (offBits < kFileHeader + header.biSize + table || offBits > size)
        return FALSE;
    const int rows = header.biHeight < 0 ? -header.biHeight : header.biHeight;
    const size_t stride = ((static_cast<size_t>(header.biWidth) * bitCount + 31) / 32) * 4;
    if (stride * rows > size - offBits)
        return FALSE;
    layout.bitsOffset = offBits;
    layout.width = header.biWidth;
    layout.height = rows;
    return TRUE;
}
