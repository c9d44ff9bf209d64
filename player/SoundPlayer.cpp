#include "player/SoundPlayer.h"

#include <mmsystem.h>
#include <vfw.h>

namespace
{

// WS_CHILD | WS_VISIBLE | MCIWNDF_NOERRORDLG | MCIWNDF_NOTIFYMODE | MCIWNDF_NOMENU | MCIWNDF_NOPLAYBAR
const DWORD kMciWindowStyle = 0x5000410A;

BOOL CanOpenForReading(const char* path)
{
    HANDLE file = ::CreateFileA(path, GENERIC_READ, FILE_SHARE_READ | FILE_SHARE_WRITE, nullptr, OPEN_EXISTING,
                                FILE_ATTRIBUTE_NORMAL, nullptr);
    if (file == INVALID_HANDLE_VALUE)
        return FALSE;
    ::CloseHandle(file);
    return TRUE;
}

}   // namespace

static_assert(VX_MCIWNDM_NOTIFYMODE == MCIWNDM_NOTIFYMODE, "MCI window mode notification");
static_assert(VX_MCI_MODE_STOP == MCI_MODE_STOP && VX_MCI_MODE_PLAY == MCI_MODE_PLAY &&
                  VX_MCI_MODE_PAUSE == MCI_MODE_PAUSE,
              "MCI modes");

// ---- CSoundPlayer -----------------------------------------------------------------------------------------

CSoundPlayer::CSoundPlayer()
    : m_hMCIWnd(nullptr), m_hParent(nullptr), m_bPaused(0), m_bStopped(0), m_bPlaying(0), m_bInHandler(0)
{
}

CSoundPlayer::~CSoundPlayer()
{
    Close();
}

void CSoundPlayer::SetSound(HWND hParent, const char* file)
{
    Close();
    m_hParent = hParent;
    m_strFile = file ? file : "";
}

LRESULT CSoundPlayer::Play()
{
    Close();
    LRESULT result = 0;
    if (m_hParent != nullptr && !m_strFile.IsEmpty())
    {
        m_hMCIWnd = MCIWndCreateA(m_hParent, AfxGetInstanceHandle(), kMciWindowStyle, m_strFile);
        if (m_hMCIWnd != nullptr)
            result = ::SendMessageA(m_hMCIWnd, MCI_PLAY, 0, 0);
    }
    m_bStopped = 0;
    m_bPaused = 0;
    // The window's first report may come late or never name the playing mode (a very short sound):
    // a device that plays now counts as playing, so its stop is noticed.
    if (result == 0 && IsPlaying())
        m_bPlaying = 1;
    return result;
}

void CSoundPlayer::Close()
{
    if (m_hMCIWnd != nullptr)
    {
        HWND window = m_hMCIWnd;
        m_hMCIWnd = nullptr;
        // What the window reports while it closes is not a stop of the sound.
        int guard = m_bInHandler;
        m_bInHandler = 1;
        if (::IsWindow(window))
            ::SendMessageA(window, WM_CLOSE, 0, 0);
        m_bInHandler = guard;
    }
    m_bPlaying = 0;
}

BOOL CSoundPlayer::IsPlaying() const
{
    if (m_hMCIWnd == nullptr || !::IsWindow(m_hMCIWnd))
        return FALSE;
    return MCIWndGetMode(m_hMCIWnd, nullptr, 0) == MCI_MODE_PLAY;
}

LRESULT CSoundPlayer::OnNotifyMode(HWND hWnd, LONG mode)
{
    if (hWnd == nullptr || hWnd != m_hMCIWnd || m_bInHandler)
        return 0;
    switch (mode)
    {
    case MCI_MODE_STOP:
        if (!m_bPlaying)
            return 0;
        m_bStopped = 1;
        m_bPlaying = 0;
        return 1;
    case MCI_MODE_PLAY:
        m_bPlaying = 1;
        m_bStopped = 0;
        m_bPaused = 0;
        return 1;
    case MCI_MODE_PAUSE: m_bPaused = 1; return 1;
    default: return 0;
    }
}

// ---- CLoopSoundPlayer -------------------------------------------------------------------------------------

CLoopSoundPlayer::CLoopSoundPlayer() : m_bRepeat(0), m_nValue(0), m_bSet(0)
{
}

void CLoopSoundPlayer::SetSoundLoop(HWND hParent, const char* file, int repeat, int value)
{
    m_bRepeat = repeat;
    m_nValue = value;
    SetSound(hParent, file);
    m_bSet = 1;
}

LRESULT CLoopSoundPlayer::OnNotifyMode(HWND hWnd, LONG mode)
{
    if (hWnd == nullptr || hWnd != m_hMCIWnd)
        return 0;
    int wasPlaying = m_bPlaying;
    LRESULT result = CSoundPlayer::OnNotifyMode(hWnd, mode);
    // The window is still inside its notification: playing again or closing waits for the posted message.
    if (result != 0 && wasPlaying && m_bStopped && m_hParent != nullptr)
        ::PostMessageA(m_hParent, WM_SOUND_STOPPED, reinterpret_cast<WPARAM>(hWnd), 0);
    return result;
}

void CLoopSoundPlayer::OnSoundStopped(HWND hStopped)
{
    if (hStopped == nullptr || hStopped != m_hMCIWnd || m_bPlaying)
        return;
    if (m_bRepeat)
    {
        // A restart that does not play would never report again: nothing is left to wait for.
        if (Play() != 0 || !IsPlaying())
            Close();
    }
    else
        Close();
}

// ---- starting the show's sound ------------------------------------------------------------------------------

CString ResolveSoundFile(const CString& file, const CString& showFolder)
{
    BOOL fullPath = file.GetLength() >= 3 && file.Mid(1, 2) == ":\\";
    if (fullPath || CanOpenForReading(file))
        return file;
    return Path::Join(showFolder, file);
}

BOOL StartShowSound(CLoopSoundPlayer& player, HWND hParent, const CString& soundFile, const CString& showFolder,
                    int repeat)
{
    if (soundFile.IsEmpty())
        return FALSE;
    CString file = ResolveSoundFile(soundFile, showFolder);
    player.SetSoundLoop(hParent, file, repeat, 0);
    LRESULT result = player.Play();
    if (result != 0 || !player.IsPlaying())
    {
        // Not opened, not playable or no device: the window will never report a stop.
        player.Close();
        return FALSE;
    }
    return TRUE;
}
