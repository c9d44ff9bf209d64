#include "show/SettingsFile.h"

#include <algorithm>
#include <climits>
#include <cstdio>
#include <cstdint>
#include <cstring>
#include <string>
#include <string_view>
#include <unordered_map>
#include <vector>

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

// A name or key holding the character or a line end is matched without the index.
bool HasLineEndOr(const std::string& text, char other)
{
    for (char c : text)
        if (c == other || c == '\r' || c == '\n')
            return true;
    return false;
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
// CSettingsTextIndex: the reading rule above, answered without searching the whole text for every read.
//
// Sections: every "\r\n[" of the text is a possible header; the first header of each name is kept by the
// text up to its first ']' (names with ']' or a line end in them are matched header by header). A body
// ends at the next "\r\n[".
//
// Keys: in a body, "KEY=" for a KEY without '=' or line-end characters ends at an '=' whose run of other
// characters before it (back to the previous '=', line end or the body's start) ends with KEY. Those runs
// are sorted by their reversed text, so that the runs ending with KEY lie together, and the first '=' of
// such a group is found with a table of minimums. Other keys are searched in the body directly.

class CSettingsTextIndex
{
public:
    explicit CSettingsTextIndex(const std::string& upper);

    // The body [start, end) of the first section of the name (upper case); false when there is none.
    bool FindSection(const std::string& name, size_t& start, size_t& end);
    // Where the first "KEY=" of the body starts (key upper case), or npos.
    size_t FindKey(size_t bodyStart, size_t bodyEnd, const std::string& key);

private:
    struct Run
    {
        uint32_t start;
        uint32_t equals;   // the '=' after the run
        uint64_t tail;     // its last eight characters, last one in the top byte (see Tail)
    };
    struct BodyKeys
    {
        std::vector<Run> runs;                        // sorted by reversed text
        std::vector<std::vector<uint32_t>> minimum;   // minimum[k][i]: first '=' of runs i .. i + 2^k - 1
    };

    void IndexBody(size_t start, size_t end, BodyKeys& keys) const;
    // The last (up to) eight characters of [start, end) backwards from the top byte, zeros for missing
    // ones: comparing two of them compares the reversed texts' first eight characters.
    static uint64_t Tail(const char* start, const char* end);
    // <0, 0, >0 as the run's reversed text sorts before, begins with or sorts after the reversed key.
    int CompareTail(const Run& run, std::string_view key, uint64_t keyTail) const;

    const std::string& m_upper;
    std::vector<size_t> m_heads;                               // every "\r\n[", ascending
    std::unordered_map<std::string_view, size_t> m_sections;   // name -> its first header
    std::unordered_map<size_t, BodyKeys> m_bodies;             // body start -> its keys
    // The section asked for last: a reader asks for many keys of one section in a row.
    std::string m_lastName;
    size_t m_lastStart = std::string::npos, m_lastEnd = 0;
};

CSettingsTextIndex::CSettingsTextIndex(const std::string& upper) : m_upper(upper)
{
    for (size_t at = upper.find(kLineEnd); at != std::string::npos; at = upper.find(kLineEnd, at + 2))
        if (at + 2 < upper.size() && upper[at + 2] == '[')
            m_heads.push_back(at);
    for (size_t i = 0; i < m_heads.size(); ++i)
    {
        // The name runs to the first ']' before the next header; without one no plain name matches here.
        const size_t nameStart = m_heads[i] + 3;
        const size_t limit = i + 1 < m_heads.size() ? m_heads[i + 1] : upper.size();
        const void* close = nameStart < limit ? memchr(upper.data() + nameStart, ']', limit - nameStart) : nullptr;
        if (!close)
            continue;
        m_sections.emplace(
            std::string_view(upper.data() + nameStart,
                             static_cast<size_t>(static_cast<const char*>(close) - upper.data()) - nameStart),
            m_heads[i]);
    }
}

bool CSettingsTextIndex::FindSection(const std::string& name, size_t& start, size_t& end)
{
    if (m_lastStart != std::string::npos && name == m_lastName)
    {
        start = m_lastStart;
        end = m_lastEnd;
        return true;
    }
    const std::string header = "\r\n[" + name + "]";
    size_t head = std::string::npos;
    if (!HasLineEndOr(name, ']'))
    {
        auto found = m_sections.find(std::string_view(name));
        if (found != m_sections.end())
            head = found->second;
    }
    else
    {
        for (size_t at : m_heads)
            if (m_upper.compare(at, header.size(), header) == 0)
            {
                head = at;
                break;
            }
    }
    if (head == std::string::npos)
        return false;
    start = head + header.size();
    auto next = std::lower_bound(m_heads.begin(), m_heads.end(), start);
    end = next != m_heads.end() ? *next : m_upper.size();
    m_lastName = name;
    m_lastStart = start;
    m_lastEnd = end;
    return true;
}

uint64_t CSettingsTextIndex::Tail(const char* start, const char* end)
{
    uint64_t tail = 0;
    for (int k = 1; k <= 8; ++k)
    {
        const uint64_t c = end - start >= k ? static_cast<unsigned char>(end[-k]) : 0;
        tail |= c << (64 - 8 * k);
    }
    return tail;
}

int CSettingsTextIndex::CompareTail(const Run& run, std::string_view key, uint64_t keyTail) const
{
    // The first eight characters at once: enough to decide for a key of eight or fewer.
    const uint64_t mask = key.size() >= 8 ? ~uint64_t(0) : ~(~uint64_t(0) >> (8 * key.size()));
    if ((run.tail & mask) != (keyTail & mask))
        return (run.tail & mask) < (keyTail & mask) ? -1 : 1;
    const char* text = m_upper.data();
    const size_t length = run.equals - run.start;
    for (size_t k = 9; k <= key.size(); ++k)
    {
        if (k > length)
            return -1;
        unsigned char a = static_cast<unsigned char>(text[run.equals - k]);
        unsigned char b = static_cast<unsigned char>(key[key.size() - k]);
        if (a != b)
            return a < b ? -1 : 1;
    }
    return 0;
}

void CSettingsTextIndex::IndexBody(size_t start, size_t end, BodyKeys& keys) const
{
    const char* text = m_upper.data();
    size_t runStart = start;
    for (size_t i = start; i < end; ++i)
    {
        char c = text[i];
        if (c == '=')
            keys.runs.push_back(
                {static_cast<uint32_t>(runStart), static_cast<uint32_t>(i), Tail(text + runStart, text + i)});
        if (c == '=' || c == '\r' || c == '\n')
            runStart = i + 1;
    }
    std::sort(keys.runs.begin(), keys.runs.end(),
              [text](const Run& a, const Run& b)
              {
                  if (a.tail != b.tail)
                      return a.tail < b.tail;
                  // Equal in their last eight characters (or equal and shorter): on from the ninth.
                  const size_t lengthA = a.equals - a.start, lengthB = b.equals - b.start;
                  const size_t n = std::min(lengthA, lengthB);
                  for (size_t k = 9; k <= n; ++k)
                  {
                      unsigned char p = static_cast<unsigned char>(text[a.equals - k]);
                      unsigned char q = static_cast<unsigned char>(text[b.equals - k]);
                      if (p != q)
                          return p < q;
                  }
                  return lengthA < lengthB;
              });
    const size_t count = keys.runs.size();
    keys.minimum.emplace_back(count);
    for (size_t i = 0; i < count; ++i)
        keys.minimum[0][i] = keys.runs[i].equals;
    for (size_t width = 2; width <= count; width *= 2)
    {
        const std::vector<uint32_t>& half = keys.minimum.back();
        std::vector<uint32_t> level(count - width + 1);
        for (size_t i = 0; i < level.size(); ++i)
            level[i] = std::min(half[i], half[i + width / 2]);
        keys.minimum.push_back(std::move(level));
    }
}

size_t CSettingsTextIndex::FindKey(size_t bodyStart, size_t bodyEnd, const std::string& key)
{
    const std::string_view body = std::string_view(m_upper).substr(bodyStart, bodyEnd - bodyStart);
    if (HasLineEndOr(key, '=') || bodyEnd > UINT32_MAX)
    {
        size_t at = body.find(key + "=");
        return at == std::string_view::npos ? std::string::npos : bodyStart + at;
    }
    auto found = m_bodies.find(bodyStart);
    if (found == m_bodies.end())
    {
        found = m_bodies.emplace(bodyStart, BodyKeys()).first;
        IndexBody(bodyStart, bodyEnd, found->second);
    }
    const BodyKeys& keys = found->second;
    const auto& runs = keys.runs;
    const uint64_t keyTail = Tail(key.data(), key.data() + key.size());
    auto first = std::partition_point(runs.begin(), runs.end(),
                                      [&](const Run& run) { return CompareTail(run, key, keyTail) < 0; });
    auto last = std::partition_point(first, runs.end(),
                                     [&](const Run& run) { return CompareTail(run, key, keyTail) == 0; });
    if (first == last)
        return std::string::npos;
    // The first '=' among runs [i, j): two overlapping power-of-two spans.
    const size_t i = static_cast<size_t>(first - runs.begin());
    const size_t n = static_cast<size_t>(last - first);
    size_t level = 0;
    while ((size_t(2) << level) <= n)
        ++level;
    const uint32_t equals = std::min(keys.minimum[level][i], keys.minimum[level][i + n - (size_t(1) << level)]);
    return equals - key.size();
}

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
    m_pIndex.reset();
    std::string text(kLineEnd);
    text.append(contents, static_cast<size_t>(length));
    text += kEndSentinel;
    m_strText = CString(text);
    m_strUpperText = m_strText;
    m_strUpperText.MakeUpper();
}

BOOL CProfileStore::OpenTextFile(const char* path)
{
    m_pIndex.reset();
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
    m_pIndex.reset();
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
        size_t length = 0;
        const char* found = FindEntry(section, key, length);
        if (!found)
            return def;
        char value[255];
        CopyCut(found, length, value, sizeof(value));
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
    size_t length = 0;
    const char* value = FindEntry(section, key, length);
    return value ? CopyCut(value, length, out, size) : defLength;
}

const char* CProfileStore::FindEntry(const char* section, const char* key, size_t& length)
{
    length = 0;
    if (!m_pIndex)
        m_pIndex = std::make_unique<CSettingsTextIndex>(m_strUpperText.str());
    size_t bodyStart = 0, bodyEnd = 0;
    if (!m_pIndex->FindSection(Upper(section), bodyStart, bodyEnd))
        return nullptr;
    const std::string upperKey = Upper(key);
    size_t keyPos = m_pIndex->FindKey(bodyStart, bodyEnd, upperKey);
    if (keyPos == std::string::npos)
        return nullptr;
    const std::string& text = m_strText.str();
    size_t valueStart = keyPos + upperKey.size() + 1;
    size_t valueEnd = text.find(kLineEnd, valueStart);
    if (valueEnd == std::string::npos)
        valueEnd = text.size();
    if (valueEnd == valueStart)
        return nullptr;
    length = valueEnd - valueStart;
    return text.data() + valueStart;
}

void CProfileStore::AppendEntry(const char* section, const char* key, const char* value)
{
    // This runs for every key of a show text: names are upper-cased straight into the text, with no
    // temporary strings.
    section = section ? section : "";
    key = key ? key : "";
    const std::string& last = m_strLastSection.str();
    size_t n = 0;
    while (section[n] != '\0' && n < last.size() && CString::ToUpper1252(section[n]) == last[n])
        n++;
    if (section[n] != '\0' || n != last.size())
    {
        m_strLastSection = section;
        m_strLastSection.MakeUpper();
        m_strText += "\r\n[";
        m_strText += m_strLastSection;
        m_strText += "]\r\n";
    }
    for (const char* at = key; *at != '\0'; at++)
        m_strText += CString::ToUpper1252(*at);
    m_strText += '=';
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
    char text[16];
    snprintf(text, sizeof(text), "%d", value);
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
