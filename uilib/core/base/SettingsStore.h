// CUXSettingsStore: the one road by which the library keeps its state. Values live below
// <root>\Software\<registry key>\<profile name>\<section> of the current application, or, when the look data
// names an INI file, in that file. Users make one on the stack for one operation.
#pragma once

#include "framework/win/Framework.h"

#include <vector>

class CUXSettingsStore
{
public:
    explicit CUXSettingsStore(HKEY root = HKEY_CURRENT_USER);
    virtual ~CUXSettingsStore();
    CUXSettingsStore(const CUXSettingsStore&) = delete;
    CUXSettingsStore& operator=(const CUXSettingsStore&) = delete;

    // The application's key (the caller closes it), created when missing and opened for writing, or opened
    // for reading only (null when it does not exist). Null also without an application registry key.
    virtual HKEY GetAppKey(BOOL forWriting = TRUE);
    // The same for one section below it.
    virtual HKEY GetSectionKey(LPCSTR section, BOOL forWriting = TRUE);

    BOOL WriteProfileInt(LPCSTR section, LPCSTR entry, int value);
    BOOL WriteProfileBinary(LPCSTR section, LPCSTR entry, const BYTE* data, UINT count);
    // A null value removes the entry, a null entry the whole section.
    BOOL WriteProfileString(LPCSTR section, LPCSTR entry, LPCSTR value);
    UINT GetProfileInt(LPCSTR section, LPCSTR entry, int defaultValue);
    CString GetProfileString(LPCSTR section, LPCSTR entry, LPCSTR defaultValue = nullptr);
    // The value's bytes (empty on failure).
    BOOL GetProfileBinary(LPCSTR section, LPCSTR entry, std::vector<BYTE>& bytes);
    BOOL DeleteProfileValue(LPCSTR section, LPCSTR entry);
    // Whether the entry is stored at all, even as an empty value.
    BOOL HasProfileValue(LPCSTR section, LPCSTR entry);

    BOOL IsIniMode() const { return !m_strIniFile.IsEmpty(); }

private:
    // Registry mode needs an application with a registry key name; without one nothing is touched.
    BOOL CanUseRegistry() const;
    // Reads one value of the expected type into bytes; a text always ends in a terminator there.
    BOOL ReadValue(LPCSTR section, LPCSTR entry, DWORD expectedType, std::vector<BYTE>& bytes);

    HKEY m_hRoot;
    CString m_strIniFile;
    CWinApp* m_pApp;
};
