// The system's file, colour and font dialogs: what the user chooses in them comes back to the caller.
#include "framework/win/Framework.h"
#include "tests/support/win_DialogDriver.h"
#include "tests/support/win_TestFiles.h"

#include <gtest/gtest.h>

#include <commctrl.h>
#include <dlgs.h>

#include <functional>
#include <string>

namespace
{

TEST(FileDialog, SaveInTheInitialFolderWithFilterDefaultExtensionAndOverwritePrompt)
{
    CTempFolder folder("vxd");
    ASSERT_TRUE(WriteFileBytes(folder / "report.txt", {}));
    CFileDialog dlg(FALSE, "txt", nullptr, OFN_HIDEREADONLY | OFN_OVERWRITEPROMPT,
                    "Text Files (*.txt)|*.txt|All Files (*.*)|*.*||");
    dlg.m_ofn.lpstrInitialDir = folder.Path().c_str();
    dlg.m_ofn.lStructSize += 12;   // a caller's wrong size does not reach the system

    std::vector<std::string> filters;
    std::string prompt;
    CDialogDriver driver({
        [&](HWND hDlg)
        {
            filters = CDialogDriver::ComboTexts(::GetDlgItem(hDlg, cmb1));
            ::SetWindowTextA(CDialogDriver::FileNameBox(hDlg), "report");   // the default extension completes it
            CDialogDriver::Click(hDlg, IDOK);
        },
        [&](HWND hBox)
        {
            prompt = CDialogDriver::AllTexts(hBox);
            CDialogDriver::Click(hBox, IDNO);   // not over the existing file: the dialog stays
        },
        [&](HWND hDlg)
        {
            ::SetWindowTextA(CDialogDriver::FileNameBox(hDlg), "report");
            CDialogDriver::Click(hDlg, IDOK);
        },
        [&](HWND hBox) { CDialogDriver::Click(hBox, IDYES); },
    });
    ASSERT_EQ(IDOK, dlg.DoModal());
    EXPECT_EQ(4u, driver.StepsRun());
    EXPECT_EQ((std::vector<std::string>{"Text Files (*.txt)", "All Files (*.*)"}), filters);
    EXPECT_NE(std::string::npos, prompt.find("exists")) << prompt;
    EXPECT_EQ(0, dlg.GetPathName().CompareNoCase((folder / "report.txt").c_str()))
        << dlg.GetPathName().GetString();
    EXPECT_STREQ("report.txt", dlg.GetFileName());
    EXPECT_STREQ("txt", dlg.GetFileExt());
    EXPECT_STREQ("report", dlg.GetFileTitle());
}

TEST(FileDialog, OpenCancelledLeavesNothingChosen)
{
    CTempFolder folder("vxd");
    ASSERT_TRUE(WriteFileBytes(folder / "a.wav", {}));
    CString start = (folder / "*.*").c_str();
    CFileDialog dlg(TRUE, nullptr, start, OFN_FILEMUSTEXIST | OFN_HIDEREADONLY, "Sound|*.wav|");
    CDialogDriver driver({[](HWND hDlg) { CDialogDriver::Click(hDlg, IDCANCEL); }});
    EXPECT_EQ(IDCANCEL, dlg.DoModal());
    EXPECT_EQ(1u, driver.StepsRun());

    CFileDialog open(TRUE, nullptr, nullptr, OFN_FILEMUSTEXIST | OFN_HIDEREADONLY, "Sound|*.wav|");
    open.m_ofn.lpstrInitialDir = folder.Path().c_str();
    CDialogDriver chooser({[](HWND hDlg)
                           {
                               ::SetWindowTextA(CDialogDriver::FileNameBox(hDlg), "a.wav");
                               CDialogDriver::Click(hDlg, IDOK);
                           }});
    ASSERT_EQ(IDOK, open.DoModal());
    EXPECT_EQ(0, open.GetPathName().CompareNoCase((folder / "a.wav").c_str()));
    EXPECT_STREQ("wav", open.GetFileExt());
}

TEST(FileDialog, APathTooLongForTheSystemIsRefusedAndTheDialogStays)
{
    CTempFolder folder("vxd");
    std::string full = folder.Path();
    while (full.size() < 293)
        full += "\\abcdefghi";
    // Typed whole (297 characters), and a name one too long for the buffer below the folder; then a good one.
    std::vector<std::string> typed = {full.substr(0, 293) + ".vxl", std::string(259 - folder.Path().size(), 'n'),
                                      "show"};
    CMessageBoxRecorder boxes;
    CFileDialog dlg(FALSE, "vxl", nullptr, OFN_HIDEREADONLY | OFN_OVERWRITEPROMPT, "Packs|*.vxl||");
    dlg.m_ofn.lpstrInitialDir = folder.Path().c_str();
    std::vector<std::string> refused;
    LRESULT limit = 0;
    std::function<void(HWND, size_t)> type;
    CDialogDriver driver({[&](HWND hDlg)
                          {
                              // What the user can type fits the buffer that takes the name.
                              HWND name = CDialogDriver::FileNameBox(hDlg);
                              HWND edit = reinterpret_cast<HWND>(::SendMessageA(name, CBEM_GETEDITCONTROL, 0, 0));
                              limit = ::SendMessageA(edit != nullptr ? edit : name, EM_GETLIMITTEXT, 0, 0);
                              type(hDlg, 0);
                          }});
    type = [&](HWND hDlg, size_t i)
    {
        if (i > 0)
            refused.push_back(boxes.LastText());
        ::SetWindowTextA(CDialogDriver::FileNameBox(hDlg), typed[i].c_str());
        CDialogDriver::Click(hDlg, IDOK);
        if (i + 1 < typed.size())
            driver.Post([&, hDlg, i] { type(hDlg, i + 1); });
    };
    ASSERT_EQ(IDOK, dlg.DoModal());
    EXPECT_EQ(MAX_PATH - 1, limit);
    ASSERT_EQ(2u, refused.size());
    EXPECT_EQ(0u, refused[0].find("The path\n" + typed[0] + "\nis too long (297 characters)")) << refused[0];
    EXPECT_NE(std::string::npos, refused[1].find("is too long (260 characters)")) << refused[1];
    EXPECT_EQ(2u, boxes.Count());
    EXPECT_EQ(0, dlg.GetPathName().CompareNoCase((folder / "show.vxl").c_str())) << dlg.GetPathName().GetString();
}

TEST(ColorDialog, FullOpenStartsOnTheInitialColourAndReturnsTheChosenOne)
{
    CColorDialog dlg(RGB(10, 20, 30), CC_FULLOPEN | CC_ANYCOLOR);
    std::string red, green, blue;
    bool customVisible = false;
    CDialogDriver driver({[&](HWND hDlg)
                          {
                              HWND hRed = ::GetDlgItem(hDlg, 706);
                              // Fully open: the custom part with its numbers lies inside the dialog.
                              CRect dialog, edit;
                              ::GetWindowRect(hDlg, &dialog);
                              ::GetWindowRect(hRed, &edit);
                              customVisible =
                                  hRed != nullptr && dialog.PtInRect(CPoint(edit.right - 1, edit.bottom - 1));
                              red = CDialogDriver::Text(hRed);
                              green = CDialogDriver::Text(::GetDlgItem(hDlg, 707));
                              blue = CDialogDriver::Text(::GetDlgItem(hDlg, 708));
                              ::SetWindowTextA(::GetDlgItem(hDlg, 706), "200");
                              ::SetWindowTextA(::GetDlgItem(hDlg, 707), "100");
                              ::SetWindowTextA(::GetDlgItem(hDlg, 708), "50");
                              CDialogDriver::Click(hDlg, IDOK);
                          }});
    ASSERT_EQ(IDOK, dlg.DoModal());
    EXPECT_TRUE(customVisible);
    EXPECT_EQ("10", red);
    EXPECT_EQ("20", green);
    EXPECT_EQ("30", blue);
    EXPECT_EQ(RGB(200, 100, 50), dlg.GetColor());
}

TEST(FontDialog, StartsOnTheGivenFontAndReturnsFaceWeightEffectsAndColour)
{
    LOGFONTA lf = {};
    lf.lfHeight = -16;
    lf.lfWeight = FW_NORMAL;
    lstrcpyA(lf.lfFaceName, "Tahoma");
    CFontDialog dlg(&lf);
    dlg.m_cf.rgbColors = RGB(0, 0, 128);
    std::string startFace;
    CDialogDriver driver({[&](HWND hDlg)
                          {
                              startFace = CDialogDriver::Text(::GetDlgItem(hDlg, cmb1));
                              HWND hStyle = ::GetDlgItem(hDlg, cmb2);
                              // The bold style: the dialog keeps the weight as each item's data.
                              int count = static_cast<int>(::SendMessageA(hStyle, CB_GETCOUNT, 0, 0));
                              for (int i = 0; i < count; ++i)
                              {
                                  char text[64] = {};
                                  ::SendMessageA(hStyle, CB_GETLBTEXT, i, reinterpret_cast<LPARAM>(text));
                                  if (std::string(text) == "Bold")
                                  {
                                      ::SendMessageA(hStyle, CB_SETCURSEL, i, 0);
                                      ::SendMessageA(hDlg, WM_COMMAND, MAKEWPARAM(cmb2, CBN_SELCHANGE),
                                                     reinterpret_cast<LPARAM>(hStyle));
                                  }
                              }
                              ::SendMessageA(::GetDlgItem(hDlg, chx2), BM_CLICK, 0, 0);   // underline
                              HWND hColor = ::GetDlgItem(hDlg, cmb4);
                              int colors = static_cast<int>(::SendMessageA(hColor, CB_GETCOUNT, 0, 0));
                              for (int i = 0; i < colors; ++i)
                                  if (static_cast<COLORREF>(::SendMessageA(hColor, CB_GETITEMDATA, i, 0)) ==
                                      RGB(255, 0, 0))
                                  {
                                      ::SendMessageA(hColor, CB_SETCURSEL, i, 0);
                                      ::SendMessageA(hDlg, WM_COMMAND, MAKEWPARAM(cmb4, CBN_SELCHANGE),
                                                     reinterpret_cast<LPARAM>(hColor));
                                  }
                              CDialogDriver::Click(hDlg, IDOK);
                          }});
    ASSERT_EQ(IDOK, dlg.DoModal());
    EXPECT_EQ("Tahoma", startFace);
    EXPECT_STREQ("Tahoma", dlg.GetFaceName());
    EXPECT_EQ(FW_BOLD, dlg.GetWeight());
    EXPECT_TRUE(dlg.IsBold());
    EXPECT_TRUE(dlg.IsUnderline());
    EXPECT_FALSE(dlg.IsItalic());
    EXPECT_EQ(RGB(255, 0, 0), dlg.GetColor());
    LOGFONTA chosen = {};
    dlg.GetCurrentFont(&chosen);
    EXPECT_EQ(16, chosen.lfHeight < 0 ? -chosen.lfHeight : chosen.lfHeight);
}

}   // namespace
