// Property sheets and wizards on the common-control property sheet.
//
// A sheet is always created modeless (PSH_MODELESS); DoModal disables the owner and runs our own modal loop,
// as CDialog::DoModal does, so loops nest and idle processing goes on. The sheet and its pages are attached to
// their objects by the creation hook before their first message, so both have message maps; what a map does
// not take goes to the common control.
//
// Pages exchange data when they are left: a tab change, Next or OK takes the page's data (OnKillActive, whose
// base is UpdateData(TRUE)) and keeps the page when that fails. Back leaves without checking; at Finish and OK
// every page that was shown since its data was last taken exchanges too, and the first one that fails becomes
// the active page and keeps the sheet open. A page that changes its members while it is left should put them
// back into its controls (UpdateData(FALSE)), since a later exchange reads the controls.
//
// The sheet ends when the common control has closed it (OK, Cancel, Finish, also through PressButton): a modal
// sheet returns IDOK, IDCANCEL or ID_WIZFINISH; a modeless one destroys its window.
#pragma once

#include "framework/win/Dialog.h"

#include <prsht.h>

// Command ids of the sheet's buttons.
#ifndef ID_APPLY_NOW
#define ID_APPLY_NOW 0x3021
#endif
#ifndef ID_WIZBACK
#define ID_WIZBACK 0x3023
#endif
#ifndef ID_WIZNEXT
#define ID_WIZNEXT 0x3024
#endif
#ifndef ID_WIZFINISH
#define ID_WIZFINISH 0x3025
#endif
// The command a page receives when the sheet's Help button is pressed.
#ifndef ID_HELP
#define ID_HELP 0xE146
#endif

class CPropertySheet;

class CPropertyPage : public CDialog
{
    DECLARE_DYNAMIC(CPropertyPage)
public:
    // nIDCaption: string resource for the tab (0: the template's caption).
    explicit CPropertyPage(UINT nIDTemplate, UINT nIDCaption = 0);
    explicit CPropertyPage(LPCSTR lpszTemplateName, UINT nIDCaption = 0);
    ~CPropertyPage() override;

    // The page's description for the common control; callers may add flags (PSP_HASHELP, ...). The sheet
    // fills in the template, the procedures and the title when it creates the page.
    PROPSHEETPAGEA m_psp;

    // TRUE shows the page; FALSE skips it (a wizard moves on in the same direction).
    virtual BOOL OnSetActive();
    // TRUE lets the page be left; the base takes the page's data (UpdateData(TRUE)).
    virtual BOOL OnKillActive();
    // 0 goes to the next (previous) page, -1 stays, a template id goes to that page.
    virtual LRESULT OnWizardBack();
    virtual LRESULT OnWizardNext();
    // FALSE keeps the wizard open.
    virtual BOOL OnWizardFinish();
    // OK of the sheet (after the data was taken) and Cancel of the sheet; neither ends anything itself.
    void OnOK() override;
    void OnCancel() override;

    BOOL PreTranslateMessage(MSG* pMsg) override;

protected:
    BOOL OnNotify(WPARAM wParam, LPARAM lParam, LRESULT* pResult) override;

private:
    friend class CPropertySheet;
    LRESULT OnSheetNotify(UINT code);

    CString m_strCaption;
    CPropertySheet* m_pSheet = nullptr;
    bool m_bShownSinceExchange = false;   // the controls may hold what the members do not
    bool m_bLeftByButton = false;         // Next or Back decided the leave; the kill-active that follows is done
};

class CPropertySheet : public CWnd
{
    DECLARE_DYNAMIC(CPropertySheet)
public:
    CPropertySheet();
    explicit CPropertySheet(UINT nIDCaption, CWnd* pParentWnd = nullptr, UINT iSelectPage = 0);
    explicit CPropertySheet(LPCSTR pszCaption, CWnd* pParentWnd = nullptr, UINT iSelectPage = 0);
    ~CPropertySheet() override;

    // The sheet's description for the common control; callers set dwFlags (PSH_WIZARD, PSH_HASHELP,
    // PSH_NOAPPLYNOW, PSH_WIZARDHASFINISH, ...). Pages, caption and start page are filled in at creation.
    PROPSHEETHEADERA m_psh;
    CWnd* m_pParentWnd = nullptr;

    // Pages stay owned by the caller. Adding to an open sheet adds the tab at once.
    void AddPage(CPropertyPage* pPage);
    int GetPageCount() const;
    CPropertyPage* GetPage(int nPage) const;              // null outside the range
    int GetPageIndex(const CPropertyPage* pPage) const;   // -1 when not in this sheet
    CPropertyPage* GetActivePage() const;
    int GetActiveIndex() const;
    // Before creation: the page shown first. FALSE for an index outside the range or a page change refused.
    BOOL SetActivePage(int nPage);
    BOOL SetActivePage(CPropertyPage* pPage);
    void SetTitle(LPCSTR lpszText);
    // The sheet's tab control (its own object when one is attached, else a temporary wrapper); null before
    // creation.
    CWnd* GetTabControl() const;

    void SetWizardMode();
    BOOL IsWizard() const;
    void SetWizardButtons(DWORD dwFlags);   // PSWIZB_... (sent: the buttons change at once)
    // Presses a button as the user would (PSBTN_...); the press is posted, so it runs from the message loop.
    void PressButton(int nButton);

    virtual INT_PTR DoModal();   // IDOK, IDCANCEL, ID_WIZFINISH; -1 when it cannot be created or is open
    virtual BOOL Create(CWnd* pParentWnd = nullptr);   // modeless
    // Ends a modal sheet with nEndID; destroys a modeless one.
    void EndDialog(int nEndID);

    // The common control builds the sheet and its first page in the base; derived sheets call it.
    virtual BOOL OnInitDialog();
    BOOL PreTranslateMessage(MSG* pMsg) override;
    LRESULT WindowProc(UINT message, WPARAM wParam, LPARAM lParam) override;

protected:
    afx_msg LRESULT HandleInitDialog(WPARAM wParam, LPARAM lParam);
    DECLARE_MESSAGE_MAP()

private:
    friend class CPropertyPage;
    void CommonConstruct(CWnd* pParentWnd, UINT iSelectPage);
    BOOL CreateSheet(HWND hWndParent);
    BOOL PreparePage(CPropertyPage* pPage, PROPSHEETPAGEA& psp);
    // Takes the data of every page shown since its last exchange except pSkip; the first that fails
    // becomes the active page. FALSE then.
    BOOL ExchangeShownPages(CPropertyPage* pSkip);
    void OnSheetClosed(int nResult);
    static UINT CALLBACK PageCallback(HWND hWnd, UINT uMsg, LPPROPSHEETPAGEA ppsp);

    CPtrArray m_pages;
    CString m_strCaption;
    bool m_bPageCreationPending = false;   // a page's creation hook may still be set
};
