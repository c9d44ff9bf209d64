#include "uilib/frames/ReBar.h"

#include "uilib/core/bars/CustomToolBar.h"
#include "uilib/core/base/GlobalData.h"
#include "uilib/core/base/Helpers.h"
#include "uilib/core/base/LibraryIds.h"

#include <memory>

namespace
{
// Older common controls draw a band's child over the band's edge without these few pixels.
const LONG kComCtl472 = 0x40048;
const UINT kOldComCtlExtraWidth = 4;
}   // namespace

IMPLEMENT_DYNAMIC(CUXReBar, CReBar)

BEGIN_MESSAGE_MAP(CUXReBar, CReBar)
    ON_WM_CREATE()
    ON_WM_DESTROY()
    ON_WM_NCPAINT()
    ON_NOTIFY_REFLECT(RBN_CHILDSIZE, OnChildSize)
    ON_MESSAGE(RB_SHOWBAND, OnShowBand)
    ON_MESSAGE(UXM_REBAR_CHILD_RESIZED, OnChildResized)
END_MESSAGE_MAP()

CUXReBar::CUXReBar() = default;

CUXReBar::~CUXReBar()
{
    StopHosting();
}

BOOL CUXReBar::AddBar(CWnd* pBar, REBARBANDINFOA* pBand)
{
    if (pBar == nullptr || pBar->m_hWnd == nullptr || pBand == nullptr || m_hWnd == nullptr)
        return FALSE;
    // The record of this platform's size: with the 32-bit size the control would drop the ideal width.
    pBand->cbSize = sizeof(REBARBANDINFOA);
    pBand->fMask |= RBBIM_CHILD;
    pBand->hwndChild = pBar->m_hWnd;
    BOOL bHorz = IsHorizontal();
    if (!pBar->SendMessage(UXM_REBAR_BANDINFO, bHorz ? 1 : 0, reinterpret_cast<LPARAM>(pBand)) &&
        pBar->IsKindOf(RUNTIME_CLASS(CControlBar)))
    {
        CSize size = static_cast<CControlBar*>(pBar)->CalcFixedLayout(FALSE, bHorz);
        pBand->cxMinChild = static_cast<UINT>(size.cx);
        pBand->cyMinChild = static_cast<UINT>(size.cy);
        pBand->fMask |= RBBIM_CHILDSIZE;
    }
    if (uxAfxData.GetComCtlVersion() < kComCtl472)
        pBand->cxMinChild += kOldComCtlExtraWidth;
    if (!GetReBarCtrl().InsertBand(static_cast<UINT>(-1), pBand))
        return FALSE;
    CFrameWnd* pFrame = GetParentFrame();
    pBar->SetOwner(pFrame);
    if (pFrame != nullptr)
        pFrame->DelayRecalcLayout();
    return TRUE;
}

int CUXReBar::FindBand(HWND hWndChild)
{
    if (m_hWnd == nullptr || hWndChild == nullptr)
        return -1;
    CReBarCtrl& ctrl = GetReBarCtrl();
    UINT count = ctrl.GetBandCount();
    for (UINT i = 0; i < count; ++i)
    {
        REBARBANDINFOA band = {};
        band.fMask = RBBIM_CHILD;
        if (ctrl.GetBandInfo(i, &band) && band.hwndChild == hWndChild)
            return static_cast<int>(i);
    }
    return -1;
}

LRESULT CUXReBar::SetBandIdealWidth(HWND hWndChild, int width)
{
    if (m_hWnd == nullptr || hWndChild == nullptr || width < 0)
        return 0;
    CReBarCtrl& ctrl = GetReBarCtrl();
    UINT count = ctrl.GetBandCount();
    for (UINT i = 0; i < count; ++i)
    {
        REBARBANDINFOA band = {};
        band.fMask = RBBIM_CHILD | RBBIM_CHILDSIZE;
        if (!ctrl.GetBandInfo(i, &band) || band.hwndChild != hWndChild)
            continue;
        band.fMask = RBBIM_CHILDSIZE | RBBIM_IDEALSIZE;
        band.cxMinChild = static_cast<UINT>(width);
        band.cxIdeal = static_cast<UINT>(width);
        ctrl.SetBandInfo(i, &band);
    }
    return 0;
}

// ---- the user's new tool bars ----------------------------------------------------------------------------

void CUXReBar::SetCustomizable(BOOL bCustomizable)
{
    m_bCustomizable = bCustomizable;
    CUXCustomizeCenter& center = GetCustomizeCenter();
    if (!bCustomizable)
    {
        StopHosting();
        return;
    }
    center.SetCustomBarHost(this);
    m_customizeRegistration.Add(CUXCustomizeCenter::kBarRemoved);
}

void CUXReBar::StopHosting()
{
    CUXCustomizeCenter& center = GetCustomizeCenter();
    if (center.GetCustomBarHost() == this)
        center.SetCustomBarHost(nullptr);
    m_customizeRegistration.Clear();
}

CUXToolBar* CUXReBar::CreateCustomBar(CFrameWnd* pFrame, UINT nID, LPCSTR lpszTitle)
{
    if (pFrame == nullptr || pFrame->m_hWnd == nullptr)
        return nullptr;
    std::unique_ptr<CUXCustomToolBar> bar(new CUXCustomToolBar);
    if (!bar->CreateEx(pFrame, TBSTYLE_FLAT | TBSTYLE_LIST, WS_CHILD | WS_VISIBLE | CBRS_ALIGN_TOP,
                       CRect(0, 0, 0, 0), nID))
        return nullptr;   // the half-made bar has no window left
    bar->SetCustomizable(TRUE);
    // The empty bar is its default layout, and the buttons the user gave it come back (as the frame's docking
    // does for its custom bars).
    bar->LoadState("Settings", bar->GetStateEntry());
    bar->SetTitle(lpszTitle);
    bar->m_bAutoDelete = TRUE;   // the bar goes with its window
    return bar.release();
}

void CUXReBar::PlaceCustomBar(CFrameWnd*, CUXToolBar* pBar)
{
    if (pBar == nullptr || pBar->m_hWnd == nullptr)
        return;
    REBARBANDINFOA band = {};
    band.fMask = RBBIM_STYLE | RBBIM_ID;
    band.fStyle = RBBS_BREAK;   // a row of its own
    band.wID = static_cast<UINT>(pBar->GetDlgCtrlID());
    AddBar(pBar, &band);
}

void CUXReBar::OnNcPaint()
{
    // The control draws only the edges it has a style for: the rest of its frame would keep what the screen
    // held there (a band's old picture after the rebar moved).
    {
        CWindowDC dc(this);
        CRect window, client;
        UXPrepareNonClientDC(this, dc, window, client);
        dc.FillSolidRect(&window, uxAfxData.m_clrBtnFace);
    }
    Default();
}

void CUXReBar::OnBarRemoved(CControlBar* pBar)
{
    if (pBar == nullptr)
        return;
    int band = FindBand(pBar->m_hWnd);
    if (band >= 0)
        GetReBarCtrl().DeleteBand(static_cast<UINT>(band));
}

// ---- messages --------------------------------------------------------------------------------------------

int CUXReBar::OnCreate(LPCREATESTRUCT lpCreateStruct)
{
    if (CReBar::OnCreate(lpCreateStruct) == -1)
        return -1;
    GetReBarCtrl().SetNotifyWindow(GetOwner());
    return 0;
}

void CUXReBar::OnDestroy()
{
    StopHosting();
    CReBar::OnDestroy();
}

void CUXReBar::OnChildSize(NMHDR* pNMHDR, LRESULT* pResult)
{
    *pResult = 0;
    const NMREBARCHILDSIZE* pSize = reinterpret_cast<const NMREBARCHILDSIZE*>(pNMHDR);
    REBARBANDINFOA band = {};
    band.fMask = RBBIM_CHILD;
    if (!GetReBarCtrl().GetBandInfo(pSize->uBand, &band) || band.hwndChild == nullptr)
        return;
    // The bar fits itself into the room its band gives it.
    RECT child = pSize->rcChild;
    ::SendMessageA(band.hwndChild, UXM_REBAR_NOTIFY, IsHorizontal() ? 1 : 0, reinterpret_cast<LPARAM>(&child));
}

LRESULT CUXReBar::OnShowBand(WPARAM wParam, LPARAM)
{
    LRESULT result = Default();
    REBARBANDINFOA band = {};
    band.fMask = RBBIM_STYLE | RBBIM_CHILD;
    if (!GetReBarCtrl().GetBandInfo(static_cast<UINT>(wParam), &band) || band.hwndChild == nullptr)
        return result;
    BOOL bShow = !(band.fStyle & RBBS_HIDDEN);
    CWnd* pChild = CWnd::FromHandlePermanent(band.hwndChild);
    BOOL bVisible = pChild != nullptr && pChild->IsKindOf(RUNTIME_CLASS(CControlBar))
                        ? static_cast<CControlBar*>(pChild)->IsVisible()
                        : ::IsWindowVisible(band.hwndChild);
    if (bVisible != bShow)
        ::ShowWindow(band.hwndChild, bShow ? SW_SHOWNOACTIVATE : SW_HIDE);
    return result;
}

LRESULT CUXReBar::OnChildResized(WPARAM wParam, LPARAM lParam)
{
    return SetBandIdealWidth(reinterpret_cast<HWND>(wParam), static_cast<int>(lParam));
}
