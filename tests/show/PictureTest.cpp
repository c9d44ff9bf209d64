#include "show/Picture.h"

#include "support/BmpFile.h"
#include "support/win_DibSurface.h"
#include "support/win_TestFiles.h"

#include <gtest/gtest.h>

#include <psapi.h>

#include <cstdio>
#include <string>

namespace
{

const COLORREF kRed = RGB(255, 0, 0);
const COLORREF kGreen = RGB(0, 255, 0);
const COLORREF kBlue = RGB(0, 0, 255);
const COLORREF kMagenta = RGB(255, 0, 255);
const COLORREF kYellow = RGB(255, 255, 0);

std::string TempFile(const char* name)
{
    return TempFolderPath() + name;
}

void WriteFile(const std::string& path, const std::vector<BYTE>& data)
{
    FILE* f = fopen(path.c_str(), "wb");
    ASSERT_NE(f, nullptr);
    fwrite(data.data(), 1, data.size(), f);
    fclose(f);
}

// Rows of two colours so that a wrong orientation or offset shows.
std::vector<BYTE> StripedBmp(int w, int h)
{
    return MakeBmp(w, h, [](int x, int y) { return y == 0 ? kRed : (x == 0 ? kBlue : kGreen); });
}

// Memory the process has committed.
SIZE_T CommittedBytes()
{
    PROCESS_MEMORY_COUNTERS counters = {};
    counters.cb = sizeof(counters);
    ::GetProcessMemoryInfo(::GetCurrentProcess(), &counters, sizeof(counters));
    return counters.PagefileUsage;
}

}   // namespace

// ---------------------------------------------------------------------------------------------------------
// Loading

TEST(PictureLoad, FromMemoryGivesSizeInPixels)
{
    std::vector<BYTE> bmp = StripedBmp(5, 3);
    CPicture picture;
    EXPECT_TRUE(picture.LoadFromMemory(bmp.data(), static_cast<DWORD>(bmp.size())));
    EXPECT_TRUE(picture.m_bLoaded);
    EXPECT_EQ(picture.m_nWidth, 5);
    EXPECT_EQ(picture.m_nHeight, 3);
    EXPECT_EQ(picture.m_nDataSize, bmp.size());
    EXPECT_NE(picture.m_pPicture, nullptr);
}

TEST(PictureLoad, UndecodableDataIsNotLoaded)
{
    const char junk[] = "this is not a picture at all, just some text";
    CPicture picture;
    EXPECT_TRUE(picture.LoadFromMemory(junk, sizeof(junk)));
    EXPECT_FALSE(picture.m_bLoaded);
    EXPECT_EQ(picture.m_pPicture, nullptr);
    EXPECT_EQ(picture.m_nWidth, 0);
    EXPECT_EQ(picture.m_nHeight, 0);
    EXPECT_TRUE(picture.m_strLastError.IsEmpty());
}

TEST(PictureLoad, TruncatedAndEmptyDataAreNotLoaded)
{
    std::vector<BYTE> bmp = StripedBmp(8, 8);
    CPicture picture;
    picture.LoadFromMemory(bmp.data(), 10);
    EXPECT_FALSE(picture.m_bLoaded);
    picture.LoadFromMemory(bmp.data(), 0);
    EXPECT_FALSE(picture.m_bLoaded);
    picture.LoadFromMemory(nullptr, 100);
    EXPECT_FALSE(picture.m_bLoaded);
}

TEST(PictureLoad, LoadingAgainAndAgainKeepsNoCopies)
{
    // Each load copies the data into global memory under a stream; the stream (and with it the copy) must
    // go whether or not the data decodes. 100 loads of 4 MB would hold 400 MB otherwise.
    std::vector<BYTE> junk(4 * 1024 * 1024, 0x5A);
    std::vector<BYTE> bmp = MakeSolidBmp(1000, 1000, kRed);
    CPicture picture;
    picture.LoadFromMemory(junk.data(), static_cast<DWORD>(junk.size()));
    picture.LoadFromMemory(bmp.data(), static_cast<DWORD>(bmp.size()));
    const SIZE_T before = CommittedBytes();
    ASSERT_GT(before, 0u);
    for (int i = 0; i < 50; i++)
    {
        picture.LoadFromMemory(junk.data(), static_cast<DWORD>(junk.size()));
        EXPECT_FALSE(picture.m_bLoaded);
        picture.LoadFromMemory(bmp.data(), static_cast<DWORD>(bmp.size()));
        EXPECT_TRUE(picture.m_bLoaded);
    }
    const SIZE_T after = CommittedBytes();
    EXPECT_LT(after, before + 64 * 1024 * 1024) << before << " -> " << after;
}

TEST(PictureLoad, NewDataReplacesTheOldPicture)
{
    std::vector<BYTE> big = StripedBmp(7, 6);
    std::vector<BYTE> small = StripedBmp(2, 3);
    CPicture picture;
    picture.LoadFromMemory(big.data(), static_cast<DWORD>(big.size()));
    picture.LoadFromMemory(small.data(), static_cast<DWORD>(small.size()));
    EXPECT_EQ(picture.m_nWidth, 2);
    EXPECT_EQ(picture.m_nHeight, 3);
    const char junk[] = "junk";
    picture.LoadFromMemory(junk, sizeof(junk));
    EXPECT_FALSE(picture.m_bLoaded);
    EXPECT_EQ(picture.m_nWidth, 0);
}

TEST(PictureLoad, FromFileKeepsPathAndExtension)
{
    std::string path = TempFile("vx picture test.bmp");
    WriteFile(path, StripedBmp(9, 4));
    CPicture picture;
    EXPECT_TRUE(picture.Load(path.c_str()));
    EXPECT_TRUE(picture.m_bLoaded);
    EXPECT_EQ(picture.m_nWidth, 9);
    EXPECT_EQ(picture.m_nHeight, 4);
    EXPECT_STREQ(picture.m_strPath, path.c_str());
    EXPECT_STREQ(picture.m_strExtension, "BMP");
    ::DeleteFileA(path.c_str());
}

TEST(PictureLoad, MissingFileFailsAndDropsTheOldPicture)
{
    std::vector<BYTE> bmp = StripedBmp(3, 3);
    CPicture picture;
    picture.LoadFromMemory(bmp.data(), static_cast<DWORD>(bmp.size()));
    EXPECT_FALSE(picture.Load(TempFile("vx-no-such-picture.Jpg").c_str()));
    EXPECT_FALSE(picture.m_bLoaded);
    EXPECT_EQ(picture.m_pPicture, nullptr);
    EXPECT_STREQ(picture.m_strExtension, "JPG");
}

TEST(PictureLoad, FileWithUndecodableContentIsNotLoaded)
{
    std::string path = TempFile("vx-broken.gif");
    WriteFile(path, std::vector<BYTE>{'G', 'I', 'F', '8', '9', 'a', 1, 2, 3});
    CPicture picture;
    EXPECT_FALSE(picture.Load(path.c_str()));
    EXPECT_FALSE(picture.m_bLoaded);
    ::DeleteFileA(path.c_str());
}

TEST(PictureLoad, FromProgramResource)
{
    CPicture picture;
    EXPECT_TRUE(picture.Load("RESSOURCE:00130:IMAGE"));
    EXPECT_TRUE(picture.m_bLoaded);
    EXPECT_EQ(picture.m_nWidth, 4);
    EXPECT_EQ(picture.m_nHeight, 3);
    EXPECT_STREQ(picture.m_strPath, "RESSOURCE:00130:IMAGE");

    DibSurface surface(4, 3);
    EXPECT_TRUE(picture.Render(&surface.dc, CRect(0, 0, 4, 3)));
    EXPECT_EQ(surface.At(0, 0), kRed);
    EXPECT_EQ(surface.At(3, 0), RGB(255, 255, 255));
    EXPECT_EQ(surface.At(1, 1), kMagenta);
    EXPECT_EQ(surface.At(3, 2), RGB(100, 110, 120));
}

TEST(PictureLoad, ResourceSeparatorIsAnyCharacter)
{
    CPicture picture;
    EXPECT_TRUE(picture.LoadResourcePath("RESSOURCE:00130/IMAGE"));
    EXPECT_TRUE(picture.m_bLoaded);
}

TEST(PictureLoad, MissingResourceReportsOnlyWhenAsked)
{
    CMessageBoxRecorder boxes;
    CPicture picture;
    EXPECT_FALSE(picture.Load("RESSOURCE:00131:IMAGE"));
    EXPECT_STREQ(picture.m_strLastError, "FindResource() Failed\t");
    EXPECT_EQ(boxes.Count(), 0u);

    picture.m_bShowErrors = TRUE;
    EXPECT_FALSE(picture.Load("RESSOURCE:00130:NOSUCHTYPE"));
    ASSERT_EQ(boxes.Count(), 1u);
    EXPECT_EQ(boxes.Records()[0].caption, "CPicture Error");
    EXPECT_EQ(boxes.Records()[0].text, "FindResource() Failed\t");
}

TEST(PictureLoad, ShortResourcePathLoadsNothing)
{
    CPicture picture;
    EXPECT_FALSE(picture.Load("RESSOURCE:00130"));
    EXPECT_FALSE(picture.Load("RESSOURCE:"));
    EXPECT_FALSE(picture.m_bLoaded);
}

TEST(PictureLoad, CopyReloadsAFileButNotAMemoryPicture)
{
    std::string path = TempFile("vx-copy.bmp");
    WriteFile(path, StripedBmp(6, 2));
    CPicture fromFile;
    fromFile.Load(path.c_str());
    CPicture copy;
    copy.CopyFrom(fromFile);
    EXPECT_TRUE(copy.m_bLoaded);
    EXPECT_EQ(copy.m_nWidth, 6);
    EXPECT_NE(copy.m_pPicture, fromFile.m_pPicture);

    std::vector<BYTE> bmp = StripedBmp(3, 3);
    CPicture fromMemory;
    fromMemory.LoadFromMemory(bmp.data(), static_cast<DWORD>(bmp.size()));
    copy.CopyFrom(fromMemory);
    EXPECT_FALSE(copy.m_bLoaded);
    EXPECT_EQ(copy.m_pPicture, nullptr);
    EXPECT_EQ(copy.m_nDataSize, bmp.size());
    ::DeleteFileA(path.c_str());
}

// ---------------------------------------------------------------------------------------------------------
// Drawing

TEST(PictureDraw, RenderAtNaturalSizeKeepsExactColours)
{
    std::vector<BYTE> bmp = StripedBmp(5, 4);
    CPicture picture;
    picture.LoadFromMemory(bmp.data(), static_cast<DWORD>(bmp.size()));
    DibSurface surface(10, 10, kYellow);
    EXPECT_TRUE(picture.Render(&surface.dc, CRect(2, 3, 7, 7)));
    EXPECT_EQ(surface.At(2, 3), kRed);
    EXPECT_EQ(surface.At(6, 3), kRed);
    EXPECT_EQ(surface.At(2, 4), kBlue);
    EXPECT_EQ(surface.At(6, 6), kGreen);
    EXPECT_EQ(surface.At(1, 3), kYellow);
    EXPECT_EQ(surface.At(7, 6), kYellow);
    EXPECT_EQ(surface.At(2, 7), kYellow);
}

TEST(PictureDraw, RenderWithoutPictureOrIntoEmptyRectangleFails)
{
    CPicture empty;
    DibSurface surface(4, 4, kYellow);
    EXPECT_FALSE(empty.Render(&surface.dc, CRect(0, 0, 4, 4)));

    std::vector<BYTE> bmp = StripedBmp(2, 2);
    CPicture picture;
    picture.LoadFromMemory(bmp.data(), static_cast<DWORD>(bmp.size()));
    EXPECT_FALSE(picture.Render(nullptr, CRect(0, 0, 4, 4)));
    EXPECT_FALSE(picture.Render(&surface.dc, CRect(2, 2, 2, 4)));
    EXPECT_FALSE(picture.Render(&surface.dc, CRect(3, 3, 1, 1)));
    EXPECT_EQ(surface.At(2, 2), kYellow);
}

TEST(PictureDraw, RenderToBitmapFillsWithTheBrushFirst)
{
    std::vector<BYTE> bmp = MakeSolidBmp(2, 2, kRed);
    CPicture picture;
    picture.LoadFromMemory(bmp.data(), static_cast<DWORD>(bmp.size()));
    DibSurface surface(4, 4, kYellow);
    CBitmap bitmap;
    CBrush brush(kBlue);
    EXPECT_TRUE(picture.RenderToBitmap(&surface.dc, &bitmap, 4, 4, &brush));
    CPicture::BlitBitmap(&surface.dc, CRect(0, 0, 4, 4), &bitmap);
    EXPECT_EQ(surface.At(0, 0), kRed);   // stretched over the whole bitmap
    EXPECT_EQ(surface.At(3, 3), kRed);

    CPicture empty;
    EXPECT_FALSE(empty.RenderToBitmap(&surface.dc, &bitmap, 4, 4, &brush));
    CPicture::BlitBitmap(&surface.dc, CRect(0, 0, 4, 4), &bitmap);
    EXPECT_EQ(surface.At(1, 1), kBlue);
}

TEST(PictureDraw, RenderToBitmapOfNoSizeMakesNoBitmap)
{
    std::vector<BYTE> bmp = MakeSolidBmp(2, 2, kRed);
    CPicture picture;
    picture.LoadFromMemory(bmp.data(), static_cast<DWORD>(bmp.size()));
    DibSurface surface(4, 4);
    CBitmap bitmap;
    EXPECT_FALSE(picture.RenderToBitmap(&surface.dc, &bitmap, 0, 4, nullptr));
    EXPECT_EQ(bitmap.GetSafeHandle(), nullptr);
    EXPECT_FALSE(picture.RenderToBitmap(&surface.dc, &bitmap, 4, -1, nullptr));
    EXPECT_EQ(bitmap.GetSafeHandle(), nullptr);
}

TEST(PictureDraw, TransparentColourLetsTheBackgroundThrough)
{
    // A 4 x 2 picture: magenta (the transparent colour) in a checkerboard with red, blue and near-magenta.
    std::vector<BYTE> bmp = MakeBmp(4, 2,
                                    [](int x, int y)
                                    {
                                        if ((x + y) % 2 == 0)
                                            return kMagenta;
                                        return x == 1 ? kRed : (x == 3 ? RGB(254, 0, 255) : kBlue);
                                    });
    CPicture picture;
    picture.LoadFromMemory(bmp.data(), static_cast<DWORD>(bmp.size()));
    DibSurface surface(8, 6, kGreen);
    CBitmap bitmap;
    ASSERT_TRUE(picture.RenderToBitmap(&surface.dc, &bitmap, 4, 2, nullptr));
    surface.dc.SetBkColor(RGB(1, 2, 3));
    surface.dc.SetTextColor(RGB(4, 5, 6));
    CPicture::DrawTransparent(&surface.dc, 2, 3, 4, 2, &bitmap, 0, 0, kMagenta, nullptr);

    EXPECT_EQ(surface.At(2, 3), kGreen);             // (0,0) magenta
    EXPECT_EQ(surface.At(3, 3), kRed);               // (1,0)
    EXPECT_EQ(surface.At(4, 3), kGreen);             // (2,0) magenta
    EXPECT_EQ(surface.At(5, 3), RGB(254, 0, 255));   // (3,0) near the key: drawn
    EXPECT_EQ(surface.At(2, 4), kBlue);              // (0,1)
    EXPECT_EQ(surface.At(3, 4), kGreen);             // (1,1) magenta
    EXPECT_EQ(surface.At(1, 3), kGreen);             // outside
    EXPECT_EQ(surface.At(6, 4), kGreen);
    EXPECT_EQ(surface.At(2, 5), kGreen);
    // The destination's colours are left as they were.
    EXPECT_EQ(surface.dc.GetBkColor(), RGB(1, 2, 3));
    EXPECT_EQ(surface.dc.GetTextColor(), RGB(4, 5, 6));
}

TEST(PictureDraw, TransparentDrawingFromASourceOffset)
{
    std::vector<BYTE> bmp = MakeBmp(4, 4, [](int x, int y) { return (x >= 2 && y >= 2) ? kRed : kMagenta; });
    CPicture picture;
    picture.LoadFromMemory(bmp.data(), static_cast<DWORD>(bmp.size()));
    DibSurface surface(4, 4, kBlue);
    CBitmap bitmap;
    ASSERT_TRUE(picture.RenderToBitmap(&surface.dc, &bitmap, 4, 4, nullptr));
    CPicture::DrawTransparent(&surface.dc, 0, 0, 3, 3, &bitmap, 1, 1, kMagenta, nullptr);
    EXPECT_EQ(surface.At(0, 0), kBlue);
    EXPECT_EQ(surface.At(1, 1), kRed);
    EXPECT_EQ(surface.At(2, 2), kRed);
    EXPECT_EQ(surface.At(3, 3), kBlue);   // outside the 3 x 3 part
}

TEST(PictureDraw, TransparentDrawingOfNoSizeDrawsNothing)
{
    std::vector<BYTE> bmp = MakeSolidBmp(2, 2, kRed);
    CPicture picture;
    picture.LoadFromMemory(bmp.data(), static_cast<DWORD>(bmp.size()));
    DibSurface surface(4, 4, kBlue);
    CBitmap bitmap;
    ASSERT_TRUE(picture.RenderToBitmap(&surface.dc, &bitmap, 2, 2, nullptr));
    CPicture::DrawTransparent(&surface.dc, 0, 0, 0, 2, &bitmap, 0, 0, kMagenta, nullptr);
    CPicture::DrawTransparent(&surface.dc, 0, 0, 2, -2, &bitmap, 0, 0, kMagenta, nullptr);
    CBitmap none;
    CPicture::DrawTransparent(&surface.dc, 0, 0, 2, 2, &none, 0, 0, kMagenta, nullptr);
    EXPECT_EQ(surface.At(0, 0), kBlue);
}

TEST(PictureDraw, FittedPictureIsCentredOnTheBox)
{
    std::vector<BYTE> bmp = MakeSolidBmp(4, 2, kRed);
    CPicture picture;
    picture.LoadFromMemory(bmp.data(), static_cast<DWORD>(bmp.size()));
    DibSurface surface(10, 10, kBlue);
    EXPECT_TRUE(picture.RenderFitted(&surface.dc, CRect(0, 0, 10, 10)));
    // (10 - 4) / 2 + 1 = 4, (10 - 2) / 2 + 1 = 5
    EXPECT_EQ(surface.At(4, 5), kRed);
    EXPECT_EQ(surface.At(7, 6), kRed);
    EXPECT_EQ(surface.At(3, 5), kBlue);
    EXPECT_EQ(surface.At(8, 5), kBlue);
    EXPECT_EQ(surface.At(4, 4), kBlue);
    EXPECT_EQ(surface.At(4, 7), kBlue);
}

TEST(PictureDraw, FittedPictureIsCutToTheBox)
{
    // As wide as the box: scaled with ratio 1 and moved by the margin; the rectangle is cut to the box, so
    // the picture is squeezed into 5 columns and nothing lands outside.
    std::vector<BYTE> bmp = MakeSolidBmp(6, 2, kGreen);
    CPicture picture;
    picture.LoadFromMemory(bmp.data(), static_cast<DWORD>(bmp.size()));
    DibSurface surface(8, 8, kBlue);
    EXPECT_TRUE(picture.RenderFitted(&surface.dc, CRect(0, 0, 6, 6)));
    EXPECT_EQ(surface.At(0, 3), kBlue);
    EXPECT_EQ(surface.At(1, 3), kGreen);
    EXPECT_EQ(surface.At(6, 3), kBlue);   // nothing beyond the box
    EXPECT_EQ(surface.At(1, 2), kBlue);
    EXPECT_EQ(surface.At(1, 4), kGreen);
    EXPECT_EQ(surface.At(1, 5), kBlue);
}

TEST(PictureDraw, FittingIntoAnEmptyBoxDrawsNothing)
{
    std::vector<BYTE> bmp = MakeSolidBmp(4, 2, kRed);
    CPicture picture;
    picture.LoadFromMemory(bmp.data(), static_cast<DWORD>(bmp.size()));
    DibSurface surface(4, 4, kBlue);
    EXPECT_FALSE(picture.RenderFitted(&surface.dc, CRect(0, 0, 0, 0)));
    EXPECT_FALSE(picture.RenderFitted(&surface.dc, CRect(0, 0, -5, 10)));
    EXPECT_FALSE(picture.RenderFitted(&surface.dc, CRect(0, 0, 1, 1)));   // margin eats it all
    EXPECT_EQ(surface.At(0, 0), kBlue);
    EXPECT_EQ(surface.At(1, 1), kBlue);
    CPicture empty;
    EXPECT_FALSE(empty.RenderFitted(&surface.dc, CRect(0, 0, 4, 4)));
}

// ---------------------------------------------------------------------------------------------------------
// Fitting

TEST(PictureFit, SmallPictureKeepsItsSizeAndIsCentred)
{
    EXPECT_EQ(CPicture::CalcFittedRect(CRect(0, 0, 200, 200), 1, 100, 50), CRect(51, 76, 151, 126));
    // in the box's own coordinates
    EXPECT_EQ(CPicture::CalcFittedRect(CRect(30, 40, 230, 240), 1, 100, 50), CRect(51, 76, 151, 126));
}

TEST(PictureFit, WidePictureTakesTheFullWidth)
{
    EXPECT_EQ(CPicture::CalcFittedRect(CRect(0, 0, 200, 200), 1, 400, 100), CRect(1, 76, 201, 126));
}

TEST(PictureFit, TallPictureTakesTheFullHeight)
{
    // rh = 3 > rw = 1.5: height 100, width 300 / 3 = 100 ... centred horizontally
    EXPECT_EQ(CPicture::CalcFittedRect(CRect(0, 0, 200, 100), 0, 300, 300), CRect(50, 0, 150, 100));
    // 333 / (500 / 100) = 66.6 truncated
    EXPECT_EQ(CPicture::CalcFittedRect(CRect(0, 0, 100, 100), 0, 333, 500), CRect(17, 0, 83, 100));
}

TEST(PictureFit, PictureAsWideAsTheBoxIsScaledWithRatioOne)
{
    EXPECT_EQ(CPicture::CalcFittedRect(CRect(0, 0, 200, 200), 1, 200, 50), CRect(1, 76, 201, 126));
    EXPECT_EQ(CPicture::CalcFittedRect(CRect(0, 0, 200, 200), 0, 200, 200), CRect(0, 0, 200, 200));
}

TEST(PictureFit, ZeroOrNegativeSizesGiveAnEmptyRectangle)
{
    const CRect box(0, 0, 200, 200);
    EXPECT_TRUE(CPicture::CalcFittedRect(CRect(0, 0, 0, 200), 1, 100, 50).IsRectEmpty());
    EXPECT_TRUE(CPicture::CalcFittedRect(CRect(0, 0, 200, 0), 1, 100, 50).IsRectEmpty());
    EXPECT_TRUE(CPicture::CalcFittedRect(CRect(10, 10, 0, 0), 1, 100, 50).IsRectEmpty());
    EXPECT_TRUE(CPicture::CalcFittedRect(box, 1, 0, 50).IsRectEmpty());
    EXPECT_TRUE(CPicture::CalcFittedRect(box, 1, 100, 0).IsRectEmpty());
    EXPECT_TRUE(CPicture::CalcFittedRect(box, 1, -100, 50).IsRectEmpty());
    EXPECT_TRUE(CPicture::CalcFittedRect(box, 1, 100, -50).IsRectEmpty());
}

TEST(PictureFit, ExtremeAspectRatioCanRoundToNothing)
{
    CRect rc = CPicture::CalcFittedRect(CRect(0, 0, 100, 100), 0, 1000, 1);
    EXPECT_EQ(rc.Width(), 100);
    EXPECT_EQ(rc.Height(), 0);
}
