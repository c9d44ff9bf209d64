#include "player/VexulApp.h"

#include "player/PlayerDlg.h"
#include "player/PlayerPictures.h"
#include "player/ShowSource.h"
#include "show/Language.h"

namespace
{

// A string value of an open key; empty when it cannot be read.
CString ReadRegistryText(HKEY key, const char* name)
{
    char buffer[90] = {};
    DWORD size = sizeof(buffer) - 1;
    DWORD type = 0;
    if (RegQueryValueExA(key, name, nullptr, &type, reinterpret_cast<BYTE*>(buffer), &size) != ERROR_SUCCESS)
        return CString();
    if (type != REG_SZ && type != REG_EXPAND_SZ)
        return CString();
    buffer[sizeof(buffer) - 1] = 0;
    return CString(buffer);
}

}   // namespace

CVexulApp::CVexulApp() : m_PictureLoader(&LoadPlayerPicture)
{
}

void CVexulApp::ApplyCommandLine(const CVexulCommandLineInfo& info, CPlayerSession& session)
{
    session.m_nStartSlide = 0;
    session.m_bStartSlideGiven = FALSE;
    session.m_strShowPath = info.m_strLastParam;
    session.m_bShowFileFirst = info.m_bShowFileFirst && !session.m_strShowPath.IsEmpty();
    if (!session.m_strShowPath.IsEmpty() && info.m_strSwitch.GetAt(0) == 'S' && info.m_nStartSlide >= 0)
    {
        session.m_nStartSlide = info.m_nStartSlide;
        session.m_bStartSlideGiven = TRUE;
    }
}

BOOL CVexulApp::InitInstance()
{
    Enable3dControls();
    SetLanguage(LETTER_GERMAN);
    m_Session.m_strProgramFolder = GetProgramFolder();

    ParseCommandLine(m_CommandLine);
    ApplyCommandLine(m_CommandLine, m_Session);

    m_Session.m_bEndProgramEnabled = FALSE;
    m_Session.m_strEndProgram.Empty();
    ReadOsVersion();

    {
        CPlayerDlg dialog(&m_Session, m_Session.m_strShowPath);
        m_pMainWnd = &dialog;
        dialog.DoModal();
        m_pMainWnd = nullptr;
    }
    RemoveShowFonts();
    return FALSE;
}

int CVexulApp::ExitInstance()
{
    RunEndProgram();
    return CWinApp::ExitInstance();
}

CString CVexulApp::ComposeOsText(const CString& productName, const CString& currentVersion, const CString& version,
                                 const CString& versionNumber, const CString& subVersionNumber)
{
    if (!productName.IsEmpty() || !currentVersion.IsEmpty())
        return productName + " - " + currentVersion;
    CString text = version + " - " + versionNumber;
    if (!subVersionNumber.IsEmpty() && subVersionNumber != " ")
        text += " - " + subVersionNumber;
    return text;
}

BOOL CVexulApp::IsNtOsText(const CString& text)
{
    return text.Find(" NT", 1) > 0 || text.Left(5) == " - 4.";
}

void CVexulApp::ReadOsVersion()
{
    CString product, current, version, number, sub;
    HKEY key = nullptr;
    if (RegOpenKeyExA(HKEY_LOCAL_MACHINE, "SOFTWARE\\Microsoft\\Windows NT\\CurrentVersion", 0, KEY_READ, &key) ==
        ERROR_SUCCESS)
    {
        product = ReadRegistryText(key, "ProductName");
        current = ReadRegistryText(key, "CurrentVersion");
        RegCloseKey(key);
    }
    if (product.IsEmpty() && current.IsEmpty() &&
        RegOpenKeyExA(HKEY_LOCAL_MACHINE, "SOFTWARE\\Microsoft\\Windows\\CurrentVersion", 0, KEY_READ, &key) ==
            ERROR_SUCCESS)
    {
        version = ReadRegistryText(key, "Version");
        number = ReadRegistryText(key, "VersionNumber");
        sub = ReadRegistryText(key, "SubVersionNumber");
        RegCloseKey(key);
    }
    m_Session.m_strOsText = ComposeOsText(product, current, version, number, sub);
    m_Session.m_bNT = IsNtOsText(m_Session.m_strOsText);
}

CEndProgramLaunch CVexulApp::MakeEndProgramLaunch(const CString& command, const CString& programFolder)
{
    CEndProgramLaunch launch;
    launch.program = command;
    launch.folder = programFolder;
    int colon = command.Find(':');
    if (colon > 7)
    {
        launch.parameters = command.Mid(colon + 1);
        launch.program = command.Left(colon);
    }
    const char* prefix = "_CURRENTDIR_\\";
    if (launch.program.Left(13) == prefix)
        launch.program = programFolder + launch.program.Mid(12);
    CString folder = Path::FolderOf(launch.program);
    if (launch.program.Find(":\\") == 1 && folder.GetLength() > 1)
        launch.folder = folder;
    return launch;
}

void CVexulApp::RunEndProgram()
{
    if (!m_Session.m_bEndProgramEnabled || m_Session.m_strEndProgram.IsEmpty())
        return;
    CEndProgramLaunch launch = MakeEndProgramLaunch(m_Session.m_strEndProgram, m_Session.m_strProgramFolder);
    ShellExecuteA(nullptr, "open", launch.program,
                  launch.parameters.IsEmpty() ? nullptr : (LPCSTR)launch.parameters, launch.folder, SW_SHOWNORMAL);
}
