// Splitting GIF data into its frames: each frame becomes a small GIF of its own (header, global colour
// table, the frame's blocks, trailer) that the platform's picture loader decodes.
#pragma once

#include "framework/core/Core.h"

#include <cstddef>
#include <vector>

struct GifFrameBlock
{
    std::vector<BYTE> data;   // a complete one-frame GIF
    int delay = -1;           // hundredths of a second; -1 when the frame has no graphic control block
    int disposal = 0;         // 0 … 7
    WORD x = 0, y = 0, width = 0, height = 0;
};

struct GifInfo
{
    BOOL isGif = FALSE;            // begins with "GIF"
    BOOL headerComplete = FALSE;   // the 13-byte header and the global colour table are all there
    int width = 0, height = 0;
    BOOL hasBackground = FALSE;
    COLORREF background = 0;   // the global colour table's entry at the background index
    size_t firstBlock = 0;     // where the block walk starts
};

// Reads the header; never reads past size.
GifInfo ReadGifInfo(const BYTE* data, size_t size);

// Number of frames (image blocks) found walking from the start to the trailer; the walk stops at an
// unknown block or one that runs past the data. 0 for data that is not a complete GIF header.
int CountGifFrames(const BYTE* data, size_t size);

// The frames as one-frame GIFs. FALSE (no frames) for data that is not a GIF with a complete header.
BOOL SplitGifFrames(const BYTE* data, size_t size, std::vector<GifFrameBlock>& frames);

// TRUE when the file name ends in ".GIF" (any case) and the data holds more than one frame.
BOOL IsAnimatedGif(const char* fileName, const BYTE* data, size_t size);
