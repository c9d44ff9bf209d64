#include "uilib/frames/BarDockContext.h"

#include "uilib/core/base/GlobalData.h"
#include "uilib/core/base/LibraryIds.h"
#include "uilib/core/base/WndHook.h"
#include "uilib/frames/DockBar.h"
#include "uilib/frames/DockWindow.h"
#include "uilib/frames/FrameImpl.h"

#include <algorithm>
#include <climits>
#include <memory>
#include <vector>

namespace
{

CDockContext* MakeLibraryDockContext(CControlBar* pBar)
{
    return new CUXBarDockContext(pBar);
}

// Installed when the program starts, so that bars whose docking is enabled before their frame's get it too.
const bool s_bInstalled = (CUXControlBar::SetDockContextFactory(MakeLibraryDockContext), true);

CDockBar* AsDockBar(CWnd* pWnd)
{
    return pWnd != nullptr && pWnd->IsKindOf(RUNTIME_CLASS(CDockBar)) ? static_cast<CDockBar*>(pWnd) : nullptr;
}

// The loop of one drag or resize. Before each message it paints what waits to be painted; while a docked bar
// is dragged the dock site's updates are locked for the message; after each message the frames the step
// touched are laid out. Nothing paints under a drawn drag rectangle: the rectangle is inverted onto the
// screen, so it is taken away around the painting and around every message that is not a step of the drag,
// and drawn again after.
class CUXDockTrackLoop : public CDockTrackLoop
{
public:
    explicit CUXDockTrackLoop(CUXBarDockContext* pContext) : CDockTrackLoop(pContext), m_pBarContext(pContext) {}

protected:
    BOOL PumpMessage() override
    {
        MSG paint;
        if (::PeekMessageA(&paint, nullptr, WM_PAINT, WM_PAINT, PM_NOREMOVE))
        {
            BOOL bDrawn = HideRect();
            for (int i = 0; i < 256 && ::PeekMessageA(&paint, nullptr, WM_PAINT, WM_PAINT, PM_REMOVE); ++i)
                ::DispatchMessageA(&paint);
            ShowRect(bDrawn);
        }
        if (!::GetMessageA(&m_msg, nullptr, 0, 0))
            return FALSE;
        CFrameWnd* pSite = m_pBarContext->m_pDockSite;
        BOOL bLock = m_pBarContext->m_bDragging && !m_pBarContext->m_pBar->IsFloating() && pSite != nullptr &&
                     pSite->m_hWnd != nullptr && ::LockWindowUpdate(pSite->m_hWnd);
        BOOL bDrawn = FALSE;
        if (!HandleTrackMessage(&m_msg))
        {
            bDrawn = HideRect();
            if (!CMessageLoop::PreTranslate(&m_msg))
            {
                ::TranslateMessage(&m_msg);
                ::DispatchMessageA(&m_msg);
            }
        }
        if (bLock)
            ::LockWindowUpdate(nullptr);
        if (::IsWindow(m_hWndBar))
            m_pBarContext->RecalcDirtyFrames();
        ShowRect(bDrawn);
        return TRUE;
    }

private:
    // TRUE when there was a rectangle to take away.
    BOOL HideRect()
    {
        if (m_pBarContext->m_bLiveDrag || m_pBarContext->m_rectLast.IsRectEmpty())
            return FALSE;
        m_pBarContext->DrawFocusRect(TRUE);
        return TRUE;
    }
    void ShowRect(BOOL bDrawn)
    {
        if (bDrawn && !m_bDone && m_pBarContext->m_pDC != nullptr)
            m_pBarContext->DrawFocusRect();
    }

    CUXBarDockContext* m_pBarContext;
};

// The dock context's hook on the frame its bar belongs to: when that frame is activated or comes to the top,
// the windows it owns, the bar's floating frame among them, go above it again (also for a frame that is not
// one of the library's, which raises them itself as its focus moves).
class CUXDockSiteHook : public CUXWndHook
{
public:
    LRESULT HandleMessage(UINT message, WPARAM wParam, LPARAM lParam) override
    {
        LRESULT result = CUXWndHook::HandleMessage(message, wParam, lParam);
        BOOL activated = message == WM_ACTIVATE && LOWORD(wParam) != WA_INACTIVE;
        BOOL reordered =
            message == WM_WINDOWPOSCHANGED && !(reinterpret_cast<const WINDOWPOS*>(lParam)->flags & SWP_NOZORDER);
        if ((activated || reordered) && !m_bRaising)
        {
            m_bRaising = TRUE;
            CUXFrameImpl::RaiseOwnedPopups(m_hWnd);
            m_bRaising = FALSE;
        }
        // Wine restacks a frame that was sized once it reads the display's events: raised again after them.
        if (message == WM_WINDOWPOSCHANGED && !(reinterpret_cast<const WINDOWPOS*>(lParam)->flags & SWP_NOSIZE))
            CUXFrameImpl::RequestRaiseFor(m_hWnd);
        return result;
    }

private:
    BOOL m_bRaising = FALSE;
};

}   // namespace

CUXBarDockContext::CUXBarDockContext(CControlBar* pBar) : CDockContext(pBar)
{
    // A library bar owns the hook; it goes with the bar to every frame the bar docks into (AdoptBar).
    if (pBar->IsKindOf(RUNTIME_CLASS(CUXControlBar)))
    {
        CUXControlBar* pLibraryBar = static_cast<CUXControlBar*>(pBar);
        pLibraryBar->SetHook(std::make_unique<CUXDockSiteHook>());
        if (pBar->m_hWnd != nullptr)
            pLibraryBar->AttachHook(pBar->GetDockingFrame());
    }
}

CUXBarDockContext::~CUXBarDockContext() = default;

void CUXBarDockContext::Install()
{
    CUXControlBar::SetDockContextFactory(MakeLibraryDockContext);
}

// ---- callbacks -----------------------------------------------------------------------------------------

int CUXBarDockContext::AddCallback(CUXDockLoopListener* listener)
{
    if (listener == nullptr)
        return 0;
    for (int i = 0; i < kCallbackSlots; ++i)
    {
        if (m_callbacks[i].listener == nullptr)
        {
            m_callbacks[i] = Callback{listener, m_nNextCookie++};
            return i + 1;
        }
    }
    return 0;
}

void CUXBarDockContext::RemoveCallbacks(CUXDockLoopListener* listener)
{
    for (Callback& callback : m_callbacks)
    {
        if (callback.listener != nullptr && callback.listener == listener)
            callback = Callback{};
    }
}

UINT CUXBarDockContext::GetCallbackCookie(int slot) const
{
    return slot >= 1 && slot <= kCallbackSlots ? m_callbacks[slot - 1].cookie : 0;
}

void CUXBarDockContext::RunCallbacks()
{
    // A callback may remove itself: the slots are read afresh each time.
    for (int i = 0; i < kCallbackSlots; ++i)
    {
        Callback callback = m_callbacks[i];
        if (callback.listener != nullptr)
            callback.listener->OnDockLoop(this);
    }
}

// ---- the loop ------------------------------------------------------------------------------------------

void CUXBarDockContext::AddDirtyFrame(CFrameWnd* pFrame)
{
    if (pFrame == nullptr)
        return;
    for (INT_PTR i = 0; i < m_arrDirtyFrames.GetSize(); ++i)
    {
        if (m_arrDirtyFrames[i] == pFrame)
            return;
    }
    m_arrDirtyFrames.Add(pFrame);
}

void CUXBarDockContext::RecalcDirtyFrames()
{
    if (m_pDockSite != nullptr && ::IsWindow(m_pDockSite->m_hWnd))
        m_pDockSite->RecalcLayout();
    std::vector<CFrameWnd*> frames;
    for (INT_PTR i = 0; i < m_arrDirtyFrames.GetSize(); ++i)
        frames.push_back(static_cast<CFrameWnd*>(m_arrDirtyFrames[i]));
    m_arrDirtyFrames.RemoveAll();
    for (CFrameWnd* pFrame : frames)
    {
        if (pFrame != m_pDockSite && ::IsWindow(pFrame->m_hWnd))
            pFrame->RecalcLayout();
    }
}

void CUXBarDockContext::InitLoop()
{
    if (m_pDC == nullptr)
    {
        // A screen DC that also draws over a dock site whose updates are locked.
        if (HDC hDC = ::GetDCEx(nullptr, nullptr, DCX_WINDOW | DCX_CACHE | DCX_LOCKWINDOWUPDATE))
        {
            m_pDC = new CDC;
            m_pDC->Attach(hDC);
        }
    }
    CDockContext::InitLoop();
    m_rectSwept.SetRectEmpty();
    m_bLiveDrag = uxAfxData.m_bDocking && m_pBar->m_hWnd != nullptr && m_pBar->SendMessage(UXM_REBAR_QUERY) != 0;
    m_arrDirtyFrames.RemoveAll();
}

BOOL CUXBarDockContext::Track()
{
    HWND hWndBar = m_pBar->m_hWnd;
    if (hWndBar == nullptr)
        return FALSE;
    HWND hWndFocus = ::GetFocus();
    m_pBar->SetFocus();
    m_bTracking = TRUE;
    RunCallbacks();

    BOOL bEnded = FALSE;
    BOOL bCancelled = TRUE;
    BOOL bRun = TRUE;
    MSG quit = {};
    if (::GetCapture() == nullptr)
    {
        m_pBar->SetCapture();
        CUXDockTrackLoop loop(this);
        bRun = loop.Run();
        quit = loop.LastMessage();
        bEnded = loop.m_bEnded;
        bCancelled = !bEnded;
        if (!loop.m_bDone)
            CancelLoop();   // the mouse went to another window, or the program is ending
    }
    else
        CancelLoop();   // someone else has the mouse

    m_bTracking = FALSE;
    m_bCursorKnown = FALSE;
    if (bCancelled && m_bLiveDrag && ::IsWindow(hWndBar))
        RestoreStartPlace();
    RunCallbacks();
    if (::IsWindow(hWndBar))
        RecalcDirtyFrames();
    if (hWndFocus != nullptr && ::IsWindow(hWndFocus))
        ::SetFocus(hWndFocus);
    // Whatever painted under the rectangle on its way (the system, other programs) is painted again.
    if (!m_rectSwept.IsRectEmpty())
        ::RedrawWindow(::GetDesktopWindow(), &m_rectSwept, nullptr,
                       RDW_INVALIDATE | RDW_ERASE | RDW_FRAME | RDW_ALLCHILDREN);
    if (!bRun)
        ::PostQuitMessage(static_cast<int>(quit.wParam));   // the loops below end too
    return bEnded;
}

// ---- dragging ------------------------------------------------------------------------------------------

void CUXBarDockContext::StartDrag(CPoint point)
{
    m_pDockSite = m_pBar->GetDockingFrame();
    if (m_pDockSite == nullptr || m_pBar->m_hWnd == nullptr)
        return;
    HWND hWndBar = m_pBar->m_hWnd;
    m_dwDockStyle = m_pBar->m_dwDockStyle;
    m_dwStyle = m_pBar->m_dwStyle;
    m_bDragging = TRUE;
    InitLoop();
    RememberPlace();

    // Where the bar is now: where a cancelled live drag puts it back, and what the double click remembers.
    m_bWasFloating = m_pBar->IsFloating();
    m_pBar->GetWindowRect(&m_rectStart);
    CDockBar* pDockBar = m_pBar->m_pDockBar;
    m_uStartDockID = pDockBar != nullptr ? static_cast<UINT>(pDockBar->GetDlgCtrlID()) : 0;
    if (m_bWasFloating)
    {
        CRect frame;
        ::GetWindowRect(::GetParent(pDockBar->m_hWnd), &frame);
        m_ptStartFrame = frame.TopLeft();
        m_dwStartFloatStyle = pDockBar->m_dwStyle & (CBRS_ALIGN_ANY | CBRS_FLOAT_MULTI);
    }
    m_uStartMRUDockID = m_uMRUDockID;
    m_rectStartMRUDockPos = m_rectMRUDockPos;
    m_dwStartMRUFloatStyle = m_dwMRUFloatStyle;
    m_ptStartMRUFloatPos = m_ptMRUFloatPos;

    // The four rectangles: docked along either side, and the floating frame either way.
    InitDragRects(point);
    if (!m_bWasFloating)
    {
        // The bar may want its floating frame at a place of its own relative to the cursor.
        CSize size = m_rectFrameDragHorz.Size();
        if (m_pBar->SendMessage(UXM_DOCK_QUERY, 0, reinterpret_cast<LPARAM>(&size)) != 0)
            m_rectFrameDragHorz = CRect(CPoint(point.x - size.cx, point.y - size.cy), m_rectFrameDragHorz.Size());
    }

    m_ptLast = point;
    m_bCursorKnown = TRUE;
    m_pBar->PostMessage(WM_SETCURSOR, reinterpret_cast<WPARAM>(hWndBar), MAKELPARAM(HTCLIENT, WM_MOUSEMOVE));
    Move(point);
    BOOL bEnded = Track();
    if (!bEnded || !::IsWindow(hWndBar))
        return;
    // Live dragging docked and floated the bar on the way: the places it had before count as the last ones.
    BOOL bFloating = m_pBar->IsFloating();
    if (!m_bWasFloating && bFloating)
    {
        m_uMRUDockID = m_uStartMRUDockID;
        m_rectMRUDockPos = m_rectStartMRUDockPos;
    }
    else if (m_bWasFloating && !bFloating)
    {
        m_dwMRUFloatStyle = m_dwStartMRUFloatStyle;
        m_ptMRUFloatPos = m_ptStartMRUFloatPos;
    }
}

void CUXBarDockContext::RestoreStartPlace()
{
    m_uMRUDockID = m_uStartMRUDockID;
    m_rectMRUDockPos = m_rectStartMRUDockPos;
    m_dwMRUFloatStyle = m_dwStartMRUFloatStyle;
    m_ptMRUFloatPos = m_ptStartMRUFloatPos;
    CFrameWnd* pSite = m_pBar->m_pDockSite != nullptr ? m_pBar->m_pDockSite : m_pDockSite;
    if (pSite == nullptr)
        return;
    if (m_bWasFloating)
        pSite->FloatControlBar(m_pBar, m_ptStartFrame, m_dwStartFloatStyle);
    else
    {
        CDockBar* pDockBar = AsDockBar(pSite->GetControlBar(m_uStartDockID));
        if (pDockBar != nullptr)
            pSite->DockControlBar(m_pBar, pDockBar, &m_rectStart);
    }
    m_pDockSite = pSite;
}

void CUXBarDockContext::AdoptBar(CFrameWnd* pSite)
{
    CFrameWnd* pOld = m_pBar->m_pDockSite;
    if (pSite == nullptr || pOld == pSite)
        return;
    if (pOld != nullptr)
    {
        pOld->RemoveControlBar(m_pBar);
        AddDirtyFrame(pOld);
    }
    pSite->AddControlBar(m_pBar);
    m_pBar->m_pDockSite = pSite;
    if (m_pBar->GetOwner() == pOld)
        m_pBar->SetOwner(pSite);
    if (m_pBar->IsKindOf(RUNTIME_CLASS(CUXControlBar)))
        static_cast<CUXControlBar*>(m_pBar)->AttachHook(pSite);
}

void CUXBarDockContext::DockOrFloat(BOOL bEndLoop)
{
    if (bEndLoop)
        CancelLoop();
    if (m_pDockSite == nullptr || m_pBar->m_hWnd == nullptr)
        return;
    if (m_dwOverDockStyle != 0)
    {
        if (CDockBar* pDockBar = GetDockBar(m_dwOverDockStyle))
        {
            CRect rect = (m_dwOverDockStyle & CBRS_ORIENT_VERT) ? m_rectDragVert : m_rectDragHorz;
            // A docking window leaving its row gives the row back its own lengths; it keeps its own
            // expansion, which it takes into the new row (from a floating frame too).
            CUXDockWindow* pWindow = CUXDockWindow::FromBar(m_pBar);
            BOOL bExpanded = pWindow != nullptr && pWindow->IsExpanded();
            if (pWindow != nullptr && m_pBar->m_pDockBar != pDockBar)
                pWindow->ResetRowExpansion();
            AdoptBar(m_pDockSite);
            m_pDockSite->DockControlBar(m_pBar, pDockBar, &rect);
            CUXDockBar* pLibraryDockBar = CUXDockBar::FromBar(pDockBar);
            if (bExpanded && !pWindow->IsExpanded() && pLibraryDockBar != nullptr)
                pLibraryDockBar->ExpandWindow(pWindow);
            RememberPlace();
            return;
        }
    }
    // A docking window keeps its expansion while it floats: docked back into its row, it has the size it had.
    BOOL bHorz = IsHorzNow();
    CRect rect = bHorz ? m_rectFrameDragHorz : m_rectFrameDragVert;
    AdoptBar(m_pDockSite);
    m_pDockSite->FloatControlBar(m_pBar, rect.TopLeft(),
                                 (bHorz ? CBRS_ALIGN_TOP : CBRS_ALIGN_LEFT) | (m_dwDockStyle & CBRS_FLOAT_MULTI));
    RememberPlace();
}

void CUXBarDockContext::EndDrag()
{
    DockOrFloat(TRUE);
}

CPoint CUXBarDockContext::CursorPos() const
{
    CPoint point = m_ptLast;
    if (!m_bCursorKnown && !::GetCursorPos(&point))
        point = CPoint(INT_MIN, INT_MIN);
    return point;
}

BOOL CUXBarDockContext::QualifiesAt(CDockBar* pDockBar, DWORD dwOverDockStyle, const CPoint* pCursor) const
{
    if (pDockBar->m_hWnd == nullptr || !pDockBar->IsWindowVisible() ||
        !(pDockBar->m_dwStyle & dwOverDockStyle & CBRS_ALIGN_ANY) ||
        (pDockBar->m_bFloating && !(dwOverDockStyle & CBRS_FLOAT_MULTI)))
        return FALSE;
    // An empty dock bar still catches a cursor within 4 pixels of it.
    CRect rect = CatchRect(pDockBar);
    if (pCursor != nullptr)
        return rect.PtInRect(*pCursor);
    const CRect& drag = (dwOverDockStyle & CBRS_ORIENT_HORZ) ? m_rectDragHorz : m_rectDragVert;
    CRect touch;
    return touch.IntersectRect(&rect, &drag);
}

CDockBar* CUXBarDockContext::FindDockBarIn(CFrameWnd* pSite, DWORD dwOverDockStyle, const CPoint* pCursor) const
{
    if (pSite == nullptr || pSite->m_hWnd == nullptr)
        return nullptr;
    for (POSITION pos = pSite->m_listControlBars.GetHeadPosition(); pos != nullptr;)
    {
        CDockBar* pDockBar = AsDockBar(pSite->m_listControlBars.GetNext(pos));
        if (pDockBar != nullptr && QualifiesAt(pDockBar, dwOverDockStyle, pCursor))
            return pDockBar;
    }
    return nullptr;
}

CDockBar* CUXBarDockContext::GetDockBar(DWORD dwOverDockStyle)
{
    CPoint cursor = CursorPos();
    const CPoint* pCursor = cursor.x != INT_MIN ? &cursor : nullptr;
    if (CDockBar* pDockBar = FindDockBarIn(m_pDockSite, dwOverDockStyle, pCursor))
        return pDockBar;
    CFrameWnd* pOther = GetAlternateDockSite();
    CDockBar* pDockBar = FindDockBarIn(pOther, dwOverDockStyle, pCursor);
    if (pDockBar == nullptr)
        return nullptr;
    AddDirtyFrame(m_pDockSite);
    AddDirtyFrame(pOther);
    m_pDockSite = pOther;
    return pDockBar;
}

CFrameWnd* CUXBarDockContext::GetAlternateDockSite()
{
    if (!m_pBar->IsKindOf(RUNTIME_CLASS(CUXControlBar)) || m_pDockSite == nullptr)
        return nullptr;
    CUXControlBar* pBar = static_cast<CUXControlBar*>(m_pBar);
    CPoint cursor = CursorPos();
    auto under = [&cursor](CWnd* pWnd)
    {
        if (pWnd == nullptr || pWnd->m_hWnd == nullptr || !pWnd->IsWindowVisible())
            return false;
        CRect rect;
        pWnd->GetWindowRect(&rect);
        return rect.PtInRect(cursor) != FALSE;
    };
    auto accepted = [&](CFrameWnd* pFrame)
    { return pFrame != nullptr && pFrame != m_pDockSite && under(pFrame) && pBar->IsDockQuery(); };

    // The frame window on top under the cursor (floating frames of bars do not count).
    CWnd* pMain = AfxGetMainWnd();
    if (pMain != nullptr && pMain->m_hWnd != nullptr)
    {
        for (HWND hWnd = ::GetWindow(pMain->m_hWnd, GW_HWNDFIRST); hWnd != nullptr;
             hWnd = ::GetWindow(hWnd, GW_HWNDNEXT))
        {
            CWnd* pWnd = CWnd::FromHandlePermanent(hWnd);
            if (pWnd == nullptr || !pWnd->IsKindOf(RUNTIME_CLASS(CFrameWnd)) ||
                pWnd->IsKindOf(RUNTIME_CLASS(CMiniDockFrameWnd)) || !under(pWnd))
                continue;
            if (accepted(static_cast<CFrameWnd*>(pWnd)))
                return static_cast<CFrameWnd*>(pWnd);
            break;
        }
    }
    // Else the frame the site belongs to, and that frame's own parent frame.
    CFrameWnd* pTop = m_pDockSite->GetTopLevelFrame();
    if (accepted(pTop))
        return pTop;
    CFrameWnd* pParent = pTop != nullptr ? pTop->GetParentFrame() : nullptr;
    return accepted(pParent) ? pParent : nullptr;
}

void CUXBarDockContext::DrawFocusRect(BOOL bRemoveRect)
{
    if (m_bLiveDrag && !bRemoveRect)
    {
        // The bar itself shows where it goes.
        if (m_bDragging)
            DockOrFloat(FALSE);
        else if (m_bTracking)
        {
            m_pBar->CalcDynamicLayout(m_rectActualSize.Width(), LM_HORZ | LM_COMMIT);
            m_pDockSite->FloatControlBar(m_pBar, m_rectActualFrameSize.TopLeft(),
                                         CBRS_ALIGN_TOP | CBRS_SIZE_DYNAMIC | (m_dwDockStyle & CBRS_FLOAT_MULTI));
        }
        return;
    }
    CRect rect;
    CSize size(0, 0);
    BOOL bDither = bRemoveRect ? FALSE : ChooseDragRect(rect, size);
    if (!bRemoveRect && !bDither)
    {
        // A docking window that does not reach into its dock bar will take the whole side.
        CDockBar* pTarget = CUXDockWindow::FromBar(m_pBar) != nullptr ? GetDockBar(m_dwOverDockStyle) : nullptr;
        if (pTarget != nullptr)
        {
            CRect target;
            pTarget->GetWindowRect(&target);
            if (!target.PtInRect(rect.CenterPoint()))
            {
                if (m_dwOverDockStyle & CBRS_ORIENT_HORZ)
                    rect.left = target.left, rect.right = target.right;
                else
                    rect.top = target.top, rect.bottom = target.bottom;
            }
        }
        rect.DeflateRect(1, 1);
    }
    if (!bRemoveRect)
        m_rectSwept |= rect;
    DrawDragRectangle(rect, size, bDither);
}

void CUXBarDockContext::ToggleDocking()
{
    CUXDockWindow* pWindow = CUXDockWindow::FromBar(m_pBar);
    if (pWindow == nullptr || !m_pBar->IsFloating())
    {
        CDockContext::ToggleDocking();
        return;
    }
    // A docking window docks back through its own call: where it was docked last, else on its own side.
    m_pDockSite = m_pBar->GetDockingFrame();
    if (m_pDockSite == nullptr)
        return;
    m_dwDockStyle = m_pBar->m_dwDockStyle;
    RememberPlace();
    CDockBar* pDockBar = m_uMRUDockID != 0 ? AsDockBar(m_pDockSite->GetControlBar(m_uMRUDockID)) : nullptr;
    if (pDockBar != nullptr && pDockBar->m_bFloating)
        pDockBar = nullptr;
    CRect rect = m_rectMRUDockPos;
    if (pDockBar != nullptr)
        pDockBar->ClientToScreen(&rect);
    pWindow->DockInto(pDockBar, pDockBar != nullptr ? &rect : nullptr);
    RememberPlace();
}

// ---- resizing ------------------------------------------------------------------------------------------

void CUXBarDockContext::StartResize(int nHitTest, CPoint point)
{
    m_ptLast = point;
    m_bCursorKnown = TRUE;
    CDockContext::StartResize(nHitTest, point);
}

void CUXBarDockContext::Stretch(CPoint point)
{
    // The frame's edges stay on the desktop.
    CRect desktop;
    ::GetWindowRect(::GetDesktopWindow(), &desktop);
    point.x = std::min(std::max(point.x, desktop.left), desktop.right - 1);
    point.y = std::min(std::max(point.y, desktop.top), desktop.bottom - 1);
    CDockContext::Stretch(point);
}

CSize CUXBarDockContext::StretchedSize(BOOL bWidthMoved, BOOL bHeightMoved)
{
    if (CUXDockWindow::FromBar(m_pBar) == nullptr)
        return CDockContext::StretchedSize(bWidthMoved, bHeightMoved);
    return CSize(std::max<int>(m_rectRequestedSize.Width(), CUXDockWindow::kMinSize),
                 std::max<int>(m_rectRequestedSize.Height(), CUXDockWindow::kMinSize));
}

void CUXBarDockContext::EndResize()
{
    if (CUXDockWindow* pWindow = CUXDockWindow::FromBar(m_pBar))
        pWindow->SetFloatingSize(m_rectActualSize.Size());
    CDockContext::EndResize();
}
