// The message pump every loop shares, and the modal loops of windows.
#include "framework/win/Framework.h"
#include "framework/win/WndInternal.h"

using namespace WndInternal;

// ---- message pump ------------------------------------------------------------------------------------

BOOL AfxPreTranslateMessage(MSG* pMsg)
{
    AfxRelayToolTipMessage(pMsg);
    if (CWnd::WalkPreTranslateTree(nullptr, pMsg))
        return TRUE;
    // The main window also sees the messages of its other top-level windows while it is usable.
    CWnd* pMain = AfxGetMainWnd();
    if (pMain != nullptr && pMain->m_hWnd != nullptr && pMsg->hwnd != nullptr && ::IsWindowEnabled(pMain->m_hWnd))
    {
        HWND top = pMsg->hwnd;
        while (top != nullptr && IsChildStyle(top))
            top = ::GetParent(top);
        if (top != pMain->m_hWnd && pMain->PreTranslateMessage(pMsg))
            return TRUE;
    }
    return FALSE;
}

BOOL AfxPumpMessage()
{
    if (CWinApp* app = AfxGetApp())
        return app->PumpMessage();
    CMessageLoop loop;
    return loop.PumpMessage();
}

BOOL CMessageLoop::PumpMessage()
{
    if (!::GetMessageA(&m_msg, nullptr, 0, 0))
        return FALSE;
    if (!PreTranslate(&m_msg))
    {
        ::TranslateMessage(&m_msg);
        ::DispatchMessageA(&m_msg);
    }
    return TRUE;
}

BOOL CMessageLoop::Run()
{
    VxThreadState& state = ThreadState();
    BOOL bIdle = TRUE;
    LONG lIdleCount = 0;
    BOOL result = TRUE;
    ++state.loopDepth;
    MSG peek;
    while (ContinueLoop())
    {
        while (bIdle && !::PeekMessageA(&peek, nullptr, 0, 0, PM_NOREMOVE))
        {
            if (!OnIdle(lIdleCount++))
                bIdle = FALSE;
        }
        if (!ContinueLoop())
            break;
        if (!PumpMessage())
        {
            result = FALSE;
            break;
        }
        if (IsIdleMessage(&m_msg))
        {
            bIdle = TRUE;
            lIdleCount = 0;
        }
    }
    --state.loopDepth;
    return result;
}

BOOL CMessageLoop::OnIdle(LONG lCount)
{
    if (lCount == 0 && ThreadState().loopDepth == 1)
        AfxDeleteTempMaps();   // no handler of ours is running: temporaries are free
    return FALSE;
}

BOOL CMessageLoop::PreTranslate(MSG* pMsg)
{
    CWinApp* app = AfxGetApp();
    return app != nullptr ? app->PreTranslateMessage(pMsg) : AfxPreTranslateMessage(pMsg);
}

BOOL CMessageLoop::IsIdleMessage(const MSG* pMsg)
{
    CWinApp* app = AfxGetApp();
    MSG copy = *pMsg;
    return app != nullptr ? app->IsIdleMessage(&copy) : AfxIsIdleMessage(pMsg);
}

BOOL AfxIsIdleMessage(const MSG* pMsg)
{
    // Mouse moves and the caret's blink timer do not end idle time (they come all the time).
    static thread_local POINT lastPoint = {-1, -1};
    static thread_local UINT lastMessage = 0;
    if (pMsg->message == WM_MOUSEMOVE || pMsg->message == WM_NCMOUSEMOVE)
    {
        if (pMsg->message == lastMessage && pMsg->pt.x == lastPoint.x && pMsg->pt.y == lastPoint.y)
            return FALSE;
        lastPoint = pMsg->pt;
        lastMessage = pMsg->message;
        return TRUE;
    }
    // A tool-tip control times its tip itself (its leave check runs as long as the pointer rests on a tool,
    // even after the tip went): nothing the idle work shows changes by it.
    if (pMsg->message == WM_TIMER && pMsg->hwnd != nullptr)
    {
        char name[32] = {};
        ::GetClassNameA(pMsg->hwnd, name, sizeof(name));
        if (lstrcmpiA(name, TOOLTIPS_CLASSA) == 0)
            return FALSE;
    }
    return pMsg->message != WM_PAINT && pMsg->message != 0x0118;   // 0x0118: the system timer (caret)
}

void AfxDeleteTempMaps()
{
    CWnd::DeleteTempMap();
    CMenu::DeleteTempMap();
    CDC::DeleteTempMap();
    CGdiObject::DeleteTempMap();
    CImageList::DeleteTempMap();
}

// ---- modal loops -------------------------------------------------------------------------------------

namespace
{
// The loop of a modal window: it runs while the window exists and wants it, shows a window created hidden
// once the queue is first empty (or a key arrives), and tells the parent (WM_ENTERIDLE) and the window
// (WM_KICKIDLE) about idle time.
class CModalLoop : public CMessageLoop
{
public:
    CModalLoop(CWnd* pWnd, DWORD dwFlags)
        : m_pWnd(pWnd), m_hWnd(pWnd->m_hWnd), m_hWndParent(::GetParent(pWnd->m_hWnd)), m_dwFlags(dwFlags),
          m_bShowIdle((dwFlags & MLF_SHOWONIDLE) && !(pWnd->GetStyle() & WS_VISIBLE))
    {
    }

protected:
    BOOL ContinueLoop() override
    {
        return ::IsWindow(m_hWnd) && CWnd::FromHandlePermanent(m_hWnd) == m_pWnd && m_pWnd->ContinueModal();
    }
    BOOL OnIdle(LONG lCount) override
    {
        ShowIfWaiting();
        if (!(m_dwFlags & MLF_NOIDLEMSG) && m_hWndParent != nullptr && lCount == 0)
            ::SendMessageA(m_hWndParent, WM_ENTERIDLE, MSGF_DIALOGBOX, reinterpret_cast<LPARAM>(m_hWnd));
        CMessageLoop::OnIdle(lCount);
        return !(m_dwFlags & MLF_NOKICKIDLE) && ::SendMessageA(m_hWnd, WM_KICKIDLE, MSGF_DIALOGBOX, lCount) != 0;
    }
    BOOL PreTranslate(MSG* pMsg) override
    {
        if (pMsg->message == WM_SYSKEYDOWN || pMsg->message == WM_KEYDOWN)
            ShowIfWaiting();
        return CMessageLoop::PreTranslate(pMsg);
    }

private:
    void ShowIfWaiting()
    {
        if (!m_bShowIdle)
            return;
        m_bShowIdle = FALSE;
        ::ShowWindow(m_hWnd, SW_SHOWNORMAL);
        ::UpdateWindow(m_hWnd);
    }

    CWnd* m_pWnd;
    HWND m_hWnd;
    HWND m_hWndParent;
    DWORD m_dwFlags;
    BOOL m_bShowIdle;
};
}   // namespace

INT_PTR CWnd::RunModalWindow(CWnd* pParentWnd, const std::function<BOOL(HWND hWndParent)>& create)
{
    HWND hWndTop = nullptr;
    HWND hWndParent = AfxGetSafeHwnd(GetSafeOwner(pParentWnd, &hWndTop));
    BOOL bEnableParent = FALSE;
    if (hWndParent != nullptr && hWndParent != ::GetDesktopWindow() && ::IsWindowEnabled(hWndParent))
    {
        ::EnableWindow(hWndParent, FALSE);
        bEnableParent = TRUE;
    }

    m_nModalResult = -1;
    m_nFlags |= WF_CONTINUEMODAL;   // so that ending the window during its creation ends it at once
    if (create(hWndParent))
    {
        if (m_nFlags & WF_CONTINUEMODAL)
        {
            DWORD dwFlags = MLF_SHOWONIDLE;
            if (GetStyle() & DS_NOIDLEMSG)
                dwFlags |= MLF_NOIDLEMSG;
            RunModalLoop(dwFlags);
        }
        if (m_hWnd != nullptr)
            SetWindowPos(nullptr, 0, 0, 0, 0,
                         SWP_HIDEWINDOW | SWP_NOSIZE | SWP_NOMOVE | SWP_NOACTIVATE | SWP_NOZORDER);
    }
    m_nFlags &= ~(WF_MODALLOOP | WF_CONTINUEMODAL);

    if (bEnableParent)
        ::EnableWindow(hWndParent, TRUE);
    if (hWndParent != nullptr && m_hWnd != nullptr && ::GetActiveWindow() == m_hWnd)
        ::SetActiveWindow(hWndParent);
    DestroyWindow();
    return m_nModalResult;
}

int CWnd::RunModalLoop(DWORD dwFlags)
{
    HWND hWndSelf = m_hWnd;
    m_nFlags |= WF_MODALLOOP | WF_CONTINUEMODAL;
    CModalLoop loop(this, dwFlags);
    if (!loop.Run())
    {
        // The loop below this one must see the quit request too.
        ::PostQuitMessage(static_cast<int>(loop.LastMessage().wParam));
        m_nModalResult = -1;
    }
    if (::IsWindow(hWndSelf) && FromHandlePermanent(hWndSelf) == this)
        m_nFlags &= ~(WF_MODALLOOP | WF_CONTINUEMODAL);
    return m_nModalResult;
}

BOOL CWnd::ContinueModal()
{
    return (m_nFlags & WF_CONTINUEMODAL) != 0;
}

void CWnd::EndModalLoop(int nResult)
{
    m_nModalResult = nResult;
    if (m_nFlags & WF_CONTINUEMODAL)
    {
        m_nFlags &= ~WF_CONTINUEMODAL;
        PostMessage(WM_NULL);
    }
}
