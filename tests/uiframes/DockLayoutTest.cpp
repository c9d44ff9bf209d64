// The layout of docked and floating bars on a frame like a program's (the menu bar, three tool bars, two
// docking windows, a rebar): a bar standing on a side lays its buttons in one column, a bar dropped by a
// docking window gets a row of its own, a row that no longer fits wraps, stored places and sizes are pulled
// onto the screen and leave the document its room, a docking window docked by its caption fills its row, a
// narrowed menu bar keeps its entries inside, floating bars are sized by their frames' edges; and a seeded
// random run of user operations keeping every bar inside the frame and every floating frame on the screen,
// with the layout surviving a restart.
#include "UiFramesTestSupport.h"

#include "resources/uilib/UilibResources.h"
#include "support/win_DialogDriver.h"
#include "uilib/frames/BarDockContext.h"
#include "uilib/frames/CustToolBarPage.h"
#include "uilib/frames/CustomizeSheet.h"
#include "uilib/frames/FrameWindows.h"
#include "uilib/frames/ReBar.h"

#include <cstdlib>
#include <random>
#include <sstream>
#include <string>

namespace
{

const char kProfile[] = "DlLayout";
const UINT kDlBarIds[3] = {0xE810, 0xE811, 0xE812};
const UINT kDlWindowIds[2] = {0xE830, 0xE831};

// The frame: menu bar and three tool bars along the top, "Files" on the left, "Output" at the bottom, the rebar
// below the top bars.
class CDlFrame : public CUXMDIFrameWnd
{
public:
    explicit CDlFrame(BOOL customizable = FALSE) : m_bCustomizable(customizable) {}

    BOOL m_bCustomizable;
    CFtToolBar m_bars[3];
    CFtDockWindow m_windows[2];
    CListBox m_lists[2];
    CUXReBar m_rebar;

protected:
    afx_msg int OnCreate(LPCREATESTRUCT lpCreateStruct)
    {
        if (CUXMDIFrameWnd::OnCreate(lpCreateStruct) == -1 || !m_wndMenuBar.CreateEx(this))
            return -1;
        const char* titles[3] = {"Standard", "Format", "Extra"};
        for (int i = 0; i < 3; ++i)
        {
            m_bars[i].SetCustomizable(m_bCustomizable);
            if (!m_bars[i].CreateBar(this, kDlBarIds[i], CBRS_ALIGN_TOP, titles[i]))
                return -1;
        }
        for (int i = 0; i < 2; ++i)
        {
            if (!m_windows[i].Create(this, i == 0 ? "Files" : "Output", kDlWindowIds[i]) ||
                !m_lists[i].Create(WS_CHILD | WS_VISIBLE | LBS_NOINTEGRALHEIGHT, CRect(0, 0, 0, 0), &m_windows[i],
                                   1))
                return -1;
            m_windows[i].SetChild(&m_lists[i]);
            m_windows[i].SetDockedSize(CUXDockWindow::kLeft, CSize(130, 150));
            m_windows[i].SetDockedSize(CUXDockWindow::kBottom, CSize(200, 90));
            m_windows[i].EnableDocking(CBRS_ALIGN_ANY);
        }
        UXEnableDocking(this, CBRS_ALIGN_ANY);
        m_wndMenuBar.EnableDocking(CBRS_ALIGN_ANY);
        DockControlBar(&m_wndMenuBar);
        for (CFtToolBar& bar : m_bars)
            DockControlBar(&bar);
        DockControlBar(&m_windows[0], AFX_IDW_DOCKBAR_LEFT);
        DockControlBar(&m_windows[1], AFX_IDW_DOCKBAR_BOTTOM);
        if (!m_rebar.Create(this))
            return -1;
        m_rebar.SetWindowPos(GetControlBar(AFX_IDW_DOCKBAR_TOP), 0, 0, 0, 0,
                             SWP_NOMOVE | SWP_NOSIZE | SWP_NOACTIVATE);
        return 0;
    }
    DECLARE_MESSAGE_MAP()
};

BEGIN_MESSAGE_MAP(CDlFrame, CUXMDIFrameWnd)
    ON_WM_CREATE()
END_MESSAGE_MAP()

CRect Rect(const CWnd& wnd)
{
    return FtScreenRect(wnd.m_hWnd);
}

std::string Text(const CRect& r)
{
    std::ostringstream text;
    PrintTo(r, &text);
    return text.str();
}

class DockLayoutTest : public UiFramesProgram
{
protected:
    void SetUp() override
    {
        UiFramesProgram::SetUp();
        frame = Open(CRect(0, 0, 760, 560));
        ASSERT_NE(nullptr, frame);
    }

    // A frame at the place given, then its layout loaded from the store (as a program does once its frame is
    // on the screen).
    CDlFrame* Open(const CRect& place)
    {
        CDlFrame* pFrame = new CDlFrame(customizable);
        if (!pFrame->LoadFrame(IDR_FT_MDI))
            return nullptr;
        app.m_pMainWnd = pFrame;
        pFrame->SetWindowPos(nullptr, place.left, place.top, place.Width(), place.Height(),
                             SWP_NOZORDER | SWP_SHOWWINDOW);
        Settle(pFrame);
        pFrame->LoadBarState(kProfile);
        Settle(pFrame);
        return pFrame;
    }
    static void Settle(CFrameWnd* pFrame)
    {
        pFrame->RecalcLayout();
        PumpPending();
    }
    // Saves the layout, closes the frame and opens a new one in its place.
    void Restart()
    {
        CRect place = Rect(*frame);
        frame->SaveBarState(kProfile);
        frame->DestroyWindow();
        PumpPending();
        frame = Open(place);
    }

    CRect Client() const
    {
        CRect client;
        frame->GetClientRect(&client);
        frame->ClientToScreen(&client);
        return client;
    }
    // The registry key of a bar's saved section ("%s-Bar%d" with its "BarID"), empty when there is none.
    static std::string SectionKey(UINT nBarID)
    {
        for (int i = 0; i < 20; ++i)
        {
            std::string key = std::string(kAppKey) + "\\" + kProfile + "-Bar" + std::to_string(i);
            DWORD id = 0, size = sizeof(id);
            if (::RegGetValueA(HKEY_CURRENT_USER, key.c_str(), "BarID", RRF_RT_REG_DWORD, nullptr, &id, &size) !=
                ERROR_SUCCESS)
                break;
            if (id == nBarID)
                return key;
        }
        return std::string();
    }
    std::vector<CControlBar*> Movable() const
    {
        return {&frame->m_wndMenuBar, &frame->m_bars[0], &frame->m_bars[1], &frame->m_bars[2],
                &frame->m_windows[0], &frame->m_windows[1]};
    }
    // The visible items' rectangles (client coordinates), separators too; with separators: none.
    static std::vector<CRect> Buttons(CUXToolBar& bar, bool separators = true)
    {
        std::vector<CRect> rects;
        for (int i = 0; i < bar.GetCount(); ++i)
        {
            TBBUTTON button = bar.GetButton(i);
            if ((button.fsState & TBSTATE_HIDDEN) || (!separators && (button.fsStyle & TBSTYLE_SEP)))
                continue;
            CRect rect;
            bar.GetItemRect(i, &rect);
            rects.push_back(rect);
        }
        return rects;
    }

    // The first broken rule of the layout, empty when all hold: every visible docked bar (the rebar too) lies
    // inside the client area and no two overlap; every floating frame lies inside the work area; every button
    // of a visible tool bar lies inside its bar.
    std::string BrokenRule() const
    {
        CRect client = Client();
        std::vector<std::pair<CControlBar*, CRect>> docked;
        std::vector<CControlBar*> bars = Movable();
        bars.push_back(&frame->m_rebar);
        for (CControlBar* pBar : bars)
        {
            if (!pBar->IsWindowVisible())
                continue;
            CRect rect = Rect(*pBar);
            std::string name = AfxGetWindowText(pBar->m_hWnd).GetString();
            if (pBar->IsFloating())
            {
                CRect mini = FtScreenRect(::GetParent(pBar->m_pDockBar->m_hWnd));
                CRect work = UXWorkAreaNear(mini);
                if ((mini & work) != mini)
                    return name + " floats at " + Text(mini) + " outside the work area " + Text(work);
            }
            else
            {
                if (!rect.IsRectEmpty() && (rect & client) != rect)
                    return name + " at " + Text(rect) + " is outside the client area " + Text(client);
                for (const auto& other : docked)
                    if (!(rect & other.second).IsRectEmpty())
                        return name + " at " + Text(rect) + " overlaps " +
                               AfxGetWindowText(other.first->m_hWnd).GetString() + " at " + Text(other.second);
                docked.emplace_back(pBar, rect);
            }
            if (CUXToolBar* pToolBar = dynamic_cast<CUXToolBar*>(pBar))
            {
                CRect inside;
                pToolBar->GetClientRect(&inside);
                for (const CRect& button : Buttons(*pToolBar))
                    if ((button & inside) != button)
                        return name + " has a button at " + Text(button) + " outside its client " + Text(inside);
            }
        }
        return std::string();
    }

    // Where every bar is: visible, floating, its dock bar, its rectangle (docked: relative to the client area).
    std::string Layout() const
    {
        std::ostringstream text;
        CRect client = Client();
        for (CControlBar* pBar : Movable())
        {
            CRect rect = Rect(*pBar);
            if (!pBar->IsFloating())
                rect.OffsetRect(-client.left, -client.top);
            text << pBar->GetDlgCtrlID() << (pBar->IsWindowVisible() ? " shown " : " hidden ")
                 << (pBar->IsFloating() ? "floating " : "docked ")
                 << (pBar->m_pDockBar != nullptr ? pBar->m_pDockBar->GetDlgCtrlID() : 0) << " ";
            if (pBar->IsWindowVisible())
                PrintTo(rect, &text);
            text << "\n";
        }
        return text.str();
    }

    CDlFrame* frame = nullptr;
    BOOL customizable = FALSE;   // the bars of the frames Open makes
};

}   // namespace

TEST_F(DockLayoutTest, AToolBarStandingOnASideLaysItsButtonsInOneColumn)
{
    CFtToolBar& bar = frame->m_bars[0];
    const UINT sides[4] = {AFX_IDW_DOCKBAR_RIGHT, AFX_IDW_DOCKBAR_LEFT, AFX_IDW_DOCKBAR_BOTTOM, 0};
    for (UINT side : sides)
    {
        if (side != 0)
            frame->DockControlBar(&bar, side);
        else
            frame->FloatControlBar(&bar, CPoint(300, 300), CBRS_ALIGN_TOP);
        Settle(frame);
        BOOL standing = side == AFX_IDW_DOCKBAR_LEFT || side == AFX_IDW_DOCKBAR_RIGHT;
        std::vector<CRect> buttons = Buttons(bar);
        ASSERT_EQ(4u, buttons.size());
        for (size_t i = 1; i < buttons.size(); ++i)
        {
            // One below the other, or side by side.
            EXPECT_EQ(standing ? buttons[0].left : buttons[i - 1].right, buttons[i].left) << side << " " << i;
            EXPECT_EQ(standing ? buttons[i - 1].bottom : buttons[0].top, buttons[i].top) << side << " " << i;
        }
        CRect window = Rect(bar);
        EXPECT_EQ(standing, window.Height() > window.Width()) << side;
        EXPECT_EQ("", BrokenRule()) << side;
    }
}

TEST_F(DockLayoutTest, AToolBarDroppedByADockingWindowGetsARowOfItsOwn)
{
    // The Files window on the left, Output at the bottom: a bar dropped on either stands beside it.
    CFtToolBar& bar = frame->m_bars[1];
    for (CFtDockWindow& window : frame->m_windows)
    {
        CRect target = Rect(window);
        BOOL bHorz = (window.GetBarStyle() & CBRS_ORIENT_HORZ) != 0;
        CRect drop(target.CenterPoint(), bHorz ? CSize(100, 26) : CSize(26, 100));
        frame->DockControlBar(&bar, window.m_pDockBar, &drop);
        Settle(frame);
        ASSERT_EQ(window.m_pDockBar, bar.m_pDockBar);
        EXPECT_TRUE(bar.IsWindowVisible());
        EXPECT_TRUE(window.IsWindowVisible());
        CRect placed = Rect(bar), now = Rect(window);
        // Across the side they share nothing: each has a row of its own.
        if (bHorz)
            EXPECT_TRUE(placed.bottom <= now.top || placed.top >= now.bottom) << Text(placed) << Text(now);
        else
            EXPECT_TRUE(placed.right <= now.left || placed.left >= now.right) << Text(placed) << Text(now);
        EXPECT_EQ("", BrokenRule());
    }
}

TEST_F(DockLayoutTest, ARowThatNoLongerFitsWrapsAndItsBarsStayOnTheFrameAfterARestart)
{
    // The menu bar floats: Standard moves up into its row. Docked back by a double click, the menu bar takes
    // the whole row again and Standard goes on below it, never past the frame's right edge.
    CUXMenuBar& menu = frame->m_wndMenuBar;
    CFtToolBar& standard = frame->m_bars[0];
    int menuTop = Rect(menu).top;
    menu.m_pDockContext->ToggleDocking();
    Settle(frame);
    ASSERT_TRUE(menu.IsFloating());
    EXPECT_EQ(menuTop, Rect(standard).top);
    menu.m_pDockContext->ToggleDocking();
    Settle(frame);
    ASSERT_FALSE(menu.IsFloating());
    EXPECT_EQ("", BrokenRule());
    EXPECT_TRUE(standard.IsWindowVisible());

    std::string before = Layout();
    Restart();
    ASSERT_NE(nullptr, frame);
    EXPECT_TRUE(frame->m_bars[0].IsWindowVisible());
    EXPECT_EQ("", BrokenRule());
    EXPECT_EQ(before, Layout());
}

TEST_F(DockLayoutTest, StoredPlacesAndSizesArePulledOntoTheScreen)
{
    CFtToolBar& bar = frame->m_bars[2];
    frame->FloatControlBar(&bar, CPoint(200, 200), CBRS_ALIGN_TOP);
    frame->m_windows[0].SetDockedSize(CUXDockWindow::kLeft, CSize(99999, 99999));
    frame->m_windows[1].SetFloatingSize(CSize(50000, 40));
    CSize screen(::GetSystemMetrics(SM_CXSCREEN), ::GetSystemMetrics(SM_CYSCREEN));
    EXPECT_EQ(screen, frame->m_windows[0].GetDockedSize(CUXDockWindow::kLeft));
    // Floating, its frame's borders fit the work area too.
    CRect borders(0, 0, 0, 0);
    CMiniFrameWnd::CalcBorders(&borders, CMiniDockFrameWnd::FrameStyle(CBRS_SIZE_DYNAMIC));
    EXPECT_EQ(CSize(UXWorkAreaNear(Rect(frame->m_windows[1])).Width() - borders.Width(), 40),
              frame->m_windows[1].GetFloatingSize());
    frame->m_windows[0].SetDockedSize(CUXDockWindow::kLeft, CSize(130, 150));
    Settle(frame);
    frame->SaveBarState(kProfile);
    // The floating frame's record, moved far off the screen as a damaged or foreign store may have it.
    HKEY hKey = nullptr;
    int moved = 0;
    for (int i = 0; i < 20; ++i)
    {
        std::string key = std::string(kAppKey) + "\\" + kProfile + "-Bar" + std::to_string(i);
        if (::RegOpenKeyExA(HKEY_CURRENT_USER, key.c_str(), 0, KEY_ALL_ACCESS, &hKey) != ERROR_SUCCESS)
            break;
        DWORD floating = 0, size = sizeof(floating);
        if (::RegQueryValueExA(hKey, "Floating", nullptr, nullptr, reinterpret_cast<BYTE*>(&floating), &size) ==
                ERROR_SUCCESS &&
            floating != 0)
        {
            DWORD x = static_cast<DWORD>(-32000), y = 99999;
            ::RegSetValueExA(hKey, "XPos", 0, REG_DWORD, reinterpret_cast<BYTE*>(&x), sizeof(x));
            ::RegSetValueExA(hKey, "YPos", 0, REG_DWORD, reinterpret_cast<BYTE*>(&y), sizeof(y));
            ++moved;
        }
        ::RegCloseKey(hKey);
    }
    ASSERT_EQ(1, moved);
    CRect place = Rect(*frame);
    frame->DestroyWindow();
    PumpPending();
    frame = Open(place);
    ASSERT_NE(nullptr, frame);
    ASSERT_TRUE(frame->m_bars[2].IsFloating());
    EXPECT_TRUE(frame->m_bars[2].IsWindowVisible());
    EXPECT_EQ("", BrokenRule());
}

TEST_F(DockLayoutTest, HugeStoredSizesLeaveTheDocumentItsRoomAndFloatInsideTheWorkArea)
{
    // Files's stored sizes and most recently used width as large as the values go.
    frame->SaveBarState(kProfile);
    std::string section = SectionKey(kDlWindowIds[0]);
    ASSERT_FALSE(section.empty());
    CUXDockWindowPosition huge;
    memset(&huge, 0x7F, sizeof(huge));
    huge.flags = 0;
    DWORD mru = 0x7FFFFFFF;
    ::RegSetKeyValueA(HKEY_CURRENT_USER, section.c_str(), "Bar Position", REG_BINARY, &huge, sizeof(huge));
    ::RegSetKeyValueA(HKEY_CURRENT_USER, section.c_str(), "MRUWidth", REG_DWORD, &mru, sizeof(mru));
    frame->LoadBarState(kProfile);
    Settle(frame);

    CFtDockWindow& files = frame->m_windows[0];
    auto documentWidth = [&]() { return FtScreenRect(frame->m_hWndMDIClient).Width(); };
    ASSERT_FALSE(files.IsFloating());
    EXPECT_GE(documentWidth(), CUXDockBar::kDocumentRoom);
    EXPECT_TRUE(DockingWindowChildFillsClient(files));
    EXPECT_EQ("", BrokenRule());
    files.m_pDockContext->ToggleDocking();
    Settle(frame);
    ASSERT_TRUE(files.IsFloating());
    EXPECT_EQ("", BrokenRule());   // its floating frame in the work area
    EXPECT_EQ(Rect(files), Rect(files) & Rect(*files.GetParentFrame()));
    files.m_pDockContext->ToggleDocking();
    Settle(frame);
    ASSERT_FALSE(files.IsFloating());
    EXPECT_GE(documentWidth(), CUXDockBar::kDocumentRoom);

    // Its splitter moves its edge where it shows: 30 pixels towards the frame's edge, 30 narrower.
    int width = Rect(files).Width();
    CPoint edge(Rect(files).right + 2, Rect(files).CenterPoint().y);
    EXPECT_TRUE(VxInput::Play([&]() { VxInput::StepDrag(edge, edge - CSize(30, 0)); }, PumpPending));
    EXPECT_EQ(width - 30, Rect(files).Width());
}

namespace
{

// The seed of the random run: VEXUL_DOCK_SEED when set, else a fixed one; its operations: VEXUL_DOCK_STEPS when
// set, else as many as a test run affords.
unsigned DockSeed()
{
    const char* text = std::getenv("VEXUL_DOCK_SEED");
    return text != nullptr ? static_cast<unsigned>(std::strtoul(text, nullptr, 10)) : 20261209u;
}
int DockSteps()
{
    const char* text = std::getenv("VEXUL_DOCK_STEPS");
    return text != nullptr ? std::atoi(text) : 250;
}

// Whether the screen shows the window (or a child of it) at the point: what the user's press would reach.
bool Shows(HWND hWnd, CPoint point)
{
    HWND hAt = ::WindowFromPoint(point);
    return hWnd != nullptr && hAt != nullptr && (hAt == hWnd || ::IsChild(hWnd, hAt));
}

// Where the user takes a bar to drag it: a floating one by its frame's caption, a docking window by its caption
// band, another bar by its gripper.
CPoint Handle(CControlBar& bar)
{
    CRect rect = Rect(bar);
    if (bar.IsFloating())
    {
        CRect client;
        bar.GetParentFrame()->GetClientRect(&client);
        bar.GetParentFrame()->ClientToScreen(&client);
        return CPoint(client.left + 8, client.top - ::GetSystemMetrics(SM_CYSMCAPTION) / 2);
    }
    if (CUXDockWindow* pWindow = CUXDockWindow::FromBar(&bar))
    {
        CRect band = pWindow->GetCaptionRect();
        pWindow->ClientToScreen(&band);
        return band.Width() > band.Height() ? CPoint(band.left + std::min<int>(30, band.Width() / 2), band.CenterPoint().y)
                                            : CPoint(band.CenterPoint().x, band.top + std::min<int>(30, band.Height() / 2));
    }
    return (bar.GetBarStyle() & CBRS_ORIENT_HORZ) ? CPoint(rect.left + 3, rect.CenterPoint().y)
                                                  : CPoint(rect.CenterPoint().x, rect.top + 3);
}

}   // namespace

TEST_F(DockLayoutTest, RandomUserOperationsKeepEveryBarOnTheFrameAndTheLayoutThroughRestarts)
{
    // The frame again with customizable bars, whose buttons the user drags in customize mode.
    frame->DestroyWindow();
    PumpPending();
    customizable = TRUE;
    frame = Open(CRect(0, 0, 760, 560));
    ASSERT_NE(nullptr, frame);
    const VxCommandImages images = CommandImagesOf({&frame->m_bars[0], &frame->m_bars[1], &frame->m_bars[2]});
    const unsigned seed = DockSeed();
    const int kSteps = DockSteps();
    std::mt19937 random(seed);
    auto pick = [&](int n) { return static_cast<int>(random() % static_cast<unsigned>(std::max(1, n))); };
    const UINT sides[4] = {AFX_IDW_DOCKBAR_TOP, AFX_IDW_DOCKBAR_BOTTOM, AFX_IDW_DOCKBAR_LEFT,
                           AFX_IDW_DOCKBAR_RIGHT};
    CSize screen(::GetSystemMetrics(SM_CXSCREEN), ::GetSystemMetrics(SM_CYSCREEN));
    const int kOperations = 14;
    const char* names[kOperations] = {"dock at a side",     "dock by a docking window", "float",
                                      "double click",       "resize floating frame",    "hide or show",
                                      "resize frame",       "save and restart",         "drag a gripper",
                                      "drag a caption onto a side", "drag a splitter", "click",
                                      "double-click a floating caption", "customize"};
    int counts[kOperations] = {};
    int done[kOperations] = {};   // the mouse operations that found what they press on
    int checks = 0;
    // A point 2 pixels inside an edge of the client area, anywhere along it.
    auto onSide = [&](int side)
    {
        CRect client = Client();
        return side < 2 ? CPoint(client.left + 10 + pick(client.Width() - 20), side == 0 ? client.top + 2 : client.bottom - 3)
                        : CPoint(side == 2 ? client.left + 2 : client.right - 3, client.top + 10 + pick(client.Height() - 20));
    };
    // The user's gesture while this thread runs the program's messages.
    auto play = [&](const std::function<void()>& gesture) { EXPECT_TRUE(VxInput::Play(gesture, PumpPending)); };
    std::string what;   // the step and operation, for a failure
    auto rulesHold = [&]()
    {
        Settle(frame);
        std::string broken = BrokenRule();
        EXPECT_EQ("", broken);
        // The idle update a program's loop runs once its messages are handled (a modal loop's too).
        app.OnIdle(0);
        EXPECT_TRUE(FtOwnedPopupsAboveFrame(frame->m_hWnd));
        for (POSITION pos = frame->m_listControlBars.GetHeadPosition(); pos != nullptr;)
            if (CUXToolBar* pBar = dynamic_cast<CUXToolBar*>(frame->m_listControlBars.GetNext(pos)))
                ExpectEveryButtonShowsItsCommandsImage(*pBar, images);
        for (CFtDockWindow& window : frame->m_windows)
            EXPECT_TRUE(DockingWindowChildFillsClient(window));
        if (!HasFailure())
            return true;
        ADD_FAILURE() << "seed " << seed << " (set VEXUL_DOCK_SEED to repeat), " << what << "\n" << Layout();
        return false;
    };
    // In customize mode: a button of a bar dragged onto another bar, within its bar or off it, a bar reset or a
    // new one made on the tool bars page; the rules checked after each.
    auto customize = [&](HWND hSheet, CUXCustomizeSheet& sheet)
    {
        // Out of the frame's way, as a user moves it.
        CRect sheetRect = FtScreenRect(hSheet);
        ::SetWindowPos(hSheet, nullptr, screen.cx - sheetRect.Width(), screen.cy - sheetRect.Height(), 0, 0,
                       SWP_NOSIZE | SWP_NOZORDER | SWP_NOACTIVATE);
        for (int n = 1 + pick(4); n > 0 && !HasFailure(); --n)
        {
            std::vector<CUXToolBar*> bars;
            for (POSITION pos = frame->m_listControlBars.GetHeadPosition(); pos != nullptr;)
            {
                CUXToolBar* pBar = dynamic_cast<CUXToolBar*>(frame->m_listControlBars.GetNext(pos));
                if (pBar != nullptr && pBar->IsCustomizable() && pBar->IsWindowVisible())
                    bars.push_back(pBar);
            }
            if (bars.empty())
                break;
            CUXToolBar& from = *bars[static_cast<size_t>(pick(static_cast<int>(bars.size())))];
            CUXToolBar& to = *bars[static_cast<size_t>(pick(static_cast<int>(bars.size())))];
            CUXCustToolBarPage* page = sheet.GetToolBarsPage();
            int kind = pick(6);
            if (kind >= 4)
            {
                // Reset, or New.
                int item = page->FindBar(&from);
                if (kind == 4 && item < 0)
                    continue;
                if (kind == 4)
                {
                    page->GetList().SetCurSel(item);
                    page->SendMessage(WM_COMMAND, MAKEWPARAM(IDC_UX_TB_LIST, LBN_SELCHANGE),
                                      reinterpret_cast<LPARAM>(page->GetList().m_hWnd));
                }
                UINT button = kind == 4 ? IDC_UX_TB_RESET : IDC_UX_TB_NEW;
                if (!::IsWindowEnabled(::GetDlgItem(page->m_hWnd, static_cast<int>(button))))
                    continue;
                what = std::string(kind == 4 ? "reset " : "new bar ") + AfxGetWindowText(from.m_hWnd).GetString();
                if (kind == 4)
                {
                    // Its question answered yes.
                    CMessageBoxRecorder yes(IDYES);
                    CDialogDriver::Click(page->m_hWnd, static_cast<int>(button));
                    EXPECT_TRUE(FtPumpUntil([&]() { return yes.Count() == 1; })) << what;
                }
                else
                {
                    // The name the box offers taken.
                    HWND hBox = nullptr;
                    CDialogDriver answer({[&](HWND hAsking)
                                          {
                                              CDialogDriver::Click(hAsking, IDOK);
                                              hBox = hAsking;
                                          }});
                    CDialogDriver::Click(page->m_hWnd, static_cast<int>(button));
                    EXPECT_TRUE(FtPumpUntil([&]() { return hBox != nullptr && !::IsWindow(hBox); })) << what;
                }
            }
            else
            {
                // A button the screen shows, dropped on the left half of another (or past the last), or on the
                // document area.
                std::vector<int> shown;
                for (int i = 0; i < from.GetCount(); ++i)
                {
                    CRect item;
                    from.GetItemRect(i, &item);
                    from.ClientToScreen(&item);
                    if (!CUXToolBar::IsSeparator(from.GetButton(i)) &&
                        !(from.GetButton(i).fsState & TBSTATE_HIDDEN) && Shows(from.m_hWnd, item.CenterPoint()))
                        shown.push_back(i);
                }
                if (shown.empty())
                    continue;
                int index = shown[static_cast<size_t>(pick(static_cast<int>(shown.size())))];
                CRect item;
                from.GetItemRect(index, &item);
                from.ClientToScreen(&item);
                CPoint drop;
                HWND hTarget = to.m_hWnd;
                if (kind == 3)
                {
                    drop = FtFreePoint(frame->m_hWndMDIClient, hSheet);
                    hTarget = frame->m_hWndMDIClient;
                }
                else if (to.GetCount() == 0)
                    drop = Rect(to).CenterPoint();
                else
                {
                    CRect place;
                    int at = pick(to.GetCount() + 1);
                    to.GetItemRect(std::min(at, to.GetCount() - 1), &place);
                    to.ClientToScreen(&place);
                    drop = at < to.GetCount() ? CPoint(place.left + 3, place.CenterPoint().y)
                                              : CPoint(place.right - 2, place.CenterPoint().y);
                }
                if (!Shows(hTarget, drop))
                    continue;
                what = std::string("button ") + std::to_string(index) + " of " +
                       AfxGetWindowText(from.m_hWnd).GetString() + (kind == 3 ? " off its bar" : " onto ") +
                       (kind == 3 ? "" : AfxGetWindowText(to.m_hWnd).GetString());
                play([&]() { VxInput::StepDrag(item.CenterPoint(), drop, 4); });
            }
            if (!rulesHold())
                break;
        }
        ::PostMessageA(hSheet, WM_COMMAND, IDCANCEL, 0);
    };

    for (int step = 0; step < kSteps && !HasFailure(); ++step)
    {
        std::vector<CControlBar*> bars = Movable();
        CControlBar* pBar = bars[static_cast<size_t>(pick(static_cast<int>(bars.size())))];
        int operation = pick(kOperations);
        std::string before = Layout();
        what = "step " + std::to_string(step) + ": " + names[operation] + " on " +
               AfxGetWindowText(pBar->m_hWnd).GetString() + "\nbefore:\n" + before + "after:\n";
        bool visible = pBar->IsWindowVisible() != FALSE;
        CPoint handle = Handle(*pBar);
        HWND hHandle = pBar->IsFloating() ? pBar->GetParentFrame()->m_hWnd : pBar->m_hWnd;
        // (A docked bar's gripper lies outside its client area, where the menu bar's entries are.)
        bool reached = visible && Shows(hHandle, handle) &&
                       (pBar->IsFloating() || CUXDockWindow::FromBar(pBar) != nullptr ||
                        pBar->SendMessage(WM_NCHITTEST, 0, MAKELPARAM(handle.x, handle.y)) != HTCLIENT);
        switch (operation)
        {
        case 0:
        {
            CDockBar* pDockBar = static_cast<CDockBar*>(frame->GetControlBar(sides[pick(4)]));
            CRect side = Rect(*pDockBar);
            CRect client = Client();
            CPoint at(side.left + pick(std::max<int>(1, std::min(side.Width(), client.Width()))),
                      side.top + pick(std::max<int>(1, std::min(side.Height(), client.Height()))));
            CRect drop(at, CSize(40, 40));
            frame->DockControlBar(pBar, pDockBar, pick(3) == 0 ? nullptr : &drop);
            break;
        }
        case 1:
        {
            CFtDockWindow& window = frame->m_windows[pick(2)];
            if (!window.IsWindowVisible() || window.IsFloating() || pBar == &window)
                break;
            CRect drop(Rect(window).CenterPoint(), CSize(40, 40));
            frame->DockControlBar(pBar, window.m_pDockBar, &drop);
            break;
        }
        case 2:
            frame->FloatControlBar(pBar, CPoint(pick(screen.cx + 400) - 200, pick(screen.cy + 400) - 200),
                                   pick(2) ? CBRS_ALIGN_TOP : CBRS_ALIGN_LEFT);
            break;
        case 3: pBar->m_pDockContext->ToggleDocking(); break;
        case 4:
            if (pBar->IsFloating() && visible)
            {
                // What a drag of the frame's edge ends with: the bar laid out for the new width.
                if (CUXDockWindow* pWindow = CUXDockWindow::FromBar(pBar))
                    pWindow->SetFloatingSize(CSize(60 + pick(400), 60 + pick(400)));
                else
                    pBar->CalcDynamicLayout(20 + pick(200), LM_HORZ | LM_COMMIT);
                pBar->GetParentFrame()->RecalcLayout();
            }
            break;
        case 5: frame->ShowControlBar(pBar, !visible, FALSE); break;
        case 6:
            frame->SetWindowPos(nullptr, 0, 0, 560 + pick(std::max<int>(1, screen.cx - 560)),
                                460 + pick(std::max<int>(1, screen.cy - 460)), SWP_NOZORDER | SWP_NOACTIVATE);
            break;
        case 7:
        {
            Settle(frame);
            std::string saved = Layout();
            Restart();
            ASSERT_NE(nullptr, frame) << "seed " << seed << " step " << step;
            ASSERT_EQ(saved, Layout()) << "seed " << seed << " step " << step << ": the restart changed the layout";
            break;
        }
        case 8:
        {
            // To a side, into the frame or anywhere on the screen.
            int where = pick(3);
            CPoint to = where == 0 ? onSide(pick(4))
                        : where == 1 ? Client().TopLeft() + CSize(pick(Client().Width()), pick(Client().Height()))
                                     : CPoint(20 + pick(screen.cx - 40), 20 + pick(screen.cy - 40));
            if (!reached || pBar->IsFloating())
                break;
            play([&]() { VxInput::StepDrag(handle, to, 4); });
            ++done[operation];
            break;
        }
        case 9:
            if (!reached || !pBar->IsFloating())
                break;
            play([&]() { VxInput::StepDrag(handle, onSide(pick(4)), 4); });
            ++done[operation];
            break;
        case 10:
        {
            CUXDockBar* pDockBar = CUXDockBar::FromBar(static_cast<CDockBar*>(frame->GetControlBar(sides[pick(4)])));
            if (pDockBar == nullptr || pDockBar->GetSplitters().empty())
                break;
            const auto& splitters = pDockBar->GetSplitters();
            CRect rect = splitters[static_cast<size_t>(pick(static_cast<int>(splitters.size())))].rect;
            pDockBar->ClientToScreen(&rect);
            CPoint from = rect.CenterPoint();
            if (!Shows(pDockBar->m_hWnd, from))
                break;
            int offset = pick(121) - 60;
            CPoint to = from + (rect.Width() < rect.Height() ? CSize(offset, 0) : CSize(0, offset));
            play([&]() { VxInput::StepDrag(from, to, 4); });
            ++done[operation];
            break;
        }
        case 11:
        {
            // The document area, or a button of a tool bar (the menu bar's would open a menu).
            CPoint at = FtFreePoint(frame->m_hWndMDIClient, frame->m_hWndMDIClient);
            HWND hAt = frame->m_hWndMDIClient;
            CUXToolBar* pToolBar = pBar != &frame->m_wndMenuBar ? dynamic_cast<CUXToolBar*>(pBar) : nullptr;
            if (pToolBar != nullptr && pick(2) == 0)
            {
                CRect item;
                pToolBar->GetItemRect(pick(pToolBar->GetCount()), &item);
                pToolBar->ClientToScreen(&item);
                at = item.CenterPoint();
                hAt = pToolBar->m_hWnd;
            }
            if (!Shows(hAt, at))
                break;
            play([&]() { FtClick(at); });
            ++done[operation];
            break;
        }
        case 12:
            if (!reached || !pBar->IsFloating())
                break;
            play([&]() { VxInput::DoubleClick(handle); });
            ++done[operation];
            break;
        case 13:
        {
            CUXCustomizeSheet sheet(frame, CUXCustomizeSheet::kToolBarsPage);
            CDialogDriver driver({[&](HWND hSheet)
                                  {
                                      if (rulesHold())
                                          customize(hSheet, sheet);
                                      else
                                          ::PostMessageA(hSheet, WM_COMMAND, IDCANCEL, 0);
                                  }});
            sheet.DoModal();
            EXPECT_EQ(1u, driver.StepsRun()) << what;
            ++done[operation];
            break;
        }
        }
        ++counts[operation];
        what = "step " + std::to_string(step) + ": " + names[operation] + " on " +
               AfxGetWindowText(pBar->m_hWnd).GetString() + "\nbefore:\n" + before + "after:\n";
        if (!rulesHold())
            break;
        ++checks;
    }
    std::printf("random docking, seed %u: %d operations (", seed, kSteps);
    for (int i = 0; i < kOperations; ++i)
        std::printf("%s%s %d", i > 0 ? ", " : "", names[i], counts[i]);
    std::printf("; by the mouse:");
    for (int i = 8; i < kOperations; ++i)
        std::printf(" %d", done[i]);
    std::printf("); the rules held after each of %d steps: docked bars inside the client area and apart, floating "
                "frames in the work area and above the frame, buttons inside their bars showing their commands' "
                "images, docking windows filled by their child, restarts keeping the layout\n",
                checks);
}

TEST_F(DockLayoutTest, AFloatingToolBarInTwoRowsDrawsBothAndItsCaptionHoldsItsButtons)
{
    // Red, green, a separator, blue, yellow; floating, made narrower: two rows.
    CFtToolBar& bar = frame->m_bars[0];
    const UINT first = kDlBarIds[0] * 10;
    const UINT ids[5] = {first + 1, first + 2, 0, first + 3, first + 4};
    ASSERT_TRUE(bar.SetButtons(ids, 5));
    frame->FloatControlBar(&bar, CPoint(300, 300), CBRS_ALIGN_TOP);
    Settle(frame);
    // What the end of a drag of the floating frame's edge does: the bar laid out for the width, floated
    // again where it is.
    CUXMiniDockFrameWnd* pMini = static_cast<CUXMiniDockFrameWnd*>(bar.GetParentFrame());
    CRect window = Rect(*pMini);
    bar.CalcDynamicLayout(60, LM_HORZ | LM_COMMIT);
    frame->FloatControlBar(&bar, window.TopLeft(), CBRS_ALIGN_TOP | CBRS_SIZE_DYNAMIC);
    Settle(frame);
    std::vector<CRect> buttons = Buttons(bar, false);
    ASSERT_EQ(4u, buttons.size());
    EXPECT_EQ(buttons[0].top, buttons[1].top);
    EXPECT_GT(buttons[2].top, buttons[0].bottom);
    EXPECT_EQ("", BrokenRule());
    // The separator that ends the first row is the gap below it, across the bar.
    CRect gap, inside;
    bar.GetItemRect(2, &gap);
    bar.GetClientRect(&inside);
    EXPECT_EQ(CRect(inside.left, buttons[0].bottom, inside.right, buttons[2].top), gap);

    // Every button shows its whole image (a square of 10 x 9 pixels in its colour), the first row too; no
    // line of the separator crosses it.
    const COLORREF colors[4] = {RGB(200, 0, 0), RGB(0, 160, 0), RGB(0, 0, 200), RGB(200, 160, 0)};
    for (int i = 0; i < 4; ++i)
    {
        CRect button = buttons[static_cast<size_t>(i)];
        bar.ClientToScreen(&button);
        auto whole = [&]()
        {
            ScreenCopy copy(button);
            int count = 0;
            for (int y = button.top; y < button.bottom; ++y)
                for (int x = button.left; x < button.right; ++x)
                    count += copy.At(x, y) == colors[i] ? 1 : 0;
            return count == 90;
        };
        EXPECT_TRUE(FtPumpUntil(whole)) << i << " " << Text(button);
    }
    // The caption holds its close button whole.
    window = Rect(*pMini);
    CRect client;
    pMini->GetClientRect(&client);
    pMini->ClientToScreen(&client);
    const CUXMiniDockFrameWnd::CaptionButton* close = pMini->FindButton(CUXMiniDockFrameWnd::kCloseButton);
    ASSERT_NE(nullptr, close);
    EXPECT_FALSE(close->collapsed);
    CRect placed = close->rect + window.TopLeft();
    EXPECT_EQ(placed, placed & window);
    EXPECT_LE(placed.bottom, client.top);
    EXPECT_GE(placed.left, window.left + 2 * ::GetSystemMetrics(SM_CXEDGE));
}

TEST_F(DockLayoutTest, AFloatingFrameMadeNarrowerPaintsItsWholeCaption)
{
    // Eight buttons in a row, then in rows of two: the frame loses half its width.
    CFtToolBar& bar = frame->m_bars[1];
    const UINT first = kDlBarIds[1] * 10;
    const UINT ids[8] = {first + 1, first + 2, first + 3, first + 4, first + 5, first + 6, first + 7, first + 8};
    ASSERT_TRUE(bar.SetButtons(ids, 8));
    frame->FloatControlBar(&bar, CPoint(300, 300), CBRS_ALIGN_TOP);
    Settle(frame);
    CRect wide = Rect(*bar.GetParentFrame());
    bar.CalcDynamicLayout(60, LM_HORZ | LM_COMMIT);
    frame->FloatControlBar(&bar, wide.TopLeft(), CBRS_ALIGN_TOP | CBRS_SIZE_DYNAMIC);
    Settle(frame);
    CUXMiniDockFrameWnd* pMini = static_cast<CUXMiniDockFrameWnd*>(bar.GetParentFrame());
    CRect window = Rect(*pMini);
    ASSERT_LT(window.Width(), wide.Width() - 40);
    // The close button shows its black cross at its new place.
    const CUXMiniDockFrameWnd::CaptionButton* close = pMini->FindButton(CUXMiniDockFrameWnd::kCloseButton);
    ASSERT_NE(nullptr, close);
    CRect placed = close->rect + window.TopLeft();
    EXPECT_TRUE(FtPumpUntil([&]() { return ScreenCopy(placed).RowsHold(placed.left, placed.right, placed.top,
                                                                        placed.Height(), RGB(0, 0, 0)); }))
        << Text(placed);
}

TEST_F(DockLayoutTest, AFloatingDockingWindowSizesByEveryEdgeAndCornerAndDocksBackAtTheSizeItHad)
{
    // Files takes its whole column (expanded), then is dragged off by its caption band.
    CFtDockWindow& files = frame->m_windows[0];
    CUXDockBar::FromBar(files.m_pDockBar)->ExpandWindow(&files);
    Settle(frame);
    CRect docked = Rect(files) - Client().TopLeft();
    CRect band = files.GetCaptionRect();
    files.ClientToScreen(&band);
    VxInput::Drag(CPoint(band.left + 30, band.CenterPoint().y), Client().CenterPoint());
    Settle(frame);
    ASSERT_TRUE(files.IsFloating());
    CUXMiniDockFrameWnd* pMini = static_cast<CUXMiniDockFrameWnd*>(files.GetParentFrame());
    EXPECT_FALSE(pMini->GetStyle() & MFS_4THICKFRAME);

    // Each edge and corner of its frame sizes it, and it keeps the size.
    CRect window = Rect(*pMini);
    const struct
    {
        CPoint at;
        LRESULT hit;
    } borders[4] = {{CPoint(window.left + 1, window.top + 1), HTTOPLEFT},
                    {CPoint(window.right - 2, window.bottom - 2), HTBOTTOMRIGHT},
                    {CPoint(window.CenterPoint().x, window.top + 1), HTTOP},
                    {CPoint(window.CenterPoint().x, window.bottom - 2), HTBOTTOM}};
    for (const auto& border : borders)
        EXPECT_EQ(border.hit, pMini->SendMessage(WM_NCHITTEST, 0, MAKELPARAM(border.at.x, border.at.y)));
    CSize size = Rect(files).Size();
    VxInput::Drag(borders[3].at, borders[3].at + CSize(0, 40));
    Settle(frame);
    EXPECT_EQ(size + CSize(0, 40), Rect(files).Size());
    pMini = static_cast<CUXMiniDockFrameWnd*>(files.GetParentFrame());
    window = Rect(*pMini);
    CPoint corner(window.left + 1, window.top + 1);
    VxInput::Drag(corner, corner - CSize(30, 20));
    Settle(frame);
    EXPECT_EQ(size + CSize(30, 60), Rect(files).Size());
    EXPECT_EQ(size + CSize(30, 60), files.GetFloatingSize());
    EXPECT_EQ("", BrokenRule());

    // A double click on the caption docks it back as it was: the whole column.
    files.m_pDockContext->ToggleDocking();
    Settle(frame);
    EXPECT_FALSE(files.IsFloating());
    EXPECT_TRUE(files.IsExpanded());
    EXPECT_EQ(docked, Rect(files) - Client().TopLeft());
}

TEST_F(DockLayoutTest, AFloatingMenuBarHasAFrameSizedFromItsCornersTitledInTheMenuFont)
{
    CUXMenuBar& menu = frame->m_wndMenuBar;
    menu.m_pDockContext->ToggleDocking();
    Settle(frame);
    ASSERT_TRUE(menu.IsFloating());
    CUXMiniDockFrameWnd* pMini = static_cast<CUXMiniDockFrameWnd*>(menu.GetParentFrame());
    EXPECT_FALSE(pMini->GetStyle() & MFS_4THICKFRAME);
    EXPECT_EQ(&uxAfxData.m_fontNormal, pMini->GetCaptionFont());
    ASSERT_NE(nullptr, pMini->FindButton(CUXMiniDockFrameWnd::kCloseButton));
    // Its sizing border: the bottom-right corner dragged in makes it narrower and its entries take more rows;
    // dragged out again, it is wide again, in one row.
    CRect window = Rect(*pMini);
    CPoint right(window.right - 2, window.bottom - 2);
    ASSERT_EQ(HTBOTTOMRIGHT, pMini->SendMessage(WM_NCHITTEST, 0, MAKELPARAM(right.x, right.y)));
    CSize wide = Rect(menu).Size();
    EXPECT_TRUE(VxInput::Play([&]() { VxInput::StepDrag(right, right - CSize(100, 0)); }, PumpPending));
    Settle(frame);
    CSize narrow = Rect(menu).Size();
    EXPECT_LT(narrow.cx, wide.cx);
    EXPECT_GT(narrow.cy, wide.cy);
    EXPECT_EQ(pMini, menu.GetParentFrame());
    EXPECT_EQ("", BrokenRule());
    window = Rect(*pMini);
    right = CPoint(window.right - 2, window.bottom - 2);
    EXPECT_TRUE(VxInput::Play([&]() { VxInput::StepDrag(right, right + CSize(200, 0)); }, PumpPending));
    Settle(frame);
    EXPECT_EQ(wide.cy, Rect(menu).Size().cy);
    EXPECT_EQ("", BrokenRule());
    // A tool bar's frame keeps the bold title.
    frame->FloatControlBar(&frame->m_bars[0], CPoint(100, 300), CBRS_ALIGN_TOP);
    Settle(frame);
    EXPECT_EQ(&uxAfxData.m_fontBold,
              static_cast<CUXMiniDockFrameWnd*>(frame->m_bars[0].GetParentFrame())->GetCaptionFont());
}

TEST_F(DockLayoutTest, AFloatingToolBarInTwoRowsComesBackInTwoRowsAfterARestart)
{
    CFtToolBar& bar = frame->m_bars[0];
    frame->FloatControlBar(&bar, CPoint(300, 300), CBRS_ALIGN_TOP);
    Settle(frame);
    bar.CalcDynamicLayout(60, LM_HORZ | LM_COMMIT);
    frame->FloatControlBar(&bar, Rect(*bar.GetParentFrame()).TopLeft(), CBRS_ALIGN_TOP | CBRS_SIZE_DYNAMIC);
    Settle(frame);
    std::string before = Layout();
    Restart();
    ASSERT_NE(nullptr, frame);
    CFtToolBar& again = frame->m_bars[0];
    ASSERT_TRUE(again.IsFloating());
    std::vector<CRect> buttons = Buttons(again);
    ASSERT_EQ(4u, buttons.size());
    EXPECT_GE(buttons[2].top, buttons[0].bottom);
    EXPECT_EQ(buttons[0].top, buttons[1].top);
    EXPECT_EQ("", BrokenRule());
    EXPECT_EQ(before, Layout());

    // A program that floats the bar in one row before it loads the state: the bar takes the stored width.
    again.CalcDynamicLayout(500, LM_HORZ | LM_COMMIT);
    frame->FloatControlBar(&again, Rect(*again.GetParentFrame()).TopLeft(), CBRS_ALIGN_TOP | CBRS_SIZE_DYNAMIC);
    Settle(frame);
    ASSERT_EQ(Buttons(again)[0].top, Buttons(again)[3].top);
    frame->LoadBarState(kProfile);
    Settle(frame);
    buttons = Buttons(again);
    EXPECT_GE(buttons[2].top, buttons[0].bottom);
    EXPECT_EQ("", BrokenRule());
    EXPECT_EQ(before, Layout());
}

TEST_F(DockLayoutTest, ADockingWindowDockedByItsCaptionShowsItsChildOverItsWholeClient)
{
    // Files takes its whole column, floats by a double click on its caption band and is dragged by its
    // floating frame's caption to the frame's right edge: its list fills it there, and after every change.
    CFtDockWindow& files = frame->m_windows[0];
    files.bLive = TRUE;   // as a docking window drags with the option to show contents while dragging
    CUXDockBar::FromBar(files.m_pDockBar)->ExpandWindow(&files);
    Settle(frame);
    CRect band = files.GetCaptionRect();
    files.ClientToScreen(&band);
    EXPECT_TRUE(
        VxInput::Play([&]() { VxInput::DoubleClick(CPoint(band.left + 30, band.CenterPoint().y)); }, PumpPending));
    Settle(frame);
    ASSERT_TRUE(files.IsFloating());
    EXPECT_TRUE(DockingWindowChildFillsClient(files));
    CFrameWnd* pMini = files.GetParentFrame();
    CRect client;
    pMini->GetClientRect(&client);
    pMini->ClientToScreen(&client);
    CPoint caption(client.left + 20, client.top - ::GetSystemMetrics(SM_CYSMCAPTION) / 2);
    CPoint edge(Client().right - 2, Client().CenterPoint().y);
    EXPECT_TRUE(VxInput::Play([&]() { VxInput::StepDrag(caption, edge); }, PumpPending));
    Settle(frame);
    ASSERT_FALSE(files.IsFloating());
    ASSERT_EQ(frame->GetControlBar(AFX_IDW_DOCKBAR_RIGHT), files.m_pDockBar);
    EXPECT_TRUE(files.IsExpanded());   // it keeps its expansion: the whole column again
    EXPECT_EQ(Rect(*files.m_pDockBar).Height(), Rect(files).Height());
    EXPECT_TRUE(DockingWindowChildFillsClient(files));
    EXPECT_EQ("", BrokenRule());

    // Its splitter 40 pixels towards the middle, the frame smaller, a restart.
    CRect docked = Rect(files);
    CPoint splitter(docked.left - 2, docked.CenterPoint().y);
    EXPECT_TRUE(VxInput::Play([&]() { VxInput::StepDrag(splitter, splitter - CSize(40, 0)); }, PumpPending));
    Settle(frame);
    EXPECT_EQ(docked.Width() + 40, Rect(files).Width());
    EXPECT_TRUE(DockingWindowChildFillsClient(files));
    frame->SetWindowPos(nullptr, 0, 0, 640, 480, SWP_NOMOVE | SWP_NOZORDER);
    Settle(frame);
    EXPECT_EQ(Rect(*files.m_pDockBar).Height(), Rect(files).Height());
    EXPECT_TRUE(DockingWindowChildFillsClient(files));
    Restart();
    ASSERT_NE(nullptr, frame);
    CFtDockWindow& again = frame->m_windows[0];
    EXPECT_EQ(frame->GetControlBar(AFX_IDW_DOCKBAR_RIGHT), again.m_pDockBar);
    EXPECT_EQ(Rect(*again.m_pDockBar).Height(), Rect(again).Height());
    EXPECT_TRUE(DockingWindowChildFillsClient(again));
}

TEST_F(DockLayoutTest, AMenuBarNarrowedWithAMaximizedChildPlacesEveryEntryInside)
{
    // Six entries and a maximized child's icon and buttons, in rows that change as the frame narrows.
    HMENU menu = ::CreateMenu();
    for (const char* text : {"&File", "&Edit", "&View", "&Tools", "&Window", "&Help"})
        ::AppendMenuA(menu, MF_POPUP, reinterpret_cast<UINT_PTR>(::CreatePopupMenu()), text);
    CUXMenuBar& bar = frame->m_wndMenuBar;
    bar.LoadMenuItems(menu, nullptr);
    CMDIChildWnd* child = new CMDIChildWnd;
    ASSERT_TRUE(child->Create(nullptr, "Child", WS_CHILD | WS_VISIBLE | WS_OVERLAPPEDWINDOW,
                              CFrameWnd::rectDefault, frame));
    frame->MDIMaximize(child);
    Settle(frame);
    CRect wide = Rect(*frame);
    for (int width = wide.Width(); width >= 140; width -= 4)
    {
        frame->SetWindowPos(nullptr, 0, 0, width, wide.Height(), SWP_NOMOVE | SWP_NOZORDER | SWP_NOACTIVATE);
        Settle(frame);
        CRect client;
        bar.GetClientRect(&client);
        for (int i = 0; i < bar.GetItemCount(); ++i)
        {
            CRect item = bar.GetItem(i)->GetRect();
            if (!bar.GetItem(i)->IsHidden())
                ASSERT_EQ(item, item & client) << "frame " << width << " wide: item " << i << " at " << Text(item)
                                               << " outside the bar's client " << Text(client);
        }
    }
}

TEST_F(DockLayoutTest, AFloatingToolBarIsNarrowedByItsSideEdgeAndItsFrameHugsItsRows)
{
    // A customizable bar (close and options in its caption), floating in one row.
    CFtToolBar& bar = frame->m_bars[0];
    bar.SetCustomizable(TRUE);
    frame->FloatControlBar(&bar, CPoint(300, 300), CBRS_ALIGN_TOP);
    Settle(frame);
    CFrameWnd* pMini = bar.GetParentFrame();
    CRect window = Rect(*pMini);
    // Its right edge 40 pixels in: two rows of two. Its bottom edge down: one column.
    CPoint right(window.right - 2, window.top + 24);
    ASSERT_EQ(HTRIGHT, pMini->SendMessage(WM_NCHITTEST, 0, MAKELPARAM(right.x, right.y)));
    EXPECT_TRUE(VxInput::Play([&]() { VxInput::StepDrag(right, right - CSize(40, 0)); }, PumpPending));
    Settle(frame);
    std::vector<CRect> buttons = Buttons(bar);
    ASSERT_EQ(4u, buttons.size());
    EXPECT_EQ(buttons[0].top, buttons[1].top);
    EXPECT_EQ(buttons[0].bottom, buttons[2].top);
    pMini = bar.GetParentFrame();
    CRect borders(0, 0, 0, 0);
    pMini->CalcWindowRect(&borders);
    auto hugs = [&]()
    {
        CRect frameRect = Rect(*pMini), barRect = Rect(bar);
        return frameRect.Width() - barRect.Width() <= std::max<int>(borders.Width(), 3 * uxAfxData.m_cxSmallIcon);
    };
    EXPECT_TRUE(hugs()) << Text(Rect(*pMini)) << " around " << Text(Rect(bar));
    window = Rect(*pMini);
    CPoint bottom(window.CenterPoint().x, window.bottom - 2);
    EXPECT_TRUE(VxInput::Play([&]() { VxInput::StepDrag(bottom, bottom + CSize(0, 60)); }, PumpPending));
    Settle(frame);
    buttons = Buttons(bar);
    EXPECT_EQ(buttons[0].left, buttons[3].left);
    pMini = bar.GetParentFrame();
    EXPECT_TRUE(hugs()) << Text(Rect(*pMini)) << " around " << Text(Rect(bar));
    EXPECT_EQ("", BrokenRule());
}
