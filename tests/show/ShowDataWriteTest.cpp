// Writing the show text: the complete text of a small show byte for byte, round trips, object
// renumbering, the sound and end-program rules, and the font collector.
#include <gtest/gtest.h>

#include "show/FontEmbedding.h"
#include "show/ShowData.h"
#include "show/ShowText.h"

#include <memory>
#include <string>

namespace
{

std::string Written(CShowData& show, const char* folder = "C:\\Project")
{
    show.WriteShowText("VEXUL.INI", folder);
    int length = 0;
    const char* text = show.m_Settings.GetText(length);
    return std::string(text, static_cast<size_t>(length));
}

std::unique_ptr<CShowData> Reread(const std::string& text)
{
    auto show = std::make_unique<CShowData>();
    show->SetDefaults();
    show->ReadShowText("VEXUL.INI", text.c_str(), static_cast<int>(text.size()) + 1);
    return show;
}

void AddText(CSlideObjSlot& slot)
{
    slot.m_bUsed = TRUE;
    slot.m_nKind = CSlideObjSlot::KIND_TEXT;
    CAniText& t = slot.m_Text;
    t.m_nX = 30;
    t.m_nY = 40;
    t.m_strText = "Hello Vexul";
    t.m_strFontName = "Tahoma";
    t.m_nFontSize = 24;
    t.m_strFontWeight = "BOLD";
    t.m_bItalic = TRUE;
    t.m_bUnderline = FALSE;
    t.m_crColor = RGB(0xFF, 0x80, 0x00);
    t.m_nEffect = 1;
    t.m_nDelay = 500;
    t.m_Animation.m_nSelected = 3;   // TYPEWRITER
    t.m_bFontInPoints = FALSE;
}

void AddRectangle(CSlideObjSlot& slot)
{
    slot.m_bUsed = TRUE;
    slot.m_nKind = CSlideObjSlot::KIND_RECTANGLE;
    CFrameObj& f = slot.m_Frame;
    f.m_nX = 10;
    f.m_nY = 20;
    f.m_nWidth = 300;
    f.m_nHeight = 100;
    f.m_nDelay = 50;
    f.m_nFillMode = 2;
    f.m_nLight = -50;
    f.m_nBlue = -100;
    f.m_nGreen = 0;
    f.m_nRed = 100;
    f.m_bFrame = TRUE;
    f.m_crFill = RGB(255, 255, 240);
    f.m_crFrame = RGB(0, 0, 0x80);
    f.m_Animation.m_nSelected = 2;   // FROM_TOP
    f.m_nSpeed = 1000;
}

void AddImage(CSlideObjSlot& slot)
{
    slot.m_bUsed = TRUE;
    slot.m_nKind = CSlideObjSlot::KIND_IMAGE;
    CImageObj& i = slot.m_Image;
    i.m_nX = 100;
    i.m_nY = 120;
    i.m_strFile = "C:\\Pics\\logo.bmp";
    i.m_nDelay = 1500;
    i.m_Animation.m_nSelected = 4;   // FROM_BOTTOM
    i.m_nSpeed = 800;
    i.m_bTransparent = TRUE;
    i.m_crTransparent = RGB(255, 0, 255);
}

// A show of one slide with one text, one rectangle and one image object.
std::unique_ptr<CShowData> MakeSmallShow()
{
    auto show = std::make_unique<CShowData>();
    CShowData& s = *show;
    s.m_strShowVersion = "020105";
    s.m_nWindowWidth = 640;
    s.m_nWindowHeight = 480;
    s.m_nDesktopMode = 0;
    s.m_strTitle = "Vexul";
    s.m_nSlideWidth = 638;
    s.m_nSlideHeight = 466;
    s.m_nSlideOption = 1;
    s.m_crBackground = RGB(0x3A, 0x6E, 0xA5);
    s.m_bSoundOn = TRUE;
    s.m_strSoundFile = "music.mp3";
    s.m_nRepeatSound = 1;
    s.m_nAutoExit = 2;
    s.m_nLoop = 1;
    s.m_nAdvanceMode = 0;
    s.m_nContactOn = 1;
    s.m_strContactLine[0] = "Line one";
    s.m_strContactLine[5] = "Line six";
    s.m_strContactWeb = "www.example.org";
    s.m_strContactMail = "show@example.org";
    s.m_nFileInfoOn = 1;
    s.m_nFileVersion[0] = 1;
    s.m_nFileVersion[1] = 2;
    s.m_strCopyright = "(c) 2026";
    s.m_strDescription = "Demo";
    s.m_strCompany = "Acme";
    s.m_strProductVersion = "1.0.0.0";
    s.m_nAutostartOn = 1;
    s.m_strAutostartFile = "C:\\Project\\run.exe";

    CSlide& slide = s.m_Slides[0];
    slide.m_Background.m_strImageFile = "C:\\Project\\back.bmp";
    slide.m_Background.m_FadeIn.m_nSelected = 1;     // LEFT-RIGHT
    slide.m_Background.m_FadeOut.m_nSelected = 17;   // COVER-FROM-TOP
    slide.m_Background.m_nDelay = 4000;
    slide.m_Background.m_nFadeSpeed = 2;
    AddText(*slide.m_pSlots[0]);
    AddRectangle(*slide.m_pSlots[1]);
    AddImage(*slide.m_pSlots[2]);
    return show;
}

const std::string kSmallShowText =
    std::string("\r\n") +
    "\r\n[SHOW]\r\n"
    "INTERNET-1=" +
    ShowText::MAKER_WEB_1 +
    "\r\n"
    "INTERNET-2=" +
    ShowText::MAKER_WEB_2 +
    "\r\n"
    "EMAIL=" +
    ShowText::MAKER_EMAIL +
    "\r\n"
    "VERSION=020105\r\n"
    "\r\n[WINDOW]\r\n"
    "WIDTH=640\r\nHEIGHT=480\r\nDESKTOP=0\r\nTITLE=Vexul\r\nICON=\r\n"
    "\r\n[SLIDE]\r\n"
    "WIDTH=638\r\nHEIGHT=466\r\nOPTION=1\r\n"
    "\r\n[BACKGROUND]\r\n"
    "COLOR=#3a6ea5\r\n"
    "\r\n[SOUND]\r\n"
    "ENABLE=1\r\nFILE=music.mp3\r\nREPEAT=1\r\n"
    "\r\n[TERMINATION]\r\n"
    "AUTOEXIT=2\r\nLOOP=1\r\n"
    "\r\n[SHOWCTRL]\r\n"
    "ADVANCE=0\r\n"
    "\r\n[CONTACT]\r\n"
    "ENABLE=1\r\nLINE1=Line one\r\nLINE2=\r\nLINE3=\r\nLINE4=\r\nLINE5=\r\nLINE6=Line six\r\n"
    "INTERNET=www.example.org\r\nEMAIL=show@example.org\r\n"
    "\r\n[FILEINFO]\r\n"
    "ENABLE=1\r\nV1=1\r\nV2=2\r\nV3=0\r\nV4=0\r\nCOPYRIGHT=(c) 2026\r\nDESCRIPTION=Demo\r\nCOMPANY=Acme\r\n"
    "VERSION=1.0.0.0\r\n"
    "\r\n[SHEET00]\r\n"
    "IMAGE-FILE=back.bmp\r\nFADE_IN=LEFT-RIGHT\r\nFADE_OUT=COVER-FROM-TOP\r\nDELAY=4000\r\nFADESPEED=2\r\n"
    "OBJ00=TEXT00\r\n"
    "TEXT00_X=30\r\nTEXT00_Y=40\r\nTEXT00_TEXT=Hello Vexul\r\nTEXT00_FONTNAME=Tahoma\r\nTEXT00_FONTSIZE=24\r\n"
    "TEXT00_FONTWEIGHT=BOLD\r\nTEXT00_ITALIC=1\r\nTEXT00_UNDERLINE=0\r\nTEXT00_COLOR=#ff8000\r\n"
    "TEXT00_EFFECT=1\r\nTEXT00_DELAY=500\r\nTEXT00_ANIMATION=TYPEWRITER\r\nTEXT00_FONTTYPE=0\r\n"
    "OBJ01=FRAME01\r\n"
    "FRAME01_X=10\r\nFRAME01_Y=20\r\nFRAME01_WIDTH=300\r\nFRAME01_HEIGHT=100\r\nFRAME01_DELAY=50\r\n"
    "FRAME01_FILLMODE=2\r\nFRAME01_LIGHT=-50\r\nFRAME01_BLUE=-100\r\nFRAME01_GREEN=0\r\nFRAME01_RED=100\r\n"
    "FRAME01_FRAME=1\r\nFRAME01_FILLCOLOR=#fffff0\r\nFRAME01_FRAMECOLOR=#000080\r\nFRAME01_ANIMATION=FROM_TOP\r\n"
    "FRAME01_ANISPEED=1000\r\n"
    "OBJ02=IMAGE02\r\n"
    "IMAGE02_X=100\r\nIMAGE02_Y=120\r\nIMAGE02_FILE=logo.bmp\r\nIMAGE02_DELAY=1500\r\n"
    "IMAGE02_ANIMATION=FROM_BOTTOM\r\nIMAGE02_ANISPEED=800\r\nIMAGE02_TRANSPARENT=1\r\nIMAGE02_TRANSPCOLOR=#"
    "FF00FF\r\n"
    "\r\n[AUTOSTART]\r\n"
    "ENABLE=1\r\nFILE=run.exe\r\n"
    "\r\n  ";

}   // namespace

TEST(ShowDataWrite, TheCompleteTextOfASmallShow)
{
    auto show = MakeSmallShow();
    EXPECT_EQ(kSmallShowText, Written(*show));
}

TEST(ShowDataWrite, WritingReducesImageNamesAndTheEndProgramInTheModel)
{
    auto show = MakeSmallShow();
    Written(*show);
    EXPECT_EQ("back.bmp", show->m_Slides[0].m_Background.m_strImageFile);
    EXPECT_EQ("logo.bmp", show->m_Slides[0].m_pSlots[2]->m_Image.m_strFile);
    EXPECT_EQ("run.exe", show->m_strAutostartFile);
}

TEST(ShowDataWrite, ReadingTheWrittenTextAndWritingAgainGivesTheSameText)
{
    auto show = MakeSmallShow();
    std::string first = Written(*show);
    auto again = Reread(first);
    EXPECT_EQ(first, Written(*again));
}

TEST(ShowDataWrite, ReadingTheWrittenTextRestoresTheModel)
{
    auto show = MakeSmallShow();
    auto copy = Reread(Written(*show));
    EXPECT_EQ("020105", copy->m_strShowVersion);
    EXPECT_EQ(RGB(0x3A, 0x6E, 0xA5), copy->m_crBackground);
    EXPECT_TRUE(copy->m_bSoundOn);
    EXPECT_EQ(2, copy->m_nAutoExit);
    EXPECT_EQ(1, copy->m_nLoop);
    EXPECT_EQ("Line six", copy->m_strContactLine[5]);
    EXPECT_EQ(2, copy->m_nFileVersion[1]);
    EXPECT_EQ("run.exe", copy->m_strAutostartFile);
    CSlide& slide = copy->m_Slides[0];
    EXPECT_EQ(1, slide.m_Background.m_FadeIn.m_nSelected);
    EXPECT_EQ(4000, slide.m_Background.m_nDelay);
    ASSERT_EQ(3, slide.CountUsedObjects());
    EXPECT_EQ("Hello Vexul", slide.m_pSlots[0]->m_Text.m_strText);
    EXPECT_EQ(3, slide.m_pSlots[0]->m_Text.m_Animation.m_nSelected);
    EXPECT_EQ(RGB(0xFF, 0x80, 0x00), slide.m_pSlots[0]->m_Text.m_crColor);
    EXPECT_EQ(-100, slide.m_pSlots[1]->m_Frame.m_nBlue);
    EXPECT_EQ(RGB(0, 0, 0x80), slide.m_pSlots[1]->m_Frame.m_crFrame);
    EXPECT_EQ(RGB(255, 0, 255), slide.m_pSlots[2]->m_Image.m_crTransparent);
    EXPECT_EQ(4, slide.m_pSlots[2]->m_Image.m_Animation.m_nSelected);
}

TEST(ShowDataWrite, OnlySlidesWithABackgroundAreWrittenUnderTheirOwnIndex)
{
    CShowData show;
    show.m_Slides[0].m_Background.m_strImageFile = "zero.bmp";
    show.m_Slides[2].m_Background.m_strImageFile = "two.bmp";
    AddText(*show.m_Slides[1].m_pSlots[0]);   // objects alone do not make a slide
    std::string text = Written(show);
    EXPECT_NE(std::string::npos, text.find("[SHEET00]"));
    EXPECT_EQ(std::string::npos, text.find("[SHEET01]"));
    EXPECT_NE(std::string::npos, text.find("[SHEET02]"));
    auto copy = Reread(text);
    EXPECT_FALSE(copy->m_Slides[1].IsInShow());
    EXPECT_EQ(0, copy->m_Slides[1].CountUsedObjects());
    EXPECT_EQ("two.bmp", copy->m_Slides[2].m_Background.m_strImageFile);
}

TEST(ShowDataWrite, ObjectNumberingGapsAreClosedAndRenumbered)
{
    CShowData show;
    CSlide& slide = show.m_Slides[0];
    slide.m_Background.m_strImageFile = "a.bmp";
    AddText(*slide.m_pSlots[3]);
    AddRectangle(*slide.m_pSlots[17]);
    AddImage(*slide.m_pSlots[49]);
    std::string text = Written(show);
    EXPECT_NE(std::string::npos, text.find("OBJ00=TEXT00\r\nTEXT00_X=30\r\n"));
    EXPECT_NE(std::string::npos, text.find("OBJ01=FRAME01\r\nFRAME01_X=10\r\n"));
    EXPECT_NE(std::string::npos, text.find("OBJ02=IMAGE02\r\nIMAGE02_X=100\r\n"));
    EXPECT_EQ(std::string::npos, text.find("OBJ03"));
    EXPECT_EQ(std::string::npos, text.find("TEXT03"));
    // The model is compacted too.
    EXPECT_EQ(CSlideObjSlot::KIND_TEXT, slide.m_pSlots[0]->m_nKind);
    EXPECT_EQ(CSlideObjSlot::KIND_RECTANGLE, slide.m_pSlots[1]->m_nKind);
    EXPECT_EQ(CSlideObjSlot::KIND_IMAGE, slide.m_pSlots[2]->m_nKind);
    EXPECT_FALSE(slide.m_pSlots[3]->m_bUsed);
}

TEST(ShowDataWrite, ASectionNumberedWithGapsIsWrittenBackWithoutThem)
{
    std::string text = "\r\n[SHEET00]\r\nIMAGE-FILE=a.bmp\r\n"
                       "OBJ00=TEXT00\r\nTEXT00_TEXT=zero\r\n"
                       "OBJ02=TEXT02\r\nTEXT02_TEXT=two\r\n"
                       "OBJ05=FRAME05\r\nFRAME05_WIDTH=55\r\n";
    auto show = Reread(text);
    std::string written = Written(*show);
    EXPECT_NE(std::string::npos, written.find("OBJ00=TEXT00\r\n"));
    EXPECT_NE(std::string::npos, written.find("OBJ01=TEXT01\r\nTEXT01_X="));
    EXPECT_NE(std::string::npos, written.find("TEXT01_TEXT=two\r\n"));
    EXPECT_NE(std::string::npos, written.find("OBJ02=FRAME02\r\n"));
    EXPECT_NE(std::string::npos, written.find("FRAME02_WIDTH=55\r\n"));
    EXPECT_EQ(std::string::npos, written.find("OBJ05"));
}

TEST(ShowDataWrite, AnOldShowWithoutObjKeysIsWrittenWithThem)
{
    auto show = Reread("\r\n[SHEET00]\r\nIMAGE-FILE=a.bmp\r\nTEXT00_TEXT=old\r\nTEXT01_TEXT=older\r\n");
    std::string written = Written(*show);
    EXPECT_NE(std::string::npos, written.find("OBJ00=TEXT00\r\n"));
    EXPECT_NE(std::string::npos, written.find("OBJ01=TEXT01\r\n"));
    EXPECT_NE(std::string::npos, written.find("TEXT01_TEXT=older\r\n"));
}

TEST(ShowDataWrite, SoundOnWithoutAFileIsWrittenOff)
{
    CShowData show;
    show.m_bSoundOn = TRUE;
    std::string text = Written(show);
    EXPECT_NE(std::string::npos, text.find("\r\n[SOUND]\r\nENABLE=0\r\nFILE=\r\n"));
    EXPECT_FALSE(show.m_bSoundOn);
}

TEST(ShowDataWrite, SoundOffEmptiesTheSoundFile)
{
    CShowData show;
    show.m_bSoundOn = FALSE;
    show.m_strSoundFile = "music.mp3";
    std::string text = Written(show);
    EXPECT_NE(std::string::npos, text.find("\r\n[SOUND]\r\nENABLE=0\r\nFILE=\r\n"));
    EXPECT_EQ("", show.m_strSoundFile);
}

TEST(ShowDataAutostart, TheEndProgramIsWrittenRelativeToTheProjectFolderRegardlessOfCase)
{
    CShowData show;
    show.SetDefaults();
    show.m_strAutostartFile = "c:\\shows\\DEMO\\RUN.EXE";
    EXPECT_NE(std::string::npos,
              Written(show, "C:\\Shows\\Demo").find("[AUTOSTART]\r\nENABLE=0\r\nFILE=RUN.EXE\r\n"));

    show.m_strAutostartFile = "C:\\run.exe";
    EXPECT_NE(std::string::npos, Written(show, "").find("FILE=C:\\run.exe\r\n"));
}

TEST(ShowDataAutostart, TheWrittenTextAndTheModelKeepASiblingFolderFile)
{
    CShowData show;
    show.m_nAutostartOn = 1;
    show.m_strAutostartFile = "C:\\Shows\\Demo2\\run.exe";
    std::string text = Written(show, "C:\\Shows\\Demo");
    EXPECT_NE(std::string::npos, text.find("\r\n[AUTOSTART]\r\nENABLE=1\r\nFILE=C:\\Shows\\Demo2\\run.exe\r\n"));
    EXPECT_EQ("C:\\Shows\\Demo2\\run.exe", show.m_strAutostartFile);
}

TEST(ShowDataBuild, WithoutAFontCollectorNothingIsWritten)
{
    CShowData show;
    int length = 99;
    EXPECT_EQ(nullptr, show.BuildShowText("VEXUL.INI", "C:\\P", &length));
    EXPECT_EQ(0, length);
}

TEST(ShowDataBuild, TheFontsOfUsedTextObjectsAreCollected)
{
    auto show = MakeSmallShow();
    show->m_Slides[3].m_Background.m_strImageFile = "three.bmp";
    AddText(*show->m_Slides[3].m_pSlots[4]);
    show->m_Slides[3].m_pSlots[4]->m_Text.m_strFontName = "Courier New";
    CSlideObjSlot& unused = *show->m_Slides[3].m_pSlots[5];
    unused.m_Text.m_strFontName = "Unused Face";
    CFontNameList fonts;
    show->m_pFontCollector = &fonts;
    int length = 0;
    const char* text = show->BuildShowText("VEXUL.INI", "C:\\Project", &length);
    ASSERT_NE(nullptr, text);
    EXPECT_EQ(static_cast<int>(strlen(text)), length);
    EXPECT_EQ(2, fonts.GetCount());
    EXPECT_TRUE(fonts.Contains("Tahoma"));
    EXPECT_TRUE(fonts.Contains("Courier New"));
    EXPECT_FALSE(fonts.Contains("Unused Face"));
}

TEST(ShowDataEditing, DeleteSlideMovesTheLaterSlidesDown)
{
    CShowData show;
    for (int i = 0; i < 4; i++)
    {
        CString name;
        name.Format("s%d.bmp", i);
        show.m_Slides[i].m_Background.m_strImageFile = name;
    }
    show.m_Slides[39].m_Background.m_strImageFile = "last.bmp";
    AddText(*show.m_Slides[2].m_pSlots[0]);
    show.DeleteSlide(1);
    EXPECT_EQ("s0.bmp", show.m_Slides[0].m_Background.m_strImageFile);
    EXPECT_EQ("s2.bmp", show.m_Slides[1].m_Background.m_strImageFile);
    EXPECT_EQ("Hello Vexul", show.m_Slides[1].m_pSlots[0]->m_Text.m_strText);
    EXPECT_EQ("s3.bmp", show.m_Slides[2].m_Background.m_strImageFile);
    EXPECT_EQ("last.bmp", show.m_Slides[38].m_Background.m_strImageFile);
    EXPECT_FALSE(show.m_Slides[39].IsInShow());
    show.DeleteSlide(40);
    show.DeleteSlide(-1);
    EXPECT_EQ(4, show.CountShowSlides());
}

TEST(ShowDataEditing, BackgroundEffectsGoToEverySlide)
{
    CShowData show;
    CSlideBackground& from = show.m_Slides[5].m_Background;
    from.m_FadeIn.m_nSelected = 16;
    from.m_FadeOut.m_nSelected = 3;
    from.m_nDelay = 777;
    from.m_nFadeSpeed = 3;
    show.m_Slides[0].m_Background.m_strImageFile = "keep.bmp";
    show.ApplyBackgroundEffectsToAllSlides(5);
    for (int i = 0; i < CShowData::MaxSlides; i++)
    {
        EXPECT_EQ(16, show.m_Slides[i].m_Background.m_FadeIn.m_nSelected) << i;
        EXPECT_EQ(3, show.m_Slides[i].m_Background.m_FadeOut.m_nSelected) << i;
        EXPECT_EQ(777, show.m_Slides[i].m_Background.m_nDelay) << i;
        EXPECT_EQ(3, show.m_Slides[i].m_Background.m_nFadeSpeed) << i;
    }
    EXPECT_EQ("keep.bmp", show.m_Slides[0].m_Background.m_strImageFile);
    show.ApplyBackgroundEffectsToAllSlides(40);   // nothing
}

TEST(ShowDataEditing, TextStyleGoesToTheTextObjectsOfEverySlide)
{
    CShowData show;
    AddText(*show.m_Slides[2].m_pSlots[1]);
    AddText(*show.m_Slides[7].m_pSlots[0]);
    CAniText& target = show.m_Slides[7].m_pSlots[0]->m_Text;
    target.m_strText = "other";
    target.m_nX = 5;
    target.m_strFontName = "Courier New";
    target.m_nFontSize = 9;
    show.ApplyTextStyleToAllSlides(2, 1);
    EXPECT_EQ("Tahoma", target.m_strFontName);
    EXPECT_EQ(24, target.m_nFontSize);
    EXPECT_EQ("other", target.m_strText);
    EXPECT_EQ(5, target.m_nX);
    show.ApplyTextStyleToAllSlides(40, 0);   // nothing
    show.ApplyTextStyleToAllSlides(0, 50);   // nothing
}
