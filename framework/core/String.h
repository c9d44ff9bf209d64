// CString: an ANSI (code page 1252) string with value semantics. A std::string inside and no shared
// buffers, so worker threads may read one string while the user-interface thread edits another.
#pragma once

#include "framework/core/wintypes.h"

#include <cstdarg>
#include <cstddef>
#include <string>
#include <type_traits>

class CString
{
public:
    CString() = default;
    CString(const CString&) = default;
    CString(CString&&) noexcept = default;
    CString(const char* text);               // null gives an empty string
    CString(const char* text, int length);   // exactly length characters (may hold zeros)
    CString(char ch, int repeat = 1);
    CString(const unsigned char* text) : CString(reinterpret_cast<const char*>(text)) {}
    explicit CString(const std::string& text) : m_s(text) {}

    CString& operator=(const CString&) = default;
    CString& operator=(CString&&) noexcept = default;
    CString& operator=(const char* text);
    CString& operator=(char ch);

    // Length and access
    int GetLength() const { return static_cast<int>(m_s.size()); }
    bool IsEmpty() const { return m_s.empty(); }
    void Empty() { m_s.clear(); }
    char GetAt(int index) const;      // 0 outside the string
    void SetAt(int index, char ch);   // ignored outside the string
    char operator[](int index) const { return GetAt(index); }
    operator const char*() const { return m_s.c_str(); }
    const char* GetString() const { return m_s.c_str(); }
    const std::string& str() const { return m_s; }

    // Concatenation
    CString& operator+=(const CString& other)
    {
        m_s += other.m_s;
        return *this;
    }
    CString& operator+=(const char* text);
    CString& operator+=(char ch)
    {
        m_s += ch;
        return *this;
    }
    friend CString operator+(const CString& a, const CString& b);
    friend CString operator+(const CString& a, const char* b);
    friend CString operator+(const char* a, const CString& b);
    friend CString operator+(const CString& a, char b);
    friend CString operator+(char a, const CString& b);

    // Comparison: Compare is byte-wise (<0, 0, >0); CompareNoCase folds code page 1252 letters.
    int Compare(const char* text) const;
    int CompareNoCase(const char* text) const;

    // Searching: -1 when not found; a start outside the string finds nothing.
    int Find(char ch, int start = 0) const;
    int Find(const char* sub, int start = 0) const;
    int ReverseFind(char ch) const;
    int FindOneOf(const char* chars) const;

    // Extraction: counts and starts are clamped to the string.
    CString Left(int count) const;
    CString Mid(int first) const;
    CString Mid(int first, int count) const;
    CString Right(int count) const;

    // Case (code page 1252: a-z, à-þ except ÷, š/Š, œ/Œ, ž/Ž, ÿ/Ÿ; ß has no single upper-case letter)
    CString& MakeUpper();
    CString& MakeLower();
    static char ToUpper1252(char ch);
    static char ToLower1252(char ch);

    // Trimming white space (space, \t, \n, \v, \f, \r).
    CString& TrimLeft();
    CString& TrimRight();
    CString& Trim()
    {
        TrimRight();
        return TrimLeft();
    }

    // Replacing: each returns the number of replacements.
    int Replace(char from, char to);
    int Replace(const char* from, const char* to);   // an empty 'from' replaces nothing

    // printf formatting. Arguments must be scalars or pointers; a CString argument is passed as its
    // text, so both Format("%s", (LPCSTR)str) and Format("%s", str) work.
    template <class... Args>
    void Format(const char* format, const Args&... args);
    void FormatV(const char* format, va_list args);

    // Direct buffer access: GetBuffer(n) gives room for at least n characters plus a terminator;
    // ReleaseBuffer(-1) takes the length up to the first zero, ReleaseBuffer(n) exactly n (clamped).
    char* GetBuffer(int minLength = 0);
    void ReleaseBuffer(int newLength = -1);

    // Resource string through the loader the window layer installs; FALSE (string unchanged) without one
    // or when the id has no string.
    BOOL LoadString(UINT id);
    typedef bool (*StringLoader)(UINT id, CString& out);
    static StringLoader SetStringLoader(StringLoader loader);   // returns the previous loader

private:
    void FormatArgs(const char* format, ...);

    std::string m_s;
};

// The value a Format argument is passed as: CString as its text, arrays as pointers, the rest promoted.
inline const char* VxFormatArg(const CString& s)
{
    return s.GetString();
}
template <class T>
inline auto VxFormatArg(const T& v) -> decltype(+v)
{
    return +v;
}

template <class... Args>
void CString::Format(const char* format, const Args&... args)
{
    static_assert(std::conjunction<std::is_scalar<decltype(VxFormatArg(args))>...>::value,
                  "Format takes numbers, pointers and strings only");
    FormatArgs(format, VxFormatArg(args)...);
}

inline bool operator==(const CString& a, const CString& b)
{
    return a.str() == b.str();
}
inline bool operator==(const CString& a, const char* b)
{
    return a.Compare(b) == 0;
}
inline bool operator==(const char* a, const CString& b)
{
    return b.Compare(a) == 0;
}
inline bool operator!=(const CString& a, const CString& b)
{
    return !(a == b);
}
inline bool operator!=(const CString& a, const char* b)
{
    return !(a == b);
}
inline bool operator!=(const char* a, const CString& b)
{
    return !(a == b);
}
inline bool operator<(const CString& a, const CString& b)
{
    return a.Compare(b) < 0;
}
inline bool operator<(const CString& a, const char* b)
{
    return a.Compare(b) < 0;
}
inline bool operator<(const char* a, const CString& b)
{
    return b.Compare(a) > 0;
}
inline bool operator>(const CString& a, const CString& b)
{
    return a.Compare(b) > 0;
}
inline bool operator>(const CString& a, const char* b)
{
    return a.Compare(b) > 0;
}
inline bool operator>(const char* a, const CString& b)
{
    return b.Compare(a) < 0;
}
inline bool operator<=(const CString& a, const CString& b)
{
    return a.Compare(b) <= 0;
}
inline bool operator<=(const CString& a, const char* b)
{
    return a.Compare(b) <= 0;
}
inline bool operator<=(const char* a, const CString& b)
{
    return b.Compare(a) >= 0;
}
inline bool operator>=(const CString& a, const CString& b)
{
    return a.Compare(b) >= 0;
}
inline bool operator>=(const CString& a, const char* b)
{
    return a.Compare(b) >= 0;
}
inline bool operator>=(const char* a, const CString& b)
{
    return b.Compare(a) <= 0;
}
