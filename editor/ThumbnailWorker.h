// The thumbnail worker: draws slide thumbnails on a thread of its own, from copies of the slides and of the
// pack entries they show, taken on the user-interface thread before it starts. So the worker reads nothing
// the user can change meanwhile. Each finished thumbnail is a bitmap the worker made; it is handed over
// through a queue and a posted message ("cell ready"), and the user-interface thread puts it in place and
// paints. The owner stops the worker (and waits for it) before it frees anything the worker uses.
#pragma once

#include "framework/win/Framework.h"
#include "show/ProjectPack.h"
#include "show/Slide.h"
#include "show/ThumbnailPainter.h"

#include <atomic>
#include <memory>
#include <mutex>
#include <vector>

// One slide to draw: the cell it belongs to and the cell's revision when the copy was taken (a result for
// an older revision is stale).
struct CThumbnailJob
{
    int cell = -1;
    UINT revision = 0;
    std::unique_ptr<CSlide> slide;
};

// One thumbnail drawn: the bitmap (null when the slide could not be drawn) and the background's size.
struct CThumbnailResult
{
    int cell = -1;
    UINT revision = 0;
    std::unique_ptr<CBitmap> bitmap;
    int pictureWidth = 0;
    int pictureHeight = 0;
};

// The slides and the pack entries a set of jobs needs, taken from the document on the user-interface thread.
struct CThumbnailSnapshot
{
    std::vector<CThumbnailJob> jobs;
    std::unique_ptr<CProjectPack> pack;

    CThumbnailSnapshot();
    // Adds a copy of the slide (sized to the slide size) and copies of the pack entries it shows.
    void Add(int cell, UINT revision, const CSlide& slide, int slideWidth, int slideHeight, const CProjectPack& source);
};

// Draws the thumbnail of a slide copy at width x height with the painter (its pictures come from the
// painter's pack). Safe on any thread that owns the painter: it touches no window.
CThumbnailResult RenderThumbnail(CThumbnailPainter& painter, CSlide& slide, int width, int height);

class CThumbnailWorker
{
public:
    CThumbnailWorker();
    ~CThumbnailWorker();   // stops the worker and frees what it handed over and nobody took
    CThumbnailWorker(const CThumbnailWorker&) = delete;
    CThumbnailWorker& operator=(const CThumbnailWorker&) = delete;

    // Starts drawing the snapshot's slides in order, each at width x height; after each one the message
    // goes to the window (wParam: the cell). A worker that runs is stopped first. FALSE when no thread
    // could be made.
    BOOL Start(CThumbnailSnapshot snapshot, int width, int height, HWND notify, UINT message);
    // Asks the worker to stop after the slide it draws and waits for it; messages sent to this thread
    // meanwhile are handled (a window of the worker's would otherwise wait for us).
    void Stop();
    BOOL IsRunning() const;
    // TRUE from the start until the thread has finished its slides (or was stopped): readable on any thread.
    BOOL IsBusy() const { return m_busy.load(); }
    // The thumbnails handed over since the last call; the caller owns their bitmaps.
    std::vector<CThumbnailResult> TakeResults();
    // Slides drawn in the current or last run.
    int GetDrawnCount() const { return m_nDrawn.load(); }

private:
    static unsigned __stdcall ThreadMain(void* parameter);
    void Run();
    void Join();

    HANDLE m_hThread = nullptr;
    std::atomic<bool> m_stop{false};
    std::atomic<int> m_nDrawn{0};
    std::atomic<bool> m_busy{false};
    CThumbnailSnapshot m_snapshot;
    int m_nWidth = 0;
    int m_nHeight = 0;
    HWND m_hWndNotify = nullptr;
    UINT m_nMessage = 0;
    std::mutex m_mutex;
    std::vector<CThumbnailResult> m_results;
};
