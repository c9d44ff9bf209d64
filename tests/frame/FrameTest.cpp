// The frame: layout of bars and view, bar toggles, keys, menu and bar updates, prompts, tips and the route
// of commands.
#include "FrameTestSupport.h"

#include "support/win_MessageSequence.h"

namespace
{

CRect ChildRect(CWnd& parent, CWnd& child)
{
    CRect rect;
    child.GetWindowRect(&rect);
    parent.ScreenToClient(&rect);
    return rect;
}

TEST_F(FrameProgram, FrameLaysOutItsBarsAndViewThroughSizeParent)
{
    StartWithNewDocument();
    CShowFrame* pFrame = app.Frame();
    CShowView* pView = app.View();
    EXPECT_EQ(AFX_IDW_PANE_FIRST, pView->GetDlgCtrlID());
    EXPECT_EQ(&pFrame->m_bar, pFrame->GetControlBar(IDW_TEST_BAR));
    EXPECT_EQ(2, pFrame->m_listControlBars.GetCount());

    CMessageSequence seq({WM_SIZE, WM_SIZEPARENT});
    seq.Watch(pFrame->m_hWnd, "frame");
    seq.Watch(pFrame->m_bar.m_hWnd, "bar");
    seq.Watch(pFrame->m_status.m_hWnd, "status");
    seq.Watch(pView->m_hWnd, "view");
    seq.Start();
    pFrame->SetWindowPos(nullptr, 0, 0, 500, 400, SWP_NOZORDER | SWP_NOMOVE | SWP_NOACTIVATE);
    seq.Stop();
    // The frame's new size, each bar asked in the order of the children, then the moves, the view last.
    EXPECT_TRUE(seq.Matches({
        {"frame", WM_SIZE},
        {"bar", WM_SIZEPARENT},
        {"status", WM_SIZEPARENT},
        {"bar", WM_SIZE},
        {"status", WM_SIZE},
        {"view", WM_SIZE},
    }));

    CRect client;
    pFrame->GetClientRect(&client);
    CRect bar = ChildRect(*pFrame, pFrame->m_bar);
    CRect status = ChildRect(*pFrame, pFrame->m_status);
    CRect view = ChildRect(*pFrame, *pView);
    CSize barSize = pFrame->m_bar.CalcFixedLayout(TRUE, TRUE);
    EXPECT_EQ(CRect(0, 0, client.right, barSize.cy), bar);   // stretched along the top
    EXPECT_EQ(client.bottom, status.bottom);
    EXPECT_EQ(CRect(0, bar.bottom, client.right, status.top), view);   // the rest

    // The bar's own command hides it; the view takes its room. Again shows it.
    Command(IDW_TEST_BAR);
    EXPECT_FALSE(pFrame->m_bar.IsWindowVisible());
    EXPECT_EQ(0, ChildRect(*pFrame, *pView).top);
    Command(IDW_TEST_BAR);
    EXPECT_TRUE(pFrame->m_bar.IsWindowVisible());
    EXPECT_EQ(bar.bottom, ChildRect(*pFrame, *pView).top);

    // A delayed hide waits for the idle time.
    pFrame->ShowControlBar(&pFrame->m_status, FALSE, TRUE);
    EXPECT_TRUE(pFrame->m_status.IsWindowVisible());
    EXPECT_FALSE(pFrame->m_status.IsVisible());
    app.OnIdle(0);
    EXPECT_FALSE(pFrame->m_status.IsWindowVisible());
    EXPECT_EQ(client.bottom, ChildRect(*pFrame, *pView).bottom);
}

TEST_F(FrameProgram, MenuAndBarsFollowTheCommandHandlers)
{
    StartWithNewDocument();
    CShowFrame* pFrame = app.Frame();
    CMenu* pEdit = pFrame->GetMenu()->GetSubMenu(1);
    CMenu* pView = pFrame->GetMenu()->GetSubMenu(2);
    pFrame->SendMessage(WM_INITMENUPOPUP, reinterpret_cast<WPARAM>(pEdit->m_hMenu), MAKELPARAM(1, FALSE));
    pFrame->SendMessage(WM_INITMENUPOPUP, reinterpret_cast<WPARAM>(pView->m_hMenu), MAKELPARAM(2, FALSE));
    EXPECT_EQ(0u, pEdit->GetMenuState(ID_TEST_STAMP, MF_BYCOMMAND) & MF_GRAYED);    // the view takes it
    EXPECT_TRUE(pEdit->GetMenuState(ID_TEST_DISABLED, MF_BYCOMMAND) & MF_GRAYED);   // its update says no
    EXPECT_TRUE(pView->GetMenuState(IDW_TEST_BAR, MF_BYCOMMAND) & MF_CHECKED);      // the bar is shown

    // Idle time updates the bar's buttons through the same route.
    app.OnIdle(0);
    EXPECT_TRUE(pFrame->m_bar.m_save.IsWindowEnabled());
    EXPECT_TRUE(pFrame->m_bar.m_stamp.IsWindowEnabled());
    EXPECT_FALSE(pFrame->m_bar.m_disabled.IsWindowEnabled());

    // A disabled command does not run, whatever sends it; the bar's buttons follow the frame's route.
    Command(ID_TEST_DISABLED);
    EXPECT_EQ(0, app.View()->disabledRuns);
    pFrame->m_bar.m_stamp.SendMessage(BM_CLICK);
    EXPECT_EQ(1, app.Doc()->m_value);
}

TEST_F(FrameProgram, AcceleratorsRunTheirCommandsUnlessDisabled)
{
    StartWithNewDocument();
    CShowView* pView = app.View();
    pView->SetFocus();
    pView->PostMessage(WM_KEYDOWN, VK_F5, 0x003F0001);
    pView->PostMessage(WM_KEYDOWN, VK_F6, 0x00400001);
    pView->PostMessage(WM_KEYDOWN, VK_F5, 0x003F0001);
    Pump();
    EXPECT_EQ(2, app.Doc()->m_value);
    EXPECT_EQ(0, pView->disabledRuns);

    // F2 saves (the document's own command): an untitled document asks for a name.
    app.answers.push_back(folder.File("keys.vxt").c_str());
    pView->PostMessage(WM_KEYDOWN, VK_F2, 0x003C0001);
    Pump();
    EXPECT_FALSE(app.Doc()->IsModified());
    EXPECT_STREQ(folder.File("keys.vxt").c_str(), app.Doc()->GetPathName());
}

TEST_F(FrameProgram, PromptsFollowTheMenuAndTheBarsButtons)
{
    StartWithNewDocument();
    CShowFrame* pFrame = app.Frame();
    HMENU hFile = ::GetSubMenu(::GetMenu(pFrame->m_hWnd), 0);
    pFrame->SendMessage(WM_MENUSELECT, MAKEWPARAM(ID_FILE_SAVE, MF_STRING), reinterpret_cast<LPARAM>(hFile));
    EXPECT_STREQ("Save the show", AfxGetWindowText(pFrame->m_status.m_hWnd));
    pFrame->SendMessage(WM_MENUSELECT, MAKEWPARAM(0, 0xFFFF), 0);   // the menu closed
    EXPECT_STREQ("Ready", AfxGetWindowText(pFrame->m_status.m_hWnd));

    // The real cursor stays out of the way: the system's own mouse moves must not mix with the test's.
    pFrame->SetWindowPos(nullptr, 0, 0, 640, 480, SWP_NOZORDER | SWP_NOACTIVATE);
    ::SetCursorPos(::GetSystemMetrics(SM_CXSCREEN) - 1, ::GetSystemMetrics(SM_CYSCREEN) - 1);
    Pump();

    // The mouse over a button of the bar: its tip (the string's second part) and its prompt (the first).
    CButton& save = pFrame->m_bar.m_save;
    save.PostMessage(WM_MOUSEMOVE, 0, MAKELPARAM(5, 5));
    Pump();
    EXPECT_STREQ("Save the show", AfxGetWindowText(pFrame->m_status.m_hWnd));
    HWND hTip = ::FindWindowA(TOOLTIPS_CLASSA, nullptr);
    ASSERT_NE(nullptr, hTip);
    ASSERT_EQ(1, ::SendMessageA(hTip, TTM_GETTOOLCOUNT, 0, 0));
    char text[80] = {};
    TOOLINFOA ti = {};
    ti.cbSize = sizeof(ti);
    ti.lpszText = text;
    ASSERT_TRUE(::SendMessageA(hTip, TTM_ENUMTOOLSA, 0, reinterpret_cast<LPARAM>(&ti)));
    EXPECT_STREQ("Save", text);
    EXPECT_EQ(pFrame->m_bar.m_hWnd, ti.hwnd);

    // Over the view's cell: the view's own tip; leaving the bar brings the idle prompt back.
    CShowView* pView = app.View();
    pView->PostMessage(WM_MOUSEMOVE, 0, MAKELPARAM(20, 20));
    Pump();
    EXPECT_STREQ("Ready", AfxGetWindowText(pFrame->m_status.m_hWnd));
    ASSERT_EQ(1, ::SendMessageA(hTip, TTM_GETTOOLCOUNT, 0, 0));
    ASSERT_TRUE(::SendMessageA(hTip, TTM_ENUMTOOLSA, 0, reinterpret_cast<LPARAM>(&ti)));
    EXPECT_STREQ("Cell one", text);
    EXPECT_EQ(pView->m_hWnd, ti.hwnd);
    pView->PostMessage(WM_MOUSEMOVE, 0, MAKELPARAM(300, 300));   // no cell there
    Pump();
    EXPECT_EQ(0, ::SendMessageA(hTip, TTM_GETTOOLCOUNT, 0, 0));
}

TEST_F(FrameProgram, CommandsGoToTheViewItsDocumentTheFrameThenTheApplication)
{
    StartWithNewDocument();
    Command(ID_TEST_ROUTE);
    EXPECT_EQ("view doc frame app", g_route);   // nobody took it: every target was asked, in order
    g_route.clear();
    g_routeTakers = "doc frame";
    Command(ID_TEST_ROUTE);
    EXPECT_EQ("view doc", g_route);   // the document took it before the frame

    // A dialog owned by the frame follows the frame's route after its own.
    g_route.clear();
    g_routeTakers = "frame";
    CDialog dialog;
    ASSERT_TRUE(dialog.CreateIndirect(nullptr, app.Frame()) == FALSE);   // no template: no window
    dialog.m_pParentWnd = app.Frame();
    EXPECT_TRUE(dialog.OnCmdMsg(ID_TEST_ROUTE, CN_COMMAND, nullptr, nullptr));
    EXPECT_EQ("view doc frame", g_route);
    EXPECT_TRUE(dialog.OnCmdMsg(ID_TEST_DOC_ONLY, CN_COMMAND, nullptr, nullptr));
    EXPECT_EQ(1, app.Doc()->docOnly);
}

}   // namespace
