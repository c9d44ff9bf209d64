// CStatusBar: the bar at the bottom of a frame that shows the prompts and a row of panes.
//
// The window is the system's status bar control. Each pane has an id (ID_SEPARATOR for a message pane), a
// style (SBPS_) and a width: SetIndicators makes one pane per id, a pane's width and its text being the
// string resource of its id; the first pane, when it is a separator, stretches over the room the others
// leave and shows the frame's prompts (the window text is its text), the idle prompt from the start. At idle
// time each pane with an id is updated through the frame's command route: a disabled pane shows no text,
// SetText sets its text, SetCheck pops it out. The frame updates the lock-key panes (ID_INDICATOR_CAPS, _NUM, _SCRL) itself.
#pragma once

#include "framework/win/ControlBar.h"

#include <vector>

#define SBPS_NORMAL 0x0000
#define SBPS_NOBORDERS SBT_NOBORDERS
#define SBPS_POPOUT SBT_POPOUT
#define SBPS_DISABLED 0x04000000
#define SBPS_STRETCH 0x08000000

class CStatusBar : public CControlBar
{
    DECLARE_DYNAMIC(CStatusBar)
public:
    CStatusBar();

    BOOL Create(CWnd* pParentWnd, DWORD dwStyle = WS_CHILD | WS_VISIBLE | CBRS_BOTTOM,
                UINT nID = AFX_IDW_STATUS_BAR);
    // One pane per id (FALSE when an id other than ID_SEPARATOR has no string).
    BOOL SetIndicators(const UINT* lpIDArray, int nIDCount);

    int GetCount() const { return static_cast<int>(m_panes.size()); }
    int CommandToIndex(UINT nIDFind) const;   // -1 when no pane has the id
    UINT GetItemID(int nIndex) const;
    void GetItemRect(int nIndex, LPRECT lpRect) const;
    CString GetPaneText(int nIndex) const;
    BOOL SetPaneText(int nIndex, LPCSTR lpszNewText, BOOL bUpdate = TRUE);
    void GetPaneInfo(int nIndex, UINT& nID, UINT& nStyle, int& cxWidth) const;
    void SetPaneInfo(int nIndex, UINT nID, UINT nStyle, int cxWidth);
    UINT GetPaneStyle(int nIndex) const;
    void SetPaneStyle(int nIndex, UINT nStyle);

    // As high as a line of its font; stretched along its side.
    CSize CalcFixedLayout(BOOL bStretch, BOOL bHorz) override;
    void OnUpdateCmdUI(CFrameWnd* pTarget, BOOL bDisableIfNoHndler) override;

protected:
    struct Pane
    {
        UINT nID;
        UINT nStyle;
        int cxText;
        CString strText;
    };
    BOOL PreCreateWindow(CREATESTRUCTA& cs) override;
    // The control's parts from the panes' widths, and their texts.
    void UpdateAllPanes(BOOL bUpdateRects, BOOL bUpdateText);
    void ShowPaneText(int nIndex);
    // The frame's idle prompt, when this is the frame's message bar: what it shows before any other prompt.
    void ShowIdlePrompt();
    BOOL IsIndex(int nIndex) const { return nIndex >= 0 && nIndex < GetCount(); }

    afx_msg void OnPaint();
    afx_msg BOOL OnEraseBkgnd(CDC* pDC);
    afx_msg void OnSize(UINT nType, int cx, int cy);
    afx_msg LRESULT OnSetText(WPARAM wParam, LPARAM lParam);

    std::vector<Pane> m_panes;
    HFONT m_hFont;   // the system's (not ours to delete)

    DECLARE_MESSAGE_MAP()
};
