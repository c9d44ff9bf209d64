#include "editor/VexulCreatorApp.h"

#include "editor/EditorProfile.h"
#include "editor/FileHelpers.h"
#include "editor/HelpTopics.h"
#include "editor/MainFrame.h"
#include "editor/StartupDialogs.h"
#include "editor/VexulCreatorDoc.h"
#include "editor/VexulCreatorView.h"
#include "resources/editor/resource.h"
#include "show/FontEmbedding.h"
#include "show/Language.h"
#include "show/ProjectPack.h"

#include <cstdlib>
#include <vector>

IMPLEMENT_DYNAMIC(CVexulCreatorApp, CWinApp)

BEGIN_MESSAGE_MAP(CVexulCreatorApp, CWinApp)
    ON_COMMAND(ID_START_FLOW, OnStartFlow)
    ON_COMMAND(ID_HELP_TIP_OF_THE_DAY, OnTipOfTheDay)
    ON_COMMAND(ID_APP_ABOUT, OnAppAbout)
    ON_COMMAND(ID_HELP_SUPPORT, OnHelpSupport)
    ON_COMMAND(ID_OPEN_DROPPED_PROJECT, OnOpenDroppedProject)
    ON_COMMAND(ID_UPDATE_REMINDER, OnUpdateReminder)
    ON_COMMAND(ID_PROJECT_NEW, OnFileNew)
    ON_COMMAND(ID_FILE_NEW, OnFileNew)
    ON_COMMAND(ID_FILE_OPEN, OnFileOpen)
    ON_COMMAND(ID_APP_EXIT, OnAppExit)
    ON_COMMAND(ID_HELP_CONTENTS, OnHelpContents)
    ON_COMMAND(ID_HELP_CHECK_UPDATES, OnCheckForUpdates)
    ON_UPDATE_COMMAND_UI(ID_HELP_CHECK_UPDATES, OnUpdateCheckForUpdates)
    ON_COMMAND(ID_HELP_UPGRADE, OnUpgradeSoftware)
END_MESSAGE_MAP()

CVexulCreatorApp theApp;

namespace
{

// A string value of an open key, whatever its length; empty when it is missing or not text. The value as
// stored need not end in a terminator.
CString ReadRegistryText(HKEY key, const char* name)
{
    for (int attempt = 0; attempt < 4; attempt++)
    {
        DWORD type = 0;
        DWORD size = 0;
        if (RegQueryValueExA(key, name, nullptr, &type, nullptr, &size) != ERROR_SUCCESS ||
            (type != REG_SZ && type != REG_EXPAND_SZ) || size == 0)
            return CString();
        std::vector<char> data(size + 1, '\0');
        DWORD read = size;
        LONG result = RegQueryValueExA(key, name, nullptr, &type, reinterpret_cast<BYTE*>(data.data()), &read);
        if (result == ERROR_MORE_DATA)
            continue;   // the value grew meanwhile
        if (result != ERROR_SUCCESS || read > size)
            return CString();
        data[read] = '\0';
        return CString(data.data());
    }
    return CString();
}

// The program's version block; empty when it has none.
std::vector<BYTE> ReadVersionBlock(const char* path)
{
    DWORD handle = 0;
    DWORD size = GetFileVersionInfoSizeA(path, &handle);
    std::vector<BYTE> block;
    if (size == 0)
        return block;
    block.resize(size);
    if (!GetFileVersionInfoA(path, 0, size, block.data()))
        block.clear();
    return block;
}

BOOL GetFixedVersion(std::vector<BYTE>& block, VS_FIXEDFILEINFO& info)
{
    void* value = nullptr;
    UINT length = 0;
    if (block.empty() || !VerQueryValueA(block.data(), "\\", &value, &length) || value == nullptr ||
        length < sizeof(VS_FIXEDFILEINFO))
        return FALSE;
    memcpy(&info, value, sizeof(info));
    return info.dwSignature == 0xFEEF04BD;
}

// The six-digit version text of the first three numbers of a version (most and least significant halves).
CString FormatVersion(DWORD versionMS, DWORD versionLS)
{
    CString text;
    text.Format("%02d%02d%02d", static_cast<int>(HIWORD(versionMS)), static_cast<int>(LOWORD(versionMS)),
                static_cast<int>(HIWORD(versionLS)));
    return text;
}

// A string value of the block's first translation.
CString QueryVersionString(std::vector<BYTE>& block, const char* key)
{
    if (block.empty())
        return CString();
    CString language = "040904b0";
    void* value = nullptr;
    UINT length = 0;
    if (VerQueryValueA(block.data(), "\\VarFileInfo\\Translation", &value, &length) && value != nullptr &&
        length >= 4)
    {
        WORD pair[2];
        memcpy(pair, value, sizeof(pair));
        language.Format("%04x%04x", static_cast<unsigned>(pair[0]), static_cast<unsigned>(pair[1]));
    }
    CString query;
    query.Format("\\StringFileInfo\\%s\\%s", language.GetString(), key);
    value = nullptr;
    length = 0;
    if (!VerQueryValueA(block.data(), query, &value, &length) || value == nullptr || length == 0)
        return CString();
    const char* text = static_cast<const char*>(value);
    return CString(text, static_cast<int>(strnlen(text, length)));
}

}   // namespace

CVexulCreatorApp::CVexulCreatorApp()
    : CWinApp("VexulCreator V2"), m_nStarted(0), m_nUpdateResult(0)
{
}

CVexulCreatorApp::~CVexulCreatorApp()
{
}

CString CVexulCreatorApp::FindApplicationFolder()
{
    CString path = GetModulePath(nullptr);
    if (!path.IsEmpty() && FileExists(path))
        return Path::FolderOf(path);

    // A program started through a path that no longer exists: the same place below the programs folder.
    if (path.GetLength() > 3 && path.Left(3).CompareNoCase("C:\\") == 0)
    {
        CString rest = path.Mid(3);
        int slash = rest.Find('\\');
        if (slash >= 0)
        {
            CString candidate = Path::Join("C:\\Program Files", rest.Mid(slash + 1));
            if (FileExists(candidate))
                return Path::FolderOf(candidate);
        }
    }

    CString installed = Path::WithoutTrailingBackslash(GetProfileValue(EditorProfile::INSTALL_FOLDER));
    if (!installed.IsEmpty() && IsFolder(installed))
        return installed;
    return CString();
}

void CVexulCreatorApp::InitApplicationFolder()
{
    m_strAppFolder = FindApplicationFolder();
}

void CVexulCreatorApp::InitOwnVersion()
{
    m_strPrivateBuild.Empty();
    m_strVersion.Empty();
    CString path = GetModulePath(nullptr);
    std::vector<BYTE> block = ReadVersionBlock(path);
    VS_FIXEDFILEINFO info;
    if (!GetFixedVersion(block, info))
        return;
    m_strVersion = FormatVersion(info.dwFileVersionMS, info.dwFileVersionLS);
    m_strPrivateBuild = QueryVersionString(block, "PrivateBuild");
}

void CVexulCreatorApp::GetFileVersionText(const char* path, CString& text, int& number)
{
    text.Empty();
    number = -1;
    if (!FileExists(path))
        return;
    std::vector<BYTE> block = ReadVersionBlock(path);
    VS_FIXEDFILEINFO info;
    if (!GetFixedVersion(block, info))
        return;
    // The product version: compiling a show rewrites the file version of the project's copy (to the show's
    // own), never the version of the player it was made from.
    text = FormatVersion(info.dwProductVersionMS, info.dwProductVersionLS);
    number = atoi(text);
}

void CVexulCreatorApp::GetPlayerVersion(CString& text, int& number)
{
    GetFileVersionText(Path::Join(m_strAppFolder, "Vexul.exe"), text, number);
}

void CVexulCreatorApp::GetWindowsVersionText(CString& text)
{
    text.Empty();
    HKEY key = nullptr;
    if (RegOpenKeyExA(HKEY_LOCAL_MACHINE, "SOFTWARE\\Microsoft\\Windows NT\\CurrentVersion", 0, KEY_QUERY_VALUE,
                      &key) == ERROR_SUCCESS)
    {
        CString product = ReadRegistryText(key, "ProductName");
        CString version = ReadRegistryText(key, "CurrentVersion");
        RegCloseKey(key);
        if (!product.IsEmpty() || !version.IsEmpty())
        {
            text = product + " - " + version;
            return;
        }
    }
    if (RegOpenKeyExA(HKEY_LOCAL_MACHINE, "SOFTWARE\\Microsoft\\Windows\\CurrentVersion", 0, KEY_QUERY_VALUE,
                      &key) != ERROR_SUCCESS)
        return;
    CString version = ReadRegistryText(key, "Version");
    CString number = ReadRegistryText(key, "VersionNumber");
    CString sub = ReadRegistryText(key, "SubVersionNumber");
    RegCloseKey(key);
    text = version + " - " + number;
    if (!sub.IsEmpty() && sub != " ")
        text += " - " + sub;
}

int CVexulCreatorApp::GetTutorExamplePaths(int number, CString& folder, CString& playerPath, CString& packPath,
                                           CString& helpPath)
{
    CString example;
    example.Format("Tutor\\Example%d", number);
    folder = Path::Join(m_strAppFolder, example);
    if (!IsFolder(folder))
    {
        folder.Empty();
        return 0;
    }
    playerPath = Path::Join(m_strAppFolder, "Vexul.exe");
    packPath = Path::Join(folder, "Vexul.vxl");
    helpPath = Path::Join(folder, "Tutor.chm");
    return 1;
}

void CVexulCreatorApp::GetTexturePaths(CString& textureFolder, CString& cataloguePath)
{
    textureFolder = Path::Join(m_strAppFolder, "Texture");
    cataloguePath = Path::Join(textureFolder, "VexulTexture.ini");
}

// ---- recent projects ------------------------------------------------------------------------------------

namespace
{

// Entries that always show the project's folder: the whole path, or when that is too long the drive, "...",
// the project's own folder and the file's name.
class CProjectFileList : public CRecentFileList
{
public:
    using CRecentFileList::CRecentFileList;
    BOOL GetDisplayName(CString& strName, int nIndex, LPCSTR, BOOL) const override
    {
        if (nIndex < 0 || nIndex >= GetCount())
            return FALSE;
        const CString& path = (*this)[nIndex];
        // The backslash before the project's own folder: the length of the folder above it.
        int folder = Path::FolderOf(Path::FolderOf(path)).GetLength();
        int drive = path.Find('\\');
        CString shown = path;
        if (m_nMaxDisplayLength > 0 && path.GetLength() > m_nMaxDisplayLength && drive >= 0 && folder > drive)
            shown = path.Left(drive + 1) + "..." + path.Mid(folder);
        shown.Replace("&", "&&");
        strName = shown;
        return TRUE;
    }
};

}   // namespace

CRecentFileList* CVexulCreatorApp::NewRecentFileList(UINT nStart, LPCSTR lpszSection, LPCSTR lpszEntryFormat,
                                                     int nSize)
{
    return new CProjectFileList(nStart, lpszSection, lpszEntryFormat, nSize);
}

CString CVexulCreatorApp::GetFileOpenFolder() const
{
    CString folder = GetProfileValue(EditorProfile::PROJECT_FOLDER);
    return IsFolder(folder) ? folder : CString();
}

// ---- start-up -------------------------------------------------------------------------------------------

BOOL CVexulCreatorApp::InitInstance()
{
    // The editor speaks English whatever the user's language: its letter picks the name tables' column, and the
    // string tables and dialogs are looked up in the same language.
    SetLanguage(LETTER_ENGLISH);
    AfxSetUILanguage(MAKELANGID(LANG_ENGLISH, SUBLANG_ENGLISH_US));
    AfxEnableControlContainer();
    Enable3dControls();
    SetRegistryKey("QD-LM");
    LoadStdProfileSettings(8);
    InitApplicationFolder();
    InitOwnVersion();
    AddDocTemplate(new CSingleDocTemplate(IDR_MAINFRAME, RUNTIME_CLASS(CVexulCreatorDoc),
                                          RUNTIME_CLASS(CMainFrame), RUNTIME_CLASS(CVexulCreatorView)));

    CCommandLineInfo commandLine;
    ParseCommandLine(commandLine);
    if (!ProcessShellCommand(commandLine))
    {
        // A pack named on the command line that cannot be opened has been told about: the editor goes on
        // without a project, as after a failed Open.
        if (commandLine.m_nShellCommand != CCommandLineInfo::FileOpen || m_pMainWnd != nullptr)
            return FALSE;
        OnFileNew();
        if (m_pMainWnd == nullptr)
            return FALSE;
    }

    SetProfileValue(EditorProfile::APP_FOLDER, m_strAppFolder);
    SetProfileValue(EditorProfile::EDITOR_PATH, Path::Join(m_strAppFolder, "VexulCreator.exe"));
    CString player = Path::Join(m_strAppFolder, "Vexul.exe");
    if (FileExists(player))
        SetProfileValue(EditorProfile::PLAYER_PATH, player);
    CString library = Path::Join(m_strAppFolder, "VexulPlayer.dll");
    if (FileExists(library))
        SetProfileValue(EditorProfile::PLAYER_LIBRARY_PATH, library);

    m_pMainWnd->ShowWindow(SW_SHOW);
    m_pMainWnd->UpdateWindow();
    // The start-up dialogs keep the program from idling: the tool bar shows what can be done before they come.
    OnIdle(0);
    // The tip of the day, unless the program was started to serve another one.
    CCommandLineInfo again;
    ParseCommandLine(again);
    if (again.m_bShowSplash)
        ShowTipOfTheDay(TRUE);
    if (commandLine.m_strFileName.IsEmpty() && commandLine.m_nShellCommand != CCommandLineInfo::FileOpen)
        m_pMainWnd->PostMessage(WM_COMMAND, ID_START_FLOW, 0);
    m_nStarted = 1;
    return TRUE;
}

int CVexulCreatorApp::ExitInstance()
{
    return CWinApp::ExitInstance();
}

// ---- commands -------------------------------------------------------------------------------------------

void CVexulCreatorApp::OnStartFlow()
{
    RunStartupFlow();
}

void CVexulCreatorApp::OnTipOfTheDay()
{
    ShowTipOfTheDay(FALSE);
}

void CVexulCreatorApp::OnAppAbout()
{
    RunAboutDialog();
}

void CVexulCreatorApp::OnHelpSupport()
{
    RunSupportDialog();
}

void CVexulCreatorApp::OnOpenDroppedProject()
{
    if (!m_strFileToOpen.IsEmpty())
        OpenDocumentFile(m_strFileToOpen);
}

void CVexulCreatorApp::OnAppExit()
{
    // The main window's close decides: it stops the thumbnails and asks about unsaved changes.
    if (m_pMainWnd != nullptr)
        m_pMainWnd->SendMessage(WM_CLOSE);
}

void CVexulCreatorApp::OnHelpContents()
{
    ShowHelpTopic("Index.htm");
}

void CVexulCreatorApp::OnUpgradeSoftware()
{
    CString page;
    page.LoadString(IDS_UPDATE_PAGE);
    if (reinterpret_cast<INT_PTR>(
            AfxShellExecute(AfxGetSafeHwnd(m_pMainWnd), "open", page, nullptr, nullptr, SW_SHOWNORMAL)) <= 32)
        AfxMessageBox(FormatString(IDS_WEB_PAGE_START_FAILED, page), MB_OK | MB_ICONEXCLAMATION);
}

void CVexulCreatorApp::OnCheckForUpdates()
{
    RunUpdateCheck();
}

// The check is offered only when the update manager came with the editor.
void CVexulCreatorApp::OnUpdateCheckForUpdates(CCmdUI* pCmdUI)
{
    pCmdUI->Enable(FileExists(GetUpdateManagerPath()));
}

CString CVexulCreatorApp::GetUpdateManagerPath() const
{
    return Path::Join(m_strAppFolder, "QDLM_UpdateManager.exe");
}

CString CVexulCreatorApp::GetUpdateParameters() const
{
    CString language, parameters;
    language.LoadString(IDS_UPDATE_LANGUAGE);
    parameters.Format("/PARAM=\"[%s][%s][%s][%s][%s][%s][VC][V2]\"", "VexulCreator", language.GetString(),
                      Path::WithTrailingBackslash(m_strAppFolder).GetString(), m_strVersion.GetString(),
                      m_pszRegistryKey ? m_pszRegistryKey : "", m_pszAppName ? m_pszAppName : "");
    return parameters;
}

void CVexulCreatorApp::RunUpdateCheck()
{
    SaveAllModified();
    CString manager = GetUpdateManagerPath();
    // A copy in the temporary folder runs, so that the manager can replace the programs of this folder.
    CString temp, longTemp;
    if (GetTempFolder(temp, longTemp))
    {
        CString copy = Path::Join(temp, "QDLM_UpdateManager.exe");
        if (CopyFileA(manager, copy, FALSE) && FileExists(copy))
            manager = copy;
    }
    if (reinterpret_cast<INT_PTR>(
            AfxShellExecute(nullptr, "open", manager, GetUpdateParameters(), nullptr, SW_SHOWNORMAL)) <= 32)
        AfxMessageBox(FormatString(IDS_UPDATE_START_FAILED, static_cast<const char*>(manager)),
                      MB_OK | MB_ICONEXCLAMATION);
}

void CVexulCreatorApp::OnUpdateResult(int value)
{
    m_nUpdateResult = value;
    SYSTEMTIME now;
    GetLocalTime(&now);
    CString day;
    day.Format("%04d-%02d-%02d", now.wYear, now.wMonth, now.wDay);
    SetProfileValue(EditorProfile::UPDATE_CHECK_DAY, day);
    if (value > 0 && m_pMainWnd != nullptr)
        m_pMainWnd->PostMessage(WM_COMMAND, ID_UPDATE_REMINDER, 0);
}

void CVexulCreatorApp::OnUpdateReminder()
{
    if (m_nUpdateResult >= 1 && m_nUpdateResult <= 9 &&
        AfxMessageBox(IDS_UPDATE_REMINDER, MB_YESNO | MB_ICONQUESTION) == IDYES)
        RunUpdateCheck();
}
