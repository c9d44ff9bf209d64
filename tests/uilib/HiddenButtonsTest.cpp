// The chevron of a bar too short for its buttons: it shows, its pop-up holds exactly the hidden buttons (the
// combo box borrowed from the bar), a button chosen there runs its command once the pop-up has gone, and the
// borrowed control goes back. A customizable bar's pop-up offers "Customize...".
#include "BarsTestSupport.h"

#include "support/win_Wait.h"
#include "uilib/core/bars/ExpButton.h"
#include "uilib/core/bars/ExpMenuWnd.h"

namespace
{

CUXExpMenuWnd* OpenChevron(CUXToolBar& bar)
{
    CUXExpButton* chevron = static_cast<CUXExpButton*>(bar.GetExpandButton());
    chevron->SendMessage(WM_LBUTTONDOWN, MK_LBUTTON, MAKELPARAM(2, 2));
    chevron->SendMessage(WM_LBUTTONUP, 0, MAKELPARAM(2, 2));
    return static_cast<CUXExpMenuWnd*>(chevron->GetPopup());
}

TEST_F(BarsTest, AShortBarShowsTheChevronWhosePopupHoldsTheHiddenButtonsAndRunsThem)
{
    CUXToolBar& bar = frame->m_bar2;   // Cut, separator, the combo box's place, Paste
    CWnd* chevron = bar.GetExpandButton();
    ASSERT_NE(nullptr, chevron);
    EXPECT_FALSE(chevron->IsWindowVisible());
    CRect cut;
    bar.GetItemRect(0, &cut);
    bar.FitToLength(10);   // no room: all but the first button go
    Pump();
    std::vector<int> hidden = bar.GetHiddenButtons();
    ASSERT_EQ((std::vector<int>{1, 2, 3}), hidden);
    EXPECT_TRUE(chevron->IsWindowVisible());
    EXPECT_FALSE(frame->m_combo.IsWindowVisible());

    CUXExpMenuWnd* popup = OpenChevron(bar);
    ASSERT_NE(nullptr, popup);
    HWND hPopup = popup->m_hWnd;
    EXPECT_TRUE(::IsWindowVisible(hPopup));
    CUXHiddenButtonsToolbar& shown = popup->GetHiddenBar();
    EXPECT_EQ((std::vector<UINT>{0, ID_T_COMBO, ID_T_PASTE}), BarIds(shown));
    EXPECT_EQ(shown.m_hWnd, ::GetParent(frame->m_combo.m_hWnd));   // borrowed
    EXPECT_EQ(nullptr, popup->GetCustomizeBar().m_hWnd);           // the bar is not customizable
    CRect popupRect;
    popup->GetWindowRect(&popupRect);
    CRect chevronRect;
    chevron->GetWindowRect(&chevronRect);
    EXPECT_EQ(chevronRect.bottom - 1, popupRect.top);   // below the chevron, right-aligned to it
    EXPECT_EQ(chevronRect.right - 2, popupRect.right);

    // Paste, clicked in the pop-up: the pop-up goes first, then the frame runs the command.
    int paste = shown.CommandToIndex(ID_T_PASTE);
    CRect item;
    shown.GetItemRect(paste, &item);
    shown.ClientToScreen(&item);
    CPoint point = item.CenterPoint();
    SendMouseInput({{point, 0}, {point, MOUSEEVENTF_LEFTDOWN}, {point, MOUSEEVENTF_LEFTUP}});
    EXPECT_TRUE(PumpUntil([&] { return !frame->commands.empty(); }));
    Pump();
    EXPECT_EQ((std::vector<UINT>{ID_T_PASTE}), frame->commands);
    EXPECT_FALSE(::IsWindow(hPopup));
    EXPECT_FALSE(static_cast<CUXExpButton*>(chevron)->IsPopupOpen());
    EXPECT_EQ(bar.m_hWnd, ::GetParent(frame->m_combo.m_hWnd));   // given back

    // Room again: every button shows, the chevron goes.
    bar.FitToLength(1000);
    Pump();
    EXPECT_TRUE(bar.GetHiddenButtons().empty());
    EXPECT_FALSE(chevron->IsWindowVisible());
    EXPECT_TRUE(frame->m_combo.IsWindowVisible());
}

TEST_F(BarsTest, AColourChosenInThePopupReachesTheFrameOnceAndClosesThePopup)
{
    CUXToolBar& bar = frame->m_bar1;
    bar.FitToLength(10);
    Pump();
    CUXExpMenuWnd* popup = OpenChevron(bar);
    ASSERT_NE(nullptr, popup);
    HWND hPopup = popup->m_hWnd;
    CUXHiddenButtonsToolbar& shown = popup->GetHiddenBar();
    int colour = shown.CommandToIndex(ID_T_COLOR);
    ASSERT_GE(colour, 0);
    NMTOOLBARA notify = {};
    notify.hdr.hwndFrom = shown.m_hWnd;
    notify.hdr.idFrom = AFX_IDW_TOOLBAR;
    notify.hdr.code = TBN_DROPDOWN;
    notify.iItem = ID_T_COLOR;
    shown.GetParent()->SendMessage(WM_NOTIFY, AFX_IDW_TOOLBAR, reinterpret_cast<LPARAM>(&notify));
    CWnd* colours = shown.GetColorPopup();
    ASSERT_NE(nullptr, colours);
    Key(colours->m_hWnd, VK_RIGHT);
    Key(colours->m_hWnd, VK_RIGHT);
    Key(colours->m_hWnd, VK_RETURN);
    Pump();
    int chosen = 0;
    for (const auto& note : frame->colorNotes)
        chosen += note.first == UXM_COLOR_CHOSEN ? 1 : 0;
    EXPECT_EQ(1, chosen);
    // The bar the button belongs to shows the colour; the pop-up of hidden buttons has closed.
    EXPECT_EQ(frame->colorNotes.front().second,
              static_cast<COLORREF>(bar.GetButtonData(bar.CommandToIndex(ID_T_COLOR))->m_clrStrip));
    EXPECT_FALSE(::IsWindow(hPopup));
}

TEST_F(BarsTest, ACustomizableBarsChevronOffersCustomizeEvenWithoutHiddenButtons)
{
    CUXToolBar& bar = frame->m_bar1;
    bar.SetCustomizable(TRUE);
    frame->RecalcLayout();
    Pump();
    CUXExpButton* chevron = static_cast<CUXExpButton*>(bar.GetExpandButton());
    EXPECT_TRUE(chevron->IsWindowVisible());
    CUXExpMenuWnd* popup = OpenChevron(bar);
    ASSERT_NE(nullptr, popup);
    HWND hPopup = popup->m_hWnd;
    EXPECT_EQ(0, popup->GetHiddenBar().GetCount());
    ASSERT_NE(nullptr, popup->GetCustomizeBar().m_hWnd);
    EXPECT_EQ((std::vector<UINT>{ID_UX_CUSTOMIZE}), BarIds(popup->GetCustomizeBar()));
    EXPECT_STREQ("Customize...", popup->GetCustomizeBar().GetButtonText(0).GetString());
    // Its command closes the pop-up and reaches the chevron (which asks the frame to customize).
    popup->SendMessage(WM_COMMAND, ID_UX_CUSTOMIZE, 0);
    Pump();
    EXPECT_FALSE(::IsWindow(hPopup));
    EXPECT_FALSE(chevron->IsPopupOpen());
    bar.SetCustomizable(FALSE);
}

}   // namespace
