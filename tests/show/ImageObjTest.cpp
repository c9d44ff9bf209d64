#include "show/ImageObj.h"

#include "show/ProjectPack.h"
#include "support/BmpFile.h"
#include "support/win_DibSurface.h"
#include "show/SlideObjTestUtil.h"

#include <gtest/gtest.h>

#include <memory>

namespace
{

const COLORREF kWhite = RGB(255, 255, 255);
const COLORREF kRed = RGB(255, 0, 0);
const COLORREF kBlue = RGB(0, 0, 255);

// A pack holding one BMP entry.
struct PackWithPicture
{
    CProjectPack pack;
    PackWithPicture(const char* name, const std::vector<BYTE>& data)
    {
        pack.AddData(name, data.data(), static_cast<int>(data.size()));
    }
};

// Left half white, right half red.
std::vector<BYTE> HalfWhiteHalfRed(int w, int h)
{
    return MakeBmp(w, h, [w](int x, int) { return x < w / 2 ? kWhite : kRed; });
}

}   // namespace

TEST(ImageObjShowText, RoundTripWithUpperCaseTransparentColour)
{
    CImageObj i;
    i.m_nX = 5;
    i.m_nY = 6;
    i.m_strFile = "sunset.bmp";
    i.m_nDelay = 250;
    i.m_Animation.m_nSelected = 3;
    i.m_nSpeed = 1200;
    i.m_bTransparent = TRUE;
    i.m_crTransparent = RGB(0xAB, 0xCD, 0xEF);
    CWriteSettings w;
    i.Save(2, w.file(), "SHEET03");
    EXPECT_EQ("\r\n\r\n[SHEET03]\r\n"
              "IMAGE02_X=5\r\nIMAGE02_Y=6\r\nIMAGE02_FILE=sunset.bmp\r\nIMAGE02_DELAY=250\r\n"
              "IMAGE02_ANIMATION=FROM_RIGHT\r\nIMAGE02_ANISPEED=1200\r\nIMAGE02_TRANSPARENT=1\r\n"
              "IMAGE02_TRANSPCOLOR=#ABCDEF\r\n",
              w.text());

    CReadSettings r(w.text());
    CImageObj back;
    back.Load(2, r.file(), "SHEET03");
    EXPECT_EQ(5, back.m_nX);
    EXPECT_EQ(6, back.m_nY);
    EXPECT_STREQ("sunset.bmp", back.m_strFile);
    EXPECT_EQ(250, back.m_nDelay);
    EXPECT_EQ(3, back.GetAnimationIndex());
    EXPECT_EQ(1200, back.m_nSpeed);
    EXPECT_TRUE(back.m_bTransparent);
    EXPECT_EQ(RGB(0xAB, 0xCD, 0xEF), back.m_crTransparent);
    EXPECT_FALSE(back.m_Picture.m_bLoaded);   // loading reads keys only
}

TEST(ImageObjShowText, LowerCaseTransparentColourDoesNotReadBack)
{
    CReadSettings r("[S]\r\nIMAGE00_FILE=a.bmp\r\nIMAGE00_TRANSPCOLOR=#abcdef\r\n");
    CImageObj i;
    i.Load(0, r.file(), "S");
    EXPECT_NE(RGB(0xAB, 0xCD, 0xEF), i.m_crTransparent);

    CReadSettings missing("[S]\r\nIMAGE00_FILE=a.bmp\r\n");
    i.Load(0, missing.file(), "S");
    EXPECT_EQ(RGB(0, 0, 0), i.m_crTransparent);
    EXPECT_EQ(0, i.m_nX);
    EXPECT_EQ(1000, i.m_nDelay);
}

TEST(ImageObjPicture, LoadsFromThePackWithItsSize)
{
    PackWithPicture p("pic.bmp", MakeSolidBmp(30, 20, kRed));
    CImageObj i;
    i.Set(7, 8, "pic.bmp", 0, 100, FALSE, kWhite, 1000, &p.pack);
    ASSERT_TRUE(i.m_Picture.m_bLoaded);
    EXPECT_EQ(30, i.m_nWidth);
    EXPECT_EQ(20, i.m_nHeight);
    EXPECT_EQ(&p.pack, i.m_pPack);
    CRect r;
    i.GetRect(r);
    EXPECT_EQ(CRect(7, 8, 37, 28), r);
}

TEST(ImageObjPicture, MissingFileLeavesNoPictureAndIsNeverShown)
{
    CImageObj i;
    i.Set(0, 0, "no such picture.bmp", 1, 100, FALSE, kWhite, 1000, nullptr);
    EXPECT_FALSE(i.m_Picture.m_bLoaded);
    DibSurface s(20, 20, kBlue);
    EXPECT_TRUE(i.AnimateStep(&s.dc, 0, 200, 0));
    EXPECT_FALSE(i.m_bVisible);
    i.m_bVisible = TRUE;
    i.Paint(&s.dc);
    EXPECT_EQ(kBlue, s.At(0, 0));
}

TEST(ImageObjPicture, TransparentColourShowsTheSlideBeneath)
{
    PackWithPicture p("half.bmp", HalfWhiteHalfRed(8, 4));
    CImageObj i;
    i.Set(2, 3, "half.bmp", 0, 100, TRUE, kWhite, 1000, &p.pack);
    ASSERT_TRUE(i.m_Picture.m_bLoaded);
    i.m_bVisible = TRUE;
    DibSurface s(20, 20, kBlue);
    i.Paint(&s.dc);
    EXPECT_EQ(kBlue, s.At(2, 3));
    EXPECT_EQ(kBlue, s.At(5, 6));
    EXPECT_EQ(kRed, s.At(6, 3));
    EXPECT_EQ(kRed, s.At(9, 6));
    EXPECT_EQ(kBlue, s.At(10, 3));

    i.m_bTransparent = FALSE;
    DibSurface opaque(20, 20, kBlue);
    i.Paint(&opaque.dc);
    EXPECT_EQ(kWhite, opaque.At(2, 3));
    EXPECT_EQ(kRed, opaque.At(9, 6));

    // Drawn opaque first and made transparent afterwards: the transparent drawing still leaves the slide.
    CImageObj later;
    later.Set(2, 3, "half.bmp", 0, 100, FALSE, kWhite, 1000, &p.pack);
    later.m_bVisible = TRUE;
    for (BOOL transparent : {FALSE, TRUE})
    {
        later.m_bTransparent = transparent;
        DibSurface slide(20, 20, kBlue);
        later.Paint(&slide.dc);
        EXPECT_EQ(transparent ? kBlue : kWhite, slide.At(2, 3)) << transparent;
        EXPECT_EQ(kRed, slide.At(9, 6)) << transparent;
    }
}

TEST(ImageObjPicture, StillOfAnAnimatedPictureIsDrawnFromItsData)
{
    PackWithPicture p("red.bmp", MakeSolidBmp(10, 6, kRed));
    CImageObj i;
    i.m_strFile = "red.bmp";
    i.m_nX = 4;
    i.m_nY = 3;
    i.m_pPack = &p.pack;
    i.m_bUseAniPicture = TRUE;   // shown through an animated picture, which is not there to draw from
    DibSurface s(20, 20, kBlue);
    i.DrawStill(&s.dc);
    EXPECT_EQ(kRed, s.At(4, 3));
    EXPECT_EQ(kRed, s.At(13, 8));
    EXPECT_EQ(kBlue, s.At(14, 8));
    EXPECT_EQ(kBlue, s.At(4, 9));
    EXPECT_FALSE(i.m_Picture.m_bLoaded);   // the object's own picture is left alone
}

TEST(ImageObjEditor, DrawsAtTheCanvasOffsetWithASelectionFrame)
{
    PackWithPicture p("red.bmp", MakeSolidBmp(10, 10, kRed));
    CImageObj i;
    i.Set(5, 5, "red.bmp", 0, 100, FALSE, kWhite, 1000, &p.pack);
    DibSurface s(40, 40, kBlue);
    CRect drawn;
    i.Draw(&s.dc, CRect(10, 10, 40, 40), -1, TRUE, drawn);
    EXPECT_EQ(CRect(15, 15, 25, 25), drawn);
    EXPECT_EQ(kRed, s.At(15, 15));
    EXPECT_EQ(kRed, s.At(24, 24));
    EXPECT_NE(kBlue, s.At(13, 13));   // the frame two pixels outside
    EXPECT_EQ(kBlue, s.At(14, 14));
}

TEST(ImageObjGeometry, MoveToLetsALargerPictureEndAtANegativePosition)
{
    PackWithPicture p("wide.bmp", MakeSolidBmp(700, 10, kRed));
    CImageObj i;
    i.Set(0, 0, "wide.bmp", 0, 100, FALSE, kWhite, 1000, &p.pack);
    ASSERT_EQ(700, i.m_nWidth);
    i.MoveTo(30, 500, 638, 466);
    EXPECT_EQ(-62, i.m_nX);
    EXPECT_EQ(456, i.m_nY);
    EXPECT_TRUE(i.m_Picture.m_bLoaded);   // loaded again from the remembered pack
    i.MoveTo(-30, -5, 638, 466);
    EXPECT_EQ(-62, i.m_nX);
    EXPECT_EQ(0, i.m_nY);
}

TEST(ImageObjSteps, SpeedGivesPixelsPerStep)
{
    EXPECT_EQ(35, CImageObj::StepForSpeed(CImageObj::ClampSpeed(1000)));
    EXPECT_EQ(25, CImageObj::ClampSpeed(0));
    EXPECT_EQ(10, CImageObj::ClampSpeed(10));
    EXPECT_EQ(1, CImageObj::StepForSpeed(10));
    EXPECT_EQ(89, CImageObj::StepForSpeed(CImageObj::ClampSpeed(5000)));
}

TEST(ImageObjSteps, FromLeftReachesItsPlaceInNineSteps)
{
    int left = -200, steps = 0;
    while (!CImageObj::MoveStep(left, 35, 100) && steps < 100)
        steps++;
    EXPECT_EQ(8, steps);   // the ninth step completes
    EXPECT_EQ(100, left);

    int top = 300;
    steps = 1;
    while (!CImageObj::MoveStep(top, -89, 50))
        steps++;
    EXPECT_EQ(3, steps);
    EXPECT_EQ(50, top);
}

TEST(ImageObjThread, SlidesInAndIsPaintedAtItsPlace)
{
    CPlainWindow window(640, 300);
    PackWithPicture p("red.bmp", MakeSolidBmp(20, 10, kRed));
    CImageObj i;
    i.Set(100, 50, "red.bmp", 1, 100, FALSE, kWhite, 2500, &p.pack);
    i.Prepare(&p.pack, window.wnd());
    ASSERT_TRUE(i.m_Picture.m_bLoaded);
    DibSurface s(200, 100, kBlue);
    EXPECT_FALSE(i.AnimateStep(&s.dc, 0, 200, 0));
    ASSERT_TRUE(WaitFor([&] { return !i.IsMoveRunning(); }));
    EXPECT_EQ(CRect(100, 50, 120, 60), i.GetMovingRect());
    EXPECT_TRUE(i.AnimateStep(&s.dc, 1, 200, 50));
    EXPECT_TRUE(i.m_bVisible);
    EXPECT_EQ(kRed, s.At(100, 50));
    EXPECT_EQ(kRed, s.At(119, 59));
    EXPECT_EQ(kBlue, s.At(120, 59));
}

TEST(ImageObjThread, WhileMovingThePictureIsPaintedAtTheMovingRectangle)
{
    CPlainWindow window(640, 300);
    PackWithPicture p("red.bmp", MakeSolidBmp(20, 10, kRed));
    CImageObj i;
    i.Set(300, 50, "red.bmp", 3, 100, FALSE, kWhite, 25, &p.pack);   // from the right, one pixel per step
    i.Prepare(&p.pack, window.wnd());
    DibSurface s(700, 100, kBlue);
    ASSERT_FALSE(i.AnimateStep(&s.dc, 0, 200, 0));
    const int startLeft = i.GetMovingRect().left;
    EXPECT_GT(startLeft, 600);   // from the window's right edge
    ASSERT_TRUE(WaitFor([&] { return i.GetMovingRect().left <= startLeft - 2; }));   // a few steps moved
    ASSERT_TRUE(i.IsMoveRunning());
    EXPECT_FALSE(i.m_bVisible);
    // The picture is painted somewhere between where it was before the paint and where it is after it.
    const CRect before = i.GetMovingRect();
    i.Paint(&s.dc);
    const CRect after = i.GetMovingRect();
    ASSERT_GT(after.left, 312);   // 340 steps of 30 ms from its place
    ASSERT_LT(before.left - after.left, 20);
    EXPECT_EQ(kRed, s.At(before.left, 55));
    EXPECT_EQ(kRed, s.At(after.left + 19, 59));
    EXPECT_EQ(kBlue, s.At(310, 55));   // not yet at its place
    i.StopAnimation();
}

TEST(ImageObjThread, FromBottomStartsAtTheWindowsClientHeight)
{
    CPlainWindow window(640, 300);
    PackWithPicture p("red.bmp", MakeSolidBmp(20, 10, kRed));
    CImageObj i;
    i.Set(100, 50, "red.bmp", 4, 100, FALSE, kWhite, 25, &p.pack);
    i.Prepare(&p.pack, window.wnd());
    DibSurface s(10, 10);
    EXPECT_FALSE(i.AnimateStep(&s.dc, 0, 200, 0));
    CRect moving = i.GetMovingRect();
    EXPECT_LE(moving.top, 300);
    EXPECT_GT(moving.top, 280);
    EXPECT_EQ(100, moving.left);
    EXPECT_NE(0, i.StopAnimation());
    EXPECT_TRUE(WaitFor([&] { return i.StopAnimation() == 0; }));
}

TEST(ImageObjThread, DestroyAndClearWaitForTheThreadWithoutLeakingHandles)
{
    CPlainWindow window;
    PackWithPicture p("red.bmp", MakeSolidBmp(20, 10, kRed));
    DibSurface s(10, 10);
    auto start = [&](CImageObj& i)
    {
        i.Set(300, 50, "red.bmp", 1, 100, FALSE, kWhite, 25, &p.pack);
        i.Prepare(&p.pack, window.wnd());
        i.AnimateStep(&s.dc, 0, 200, 0);
        return i.IsMoveRunning();
    };
    {
        CImageObj warm;
        start(warm);
    }
    const DWORD before = ProcessHandleCount();
    for (int n = 0; n < 10; n++)
    {
        auto i = std::make_unique<CImageObj>();
        EXPECT_TRUE(start(*i));
        i.reset();
    }
    CImageObj g, source;
    EXPECT_TRUE(start(g));
    g.Clear();
    EXPECT_FALSE(g.IsMoveRunning());
    EXPECT_TRUE(start(g));
    g.CopyFrom(source);
    EXPECT_FALSE(g.IsMoveRunning());
    const DWORD after = ProcessHandleCount();
    EXPECT_LE(after, before + 1);
}

TEST(ImageObjLoader, ProgramLoaderReplacesTheFileLoadingWhileItsInstallationLives)
{
    static int calls = 0, inner = 0;
    calls = inner = 0;
    CImageObj i;
    i.m_strFile = "abc";
    {
        CImageObj::CLoaderInstallation program([](CImageObj& object, const CProjectPack*)
                                               { calls += object.m_strFile.GetLength(); });
        i.m_bVisible = TRUE;
        i.LoadPicture(nullptr);
        EXPECT_EQ(3, calls);
        EXPECT_FALSE(i.m_bVisible);
        {
            CImageObj::CLoaderInstallation nested([](CImageObj&, const CProjectPack*) { ++inner; });
            i.LoadPicture(nullptr);
        }
        EXPECT_EQ(1, inner);
        i.LoadPicture(nullptr);   // the program's loader is back
        EXPECT_EQ(6, calls);
    }
    i.LoadPicture(nullptr);   // and then none: the file is read (there is none)
    EXPECT_EQ(6, calls);
    EXPECT_EQ(1, inner);
    EXPECT_FALSE(i.m_Picture.IsLoaded());
}
