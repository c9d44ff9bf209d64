// The dialogs around start-up, help and support, driven as a user drives them: welcome and start center,
// tip of the day, tutorial, about, and the support mail with its fallback.
#include "EditorTestSupport.h"
#include "editor/ProjectFiles.h"
#include "editor/StartupDialogs.h"
#include "editor/VexulCreatorApp.h"
#include "resources/editor/resource.h"
#include "show/ProjectPack.h"
#include "show/ShowData.h"
#include "show/ShowText.h"
#include "tests/support/win_DialogDriver.h"
#include "tests/support/win_ShellRecorder.h"

#include <gtest/gtest.h>

#include <set>
#include <vector>

using namespace editortest;

namespace
{

// A main window that only remembers the commands it receives.
std::vector<UINT>& ReceivedCommands()
{
    static std::vector<UINT> commands;
    return commands;
}

LRESULT CALLBACK MainProc(HWND hWnd, UINT message, WPARAM wParam, LPARAM lParam)
{
    if (message == WM_COMMAND)
        ReceivedCommands().push_back(LOWORD(wParam));
    return DefWindowProcA(hWnd, message, wParam, lParam);
}

void DispatchPending()
{
    MSG msg;
    while (PeekMessageA(&msg, nullptr, 0, 0, PM_REMOVE))
        DispatchMessageA(&msg);
}

// The user's profile in a key of its own, an application folder, and a main window.
class StartupDialogsTest : public ::testing::Test
{
protected:
    StartupDialogsTest() : app("EditorStartupTest")
    {
        app.SetRegistryKey("VexulTests");
        savedFolder = theApp.m_strAppFolder;
        theApp.m_strAppFolder = folder.Path().c_str();
        WNDCLASSA wc = {};
        wc.lpfnWndProc = MainProc;
        wc.hInstance = GetModuleHandleA(nullptr);
        wc.lpszClassName = "VexulStartupTestMain";
        RegisterClassA(&wc);
        main.Borrow(CreateWindowExA(0, wc.lpszClassName, "Main", WS_OVERLAPPEDWINDOW, 0, 0, 300, 200, nullptr,
                                    nullptr, wc.hInstance, nullptr));
        app.m_pMainWnd = &main;
        ReceivedCommands().clear();
    }
    ~StartupDialogsTest() override
    {
        app.m_pMainWnd = nullptr;
        DestroyWindow(main.m_hWnd);
        theApp.m_strAppFolder = savedFolder;
        RegDeleteTreeA(HKEY_CURRENT_USER, "Software\\VexulTests\\EditorStartupTest");
    }
    void WriteTips(const std::string& text)
    {
        ASSERT_TRUE(WriteFileBytes(folder / "tips.txt", Bytes(text.begin(), text.end())));
    }
    // Gives the tips file another modification time, as an edit a day later would.
    void TouchTips(int days)
    {
        HANDLE file = CreateFileA((folder / "tips.txt").c_str(), FILE_WRITE_ATTRIBUTES, 0, nullptr, OPEN_EXISTING,
                                  0, nullptr);
        ASSERT_NE(INVALID_HANDLE_VALUE, file);
        FILETIME time;
        GetFileTime(file, nullptr, nullptr, &time);
        ULARGE_INTEGER t = {{time.dwLowDateTime, time.dwHighDateTime}};
        t.QuadPart += static_cast<ULONGLONG>(days) * 24 * 3600 * 10000000ULL;
        time.dwLowDateTime = t.LowPart;
        time.dwHighDateTime = t.HighPart;
        SetFileTime(file, nullptr, nullptr, &time);
        CloseHandle(file);
    }

    CWinApp app;
    CTempFolder folder{"vxstartup"};
    CString savedFolder;
    CBorrowedWnd main;
    CMessageBoxRecorder boxes;
    CShellRecorder shell;
};

std::string Tip(CTipDlg& tips)
{
    CString text;
    tips.GetNextTipString(text);
    return text.str();
}

}   // namespace

TEST_F(StartupDialogsTest, TheWelcomeDialogLeadsToTheTutorialOrTheStartCenterAndRemembersItsCheck)
{
    // "Yes" asks the main window for the tutorial; no start center follows.
    std::vector<std::string> captions;
    {
        CDialogDriver driver({[&](HWND h)
                              {
                                  captions.push_back(CDialogDriver::Text(h));
                                  CDialogDriver::Click(h, IDOK);
                              }});
        RunStartupFlow();
        DispatchPending();
    }
    EXPECT_EQ((std::vector<std::string>{"Herzlich willkommen"}), captions);
    EXPECT_EQ((std::vector<UINT>{ID_TUTOR_EXAMPLE_1}), ReceivedCommands());
    EXPECT_EQ(0u, app.GetProfileInt("SETTINGS", "TUTOR-MSG-DI", 7));

    // "Close Window" with the check box on stores it, and the start center follows; its new-project button
    // closes it and asks the main window for a new project, its documentation button opens the help.
    ReceivedCommands().clear();
    captions.clear();
    {
        CDialogDriver driver({[&](HWND h)
                              {
                                  captions.push_back(CDialogDriver::Text(h));
                                  PressButton(h, IDC_WELCOME_DONT_SHOW);
                                  CDialogDriver::Click(h, IDCANCEL);
                              },
                              [&](HWND h)
                              {
                                  captions.push_back(CDialogDriver::Text(h));
                                  captions.push_back(ItemText(h, IDC_START_OPEN_TEXT));
                                  CDialogDriver::Click(h, IDC_START_HELP);
                                  CDialogDriver::Click(h, IDC_START_NEW);
                              }});
        RunStartupFlow();
        DispatchPending();
    }
    EXPECT_EQ(
        (std::vector<std::string>{"Herzlich willkommen", "VexulCreator Start Center", "Open an existing project"}),
        captions);
    EXPECT_EQ((std::vector<UINT>{ID_PROJECT_NEW}), ReceivedCommands());
    ASSERT_EQ(1u, shell.Calls().size());
    EXPECT_NE(std::string::npos, shell.Calls()[0].file.find("vexul.chm::/public/index.htm"));
    EXPECT_EQ(1u, app.GetProfileInt("SETTINGS", "TUTOR-MSG-DI", 0));

    // Switched off: the start center comes at once; Open asks the main window to open a project.
    ReceivedCommands().clear();
    captions.clear();
    {
        CDialogDriver driver({[&](HWND h)
                              {
                                  captions.push_back(CDialogDriver::Text(h));
                                  CDialogDriver::Click(h, IDC_START_OPEN);
                              }});
        EXPECT_EQ(1, CWelcomeDlg().m_nDontShow);
        RunStartupFlow();
        DispatchPending();
    }
    EXPECT_EQ((std::vector<std::string>{"VexulCreator Start Center"}), captions);
    EXPECT_EQ((std::vector<UINT>{ID_FILE_OPEN}), ReceivedCommands());
}

TEST_F(StartupDialogsTest, TipsFollowEachOtherWrapAtTheEndAndStartOverWhenTheFileChanges)
{
    std::string longTip = "Long " + std::string(1500, 'x') + " end";
    WriteTips("; tips about VexulCreator\r\n"
              "First tip.\r\n"
              "\r\n"
              "  an indented line is no tip\r\n"
              "\tnor is one after a tab\r\n" +
              longTip + "\r\n" + "Two lines:<BR>the second.\n");
    {
        CTipDlg tips;
        EXPECT_EQ("First tip.", tips.m_strTip.str());
        EXPECT_EQ(longTip, Tip(tips));   // one tip, however long
        EXPECT_EQ("Two lines:\r\nthe second.", Tip(tips));
        EXPECT_EQ("First tip.", Tip(tips));   // after the last one, the first
    }                                         // the position is kept
    {
        CTipDlg tips;
        EXPECT_EQ(longTip, tips.m_strTip.str());
    }

    // A changed file starts over, even where the old position lies beyond its end.
    WriteTips("Only tip.\r\n");
    TouchTips(1);
    {
        CTipDlg tips;
        EXPECT_EQ("Only tip.", tips.m_strTip.str());
        EXPECT_EQ("Only tip.", Tip(tips));
    }
    EXPECT_TRUE(boxes.Records().empty());

    // A file without a single tip says so instead of searching forever.
    WriteTips("; nothing but a comment\r\n\r\n");
    TouchTips(2);
    CString none;
    none.LoadString(IDS_TIP_NO_FILE);
    {
        CTipDlg tips;
        EXPECT_STREQ(none, tips.m_strTip);
        EXPECT_STREQ(none, Tip(tips).c_str());
    }
}

TEST_F(StartupDialogsTest, TheTipDialogShowsTheTipAndKeepsTheStartUpChoice)
{
    WriteTips("First tip.\r\nSecond tip.\r\n");
    EXPECT_TRUE(CTipDlg::IsShownAtStartup());
    std::string first, second;
    bool nextOn = false, startupOn = false;
    {
        CDialogDriver driver({[&](HWND h)
                              {
                                  first = ItemText(h, IDC_TIP_TEXT);
                                  nextOn = IsItemEnabled(h, IDC_TIP_NEXT);
                                  startupOn = IsDlgButtonChecked(h, IDC_TIP_STARTUP) == BST_CHECKED;
                                  PressButton(h, IDC_TIP_NEXT);
                                  second = ItemText(h, IDC_TIP_TEXT);
                                  PressButton(h, IDC_TIP_STARTUP);
                                  CDialogDriver::Click(h, IDOK);
                              }});
        ShowTipOfTheDay(TRUE);
        EXPECT_EQ(1u, driver.StepsRun());
    }
    EXPECT_EQ("First tip.", first);
    EXPECT_EQ("Second tip.", second);
    EXPECT_TRUE(nextOn);
    EXPECT_TRUE(startupOn);
    EXPECT_EQ(1u, app.GetProfileInt("Tip", "StartUp", 0));
    EXPECT_FALSE(CTipDlg::IsShownAtStartup());

    // Not at start-up any more, but on request; without the file there is nothing to go on to.
    DeleteFileA((folder / "tips.txt").c_str());
    std::string missing;
    bool nextOff = false;
    {
        CDialogDriver driver({[&](HWND h)
                              {
                                  missing = ItemText(h, IDC_TIP_TEXT);
                                  nextOff = !IsItemEnabled(h, IDC_TIP_NEXT);
                                  CDialogDriver::Click(h, IDCANCEL);
                              }});
        ShowTipOfTheDay(TRUE);
        EXPECT_EQ(0u, driver.StepsRun());
        ShowTipOfTheDay(FALSE);
        EXPECT_EQ(1u, driver.StepsRun());
    }
    CString none;
    none.LoadString(IDS_TIP_NO_FILE);
    EXPECT_EQ(none.str(), missing);
    EXPECT_TRUE(nextOff);
    EXPECT_EQ(1u, app.GetProfileInt("Tip", "StartUp", 0));   // closing kept the choice
}

TEST_F(StartupDialogsTest, TheTutorialShowsExampleOneForNumberZeroAndCopiesTheExamplesFiles)
{
    std::string example = folder / "Tutor\\Example1";
    ASSERT_TRUE(CreateDirectoryA((folder / "Tutor").c_str(), nullptr));
    ASSERT_TRUE(CreateDirectoryA(example.c_str(), nullptr));
    const std::string list = "[COPY]\r\nFILECNT=5\r\nFILE1=back.bmp\r\nFILE2=x\r\nFILE3=..\\outside.txt\r\n"
                             "FILE4=missing.bmp\r\nFILE5=logo.bmp\r\n";
    ASSERT_TRUE(WriteFileBytes(example + "\\Tutor.ini", Bytes(list.begin(), list.end())));
    ASSERT_TRUE(WriteFileBytes(example + "\\back.bmp", Bytes(50, 1)));
    ASSERT_TRUE(WriteFileBytes(example + "\\logo.bmp", Bytes(60, 2)));
    ASSERT_TRUE(WriteFileBytes(example + "\\x", Bytes(5, 3)));
    ASSERT_TRUE(WriteFileBytes(folder / "Tutor\\outside.txt", Bytes(5, 4)));

    CTutorDlg tutor;
    tutor.m_nExample = 0;
    std::string name;
    CDialogDriver driver({[&](HWND h)
                          {
                              name = ItemText(h, IDC_TUTOR_EXAMPLE);
                              CDialogDriver::Click(h, IDC_TUTOR_VIEW);
                              CDialogDriver::Click(h, IDC_TUTOR_CREATE);
                          }});
    ASSERT_EQ(IDOK, tutor.DoModal());
    EXPECT_EQ("Example-1", name);
    EXPECT_EQ(1, tutor.m_nExample);
    EXPECT_EQ(example, tutor.m_strExampleFolder.str());
    ASSERT_EQ(1u, shell.Calls().size());
    const CShellRecorder::Call& play = shell.Calls()[0];
    EXPECT_EQ(main.m_hWnd, play.hWnd);
    EXPECT_EQ("open", play.operation);
    EXPECT_EQ("\"" + (folder / "Vexul.exe") + "\"", play.file);
    EXPECT_EQ("\"" + example + "\\Vexul.vxl\"", play.parameters);
    EXPECT_EQ(example, play.directory);
    EXPECT_EQ(SW_SHOWNORMAL, play.show);

    // The files of the list come into the project; a file there already is replaced only when the user
    // says so, and names that would leave the folders are not followed.
    CTempFolder project("vxtutorproject");
    ASSERT_TRUE(WriteFileBytes(project / "logo.bmp", Bytes(3, 9)));
    boxes.SetAnswer(IDNO);
    EXPECT_EQ(1, CopyExampleFiles(tutor.m_strExampleFolder, project.Path().c_str()));
    EXPECT_EQ(Bytes(50, 1), ReadFileBytes(project / "back.bmp"));
    EXPECT_EQ(Bytes(3, 9), ReadFileBytes(project / "logo.bmp"));
    EXPECT_EQ(1u, boxes.Count());
    EXPECT_TRUE(ReadFileBytes(project / "x").empty());
    EXPECT_TRUE(ReadFileBytes(project / "..\\outside.txt").empty());
    EXPECT_EQ(0, CopyExampleFiles(folder.Path().c_str(), project.Path().c_str()));   // no list

    // An example that is not there cannot be viewed or made.
    CTutorDlg second;
    second.m_nExample = 2;
    bool off = false;
    CDialogDriver missing({[&](HWND h)
                           {
                               off = !IsItemEnabled(h, IDC_TUTOR_VIEW) && !IsItemEnabled(h, IDC_TUTOR_CREATE);
                               CDialogDriver::Click(h, IDCANCEL);
                           }});
    EXPECT_EQ(IDCANCEL, second.DoModal());
    EXPECT_TRUE(off);
}

namespace
{

// A shell that cannot start the mail program.
HINSTANCE NoMailProgram(HWND, LPCSTR, LPCSTR, LPCSTR, LPCSTR, INT)
{
    return reinterpret_cast<HINSTANCE>(static_cast<INT_PTR>(SE_ERR_NOASSOC));
}

std::string ClipboardText()
{
    std::string text;
    if (!OpenClipboard(nullptr))
        return text;
    if (HANDLE data = GetClipboardData(CF_TEXT))
    {
        text = static_cast<const char*>(GlobalLock(data));
        GlobalUnlock(data);
    }
    CloseClipboard();
    return text;
}

}   // namespace

TEST_F(StartupDialogsTest, TheSupportMailFallsBackToCopyingItsPartsWhenNoMailProgramStarts)
{
    CSupportDlg support;
    support.m_strVersion = "020000";
    support.m_strWindowsVersion = "Microsoft Windows 7 - 6.1";
    EXPECT_STREQ("mailto:support@vexul.example?subject=VexulCreator-Support_Vers-020000&body=Vers.:020000%0d%0a"
                 "Win.:Microsoft Windows 7 - 6.1%0d%0a",
                 support.MakeMailAddress());

    // A mail program that starts gets the mail; nothing else comes.
    {
        CDialogDriver started({[&](HWND h)
                               {
                                   CDialogDriver::Click(h, IDC_SUPPORT_MAIL);
                                   CDialogDriver::Click(h, IDCANCEL);
                               }});
        support.DoModal();
        EXPECT_EQ(1u, started.StepsRun());
    }
    ASSERT_EQ(1u, shell.Calls().size());
    EXPECT_EQ("open", shell.Calls()[0].operation);
    EXPECT_EQ(support.MakeMailAddress().str(), shell.Calls()[0].file);
    EXPECT_EQ(SW_SHOW, shell.Calls()[0].show);
    EXPECT_EQ(main.m_hWnd, shell.Calls()[0].hWnd);

    AfxShellExecuteHandler previous = AfxSetShellExecuteHandler(NoMailProgram);
    std::string to, subject, body, copied;
    CDialogDriver fallback({[&](HWND h) { CDialogDriver::Click(h, IDC_SUPPORT_MAIL); },
                            [&](HWND mail)
                            {
                                to = ItemText(mail, IDC_MAIL_TO);
                                subject = ItemText(mail, IDC_MAIL_SUBJECT);
                                body = ItemText(mail, IDC_MAIL_BODY);
                                PressButton(mail, IDC_MAIL_COPY_BODY);
                                copied = ClipboardText();
                                CDialogDriver::Click(mail, IDOK);
                            },
                            [&](HWND h) { CDialogDriver::Click(h, IDCANCEL); }});
    support.DoModal();
    AfxSetShellExecuteHandler(previous);
    EXPECT_EQ(3u, fallback.StepsRun());
    EXPECT_EQ("support@vexul.example", to);
    EXPECT_EQ("VexulCreator-Support_Vers-020000", subject);
    EXPECT_EQ("Vers.:020000\r\nWin.:Microsoft Windows 7 - 6.1\r\n", body);
    EXPECT_EQ(body, copied);
}

TEST(SupportText, ReplaceAllGoesOnAfterEachReplacementAndSearchesWithoutCase)
{
    CString text = "a-b-c";
    EXPECT_EQ(2, ReplaceAll(text, "-", "--"));   // holds the search text: still ends
    EXPECT_STREQ("a--b--c", text);
    text = "%20%20x%20";
    EXPECT_EQ(3, ReplaceAll(text, "%20", " "));
    EXPECT_STREQ("  x ", text);
    text = "Ärger, ÄRGER und ärger";
    EXPECT_EQ(3, ReplaceAll(text, "ärger", "Freude", TRUE));
    EXPECT_STREQ("Freude, Freude und Freude", text);
    EXPECT_EQ(0, ReplaceAll(text, "", "x"));
    EXPECT_STREQ("äöü abc", LowerCaseForSearch("ÄÖÜ AbC"));
}

TEST_F(StartupDialogsTest, TheAboutDialogNamesTheVersionsAndLinksToTheWebPages)
{
    CString savedVersion = theApp.m_strVersion;
    theApp.m_strVersion = "020000";
    std::string version, windows;
    bool linked = false;
    CDialogDriver driver({[&](HWND h)
                          {
                              version = ItemText(h, IDC_ABOUT_VERSION);
                              windows = ItemText(h, IDC_ABOUT_WINDOWS);
                              CStaticLink* home = dynamic_cast<CStaticLink*>(
                                  CWnd::FromHandlePermanent(GetDlgItem(h, IDC_ABOUT_LINK_HOME)));
                              linked = home != nullptr && home->m_link == CAboutDlg::GetHomePage();
                              CDialogDriver::Click(h, IDOK);
                          }});
    RunAboutDialog();
    theApp.m_strVersion = savedVersion;
    EXPECT_EQ("Fileversion: 020000", version);
    CString expected;
    theApp.GetWindowsVersionText(expected);
    EXPECT_EQ(expected.str(), windows);
    EXPECT_TRUE(linked);
    const CString englishHome = CAboutDlg::GetHomePage();
    CGermanTexts german;
    EXPECT_STRNE(englishHome, CAboutDlg::GetHomePage());
}

TEST_F(StartupDialogsTest, TheApplicationFolderHoldsTheTipsAndTheTutorialExample)
{
    std::string appFolder = AppFolder();
    ASSERT_FALSE(appFolder.empty());
    theApp.m_strAppFolder = appFolder.c_str();

    // Real tips, each shown whole, and back at the first after the last.
    std::set<std::string> tips;
    {
        CTipDlg tipDlg;
        CString none;
        none.LoadString(IDS_TIP_NO_FILE);
        std::string first = tipDlg.m_strTip.str();
        EXPECT_STRNE(none, first.c_str());
        std::string tip = first;
        for (int i = 0; i < 100 && tips.insert(tip).second; i++)
            tip = Tip(tipDlg);
        EXPECT_EQ(first, tip);
    }
    EXPECT_GE(tips.size(), 15u);
    for (const std::string& tip : tips)
    {
        EXPECT_TRUE(tip.find("<BR>") == std::string::npos && tip[0] != ';') << tip;
    }

    // Example 1: the finished show, the files it copies into a new project and its help.
    CString example, player, packPath, help;
    ASSERT_EQ(1, theApp.GetTutorExamplePaths(1, example, player, packPath, help));
    CFile file;
    ASSERT_TRUE(file.Open(packPath, CFile::modeRead | CFile::shareDenyNone));
    CProjectPack pack;
    {
        CArchive ar(&file, CArchive::load);
        EXPECT_TRUE(pack.Read(ar));
        ar.Close();
    }
    file.Close();
    int size = 0;
    BYTE* text = pack.GetEntryData(ShowText::ENTRY_NAME, size);
    ASSERT_NE(nullptr, text);
    CShowData show;
    show.SetDefaults();
    show.ReadShowText(ShowText::ENTRY_NAME, text, size);
    EXPECT_STREQ("020000", show.m_strShowVersion);
    ASSERT_EQ(2, show.CountShowSlides());
    int kinds[4] = {};
    for (int i = 0; i < CSlide::MaxObjects; i++)
    {
        CSlideObjSlot* slot = show.m_Slides[1].GetSlot(i);
        if (slot != nullptr && slot->m_bUsed && slot->m_nKind > 0 && slot->m_nKind < 4)
        {
            kinds[slot->m_nKind]++;
            EXPECT_TRUE(slot->m_nKind != CSlideObjSlot::KIND_TEXT || slot->m_Text.m_strText == "Hello");
        }
    }
    EXPECT_EQ(1, kinds[CSlideObjSlot::KIND_TEXT]);
    EXPECT_EQ(1, kinds[CSlideObjSlot::KIND_IMAGE]);
    EXPECT_EQ(1, kinds[CSlideObjSlot::KIND_RECTANGLE]);

    CTempFolder project("vxtutorcontent");
    EXPECT_EQ(3, CopyExampleFiles(example, project.Path().c_str()));
    for (int i = 0; i < 2; i++)
    {
        std::string background = show.m_Slides[i].m_Background.m_strImageFile.str();
        Bytes copied = ReadFileBytes(project / background);
        int entrySize = 0;
        BYTE* entry = pack.GetEntryData(background.c_str(), entrySize);
        ASSERT_NE(nullptr, entry) << background;
        // The pack pads its entries.
        ASSERT_GE(static_cast<size_t>(entrySize), copied.size()) << background;
        EXPECT_EQ(Bytes(entry, entry + copied.size()), copied) << background;
    }
    Bytes chm = ReadFileBytes(help.str());
    ASSERT_GE(chm.size(), 4u);
    EXPECT_EQ("ITSF", std::string(chm.begin(), chm.begin() + 4));
}
