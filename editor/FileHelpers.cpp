#include "editor/FileHelpers.h"

#include "editor/EditorControls.h"
#include "resources/editor/resource.h"

#include <vector>

namespace
{

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

// Copies source over target through a temporary file; TRUE when at least one chunk was copied.
BOOL CopyOver(const char* sourcePath, const char* targetPath)
{
    if (IsSameFile(sourcePath, targetPath))
    {
        // A copy onto itself would truncate the only copy of the data: leave it alone.
        WIN32_FILE_ATTRIBUTE_DATA data;
        return GetFileAttributesExA(sourcePath, GetFileExInfoStandard, &data) &&
               (data.nFileSizeLow != 0 || data.nFileSizeHigh != 0);
    }
    CFile source;
    if (!source.Open(sourcePath, CFile::modeRead | CFile::shareDenyNone))
        return FALSE;
    // Through the safe save path: its temporary file is the one kind of leftover the editor clears away.
    CSafeSaveFile target;
    if (!target.Open(targetPath))
        return FALSE;
    ULONGLONG copied = 0;
    // An empty source still leaves an empty target, but counts as a failed copy.
    if (!CopyFileData(source, target, &copied) || !target.Commit())
    {
        target.Abort();
        return FALSE;
    }
    return copied > 0;
}

}   // namespace

BOOL CopyFileData(CFile& source, CFile& target, ULONGLONG* copied)
{
    std::vector<BYTE> chunk(COPY_CHUNK_SIZE);
    ULONGLONG total = 0;
    BOOL ok = TRUE;
    for (;;)
    {
        UINT n = source.Read(chunk.data(), COPY_CHUNK_SIZE);
        if (n == 0)
            break;
        if (!target.Write(chunk.data(), n))
        {
            ok = FALSE;
            break;
        }
        total += n;
    }
    if (copied)
        *copied = total;
    return ok;
}

BOOL CopyFileToFolder(const char* fileName, const char* sourceFolder, const char* targetFolder)
{
    CString name = fileName ? fileName : "";
    if (name.IsEmpty())
        return FALSE;
    CString source = (sourceFolder && *sourceFolder) ? CString(sourceFolder) + "\\" + name : name;
    WIN32_FIND_DATAA found;
    HANDLE search = FindFirstFileA(source, &found);
    if (search == INVALID_HANDLE_VALUE)
        return FALSE;
    FindClose(search);
    CString target = CString(targetFolder ? targetFolder : "") + "\\" + name;
    return CopyOver(source, target);
}

BOOL CopyFileWithPrompt(const char* targetPath, const char* sourcePath, BOOL ask, BOOL* pDeclined)
{
    if (pDeclined)
        *pDeclined = FALSE;
    if (!targetPath || !*targetPath || !sourcePath || !*sourcePath)
        return FALSE;
    if (ask && FileExists(targetPath))
    {
        if (AfxMessageBox(FormatString(IDS_FILE_OVERWRITE_QUESTION, targetPath), MB_YESNO | MB_ICONQUESTION) != IDYES)
        {
            if (pDeclined)
                *pDeclined = TRUE;
            return FALSE;
        }
    }
    return CopyOver(sourcePath, targetPath);
}

void GetFolderOfPath(const char* path, CString& folder)
{
    CString above = Path::FolderOf(path);
    if (!above.IsEmpty())   // a backslash after the first character
        folder = above;
}

BOOL FileExists(const char* path)
{
    return path && *path && GetFileAttributesA(path) != INVALID_FILE_ATTRIBUTES;
}

BOOL IsFolder(const char* path)
{
    DWORD attributes = GetFileAttributesA(path);
    return attributes != INVALID_FILE_ATTRIBUTES && (attributes & FILE_ATTRIBUTE_DIRECTORY) != 0;
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
    stamp.written = (static_cast<ULONGLONG>(data.ftLastWriteTime.dwHighDateTime) << 32) |
                    data.ftLastWriteTime.dwLowDateTime;
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

CString WithoutTrailingBackslash(CString folder)
{
    if (folder.GetLength() > 1 && folder[folder.GetLength() - 1] == '\\')
        folder = folder.Left(folder.GetLength() - 1);
    return folder;
}
