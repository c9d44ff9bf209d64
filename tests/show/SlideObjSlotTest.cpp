#include "show/SlideObject.h"

#include "show/ProjectPack.h"
#include "show/SlideObjTestUtil.h"
#include "support/BmpFile.h"
#include "support/win_DibSurface.h"

#include <gtest/gtest.h>

#include <memory>

namespace
{

std::string Section(const std::string& body)
{
    return "[SHEET00]\r\n" + body;
}

}   // namespace

TEST(SlideObjSlotRead, ValueNamesTheObjectNumberAndKind)
{
    CReadSettings s(Section("OBJ03=IMAGE07\r\nIMAGE07_X=44\r\nIMAGE07_Y=55\r\nIMAGE07_FILE=pic.bmp\r\n"
                            "IMAGE03_FILE=other.bmp\r\n"));
    CSlideObjSlot slot;
    slot.Read(3, s.file(), "SHEET00");
    EXPECT_TRUE(slot.m_bUsed);
    EXPECT_EQ(2, slot.m_nKind);
    EXPECT_EQ(44, slot.m_Image.m_nX);
    EXPECT_EQ(55, slot.m_Image.m_nY);
    EXPECT_STREQ("pic.bmp", slot.m_Image.m_strFile);
}

TEST(SlideObjSlotRead, ImageWithoutFileLeavesTheSlotUnused)
{
    CReadSettings s(Section("OBJ03=IMAGE07\r\nIMAGE07_X=44\r\n"));
    CSlideObjSlot slot;
    slot.Read(3, s.file(), "SHEET00");
    EXPECT_FALSE(slot.m_bUsed);
    EXPECT_EQ(0, slot.m_nKind);
}

TEST(SlideObjSlotRead, RectangleIsUsedEvenWithoutItsKeys)
{
    CReadSettings s(Section("OBJ00=FRAME05\r\n"));
    CSlideObjSlot slot;
    slot.Read(0, s.file(), "SHEET00");
    EXPECT_TRUE(slot.m_bUsed);
    EXPECT_TRUE(slot.IsRectangle());
    // the show text's defaults for a rectangle
    EXPECT_EQ(0, slot.m_Frame.m_nWidth);
    EXPECT_EQ(1, slot.m_Frame.m_nLight);
    EXPECT_EQ(1000, slot.m_Frame.m_nDelay);
}

TEST(SlideObjSlotRead, ShortKindTakesItsNumberFromItsLastCharacters)
{
    // "TEXT" alone: the number comes from "XT", which reads as 0
    CReadSettings s(Section("OBJ04=TEXT\r\nTEXT00_TEXT=Hello\r\nTEXT04_TEXT=Other\r\n"));
    CSlideObjSlot slot;
    slot.Read(4, s.file(), "SHEET00");
    EXPECT_TRUE(slot.m_bUsed);
    EXPECT_EQ(1, slot.m_nKind);
    EXPECT_STREQ("Hello", slot.m_Text.m_strText);
}

TEST(SlideObjSlotRead, OldShowsWithoutObjectKeysReadTextsByTheirOwnNumber)
{
    CReadSettings s(Section("TEXT02_TEXT=Legacy\r\nTEXT02_X=7\r\n"));
    CSlideObjSlot slot;
    slot.Read(2, s.file(), "SHEET00");
    EXPECT_TRUE(slot.m_bUsed);
    EXPECT_EQ(1, slot.m_nKind);
    EXPECT_EQ(7, slot.m_Text.m_nX);

    CSlideObjSlot none;
    none.Read(1, s.file(), "SHEET00");
    EXPECT_FALSE(none.m_bUsed);
}

TEST(SlideObjSlotRead, UnknownKindLeavesTheSlotAsItWas)
{
    CReadSettings s(Section("OBJ00=CIRCLE01\r\n"));
    CSlideObjSlot slot;
    slot.CreateText(1, 2, "kept", "None Animation", "Tahoma", 12, "BOLD", FALSE, FALSE, 0, 0, 100);
    slot.Read(0, s.file(), "SHEET00");
    EXPECT_TRUE(slot.m_bUsed);
    EXPECT_STREQ("kept", slot.m_Text.m_strText);
}

TEST(SlideObjSlotWrite, UnusedSlotWritesNothing)
{
    CWriteSettings w;
    CSlideObjSlot slot;
    slot.m_nKind = 1;
    slot.m_Text.m_strText = "not written";
    slot.Write(0, w.file(), "SHEET00");
    EXPECT_EQ("\r\n", w.text());
}

TEST(SlideObjSlotWrite, RectangleWritesItsObjectKeyThenItsKeys)
{
    FrameObjRecord record = {
        3, 10, 20, 30, 40, 1, 500, 2, -10, 20, 30, -40, TRUE, RGB(1, 2, 3), RGB(0xAB, 0xCD, 0xEF)};
    CSlideObjSlot slot;
    slot.CreateRectangle(record);
    CWriteSettings w;
    slot.Write(4, w.file(), "SHEET02");
    EXPECT_EQ(
        "\r\n\r\n[SHEET02]\r\n"
        "OBJ04=FRAME04\r\n"
        "FRAME04_X=10\r\nFRAME04_Y=20\r\nFRAME04_WIDTH=40\r\nFRAME04_HEIGHT=30\r\nFRAME04_DELAY=50\r\n"
        "FRAME04_FILLMODE=2\r\nFRAME04_LIGHT=-40\r\nFRAME04_BLUE=-10\r\nFRAME04_GREEN=20\r\nFRAME04_RED=30\r\n"
        "FRAME04_FRAME=1\r\nFRAME04_FILLCOLOR=#010203\r\nFRAME04_FRAMECOLOR=#abcdef\r\n"
        "FRAME04_ANIMATION=FROM_LEFT\r\nFRAME04_ANISPEED=500\r\n",
        w.text());
}

TEST(SlideObjSlotCreate, RectangleRecordOfAnotherKindIsRefused)
{
    FrameObjRecord record = {1, 10, 20, 30, 40, 0, 500, 0, 0, 0, 0, 0, FALSE, 0, 0};
    CSlideObjSlot slot;
    slot.CreateRectangle(record);
    EXPECT_FALSE(slot.m_bUsed);
    EXPECT_EQ(0, slot.m_nKind);
}

TEST(SlideObjSlotDispatch, KindNoneAnswersEmpty)
{
    CSlideObjSlot slot;
    DibSurface surface(50, 50);
    CRect drawn(1, 2, 3, 4);
    slot.Draw(&surface.dc, CRect(0, 0, 50, 50), 0, TRUE, drawn);
    EXPECT_TRUE(drawn.IsRectNull());
    CString text = "x";
    slot.GetInfoText(text);
    EXPECT_TRUE(text.IsEmpty());
    text = "x";
    slot.GetAnimationName(text);
    EXPECT_TRUE(text.IsEmpty());
    EXPECT_EQ(0, slot.GetDelay());
    EXPECT_EQ(nullptr, slot.GetLiveObject());
}

TEST(SlideObjSlotDispatch, OperationsReachTheLiveObject)
{
    CSlideObjSlot slot;
    slot.CreateText(30, 40, "Hi", "Typewriter", "Tahoma", 12, "BOLD", FALSE, FALSE, 0, 0, 700);
    EXPECT_EQ(700, slot.GetDelay());
    slot.SetDelay(900);
    EXPECT_EQ(900, slot.m_Text.m_nDelay);
    int x = 0, y = 0;
    slot.GetPosition(x, y);
    EXPECT_EQ(30, x);
    EXPECT_EQ(40, y);
    CString text;
    slot.Describe(text);
    EXPECT_STREQ("TEXT: 30,40, Hi", text);
    slot.GetAnimationName(text);
    EXPECT_STREQ("Typewriter", text);
    slot.SetVisible(TRUE);
    EXPECT_TRUE(slot.m_Text.m_bVisible);
    EXPECT_FALSE(slot.m_Frame.m_bVisible);
}

TEST(SlideObjSlotDispatch, ThumbnailNeitherUsesNorKeepsTheRectanglesBackground)
{
    CSlideObjSlot slot;
    slot.CreateRectangle({3, 5, 5, 10, 10, 0, 1000, 1, 0, 0, 0, 20, FALSE, 0, 0});   // lighten by 20
    CRect canvas(0, 0, 30, 30), drawn;
    DibSurface editor(30, 30, RGB(100, 100, 100));
    slot.Draw(&editor.dc, canvas, -1, FALSE, drawn);
    EXPECT_EQ(RGB(120, 120, 120), editor.At(8, 8));

    DibSurface thumbnail(30, 30, RGB(0, 100, 0));
    slot.m_bThumbnail = TRUE;
    slot.Draw(&thumbnail.dc, canvas, -1, FALSE, drawn);
    slot.m_bThumbnail = FALSE;
    EXPECT_EQ(RGB(20, 120, 20), thumbnail.At(8, 8));

    // the thumbnail's background was not kept: the next drawing captures its own
    DibSurface again(30, 30, RGB(0, 0, 100));
    slot.Draw(&again.dc, canvas, -1, FALSE, drawn);
    EXPECT_EQ(RGB(20, 20, 120), again.At(8, 8));
}

TEST(SlideObjSlotCopy, CopiesKindAndObject)
{
    CSlideObjSlot a, b;
    a.CreateText(5, 6, "Copy me", "Shift from left", "Tahoma", 20, "NORMAL", TRUE, TRUE, 1, RGB(1, 2, 3), 300);
    b.CreateRectangle({3, 1, 1, 5, 5, 0, 100, 0, 0, 0, 0, 0, FALSE, 0, 0});
    b.CopyFrom(a);
    EXPECT_TRUE(b.m_bUsed);
    EXPECT_EQ(1, b.m_nKind);
    EXPECT_STREQ("Copy me", b.m_Text.m_strText);
    EXPECT_EQ(1, b.m_Text.GetAnimationIndex());
    EXPECT_TRUE(b.m_Text.m_bUnderline);
    EXPECT_TRUE(b.m_Text.m_bItalic);
    EXPECT_EQ(RGB(1, 2, 3), b.m_Text.m_crColor);
}

TEST(SlideObjSlotStyle, RectangleStyleKeepsAUsedRectangleInsideTheSlide)
{
    CSlideObjSlot source, target;
    source.CreateRectangle({3, 0, 0, 10, 10, 2, 800, 0, 0, 0, 0, -20, TRUE, 0, 0});
    target.CreateRectangle({3, 600, 460, 20, 100, 0, 1000, 1, 0, 0, 0, -50, FALSE, 0, 0});
    target.ApplyRectangleStyle(source.m_Frame);
    EXPECT_EQ(-20, target.m_Frame.m_nLight);
    EXPECT_EQ(2, target.m_Frame.GetAnimationIndex());
    EXPECT_EQ(100, target.m_Frame.m_nWidth);   // size is not style
    EXPECT_EQ(638 - 100, target.m_Frame.m_nX);
    EXPECT_EQ(466 - 20, target.m_Frame.m_nY);
}

TEST(SlideObjSlotStyle, TextStyleLeavesPositionAndText)
{
    CSlideObjSlot source, target;
    source.CreateText(1, 2, "Source", "Typewriter", "Courier", 30, "NORMAL", TRUE, FALSE, 1, RGB(9, 9, 9), 123);
    target.CreateText(50, 60, "Target", "None Animation", "Tahoma", 12, "BOLD", FALSE, FALSE, 0, 0, 1000);
    target.ApplyTextStyle(source.m_Text);
    EXPECT_STREQ("Target", target.m_Text.m_strText);
    EXPECT_EQ(50, target.m_Text.m_nX);
    EXPECT_STREQ("Courier", target.m_Text.m_strFontName);
    EXPECT_EQ(30, target.m_Text.m_nFontSize);
    EXPECT_EQ(3, target.m_Text.GetAnimationIndex());
    EXPECT_EQ(123, target.m_Text.m_nDelay);
}

TEST(SlideObjSlotClear, ClearResetsKindAndObjects)
{
    CSlideObjSlot slot;
    slot.CreateText(5, 6, "x", "Typewriter", "Tahoma", 20, "NORMAL", FALSE, FALSE, 0, 0, 300);
    slot.ClearObjects();
    EXPECT_FALSE(slot.m_bUsed);
    EXPECT_EQ(1, slot.m_nKind);
    EXPECT_TRUE(slot.m_Text.m_strText.IsEmpty());
    slot.Clear();
    EXPECT_EQ(0, slot.m_nKind);
    EXPECT_EQ(20, slot.m_Text.m_nX);
    EXPECT_EQ(1000, slot.m_Text.m_nDelay);
    EXPECT_EQ(50, slot.m_Frame.m_nDelay);
}

TEST(SlideObjSlotImage, CreateImageLoadsThePictureFromThePack)
{
    std::vector<BYTE> bmp = MakeSolidBmp(12, 7, RGB(10, 20, 30));
    CProjectPack pack;
    ASSERT_TRUE(pack.AddData("pic.bmp", bmp.data(), static_cast<int>(bmp.size())));
    CSlideObjSlot slot;
    slot.CreateImage(3, 4, "pic.bmp", 2, 250, FALSE, RGB(255, 255, 255), 1000, &pack);
    EXPECT_TRUE(slot.m_bUsed);
    EXPECT_EQ(2, slot.m_nKind);
    EXPECT_TRUE(slot.m_Image.m_Picture.m_bLoaded);
    CRect rect;
    slot.GetRect(rect);
    EXPECT_EQ(CRect(3, 4, 15, 11), rect);
}
