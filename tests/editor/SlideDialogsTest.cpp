// The slide background, new-slide, image-size and notice dialogs driven as a user drives them.
#include "EditorTestSupport.h"
#include "editor/ImageSizeDlg.h"
#include "editor/NewSlideDlg.h"
#include "editor/SlideBackgroundDlg.h"
#include "editor/VexulCreatorApp.h"
#include "resources/editor/resource.h"
#include "show/Picture.h"
#include "show/ProjectPack.h"
#include "tests/support/GifFile.h"
#include "tests/support/BmpFile.h"
#include "tests/support/win_DialogDriver.h"
#include "tests/support/win_DibSurface.h"
#include "tests/support/win_ShellRecorder.h"

#include <gtest/gtest.h>

#include <cstdlib>

using namespace editortest;

namespace
{

std::string EffectKey(const CEffectNames& names)
{
    return names.GetKeyAt(names.GetSelectedIndex());
}

// Smooth pictures of the slide size for the previews: shrinking them must keep them smooth.
COLORREF RedGreenRamp(int x, int y)
{
    return RGB(x * 255 / 637, y * 255 / 465, 128);
}

COLORREF RedCyanRamp(int x, int)
{
    return RGB(x * 255 / 637, 255 - x * 255 / 637, 128);
}

// A GIF of 638 x 466 whose colour table holds the ramp's 256 columns.
Bytes RedCyanGif()
{
    std::vector<COLORREF> table;
    for (int i = 0; i < 256; i++)
        table.push_back(RGB(i, 255 - i, 128));
    std::vector<BYTE> pixels;
    for (int y = 0; y < 466; y++)
        for (int x = 0; x < 638; x++)
            pixels.push_back(static_cast<BYTE>(x * 255 / 637));
    Bytes gif = MakeGifHead(638, 466, {});
    PutGifImage(gif, 0, 0, 638, 466, table, EncodeGifIndices(pixels, 8));
    gif.push_back(0x3B);
    return gif;
}

// How many pixels of a preview show its 638 x 466 picture more than 3 levels off the colour of the picture
// under each pixel's centre; the picture is fitted into the box (client coordinates) with a margin of 1.
int PixelsOffThePicture(HWND preview, const CRect& box, COLORREF (*picture)(int, int))
{
    UpdateWindow(preview);
    CRect client;
    GetClientRect(preview, &client);
    DibSurface shown(client.Width(), client.Height());
    HDC dc = GetDC(preview);
    BitBlt(shown.dc.GetSafeHdc(), 0, 0, client.Width(), client.Height(), dc, 0, 0, SRCCOPY);
    ReleaseDC(preview, dc);
    CRect fitted = CPicture::CalcFittedRect(box, 1, 638, 466);
    fitted.IntersectRect(&fitted, CRect(0, 0, box.Width(), box.Height()));
    int off = 0;
    for (int y = fitted.top; y < fitted.bottom; y++)
        for (int x = fitted.left; x < fitted.right; x++)
        {
            int sx = (2 * (x - fitted.left) + 1) * 638 / (2 * fitted.Width());
            int sy = (2 * (y - fitted.top) + 1) * 466 / (2 * fitted.Height());
            COLORREF want = picture(sx, sy), got = shown.At(x, y);
            if (abs(GetRValue(want) - GetRValue(got)) > 3 || abs(GetGValue(want) - GetGValue(got)) > 3 ||
                abs(GetBValue(want) - GetBValue(got)) > 3)
                off++;
        }
    return fitted.IsRectEmpty() ? -1 : off;
}

// Opens the dialog and counts what its preview shows off the picture; the preview fits the picture into its
// client area less margin pixels at the right and bottom.
int PreviewPixelsOff(CDialog& dlg, int previewId, int margin, COLORREF (*picture)(int, int))
{
    int off = -1;
    CDialogDriver driver({[&](HWND h)
                          {
                              ShowWindow(h, SW_SHOWNORMAL);
                              HWND preview = GetDlgItem(h, previewId);
                              CRect box;
                              GetClientRect(preview, &box);
                              box.DeflateRect(0, 0, margin, margin);
                              off = PixelsOffThePicture(preview, box, picture);
                              CDialogDriver::Click(h, IDCANCEL);
                          }});
    dlg.DoModal();
    return off;
}

// A background dialog on a slide of 638 x 466 whose image is an entry of the pack.
class BackgroundDialogTest : public ::testing::Test
{
protected:
    void SetUp() override
    {
        Bytes image = MakeSolidBmp(638, 466, RGB(10, 20, 30));
        ASSERT_TRUE(pack.AddData("bg.bmp", image.data(), static_cast<int>(image.size())));
        dlg.m_cLanguage = 'E';
        dlg.m_pPack = &pack;
        dlg.m_strImageFile = "bg.bmp";
        dlg.m_strProjectFolder = project.Path().c_str();
        dlg.m_nNominalWidth = 638;
        dlg.m_nNominalHeight = 466;
        dlg.m_Background.m_nDelay = 3000;
    }
    void Choose(CEffectNames& names, const char* key) { names.SelectByText(LETTER_KEYS, key); }

    CTempFolder project{"vxbackground"};
    CProjectPack pack;
    CSlideBackgroundDlg dlg;
    CMessageBoxRecorder boxes;
};

}   // namespace

TEST_F(BackgroundDialogTest, ACoverEffectOpensAsFadeOverAndComesBackAsTheFadeIn)
{
    Choose(dlg.m_Background.m_FadeIn, "COVER-FROM-LEFT");
    Choose(dlg.m_Background.m_FadeOut, "LEFT-RIGHT");
    dlg.m_Background.m_nFadeSpeed = 2;
    bool fadeOver = false, listsOff = false, slow = false;
    std::string over, in, out, duration;
    CDialogDriver driver({[&](HWND h)
                          {
                              fadeOver = IsDlgButtonChecked(h, IDC_EFFECT_OVER) == BST_CHECKED;
                              listsOff = IsItemEnabled(h, IDC_FADE_OVER) && !IsItemEnabled(h, IDC_FADE_IN) &&
                                         !IsItemEnabled(h, IDC_FADE_OUT);
                              slow = IsDlgButtonChecked(h, IDC_SPEED_SLOW) == BST_CHECKED;
                              over = ItemText(h, IDC_FADE_OVER);
                              in = ItemText(h, IDC_FADE_IN);
                              out = ItemText(h, IDC_FADE_OUT);
                              duration = ItemText(h, IDC_DURATION);
                              CDialogDriver::Click(h, IDOK);
                          }});
    ASSERT_EQ(IDOK, dlg.DoModal());
    EXPECT_TRUE(fadeOver);
    EXPECT_TRUE(listsOff);
    EXPECT_TRUE(slow);
    EXPECT_EQ("Cover from left", over);
    EXPECT_EQ("None Animation", in);
    EXPECT_EQ("None Animation", out);
    EXPECT_EQ("3000", duration);
    EXPECT_TRUE(dlg.m_Picture.IsLoaded());   // from the pack entry
    EXPECT_EQ("COVER-FROM-LEFT", EffectKey(dlg.m_Background.m_FadeIn));
    EXPECT_EQ("NONE", EffectKey(dlg.m_Background.m_FadeOut));
    EXPECT_EQ(2, dlg.m_Background.m_nFadeSpeed);
    EXPECT_EQ(3000, dlg.m_Background.m_nDelay);
    EXPECT_STREQ("bg.bmp", dlg.m_Background.m_strImageFile);
}

TEST_F(BackgroundDialogTest, RotationsTurnBothWaysAndShortDurationsAreRefused)
{
    dlg.m_Background.m_nFadeSpeed = 7;   // from a damaged show: the dialog offers medium
    CDialogDriver driver({[&](HWND h)
                          {
                              SetItemText(h, IDC_DURATION, "20");
                              SelectItem(h, IDC_FADE_OVER, "Rotate to right");
                              CDialogDriver::Click(h, IDOK);
                              driver.Post(
                                  [&, h]
                                  {
                                      EXPECT_EQ("Please enter an integer between 50 and 100000.",
                                                boxes.LastText());
                                      SetItemText(h, IDC_DURATION, "4000");
                                      CDialogDriver::Click(h, IDOK);
                                  });
                          }});
    ASSERT_EQ(IDOK, dlg.DoModal());
    EXPECT_EQ("OUTIN_ROTATE_RIGHT", EffectKey(dlg.m_Background.m_FadeIn));
    EXPECT_EQ("OUTIN_ROTATE_RIGHT", EffectKey(dlg.m_Background.m_FadeOut));
    EXPECT_EQ(4000, dlg.m_Background.m_nDelay);
    EXPECT_EQ(1, dlg.m_Background.m_nFadeSpeed);

    // Separate effects in and out.
    bool listsOn = false;
    CDialogDriver inOut({[&](HWND h)
                         {
                             PressButton(h, IDC_EFFECT_IN_OUT);
                             listsOn = !IsItemEnabled(h, IDC_FADE_OVER) && IsItemEnabled(h, IDC_FADE_IN) &&
                                       IsItemEnabled(h, IDC_FADE_OUT);
                             SelectItem(h, IDC_FADE_IN, "From left to right");
                             SelectItem(h, IDC_FADE_OUT, "Shift from top");
                             CDialogDriver::Click(h, IDOK);
                         }});
    ASSERT_EQ(IDOK, dlg.DoModal());
    EXPECT_TRUE(listsOn);
    EXPECT_EQ("LEFT-RIGHT", EffectKey(dlg.m_Background.m_FadeIn));
    EXPECT_EQ("MOVE-TOPBOTTOM", EffectKey(dlg.m_Background.m_FadeOut));

    // Without a picture OK is refused; Cancel ends the dialog without a result.
    CSlideBackgroundDlg empty;
    empty.m_cLanguage = 'E';
    empty.m_Background.m_nDelay = 3000;
    boxes.Clear();
    CDialogDriver none({[&](HWND h)
                        {
                            CDialogDriver::Click(h, IDOK);
                            none.Post([h] { CDialogDriver::Click(h, IDCANCEL); });
                        }});
    EXPECT_EQ(IDCANCEL, empty.DoModal());
    ASSERT_EQ(1u, boxes.Count());
    EXPECT_EQ("Please specify a background image !", boxes.LastText());
}

TEST_F(BackgroundDialogTest, ThePreviewShrinksAGifSmoothly)
{
    Bytes gif = RedCyanGif();
    ASSERT_TRUE(pack.AddData("ramp.gif", gif.data(), static_cast<int>(gif.size())));
    dlg.m_strImageFile = "ramp.gif";
    EXPECT_EQ(0, PreviewPixelsOff(dlg, IDC_BACKGROUND_PREVIEW, 2, RedCyanRamp));
}

TEST_F(BackgroundDialogTest, AnImageOfAnotherSizeIsTakenOnlyWhenTheUserSaysSo)
{
    std::string other = project / "other.bmp";
    ASSERT_TRUE(WriteFileBytes(other, MakeSolidBmp(640, 480, RGB(200, 0, 0))));
    boxes.SetAnswer(IDNO);
    std::string afterNo;
    auto chooseFile = [&](HWND h)
    {
        SetWindowTextA(FileNameBox(h), "other.bmp");
        CDialogDriver::Click(h, IDOK);
    };
    // A file that is no picture is named as such first.
    ASSERT_TRUE(WriteFileBytes(project / "broken.jpg", Bytes(90, 0x44)));
    std::string unreadable;
    CDialogDriver driver({[&](HWND h) { CDialogDriver::Click(h, IDC_BROWSE_IMAGE); },
                          [&](HWND h)
                          {
                              SetWindowTextA(FileNameBox(h), "broken.jpg");
                              CDialogDriver::Click(h, IDOK);
                          },
                          [&](HWND h)
                          {
                              unreadable = boxes.LastText();
                              boxes.Clear();
                              CDialogDriver::Click(h, IDC_BROWSE_IMAGE);
                          },
                          chooseFile,
                          [&](HWND h)
                          {
                              afterNo = dlg.m_strImageFile.str();
                              boxes.SetAnswer(IDYES);
                              CDialogDriver::Click(h, IDC_BROWSE_IMAGE);
                          },
                          chooseFile, [&](HWND h) { CDialogDriver::Click(h, IDOK); }});
    ASSERT_EQ(IDOK, dlg.DoModal());
    EXPECT_EQ("The file \"" + project / "broken.jpg" + "\" cannot be read as a picture.", unreadable);
    ASSERT_EQ(2u, boxes.Count());
    const std::string question = boxes.Records()[0].text;
    EXPECT_EQ(0u, question.find("The image file does not correspond to the nominal dimensions\n"
                                "Target: 638 x 466 pixels\nActual:  640 x 480 pixels\n\n"))
        << question;
    EXPECT_NE(std::string::npos, question.find("Do you still want to accept the image file?"));
    EXPECT_EQ("bg.bmp", afterNo);
    EXPECT_EQ(0, dlg.m_Background.m_strImageFile.CompareNoCase(other.c_str()));
    EXPECT_EQ(640, dlg.m_Picture.GetWidth());
}

TEST_F(BackgroundDialogTest, ADroppedImageOfTheSlideSizeComesIntoTheProject)
{
    CTempFolder elsewhere("vxdropsrc");
    std::string good = elsewhere / "dropped.bmp";
    std::string wrong = elsewhere / "wrong.bmp";
    ASSERT_TRUE(WriteFileBytes(good, MakeSolidBmp(638, 466, RGB(0, 0, 200))));
    ASSERT_TRUE(WriteFileBytes(wrong, MakeSolidBmp(320, 240, RGB(0, 200, 0))));
    ASSERT_TRUE(dlg.Create(IDD_SLIDE_BACKGROUND));
    HWND h = dlg.GetSafeHwnd();

    SendMessageA(h, WM_DROPFILES, reinterpret_cast<WPARAM>(MakeDrop(good)), 0);
    EXPECT_STREQ("dropped.bmp", dlg.m_strImageFile);
    EXPECT_EQ(ReadFileBytes(good), ReadFileBytes(project / "dropped.bmp"));
    EXPECT_EQ(638, dlg.m_Picture.GetWidth());

    // Another size: the image-size dialog says why, and nothing is copied or taken.
    std::string target, actual;
    CDialogDriver driver({[&](HWND sizeDlg)
                          {
                              target = ItemText(sizeDlg, IDC_SIZE_TARGET);
                              actual = ItemText(sizeDlg, IDC_SIZE_ACTUAL);
                              CDialogDriver::Click(sizeDlg, IDOK);
                          }});
    SendMessageA(h, WM_DROPFILES, reinterpret_cast<WPARAM>(MakeDrop(wrong)), 0);
    EXPECT_EQ(1u, driver.StepsRun());
    EXPECT_EQ("Target: 638 x 466 pixels\n", target);
    EXPECT_EQ("Actual:  320 x 240 pixels\n\n", actual);
    EXPECT_STREQ("dropped.bmp", dlg.m_strImageFile);
    EXPECT_TRUE(ReadFileBytes(project / "wrong.bmp").empty());
    dlg.DestroyWindow();
}

namespace
{

// An application folder with a texture catalogue whose first entry has no image.
class NewSlideDialogTest : public ::testing::Test
{
protected:
    void SetUp() override
    {
        saved = theApp.m_strAppFolder;
        theApp.m_strAppFolder = app.Path().c_str();
        CreateDirectoryA((app / "Texture").c_str(), nullptr);
        ASSERT_TRUE(WriteFileBytes(app / "Texture\\b.bmp", MakeSolidBmp(638, 466, RGB(255, 0, 0))));
        ASSERT_TRUE(WriteFileBytes(app / "Texture\\c.bmp", MakeSolidBmp(638, 466, RGB(0, 0, 255))));
        const std::string catalogue =
            "[TEXTURE]\r\nCOUNT=3\r\n[TEXTURE-1]\r\nNAME_ENU=Missing\r\nIMAGE=gone.bmp\r\n"
            "[TEXTURE-2]\r\nNAME_ENU=Red\r\nNAME_GER=Rot\r\nIMAGE=b.bmp\r\n"
            "[TEXTURE-3]\r\nNAME_ENU=Blue\r\nNAME_GER=Blau\r\nIMAGE=c.bmp\r\n";
        ASSERT_TRUE(WriteFileBytes(app / "Texture\\VexulTexture.ini", Bytes(catalogue.begin(), catalogue.end())));
        dlg.m_nWidth = 638;
        dlg.m_nHeight = 466;
        dlg.m_strProjectFolder = project.Path().c_str();
    }
    void TearDown() override { theApp.m_strAppFolder = saved; }

    CTempFolder app{"vxnewslideapp"};
    CTempFolder project{"vxnewslide"};
    CString saved;
    CNewSlideDlg dlg;
    CMessageBoxRecorder boxes;
};

}   // namespace

TEST_F(NewSlideDialogTest, TexturesKeepTheirCatalogueEntryWhenOneIsLeftOut)
{
    std::vector<std::string> names;
    std::string firstPreview, chosenPreview, previewSize, nominal;
    CRect preview;
    CDialogDriver driver({[&](HWND h)
                          {
                              names = ComboTexts(h, IDC_TEXTURE_LIST);
                              firstPreview = dlg.m_Preview.m_strPath.str();
                              SelectItem(h, IDC_TEXTURE_LIST, "Blue");
                              chosenPreview = dlg.m_Preview.m_strPath.str();
                              previewSize = ItemText(h, IDC_PREVIEW_SIZE);
                              nominal = ItemText(h, IDC_NEW_SLIDE_SIZE);
                              GetWindowRect(GetDlgItem(h, IDC_NEW_SLIDE_PREVIEW), &preview);
                              CDialogDriver::Click(h, IDOK);
                          }});
    ASSERT_EQ(IDOK, dlg.DoModal());
    EXPECT_EQ((std::vector<std::string>{"Red", "Blue"}), names);
    EXPECT_EQ(app / "Texture\\b.bmp", firstPreview);
    EXPECT_EQ(app / "Texture\\c.bmp", chosenPreview);
    EXPECT_EQ("638 x 466 Pixel", previewSize);
    EXPECT_EQ("Size: 638 x 466 Pixel", nominal);
    // The preview takes the slides' proportions from its height.
    EXPECT_EQ((preview.Height() - 4) * 1369 / 1000 + 4, preview.Width());

    // The chosen texture was copied into the project and is the new slide's image.
    EXPECT_EQ(project / "c.bmp", dlg.m_strFile.str());
    EXPECT_EQ(ReadFileBytes(app / "Texture\\c.bmp"), ReadFileBytes(project / "c.bmp"));
    EXPECT_EQ(CNewSlideDlg::USER_BACKGROUND, dlg.m_nBackground);
}

TEST_F(NewSlideDialogTest, ThePreviewShrinksATextureSmoothly)
{
    ASSERT_TRUE(WriteFileBytes(app / "Texture\\b.bmp", MakeBmp(638, 466, RedGreenRamp)));
    EXPECT_EQ(0, PreviewPixelsOff(dlg, IDC_NEW_SLIDE_PREVIEW, 0, RedGreenRamp));
}

TEST_F(NewSlideDialogTest, TheUsersOwnImageMustExistBeAPictureOfTheSlideSizeAndOnlyATakenOneEntersTheProject)
{
    CTempFolder elsewhere("vxnewslidesrc");
    ASSERT_TRUE(WriteFileBytes(elsewhere / "notes.txt", Bytes(10, 'x')));
    ASSERT_TRUE(WriteFileBytes(elsewhere / "broken.jpg", Bytes(80, 0x33)));
    ASSERT_TRUE(WriteFileBytes(elsewhere / "small.bmp", MakeSolidBmp(320, 240, RGB(1, 2, 3))));
    ASSERT_TRUE(WriteFileBytes(elsewhere / "mine.bmp", MakeSolidBmp(638, 466, RGB(4, 5, 6))));
    const std::string gone = project / "gone";   // a project folder nothing can be copied into
    bool userControls = false, editAfterCopy = false;
    std::string sizeTarget, sizeText, typedPreview;
    std::vector<std::string> texts;
    CDialogDriver driver({[&](HWND h)
                          {
                              PressButton(h, IDC_USER_BACKGROUND);
                              userControls = !IsItemEnabled(h, IDC_TEXTURE_LIST) &&
                                             IsItemEnabled(h, IDC_NEW_SLIDE_FILE) &&
                                             IsItemEnabled(h, IDC_BROWSE) && !IsItemEnabled(h, IDC_EDIT_IMAGE);
                              SetItemText(h, IDC_NEW_SLIDE_FILE, elsewhere / "missing.bmp");
                              CDialogDriver::Click(h, IDOK);
                              driver.Post(
                                  [&, h]
                                  {
                                      texts.push_back(boxes.LastText() + "|" + ItemText(h, IDC_NEW_SLIDE_FILE));
                                      SetItemText(h, IDC_NEW_SLIDE_FILE, elsewhere / "notes.txt");
                                      CDialogDriver::Click(h, IDOK);
                                  });
                              driver.Post(
                                  [&, h]
                                  {
                                      texts.push_back(boxes.LastText());
                                      SetItemText(h, IDC_NEW_SLIDE_FILE, elsewhere / "broken.jpg");
                                      CDialogDriver::Click(h, IDOK);
                                  });
                              driver.Post(
                                  [&, h]
                                  {
                                      texts.push_back(boxes.LastText());
                                      SetItemText(h, IDC_NEW_SLIDE_FILE, elsewhere / "small.bmp");
                                      CDialogDriver::Click(h, IDOK);   // the image-size dialog follows
                                  });
                          },
                          [&](HWND sizeDlg)
                          {
                              sizeTarget = ItemText(sizeDlg, IDC_SIZE_TARGET);
                              sizeText = ItemText(sizeDlg, IDC_SIZE_MISMATCH);
                              CDialogDriver::Click(sizeDlg, IDOK);
                          },
                          [&](HWND h)
                          {
                              dlg.m_strProjectFolder = gone.c_str();
                              // A typed path shows its picture as Browse does.
                              SetItemText(h, IDC_NEW_SLIDE_FILE, elsewhere / "mine.bmp");
                              typedPreview = dlg.m_Preview.m_strPath.str() + "|" + ItemText(h, IDC_PREVIEW_SIZE);
                              CDialogDriver::Click(h, IDOK);
                              driver.Post(
                                  [&, h]
                                  {
                                      texts.push_back(boxes.LastText());
                                      dlg.m_strProjectFolder = project.Path().c_str();
                                      PressButton(h, IDC_COPY_INTO_PROJECT);
                                      editAfterCopy = IsItemEnabled(h, IDC_EDIT_IMAGE);
                                      CDialogDriver::Click(h, IDOK);
                                  });
                          }});
    ASSERT_EQ(IDOK, dlg.DoModal());
    EXPECT_TRUE(userControls);
    ASSERT_EQ(4u, texts.size());
    EXPECT_EQ("Cannot open file !|", texts[0]);   // the refused name is emptied
    EXPECT_EQ("Non-admissible image format !", texts[1]);
    EXPECT_EQ("The file \"" + elsewhere / "broken.jpg" + "\" cannot be read as a picture.", texts[2]);
    EXPECT_EQ("Target: 638 x 466 pixels\n", sizeTarget);
    EXPECT_EQ("The image file \"small.bmp\" does not correspond to the nominal dimensions", sizeText);
    EXPECT_EQ("The file \"" + elsewhere / "mine.bmp" + "\" cannot be copied into the project folder \"" + gone +
                  "\".",
              texts[3]);
    EXPECT_EQ(4u, boxes.Count());
    // Only the image that was taken came into the project.
    EXPECT_EQ(INVALID_FILE_ATTRIBUTES, GetFileAttributesA((project / "broken.jpg").c_str()));
    EXPECT_EQ(INVALID_FILE_ATTRIBUTES, GetFileAttributesA((project / "small.bmp").c_str()));
    EXPECT_TRUE(editAfterCopy);
    EXPECT_EQ(elsewhere / "mine.bmp" + "|638 x 466 Pixel", typedPreview);
    EXPECT_EQ(project / "mine.bmp", dlg.m_strFile.str());
    EXPECT_EQ(ReadFileBytes(elsewhere / "mine.bmp"), ReadFileBytes(project / "mine.bmp"));
}

TEST(SlideDialogs, APreviewOneHundredPixelsHighIsOneHundredThirtyFiveWide)
{
    CImageSizeNoticeDlg host;
    ASSERT_TRUE(host.Create(IDD_IMAGE_SIZE_NOTICE));
    CStatic preview;
    ASSERT_TRUE(preview.Create("", WS_CHILD, CRect(10, 10, 210, 110), &host, 4000));
    FitPreviewToSlideShape(preview);
    CRect rc;
    preview.GetWindowRect(&rc);
    host.ScreenToClient(&rc);
    EXPECT_EQ(CRect(75, 10, 210, 110), rc);
    host.DestroyWindow();
}

TEST(SlideDialogs, ImageSizeNoticeNamesTheSlideSizeAndRemembersTheUsersChoice)
{
    theApp.SetRegistryKey("VexulTests");
    CImageSizeNoticeDlg notice;
    notice.m_nWindowWidth = 640;
    notice.m_nWindowHeight = 480;
    std::string text;
    CDialogDriver driver({[&](HWND h)
                          {
                              text = ItemText(h, IDC_NOTICE_TEXT);
                              PressButton(h, IDC_NOTICE_HIDE);
                              CDialogDriver::Click(h, IDOK);
                          }});
    ASSERT_EQ(IDOK, notice.DoModal());
    EXPECT_EQ("Selected size for the Player window: 640 x 480 pixels.\n\nThe size of the image files used for the "
              "slides should be exactly 638 x 466.\n\nDeviations from this size can detrimentally affect "
              "reproduction quality!",
              text);
    EXPECT_EQ(1u, theApp.GetProfileInt("SETTINGS", "DI_SHOWIMAGEINFO", 0));

    CImageSizeNoticeDlg german;
    german.m_nWindowWidth = 800;
    german.m_nWindowHeight = 600;
    {
        CGermanTexts germanUser;
        ASSERT_TRUE(german.Create(IDD_IMAGE_SIZE_NOTICE));
    }
    EXPECT_NE(std::string::npos,
              ItemText(german.GetSafeHwnd(), IDC_NOTICE_TEXT).find("exakt die Größe 798 x 586"));
    german.DestroyWindow();
    RegDeleteTreeA(HKEY_CURRENT_USER, "Software\\VexulTests\\VexulCreator V2");
}

namespace
{

HINSTANCE NoProgram(HWND, LPCSTR, LPCSTR, LPCSTR, LPCSTR, INT)
{
    return reinterpret_cast<HINSTANCE>(static_cast<INT_PTR>(SE_ERR_NOASSOC));
}

}   // namespace

TEST(SlideDialogs, EditImageOpensTheFileAndSaysWhenNoProgramCan)
{
    CTempFolder folder("vxeditimage");
    const std::string picture = folder / "picture.bmp";
    ASSERT_TRUE(WriteFileBytes(picture, MakeSolidBmp(4, 4, RGB(1, 2, 3))));
    CMessageBoxRecorder boxes;
    CShellRecorder shell;
    CImageSizeDlg dlg;
    dlg.m_strPath = (folder / "missing.bmp").c_str();
    ASSERT_TRUE(dlg.Create(IDD_IMAGE_SIZE));
    PressButton(dlg.GetSafeHwnd(), IDC_EDIT_IMAGE);   // nothing for a file that is not there
    EXPECT_TRUE(shell.Calls().empty());

    dlg.m_strPath = picture.c_str();
    PressButton(dlg.GetSafeHwnd(), IDC_EDIT_IMAGE);
    ASSERT_EQ(1u, shell.Calls().size());
    EXPECT_EQ("open", shell.Calls()[0].operation);
    EXPECT_EQ(picture, shell.Calls()[0].file);
    EXPECT_EQ(0u, boxes.Count());

    AfxShellExecuteHandler previous = AfxSetShellExecuteHandler(&NoProgram);
    PressButton(dlg.GetSafeHwnd(), IDC_EDIT_IMAGE);
    AfxSetShellExecuteHandler(previous);
    ASSERT_EQ(1u, boxes.Count());
    EXPECT_EQ("Cannot start graphics program", boxes.LastText());
    dlg.DestroyWindow();
}
