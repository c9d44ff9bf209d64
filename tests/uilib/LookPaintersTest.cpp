// Looks and system-colour bitmaps: the classic look hands out no painters; the four greys of tool-bar art
// become the current system colours, in colour-table pictures and in true-colour ones alike.
#include "uilib/core/base/LookPainters.h"

#include "UilibTestIds.h"
#include "UilibTestSupport.h"
#include "support/win_DibSurface.h"

#include <gtest/gtest.h>

namespace
{

TEST(Looks, TheClassicLookLeavesAllDrawingToTheClasses)
{
    ASSERT_FALSE(uxAfxData.m_bFlatLook);
    CUXLook* look = GetToolBarLook();
    ASSERT_NE(nullptr, look);
    look->SetCustomizeMode(TRUE);
    EXPECT_EQ(nullptr, look->GetControlPainter());
    EXPECT_EQ(nullptr, look->GetComboPainter());
    EXPECT_EQ(nullptr, look->GetToolBarPainter());
    EXPECT_EQ(nullptr, look->GetListPainter());
    look->SetCustomizeMode(FALSE);
}

// The test picture's ground, black, dark grey and white blocks and its red pixel.
struct GreysPixels
{
    COLORREF ground, black, dark, white, red;
};

GreysPixels LoadGreys(UINT id, BOOL mono)
{
    CBitmap bitmap;
    bitmap.Attach(LoadSysColorBitmap(::GetModuleHandleA(nullptr), id, mono));
    int w = 0, h = 0;
    std::vector<COLORREF> pixels = ReadBitmapPixels(bitmap, &w, &h);
    EXPECT_EQ(16, w);
    EXPECT_EQ(15, h);
    if (pixels.size() != 16u * 15u)
        return GreysPixels{};
    auto at = [&pixels](int x, int y) { return pixels[y * 16 + x]; };
    return GreysPixels{at(0, 0), at(2, 2), at(7, 2), at(12, 2), at(1, 8)};
}

TEST(SysColorBitmaps, GreysBecomeTheCurrentSystemColours)
{
    SysColorScope colors;
    colors.Set(COLOR_BTNTEXT, RGB(10, 20, 30));
    colors.Set(COLOR_BTNSHADOW, RGB(90, 60, 30));
    colors.Set(COLOR_BTNHIGHLIGHT, RGB(250, 240, 230));
    for (UINT id : {IDB_TEST_GREYS4, IDB_TEST_GREYS24})
    {
        colors.Set(COLOR_BTNFACE, RGB(200, 180, 160));
        GreysPixels p = LoadGreys(id, FALSE);
        EXPECT_EQ(RGB(200, 180, 160), p.ground) << id;
        EXPECT_EQ(RGB(10, 20, 30), p.black) << id;
        EXPECT_EQ(RGB(90, 60, 30), p.dark) << id;
        EXPECT_EQ(RGB(250, 240, 230), p.white) << id;
        EXPECT_EQ(RGB(255, 0, 0), p.red) << id;   // other colours stay

        // After a change of the system colours, loading again gives the new face.
        colors.Set(COLOR_BTNFACE, RGB(140, 200, 120));
        EXPECT_EQ(RGB(140, 200, 120), LoadGreys(id, FALSE).ground) << id;
    }
}

TEST(SysColorBitmaps, MonoKeepsBlackAndWhitensTheOtherGreys)
{
    SysColorScope colors;
    colors.Set(COLOR_BTNTEXT, RGB(10, 20, 30));   // mono ignores the system colours
    for (UINT id : {IDB_TEST_GREYS4, IDB_TEST_GREYS24})
    {
        GreysPixels p = LoadGreys(id, TRUE);
        EXPECT_EQ(RGB(0, 0, 0), p.black) << id;
        EXPECT_EQ(RGB(255, 255, 255), p.ground) << id;
        EXPECT_EQ(RGB(255, 255, 255), p.dark) << id;
        EXPECT_EQ(RGB(255, 255, 255), p.white) << id;
        EXPECT_EQ(RGB(255, 0, 0), p.red) << id;
    }
}

TEST(SysColorBitmaps, AMissingResourceGivesNone)
{
    EXPECT_EQ(nullptr, LoadSysColorBitmap(::GetModuleHandleA(nullptr), 9999));
    EXPECT_EQ(nullptr, LoadSysColorBitmap(nullptr, "NoSuchBitmap"));
}

}   // namespace
