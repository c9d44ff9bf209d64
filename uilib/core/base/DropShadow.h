// Drop shadows: a soft shadow 4 pixels wide along the right and bottom edges of a menu or pop-up, for systems
// that draw none themselves. The shadow is a window of its own just below its owner in the z-order, shaped to
// an L along the two edges, that shows a darkened copy of what was on the screen beneath it.
#pragma once

#include "framework/win/Framework.h"
#include "uilib/core/base/WndHook.h"

class CUXShadow;

// Darkens the right and bottom 4-pixel strips of a rectangle of dc: by strength × 60, 45, 30 and 15 percent
// from the inside out (channel values, clamped at 0).
void DrawDropShadow(CDC* dc, int left, int top, int right, int bottom, int strength);

// The shadow window itself.
class CUXShadowWnd : public CWnd
{
public:
    CUXShadowWnd();
    ~CUXShadowWnd() override;

    // Creates the window for owner, over the owner's rectangle grown by 4 to the right and bottom.
    // background: a surface holding what the screen showed there (its (0, 0) at that rectangle's top-left),
    // borrowed; null takes it from the screen when the window first paints.
    BOOL CreateShadow(HWND owner, CDC* background = nullptr);
    // Puts the window directly below its owner.
    void PlaceBelowOwner();
    // The shadow's L-shaped region for its present size; the darkened copy is made anew.
    void UpdateRegion();
    // Shows the window without activating it, with a darkened copy of what lies beneath, taken while the
    // window is still hidden (a visible window would find itself on the screen).
    void ShowShadow();
    HWND GetOwnerWindow() const { return m_hWndOwner; }

protected:
    afx_msg void OnPaint();
    afx_msg void OnWindowPosChanging(WINDOWPOS* pos);
    afx_msg void OnWindowPosChanged(WINDOWPOS* pos);
    afx_msg void OnSetFocus(CWnd* pOldWnd);
    DECLARE_MESSAGE_MAP()

private:
    // Makes the darkened copy of the window's rectangle from the background surface or the screen.
    BOOL TakeSnapshot(CDC* like);

    enum MoveState
    {
        kNormal,
        kHiddenForMove,
        kReshowing
    };

    int m_nStrength = 100;          // percent of the full darkening
    CDC* m_pBackground = nullptr;   // borrowed
    CDC m_darkened;                 // the darkened copy of the window's rectangle
    CBitmap m_darkenedBitmap;
    MoveState m_moveState = kNormal;
    HWND m_hWndOwner = nullptr;
    BOOL m_bOwnerIsPopup = FALSE;
    BOOL m_bSnapshotTaken = FALSE;
};

// Follows the owner: hides, shows and moves the shadow with it and ends it with it.
class CUXShadowOwnerHook : public CUXWndHook
{
public:
    explicit CUXShadowOwnerHook(CUXShadow* shadow) : m_pShadow(shadow) {}
    using CUXWndHook::AttachWindow;
    LRESULT HandleMessage(UINT message, WPARAM wParam, LPARAM lParam) override;

private:
    CUXShadow* m_pShadow;
    int m_nDepth = 0;                 // nesting of HandleMessage calls
    BOOL m_bDestroyPending = FALSE;   // the owner is being destroyed: the shadow goes after the outermost call
};

// One shadow of one owner window. With the owner hook the shadow follows its owner by itself and deletes
// itself when the owner is destroyed, so such a shadow must be made with new and then left to its owner.
class CUXShadow
{
public:
    CUXShadow(HWND owner, BOOL show, BOOL hook, CDC* background = nullptr);
    ~CUXShadow();
    CUXShadow(const CUXShadow&) = delete;
    CUXShadow& operator=(const CUXShadow&) = delete;

    void Hide();
    void Show();
    // Moves the window over the owner's present rectangle grown by 4 to the right and bottom, below it.
    void FollowOwner();
    CUXShadowWnd& GetWindow() { return m_wnd; }
    BOOL IsCreated() const { return m_bCreated; }

private:
    HWND m_hWndOwner;
    CUXShadowWnd m_wnd;
    CUXShadowOwnerHook m_hook;
    BOOL m_bCreated = FALSE;
};
