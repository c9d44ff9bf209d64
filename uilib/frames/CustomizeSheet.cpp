#include "uilib/frames/CustomizeSheet.h"

#include "resources/uilib/UilibResources.h"
#include "uilib/core/bars/CustomizeCenter.h"
#include "uilib/core/base/GlobalData.h"
#include "uilib/core/base/Helpers.h"
#include "uilib/core/base/SettingsStore.h"
#include "uilib/core/base/WndHook.h"
#include "uilib/frames/CustAccelerators.h"
#include "uilib/frames/CustCommandsPage.h"
#include "uilib/frames/CustOptions.h"
#include "uilib/frames/CustToolBarPage.h"
#include "uilib/frames/CustTools.h"
#include "uilib/frames/ToolsManager.h"

namespace
{
const char kSettingsSection[] = "Settings";
const char kActivePageEntry[] = "Active Page";
// The system menu the task bar asks a window to show.
const UINT kPopupSystemMenu = 0x0313;
}   // namespace

// While the dialog runs, the application's main window shows no system menu from the task bar, and a return
// of the application brings the main window to the top again at the next mouse message.
class CUXCustomizeMainHook : public CUXWndHook
{
public:
    explicit CUXCustomizeMainHook(CUXCustomizeSheet* pSheet) : m_pSheet(pSheet) {}
    ~CUXCustomizeMainHook() override
    {
        if (m_hWnd != nullptr)
            DetachWindow();
    }

    LRESULT HandleMessage(UINT message, WPARAM wParam, LPARAM lParam) override
    {
        if (message == kPopupSystemMenu)
            return 0;
        if (message == WM_ACTIVATEAPP && wParam != 0)
            m_pSheet->m_bBroughtToTop = FALSE;
        return CUXWndHook::HandleMessage(message, wParam, lParam);
    }

private:
    CUXCustomizeSheet* m_pSheet;
};

CUXCustomizeSheet* CUXCustomizeSheet::s_pRunning = nullptr;

IMPLEMENT_DYNAMIC(CUXCustomizeSheet, CUXResizePropertySheet)

BEGIN_MESSAGE_MAP(CUXCustomizeSheet, CUXResizePropertySheet)
    ON_WM_DESTROY()
    ON_WM_SYSCOMMAND()
    ON_COMMAND(IDOK, OnCloseCommand)
    ON_COMMAND(IDCANCEL, OnCloseCommand)
END_MESSAGE_MAP()

CUXCustomizeSheet::CUXCustomizeSheet(CWnd* pFrame, UINT pageFlags)
    : CUXResizePropertySheet(IDS_UX_CUSTOMIZE_CAPTION, pFrame), m_pFrame(pFrame)
{
    m_psh.dwFlags |= PSH_NOAPPLYNOW;
    if (pageFlags & kToolBarsPage)
    {
        m_pToolBars = std::make_unique<CUXCustToolBarPage>(
            pFrame != nullptr && pFrame->IsKindOf(RUNTIME_CLASS(CFrameWnd)) ? static_cast<CFrameWnd*>(pFrame)
                                                                            : nullptr);
        AddPage(m_pToolBars.get());
    }
    if (pageFlags & kCommandsPage)
    {
        m_pCommands = std::make_unique<CUXCustCommandsPage>();
        AddPage(m_pCommands.get());
    }
    if (pageFlags & kKeyboardPage)
    {
        m_pKeyboard = std::make_unique<CUXCustAccelerators>();
        AddPage(m_pKeyboard.get());
    }
    if (pageFlags & kToolsPage)
    {
        m_pTools = std::make_unique<CUXCustTools>();
        AddPage(m_pTools.get());
    }
    if (pageFlags & kOptionsPage)
    {
        m_pOptions = std::make_unique<CUXCustOptions>();
        AddPage(m_pOptions.get());
    }
}

CUXCustomizeSheet::~CUXCustomizeSheet()
{
    if (m_hWnd != nullptr)
        DestroyWindow();
    RemoveHooks();
    if (s_pRunning == this)
        s_pRunning = nullptr;
}

// ---- the modal loop ---------------------------------------------------------------------------------------

INT_PTR CUXCustomizeSheet::DoModal()
{
    if (m_hWnd != nullptr || s_pRunning != nullptr)
        return -1;
    AfxInitCommonControls();
    CWnd* pParent = m_pFrame != nullptr && m_pFrame->m_hWnd != nullptr ? m_pFrame->GetTopLevelParent() : nullptr;
    m_hWndMain = AfxGetSafeHwnd(pParent);
    m_bBroughtToTop = FALSE;
    m_nLastActivePage = -1;
    s_pRunning = this;
    if (m_hWndMain != nullptr)
    {
        m_hMouseHook = ::SetWindowsHookExA(WH_MOUSE, MouseHook, nullptr, ::GetCurrentThreadId());
        m_hKeyboardHook = ::SetWindowsHookExA(WH_KEYBOARD, KeyboardHook, nullptr, ::GetCurrentThreadId());
    }
    if (CWnd* pCapture = GetCapture())
        pCapture->SendMessage(WM_CANCELMODE);

    m_nModalResult = -1;
    m_nFlags |= WF_CONTINUEMODAL;   // a close during the creation ends the dialog at once
    if (Create(pParent))
    {
        CUXCustomizeMainHook mainHook(this);
        if (CWnd* pMain = AfxGetMainWnd())
            mainHook.AttachWindow(pMain);
        if (m_nFlags & WF_CONTINUEMODAL)
        {
            DWORD flags = MLF_SHOWONIDLE;
            if (GetStyle() & DS_NOIDLEMSG)
                flags |= MLF_NOIDLEMSG;
            RunModalLoop(flags);
        }
    }
    m_nFlags &= ~(WF_MODALLOOP | WF_CONTINUEMODAL);

    BOOL wasActive = m_hWnd != nullptr && ::GetActiveWindow() == m_hWnd;
    if (m_hWnd != nullptr)
        SetWindowPos(nullptr, 0, 0, 0, 0,
                     SWP_HIDEWINDOW | SWP_NOACTIVATE | SWP_NOZORDER | SWP_NOSIZE | SWP_NOMOVE);
    RemoveHooks();
    if (wasActive && ::IsWindow(m_hWndMain))
        ::SetActiveWindow(m_hWndMain);
    if (m_hWnd != nullptr)
        DestroyWindow();
    m_hWndMain = nullptr;
    s_pRunning = nullptr;
    return m_nModalResult;
}

void CUXCustomizeSheet::RemoveHooks()
{
    if (m_hMouseHook != nullptr)
        ::UnhookWindowsHookEx(m_hMouseHook);
    if (m_hKeyboardHook != nullptr)
        ::UnhookWindowsHookEx(m_hKeyboardHook);
    m_hMouseHook = nullptr;
    m_hKeyboardHook = nullptr;
}

// ---- the dialog -------------------------------------------------------------------------------------------

BOOL CUXCustomizeSheet::OnInitDialog()
{
    CUXCustomizeCenter& center = GetCustomizeCenter();
    center.SwitchCustomizeMode(TRUE);
    m_allowed.RemoveAll();
    std::vector<HWND> windows;
    center.CollectCustomizeWindows(windows);
    for (HWND hWnd : windows)
        AllowWindow(hWnd);
    m_customizeRegistration.Set(TRUE, {CUXCustomizeCenter::kAllowWindow, CUXCustomizeCenter::kDisallowWindow});

    BOOL result = CUXResizePropertySheet::OnInitDialog();
    if (CWnd* pOK = GetDlgItem(IDOK))
        pOK->ShowWindow(SW_HIDE);
    if (CWnd* pClose = GetDlgItem(IDCANCEL))
    {
        CString close;
        AfxLoadString(IDS_UX_CLOSE, close, uxAfxData.m_hResourceModule);
        pClose->SetWindowText(close);
    }
    // Where it was last, else in the middle of its frame.
    if (!UsePlacementSection("CUXCustomizeSheet") && m_pFrame != nullptr && m_pFrame->m_hWnd != nullptr)
        CenterWindow(m_pFrame);
    // The page shown last, else the first.
    SetActivePage(static_cast<int>(CUXSettingsStore().GetProfileInt(kSettingsSection, kActivePageEntry, 0)));
    return result;
}

void CUXCustomizeSheet::OnDestroy()
{
    CUXCustomizeCenter& center = GetCustomizeCenter();
    center.SwitchCustomizeMode(FALSE);
    m_customizeRegistration.Clear();
    int active = GetActiveIndex();
    if (active < 0)
        active = m_nLastActivePage;   // a closed sheet has no current page any more
    if (active >= 0)
        CUXSettingsStore().WriteProfileInt(kSettingsSection, kActivePageEntry, active);
    // The hooks go with the window, whichever way it ends (the owner's end destroys it outside the loop).
    RemoveHooks();
    CUXResizePropertySheet::OnDestroy();
}

BOOL CUXCustomizeSheet::CanClose()
{
    return !GetToolsManager().IsEnabled() || m_pTools == nullptr || m_pTools->m_hWnd == nullptr ||
           m_pTools->CheckEntries();
}

void CUXCustomizeSheet::OnCloseCommand()
{
    if (!CanClose())
        return;
    m_nLastActivePage = GetActiveIndex();
    Default();
}

void CUXCustomizeSheet::OnSysCommand(UINT nID, LPARAM)
{
    if ((nID & 0xFFF0) == SC_CLOSE)
    {
        if (!CanClose())
            return;
        m_nLastActivePage = GetActiveIndex();
    }
    Default();
}

// ---- the windows that pass ----------------------------------------------------------------------------------

void CUXCustomizeSheet::AllowWindow(HWND hWnd)
{
    void* value = nullptr;
    if (hWnd != nullptr && !m_allowed.Lookup(hWnd, value))
        m_allowed.SetAt(hWnd, reinterpret_cast<void*>(1));
}

void CUXCustomizeSheet::DisallowWindow(HWND hWnd)
{
    m_allowed.RemoveKey(hWnd);
}

BOOL CUXCustomizeSheet::IsAllowedWindow(HWND hWnd) const
{
    void* value = nullptr;
    for (; hWnd != nullptr; hWnd = ::GetParent(hWnd))
    {
        if (m_allowed.Lookup(hWnd, value))
            return TRUE;
        if (!(::GetWindowLongA(hWnd, GWL_STYLE) & WS_CHILD))
            break;
    }
    return FALSE;
}

BOOL CUXCustomizeSheet::PassesMouse(HWND hWnd)
{
    if (!m_bBroughtToTop && ::IsWindow(m_hWndMain))
    {
        m_bBroughtToTop = TRUE;
        ::BringWindowToTop(m_hWndMain);
        ::ShowOwnedPopups(m_hWndMain, TRUE);
    }
    if (hWnd == nullptr || !::IsWindow(m_hWndMain) || (hWnd != m_hWndMain && !::IsChild(m_hWndMain, hWnd)))
        return TRUE;   // not the frame's
    if (m_hWnd != nullptr && (hWnd == m_hWnd || ::IsChild(m_hWnd, hWnd)))
        return TRUE;
    if (IsAllowedWindow(hWnd))
        return TRUE;
    // The floating frame of an allowed bar.
    POSITION pos = m_allowed.GetStartPosition();
    while (pos != nullptr)
    {
        void* key = nullptr;
        void* value = nullptr;
        m_allowed.GetNextAssoc(pos, key, value);
        CWnd* pWnd = CWnd::FromHandlePermanent(static_cast<HWND>(key));
        if (pWnd == nullptr || !pWnd->IsKindOf(RUNTIME_CLASS(CControlBar)) ||
            !(static_cast<CControlBar*>(pWnd)->GetBarStyle() & CBRS_FLOATING))
            continue;
        CFrameWnd* pFloating = pWnd->GetParentFrame();
        if (pFloating != nullptr && pFloating->m_hWnd == hWnd)
            return TRUE;
    }
    return FALSE;
}

BOOL CUXCustomizeSheet::PassesKeys() const
{
    if (::GetCapture() != nullptr)
        return TRUE;
    // Keys reach the dialog and the windows it opens (its message boxes, the name of a new tool bar).
    for (HWND hWnd = ::GetFocus(); hWnd != nullptr; hWnd = ::GetWindow(hWnd, GW_OWNER))
    {
        hWnd = ::GetAncestor(hWnd, GA_ROOT);
        if (hWnd == m_hWnd)
            return TRUE;
    }
    return FALSE;
}

LRESULT CALLBACK CUXCustomizeSheet::MouseHook(int nCode, WPARAM wParam, LPARAM lParam)
{
    CUXCustomizeSheet* pSheet = s_pRunning;
    if (nCode >= 0 && pSheet != nullptr && lParam != 0 &&
        !pSheet->PassesMouse(reinterpret_cast<MOUSEHOOKSTRUCT*>(lParam)->hwnd))
        return 1;
    return ::CallNextHookEx(nullptr, nCode, wParam, lParam);
}

LRESULT CALLBACK CUXCustomizeSheet::KeyboardHook(int nCode, WPARAM wParam, LPARAM lParam)
{
    CUXCustomizeSheet* pSheet = s_pRunning;
    if (nCode >= 0 && pSheet != nullptr && !pSheet->PassesKeys())
        return 1;
    return ::CallNextHookEx(nullptr, nCode, wParam, lParam);
}
