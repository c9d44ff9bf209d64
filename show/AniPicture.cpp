#include "show/AniPicture.h"

#include "show/GifFrames.h"
#include "show/Picture.h"

namespace
{

// Copies the bitmap's area at (xSrc, ySrc) to (x, y, cx, cy) of the target.
void BlitFrom(CDC& target, CBitmap& bitmap, int x, int y, int cx, int cy, int xSrc, int ySrc)
{
    if (!target.GetSafeHdc() || !bitmap.GetSafeHandle() || cx <= 0 || cy <= 0)
        return;
    CDC mem;
    if (!mem.CreateCompatibleDC(&target))
        return;
    CBitmap* old = mem.SelectObject(&bitmap);
    target.BitBlt(x, y, cx, cy, &mem, xSrc, ySrc, SRCCOPY);
    mem.SelectObject(old);
}

}   // namespace

CAniPicture::CAniPicture()
    : m_nWidth(0), m_nHeight(0), m_nCurrentFrame(-1), m_bAnimationEnabled(TRUE), m_bPlaying(FALSE),
      m_bLoaded(FALSE), m_bBackgroundSaved(FALSE), m_pSinglePicture(nullptr), m_hOwnerWnd(nullptr),
      m_nFirstDueFrame(0), m_nFramesDue(0), m_nFramesComposed(0)
{
}

CAniPicture::~CAniPicture()
{
    FreeFrames();
    m_dcComposition.DeleteDC();
    m_bmpComposition.DeleteObject();
    m_bmpBackground.DeleteObject();
    m_bmpAreaSave.DeleteObject();
}

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
        // Not a GIF, a GIF of one frame or one beyond the bounds of a split: the whole data as one picture.
        IPicture* picture = nullptr;
        if (FAILED(LoadOlePicture(bytes, size, &picture)) || !picture)
            return FALSE;
        int width = 0, height = 0;
        OlePicturePixelSize(picture, width, height);
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

void CAniPicture::AddFrame(IPicture* picture, int width, int height, int x, int y, int delay, int disposal)
{
    CAniFrame frame;
    frame.pPicture = picture;
    frame.nWidth = width;
    frame.nHeight = height;
    frame.nX = x;
    frame.nY = y;
    frame.nDelay = delay;
    frame.nDisposal = disposal;
    m_arrFrames.push_back(frame);
}

void CAniPicture::SetSinglePicture(IPicture* picture)
{
    if (m_pSinglePicture && m_pSinglePicture != picture)
        m_pSinglePicture->Release();
    m_pSinglePicture = picture;
}

void CAniPicture::FreeFrames()
{
    Stop();
    for (CAniFrame& frame : m_arrFrames)
        if (frame.pPicture)
            frame.pPicture->Release();
    m_arrFrames.clear();
    if (m_pSinglePicture)
    {
        m_pSinglePicture->Release();
        m_pSinglePicture = nullptr;
    }
    m_nCurrentFrame = -1;
    m_bLoaded = FALSE;
}

BOOL CAniPicture::IsAnimated() const
{
    return (m_bAnimationEnabled && m_arrFrames.size() > 1) ? TRUE : FALSE;
}

int CAniPicture::FrameWait(int delay)
{
    return delay > 4 ? delay * 10 : 100;
}

BOOL CAniPicture::Start(CWnd* pWnd, CDC* pDC, int x, int y, int xOffset, int yOffset)
{
    if (!m_bLoaded || m_nWidth <= 0 || m_nHeight <= 0)
        return FALSE;
    m_hOwnerWnd = pWnd ? pWnd->m_hWnd : nullptr;
    if (!m_bBackgroundSaved)
        SaveBackground(x, y, m_nWidth, m_nHeight, xOffset, yOffset);
    m_rcPicture.SetRect(x + xOffset, y + yOffset, x + xOffset + m_nWidth, y + yOffset + m_nHeight);

    if (IsAnimated())
    {
        // One frame thread per picture.
        if (!m_bBackgroundSaved || m_Thread.IsRunning())
            return FALSE;
        const int count = GetFrameCount();
        m_nFirstDueFrame = (m_nCurrentFrame + 1) % count;
        m_nFramesComposed = 0;
        m_nFramesDue = 1;   // the first frame shows at once
        if (!m_Thread.Start(&CAniPicture::ThreadProc, this))
            return FALSE;
        if (m_hOwnerWnd)
            ::InvalidateRect(m_hOwnerWnd, &m_rcPicture, FALSE);
        return FALSE;
    }

    IPicture* picture = m_pSinglePicture;
    if (!picture && !m_arrFrames.empty())
        picture = m_arrFrames[0].pPicture;
    // Later paints copy the composition surface: it shows the picture too.
    if (m_bBackgroundSaved)
        RenderOlePicture(picture, m_dcComposition.GetSafeHdc(), 0, 0, m_nWidth, m_nHeight);
    if (!pDC || !RenderOlePicture(picture, pDC->GetSafeHdc(), x, y, m_nWidth, m_nHeight))
        return FALSE;
    if (m_hOwnerWnd)
        ::InvalidateRect(m_hOwnerWnd, &m_rcPicture, FALSE);
    return TRUE;
}

void CAniPicture::Stop()
{
    m_bPlaying = FALSE;
    m_Thread.StopAndWait();
}

void CAniPicture::Draw(CDC* pDC, int x, int y)
{
    if (!pDC || !m_bBackgroundSaved || !m_dcComposition.GetSafeHdc())
        return;
    ComposeDueFrames();
    if (m_rcSource.IsRectEmpty())
        pDC->BitBlt(x, y, m_nWidth, m_nHeight, &m_dcComposition, 0, 0, SRCCOPY);
    else
        pDC->BitBlt(x, y, m_rcSource.Width(), m_rcSource.Height(), &m_dcComposition, m_rcSource.left,
                    m_rcSource.top, SRCCOPY);
}

void CAniPicture::SaveArea(CDC* pDC, CBitmap* pBitmap, int x, int y, int cx, int cy)
{
    if (!pBitmap)
        return;
    pBitmap->DeleteObject();
    if (!pDC || !pDC->GetSafeHdc() || cx <= 0 || cy <= 0 || !pBitmap->CreateCompatibleBitmap(pDC, cx, cy))
        return;
    CDC mem;
    if (!mem.CreateCompatibleDC(pDC))
    {
        pBitmap->DeleteObject();
        return;
    }
    CBitmap* old = mem.SelectObject(pBitmap);
    mem.BitBlt(0, 0, cx, cy, pDC, x, y, SRCCOPY);
    mem.SelectObject(old);
}

void CAniPicture::SaveBackground(int x, int y, int nWidth, int nHeight, int xOffset, int yOffset)
{
    if (nWidth <= 0 || nHeight <= 0)
        return;
    HDC hWindowDC = ::GetDC(m_hOwnerWnd);   // no window: the screen
    if (!hWindowDC)
        return;
    CDC dcWindow;
    dcWindow.Attach(hWindowDC);
    SaveArea(&dcWindow, &m_bmpBackground, x + xOffset, y + yOffset, nWidth, nHeight);
    m_dcComposition.DeleteDC();
    m_bmpComposition.DeleteObject();
    if (m_bmpBackground.GetSafeHandle() && m_dcComposition.CreateCompatibleDC(&dcWindow) &&
        m_bmpComposition.CreateCompatibleBitmap(&dcWindow, nWidth, nHeight))
    {
        m_dcComposition.SelectObject(&m_bmpComposition);
        m_dcComposition.BitBlt(0, 0, nWidth, nHeight, &dcWindow, x, y, SRCCOPY);
        m_bBackgroundSaved = TRUE;
        m_nCurrentFrame = -1;
    }
    else
    {
        m_dcComposition.DeleteDC();
        m_bmpComposition.DeleteObject();
    }
    dcWindow.Detach();
    ::ReleaseDC(m_hOwnerWnd, hWindowDC);
}

unsigned __stdcall CAniPicture::ThreadProc(void* param)
{
    CAniPicture* self = static_cast<CAniPicture*>(param);
    self->m_bPlaying = TRUE;
    self->RunFrames();
    self->m_bPlaying = FALSE;
    return 0;
}

void CAniPicture::RunFrames()
{
    // The frames and the rectangle stay as they are while the thread runs: the owner stops it before it
    // changes them.
    const int count = GetFrameCount();
    int shown = m_nFirstDueFrame;
    while (!m_Thread.StopRequested())
    {
        m_Thread.Pause(static_cast<DWORD>(FrameWait(m_arrFrames[shown].nDelay)));
        if (m_Thread.StopRequested())
            break;
        ++m_nFramesDue;
        if (m_hOwnerWnd)
            ::InvalidateRect(m_hOwnerWnd, &m_rcPicture, FALSE);
        shown = (shown + 1) % count;
    }
}

void CAniPicture::RestoreFromBackground(const CAniFrame& frame)
{
    // The saved background lies under the whole picture, so a frame's area is found at the frame's own
    // place in it.
    BlitFrom(m_dcComposition, m_bmpBackground, frame.nX, frame.nY, frame.nWidth, frame.nHeight, frame.nX,
             frame.nY);
}

void CAniPicture::ComposeDueFrames()
{
    const unsigned count = static_cast<unsigned>(GetFrameCount());
    if (count == 0)
        return;
    const unsigned due = m_nFramesDue.load();
    // A painting that comes late (a hidden window) leaves out whole rounds of the frames it missed, so that
    // it ends on the frame the worker times.
    const unsigned behind = due - m_nFramesComposed;
    if (behind > count)
        m_nFramesComposed = due - ((behind - 1) % count + 1);
    while (m_nFramesComposed != due)
    {
        ComposeNextFrame();
        ++m_nFramesComposed;
    }
}

void CAniPicture::ComposeNextFrame()
{
    const int count = GetFrameCount();
    int next = 0;
    if (m_nCurrentFrame >= 0 && m_nCurrentFrame < count)
    {
        const CAniFrame& current = m_arrFrames[m_nCurrentFrame];
        if (current.nDisposal == 2)
            RestoreFromBackground(current);
        else if (current.nDisposal == 3 && m_bmpAreaSave.GetSafeHandle())
        {
            BlitFrom(m_dcComposition, m_bmpAreaSave, current.nX, current.nY, current.nWidth, current.nHeight, 0,
                     0);
            m_bmpAreaSave.DeleteObject();
        }
        next = m_nCurrentFrame + 1;
        if (next >= count)
        {
            // A new round starts over the background alone: what earlier frames left outside the first
            // frame's picture goes too.
            next = 0;
            BlitFrom(m_dcComposition, m_bmpBackground, 0, 0, m_nWidth, m_nHeight, 0, 0);
        }
    }
    const CAniFrame& frame = m_arrFrames[next];
    if (frame.nDisposal == 3)
        SaveArea(&m_dcComposition, &m_bmpAreaSave, frame.nX, frame.nY, frame.nWidth, frame.nHeight);
    RenderOlePicture(frame.pPicture, m_dcComposition.GetSafeHdc(), frame.nX, frame.nY, frame.nWidth,
                     frame.nHeight);
    m_nCurrentFrame = next;
}
