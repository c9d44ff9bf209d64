// The project folder dialog driven as a user drives it: without a start folder, creating a folder in the
// tree, and paths that are too long for the project.
#include "EditorTestSupport.h"
#include "editor/FileHelpers.h"
#include "editor/FolderDlgs.h"
#include "resources/editor/resource.h"
#include "tests/support/win_DialogDriver.h"

#include <gtest/gtest.h>

#include <string>

using namespace editortest;

namespace
{

const char kBase[] = "C:\\VexulFolderTest";
const char kShow1[] = "C:\\VexulFolderTest\\Show1";

class FolderDialogTest : public ::testing::Test
{
protected:
    void SetUp() override
    {
        ASSERT_TRUE(SUCCEEDED(::OleInitialize(nullptr)));
        ::CreateDirectoryA(kBase, nullptr);
    }
    void TearDown() override
    {
        ::RemoveDirectoryA(kShow1);
        ::RemoveDirectoryA(kBase);
        ::OleUninitialize();
    }
    // The folder the tree has selected, as the tree tells it.
    static std::string TreePath(CSelectFolderDlg& dlg)
    {
        CString path;
        return dlg.m_tree.GetSelectedPath(path) ? std::string(path) : std::string("(none)");
    }
    // Types into the path field as the user does: the field counts as changed.
    static void TypePath(HWND h, const std::string& text)
    {
        SetItemText(h, IDC_FOLDER_PATH, text);
        SendDlgItemMessageA(h, IDC_FOLDER_PATH, EM_SETMODIFY, TRUE, 0);
    }

    CMessageBoxRecorder boxes;
};

}   // namespace

TEST_F(FolderDialogTest, WithoutAStartFolderAFolderCanBeCreatedOnlyOnceOneIsChosen)
{
    CSelectFolderDlg dlg;
    dlg.SetTitle("Select Project Folder");
    dlg.SetText("Choose a folder.");
    bool disabled = false, rootEnables = false;
    std::string title, text, shown;
    CDialogDriver driver({[&](HWND h)
                          {
                              title = CDialogDriver::Text(h);
                              text = ItemText(h, IDC_FOLDER_TEXT);
                              disabled = !IsItemEnabled(h, IDC_CREATE_FOLDER);
                              dlg.m_tree.SelectPath("C:");
                              rootEnables = IsItemEnabled(h, IDC_CREATE_FOLDER);
                              shown = ItemText(h, IDC_FOLDER_PATH);
                              CDialogDriver::Click(h, IDCANCEL);
                          }});
    EXPECT_EQ(IDCANCEL, dlg.DoModal());
    EXPECT_EQ("Select Project Folder", title);
    EXPECT_EQ("Choose a folder.", text);
    EXPECT_TRUE(disabled);
    EXPECT_TRUE(rootEnables);
    EXPECT_EQ("C:\\", shown);
}

TEST_F(FolderDialogTest, ANewFolderIsCreatedUnderTheChosenOneAndSelected)
{
    std::string start, afterwards, tree, refused;
    const std::string current(GetCurrentFolder());
    CSelectFolderDlg* running = nullptr;
    CDialogDriver driver({[&](HWND h)
                          {
                              start = ItemText(h, IDC_FOLDER_PATH);
                              CDialogDriver::Click(h, IDC_CREATE_FOLDER);
                          },
                          [&](HWND name)
                          {
                              SetItemText(name, IDC_FOLDER_NAME, "Show<1>");
                              CDialogDriver::Click(name, IDOK);
                          },
                          [&](HWND h)
                          {
                              refused = boxes.LastText();
                              CDialogDriver::Click(h, IDC_CREATE_FOLDER);
                          },
                          [&](HWND name)
                          {
                              SetItemText(name, IDC_FOLDER_NAME, "Show1");
                              CDialogDriver::Click(name, IDOK);
                          },
                          [&](HWND h)
                          {
                              afterwards = ItemText(h, IDC_FOLDER_PATH);
                              running = static_cast<CSelectFolderDlg*>(CWnd::FromHandlePermanent(h));
                              tree = running ? TreePath(*running) : "";
                              CDialogDriver::Click(h, IDOK);
                          }});
    CString folder = kBase;
    ASSERT_TRUE(BrowseForProjectFolder(nullptr, "Select Project Folder", "", folder));
    EXPECT_EQ(kBase, start);
    EXPECT_EQ(kShow1, afterwards);
    EXPECT_EQ(kShow1, tree);
    EXPECT_STREQ(kShow1, folder);
    EXPECT_EQ(FILE_ATTRIBUTE_DIRECTORY, ::GetFileAttributesA(kShow1) & FILE_ATTRIBUTE_DIRECTORY);
    EXPECT_EQ("The folder \"C:\\VexulFolderTest\\Show<1>\" cannot be created.", refused);
    EXPECT_EQ(1u, boxes.Count());
    EXPECT_EQ(current, std::string(GetCurrentFolder()));   // the program's current folder stays
}

TEST_F(FolderDialogTest, APathLongerThan240CharactersIsRefusedWithAMessage)
{
    const std::string tooLong = std::string("C:\\") + std::string(238, 'a');   // 241 characters
    CSelectFolderDlg dlg;
    dlg.m_strPath = kBase;
    CDialogDriver driver({[&](HWND h)
                          {
                              TypePath(h, tooLong);
                              CDialogDriver::Click(h, IDOK);
                              driver.Post(
                                  [&, h]
                                  {
                                      EXPECT_EQ("Please enter no more than 240 characters.", boxes.LastText());
                                      EXPECT_EQ(tooLong, ItemText(h, IDC_FOLDER_PATH));   // nothing cut off
                                      TypePath(h, tooLong.substr(0, 240));
                                      CDialogDriver::Click(h, IDOK);
                                  });
                          }});
    ASSERT_EQ(IDOK, dlg.DoModal());
    EXPECT_EQ(tooLong.substr(0, 240), std::string(dlg.m_strPath));
    EXPECT_EQ(1u, boxes.Count());

    // Cancel leaves the caller's folder as it was.
    CDialogDriver cancel({[&](HWND h) { CDialogDriver::Click(h, IDCANCEL); }});
    CString folder = kBase;
    EXPECT_FALSE(BrowseForProjectFolder(nullptr, "", "", folder));
    EXPECT_STREQ(kBase, folder);
}
