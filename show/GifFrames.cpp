#include "show/GifFrames.h"

#include <algorithm>
#include <cstring>

namespace
{

const size_t kHeaderSize = 13;

size_t ColourTableSize(BYTE packed)
{
    return (packed & 0x80) ? 3u * (1u << ((packed & 7) + 1)) : 0u;
}

// Skips a chain of sub-blocks starting at pos; returns the position after its terminating zero, or 0
// when the chain runs past the data.
size_t SkipSubBlocks(const BYTE* data, size_t size, size_t pos)
{
    while (pos < size)
    {
        BYTE n = data[pos];
        if (n == 0)
            return pos + 1;
        pos += static_cast<size_t>(n) + 1;
    }
    return 0;
}

enum BlockKind
{
    kEnd,
    kPlainText,
    kGraphicControl,
    kComment,
    kApplication,
    kImage,
    kTrailer
};

// The kind of block at pos and the position after it (0 when it runs past the data or is unknown).
BlockKind NextBlock(const BYTE* data, size_t size, size_t pos, size_t* next)
{
    *next = 0;
    if (pos >= size)
        return kEnd;
    auto fixed = [&](size_t length) -> bool { return length <= size - pos; };
    switch (data[pos])
    {
    case 0x21:
    {
        if (pos + 1 >= size)
            return kEnd;
        BYTE label = data[pos + 1];
        size_t head;
        BlockKind kind;
        switch (label)
        {
        case 0x01:
            head = 15;
            kind = kPlainText;
            break;
        case 0xF9:
            head = 8;
            kind = kGraphicControl;
            break;
        case 0xFE:
            head = 2;
            kind = kComment;
            break;
        case 0xFF:
            head = 14;
            kind = kApplication;
            break;
        default: return kEnd;
        }
        if (!fixed(head))
            return kEnd;
        if (kind == kGraphicControl)
        {
            *next = pos + head;
            return kind;
        }
        size_t end = SkipSubBlocks(data, size, pos + head);
        if (end == 0)
            return kEnd;
        *next = end;
        return kind;
    }
    case 0x2C:
    {
        if (!fixed(10))
            return kEnd;
        size_t lct = ColourTableSize(data[pos + 9]);
        size_t head = 10 + lct + 1;
        if (!fixed(head))
            return kEnd;
        size_t end = SkipSubBlocks(data, size, pos + head);
        if (end == 0)
            return kEnd;
        *next = end;
        return kImage;
    }
    case 0x3B: *next = pos + 1; return kTrailer;
    default: return kEnd;
    }
}

WORD Word(const BYTE* p)
{
    return static_cast<WORD>(p[0] | (p[1] << 8));
}

// Where a block walk ended: the frames seen, the position after the last whole block and whether the
// walk met the trailer there.
struct WalkEnd
{
    int frames = 0;
    size_t end = 0;
    bool trailer = false;
};

// Walks the blocks; calls onFrame(start of the frame's first block, graphic control position or 0,
// image position, end of the image data) for every frame. A callback that returns false ends the walk.
template <class F>
WalkEnd WalkFrames(const BYTE* data, size_t size, size_t start, F onFrame)
{
    WalkEnd walk;
    size_t pos = start;
    size_t frameStart = 0;   // position of the pending graphic control block, 0 when none
    for (;;)
    {
        walk.end = pos;
        size_t next;
        BlockKind kind = NextBlock(data, size, pos, &next);
        if (kind == kEnd)
            break;
        if (kind == kTrailer)
        {
            walk.trailer = true;
            break;
        }
        if (kind == kGraphicControl)
            frameStart = pos;
        else if (kind == kImage)
        {
            ++walk.frames;
            if (!onFrame(frameStart ? frameStart : pos, frameStart, pos, next))
                break;
            frameStart = 0;
        }
        pos = next;
    }
    return walk;
}

}   // namespace

GifInfo ReadGifInfo(const BYTE* data, size_t size)
{
    GifInfo info;
    if (!data || size < 3 || std::memcmp(data, "GIF", 3) != 0)
        return info;
    info.isGif = TRUE;
    if (size < kHeaderSize)
        return info;
    info.width = Word(data + 6);
    info.height = Word(data + 8);
    BYTE packed = data[10];
    size_t table = ColourTableSize(packed);
    if (table > size - kHeaderSize)
        return info;
    info.headerComplete = TRUE;
    info.firstBlock = kHeaderSize + table;
    if (table)
    {
        size_t entry = kHeaderSize + 3u * data[11];
        if (entry + 3 <= kHeaderSize + table)
        {
            info.hasBackground = TRUE;
            info.background = RGB(data[entry], data[entry + 1], data[entry + 2]);
        }
    }
    return info;
}

int CountGifFrames(const BYTE* data, size_t size)
{
    GifInfo info = ReadGifInfo(data, size);
    if (!info.headerComplete)
        return 0;
    return WalkFrames(data, size, info.firstBlock, [](size_t, size_t, size_t, size_t) { return true; }).frames;
}

BOOL IsGifSplitWithinBounds(const BYTE* data, size_t size)
{
    GifInfo info = ReadGifInfo(data, size);
    if (!info.headerComplete)
        return TRUE;
    int frames = 0;
    size_t bytes = 0;
    bool within = true;
    WalkFrames(data, size, info.firstBlock,
               [&](size_t first, size_t, size_t, size_t end)
               {
                   bytes += info.firstBlock + (end - first) + 1;
                   within = ++frames <= kMaxGifFrames && bytes <= kMaxGifSplitBytes;
                   return within;
               });
    return within;
}

BOOL SplitGifFrames(const BYTE* data, size_t size, std::vector<GifFrameBlock>& frames)
{
    frames.clear();
    GifInfo info = ReadGifInfo(data, size);
    if (!info.headerComplete || !IsGifSplitWithinBounds(data, size))
        return FALSE;
    WalkFrames(data, size, info.firstBlock,
               [&](size_t first, size_t control, size_t image, size_t end)
               {
                   GifFrameBlock frame;
                   frame.data.reserve(info.firstBlock + (end - first) + 1);
                   frame.data.insert(frame.data.end(), data, data + info.firstBlock);
                   frame.data.insert(frame.data.end(), data + first, data + end);
                   frame.data.push_back(0x3B);
                   if (control)
                   {
                       frame.delay = Word(data + control + 4);
                       frame.disposal = (data[control + 3] >> 2) & 7;
                   }
                   frame.x = Word(data + image + 1);
                   frame.y = Word(data + image + 3);
                   frame.width = Word(data + image + 5);
                   frame.height = Word(data + image + 7);
                   frames.push_back(std::move(frame));
                   return true;
               });
    return !frames.empty();
}

BOOL IsAnimatedGif(const char* fileName, const BYTE* data, size_t size)
{
    CString name(fileName);
    name.MakeUpper();
    if (name.GetLength() < 4 || name.Right(4) != ".GIF")
        return FALSE;
    return CountGifFrames(data, size) > 1 && IsGifSplitWithinBounds(data, size);
}

BOOL DecodeGifImageData(const BYTE* data, size_t size, size_t maxPixels, std::vector<BYTE>& pixels, size_t& used)
{
    pixels.clear();
    used = 0;
    if (!data || size < 2 || data[0] < 2 || data[0] > 8)
        return FALSE;
    const unsigned minCodeSize = data[0];
    const unsigned clear = 1u << minCodeSize, end = clear + 1;
    unsigned short prefix[4096];   // each code's string: the string of its prefix and one more index
    BYTE suffix[4096];
    std::vector<BYTE> string;
    for (unsigned code = 0; code < clear; code++)
    {
        prefix[code] = 0;
        suffix[code] = static_cast<BYTE>(code);
    }
    unsigned next = end + 1, codeSize = minCodeSize + 1;
    int previous = -1;
    unsigned acc = 0, bits = 0;
    size_t pos = 1, blockLeft = 0;
    bool ended = false;
    while (!ended)
    {
        while (bits < codeSize)
        {
            if (blockLeft == 0)
            {
                if (pos >= size || data[pos] == 0)
                    return FALSE;   // the data ends before its end code
                blockLeft = data[pos++];
            }
            if (pos >= size)
                return FALSE;
            acc |= static_cast<unsigned>(data[pos++]) << bits;
            bits += 8;
            blockLeft--;
        }
        const unsigned code = acc & ((1u << codeSize) - 1);
        acc >>= codeSize;
        bits -= codeSize;
        if (code == clear)
        {
            next = end + 1;
            codeSize = minCodeSize + 1;
            previous = -1;
            continue;
        }
        if (code == end)
        {
            ended = true;
            break;
        }
        if (code > next || (code == next && previous < 0))
            return FALSE;
        // The string of the code, or of the previous code and its own first index (a code not yet made).
        const unsigned known = code == next ? static_cast<unsigned>(previous) : code;
        string.clear();
        for (unsigned c = known;; c = prefix[c])
        {
            string.push_back(suffix[c]);
            if (c < clear)
                break;
        }
        std::reverse(string.begin(), string.end());
        if (code == next)
            string.push_back(string.front());
        for (BYTE index : string)
            if (pixels.size() < maxPixels)
                pixels.push_back(index);
        if (previous >= 0 && next < 4096)
        {
            prefix[next] = static_cast<unsigned short>(previous);
            suffix[next] = string.front();
            if (++next == (1u << codeSize) && codeSize < 12)
                codeSize++;
        }
        previous = static_cast<int>(code);
    }
    // The rest of the sub-blocks up to their terminator.
    pos += blockLeft;
    while (pos < size && data[pos] != 0)
        pos += static_cast<size_t>(data[pos]) + 1;
    if (pos >= size)
        return FALSE;
    used = pos + 1;
    return TRUE;
}

void CGifCodeWriter::Put(unsigned code, unsigned bits)
{
    m_nPending |= code << m_nBits;
    m_nBits += bits;
    while (m_nBits >= 8)
    {
        m_packed.push_back(static_cast<BYTE>(m_nPending & 0xFF));
        m_nPending >>= 8;
        m_nBits -= 8;
    }
}

std::vector<BYTE> CGifCodeWriter::Finish()
{
    if (m_nBits)
        m_packed.push_back(static_cast<BYTE>(m_nPending & 0xFF));
    m_nPending = m_nBits = 0;
    std::vector<BYTE> out;
    out.reserve(m_packed.size() + m_packed.size() / 255 + 3);
    out.push_back(static_cast<BYTE>(m_nMinCodeSize));
    for (size_t pos = 0; pos < m_packed.size(); pos += 255)
    {
        size_t n = std::min<size_t>(255, m_packed.size() - pos);
        out.push_back(static_cast<BYTE>(n));
        out.insert(out.end(), m_packed.begin() + pos, m_packed.begin() + pos + n);
    }
    out.push_back(0);
    m_packed.clear();
    return out;
}

std::vector<BYTE> EncodeGifImageData(const std::vector<BYTE>& pixels, int minCodeSize)
{
    const unsigned codeBase = minCodeSize < 2 ? 2u : static_cast<unsigned>(minCodeSize);
    const unsigned clear = 1u << codeBase, end = clear + 1, maxCodes = 4096;
    CGifCodeWriter writer(codeBase);
    unsigned codeSize = codeBase + 1;
    auto put = [&](unsigned code) { writer.Put(code, codeSize); };
    // (code, index) -> the code of the longer string; 0 when there is none. A clear empties only what was set.
    std::vector<unsigned short> longer(static_cast<size_t>(maxCodes) << codeBase, 0);
    std::vector<size_t> set;
    unsigned last = end;   // the last code given a string
    put(clear);
    int current = -1;
    for (BYTE pixel : pixels)
    {
        const unsigned index = pixel & (clear - 1);
        if (current < 0)
        {
            current = static_cast<int>(index);
            continue;
        }
        unsigned short& known = longer[(static_cast<size_t>(current) << codeBase) + index];
        if (known)
        {
            current = known;
            continue;
        }
        put(static_cast<unsigned>(current));
        known = static_cast<unsigned short>(++last);
        set.push_back(static_cast<size_t>(&known - longer.data()));
        if (last >= (1u << codeSize) && codeSize < 12)
            codeSize++;
        if (last == maxCodes - 1)
        {
            // Cleared before it fills: every decoder reads that.
            put(clear);
            for (size_t at : set)
                longer[at] = 0;
            set.clear();
            last = end;
            codeSize = codeBase + 1;
        }
        current = static_cast<int>(index);
    }
    if (current >= 0)
        put(static_cast<unsigned>(current));
    put(end);
    return writer.Finish();
}

BOOL RewriteGifImageData(const BYTE* data, size_t size, std::vector<BYTE>& rewritten)
{
    rewritten.clear();
    GifInfo info = ReadGifInfo(data, size);
    if (!info.headerComplete)
        return FALSE;
    rewritten.reserve(size);
    size_t copied = 0;
    std::vector<BYTE> pixels;
    WalkFrames(data, size, info.firstBlock,
               [&](size_t, size_t, size_t image, size_t end)
               {
                   const size_t imageData = image + 10 + ColourTableSize(data[image + 9]);
                   const size_t count = static_cast<size_t>(Word(data + image + 5)) * Word(data + image + 7);
                   size_t used = 0;
                   if (count <= kMaxGifRewritePixels &&
                       DecodeGifImageData(data + imageData, end - imageData, count, pixels, used) &&
                       pixels.size() == count)
                   {
                       rewritten.insert(rewritten.end(), data + copied, data + imageData);
                       std::vector<BYTE> encoded = EncodeGifImageData(pixels, data[imageData]);
                       rewritten.insert(rewritten.end(), encoded.begin(), encoded.end());
                       copied = end;
                   }
                   return true;
               });
    rewritten.insert(rewritten.end(), data + copied, data + size);
    return TRUE;
}

BOOL EndGifWithTrailer(const BYTE* data, size_t size, std::vector<BYTE>& ended)
{
    ended.clear();
    GifInfo info = ReadGifInfo(data, size);
    if (!info.headerComplete)
        return FALSE;
    WalkEnd walk = WalkFrames(data, size, info.firstBlock, [](size_t, size_t, size_t, size_t) { return true; });
    if (walk.trailer || walk.end <= info.firstBlock)
        return FALSE;
    ended.reserve(walk.end + 1);
    ended.assign(data, data + walk.end);
    ended.push_back(0x3B);
    return TRUE;
}
