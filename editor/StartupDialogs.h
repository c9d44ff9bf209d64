// The editor's small dialogs around start-up and help: the welcome dialog and the start center after
// start-up, the tip of the day, the tutorial dialog, the about dialog, and the support dialog with the mail
// it writes (or, when no mail program starts, the dialog that lets the user copy the mail's parts by hand).
//
// The application calls them through the functions at the end: RunStartupFlow (command 101),
// ShowTipOfTheDay (at start-up and command 124), RunAboutDialog (57664) and RunSupportDialog (32788). The
// document's tutorial command (32790) runs CTutorDlg, and its new-project flow copies the example's files
// with CopyExampleFiles (ProjectFiles.h).
#pragma once

#include "editor/EditorControls.h"
#include "framework/win/Framework.h"
#include "show/StaticLink.h"

#include <cstdio>

class CWelcomeDlg : public CDialog
{
public:
    // Reads whether the user switched the dialog off.
    explicit CWelcomeDlg(CWnd* pParent = nullptr);

    int m_nDontShow;   // "don't show again": the caller shows the dialog only while it is 0

protected:
    void DoDataExchange(CDataExchange* pDX) override;
    BOOL OnInitDialog() override;
    // Both buttons remember the check box before the dialog ends.
    void OnOK() override;
    void OnCancel() override;
    void StoreChoice();

    CFontStatic m_Title;
    CFontStatic m_Text;
    CBitmap m_bmpTutor;
};

class CStartCenterDlg : public CDialog
{
public:
    explicit CStartCenterDlg(CWnd* pParent = nullptr);

protected:
    BOOL OnInitDialog() override;
    afx_msg void OnNewProject();
    afx_msg void OnOpenProject();
    afx_msg void OnDocumentation();
    // Ends the dialog and lets the main window run the command.
    void CloseAndPost(UINT command);

    CBitmap m_bmpNew;
    CBitmap m_bmpOpen;
    CBitmap m_bmpHelp;
    CFontStatic m_NewText;
    CFontStatic m_OpenText;
    CFontStatic m_HelpText;
    DECLARE_MESSAGE_MAP()
};

// The tip of the day: one tip after the other from "tips.txt" beside the editor, going on where the last one
// left off. Lines that begin with a blank, a tab or ";" and empty lines are not tips; "<BR>" in a tip breaks
// its line. When the file changed since the last tip, the tips start over.
class CTipDlg : public CDialog
{
public:
    explicit CTipDlg(CWnd* pParent = nullptr);
    ~CTipDlg() override;

    // The next tip of the file (from the top after the last one); empty when the file holds none.
    void GetNextTipString(CString& tip);
    // Whether the user wants tips at start-up (the profile's value, read without opening the tips).
    static BOOL IsShownAtStartup();

    int m_bStartup;     // show at start-up (check box)
    CString m_strTip;   // the tip shown
    FILE* m_pStream;    // the open tips file; null when there is none

protected:
    void DoDataExchange(CDataExchange* pDX) override;
    BOOL OnInitDialog() override;
    void OnOK() override;
    void OnCancel() override;
    afx_msg void OnNextTip();
    afx_msg void OnPaint();
    afx_msg HBRUSH OnCtlColor(CDC* pDC, CWnd* pWnd, UINT nCtlColor);
    // Reads one whole line, without its line end; FALSE at the end of the file.
    BOOL ReadLine(CString& line);

    CBitmap m_bmpBulb;
    CFont m_fontHeading;
    CBrush m_brushWhite;
    DECLARE_MESSAGE_MAP()
};

class CTutorDlg : public CDialog
{
public:
    explicit CTutorDlg(CWnd* pParent = nullptr);

    // A number of 0 or less means the first example; the paths are the application's for that example.
    // FALSE when the example is not there.
    BOOL ResolveExample();

    int m_nExample;
    CString m_strExampleFolder;
    CString m_strPlayerPath;
    CString m_strPackPath;
    CString m_strHelpPath;
    CString m_strProjectFolder;

protected:
    BOOL OnInitDialog() override;
    afx_msg void OnViewExample();
    afx_msg void OnCreateExample();

    CFontStatic m_Title;
    DECLARE_MESSAGE_MAP()
};

class CAboutDlg : public CDialog
{
public:
    explicit CAboutDlg(CWnd* pParent = nullptr);

    // The web pages of the two links, in the user's language.
    static CString GetHomePage();
    static CString GetSupportPage();

protected:
    BOOL OnInitDialog() override;

    CStaticLink m_linkHome;
    CStaticLink m_linkSupport;
};

class CSupportDlg : public CDialog
{
public:
    explicit CSupportDlg(CWnd* pParent = nullptr);

    static const char* const SUPPORT_ADDRESS;

    // The mail to the support, as the mail program gets it: "mailto:" with subject and body (line ends
    // written "%0d%0a").
    CString MakeMailAddress() const;
    CString MakeMailSubject() const;
    CString MakeMailBody() const;

    CString m_strVersion;          // the editor's version
    CString m_strWindowsVersion;   // the system's name and version

protected:
    BOOL OnInitDialog() override;
    afx_msg void OnSupportMail();
    DECLARE_MESSAGE_MAP()
};

// The support mail's recipient, subject and body, each with a button that copies it to the clipboard.
class CSupportMailDlg : public CDialog
{
public:
    explicit CSupportMailDlg(CWnd* pParent = nullptr);

    CString m_strRecipient;
    CString m_strBody;
    CString m_strSubject;

protected:
    void DoDataExchange(CDataExchange* pDX) override;
    BOOL OnInitDialog() override;
    afx_msg void OnCopyRecipient();
    afx_msg void OnCopyBody();
    afx_msg void OnCopySubject();
    void CopyToClipboard(int editId);

    CBitmap m_bmpCopy;
    DECLARE_MESSAGE_MAP()
};

// Text operations of the support mail.
// Lower case for searching: also the upper-case umlauts of code page 1252 (0xC4, 0xD6, 0xDC).
CString LowerCaseForSearch(const char* text);
// Replaces every occurrence of search by replacement, going on after each inserted replacement (so a
// replacement that holds the search text is not replaced again); ignoreCase searches as LowerCaseForSearch.
// Returns the number of replacements.
int ReplaceAll(CString& text, const char* search, const char* replacement, BOOL ignoreCase = FALSE);

// The application's entry points.
// Command 101 after start-up: the welcome dialog unless the user switched it off; its "Yes" posts the tutorial
// command (32790) to the main window, otherwise (and when it is switched off) the start center follows.
void RunStartupFlow();
// The tip of the day; at start-up only when the user wants tips then.
void ShowTipOfTheDay(BOOL atStartup);
void RunAboutDialog();
// The support dialog with the editor's version and the system's.
void RunSupportDialog();
