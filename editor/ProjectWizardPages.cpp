#include "editor/FileHelpers.h"
#include "editor/FolderDlgs.h"
#include "editor/HelpTopics.h"
#include "editor/ProjectWizard.h"
#include "editor/VexulCreatorApp.h"
#include "resources/editor/resource.h"

namespace
{

const COLORREF HEADING_COLOR = RGB(0, 0, 0x80);

// The window and slide sizes the player takes.
const int MIN_WINDOW_WIDTH = 40;
const int MAX_WINDOW_WIDTH = 640;
const int MIN_WINDOW_HEIGHT = 30;
const int MAX_WINDOW_HEIGHT = 480;
const int MIN_SLIDE_WIDTH = 38;
const int MAX_SLIDE_WIDTH = 638;
const int MIN_SLIDE_HEIGHT = 16;
const int MAX_SLIDE_HEIGHT = 466;

// A file dialog for one kind of file, starting in folder; the chosen path when it exists, else empty.
CString BrowseForExistingFile(CWnd* owner, const char* filter, const char* folder)
{
    CString saved = GetCurrentFolder();
    CFileDialog dialog(TRUE, nullptr, nullptr, OFN_HIDEREADONLY | OFN_FILEMUSTEXIST, filter, owner);
    CString start = folder != nullptr ? folder : "";
    if (!start.IsEmpty())
        dialog.m_ofn.lpstrInitialDir = start;
    INT_PTR result = dialog.DoModal();
    if (!saved.IsEmpty())
        SetCurrentDirectoryA(saved);
    if (result != IDOK || !FileExists(dialog.GetPathName()))
        return CString();
    return dialog.GetPathName();
}

// The folder as a full path without a trailing backslash (a drive's root keeps its own).
CString NormalizeFolder(const CString& folder)
{
    return Path::WithoutTrailingBackslash(GetFullPath(folder));
}

}   // namespace

// ---- the pages' common part ----------------------------------------------------------------------------

IMPLEMENT_DYNAMIC(CWProjPage, CPropertyPage)

BEGIN_MESSAGE_MAP(CWProjPage, CPropertyPage)
    ON_COMMAND(ID_HELP, OnHelp)
END_MESSAGE_MAP()

CWProjPage::CWProjPage(UINT nIDTemplate, const char* helpTopic)
    : CPropertyPage(nIDTemplate), m_pWizard(nullptr), m_pszHelpTopic(helpTopic)
{
    m_psp.dwFlags |= PSP_HASHELP;
}

BOOL CWProjPage::OnInitDialog()
{
    CPropertyPage::OnInitDialog();
    if (m_Heading.SubclassDlgItem(IDC_TITLE, this))
        m_Heading.SetFont(-16, FW_BOLD, FALSE, HEADING_COLOR);
    return TRUE;
}

void CWProjPage::SetWizardButtons(DWORD flags)
{
    if (IsNewProject() && m_pWizard != nullptr)
        m_pWizard->SetWizardButtons(flags);
}

BOOL CWProjPage::IsNewProject() const
{
    return m_pWizard != nullptr && m_pWizard->IsNewProjectMode();
}

BOOL CWProjPage::IsSettings() const
{
    return m_pWizard != nullptr && m_pWizard->IsSettingsMode();
}

CString CWProjPage::GetProjectFolder() const
{
    return m_pWizard != nullptr ? m_pWizard->m_strProjectFolder : CString();
}

void CWProjPage::EnableWithCheck(int checkId, const int* ids, int count)
{
    BOOL on = IsDlgButtonChecked(checkId) == BST_CHECKED;
    for (int i = 0; i < count; i++)
        if (CWnd* control = GetDlgItem(ids[i]))
            control->EnableWindow(on);
}

void CWProjPage::OnHelp()
{
    ShowHelpTopic(m_pszHelpTopic);
}

// ---- project folder ------------------------------------------------------------------------------------

BEGIN_MESSAGE_MAP(CWProjFolder, CWProjPage)
    ON_BN_CLICKED(IDC_WP_FOLDER_BROWSE, OnBrowse)
END_MESSAGE_MAP()

CWProjFolder::CWProjFolder() : CWProjPage(IDD_WPROJ_FOLDER, "vc_project.htm"), m_bTutorHelpShown(FALSE)
{
}

void CWProjFolder::DoDataExchange(CDataExchange* pDX)
{
    CWProjPage::DoDataExchange(pDX);
    DDX_Text(pDX, IDC_WP_FOLDER, m_strFolder);
}

BOOL CWProjFolder::OnSetActive()
{
    SetDlgItemText(IDC_WP_FOLDER, GetProjectFolder());
    SetWizardButtons(PSWIZB_NEXT | PSWIZB_DISABLEDFINISH);
    // A project made from a tutorial example: its help leads the way (opened once per wizard).
    if (m_pWizard != nullptr && m_pWizard->m_bTutor && !m_bTutorHelpShown && FileExists(m_pWizard->m_strTutorHelp))
    {
        m_bTutorHelpShown = TRUE;
        AfxShellExecute(GetSafeHwnd(), "open", "\"" + m_pWizard->m_strTutorHelp + "\"", nullptr, nullptr,
                        SW_SHOWNORMAL);
    }
    return CWProjPage::OnSetActive();
}

void CWProjFolder::OnBrowse()
{
    CString title, text, folder;
    title.LoadString(IDS_SELECT_PROJECT_FOLDER);
    text.LoadString(IDS_SELECT_PROJECT_FOLDER_TEXT);
    GetDlgItemText(IDC_WP_FOLDER, folder);
    if (BrowseForProjectFolder(this, title, text, folder) && IsFolder(folder))
        SetDlgItemText(IDC_WP_FOLDER, folder);
}

LRESULT CWProjFolder::OnWizardNext()
{
    m_strFolder.Trim();
    CString folder = m_strFolder.IsEmpty() ? CString() : NormalizeFolder(m_strFolder);
    // The project's files are named below the folder: a longer folder would not leave them room. The length
    // comes first: the system finds no folder longer than its paths, though one may be there.
    if (folder.GetLength() > MAX_FOLDER_LENGTH)
    {
        AfxMessageBox(FormatString(IDS_PROJECT_FOLDER_TOO_LONG, folder.GetLength(), static_cast<int>(MAX_FOLDER_LENGTH)),
                      MB_OK | MB_ICONEXCLAMATION);
        return -1;
    }
    if (folder.IsEmpty() || !IsFolder(folder))
    {
        AfxMessageBox(IDS_NEED_PROJECT_FOLDER, MB_OK | MB_ICONEXCLAMATION);
        return -1;
    }
    m_strFolder = folder;
    SetDlgItemText(IDC_WP_FOLDER, m_strFolder);
    if (m_pWizard != nullptr)
        m_pWizard->m_strProjectFolder = m_strFolder;
    return 0;
}

// ---- player window -------------------------------------------------------------------------------------

BEGIN_MESSAGE_MAP(CWProjWindow, CWProjPage)
    ON_BN_CLICKED(IDC_WP_SIZE_SLIDE, OnSizeMode)
    ON_BN_CLICKED(IDC_WP_SIZE_WINDOW, OnSizeMode)
    ON_BN_CLICKED(IDC_WP_CHOOSE_COLOR, OnChooseColor)
    ON_BN_CLICKED(IDC_WP_ICON_BROWSE, OnBrowseIcon)
END_MESSAGE_MAP()

CWProjWindow::CWProjWindow()
    : CWProjPage(IDD_WPROJ_WINDOW, "vc_playerwindow.htm"), m_nWindowHeight(MAX_SLIDE_HEIGHT),
      m_nWindowWidth(MAX_SLIDE_WIDTH), m_nDesktopMode(0), m_strTitle("Vexul"), m_nSizeMode(SIZE_MODE_SLIDE),
      m_nSlideWidth(MAX_SLIDE_WIDTH), m_nSlideHeight(MAX_SLIDE_HEIGHT), m_crColor(RGB(0x3A, 0x6E, 0xA5)),
      m_nExtraWidth(CProjectSettings::WINDOW_EXTRA_WIDTH), m_nExtraHeight(CProjectSettings::WINDOW_EXTRA_HEIGHT)
{
}

void CWProjWindow::DoDataExchange(CDataExchange* pDX)
{
    CWProjPage::DoDataExchange(pDX);
    // The settings sheet shows the size but cannot change it: only new projects choose one.
    const BOOL check = !IsSettings();
    DDX_Text(pDX, IDC_WP_WINDOW_HEIGHT, m_nWindowHeight);
    if (check)
        DDV_MinMaxInt(pDX, m_nWindowHeight, MIN_WINDOW_HEIGHT, MAX_WINDOW_HEIGHT);
    DDX_Text(pDX, IDC_WP_WINDOW_WIDTH, m_nWindowWidth);
    if (check)
        DDV_MinMaxInt(pDX, m_nWindowWidth, MIN_WINDOW_WIDTH, MAX_WINDOW_WIDTH);
    DDX_Check(pDX, IDC_WP_DESKTOP, m_nDesktopMode);
    DDX_Text(pDX, IDC_WP_TITLE, m_strTitle);
    DDX_Text(pDX, IDC_WP_ICON, m_strIconFile);
    DDX_Radio(pDX, IDC_WP_SIZE_SLIDE, m_nSizeMode);
    DDX_Text(pDX, IDC_WP_SLIDE_WIDTH, m_nSlideWidth);
    if (check)
        DDV_MinMaxInt(pDX, m_nSlideWidth, MIN_SLIDE_WIDTH, MAX_SLIDE_WIDTH);
    DDX_Text(pDX, IDC_WP_SLIDE_HEIGHT, m_nSlideHeight);
    if (check)
        DDV_MinMaxInt(pDX, m_nSlideHeight, MIN_SLIDE_HEIGHT, MAX_SLIDE_HEIGHT);
    if (pDX->m_bSaveAndValidate)
    {
        m_crColor = m_Swatch.GetColor();
        // A size given for the slides makes the window around them.
        if (check && m_nSizeMode == SIZE_MODE_SLIDE)
        {
            m_nWindowWidth = m_nSlideWidth + m_nExtraWidth;
            m_nWindowHeight = m_nSlideHeight + m_nExtraHeight;
            SetDlgItemInt(IDC_WP_WINDOW_WIDTH, static_cast<UINT>(m_nWindowWidth));
            SetDlgItemInt(IDC_WP_WINDOW_HEIGHT, static_cast<UINT>(m_nWindowHeight));
        }
    }
}

BOOL CWProjWindow::OnInitDialog()
{
    m_Swatch.SubclassDlgItem(IDC_WP_COLOR_SWATCH, this);
    m_Swatch.SetColor(m_crColor);
    CWProjPage::OnInitDialog();
    EnableSizeFields();
    return TRUE;
}

BOOL CWProjWindow::OnSetActive()
{
    SetWizardButtons(PSWIZB_BACK | PSWIZB_NEXT);
    return CWProjPage::OnSetActive();
}

void CWProjWindow::EnableSizeFields()
{
    BOOL windowMode = IsDlgButtonChecked(IDC_WP_SIZE_WINDOW) == BST_CHECKED;
    BOOL settings = IsSettings();
    const int windowFields[] = {IDC_WP_WINDOW_WIDTH, IDC_WP_WINDOW_HEIGHT};
    const int slideFields[] = {IDC_WP_SLIDE_WIDTH, IDC_WP_SLIDE_HEIGHT};
    for (int id : windowFields)
        GetDlgItem(id)->EnableWindow(!settings && windowMode);
    for (int id : slideFields)
        GetDlgItem(id)->EnableWindow(!settings && !windowMode);
    GetDlgItem(IDC_WP_SIZE_SLIDE)->EnableWindow(!settings);
    GetDlgItem(IDC_WP_SIZE_WINDOW)->EnableWindow(!settings);
}

void CWProjWindow::OnSizeMode()
{
    int mode = IsDlgButtonChecked(IDC_WP_SIZE_WINDOW) == BST_CHECKED ? SIZE_MODE_WINDOW : SIZE_MODE_SLIDE;
    if (mode != m_nSizeMode)
    {
        // The size the user gave so far carries over to the other pair of fields.
        BOOL widthOk = FALSE, heightOk = FALSE;
        if (mode == SIZE_MODE_WINDOW)
        {
            int width = static_cast<int>(GetDlgItemInt(IDC_WP_SLIDE_WIDTH, &widthOk));
            int height = static_cast<int>(GetDlgItemInt(IDC_WP_SLIDE_HEIGHT, &heightOk));
            if (widthOk)
                SetDlgItemInt(IDC_WP_WINDOW_WIDTH, static_cast<UINT>(width + m_nExtraWidth));
            if (heightOk)
                SetDlgItemInt(IDC_WP_WINDOW_HEIGHT, static_cast<UINT>(height + m_nExtraHeight));
        }
        else
        {
            int width = static_cast<int>(GetDlgItemInt(IDC_WP_WINDOW_WIDTH, &widthOk));
            int height = static_cast<int>(GetDlgItemInt(IDC_WP_WINDOW_HEIGHT, &heightOk));
            if (widthOk)
                SetDlgItemInt(IDC_WP_SLIDE_WIDTH, static_cast<UINT>(width - m_nExtraWidth));
            if (heightOk)
                SetDlgItemInt(IDC_WP_SLIDE_HEIGHT, static_cast<UINT>(height - m_nExtraHeight));
        }
        m_nSizeMode = mode;
    }
    EnableSizeFields();
}

void CWProjWindow::OnChooseColor()
{
    COLORREF color = m_Swatch.GetColor();
    if (PickColor(this, color))
        m_Swatch.SetColor(color);
}

void CWProjWindow::OnBrowseIcon()
{
    CString filter;
    filter.LoadString(IDS_FILTER_ICONS);
    CString path = BrowseForExistingFile(this, filter, GetProjectFolder());
    if (!path.IsEmpty())
        SetDlgItemText(IDC_WP_ICON, path);
}

// ---- show control --------------------------------------------------------------------------------------

BEGIN_MESSAGE_MAP(CWProjCtrl, CWProjPage)
    ON_BN_CLICKED(IDC_WP_LOOP_ONCE, OnLoopOnce)
    ON_BN_CLICKED(IDC_WP_LOOP_ENDLESS, OnLoopEndless)
END_MESSAGE_MAP()

CWProjCtrl::CWProjCtrl()
    : CWProjPage(IDD_WPROJ_CTRL, "vc_control.htm"), m_nAutoExit(CProjectSettings::EXIT_AFTER_LAST_SLIDE),
      m_nLoop(0), m_nAdvanceMode(0)
{
}

void CWProjCtrl::DoDataExchange(CDataExchange* pDX)
{
    CWProjPage::DoDataExchange(pDX);
    DDX_Radio(pDX, IDC_WP_EXIT_LAST_SLIDE, m_nAutoExit);
    DDX_Radio(pDX, IDC_WP_LOOP_ONCE, m_nLoop);
    DDX_Radio(pDX, IDC_WP_ADVANCE_TIMER, m_nAdvanceMode);
}

BOOL CWProjCtrl::OnInitDialog()
{
    CWProjPage::OnInitDialog();
    ApplyLoop(m_nLoop == 1);
    return TRUE;
}

BOOL CWProjCtrl::OnSetActive()
{
    SetWizardButtons(PSWIZB_BACK | PSWIZB_NEXT);
    return CWProjPage::OnSetActive();
}

void CWProjCtrl::ApplyLoop(BOOL endless)
{
    // An endless show can only be ended by the user.
    if (endless)
        CheckRadioButton(IDC_WP_EXIT_LAST_SLIDE, IDC_WP_EXIT_BY_USER, IDC_WP_EXIT_BY_USER);
    const int exits[] = {IDC_WP_EXIT_LAST_SLIDE, IDC_WP_EXIT_SOUND, IDC_WP_EXIT_BY_USER};
    for (int id : exits)
        GetDlgItem(id)->EnableWindow(!endless);
}

void CWProjCtrl::OnLoopOnce()
{
    ApplyLoop(FALSE);
}

void CWProjCtrl::OnLoopEndless()
{
    ApplyLoop(TRUE);
}

// ---- sound ---------------------------------------------------------------------------------------------

BEGIN_MESSAGE_MAP(CWProjSound, CWProjPage)
    ON_BN_CLICKED(IDC_WP_SOUND_ON, OnSoundOn)
    ON_BN_CLICKED(IDC_WP_SOUND_BROWSE, OnBrowse)
END_MESSAGE_MAP()

CWProjSound::CWProjSound() : CWProjPage(IDD_WPROJ_SOUND, "vc_bgsound.htm"), m_nSoundOn(0), m_nRepeat(0)
{
}

void CWProjSound::DoDataExchange(CDataExchange* pDX)
{
    CWProjPage::DoDataExchange(pDX);
    DDX_Text(pDX, IDC_WP_SOUND_FILE, m_strSoundFile);
    DDX_Check(pDX, IDC_WP_SOUND_ON, m_nSoundOn);
    DDX_Check(pDX, IDC_WP_SOUND_REPEAT, m_nRepeat);
}

BOOL CWProjSound::OnSetActive()
{
    SetWizardButtons(PSWIZB_BACK | PSWIZB_NEXT);
    OnSoundOn();
    return CWProjPage::OnSetActive();
}

void CWProjSound::OnSoundOn()
{
    const int ids[] = {IDC_WP_SOUND_FILE, IDC_WP_SOUND_BROWSE, IDC_WP_SOUND_REPEAT};
    EnableWithCheck(IDC_WP_SOUND_ON, ids, static_cast<int>(sizeof(ids) / sizeof(ids[0])));
}

void CWProjSound::OnBrowse()
{
    CString filter;
    filter.LoadString(IDS_FILTER_SOUNDS);
    CString path = BrowseForExistingFile(this, filter, GetProjectFolder());
    if (!path.IsEmpty())
        SetDlgItemText(IDC_WP_SOUND_FILE, path);
}

BOOL CWProjSound::CheckSoundFile()
{
    if (!IsNewProject() || !m_nSoundOn)
        return TRUE;
    if (!m_strSoundFile.IsEmpty() && FileExists(m_strSoundFile) && !IsFolder(m_strSoundFile))
        return TRUE;
    AfxMessageBox(IDS_NEED_SOUND_FILE, MB_OK | MB_ICONEXCLAMATION);
    return FALSE;
}

LRESULT CWProjSound::OnWizardNext()
{
    return CheckSoundFile() ? 0 : -1;
}

BOOL CWProjSound::OnWizardFinish()
{
    return CheckSoundFile();
}

// ---- contact -------------------------------------------------------------------------------------------

BEGIN_MESSAGE_MAP(CWProjContact, CWProjPage)
    ON_BN_CLICKED(IDC_WP_ENABLE, OnContactOn)
END_MESSAGE_MAP()

CWProjContact::CWProjContact() : CWProjPage(IDD_WPROJ_CONTACT, "vc_contactinfo.htm"), m_nContactOn(0)
{
}

void CWProjContact::DoDataExchange(CDataExchange* pDX)
{
    CWProjPage::DoDataExchange(pDX);
    DDX_Check(pDX, IDC_WP_ENABLE, m_nContactOn);
    DDX_Text(pDX, IDC_WP_MAIL, m_strMail);
    DDX_Text(pDX, IDC_WP_WEB, m_strWeb);
    for (int i = 0; i < CProjectSettings::CONTACT_LINES; i++)
        DDX_Text(pDX, IDC_WP_LINE1 + i, m_strLines[i]);
}

BOOL CWProjContact::OnSetActive()
{
    SetWizardButtons(PSWIZB_BACK | PSWIZB_NEXT);
    OnContactOn();
    return CWProjPage::OnSetActive();
}

void CWProjContact::OnContactOn()
{
    const int ids[] = {IDC_WP_MAIL,      IDC_WP_WEB,       IDC_WP_LINE1,     IDC_WP_LINE1 + 1,
                       IDC_WP_LINE1 + 2, IDC_WP_LINE1 + 3, IDC_WP_LINE1 + 4, IDC_WP_LINE1 + 5};
    EnableWithCheck(IDC_WP_ENABLE, ids, static_cast<int>(sizeof(ids) / sizeof(ids[0])));
}

// ---- file information ----------------------------------------------------------------------------------

BEGIN_MESSAGE_MAP(CWProjInfo, CWProjPage)
    ON_BN_CLICKED(IDC_WP_ENABLE, OnFileInfoOn)
END_MESSAGE_MAP()

CWProjInfo::CWProjInfo()
    : CWProjPage(IDD_WPROJ_INFO, "vc_fileinfo.htm"), m_nFileInfoOn(0), m_strDescription("Vexul"),
      m_strProductVersion("1.0.0.0")
{
    m_nNumbers[0] = 1;
    m_nNumbers[1] = m_nNumbers[2] = m_nNumbers[3] = 0;
}

void CWProjInfo::DoDataExchange(CDataExchange* pDX)
{
    CWProjPage::DoDataExchange(pDX);
    DDX_Check(pDX, IDC_WP_ENABLE, m_nFileInfoOn);
    for (int i = 0; i < CProjectSettings::VERSION_NUMBERS; i++)
    {
        DDX_Text(pDX, IDC_WP_VERSION1 + i, m_nNumbers[i]);
        DDV_MinMaxInt(pDX, m_nNumbers[i], i == 0 ? MIN_FIRST_NUMBER : 0, i == 0 ? MAX_FIRST_NUMBER : MAX_NUMBER);
    }
    DDX_Text(pDX, IDC_WP_COPYRIGHT, m_strCopyright);
    DDX_Text(pDX, IDC_WP_DESCRIPTION, m_strDescription);
    DDX_Text(pDX, IDC_WP_COMPANY, m_strCompany);
    DDX_Text(pDX, IDC_WP_PRODUCT_VERSION, m_strProductVersion);
}

BOOL CWProjInfo::OnSetActive()
{
    SetWizardButtons(PSWIZB_BACK | PSWIZB_NEXT);
    OnFileInfoOn();
    return CWProjPage::OnSetActive();
}

void CWProjInfo::OnFileInfoOn()
{
    const int ids[] = {IDC_WP_VERSION1,  IDC_WP_VERSION1 + 1, IDC_WP_VERSION1 + 2, IDC_WP_VERSION1 + 3,
                       IDC_WP_COPYRIGHT, IDC_WP_DESCRIPTION,  IDC_WP_COMPANY,      IDC_WP_PRODUCT_VERSION};
    EnableWithCheck(IDC_WP_ENABLE, ids, static_cast<int>(sizeof(ids) / sizeof(ids[0])));
}

// ---- end program ---------------------------------------------------------------------------------------

BEGIN_MESSAGE_MAP(CWProjProgStart, CWProjPage)
    ON_BN_CLICKED(IDC_WP_AUTOSTART_ON, OnAutostartOn)
END_MESSAGE_MAP()

CWProjProgStart::CWProjProgStart() : CWProjPage(IDD_WPROJ_PROGSTART, "vc_project.htm"), m_nAutostartOn(0)
{
}

BOOL CWProjProgStart::IsProgramName(const char* name)
{
    CString upper = name != nullptr ? name : "";
    upper.MakeUpper();
    int at = upper.Find(".EXE");
    return at >= 0 && at == upper.GetLength() - 4;
}

void CWProjProgStart::DoDataExchange(CDataExchange* pDX)
{
    CWProjPage::DoDataExchange(pDX);
    DDX_Check(pDX, IDC_WP_AUTOSTART_ON, m_nAutostartOn);
    DDX_Text(pDX, IDC_WP_AUTOSTART_FILE, m_strProgram);
    // The settings sheet has no Finish: its OK and its tabs take the page only with a program.
    if (pDX->m_bSaveAndValidate && IsSettings() && !CheckProgram())
        pDX->Fail();
}

BOOL CWProjProgStart::OnSetActive()
{
    SetWizardButtons(PSWIZB_BACK | PSWIZB_NEXT);
    OnAutostartOn();
    return CWProjPage::OnSetActive();
}

void CWProjProgStart::OnAutostartOn()
{
    const int ids[] = {IDC_WP_AUTOSTART_FILE};
    EnableWithCheck(IDC_WP_AUTOSTART_ON, ids, 1);
}

BOOL CWProjProgStart::CheckProgram()
{
    if (!m_nAutostartOn || IsProgramName(m_strProgram))
        return TRUE;
    AfxMessageBox(IDS_NEED_PROGRAM_FILE, MB_OK | MB_ICONEXCLAMATION);
    return FALSE;
}

// Next leads to the completion page, whose Finish does not come back here: the name is checked on the way.
LRESULT CWProjProgStart::OnWizardNext()
{
    return CheckProgram() ? 0 : -1;
}

BOOL CWProjProgStart::OnWizardFinish()
{
    return CheckProgram();
}

// ---- completion ----------------------------------------------------------------------------------------

CWProjHelp::CWProjHelp() : CWProjPage(IDD_WPROJ_HELP, "vp_starter.htm"), m_nCopyStartProgram(0)
{
}

void CWProjHelp::DoDataExchange(CDataExchange* pDX)
{
    CWProjPage::DoDataExchange(pDX);
    DDX_Check(pDX, IDC_WP_COPY_STARTER, m_nCopyStartProgram);
    if (pDX->m_bSaveAndValidate && !IsStartProgramShipped())
        m_nCopyStartProgram = 0;
}

BOOL CWProjHelp::IsStartProgramShipped()
{
    return FileExists(Path::Join(theApp.m_strAppFolder, "VxlStart.exe"));
}

BOOL CWProjHelp::OnSetActive()
{
    SetWizardButtons(PSWIZB_BACK | PSWIZB_FINISH);
    BOOL result = CWProjPage::OnSetActive();
    // The start program is offered only when it came with the editor: there is nothing to copy otherwise.
    BOOL shipped = IsStartProgramShipped();
    if (!shipped)
        CheckDlgButton(IDC_WP_COPY_STARTER, BST_UNCHECKED);
    GetDlgItem(IDC_WP_COPY_STARTER)->EnableWindow(shipped);
    return result;
}
