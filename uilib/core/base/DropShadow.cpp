#include "uilib/core/base/DropShadow.h"

namespace
{
const int kShadow = 4;                                // width of the shadow strips
const int kRingPercent[kShadow] = {60, 45, 30, 15};   // from the owner's edge outwards

// The owner's window rectangle grown by the shadow to the right and bottom, in the co-ordinates the shadow
// window is placed in.
CRect ShadowRect(HWND owner, BOOL ownerIsPopup)
{
    CRect rect;
    ::GetWindowRect(owner, &rect);
    rect.right += kShadow;
    rect.bottom += kShadow;
    HWND parent = ::GetParent(owner);
    if (!ownerIsPopup && parent != nullptr)
        ::MapWindowPoints(nullptr, parent, reinterpret_cast<POINT*>(&rect), 2);
    return rect;
}

void Darken(CDC* dc, const CRect& rect, int x, int y, int strength)
{
    int ring = 0;
    while (ring < kShadow - 1)
    {
        CRect inner(rect);
        inner.DeflateRect(kShadow - 1 - ring, kShadow - 1 - ring);
        if (inner.PtInRect(CPoint(x, y)))
            break;
        ++ring;
    }
    int d = strength * kRingPercent[ring] / 100;
    COLORREF c = dc->GetPixel(x, y);
    auto down = [d](int channel) { return channel > d ? channel - d : 0; };
    dc->SetPixel(x, y, RGB(down(GetRValue(c)), down(GetGValue(c)), down(GetBValue(c))));
}

}   // namespace

void DrawDropShadow(CDC* dc, int left, int top, int right, int bottom, int strength)
{
    if (dc == nullptr)
        return;
    CRect rect(left, top, right, bottom);
    for (int x = right - kShadow; x < right; ++x)
        for (int y = top + kShadow; y < bottom; ++y)
            Darken(dc, rect, x, y, strength);
    for (int y = bottom - kShadow; y < bottom; ++y)
        for (int x = left + kShadow; x < right - kShadow; ++x)
            Darken(dc, rect, x, y, strength);
}

// ---- the shadow window ---------------------------------------------------------------------------------

BEGIN_MESSAGE_MAP(CUXShadowWnd, CWnd)
    ON_WM_PAINT()
    ON_WM_WINDOWPOSCHANGING()
    ON_WM_WINDOWPOSCHANGED()
    ON_WM_SETFOCUS()
END_MESSAGE_MAP()

CUXShadowWnd::CUXShadowWnd() = default;

CUXShadowWnd::~CUXShadowWnd()
{
    m_darkened.DeleteDC();
    m_darkenedBitmap.DeleteObject();
}

BOOL CUXShadowWnd::CreateShadow(HWND owner, CDC* background)
{
    if (owner == nullptr || !::IsWindow(owner))
        return FALSE;
    m_hWndOwner = owner;
    m_pBackground = background;
    // A top-level owner that is not a pop-up gets a pop-up shadow too: a child needs a parent.
    m_bOwnerIsPopup = (::GetWindowLongA(owner, GWL_STYLE) & WS_CHILD) == 0;
    CRect rect = ShadowRect(owner, m_bOwnerIsPopup);
    LPCSTR className = AfxRegisterWndClass(CS_CLASSDC, nullptr, nullptr, nullptr);
    if (!CreateEx(WS_EX_TOOLWINDOW, className, "Shadow", m_bOwnerIsPopup ? WS_POPUP : WS_CHILD, rect.left,
                  rect.top, rect.Width(), rect.Height(), ::GetParent(owner), nullptr))
        return FALSE;
    PlaceBelowOwner();
    UpdateRegion();
    return TRUE;
}

void CUXShadowWnd::PlaceBelowOwner()
{
    if (m_hWnd != nullptr)
        ::SetWindowPos(m_hWnd, m_hWndOwner, 0, 0, 0, 0, SWP_NOSIZE | SWP_NOMOVE | SWP_NOACTIVATE);
}

void CUXShadowWnd::UpdateRegion()
{
    CRect rect;
    GetWindowRect(&rect);
    int w = rect.Width(), h = rect.Height();
    CRgn right, bottom;
    right.CreateRectRgn(w - kShadow, kShadow, w, h);
    bottom.CreateRectRgn(kShadow, h - kShadow, w - kShadow, h);
    right.CombineRgn(&right, &bottom, RGN_OR);
    // The window owns the region from now on.
    if (SetWindowRgn(static_cast<HRGN>(right.GetSafeHandle()), TRUE))
        right.Detach();
    m_bSnapshotTaken = FALSE;
}

BOOL CUXShadowWnd::TakeSnapshot(CDC* like)
{
    CRect rect;
    GetWindowRect(&rect);
    int w = rect.Width(), h = rect.Height();
    m_darkened.DeleteDC();
    m_darkenedBitmap.DeleteObject();
    m_bSnapshotTaken = FALSE;
    if (!m_darkened.CreateCompatibleDC(like) || !m_darkenedBitmap.CreateCompatibleBitmap(like, w, h))
        return FALSE;
    m_darkened.SelectObject(&m_darkenedBitmap);
    if (m_pBackground != nullptr)
    {
        m_darkened.BitBlt(0, 0, w, h, m_pBackground, 0, 0, SRCCOPY);
    }
    else
    {
        HDC screen = ::GetDC(nullptr);
        ::BitBlt(m_darkened, 0, 0, w, h, screen, rect.left, rect.top, SRCCOPY);
        ::ReleaseDC(nullptr, screen);
    }
    DrawDropShadow(&m_darkened, 0, 0, w, h, m_nStrength);
    m_bSnapshotTaken = TRUE;
    return TRUE;
}

void CUXShadowWnd::ShowShadow()
{
    if (m_hWnd == nullptr || IsWindowVisible())
        return;
    CWindowDC screen(nullptr);
    TakeSnapshot(&screen);
    Invalidate(FALSE);
    ShowWindow(SW_SHOWNA);
}

void CUXShadowWnd::OnPaint()
{
    CPaintDC dc(this);
    if (!m_bSnapshotTaken && !TakeSnapshot(&dc))
        return;
    CRect rect;
    GetWindowRect(&rect);
    int w = rect.Width(), h = rect.Height();
    dc.BitBlt(w - kShadow, kShadow, kShadow, h - kShadow, &m_darkened, w - kShadow, kShadow, SRCCOPY);
    dc.BitBlt(kShadow, h - kShadow, w - 2 * kShadow, kShadow, &m_darkened, kShadow, h - kShadow, SRCCOPY);
}

void CUXShadowWnd::OnWindowPosChanging(WINDOWPOS* pos)
{
    bool movedOrSized = (pos->flags & SWP_NOMOVE) == 0 || (pos->flags & SWP_NOSIZE) == 0;
    // Out of sight while it moves; shown again, with a fresh copy of its new background, once it is there.
    if (movedOrSized && IsWindowVisible() && m_moveState == kNormal)
    {
        pos->flags |= SWP_HIDEWINDOW;
        pos->flags &= ~SWP_SHOWWINDOW;
        m_moveState = kHiddenForMove;
    }
    if ((pos->flags & SWP_NOZORDER) == 0)
        pos->hwndInsertAfter = m_hWndOwner;
    pos->flags |= SWP_NOCOPYBITS;
    Default();
}

void CUXShadowWnd::OnWindowPosChanged(WINDOWPOS*)
{
    Default();
    if (m_moveState != kHiddenForMove)
        return;
    m_moveState = kReshowing;
    UpdateRegion();
    ShowShadow();
    PlaceBelowOwner();
    m_moveState = kNormal;
}

void CUXShadowWnd::OnSetFocus(CWnd* pOldWnd)
{
    if (pOldWnd != nullptr && pOldWnd->GetSafeHwnd() != nullptr)
        ::SetFocus(pOldWnd->GetSafeHwnd());
}

// ---- the owner hook ------------------------------------------------------------------------------------

LRESULT CUXShadowOwnerHook::HandleMessage(UINT message, WPARAM wParam, LPARAM lParam)
{
    ++m_nDepth;
    if (message == WM_DESTROY)
    {
        m_pShadow->Hide();
        m_bDestroyPending = TRUE;
    }
    LRESULT result = CUXWndHook::HandleMessage(message, wParam, lParam);
    if (message == WM_SHOWWINDOW)
    {
        if (wParam)
            m_pShadow->Show();
        else
            m_pShadow->Hide();
    }
    else if (message == WM_WINDOWPOSCHANGED && !m_bDestroyPending)
    {
        m_pShadow->FollowOwner();
    }
    if (--m_nDepth == 0 && m_bDestroyPending)
    {
        // This hook is part of the shadow: nothing of it may be touched afterwards.
        delete m_pShadow;
    }
    return result;
}

// ---- the shadow ----------------------------------------------------------------------------------------

CUXShadow::CUXShadow(HWND owner, BOOL show, BOOL hook, CDC* background) : m_hWndOwner(owner), m_hook(this)
{
    if (hook && owner != nullptr)
        m_hook.AttachWindow(owner);
    m_bCreated = m_wnd.CreateShadow(owner, background);
    if (show)
        Show();
}

CUXShadow::~CUXShadow()
{
    Hide();
    m_wnd.DestroyWindow();
    m_hook.DetachWindow();
}

void CUXShadow::Hide()
{
    if (m_bCreated && m_wnd.GetSafeHwnd() != nullptr)
        m_wnd.ShowWindow(SW_HIDE);
}

void CUXShadow::Show()
{
    if (m_bCreated)
        m_wnd.ShowShadow();
}

void CUXShadow::FollowOwner()
{
    if (!m_bCreated || m_wnd.GetSafeHwnd() == nullptr || !::IsWindow(m_hWndOwner))
        return;
    CRect target = ShadowRect(m_hWndOwner, (::GetWindowLongA(m_hWndOwner, GWL_STYLE) & WS_CHILD) == 0);
    CRect current;
    m_wnd.GetWindowRect(&current);
    HWND parent = ::GetParent(m_wnd.GetSafeHwnd());
    if ((m_wnd.GetStyle() & WS_CHILD) != 0 && parent != nullptr)
        ::MapWindowPoints(nullptr, parent, reinterpret_cast<POINT*>(&current), 2);
    if (target != current)
        m_wnd.SetWindowPos(nullptr, target.left, target.top, target.Width(), target.Height(),
                           SWP_NOZORDER | SWP_NOACTIVATE | SWP_NOCOPYBITS);
    m_wnd.PlaceBelowOwner();
}
