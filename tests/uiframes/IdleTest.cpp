// An idle program rests: with docking windows docked and floating, and with the pointer resting on a tool bar's
// button whose tip shows, the application's loop runs its idle work once after the last message and then
// waits, taking no processor time.
#include "MenuTestIds.h"
#include "UiFramesTestSupport.h"

namespace
{

// The application's loop, counting the idle passes it starts, until its timer ends it.
class CIdleCountingLoop : public CMessageLoop
{
public:
    int passes = 0;
    BOOL done = FALSE;

protected:
    BOOL ContinueLoop() override { return !done; }
    BOOL OnIdle(LONG lCount) override
    {
        if (lCount == 0)
            ++passes;
        return AfxGetApp()->OnIdle(lCount);
    }
};

CIdleCountingLoop* g_loop = nullptr;

void CALLBACK EndIdleLoop(HWND, UINT, UINT_PTR, DWORD)
{
    g_loop->done = TRUE;
}

ULONGLONG ThreadProcessorTime()
{
    FILETIME created, exited, kernel, user;
    ::GetThreadTimes(::GetCurrentThread(), &created, &exited, &kernel, &user);
    auto ticks = [](const FILETIME& t) { return (ULONGLONG(t.dwHighDateTime) << 32) | t.dwLowDateTime; };
    return ticks(kernel) + ticks(user);   // in 100 ns
}

class IdleTest : public UiFramesProgram
{
protected:
    // Runs the application's loop over a stretch of time in which nothing happens (two seconds) and checks
    // that it rests: idle work once after the start and once after the timer, each possibly followed by the
    // messages it posts itself, never again and again; processor time below a tenth of the stretch.
    static void ExpectRestsForTwoSeconds()
    {
        CIdleCountingLoop loop;
        g_loop = &loop;
        UINT_PTR timer = ::SetTimer(nullptr, 0, 2000, EndIdleLoop);
        ASSERT_NE(0u, timer);
        ULONGLONG before = ThreadProcessorTime();
        loop.Run();
        ULONGLONG used = ThreadProcessorTime() - before;
        ::KillTimer(nullptr, timer);
        g_loop = nullptr;
        EXPECT_LE(loop.passes, 6);
        EXPECT_LT(used, 2000000u) << "processor time in 100 ns units";
    }
};

}   // namespace

TEST_F(IdleTest, AFrameWithDockingWindowsTakesNoProcessorTimeWhileIdle)
{
    CFtDockFrame* frame = MakeDockFrame();
    ASSERT_NE(nullptr, frame);
    frame->FloatControlBar(&frame->m_windows[1], CPoint(400, 300), CBRS_ALIGN_TOP);
    ASSERT_TRUE(frame->m_windows[1].IsFloating());
    PumpPending();

    ExpectRestsForTwoSeconds();
}

TEST_F(IdleTest, ThePointerRestingOnAToolBarButtonWithItsTipTakesNoProcessorTime)
{
    CFtDockFrame* frame = MakeDockFrame();
    ASSERT_NE(nullptr, frame);
    CUXToolBar bar;
    const UINT buttons[] = {ID_MT_NEW, ID_MT_OPEN, ID_MT_SAVE};
    ASSERT_TRUE(bar.CreateEx(frame, TBSTYLE_FLAT, WS_CHILD | WS_VISIBLE | CBRS_TOP | CBRS_TOOLTIPS | CBRS_FLYBY,
                             CRect(0, 0, 0, 0), 0xE820));
    ASSERT_TRUE(bar.SetButtons(buttons, 3));
    bar.EnableDocking(CBRS_ALIGN_ANY);
    frame->DockControlBar(&bar, AFX_IDW_DOCKBAR_TOP);
    frame->RecalcLayout();
    PumpPending();
    // The pointer comes to rest on the first button, and its tip shows.
    CRect button;
    bar.GetItemRect(0, &button);
    bar.ClientToScreen(&button);
    VxInput::MoveTo(button.CenterPoint());
    VxInput::MoveTo(button.CenterPoint() + CSize(1, 0));
    auto tipShown = [frame]()
    {
        HWND tip = nullptr;
        while ((tip = ::FindWindowExA(nullptr, tip, TOOLTIPS_CLASSA, nullptr)) != nullptr)
            if (::IsWindowVisible(tip) && ::GetWindow(tip, GW_OWNER) == frame->m_hWnd)
                return true;
        return false;
    };
    ASSERT_TRUE(FtPumpUntil(tipShown));
    ExpectRestsForTwoSeconds();
    bar.DestroyWindow();
}
