// The base of every object placed on a slide (text, image, rectangle) and the worker thread that the
// animated kinds run their entrance animation on.
#pragma once

#include "framework/win/Framework.h"

#include <atomic>

class CSettingsFile;
class CProjectPack;

class CSlideBasicObj : public CObject
{
    DECLARE_DYNAMIC(CSlideBasicObj)
public:
    CSlideBasicObj();
    ~CSlideBasicObj() override;

    // The text of a text object, the file of an image, the mode description of a rectangle.
    virtual void GetInfoText(CString& text) = 0;
    // Releases what the object holds and sets its fields to their defaults.
    virtual void SetDefaults() = 0;
    // Releases fonts, pictures and captured bitmaps; empties position and text or file.
    virtual void Clear() = 0;
    // Reads or writes the keys of object number n of a slide section.
    virtual void Load(int n, CSettingsFile& file, const char* section) = 0;
    virtual void Save(int n, CSettingsFile& file, const char* section) = 0;
    // Show-time painting at the object's position.
    virtual void Paint(CDC* dc) = 0;
    // Editor and thumbnail drawing: offset by the canvas's top-left corner, with a number label (none when
    // negative) and a selection frame; drawn receives the rectangle drawn.
    virtual void Draw(CDC* dc, const CRect& canvas, int number, BOOL selected, CRect& drawn) = 0;
    // One step of the entrance animation; TRUE when the object has reached its final state.
    virtual BOOL AnimateStep(CDC* dc, int step, int counter, int elapsed) = 0;
    virtual void GetAnimationName(CString& name) = 0;
    virtual int GetAnimationIndex() = 0;
    // Makes the object ready to paint in the window (either may be null).
    virtual void Prepare(const CProjectPack* pack, CWnd* window) = 0;
    virtual void SetTextAt(int x, int y, COLORREF color, const char* text) = 0;
    virtual void StopPlayback() = 0;
    // Stops playback and asks the animation thread to stop; non-zero while a thread still runs.
    virtual int StopAnimation() = 0;
    virtual void Describe(CString& text) = 0;
    virtual void GetRect(CRect& rect) = 0;

    // The pixels per step (1 .. 100) of a moving or growing object's speed, given in pixels per 28 steps.
    static int StepForSpeed(int speed);

    char m_cLanguage;   // 'E' or 'G'
    int m_nX;           // position on the slide, pixels
    int m_nY;
    int m_nDelay;      // milliseconds the player waits before it shows the object
    BOOL m_bVisible;   // the object has appeared during playback

protected:
    CSlideBasicObj(const CSlideBasicObj&) = delete;
    CSlideBasicObj& operator=(const CSlideBasicObj&) = delete;

    // Takes the fields every object has: language, position, delay and visibility.
    void CopyBaseFrom(const CSlideBasicObj& other);

    // " n " in black on red at (x, y); background mode and colour are restored.
    static void DrawNumberLabel(CDC* dc, int x, int y, int number);
    // The editor's selection outline: white, then black cross-hatched.
    static void DrawSelectionFrame(CDC* dc, const CRect& rect);
    // Right or bottom edge of a span, held inside the coordinate range.
    static LONG FarEdge(int origin, int size);
    // Top-left corner of a w x h box moved to (x, y) and kept inside a width x height area.
    static CPoint PlaceInside(int x, int y, int w, int h, int width, int height);
};

// The worker thread of an animated object. The owner alone holds and closes the thread handle; the thread
// only reads the stop request and pauses on the stop event, which a stop request signals so that the worker
// wakes at once. Everything here is called on the owner's (user-interface) thread, except StopRequested and
// Pause, which the worker calls.
class CObjectThread
{
public:
    typedef unsigned(__stdcall* ThreadProc)(void* param);

    CObjectThread();
    ~CObjectThread();   // stops the thread and waits for it
    CObjectThread(const CObjectThread&) = delete;
    CObjectThread& operator=(const CObjectThread&) = delete;

    // Starts the thread suspended and then resumes it, with the stop request cleared. FALSE when it could
    // not be started.
    BOOL Start(ThreadProc proc, void* param);
    // TRUE while the thread runs; once it has ended its handle is closed.
    BOOL IsRunning();
    // Asks a running thread to stop; does not wait.
    void RequestStop();
    // Asks the thread to stop, waits for it to end and closes its handle.
    void StopAndWait();

    BOOL StopRequested() const { return m_bStopRequest.load() ? TRUE : FALSE; }
    // The worker's pause between steps.
    void Pause(DWORD milliseconds);

private:
    HANDLE m_hThread;
    HANDLE m_hStopEvent;   // manual reset, made with the first thread: a show holds thousands of objects
                           // and few of them ever animate
    std::atomic<bool> m_bStopRequest;
};
