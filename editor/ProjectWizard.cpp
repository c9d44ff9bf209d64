#include "editor/ProjectWizard.h"

#include "editor/EditorControls.h"
#include "resources/editor/resource.h"

IMPLEMENT_DYNAMIC(CProjectWizard, CPropertySheet)

CProjectWizard::CProjectWizard()
    : CPropertySheet(""), m_bTutor(FALSE), m_nCopyStartProgram(0), m_bSettingsMode(FALSE), m_bNewProject(TRUE)
{
    CWProjPage* pages[] = {&m_pageFolder,  &m_pageWindow, &m_pageCtrl,      &m_pageSound,
                           &m_pageContact, &m_pageInfo,   &m_pageProgStart, &m_pageHelp};
    for (CWProjPage* page : pages)
        page->m_pWizard = this;
}

void CProjectWizard::SetSettingsMode()
{
    m_bSettingsMode = TRUE;
    m_bNewProject = FALSE;
}

void CProjectWizard::SetNewProjectMode()
{
    m_bSettingsMode = FALSE;
    m_bNewProject = TRUE;
}

void CProjectWizard::SetTutor(BOOL tutor, const char* exampleFolder, const char* helpFile)
{
    m_bTutor = tutor;
    m_strTutorFolder = tutor && exampleFolder ? exampleFolder : "";
    m_strTutorHelp = tutor && helpFile ? helpFile : "";
}

INT_PTR CProjectWizard::DoModal()
{
    if (GetSafeHwnd() != nullptr)
        return -1;
    // The page set of the mode (a wizard object serves one project: the first run decides its pages).
    if (m_bNewProject)
    {
        m_Settings.Reset();
        CPropertyPage* pages[] = {&m_pageFolder,  &m_pageWindow, &m_pageCtrl,      &m_pageSound,
                                  &m_pageContact, &m_pageInfo,   &m_pageProgStart, &m_pageHelp};
        if (GetPageCount() == 0)
            for (CPropertyPage* page : pages)
                AddPage(page);
        m_psh.dwFlags = PSH_WIZARD | PSH_WIZARDHASFINISH | PSH_HASHELP;
    }
    else
    {
        CPropertyPage* pages[] = {&m_pageWindow,  &m_pageCtrl, &m_pageSound,
                                  &m_pageContact, &m_pageInfo, &m_pageProgStart};
        if (GetPageCount() == 0)
            for (CPropertyPage* page : pages)
                AddPage(page);
        m_psh.dwFlags = PSH_HASHELP | PSH_NOAPPLYNOW;
        // A wizard shows its pages' titles; the sheet needs one of its own.
        CString title;
        title.LoadString(IDS_PROJECT_SETTINGS_TITLE);
        SetTitle(title);
    }
    m_psh.nStartPage = 0;
    FillPages();

    INT_PTR result = CPropertySheet::DoModal();
    if (IsProjectWizardAccepted(result))
        TakePages();
    return result;
}

void CProjectWizard::FillPages()
{
    const CProjectSettings& s = m_Settings;
    m_strProjectFolder = s.GetFolder();
    m_pageFolder.m_strFolder = s.GetFolder();

    s.GetWindow(m_pageWindow.m_nWindowWidth, m_pageWindow.m_nWindowHeight, m_pageWindow.m_nDesktopMode,
                m_pageWindow.m_strTitle, m_pageWindow.m_crColor, m_pageWindow.m_strIconFile);
    // The slide fields show the slides that fit the window (the settings sheet shows, but cannot change, them).
    m_pageWindow.m_nSizeMode = CWProjWindow::SIZE_MODE_SLIDE;
    m_pageWindow.m_nSlideWidth = m_pageWindow.m_nWindowWidth - m_pageWindow.m_nExtraWidth;
    m_pageWindow.m_nSlideHeight = m_pageWindow.m_nWindowHeight - m_pageWindow.m_nExtraHeight;

    s.GetTermination(m_pageCtrl.m_nAutoExit, m_pageCtrl.m_nLoop, m_pageCtrl.m_nAdvanceMode);
    s.GetSound(m_pageSound.m_nSoundOn, m_pageSound.m_strSoundFile, m_pageSound.m_nRepeat);
    s.GetAutostart(m_pageProgStart.m_nAutostartOn, m_pageProgStart.m_strProgram);
    s.GetContact(m_pageContact.m_nContactOn, m_pageContact.m_strMail, m_pageContact.m_strWeb,
                 m_pageContact.m_strLines);
    s.GetFileInfo(m_pageInfo.m_nFileInfoOn, m_pageInfo.m_nNumbers, m_pageInfo.m_strCopyright,
                  m_pageInfo.m_strDescription, m_pageInfo.m_strCompany, m_pageInfo.m_strProductVersion);
    // Numbers a damaged project holds outside their range would stop the sheet at fields the user may not
    // even see (they are off with the file information).
    for (int i = 0; i < CProjectSettings::VERSION_NUMBERS; i++)
        m_pageInfo.m_nNumbers[i] = ClampInt(m_pageInfo.m_nNumbers[i], i == 0 ? CWProjInfo::MIN_FIRST_NUMBER : 0,
                                            i == 0 ? CWProjInfo::MAX_FIRST_NUMBER : CWProjInfo::MAX_NUMBER);
    m_pageHelp.m_nCopyStartProgram = 0;
}

void CProjectWizard::TakePages()
{
    CProjectSettings& s = m_Settings;
    s.SetFolder(m_pageFolder.m_strFolder);
    const CWProjWindow& w = m_pageWindow;
    s.SetWindow(w.m_nWindowWidth, w.m_nWindowHeight, w.m_nDesktopMode, w.m_strTitle, w.m_crColor, w.m_strIconFile);
    s.SetTermination(m_pageCtrl.m_nAutoExit, m_pageCtrl.m_nLoop, m_pageCtrl.m_nAdvanceMode);
    s.SetSound(m_pageSound.m_nSoundOn, m_pageSound.m_strSoundFile, m_pageSound.m_nRepeat);
    s.SetAutostart(m_pageProgStart.m_nAutostartOn, m_pageProgStart.m_strProgram);
    s.SetContact(m_pageContact.m_nContactOn, m_pageContact.m_strMail, m_pageContact.m_strWeb,
                 m_pageContact.m_strLines);
    s.SetFileInfo(m_pageInfo.m_nFileInfoOn, m_pageInfo.m_nNumbers, m_pageInfo.m_strCopyright,
                  m_pageInfo.m_strDescription, m_pageInfo.m_strCompany, m_pageInfo.m_strProductVersion);
    // Neither an endless loop nor an endless sound ends by itself: such a show ends by the user.
    s.ApplyTerminationRules();
    m_nCopyStartProgram = m_bNewProject ? m_pageHelp.m_nCopyStartProgram : 0;
}

BOOL RunProjectWizard(int mode, CProjectSettings& settings, int& copyStartProgram, BOOL tutor,
                      const char* exampleFolder, const char* helpFile)
{
    CProjectWizard wizard;
    if (mode == PROJECT_WIZARD_SETTINGS)
        wizard.SetSettingsMode();
    else
        wizard.SetNewProjectMode();
    wizard.m_Settings.CopyFrom(settings);
    wizard.SetTutor(tutor, exampleFolder, helpFile);
    if (!IsProjectWizardAccepted(wizard.DoModal()))
        return FALSE;
    settings.CopyFrom(wizard.m_Settings);
    copyStartProgram = wizard.m_nCopyStartProgram;
    return TRUE;
}
