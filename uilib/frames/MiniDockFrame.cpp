#include "uilib/frames/MiniDockFrame.h"

#include "resources/uilib/UilibResources.h"
#include "uilib/core/bars/ExpMenuWnd.h"
#include "uilib/core/base/GlobalData.h"
#include "uilib/core/base/LibraryIds.h"
#include "uilib/core/base/MemDC.h"
#include "uilib/core/bars/ToolBar.h"
#include "uilib/frames/DockWindow.h"
#include "uilib/frames/FrameImpl.h"
#include "uilib/frames/MenuBar.h"

#include <memory>

namespace
{
const UINT_PTR kTipId = 1;
}   // namespace

IMPLEMENT_DYNCREATE(CUXMiniDockFrameWnd, CMiniDockFrameWnd)

BEGIN_MESSAGE_MAP(CUXMiniDockFrameWnd, CMiniDockFrameWnd)
    ON_WM_NCPAINT()
    ON_WM_NCACTIVATE()
    ON_MESSAGE(WM_SETTEXT, OnSetText)
    ON_WM_NCMOUSEMOVE()
    ON_MESSAGE(WM_NCMOUSELEAVE, OnNcMouseLeave)
    ON_WM_NCLBUTTONDOWN()
    ON_WM_NCLBUTTONUP()
    ON_WM_NCLBUTTONDBLCLK()
    ON_WM_ERASEBKGND()
    ON_WM_SIZE()
    ON_WM_SHOWWINDOW()
    ON_MESSAGE(WM_IDLEUPDATECMDUI, OnIdleUpdateCmdUI)
    ON_MESSAGE(UXM_FIRSTINIT, OnDeferredLayout)
    ON_MESSAGE(UXM_POPUP_CLOSED, OnPopupClosed)
    ON_COMMAND(ID_UX_CUSTOMIZE, OnCustomize)
END_MESSAGE_MAP()

CUXMiniDockFrameWnd::CUXMiniDockFrameWnd()
{
    if (m_glyphs.Create(IDB_UX_CAPTION_GLYPHS, 10, 0, RGB(255, 0, 255)))
    {
        m_iconClose.Attach(m_glyphs.ExtractIcon(UX_GLYPH_CLOSE));
        m_iconOptions.Attach(m_glyphs.ExtractIcon(UX_GLYPH_OPTIONS));
    }
}

CUXMiniDockFrameWnd::~CUXMiniDockFrameWnd() = default;

BOOL CUXMiniDockFrameWnd::Create(CWnd* pParent, DWORD dwBarStyle)
{
    if (!CMiniDockFrameWnd::Create(pParent, dwBarStyle))
        return FALSE;
    m_bActive = FALSE;
    PostMessage(UXM_FIRSTINIT);   // the caption is laid out once the bar is in
    if (m_wndTip.Create(this))
        m_wndTip.AddTool(this, "", CRect(0, 0, 0, 0), kTipId);
    return TRUE;
}

CUXMiniDockFrameWnd::CaptionButton* CUXMiniDockFrameWnd::FindButton(int kind) const
{
    for (const auto& button : m_buttons)
    {
        if (button->kind == kind)
            return button.get();
    }
    return nullptr;
}

// ---- layout --------------------------------------------------------------------------------------------

void CUXMiniDockFrameWnd::BuildCaption()
{
    CControlBar* pBar = GetFirstBar();
    ClosePopup();
    m_buttons.clear();
    m_pHotButton = nullptr;
    m_nLook = uxAfxData.m_bFlatLook ? kLookFlat : kLookClassic;
    m_pBuiltFor = pBar;
    // A menu bar's frame is sized from its corners too and titled in the menus' font; so is a docking
    // window's frame, which takes any size.
    BOOL bMenuBar = pBar != nullptr && pBar->IsKindOf(RUNTIME_CLASS(CUXMenuBar));
    BOOL bDockWindow = CUXDockWindow::FromBar(pBar) != nullptr;
    if ((bMenuBar || bDockWindow) && (GetStyle() & MFS_4THICKFRAME))
        ModifyStyle(MFS_4THICKFRAME, 0);
    m_pCaptionFont = bMenuBar ? &uxAfxData.m_fontNormal : &uxAfxData.m_fontBold;
    // A docking window brings its own look; other library bars get the frame's buttons.
    if (pBar == nullptr || !pBar->IsKindOf(RUNTIME_CLASS(CUXControlBar)) || bDockWindow)
        return;
    auto add = [this, pBar](int kind)
    {
        auto button = std::make_unique<CaptionButton>();
        button->kind = kind;
        button->pFrame = this;
        button->pBar = pBar;
        m_buttons.push_back(std::move(button));
    };
    add(kCloseButton);
    if (pBar->IsKindOf(RUNTIME_CLASS(CUXToolBar)) && static_cast<CUXToolBar*>(pBar)->IsCustomizable())
        add(kOptionsButton);
    if (GetStyle() & WS_SYSMENU)
        ModifyStyle(WS_SYSMENU, 0);
}

BOOL CUXMiniDockFrameWnd::IsSizedByBorder(const CControlBar* pBar) const
{
    return CMiniDockFrameWnd::IsSizedByBorder(pBar) || pBar->IsKindOf(RUNTIME_CLASS(CUXMenuBar));
}

void CUXMiniDockFrameWnd::RecalcLayout(BOOL bNotify)
{
    if (m_bInRecalcLayout || m_hWnd == nullptr)
        return;
    int look = uxAfxData.m_bFlatLook ? kLookFlat : kLookClassic;
    BOOL rebuild = look != m_nLook || GetFirstBar() != m_pBuiltFor;
    if (rebuild)
        BuildCaption();
    CMiniDockFrameWnd::RecalcLayout(bNotify);
    // Wherever it was put (a stored place, a drop at the screen's edge), the frame stays reachable.
    CRect window;
    GetWindowRect(&window);
    CRect inside = UXKeepInside(window, UXWorkAreaNear(window));
    if (inside != window)
        SetWindowPos(nullptr, inside.left, inside.top, inside.Width(), inside.Height(),
                     SWP_NOZORDER | SWP_NOACTIVATE);
    PlaceButtons();
    if (rebuild && IsWindowVisible())
        SetWindowPos(nullptr, 0, 0, 0, 0,
                     SWP_FRAMECHANGED | SWP_NOMOVE | SWP_NOSIZE | SWP_NOZORDER | SWP_NOACTIVATE);
}

void CUXMiniDockFrameWnd::CalcWindowRect(LPRECT lpClientRect, UINT nAdjustType)
{
    CMiniDockFrameWnd::CalcWindowRect(lpClientRect, nAdjustType);
    if (m_buttons.empty())
        return;
    int cxIcon = uxAfxData.m_cxSmallIcon;
    int least = static_cast<int>(m_buttons.size()) * cxIcon + cxIcon + 2 * ::GetSystemMetrics(SM_CXEDGE);
    if (lpClientRect->right - lpClientRect->left < least)
        lpClientRect->right = lpClientRect->left + least;
}

void CUXMiniDockFrameWnd::PlaceButtons()
{
    if (m_hWnd == nullptr)
        return;
    CRect window;
    GetWindowRect(&window);
    int cxEdge = ::GetSystemMetrics(SM_CXEDGE);
    int cyEdge = ::GetSystemMetrics(SM_CYEDGE);
    int cxIcon = uxAfxData.m_cxSmallIcon;
    int cyIcon = uxAfxData.m_cySmallIcon;
    BOOL classic = m_nLook == kLookClassic;
    // Right to left: close at the right edge, options one small icon further left (a little less in the
    // classic look).
    int right = window.Width() - cxEdge;
    for (const auto& button : m_buttons)
    {
        if (button->kind == kOptionsButton)
            right = FindButton(kCloseButton) != nullptr ? right - cxIcon + (classic ? 2 : 0) : right;
        button->rect = CRect(right - cxIcon, cyEdge, right, cyEdge + cyIcon - 1);
        if (classic)
            button->rect.DeflateRect(2, 2);
        button->collapsed = button->rect.left < 2 * cxEdge;
        if (button->collapsed)
            button->hot = button->pressed = FALSE;
    }
}

void CUXMiniDockFrameWnd::OnSize(UINT nType, int cx, int cy)
{
    CMiniDockFrameWnd::OnSize(nType, cx, cy);
    PlaceButtons();
    // The caption is painted whole again: a frame made narrower keeps no stale caption cut at its new edge.
    PaintCaption();
}

void CUXMiniDockFrameWnd::OnShowWindow(BOOL bShow, UINT nStatus)
{
    CMiniDockFrameWnd::OnShowWindow(bShow, nStatus);
    // Shown where it lay while hidden, which may be below its frame.
    if (bShow)
        CUXFrameImpl::RequestRaiseFor(m_hWnd);
}

LRESULT CUXMiniDockFrameWnd::OnDeferredLayout(WPARAM, LPARAM)
{
    RecalcLayout();
    return 0;
}

// ---- painting ------------------------------------------------------------------------------------------

void CUXMiniDockFrameWnd::PaintCaption()
{
    if (m_hWnd == nullptr || !IsWindowVisible())
        return;
    CWindowDC windowDC(this);
    CRect window, client;
    UXPrepareNonClientDC(this, windowDC, window, client);
    BOOL flat = m_nLook != kLookClassic;
    COLORREF face = flat ? uxAfxData.m_clrFaceWindow : uxAfxData.m_clrBtnFace;
    CUXMemDC dc(&windowDC, window, face);
    if (!dc.IsValid())
        return;
    if (flat)
    {
        COLORREF shadow = uxAfxData.m_clrBtnShadow;
        dc.SetPixelV(0, 0, shadow);
        dc.SetPixelV(window.right - 1, 0, shadow);
        dc.SetPixelV(0, window.bottom - 1, shadow);
        dc.SetPixelV(window.right - 1, window.bottom - 1, shadow);
    }
    CRect edge = window;
    dc.DrawEdge(&edge, EDGE_RAISED, BF_RECT);

    // The caption band: a gradient when the system draws gradient captions, else one colour.
    int cxEdge = ::GetSystemMetrics(SM_CXEDGE);
    int cyEdge = ::GetSystemMetrics(SM_CYEDGE);
    CRect band(cxEdge, cyEdge, window.right - cxEdge, cyEdge + uxAfxData.m_cySmallIcon + cyEdge);
    band.bottom = std::min<int>(band.bottom, client.top);
    COLORREF from = m_bActive ? uxAfxData.m_clrActiveCaption : uxAfxData.m_clrInactiveCaption;
    COLORREF to = m_bActive ? uxAfxData.m_clrGradientActiveCaption : uxAfxData.m_clrGradientInactiveCaption;
    BOOL gradient = FALSE;
    ::SystemParametersInfoA(SPI_GETGRADIENTCAPTIONS, 0, &gradient, 0);
    if (gradient && band.Width() > 0)
    {
        int steps = std::max(
            std::abs(GetRValue(to) - GetRValue(from)),
            std::max(std::abs(GetGValue(to) - GetGValue(from)), std::abs(GetBValue(to) - GetBValue(from))));
        steps = std::max(1, std::min(steps, band.Width()));
        for (int i = 0; i < steps; ++i)
        {
            auto mix = [&](int a, int b) { return a + (b - a) * i / steps; };
            CRect part(band.left + band.Width() * i / steps, band.top, band.left + band.Width() * (i + 1) / steps,
                       band.bottom);
            dc.FillSolidRect(&part, RGB(mix(GetRValue(from), GetRValue(to)), mix(GetGValue(from), GetGValue(to)),
                                        mix(GetBValue(from), GetBValue(to))));
        }
    }
    else
        dc.FillSolidRect(&band, from);

    // The title, left of the first button.
    CString title = AfxGetWindowText(m_hWnd);
    if (title.IsEmpty())
        title.LoadString(IDS_UX_TOOLBAR);
    CRect text = band;
    text.left += 2;
    for (const auto& button : m_buttons)
    {
        if (!button->collapsed)
            text.right = std::min<int>(text.right, button->rect.left);
    }
    CFont* pOldFont = dc.SelectObject(m_pCaptionFont != nullptr ? m_pCaptionFont : &uxAfxData.m_fontBold);
    dc.SetBkMode(TRANSPARENT);
    dc.SetTextColor(m_bActive ? uxAfxData.m_clrCaptionText : uxAfxData.m_clrInactiveCaptionText);
    dc.DrawText(title, &text, DT_SINGLELINE | DT_VCENTER | DT_END_ELLIPSIS | DT_NOPREFIX);
    dc.SelectObject(pOldFont);

    // The buttons.
    BOOL popupOpen = m_pOptionsPopup != nullptr;
    for (const auto& button : m_buttons)
    {
        if (button->collapsed)
            continue;
        CRect rect = button->rect;
        BOOL sunken = button->pressed || (popupOpen && button->kind == kOptionsButton);
        COLORREF glyphColor = m_bActive ? uxAfxData.m_clrCaptionText : uxAfxData.m_clrInactiveCaptionText;
        if (!flat)
        {
            dc.FillSolidRect(&rect, uxAfxData.m_clrBtnFace);
            dc.DrawEdge(&rect, sunken ? EDGE_SUNKEN : EDGE_RAISED, BF_RECT);
            glyphColor = uxAfxData.m_clrBtnText;
        }
        else if (sunken)
        {
            dc.FillSolidRect(&rect, uxAfxData.m_clrHalfSelection);
            dc.Draw3dRect(&rect, uxAfxData.m_clrHilite, uxAfxData.m_clrHilite);
            glyphColor = uxAfxData.m_clrSelectionText;
        }
        else if (button->hot)
        {
            dc.FillSolidRect(&rect, uxAfxData.m_clrLightSelection);
            dc.Draw3dRect(&rect, uxAfxData.m_clrHilite, uxAfxData.m_clrHilite);
            glyphColor = uxAfxData.m_clrMenuText;
        }
        button->raised = !sunken;
        HICON glyph = button->kind == kCloseButton ? m_iconClose.GetIcon() : m_iconOptions.GetIcon();
        CBrush brush(glyphColor);
        CPoint at(rect.left + (rect.Width() - 10) / 2 + (sunken && !flat ? 1 : 0),
                  rect.top + (rect.Height() - 10) / 2 + (sunken && !flat ? 1 : 0));
        ::DrawStateA(dc.GetSafeHdc(), static_cast<HBRUSH>(brush.m_hObject), nullptr,
                     reinterpret_cast<LPARAM>(glyph), 0, at.x, at.y, 10, 10, DST_ICON | DSS_MONO);
    }
}

void CUXMiniDockFrameWnd::OnNcPaint()
{
    PaintCaption();
}

LRESULT CUXMiniDockFrameWnd::DefaultWithoutCaption()
{
    BOOL visible = (GetStyle() & WS_VISIBLE) != 0;
    if (visible)
        ::SetWindowLongPtrA(m_hWnd, GWL_STYLE, static_cast<LONG_PTR>(GetStyle() & ~WS_VISIBLE));
    LRESULT result = Default();
    if (visible)
        ::SetWindowLongPtrA(m_hWnd, GWL_STYLE, static_cast<LONG_PTR>(GetStyle() | WS_VISIBLE));
    PaintCaption();
    return result;
}

BOOL CUXMiniDockFrameWnd::OnNcActivate(BOOL bActive)
{
    if (GetStyle() & MFS_SYNCACTIVE)
    {
        // The framework's handling (a frame that stays active says so), with our caption painted.
        BOOL visible = (GetStyle() & WS_VISIBLE) != 0;
        if (visible)
            ::SetWindowLongPtrA(m_hWnd, GWL_STYLE, static_cast<LONG_PTR>(GetStyle() & ~WS_VISIBLE));
        BOOL result = CMiniDockFrameWnd::OnNcActivate(bActive);
        if (visible)
            ::SetWindowLongPtrA(m_hWnd, GWL_STYLE, static_cast<LONG_PTR>(GetStyle() | WS_VISIBLE));
        m_bActive = bActive || (m_nFlags & WF_STAYACTIVE) != 0;
        PaintCaption();
        return result;
    }
    m_bActive = bActive;
    return static_cast<BOOL>(DefaultWithoutCaption());
}

LRESULT CUXMiniDockFrameWnd::OnSetText(WPARAM, LPARAM)
{
    return DefaultWithoutCaption();
}

BOOL CUXMiniDockFrameWnd::OnEraseBkgnd(CDC* pDC)
{
    CControlBar* pBar = GetFirstBar();
    COLORREF color = pBar != nullptr && pBar->IsKindOf(RUNTIME_CLASS(CUXControlBar))
                         ? static_cast<CUXControlBar*>(pBar)->GetBackColor()
                         : uxAfxData.m_clrBtnFace;
    CRect client;
    GetClientRect(&client);
    pDC->FillSolidRect(&client, color);
    return TRUE;
}

// ---- mouse ---------------------------------------------------------------------------------------------

CUXMiniDockFrameWnd::CaptionButton* CUXMiniDockFrameWnd::ButtonAt(CPoint point) const
{
    CRect window;
    GetWindowRect(&window);
    point.Offset(-window.left, -window.top);
    for (const auto& button : m_buttons)
    {
        if (!button->collapsed && button->rect.PtInRect(point))
            return button.get();
    }
    return nullptr;
}

void CUXMiniDockFrameWnd::SetHot(CaptionButton* pButton)
{
    if (pButton == m_pHotButton)
        return;
    if (m_pHotButton != nullptr)
        m_pHotButton->hot = FALSE;
    m_pHotButton = pButton;
    if (pButton != nullptr)
        pButton->hot = TRUE;
    if (m_wndTip.m_hWnd != nullptr)
    {
        // One tool that moves to the hot button and says what it does.
        m_wndTip.Pop();
        CRect rect(0, 0, 0, 0);
        CString text;
        if (pButton != nullptr)
        {
            CRect window;
            GetWindowRect(&window);
            rect = pButton->rect;
            rect.OffsetRect(window.TopLeft());
            ScreenToClient(&rect);
            text.LoadString(pButton->kind == kCloseButton ? IDS_UX_CLOSE : IDS_UX_TOOLBAR_OPTIONS);
        }
        m_wndTip.SetToolRect(this, kTipId, &rect);
        m_wndTip.UpdateTipText(text, this, kTipId);
    }
    PaintCaption();
}

void CUXMiniDockFrameWnd::ReleaseButtons()
{
    for (const auto& button : m_buttons)
        button->pressed = FALSE;
}

void CUXMiniDockFrameWnd::ClosePopup()
{
    CWnd* pPopup = m_pOptionsPopup;
    m_pOptionsPopup = nullptr;
    if (pPopup != nullptr && ::IsWindow(pPopup->m_hWnd))
        pPopup->DestroyWindow();
}

void CUXMiniDockFrameWnd::OnNcMouseMove(UINT nHitTest, CPoint point)
{
    if (!m_bTrackingLeave)
    {
        TRACKMOUSEEVENT track = {};
        track.cbSize = sizeof(track);
        track.dwFlags = TME_LEAVE | TME_NONCLIENT;
        track.hwndTrack = m_hWnd;
        m_bTrackingLeave = ::TrackMouseEvent(&track);
    }
    SetHot(ButtonAt(point));
    if (m_wndTip.m_hWnd != nullptr)
    {
        CPoint client = point;
        ScreenToClient(&client);
        MSG msg = {m_hWnd, WM_MOUSEMOVE, 0, MAKELPARAM(client.x, client.y), 0, point};
        m_wndTip.RelayEvent(&msg);
    }
    CMiniDockFrameWnd::OnNcMouseMove(nHitTest, point);
}

LRESULT CUXMiniDockFrameWnd::OnNcMouseLeave(WPARAM, LPARAM)
{
    m_bTrackingLeave = FALSE;
    SetHot(nullptr);
    return 0;
}

void CUXMiniDockFrameWnd::OnNcLButtonDown(UINT nHitTest, CPoint point)
{
    CaptionButton* pButton = nHitTest == HTCAPTION ? ButtonAt(point) : nullptr;
    if (pButton != nullptr)
    {
        for (const auto& button : m_buttons)
            button->pressed = button.get() == pButton;
        if (pButton->kind != kOptionsButton)
            ClosePopup();
        PaintCaption();
        return;
    }
    if (nHitTest >= HTSIZEFIRST && nHitTest <= HTSIZELAST && GetFirstBar() != nullptr &&
        GetFirstBar()->IsKindOf(RUNTIME_CLASS(CUXMenuBar)) && GetFirstBar()->m_pDockContext != nullptr)
    {
        GetFirstBar()->m_pDockContext->StartResize(static_cast<int>(nHitTest), point);
        return;
    }
    if (nHitTest != HTCAPTION)
    {
        CMiniDockFrameWnd::OnNcLButtonDown(nHitTest, point);
        return;
    }
    ClosePopup();
    SetActiveWindow();
    CControlBar* pBar = GetFirstBar();
    if ((m_wndDockBar.m_dwStyle & CBRS_FLOAT_MULTI) || pBar == nullptr || pBar->m_pDockContext == nullptr)
    {
        CMiniDockFrameWnd::OnNcLButtonDown(nHitTest, point);
        return;
    }
    HWND hWndBar = pBar->m_hWnd;
    pBar->m_pDockContext->StartDrag(point);   // this frame may be gone afterwards
    if (::IsWindow(hWndBar))
        ::SetFocus(hWndBar);
}

void CUXMiniDockFrameWnd::OnNcLButtonUp(UINT nHitTest, CPoint point)
{
    CaptionButton* pButton = nHitTest == HTCAPTION ? ButtonAt(point) : nullptr;
    BOOL pressed = pButton != nullptr && pButton->pressed;
    ReleaseButtons();
    if (!pressed)
    {
        PaintCaption();
        CMiniDockFrameWnd::OnNcLButtonUp(nHitTest, point);
        return;
    }
    if (pButton->kind == kCloseButton)
    {
        PaintCaption();
        PostMessage(WM_CLOSE);
        return;
    }
    if (m_pOptionsPopup == nullptr)
    {
        // Below the button (in the flat look joined to it).
        CRect window, rect;
        GetWindowRect(&window);
        rect = pButton->rect;
        rect.OffsetRect(window.TopLeft());
        if (m_nLook == kLookFlat)
            rect = CRect(rect.left - 2, rect.top - 3, rect.right - 3, rect.bottom - 3);
        m_pOptionsPopup = CreateOptionsPopup(pButton->pBar, rect);
    }
    PaintCaption();
}

void CUXMiniDockFrameWnd::OnNcLButtonDblClk(UINT nHitTest, CPoint point)
{
    if (nHitTest == HTCAPTION && ButtonAt(point) != nullptr)
    {
        OnNcLButtonDown(nHitTest, point);   // a second press of the button
        return;
    }
    if (nHitTest == HTCAPTION)
        SetActiveWindow();
    CMiniDockFrameWnd::OnNcLButtonDblClk(nHitTest, point);   // docks the bar (not a frame of several bars)
}

CWnd* CUXMiniDockFrameWnd::CreateOptionsPopup(CControlBar* pBar, const CRect& rect)
{
    if (pBar == nullptr || !pBar->IsKindOf(RUNTIME_CLASS(CUXToolBar)))
        return nullptr;
    auto pPopup = std::make_unique<CUXExpMenuWnd>();
    if (!pPopup->CreatePopup(rect, static_cast<CUXToolBar*>(pBar), m_hWnd, UXM_POPUP_CLOSED))
        return nullptr;
    return pPopup.release();   // it deletes itself when it goes
}

void CUXMiniDockFrameWnd::OnCustomize()
{
    // The options pop-up's "Customize...": the hosted bar passes it on to its frame.
    ReleaseButtons();
    PaintCaption();
    if (CControlBar* pBar = GetFirstBar())
        pBar->PostMessage(WM_COMMAND, MAKEWPARAM(ID_UX_CUSTOMIZE, BN_CLICKED));
}

LRESULT CUXMiniDockFrameWnd::OnPopupClosed(WPARAM, LPARAM)
{
    m_pOptionsPopup = nullptr;
    ReleaseButtons();
    PaintCaption();
    return 0;
}

LRESULT CUXMiniDockFrameWnd::OnIdleUpdateCmdUI(WPARAM wParam, LPARAM lParam)
{
    LRESULT result = CMiniDockFrameWnd::OnIdleUpdateCmdUI(wParam, lParam);
    if (m_nLook != kLookNone && m_nLook != (uxAfxData.m_bFlatLook ? kLookFlat : kLookClassic))
        RecalcLayout();
    // The mouse left: nothing stays hot or pressed (unless the options pop-up is open).
    CPoint cursor;
    CRect window;
    GetWindowRect(&window);
    if (m_pOptionsPopup == nullptr && ::GetCursorPos(&cursor) && !window.PtInRect(cursor))
    {
        BOOL changed = m_pHotButton != nullptr;
        for (const auto& button : m_buttons)
            changed |= button->pressed;
        if (changed)
        {
            ReleaseButtons();
            SetHot(nullptr);
            PaintCaption();
        }
    }
    return result;
}
