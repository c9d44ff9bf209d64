// CWnd: handle map, creation hook, the one window procedure, dispatch through message maps, reflection,
// modal loops and the usual members.
#include "framework/win/Framework.h"
#include "framework/win/ThreadLocal.h"

#include <mutex>
#include <set>
#include <string>
#include <unordered_map>
#include <utility>
#include <vector>

namespace
{
// What a thread needs while it handles messages.
struct VxThreadState
{
    MSG msgCur = {};
    CWnd* pWndInit = nullptr;   // the object the next created window attaches to
    // The objects whose windows are being created (creations nest), and whether each got its last message
    // already (an object that deletes itself then is gone when the creation call returns).
    std::vector<std::pair<CWnd*, bool>> creating;
    HHOOK hHookCbt = nullptr;
    std::unordered_map<HWND, CWnd*> tempWnds;
    int loopDepth = 0;           // message loops running on this thread (Run and modal loops)
    HMENU hMenuInit = nullptr;   // the pop-up menu last announced by WM_INITMENUPOPUP (its items come next)

    // A thread that ends takes its temporary wrappers with it.
    ~VxThreadState()
    {
        for (auto& entry : tempWnds)
            delete entry.second;
    }
};

VxThreadState& ThreadState()
{
    static CThreadLocal<VxThreadState> state;
    return state.Get();
}

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

bool IsChildStyle(HWND hWnd)
{
    return (::GetWindowLongA(hWnd, GWL_STYLE) & WS_CHILD) != 0;
}

// Clears the application's main-window pointer when its object or window goes away.
void ForgetMainWnd(CWnd* pWnd)
{
    CWinApp* app = AfxGetApp();
    if (app != nullptr && app->m_pMainWnd == pWnd)
        app->m_pMainWnd = nullptr;
}

// The command-UI state used to ask whether a menu or accelerator command is enabled before it runs.
class CTestCmdUI : public CCmdUI
{
public:
    BOOL m_bEnabled = TRUE;
    void Enable(BOOL bOn) override
    {
        m_bEnabled = bOn;
        m_bEnableChanged = TRUE;
    }
    void SetCheck(int) override {}
    void SetRadio(BOOL) override {}
    void SetText(LPCSTR) override {}
};

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

// ---- dispatch ----------------------------------------------------------------------------------------

LRESULT CWnd::WindowProc(UINT message, WPARAM wParam, LPARAM lParam)
{
    LRESULT result = 0;
    if (!OnWndMsg(message, wParam, lParam, &result))
        result = DefWindowProc(message, wParam, lParam);
    return result;
}

BOOL CWnd::OnWndMsg(UINT message, WPARAM wParam, LPARAM lParam, LRESULT* pResult)
{
    LRESULT result = 0;
    if (message == WM_COMMAND)
    {
        if (!OnCommand(wParam, lParam))
            return FALSE;
        if (pResult != nullptr)
            *pResult = 0;
        return TRUE;
    }
    if (message == WM_NOTIFY)
    {
        NMHDR* pNMHDR = reinterpret_cast<NMHDR*>(lParam);
        if (pNMHDR == nullptr || pNMHDR->hwndFrom == nullptr || !OnNotify(wParam, lParam, &result))
            return FALSE;
        if (pResult != nullptr)
            *pResult = result;
        return TRUE;
    }

    UINT key = (message >= WM_CTLCOLORMSGBOX && message <= WM_CTLCOLORSTATIC) ? WM_CTLCOLOR : message;
    const AFX_MSGMAP_ENTRY* entry = FindWindowMessageEntry(key);
    if (entry == nullptr)
        return FALSE;
    AFX_MSGARGS args = {message, wParam, lParam, 0, nullptr};
    result = entry->pfn(this, args);
    if (pResult != nullptr)
        *pResult = result;
    return TRUE;
}

LRESULT CWnd::DefWindowProc(UINT message, WPARAM wParam, LPARAM lParam)
{
    if (m_pfnSuper != nullptr)
        return ::CallWindowProcA(m_pfnSuper, m_hWnd, message, wParam, lParam);
    return ::DefWindowProcA(m_hWnd, message, wParam, lParam);
}

LRESULT CWnd::Default()
{
    const MSG& msg = ThreadState().msgCur;
    return DefWindowProc(msg.message, msg.wParam, msg.lParam);
}

const MSG* CWnd::GetCurrentMessage()
{
    return &ThreadState().msgCur;
}

BOOL CWnd::PreTranslateMessage(MSG*)
{
    return FALSE;
}

BOOL CWnd::WalkPreTranslateTree(HWND hWndStop, MSG* pMsg)
{
    for (HWND hWnd = pMsg->hwnd; hWnd != nullptr;)
    {
        CWnd* pWnd = FromHandlePermanent(hWnd);
        if (pWnd != nullptr && pWnd->PreTranslateMessage(pMsg))
            return TRUE;
        if (hWnd == hWndStop || !IsChildStyle(hWnd))
            break;
        hWnd = ::GetParent(hWnd);
    }
    return FALSE;
}

BOOL CWnd::OnCommand(WPARAM wParam, LPARAM lParam)
{
    UINT nID = LOWORD(wParam);
    HWND hWndCtrl = reinterpret_cast<HWND>(lParam);
    int nCode = HIWORD(wParam);
    if (hWndCtrl == nullptr)
    {
        // Menu (code 0) or accelerator (code 1): both are plain commands, and a disabled one does not run.
        nCode = CN_COMMAND;
        CTestCmdUI state;
        state.m_nID = nID;
        OnCmdMsg(nID, static_cast<int>(CN_UPDATE_COMMAND_UI), &state, nullptr);
        if (!state.m_bEnabled)
            return TRUE;
    }
    else
    {
        CWnd* pChild = FromHandlePermanent(hWndCtrl);
        if (pChild != nullptr && pChild != this && pChild->OnChildNotify(WM_COMMAND, wParam, lParam, nullptr))
            return TRUE;
        if (nID == 0)
            return FALSE;
    }
    return OnCmdMsg(nID, nCode, nullptr, nullptr);
}

BOOL CWnd::OnNotify(WPARAM, LPARAM lParam, LRESULT* pResult)
{
    NMHDR* pNMHDR = reinterpret_cast<NMHDR*>(lParam);
    HWND hWndCtrl = pNMHDR->hwndFrom;
    CWnd* pChild = FromHandlePermanent(hWndCtrl);
    if (pChild != nullptr && pChild != this && pChild->OnChildNotify(WM_NOTIFY, 0, lParam, pResult))
        return TRUE;
    // The sender names the item: a tool tip sends the tool's id, not its own window's.
    UINT nID = static_cast<UINT>(pNMHDR->idFrom);
    AFX_NOTIFY notify = {pResult, pNMHDR};
    return OnCmdMsg(nID, static_cast<int>(MAKELONG(pNMHDR->code, WM_NOTIFY)), &notify, nullptr);
}

BOOL CWnd::OnChildNotify(UINT message, WPARAM wParam, LPARAM lParam, LRESULT* pResult)
{
    return ReflectChildNotify(message, wParam, lParam, pResult);
}

BOOL CWnd::ReflectChildNotify(UINT message, WPARAM wParam, LPARAM lParam, LRESULT* pResult)
{
    LRESULT localResult = 0;
    if (pResult == nullptr)
        pResult = &localResult;
    AFX_MSGARGS args = {message, wParam, lParam, 0, nullptr};
    switch (message)
    {
    case WM_COMMAND:
    {
        UINT code = HIWORD(wParam);
        for (const AFX_MSGMAP_ENTRY* e = FindMessageEntry(AfxKindReflectCommand, 0, code, 0); e != nullptr;
             e = FindMessageEntry(AfxKindReflectCommand, 0, code, 0, e))
        {
            LRESULT r = e->pfn(this, args);
            if (!e->bEx || r != 0)
                return TRUE;
        }
        return FALSE;
    }
    case WM_NOTIFY:
    {
        NMHDR* pNMHDR = reinterpret_cast<NMHDR*>(lParam);
        if (pNMHDR == nullptr)
            return FALSE;
        args.pExtra = pResult;
        for (const AFX_MSGMAP_ENTRY* e = FindMessageEntry(AfxKindReflectNotify, 0, pNMHDR->code, 0); e != nullptr;
             e = FindMessageEntry(AfxKindReflectNotify, 0, pNMHDR->code, 0, e))
        {
            LRESULT r = e->pfn(this, args);
            if (!e->bEx || r != 0)
                return TRUE;
        }
        return FALSE;
    }
    default: break;
    }
    bool ctlColor = message >= WM_CTLCOLORMSGBOX && message <= WM_CTLCOLORSTATIC;
    UINT key = WM_REFLECT_BASE + (ctlColor ? WM_CTLCOLOR : message);
    const AFX_MSGMAP_ENTRY* e = FindMessageEntry(AfxKindReflectMsg, key, 0, 0);
    if (e == nullptr)
        return FALSE;
    LRESULT r = e->pfn(this, args);
    if (ctlColor && r == 0)
        return FALSE;   // no brush: the parent colours it
    *pResult = r;
    return TRUE;
}

BOOL CWnd::ReflectLastMsg(HWND hWndChild, LRESULT* pResult)
{
    CWnd* pChild = FromHandlePermanent(hWndChild);
    if (pChild == nullptr)
        return FALSE;
    return pChild->SendChildNotifyLastMsg(pResult);
}

BOOL CWnd::SendChildNotifyLastMsg(LRESULT* pResult)
{
    const MSG& msg = ThreadState().msgCur;
    return OnChildNotify(msg.message, msg.wParam, msg.lParam, pResult);
}

LRESULT CWnd::SendMessage(UINT message, WPARAM wParam, LPARAM lParam) const
{
    return ::SendMessageA(m_hWnd, message, wParam, lParam);
}

BOOL CWnd::PostMessage(UINT message, WPARAM wParam, LPARAM lParam) const
{
    return ::PostMessageA(m_hWnd, message, wParam, lParam);
}

void CWnd::SendMessageToDescendants(UINT message, WPARAM wParam, LPARAM lParam, BOOL bDeep, BOOL bOnlyPerm)
{
    SendMessageToDescendants(m_hWnd, message, wParam, lParam, bDeep, bOnlyPerm);
}

void CWnd::SendMessageToDescendants(HWND hWnd, UINT message, WPARAM wParam, LPARAM lParam, BOOL bDeep,
                                    BOOL bOnlyPerm)
{
    for (HWND hChild = ::GetTopWindow(hWnd); hChild != nullptr; hChild = ::GetWindow(hChild, GW_HWNDNEXT))
    {
        if (bOnlyPerm)
        {
            if (CWnd* p = FromHandlePermanent(hChild))
                p->SendMessage(message, wParam, lParam);
        }
        else
        {
            ::SendMessageA(hChild, message, wParam, lParam);
        }
        if (bDeep && ::GetTopWindow(hChild) != nullptr)
            SendMessageToDescendants(hChild, message, wParam, lParam, bDeep, bOnlyPerm);
    }
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

// ---- styles and state --------------------------------------------------------------------------------

DWORD CWnd::GetStyle() const
{
    return static_cast<DWORD>(::GetWindowLongA(m_hWnd, GWL_STYLE));
}
DWORD CWnd::GetExStyle() const
{
    return static_cast<DWORD>(::GetWindowLongA(m_hWnd, GWL_EXSTYLE));
}

static BOOL ModifyStyleImpl(HWND hWnd, int index, DWORD dwRemove, DWORD dwAdd, UINT nFlags)
{
    DWORD style = static_cast<DWORD>(::GetWindowLongA(hWnd, index));
    DWORD newStyle = (style & ~dwRemove) | dwAdd;
    if (style == newStyle)
        return FALSE;
    ::SetWindowLongA(hWnd, index, static_cast<LONG>(newStyle));
    if (nFlags != 0)
        ::SetWindowPos(hWnd, nullptr, 0, 0, 0, 0,
                       SWP_NOSIZE | SWP_NOMOVE | SWP_NOZORDER | SWP_NOACTIVATE | nFlags);
    return TRUE;
}

BOOL CWnd::ModifyStyle(HWND hWnd, DWORD dwRemove, DWORD dwAdd, UINT nFlags)
{
    return ModifyStyleImpl(hWnd, GWL_STYLE, dwRemove, dwAdd, nFlags);
}
BOOL CWnd::ModifyStyleEx(HWND hWnd, DWORD dwRemove, DWORD dwAdd, UINT nFlags)
{
    return ModifyStyleImpl(hWnd, GWL_EXSTYLE, dwRemove, dwAdd, nFlags);
}
BOOL CWnd::ModifyStyle(DWORD dwRemove, DWORD dwAdd, UINT nFlags)
{
    return ModifyStyle(m_hWnd, dwRemove, dwAdd, nFlags);
}
BOOL CWnd::ModifyStyleEx(DWORD dwRemove, DWORD dwAdd, UINT nFlags)
{
    return ModifyStyleEx(m_hWnd, dwRemove, dwAdd, nFlags);
}

BOOL CWnd::ShowWindow(int nCmdShow)
{
    return ::ShowWindow(m_hWnd, nCmdShow);
}
BOOL CWnd::IsWindowVisible() const
{
    return ::IsWindowVisible(m_hWnd);
}
BOOL CWnd::EnableWindow(BOOL bEnable)
{
    return ::EnableWindow(m_hWnd, bEnable);
}
BOOL CWnd::IsWindowEnabled() const
{
    return ::IsWindowEnabled(m_hWnd);
}
BOOL CWnd::IsIconic() const
{
    return ::IsIconic(m_hWnd);
}
BOOL CWnd::IsZoomed() const
{
    return ::IsZoomed(m_hWnd);
}
BOOL CWnd::IsChild(const CWnd* pWnd) const
{
    return ::IsChild(m_hWnd, AfxGetSafeHwnd(pWnd));
}
void CWnd::SetRedraw(BOOL bRedraw)
{
    ::SendMessageA(m_hWnd, WM_SETREDRAW, bRedraw, 0);
}
BOOL CWnd::LockWindowUpdate()
{
    return ::LockWindowUpdate(m_hWnd);
}
void CWnd::UnlockWindowUpdate()
{
    ::LockWindowUpdate(nullptr);
}
BOOL CWnd::FlashWindow(BOOL bInvert)
{
    return ::FlashWindow(m_hWnd, bInvert);
}

// ---- geometry ----------------------------------------------------------------------------------------

void CWnd::GetWindowRect(LPRECT lpRect) const
{
    ::GetWindowRect(m_hWnd, lpRect);
}
void CWnd::GetClientRect(LPRECT lpRect) const
{
    ::GetClientRect(m_hWnd, lpRect);
}
void CWnd::ClientToScreen(LPPOINT lpPoint) const
{
    ::ClientToScreen(m_hWnd, lpPoint);
}
void CWnd::ClientToScreen(LPRECT lpRect) const
{
    ::ClientToScreen(m_hWnd, reinterpret_cast<LPPOINT>(lpRect));
    ::ClientToScreen(m_hWnd, reinterpret_cast<LPPOINT>(lpRect) + 1);
}
void CWnd::ScreenToClient(LPPOINT lpPoint) const
{
    ::ScreenToClient(m_hWnd, lpPoint);
}
void CWnd::ScreenToClient(LPRECT lpRect) const
{
    ::ScreenToClient(m_hWnd, reinterpret_cast<LPPOINT>(lpRect));
    ::ScreenToClient(m_hWnd, reinterpret_cast<LPPOINT>(lpRect) + 1);
}
void CWnd::MapWindowPoints(CWnd* pwndTo, LPPOINT lpPoint, UINT nCount) const
{
    ::MapWindowPoints(m_hWnd, AfxGetSafeHwnd(pwndTo), lpPoint, nCount);
}
void CWnd::MapWindowPoints(CWnd* pwndTo, LPRECT lpRect) const
{
    ::MapWindowPoints(m_hWnd, AfxGetSafeHwnd(pwndTo), reinterpret_cast<LPPOINT>(lpRect), 2);
}
void CWnd::MoveWindow(int x, int y, int nWidth, int nHeight, BOOL bRepaint)
{
    ::MoveWindow(m_hWnd, x, y, nWidth, nHeight, bRepaint);
}
void CWnd::MoveWindow(LPCRECT lpRect, BOOL bRepaint)
{
    ::MoveWindow(m_hWnd, lpRect->left, lpRect->top, lpRect->right - lpRect->left, lpRect->bottom - lpRect->top,
                 bRepaint);
}
BOOL CWnd::SetWindowPos(const CWnd* pWndInsertAfter, int x, int y, int cx, int cy, UINT nFlags)
{
    return ::SetWindowPos(m_hWnd, pWndInsertAfter == nullptr ? nullptr : pWndInsertAfter->m_hWnd, x, y, cx, cy,
                          nFlags);
}

void CWnd::CenterWindow(CWnd* pAlternateOwner)
{
    RECT area;
    HWND hWndCenter = pAlternateOwner != nullptr ? pAlternateOwner->m_hWnd : nullptr;
    bool child = (GetStyle() & WS_CHILD) != 0;
    if (hWndCenter == nullptr)
        hWndCenter = child ? ::GetParent(m_hWnd) : ::GetWindow(m_hWnd, GW_OWNER);
    if (child)
    {
        ::GetClientRect(::GetParent(m_hWnd), &area);
        if (hWndCenter != nullptr && hWndCenter != ::GetParent(m_hWnd))
        {
            ::GetWindowRect(hWndCenter, &area);
            ::MapWindowPoints(nullptr, ::GetParent(m_hWnd), reinterpret_cast<LPPOINT>(&area), 2);
        }
    }
    else
    {
        ::SystemParametersInfoA(SPI_GETWORKAREA, 0, &area, 0);
        if (hWndCenter != nullptr && ::IsWindowVisible(hWndCenter) && !::IsIconic(hWndCenter))
            ::GetWindowRect(hWndCenter, &area);
    }
    RECT rc;
    GetWindowRect(&rc);
    int w = rc.right - rc.left, h = rc.bottom - rc.top;
    int x = (area.left + area.right) / 2 - w / 2;
    int y = (area.top + area.bottom) / 2 - h / 2;
    if (!child)
    {
        RECT work;
        ::SystemParametersInfoA(SPI_GETWORKAREA, 0, &work, 0);
        if (x + w > work.right)
            x = work.right - w;
        if (x < work.left)
            x = work.left;
        if (y + h > work.bottom)
            y = work.bottom - h;
        if (y < work.top)
            y = work.top;
    }
    ::SetWindowPos(m_hWnd, nullptr, x, y, 0, 0, SWP_NOSIZE | SWP_NOZORDER | SWP_NOACTIVATE);
}

BOOL CWnd::GetWindowPlacement(WINDOWPLACEMENT* lpwndpl) const
{
    lpwndpl->length = sizeof(WINDOWPLACEMENT);
    return ::GetWindowPlacement(m_hWnd, lpwndpl);
}
BOOL CWnd::SetWindowPlacement(const WINDOWPLACEMENT* lpwndpl)
{
    WINDOWPLACEMENT wp = *lpwndpl;
    wp.length = sizeof(WINDOWPLACEMENT);
    return ::SetWindowPlacement(m_hWnd, &wp);
}
CWnd* CWnd::ChildWindowFromPoint(POINT point) const
{
    return FromHandle(::ChildWindowFromPoint(m_hWnd, point));
}
CWnd* CWnd::ChildWindowFromPoint(POINT point, UINT nFlags) const
{
    return FromHandle(::ChildWindowFromPointEx(m_hWnd, point, nFlags));
}
CWnd* CWnd::WindowFromPoint(POINT point)
{
    return FromHandle(::WindowFromPoint(point));
}
BOOL CWnd::BringWindowToTop()
{
    return ::BringWindowToTop(m_hWnd);
}

// ---- family ------------------------------------------------------------------------------------------

CWnd* CWnd::GetParent() const
{
    return FromHandle(::GetParent(m_hWnd));
}
CWnd* CWnd::SetParent(CWnd* pWndNewParent)
{
    return FromHandle(::SetParent(m_hWnd, AfxGetSafeHwnd(pWndNewParent)));
}
CWnd* CWnd::GetOwner() const
{
    return m_hWndOwner != nullptr ? FromHandle(m_hWndOwner) : GetParent();
}
void CWnd::SetOwner(CWnd* pOwnerWnd)
{
    m_hWndOwner = AfxGetSafeHwnd(pOwnerWnd);
}

CWnd* CWnd::GetTopLevelParent() const
{
    HWND hWnd = m_hWnd;
    if (hWnd == nullptr)
        return nullptr;
    while (IsChildStyle(hWnd) && ::GetParent(hWnd) != nullptr)
        hWnd = ::GetParent(hWnd);
    return FromHandle(hWnd);
}

CWnd* CWnd::GetTopLevelOwner() const
{
    HWND hWnd = m_hWnd;
    if (hWnd == nullptr)
        return nullptr;
    HWND hOwner;
    while ((hOwner = IsChildStyle(hWnd) ? ::GetParent(hWnd) : ::GetWindow(hWnd, GW_OWNER)) != nullptr)
        hWnd = hOwner;
    return FromHandle(hWnd);
}

CWnd* CWnd::GetWindow(UINT nCmd) const
{
    return FromHandle(::GetWindow(m_hWnd, nCmd));
}
CWnd* CWnd::GetNextWindow(UINT nFlag) const
{
    return FromHandle(::GetWindow(m_hWnd, nFlag));
}
CWnd* CWnd::GetTopWindow() const
{
    return FromHandle(::GetTopWindow(m_hWnd));
}
CWnd* CWnd::GetLastActivePopup() const
{
    return FromHandle(::GetLastActivePopup(m_hWnd));
}
CWnd* CWnd::GetDesktopWindow()
{
    return FromHandle(::GetDesktopWindow());
}

CWnd* CWnd::GetSafeOwner(CWnd* pParent, HWND* pWndTop)
{
    HWND hWnd = AfxGetSafeHwnd(pParent);
    if (hWnd == nullptr)
        hWnd = AfxGetSafeHwnd(AfxGetMainWnd());
    while (hWnd != nullptr && IsChildStyle(hWnd))
        hWnd = ::GetParent(hWnd);
    HWND hWndTop = hWnd;
    if (pWndTop != nullptr)
        *pWndTop = hWndTop;
    // Without an explicit parent the owner is the top window's last active pop-up (a dialog open over it).
    if (pParent == nullptr && hWnd != nullptr)
        hWnd = ::GetLastActivePopup(hWnd);
    return FromHandle(hWnd);
}

// ---- dialog items ------------------------------------------------------------------------------------

CWnd* CWnd::GetDlgItem(int nID) const
{
    return FromHandle(::GetDlgItem(m_hWnd, nID));
}
void CWnd::GetDlgItem(int nID, HWND* phWnd) const
{
    *phWnd = ::GetDlgItem(m_hWnd, nID);
}
int CWnd::GetDlgCtrlID() const
{
    return ::GetDlgCtrlID(m_hWnd);
}
int CWnd::SetDlgCtrlID(int nID)
{
    return static_cast<int>(::SetWindowLongPtrA(m_hWnd, GWLP_ID, nID));
}
void CWnd::SetDlgItemText(int nID, LPCSTR lpszString)
{
    ::SetDlgItemTextA(m_hWnd, nID, lpszString);
}
int CWnd::GetDlgItemText(int nID, LPSTR lpStr, int nMaxCount) const
{
    return static_cast<int>(::GetDlgItemTextA(m_hWnd, nID, lpStr, nMaxCount));
}
int CWnd::GetDlgItemText(int nID, CString& rString) const
{
    HWND hItem = ::GetDlgItem(m_hWnd, nID);
    rString = hItem == nullptr ? CString() : AfxGetWindowText(hItem);
    return rString.GetLength();
}
void CWnd::SetDlgItemInt(int nID, UINT nValue, BOOL bSigned)
{
    ::SetDlgItemInt(m_hWnd, nID, nValue, bSigned);
}
UINT CWnd::GetDlgItemInt(int nID, BOOL* lpTrans, BOOL bSigned) const
{
    return ::GetDlgItemInt(m_hWnd, nID, lpTrans, bSigned);
}
void CWnd::CheckDlgButton(int nIDButton, UINT nCheck)
{
    ::CheckDlgButton(m_hWnd, nIDButton, nCheck);
}
UINT CWnd::IsDlgButtonChecked(int nIDButton) const
{
    return ::IsDlgButtonChecked(m_hWnd, nIDButton);
}
void CWnd::CheckRadioButton(int nIDFirstButton, int nIDLastButton, int nIDCheckButton)
{
    ::CheckRadioButton(m_hWnd, nIDFirstButton, nIDLastButton, nIDCheckButton);
}
int CWnd::GetCheckedRadioButton(int nIDFirstButton, int nIDLastButton)
{
    for (int id = nIDFirstButton; id <= nIDLastButton; ++id)
        if (::IsDlgButtonChecked(m_hWnd, id))
            return id;
    return 0;
}
LRESULT CWnd::SendDlgItemMessage(int nID, UINT message, WPARAM wParam, LPARAM lParam) const
{
    return ::SendDlgItemMessageA(m_hWnd, nID, message, wParam, lParam);
}
CWnd* CWnd::GetNextDlgTabItem(CWnd* pWndCtl, BOOL bPrevious) const
{
    return FromHandle(::GetNextDlgTabItem(m_hWnd, AfxGetSafeHwnd(pWndCtl), bPrevious));
}
CWnd* CWnd::GetNextDlgGroupItem(CWnd* pWndCtl, BOOL bPrevious) const
{
    return FromHandle(::GetNextDlgGroupItem(m_hWnd, AfxGetSafeHwnd(pWndCtl), bPrevious));
}

// ---- focus, activation, capture ----------------------------------------------------------------------

CWnd* CWnd::SetFocus()
{
    return FromHandle(::SetFocus(m_hWnd));
}
CWnd* CWnd::GetFocus()
{
    return FromHandle(::GetFocus());
}
CWnd* CWnd::SetActiveWindow()
{
    return FromHandle(::SetActiveWindow(m_hWnd));
}
CWnd* CWnd::GetActiveWindow()
{
    return FromHandle(::GetActiveWindow());
}
BOOL CWnd::SetForegroundWindow()
{
    return ::SetForegroundWindow(m_hWnd);
}
CWnd* CWnd::GetForegroundWindow()
{
    return FromHandle(::GetForegroundWindow());
}
CWnd* CWnd::SetCapture()
{
    return FromHandle(::SetCapture(m_hWnd));
}
CWnd* CWnd::GetCapture()
{
    return FromHandle(::GetCapture());
}

// ---- timers, text, font ------------------------------------------------------------------------------

UINT_PTR CWnd::SetTimer(UINT_PTR nIDEvent, UINT nElapse, TIMERPROC lpfnTimer)
{
    return ::SetTimer(m_hWnd, nIDEvent, nElapse, lpfnTimer);
}
BOOL CWnd::KillTimer(UINT_PTR nIDEvent)
{
    return ::KillTimer(m_hWnd, nIDEvent);
}

void CWnd::SetWindowText(LPCSTR lpszString)
{
    ::SetWindowTextA(m_hWnd, lpszString == nullptr ? "" : lpszString);
}
int CWnd::GetWindowText(LPSTR lpszStringBuf, int nMaxCount) const
{
    return ::GetWindowTextA(m_hWnd, lpszStringBuf, nMaxCount);
}
void CWnd::GetWindowText(CString& rString) const
{
    rString = AfxGetWindowText(m_hWnd);
}

CString AfxGetWindowText(HWND hWnd)
{
    CString text;
    int length = ::GetWindowTextLengthA(hWnd);
    char* buffer = text.GetBuffer(length + 1);
    int got = ::GetWindowTextA(hWnd, buffer, length + 1);
    text.ReleaseBuffer(got < 0 ? 0 : got);
    return text;
}
int CWnd::GetWindowTextLength() const
{
    return ::GetWindowTextLengthA(m_hWnd);
}

void CWnd::SetFont(CFont* pFont, BOOL bRedraw)
{
    ::SendMessageA(m_hWnd, WM_SETFONT, reinterpret_cast<WPARAM>(pFont == nullptr ? nullptr : pFont->m_hObject),
                   bRedraw);
}
CFont* CWnd::GetFont() const
{
    HFONT hFont = reinterpret_cast<HFONT>(::SendMessageA(m_hWnd, WM_GETFONT, 0, 0));
    return hFont == nullptr ? nullptr : CFont::FromHandle(hFont);
}
HICON CWnd::SetIcon(HICON hIcon, BOOL bBigIcon)
{
    return reinterpret_cast<HICON>(
        ::SendMessageA(m_hWnd, WM_SETICON, bBigIcon ? ICON_BIG : ICON_SMALL, reinterpret_cast<LPARAM>(hIcon)));
}
HICON CWnd::GetIcon(BOOL bBigIcon) const
{
    return reinterpret_cast<HICON>(::SendMessageA(m_hWnd, WM_GETICON, bBigIcon ? ICON_BIG : ICON_SMALL, 0));
}

// ---- painting ----------------------------------------------------------------------------------------

void CWnd::Invalidate(BOOL bErase)
{
    ::InvalidateRect(m_hWnd, nullptr, bErase);
}
void CWnd::InvalidateRect(LPCRECT lpRect, BOOL bErase)
{
    ::InvalidateRect(m_hWnd, lpRect, bErase);
}
void CWnd::InvalidateRgn(CRgn* pRgn, BOOL bErase)
{
    ::InvalidateRgn(m_hWnd, pRgn == nullptr ? nullptr : static_cast<HRGN>(pRgn->m_hObject), bErase);
}
void CWnd::ValidateRect(LPCRECT lpRect)
{
    ::ValidateRect(m_hWnd, lpRect);
}
void CWnd::ValidateRgn(CRgn* pRgn)
{
    ::ValidateRgn(m_hWnd, pRgn == nullptr ? nullptr : static_cast<HRGN>(pRgn->m_hObject));
}
void CWnd::UpdateWindow()
{
    ::UpdateWindow(m_hWnd);
}
BOOL CWnd::RedrawWindow(LPCRECT lpRectUpdate, CRgn* prgnUpdate, UINT flags)
{
    return ::RedrawWindow(m_hWnd, lpRectUpdate,
                          prgnUpdate == nullptr ? nullptr : static_cast<HRGN>(prgnUpdate->m_hObject), flags);
}
BOOL CWnd::GetUpdateRect(LPRECT lpRect, BOOL bErase)
{
    return ::GetUpdateRect(m_hWnd, lpRect, bErase);
}
CDC* CWnd::BeginPaint(LPPAINTSTRUCT lpPaint)
{
    return CDC::FromHandle(::BeginPaint(m_hWnd, lpPaint));
}
void CWnd::EndPaint(LPPAINTSTRUCT lpPaint)
{
    ::EndPaint(m_hWnd, lpPaint);
}
CDC* CWnd::GetDC()
{
    HDC hDC = ::GetDC(m_hWnd);
    return hDC == nullptr ? nullptr : CDC::FromHandle(hDC);
}
CDC* CWnd::GetWindowDC()
{
    HDC hDC = ::GetWindowDC(m_hWnd);
    return hDC == nullptr ? nullptr : CDC::FromHandle(hDC);
}
CDC* CWnd::GetDCEx(CRgn* prgnClip, DWORD flags)
{
    HDC hDC = ::GetDCEx(m_hWnd, prgnClip == nullptr ? nullptr : static_cast<HRGN>(prgnClip->m_hObject), flags);
    return hDC == nullptr ? nullptr : CDC::FromHandle(hDC);
}
int CWnd::ReleaseDC(CDC* pDC)
{
    if (pDC == nullptr || pDC->m_hDC == nullptr)
        return 0;
    return ::ReleaseDC(m_hWnd, pDC->m_hDC);
}
void CWnd::ScrollWindow(int xAmount, int yAmount, LPCRECT lpRect, LPCRECT lpClipRect)
{
    ::ScrollWindow(m_hWnd, xAmount, yAmount, lpRect, lpClipRect);
}

// ---- menus, scroll bars, misc ------------------------------------------------------------------------

CMenu* CWnd::GetMenu() const
{
    return CMenu::FromHandle(::GetMenu(m_hWnd));
}
BOOL CWnd::SetMenu(CMenu* pMenu)
{
    return ::SetMenu(m_hWnd, pMenu == nullptr ? nullptr : pMenu->m_hMenu);
}
void CWnd::DrawMenuBar()
{
    ::DrawMenuBar(m_hWnd);
}
CMenu* CWnd::GetSystemMenu(BOOL bRevert) const
{
    return CMenu::FromHandle(::GetSystemMenu(m_hWnd, bRevert));
}

int CWnd::GetScrollPos(int nBar) const
{
    return ::GetScrollPos(m_hWnd, nBar);
}
int CWnd::SetScrollPos(int nBar, int nPos, BOOL bRedraw)
{
    return ::SetScrollPos(m_hWnd, nBar, nPos, bRedraw);
}
void CWnd::GetScrollRange(int nBar, LPINT lpMinPos, LPINT lpMaxPos) const
{
    ::GetScrollRange(m_hWnd, nBar, lpMinPos, lpMaxPos);
}
void CWnd::SetScrollRange(int nBar, int nMinPos, int nMaxPos, BOOL bRedraw)
{
    ::SetScrollRange(m_hWnd, nBar, nMinPos, nMaxPos, bRedraw);
}
BOOL CWnd::SetScrollInfo(int nBar, LPSCROLLINFO lpScrollInfo, BOOL bRedraw)
{
    lpScrollInfo->cbSize = sizeof(SCROLLINFO);
    ::SetScrollInfo(m_hWnd, nBar, lpScrollInfo, bRedraw);
    return TRUE;
}
BOOL CWnd::GetScrollInfo(int nBar, LPSCROLLINFO lpScrollInfo, UINT nMask)
{
    lpScrollInfo->cbSize = sizeof(SCROLLINFO);
    lpScrollInfo->fMask = nMask;
    return ::GetScrollInfo(m_hWnd, nBar, lpScrollInfo);
}
void CWnd::ShowScrollBar(UINT nBar, BOOL bShow)
{
    ::ShowScrollBar(m_hWnd, static_cast<int>(nBar), bShow);
}

int CWnd::MessageBox(LPCSTR lpszText, LPCSTR lpszCaption, UINT nType)
{
    return AfxCoreMessageBox(lpszText == nullptr ? "" : lpszText,
                             lpszCaption == nullptr ? AfxGetAppName() : lpszCaption, nType);
}

void CWnd::DragAcceptFiles(BOOL bAccept)
{
    ::DragAcceptFiles(m_hWnd, bAccept);
}

// ---- data exchange -----------------------------------------------------------------------------------

void CWnd::DoDataExchange(CDataExchange*)
{
}

BOOL CWnd::UpdateData(BOOL bSaveAndValidate)
{
    CDataExchange dx(this, bSaveAndValidate);
    try
    {
        DoDataExchange(&dx);
    }
    catch (const CDataExchangeFailure&)
    {
        return FALSE;
    }
    return TRUE;
}

// ---- default handlers --------------------------------------------------------------------------------

int CWnd::OnCreate(LPCREATESTRUCT)
{
    return static_cast<int>(Default());
}
BOOL CWnd::OnNcCreate(LPCREATESTRUCT)
{
    return static_cast<BOOL>(Default());
}
void CWnd::OnDestroy()
{
    Default();
}
void CWnd::OnNcDestroy()
{
    Default();
}
void CWnd::OnClose()
{
    Default();
}
void CWnd::OnPaint()
{
    Default();
}
void CWnd::OnNcPaint()
{
    Default();
}
BOOL CWnd::OnEraseBkgnd(CDC*)
{
    return static_cast<BOOL>(Default());
}
void CWnd::OnSize(UINT, int, int)
{
    Default();
}
void CWnd::OnSizing(UINT, LPRECT)
{
    Default();
}
void CWnd::OnMove(int, int)
{
    Default();
}
void CWnd::OnTimer(UINT_PTR)
{
    Default();
}
void CWnd::OnLButtonDown(UINT, CPoint)
{
    Default();
}
void CWnd::OnLButtonUp(UINT, CPoint)
{
    Default();
}
void CWnd::OnLButtonDblClk(UINT, CPoint)
{
    Default();
}
void CWnd::OnRButtonDown(UINT, CPoint)
{
    Default();
}
void CWnd::OnRButtonUp(UINT, CPoint)
{
    Default();
}
void CWnd::OnRButtonDblClk(UINT, CPoint)
{
    Default();
}
void CWnd::OnMButtonDown(UINT, CPoint)
{
    Default();
}
void CWnd::OnMButtonUp(UINT, CPoint)
{
    Default();
}
void CWnd::OnMouseMove(UINT, CPoint)
{
    Default();
}
BOOL CWnd::OnMouseWheel(UINT, short, CPoint)
{
    return static_cast<BOOL>(Default());
}
void CWnd::OnMouseLeave()
{
    Default();
}
int CWnd::OnMouseActivate(CWnd*, UINT, UINT)
{
    return static_cast<int>(Default());
}
BOOL CWnd::OnSetCursor(CWnd*, UINT, UINT)
{
    return static_cast<BOOL>(Default());
}
void CWnd::OnKeyDown(UINT, UINT, UINT)
{
    Default();
}
void CWnd::OnKeyUp(UINT, UINT, UINT)
{
    Default();
}
void CWnd::OnChar(UINT, UINT, UINT)
{
    Default();
}
void CWnd::OnSysKeyDown(UINT, UINT, UINT)
{
    Default();
}
void CWnd::OnSysKeyUp(UINT, UINT, UINT)
{
    Default();
}
void CWnd::OnSysChar(UINT, UINT, UINT)
{
    Default();
}
void CWnd::OnSysCommand(UINT, LPARAM)
{
    Default();
}
UINT CWnd::OnGetDlgCode()
{
    return static_cast<UINT>(Default());
}
void CWnd::OnSetFocus(CWnd*)
{
    Default();
}
void CWnd::OnKillFocus(CWnd*)
{
    Default();
}
void CWnd::OnActivate(UINT, CWnd*, BOOL)
{
    Default();
}
void CWnd::OnActivateApp(BOOL, DWORD)
{
    Default();
}
BOOL CWnd::OnNcActivate(BOOL)
{
    return static_cast<BOOL>(Default());
}
void CWnd::OnChildActivate()
{
    Default();
}
void CWnd::OnEnable(BOOL)
{
    Default();
}
void CWnd::OnShowWindow(BOOL, UINT)
{
    Default();
}
void CWnd::OnContextMenu(CWnd*, CPoint)
{
    Default();
}
HCURSOR CWnd::OnQueryDragIcon()
{
    return reinterpret_cast<HCURSOR>(Default());
}
void CWnd::OnGetMinMaxInfo(MINMAXINFO*)
{
    Default();
}
void CWnd::OnWindowPosChanging(WINDOWPOS*)
{
    Default();
}
void CWnd::OnWindowPosChanged(WINDOWPOS*)
{
    Default();
}
void CWnd::OnStyleChanged(int, LPSTYLESTRUCT)
{
    Default();
}
void CWnd::OnNcCalcSize(BOOL, NCCALCSIZE_PARAMS*)
{
    Default();
}
LRESULT CWnd::OnNcHitTest(CPoint)
{
    return Default();
}
void CWnd::OnNcLButtonDown(UINT, CPoint)
{
    Default();
}
void CWnd::OnNcLButtonUp(UINT, CPoint)
{
    Default();
}
void CWnd::OnNcLButtonDblClk(UINT, CPoint)
{
    Default();
}
void CWnd::OnNcRButtonDown(UINT, CPoint)
{
    Default();
}
void CWnd::OnNcRButtonUp(UINT, CPoint)
{
    Default();
}
void CWnd::OnNcMouseMove(UINT, CPoint)
{
    Default();
}

HBRUSH CWnd::OnCtlColor(CDC*, CWnd* pWnd, UINT)
{
    LRESULT result = 0;
    if (pWnd != nullptr && pWnd != this && ReflectLastMsg(pWnd->m_hWnd, &result))
        return reinterpret_cast<HBRUSH>(result);
    return reinterpret_cast<HBRUSH>(Default());
}

void CWnd::OnDrawItem(int, LPDRAWITEMSTRUCT lpDrawItemStruct)
{
    if (lpDrawItemStruct != nullptr && lpDrawItemStruct->CtlType == ODT_MENU)
    {
        // The item's menu comes with the message.
        if (CMenu* pMenu = CMenu::FromHandlePermanent(reinterpret_cast<HMENU>(lpDrawItemStruct->hwndItem)))
        {
            pMenu->DrawItem(lpDrawItemStruct);
            return;
        }
    }
    else if (lpDrawItemStruct != nullptr && ReflectLastMsg(lpDrawItemStruct->hwndItem))
        return;
    Default();
}

void CWnd::OnMeasureItem(int nIDCtl, LPMEASUREITEMSTRUCT lpMeasureItemStruct)
{
    if (lpMeasureItemStruct != nullptr && lpMeasureItemStruct->CtlType == ODT_MENU)
    {
        // The message names only the item: look for it in the pop-up being opened, then in the window's
        // own menu.
        HMENU roots[] = {ThreadState().hMenuInit, ::GetMenu(m_hWnd)};
        for (HMENU hRoot : roots)
        {
            HMENU hMenu =
                CMenu::FindOwnerDrawMenu(hRoot, lpMeasureItemStruct->itemID, lpMeasureItemStruct->itemData);
            if (CMenu* pMenu = CMenu::FromHandlePermanent(hMenu))
            {
                pMenu->MeasureItem(lpMeasureItemStruct);
                return;
            }
        }
    }
    else if (lpMeasureItemStruct != nullptr)
    {
        // The control may not be created yet when its first item is measured: then nothing to reflect to.
        HWND hWndChild = ::GetDlgItem(m_hWnd, nIDCtl);
        if (hWndChild != nullptr && ReflectLastMsg(hWndChild))
            return;
    }
    Default();
}

int CWnd::OnCompareItem(int, LPCOMPAREITEMSTRUCT lpCompareItemStruct)
{
    LRESULT result = 0;
    if (lpCompareItemStruct != nullptr && ReflectLastMsg(lpCompareItemStruct->hwndItem, &result))
        return static_cast<int>(result);
    return static_cast<int>(Default());
}

void CWnd::OnDeleteItem(int, LPDELETEITEMSTRUCT lpDeleteItemStruct)
{
    if (lpDeleteItemStruct != nullptr && ReflectLastMsg(lpDeleteItemStruct->hwndItem))
        return;
    Default();
}

void CWnd::OnHScroll(UINT, UINT, CScrollBar* pScrollBar)
{
    if (pScrollBar != nullptr && ReflectLastMsg(pScrollBar->m_hWnd))
        return;
    Default();
}

void CWnd::OnVScroll(UINT, UINT, CScrollBar* pScrollBar)
{
    if (pScrollBar != nullptr && ReflectLastMsg(pScrollBar->m_hWnd))
        return;
    Default();
}

void CWnd::OnParentNotify(UINT, LPARAM)
{
    Default();
}
void CWnd::OnInitMenu(CMenu*)
{
    Default();
}
void CWnd::OnInitMenuPopup(CMenu*, UINT, BOOL)
{
    Default();
}
void CWnd::OnMenuSelect(UINT, UINT, HMENU)
{
    Default();
}
LRESULT CWnd::OnMenuChar(UINT, UINT, CMenu*)
{
    return Default();
}
void CWnd::OnEnterMenuLoop(BOOL)
{
    Default();
}
void CWnd::OnExitMenuLoop(BOOL)
{
    Default();
}
void CWnd::OnEnterIdle(UINT, CWnd*)
{
    Default();
}
void CWnd::OnCancelMode()
{
    Default();
}
void CWnd::OnCaptureChanged(CWnd*)
{
    Default();
}
void CWnd::OnSysColorChange()
{
    Default();
}
void CWnd::OnSettingChange(UINT, LPCSTR)
{
    Default();
}
void CWnd::OnFontChange()
{
    Default();
}
void CWnd::OnDropFiles(HDROP)
{
    Default();
}
BOOL CWnd::OnHelpInfo(HELPINFO*)
{
    return static_cast<BOOL>(Default());
}
CWnd* CWnd::GetDescendantWindow(int nID, BOOL bOnlyPerm) const
{
    return GetDescendantWindow(m_hWnd, nID, bOnlyPerm);
}

CWnd* CWnd::GetDescendantWindow(HWND hWnd, int nID, BOOL bOnlyPerm)
{
    for (HWND hChild = ::GetTopWindow(hWnd); hChild != nullptr; hChild = ::GetWindow(hChild, GW_HWNDNEXT))
    {
        if (::GetDlgCtrlID(hChild) == nID)
        {
            CWnd* p = bOnlyPerm ? FromHandlePermanent(hChild) : FromHandle(hChild);
            if (p != nullptr)
                return p;
        }
        if (::GetTopWindow(hChild) != nullptr)
        {
            if (CWnd* found = GetDescendantWindow(hChild, nID, bOnlyPerm))
                return found;
        }
    }
    return nullptr;
}

void CWnd::CreateSolidCaret(int nWidth, int nHeight)
{
    ::CreateCaret(m_hWnd, nullptr, nWidth, nHeight);
}
void CWnd::ShowCaret()
{
    ::ShowCaret(m_hWnd);
}
void CWnd::HideCaret()
{
    ::HideCaret(m_hWnd);
}
void CWnd::SetCaretPos(POINT point)
{
    ::SetCaretPos(point.x, point.y);
}
CPoint CWnd::GetCaretPos()
{
    CPoint point;
    ::GetCaretPos(&point);
    return point;
}
int CWnd::SetWindowRgn(HRGN hRgn, BOOL bRedraw)
{
    return ::SetWindowRgn(m_hWnd, hRgn, bRedraw);
}
int CWnd::GetWindowRgn(HRGN hRgn) const
{
    return ::GetWindowRgn(m_hWnd, hRgn);
}
void CWnd::ShowOwnedPopups(BOOL bShow)
{
    ::ShowOwnedPopups(m_hWnd, bShow);
}

void CWnd::UpdateDialogControls(CCmdTarget* pTarget, BOOL bDisableIfNoHndler)
{
    CCmdUI state;
    for (HWND hChild = ::GetTopWindow(m_hWnd); hChild != nullptr; hChild = ::GetWindow(hChild, GW_HWNDNEXT))
    {
        UINT id = static_cast<UINT>(::GetDlgCtrlID(hChild));
        if (id == 0 || id == static_cast<UINT>(-1) || id == 0xFFFF)
            continue;
        CWnd* pChild = FromHandle(hChild);
        state.m_nID = id;
        state.m_pOther = pChild;
        // Only push buttons are disabled for want of a handler (check boxes and others keep their state).
        BOOL bDisable = bDisableIfNoHndler;
        if (bDisable && (pChild->SendMessage(WM_GETDLGCODE) & (DLGC_DEFPUSHBUTTON | DLGC_UNDEFPUSHBUTTON)) == 0)
            bDisable = FALSE;
        state.DoUpdate(pTarget, bDisable);
    }
}
