// The speaker volume slider: the mapping between the mixer's volume and the slider position (an empty or
// reversed mixer range gives position 0), dragging and releasing, mixer notifications, its size limits and
// what it does on a machine without a mixer.
#include "player/SpeakerMixer.h"

#include <gtest/gtest.h>

#include <mmsystem.h>

namespace
{

class SpeakerSliderTest : public ::testing::Test
{
protected:
    void SetUp() override
    {
        LPCSTR cls = AfxRegisterWndClass(0, nullptr, reinterpret_cast<HBRUSH>(COLOR_BTNFACE + 1));
        ASSERT_TRUE(m_parent.CreateEx(0, cls, "slider host", WS_POPUP, 100, 100, 200, 60, nullptr, nullptr));
    }
    void TearDown() override { m_parent.DestroyWindow(); }

    // A slider on a pretend mixer of range 0 … 65535 at the given volume, painted once.
    void CreateOnPretendMixer(CSpeakerSlider& slider, DWORD volume)
    {
        slider.m_Mixer.m_bNoMixerNeeded = TRUE;
        slider.m_Mixer.m_dwMinimum = 0;
        slider.m_Mixer.m_dwMaximum = 65535;
        slider.m_Mixer.m_dwVolume = volume;
        ASSERT_TRUE(slider.Create(WS_CHILD, CRect(5, 25, 115, 35), &m_parent, 1000, 0xC8D0D4));
        Paint(slider);
    }

    void Paint(CSpeakerSlider& slider)
    {
        m_parent.ShowWindow(SW_SHOWNOACTIVATE);
        slider.RedrawWindow(nullptr, nullptr, RDW_INVALIDATE | RDW_UPDATENOW);
    }

    CWnd m_parent;
};

}   // namespace

TEST(SpeakerVolumeMapping, PositionFollowsTheVolumeOverTheMixerRange)
{
    EXPECT_EQ(0, CSpeakerMixer::VolumeToPosition(0, 0, 65535, 100));
    EXPECT_EQ(50, CSpeakerMixer::VolumeToPosition(32768, 0, 65535, 100));
    EXPECT_EQ(100, CSpeakerMixer::VolumeToPosition(65535, 0, 65535, 100));
    EXPECT_EQ(25, CSpeakerMixer::VolumeToPosition(250, 0, 1000, 100));
}

TEST(SpeakerVolumeMapping, AnEmptyOrReversedMixerRangeGivesPositionZero)
{
    EXPECT_EQ(0, CSpeakerMixer::VolumeToPosition(500, 100, 100, 100));
    EXPECT_EQ(0, CSpeakerMixer::VolumeToPosition(500, 200, 100, 100));
    EXPECT_EQ(0, CSpeakerMixer::PositionToVolume(50, 200, 100, 100));
    EXPECT_EQ(0, CSpeakerMixer::PositionToVolume(50, 100, 100, 100));
}

TEST(SpeakerVolumeMapping, VolumeFollowsThePositionAndNeverOverflows)
{
    EXPECT_EQ(0u, CSpeakerMixer::PositionToVolume(0, 0, 65535, 100));
    EXPECT_EQ(32767u, CSpeakerMixer::PositionToVolume(50, 0, 65535, 100));
    EXPECT_EQ(65535u, CSpeakerMixer::PositionToVolume(100, 0, 65535, 100));
    // A mixer with a full 32-bit range: the product does not wrap.
    EXPECT_EQ(0xFFFFFFFFu, CSpeakerMixer::PositionToVolume(100, 0, 0xFFFFFFFFu, 100));
    EXPECT_EQ(100, CSpeakerMixer::VolumeToPosition(0xFFFFFFFFu, 0, 0xFFFFFFFFu, 100));
}

TEST_F(SpeakerSliderTest, TheFirstPaintPlacesTheThumbAtTheVolume)
{
    CSpeakerSlider slider;
    CreateOnPretendMixer(slider, 32768);
    EXPECT_EQ(50, slider.GetPos());
    EXPECT_TRUE(slider.IsWindowVisible());
    EXPECT_TRUE(slider.IsWindowEnabled());
    DWORD style = slider.GetStyle();
    EXPECT_TRUE(style & TBS_BOTH);
    EXPECT_TRUE(style & TBS_NOTICKS);
}

TEST_F(SpeakerSliderTest, ReleasingNearTheEndsMeansAllOrNothing)
{
    CSpeakerSlider slider;
    CreateOnPretendMixer(slider, 32768);
    CRect client;
    slider.GetClientRect(&client);

    slider.SendMessage(WM_LBUTTONUP, 0, MAKELPARAM(client.Width() - 3, 5));
    EXPECT_EQ(100, slider.GetPos());
    EXPECT_EQ(65535u, slider.m_Mixer.m_dwVolume);

    slider.SendMessage(WM_LBUTTONUP, 0, MAKELPARAM(3, 5));
    EXPECT_EQ(0, slider.GetPos());
    EXPECT_EQ(0u, slider.m_Mixer.m_dwVolume);

    // In between the thumb's own position counts.
    slider.SetPos(30);
    slider.SendMessage(WM_LBUTTONUP, 0, MAKELPARAM(client.Width() / 2, 5));
    EXPECT_EQ(30, slider.GetPos());
    EXPECT_EQ(19660u, slider.m_Mixer.m_dwVolume);
    EXPECT_FALSE(slider.m_bDragging);
}

TEST_F(SpeakerSliderTest, DraggingSetsTheVolumeAndMixerNewsWaitsUntilTheRelease)
{
    CSpeakerSlider slider;
    CreateOnPretendMixer(slider, 0);
    slider.SetPos(70);
    slider.SendMessage(WM_MOUSEMOVE, MK_LBUTTON, MAKELPARAM(40, 5));
    EXPECT_TRUE(slider.m_bDragging);
    EXPECT_EQ(45874u, slider.m_Mixer.m_dwVolume);

    // Another program changes the volume while the user drags: the thumb stays with the user.
    slider.m_Mixer.m_dwVolume = 65535;
    slider.SendMessage(MM_MIXM_CONTROL_CHANGE, 0, 0);
    EXPECT_EQ(70, slider.GetPos());

    slider.SendMessage(WM_LBUTTONUP, 0, MAKELPARAM(40, 5));
    slider.m_Mixer.m_dwVolume = 65535;
    slider.SendMessage(MM_MIXM_CONTROL_CHANGE, 0, 0);
    EXPECT_EQ(100, slider.GetPos());

    // A move without the button only remembers the point.
    slider.m_Mixer.m_dwVolume = 7;
    slider.SendMessage(WM_MOUSEMOVE, 0, MAKELPARAM(41, 5));
    EXPECT_EQ(7u, slider.m_Mixer.m_dwVolume);
}

TEST_F(SpeakerSliderTest, SizeIsKeptWithinItsLimits)
{
    CSpeakerSlider small, tall;
    small.m_Mixer.m_bNoMixerNeeded = TRUE;
    tall.m_Mixer.m_bNoMixerNeeded = TRUE;
    ASSERT_TRUE(small.Create(WS_CHILD, CRect(0, 0, 20, 5), &m_parent, 1001, RGB(1, 2, 3)));
    ASSERT_TRUE(tall.Create(WS_CHILD, CRect(0, 0, 120, 90), &m_parent, 1002, RGB(1, 2, 3)));
    CRect r;
    small.GetWindowRect(&r);
    EXPECT_EQ(50, r.Width());
    EXPECT_EQ(16, r.Height());
    tall.GetWindowRect(&r);
    EXPECT_EQ(120, r.Width());
    EXPECT_EQ(25, r.Height());
    EXPECT_TRUE(small.GetStyle() & WS_VISIBLE);
}

TEST_F(SpeakerSliderTest, WithoutAMixerTheSliderHidesAndDisablesItself)
{
    if (::mixerGetNumDevs() > 0)
        GTEST_SKIP() << "this machine has a mixer";
    CSpeakerSlider slider;
    ASSERT_TRUE(slider.Create(WS_CHILD, CRect(5, 25, 115, 35), &m_parent, 1000, 0xC8D0D4));
    Paint(slider);
    EXPECT_TRUE(slider.m_bInitialized);
    EXPECT_FALSE(slider.IsWindowVisible());
    EXPECT_FALSE(slider.IsWindowEnabled());
    EXPECT_EQ(nullptr, slider.m_Mixer.m_hMixer);

    CVolumeMixer mute;
    EXPECT_FALSE(mute.Initialize(m_parent.m_hWnd));
    EXPECT_FALSE(mute.SetMute(TRUE));
    EXPECT_EQ(0, mute.m_bMuted);
}
