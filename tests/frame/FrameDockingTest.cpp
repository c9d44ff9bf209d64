// Docking: bars along the four sides, dragging by the real mouse to float, dock and resize, the double click,
// Ctrl, the dock state in the profile (also damaged or older), the status bar; and MDI frames.
#include "FrameTestSupport.h"

#include "support/win_MessageSequence.h"
#include "support/win_ProfileReadCounter.h"
#include "support/win_SystemInput.h"

#include <map>

namespace
{

const char kProfile[] = "DockTest";

CRect ScreenRect(const CWnd& wnd)
{
    CRect rect;
    wnd.GetWindowRect(&rect);
    return rect;
}

CRect RectIn(const CWnd& parent, const CWnd& child)
{
    CRect rect = ScreenRect(child);
    parent.ScreenToClient(&rect);
    return rect;
}

class FrameDockingTest : public FrameProgram
{
protected:
    void SetUp() override
    {
        FrameProgram::SetUp();
        ClearState();
        // The real cursor stays out of the way until a test moves it.
        ::SetCursorPos(::GetSystemMetrics(SM_CXSCREEN) - 1, ::GetSystemMetrics(SM_CYSCREEN) - 1);
        frame = new CDockFrame;
        ASSERT_TRUE(frame->LoadFrame(IDR_SHOW, WS_OVERLAPPEDWINDOW));
        app.m_pMainWnd = frame;
        frame->SetWindowPos(nullptr, 0, 0, 640, 480, SWP_NOZORDER);
        frame->ShowWindow(SW_SHOW);
        frame->UpdateWindow();
        Pump();
    }

    void TearDown() override
    {
        ClearState();
        FrameProgram::TearDown();
    }

    void ClearState()
    {
        app.WriteProfileString(CString(kProfile) + "-Summary", nullptr, nullptr);
        for (int i = 0; i < 12; ++i)
            app.WriteProfileString(Section(i), nullptr, nullptr);
    }

    static CString Section(int i)
    {
        CString section;
        section.Format("%s-Bar%d", kProfile, i);
        return section;
    }

    // The saved sections by the id they hold.
    std::map<UINT, CString> SectionsById()
    {
        std::map<UINT, CString> sections;
        int count = static_cast<int>(app.GetProfileInt(CString(kProfile) + "-Summary", "Bars", 0));
        for (int i = 0; i < count; ++i)
            sections[app.GetProfileInt(Section(i), "BarID", 0)] = Section(i);
        return sections;
    }

    CDockBar* Dock(UINT nID) { return static_cast<CDockBar*>(frame->GetControlBar(nID)); }
    CCellBar& Bar(int i) { return frame->m_bars[i]; }
    CRect Client()
    {
        CRect client;
        frame->GetClientRect(&client);
        frame->ClientToScreen(&client);
        return client;
    }
    static CPoint Gripper(CControlBar& bar)
    {
        CRect rect = ScreenRect(bar);
        return CPoint(rect.left + 3, rect.top + rect.Height() / 2);
    }
    static CMiniDockFrameWnd* FloatingFrame(CControlBar& bar)
    {
        return bar.IsFloating() ? static_cast<CMiniDockFrameWnd*>(bar.GetParentFrame()) : nullptr;
    }
    // A point in the floating frame's caption, clear of its close button.
    static CPoint Caption(CMiniDockFrameWnd* pMini)
    {
        CRect client;
        pMini->GetClientRect(&client);
        pMini->ClientToScreen(&client);
        CPoint point(client.left + 12, client.top - ::GetSystemMetrics(SM_CYSMCAPTION) / 2);
        EXPECT_EQ(HTCAPTION, pMini->SendMessage(WM_NCHITTEST, 0, MAKELPARAM(point.x, point.y)));
        return point;
    }

    CDockFrame* frame = nullptr;
};

using CCountingDockState = CProfileReadCounter<CDockState>;   // counts what it reads from the profile

// A bar whose creation fails after it joined the frame's list (here its own WM_CREATE refuses).
class CRefusingBar : public CControlBar
{
protected:
    afx_msg int OnCreate(LPCREATESTRUCT lpCreateStruct)
    {
        CControlBar::OnCreate(lpCreateStruct);
        return -1;
    }
    DECLARE_MESSAGE_MAP()
};

BEGIN_MESSAGE_MAP(CRefusingBar, CControlBar)
    ON_WM_CREATE()
END_MESSAGE_MAP()

TEST_F(FrameDockingTest, ABarWhoseCreationFailsLeavesNoTraceInTheFrame)
{
    INT_PTR before = frame->m_listControlBars.GetCount();
    {
        CRefusingBar bar;
        EXPECT_FALSE(bar.Create(nullptr, nullptr, WS_CHILD | WS_VISIBLE, CRect(0, 0, 10, 10), frame, 0xE850));
        EXPECT_EQ(nullptr, bar.m_hWnd);
        EXPECT_EQ(before, frame->m_listControlBars.GetCount());
    }
    // The frame still lays out and saves its bars without the one that never came to be.
    frame->RecalcLayout();
    CDockState state;
    frame->GetDockState(state);
    EXPECT_EQ(before, static_cast<INT_PTR>(state.m_arrBarInfo.size()));
}

TEST_F(FrameDockingTest, BarsDockOnAllFourSidesAroundThePaneInRows)
{
    CMessageSequence seq({WM_SIZE, WM_SIZEPARENT});
    const char* names[] = {"top", "bottom", "left", "right"};
    for (int i = 0; i < 4; ++i)
        seq.Watch(Dock(CDockFrame::kSides[i])->m_hWnd, names[i]);
    seq.Watch(frame->m_hWnd, "frame");
    seq.Watch(frame->m_status.m_hWnd, "status");
    seq.Watch(frame->m_pane.m_hWnd, "pane");
    seq.Start();
    frame->SetWindowPos(nullptr, 0, 0, 660, 500, SWP_NOZORDER | SWP_NOMOVE | SWP_NOACTIVATE);
    seq.Stop();
    // The status bar takes the bottom first, then the dock bars in the order they were made, the pane the rest.
    EXPECT_TRUE(seq.Matches({
        {"frame", WM_SIZE},
        {"status", WM_SIZEPARENT},
        {"top", WM_SIZEPARENT},
        {"bottom", WM_SIZEPARENT},
        {"left", WM_SIZEPARENT},
        {"right", WM_SIZEPARENT},
        {"status", WM_SIZE},
        {"top", WM_SIZE},
        {"bottom", WM_SIZE},
        {"left", WM_SIZE},
        {"right", WM_SIZE},
        {"pane", WM_SIZE},
    }));

    CRect client;
    frame->GetClientRect(&client);
    CSize horz = Bar(0).CalcFixedLayout(FALSE, TRUE);
    CSize vert = Bar(2).CalcFixedLayout(FALSE, FALSE);
    EXPECT_GT(vert.cy, vert.cx);
    CRect status = RectIn(*frame, frame->m_status);
    EXPECT_EQ(client.bottom, status.bottom);
    CRect top = RectIn(*frame, *Dock(AFX_IDW_DOCKBAR_TOP));
    CRect bottom = RectIn(*frame, *Dock(AFX_IDW_DOCKBAR_BOTTOM));
    CRect left = RectIn(*frame, *Dock(AFX_IDW_DOCKBAR_LEFT));
    CRect right = RectIn(*frame, *Dock(AFX_IDW_DOCKBAR_RIGHT));
    EXPECT_EQ(CRect(0, 0, client.right, horz.cy), top);
    EXPECT_EQ(CRect(0, status.top - horz.cy, client.right, status.top), bottom);
    EXPECT_EQ(CRect(0, top.bottom, vert.cx, bottom.top), left);
    EXPECT_EQ(CRect(client.right - vert.cx, top.bottom, client.right, bottom.top), right);
    EXPECT_EQ(CRect(left.right, top.bottom, right.left, bottom.top), RectIn(*frame, frame->m_pane));
    // Each bar sits at the start of its dock bar, along its side.
    EXPECT_EQ(CRect(CPoint(0, 0), horz), RectIn(*Dock(AFX_IDW_DOCKBAR_TOP), Bar(0)));
    EXPECT_EQ(CRect(CPoint(0, 0), vert), RectIn(*Dock(AFX_IDW_DOCKBAR_LEFT), Bar(2)));
    EXPECT_EQ(static_cast<DWORD>(CBRS_ALIGN_LEFT), Bar(2).GetBarStyle() & CBRS_ALIGN_ANY);
    EXPECT_EQ(static_cast<DWORD>(CBRS_ALIGN_BOTTOM), Bar(1).GetBarStyle() & CBRS_ALIGN_ANY);

    // Put into the top row further along, a bar keeps that place; put below the row, it starts a new row.
    CRect topScreen = ScreenRect(*Dock(AFX_IDW_DOCKBAR_TOP));
    CRect along(CPoint(topScreen.left + 200, topScreen.top + 2), horz);
    frame->DockControlBar(&Bar(3), AFX_IDW_DOCKBAR_TOP, &along);
    EXPECT_EQ(CRect(CPoint(200, 0), horz), RectIn(*Dock(AFX_IDW_DOCKBAR_TOP), Bar(3)));
    EXPECT_EQ(client.right, RectIn(*frame, frame->m_pane).right);   // the right side is empty now
    CRect below(CPoint(topScreen.left + 50, topScreen.top + horz.cy + 5), horz);
    frame->DockControlBar(&Bar(1), AFX_IDW_DOCKBAR_TOP, &below);
    EXPECT_EQ(CRect(CPoint(50, horz.cy), horz), RectIn(*Dock(AFX_IDW_DOCKBAR_TOP), Bar(1)));
    EXPECT_EQ(2 * horz.cy, RectIn(*frame, frame->m_pane).top);
    EXPECT_EQ(status.top, RectIn(*frame, frame->m_pane).bottom);   // the bottom is empty now

    // A hidden bar gives its room back.
    frame->ShowControlBar(&Bar(1), FALSE, FALSE);
    EXPECT_EQ(horz.cy, RectIn(*frame, frame->m_pane).top);
}

TEST_F(FrameDockingTest, DraggingTheGripperFloatsTheBarAndADoubleClickDocksItBack)
{
    CCellBar& bar = Bar(0);
    CRect before = ScreenRect(bar);
    CPoint grip = Gripper(bar);
    CPoint middle = Client().CenterPoint();
    VxInput::Drag(grip, middle);
    Pump();

    ASSERT_TRUE(bar.IsFloating());
    CMiniDockFrameWnd* pMini = FloatingFrame(bar);
    ASSERT_NE(nullptr, pMini);
    HWND hMini = pMini->m_hWnd;
    EXPECT_TRUE(pMini->IsWindowVisible());
    EXPECT_EQ(frame->m_hWnd, ::GetWindow(hMini, GW_OWNER));
    EXPECT_STREQ("Top", AfxGetWindowText(hMini));
    EXPECT_TRUE(bar.GetBarStyle() & CBRS_FLOATING);
    // The bar went as far as the mouse did, in a frame around it; the top side gave its room to the pane.
    CRect after = ScreenRect(bar);
    EXPECT_EQ(CPoint(before.left + middle.x - grip.x, before.top + middle.y - grip.y), after.TopLeft());
    EXPECT_EQ(0, ScreenRect(*Dock(AFX_IDW_DOCKBAR_TOP)).Height());
    EXPECT_EQ(0, RectIn(*frame, frame->m_pane).top);
    // The frame the bar belongs to still knows it: its toggle, its idle update and its prompts.
    EXPECT_EQ(&bar, frame->GetControlBar(IDW_CELLS_FIRST));
    EXPECT_EQ(frame, bar.GetDockingFrame());
    g_route.clear();
    pMini->OnCmdMsg(ID_TEST_ROUTE, CN_COMMAND, nullptr, nullptr);
    EXPECT_EQ("frame app", g_route);   // the floating frame's route is the frame's

    // Closing the floating frame hides the bar; the bar's command shows both again.
    pMini->SendMessage(WM_CLOSE);
    EXPECT_FALSE(bar.IsWindowVisible());
    EXPECT_FALSE(pMini->IsWindowVisible());
    frame->SendMessage(WM_COMMAND, IDW_CELLS_FIRST);
    EXPECT_TRUE(pMini->IsWindowVisible());
    EXPECT_TRUE(bar.IsWindowVisible());

    // While its floating frame is active the frame keeps its active look.
    pMini->SetActiveWindow();
    EXPECT_TRUE(frame->m_nFlags & WF_STAYACTIVE);
    frame->SetActiveWindow();
    EXPECT_FALSE(frame->m_nFlags & WF_STAYACTIVE);

    VxInput::DoubleClick(Caption(pMini));
    Pump();
    EXPECT_EQ(Dock(AFX_IDW_DOCKBAR_TOP), bar.m_pDockBar);
    EXPECT_FALSE(bar.IsFloating());
    EXPECT_EQ(before, ScreenRect(bar));
    EXPECT_FALSE(::IsWindow(hMini));   // the empty floating frame went

    // The double click on the docked bar floats it where it floated last.
    bar.SendMessage(WM_LBUTTONDBLCLK, 0, MAKELPARAM(-4, 5));
    ASSERT_TRUE(bar.IsFloating());
    EXPECT_EQ(after, ScreenRect(bar));

    // A bar destroyed while it floats takes its floating frame along, and leaves the frame's bars.
    hMini = FloatingFrame(bar)->m_hWnd;
    bar.DestroyWindow();
    Pump();
    EXPECT_FALSE(::IsWindow(hMini));
    EXPECT_EQ(nullptr, frame->GetControlBar(IDW_CELLS_FIRST));
    EXPECT_EQ(nullptr, bar.m_pDockBar);
}

TEST_F(FrameDockingTest, CtrlWhileDraggingNeverDocksAndWithoutItTheBarDocksUpright)
{
    CCellBar& bar = Bar(0);
    CRect client = Client();
    CPoint leftEdge(client.left + 2, client.CenterPoint().y);
    VxInput::Key(VK_CONTROL, true);
    VxInput::Drag(Gripper(bar), leftEdge);
    VxInput::Key(VK_CONTROL, false);
    Pump();
    ASSERT_TRUE(bar.IsFloating());
    EXPECT_EQ(static_cast<DWORD>(CBRS_ALIGN_TOP), bar.GetBarStyle() & CBRS_ALIGN_ANY);

    // By its caption, the same way without Ctrl: it joins the left side, upright, after the bar there.
    VxInput::Drag(Caption(FloatingFrame(bar)), CPoint(leftEdge.x + 4, leftEdge.y));
    Pump();
    ASSERT_EQ(Dock(AFX_IDW_DOCKBAR_LEFT), bar.m_pDockBar);
    EXPECT_EQ(static_cast<DWORD>(CBRS_ALIGN_LEFT), bar.GetBarStyle() & CBRS_ALIGN_ANY);
    CRect rect = ScreenRect(bar);
    EXPECT_GT(rect.Height(), rect.Width());
    EXPECT_EQ(2, Dock(AFX_IDW_DOCKBAR_LEFT)->GetDockedCount());
}

TEST_F(FrameDockingTest, FloatingBarOfDynamicSizeWrapsWhenItsBorderIsDragged)
{
    CCellBar& bar = Bar(1);
    frame->FloatControlBar(&bar, CPoint(300, 250), CBRS_ALIGN_TOP);
    CMiniDockFrameWnd* pMini = FloatingFrame(bar);
    ASSERT_NE(nullptr, pMini);
    CRect frameBefore = ScreenRect(*pMini);
    CSize insets = bar.CControlBar::CalcFixedLayout(FALSE, TRUE);
    EXPECT_EQ(CSize(insets.cx + 4 * CCellBar::kCell, insets.cy + CCellBar::kDepth), ScreenRect(bar).Size());

    // The right border 30 pixels in: two cells to a row.
    CPoint border(frameBefore.right - 2, frameBefore.CenterPoint().y);
    ASSERT_EQ(HTRIGHT, pMini->SendMessage(WM_NCHITTEST, 0, MAKELPARAM(border.x, border.y)));
    VxInput::Drag(border, CPoint(border.x - 30, border.y));
    Pump();
    ASSERT_EQ(pMini, FloatingFrame(bar));
    CSize wrapped(insets.cx + 2 * CCellBar::kCell, insets.cy + 2 * CCellBar::kDepth);
    EXPECT_EQ(wrapped, ScreenRect(bar).Size());
    EXPECT_EQ(wrapped.cx, bar.m_nMRUWidth);
    EXPECT_EQ(frameBefore.TopLeft(), ScreenRect(*pMini).TopLeft());
}

TEST_F(FrameDockingTest, DockStateRoundTripsThroughTheProfile)
{
    // Bar 1 floats, bar 2 is hidden, bar 3 joins the top row.
    frame->FloatControlBar(&Bar(1), CPoint(420, 300), CBRS_ALIGN_TOP);
    frame->ShowControlBar(&Bar(2), FALSE, FALSE);
    CRect topScreen = ScreenRect(*Dock(AFX_IDW_DOCKBAR_TOP));
    CRect along(CPoint(topScreen.left + 200, topScreen.top), ScreenRect(Bar(0)).Size());
    frame->DockControlBar(&Bar(3), AFX_IDW_DOCKBAR_TOP, &along);
    CRect places[4];
    for (int i = 0; i < 4; ++i)
        places[i] = ScreenRect(Bar(i));
    frame->SaveBarState(kProfile);

    std::map<UINT, CString> sections = SectionsById();
    ASSERT_TRUE(sections.count(IDW_CELLS_FIRST + 2));
    EXPECT_EQ(0u, app.GetProfileInt(sections[IDW_CELLS_FIRST + 2], "Visible", 7));   // hidden: written 0
    EXPECT_EQ(7u, app.GetProfileInt(sections[IDW_CELLS_FIRST], "Visible", 7));       // visible: nothing
    EXPECT_EQ(7u, app.GetProfileInt(sections[AFX_IDW_STATUS_BAR], "Visible", 7));
    ASSERT_TRUE(sections.count(AFX_IDW_DOCKBAR_FLOAT));
    const CString& floating = sections[AFX_IDW_DOCKBAR_FLOAT];
    EXPECT_EQ(1u, app.GetProfileInt(floating, "Floating", 0));
    EXPECT_EQ(IDW_CELLS_FIRST + 1, app.GetProfileInt(floating, "Bar#1", 0));
    EXPECT_EQ(0u, sections.count(AFX_IDW_DOCKBAR_RIGHT));   // an empty side says nothing
    ASSERT_TRUE(sections.count(AFX_IDW_DOCKBAR_TOP));
    EXPECT_EQ(4u, app.GetProfileInt(sections[AFX_IDW_DOCKBAR_TOP], "Bars", 0));   // 0, bar 0, bar 3, 0

    // All moved about, then the saved layout again.
    frame->DockControlBar(&Bar(1), AFX_IDW_DOCKBAR_BOTTOM);
    frame->ShowControlBar(&Bar(2), TRUE, FALSE);
    frame->DockControlBar(&Bar(3), AFX_IDW_DOCKBAR_RIGHT);
    frame->DockControlBar(&Bar(0), AFX_IDW_DOCKBAR_LEFT);
    frame->LoadBarState(kProfile);
    EXPECT_EQ(Dock(AFX_IDW_DOCKBAR_TOP), Bar(0).m_pDockBar);
    EXPECT_EQ(Dock(AFX_IDW_DOCKBAR_TOP), Bar(3).m_pDockBar);
    EXPECT_EQ(Dock(AFX_IDW_DOCKBAR_LEFT), Bar(2).m_pDockBar);
    EXPECT_TRUE(Bar(1).IsFloating());
    EXPECT_FALSE(Bar(2).IsWindowVisible());
    EXPECT_EQ(places[0], ScreenRect(Bar(0)));
    EXPECT_EQ(places[1], ScreenRect(Bar(1)));
    EXPECT_EQ(places[3], ScreenRect(Bar(3)));
    EXPECT_EQ(0, Dock(AFX_IDW_DOCKBAR_RIGHT)->GetDockedCount());
    EXPECT_EQ(0, Dock(AFX_IDW_DOCKBAR_BOTTOM)->GetDockedCount());
}

TEST_F(FrameDockingTest, DamagedOrOlderDockStatesLoadWhatTheyHoldInBoundedWork)
{
    // A state that never heard of bar 3 (saved before the program had it): bar 3 keeps its place, the
    // others get theirs.
    CDockState older;
    frame->GetDockState(older);
    for (size_t i = older.m_arrBarInfo.size(); i-- > 0;)
    {
        CControlBarInfo* pInfo = older.m_arrBarInfo[i].get();
        if (pInfo->m_nBarID == IDW_CELLS_FIRST + 3)
        {
            older.m_arrBarInfo.erase(older.m_arrBarInfo.begin() + static_cast<std::ptrdiff_t>(i));
            continue;
        }
        for (INT_PTR j = pInfo->m_arrBarID.GetSize() - 1; j >= 0; --j)
        {
            if (pInfo->m_arrBarID[j] == IDW_CELLS_FIRST + 3)
                pInfo->m_arrBarID.RemoveAt(j);
        }
    }
    older.SaveState(kProfile);
    frame->DockControlBar(&Bar(0), AFX_IDW_DOCKBAR_BOTTOM);
    frame->DockControlBar(&Bar(3), AFX_IDW_DOCKBAR_BOTTOM);
    frame->LoadBarState(kProfile);
    EXPECT_EQ(Dock(AFX_IDW_DOCKBAR_TOP), Bar(0).m_pDockBar);
    EXPECT_EQ(Dock(AFX_IDW_DOCKBAR_BOTTOM), Bar(1).m_pDockBar);
    EXPECT_EQ(Dock(AFX_IDW_DOCKBAR_BOTTOM), Bar(3).m_pDockBar);

    // Ids the frame does not have (in a dock bar's list, and a record of its own) are dropped.
    std::map<UINT, CString> sections = SectionsById();
    CString top = sections[AFX_IDW_DOCKBAR_TOP];
    int listed = static_cast<int>(app.GetProfileInt(top, "Bars", 0));
    ASSERT_GT(listed, 1);
    app.WriteProfileInt(top, "Bar#1", 0xE8F0);   // in place of bar 0
    int count = static_cast<int>(sections.size());
    app.WriteProfileInt(Section(count), "BarID", 0xE8F1);
    app.WriteProfileInt(Section(count), "XPos", 5);
    app.WriteProfileInt(CString(kProfile) + "-Summary", "Bars", count + 1);
    frame->LoadBarState(kProfile);
    EXPECT_EQ(Dock(AFX_IDW_DOCKBAR_TOP), Bar(0).m_pDockBar);   // unlisted there now, it stays
    EXPECT_EQ(nullptr, frame->GetControlBar(0xE8F0));
    EXPECT_EQ(3, Dock(AFX_IDW_DOCKBAR_TOP)->m_arrBars.GetSize());   // null, bar 0, null: nothing else

    // Damaged counts: the sections and lists themselves say where they end.
    app.WriteProfileInt(CString(kProfile) + "-Summary", "Bars", 0x7FFFFFFF);
    app.WriteProfileInt(top, "Bars", 0x7FFFFFFF);
    CCountingDockState state;
    state.LoadState(kProfile);
    EXPECT_EQ(count + 1, static_cast<int>(state.m_arrBarInfo.size()));
    EXPECT_LT(state.reads, 40 * (count + 2));
    frame->SetDockState(state);
    EXPECT_EQ(Dock(AFX_IDW_DOCKBAR_TOP), Bar(0).m_pDockBar);
}

TEST_F(FrameDockingTest, StatusBarShowsItsPanesAndThePrompts)
{
    CStatusBar& status = frame->m_status;
    ASSERT_EQ(3, status.SendMessage(SB_GETPARTS, 0, 0));
    EXPECT_STREQ("Ready", AfxGetWindowText(status.m_hWnd));   // from the start, before any prompt
    CRect client;
    frame->GetClientRect(&client);
    EXPECT_EQ(client.bottom, RectIn(*frame, status).bottom);
    EXPECT_EQ(1, status.CommandToIndex(ID_INDICATOR_NUM));
    CRect message, line;
    status.GetItemRect(0, &message);
    status.GetItemRect(2, &line);
    EXPECT_GT(message.Width(), line.Width());   // the message pane stretches
    EXPECT_GT(line.Width(), 30);

    // Idle time fills the panes through the frame's route.
    app.OnIdle(0);
    EXPECT_STREQ("Line 7", status.GetPaneText(2));
    char text[64] = {};
    status.SendMessage(SB_GETTEXTA, 2, reinterpret_cast<LPARAM>(text));
    EXPECT_STREQ("Line 7", text);
    bool numLock = (::GetKeyState(VK_NUMLOCK) & 1) != 0;
    status.SendMessage(SB_GETTEXTA, 1, reinterpret_cast<LPARAM>(text));
    EXPECT_STREQ(numLock ? "NUM" : "", text);

    // Prompts go to the message pane, also from a bar that floats.
    frame->SetMessageText(ID_TEST_STAMP);
    EXPECT_STREQ("Stamp the show", AfxGetWindowText(status.m_hWnd));
    frame->SetMessageText(AFX_IDS_IDLEMESSAGE);
    EXPECT_STREQ("Ready", status.GetPaneText(0));
    frame->FloatControlBar(&Bar(2), CPoint(200, 200), CBRS_ALIGN_TOP);
    Pump();
    Bar(2).PostMessage(WM_MOUSEMOVE, 0, MAKELPARAM(5, 5));   // over the first cell
    Pump();
    EXPECT_STREQ("Stamp the show", AfxGetWindowText(status.m_hWnd));
    Bar(2).PostMessage(WM_MOUSEMOVE, 0, MAKELPARAM(3 * CCellBar::kCell + 5, 5));
    Pump();
    EXPECT_STREQ("Ready", AfxGetWindowText(status.m_hWnd));
}

TEST_F(FrameDockingTest, ReBarHoldsBarsInBandsAndTheFrameFollowsItsHeight)
{
    CReBar* pReBar = new CReBar;
    pReBar->m_bAutoDelete = TRUE;
    ASSERT_TRUE(pReBar->Create(frame));
    CCellBar* cells[2];
    auto newBar = [this](int i)
    {
        CCellBar* pBar = new CCellBar;
        pBar->m_bAutoDelete = TRUE;
        EXPECT_TRUE(pBar->Create(frame, "Band", IDW_CELLS_FIRST + 4 + i));
        return pBar;
    };
    cells[0] = newBar(0);
    ASSERT_TRUE(pReBar->AddBar(cells[0]));
    EXPECT_EQ(1u, pReBar->GetReBarCtrl().GetBandCount());
    EXPECT_EQ(pReBar->m_hWnd, ::GetParent(cells[0]->m_hWnd));
    CRect top = RectIn(*frame, *Dock(AFX_IDW_DOCKBAR_TOP));
    int oneRow = RectIn(*frame, *pReBar).Height();
    EXPECT_GE(oneRow, cells[0]->CalcFixedLayout(FALSE, TRUE).cy);
    EXPECT_EQ(top.bottom, RectIn(*frame, *pReBar).top);   // laid out after the dock bars made before it
    EXPECT_EQ(top.bottom + oneRow, RectIn(*frame, frame->m_pane).top);

    // A band on a row of its own: the rebar grows and the frame lays itself out again.
    cells[1] = newBar(1);
    ASSERT_TRUE(pReBar->AddBar(cells[1], nullptr, nullptr, RBBS_BREAK | RBBS_GRIPPERALWAYS));
    Pump();
    EXPECT_EQ(2u, pReBar->GetReBarCtrl().GetRowCount());
    int twoRows = RectIn(*frame, *pReBar).Height();
    EXPECT_GT(twoRows, oneRow);
    EXPECT_EQ(top.bottom + twoRows, RectIn(*frame, frame->m_pane).top);
    // The control alone changes its height: the frame hears of it.
    pReBar->GetReBarCtrl().ShowBand(1, FALSE);
    Pump();
    EXPECT_EQ(oneRow, RectIn(*frame, *pReBar).Height());
    EXPECT_EQ(top.bottom + oneRow, RectIn(*frame, frame->m_pane).top);

    // The bars in the bands update their items, the rebar leaves them alone.
    app.OnIdle(0);
    EXPECT_TRUE(cells[0]->IsWindowEnabled());
}

TEST_F(FrameProgram, MdiFrameActivatesArrangesListsAndClosesItsChildren)
{
    CMDIFrameWnd* pFrame = new CMDIFrameWnd;
    ASSERT_TRUE(pFrame->LoadFrame(IDR_MDI));
    app.m_pMainWnd = pFrame;
    pFrame->SetWindowPos(nullptr, 0, 0, 700, 500, SWP_NOZORDER);
    pFrame->ShowWindow(SW_SHOW);
    ASSERT_NE(nullptr, pFrame->m_hWndMDIClient);
    CRect client;
    ::GetWindowRect(pFrame->m_hWndMDIClient, &client);
    pFrame->ScreenToClient(&client);
    CRect frameClient;
    pFrame->GetClientRect(&frameClient);
    EXPECT_EQ(frameClient, client);   // no bars: the client takes all

    const char* names[] = {"Alpha", "Beta", "Gamma"};
    CTestChild* children[3];
    for (int i = 0; i < 3; ++i)
    {
        children[i] = new CTestChild;
        ASSERT_TRUE(children[i]->Create(nullptr, names[i], WS_CHILD | WS_VISIBLE | WS_OVERLAPPEDWINDOW,
                                        CRect(10 * i, 10 * i, 10 * i + 200, 10 * i + 150), pFrame));
    }
    EXPECT_EQ(children[2], pFrame->MDIGetActive());

    // The window menu lists the children, the active one checked.
    HMENU hWindow = ::GetSubMenu(::GetMenu(pFrame->m_hWnd), 1);
    for (int i = 0; i < 3; ++i)
    {
        CString expected;
        expected.Format("&%d %s", i + 1, names[i]);
        char text[64] = {};
        ::GetMenuStringA(hWindow, AFX_IDM_FIRST_MDICHILD + i, text, sizeof(text), MF_BYCOMMAND);
        EXPECT_STREQ(expected, text);
        EXPECT_EQ(i == 2, (::GetMenuState(hWindow, AFX_IDM_FIRST_MDICHILD + i, MF_BYCOMMAND) & MF_CHECKED) != 0);
    }

    // Activation: the old child hears of it first, then the new one.
    CMessageSequence seq({WM_MDIACTIVATE});
    for (int i = 0; i < 3; ++i)
        seq.Watch(children[i]->m_hWnd, names[i]);
    seq.Start();
    pFrame->MDIActivate(children[0]);
    seq.Stop();
    EXPECT_TRUE(seq.Matches({{"Gamma", WM_MDIACTIVATE}, {"Alpha", WM_MDIACTIVATE}}));
    EXPECT_EQ(children[0], pFrame->MDIGetActive());
    auto command = [pFrame](UINT nID) { pFrame->SendMessage(WM_COMMAND, MAKEWPARAM(nID, 0), 0); };
    command(AFX_IDM_FIRST_MDICHILD + 1);   // the window menu's entry
    EXPECT_EQ(children[1], pFrame->MDIGetActive());

    // Commands: the active child, then the MDI frame, then the application, once each.
    g_route.clear();
    command(ID_TEST_ROUTE);
    EXPECT_EQ("child app", g_route);

    // Cascade: each child further right and down than the one behind it; tile: side by side, no overlap.
    command(ID_WINDOW_CASCADE);
    CRect rects[3];
    for (int i = 0; i < 3; ++i)
        rects[i] = ScreenRect(*children[i]);
    int shifted = 0;
    for (int i = 0; i < 3; ++i)
        for (int j = 0; j < 3; ++j)
            shifted += rects[i].left < rects[j].left && rects[i].top < rects[j].top ? 1 : 0;
    EXPECT_EQ(3, shifted);   // a strict order of three
    command(ID_WINDOW_TILE_VERT);
    int area = 0;
    for (int i = 0; i < 3; ++i)
    {
        rects[i] = ScreenRect(*children[i]);
        area += rects[i].Width() * rects[i].Height();
        for (int j = 0; j < i; ++j)
        {
            CRect overlap;
            EXPECT_FALSE(overlap.IntersectRect(&rects[i], &rects[j]));
        }
    }
    CRect inside;
    ::GetClientRect(pFrame->m_hWndMDIClient, &inside);
    EXPECT_GE(area, inside.Width() * inside.Height() * 9 / 10);   // the client is covered, up to rounding

    // A maximised child fills the client and says so.
    pFrame->MDIMaximize(children[1]);
    BOOL bMaximized = FALSE;
    EXPECT_EQ(children[1], pFrame->MDIGetActive(&bMaximized));
    EXPECT_TRUE(bMaximized);
    EXPECT_TRUE(children[1]->IsZoomed());
    CRect childClient;
    children[1]->GetClientRect(&childClient);
    EXPECT_EQ(inside.Size(), childClient.Size());

    // Closing: the child goes through the client, the list shrinks, another child becomes active.
    HWND hBeta = children[1]->m_hWnd;
    children[1]->SendMessage(WM_CLOSE);
    EXPECT_FALSE(::IsWindow(hBeta));
    CMDIChildWnd* pActive = pFrame->MDIGetActive();
    EXPECT_TRUE(pActive == children[0] || pActive == children[2]);
    EXPECT_EQ(static_cast<UINT>(-1), ::GetMenuState(hWindow, AFX_IDM_FIRST_MDICHILD + 2, MF_BYCOMMAND));
    for (CTestChild* pChild : {children[0], children[2]})
        pChild->SendMessage(WM_CLOSE);
    EXPECT_EQ(nullptr, pFrame->MDIGetActive());
    pFrame->SendMessage(WM_INITMENUPOPUP, reinterpret_cast<WPARAM>(hWindow), MAKELPARAM(1, FALSE));
    EXPECT_TRUE(::GetMenuState(hWindow, ID_WINDOW_CASCADE, MF_BYCOMMAND) & MF_GRAYED);   // nothing to arrange

    // The frame destroyed with children open, one maximised: each child goes while the client still keeps
    // its list of them (Wine's client frees that list at its own WM_DESTROY, and a child going later reads
    // the freed memory).
    // The second child shows a document: the frame's title names it once, also while the child is maximised
    // (then the system adds the child's title in brackets).
    CShowDoc* pDoc = new CShowDoc;
    pDoc->SetTitle("Sample 1.txt");
    CCreateContext context;
    context.m_pNewViewClass = RUNTIME_CLASS(CShowView);
    context.m_pCurrentDoc = pDoc;
    for (int i = 0; i < 2; ++i)
    {
        children[i] = new CTestChild;
        ASSERT_TRUE(children[i]->Create(nullptr, names[i], WS_CHILD | WS_VISIBLE | WS_OVERLAPPEDWINDOW,
                                        CRect(0, 0, 200, 150), pFrame, i == 1 ? &context : nullptr));
    }
    children[1]->InitialUpdateFrame(pDoc, TRUE);
    EXPECT_STREQ("MdiTest - Sample 1.txt", AfxGetWindowText(pFrame->m_hWnd));
    pFrame->MDIMaximize(children[1]);
    EXPECT_STREQ("MdiTest - [Sample 1.txt]", AfxGetWindowText(pFrame->m_hWnd));
    pFrame->MDIRestore(children[1]);
    EXPECT_STREQ("MdiTest - Sample 1.txt", AfxGetWindowText(pFrame->m_hWnd));
    pFrame->MDIMaximize(children[1]);
    CMessageSequence ends({WM_DESTROY});
    ends.Watch(pFrame->m_hWndMDIClient, "client");
    for (int i = 0; i < 2; ++i)
        ends.Watch(children[i]->m_hWnd, names[i]);
    ends.Start();
    pFrame->DestroyWindow();
    app.m_pMainWnd = nullptr;
    ends.Stop();
    ASSERT_EQ(3u, ends.Records().size());
    EXPECT_EQ("client", ends.Records().back().window);
}

}   // namespace
