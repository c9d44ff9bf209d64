#include "show/FrameObj.h"

#include "support/BmpFile.h"
#include "support/win_DibSurface.h"
#include "show/SlideObjTestUtil.h"

#include <gtest/gtest.h>

#include <climits>
#include <memory>

namespace
{

void Place(CFrameObj& f, int x, int y, int w, int h, int mode)
{
    f.m_nX = x;
    f.m_nY = y;
    f.m_nWidth = w;
    f.m_nHeight = h;
    f.m_nFillMode = mode;
}

}   // namespace

TEST(FrameObjShowText, RoundTripThroughTheShowText)
{
    CFrameObj f;
    Place(f, 12, 34, 200, 50, 2);
    f.m_nDelay = 700;
    f.m_nLight = 5;
    f.m_nBlue = -3;
    f.m_nGreen = 0;
    f.m_nRed = 100;
    f.m_bFrame = TRUE;
    f.m_crFill = RGB(0xFF, 0x00, 0x80);
    f.m_crFrame = RGB(0x01, 0x02, 0x03);
    f.m_Animation.m_nSelected = 4;
    f.m_nSpeed = 333;
    CWriteSettings w;
    f.Save(7, w.file(), "SHEET01");
    EXPECT_EQ("\r\n\r\n[SHEET01]\r\n"
              "FRAME07_X=12\r\nFRAME07_Y=34\r\nFRAME07_WIDTH=200\r\nFRAME07_HEIGHT=50\r\nFRAME07_DELAY=700\r\n"
              "FRAME07_FILLMODE=2\r\nFRAME07_LIGHT=5\r\nFRAME07_BLUE=-3\r\nFRAME07_GREEN=0\r\nFRAME07_RED=100\r\n"
              "FRAME07_FRAME=1\r\nFRAME07_FILLCOLOR=#ff0080\r\nFRAME07_FRAMECOLOR=#010203\r\n"
              "FRAME07_ANIMATION=FROM_BOTTOM\r\nFRAME07_ANISPEED=333\r\n",
              w.text());

    CReadSettings r(w.text());
    CFrameObj back;
    back.Load(7, r.file(), "SHEET01");
    EXPECT_EQ(12, back.m_nX);
    EXPECT_EQ(200, back.m_nWidth);
    EXPECT_EQ(50, back.m_nHeight);
    EXPECT_EQ(700, back.m_nDelay);
    EXPECT_EQ(2, back.m_nFillMode);
    EXPECT_EQ(-3, back.m_nBlue);
    EXPECT_EQ(100, back.m_nRed);
    EXPECT_TRUE(back.m_bFrame);
    EXPECT_EQ(RGB(0xFF, 0x00, 0x80), back.m_crFill);
    EXPECT_EQ(4, back.GetAnimationIndex());
    EXPECT_EQ(333, back.m_nSpeed);
}

TEST(FrameObjShowText, MissingKeysReadAsTheShowTextDefaults)
{
    CReadSettings r("[SHEET00]\r\nOBJ00=FRAME00\r\n");
    CFrameObj f;
    f.m_Animation.m_nSelected = 3;
    f.Load(0, r.file(), "SHEET00");
    EXPECT_EQ(0, f.m_nX);
    EXPECT_EQ(0, f.m_nWidth);
    EXPECT_EQ(1000, f.m_nDelay);
    EXPECT_EQ(1, f.m_nFillMode);
    EXPECT_EQ(1, f.m_nLight);
    EXPECT_EQ(1, f.m_nBlue);
    EXPECT_TRUE(f.m_bFrame);
    EXPECT_EQ(RGB(0, 0, 0), f.m_crFill);   // a missing colour is black
    EXPECT_EQ(0, f.GetAnimationIndex());
    EXPECT_EQ(1000, f.m_nSpeed);
}

TEST(FrameObjSteps, SpeedGivesPixelsPerStep)
{
    EXPECT_EQ(35, CFrameObj::StepForSpeed(CFrameObj::ClampSpeed(1000)));
    EXPECT_EQ(25, CFrameObj::ClampSpeed(10));
    EXPECT_EQ(1, CFrameObj::StepForSpeed(CFrameObj::ClampSpeed(10)));
    EXPECT_EQ(2500, CFrameObj::ClampSpeed(5000));
    EXPECT_EQ(89, CFrameObj::StepForSpeed(CFrameObj::ClampSpeed(5000)));
}

TEST(FrameObjSteps, GrowthCompletesOnlyWhenItWouldPassTheFullSize)
{
    int grown = 0, steps = 0;
    BOOL done = FALSE;
    while (!done && steps < 1000)
    {
        done = CFrameObj::GrowStep(35, 300, grown);
        steps++;
    }
    EXPECT_EQ(9, steps);
    EXPECT_EQ(300, grown);

    grown = 0;
    steps = 0;
    done = FALSE;
    while (!done && steps < 1000)
    {
        done = CFrameObj::GrowStep(1, 300, grown);
        steps++;
    }
    EXPECT_EQ(301, steps);

    grown = INT_MAX - 10;
    EXPECT_TRUE(CFrameObj::GrowStep(100, INT_MAX, grown));   // no overflow
    EXPECT_EQ(INT_MAX, grown);
}

TEST(FrameObjSteps, AnimationRectangleGrowsFromItsEdge)
{
    CRect full(10, 20, 110, 70);
    EXPECT_EQ(CRect(10, 20, 45, 70), CFrameObj::AnimationRect(1, full, 35));
    EXPECT_EQ(CRect(10, 20, 110, 55), CFrameObj::AnimationRect(2, full, 35));
    EXPECT_EQ(CRect(75, 20, 110, 70), CFrameObj::AnimationRect(3, full, 35));
    EXPECT_EQ(CRect(10, 35, 110, 70), CFrameObj::AnimationRect(4, full, 35));
    EXPECT_TRUE(CFrameObj::AnimationRect(1, full, 0).IsRectEmpty());
}

TEST(FrameObjPixels, LightenSubtractsFromEveryChannelHeldAtZero)
{
    DibSurface s(60, 40, RGB(250, 100, 20));
    CFrameObj f;
    Place(f, 10, 5, 30, 20, 1);
    f.m_nLight = -50;
    f.m_bVisible = TRUE;
    f.Paint(&s.dc);
    EXPECT_EQ(RGB(200, 50, 0), s.At(10, 5));
    EXPECT_EQ(RGB(200, 50, 0), s.At(39, 24));
    EXPECT_EQ(RGB(250, 100, 20), s.At(9, 5));
    EXPECT_EQ(RGB(250, 100, 20), s.At(40, 24));
    EXPECT_EQ(RGB(250, 100, 20), s.At(10, 25));

    // the next paint uses the processed copy: the area is not darkened twice
    f.Paint(&s.dc);
    EXPECT_EQ(RGB(200, 50, 0), s.At(20, 10));
}

TEST(FrameObjPixels, ColouriseAddsPerChannel)
{
    DibSurface s(50, 50, RGB(255, 255, 255));
    CFrameObj f;
    Place(f, 0, 0, 50, 50, 2);
    f.m_nRed = 100;
    f.m_nGreen = 0;
    f.m_nBlue = -100;
    f.m_bVisible = TRUE;
    f.Paint(&s.dc);
    EXPECT_EQ(RGB(255, 255, 155), s.At(0, 0));
    EXPECT_EQ(RGB(255, 255, 155), s.At(49, 49));
}

TEST(FrameObjPixels, OddWidthsAreWalkedRowByRow)
{
    // 3 x 3 at 24-bit data would be padded per row; each pixel must get exactly its own value
    DibSurface s(9, 9);
    for (int y = 0; y < 9; y++)
        for (int x = 0; x < 9; x++)
            s.dc.SetPixel(x, y, RGB(x * 10, y * 10, 100));
    CFrameObj f;
    Place(f, 3, 3, 3, 3, 2);
    f.m_nRed = 1;
    f.m_nGreen = 2;
    f.m_nBlue = 3;
    f.m_bVisible = TRUE;
    f.Paint(&s.dc);
    for (int y = 3; y < 6; y++)
        for (int x = 3; x < 6; x++)
            EXPECT_EQ(RGB(x * 10 + 1, y * 10 + 2, 103), s.At(x, y)) << x << "," << y;
}

TEST(FrameObjPixels, SolidFillAndFrame)
{
    DibSurface s(40, 40, RGB(0, 0, 255));
    CFrameObj f;
    Place(f, 5, 5, 20, 10, 0);
    f.m_crFill = RGB(10, 200, 30);
    f.m_bFrame = TRUE;
    f.m_crFrame = RGB(255, 0, 0);
    f.m_bVisible = TRUE;
    f.Paint(&s.dc);
    EXPECT_EQ(RGB(255, 0, 0), s.At(5, 5));
    EXPECT_EQ(RGB(255, 0, 0), s.At(24, 14));
    EXPECT_EQ(RGB(10, 200, 30), s.At(6, 6));
    EXPECT_EQ(RGB(10, 200, 30), s.At(23, 13));
    EXPECT_EQ(RGB(0, 0, 255), s.At(25, 5));
    EXPECT_EQ(RGB(0, 0, 255), s.At(5, 15));
}

TEST(FrameObjPixels, EmptyOrNegativeSizeDrawsNothing)
{
    for (int w : {0, -5})
    {
        DibSurface s(20, 20, RGB(0, 0, 255));
        CFrameObj f;
        Place(f, 2, 2, w, 10, 0);
        f.m_bFrame = TRUE;
        f.m_bVisible = TRUE;
        f.Paint(&s.dc);
        CRect drawn;
        f.Draw(&s.dc, CRect(0, 0, 20, 20), -1, FALSE, drawn);
        for (int y = 0; y < 20; y++)
            for (int x = 0; x < 20; x++)
                ASSERT_EQ(RGB(0, 0, 255), s.At(x, y)) << w;
    }
}

TEST(FrameObjPixels, HugeRectanglesProcessOnlyWhatTheSurfaceShows)
{
    auto bitmapSize = [](CBitmap& bitmap)
    {
        BITMAP bm = {};
        bitmap.GetBitmap(&bm);
        return CSize(bm.bmWidth, bm.bmHeight);
    };
    // Far larger than the surface and reaching beyond it on every side: all of the surface is lightened,
    // and neither the captured background nor its processed copy is larger than the surface.
    DibSurface s(20, 16, RGB(100, 100, 100));
    CFrameObj f;
    Place(f, -100, -100, 20000, 20000, 1);
    f.m_nLight = 30;
    f.m_bVisible = TRUE;
    f.Paint(&s.dc);
    EXPECT_EQ(RGB(130, 130, 130), s.At(0, 0));
    EXPECT_EQ(RGB(130, 130, 130), s.At(19, 15));
    EXPECT_EQ(CSize(20, 16), bitmapSize(f.m_bmpBackground));
    EXPECT_EQ(CSize(20, 16), bitmapSize(f.m_bmpProcessed));
    f.Paint(&s.dc);   // not lightened twice
    EXPECT_EQ(RGB(130, 130, 130), s.At(10, 8));

    // As large as the numbers go, from inside the surface: the part from its corner on.
    DibSurface t(20, 16, RGB(100, 100, 100));
    CFrameObj g;
    Place(g, 5, 4, INT_MAX, INT_MAX, 1);
    g.m_nLight = -30;
    g.m_bVisible = TRUE;
    g.Paint(&t.dc);
    EXPECT_EQ(RGB(100, 100, 100), t.At(4, 4));
    EXPECT_EQ(RGB(100, 100, 100), t.At(5, 3));
    EXPECT_EQ(RGB(70, 70, 70), t.At(5, 4));
    EXPECT_EQ(RGB(70, 70, 70), t.At(19, 15));
    EXPECT_EQ(CSize(15, 12), bitmapSize(g.m_bmpProcessed));
    CRect r;
    g.GetRect(r);
    EXPECT_EQ(INT_MAX, r.right);
}

TEST(FrameObjPixels, MovingCapturesTheNewBackground)
{
    DibSurface s(60, 20, RGB(100, 100, 100));
    CFrameObj f;
    Place(f, 0, 0, 10, 10, 1);
    f.m_nLight = 10;
    f.m_bVisible = TRUE;
    f.Paint(&s.dc);
    EXPECT_EQ(RGB(110, 110, 110), s.At(5, 5));
    s.Fill(RGB(0, 50, 0));
    f.MoveTo(30, 0, 60, 20);
    f.Paint(&s.dc);
    EXPECT_EQ(RGB(10, 60, 10), s.At(35, 5));
}

TEST(FrameObjPixels, EditorDrawingOffsetsByTheCanvas)
{
    DibSurface s(80, 60, RGB(255, 255, 255));
    CFrameObj f;
    Place(f, 10, 10, 30, 20, 0);
    f.m_crFill = RGB(0, 255, 0);
    CRect drawn;
    f.Draw(&s.dc, CRect(5, 5, 75, 55), -1, FALSE, drawn);
    EXPECT_EQ(CRect(14, 14, 46, 36), drawn);
    EXPECT_EQ(RGB(0, 255, 0), s.At(15, 15));
    EXPECT_EQ(RGB(255, 255, 255), s.At(14, 14));
}

TEST(FrameObjGeometry, MoveToCapsTheSizeAndKeepsTheRectangleInside)
{
    CFrameObj f;
    Place(f, 0, 0, 700, 20, 1);
    f.MoveTo(100, 460, 638, 466);
    EXPECT_EQ(638, f.m_nWidth);
    EXPECT_EQ(0, f.m_nX);
    EXPECT_EQ(446, f.m_nY);

    Place(f, 0, 0, -4, -9, 1);
    f.MoveTo(-10, -10, 638, 466);
    EXPECT_EQ(1, f.m_nWidth);
    EXPECT_EQ(1, f.m_nHeight);
    EXPECT_EQ(0, f.m_nX);
    EXPECT_EQ(0, f.m_nY);
}

TEST(FrameObjInfo, DescribesTheModeInItsLanguage)
{
    CFrameObj f;
    CString text;
    f.m_nFillMode = 0;
    f.m_crFill = RGB(0x12, 0xAB, 0x00);
    f.GetInfoText(text);
    EXPECT_STREQ("Mode:fill solid color; Color:#12AB00; Frame:no", text);
    f.m_nFillMode = 1;
    f.m_nLight = -50;
    f.m_bFrame = TRUE;
    f.m_crFrame = RGB(255, 0, 0);
    f.GetInfoText(text);
    EXPECT_STREQ("Mode:fill transparent color; Brightness:-50 ; Frame:#FF0000", text);
    f.m_nFillMode = 2;
    f.m_nRed = 1;
    f.m_nGreen = 2;
    f.m_nBlue = 3;
    f.m_bFrame = FALSE;
    f.GetInfoText(text);
    EXPECT_STREQ("Mode:colorize transparent; Red:1 Green:2 Blue3; Frame:no", text);
    f.m_cLanguage = 'G';
    f.GetInfoText(text);
    EXPECT_STREQ("Mode:transparent färben; Rot:1 Grün:2 Blau3; Rahmen:nein", text);
    f.m_nFillMode = 9;
    f.GetInfoText(text);
    EXPECT_STREQ("; Rahmen:nein", text);
    f.Describe(text);
    EXPECT_STREQ("FRAME: 20,10,300,10", text);
}

TEST(FrameObjThread, GrowsIntoPlaceThenReportsDone)
{
    CPlainWindow window;
    ASSERT_TRUE(window.hwnd());
    CFrameObj f;
    Place(f, 10, 10, 300, 40, 0);
    f.m_Animation.m_nSelected = 1;
    f.m_nSpeed = 2500;   // 89 pixels per step: 4 steps
    f.Prepare(nullptr, window.wnd());
    ASSERT_EQ(1, f.GetAnimationIndex());
    DibSurface s(400, 100);
    EXPECT_FALSE(f.AnimateStep(&s.dc, 0, 200, 0));
    EXPECT_TRUE(f.m_bAnimating);
    ASSERT_TRUE(WaitFor([&] { return !f.IsAnimationRunning(); }));
    EXPECT_EQ(CRect(10, 10, 310, 50), f.GetAnimationRect());
    EXPECT_TRUE(f.AnimateStep(&s.dc, 1, 200, 50));
    EXPECT_TRUE(f.m_bVisible);
    EXPECT_FALSE(f.m_bAnimating);
    EXPECT_EQ(RGB(255, 255, 240), s.At(309, 49));
}

TEST(FrameObjThread, WhileGrowingOnlyTheGrownPartIsFilledAndNoFrameIsDrawn)
{
    CPlainWindow window;
    CFrameObj f;
    Place(f, 0, 0, 300, 10, 0);
    f.m_crFill = RGB(0, 255, 0);
    f.m_bFrame = TRUE;
    f.m_crFrame = RGB(255, 0, 0);
    f.m_Animation.m_nSelected = 1;
    f.m_nSpeed = 25;   // one pixel per step
    f.Prepare(nullptr, window.wnd());
    DibSurface s(320, 20, RGB(0, 0, 255));
    ASSERT_FALSE(f.AnimateStep(&s.dc, 0, 200, 0));
    ASSERT_TRUE(WaitFor([&] { return f.GetAnimationRect().Width() >= 3; }));   // a few steps grown
    f.StopAnimation();
    ASSERT_TRUE(WaitFor([&] { return !f.IsAnimationRunning(); }));
    const CRect grown = f.GetAnimationRect();
    ASSERT_GT(grown.Width(), 0);
    ASSERT_LT(grown.Width(), 300);

    f.PaintAt(&s.dc, 0, 0);
    EXPECT_EQ(RGB(0, 255, 0), s.At(0, 0));
    EXPECT_EQ(RGB(0, 255, 0), s.At(grown.right - 1, 9));
    EXPECT_EQ(RGB(0, 0, 255), s.At(grown.right, 5));

    // the ended animation completes with the whole rectangle and its frame
    EXPECT_TRUE(f.AnimateStep(&s.dc, 1, 200, 50));
    EXPECT_EQ(RGB(255, 0, 0), s.At(0, 0));
    EXPECT_EQ(RGB(0, 255, 0), s.At(250, 5));
    EXPECT_EQ(RGB(255, 0, 0), s.At(299, 9));
}

TEST(FrameObjThread, WithoutAnimationOrWindowItIsDoneAtOnce)
{
    CFrameObj f;
    DibSurface s(10, 10);
    EXPECT_TRUE(f.AnimateStep(&s.dc, 0, 200, 0));
    EXPECT_TRUE(f.m_bVisible);
    f.m_Animation.m_nSelected = 2;
    f.m_bVisible = FALSE;
    EXPECT_TRUE(f.AnimateStep(&s.dc, 0, 200, 0));
    EXPECT_FALSE(f.m_bAnimating);
}

TEST(FrameObjThread, StopAnimationReportsWhetherTheThreadStillRuns)
{
    CPlainWindow window;
    CFrameObj f;
    Place(f, 0, 0, 600, 10, 1);
    f.m_Animation.m_nSelected = 1;
    f.m_nSpeed = 25;   // one pixel per step: runs for seconds
    f.Prepare(nullptr, window.wnd());
    DibSurface s(10, 10);
    EXPECT_FALSE(f.AnimateStep(&s.dc, 0, 200, 0));
    EXPECT_NE(0, f.StopAnimation());
    EXPECT_TRUE(WaitFor([&] { return f.StopAnimation() == 0; }));
    EXPECT_FALSE(f.IsAnimationRunning());
}

TEST(FrameObjThread, DestroyClearAndCopyStopTheThreadWithoutLeakingHandles)
{
    CPlainWindow window;
    DibSurface s(10, 10);
    auto start = [&](CFrameObj& f)
    {
        Place(f, 0, 0, 600, 10, 1);
        f.m_Animation.m_nSelected = 3;
        f.m_nSpeed = 25;
        f.Prepare(nullptr, window.wnd());
        f.AnimateStep(&s.dc, 0, 200, 0);
        return f.IsAnimationRunning();
    };
    // warm up whatever the runtime allocates on the first thread
    {
        CFrameObj f;
        start(f);
    }
    const DWORD before = ProcessHandleCount();
    for (int i = 0; i < 10; i++)
    {
        auto f = std::make_unique<CFrameObj>();
        EXPECT_TRUE(start(*f));
        f.reset();   // destroying a running object waits for its thread
    }
    CFrameObj g, source;
    EXPECT_TRUE(start(g));
    g.Clear();
    EXPECT_FALSE(g.IsAnimationRunning());
    EXPECT_TRUE(start(g));
    g.CopyFrom(source);
    EXPECT_FALSE(g.IsAnimationRunning());
    EXPECT_TRUE(start(g));
    g.SetDefaults();
    EXPECT_FALSE(g.IsAnimationRunning());
    const DWORD after = ProcessHandleCount();
    EXPECT_LE(after, before + 1);
}
