// The tree with multiple selection driven by mouse and keyboard messages (click, Ctrl-click, Shift-click,
// rubber band, Escape, arrows), a parent that refuses every change, items drawn in their own colour, font and
// weight, and the depth-first search with whole words that always ends.
#include "uilib/core/lists/TreeCtrl.h"

#include "uilib/core/base/GlobalData.h"
#include "UilibTestSupport.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

namespace
{

class TreeTest : public ::testing::Test
{
protected:
    CNotifyHost m_host;
    CUXTreeCtrl m_tree;
    std::vector<HTREEITEM> m_items;   // in the order they show

    void SetUp() override
    {
        ASSERT_TRUE(m_tree.Create(WS_VISIBLE | WS_BORDER | TVS_HASBUTTONS | TVS_HASLINES | TVS_LINESATROOT |
                                      TVS_SHOWSELALWAYS | TVS_DISABLEDRAGDROP,
                                  CRect(10, 10, 310, 370), &m_host, 1001));
        m_host.SetForegroundWindow();
    }
    // Root items "a" to "f"; "c" has the children "c1" and "c2" and is expanded.
    void Fill()
    {
        for (const char* name : {"a", "b", "c", "d", "e", "f"})
        {
            HTREEITEM item = m_tree.InsertItem(name);
            m_items.push_back(item);
            if (std::string(name) == "c")
            {
                m_items.push_back(m_tree.InsertItem("c1", item));
                m_items.push_back(m_tree.InsertItem("c2", item));
                m_tree.Expand(item, TVE_EXPAND);
            }
        }
        PumpPending();
    }
    HTREEITEM Item(const char* label)
    {
        for (HTREEITEM item : m_items)
            if (m_tree.GetItemText(item) == CString(label))
                return item;
        return nullptr;
    }
    // A point on the label's text (the text rectangle may reach a little past the text).
    CPoint LabelPoint(const char* label)
    {
        CRect rect;
        m_tree.GetItemRect(Item(label), &rect, TRUE);
        return CPoint(rect.left + 2, rect.CenterPoint().y);
    }
    void Click(const char* label, UINT keys = 0)
    {
        CPoint p = LabelPoint(label);
        m_tree.PostMessage(WM_LBUTTONDOWN, MK_LBUTTON | keys, MAKELPARAM(p.x, p.y));
        m_tree.PostMessage(WM_LBUTTONUP, keys, MAKELPARAM(p.x, p.y));
        PumpPending();
    }
    // A click on the item's expand button, as the user collapses or expands it.
    void ClickButton(const char* label)
    {
        CRect rect;
        m_tree.GetItemRect(Item(label), &rect, FALSE);
        int y = rect.CenterPoint().y;
        for (int x = 0; x < rect.right; ++x)
        {
            UINT flags = 0;
            if (m_tree.HitTest(CPoint(x, y), &flags) != nullptr && (flags & TVHT_ONITEMBUTTON))
            {
                m_tree.PostMessage(WM_LBUTTONDOWN, MK_LBUTTON, MAKELPARAM(x, y));
                m_tree.PostMessage(WM_LBUTTONUP, 0, MAKELPARAM(x, y));
                PumpPending();
                return;
            }
        }
        ADD_FAILURE() << "no button on " << label;
    }
    // The labels of the selected items, in the order they show.
    std::string Selected()
    {
        std::string labels;
        for (HTREEITEM item = m_tree.GetFirstSelectedItem(); item != nullptr;
             item = m_tree.GetNextSelectedItem(item))
            labels += std::string(m_tree.GetItemText(item)) + " ";
        return labels;
    }
    std::string Caret()
    {
        HTREEITEM caret = m_tree.GetSelectedItem();
        return caret != nullptr ? std::string(m_tree.GetItemText(caret)) : "";
    }
    void Key(UINT key, BYTE shift = 0, BYTE ctrl = 0)
    {
        BYTE keys[256] = {};
        keys[VK_SHIFT] = shift;
        keys[VK_CONTROL] = ctrl;
        ::SetKeyboardState(keys);
        m_tree.SendMessage(WM_KEYDOWN, key, 1);
        BYTE none[256] = {};
        ::SetKeyboardState(none);
        PumpPending();
    }
    // A band from below the items (empty space) to the label of target, with moves posted in between.
    void Band(const char* target, UINT keys, bool escape = false, const char* then = nullptr)
    {
        CRect client;
        m_tree.GetClientRect(&client);
        CPoint start(150, client.bottom - 10), end = LabelPoint(target);
        end.x = 8;
        ::SetCursorPos(200, 200);   // inside the tree: the band's timer leaves it alone
        m_tree.PostMessage(WM_LBUTTONDOWN, MK_LBUTTON | keys, MAKELPARAM(start.x, start.y));
        m_tree.PostMessage(WM_MOUSEMOVE, MK_LBUTTON | keys, MAKELPARAM(start.x - 20, start.y - 30));
        m_tree.PostMessage(WM_MOUSEMOVE, MK_LBUTTON | keys, MAKELPARAM(end.x, end.y));
        if (then != nullptr)
        {
            CPoint away = LabelPoint(then);
            m_tree.PostMessage(WM_MOUSEMOVE, MK_LBUTTON | keys, MAKELPARAM(end.x, away.y));
        }
        if (escape)
            m_tree.PostMessage(WM_KEYDOWN, VK_ESCAPE, 1);
        else
            m_tree.PostMessage(WM_LBUTTONUP, keys, MAKELPARAM(end.x, end.y));
        PumpPending();
    }
};

TEST_F(TreeTest, ClicksCtrlClicksShiftClicksAndArrowsBuildTheSelection)
{
    Fill();
    EXPECT_FALSE(m_tree.EnableMultiSelect(TRUE));
    Click("a");
    EXPECT_EQ("a ", Selected());
    EXPECT_EQ("a", Caret());
    Click("d", MK_CONTROL);
    EXPECT_EQ("a d ", Selected());
    Click("d", MK_CONTROL);   // toggled off, yet the caret
    EXPECT_EQ("a ", Selected());
    EXPECT_EQ("d", Caret());
    EXPECT_EQ(1u, m_tree.GetItemStateEx(Item("d"), 1 | TVIS_SELECTED));
    Click("d", MK_CONTROL);
    EXPECT_EQ("a d ", Selected());
    EXPECT_EQ(3u, m_tree.GetItemStateEx(Item("d"), 1 | TVIS_SELECTED));

    // Shift-click: exactly the visible items between, the expanded children included; the anchor stays.
    Click("b");
    EXPECT_EQ("b ", Selected());
    Click("d", MK_SHIFT);
    EXPECT_EQ("b c c1 c2 d ", Selected());
    EXPECT_EQ("d", Caret());
    Click("a", MK_SHIFT);
    EXPECT_EQ("a b ", Selected());
    EXPECT_EQ(7u, m_host.Count(NM_CLICK));   // one per click
    m_host.m_codes.clear();

    // Arrows: Shift extends from the anchor, a plain arrow leaves one item.
    Click("e");
    Key(VK_DOWN, 0x80);
    EXPECT_EQ("e f ", Selected());
    Key(VK_UP, 0x80);
    Key(VK_UP, 0x80);
    EXPECT_EQ("d e ", Selected());
    Key(VK_DOWN);
    EXPECT_EQ(1u, m_tree.GetSelectedCount());

    // Collapsing hides children: they lose their selection.
    Click("c1");
    Click("c2", MK_CONTROL);
    ClickButton("c");
    EXPECT_EQ(0u, m_tree.GetItemState(Item("c"), TVIS_EXPANDED));
    EXPECT_EQ("", Selected());
    EXPECT_NE(0u, m_host.Count(TVN_SELCHANGEDA));

    // Off again: only the caret stays selected.
    Click("a");
    Click("b", MK_CONTROL);
    EXPECT_TRUE(m_tree.EnableMultiSelect(FALSE));
    EXPECT_EQ("b ", Selected());
}

TEST_F(TreeTest, TheRubberBandSelectsWhatItCrossesAndEscapeLeavesNothing)
{
    Fill();
    m_tree.EnableMultiSelect(TRUE);
    Band("d", 0);
    EXPECT_EQ("d e f ", Selected());

    // With Ctrl an item selected before flips while the band covers it and comes back when it leaves.
    Click("f");
    Band("e", MK_CONTROL);
    EXPECT_EQ("e ", Selected());
    Band("e", MK_CONTROL, false, "f");
    EXPECT_EQ("e f ", Selected());

    Band("b", 0, true);
    EXPECT_EQ("", Selected());

    // A click into empty space without a band clears the selection.
    Click("a");
    Band("f", 0);
    CRect client;
    m_tree.GetClientRect(&client);
    m_tree.PostMessage(WM_LBUTTONDOWN, MK_LBUTTON, MAKELPARAM(150, client.bottom - 10));
    m_tree.PostMessage(WM_LBUTTONUP, 0, MAKELPARAM(150, client.bottom - 10));
    PumpPending();
    EXPECT_EQ("", Selected());
}

TEST_F(TreeTest, AParentThatRefusesKeepsTheSelectionWhateverTheRoute)
{
    Fill();
    m_tree.EnableMultiSelect(TRUE);
    Click("b");
    ASSERT_EQ("b ", Selected());
    m_host.m_bRefuseSelChanging = true;
    m_host.m_codes.clear();

    Click("d");
    Click("e", MK_CONTROL);
    Click("f", MK_SHIFT);
    Key(VK_DOWN);
    Key(VK_DOWN, 0x80);
    Band("a", 0);
    Band("a", MK_CONTROL);
    EXPECT_EQ("b ", Selected());
    EXPECT_EQ("b", Caret());
    EXPECT_NE(0u, m_host.Count(TVN_SELCHANGINGA));
    EXPECT_EQ(0u, m_host.Count(TVN_SELCHANGEDA));
}

// The bounding box of the pixels in rect that are not the window colour.
CRect Ink(const ScreenShot& shot, const CRect& rect)
{
    CRect ink(INT_MAX, INT_MAX, INT_MIN, INT_MIN);
    for (int y = rect.top; y < rect.bottom; ++y)
        for (int x = rect.left; x < rect.right; ++x)
            if (shot.At(x, y) != uxAfxData.m_clrWindow)
            {
                ink.left = std::min<LONG>(ink.left, x);
                ink.top = std::min<LONG>(ink.top, y);
                ink.right = std::max<LONG>(ink.right, x + 1);
                ink.bottom = std::max<LONG>(ink.bottom, y + 1);
            }
    return ink;
}

TEST_F(TreeTest, ItemsShowTheirOwnColourFontAndWeight)
{
    m_tree.ModifyStyle(TVS_HASLINES | TVS_LINESATROOT | TVS_HASBUTTONS, 0);
    HTREEITEM plain = m_tree.InsertItem("Sample");
    HTREEITEM red = m_tree.InsertItem("Sample");
    HTREEITEM bold = m_tree.InsertItem("Sample");
    HTREEITEM big = m_tree.InsertItem("Sample");
    m_tree.SetItemColor(red, RGB(255, 0, 0));
    m_tree.SetItemBold(bold, TRUE);
    LOGFONTA logFont = {};
    logFont.lfHeight = -15;
    logFont.lfWeight = FW_NORMAL;
    ::lstrcpyA(logFont.lfFaceName, "Courier New");
    ASSERT_TRUE(m_tree.SetItemFont(big, logFont));
    m_tree.SetItemColor(bold, static_cast<COLORREF>(-1));   // a record without colour or font of its own

    EXPECT_EQ(RGB(255, 0, 0), m_tree.GetItemColor(red));
    EXPECT_EQ(static_cast<COLORREF>(-1), m_tree.GetItemColor(plain));
    EXPECT_TRUE(m_tree.GetItemBold(bold));
    LOGFONTA back = {};
    EXPECT_TRUE(m_tree.GetItemFont(big, &back));
    EXPECT_STREQ("Courier New", back.lfFaceName);
    EXPECT_FALSE(m_tree.GetItemFont(red, &back));

    ScreenShot shot(m_tree.GetSafeHwnd());
    auto row = [&](HTREEITEM item)
    {
        CRect rect;
        m_tree.GetItemRect(item, &rect, FALSE);
        return rect;
    };
    EXPECT_GT(shot.Count(row(red), RGB(255, 0, 0)), 5);
    EXPECT_EQ(0, shot.Count(row(plain), RGB(255, 0, 0)));
    EXPECT_EQ(0, shot.Count(row(bold), RGB(255, 0, 0)));
    EXPECT_GT(shot.Count(row(plain), uxAfxData.m_clrWindowText), 5);

    CRect plainInk = Ink(shot, row(plain)), boldInk = Ink(shot, row(bold)), bigInk = Ink(shot, row(big));
    EXPECT_EQ(plainInk.Width(), Ink(shot, row(red)).Width());
    EXPECT_GT(boldInk.Width(), plainInk.Width());
    EXPECT_GT(bigInk.Width(), plainInk.Width() + 10);   // six wide fixed-pitch letters
}

TEST_F(TreeTest, SearchFindsWholeWordsWrapsAroundAndEndsAfterOneRound)
{
    HTREEITEM first = m_tree.InsertItem("first");
    m_tree.InsertItem("concat", first);
    m_tree.InsertItem("cat_flap", first);
    HTREEITEM second = m_tree.InsertItem("second");
    HTREEITEM flap = m_tree.InsertItem("cat flap", second);
    HTREEITEM deep = m_tree.InsertItem("deep", flap);
    HTREEITEM dog = m_tree.InsertItem("Dog", second);

    EXPECT_EQ(deep, m_tree.GetLastItem(flap));
    EXPECT_EQ(dog, m_tree.GetLastItem());
    EXPECT_EQ(deep, m_tree.GetPrevItemDeep(dog));
    EXPECT_EQ(dog, m_tree.GetNextItemDeep(deep));
    EXPECT_EQ(nullptr, m_tree.GetNextItemDeep(dog));

    EXPECT_EQ(flap, m_tree.FindItemByText("cat", FALSE, TRUE, TRUE, first));
    EXPECT_EQ(flap, m_tree.FindItemByText("CAT", FALSE, TRUE, TRUE, dog));   // wrapped round
    EXPECT_EQ(nullptr, m_tree.FindItemByText("CAT", TRUE, TRUE, FALSE, first));
    EXPECT_NE(flap, m_tree.FindItemByText("cat", FALSE, TRUE, FALSE, first));   // "concat" comes first
    EXPECT_EQ(dog, m_tree.FindItemByText("dog", FALSE, FALSE, TRUE, flap));     // upwards, wrapped
    EXPECT_EQ(nullptr, m_tree.FindItemByText("", FALSE, TRUE, FALSE, first));

    // Nothing matches: both directions end, from items in either root's subtree.
    for (HTREEITEM start : {first, deep, dog})
        for (BOOL down : {TRUE, FALSE})
            EXPECT_EQ(nullptr, m_tree.FindItemByText("bird", FALSE, down, TRUE, start));
}

}   // namespace
