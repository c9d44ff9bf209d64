// CSafeSaveFile: a file that replaces its target only once it was written completely.
//
// Open makes a temporary file in the target's folder and writes go there. Commit flushes and closes it,
// checks that the disk holds as many bytes as were written, and moves it over the target in one step
// (MoveFileExA with MOVEFILE_REPLACE_EXISTING | MOVEFILE_WRITE_THROUGH). On any failure, and when the object
// goes without Commit, the temporary file is removed and the target stays as it was, byte for byte.
// A write-protected target is never replaced. A temporary file whose writer was killed stays behind;
// RemoveLeftovers clears such files from a folder.
//
// From Open until the object goes (or Abort) it holds the target's save lock (CSaveLock): another program
// that saves the same target at the same moment waits, so that what a saver checks about the target just
// after Open still holds when Commit replaces it.
#pragma once

#include "framework/core/Core.h"

// CSaveLock: one save of a target at a time, across programs. The lock is a hidden file beside the target
// ("<target>.lock") held open without sharing: whoever asks for it meanwhile is refused until the holder
// closes it. The system closes the files of a program that ends, crashed or not, and the lock file goes with
// its last handle, so no lock outlives its holder; a lock file left by a machine that went down takes
// nothing, for nobody holds it open.
class CSaveLock
{
public:
    CSaveLock() = default;
    ~CSaveLock() { Release(); }
    CSaveLock(const CSaveLock&) = delete;
    CSaveLock& operator=(const CSaveLock&) = delete;

    // Takes the lock of the target, waiting up to waitMs while another holds it. FALSE when it could not be
    // taken: IsBusy() while another still holds it, else GetFailure() says why (a folder that takes no file).
    BOOL Acquire(const char* lpszTarget, DWORD waitMs);
    void Release();
    BOOL IsHeld() const { return m_hLock != INVALID_HANDLE_VALUE; }
    BOOL IsBusy() const { return m_dwFailure == ERROR_SHARING_VIOLATION; }
    DWORD GetFailure() const { return m_dwFailure; }

    static CString LockPathOf(const char* lpszTarget);

private:
    HANDLE m_hLock = INVALID_HANDLE_VALUE;
    DWORD m_dwFailure = 0;
};

class CSafeSaveFile : public CFile
{
    DECLARE_DYNAMIC(CSafeSaveFile)
public:
    CSafeSaveFile() = default;
    ~CSafeSaveFile() override;   // Abort unless committed

    // Takes the target's save lock (waiting up to GetLockWait() for another saver) and opens a temporary
    // file beside lpszTarget for writing; FALSE when another saver holds the lock still (IsTargetBusy), none
    // can be made there (no such folder, no right to write in it) or the target is write-protected. The open
    // flags are those of a new file and are not asked for.
    BOOL Open(const char* lpszTarget, UINT openFlags = modeCreate | modeWrite,
              CFileException* unused = nullptr) override;
    bool Write(const void* buffer, UINT count) override;   // a failed write makes Commit fail
    // TRUE when the target now holds exactly what was written. The file is closed either way; the lock is
    // kept until the object goes or Abort, so that the saver can look at the target it wrote.
    BOOL Commit();
    // Closes and removes the temporary file and lets the lock go; the target is untouched.
    void Abort();
    // Open failed because another program is saving the same target.
    BOOL IsTargetBusy() const { return m_lock.IsBusy(); }
    // How long Open waits for another saver of the same target (a large save on a slow disk takes seconds).
    static DWORD GetLockWait();
    static void SetLockWait(DWORD waitMs);

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

    CSaveLock m_lock;
    CString m_strTarget;
    CString m_strTemp;
    DWORD m_dwFailure = 0;
    bool m_bWriteFailed = false;
};
