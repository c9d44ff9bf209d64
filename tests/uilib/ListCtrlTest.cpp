// Report lists with the flat header: stored column widths (also broken stored values), sorting by header
// clicks and from the header's menu with the arrow on the screen, columns kept at their widths, copying and
// moving rows, hit tests by row and column, and the list's own colours.
#include "uilib/core/lists/ListCtrl.h"

#include "uilib/core/base/GlobalData.h"
#include "uilib/core/base/SettingsStore.h"
#include "resources/uilib/UilibResources.h"
#include "UilibTestSupport.h"

#include <gtest/gtest.h>

#include <string>
#include <utility>
#include <vector>

namespace
{

const char kAppKey[] = "Software\\VexulTests\\UilibListTest";

// A list that records the sorts the header asked for.
class CRecordingList : public CUXListCtrl
{
public:
    std::vector<std::pair<int, BOOL>> m_sorts;
    BOOL SortList(int column, BOOL ascending) override
    {
        m_sorts.emplace_back(column, ascending);
        return TRUE;
    }
};

class ListTest : public ::testing::Test
{
protected:
    CWinApp m_app{"UilibListTest"};
    CNotifyHost m_host;
    CRecordingList m_list;

    void SetUp() override
    {
        m_app.SetRegistryKey("VexulTests");
        ::RegDeleteTreeA(HKEY_CURRENT_USER, kAppKey);
        ASSERT_TRUE(m_list.Create(WS_VISIBLE | WS_BORDER | LVS_REPORT, CRect(10, 10, 410, 250), &m_host, 1120));
        const int widths[3] = {60, 70, 90};
        const LPCSTR texts[3] = {"No", "Type", "Text"};
        ASSERT_TRUE(m_list.AddColumns(3, widths, texts));
        PumpPending();
    }
    void TearDown() override { ::RegDeleteTreeA(HKEY_CURRENT_USER, kAppKey); }

    std::vector<int> Widths()
    {
        std::vector<int> widths;
        for (int i = 0; i < m_list.GetColumnCount(); ++i)
            widths.push_back(m_list.GetColumnWidth(i));
        return widths;
    }
    void Store(LPCSTR value)
    {
        CUXSettingsStore store;
        ASSERT_TRUE(store.WriteProfileString("Settings", "Column Info", value));
    }
    HWND Header() { return reinterpret_cast<HWND>(m_list.SendMessage(LVM_GETHEADER)); }
    CRect HeaderItem(int column)
    {
        CRect rect;
        ::SendMessageA(Header(), HDM_GETITEMRECT, column, reinterpret_cast<LPARAM>(&rect));
        return rect;
    }
    void ClickHeader(int column)
    {
        CPoint p = HeaderItem(column).CenterPoint();
        ::SendMessageA(Header(), WM_LBUTTONDOWN, MK_LBUTTON, MAKELPARAM(p.x, p.y));
        ::SendMessageA(Header(), WM_LBUTTONUP, 0, MAKELPARAM(p.x, p.y));
        PumpPending();
    }
    // Presses the left button on the divider right of column, moves by dx and lets go.
    void DragDivider(int column, int dx)
    {
        CRect rect = HeaderItem(column);
        int x = rect.right - 1, y = rect.CenterPoint().y;
        ::SendMessageA(Header(), WM_LBUTTONDOWN, MK_LBUTTON, MAKELPARAM(x, y));
        ::SendMessageA(Header(), WM_MOUSEMOVE, MK_LBUTTON, MAKELPARAM(x + dx / 2, y));
        ::SendMessageA(Header(), WM_MOUSEMOVE, MK_LBUTTON, MAKELPARAM(x + dx, y));
        ::SendMessageA(Header(), WM_LBUTTONUP, 0, MAKELPARAM(x + dx, y));
        PumpPending();
    }
    void DoubleClickDivider(int column)
    {
        CRect rect = HeaderItem(column);
        int x = rect.right - 1, y = rect.CenterPoint().y;
        ::SendMessageA(Header(), WM_LBUTTONDBLCLK, MK_LBUTTON, MAKELPARAM(x, y));
        ::SendMessageA(Header(), WM_LBUTTONUP, 0, MAKELPARAM(x, y));
        PumpPending();
    }
    void Fill(int rows)
    {
        for (int i = 0; i < rows; ++i)
        {
            std::string text = "item " + std::to_string(i);
            ASSERT_EQ(i, m_list.InsertItem(i, text.c_str()));
            m_list.SetItemText(i, 1, ("type " + std::to_string(i)).c_str());
            if (i % 2 == 0)
                m_list.SetItemText(i, 2, ("text " + std::to_string(i)).c_str());
            m_list.SetItemData(i, static_cast<DWORD_PTR>(100 + i));
        }
    }
};

TEST_F(ListTest, StoredWidthsApplyWhereUsableAndAreWrittenBackWhenTheListCloses)
{
    // Fewer widths than columns: the third keeps its width.
    Store("120,80,");
    m_list.SetColumnStorage();
    EXPECT_EQ((std::vector<int>{120, 80, 90}), Widths());
    EXPECT_EQ(-1, m_list.GetStoredColumnWidth(2));
    EXPECT_EQ(-1, m_list.GetStoredColumnWidth(7));

    // Text, negative and absurd widths are no widths; more widths than columns reach no column that is not
    // there.
    Store("abc,-5,99999999999,44,55,66");
    EXPECT_EQ(3, m_list.ApplyStoredColumnWidths());
    EXPECT_EQ((std::vector<int>{120, 80, 90}), Widths());
    Store(" 30 ,7x,0,1,2,3,4");
    m_list.ApplyStoredColumnWidths();
    EXPECT_EQ((std::vector<int>{30, 80, 0}), Widths());

    // Nothing stored and no default: everything stays.
    ::RegDeleteTreeA(HKEY_CURRENT_USER, kAppKey);
    m_list.ApplyStoredColumnWidths();
    EXPECT_EQ((std::vector<int>{30, 80, 0}), Widths());

    m_list.SetColumnWidth(2, 200);
    m_list.DestroyWindow();
    CUXSettingsStore store;
    EXPECT_STREQ("30,80,200,", store.GetProfileString("Settings", "Column Info"));
}

TEST_F(ListTest, HeaderClicksSortAscendingDescendingAscendingWithTheArrowOnTheScreen)
{
    ASSERT_TRUE(m_list.SubclassHeader());
    CUXFlatHeaderCtrl* header = m_list.GetFlatHeader();
    ASSERT_NE(nullptr, header);
    header->ShowSortArrow(TRUE);
    PumpPending();
    EXPECT_NE(0u, m_list.GetStyle() & WS_CLIPCHILDREN);   // set once the header was attached

    ClickHeader(1);
    ClickHeader(1);
    ClickHeader(1);
    ClickHeader(2);   // a new column starts ascending
    typedef std::pair<int, BOOL> Sort;
    EXPECT_EQ((std::vector<Sort>{{1, TRUE}, {1, FALSE}, {1, TRUE}, {2, TRUE}}), m_list.m_sorts);
    EXPECT_EQ(2, header->GetSortColumn());

    // The arrow beside the right edge of the sorted column: its bottom edge in the highlight colour while
    // ascending, the top edge in the shadow colour while descending.
    const int s = header->GetArrowSize();
    CRect item = HeaderItem(2);
    int r = item.right, b = item.bottom;
    {
        ScreenShot shot(Header());
        EXPECT_EQ(uxAfxData.m_clrBtnHilite, shot.At(r - 2 * s - 1, b - s));
        EXPECT_EQ(uxAfxData.m_clrBtnShadow, shot.At(r - 5 * s / 2 - 1, b - s - 1));
        EXPECT_EQ(uxAfxData.m_clrBtnFace, shot.At(r - 2 * s - 2, s - 1));
    }
    ClickHeader(2);
    {
        ScreenShot shot(Header());
        EXPECT_EQ(uxAfxData.m_clrBtnHilite, shot.At(r - 3 * s / 2, s - 1));
        EXPECT_EQ(uxAfxData.m_clrBtnShadow, shot.At(r - 2 * s - 2, s - 1));
        EXPECT_EQ(uxAfxData.m_clrBtnShadow, shot.At(r - 2 * s - 1, b - s));
        // No arrow on the other columns.
        CRect other = HeaderItem(1);
        EXPECT_EQ(0,
                  shot.Count(CRect(other.right - 3 * s, s - 1, other.right - s, b - s), uxAfxData.m_clrBtnShadow));
    }
}

// Records the check marks of the header's menu when it opens, then closes it.
HHOOK g_menuHook = nullptr;
std::vector<UINT> g_checked;
int g_menuOpened = 0;

std::vector<int> g_ownerDrawn;   // the positions of the items the cool menu draws

LRESULT CALLBACK RecordHeaderMenu(int code, WPARAM wParam, LPARAM lParam)
{
    const CWPRETSTRUCT* message = reinterpret_cast<const CWPRETSTRUCT*>(lParam);
    if (code == HC_ACTION && message->message == WM_INITMENUPOPUP && HIWORD(message->lParam) == 0 &&
        g_menuOpened++ == 0)
    {
        HMENU menu = reinterpret_cast<HMENU>(message->wParam);
        for (UINT id = ID_UX_SORT_ASCENDING; id <= ID_UX_ALIGN_RIGHT; ++id)
            if (::GetMenuState(menu, id, MF_BYCOMMAND) & MF_CHECKED)
                g_checked.push_back(id);
        for (int i = 0; i < ::GetMenuItemCount(menu); ++i)
            if (::GetMenuState(menu, static_cast<UINT>(i), MF_BYPOSITION) & MF_OWNERDRAW)
                g_ownerDrawn.push_back(i);
        ::PostMessageA(message->hwnd, WM_KEYDOWN, VK_ESCAPE, 0);
    }
    return ::CallNextHookEx(g_menuHook, code, wParam, lParam);
}

TEST_F(ListTest, TheHeaderMenuShowsTheSortAndSortsOnlyWhatChanges)
{
    ASSERT_TRUE(m_list.SubclassHeader(TRUE));
    CUXFlatHeaderCtrl* header = m_list.GetFlatHeader();
    ASSERT_NE(nullptr, header);
    m_list.SetSortImage(1, FALSE);
    LVCOLUMNA column = {};
    column.mask = LVCF_FMT;
    column.fmt = LVCFMT_CENTER;
    m_list.SetColumn(1, &column);

    g_menuOpened = 0;
    g_checked.clear();
    g_ownerDrawn.clear();
    g_menuHook = ::SetWindowsHookExA(WH_CALLWNDPROCRET, RecordHeaderMenu, nullptr, ::GetCurrentThreadId());
    CPoint p = HeaderItem(1).CenterPoint();
    ::SendMessageA(Header(), WM_RBUTTONDOWN, MK_RBUTTON, MAKELPARAM(p.x, p.y));
    ::UnhookWindowsHookEx(g_menuHook);
    PumpPending();
    EXPECT_EQ(1, g_menuOpened);
    EXPECT_EQ((std::vector<UINT>{ID_UX_SORT_DESCENDING, ID_UX_ALIGN_CENTER}), g_checked);
    EXPECT_EQ((std::vector<int>{0, 1, 2, 3}), g_ownerDrawn);   // the cool menu's items, "Alignment" too

    // Already descending: nothing is sent.
    header->SendMessage(WM_COMMAND, ID_UX_SORT_DESCENDING);
    EXPECT_TRUE(m_list.m_sorts.empty());
    header->SendMessage(WM_COMMAND, ID_UX_SORT_ASCENDING);
    typedef std::pair<int, BOOL> Sort;
    EXPECT_EQ((std::vector<Sort>{{1, TRUE}}), m_list.m_sorts);
    EXPECT_EQ(1, header->GetSortAscending());

    header->SendMessage(WM_COMMAND, ID_UX_ALIGN_RIGHT);
    m_list.GetColumn(1, &column);
    EXPECT_EQ(LVCFMT_RIGHT, column.fmt & LVCFMT_JUSTIFYMASK);
}

TEST_F(ListTest, FixedColumnsRefuseTrackingAndFittingRespectsTextArrowAndMinimum)
{
    Fill(3);
    ASSERT_TRUE(m_list.SubclassHeader());
    DragDivider(0, 30);
    EXPECT_EQ(90, m_list.GetColumnWidth(0));   // the control case: tracking works

    m_list.SetFixedWidths(TRUE);
    DragDivider(0, 30);
    DoubleClickDivider(1);
    EXPECT_EQ((std::vector<int>{90, 70, 90}), Widths());

    m_list.SetFixedWidths(FALSE);
    m_list.GetFlatHeader()->SetColumnFixed(1);
    DragDivider(1, -25);
    DragDivider(0, -20);
    EXPECT_EQ((std::vector<int>{70, 70, 90}), Widths());

    // Widths below the header's minimum are refused.
    m_list.GetFlatHeader()->SetMinColumnWidth(40);
    DragDivider(0, -50);   // 45 on the way, then 20
    EXPECT_EQ(45, m_list.GetColumnWidth(0));

    // Fitting: at least the header text and its margin (and room for the arrow on the sorted column), at
    // least the list's minimum.
    m_list.GetFlatHeader()->ShowSortArrow(TRUE);
    ClickHeader(2);
    m_list.FitColumnWidths();
    CClientDC dc(m_list.GetFlatHeader());
    CFont* old = dc.SelectObject(m_list.GetFlatHeader()->GetFont());
    EXPECT_GE(m_list.GetColumnWidth(0), dc.GetTextExtent("No", 2).cx + 12);
    EXPECT_GE(m_list.GetColumnWidth(2), dc.GetTextExtent("Text", 4).cx + 36);
    dc.SelectObject(old);
    m_list.SetMinColumnWidth(150);
    m_list.FitColumnWidths(1);
    EXPECT_EQ(70, m_list.GetColumnWidth(1));   // still fixed
    m_list.GetFlatHeader()->SetColumnFixed(1, FALSE);
    m_list.FitColumnWidths(1);
    EXPECT_EQ(150, m_list.GetColumnWidth(1));
}

TEST_F(ListTest, CopiedAndMovedRowsKeepTheirDataAndSubItems)
{
    Fill(8);
    EXPECT_EQ(-1, m_list.CopyItem(3, 3));
    EXPECT_EQ(-1, m_list.CopyItem(-1, 2));
    EXPECT_EQ(-1, m_list.CopyItem(30, 2));
    EXPECT_EQ(8, m_list.GetItemCount());

    EXPECT_EQ(6, m_list.CopyItem(5, 2));   // the source moved down by the copy above it
    EXPECT_STREQ("item 5", m_list.GetItemText(2, 0));
    EXPECT_STREQ("type 5", m_list.GetItemText(2, 1));
    EXPECT_STREQ("", m_list.GetItemText(2, 2));
    EXPECT_EQ(105u, m_list.GetItemData(2));
    EXPECT_STREQ("item 5", m_list.GetItemText(6, 0));

    std::string longText(600, 'L');
    m_list.SetItemText(0, 0, longText.c_str());
    EXPECT_EQ(0, m_list.CopyItem(0, 4));
    EXPECT_EQ(longText, m_list.GetItemText(4, 0).GetString());
    EXPECT_STREQ("text 0", m_list.GetItemText(4, 2));

    // Moving the last row to the top.
    int count = m_list.GetItemCount();
    EXPECT_TRUE(m_list.MoveItem(count - 1, 0));
    EXPECT_EQ(count, m_list.GetItemCount());
    EXPECT_STREQ("item 7", m_list.GetItemText(0, 0));
    EXPECT_STREQ("type 7", m_list.GetItemText(0, 1));
    EXPECT_EQ(107u, m_list.GetItemData(0));
    EXPECT_STRNE("item 7", m_list.GetItemText(count - 1, 0));
}

TEST_F(ListTest, HitTestExFindsRowAndColumnAndTheListPaintsInItsColours)
{
    Fill(5);
    for (int row : {0, 3})
        for (int column : {0, 1, 2})
        {
            CRect rect;
            ASSERT_TRUE(m_list.GetSubItemRect(row, column, LVIR_BOUNDS, &rect));
            int found = -5;
            EXPECT_EQ(row, m_list.HitTestEx(CPoint(rect.left + 3, rect.CenterPoint().y), &found));
            EXPECT_EQ(column, found);
        }
    CRect last;
    m_list.GetItemRect(4, &last, LVIR_BOUNDS);
    int found = -5;
    EXPECT_EQ(-1, m_list.HitTestEx(CPoint(5, last.bottom + 30), &found));
    EXPECT_EQ(0, found);

    const COLORREF text = RGB(200, 0, 0), back = RGB(0, 90, 0);
    m_list.SetColors(text, back);
    m_list.SetItemState(1, LVIS_SELECTED, LVIS_SELECTED);
    ScreenShot shot(m_list.GetSafeHwnd());
    CRect row0, row1;
    m_list.GetItemRect(0, &row0, LVIR_LABEL);
    m_list.GetItemRect(1, &row1, LVIR_LABEL);
    EXPECT_GT(shot.Count(row0, text), 3);
    EXPECT_GT(shot.Count(row0, back), 20);
    EXPECT_EQ(0, shot.Count(row1, text));   // the selected row keeps the selection colours
    EXPECT_EQ(back, shot.At(shot.Width() - 10, shot.Height() - 10));   // below the rows
}

}   // namespace
