// The services of the editor's application object: versions, the system's name, help topics, the paths
// below the application folder and bringing files into a project folder.
#include "EditorTestSupport.h"
#include "editor/FileHelpers.h"
#include "editor/HelpTopics.h"
#include "editor/ProjectFiles.h"
#include "editor/ShowCompiler.h"
#include "editor/VexulCreatorApp.h"
#include "resources/editor/resource.h"
#include "show/ProjectPack.h"

#include <gtest/gtest.h>

#include <cstring>

using namespace editortest;

namespace
{

// Puts registry values back as they were when the test ends.
class CRegistryValues
{
public:
    CRegistryValues(const char* key, std::vector<std::string> names) : m_key(key), m_names(std::move(names))
    {
        for (const std::string& name : m_names)
        {
            Saved saved;
            DWORD size = sizeof(saved.data);
            saved.present = RegGetValueA(HKEY_LOCAL_MACHINE, m_key.c_str(), name.c_str(), RRF_RT_ANY, &saved.type,
                                         saved.data, &size) == ERROR_SUCCESS;
            saved.size = size;
            m_saved.push_back(saved);
        }
    }
    ~CRegistryValues()
    {
        HKEY key = nullptr;
        RegCreateKeyExA(HKEY_LOCAL_MACHINE, m_key.c_str(), 0, nullptr, 0, KEY_ALL_ACCESS, nullptr, &key, nullptr);
        for (size_t i = 0; i < m_names.size(); i++)
        {
            if (m_saved[i].present)
                RegSetValueExA(key, m_names[i].c_str(), 0, m_saved[i].type, m_saved[i].data, m_saved[i].size);
            else
                RegDeleteValueA(key, m_names[i].c_str());
        }
        RegCloseKey(key);
    }
    // Stores the bytes of text as they are: without a terminator unless the text holds one.
    void Set(const char* name, const std::string& text)
    {
        HKEY key = nullptr;
        ASSERT_EQ(ERROR_SUCCESS, RegCreateKeyExA(HKEY_LOCAL_MACHINE, m_key.c_str(), 0, nullptr, 0, KEY_ALL_ACCESS,
                                                 nullptr, &key, nullptr));
        RegSetValueExA(key, name, 0, REG_SZ, reinterpret_cast<const BYTE*>(text.data()),
                       static_cast<DWORD>(text.size()));
        RegCloseKey(key);
    }
    void Remove(const char* name)
    {
        HKEY key = nullptr;
        if (RegOpenKeyExA(HKEY_LOCAL_MACHINE, m_key.c_str(), 0, KEY_ALL_ACCESS, &key) == ERROR_SUCCESS)
        {
            RegDeleteValueA(key, name);
            RegCloseKey(key);
        }
    }

private:
    struct Saved
    {
        bool present = false;
        DWORD type = 0;
        BYTE data[1024] = {};
        DWORD size = 0;
    };
    std::string m_key;
    std::vector<std::string> m_names;
    std::vector<Saved> m_saved;
};

// What the help viewer was asked to open, and from which current folder.
struct HelpRequest
{
    std::string file;
    std::string folder;
    HWND owner = reinterpret_cast<HWND>(1);
    UINT command = 99;
};
HelpRequest g_help;

HWND RecordHelp(HWND owner, LPCSTR file, UINT command, DWORD_PTR)
{
    g_help.file = file ? file : "";
    g_help.folder = GetCurrentFolder().GetString();
    g_help.owner = owner;
    g_help.command = command;
    return nullptr;
}

std::string Upper(std::string text)
{
    for (char& c : text)
        c = static_cast<char>(toupper(static_cast<unsigned char>(c)));
    return text;
}

}   // namespace

TEST(CreatorApp, VersionsAreSixDigitsOfTheEditorsFileVersionAndThePlayersProductVersion)
{
    // The test program carries the editor's version block: 2.0.0.0.
    CVexulCreatorApp& app = theApp;
    app.InitOwnVersion();
    EXPECT_STREQ("020000", app.m_strVersion);
    EXPECT_TRUE(app.m_strPrivateBuild.IsEmpty());
    CString self = GetModulePath(nullptr);
    EXPECT_STREQ(self.Left(self.ReverseFind('\\')), app.FindApplicationFolder());

    std::string plain = PlainPlayerPath();
    ASSERT_TRUE(IsBuilt(plain));
    app.m_strAppFolder = AppFolder().c_str();
    CString text;
    int number = 0;
    app.GetPlayerVersion(text, number);
    EXPECT_STREQ("020000", text);
    EXPECT_EQ(20000, number);

    // A compiled copy carries the show's own file version (here 1.0.0.0) but stays the player it was made
    // from: it reads as the player's version, so the upgrade check offers it nothing.
    CTempFolder folder("vxversion");
    std::string copy = folder / "VEXUL.EXE";
    ASSERT_TRUE(CopyFileA(plain.c_str(), copy.c_str(), FALSE));
    CShowCompiler compiler;
    ASSERT_TRUE(compiler.RewriteVersion(copy.c_str(), {1, 0, 0, 0}, "", "", "", ""));
    CVexulCreatorApp::GetFileVersionText(copy.c_str(), text, number);
    EXPECT_STREQ("020000", text);
    EXPECT_EQ(20000, number);

    // Files without a version block, and missing files.
    ASSERT_TRUE(WriteFileBytes(folder / "plain.exe", Bytes(600, 'x')));
    CVexulCreatorApp::GetFileVersionText((folder / "plain.exe").c_str(), text, number);
    EXPECT_TRUE(text.IsEmpty());
    EXPECT_EQ(-1, number);
    CVexulCreatorApp::GetFileVersionText((folder / "missing.exe").c_str(), text, number);
    EXPECT_EQ(-1, number);
}

TEST(CreatorApp, WindowsVersionTextTakesValuesOfAnyLengthWithOrWithoutTerminator)
{
    CRegistryValues nt("SOFTWARE\\Microsoft\\Windows NT\\CurrentVersion", {"ProductName", "CurrentVersion"});
    CRegistryValues old("SOFTWARE\\Microsoft\\Windows\\CurrentVersion",
                        {"Version", "VersionNumber", "SubVersionNumber"});
    const std::string longName = "Microsoft Windows " + std::string(150, 'X');
    nt.Set("ProductName", longName + std::string(1, '\0'));
    nt.Set("CurrentVersion", "6.1");   // stored without a terminator
    CString text;
    theApp.GetWindowsVersionText(text);
    EXPECT_EQ(longName + " - 6.1", text.str());

    // Without the values of the NT family: the older key, its sub-version only when it says something.
    nt.Remove("ProductName");
    nt.Remove("CurrentVersion");
    old.Set("Version", "Windows 98");
    old.Set("VersionNumber", "4.10.2222");
    old.Set("SubVersionNumber", " A ");
    theApp.GetWindowsVersionText(text);
    EXPECT_STREQ("Windows 98 - 4.10.2222 -  A ", text);
    old.Set("SubVersionNumber", " ");
    theApp.GetWindowsVersionText(text);
    EXPECT_STREQ("Windows 98 - 4.10.2222", text);
}

TEST(CreatorApp, HelpTopicsOpenFromTheApplicationFolderAndTheCurrentFolderComesBack)
{
    CTempFolder app("vxhelpapp");
    CTempFolder elsewhere("vxhelpcwd");
    CString before = GetCurrentFolder();
    SetCurrentDirectoryA(elsewhere.Path().c_str());
    CString saved = theApp.m_strAppFolder;
    theApp.m_strAppFolder = app.Path().c_str();
    AfxHtmlHelpHandler previous = AfxSetHtmlHelpHandler(&RecordHelp);
    ShowHelpTopic("vc_slideedit.htm");
    AfxSetHtmlHelpHandler(previous);
    EXPECT_EQ(app.Path() + "\\vexul.chm::/public/vc_slideedit.htm", g_help.file);
    EXPECT_EQ(0u, g_help.command);   // display the topic
    EXPECT_EQ(Upper(app.Path()), Upper(g_help.folder));
    EXPECT_EQ(nullptr, g_help.owner);   // no main window yet
    EXPECT_EQ(Upper(elsewhere.Path()), Upper(GetCurrentFolder().GetString()));
    theApp.m_strAppFolder = saved;
    SetCurrentDirectoryA(before);
}

TEST(CreatorApp, TutorialAndTexturePathsLieBelowTheApplicationFolder)
{
    CTempFolder app("vxpaths");
    CString saved = theApp.m_strAppFolder;
    theApp.m_strAppFolder = app.Path().c_str();
    CString folder = "old", player, pack, help;
    EXPECT_EQ(0, theApp.GetTutorExamplePaths(1, folder, player, pack, help));
    EXPECT_TRUE(folder.IsEmpty());

    CreateDirectoryA((app / "Tutor").c_str(), nullptr);
    CreateDirectoryA((app / "Tutor\\Example1").c_str(), nullptr);
    EXPECT_EQ(1, theApp.GetTutorExamplePaths(1, folder, player, pack, help));
    EXPECT_EQ(app / "Tutor\\Example1", folder.str());
    EXPECT_EQ(app / "Vexul.exe", player.str());
    EXPECT_EQ(app / "Tutor\\Example1\\Vexul.vxl", pack.str());
    EXPECT_EQ(app / "Tutor\\Example1\\Tutor.chm", help.str());

    CString textures, catalogue;
    theApp.GetTexturePaths(textures, catalogue);
    EXPECT_EQ(app / "Texture", textures.str());
    EXPECT_EQ(app / "Texture\\VexulTexture.ini", catalogue.str());
    theApp.m_strAppFolder = saved;
}

TEST(CreatorApp, ImportLeavesFilesOfTheProjectWhereTheyAreAndCopiesOthersIn)
{
    CTempFolder root("vximport");
    std::string project = root / "Show";
    std::string sibling = root / "Show2";
    CreateDirectoryA(project.c_str(), nullptr);
    CreateDirectoryA(sibling.c_str(), nullptr);
    CreateDirectoryA((project + "\\pics").c_str(), nullptr);
    ASSERT_TRUE(WriteFileBytes(project + "\\pics\\in.bmp", Bytes(300, 1)));
    ASSERT_TRUE(WriteFileBytes(sibling + "\\a.bmp", Bytes(400, 2)));
    CMessageBoxRecorder boxes;

    // Inside, in any letter case: nothing is copied, the name keeps its subfolder.
    CString relative;
    EXPECT_TRUE(
        ImportFileToProject(Upper(project + "\\pics\\in.bmp").c_str(), (project + "\\").c_str(), relative));
    EXPECT_EQ(0, relative.CompareNoCase("pics\\in.bmp")) << relative.GetString();
    EXPECT_TRUE(ReadFileBytes(project + "\\in.bmp").empty());

    // A folder whose name only begins like the project's is outside it.
    EXPECT_TRUE(ImportFileToProject((sibling + "\\a.bmp").c_str(), project.c_str(), relative));
    EXPECT_STREQ("a.bmp", relative);
    EXPECT_EQ(Bytes(400, 2), ReadFileBytes(project + "\\a.bmp"));
    EXPECT_EQ(Bytes(400, 2), ReadFileBytes(sibling + "\\a.bmp"));

    // The same picture again is simply used.
    EXPECT_TRUE(ImportFileToProject((sibling + "\\a.bmp").c_str(), project.c_str(), relative));
    EXPECT_STREQ("a.bmp", relative);
    EXPECT_EQ(0u, boxes.Count());

    EXPECT_FALSE(ImportFileToProject("", project.c_str(), relative));
    EXPECT_TRUE(relative.IsEmpty());
    EXPECT_FALSE(ImportFileToProject((sibling + "\\missing.bmp").c_str(), project.c_str(), relative));

    // A bare name comes from the application folder.
    CString saved = theApp.m_strAppFolder;
    theApp.m_strAppFolder = sibling.c_str();
    EXPECT_TRUE(ImportFileToProject("a.bmp", project.c_str(), relative));
    EXPECT_STREQ("a.bmp", relative);
    theApp.m_strAppFolder = saved;
}

TEST(CreatorApp, ImportNeverReplacesAnotherPictureOfTheSameEntryName)
{
    CTempFolder project("vxclash");
    CTempFolder other("vxclashsrc");
    CMessageBoxRecorder boxes;
    CString relative;

    // The same bare name from another folder with other bytes: copied under a free name, the user told.
    ASSERT_TRUE(WriteFileBytes(project / "a.bmp", Bytes(500, 7)));
    ASSERT_TRUE(WriteFileBytes(other / "a.bmp", Bytes(500, 8)));
    EXPECT_TRUE(ImportFileToProject((other / "a.bmp").c_str(), project.Path().c_str(), relative));
    EXPECT_STREQ("a_2.bmp", relative);
    EXPECT_EQ(Bytes(500, 7), ReadFileBytes(project / "a.bmp"));
    EXPECT_EQ(Bytes(500, 8), ReadFileBytes(project / "a_2.bmp"));
    ASSERT_EQ(1u, boxes.Count());
    EXPECT_NE(std::string::npos, boxes.LastText().find("\"a_2.bmp\"")) << boxes.LastText();

    // Two long names alike in their first 20 characters share an entry name.
    const std::string first = "holiday_pictures_2023_beach.bmp";
    const std::string second = "holiday_pictures_2023_hills.bmp";
    ASSERT_EQ(CProjectPack::MakeEntryName(first.c_str()), CProjectPack::MakeEntryName(second.c_str()));
    ASSERT_TRUE(WriteFileBytes(project / first, Bytes(300, 1)));
    ASSERT_TRUE(WriteFileBytes(other / second, Bytes(300, 2)));
    EXPECT_TRUE(ImportFileToProject((other / second).c_str(), project.Path().c_str(), relative));
    EXPECT_STREQ("holiday_pictures_2_2.bmp", relative);
    EXPECT_LE(relative.GetLength(), CProjectPack::NAME_LENGTH);
    EXPECT_EQ(Bytes(300, 2), ReadFileBytes(project / relative.str()));

    // An entry of the pack counts too, even when its file left the folder; the same bytes do not clash.
    CProjectPack pack;
    BYTE picture[100];
    memset(picture, 9, sizeof(picture));
    ASSERT_TRUE(pack.AddData("b.bmp", picture, sizeof(picture)));
    ASSERT_TRUE(WriteFileBytes(other / "b.bmp", Bytes(100, 9)));
    EXPECT_TRUE(ImportFileToProject((other / "b.bmp").c_str(), project.Path().c_str(), relative, &pack));
    EXPECT_STREQ("b.bmp", relative);
    ASSERT_TRUE(WriteFileBytes(other / "c.bmp", Bytes(100, 3)));
    ASSERT_TRUE(pack.AddData("c.bmp", picture, sizeof(picture)));
    EXPECT_TRUE(ImportFileToProject((other / "c.bmp").c_str(), project.Path().c_str(), relative, &pack));
    EXPECT_STREQ("c_2.bmp", relative);
}

namespace
{

HINSTANCE NothingStarts(HWND, LPCSTR, LPCSTR, LPCSTR, LPCSTR, INT)
{
    return reinterpret_cast<HINSTANCE>(static_cast<INT_PTR>(SE_ERR_FNF));
}

// The enabled state an update handler gives a command.
class CEnabledState : public CCmdUI
{
public:
    explicit CEnabledState(UINT id) { m_nID = id; }
    void Enable(BOOL on) override
    {
        enabled = on;
        m_bEnableChanged = TRUE;
    }
    int enabled = -1;
};

}   // namespace

TEST(CreatorApp, UpdatesAreOfferedWhenTheirProgramIsThereAndAStartThatFailsIsTold)
{
    CTempFolder app("vxupdates");
    const CString saved = theApp.m_strAppFolder;
    theApp.m_strAppFolder = app.Path().c_str();
    CEnabledState missing(ID_HELP_CHECK_UPDATES);
    missing.DoUpdate(&theApp, TRUE);
    ASSERT_TRUE(WriteFileBytes(app / "QDLM_UpdateManager.exe", Bytes(16, 1)));
    CEnabledState present(ID_HELP_CHECK_UPDATES);
    present.DoUpdate(&theApp, TRUE);

    CMessageBoxRecorder boxes;
    AfxShellExecuteHandler previous = AfxSetShellExecuteHandler(NothingStarts);
    theApp.OnCmdMsg(ID_HELP_CHECK_UPDATES, CN_COMMAND, nullptr, nullptr);
    theApp.OnCmdMsg(ID_HELP_UPGRADE, CN_COMMAND, nullptr, nullptr);
    AfxSetShellExecuteHandler(previous);
    theApp.m_strAppFolder = saved;

    EXPECT_EQ(FALSE, missing.enabled);
    EXPECT_EQ(TRUE, present.enabled);
    ASSERT_EQ(2u, boxes.Count());
    EXPECT_NE(std::string::npos, boxes.Records()[0].text.find("QDLM_UpdateManager.exe\" could not be started"))
        << boxes.Records()[0].text;
    EXPECT_EQ("The web page \"https://www.vexul.example/en/update.html\" could not be opened: no web browser "
              "could be started.\nPlease open the page in your web browser.",
              boxes.Records()[1].text);
}
