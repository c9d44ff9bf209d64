// Dialogs and dialog data exchange.
//
// A modal dialog is created modeless from its template, its owner disabled, and runs our own message loop
// (RunModalLoop), so loops nest: ending an outer dialog from inside an inner one ends the outer loop as soon
// as the inner one has returned. A modeless dialog (Create) is hidden when it ends.
#pragma once

#include "framework/win/Wnd.h"

class CDialog : public CWnd
{
    DECLARE_DYNAMIC(CDialog)
public:
    CDialog();
    explicit CDialog(UINT nIDTemplate, CWnd* pParentWnd = nullptr);
    explicit CDialog(LPCSTR lpszTemplateName, CWnd* pParentWnd = nullptr);
    ~CDialog() override;

    // Modeless
    virtual BOOL Create(LPCSTR lpszTemplateName, CWnd* pParentWnd = nullptr);
    virtual BOOL Create(UINT nIDTemplate, CWnd* pParentWnd = nullptr);
    virtual BOOL CreateIndirect(LPCDLGTEMPLATE lpDialogTemplate, CWnd* pParentWnd = nullptr);
    // Modal
    BOOL InitModalIndirect(LPCDLGTEMPLATE lpDialogTemplate, CWnd* pParentWnd = nullptr);
    virtual INT_PTR DoModal();   // the EndDialog value; -1 when the dialog cannot be created or is open

    void EndDialog(int nResult);
    void NextDlgCtrl() const;
    void PrevDlgCtrl() const;
    void GotoDlgCtrl(CWnd* pWndCtrl);
    void SetDefID(UINT nID);
    DWORD GetDefID() const;
    void MapDialogRect(LPRECT lpRect) const;
    BOOL IsModal() const { return (m_nFlags & WF_MODALLOOP) != 0; }

    virtual BOOL OnInitDialog();   // base: data exchange to the controls; TRUE lets the system set focus
    virtual void OnOK();           // base: UpdateData(TRUE), then EndDialog(IDOK)
    virtual void OnCancel();       // base: EndDialog(IDCANCEL)
    BOOL PreTranslateMessage(MSG* pMsg) override;
    BOOL OnCmdMsg(UINT nID, int nCode, void* pExtra, AFX_CMDHANDLERINFO* pHandlerInfo) override;

    LPCSTR m_lpszTemplateName = nullptr;   // name or MAKEINTRESOURCE id
    LPCDLGTEMPLATE m_lpDialogTemplate = nullptr;
    CWnd* m_pParentWnd = nullptr;
    UINT m_nIDHelp = 0;

protected:
    BOOL CreateDlgIndirect(LPCDLGTEMPLATE lpDialogTemplate, CWnd* pParentWnd);
    afx_msg LRESULT HandleInitDialog(WPARAM wParam, LPARAM lParam);
    DECLARE_MESSAGE_MAP()
};

// Thrown by CDataExchange::Fail and caught by UpdateData (never leaves it).
struct CDataExchangeFailure
{
};

class CDataExchange
{
public:
    CDataExchange(CWnd* pDlgWnd, BOOL bSaveAndValidate);

    BOOL m_bSaveAndValidate;   // TRUE: controls -> members
    CWnd* m_pDlgWnd;
    HWND m_hWndLastControl = nullptr;
    BOOL m_bEditLastControl = FALSE;
    int m_idLastControl = 0;

    HWND PrepareCtrl(int nIDC);   // the control's window (null when absent), remembered for Fail
    HWND PrepareEditCtrl(int nIDC);
    // Puts the focus on the last prepared control (selecting an edit's text) and ends the exchange.
    [[noreturn]] void Fail();
};

void DDX_Text(CDataExchange* pDX, int nIDC, CString& value);
void DDX_Text(CDataExchange* pDX, int nIDC, int& value);
void DDX_Check(CDataExchange* pDX, int nIDC, int& value);
void DDX_Control(CDataExchange* pDX, int nIDC, CWnd& rControl);
void DDV_MinMaxInt(CDataExchange* pDX, int value, int minVal, int maxVal);
// A group of radio buttons from nIDC (the first, with WS_GROUP) to the next WS_GROUP: the index of the
// checked one, -1 for none.
void DDX_Radio(CDataExchange* pDX, int nIDC, int& value);
// A combo box's text. Filling selects the item of exactly that text (without case); a combo box with an edit
// shows any other text, a drop-down list then has no selection.
void DDX_CBString(CDataExchange* pDX, int nIDC, CString& value);
// The selected index of a combo box or list box, -1 for none.
void DDX_CBIndex(CDataExchange* pDX, int nIDC, int& index);
void DDX_LBIndex(CDataExchange* pDX, int nIDC, int& index);
// Refuses a text longer than nChars when taking data; when filling, the last control gets that limit.
void DDV_MaxChars(CDataExchange* pDX, const CString& value, int nChars);
