// Splitting GIF data into its frames: each frame becomes a small GIF of its own (header, global colour
// table, the frame's blocks, trailer) that the platform's picture loader decodes. Portable: the host build
// tests and fuzzes it.
#pragma once

#include "framework/core/Core.h"

#include <cstddef>
#include <vector>

// Bounds of a split that no real animation reaches: every frame copies the header and the global colour
// table, so a small GIF of many empty frames would otherwise grow a hundredfold. A GIF beyond them plays
// as a still picture.
const int kMaxGifFrames = 2048;
const size_t kMaxGifSplitBytes = 64u * 1024u * 1024u;
// Images larger than this many pixels keep their image data when a GIF is written anew for the decoder:
// their codes could ask for far more memory than any real picture needs.
const size_t kMaxGifRewritePixels = 4096u * 4096u;

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

// TRUE when the frames, split, stay within kMaxGifFrames and kMaxGifSplitBytes.
BOOL IsGifSplitWithinBounds(const BYTE* data, size_t size);

// The frames as one-frame GIFs. FALSE (no frames) for data that is not a GIF with a complete header, and
// for one whose split would exceed the bounds.
BOOL SplitGifFrames(const BYTE* data, size_t size, std::vector<GifFrameBlock>& frames);

// TRUE when the file name ends in ".GIF" (any case) and the data holds more than one frame within the
// bounds of a split.
BOOL IsAnimatedGif(const char* fileName, const BYTE* data, size_t size);

// The LZW image data (minimum code size byte, sub-blocks, terminator) decoded into pixels colour indices:
// at most maxPixels; a code table that fills is used on without new codes until a clear code comes. FALSE
// for a code that cannot be, a minimum code size outside 2..8 or data that runs out before its end code;
// pixels then holds what was decoded. used is the length of the image data read.
BOOL DecodeGifImageData(const BYTE* data, size_t size, size_t maxPixels, std::vector<BYTE>& pixels, size_t& used);
// Writes LZW codes of growing width, least significant bit first, as GIF image data.
class CGifCodeWriter
{
public:
    explicit CGifCodeWriter(unsigned minCodeSize) : m_nMinCodeSize(minCodeSize) {}
    void Put(unsigned code, unsigned bits);
    // The image data: the minimum code size, sub-blocks of at most 255 bytes, the terminator.
    std::vector<BYTE> Finish();

private:
    unsigned m_nMinCodeSize;
    unsigned m_nBits = 0;   // held in m_nPending
    unsigned m_nPending = 0;
    std::vector<BYTE> m_packed;
};

// Colour indices as LZW image data whose code table is cleared before it fills.
std::vector<BYTE> EncodeGifImageData(const std::vector<BYTE>& pixels, int minCodeSize);

// GIF data with the image data of every frame decoded and written anew with a table that never fills: the
// platform's decoder misreads a table that fills and is used on (as long frames of some encoders have it)
// and drops or garbles such frames. TRUE with the new data; FALSE (rewritten left empty) for data that is not
// a GIF with a complete header. An image whose data does not decode, or larger than kMaxGifRewritePixels,
// keeps it as it was.
BOOL RewriteGifImageData(const BYTE* data, size_t size, std::vector<BYTE>& rewritten);

// GIF data whose blocks end without a trailer (for example followed by the zeros a pack entry is padded
// with): ended is the data up to the end of its last whole block, then a trailer, and the result TRUE.
// FALSE (ended left empty) for data that is not a GIF, has no block, or already ends with a trailer.
BOOL EndGifWithTrailer(const BYTE* data, size_t size, std::vector<BYTE>& ended);
