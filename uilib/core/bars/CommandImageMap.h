// CUXCommandImageMap: the icons of commands (a normal and a hot one each) that tool bars and customization
// hand around.
#pragma once

#include "framework/win/Framework.h"

#include <map>
#include <utility>

// Icons by command: a normal and a hot icon each, owned by the map.
class CUXCommandImageMap
{
public:
    CUXCommandImageMap() = default;
    ~CUXCommandImageMap() { RemoveAll(); }
    CUXCommandImageMap(const CUXCommandImageMap&) = delete;
    CUXCommandImageMap& operator=(const CUXCommandImageMap&) = delete;

    // Takes both icons; icons the command had before are destroyed.
    void SetAt(UINT nID, HICON icon, HICON hotIcon);
    BOOL Lookup(UINT nID, HICON& icon, HICON& hotIcon) const;
    void RemoveAll();
    int GetCount() const { return static_cast<int>(m_icons.size()); }

private:
    std::map<UINT, std::pair<HICON, HICON>> m_icons;
};
