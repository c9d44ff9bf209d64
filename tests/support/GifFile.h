// GIF files made in memory, for tests and tools that need animations with known frames. Portable: the
// host build makes fuzzing seeds with it.
#pragma once

#include "framework/core/Core.h"

#include <algorithm>
#include <vector>

// One frame: its rectangle filled with one colour of the global table.
struct GifFrameSpec
{
    int x, y, width, height;
    int colourIndex;   // into the global colour table
    int delay;         // -1: no graphic control block
    int disposal;
};

inline void PutGifWord(std::vector<BYTE>& out, unsigned v)
{
    out.push_back(static_cast<BYTE>(v & 0xFF));
    out.push_back(static_cast<BYTE>((v >> 8) & 0xFF));
}

// LZW data of a GIF image where every pixel is sent right after a clear code, so the code width stays at
// 3 bits and no table is ever built: plain, and every decoder reads it.
inline std::vector<BYTE> EncodeGifPixels(int count, int index)
{
    const unsigned clear = 4, end = 5, bits = 3;
    std::vector<BYTE> packed;
    unsigned acc = 0, nbits = 0;
    auto put = [&](unsigned code)
    {
        acc |= code << nbits;
        nbits += bits;
        while (nbits >= 8)
        {
            packed.push_back(static_cast<BYTE>(acc & 0xFF));
            acc >>= 8;
            nbits -= 8;
        }
    };
    for (int i = 0; i < count; ++i)
    {
        put(clear);
        put(static_cast<unsigned>(index));
    }
    put(end);
    if (nbits)
        packed.push_back(static_cast<BYTE>(acc & 0xFF));
    std::vector<BYTE> out;
    out.push_back(2);   // minimum code size
    for (size_t pos = 0; pos < packed.size(); pos += 255)
    {
        size_t n = std::min<size_t>(255, packed.size() - pos);
        out.push_back(static_cast<BYTE>(n));
        out.insert(out.end(), packed.begin() + pos, packed.begin() + pos + n);
    }
    out.push_back(0);
    return out;
}

// A GIF of width x height with a global table of four entries from the palette and the frames.
inline std::vector<BYTE> MakeGif(int width, int height, const std::vector<COLORREF>& palette,
                                 const std::vector<GifFrameSpec>& frames)
{
    std::vector<BYTE> out = {'G', 'I', 'F', '8', '9', 'a'};
    PutGifWord(out, width);
    PutGifWord(out, height);
    out.push_back(0x80 | 0x01);   // global table of 4 entries
    out.push_back(0);
    out.push_back(0);
    for (int i = 0; i < 4; ++i)
    {
        COLORREF c = i < static_cast<int>(palette.size()) ? palette[i] : 0;
        out.push_back(GetRValue(c));
        out.push_back(GetGValue(c));
        out.push_back(GetBValue(c));
    }
    for (const GifFrameSpec& f : frames)
    {
        if (f.delay >= 0)
        {
            std::vector<BYTE> gce = {0x21, 0xF9, 0x04, static_cast<BYTE>((f.disposal & 7) << 2)};
            out.insert(out.end(), gce.begin(), gce.end());
            PutGifWord(out, f.delay);
            out.push_back(0);
            out.push_back(0);
        }
        out.push_back(0x2C);
        PutGifWord(out, f.x);
        PutGifWord(out, f.y);
        PutGifWord(out, f.width);
        PutGifWord(out, f.height);
        out.push_back(0);
        std::vector<BYTE> pixels = EncodeGifPixels(f.width * f.height, f.colourIndex);
        out.insert(out.end(), pixels.begin(), pixels.end());
    }
    out.push_back(0x3B);
    return out;
}
