#include "editor/VexulCreatorApp.h"

#include "editor/FileHelpers.h"
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
    CString query = "\\StringFileInfo\\" + language + "\\" + key;
    value = nullptr;
    length = 0;
    if (!VerQueryValueA(block.data(), query, &value, &length) || value == nullptr || length == 0)
        return CString();
    const char* text = static_cast<const char*>(value);
    return CString(text, static_cast<int>(strnlen(text, length)));
}

CString WithoutTrailingBackslash(CString folder)
{
    if (folder.GetLength() > 1 && folder[folder.GetLength() - 1] == '\\')
        folder = folder.Left(folder.GetLength() - 1);
    return folder;
}

// The entry name a pack gives path, upper-cased for comparisons.
CString EntryKey(const char* path)
{
    CString key = CProjectPack::MakeEntryName(path);
    key.MakeUpper();
    return key;
}

// Whether a file holds exactly these bytes.
BOOL FileHoldsBytes(const char* path, const BYTE* data, size_t size)
{
    CFile file;
    if (!file.Open(path, CFile::modeRead | CFile::shareDenyNone))
        return FALSE;
    if (file.GetLength() != size)
        return FALSE;
    std::vector<BYTE> bytes(size);
    return (size == 0 || file.Read(bytes.data(), static_cast<UINT>(size)) == size) &&
           (size == 0 || memcmp(bytes.data(), data, size) == 0);
}

std::vector<BYTE> ReadWholeFile(const char* path, BOOL& ok)
{
    std::vector<BYTE> bytes;
    CFile file;
    ok = file.Open(path, CFile::modeRead | CFile::shareDenyNone);
    if (!ok)
        return bytes;
    ULONGLONG length = file.GetLength();
    if (length > CProjectPack::MAX_PACK_SIZE)
    {
        ok = FALSE;
        return bytes;
    }
    bytes.resize(static_cast<size_t>(length));
    ok = length == 0 || file.Read(bytes.data(), static_cast<UINT>(length)) == length;
    return bytes;
}

// The project's files as the pack sees them: whether a name is taken by something other than these bytes,
// either by a file of the project folder or by an entry of the pack.
class CProjectNames
{
public:
    CProjectNames(const CString& folder, CProjectPack* pack, const std::vector<BYTE>& bytes)
        : m_folder(folder), m_pack(pack), m_bytes(bytes)
    {
        WIN32_FIND_DATAA found;
        HANDLE search = FindFirstFileA(folder + "\\*", &found);
        if (search == INVALID_HANDLE_VALUE)
            return;
        do
        {
            if (!(found.dwFileAttributes & FILE_ATTRIBUTE_DIRECTORY))
                m_files.push_back(found.cFileName);
        } while (FindNextFileA(search, &found));
        FindClose(search);
    }

    // TRUE when a file of that name, or any file or entry with its entry name, holds other bytes.
    BOOL IsTakenByOther(const CString& name) const
    {
        CString key = EntryKey(name);
        for (const CString& file : m_files)
            if ((file.CompareNoCase(name) == 0 || EntryKey(file) == key) &&
                !FileHoldsBytes(m_folder + "\\" + file, m_bytes.data(), m_bytes.size()))
                return TRUE;
        if (m_pack != nullptr && m_pack->FindEntry(name) >= 0 &&
            !m_pack->EntryHolds(name, m_bytes.data(), m_bytes.size()))
            return TRUE;
        return FALSE;
    }

    // TRUE when no file of the folder has that name or its entry name, and the pack has no such entry.
    BOOL IsFree(const CString& name) const
    {
        CString key = EntryKey(name);
        for (const CString& file : m_files)
            if (file.CompareNoCase(name) == 0 || EntryKey(file) == key)
                return FALSE;
        return m_pack == nullptr || m_pack->FindEntry(name) < 0;
    }

private:
    CString m_folder;
    CProjectPack* m_pack;
    const std::vector<BYTE>& m_bytes;
    std::vector<CString> m_files;
};

// "name_2.ext", "name_3.ext", … short enough to be its own entry name, that nothing in the project uses.
CString FreeProjectName(const CString& name, const CProjectNames& names)
{
    CString base = Path::WithoutExtension(name);
    CString extension = Path::ExtensionOf(name);
    for (int n = 2;; n++)
    {
        CString suffix;
        suffix.Format("_%d", n);
        int room = CProjectPack::NAME_LENGTH - suffix.GetLength() - extension.GetLength();
        CString candidate = base.Left(room > 1 ? room : 1) + suffix + extension;
        if (names.IsFree(candidate))
            return candidate;
    }
}

// Tells the user that the file goes into the project under another name, because another picture has its
// name already (replacing it would change the slides that show it); returns the new name.
CString TellFreeName(const CString& name, const CString& freeName)
{
    CString message;
    if (IsGerman())
        message.Format("Im Projektordner gibt es bereits eine andere Datei \"%s\".\nDie Datei wird als "
                       "\"%s\" in den Projektordner kopiert.",
                       name, freeName);
    else
        message.Format("The project folder already holds another file \"%s\".\nThe file is copied into "
                       "the project folder as \"%s\".",
                       name, freeName);
    AfxMessageBox(message, MB_OK | MB_ICONINFORMATION);
    return freeName;
}

}   // namespace

CVexulCreatorApp::CVexulCreatorApp()
    : CWinApp("VexulCreator V2"), m_nStarted(0), m_nThumbnailBusy(0), m_nUpdateResult(0)
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
            CString candidate = "C:\\Program Files\\" + rest.Mid(slash + 1);
            if (FileExists(candidate))
                return Path::FolderOf(candidate);
        }
    }

    CString installed = WithoutTrailingBackslash(GetProfileString("SETTINGS", "INSTALLDIR", ""));
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
    GetFileVersionText(m_strAppFolder + "\\Vexul.exe", text, number);
}

void CVexulCreatorApp::ShowHelpTopic(const char* topic)
{
    CString saved = GetCurrentFolder();
    if (!m_strAppFolder.IsEmpty())
        SetCurrentDirectoryA(m_strAppFolder);
    CWnd* main = GetMainWnd();
    const UINT displayTopic = 0;
    AfxHtmlHelp(main ? main->GetSafeHwnd() : nullptr,
                m_strAppFolder + "\\vexul.chm::/public/" + (topic ? topic : ""), displayTopic, 0);
    if (!saved.IsEmpty())
        SetCurrentDirectoryA(saved);
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

BOOL CVexulCreatorApp::ImportFileToProject(const char* filePath, const char* projectFolder, CString& relativeName,
                                           CProjectPack* pack)
{
    relativeName.Empty();
    CString path = filePath ? filePath : "";
    if (path.IsEmpty())
        return FALSE;
    CString folder = WithoutTrailingBackslash(GetFullPath(projectFolder));
    if (path.Find('\\') < 0)
        path = m_strAppFolder + "\\" + path;
    path = GetFullPath(path);

    // Inside means below the folder itself: "C:\Show2\a.bmp" is not inside "C:\Show".
    CString prefix = folder + "\\";
    CString fullName;
    if (!folder.IsEmpty() && path.GetLength() > prefix.GetLength() &&
        path.Left(prefix.GetLength()).CompareNoCase(prefix) == 0)
    {
        fullName = path;
    }
    else
    {
        CString name = Path::FileNameOf(path);
        if (folder.IsEmpty())
            return FALSE;
        BOOL readable = FALSE;
        std::vector<BYTE> bytes = ReadWholeFile(path, readable);
        if (!readable)
        {
            AfxMessageBox(FormatString(IDS_FILE_UNREADABLE, static_cast<const char*>(path)),
                          MB_OK | MB_ICONEXCLAMATION);
            return FALSE;
        }
        CProjectNames names(folder, pack, bytes);
        if (names.IsTakenByOther(name))
            name = TellFreeName(name, FreeProjectName(name, names));
        fullName = folder + "\\" + name;
        if (!FileHoldsBytes(fullName, bytes.data(), bytes.size()) &&
            !CopyFileWithPrompt(fullName, path, FALSE, GetLanguage()))
        {
            AfxMessageBox(FormatString(IDS_IMPORT_COPY_FAILED, static_cast<const char*>(path),
                                       static_cast<const char*>(folder)),
                          MB_OK | MB_ICONEXCLAMATION);
            return FALSE;
        }
    }
    relativeName = fullName.Mid(folder.GetLength() + 1);
    CFile check;
    return check.Open(fullName, CFile::modeRead | CFile::shareDenyNone);
}

int CVexulCreatorApp::GetTutorExamplePaths(int number, CString& folder, CString& playerPath, CString& packPath,
                                           CString& helpPath)
{
    folder.Format("%s\\Tutor\\Example%d", m_strAppFolder, number);
    if (!IsFolder(folder))
    {
        folder.Empty();
        return 0;
    }
    playerPath = m_strAppFolder + "\\Vexul.exe";
    packPath = folder + "\\Vexul.vxl";
    helpPath = folder + "\\Tutor.chm";
    return 1;
}

void CVexulCreatorApp::GetTexturePaths(CString& textureFolder, CString& cataloguePath)
{
    textureFolder = m_strAppFolder + "\\Texture";
    cataloguePath = textureFolder + "\\VexulTexture.ini";
}

BOOL CVexulCreatorApp::CopyIntoProjectUnderFreeName(const char* filePath, const char* projectFolder,
                                                    CProjectPack* pack, CString& copyPath)
{
    copyPath.Empty();
    CString folder = WithoutTrailingBackslash(GetFullPath(projectFolder));
    CString path = GetFullPath(filePath);
    BOOL readable = FALSE;
    std::vector<BYTE> bytes = ReadWholeFile(path, readable);
    if (!readable || folder.IsEmpty())
        return FALSE;
    CProjectNames names(folder, pack, bytes);
    CString name = Path::FileNameOf(path);
    CString target = Path::Join(folder, TellFreeName(name, FreeProjectName(name, names)));
    if (!CopyFileWithPrompt(target, path, FALSE, GetLanguage()))
        return FALSE;
    copyPath = target;
    return TRUE;
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

// ---- start-up -------------------------------------------------------------------------------------------

BOOL CVexulCreatorApp::InitInstance()
{
    SetLanguage(LETTER_ENGLISH);
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
        return FALSE;

    WriteProfileString("SETTINGS", "APP_PATH", m_strAppFolder);
    WriteProfileString("SETTINGS", "CREATOR_PATHNAME", m_strAppFolder + "\\VexulCreator.exe");
    CString player = m_strAppFolder + "\\Vexul.exe";
    if (FileExists(player))
        WriteProfileString("SETTINGS", "PLAYER_PATHNAME", player);
    CString library = m_strAppFolder + "\\VexulPlayer.dll";
    if (FileExists(library))
        WriteProfileString("SETTINGS", "PLAYERDLL_PATHNAME", library);

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
    const char* page =
        IsGerman() ? "https://www.vexul.example/de/update.html" : "https://www.vexul.example/en/update.html";
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
    return m_strAppFolder + "\\QDLM_UpdateManager.exe";
}

CString CVexulCreatorApp::GetUpdateParameters() const
{
    CString parameters;
    parameters.Format("/PARAM=\"[%s][%s][%s][%s][%s][%s][VC][V2]\"", "VexulCreator",
                      IsGerman() ? "GERMAN" : "ENGLISH", m_strAppFolder + "\\", m_strVersion,
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
    WriteProfileString("Settings", "UPGRADECHECK", day);
    if (value > 0 && m_pMainWnd != nullptr)
        m_pMainWnd->PostMessage(WM_COMMAND, ID_UPDATE_REMINDER, 0);
}

void CVexulCreatorApp::OnUpdateReminder()
{
    if (m_nUpdateResult >= 1 && m_nUpdateResult <= 9 &&
        AfxMessageBox(IDS_UPDATE_REMINDER, MB_YESNO | MB_ICONQUESTION) == IDYES)
        RunUpdateCheck();
}
