// The player's picture loader for animated pictures: GIF data split into frames for CAniPicture.
#include "show/AniPicture.h"
#include "show/Picture.h"
#include "player/GifFrames.h"

namespace
{

// Pixel size of a decoded picture from its HIMETRIC size at the screen's resolution.
void PictureSize(IPicture* picture, int& width, int& height)
{
    OLE_XSIZE_HIMETRIC hmWidth = 0;
    OLE_YSIZE_HIMETRIC hmHeight = 0;
    picture->get_Width(&hmWidth);
    picture->get_Height(&hmHeight);
    int ppiX = 96, ppiY = 96;
    if (HDC screen = GetDC(nullptr))
    {
        ppiX = GetDeviceCaps(screen, LOGPIXELSX);
        ppiY = GetDeviceCaps(screen, LOGPIXELSY);
        ReleaseDC(nullptr, screen);
    }
    width = MulDiv(hmWidth, ppiX, 2540);
    height = MulDiv(hmHeight, ppiY, 2540);
}

}   // namespace

BOOL CAniPicture::LoadFromMemory(const void* data, DWORD size)
{
    FreeFrames();
    const BYTE* bytes = static_cast<const BYTE*>(data);
    if (!bytes || size == 0)
        return FALSE;

    GifInfo info = ReadGifInfo(bytes, size);
    std::vector<GifFrameBlock> blocks;
    if (info.headerComplete && CountGifFrames(bytes, size) > 1)
        SplitGifFrames(bytes, size, blocks);

    if (blocks.empty())
    {
        // Not a GIF, or a GIF of one frame: the whole data as one picture.
        IPicture* picture = nullptr;
        if (FAILED(LoadOlePicture(bytes, size, &picture)) || !picture)
            return FALSE;
        int width = 0, height = 0;
        PictureSize(picture, width, height);
        if (info.headerComplete)
        {
            width = info.width;
            height = info.height;
        }
        SetSinglePicture(picture);
        m_nWidth = width;
        m_nHeight = height;
        m_bLoaded = width > 0 && height > 0;
        return m_bLoaded;
    }

    for (const GifFrameBlock& block : blocks)
    {
        IPicture* picture = nullptr;
        if (FAILED(LoadOlePicture(block.data.data(), static_cast<DWORD>(block.data.size()), &picture)) || !picture)
            continue;   // a frame that does not decode is dropped
        AddFrame(picture, block.width, block.height, block.x, block.y, block.delay, block.disposal);
    }
    // Frames are composed on the logical screen; without one there is nothing to play them on.
    if (m_arrFrames.empty() || info.width <= 0 || info.height <= 0)
    {
        FreeFrames();
        return FALSE;
    }
    m_nWidth = info.width;
    m_nHeight = info.height;
    m_bAnimationEnabled = TRUE;
    m_bLoaded = TRUE;
    return TRUE;
}
