// The compile dialog from the editor's resources: its paths, Compile and Delete; and the image button on it.
#include "EditorTestSupport.h"
#include "editor/CompileDlg.h"
#include "editor/ImageButton.h"
#include "editor/ProjectSettings.h"
#include "resources/editor/resource.h"

#include <gtest/gtest.h>

using namespace editortest;

namespace
{

class CompileDlgTest : public ::testing::Test
{
protected:
    void SetUp() override
    {
        plain = PlainPlayerPath();
        ASSERT_TRUE(IsBuilt(plain));
        player = project / "VEXUL.EXE";
        pack = project / "VEXUL.VXL";
        ASSERT_TRUE(CopyFileA(plain.c_str(), player.c_str(), FALSE));
        ASSERT_TRUE(WriteFileBytes(pack, Bytes(5000, 0x42)));
        dlg.m_strPlayerPath = player.c_str();
        dlg.m_strProjectFilePath = pack.c_str();
        dlg.m_strProjectFolder = project.Path().c_str();
        dlg.m_strPlainPlayerPath = plain.c_str();
        dlg.m_pSettings = &settings;
        ASSERT_TRUE(dlg.Create(IDD_COMPILE));
    }
    void TearDown() override
    {
        if (dlg.GetSafeHwnd())
            dlg.DestroyWindow();
    }
    std::string ItemText(int id)
    {
        char text[1024] = {};
        GetDlgItemTextA(dlg.GetSafeHwnd(), id, text, sizeof(text));
        return text;
    }
    void Click(int id)
    {
        SendMessageA(dlg.GetSafeHwnd(), WM_COMMAND, MAKEWPARAM(id, BN_CLICKED),
                     reinterpret_cast<LPARAM>(GetDlgItem(dlg.GetSafeHwnd(), id)));
    }

    CTempFolder project{"vxcompiledlg"};
    std::string plain, player, pack;
    CProjectSettings settings;
    CCompileDlg dlg;
};

}   // namespace

TEST_F(CompileDlgTest, ShowsThePathsCompilesAndReportsOnce)
{
    char caption[64] = {};
    GetWindowTextA(dlg.GetSafeHwnd(), caption, sizeof(caption));
    EXPECT_STREQ("Compile Vexul Project", caption);
    EXPECT_EQ(player, ItemText(IDC_COMPILE_PLAYER));
    EXPECT_EQ(pack, ItemText(IDC_COMPILE_PROJECT_FILE));

    // An image button on the dialog takes its bitmap once.
    const int imageButtonId = 2000;
    ASSERT_NE(nullptr, CreateWindowExA(0, "Button", "", WS_CHILD | WS_VISIBLE | BS_PUSHBUTTON | BS_BITMAP, 0, 0,
                                       40, 30, dlg.GetSafeHwnd(), reinterpret_cast<HMENU>(imageButtonId),
                                       GetModuleHandleA(nullptr), nullptr));
    CImageButton button;
    button.Attach(&dlg, imageButtonId, IDB_TOOLBAR_DISABLED);
    ASSERT_TRUE(button.IsAttached());
    HANDLE image = reinterpret_cast<HANDLE>(
        SendDlgItemMessageA(dlg.GetSafeHwnd(), imageButtonId, BM_GETIMAGE, IMAGE_BITMAP, 0));
    ASSERT_NE(nullptr, image);
    BITMAP info = {};
    GetObjectA(image, sizeof(info), &info);
    EXPECT_EQ(11 * 42, info.bmWidth);
    EXPECT_EQ(36, info.bmHeight);
    button.Attach(&dlg, IDC_COMPILE_COMPILE, IDB_TOOLBAR_DISABLED);
    EXPECT_EQ(0, SendDlgItemMessageA(dlg.GetSafeHwnd(), IDC_COMPILE_COMPILE, BM_GETIMAGE, IMAGE_BITMAP, 0));
    button.UnsubclassWindow();

    CMessageBoxRecorder boxes;
    Click(IDC_COMPILE_COMPILE);
    ASSERT_EQ(1u, boxes.Count());
    EXPECT_EQ(0u, boxes.LastText().find("Compiling process was successful"));
    EXPECT_EQ(Bytes(5000, 0x42), ReadResource(player, "PROJECTFILE", "FILE_1"));
    EXPECT_FALSE(IsWindowVisible(dlg.GetSafeHwnd()));   // the dialog ended
}

TEST_F(CompileDlgTest, DeleteAsksThenPutsAPlainPlayerBack)
{
    CMessageBoxRecorder boxes(IDNO);
    Click(IDC_COMPILE_COMPILE);
    Bytes compiled = ReadFileBytes(player);
    ASSERT_NE(ReadFileBytes(plain), compiled);

    boxes.Clear();
    Click(IDC_COMPILE_DELETE);
    ASSERT_EQ(1u, boxes.Count());
    EXPECT_EQ("File: \"" + player + "\" already exist !\nOverwrite file ?", boxes.LastText());
    EXPECT_EQ(compiled, ReadFileBytes(player));

    boxes.SetAnswer(IDYES);
    boxes.Clear();
    Click(IDC_COMPILE_DELETE);
    EXPECT_EQ(1u, boxes.Count());   // the question, and no complaint after it
    EXPECT_EQ(ReadFileBytes(plain), ReadFileBytes(player));
}

TEST_F(CompileDlgTest, TheReportNamesTheFilesThatMustTravelWithTheCompiledProgram)
{
    settings.SetSound(1, "music.wav", 0);
    settings.m_nAutostartOn = 1;
    settings.m_strAutostartFile = "Tool.exe";
    CMessageBoxRecorder boxes;
    Click(IDC_COMPILE_COMPILE);
    ASSERT_EQ(1u, boxes.Count());
    const std::string report = boxes.LastText();
    EXPECT_EQ(0u, report.find("Compiling process was successful"));
    const std::string note = "\n\nThe show needs these files beside the compiled program. Hand them on together "
                             "with \"VEXUL.EXE\", in the same folder:\n    music.wav\n    Tool.exe\n";
    ASSERT_GT(report.size(), note.size());
    EXPECT_EQ(note, report.substr(report.size() - note.size()));
}
