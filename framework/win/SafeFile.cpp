// The safe way to replace a file: a temporary file in the same folder, moved over the target once complete.
#include "framework/win/SafeFile.h"

#include "framework/win/FileSystem.h"

#include <cctype>
#include <cstring>

IMPLEMENT_DYNAMIC(CSafeSaveFile, CFile)

namespace
{
const char kTemporaryPrefix[] = "vx";
const DWORD kLockPoll = 10;   // ms between two tries for a lock that another holds
DWORD g_dwLockWait = 10000;
}   // namespace

CString CSaveLock::LockPathOf(const char* lpszTarget)
{
    return CString(lpszTarget) + ".lock";
}

BOOL CSaveLock::Acquire(const char* lpszTarget, DWORD waitMs)
{
    Release();
    m_dwFailure = 0;
    const CString path = LockPathOf(lpszTarget);
    const DWORD start = ::GetTickCount();
    for (;;)
    {
        m_hLock = ::CreateFileA(path, GENERIC_READ | GENERIC_WRITE | DELETE, 0, nullptr, OPEN_ALWAYS,
                                FILE_ATTRIBUTE_HIDDEN | FILE_FLAG_DELETE_ON_CLOSE, nullptr);
        if (m_hLock != INVALID_HANDLE_VALUE)
            return TRUE;
        DWORD error = ::GetLastError();
        // Refused while another holds it, and for a moment while the file goes with its last handle.
        DWORD attributes = ::GetFileAttributesA(path);
        BOOL held = error == ERROR_SHARING_VIOLATION ||
                    (error == ERROR_ACCESS_DENIED && attributes != INVALID_FILE_ATTRIBUTES &&
                     !(attributes & FILE_ATTRIBUTE_READONLY));
        m_dwFailure = held ? ERROR_SHARING_VIOLATION : error;
        if (!held || ::GetTickCount() - start >= waitMs)
            return FALSE;
        ::Sleep(kLockPoll);
    }
}

void CSaveLock::Release()
{
    if (m_hLock != INVALID_HANDLE_VALUE)
        ::CloseHandle(m_hLock);   // the file goes with it
    m_hLock = INVALID_HANDLE_VALUE;
}

DWORD CSafeSaveFile::GetLockWait()
{
    return g_dwLockWait;
}

void CSafeSaveFile::SetLockWait(DWORD waitMs)
{
    g_dwLockWait = waitMs;
}

CSafeSaveFile::~CSafeSaveFile()
{
    Abort();
}

BOOL CSafeSaveFile::Open(const char* lpszTarget, UINT, CFileException*)
{
    Abort();
    m_dwFailure = 0;
    m_bWriteFailed = false;
    if (lpszTarget == nullptr || *lpszTarget == '\0')
    {
        m_dwFailure = ERROR_INVALID_NAME;
        return FALSE;
    }
    m_strTarget = GetFullPath(lpszTarget);
    if (IsReadOnly(m_strTarget))
    {
        m_dwFailure = ERROR_FILE_READ_ONLY;   // the user protected it: not ours to replace
        return FALSE;
    }
    // A target whose lock file's name would not fit a path is saved without the lock, as before there was one.
    if (CSaveLock::LockPathOf(m_strTarget).GetLength() < MAX_PATH && !m_lock.Acquire(m_strTarget, g_dwLockWait))
    {
        m_dwFailure = m_lock.GetFailure();
        return FALSE;
    }
    CString folder = Path::FolderOf(m_strTarget);
    if (folder.IsEmpty())
        folder = ".";
    else if (folder.GetLength() == 2)
        folder += '\\';   // the root of a drive
    char temp[MAX_PATH];
    if (::GetTempFileNameA(folder, kTemporaryPrefix, 0, temp) == 0)   // creates the (empty) file
    {
        m_dwFailure = ::GetLastError();
        m_lock.Release();
        return FALSE;
    }
    m_strTemp = temp;
    if (!CFile::Open(temp, modeCreate | modeWrite | shareExclusive))
    {
        Fail(::GetLastError());
        return FALSE;
    }
    return TRUE;
}

bool CSafeSaveFile::Write(const void* buffer, UINT count)
{
    if (CFile::Write(buffer, count))
        return true;
    m_bWriteFailed = true;
    if (m_dwFailure == 0)
        m_dwFailure = ::GetLastError() != 0 ? ::GetLastError() : ERROR_WRITE_FAULT;
    return false;
}

BOOL CSafeSaveFile::Commit()
{
    if (m_strTemp.IsEmpty() || !IsOpen())
    {
        if (m_dwFailure == 0)
            m_dwFailure = ERROR_INVALID_HANDLE;
        return FALSE;
    }
    if (m_bWriteFailed)
    {
        Fail(m_dwFailure);
        return FALSE;
    }
    ULONGLONG written = GetLength();
    if (!Flush())
    {
        Fail(::GetLastError());
        return FALSE;
    }
    CFile::Close();
    // What the disk holds must be what was written.
    WIN32_FILE_ATTRIBUTE_DATA data = {};
    if (!::GetFileAttributesExA(m_strTemp, GetFileExInfoStandard, &data) ||
        ((static_cast<ULONGLONG>(data.nFileSizeHigh) << 32) | data.nFileSizeLow) != written)
    {
        Fail(ERROR_WRITE_FAULT);
        return FALSE;
    }
    if (!::MoveFileExA(m_strTemp, m_strTarget, MOVEFILE_REPLACE_EXISTING | MOVEFILE_WRITE_THROUGH))
    {
        Fail(::GetLastError());
        return FALSE;
    }
    m_strTemp.Empty();
    return TRUE;
}

void CSafeSaveFile::Abort()
{
    CFile::Close();
    if (!m_strTemp.IsEmpty())
    {
        ::DeleteFileA(m_strTemp);
        m_strTemp.Empty();
    }
    m_lock.Release();
}

void CSafeSaveFile::Fail(DWORD error)
{
    m_dwFailure = error != 0 ? error : ERROR_WRITE_FAULT;
    Abort();
}

BOOL CSafeSaveFile::IsTemporaryName(const char* name)
{
    size_t length = name != nullptr ? strlen(name) : 0;
    if (length < 7 || length > 10 || _strnicmp(name, kTemporaryPrefix, 2) != 0 ||
        _stricmp(name + length - 4, ".tmp") != 0)
        return FALSE;
    for (size_t i = 2; i < length - 4; i++)
        if (!isxdigit(static_cast<unsigned char>(name[i])))
            return FALSE;
    return TRUE;
}

int CSafeSaveFile::RemoveLeftovers(const char* folder)
{
    if (folder == nullptr || *folder == '\0')
        return 0;
    CString base = Path::WithTrailingBackslash(folder);
    int removed = 0;
    WIN32_FIND_DATAA found;
    HANDLE search = ::FindFirstFileA(base + kTemporaryPrefix + "*.tmp", &found);
    if (search == INVALID_HANDLE_VALUE)
        return 0;
    do
    {
        if ((found.dwFileAttributes & (FILE_ATTRIBUTE_DIRECTORY | FILE_ATTRIBUTE_READONLY)) ||
            !IsTemporaryName(found.cFileName))
            continue;
        // Opened alone for deletion: a file some save still writes (held open) is refused and stays.
        HANDLE h = ::CreateFileA(base + found.cFileName, DELETE, 0, nullptr, OPEN_EXISTING,
                                 FILE_FLAG_DELETE_ON_CLOSE, nullptr);
        if (h != INVALID_HANDLE_VALUE)
        {
            ::CloseHandle(h);
            ++removed;
        }
    } while (::FindNextFileA(search, &found));
    ::FindClose(search);
    return removed;
}
