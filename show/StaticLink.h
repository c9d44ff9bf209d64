// CStaticLink turns a static text control of a dialog into a link: the text is drawn underlined in the
// link colour, the pointer becomes a hand over it, and a click opens the link (a web address, a "mailto:"
// address or a file) with the shell, after which the text takes the visited colour.
#pragma once

#include "framework/win/Framework.h"

class CStaticLink : public CStatic
{
    DECLARE_DYNAMIC(CStaticLink)
public:
    // lpLink: what a click opens (empty: the window text). bDeleteOnDestroy: the object deletes itself
    // when its window is destroyed.
    explicit CStaticLink(LPCSTR lpLink = nullptr, BOOL bDeleteOnDestroy = FALSE);
    ~CStaticLink() override;

    static const COLORREF g_colorUnvisited;   // RGB(0, 0, 255)
    static const COLORREF g_colorVisited;     // RGB(128, 0, 128)

    // Paint with a hollow background instead of white.
    void SetTransparent() { m_bTransparent = TRUE; }
    // Opens the link with the shell's "open" action; on success the text takes the visited colour.
    BOOL Navigate();

    // The beep, replaceable so that tests can hear it (the shell call goes through AfxShellExecute, whose
    // handler tests replace).
    typedef BOOL(WINAPI* PFN_MESSAGEBEEP)(UINT);
    static PFN_MESSAGEBEEP s_pfnMessageBeep;

    CString m_link;
    COLORREF m_color;
    HCURSOR m_hCursor;
    int m_bTransparent;
    CFont m_font;   // the control's font, underlined; made when the control is attached
    BOOL m_bDeleteOnDestroy;

protected:
    // Gives a text control its underlined font.
    void PreSubclassWindow() override;
    void PostNcDestroy() override;

    afx_msg HBRUSH CtlColor(CDC* pDC, UINT nCtlColor);
    afx_msg void OnLButtonDown(UINT nFlags, CPoint point);
    afx_msg BOOL OnSetCursor(CWnd* pWnd, UINT nHitTest, UINT message);
    afx_msg LRESULT OnNcHitTest(CPoint point);
    DECLARE_MESSAGE_MAP()

private:
    HFONT m_hOriginalFont;   // the control's own font, given back before ours is deleted
    HWND m_hFontWnd;         // the window given our font
};
