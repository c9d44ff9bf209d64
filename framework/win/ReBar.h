// CReBar: a bar whose window is the system's rebar control; it holds other windows (usually bars) as bands.
//
// A band holding a bar is as big as the bar's fixed layout; the rebar is as high as its rows of bands. When
// its height changes (the user moved a band to another row, a band came or went) its frame lays itself out
// again: at once, or through WM_RECALCPARENT when the frame is in the middle of a layout. The bars in the
// bands update their items themselves at idle time.
#pragma once

#include "framework/win/ControlBar.h"

class CReBar : public CControlBar
{
    DECLARE_DYNAMIC(CReBar)
public:
    CReBar();

    BOOL Create(CWnd* pParentWnd, DWORD dwCtrlStyle = RBS_BANDBORDERS,
                DWORD dwStyle = WS_CHILD | WS_VISIBLE | WS_CLIPSIBLINGS | WS_CLIPCHILDREN | CBRS_TOP,
                UINT nID = AFX_IDW_REBAR);
    // The control's operations on this bar's window.
    CReBarCtrl& GetReBarCtrl();
    // A new band at the end holding pBar (its size: a bar's fixed layout, another window's window).
    BOOL AddBar(CWnd* pBar, LPCSTR pszText = nullptr, CBitmap* pbmp = nullptr,
                DWORD dwStyle = RBBS_GRIPPERALWAYS | RBBS_FIXEDBMP);

    // As high as the rows of bands.
    CSize CalcFixedLayout(BOOL bStretch, BOOL bHorz) override;
    // The bars in the bands update themselves.
    void OnUpdateCmdUI(CFrameWnd* pTarget, BOOL bDisableIfNoHndler) override;

protected:
    BOOL PreCreateWindow(CREATESTRUCTA& cs) override;

    afx_msg void OnPaint();
    afx_msg BOOL OnEraseBkgnd(CDC* pDC);
    afx_msg void OnHeightChange(NMHDR* pNMHDR, LRESULT* pResult);

private:
    // The control's operations over our window, which this object never owns.
    class CBorrowedReBarCtrl : public CReBarCtrl
    {
    public:
        ~CBorrowedReBarCtrl() override { m_hWnd = nullptr; }
    };
    CBorrowedReBarCtrl m_ctrl;

    DECLARE_MESSAGE_MAP()
};
