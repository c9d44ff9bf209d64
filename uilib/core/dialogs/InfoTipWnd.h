// CUXInfoTipWnd: a small pop-up that shows an optional bold title and lines of text in the tool-tip colours,
// optionally framed twice and with a shadow, and closes itself after a delay or at the next click.
//
// The window covers the tip and, 5 pixels further right and down, its shadow: what the screen showed there is
// copied before the window appears, so the shadow darkens what lies beneath.
#pragma once

#include "framework/win/Framework.h"

class CUXInfoTipWnd : public CWnd
{
public:
    // Style bits of ShowTipWindow.
    enum
    {
        kInnerFrame = 0x01,
        kShadow = 0x02,
        kSoftShadow = 0x04   // per-pixel rings; otherwise a dithered shadow
    };
    enum
    {
        kShadowOffset = 5
    };

    CUXInfoTipWnd();
    ~CUXInfoTipWnd() override;

    void SetTitle(LPCSTR title) { m_strTitle = title != nullptr ? title : ""; }
    // Lines are separated by "\n".
    void SetText(LPCSTR text) { m_strText = text != nullptr ? text : ""; }
    void SetColors(COLORREF background, COLORREF text)
    {
        m_clrBackground = background;
        m_clrText = text;
    }
    const CString& GetTitle() const { return m_strTitle; }
    const CString& GetText() const { return m_strText; }
    int GetLineCount() const { return static_cast<int>(m_lines.GetSize()); }

    // Shows the tip with its top-left corner (or, with centre, its top edge's middle) at point (screen), over
    // owner. delay: milliseconds until it closes; 0 closes it at the next click instead. FALSE when the window
    // cannot be made.
    BOOL ShowTipWindow(CPoint point, CWnd* owner, int style, int delay, BOOL centre);

    // Where the tip's parts go (client co-ordinates): the tip itself and its shadow.
    const CRect& GetTipRect() const { return m_rcTip; }
    const CRect& GetShadowRect() const { return m_rcShadow; }
    // The top of the title and of line index (client co-ordinates).
    int GetTitleTop() const { return m_nVertMargin + 2; }
    int GetLineTop(int index) const;

protected:
    afx_msg void OnPaint();
    afx_msg BOOL OnEraseBkgnd(CDC* pDC);
    afx_msg void OnTimer(UINT_PTR nIDEvent);
    afx_msg void OnKillFocus(CWnd* pNewWnd);
    afx_msg void OnLButtonDown(UINT nFlags, CPoint point);
    afx_msg void OnDestroy();
    DECLARE_MESSAGE_MAP()

    void SplitLines();
    void DrawShadow(CDC* dc);

    CStringArray m_lines;
    CRect m_rcWindow;
    CRect m_rcShadow;
    CRect m_rcTip;
    HWND m_hWndOwner = nullptr;
    COLORREF m_clrBackground;
    COLORREF m_clrText;
    CString m_strTitle;
    CString m_strText;
    int m_nDelay = 0;
    UINT_PTR m_nTimerId = 1;
    int m_nStyle = 0;
    int m_nTitleSpacing = 18;
    int m_nHorzMargin = 20;
    int m_nVertMargin = 10;

private:
    CBitmap m_beneath;   // the screen under the window, taken before it showed
    int m_nFirstLineHeight = 0;
};
