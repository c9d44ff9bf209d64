// The library's list boxes: the edit list box's caption bar and its four buttons, deleting, moving and editing
// items in place with their notifications; check boxes that toggle by a click in the box, a double click and
// Space, drawn from the library's images; the flat list's rows.
#include "uilib/core/dialogs/ListBoxes.h"

#include "UilibTestSupport.h"
#include "resources/uilib/UilibResources.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

namespace
{

CRect ChildRect(CWnd& parent, HWND child)
{
    CRect rect;
    ::GetWindowRect(child, &rect);
    parent.ScreenToClient(&rect);
    return rect;
}

std::vector<std::string> Items(CListBox& list)
{
    std::vector<std::string> items;
    for (int i = 0; i < list.GetCount(); ++i)
    {
        CString text;
        list.GetText(i, text);
        items.push_back(text.GetString());
    }
    return items;
}

// The list's notifications to the host, in order.
std::vector<UINT> Codes(const CTestHost& host, UINT listId)
{
    std::vector<UINT> codes;
    for (const CTestHost::Command& c : host.commands)
        if (c.id == listId && c.code >= UXN_ITEM_CHANGED && c.code <= UXN_ITEM_MOVED_DOWN)
            codes.push_back(c.code);
    return codes;
}

void PostKey(HWND hWnd, UINT message, WPARAM key)
{
    ::PostMessageA(hWnd, message, key, message == WM_KEYUP ? 0xC0000001 : 1);
}

class EditListBoxTest : public ::testing::Test
{
protected:
    CTestHost host;
    CUXEditListBox list;
    const UINT id = 40;

    void SetUp() override
    {
        host.SetForegroundWindow();
        ASSERT_TRUE(list.Create(WS_CHILD | WS_VISIBLE | WS_BORDER | WS_VSCROLL | LBS_NOTIFY | LBS_NOINTEGRALHEIGHT,
                                CRect(20, 20, 220, 220), &host, id));
        PumpPending();
        for (const char* text : {"one", "two", "three"})
            list.AddString(text);
        for (int i = 0; i < 3; ++i)
            list.SetItemData(i, 100 + i);
    }
};

TEST_F(EditListBoxTest, TheCaptionBarSitsAboveTheListWithItsFourButtonsAtTheRight)
{
    CUXEditGroup& bar = list.GetCaptionBar();
    ASSERT_NE(nullptr, bar.m_hWnd);
    EXPECT_EQ(IDC_UX_EDIT_GROUP, bar.GetDlgCtrlID());
    EXPECT_EQ(CRect(20, 20, 220, 42), ChildRect(host, bar.m_hWnd));
    EXPECT_EQ(CRect(20, 42, 220, 220), ChildRect(host, list.m_hWnd));
    CString caption;
    bar.GetWindowText(caption);
    EXPECT_STREQ(" Directories:", caption.GetString());
    EXPECT_EQ(reinterpret_cast<LRESULT>(uxAfxData.m_fontNormal.GetSafeHandle()), list.SendMessage(WM_GETFONT));
    EXPECT_EQ(::GetSystemMetrics(SM_CYMENU) - 2, list.GetItemHeight(0));

    // New, Delete, Move Up, Move Down from left to right, 22 pixels each, ending 1 pixel inside the bar.
    CRect client;
    bar.GetClientRect(&client);
    const UINT ids[4] = {IDC_UX_GROUP_NEW, IDC_UX_GROUP_DELETE, IDC_UX_GROUP_UP, IDC_UX_GROUP_DOWN};
    for (int i = 0; i < 4; ++i)
    {
        CUXButton& button = bar.GetButton(i);
        EXPECT_EQ(static_cast<int>(ids[i]), button.GetDlgCtrlID());
        CRect rect = ChildRect(bar, button.m_hWnd);
        EXPECT_EQ(client.right - 1 - 22 * (4 - i), rect.left) << i;
        EXPECT_EQ(22, rect.Width());
        EXPECT_EQ(client.top + 1, rect.top);
    }
    EXPECT_EQ(4, bar.GetToolTip().GetToolCount());
    CString tip;
    bar.GetToolTip().GetText(tip, &bar.GetButton(2));
    EXPECT_STREQ("Move Item Up (Alt+Up Arrow)", tip.GetString());

    // Disabled with the list, and moved with it.
    list.EnableWindow(FALSE);
    EXPECT_FALSE(bar.IsWindowEnabled());
    EXPECT_FALSE(bar.GetButton(0).IsWindowEnabled());
    list.EnableWindow(TRUE);
    list.SetWindowPos(nullptr, 30, 40, 250, 200, SWP_NOZORDER);
    EXPECT_EQ(CRect(30, 40, 280, 62), ChildRect(host, bar.m_hWnd));
    EXPECT_EQ(CRect(30, 62, 280, 240), ChildRect(host, list.m_hWnd));
}

TEST_F(EditListBoxTest, DeletingAndMovingKeepSelectionAndDataAndAlwaysNotify)
{
    // Deleting the last of three selects the new last; the owner hears before and after.
    list.SetCurSel(2);
    list.DeleteItem();
    EXPECT_EQ((std::vector<std::string>{"one", "two"}), Items(list));
    EXPECT_EQ(1, list.GetCurSel());
    EXPECT_EQ((std::vector<UINT>{UXN_ITEM_DELETING, UXN_ITEM_DELETED}), Codes(host, id));
    EXPECT_EQ(list.m_hWnd, host.commands.back().from);

    // Move Up on the first changes nothing and still notifies.
    host.commands.clear();
    list.SetCurSel(0);
    list.MoveItemUp();
    EXPECT_EQ((std::vector<std::string>{"one", "two"}), Items(list));
    EXPECT_EQ(0, list.GetCurSel());
    EXPECT_EQ((std::vector<UINT>{UXN_ITEM_MOVED_UP}), Codes(host, id));

    // Move Down through the caption bar's button: the item and its data go down together.
    host.commands.clear();
    list.GetCaptionBar().GetButton(3).SendMessage(BM_CLICK);
    EXPECT_EQ((std::vector<std::string>{"two", "one"}), Items(list));
    EXPECT_EQ(1, list.GetCurSel());
    EXPECT_EQ(100u, list.GetItemData(1));
    EXPECT_EQ(101u, list.GetItemData(0));
    EXPECT_EQ((std::vector<UINT>{UXN_ITEM_MOVED_DOWN}), Codes(host, id));

    // Keys: Alt+Up moves it back, the key-up of Delete deletes it.
    host.commands.clear();
    list.SetFocus();
    PostKey(list.m_hWnd, WM_SYSKEYDOWN, VK_UP);
    PumpPending();
    EXPECT_EQ((std::vector<std::string>{"one", "two"}), Items(list));
    PostKey(list.m_hWnd, WM_KEYUP, VK_DELETE);
    PumpPending();
    EXPECT_EQ((std::vector<std::string>{"two"}), Items(list));
    EXPECT_EQ((std::vector<UINT>{UXN_ITEM_MOVED_UP, UXN_ITEM_DELETING, UXN_ITEM_DELETED}), Codes(host, id));

    // Deleting the only item leaves no selection.
    list.SetCurSel(0);
    list.DeleteItem();
    EXPECT_EQ(0, list.GetCount());
    EXPECT_EQ(LB_ERR, list.GetCurSel());
}

TEST_F(EditListBoxTest, ItemsAreEditedInPlaceAndTheOwnerHearsHowEachEditEnded)
{
    // New (the bar's button): an editor over a new last item; Enter adds the text.
    list.GetCaptionBar().GetButton(0).SendMessage(BM_CLICK);
    CUXItemEdit* editor = list.GetActiveEditor();
    ASSERT_NE(nullptr, editor);
    HWND hEditor = editor->m_hWnd;
    EXPECT_EQ(hEditor, ::GetFocus());
    EXPECT_EQ(4, list.GetCount());   // the placeholder
    CRect item;
    list.GetItemRect(3, &item);
    CRect field = ChildRect(list, hEditor);
    EXPECT_EQ(item.top - 2, field.top);
    EXPECT_EQ(item.left + 2, field.left);
    ::SetWindowTextA(hEditor, "four");
    PostKey(hEditor, WM_KEYDOWN, VK_RETURN);
    PumpPending();
    EXPECT_EQ(nullptr, list.GetActiveEditor());
    EXPECT_EQ((std::vector<std::string>{"one", "two", "three", "four"}), Items(list));
    EXPECT_EQ(3, list.GetCurSel());
    EXPECT_EQ(list.m_hWnd, ::GetFocus());
    EXPECT_EQ((std::vector<UINT>{UXN_ITEM_ADDED}), Codes(host, id));

    // A new item left empty changes nothing.
    host.commands.clear();
    list.EditItem(TRUE);
    PostKey(list.GetActiveEditor()->m_hWnd, WM_KEYDOWN, VK_RETURN);
    PumpPending();
    EXPECT_EQ(4, list.GetCount());
    EXPECT_EQ((std::vector<UINT>{UXN_EDIT_CANCELLED}), Codes(host, id));

    // The selected item edited and confirmed: replaced in place, its data kept.
    host.commands.clear();
    list.SetCurSel(1);
    list.EditItem(FALSE);
    ASSERT_NE(nullptr, list.GetActiveEditor());
    CString shown;
    list.GetActiveEditor()->GetWindowText(shown);
    EXPECT_STREQ("two", shown.GetString());
    ::SetWindowTextA(list.GetActiveEditor()->m_hWnd, "TWO");
    PostKey(list.GetActiveEditor()->m_hWnd, WM_KEYDOWN, VK_RETURN);
    PumpPending();
    EXPECT_EQ((std::vector<std::string>{"one", "TWO", "three", "four"}), Items(list));
    EXPECT_EQ(101u, list.GetItemData(1));
    EXPECT_EQ(1, list.GetCurSel());

    // Escape leaves it; so does the same text confirmed.
    list.EditItem(FALSE);
    ::SetWindowTextA(list.GetActiveEditor()->m_hWnd, "changed");
    PostKey(list.GetActiveEditor()->m_hWnd, WM_KEYDOWN, VK_ESCAPE);
    PumpPending();
    EXPECT_EQ((std::vector<std::string>{"one", "TWO", "three", "four"}), Items(list));
    EXPECT_EQ((std::vector<UINT>{UXN_ITEM_CHANGED, UXN_EDIT_CANCELLED}), Codes(host, id));

    // A right click on the list while a new item is edited: the edit ends once and no placeholder stays.
    host.commands.clear();
    list.EditItem(TRUE);
    list.SendMessage(WM_RBUTTONDOWN, MK_RBUTTON, MAKELPARAM(5, 5));
    PumpPending();
    EXPECT_EQ(nullptr, list.GetActiveEditor());
    EXPECT_EQ(4, list.GetCount());
    EXPECT_EQ(1u, Codes(host, id).size());
}

// ---- check list box ------------------------------------------------------------------------------------

TEST(CheckListBox, BoxesToggleByAClickInTheBoxADoubleClickAndSpaceAndDrawFromTheLibrarysImages)
{
    CTestHost host;
    host.SetForegroundWindow();
    CUXCheckListBox list;
    ASSERT_TRUE(list.Create(WS_CHILD | WS_VISIBLE | WS_BORDER | LBS_NOTIFY | LBS_NOINTEGRALHEIGHT,
                            CRect(20, 20, 220, 200), &host, 41));
    list.SetFont(&uxAfxData.m_fontNormal);
    list.SetCheckStyle(BS_AUTO3STATE);
    list.AddString("first");
    list.AddString("second");
    list.AddString("third");
    list.SetItemData(0, 77);
    EXPECT_EQ(77u, list.GetItemData(0));
    EXPECT_EQ(77, ::SendMessageA(list.m_hWnd, LB_GETITEMDATA, 0, 0));

    CSize cell;
    ASSERT_NE(nullptr, CUXCheckListBox::GetCheckBitmap(&cell));
    EXPECT_EQ(CSize(13, 13), cell);
    CRect first;
    list.GetItemRect(0, &first);
    const LPARAM inBox = MAKELPARAM(first.left + 4, first.CenterPoint().y);
    const LPARAM onText = MAKELPARAM(first.left + 60, first.CenterPoint().y);

    // Three-state: unchecked, checked, indeterminate, unchecked; each change told to the parent.
    for (int expected : {1, 2, 0})
    {
        list.SendMessage(WM_LBUTTONDOWN, MK_LBUTTON, inBox);
        list.SendMessage(WM_LBUTTONUP, 0, inBox);
        EXPECT_EQ(expected, list.GetCheck(0));
    }
    EXPECT_EQ(3, host.Count(CLBN_CHKCHANGE));
    EXPECT_EQ(0, list.GetCurSel());   // the click also selected the item
    list.SendMessage(WM_LBUTTONDOWN, MK_LBUTTON, onText);
    list.SendMessage(WM_LBUTTONUP, 0, onText);
    EXPECT_EQ(0, list.GetCheck(0));   // a click on the text does not toggle
    list.SendMessage(WM_LBUTTONDBLCLK, MK_LBUTTON, onText);
    EXPECT_EQ(1, list.GetCheck(0));   // a double click does

    // Space toggles the selected item.
    list.SetFocus();
    list.SetCurSel(1);
    PostKey(list.m_hWnd, WM_KEYDOWN, VK_SPACE);
    PumpPending();
    EXPECT_EQ(1, list.GetCheck(1));
    EXPECT_EQ(5, host.Count(CLBN_CHKCHANGE));

    // A disabled item and a manual style: no change, no notification.
    list.Enable(2, FALSE);
    CRect third;
    list.GetItemRect(2, &third);
    list.SendMessage(WM_LBUTTONDOWN, MK_LBUTTON, MAKELPARAM(third.left + 4, third.CenterPoint().y));
    EXPECT_EQ(0, list.GetCheck(2));
    list.SetCheckStyle(BS_CHECKBOX);
    list.SetCurSel(1);
    list.SendMessage(WM_LBUTTONDOWN, MK_LBUTTON, inBox);
    EXPECT_EQ(1, list.GetCheck(0));
    EXPECT_EQ(1, list.GetCurSel());   // swallowed: not even selected
    EXPECT_EQ(5, host.Count(CLBN_CHKCHANGE));

    // Drawn: the checked cell's mark at the item's left edge, centred one pixel low.
    list.SetCurSel(-1);
    list.RedrawWindow();
    PumpPending();
    CRect screen = first;
    list.ClientToScreen(&screen);
    const int top = screen.top + (screen.Height() - cell.cy) / 2 + 1;
    ScreenCopy shown(screen);
    EXPECT_EQ(RGB(0, 0, 0), shown.At(screen.left + 3, top + 7));       // the check mark
    EXPECT_EQ(uxAfxData.m_clrBtnShadow, shown.At(screen.left, top));   // the box's edge
    EXPECT_EQ(uxAfxData.m_clrWindow, shown.At(screen.left + 14, screen.top + 1));

    // The records go with their items; the others keep theirs.
    list.DeleteString(0);
    EXPECT_EQ(1, list.GetCheck(0));   // formerly "second"
    list.ResetContent();
    EXPECT_EQ(0, list.GetCount());
}

TEST(FlatListBox, RowsAreMenuHighAndTheSelectedOneTakesTheHighlight)
{
    CTestHost host;
    CUXListBox list;
    ASSERT_TRUE(
        list.Create(WS_CHILD | WS_VISIBLE | WS_BORDER | LBS_NOINTEGRALHEIGHT, CRect(20, 20, 220, 200), &host, 42));
    PumpPending();
    EXPECT_TRUE(list.IsInitialised());
    list.AddString("alpha\tbeta");
    list.AddString("gamma");
    list.SetCurSel(1);
    EXPECT_EQ(::GetSystemMetrics(SM_CYMENU) - 2, list.GetItemHeight(0));
    list.RedrawWindow();
    PumpPending();
    CRect second;
    list.GetItemRect(1, &second);
    list.ClientToScreen(&second);
    EXPECT_EQ(uxAfxData.m_clrHilite, ScreenPixel(second.right - 3, second.CenterPoint().y));
    CRect below = second;
    below.OffsetRect(0, second.Height() + 4);
    EXPECT_EQ(uxAfxData.m_clrWindow, ScreenPixel(below.right - 3, below.top));

    list.EnableWindow(FALSE);
    list.RedrawWindow();
    PumpPending();
    EXPECT_EQ(uxAfxData.m_clrBtnFace, ScreenPixel(below.right - 3, below.top));
}

}   // namespace
