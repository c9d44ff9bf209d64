// Transition effects drawn frame by frame on BMP slides, checked pixel by pixel.
#include "player/TransitionEffects.h"
#include "show/Picture.h"
#include "show/ShowData.h"
#include "support/win_DibSurface.h"

#include <gtest/gtest.h>

#include <cstdint>
#include <initializer_list>
#include <memory>
#include <vector>

namespace
{

const COLORREF BG = RGB(10, 20, 30);        // the show's background colour
const COLORREF NEW = RGB(0, 200, 0);        // the entering slide's picture
const COLORREF OLD = RGB(200, 0, 0);        // left half of a finished slide image
const COLORREF OLD2 = RGB(200, 200, 0);     // its right half
const COLORREF NEXT = RGB(0, 0, 200);       // the next slide's background picture
const COLORREF LAST = RGB(100, 100, 100);   // the last slide's finished image

// A 24-bit BMP file of one colour.
std::vector<BYTE> SolidBmp(int w, int h, COLORREF c)
{
    const int stride = (w * 3 + 3) & ~3;
    const uint32_t pixelBytes = static_cast<uint32_t>(stride * h), offset = 14 + 40;
    std::vector<BYTE> b(offset + pixelBytes, 0);
    auto put16 = [&](size_t at, uint32_t v)
    {
        b[at] = BYTE(v);
        b[at + 1] = BYTE(v >> 8);
    };
    auto put32 = [&](size_t at, uint32_t v)
    {
        put16(at, v & 0xFFFF);
        put16(at + 2, v >> 16);
    };
    b[0] = 'B';
    b[1] = 'M';
    put32(2, offset + pixelBytes);
    put32(10, offset);
    put32(14, 40);
    put32(18, static_cast<uint32_t>(w));
    put32(22, static_cast<uint32_t>(h));
    put16(26, 1);
    put16(28, 24);
    put32(34, pixelBytes);
    for (int y = 0; y < h; ++y)
        for (int x = 0; x < w; ++x)
        {
            BYTE* p = &b[offset + y * stride + x * 3];
            p[0] = GetBValue(c);
            p[1] = GetGValue(c);
            p[2] = GetRValue(c);
        }
    return b;
}

void LoadSolid(CPicture& picture, COLORREF c)
{
    std::vector<BYTE> bmp = SolidBmp(8, 8, c);
    ASSERT_TRUE(picture.LoadFromMemory(bmp.data(), static_cast<DWORD>(bmp.size())));
    ASSERT_TRUE(picture.IsLoaded());
}

// A finished slide image of W x H: left half one colour, right half another.
void MakeFinished(CBitmap& bitmap, int w, int h, COLORREF left, COLORREF right)
{
    DibSurface s(w, h, right);
    s.dc.FillSolidRect(0, 0, w / 2, h, left);
    s.dc.SelectObject(s.previous);
    s.previous = nullptr;
    bitmap.DeleteObject();
    bitmap.Attach(s.bitmap.Detach());
}

struct Probe
{
    int x, y;
    COLORREF color;
};

// A show of three slides over a W x H surface. Slides 0 and 1 have finished images OLD | OLD2, slide 2
// (the last) LAST; slide 2's background picture is NEXT. Slide 1 is current.
class Transitions : public ::testing::Test
{
protected:
    void Build(int w, int h)
    {
        W = w;
        H = h;
        surface = std::make_unique<DibSurface>(w, h, BG);
        if (!show)
            show = std::make_unique<CShowData>();   // one show for the suite: making one takes a while
        brush.CreateSolidBrush(BG);
        LoadSolid(newPicture, NEW);
        LoadSolid(show->m_Slides[2].m_Background.m_Picture, NEXT);
        MakeFinished(show->m_Slides[0].m_Bitmap, w, h, OLD, OLD2);
        MakeFinished(show->m_Slides[1].m_Bitmap, w, h, OLD, OLD2);
        MakeFinished(show->m_Slides[2].m_Bitmap, w, h, LAST, LAST);
        for (int i = 0; i < 3; ++i)
            show->m_Slides[i].m_Background.m_FadeIn.SetSelectedIndex(3);
    }

    static void TearDownTestSuite() { show.reset(); }
    void SetUp() override { Build(64, 48); }

    CTransitionFrame Frame(int d, int n)
    {
        CTransitionFrame f;
        f.pDC = &surface->dc;
        f.nWidth = W;
        f.nHeight = H;
        f.nFrame = d;
        f.nFrames = n;
        f.pBrush = &brush;
        f.pShow = show.get();
        f.nCurrentSlide = current;
        f.nSlideCount = 3;
        f.pNewPicture = &newPicture;
        f.pPreviousPicture = havePrevious ? &show->m_Slides[0].m_Background.m_Picture : nullptr;
        f.pNewSlideBitmap = &newSlideBitmap;
        return f;
    }

    // Runs frames 1 ... d as the renderer does (surface refilled each time); no earlier frame may be done.
    BOOL Run(bool fadeIn, int effect, int n, int d)
    {
        BOOL done = FALSE;
        for (int i = 1; i <= d; ++i)
        {
            EXPECT_FALSE(done) << "done before frame " << i;
            surface->Fill(BG);
            CTransitionFrame f = Frame(i, n);
            done = fadeIn ? CTransitionEffects::DrawFadeIn(effect, f) : CTransitionEffects::DrawFadeOut(effect, f);
        }
        return done;
    }

    void Check(bool fadeIn, int effect, int n, int d, bool done, std::initializer_list<Probe> probes)
    {
        SCOPED_TRACE(::testing::Message()
                     << (fadeIn ? "fade-in " : "fade-out ") << effect << " N=" << n << " d=" << d);
        EXPECT_EQ(done, Run(fadeIn, effect, n, d) != FALSE);
        for (const Probe& p : probes)
            EXPECT_EQ(p.color, surface->At(p.x, p.y)) << "at " << p.x << "," << p.y;
    }

    void ExpectAll(COLORREF c)
    {
        for (int y = 0; y < H; ++y)
            for (int x = 0; x < W; ++x)
                ASSERT_EQ(c, surface->At(x, y)) << "at " << x << "," << y;
    }

    int W = 0, H = 0;
    int current = 1;
    bool havePrevious = true;
    std::unique_ptr<DibSurface> surface;
    static std::unique_ptr<CShowData> show;
    CBrush brush;
    CPicture newPicture;
    CBitmap newSlideBitmap;
};

std::unique_ptr<CShowData> Transitions::show;

// W = 64, H = 48, N = 8: W / N = 8, H / N = 6, W / 2N = 4, H / 2N = 3.

TEST_F(Transitions, FadeInWipes)
{
    Check(true, 1, 8, 1, false, {{15, 0, NEW}, {16, 0, BG}, {63, 47, BG}});
    Check(true, 1, 8, 7, true, {{63, 47, NEW}});
    Check(true, 2, 8, 2, false, {{47, 0, BG}, {48, 0, NEW}});
    Check(true, 2, 8, 8, true, {{0, 0, NEW}});
    Check(true, 3, 8, 3, false, {{0, 17, NEW}, {0, 18, BG}});
    Check(true, 3, 8, 8, true, {{0, 47, NEW}});
    Check(true, 4, 8, 3, false, {{0, 29, BG}, {0, 30, NEW}});
    Check(true, 4, 8, 8, true, {{0, 0, NEW}});
}

TEST_F(Transitions, FadeInBoxes)
{
    Check(true, 5, 8, 2, false, {{7, 6, NEW}, {8, 5, NEW}, {8, 6, BG}, {55, 41, BG}, {56, 41, NEW}});
    Check(true, 5, 8, 8, true, {});
    ExpectAll(NEW);
    Check(true, 6, 8, 2, false,
          {{24, 18, NEW}, {39, 29, NEW}, {23, 18, BG}, {40, 29, BG}, {24, 17, BG}, {24, 30, BG}});
    Check(true, 6, 8, 8, true, {});
    ExpectAll(NEW);
}

TEST_F(Transitions, FadeInStripesShrinkTwoPixelsPerFrame)
{
    // N = 16 (doubled for these two), b = 8: bands of 2 (b - d) every 16 pixels.
    Check(true, 7, 16, 3, false,
          {{0, 9, BG},
           {0, 10, NEW},
           {0, 15, NEW},
           {0, 16, BG},
           {0, 25, BG},
           {0, 26, NEW},
           {0, 41, BG},
           {0, 42, NEW}});
    Check(true, 7, 16, 7, false, {{0, 1, BG}, {0, 2, NEW}, {63, 33, BG}, {63, 34, NEW}});
    Check(true, 7, 16, 8, true, {});
    ExpectAll(NEW);
    Check(true, 8, 16, 3, false, {{9, 0, BG}, {10, 0, NEW}, {16, 0, BG}, {57, 47, BG}, {58, 47, NEW}});
    Check(true, 8, 16, 8, false, {});   // no columns left, but done only once N / 2 < d
    ExpectAll(NEW);
    Check(true, 8, 16, 9, true, {});
}

TEST_F(Transitions, FadeInMoves)
{
    Check(true, 9, 8, 3, false, {{23, 0, NEW}, {24, 0, BG}});
    Check(true, 9, 8, 8, true, {});
    ExpectAll(NEW);
    Check(true, 10, 8, 3, false, {{39, 0, BG}, {40, 0, NEW}});
    Check(true, 10, 8, 8, true, {{0, 0, NEW}});
    Check(true, 11, 8, 3, false, {{0, 17, NEW}, {0, 18, BG}});
    Check(true, 11, 8, 8, true, {{0, 47, NEW}});
    Check(true, 12, 8, 3, false, {{0, 29, BG}, {0, 30, NEW}});
    Check(true, 12, 8, 8, true, {{0, 0, NEW}});
}

TEST_F(Transitions, FadeInAfterARotationIsDoneAtOnceOnTheBackgroundColour)
{
    for (int effect : {13, 14})
    {
        Check(true, effect, 8, 1, true, {});
        ExpectAll(BG);
    }
}

TEST_F(Transitions, CoverFirstFrameShowsThePreviousSlideAndMakesTheNewSlideBitmap)
{
    Check(true, 15, 8, 1, false, {{0, 0, OLD}, {31, 47, OLD}, {32, 0, OLD2}, {63, 47, OLD2}});
    std::vector<COLORREF> px = ReadBitmapPixels(newSlideBitmap);
    ASSERT_EQ(static_cast<size_t>(W * H), px.size());
    for (COLORREF c : px)
        ASSERT_EQ(NEW, c);
}

TEST_F(Transitions, CoversFromTheEdges)
{
    // d = 3: ax = 16, ay = 12.
    Check(true, 15, 8, 3, false, {{47, 0, OLD2}, {48, 0, NEW}, {63, 47, NEW}});
    Check(true, 15, 8, 9, false, {});   // the copy covers everything, the test is W < ax
    ExpectAll(NEW);
    Check(true, 15, 8, 10, true, {});
    ExpectAll(NEW);
    Check(true, 16, 8, 3, false, {{15, 47, NEW}, {16, 0, OLD}});
    Check(true, 17, 8, 3, false, {{63, 11, NEW}, {63, 12, OLD2}});
    Check(true, 17, 8, 10, true, {{0, 47, NEW}});
    Check(true, 18, 8, 3, false, {{0, 35, OLD}, {0, 36, NEW}});
}

TEST_F(Transitions, CoversFromTheMiddle)
{
    Check(true, 19, 8, 3, false, {{0, 11, OLD}, {0, 12, NEW}, {63, 35, NEW}, {63, 36, OLD2}});
    Check(true, 19, 8, 5, false, {});
    ExpectAll(NEW);
    Check(true, 19, 8, 6, true, {});
    Check(true, 20, 8, 3, false, {{15, 0, OLD}, {16, 0, NEW}, {47, 47, NEW}, {48, 47, OLD2}});
    Check(true, 21, 8, 3, false,
          {{15, 12, OLD}, {16, 11, OLD}, {16, 12, NEW}, {47, 35, NEW}, {48, 35, OLD2}, {47, 36, OLD2}});
    Check(true, 21, 8, 9, false, {});
    ExpectAll(NEW);
    Check(true, 21, 8, 10, true, {});
    Check(true, 22, 8, 3, false,
          {{0, 11, NEW},
           {20, 11, NEW},
           {20, 12, OLD},
           {15, 20, NEW},
           {16, 20, OLD},
           {47, 35, OLD2},
           {48, 35, NEW},
           {40, 36, NEW}});
    Check(true, 22, 8, 10, true, {});
    ExpectAll(NEW);
}

TEST_F(Transitions, CoverWithoutAPreviousPictureShowsTheBackgroundColour)
{
    havePrevious = false;
    Check(true, 15, 8, 1, false, {{0, 0, BG}, {63, 47, BG}});
    Check(true, 15, 8, 3, false, {{47, 0, BG}, {48, 0, NEW}});
}

TEST_F(Transitions, CoverOnTheFirstSlideAfterALoopShowsTheLastSlide)
{
    current = 0;
    Check(true, 16, 8, 1, false, {{0, 0, LAST}, {63, 47, LAST}});
    Check(true, 16, 8, 3, false, {{15, 0, NEW}, {16, 0, LAST}});
}

TEST_F(Transitions, CoverCopiesLandOffsetByTheSlideAreaOrigin)
{
    // d = 3, ax = 16: the copied columns 0 ... 15 land at 4 ... 19, two rows down; the old image stays put.
    for (int d = 1; d <= 3; ++d)
    {
        surface->Fill(BG);
        CTransitionFrame f = Frame(d, 8);
        f.nLeft = 4;
        f.nTop = 2;
        EXPECT_FALSE(CTransitionEffects::DrawFadeIn(16, f));
    }
    EXPECT_EQ(OLD, surface->At(3, 10));
    EXPECT_EQ(NEW, surface->At(4, 10));
    EXPECT_EQ(NEW, surface->At(19, 47));
    EXPECT_EQ(OLD, surface->At(20, 10));
    EXPECT_EQ(OLD, surface->At(10, 1));
    EXPECT_EQ(NEW, surface->At(10, 2));
}

TEST_F(Transitions, FadeOutWipes)
{
    Check(false, 1, 8, 2, false, {{15, 0, BG}, {16, 0, OLD}, {63, 47, OLD2}});
    Check(false, 1, 8, 8, true, {});
    ExpectAll(BG);
    Check(false, 2, 8, 2, false, {{47, 0, OLD2}, {48, 0, BG}});
    Check(false, 3, 8, 2, false, {{0, 11, BG}, {0, 12, OLD}});
    Check(false, 3, 8, 8, true, {{63, 47, BG}});
    Check(false, 4, 8, 2, false, {{0, 35, OLD}, {0, 36, BG}});
}

TEST_F(Transitions, FadeOutBoxes)
{
    Check(false, 5, 8, 2, false,
          {{16, 12, OLD}, {15, 12, BG}, {16, 11, BG}, {47, 35, OLD2}, {48, 35, BG}, {47, 36, BG}});
    Check(false, 5, 8, 4, true, {});   // bx = 32 = W / 2
    ExpectAll(BG);
    Check(false, 6, 8, 2, false, {{23, 18, OLD}, {24, 17, OLD}, {24, 18, BG}, {39, 29, BG}, {40, 29, OLD2}});
    Check(false, 6, 8, 8, true, {});
    ExpectAll(BG);
}

TEST_F(Transitions, FadeOutStripesGrowTwoPixelsPerFrame)
{
    Check(false, 7, 8, 2, false, {{0, 3, BG}, {0, 4, OLD}, {0, 7, OLD}, {0, 8, BG}, {0, 43, BG}, {0, 44, OLD}});
    Check(false, 7, 8, 4, false, {});
    ExpectAll(BG);
    Check(false, 7, 8, 5, true, {});
    Check(false, 8, 8, 2, false, {{3, 0, BG}, {4, 0, OLD}, {8, 0, BG}, {59, 47, BG}, {60, 47, OLD2}});
    Check(false, 8, 8, 5, true, {});
}

TEST_F(Transitions, FadeOutMoves)
{
    Check(false, 9, 8, 2, false, {{15, 0, BG}, {16, 0, OLD}, {47, 0, OLD}, {48, 0, OLD2}});
    Check(false, 9, 8, 8, true, {});
    ExpectAll(BG);
    Check(false, 10, 8, 2, false, {{15, 0, OLD}, {16, 0, OLD2}, {47, 0, OLD2}, {48, 0, BG}});
    Check(false, 10, 8, 8, true, {});
    ExpectAll(BG);
    Check(false, 11, 8, 2, false, {{0, 11, BG}, {0, 12, OLD}, {32, 47, OLD2}});
    Check(false, 12, 8, 2, false, {{0, 35, OLD}, {0, 36, BG}});
    Check(false, 12, 8, 8, true, {});
}

TEST_F(Transitions, FadeOutRotationSqueezesTheNextSlideIn)
{
    // a = 16: the next background in (0, 0, 16, H), a gap of one column, the old image squeezed after it.
    Check(false, 13, 8, 2, false, {{0, 0, NEXT}, {15, 47, NEXT}, {16, 0, BG}, {17, 0, OLD}, {63, 47, OLD2}});
    EXPECT_EQ(0, show->m_Slides[2].m_Background.m_FadeIn.GetSelectedIndex());   // the next slide enters plainly
    EXPECT_EQ(3, show->m_Slides[1].m_Background.m_FadeIn.GetSelectedIndex());
    Check(false, 13, 8, 8, true, {});
    ExpectAll(NEXT);
    Check(false, 14, 8, 2, false, {{63, 11, NEXT}, {0, 12, BG}, {0, 13, OLD}, {63, 47, OLD2}});
    Check(false, 14, 8, 8, true, {});
    ExpectAll(NEXT);
}

TEST_F(Transitions, FadeOutRotationOfTheLastSlideBringsInTheFirst)
{
    current = 2;   // slide 0 is next; its picture is not loaded, so the brush stands for it
    Check(false, 13, 8, 2, false, {{15, 0, BG}, {17, 0, LAST}});
    EXPECT_EQ(0, show->m_Slides[0].m_Background.m_FadeIn.GetSelectedIndex());
    EXPECT_EQ(3, show->m_Slides[2].m_Background.m_FadeIn.GetSelectedIndex());
}

TEST_F(Transitions, FadeOutCoversAreDoneAtOnceWithoutDrawing)
{
    for (int effect = 15; effect <= 22; ++effect)
    {
        Check(false, effect, 8, 1, true, {});
        ExpectAll(BG);
    }
}

TEST_F(Transitions, UnknownEffectsAndBadFrameTotalsEndAtOnce)
{
    Check(true, 0, 8, 1, true, {});
    Check(true, 23, 8, 1, true, {});
    Check(false, -1, 8, 1, true, {});
    Check(true, 3, 0, 1, true, {});
    ExpectAll(BG);
}

TEST_F(Transitions, TinyAreaNeverDividesByZero)
{
    // W / N rounds to 0: nothing moves, so nothing is done (the renderer ends such a transition itself).
    Build(4, 4);
    for (int effect = 1; effect <= 22; ++effect)
    {
        surface->Fill(BG);
        CTransitionFrame in = Frame(3, 8);
        CTransitionEffects::DrawFadeIn(effect, in);
        CTransitionFrame out = Frame(3, 8);
        CTransitionEffects::DrawFadeOut(effect, out);
    }
    Check(true, 2, 8, 3, false, {{3, 3, BG}});
}

TEST_F(Transitions, ExamplesAtSlideSize)
{
    Build(638, 4);
    // W = 638, N = 26, fade-in 1: a = 24 x 24 = 576 at d = 1, done at d = 25.
    Check(true, 1, 26, 1, false, {{61, 0, NEW}, {62, 0, BG}});
    Check(true, 1, 26, 24, false, {{613, 0, NEW}, {614, 0, BG}});
    Check(true, 1, 26, 25, true, {{637, 3, NEW}});
    // Fade-out 9 with N = 8: a = 79 per frame, done at d = 9 with the image outside.
    Check(false, 9, 8, 8, false, {{631, 0, BG}, {632, 0, OLD}});
    Check(false, 9, 8, 9, true, {});
    ExpectAll(BG);

    Build(64, 466);
    // Fade-in 19 with H = 466, N = 8: at d = 5 the band spans rows 1 to 464; done at d = 6.
    Check(true, 19, 8, 5, false, {{0, 0, OLD}, {0, 1, NEW}, {0, 464, NEW}, {0, 465, OLD}});
    Check(true, 19, 8, 6, true, {});
    ExpectAll(NEW);
}

}   // namespace
