#include "framework/core/Archive.h"

#include "framework/core/File.h"

#include <cstring>
#include <string>

CArchive::CArchive(CFile* file, UINT mode, int bufferSize, void*)
    : m_file(file), m_loading((mode & load) != 0),
      m_bufferSize(static_cast<UINT>(bufferSize < 512 ? 512 : bufferSize))
{
    m_buffer = new unsigned char[m_bufferSize];
    if (!m_file)
        m_ok = false;
}

CArchive::~CArchive()
{
    Close();
    delete[] m_buffer;
}

bool CArchive::FlushStore()
{
    // Once a write has failed nothing more lands in the file: it would follow a gap.
    if (m_cur > 0 && m_ok && !(m_file && m_file->Write(m_buffer, m_cur)))
        m_ok = false;
    m_cur = 0;
    return m_ok;
}

bool CArchive::Flush()
{
    if (!m_loading)
        return FlushStore();
    // Hand back what was buffered but not consumed.
    if (m_file && m_max > m_cur)
        m_file->Seek(-static_cast<LONGLONG>(m_max - m_cur), CFile::current);
    m_cur = m_max = 0;
    return m_ok;
}

bool CArchive::Close()
{
    if (m_closed)
        return m_ok;
    Flush();
    m_closed = true;
    m_file = nullptr;
    return m_ok;
}

UINT CArchive::Read(void* buffer, UINT count)
{
    if (count == 0)
        return 0;
    if (!buffer)
    {
        m_ok = false;
        return 0;
    }
    unsigned char* out = static_cast<unsigned char*>(buffer);
    UINT done = 0;
    if (m_loading && m_file)
    {
        while (done < count)
        {
            if (m_cur < m_max)
            {
                UINT n = m_max - m_cur;
                if (n > count - done)
                    n = count - done;
                std::memcpy(out + done, m_buffer + m_cur, n);
                m_cur += n;
                done += n;
                continue;
            }
            UINT left = count - done;
            if (left >= m_bufferSize)
            {
                // Large reads go straight to the caller.
                UINT got = m_file->Read(out + done, left);
                done += got;
                break;
            }
            m_cur = 0;
            m_max = m_file->Read(m_buffer, m_bufferSize);
            if (m_max == 0)
                break;
        }
    }
    if (done < count)
    {
        std::memset(out + done, 0, count - done);
        m_ok = false;
    }
    return done;
}

bool CArchive::Write(const void* buffer, UINT count)
{
    if (count == 0)
        return m_ok;
    if (m_loading || !m_file || !buffer || !m_ok)
    {
        m_ok = false;
        return false;
    }
    const unsigned char* in = static_cast<const unsigned char*>(buffer);
    if (count >= m_bufferSize)
    {
        if (!FlushStore())
            return false;
        if (!m_file->Write(in, count))
            m_ok = false;
        return m_ok;
    }
    if (m_cur + count > m_bufferSize && !FlushStore())
        return false;
    std::memcpy(m_buffer + m_cur, in, count);
    m_cur += count;
    return m_ok;
}

CArchive& CArchive::PutLE(ULONGLONG value, int bytes)
{
    unsigned char b[8];
    for (int i = 0; i < bytes; ++i)
        b[i] = static_cast<unsigned char>(value >> (8 * i));
    Write(b, static_cast<UINT>(bytes));
    return *this;
}

ULONGLONG CArchive::GetLE(int bytes)
{
    unsigned char b[8];
    if (Read(b, static_cast<UINT>(bytes)) != static_cast<UINT>(bytes))
        return 0;
    ULONGLONG v = 0;
    for (int i = bytes - 1; i >= 0; --i)
        v = (v << 8) | b[i];
    return v;
}

bool CArchive::WriteCount(DWORD count)
{
    if (count < 0xFFFF)
    {
        PutLE(count, 2);
    }
    else
    {
        PutLE(0xFFFF, 2);
        PutLE(count, 4);
    }
    return m_ok;
}

DWORD CArchive::ReadCount()
{
    const bool wasOk = m_ok;
    m_ok = true;
    DWORD count = static_cast<DWORD>(GetLE(2));
    if (m_ok && count == 0xFFFF)
        count = static_cast<DWORD>(GetLE(4));
    if (!m_ok)
        count = 0;
    m_ok = m_ok && wasOk;
    return count;
}

bool CArchive::WriteString(const CString& text)
{
    const DWORD length = static_cast<DWORD>(text.GetLength());
    if (length < 0xFF)
    {
        PutLE(length, 1);
    }
    else if (length < 0xFFFF)
    {
        PutLE(0xFF, 1);
        PutLE(length, 2);
    }
    else
    {
        PutLE(0xFF, 1);
        PutLE(0xFFFF, 2);
        PutLE(length, 4);
    }
    return Write(text.GetString(), length);
}

bool CArchive::ReadString(CString& text)
{
    text.Empty();
    const bool wasOk = m_ok;
    m_ok = true;
    DWORD length = static_cast<DWORD>(GetLE(1));
    if (m_ok && length == 0xFF)
    {
        length = static_cast<DWORD>(GetLE(2));
        if (m_ok && length == 0xFFFF)
            length = static_cast<DWORD>(GetLE(4));
    }
    // Read in pieces, so that a damaged length never allocates more than the data really holds.
    std::string value;
    char chunk[4096];
    while (m_ok && length > 0)
    {
        UINT n = length < sizeof(chunk) ? length : static_cast<UINT>(sizeof(chunk));
        if (Read(chunk, n) != n)
            break;
        value.append(chunk, n);
        length -= n;
    }
    const bool ok = m_ok;
    m_ok = ok && wasOk;
    if (ok)
        text = CString(value);
    return ok;
}
