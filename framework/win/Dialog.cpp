// CDialog (modal with our own nesting loop, and modeless) and dialog data exchange.
#include "framework/win/Framework.h"

#include <cerrno>
#include <cmath>
#include <cstdlib>

// The dialog procedure of the system's dialog manager: everything is handled in our window procedure
// first, so whatever reaches here gets the dialog manager's default processing.
static INT_PTR CALLBACK VxDlgProc(HWND, UINT, WPARAM, LPARAM) { return FALSE; }

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
    HWND hWnd = ::CreateDialogIndirectParamA(AfxGetResourceHandle(), lpDialogTemplate, pParentWnd->GetSafeHwnd(),
                                            VxDlgProc, 0);
    AfxUnhookWindowCreate();
    if (hWnd == nullptr)
    {
        if (m_hWnd != nullptr && !::IsWindow(m_hWnd))
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
    LPCDLGTEMPLATE lpTemplate = m_lpDialogTemplate;
    if (m_lpszTemplateName != nullptr)
        lpTemplate = AfxLoadDialogTemplate(AfxGetResourceHandle(), m_lpszTemplateName);
    if (lpTemplate == nullptr)
        return -1;

    HWND hWndTop = nullptr;
    HWND hWndParent = GetSafeOwner(m_pParentWnd, &hWndTop)->GetSafeHwnd();
    BOOL bEnableParent = FALSE;
    if (hWndParent != nullptr && hWndParent != ::GetDesktopWindow() && ::IsWindowEnabled(hWndParent))
    {
        ::EnableWindow(hWndParent, FALSE);
        bEnableParent = TRUE;
    }

    m_nModalResult = -1;
    m_nFlags |= WF_CONTINUEMODAL;   // so that EndDialog in OnInitDialog ends the dialog at once
    if (CreateDlgIndirect(lpTemplate, CWnd::FromHandle(hWndParent)))
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

LRESULT CDialog::HandleInitDialog(WPARAM, LPARAM) { return OnInitDialog(); }

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

void CDialog::OnCancel() { EndDialog(IDCANCEL); }

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
    // Commands and their updates the dialog does not take go to the application.
    if ((nCode != CN_COMMAND && static_cast<UINT>(nCode) != CN_UPDATE_COMMAND_UI) || nID >= 0xF000)
        return FALSE;
    CWinApp* app = AfxGetApp();
    return app != nullptr && app->OnCmdMsg(nID, nCode, pExtra, pHandlerInfo);
}

void CDialog::NextDlgCtrl() const { ::SendMessageA(m_hWnd, WM_NEXTDLGCTL, 0, 0); }
void CDialog::PrevDlgCtrl() const { ::SendMessageA(m_hWnd, WM_NEXTDLGCTL, 1, 0); }
void CDialog::GotoDlgCtrl(CWnd* pWndCtrl)
{
    ::SendMessageA(m_hWnd, WM_NEXTDLGCTL, reinterpret_cast<WPARAM>(pWndCtrl->GetSafeHwnd()), 1);
}
void CDialog::SetDefID(UINT nID) { ::SendMessageA(m_hWnd, DM_SETDEFID, nID, 0); }
DWORD CDialog::GetDefID() const { return static_cast<DWORD>(::SendMessageA(m_hWnd, DM_GETDEFID, 0, 0)); }
void CDialog::MapDialogRect(LPRECT lpRect) const { ::MapDialogRect(m_hWnd, lpRect); }

// ---- data exchange -----------------------------------------------------------------------------------

CDataExchange::CDataExchange(CWnd* pDlgWnd, BOOL bSaveAndValidate)
    : m_bSaveAndValidate(bSaveAndValidate), m_pDlgWnd(pDlgWnd)
{
}

HWND CDataExchange::PrepareCtrl(int nIDC)
{
    m_hWndLastControl = ::GetDlgItem(m_pDlgWnd->GetSafeHwnd(), nIDC);
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

static CString ControlText(HWND hWnd)
{
    CString text;
    int length = ::GetWindowTextLengthA(hWnd);
    char* buffer = text.GetBuffer(length + 1);
    int got = ::GetWindowTextA(hWnd, buffer, length + 1);
    text.ReleaseBuffer(got < 0 ? 0 : got);
    return text;
}

// Sets the text only when it differs (no flicker, no change notification for nothing).
static void SetControlText(HWND hWnd, LPCSTR text)
{
    if (ControlText(hWnd) != text)
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
        value = ControlText(hWnd);
    else
        SetControlText(hWnd, value);
}

template <class T>
static void DDX_Integer(CDataExchange* pDX, int nIDC, T& value, long long minValue, long long maxValue,
                        LPCSTR format, LPCSTR failText)
{
    HWND hWnd = pDX->PrepareEditCtrl(nIDC);
    if (hWnd == nullptr)
        return;
    if (pDX->m_bSaveAndValidate)
    {
        long long v = 0;
        if (!ParseInteger(ControlText(hWnd), minValue, maxValue, v))
            FailWith(pDX, failText);
        value = static_cast<T>(v);
    }
    else
    {
        CString text;
        text.Format(format, value);
        SetControlText(hWnd, text);
    }
}

void DDX_Text(CDataExchange* pDX, int nIDC, int& value)
{
    DDX_Integer(pDX, nIDC, value, INT_MIN, INT_MAX, "%d", "Please enter an integer.");
}
void DDX_Text(CDataExchange* pDX, int nIDC, long& value)
{
    DDX_Integer(pDX, nIDC, value, LONG_MIN, LONG_MAX, "%ld", "Please enter an integer.");
}
void DDX_Text(CDataExchange* pDX, int nIDC, UINT& value)
{
    DDX_Integer(pDX, nIDC, value, 0, UINT_MAX, "%u", "Please enter a positive integer.");
}
void DDX_Text(CDataExchange* pDX, int nIDC, DWORD& value)
{
    DDX_Integer(pDX, nIDC, value, 0, 0xFFFFFFFFLL, "%lu", "Please enter a positive integer.");
}

void DDX_Text(CDataExchange* pDX, int nIDC, double& value)
{
    HWND hWnd = pDX->PrepareEditCtrl(nIDC);
    if (hWnd == nullptr)
        return;
    if (pDX->m_bSaveAndValidate)
    {
        CString t = ControlText(hWnd);
        t.Trim();
        char* end = nullptr;
        errno = 0;
        double v = t.IsEmpty() ? 0.0 : std::strtod(t.GetString(), &end);
        if (t.IsEmpty() || errno != 0 || end == nullptr || *end != '\0' || !std::isfinite(v))
            FailWith(pDX, "Please enter a number.");
        value = v;
    }
    else
    {
        CString text;
        text.Format("%.15g", value);
        SetControlText(hWnd, text);
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

void DDX_Radio(CDataExchange* pDX, int nIDC, int& value)
{
    HWND hWnd = pDX->PrepareCtrl(nIDC);
    if (hWnd == nullptr)
        return;
    if (pDX->m_bSaveAndValidate)
        value = -1;
    int index = 0;
    for (HWND h = hWnd; h != nullptr; h = ::GetWindow(h, GW_HWNDNEXT))
    {
        if (h != hWnd && (::GetWindowLongA(h, GWL_STYLE) & WS_GROUP))
            break;
        if (::SendMessageA(h, WM_GETDLGCODE, 0, 0) & DLGC_RADIOBUTTON)
        {
            if (pDX->m_bSaveAndValidate)
            {
                if (::SendMessageA(h, BM_GETCHECK, 0, 0) == BST_CHECKED)
                    value = index;
            }
            else
            {
                ::SendMessageA(h, BM_SETCHECK, index == value ? BST_CHECKED : BST_UNCHECKED, 0);
            }
            ++index;
        }
    }
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

void DDX_CBString(CDataExchange* pDX, int nIDC, CString& value)
{
    HWND hWnd = pDX->PrepareCtrl(nIDC);
    if (hWnd == nullptr)
        return;
    bool hasEdit = (::GetWindowLongA(hWnd, GWL_STYLE) & 3) != CBS_DROPDOWNLIST;
    if (pDX->m_bSaveAndValidate)
    {
        if (hasEdit)
        {
            value = ControlText(hWnd);
            return;
        }
        int sel = static_cast<int>(::SendMessageA(hWnd, CB_GETCURSEL, 0, 0));
        value.Empty();
        if (sel != CB_ERR)
        {
            int length = static_cast<int>(::SendMessageA(hWnd, CB_GETLBTEXTLEN, static_cast<WPARAM>(sel), 0));
            if (length > 0)
            {
                char* buffer = value.GetBuffer(length + 1);
                int got = static_cast<int>(::SendMessageA(hWnd, CB_GETLBTEXT, static_cast<WPARAM>(sel),
                                                          reinterpret_cast<LPARAM>(buffer)));
                value.ReleaseBuffer(got < 0 ? 0 : got);
            }
        }
    }
    else
    {
        if (::SendMessageA(hWnd, CB_SELECTSTRING, static_cast<WPARAM>(-1), reinterpret_cast<LPARAM>(value.GetString())) ==
                CB_ERR &&
            hasEdit)
            SetControlText(hWnd, value);
    }
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

void DDX_LBString(CDataExchange* pDX, int nIDC, CString& value)
{
    HWND hWnd = pDX->PrepareCtrl(nIDC);
    if (hWnd == nullptr)
        return;
    if (pDX->m_bSaveAndValidate)
    {
        value.Empty();
        int sel = static_cast<int>(::SendMessageA(hWnd, LB_GETCURSEL, 0, 0));
        if (sel == LB_ERR)
            return;
        int length = static_cast<int>(::SendMessageA(hWnd, LB_GETTEXTLEN, static_cast<WPARAM>(sel), 0));
        if (length <= 0)
            return;
        char* buffer = value.GetBuffer(length + 1);
        int got = static_cast<int>(
            ::SendMessageA(hWnd, LB_GETTEXT, static_cast<WPARAM>(sel), reinterpret_cast<LPARAM>(buffer)));
        value.ReleaseBuffer(got < 0 ? 0 : got);
    }
    else
    {
        ::SendMessageA(hWnd, LB_SELECTSTRING, static_cast<WPARAM>(-1), reinterpret_cast<LPARAM>(value.GetString()));
    }
}

void DDX_Slider(CDataExchange* pDX, int nIDC, int& value)
{
    HWND hWnd = pDX->PrepareCtrl(nIDC);
    if (hWnd == nullptr)
        return;
    if (pDX->m_bSaveAndValidate)
        value = static_cast<int>(::SendMessageA(hWnd, TBM_GETPOS, 0, 0));
    else
        ::SendMessageA(hWnd, TBM_SETPOS, TRUE, value);
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

void DDV_MinMaxUInt(CDataExchange* pDX, UINT value, UINT minVal, UINT maxVal)
{
    if (!pDX->m_bSaveAndValidate || (value >= minVal && value <= maxVal))
        return;
    CString text;
    text.Format("Please enter an integer between %u and %u.", minVal, maxVal);
    FailWith(pDX, text);
}

void DDV_MinMaxLong(CDataExchange* pDX, long value, long minVal, long maxVal)
{
    if (!pDX->m_bSaveAndValidate || (value >= minVal && value <= maxVal))
        return;
    CString text;
    text.Format("Please enter an integer between %ld and %ld.", minVal, maxVal);
    FailWith(pDX, text);
}

void DDV_MinMaxDouble(CDataExchange* pDX, double const& value, double minVal, double maxVal)
{
    if (!pDX->m_bSaveAndValidate || (value >= minVal && value <= maxVal))
        return;
    CString text;
    text.Format("Please enter a number between %g and %g.", minVal, maxVal);
    FailWith(pDX, text);
}

void DDV_MaxChars(CDataExchange* pDX, CString const& value, int nChars)
{
    if (!pDX->m_bSaveAndValidate)
    {
        if (pDX->m_hWndLastControl != nullptr && pDX->m_bEditLastControl)
            ::SendMessageA(pDX->m_hWndLastControl, EM_LIMITTEXT, static_cast<WPARAM>(nChars), 0);
        return;
    }
    if (value.GetLength() <= nChars)
        return;
    CString text;
    text.Format("Please enter no more than %d characters.", nChars);
    FailWith(pDX, text);
}
