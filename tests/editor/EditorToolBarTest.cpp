// The editor's tool bar resource loads through the library's tool bar as the main frame loads it, and the main
// frame gives the bar its disabled images only when their bitmap is there; F1 in the main frame opens the help.
#include "editor/MainFrame.h"
#include "resources/editor/resource.h"
#include "tests/support/win_ShellRecorder.h"
#include "uilib/core/bars/ToolBar.h"

#include <gtest/gtest.h>

#include <cstdlib>
#include <string>
#include <vector>

namespace
{

TEST(EditorToolBar, Resource135LoadsIntoTheLibrarysToolBar)
{
    CFrameWnd* frame = new CFrameWnd;   // deletes itself with its window
    ASSERT_TRUE(frame->CreateEx(0, AfxRegisterWndClass(0), "Editor tool bar", WS_OVERLAPPEDWINDOW, 0, 0, 800, 300,
                                nullptr, nullptr));
    {
        CUXToolBar bar;
        ASSERT_TRUE(bar.CreateEx(frame, TBSTYLE_FLAT,
                                 WS_CHILD | WS_VISIBLE | CBRS_TOP | CBRS_TOOLTIPS | CBRS_FLYBY | CBRS_SIZE_DYNAMIC,
                                 CRect(0, 0, 0, 0), AFX_IDW_TOOLBAR));
        ASSERT_TRUE(bar.LoadToolBar(IDR_TOOLBAR));
        bar.SetWindowText("VexulCreator");

        const std::vector<UINT> expected = {
            ID_PROJECT_NEW, ID_FILE_OPEN,    ID_FILE_SAVE,   ID_PROJECT_SETTINGS, ID_PROJECT_TEST, ID_SLIDE_ADD,
            ID_SLIDE_EDIT,  ID_SLIDE_DELETE, ID_SLIDE_ORDER, ID_PROJECT_EXPLORE,  ID_APP_ABOUT};
        ASSERT_EQ(static_cast<int>(expected.size()), bar.GetCount());
        for (int i = 0; i < bar.GetCount(); ++i)
        {
            EXPECT_EQ(expected[static_cast<size_t>(i)], bar.GetItemID(i)) << i;
            EXPECT_EQ(i, bar.GetButton(i).iBitmap) << i;
        }
        EXPECT_EQ(CSize(42, 35), bar.GetImageSize());
        EXPECT_EQ(CSize(49, 42), bar.GetButtonSize());
        CRect item;
        bar.GetItemRect(0, &item);
        EXPECT_EQ(CSize(49, 42), item.Size());
        ASSERT_NE(nullptr, bar.GetBitmap());
        BITMAP info = {};
        ::GetObjectA(bar.GetBitmap(), sizeof(info), &info);
        EXPECT_EQ(11 * 42, info.bmWidth);

        // The tip of Save is the second line of its string.
        bar.GetItemRect(bar.CommandToIndex(ID_FILE_SAVE), &item);
        TOOLINFOA tip = {};
        tip.cbSize = sizeof(tip);
        ASSERT_EQ(static_cast<INT_PTR>(ID_FILE_SAVE), bar.OnToolHitTest(item.CenterPoint(), &tip));
        EXPECT_STREQ("Save project", tip.lpszText);
        std::free(tip.lpszText);
        bar.DestroyWindow();
    }
    frame->DestroyWindow();
}

// A main frame whose disabled-image bitmap is missing from the resources.
class CFrameWithoutDisabledBitmap : public CMainFrame
{
public:
    CFrameWithoutDisabledBitmap() { m_nDisabledBitmapID = 0x7FF0; }
};

TEST(EditorMainFrame, DisabledImagesGoToTheBarOnlyFromTheirBitmapAndF1OpensTheHelp)
{
    CShellRecorder shell;
    for (bool missing : {false, true})
    {
        CMainFrame* frame = missing ? new CFrameWithoutDisabledBitmap : new CMainFrame;   // deletes itself
        ASSERT_TRUE(frame->LoadFrame(IDR_MAINFRAME, WS_OVERLAPPEDWINDOW)) << missing;
        HIMAGELIST disabled =
            reinterpret_cast<HIMAGELIST>(frame->GetToolBar().SendMessage(TB_GETDISABLEDIMAGELIST));
        if (missing)
            EXPECT_EQ(nullptr, disabled);   // the bar keeps its own greyed images
        else
            EXPECT_EQ(11, disabled != nullptr ? ImageList_GetImageCount(disabled) : -1);
        MSG key = {frame->GetSafeHwnd(), WM_KEYDOWN, VK_F1, 0x003B0001, 0, {0, 0}};
        EXPECT_TRUE(frame->PreTranslateMessage(&key));
        frame->DestroyWindow();
    }
    ASSERT_EQ(2u, shell.Calls().size());
    EXPECT_EQ("help", shell.Calls()[1].kind);
    EXPECT_NE(std::string::npos, shell.Calls()[1].file.find("vexul.chm::/public/Index.htm"));
}

}   // namespace
