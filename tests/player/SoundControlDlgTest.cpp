// The sound control dialog: its place beside the player window, its languages, the volume wedge, the mute
// box on a machine without a mixer, and hiding itself after a time without activity (driven by its timer
// messages, and once by the system's own timer); the main dialog opens it once and deletes it on close.
#include "player/PlayerDlg.h"
#include "player/SoundControlDlg.h"
#include "resources/player/PlayerDialogs.h"
#include "resources/player/resource.h"

#include "PlayerTestSupport.h"
#include "support/win_Wait.h"

#include <gtest/gtest.h>

#include <mmsystem.h>

#include <string>

using namespace playertest;

namespace
{

CRect DesktopRect()
{
    CRect desktop;
    ::GetWindowRect(::GetDesktopWindow(), &desktop);
    return desktop;
}

std::string TextOf(CWnd* wnd)
{
    CString text;
    if (wnd)
        wnd->GetWindowText(text);
    return std::string(text);
}

class SoundControlDlgTest : public ::testing::Test
{
protected:
    void TearDown() override { AfxSetUILanguage(0); }
};

}   // namespace

TEST_F(SoundControlDlgTest, ItSitsRightAlignedJustBelowThePlayerWindow)
{
    CRect player(200, 150, 840, 630);
    CSoundControlDlg dialog;
    ASSERT_TRUE(dialog.Create(nullptr, player));
    EXPECT_FALSE(dialog.IsWindowVisible());
    CRect r;
    dialog.GetWindowRect(&r);
    EXPECT_EQ(player.right, r.right);
    EXPECT_EQ(player.bottom + 2, r.top);
}

TEST_F(SoundControlDlgTest, WithoutRoomBelowItGoesToTheDesktopsCorner)
{
    CRect desktop = DesktopRect();
    CRect player(100, desktop.bottom - 500, 740, desktop.bottom - 10);
    CSoundControlDlg dialog;
    ASSERT_TRUE(dialog.Create(nullptr, player));
    CRect r;
    dialog.GetWindowRect(&r);
    EXPECT_EQ(desktop.right, r.right);
    EXPECT_EQ(desktop.bottom, r.bottom);
}

TEST_F(SoundControlDlgTest, TextsFollowTheUserLanguage)
{
    CRect player(0, 0, 300, 200);
    {
        CSoundControlDlg dialog;
        ASSERT_TRUE(dialog.Create(nullptr, player));
        EXPECT_EQ("Sound Control", TextOf(&dialog));
        EXPECT_EQ("Sound off", TextOf(dialog.GetDlgItem(IDC_SOUND_OFF)));
    }
    AfxSetUILanguage(MAKELANGID(LANG_GERMAN, SUBLANG_GERMAN));
    {
        CSoundControlDlg dialog;
        ASSERT_TRUE(dialog.Create(nullptr, player));
        EXPECT_EQ("Sound-Steuerung", TextOf(&dialog));
        EXPECT_EQ("Ton aus", TextOf(dialog.GetDlgItem(IDC_SOUND_OFF)));
    }
}

TEST_F(SoundControlDlgTest, TheWedgeIsAWhiteSlopeOverAGreyCorner)
{
    CSoundControlDlg dialog;
    ASSERT_TRUE(dialog.Create(nullptr, CRect(0, 0, 300, 200)));
    dialog.SetWindowPos(&CWnd::wndTopMost, 0, 0, 0, 0, SWP_NOMOVE | SWP_NOSIZE | SWP_NOACTIVATE);
    dialog.ShowControl();
    dialog.RedrawWindow(nullptr, nullptr, RDW_INVALIDATE | RDW_ERASE | RDW_UPDATENOW | RDW_ALLCHILDREN);
    PumpPendingMessages();
    HDC dc = ::GetDC(dialog.m_hWnd);
    auto px = [dc](int x, int y) { return ::GetPixel(dc, x, y); };
    EXPECT_EQ(RGB(128, 128, 128), px(50, 20));    // along the bottom
    EXPECT_EQ(RGB(128, 128, 128), px(110, 15));   // up the right edge
    // The slope from the bottom-left to the top-right corner passes (60, 15) and (35, 17.5).
    for (int x : {35, 60, 85})
    {
        int y = 20 - (x - 10) / 10;
        bool white = false;
        for (int dy = -1; dy <= 1; ++dy)
            white = white || px(x, y + dy) == RGB(255, 255, 255);
        EXPECT_TRUE(white) << "at x " << x;
    }
    EXPECT_NE(RGB(255, 255, 255), px(60, 12));   // above the slope: the dialog's own face
    ::ReleaseDC(dialog.m_hWnd, dc);
}

TEST_F(SoundControlDlgTest, ItsTimerHidesItAndShowingAgainStartsTheCountAnew)
{
    CSoundControlDlg dialog;
    ASSERT_TRUE(dialog.Create(nullptr, CRect(0, 0, 300, 200)));
    dialog.ShowControl();
    EXPECT_TRUE(dialog.IsWindowVisible());
    EXPECT_NE(0u, dialog.m_nCloseTimer);
    EXPECT_EQ(3000u, dialog.m_nCloseDelay);

    // Another timer is none of its business.
    dialog.SendMessage(WM_TIMER, 7);
    PumpPendingMessages();
    EXPECT_TRUE(dialog.IsWindowVisible());

    dialog.SendMessage(WM_TIMER, CSoundControlDlg::CloseTimerId);
    EXPECT_EQ(0u, dialog.m_nCloseTimer);
    EXPECT_TRUE(dialog.IsWindowVisible());   // the close is posted, not done inside the timer
    PumpPendingMessages();
    EXPECT_FALSE(dialog.IsWindowVisible());

    dialog.ShowControl();
    EXPECT_TRUE(dialog.IsWindowVisible());
    EXPECT_NE(0u, dialog.m_nCloseTimer);
}

TEST_F(SoundControlDlgTest, MovingOverItsControlsCountsAsActivity)
{
    CSoundControlDlg dialog;
    ASSERT_TRUE(dialog.Create(nullptr, CRect(0, 0, 300, 200)));
    dialog.ShowControl();
    // The count is stopped ...
    dialog.KillTimer(CSoundControlDlg::CloseTimerId);
    dialog.m_nCloseTimer = 0;
    // ... and a move over the check box, through the program's message pump as the player's loop
    // delivers it, starts it again.
    dialog.GetDlgItem(IDC_SOUND_OFF)->PostMessage(WM_MOUSEMOVE, 0, MAKELPARAM(3, 3));
    MSG msg;
    while (::PeekMessageA(&msg, nullptr, 0, 0, PM_NOREMOVE))
        AfxPumpMessage();
    EXPECT_NE(0u, dialog.m_nCloseTimer);
    EXPECT_TRUE(dialog.IsWindowVisible());
}

TEST_F(SoundControlDlgTest, CloseHidesItAndStopsTheCount)
{
    CSoundControlDlg dialog;
    ASSERT_TRUE(dialog.Create(nullptr, CRect(0, 0, 300, 200)));
    dialog.ShowControl();
    dialog.SendMessage(WM_CLOSE);
    EXPECT_FALSE(dialog.IsWindowVisible());
    EXPECT_EQ(0u, dialog.m_nCloseTimer);
    EXPECT_NE(nullptr, dialog.m_hWnd);   // only hidden: the main dialog shows it again
}

TEST_F(SoundControlDlgTest, ItsOwnTimerHidesIt)
{
    CSoundControlDlg dialog;
    dialog.m_nCloseDelay = 400;
    ASSERT_TRUE(dialog.Create(nullptr, CRect(0, 0, 300, 200)));
    dialog.ShowControl();
    EXPECT_TRUE(dialog.IsWindowVisible());
    // Nothing but the system's timer reaches it now.
    EXPECT_TRUE(PumpUntil([&] { return !dialog.IsWindowVisible(); }));
    EXPECT_EQ(0u, dialog.m_nCloseTimer);
}

TEST_F(SoundControlDlgTest, TheMuteBoxWithoutAMixerChangesNothingButKeepsItOpen)
{
    if (::mixerGetNumDevs() > 0)
        GTEST_SKIP() << "this machine has a mixer";
    CSoundControlDlg dialog;
    ASSERT_TRUE(dialog.Create(nullptr, CRect(0, 0, 300, 200)));
    dialog.ShowControl();
    dialog.SendMessage(WM_TIMER, CSoundControlDlg::CloseTimerId);   // the count has run out ...
    EXPECT_EQ(0u, dialog.m_nCloseTimer);
    dialog.GetDlgItem(IDC_SOUND_OFF)->SendMessage(BM_CLICK);   // ... a click starts it again
    EXPECT_NE(0u, dialog.m_nCloseTimer);
    EXPECT_EQ(nullptr, dialog.m_Mixer.m_hMixer);
    // Nothing was muted: the box and the value still say so.
    EXPECT_EQ(0, dialog.m_Mixer.m_bMuted);
    EXPECT_EQ(BST_UNCHECKED, dialog.IsDlgButtonChecked(IDC_SOUND_OFF));
    dialog.RedrawWindow(nullptr, nullptr, RDW_INVALIDATE | RDW_UPDATENOW | RDW_ALLCHILDREN);
    EXPECT_FALSE(dialog.m_Slider.IsWindowVisible());
    EXPECT_FALSE(dialog.m_Slider.IsWindowEnabled());
}

// ---- from the player's main dialog ----

TEST_F(SoundControlDlgTest, ThePlayerOpensItOnceAndDeletesItOnClose)
{
    std::string folder = MakeTempFolder("vxsoundctl");
    ShowSpec show;
    std::string pack = folder + "\\VEXUL.VXL";
    ASSERT_TRUE(WriteFileBytes(pack, MakeColourShowPack(show, {RGB(1, 2, 3)})));
    CPlayerSession session;
    session.m_strProgramFolder = folder.c_str();
    {
        CPlayerDlg player(&session, pack.c_str());
        ASSERT_TRUE(player.Create(IDD_PLAYER_DIALOG));
        player.SendMessage(WM_COMMAND, ID_PLAYER_SOUND_CONTROL);
        CDialog* first = player.m_pSoundDialog.get();
        ASSERT_NE(nullptr, first);
        HWND firstWindow = first->m_hWnd;
        EXPECT_TRUE(first->IsWindowVisible());
        EXPECT_EQ(player.m_hWnd, ::GetWindow(firstWindow, GW_OWNER));

        first->SendMessage(WM_CLOSE);
        EXPECT_FALSE(first->IsWindowVisible());
        player.SendMessage(WM_COMMAND, ID_PLAYER_SOUND_CONTROL);
        EXPECT_EQ(first, player.m_pSoundDialog.get());   // the same dialog, shown again
        EXPECT_TRUE(first->IsWindowVisible());

        player.SendMessage(WM_CLOSE);
        EXPECT_EQ(nullptr, player.m_pSoundDialog);
        EXPECT_FALSE(::IsWindow(firstWindow));
        player.DestroyWindow();
    }
    RemoveFolder(folder);
}
