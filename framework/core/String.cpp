#include "framework/core/String.h"

#include <atomic>
#include <cstdio>
#include <cstring>
#include <vector>

namespace
{

std::atomic<CString::StringLoader> g_stringLoader{nullptr};

const char* const kWhiteSpace = " \t\n\v\f\r";

inline unsigned char U(char c)
{
    return static_cast<unsigned char>(c);
}

}   // namespace

CString::CString(const char* text)
{
    if (text)
        m_s = text;
}

CString::CString(const char* text, int length)
{
    if (text && length > 0)
        m_s.assign(text, static_cast<size_t>(length));
}

CString::CString(char ch, int repeat)
{
    if (repeat > 0)
        m_s.assign(static_cast<size_t>(repeat), ch);
}

CString& CString::operator=(const char* text)
{
    if (!text)
        m_s.clear();
    else
        m_s = text;   // std::string copes with text pointing into m_s
    return *this;
}

CString& CString::operator=(char ch)
{
    m_s.assign(1, ch);
    return *this;
}

char CString::GetAt(int index) const
{
    if (index < 0 || index >= GetLength())
        return 0;
    return m_s[static_cast<size_t>(index)];
}

void CString::SetAt(int index, char ch)
{
    if (index < 0 || index >= GetLength())
        return;
    m_s[static_cast<size_t>(index)] = ch;
}

CString& CString::operator+=(const char* text)
{
    if (text)
        m_s += text;
    return *this;
}

CString operator+(const CString& a, const CString& b)
{
    CString r(a);
    r += b;
    return r;
}

CString operator+(const CString& a, const char* b)
{
    CString r(a);
    r += b;
    return r;
}

CString operator+(const char* a, const CString& b)
{
    CString r(a);
    r += b;
    return r;
}

CString operator+(const CString& a, char b)
{
    CString r(a);
    r += b;
    return r;
}

CString operator+(char a, const CString& b)
{
    CString r(a);
    r += b;
    return r;
}

int CString::Compare(const char* text) const
{
    if (!text)
        text = "";
    // Byte-wise as unsigned characters, like strcmp, up to the first zero of either side.
    int r = std::strcmp(m_s.c_str(), text);
    return r < 0 ? -1 : (r > 0 ? 1 : 0);
}

int CString::CompareNoCase(const char* text) const
{
    if (!text)
        text = "";
    const char* a = m_s.c_str();
    const char* b = text;
    for (;; ++a, ++b)
    {
        unsigned char ca = U(ToLower1252(*a));
        unsigned char cb = U(ToLower1252(*b));
        if (ca != cb)
            return ca < cb ? -1 : 1;
        if (ca == 0)
            return 0;
    }
}

int CString::Find(char ch, int start) const
{
    if (start < 0)
        start = 0;
    if (start >= GetLength())
        return -1;
    size_t p = m_s.find(ch, static_cast<size_t>(start));
    return p == std::string::npos ? -1 : static_cast<int>(p);
}

int CString::Find(const char* sub, int start) const
{
    if (!sub)
        return -1;
    if (start < 0)
        start = 0;
    if (start > GetLength())
        return -1;
    size_t p = m_s.find(sub, static_cast<size_t>(start));
    return p == std::string::npos ? -1 : static_cast<int>(p);
}

int CString::ReverseFind(char ch) const
{
    size_t p = m_s.rfind(ch);
    return p == std::string::npos ? -1 : static_cast<int>(p);
}

int CString::FindOneOf(const char* chars) const
{
    if (!chars || !*chars)
        return -1;
    size_t p = m_s.find_first_of(chars);
    return p == std::string::npos ? -1 : static_cast<int>(p);
}

CString CString::Left(int count) const
{
    if (count <= 0)
        return CString();
    if (count >= GetLength())
        return *this;
    return CString(m_s.substr(0, static_cast<size_t>(count)));
}

CString CString::Mid(int first) const
{
    return Mid(first, GetLength());
}

CString CString::Mid(int first, int count) const
{
    if (first < 0)
        first = 0;
    if (count < 0)
        count = 0;
    if (first >= GetLength() || count == 0)
        return CString();
    if (count > GetLength() - first)
        count = GetLength() - first;
    return CString(m_s.substr(static_cast<size_t>(first), static_cast<size_t>(count)));
}

CString CString::Right(int count) const
{
    if (count <= 0)
        return CString();
    if (count >= GetLength())
        return *this;
    return CString(m_s.substr(m_s.size() - static_cast<size_t>(count)));
}

char CString::ToUpper1252(char ch)
{
    unsigned char c = U(ch);
    if (c >= 'a' && c <= 'z')
        return static_cast<char>(c - 32);
    if (c >= 0xE0 && c <= 0xFE && c != 0xF7)
        return static_cast<char>(c - 32);
    switch (c)
    {
    case 0x9A: return static_cast<char>(0x8A);   // š
    case 0x9C: return static_cast<char>(0x8C);   // œ
    case 0x9E: return static_cast<char>(0x8E);   // ž
    case 0xFF: return static_cast<char>(0x9F);   // ÿ
    default: return ch;                          // ß has no single upper-case letter
    }
}

char CString::ToLower1252(char ch)
{
    unsigned char c = U(ch);
    if (c >= 'A' && c <= 'Z')
        return static_cast<char>(c + 32);
    if (c >= 0xC0 && c <= 0xDE && c != 0xD7)
        return static_cast<char>(c + 32);
    switch (c)
    {
    case 0x8A: return static_cast<char>(0x9A);   // Š
    case 0x8C: return static_cast<char>(0x9C);   // Œ
    case 0x8E: return static_cast<char>(0x9E);   // Ž
    case 0x9F: return static_cast<char>(0xFF);   // Ÿ
    default: return ch;
    }
}

CString& CString::MakeUpper()
{
    for (char& c : m_s)
        c = ToUpper1252(c);
    return *this;
}

CString& CString::MakeLower()
{
    for (char& c : m_s)
        c = ToLower1252(c);
    return *this;
}

CString& CString::TrimLeft()
{
    size_t p = m_s.find_first_not_of(kWhiteSpace);
    m_s.erase(0, p == std::string::npos ? m_s.size() : p);
    return *this;
}

CString& CString::TrimRight()
{
    size_t p = m_s.find_last_not_of(kWhiteSpace);
    m_s.erase(p == std::string::npos ? 0 : p + 1);
    return *this;
}

int CString::Replace(char from, char to)
{
    int n = 0;
    if (from == to)
        return 0;
    for (char& c : m_s)
    {
        if (c == from)
        {
            c = to;
            ++n;
        }
    }
    return n;
}

int CString::Replace(const char* from, const char* to)
{
    if (!from || !*from)
        return 0;
    if (!to)
        to = "";
    const size_t fromLen = std::strlen(from);
    const std::string replacement(to);   // 'to' may point into this string
    const std::string pattern(from);
    std::string out;
    int n = 0;
    size_t pos = 0;
    for (;;)
    {
        size_t hit = m_s.find(pattern, pos);
        if (hit == std::string::npos)
            break;
        out.append(m_s, pos, hit - pos);
        out += replacement;
        pos = hit + fromLen;
        ++n;
    }
    if (n == 0)
        return 0;
    out.append(m_s, pos, std::string::npos);
    m_s.swap(out);
    return n;
}

void CString::FormatV(const char* format, va_list args)
{
    if (!format)
    {
        m_s.clear();
        return;
    }
    char small[256];
    va_list copy;
    va_copy(copy, args);
    int n = std::vsnprintf(small, sizeof(small), format, copy);
    va_end(copy);
    if (n < 0)
    {
        m_s.clear();
        return;
    }
    if (static_cast<size_t>(n) < sizeof(small))
    {
        m_s.assign(small, static_cast<size_t>(n));
        return;
    }
    std::vector<char> big(static_cast<size_t>(n) + 1);
    va_copy(copy, args);
    n = std::vsnprintf(big.data(), big.size(), format, copy);
    va_end(copy);
    if (n < 0)
        m_s.clear();
    else
        m_s.assign(big.data(), static_cast<size_t>(n));
}

void CString::FormatArgs(const char* format, ...)
{
    va_list args;
    va_start(args, format);
    FormatV(format, args);
    va_end(args);
}

char* CString::GetBuffer(int minLength)
{
    if (minLength > GetLength())
    {
        // Room for minLength characters; the caller writes its own terminator within it.
        m_s.resize(static_cast<size_t>(minLength));
    }
    return &m_s[0];
}

void CString::ReleaseBuffer(int newLength)
{
    if (newLength < 0)
    {
        m_s.resize(std::strlen(m_s.c_str()));
    }
    else if (static_cast<size_t>(newLength) < m_s.size())
    {
        m_s.resize(static_cast<size_t>(newLength));
    }
}

BOOL CString::LoadString(UINT id)
{
    StringLoader loader = g_stringLoader.load();
    if (!loader)
        return FALSE;
    CString text;
    if (!loader(id, text))
        return FALSE;
    m_s.swap(text.m_s);
    return TRUE;
}

CString::StringLoader CString::SetStringLoader(StringLoader loader)
{
    return g_stringLoader.exchange(loader);
}
