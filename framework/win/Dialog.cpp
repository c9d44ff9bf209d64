// CDialog (modal with our own nesting loop, and modeless) and dialog data exchange.
#include "framework/win/Framework.h"

#include <cerrno>
#include <climits>
#include <cstdlib>

// The dialog procedure of the system's dialog manager: everything is handled in our window procedure
// first, so whatever reaches here gets the dialog manager's default processing.
static INT_PTR CALLBACK VxDlgProc(HWND, UINT, WPARAM, LPARAM)
{
    return FALSE;
}

IMPLEMENT_DYNAMIC(CDialog, CWnd)

BEGIN_MESSAGE_MAP(CDialog, CWnd)
    ON_COMMAND(IDOK, OnOK)
    ON_COMMAND(IDCANCEL, OnCancel)
    ON_MESSAGE(WM_INITDIALOG, HandleInitDialog)
END_MESSAGE_MAP()

CDialog::CDialog() = default;

CDialog::CDialog(UINT nIDTemplate, CWnd* pParentWnd)
    : m_lpszTemplateName(MAKEINTRESOURCEA(nIDTemplate)), m_pParentWnd(pParentWnd), m_nIDHelp(nIDTemplate)
{
}

CDialog::CDialog(LPCSTR lpszTemplateName, CWnd* pParentWnd)
    : m_lpszTemplateName(lpszTemplateName), m_pParentWnd(pParentWnd)
{
}

CDialog::~CDialog()
{
    // A modeless dialog still open goes with its object.
    if (m_hWnd != nullptr && FromHandlePermanent(m_hWnd) == this)
        DestroyWindow();
}

BOOL CDialog::CreateDlgIndirect(LPCDLGTEMPLATE lpDialogTemplate, CWnd* pParentWnd)
{
    if (lpDialogTemplate == nullptr || m_hWnd != nullptr)
        return FALSE;
    AfxInitCommonControls();
    AfxHookWindowCreate(this);
    HWND hWnd = ::CreateDialogIndirectParamA(AfxGetResourceHandle(), lpDialogTemplate, AfxGetSafeHwnd(pParentWnd),
                                             VxDlgProc, 0);
    BOOL bEnded = FALSE;
    AfxUnhookWindowCreate(&bEnded);
    if (hWnd == nullptr)
    {
        if (!bEnded && m_hWnd != nullptr && !::IsWindow(m_hWnd))
            Detach();
        return FALSE;
    }
    return TRUE;
}

BOOL CDialog::Create(LPCSTR lpszTemplateName, CWnd* pParentWnd)
{
    m_lpszTemplateName = lpszTemplateName;
    if (pParentWnd == nullptr)
        pParentWnd = AfxGetMainWnd();
    m_pParentWnd = pParentWnd;
    return CreateDlgIndirect(AfxLoadDialogTemplate(AfxGetResourceHandle(), lpszTemplateName), pParentWnd);
}

BOOL CDialog::Create(UINT nIDTemplate, CWnd* pParentWnd)
{
    if (m_nIDHelp == 0)
        m_nIDHelp = nIDTemplate;
    return Create(MAKEINTRESOURCEA(nIDTemplate), pParentWnd);
}

BOOL CDialog::CreateIndirect(LPCDLGTEMPLATE lpDialogTemplate, CWnd* pParentWnd)
{
    if (pParentWnd == nullptr)
        pParentWnd = AfxGetMainWnd();
    m_pParentWnd = pParentWnd;
    return CreateDlgIndirect(lpDialogTemplate, pParentWnd);
}

BOOL CDialog::InitModalIndirect(LPCDLGTEMPLATE lpDialogTemplate, CWnd* pParentWnd)
{
    m_lpDialogTemplate = lpDialogTemplate;
    m_lpszTemplateName = nullptr;
    m_pParentWnd = pParentWnd;
    return lpDialogTemplate != nullptr;
}

INT_PTR CDialog::DoModal()
{
    if (m_hWnd != nullptr)
        return -1;   // already open (modeless, or this dialog's own loop runs): that window stays as it is
    LPCDLGTEMPLATE lpTemplate = m_lpDialogTemplate;
    if (m_lpszTemplateName != nullptr)
        lpTemplate = AfxLoadDialogTemplate(AfxGetResourceHandle(), m_lpszTemplateName);
    if (lpTemplate == nullptr)
        return -1;

    return RunModalWindow(m_pParentWnd, [&](HWND hWndParent)
                          { return CreateDlgIndirect(lpTemplate, CWnd::FromHandle(hWndParent)); });
}

void CDialog::EndDialog(int nResult)
{
    if (m_nFlags & (WF_MODALLOOP | WF_CONTINUEMODAL))
    {
        EndModalLoop(nResult);
    }
    else
    {
        // Modeless: ending hides the dialog; its object and window stay.
        m_nModalResult = nResult;
        if (m_hWnd != nullptr)
            ::ShowWindow(m_hWnd, SW_HIDE);
    }
}

LRESULT CDialog::HandleInitDialog(WPARAM, LPARAM)
{
    return OnInitDialog();
}

BOOL CDialog::OnInitDialog()
{
    UpdateData(FALSE);
    return TRUE;
}

void CDialog::OnOK()
{
    if (!UpdateData(TRUE))
        return;
    EndDialog(IDOK);
}

void CDialog::OnCancel()
{
    EndDialog(IDCANCEL);
}

BOOL CDialog::PreTranslateMessage(MSG* pMsg)
{
    // Keyboard navigation of the dialog (Tab, Enter, Escape, mnemonics).
    if (m_hWnd != nullptr && pMsg->message >= WM_KEYFIRST && pMsg->message <= WM_KEYLAST &&
        (pMsg->hwnd == m_hWnd || ::IsChild(m_hWnd, pMsg->hwnd)))
        return ::IsDialogMessageA(m_hWnd, pMsg);
    return FALSE;
}

BOOL CDialog::OnCmdMsg(UINT nID, int nCode, void* pExtra, AFX_CMDHANDLERINFO* pHandlerInfo)
{
    if (CWnd::OnCmdMsg(nID, nCode, pExtra, pHandlerInfo))
        return TRUE;
    // Commands and their updates the dialog does not take follow its owner's route: a frame (with its view
    // and document) or the dialog that opened this one. Every route ends at the application.
    if ((nCode != CN_COMMAND && static_cast<UINT>(nCode) != CN_UPDATE_COMMAND_UI) || nID >= 0xF000)
        return FALSE;
    HWND hWndOwner = m_hWnd == nullptr
                         ? nullptr
                         : ((GetStyle() & WS_CHILD) ? ::GetParent(m_hWnd) : ::GetWindow(m_hWnd, GW_OWNER));
    if (hWndOwner == nullptr)
        hWndOwner = AfxGetSafeHwnd(m_pParentWnd);
    CWnd* pOwner = FromHandlePermanent(hWndOwner);
    if (pOwner != nullptr && pOwner != this &&
        (pOwner->IsKindOf(RUNTIME_CLASS(CFrameWnd)) || pOwner->IsKindOf(RUNTIME_CLASS(CDialog))))
        return pOwner->OnCmdMsg(nID, nCode, pExtra, pHandlerInfo);
    CWinApp* app = AfxGetApp();
    return app != nullptr && app->OnCmdMsg(nID, nCode, pExtra, pHandlerInfo);
}

void CDialog::NextDlgCtrl() const
{
    ::SendMessageA(m_hWnd, WM_NEXTDLGCTL, 0, 0);
}
void CDialog::PrevDlgCtrl() const
{
    ::SendMessageA(m_hWnd, WM_NEXTDLGCTL, 1, 0);
}
void CDialog::GotoDlgCtrl(CWnd* pWndCtrl)
{
    ::SendMessageA(m_hWnd, WM_NEXTDLGCTL, reinterpret_cast<WPARAM>(AfxGetSafeHwnd(pWndCtrl)), 1);
}
void CDialog::SetDefID(UINT nID)
{
    ::SendMessageA(m_hWnd, DM_SETDEFID, nID, 0);
}
DWORD CDialog::GetDefID() const
{
    return static_cast<DWORD>(::SendMessageA(m_hWnd, DM_GETDEFID, 0, 0));
}
void CDialog::MapDialogRect(LPRECT lpRect) const
{
    ::MapDialogRect(m_hWnd, lpRect);
}

// ---- data exchange -----------------------------------------------------------------------------------

CDataExchange::CDataExchange(CWnd* pDlgWnd, BOOL bSaveAndValidate)
    : m_bSaveAndValidate(bSaveAndValidate), m_pDlgWnd(pDlgWnd)
{
}

HWND CDataExchange::PrepareCtrl(int nIDC)
{
    m_hWndLastControl = ::GetDlgItem(AfxGetSafeHwnd(m_pDlgWnd), nIDC);
    m_idLastControl = nIDC;
    m_bEditLastControl = FALSE;
    return m_hWndLastControl;
}

HWND CDataExchange::PrepareEditCtrl(int nIDC)
{
    HWND hWnd = PrepareCtrl(nIDC);
    m_bEditLastControl = TRUE;
    return hWnd;
}

void CDataExchange::Fail()
{
    if (m_bSaveAndValidate && m_hWndLastControl != nullptr)
    {
        ::SetFocus(m_hWndLastControl);
        if (m_bEditLastControl)
            ::SendMessageA(m_hWndLastControl, EM_SETSEL, 0, -1);
    }
    throw CDataExchangeFailure();
}

// Sets the text only when it differs (no flicker, no change notification for nothing).
static void SetAfxGetWindowText(HWND hWnd, LPCSTR text)
{
    if (AfxGetWindowText(hWnd) != text)
        ::SetWindowTextA(hWnd, text);
}

static void FailWith(CDataExchange* pDX, LPCSTR message)
{
    AfxMessageBox(message, MB_ICONEXCLAMATION);
    pDX->Fail();
}

// Whole-text signed integer with blanks around it; false when not a number or out of range.
static bool ParseInteger(const CString& text, long long minValue, long long maxValue, long long& out)
{
    CString t = text;
    t.Trim();
    if (t.IsEmpty())
        return false;
    errno = 0;
    char* end = nullptr;
    long long v = std::strtoll(t.GetString(), &end, 10);
    if (errno != 0 || end == nullptr || *end != '\0' || v < minValue || v > maxValue)
        return false;
    out = v;
    return true;
}

void DDX_Text(CDataExchange* pDX, int nIDC, CString& value)
{
    HWND hWnd = pDX->PrepareEditCtrl(nIDC);
    if (hWnd == nullptr)
        return;
    if (pDX->m_bSaveAndValidate)
        value = AfxGetWindowText(hWnd);
    else
        SetAfxGetWindowText(hWnd, value);
}

void DDX_Text(CDataExchange* pDX, int nIDC, int& value)
{
    HWND hWnd = pDX->PrepareEditCtrl(nIDC);
    if (hWnd == nullptr)
        return;
    if (pDX->m_bSaveAndValidate)
    {
        long long v = 0;
        if (!ParseInteger(AfxGetWindowText(hWnd), INT_MIN, INT_MAX, v))
            FailWith(pDX, "Please enter an integer.");
        value = static_cast<int>(v);
    }
    else
    {
        CString text;
        text.Format("%d", value);
        SetAfxGetWindowText(hWnd, text);
    }
}

void DDX_Check(CDataExchange* pDX, int nIDC, int& value)
{
    HWND hWnd = pDX->PrepareCtrl(nIDC);
    if (hWnd == nullptr)
        return;
    if (pDX->m_bSaveAndValidate)
    {
        value = static_cast<int>(::SendMessageA(hWnd, BM_GETCHECK, 0, 0));
    }
    else
    {
        int state = value < 0 || value > 2 ? 0 : value;
        ::SendMessageA(hWnd, BM_SETCHECK, static_cast<WPARAM>(state), 0);
    }
}

void DDX_Control(CDataExchange* pDX, int nIDC, CWnd& rControl)
{
    if (rControl.m_hWnd != nullptr)
        return;
    HWND hWnd = pDX->PrepareCtrl(nIDC);
    if (hWnd != nullptr)
        rControl.SubclassWindow(hWnd);
}

void DDV_MinMaxInt(CDataExchange* pDX, int value, int minVal, int maxVal)
{
    if (!pDX->m_bSaveAndValidate || (value >= minVal && value <= maxVal))
        return;
    CString text;
    text.Format("Please enter an integer between %d and %d.", minVal, maxVal);
    FailWith(pDX, text);
}

static bool IsRadioButton(HWND hWnd)
{
    char className[16] = {};
    ::GetClassNameA(hWnd, className, sizeof(className));
    if (lstrcmpiA(className, "Button") != 0)
        return false;
    DWORD type = static_cast<DWORD>(::GetWindowLongA(hWnd, GWL_STYLE)) & BS_TYPEMASK;
    return type == BS_RADIOBUTTON || type == BS_AUTORADIOBUTTON;
}

void DDX_Radio(CDataExchange* pDX, int nIDC, int& value)
{
    HWND hWnd = pDX->PrepareCtrl(nIDC);
    if (hWnd == nullptr)
        return;
    if (pDX->m_bSaveAndValidate)
        value = -1;
    int index = 0;
    do
    {
        if (IsRadioButton(hWnd))
        {
            if (pDX->m_bSaveAndValidate)
            {
                if (value == -1 && ::SendMessageA(hWnd, BM_GETCHECK, 0, 0) == BST_CHECKED)
                    value = index;
            }
            else
            {
                ::SendMessageA(hWnd, BM_SETCHECK, index == value ? BST_CHECKED : BST_UNCHECKED, 0);
            }
            ++index;
        }
        hWnd = ::GetWindow(hWnd, GW_HWNDNEXT);
    } while (hWnd != nullptr && !(::GetWindowLongA(hWnd, GWL_STYLE) & WS_GROUP));
}

static bool IsComboBox(HWND hWnd)
{
    char className[16] = {};
    ::GetClassNameA(hWnd, className, sizeof(className));
    return lstrcmpiA(className, "ComboBox") == 0;
}

void DDX_CBString(CDataExchange* pDX, int nIDC, CString& value)
{
    HWND hWnd = pDX->PrepareCtrl(nIDC);
    if (hWnd == nullptr)
        return;
    if (pDX->m_bSaveAndValidate)
    {
        value = AfxGetWindowText(hWnd);   // a drop-down list answers with the selected item's text
        return;
    }
    // The exact item: a search by prefix would pick a longer name that happens to come first.
    LRESULT index = ::SendMessageA(hWnd, CB_FINDSTRINGEXACT, static_cast<WPARAM>(-1),
                                   reinterpret_cast<LPARAM>(value.GetString()));
    ::SendMessageA(hWnd, CB_SETCURSEL, index == CB_ERR ? static_cast<WPARAM>(-1) : static_cast<WPARAM>(index), 0);
    DWORD type = static_cast<DWORD>(::GetWindowLongA(hWnd, GWL_STYLE)) & 3;
    if (index == CB_ERR && type != CBS_DROPDOWNLIST)
        ::SetWindowTextA(hWnd, value);
}

void DDX_CBIndex(CDataExchange* pDX, int nIDC, int& index)
{
    HWND hWnd = pDX->PrepareCtrl(nIDC);
    if (hWnd == nullptr)
        return;
    if (pDX->m_bSaveAndValidate)
        index = static_cast<int>(::SendMessageA(hWnd, CB_GETCURSEL, 0, 0));
    else
        ::SendMessageA(hWnd, CB_SETCURSEL, static_cast<WPARAM>(index), 0);
}

void DDX_LBIndex(CDataExchange* pDX, int nIDC, int& index)
{
    HWND hWnd = pDX->PrepareCtrl(nIDC);
    if (hWnd == nullptr)
        return;
    if (pDX->m_bSaveAndValidate)
        index = static_cast<int>(::SendMessageA(hWnd, LB_GETCURSEL, 0, 0));
    else
        ::SendMessageA(hWnd, LB_SETCURSEL, static_cast<WPARAM>(index), 0);
}

void DDV_MaxChars(CDataExchange* pDX, const CString& value, int nChars)
{
    if (pDX->m_bSaveAndValidate)
    {
        if (value.GetLength() <= nChars)
            return;
        CString text;
        text.Format("Please enter no more than %d characters.", nChars);
        FailWith(pDX, text);
    }
    HWND hWnd = pDX->m_hWndLastControl;
    if (hWnd == nullptr || nChars < 0)
        return;
    ::SendMessageA(hWnd, IsComboBox(hWnd) ? CB_LIMITTEXT : EM_LIMITTEXT, static_cast<WPARAM>(nChars), 0);
}
