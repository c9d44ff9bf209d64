// Command routing (OnCmdMsg), command-UI updates on a menu and idle processing.
#include "framework/win/Framework.h"
#include "WinTestIds.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

namespace
{

enum
{
    ID_HANDLED = 200,
    ID_UPDATED_DISABLED = 201,
    ID_NO_HANDLER = 202,
    ID_TEXT_AND_RADIO = 203,
    ID_APP_ONLY = 204,
    ID_TOOL = 205,
};

class CCommandWnd : public CWnd
{
public:
    std::vector<std::string> calls;
    int idleUpdates = 0;

    afx_msg void OnHandled() { calls.push_back("handled"); }
    afx_msg void OnDisabledCommand() { calls.push_back("disabled ran"); }
    afx_msg void OnUpdateDisabled(CCmdUI* pCmdUI)
    {
        pCmdUI->SetCheck(1);
        pCmdUI->Enable(FALSE);
    }
    afx_msg void OnTextCommand() {}
    afx_msg void OnUpdateText(CCmdUI* pCmdUI)
    {
        pCmdUI->SetText("Renamed");
        pCmdUI->SetRadio(TRUE);
    }
    afx_msg void OnIdleUpdate() { ++idleUpdates; }
    DECLARE_MESSAGE_MAP()
};

BEGIN_MESSAGE_MAP(CCommandWnd, CWnd)
    ON_COMMAND(ID_HANDLED, OnHandled)
    ON_COMMAND(ID_UPDATED_DISABLED, OnDisabledCommand)
    ON_UPDATE_COMMAND_UI(ID_UPDATED_DISABLED, OnUpdateDisabled)
    ON_COMMAND(ID_TEXT_AND_RADIO, OnTextCommand)
    ON_UPDATE_COMMAND_UI(ID_TEXT_AND_RADIO, OnUpdateText)
    ON_MESSAGE_VOID(WM_IDLEUPDATECMDUI, OnIdleUpdate)
END_MESSAGE_MAP()

class CTestApp : public CWinApp
{
public:
    CTestApp() : CWinApp("CommandTest") {}
    int appCommands = 0;
    int appToolUpdates = 0;
    afx_msg void OnAppOnly() { ++appCommands; }
    afx_msg void OnUpdateTool(CCmdUI* pCmdUI)
    {
        ++appToolUpdates;
        pCmdUI->SetCheck(1);
    }
    DECLARE_MESSAGE_MAP()
};

BEGIN_MESSAGE_MAP(CTestApp, CWinApp)
    ON_COMMAND(ID_APP_ONLY, OnAppOnly)
    ON_UPDATE_COMMAND_UI(ID_TOOL, OnUpdateTool)
END_MESSAGE_MAP()

// Runs the tool commands; their update handler only lets the update go on.
class CContinueDialog : public CDialog
{
public:
    int toolUpdates = 0;
    afx_msg void OnTool(UINT) {}
    afx_msg void OnUpdateTool(CCmdUI* pCmdUI)
    {
        ++toolUpdates;
        pCmdUI->ContinueRouting();
    }
    DECLARE_MESSAGE_MAP()
};

BEGIN_MESSAGE_MAP(CContinueDialog, CDialog)
    ON_COMMAND_RANGE(ID_TOOL, ID_TOOL + 10, OnTool)
    ON_UPDATE_COMMAND_UI_RANGE(ID_TOOL, ID_TOOL + 10, OnUpdateTool)
END_MESSAGE_MAP()

CMenu* MakeMenu(CMenu& menu)
{
    menu.CreatePopupMenu();
    menu.AppendMenu(MF_STRING, ID_HANDLED, "Handled");
    menu.AppendMenu(MF_STRING, ID_UPDATED_DISABLED, "Disabled");
    menu.AppendMenu(MF_SEPARATOR);
    menu.AppendMenu(MF_STRING, ID_NO_HANDLER, "Nobody");
    menu.AppendMenu(MF_STRING, ID_TEXT_AND_RADIO, "Text");
    return &menu;
}

TEST(Menus, TemporaryWrapperFollowsItsMenu)
{
    HMENU h = ::CreatePopupMenu();
    CMenu* temp = CMenu::FromHandle(h);
    temp->Detach();
    EXPECT_EQ(temp, CMenu::FromHandle(h));
    EXPECT_EQ(h, temp->m_hMenu);   // a detached wrapper still stands for its menu
    CMenu menu;
    ASSERT_TRUE(menu.Attach(h));
    EXPECT_EQ(&menu, CMenu::FromHandle(h));   // an attached object comes before the temporary
    EXPECT_TRUE(menu.DestroyMenu());
    EXPECT_EQ(nullptr, temp->m_hMenu);   // and does not outlive it with a dead handle
    CMenu::DeleteTempMap();
}

TEST(CommandRouting, HandlerInfoOnlyAnswersWhetherAHandlerExists)
{
    CCommandWnd wnd;
    AFX_CMDHANDLERINFO info = {nullptr};
    EXPECT_TRUE(wnd.OnCmdMsg(ID_HANDLED, CN_COMMAND, nullptr, &info));
    EXPECT_EQ(&wnd, info.pTarget);
    EXPECT_TRUE(wnd.calls.empty());   // nothing ran
    info.pTarget = nullptr;
    EXPECT_FALSE(wnd.OnCmdMsg(ID_NO_HANDLER, CN_COMMAND, nullptr, &info));
    EXPECT_EQ(nullptr, info.pTarget);

    EXPECT_TRUE(wnd.OnCmdMsg(ID_HANDLED, CN_COMMAND, nullptr, nullptr));
    EXPECT_EQ(std::vector<std::string>{"handled"}, wnd.calls);
}

TEST(CommandRouting, MenuCommandOfADisabledItemDoesNotRun)
{
    CCommandWnd wnd;
    ASSERT_TRUE(wnd.CreateEx(0, nullptr, "cmd", WS_POPUP, 0, 0, 10, 10, nullptr, nullptr));
    wnd.SendMessage(WM_COMMAND, MAKEWPARAM(ID_UPDATED_DISABLED, 0), 0);   // from a menu
    wnd.SendMessage(WM_COMMAND, MAKEWPARAM(ID_UPDATED_DISABLED, 1), 0);   // from an accelerator
    wnd.SendMessage(WM_COMMAND, MAKEWPARAM(ID_HANDLED, 1), 0);
    EXPECT_EQ(std::vector<std::string>{"handled"}, wnd.calls);
}

TEST(CommandRouting, DialogPassesUnhandledCommandsToTheApplication)
{
    CTestApp app;
    CDialog dlg;
    EXPECT_TRUE(dlg.OnCmdMsg(ID_APP_ONLY, CN_COMMAND, nullptr, nullptr));
    EXPECT_EQ(1, app.appCommands);
    EXPECT_FALSE(dlg.OnCmdMsg(ID_NO_HANDLER, CN_COMMAND, nullptr, nullptr));
}

class COuterDialog : public CDialog
{
public:
    int handled = 0;
    afx_msg void OnHandled() { ++handled; }
    DECLARE_MESSAGE_MAP()
};

BEGIN_MESSAGE_MAP(COuterDialog, CDialog)
    ON_COMMAND(ID_HANDLED, OnHandled)
END_MESSAGE_MAP()

TEST(CommandRouting, DialogFollowsTheRouteOfTheDialogThatOwnsIt)
{
    CTestApp app;
    COuterDialog outer;
    ASSERT_TRUE(outer.Create(IDD_TEST));
    CDialog inner;
    ASSERT_TRUE(inner.Create(IDD_TEST, &outer));
    EXPECT_TRUE(inner.OnCmdMsg(ID_HANDLED, CN_COMMAND, nullptr, nullptr));
    EXPECT_EQ(1, outer.handled);
    EXPECT_TRUE(inner.OnCmdMsg(ID_APP_ONLY, CN_COMMAND, nullptr, nullptr));   // on through the outer one
    EXPECT_EQ(1, app.appCommands);
    EXPECT_FALSE(inner.OnCmdMsg(ID_NO_HANDLER, CN_COMMAND, nullptr, nullptr));
    inner.DestroyWindow();
    outer.DestroyWindow();
}

TEST(CommandUI, MenuItemsFollowTheirHandlers)
{
    CCommandWnd wnd;
    CMenu menu;
    AfxUpdateMenuCmdUI(&wnd, MakeMenu(menu), TRUE);

    EXPECT_EQ(0u, menu.GetMenuState(ID_HANDLED, MF_BYCOMMAND) & (MF_GRAYED | MF_CHECKED));
    UINT disabled = menu.GetMenuState(ID_UPDATED_DISABLED, MF_BYCOMMAND);
    EXPECT_TRUE(disabled & MF_GRAYED);
    EXPECT_TRUE(disabled & MF_CHECKED);
    EXPECT_TRUE(menu.GetMenuState(ID_NO_HANDLER, MF_BYCOMMAND) & MF_GRAYED);   // no handler: disabled

    CString text;
    menu.GetMenuString(ID_TEXT_AND_RADIO, text, MF_BYCOMMAND);
    EXPECT_STREQ("Renamed", text);
    MENUITEMINFOA info = {};
    info.fMask = MIIM_FTYPE | MIIM_STATE;
    ASSERT_TRUE(menu.GetMenuItemInfo(ID_TEXT_AND_RADIO, &info));
    EXPECT_TRUE(info.fType & MFT_RADIOCHECK);
    EXPECT_TRUE(info.fState & MFS_CHECKED);
    EXPECT_FALSE(info.fState & MFS_GRAYED);
}

TEST(CommandUI, UpdateThatContinuesRoutingReachesTheNextHandler)
{
    CTestApp app;
    CContinueDialog dlg;
    CMenu menu;
    ASSERT_TRUE(menu.CreatePopupMenu());
    menu.AppendMenu(MF_STRING | MF_GRAYED, ID_TOOL, "Tool");
    menu.AppendMenu(MF_STRING | MF_GRAYED, ID_TOOL + 1, "Other tool");
    AfxUpdateMenuCmdUI(&dlg, &menu, TRUE);
    EXPECT_EQ(2, dlg.toolUpdates);
    EXPECT_EQ(1, app.appToolUpdates);   // the application's handler got the update of its item
    EXPECT_TRUE(menu.GetMenuState(ID_TOOL, MF_BYCOMMAND) & MF_CHECKED);
    // No one else updates the other item: it stays enabled because its command has a handler.
    EXPECT_EQ(0u, menu.GetMenuState(ID_TOOL + 1, MF_BYCOMMAND) & (MF_GRAYED | MF_CHECKED));
}

TEST(CommandUI, WithoutDisableIfNoHandlerItemsStayEnabled)
{
    CCommandWnd wnd;
    CMenu menu;
    AfxUpdateMenuCmdUI(&wnd, MakeMenu(menu), FALSE);
    EXPECT_EQ(0u, menu.GetMenuState(ID_NO_HANDLER, MF_BYCOMMAND) & MF_GRAYED);
}

TEST(CommandUI, ControlItemIsEnabledAndChecked)
{
    CWnd parent;
    ASSERT_TRUE(parent.CreateEx(0, nullptr, "p", WS_POPUP, 0, 0, 100, 100, nullptr, nullptr));
    CButton check;
    ASSERT_TRUE(
        check.Create("c", BS_AUTOCHECKBOX | WS_VISIBLE, CRect(0, 0, 50, 20), &parent, ID_UPDATED_DISABLED));
    CCommandWnd target;
    CCmdUI state;
    state.m_nID = ID_UPDATED_DISABLED;
    state.m_pOther = &check;
    state.DoUpdate(&target, TRUE);
    EXPECT_FALSE(check.IsWindowEnabled());
    EXPECT_EQ(BST_CHECKED, check.GetCheck());
}

TEST(IdleProcessing, TopLevelWindowsGetTheCommandUIUpdate)
{
    CTestApp app;
    CCommandWnd visible, hidden;
    ASSERT_TRUE(visible.CreateEx(0, nullptr, "v", WS_POPUP | WS_VISIBLE, 0, 0, 10, 10, nullptr, nullptr));
    ASSERT_TRUE(hidden.CreateEx(0, nullptr, "h", WS_POPUP, 0, 0, 10, 10, nullptr, nullptr));
    EXPECT_TRUE(app.OnIdle(0));
    EXPECT_EQ(1, visible.idleUpdates);
    EXPECT_EQ(0, hidden.idleUpdates);
    EXPECT_FALSE(app.OnIdle(1));
}

}   // namespace

namespace
{

TEST(CommandUI, DialogControlsFollowTheTarget)
{
    CWnd bar;
    ASSERT_TRUE(bar.CreateEx(0, nullptr, "bar", WS_POPUP, 0, 0, 200, 50, nullptr, nullptr));
    CButton handled, orphan, check;
    ASSERT_TRUE(handled.Create("h", WS_VISIBLE | BS_PUSHBUTTON, CRect(0, 0, 40, 20), &bar, ID_HANDLED));
    ASSERT_TRUE(orphan.Create("o", WS_VISIBLE | BS_PUSHBUTTON, CRect(50, 0, 90, 20), &bar, ID_NO_HANDLER));
    ASSERT_TRUE(check.Create("c", WS_VISIBLE | BS_AUTOCHECKBOX, CRect(100, 0, 140, 20), &bar, ID_APP_ONLY));
    CCommandWnd target;
    bar.UpdateDialogControls(&target, TRUE);
    EXPECT_TRUE(handled.IsWindowEnabled());
    EXPECT_FALSE(orphan.IsWindowEnabled());   // a push button without a handler
    EXPECT_TRUE(check.IsWindowEnabled());     // other controls are not disabled for that
}

}   // namespace
