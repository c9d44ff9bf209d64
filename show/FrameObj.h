// The rectangle object of a slide: fills its area with a colour, or lightens, darkens or tints what lies
// under it, optionally with a one-pixel frame; it can grow into place from one edge, driven by a worker
// thread that only asks the window to repaint.
#pragma once

#include "show/EffectNames.h"
#include "show/SlideBasicObj.h"

// What the rectangle dialog hands to CSlideObjSlot::CreateRectangle.
struct FrameObjRecord
{
    int nKind;   // 3 for a rectangle
    int nX;
    int nY;
    int nHeight;
    int nWidth;
    int nAnimation;
    int nSpeed;
    int nFillMode;
    int nBlue;
    int nGreen;
    int nRed;
    int nLight;
    BOOL bFrame;
    COLORREF crFill;
    COLORREF crFrame;
};

class CFrameObj : public CSlideBasicObj
{
    DECLARE_DYNAMIC(CFrameObj)
public:
    enum
    {
        FILL_SOLID = 0,
        FILL_LIGHTEN = 1,
        FILL_COLORIZE = 2
    };
    enum
    {
        MIN_SPEED = 25,
        MAX_SPEED = 2500,
        MAX_STEPS = 650
    };

    CFrameObj();
    ~CFrameObj() override;

    void GetInfoText(CString& text) override;
    void SetDefaults() override;
    void Clear() override;
    void Load(int n, CSettingsFile& file, const char* section) override;
    void Save(int n, CSettingsFile& file, const char* section) override;
    void Paint(CDC* dc) override;
    void Draw(CDC* dc, const CRect& canvas, int number, BOOL selected, CRect& drawn) override;
    BOOL AnimateStep(CDC* dc, int step, int counter, int elapsed) override;
    void GetAnimationName(CString& name) override;
    int GetAnimationIndex() override;
    void Prepare(const CProjectPack* pack, CWnd* window) override;
    void SetTextAt(int x, int y, COLORREF color, const char* text) override;
    void StopPlayback() override;
    // Non-zero while the animation thread still runs.
    int StopAnimation() override;
    void Describe(CString& text) override;
    void GetRect(CRect& rect) override;

    void CopyFrom(const CFrameObj& other);
    // Delay, fill, frame, animation and speed; not position or size.
    void CopyStyleFrom(const CFrameObj& other);
    void SetFromRecord(const FrameObjRecord& record);
    // Moves to (x, y) inside an area of width x height, the size capped at the area.
    void MoveTo(int x, int y, int width, int height);
    // The editor's drag outline at point, and the drop of the rectangle at (x, y).
    void TrackRectangle(CPoint point, CWnd* window);
    void DropRectangle(int x, int y);
    void PaintAt(CDC* dc, int x, int y);
    // Forgets the captured background and its processed copy.
    void DeleteBitmaps();

    BOOL IsAnimationRunning() { return m_Thread.IsRunning(); }
    // The part of the rectangle grown so far.
    CRect GetAnimationRect() const;

    // The speed held to 25 .. 2500.
    static int ClampSpeed(int speed);
    // One step of the growth towards full; TRUE when it would pass full (grown is then set to full).
    static BOOL GrowStep(int step, int full, int& grown);
    // The animation rectangle of a rectangle at full with grown pixels in the direction of the animation.
    static CRect AnimationRect(int animation, const CRect& full, int grown);
    // Adds the amounts to every pixel (blue, green, red; each sum held to 0 .. 255) of 32-bit pixels.
    static void AdjustPixels(DWORD* pixels, size_t count, int blue, int green, int red);

    CFillAnimNames m_Animation;
    int m_nHeight;
    int m_nWidth;
    int m_nFillMode;
    int m_nBlue;
    int m_nGreen;
    int m_nRed;
    int m_nLight;
    BOOL m_bFrame;
    COLORREF m_crFill;
    COLORREF m_crFrame;
    int m_nSpeed;   // pixels per 28 steps
    HWND m_hWnd;    // the window the animation invalidates
    BOOL m_bDragging;
    CRect m_rcDrag;
    CBitmap m_bmpBackground;   // the area under the rectangle, captured at the first paint
    CBitmap m_bmpProcessed;    // the background lightened or colourised
    BOOL m_bAnimating;
    int m_nStep;

protected:
    static unsigned __stdcall AnimationThread(void* param);
    void RunAnimation();
    // Makes the processed bitmap from the background (DIB walk), or adjusts the pixels of area on the DC
    // directly when it has neither 3 nor 4 bytes per pixel.
    void Process(CDC* dc, const CRect& area);
    void StopThread();

    CObjectThread m_Thread;
    // Fixed before the thread starts: the rectangle being animated, its animation, full size, step, window.
    CRect m_rcFull;
    int m_nThreadAnimation;
    int m_nThreadFull;
    int m_nThreadStep;
    HWND m_hThreadWnd;
    std::atomic<int> m_nGrown;   // written by the thread, read by painting
    CRect m_rcCaptured;          // the part of the rectangle whose background was captured
};
