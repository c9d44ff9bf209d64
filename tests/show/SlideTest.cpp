// The slide: reset, copies, object slots (delete, duplicate, compact, styles), reading and writing its
// section, loading its background and rendering its thumbnail.
#include <gtest/gtest.h>

#include "show/ProjectPack.h"
#include "show/SettingsFile.h"
#include "support/win_TestFiles.h"
#include "show/ShowData.h"
#include "show/Slide.h"
#include "show/SlideMemDC.h"
#include "show/ThumbnailPainter.h"
#include "tests/support/BmpFile.h"

#include <cstdio>
#include <memory>
#include <string>
#include <vector>

namespace
{

void MakeText(CSlideObjSlot& slot, const char* text, int x = 10)
{
    slot.m_bUsed = TRUE;
    slot.m_nKind = CSlideObjSlot::KIND_TEXT;
    slot.m_Text.m_strText = text;
    slot.m_Text.m_nX = x;
}

void MakeSolidRectangle(CSlideObjSlot& slot, int x, int y, int width, int height, COLORREF color)
{
    slot.m_bUsed = TRUE;
    slot.m_nKind = CSlideObjSlot::KIND_RECTANGLE;
    CFrameObj& f = slot.m_Frame;
    f.m_nX = x;
    f.m_nY = y;
    f.m_nWidth = width;
    f.m_nHeight = height;
    f.m_nFillMode = CFrameObj::FILL_SOLID;
    f.m_crFill = color;
    f.m_bFrame = FALSE;
    f.m_bVisible = TRUE;
}

std::string TempPath(const char* name)
{
    return TempFolderPath() + name;
}

std::string WriteTempFile(const char* name, const std::vector<BYTE>& data)
{
    std::string path = TempPath(name);
    FILE* f = fopen(path.c_str(), "wb");
    if (f)
    {
        fwrite(data.data(), 1, data.size(), f);
        fclose(f);
    }
    return path;
}

// The bitmap's pixels as 0x00RRGGBB values, top row first.
std::vector<COLORREF> Pixels(CBitmap& bitmap, int& width, int& height)
{
    BITMAP bm = {};
    width = height = 0;
    if (!bitmap.GetSafeHandle() || !bitmap.GetBitmap(&bm))
        return {};
    width = bm.bmWidth;
    height = bm.bmHeight;
    BITMAPINFO info = {};
    info.bmiHeader.biSize = sizeof(info.bmiHeader);
    info.bmiHeader.biWidth = width;
    info.bmiHeader.biHeight = -height;
    info.bmiHeader.biPlanes = 1;
    info.bmiHeader.biBitCount = 32;
    info.bmiHeader.biCompression = BI_RGB;
    std::vector<DWORD> raw(static_cast<size_t>(width) * height);
    HDC screen = GetDC(nullptr);
    GetDIBits(screen, static_cast<HBITMAP>(bitmap.GetSafeHandle()), 0, height, raw.data(), &info, DIB_RGB_COLORS);
    ReleaseDC(nullptr, screen);
    std::vector<COLORREF> result(raw.size());
    for (size_t i = 0; i < raw.size(); i++)
        result[i] = RGB((raw[i] >> 16) & 0xFF, (raw[i] >> 8) & 0xFF, raw[i] & 0xFF);
    return result;
}

const COLORREF kGrey = RGB(192, 192, 192);
const COLORREF kWhite = RGB(255, 255, 255);

}   // namespace

TEST(SlideSlots, ResetKeepsTheEffectSelections)
{
    CSlide slide;
    slide.m_Background.m_FadeIn.m_nSelected = 17;   // COVER-FROM-TOP
    slide.m_Background.m_strImageFile = "a.bmp";
    slide.m_Background.m_nDelay = 10;
    slide.SetSize(100, 50);
    MakeText(*slide.m_pSlots[4], "x");
    slide.Reset();
    EXPECT_EQ(17, slide.m_Background.m_FadeIn.m_nSelected);
    EXPECT_EQ("", slide.m_Background.m_strImageFile);
    EXPECT_EQ(3000, slide.m_Background.m_nDelay);
    EXPECT_EQ(0, slide.m_nWidth);
    EXPECT_EQ(0, slide.CountUsedObjects());
}

TEST(SlideSlots, DeletingTheFirstOfThreeObjectsMovesTheOthersDown)
{
    CSlide slide;
    MakeText(*slide.m_pSlots[0], "a");
    MakeText(*slide.m_pSlots[1], "b");
    MakeText(*slide.m_pSlots[2], "c");
    slide.DeleteObject(0);
    EXPECT_EQ("b", slide.m_pSlots[0]->m_Text.m_strText);
    EXPECT_EQ("c", slide.m_pSlots[1]->m_Text.m_strText);
    EXPECT_FALSE(slide.m_pSlots[2]->m_bUsed);
    ASSERT_NE(nullptr, slide.m_pSlots[49]);
    EXPECT_FALSE(slide.m_pSlots[49]->m_bUsed);
    slide.DeleteObject(50);
    slide.DeleteObject(-1);
    EXPECT_EQ(2, slide.CountUsedObjects());
}

TEST(SlideSlots, DuplicatingCopiesIntoTheFirstFreeSlot)
{
    CSlide slide;
    MakeText(*slide.m_pSlots[0], "a", 33);
    MakeText(*slide.m_pSlots[2], "c");
    slide.m_pSlots[0]->m_Text.m_rcLast = CRect(32, 9, 80, 30);
    EXPECT_EQ(1, slide.DuplicateObject(0));
    EXPECT_EQ("a", slide.m_pSlots[1]->m_Text.m_strText);
    EXPECT_EQ(33, slide.m_pSlots[1]->m_Text.m_nX);
    EXPECT_EQ(CRect(32, 9, 80, 30), slide.m_pSlots[1]->m_Text.m_rcLast);
    EXPECT_EQ(-1, slide.DuplicateObject(3));   // unused
    EXPECT_EQ(-1, slide.DuplicateObject(50));
}

TEST(SlideSlots, DuplicatingIntoAFullSlideChangesNothing)
{
    CSlide slide;
    for (int i = 0; i < CSlide::MaxObjects; i++)
    {
        CString text;
        text.Format("t%d", i);
        MakeText(*slide.m_pSlots[i], text);
    }
    EXPECT_EQ(-1, slide.FindFreeObjectSlot());
    EXPECT_EQ(-1, slide.DuplicateObject(0));
    for (int i = 0; i < CSlide::MaxObjects; i++)
    {
        CString text;
        text.Format("t%d", i);
        EXPECT_EQ(text, slide.m_pSlots[i]->m_Text.m_strText);
    }
}

TEST(SlideSlots, CompactingKeepsTheOrderOfUsedSlots)
{
    CSlide slide;
    MakeText(*slide.m_pSlots[5], "five");
    MakeText(*slide.m_pSlots[2], "two");
    MakeText(*slide.m_pSlots[40], "forty");
    slide.CompactObjects();
    EXPECT_EQ("two", slide.m_pSlots[0]->m_Text.m_strText);
    EXPECT_EQ("five", slide.m_pSlots[1]->m_Text.m_strText);
    EXPECT_EQ("forty", slide.m_pSlots[2]->m_Text.m_strText);
    for (int i = 3; i < CSlide::MaxObjects; i++)
    {
        ASSERT_NE(nullptr, slide.m_pSlots[i]);
        EXPECT_FALSE(slide.m_pSlots[i]->m_bUsed);
    }
}

TEST(SlideCopy, CopyFromTakesBackgroundSizeAndEveryObject)
{
    CSlide a, b;
    a.m_Background.m_strImageFile = "a.bmp";
    a.m_Background.m_FadeOut.m_nSelected = 5;
    a.m_Background.m_nFadeSpeed = 3;
    a.SetSize(300, 200);
    MakeText(*a.m_pSlots[0], "copied");
    MakeSolidRectangle(*a.m_pSlots[1], 1, 2, 30, 40, RGB(1, 2, 3));
    MakeText(*b.m_pSlots[7], "gone");
    b.CopyFrom(a);
    EXPECT_EQ("a.bmp", b.m_Background.m_strImageFile);
    EXPECT_EQ(5, b.m_Background.m_FadeOut.m_nSelected);
    EXPECT_EQ(3, b.m_Background.m_nFadeSpeed);
    EXPECT_EQ(300, b.m_nWidth);
    EXPECT_EQ("copied", b.m_pSlots[0]->m_Text.m_strText);
    EXPECT_EQ(40, b.m_pSlots[1]->m_Frame.m_nHeight);
    EXPECT_FALSE(b.m_pSlots[7]->m_bUsed);
    // A deep copy: changing the source leaves the copy.
    a.m_pSlots[0]->m_Text.m_strText = "changed";
    EXPECT_EQ("copied", b.m_pSlots[0]->m_Text.m_strText);
}

TEST(SlideCopy, CopyBackgroundFromLeavesTheObjects)
{
    CSlide a, b;
    a.m_Background.m_strImageFile = "a.bmp";
    a.SetSize(10, 20);
    MakeText(*a.m_pSlots[0], "not copied");
    MakeText(*b.m_pSlots[0], "mine");
    b.CopyBackgroundFrom(a);
    EXPECT_EQ("a.bmp", b.m_Background.m_strImageFile);
    EXPECT_EQ(20, b.m_nHeight);
    EXPECT_EQ("mine", b.m_pSlots[0]->m_Text.m_strText);
}

TEST(SlideCopy, ASlideMovedDownByDeletionDrawsItsOwnBackground)
{
    std::string red = WriteTempFile("vx_copy_red.bmp", MakeSolidBmp(20, 10, RGB(255, 0, 0)));
    std::string blue = WriteTempFile("vx_copy_blue.bmp", MakeSolidBmp(20, 10, RGB(0, 0, 255)));
    auto show = std::make_unique<CShowData>();
    show->m_Slides[0].m_Background.m_strImageFile = red.c_str();
    show->m_Slides[1].m_Background.m_strImageFile = blue.c_str();
    show->m_Slides[39].m_Background.m_strImageFile = red.c_str();
    ASSERT_TRUE(show->m_Slides[0].m_Background.LoadImage(nullptr));
    ASSERT_TRUE(show->m_Slides[39].m_Background.LoadImage(nullptr));
    show->DeleteSlide(0);
    EXPECT_TRUE(show->m_Slides[39].m_Background.m_strImageFile.IsEmpty());
    EXPECT_FALSE(show->m_Slides[39].m_Background.m_Picture.m_bLoaded);

    CSlide& slide = show->m_Slides[0];
    EXPECT_EQ(blue, std::string(slide.m_Background.m_strImageFile));
    slide.SetSize(20, 10);
    CBitmap bitmap;
    ASSERT_TRUE(slide.MakeThumbnail(20, 10, &bitmap));
    int w = 0, h = 0;
    std::vector<COLORREF> px = Pixels(bitmap, w, h);
    ASSERT_EQ(200u, px.size());
    EXPECT_EQ(RGB(0, 0, 255), px[5 * 20 + 10]);

    // The same image name keeps the decoded picture.
    ASSERT_TRUE(slide.m_Background.m_Picture.m_bLoaded);
    CSlide same;
    same.m_Background.m_strImageFile = blue.c_str();
    slide.CopyFrom(same);
    EXPECT_TRUE(slide.m_Background.m_Picture.m_bLoaded);
    remove(red.c_str());
    remove(blue.c_str());
}

TEST(SlideStyles, RectangleStyleKeepsPositionAndSize)
{
    CSlide slide;
    MakeSolidRectangle(*slide.m_pSlots[0], 5, 6, 70, 80, RGB(10, 20, 30));
    slide.m_pSlots[0]->m_Frame.m_nLight = 42;
    MakeSolidRectangle(*slide.m_pSlots[1], 100, 110, 50, 60, RGB(0, 0, 0));
    slide.ApplyRectangleStyle(0);
    CFrameObj& f = slide.m_pSlots[1]->m_Frame;
    EXPECT_EQ(RGB(10, 20, 30), f.m_crFill);
    EXPECT_EQ(42, f.m_nLight);
    EXPECT_EQ(100, f.m_nX);
    EXPECT_EQ(50, f.m_nWidth);
    slide.ApplyRectangleStyle(50);   // nothing
}

TEST(SlideSection, WritingAndReadingASectionKeepsTheObjects)
{
    CSlide slide;
    slide.m_Background.m_strImageFile = "bg.bmp";
    slide.m_Background.m_FadeIn.m_nSelected = 22;
    slide.m_Background.m_nDelay = 1500;
    MakeText(*slide.m_pSlots[10], "text");
    MakeSolidRectangle(*slide.m_pSlots[20], 1, 2, 3, 4, RGB(9, 8, 7));

    CSettingsFile out;
    out.OpenMemoryText("T", TRUE, nullptr, 0);
    slide.Write(out, "SHEET04");
    out.Finish();
    int length = 0;
    std::string text(out.GetText(length));
    EXPECT_EQ(0u, text.find("\r\n\r\n[SHEET04]\r\nIMAGE-FILE=bg.bmp\r\nFADE_IN=COVER-FORM-OUTSIDE\r\n"
                            "FADE_OUT=NONE\r\nDELAY=1500\r\nFADESPEED=1\r\nOBJ00=TEXT00\r\n"));

    CSettingsFile in;
    in.OpenMemoryText("T", FALSE, text.c_str(), static_cast<int>(text.size()) + 1);
    CSlide copy;
    copy.Read(in, "SHEET04");
    EXPECT_EQ("bg.bmp", copy.m_Background.m_strImageFile);
    EXPECT_EQ(22, copy.m_Background.m_FadeIn.m_nSelected);
    EXPECT_EQ(1500, copy.m_Background.m_nDelay);
    ASSERT_EQ(2, copy.CountUsedObjects());
    EXPECT_EQ("text", copy.m_pSlots[0]->m_Text.m_strText);
    EXPECT_EQ(CSlideObjSlot::KIND_RECTANGLE, copy.m_pSlots[1]->m_nKind);
    EXPECT_EQ(RGB(9, 8, 7), copy.m_pSlots[1]->m_Frame.m_crFill);
}

TEST(SlideSection, AnUnknownEffectKeyKeepsThePreviousSelection)
{
    std::string text = "\r\n[SHEET00]\r\nFADE_IN=COVER-FROM-OUTSIDE\r\nFADE_OUT=RIGHT-LEFT\r\n";
    CSettingsFile in;
    in.OpenMemoryText("T", FALSE, text.c_str(), static_cast<int>(text.size()) + 1);
    CSlide slide;
    slide.m_Background.m_FadeIn.m_nSelected = 6;
    slide.Read(in, "SHEET00");
    EXPECT_EQ(6, slide.m_Background.m_FadeIn.m_nSelected);
    EXPECT_EQ(2, slide.m_Background.m_FadeOut.m_nSelected);
}

TEST(SlideBackground, LoadImagePrefersThePackEntryAndFallsBackToTheFile)
{
    std::string path = WriteTempFile("vx_slide_bg.bmp", MakeSolidBmp(8, 6, RGB(255, 0, 0)));
    CSlideBackground bg;
    bg.m_strImageFile = path.c_str();
    EXPECT_TRUE(bg.LoadImage(nullptr));
    EXPECT_EQ(8, bg.m_Picture.m_nWidth);
    EXPECT_EQ(6, bg.m_Picture.m_nHeight);

    CProjectPack pack;
    std::vector<BYTE> packed = MakeSolidBmp(5, 4, RGB(0, 255, 0));
    ASSERT_TRUE(pack.AddData("packed.bmp", packed.data(), static_cast<int>(packed.size())));
    bg.m_strImageFile = "packed.bmp";
    EXPECT_TRUE(bg.LoadImage(&pack));
    EXPECT_EQ(5, bg.m_Picture.m_nWidth);

    bg.m_strImageFile = path.c_str();   // no entry of that name in the pack: the file
    EXPECT_TRUE(bg.LoadImage(&pack));
    EXPECT_EQ(8, bg.m_Picture.m_nWidth);

    bg.m_strImageFile.Empty();
    EXPECT_FALSE(bg.LoadImage(&pack));
    EXPECT_FALSE(bg.m_Picture.m_bLoaded);
    remove(path.c_str());
}

TEST(SlideBackground, AMissingOrDamagedImageLeavesNoPicture)
{
    CSlideBackground bg;
    bg.m_strImageFile = "Z:\\no\\such\\file.bmp";
    EXPECT_FALSE(bg.LoadImage(nullptr));
    EXPECT_FALSE(bg.LoadImageFromFile());

    CProjectPack pack;
    const char junk[] = "BMthis is not a picture at all";
    pack.AddData("junk.bmp", junk, sizeof(junk));
    bg.m_strImageFile = "junk.bmp";
    EXPECT_FALSE(bg.LoadImage(&pack));
}

TEST(SlideThumbnail, AtTheSlideSizeTheSlideIsCopied)
{
    std::string path = WriteTempFile("vx_thumb_same.bmp", MakeSolidBmp(40, 30, RGB(255, 0, 0)));
    CSlide slide;
    slide.SetSize(40, 30);
    slide.m_Background.m_strImageFile = path.c_str();
    MakeSolidRectangle(*slide.m_pSlots[0], 10, 10, 20, 10, RGB(0, 0, 255));
    CBitmap bitmap;
    ASSERT_TRUE(slide.MakeThumbnail(40, 30, &bitmap));
    int w = 0, h = 0;
    std::vector<COLORREF> px = Pixels(bitmap, w, h);
    ASSERT_EQ(40, w);
    ASSERT_EQ(30, h);
    EXPECT_EQ(RGB(255, 0, 0), px[0]);
    EXPECT_EQ(RGB(255, 0, 0), px[29 * 40 + 39]);
    EXPECT_EQ(RGB(0, 0, 255), px[10 * 40 + 10]);
    EXPECT_EQ(RGB(0, 0, 255), px[19 * 40 + 29]);
    EXPECT_EQ(RGB(255, 0, 0), px[20 * 40 + 10]);
    EXPECT_EQ(RGB(255, 0, 0), px[10 * 40 + 30]);
    remove(path.c_str());
}

TEST(SlideThumbnail, AWideSlideGetsGreyBarsAboveAndBelow)
{
    // 40 x 30 into 20 x 20: the image is 20 x 15 at (0, 2).
    std::string path = WriteTempFile("vx_thumb_wide.bmp", MakeSolidBmp(40, 30, RGB(255, 0, 0)));
    CSlide slide;
    slide.SetSize(40, 30);
    slide.m_Background.m_strImageFile = path.c_str();
    CBitmap bitmap;
    ASSERT_TRUE(slide.MakeThumbnail(20, 20, &bitmap));
    int w = 0, h = 0;
    std::vector<COLORREF> px = Pixels(bitmap, w, h);
    ASSERT_EQ(20, w);
    ASSERT_EQ(20, h);
    for (int x = 0; x < 20; x++)
    {
        EXPECT_EQ(kGrey, px[0 * 20 + x]);
        EXPECT_EQ(kGrey, px[1 * 20 + x]);
        EXPECT_EQ(RGB(255, 0, 0), px[2 * 20 + x]);
        EXPECT_EQ(RGB(255, 0, 0), px[16 * 20 + x]);
        EXPECT_EQ(kGrey, px[17 * 20 + x]);
        EXPECT_EQ(kGrey, px[19 * 20 + x]);
    }
    remove(path.c_str());
}

TEST(SlideThumbnail, WithoutABackgroundPictureTheSlideIsWhite)
{
    CSlide slide;
    slide.SetSize(30, 40);
    slide.m_Background.m_strImageFile = "Z:\\missing.bmp";
    CBitmap bitmap;
    ASSERT_TRUE(slide.MakeThumbnail(30, 30, &bitmap));
    int w = 0, h = 0;
    std::vector<COLORREF> px = Pixels(bitmap, w, h);
    ASSERT_EQ(30, w);
    // 30 x 40 into 30 x 30: 22 x 30 at (4, 0), grey at the sides.
    EXPECT_EQ(kGrey, px[15 * 30 + 0]);
    EXPECT_EQ(kGrey, px[15 * 30 + 3]);
    EXPECT_EQ(kWhite, px[15 * 30 + 4]);
    EXPECT_EQ(kWhite, px[15 * 30 + 25]);
    EXPECT_EQ(kGrey, px[15 * 30 + 26]);
}

TEST(SlideThumbnail, ASlideWithoutSizeMakesNoThumbnail)
{
    CSlide slide;
    CBitmap bitmap;
    bitmap.CreateBitmap(4, 4, 1, 32, nullptr);
    EXPECT_FALSE(slide.MakeThumbnail(140, 105, &bitmap));
    EXPECT_EQ(nullptr, bitmap.GetSafeHandle());
    slide.SetSize(10, 10);
    EXPECT_FALSE(slide.MakeThumbnail(0, 105, &bitmap));
    EXPECT_FALSE(slide.MakeThumbnail(140, 105, nullptr));
}

TEST(SlideThumbnail, ASlideOfTheDefaultSizeKeepsItsAspectRatioInTheEditorsCell)
{
    // 638 x 466 into 140 x 105: 140 x 102 at (0, 1) on grey.
    CSlide slide;
    slide.SetSize(638, 466);
    CBitmap bitmap;
    ASSERT_TRUE(slide.MakeThumbnail(140, 105, &bitmap));
    int w = 0, h = 0;
    std::vector<COLORREF> px = Pixels(bitmap, w, h);
    ASSERT_EQ(140, w);
    ASSERT_EQ(105, h);
    EXPECT_EQ(kGrey, px[0 * 140 + 70]);
    EXPECT_EQ(kWhite, px[1 * 140 + 0]);
    EXPECT_EQ(kWhite, px[102 * 140 + 139]);
    EXPECT_EQ(kGrey, px[103 * 140 + 70]);
    EXPECT_EQ(kGrey, px[104 * 140 + 70]);
}

TEST(SlideThumbnail, AShowReadFromItsTextDrawsItsSlideFromThePack)
{
    CProjectPack pack;
    std::vector<BYTE> background = MakeSolidBmp(638, 466, RGB(0, 128, 0));
    ASSERT_TRUE(pack.AddData("green.bmp", background.data(), static_cast<int>(background.size())));
    std::string text =
        "\r\n[WINDOW]\r\nWIDTH=640\r\nHEIGHT=480\r\n"
        "\r\n[SHEET00]\r\nIMAGE-FILE=green.bmp\r\n"
        "OBJ00=FRAME00\r\nFRAME00_X=100\r\nFRAME00_Y=50\r\nFRAME00_WIDTH=200\r\nFRAME00_HEIGHT=80\r\n"
        "FRAME00_FILLMODE=0\r\nFRAME00_FRAME=0\r\nFRAME00_FILLCOLOR=#ff0000\r\n"
        "OBJ01=FRAME01\r\nFRAME01_X=400\r\nFRAME01_Y=300\r\nFRAME01_WIDTH=50\r\nFRAME01_HEIGHT=50\r\n"
        "FRAME01_FILLMODE=1\r\nFRAME01_LIGHT=100\r\nFRAME01_FRAME=0\r\n";
    auto show = std::make_unique<CShowData>();
    show->SetDefaults();
    show->ReadShowText("VEXUL.INI", text.c_str(), static_cast<int>(text.size()) + 1);
    CSlide& slide = show->m_Slides[0];
    slide.Prepare(&pack, nullptr);
    ASSERT_TRUE(slide.m_Background.m_Picture.m_bLoaded);

    CBitmap bitmap;
    ASSERT_TRUE(slide.MakeThumbnail(638, 466, &bitmap));
    int w = 0, h = 0;
    std::vector<COLORREF> px = Pixels(bitmap, w, h);
    ASSERT_EQ(638, w);
    ASSERT_EQ(466, h);
    EXPECT_EQ(RGB(0, 128, 0), px[10 * 638 + 10]);
    EXPECT_EQ(RGB(255, 0, 0), px[50 * 638 + 100]);
    EXPECT_EQ(RGB(255, 0, 0), px[129 * 638 + 299]);
    EXPECT_EQ(RGB(0, 128, 0), px[130 * 638 + 299]);
    EXPECT_EQ(RGB(100, 228, 100), px[320 * 638 + 420]);   // lightened by 100
    EXPECT_EQ(RGB(0, 128, 0), px[350 * 638 + 420]);
}

namespace
{

// The thumbnail as the slide was drawn before thumbnails shared anything: prepared on its own, composed on a
// surface in the screen's format, every object drawing its own picture.
std::vector<COLORREF> ThumbnailOfPreparedSlide(CSlide& slide, CProjectPack& pack, int width, int height)
{
    slide.Prepare(&pack, nullptr);
    CWindowDC screen(nullptr);
    CSlideMemDC surface(&screen, CRect(0, 0, slide.m_nWidth, slide.m_nHeight), RGB(255, 255, 255));
    slide.DrawAll(&surface);
    CBitmap bitmap;
    if (width == slide.m_nWidth && height == slide.m_nHeight)
        surface.CopyToBitmap(&bitmap, width, height);
    else
        surface.ScaleToBitmap(&bitmap, width, height, slide.m_nWidth, slide.m_nHeight);
    int w = 0, h = 0;
    return Pixels(bitmap, w, h);
}

// A slide of 160 x 120 on a background whose every pixel differs from its neighbours, with pictures the
// slides share: an opaque one, one drawn with a transparent colour and a metafile that paints only part of
// its area; a text, a solid rectangle, a lightening one over a picture, and a picture that
// does not decode.
void MakeSharingSlide(CSlide& slide, int n)
{
    slide.SetSize(160, 120);
    slide.m_Background.m_strImageFile = n == 2 ? "back2.bmp" : n % 2 ? "back1.bmp" : "back0.bmp";
    slide.m_pSlots[0]->CreateImage(10 + n, 8, "opaque.bmp", 0, 500, FALSE, 0, 1000, nullptr);
    slide.m_pSlots[1]->CreateImage(60, 50 + n, "keyed.bmp", 0, 500, TRUE, RGB(255, 0, 255), 1000, nullptr);
    slide.m_pSlots[2]->CreateImage(100, 10, "holes.emf", 0, 500, FALSE, 0, 1000, nullptr);
    slide.m_pSlots[3]->CreateText(5, 90, "Thumb", "", "Arial", 16, "BOLD", FALSE, FALSE, 0, RGB(0, 0, 160), 500);
    MakeSolidRectangle(*slide.m_pSlots[4], 120, 70, 30, 20, RGB(0, 200, 0));
    FrameObjRecord light = {3, 12, 10, 12, 30,   0, 1000,          CFrameObj::FILL_LIGHTEN,
                            0, 0,  0,  60, TRUE, 0, RGB(255, 0, 0)};
    slide.m_pSlots[5]->CreateRectangle(light);
    slide.m_pSlots[6]->CreateImage(130, 100, "broken.bmp", 0, 500, FALSE, 0, 1000, nullptr);
}

}   // namespace

TEST(SlideThumbnail, ThumbnailsPaintedInARowLookAsSlidesDrawnOneByOne)
{
    CProjectPack pack;
    auto add = [&pack](const char* name, const std::vector<BYTE>& data)
    { ASSERT_TRUE(pack.AddData(name, data.data(), static_cast<int>(data.size()))); };
    const auto back0 = [](int x, int y) { return RGB(x, y * 2, (x * 7 + y * 3) & 0xFF); };
    add("back0.bmp", MakeBmp(150, 110, back0));
    // The same picture with its rows from the top, as some programs write them.
    std::vector<BYTE> topDown = MakeBmp(150, 110, back0);
    int32_t rows = 0, offset = 0;
    memcpy(&rows, &topDown[22], 4);
    memcpy(&offset, &topDown[10], 4);
    rows = -rows;
    memcpy(&topDown[22], &rows, 4);
    const size_t stride = (150 * 3 + 3) / 4 * 4;
    for (size_t y = 0; y < 55; y++)
        std::swap_ranges(topDown.begin() + offset + y * stride, topDown.begin() + offset + (y + 1) * stride,
                         topDown.begin() + offset + (109 - y) * stride);
    add("back2.bmp", topDown);
    add("back1.bmp", MakeBmp(160, 120, [](int x, int y) { return RGB(255 - x, y, (x ^ y) & 0xFF); }));
    add("opaque.bmp", MakeBmp(24, 18, [](int x, int y) { return RGB(x * 10, 250 - y * 10, 77); }));
    add("keyed.bmp",
        MakeBmp(20, 16, [](int x, int y) { return x < 10 ? RGB(255, 0, 255) : RGB(x * 12, y * 15, 200); }));
    // A metafile of 16 x 12 pixels that paints only its right half: the rest lets the slide through.
    CRect frame(0, 0, MulDiv(16, 2540, 96), MulDiv(12, 2540, 96));
    HDC recorder = CreateEnhMetaFileA(nullptr, nullptr, &frame, nullptr);
    ASSERT_NE(nullptr, recorder);
    HBRUSH orangeBrush = CreateSolidBrush(RGB(250, 120, 0));
    RECT right = {8, 0, 16, 12};
    FillRect(recorder, &right, orangeBrush);
    DeleteObject(orangeBrush);
    HENHMETAFILE metafile = CloseEnhMetaFile(recorder);
    std::vector<BYTE> emf(GetEnhMetaFileBits(metafile, 0, nullptr));
    GetEnhMetaFileBits(metafile, static_cast<UINT>(emf.size()), emf.data());
    DeleteEnhMetaFile(metafile);
    add("holes.emf", emf);
    add("broken.bmp", std::vector<BYTE>{'B', 'M', 1, 2, 3});

    CThumbnailPainter painter(&pack);
    for (int n = 0; n < 3; n++)
    {
        for (const CSize size : {CSize(160, 120), CSize(40, 30), CSize(140, 105)})
        {
            SCOPED_TRACE(testing::Message() << "slide " << n << " at " << size.cx << " x " << size.cy);
            CSlide painted, reference;
            MakeSharingSlide(painted, n);
            MakeSharingSlide(reference, n);
            CBitmap bitmap;
            ASSERT_TRUE(painter.Paint(painted, size.cx, size.cy, &bitmap));
            // The shared pictures stood in for the objects' own: those were never loaded.
            EXPECT_FALSE(painted.m_pSlots[0]->m_Image.m_Picture.m_bLoaded);
            EXPECT_FALSE(painted.m_pSlots[1]->m_Image.m_Picture.m_bLoaded);
            EXPECT_FALSE(painted.m_pSlots[2]->m_Image.m_Picture.m_bLoaded);
            int w = 0, h = 0;
            std::vector<COLORREF> px = Pixels(bitmap, w, h);
            ASSERT_EQ(size.cx, w);
            ASSERT_EQ(size.cy, h);
            std::vector<COLORREF> expected = ThumbnailOfPreparedSlide(reference, pack, size.cx, size.cy);
            ASSERT_EQ(expected.size(), px.size());
            int differing = 0;
            for (size_t i = 0; i < px.size(); i++)
                differing += px[i] != expected[i];
            EXPECT_EQ(0, differing);
            if (size.cx != 160)
                continue;
            // Known colours at known places of the full-size thumbnail.
            const int x0 = 10 + n;
            EXPECT_EQ(RGB(5 * 10, 250 - 15 * 10, 77), px[(8 + 15) * 160 + x0 + 5]);   // opaque picture ...
            EXPECT_EQ(RGB(5 * 10 + 60, 250 - 12 * 10 + 60, 77 + 60), px[(8 + 12) * 160 + x0 + 5]);   // lightened
            const int yKeyed = 50 + n + 5;
            EXPECT_EQ(RGB(12 * 12, 5 * 15, 200), px[yKeyed * 160 + 60 + 12]);   // keyed picture ...
            EXPECT_EQ(n % 2 ? RGB(255 - 63, yKeyed, (63 ^ yKeyed) & 0xFF)
                            : RGB(63, yKeyed * 2, (63 * 7 + yKeyed * 3) & 0xFF),
                      px[yKeyed * 160 + 63]);   // ... where its key colour lets the background through
            EXPECT_EQ(RGB(0, 200, 0), px[80 * 160 + 130]);   // rectangle
            // The metafile: part of it is its orange, the rest lets the background through.
            int orange = 0, through = 0;
            for (int y = 10; y < 22; y++)
                for (int x = 100; x < 116; x++)
                {
                    COLORREF background =
                        n % 2 ? RGB(255 - x, y, (x ^ y) & 0xFF) : RGB(x, y * 2, (x * 7 + y * 3) & 0xFF);
                    orange += px[y * 160 + x] == RGB(250, 120, 0);
                    through += px[y * 160 + x] == background;
                }
            EXPECT_EQ(16 * 12, orange + through);
            EXPECT_GT(orange, 0);
            EXPECT_GT(through, 0);
        }
    }
    // The metafile is no opaque bitmap: the painter had the picture service draw it, as its own object would.
    CPicture metafilePicture;
    ASSERT_TRUE(metafilePicture.LoadFromPackOrFile(&pack, "holes.emf"));
    DWORD attributes = 0;
    ASSERT_TRUE(SUCCEEDED(metafilePicture.m_pPicture->get_Attributes(&attributes)));
    EXPECT_TRUE(attributes & PICTURE_TRANSPARENT);
}
