// The colour pop-up: which cell is marked at the start, the keyboard's way through the cells (never to a cell
// that does not exist), the mouse, and the notifications each ending sends; "More Colors..." through the
// colour dialog and the eight colours lately picked there.
#include "uilib/core/bars/ColorDialog.h"
#include "uilib/core/bars/ColorPopup.h"

#include "UilibTestSupport.h"
#include "support/win_DialogDriver.h"

#include <gtest/gtest.h>

namespace
{

const UINT kCommand = 4321;

// A window that records the pop-up's notifications.
class CColorListener : public CTestHost
{
public:
    struct Note
    {
        UINT message;
        COLORREF color;
        LPARAM command;
    };
    std::vector<Note> notes;

    // The messages in order.
    std::vector<UINT> Messages() const
    {
        std::vector<UINT> messages;
        for (const Note& n : notes)
            messages.push_back(n.message);
        return messages;
    }

protected:
    LRESULT WindowProc(UINT message, WPARAM wParam, LPARAM lParam) override
    {
        if (message >= UXM_COLOR_SAME && message <= UXM_COLOR_NO_FILL)
            notes.push_back({message, static_cast<COLORREF>(wParam), lParam});
        return CTestHost::WindowProc(message, wParam, lParam);
    }
};

// Opens a pop-up below a button-like rectangle of the listener.
CUXColorDropWnd* OpenPopup(CColorListener& listener, DWORD options, COLORREF current, COLORREF defaultColor)
{
    CRect button(0, 0, 23, 22);
    listener.ClientToScreen(&button);
    // The pointer stays off the pop-up, which takes the focus and with it a mouse move.
    ::SetCursorPos(::GetSystemMetrics(SM_CXSCREEN) - 1, ::GetSystemMetrics(SM_CYSCREEN) - 1);
    CUXColorDropWnd* popup = new CUXColorDropWnd(0, kCommand);
    EXPECT_TRUE(popup->Create(button, &listener, options, current, defaultColor));
    PumpPending();
    return popup;
}

void Key(CUXColorDropWnd* popup, UINT key)
{
    popup->SendMessage(WM_KEYDOWN, key, 0);
}

TEST(ColorPopup, AutomaticMarksOnlyTheTopButtonAndKeysChooseGray)
{
    CColorListener listener;
    CUXColorDropWnd* popup = OpenPopup(listener, 0, RGB(0, 0, 0), RGB(0, 0, 0));
    HWND hWnd = popup->m_hWnd;
    EXPECT_EQ(hWnd, ::GetCapture());
    ASSERT_EQ(17, popup->GetCellCount());   // the top button and 16 colours
    EXPECT_EQ(0, popup->GetCurrentCell());
    EXPECT_TRUE(popup->GetCell(0)->selected);
    for (int i = 1; i < popup->GetCellCount(); ++i)
        EXPECT_FALSE(popup->GetCell(i)->selected) << i;   // not Black's cell, though it has the colour
    EXPECT_STREQ("Automatic", popup->GetCell(0)->text.GetString());
    CRect window;
    popup->GetWindowRect(&window);
    EXPECT_EQ(158, window.Width());
    EXPECT_EQ(120 - 28, window.Height());

    Key(popup, VK_RIGHT);
    Key(popup, VK_RIGHT);
    EXPECT_EQ(2, popup->GetCurrentCell());
    Key(popup, VK_RETURN);
    PumpPending();
    EXPECT_FALSE(::IsWindow(hWnd));
    ASSERT_EQ((std::vector<UINT>{UXM_COLOR_OPENED, UXM_COLOR_CHOSEN, UXM_COLOR_CLOSED}), listener.Messages());
    EXPECT_EQ(RGB(128, 128, 128), listener.notes[1].color);
    EXPECT_EQ(static_cast<LPARAM>(kCommand), listener.notes[1].command);
}

TEST(ColorPopup, EscapeCancelsAndNoFillSendsNoColour)
{
    CColorListener listener;
    CUXColorDropWnd* popup = OpenPopup(listener, 0, RGB(255, 0, 0), RGB(0, 0, 0));
    EXPECT_EQ(11, popup->GetCurrentCell());   // Red's cell
    EXPECT_TRUE(popup->GetCell(11)->selected);
    Key(popup, VK_ESCAPE);
    PumpPending();
    ASSERT_EQ(3u, listener.notes.size());
    EXPECT_EQ(static_cast<UINT>(UXM_COLOR_CANCELLED), listener.notes[1].message);
    EXPECT_EQ(RGB(255, 0, 0), listener.notes[1].color);

    listener.notes.clear();
    popup = OpenPopup(listener, CUXColorDropWnd::kNoFill | CUXColorDropWnd::kFortyColors, RGB(1, 1, 1), 0);
    EXPECT_STREQ("No Fill", popup->GetCell(0)->text.GetString());
    EXPECT_EQ(41, popup->GetCellCount());
    EXPECT_EQ(-1, popup->GetCurrentCell());
    Key(popup, VK_RIGHT);   // from nothing to the top button
    Key(popup, VK_SPACE);
    PumpPending();
    ASSERT_EQ(3u, listener.notes.size());
    EXPECT_EQ(static_cast<UINT>(UXM_COLOR_NO_FILL), listener.notes[1].message);
    EXPECT_EQ(0xFFFFFFFFu, listener.notes[1].color);
}

TEST(ColorPopup, KeysNeverReachACellThatDoesNotExist)
{
    CUXColorDropWnd::GetRecentColors().clear();
    CUXColorDropWnd::AddRecentColor(RGB(1, 2, 3));
    CUXColorDropWnd::AddRecentColor(RGB(4, 5, 6));
    const DWORD variants[] = {0, CUXColorDropWnd::kFortyColors, CUXColorDropWnd::kMoreColors,
                              CUXColorDropWnd::kMoreColors | CUXColorDropWnd::kFortyColors};
    const UINT keys[] = {VK_LEFT, VK_RIGHT, VK_UP, VK_DOWN};
    for (DWORD options : variants)
    {
        CColorListener listener;
        CUXColorDropWnd* popup = OpenPopup(listener, options, RGB(9, 9, 9), RGB(0, 0, 0));
        int cells = popup->GetCellCount();
        EXPECT_EQ(cells - 1, popup->GetLastIndex()) << options;
        // From every cell, every arrow lands on a cell.
        for (int from = 0; from < cells; ++from)
            for (UINT key : keys)
            {
                popup->SelectCell(from);
                Key(popup, key);
                EXPECT_NE(nullptr, popup->GetCell(popup->GetCurrentCell()))
                    << options << " " << from << " " << key;
            }
        // Without "More Colors..." the last colour is the end: Left from the top button goes there, Right
        // from there to the top, and Enter chooses that colour, not a dialog.
        popup->SelectCell(0);
        Key(popup, VK_LEFT);
        EXPECT_EQ(popup->GetLastIndex(), popup->GetCurrentCell());
        Key(popup, VK_RIGHT);
        EXPECT_EQ(0, popup->GetCurrentCell());
        if ((options & CUXColorDropWnd::kMoreColors) == 0)
        {
            Key(popup, VK_LEFT);
            COLORREF last = popup->GetCell(popup->GetLastIndex())->color;
            EXPECT_EQ(options == 0 ? RGB(255, 0, 255) : RGB(255, 255, 255), last);   // Fuchsia, White
            Key(popup, VK_RETURN);
            PumpPending();
            ASSERT_EQ(3u, listener.notes.size());
            EXPECT_EQ(static_cast<UINT>(UXM_COLOR_CHOSEN), listener.notes[1].message);
            EXPECT_EQ(last, listener.notes[1].color) << options;
        }
        else
        {
            EXPECT_EQ(static_cast<DWORD>(CUXColorDropWnd::kMoreButton),
                      popup->GetCell(popup->GetLastIndex())->kind);
            EXPECT_EQ(RGB(4, 5, 6), popup->GetCell(popup->GetLastIndex() - 1)->color);
            popup->DestroyWindow();
        }
    }
    CUXColorDropWnd::GetRecentColors().clear();
}

TEST(ColorPopup, MouseHighlightsAndChoosesAndAClickOutsideCancels)
{
    CColorListener listener;
    CUXColorDropWnd* popup = OpenPopup(listener, 0, RGB(0, 0, 255), RGB(0, 0, 0));
    CPoint blue = popup->GetCell(15)->rect.CenterPoint();
    CPoint lime = popup->GetCell(13)->rect.CenterPoint();
    popup->SendMessage(WM_MOUSEMOVE, 0, MAKELPARAM(lime.x, lime.y));
    EXPECT_EQ(13, popup->GetCurrentCell());
    popup->SendMessage(WM_MOUSEMOVE, 0, MAKELPARAM(500, 5));   // outside: no cell highlighted
    EXPECT_EQ(-1, popup->GetCurrentCell());
    popup->SendMessage(WM_LBUTTONDOWN, MK_LBUTTON, MAKELPARAM(blue.x, blue.y));
    EXPECT_EQ(15, popup->GetCurrentCell());
    popup->SendMessage(WM_LBUTTONUP, 0, MAKELPARAM(blue.x, blue.y));
    PumpPending();
    ASSERT_EQ(3u, listener.notes.size());
    EXPECT_EQ(static_cast<UINT>(UXM_COLOR_SAME), listener.notes[1].message);   // it was blue already
    EXPECT_EQ(RGB(0, 0, 255), listener.notes[1].color);

    listener.notes.clear();
    popup = OpenPopup(listener, 0, RGB(0, 0, 255), RGB(0, 0, 0));
    popup->SendMessage(WM_LBUTTONDOWN, MK_LBUTTON, MAKELPARAM(-20, -20));
    PumpPending();
    EXPECT_EQ((std::vector<UINT>{UXM_COLOR_OPENED, UXM_COLOR_CANCELLED, UXM_COLOR_CLOSED}), listener.Messages());
}

TEST(ColorPopup, MoreColorsOpensTheDialogAndKeepsTheLastEightColours)
{
    CUXColorDropWnd::GetRecentColors().clear();
    for (int i = 0; i < 8; ++i)
        CUXColorDropWnd::AddRecentColor(RGB(i, 0, 0));
    CColorListener listener;
    CUXColorDropWnd* popup = OpenPopup(listener, CUXColorDropWnd::kMoreColors, RGB(0, 128, 0), RGB(0, 0, 0));
    CRect window;
    popup->GetWindowRect(&window);
    EXPECT_EQ(120 + 26, window.Height());
    ASSERT_EQ(1 + 16 + 8 + 1, popup->GetCellCount());
    CUXColorDropWnd::Cell* more = popup->GetCell(popup->GetLastIndex());
    EXPECT_STREQ("More Colors...", more->text.GetString());

    // The dialog opens on the current colour; a cell of its honeycomb is taken with OK.
    CDialogDriver driver({[&](HWND hDlg)
                          {
                              CUXColorDialog* dialog =
                                  dynamic_cast<CUXColorDialog*>(CWnd::FromHandlePermanent(hDlg));
                              ASSERT_NE(nullptr, dialog);
                              EXPECT_EQ(RGB(0, 128, 0), dialog->GetCurrentColor());
                              EXPECT_TRUE(popup->IsDialogRunning());
                              dialog->m_pageStandard.m_honeycomb.SelectCell(117);   // FF0000
                              dialog->PressButton(PSBTN_OK);
                          }});
    popup->SelectCell(popup->GetLastIndex());
    Key(popup, VK_RETURN);
    PumpPending();
    EXPECT_EQ(1u, driver.StepsRun());
    ASSERT_EQ(3u, listener.notes.size());
    EXPECT_EQ(static_cast<UINT>(UXM_COLOR_CHOSEN), listener.notes[1].message);
    EXPECT_EQ(RGB(255, 0, 0), listener.notes[1].color);
    std::vector<COLORREF>& recent = CUXColorDropWnd::GetRecentColors();
    ASSERT_EQ(8u, recent.size());   // the oldest went
    EXPECT_EQ(RGB(1, 0, 0), recent.front());
    EXPECT_EQ(RGB(255, 0, 0), recent.back());
    recent.clear();
}

}   // namespace
