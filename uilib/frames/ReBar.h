// CUXReBar: a rebar whose bands hold the library's bars. Each bar fills its own band's sizes (the ideal width
// of a bar with a chevron included) and learns its band's new size when the user moves the bands. Made
// customizable, the rebar is where the customize centre makes and shows the user's new tool bars: each one
// starts on a band row of its own, and a bar that goes takes its band with it.
#pragma once

#include "framework/win/Framework.h"
#include "uilib/core/bars/CustomizeCenter.h"

class CUXReBar : public CReBar, public CUXCustomBarHost, public CUXCustomizeListener
{
    DECLARE_DYNAMIC(CUXReBar)
public:
    CUXReBar();
    ~CUXReBar() override;

    using CReBar::AddBar;
    // A new band at the end holding pBar, from the band record given (its style, id, ...): the bar fills
    // in its sizes, or its fixed layout gives them. The bar's owner becomes the rebar's frame.
    BOOL AddBar(CWnd* pBar, REBARBANDINFOA* pBand);
    // The child width and ideal width of every band that holds the window; 0.
    LRESULT SetBandIdealWidth(HWND hWndChild, int width);

    // Customizable: the customize centre's new custom bars are made here and get a band each.
    void SetCustomizable(BOOL bCustomizable);
    BOOL IsCustomizable() const { return m_bCustomizable; }
    // The band holding the window, -1 when none does.
    int FindBand(HWND hWndChild);

    CUXToolBar* CreateCustomBar(CFrameWnd* pFrame, UINT nID, LPCSTR lpszTitle) override;
    void PlaceCustomBar(CFrameWnd* pFrame, CUXToolBar* pBar) override;

protected:
    BOOL IsHorizontal() const { return (m_dwStyle & CBRS_ORIENT_HORZ) != 0; }
    void StopHosting();

    afx_msg int OnCreate(LPCREATESTRUCT lpCreateStruct);
    afx_msg void OnDestroy();
    afx_msg void OnNcPaint();
    afx_msg void OnChildSize(NMHDR* pNMHDR, LRESULT* pResult);
    afx_msg LRESULT OnShowBand(WPARAM wParam, LPARAM lParam);
    afx_msg LRESULT OnChildResized(WPARAM wParam, LPARAM lParam);
    DECLARE_MESSAGE_MAP()

    // A hosted bar that goes leaves its band.
    void OnBarRemoved(CControlBar* pBar) override;

    BOOL m_bCustomizable = FALSE;
    CUXCustomizeRegistration m_customizeRegistration{this};
};
