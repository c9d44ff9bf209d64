#include "editor/ProjectFiles.h"

#include "editor/EditorControls.h"
#include "editor/FileHelpers.h"
#include "editor/VexulCreatorApp.h"
#include "resources/editor/resource.h"
#include "show/ProjectPack.h"

#include <cstring>
#include <vector>

namespace
{

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
    CProjectNames(const CString& folder, const CProjectPack* pack, const std::vector<BYTE>& bytes)
        : m_folder(folder), m_pack(pack), m_bytes(bytes)
    {
        WIN32_FIND_DATAA found;
        HANDLE search = FindFirstFileA(Path::Join(folder, "*"), &found);
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
                !FileHoldsBytes(Path::Join(m_folder, file), m_bytes.data(), m_bytes.size()))
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
    const CProjectPack* m_pack;
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
    AfxMessageBox(FormatString(IDS_FILE_COPIED_UNDER_FREE_NAME, name.GetString(), freeName.GetString()),
                  MB_OK | MB_ICONINFORMATION);
    return freeName;
}

}   // namespace

BOOL ImportFileToProject(const char* filePath, const char* projectFolder, CString& relativeName,
                         const CProjectPack* pack)
{
    relativeName.Empty();
    CString path = filePath ? filePath : "";
    if (path.IsEmpty())
        return FALSE;
    CString folder = Path::WithoutTrailingBackslash(GetFullPath(projectFolder));
    if (path.Find('\\') < 0)
        path = Path::Join(theApp.m_strAppFolder, path);
    path = GetFullPath(path);

    // Inside means below the folder itself: "C:\Show2\a.bmp" is not inside "C:\Show".
    CString fullName;
    if (!folder.IsEmpty() && Path::RelativeTo(path, folder) != path)
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
        fullName = Path::Join(folder, name);
        if (!FileHoldsBytes(fullName, bytes.data(), bytes.size()) &&
            !CopyFileWithPrompt(fullName, path, FALSE))
        {
            AfxMessageBox(FormatString(IDS_IMPORT_COPY_FAILED, static_cast<const char*>(path),
                                       static_cast<const char*>(folder)),
                          MB_OK | MB_ICONEXCLAMATION);
            return FALSE;
        }
    }
    relativeName = Path::RelativeTo(fullName, folder);
    CFile check;
    return check.Open(fullName, CFile::modeRead | CFile::shareDenyNone);
}

BOOL CopyIntoProjectUnderFreeName(const char* filePath, const char* projectFolder, const CProjectPack* pack,
                                  CString& copyPath)
{
    copyPath.Empty();
    CString folder = Path::WithoutTrailingBackslash(GetFullPath(projectFolder));
    CString path = GetFullPath(filePath);
    BOOL readable = FALSE;
    std::vector<BYTE> bytes = ReadWholeFile(path, readable);
    if (!readable || folder.IsEmpty())
        return FALSE;
    CProjectNames names(folder, pack, bytes);
    CString name = Path::FileNameOf(path);
    CString target = Path::Join(folder, TellFreeName(name, FreeProjectName(name, names)));
    if (!CopyFileWithPrompt(target, path, FALSE))
        return FALSE;
    copyPath = target;
    return TRUE;
}

int CopyExampleFiles(const char* exampleFolder, const char* projectFolder)
{
    CString folder = exampleFolder != nullptr ? exampleFolder : "";
    CString list = Path::Join(folder, "Tutor.ini");
    if (folder.IsEmpty() || !FileExists(list))
        return 0;
    const int MAX_FILES = 1000;   // a damaged list cannot keep the copy going
    int count = static_cast<int>(GetPrivateProfileIntA("COPY", "FILECNT", 0, list));
    if (count > MAX_FILES)
        count = MAX_FILES;
    int copied = 0;
    for (int i = 1; i <= count; i++)
    {
        CString key;
        key.Format("FILE%d", i);
        char name[MAX_PATH + 1] = {};
        GetPrivateProfileStringA("COPY", key, "", name, sizeof(name), list);
        CString file = name;
        // Only names of files beside the list: the copy never leaves the two folders.
        if (file.GetLength() < 2 || file.FindOneOf("\\/:") >= 0 || file == "..")
            continue;
        if (CopyFileWithPrompt(Path::Join(projectFolder, file), Path::Join(folder, file), TRUE))
            copied++;
    }
    return copied;
}
