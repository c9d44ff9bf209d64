#include "show/AniPicture.h"

#include "show/Picture.h"

#include <process.h>

namespace
{

// Holds the composition surface for one thread at a time.
class CSurfaceLock
{
public:
    explicit CSurfaceLock(CRITICAL_SECTION& cs) : m_cs(cs) { ::EnterCriticalSection(&m_cs); }
    ~CSurfaceLock() { ::LeaveCriticalSection(&m_cs); }
    CSurfaceLock(const CSurfaceLock&) = delete;
    CSurfaceLock& operator=(const CSurfaceLock&) = delete;

private:
    CRITICAL_SECTION& m_cs;
};

// Copies (x, y, cx, cy) of hSource into a new bitmap. The frame thread uses this too, so it stays on plain
// handles.
HBITMAP CopyArea(HDC hSource, int x, int y, int cx, int cy)
{
    if (!hSource || cx <= 0 || cy <= 0)
        return nullptr;
    HBITMAP hBitmap = ::CreateCompatibleBitmap(hSource, cx, cy);
    if (!hBitmap)
        return nullptr;
    HDC hMem = ::CreateCompatibleDC(hSource);
    if (!hMem)
    {
        ::DeleteObject(hBitmap);
        return nullptr;
    }
    HGDIOBJ hOld = ::SelectObject(hMem, hBitmap);
    ::BitBlt(hMem, 0, 0, cx, cy, hSource, x, y, SRCCOPY);
    ::SelectObject(hMem, hOld);
    ::DeleteDC(hMem);
    return hBitmap;
}

// Copies the bitmap's area at (xSrc, ySrc) to (x, y, cx, cy) of the target.
void BlitFrom(HDC hTarget, HBITMAP hBitmap, int x, int y, int cx, int cy, int xSrc, int ySrc)
{
    if (!hTarget || !hBitmap || cx <= 0 || cy <= 0)
        return;
    HDC hMem = ::CreateCompatibleDC(hTarget);
    if (!hMem)
        return;
    HGDIOBJ hOld = ::SelectObject(hMem, hBitmap);
    ::BitBlt(hTarget, x, y, cx, cy, hMem, xSrc, ySrc, SRCCOPY);
    ::SelectObject(hMem, hOld);
    ::DeleteDC(hMem);
}

}   // namespace

CAniPicture::CAniPicture()
    : m_nWidth(0), m_nHeight(0), m_nCurrentFrame(0), m_bAnimationEnabled(TRUE), m_bPlaying(FALSE),
      m_bStopRequest(FALSE), m_bLoaded(FALSE), m_bBackgroundSaved(FALSE), m_hThread(nullptr),
      m_hStopEvent(::CreateEventA(nullptr, TRUE, FALSE, nullptr)), m_pSinglePicture(nullptr), m_hOwnerWnd(nullptr)
{
    ::InitializeCriticalSection(&m_csSurface);
}

CAniPicture::~CAniPicture()
{
    FreeFrames();
    m_dcComposition.DeleteDC();
    m_bmpComposition.DeleteObject();
    m_bmpBackground.DeleteObject();
    m_bmpAreaSave.DeleteObject();
    if (m_hStopEvent)
        ::CloseHandle(m_hStopEvent);
    ::DeleteCriticalSection(&m_csSurface);
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
    JoinThread();
    for (CAniFrame& frame : m_arrFrames)
        if (frame.pPicture)
            frame.pPicture->Release();
    m_arrFrames.clear();
    if (m_pSinglePicture)
    {
        m_pSinglePicture->Release();
        m_pSinglePicture = nullptr;
    }
    m_nCurrentFrame = 0;
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
        if (!m_bBackgroundSaved)
            return FALSE;
        if (m_hThread)
        {
            // Still playing: one frame thread per picture.
            if (::WaitForSingleObject(m_hThread, 0) == WAIT_TIMEOUT)
                return FALSE;
            JoinThread();
        }
        m_bStopRequest = FALSE;
        if (m_hStopEvent)
            ::ResetEvent(m_hStopEvent);
        unsigned threadId = 0;
        HANDLE hThread = reinterpret_cast<HANDLE>(
            _beginthreadex(nullptr, 0, &CAniPicture::ThreadProc, this, CREATE_SUSPENDED, &threadId));
        if (!hThread)
            return FALSE;
        m_hThread = hThread;
        ::ResumeThread(hThread);
        return FALSE;
    }

    IPicture* picture = m_pSinglePicture;
    if (!picture && !m_arrFrames.empty())
        picture = m_arrFrames[0].pPicture;
    if (!pDC || !RenderOlePicture(picture, pDC->GetSafeHdc(), x, y, m_nWidth, m_nHeight))
        return FALSE;
    if (m_hOwnerWnd)
        ::InvalidateRect(m_hOwnerWnd, &m_rcPicture, FALSE);
    return TRUE;
}

void CAniPicture::Stop()
{
    m_bPlaying = FALSE;
    m_bStopRequest = TRUE;
    if (m_hStopEvent)
        ::SetEvent(m_hStopEvent);
    if (m_hThread)
    {
        // A thread that does not end in time keeps its request and its handle; whoever frees what it
        // uses waits for it first (JoinThread).
        if (::WaitForSingleObject(m_hThread, 1000) != WAIT_OBJECT_0)
            return;
        ::CloseHandle(m_hThread);
        m_hThread = nullptr;
    }
    if (m_hStopEvent)
        ::ResetEvent(m_hStopEvent);
    m_bStopRequest = FALSE;
}

void CAniPicture::JoinThread()
{
    if (!m_hThread)
        return;
    m_bStopRequest = TRUE;
    if (m_hStopEvent)
        ::SetEvent(m_hStopEvent);
    ::WaitForSingleObject(m_hThread, INFINITE);
    ::CloseHandle(m_hThread);
    m_hThread = nullptr;
    if (m_hStopEvent)
        ::ResetEvent(m_hStopEvent);
    m_bStopRequest = FALSE;
}

void CAniPicture::Draw(CDC* pDC, int x, int y)
{
    if (!pDC || !m_bBackgroundSaved)
        return;
    CSurfaceLock lock(m_csSurface);
    if (!m_dcComposition.GetSafeHdc())
        return;
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
    if (!pDC)
        return;
    HBITMAP hBitmap = CopyArea(pDC->GetSafeHdc(), x, y, cx, cy);
    if (hBitmap)
        pBitmap->Attach(hBitmap);
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
    {
        CSurfaceLock lock(m_csSurface);
        m_dcComposition.DeleteDC();
        m_bmpComposition.DeleteObject();
        if (m_bmpBackground.GetSafeHandle() && m_dcComposition.CreateCompatibleDC(&dcWindow) &&
            m_bmpComposition.CreateCompatibleBitmap(&dcWindow, nWidth, nHeight))
        {
            m_dcComposition.SelectObject(&m_bmpComposition);
            m_dcComposition.BitBlt(0, 0, nWidth, nHeight, &dcWindow, x, y, SRCCOPY);
            m_bBackgroundSaved = TRUE;
        }
        else
        {
            m_dcComposition.DeleteDC();
            m_bmpComposition.DeleteObject();
        }
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

void CAniPicture::RestoreFromBackground(HDC hSurface, const CAniFrame& frame)
{
    // The saved background lies under the whole picture, so a frame's area is found at the frame's own
    // place in it.
    BlitFrom(hSurface, static_cast<HBITMAP>(m_bmpBackground.GetSafeHandle()), frame.nX, frame.nY, frame.nWidth,
             frame.nHeight, frame.nX, frame.nY);
}

void CAniPicture::RunFrames()
{
    const int count = static_cast<int>(m_arrFrames.size());
    if (count == 0)
        return;
    int current = m_nCurrentFrame;
    if (current < 0 || current >= count)
        current = 0;
    const HDC hSurface = m_dcComposition.GetSafeHdc();

    if (m_arrFrames[current].nDisposal == 2)
    {
        CSurfaceLock lock(m_csSurface);
        RestoreFromBackground(hSurface, m_arrFrames[current]);
    }

    while (!m_bStopRequest)
    {
        const CAniFrame& frame = m_arrFrames[current];
        if (frame.pPicture)
        {
            BOOL drawn;
            {
                CSurfaceLock lock(m_csSurface);
                if (frame.nDisposal == 3)
                {
                    m_bmpAreaSave.DeleteObject();
                    HBITMAP hArea = CopyArea(hSurface, frame.nX, frame.nY, frame.nWidth, frame.nHeight);
                    if (hArea)
                        m_bmpAreaSave.Attach(hArea);
                }
                drawn =
                    RenderOlePicture(frame.pPicture, hSurface, frame.nX, frame.nY, frame.nWidth, frame.nHeight);
            }
            if (drawn && m_hOwnerWnd)
                ::InvalidateRect(m_hOwnerWnd, &m_rcPicture, FALSE);
        }
        if (m_bStopRequest)
            break;
        ::WaitForSingleObject(m_hStopEvent, static_cast<DWORD>(FrameWait(frame.nDelay)));
        if (m_bStopRequest)
            break;

        {
            CSurfaceLock lock(m_csSurface);
            if (frame.nDisposal == 2)
            {
                RestoreFromBackground(hSurface, frame);
            }
            else if (frame.nDisposal == 3 && m_bmpAreaSave.GetSafeHandle())
            {
                BlitFrom(hSurface, static_cast<HBITMAP>(m_bmpAreaSave.GetSafeHandle()), frame.nX, frame.nY,
                         frame.nWidth, frame.nHeight, 0, 0);
                m_bmpAreaSave.DeleteObject();
            }
        }
        if (++current >= count)
        {
            current = 0;
            CSurfaceLock lock(m_csSurface);
            RestoreFromBackground(hSurface, m_arrFrames[count - 1]);
        }
        m_nCurrentFrame = current;
    }
}
