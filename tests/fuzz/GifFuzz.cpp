// GIF data split into its frames (the player's animated pictures).
#include "show/GifFrames.h"

#include <cstdint>

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size)
{
    ReadGifInfo(data, size);
    int count = CountGifFrames(data, size);
    std::vector<GifFrameBlock> frames;
    SplitGifFrames(data, size, frames);
    IsAnimatedGif("fuzz.gif", data, size);
    IsGifSplitWithinBounds(data, size);
    std::vector<BYTE> ended;
    if (EndGifWithTrailer(data, size, ended) && (ended.empty() || ended.back() != 0x3B))
        __builtin_trap();   // a still GIF ended for the decoder ends with its trailer
    // Written anew for the decoder, the data keeps its frames; no image decodes to more pixels than asked.
    std::vector<BYTE> rewritten;
    if (RewriteGifImageData(data, size, rewritten) && CountGifFrames(rewritten.data(), rewritten.size()) != count)
        __builtin_trap();
    std::vector<BYTE> pixels;
    size_t used = 0;
    if ((DecodeGifImageData(data, size, 4096, pixels, used) && used > size) || pixels.size() > 4096)
        __builtin_trap();
    // Every frame is a whole one-frame GIF: a header, the global table and its blocks, a trailer.
    if (static_cast<size_t>(count) != frames.size() && !frames.empty())
        __builtin_trap();
    for (const GifFrameBlock& frame : frames)
        if (frame.data.size() < 14 || frame.data.back() != 0x3B || frame.disposal < 0 || frame.disposal > 7)
            __builtin_trap();
    return 0;
}
