// The common dialogs.
#include "framework/win/Framework.h"

#include <cstring>

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
    BOOL bOK = m_bOpenFileDialog ? ::GetOpenFileNameA(&m_ofn) : ::GetSaveFileNameA(&m_ofn);
    m_nModalResult = bOK ? IDOK : IDCANCEL;
    return m_nModalResult;
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
    CString name = GetFileName();
    int dot = name.ReverseFind('.');
    return dot < 0 ? CString() : name.Mid(dot + 1);
}

CString CFileDialog::GetFileTitle() const
{
    CString name = GetFileName();
    int dot = name.ReverseFind('.');
    return dot < 0 ? name : name.Left(dot);
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
