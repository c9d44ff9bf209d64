#include "editor/FileHelpers.h"

#include "editor/EditorControls.h"
#include "resources/editor/resource.h"

#include <vector>

namespace
{

CCopyResult Failed(CCopyResult::Outcome outcome, const char* path, DWORD error)
{
    CCopyResult result;
    result.outcome = outcome;
    result.path = path ? path : "";
    result.error = error;
    return result;
}

// Copies source over target through a temporary file; done when at least one chunk was copied.
CCopyResult CopyOver(const char* sourcePath, const char* targetPath)
{
    if (IsSameFile(sourcePath, targetPath))
    {
        // A copy onto itself would truncate the only copy of the data: leave it alone.
        CFileStamp stamp = GetFileStamp(sourcePath);
        return stamp.size != 0 ? CCopyResult() : Failed(CCopyResult::sourceEmpty, sourcePath, 0);
    }
    CFile source;
    if (!source.Open(sourcePath, CFile::modeRead | CFile::shareDenyNone))
        return Failed(CCopyResult::sourceUnreadable, sourcePath, ::GetLastError());
    // Through the safe save path: its temporary file is the one kind of leftover the editor clears away.
    CSafeSaveFile target;
    if (!target.Open(targetPath))
        return Failed(CCopyResult::targetNotCreated, targetPath, target.GetFailure());
    ULONGLONG copied = 0;
    // An empty source still leaves an empty target, but counts as a failed copy.
    if (!CopyFileData(source, target, &copied) || !target.Commit())
    {
        DWORD error = target.GetFailure();
        target.Abort();
        return Failed(CCopyResult::targetNotWritten, targetPath, error);
    }
    return copied > 0 ? CCopyResult() : Failed(CCopyResult::sourceEmpty, sourcePath, 0);
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

CCopyResult CopyFileToFolder(const char* fileName, const char* sourceFolder, const char* targetFolder)
{
    CString name = fileName ? fileName : "";
    CString source = Path::Join(sourceFolder, name);
    if (name.IsEmpty())
        return Failed(CCopyResult::sourceMissing, source, ERROR_INVALID_NAME);
    WIN32_FIND_DATAA found;
    HANDLE search = FindFirstFileA(source, &found);
    if (search == INVALID_HANDLE_VALUE)
        return Failed(CCopyResult::sourceMissing, source, ::GetLastError());
    FindClose(search);
    return CopyOver(source, Path::Join(targetFolder, name));
}

CCopyResult CopyFileWithPrompt(const char* targetPath, const char* sourcePath, BOOL ask)
{
    if (!sourcePath || !*sourcePath)
        return Failed(CCopyResult::sourceMissing, sourcePath, ERROR_INVALID_NAME);
    if (!targetPath || !*targetPath)
        return Failed(CCopyResult::targetNotCreated, targetPath, ERROR_INVALID_NAME);
    if (ask && FileExists(targetPath) &&
        AfxMessageBox(FormatString(IDS_FILE_OVERWRITE_QUESTION, targetPath), MB_YESNO | MB_ICONQUESTION) != IDYES)
        return Failed(CCopyResult::declined, targetPath, 0);
    return CopyOver(sourcePath, targetPath);
}

CString WithCopyFailure(const CString& message, const CCopyResult& failure)
{
    static const struct
    {
        CCopyResult::Outcome outcome;
        UINT text;
    } steps[] = {{CCopyResult::sourceMissing, IDS_COPY_SOURCE_MISSING},
                 {CCopyResult::sourceUnreadable, IDS_FILE_UNREADABLE},
                 {CCopyResult::targetNotCreated, IDS_COPY_TARGET_NOT_CREATED},
                 {CCopyResult::targetNotWritten, IDS_COPY_TARGET_NOT_WRITTEN},
                 {CCopyResult::sourceEmpty, IDS_COPY_SOURCE_EMPTY}};
    CString text = message;
    for (const auto& step : steps)
        if (step.outcome == failure.outcome)
            text += "\n\n" + FormatString(step.text, failure.path.GetString());
    CString reason = SystemErrorText(failure.error);
    if (!reason.IsEmpty())
        text += "\n" + reason;
    return text;
}

void GetFolderOfPath(const char* path, CString& folder)
{
    CString above = Path::FolderOf(path);
    if (!above.IsEmpty())   // a backslash after the first character
        folder = above;
}
