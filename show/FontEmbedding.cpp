#include "show/FontEmbedding.h"

#include <io.h>
#include <shellapi.h>

#include <cstring>

IMPLEMENT_DYNAMIC(CFontNameList, CObject)
IMPLEMENT_DYNAMIC(CTempFontList, CObject)

namespace
{

// The installed-font list: one per process, built and read on the user-interface thread.
class CInstalledFontList
{
public:
    // Empties the list and enumerates every font family of every character set on the DC into it.
    int Enumerate(CDC* pDC)
    {
        m_strText.Empty();
        m_nCount = 0;
        m_bUpper = false;
        if (pDC && pDC->GetSafeHdc())
        {
            LOGFONTA logFont = {};
            logFont.lfCharSet = DEFAULT_CHARSET;
            ::EnumFontFamiliesExA(pDC->GetSafeHdc(), &logFont, &CInstalledFontList::AddFamily,
                                  reinterpret_cast<LPARAM>(this), 0);
        }
        return m_nCount;
    }

    // The list for searching: enumerated once, upper case.
    const CString& Searchable(CDC* pDC)
    {
        if (m_strText.IsEmpty() || m_nCount == 0)
            Enumerate(pDC);
        if (!m_bUpper)
        {
            m_strText.MakeUpper();
            m_bUpper = true;
        }
        return m_strText;
    }

    const CString& Text() const { return m_strText; }

private:
    static int CALLBACK AddFamily(const LOGFONTA* logFont, const TEXTMETRICA*, DWORD fontType, LPARAM list)
    {
        const ENUMLOGFONTEXA* info = reinterpret_cast<const ENUMLOGFONTEXA*>(logFont);
        CString fullName(reinterpret_cast<const char*>(info->elfFullName));
        CString script(reinterpret_cast<const char*>(info->elfScript));
        CString style(reinterpret_cast<const char*>(info->elfStyle));
        if (script.IsEmpty())
            script = "-";
        if (style.IsEmpty())
            style = "-";
        const char* type = "";
        if (fontType & TRUETYPE_FONTTYPE)
            type = "FONTTYPE-TRUETYPE";
        else if (fontType & RASTER_FONTTYPE)
            type = "FONTTYPE-RASTER";
        else if (fontType & DEVICE_FONTTYPE)
            type = "FONTTYPE-DEVICE";
        CInstalledFontList* self = reinterpret_cast<CInstalledFontList*>(list);
        self->m_strText += "[" + fullName + "+" + script + "+" + style + "+" + type + "]\r\n";
        self->m_nCount++;
        return 1;
    }

    CString m_strText;
    int m_nCount = 0;
    bool m_bUpper = false;
};

CInstalledFontList& InstalledFonts()
{
    static CInstalledFontList list;
    return list;
}

// Creates the face as the embedding functions use it.
BOOL CreateEmbeddingFont(CFont& font, LPCSTR face)
{
    return font.CreateFont(-10, 0, 0, 0, FW_NORMAL, 0, 0, 0, 0, 0, 0, 0, 0, face);
}

// The variable's value, whatever its length; false when it is not set.
bool ReadEnvironment(const char* name, CString& value)
{
    value.Empty();
    DWORD size = ::GetEnvironmentVariableA(name, nullptr, 0);
    if (size == 0)
        return false;
    std::vector<char> buffer(size + 1);
    DWORD length = ::GetEnvironmentVariableA(name, buffer.data(), size + 1);
    if (length == 0)
        return false;
    if (length <= size)   // else it grew meanwhile: set, but no value to use
        value = buffer.data();
    return true;
}

BOOL IsWritable(const CString& path)
{
    return !path.IsEmpty() && _access(path, 2) == 0;
}

}   // namespace

int EnumInstalledFonts(CDC* pDC, CString& strFonts)
{
    int count = InstalledFonts().Enumerate(pDC);
    strFonts = InstalledFonts().Text();
    return count;
}

BOOL IsFontInstalled(CDC* pDC, LPCSTR face)
{
    CString strFace(face);
    strFace.MakeUpper();
    return InstalledFonts().Searchable(pDC).Find(strFace) >= 0 ? TRUE : FALSE;
}

BOOL IsTrueTypeFont(CDC* pDC, LPCSTR face)
{
    const CString& fonts = InstalledFonts().Searchable(pDC);
    CString strFace(face);
    strFace.MakeUpper();
    int pos = fonts.Find(strFace);
    if (pos <= 0)
        return FALSE;
    int end = fonts.Find(']', pos);
    CString entry = end < 0 ? fonts.Mid(pos) : fonts.Mid(pos, end - pos);
    return entry.Find("FONTTYPE-TRUETYPE") >= 0 ? TRUE : FALSE;
}

BOOL IsEmbeddingRestricted(CDC* pDC)
{
    if (!pDC || !pDC->GetSafeHdc())
        return FALSE;
    UINT size = ::GetOutlineTextMetricsA(pDC->GetSafeHdc(), 0, nullptr);
    if (size < sizeof(OUTLINETEXTMETRICA))
        return FALSE;
    std::vector<BYTE> buffer(size);
    OUTLINETEXTMETRICA* metrics = reinterpret_cast<OUTLINETEXTMETRICA*>(buffer.data());
    if (!::GetOutlineTextMetricsA(pDC->GetSafeHdc(), size, metrics))
        return FALSE;
    return (metrics->otmfsType & 0x0002) ? TRUE : FALSE;   // restricted licence embedding
}

BOOL IsFontEmbeddingRestricted(CDC* pDC, LPCSTR face)
{
    if (!pDC || !pDC->GetSafeHdc())
        return TRUE;
    CFont font;
    if (!CreateEmbeddingFont(font, face))
        return TRUE;
    CFont* pOldFont = pDC->SelectObject(&font);
    BOOL restricted = IsEmbeddingRestricted(pDC);
    if (pOldFont)
        pDC->SelectObject(pOldFont);
    return restricted;
}

BOOL GetSelectedFontData(CDC* pDC, std::vector<BYTE>& data)
{
    data.clear();
    if (!pDC || !pDC->GetSafeHdc())
        return FALSE;
    if (IsEmbeddingRestricted(pDC))
        return TRUE;
    DWORD size = ::GetFontData(pDC->GetSafeHdc(), 0, 0, nullptr, 0);
    if (size == GDI_ERROR || size == 0)
        return FALSE;
    data.resize(size);
    if (::GetFontData(pDC->GetSafeHdc(), 0, 0, data.data(), size) != size)
    {
        data.clear();
        return FALSE;
    }
    return TRUE;
}

BOOL GetEmbeddedFontData(CDC* pDC, LPCSTR face, std::vector<BYTE>& block)
{
    block.clear();
    if (!pDC || !pDC->GetSafeHdc() || !face)
        return FALSE;
    CFont font;
    if (!CreateEmbeddingFont(font, face))
        return FALSE;
    CFont* pOldFont = pDC->SelectObject(&font);

    std::vector<BYTE> data;
    BOOL ok = GetSelectedFontData(pDC, data);
    if (ok)
    {
        block.assign(kFontEntryHeaderSize, 0);
        size_t length = strlen(face);
        if (length > kFontEntryHeaderSize - 1)
            length = kFontEntryHeaderSize - 1;
        memcpy(block.data(), face, length);
        block.insert(block.end(), data.begin(), data.end());
    }
    if (pOldFont)
        pDC->SelectObject(pOldFont);
    return ok;
}

void MakeFontEntryName(LPCSTR face, CString& strName)
{
    strName = face;
    strName.Replace(' ', '_');
    strName += ".NFNT";
}

BOOL GetEmbeddedFontFaceName(const BYTE* pBlock, DWORD dwSize, CString& strFace)
{
    strFace.Empty();
    if (!pBlock || dwSize <= static_cast<DWORD>(kFontEntryHeaderSize))
        return FALSE;
    int length = 0;
    while (length < kFontEntryHeaderSize - 1 && pBlock[length] != 0)
        length++;
    CString face(reinterpret_cast<const char*>(pBlock), length);
    for (int i = 0; i < length; i++)
    {
        unsigned char ch = static_cast<unsigned char>(face.GetAt(i));
        if (ch < 0x20 || ch == 0x7F || strchr("\\/:*?\"<>|", ch))
            face.SetAt(i, '_');
    }
    if (face.IsEmpty())
        return FALSE;
    strFace = face;
    return TRUE;
}

void MakeTempFontFileName(LPCSTR face, CString& strName)
{
    strName = face;
    strName.Replace(' ', '_');
    strName += ".TFNT";
    if (IsReservedDeviceName(strName))
        strName = "_" + strName;
}

BOOL IsReservedDeviceName(LPCSTR fileName)
{
    CString base(fileName);
    int point = base.Find('.');
    if (point >= 0)
        base = base.Left(point);
    while (!base.IsEmpty() && (base.Right(1) == " " || base.Right(1) == "."))
        base = base.Left(base.GetLength() - 1);
    base.MakeUpper();
    static const char* const kDevices[] = {"CON", "PRN", "AUX", "NUL", "CONIN$", "CONOUT$"};
    for (const char* device : kDevices)
        if (base == device)
            return TRUE;
    // COM and LPT with one digit, also the superscript ones of code page 1252.
    if (base.GetLength() == 4 && (base.Left(3) == "COM" || base.Left(3) == "LPT"))
    {
        unsigned char digit = static_cast<unsigned char>(base.GetAt(3));
        return (digit >= '0' && digit <= '9') || digit == 0xB9 || digit == 0xB2 || digit == 0xB3;
    }
    return FALSE;
}

BOOL GetTempFolder(CString& strPath, CString& strLongPath)
{
    strPath.Empty();
    strLongPath.Empty();
    // TMP counts only when TEMP is not set at all, however long or unusable TEMP is.
    CString folder;
    if (!ReadEnvironment("TEMP", folder))
        ReadEnvironment("TMP", folder);
    if (!IsWritable(folder))
        return FALSE;
    strPath = folder;
    CString display;
    if (GetDisplayPath(folder, display) && IsWritable(display))
        strLongPath = display;
    else
        strLongPath = folder;
    return TRUE;
}

BOOL GetDisplayPath(LPCSTR path, CString& strDisplayPath)
{
    strDisplayPath.Empty();
    CString strPath(path);
    int first = strPath.Find('\\');
    if (first < 0)
        return FALSE;
    // The root ("C:\", or "\" of the current drive) starts both paths, and keeps its backslash.
    CString real = strPath.Left(first + 1);
    CString result = real;
    int pos = first + 1;
    while (pos <= strPath.GetLength())
    {
        int next = strPath.Find('\\', pos);
        CString component = next < 0 ? strPath.Mid(pos) : strPath.Mid(pos, next - pos);
        if (!component.IsEmpty())
        {
            real = Path::Join(real, component);
            SHFILEINFOA info = {};
            if (!::SHGetFileInfoA(real, 0, &info, sizeof(info), SHGFI_DISPLAYNAME) || !info.szDisplayName[0])
                return FALSE;
            result = Path::Join(result, info.szDisplayName);
        }
        if (next < 0)
            break;
        pos = next + 1;
    }
    strDisplayPath = result;
    return TRUE;
}

// ---------------------------------------------------------------------------------------------------------

CFontNameList::CFontNameList() : m_nCount(0)
{
    Clear();
}

void CFontNameList::Clear()
{
    for (CString& name : m_strNames)
        name.Empty();
    m_nCount = 0;
}

int CFontNameList::Add(LPCSTR face)
{
    if (Contains(face))
        return m_nCount;
    if (m_nCount >= kMaxFontFaceNames)
        return -1;
    m_strNames[m_nCount++] = face;
    return m_nCount;
}

BOOL CFontNameList::Contains(LPCSTR face) const
{
    CString strFace(face);
    for (int i = 0; i < m_nCount; i++)
        if (m_strNames[i] == strFace)
            return TRUE;
    return FALSE;
}

CString CFontNameList::GetAt(int index) const
{
    if (index < 0 || index >= kMaxFontFaceNames)
        return CString();
    return m_strNames[index];
}

// ---------------------------------------------------------------------------------------------------------

CTempFontList::CTempFontList() : m_bFontRemoved(FALSE)
{
}

CTempFontList::~CTempFontList()
{
    RemoveAll();
}

int CTempFontList::Add(LPCSTR path)
{
    HANDLE hold = ::CreateFileA(path, GENERIC_READ, FILE_SHARE_READ | FILE_SHARE_WRITE, nullptr, OPEN_EXISTING,
                                FILE_ATTRIBUTE_NORMAL, nullptr);
    m_arrEntries.push_back({CString(path), hold});
    return GetCount();
}

CString CTempFontList::GetAt(int index) const
{
    if (index < 1 || index > GetCount())
        return CString();
    return m_arrEntries[index - 1].path;
}

void CTempFontList::RemoveAt(int index)
{
    if (index < 1 || index > GetCount())
        return;
    Entry& entry = m_arrEntries[index - 1];
    if (entry.path.IsEmpty())
        return;
    if (IsWritable(entry.path) && ::RemoveFontResourceA(entry.path))
        m_bFontRemoved = TRUE;
    if (entry.hold != INVALID_HANDLE_VALUE)
        ::CloseHandle(entry.hold);
    entry.hold = INVALID_HANDLE_VALUE;
    // A file still in use (held by another player, or by the system's font table) stays behind.
    if (IsWritable(entry.path))
        ::DeleteFileA(entry.path);
    entry.path.Empty();
}

void CTempFontList::RemoveAll()
{
    for (int i = 1; i <= GetCount(); i++)
        RemoveAt(i);
    m_arrEntries.clear();
}
