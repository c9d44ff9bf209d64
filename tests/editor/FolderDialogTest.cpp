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
    const std::string tooLong = std::string(kBase) + "\\" + std::string(222, 'a');   // 241 characters
    const std::string longest = tooLong.substr(0, 240);
    ASSERT_TRUE(::CreateDirectoryA(longest.c_str(), nullptr));
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
                                      TypePath(h, longest);
                                      CDialogDriver::Click(h, IDOK);
                                  });
                          }});
    ASSERT_EQ(IDOK, dlg.DoModal());
    EXPECT_EQ(longest, std::string(dlg.m_strPath));
    EXPECT_EQ(1u, boxes.Count());
    ::RemoveDirectoryA(longest.c_str());

    // Cancel leaves the caller's folder as it was.
    CDialogDriver cancel({[&](HWND h) { CDialogDriver::Click(h, IDCANCEL); }});
    CString folder = kBase;
    EXPECT_FALSE(BrowseForProjectFolder(nullptr, "", "", folder));
    EXPECT_STREQ(kBase, folder);
}

TEST_F(FolderDialogTest, ATypedPathStandsAndAMissingStartFolderOpensAtItsNearestParent)
{
    // The start folder is gone: the tree opens at the nearest folder that is there, without an error.
    const std::string typed = std::string(kBase) + "\\New Show";
    CSelectFolderDlg dlg;
    dlg.m_strPath = (std::string(kBase) + "\\Gone\\Deeper").c_str();
    std::string tree, shown, created;
    CDialogDriver driver({[&](HWND h)
                          {
                              tree = TreePath(dlg);
                              shown = ItemText(h, IDC_FOLDER_PATH);
                              // A folder made while a path of the user's own stands in the field goes
                              // into that path.
                              TypePath(h, kBase);
                              CDialogDriver::Click(h, IDC_CREATE_FOLDER);
                          },
                          [&](HWND name)
                          {
                              SetItemText(name, IDC_FOLDER_NAME, "Show1");
                              CDialogDriver::Click(name, IDOK);
                          },
                          [&](HWND h)
                          {
                              created = ItemText(h, IDC_FOLDER_PATH);
                              // A typed folder that is not there yet is made when the user says so.
                              TypePath(h, typed);
                              boxes.SetAnswer(IDNO);
                              CDialogDriver::Click(h, IDOK);
                              driver.Post(
                                  [&, h]
                                  {
                                      boxes.SetAnswer(IDYES);
                                      CDialogDriver::Click(h, IDOK);
                                  });
                          }});
    ASSERT_EQ(IDOK, dlg.DoModal());
    const std::string question = "The folder \"" + typed + "\" does not exist.\n\nCreate it ?";
    ASSERT_EQ(2u, boxes.Count());
    EXPECT_EQ(question, boxes.Records()[0].text);
    EXPECT_EQ(question, boxes.Records()[1].text);
    EXPECT_EQ(kBase, tree);
    EXPECT_EQ(kBase, shown);
    EXPECT_EQ(kShow1, created);
    EXPECT_EQ(typed, std::string(dlg.m_strPath));
    EXPECT_EQ(FILE_ATTRIBUTE_DIRECTORY, ::GetFileAttributesA(typed.c_str()) & FILE_ATTRIBUTE_DIRECTORY);
    ::RemoveDirectoryA(typed.c_str());
}
