#include "uilib/frames/DockWindow.h"

#include "resources/uilib/UilibResources.h"
#include "uilib/core/base/GlobalData.h"
#include "uilib/core/base/LibraryIds.h"
#include "uilib/core/base/SettingsStore.h"
#include "uilib/frames/DockBar.h"

#include <algorithm>
#include <vector>

namespace
{

// The owner-drawn push button of a caption: child, visible, tab stop, notify, centred icon.
const DWORD kCaptionButtonStyle =
    WS_CHILD | WS_VISIBLE | WS_TABSTOP | BS_NOTIFY | BS_CENTER | BS_ICON | BS_OWNERDRAW;
static_assert(kCaptionButtonStyle == 0x5001434B, "the caption buttons' style");

CUXDockWindow::Side SideOfStyle(DWORD dwStyle)
{
    if (dwStyle & CBRS_ALIGN_BOTTOM)
        return CUXDockWindow::kBottom;
    if (dwStyle & CBRS_ALIGN_LEFT)
        return CUXDockWindow::kLeft;
    if (dwStyle & CBRS_ALIGN_RIGHT)
        return CUXDockWindow::kRight;
    return CUXDockWindow::kTop;
}

// The largest visible, enabled child of a window (null when none).
HWND LargestChild(HWND hWnd)
{
    HWND best = nullptr;
    long bestArea = -1;
    for (HWND child = ::GetWindow(hWnd, GW_CHILD); child != nullptr; child = ::GetWindow(child, GW_HWNDNEXT))
    {
        if (!::IsWindowVisible(child) || !::IsWindowEnabled(child))
            continue;
        CRect rect;
        ::GetWindowRect(child, &rect);
        long area = static_cast<long>(rect.Width()) * rect.Height();
        if (area > bestArea)
        {
            best = child;
            bestArea = area;
        }
    }
    return best;
}

}   // namespace

// ---- CUXBarButton --------------------------------------------------------------------------------------

IMPLEMENT_DYNAMIC(CUXBarButton, CUXButton)

void CUXBarButton::DrawItem(LPDRAWITEMSTRUCT lpDrawItemStruct)
{
    CDC* pDC = CDC::FromHandle(lpDrawItemStruct->hDC);
    CRect rect(lpDrawItemStruct->rcItem);
    BOOL flat = uxAfxData.m_bFlatLook;
    BOOL active = flat && m_pDockWindow != nullptr && m_pDockWindow->IsActive();
    BOOL pressed = (lpDrawItemStruct->itemState & ODS_SELECTED) != 0;
    pDC->FillSolidRect(&rect, active ? uxAfxData.m_clrActiveCaption : uxAfxData.m_clrBtnFace);
    if (pressed)
        pDC->Draw3dRect(&rect, uxAfxData.m_clrBtnShadow, uxAfxData.m_clrBtnHilite);
    else if (IsMouseOver())
        pDC->Draw3dRect(&rect, uxAfxData.m_clrBtnHilite, uxAfxData.m_clrBtnShadow);
    if (m_hGlyph == nullptr)
        return;
    int offset = pressed ? 2 : 1;
    // In the flat look an active window's glyphs are white.
    HBRUSH brush = active ? static_cast<HBRUSH>(::GetStockObject(WHITE_BRUSH)) : nullptr;
    ::DrawStateA(pDC->GetSafeHdc(), brush, nullptr, reinterpret_cast<LPARAM>(m_hGlyph), 0, rect.left + offset,
                 rect.top + offset, 10, 10, DST_ICON | (active ? DSS_MONO : 0));
}

// ---- CUXDockWindow -------------------------------------------------------------------------------------

IMPLEMENT_DYNAMIC(CUXDockWindow, CUXControlBar)

BEGIN_MESSAGE_MAP(CUXDockWindow, CUXControlBar)
    ON_WM_CREATE()
    ON_WM_DESTROY()
    ON_WM_SIZE()
    ON_WM_WINDOWPOSCHANGING()
    ON_WM_LBUTTONDOWN()
    ON_MESSAGE(WM_IDLEUPDATECMDUI, OnIdleUpdateCmdUI)
    ON_MESSAGE(UXM_FIRSTINIT, OnFirstInit)
    ON_COMMAND(ID_UX_DOCK_HIDE, OnHide)
    ON_COMMAND(ID_UX_DOCK_EXPAND, OnExpand)
END_MESSAGE_MAP()

CUXDockWindow::CUXDockWindow()
{
    // The caption band is drawn in the client area: no borders, no gripper.
    m_cxLeftBorder = m_cxRightBorder = m_cyTopBorder = m_cyBottomBorder = 0;
    m_nMRUWidth = m_sizeFloat.cx;
}

CUXDockWindow::~CUXDockWindow() = default;

BOOL CUXDockWindow::Create(CWnd* pParentWnd, LPCSTR lpszTitle, UINT nID, DWORD dwStyle)
{
    // The caption band serves as gripper, and the window draws no borders.
    SetBarStyle(dwStyle & CBRS_ALL & ~(CBRS_GRIPPER | CBRS_BORDER_ANY));
    return CreateEx(0, nullptr, lpszTitle, (dwStyle & ~CBRS_ALL) | WS_CHILD | WS_CLIPCHILDREN, CRect(0, 0, 0, 0),
                    pParentWnd, nID);
}

CUXDockWindow* CUXDockWindow::FromBar(CControlBar* pBar)
{
    return pBar != nullptr && pBar->IsKindOf(RUNTIME_CLASS(CUXDockWindow)) ? static_cast<CUXDockWindow*>(pBar)
                                                                           : nullptr;
}

int CUXDockWindow::OnCreate(LPCREATESTRUCT lpCreateStruct)
{
    if (CUXControlBar::OnCreate(lpCreateStruct) == -1)
        return -1;
    if ((m_dwExtraStyle & (kExtraCaption | kExtraButtons)) != (kExtraCaption | kExtraButtons))
        return 0;
    CImageList glyphs;
    if (glyphs.Create(IDB_UX_CAPTION_GLYPHS, 10, 0, RGB(255, 0, 255)))
    {
        m_iconHide.Attach(glyphs.ExtractIcon(UX_GLYPH_CLOSE));
        m_iconExpand.Attach(glyphs.ExtractIcon(UX_GLYPH_EXPAND));
        m_iconContract.Attach(glyphs.ExtractIcon(UX_GLYPH_RESTORE));
    }
    m_pHideButton = std::make_unique<CUXBarButton>(this);
    m_pExpandButton = std::make_unique<CUXBarButton>(this);
    CRect button(0, 0, kButtonSize, kButtonSize);
    if (!m_pHideButton->Create(nullptr, kCaptionButtonStyle, button, this, ID_UX_DOCK_HIDE) ||
        !m_pExpandButton->Create(nullptr, kCaptionButtonStyle, button, this, ID_UX_DOCK_EXPAND))
        return -1;
    m_pHideButton->SetGlyph(m_iconHide);
    m_pExpandButton->SetGlyph(m_bExpanded ? m_iconContract : m_iconExpand);
    if (m_wndTip.Create(this))
    {
        m_wndTip.AddTool(m_pHideButton.get(), IDS_UX_DOCK_HIDE_TIP);
        m_wndTip.AddTool(m_pExpandButton.get(), IDS_UX_DOCK_EXPAND_TIP);
    }
    return 0;
}

void CUXDockWindow::OnDestroy()
{
    if (m_wndTip.m_hWnd != nullptr)
        m_wndTip.DestroyWindow();
    CUXControlBar::OnDestroy();
}

void CUXDockWindow::SetChild(CWnd* pChild)
{
    m_pChild = pChild;
    if (m_hWnd != nullptr)
        LayoutContents();
}

void CUXDockWindow::SetDockedSize(Side side, CSize size)
{
    m_sizeDefault[side] = UXCapToScreen(size, kMinSize);
}

void CUXDockWindow::SetFloatingSize(CSize size)
{
    // Its floating frame, borders and caption too, fits the work area.
    CRect place(0, 0, 0, 0);
    if (m_hWnd != nullptr)
        GetWindowRect(&place);
    CRect work = UXWorkAreaNear(place);
    CRect borders(0, 0, 0, 0);
    CMiniFrameWnd::CalcBorders(&borders, CMiniDockFrameWnd::FrameStyle(CBRS_SIZE_DYNAMIC));
    size = UXCapToScreen(size, kMinSize);
    m_sizeFloat = CSize(std::max<int>(kMinSize, std::min<int>(size.cx, work.Width() - borders.Width())),
                        std::max<int>(kMinSize, std::min<int>(size.cy, work.Height() - borders.Height())));
    m_nMRUWidth = m_sizeFloat.cx;
}

CUXDockWindow::Side CUXDockWindow::GetSide() const
{
    return SideOfStyle(m_dwStyle);
}

BOOL CUXDockWindow::IsActive() const
{
    HWND focus = ::GetFocus();
    return m_hWnd != nullptr && focus != nullptr && (focus == m_hWnd || ::IsChild(m_hWnd, focus));
}

void CUXDockWindow::SetExpanded(BOOL bExpanded)
{
    m_bExpanded = bExpanded;
    if (m_pExpandButton != nullptr && m_pExpandButton->m_hWnd != nullptr)
    {
        m_pExpandButton->SetGlyph(m_bExpanded ? m_iconContract : m_iconExpand);
        m_pExpandButton->Invalidate();
    }
}

void CUXDockWindow::ResetRowExpansion()
{
    if (CUXDockBar* pDockBar = CUXDockBar::FromBar(m_pDockBar))
        pDockBar->ContractRow(this);
    m_bExpanded = FALSE;
}

void CUXDockWindow::DockInto(CDockBar* pDockBar, LPCRECT lpRect)
{
    CFrameWnd* pFrame = GetDockingFrame();
    if (pFrame == nullptr)
        return;
    m_dwStyle &= ~CBRS_FLOATING;
    if (pDockBar != nullptr)
        pFrame->DockControlBar(this, pDockBar, lpRect);
    else
        pFrame->DockControlBar(this);
    // Docked at the size it floated at, no size message comes, nor a style change (the flag went above).
    LayoutContents();
}

// ---- stored position -----------------------------------------------------------------------------------

void CUXDockWindow::GetBarPosition(CUXDockWindowPosition& position) const
{
    for (int side = 0; side < 4; ++side)
    {
        position.size[side][0] = m_sizeDefault[side].cx;
        position.size[side][1] = m_sizeDefault[side].cy;
    }
    position.floatSize[0] = m_sizeFloat.cx;
    position.floatSize[1] = m_sizeFloat.cy;
    position.flags = m_bExpanded ? static_cast<uint32_t>(CUXDockWindowPosition::kExpanded) : 0u;
}

void CUXDockWindow::SetBarPosition(const CUXDockWindowPosition& position)
{
    for (int side = 0; side < 4; ++side)
        SetDockedSize(static_cast<Side>(side), CSize(position.size[side][0], position.size[side][1]));
    SetFloatingSize(CSize(position.floatSize[0], position.floatSize[1]));
    SetExpanded((position.flags & CUXDockWindowPosition::kExpanded) != 0);
}

BOOL CUXDockWindow::SaveBarPosition(LPCSTR lpszSection)
{
    if (m_hWnd == nullptr || lpszSection == nullptr)
        return FALSE;
    CUXDockWindowPosition position = {};
    GetBarPosition(position);
    CString entry;
    entry.LoadString(IDS_UX_BAR_POSITION);
    CUXSettingsStore store(HKEY_CURRENT_USER);
    return store.WriteProfileBinary(lpszSection, entry, reinterpret_cast<const BYTE*>(&position),
                                    sizeof(position));
}

BOOL CUXDockWindow::LoadBarPosition(LPCSTR lpszSection)
{
    if (m_hWnd == nullptr || lpszSection == nullptr)
        return FALSE;
    CString entry;
    entry.LoadString(IDS_UX_BAR_POSITION);
    CUXSettingsStore store(HKEY_CURRENT_USER);
    std::vector<BYTE> data;
    if (!store.GetProfileBinary(lpszSection, entry, data))
        return FALSE;
    // Only the record as it is stored: a value of another length is not ours.
    if (data.size() != sizeof(CUXDockWindowPosition))
        return FALSE;
    CUXDockWindowPosition position;
    memcpy(&position, data.data(), sizeof(position));
    SetBarPosition(position);
    return TRUE;
}

// ---- layout --------------------------------------------------------------------------------------------

CSize CUXDockWindow::CalcFixedLayout(BOOL, BOOL bHorz)
{
    return m_sizeDefault[bHorz ? kTop : kLeft];
}

CSize CUXDockWindow::CalcDynamicLayout(int nLength, DWORD dwMode)
{
    if (dwMode & (LM_HORZDOCK | LM_VERTDOCK))
    {
        // The side it would lie along; the dock bar gives it its length in the row.
        Side side = SideOfStyle(m_dwStyle);
        if ((dwMode & LM_HORZDOCK) && side != kTop && side != kBottom)
            side = kTop;
        if ((dwMode & LM_VERTDOCK) && side != kLeft && side != kRight)
            side = kLeft;
        return m_sizeDefault[side];
    }
    CSize size = m_sizeFloat;
    if (!(dwMode & LM_MRUWIDTH) && nLength >= 0)
    {
        if (dwMode & LM_LENGTHY)
            size.cy = std::max<int>(nLength, kMinSize);
        else
            size.cx = std::max<int>(nLength, kMinSize);
    }
    if (dwMode & LM_COMMIT)
        SetFloatingSize(size);
    return size;
}

CRect CUXDockWindow::GetCaptionRect() const
{
    CRect client;
    GetClientRect(&client);
    if ((m_dwStyle & CBRS_FLOATING) || !(m_dwExtraStyle & kExtraCaption))
        return CRect(0, 0, 0, 0);
    // Along the top or bottom of the frame the band stands at the left edge; along a side it lies on top.
    if (m_dwStyle & CBRS_ORIENT_HORZ)
        client.right = client.left + kCaptionSize;
    else
        client.bottom = client.top + kCaptionSize;
    return client;
}

void CUXDockWindow::LayoutContents()
{
    if (m_hWnd == nullptr)
        return;
    CRect client;
    GetClientRect(&client);
    CRect caption = GetCaptionRect();
    CRect inside = client;
    if (!caption.IsRectEmpty())
    {
        if (m_dwStyle & CBRS_ORIENT_HORZ)
            inside.left = caption.right;
        else
            inside.top = caption.bottom;
    }
    inside.DeflateRect(1, 1);
    int count = (m_pChild != nullptr && m_pChild->m_hWnd != nullptr ? 1 : 0) + (m_pHideButton != nullptr ? 2 : 0);
    if (count == 0)
        return;
    // One batch; a batch the system cannot make moves nothing.
    HDWP hDWP = ::BeginDeferWindowPos(count);
    if (hDWP != nullptr && m_pChild != nullptr && m_pChild->m_hWnd != nullptr)
        hDWP = ::DeferWindowPos(hDWP, m_pChild->m_hWnd, nullptr, inside.left, inside.top,
                                std::max<int>(0, inside.Width()), std::max<int>(0, inside.Height()),
                                SWP_NOZORDER | SWP_NOACTIVATE);
    if (m_pHideButton != nullptr && hDWP != nullptr)
    {
        // The hide button at the band's far end (top right, or top of a standing band), the expand button
        // beside it: to its left in a lying band, below it in a standing one.
        BOOL shown = !caption.IsRectEmpty();
        BOOL standing = (m_dwStyle & CBRS_ORIENT_HORZ) != 0;
        int margin = (kCaptionSize - kButtonSize) / 2;
        CPoint hide = standing ? CPoint(caption.left + margin, caption.top + margin)
                               : CPoint(caption.right - margin - kButtonSize, caption.top + margin);
        CPoint expand = standing ? CPoint(hide.x, hide.y + kButtonStep) : CPoint(hide.x - kButtonStep, hide.y);
        UINT flags = SWP_NOZORDER | SWP_NOACTIVATE | (shown ? SWP_SHOWWINDOW : SWP_HIDEWINDOW);
        hDWP = ::DeferWindowPos(hDWP, m_pHideButton->m_hWnd, nullptr, hide.x, hide.y, kButtonSize, kButtonSize,
                                flags);
        if (hDWP != nullptr)
            hDWP = ::DeferWindowPos(hDWP, m_pExpandButton->m_hWnd, nullptr, expand.x, expand.y, kButtonSize,
                                    kButtonSize, flags);
    }
    if (hDWP != nullptr)
        ::EndDeferWindowPos(hDWP);
}

void CUXDockWindow::OnBarStyleChange(DWORD dwOldStyle, DWORD dwNewStyle)
{
    CUXControlBar::OnBarStyleChange(dwOldStyle, dwNewStyle);
    if (m_hWnd != nullptr && ((dwOldStyle ^ dwNewStyle) & (CBRS_FLOATING | CBRS_ORIENT_ANY)) != 0)
        LayoutContents();
}

void CUXDockWindow::OnSize(UINT nType, int cx, int cy)
{
    CUXControlBar::OnSize(nType, cx, cy);
    LayoutContents();
    // Floating, the floating frame's caption serves: the window's own buttons hide, and each floating frame
    // it comes into loses its system menu once.
    if (m_dwStyle & CBRS_FLOATING)
    {
        CWnd* pFrame = GetParentFrame();
        if (pFrame != nullptr && pFrame->IsKindOf(RUNTIME_CLASS(CMiniDockFrameWnd)) &&
            (pFrame->GetStyle() & WS_SYSMENU))
            pFrame->ModifyStyle(WS_SYSMENU, 0, SWP_FRAMECHANGED);
    }
}

void CUXDockWindow::OnWindowPosChanging(WINDOWPOS* lpwndpos)
{
    // The base's border strips do not apply: this window draws no borders.
    DWORD style = m_dwStyle;
    m_dwStyle &= ~CBRS_BORDER_ANY;
    CRect before;
    GetWindowRect(&before);
    CUXControlBar::OnWindowPosChanging(lpwndpos);
    m_dwStyle = style;
    if ((m_dwStyle & CBRS_SIZE_DYNAMIC) && !(lpwndpos->flags & SWP_NOSIZE) &&
        (lpwndpos->cx != before.Width() || lpwndpos->cy != before.Height()))
        Invalidate();
    // Docked the children are clipped; floating the frame paints through.
    if (m_dwStyle & CBRS_FLOATING)
        ModifyStyle(WS_CLIPCHILDREN, 0);
    else
        ModifyStyle(0, WS_CLIPCHILDREN);
}

void CUXDockWindow::DoPaint(CDC* pDC)
{
    CRect caption = GetCaptionRect();
    if (caption.IsRectEmpty())
        return;
    BOOL flat = uxAfxData.m_bFlatLook;
    BOOL active = flat && IsActive();
    BOOL standing = (m_dwStyle & CBRS_ORIENT_HORZ) != 0;
    if (active)
        pDC->FillSolidRect(&caption, uxAfxData.m_clrActiveCaption);
    // Two grip lines along the band, up to the buttons.
    int buttons = m_pHideButton != nullptr ? 2 * kButtonStep + 2 : 2;
    CRect grip = caption;
    if (standing)
    {
        grip.top += buttons;
        grip.bottom -= 2;
        grip.left += (kCaptionSize - 7) / 2;
        grip.right = grip.left + 3;
    }
    else
    {
        grip.right -= buttons;
        grip.left += 2;
        grip.top += (kCaptionSize - 7) / 2;
        grip.bottom = grip.top + 3;
    }
    COLORREF light = active ? uxAfxData.m_clrCaptionText : uxAfxData.m_clrBtnHilite;
    COLORREF dark = active ? uxAfxData.m_clrActiveCaption : uxAfxData.m_clrBtnShadow;
    for (int line = 0; line < 2 && grip.Width() > 0 && grip.Height() > 0; ++line)
    {
        pDC->Draw3dRect(&grip, light, dark);
        grip.OffsetRect(standing ? 4 : 0, standing ? 0 : 4);
    }
}

BOOL CUXDockWindow::IsCursorInGripper() const
{
    if (m_hWnd == nullptr)
        return FALSE;
    CPoint cursor;
    ::GetCursorPos(&cursor);
    ScreenToClient(&cursor);
    return GetCaptionRect().PtInRect(cursor);
}

INT_PTR CUXDockWindow::OnToolHitTest(CPoint, TOOLINFOA*) const
{
    return -1;   // no items: a press drags
}

void CUXDockWindow::OnLButtonDown(UINT nFlags, CPoint point)
{
    // The click takes the focus into the window: to its largest child, and that child's largest, and so on.
    HWND target = nullptr;
    for (HWND hWnd = LargestChild(m_hWnd); hWnd != nullptr; hWnd = LargestChild(hWnd))
        target = hWnd;
    if (target != nullptr && target != AfxGetSafeHwnd(m_pHideButton.get()) &&
        target != AfxGetSafeHwnd(m_pExpandButton.get()))
        ::SetFocus(target);
    CUXControlBar::OnLButtonDown(nFlags, point);
}

LRESULT CUXDockWindow::OnIdleUpdateCmdUI(WPARAM wParam, LPARAM lParam)
{
    LRESULT result = CUXControlBar::OnIdleUpdateCmdUI(wParam, lParam);
    // The caption follows the focus.
    BOOL active = IsActive();
    if (active != m_bWasActive)
    {
        m_bWasActive = active;
        Invalidate();
        if (m_pHideButton != nullptr)
        {
            m_pHideButton->Invalidate();
            m_pExpandButton->Invalidate();
        }
    }
    // The controls of a floating window are updated once the idle update of the frames has passed. The
    // message ends idle time, so the idle pass it causes posts nothing: otherwise the loop never rests.
    if (m_bIdleAfterOwnPost)
        m_bIdleAfterOwnPost = FALSE;
    else
        PostMessage(UXM_FIRSTINIT, ++m_nIdleUpdates);
    return result;
}

LRESULT CUXDockWindow::OnFirstInit(WPARAM wParam, LPARAM)
{
    if (wParam != m_nIdleUpdates)
        return 0;
    m_bIdleAfterOwnPost = TRUE;
    if (m_dwStyle & CBRS_FLOATING)
        SendMessageToDescendants(WM_IDLEUPDATECMDUI, TRUE, 0, TRUE, TRUE);
    return 0;
}

void CUXDockWindow::OnHide()
{
    if (CFrameWnd* pFrame = GetDockingFrame())
        pFrame->ShowControlBar(this, FALSE, FALSE);
}

void CUXDockWindow::OnExpand()
{
    CUXDockBar* pDockBar = CUXDockBar::FromBar(m_pDockBar);
    if (pDockBar == nullptr || (m_dwStyle & CBRS_FLOATING))
        return;
    if (m_bExpanded)
        pDockBar->ContractRow(this);
    else
        pDockBar->ExpandWindow(this);
}

// ---- CUXTabCtrlBar -------------------------------------------------------------------------------------

IMPLEMENT_DYNAMIC(CUXTabCtrlBar, CUXDockWindow)

BEGIN_MESSAGE_MAP(CUXTabCtrlBar, CUXDockWindow)
    ON_WM_CREATE()
    ON_WM_WINDOWPOSCHANGING()
    ON_MESSAGE(UXM_TABBAR_UPDATE, OnUpdateMsg)
    ON_MESSAGE(UXM_TABBAR_CLOSEALL, OnCloseAllMsg)
END_MESSAGE_MAP()

int CUXTabCtrlBar::OnCreate(LPCREATESTRUCT lpCreateStruct)
{
    if (CUXDockWindow::OnCreate(lpCreateStruct) == -1)
        return -1;
    if (!m_tab.Create(WS_CHILD | WS_VISIBLE | WS_CLIPCHILDREN | TCS_BOTTOM, CRect(0, 0, 0, 0), this, kTabCtrlId))
        return -1;
    m_tab.SetFont(&uxAfxData.m_fontNormal);
    SetChild(&m_tab);
    return 0;
}

void CUXTabCtrlBar::OnWindowPosChanging(WINDOWPOS* lpwndpos)
{
    CUXDockWindow::OnWindowPosChanging(lpwndpos);
    if ((lpwndpos->flags & SWP_HIDEWINDOW) || m_tab.m_hWnd == nullptr)
        return;
    if (IsFloating())
        m_tab.ModifyStyle(WS_CLIPCHILDREN, 0);
    else
        m_tab.ModifyStyle(0, WS_CLIPCHILDREN);
}

void CUXTabCtrlBar::TrackMDIChildren(HWND hWndMDIClient)
{
    m_tab.TrackMDIChildren(hWndMDIClient);
    m_strShown = ChildrenState();
}

CString CUXTabCtrlBar::ChildrenState() const
{
    HWND client = m_tab.GetMDIClient();
    if (client == nullptr || !::IsWindow(client))
        return CString();
    CString state;
    state.Format("%p|", reinterpret_cast<void*>(::SendMessageA(client, WM_MDIGETACTIVE, 0, 0)));
    for (HWND child = ::GetWindow(client, GW_CHILD); child != nullptr; child = ::GetWindow(child, GW_HWNDNEXT))
    {
        if (::GetWindow(child, GW_OWNER) != nullptr)
            continue;
        CString item;
        item.Format("%p:%s|", reinterpret_cast<void*>(child), AfxGetWindowText(child).GetString());
        state += item;
    }
    return state;
}

void CUXTabCtrlBar::OnUpdateCmdUI(CFrameWnd* pTarget, BOOL bDisableIfNoHndler)
{
    CUXDockWindow::OnUpdateCmdUI(pTarget, bDisableIfNoHndler);
    if (m_tab.GetMDIClient() != nullptr && ChildrenState() != m_strShown)
        SendMessage(UXM_TABBAR_UPDATE);
}

void CUXTabCtrlBar::UpdateTabs(WPARAM, LPARAM)
{
    m_tab.UpdateMDITabs();
    m_strShown = ChildrenState();
}

void CUXTabCtrlBar::CloseAllTabs(WPARAM, LPARAM)
{
    m_tab.CloseAllMDIChildren();
}

LRESULT CUXTabCtrlBar::OnUpdateMsg(WPARAM wParam, LPARAM lParam)
{
    UpdateTabs(wParam, lParam);
    return 0;
}

LRESULT CUXTabCtrlBar::OnCloseAllMsg(WPARAM wParam, LPARAM lParam)
{
    CloseAllTabs(wParam, lParam);
    return 0;
}
