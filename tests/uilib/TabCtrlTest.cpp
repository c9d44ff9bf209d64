// The library's tab control: labels shorten with "..." until the tabs fit and come back when there is room;
// drawing pauses during a selection change; the flat look draws the selected tab in the window colour.
#include "uilib/core/dialogs/TabCtrl.h"

#include "UilibTestSupport.h"

#include <gtest/gtest.h>

#include <algorithm>

namespace
{

CString Label(CUXTabCtrl& tab, int item)
{
    char text[256] = {};
    TCITEMA info = {};
    info.mask = TCIF_TEXT;
    info.pszText = text;
    info.cchTextMax = sizeof(text);
    tab.GetItem(item, &info);
    return CString(text);
}

int TotalWidth(CUXTabCtrl& tab)
{
    CClientDC dc(&tab);
    CFont* old = dc.SelectObject(tab.GetFont());
    int total = 0;
    for (int i = 0; i < tab.GetItemCount(); ++i)
        total += tab.TabWidth(dc, Label(tab, i), FALSE);
    dc.SelectObject(old);
    return total;
}

TEST(TabControl, LabelsShortenUntilTheTabsFitAndComeBackWithRoom)
{
    CTestHost host;
    CUXTabCtrl tab;
    ASSERT_TRUE(tab.Create(WS_CHILD | WS_VISIBLE, CRect(10, 10, 250, 60), &host, 1));
    tab.SetFont(&uxAfxData.m_fontNormal);
    const char* texts[] = {"The first rather long label", "Second", "A third label that is long as well"};
    for (int i = 0; i < 3; ++i)
        tab.InsertItem(i, texts[i]);
    EXPECT_EQ(CString(texts[0]), Label(tab, 0));   // condensing is off by default

    tab.SetAutoCondense(TRUE);
    CRect client;
    tab.GetClientRect(&client);
    EXPECT_LE(TotalWidth(tab), client.Width());
    EXPECT_EQ(CString("Second"), Label(tab, 1));   // the short one keeps its text
    for (int i : {0, 2})
    {
        CString label = Label(tab, i);
        EXPECT_EQ(CString("..."), label.Right(3)) << i;
        EXPECT_EQ(CString(texts[i]).Left(label.GetLength() - 3), label.Left(label.GetLength() - 3)) << i;
        EXPECT_EQ(CString(texts[i]), tab.GetFullText(i));
    }

    // Never below six average characters: a very narrow control leaves the tabs at that limit.
    tab.SetWindowPos(nullptr, 0, 0, 40, 50, SWP_NOMOVE | SWP_NOZORDER);
    CClientDC dc(&tab);
    CFont* old = dc.SelectObject(tab.GetFont());
    TEXTMETRICA metrics = {};
    dc.GetTextMetrics(&metrics);
    for (int i = 0; i < 3; ++i)
        EXPECT_GE(tab.TabWidth(dc, Label(tab, i), FALSE),
                  std::min(tab.TabWidth(dc, texts[i], FALSE), 6 * static_cast<int>(metrics.tmAveCharWidth) + 12))
            << i;
    dc.SelectObject(old);

    tab.SetWindowPos(nullptr, 0, 0, 900, 50, SWP_NOMOVE | SWP_NOZORDER);
    for (int i = 0; i < 3; ++i)
        EXPECT_EQ(CString(texts[i]), Label(tab, i)) << i;

    // A label set later is the new full text; deleting a tab keeps the others' texts in step.
    TCITEMA info = {};
    info.mask = TCIF_TEXT;
    info.pszText = const_cast<LPSTR>("Renamed");
    tab.SetItem(1, &info);
    tab.DeleteItem(0);
    EXPECT_EQ(CString("Renamed"), tab.GetFullText(0));
    EXPECT_EQ(CString(texts[2]), tab.GetFullText(1));
}

// A host that says no to every change of tab.
class RefusingHost : public CTestHost
{
public:
    int refused = 0;

protected:
    BOOL OnNotify(WPARAM wParam, LPARAM lParam, LRESULT* pResult) override
    {
        BOOL handled = CTestHost::OnNotify(wParam, lParam, pResult);
        if (reinterpret_cast<NMHDR*>(lParam)->code != static_cast<UINT>(TCN_SELCHANGING))
            return handled;
        ++refused;
        *pResult = TRUE;
        return TRUE;
    }
};

TEST(TabControl, DrawingPausesDuringASelectionChangeAndTheFlatLookMarksTheSelectedTab)
{
    CTestHost host;
    CUXTabCtrl tab;
    ASSERT_TRUE(tab.Create(WS_CHILD | WS_VISIBLE, CRect(10, 10, 300, 100), &host, 1));
    tab.SetFont(&uxAfxData.m_fontNormal);
    tab.InsertItem(0, "One");
    tab.InsertItem(1, "Two");
    CRect second;
    tab.GetItemRect(1, &second);
    tab.SendMessage(WM_LBUTTONDOWN, MK_LBUTTON, MAKELPARAM(second.CenterPoint().x, second.CenterPoint().y));
    tab.SendMessage(WM_LBUTTONUP, 0, MAKELPARAM(second.CenterPoint().x, second.CenterPoint().y));
    EXPECT_EQ(1, tab.GetCurSel());
    EXPECT_FALSE(tab.IsRedrawSuspended());

    // An owner that refuses the change: no change follows, and drawing is on again all the same.
    {
        RefusingHost refusing;
        CUXTabCtrl other;
        ASSERT_TRUE(other.Create(WS_CHILD | WS_VISIBLE, CRect(10, 10, 300, 100), &refusing, 2));
        other.InsertItem(0, "One");
        other.InsertItem(1, "Two");
        CRect otherSecond;
        other.GetItemRect(1, &otherSecond);
        other.SendMessage(WM_LBUTTONDOWN, MK_LBUTTON,
                          MAKELPARAM(otherSecond.CenterPoint().x, otherSecond.CenterPoint().y));
        EXPECT_EQ(1, refusing.refused);
        EXPECT_EQ(0, other.GetCurSel());
        EXPECT_FALSE(other.IsRedrawSuspended());
    }

    uxAfxData.m_bFlatLook = TRUE;
    tab.RedrawWindow();
    PumpPending();
    CRect first;
    tab.GetItemRect(0, &first);
    tab.GetItemRect(1, &second);
    tab.ClientToScreen(&first);
    tab.ClientToScreen(&second);
    EXPECT_EQ(uxAfxData.m_clrWindow, ScreenPixel(second.left + 2, second.top + 3));
    EXPECT_EQ(uxAfxData.m_clrWindowFrame, ScreenPixel(second.left, second.top + 3));
    EXPECT_EQ(uxAfxData.m_clrBtnFace, ScreenPixel(first.left + 2, first.top + 3));
    uxAfxData.m_bFlatLook = FALSE;
}

}   // namespace
