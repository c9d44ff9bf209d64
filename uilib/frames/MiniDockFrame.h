// CUXMiniDockFrameWnd: the floating frame of the library's bars. It paints its own caption in the library's
// look (a band in the caption colours, the bar's title in bold) with buttons of its own instead of the
// system menu: close, and for a customizable tool bar "Toolbar Options". A button that does not fit is left
// out (collapsed). A press on the caption elsewhere drags the bar, a double click docks it again.
#pragma once

#include "uilib/core/base/Helpers.h"

#include <memory>
#include <vector>

class CUXMiniDockFrameWnd : public CMiniDockFrameWnd
{
    DECLARE_DYNCREATE(CUXMiniDockFrameWnd)
public:
    enum Look
    {
        kLookNone = 0,
        kLookFlat = 1,
        kLookClassic = 2
    };
    enum ButtonKind
    {
        kCloseButton = 0,
        kOptionsButton = 1
    };
    struct CaptionButton
    {
        BYTE collapsed = 0;   // does not fit: not drawn, not hit
        BYTE pressed = 0;
        BYTE hot = 0;
        BYTE raised = 0;   // drawn raised last
        int kind = kCloseButton;
        CUXMiniDockFrameWnd* pFrame = nullptr;
        CControlBar* pBar = nullptr;
        CRect rect;   // window coordinates
    };

    CUXMiniDockFrameWnd();
    ~CUXMiniDockFrameWnd() override;

    BOOL Create(CWnd* pParent, DWORD dwBarStyle) override;
    // The first call, and the first after the look or the hosted bar changed, builds the caption's buttons.
    void RecalcLayout(BOOL bNotify = TRUE) override;
    // Wide enough for the caption's buttons and one small icon's width more.
    void CalcWindowRect(LPRECT lpClientRect, UINT nAdjustType = 0) override;

    int GetLook() const { return m_nLook; }
    CFont* GetCaptionFont() const { return m_pCaptionFont; }
    const std::vector<std::unique_ptr<CaptionButton>>& GetButtons() const { return m_buttons; }
    // The caption button of a kind, or null.
    CaptionButton* FindButton(int kind) const;
    BOOL IsActive() const { return m_bActive; }
    // The options pop-up while it is open, else null.
    CWnd* GetOptionsPopup() const { return m_pOptionsPopup; }

protected:
    // A menu bar's frame sizes it too: its entries take the rows the frame's width leaves.
    BOOL IsSizedByBorder(const CControlBar* pBar) const override;
    // The pop-up a customizable tool bar's options button opens below rect (screen coordinates): the pop-up
    // of the bar's hidden buttons, which tells this frame with UXM_POPUP_CLOSED when it goes. Null when none
    // can be made.
    virtual CWnd* CreateOptionsPopup(CControlBar* pBar, const CRect& rect);
    void BuildCaption();
    void PlaceButtons();
    void PaintCaption();
    // The caption button at a point (screen coordinates), or null.
    CaptionButton* ButtonAt(CPoint point) const;
    void SetHot(CaptionButton* pButton);
    void ReleaseButtons();
    void ClosePopup();
    // Runs the default handling with the window marked hidden, so that the system does not draw its own
    // caption over ours; then ours is painted.
    LRESULT DefaultWithoutCaption();

    afx_msg void OnNcPaint();
    afx_msg BOOL OnNcActivate(BOOL bActive);
    afx_msg LRESULT OnSetText(WPARAM wParam, LPARAM lParam);
    afx_msg void OnNcMouseMove(UINT nHitTest, CPoint point);
    afx_msg LRESULT OnNcMouseLeave(WPARAM wParam, LPARAM lParam);
    afx_msg void OnNcLButtonDown(UINT nHitTest, CPoint point);
    afx_msg void OnNcLButtonUp(UINT nHitTest, CPoint point);
    afx_msg void OnNcLButtonDblClk(UINT nHitTest, CPoint point);
    afx_msg BOOL OnEraseBkgnd(CDC* pDC);
    afx_msg void OnSize(UINT nType, int cx, int cy);
    afx_msg void OnShowWindow(BOOL bShow, UINT nStatus);
    afx_msg LRESULT OnIdleUpdateCmdUI(WPARAM wParam, LPARAM lParam);
    afx_msg LRESULT OnDeferredLayout(WPARAM wParam, LPARAM lParam);
    afx_msg LRESULT OnPopupClosed(WPARAM wParam, LPARAM lParam);
    afx_msg void OnCustomize();
    DECLARE_MESSAGE_MAP()

    int m_nLook = kLookNone;
    std::vector<std::unique_ptr<CaptionButton>> m_buttons;   // newest last
    CWnd* m_pOptionsPopup = nullptr;
    CaptionButton* m_pHotButton = nullptr;
    CImageList m_glyphs;
    BOOL m_bActive = FALSE;
    CToolTipCtrl m_wndTip;
    CUXIconHolder m_iconClose;
    CUXIconHolder m_iconOptions;
    CControlBar* m_pBuiltFor = nullptr;   // the bar the buttons were made for
    CFont* m_pCaptionFont = nullptr;      // the title's: the menus' font for a menu bar, else bold
    BOOL m_bTrackingLeave = FALSE;
};
