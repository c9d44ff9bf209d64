// CSafeSaveFile: a file that replaces its target only once it was written completely.
//
// Open makes a temporary file in the target's folder and writes go there. Commit flushes and closes it,
// checks that the disk holds as many bytes as were written, and moves it over the target in one step
// (MoveFileExA with MOVEFILE_REPLACE_EXISTING | MOVEFILE_WRITE_THROUGH). On any failure, and when the object
// goes without Commit, the temporary file is removed and the target stays as it was, byte for byte.
// A write-protected target is never replaced. A temporary file whose writer was killed stays behind;
// RemoveLeftovers clears such files from a folder.
#pragma once

#include "framework/core/Core.h"

class CSafeSaveFile : public CFile
{
    DECLARE_DYNAMIC(CSafeSaveFile)
public:
    CSafeSaveFile() = default;
    ~CSafeSaveFile() override;   // Abort unless committed

    // Opens a temporary file beside lpszTarget for writing; FALSE when none can be made there (no such
    // folder, no right to write in it) or the target is write-protected. The open flags are those of a new
    // file and are not asked for.
    BOOL Open(const char* lpszTarget, UINT openFlags = modeCreate | modeWrite,
              CFileException* unused = nullptr) override;
    bool Write(const void* buffer, UINT count) override;   // a failed write makes Commit fail
    // TRUE when the target now holds exactly what was written. The file is closed either way.
    BOOL Commit();
    // Closes and removes the temporary file; the target is untouched.
    void Abort();

    // Deletes the temporary files of saves that never finished from a folder: files named as this class
    // names its temporary files that nobody holds open (a save in progress keeps its file open). Returns
    // how many went.
    static int RemoveLeftovers(const char* folder);
    // The name pattern of the temporary files: "vx", one to four hexadecimal digits, ".tmp".
    static BOOL IsTemporaryName(const char* name);

    const CString& GetTargetPath() const { return m_strTarget; }
    // The system's error code of the step that failed (0 when none did).
    DWORD GetFailure() const { return m_dwFailure; }

private:
    void Fail(DWORD error);

    CString m_strTarget;
    CString m_strTemp;
    DWORD m_dwFailure = 0;
    bool m_bWriteFailed = false;
};
