// User tools: ids, the stored list, the menu and running a tool.
#include "MenuTestFrame.h"
#include "support/win_ShellRecorder.h"
#include "support/win_TestFiles.h"

#include <cstring>
#include <fstream>
#include <sstream>

namespace
{

CUXToolRecord MakeTool(const char* text, const char* command, const char* arguments = "",
                       const char* directory = "", UINT nID = 0)
{
    CUXToolRecord tool = {};
    std::strcpy(tool.m_szMenuText, text);
    std::strcpy(tool.m_szCommand, command);
    std::strcpy(tool.m_szArguments, arguments);
    std::strcpy(tool.m_szDirectory, directory);
    tool.m_nID = nID;
    return tool;
}

std::vector<BYTE> Bytes(const std::vector<CUXToolRecord>& tools)
{
    const BYTE* bytes = reinterpret_cast<const BYTE*>(tools.data());
    return std::vector<BYTE>(bytes, bytes + tools.size() * sizeof(CUXToolRecord));
}

std::string ProgramPath()
{
    char path[MAX_PATH] = {};
    ::GetModuleFileNameA(nullptr, path, MAX_PATH);
    return path;
}

}   // namespace

class ToolsTest : public MenuTest
{
protected:
    CUXToolsManager& tools = GetToolsManager();

    void SetUp() override
    {
        MenuTest::SetUp();
        tools.RemoveAll();
        tools.SetCoolMenu(&frame->m_coolMenu);
    }
    void TearDown() override
    {
        tools.RemoveAll();
        tools.SetCoolMenu(nullptr);
        MenuTest::TearDown();
    }
    std::vector<UINT> MenuIds() const
    {
        std::vector<UINT> ids;
        HMENU menu = tools.GetMenu();
        for (int i = 0; i < ::GetMenuItemCount(menu); ++i)
            ids.push_back(::GetMenuItemID(menu, i));
        return ids;
    }
};

TEST_F(ToolsTest, EveryIdOfTheRangeOnceThenAddingFails)
{
    tools.BuildMenu();
    EXPECT_EQ((std::vector<UINT>{ID_UX_CUSTOMIZE}), MenuIds());   // no tools: no separator
    EXPECT_EQ("Customize...", MenuText(tools.GetMenu(), 0));

    std::string program = ProgramPath();
    for (int i = 0; i < 251; ++i)
        ASSERT_TRUE(tools.AddTool(MakeTool(("Tool " + std::to_string(i)).c_str(), program.c_str())));
    ASSERT_EQ(251, tools.GetCount());
    for (int i = 0; i < 251; ++i)
        EXPECT_EQ(ID_UX_TOOLS_FIRST + static_cast<UINT>(i), tools.GetTool(i)->m_nID);
    EXPECT_EQ(0u, tools.NextFreeId());
    EXPECT_FALSE(tools.AddTool(MakeTool("One too many", program.c_str())));
    EXPECT_EQ(251, tools.GetCount());

    // The menu lists them last first, then a separator and "Customize...".
    std::vector<UINT> ids = MenuIds();
    ASSERT_EQ(253u, ids.size());
    EXPECT_EQ(static_cast<UINT>(ID_UX_TOOLS_LAST), ids.front());
    EXPECT_EQ(static_cast<UINT>(ID_UX_TOOLS_FIRST), ids[250]);
    EXPECT_EQ(0u, ids[251]);
    EXPECT_EQ(static_cast<UINT>(ID_UX_CUSTOMIZE), ids[252]);
    EXPECT_EQ("Tool 250", MenuText(tools.GetMenu(), 0));
    EXPECT_GE(frame->m_coolMenu.GetImageIndex(ID_UX_TOOLS_FIRST), 0);   // the program's shell icon

    // A freed id is found in the list itself, whatever the menu holds.
    ASSERT_TRUE(tools.RemoveTool(tools.GetTool(100)));
    EXPECT_FALSE(tools.RemoveTool(nullptr));
    EXPECT_EQ(ID_UX_TOOLS_FIRST + 100u, tools.NextFreeId());
    ASSERT_TRUE(tools.AddTool(MakeTool("Again", program.c_str(), "", "", ID_UX_TOOLS_FIRST + 5)));
    EXPECT_EQ(ID_UX_TOOLS_FIRST + 100u, tools.GetTool(250)->m_nID);   // 53005 is taken: the free one instead
    EXPECT_FALSE(tools.AddTool(MakeTool("Full", program.c_str())));
}

TEST_F(ToolsTest, TheFramesCoolMenuShowsTheIconsWithoutBeingNamed)
{
    // No cool menu given: a new frame's own takes the icons, until the program names another or it goes.
    tools.SetCoolMenu(nullptr);
    CloseFrame();
    OpenFrame();
    std::string program = ProgramPath();
    ASSERT_TRUE(tools.AddTool(MakeTool("Tool", program.c_str())));
    EXPECT_GE(frame->m_coolMenu.GetImageIndex(ID_UX_TOOLS_FIRST), 0);

    CUXCoolMenu named;
    tools.SetCoolMenu(&named);
    CloseFrame();   // a frame going does not take a cool menu the program named
    OpenFrame();
    ASSERT_TRUE(tools.AddTool(MakeTool("Other", program.c_str())));
    EXPECT_LT(frame->m_coolMenu.GetImageIndex(ID_UX_TOOLS_FIRST + 1), 0);
    tools.SetCoolMenu(nullptr);
    CloseFrame();
    OpenFrame();
    tools.BuildMenu();
    EXPECT_GE(frame->m_coolMenu.GetImageIndex(ID_UX_TOOLS_FIRST + 1), 0);
}

TEST_F(ToolsTest, ToolRunsThroughTheShellWithItsArgumentsAndFolder)
{
    ASSERT_TRUE(tools.AddTool(MakeTool("&Site", "http://www.example.com/start", "%1 -x", "C:\\work")));
    ASSERT_TRUE(tools.AddTool(MakeTool("&Missing", "C:\\no\\such\\program.exe", "a", "C:\\")));
    ASSERT_TRUE(tools.AddTool(MakeTool("&Self", ProgramPath().c_str(), "one \"two words\"", "C:\\windows")));
    // A command that is neither a file nor a web address stays in the list but gets no entry.
    EXPECT_EQ((std::vector<UINT>{ID_UX_TOOLS_FIRST + 2, ID_UX_TOOLS_FIRST, 0, ID_UX_CUSTOMIZE}), MenuIds());
    EXPECT_EQ(3, tools.GetCount());

    CShellRecorder shell;
    frame->SendMessage(WM_COMMAND, ID_UX_TOOLS_FIRST + 2);
    frame->SendMessage(WM_COMMAND, ID_UX_TOOLS_FIRST);
    frame->SendMessage(WM_COMMAND, ID_UX_TOOLS_FIRST + 7);   // no such tool: nothing
    ASSERT_EQ(2u, shell.Calls().size());
    const CShellRecorder::Call& self = shell.Calls()[0];
    EXPECT_EQ("open", self.operation);
    EXPECT_EQ(ProgramPath(), self.file);
    EXPECT_EQ("one \"two words\"", self.parameters);
    EXPECT_EQ("C:\\windows", self.directory);
    EXPECT_EQ(SW_SHOW, self.show);
    const CShellRecorder::Call& site = shell.Calls()[1];
    EXPECT_EQ("http://www.example.com/start", site.file);
    EXPECT_EQ("%1 -x", site.parameters);   // as stored: nothing is expanded
    EXPECT_EQ("C:\\work", site.directory);
}

TEST_F(ToolsTest, WebIconLeavesAUsersTemporaryFileAlone)
{
    std::string path = TempFolderPath() + "~tempfile.htm";
    const std::string content = "<p>the user's own page</p>";
    {
        std::ofstream file(path, std::ios::binary);
        file << content;
    }
    ASSERT_TRUE(tools.AddTool(MakeTool("&Web", "ftp://files.example.com/")));
    EXPECT_GE(frame->m_coolMenu.GetImageIndex(ID_UX_TOOLS_FIRST), 0);
    std::ifstream file(path, std::ios::binary);
    std::stringstream read;
    read << file.rdbuf();
    EXPECT_EQ(content, read.str());
    file.close();
    ::DeleteFileA(path.c_str());
}

TEST_F(ToolsTest, StoredListRoundTripsAndDamagedRecordsAreMended)
{
    std::string program = ProgramPath();
    ASSERT_TRUE(tools.AddTool(MakeTool("First", program.c_str(), "-a", "C:\\")));
    ASSERT_TRUE(tools.AddTool(MakeTool("Second", "http://example.com")));
    ASSERT_TRUE(tools.Save(0));
    std::vector<BYTE> stored;
    ASSERT_TRUE(ReadSetting("Tools", stored));
    ASSERT_EQ(2 * sizeof(CUXToolRecord), stored.size());

    tools.RemoveAll();
    ASSERT_TRUE(tools.Load());
    ASSERT_EQ(2, tools.GetCount());
    EXPECT_STREQ("First", tools.GetTool(0)->m_szMenuText);
    EXPECT_STREQ("-a", tools.GetTool(0)->m_szArguments);
    EXPECT_EQ(static_cast<uint32_t>(ID_UX_TOOLS_FIRST + 1), tools.GetTool(1)->m_nID);
    // The list shows them last first, each with its record.
    CListBox list;
    ASSERT_TRUE(list.Create(WS_CHILD | LBS_HASSTRINGS, CRect(0, 0, 100, 100), frame, 1));
    tools.FillListBox(list);
    ASSERT_EQ(2, list.GetCount());
    CString text;
    list.GetText(0, text);
    EXPECT_STREQ("Second", text.GetString());
    EXPECT_EQ(tools.GetTool(1), list.GetItemDataPtr(0));
    list.DestroyWindow();

    // Fields without terminators, ids outside the range or taken twice, and a record cut short.
    CUXToolRecord unterminated = MakeTool("", program.c_str(), "", "", 60000);
    std::memset(unterminated.m_szMenuText, 'M', sizeof(unterminated.m_szMenuText));
    std::memset(unterminated.m_szArguments, 'A', sizeof(unterminated.m_szArguments));
    std::memset(unterminated.m_szDirectory, 'D', sizeof(unterminated.m_szDirectory));
    CUXToolRecord twice = MakeTool("Twice", "http://example.com/2", "", "", ID_UX_TOOLS_FIRST + 3);
    CUXToolRecord keeps = MakeTool("Keeps", "http://example.com/3", "", "", ID_UX_TOOLS_FIRST + 3);
    std::vector<BYTE> damaged = Bytes({unterminated, twice, keeps, keeps});
    damaged.resize(damaged.size() - 100);
    WriteSetting("Tools", damaged);
    ASSERT_TRUE(tools.Load());
    ASSERT_EQ(3, tools.GetCount());
    EXPECT_EQ(std::string(127, 'M'), tools.GetTool(0)->m_szMenuText);
    EXPECT_EQ(std::string(127, 'A'), tools.GetTool(0)->m_szArguments);
    EXPECT_EQ(std::string(259, 'D'), tools.GetTool(0)->m_szDirectory);
    EXPECT_EQ(program, tools.GetTool(0)->m_szCommand);
    EXPECT_EQ(static_cast<uint32_t>(ID_UX_TOOLS_FIRST + 3), tools.GetTool(1)->m_nID);
    EXPECT_EQ(static_cast<uint32_t>(ID_UX_TOOLS_FIRST), tools.GetTool(0)->m_nID);
    EXPECT_EQ(static_cast<uint32_t>(ID_UX_TOOLS_FIRST + 1), tools.GetTool(2)->m_nID);
    EXPECT_EQ(
        (std::vector<UINT>{ID_UX_TOOLS_FIRST + 1, ID_UX_TOOLS_FIRST + 3, ID_UX_TOOLS_FIRST, 0, ID_UX_CUSTOMIZE}),
        MenuIds());
    EXPECT_EQ(std::string(127, 'M'), MenuText(tools.GetMenu(), 2));

    // Deleting every tool and saving removes the value instead of writing an empty one.
    tools.RemoveAll();
    ASSERT_TRUE(tools.Save(0));
    EXPECT_FALSE(ReadSetting("Tools", stored));
    EXPECT_EQ((std::vector<UINT>{ID_UX_CUSTOMIZE}), MenuIds());
    EXPECT_FALSE(tools.Load());
    EXPECT_EQ(0, tools.GetCount());
}
