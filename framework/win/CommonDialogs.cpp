// The common dialogs.
#include "framework/win/Framework.h"

#include <cderr.h>
#include <commctrl.h>
#include <dlgs.h>

#include <cstring>
#include <vector>

IMPLEMENT_DYNAMIC(CCommonDialog, CDialog)
IMPLEMENT_DYNAMIC(CFileDialog, CCommonDialog)
IMPLEMENT_DYNAMIC(CColorDialog, CCommonDialog)
IMPLEMENT_DYNAMIC(CFontDialog, CCommonDialog)

CCommonDialog::CCommonDialog(CWnd* pParentWnd)
{
    m_pParentWnd = pParentWnd;
}

HWND CCommonDialog::GetOwnerForDialog() const
{
    return AfxGetSafeHwnd(GetSafeOwner(m_pParentWnd));
}

// ---- CFileDialog -------------------------------------------------------------------------------------

CFileDialog::CFileDialog(BOOL bOpenFileDialog, LPCSTR lpszDefExt, LPCSTR lpszFileName, DWORD dwFlags,
                         LPCSTR lpszFilter, CWnd* pParentWnd)
    : CCommonDialog(pParentWnd), m_bOpenFileDialog(bOpenFileDialog), m_strDefExt(lpszDefExt)
{
    if (lpszFileName != nullptr)
        lstrcpynA(m_szFileName, lpszFileName, sizeof(m_szFileName));
    if (lpszFilter != nullptr && *lpszFilter != '\0')
    {
        m_strFilter = lpszFilter;
        for (char& c : m_strFilter)
            if (c == '|')
                c = '\0';
        // The list ends with an empty entry, however the text ended.
        m_strFilter.append(2, '\0');
    }
    m_ofn = {};
    m_ofn.lStructSize = sizeof(m_ofn);
    m_ofn.Flags = dwFlags | OFN_EXPLORER;
    m_ofn.lpstrFile = m_szFileName;
    m_ofn.nMaxFile = sizeof(m_szFileName);
    m_ofn.lpstrFileTitle = m_szFileTitle;
    m_ofn.nMaxFileTitle = sizeof(m_szFileTitle);
    m_ofn.lpstrDefExt = m_strDefExt.IsEmpty() ? nullptr : m_strDefExt.GetString();
    m_ofn.lpstrFilter = m_strFilter.empty() ? nullptr : m_strFilter.data();
    m_ofn.nFilterIndex = m_strFilter.empty() ? 0 : 1;
}

INT_PTR CFileDialog::DoModal()
{
    // The structure is the full one of this platform whatever a caller wrote into its size.
    m_ofn.lStructSize = sizeof(m_ofn);
    if (m_ofn.hwndOwner == nullptr)
        m_ofn.hwndOwner = GetOwnerForDialog();
    // The hook keeps paths the buffer cannot take from the system dialog, which does not survive them.
    m_ofn.Flags |= OFN_EXPLORER | OFN_ENABLEHOOK;
    m_ofn.lpfnHook = &CFileDialog::HookProc;
    m_ofn.lCustData = reinterpret_cast<LPARAM>(this);
    BOOL bOK;
    for (;;)
    {
        m_strTyped.Empty();
        bOK = m_bOpenFileDialog ? ::GetOpenFileNameA(&m_ofn) : ::GetSaveFileNameA(&m_ofn);
        if (bOK || ::CommDlgExtendedError() != FNERR_BUFFERTOOSMALL)
            break;
        // The name grew past the buffer on the way out (its extension added): told, and the dialog again.
        CString path = m_strTyped;
        if (!m_strDefExt.IsEmpty() && Path::ExtensionOf(Path::FileNameOf(path)).IsEmpty())
            path += "." + m_strDefExt;
        OnPathTooLong(path);
        if (m_ofn.lpstrFile != nullptr && m_ofn.nMaxFile > 0)
            m_ofn.lpstrFile[0] = '\0';
    }
    m_nModalResult = bOK ? IDOK : IDCANCEL;
    return m_nModalResult;
}

void CFileDialog::OnPathTooLong(const CString& path)
{
    CString format;
    if (!AfxLoadString(AFX_IDS_PATH_TOO_LONG, format))
        format = "The path\n%s\nis too long (%d characters): at most %d characters are possible.";
    CString message;
    message.Format(format, path.GetString(), path.GetLength(), static_cast<int>(MAX_PATH_LENGTH));
    AfxMessageBox(message, MB_OK | MB_ICONEXCLAMATION);
}

UINT_PTR CALLBACK CFileDialog::HookProc(HWND hWnd, UINT message, WPARAM, LPARAM lParam)
{
    if (message != WM_NOTIFY || reinterpret_cast<NMHDR*>(lParam)->code != CDN_INITDONE)
        return 0;
    const OPENFILENAMEA* ofn = reinterpret_cast<OFNOTIFYA*>(lParam)->lpOFN;
    CFileDialog* self = reinterpret_cast<CFileDialog*>(ofn->lCustData);
    HWND hDlg = ::GetParent(hWnd);
    // The user types no more than the buffer holds. The name box is an edit, or a combo box (extended or
    // not) around one.
    HWND name = NameBox(hDlg);
    HWND edit = name;
    char kind[32] = {};
    ::GetClassNameA(name, kind, sizeof(kind));
    if (lstrcmpiA(kind, WC_COMBOBOXEXA) == 0)
        edit = reinterpret_cast<HWND>(::SendMessageA(name, CBEM_GETEDITCONTROL, 0, 0));
    else if (lstrcmpiA(kind, "ComboBox") == 0)
        edit = ::FindWindowExA(name, nullptr, "Edit", nullptr);
    if (edit != nullptr)
        ::SendMessageA(edit, EM_LIMITTEXT, MAX_PATH_LENGTH, 0);
    ::SetWindowSubclass(hDlg, &CFileDialog::DialogProc, 1, reinterpret_cast<DWORD_PTR>(self));
    return 0;
}

LRESULT CALLBACK CFileDialog::DialogProc(HWND hWnd, UINT message, WPARAM wParam, LPARAM lParam, UINT_PTR id,
                                         DWORD_PTR data)
{
    CFileDialog* self = reinterpret_cast<CFileDialog*>(data);
    if (message == WM_COMMAND && LOWORD(wParam) == IDOK)
    {
        // A name and folder that together exceed the buffer (pasted, or typed below a deep folder).
        CString path = self->TypedPath(hWnd);
        if (path.GetLength() > MAX_PATH_LENGTH)
        {
            self->OnPathTooLong(path);
            return 0;
        }
        self->m_strTyped = path;
    }
    else if (message == WM_NCDESTROY)
    {
        ::RemoveWindowSubclass(hWnd, &CFileDialog::DialogProc, id);
    }
    return ::DefSubclassProc(hWnd, message, wParam, lParam);
}

HWND CFileDialog::NameBox(HWND hDlg)
{
    HWND name = ::GetDlgItem(hDlg, cmb13);
    return name != nullptr ? name : ::GetDlgItem(hDlg, edt1);
}

CString CFileDialog::TypedPath(HWND hDlg) const
{
    CString typed = AfxGetWindowText(NameBox(hDlg));
    typed.Trim();
    if (typed.IsEmpty() || Path::IsFull(typed))
        return typed;
    std::vector<char> folder(32768, '\0');
    ::SendMessageA(hDlg, CDM_GETFOLDERPATH, folder.size(), reinterpret_cast<LPARAM>(folder.data()));
    CString base = folder.data();
    if (typed[0] == '\\')
        return base.Left(2) + typed;   // from the root of the folder's drive
    return base.IsEmpty() ? typed : Path::Join(base, typed);
}

CString CFileDialog::GetPathName() const
{
    return CString(m_ofn.lpstrFile != nullptr ? m_ofn.lpstrFile : "");
}

CString CFileDialog::GetFileName() const
{
    CString path = GetPathName();
    int cut = -1;
    for (int i = 0; i < path.GetLength(); ++i)
        if (path[i] == '\\' || path[i] == '/' || path[i] == ':')
            cut = i;
    return path.Mid(cut + 1);
}

CString CFileDialog::GetFileExt() const
{
    return Path::ExtensionOf(GetFileName()).Mid(1);
}

CString CFileDialog::GetFileTitle() const
{
    return Path::WithoutExtension(GetFileName());
}

// ---- CColorDialog ------------------------------------------------------------------------------------

// The custom colours of the colour dialogs, kept for the program's run as users expect.
static COLORREF* SavedCustomColors()
{
    static COLORREF colors[16] = {RGB(255, 255, 255), RGB(255, 255, 255), RGB(255, 255, 255), RGB(255, 255, 255),
                                  RGB(255, 255, 255), RGB(255, 255, 255), RGB(255, 255, 255), RGB(255, 255, 255),
                                  RGB(255, 255, 255), RGB(255, 255, 255), RGB(255, 255, 255), RGB(255, 255, 255),
                                  RGB(255, 255, 255), RGB(255, 255, 255), RGB(255, 255, 255), RGB(255, 255, 255)};
    return colors;
}

CColorDialog::CColorDialog(COLORREF clrInit, DWORD dwFlags, CWnd* pParentWnd) : CCommonDialog(pParentWnd)
{
    m_cc = {};
    m_cc.lStructSize = sizeof(m_cc);
    m_cc.rgbResult = clrInit;
    m_cc.Flags = dwFlags | CC_RGBINIT;
    m_cc.lpCustColors = SavedCustomColors();
}

INT_PTR CColorDialog::DoModal()
{
    m_cc.lStructSize = sizeof(m_cc);
    if (m_cc.hwndOwner == nullptr)
        m_cc.hwndOwner = GetOwnerForDialog();
    m_nModalResult = ::ChooseColorA(&m_cc) ? IDOK : IDCANCEL;
    return m_nModalResult;
}

// ---- CFontDialog -------------------------------------------------------------------------------------

CFontDialog::CFontDialog(const LOGFONTA* lplfInitial, DWORD dwFlags, CWnd* pParentWnd) : CCommonDialog(pParentWnd)
{
    m_lf = {};
    m_cf = {};
    m_cf.lStructSize = sizeof(m_cf);
    m_cf.Flags = dwFlags;
    m_cf.lpLogFont = &m_lf;
    if (lplfInitial != nullptr)
    {
        m_lf = *lplfInitial;
        m_cf.Flags |= CF_INITTOLOGFONTSTRUCT;
    }
}

INT_PTR CFontDialog::DoModal()
{
    m_cf.lStructSize = sizeof(m_cf);
    m_cf.lpLogFont = &m_lf;
    if (m_cf.hwndOwner == nullptr)
        m_cf.hwndOwner = GetOwnerForDialog();
    m_nModalResult = ::ChooseFontA(&m_cf) ? IDOK : IDCANCEL;
    return m_nModalResult;
}
