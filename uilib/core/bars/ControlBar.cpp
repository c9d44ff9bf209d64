#include "uilib/core/bars/ControlBar.h"

#include "resources/uilib/UilibResources.h"
#include "uilib/core/bars/CoolMenu.h"
#include "uilib/core/base/GlobalData.h"
#include "uilib/core/base/Helpers.h"
#include "uilib/core/base/LibraryIds.h"
#include "uilib/core/base/MemDC.h"
#include "uilib/core/bars/ToolBar.h"
#include "uilib/core/base/WndHook.h"

#include <algorithm>

namespace
{
// The framework's border lines along a bar's edges.
int BorderX()
{
    return 2 * ::GetSystemMetrics(SM_CXBORDER);
}
int BorderY()
{
    return 2 * ::GetSystemMetrics(SM_CYBORDER);
}

// A copy of a look-data font at the given height.
void CopyFont(CFont& target, CFont& source, int height)
{
    target.DeleteObject();
    LOGFONTA logFont = {};
    if (source.m_hObject == nullptr || !source.GetLogFont(&logFont))
        return;
    logFont.lfHeight = -height;
    target.CreateFontIndirect(&logFont);
}
}   // namespace

IMPLEMENT_DYNAMIC(CUXControlBar, CControlBar)

BEGIN_MESSAGE_MAP(CUXControlBar, CControlBar)
    ON_WM_WINDOWPOSCHANGING()
    ON_WM_RBUTTONDOWN()
    ON_WM_ERASEBKGND()
    ON_WM_NCPAINT()
    ON_WM_PAINT()
    ON_WM_CREATE()
    ON_WM_SETCURSOR()
    ON_WM_DESTROY()
    ON_MESSAGE(WM_IDLEUPDATECMDUI, OnIdleUpdateCmdUI)
    ON_MESSAGE(UXM_REBAR_BANDINFO, OnReBarBandInfoMsg)
    ON_MESSAGE(UXM_REBAR_NOTIFY, OnReBarNotifyMsg)
    ON_MESSAGE(UXM_REBAR_QUERY, OnReBarQueryMsg)
    ON_MESSAGE(UXM_DOCK_QUERY, OnDockQueryMsg)
END_MESSAGE_MAP()

CUXControlBar::CUXControlBar()
{
    m_cxLeftBorder = m_cxRightBorder = 6;
    m_cyTopBorder = m_cyBottomBorder = 1;
    m_cxDefaultGap = 2;
    m_nMRUWidth = 32767;
    for (CSize& size : m_sizeDefault)
        size = CSize(200, 100);
    UpdateBarFont();
}

CUXControlBar::~CUXControlBar() = default;

BOOL CUXControlBar::SetStatusText(INT_PTR nHit)
{
    CControlBar::SetStatusText(nHit);
    // Without a status bar the prompt goes to the main window itself.
    CFrameWnd* pFrame = GetTopLevelFrame();
    if (pFrame == nullptr || pFrame->GetDescendantWindow(AFX_IDW_STATUS_BAR) == nullptr)
    {
        CWnd* pMain = AfxGetMainWnd();
        if (pMain != nullptr && pMain->m_hWnd != nullptr && pMain != pFrame)
        {
            if (nHit == -1)
                pMain->SendMessage(WM_POPMESSAGESTRING, AFX_IDS_IDLEMESSAGE);
            else
                pMain->SendMessage(WM_SETMESSAGESTRING, static_cast<WPARAM>(nHit));
        }
    }
    return TRUE;
}

void CUXControlBar::SetBorders(int left, int top, int right, int bottom)
{
    m_cxLeftBorder = left;
    m_cyTopBorder = top;
    m_cxRightBorder = right;
    m_cyBottomBorder = bottom;
}

void CUXControlBar::SetBorders(const CRect& rect)
{
    SetBorders(rect.left, rect.top, rect.right, rect.bottom);
}

CRect CUXControlBar::GetBorders() const
{
    return CRect(m_cxLeftBorder, m_cyTopBorder, m_cxRightBorder, m_cyBottomBorder);
}

BOOL CUXControlBar::ModifyExtraBarStyle(DWORD remove, DWORD add, BOOL redraw)
{
    SetExtraBarStyle((GetExtraBarStyle() & ~remove) | add);
    if (m_hWnd != nullptr)
    {
        SetWindowPos(nullptr, 0, 0, 0, 0,
                     SWP_NOSIZE | SWP_NOMOVE | SWP_NOZORDER | SWP_NOACTIVATE | SWP_FRAMECHANGED);
        if (redraw)
            Invalidate();
    }
    return TRUE;
}

void CUXControlBar::SetMenuID(UINT nIDResource, int subMenu)
{
    m_nMenuID = nIDResource;
    m_nMenuSubIndex = subMenu;
}

UINT CUXControlBar::GetDockBarID() const
{
    HWND parent = m_hWnd != nullptr ? ::GetParent(m_hWnd) : nullptr;
    return parent != nullptr ? static_cast<UINT>(::GetDlgCtrlID(parent)) : 0;
}

BOOL CUXControlBar::IsDockedLeft() const
{
    return GetDockBarID() == AFX_IDW_DOCKBAR_LEFT;
}

BOOL CUXControlBar::IsDockedRight() const
{
    return GetDockBarID() == AFX_IDW_DOCKBAR_RIGHT;
}

BOOL CUXControlBar::IsDockedTop() const
{
    return GetDockBarID() == AFX_IDW_DOCKBAR_TOP;
}

BOOL CUXControlBar::IsDockedBottom() const
{
    return GetDockBarID() == AFX_IDW_DOCKBAR_BOTTOM;
}

BOOL CUXControlBar::IsFlatLookOn() const
{
    return uxAfxData.m_bFlatLook;
}

COLORREF CUXControlBar::GetBackColor() const
{
    return IsFlatLookOn() ? uxAfxData.m_clrFaceWindow : uxAfxData.m_clrBtnFace;
}

BOOL CUXControlBar::GetReBarBandInfo(REBARBANDINFOA* info, BOOL horizontal)
{
    if (info == nullptr)
        return FALSE;
    CSize size = CalcFixedLayout(FALSE, horizontal);
    info->cxMinChild = static_cast<UINT>(size.cx);
    info->cyMinChild = static_cast<UINT>(size.cy);
    info->fMask |= RBBIM_CHILDSIZE;
    return TRUE;
}

void CUXControlBar::OnReBarNotify(LPARAM, BOOL)
{
}

void CUXControlBar::SetHook(std::unique_ptr<CUXWndHook> pHook)
{
    m_pHook = std::move(pHook);
}

void CUXControlBar::AttachHook(CWnd* pWnd)
{
    if (m_pHook == nullptr || pWnd == nullptr || pWnd->m_hWnd == nullptr)
        return;
    // A hook sits on one window at a time, so it leaves the one it was on. A bar that now lives in another
    // frame than the one it was made in takes its hook to that frame.
    CWnd* pTarget = pWnd;
    CFrameWnd* pParent = GetParentFrame();
    if (m_pCreationFrame != nullptr && pParent != nullptr && pParent != m_pCreationFrame &&
        pParent->m_hWnd != nullptr)
        pTarget = pParent;
    if (m_pHook->IsAttached())
        m_pHook->AttachWindow(static_cast<HWND>(nullptr));
    m_pHook->AttachWindow(pTarget);
}

void CUXControlBar::UpdateBarFont()
{
    HDC screen = ::GetDC(nullptr);
    int size = ::MulDiv(8, ::GetDeviceCaps(screen, LOGPIXELSY), 72);
    ::ReleaseDC(nullptr, screen);
    CopyFont(m_fontHorz, uxAfxData.m_fontNormal, size);
    CopyFont(m_fontBold, uxAfxData.m_fontBold, size);
    CopyFont(m_fontVert, uxAfxData.m_fontVert, size);
}

UXDockContextFactory CUXControlBar::s_pfnDockContextFactory = nullptr;

void CUXControlBar::EnableDocking(DWORD dwDockStyle)
{
    if (dwDockStyle != 0 && m_pDockContext == nullptr && s_pfnDockContextFactory != nullptr)
        m_pDockContext = s_pfnDockContextFactory(this);
    CControlBar::EnableDocking(dwDockStyle);
    if (m_hWnd != nullptr && m_hWndOwner == nullptr)
        SetOwner(GetParent());
}

void CUXControlBar::DelayShow(BOOL bShow)
{
    CControlBar::DelayShow(bShow);
    std::vector<CUXBarVisibilityListener*> listeners = m_listeners;
    for (CUXBarVisibilityListener* listener : listeners)
        listener->OnBarDelayShow(bShow);
}

void CUXControlBar::AddVisibilityListener(CUXBarVisibilityListener* listener)
{
    if (listener != nullptr)
        m_listeners.push_back(listener);
}

void CUXControlBar::RemoveVisibilityListener(CUXBarVisibilityListener* listener)
{
    m_listeners.erase(std::remove(m_listeners.begin(), m_listeners.end(), listener), m_listeners.end());
}

// ---- drawing -------------------------------------------------------------------------------------------

void CUXControlBar::DrawBorders(CDC* pDC, CRect& rect)
{
    DWORD style = m_dwStyle;
    if (!(style & CBRS_BORDER_ANY))
        return;
    COLORREF dark = uxAfxData.m_clrBtnShadow;
    COLORREF light = uxAfxData.m_clrBtnHilite;
    if (IsFlatLookOn())
        dark = light = uxAfxData.m_clrBtnFace;
    BOOL left = (style & CBRS_BORDER_LEFT) != 0;
    BOOL top = (style & CBRS_BORDER_TOP) != 0;
    BOOL right = (style & CBRS_BORDER_RIGHT) != 0;
    BOOL bottom = (style & CBRS_BORDER_BOTTOM) != 0;
    BOOL border3d = (style & CBRS_BORDER_3D) != 0;

    // The outer lines, and the light lines inside them for a 3-D border.
    int yTop = rect.top + (top ? BorderY() : 0);
    int yBottom = rect.bottom - (bottom ? BorderY() : 0);
    int cx = rect.Width();
    int cy = yBottom - yTop;
    int inset = border3d ? 2 : 1;
    if (left)
        pDC->FillSolidRect(rect.left, yTop - 1, 1, cy, dark);
    if (top)
        pDC->FillSolidRect(rect.left, rect.top, cx, 1, dark);
    if (right)
        pDC->FillSolidRect(rect.right - inset, yTop - 1, 1, cy, dark);
    if (bottom)
        pDC->FillSolidRect(rect.left, rect.bottom - inset, cx, 1, dark);
    if (border3d)
    {
        if (left)
            pDC->FillSolidRect(rect.left + 1, yTop - 1, 1, cy, light);
        if (top)
            pDC->FillSolidRect(rect.left, rect.top + 1, cx, 1, light);
        if (right)
            pDC->FillSolidRect(rect.right - 1, yTop - 1, 1, cy, light);
        if (bottom)
            pDC->FillSolidRect(rect.left, rect.bottom - 1, cx, 1, light);
    }
    if (m_bInReBar)
    {
        if (left)
            rect.left += BorderX();
        if (top)
            rect.top += BorderY();
        if (right)
            rect.right -= BorderX();
        if (bottom)
            rect.bottom -= BorderY();
        return;
    }
    // Past the outer line, one line more on each bordered edge: dark at the right and bottom, light at the
    // top and left.
    if (right)
    {
        rect.right -= 1;
        if (!border3d)
            pDC->FillSolidRect(rect.right - 1, rect.top, 1, rect.Height(), dark);
        rect.right -= 1;
    }
    if (bottom)
    {
        rect.bottom -= 1;
        if (!border3d)
            pDC->FillSolidRect(rect.left, rect.bottom - 1, rect.Width(), 1, dark);
        rect.bottom -= 1;
    }
    if (top)
    {
        rect.top += 1;
        if (!border3d)
            pDC->FillSolidRect(rect.left, rect.top, rect.Width(), 1, light);
        rect.top += 1;
    }
    if (left)
    {
        rect.left += 1;
        if (!border3d)
            pDC->FillSolidRect(rect.left, rect.top, 1, rect.Height(), light);
        rect.left += 1;
    }
}

void CUXControlBar::DrawGripper(CDC* pDC, const CRect& rect)
{
    if ((m_dwStyle & (CBRS_GRIPPER | CBRS_FLOATING)) != CBRS_GRIPPER)
        return;
    BOOL horizontal = (m_dwStyle & CBRS_ORIENT_HORZ) != 0;
    COLORREF light = uxAfxData.m_clrBtnHilite;
    COLORREF dark = uxAfxData.m_clrBtnShadow;
    int h = rect.Height();
    int w = rect.Width();
    if (m_dwExtraStyle & kExtraDoubleGripper)
    {
        // Two raised bars: at the left edge plus 1 and 5 (horizontal), at the top plus 2 and 5 (vertical).
        for (int bar = 0; bar < 2; ++bar)
        {
            if (horizontal)
            {
                int x = rect.left + (bar == 0 ? 1 : 5);
                pDC->Draw3dRect(x, rect.top + 2, 3, h - 4, light, dark);
                pDC->SetPixelV(x + 1, rect.bottom - 3, light);
            }
            else
            {
                int y = rect.top + (bar == 0 ? 2 : 5);
                pDC->Draw3dRect(rect.left + 2, y, w - 4, 3, light, dark);
                pDC->SetPixelV(rect.right - 3, y + 1, light);
            }
        }
        return;
    }
    if (IsFlatLookOn())
    {
        // Short lines, every other pixel, in the blend of shadow and window.
        COLORREF color = uxAfxData.m_clrShadowWindow;
        if (horizontal && h - 9 > 0)
        {
            int lines = (h - 8) / 2;
            for (int i = 0; i < lines; ++i)
                pDC->FillSolidRect(rect.left + 1, rect.top + 4 + 2 * i, 4, 1, color);
        }
        else if (!horizontal && w - 9 > 0)
        {
            int lines = (w - 8) / 2;
            for (int i = 0; i < lines; ++i)
                pDC->FillSolidRect(rect.left + 4 + 2 * i, rect.top + 2, 1, 3, color);
        }
        return;
    }
    if (horizontal)
        pDC->Draw3dRect(rect.left + 2, rect.top + m_cyTopBorder + 2, 3, h - m_cyTopBorder - m_cyBottomBorder - 4,
                        light, dark);
    else
        pDC->Draw3dRect(rect.left + m_cyTopBorder + 2, rect.top + 2, w - m_cyTopBorder - m_cyBottomBorder - 4, 3,
                        light, dark);
}

void CUXControlBar::DrawNonClient()
{
    CWindowDC dc(this);
    CRect window, client;
    UXPrepareNonClientDC(this, dc, window, client);
    COLORREF back = GetBackColor();
    CUXMemDC mem(&dc, window, back);
    if (!mem.IsValid())
        return;
    CRect rect(window);
    DrawBorders(&mem, rect);
    mem.FillSolidRect(&rect, back);
    DrawGripper(&mem, rect);
    if (IsFlatLookOn() && IsKindOf(RUNTIME_CLASS(CUXToolBar)))
    {
        // Rounded corners.
        COLORREF face = uxAfxData.m_clrBtnFace;
        mem.SetPixelV(rect.left, rect.top, face);
        mem.SetPixelV(rect.right - 1, rect.top, face);
        mem.SetPixelV(rect.left, rect.bottom - 1, face);
        mem.SetPixelV(rect.right - 1, rect.bottom - 1, face);
    }
}

BOOL CUXControlBar::IsCursorInGripper() const
{
    if (!(m_dwStyle & CBRS_GRIPPER) || m_hWnd == nullptr)
        return FALSE;
    CPoint cursor;
    ::GetCursorPos(&cursor);
    ScreenToClient(&cursor);
    CRect window, client;
    GetWindowRect(&window);
    ScreenToClient(&window);
    GetClientRect(&client);
    if (!window.PtInRect(cursor))
        return FALSE;
    return (m_dwStyle & CBRS_ORIENT_HORZ) ? cursor.x < client.left : cursor.y < client.top;
}

// ---- the bar menu --------------------------------------------------------------------------------------

void CUXControlBar::ShowBarMenu(CPoint point, CFrameWnd* pFrame)
{
    TrackBarMenu(point, pFrame,
                 IsKindOf(RUNTIME_CLASS(CUXToolBar)) && static_cast<CUXToolBar*>(this)->IsCustomizable());
}

void CUXControlBar::TrackBarMenu(CPoint point, CFrameWnd* pFrame, BOOL bCustomize)
{
    if (pFrame == nullptr || pFrame->m_hWnd == nullptr)
        return;
    struct Entry
    {
        CString text;
        UINT id;
        BOOL checked;
    };
    std::vector<Entry> groups[kStatusBars + 1];
    POSITION pos = pFrame->m_listControlBars.GetHeadPosition();
    while (pos != nullptr)
    {
        CControlBar* pBar = pFrame->m_listControlBars.GetNext(pos);
        if (pBar == nullptr || pBar->m_hWnd == nullptr)
            continue;
        BarMenuGroup group = kNotListed;
        UINT titleId = 0;
        if (pBar->IsKindOf(RUNTIME_CLASS(CUXControlBar)))
            group = static_cast<CUXControlBar*>(pBar)->GetBarMenuGroup();
        else if (pBar->GetDlgCtrlID() == AFX_IDW_STATUS_BAR)
            group = kStatusBars;
        switch (group)
        {
        case kDockingWindows: titleId = IDS_UX_DOCK_WINDOW; break;
        case kToolBars: titleId = IDS_UX_TOOLBAR; break;
        case kOtherBars: titleId = IDS_UX_CONTROL_BAR; break;
        case kStatusBars: titleId = IDS_UX_STATUS_BAR; break;
        default: continue;
        }
        CString text;
        if (group != kStatusBars)
            pBar->GetWindowText(text);
        if (text.IsEmpty())
            text.LoadString(titleId);
        groups[group].push_back(Entry{text, static_cast<UINT>(pBar->GetDlgCtrlID()), pBar->IsVisible()});
    }

    CUXTrackMenu menu;
    if (!menu.CreatePopupMenu())
        return;
    int entries = 0;
    for (int group = kDockingWindows; group <= kStatusBars; ++group)
    {
        if (group == kToolBars && entries > 0)
            menu.AppendMenu(MF_SEPARATOR);
        for (const Entry& entry : groups[group])
        {
            menu.AppendMenu(MF_STRING | (entry.checked ? MF_CHECKED : MF_UNCHECKED), entry.id, entry.text);
            ++entries;
        }
    }
    if (bCustomize)
    {
        if (entries > 0)
            menu.AppendMenu(MF_SEPARATOR);
        CString customize;
        customize.LoadString(IDS_UX_CUSTOMIZE);
        menu.AppendMenu(MF_STRING, ID_UX_CUSTOMIZE, customize);
        ++entries;
    }
    if (entries > 0)
        menu.TrackPopupMenu(TPM_LEFTALIGN | TPM_LEFTBUTTON, point.x, point.y, pFrame, TRUE);
}

void CUXControlBar::OnRButtonDown(UINT nFlags, CPoint point)
{
    if (!m_bContextMenu || !uxAfxData.m_bBarContextMenu)
    {
        CControlBar::OnRButtonDown(nFlags, point);
        return;
    }
    ClientToScreen(&point);
    if (m_nMenuID != 0)
    {
        CMenu loaded;
        if (!loaded.LoadMenu(m_nMenuID))
            return;
        HMENU sub = ::GetSubMenu(loaded, m_nMenuSubIndex);
        if (sub == nullptr)
            return;
        ::RemoveMenu(loaded, static_cast<UINT>(m_nMenuSubIndex), MF_BYPOSITION);
        CUXTrackMenu menu;
        menu.Attach(sub);
        CWnd* pOwner = this;
        while (pOwner->GetStyle() & WS_CHILD)
        {
            CWnd* pParent = pOwner->GetParent();
            if (pParent == nullptr)
                break;
            pOwner = pParent;
        }
        menu.TrackPopupMenu(TPM_LEFTALIGN | TPM_LEFTBUTTON, point.x, point.y, pOwner, TRUE);
        return;
    }
    CFrameWnd* pFrame = m_pDockSite != nullptr ? m_pDockSite : GetParentFrame();
    if (pFrame != nullptr && pFrame->m_hWnd != nullptr)
    {
        ShowBarMenu(point, pFrame);
        if (::IsWindow(pFrame->m_hWnd))
            pFrame->RecalcLayout();
    }
}

// ---- messages ------------------------------------------------------------------------------------------

void CUXControlBar::OnWindowPosChanging(WINDOWPOS* lpwndpos)
{
    CRect before;
    GetWindowRect(&before);
    CControlBar::OnWindowPosChanging(lpwndpos);
    if (lpwndpos->flags & SWP_NOSIZE)
        return;
    // The border lines along the right and bottom edges move with the size: draw them again.
    BOOL width = lpwndpos->cx != before.Width() && (m_dwStyle & CBRS_BORDER_RIGHT);
    BOOL height = lpwndpos->cy != before.Height() && (m_dwStyle & CBRS_BORDER_BOTTOM);
    if (width || height)
        RedrawWindow(nullptr, nullptr, RDW_FRAME | RDW_INVALIDATE);
}

BOOL CUXControlBar::OnEraseBkgnd(CDC*)
{
    return FALSE;   // painting covers everything
}

void CUXControlBar::OnNcPaint()
{
    DrawNonClient();
}

void CUXControlBar::OnPaint()
{
    CPaintDC dc(this);
    CRect client;
    GetClientRect(&client);
    CUXMemDC mem(&dc, client, GetBackColor());
    if (mem.IsValid() && (GetStyle() & WS_VISIBLE))
        DoPaint(&mem);
}

int CUXControlBar::OnCreate(LPCREATESTRUCT lpCreateStruct)
{
    if (CControlBar::OnCreate(lpCreateStruct) == -1)
        return -1;
    SendMessage(WM_SETFONT, reinterpret_cast<WPARAM>(uxAfxData.m_fontNormal.m_hObject), TRUE);
    m_pCreationFrame = GetParentFrame();
    return 0;
}

BOOL CUXControlBar::OnSetCursor(CWnd* pWnd, UINT nHitTest, UINT message)
{
    if (!m_bInReBar && IsCursorInGripper() && uxAfxData.m_hcurSizeAll != nullptr)
    {
        ::SetCursor(uxAfxData.m_hcurSizeAll);
        return TRUE;
    }
    return CControlBar::OnSetCursor(pWnd, nHitTest, message);
}

void CUXControlBar::OnDestroy()
{
    // A frame whose active view lies in this bar forgets it.
    CFrameWnd* frames[3] = {GetTopLevelFrame(), GetParentFrame(), m_pCreationFrame};
    for (int i = 0; i < 3; ++i)
    {
        CFrameWnd* pFrame = frames[i];
        if (pFrame == nullptr || std::find(frames, frames + i, pFrame) != frames + i || pFrame->m_hWnd == nullptr)
            continue;
        CView* pView = pFrame->GetActiveView();
        if (pView != nullptr && pView->m_hWnd != nullptr && ::IsChild(m_hWnd, pView->m_hWnd))
            pFrame->SetActiveView(nullptr);
    }
    CControlBar::OnDestroy();
}

LRESULT CUXControlBar::OnIdleUpdateCmdUI(WPARAM wParam, LPARAM)
{
    ApplyDelayedShow();
    CWnd* pParent = GetParent();
    BOOL dockBarVisible = pParent == nullptr || (pParent->GetStyle() & WS_VISIBLE) != 0;
    if ((GetStyle() & WS_VISIBLE) && dockBarVisible)
    {
        CFrameWnd* pTarget = pParent != nullptr && pParent->IsKindOf(RUNTIME_CLASS(CFrameWnd))
                                 ? static_cast<CFrameWnd*>(pParent)
                                 : GetParentFrame();
        if (pTarget == nullptr)
            pTarget = m_pDockSite;
        if (pTarget != nullptr)
            OnUpdateCmdUI(pTarget, static_cast<BOOL>(wParam));
    }
    return 0;
}

LRESULT CUXControlBar::OnReBarBandInfoMsg(WPARAM wParam, LPARAM lParam)
{
    m_bInReBar = TRUE;
    return GetReBarBandInfo(reinterpret_cast<REBARBANDINFOA*>(lParam), wParam != 0);
}

LRESULT CUXControlBar::OnReBarNotifyMsg(WPARAM wParam, LPARAM lParam)
{
    OnReBarNotify(lParam, wParam != 0);
    return 0;
}

LRESULT CUXControlBar::OnReBarQueryMsg(WPARAM, LPARAM)
{
    return OnReBarQuery();
}

LRESULT CUXControlBar::OnDockQueryMsg(WPARAM, LPARAM lParam)
{
    return OnDockContextQuery(lParam);
}
