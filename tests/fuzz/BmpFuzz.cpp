// The layout of a BMP file read from a pack's bytes (the thumbnails draw it without decoding).
#include "show/BmpLayout.h"

#include <cstdint>
#include <cstring>

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size)
{
    BmpLayout layout;
    if (!ParseBmpLayout(data, size, layout))
        return 0;
    // What the drawing reads lies within the data: the info header, then the rows from bitsOffset.
    BITMAPINFOHEADER header;
    memcpy(&header, data + BmpLayout::INFO_OFFSET, sizeof(header));
    const size_t stride = ((static_cast<size_t>(layout.width) * header.biBitCount + 31) / 32) * 4;
    if (layout.width <= 0 || layout.height <= 0 || layout.bitsOffset < BmpLayout::INFO_OFFSET + header.biSize ||
        layout.bitsOffset > size || stride * layout.height > size - layout.bitsOffset)
        __builtin_trap();
    return 0;
}
