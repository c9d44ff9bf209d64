// The show's background sound: where the file is looked for, what happens when it cannot be played (this
// machine has no audio device), and the stop notification, which only records the change; playing again or
// closing happens later, in the handler of the posted message, never inside the MCI window's notification.
#include "player/PlayerDlg.h"
#include "player/SoundPlayer.h"
#include "resources/player/resource.h"

#include "PlayerTestSupport.h"
#include "support/win_TestProcess.h"
#include "support/win_Wait.h"

#include <gtest/gtest.h>

#include <mmsystem.h>

#include <string>
#include <vector>

using namespace playertest;

namespace
{

// Half a second of silence, 8 kHz mono 8-bit.
Bytes MakeWav()
{
    const unsigned samples = 4000;
    Bytes out = {'R', 'I', 'F', 'F'};
    auto dword = [&out](unsigned v)
    {
        for (int i = 0; i < 4; ++i)
            out.push_back(static_cast<BYTE>(v >> (8 * i)));
    };
    auto word = [&out](unsigned v)
    {
        out.push_back(static_cast<BYTE>(v));
        out.push_back(static_cast<BYTE>(v >> 8));
    };
    dword(36 + samples);
    for (char c : std::string("WAVEfmt "))
        out.push_back(static_cast<BYTE>(c));
    dword(16);
    word(1);
    word(1);
    dword(8000);
    dword(8000);
    word(1);
    word(8);
    for (char c : std::string("data"))
        out.push_back(static_cast<BYTE>(c));
    dword(samples);
    out.insert(out.end(), samples, 128);
    return out;
}

bool HasAudioDevice()
{
    return ::waveOutGetNumDevs() > 0;
}

// A window that hosts a sound player the way the player's main dialog does, and watches it.
class CSoundHost : public CWnd
{
public:
    CLoopSoundPlayer m_Player;
    int m_nStopReports = 0;
    int m_nStoppedMessages = 0;
    bool m_bAliveInsideNotification = true;
    bool m_bUnchangedInsideNotification = true;
    std::vector<HWND> m_created;   // MCI windows created as our children

    BOOL CreateHost()
    {
        return CreateEx(0, AfxRegisterWndClass(0), "sound host", WS_POPUP, 0, 0, 50, 50, nullptr, nullptr);
    }

protected:
    afx_msg LRESULT OnNotifyMode(WPARAM wParam, LPARAM lParam)
    {
        HWND before = m_Player.m_hMCIWnd;
        if (m_Player.OnNotifyMode(reinterpret_cast<HWND>(wParam), static_cast<LONG>(lParam)) != 0 &&
            lParam == VX_MCI_MODE_STOP)
            ++m_nStopReports;
        m_bAliveInsideNotification &= ::IsWindow(reinterpret_cast<HWND>(wParam)) != FALSE;
        m_bUnchangedInsideNotification &= m_Player.m_hMCIWnd == before;
        return 0;
    }
    afx_msg LRESULT OnSoundStopped(WPARAM wParam, LPARAM)
    {
        ++m_nStoppedMessages;
        m_Player.OnSoundStopped(reinterpret_cast<HWND>(wParam));
        return 0;
    }
    afx_msg void OnParentNotify(UINT message, LPARAM lParam)
    {
        if (LOWORD(message) == WM_CREATE)
            m_created.push_back(reinterpret_cast<HWND>(lParam));
    }
    DECLARE_MESSAGE_MAP()
};

BEGIN_MESSAGE_MAP(CSoundHost, CWnd)
    ON_MESSAGE(VX_MCIWNDM_NOTIFYMODE, OnNotifyMode)
    ON_MESSAGE(WM_SOUND_STOPPED, OnSoundStopped)
    ON_WM_PARENTNOTIFY()
END_MESSAGE_MAP()

class SoundPlayerTest : public ::testing::Test
{
protected:
    void SetUp() override
    {
        m_folder = MakeTempFolder("vxsound");
        ASSERT_FALSE(m_folder.empty());
        m_wav = m_folder + "\\tone.wav";
        ASSERT_TRUE(WriteFileBytes(m_wav, MakeWav()));
        ASSERT_TRUE(m_host.CreateHost());
    }
    void TearDown() override
    {
        m_host.m_Player.Close();
        m_host.DestroyWindow();
        RemoveFolder(m_folder);
    }

    LRESULT Notify(HWND mci, LONG mode)
    {
        return m_host.SendMessage(VX_MCIWNDM_NOTIFYMODE, reinterpret_cast<WPARAM>(mci), mode);
    }

    std::string m_folder;
    std::string m_wav;
    CSoundHost m_host;
};

}   // namespace

// ---- where the file is looked for ----

TEST_F(SoundPlayerTest, ARelativeNameMissingHereIsTakenFromTheShowFolder)
{
    char saved[MAX_PATH] = {};
    ::GetCurrentDirectoryA(sizeof(saved), saved);
    std::string elsewhere = MakeTempFolder("vxcwd");
    ::SetCurrentDirectoryA(elsewhere.c_str());
    EXPECT_EQ(m_folder + "\\tone.wav", std::string(ResolveSoundFile("tone.wav", m_folder.c_str())));

    // Present in the current folder: used as given.
    ASSERT_TRUE(WriteFileBytes(elsewhere + "\\here.wav", MakeWav()));
    EXPECT_EQ("here.wav", std::string(ResolveSoundFile("here.wav", m_folder.c_str())));

    // A full path with a drive is never changed, even when it is missing.
    EXPECT_EQ("C:\\nowhere\\gone.wav", std::string(ResolveSoundFile("C:\\nowhere\\gone.wav", m_folder.c_str())));
    ::SetCurrentDirectoryA(saved);
    RemoveFolder(elsewhere);
}

// ---- sounds that cannot play ----

TEST_F(SoundPlayerTest, NothingToPlayCreatesNoWindow)
{
    EXPECT_FALSE(StartShowSound(m_host.m_Player, m_host.m_hWnd, "", m_folder.c_str(), 0));
    EXPECT_EQ(nullptr, m_host.m_Player.m_hMCIWnd);
    EXPECT_TRUE(m_host.m_created.empty());
    EXPECT_EQ(0, m_host.m_Player.Play());   // no file: nothing created, nothing played
    EXPECT_TRUE(m_host.m_created.empty());
}

TEST_F(SoundPlayerTest, AMissingOrDamagedFileIsReportedAndLeavesNoWindow)
{
    EXPECT_FALSE(StartShowSound(m_host.m_Player, m_host.m_hWnd, "missing.wav", m_folder.c_str(), 1));
    EXPECT_EQ(nullptr, m_host.m_Player.m_hMCIWnd);

    ASSERT_TRUE(WriteFileBytes(m_folder + "\\damaged.wav", Bytes(40, 'x')));
    EXPECT_FALSE(StartShowSound(m_host.m_Player, m_host.m_hWnd, "damaged.wav", m_folder.c_str(), 1));
    EXPECT_EQ(nullptr, m_host.m_Player.m_hMCIWnd);
    for (HWND created : m_host.m_created)
        EXPECT_FALSE(::IsWindow(created));
    PumpPendingMessages();
    EXPECT_EQ(0, m_host.m_nStoppedMessages);
}

TEST_F(SoundPlayerTest, WithoutAnAudioDeviceAGoodFileIsReportedAsNotPlaying)
{
    if (HasAudioDevice())
        GTEST_SKIP() << "this machine has an audio device";
    EXPECT_FALSE(StartShowSound(m_host.m_Player, m_host.m_hWnd, "tone.wav", m_folder.c_str(), 1));
    EXPECT_EQ(nullptr, m_host.m_Player.m_hMCIWnd);
    ASSERT_EQ(1u, m_host.m_created.size());
    EXPECT_FALSE(::IsWindow(m_host.m_created[0]));
    // The device's immediate stop is not a stop of a playing sound: nothing repeats.
    PumpPendingMessages();
    EXPECT_EQ(0, m_host.m_nStoppedMessages);
    EXPECT_EQ(1u, m_host.m_created.size());
}

// ---- mode notifications ----

TEST_F(SoundPlayerTest, AStopClosesTheWindowOnlyAfterItsNotificationHasReturned)
{
    m_host.m_Player.SetSoundLoop(m_host.m_hWnd, m_wav.c_str(), 0, 0);
    m_host.m_Player.Play();
    HWND mci = m_host.m_Player.m_hMCIWnd;
    ASSERT_NE(nullptr, mci);
    Notify(mci, VX_MCI_MODE_PLAY);
    Notify(mci, VX_MCI_MODE_STOP);

    EXPECT_EQ(1, m_host.m_nStopReports);
    EXPECT_TRUE(m_host.m_bAliveInsideNotification);
    EXPECT_TRUE(m_host.m_bUnchangedInsideNotification);
    // Still there after the notification: the close waits for the posted message.
    EXPECT_TRUE(::IsWindow(mci));
    EXPECT_EQ(mci, m_host.m_Player.m_hMCIWnd);

    EXPECT_TRUE(PumpUntil([&] { return m_host.m_nStoppedMessages == 1; }));
    EXPECT_EQ(1, m_host.m_nStoppedMessages);
    EXPECT_EQ(nullptr, m_host.m_Player.m_hMCIWnd);
    EXPECT_FALSE(::IsWindow(mci));
}

TEST_F(SoundPlayerTest, ARepeatingSoundIsStartedAgainFromThePostedMessage)
{
    m_host.m_Player.SetSoundLoop(m_host.m_hWnd, m_wav.c_str(), 1, 0);
    m_host.m_Player.Play();
    HWND mci = m_host.m_Player.m_hMCIWnd;
    ASSERT_NE(nullptr, mci);
    ASSERT_EQ(1u, m_host.m_created.size());
    Notify(mci, VX_MCI_MODE_PLAY);
    Notify(mci, VX_MCI_MODE_STOP);
    EXPECT_EQ(1, m_host.m_nStopReports);   // the stop counts also when the sound repeats
    EXPECT_TRUE(m_host.m_bUnchangedInsideNotification);
    EXPECT_EQ(1u, m_host.m_created.size());   // nothing recreated inside the notification

    EXPECT_TRUE(PumpUntil([&] { return m_host.m_nStoppedMessages == 1; }));
    // A fresh MCI window played the file again; the old one is gone.
    ASSERT_EQ(2u, m_host.m_created.size());
    EXPECT_FALSE(::IsWindow(mci));
    if (HasAudioDevice())
        EXPECT_EQ(m_host.m_created[1], m_host.m_Player.m_hMCIWnd);
    else
    {
        // It could not play: nothing is left waiting for a stop that will never come.
        EXPECT_EQ(nullptr, m_host.m_Player.m_hMCIWnd);
        EXPECT_FALSE(::IsWindow(m_host.m_created[1]));
    }
}

TEST_F(SoundPlayerTest, AStopMessageOfAWindowThatIsNoLongerOursDoesNothing)
{
    m_host.m_Player.SetSoundLoop(m_host.m_hWnd, m_wav.c_str(), 1, 0);
    m_host.m_Player.Play();
    HWND mci = m_host.m_Player.m_hMCIWnd;
    Notify(mci, VX_MCI_MODE_PLAY);
    Notify(mci, VX_MCI_MODE_STOP);
    // Before the message is handled, the sound is set anew (the old window closes).
    m_host.m_Player.SetSoundLoop(m_host.m_hWnd, m_wav.c_str(), 1, 0);
    EXPECT_FALSE(::IsWindow(mci));
    EXPECT_TRUE(PumpUntil([&] { return m_host.m_nStoppedMessages == 1; }));
    EXPECT_EQ(1, m_host.m_nStoppedMessages);
    EXPECT_EQ(1u, m_host.m_created.size());   // not started again
    EXPECT_EQ(nullptr, m_host.m_Player.m_hMCIWnd);
}

// ---- through the player's main dialog ----

namespace
{

class SoundInPlayerTest : public ::testing::Test
{
protected:
    void SetUp() override
    {
        m_folder = MakeTempFolder("vxsoundshow");
        ASSERT_FALSE(m_folder.empty());
        ASSERT_TRUE(WriteFileBytes(m_folder + "\\tone.wav", MakeWav()));
    }
    void TearDown() override { RemoveFolder(m_folder); }

    // A player dialog (not shown) on a one-slide show whose sound file is 'sound'.
    CPlayerDlg* OpenPlayer(const std::string& sound)
    {
        ShowSpec show;
        show.sound = sound;
        show.autoExit = 1;
        std::string pack = m_folder + "\\VEXUL.VXL";
        EXPECT_TRUE(WriteFileBytes(pack, MakeColourShowPack(show, {RGB(10, 20, 30)})));
        m_session.m_strProgramFolder = m_folder.c_str();
        CPlayerDlg* dialog = new CPlayerDlg(&m_session, pack.c_str());
        EXPECT_TRUE(dialog->Create(IDD_PLAYER_DIALOG));
        EXPECT_TRUE(dialog->IsShowLoaded());
        return dialog;
    }

    std::string m_folder;
    CPlayerSession m_session;
};

}   // namespace

TEST_F(SoundInPlayerTest, ASoundThatCannotPlayCountsAsFinished)
{
    for (const char* sound : {"missing.wav", "tone.wav"})
    {
        if (std::string(sound) == "tone.wav" && HasAudioDevice())
            continue;
        CPlayerDlg* dialog = OpenPlayer(sound);
        EXPECT_FALSE(dialog->m_Renderer.GetPlayback().bSoundFinished) << sound;   // the show has a sound
        dialog->SendMessage(WM_COMMAND, ID_PLAYER_SOUND_START);
        EXPECT_TRUE(dialog->m_Renderer.GetPlayback().bSoundFinished) << sound;
        EXPECT_EQ(nullptr, dialog->m_SoundPlayer.m_hMCIWnd) << sound;
        dialog->DestroyWindow();
        delete dialog;
    }
}

TEST_F(SoundInPlayerTest, TheStopOfAPlayingSoundFinishesItAndClosesItLater)
{
    CPlayerDlg* dialog = OpenPlayer("tone.wav");
    dialog->m_SoundPlayer.SetSoundLoop(dialog->m_hWnd, (m_folder + "\\tone.wav").c_str(), 0, 0);
    dialog->m_SoundPlayer.Play();
    HWND mci = dialog->m_SoundPlayer.m_hMCIWnd;
    ASSERT_NE(nullptr, mci);
    ASSERT_FALSE(dialog->m_Renderer.GetPlayback().bSoundFinished);

    dialog->SendMessage(VX_MCIWNDM_NOTIFYMODE, reinterpret_cast<WPARAM>(mci), VX_MCI_MODE_PLAY);
    EXPECT_FALSE(dialog->m_Renderer.GetPlayback().bSoundFinished);
    dialog->SendMessage(VX_MCIWNDM_NOTIFYMODE, reinterpret_cast<WPARAM>(mci), VX_MCI_MODE_STOP);
    EXPECT_TRUE(dialog->m_Renderer.GetPlayback().bSoundFinished);
    EXPECT_TRUE(::IsWindow(mci));

    EXPECT_TRUE(PumpUntil([&] { return !::IsWindow(mci); }));
    EXPECT_EQ(nullptr, dialog->m_SoundPlayer.m_hMCIWnd);
    dialog->DestroyWindow();
    delete dialog;
}

// ---- the real player ----

TEST_F(SoundInPlayerTest, AShowThatEndsWithItsSoundStillEndsWhenTheSoundCannotPlay)
{
    std::string exe = PlayerExePath();
    ASSERT_TRUE(IsBuilt(exe));
    if (HasAudioDevice())
        GTEST_SKIP() << "this machine has an audio device";
    for (const char* sound : {"tone.wav", "missing.mp3"})
    {
        ShowSpec show;
        show.sound = sound;
        show.autoExit = 1;   // the show ends when its sound is over
        SlideSpec slide;
        slide.image = "slide0.bmp";
        slide.delay = 200;
        show.slides.push_back(slide);
        std::string pack = m_folder + "\\VEXUL.VXL";
        ASSERT_TRUE(WriteFileBytes(
            pack, MakePack(MakeShowText(show), {{"slide0.bmp", MakeSolidBmp(318, 226, RGB(9, 9, 9))}})));

        CTestProcess player(exe, "\"" + pack + "\"", m_folder);
        ASSERT_TRUE(player.Started());
        EXPECT_TRUE(WaitFor([&] { return player.Ended(); })) << sound;
    }
}
