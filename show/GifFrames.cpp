#include "show/GifFrames.h"

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
