// CArchive: binary storing and loading over a CFile or CMemFile. Numbers are little-endian. Every read is
// bounds-checked: a read past the data sets the failure state (IsOK() false) and yields zeros; nothing
// throws. Stored data is buffered; Close (or the destructor) writes it out.
//
// Encodings:
//   count:  WORD below 0xFFFF, else 0xFFFF and a DWORD
//   string: BYTE length below 0xFF; else 0xFF and a WORD below 0xFFFF; else 0xFF, 0xFFFF and a DWORD;
//           then the characters without terminator
#pragma once

#include "framework/core/Object.h"
#include "framework/core/String.h"

class CFile;

class CArchive
{
public:
    enum Mode : UINT
    {
        store = 0,
        load = 1
    };

    CArchive(CFile* file, UINT mode, int bufferSize = 4096, void* unused = nullptr);
    ~CArchive();   // closes: stores the buffered data
    CArchive(const CArchive&) = delete;
    CArchive& operator=(const CArchive&) = delete;

    bool IsLoading() const { return m_loading; }
    bool IsStoring() const { return !m_loading; }
    CFile* GetFile() const { return m_file; }

    // False once any read came up short or any write failed.
    bool IsOK() const { return m_ok; }

    // Load: hands unread buffered bytes back to the file (its position follows what was consumed).
    // Store: writes the buffered bytes. Returns IsOK().
    bool Flush();
    // Flush and detach from the file; further reads fail, writes are refused.
    bool Close();

    // Raw bytes. Read returns the count read; a short read zero-fills the rest and fails the archive.
    UINT Read(void* buffer, UINT count);
    bool Write(const void* buffer, UINT count);

    DWORD ReadCount();
    bool WriteCount(DWORD count);
    bool ReadString(CString& text);   // the string encoding above; empty on failure
    bool WriteString(const CString& text);

    CArchive& operator<<(BYTE v) { return PutLE(v, 1); }
    CArchive& operator<<(char v) { return PutLE(static_cast<BYTE>(v), 1); }
    CArchive& operator<<(bool v) { return PutLE(v ? 1u : 0u, 1); }
    CArchive& operator<<(WORD v) { return PutLE(v, 2); }
    CArchive& operator<<(short v) { return PutLE(static_cast<WORD>(v), 2); }
    CArchive& operator<<(int v) { return PutLE(static_cast<DWORD>(v), 4); }
    CArchive& operator<<(unsigned int v) { return PutLE(v, 4); }
#ifdef _WIN32
    CArchive& operator<<(LONG v)
    {
        return PutLE(static_cast<DWORD>(v), 4);
    }
    CArchive& operator<<(DWORD v)
    {
        return PutLE(v, 4);
    }
#endif
    CArchive& operator<<(LONGLONG v)
    {
        return PutLE(static_cast<ULONGLONG>(v), 8);
    }
    CArchive& operator<<(ULONGLONG v)
    {
        return PutLE(v, 8);
    }
    CArchive& operator<<(const CString& v)
    {
        WriteString(v);
        return *this;
    }
    CArchive& operator<<(const char* v)
    {
        WriteString(CString(v));
        return *this;
    }
    CArchive& operator<<(const void*) = delete;   // other pointers would silently become a bool

    CArchive& operator>>(BYTE& v)
    {
        v = static_cast<BYTE>(GetLE(1));
        return *this;
    }
    CArchive& operator>>(char& v)
    {
        v = static_cast<char>(GetLE(1));
        return *this;
    }
    CArchive& operator>>(bool& v)
    {
        v = GetLE(1) != 0;
        return *this;
    }
    CArchive& operator>>(WORD& v)
    {
        v = static_cast<WORD>(GetLE(2));
        return *this;
    }
    CArchive& operator>>(short& v)
    {
        v = static_cast<short>(GetLE(2));
        return *this;
    }
    CArchive& operator>>(int& v)
    {
        v = static_cast<int>(static_cast<DWORD>(GetLE(4)));
        return *this;
    }
    CArchive& operator>>(unsigned int& v)
    {
        v = static_cast<unsigned int>(GetLE(4));
        return *this;
    }
#ifdef _WIN32
    CArchive& operator>>(LONG& v)
    {
        v = static_cast<LONG>(static_cast<DWORD>(GetLE(4)));
        return *this;
    }
    CArchive& operator>>(DWORD& v)
    {
        v = static_cast<DWORD>(GetLE(4));
        return *this;
    }
#endif
    CArchive& operator>>(LONGLONG& v)
    {
        v = static_cast<LONGLONG>(GetLE(8));
        return *this;
    }
    CArchive& operator>>(ULONGLONG& v)
    {
        v = GetLE(8);
        return *this;
    }
    CArchive& operator>>(CString& v)
    {
        ReadString(v);
        return *this;
    }

private:
    CArchive& PutLE(ULONGLONG value, int bytes);
    ULONGLONG GetLE(int bytes);
    bool FlushStore();

    CFile* m_file;
    bool m_loading;
    bool m_ok = true;
    bool m_closed = false;
    unsigned char* m_buffer;
    UINT m_bufferSize;
    UINT m_cur = 0;   // next byte to read / write
    UINT m_max = 0;   // end of valid bytes (load)
};
