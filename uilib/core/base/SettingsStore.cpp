#include "uilib/core/base/SettingsStore.h"

#include "uilib/core/base/GlobalData.h"

#include <cstring>

namespace
{
// Rights of keys opened to write: read, make sections, set values; never more.
const REGSAM kWriteAccess = KEY_READ | KEY_CREATE_SUB_KEY | KEY_SET_VALUE;
// INI values are read into a buffer of this many characters.
const DWORD kIniBuffer = 4096;

HKEY CreateOrOpen(HKEY parent, LPCSTR name)
{
    HKEY key = nullptr;
    if (parent == nullptr || name == nullptr ||
        ::RegCreateKeyExA(parent, name, 0, nullptr, REG_OPTION_NON_VOLATILE, kWriteAccess, nullptr, &key,
                          nullptr) != ERROR_SUCCESS)
        return nullptr;
    return key;
}

HKEY OpenForReading(HKEY parent, LPCSTR name)
{
    HKEY key = nullptr;
    if (parent == nullptr || name == nullptr || ::RegOpenKeyExA(parent, name, 0, KEY_READ, &key) != ERROR_SUCCESS)
        return nullptr;
    return key;
}

// Opens or creates name below parent and closes parent.
HKEY Descend(HKEY parent, LPCSTR name, BOOL forWriting)
{
    HKEY key = forWriting ? CreateOrOpen(parent, name) : OpenForReading(parent, name);
    if (parent != nullptr)
        ::RegCloseKey(parent);
    return key;
}

BOOL Done(HKEY key, LONG result)
{
    if (key != nullptr)
        ::RegCloseKey(key);
    return key != nullptr && result == ERROR_SUCCESS;
}

}   // namespace

CUXSettingsStore::CUXSettingsStore(HKEY root)
    : m_hRoot(root), m_strIniFile(uxAfxData.m_strIniFile), m_pApp(AfxGetApp())
{
}

CUXSettingsStore::~CUXSettingsStore() = default;

BOOL CUXSettingsStore::CanUseRegistry() const
{
    return m_pApp != nullptr && m_pApp->m_pszRegistryKey != nullptr && m_pApp->m_pszProfileName != nullptr;
}

HKEY CUXSettingsStore::GetAppKey(BOOL forWriting)
{
    if (!CanUseRegistry())
        return nullptr;
    HKEY key = forWriting ? CreateOrOpen(m_hRoot, "Software") : OpenForReading(m_hRoot, "Software");
    key = Descend(key, m_pApp->m_pszRegistryKey, forWriting);
    return Descend(key, m_pApp->m_pszProfileName, forWriting);
}

HKEY CUXSettingsStore::GetSectionKey(LPCSTR section, BOOL forWriting)
{
    if (section == nullptr)
        return nullptr;
    return Descend(GetAppKey(forWriting), section, forWriting);
}

BOOL CUXSettingsStore::WriteProfileInt(LPCSTR section, LPCSTR entry, int value)
{
    if (IsIniMode())
    {
        CString text;
        text.Format("%d", value);
        return ::WritePrivateProfileStringA(section, entry, text, m_strIniFile);
    }
    if (entry == nullptr)
        return FALSE;
    HKEY key = GetSectionKey(section);
    DWORD dword = static_cast<DWORD>(value);
    return Done(
        key, key ? ::RegSetValueExA(key, entry, 0, REG_DWORD, reinterpret_cast<const BYTE*>(&dword), sizeof(dword))
                 : ERROR_INVALID_HANDLE);
}

BOOL CUXSettingsStore::WriteProfileBinary(LPCSTR section, LPCSTR entry, const BYTE* data, UINT count)
{
    if (data == nullptr && count != 0)
        return FALSE;
    if (IsIniMode())
    {
        // Two letters per byte, the low four bits first.
        CString text;
        char* p = text.GetBuffer(static_cast<int>(2 * count));
        for (UINT i = 0; i < count; ++i)
        {
            p[2 * i] = static_cast<char>('A' + (data[i] & 0x0F));
            p[2 * i + 1] = static_cast<char>('A' + ((data[i] >> 4) & 0x0F));
        }
        text.ReleaseBuffer(static_cast<int>(2 * count));
        return ::WritePrivateProfileStringA(section, entry, text, m_strIniFile);
    }
    if (entry == nullptr)
        return FALSE;
    HKEY key = GetSectionKey(section);
    return Done(key, key ? ::RegSetValueExA(key, entry, 0, REG_BINARY, data, count) : ERROR_INVALID_HANDLE);
}

BOOL CUXSettingsStore::WriteProfileString(LPCSTR section, LPCSTR entry, LPCSTR value)
{
    if (IsIniMode())
        return ::WritePrivateProfileStringA(section, entry, value, m_strIniFile);
    if (section == nullptr)
        return FALSE;
    if (entry == nullptr)
    {
        HKEY app = GetAppKey();
        return Done(app, app ? ::RegDeleteKeyA(app, section) : ERROR_INVALID_HANDLE);
    }
    HKEY key = GetSectionKey(section);
    LONG result = ERROR_INVALID_HANDLE;
    if (key != nullptr)
        result = value == nullptr ? ::RegDeleteValueA(key, entry)
                                  : ::RegSetValueExA(key, entry, 0, REG_SZ, reinterpret_cast<const BYTE*>(value),
                                                     static_cast<DWORD>(std::strlen(value) + 1));
    return Done(key, result);
}

BOOL CUXSettingsStore::ReadValue(LPCSTR section, LPCSTR entry, DWORD expectedType, std::vector<BYTE>& bytes)
{
    HKEY key = GetSectionKey(section, FALSE);
    if (key == nullptr)
        return FALSE;
    DWORD type = 0, size = 0;
    LONG result = ::RegQueryValueExA(key, entry, nullptr, &type, nullptr, &size);
    if (result == ERROR_SUCCESS && type == expectedType)
    {
        // One byte more than stored, always zero: a text written without its terminator still ends.
        bytes.assign(static_cast<size_t>(size) + 1, 0);
        DWORD got = size;
        result = ::RegQueryValueExA(key, entry, nullptr, &type, bytes.data(), &got);
        if (result == ERROR_SUCCESS && (type != expectedType || got > size))
            result = ERROR_INVALID_DATA;
        bytes.resize(got);
    }
    else if (result == ERROR_SUCCESS)
    {
        result = ERROR_INVALID_DATA;
    }
    ::RegCloseKey(key);
    return result == ERROR_SUCCESS;
}

UINT CUXSettingsStore::GetProfileInt(LPCSTR section, LPCSTR entry, int defaultValue)
{
    if (IsIniMode())
        return ::GetPrivateProfileIntA(section, entry, defaultValue, m_strIniFile);
    std::vector<BYTE> bytes;
    DWORD value = 0;
    if (!ReadValue(section, entry, REG_DWORD, bytes) || bytes.size() != sizeof(value))
        return static_cast<UINT>(defaultValue);
    std::memcpy(&value, bytes.data(), sizeof(value));
    return value;
}

CString CUXSettingsStore::GetProfileString(LPCSTR section, LPCSTR entry, LPCSTR defaultValue)
{
    if (IsIniMode())
    {
        CString text;
        DWORD got = ::GetPrivateProfileStringA(section, entry, defaultValue ? defaultValue : "",
                                               text.GetBuffer(kIniBuffer), kIniBuffer, m_strIniFile);
        text.ReleaseBuffer(static_cast<int>(got));
        return text;
    }
    std::vector<BYTE> bytes;
    if (!ReadValue(section, entry, REG_SZ, bytes))
        return CString(defaultValue);
    bytes.push_back(0);
    return CString(reinterpret_cast<const char*>(bytes.data()));
}

BOOL CUXSettingsStore::GetProfileBinary(LPCSTR section, LPCSTR entry, std::vector<BYTE>& bytes)
{
    bytes.clear();
    if (IsIniMode())
    {
        CString text = GetProfileString(section, entry);
        // A trailing odd letter carries no whole byte.
        for (int i = 0; i + 1 < text.GetLength(); i += 2)
            bytes.push_back(static_cast<BYTE>((text[i] - 'A') + 16 * (text[i + 1] - 'A')));
    }
    else if (!ReadValue(section, entry, REG_BINARY, bytes))
    {
        bytes.clear();
        return FALSE;
    }
    return !bytes.empty();
}

BOOL CUXSettingsStore::HasProfileValue(LPCSTR section, LPCSTR entry)
{
    if (entry == nullptr)
        return FALSE;
    if (IsIniMode())
    {
        // No stored text can equal a line break: the default comes back only for a missing entry.
        char text[4] = {};
        ::GetPrivateProfileStringA(section, entry, "\n", text, sizeof(text), m_strIniFile);
        return text[0] != '\n';
    }
    HKEY key = GetSectionKey(section, FALSE);
    if (key == nullptr)
        return FALSE;
    LONG result = ::RegQueryValueExA(key, entry, nullptr, nullptr, nullptr, nullptr);
    ::RegCloseKey(key);
    return result == ERROR_SUCCESS;
}

BOOL CUXSettingsStore::DeleteProfileValue(LPCSTR section, LPCSTR entry)
{
    if (IsIniMode())
        return entry != nullptr && ::WritePrivateProfileStringA(section, entry, nullptr, m_strIniFile);
    if (section == nullptr || entry == nullptr)
        return FALSE;
    HKEY app = GetAppKey(FALSE);
    HKEY key = nullptr;
    if (app != nullptr && ::RegOpenKeyExA(app, section, 0, KEY_SET_VALUE, &key) != ERROR_SUCCESS)
        key = nullptr;
    if (app != nullptr)
        ::RegCloseKey(app);
    return Done(key, key ? ::RegDeleteValueA(key, entry) : ERROR_INVALID_HANDLE);
}
