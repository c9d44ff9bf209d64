// CUXButton: the library's owner-drawn push button. Flat, thin, hilite or classic 3-D borders that light up
// while the mouse is over the button; an icon or bitmap beside, above or instead of the text; colours of its
// own or from the look data. The button turns itself owner-drawn once it exists (the library's deferred
// first initialisation), so it can be created or subclassed from any push button.
#pragma once

#include "framework/win/Framework.h"
#include "uilib/core/base/LibraryIds.h"

class CUXButton : public CButton
{
    DECLARE_DYNAMIC(CUXButton)
public:
    // Button style bits (SetButtonStyle).
    enum
    {
        kFlat = 0x01,         // no border at rest; raised while hot, sunken while pushed
        kThin = 0x02,         // one 3-D rectangle in the light and dark colours
        kImageAbove = 0x04,   // image above the text, both centred horizontally
        kFocusRect = 0x10,    // focus rectangle inset by 2 while the button has the focus
        kHalftone = 0x20,     // halftone fill while pushed (or while the cursor is outside, see below)
        kHilite = 0x40,       // (without kFlat) a one-pixel border and a fill while hot or pushed
        kTrackingStyles = kFlat | kThin | kHilite
    };

    CUXButton();
    ~CUXButton() override;

    virtual void SetColors(COLORREF face, COLORREF highlight, COLORREF shadow, COLORREF text);
    virtual void SetFaceColor(COLORREF color);
    virtual COLORREF GetFaceColor() const;
    virtual void SetHighlightColor(COLORREF color);
    virtual void SetShadowColor(COLORREF color);
    virtual void SetTextColor(COLORREF color);
    virtual void SetHiliteColors(COLORREF border, COLORREF pushedFill, COLORREF hotFill);
    // Icons from resources (or handles the button then owns), drawn at cx by cy; the selected one while pushed.
    virtual void SetIcon(int cx, int cy, UINT iconId, UINT selectedIconId, BOOL redraw);
    virtual void SetIcon(int cx, int cy, UINT iconId, UINT selectedIconId);
    virtual void SetIcon(int cx, int cy, HICON icon, HICON selectedIcon, BOOL redraw);
    // A bitmap resource, mapped to the system colours; its disabled look is made from it.
    virtual void SetBitmap(int cx, int cy, UINT bitmapId, BOOL redraw);
    // Fixed places of image and text inside the button (client co-ordinates).
    virtual void SetImagePositions(int imageX, int imageY, int textX, int textY, BOOL redraw);
    virtual int GetButtonStyle() const;
    virtual void ResetImage();
    virtual void CleanUpGDI();
    virtual void DrawIcon(CDC* dc, UINT itemState, CRect& rect);
    virtual void DrawButtonText(CDC* dc, UINT itemState, CRect& rect);
    virtual void DrawButtonBitmap(CDC* dc, UINT itemState, CRect& rect);
    virtual void GetButtonText(CString& text, BOOL removeAmpersand);
    virtual void GetImagePosition(CPoint& point, CDC* dc, UINT itemState, CRect& rect, BOOL hasSelectedImage);

    // Sets the style bits; returns the previous ones.
    int SetButtonStyle(int style, BOOL redraw = TRUE);
    // The halftone fill of kHalftone shows while the cursor is outside the button instead of while pushed.
    void SetHalftoneOutside(BOOL outside) { m_bHalftoneByCursor = outside; }

    BOOL IsMouseOver() const { return m_bMouseOver; }
    BOOL IsPushed() const { return m_bPushed; }
    BOOL IsInitialised() const { return m_nInitCounter == 0; }

    void DrawItem(LPDRAWITEMSTRUCT lpDrawItemStruct) override;

protected:
    void PreSubclassWindow() override;
    // Posts the deferred initialisation while it is pending; only the last one posted acts.
    void PostFirstInit();

    afx_msg int OnCreate(LPCREATESTRUCT lpCreateStruct);
    afx_msg void OnDestroy();
    afx_msg LRESULT OnFirstInit(WPARAM wParam, LPARAM lParam);
    afx_msg void OnMouseMove(UINT nFlags, CPoint point);
    afx_msg void OnTimer(UINT_PTR nIDEvent);
    afx_msg void OnLButtonDown(UINT nFlags, CPoint point);
    afx_msg void OnLButtonUp(UINT nFlags, CPoint point);
    afx_msg void OnLButtonDblClk(UINT nFlags, CPoint point);
    afx_msg void OnSysColorChange();
    afx_msg void OnPaint();
    afx_msg BOOL OnEraseBkgnd(CDC* pDC);
    DECLARE_MESSAGE_MAP()

    // Kills the hover timer when the button is pushed or the cursor has left; sets the hot state otherwise.
    void CheckHover();
    void DrawBorder(CDC* dc, const CRect& rect, BOOL pushed);
    // A colour of the button's own (system colour changes leave it).
    void SetOwnColor(COLORREF& member, COLORREF color);
    void RedrawIfShown(BOOL redraw);
    BOOL IsHiliteStyle() const { return (m_nStyle & kHilite) != 0 && (m_nStyle & kFlat) == 0; }

    HICON m_hIcon = nullptr;
    HICON m_hIconSelected = nullptr;
    HBITMAP m_hBitmap = nullptr;
    HBITMAP m_hBitmapDisabled = nullptr;
    int m_cxImage = 0;
    int m_cyImage = 0;
    int m_xImage = 0;
    int m_yImage = 0;
    int m_xText = 0;
    int m_yText = 0;
    int m_nMargin = 4;
    int m_nGap = 8;
    int m_nStyle = kFlat;
    BOOL m_bMouseOver = FALSE;
    BOOL m_bExplicitPositions = FALSE;
    BOOL m_bPushed = FALSE;
    BOOL m_bOwnColors = FALSE;
    BOOL m_bHalftoneByCursor = FALSE;
    COLORREF m_clrText;
    COLORREF m_clrFace;
    COLORREF m_clrHighlight;
    COLORREF m_clrShadow;
    COLORREF m_clrHiliteBorder = 0;
    COLORREF m_clrHilitePushed = 0;
    COLORREF m_clrHiliteHot = 0;
    BOOL m_bHiliteColors = FALSE;
    int m_nInitCounter = 1;

private:
    void LoadSystemColors();
};
