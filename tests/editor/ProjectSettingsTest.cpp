// Project settings: the values of a new project, the profile, the termination rules and the copies into
// the show model and back through the show text.
#include "EditorTestSupport.h"
#include "editor/ProjectSettings.h"
#include "show/ShowData.h"
#include "show/ShowText.h"

#include <gtest/gtest.h>

namespace
{

// An application object whose profile lives under a key of its own, removed afterwards.
class ProjectSettingsTest : public ::testing::Test
{
protected:
    ProjectSettingsTest() : app("EditorSettingsTest") { app.SetRegistryKey("VexulTests"); }
    ~ProjectSettingsTest() override
    {
        RegDeleteTreeA(HKEY_CURRENT_USER, "Software\\VexulTests\\EditorSettingsTest");
    }

    CWinApp app;
};

}   // namespace

TEST_F(ProjectSettingsTest, ANewProjectStartsWithTheDefaultsAndTheUsersLastValues)
{
    app.WriteProfileString("PROJECT", "FOLDER", "C:\\Shows\\Last");
    app.WriteProfileString("PROJECT", "MAIL", "me@example.org");
    app.WriteProfileString("PROJECT", "PROJECT", "www.example.org");
    app.WriteProfileString("PROJECT", "COPYRIGHT", "(c) Me");
    app.WriteProfileString("PROJECT", "COMPANY", "Me & Co");

    CProjectSettings settings;
    settings.m_strVersion = "020000";
    settings.m_nWindowWidth = 300;
    settings.m_strIconFile = "old.ico";
    settings.m_nFileVersion[0] = 7;
    settings.Reset();
    EXPECT_EQ(640, settings.m_nWindowWidth);
    EXPECT_EQ(480, settings.m_nWindowHeight);
    EXPECT_STREQ("Vexul", settings.m_strTitle);
    EXPECT_EQ(0xA56E3Au, settings.m_crBackground);
    EXPECT_TRUE(settings.m_strIconFile.IsEmpty());
    EXPECT_EQ(1, settings.m_nFileVersion[0]);
    EXPECT_STREQ("1.0.0.0", settings.m_strProductVersion);
    EXPECT_STREQ("020000", settings.m_strVersion);   // the writer's version is not a setting
    EXPECT_STREQ("C:\\Shows\\Last", settings.GetFolder());
    EXPECT_STREQ("me@example.org", settings.m_strContactMail);
    EXPECT_STREQ("www.example.org", settings.m_strContactWeb);
    EXPECT_STREQ("(c) Me", settings.m_strCopyright);
    EXPECT_STREQ("Me & Co", settings.m_strCompany);

    // The folder is remembered at once; the addresses when the profile is saved.
    settings.SetFolder("D:\\New");
    settings.m_strCompany = "Other";
    EXPECT_STREQ("D:\\New", app.GetProfileString("PROJECT", "FOLDER"));
    EXPECT_STREQ("Me & Co", app.GetProfileString("PROJECT", "COMPANY"));
    settings.SaveToProfile();
    CProjectSettings next;
    next.Reset();
    EXPECT_STREQ("D:\\New", next.GetFolder());
    EXPECT_STREQ("Other", next.m_strCompany);
}

TEST_F(ProjectSettingsTest, EndlessLoopsAndEndlessSoundEndByTheUser)
{
    struct Case
    {
        int autoExit, loop, repeat, expected;
    } cases[] = {
        {0, 1, 0, 2},                 // endless loop
        {1, 1, 1, 2}, {1, 0, 1, 2},   // "when the sound is over" with a sound that never ends
        {0, 0, 1, 0}, {1, 0, 0, 1}, {2, 0, 0, 2},
    };
    for (const Case& c : cases)
    {
        CProjectSettings settings;
        settings.SetTermination(c.autoExit, c.loop, 1);
        settings.SetSound(1, "a.wav", c.repeat);
        settings.ApplyTerminationRules();
        int autoExit, loop, advance;
        settings.GetTermination(autoExit, loop, advance);
        EXPECT_EQ(c.expected, autoExit) << c.autoExit << "/" << c.loop << "/" << c.repeat;
        EXPECT_EQ(c.loop, loop);
        EXPECT_EQ(1, advance);
    }
}

TEST_F(ProjectSettingsTest, SettingsSurviveTheShowTextAndComeBack)
{
    CProjectSettings settings;
    settings.m_strVersion = "020000";
    settings.SetFolder("C:\\Shows\\Trip");
    settings.SetWindow(402, 314, 1, "Trip \x80 2024", RGB(1, 2, 3), "trip.ico");
    settings.SetTermination(1, 0, 1);
    settings.SetSound(1, "music.mp3", 0);
    settings.SetAutostart(1, "next.exe");
    const CString lines[6] = {"Line 1", "Line \x96 2", "", "Line 4", "Line 5", "Line 6"};
    settings.SetContact(1, "mail@example.org", "www.example.org", lines);
    const int numbers[4] = {3, 1, 4, 1};
    settings.SetFileInfo(1, numbers, "(c) 2024", "A trip", "Trips Ltd", "3.1");

    CShowData show;
    show.SetFromProjectSettings(settings);
    EXPECT_EQ(400, show.m_nSlideWidth);
    EXPECT_EQ(300, show.m_nSlideHeight);

    // Through the text the pack stores, into a fresh show, and back into fresh settings.
    show.WriteShowText(ShowText::ENTRY_NAME, "C:\\Shows\\Trip");
    int length = 0;
    const char* text = show.m_Settings.GetText(length);
    CShowData read;
    ASSERT_TRUE(read.ReadShowText(ShowText::ENTRY_NAME, text, length));
    CProjectSettings back;
    read.GetProjectSettings(back);

    EXPECT_TRUE(back.GetFolder().IsEmpty());   // the folder is the project's, not the show's
    EXPECT_STREQ("020000", back.m_strVersion);
    int w, h, desktop;
    CString title, icon;
    COLORREF colour;
    back.GetWindow(w, h, desktop, title, colour, icon);
    EXPECT_EQ(402, w);
    EXPECT_EQ(314, h);
    EXPECT_EQ(1, desktop);
    EXPECT_STREQ("Trip \x80 2024", title);
    EXPECT_EQ(RGB(1, 2, 3), colour);
    EXPECT_STREQ("trip.ico", icon);
    int autoExit, loop, advance;
    back.GetTermination(autoExit, loop, advance);
    EXPECT_EQ(1, autoExit);
    EXPECT_EQ(0, loop);
    EXPECT_EQ(1, advance);
    int on, repeat;
    CString file;
    back.GetSound(on, file, repeat);
    EXPECT_EQ(1, on);
    EXPECT_STREQ("music.mp3", file);
    back.GetAutostart(on, file);
    EXPECT_EQ(1, on);
    EXPECT_STREQ("next.exe", file);
    CString mail, web, gotLines[6];
    back.GetContact(on, mail, web, gotLines);
    EXPECT_EQ(1, on);
    EXPECT_STREQ("mail@example.org", mail);
    EXPECT_STREQ("www.example.org", web);
    for (int i = 0; i < 6; i++)
        EXPECT_STREQ(lines[i], gotLines[i]) << i;
    int gotNumbers[4];
    CString copyright, description, company, version;
    back.GetFileInfo(on, gotNumbers, copyright, description, company, version);
    EXPECT_EQ(1, on);
    EXPECT_EQ(3, gotNumbers[0]);
    EXPECT_EQ(1, gotNumbers[3]);
    EXPECT_STREQ("(c) 2024", copyright);
    EXPECT_STREQ("A trip", description);
    EXPECT_STREQ("Trips Ltd", company);
    EXPECT_STREQ("3.1", version);
}
