// The one-shot frame clock.
#include "player/FrameTimer.h"
#include "support/win_Wait.h"

#include <gtest/gtest.h>

#include <vector>

namespace
{

const UINT kTick = WM_APP + 17;

struct Delivery
{
    HWND window;
    UINT message;
    UINT id;
    BOOL posted;
};

// Records deliveries instead of sending them and can fire an expiry from inside the arming call, as a
// fast timer thread would.
class CRecordingTimer : public CFrameTimer
{
public:
    std::vector<Delivery> deliveries;
    UINT nextId = 41;
    BOOL fireWhileArming = FALSE;
    UINT staleIdWhileArming = 0;
    int kills = 0;

protected:
    UINT ArmMultimedia(UINT, HWND window) override
    {
        UINT id = nextId++;
        if (staleIdWhileArming)
            OnFire(staleIdWhileArming, window, 1);
        if (fireWhileArming)
            OnFire(id, window, 1234);
        return id;
    }
    UINT ArmWindowTimer(UINT, HWND) override { return 1; }
    UINT KillMultimedia(UINT) override
    {
        ++kills;
        return 0;
    }
    UINT KillWindowTimer(HWND, UINT) override
    {
        ++kills;
        return TRUE;
    }
    void Deliver(HWND window, UINT message, UINT id, DWORD, BOOL posted) override
    {
        deliveries.push_back({window, message, id, posted});
    }
};

// A plain top-level window (never shown) to receive ticks.
class CTickWindow : public CWnd
{
public:
    CTickWindow() { CreateEx(0, AfxRegisterWndClass(0), "tick", WS_POPUP, 0, 0, 10, 10, nullptr, nullptr); }
    ~CTickWindow() override { DestroyWindow(); }
    int ticks = 0;

protected:
    LRESULT WindowProc(UINT message, WPARAM wParam, LPARAM lParam) override
    {
        if (message == kTick)
        {
            ++ticks;
            return 0;
        }
        return CWnd::WindowProc(message, wParam, lParam);
    }
};

}   // namespace

TEST(FrameTimer, ResolutionFromDeviceCaps)
{
    EXPECT_EQ(1u, CFrameTimer::ComputeResolution(0, 1000));
    EXPECT_EQ(3u, CFrameTimer::ComputeResolution(5, 3));
    EXPECT_EQ(5u, CFrameTimer::ComputeResolution(5, 1000));
    EXPECT_EQ(1u, CFrameTimer::ComputeResolution(1, 1000000));
}

TEST(FrameTimer, StopOnIdleClockDoesNothing)
{
    CRecordingTimer timer;
    EXPECT_EQ(0u, timer.Stop());
    EXPECT_EQ(0, timer.kills);
}

TEST(FrameTimer, ExpiryIsDeliveredOnceAndDisarms)
{
    CRecordingTimer timer;
    CTickWindow window;
    ASSERT_TRUE(timer.IsMultimedia());
    ASSERT_TRUE(timer.Start(40, &window, kTick));
    EXPECT_TRUE(timer.IsArmed());
    timer.OnFire(41, window.m_hWnd, 500);
    timer.OnFire(41, window.m_hWnd, 540);   // a repeat of the same expiry
    ASSERT_EQ(1u, timer.deliveries.size());
    EXPECT_EQ(kTick, timer.deliveries[0].message);
    EXPECT_EQ(41u, timer.deliveries[0].id);
    EXPECT_FALSE(timer.deliveries[0].posted);
    EXPECT_FALSE(timer.IsArmed());
    EXPECT_EQ(0u, timer.Stop());
}

TEST(FrameTimer, StaleOrForeignExpirySendsNothing)
{
    CRecordingTimer timer;
    CTickWindow window;
    ASSERT_TRUE(timer.Start(40, &window, kTick));
    timer.OnFire(7, window.m_hWnd, 500);
    EXPECT_TRUE(timer.deliveries.empty());
    EXPECT_TRUE(timer.IsArmed());
    timer.Stop();
    timer.OnFire(41, window.m_hWnd, 500);   // stopped: its expiry is stale now
    EXPECT_TRUE(timer.deliveries.empty());
}

TEST(FrameTimer, ExpiryBeforeTheIdIsStoredIsNotLost)
{
    CRecordingTimer timer;
    CTickWindow window;
    timer.fireWhileArming = TRUE;
    ASSERT_TRUE(timer.Start(1, &window, kTick));
    ASSERT_EQ(1u, timer.deliveries.size());
    EXPECT_EQ(41u, timer.deliveries[0].id);
    EXPECT_TRUE(timer.deliveries[0].posted);   // Start runs on the window's thread: posted, not sent
    EXPECT_FALSE(timer.IsArmed());
}

TEST(FrameTimer, StaleExpiryWhileArmingIsDropped)
{
    CRecordingTimer timer;
    CTickWindow window;
    timer.staleIdWhileArming = 99;
    ASSERT_TRUE(timer.Start(40, &window, kTick));
    EXPECT_TRUE(timer.deliveries.empty());
    EXPECT_TRUE(timer.IsArmed());
}

TEST(FrameTimer, WindowTimerModeKillsItsRepeatingTimer)
{
    CRecordingTimer timer;
    CTickWindow window;
    timer.UseWindowTimer();
    EXPECT_FALSE(timer.IsMultimedia());
    ASSERT_TRUE(timer.Start(40, &window, kTick));
    timer.OnFire(1, window.m_hWnd, 800);
    EXPECT_EQ(1, timer.kills);
    ASSERT_EQ(1u, timer.deliveries.size());
    EXPECT_EQ(1u, timer.deliveries[0].id);
}

TEST(FrameTimer, RealMultimediaTickArrives)
{
    CFrameTimer timer;
    CTickWindow window;
    ASSERT_TRUE(timer.Start(40, &window, kTick));
    // The tick is sent from the timer thread; pumping lets it in.
    EXPECT_TRUE(PumpUntil([&] { return window.ticks > 0; }));
    EXPECT_EQ(1, window.ticks);
    EXPECT_FALSE(timer.IsArmed());
}

TEST(FrameTimer, RealWindowTimerTickArrivesOnce)
{
    CFrameTimer timer;
    CTickWindow window;
    timer.UseWindowTimer();
    ASSERT_TRUE(timer.Start(40, &window, kTick));
    EXPECT_TRUE(PumpUntil([&] { return window.ticks > 0; }));
    EXPECT_EQ(1, window.ticks);
    EXPECT_FALSE(timer.IsArmed());
    // killed at its first expiry: the window timer is gone, so no second tick can come
    EXPECT_FALSE(::KillTimer(window.m_hWnd, 1));
}
