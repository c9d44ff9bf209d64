#include "uilib/core/dialogs/ResizeEngine.h"

#include <cstring>

namespace
{

const char kPlacementEntry[] = "WindowPlacement";
const LPCSTR kSizeBitmap = MAKEINTRESOURCEA(32766);   // the system's size-grip bitmap

CUXFloatRect ToFloat(const CRect& rect)
{
    CUXFloatRect r;
    r.left = static_cast<float>(rect.left);
    r.top = static_cast<float>(rect.top);
    r.right = static_cast<float>(rect.right);
    r.bottom = static_cast<float>(rect.bottom);
    return r;
}

bool IsGroupLike(HWND hWnd)
{
    char className[16] = {};
    ::GetClassNameA(hWnd, className, sizeof(className));
    if (::lstrcmpiA(className, "Button") != 0)
        return false;
    LONG style = ::GetWindowLongA(hWnd, GWL_STYLE);
    return (style & BS_TYPEMASK) != 0 && (style & WS_TABSTOP) == 0;
}

}   // namespace

// ---- size grip -----------------------------------------------------------------------------------------

BEGIN_MESSAGE_MAP(CUXSizeGrip, CStatic)
    ON_WM_SETCURSOR()
    ON_WM_MOUSEMOVE()
    ON_WM_LBUTTONDOWN()
    ON_WM_NCHITTEST()
END_MESSAGE_MAP()

BOOL CUXSizeGrip::CreateGrip(CWnd* parent)
{
    if (!Create(nullptr, WS_CHILD | WS_VISIBLE | SS_BITMAP, CRect(0, 0, kSize, kSize), parent, kControlId))
        return FALSE;
    if (GetBitmap() == nullptr)
    {
        m_bitmap.DeleteObject();
        m_bitmap.Attach(::LoadBitmapA(nullptr, kSizeBitmap));
        SetBitmap(static_cast<HBITMAP>(m_bitmap.GetSafeHandle()));
    }
    // A bitmap static sizes itself to its picture: the grip keeps its own size.
    SetWindowPos(nullptr, 0, 0, kSize, kSize, SWP_NOMOVE | SWP_NOZORDER | SWP_NOACTIVATE);
    return TRUE;
}

LRESULT CUXSizeGrip::OnNcHitTest(CPoint)
{
    // A static lets the mouse through to its parent; the grip takes it.
    return HTCLIENT;
}

BOOL CUXSizeGrip::OnSetCursor(CWnd*, UINT, UINT)
{
    ::SetCursor(::LoadCursorA(nullptr, IDC_SIZENWSE));
    return TRUE;
}

void CUXSizeGrip::OnMouseMove(UINT nFlags, CPoint point)
{
    HCURSOR size = ::LoadCursorA(nullptr, IDC_SIZENWSE);
    if (::GetCursor() != size)
        ::SetCursor(size);
    CStatic::OnMouseMove(nFlags, point);
}

void CUXSizeGrip::OnLButtonDown(UINT, CPoint point)
{
    ClientToScreen(&point);
    CWnd* parent = GetParent();
    if (parent != nullptr)
        parent->SendMessage(WM_NCLBUTTONDOWN, HTBOTTOMRIGHT, MAKELPARAM(point.x, point.y));
}

// ---- engine --------------------------------------------------------------------------------------------

CUXResizeEngine::CUXResizeEngine(CWnd* window, int flags) : m_pResizeWnd(window), m_nResizeFlags(flags)
{
}

CUXResizeEngine::~CUXResizeEngine()
{
    DeleteItems();
}

void CUXResizeEngine::DeleteItems()
{
    for (int i = 0; i < GetItemCount(); ++i)
        delete GetItem(i);
    m_items.RemoveAll();
}

CRect CUXResizeEngine::ChildRect(HWND child) const
{
    CRect rect;
    ::GetWindowRect(child, &rect);
    ::MapWindowPoints(nullptr, m_pResizeWnd->m_hWnd, reinterpret_cast<LPPOINT>(&rect), 2);
    return rect;
}

CUXResizeItem* CUXResizeEngine::FindItem(HWND hWnd) const
{
    for (int i = 0; hWnd != nullptr && i < GetItemCount(); ++i)
        if (GetItem(i)->GetHwnd() == hWnd)
            return GetItem(i);
    return nullptr;
}

void CUXResizeEngine::SetChildAnchor(UINT id, CWnd* window, const CUXAnchorRect& anchor)
{
    if (m_pResizeWnd == nullptr || m_pResizeWnd->m_hWnd == nullptr)
        return;
    HWND child = window != nullptr ? window->m_hWnd : ::GetDlgItem(m_pResizeWnd->m_hWnd, static_cast<int>(id));
    if (child == nullptr)
        return;
    if (CUXResizeItem* existing = FindItem(child))
    {
        existing->m_anchor += anchor;
        return;
    }
    CUXResizeItem* item = new CUXResizeItem;
    item->m_pWnd = window;   // an object the caller named; a dialog item is known by its window alone
    item->m_hWnd = child;
    item->m_anchor = anchor;
    item->m_rcCurrent = item->m_rcInitial = ToFloat(ChildRect(child));
    m_items.Add(item);
    if (!(m_nResizeFlags & kNoTransparentGroups) && IsGroupLike(child))
        CWnd::ModifyStyleEx(child, 0, WS_EX_TRANSPARENT, 0);
}

void CUXResizeEngine::AddItem(CWnd* window, const CUXAnchorRect& anchor, const CRect& rect)
{
    if (window == nullptr)
        return;
    CUXResizeItem* item = new CUXResizeItem;
    item->m_pWnd = window;
    item->m_anchor = anchor;
    item->m_rcCurrent = item->m_rcInitial = ToFloat(rect);
    m_items.Add(item);
}

void CUXResizeEngine::InitLayout()
{
    if (m_pResizeWnd == nullptr || m_pResizeWnd->m_hWnd == nullptr)
        return;
    DeleteItems();
    m_pResizeWnd->GetWindowRect(&m_rcInitial);
    m_rcLast = m_rcInitial;
    if (!(m_nResizeFlags & kNoMinSize))
    {
        m_nMinWidth = m_rcInitial.Width();
        m_nMinHeight = m_rcInitial.Height();
    }
    if (!(m_nResizeFlags & kNoClipChildren))
        m_pResizeWnd->ModifyStyle(0, WS_CLIPCHILDREN);
    if (!(m_nResizeFlags & kNoGrip))
    {
        if (m_grip.m_hWnd == nullptr)
            m_grip.CreateGrip(m_pResizeWnd);
        if (m_grip.m_hWnd != nullptr)
        {
            CRect client, grip;
            m_pResizeWnd->GetClientRect(&client);
            m_grip.GetWindowRect(&grip);
            m_grip.SetWindowPos(nullptr, client.right - grip.Width(), client.bottom - grip.Height(), 0, 0,
                                SWP_NOSIZE | SWP_NOZORDER | SWP_NOACTIVATE);
            SetChildAnchor(0, &m_grip, CUXAnchorRect(1, 1, 1, 1));
        }
    }
}

void CUXResizeEngine::Resize()
{
    if (GetItemCount() == 0 || m_pResizeWnd == nullptr || m_pResizeWnd->m_hWnd == nullptr)
        return;
    CRect window;
    m_pResizeWnd->GetWindowRect(&window);
    const float dxLast = static_cast<float>(window.Width() - m_rcLast.Width());
    const float dyLast = static_cast<float>(window.Height() - m_rcLast.Height());
    const float dxInitial = static_cast<float>(window.Width() - m_rcInitial.Width());
    const float dyInitial = static_cast<float>(window.Height() - m_rcInitial.Height());

    HDWP defer = ::BeginDeferWindowPos(GetItemCount());
    for (int i = 0; i < GetItemCount(); ++i)
    {
        CUXResizeItem* item = GetItem(i);
        HWND hWnd = item->GetHwnd();
        if (hWnd == nullptr || !::IsWindow(hWnd))
            continue;   // a page whose window does not exist yet is laid out when it comes
        float dx = dxLast, dy = dyLast;
        if (!item->m_bStarted)
        {
            item->m_bStarted = 1;
            dx = dxInitial;
            dy = dyInitial;
        }
        const CUXFloatRect& cur = item->m_rcCurrent;
        CUXFloatRect next;
        next.left = cur.left + dx * item->m_anchor.left;
        next.top = cur.top + dy * item->m_anchor.top;
        next.right = cur.right + dx * item->m_anchor.right;
        next.bottom = cur.bottom + dy * item->m_anchor.bottom;
        if (next.left == cur.left && next.top == cur.top && next.right == cur.right && next.bottom == cur.bottom)
            continue;
        CRect target(static_cast<int>(next.left), static_cast<int>(next.top), static_cast<int>(next.right),
                     static_cast<int>(next.bottom));
        CRect present = ChildRect(hWnd);
        UINT flags = SWP_NOZORDER | SWP_NOACTIVATE | SWP_NOOWNERZORDER;
        if (target.TopLeft() == present.TopLeft())
            flags |= SWP_NOMOVE;
        if (target.Size() == present.Size())
            flags |= SWP_NOSIZE;
        else
            flags |= SWP_NOCOPYBITS;
        if (defer == nullptr)
            defer = ::BeginDeferWindowPos(GetItemCount() - i);
        HDWP result = defer != nullptr ? ::DeferWindowPos(defer, hWnd, nullptr, target.left, target.top,
                                                          target.Width(), target.Height(), flags)
                                       : nullptr;
        if (result == nullptr)
        {
            // The system gave the whole deferral up: this item keeps its rectangle, the rest go on afresh.
            defer = nullptr;
            continue;
        }
        defer = result;
        item->m_rcCurrent = next;
    }
    // All windows move at once; with nothing queued, ending only frees the record.
    if (defer != nullptr)
        ::EndDeferWindowPos(defer);
    m_rcLast = window;
}

void CUXResizeEngine::ResetItems()
{
    for (int i = 0; i < GetItemCount(); ++i)
    {
        CUXResizeItem* item = GetItem(i);
        item->m_rcCurrent = item->m_rcInitial;
        item->m_bStarted = 0;
    }
}

void CUXResizeEngine::GetMinMaxInfo(MINMAXINFO* info)
{
    if (info == nullptr)
        return;
    if (!m_rcLast.IsRectEmpty())
    {
        if (m_nResizeFlags & kFixedWidth)
            info->ptMaxSize.x = info->ptMaxTrackSize.x = m_rcLast.Width();
        if (m_nResizeFlags & kFixedHeight)
            info->ptMaxSize.y = info->ptMaxTrackSize.y = m_rcLast.Height();
    }
    if (m_nMinWidth != 0)
        info->ptMinTrackSize.x = m_nMinWidth;
    if (m_nMinHeight != 0)
        info->ptMinTrackSize.y = m_nMinHeight;
    if (m_nMaxWidth != 0)
        info->ptMaxTrackSize.x = m_nMaxWidth;
    if (m_nMaxHeight != 0)
        info->ptMaxTrackSize.y = m_nMaxHeight;
}

// ---- placement -----------------------------------------------------------------------------------------

BOOL CUXResizeEngine::UsePlacementSection(LPCSTR section)
{
    m_strSection = section != nullptr ? section : "";
    return !m_strSection.IsEmpty() && RestorePlacement(m_strSection);
}

BOOL CUXResizeEngine::RestorePlacement(LPCSTR section)
{
    CWinApp* app = AfxGetApp();
    if (app == nullptr || section == nullptr || m_pResizeWnd == nullptr || m_pResizeWnd->m_hWnd == nullptr)
        return FALSE;
    LPBYTE data = nullptr;
    UINT size = 0;
    if (!app->GetProfileBinary(section, kPlacementEntry, &data, &size))
        return FALSE;
    CUXStoredPlacement stored = {};
    bool exact = size == sizeof(stored);
    if (exact)
        memcpy(&stored, data, sizeof(stored));
    delete[] data;
    if (!exact || stored.right <= stored.left || stored.bottom <= stored.top)
        return FALSE;

    // Only a rectangle on one of today's monitors is applied (a child's is in its parent's co-ordinates).
    CRect normal(stored.left, stored.top, stored.right, stored.bottom);
    CRect onScreen = normal;
    HWND parent = ::GetParent(m_pResizeWnd->m_hWnd);
    if (parent != nullptr && (m_pResizeWnd->GetStyle() & WS_CHILD))
        ::MapWindowPoints(parent, nullptr, reinterpret_cast<LPPOINT>(&onScreen), 2);
    if (::MonitorFromRect(&onScreen, MONITOR_DEFAULTTONULL) == nullptr)
        return FALSE;

    WINDOWPLACEMENT placement = {};
    placement.length = sizeof(placement);
    placement.flags = stored.flags & (WPF_SETMINPOSITION | WPF_RESTORETOMAXIMIZED);
    placement.showCmd = stored.showCmd == SW_SHOWMAXIMIZED ? SW_SHOWMAXIMIZED : SW_SHOWNORMAL;
    if (!m_pResizeWnd->IsWindowVisible() && placement.showCmd == SW_SHOWNORMAL)
        placement.showCmd = SW_HIDE;   // a window not shown yet is shown by its owner
    placement.ptMinPosition = {stored.minX, stored.minY};
    placement.ptMaxPosition = {stored.maxX, stored.maxY};
    placement.rcNormalPosition = normal;
    return m_pResizeWnd->SetWindowPlacement(&placement);
}

BOOL CUXResizeEngine::StorePlacement(LPCSTR section)
{
    CWinApp* app = AfxGetApp();
    if (app == nullptr || section == nullptr || m_pResizeWnd == nullptr || m_pResizeWnd->m_hWnd == nullptr)
        return FALSE;
    WINDOWPLACEMENT placement = {};
    placement.length = sizeof(placement);
    if (!m_pResizeWnd->GetWindowPlacement(&placement))
        return FALSE;
    CUXStoredPlacement stored = {};
    stored.length = sizeof(stored);
    stored.flags = placement.flags;
    stored.showCmd = placement.showCmd;
    stored.minX = placement.ptMinPosition.x;
    stored.minY = placement.ptMinPosition.y;
    stored.maxX = placement.ptMaxPosition.x;
    stored.maxY = placement.ptMaxPosition.y;
    stored.left = placement.rcNormalPosition.left;
    stored.top = placement.rcNormalPosition.top;
    stored.right = placement.rcNormalPosition.right;
    stored.bottom = placement.rcNormalPosition.bottom;
    return app->WriteProfileBinary(section, kPlacementEntry, reinterpret_cast<LPBYTE>(&stored), sizeof(stored));
}

void CUXResizeEngine::HandleDestroy()
{
    if (!m_strSection.IsEmpty())
        StorePlacement(m_strSection);
}
