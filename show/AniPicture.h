// CAniPicture: a picture of several frames (an animated GIF) played over a saved copy of the window
// background. A worker thread only keeps the time: it waits out each frame's delay, counts the frame as
// due and invalidates the picture's rectangle. The owner's painting (Draw, on the user-interface thread)
// composes the due frames into an off-screen surface and copies it to the screen, so that one thread alone
// draws.
#pragma once

#include "framework/win/Framework.h"
#include "show/SlideBasicObj.h"

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

    // GIF data of several frames is split into frames (within the bounds of show/GifFrames.h); a GIF of one
    // frame, one beyond those bounds, or any other picture is loaded whole as a single picture.
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
    // Ends the frame thread: signals it and waits for it (it only ever waits on that signal).
    void Stop();
    BOOL IsAnimated() const;
    BOOL IsPlaying() const { return m_bPlaying.load(); }
    BOOL IsThreadRunning() { return m_Thread.IsRunning(); }
    // Composes the frames that have fallen due, then copies the composition surface (or its source part)
    // to (x, y). User-interface thread only.
    void Draw(CDC* pDC, int x, int y);
    void SaveArea(CDC* pDC, CBitmap* pBitmap, int x, int y, int cx, int cy);
    void SaveBackground(int x, int y, int nWidth, int nHeight, int xOffset, int yOffset);

    // Milliseconds a frame stays: delay x 10 above 4 hundredths, else 100.
    static int FrameWait(int delay);

    std::vector<CAniFrame> m_arrFrames;
    CBitmap m_bmpBackground;   // the window area under the picture
    CRect m_rcPicture;         // invalidated when a frame falls due
    CRect m_rcSource;          // when not empty, the part Draw copies
    int m_nWidth;
    int m_nHeight;
    int m_nCurrentFrame;   // the frame last drawn on the composition surface; -1 none yet
    BOOL m_bAnimationEnabled;
    std::atomic<BOOL> m_bPlaying;
    BOOL m_bLoaded;
    CDC m_dcComposition;
    CBitmap m_bmpComposition;
    BOOL m_bBackgroundSaved;
    CBitmap m_bmpAreaSave;   // the area under the current frame (disposal 3)
    IPicture* m_pSinglePicture;
    HWND m_hOwnerWnd;

protected:
    static unsigned __stdcall ThreadProc(void* param);
    // The worker: waits each frame's time from m_nFirstDueFrame on and counts the frames due.
    void RunFrames();
    // Brings the composition surface up to the frames counted due (at most one round of the frames).
    void ComposeDueFrames();
    // Takes the current frame off the surface by its disposal and draws the next one.
    void ComposeNextFrame();
    void RestoreFromBackground(const CAniFrame& frame);

    CObjectThread m_Thread;
    int m_nFirstDueFrame;                 // the frame the worker's first count shows; set before it starts
    std::atomic<unsigned> m_nFramesDue;   // counted by the worker since Start (the first at once)
    unsigned m_nFramesComposed;           // user-interface thread
};
