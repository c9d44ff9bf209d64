// The application object: start-up driver, command line, profile, message boxes, wait cursor.
#include "framework/win/Framework.h"
#include "support/win_TestFiles.h"

#include <ole2.h>

#include <gtest/gtest.h>

#include <cstring>
#include <string>
#include <vector>

namespace
{

struct ParsedItem
{
    std::string param;
    BOOL flag;
    BOOL last;
    bool operator==(const ParsedItem& o) const { return param == o.param && flag == o.flag && last == o.last; }
};

class CRecordingCommandLineInfo : public CCommandLineInfo
{
public:
    std::vector<ParsedItem> items;
    void ParseParam(const char* pszParam, BOOL bFlag, BOOL bLast) override
    {
        items.push_back({pszParam, bFlag, bLast});
        CCommandLineInfo::ParseParam(pszParam, bFlag, bLast);
    }
};

void SetCommandLine(CWinApp& app, const char* line)
{
    static std::string storage;
    storage = line;
    app.m_lpCmdLine = &storage[0];
}

TEST(CommandLine, SwitchesAreStrippedAndTheLastItemMarked)
{
    CWinApp app("CommandLineTest");
    SetCommandLine(app, "\"C:\\My Shows\\demo.vxl\" /S=5 -Zabc  plain");
    CRecordingCommandLineInfo info;
    app.ParseCommandLine(info);
    std::vector<ParsedItem> expected = {{"C:\\My Shows\\demo.vxl", FALSE, FALSE},
                                        {"S=5", TRUE, FALSE},
                                        {"Zabc", TRUE, FALSE},
                                        {"plain", FALSE, TRUE}};
    EXPECT_EQ(expected, info.items);
    EXPECT_STREQ("C:\\My Shows\\demo.vxl", info.m_strFileName);   // the first plain item
    EXPECT_EQ(CCommandLineInfo::FileOpen, info.m_nShellCommand);
}

TEST(CommandLine, QuotesAndBackslashesFollowTheRuntimeRules)
{
    CWinApp app("CommandLineTest");
    SetCommandLine(app, "a\\\\\"b c\" \"x\\\"y\" \"\"");
    CRecordingCommandLineInfo info;
    app.ParseCommandLine(info);
    ASSERT_EQ(3u, info.items.size());
    EXPECT_EQ("a\\b c", info.items[0].param);
    EXPECT_EQ("x\"y", info.items[1].param);
    EXPECT_EQ("", info.items[2].param);
    EXPECT_TRUE(info.items[2].last);
}

TEST(CommandLine, EmptyLineParsesNothing)
{
    CWinApp app("CommandLineTest");
    SetCommandLine(app, "   ");
    CRecordingCommandLineInfo info;
    app.ParseCommandLine(info);
    EXPECT_TRUE(info.items.empty());
    EXPECT_EQ(CCommandLineInfo::FileNew, info.m_nShellCommand);
}

// ---- start-up driver ---------------------------------------------------------------------------------

class CDriverApp : public CWinApp
{
public:
    explicit CDriverApp(BOOL init) : CWinApp("DriverTest"), m_init(init) {}
    BOOL m_init;
    std::vector<std::string> calls;
    HRESULT oleDuringRun = E_FAIL;
    BOOL InitInstance() override
    {
        calls.push_back("init");
        // OLE is on for the whole run: asking again only counts up (S_FALSE).
        oleDuringRun = ::OleInitialize(nullptr);
        if (SUCCEEDED(oleDuringRun))
            ::OleUninitialize();
        if (m_init)
            ::PostQuitMessage(9);
        return m_init;
    }
    int ExitInstance() override
    {
        calls.push_back("exit");
        return m_init ? CWinApp::ExitInstance() : 23;
    }
};

TEST(WinMainDriver, FailedInitInstanceStillRunsExitInstance)
{
    CDriverApp app(FALSE);
    char line[] = "one two";
    EXPECT_EQ(23, AfxWinMain(::GetModuleHandleA(nullptr), nullptr, line, SW_SHOW));
    EXPECT_EQ((std::vector<std::string>{"init", "exit"}), app.calls);
    EXPECT_STREQ("one two", app.m_lpCmdLine);
    EXPECT_STREQ("DriverTest", app.m_pszAppName);
    EXPECT_STREQ("test_win", app.m_pszExeName);
    EXPECT_EQ(::GetModuleHandleA(nullptr), AfxGetInstanceHandle());
}

TEST(WinMainDriver, TheApplicationOwnsCopiesOfItsNames)
{
    char name[] = "First Name";
    {
        CWinApp app(name);
        name[0] = 'X';   // the caller's buffer is not the application's
        EXPECT_STREQ("First Name", app.m_pszAppName);
        app.SetAppName(app.m_pszAppName);   // its own text again
        EXPECT_STREQ("First Name", app.m_pszAppName);
        app.SetAppName("VexulCreator V2");
        app.SetRegistryKey("Maker");
        EXPECT_STREQ("VexulCreator V2", app.m_pszProfileName);   // the profile takes the name
        EXPECT_STREQ("Maker", app.m_pszRegistryKey);
        app.SetAppName(nullptr);
        EXPECT_EQ(nullptr, app.m_pszAppName);
        EXPECT_STREQ("VexulCreator V2", app.m_pszProfileName);
        // A text of the program's own stays the program's: the application never frees it.
        static const char own[] = "Own";
        app.m_pszExeName = own;
    }
}

TEST(WinMainDriver, AnApplicationMadeInsideAnothersTimeGivesTheProgramBack)
{
    CWinApp outer("Outer");
    {
        CWinApp inner("Inner");
        EXPECT_EQ(&inner, AfxGetApp());
    }
    EXPECT_EQ(&outer, AfxGetApp());
    EXPECT_STREQ("Outer", AfxGetAppName());
}

TEST(WinMainDriver, RunEndsWithTheQuitCode)
{
    CDriverApp app(TRUE);
    char line[] = "";
    EXPECT_EQ(9, AfxWinMain(::GetModuleHandleA(nullptr), nullptr, line, SW_SHOW));
    EXPECT_EQ((std::vector<std::string>{"init", "exit"}), app.calls);
    EXPECT_EQ(S_FALSE, app.oleDuringRun);
    // And off again afterwards: a new start is the first one.
    HRESULT after = ::OleInitialize(nullptr);
    EXPECT_EQ(S_OK, after);
    if (SUCCEEDED(after))
        ::OleUninitialize();
}

// ---- profile -----------------------------------------------------------------------------------------

TEST(Profile, RegistryValuesUnderTheApplicationKey)
{
    CWinApp app("ProfileTest");
    app.SetRegistryKey("VexulTests");
    app.WriteProfileString("Settings", nullptr, nullptr);   // a clean section

    EXPECT_EQ(7u, app.GetProfileInt("Settings", "Count", 7));
    EXPECT_STREQ("none", app.GetProfileString("Settings", "Name", "none"));
    ASSERT_TRUE(app.WriteProfileInt("Settings", "Count", -3));
    ASSERT_TRUE(app.WriteProfileString("Settings", "Name", "geöffnet"));
    BYTE data[5] = {0, 1, 0xFE, 0x80, 7};
    ASSERT_TRUE(app.WriteProfileBinary("Settings", "Blob", data, sizeof(data)));

    EXPECT_EQ(static_cast<UINT>(-3), app.GetProfileInt("Settings", "Count", 7));
    EXPECT_STREQ("geöffnet", app.GetProfileString("Settings", "Name"));
    LPBYTE read = nullptr;
    UINT size = 0;
    ASSERT_TRUE(app.GetProfileBinary("Settings", "Blob", &read, &size));
    ASSERT_EQ(sizeof(data), size);
    EXPECT_EQ(0, memcmp(data, read, size));
    delete[] read;

    // The value lives where other programs look for it.
    HKEY key = nullptr;
    ASSERT_EQ(ERROR_SUCCESS, ::RegOpenKeyExA(HKEY_CURRENT_USER, "Software\\VexulTests\\ProfileTest\\Settings", 0,
                                             KEY_READ, &key));
    DWORD value = 0, type = 0, length = sizeof(value);
    EXPECT_EQ(ERROR_SUCCESS,
              ::RegQueryValueExA(key, "Count", nullptr, &type, reinterpret_cast<LPBYTE>(&value), &length));
    EXPECT_EQ(static_cast<DWORD>(REG_DWORD), type);
    ::RegCloseKey(key);

    ASSERT_TRUE(app.WriteProfileString("Settings", "Name", nullptr));   // removes the entry
    EXPECT_STREQ("gone", app.GetProfileString("Settings", "Name", "gone"));
    EXPECT_FALSE(app.GetProfileBinary("Settings", "Missing", &read, &size));
    EXPECT_EQ(nullptr, read);
    app.WriteProfileString("Settings", nullptr, nullptr);
}

TEST(Profile, IniFileWithoutARegistryKey)
{
    std::string path = TempFolderPath() + "vexul_profile_test.ini";
    ::DeleteFileA(path.c_str());
    CWinApp app("IniTest");
    free(const_cast<char*>(app.m_pszProfileName));
    app.m_pszProfileName = _strdup(path.c_str());

    EXPECT_TRUE(app.WriteProfileInt("Main", "Width", 640));
    EXPECT_TRUE(app.WriteProfileString("Main", "Title", "Vexul"));
    BYTE data[3] = {0x00, 0xAB, 0xFF};
    EXPECT_TRUE(app.WriteProfileBinary("Main", "Blob", data, sizeof(data)));
    EXPECT_EQ(640u, app.GetProfileInt("Main", "Width", 0));
    EXPECT_STREQ("Vexul", app.GetProfileString("Main", "Title"));
    LPBYTE read = nullptr;
    UINT size = 0;
    ASSERT_TRUE(app.GetProfileBinary("Main", "Blob", &read, &size));
    ASSERT_EQ(3u, size);
    EXPECT_EQ(0, memcmp(data, read, size));
    delete[] read;
    ::DeleteFileA(path.c_str());
}

// ---- message boxes and cursors -----------------------------------------------------------------------

TEST(MessageBoxes, GoThroughTheRecordableCallWithTheApplicationName)
{
    CWinApp app("BoxTest");
    CMessageBoxRecorder boxes(IDNO);
    EXPECT_EQ(IDNO, AfxMessageBox("Wirklich?", MB_YESNO | MB_ICONQUESTION));
    ASSERT_EQ(1u, boxes.Count());
    EXPECT_EQ("Wirklich?", boxes.Records()[0].text);
    EXPECT_EQ("BoxTest", boxes.Records()[0].caption);
    EXPECT_EQ(static_cast<unsigned>(MB_YESNO | MB_ICONQUESTION), boxes.Records()[0].type);

    CWnd wnd;
    wnd.MessageBox("from a window", "Caption");
    EXPECT_EQ("Caption", boxes.Records()[1].caption);
}

TEST(Cursors, WaitCursorsNestAndTheLastEndRestoresTheArrow)
{
    CWinApp app("CursorTest");
    HCURSOR arrow = ::LoadCursorA(nullptr, IDC_ARROW);
    HCURSOR wait = app.LoadStandardCursor(IDC_WAIT);
    ::SetCursor(arrow);
    {
        CWaitCursor outer;
        EXPECT_EQ(wait, ::GetCursor());
        app.BeginWaitCursor();
        app.EndWaitCursor();
        EXPECT_EQ(wait, ::GetCursor());   // the outer one still waits
    }
    EXPECT_EQ(arrow, ::GetCursor());
    HCURSOR cross = app.LoadStandardCursor(IDC_CROSS);
    ::SetCursor(cross);
    app.RestoreWaitCursor();   // no wait going on: nothing to show again
    EXPECT_EQ(cross, ::GetCursor());
    ::SetCursor(arrow);
    EXPECT_NE(nullptr, app.LoadStandardIcon(IDI_APPLICATION));
}

}   // namespace
