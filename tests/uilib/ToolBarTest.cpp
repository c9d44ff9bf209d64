// The library's bars in a frame: tool bars loaded from their resources, their sizes, tips, embedded combo box,
// drop-downs and command updates; the bar menu of the frame's bars; the flat gripper; a bar whose creation
// fails half-way.
#include "BarsTestSupport.h"

#include "support/win_DibSurface.h"
#include "support/win_SystemInput.h"
#include "support/win_Wait.h"
#include "uilib/core/bars/ColorPopup.h"
#include "uilib/core/bars/CustomizeCenter.h"
#include "uilib/core/base/LibraryIds.h"
#include "uilib/core/bars/CommandImageMap.h"

#include <cstdlib>

namespace
{

CRect ItemRect(CUXToolBar& bar, UINT id)
{
    CRect rect;
    bar.GetItemRect(bar.CommandToIndex(id), &rect);
    return rect;
}

// The tip the bar shows at the centre of a button ("" for none; "-" when the hit test finds nothing).
std::string TipAt(const CUXToolBar& bar, const CRect& item, INT_PTR* hit = nullptr)
{
    TOOLINFOA info = {};
    info.cbSize = sizeof(info);
    INT_PTR result = bar.OnToolHitTest(item.CenterPoint(), &info);
    if (hit != nullptr)
        *hit = result;
    if (result == -1)
        return "-";
    std::string text = info.lpszText != nullptr && info.lpszText != LPSTR_TEXTCALLBACKA ? info.lpszText : "";
    if (info.lpszText != LPSTR_TEXTCALLBACKA)
        std::free(info.lpszText);
    return text;
}

// A click of the left button at a point of the screen, through the input queue.
void ClickAt(CPoint point)
{
    SendMouseInput({{point, 0}, {point, MOUSEEVENTF_LEFTDOWN}, {point, MOUSEEVENTF_LEFTUP}});
}

TEST_F(BarsTest, AToolBarFromItsResourceHasButtonsOfImagePlusSevenAndFlatSeparators)
{
    CUXToolBar& bar = frame->m_bar1;
    ASSERT_EQ(5, bar.GetCount());
    EXPECT_EQ(CSize(16, 15), bar.GetImageSize());
    EXPECT_EQ(CSize(23, 22), bar.GetButtonSize());
    EXPECT_EQ(CSize(23, 22), ItemRect(bar, ID_T_NEW).Size());
    EXPECT_EQ(CSize(6, 22), bar.GetItemSize(2));   // the separator of a flat bar
    TBBUTTON separator = bar.GetButton(2);
    EXPECT_TRUE(separator.fsStyle & TBSTYLE_SEP);
    EXPECT_EQ(6, separator.iBitmap);
    EXPECT_EQ(2, bar.GetButton(3).iBitmap);   // Save has the third image: separators take none

    // Laid out in one row: the frame gives the bar the row's width, and its height down to the buttons' bottom
    // (the control may start the row a little down) plus its bottom border: no button is cut.
    CRect last = ItemRect(bar, ID_T_COLOR);
    CRect window;
    bar.GetWindowRect(&window);
    EXPECT_EQ(22, last.Height());
    EXPECT_EQ(CSize(last.right, last.bottom + 2), bar.CalcFixedLayout(FALSE, TRUE));
    EXPECT_EQ(last.bottom + 2, window.Height());

    // A resource shorter than its count, and a missing one, load nothing.
    EXPECT_FALSE(bar.LoadToolBar(IDR_TEST_SHORT));
    EXPECT_FALSE(bar.LoadToolBar(999));
    EXPECT_EQ(5, bar.GetCount());

    // A bar without buttons is 22 by 22 inside its insets (the default margins 6 and 3).
    CUXToolBar empty;
    ASSERT_TRUE(empty.Create(frame, WS_CHILD | CBRS_ALIGN_TOP, 0xE810));
    EXPECT_EQ(CSize(22 + 12, 22 + 6), empty.CalcFixedLayout(FALSE, TRUE));
    // A non-flat bar gets 8-pixel separators.
    CUXToolBar plain;
    ASSERT_TRUE(plain.CreateEx(frame, 0, WS_CHILD | CBRS_ALIGN_TOP, CRect(0, 0, 0, 0), 0xE811));
    ASSERT_TRUE(plain.LoadToolBar(IDR_TEST_BAR1));
    EXPECT_EQ(8, plain.GetButton(2).iBitmap);
}

TEST_F(BarsTest, TipsAreTheSecondLineOfTheCommandsString)
{
    CUXToolBar& bar = frame->m_bar1;
    INT_PTR hit = 0;
    EXPECT_EQ("Save", TipAt(bar, ItemRect(bar, ID_T_SAVE), &hit));
    EXPECT_EQ(ID_T_SAVE, hit);
    EXPECT_EQ("New", TipAt(bar, ItemRect(bar, ID_T_NEW)));   // up to the next line
    EXPECT_EQ("-", TipAt(bar, ItemRect(bar, ID_T_OPEN)));    // no newline: no tip
    EXPECT_EQ("-", TipAt(bar, ItemRect(bar, ID_T_COLOR)));   // no string at all
    EXPECT_EQ("-", TipAt(bar, CRect(ItemRect(bar, ID_T_OPEN).right, 2, ItemRect(bar, ID_T_SAVE).left, 10)));
    uxAfxData.m_bToolTips = FALSE;
    EXPECT_EQ("-", TipAt(bar, ItemRect(bar, ID_T_SAVE)));
    uxAfxData.m_bToolTips = TRUE;

    // Over the combo box the control's own tip is asked for.
    CRect combo;
    frame->m_combo.GetWindowRect(&combo);
    frame->m_bar2.ScreenToClient(&combo);
    TOOLINFOA info = {};
    info.cbSize = sizeof(info);
    EXPECT_EQ(ID_T_COMBO, frame->m_bar2.OnToolHitTest(combo.CenterPoint(), &info));
    EXPECT_EQ(LPSTR_TEXTCALLBACKA, info.lpszText);
}

TEST_F(BarsTest, TheComboBoxSitsOverItsPlaceholder)
{
    CUXToolBar& bar = frame->m_bar2;
    CRect place = ItemRect(bar, ID_T_COMBO);
    CRect combo;
    frame->m_combo.GetWindowRect(&combo);
    bar.ScreenToClient(&combo);
    EXPECT_EQ(combo.Width(), place.Width());
    EXPECT_EQ(place.left, combo.left);
    EXPECT_TRUE(frame->m_combo.IsWindowVisible());
    // Paste comes after it.
    EXPECT_EQ(place.right, ItemRect(bar, ID_T_PASTE).left);

    // Hidden with its button and shown again over it.
    int index = bar.CommandToIndex(ID_T_COMBO);
    TBBUTTON button = bar.GetButton(index);
    button.fsState |= TBSTATE_HIDDEN;
    bar.SetButton(index, button);
    EXPECT_FALSE(frame->m_combo.IsWindowVisible());
    button.fsState &= ~TBSTATE_HIDDEN;
    bar.SetButton(index, button);
    EXPECT_TRUE(frame->m_combo.IsWindowVisible());
}

TEST_F(BarsTest, TheDropDownButtonTracksItsMenuAndTheChosenCommandReachesTheFrame)
{
    CUXToolBar& bar = frame->m_bar1;
    std::vector<UINT> shown;
    BOOL ownerDrawn = TRUE;
    frame->menuSteps.push_back(
        [&](HWND menu)
        {
            HMENU hMenu = MenuOf(menu);
            shown = Ids(hMenu);
            for (int i = 0; i < ::GetMenuItemCount(hMenu); ++i)
                ownerDrawn =
                    ownerDrawn && (::GetMenuState(hMenu, static_cast<UINT>(i), MF_BYPOSITION) & MF_OWNERDRAW);
            EXPECT_EQ(bar.CommandToIndex(ID_T_OPEN), bar.GetOpenDropDown());
            Key(menu, VK_DOWN);
            Key(menu, VK_DOWN);
            Key(menu, VK_RETURN);
            return TRUE;
        });
    // The arrow part of the Open button, clicked through the input queue.
    CRect open = ItemRect(bar, ID_T_OPEN);
    bar.ClientToScreen(&open);
    ClickAt(CPoint(open.right - 3, open.top + open.Height() / 2));
    for (int i = 0; i < 50 && frame->commands.empty(); ++i)
    {
        ::MsgWaitForMultipleObjects(0, nullptr, FALSE, 100, QS_ALLINPUT);
        Pump();
    }
    EXPECT_EQ((std::vector<UINT>{ID_T_DROP_FIRST, ID_T_DROP_SECOND}), shown);
    EXPECT_TRUE(ownerDrawn);
    EXPECT_EQ(std::vector<UINT>{ID_T_DROP_SECOND}, frame->commands);
    EXPECT_EQ(-1, bar.GetOpenDropDown());
}

TEST_F(BarsTest, DropDownsWithoutAMenuAskTheOwnerAndTheColourDropDownOpensItsPopup)
{
    CUXToolBar& bar = frame->m_bar1;
    auto dropDown = [&](UINT id)
    {
        NMTOOLBARA notify = {};
        notify.hdr.hwndFrom = bar.m_hWnd;
        notify.hdr.idFrom = IDW_TEST_BAR1;
        notify.hdr.code = TBN_DROPDOWN;
        notify.iItem = static_cast<int>(id);
        return frame->SendMessage(WM_NOTIFY, IDW_TEST_BAR1, reinterpret_cast<LPARAM>(&notify));
    };
    int colorIndex = bar.CommandToIndex(ID_T_COLOR);
    CUXToolButtonData* data = bar.GetButtonData(colorIndex);
    ASSERT_NE(nullptr, data);
    EXPECT_EQ(CUXToolBar::kDropDownColor, data->m_nDropDown);
    data->m_clrStrip = RGB(0, 0, 0);   // the current colour is the automatic one
    data->m_clrDefault = RGB(0, 0, 0);

    // In Automatic mode with the current colour the default, only the top button is marked; Right, Right,
    // Enter choose Gray, which reaches the bar's owner and becomes the button's strip.
    dropDown(ID_T_COLOR);
    EXPECT_EQ(colorIndex, bar.GetOpenDropDown());
    EXPECT_EQ(0, frame->dropDownAsks);
    CUXColorDropWnd* popup = static_cast<CUXColorDropWnd*>(bar.GetColorPopup());
    ASSERT_NE(nullptr, popup);
    EXPECT_EQ(0, popup->GetCurrentCell());
    EXPECT_FALSE(popup->GetCell(1)->selected);
    CRect button;
    bar.GetItemRect(colorIndex, &button);
    bar.ClientToScreen(&button);
    CRect window;
    popup->GetWindowRect(&window);
    EXPECT_EQ(CPoint(button.left, button.bottom), window.TopLeft());
    Key(popup->m_hWnd, VK_RIGHT);
    Key(popup->m_hWnd, VK_RIGHT);
    Key(popup->m_hWnd, VK_RETURN);
    Pump();
    EXPECT_EQ(nullptr, bar.GetColorPopup());
    EXPECT_EQ(-1, bar.GetOpenDropDown());
    std::vector<std::pair<UINT, COLORREF>> chosen = {{UXM_COLOR_CHOSEN, RGB(128, 128, 128)},
                                                     {UXM_COLOR_CLOSED, RGB(0, 0, 0)}};
    EXPECT_EQ(chosen, frame->colorNotes);
    EXPECT_EQ(RGB(128, 128, 128), data->m_clrStrip);

    // Escape cancels, and the owner hears of it too.
    frame->colorNotes.clear();
    dropDown(ID_T_COLOR);
    ASSERT_NE(nullptr, bar.GetColorPopup());
    Key(bar.GetColorPopup()->m_hWnd, VK_ESCAPE);
    Pump();
    std::vector<std::pair<UINT, COLORREF>> cancelled = {{UXM_COLOR_CANCELLED, RGB(128, 128, 128)},
                                                        {UXM_COLOR_CLOSED, RGB(128, 128, 128)}};
    EXPECT_EQ(cancelled, frame->colorNotes);

    ASSERT_TRUE(bar.SetButtonData(ID_T_SAVE, 0));
    EXPECT_TRUE(bar.GetButton(bar.CommandToIndex(ID_T_SAVE)).fsStyle & TBSTYLE_DROPDOWN);
    dropDown(ID_T_SAVE);
    EXPECT_EQ(1, frame->dropDownAsks);
    EXPECT_EQ(-1, bar.GetOpenDropDown());
    EXPECT_FALSE(bar.SetButtonData(4711, 0));   // no such button
}

TEST_F(BarsTest, ADropDownPressedWithTheMouseHoldsItAndTheColourPopupTakesTheKeyboard)
{
    CUXToolBar& bar = frame->m_bar1;
    frame->SetForegroundWindow();
    Pump();
    auto arrowOf = [&](UINT id)
    {
        CRect rect;
        bar.GetItemRect(bar.CommandToIndex(id), &rect);
        bar.ClientToScreen(&rect);
        return CPoint(rect.right - 4, rect.CenterPoint().y);
    };

    // A drop-down that the owner leaves alone stays pressed with the mouse held, until it is released.
    ASSERT_TRUE(bar.SetButtonData(ID_T_SAVE, 0));
    CPoint save = arrowOf(ID_T_SAVE);
    SendMouseInput({{save, 0}, {save, MOUSEEVENTF_LEFTDOWN}});
    EXPECT_TRUE(PumpUntil([&] { return frame->dropDownAsks == 1; }));
    EXPECT_EQ(&bar, CWnd::GetCapture());
    CPoint away(save.x + 300, save.y + 200);
    SendMouseInput({{away, 0}, {away, MOUSEEVENTF_LEFTUP}});
    EXPECT_TRUE(PumpUntil([&] { return CWnd::GetCapture() == nullptr; }));
    EXPECT_TRUE(frame->commands.empty());   // released elsewhere: nothing runs

    // The colour pop-up opened by the mouse answers the keys: Right, Right, Enter choose Gray.
    CUXToolButtonData* data = bar.GetButtonData(bar.CommandToIndex(ID_T_COLOR));
    ASSERT_NE(nullptr, data);
    data->m_clrStrip = RGB(0, 0, 0);
    data->m_clrDefault = RGB(0, 0, 0);
    CPoint colour = arrowOf(ID_T_COLOR);
    SendMouseInput({{colour, 0}, {colour, MOUSEEVENTF_LEFTDOWN}, {colour, MOUSEEVENTF_LEFTUP}});
    ASSERT_TRUE(PumpUntil([&] { return bar.GetColorPopup() != nullptr; }));
    Pump();
    for (WORD key : {VK_RIGHT, VK_RIGHT, VK_RETURN})
    {
        VxInput::Key(key, true);
        VxInput::Key(key, false);
    }
    EXPECT_TRUE(PumpUntil([&] { return bar.GetColorPopup() == nullptr; }));
    EXPECT_EQ(RGB(128, 128, 128), data->m_clrStrip);
    ASSERT_FALSE(frame->colorNotes.empty());
    EXPECT_EQ(static_cast<UINT>(UXM_COLOR_CHOSEN), frame->colorNotes.front().first);
}

TEST_F(BarsTest, IdleUpdatesEnableAndCheckTheButtons)
{
    CUXToolBar& bar = frame->m_bar1;
    frame->disableSave = TRUE;
    frame->checkNew = TRUE;
    bar.SendMessage(WM_IDLEUPDATECMDUI, TRUE);
    EXPECT_FALSE(bar.GetButton(bar.CommandToIndex(ID_T_SAVE)).fsState & TBSTATE_ENABLED);
    TBBUTTON newButton = bar.GetButton(bar.CommandToIndex(ID_T_NEW));
    EXPECT_TRUE(newButton.fsState & TBSTATE_CHECKED);
    EXPECT_TRUE(newButton.fsStyle & TBSTYLE_CHECK);
    EXPECT_TRUE(bar.GetButton(bar.CommandToIndex(ID_T_OPEN)).fsState & TBSTATE_ENABLED);

    frame->disableSave = FALSE;
    frame->checkNew = FALSE;
    bar.SendMessage(WM_IDLEUPDATECMDUI, TRUE);
    EXPECT_TRUE(bar.GetButton(bar.CommandToIndex(ID_T_SAVE)).fsState & TBSTATE_ENABLED);
    EXPECT_FALSE(bar.GetButton(bar.CommandToIndex(ID_T_NEW)).fsState & TBSTATE_CHECKED);

    // In customize mode every button of a customizable bar is usable; a plain bar follows its handlers.
    frame->disableSave = TRUE;
    GetCustomizeCenter().SetCustomizeMode(TRUE);
    bar.SendMessage(WM_IDLEUPDATECMDUI, TRUE);
    GetCustomizeCenter().SetCustomizeMode(FALSE);
    EXPECT_FALSE(bar.GetButton(bar.CommandToIndex(ID_T_SAVE)).fsState & TBSTATE_ENABLED);

    // A button left hot (the bar moved away under the mouse) is drawn at rest once the mouse is elsewhere;
    // under the mouse it stays hot.
    CRect open;
    bar.GetItemRect(bar.CommandToIndex(ID_T_OPEN), &open);
    bar.ClientToScreen(&open);
    for (BOOL over : {TRUE, FALSE})
    {
        CPoint cursor = over ? open.CenterPoint() : CPoint(open.right + 400, open.bottom + 300);
        ::SetCursorPos(cursor.x, cursor.y);
        bar.SendMessage(TB_SETHOTITEM, bar.CommandToIndex(ID_T_OPEN));
        bar.SendMessage(WM_IDLEUPDATECMDUI, TRUE);
        EXPECT_EQ(over ? bar.CommandToIndex(ID_T_OPEN) : -1, bar.SendMessage(TB_GETHOTITEM)) << over;
    }
}

TEST_F(BarsTest, TheBarMenuListsTheFramesBarsWithChecksAndHidesTheOneChosen)
{
    struct Entry
    {
        UINT id;
        std::string text;
        BOOL checked;
    };
    std::vector<Entry> entries;
    auto readMenu = [&](HWND menu)
    {
        entries.clear();
        HMENU hMenu = MenuOf(menu);
        for (int i = 0; i < ::GetMenuItemCount(hMenu); ++i)
        {
            MENUITEMINFOA info = {};
            info.cbSize = sizeof(info);
            info.fMask = MIIM_DATA | MIIM_ID | MIIM_STATE;
            ::GetMenuItemInfoA(hMenu, static_cast<UINT>(i), TRUE, &info);
            CUXMenuItemData* data = frame->m_coolMenu.FindItemData(info.dwItemData);
            entries.push_back(Entry{info.wID, data != nullptr ? data->m_strText.GetString() : "?",
                                    (info.fState & MFS_CHECKED) != 0});
        }
    };
    frame->menuSteps.push_back(
        [&](HWND menu)
        {
            readMenu(menu);
            Key(menu, VK_DOWN);
            Key(menu, VK_DOWN);
            Key(menu, VK_RETURN);
            return TRUE;
        });
    // A bar of the framework's with the status bar's id is listed last, under its fixed name.
    CControlBar* status = new CControlBar;
    status->m_bAutoDelete = TRUE;
    status->SetBarStyle(CBRS_BOTTOM);
    ASSERT_TRUE(
        status->Create(nullptr, "Line", WS_CHILD | WS_VISIBLE, CRect(0, 0, 0, 0), frame, AFX_IDW_STATUS_BAR));
    frame->m_bar1.PostMessage(WM_RBUTTONDOWN, MK_RBUTTON, MAKELPARAM(5, 5));
    Pump();
    ASSERT_EQ(3u, entries.size());
    EXPECT_EQ(AFX_IDW_STATUS_BAR, entries[2].id);
    EXPECT_EQ("Status Bar", entries[2].text);
    EXPECT_TRUE(entries[2].checked);
    EXPECT_EQ(IDW_TEST_BAR1, entries[0].id);
    EXPECT_EQ("Standard", entries[0].text);
    EXPECT_TRUE(entries[0].checked);
    EXPECT_EQ(IDW_TEST_BAR2, entries[1].id);
    EXPECT_EQ("Format", entries[1].text);
    EXPECT_TRUE(entries[1].checked);
    EXPECT_FALSE(frame->m_bar2.IsWindowVisible());   // its toggle command ran

    // A bar without a title is listed as "Toolbar"; the hidden bar is unchecked now.
    frame->m_bar1.SetWindowText("");
    frame->menuSteps.push_back(
        [&](HWND menu)
        {
            readMenu(menu);
            ::EndMenu();
            return TRUE;
        });
    frame->m_bar2.PostMessage(WM_RBUTTONDOWN, MK_RBUTTON, MAKELPARAM(5, 5));
    Pump();
    ASSERT_EQ(3u, entries.size());
    EXPECT_EQ("Toolbar", entries[0].text);
    EXPECT_FALSE(entries[1].checked);

    // With the bar menu off a right click shows nothing.
    frame->m_bar1.m_bContextMenu = FALSE;
    int calls = frame->menuIdleCalls;
    frame->m_bar1.PostMessage(WM_RBUTTONDOWN, MK_RBUTTON, MAKELPARAM(5, 5));
    Pump();
    EXPECT_EQ(calls, frame->menuIdleCalls);
}

COLORREF ScreenPixel(int x, int y)
{
    HDC screen = ::GetDC(nullptr);
    COLORREF c = ::GetPixel(screen, x, y);
    ::ReleaseDC(nullptr, screen);
    return c;
}

TEST_F(BarsTest, ABarShorterThanItsButtonsHidesThemFromTheEndBehindTheChevronAndShowsThemAgain)
{
    CUXToolBar& bar = frame->m_bar1;
    CWnd* chevron = bar.GetExpandButton();
    ASSERT_NE(nullptr, chevron);
    EXPECT_EQ(ID_UX_CUSTOMIZE, chevron->GetDlgCtrlID());
    EXPECT_FALSE(chevron->IsWindowVisible());   // nothing hidden, no customization
    int full = bar.CalcFixedLayout(FALSE, TRUE).cx;
    int colour = ItemRect(bar, ID_T_COLOR).Width();
    auto hidden = [&](UINT id) { return (bar.GetButton(bar.CommandToIndex(id)).fsState & TBSTATE_HIDDEN) != 0; };

    // Shorter by less than the last button and the chevron: the last two buttons go.
    CRect band(0, 0, full - colour, 24);
    bar.SendMessage(UXM_REBAR_NOTIFY, 0, reinterpret_cast<LPARAM>(&band));
    Pump();
    EXPECT_TRUE(bar.HasHiddenButtons());
    EXPECT_TRUE(hidden(ID_T_COLOR));
    EXPECT_TRUE(hidden(ID_T_SAVE));
    EXPECT_FALSE(hidden(ID_T_OPEN));
    int shortened = bar.CalcFixedLayout(FALSE, TRUE).cx;
    EXPECT_LE(shortened, band.Width());
    EXPECT_EQ(ItemRect(bar, ID_T_OPEN).right + 6 + CUXToolBar::kChevronLength, shortened);   // the separator stays

    // The chevron at the end, enabled, with the hidden-buttons glyph: two arrows, drawn where a bit is 0.
    bar.SendMessage(WM_IDLEUPDATECMDUI, TRUE);
    ASSERT_TRUE(chevron->IsWindowVisible());
    EXPECT_TRUE(chevron->IsWindowEnabled());
    CRect rect;
    chevron->GetWindowRect(&rect);
    EXPECT_EQ(12, rect.Width());
    chevron->RedrawWindow(nullptr, nullptr, RDW_INVALIDATE | RDW_UPDATENOW);
    CPoint glyph(rect.left + 2, rect.top + 2);
    EXPECT_EQ(uxAfxData.m_clrBtnText, ScreenPixel(glyph.x, glyph.y));   // row 0x33: 0 0 1 1 0 0 1 1
    EXPECT_NE(uxAfxData.m_clrBtnText, ScreenPixel(glyph.x + 2, glyph.y));
    EXPECT_EQ(uxAfxData.m_clrBtnText, ScreenPixel(glyph.x + 4, glyph.y));
    EXPECT_EQ(uxAfxData.m_clrBtnText, ScreenPixel(glyph.x + 2, glyph.y + 2));   // row 0xCC: 1 1 0 0 ...

    // A longer band shows them again in their order: first Save, then the colour button.
    band.right = full - 2;
    bar.SendMessage(UXM_REBAR_NOTIFY, 0, reinterpret_cast<LPARAM>(&band));
    EXPECT_FALSE(hidden(ID_T_SAVE));
    EXPECT_TRUE(hidden(ID_T_COLOR));
    band.right = full;
    bar.SendMessage(UXM_REBAR_NOTIFY, 0, reinterpret_cast<LPARAM>(&band));
    Pump();
    EXPECT_FALSE(bar.HasHiddenButtons());
    EXPECT_FALSE(hidden(ID_T_COLOR));
    EXPECT_FALSE(chevron->IsWindowVisible());
    EXPECT_EQ(full, bar.CalcFixedLayout(FALSE, TRUE).cx);
}

TEST_F(BarsTest, TheHiddenButtonsCopyIntoAnotherBarWithTheirImagesDataAndControls)
{
    // Bar 2 keeps only Cut: the combo box and Paste are hidden.
    CUXToolBar& bar = frame->m_bar2;
    CRect band(0, 0, ItemRect(bar, ID_T_CUT).right + 6 + CUXToolBar::kChevronLength + 2, 24);
    bar.SendMessage(UXM_REBAR_NOTIFY, 0, reinterpret_cast<LPARAM>(&band));
    ASSERT_TRUE(bar.HasHiddenButtons());
    bar.SetButtonText(bar.CommandToIndex(ID_T_PASTE), "Paste");

    CUXToolBar copy;
    ASSERT_TRUE(copy.CreateEx(frame, TBSTYLE_FLAT, WS_CHILD | CBRS_ALIGN_TOP, CRect(0, 0, 0, 0), 0xE813));
    bar.CopyHiddenButtons(&copy, 40);
    EXPECT_FALSE(copy.IsOriginal());
    ASSERT_EQ(2, copy.GetCount());
    EXPECT_EQ(ID_T_COMBO, copy.GetItemID(0));
    EXPECT_EQ(ID_T_PASTE, copy.GetItemID(1));
    EXPECT_EQ(2, copy.GetButton(1).iBitmap);   // Paste's own image of the bar's bitmap
    EXPECT_EQ("Paste", std::string(copy.GetButtonText(1)));
    EXPECT_EQ(copy.m_hWnd, ::GetParent(frame->m_combo.m_hWnd));
    EXPECT_FALSE(copy.GetButton(0).fsState & TBSTATE_WRAP);   // a row never ends after a control
    ASSERT_NE(nullptr, copy.GetBitmap());
    EXPECT_NE(bar.GetBitmap(), copy.GetBitmap());

    // The colour button keeps its extra record in the copy.
    CUXToolBar& first = frame->m_bar1;
    band.right = ItemRect(first, ID_T_OPEN).right + 6 + CUXToolBar::kChevronLength + 2;
    first.SendMessage(UXM_REBAR_NOTIFY, 0, reinterpret_cast<LPARAM>(&band));
    CUXToolBar copy1;
    ASSERT_TRUE(copy1.CreateEx(frame, TBSTYLE_FLAT, WS_CHILD | CBRS_ALIGN_TOP, CRect(0, 0, 0, 0), 0xE814));
    first.CopyHiddenButtons(&copy1, 40);
    ASSERT_EQ(2, copy1.GetCount());
    CUXToolButtonData* data = copy1.GetButtonData(1);
    ASSERT_NE(nullptr, data);
    EXPECT_EQ(CUXToolBar::kDropDownColor, data->m_nDropDown);
    EXPECT_NE(first.GetButtonData(first.CommandToIndex(ID_T_COLOR)), data);   // a copy of its own
    EXPECT_TRUE(copy1.GetButton(0).fsState & TBSTATE_WRAP);   // Save and the colour button need more than 40
    first.CopyHiddenButtons(&copy1, 200);
    ASSERT_EQ(2, copy1.GetCount());
    EXPECT_FALSE(copy1.GetButton(0).fsState & TBSTATE_WRAP);
}

TEST(ControlBarLook, TheFlatGripperDrawsALineForEveryTwoPixelsAboveEight)
{
    uxAfxData.m_bFlatLook = TRUE;
    CUXControlBar bar;
    bar.SetBarStyle(CBRS_ALIGN_TOP | CBRS_GRIPPER);
    COLORREF line = uxAfxData.m_clrShadowWindow;
    auto linesAt = [&](int height)
    {
        DibSurface surface(40, height, RGB(1, 2, 3));
        bar.DrawGripper(&surface.dc, CRect(0, 0, 40, height));
        int lines = 0;
        for (int y = 0; y < height; ++y)
            if (surface.At(1, y) == line && surface.At(4, y) == line && surface.At(5, y) == RGB(1, 2, 3))
                ++lines;
        return lines;
    };
    EXPECT_EQ(0, linesAt(9));
    EXPECT_EQ(1, linesAt(10));
    EXPECT_EQ(2, linesAt(12));
    uxAfxData.m_bFlatLook = FALSE;

    // Classic: one raised ridge; double: two.
    DibSurface surface(40, 30, RGB(1, 2, 3));
    bar.DrawGripper(&surface.dc, CRect(0, 0, 40, 30));
    EXPECT_EQ(uxAfxData.m_clrBtnHilite, surface.At(2, 10));
    EXPECT_EQ(uxAfxData.m_clrBtnShadow, surface.At(4, 10));
    EXPECT_EQ(RGB(1, 2, 3), surface.At(6, 10));
    bar.ModifyExtraBarStyle(0, CUXControlBar::kExtraDoubleGripper, FALSE);
    surface.Fill(RGB(1, 2, 3));
    bar.DrawGripper(&surface.dc, CRect(0, 0, 40, 30));
    EXPECT_EQ(uxAfxData.m_clrBtnHilite, surface.At(5, 10));
    EXPECT_EQ(uxAfxData.m_clrBtnShadow, surface.At(7, 10));
}

// A bar whose chevron cannot be made.
class CFailingBar : public CUXToolBar
{
protected:
    BOOL CreateExpandButton() override { return FALSE; }
};

TEST_F(BarsTest, ABarWhoseCreationFailsHalfWayIsGoneAgain)
{
    CFailingBar bar;
    int before = frame->m_listControlBars.GetCount();
    EXPECT_FALSE(bar.CreateEx(frame, TBSTYLE_FLAT, WS_CHILD | WS_VISIBLE | CBRS_TOP, CRect(0, 0, 0, 0), 0xE812));
    EXPECT_EQ(nullptr, bar.m_hWnd);
    EXPECT_EQ(nullptr, frame->GetDlgItem(0xE812));
    EXPECT_EQ(before, frame->m_listControlBars.GetCount());
    EXPECT_FALSE(GetCustomizeCenter().IsRegistered(&bar));
    // Without a parent nothing is made either.
    CUXToolBar orphan;
    EXPECT_FALSE(orphan.Create(nullptr));
}

TEST_F(BarsTest, BarsRegisterWithTheCustomizeCentreWhileTheyLive)
{
    CUXCustomizeCenter& center = GetCustomizeCenter();
    EXPECT_TRUE(center.IsRegistered(&frame->m_bar1));
    EXPECT_TRUE(center.IsRegistered(&frame->m_bar2));
    CUXCommandCategories bars;
    center.DescribeBars(bars);
    EXPECT_EQ(2u, bars.size());

    // The bars give the images of their commands.
    CUXCommandImageMap images;
    EXPECT_TRUE(center.FindCommandImages(ID_T_SAVE, images));
    HICON icon = nullptr, hot = nullptr;
    ASSERT_TRUE(images.Lookup(ID_T_SAVE, icon, hot));
    EXPECT_EQ(CSize(16, 15), GetIconSize(icon));
    EXPECT_FALSE(images.Lookup(ID_T_RARE1, icon, hot));

    frame->m_bar2.DestroyWindow();
    EXPECT_FALSE(center.IsRegistered(&frame->m_bar2));
    bars.clear();
    center.DescribeBars(bars);
    EXPECT_EQ(1u, bars.size());

    EXPECT_FALSE(center.IsCustomizableCommand(ID_FILE_MRU_FILE1 + 3));
    EXPECT_FALSE(center.IsCustomizableCommand(0xFF08));
    EXPECT_FALSE(center.IsCustomizableCommand(ID_UX_FULL_MENUS));
    EXPECT_TRUE(center.IsCustomizableCommand(ID_T_SAVE));
}

TEST(CommandImageMap, StoringIconsTwiceDestroysTheFirstPair)
{
    CUXCommandImageMap map;
    HICON first = MakeTestIcon(16, RGB(255, 0, 0));
    HICON firstHot = MakeTestIcon(16, RGB(0, 255, 0));
    map.SetAt(7, first, firstHot);
    map.SetAt(7, MakeTestIcon(16, RGB(0, 0, 255)), nullptr);
    ICONINFO info = {};
    EXPECT_FALSE(::GetIconInfo(first, &info));
    EXPECT_FALSE(::GetIconInfo(firstHot, &info));
    HICON icon = nullptr, hot = reinterpret_cast<HICON>(1);
    ASSERT_TRUE(map.Lookup(7, icon, hot));
    EXPECT_EQ(nullptr, hot);
    EXPECT_EQ(1, map.GetCount());
}

}   // namespace
