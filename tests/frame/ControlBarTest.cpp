// The control bar on its own: insets, default sizes, borders and gripper, fly-by prompts.
#include "FrameTestSupport.h"

#include "support/win_DibSurface.h"

namespace
{

CRect Inside(CControlBar& bar, DWORD style, CRect rect, BOOL bHorz)
{
    bar.SetBarStyle(style);
    bar.CalcInsideRect(rect, bHorz);
    return rect;
}

TEST(ControlBar, InsetsFollowBordersMarginsAndTheGripper)
{
    CControlBar bar;   // margins 6 along the bar, 1 across it; border lines 2 pixels
    EXPECT_EQ(CRect(6, 1, 94, 39), Inside(bar, CBRS_ALIGN_TOP, CRect(0, 0, 100, 40), TRUE));
    EXPECT_EQ(CRect(15, 3, 92, 37),
              Inside(bar, CBRS_ALIGN_TOP | CBRS_BORDER_ANY | CBRS_GRIPPER, CRect(0, 0, 100, 40), TRUE));
    // A vertical bar turns its margins and puts the gripper on top.
    EXPECT_EQ(CRect(1, 13, 39, 94), Inside(bar, CBRS_ALIGN_LEFT | CBRS_GRIPPER, CRect(0, 0, 40, 100), FALSE));
    // A floating bar has no gripper.
    EXPECT_EQ(CRect(6, 1, 94, 39),
              Inside(bar, CBRS_ALIGN_TOP | CBRS_GRIPPER | CBRS_FLOATING, CRect(0, 0, 100, 40), TRUE));

    // Without items a bar is its insets; stretched it spans the whole side.
    bar.SetBarStyle(CBRS_ALIGN_TOP | CBRS_BORDER_BOTTOM);
    EXPECT_EQ(CSize(12, 4), bar.CalcFixedLayout(FALSE, TRUE));
    EXPECT_EQ(CSize(12, 4), bar.CalcDynamicLayout(-1, LM_HORZ | LM_HORZDOCK));
    EXPECT_GE(bar.CalcDynamicLayout(-1, LM_STRETCH | LM_HORZ).cx, 32767);
    EXPECT_FALSE(bar.SetStatusText(5));   // no fly-by
}

TEST(ControlBar, BordersAndGripperAreDrawnInTheSystemsColours)
{
    DibSurface surface(60, 30, RGB(1, 2, 3));
    CControlBar bar;
    bar.SetBarStyle(CBRS_ALIGN_TOP | CBRS_BORDER_ANY | CBRS_BORDER_3D | CBRS_GRIPPER);
    CRect rect(0, 0, 60, 30);
    bar.DrawBorders(&surface.dc, rect);
    EXPECT_EQ(CRect(2, 2, 58, 28), rect);
    COLORREF dark = ::GetSysColor(COLOR_BTNSHADOW);
    COLORREF light = ::GetSysColor(COLOR_BTNHIGHLIGHT);
    EXPECT_EQ(dark, surface.At(0, 15));
    EXPECT_EQ(light, surface.At(1, 15));
    EXPECT_EQ(dark, surface.At(59, 15));
    EXPECT_EQ(light, surface.At(58, 15));
    EXPECT_EQ(dark, surface.At(30, 0));
    EXPECT_EQ(light, surface.At(30, 1));
    EXPECT_EQ(dark, surface.At(30, 29));
    EXPECT_EQ(light, surface.At(30, 28));
    EXPECT_EQ(RGB(1, 2, 3), surface.At(30, 15));

    // The gripper: a raised ridge, 3 pixels wide, at the left of a horizontal bar.
    bar.DrawGripper(&surface.dc, rect);
    EXPECT_EQ(light, surface.At(4, 6));
    EXPECT_EQ(dark, surface.At(6, 10));
    EXPECT_EQ(RGB(1, 2, 3), surface.At(8, 10));

    // Without the style nothing is drawn.
    surface.Fill(RGB(1, 2, 3));
    bar.SetBarStyle(CBRS_ALIGN_TOP);
    CRect plain(0, 0, 60, 30);
    bar.DrawBorders(&surface.dc, plain);
    bar.DrawGripper(&surface.dc, plain);
    EXPECT_EQ(CRect(0, 0, 60, 30), plain);
    EXPECT_EQ(RGB(1, 2, 3), surface.At(0, 0));
    EXPECT_EQ(RGB(1, 2, 3), surface.At(4, 6));
}

TEST(DragRectangle, DrawnAgainItIsGoneAndMovingItTakesTheLastAway)
{
    const COLORREF ground = RGB(10, 20, 30);
    DibSurface surface(80, 60, ground);
    CBrush* pWhite = CBrush::FromHandle(static_cast<HBRUSH>(::GetStockObject(WHITE_BRUSH)));
    CRect none(0, 0, 0, 0);
    CRect first(10, 10, 50, 40);
    surface.dc.DrawDragRect(&first, CSize(3, 3), &none, CSize(0, 0), pWhite, pWhite);
    COLORREF inverted = RGB(255 - 10, 255 - 20, 255 - 30);
    EXPECT_EQ(inverted, surface.At(10, 20));   // the frame, 3 pixels thick
    EXPECT_EQ(inverted, surface.At(12, 20));
    EXPECT_EQ(ground, surface.At(13, 20));   // not its inside
    EXPECT_EQ(inverted, surface.At(30, 39));

    // Moved: the old frame is taken away where the new one does not cover it.
    CRect second(20, 15, 60, 45);
    surface.dc.DrawDragRect(&second, CSize(3, 3), &first, CSize(3, 3), pWhite, pWhite);
    EXPECT_EQ(ground, surface.At(10, 20));
    EXPECT_EQ(inverted, surface.At(20, 30));
    EXPECT_EQ(inverted, surface.At(59, 30));

    // Taken away with a halftone frame drawn in its place: every other pixel of it inverted.
    surface.dc.DrawDragRect(&first, CSize(2, 2), &second, CSize(3, 3), nullptr, pWhite);
    EXPECT_EQ(ground, surface.At(20, 30));
    EXPECT_NE(surface.At(10, 20) == inverted, surface.At(11, 20) == inverted);
    surface.dc.DrawDragRect(&none, CSize(0, 0), &first, CSize(2, 2), nullptr, nullptr);
    for (int x = 0; x < 80; ++x)
        for (int y = 0; y < 60; ++y)
            ASSERT_EQ(ground, surface.At(x, y)) << x << ", " << y;
}

TEST(RecentFileList, NamesAreKeptOnceNewestFirstAndShortenedForTheMenu)
{
    CRecentFileList list(ID_FILE_MRU_FILE1, "Recent File List", "File%d", 3, 30);
    list.Add("C:\\Shows\\Summer & Sun\\Part one\\final\\show.vxt");
    list.Add("C:\\A very long folder name here\\R&D\\show.vxt");
    list.Add("C:\\Short\\a.vxt");
    list.Add("c:\\short\\A.VXT");   // the same file: it moves to the front once
    ASSERT_EQ(3, list.GetCount());
    EXPECT_STREQ("c:\\short\\A.VXT", list[0]);

    CString name;
    ASSERT_TRUE(list.GetDisplayName(name, 0, "C:\\Short"));
    EXPECT_STREQ("A.VXT", name);   // a file of the current folder shows its name
    ASSERT_TRUE(list.GetDisplayName(name, 1, "C:\\Other"));
    EXPECT_STREQ("C:\\...\\R&&D\\show.vxt", name);   // as much of the end as fits; '&' shows as itself
    ASSERT_TRUE(list.GetDisplayName(name, 2, ""));
    EXPECT_STREQ("C:\\...\\Part one\\final\\show.vxt", name);
    EXPECT_FALSE(list.GetDisplayName(name, 3, ""));

    list.Add("C:\\Fourth.vxt");   // the oldest falls out
    ASSERT_EQ(3, list.GetCount());
    EXPECT_STREQ("C:\\Fourth.vxt", list[0]);
    EXPECT_STREQ("C:\\A very long folder name here\\R&D\\show.vxt", list[2]);
    list.Remove(0);
    EXPECT_EQ(2, list.GetCount());
    EXPECT_STREQ("", list[5]);
}

}   // namespace
