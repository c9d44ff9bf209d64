// CStatusBar over the system's status bar control.
#include "framework/win/Framework.h"

namespace
{
// The room a pane takes besides its text (its borders and margins).
int PaneMargin()
{
    return 2 * ::GetSystemMetrics(SM_CXEDGE) + 4;
}

// The update of one pane.
class CStatusCmdUI : public CCmdUI
{
public:
    explicit CStatusCmdUI(CStatusBar* pBar) : m_pBar(pBar) {}
    void Enable(BOOL bOn) override
    {
        m_bEnableChanged = TRUE;
        UINT style = m_pBar->GetPaneStyle(static_cast<int>(m_nIndex));
        m_pBar->SetPaneStyle(static_cast<int>(m_nIndex), bOn ? style & ~SBPS_DISABLED : style | SBPS_DISABLED);
    }
    void SetCheck(int nCheck) override
    {
        UINT style = m_pBar->GetPaneStyle(static_cast<int>(m_nIndex));
        m_pBar->SetPaneStyle(static_cast<int>(m_nIndex), nCheck ? style | SBPS_POPOUT : style & ~SBPS_POPOUT);
    }
    void SetRadio(BOOL bOn) override { SetCheck(bOn ? 1 : 0); }
    void SetText(LPCSTR lpszText) override { m_pBar->SetPaneText(static_cast<int>(m_nIndex), lpszText); }

private:
    CStatusBar* m_pBar;
};
}   // namespace

IMPLEMENT_DYNAMIC(CStatusBar, CControlBar)

BEGIN_MESSAGE_MAP(CStatusBar, CControlBar)
    ON_WM_PAINT()
    ON_WM_ERASEBKGND()
    ON_WM_SIZE()
    ON_MESSAGE(WM_SETTEXT, OnSetText)
END_MESSAGE_MAP()

CStatusBar::CStatusBar() : m_hFont(static_cast<HFONT>(::GetStockObject(DEFAULT_GUI_FONT)))
{
    m_cxLeftBorder = m_cxRightBorder = 0;
}

BOOL CStatusBar::PreCreateWindow(CREATESTRUCTA& cs)
{
    if (cs.lpszClass == nullptr)
        cs.lpszClass = STATUSCLASSNAMEA;
    return CControlBar::PreCreateWindow(cs);
}

BOOL CStatusBar::Create(CWnd* pParentWnd, DWORD dwStyle, UINT nID)
{
    SetBarStyle(dwStyle & CBRS_ALL);
    // The layout places the control: it neither sizes nor places itself.
    if (!CreateEx(0, nullptr, nullptr,
                  (dwStyle & ~CBRS_ALL) | WS_CHILD | CCS_NOPARENTALIGN | CCS_NORESIZE | CCS_NODIVIDER,
                  CRect(0, 0, 0, 0), pParentWnd, nID))
        return FALSE;
    SendMessage(WM_SETFONT, reinterpret_cast<WPARAM>(m_hFont), FALSE);
    ShowIdlePrompt();
    return TRUE;
}

void CStatusBar::ShowIdlePrompt()
{
    CFrameWnd* pFrame = GetParentFrame();
    CWnd* pMessageBar = pFrame != nullptr ? pFrame->GetMessageBar() : nullptr;
    if (pMessageBar != nullptr && pMessageBar->m_hWnd == m_hWnd)
        pFrame->SetMessageText(AFX_IDS_IDLEMESSAGE);
}

BOOL CStatusBar::SetIndicators(const UINT* lpIDArray, int nIDCount)
{
    m_panes.clear();
    BOOL bAll = TRUE;
    HDC hDC = ::GetDC(nullptr);
    HGDIOBJ old = ::SelectObject(hDC, m_hFont);
    for (int i = 0; lpIDArray != nullptr && i < nIDCount; ++i)
    {
        Pane pane = {lpIDArray[i], SBPS_NORMAL, 0, CString()};
        if (pane.nID == ID_SEPARATOR)
        {
            if (i == 0)
                pane.nStyle = SBPS_NOBORDERS | SBPS_STRETCH;   // the message pane
        }
        else
        {
            if (!AfxLoadString(pane.nID, pane.strText))
                bAll = FALSE;
            SIZE extent = {};
            ::GetTextExtentPoint32A(hDC, pane.strText, pane.strText.GetLength(), &extent);
            pane.cxText = extent.cx;
        }
        m_panes.push_back(pane);
    }
    ::SelectObject(hDC, old);
    ::ReleaseDC(nullptr, hDC);
    UpdateAllPanes(TRUE, TRUE);
    ShowIdlePrompt();
    return bAll;
}

int CStatusBar::CommandToIndex(UINT nIDFind) const
{
    for (int i = 0; i < GetCount(); ++i)
    {
        if (m_panes[i].nID == nIDFind)
            return i;
    }
    return -1;
}

UINT CStatusBar::GetItemID(int nIndex) const
{
    return IsIndex(nIndex) ? m_panes[nIndex].nID : 0;
}

void CStatusBar::GetItemRect(int nIndex, LPRECT lpRect) const
{
    ::SetRectEmpty(lpRect);
    if (IsIndex(nIndex))
        ::SendMessageA(m_hWnd, SB_GETRECT, static_cast<WPARAM>(nIndex), reinterpret_cast<LPARAM>(lpRect));
}

CString CStatusBar::GetPaneText(int nIndex) const
{
    return IsIndex(nIndex) ? m_panes[nIndex].strText : CString();
}

BOOL CStatusBar::SetPaneText(int nIndex, LPCSTR lpszNewText, BOOL bUpdate)
{
    if (!IsIndex(nIndex))
        return FALSE;
    CString text = lpszNewText != nullptr ? lpszNewText : "";
    if (m_panes[nIndex].strText == text)
        return TRUE;
    m_panes[nIndex].strText = text;
    if (bUpdate)
        ShowPaneText(nIndex);
    return TRUE;
}

void CStatusBar::GetPaneInfo(int nIndex, UINT& nID, UINT& nStyle, int& cxWidth) const
{
    nID = GetItemID(nIndex);
    nStyle = GetPaneStyle(nIndex);
    cxWidth = IsIndex(nIndex) ? m_panes[nIndex].cxText : 0;
}

void CStatusBar::SetPaneInfo(int nIndex, UINT nID, UINT nStyle, int cxWidth)
{
    if (!IsIndex(nIndex))
        return;
    m_panes[nIndex].nID = nID;
    m_panes[nIndex].nStyle = nStyle;
    m_panes[nIndex].cxText = cxWidth;
    UpdateAllPanes(TRUE, TRUE);
}

UINT CStatusBar::GetPaneStyle(int nIndex) const
{
    return IsIndex(nIndex) ? m_panes[nIndex].nStyle : 0;
}

void CStatusBar::SetPaneStyle(int nIndex, UINT nStyle)
{
    if (!IsIndex(nIndex) || m_panes[nIndex].nStyle == nStyle)
        return;
    BOOL bRects = ((m_panes[nIndex].nStyle ^ nStyle) & SBPS_STRETCH) != 0;
    m_panes[nIndex].nStyle = nStyle;
    if (bRects)
        UpdateAllPanes(TRUE, FALSE);
    ShowPaneText(nIndex);
}

void CStatusBar::ShowPaneText(int nIndex)
{
    if (m_hWnd == nullptr || !IsIndex(nIndex))
        return;
    const Pane& pane = m_panes[nIndex];
    LPCSTR text = (pane.nStyle & SBPS_DISABLED) ? "" : pane.strText.GetString();
    WPARAM how = static_cast<WPARAM>(nIndex) | (pane.nStyle & (SBT_NOBORDERS | SBT_POPOUT));
    SendMessage(SB_SETTEXTA, how, reinterpret_cast<LPARAM>(text));
}

void CStatusBar::UpdateAllPanes(BOOL bUpdateRects, BOOL bUpdateText)
{
    if (m_hWnd == nullptr || m_panes.empty())
        return;
    if (bUpdateRects)
    {
        CRect client;
        GetClientRect(&client);
        int fixed = 0;
        for (const Pane& pane : m_panes)
            fixed += (pane.nStyle & SBPS_STRETCH) ? 0 : pane.cxText + PaneMargin();
        int stretch = client.Width() > fixed ? client.Width() - fixed : 0;
        std::vector<int> rights;
        int right = 0;
        for (const Pane& pane : m_panes)
        {
            right += (pane.nStyle & SBPS_STRETCH) ? stretch : pane.cxText + PaneMargin();
            rights.push_back(right);
        }
        SendMessage(SB_SETPARTS, rights.size(), reinterpret_cast<LPARAM>(rights.data()));
    }
    if (bUpdateText)
    {
        for (int i = 0; i < GetCount(); ++i)
            ShowPaneText(i);
    }
}

CSize CStatusBar::CalcFixedLayout(BOOL bStretch, BOOL bHorz)
{
    CSize size = CControlBar::CalcFixedLayout(bStretch, bHorz);
    TEXTMETRICA tm = {};
    HDC hDC = ::GetDC(nullptr);
    HGDIOBJ old = ::SelectObject(hDC, m_hFont);
    ::GetTextMetricsA(hDC, &tm);
    ::SelectObject(hDC, old);
    ::ReleaseDC(nullptr, hDC);
    size.cy += tm.tmHeight + 2 * ::GetSystemMetrics(SM_CYEDGE) + 2;
    return size;
}

void CStatusBar::OnUpdateCmdUI(CFrameWnd* pTarget, BOOL)
{
    CStatusCmdUI state(this);
    state.m_nIndexMax = static_cast<UINT>(GetCount());
    for (int i = 0; i < GetCount(); ++i)
    {
        if (m_panes[i].nID == ID_SEPARATOR)
            continue;
        state.m_nID = m_panes[i].nID;
        state.m_nIndex = static_cast<UINT>(i);
        state.DoUpdate(pTarget, FALSE);
    }
}

void CStatusBar::OnPaint()
{
    Default();   // the control paints its panes
}

BOOL CStatusBar::OnEraseBkgnd(CDC*)
{
    return static_cast<BOOL>(Default());
}

void CStatusBar::OnSize(UINT nType, int cx, int cy)
{
    CControlBar::OnSize(nType, cx, cy);
    UpdateAllPanes(TRUE, FALSE);
}

LRESULT CStatusBar::OnSetText(WPARAM, LPARAM lParam)
{
    // The window's text is the message pane's.
    if (m_panes.empty())
        return Default();
    SetPaneText(0, reinterpret_cast<LPCSTR>(lParam));
    return TRUE;
}
