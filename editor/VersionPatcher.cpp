#include "editor/VersionPatcher.h"

#include <cstddef>
#include <cstring>
#include <string>

namespace
{

const DWORD FIXED_SIGNATURE = 0xFEEF04BD;

size_t Align4(size_t offset)
{
    return (offset + 3) & ~static_cast<size_t>(3);
}

// The fixed file information as stored in a version block.
struct CFixedFileInfo
{
    DWORD signature;
    DWORD structVersion;
    DWORD fileVersionMS;
    DWORD fileVersionLS;
    DWORD productVersionMS;
    DWORD productVersionLS;
    DWORD fileFlagsMask;
    DWORD fileFlags;
    DWORD fileOS;
    DWORD fileType;
    DWORD fileSubtype;
    DWORD fileDateMS;
    DWORD fileDateLS;
};
static_assert(sizeof(CFixedFileInfo) == 52, "stored layout");

WORD ReadWord(const std::vector<BYTE>& block, size_t offset)
{
    return static_cast<WORD>(block[offset] | (block[offset + 1] << 8));
}

void WriteWord(std::vector<BYTE>& block, size_t offset, WORD value)
{
    block[offset] = static_cast<BYTE>(value & 0xFF);
    block[offset + 1] = static_cast<BYTE>(value >> 8);
}

WORD ClampWord(int value)
{
    return static_cast<WORD>(value < 0 ? 0 : value > 0xFFFF ? 0xFFFF : value);
}

}   // namespace

CVersionPatcher::CVersionPatcher() : m_fixedOffset(0)
{
}

BOOL CVersionPatcher::ReadHeader(size_t offset, size_t limit, size_t& end, WORD& valueLength, CString& key,
                                 size_t& afterKey) const
{
    if (offset + 6 > limit)
        return FALSE;
    WORD length = ReadWord(m_block, offset);
    if (length < 6 || offset + length > limit)
        return FALSE;
    end = offset + length;
    valueLength = ReadWord(m_block, offset + 2);
    // The key: UTF-16 up to its terminator, inside the structure.
    key.Empty();
    size_t p = offset + 6;
    for (;; p += 2)
    {
        if (p + 2 > end)
            return FALSE;
        WORD ch = ReadWord(m_block, p);
        if (ch == 0)
            break;
        key += static_cast<char>(ch < 0x100 ? ch : '?');
    }
    afterKey = Align4(p + 2);
    return TRUE;
}

BOOL CVersionPatcher::ReadStringTable(size_t offset, size_t limit, size_t& tableEnd)
{
    size_t first;
    WORD valueLength;
    CString name;
    if (!ReadHeader(offset, limit, tableEnd, valueLength, name, first))
        return FALSE;
    for (size_t p = first; p < tableEnd;)
    {
        size_t stringEnd, valueOffset;
        CString key;
        if (!ReadHeader(p, tableEnd, stringEnd, valueLength, key, valueOffset))
            return FALSE;
        // The value must lie inside its own structure.
        if (valueLength > 0 && valueOffset + 2 * static_cast<size_t>(valueLength) > stringEnd)
            return FALSE;
        m_values.push_back({key, valueOffset, valueLength});
        p = Align4(stringEnd);
    }
    return TRUE;
}

BOOL CVersionPatcher::Load(const void* block, DWORD size)
{
    m_block.clear();
    m_values.clear();
    m_fixedOffset = 0;
    if (!block || size == 0 || size > MAX_BLOCK_SIZE)
        return FALSE;
    m_block.assign(static_cast<const BYTE*>(block), static_cast<const BYTE*>(block) + size);

    size_t rootEnd, fixed;
    WORD fixedLength;
    CString rootKey;
    if (!ReadHeader(0, m_block.size(), rootEnd, fixedLength, rootKey, fixed) || rootKey != "VS_VERSION_INFO" ||
        fixedLength != sizeof(CFixedFileInfo) || fixed + sizeof(CFixedFileInfo) > rootEnd)
        return FALSE;
    DWORD signature;
    std::memcpy(&signature, &m_block[fixed], sizeof(signature));
    if (signature != FIXED_SIGNATURE)
        return FALSE;
    m_fixedOffset = fixed;

    for (size_t p = Align4(fixed + sizeof(CFixedFileInfo)); p < rootEnd;)
    {
        size_t childEnd, first;
        WORD valueLength;
        CString key;
        if (!ReadHeader(p, rootEnd, childEnd, valueLength, key, first))
            return FALSE;
        if (key == "StringFileInfo")
            for (size_t t = first; t < childEnd;)
            {
                size_t tableEnd;
                if (!ReadStringTable(t, childEnd, tableEnd))
                    return FALSE;
                t = Align4(tableEnd);
            }
        p = Align4(childEnd);
    }
    return !m_values.empty();
}

void CVersionPatcher::SetFileVersion(const int (&numbers)[4])
{
    if (m_block.empty())
        return;
    size_t ms = m_fixedOffset + offsetof(CFixedFileInfo, fileVersionMS);
    size_t ls = m_fixedOffset + offsetof(CFixedFileInfo, fileVersionLS);
    WriteWord(m_block, ms, ClampWord(numbers[1]));
    WriteWord(m_block, ms + 2, ClampWord(numbers[0]));
    WriteWord(m_block, ls, ClampWord(numbers[3]));
    WriteWord(m_block, ls + 2, ClampWord(numbers[2]));
}

BOOL CVersionPatcher::SetValue(const char* key, const char* text)
{
    // Code page 1252 is one character per byte: the UTF-16 text has as many characters as the input.
    CString input = text ? text : "";
    std::vector<wchar_t> wide(input.GetLength() + 1, 0);
    int count = input.IsEmpty() ? 0
                                : MultiByteToWideChar(1252, 0, input, input.GetLength(), wide.data(),
                                                      static_cast<int>(wide.size()));
    BOOL found = FALSE;
    for (const CValue& value : m_values)
    {
        if (value.key != key)
            continue;
        found = TRUE;
        int room = value.width - 1;
        for (int i = 0; i < room; i++)
            WriteWord(m_block, value.valueOffset + 2 * i, i < count ? static_cast<WORD>(wide[i]) : L' ');
    }
    return found;
}

CString CVersionPatcher::GetValue(const char* key) const
{
    for (const CValue& value : m_values)
    {
        if (value.key != key)
            continue;
        std::wstring wide;
        for (int i = 0; i < value.width; i++)
        {
            WORD ch = ReadWord(m_block, value.valueOffset + 2 * i);
            if (ch == 0)
                break;
            wide += static_cast<wchar_t>(ch);
        }
        CString text;
        if (!wide.empty())
        {
            int n = WideCharToMultiByte(1252, 0, wide.data(), static_cast<int>(wide.size()), nullptr, 0, nullptr,
                                        nullptr);
            n = WideCharToMultiByte(1252, 0, wide.data(), static_cast<int>(wide.size()), text.GetBuffer(n), n,
                                    nullptr, nullptr);
            text.ReleaseBuffer(n);
        }
        return text.TrimRight();
    }
    return CString();
}

int CVersionPatcher::GetValueRoom(const char* key) const
{
    for (const CValue& value : m_values)
        if (value.key == key)
            return value.width - 1;
    return -1;
}
