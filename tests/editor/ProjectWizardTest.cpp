// The project wizard and the settings sheet, driven page by page as a user drives them.
#include "EditorTestSupport.h"
#include "editor/ProjectWizard.h"
#include "editor/VexulCreatorApp.h"
#include "resources/editor/resource.h"
#include "tests/support/win_DialogDriver.h"
#include "tests/support/win_ShellRecorder.h"

#include <gtest/gtest.h>

using namespace editortest;

namespace
{

HWND Page(HWND sheet)
{
    return reinterpret_cast<HWND>(SendMessageA(sheet, PSM_GETCURRENTPAGEHWND, 0, 0));
}

// The sheet's buttons are pressed as the user presses them: the press is handled from the message loop.
void Press(HWND sheet, int button)
{
    PostMessageA(sheet, PSM_PRESSBUTTON, static_cast<WPARAM>(button), 0);
}

HWND TabCtrl(HWND sheet)
{
    return reinterpret_cast<HWND>(SendMessageA(sheet, PSM_GETTABCONTROL, 0, 0));
}

std::string PageTitle(HWND sheet)
{
    return ItemText(Page(sheet), IDC_TITLE);
}

bool IsChecked(HWND page, int id)
{
    return IsDlgButtonChecked(page, id) == BST_CHECKED;
}

// Plays the user in the sheet: once it is up, the first step runs with its window, then the other steps one
// after the other, each once what the one before it posted has been handled.
class CSheetUser
{
public:
    CSheetUser(std::function<void(HWND)> first, std::vector<std::function<void()>> rest)
        : m_first(std::move(first)), m_rest(std::move(rest)), m_driver({[this](HWND h)
                                                                        {
                                                                            m_first(h);
                                                                            for (const auto& step : m_rest)
                                                                                m_driver.Post(step);
                                                                        }})
    {
    }

private:
    std::function<void(HWND)> m_first;
    std::vector<std::function<void()>> m_rest;
    CDialogDriver m_driver;
};

// The profile of a user who made a project before, in a key of its own, and a folder for the new project.
class ProjectWizardTest : public ::testing::Test
{
protected:
    ProjectWizardTest() : app("EditorWizardTest")
    {
        app.SetRegistryKey("VexulTests");
        app.WriteProfileString("PROJECT", "FOLDER", previous.Path().c_str());
        app.WriteProfileString("PROJECT", "MAIL", "me@example.org");
        app.WriteProfileString("PROJECT", "COMPANY", "Me & Co");
    }
    ~ProjectWizardTest() override { RegDeleteTreeA(HKEY_CURRENT_USER, "Software\\VexulTests\\EditorWizardTest"); }

    CWinApp app;
    CTempFolder previous{"vxwizprev"};
    CTempFolder project{"vxwizard"};
    CMessageBoxRecorder boxes;
    CShellRecorder shell;
};

}   // namespace

TEST_F(ProjectWizardTest, ANewProjectIsMadePageByPageAndEveryPageChecksWhatItTakes)
{
    std::string sound = project / "music.wav";
    ASSERT_TRUE(WriteFileBytes(sound, Bytes(100, 1)));
    CProjectSettings settings;
    settings.m_strVersion = "020000";
    settings.m_strTitle = "Old show";   // a new project starts from the defaults
    settings.m_nWindowWidth = 320;
    int copyStarter = 0;
    std::vector<std::string> titles, texts;
    std::string folderShown;
    bool finishOffOnFirstPage = false, windowFieldsOff = false, slideFieldsOn = false, convertedBack = false;
    std::string windowSize, titleShown;
    bool endOff = false, byUser = false, soundFieldsOff = false, starterOffered = true;
    CTempFolder appFolder("vxwizapp");
    const CString savedAppFolder = theApp.m_strAppFolder;
    theApp.m_strAppFolder = appFolder.Path().c_str();
    HWND sheet = nullptr;
    CSheetUser driver(
        [&](HWND h)
        {
            sheet = h;
            HWND page = Page(h);
            titles.push_back(PageTitle(h));
            folderShown = ItemText(page, IDC_WP_FOLDER);
            finishOffOnFirstPage = !IsItemEnabled(h, ID_WIZFINISH);
            SetItemText(page, IDC_WP_FOLDER, project / "missing");
            Press(h, PSBTN_NEXT);
        },
        {[&]
         {
             // A folder that does not exist keeps the page.
             texts.push_back(boxes.LastText());
             titles.push_back(PageTitle(sheet));
             Press(sheet, PSBTN_HELP);
             SetItemText(Page(sheet), IDC_WP_FOLDER, project.Path() + "\\");
             Press(sheet, PSBTN_NEXT);
         },
         [&]
         {
             HWND page = Page(sheet);
             titles.push_back(PageTitle(sheet));
             windowFieldsOff =
                 !IsItemEnabled(page, IDC_WP_WINDOW_WIDTH) && !IsItemEnabled(page, IDC_WP_WINDOW_HEIGHT);
             slideFieldsOn = IsItemEnabled(page, IDC_WP_SLIDE_WIDTH) && IsItemEnabled(page, IDC_WP_SLIDE_HEIGHT);
             PressButton(page, IDC_WP_SIZE_WINDOW);
             windowSize = ItemText(page, IDC_WP_WINDOW_WIDTH) + "x" + ItemText(page, IDC_WP_WINDOW_HEIGHT);
             titleShown = ItemText(page, IDC_WP_TITLE);
             SetItemText(page, IDC_WP_WINDOW_WIDTH, "502");
             PressButton(page, IDC_WP_SIZE_SLIDE);
             convertedBack = ItemText(page, IDC_WP_SLIDE_WIDTH) == "500" &&
                             ItemText(page, IDC_WP_SLIDE_HEIGHT) == "466" &&
                             !IsItemEnabled(page, IDC_WP_WINDOW_WIDTH);
             SetItemText(page, IDC_WP_SLIDE_WIDTH, "700");
             Press(sheet, PSBTN_NEXT);
         },
         [&]
         {
             texts.push_back(boxes.LastText());
             titles.push_back(PageTitle(sheet));
             HWND page = Page(sheet);
             SetItemText(page, IDC_WP_SLIDE_WIDTH, "600");
             SetItemText(page, IDC_WP_SLIDE_HEIGHT, "400");
             SetItemText(page, IDC_WP_TITLE, "Holiday");
             Press(sheet, PSBTN_NEXT);
         },
         [&]
         {
             HWND page = Page(sheet);
             titles.push_back(PageTitle(sheet));
             PressButton(page, IDC_WP_EXIT_SOUND);
             PressButton(page, IDC_WP_LOOP_ENDLESS);
             endOff = !IsItemEnabled(page, IDC_WP_EXIT_LAST_SLIDE) && !IsItemEnabled(page, IDC_WP_EXIT_SOUND) &&
                      !IsItemEnabled(page, IDC_WP_EXIT_BY_USER);
             byUser = IsChecked(page, IDC_WP_EXIT_BY_USER) && !IsChecked(page, IDC_WP_EXIT_SOUND);
             Press(sheet, PSBTN_NEXT);
         },
         [&]
         {
             HWND page = Page(sheet);
             titles.push_back(PageTitle(sheet));
             soundFieldsOff = !IsItemEnabled(page, IDC_WP_SOUND_FILE) && !IsItemEnabled(page, IDC_WP_SOUND_REPEAT);
             PressButton(page, IDC_WP_SOUND_ON);
             Press(sheet, PSBTN_NEXT);
         },
         [&]
         {
             // Sound on without a file keeps the page.
             texts.push_back(boxes.LastText());
             titles.push_back(PageTitle(sheet));
             HWND page = Page(sheet);
             SetItemText(page, IDC_WP_SOUND_FILE, sound);
             PressButton(page, IDC_WP_SOUND_REPEAT);
             Press(sheet, PSBTN_NEXT);
         },
         [&]
         {
             titles.push_back(PageTitle(sheet));
             HWND page = Page(sheet);
             texts.push_back(ItemText(page, IDC_WP_MAIL) + "|" +
                             (IsItemEnabled(page, IDC_WP_MAIL) ? "on" : "off"));
             Press(sheet, PSBTN_NEXT);
         },
         [&]
         {
             titles.push_back(PageTitle(sheet));
             HWND page = Page(sheet);
             texts.push_back(ItemText(page, IDC_WP_COMPANY) + "|" + ItemText(page, IDC_WP_VERSION1) + "." +
                             ItemText(page, IDC_WP_VERSION2) + "|" + ItemText(page, IDC_WP_DESCRIPTION));
             PressButton(page, IDC_WP_ENABLE);
             SetItemText(page, IDC_WP_VERSION1, "0");
             Press(sheet, PSBTN_NEXT);
         },
         [&]
         {
             texts.push_back(boxes.LastText());
             SetItemText(Page(sheet), IDC_WP_VERSION1, "3");
             Press(sheet, PSBTN_NEXT);
         },
         [&]
         {
             titles.push_back(PageTitle(sheet));
             HWND page = Page(sheet);
             PressButton(page, IDC_WP_AUTOSTART_ON);
             SetItemText(page, IDC_WP_AUTOSTART_FILE, "run.com");
             Press(sheet, PSBTN_NEXT);
         },
         [&]
         {
             texts.push_back(boxes.LastText());
             titles.push_back(PageTitle(sheet));
             SetItemText(Page(sheet), IDC_WP_AUTOSTART_FILE, "Tool.exe");
             Press(sheet, PSBTN_NEXT);
         },
         [&]
         {
             // The start program is offered only when it comes with the editor.
             titles.push_back(PageTitle(sheet));
             starterOffered = IsItemEnabled(Page(sheet), IDC_WP_COPY_STARTER);
             ASSERT_TRUE(WriteFileBytes(appFolder / "VxlStart.exe", Bytes(16, 1)));
             Press(sheet, PSBTN_BACK);
         },
         [&] { Press(sheet, PSBTN_NEXT); },
         [&]
         {
             starterOffered = starterOffered || !IsItemEnabled(Page(sheet), IDC_WP_COPY_STARTER);
             PressButton(Page(sheet), IDC_WP_COPY_STARTER);
             Press(sheet, PSBTN_FINISH);
         }});
    ASSERT_TRUE(RunProjectWizard(PROJECT_WIZARD_NEW, settings, copyStarter));
    theApp.m_strAppFolder = savedAppFolder;
    EXPECT_FALSE(starterOffered);

    EXPECT_EQ(
        (std::vector<std::string>{"Project folder", "Project folder", "Player window", "Player window",
                                  "Show control", "Background sound", "Background sound", "Contact information",
                                  "File information", "Launch program", "Launch program", "Project completion"}),
        titles);
    ASSERT_EQ(7u, texts.size());
    EXPECT_EQ(5u, boxes.Count());   // Tool.exe is taken without one
    EXPECT_EQ("Please specify a project folder !", texts[0]);
    EXPECT_EQ("Please enter an integer between 38 and 638.", texts[1]);
    EXPECT_EQ("Please specify an existing sound file !", texts[2]);
    EXPECT_EQ("me@example.org|off", texts[3]);   // from the profile; off until the check is on
    EXPECT_EQ("Me & Co|1.0|", texts[4]);
    EXPECT_EQ("Please enter an integer between 1 and 9999.", texts[5]);
    EXPECT_EQ("Please specify an existing program file (.exe) !", texts[6]);

    EXPECT_EQ(previous.Path(), folderShown);
    EXPECT_TRUE(finishOffOnFirstPage);
    EXPECT_TRUE(windowFieldsOff);
    EXPECT_TRUE(slideFieldsOn);
    EXPECT_EQ("640x480", windowSize);
    EXPECT_EQ("Vexul", titleShown);
    EXPECT_TRUE(convertedBack);
    EXPECT_TRUE(endOff);
    EXPECT_TRUE(byUser);
    EXPECT_TRUE(soundFieldsOff);

    // Help of the folder page.
    ASSERT_EQ(1u, shell.Calls().size());
    EXPECT_EQ("help", shell.Calls()[0].kind);
    EXPECT_NE(std::string::npos, shell.Calls()[0].file.find("vexul.chm::/public/vc_project.htm"));

    // The settings took every page; the folder is remembered.
    EXPECT_STREQ(project.Path().c_str(), settings.GetFolder());
    EXPECT_STREQ(project.Path().c_str(), app.GetProfileString("PROJECT", "FOLDER"));
    EXPECT_EQ(602, settings.m_nWindowWidth);
    EXPECT_EQ(414, settings.m_nWindowHeight);
    EXPECT_STREQ("Holiday", settings.m_strTitle);
    EXPECT_EQ(0xA56E3Au, settings.m_crBackground);
    EXPECT_EQ(1, settings.m_nLoop);
    EXPECT_EQ(CProjectSettings::EXIT_BY_USER, settings.m_nAutoExit);
    EXPECT_EQ(1, settings.m_nSoundOn);
    EXPECT_EQ(1, settings.m_nRepeatSound);
    EXPECT_STREQ(sound.c_str(), settings.m_strSoundFile);
    EXPECT_EQ(1, settings.m_nFileInfoOn);
    EXPECT_EQ(3, settings.m_nFileVersion[0]);
    EXPECT_STREQ("Me & Co", settings.m_strCompany);
    EXPECT_STREQ("me@example.org", settings.m_strContactMail);
    EXPECT_EQ(1, settings.m_nAutostartOn);
    EXPECT_STREQ("Tool.exe", settings.m_strAutostartFile);
    EXPECT_STREQ("020000", settings.m_strVersion);
    EXPECT_EQ(1, copyStarter);
}

TEST_F(ProjectWizardTest, AnEndlessSoundEndsTheShowByTheUserAndFinishTakesTheDefaultsOfUnseenPages)
{
    std::string sound = project / "loop.mid";
    ASSERT_TRUE(WriteFileBytes(sound, Bytes(10, 2)));
    CProjectWizard wizard;
    wizard.m_Settings.m_nWindowWidth = 100;   // reset by the new project
    ASSERT_TRUE(WriteFileBytes(project / "Tutor.chm", Bytes(4, 0)));
    wizard.SetTutor(TRUE, project.Path().c_str(), (project / "Tutor.chm").c_str());
    HWND sheet = nullptr;
    CSheetUser driver(
        [&](HWND h)
        {
            sheet = h;
            SetItemText(Page(h), IDC_WP_FOLDER, project.Path());
            Press(h, PSBTN_NEXT);
        },
        {[&] { Press(sheet, PSBTN_BACK); }, [&] { Press(sheet, PSBTN_NEXT); }, [&] { Press(sheet, PSBTN_NEXT); },
         [&]
         {
             PressButton(Page(sheet), IDC_WP_EXIT_SOUND);
             Press(sheet, PSBTN_NEXT);
         },
         [&]
         {
             HWND page = Page(sheet);
             PressButton(page, IDC_WP_SOUND_ON);
             SetItemText(page, IDC_WP_SOUND_FILE, sound);
             PressButton(page, IDC_WP_SOUND_REPEAT);
             Press(sheet, PSBTN_FINISH);
         }});
    ASSERT_EQ(ID_WIZFINISH, wizard.DoModal());
    EXPECT_EQ(8, wizard.GetPageCount());
    EXPECT_EQ(CProjectSettings::EXIT_BY_USER, wizard.m_Settings.m_nAutoExit);
    EXPECT_EQ(0, wizard.m_Settings.m_nLoop);
    EXPECT_EQ(640, wizard.m_Settings.m_nWindowWidth);
    EXPECT_EQ(480, wizard.m_Settings.m_nWindowHeight);
    EXPECT_STREQ("Vexul", wizard.m_Settings.m_strTitle);
    EXPECT_EQ(0, wizard.m_Settings.m_nAutostartOn);
    EXPECT_EQ(1, wizard.m_Settings.m_nFileVersion[0]);
    EXPECT_STREQ("1.0.0.0", wizard.m_Settings.m_strProductVersion);
    EXPECT_EQ(0, wizard.m_nCopyStartProgram);
    // The tutorial's help opened with the first page, once.
    ASSERT_EQ(1u, shell.Calls().size());
    EXPECT_EQ("open", shell.Calls()[0].operation);
    EXPECT_EQ("\"" + (project / "Tutor.chm") + "\"", shell.Calls()[0].file);
    EXPECT_EQ(SW_SHOWNORMAL, shell.Calls()[0].show);
}

TEST_F(ProjectWizardTest, TheSettingsSheetHasSixTabsKeepsTheSizeAndChangesNothingOnCancel)
{
    CProjectSettings settings;
    settings.Reset();
    settings.SetFolder(project.Path().c_str());
    settings.m_nWindowWidth = 322;
    settings.m_nWindowHeight = 254;
    settings.m_strTitle = "Mine";
    settings.m_nSoundOn = 1;   // a sound file that went missing does not hold the sheet
    settings.m_strSoundFile = "gone.wav";
    settings.m_nFileVersion[0] = 0;   // nor do numbers a damaged project holds outside their range
    settings.m_nFileVersion[2] = 5000;
    int copyStarter = 7;

    int tabs = 0;
    std::string sizes;
    bool sizeOff = false;
    {
        CDialogDriver cancel(
            {[&](HWND h)
             {
                 tabs = static_cast<int>(SendMessageA(TabCtrl(h), TCM_GETITEMCOUNT, 0, 0));
                 HWND page = Page(h);
                 sizes = ItemText(page, IDC_WP_WINDOW_WIDTH) + "x" + ItemText(page, IDC_WP_WINDOW_HEIGHT) + " " +
                         ItemText(page, IDC_WP_SLIDE_WIDTH) + "x" + ItemText(page, IDC_WP_SLIDE_HEIGHT);
                 sizeOff = !IsItemEnabled(page, IDC_WP_WINDOW_WIDTH) &&
                           !IsItemEnabled(page, IDC_WP_WINDOW_HEIGHT) &&
                           !IsItemEnabled(page, IDC_WP_SLIDE_WIDTH) && !IsItemEnabled(page, IDC_WP_SLIDE_HEIGHT) &&
                           !IsItemEnabled(page, IDC_WP_SIZE_WINDOW);
                 SetItemText(page, IDC_WP_TITLE, "Changed");
                 Press(h, PSBTN_CANCEL);
             }});
        EXPECT_FALSE(RunProjectWizard(PROJECT_WIZARD_SETTINGS, settings, copyStarter));
    }
    EXPECT_EQ(6, tabs);
    EXPECT_EQ("322x254 320x240", sizes);
    EXPECT_TRUE(sizeOff);
    EXPECT_STREQ("Mine", settings.m_strTitle);
    EXPECT_EQ(7, copyStarter);

    // OK takes the pages that were changed; the size stays as it was.
    HWND sheet = nullptr;
    CSheetUser ok(
        [&](HWND h)
        {
            sheet = h;
            SetItemText(Page(h), IDC_WP_TITLE, "Changed");
            SendMessageA(h, PSM_SETCURSEL, 1, 0);
        },
        {[&]
         {
             PressButton(Page(sheet), IDC_WP_LOOP_ENDLESS);
             SendMessageA(sheet, PSM_SETCURSEL, 5, 0);
         },
         [&]
         {
             // An end program that is no program is refused as the wizard refuses it; the sheet stays.
             PressButton(Page(sheet), IDC_WP_AUTOSTART_ON);
             SetItemText(Page(sheet), IDC_WP_AUTOSTART_FILE, "run.com");
             Press(sheet, PSBTN_OK);
         },
         [&]
         {
             SetItemText(Page(sheet), IDC_WP_AUTOSTART_FILE, "run.exe");
             Press(sheet, PSBTN_OK);
         }});
    EXPECT_TRUE(RunProjectWizard(PROJECT_WIZARD_SETTINGS, settings, copyStarter));
    ASSERT_EQ(1u, boxes.Records().size());
    EXPECT_EQ("Please specify an existing program file (.exe) !", boxes.LastText());
    EXPECT_STREQ("run.exe", settings.m_strAutostartFile);
    EXPECT_STREQ("Changed", settings.m_strTitle);
    EXPECT_EQ(322, settings.m_nWindowWidth);
    EXPECT_EQ(254, settings.m_nWindowHeight);
    EXPECT_EQ(1, settings.m_nLoop);
    EXPECT_EQ(CProjectSettings::EXIT_BY_USER, settings.m_nAutoExit);
    EXPECT_STREQ("gone.wav", settings.m_strSoundFile);
    EXPECT_EQ(1, settings.m_nFileVersion[0]);
    EXPECT_EQ(999, settings.m_nFileVersion[2]);
    EXPECT_STREQ(project.Path().c_str(), settings.GetFolder());
    EXPECT_EQ(0, copyStarter);
}

TEST_F(ProjectWizardTest, AFolderPathTooLongForTheProjectsFilesIsRefusedWithAMessage)
{
    // The pack "\\VEXUL.VXL" below the folder may make a path of 247 characters: a folder of 238 is refused,
    // as is the longest folder the system creates (247 characters) and one longer than the system's paths,
    // which exists all the same. A folder of 237 is taken.
    const std::string base = project.Path() + "\\";
    const std::string fits = base + std::string(237 - base.size(), 'e');
    const std::string oneMore = base + std::string(238 - base.size(), 'e');
    const std::string longFolder = base + std::string(247 - base.size(), 'f');
    for (const std::string& folder : {fits, oneMore, longFolder})
        ASSERT_TRUE(CreateDirectoryA(folder.c_str(), nullptr)) << folder.size();
    const std::string longer = longFolder + "\\" + std::string(287 - longFolder.size() - 1, 'g');
    const std::wstring longerW = L"\\\\?\\" + std::wstring(longer.begin(), longer.end());
    ASSERT_TRUE(CreateDirectoryW(longerW.c_str(), nullptr));
    {
        HWND sheet = nullptr;
        std::string folderTitle, nextTitle;
        CSheetUser driver(
            [&](HWND h)
            {
                sheet = h;
                folderTitle = PageTitle(h);
                SetItemText(Page(h), IDC_WP_FOLDER, fits);
                Press(h, PSBTN_NEXT);
            },
            {[&]
             {
                 nextTitle = PageTitle(sheet);
                 Press(sheet, PSBTN_CANCEL);
             }});
        CProjectSettings settings;
        int copyStarter = 0;
        EXPECT_FALSE(RunProjectWizard(PROJECT_WIZARD_NEW, settings, copyStarter));
        EXPECT_NE(folderTitle, nextTitle) << boxes.LastText();
    }
    for (const std::string& folder : {oneMore, longFolder, longer})
    {
        HWND sheet = nullptr;
        std::string text, kept;
        CSheetUser driver(
            [&](HWND h)
            {
                sheet = h;
                SetItemText(Page(h), IDC_WP_FOLDER, folder);
                Press(h, PSBTN_NEXT);
            },
            {[&]
             {
                 text = boxes.LastText();
                 kept = ItemText(Page(sheet), IDC_WP_FOLDER);
                 Press(sheet, PSBTN_CANCEL);
             }});
        CProjectSettings settings;
        int copyStarter = 0;
        EXPECT_FALSE(RunProjectWizard(PROJECT_WIZARD_NEW, settings, copyStarter));
        EXPECT_EQ(0u, text.find("The project folder's path is " + std::to_string(folder.size()) +
                                " characters long."))
            << text;
        EXPECT_EQ(folder, kept);   // the whole path stays for the user to correct
    }
    EXPECT_STREQ(previous.Path().c_str(), app.GetProfileString("PROJECT", "FOLDER"));
    RemoveDirectoryW(longerW.c_str());
    for (const std::string& folder : {fits, oneMore, longFolder})
        RemoveDirectoryA(folder.c_str());
}

TEST_F(ProjectWizardTest, TheFolderPagesBrowseButtonOpensTheFolderBrowser)
{
    std::string prompt, kept;
    HWND sheet = nullptr;
    CDialogDriver driver({[&](HWND h)
                          {
                              sheet = h;
                              CDialogDriver::Click(Page(h), IDC_WP_FOLDER_BROWSE);
                          },
                          [&](HWND browser)
                          {
                              prompt = CDialogDriver::AllTexts(browser);
                              CDialogDriver::Click(browser, IDCANCEL);
                          },
                          [&](HWND h)
                          {
                              kept = ItemText(Page(h), IDC_WP_FOLDER);
                              Press(h, PSBTN_CANCEL);
                          }});
    CProjectSettings settings;
    int copyStarter = 0;
    EXPECT_FALSE(RunProjectWizard(PROJECT_WIZARD_NEW, settings, copyStarter));
    EXPECT_EQ(3u, driver.StepsRun());
    EXPECT_NE(std::string::npos,
              prompt.find("Create or select folder in which the Vexul project should be produced."))
        << prompt;
    EXPECT_EQ(previous.Path(), kept);   // cancelled: the folder stays
}

TEST(ProjectWizardProgram, OnlyANameEndingInExeOnceIsAProgram)
{
    EXPECT_TRUE(CWProjProgStart::IsProgramName("Tool.exe"));
    EXPECT_TRUE(CWProjProgStart::IsProgramName("C:\\Shows\\NEXT.EXE"));
    EXPECT_FALSE(CWProjProgStart::IsProgramName("run.com"));
    EXPECT_FALSE(CWProjProgStart::IsProgramName("a.exe.exe"));
    EXPECT_FALSE(CWProjProgStart::IsProgramName("setup.exe.bat"));
    EXPECT_FALSE(CWProjProgStart::IsProgramName(""));
    EXPECT_FALSE(CWProjProgStart::IsProgramName(nullptr));
}
