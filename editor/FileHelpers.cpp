#include "editor/FileHelpers.h"

#include "editor/EditorControls.h"
#include "resources/editor/resource.h"

#include <vector>

namespace
{

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
    CString source = Path::Join(sourceFolder, name);
    WIN32_FIND_DATAA found;
    HANDLE search = FindFirstFileA(source, &found);
    if (search == INVALID_HANDLE_VALUE)
        return FALSE;
    FindClose(search);
    CString target = Path::Join(targetFolder, name);
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
