// The off-screen slide surface: fill, full-size copies and thumbnails with their grey bars.
#include "show/SlideMemDC.h"
#include "support/win_DibSurface.h"

#include <gtest/gtest.h>

namespace
{

const COLORREF kGrey = RGB(192, 192, 192);

// A 32-bit reference, so that the surface and its copies are 32-bit too.
struct SlideMemDCTest : ::testing::Test
{
    DibSurface reference{4, 4};
};

TEST_F(SlideMemDCTest, FillsItsRectangleWithTheColour)
{
    CSlideMemDC surface(&reference.dc, CRect(0, 0, 50, 40), RGB(10, 20, 30));
    ASSERT_NE(nullptr, surface.GetSafeHdc());
    EXPECT_EQ(RGB(10, 20, 30), surface.GetPixel(0, 0));
    EXPECT_EQ(RGB(10, 20, 30), surface.GetPixel(49, 39));
    EXPECT_EQ(CLR_INVALID, surface.GetPixel(50, 39));   // the bitmap is as large as the rectangle
}

TEST_F(SlideMemDCTest, TakesTheReferenceMappingMode)
{
    reference.dc.SetMapMode(MM_TWIPS);
    CSlideMemDC surface(&reference.dc, CRect(0, 0, 8, 8), RGB(1, 1, 1));
    EXPECT_EQ(MM_TWIPS, surface.GetMapMode());
    reference.dc.SetMapMode(MM_TEXT);
}

TEST_F(SlideMemDCTest, CopyToBitmapCopiesFromTheOrigin)
{
    CSlideMemDC surface(&reference.dc, CRect(0, 0, 20, 10), RGB(0, 0, 255));
    surface.FillSolidRect(0, 0, 3, 2, RGB(255, 0, 0));
    CBitmap bitmap;
    ASSERT_TRUE(surface.CopyToBitmap(&bitmap, 20, 10));
    int w = 0, h = 0;
    std::vector<COLORREF> px = ReadBitmapPixels(bitmap, &w, &h);
    ASSERT_EQ(20, w);
    ASSERT_EQ(10, h);
    EXPECT_EQ(RGB(255, 0, 0), px[0]);
    EXPECT_EQ(RGB(255, 0, 0), px[1 * 20 + 2]);
    EXPECT_EQ(RGB(0, 0, 255), px[1 * 20 + 3]);
    EXPECT_EQ(RGB(0, 0, 255), px[9 * 20 + 19]);
}

TEST_F(SlideMemDCTest, RectangleAwayFromTheOriginIsFilledWhereItLies)
{
    // The bitmap is 15 x 15; the fill covers (5, 5) onwards, the copy reads from (0, 0).
    CSlideMemDC fresh(&reference.dc, CRect(5, 5, 20, 20), RGB(0, 255, 0));
    CBitmap bitmap;
    ASSERT_TRUE(fresh.CopyToBitmap(&bitmap, 15, 15));
    std::vector<COLORREF> px = ReadBitmapPixels(bitmap);
    ASSERT_EQ(225u, px.size());
    EXPECT_NE(RGB(0, 255, 0), px[4 * 15 + 4]);
    EXPECT_EQ(RGB(0, 255, 0), px[5 * 15 + 5]);
    EXPECT_EQ(RGB(0, 255, 0), px[14 * 15 + 14]);
}

TEST(SlideMemDCScale, PlacesTheSourceWithItsAspectRatioKept)
{
    EXPECT_EQ(CRect(0, 1, 140, 103),
              CSlideMemDC::CalcScaledRect(140, 105, 638, 466));   // wide: bars above and below
    EXPECT_EQ(CRect(17, 0, 122, 105),
              CSlideMemDC::CalcScaledRect(140, 105, 400, 400));                        // tall: bars left and right
    EXPECT_EQ(CRect(44, 0, 96, 105), CSlideMemDC::CalcScaledRect(140, 105, 10, 20));   // small sources grow
    EXPECT_EQ(CRect(0, 0, 140, 105), CSlideMemDC::CalcScaledRect(140, 105, 280, 210));
}

TEST(SlideMemDCScale, ZeroOrNegativeSizesGiveAnEmptyPlace)
{
    EXPECT_TRUE(CSlideMemDC::CalcScaledRect(0, 105, 638, 466).IsRectEmpty());
    EXPECT_TRUE(CSlideMemDC::CalcScaledRect(140, -1, 638, 466).IsRectEmpty());
    EXPECT_TRUE(CSlideMemDC::CalcScaledRect(140, 105, 0, 466).IsRectEmpty());
    EXPECT_TRUE(CSlideMemDC::CalcScaledRect(140, 105, 638, -5).IsRectEmpty());
}

// Thumbnail of a surface filled red: grey outside the scaled place, red inside.
void ExpectThumbnail(CDC* reference, int srcW, int srcH, const CRect& place)
{
    CSlideMemDC surface(reference, CRect(0, 0, srcW, srcH), RGB(255, 0, 0));
    CBitmap thumb;
    ASSERT_TRUE(surface.ScaleToBitmap(&thumb, 140, 105, srcW, srcH));
    int w = 0, h = 0;
    std::vector<COLORREF> px = ReadBitmapPixels(thumb, &w, &h);
    ASSERT_EQ(140, w);
    ASSERT_EQ(105, h);
    for (int y = 0; y < h; ++y)
        for (int x = 0; x < w; ++x)
        {
            COLORREF expected = place.PtInRect(CPoint(x, y)) ? RGB(255, 0, 0) : kGrey;
            ASSERT_EQ(expected, px[y * w + x]) << "at " << x << "," << y;
        }
}

TEST_F(SlideMemDCTest, ThumbnailOfAWideSlideHasGreyBarsAboveAndBelow)
{
    ExpectThumbnail(&reference.dc, 638, 466, CRect(0, 1, 140, 103));
}

TEST_F(SlideMemDCTest, ThumbnailOfATallSourceHasGreyBarsLeftAndRight)
{
    ExpectThumbnail(&reference.dc, 400, 400, CRect(17, 0, 122, 105));
}

TEST_F(SlideMemDCTest, ThumbnailDropsRowsAndColumnsInsteadOfBlending)
{
    // Black and white columns two pixels wide, halved: every pixel stays black or white.
    CSlideMemDC surface(&reference.dc, CRect(0, 0, 280, 210), RGB(255, 255, 255));
    for (int x = 0; x < 280; x += 4)
        surface.FillSolidRect(x, 0, 2, 210, RGB(0, 0, 0));
    CBitmap thumb;
    ASSERT_TRUE(surface.ScaleToBitmap(&thumb, 140, 105, 280, 210));
    std::vector<COLORREF> px = ReadBitmapPixels(thumb);
    ASSERT_EQ(140u * 105u, px.size());
    int black = 0;
    for (COLORREF c : px)
    {
        ASSERT_TRUE(c == RGB(0, 0, 0) || c == RGB(255, 255, 255)) << std::hex << c;
        black += c == RGB(0, 0, 0);
    }
    EXPECT_EQ(70 * 105, black);
}

TEST_F(SlideMemDCTest, ZeroSizesNeverDivideAndGiveEmptyOrGrey)
{
    CSlideMemDC surface(&reference.dc, CRect(0, 0, 20, 20), RGB(255, 0, 0));
    CBitmap bitmap;
    EXPECT_FALSE(surface.ScaleToBitmap(&bitmap, 0, 105, 20, 20));
    EXPECT_EQ(nullptr, bitmap.GetSafeHandle());
    EXPECT_FALSE(surface.ScaleToBitmap(&bitmap, 140, -3, 20, 20));
    EXPECT_FALSE(surface.CopyToBitmap(&bitmap, 0, 10));
    EXPECT_EQ(nullptr, bitmap.GetSafeHandle());

    // A source without area gives the plain grey target.
    ASSERT_TRUE(surface.ScaleToBitmap(&bitmap, 14, 10, 0, 20));
    std::vector<COLORREF> px = ReadBitmapPixels(bitmap);
    ASSERT_EQ(140u, px.size());
    for (COLORREF c : px)
        EXPECT_EQ(kGrey, c);
    ASSERT_TRUE(surface.ScaleToBitmap(&bitmap, 14, 10, 20, -20));
    EXPECT_EQ(kGrey, ReadBitmapPixels(bitmap)[0]);
}

TEST_F(SlideMemDCTest, EmptyRectangleStillMakesAUsableSurface)
{
    CSlideMemDC surface(&reference.dc, CRect(10, 10, 10, 30), RGB(255, 0, 0));
    ASSERT_NE(nullptr, surface.GetSafeHdc());
    CBitmap bitmap;
    ASSERT_TRUE(surface.ScaleToBitmap(&bitmap, 8, 6, 0, 20));
    EXPECT_EQ(kGrey, ReadBitmapPixels(bitmap)[0]);
}

TEST_F(SlideMemDCTest, ReplacesTheBitmapItIsGiven)
{
    CSlideMemDC surface(&reference.dc, CRect(0, 0, 30, 20), RGB(0, 0, 255));
    CBitmap bitmap;
    ASSERT_TRUE(bitmap.CreateDIBSection(3, 3));
    HGDIOBJ old = bitmap.GetSafeHandle();
    ASSERT_TRUE(surface.CopyToBitmap(&bitmap, 30, 20));
    EXPECT_EQ(0u, ::GetObjectType(old));
    BITMAP bm = {};
    ASSERT_TRUE(bitmap.GetBitmap(&bm));
    EXPECT_EQ(30, bm.bmWidth);
    EXPECT_EQ(20, bm.bmHeight);
}

}   // namespace
