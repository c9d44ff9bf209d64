// CReBar: bands of bars in the system's rebar control.
#include "framework/win/Framework.h"

IMPLEMENT_DYNAMIC(CReBar, CControlBar)

BEGIN_MESSAGE_MAP(CReBar, CControlBar)
    ON_WM_PAINT()
    ON_WM_ERASEBKGND()
    ON_NOTIFY_REFLECT(RBN_HEIGHTCHANGE, OnHeightChange)
END_MESSAGE_MAP()

CReBar::CReBar()
{
    m_cxLeftBorder = m_cxRightBorder = m_cyTopBorder = m_cyBottomBorder = 0;
}

BOOL CReBar::PreCreateWindow(CREATESTRUCTA& cs)
{
    if (cs.lpszClass == nullptr)
        cs.lpszClass = REBARCLASSNAMEA;
    return CControlBar::PreCreateWindow(cs);
}

BOOL CReBar::Create(CWnd* pParentWnd, DWORD dwCtrlStyle, DWORD dwStyle, UINT nID)
{
    SetBarStyle(dwStyle & CBRS_ALL);
    // The frame's layout places and sizes the control.
    return CreateEx(0, nullptr, nullptr,
                    (dwStyle & ~CBRS_ALL) | WS_CHILD | dwCtrlStyle | CCS_NODIVIDER | CCS_NOPARENTALIGN |
                        CCS_NORESIZE,
                    CRect(0, 0, 0, 0), pParentWnd, nID);
}

CReBarCtrl& CReBar::GetReBarCtrl()
{
    m_ctrl.m_hWnd = m_hWnd;
    return m_ctrl;
}

BOOL CReBar::AddBar(CWnd* pBar, LPCSTR pszText, CBitmap* pbmp, DWORD dwStyle)
{
    if (pBar == nullptr || pBar->m_hWnd == nullptr || m_hWnd == nullptr)
        return FALSE;
    BOOL bHorz = (m_dwStyle & CBRS_ORIENT_HORZ) != 0;
    CSize size;
    if (pBar->IsKindOf(RUNTIME_CLASS(CControlBar)))
        size = static_cast<CControlBar*>(pBar)->CalcFixedLayout(FALSE, bHorz);
    else
    {
        CRect rect;
        pBar->GetWindowRect(&rect);
        size = rect.Size();
    }
    REBARBANDINFOA band = {};
    band.fMask = RBBIM_STYLE | RBBIM_CHILD | RBBIM_CHILDSIZE | RBBIM_SIZE;
    band.fStyle = dwStyle;
    band.hwndChild = pBar->m_hWnd;
    band.cxMinChild = static_cast<UINT>(bHorz ? size.cx : size.cy);
    band.cyMinChild = static_cast<UINT>(bHorz ? size.cy : size.cx);
    band.cx = band.cxMinChild;
    if (pszText != nullptr)
    {
        band.fMask |= RBBIM_TEXT;
        band.lpText = const_cast<LPSTR>(pszText);
    }
    if (pbmp != nullptr)
    {
        band.fMask |= RBBIM_BACKGROUND;
        band.hbmBack = static_cast<HBITMAP>(pbmp->m_hObject);
    }
    if (!GetReBarCtrl().InsertBand(static_cast<UINT>(-1), &band))
        return FALSE;
    if (CFrameWnd* pFrame = GetParentFrame())
        pFrame->RecalcLayout();
    return TRUE;
}

CSize CReBar::CalcFixedLayout(BOOL bStretch, BOOL bHorz)
{
    CSize size = CControlBar::CalcFixedLayout(bStretch, bHorz);
    int height = m_hWnd != nullptr ? static_cast<int>(GetReBarCtrl().GetBarHeight()) : 0;
    (bHorz ? size.cy : size.cx) += height;
    return size;
}

void CReBar::OnUpdateCmdUI(CFrameWnd*, BOOL)
{
}

void CReBar::OnPaint()
{
    Default();   // the control paints its bands
}

BOOL CReBar::OnEraseBkgnd(CDC*)
{
    return static_cast<BOOL>(Default());
}

void CReBar::OnHeightChange(NMHDR*, LRESULT* pResult)
{
    *pResult = 0;
    CFrameWnd* pFrame = GetParentFrame();
    if (pFrame == nullptr)
        return;
    if (pFrame->IsInRecalcLayout())
        pFrame->PostMessage(WM_RECALCPARENT);
    else
        pFrame->RecalcLayout();
}
