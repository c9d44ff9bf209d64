// The player's command line: pack path, start slide switch, other switches; and what the application
// makes of it.
#include "player/VexulApp.h"
#include "player/VexulCommandLineInfo.h"

#include <gtest/gtest.h>

namespace
{

// What the application takes from the command line.
struct Parsed
{
    CString m_strShowPath;
    int m_nStartSlide;
    BOOL m_bStartSlideGiven;
};

// Feeds the items as the framework's parser does: a leading '/' or '-' is stripped and marks a switch.
Parsed Parse(std::initializer_list<const char*> items, CVexulCommandLineInfo* out = nullptr)
{
    CVexulCommandLineInfo info;
    size_t i = 0;
    for (const char* item : items)
    {
        ++i;
        BOOL flag = item[0] == '/' || item[0] == '-';
        info.ParseParam(flag ? item + 1 : item, flag, i == items.size());
    }
    CPlayerSession session;
    session.m_nStartSlide = 77;   // ApplyCommandLine must reset it
    CVexulApp::ApplyCommandLine(info, session);
    if (out)
        *out = info;
    return {session.m_strShowPath, session.m_nStartSlide, session.m_bStartSlideGiven};
}

}   // namespace

TEST(PlayerCommandLine, PathAloneStartsAtSlideZero)
{
    CVexulCommandLineInfo info;
    Parsed s = Parse({"C:\\Shows\\My Show\\VEXUL.VXL"}, &info);
    EXPECT_STREQ("C:\\Shows\\My Show\\VEXUL.VXL", s.m_strShowPath);
    EXPECT_EQ(0, s.m_nStartSlide);
    EXPECT_FALSE(s.m_bStartSlideGiven);
    EXPECT_STREQ("O", info.m_strSwitch);
    EXPECT_STREQ("C:\\Shows\\My Show\\VEXUL.VXL", info.m_strFileName);
    EXPECT_EQ(CCommandLineInfo::FileOpen, info.m_nShellCommand);
}

TEST(PlayerCommandLine, StartSlideAfterThePathInEitherCase)
{
    Parsed upper = Parse({"C:\\a b\\show.vxl", "/S=5"});
    EXPECT_EQ(5, upper.m_nStartSlide);
    EXPECT_TRUE(upper.m_bStartSlideGiven);
    Parsed lower = Parse({"C:\\a b\\show.vxl", "/s=5"});
    EXPECT_EQ(5, lower.m_nStartSlide);
    EXPECT_STREQ("C:\\a b\\show.vxl", lower.m_strShowPath);
}

TEST(PlayerCommandLine, StartSlideBeforeThePath)
{
    Parsed s = Parse({"-S=12", "D:\\x.vxl"});
    EXPECT_EQ(12, s.m_nStartSlide);
    EXPECT_STREQ("D:\\x.vxl", s.m_strShowPath);
}

TEST(PlayerCommandLine, SlidesZeroToNinetyNineOnly)
{
    EXPECT_EQ(0, Parse({"a.vxl", "/S=0"}).m_nStartSlide);
    EXPECT_TRUE(Parse({"a.vxl", "/S=0"}).m_bStartSlideGiven);
    EXPECT_EQ(99, Parse({"a.vxl", "/S=99"}).m_nStartSlide);
    EXPECT_EQ(0, Parse({"a.vxl", "/S=100"}).m_nStartSlide);
    EXPECT_FALSE(Parse({"a.vxl", "/S=100"}).m_bStartSlideGiven);
    EXPECT_EQ(0, Parse({"a.vxl", "/S=-1"}).m_nStartSlide);
    // an out-of-range number keeps an earlier valid one
    EXPECT_EQ(4, Parse({"a.vxl", "/S=4", "/S=250"}).m_nStartSlide);
    // a number too large for an int does not wrap round into range
    EXPECT_FALSE(Parse({"a.vxl", "/S=4294967301"}).m_bStartSlideGiven);
    EXPECT_EQ(0, Parse({"a.vxl", "/S=4294967301"}).m_nStartSlide);
}

TEST(PlayerCommandLine, StartSlideWithoutPathIsIgnored)
{
    Parsed s = Parse({"/S=7"});
    EXPECT_TRUE(s.m_strShowPath.IsEmpty());
    EXPECT_EQ(0, s.m_nStartSlide);
    EXPECT_FALSE(s.m_bStartSlideGiven);
}

TEST(PlayerCommandLine, LaterSwitchCancelsStartSlide)
{
    CVexulCommandLineInfo info;
    Parsed s = Parse({"/S=3", "/Zabc", "C:\\show.vxl"}, &info);
    EXPECT_EQ(0, s.m_nStartSlide);
    EXPECT_STREQ("zabc", info.m_strSwitch);
    EXPECT_STREQ("C:\\show.vxl", s.m_strShowPath);

    CVexulCommandLineInfo other;
    Parsed t = Parse({"C:\\show.vxl", "/S=3", "/Quiet"}, &other);
    EXPECT_EQ(0, t.m_nStartSlide);
    EXPECT_STREQ("quiet", other.m_strSwitch);
}

TEST(PlayerCommandLine, FileSwitchBeforeThePathKeepsTheStartSlide)
{
    // The editor's test run: the named pack plays even in a compiled program, from the slide given.
    CVexulCommandLineInfo info;
    Parsed s = Parse({"/F", "C:\\show.vxl", "/S=2"}, &info);
    EXPECT_TRUE(info.m_bShowFileFirst);
    EXPECT_EQ(2, s.m_nStartSlide);
    EXPECT_STREQ("C:\\show.vxl", s.m_strShowPath);
    CPlayerSession session;
    CVexulApp::ApplyCommandLine(info, session);
    EXPECT_TRUE(session.m_bShowFileFirst);

    // Without a path there is no file to put first.
    CVexulCommandLineInfo alone;
    Parse({"-f"}, &alone);
    CPlayerSession none;
    CVexulApp::ApplyCommandLine(alone, none);
    EXPECT_FALSE(none.m_bShowFileFirst);
    EXPECT_FALSE(Parse({"C:\\show.vxl", "/S=2"}, &info).m_strShowPath.IsEmpty());
    EXPECT_FALSE(info.m_bShowFileFirst);
}

TEST(PlayerCommandLine, LastPlainParameterWins)
{
    CVexulCommandLineInfo info;
    Parsed s = Parse({"first.vxl", "second.vxl"}, &info);
    EXPECT_STREQ("second.vxl", s.m_strShowPath);
    EXPECT_STREQ("second.vxl", info.m_strFileName);
}

TEST(PlayerEndProgram, CurrentDirWithParameters)
{
    CEndProgramLaunch l = CVexulApp::MakeEndProgramLaunch("_CURRENTDIR_\\run.exe:-quiet", "E:\\Shows");
    EXPECT_STREQ("E:\\Shows\\run.exe", l.program);
    EXPECT_STREQ("-quiet", l.parameters);
    EXPECT_STREQ("E:\\Shows", l.folder);
}

TEST(PlayerEndProgram, DriveColonIsNotASeparator)
{
    CEndProgramLaunch l = CVexulApp::MakeEndProgramLaunch("E:\\Tools\\run.exe:-quiet", "C:\\Player");
    EXPECT_STREQ("E:\\Tools\\run.exe:-quiet", l.program);
    EXPECT_TRUE(l.parameters.IsEmpty());
    EXPECT_STREQ("E:\\Tools", l.folder);
}

TEST(PlayerEndProgram, CurrentDirWithoutParameters)
{
    CEndProgramLaunch l = CVexulApp::MakeEndProgramLaunch("_CURRENTDIR_\\next.exe", "E:\\Shows");
    EXPECT_STREQ("E:\\Shows\\next.exe", l.program);
    EXPECT_TRUE(l.parameters.IsEmpty());
    EXPECT_STREQ("E:\\Shows", l.folder);
}

TEST(PlayerEndProgram, RelativeNameRunsInProgramFolder)
{
    CEndProgramLaunch l = CVexulApp::MakeEndProgramLaunch("notes.txt", "E:\\Shows");
    EXPECT_STREQ("notes.txt", l.program);
    EXPECT_STREQ("E:\\Shows", l.folder);
}

TEST(PlayerOsVersion, TextFromEitherKey)
{
    EXPECT_STREQ("Microsoft Windows XP - 5.1",
                 CVexulApp::ComposeOsText("Microsoft Windows XP", "5.1", "", "", ""));
    EXPECT_STREQ("Windows 98 - 4.10.1998 - A", CVexulApp::ComposeOsText("", "", "Windows 98", "4.10.1998", "A"));
    EXPECT_STREQ("Windows 95 - 4.00.950", CVexulApp::ComposeOsText("", "", "Windows 95", "4.00.950", " "));
    EXPECT_STREQ(" - 4.0", CVexulApp::ComposeOsText("", "4.0", "", "", ""));
}

TEST(PlayerOsVersion, NtFamilyDetection)
{
    EXPECT_TRUE(CVexulApp::IsNtOsText("Microsoft Windows NT - 4.0"));
    EXPECT_TRUE(CVexulApp::IsNtOsText(" - 4.0"));
    EXPECT_FALSE(CVexulApp::IsNtOsText(" NT at the start"));
    EXPECT_TRUE(CVexulApp::IsNtOsText(" NT at the start and Windows NT later"));
    EXPECT_FALSE(CVexulApp::IsNtOsText("Microsoft Windows XP - 5.1"));
    EXPECT_FALSE(CVexulApp::IsNtOsText("Microsoft Windows 7 - 6.1"));
    EXPECT_FALSE(CVexulApp::IsNtOsText("Windows 98 - 4.10.1998"));
}
