#include "uilib/core/bars/ToolBarParts.h"

#include "uilib/core/bars/CustomizeCenter.h"
#include "uilib/core/bars/ToolBar.h"

namespace
{
const BYTE kWholeDropDown = 0x80;   // BTNS_WHOLEDROPDOWN

void DestroyPair(const std::pair<HICON, HICON>& icons)
{
    if (icons.first != nullptr)
        ::DestroyIcon(icons.first);
    if (icons.second != nullptr && icons.second != icons.first)
        ::DestroyIcon(icons.second);
}
}   // namespace

// ---- CUXToolCmdUI --------------------------------------------------------------------------------------

CUXToolBar* CUXToolCmdUI::Bar() const
{
    return static_cast<CUXToolBar*>(m_pOther);
}

void CUXToolCmdUI::Enable(BOOL bOn)
{
    m_bEnableChanged = TRUE;
    CUXToolBar* bar = Bar();
    if (bar == nullptr || bar->m_hWnd == nullptr)
        return;
    int index = static_cast<int>(m_nIndex);
    TBBUTTON button = bar->GetButton(index);
    CUXCustomizeCenter& center = GetCustomizeCenter();
    BOOL force = FALSE;
    if (center.IsCustomizeMode() && bar->IsCustomizable())
    {
        bOn = TRUE;
    }
    else if (CUXToolButtonData* data = bar->GetButtonData(index))
    {
        if (data->m_nDropDown & CUXToolBar::kDropDownCommandPopup)
        {
            // Usable exactly when a provider has the popup's menu.
            bOn = center.FindCommandPopup(data->m_nPopupKey) != nullptr;
            force = TRUE;
        }
    }
    BYTE state = button.fsState;
    if (!bOn)
    {
        if (!(button.fsStyle & kWholeDropDown) || force)
            state = static_cast<BYTE>(state & ~(TBSTATE_ENABLED | TBSTATE_PRESSED));
    }
    else
    {
        state |= TBSTATE_ENABLED;
    }
    if (state == button.fsState)
        return;
    button.fsState = state;
    bar->SetButton(index, button);
}

void CUXToolCmdUI::SetCheck(int nCheck)
{
    CUXToolBar* bar = Bar();
    if (bar == nullptr || bar->m_hWnd == nullptr)
        return;
    int index = static_cast<int>(m_nIndex);
    TBBUTTON button = bar->GetButton(index);
    TBBUTTON changed = button;
    changed.fsStyle |= TBSTYLE_CHECK;
    changed.fsState = static_cast<BYTE>(changed.fsState & ~(TBSTATE_CHECKED | TBSTATE_INDETERMINATE));
    if (nCheck == 1)
        changed.fsState |= TBSTATE_CHECKED;
    else if (nCheck == 2)
        changed.fsState |= TBSTATE_INDETERMINATE;
    bar->SetButton(index, changed);
}

// ---- CUXCommandImageMap --------------------------------------------------------------------------------

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
