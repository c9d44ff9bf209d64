// The safe way to replace a file: a temporary file in the same folder, moved over the target once complete.
#include "framework/win/SafeFile.h"

IMPLEMENT_DYNAMIC(CSafeSaveFile, CFile)

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
    char full[MAX_PATH * 2];
    DWORD length = ::GetFullPathNameA(lpszTarget, sizeof(full), full, nullptr);
    m_strTarget = length > 0 && length < sizeof(full) ? CString(full) : CString(lpszTarget);
    int slash = m_strTarget.ReverseFind('\\');
    CString folder = slash > 0 ? m_strTarget.Left(slash) : CString(".");
    if (slash == 2)
        folder += '\\';   // the root of a drive
    char temp[MAX_PATH];
    if (::GetTempFileNameA(folder, "vx", 0, temp) == 0)   // creates the (empty) file
    {
        m_dwFailure = ::GetLastError();
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
}

void CSafeSaveFile::Fail(DWORD error)
{
    m_dwFailure = error != 0 ? error : ERROR_WRITE_FAULT;
    Abort();
}
