// The recent-file list: profile storage and the menu entries.
#include "framework/win/Framework.h"

CRecentFileList::CRecentFileList(UINT nStart, LPCSTR lpszSection, LPCSTR lpszEntryFormat, int nSize,
                                 int nMaxDispLen)
    : m_nStart(nStart), m_strSectionName(lpszSection), m_strEntryFormat(lpszEntryFormat),
      m_nSize(nSize < 0 ? 0 : nSize), m_nMaxDisplayLength(nMaxDispLen)
{
}

const CString& CRecentFileList::operator[](int nIndex) const
{
    static const CString none;
    return nIndex >= 0 && nIndex < GetCount() ? m_arrNames[static_cast<size_t>(nIndex)] : none;
}

void CRecentFileList::Add(LPCSTR lpszPathName)
{
    if (lpszPathName == nullptr || *lpszPathName == '\0' || m_nSize == 0)
        return;
    CString path = GetFullPath(lpszPathName);
    for (size_t i = 0; i < m_arrNames.size(); ++i)
    {
        if (m_arrNames[i].CompareNoCase(path) == 0)
        {
            m_arrNames.erase(m_arrNames.begin() + static_cast<std::ptrdiff_t>(i));
            break;
        }
    }
    m_arrNames.insert(m_arrNames.begin(), path);
    if (GetCount() > m_nSize)
        m_arrNames.resize(static_cast<size_t>(m_nSize));
}

void CRecentFileList::Remove(int nIndex)
{
    if (nIndex >= 0 && nIndex < GetCount())
        m_arrNames.erase(m_arrNames.begin() + nIndex);
}

void CRecentFileList::ReadList()
{
    CWinApp* app = AfxGetApp();
    m_arrNames.clear();
    if (app == nullptr)
        return;
    for (int i = 0; i < m_nSize; ++i)
    {
        CString entry;
        entry.Format(m_strEntryFormat, i + 1);
        CString name = app->GetProfileString(m_strSectionName, entry);
        if (!name.IsEmpty())
            m_arrNames.push_back(name);
    }
}

void CRecentFileList::WriteList()
{
    CWinApp* app = AfxGetApp();
    if (app == nullptr)
        return;
    for (int i = 0; i < m_nSize; ++i)
    {
        CString entry;
        entry.Format(m_strEntryFormat, i + 1);
        if (i < GetCount())
            app->WriteProfileString(m_strSectionName, entry, m_arrNames[static_cast<size_t>(i)]);
        else
            app->WriteProfileString(m_strSectionName, entry, nullptr);
    }
}

BOOL CRecentFileList::GetDisplayName(CString& strName, int nIndex, LPCSTR lpszCurDir, BOOL bAtLeastName) const
{
    if (nIndex < 0 || nIndex >= GetCount())
        return FALSE;
    const CString& path = m_arrNames[static_cast<size_t>(nIndex)];
    CString folder = Path::FolderOf(path);
    CString name = Path::FileNameOf(path);
    CString shown = path;
    if (lpszCurDir != nullptr && *lpszCurDir != '\0' && folder.CompareNoCase(lpszCurDir) == 0)
        shown = name;
    else if (m_nMaxDisplayLength > 0 && shown.GetLength() > m_nMaxDisplayLength)
    {
        // The first folder (the drive), then as much as fits of the end.
        int first = path.Find('\\', path.Left(2) == "\\\\" ? path.Find('\\', 2) + 1 : 0);
        CString head = first >= 0 ? path.Left(first + 1) : CString();
        CString tail = name;
        // Whole folders are added to the tail, nearest first, while they fit.
        for (CString above = folder; above.GetLength() > first && !above.IsEmpty();)
        {
            above = Path::FolderOf(above);
            if (above.GetLength() <= first)
                break;
            CString longer = path.Mid(above.GetLength() + 1);
            if (head.GetLength() + 4 + longer.GetLength() > m_nMaxDisplayLength)
                break;
            tail = longer;
        }
        shown = head + "...\\" + tail;
        if (shown.GetLength() > m_nMaxDisplayLength && bAtLeastName)
            shown = name;
    }
    shown.Replace("&", "&&");
    strName = shown;
    return TRUE;
}

void CRecentFileList::UpdateMenu(CCmdUI* pCmdUI)
{
    CMenu* pMenu = pCmdUI->m_pMenu;
    if (pMenu == nullptr)
        return;
    if (m_strOriginal.IsEmpty())
        pMenu->GetMenuString(pCmdUI->m_nIndex, m_strOriginal, MF_BYPOSITION);
    // What stood there before: the placeholder or earlier entries.
    for (int i = 0; i < m_nSize; ++i)
        pMenu->DeleteMenu(m_nStart + static_cast<UINT>(i), MF_BYCOMMAND);
    if (m_arrNames.empty())
    {
        pMenu->InsertMenu(pCmdUI->m_nIndex, MF_BYPOSITION | MF_STRING, m_nStart, m_strOriginal);
        pCmdUI->Enable(FALSE);
        pCmdUI->m_nIndexMax = pMenu->GetMenuItemCount();
        return;
    }
    const CString folder = GetCurrentFolder();
    for (int i = 0; i < GetCount(); ++i)
    {
        CString name;
        GetDisplayName(name, i, folder);
        CString text;
        if (i < 9)
            text.Format("&%d %s", i + 1, name.GetString());
        else if (i == 9)
            text.Format("1&0 %s", name.GetString());
        else
            text.Format("%d %s", i + 1, name.GetString());
        pMenu->InsertMenu(pCmdUI->m_nIndex + static_cast<UINT>(i), MF_BYPOSITION | MF_STRING,
                          m_nStart + static_cast<UINT>(i), text);
    }
    // The update goes on after the last entry.
    pCmdUI->m_nIndex += static_cast<UINT>(GetCount() - 1);
    pCmdUI->m_nIndexMax = pMenu->GetMenuItemCount();
    pCmdUI->m_bEnableChanged = TRUE;
}
