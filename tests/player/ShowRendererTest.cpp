// The renderer's playback state machine on a synthetic clock: calibration, transition frame totals, the
// order of slides, the end modes, manual advance and the odd start slides.
#include "PlayerTestSupport.h"
#include "player/PlayerDlg.h"
#include "player/ShowRenderer.h"
#include "show/ProjectPack.h"
#include "show/SlideObject.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <cstdio>
#include <cstring>
#include <functional>

using namespace playertest;

namespace
{

const int kWidth = 318;   // a 320 x 240 window less the band
const int kHeight = 228;
const COLORREF kRed = RGB(255, 0, 0);
const COLORREF kGreen = RGB(0, 255, 0);
const COLORREF kBlue = RGB(0, 0, 255);
const COLORREF kBackground = RGB(0, 0, 0);

// Object 0 of a slide: a yellow rectangle at (10, 10) without frame.
std::string YellowRectangle(int width, int height, int delay, const char* animation)
{
    char lines[512];
    std::snprintf(lines, sizeof(lines),
                  "OBJ00=FRAME00\r\nFRAME00_X=10\r\nFRAME00_Y=10\r\nFRAME00_WIDTH=%d\r\nFRAME00_HEIGHT=%d\r\n"
                  "FRAME00_DELAY=%d\r\nFRAME00_FILLMODE=0\r\nFRAME00_FRAME=0\r\nFRAME00_FILLCOLOR=#ffff00\r\n"
                  "FRAME00_ANIMATION=%s\r\n",
                  width, height, delay, animation);
    return lines;
}

class ShowRendererTest : public ::testing::Test
{
protected:
    ShowRendererTest() : surface(kWidth, kHeight) {}

    // Reads a show of solid-colour slides into the renderer and starts it (no window: the test paints).
    BOOL Open(ShowSpec show, const std::vector<COLORREF>& colours)
    {
        show.background = kBackground;
        std::vector<PackEntry> entries;
        for (size_t i = 0; i < colours.size(); ++i)
        {
            std::string name = "slide" + std::to_string(i) + ".bmp";
            if (i >= show.slides.size())
                show.slides.push_back(SlideSpec());
            show.slides[i].image = name;
            entries.push_back({name, MakeSolidBmp(16, 12, colours[i])});
        }
        text = MakeShowText(show);
        pack.AddData("VEXUL.INI", text.data(), static_cast<int>(text.size()));
        for (const PackEntry& e : entries)
            pack.AddData(e.name.c_str(), e.data.data(), static_cast<int>(e.data.size()));
        renderer.SetPack(&pack);
        int size = 0;
        BYTE* data = pack.GetEntryData("VEXUL.INI", size);
        if (!renderer.Load("test.vxl", data, size))
            return FALSE;
        return renderer.Start(0, 0, kWidth, kHeight, 0, 0, nullptr, 40);
    }

    // One tick of the clock, followed by the paint the window would do.
    BOOL Tick()
    {
        BOOL more = renderer.Step(now);
        renderer.Paint(&surface.dc);
        now += 40;
        return more;
    }

    // The five calibration ticks (at 0, 40, 80, 120, 160 ms) after GoToSlide.
    void Calibrate(int startSlide = 0)
    {
        renderer.GoToSlide(startSlide);
        for (int i = 0; i < 5; ++i)
            Tick();
    }

    // Ticks until the predicate holds or the show ends; FALSE when it never held.
    BOOL TickUntil(const std::function<bool()>& done, int maxTicks = 2000)
    {
        for (int i = 0; i < maxTicks; ++i)
        {
            if (done())
                return TRUE;
            if (!Tick())
                return done();
        }
        return FALSE;
    }

    COLORREF Centre() const { return surface.At(kWidth / 2, kHeight / 2); }

    CShowRenderer renderer;
    CProjectPack pack;
    std::string text;
    DibSurface surface;
    int now = 0;
};

}   // namespace

TEST_F(ShowRendererTest, NotReadyWithoutSlides)
{
    EXPECT_FALSE(Open(ShowSpec(), {}));
    EXPECT_FALSE(renderer.Step(0));
    renderer.Paint(&surface.dc);
    EXPECT_EQ(RGB(255, 255, 255), Centre());
}

TEST_F(ShowRendererTest, CalibrationMeasuresTheTick)
{
    ASSERT_TRUE(Open(ShowSpec(), {kRed}));
    renderer.GoToSlide(0);
    EXPECT_EQ(CShowRenderer::StateCalibration, renderer.GetPlayback().nState);
    for (int t : {0, 40, 80, 120})
    {
        renderer.Step(t);
        EXPECT_EQ(CShowRenderer::StateCalibration, renderer.GetPlayback().nState);
    }
    renderer.Step(160);
    EXPECT_EQ(40, renderer.GetPlayback().nTickLength);
    EXPECT_EQ(CShowRenderer::StateNextObject, renderer.GetPlayback().nState);
    EXPECT_EQ(160, renderer.GetPlayback().nPhaseStart);
}

TEST_F(ShowRendererTest, CalibrationNeverGivesAZeroTick)
{
    ASSERT_TRUE(Open(ShowSpec(), {kRed}));
    renderer.GoToSlide(0);
    for (int i = 0; i < 5; ++i)
        renderer.Step(1000);
    EXPECT_EQ(1, renderer.GetPlayback().nTickLength);
    EXPECT_GT(renderer.ComputeFrameTotal(1, 1), 0);
}

TEST_F(ShowRendererTest, FrameTotalsFollowTheMeasuredTick)
{
    ASSERT_TRUE(Open(ShowSpec(), {kRed}));
    Calibrate();
    ASSERT_EQ(40, renderer.GetPlayback().nTickLength);
    EXPECT_EQ(12, renderer.ComputeFrameTotal(0, 1));   // 500 / 40
    EXPECT_EQ(26, renderer.ComputeFrameTotal(1, 1));   // 25, made even
    EXPECT_EQ(38, renderer.ComputeFrameTotal(2, 1));   // 37, made even
    EXPECT_EQ(50, renderer.ComputeFrameTotal(3, 1));
    EXPECT_EQ(50, renderer.ComputeFrameTotal(9, 1));    // counts as 3
    EXPECT_EQ(12, renderer.ComputeFrameTotal(-4, 1));   // counts as 0
    EXPECT_EQ(52, renderer.ComputeFrameTotal(1, 7));    // stripes fade in twice as long
    EXPECT_EQ(52, renderer.ComputeFrameTotal(1, 8));
    EXPECT_EQ(26, renderer.ComputeFrameTotal(1, -1));   // fade-outs are never doubled
    // a clock that ticks every 100 ms
    renderer.GoToSlide(0);
    for (int t : {0, 100, 200, 300, 400})
        renderer.Step(t);
    ASSERT_EQ(100, renderer.GetPlayback().nTickLength);
    EXPECT_EQ(8, renderer.ComputeFrameTotal(0, 1));   // 5, made even, raised to 8
    EXPECT_EQ(16, renderer.ComputeFrameTotal(0, 7));
}

TEST_F(ShowRendererTest, FadeOutTakesItsFrameTotalOnTheFirstFrame)
{
    ShowSpec show;
    show.slides.resize(2);
    show.slides[0].fadeOut = "LEFT-RIGHT";
    show.slides[0].fadeSpeed = 1;
    show.slides[0].delay = 200;
    ASSERT_TRUE(Open(show, {kRed, kGreen}));
    Calibrate();
    ASSERT_TRUE(TickUntil(
        [&]
        {
            return renderer.GetPlayback().nState == CShowRenderer::StateSlideEnd &&
                   renderer.GetPlayback().nFrameCounter == 1;
        }));
    EXPECT_EQ(26, renderer.GetPlayback().nFrameTotal);
    EXPECT_EQ(1000, renderer.GetPlayback().nTransitionDuration);
    // the fade-out ends, the pause follows, then the next slide
    ASSERT_TRUE(TickUntil([&] { return renderer.GetPlayback().nState == CShowRenderer::StatePause; }));
    EXPECT_EQ(0, renderer.GetPlayback().nCurrentSlide);
    ASSERT_TRUE(TickUntil([&] { return renderer.GetPlayback().nCurrentSlide == 1; }));
}

TEST_F(ShowRendererTest, FadeInFrameTotalDoubledForStripes)
{
    ShowSpec show;
    show.slides.resize(2);
    show.slides[0].delay = 100;
    show.slides[1].fadeIn = "HORZ-STRIPES";
    show.slides[1].fadeSpeed = 0;
    ASSERT_TRUE(Open(show, {kRed, kGreen}));
    Calibrate();
    ASSERT_TRUE(TickUntil(
        [&]
        {
            return renderer.GetPlayback().nState == CShowRenderer::StateFadeIn &&
                   renderer.GetPlayback().nFrameCounter == 1;
        }));
    EXPECT_EQ(1, renderer.GetPlayback().nCurrentSlide);
    EXPECT_EQ(24, renderer.GetPlayback().nFrameTotal);
}

TEST_F(ShowRendererTest, SlidesPlayInOrderAndTheShowEnds)
{
    ShowSpec show;
    show.slides.resize(3);
    for (SlideSpec& s : show.slides)
        s.delay = 200;
    ASSERT_TRUE(Open(show, {kRed, kGreen, kBlue}));
    renderer.GoToSlide(0);
    std::vector<COLORREF> seen;
    int ticks = 0;
    while (Tick() && ticks++ < 500)
    {
        COLORREF c = Centre();
        if (seen.empty() || seen.back() != c)
            seen.push_back(c);
    }
    // the start slide is visible from the first frame on, also while its objects would enter
    std::vector<COLORREF> expected = {kRed, kGreen, kBlue};
    EXPECT_EQ(expected, seen);
    EXPECT_LT(ticks, 500);
    EXPECT_EQ(CShowRenderer::StateEnd, renderer.GetPlayback().nState);
    EXPECT_EQ(2, renderer.GetPlayback().nCurrentSlide);
    // the show ended: the step says so again
    EXPECT_FALSE(renderer.Step(now));
}

TEST_F(ShowRendererTest, LastSlideNeverFadesOut)
{
    ShowSpec show;
    show.slides.resize(1);
    show.slides[0].fadeOut = "TOP-BOTTOM";
    show.slides[0].delay = 200;
    ASSERT_TRUE(Open(show, {kRed}));
    Calibrate();
    ASSERT_TRUE(TickUntil([&] { return renderer.GetPlayback().nState == CShowRenderer::StateSlideEnd; }));
    Tick();
    EXPECT_EQ(CShowRenderer::StateEnd, renderer.GetPlayback().nState);
    EXPECT_EQ(kRed, Centre());
}

TEST_F(ShowRendererTest, EndModeOneWaitsForTheSound)
{
    ShowSpec show;
    show.autoExit = 1;
    show.sound = "music.wav";
    show.slides.resize(1);
    show.slides[0].delay = 100;
    ASSERT_TRUE(Open(show, {kRed}));
    EXPECT_FALSE(renderer.GetPlayback().bSoundFinished);
    Calibrate();
    ASSERT_TRUE(TickUntil([&] { return renderer.GetPlayback().nState == CShowRenderer::StateEnd; }));
    for (int i = 0; i < 10; ++i)
        EXPECT_TRUE(Tick());
    renderer.SetSoundFinished();
    EXPECT_FALSE(Tick());
}

TEST_F(ShowRendererTest, EndModeTwoAndOthersStopTheClock)
{
    for (int mode : {0, 2, 3, 7})
    {
        CShowRenderer fresh;
        ShowSpec show;
        show.autoExit = mode;
        show.slides.resize(1);
        show.slides[0].delay = 100;
        show.slides[0].image = "a.bmp";
        std::string t = MakeShowText(show);
        Bytes bmp = MakeSolidBmp(4, 4, kRed);
        pack.Clear();
        pack.AddData("VEXUL.INI", t.data(), static_cast<int>(t.size()));
        pack.AddData("a.bmp", bmp.data(), static_cast<int>(bmp.size()));
        fresh.SetPack(&pack);
        int size = 0;
        BYTE* data = pack.GetEntryData("VEXUL.INI", size);
        ASSERT_TRUE(fresh.Load("x", data, size));
        ASSERT_TRUE(fresh.Start(0, 0, 40, 30, 0, 0, nullptr, 40));
        fresh.GoToSlide(0);
        int clock = 0, ticks = 0;
        while (fresh.Step(clock) && ticks++ < 200)
            clock += 40;
        EXPECT_LT(ticks, 200) << "end mode " << mode;
        EXPECT_EQ(CShowRenderer::StateEnd, fresh.GetPlayback().nState) << "end mode " << mode;
    }
}

TEST_F(ShowRendererTest, LoopGoesBackToTheFirstSlide)
{
    ShowSpec show;
    show.loop = 1;
    show.slides.resize(2);
    show.slides[0].delay = 100;
    show.slides[1].delay = 100;
    ASSERT_TRUE(Open(show, {kRed, kGreen}));
    Calibrate();
    ASSERT_TRUE(TickUntil([&] { return renderer.GetPlayback().nCurrentSlide == 1; }));
    ASSERT_TRUE(TickUntil([&] { return renderer.GetPlayback().nCurrentSlide == 0; }));
    EXPECT_EQ(CShowRenderer::StateFadeIn, renderer.GetPlayback().nState);
    ASSERT_TRUE(TickUntil([&] { return renderer.GetPlayback().nState == CShowRenderer::StateDisplay; }));
    EXPECT_EQ(kRed, Centre());
}

TEST_F(ShowRendererTest, RotationFadeOutGoesStraightToTheNextSlidesObjects)
{
    ShowSpec show;
    show.slides.resize(3);
    show.slides[0].fadeOut = "OUTIN_ROTATE_RIGHT";
    show.slides[0].fadeSpeed = 0;
    show.slides[0].delay = 100;
    show.slides[1].fadeIn = "TOP-BOTTOM";
    ASSERT_TRUE(Open(show, {kRed, kGreen, kBlue}));
    Calibrate();
    ASSERT_TRUE(TickUntil([&] { return renderer.GetPlayback().nState == CShowRenderer::StateSlideEnd; }));
    bool paused = false, fadedIn = false;
    ASSERT_TRUE(TickUntil(
        [&]
        {
            paused |= renderer.GetPlayback().nState == CShowRenderer::StatePause;
            fadedIn |= renderer.GetPlayback().nState == CShowRenderer::StateFadeIn;
            return renderer.GetPlayback().nCurrentSlide == 1;
        }));
    EXPECT_FALSE(paused);
    EXPECT_FALSE(fadedIn);
    EXPECT_EQ(CShowRenderer::StateNextObject, renderer.GetPlayback().nState);
    // the rotation brought slide 1 in: it keeps no fade-in of its own for the rest of the run
    EXPECT_EQ(0, renderer.m_Slides[1].m_Background.m_FadeIn.GetSelectedIndex());
    ASSERT_TRUE(TickUntil([&] { return renderer.GetPlayback().nState == CShowRenderer::StateDisplay; }));
    EXPECT_EQ(kGreen, Centre());
}

TEST_F(ShowRendererTest, TinyAreaTransitionStillEnds)
{
    ShowSpec show;
    show.slides.resize(2);
    show.slides[0].fadeOut = "LEFT-RIGHT";
    show.slides[0].fadeSpeed = 0;
    show.slides[0].delay = 100;
    ASSERT_TRUE(Open(show, {kRed, kGreen}));
    // a 2 x 2 area: every per-frame step of the effect rounds to 0
    ASSERT_TRUE(renderer.Start(0, 0, 2, 2, 0, 0, nullptr, 40));
    Calibrate();
    ASSERT_TRUE(TickUntil([&] { return renderer.GetPlayback().nState == CShowRenderer::StateSlideEnd; }));
    int total = 0;
    ASSERT_TRUE(TickUntil(
        [&]
        {
            total = std::max(total, renderer.GetPlayback().nFrameTotal);
            return renderer.GetPlayback().nState != CShowRenderer::StateSlideEnd;
        },
        200));
    EXPECT_LE(renderer.GetPlayback().nFrameCounter, 2 * total + 3);
}

TEST_F(ShowRendererTest, ManualAdvanceByKey)
{
    ShowSpec show;
    show.advance = 1;
    show.slides.resize(2);
    show.slides[0].delay = 100;   // ignored in manual advance
    ASSERT_TRUE(Open(show, {kRed, kGreen}));
    Calibrate();
    ASSERT_TRUE(renderer.GetPlayback().bManualAdvance);
    ASSERT_TRUE(TickUntil([&] { return renderer.GetPlayback().nState == CShowRenderer::StateDisplay; }));
    int displayStart = renderer.GetPlayback().nPhaseStart;
    renderer.Continue();   // too early: nobody waits yet
    EXPECT_EQ(CShowRenderer::AdvanceNone, renderer.GetPlayback().nAdvanceState);
    ASSERT_TRUE(TickUntil([&] { return renderer.GetPlayback().nAdvanceState == CShowRenderer::AdvanceWaiting; }));
    EXPECT_GE(now - 40 - displayStart, 500);
    for (int i = 0; i < 30; ++i)
        Tick();
    EXPECT_EQ(CShowRenderer::StateDisplay, renderer.GetPlayback().nState);
    EXPECT_EQ(0, renderer.GetPlayback().nCurrentSlide);
    EXPECT_EQ(30, renderer.GetPlayback().nIndicatorCounter);
    renderer.Continue();
    EXPECT_EQ(CShowRenderer::AdvanceContinue, renderer.GetPlayback().nAdvanceState);
    Tick();
    EXPECT_EQ(CShowRenderer::StateSlideEnd, renderer.GetPlayback().nState);
    ASSERT_TRUE(TickUntil([&] { return renderer.GetPlayback().nCurrentSlide == 1; }));
}

TEST_F(ShowRendererTest, ManualAdvanceByClickOnTheIndicator)
{
    ShowSpec show;
    show.advance = 1;
    show.slides.resize(2);
    ASSERT_TRUE(Open(show, {kRed, kGreen}));
    Calibrate();
    ASSERT_TRUE(TickUntil([&] { return renderer.GetPlayback().nAdvanceState == CShowRenderer::AdvanceWaiting; }));
    EXPECT_EQ(CRect(kWidth - 14, kHeight - 16, kWidth - 3, kHeight - 3), renderer.GetPlayback().rcIndicator);
    EXPECT_FALSE(renderer.ClickContinue(10, 10));
    EXPECT_FALSE(renderer.ClickContinue(kWidth - 15, kHeight - 10));
    EXPECT_EQ(CShowRenderer::AdvanceWaiting, renderer.GetPlayback().nAdvanceState);
    EXPECT_TRUE(renderer.ClickContinue(kWidth - 10, kHeight - 10));
    Tick();
    EXPECT_EQ(CShowRenderer::StateSlideEnd, renderer.GetPlayback().nState);
}

TEST_F(ShowRendererTest, IndicatorShrinksIntoTheCornerThenShowsTheArrow)
{
    ShowSpec show;
    show.advance = 1;
    show.slides.resize(1);
    ASSERT_TRUE(Open(show, {kRed}));
    Calibrate();
    const CRect& r = renderer.GetPlayback().rcIndicator;
    const COLORREF light = RGB(0xC0, 0xC0, 0xC0), dark = RGB(0x40, 0x40, 0x40);
    // at counter n a frame from (left + T - 122, top + T - 122), T = 0 + 1 + ... + (n - 1), to the rectangle's
    // lower right corner: light grey, and dark grey one pixel inside
    for (int counter : {1, 9, 16})
    {
        ASSERT_TRUE(TickUntil([&] { return renderer.GetPlayback().nIndicatorCounter == counter; }));
        int corner = (counter - 1) * counter / 2 - 122;
        EXPECT_EQ(kRed, surface.At(r.left + corner - 1, r.top + corner - 1)) << counter;
        EXPECT_EQ(light, surface.At(r.left + corner, r.top + corner)) << counter;
        EXPECT_EQ(dark, surface.At(r.left + corner + 1, r.top + corner + 1)) << counter;
        EXPECT_EQ(kRed, surface.At(r.left + corner + 2, r.top + corner + 2)) << counter;
        EXPECT_EQ(light, surface.At(r.right - 1, r.bottom - 1)) << counter;
        EXPECT_EQ(kRed, surface.At(r.right, r.bottom)) << counter;
    }
    // then the rectangle alone, outlined light grey around the arrow
    ASSERT_TRUE(TickUntil([&] { return renderer.GetPlayback().nIndicatorCounter >= 18; }));
    EXPECT_EQ(light, surface.At(r.left, r.top));
    EXPECT_EQ(light, surface.At(r.right - 1, r.bottom - 1));
    EXPECT_EQ(kRed, surface.At(r.left - 2, r.top - 2));
    EXPECT_EQ(kRed, surface.At(r.left - 1, r.bottom - 1));
}

TEST_F(ShowRendererTest, StartSlideBeyondTheShowIsAnEmptySlide)
{
    ShowSpec show;
    show.slides.resize(2);
    ASSERT_TRUE(Open(show, {kRed, kGreen}));
    Calibrate(45);
    EXPECT_EQ(45, renderer.GetPlayback().nCurrentSlide);
    int start = now;
    BOOL more = TRUE;
    while (more && now - start < 10000)
        more = Tick();
    EXPECT_FALSE(more);
    // the background colour for the empty slide's display time of 3000 ms
    EXPECT_GE(now - start, 3000);
    EXPECT_LT(now - start, 3400);
    EXPECT_EQ(kBackground, Centre());
}

TEST_F(ShowRendererTest, StartSlideBeyondTheShowLoopsToTheFirst)
{
    ShowSpec show;
    show.loop = 1;
    show.slides.resize(2);
    ASSERT_TRUE(Open(show, {kRed, kGreen}));
    Calibrate(2);
    ASSERT_TRUE(TickUntil([&] { return renderer.GetPlayback().nCurrentSlide == 0; }, 200));
    ASSERT_TRUE(TickUntil([&] { return renderer.GetPlayback().nState == CShowRenderer::StateDisplay; }));
    EXPECT_EQ(kRed, Centre());
}

TEST_F(ShowRendererTest, ObjectsAppearAfterTheirDelay)
{
    ShowSpec show;
    show.slides.resize(1);
    show.slides[0].delay = 200;
    show.slides[0].objects = YellowRectangle(20, 20, 300, "NONE");
    ASSERT_TRUE(Open(show, {kBlue}));
    Calibrate();
    CSlideObjSlot* slot = renderer.m_Slides[0].GetSlot(0);
    ASSERT_TRUE(slot && slot->m_bUsed);
    EXPECT_FALSE(slot->m_Frame.m_bVisible);
    int phase = renderer.GetPlayback().nPhaseStart;
    ASSERT_TRUE(TickUntil([&] { return slot->m_Frame.m_bVisible != FALSE; }));
    EXPECT_GT(now - 40 - phase, 300);
    Tick();
    EXPECT_EQ(RGB(255, 255, 0), surface.At(20, 20));
    EXPECT_EQ(kBlue, surface.At(100, 100));
    // the unused slot after it ends the insertion
    ASSERT_TRUE(TickUntil([&] { return renderer.GetPlayback().nState == CShowRenderer::StateDisplay; }));
}

TEST_F(ShowRendererTest, StartSlideBeyondTheShowLoopsWithTheFirstSlidesObjects)
{
    ShowSpec show;
    show.loop = 1;
    show.slides.resize(2);
    show.slides[0].objects = "OBJ00=IMAGE00\r\nIMAGE00_X=10\r\nIMAGE00_Y=10\r\nIMAGE00_FILE=obj.bmp\r\n"
                             "IMAGE00_DELAY=0\r\nIMAGE00_ANIMATION=NONE\r\n";
    ASSERT_TRUE(Open(show, {kRed, kGreen}));
    Bytes bmp = MakeSolidBmp(20, 20, kBlue);
    pack.AddData("obj.bmp", bmp.data(), static_cast<int>(bmp.size()));
    Calibrate(5);
    ASSERT_TRUE(TickUntil([&] { return renderer.GetPlayback().nCurrentSlide == 0; }, 200));
    ASSERT_TRUE(TickUntil([&] { return renderer.GetPlayback().nState == CShowRenderer::StateDisplay; }));
    // slide 0 was made ready for play although the run never passed the last slide
    EXPECT_EQ(kBlue, surface.At(20, 20));
    EXPECT_EQ(kRed, surface.At(100, 100));
}

TEST_F(ShowRendererTest, PaintsBetweenTwoTicksNeitherMoveTheShowNorStartAnimations)
{
    // A rectangle that grows in on a thread of its own, then a slide that wipes in.
    ShowSpec show;
    show.slides.resize(2);
    show.slides[0].delay = 100;
    show.slides[0].objects = YellowRectangle(60, 40, 0, "FROM_LEFT");
    show.slides[1].fadeIn = "LEFT-RIGHT";
    show.slides[1].fadeSpeed = 0;
    ASSERT_TRUE(Open(show, {kRed, kGreen}));
    // The slide window as the player has it: its paint draws the renderer's frame.
    HWND hWnd = CreateWindowExA(0, "STATIC", "", WS_POPUP | WS_VISIBLE, 0, 0, kWidth, kHeight, nullptr, nullptr,
                                GetModuleHandleA(nullptr), nullptr);
    ASSERT_NE(nullptr, hWnd);
    CSlideWnd window;
    ASSERT_TRUE(window.SubclassWindow(hWnd));
    window.m_pRenderer = &renderer;
    ASSERT_TRUE(renderer.Start(0, 0, kWidth, kHeight, 0, 0, &window, 40));
    Calibrate();

    // Another window uncovering the slide window, twice between two ticks.
    auto uncoverTwice = [&]
    {
        for (int i = 0; i < 2; ++i)
        {
            window.InvalidateRect(nullptr, FALSE);
            window.UpdateWindow();
        }
    };
    auto unchangedBy = [&](const std::function<void()>& paints)
    {
        CShowRenderer::Playback before = renderer.GetPlayback();
        paints();
        return std::memcmp(&before, &renderer.GetPlayback(), sizeof(before)) == 0;
    };

    // The rectangle's turn has come, but no tick has moved it on yet.
    CSlideObjSlot* slot = renderer.m_Slides[0].GetSlot(0);
    ASSERT_TRUE(TickUntil([&] { return renderer.GetPlayback().nState == CShowRenderer::StateObjectInsert; }));
    ASSERT_FALSE(slot->m_Frame.m_bAnimating);
    EXPECT_TRUE(unchangedBy(uncoverTwice));
    EXPECT_FALSE(slot->m_Frame.m_bAnimating);   // only the clock's step starts it
    Tick();
    EXPECT_TRUE(slot->m_Frame.m_bAnimating);
    EXPECT_TRUE(unchangedBy(uncoverTwice));

    // Halfway through the wipe the paints show the step's frame and leave the transition where it is.
    ASSERT_TRUE(TickUntil(
        [&]
        {
            const CShowRenderer::Playback& p = renderer.GetPlayback();
            return p.nState == CShowRenderer::StateFadeIn && p.nFrameCounter == 4;
        }));
    COLORREF before = Centre();
    EXPECT_TRUE(unchangedBy(uncoverTwice));
    renderer.Paint(&surface.dc);
    EXPECT_EQ(before, Centre());
    ASSERT_TRUE(TickUntil([&] { return renderer.GetPlayback().nState == CShowRenderer::StateDisplay; }));
    EXPECT_EQ(kGreen, Centre());

    renderer.Stop();
    window.m_pRenderer = nullptr;
    window.UnsubclassWindow();
    DestroyWindow(hWnd);
}
