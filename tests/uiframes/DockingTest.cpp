// The library's docking, driven by the real mouse and keys: tool bars on the four sides floated by their
// grippers into the library's floating frame and docked back by a double click, Ctrl, cursor docking, live
// dragging; a bar made and docked on a running frame, hidden and shown; docking windows resized by their
// splitters, expanded, hidden; the floating frame's caption.
#include "UiFramesTestSupport.h"

#include "support/win_MessageSequence.h"
#include "support/win_SystemInput.h"
#include "uilib/core/base/LibraryIds.h"
#include "uilib/core/base/WndHook.h"
#include "uilib/frames/BarDockContext.h"

namespace
{

class DockingTest : public UiFramesProgram
{
protected:
    void SetUp() override
    {
        UiFramesProgram::SetUp();
        frame = MakeDockFrame();
        ASSERT_NE(nullptr, frame);
    }

    CRect Client() const
    {
        CRect client;
        frame->GetClientRect(&client);
        frame->ClientToScreen(&client);
        return client;
    }
    CDockBar* Dock(UINT nID) const { return static_cast<CDockBar*>(frame->GetControlBar(nID)); }
    static CRect Rect(const CWnd& wnd) { return FtScreenRect(wnd.m_hWnd); }
    // The middle of a docked bar's gripper.
    static CPoint Gripper(const CControlBar& bar)
    {
        CRect rect = Rect(bar);
        return (bar.GetBarStyle() & CBRS_ORIENT_HORZ) ? CPoint(rect.left + 3, rect.CenterPoint().y)
                                                      : CPoint(rect.CenterPoint().x, rect.top + 3);
    }
    static CUXMiniDockFrameWnd* FloatingFrame(CControlBar& bar)
    {
        CFrameWnd* pFrame = bar.IsFloating() ? bar.GetParentFrame() : nullptr;
        return pFrame != nullptr && pFrame->IsKindOf(RUNTIME_CLASS(CUXMiniDockFrameWnd))
                   ? static_cast<CUXMiniDockFrameWnd*>(pFrame)
                   : nullptr;
    }
    // A point on a floating frame's caption, clear of its buttons.
    static CPoint Caption(CUXMiniDockFrameWnd* pMini)
    {
        CRect client;
        pMini->GetClientRect(&client);
        pMini->ClientToScreen(&client);
        CPoint point(client.left + 8, client.top - ::GetSystemMetrics(SM_CYSMCAPTION) / 2);
        EXPECT_EQ(HTCAPTION, pMini->SendMessage(WM_NCHITTEST, 0, MAKELPARAM(point.x, point.y)));
        return point;
    }

    CFtDockFrame* frame = nullptr;
};

const UINT kSides[4] = {AFX_IDW_DOCKBAR_TOP, AFX_IDW_DOCKBAR_BOTTOM, AFX_IDW_DOCKBAR_LEFT, AFX_IDW_DOCKBAR_RIGHT};

TEST_F(DockingTest, ToolBarsDockOnFourSidesFloatByTheirGripperAndDockBackByADoubleClick)
{
    for (int i = 0; i < 4; ++i)
    {
        CFtToolBar& bar = frame->m_bars[i];
        ASSERT_NE(nullptr, CUXDockBar::FromBar(bar.m_pDockBar)) << i;
        EXPECT_EQ(static_cast<int>(kSides[i]), bar.m_pDockBar->GetDlgCtrlID());
        CRect rect = Rect(bar);
        bool lying = rect.Width() > rect.Height();
        EXPECT_EQ(i < 2, lying) << i;
        EXPECT_NE(nullptr, dynamic_cast<CUXBarDockContext*>(bar.m_pDockContext));
    }
    CFtToolBar& bar = frame->m_bars[0];
    CRect before = Rect(bar);
    CPoint grip = Gripper(bar);
    CPoint middle = Client().CenterPoint();
    VxInput::Drag(grip, middle);
    PumpPending();

    ASSERT_TRUE(bar.IsFloating());
    CUXMiniDockFrameWnd* pMini = FloatingFrame(bar);
    ASSERT_NE(nullptr, pMini);
    HWND hMini = pMini->m_hWnd;
    EXPECT_TRUE(pMini->IsWindowVisible());
    EXPECT_EQ(CPoint(before.left + middle.x - grip.x, before.top + middle.y - grip.y), Rect(bar).TopLeft());
    EXPECT_EQ(0, Rect(*Dock(AFX_IDW_DOCKBAR_TOP)).Height());   // the top gave its room back
    // The library's caption: a close button instead of the system menu.
    ASSERT_EQ(1u, pMini->GetButtons().size());
    EXPECT_EQ(CUXMiniDockFrameWnd::kCloseButton, pMini->GetButtons()[0]->kind);
    EXPECT_FALSE(pMini->GetStyle() & WS_SYSMENU);
    EXPECT_STREQ("Top", AfxGetWindowText(hMini));

    VxInput::DoubleClick(Caption(pMini));
    PumpPending();
    EXPECT_FALSE(bar.IsFloating());
    EXPECT_EQ(Dock(AFX_IDW_DOCKBAR_TOP), bar.m_pDockBar);
    EXPECT_EQ(before, Rect(bar));
    EXPECT_FALSE(::IsWindow(hMini));
}

TEST_F(DockingTest, CtrlNeverDocksAndTheCursorChoosesTheSide)
{
    CFtToolBar& bar = frame->m_bars[0];
    CRect client = Client();
    // Over the left dock bar (its tool bar's column), with Ctrl held: the bar floats all the same.
    CPoint overLeft(client.left + 3, client.CenterPoint().y);
    VxInput::Key(VK_CONTROL, true);
    VxInput::Drag(Gripper(bar), overLeft);
    VxInput::Key(VK_CONTROL, false);
    PumpPending();
    ASSERT_TRUE(bar.IsFloating());
    EXPECT_EQ(static_cast<DWORD>(CBRS_ALIGN_TOP), bar.GetBarStyle() & CBRS_ALIGN_ANY);

    // The same place without Ctrl: the cursor is in the left dock bar, so the bar stands up on the left.
    CUXMiniDockFrameWnd* pMini = FloatingFrame(bar);
    ASSERT_NE(nullptr, pMini);
    VxInput::Drag(Caption(pMini), overLeft);
    PumpPending();
    ASSERT_EQ(Dock(AFX_IDW_DOCKBAR_LEFT), bar.m_pDockBar);
    EXPECT_EQ(static_cast<DWORD>(CBRS_ALIGN_LEFT), bar.GetBarStyle() & CBRS_ALIGN_ANY);
    CRect standing = Rect(bar);
    EXPECT_GT(standing.Height(), standing.Width());

    // The top is empty now (no height at all), yet a cursor within 4 pixels of it docks there; a cursor
    // further in the middle does not.
    ASSERT_EQ(0, Rect(*Dock(AFX_IDW_DOCKBAR_TOP)).Height());
    bar.m_pDockContext->ToggleDocking();
    pMini = FloatingFrame(bar);
    ASSERT_NE(nullptr, pMini);
    VxInput::Drag(Caption(pMini), CPoint(client.CenterPoint().x, client.top + 12));
    PumpPending();
    EXPECT_TRUE(bar.IsFloating());
    pMini = FloatingFrame(bar);
    ASSERT_NE(nullptr, pMini);
    VxInput::Drag(Caption(pMini), CPoint(client.CenterPoint().x, client.top + 2));
    PumpPending();
    EXPECT_EQ(Dock(AFX_IDW_DOCKBAR_TOP), bar.m_pDockBar);
    EXPECT_GT(Rect(*Dock(AFX_IDW_DOCKBAR_TOP)).Height(), 0);
}

}   // namespace

namespace
{

using VxInput::StepTo;

// A left click by the real mouse.
void ClickAt(CPoint point)
{
    VxInput::MoveTo(point);
    VxInput::Press(point);
    VxInput::Release(point);
    PumpPending();
}

TEST_F(DockingTest, DockingWindowsShareAColumnAndResizeByTheirSplitters)
{
    CFtDockWindow& first = frame->m_windows[0];
    CFtDockWindow& second = frame->m_windows[1];
    CUXDockBar* left = CUXDockBar::FromBar(first.m_pDockBar);
    ASSERT_NE(nullptr, left);
    ASSERT_EQ(left, second.m_pDockBar);
    CRect a = Rect(first), b = Rect(second);
    EXPECT_EQ(CSize(150, 120), a.Size());
    EXPECT_EQ(a.left, b.left);
    EXPECT_EQ(a.bottom + CUXDockBar::kSplitterSize, b.top);
    // The caption band on top with the hide button at its right end and the expand button beside it; the
    // list fills the rest, one pixel in.
    EXPECT_EQ(CRect(a.left + 1, a.top + CUXDockWindow::kCaptionSize + 1, a.right - 1, a.bottom - 1),
              Rect(frame->m_lists[0]));
    ASSERT_NE(nullptr, first.m_pHideButton);
    EXPECT_EQ(ID_UX_DOCK_HIDE, first.m_pHideButton->GetDlgCtrlID());
    EXPECT_EQ(ID_UX_DOCK_EXPAND, first.m_pExpandButton->GetDlgCtrlID());
    CRect hide = Rect(*first.m_pHideButton), expand = Rect(*first.m_pExpandButton);
    EXPECT_EQ(a.right - 2, hide.right);
    EXPECT_EQ(CPoint(hide.left - CUXDockWindow::kButtonStep, hide.top), expand.TopLeft());

    // The splitter along the column's inner edge, 40 pixels towards the middle: both windows grow.
    CPoint edge(a.right + 2, a.CenterPoint().y);
    EXPECT_EQ(HTBORDER, left->SendMessage(WM_NCHITTEST, 0, MAKELPARAM(edge.x, edge.y)));
    CRect pane = Rect(frame->m_pane);
    VxInput::Drag(edge, CPoint(edge.x + 40, edge.y));
    PumpPending();
    EXPECT_EQ(190, Rect(first).Width());
    EXPECT_EQ(190, Rect(second).Width());
    EXPECT_EQ(CSize(190, 120), first.GetDockedSize(CUXDockWindow::kLeft));
    EXPECT_EQ(pane.left + 40, Rect(frame->m_pane).left);

    // The splitter between them, 30 pixels down: the first gains what the second gives.
    a = Rect(first);
    int secondHeight = Rect(second).Height();
    CPoint between(a.CenterPoint().x, a.bottom + 2);
    VxInput::Drag(between, CPoint(between.x, between.y + 30));
    PumpPending();
    EXPECT_EQ(150, Rect(first).Height());
    EXPECT_EQ(secondHeight - 30, Rect(second).Height());

    // Escape during a move leaves everything as it was.
    a = Rect(first);
    edge = CPoint(a.right + 2, a.CenterPoint().y);
    VxInput::MoveTo(edge);
    VxInput::Press(edge);
    VxInput::MoveTo(CPoint(edge.x + 30, edge.y));
    VxInput::Key(VK_ESCAPE, true);
    VxInput::Key(VK_ESCAPE, false);
    VxInput::Release(CPoint(edge.x + 30, edge.y));
    PumpPending();
    EXPECT_EQ(a, Rect(first));
    EXPECT_FALSE(left->IsTrackingSplitter());

    // Expand: the second takes the column's length but what the first needs; again: its own length back.
    int column = Rect(*left).Height();
    ClickAt(Rect(*second.m_pExpandButton).CenterPoint());
    EXPECT_TRUE(second.IsExpanded());
    EXPECT_EQ(column - Rect(first).Height() - CUXDockBar::kSplitterSize, Rect(second).Height());
    ClickAt(Rect(*second.m_pExpandButton).CenterPoint());
    EXPECT_FALSE(second.IsExpanded());
    EXPECT_EQ(secondHeight - 30, Rect(second).Height());

    // Hide: the first goes, the second moves up to the column's start.
    ClickAt(Rect(*first.m_pHideButton).CenterPoint());
    EXPECT_FALSE(first.IsWindowVisible());
    EXPECT_EQ(Rect(*left).top, Rect(second).top);
}

TEST_F(DockingTest, CaptionButtonsNeedBothExtraStyleBits)
{
    const DWORD styles[3] = {CUXDockWindow::kExtraCaption, CUXDockWindow::kExtraButtons,
                             CUXDockWindow::kExtraCaption | CUXDockWindow::kExtraButtons};
    for (int i = 0; i < 3; ++i)
    {
        CUXDockWindow window;
        window.SetExtraBarStyle(styles[i]);
        ASSERT_TRUE(window.Create(frame, "Extra", 0xE840 + i));
        EXPECT_EQ(i == 2, window.m_pHideButton != nullptr) << i;
        EXPECT_EQ(i == 2, ::GetDlgItem(window.m_hWnd, ID_UX_DOCK_EXPAND) != nullptr) << i;
        window.DestroyWindow();
    }
}

TEST_F(DockingTest, LiveDraggingMovesTheWindowOnTheWayAndACancelPutsItBack)
{
    CFtDockWindow& window = frame->m_windows[1];
    CRect start = Rect(window);
    CPoint band(start.left + 20, start.top + CUXDockWindow::kCaptionSize / 2);
    CPoint middle = Client().CenterPoint();
    // Out to the middle and back onto the band, released there.
    auto outAndBack = [&]()
    {
        VxInput::MoveTo(band);
        VxInput::Press(band);
        StepTo(CPoint(band.x + 100, band.y));
        StepTo(middle);
        StepTo(CPoint(band.x + 2, band.y + 1));
        VxInput::Release(CPoint(band.x + 2, band.y + 1));
        PumpPending();
    };
    // Listeners hear of every loop's start and end.
    struct Loops : CUXDockLoopListener
    {
        int starts = 0;
        int ends = 0;
        void OnDockLoop(CUXBarDockContext* pCalling) override { ++(pCalling->IsTracking() ? starts : ends); }
    } loops;
    CUXBarDockContext* pContext = dynamic_cast<CUXBarDockContext*>(window.m_pDockContext);
    ASSERT_NE(nullptr, pContext);
    int slot = pContext->AddCallback(&loops);
    EXPECT_EQ(1, slot);

    window.bLive = TRUE;
    outAndBack();
    EXPECT_TRUE(window.bFloatedOnTheWay);
    EXPECT_FALSE(window.IsFloating());
    EXPECT_EQ(Dock(AFX_IDW_DOCKBAR_LEFT), window.m_pDockBar);

    // Without live dragging the window stays where it is until the button goes up. (Each gesture starts
    // elsewhere on the band, so that two presses do not make a double click.)
    window.bLive = FALSE;
    band.x += 30;
    window.bFloatedOnTheWay = FALSE;
    outAndBack();
    EXPECT_FALSE(window.bFloatedOnTheWay);
    EXPECT_FALSE(window.IsFloating());

    // Live, and cancelled in the middle: back in its place.
    window.bLive = TRUE;
    CRect before = Rect(window);
    band = CPoint(before.left + 80, before.top + CUXDockWindow::kCaptionSize / 2);
    VxInput::MoveTo(band);
    VxInput::Press(band);
    StepTo(CPoint(band.x + 100, band.y));
    StepTo(middle);
    VxInput::Key(VK_ESCAPE, true);
    VxInput::Key(VK_ESCAPE, false);
    VxInput::Release(middle);
    PumpPending();
    EXPECT_TRUE(window.bFloatedOnTheWay);
    EXPECT_FALSE(window.IsFloating());
    EXPECT_EQ(before, Rect(window));
    EXPECT_EQ(3, loops.starts);
    EXPECT_EQ(3, loops.ends);

    // Four slots, each with a cookie of its own; a listener's slots go together.
    Loops other;
    EXPECT_EQ(2, pContext->AddCallback(&loops));
    EXPECT_EQ(3, pContext->AddCallback(&other));
    EXPECT_EQ(4, pContext->AddCallback(&loops));
    EXPECT_EQ(0, pContext->AddCallback(&other));
    EXPECT_NE(pContext->GetCallbackCookie(2), pContext->GetCallbackCookie(4));
    pContext->RemoveCallbacks(&loops);
    EXPECT_EQ(0u, pContext->GetCallbackCookie(1));
    EXPECT_NE(0u, pContext->GetCallbackCookie(3));
    EXPECT_EQ(1, pContext->AddCallback(&loops));
    pContext->RemoveCallbacks(&loops);
    pContext->RemoveCallbacks(&other);   // the window outlives these listeners
}

TEST_F(DockingTest, WithTheOptionToShowContentsWhileDraggingAToolBarDragsLive)
{
    // Out to the middle of the frame and back to the top edge, released there.
    CFtToolBar& bar = frame->m_bars[0];
    CRect before = Rect(bar);
    auto outAndBack = [&](CPoint grip)
    {
        CPoint back(grip.x + 1, Client().top + 1);
        VxInput::MoveTo(grip);
        VxInput::Press(grip);
        StepTo(Client().CenterPoint());
        StepTo(back);
        VxInput::Release(back);
        PumpPending();
    };
    // The option on: the bar floats in the middle and docks again as the cursor comes back.
    ASSERT_TRUE(uxAfxData.m_bDocking);
    CUXBarDockContext* pContext = dynamic_cast<CUXBarDockContext*>(bar.m_pDockContext);
    ASSERT_NE(nullptr, pContext);
    outAndBack(Gripper(bar));
    EXPECT_TRUE(bar.bFloatedOnTheWay);
    EXPECT_EQ(Dock(AFX_IDW_DOCKBAR_TOP), bar.m_pDockBar);
    EXPECT_EQ(before.top, Rect(bar).top);

    // The option off: a rectangle shows where it would go; the bar stays until the button goes up.
    uxAfxData.m_bDocking = FALSE;
    bar.bFloatedOnTheWay = FALSE;
    outAndBack(Gripper(bar) - CSize(0, 5));
    EXPECT_FALSE(bar.bFloatedOnTheWay);
    EXPECT_EQ(Dock(AFX_IDW_DOCKBAR_TOP), bar.m_pDockBar);

    // Dragged across the Files window and cancelled there by Escape while the windows under the rectangle paint
    // (all of them as the drag starts): the screen shows what it showed before, no rectangle is left over the
    // list or the bar.
    struct Repainter : CUXDockLoopListener
    {
        HWND hWnd = nullptr;
        void OnDockLoop(CUXBarDockContext* pCalling) override
        {
            if (pCalling->IsTracking())
                ::RedrawWindow(hWnd, nullptr, nullptr, RDW_INVALIDATE | RDW_ERASE | RDW_FRAME | RDW_ALLCHILDREN);
        }
    } repainter;
    repainter.hWnd = frame->m_hWnd;
    pContext->AddCallback(&repainter);
    CRect area = Rect(*frame), files = Rect(frame->m_windows[0]);
    auto atRest = [&]() { return FtPumpUntil([&]() { return bar.SendMessage(TB_GETHOTITEM) < 0; }); };
    ASSERT_TRUE(atRest());
    std::vector<uint32_t> shown = FtScreenPixels(area);
    EXPECT_TRUE(VxInput::Play(
        [&]()
        {
            CPoint grip = Gripper(bar) + CSize(0, 3), end(files.left + 20, files.bottom - 20);
            VxInput::MoveTo(grip);
            VxInput::Press(grip);
            StepTo(files.CenterPoint());
            StepTo(end);
            VxInput::Key(VK_ESCAPE, true);
            VxInput::Key(VK_ESCAPE, false);
            VxInput::Release(end);
            ::SetCursorPos(::GetSystemMetrics(SM_CXSCREEN) - 1, ::GetSystemMetrics(SM_CYSCREEN) - 1);
        },
        PumpPending));
    pContext->RemoveCallbacks(&repainter);
    uxAfxData.m_bDocking = TRUE;
    EXPECT_EQ(Dock(AFX_IDW_DOCKBAR_TOP), bar.m_pDockBar);
    ASSERT_TRUE(atRest());
    EXPECT_TRUE(shown == FtScreenPixels(area));
}

TEST_F(DockingTest, FloatingFramesStayAboveTheFrameAfterDragsAndClicks)
{
    // Two bars float over the frame, the one floated last on top where they overlap.
    frame->FloatControlBar(&frame->m_bars[1], CPoint(380, 160), CBRS_ALIGN_TOP);
    frame->FloatControlBar(&frame->m_bars[3], CPoint(420, 180), CBRS_ALIGN_TOP);
    PumpPending();
    HWND hFirst = FloatingFrame(frame->m_bars[1])->m_hWnd, hSecond = FloatingFrame(frame->m_bars[3])->m_hWnd;
    ASSERT_TRUE(FtOwnedPopupsAboveFrame(frame->m_hWnd));

    // The top bar by its gripper to the left edge.
    CFtToolBar& bar = frame->m_bars[0];
    CPoint left(Client().left + 2, Client().CenterPoint().y);
    EXPECT_TRUE(VxInput::Play([&]() { VxInput::Drag(Gripper(bar), left); }, PumpPending));
    EXPECT_EQ(Dock(AFX_IDW_DOCKBAR_LEFT), bar.m_pDockBar);
    EXPECT_TRUE(FtOwnedPopupsAboveFrame(frame->m_hWnd)) << "after a drag of a gripper";

    // The splitter along the docking windows' column, 30 pixels to the right.
    CRect files = Rect(frame->m_windows[0]);
    CPoint edge(files.right + 2, files.CenterPoint().y);
    EXPECT_TRUE(VxInput::Play([&]() { VxInput::Drag(edge, edge + CSize(30, 0)); }, PumpPending));
    EXPECT_EQ(files.Width() + 30, Rect(frame->m_windows[0]).Width());
    EXPECT_TRUE(FtOwnedPopupsAboveFrame(frame->m_hWnd)) << "after a drag of a splitter";

    // A click on the document area, which takes the focus.
    EXPECT_TRUE(VxInput::Play([&]() { FtClick(FtFreePoint(frame->m_pane.m_hWnd, hFirst)); }, PumpPending));
    EXPECT_TRUE(FtPumpUntil([&]() { return ::GetFocus() == frame->m_pane.m_hWnd; }));
    EXPECT_TRUE(FtOwnedPopupsAboveFrame(frame->m_hWnd)) << "after a click on the document area";
    // Among themselves they keep their order.
    HWND hAbove = hSecond;
    while (hAbove != nullptr && hAbove != hFirst)
        hAbove = ::GetWindow(hAbove, GW_HWNDNEXT);
    EXPECT_EQ(hFirst, hAbove);
}

TEST_F(DockingTest, FloatDockAndReDockComeInTheirOrder)
{
    // The class of the floating frames, from one floated and docked again before the recording.
    CFtToolBar& other = frame->m_bars[1];
    frame->FloatControlBar(&other, CPoint(400, 300), CBRS_ALIGN_TOP);
    char miniClass[64] = {};
    ::GetClassNameA(other.GetParentFrame()->m_hWnd, miniClass, sizeof(miniClass));
    frame->DockControlBar(&other, AFX_IDW_DOCKBAR_BOTTOM);
    frame->RecalcLayout();
    PumpPending();

    uxAfxData.m_bDocking = FALSE;   // the bars move when the button goes up
    CMessageSequence seq({WM_CREATE, WM_DESTROY, WM_SIZE});
    seq.Watch(Dock(AFX_IDW_DOCKBAR_TOP)->m_hWnd, "top");
    seq.WatchClass(miniClass, "floating");
    seq.Start();
    // Floated by its gripper, docked again on the top by its caption, floated and docked again by double clicks.
    CFtToolBar& bar = frame->m_bars[0];
    VxInput::Drag(Gripper(bar), Client().CenterPoint());
    PumpPending();
    ASSERT_NE(nullptr, FloatingFrame(bar));
    VxInput::Drag(Caption(FloatingFrame(bar)), CPoint(Client().CenterPoint().x, Client().top + 2));
    PumpPending();
    ASSERT_EQ(Dock(AFX_IDW_DOCKBAR_TOP), bar.m_pDockBar);
    bar.m_pDockContext->ToggleDocking();
    frame->RecalcLayout();   // as the program's idle time does
    PumpPending();
    ASSERT_NE(nullptr, FloatingFrame(bar));
    VxInput::DoubleClick(Caption(FloatingFrame(bar)));
    PumpPending();
    frame->RecalcLayout();
    seq.Stop();
    uxAfxData.m_bDocking = TRUE;
    EXPECT_EQ(Dock(AFX_IDW_DOCKBAR_TOP), bar.m_pDockBar);
    // Floating: the floating frame is made (the frame, then its dock bar) before the top gives the bar's room
    // back; docking: the emptied floating frame goes (its dock bar with it) before the top takes the room.
    // (Windows of the floating frame's class are sized on the way, as often as their layout needs.)
    std::vector<VxExpectedMessage> expected;
    auto add = [&](const char* window, UINT message)
    {
        for (int i = 0; i < 3; ++i)
            expected.push_back({"floating", WM_SIZE, VxExpectedMessage::optional});
        expected.push_back({window, message});
    };
    for (int cycle = 0; cycle < 2; ++cycle)
    {
        add("floating", WM_CREATE);
        add("floating", WM_CREATE);
        add("top", WM_SIZE);
        add("floating", WM_DESTROY);
        add("floating", WM_DESTROY);
        add("top", WM_SIZE);
    }
    for (int i = 0; i < 3; ++i)
        expected.push_back({"floating", WM_SIZE, VxExpectedMessage::optional});
    EXPECT_TRUE(seq.Matches(expected));
}

TEST_F(DockingTest, ABarMadeOnARunningFrameIsPlacedByItsDockBarBeforeTheFrameMovesTheRest)
{
    PumpPending();
    char barClass[64] = {};
    ::GetClassNameA(frame->m_bars[0].m_hWnd, barClass, sizeof(barClass));
    auto watch = [&](CMessageSequence& seq)
    {
        const char* sides[4] = {"top", "bottom", "left", "right"};
        for (int i = 0; i < 4; ++i)
        {
            seq.Watch(Dock(kSides[i])->m_hWnd, sides[i]);
            seq.Watch(frame->m_bars[i].m_hWnd, (std::string(sides[i]) + " bar").c_str());
        }
        seq.Watch(frame->m_pane.m_hWnd, "pane");
        seq.WatchClass(barClass, "new");   // the bar made below, the only one of the class not named
    };
    CMessageSequence seq({WM_CREATE, WM_SIZE, WM_SIZEPARENT});
    watch(seq);
    CFtToolBar bar;
    seq.Start();
    ASSERT_TRUE(bar.CreateBar(frame, 0xE820, CBRS_ALIGN_TOP, "Extra"));
    frame->DockControlBar(&bar, AFX_IDW_DOCKBAR_TOP);
    frame->RecalcLayout();   // as the program's idle time does
    PumpPending();
    seq.Stop();
    EXPECT_EQ(Dock(AFX_IDW_DOCKBAR_TOP), bar.m_pDockBar);
    // Docking lays the frame out at once: the top, asked first, places the new bar in itself; then the dock
    // bars are sized in their order (the bottom's size stays), the pane last. Laid out again, nothing moves.
    EXPECT_TRUE(seq.Matches({
        {"new", WM_CREATE},
        {"new", WM_SIZE},   // made empty
        {"top", WM_SIZEPARENT},
        {"new", WM_SIZE},
        {"bottom", WM_SIZEPARENT},
        {"left", WM_SIZEPARENT},
        {"right", WM_SIZEPARENT},
        {"top", WM_SIZE},
        {"left", WM_SIZE},
        {"right", WM_SIZE},
        {"pane", WM_SIZE},
        {"top", WM_SIZEPARENT},
        {"bottom", WM_SIZEPARENT},
        {"left", WM_SIZEPARENT},
        {"right", WM_SIZEPARENT},
    }));

    // Hidden and shown again by the frame: the top hides or shows it while it is asked, then the dock bars
    // and the pane move into the room it left or out of the room it takes.
    for (BOOL show : {FALSE, TRUE})
    {
        CMessageSequence moved({WM_WINDOWPOSCHANGED, WM_SIZEPARENT});
        watch(moved);
        moved.Watch(bar.m_hWnd, "new");
        moved.Start();
        frame->ShowControlBar(&bar, show, FALSE);
        PumpPending();
        moved.Stop();
        EXPECT_EQ(show, bar.IsWindowVisible());
        EXPECT_TRUE(moved.Matches({
            {"top", WM_SIZEPARENT},
            {"new", WM_WINDOWPOSCHANGED},
            {"bottom", WM_SIZEPARENT},
            {"left", WM_SIZEPARENT},
            {"right", WM_SIZEPARENT},
            {"top", WM_WINDOWPOSCHANGED},
            {"left", WM_WINDOWPOSCHANGED},
            {"right", WM_WINDOWPOSCHANGED},
            {"pane", WM_WINDOWPOSCHANGED},
        })) << "shown "
            << show;
    }
    bar.DestroyWindow();
}

TEST_F(DockingTest, ABarThatAllowsItDocksIntoAnotherFrameAndJoinsItsBars)
{
    CFtDockFrame* pOther = new CFtDockFrame;
    ASSERT_TRUE(pOther->LoadFrame(IDR_FT_FRAME, WS_OVERLAPPEDWINDOW));
    pOther->SetWindowPos(nullptr, 720, 0, 500, 420, SWP_NOZORDER | SWP_NOACTIVATE);
    pOther->ShowWindow(SW_SHOWNA);
    pOther->RecalcLayout();
    PumpPending();
    CRect otherClient;
    pOther->GetClientRect(&otherClient);
    pOther->ClientToScreen(&otherClient);
    CPoint target(otherClient.left + 3, otherClient.CenterPoint().y);   // on its left dock bar

    // A plain bar does not go there: it floats.
    CFtToolBar& bar = frame->m_bars[0];
    VxInput::Drag(Gripper(bar), target);
    PumpPending();
    EXPECT_TRUE(bar.IsFloating());
    EXPECT_EQ(frame, bar.m_pDockSite);
    bar.m_pDockContext->ToggleDocking();
    ASSERT_EQ(Dock(AFX_IDW_DOCKBAR_TOP), bar.m_pDockBar);

    // One that allows it docks there and belongs to that frame from now on; the hook its dock context made on
    // its frame goes with it. (Pressed a little higher on the gripper: two presses at one place would make a
    // double click.)
    bar.m_bQueryFlag = TRUE;
    CUXWndHook* pHook = bar.GetHook();
    ASSERT_NE(nullptr, pHook);
    EXPECT_EQ(frame->m_hWnd, pHook->m_hWnd);
    VxInput::Drag(Gripper(bar) - CSize(0, 6), target);
    PumpPending();
    EXPECT_FALSE(bar.IsFloating());
    EXPECT_EQ(pOther, bar.m_pDockSite);
    EXPECT_EQ(pOther->m_hWnd, pHook->m_hWnd);
    ASSERT_NE(nullptr, bar.m_pDockBar);
    EXPECT_EQ(pOther->GetControlBar(AFX_IDW_DOCKBAR_LEFT), bar.m_pDockBar);
    EXPECT_NE(nullptr, pOther->m_listControlBars.Find(&bar));
    EXPECT_EQ(nullptr, frame->m_listControlBars.Find(&bar));
    EXPECT_EQ(0, Rect(*Dock(AFX_IDW_DOCKBAR_TOP)).Height());   // its old side is empty

    pOther->DestroyWindow();
    PumpPending();
}

TEST_F(DockingTest, FloatingFrameCaptionHoldsCloseAndOptionsAndCloseHidesTheBar)
{
    CFtToolBar& bar = frame->m_bars[1];
    bar.SetCustomizable(TRUE);
    frame->FloatControlBar(&bar, CPoint(300, 300), CBRS_ALIGN_TOP);
    PumpPending();
    CUXMiniDockFrameWnd* pMini = FloatingFrame(bar);
    ASSERT_NE(nullptr, pMini);
    ASSERT_EQ(2u, pMini->GetButtons().size());
    const CUXMiniDockFrameWnd::CaptionButton* close = pMini->FindButton(CUXMiniDockFrameWnd::kCloseButton);
    const CUXMiniDockFrameWnd::CaptionButton* options = pMini->FindButton(CUXMiniDockFrameWnd::kOptionsButton);
    ASSERT_NE(nullptr, close);
    ASSERT_NE(nullptr, options);
    EXPECT_FALSE(close->collapsed || options->collapsed);
    // Right to left in the caption: close at the edge, options one small icon further (classic: 2 less).
    CRect window = Rect(*pMini);
    int cxEdge = ::GetSystemMetrics(SM_CXEDGE), cxIcon = uxAfxData.m_cxSmallIcon;
    BOOL classic = pMini->GetLook() == CUXMiniDockFrameWnd::kLookClassic;
    EXPECT_EQ(window.Width() - cxEdge - (classic ? 2 : 0), close->rect.right);
    EXPECT_EQ(close->rect.right - cxIcon + (classic ? 2 : 0), options->rect.right);
    EXPECT_GE(window.Width(), 3 * cxIcon + 2 * cxEdge);   // the caption holds both and one icon more

    // The options button opens the pop-up of the bar's options; its "Customize..." reaches the frame through
    // the bar.
    ClickAt(CPoint(window.left + options->rect.CenterPoint().x, window.top + options->rect.CenterPoint().y));
    CWnd* pPopup = pMini->GetOptionsPopup();
    ASSERT_NE(nullptr, pPopup);
    HWND hPopup = pPopup->m_hWnd;
    EXPECT_TRUE(::IsWindowVisible(hPopup));
    ::SendMessageA(hPopup, WM_COMMAND, MAKEWPARAM(ID_UX_CUSTOMIZE, BN_CLICKED), 0);
    PumpPending();
    EXPECT_FALSE(::IsWindow(hPopup));
    EXPECT_EQ(nullptr, pMini->GetOptionsPopup());
    EXPECT_EQ(1, frame->customizeCommands);
    EXPECT_FALSE(options->pressed);

    // The close button hides the bar with its frame; the bar's command shows both again.
    window = Rect(*pMini);
    ClickAt(CPoint(window.left + close->rect.CenterPoint().x, window.top + close->rect.CenterPoint().y));
    EXPECT_FALSE(bar.IsWindowVisible());
    EXPECT_FALSE(pMini->IsWindowVisible());
    frame->SendMessage(WM_COMMAND, CFtDockFrame::kBarIds[1]);
    EXPECT_TRUE(pMini->IsWindowVisible());
}

}   // namespace
