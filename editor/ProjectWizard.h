// The project wizard: eight pages that set up a new project (folder, player window, show control, sound,
// contact, file information, end program, completion) and, without the folder and completion pages, the
// project settings sheet. It works on a copy of the settings; the caller takes them over only when the
// wizard ends with Finish or OK.
//
// The document runs it through RunProjectWizard (below), or builds a CProjectWizard itself:
//     CProjectWizard wizard;
//     wizard.SetSettingsMode();                      // or SetNewProjectMode() (the default)
//     wizard.m_Settings.CopyFrom(settings);
//     wizard.SetTutor(tutor, exampleFolder, helpFile);
//     if (IsProjectWizardAccepted(wizard.DoModal())) { settings.CopyFrom(wizard.m_Settings); ... }
#pragma once

#include "editor/EditorControls.h"
#include "editor/ProjectSettings.h"
#include "framework/win/Framework.h"

class CProjectWizard;

// What the pages share: the heading in the title font, the Help button's topic, the wizard's flags and
// buttons.
class CWProjPage : public CPropertyPage
{
    DECLARE_DYNAMIC(CWProjPage)
public:
    CWProjPage(UINT nIDTemplate, const char* helpTopic);

    CProjectWizard* m_pWizard;   // set by the wizard that holds the page

protected:
    BOOL OnInitDialog() override;
    // Wizard buttons (PSWIZB_...) in new-project mode; the settings sheet has OK and Cancel.
    void SetWizardButtons(DWORD flags);
    BOOL IsNewProject() const;
    BOOL IsSettings() const;
    // The wizard's project folder (where the file dialogs start).
    CString GetProjectFolder() const;
    // The check's state decides whether the controls are enabled.
    void EnableWithCheck(int checkId, const int* ids, int count);
    afx_msg void OnHelp();

    CFontStatic m_Heading;
    const char* m_pszHelpTopic;
    DECLARE_MESSAGE_MAP()
};

class CWProjFolder : public CWProjPage
{
public:
    CWProjFolder();

    enum
    {
        MAX_FOLDER_LENGTH = CProjectSettings::MAX_FOLDER_LENGTH   // leaves room for the pack below the folder
    };

    CString m_strFolder;

protected:
    void DoDataExchange(CDataExchange* pDX) override;
    BOOL OnSetActive() override;
    LRESULT OnWizardNext() override;
    afx_msg void OnBrowse();

    BOOL m_bTutorHelpShown;
    DECLARE_MESSAGE_MAP()
};

class CWProjWindow : public CWProjPage
{
public:
    CWProjWindow();

    enum
    {
        SIZE_MODE_SLIDE = 0,
        SIZE_MODE_WINDOW = 1
    };

    int m_nWindowHeight;
    int m_nWindowWidth;
    int m_nDesktopMode;
    CString m_strTitle;
    CString m_strIconFile;
    int m_nSizeMode;
    int m_nSlideWidth;
    int m_nSlideHeight;
    COLORREF m_crColor;
    int m_nExtraWidth;   // the window is this much larger than a slide
    int m_nExtraHeight;

protected:
    void DoDataExchange(CDataExchange* pDX) override;
    BOOL OnInitDialog() override;
    BOOL OnSetActive() override;
    afx_msg void OnSizeMode();
    afx_msg void OnChooseColor();
    afx_msg void OnBrowseIcon();
    void EnableSizeFields();

    CColorSwatch m_Swatch;
    DECLARE_MESSAGE_MAP()
};

class CWProjCtrl : public CWProjPage
{
public:
    CWProjCtrl();

    int m_nAutoExit;      // 0 after the last slide, 1 when the sound file is over, 2 by the user
    int m_nLoop;          // 0 once, 1 endless
    int m_nAdvanceMode;   // 0 by the timer, 1 by the user

protected:
    void DoDataExchange(CDataExchange* pDX) override;
    BOOL OnInitDialog() override;
    BOOL OnSetActive() override;
    afx_msg void OnLoopOnce();
    afx_msg void OnLoopEndless();
    void ApplyLoop(BOOL endless);
    DECLARE_MESSAGE_MAP()
};

class CWProjSound : public CWProjPage
{
public:
    CWProjSound();

    CString m_strSoundFile;
    int m_nSoundOn;
    int m_nRepeat;

protected:
    void DoDataExchange(CDataExchange* pDX) override;
    BOOL OnSetActive() override;
    LRESULT OnWizardNext() override;
    BOOL OnWizardFinish() override;
    afx_msg void OnSoundOn();
    afx_msg void OnBrowse();
    BOOL CheckSoundFile();
    DECLARE_MESSAGE_MAP()
};

class CWProjContact : public CWProjPage
{
public:
    CWProjContact();

    int m_nContactOn;
    CString m_strMail;
    CString m_strWeb;
    CString m_strLines[CProjectSettings::CONTACT_LINES];

protected:
    void DoDataExchange(CDataExchange* pDX) override;
    BOOL OnSetActive() override;
    afx_msg void OnContactOn();
    DECLARE_MESSAGE_MAP()
};

class CWProjInfo : public CWProjPage
{
public:
    CWProjInfo();

    enum
    {
        // The version numbers: the first 1 ... 9999, the others 0 ... 999.
        MIN_FIRST_NUMBER = 1,
        MAX_FIRST_NUMBER = 9999,
        MAX_NUMBER = 999
    };

    int m_nFileInfoOn;
    int m_nNumbers[CProjectSettings::VERSION_NUMBERS];
    CString m_strCopyright;
    CString m_strDescription;
    CString m_strCompany;
    CString m_strProductVersion;

protected:
    void DoDataExchange(CDataExchange* pDX) override;
    BOOL OnSetActive() override;
    afx_msg void OnFileInfoOn();
    DECLARE_MESSAGE_MAP()
};

class CWProjProgStart : public CWProjPage
{
public:
    CWProjProgStart();

    int m_nAutostartOn;
    CString m_strProgram;

    // TRUE for a name that ends with ".EXE" (in any case) and holds it nowhere else.
    static BOOL IsProgramName(const char* name);

protected:
    void DoDataExchange(CDataExchange* pDX) override;
    BOOL OnSetActive() override;
    LRESULT OnWizardNext() override;
    BOOL OnWizardFinish() override;
    afx_msg void OnAutostartOn();
    BOOL CheckProgram();
    DECLARE_MESSAGE_MAP()
};

class CWProjHelp : public CWProjPage
{
public:
    CWProjHelp();

    int m_nCopyStartProgram;

protected:
    void DoDataExchange(CDataExchange* pDX) override;
    BOOL OnSetActive() override;
    // TRUE when the start program lies beside the editor.
    static BOOL IsStartProgramShipped();
};

class CProjectWizard : public CPropertySheet
{
    DECLARE_DYNAMIC(CProjectWizard)
public:
    CProjectWizard();

    // The page set: the new-project wizard (the default) or the settings sheet.
    void SetSettingsMode();
    void SetNewProjectMode();
    BOOL IsSettingsMode() const { return m_bSettingsMode; }
    BOOL IsNewProjectMode() const { return m_bNewProject; }
    // A project made from a tutorial example: the folder page opens the example's help file.
    void SetTutor(BOOL tutor, const char* exampleFolder, const char* helpFile);

    // Fills the pages from m_Settings (a new project starts from the reset values), runs the sheet and, on
    // Finish or OK, takes the pages back into m_Settings and m_nCopyStartProgram. Returns the sheet's result.
    INT_PTR DoModal() override;

    CProjectSettings m_Settings;   // the working copy
    CString m_strProjectFolder;    // the folder as the pages see it
    BOOL m_bTutor;
    CString m_strTutorFolder;
    CString m_strTutorHelp;
    int m_nCopyStartProgram;   // the completion page's check: copy the start program into the project

    CWProjFolder m_pageFolder;
    CWProjWindow m_pageWindow;
    CWProjCtrl m_pageCtrl;
    CWProjSound m_pageSound;
    CWProjContact m_pageContact;
    CWProjInfo m_pageInfo;
    CWProjProgStart m_pageProgStart;
    CWProjHelp m_pageHelp;

protected:
    void FillPages();
    void TakePages();

    BOOL m_bSettingsMode;
    BOOL m_bNewProject;
};

// Finish (ID_WIZFINISH) and OK end the wizard with a result; anything else leaves the settings alone.
inline BOOL IsProjectWizardAccepted(INT_PTR result)
{
    return result == ID_WIZFINISH || result == IDOK;
}

enum ProjectWizardMode
{
    PROJECT_WIZARD_NEW = 0,        // the eight pages that make a new project
    PROJECT_WIZARD_SETTINGS = 1,   // the six-page settings sheet of an open project
};

// The document's entry point: runs the wizard in the mode on a copy of settings (tutor: the new project is
// made from the tutorial example in exampleFolder, whose help file is helpFile). On Finish or OK settings and
// copyStartProgram take the result and the answer is TRUE; otherwise neither changes and it is FALSE.
BOOL RunProjectWizard(int mode, CProjectSettings& settings, int& copyStartProgram, BOOL tutor = FALSE,
                      const char* exampleFolder = nullptr, const char* helpFile = nullptr);
