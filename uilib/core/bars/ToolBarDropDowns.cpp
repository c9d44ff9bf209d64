// CUXToolBar: drop-down menus and colour pop-ups of its buttons.
#include "uilib/core/bars/ToolBar.h"

#include "uilib/core/bars/ColorPopup.h"
#include "uilib/core/bars/CoolMenu.h"
#include "uilib/core/base/LibraryIds.h"

// ---- drop-downs ----------------------------------------------------------------------------------------

void CUXToolBar::OnDropDown(NMHDR* pNMHDR, LRESULT* pResult)
{
    *pResult = TBDDRET_DEFAULT;
    NMTOOLBARA* notify = reinterpret_cast<NMTOOLBARA*>(pNMHDR);
    int index = CommandToIndex(static_cast<UINT>(notify->iItem));
    if (index < 0)
        return;
    CRect rect;
    GetItemRect(index, &rect);
    CRect grown(rect);
    grown.InflateRect(4, 4);
    InvalidateRect(&grown);
    m_nOpenDropDown = index;
    CUXToolButtonData* data = GetButtonData(index);
    uint32_t dropDown = data != nullptr ? data->m_nDropDown : 0;
    CUXToolBarPainter* painter = GetToolBarLook()->GetToolBarPainter();
    if (dropDown != 0 && dropDown <= 0xFFFF)
    {
        ShowDropDownMenu(notify, dropDown, rect);
    }
    else if (dropDown & kDropDownCommandPopup)
    {
        HMENU popup = GetCustomizeCenter().FindCommandPopup(data->m_nPopupKey);
        if (popup != nullptr)
        {
            CRect screen(rect);
            ClientToScreen(&screen);
            CUXTrackMenu menu;
            menu.Attach(popup);
            menu.TrackPopupMenu(TPM_LEFTALIGN | TPM_LEFTBUTTON, screen.left, screen.bottom, GetOwner(), TRUE);
            menu.Detach();   // the provider's menu
        }
    }
    else if (dropDown & kDropDownColor)
    {
        if (m_pColorPopup != nullptr && m_pColorPopup->m_hWnd != nullptr)
            m_pColorPopup->DestroyWindow();   // it deletes itself
        m_pColorPopup = nullptr;
        CRect screen(rect);
        ClientToScreen(&screen);
        if (CreateColorPopup(data, CPoint(screen.left, screen.bottom), static_cast<UINT>(notify->iItem)))
            return;   // open until the popup says it closed
    }
    else
    {
        CWnd* pOwner = GetOwner();
        LRESULT taken =
            pOwner != nullptr ? pOwner->SendMessage(UXM_TOOLBAR_DROPDOWN, 0, reinterpret_cast<LPARAM>(notify)) : 0;
        if (taken != 0)
            return;
    }
    if (painter != nullptr)
    {
        CRect shadow = painter->GetDropShadowRect(rect);
        InvalidateRect(&shadow);
    }
    m_nOpenDropDown = -1;
    // Held down, the button stays pressed and keeps the mouse until it is released, wherever that is.
    if (::GetKeyState(VK_LBUTTON) < 0 && !IsSeparator(GetButton(index)))
    {
        SendMessage(TB_PRESSBUTTON, static_cast<WPARAM>(notify->iItem), TRUE);
        m_bPressedWithCapture = TRUE;
        SetCapture();
    }
    RedrawWindow(nullptr, nullptr, RDW_INVALIDATE | RDW_ALLCHILDREN);
}

void CUXToolBar::OnLButtonUp(UINT nFlags, CPoint point)
{
    if (!m_bPressedWithCapture)
    {
        CUXControlBar::OnLButtonUp(nFlags, point);
        return;
    }
    if (GetCapture() == this)
        ::ReleaseCapture();   // OnCaptureChanged lets the button go
}

void CUXToolBar::OnCaptureChanged(CWnd* pWnd)
{
    if (m_bPressedWithCapture)
    {
        m_bPressedWithCapture = FALSE;
        for (int i = 0; i < GetCount(); ++i)
            if (SendMessage(TB_ISBUTTONPRESSED, GetItemID(i)))
                SendMessage(TB_PRESSBUTTON, GetItemID(i), FALSE);
        RedrawWindow(nullptr, nullptr, RDW_INVALIDATE | RDW_ALLCHILDREN);
    }
    CUXControlBar::OnCaptureChanged(pWnd);
}

void CUXToolBar::ShowDropDownMenu(NMTOOLBARA*, UINT nIDMenu, const CRect& rcButton)
{
    CMenu loaded;
    if (!loaded.LoadMenu(nIDMenu))
        return;
    HMENU sub = ::GetSubMenu(loaded, 0);
    if (sub == nullptr)
        return;
    ::RemoveMenu(loaded, 0, MF_BYPOSITION);
    CUXTrackMenu menu;
    menu.Attach(sub);
    CRect screen(rcButton);
    ClientToScreen(&screen);
    // Below the button, or above it on a bar at the bottom; bars at the sides track as at the top.
    UINT side = IsDockedBottom() ? 0x8000 : IsDockedLeft() ? 0x1000 : IsDockedRight() ? 0x4000 : 0x2000;
    CUXCoolMenu::SetDropDownSide(side, screen);
    TPMPARAMS params = {sizeof(params), screen};
    BOOL bottom = side == 0x8000;
    menu.TrackPopupMenuEx(TPM_LEFTALIGN | TPM_LEFTBUTTON | TPM_VERTICAL | (bottom ? TPM_BOTTOMALIGN : 0),
                          screen.left, bottom ? screen.top : screen.bottom, GetOwner(), &params, TRUE);
}

BOOL CUXToolBar::CreateColorPopup(CUXToolButtonData* pData, CPoint, UINT nID)
{
    int index = CommandToIndex(nID);
    if (pData == nullptr || index < 0)
        return FALSE;
    CRect button;
    GetItemRect(index, &button);
    ClientToScreen(&button);
    auto popup = std::make_unique<CUXColorDropWnd>(0, nID);
    COLORREF current = pData->m_clrStrip;
    COLORREF defaultColor = pData->m_clrDefault != 0xFF000000 ? pData->m_clrDefault : RGB(0, 0, 0);
    m_pColorPopup = popup.get();
    m_nColorPopupID = static_cast<int>(nID);
    if (!popup->Create(button, this, pData->m_nDropDown & 0xFFFF, current, defaultColor))
    {
        m_pColorPopup = nullptr;
        m_nColorPopupID = -1;
        return FALSE;
    }
    popup.release();   // its window deletes it
    return TRUE;
}

LRESULT CUXToolBar::OnColorChosen(WPARAM wParam, LPARAM lParam)
{
    // wParam: the colour; lParam: the button's command.
    int index = CommandToIndex(static_cast<UINT>(lParam));
    if (CUXToolButtonData* data = GetButtonData(index))
    {
        data->m_clrStrip = static_cast<uint32_t>(wParam);
        Invalidate();
    }
    // In the pop-up of hidden buttons the bar the buttons belong to hears the choice as well and tells the
    // owner: the copy does not tell it twice.
    CWnd* pOwner = GetOwner();
    if (pOwner != nullptr && m_bOriginal)
        pOwner->SendMessage(UXM_COLOR_CHOSEN, wParam, lParam);
    return 0;
}

LRESULT CUXToolBar::OnColorForward(WPARAM wParam, LPARAM lParam)
{
    // The other endings of the pop-up reach the owner too: it learns of every choice, "No Fill" included.
    const MSG* msg = GetCurrentMessage();
    CWnd* pOwner = GetOwner();
    if (pOwner != nullptr && m_bOriginal)
        pOwner->SendMessage(msg->message, wParam, lParam);
    return 0;
}

LRESULT CUXToolBar::OnColorClosed(WPARAM wParam, LPARAM lParam)
{
    if (m_nColorPopupID >= 0)
        SendMessage(TB_PRESSBUTTON, static_cast<WPARAM>(m_nColorPopupID), FALSE);
    m_pColorPopup = nullptr;   // the pop-up is going and deletes itself
    m_nColorPopupID = -1;
    m_nOpenDropDown = -1;
    Invalidate();
    if (CWnd* pOwner = GetOwner())
        pOwner->SendMessage(UXM_COLOR_CLOSED, wParam, lParam);
    return 0;
}
