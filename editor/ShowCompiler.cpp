#include "editor/ShowCompiler.h"

#include "editor/EditorControls.h"
#include "editor/FileHelpers.h"
#include "editor/ProjectSettings.h"
#include "editor/VersionPatcher.h"
#include "resources/editor/resource.h"
#include "show/ProjectPack.h"

#include <cstring>
#include <algorithm>
#include <new>

namespace
{

const char PROJECT_TYPE[] = "PROJECTFILE";
const char PROJECT_NAME[] = "FILE_1";
const char PLAYER_FILE_NAME[] = "VEXUL.EXE";

#pragma pack(push, 1)
// A directory entry of an icon file.
struct CIconDirEntry
{
    BYTE width;
    BYTE height;
    BYTE colourCount;
    BYTE reserved;
    WORD planes;
    WORD bitCount;
    DWORD size;
    DWORD offset;
};
// An entry of an icon group resource.
struct CGroupIconEntry
{
    BYTE width;
    BYTE height;
    BYTE colourCount;
    BYTE reserved;
    WORD planes;
    WORD bitCount;
    DWORD size;
    WORD id;
};
#pragma pack(pop)
static_assert(sizeof(CIconDirEntry) == 16, "stored layout");
static_assert(sizeof(CGroupIconEntry) == 14, "stored layout");

const int ICON_HEADER_SIZE = 6;   // reserved, type, count: 2 bytes each

WORD ReadWord(const BYTE* p)
{
    return static_cast<WORD>(p[0] | (p[1] << 8));
}

// The group entry of one image of an icon file; FALSE when the image is not a usable icon image.
BOOL DescribeIconImage(const CIconDirEntry& entry, const BYTE* image, DWORD size, CGroupIconEntry& group)
{
    static const BYTE PNG_SIGNATURE[8] = {0x89, 'P', 'N', 'G', 0x0D, 0x0A, 0x1A, 0x0A};
    group.reserved = 0;
    group.planes = 1;
    group.size = size;
    if (size >= sizeof(PNG_SIGNATURE) && std::memcmp(image, PNG_SIGNATURE, sizeof(PNG_SIGNATURE)) == 0)
    {
        // A compressed image carries no bitmap header: its sizes come from the directory.
        group.width = entry.width;
        group.height = entry.height;
        group.colourCount = entry.colourCount;
        group.bitCount = entry.bitCount ? entry.bitCount : 32;
        return TRUE;
    }
    BITMAPINFOHEADER header;
    if (size < sizeof(header))
        return FALSE;
    std::memcpy(&header, image, sizeof(header));
    const LONG height = header.biHeight / 2;   // colour bits and mask, one above the other
    const WORD bits = header.biBitCount;
    if (header.biSize != sizeof(BITMAPINFOHEADER) || header.biWidth < 1 || header.biWidth > 256 || height < 1 ||
        height > 256 || header.biPlanes != 1 || header.biCompression != BI_RGB || header.biClrUsed > 256 ||
        (bits != 1 && bits != 4 && bits != 8 && bits != 16 && bits != 24 && bits != 32))
        return FALSE;
    DWORD colours = header.biClrUsed ? header.biClrUsed : bits <= 8 ? (1u << bits) : 0;
    DWORD colourStride = ((header.biWidth * bits + 31) / 32) * 4;
    DWORD maskStride = ((header.biWidth + 31) / 32) * 4;
    DWORD needed = header.biSize + colours * 4 + (colourStride + maskStride) * height;
    if (needed > size)
        return FALSE;
    group.width = static_cast<BYTE>(header.biWidth & 0xFF);
    group.height = static_cast<BYTE>(height & 0xFF);
    group.colourCount = bits == 4 ? 16 : bits == 1 ? 2 : 0;
    group.bitCount = static_cast<WORD>(header.biPlanes * bits);
    return TRUE;
}

// Splits an icon file into its first images and the group record that lists them. FALSE when the file is
// not a usable icon file; nothing is read outside it.
BOOL ParseIconFile(const std::vector<BYTE>& file, std::vector<std::vector<BYTE>>& images, std::vector<BYTE>& group)
{
    images.clear();
    if (file.size() < ICON_HEADER_SIZE)
        return FALSE;
    const BYTE* data = file.data();
    const size_t count = ReadWord(data + 4);
    const size_t directoryEnd = ICON_HEADER_SIZE + count * sizeof(CIconDirEntry);
    if (ReadWord(data) != 0 || ReadWord(data + 2) != 1 || count == 0 || directoryEnd > file.size())
        return FALSE;
    const size_t used = std::min<size_t>(count, CShowCompiler::MAX_ICON_IMAGES);
    group.assign(ICON_HEADER_SIZE + used * sizeof(CGroupIconEntry), 0);
    group[2] = 1;   // icons
    group[4] = static_cast<BYTE>(used);
    for (size_t j = 0; j < used; j++)
    {
        CIconDirEntry entry;
        std::memcpy(&entry, data + ICON_HEADER_SIZE + j * sizeof(entry), sizeof(entry));
        if (entry.size == 0 || entry.size > CShowCompiler::MAX_ICON_IMAGE_SIZE || entry.offset < directoryEnd ||
            entry.offset > file.size() || entry.size > file.size() - entry.offset)
            return FALSE;
        const BYTE* image = data + entry.offset;
        CGroupIconEntry described;
        if (!DescribeIconImage(entry, image, entry.size, described))
            return FALSE;
        described.id = static_cast<WORD>(j + 1);
        std::memcpy(group.data() + ICON_HEADER_SIZE + j * sizeof(described), &described, sizeof(described));
        images.emplace_back(image, image + entry.size);
    }
    return TRUE;
}

// Reads a whole file of at most maxSize bytes. FALSE when it cannot be opened, is larger or reads short.
BOOL ReadWholeFile(const char* path, ULONGLONG maxSize, std::vector<BYTE>& data)
{
    CFile file;
    if (!file.Open(path, CFile::modeRead | CFile::shareDenyWrite))
        return FALSE;
    ULONGLONG length = file.GetLength();
    if (length > maxSize)
        return FALSE;
    data.resize(static_cast<size_t>(length));
    return length == 0 || file.Read(data.data(), static_cast<UINT>(length)) == length;
}

}   // namespace

CShowCompiler::CShowCompiler() : m_failure(failNone), m_nWrittenSize(0)
{
    m_strPlainPlayer = Path::Join(Path::FolderOf(GetModulePath(nullptr)), PLAYER_FILE_NAME);
}

CShowCompiler::~CShowCompiler() = default;

BOOL CShowCompiler::IsCompileSystem()
{
    // Decided by the platform, not by a product name: the resource update exists on the NT family only.
    OSVERSIONINFOA info;
    std::memset(&info, 0, sizeof(info));
    info.dwOSVersionInfoSize = sizeof(info);
#pragma GCC diagnostic push
#pragma GCC diagnostic ignored "-Wdeprecated-declarations"
    if (!GetVersionExA(&info))
        return TRUE;   // let the resource update decide
#pragma GCC diagnostic pop
    return info.dwPlatformId == VER_PLATFORM_WIN32_NT;
}

HANDLE CShowCompiler::BeginUpdate(const char* path)
{
    return BeginUpdateResourceA(path, FALSE);
}

BOOL CShowCompiler::UpdateData(HANDLE update, LPCSTR type, LPCSTR name, const void* data, DWORD size)
{
    return UpdateResourceA(update, type, name, MAKELANGID(LANG_NEUTRAL, SUBLANG_NEUTRAL), const_cast<void*>(data),
                           size);
}

BOOL CShowCompiler::EndUpdate(HANDLE update, BOOL discard)
{
    return EndUpdateResourceA(update, discard);
}

BOOL CShowCompiler::Fail(Failure failure, UINT messageId, const char* argument)
{
    CString text;
    if (argument)
        text = FormatString(messageId, argument);
    else
        text.LoadString(messageId);
    return FailText(failure, text);
}

BOOL CShowCompiler::FailText(Failure failure, const CString& text)
{
    m_failure = failure;
    m_strMessage = text;
    return FALSE;
}

void CShowCompiler::Report() const
{
    AfxMessageBox(m_strMessage, MB_OK | (m_failure == failNone ? MB_ICONINFORMATION : MB_ICONEXCLAMATION));
}

BOOL CShowCompiler::CheckPlayerWritable(const char* playerPath)
{
    if (IsReadOnly(playerPath))
        return Fail(failPlayerReadOnly, IDS_COMPILE_PLAYER_READ_ONLY);
    HANDLE h = CreateFileA(playerPath, GENERIC_WRITE, FILE_SHARE_READ | FILE_SHARE_WRITE | FILE_SHARE_DELETE,
                           nullptr, OPEN_EXISTING, FILE_ATTRIBUTE_NORMAL, nullptr);
    if (h == INVALID_HANDLE_VALUE)
    {
        // A running player holds its program file: that is not a question of rights.
        if (GetLastError() == ERROR_SHARING_VIOLATION)
            return Fail(failPlayerInUse, IDS_COMPILE_PLAYER_IN_USE, playerPath);
        return Fail(failPlayerReadOnly, IDS_COMPILE_PLAYER_READ_ONLY);
    }
    CloseHandle(h);
    return TRUE;
}

BOOL CShowCompiler::WriteResources(const char* path, const std::vector<CResourceItem>& items,
                                   const CUpdateMessages& messages)
{
    HANDLE update = BeginUpdate(path);
    if (!update)
        return Fail(messages.openFailure, messages.open, path);
    for (const CResourceItem& item : items)
        if (!UpdateData(update, item.type, item.name, item.data, item.size))
        {
            // Nothing of a half-made update reaches the file.
            EndUpdate(update, TRUE);
            return Fail(messages.writeFailure, messages.add, path);
        }
    if (!EndUpdate(update, FALSE))
        return Fail(messages.writeFailure, messages.write, path);
    return TRUE;
}

BOOL CShowCompiler::ReadProject(const char* projectFilePath, std::vector<BYTE>& data)
{
    CFile file;
    if (!file.Open(projectFilePath, CFile::modeRead | CFile::shareDenyWrite))
        return Fail(failProjectUnreadable, IDS_COMPILE_PROJECT_UNREADABLE, projectFilePath);
    ULONGLONG length = file.GetLength();
    if (length == 0)
        return Fail(failProjectEmpty, IDS_COMPILE_PROJECT_EMPTY);
    if (length > CProjectPack::MAX_PACK_SIZE)
    {
        return FailText(failProjectTooLarge,
                        FormatString(IDS_COMPILE_PROJECT_TOO_LARGE, CProjectPack::MAX_PACK_SIZE / (1024 * 1024)));
    }
    try
    {
        data.assign(static_cast<size_t>(length), 0);
    }
    catch (const std::bad_alloc&)
    {
        return Fail(failOutOfMemory, IDS_COMPILE_OUT_OF_MEMORY);
    }
    if (file.Read(data.data(), static_cast<UINT>(length)) != length)
        return Fail(failProjectUnreadable, IDS_COMPILE_PROJECT_UNREADABLE, projectFilePath);
    return TRUE;
}

int CShowCompiler::WriteProjectResource(const char* playerPath, const char* projectFilePath)
{
    m_failure = failNone;
    m_strMessage.Empty();
    m_nWrittenSize = 0;
    if (!CheckSystem())
        return Fail(failSystem, IDS_COMPILE_SYSTEM);
    CString player = playerPath ? playerPath : "";
    CString project = projectFilePath ? projectFilePath : "";
    if (player.IsEmpty())
        return Fail(failNoPlayer, IDS_COMPILE_NO_PLAYER);
    if (project.IsEmpty())
        return Fail(failNoProject, IDS_COMPILE_NO_PROJECT);
    if (!FileExists(player))
        return Fail(failNoPlayer, IDS_COMPILE_NO_PLAYER);
    if (!CheckPlayerWritable(player))
        return 0;
    if (!FileExists(project))
        return Fail(failNoProject, IDS_COMPILE_NO_PROJECT);

    std::vector<BYTE> pack;
    if (!ReadProject(project, pack))
        return 0;

    // Every compile starts from a plain player, which itself must stay plain.
    if (!FileExists(m_strPlainPlayer))
        return Fail(failNoPlainPlayer, IDS_COMPILE_NO_PLAIN_PLAYER, m_strPlainPlayer);
    if (IsSameFile(m_strPlainPlayer, player))
        return Fail(failPlainPlayerItself, IDS_COMPILE_PLAIN_PLAYER_ITSELF, player);
    if (!CopyFileWithPrompt(player, m_strPlainPlayer, FALSE))
        return Fail(failPlayerInUse, IDS_COMPILE_PLAYER_IN_USE, player);

    const CUpdateMessages messages = {failOpenPlayer, IDS_COMPILE_OPEN_PLAYER, failWritePlayer,
                                      IDS_COMPILE_ADD_PROJECT, IDS_COMPILE_WRITE_PLAYER};
    if (!WriteResources(player, {{PROJECT_TYPE, PROJECT_NAME, pack.data(), static_cast<DWORD>(pack.size())}},
                        messages))
        return 0;
    m_strCompiledPlayer = player;
    m_strCompiledProject = project;
    m_nWrittenSize = static_cast<int>(pack.size());
    return m_nWrittenSize;
}

BOOL CShowCompiler::ReplaceIcons(const char* playerPath, const char* iconPath)
{
    m_failure = failNone;
    m_strMessage.Empty();
    if (!iconPath || !*iconPath || !FileExists(iconPath))
        return Fail(failIconFile, IDS_ICON_FILE_MISSING, iconPath ? iconPath : "");
    if (!playerPath || !*playerPath || !FileExists(playerPath))
        return Fail(failNoPlayer, IDS_COMPILE_NO_PLAYER);
    if (!CheckPlayerWritable(playerPath))
        return FALSE;

    std::vector<BYTE> file;
    std::vector<std::vector<BYTE>> images;
    std::vector<BYTE> group;
    if (!ReadWholeFile(iconPath, MAX_ICON_FILE_SIZE, file) || !ParseIconFile(file, images, group))
        return Fail(failIconFile, IDS_ICON_FILE_REFUSED, iconPath);

    std::vector<CResourceItem> items;
    for (size_t j = 0; j < images.size(); j++)
        items.push_back(
            {RT_ICON, MAKEINTRESOURCEA(j + 1), images[j].data(), static_cast<DWORD>(images[j].size())});
    items.push_back(
        {RT_GROUP_ICON, MAKEINTRESOURCEA(ICON_GROUP_ID), group.data(), static_cast<DWORD>(group.size())});
    const CUpdateMessages messages = {failIconWrite, IDS_RESOURCE_OPEN, failIconWrite, IDS_RESOURCE_ADD,
                                      IDS_RESOURCE_WRITE};
    return WriteResources(playerPath, items, messages);
}

BOOL CShowCompiler::RewriteVersion(const char* playerPath, const int (&numbers)[4], const char* copyright,
                                   const char* description, const char* company, const char* productVersion)
{
    m_failure = failNone;
    m_strMessage.Empty();
    if (!playerPath || !*playerPath || !FileExists(playerPath))
        return Fail(failNoPlayer, IDS_COMPILE_NO_PLAYER);
    if (!CheckPlayerWritable(playerPath))
        return FALSE;

    CVersionPatcher patcher;
    BOOL loaded = FALSE;
    if (HMODULE module = LoadLibraryExA(playerPath, nullptr, LOAD_LIBRARY_AS_DATAFILE))
    {
        if (HRSRC resource = FindResourceA(module, MAKEINTRESOURCEA(VERSION_ID), RT_VERSION))
        {
            DWORD size = SizeofResource(module, resource);
            HGLOBAL handle = LoadResource(module, resource);
            const void* block = handle ? LockResource(handle) : nullptr;
            loaded = block && patcher.Load(block, size);
        }
        FreeLibrary(module);
    }
    if (!loaded)
        return Fail(failVersionInfo, IDS_VERSION_MISSING, playerPath);

    patcher.SetFileVersion(numbers);
    CString fileVersion;
    fileVersion.Format("%d.%d.%d.%d", numbers[0], numbers[1], numbers[2], numbers[3]);
    const struct
    {
        const char* key;
        const char* text;
    } values[] = {
        {"Comments", ""},
        {"CompanyName", company},
        {"FileDescription", description},
        {"FileVersion", fileVersion},
        {"LegalCopyright", copyright},
        {"LegalTrademarks", ""},
        {"OriginalFilename", ""},
        {"PrivateBuild", ""},
        {"ProductName", ""},
        {"ProductVersion", productVersion},
        {"SpecialBuild", ""},
    };
    for (const auto& value : values)
        patcher.SetValue(value.key, value.text);

    const CUpdateMessages messages = {failVersionWrite, IDS_RESOURCE_OPEN, failVersionWrite, IDS_RESOURCE_ADD,
                                      IDS_RESOURCE_WRITE};
    return WriteResources(
        playerPath, {{RT_VERSION, MAKEINTRESOURCEA(VERSION_ID), patcher.GetData(), patcher.GetSize()}}, messages);
}

BOOL CShowCompiler::Compile(const char* playerPath, const char* projectFolder, const char* projectFilePath,
                            const CProjectSettings& settings)
{
    int written = WriteProjectResource(playerPath, projectFilePath);
    if (written == 0)
        return FALSE;

    // The pack is in; the steps after it may still fail, and the user must learn which.
    CString problems;
    Failure failure = failNone;
    if (!settings.m_strIconFile.IsEmpty())
    {
        CString icon = settings.m_strIconFile;
        if (Path::IsRelative(icon) && projectFolder && *projectFolder)
            icon = Path::Join(projectFolder, icon);
        if (!ReplaceIcons(playerPath, icon))
        {
            failure = m_failure;
            problems += FormatString(IDS_STEP_ICONS, m_strMessage) + "\n";
        }
    }
    if (settings.m_nFileInfoOn)
    {
        if (!RewriteVersion(playerPath, settings.m_nFileVersion, settings.m_strCopyright,
                            settings.m_strDescription, settings.m_strCompany, settings.m_strProductVersion))
        {
            failure = m_failure;
            problems += FormatString(IDS_STEP_VERSION, m_strMessage) + "\n";
        }
    }

    m_failure = failure;
    if (failure != failNone)
    {
        m_strMessage = FormatString(IDS_COMPILE_INCOMPLETE, projectFilePath, written, playerPath, problems);
        return FALSE;
    }
    m_strMessage = FormatString(IDS_COMPILE_SUCCESS, projectFilePath, written, playerPath);
    return TRUE;
}
