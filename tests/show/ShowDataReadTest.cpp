// Reading the show text: window limits, defaults, the cover-effect rule, object numbering, old shows
// and damaged texts.
#include <gtest/gtest.h>

#include "show/ShowData.h"

#include <cstring>
#include <memory>
#include <random>
#include <string>

namespace
{

std::unique_ptr<CShowData> ReadShow(const std::string& text)
{
    auto show = std::make_unique<CShowData>();
    show->SetDefaults();
    show->ReadShowText("VEXUL.INI", text.c_str(), static_cast<int>(text.size()) + 1);
    return show;
}

std::string Sheet(int index, const std::string& keys)
{
    char name[16];
    snprintf(name, sizeof(name), "SHEET%02d", index);
    return "\r\n[" + std::string(name) + "]\r\n" + keys;
}

int FadeIn(CShowData& show, int slide)
{
    return show.m_Slides[slide].m_Background.m_FadeIn.m_nSelected;
}
int FadeOut(CShowData& show, int slide)
{
    return show.m_Slides[slide].m_Background.m_FadeOut.m_nSelected;
}

}   // namespace

TEST(ShowDataWindow, OversizedWidthAndUndersizedHeightAreClampedAndSizeEverySlide)
{
    auto show = ReadShow("\r\n[WINDOW]\r\nWIDTH=1000\r\nHEIGHT=10\r\n");
    EXPECT_EQ(640, show->m_nWindowWidth);
    EXPECT_EQ(30, show->m_nWindowHeight);
    for (int i = 0; i < CShowData::MaxSlides; i++)
    {
        EXPECT_EQ(638, show->m_Slides[i].m_nWidth) << i;
        EXPECT_EQ(16, show->m_Slides[i].m_nHeight) << i;
    }
}

TEST(ShowDataWindow, MissingWidthGivesTheSmallestWindow)
{
    auto show = ReadShow("\r\n[WINDOW]\r\nHEIGHT=480\r\n");
    EXPECT_EQ(40, show->m_nWindowWidth);
    EXPECT_EQ(38, show->m_Slides[0].m_nWidth);
    EXPECT_EQ(466, show->m_Slides[0].m_nHeight);
}

TEST(ShowDataWindow, SlideSectionSizeIsStoredButDoesNotSizeTheSlides)
{
    auto show = ReadShow("\r\n[WINDOW]\r\nWIDTH=320\r\nHEIGHT=240\r\n\r\n[SLIDE]\r\nWIDTH=100\r\nHEIGHT=50\r\n");
    EXPECT_EQ(100, show->m_nSlideWidth);
    EXPECT_EQ(50, show->m_nSlideHeight);
    EXPECT_EQ(318, show->m_Slides[7].m_nWidth);
    EXPECT_EQ(226, show->m_Slides[7].m_nHeight);
}

TEST(ShowDataDefaults, AnEmptyTextGivesTheReaderDefaults)
{
    auto show = ReadShow("");
    EXPECT_EQ("", show->m_strShowVersion);
    EXPECT_EQ("Vexul", show->m_strTitle);
    EXPECT_EQ(0, show->m_nLoop);
    EXPECT_EQ(RGB(0, 0, 0), show->m_crBackground);
    EXPECT_FALSE(show->m_bSoundOn);
    EXPECT_EQ(1, show->m_nFileVersion[0]);
    EXPECT_EQ(1, show->m_nSlideOption);
    EXPECT_EQ(0, show->CountShowSlides());
    EXPECT_EQ(3000, show->m_Slides[0].m_Background.m_nDelay);
    EXPECT_EQ(1, show->m_Slides[0].m_Background.m_nFadeSpeed);
}

TEST(ShowDataDefaults, SoundIsOnExactlyWhenASoundFileIsNamed)
{
    auto on = ReadShow("\r\n[SOUND]\r\nENABLE=0\r\nFILE=music.mp3\r\nREPEAT=1\r\n");
    EXPECT_TRUE(on->m_bSoundOn);
    EXPECT_EQ("music.mp3", on->m_strSoundFile);
    EXPECT_EQ(1, on->m_nRepeatSound);
    auto off = ReadShow("\r\n[SOUND]\r\nENABLE=1\r\nFILE=\r\n");
    EXPECT_FALSE(off->m_bSoundOn);
}

TEST(ShowDataSlides, ASheetAloneIsReadIntoItsOwnSlide)
{
    auto show = ReadShow(Sheet(5, "IMAGE-FILE=five.bmp\r\nFADE_IN=TOP-BOTTOM\r\nDELAY=1234\r\nFADESPEED=3\r\n"));
    for (int i = 0; i < 5; i++)
        EXPECT_FALSE(show->m_Slides[i].IsInShow()) << i;
    EXPECT_EQ("five.bmp", show->m_Slides[5].m_Background.m_strImageFile);
    EXPECT_EQ(3, FadeIn(*show, 5));
    EXPECT_EQ(1234, show->m_Slides[5].m_Background.m_nDelay);
    EXPECT_EQ(3, show->m_Slides[5].m_Background.m_nFadeSpeed);
}

TEST(ShowDataSlides, AnObjectDelayBeforeTheSlideDelayIsTakenForTheSlide)
{
    // The reader finds keys by substring: the writer always puts DELAY first.
    auto show = ReadShow(
        Sheet(0, "IMAGE-FILE=a.bmp\r\nOBJ00=TEXT00\r\nTEXT00_TEXT=Hi\r\nTEXT00_DELAY=700\r\nDELAY=5000\r\n"));
    EXPECT_EQ(700, show->m_Slides[0].m_Background.m_nDelay);
}

TEST(ShowDataCoverRule, ACoverFadeInClearsThePreviousSlidesFadeOut)
{
    auto show = ReadShow(Sheet(2, "IMAGE-FILE=a.bmp\r\nFADE_OUT=LEFT-RIGHT\r\n") +
                         Sheet(3, "IMAGE-FILE=b.bmp\r\nFADE_IN=COVER-FROM-LEFT\r\n"));
    EXPECT_EQ(16, FadeIn(*show, 3));
    EXPECT_EQ(0, FadeOut(*show, 2));
}

TEST(ShowDataCoverRule, ARotationFadeInKeepsThePreviousSlidesFadeOut)
{
    auto show = ReadShow(Sheet(2, "IMAGE-FILE=a.bmp\r\nFADE_OUT=LEFT-RIGHT\r\n") +
                         Sheet(3, "IMAGE-FILE=b.bmp\r\nFADE_IN=OUTIN_ROTATE_RIGHT\r\n"));
    EXPECT_EQ(13, FadeIn(*show, 3));
    EXPECT_EQ(1, FadeOut(*show, 2));
}

TEST(ShowDataCoverRule, BothEndsOfTheCoverGroupCount)
{
    auto show = ReadShow(Sheet(0, "IMAGE-FILE=a.bmp\r\nFADE_OUT=LEFT-RIGHT\r\n") +
                         Sheet(1, "IMAGE-FILE=b.bmp\r\nFADE_IN=COVER-FROM-RIGHT\r\nFADE_OUT=LEFT-RIGHT\r\n") +
                         Sheet(2, "IMAGE-FILE=c.bmp\r\nFADE_IN=COVER-FORM-OUTSIDE\r\nFADE_OUT=LEFT-RIGHT\r\n") +
                         Sheet(3, "IMAGE-FILE=d.bmp\r\nFADE_IN=OUTIN_ROTATE_BOTTOM\r\n"));
    EXPECT_EQ(0, FadeOut(*show, 0));   // 15
    EXPECT_EQ(0, FadeOut(*show, 1));   // 22
    EXPECT_EQ(1, FadeOut(*show, 2));   // 14 is not a cover
}

TEST(ShowDataCoverRule, TheLastSlideOfALoopingShowIsCoveredBySlideZero)
{
    std::string text = "\r\n[TERMINATION]\r\nLOOP=1\r\n";
    text += Sheet(0, "IMAGE-FILE=s0.bmp\r\nFADE_IN=COVER-VERTICAL\r\nFADE_OUT=LEFT-RIGHT\r\n");
    for (int i = 1; i <= 5; i++)
        text += Sheet(i, "IMAGE-FILE=s.bmp\r\nFADE_OUT=LEFT-RIGHT\r\n");
    auto show = ReadShow(text);
    EXPECT_EQ(0, FadeOut(*show, 5));
    EXPECT_EQ(1, FadeOut(*show, 4));
    EXPECT_EQ(1, FadeOut(*show, 0));
}

TEST(ShowDataCoverRule, WithoutLoopOrWithoutCoverTheLastSlideKeepsItsFadeOut)
{
    std::string slides = Sheet(0, "IMAGE-FILE=s0.bmp\r\nFADE_IN=COVER-VERTICAL\r\nFADE_OUT=LEFT-RIGHT\r\n");
    for (int i = 1; i <= 5; i++)
        slides += Sheet(i, "IMAGE-FILE=s.bmp\r\nFADE_OUT=LEFT-RIGHT\r\n");
    auto once = ReadShow("\r\n[TERMINATION]\r\nLOOP=0\r\n" + slides);
    EXPECT_EQ(1, FadeOut(*once, 5));

    std::string plain = Sheet(0, "IMAGE-FILE=s0.bmp\r\nFADE_IN=LEFT-RIGHT\r\nFADE_OUT=LEFT-RIGHT\r\n");
    for (int i = 1; i <= 5; i++)
        plain += Sheet(i, "IMAGE-FILE=s.bmp\r\nFADE_OUT=LEFT-RIGHT\r\n");
    auto looped = ReadShow("\r\n[TERMINATION]\r\nLOOP=1\r\n" + plain);
    for (int i = 0; i <= 5; i++)
        EXPECT_EQ(1, FadeOut(*looped, i)) << i;
}

TEST(ShowDataCoverRule, SlideThirtyNineIsNotConsideredTheLastSlide)
{
    std::string text = "\r\n[TERMINATION]\r\nLOOP=1\r\n";
    text += Sheet(0, "IMAGE-FILE=s0.bmp\r\nFADE_IN=COVER-FROM-TOP\r\n");
    text += Sheet(7, "IMAGE-FILE=s7.bmp\r\nFADE_OUT=LEFT-RIGHT\r\n");
    text += Sheet(39, "IMAGE-FILE=s39.bmp\r\nFADE_OUT=LEFT-RIGHT\r\n");
    auto show = ReadShow(text);
    EXPECT_EQ(0, FadeOut(*show, 7));
    EXPECT_EQ(1, FadeOut(*show, 39));
}

TEST(ShowDataCoverRule, ALoopWithoutAnySlideImageChangesNothing)
{
    auto show = ReadShow("\r\n[TERMINATION]\r\nLOOP=1\r\n" +
                         Sheet(0, "FADE_IN=COVER-FROM-TOP\r\nFADE_OUT=LEFT-RIGHT\r\n"));
    EXPECT_EQ(1, FadeOut(*show, 0));
}

TEST(ShowDataObjects, NumberingGapsCloseOnReading)
{
    auto show = ReadShow(Sheet(0, "IMAGE-FILE=a.bmp\r\n"
                                  "OBJ00=TEXT00\r\nTEXT00_TEXT=first\r\n"
                                  "OBJ02=FRAME02\r\nFRAME02_X=5\r\n"
                                  "OBJ05=IMAGE05\r\nIMAGE05_FILE=pic.bmp\r\n"));
    CSlide& slide = show->m_Slides[0];
    ASSERT_TRUE(slide.m_pSlots[0]->m_bUsed);
    EXPECT_EQ(1, slide.m_pSlots[0]->m_nKind);
    ASSERT_TRUE(slide.m_pSlots[1]->m_bUsed);
    EXPECT_EQ(3, slide.m_pSlots[1]->m_nKind);
    EXPECT_EQ(5, slide.m_pSlots[1]->m_Frame.m_nX);
    ASSERT_TRUE(slide.m_pSlots[2]->m_bUsed);
    EXPECT_EQ(2, slide.m_pSlots[2]->m_nKind);
    EXPECT_EQ("pic.bmp", slide.m_pSlots[2]->m_Image.m_strFile);
    EXPECT_FALSE(slide.m_pSlots[3]->m_bUsed);
    EXPECT_EQ(3, slide.CountUsedObjects());
}

TEST(ShowDataObjects, AnObjKeyNamesTheObjectNumberOfItsKeys)
{
    auto show =
        ReadShow(Sheet(0, "IMAGE-FILE=a.bmp\r\nOBJ03=IMAGE07\r\nIMAGE07_FILE=seven.bmp\r\nIMAGE07_X=70\r\n"));
    CSlide& slide = show->m_Slides[0];
    ASSERT_TRUE(slide.m_pSlots[0]->m_bUsed);
    EXPECT_EQ("seven.bmp", slide.m_pSlots[0]->m_Image.m_strFile);
    EXPECT_EQ(70, slide.m_pSlots[0]->m_Image.m_nX);
}

TEST(ShowDataObjects, AnImageWithoutFileIsDroppedButARectangleIsAlwaysKept)
{
    auto show = ReadShow(Sheet(0, "IMAGE-FILE=a.bmp\r\nOBJ00=IMAGE00\r\nIMAGE00_X=3\r\nOBJ01=FRAME01\r\n"));
    CSlide& slide = show->m_Slides[0];
    EXPECT_EQ(1, slide.CountUsedObjects());
    EXPECT_EQ(3, slide.m_pSlots[0]->m_nKind);
}

TEST(ShowDataObjects, OldShowsWithoutObjKeysReadTheirTextObjects)
{
    auto show = ReadShow(Sheet(0, "IMAGE-FILE=a.bmp\r\n"
                                  "TEXT00_X=11\r\nTEXT00_TEXT=Hello\r\n"
                                  "TEXT01_TEXT=World\r\n"
                                  "TEXT03_TEXT=Later\r\nTEXT03_Y=33\r\n"));
    CSlide& slide = show->m_Slides[0];
    ASSERT_EQ(3, slide.CountUsedObjects());
    EXPECT_EQ(1, slide.m_pSlots[0]->m_nKind);
    EXPECT_EQ("Hello", slide.m_pSlots[0]->m_Text.m_strText);
    EXPECT_EQ(11, slide.m_pSlots[0]->m_Text.m_nX);
    EXPECT_EQ("World", slide.m_pSlots[1]->m_Text.m_strText);
    EXPECT_EQ("Later", slide.m_pSlots[2]->m_Text.m_strText);
    EXPECT_EQ(33, slide.m_pSlots[2]->m_Text.m_nY);
}

TEST(ShowDataObjects, ATextObjectWithoutTextIsDropped)
{
    auto show = ReadShow(
        Sheet(0, "IMAGE-FILE=a.bmp\r\nOBJ00=TEXT00\r\nTEXT00_X=4\r\nOBJ01=TEXT01\r\nTEXT01_TEXT=kept\r\n"));
    CSlide& slide = show->m_Slides[0];
    ASSERT_EQ(1, slide.CountUsedObjects());
    EXPECT_EQ("kept", slide.m_pSlots[0]->m_Text.m_strText);
}

TEST(ShowDataDamage, NoBlockReadsAsDefaults)
{
    CShowData show;
    show.SetDefaults();
    EXPECT_FALSE(show.ReadShowText("VEXUL.INI", nullptr, 0));
    EXPECT_EQ(40, show.m_nWindowWidth);
    EXPECT_EQ(30, show.m_nWindowHeight);
    EXPECT_EQ(0, show.CountShowSlides());
}

TEST(ShowDataDamage, MalformedValuesNeverCrash)
{
    std::string text = "\r\n[WINDOW]\r\nWIDTH=-2147483648\r\nHEIGHT=99999999999999999999\r\n[SHOW\r\nVERSION\r\n";
    text += Sheet(0, "IMAGE-FILE=" + std::string(3000, 'x') +
                         "\r\n"
                         "OBJ00=TEXT\r\nOBJ01=IMAGE-5\r\nIMAGE-5_FILE=neg.bmp\r\n"
                         "OBJ02=FRAME99\r\nFRAME99_WIDTH=-2147483647\r\nFRAME99_HEIGHT=2147483647\r\n"
                         "OBJ03=XYZ\r\nOBJ04=T\r\nOBJ05=TEXT0\xff\r\nTEXT00_TEXT=" +
                         std::string(5000, 'y') +
                         "\r\n"
                         "OBJ06=IMAGE\r\nOBJ07=FRAME\r\nFADE_IN=\r\nFADE_OUT=COVER\r\nDELAY=abc\r\n");
    text += "\r\n[SHEET39]\r\nOBJ49=FRAME49\r\n[SHEET40]\r\nIMAGE-FILE=beyond.bmp\r\n";
    auto show = ReadShow(text);
    EXPECT_GE(show->m_nWindowWidth, 40);
    EXPECT_LE(show->m_nWindowWidth, 640);
    EXPECT_GE(show->m_nWindowHeight, 30);
    EXPECT_LE(show->m_nWindowHeight, 480);
    EXPECT_LE(show->m_Slides[0].m_Background.m_strImageFile.GetLength(), 1023);
    EXPECT_EQ(0, show->m_Slides[0].m_Background.m_nDelay);
}

TEST(ShowDataDamage, RandomTextsNeverCrash)
{
    const char* pieces[] = {"\r\n",  "[",     "]",      "=",          "SHEET0",          "SHEET39",    "OBJ0",
                            "OBJ49", "TEXT0", "IMAGE0", "FRAME0",     "_TEXT",           "_FILE",      "_WIDTH",
                            "-",     "9",     "0",      "#",          "COVER-FROM-LEFT", "WINDOW",     "WIDTH",
                            "LOOP",  "\xff",  " ",      "IMAGE-FILE", "FADE_IN",         "TERMINATION"};
    std::mt19937 random(4711);
    CShowData show;
    for (int round = 0; round < 150; round++)
    {
        std::string text;
        int count = static_cast<int>(random() % 200);
        for (int i = 0; i < count; i++)
            text += pieces[random() % (sizeof(pieces) / sizeof(pieces[0]))];
        show.SetDefaults();
        show.ReadShowText("VEXUL.INI", text.data(), static_cast<int>(text.size()));   // no terminator
        show.WriteShowText("VEXUL.INI", "C:\\P");
        int length = -1;
        const char* written = show.m_Settings.GetText(length);
        ASSERT_NE(nullptr, written);
        ASSERT_GT(length, 0);
    }
}
