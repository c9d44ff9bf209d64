// The image object of a slide: a picture from the show's pack (or a file) drawn at its natural size,
// optionally with one colour transparent, that can slide into place from a window edge, moved by a worker
// thread that only asks the window to repaint.
#pragma once

#include "show/EffectNames.h"
#include "show/Picture.h"
#include "show/SlideBasicObj.h"

#include <memory>

class CAniPicture;

class CImageObj : public CSlideBasicObj
{
    DECLARE_DYNAMIC(CImageObj)
public:
    enum
    {
        MIN_SPEED = 25,
        MAX_SPEED = 2500,
        MAX_STEPS = 1280
    };

    CImageObj();
    ~CImageObj() override;

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
    // Non-zero while the move thread or the animated picture's thread still runs.
    int StopAnimation() override;
    void Describe(CString& text) override;
    void GetRect(CRect& rect) override;

    void Set(int x, int y, const char* file, int animation, int delay, BOOL transparent, COLORREF transparentColor,
             int speed, const CProjectPack* pack);
    void CopyFrom(const CImageObj& other);
    // Delay, animation, transparency and speed.
    void CopyStyleFrom(const CImageObj& other);
    // Loads the picture of FILE from the pack's entry of that name, else from the file.
    void LoadPicture(const CProjectPack* pack);
    // Moves to (x, y) kept inside an area of width x height (a larger picture ends at a negative position).
    void MoveTo(int x, int y, int width, int height);
    void RenderToBitmap();
    void DrawPicture(CDC* dc, const CRect& rect);
    // The still picture of the object for a slide's finished image: an animated picture is drawn from its
    // data as one picture; anything else paints as usual.
    void DrawStill(CDC* dc);
    // Draws the object as Draw does, unnumbered and unselected, with a picture decoded elsewhere from its file
    // in place of its own (the thumbnails of many slides share one per file).
    void DrawShared(CDC* dc, const CRect& canvas, CRenderedPicture& picture);
    // Deletes the animated picture (stopping it first).
    void ReleaseAniPicture();

    BOOL IsMoveRunning() { return m_Thread.IsRunning(); }
    // Where the picture is during the move.
    CRect GetMovingRect() const;

    // The program may load pictures its own way (the player plays animated pictures). The loader runs after
    // the common part of LoadPicture: pack remembered, visible 0, bitmap deleted.
    typedef void (*PictureLoader)(CImageObj& object, const CProjectPack* pack);
    // Installs a loader for as long as it lives; its owner (the player's application) keeps it for the whole
    // run. The loader it replaced comes back when it ends.
    class CLoaderInstallation
    {
    public:
        explicit CLoaderInstallation(PictureLoader loader);
        ~CLoaderInstallation();
        CLoaderInstallation(const CLoaderInstallation&) = delete;
        CLoaderInstallation& operator=(const CLoaderInstallation&) = delete;

    private:
        PictureLoader m_pfnPrevious;
    };

    // The speed held to at most 2500; below 1 it counts as 25.
    static int ClampSpeed(int speed);
    // One step of an edge at pos moving by delta towards target; TRUE when it reached (and was set to) it.
    static BOOL MoveStep(int& pos, int delta, int target);

    CString m_strFile;
    CPicture m_Picture;
    int m_nWidth;   // the picture's size in pixels, taken when it is loaded
    int m_nHeight;
    std::unique_ptr<CAniPicture> m_pAniPicture;   // set when the picture plays as an animation
    BOOL m_bUseAniPicture;
    BOOL m_bAniStarted;
    CWnd* m_pWnd;   // the window given to Prepare
    HWND m_hWnd;
    CBitmap m_Bitmap;   // the picture rendered at its size
    COLORREF m_crTransparent;
    BOOL m_bTransparent;
    CInsertAnimNames m_Animation;
    int m_nSpeed;   // pixels per 28 steps
    BOOL m_bAnimating;
    int m_nStepX;
    int m_nStepY;
    const CProjectPack* m_pPack;   // the pack the picture was last loaded from

protected:
    static unsigned __stdcall MoveThread(void* param);
    void RunMove();
    void StopThread();

    CObjectThread m_Thread;
    std::atomic<int> m_nMoveLeft;   // the moving rectangle's corner, written by the thread
    std::atomic<int> m_nMoveTop;
    int m_nMoveWidth;   // fixed before the thread starts
    int m_nMoveHeight;
    int m_nTargetX;
    int m_nTargetY;
    HWND m_hMoveWnd;

    static std::atomic<PictureLoader> s_pfnLoader;
};
