// Pieces the tool bar relies on: its command-UI object for idle updates, and the map of command images
// (a normal and a hot icon per command) that tool bars and customization hand around.
#pragma once

#include "framework/win/Framework.h"

#include <map>
#include <utility>

class CUXToolBar;

// Enables, disables and checks the buttons of a CUXToolBar (m_pOther) during idle updates.
class CUXToolCmdUI : public CCmdUI
{
public:
    void Enable(BOOL bOn = TRUE) override;
    void SetCheck(int nCheck = 1) override;
    // Buttons show no text of their own here.
    void SetText(LPCSTR) override {}

private:
    CUXToolBar* Bar() const;
};

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
