#include "show/SettingsFile.h"

#include <climits>
#include <cstring>
#include <string>

IMPLEMENT_DYNAMIC(CProfileStore, CObject)
IMPLEMENT_DYNAMIC(CSettingsFile, CObject)

namespace
{

const char kLineEnd[] = "\r\n";
const char kEndSentinel[] = "\r\n[]\r\n";

std::string Upper(const char* text)
{
    CString s(text);
    s.MakeUpper();
    return s.str();
}

// Copies text into out, cut so that it and its terminator fit; returns the length copied.
int CopyCut(const char* text, size_t length, char* out, int size)
{
    if (out == nullptr || size <= 0)
        return 0;
    size_t n = length;
    if (n > static_cast<size_t>(size) - 1)
        n = static_cast<size_t>(size) - 1;
    if (n > 0)
        memcpy(out, text, n);
    out[n] = '\0';
    return static_cast<int>(n);
}

int CopyCut(const char* text, char* out, int size)
{
    if (text == nullptr)
        text = "";
    return CopyCut(text, strlen(text), out, size);
}

// Decimal text as the C library reads it: leading white space, a sign, digits up to the first other
// character; 0 when there are no digits. Values beyond the int range are held at its ends.
int ParseDecimal(const char* text)
{
    const char* p = text;
    while (*p == ' ' || (*p >= '\t' && *p <= '\r'))
        ++p;
    bool negative = false;
    if (*p == '+' || *p == '-')
    {
        negative = *p == '-';
        ++p;
    }
    long long value = 0;
    while (*p >= '0' && *p <= '9')
    {
        if (value <= static_cast<long long>(INT_MAX) + 1)
            value = value * 10 + (*p - '0');
        ++p;
    }
    if (negative)
        value = -value;
    if (value > INT_MAX)
        return INT_MAX;
    if (value < INT_MIN)
        return INT_MIN;
    return static_cast<int>(value);
}

}   // namespace

// ---------------------------------------------------------------------------------------------------
// CProfileStore

CProfileStore::CProfileStore() : m_nMode(-1), m_nBlockSize(0)
{
}

CProfileStore::~CProfileStore() = default;

BOOL CProfileStore::Open(int mode, const char* name, BOOL bForWriting, const void* block, int size)
{
    m_nMode = mode;
    m_strName = name;
    switch (mode)
    {
    case modeWinIni: return OpenWinIni();
    case modeIniFile: return OpenIniFile(name);
    case modeTextFile: return OpenTextFile(name);
    case modeMemory: return OpenMemory(name, bForWriting, block, size);
    default: return FALSE;
    }
}

BOOL CProfileStore::OpenWinIni()
{
#ifdef _WIN32
    return TRUE;
#else
    return FALSE;   // there is no win.ini here
#endif
}

BOOL CProfileStore::OpenIniFile(const char* name)
{
#ifdef _WIN32
    return name != nullptr && *name != '\0';
#else
    (void)name;
    return FALSE;   // private INI files are read through the Windows profile functions only
#endif
}

void CProfileStore::SetReadText(const char* contents, int length)
{
    std::string text(kLineEnd);
    text.append(contents, static_cast<size_t>(length));
    text += kEndSentinel;
    m_strText = CString(text);
    m_strUpperText = m_strText;
    m_strUpperText.MakeUpper();
}

BOOL CProfileStore::OpenTextFile(const char* path)
{
    m_strText.Empty();
    m_strUpperText.Empty();
    m_strLastSection.Empty();
    m_nBlockSize = 0;

    CFile file;
    if (path == nullptr || !file.Open(path, CFile::modeRead | CFile::shareDenyNone))
        return FALSE;
    ULONGLONG length = file.GetLength();
    if (length > static_cast<ULONGLONG>(INT_MAX))
        return FALSE;
    int size = static_cast<int>(length);
    if (m_fileBuffer.Allocate(size, FALSE) == nullptr)
        return FALSE;
    UINT got = size > 0 ? file.Read(m_fileBuffer.GetData(), static_cast<UINT>(size)) : 0;
    file.Close();
    if (got != static_cast<UINT>(size))
    {
        m_fileBuffer.Free();
        return FALSE;
    }
    // The text ends at its first zero byte, as a C string would.
    const char* data = reinterpret_cast<const char*>(m_fileBuffer.GetData());
    const void* zero = size > 0 ? memchr(data, 0, static_cast<size_t>(size)) : nullptr;
    int textLength = zero ? static_cast<int>(static_cast<const char*>(zero) - data) : size;
    SetReadText(data, textLength);
    m_nBlockSize = size;
    m_fileBuffer.Free();
    return TRUE;
}

BOOL CProfileStore::OpenMemory(const char* name, BOOL bForWriting, const void* block, int size)
{
    (void)name;
    m_strLastSection.Empty();
    m_strText.Empty();
    m_strUpperText.Empty();
    m_nBlockSize = 0;

    if (bForWriting)
    {
        m_strText = kLineEnd;
        m_strUpperText = kLineEnd;
        return TRUE;
    }
    if (block == nullptr)
        return FALSE;

    // The block's last byte is its terminator; the caller's block is never written.
    const char* data = static_cast<const char*>(block);
    int textLength = 0;
    if (size > 0)
    {
        const void* zero = memchr(data, 0, static_cast<size_t>(size - 1));
        textLength = zero ? static_cast<int>(static_cast<const char*>(zero) - data) : size - 1;
        m_nBlockSize = size;
    }
    SetReadText(data, textLength);
    return TRUE;
}

int CProfileStore::GetString(const char* section, const char* key, const char* def, char* out, int size)
{
    switch (m_nMode)
    {
#ifdef _WIN32
    case modeWinIni:
        if (out == nullptr || size <= 0)
            return 0;
        return static_cast<int>(GetProfileStringA(section, key, def ? def : "", out, static_cast<DWORD>(size)));
    case modeIniFile:
        if (out == nullptr || size <= 0)
            return 0;
        return static_cast<int>(
            GetPrivateProfileStringA(section, key, def ? def : "", out, static_cast<DWORD>(size), m_strName));
#endif
    case modeTextFile:
    case modeMemory: return FindValue(section, key, def, out, size);
    default: return CopyCut(def, out, size);
    }
}

int CProfileStore::GetInt(const char* section, const char* key, int def)
{
    switch (m_nMode)
    {
#ifdef _WIN32
    case modeWinIni: return static_cast<int>(GetProfileIntA(section, key, def));
    case modeIniFile: return static_cast<int>(GetPrivateProfileIntA(section, key, def, m_strName));
#endif
    case modeTextFile:
    case modeMemory:
    {
        CString defText;
        defText.Format("%d", def);
        char value[255];
        FindValue(section, key, defText, value, sizeof(value));
        return ParseDecimal(value);
    }
    default: return def;
    }
}

BOOL CProfileStore::WriteString(const char* section, const char* key, const char* value)
{
    switch (m_nMode)
    {
#ifdef _WIN32
    case modeWinIni: return WriteProfileStringA(section, key, value);
    case modeIniFile: return WritePrivateProfileStringA(section, key, value, m_strName);
#endif
    case modeMemory: AppendEntry(section, key, value); return TRUE;
    default: return FALSE;   // a text file is only read
    }
}

void CProfileStore::Finish()
{
    if (m_nMode == modeMemory)
        m_strText += "\r\n  ";
}

const char* CProfileStore::GetText(int& length) const
{
    length = m_strText.GetLength();
    return m_strText;
}

int CProfileStore::FindValue(const char* section, const char* key, const char* def, char* out, int size)
{
    int defLength = CopyCut(def, out, size);
    if (out == nullptr || size <= 0)
        return 0;

    const std::string& upper = m_strUpperText.str();
    const std::string header = "\r\n[" + Upper(section) + "]";
    size_t headerPos = upper.find(header);
    if (headerPos == std::string::npos)
        return defLength;
    size_t bodyStart = headerPos + header.size();
    size_t bodyEnd = upper.find("\r\n[", bodyStart);
    if (bodyEnd == std::string::npos)
        bodyEnd = upper.size();

    const std::string entry = Upper(key) + "=";
    size_t keyPos = upper.find(entry, bodyStart);
    if (keyPos == std::string::npos || keyPos + entry.size() > bodyEnd)
        return defLength;

    const std::string& text = m_strText.str();
    size_t valueStart = keyPos + entry.size();
    size_t valueEnd = text.find(kLineEnd, valueStart);
    if (valueEnd == std::string::npos)
        valueEnd = text.size();
    if (valueEnd == valueStart)
        return defLength;
    return CopyCut(text.data() + valueStart, valueEnd - valueStart, out, size);
}

void CProfileStore::AppendEntry(const char* section, const char* key, const char* value)
{
    CString upperSection(section);
    upperSection.MakeUpper();
    CString upperKey(key);
    upperKey.MakeUpper();
    if (upperSection != m_strLastSection)
    {
        m_strLastSection = upperSection;
        m_strText += "\r\n[";
        m_strText += upperSection;
        m_strText += "]\r\n";
    }
    m_strText += upperKey;
    m_strText += "=";
    m_strText += value;
    m_strText += kLineEnd;
}

// ---------------------------------------------------------------------------------------------------
// CSettingsFile

CSettingsFile::CSettingsFile()
{
    m_szValue[0] = '\0';
}

BOOL CSettingsFile::OpenMemoryText(const char* name, BOOL bForWriting, const void* block, int size)
{
    m_strName = name;
    return m_store.Open(CProfileStore::modeMemory, name, bForWriting, block, size);
}

void CSettingsFile::Finish()
{
    m_store.Finish();
}

const char* CSettingsFile::GetText(int& length) const
{
    return m_store.GetText(length);
}

BOOL CSettingsFile::WriteString(const char* section, const char* key, const char* value)
{
    return m_store.WriteString(section, key, value ? value : "");
}

BOOL CSettingsFile::WriteInt(const char* section, const char* key, int value)
{
    CString text;
    text.Format("%d", value);
    return m_store.WriteString(section, key, text);
}

BOOL CSettingsFile::WriteColor(const char* section, const char* key, COLORREF color)
{
    CString text;
    text.Format("#%06x",
                static_cast<unsigned>((GetRValue(color) << 16) | (GetGValue(color) << 8) | GetBValue(color)));
    return m_store.WriteString(section, key, text);
}

CString CSettingsFile::ReadString(const char* section, const char* key, const char* def)
{
    if (m_strName.IsEmpty())
        return CString(def);
    m_store.GetString(section, key, def, m_szValue, VALUE_BUFFER_SIZE);
    return CString(m_szValue);
}

int CSettingsFile::ReadInt(const char* section, const char* key, int def)
{
    if (m_strName.IsEmpty())
        return def;
    return m_store.GetInt(section, key, def);
}

COLORREF CSettingsFile::ReadColor(const char* section, const char* key, COLORREF def)
{
    CString value = ReadString(section, key, "#000000");
    if (value.GetLength() <= 6)
        return def;
    value.MakeUpper();
    BYTE r = ParseHexByte(value.Mid(1, 2));
    BYTE g = ParseHexByte(value.Mid(3, 2));
    BYTE b = ParseHexByte(value.Mid(5, 2));
    return RGB(r, g, b);
}

BYTE CSettingsFile::ParseHexByte(const char* pair)
{
    int value = 0;
    for (int i = 0; i < 2; ++i)
    {
        char ch = pair != nullptr ? pair[i] : '\0';
        int digit = 0;
        if (ch >= '0' && ch <= '9')
            digit = ch - '0';
        else if (ch >= 'A' && ch <= 'F')
            digit = ch - 'A' + 10;
        value = value * 16 + digit;
        if (ch == '\0')
            break;
    }
    return static_cast<BYTE>(value);
}
