// CWnd: handle map, creation hook, the one window procedure, creation and attaching.
#include "framework/win/Framework.h"
#include "framework/win/ThreadLocal.h"
#include "framework/win/WndInternal.h"

#include <mutex>
#include <set>
#include <string>
#include <unordered_map>

using namespace WndInternal;

VxThreadState& WndInternal::ThreadState()
{
    static CThreadLocal<VxThreadState> state;
    return state.Get();
}

bool WndInternal::IsChildStyle(HWND hWnd)
{
    return (::GetWindowLongA(hWnd, GWL_STYLE) & WS_CHILD) != 0;
}

namespace
{
// Windows of every thread map to their objects here; workers never use CWnd objects, but a lock keeps the
// map itself sound whoever asks.
std::mutex& MapMutex()
{
    static std::mutex m;
    return m;
}
std::unordered_map<HWND, CWnd*>& PermanentMap()
{
    static std::unordered_map<HWND, CWnd*> map;
    return map;
}

void MapAdd(HWND hWnd, CWnd* pWnd)
{
    std::lock_guard<std::mutex> lock(MapMutex());
    PermanentMap()[hWnd] = pWnd;
}
void MapRemove(HWND hWnd, CWnd* pWnd)
{
    std::lock_guard<std::mutex> lock(MapMutex());
    auto it = PermanentMap().find(hWnd);
    if (it != PermanentMap().end() && it->second == pWnd)
        PermanentMap().erase(it);
}

// Windows whose object went away while another procedure was chained on top of ours: our procedure stays
// in their chain and passes their messages on to the procedure it replaced.
std::unordered_map<HWND, WNDPROC>& OrphanMap()
{
    static std::unordered_map<HWND, WNDPROC> map;
    return map;
}

// Gives the window its previous procedure back, or (someone subclassed it after us) remembers where our
// procedure must pass its messages from now on.
void ReleaseWindowProc(HWND hWnd, WNDPROC pfnSuper)
{
    if (hWnd == nullptr || pfnSuper == nullptr || !::IsWindow(hWnd))
        return;
    if (reinterpret_cast<WNDPROC>(::GetWindowLongPtrA(hWnd, GWLP_WNDPROC)) == AfxWndProc)
    {
        ::SetWindowLongPtrA(hWnd, GWLP_WNDPROC, reinterpret_cast<LONG_PTR>(pfnSuper));
        return;
    }
    std::lock_guard<std::mutex> lock(MapMutex());
    OrphanMap()[hWnd] = pfnSuper;
}

// Clears the application's main-window pointer when its object or window goes away.
void ForgetMainWnd(CWnd* pWnd)
{
    CWinApp* app = AfxGetApp();
    if (app != nullptr && app->m_pMainWnd == pWnd)
        app->m_pMainWnd = nullptr;
}

}   // namespace

// ---- creation hook -----------------------------------------------------------------------------------

static LRESULT CALLBACK VxCbtFilterHook(int code, WPARAM wParam, LPARAM lParam)
{
    VxThreadState& state = ThreadState();
    if (code == HCBT_CREATEWND && state.pWndInit != nullptr)
    {
        CWnd* pWnd = state.pWndInit;
        state.pWndInit = nullptr;
        pWnd->AttachForCreate(reinterpret_cast<HWND>(wParam));
    }
    return ::CallNextHookEx(state.hHookCbt, code, wParam, lParam);
}

void AfxHookWindowCreate(CWnd* pWnd)
{
    VxThreadState& state = ThreadState();
    if (state.hHookCbt == nullptr)
        state.hHookCbt = ::SetWindowsHookExA(WH_CBT, VxCbtFilterHook, nullptr, ::GetCurrentThreadId());
    state.pWndInit = pWnd;
    state.creating.emplace_back(pWnd, false);
}

BOOL AfxUnhookWindowCreate(BOOL* pbObjectEnded)
{
    VxThreadState& state = ThreadState();
    if (pbObjectEnded != nullptr)
        *pbObjectEnded = FALSE;
    if (!state.creating.empty())
    {
        if (pbObjectEnded != nullptr)
            *pbObjectEnded = state.creating.back().second;
        state.creating.pop_back();
    }
    if (state.hHookCbt != nullptr)
    {
        ::UnhookWindowsHookEx(state.hHookCbt);
        state.hHookCbt = nullptr;
    }
    if (state.pWndInit != nullptr)
    {
        state.pWndInit = nullptr;
        return FALSE;
    }
    return TRUE;
}

// ---- the window procedure ----------------------------------------------------------------------------

LRESULT CALLBACK AfxWndProc(HWND hWnd, UINT message, WPARAM wParam, LPARAM lParam)
{
    CWnd* pWnd = CWnd::FromHandlePermanent(hWnd);
    if (pWnd == nullptr)
    {
        WNDPROC orphanSuper = nullptr;
        {
            std::lock_guard<std::mutex> lock(MapMutex());
            auto it = OrphanMap().find(hWnd);
            if (it != OrphanMap().end())
            {
                orphanSuper = it->second;
                if (message == WM_NCDESTROY)
                    OrphanMap().erase(it);
            }
        }
        if (orphanSuper != nullptr)
            return ::CallWindowProcA(orphanSuper, hWnd, message, wParam, lParam);
        return ::DefWindowProcA(hWnd, message, wParam, lParam);
    }

    VxThreadState& state = ThreadState();
    if (message == WM_INITMENUPOPUP)
        state.hMenuInit = reinterpret_cast<HMENU>(wParam);
    MSG previous = state.msgCur;
    state.msgCur.hwnd = hWnd;
    state.msgCur.message = message;
    state.msgCur.wParam = wParam;
    state.msgCur.lParam = lParam;

    LRESULT result = 0;
    try
    {
        result = pWnd->WindowProc(message, wParam, lParam);
    }
    catch (...)
    {
        // Nothing may unwind through the system's code.
        result = 0;
    }

    if (message == WM_NCDESTROY && CWnd::FromHandlePermanent(hWnd) == pWnd)
    {
        for (auto& creation : state.creating)
        {
            if (creation.first == pWnd)
                creation.second = true;
        }
        pWnd->DetachAfterNcDestroy();
        pWnd->PostNcDestroy();
    }
    state.msgCur = previous;
    return result;
}

int& AfxMessageLoopDepth()
{
    return ThreadState().loopDepth;
}

LPCSTR AfxRegisterWndClass(UINT nClassStyle, HCURSOR hCursor, HBRUSH hbrBackground, HICON hIcon)
{
    static std::mutex m;
    static std::set<std::string> names;
    char name[96];
    HINSTANCE hInst = AfxGetInstanceHandle();
    wsprintfA(name, "Vx:%p:%x:%p:%p:%p", static_cast<void*>(hInst), nClassStyle, static_cast<void*>(hCursor),
              static_cast<void*>(hbrBackground), static_cast<void*>(hIcon));
    std::lock_guard<std::mutex> lock(m);
    auto it = names.find(name);
    if (it != names.end())
        return it->c_str();
    WNDCLASSA wc = {};
    if (!::GetClassInfoA(hInst, name, &wc))
    {
        wc.style = nClassStyle;
        wc.lpfnWndProc = ::DefWindowProcA;
        wc.hInstance = hInst;
        wc.hCursor = hCursor;
        wc.hbrBackground = hbrBackground;
        wc.hIcon = hIcon;
        wc.lpszClassName = name;
        if (!::RegisterClassA(&wc))
            return nullptr;
    }
    return names.insert(name).first->c_str();
}

BOOL AfxRegisterClass(WNDCLASSA* lpWndClass)
{
    WNDCLASSA existing = {};
    if (::GetClassInfoA(lpWndClass->hInstance, lpWndClass->lpszClassName, &existing))
        return TRUE;
    return ::RegisterClassA(lpWndClass) != 0;
}

void AfxInitCommonControls()
{
    static std::once_flag once;
    std::call_once(once,
                   []
                   {
                       INITCOMMONCONTROLSEX icc = {};
                       icc.dwSize = sizeof(icc);
                       icc.dwICC = ICC_WIN95_CLASSES | ICC_BAR_CLASSES | ICC_COOL_CLASSES | ICC_STANDARD_CLASSES |
                                   ICC_USEREX_CLASSES | ICC_TAB_CLASSES | ICC_UPDOWN_CLASS | ICC_PROGRESS_CLASS;
                       ::InitCommonControlsEx(&icc);
                   });
}

// ---- CWnd --------------------------------------------------------------------------------------------

IMPLEMENT_DYNCREATE(CWnd, CCmdTarget)

BEGIN_MESSAGE_MAP(CWnd, CCmdTarget)
    ON_WM_CTLCOLOR()
    ON_WM_DRAWITEM()
    ON_WM_MEASUREITEM()
    ON_WM_COMPAREITEM()
    ON_WM_DELETEITEM()
    ON_WM_HSCROLL()
    ON_WM_VSCROLL()
END_MESSAGE_MAP()

const CBorrowedWnd CWnd::wndTop(HWND_TOP);
const CBorrowedWnd CWnd::wndBottom(HWND_BOTTOM);
const CBorrowedWnd CWnd::wndTopMost(HWND_TOPMOST);
const CBorrowedWnd CWnd::wndNoTopMost(HWND_NOTOPMOST);

CWnd::CWnd() = default;

CWnd::~CWnd()
{
    if (m_hWnd != nullptr && FromHandlePermanent(m_hWnd) == this)
    {
        // The object goes first: give the window its own procedure back, then destroy it.
        HWND hWnd = m_hWnd;
        ReleaseWindowProc(hWnd, m_pfnSuper);
        MapRemove(hWnd, this);
        m_hWnd = nullptr;
        ::DestroyWindow(hWnd);
    }
    ForgetMainWnd(this);
}

CWnd* CWnd::FromHandlePermanent(HWND hWnd)
{
    if (hWnd == nullptr)
        return nullptr;
    std::lock_guard<std::mutex> lock(MapMutex());
    auto it = PermanentMap().find(hWnd);
    return it == PermanentMap().end() ? nullptr : it->second;
}

CWnd* CWnd::FromHandle(HWND hWnd)
{
    if (hWnd == nullptr)
        return nullptr;
    if (CWnd* p = FromHandlePermanent(hWnd))
        return p;
    auto& temps = ThreadState().tempWnds;
    auto it = temps.find(hWnd);
    if (it != temps.end())
    {
        if (it->second->m_hWnd == nullptr)
            it->second->m_hWnd = hWnd;   // a caller detached the wrapper: it still stands for hWnd
        return it->second;
    }
    CWnd* p = new CBorrowedWnd(hWnd);
    temps[hWnd] = p;
    return p;
}

void CWnd::DeleteTempMap()
{
    auto& temps = ThreadState().tempWnds;
    for (auto& entry : temps)
        delete entry.second;
    temps.clear();
}

BOOL CWnd::Attach(HWND hWndNew)
{
    if (hWndNew == nullptr || m_hWnd != nullptr || FromHandlePermanent(hWndNew) != nullptr)
        return FALSE;
    // A temporary wrapper of the same window may still be held by a caller: it stays until idle time,
    // while lookups find this object first.
    MapAdd(hWndNew, this);
    {
        // Our procedure is still in the chain of a window whose earlier object left under another
        // subclass: this object takes over the procedure that one replaced.
        std::lock_guard<std::mutex> lock(MapMutex());
        auto it = OrphanMap().find(hWndNew);
        if (it != OrphanMap().end())
        {
            m_pfnSuper = it->second;
            OrphanMap().erase(it);
        }
    }
    m_hWnd = hWndNew;
    return TRUE;
}

HWND CWnd::Detach()
{
    HWND hWnd = m_hWnd;
    if (hWnd == nullptr)
        return nullptr;
    // A window that still runs through our procedure gets its own back: no window is left with a
    // procedure that finds no object.
    ReleaseWindowProc(hWnd, m_pfnSuper);
    m_pfnSuper = nullptr;
    MapRemove(hWnd, this);
    m_hWnd = nullptr;
    return hWnd;
}

void CWnd::AttachForCreate(HWND hWnd)
{
    Attach(hWnd);
    WNDPROC old = reinterpret_cast<WNDPROC>(::GetWindowLongPtrA(hWnd, GWLP_WNDPROC));
    if (old != AfxWndProc)
    {
        ::SetWindowLongPtrA(hWnd, GWLP_WNDPROC, reinterpret_cast<LONG_PTR>(AfxWndProc));
        m_pfnSuper = old;
    }
    PreSubclassWindow();
}

void CWnd::DetachAfterNcDestroy()
{
    // The window is at its very end: its procedure need not be given back.
    HWND hWnd = m_hWnd;
    MapRemove(hWnd, this);
    m_hWnd = nullptr;
    m_pfnSuper = nullptr;
    ForgetMainWnd(this);
}

BOOL CWnd::SubclassWindow(HWND hWnd)
{
    if (!::IsWindow(hWnd) || !Attach(hWnd))
        return FALSE;
    PreSubclassWindow();
    if (m_pfnSuper != nullptr)
        return TRUE;   // already in the chain (see Attach): hooking again would make the chain a loop
    WNDPROC old =
        reinterpret_cast<WNDPROC>(::SetWindowLongPtrA(hWnd, GWLP_WNDPROC, reinterpret_cast<LONG_PTR>(AfxWndProc)));
    if (old != AfxWndProc)
        m_pfnSuper = old;
    return TRUE;
}

BOOL CWnd::SubclassDlgItem(UINT nID, CWnd* pParent)
{
    if (pParent == nullptr || pParent->m_hWnd == nullptr)
        return FALSE;
    HWND hWndControl = ::GetDlgItem(pParent->m_hWnd, static_cast<int>(nID));
    return hWndControl != nullptr && SubclassWindow(hWndControl);
}

HWND CWnd::UnsubclassWindow()
{
    return Detach();
}

BOOL CWnd::Create(LPCSTR lpszClassName, LPCSTR lpszWindowName, DWORD dwStyle, const RECT& rect, CWnd* pParentWnd,
                  UINT nID, CCreateContext* pContext)
{
    return CreateEx(0, lpszClassName, lpszWindowName, dwStyle | WS_CHILD, rect, pParentWnd, nID, pContext);
}

BOOL CWnd::CreateEx(DWORD dwExStyle, LPCSTR lpszClassName, LPCSTR lpszWindowName, DWORD dwStyle, const RECT& rect,
                    CWnd* pParentWnd, UINT nID, LPVOID lpParam)
{
    return CreateEx(dwExStyle, lpszClassName, lpszWindowName, dwStyle, rect.left, rect.top, rect.right - rect.left,
                    rect.bottom - rect.top, AfxGetSafeHwnd(pParentWnd),
                    reinterpret_cast<HMENU>(static_cast<UINT_PTR>(nID)), lpParam);
}

BOOL CWnd::CreateEx(DWORD dwExStyle, LPCSTR lpszClassName, LPCSTR lpszWindowName, DWORD dwStyle, int x, int y,
                    int nWidth, int nHeight, HWND hWndParent, HMENU nIDorHMenu, LPVOID lpParam)
{
    if (m_hWnd != nullptr)
        return FALSE;
    AfxInitCommonControls();
    CREATESTRUCTA cs = {};
    cs.dwExStyle = dwExStyle;
    cs.lpszClass = lpszClassName;
    cs.lpszName = lpszWindowName;
    cs.style = static_cast<LONG>(dwStyle);
    cs.x = x;
    cs.y = y;
    cs.cx = nWidth;
    cs.cy = nHeight;
    cs.hwndParent = hWndParent;
    cs.hMenu = nIDorHMenu;
    cs.hInstance = AfxGetInstanceHandle();
    cs.lpCreateParams = lpParam;
    if (!PreCreateWindow(cs))
    {
        PostNcDestroy();
        return FALSE;
    }
    AfxHookWindowCreate(this);
    HWND hWnd = ::CreateWindowExA(cs.dwExStyle, cs.lpszClass, cs.lpszName, static_cast<DWORD>(cs.style), cs.x,
                                  cs.y, cs.cx, cs.cy, cs.hwndParent, cs.hMenu, cs.hInstance, cs.lpCreateParams);
    return EndHookedCreate(hWnd);
}

BOOL CWnd::EndHookedCreate(HWND hWnd)
{
    BOOL bEnded = FALSE;
    if (!AfxUnhookWindowCreate(&bEnded))
    {
        PostNcDestroy();   // the window never came to exist: end the object as its destruction would
    }
    else if (bEnded)
    {
        // Its window was destroyed during creation (WM_CREATE said no): the object had its last message and
        // may be gone already.
    }
    else if (hWnd == nullptr && m_hWnd != nullptr && !::IsWindow(m_hWnd))
    {
        // Refused after the hook attached it (another hook said no): it never gets its last message.
        DetachAfterNcDestroy();
        PostNcDestroy();
    }
    return hWnd != nullptr;
}

BOOL CWnd::PreCreateWindow(CREATESTRUCTA& cs)
{
    if (cs.lpszClass == nullptr)
        cs.lpszClass = AfxRegisterWndClass(CS_DBLCLKS, ::LoadCursorA(nullptr, IDC_ARROW),
                                           reinterpret_cast<HBRUSH>(COLOR_WINDOW + 1));
    return cs.lpszClass != nullptr;
}

void CWnd::PreSubclassWindow()
{
}
void CWnd::PostNcDestroy()
{
}

void CWnd::CalcWindowRect(LPRECT lpClientRect, UINT)
{
    ::AdjustWindowRectEx(lpClientRect, GetStyle(), FALSE, GetExStyle());
}

BOOL CWnd::DestroyWindow()
{
    HWND hWnd = m_hWnd;
    if (hWnd == nullptr)
        return FALSE;
    bool permanent = FromHandlePermanent(hWnd) == this;
    BOOL result = ::DestroyWindow(hWnd);
    // An attached window that does not run through our procedure never told us it went away.
    if (permanent && FromHandlePermanent(hWnd) == this)
        Detach();
    return result;
}
