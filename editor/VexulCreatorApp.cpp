#include "editor/VexulCreatorApp.h"

#include "editor/FileHelpers.h"
#include "show/Language.h"
#include "show/ProjectPack.h"

#include <cstdlib>
#include <vector>

IMPLEMENT_DYNAMIC(CVexulCreatorApp, CWinApp)

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

// The six-digit version text of the first three numbers of the fixed file version.
CString FormatVersion(const VS_FIXEDFILEINFO& info)
{
    CString text;
    text.Format("%02d%02d%02d", static_cast<int>(HIWORD(info.dwFileVersionMS)),
                static_cast<int>(LOWORD(info.dwFileVersionMS)), static_cast<int>(HIWORD(info.dwFileVersionLS)));
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

BOOL IsFolder(const char* path)
{
    DWORD attributes = GetFileAttributesA(path);
    return attributes != INVALID_FILE_ATTRIBUTES && (attributes & FILE_ATTRIBUTE_DIRECTORY) != 0;
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
        if (m_pack != nullptr && m_pack->FindEntry(name) >= 0)
        {
            int size = 0;
            const BYTE* data = m_pack->GetEntryData(name, size);
            // An entry keeps its bytes followed by zeros up to its stored size.
            size_t length = m_bytes.size();
            if (data == nullptr || size != CProjectPack::GetStoredSize(static_cast<int>(length)) ||
                (length > 0 && memcmp(data, m_bytes.data(), length) != 0))
                return TRUE;
            for (int i = static_cast<int>(length); i < size; i++)
                if (data[i] != 0)
                    return TRUE;
        }
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
    int dot = name.ReverseFind('.');
    CString base = dot > 0 ? name.Left(dot) : name;
    CString extension = dot > 0 ? name.Mid(dot) : CString();
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
        return path.Left(path.ReverseFind('\\'));

    // A program started through a path that no longer exists: the same place below the programs folder.
    if (path.GetLength() > 3 && path.Left(3).CompareNoCase("C:\\") == 0)
    {
        CString rest = path.Mid(3);
        int slash = rest.Find('\\');
        if (slash >= 0)
        {
            CString candidate = "C:\\Program Files\\" + rest.Mid(slash + 1);
            if (FileExists(candidate))
                return candidate.Left(candidate.ReverseFind('\\'));
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
    m_strVersion = FormatVersion(info);
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
    text = FormatVersion(info);
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
        CString name = path.Mid(path.ReverseFind('\\') + 1);
        BOOL readable = FALSE;
        std::vector<BYTE> bytes = ReadWholeFile(path, readable);
        if (!readable || folder.IsEmpty())
            return FALSE;
        CProjectNames names(folder, pack, bytes);
        if (names.IsTakenByOther(name))
        {
            // Another picture has that name already: replacing it would change the slides that show it.
            CString freeName = FreeProjectName(name, names);
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
            name = freeName;
        }
        fullName = folder + "\\" + name;
        if (!FileHoldsBytes(fullName, bytes.data(), bytes.size()) &&
            !CopyFileWithPrompt(fullName, path, FALSE, GetLanguage()))
            return FALSE;
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
