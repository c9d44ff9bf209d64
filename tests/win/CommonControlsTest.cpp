// Common-control wrappers driven as the library's lists, trees, tabs, tool bars and rebars drive them.
#include "framework/win/Framework.h"
#include "DialogsTestIds.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

namespace
{

class CControlHost : public CWnd
{
public:
    CControlHost()
    {
        CreateEx(0, nullptr, "host", WS_OVERLAPPEDWINDOW | WS_VISIBLE | WS_CLIPCHILDREN, 0, 0, 500, 400, nullptr,
                 nullptr);
    }
};

CPoint Centre(const CRect& rect)
{
    return CPoint((rect.left + rect.right) / 2, (rect.top + rect.bottom) / 2);
}

int CALLBACK ByDataDescending(LPARAM lParam1, LPARAM lParam2, LPARAM)
{
    return lParam1 < lParam2 ? 1 : lParam1 > lParam2 ? -1 : 0;
}

TEST(ListCtrl, ReportColumnsItemsSelectionSortingAndHitTest)
{
    CControlHost host;
    CListCtrl list;
    ASSERT_TRUE(list.Create(WS_VISIBLE | LVS_REPORT | LVS_SHOWSELALWAYS, CRect(0, 0, 400, 120), &host, 1120));
    EXPECT_EQ(0, list.InsertColumn(0, "No", LVCFMT_RIGHT, 30));
    EXPECT_EQ(1, list.InsertColumn(1, "Type", LVCFMT_LEFT, 70));
    EXPECT_EQ(2, list.InsertColumn(2, "Text / File / Type", LVCFMT_LEFT, 200));
    EXPECT_EQ(0u, list.SetExtendedStyle(LVS_EX_GRIDLINES | LVS_EX_FULLROWSELECT));
    EXPECT_EQ(static_cast<DWORD>(LVS_EX_GRIDLINES | LVS_EX_FULLROWSELECT), list.GetExtendedStyle());
    CWnd* header = list.GetHeaderCtrl();
    ASSERT_NE(nullptr, header);
    EXPECT_EQ(3, static_cast<int>(header->SendMessage(HDM_GETITEMCOUNT)));

    std::string longText(700, 'x');
    for (int i = 0; i < 12; ++i)
    {
        ASSERT_EQ(i, list.InsertItem(i, std::to_string(i).c_str()));
        list.SetItemText(i, 1, i % 2 ? "Image" : "Text");
        list.SetItemData(i, static_cast<DWORD_PTR>(i * 10));
    }
    list.SetItemText(5, 2, longText.c_str());
    EXPECT_EQ(longText, list.GetItemText(5, 2).GetString());   // longer than any first buffer
    EXPECT_STREQ("Image", list.GetItemText(5, 1));

    list.SetItemState(3, LVIS_SELECTED, LVIS_SELECTED);
    list.SetItemState(7, LVIS_SELECTED | LVIS_FOCUSED, LVIS_SELECTED | LVIS_FOCUSED);
    EXPECT_EQ(2u, list.GetSelectedCount());
    std::vector<int> selected;
    for (POSITION pos = list.GetFirstSelectedItemPosition(); pos != nullptr;)
        selected.push_back(list.GetNextSelectedItem(pos));
    EXPECT_EQ((std::vector<int>{3, 7}), selected);
    EXPECT_EQ(7, list.GetNextItem(-1, LVNI_FOCUSED));
    EXPECT_EQ(static_cast<UINT>(LVIS_FOCUSED), list.GetItemState(7, LVIS_FOCUSED));

    // Scrolled to the last row, which the hit test then finds under its own rectangle.
    EXPECT_TRUE(list.EnsureVisible(11, FALSE));
    EXPECT_GT(list.GetTopIndex(), 0);
    CRect rect;
    ASSERT_TRUE(list.GetItemRect(11, &rect, LVIR_BOUNDS));
    UINT flags = 0;
    EXPECT_EQ(11, list.HitTest(Centre(rect), &flags));
    EXPECT_NE(0u, flags & LVHT_ONITEM);
    CRect sub;
    ASSERT_TRUE(list.GetSubItemRect(11, 2, LVIR_BOUNDS, &sub));
    EXPECT_EQ(rect.left + 100, sub.left);   // after the 30 and 70 pixel columns

    ASSERT_TRUE(list.SortItems(ByDataDescending, 0));
    EXPECT_STREQ("11", list.GetItemText(0, 0));
    EXPECT_EQ(110u, list.GetItemData(0));
    EXPECT_EQ(std::string(list.GetItemText(6, 2)), longText);   // subitems travel with their item
    EXPECT_TRUE(list.DeleteItem(0));
    EXPECT_EQ(11, list.GetItemCount());
    EXPECT_TRUE(list.DeleteAllItems());
    EXPECT_EQ(nullptr, list.GetFirstSelectedItemPosition());
}

// Items carry the length of their text; lParamSort is the length that sorts first.
int CALLBACK ByLengthFirst(LPARAM lParam1, LPARAM lParam2, LPARAM lParamSort)
{
    if (lParam1 == lParamSort || lParam2 == lParamSort)
        return lParam1 == lParamSort ? -1 : 1;
    return static_cast<int>(lParam1 - lParam2);
}

TEST(TreeCtrl, InsertSortWithCallbackSelectExpandAndHitTest)
{
    CControlHost host;
    CTreeCtrl tree;
    ASSERT_TRUE(tree.Create(WS_VISIBLE | TVS_HASBUTTONS | TVS_HASLINES | TVS_LINESATROOT | TVS_SHOWSELALWAYS,
                            CRect(0, 0, 300, 300), &host, 1001));
    HTREEITEM root = tree.InsertItem("Desktop");
    const char* names[] = {"Documents", "C:\\", "My Computer", "Trash"};
    std::vector<HTREEITEM> children;
    for (const char* name : names)
    {
        children.push_back(tree.InsertItem(name, root));
        tree.SetItemData(children.back(), std::string(name).size());
    }
    EXPECT_EQ(5u, tree.GetCount());
    EXPECT_TRUE(tree.ItemHasChildren(root));
    EXPECT_FALSE(tree.ItemHasChildren(children[0]));
    EXPECT_TRUE(tree.Expand(root, TVE_EXPAND));
    EXPECT_NE(0u, tree.GetItemState(root, TVIS_EXPANDED));

    TVSORTCB sort = {root, ByLengthFirst, 9};
    ASSERT_TRUE(tree.SortChildrenCB(&sort));
    std::vector<std::string> order;
    for (HTREEITEM h = tree.GetChildItem(root); h != nullptr; h = tree.GetNextSiblingItem(h))
        order.push_back(tree.GetItemText(h).GetString());
    EXPECT_EQ((std::vector<std::string>{"Documents", "C:\\", "Trash", "My Computer"}), order);
    EXPECT_EQ(root, tree.GetParentItem(children[2]));
    EXPECT_EQ(tree.GetChildItem(root), tree.GetNextVisibleItem(root));

    ASSERT_TRUE(tree.SelectItem(children[3]));
    EXPECT_EQ(children[3], tree.GetSelectedItem());
    EXPECT_TRUE(tree.SetItemState(children[0], TVIS_BOLD, TVIS_BOLD));
    EXPECT_EQ(static_cast<UINT>(TVIS_BOLD), tree.GetItemState(children[0], TVIS_BOLD));

    CRect text;
    ASSERT_TRUE(tree.GetItemRect(children[2], &text, TRUE));
    UINT flags = 0;
    EXPECT_EQ(children[2], tree.HitTest(Centre(text), &flags));
    EXPECT_NE(0u, flags & TVHT_ONITEMLABEL);

    CImageList images;
    ASSERT_TRUE(images.Create(16, 16, ILC_COLOR24 | ILC_MASK, 2, 1));
    tree.SetImageList(&images, TVSIL_NORMAL);
    EXPECT_EQ(images.GetSafeHandle(), tree.GetImageList(TVSIL_NORMAL)->GetSafeHandle());
    EXPECT_TRUE(tree.SetItemImage(children[1], 1, 0));
    int image = -1, selectedImage = -1;
    ASSERT_TRUE(tree.GetItemImage(children[1], image, selectedImage));
    EXPECT_EQ(1, image);
    EXPECT_EQ(0, selectedImage);
    tree.SetImageList(nullptr, TVSIL_NORMAL);

    EXPECT_TRUE(tree.DeleteItem(children[1]));
    EXPECT_EQ(4u, tree.GetCount());
    EXPECT_TRUE(tree.DeleteAllItems());
    EXPECT_EQ(nullptr, tree.GetRootItem());
}

TEST(TabCtrl, TabsSelectionHitTestAndDisplayArea)
{
    CControlHost host;
    CTabCtrl tabs;
    ASSERT_TRUE(tabs.Create(WS_VISIBLE, CRect(0, 0, 300, 200), &host, 0x3020));
    tabs.InsertItem(0, "Standard");
    tabs.InsertItem(1, "Custom");
    tabs.InsertItem(2, "Third");
    EXPECT_EQ(3, tabs.GetItemCount());
    EXPECT_EQ(0, tabs.SetCurSel(1));
    EXPECT_EQ(1, tabs.GetCurSel());

    CRect second;
    ASSERT_TRUE(tabs.GetItemRect(1, &second));
    TCHITTESTINFO hit = {Centre(second), 0};
    EXPECT_EQ(1, tabs.HitTest(&hit));

    CRect area(0, 0, 300, 200);
    tabs.AdjustRect(FALSE, &area);
    EXPECT_GE(area.top, second.bottom);   // the pages go below the tabs
    CRect window = area;
    tabs.AdjustRect(TRUE, &window);
    EXPECT_EQ(CRect(0, 0, 300, 200), window);

    char text[32] = {};
    TCITEMA item = {};
    item.mask = TCIF_TEXT;
    item.pszText = text;
    item.cchTextMax = sizeof(text);
    ASSERT_TRUE(tabs.GetItem(2, &item));
    EXPECT_STREQ("Third", text);
    EXPECT_TRUE(tabs.DeleteItem(0));
    EXPECT_EQ(2, tabs.GetItemCount());
}

TEST(ToolBarCtrl, ButtonsKeepTheirDataAndStateWhateverSizeACallerAnnounced)
{
    CControlHost host;
    // Made as a library bar makes its tool bar; then a caller announces the 32-bit button size.
    HWND hBar =
        ::CreateWindowExA(0, TOOLBARCLASSNAMEA, nullptr, WS_CHILD | WS_VISIBLE | TBSTYLE_FLAT | CCS_NORESIZE, 0, 0,
                          400, 30, host.m_hWnd, reinterpret_cast<HMENU>(0xE800), nullptr, nullptr);
    ASSERT_NE(nullptr, hBar);
    ::SendMessageA(hBar, TB_BUTTONSTRUCTSIZE, 20, 0);
    CToolBarCtrl bar;
    ASSERT_TRUE(bar.SubclassWindow(hBar));

    bar.SetBitmapSize(CSize(16, 15));
    bar.SetButtonSize(CSize(23, 22));
    EXPECT_EQ(CSize(23, 22), bar.GetButtonSize());
    TBBUTTON buttons[4] = {};
    const int ids[4] = {32775, 0, 57603, 32782};
    for (int i = 0; i < 4; ++i)
    {
        buttons[i].iBitmap = i;
        buttons[i].idCommand = ids[i];
        buttons[i].fsState = TBSTATE_ENABLED;
        buttons[i].fsStyle = ids[i] == 0 ? BTNS_SEP : BTNS_BUTTON;
        buttons[i].dwData = static_cast<DWORD_PTR>(0x1122334455667700ull + i);
        buttons[i].iString = -1;
    }
    ASSERT_TRUE(bar.AddButtons(4, buttons));
    EXPECT_EQ(4, bar.GetButtonCount());
    EXPECT_EQ(2, bar.CommandToIndex(57603));
    EXPECT_EQ(-1, bar.CommandToIndex(1));

    TBBUTTON got = {};
    ASSERT_TRUE(bar.GetButton(3, &got));
    EXPECT_EQ(32782, got.idCommand);
    EXPECT_EQ(static_cast<DWORD_PTR>(0x1122334455667703ull), got.dwData);

    EXPECT_TRUE(bar.EnableButton(57603, FALSE));
    EXPECT_FALSE(bar.IsButtonEnabled(57603));
    EXPECT_TRUE(bar.HideButton(32775));
    EXPECT_TRUE(bar.IsButtonHidden(32775));
    EXPECT_TRUE(bar.CheckButton(32782));
    EXPECT_NE(0, bar.GetState(32782) & TBSTATE_CHECKED);

    TBBUTTONINFOA info = {};   // its size is filled in by the wrapper
    info.dwMask = TBIF_LPARAM | TBIF_COMMAND;
    EXPECT_EQ(3, bar.GetButtonInfo(32782, &info));
    EXPECT_EQ(static_cast<DWORD_PTR>(0x1122334455667703ull), static_cast<DWORD_PTR>(info.lParam));

    CRect rect;
    ASSERT_TRUE(bar.GetItemRect(3, &rect));
    CPoint centre = Centre(rect);
    EXPECT_EQ(3, bar.HitTest(&centre));

    EXPECT_EQ(0, bar.AddString(IDS_PAGE_CAPTION));
    EXPECT_EQ(-1, bar.AddString(9999));
    EXPECT_TRUE(bar.DeleteButton(1));
    EXPECT_EQ(1, bar.CommandToIndex(57603));
}

TEST(ReBarCtrl, BandsKeepEveryFieldWhateverSizeACallerWrote)
{
    CControlHost host;
    CReBarCtrl rebar;
    ASSERT_TRUE(rebar.Create(WS_VISIBLE | RBS_VARHEIGHT | CCS_NODIVIDER, CRect(0, 0, 480, 40), &host, 0xE81B));
    CWnd child;
    ASSERT_TRUE(child.Create(nullptr, "bar", WS_CHILD | WS_VISIBLE, CRect(0, 0, 100, 24), &rebar, 0xE800));

    REBARBANDINFOA band = {};
    band.cbSize = 80;   // the 32-bit size a caller may still write
    band.fMask = RBBIM_CHILD | RBBIM_CHILDSIZE | RBBIM_IDEALSIZE | RBBIM_STYLE | RBBIM_ID;
    band.fStyle = RBBS_BREAK;
    band.hwndChild = child.m_hWnd;
    band.cxMinChild = 60;
    band.cyMinChild = 24;
    band.cyChild = 24;
    band.cxIdeal = 123;
    band.wID = 0xE800;
    ASSERT_TRUE(rebar.InsertBand(static_cast<UINT>(-1), &band));
    EXPECT_EQ(1u, rebar.GetBandCount());
    EXPECT_EQ(0, rebar.IDToIndex(0xE800));

    REBARBANDINFOA read = {};
    read.cbSize = 80;
    read.fMask = RBBIM_IDEALSIZE | RBBIM_CHILDSIZE | RBBIM_CHILD | RBBIM_ID;
    ASSERT_TRUE(rebar.GetBandInfo(0, &read));
    EXPECT_EQ(123u, read.cxIdeal);
    EXPECT_EQ(60u, read.cxMinChild);
    EXPECT_EQ(child.m_hWnd, read.hwndChild);
    EXPECT_GE(rebar.GetBarHeight(), 24u);

    read.fMask = RBBIM_IDEALSIZE;
    read.cxIdeal = 200;
    ASSERT_TRUE(rebar.SetBandInfo(0, &read));
    REBARBANDINFOA again = {};
    again.fMask = RBBIM_IDEALSIZE;
    ASSERT_TRUE(rebar.GetBandInfo(0, &again));
    EXPECT_EQ(200u, again.cxIdeal);
    EXPECT_TRUE(rebar.DeleteBand(0));
    EXPECT_EQ(0u, rebar.GetBandCount());
}

// An owner-drawn header item reaches the header's own DrawItem through its parent.
class CDrawnHeader : public CHeaderCtrl
{
public:
    std::vector<UINT> drawn;
    void DrawItem(LPDRAWITEMSTRUCT lpDrawItemStruct) override { drawn.push_back(lpDrawItemStruct->itemID); }
};

TEST(HeaderCtrl, OwnerDrawnItemsAreDrawnByTheHeaderObject)
{
    CControlHost host;
    CDrawnHeader header;
    ASSERT_TRUE(header.Create(WS_VISIBLE | HDS_HORZ, CRect(0, 0, 300, 24), &host, 0));
    for (int i = 0; i < 2; ++i)
    {
        HDITEMA item = {};
        item.mask = HDI_FORMAT | HDI_WIDTH;
        item.fmt = i == 1 ? HDF_OWNERDRAW : HDF_STRING;
        item.cxy = 100;
        EXPECT_EQ(i, header.InsertItem(i, &item));
    }
    header.RedrawWindow(nullptr, nullptr, RDW_INVALIDATE | RDW_UPDATENOW | RDW_ERASE);
    ASSERT_FALSE(header.drawn.empty());
    EXPECT_EQ(1u, header.drawn.front());
    CRect rect;
    ASSERT_TRUE(header.GetItemRect(1, &rect));
    HDHITTESTINFO hit = {};
    hit.pt = Centre(rect);
    EXPECT_EQ(1, header.HitTest(&hit));
}

}   // namespace
