// CFile (a disk file) and CMemFile (a file in memory). Failures are reported by return value; nothing
// here throws.
#pragma once

#include "framework/core/Object.h"
#include "framework/core/String.h"

class CFileException;   // not provided: failures come back as return values

class CFile : public CObject
{
    DECLARE_DYNAMIC(CFile)
public:
    enum OpenFlags : UINT
    {
        modeRead = 0x0000,
        modeWrite = 0x0001,
        modeReadWrite = 0x0002,
        shareCompat = 0x0000,
        shareExclusive = 0x0010,
        shareDenyWrite = 0x0020,
        shareDenyRead = 0x0030,
        shareDenyNone = 0x0040,
        modeNoInherit = 0x0080,
        modeCreate = 0x1000,   // create, or truncate an existing file unless modeNoTruncate
        modeNoTruncate = 0x2000,
        typeText = 0x4000,   // accepted and ignored: files are always binary
        typeBinary = 0x8000,
    };
    enum SeekPosition : UINT
    {
        begin = 0,
        current = 1,
        end = 2
    };

    CFile();
    CFile(const char* path, UINT openFlags);   // check IsOpen() afterwards
    ~CFile() override;
    CFile(const CFile&) = delete;
    CFile& operator=(const CFile&) = delete;

    // Opens path; false (and closed) on failure. A file already open is closed first. The third
    // argument is accepted for the classic call form and never used.
    virtual BOOL Open(const char* path, UINT openFlags, CFileException* unused = nullptr);
    virtual bool IsOpen() const;
    virtual void Close();

    // Reads up to count bytes at the position; returns the count read (0 at the end or on failure).
    virtual UINT Read(void* buffer, UINT count);
    // Writes count bytes at the position; true only when every byte was written.
    virtual bool Write(const void* buffer, UINT count);
    virtual bool Flush();

    // Returns the new position, or -1 (position unchanged) when the target is invalid or the file closed.
    virtual LONGLONG Seek(LONGLONG offset, UINT from);
    void SeekToBegin() { Seek(0, begin); }
    ULONGLONG SeekToEnd()
    {
        LONGLONG p = Seek(0, end);
        return p < 0 ? 0 : static_cast<ULONGLONG>(p);
    }
    virtual ULONGLONG GetLength() const;     // 0 when closed
    virtual ULONGLONG GetPosition() const;   // 0 when closed

    virtual CString GetFilePath() const { return m_strFileName; }   // empty when closed

#ifdef _WIN32
    HANDLE m_hFile;
#else
    int m_fd;
#endif

protected:
    CString m_strFileName;
};

// A file in memory. It owns a buffer that grows in steps of growBytes (allocated with malloc; Detach hands
// it over, to be freed with free), or reads a block attached without copying. The caller's block is
// never written: an attached file with growBytes 0 is read-only (Write fails), with growBytes > 0 the
// first write copies the block into an owned buffer.
class CMemFile : public CFile
{
    DECLARE_DYNAMIC(CMemFile)
public:
    explicit CMemFile(UINT growBytes = 1024);
    CMemFile(const BYTE* buffer, UINT size, UINT growBytes = 0);   // attached
    ~CMemFile() override;

    void Attach(const BYTE* buffer, UINT size, UINT growBytes = 0);
    // Returns the data (an owned buffer becomes the caller's, to free with free()) and leaves the file
    // empty. Null when empty.
    BYTE* Detach();

    const BYTE* GetData() const { return m_data; }

    BOOL Open(const char*, UINT, CFileException* = nullptr) override { return FALSE; }
    bool IsOpen() const override { return true; }
    void Close() override;   // frees an owned buffer, detaches an attached one
    UINT Read(void* buffer, UINT count) override;
    bool Write(const void* buffer, UINT count) override;   // false when the memory cannot grow
    bool Flush() override { return true; }
    LONGLONG Seek(LONGLONG offset, UINT from) override;   // may move past the end; a write there fills zeros
    ULONGLONG GetLength() const override { return m_size; }
    ULONGLONG GetPosition() const override { return m_position; }

private:
    bool Reserve(ULONGLONG needed);

    BYTE* m_data = nullptr;
    UINT m_size = 0;
    UINT m_capacity = 0;
    UINT m_position = 0;
    UINT m_growBytes;
    bool m_owned = true;   // false while an attached block is read in place
};
