// What the tool bar's own files share; nothing outside the bar includes it.
#pragma once

#include "uilib/core/bars/ToolBar.h"

#include <utility>
#include <vector>

namespace ToolBarInternal
{
inline BOOL IsHidden(const TBBUTTON& button)
{
    return (button.fsState & TBSTATE_HIDDEN) != 0;
}
// A separator whose id names a control window it stands for.
inline BOOL IsPlaceholder(const TBBUTTON& button)
{
    return CUXToolBar::IsSeparator(button) && button.idCommand != 0;
}

// One stored button.
struct StoredButton
{
    TBBUTTON button = {};
    BOOL hasData = FALSE;
    CUXToolButtonData data;
};

// A layout read completely before anything of it is used.
struct StoredLayout
{
    BOOL listStyle = FALSE;
    std::vector<StoredButton> buttons;
    std::vector<std::pair<UINT, CString>> texts;

    // FALSE for another version or record size, and for a layout shorter than it says.
    BOOL Read(const BYTE* data, UINT size);
};

}   // namespace ToolBarInternal

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
