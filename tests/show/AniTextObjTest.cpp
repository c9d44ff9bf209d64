#include "show/AniText.h"

#include "support/BmpFile.h"
#include "support/win_DibSurface.h"
#include "show/SlideObjTestUtil.h"

#include <gtest/gtest.h>

#include <climits>

namespace
{

const int kW = 420;
const int kH = 120;

bool SameImage(const DibSurface& a, const DibSurface& b, int w, int h)
{
    for (int y = 0; y < h; y++)
        for (int x = 0; x < w; x++)
            if (a.At(x, y) != b.At(x, y))
                return false;
    return true;
}

int CountPixels(const DibSurface& s, COLORREF c, int w = kW, int h = kH)
{
    int n = 0;
    for (int y = 0; y < h; y++)
        for (int x = 0; x < w; x++)
            if (s.At(x, y) == c)
                n++;
    return n;
}

void MakeText(CAniText& t, const char* text, int x, int y, int size = 40)
{
    t.m_strText = text;
    t.m_nX = x;
    t.m_nY = y;
    t.m_strFontName = "Tahoma";
    t.m_nFontSize = size;
    t.m_crColor = RGB(255, 0, 0);
    t.Prepare(nullptr, nullptr);
}

int TextWidth(CAniText& t, const CString& text)
{
    DibSurface s(8, 8);
    CFont* old = s.dc.SelectObject(&t.m_Font);
    int w = s.dc.GetTextExtent(text).cx;
    s.dc.SelectObject(old);
    return w;
}

}   // namespace

TEST(AniTextShowText, WritesItsKeysInOrderAndReadsThemBack)
{
    ASSERT_EQ(96, CAniText::GetScreenPixelsPerInchY());
    CAniText t;
    t.m_nX = 30;
    t.m_nY = 40;
    t.m_strText = "Hello";
    t.m_strFontName = "Tahoma";
    t.m_nFontSize = 16;
    t.m_bItalic = TRUE;
    t.m_crColor = RGB(0x12, 0x34, 0x56);
    t.m_nEffect = 1;
    t.m_nDelay = 1500;
    t.m_Animation.m_nSelected = 3;
    CWriteSettings w;
    t.Save(0, w.file(), "SHEET00");
    const std::string expected = "\r\n\r\n[SHEET00]\r\n"
                                 "TEXT00_X=30\r\nTEXT00_Y=40\r\nTEXT00_TEXT=Hello\r\nTEXT00_FONTNAME=Tahoma\r\n"
                                 "TEXT00_FONTSIZE=12\r\nTEXT00_FONTWEIGHT=BOLD\r\nTEXT00_ITALIC=1\r\n"
                                 "TEXT00_UNDERLINE=0\r\nTEXT00_COLOR=#123456\r\nTEXT00_EFFECT=1\r\n"
                                 "TEXT00_DELAY=1500\r\nTEXT00_ANIMATION=TYPEWRITER\r\nTEXT00_FONTTYPE=1\r\n";
    EXPECT_EQ(expected, w.text());

    CReadSettings r(w.text());
    CAniText back;
    back.Load(0, r.file(), "SHEET00");
    EXPECT_EQ(30, back.m_nX);
    EXPECT_EQ(40, back.m_nY);
    EXPECT_STREQ("Hello", back.m_strText);
    EXPECT_STREQ("Tahoma", back.m_strFontName);
    EXPECT_EQ(16, back.m_nFontSize);
    EXPECT_TRUE(back.m_bItalic);
    EXPECT_FALSE(back.m_bUnderline);
    EXPECT_EQ(RGB(0x12, 0x34, 0x56), back.m_crColor);
    EXPECT_EQ(1, back.m_nEffect);
    EXPECT_EQ(1500, back.m_nDelay);
    EXPECT_EQ(3, back.GetAnimationIndex());
    EXPECT_TRUE(back.m_bFontInPoints);
}

TEST(AniTextShowText, MissingKeysReadAsTheShowTextDefaults)
{
    CReadSettings r("[SHEET00]\r\nTEXT01_TEXT=Only\r\n");
    CAniText t;
    t.m_Animation.m_nSelected = 2;
    t.Load(1, r.file(), "SHEET00");
    EXPECT_EQ(0, t.m_nX);
    EXPECT_EQ(20, t.m_nFontSize);   // FONTTYPE 0: pixels as stored
    EXPECT_FALSE(t.m_bFontInPoints);
    EXPECT_STREQ("ARIAL", t.m_strFontName);
    EXPECT_EQ(0, t.GetAnimationIndex());
    EXPECT_EQ(1000, t.m_nDelay);
}

TEST(AniTextShowText, PointSizesBecomePixelsAtTheScreenResolution)
{
    ASSERT_EQ(96, CAniText::GetScreenPixelsPerInchY());
    CReadSettings r("[SHEET00]\r\nTEXT00_TEXT=A\r\nTEXT00_FONTSIZE=12\r\nTEXT00_FONTTYPE=1\r\n");
    CAniText t;
    t.Load(0, r.file(), "SHEET00");
    EXPECT_EQ(16, t.m_nFontSize);
    EXPECT_EQ(12, CAniText::PixelsToStoredSize(16, TRUE));
    EXPECT_EQ(20, CAniText::PixelsToStoredSize(20, FALSE));
}

TEST(AniTextShowText, PixelSizeIsWrittenWithoutSign)
{
    CReadSettings r("[SHEET00]\r\nTEXT00_TEXT=A\r\nTEXT00_FONTSIZE=-14\r\nTEXT00_FONTTYPE=0\r\n");
    CAniText t;
    t.Load(0, r.file(), "SHEET00");
    EXPECT_EQ(-14, t.m_nFontSize);
    CWriteSettings w;
    t.Save(0, w.file(), "S");
    EXPECT_NE(std::string::npos, w.text().find("\r\nTEXT00_FONTSIZE=14\r\n"));
}

TEST(AniTextFont, WeightFollowsTheWordBoldAnywhere)
{
    CAniText t;
    t.m_strFontName = "Tahoma";
    t.m_strFontWeight = "SEMIBOLD";
    t.m_nFontSize = 16;
    t.CreateFont(nullptr, TRUE);
    LOGFONTA lf = {};
    ASSERT_TRUE(t.m_bFontCreated);
    t.m_Font.GetLogFont(&lf);
    EXPECT_EQ(700, lf.lfWeight);
    EXPECT_EQ(-16, lf.lfHeight);   // points: a character height

    t.m_strFontWeight = "NORMAL";
    t.m_bFontInPoints = FALSE;
    t.m_bItalic = TRUE;
    t.m_bUnderline = TRUE;
    t.CreateFont(nullptr, TRUE);
    t.m_Font.GetLogFont(&lf);
    EXPECT_EQ(400, lf.lfWeight);
    EXPECT_EQ(16, lf.lfHeight);   // pixels: a cell height
    EXPECT_EQ(0, lf.lfItalic);    // carried, not drawn
    EXPECT_EQ(0, lf.lfUnderline);
}

TEST(AniTextFont, EmptyTextGetsNoFontAndDrawsNothing)
{
    CAniText t;
    t.Prepare(nullptr, nullptr);
    EXPECT_FALSE(t.m_bFontCreated);
    DibSurface s(50, 50);
    CRect drawn(1, 1, 2, 2);
    t.Draw(&s.dc, CRect(0, 0, 50, 50), 3, TRUE, drawn);
    EXPECT_EQ(CRect(1, 1, 2, 2), drawn);
    EXPECT_EQ(50 * 50, CountPixels(s, RGB(0, 0, 0), 50, 50));
}

TEST(AniTextAnimation, LeftRightSlidesInByThirtyPixelsEverySixtyMilliseconds)
{
    CAniText t;
    MakeText(t, "Wide", 200, 30);
    t.m_Animation.m_nSelected = 1;
    const int w = TextWidth(t, t.m_strText);
    ASSERT_GT(w, 40);
    for (int elapsed : {0, 59, 60, 119, 120, 300})
    {
        DibSurface a(kW, kH), b(kW, kH);
        int expectedX = (elapsed / 60) * 30 - w;
        if (expectedX >= 200)
            break;
        EXPECT_FALSE(t.AnimateStep(&a.dc, elapsed / 50, 200, elapsed)) << elapsed;
        t.PaintAt(&b.dc, expectedX, 30);
        EXPECT_TRUE(SameImage(a, b, kW, kH)) << "elapsed " << elapsed;
        EXPECT_FALSE(t.m_bVisible);
    }
    // done once the computed x reaches X
    const int doneAt = ((200 + w + 29) / 30) * 60;
    DibSurface a(kW, kH), b(kW, kH);
    EXPECT_TRUE(t.AnimateStep(&a.dc, doneAt / 50, 200, doneAt));
    t.PaintAt(&b.dc, 200, 30);
    EXPECT_TRUE(SameImage(a, b, kW, kH));
    EXPECT_GT(CountPixels(a, RGB(255, 0, 0)), 0);
    EXPECT_TRUE(t.m_bVisible);
}

TEST(AniTextAnimation, MeasuresWithItsOwnFontNotTheDeviceContexts)
{
    CAniText t;
    MakeText(t, "WWWW", 300, 30, 60);
    t.m_Animation.m_nSelected = 1;
    const int own = TextWidth(t, t.m_strText);
    DibSurface probe(8, 8);
    const int other = probe.dc.GetTextExtent(t.m_strText).cx;
    ASSERT_NE(own, other);
    DibSurface a(kW, kH), b(kW, kH);
    t.AnimateStep(&a.dc, 12, 200, 600);
    t.PaintAt(&b.dc, 10 * 30 - own, 30);
    EXPECT_TRUE(SameImage(a, b, kW, kH));
}

TEST(AniTextAnimation, TopBottomFallsByTwentyPixelsEverySixtyMilliseconds)
{
    CAniText t;
    MakeText(t, "Down", 10, 70, 20);
    t.m_Animation.m_nSelected = 2;
    for (int elapsed : {0, 60, 130})
    {
        DibSurface a(kW, kH), b(kW, kH);
        EXPECT_FALSE(t.AnimateStep(&a.dc, elapsed / 50, 200, elapsed));
        t.PaintAt(&b.dc, 10, (elapsed / 60) * 20);
        EXPECT_TRUE(SameImage(a, b, kW, kH)) << elapsed;
    }
    DibSurface a(kW, kH), b(kW, kH);
    EXPECT_TRUE(t.AnimateStep(&a.dc, 4, 200, 240));   // 4 x 20 = 80 passes Y = 70
    t.PaintAt(&b.dc, 10, 70);
    EXPECT_TRUE(SameImage(a, b, kW, kH));
    EXPECT_TRUE(t.m_bVisible);
}

TEST(AniTextAnimation, TypewriterShowsOneMoreCharacterPerStep)
{
    CAniText t;
    MakeText(t, "ABC", 5, 5, 30);
    t.m_Animation.m_nSelected = 3;
    const char* parts[] = {"A", "AB", "ABC"};
    for (int step = 0; step < 3; step++)
    {
        CAniText part;
        MakeText(part, parts[step], 5, 5, 30);
        DibSurface a(kW, kH), b(kW, kH);
        EXPECT_FALSE(t.AnimateStep(&a.dc, step, 200, step * 50)) << step;
        part.PaintAt(&b.dc, 5, 5);
        EXPECT_TRUE(SameImage(a, b, kW, kH)) << step;
    }
    DibSurface a(kW, kH);
    EXPECT_TRUE(t.AnimateStep(&a.dc, 3, 200, 150));
    EXPECT_TRUE(t.m_bVisible);
}

TEST(AniTextAnimation, NoneNeverFinishes)
{
    CAniText t;
    MakeText(t, "Still", 5, 5, 20);
    DibSurface a(kW, kH);
    EXPECT_FALSE(t.AnimateStep(&a.dc, 100, 200, 5000));
    EXPECT_FALSE(t.m_bVisible);
}

TEST(AniTextPaint, ShadowEffectAddsWhiteAndBlackCopies)
{
    CAniText t;
    MakeText(t, "Shadow", 10, 10, 30);
    t.m_bVisible = TRUE;
    DibSurface plain(kW, kH, RGB(0, 0, 255)), shadow(kW, kH, RGB(0, 0, 255));
    t.Paint(&plain.dc);
    t.m_nEffect = 1;
    t.Paint(&shadow.dc);
    EXPECT_EQ(0, CountPixels(plain, RGB(255, 255, 255)));
    EXPECT_GT(CountPixels(shadow, RGB(255, 255, 255)), 0);
    EXPECT_GT(CountPixels(shadow, RGB(0, 0, 0)), 0);
}

TEST(AniTextPaint, ItalicAndUnderlineAreNotDrawn)
{
    CAniText t;
    MakeText(t, "Styled", 10, 10, 30);
    DibSurface a(kW, kH), b(kW, kH);
    t.PaintAt(&a.dc, 10, 10);
    t.m_bItalic = TRUE;
    t.m_bUnderline = TRUE;
    t.CreateFont(&a.dc, TRUE);
    t.PaintAt(&b.dc, 10, 10);
    EXPECT_TRUE(SameImage(a, b, kW, kH));
}

TEST(AniTextEditor, DrawingCutsTheStoredTextToTheCanvas)
{
    const CString original = "ABCDEFGHIJKLMNOPQRSTUVWXYZ";
    CAniText t;
    MakeText(t, original, 0, 0, 20);
    DibSurface s(kW, kH);
    CRect drawn;
    t.Draw(&s.dc, CRect(0, 0, 60, 100), -1, FALSE, drawn);
    ASSERT_FALSE(t.m_strText.IsEmpty());
    const int kept = t.m_strText.GetLength();
    ASSERT_LT(kept, 26);
    EXPECT_EQ(original.Left(kept), t.m_strText);   // cut at its end
    const int w = TextWidth(t, t.m_strText);
    EXPECT_LE(w, 60);
    EXPECT_GT(TextWidth(t, original.Left(kept + 1)), 60);   // one more letter would not have fitted
    EXPECT_EQ(w + 2, drawn.Width());
    EXPECT_EQ(-1, drawn.left);
    EXPECT_EQ(drawn, CRect(t.m_rcLast));

    t.m_nX = 100;   // beyond the canvas: nothing is left
    t.Draw(&s.dc, CRect(0, 0, 60, 100), -1, FALSE, drawn);
    EXPECT_TRUE(t.m_strText.IsEmpty());
}

TEST(AniTextEditor, NumberLabelIsRedWithBlackText)
{
    CAniText t;
    MakeText(t, "Label", 50, 20, 20);
    DibSurface s(kW, kH, RGB(255, 255, 255));
    CRect drawn;
    t.Draw(&s.dc, CRect(10, 10, 400, 110), 7, FALSE, drawn);
    EXPECT_EQ(RGB(255, 0, 0), s.At(60, 30));   // the label's background at the text position
    EXPECT_GT(CountPixels(s, RGB(0, 0, 0)), 0);
    EXPECT_EQ(59, drawn.left);
    EXPECT_EQ(29, drawn.top);
}

TEST(AniTextGeometry, RectOfATextNeverDrawnIsFiveByFive)
{
    CAniText t;
    t.m_nX = 33;
    t.m_nY = 44;
    CRect r;
    t.GetRect(r);
    EXPECT_EQ(CRect(33, 44, 38, 49), r);

    t.m_nX = INT_MAX - 2;   // a position at the end of the range ends there
    t.GetRect(r);
    EXPECT_EQ(INT_MAX, r.right);
}

TEST(AniTextGeometry, MoveToKeepsTheLastRectangleInsideTheArea)
{
    CAniText t;
    CRect r;
    t.GetRect(r);
    t.MoveTo(-3, 1000, 638, 466);
    EXPECT_EQ(0, t.m_nX);
    EXPECT_EQ(461, t.m_nY);

    t.m_rcLast.SetRect(0, 0, 700, 20);
    t.MoveTo(50, 10, 638, 466);
    EXPECT_EQ(0, t.m_nX);
    EXPECT_EQ(10, t.m_nY);
    EXPECT_EQ(CRect(0, 10, 638, 30), CRect(t.m_rcLast));
}

TEST(AniTextCopy, StyleCopyLeavesPositionTextAndVisibility)
{
    CAniText a, b;
    a.Set(1, 2, "From", "", "Courier", 33, "NORMAL", TRUE, TRUE, 1, RGB(5, 6, 7), 444);
    a.m_Animation.m_nSelected = 2;
    a.m_bFontInPoints = FALSE;
    b.Set(10, 20, "To", "", "Tahoma", 12, "BOLD", FALSE, FALSE, 0, 0, 1000);
    b.m_bVisible = TRUE;
    b.CopyStyleFrom(a);
    EXPECT_EQ(10, b.m_nX);
    EXPECT_STREQ("To", b.m_strText);
    EXPECT_TRUE(b.m_bVisible);
    EXPECT_STREQ("Courier", b.m_strFontName);
    EXPECT_EQ(33, b.m_nFontSize);
    EXPECT_EQ(2, b.GetAnimationIndex());
    EXPECT_FALSE(b.m_bFontInPoints);
    EXPECT_EQ(444, b.m_nDelay);

    b.CopyFrom(a);
    EXPECT_EQ(1, b.m_nX);
    EXPECT_STREQ("From", b.m_strText);
    EXPECT_FALSE(b.m_bVisible);
}
