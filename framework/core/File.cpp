#include "framework/core/File.h"

#include <climits>
#include <cstdlib>
#include <cstring>

#ifndef _WIN32
#include <cerrno>
#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>
#endif

IMPLEMENT_DYNAMIC(CFile, CObject)
IMPLEMENT_DYNAMIC(CMemFile, CFile)

// ------------------------------------------------------------------------------------------------ CFile

CFile::CFile()
#ifdef _WIN32
    : m_hFile(INVALID_HANDLE_VALUE)
#else
    : m_fd(-1)
#endif
{
}

CFile::CFile(const char* path, UINT openFlags) : CFile()
{
    Open(path, openFlags);
}

CFile::~CFile()
{
    CFile::Close();
}

#ifdef _WIN32

BOOL CFile::Open(const char* path, UINT openFlags, CFileException*)
{
    Close();
    if (!path || !*path)
        return FALSE;

    DWORD access = 0;
    switch (openFlags & 3)
    {
    case modeRead: access = GENERIC_READ; break;
    case modeWrite: access = GENERIC_WRITE; break;
    case modeReadWrite: access = GENERIC_READ | GENERIC_WRITE; break;
    default: return FALSE;
    }
    DWORD share = 0;
    switch (openFlags & 0x70)
    {
    case shareDenyWrite: share = FILE_SHARE_READ; break;
    case shareDenyRead: share = FILE_SHARE_WRITE; break;
    case shareDenyNone: share = FILE_SHARE_READ | FILE_SHARE_WRITE; break;
    default: share = 0; break;   // shareCompat, shareExclusive
    }
    DWORD creation = OPEN_EXISTING;
    if (openFlags & modeCreate)
        creation = (openFlags & modeNoTruncate) ? OPEN_ALWAYS : CREATE_ALWAYS;

    SECURITY_ATTRIBUTES sa;
    std::memset(&sa, 0, sizeof(sa));
    sa.nLength = sizeof(sa);
    sa.bInheritHandle = (openFlags & modeNoInherit) ? FALSE : TRUE;

    HANDLE h = CreateFileA(path, access, share, &sa, creation, FILE_ATTRIBUTE_NORMAL, nullptr);
    if (h == INVALID_HANDLE_VALUE)
        return FALSE;
    m_hFile = h;

    char full[MAX_PATH * 2];
    DWORD n = GetFullPathNameA(path, sizeof(full), full, nullptr);
    m_strFileName = (n > 0 && n < sizeof(full)) ? CString(full) : CString(path);
    return TRUE;
}

bool CFile::IsOpen() const
{
    return m_hFile != INVALID_HANDLE_VALUE;
}

void CFile::Close()
{
    if (m_hFile != INVALID_HANDLE_VALUE)
        CloseHandle(m_hFile);
    m_hFile = INVALID_HANDLE_VALUE;
    m_strFileName.Empty();
}

namespace
{

// One system read or write: the bytes moved, 0 at the end of the file, negative on failure.
long long ReadSome(const CFile& file, void* buffer, UINT count)
{
    DWORD got = 0;
    return ReadFile(file.m_hFile, buffer, count, &got, nullptr) ? static_cast<long long>(got) : -1;
}

long long WriteSome(const CFile& file, const void* buffer, UINT count)
{
    DWORD put = 0;
    return WriteFile(file.m_hFile, buffer, count, &put, nullptr) ? static_cast<long long>(put) : -1;
}

}   // namespace

bool CFile::Flush()
{
    return IsOpen() && FlushFileBuffers(m_hFile);
}

LONGLONG CFile::Seek(LONGLONG offset, UINT from)
{
    if (!IsOpen())
        return -1;
    DWORD method;
    switch (from)
    {
    case begin: method = FILE_BEGIN; break;
    case current: method = FILE_CURRENT; break;
    case end: method = FILE_END; break;
    default: return -1;
    }
    LARGE_INTEGER distance, result;
    distance.QuadPart = offset;
    if (!SetFilePointerEx(m_hFile, distance, &result, method))
        return -1;
    return result.QuadPart;
}

ULONGLONG CFile::GetLength() const
{
    LARGE_INTEGER size;
    if (!IsOpen() || !GetFileSizeEx(m_hFile, &size))
        return 0;
    return static_cast<ULONGLONG>(size.QuadPart);
}

ULONGLONG CFile::GetPosition() const
{
    LARGE_INTEGER zero, result;
    zero.QuadPart = 0;
    if (!IsOpen() || !SetFilePointerEx(m_hFile, zero, &result, FILE_CURRENT))
        return 0;
    return static_cast<ULONGLONG>(result.QuadPart);
}

#else   // POSIX

BOOL CFile::Open(const char* path, UINT openFlags, CFileException*)
{
    Close();
    if (!path || !*path)
        return FALSE;

    int flags = 0;
    switch (openFlags & 3)
    {
    case modeRead: flags = O_RDONLY; break;
    case modeWrite: flags = O_WRONLY; break;
    case modeReadWrite: flags = O_RDWR; break;
    default: return FALSE;
    }
    if (openFlags & modeCreate)
    {
        flags |= O_CREAT;
        if (!(openFlags & modeNoTruncate))
            flags |= O_TRUNC;
    }
    if (openFlags & modeNoInherit)
        flags |= O_CLOEXEC;
    // Sharing flags have no POSIX counterpart; they are accepted and not enforced.
    int fd;
    do
    {
        fd = ::open(path, flags, 0666);
    } while (fd < 0 && errno == EINTR);
    if (fd < 0)
        return FALSE;
    struct stat st;
    if (fstat(fd, &st) != 0 || !S_ISREG(st.st_mode))
    {
        ::close(fd);
        return FALSE;
    }
    m_fd = fd;
    m_strFileName = path;
    return TRUE;
}

bool CFile::IsOpen() const
{
    return m_fd >= 0;
}

void CFile::Close()
{
    if (m_fd >= 0)
        ::close(m_fd);
    m_fd = -1;
    m_strFileName.Empty();
}

namespace
{

// One system read or write, repeated when a signal interrupts it: the bytes moved, 0 at the end of the
// file, negative on failure.
long long ReadSome(const CFile& file, void* buffer, UINT count)
{
    ssize_t got;
    do
    {
        got = ::read(file.m_fd, buffer, count);
    } while (got < 0 && errno == EINTR);
    return got;
}

long long WriteSome(const CFile& file, const void* buffer, UINT count)
{
    ssize_t put;
    do
    {
        put = ::write(file.m_fd, buffer, count);
    } while (put < 0 && errno == EINTR);
    return put;
}

}   // namespace

bool CFile::Flush()
{
    return IsOpen();
}

LONGLONG CFile::Seek(LONGLONG offset, UINT from)
{
    if (!IsOpen())
        return -1;
    int whence;
    switch (from)
    {
    case begin: whence = SEEK_SET; break;
    case current: whence = SEEK_CUR; break;
    case end: whence = SEEK_END; break;
    default: return -1;
    }
    off_t r = ::lseek(m_fd, static_cast<off_t>(offset), whence);
    return r < 0 ? -1 : static_cast<LONGLONG>(r);
}

ULONGLONG CFile::GetLength() const
{
    struct stat st;
    if (!IsOpen() || fstat(m_fd, &st) != 0)
        return 0;
    return static_cast<ULONGLONG>(st.st_size);
}

ULONGLONG CFile::GetPosition() const
{
    if (!IsOpen())
        return 0;
    off_t r = ::lseek(m_fd, 0, SEEK_CUR);
    return r < 0 ? 0 : static_cast<ULONGLONG>(r);
}

#endif

UINT CFile::Read(void* buffer, UINT count)
{
    if (!IsOpen() || !buffer || count == 0)
        return 0;
    UINT total = 0;
    while (total < count)
    {
        long long got = ReadSome(*this, static_cast<char*>(buffer) + total, count - total);
        if (got <= 0)
            break;
        total += static_cast<UINT>(got);
    }
    return total;
}

bool CFile::Write(const void* buffer, UINT count)
{
    if (!IsOpen())
        return false;
    if (count == 0)
        return true;
    if (!buffer)
        return false;
    UINT total = 0;
    while (total < count)
    {
        long long put = WriteSome(*this, static_cast<const char*>(buffer) + total, count - total);
        if (put <= 0)
            return false;
        total += static_cast<UINT>(put);
    }
    return true;
}

// --------------------------------------------------------------------------------------------- CMemFile

CMemFile::CMemFile(UINT growBytes) : m_growBytes(growBytes)
{
}

CMemFile::CMemFile(const BYTE* buffer, UINT size, UINT growBytes) : m_growBytes(growBytes)
{
    Attach(buffer, size, growBytes);
}

CMemFile::~CMemFile()
{
    CMemFile::Close();
}

void CMemFile::Attach(const BYTE* buffer, UINT size, UINT growBytes)
{
    Close();
    if (!buffer)
        size = 0;
    m_data = const_cast<BYTE*>(buffer);   // read in place; never written while attached
    m_size = size;
    m_capacity = size;
    m_position = 0;
    m_growBytes = growBytes;
    m_owned = false;
}

BYTE* CMemFile::Detach()
{
    BYTE* data = m_data;
    m_owned = false;   // handed over: Close must not free it
    Close();
    return data;
}

void CMemFile::Close()
{
    if (m_owned)
        std::free(m_data);
    m_data = nullptr;
    m_size = m_capacity = m_position = 0;
    m_owned = true;
}

UINT CMemFile::Read(void* buffer, UINT count)
{
    if (!buffer || count == 0 || m_position >= m_size)
        return 0;
    UINT n = m_size - m_position;
    if (n > count)
        n = count;
    std::memcpy(buffer, m_data + m_position, n);
    m_position += n;
    return n;
}

bool CMemFile::Reserve(ULONGLONG needed)
{
    if (needed > UINT_MAX)
        return false;
    if (m_owned && needed <= m_capacity)
        return true;
    if (m_growBytes == 0)
        return false;   // fixed or read-only block

    // Round up to the growth step, and grow by half at least so that many small writes stay linear.
    ULONGLONG capacity = needed;
    ULONGLONG half = static_cast<ULONGLONG>(m_capacity) + m_capacity / 2;
    if (capacity < half)
        capacity = half;
    capacity = (capacity + m_growBytes - 1) / m_growBytes * m_growBytes;
    if (capacity > UINT_MAX)
        capacity = needed;

    BYTE* fresh;
    if (m_owned)
    {
        fresh = static_cast<BYTE*>(std::realloc(m_data, static_cast<size_t>(capacity)));
        if (!fresh)
            return false;
    }
    else
    {
        fresh = static_cast<BYTE*>(std::malloc(static_cast<size_t>(capacity)));
        if (!fresh)
            return false;
        if (m_size)
            std::memcpy(fresh, m_data, m_size);
        m_owned = true;
    }
    m_data = fresh;
    m_capacity = static_cast<UINT>(capacity);
    return true;
}

bool CMemFile::Write(const void* buffer, UINT count)
{
    if (count == 0)
        return true;
    if (!buffer)
        return false;
    ULONGLONG end = static_cast<ULONGLONG>(m_position) + count;
    if (!Reserve(end))
        return false;
    if (m_position > m_size)
        std::memset(m_data + m_size, 0, m_position - m_size);
    std::memcpy(m_data + m_position, buffer, count);
    m_position = static_cast<UINT>(end);
    if (m_position > m_size)
        m_size = m_position;
    return true;
}

LONGLONG CMemFile::Seek(LONGLONG offset, UINT from)
{
    LONGLONG base;
    switch (from)
    {
    case begin: base = 0; break;
    case current: base = m_position; break;
    case end: base = m_size; break;
    default: return -1;
    }
    if ((offset < 0 && base + offset < 0) || (offset > 0 && offset > static_cast<LONGLONG>(UINT_MAX) - base))
        return -1;
    m_position = static_cast<UINT>(base + offset);
    return m_position;
}
