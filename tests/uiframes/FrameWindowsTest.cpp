// The library's frame windows: the bar layout saved when a frame closes and restored when the next one
// opens, the user's shortcuts in menus and keys, and the MDI frame's commands with its document windows.
#include "MenuTestFrame.h"
#include "UiFramesTestSupport.h"

#include "resources/uilib/UilibResources.h"
#include "support/win_DialogDriver.h"
#include "uilib/core/bars/CustomToolBar.h"
#include "uilib/core/bars/CustomizeCenter.h"
#include "uilib/core/base/GlobalData.h"
#include "uilib/frames/CustomizeSheet.h"
#include "uilib/frames/DockState.h"
#include "uilib/frames/FrameWindows.h"

namespace
{

const char kProfile[] = "FwLayout";
const UINT kFwBarIds[3] = {0xE810, 0xE811, 0xE812};
const UINT kFwWindowIds[2] = {0xE830, 0xE831};
const UINT kFwCustomBar = 0xE8F0;

// An MDI frame with the menu bar, three tool bars along the top, a docking window on the left and, when asked,
// a second one the saved layout never knew. It loads its layout as it opens and saves it as it closes.
class CFwFrame : public CUXMDIFrameWnd
{
public:
    static bool s_withThirdBar;
    static bool s_withSecondWindow;
    CFtToolBar m_bars[3];
    CFtDockWindow m_windows[2];
    CListBox m_lists[2];

protected:
    afx_msg int OnCreate(LPCREATESTRUCT lpCreateStruct)
    {
        if (CUXMDIFrameWnd::OnCreate(lpCreateStruct) == -1 || !m_wndMenuBar.CreateEx(this))
            return -1;
        const char* titles[3] = {"One", "Two", "Three"};
        for (int i = 0; i < 3; ++i)
            if ((i < 2 || s_withThirdBar) && !m_bars[i].CreateBar(this, kFwBarIds[i], CBRS_ALIGN_TOP, titles[i]))
                return -1;
        for (int i = 0; i < (s_withSecondWindow ? 2 : 1); ++i)
        {
            if (!m_windows[i].Create(this, i == 0 ? "Files" : "Output", kFwWindowIds[i]) ||
                !m_lists[i].Create(WS_CHILD | WS_VISIBLE | LBS_NOINTEGRALHEIGHT, CRect(0, 0, 0, 0), &m_windows[i],
                                   1))
                return -1;
            m_windows[i].SetChild(&m_lists[i]);
            m_windows[i].SetDockedSize(CUXDockWindow::kLeft, CSize(120, 100));
            m_windows[i].EnableDocking(CBRS_ALIGN_ANY);
        }
        UXEnableDocking(this, CBRS_ALIGN_ANY);
        m_wndMenuBar.EnableDocking(CBRS_ALIGN_ANY);
        DockControlBar(&m_wndMenuBar);
        for (int i = 0; i < 3; ++i)
            if (m_bars[i].m_hWnd != nullptr)
                DockControlBar(&m_bars[i]);
        for (int i = 0; i < 2; ++i)
            if (m_windows[i].m_hWnd != nullptr)
                DockControlBar(&m_windows[i], AFX_IDW_DOCKBAR_LEFT);
        LoadBarState(kProfile);
        return 0;
    }
    afx_msg void OnClose()
    {
        SaveBarState(kProfile);
        CUXMDIFrameWnd::OnClose();
    }
    DECLARE_MESSAGE_MAP()
};

bool CFwFrame::s_withThirdBar = true;
bool CFwFrame::s_withSecondWindow = false;

BEGIN_MESSAGE_MAP(CFwFrame, CUXMDIFrameWnd)
    ON_WM_CREATE()
    ON_WM_CLOSE()
END_MESSAGE_MAP()

class FrameWindowsTest : public UiFramesProgram
{
protected:
    void TearDown() override
    {
        CFwFrame::s_withThirdBar = true;
        CFwFrame::s_withSecondWindow = false;
        UiFramesProgram::TearDown();
    }

    // The frame at (0, 0), 700 x 500, not the program's main window (its closing ends no loop).
    static CFwFrame* OpenFrame()
    {
        CFwFrame* frame = new CFwFrame;
        if (!frame->LoadFrame(IDR_FT_MDI))
            return nullptr;
        frame->SetWindowPos(nullptr, 0, 0, 700, 500, SWP_NOZORDER | SWP_SHOWWINDOW);
        frame->RecalcLayout();
        PumpPending();
        return frame;
    }
    static CRect Rect(const CWnd& wnd) { return FtScreenRect(wnd.m_hWnd); }
};

}   // namespace

TEST_F(FrameWindowsTest, LayoutSavedAtCloseIsRestoredAtStartWithoutTheBarsTheFrameLost)
{
    CFwFrame* frame = OpenFrame();
    ASSERT_NE(nullptr, frame);
    CControlBar* top = frame->GetControlBar(AFX_IDW_DOCKBAR_TOP);

    // The third bar goes right after the first in its row; the second floats; the docking window is thicker;
    // the user made a bar of their own.
    frame->DockControlBarLeftOf(&frame->m_bars[2], &frame->m_bars[0]);
    EXPECT_EQ(top, frame->m_bars[2].m_pDockBar);
    EXPECT_EQ(Rect(frame->m_bars[0]).top, Rect(frame->m_bars[2]).top);
    EXPECT_GE(Rect(frame->m_bars[2]).left, Rect(frame->m_bars[0]).right - 2);
    frame->FloatControlBar(&frame->m_bars[1], CPoint(420, 300), CBRS_ALIGN_TOP);
    frame->m_windows[0].SetDockedSize(CUXDockWindow::kLeft, CSize(170, 100));
    CUXToolBar* mine = GetCustomizeCenter().CreateCustomBar(frame, kFwCustomBar, "Mine");
    ASSERT_NE(nullptr, mine);
    GetCustomizeCenter().PlaceCustomBar(frame, mine);
    ASSERT_TRUE(mine->IsFloating());
    frame->RecalcLayout();
    PumpPending();
    CRect first = Rect(frame->m_bars[0]), floating = Rect(*frame->m_bars[1].GetParentFrame());
    CRect mineFrame = Rect(*mine->GetParentFrame()), window = Rect(frame->m_windows[0]);

    HWND hFrame = frame->m_hWnd;
    ::SendMessageA(hFrame, WM_CLOSE, 0, 0);
    PumpPending();
    ASSERT_FALSE(::IsWindow(hFrame));

    // The next frame has lost the third bar (whose id the top row lists) and gained a docking window the
    // layout never knew: the rest comes back as it was.
    CFwFrame::s_withThirdBar = false;
    CFwFrame::s_withSecondWindow = true;
    frame = OpenFrame();
    ASSERT_NE(nullptr, frame);
    EXPECT_EQ(nullptr, frame->GetControlBar(kFwBarIds[2]));
    EXPECT_EQ(first, Rect(frame->m_bars[0]));
    ASSERT_TRUE(frame->m_bars[1].IsFloating());
    EXPECT_EQ(floating, Rect(*frame->m_bars[1].GetParentFrame()));
    EXPECT_TRUE(frame->m_bars[1].GetParentFrame()->IsKindOf(RUNTIME_CLASS(CUXMiniDockFrameWnd)));
    EXPECT_TRUE(frame->m_bars[1].GetParentFrame()->IsWindowVisible());
    CControlBar* restored = frame->GetControlBar(kFwCustomBar);
    ASSERT_NE(nullptr, restored);
    EXPECT_TRUE(restored->IsKindOf(RUNTIME_CLASS(CUXCustomToolBar)));
    CString title;
    restored->GetWindowText(title);
    EXPECT_STREQ("Mine", title.GetString());
    ASSERT_TRUE(restored->IsFloating());
    EXPECT_EQ(mineFrame, Rect(*restored->GetParentFrame()));
    EXPECT_EQ(CSize(170, 100), frame->m_windows[0].GetDockedSize(CUXDockWindow::kLeft));
    EXPECT_EQ(window, Rect(frame->m_windows[0]));
    EXPECT_EQ(CSize(120, 100), frame->m_windows[1].GetDockedSize(CUXDockWindow::kLeft));
    EXPECT_TRUE(frame->m_windows[1].IsVisible());
    EXPECT_EQ(frame->GetControlBar(AFX_IDW_DOCKBAR_TOP), frame->m_wndMenuBar.m_pDockBar);

    // What it holds now names no bar it lacks.
    CUXDockState state;
    frame->GetDockState(state);
    for (const auto& pInfo : state.m_arrBarInfo)
    {
        EXPECT_NE(kFwBarIds[2], pInfo->m_nBarID);
        for (INT_PTR j = 0; j < pInfo->m_arrBarID.GetSize(); ++j)
            EXPECT_NE(kFwBarIds[2], pInfo->m_arrBarID[j]);
    }
    frame->DestroyWindow();
    PumpPending();
}

TEST_F(FrameWindowsTest, MdiFrameCommandsReachTheWindowListAndOneCustomizeDialogThatEndsWithTheFrame)
{
    // Both frames made by class, as a document template makes them.
    CUXMDIFrameWnd* frame = static_cast<CUXMDIFrameWnd*>(RUNTIME_CLASS(CUXMDIFrameWnd)->CreateObject());
    ASSERT_TRUE(frame->LoadFrame(IDR_FT_MDI));
    app.m_pMainWnd = frame;
    frame->SetWindowPos(nullptr, 0, 0, 700, 500, SWP_NOZORDER | SWP_SHOWWINDOW);
    ASSERT_TRUE(frame->m_wndMenuBar.CreateEx(frame));
    // The frame's own EnableDocking is the library's docking: its dock bars (with the docking windows'
    // splitters) and floating frames.
    frame->EnableDocking(CBRS_ALIGN_ANY);
    EXPECT_TRUE(frame->GetControlBar(AFX_IDW_DOCKBAR_LEFT)->IsKindOf(RUNTIME_CLASS(CUXDockBar)));
    EXPECT_EQ(RUNTIME_CLASS(CUXMiniDockFrameWnd), frame->m_pFloatingFrameClass);
    frame->m_wndMenuBar.EnableDocking(CBRS_ALIGN_ANY);
    frame->DockControlBar(&frame->m_wndMenuBar);
    EXPECT_TRUE(frame->GetCoolMenu().IsAttached());

    CUXMDIChildWnd* children[2] = {};
    CFtDoc* docs[2] = {};
    for (int i = 0; i < 2; ++i)
    {
        children[i] = static_cast<CUXMDIChildWnd*>(RUNTIME_CLASS(CUXMDIChildWnd)->CreateObject());
        ASSERT_TRUE(children[i]->Create(nullptr, i == 0 ? "First" : "Second",
                                        WS_CHILD | WS_VISIBLE | WS_OVERLAPPEDWINDOW,
                                        CRect(10 * i, 10 * i, 10 * i + 240, 10 * i + 160), frame));
        EXPECT_TRUE(children[i]->GetChildCoolMenu().IsAttached());
        // The view comes afterwards, into the window that is there.
        docs[i] = new CFtDoc;
        CCreateContext context;
        context.m_pCurrentDoc = docs[i];
        CWnd* view = children[i]->CreateViewInFrame(RUNTIME_CLASS(CFtView), &context);
        ASSERT_NE(nullptr, view);
        EXPECT_EQ(AFX_IDW_PANE_FIRST, view->GetDlgCtrlID());
        EXPECT_EQ(view, children[i]->GetActiveView());
        EXPECT_EQ(docs[i], children[i]->GetActiveDocument());
    }
    PumpPending();

    // A document window shows the frame's menu, the one its menu bar holds.
    ASSERT_NE(nullptr, frame->GetMenu());
    EXPECT_EQ(frame->m_wndMenuBar.GetCurrentMenu(), frame->GetMenu()->GetSafeHmenu());
    ASSERT_NE(nullptr, children[0]->GetMenu());
    EXPECT_EQ(frame->GetMenu()->GetSafeHmenu(), children[0]->GetMenu()->GetSafeHmenu());

    // The tools' entries and "Display full menus" stay enabled where a command without a handler is not;
    // a colour change reaches the look data.
    CMenu popup;
    ASSERT_TRUE(popup.CreatePopupMenu());
    popup.AppendMenu(MF_STRING, ID_UX_TOOLS_FIRST + 3, "Tool");
    popup.AppendMenu(MF_STRING, ID_UX_FULL_MENUS, "Full");
    popup.AppendMenu(MF_STRING, 0x7777, "Nobody's");
    AfxUpdateMenuCmdUI(frame, &popup, TRUE);
    EXPECT_FALSE(popup.GetMenuState(0, MF_BYPOSITION) & MF_GRAYED);
    EXPECT_FALSE(popup.GetMenuState(1, MF_BYPOSITION) & MF_GRAYED);
    EXPECT_TRUE(popup.GetMenuState(2, MF_BYPOSITION) & MF_GRAYED);
    uxAfxData.m_clrBtnFace = RGB(1, 2, 3);
    frame->SendMessage(WM_SYSCOLORCHANGE);
    EXPECT_EQ(::GetSysColor(COLOR_BTNFACE), uxAfxData.m_clrBtnFace);

    // Activated, a document window makes its view the active one again.
    CView* firstView = children[0]->GetActiveView();
    children[0]->SetActiveView(nullptr);
    children[0]->ActivateFrame();
    EXPECT_EQ(firstView, children[0]->GetActiveView());
    EXPECT_EQ(children[0], frame->MDIGetActive());

    // "More Windows..." lists both document windows.
    std::vector<std::string> listed;
    int customizeSteps = 0;
    HWND hFrame = frame->m_hWnd;
    CDialogDriver driver({[&](HWND hDlg)
                          {
                              HWND hList = ::GetDlgItem(hDlg, IDC_UX_WL_LIST);
                              for (int i = 0; i < static_cast<int>(::SendMessageA(hList, LB_GETCOUNT, 0, 0)); ++i)
                              {
                                  char text[64] = {};
                                  ::SendMessageA(hList, LB_GETTEXT, static_cast<WPARAM>(i),
                                                 reinterpret_cast<LPARAM>(text));
                                  listed.push_back(text);
                              }
                              CDialogDriver::Click(hDlg, IDOK);
                          },
                          [&](HWND)
                          {
                              // The document window's customize command customizes the main frame; a second
                              // request while the dialog runs opens nothing.
                              ++customizeSteps;
                              CUXCustomizeSheet* sheet = CUXFrameImpl::GetCustomizeSheet();
                              ASSERT_NE(nullptr, sheet);
                              EXPECT_EQ(frame, sheet->GetFrame());
                              EXPECT_EQ(sheet, CUXCustomizeSheet::GetRunning());
                              frame->SendMessage(WM_COMMAND, ID_UX_CUSTOMIZE);
                              EXPECT_EQ(sheet, CUXFrameImpl::GetCustomizeSheet());
                              // The frame goes while its dialog runs.
                              app.m_pMainWnd = nullptr;
                              frame->DestroyWindow();
                          }});
    frame->SendMessage(WM_COMMAND, ID_UX_MORE_WINDOWS);
    EXPECT_EQ((std::vector<std::string>{"First", "Second"}), listed);
    ::SendMessageA(children[1]->m_hWnd, WM_COMMAND, ID_UX_CUSTOMIZE, 0);
    EXPECT_EQ(1, customizeSteps);
    EXPECT_EQ(2u, driver.StepsRun());
    EXPECT_FALSE(::IsWindow(hFrame));
    EXPECT_EQ(nullptr, CUXFrameImpl::GetCustomizeSheet());
    EXPECT_EQ(nullptr, CUXCustomizeSheet::GetRunning());
    PumpPending();
}

// ---- shortcuts, with the menu tests' frame ----------------------------------------------------------------

TEST_F(MenuTest, MenusShowTheFirstCurrentShortcutAndShortcutKeysComeBeforeTheMenuBar)
{
    const BYTE typed = FVIRTKEY | FNOINVERT;
    CUXKeyMapManager& manager = GetKeyMapManager();
    ASSERT_TRUE(manager.Enable(frame));
    EXPECT_EQ((std::vector<std::string>{"&New\tCtrl+N", "&Open...", "&Save"}), FileMenuTexts(3));

    // New loses its shortcut (and its old tab text); Open gets two (the first is shown); Save gets a plain
    // letter.
    ASSERT_TRUE(manager.RemoveShortcut(FCONTROL, 'N'));
    manager.AddShortcut(ID_MT_OPEN, typed, VK_F3);
    manager.AddShortcut(ID_MT_OPEN, typed | FCONTROL, 'O');
    manager.AddShortcut(ID_MT_SAVE, typed, 'S');
    ASSERT_TRUE(manager.Apply());
    EXPECT_EQ((std::vector<std::string>{"&New", "&Open...\tF3", "&Save\tS"}), FileMenuTexts(3));

    // With the menu bar's keyboard mode on, the plain shortcut runs its command; another letter stays the
    // bar's (no entry has it: a beep).
    auto key = [&](UINT message, WPARAM vk, LPARAM lParam)
    {
        MSG msg = {frame->m_hWnd, message, vk, lParam, 0, {}};
        return frame->PreTranslateMessage(&msg);
    };
    EXPECT_TRUE(key(WM_SYSKEYDOWN, VK_MENU, 0x20000000));
    EXPECT_TRUE(key(WM_SYSKEYUP, VK_MENU, 0x20000000));
    ASSERT_EQ(CUXMenuBar::kKeyboard, frame->m_menuBar.GetMode());
    EXPECT_TRUE(key(WM_KEYDOWN, 'S', 0));
    EXPECT_EQ((std::vector<UINT>{ID_MT_SAVE}), frame->commands);
    EXPECT_EQ(0, frame->m_menuBar.beeps);
    EXPECT_TRUE(key(WM_KEYDOWN, 'Q', 0));
    EXPECT_EQ(1, frame->m_menuBar.beeps);
    EXPECT_EQ((std::vector<UINT>{ID_MT_SAVE}), frame->commands);

    // A document window that closes leaves the shortcuts on; the frame that closes stores them and switches
    // them off.
    CUXMDIChildWnd* child = new CUXMDIChildWnd;
    ASSERT_TRUE(
        child->Create(nullptr, "Doc", WS_CHILD | WS_VISIBLE | WS_OVERLAPPEDWINDOW, CFrameWnd::rectDefault, frame));
    child->MDIDestroy();
    Pump();
    EXPECT_TRUE(manager.IsEnabled());
    std::vector<BYTE> stored;
    EXPECT_FALSE(ReadSetting("Accelerators", stored));
    CloseFrame();
    EXPECT_FALSE(manager.IsEnabled());
    ASSERT_TRUE(ReadSetting("Accelerators", stored));
    EXPECT_EQ(3u * sizeof(CUXStoredAccel), stored.size());
    OpenFrame();
}
