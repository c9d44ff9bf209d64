// The show's background sound: an invisible MCI window plays the file, optionally again and again, and the
// owner learns through mode notifications when it has stopped.
//
// The MCI window keeps using its own data after it has sent a mode notification, so it is never closed or
// recreated inside one: the notification only records the change and posts WM_SOUND_STOPPED to the parent,
// whose handler passes it to OnSoundStopped, where playing again or closing happens.
#pragma once

#include "framework/win/Framework.h"

// MCI window mode notification and modes (wParam the MCI window, lParam the mode).
#define VX_MCIWNDM_NOTIFYMODE (WM_USER + 200)
#define VX_MCI_MODE_STOP 525
#define VX_MCI_MODE_PLAY 526
#define VX_MCI_MODE_PAUSE 529

// Posted to the parent when a playing sound has stopped: wParam the MCI window that stopped.
#define WM_SOUND_STOPPED (WM_APP + 0x107)

class CSoundPlayer
{
public:
    CSoundPlayer();
    virtual ~CSoundPlayer();
    CSoundPlayer(const CSoundPlayer&) = delete;
    CSoundPlayer& operator=(const CSoundPlayer&) = delete;

    // Closes an open MCI window and remembers what to play where.
    virtual void SetSound(HWND hParent, const char* file);
    // Mode notification of an MCI window: non-zero when it was ours and changed our state.
    virtual LRESULT OnNotifyMode(HWND hWnd, LONG mode);

    // Creates the MCI window for the file and starts it; the play message's result (0: started, and 0
    // also when nothing could be created).
    LRESULT Play();
    // Sends WM_CLOSE to the MCI window and forgets it.
    void Close();
    // TRUE while the MCI window exists and its device reports that it plays.
    BOOL IsPlaying() const;

    HWND m_hMCIWnd;
    HWND m_hParent;
    CString m_strFile;
    int m_bPaused;
    int m_bStopped;
    int m_bPlaying;
    int m_bInHandler;   // notifications that arrive while we close or handle one are not ours to count
};

class CLoopSoundPlayer : public CSoundPlayer
{
public:
    CLoopSoundPlayer();

    virtual void SetSoundLoop(HWND hParent, const char* file, int repeat, int value);
    LRESULT OnNotifyMode(HWND hWnd, LONG mode) override;
    // The handler of WM_SOUND_STOPPED: plays again when repeating, otherwise closes. Stale messages (of a
    // window that is no longer ours) do nothing.
    void OnSoundStopped(HWND hStopped);

    int m_bRepeat;
    int m_nValue;
    int m_bSet;
};

// The sound file as the show names it: a name without a drive that cannot be opened as given is taken from
// the show's folder.
CString ResolveSoundFile(const CString& file, const CString& showFolder);

// Starts the show's sound: resolves the file, sets it up on the player and plays it. FALSE when there is
// nothing to play or it cannot be opened or played (no file, unknown format, no audio device): then no
// stop notification will ever come, and the caller treats the sound as finished.
BOOL StartShowSound(CLoopSoundPlayer& player, HWND hParent, const CString& soundFile, const CString& showFolder,
                    int repeat);
