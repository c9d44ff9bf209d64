// CRecentFileList: the files opened last, newest first, kept in the application's profile (entries
// "File1", "File2", ... of one section) and shown in a menu in place of a placeholder item.
#pragma once

#include "framework/core/Core.h"

#include <vector>

class CCmdUI;

class CRecentFileList
{
public:
    // nStart: the command id of the first entry (the menu placeholder's id); nSize entries at most; names
    // longer than nMaxDispLen are shortened in the menu.
    CRecentFileList(UINT nStart, LPCSTR lpszSection, LPCSTR lpszEntryFormat, int nSize, int nMaxDispLen = 60);
    virtual ~CRecentFileList() = default;

    int GetSize() const { return m_nSize; }
    int GetCount() const { return static_cast<int>(m_arrNames.size()); }
    const CString& operator[](int nIndex) const;   // an empty name outside the list

    // Puts the file (made a full path) first; an entry naming the same file goes.
    virtual void Add(LPCSTR lpszPathName);
    virtual void Remove(int nIndex);
    virtual void ReadList();    // from the profile
    virtual void WriteList();   // to the profile: entries past the list are removed
    // The menu text of an entry: the name alone for a file in lpszCurDir, else the path, shortened to
    // nMaxDispLen as "C:\...\name"; '&' doubled. FALSE outside the list.
    virtual BOOL GetDisplayName(CString& strName, int nIndex, LPCSTR lpszCurDir, BOOL bAtLeastName = TRUE) const;
    // Replaces the placeholder item (or the entries put there before) with the entries, numbered "&1 ",
    // "&2 ", ...; an empty list shows the placeholder again, disabled.
    virtual void UpdateMenu(CCmdUI* pCmdUI);

    UINT m_nStart;
    CString m_strSectionName;
    CString m_strEntryFormat;
    CString m_strOriginal;   // the placeholder's text

protected:
    int m_nSize;
    int m_nMaxDisplayLength;
    std::vector<CString> m_arrNames;
};
