#include "uilib/core/bars/CommandImageMap.h"

namespace
{
void DestroyPair(const std::pair<HICON, HICON>& icons)
{
    if (icons.first != nullptr)
        ::DestroyIcon(icons.first);
    if (icons.second != nullptr && icons.second != icons.first)
        ::DestroyIcon(icons.second);
}
}   // namespace

void CUXCommandImageMap::SetAt(UINT nID, HICON icon, HICON hotIcon)
{
    auto found = m_icons.find(nID);
    if (found != m_icons.end())
        DestroyPair(found->second);
    m_icons[nID] = std::make_pair(icon, hotIcon);
}

BOOL CUXCommandImageMap::Lookup(UINT nID, HICON& icon, HICON& hotIcon) const
{
    auto found = m_icons.find(nID);
    if (found == m_icons.end())
        return FALSE;
    icon = found->second.first;
    hotIcon = found->second.second;
    return TRUE;
}

void CUXCommandImageMap::RemoveAll()
{
    for (const auto& entry : m_icons)
        DestroyPair(entry.second);
    m_icons.clear();
}
