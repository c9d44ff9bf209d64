// CAniPicture: a picture of several frames (an animated GIF) played by a worker thread over a saved copy
// of the window background. The thread composes each frame into an off-screen surface and invalidates the
// picture's rectangle; the owner's painting copies the surface to the screen with Draw. The frames are
// filled in by the player's picture loader (AddFrame, SetSinglePicture).
#pragma once

#include "framework/win/Framework.h"

#include <ole2.h>
#include <olectl.h>

#include <atomic>
#include <vector>

struct CAniFrame
{
    IPicture* pPicture = nullptr;   // owned by the CAniPicture
    int nWidth = 0;
    int nHeight = 0;
    int nX = 0;   // place within the whole picture, pixels
    int nY = 0;
    int nDelay = -1;     // hundredths of a second; -1 when the frame gives none
    int nDisposal = 0;   // 2 restore the background, 3 restore the previous contents
};

class CAniPicture
{
public:
    CAniPicture();
    virtual ~CAniPicture();
    CAniPicture(const CAniPicture&) = delete;
    CAniPicture& operator=(const CAniPicture&) = delete;

    // Splits GIF data into frames; built with the player's picture loader.
    BOOL LoadFromMemory(const void* data, DWORD size);

    // Frame list. Both take over the picture reference.
    void AddFrame(IPicture* picture, int width, int height, int x, int y, int delay, int disposal);
    void SetSinglePicture(IPicture* picture);
    // Stops the thread and releases every frame and the single picture; loaded 0.
    void FreeFrames();
    int GetFrameCount() const { return static_cast<int>(m_arrFrames.size()); }

    // Remembers the window, saves the background once and either starts the frame thread (animated:
    // returns FALSE) or draws the single picture at (x, y) into the DC (TRUE when drawn).
    BOOL Start(CWnd* pWnd, CDC* pDC, int x, int y, int xOffset, int yOffset);
    // Ends the frame thread: signals it and waits up to 1000 ms.
    void Stop();
    BOOL IsAnimated() const;
    BOOL IsPlaying() const { return m_bPlaying.load(); }
    // Copies the composition surface (or its source part) to (x, y).
    void Draw(CDC* pDC, int x, int y);
    void SaveArea(CDC* pDC, CBitmap* pBitmap, int x, int y, int cx, int cy);
    void SaveBackground(int x, int y, int nWidth, int nHeight, int xOffset, int yOffset);

    // Milliseconds a frame stays: delay x 10 above 4 hundredths, else 100.
    static int FrameWait(int delay);

    std::vector<CAniFrame> m_arrFrames;
    CBitmap m_bmpBackground;   // the window area under the picture
    CRect m_rcPicture;         // invalidated by the frame thread
    CRect m_rcSource;          // when not empty, the part Draw copies
    int m_nWidth;
    int m_nHeight;
    int m_nCurrentFrame;
    BOOL m_bAnimationEnabled;
    std::atomic<BOOL> m_bPlaying;
    std::atomic<BOOL> m_bStopRequest;
    BOOL m_bLoaded;
    CDC m_dcComposition;
    CBitmap m_bmpComposition;
    BOOL m_bBackgroundSaved;
    CBitmap m_bmpAreaSave;   // the area under the current frame (disposal 3)
    HANDLE m_hThread;        // held and closed by this object alone
    HANDLE m_hStopEvent;
    IPicture* m_pSinglePicture;
    HWND m_hOwnerWnd;

protected:
    static unsigned __stdcall ThreadProc(void* param);
    void RunFrames();
    // Waits for a thread left running after a timed-out Stop, then closes its handle.
    void JoinThread();
    // The frame thread and the painting share the composition surface; one DC is used by one thread at a
    // time.
    CRITICAL_SECTION m_csSurface;

private:
    void RestoreFromBackground(HDC hSurface, const CAniFrame& frame);
};
