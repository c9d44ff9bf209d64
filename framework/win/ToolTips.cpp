// Tool tips for windows that answer OnToolHitTest and for bars with CBRS_TOOLTIPS, and the fly-by prompts of
// bars with CBRS_FLYBY. One tool-tip control per thread shows the tip of the item under the mouse.
#include "framework/win/Framework.h"
#include "framework/win/ThreadLocal.h"

#include <cstdlib>

namespace
{
struct VxToolTipState
{
    HWND hWndTip = nullptr;       // the thread's tool-tip control
    HWND hWndLastHit = nullptr;   // the window whose item is under the mouse
    INT_PTR nLastHit = -1;
    bool bToolAdded = false;
    TOOLINFOA lastTool = {};   // the tool given to the control (without its text)
    CString text;              // the text of the tool

    ~VxToolTipState()
    {
        if (hWndTip != nullptr && ::IsWindow(hWndTip))
            ::DestroyWindow(hWndTip);
    }
};

VxToolTipState& ToolTipState()
{
    static CThreadLocal<VxToolTipState> state;
    return state.Get();
}

bool IsMouseMessage(UINT message)
{
    return (message >= WM_MOUSEFIRST && message <= WM_MOUSELAST) || message == WM_NCMOUSEMOVE ||
           message == WM_NCLBUTTONDOWN || message == WM_NCLBUTTONUP;
}

void RemoveTool(VxToolTipState& state)
{
    if (state.bToolAdded && state.hWndTip != nullptr && ::IsWindow(state.hWndTip))
        ::SendMessageA(state.hWndTip, TTM_DELTOOLA, 0, reinterpret_cast<LPARAM>(&state.lastTool));
    state.bToolAdded = false;
}

// The bar's fly-by prompt for the item under the mouse (-1: none).
void FlyBy(HWND hWnd, INT_PTR nHit)
{
    CWnd* pWnd = CWnd::FromHandlePermanent(hWnd);
    if (pWnd != nullptr && pWnd->IsKindOf(RUNTIME_CLASS(CControlBar)))
    {
        CControlBar* pBar = static_cast<CControlBar*>(pWnd);
        if (pBar->GetBarStyle() & CBRS_FLYBY)
            pBar->SetStatusText(nHit);
    }
}

// The mouse left the item it was over.
void Leave(VxToolTipState& state)
{
    RemoveTool(state);
    HWND hWndLast = state.hWndLastHit;
    INT_PTR nLast = state.nLastHit;
    state.hWndLastHit = nullptr;
    state.nLastHit = -1;
    if (hWndLast != nullptr && nLast != -1 && ::IsWindow(hWndLast))
        FlyBy(hWndLast, -1);
}

HWND EnsureToolTip(VxToolTipState& state, HWND hWndOwner)
{
    if (state.hWndTip != nullptr && ::IsWindow(state.hWndTip))
        return state.hWndTip;
    AfxInitCommonControls();
    state.hWndTip = ::CreateWindowExA(WS_EX_TOPMOST, TOOLTIPS_CLASSA, nullptr, WS_POPUP | TTS_ALWAYSTIP,
                                      CW_USEDEFAULT, CW_USEDEFAULT, CW_USEDEFAULT, CW_USEDEFAULT, hWndOwner,
                                      nullptr, AfxGetInstanceHandle(), nullptr);
    if (state.hWndTip != nullptr)
        ::SendMessageA(state.hWndTip, TTM_SETMAXTIPWIDTH, 0, 300);
    return state.hWndTip;
}
}   // namespace

// Finds the window with tips under a mouse message (the message's window or an ancestor) and lets it follow
// the mouse; the mouse over none of them takes the last tip away.
void AfxRelayToolTipMessage(MSG* pMsg)
{
    if (!IsMouseMessage(pMsg->message))
        return;
    for (HWND hWnd = pMsg->hwnd; hWnd != nullptr;)
    {
        CWnd* pWnd = CWnd::FromHandlePermanent(hWnd);
        if (pWnd != nullptr && (pWnd->m_nFlags & WF_TOOLTIPS))
        {
            pWnd->FilterToolTipMessage(pMsg);
            return;
        }
        if (!(::GetWindowLongA(hWnd, GWL_STYLE) & WS_CHILD))
            break;
        hWnd = ::GetParent(hWnd);
    }
    VxToolTipState& state = ToolTipState();
    if (state.hWndLastHit != nullptr)
        Leave(state);
}

BOOL CWnd::EnableToolTips(BOOL bEnable)
{
    if (bEnable)
        m_nFlags |= WF_TOOLTIPS;
    else
    {
        m_nFlags &= ~WF_TOOLTIPS;
        VxToolTipState& state = ToolTipState();
        if (state.hWndLastHit == m_hWnd)
            Leave(state);
    }
    return TRUE;
}

void CWnd::CancelToolTips()
{
    VxToolTipState& state = ToolTipState();
    Leave(state);
    if (state.hWndTip != nullptr && ::IsWindow(state.hWndTip))
        ::SendMessageA(state.hWndTip, TTM_POP, 0, 0);
}

INT_PTR CWnd::OnToolHitTest(CPoint point, TOOLINFOA* pTI) const
{
    HWND hChild = ::ChildWindowFromPointEx(m_hWnd, point, CWP_SKIPINVISIBLE);
    if (hChild == nullptr || hChild == m_hWnd)
        return -1;
    int nID = ::GetDlgCtrlID(hChild);
    if (nID == 0 || nID == -1 || nID == 0xFFFF)
        return -1;
    if (pTI != nullptr)
    {
        CRect rect;
        ::GetWindowRect(hChild, &rect);
        ScreenToClient(&rect);
        pTI->hwnd = m_hWnd;
        pTI->uId = static_cast<UINT_PTR>(nID);
        pTI->rect = rect;
        pTI->lpszText = LPSTR_TEXTCALLBACKA;
    }
    return nID;
}

void CWnd::FilterToolTipMessage(MSG* pMsg)
{
    if (!IsMouseMessage(pMsg->message) || m_hWnd == nullptr)
        return;
    VxToolTipState& state = ToolTipState();

    // The point in this window's client coordinates: client mouse messages carry it for their own window,
    // non-client ones in screen coordinates.
    CPoint point(static_cast<short>(LOWORD(pMsg->lParam)), static_cast<short>(HIWORD(pMsg->lParam)));
    if (pMsg->message >= WM_MOUSEFIRST && pMsg->message <= WM_MOUSELAST)
        ::MapWindowPoints(pMsg->hwnd, m_hWnd, &point, 1);
    else
        ScreenToClient(&point);

    TOOLINFOA ti = {};
    ti.cbSize = sizeof(ti);
    CRect client;
    GetClientRect(&client);
    INT_PTR nHit = client.PtInRect(point) ? OnToolHitTest(point, &ti) : -1;
    CString text;
    if (ti.lpszText != nullptr && ti.lpszText != LPSTR_TEXTCALLBACKA)
    {
        text = ti.lpszText;
        free(ti.lpszText);   // the hit test's copy
    }
    else if (ti.lpszText == LPSTR_TEXTCALLBACKA && nHit != -1)
    {
        CString full;
        if (AfxLoadString(static_cast<UINT>(nHit), full) && full.Find('\n') >= 0)
            text = full.Mid(full.Find('\n') + 1);
    }

    if (nHit != state.nLastHit || m_hWnd != state.hWndLastHit)
    {
        Leave(state);
        bool bar = IsKindOf(RUNTIME_CLASS(CControlBar));
        DWORD barStyle = bar ? static_cast<CControlBar*>(this)->GetBarStyle() : 0;
        if (nHit != -1)
            FlyBy(m_hWnd, nHit);
        state.hWndLastHit = m_hWnd;
        state.nLastHit = nHit;
        bool wantTips = !bar || (barStyle & CBRS_TOOLTIPS);
        if (nHit != -1 && wantTips && !text.IsEmpty() && EnsureToolTip(state, GetTopLevelParent()->m_hWnd))
        {
            if (ti.hwnd == nullptr)
                ti.hwnd = m_hWnd;
            state.text = text;
            ti.lpszText = const_cast<LPSTR>(state.text.GetString());
            ti.hinst = AfxGetInstanceHandle();
            if (::SendMessageA(state.hWndTip, TTM_ADDTOOLA, 0, reinterpret_cast<LPARAM>(&ti)))
            {
                state.bToolAdded = true;
                state.lastTool = ti;
                state.lastTool.lpszText = nullptr;
                ::SendMessageA(state.hWndTip, TTM_ACTIVATE, TRUE, 0);
            }
        }
    }
    if (state.bToolAdded)
    {
        // The tip follows the mouse through this window's coordinates.
        MSG relay = *pMsg;
        relay.hwnd = state.lastTool.hwnd;
        relay.lParam = MAKELPARAM(point.x, point.y);
        if (pMsg->message == WM_NCMOUSEMOVE)
            relay.message = WM_MOUSEMOVE;
        ::SendMessageA(state.hWndTip, TTM_RELAYEVENT, 0, reinterpret_cast<LPARAM>(&relay));
    }
}
