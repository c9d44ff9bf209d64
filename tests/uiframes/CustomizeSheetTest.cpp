// The customize dialog: the options store and page, the page it remembers, its hooks that keep the frame from
// the mouse and the keys while it runs, whichever way it ends, the customize mode of the bars around it, and a
// menu's sub-menu dragged from it onto a bar with the mouse.
#include "MenuTestFrame.h"
#include "UiFramesTestSupport.h"

#include "resources/uilib/UilibResources.h"
#include "support/win_DialogDriver.h"
#include "support/win_MessageSequence.h"
#include "uilib/core/bars/CustomizeCenter.h"
#include "uilib/core/base/Crc32.h"
#include "uilib/core/base/SettingsStore.h"
#include "uilib/frames/CustCommandsPage.h"
#include "uilib/frames/CustOptions.h"
#include "uilib/frames/CustToolBarPage.h"
#include "uilib/frames/CustomizeSheet.h"
#include "uilib/frames/ToolsManager.h"

namespace
{

// A child that counts the clicks and keys it is given.
class CCsPane : public CWnd
{
public:
    int clicks = 0;
    int keys = 0;

    BOOL Make(CWnd* parent, const CRect& rect, UINT nID)
    {
        LPCSTR cls =
            AfxRegisterWndClass(0, ::LoadCursorA(nullptr, IDC_ARROW), reinterpret_cast<HBRUSH>(COLOR_WINDOW + 1));
        return Create(cls, "", WS_CHILD | WS_VISIBLE, rect, parent, nID);
    }

protected:
    afx_msg void OnLButtonDown(UINT, CPoint) { ++clicks; }
    afx_msg void OnKeyDown(UINT, UINT, UINT) { ++keys; }
    DECLARE_MESSAGE_MAP()
};

BEGIN_MESSAGE_MAP(CCsPane, CWnd)
    ON_WM_LBUTTONDOWN()
    ON_WM_KEYDOWN()
END_MESSAGE_MAP()

// A frame with a client pane and a strip along its top that asks the customize dialog to let its clicks
// through, as a customizable bar does.
class CCsFrame : public CFrameWnd, public CUXCustomizeListener
{
public:
    CCsPane m_pane;
    CCsPane m_strip;
    CUXCustomizeRegistration m_registration{this};

    void OnNameCustomizeWindows(std::vector<HWND>& windows) override { windows.push_back(m_strip.m_hWnd); }

protected:
    afx_msg int OnCreate(LPCREATESTRUCT lpCreateStruct)
    {
        if (CFrameWnd::OnCreate(lpCreateStruct) == -1 || !m_strip.Make(this, CRect(0, 0, 680, 30), 1) ||
            !m_pane.Make(this, CRect(0, 30, 680, 440), 2))
            return -1;
        m_registration.Add(CUXCustomizeCenter::kCustomizeStart);
        return 0;
    }
    DECLARE_MESSAGE_MAP()
};

BEGIN_MESSAGE_MAP(CCsFrame, CFrameWnd)
    ON_WM_CREATE()
END_MESSAGE_MAP()

// The ways the customize dialog ends: its OK command, its Close button, Escape, or its owner going.
enum SheetEnding
{
    kOK,
    kCloseButton,
    kEscape,
    kOwnerGone
};

void EndSheet(HWND hSheet, SheetEnding ending, CWnd* owner)
{
    switch (ending)
    {
    case kOK: ::PostMessageA(hSheet, WM_COMMAND, IDOK, 0); break;
    case kCloseButton: CDialogDriver::Click(hSheet, IDCANCEL); break;
    case kEscape:
        VxInput::Key(VK_ESCAPE, true);
        VxInput::Key(VK_ESCAPE, false);
        break;
    case kOwnerGone: owner->DestroyWindow(); break;
    }
}

class CustomizeSheetTest : public UiFramesProgram
{
protected:
    void SetUp() override
    {
        UiFramesProgram::SetUp();
        savedLook = CUXOptionsStore::FromLookData();
    }
    void TearDown() override
    {
        CUXOptionsStore::ApplyToLookData(savedLook);
        GetOptionsStore().SetEnabled(FALSE);
        GetToolsManager().SetEnabled(FALSE);
        UiFramesProgram::TearDown();
    }

    CCsFrame* MakeFrame() { return ShowMainFrame(new CCsFrame, IDR_FT_FRAME, CSize(700, 500)); }

    static BOOL WriteOptions(const BYTE* data, UINT size)
    {
        return CUXSettingsStore().WriteProfileBinary("Settings", "Options", data, size);
    }
    // The stored options, empty when there are none.
    static std::vector<BYTE> StoredOptions()
    {
        std::vector<BYTE> value;
        CUXSettingsStore().GetProfileBinary("Settings", "Options", value);
        return value;
    }

    CUXOptionsStore::Values savedLook = {};
};

}   // namespace

TEST_F(CustomizeSheetTest, OptionsAreAppliedOnlyFromSixBytesOfZeroOrOne)
{
    CUXOptionsStore store;
    CUXOptionsStore::ApplyToLookData({{1, 1, 1, 1, 1, 0}});

    // Damaged values leave the look data alone and are not taken.
    const BYTE shortValue[5] = {0, 0, 0, 0, 0};
    const BYTE longValue[7] = {0, 0, 0, 0, 0, 1, 0};
    const BYTE notFlags[6] = {0, 2, 0, 0, 0, 1};
    for (auto value :
         {std::make_pair(shortValue, 5u), std::make_pair(longValue, 7u), std::make_pair(notFlags, 6u)})
    {
        ASSERT_TRUE(WriteOptions(value.first, value.second));
        EXPECT_FALSE(store.Load()) << value.second << " bytes";
        EXPECT_TRUE(uxAfxData.m_bDocking && uxAfxData.m_bMenuShadows && uxAfxData.m_bToolTips);
        EXPECT_FALSE(uxAfxData.m_bShortcutsInTips);
        EXPECT_EQ(1, store.Get()[0]);   // the record follows the look data
    }
    ::RegDeleteTreeA(HKEY_CURRENT_USER, kAppKey);
    EXPECT_FALSE(store.Load());

    // Six flags in their order: live dragging, shadows, recent first, tips, delayed full menus, shortcuts.
    const BYTE good[6] = {0, 1, 0, 1, 0, 1};
    ASSERT_TRUE(WriteOptions(good, 6));
    EXPECT_TRUE(store.Load());
    EXPECT_FALSE(uxAfxData.m_bDocking);
    EXPECT_TRUE(uxAfxData.m_bMenuShadows);
    EXPECT_FALSE(uxAfxData.m_bMenuHideRarelyUsed);
    EXPECT_TRUE(uxAfxData.m_bToolTips);
    EXPECT_FALSE(uxAfxData.m_bMenuDelayedExpand);
    EXPECT_TRUE(uxAfxData.m_bShortcutsInTips);

    // A change is stored at the commit (values other than 0 stored as 1); a reset deletes the value.
    const BYTE changed[6] = {1, 0, 7, 1, 1, 0};
    store.Set(changed);
    EXPECT_TRUE(store.Commit());
    EXPECT_EQ((std::vector<BYTE>{1, 0, 1, 1, 1, 0}), StoredOptions());
    EXPECT_TRUE(uxAfxData.m_bDocking && uxAfxData.m_bMenuHideRarelyUsed);
    store.SetReset(TRUE);
    EXPECT_TRUE(store.Commit());
    EXPECT_TRUE(StoredOptions().empty());
}

TEST_F(CustomizeSheetTest, OptionsPageStoresItsBoxesAndTheSheetItsPage)
{
    CCsFrame* frame = MakeFrame();
    ASSERT_NE(nullptr, frame);
    GetOptionsStore().SetEnabled(TRUE);
    GetToolsManager().SetEnabled(TRUE);   // the shortcut keys in tips are offered with the user tools
    CUXOptionsStore::ApplyToLookData({{1, 1, 1, 1, 1, 1}});
    GetOptionsStore().Load();   // nothing stored: the store takes the look data

    EXPECT_EQ(0, CUXCustomizeSheet(frame, 0).GetPageCount());
    CUXCustomizeSheet sheet(frame, CUXCustomizeSheet::kOptionsPage);
    ASSERT_EQ(1, sheet.GetPageCount());
    bool checked = false;
    CDialogDriver driver({[&](HWND hSheet)
                          {
                              HWND hPage = sheet.GetOptionsPage()->m_hWnd;
                              ASSERT_NE(nullptr, hPage);
                              EXPECT_EQ("Customize", CDialogDriver::Text(hSheet));
                              EXPECT_FALSE(::IsWindowVisible(::GetDlgItem(hSheet, IDOK)));
                              EXPECT_EQ("Close", CDialogDriver::Text(::GetDlgItem(hSheet, IDCANCEL)));
                              for (UINT id : CUXCustOptions::s_checkIds)
                                  EXPECT_EQ(BST_CHECKED, ::IsDlgButtonChecked(hPage, static_cast<int>(id))) << id;
                              EXPECT_TRUE(::IsWindowEnabled(::GetDlgItem(hPage, IDC_UX_OPT_SHORTCUTS_IN_TIPS)));
                              // Unchecking "recently used first" disables the delay box at once, and unchecking
                              // the tips the shortcut keys.
                              ::SendDlgItemMessageA(hPage, IDC_UX_OPT_RECENT_FIRST, BM_CLICK, 0, 0);
                              EXPECT_FALSE(::IsWindowEnabled(::GetDlgItem(hPage, IDC_UX_OPT_FULL_MENUS_DELAY)));
                              ::SendDlgItemMessageA(hPage, IDC_UX_OPT_TOOLTIPS, BM_CLICK, 0, 0);
                              EXPECT_FALSE(::IsWindowEnabled(::GetDlgItem(hPage, IDC_UX_OPT_SHORTCUTS_IN_TIPS)));
                              ::SendDlgItemMessageA(hPage, IDC_UX_OPT_RECENT_FIRST, BM_CLICK, 0, 0);
                              EXPECT_TRUE(::IsWindowEnabled(::GetDlgItem(hPage, IDC_UX_OPT_FULL_MENUS_DELAY)));
                              ::SendDlgItemMessageA(hPage, IDC_UX_OPT_MENU_SHADOWS, BM_CLICK, 0, 0);
                              checked = true;
                              CDialogDriver::Click(hSheet, IDCANCEL);
                          }});
    EXPECT_EQ(IDCANCEL, sheet.DoModal());
    ASSERT_TRUE(checked);

    EXPECT_EQ((std::vector<BYTE>{1, 0, 1, 0, 1, 1}), StoredOptions());
    EXPECT_FALSE(uxAfxData.m_bMenuShadows);
    EXPECT_FALSE(uxAfxData.m_bToolTips);
    EXPECT_EQ(0u, CUXSettingsStore().GetProfileInt("Settings", "Active Page", -1));
    EXPECT_FALSE(GetCustomizeCenter().IsCustomizeMode());
}

TEST_F(CustomizeSheetTest, FrameGetsNoInputWhileTheSheetRunsAndAllOfItAfterwardsWhicheverWayItEnds)
{
    for (SheetEnding ending : {kOK, kCloseButton, kEscape, kOwnerGone})
    {
        SCOPED_TRACE(ending);
        CCsFrame* frame = MakeFrame();
        ASSERT_NE(nullptr, frame);
        HWND hFrame = frame->m_hWnd;
        CUXCustomizeSheet* sheet = new CUXCustomizeSheet(frame, CUXCustomizeSheet::kOptionsPage);
        bool ran = false;
        CDialogDriver driver(
            {[&](HWND hSheet)
             {
                 // A click on the client is swallowed, one on the strip that named itself arrives.
                 FtClick(FtFreePoint(frame->m_pane.m_hWnd, hSheet));
                 FtClick(FtFreePoint(frame->m_strip.m_hWnd, hSheet));
                 EXPECT_TRUE(FtPumpUntil([&]() { return frame->m_strip.clicks == 1; }));
                 EXPECT_EQ(0, frame->m_pane.clicks);
                 EXPECT_TRUE(sheet->IsAllowedWindow(frame->m_strip.m_hWnd));

                 // Keys meant for the frame are swallowed; those of the dialog arrive.
                 frame->m_pane.SetFocus();
                 VxInput::Key('A', true);
                 VxInput::Key('A', false);
                 HWND hBox = ::GetDlgItem(sheet->GetOptionsPage()->m_hWnd, IDC_UX_OPT_MENU_SHADOWS);
                 UINT before = ::IsDlgButtonChecked(sheet->GetOptionsPage()->m_hWnd, IDC_UX_OPT_MENU_SHADOWS);
                 ::SetFocus(hBox);
                 VxInput::Key(VK_SPACE, true);
                 VxInput::Key(VK_SPACE, false);
                 EXPECT_TRUE(FtPumpUntil(
                     [&]() {
                         return ::IsDlgButtonChecked(sheet->GetOptionsPage()->m_hWnd, IDC_UX_OPT_MENU_SHADOWS) !=
                                before;
                     }));
                 EXPECT_EQ(0, frame->m_pane.keys);
                 ran = true;
                 EndSheet(hSheet, ending, frame);
             }});
        INT_PTR result = sheet->DoModal();
        ASSERT_TRUE(ran);
        EXPECT_EQ(ending == kOK ? IDOK : ending == kOwnerGone ? -1 : IDCANCEL, result);
        EXPECT_EQ(nullptr, CUXCustomizeSheet::GetRunning());
        delete sheet;

        // Afterwards clicks and keys reach the frame again (a new one when the old one went).
        if (ending == kOwnerGone)
        {
            EXPECT_FALSE(::IsWindow(hFrame));
            frame = MakeFrame();
            ASSERT_NE(nullptr, frame);
        }
        frame->m_pane.clicks = 0;
        FtClick(FtFreePoint(frame->m_pane.m_hWnd, frame->m_strip.m_hWnd));
        EXPECT_TRUE(FtPumpUntil([&]() { return frame->m_pane.clicks == 1; }));
        frame->m_pane.SetFocus();
        VxInput::Key('A', true);
        VxInput::Key('A', false);
        EXPECT_TRUE(FtPumpUntil([&]() { return frame->m_pane.keys == 1; }));
        frame->DestroyWindow();
        app.m_pMainWnd = nullptr;
        PumpPending();
    }
}

TEST_F(MenuTest, BarsEnterCustomizeModeBeforeTheSheetShowsAndLeaveItAfterTheFrameIsActiveAgain)
{
    // A listener of the customize centre, as the bars are, that tells the frame of each switch of the mode.
    static const UINT kModeSwitched = WM_APP + 20;
    struct ModeListener : CUXCustomizeListener
    {
        explicit ModeListener(HWND hWnd) : hWnd(hWnd) {}
        void OnCustomizeMode(BOOL on) override { ::SendMessageA(hWnd, kModeSwitched, on, 0); }
        HWND hWnd;
    } listener(frame->m_hWnd);
    frame->m_toolBar.SetCustomizable(TRUE);
    frame->m_menuBar.SetCustomizable(TRUE);
    CUXCustomizeRegistration registration(&listener);
    registration.Add(CUXCustomizeCenter::kCustomizableBars);
    frame->SetForegroundWindow();
    Pump();

    for (SheetEnding ending : {kOK, kCloseButton, kEscape})
    {
        SCOPED_TRACE(ending);
        // The menu bar's keyboard selection ends with the switch.
        MSG alt = {frame->m_hWnd, WM_SYSKEYDOWN, VK_MENU, 0x20000000};
        frame->m_menuBar.PreTranslateFrameMessage(&alt);
        alt.message = WM_SYSKEYUP;
        frame->m_menuBar.PreTranslateFrameMessage(&alt);
        ASSERT_EQ(CUXMenuBar::kKeyboard, frame->m_menuBar.GetMode());
        Pump();

        CMessageSequence seq({WM_CANCELMODE, kModeSwitched, WM_ACTIVATE, WM_COMMAND, WM_DESTROY});
        seq.Watch(frame->m_hWnd, "frame");
        seq.Watch(frame->m_menuBar.m_hWnd, "menu bar");
        seq.Watch(frame->m_toolBar.m_hWnd, "tool bar");
        seq.WatchClass("#32770", "dialog");   // the sheet and its page
        CUXCustomizeSheet sheet(frame, CUXCustomizeSheet::kOptionsPage);
        CDialogDriver driver({[&](HWND hSheet)
                              {
                                  EXPECT_EQ(nullptr, ::GetCapture());
                                  EXPECT_TRUE(frame->m_toolBar.IsCustomizeMode());
                                  EXPECT_EQ(CUXMenuBar::kIdle, frame->m_menuBar.GetMode());
                                  EXPECT_EQ(-1, frame->m_menuBar.GetHotItem());
                                  EndSheet(hSheet, ending, frame);
                              }});
        frame->m_toolBar.SetCapture();   // as in the middle of a drag
        seq.Start();
        EXPECT_EQ(ending == kOK ? IDOK : IDCANCEL, sheet.DoModal());
        Pump();
        seq.Stop();
        EXPECT_EQ(1u, driver.StepsRun());
        EXPECT_FALSE(frame->m_toolBar.IsCustomizeMode());
        EXPECT_FALSE(GetCustomizeCenter().IsCustomizeMode());
        // A drag under way is ended before the sheet is made. The mode is on while the sheet is made, before the
        // frame hands it the activation. Closing, the sheet gives the activation back to the frame before it
        // goes, and the mode ends as it goes (before its page).
        using M = VxExpectedMessage;
        EXPECT_TRUE(seq.Matches({
            {"tool bar", WM_CANCELMODE},
            {"frame", kModeSwitched, M::checkWParam, TRUE},
            {"frame", WM_ACTIVATE, M::checkWParam, WA_INACTIVE},
            {"dialog", WM_ACTIVATE, M::checkWParam, WA_ACTIVE},
            {"dialog", WM_COMMAND, M::checkWParam, static_cast<WPARAM>(ending == kOK ? IDOK : IDCANCEL)},
            {"dialog", WM_ACTIVATE, M::checkWParam, WA_INACTIVE},
            {"frame", WM_ACTIVATE, M::checkWParam, WA_ACTIVE},
            {"dialog", WM_DESTROY},
            {"frame", kModeSwitched, M::checkWParam, FALSE},
            {"dialog", WM_DESTROY},
        }));
    }
}

TEST_F(MenuTest, TheSheetOpensInTheMiddleOfItsFrameAndStaysAboveItWithTheFloatingMenuBar)
{
    frame->FloatControlBar(&frame->m_menuBar, CPoint(300, 250), CBRS_ALIGN_TOP);
    frame->SetForegroundWindow();
    Pump();
    ASSERT_TRUE(frame->m_menuBar.IsFloating());
    HWND hFrame = frame->m_hWnd;
    auto centredOn = [](HWND hOwner, HWND hWnd)
    {
        CPoint a = FtScreenRect(hOwner).CenterPoint(), b = FtScreenRect(hWnd).CenterPoint();
        return std::abs(a.x - b.x) <= 1 && std::abs(a.y - b.y) <= 1;
    };
    CUXCustomizeSheet sheet(frame, CUXCustomizeSheet::kToolBarsPage);
    CDialogDriver driver({[&](HWND hSheet)
                          {
                              // In front of the frame, in its middle; a click on the frame leaves it there.
                              EXPECT_TRUE(centredOn(hFrame, hSheet));
                              EXPECT_TRUE(FtOwnedPopupsAboveFrame(hFrame)) << "opened";
                              EXPECT_TRUE(VxInput::Play(
                                  [&]() { FtClick(FtFreePoint(frame->m_hWndMDIClient, hSheet)); }, PumpPending));
                              EXPECT_TRUE(FtOwnedPopupsAboveFrame(hFrame)) << "after a click on the frame";
                              CDialogDriver::Click(sheet.GetToolBarsPage()->m_hWnd, IDC_UX_TB_NEW);
                          },
                          [&](HWND hBox)
                          {
                              // The name of a new bar is asked in the middle of the sheet.
                              EXPECT_TRUE(centredOn(sheet.m_hWnd, hBox));
                              CDialogDriver::Click(hBox, IDCANCEL);
                          },
                          [&](HWND hSheet) { CDialogDriver::Click(hSheet, IDCANCEL); }});
    EXPECT_EQ(IDCANCEL, sheet.DoModal());
    EXPECT_EQ(3u, driver.StepsRun());
    EXPECT_TRUE(FtOwnedPopupsAboveFrame(hFrame)) << "after the sheet closed";
}

TEST_F(MenuTest, ASubMenuDraggedWithTheMouseFromTheCommandsPageBecomesADropDownThatOpensIt)
{
    CUXToolBar& bar = frame->m_toolBar;
    bar.SetCustomizable(TRUE);
    const char keyBytes[] = "&File\0\0\0\0&Recent\0\0\0";
    const DWORD key = CUXCrc32::Compute(keyBytes, sizeof(keyBytes));
    std::vector<std::string> categories;
    bool dropped = false;
    CUXCustomizeSheet sheet(frame, CUXCustomizeSheet::kCommandsPage);
    CDialogDriver driver({[&](HWND hSheet)
                          {
                              // Beside the frame, so that the bar is in sight.
                              ::SetWindowPos(hSheet, nullptr, 760, 0, 0, 0, SWP_NOSIZE | SWP_NOZORDER);
                              CUXCustCommandsPage* page = sheet.GetCommandsPage();
                              CListBox& list = page->GetCategoryList();
                              for (int i = 0; i < list.GetCount(); ++i)
                              {
                                  CString text;
                                  list.GetText(i, text);
                                  categories.push_back(text.GetString());
                              }
                              list.SetCurSel(0);   // "File"
                              page->SendMessage(WM_COMMAND, MAKEWPARAM(IDC_UX_CMD_CATEGORIES, LBN_SELCHANGE),
                                                reinterpret_cast<LPARAM>(list.m_hWnd));
                              CUXCommandsListBox& commands = page->GetCommandList();
                              int recent = commands.FindStringExact(-1, "Recent");
                              CRect row, last;
                              commands.GetItemRect(recent, &row);
                              commands.ClientToScreen(&row);
                              bar.GetItemRect(bar.GetCount() - 1, &last);
                              bar.ClientToScreen(&last);
                              // The hand moves while the program runs its drag.
                              CPoint to(last.right - 2, last.CenterPoint().y);
                              EXPECT_TRUE(
                                  VxInput::Play([&]() { VxInput::Drag(row.CenterPoint(), to); }, PumpPending));
                              dropped = FtPumpUntil([&]() { return bar.GetCount() == 4; });
                              CDialogDriver::Click(hSheet, IDCANCEL);
                          }});
    sheet.DoModal();
    // The menu's entries are commands of the page, after the bar's own.
    EXPECT_EQ((std::vector<std::string>{"File", "Edit", "Window", "Help", "Toolbar"}), categories);
    ASSERT_TRUE(dropped);

    // A drop-down for the whole of the sub-menu's key, usable once the idle update ran.
    Pump();
    TBBUTTON button = bar.GetButton(3);
    EXPECT_EQ(key, static_cast<DWORD>(button.idCommand));
    EXPECT_TRUE(button.fsStyle & BTNS_WHOLEDROPDOWN);
    EXPECT_TRUE(button.fsState & TBSTATE_ENABLED);
    ASSERT_NE(nullptr, bar.GetButtonData(3));
    EXPECT_EQ(static_cast<uint32_t>(CUXToolBar::kDropDownCommandPopup), bar.GetButtonData(3)->m_nDropDown);
    EXPECT_EQ(key, bar.GetButtonData(3)->m_nPopupKey);

    // Kept in a layout and put back, it still opens the sub-menu when clicked, and sends no command.
    std::vector<BYTE> layout;
    bar.GetLayout(layout);
    ASSERT_TRUE(bar.RemoveButton(3));
    ASSERT_TRUE(bar.ApplyLayout(layout.data(), static_cast<UINT>(layout.size())));
    ASSERT_EQ(4, bar.GetCount());
    std::vector<std::string> opened;
    frame->menuSteps.push_back(
        [&](HWND menu)
        {
            opened = MenuTexts(MenuOf(menu));
            ::EndMenu();
            return TRUE;
        });
    CRect rect;
    bar.GetItemRect(3, &rect);
    bar.ClientToScreen(&rect);
    FtClick(rect.CenterPoint());
    EXPECT_TRUE(FtPumpUntil([&]() { return !opened.empty(); }));
    EXPECT_EQ((std::vector<std::string>{"&Clear list"}), opened);
    Pump();
    EXPECT_TRUE(frame->commands.empty());
    bar.SetCustomizable(FALSE);
}
