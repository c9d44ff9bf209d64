// GIF files made in memory, for tests and tools that need animations with known frames. Portable: the
// host build makes fuzzing seeds with it.
#pragma once

#include "framework/core/Core.h"
#include "show/GifFrames.h"

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
// the minimum code size plus one and no table is ever built: plain, and every decoder reads it.
inline std::vector<BYTE> EncodeGifIndices(const std::vector<BYTE>& indices, unsigned minCodeSize = 2)
{
    const unsigned clear = 1u << minCodeSize, end = clear + 1, bits = minCodeSize + 1;
    CGifCodeWriter writer(minCodeSize);
    for (BYTE index : indices)
    {
        writer.Put(clear, bits);
        writer.Put(index, bits);
    }
    writer.Put(end, bits);
    return writer.Finish();
}

// LZW data as some encoders write long images: codes grow to 12 bits, and a table that fills is kept and used
// on without new entries (a clear code never comes).
inline std::vector<BYTE> EncodeGifKeepingFullTable(const std::vector<BYTE>& indices, unsigned minCodeSize)
{
    const unsigned clear = 1u << minCodeSize, end = clear + 1, maxCodes = 4096;
    CGifCodeWriter writer(minCodeSize);
    unsigned bits = minCodeSize + 1;
    std::vector<unsigned short> next(maxCodes << minCodeSize, 0);   // (code, index) -> code; 0: none
    unsigned last = end;                                            // the last code given a meaning
    writer.Put(clear, bits);
    int current = -1;
    for (BYTE index : indices)
    {
        if (current < 0)
        {
            current = index;
            continue;
        }
        unsigned short& known = next[(static_cast<size_t>(current) << minCodeSize) + index];
        if (known)
        {
            current = known;
            continue;
        }
        writer.Put(static_cast<unsigned>(current), bits);
        if (last < maxCodes - 1)
        {
            known = static_cast<unsigned short>(++last);
            if (last >= (1u << bits) && bits < 12)
                ++bits;
        }
        current = index;
    }
    if (current >= 0)
        writer.Put(static_cast<unsigned>(current), bits);
    writer.Put(end, bits);
    return writer.Finish();
}

inline std::vector<BYTE> EncodeGifPixels(int count, int index)
{
    return EncodeGifIndices(std::vector<BYTE>(static_cast<size_t>(count), static_cast<BYTE>(index)));
}

inline void PutGifColourTable(std::vector<BYTE>& out, const std::vector<COLORREF>& table, size_t entries)
{
    for (size_t i = 0; i < entries; ++i)
    {
        COLORREF c = i < table.size() ? table[i] : 0;
        out.push_back(GetRValue(c));
        out.push_back(GetGValue(c));
        out.push_back(GetBValue(c));
    }
}

inline void PutGifControl(std::vector<BYTE>& out, int delay, int disposal, int transparent = -1)
{
    if (delay < 0)
        return;
    const BYTE flags = static_cast<BYTE>(((disposal & 7) << 2) | (transparent >= 0 ? 1 : 0));
    std::vector<BYTE> gce = {0x21, 0xF9, 0x04, flags};
    out.insert(out.end(), gce.begin(), gce.end());
    PutGifWord(out, static_cast<unsigned>(delay));
    out.push_back(static_cast<BYTE>(transparent >= 0 ? transparent : 0));
    out.push_back(0);
}

inline void PutGifImageHead(std::vector<BYTE>& out, int x, int y, int width, int height, BYTE packed)
{
    out.push_back(0x2C);
    PutGifWord(out, static_cast<unsigned>(x));
    PutGifWord(out, static_cast<unsigned>(y));
    PutGifWord(out, static_cast<unsigned>(width));
    PutGifWord(out, static_cast<unsigned>(height));
    out.push_back(packed);
}

inline std::vector<BYTE> MakeGifHead(int width, int height, const std::vector<COLORREF>& palette)
{
    std::vector<BYTE> out = {'G', 'I', 'F', '8', '9', 'a'};
    PutGifWord(out, static_cast<unsigned>(width));
    PutGifWord(out, static_cast<unsigned>(height));
    out.push_back(0x80 | 0x01);   // global table of 4 entries
    out.push_back(0);
    out.push_back(0);
    PutGifColourTable(out, palette, 4);
    return out;
}

// An image with a colour table of its own of 256 entries and its LZW data.
inline void PutGifImage(std::vector<BYTE>& out, int x, int y, int width, int height,
                        const std::vector<COLORREF>& table, const std::vector<BYTE>& data)
{
    PutGifImageHead(out, x, y, width, height, 0x80 | 0x07);
    PutGifColourTable(out, table, 256);
    out.insert(out.end(), data.begin(), data.end());
}

// A GIF of width x height with a global table of four entries from the palette and the frames.
inline std::vector<BYTE> MakeGif(int width, int height, const std::vector<COLORREF>& palette,
                                 const std::vector<GifFrameSpec>& frames)
{
    std::vector<BYTE> out = MakeGifHead(width, height, palette);
    for (const GifFrameSpec& f : frames)
    {
        PutGifControl(out, f.delay, f.disposal);
        PutGifImageHead(out, f.x, f.y, f.width, f.height, 0);
        std::vector<BYTE> pixels = EncodeGifPixels(f.width * f.height, f.colourIndex);
        out.insert(out.end(), pixels.begin(), pixels.end());
    }
    out.push_back(0x3B);
    return out;
}
