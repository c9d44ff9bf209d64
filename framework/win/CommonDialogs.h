// The system's common dialogs: file open and save, colour and font. Each runs the system dialog modally
// (the system's own loop) over the owner a CDialog would get, and hands back what the user chose.
// DoModal returns IDOK, or IDCANCEL when the user cancelled or the system dialog could not run.
#pragma once

#include "framework/win/Dialog.h"

#include <commdlg.h>

#include <string>

class CCommonDialog : public CDialog
{
    DECLARE_DYNAMIC(CCommonDialog)
public:
    explicit CCommonDialog(CWnd* pParentWnd);

protected:
    // The owner window for the system dialog: the parent given, else the main window's last active pop-up.
    HWND GetOwnerForDialog() const;
};

class CFileDialog : public CCommonDialog
{
    DECLARE_DYNAMIC(CFileDialog)
public:
    // lpszFilter: pairs of description and pattern separated by '|' ("Text (*.txt)|*.txt|All|*.*||");
    // lpszDefExt: appended by the system to a name typed without extension (no leading point).
    explicit CFileDialog(BOOL bOpenFileDialog, LPCSTR lpszDefExt = nullptr, LPCSTR lpszFileName = nullptr,
                         DWORD dwFlags = OFN_HIDEREADONLY | OFN_OVERWRITEPROMPT, LPCSTR lpszFilter = nullptr,
                         CWnd* pParentWnd = nullptr);

    // Callers may set lpstrInitialDir, lpstrTitle, Flags and nFilterIndex before DoModal.
    OPENFILENAMEA m_ofn;

    INT_PTR DoModal() override;

    CString GetPathName() const;    // the full path chosen
    CString GetFileName() const;    // its name with extension
    CString GetFileExt() const;     // its extension without the point ("" when none)
    CString GetFileTitle() const;   // its name without extension

    // The longest path the dialog hands back: what its buffer holds.
    enum
    {
        MAX_PATH_LENGTH = MAX_PATH - 1
    };

protected:
    // A path longer than MAX_PATH_LENGTH was typed (or came out of the name with its extension): the user is
    // told with the program's string AFX_IDS_PATH_TOO_LONG (path, its length, the limit) and the dialog
    // stays. The system dialog itself is never handed such a path.
    virtual void OnPathTooLong(const CString& path);

private:
    static UINT_PTR CALLBACK HookProc(HWND hWnd, UINT message, WPARAM wParam, LPARAM lParam);
    static LRESULT CALLBACK DialogProc(HWND hWnd, UINT message, WPARAM wParam, LPARAM lParam, UINT_PTR id,
                                       DWORD_PTR data);
    // The file name box: an edit, or a combo box around one.
    static HWND NameBox(HWND hDlg);
    // The path the name the user typed gives (the name itself when it is a full path), empty for none.
    CString TypedPath(HWND hDlg) const;

    BOOL m_bOpenFileDialog;
    std::string m_strFilter;   // the filter with its '|' turned into the terminators the system expects
    CString m_strDefExt;
    CString m_strTyped;   // the path of the last OK the dialog passed on
    char m_szFileName[MAX_PATH] = {};
    char m_szFileTitle[MAX_PATH] = {};
};

class CColorDialog : public CCommonDialog
{
    DECLARE_DYNAMIC(CColorDialog)
public:
    // The dialog starts on clrInit; dwFlags adds CC_FULLOPEN, CC_ANYCOLOR, ... The custom colours the user
    // defines are kept for the program's later colour dialogs.
    explicit CColorDialog(COLORREF clrInit = 0, DWORD dwFlags = 0, CWnd* pParentWnd = nullptr);

    CHOOSECOLORA m_cc;

    INT_PTR DoModal() override;
    COLORREF GetColor() const { return m_cc.rgbResult; }
};

class CFontDialog : public CCommonDialog
{
    DECLARE_DYNAMIC(CFontDialog)
public:
    // With lplfInitial the dialog starts on that font. m_cf.rgbColors sets the starting colour (CF_EFFECTS).
    explicit CFontDialog(const LOGFONTA* lplfInitial = nullptr, DWORD dwFlags = CF_EFFECTS | CF_SCREENFONTS,
                         CWnd* pParentWnd = nullptr);

    CHOOSEFONTA m_cf;
    LOGFONTA m_lf;   // the font chosen (and the one started on)

    INT_PTR DoModal() override;

    void GetCurrentFont(LPLOGFONTA lplf) const { *lplf = m_lf; }
    CString GetFaceName() const { return CString(m_lf.lfFaceName); }
    int GetSize() const { return m_cf.iPointSize; }   // tenths of a point
    COLORREF GetColor() const { return m_cf.rgbColors; }
    int GetWeight() const { return static_cast<int>(m_lf.lfWeight); }
    BOOL IsStrikeOut() const { return m_lf.lfStrikeOut != 0; }
    BOOL IsUnderline() const { return m_lf.lfUnderline != 0; }
    BOOL IsBold() const { return m_lf.lfWeight >= FW_BOLD; }
    BOOL IsItalic() const { return m_lf.lfItalic != 0; }
};
