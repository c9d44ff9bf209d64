#include "framework/win/FileSystem.h"

#include <vector>

namespace
{

DWORD AttributesOf(const char* path)
{
    return path && *path ? GetFileAttributesA(path) : INVALID_FILE_ATTRIBUTES;
}

// The file's identity: its volume and index. FALSE when it cannot be opened.
BOOL GetFileIdentity(const char* path, BY_HANDLE_FILE_INFORMATION& info)
{
    HANDLE h = CreateFileA(path, 0, FILE_SHARE_READ | FILE_SHARE_WRITE | FILE_SHARE_DELETE, nullptr, OPEN_EXISTING,
                           FILE_FLAG_BACKUP_SEMANTICS, nullptr);
    if (h == INVALID_HANDLE_VALUE)
        return FALSE;
    BOOL ok = GetFileInformationByHandle(h, &info);
    CloseHandle(h);
    return ok;
}

}   // namespace

BOOL FileExists(const char* path)
{
    return AttributesOf(path) != INVALID_FILE_ATTRIBUTES;
}

BOOL IsFolder(const char* path)
{
    DWORD attributes = AttributesOf(path);
    return attributes != INVALID_FILE_ATTRIBUTES && (attributes & FILE_ATTRIBUTE_DIRECTORY) != 0;
}

BOOL IsFile(const char* path)
{
    DWORD attributes = AttributesOf(path);
    return attributes != INVALID_FILE_ATTRIBUTES && (attributes & FILE_ATTRIBUTE_DIRECTORY) == 0;
}

BOOL IsReadOnly(const char* path)
{
    DWORD attributes = AttributesOf(path);
    return attributes != INVALID_FILE_ATTRIBUTES && (attributes & FILE_ATTRIBUTE_READONLY) != 0;
}

CString GetFullPath(const char* path)
{
    if (!path || !*path)
        return CString();
    DWORD needed = GetFullPathNameA(path, 0, nullptr, nullptr);
    if (needed == 0)
        return CString(path);
    CString full;
    DWORD n = GetFullPathNameA(path, needed, full.GetBuffer(static_cast<int>(needed)), nullptr);
    full.ReleaseBuffer(n < needed ? static_cast<int>(n) : 0);
    return full.IsEmpty() ? CString(path) : full;
}

BOOL IsSameFile(const char* pathA, const char* pathB)
{
    if (!FileExists(pathA) || !FileExists(pathB))
        return FALSE;
    if (GetFullPath(pathA).CompareNoCase(GetFullPath(pathB)) == 0)
        return TRUE;
    BY_HANDLE_FILE_INFORMATION a, b;
    return GetFileIdentity(pathA, a) && GetFileIdentity(pathB, b) &&
           a.dwVolumeSerialNumber == b.dwVolumeSerialNumber && a.nFileIndexHigh == b.nFileIndexHigh &&
           a.nFileIndexLow == b.nFileIndexLow;
}

CString GetCurrentFolder()
{
    DWORD needed = GetCurrentDirectoryA(0, nullptr);
    if (needed == 0)
        return CString();
    CString folder;
    DWORD n = GetCurrentDirectoryA(needed, folder.GetBuffer(static_cast<int>(needed)));
    folder.ReleaseBuffer(n < needed ? static_cast<int>(n) : 0);
    return folder;
}

CString GetModulePath(HMODULE module)
{
    for (DWORD size = MAX_PATH;; size *= 2)
    {
        std::vector<char> buffer(size);
        DWORD n = GetModuleFileNameA(module, buffer.data(), size);
        if (n == 0)
            return CString();
        if (n < size)
            return CString(buffer.data(), static_cast<int>(n));
        if (size >= 32768)
            return CString();
    }
}

CFileStamp GetFileStamp(const char* path)
{
    CFileStamp stamp;
    WIN32_FILE_ATTRIBUTE_DATA data;
    if (path == nullptr || !GetFileAttributesExA(path, GetFileExInfoStandard, &data))
        return stamp;
    stamp.exists = TRUE;
    stamp.size = (static_cast<ULONGLONG>(data.nFileSizeHigh) << 32) | data.nFileSizeLow;
    stamp.written =
        (static_cast<ULONGLONG>(data.ftLastWriteTime.dwHighDateTime) << 32) | data.ftLastWriteTime.dwLowDateTime;
    return stamp;
}

CString FreeFileName(const char* path)
{
    CString wanted = path ? path : "";
    if (wanted.IsEmpty() || !FileExists(wanted))
        return wanted;
    CString base = Path::WithoutExtension(wanted);
    CString extension = Path::ExtensionOf(wanted);
    for (int n = 2;; n++)
    {
        CString candidate;
        candidate.Format("%s_%d%s", base.GetString(), n, extension.GetString());
        if (!FileExists(candidate))
            return candidate;
    }
}
