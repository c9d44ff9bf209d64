// The text, image and rectangle object dialogs driven as a user drives them, and the font choice they use:
// what reaches the caller after OK, what is refused, and that Cancel hands back nothing.
#include "EditorTestSupport.h"
#include "editor/CompileDlg.h"
#include "editor/EditorControls.h"
#include "editor/ImageObjectDlg.h"
#include "editor/NewSlideDlg.h"
#include "editor/RectangleObjectDlg.h"
#include "editor/SlideBackgroundDlg.h"
#include "editor/TextObjectDlg.h"
#include "resources/editor/resource.h"
#include "tests/support/BmpFile.h"
#include "tests/support/win_DialogDriver.h"
#include "tests/support/win_ShellRecorder.h"

#include <gtest/gtest.h>

using namespace editortest;

namespace
{

// Opens the protected parts the tests look at.
class CTestTextObjectDlg : public CTextObjectDlg
{
public:
    using CTextObjectDlg::CheckFontEmbedding;
};

class CTestFontChoice : public CFontChoice
{
public:
    using CFontChoice::TakeResult;
};

// The rectangle dialog's position and size as it shows them: "x,y,width,height".
std::string RectangleTexts(HWND h)
{
    return ItemText(h, IDC_POS_X) + "," + ItemText(h, IDC_POS_Y) + "," + ItemText(h, IDC_RECT_WIDTH) + "," +
           ItemText(h, IDC_RECT_HEIGHT);
}

}   // namespace

TEST(ObjectDialogs, TextDialogRefusesAnEmptyTextAndKeepsNumbersInTheirRanges)
{
    CMessageBoxRecorder boxes;
    CTextObjectDlg dlg;
    dlg.m_TextObject.SetDefaults();
    dlg.m_TextObject.m_strText = "Old";
    dlg.m_nSlideWidth = 638;
    dlg.m_nSlideHeight = 466;
    std::string shown;
    std::vector<std::string> animations;
    CDialogDriver driver({[&](HWND h)
                          {
                              shown = ItemText(h, IDC_TEXT) + "|" + ItemText(h, IDC_POS_X) + "|" +
                                      ItemText(h, IDC_POS_Y) + "|" + ItemText(h, IDC_DELAY);
                              animations = ComboTexts(h, IDC_ANIMATION);
                              SetItemText(h, IDC_TEXT, "");
                              CDialogDriver::Click(h, IDOK);
                              driver.Post(
                                  [&, h]
                                  {
                                      EXPECT_EQ("Please enter a text !", boxes.LastText());
                                      SetItemText(h, IDC_TEXT, "Hello");
                                      SetItemText(h, IDC_DELAY, "ten");
                                      CDialogDriver::Click(h, IDOK);
                                  });
                              driver.Post(
                                  [&, h]
                                  {
                                      EXPECT_EQ("Please enter an integer.", boxes.LastText());
                                      SetItemText(h, IDC_DELAY, "10");
                                      SetItemText(h, IDC_POS_X, "-5");
                                      SetItemText(h, IDC_POS_Y, "900");
                                      SelectItem(h, IDC_ANIMATION, "Typewriter");
                                      CDialogDriver::Click(h, IDOK);
                                  });
                          }});
    ASSERT_EQ(IDOK, dlg.DoModal());
    EXPECT_EQ("Old|20|10|1000", shown);
    EXPECT_EQ((std::vector<std::string>{"None Animation", "Shift from left", "Shift from top", "Typewriter"}),
              animations);
    EXPECT_EQ(2u, boxes.Count());
    EXPECT_STREQ("Hello", dlg.m_TextObject.m_strText);
    EXPECT_EQ(50, dlg.m_TextObject.m_nDelay);
    EXPECT_EQ(0, dlg.m_TextObject.m_nX);
    EXPECT_EQ(446, dlg.m_TextObject.m_nY);
    EXPECT_EQ(3, dlg.m_TextObject.m_Animation.GetSelectedIndex());

    // The largest delay; a position beyond the right edge comes back inside. Cancel hands back nothing.
    CTextObjectDlg again;
    again.m_TextObject.CopyFrom(dlg.m_TextObject);
    again.m_nSlideWidth = 638;
    again.m_nSlideHeight = 466;
    CDialogDriver second({[&](HWND h)
                          {
                              SetItemText(h, IDC_DELAY, "100000");
                              SetItemText(h, IDC_POS_X, "700");
                              CDialogDriver::Click(h, IDOK);
                          }});
    ASSERT_EQ(IDOK, again.DoModal());
    EXPECT_EQ(60000, again.m_TextObject.m_nDelay);
    EXPECT_EQ(618, again.m_TextObject.m_nX);
    const std::string kept(again.m_TextObject.m_strText);   // what fits there

    CDialogDriver cancel({[&](HWND h)
                          {
                              SetItemText(h, IDC_TEXT, "Changed");
                              SetItemText(h, IDC_DELAY, "5000");
                              CDialogDriver::Click(h, IDCANCEL);
                          }});
    EXPECT_EQ(IDCANCEL, again.DoModal());
    EXPECT_EQ(kept, std::string(again.m_TextObject.m_strText));
    EXPECT_EQ(60000, again.m_TextObject.m_nDelay);
}

TEST(ObjectDialogs, TextDialogAsksBeforeATextWiderThanTheRoomRightOfItIsCut)
{
    std::string typed;
    while (typed.size() < 274)
        typed += "Slide text ";
    typed.resize(274);
    CMessageBoxRecorder boxes(IDNO);
    CTextObjectDlg dlg;
    dlg.m_TextObject.SetDefaults();
    dlg.m_TextObject.m_nX = 100;
    dlg.m_nSlideWidth = 638;
    dlg.m_nSlideHeight = 466;
    std::string kept;
    CDialogDriver driver({[&](HWND h)
                          {
                              SetItemText(h, IDC_TEXT, typed);
                              CDialogDriver::Click(h, IDOK);
                              driver.Post(
                                  [&, h]
                                  {
                                      kept = ItemText(h, IDC_TEXT);   // No: back with the whole text
                                      boxes.SetAnswer(IDYES);
                                      CDialogDriver::Click(h, IDOK);
                                  });
                          }});
    ASSERT_EQ(IDOK, dlg.DoModal());
    EXPECT_EQ(typed, kept);
    ASSERT_EQ(2u, boxes.Count());
    const int fits = dlg.m_TextObject.m_strText.GetLength();
    EXPECT_GT(fits, 10);
    EXPECT_LT(fits, 274);
    EXPECT_EQ(typed.substr(0, static_cast<size_t>(fits)), std::string(dlg.m_TextObject.m_strText));
    std::string asked = boxes.Records()[0].text;
    EXPECT_NE(std::string::npos, asked.find("only the first " + std::to_string(fits) + " of its 274 characters"))
        << asked;
    EXPECT_EQ(static_cast<unsigned>(MB_YESNO), boxes.Records()[0].type & MB_TYPEMASK);
}

TEST(ObjectDialogs, FontChoiceNormalisesItsInputAndKeepsTheSizeThroughTheFontDialog)
{
    CTestFontChoice choice;
    choice.Set("", 3, " bold ", 5, 0, RGB(1, 2, 3), nullptr);
    EXPECT_STREQ("Arial", choice.m_strFace);
    EXPECT_EQ(6, choice.m_nSize);
    EXPECT_EQ(FW_BOLD, choice.m_nWeight);
    EXPECT_STREQ("BOLD", choice.m_strWeight);
    EXPECT_TRUE(choice.m_bUnderline == TRUE);
    choice.Set("Tahoma", 500, "normal", FALSE, TRUE, RGB(1, 2, 3), nullptr);
    EXPECT_EQ(100, choice.m_nSize);
    EXPECT_EQ(FW_NORMAL, choice.m_nWeight);

    LOGFONTA chosen = {};
    chosen.lfHeight = -20;
    chosen.lfWeight = 600;
    lstrcpyA(chosen.lfFaceName, "Courier New");
    choice.TakeResult(chosen, RGB(9, 8, 7));
    CString face, weight;
    int size = 0;
    BOOL underline = TRUE, italic = TRUE;
    COLORREF color = 0;
    choice.Get(face, size, weight, underline, italic, color);
    EXPECT_STREQ("Courier New", face);
    EXPECT_EQ(20, size);
    EXPECT_STREQ("BOLD", weight);
    EXPECT_FALSE(underline);
    EXPECT_FALSE(italic);
    EXPECT_EQ(RGB(9, 8, 7), color);
    chosen.lfWeight = FW_NORMAL;
    choice.TakeResult(chosen, 0);
    EXPECT_STREQ("NORMAL", choice.m_strWeight);

    // Taking the font dialog's OK without a change leaves the font as it was.
    choice.Set("Tahoma", 16, "BOLD", FALSE, FALSE, RGB(0, 0, 128), nullptr);
    CDialogDriver driver({[](HWND h) { CDialogDriver::Click(h, IDOK); }});
    ASSERT_EQ(IDOK, choice.DoModal());
    EXPECT_STREQ("Tahoma", choice.m_strFace);
    EXPECT_EQ(16, choice.m_nSize);
    EXPECT_STREQ("BOLD", choice.m_strWeight);
    EXPECT_EQ(RGB(0, 0, 128), choice.m_crColor);
}

TEST(ObjectDialogs, TextDialogWarnsAboutFontsThatCannotTravelWithTheShow)
{
    CMessageBoxRecorder boxes;
    CTestTextObjectDlg dlg;
    dlg.CheckFontEmbedding("Arial Unicode MS");   // never warned about, installed or not
    EXPECT_EQ(0u, boxes.Count());
    dlg.CheckFontEmbedding("Tahoma");
    EXPECT_EQ(0u, boxes.Count());
    dlg.CheckFontEmbedding("No Such Face");
    ASSERT_EQ(1u, boxes.Count());
    EXPECT_EQ("PROBLEM\n\nThe font \"No Such Face\"\ncontains an internal error and cannot be embedded!\n\n",
              boxes.LastText());
}

TEST(ObjectDialogs, ImageDialogNeedsAFittingImageAndPlacesItInsideTheSlide)
{
    CTempFolder folder("vximagedlg");
    ASSERT_TRUE(WriteFileBytes(folder / "big.bmp", MakeSolidBmp(700, 100, RGB(255, 0, 0))));
    ASSERT_TRUE(WriteFileBytes(folder / "small.bmp", MakeSolidBmp(100, 50, RGB(0, 255, 0))));
    ASSERT_TRUE(WriteFileBytes(folder / "broken.jpg", Bytes(64, 0x5A)));
    CMessageBoxRecorder boxes;
    CImageObjectDlg dlg;
    dlg.m_nSlideWidth = 638;
    dlg.m_nSlideHeight = 466;
    dlg.m_strProjectFolder = folder.Path().c_str();
    bool colourButtonFollows = false;
    std::vector<std::string> messages;
    std::string unreadable;
    CDialogDriver driver({[&](HWND h)
                          {
                              colourButtonFollows = !IsItemEnabled(h, IDC_COLOR_BUTTON);
                              PressButton(h, IDC_TRANSPARENT);
                              colourButtonFollows = colourButtonFollows && IsItemEnabled(h, IDC_COLOR_BUTTON);
                              // A new image object without a file.
                              CDialogDriver::Click(h, IDOK);
                              driver.Post(
                                  [&, h]
                                  {
                                      messages.push_back(boxes.LastText());
                                      SetItemText(h, IDC_IMAGE_FILE, folder / "big.bmp");
                                      CDialogDriver::Click(h, IDOK);
                                  });
                              driver.Post(
                                  [&, h]
                                  {
                                      for (const auto& record : boxes.Records())
                                          messages.push_back(record.text);
                                      SetItemText(h, IDC_IMAGE_FILE, folder / "broken.jpg");
                                      CDialogDriver::Click(h, IDOK);
                                  });
                              driver.Post(
                                  [&, h]
                                  {
                                      unreadable = boxes.LastText();
                                      SetItemText(h, IDC_IMAGE_FILE, folder / "small.bmp");
                                      SetItemText(h, IDC_POS_X, "600");
                                      SetItemText(h, IDC_POS_Y, "-3");
                                      SetItemText(h, IDC_DELAY, "70000");
                                      SetItemText(h, IDC_SPEED, "10");
                                      SelectItem(h, IDC_ANIMATION, "Shift from top");
                                      CDialogDriver::Click(h, IDOK);
                                  });
                          }});
    ASSERT_EQ(IDOK, dlg.DoModal());
    EXPECT_TRUE(colourButtonFollows);
    ASSERT_EQ(4u, messages.size());
    EXPECT_EQ("Please specify an image file", messages[0]);
    EXPECT_EQ("The image is too big!          \n\n  Max: 638 x 466 Pixel\nActual:  700 x 100 pixels\n\n",
              messages[2]);
    EXPECT_EQ("Please specify an image file", messages[3]);
    // A damaged picture is told as such, not as a missing file.
    EXPECT_EQ("The file \"" + folder / "broken.jpg" + "\" cannot be read as a picture.", unreadable);
    EXPECT_EQ(4u, boxes.Count());   // and nothing more about it
    EXPECT_EQ(folder / "small.bmp", dlg.m_strFile.str());
    EXPECT_EQ(538, dlg.m_nX);   // moved left so that the whole picture shows
    EXPECT_EQ(0, dlg.m_nY);
    EXPECT_EQ(60000, dlg.m_nDelay);
    EXPECT_EQ(25, dlg.m_nSpeed);
    EXPECT_EQ(1, dlg.m_bTransparent);
    EXPECT_EQ(2, dlg.m_Animation.GetSelectedIndex());
    EXPECT_EQ(100, dlg.m_nPictureWidth);

    // Editing an object whose file stays: no check, and Cancel is told apart from OK.
    CImageObjectDlg edit;
    edit.m_nSlideWidth = 638;
    edit.m_nSlideHeight = 466;
    edit.m_strFile = "picture-only-in-the-pack.bmp";
    boxes.Clear();
    CDialogDriver ok({[](HWND h) { CDialogDriver::Click(h, IDOK); }});
    EXPECT_EQ(IDOK, edit.DoModal());
    EXPECT_EQ(0u, boxes.Count());
    CDialogDriver cancel({[](HWND h) { CDialogDriver::Click(h, IDCANCEL); }});
    EXPECT_EQ(IDCANCEL, edit.DoModal());
}

TEST(ObjectDialogs, RectangleDialogStartsFromTheDrawnRectangleAndKeepsItInsideTheSlide)
{
    CMessageBoxRecorder boxes;
    CRectangleObjectDlg dlg;
    dlg.m_nSlideWidth = 638;
    dlg.m_nSlideHeight = 466;
    dlg.m_rcDrawn = CRect(600, 400, 700, 500);
    dlg.m_nGrid = 10;
    std::string opened, snapped;
    bool lighten = false, colorize = false, frame = false;
    CDialogDriver driver({[&](HWND h)
                          {
                              opened = RectangleTexts(h);
                              lighten = IsItemEnabled(h, IDC_RECT_LIGHT) &&
                                        !IsItemEnabled(h, IDC_RECT_FILL_COLOR) &&
                                        !IsItemEnabled(h, IDC_RECT_RED) && !IsItemEnabled(h, IDC_RECT_FRAME_COLOR);
                              PressButton(h, IDC_RECT_MODE_COLORIZE);
                              PressButton(h, IDC_RECT_FRAME);
                              colorize = !IsItemEnabled(h, IDC_RECT_LIGHT) && IsItemEnabled(h, IDC_RECT_RED) &&
                                         IsItemEnabled(h, IDC_RECT_GREEN) && IsItemEnabled(h, IDC_RECT_BLUE);
                              frame = IsItemEnabled(h, IDC_RECT_FRAME_COLOR);
                              SetItemText(h, IDC_POS_X, "23");
                              SetItemText(h, IDC_POS_Y, "47");
                              SetItemText(h, IDC_RECT_WIDTH, "105");
                              SetItemText(h, IDC_RECT_HEIGHT, "31");
                              PressButton(h, IDC_RECT_SNAP);
                              snapped = RectangleTexts(h);
                              SetItemText(h, IDC_RECT_RED, "300");
                              CDialogDriver::Click(h, IDOK);
                              driver.Post(
                                  [&, h]
                                  {
                                      EXPECT_EQ("Please enter an integer between -255 and 255.", boxes.LastText());
                                      SetItemText(h, IDC_RECT_RED, "-255");
                                      SetItemText(h, IDC_RECT_WIDTH, "1000");
                                      SetItemText(h, IDC_SPEED, "10");
                                      SetItemText(h, IDC_DELAY, "10");
                                      SelectItem(h, IDC_ANIMATION, "Fill from right");
                                      CDialogDriver::Click(h, IDOK);
                                  });
                          }});
    ASSERT_EQ(IDOK, dlg.DoModal());
    EXPECT_EQ("600,400,38,66", opened);
    EXPECT_EQ("20,40,100,30", snapped);
    EXPECT_TRUE(lighten);
    EXPECT_TRUE(colorize);
    EXPECT_TRUE(frame);
    EXPECT_EQ(1u, boxes.Count());

    FrameObjRecord record = dlg.GetRecord();
    EXPECT_EQ(3, record.nKind);
    EXPECT_EQ(0, record.nX);   // moved left so that the full width fits
    EXPECT_EQ(40, record.nY);
    EXPECT_EQ(638, record.nWidth);
    EXPECT_EQ(30, record.nHeight);
    EXPECT_EQ(CFrameObj::FILL_COLORIZE, record.nFillMode);
    EXPECT_EQ(-255, record.nRed);
    EXPECT_EQ(25, record.nSpeed);
    EXPECT_EQ(3, record.nAnimation);
    EXPECT_TRUE(record.bFrame);
    EXPECT_EQ(50, dlg.m_nDelay);

    // Grids outside 2 … 25 snap nothing; the maximum buttons span the slide.
    for (int grid : {1, 30})
    {
        CRectangleObjectDlg other;
        other.m_nSlideWidth = 638;
        other.m_nSlideHeight = 466;
        other.m_nGrid = grid;
        ASSERT_TRUE(other.Create(IDD_RECTANGLE_OBJECT));
        HWND h = other.GetSafeHwnd();
        SetItemText(h, IDC_POS_X, "23");
        PressButton(h, IDC_RECT_SNAP);
        EXPECT_EQ("23", ItemText(h, IDC_POS_X)) << grid;
        PressButton(h, IDC_RECT_MAX_WIDTH);
        PressButton(h, IDC_RECT_MAX_HEIGHT);
        EXPECT_EQ("0,0,638,466", RectangleTexts(h));
        // A rectangle without area is never handed back.
        SetItemText(h, IDC_RECT_WIDTH, "0");
        SetItemText(h, IDC_RECT_HEIGHT, "-4");
        PressButton(h, IDOK);
        EXPECT_EQ(1, other.m_nWidth);
        EXPECT_EQ(1, other.m_nHeight);
        other.DestroyWindow();
    }
}

TEST(ObjectDialogs, ImageFileTestGoesByTheExtension)
{
    CImageFileFilter filter;
    EXPECT_TRUE(filter.IsImageFile("C:\\Pictures\\photo.JPEG"));
    EXPECT_STREQ(".jpeg", filter.m_strExtension);
    EXPECT_TRUE(filter.IsImageFile("a.b\\scan.Bmp"));
    EXPECT_FALSE(filter.IsImageFile("photo.png"));
    EXPECT_FALSE(filter.IsImageFile(".bmp"));   // no point after the first character
    // Only the file name's own extension, and the whole of it, counts.
    EXPECT_FALSE(filter.IsImageFile("C:\\a.bmp\\notes"));
    EXPECT_FALSE(filter.IsImageFile("photo.jpgold"));
    EXPECT_FALSE(filter.IsImageFile("C:\\my.gif\\.profile"));
    // Every extension of the filter is one the open dialog lists.
    std::string filter_text = CImageFileFilter::GetFilter().GetString();
    std::string patterns = filter_text.substr(filter_text.find('|') + 1);
    EXPECT_EQ(std::string::npos, patterns.find(','));
    EXPECT_NE(std::string::npos, patterns.find("*.jpeg;*.jif;"));
}

TEST(EditorDialogs, EachHelpButtonOpensTheDialogsTopic)
{
    CShellRecorder shell;
    auto topic = [&](CDialog& dlg, UINT templateId, int button)
    {
        if (!dlg.Create(templateId))
            return std::string("no dialog");
        size_t before = shell.Calls().size();
        PressButton(dlg.GetSafeHwnd(), button);
        dlg.DestroyWindow();
        if (shell.Calls().size() != before + 1 || shell.Calls().back().kind != "help")
            return std::string("no help");
        const std::string& file = shell.Calls().back().file;
        return file.substr(file.find("::/public/") + 10);
    };
    CTextObjectDlg text;
    EXPECT_EQ("vc_textobject.htm", topic(text, IDD_TEXT_OBJECT, IDC_OBJECT_HELP));
    CImageObjectDlg image;
    EXPECT_EQ("vc_imageobject.htm", topic(image, IDD_IMAGE_OBJECT, IDC_OBJECT_HELP));
    CRectangleObjectDlg rectangle;
    rectangle.m_nSlideWidth = 638;
    rectangle.m_nSlideHeight = 466;
    EXPECT_EQ("vc_rectangleobject.htm", topic(rectangle, IDD_RECTANGLE_OBJECT, IDC_DIALOG_HELP));
    CSlideBackgroundDlg background;
    EXPECT_EQ("vc_slidefeature.htm", topic(background, IDD_SLIDE_BACKGROUND, IDC_DIALOG_HELP));
    CNewSlideDlg newSlide;
    EXPECT_EQ("vc_slideadd.htm", topic(newSlide, IDD_NEW_SLIDE, IDC_DIALOG_HELP));
    CCompileDlg compile;
    EXPECT_EQ("vc_compiler.htm", topic(compile, IDD_COMPILE, IDC_COMPILE_HELP));
    CCompileDlg question;
    EXPECT_EQ("vc_compiler.htm", topic(question, IDD_COMPILE, IDC_COMPILE_QUESTION));
}
