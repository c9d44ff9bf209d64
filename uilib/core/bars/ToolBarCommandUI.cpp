// CUXToolBar: tips and the idle update of its buttons.
#include "uilib/core/bars/ToolBar.h"

#include "uilib/core/base/GlobalData.h"
#include "uilib/core/bars/ToolBarInternal.h"

#include <cstdlib>
#include <cstring>

using namespace ToolBarInternal;

namespace
{
const BYTE kWholeDropDown = 0x80;   // BTNS_WHOLEDROPDOWN
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

// ---- tips and updates ----------------------------------------------------------------------------------

namespace
{
UXShortcutTextProvider& ShortcutProvider()
{
    static UXShortcutTextProvider provider = nullptr;
    return provider;
}
}   // namespace

void CUXToolBar::SetShortcutTextProvider(UXShortcutTextProvider provider)
{
    ShortcutProvider() = provider;
}

INT_PTR CUXToolBar::OnToolHitTest(CPoint point, TOOLINFOA* pTI) const
{
    INT_PTR hit = CUXControlBar::OnToolHitTest(point, pTI);
    if (hit != -1)
        return hit;
    std::vector<TBBUTTON> buttons = ReadButtons();
    for (size_t i = 0; i < buttons.size(); ++i)
    {
        const TBBUTTON& button = buttons[i];
        if (IsSeparator(button) || IsHidden(button))
            continue;
        CRect rect;
        if (!SendMessage(TB_GETITEMRECT, i, reinterpret_cast<LPARAM>(&rect)) || !rect.PtInRect(point))
            continue;
        UINT id = static_cast<UINT>(button.idCommand);
        if (pTI == nullptr)
            return static_cast<INT_PTR>(id);
        if (pTI->cbSize < TTTOOLINFOA_V1_SIZE || !uxAfxData.m_bToolTips)
            return -1;
        // The tip is the second line of the command's string.
        CString full;
        full.LoadString(id);
        if (full.GetLength() > 256)
            full = full.Left(256);
        int newline = full.Find('\n');
        if (newline < 0)
            return -1;
        CString tip = full.Mid(newline + 1);
        int end = tip.Find('\n');
        if (end >= 0)
            tip = tip.Left(end);
        if (tip.IsEmpty())
            return -1;
        CString shortcut;
        if (uxAfxData.m_bShortcutsInTips && ShortcutProvider() != nullptr && ShortcutProvider()(id, shortcut))
            tip += " (" + shortcut + ")";
        pTI->hwnd = m_hWnd;
        pTI->uId = id;
        pTI->rect = rect;
        pTI->lpszText = static_cast<LPSTR>(std::malloc(static_cast<size_t>(tip.GetLength()) + 1));
        if (pTI->lpszText == nullptr)
            return -1;
        std::memcpy(pTI->lpszText, tip.GetString(), static_cast<size_t>(tip.GetLength()) + 1);
        return static_cast<INT_PTR>(id);
    }
    return -1;
}

void CUXToolBar::FindMissingImages()
{
    m_bImagesToFind = FALSE;
    for (int i = 0; i < GetCount(); ++i)
    {
        TBBUTTON button = GetButton(i);
        const CUXToolButtonData* data = GetButtonData(i);
        if (IsSeparator(button) || button.iBitmap >= 0 ||
            (data != nullptr && (data->m_nDropDown & kDropDownCommandPopup) != 0))
            continue;
        int image = CommandImage(static_cast<UINT>(button.idCommand));
        if (image < 0)
            continue;
        button.iBitmap = image;
        SetButton(i, button);
    }
}

void CUXToolBar::OnUpdateCmdUI(CFrameWnd* pTarget, BOOL bDisableIfNoHndler)
{
    if (m_bImagesToFind)
        FindMissingImages();
    CUXToolCmdUI state;
    state.m_pOther = this;
    state.m_nIndexMax = static_cast<UINT>(GetCount());
    for (state.m_nIndex = 0; state.m_nIndex < state.m_nIndexMax; ++state.m_nIndex)
    {
        TBBUTTON button = GetButton(static_cast<int>(state.m_nIndex));
        if (IsSeparator(button))
            continue;
        state.m_nID = static_cast<UINT>(button.idCommand);
        // The bar's own update handler first, then the frame's.
        if (CWnd::OnCmdMsg(state.m_nID, static_cast<int>(CN_UPDATE_COMMAND_UI), &state, nullptr))
            continue;
        state.DoUpdate(pTarget, bDisableIfNoHndler);
    }
    UpdateDialogControls(pTarget, bDisableIfNoHndler);
    UpdateExpandButton();
    // A bar that moved away from under the mouse (docked elsewhere, laid out anew) hears of no leaving: its
    // hot button goes back to rest.
    if (SendMessage(TB_GETHOTITEM) >= 0 && GetCapture() != this)
    {
        CPoint cursor;
        CRect window;
        ::GetCursorPos(&cursor);
        GetWindowRect(&window);
        if (!window.PtInRect(cursor))
            SendMessage(TB_SETHOTITEM, static_cast<WPARAM>(-1));
    }
}
