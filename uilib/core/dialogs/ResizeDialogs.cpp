#include "uilib/core/dialogs/ResizeDialogs.h"

#include "uilib/core/base/GlobalData.h"
#include "uilib/core/base/MemDC.h"

namespace
{

const CUXAnchorRect kMoveWithCorner(1, 1, 1, 1);
const CUXAnchorRect kStretch(0, 0, 1, 1);
const CUXAnchorRect kStretchAlongBottom(0, 1, 1, 1);

// Control ids of the sheet's own buttons and its wizard line.
const UINT kIdTabControl = 0x3020;
const UINT kIdWizardLine = 0x3026;

int EngineFlagsFor(CWnd* wnd, int flags)
{
    return (wnd->GetStyle() & WS_THICKFRAME) ? flags : flags | CUXResizeEngine::kNoGrip;
}

}   // namespace

// ---- CUXResizeDialog -----------------------------------------------------------------------------------

IMPLEMENT_DYNCREATE(CUXResizeDialog, CDialog)

BEGIN_MESSAGE_MAP(CUXResizeDialog, CDialog)
    ON_WM_GETMINMAXINFO()
    ON_WM_SIZE()
    ON_WM_DESTROY()
END_MESSAGE_MAP()

CUXResizeDialog::CUXResizeDialog() : CUXResizeEngine(this)
{
}

CUXResizeDialog::CUXResizeDialog(UINT nIDTemplate, CWnd* pParentWnd, int flags)
    : CDialog(nIDTemplate, pParentWnd), CUXResizeEngine(this, flags)
{
}

CUXResizeDialog::CUXResizeDialog(LPCSTR lpszTemplateName, CWnd* pParentWnd, int flags)
    : CDialog(lpszTemplateName, pParentWnd), CUXResizeEngine(this, flags)
{
}

BOOL CUXResizeDialog::OnInitDialog()
{
    m_nResizeFlags = EngineFlagsFor(this, m_nResizeFlags);
    CDialog::OnInitDialog();
    InitLayout();
    EnableToolTips(TRUE);   // the second line of each control's command string
    return TRUE;
}

void CUXResizeDialog::OnGetMinMaxInfo(MINMAXINFO* lpMMI)
{
    GetMinMaxInfo(lpMMI);
}

void CUXResizeDialog::OnSize(UINT nType, int cx, int cy)
{
    CDialog::OnSize(nType, cx, cy);
    HandleSize();
}

void CUXResizeDialog::OnDestroy()
{
    HandleDestroy();
    CDialog::OnDestroy();
}

// ---- CUXSheetTabCtrl -----------------------------------------------------------------------------------

BEGIN_MESSAGE_MAP(CUXSheetTabCtrl, CTabCtrl)
    ON_WM_PAINT()
    ON_WM_ERASEBKGND()
END_MESSAGE_MAP()

void CUXSheetTabCtrl::OnPaint()
{
    CPaintDC paintDC(this);
    CRect client;
    GetClientRect(&client);
    CUXMemDC dc(&paintDC, client, uxAfxData.m_clrBtnFace);
    DefWindowProc(WM_PAINT, reinterpret_cast<WPARAM>(dc.IsValid() ? dc.GetSafeHdc() : paintDC.GetSafeHdc()), 0);
}

BOOL CUXSheetTabCtrl::OnEraseBkgnd(CDC*)
{
    return TRUE;
}

// ---- CUXResizePropertySheet ----------------------------------------------------------------------------

IMPLEMENT_DYNCREATE(CUXResizePropertySheet, CPropertySheet)

BEGIN_MESSAGE_MAP(CUXResizePropertySheet, CPropertySheet)
    ON_WM_GETMINMAXINFO()
    ON_WM_SIZE()
    ON_WM_DESTROY()
    ON_NOTIFY_REFLECT_EX(PSN_SETACTIVE, OnPageSetActive)
END_MESSAGE_MAP()

CUXResizePropertySheet::CUXResizePropertySheet(LPCSTR pszCaption, CWnd* pParentWnd, UINT iSelectPage, int flags)
    : CPropertySheet(pszCaption != nullptr ? pszCaption : "", pParentWnd, iSelectPage),
      CUXResizeEngine(this, flags)
{
}

CUXResizePropertySheet::CUXResizePropertySheet(UINT nIDCaption, CWnd* pParentWnd, UINT iSelectPage, int flags)
    : CPropertySheet(nIDCaption, pParentWnd, iSelectPage), CUXResizeEngine(this, flags)
{
}

BOOL CUXResizePropertySheet::OnInitDialog()
{
    ModifyStyle(0, WS_THICKFRAME);
    EnableToolTips(TRUE);
    BOOL result = CPropertySheet::OnInitDialog();
    HWND tab = reinterpret_cast<HWND>(SendMessage(PSM_GETTABCONTROL));
    if (tab != nullptr && m_tab.m_hWnd == nullptr && CWnd::FromHandlePermanent(tab) == nullptr)
        m_tab.SubclassWindow(tab);

    if (!(m_nResizeFlags & kNoGrip) && !IsWizard())
    {
        // Room for the grip beside the buttons.
        CRect window;
        GetWindowRect(&window);
        window.InflateRect(1, 1, 2, 2);
        MoveWindow(&window);
    }
    AddSizingCommands();

    m_nResizeFlags = EngineFlagsFor(this, m_nResizeFlags);
    InitLayout();
    if (IsWizard())
    {
        SetChildAnchor(ID_WIZBACK, kMoveWithCorner);
        SetChildAnchor(ID_WIZNEXT, kMoveWithCorner);
        SetChildAnchor(ID_WIZFINISH, kMoveWithCorner);
        SetChildAnchor(kIdWizardLine, kStretchAlongBottom);
    }
    else
    {
        SetChildAnchor(IDOK, kMoveWithCorner);
        SetChildAnchor(ID_APPLY_NOW, kMoveWithCorner);
        SetChildAnchor(kIdTabControl, kStretch);
    }
    SetChildAnchor(IDCANCEL, kMoveWithCorner);
    SetChildAnchor(IDHELP, kMoveWithCorner);

    CPropertyPage* active = GetActivePage();
    if (active != nullptr && active->m_hWnd != nullptr)
    {
        CRect pageRect = ChildRect(active->m_hWnd);
        for (int i = 0; i < GetPageCount(); ++i)
            AddItem(GetPage(i), kStretch, pageRect);
    }
    return result;
}

void CUXResizePropertySheet::AddSizingCommands()
{
    CMenu* menu = GetSystemMenu(FALSE);
    HWND outermost = m_hWnd;
    while (HWND parent = ::GetParent(outermost))
        outermost = parent;
    if (menu != nullptr)
        AddSizingCommands(menu->GetSafeHmenu(), ::GetSystemMenu(outermost, FALSE));
}

void CUXResizePropertySheet::AddSizingCommands(HMENU menu, HMENU textSource)
{
    struct Command
    {
        UINT id;
        const char* fallback;
        UINT position;
    };
    const Command commands[] = {{SC_MAXIMIZE, "Ma&ximize", 1},
                                {SC_MINIMIZE, "Mi&nimize", 1},
                                {SC_SIZE, "&Size", 1},
                                {SC_RESTORE, "&Restore", 0}};
    // A system menu that offers them already (some systems keep every command and only grey them) keeps its
    // own: the commands never show twice.
    bool any = false;
    for (const Command& command : commands)
        any = any || ::GetMenuState(menu, command.id, MF_BYCOMMAND) != static_cast<UINT>(-1);
    if (any)
        return;
    ::InsertMenuA(menu, 1, MF_BYPOSITION | MF_SEPARATOR, 0, nullptr);
    for (const Command& command : commands)
    {
        char text[128] = {};
        if (textSource != nullptr)
            ::GetMenuStringA(textSource, command.id, text, sizeof(text), MF_BYCOMMAND);
        ::InsertMenuA(menu, command.position, MF_BYPOSITION | MF_STRING, command.id,
                      text[0] != '\0' ? text : command.fallback);
    }
}

void CUXResizePropertySheet::OnGetMinMaxInfo(MINMAXINFO* lpMMI)
{
    GetMinMaxInfo(lpMMI);
}

void CUXResizePropertySheet::OnSize(UINT nType, int cx, int cy)
{
    CPropertySheet::OnSize(nType, cx, cy);
    HandleSize();
}

void CUXResizePropertySheet::OnDestroy()
{
    HandleDestroy();
    CPropertySheet::OnDestroy();
}

BOOL CUXResizePropertySheet::OnPageSetActive(NMHDR*, LRESULT*)
{
    // A wizard's page may differ from the last one: every item starts again from its first rectangle.
    if (IsWizard())
        ResetItems();
    Resize();
    return FALSE;   // the page itself still learns it is active
}

// ---- CUXResizePropertyPage -----------------------------------------------------------------------------

IMPLEMENT_DYNCREATE(CUXResizePropertyPage, CPropertyPage)

BEGIN_MESSAGE_MAP(CUXResizePropertyPage, CPropertyPage)
    ON_WM_GETMINMAXINFO()
    ON_WM_SIZE()
    ON_WM_DESTROY()
END_MESSAGE_MAP()

CUXResizePropertyPage::CUXResizePropertyPage()
    : CPropertyPage(static_cast<UINT>(0)), CUXResizeEngine(this, CUXResizeEngine::kNoGrip)
{
}

CUXResizePropertyPage::CUXResizePropertyPage(UINT nIDTemplate, UINT nIDCaption, int flags)
    : CPropertyPage(nIDTemplate, nIDCaption), CUXResizeEngine(this, flags | CUXResizeEngine::kNoGrip)
{
}

CUXResizePropertyPage::CUXResizePropertyPage(LPCSTR lpszTemplateName, UINT nIDCaption, int flags)
    : CPropertyPage(lpszTemplateName, nIDCaption), CUXResizeEngine(this, flags | CUXResizeEngine::kNoGrip)
{
}

BOOL CUXResizePropertyPage::OnInitDialog()
{
    BOOL result = CPropertyPage::OnInitDialog();
    InitLayout();
    EnableToolTips(TRUE);
    return result;
}

void CUXResizePropertyPage::OnGetMinMaxInfo(MINMAXINFO* lpMMI)
{
    GetMinMaxInfo(lpMMI);
}

void CUXResizePropertyPage::OnSize(UINT nType, int cx, int cy)
{
    CPropertyPage::OnSize(nType, cx, cy);
    HandleSize();
}

void CUXResizePropertyPage::OnDestroy()
{
    HandleDestroy();
    CPropertyPage::OnDestroy();
}
