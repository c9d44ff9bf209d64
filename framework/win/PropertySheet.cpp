// CPropertySheet and CPropertyPage on the common-control property sheet.
#include "framework/win/Framework.h"

#include <vector>

// The dialog procedure of a page: the page's object has every message first (it is attached at creation),
// so whatever reaches here gets the dialog manager's default processing.
static INT_PTR CALLBACK VxPageDlgProc(HWND, UINT, WPARAM, LPARAM)
{
    return FALSE;
}

// ---- CPropertyPage -----------------------------------------------------------------------------------

IMPLEMENT_DYNAMIC(CPropertyPage, CDialog)

static void InitPageDescription(PROPSHEETPAGEA& psp, LPCSTR lpszTemplateName)
{
    psp = {};
    psp.dwSize = sizeof(psp);
    psp.dwFlags = PSP_DEFAULT;
    psp.pszTemplate = lpszTemplateName;
}

CPropertyPage::CPropertyPage(UINT nIDTemplate, UINT nIDCaption) : CDialog(nIDTemplate)
{
    InitPageDescription(m_psp, m_lpszTemplateName);
    if (nIDCaption != 0)
        AfxLoadString(nIDCaption, m_strCaption);
}

CPropertyPage::CPropertyPage(LPCSTR lpszTemplateName, UINT nIDCaption) : CDialog(lpszTemplateName)
{
    InitPageDescription(m_psp, m_lpszTemplateName);
    if (nIDCaption != 0)
        AfxLoadString(nIDCaption, m_strCaption);
}

CPropertyPage::~CPropertyPage() = default;

BOOL CPropertyPage::OnSetActive()
{
    return TRUE;
}

BOOL CPropertyPage::OnKillActive()
{
    return UpdateData(TRUE);
}

LRESULT CPropertyPage::OnWizardBack()
{
    return 0;
}

LRESULT CPropertyPage::OnWizardNext()
{
    return 0;
}

BOOL CPropertyPage::OnWizardFinish()
{
    return TRUE;
}

void CPropertyPage::OnOK()
{
}

void CPropertyPage::OnCancel()
{
}

BOOL CPropertyPage::PreTranslateMessage(MSG*)
{
    // The sheet does the keyboard navigation for all its pages (its PreTranslateMessage comes next).
    return FALSE;
}

BOOL CPropertyPage::OnNotify(WPARAM wParam, LPARAM lParam, LRESULT* pResult)
{
    // The sheet sees its notifications reflected first, then the page's own map; then the built-in handling.
    if (CDialog::OnNotify(wParam, lParam, pResult))
        return TRUE;
    const NMHDR* pNMHDR = reinterpret_cast<const NMHDR*>(lParam);
    if (m_pSheet == nullptr || pNMHDR->hwndFrom != m_pSheet->m_hWnd ||
        !(pNMHDR->code <= PSN_FIRST && pNMHDR->code >= PSN_LAST))
        return FALSE;
    *pResult = OnSheetNotify(pNMHDR->code);
    return TRUE;
}

LRESULT CPropertyPage::OnSheetNotify(UINT code)
{
    switch (code)
    {
    case PSN_SETACTIVE:
    {
        m_bLeftByButton = false;
        BOOL bShow = OnSetActive();
        if (bShow)
            m_bShownSinceExchange = true;
        return bShow ? 0 : -1;
    }
    case PSN_KILLACTIVE:
    {
        if (m_bLeftByButton)
        {
            m_bLeftByButton = false;
            return FALSE;
        }
        if (!OnKillActive())
            return TRUE;
        m_bShownSinceExchange = false;
        return FALSE;
    }
    case PSN_WIZBACK:
    {
        LRESULT result = OnWizardBack();
        m_bLeftByButton = result != -1;
        return result;
    }
    case PSN_WIZNEXT:
    {
        if (!OnKillActive())
            return -1;
        m_bShownSinceExchange = false;
        LRESULT result = OnWizardNext();
        m_bLeftByButton = result != -1;
        if (result == -1)
            m_bShownSinceExchange = true;
        return result;
    }
    case PSN_WIZFINISH:
    {
        // Non-zero keeps the wizard open.
        if (!OnKillActive() || !OnWizardFinish())
            return TRUE;
        m_bShownSinceExchange = false;
        return m_pSheet->ExchangeShownPages(this) ? FALSE : TRUE;
    }
    case PSN_APPLY:
    {
        if (m_bShownSinceExchange && !UpdateData(TRUE))
            return PSNRET_INVALID;   // the sheet makes this page the active one
        m_bShownSinceExchange = false;
        OnOK();
        return PSNRET_NOERROR;
    }
    case PSN_RESET: OnCancel(); return 0;
    case PSN_HELP: SendMessage(WM_COMMAND, ID_HELP); return 0;
    default: return 0;
    }
}

// ---- CPropertySheet ----------------------------------------------------------------------------------

IMPLEMENT_DYNAMIC(CPropertySheet, CWnd)

BEGIN_MESSAGE_MAP(CPropertySheet, CWnd)
    ON_MESSAGE(WM_INITDIALOG, HandleInitDialog)
END_MESSAGE_MAP()

CPropertySheet::CPropertySheet()
{
    CommonConstruct(nullptr, 0);
}

CPropertySheet::CPropertySheet(UINT nIDCaption, CWnd* pParentWnd, UINT iSelectPage)
{
    CommonConstruct(pParentWnd, iSelectPage);
    AfxLoadString(nIDCaption, m_strCaption);
}

CPropertySheet::CPropertySheet(LPCSTR pszCaption, CWnd* pParentWnd, UINT iSelectPage)
{
    CommonConstruct(pParentWnd, iSelectPage);
    m_strCaption = pszCaption;
}

void CPropertySheet::CommonConstruct(CWnd* pParentWnd, UINT iSelectPage)
{
    m_psh = {};
    m_psh.dwSize = sizeof(m_psh);
    m_psh.dwFlags = PSH_DEFAULT;
    m_psh.nStartPage = iSelectPage;
    m_pParentWnd = pParentWnd;
}

CPropertySheet::~CPropertySheet()
{
    if (m_hWnd != nullptr && FromHandlePermanent(m_hWnd) == this)
        DestroyWindow();
}

void CPropertySheet::AddPage(CPropertyPage* pPage)
{
    if (pPage == nullptr)
        return;
    pPage->m_pSheet = this;
    m_pages.Add(pPage);
    if (m_hWnd == nullptr)
        return;
    PROPSHEETPAGEA psp;
    if (!PreparePage(pPage, psp))
        return;
    HPROPSHEETPAGE hPage = ::CreatePropertySheetPageA(&psp);
    if (hPage != nullptr && !SendMessage(PSM_ADDPAGE, 0, reinterpret_cast<LPARAM>(hPage)))
        ::DestroyPropertySheetPage(hPage);
}

int CPropertySheet::GetPageCount() const
{
    return static_cast<int>(m_pages.GetSize());
}

CPropertyPage* CPropertySheet::GetPage(int nPage) const
{
    if (nPage < 0 || nPage >= GetPageCount())
        return nullptr;
    return static_cast<CPropertyPage*>(m_pages[nPage]);
}

int CPropertySheet::GetPageIndex(const CPropertyPage* pPage) const
{
    for (int i = 0; i < GetPageCount(); ++i)
        if (m_pages[i] == pPage)
            return i;
    return -1;
}

int CPropertySheet::GetActiveIndex() const
{
    if (m_hWnd == nullptr)
        return static_cast<int>(m_psh.nStartPage);
    HWND hPage = reinterpret_cast<HWND>(SendMessage(PSM_GETCURRENTPAGEHWND));
    for (int i = 0; i < GetPageCount(); ++i)
        if (hPage != nullptr && GetPage(i)->m_hWnd == hPage)
            return i;
    return -1;
}

CPropertyPage* CPropertySheet::GetActivePage() const
{
    return GetPage(GetActiveIndex());
}

BOOL CPropertySheet::SetActivePage(int nPage)
{
    if (nPage < 0 || nPage >= GetPageCount())
        return FALSE;
    if (m_hWnd == nullptr)
    {
        m_psh.nStartPage = static_cast<UINT>(nPage);
        return TRUE;
    }
    return SendMessage(PSM_SETCURSEL, static_cast<WPARAM>(nPage)) != 0;
}

BOOL CPropertySheet::SetActivePage(CPropertyPage* pPage)
{
    return SetActivePage(GetPageIndex(pPage));
}

void CPropertySheet::SetTitle(LPCSTR lpszText)
{
    m_strCaption = lpszText;
    if (m_hWnd != nullptr)
        SendMessage(PSM_SETTITLEA, 0, reinterpret_cast<LPARAM>(m_strCaption.GetString()));
}

CWnd* CPropertySheet::GetTabControl() const
{
    if (m_hWnd == nullptr)
        return nullptr;
    HWND hTab = reinterpret_cast<HWND>(SendMessage(PSM_GETTABCONTROL));
    return hTab != nullptr ? FromHandle(hTab) : nullptr;
}

void CPropertySheet::SetWizardMode()
{
    m_psh.dwFlags |= PSH_WIZARD;
}

BOOL CPropertySheet::IsWizard() const
{
    return (m_psh.dwFlags & PSH_WIZARD) != 0;
}

void CPropertySheet::SetWizardButtons(DWORD dwFlags)
{
    if (m_hWnd != nullptr)
        SendMessage(PSM_SETWIZBUTTONS, 0, static_cast<LPARAM>(dwFlags));
}

void CPropertySheet::PressButton(int nButton)
{
    if (m_hWnd != nullptr)
        PostMessage(PSM_PRESSBUTTON, static_cast<WPARAM>(nButton));
}

BOOL CPropertySheet::PreparePage(CPropertyPage* pPage, PROPSHEETPAGEA& psp)
{
    const DLGTEMPLATE* pTemplate = pPage->m_lpDialogTemplate;
    if (pPage->m_lpszTemplateName != nullptr)
        pTemplate = AfxLoadDialogTemplate(AfxGetResourceHandle(), pPage->m_lpszTemplateName);
    if (pTemplate == nullptr)
        return FALSE;
    psp = pPage->m_psp;
    psp.dwSize = sizeof(psp);
    // Our own lookup finds the template in the user's language; the common control only gets its bytes.
    psp.dwFlags |= PSP_DLGINDIRECT | PSP_USECALLBACK;
    psp.pResource = pTemplate;
    psp.hInstance = AfxGetResourceHandle();
    psp.pfnDlgProc = VxPageDlgProc;
    psp.pfnCallback = PageCallback;
    psp.lParam = reinterpret_cast<LPARAM>(pPage);
    if (!pPage->m_strCaption.IsEmpty())
    {
        psp.dwFlags |= PSP_USETITLE;
        psp.pszTitle = pPage->m_strCaption.GetString();
    }
    return TRUE;
}

// Called right before the common control creates a page's window: the page's object takes that window.
UINT CALLBACK CPropertySheet::PageCallback(HWND, UINT uMsg, LPPROPSHEETPAGEA ppsp)
{
    if (uMsg == PSPCB_CREATE && ppsp != nullptr)
    {
        CPropertyPage* pPage = reinterpret_cast<CPropertyPage*>(ppsp->lParam);
        if (pPage->m_hWnd != nullptr)
            return FALSE;   // one window per page object
        AfxHookWindowCreate(pPage);
        if (pPage->m_pSheet != nullptr)
            pPage->m_pSheet->m_bPageCreationPending = true;
    }
    return TRUE;
}

BOOL CPropertySheet::CreateSheet(HWND hWndParent)
{
    if (m_hWnd != nullptr)
        return FALSE;
    std::vector<PROPSHEETPAGEA> pages(static_cast<size_t>(GetPageCount()));
    for (int i = 0; i < GetPageCount(); ++i)
    {
        CPropertyPage* pPage = GetPage(i);
        if (pPage->m_hWnd != nullptr || !PreparePage(pPage, pages[static_cast<size_t>(i)]))
            return FALSE;
        pPage->m_bShownSinceExchange = false;
        pPage->m_bLeftByButton = false;
    }
    AfxInitCommonControls();
    PROPSHEETHEADERA psh = m_psh;
    psh.dwSize = sizeof(psh);
    psh.dwFlags |= PSH_PROPSHEETPAGE | PSH_MODELESS;
    psh.dwFlags &= ~static_cast<DWORD>(PSH_USEPSTARTPAGE);
    psh.hwndParent = hWndParent;
    psh.hInstance = AfxGetResourceHandle();
    psh.pszCaption = m_strCaption.GetString();
    psh.nPages = static_cast<UINT>(pages.size());
    psh.nStartPage = m_psh.nStartPage < psh.nPages ? m_psh.nStartPage : 0;
    psh.ppsp = pages.empty() ? nullptr : pages.data();

    AfxHookWindowCreate(this);
    INT_PTR hWnd = ::PropertySheetA(&psh);
    AfxUnhookWindowCreate();
    if (hWnd == 0 || hWnd == -1)
    {
        if (m_hWnd != nullptr && !::IsWindow(m_hWnd))
            DetachAfterNcDestroy();
        return FALSE;
    }
    return m_hWnd != nullptr;
}

BOOL CPropertySheet::Create(CWnd* pParentWnd)
{
    if (pParentWnd == nullptr)
        pParentWnd = m_pParentWnd != nullptr ? m_pParentWnd : AfxGetMainWnd();
    m_pParentWnd = pParentWnd;
    return CreateSheet(AfxGetSafeHwnd(pParentWnd));
}

INT_PTR CPropertySheet::DoModal()
{
    if (m_hWnd != nullptr)
        return -1;
    return RunModalWindow(m_pParentWnd, [&](HWND hWndParent) { return CreateSheet(hWndParent); });
}

void CPropertySheet::EndDialog(int nEndID)
{
    m_nModalResult = nEndID;
    if (m_nFlags & (WF_MODALLOOP | WF_CONTINUEMODAL))
        EndModalLoop(nEndID);
    else if (m_hWnd != nullptr)
        DestroyWindow();
}

void CPropertySheet::OnSheetClosed(int nResult)
{
    m_nModalResult = nResult;
    if (m_nFlags & (WF_MODALLOOP | WF_CONTINUEMODAL))
        EndModalLoop(nResult);
    else
        DestroyWindow();   // a closed modeless sheet has no page any more: nothing is left to show
}

BOOL CPropertySheet::ExchangeShownPages(CPropertyPage* pSkip)
{
    for (int i = 0; i < GetPageCount(); ++i)
    {
        CPropertyPage* pPage = GetPage(i);
        if (pPage == pSkip || pPage->m_hWnd == nullptr || !pPage->m_bShownSinceExchange)
            continue;
        if (!pPage->UpdateData(TRUE))
        {
            SetActivePage(i);
            return FALSE;
        }
        pPage->m_bShownSinceExchange = false;
    }
    return TRUE;
}

LRESULT CPropertySheet::HandleInitDialog(WPARAM, LPARAM)
{
    return OnInitDialog();
}

BOOL CPropertySheet::OnInitDialog()
{
    return static_cast<BOOL>(Default());
}

BOOL CPropertySheet::PreTranslateMessage(MSG* pMsg)
{
    if (m_hWnd != nullptr && pMsg->message >= WM_KEYFIRST && pMsg->message <= WM_KEYLAST &&
        (pMsg->hwnd == m_hWnd || ::IsChild(m_hWnd, pMsg->hwnd)))
        return static_cast<BOOL>(SendMessage(PSM_ISDIALOGMESSAGE, 0, reinterpret_cast<LPARAM>(pMsg)));
    return FALSE;
}

// The result a closing button gives; 0 for anything else.
static int ClosingResult(UINT message, WPARAM wParam)
{
    if (message == WM_COMMAND)
    {
        UINT nID = LOWORD(wParam);
        if (nID == IDOK || nID == IDCANCEL || nID == ID_WIZFINISH)
            return static_cast<int>(nID);
    }
    else if (message == PSM_PRESSBUTTON)
    {
        switch (wParam)
        {
        case PSBTN_OK: return IDOK;
        case PSBTN_CANCEL: return IDCANCEL;
        case PSBTN_FINISH: return ID_WIZFINISH;
        default: break;
        }
    }
    return 0;
}

LRESULT CPropertySheet::WindowProc(UINT message, WPARAM wParam, LPARAM lParam)
{
    int nClosing = ClosingResult(message, wParam);
    HWND hWnd = m_hWnd;
    LRESULT result = CWnd::WindowProc(message, wParam, lParam);
    if (m_bPageCreationPending)
    {
        // A page whose creation failed must not leave its hook set for the next window of the thread.
        m_bPageCreationPending = false;
        AfxUnhookWindowCreate();
    }
    // The common control closes a modeless sheet by leaving it without a current page.
    if (nClosing != 0 && m_hWnd == hWnd && hWnd != nullptr && SendMessage(PSM_GETCURRENTPAGEHWND) == 0)
        OnSheetClosed(nClosing);
    return result;
}
