#include "player/SpeakerMixer.h"

namespace
{

// Opens mixer device 0 with notifications to hOwner and finds the one control of controlType on the speakers'
// destination line. On failure nothing stays open.
BOOL OpenSpeakerControl(HWND hOwner, DWORD controlType, UINT& numMixers, HMIXER& hMixer, MIXERCAPSA& caps,
                        CString& lineName, CString& controlName, MIXERCONTROLA& control)
{
    numMixers = ::mixerGetNumDevs();
    if (numMixers == 0)
        return FALSE;
    HMIXER mixer = nullptr;
    if (::mixerOpen(&mixer, 0, reinterpret_cast<DWORD_PTR>(hOwner), 0, MIXER_OBJECTF_MIXER | CALLBACK_WINDOW) !=
            MMSYSERR_NOERROR ||
        mixer == nullptr)
        return FALSE;
    HMIXEROBJ object = reinterpret_cast<HMIXEROBJ>(mixer);
    BOOL ok = ::mixerGetDevCapsA(reinterpret_cast<UINT_PTR>(mixer), &caps, sizeof(caps)) == MMSYSERR_NOERROR;

    MIXERLINEA line = {};
    line.cbStruct = sizeof(line);
    line.dwComponentType = MIXERLINE_COMPONENTTYPE_DST_SPEAKERS;
    ok = ok && ::mixerGetLineInfoA(object, &line, MIXER_OBJECTF_HMIXER | MIXER_GETLINEINFOF_COMPONENTTYPE) ==
                   MMSYSERR_NOERROR;

    MIXERCONTROLA found = {};
    found.cbStruct = sizeof(found);
    MIXERLINECONTROLSA controls = {};
    controls.cbStruct = sizeof(controls);
    controls.dwLineID = line.dwLineID;
    controls.dwControlType = controlType;
    controls.cControls = 1;
    controls.cbmxctrl = sizeof(found);
    controls.pamxctrl = &found;
    ok = ok && ::mixerGetLineControlsA(
                   object, &controls, MIXER_OBJECTF_HMIXER | MIXER_GETLINECONTROLSF_ONEBYTYPE) == MMSYSERR_NOERROR;
    if (!ok)
    {
        ::mixerClose(mixer);
        return FALSE;
    }
    hMixer = mixer;
    lineName = line.szName;
    controlName = found.szName;
    control = found;
    return TRUE;
}

// One unsigned value for one channel.
BOOL ReadValue(HMIXER hMixer, DWORD controlId, DWORD& value)
{
    if (hMixer == nullptr)
        return FALSE;
    MIXERCONTROLDETAILS_UNSIGNED detail = {};
    MIXERCONTROLDETAILS details = {};
    details.cbStruct = sizeof(details);
    details.dwControlID = controlId;
    details.cChannels = 1;
    details.cbDetails = sizeof(detail);
    details.paDetails = &detail;
    if (::mixerGetControlDetailsA(reinterpret_cast<HMIXEROBJ>(hMixer), &details,
                                  MIXER_OBJECTF_HMIXER | MIXER_GETCONTROLDETAILSF_VALUE) != MMSYSERR_NOERROR)
        return FALSE;
    value = detail.dwValue;
    return TRUE;
}

BOOL WriteValue(HMIXER hMixer, DWORD controlId, DWORD value)
{
    if (hMixer == nullptr)
        return FALSE;
    MIXERCONTROLDETAILS_UNSIGNED detail = {};
    detail.dwValue = value;
    MIXERCONTROLDETAILS details = {};
    details.cbStruct = sizeof(details);
    details.dwControlID = controlId;
    details.cChannels = 1;
    details.cbDetails = sizeof(detail);
    details.paDetails = &detail;
    return ::mixerSetControlDetails(reinterpret_cast<HMIXEROBJ>(hMixer), &details,
                                    MIXER_OBJECTF_HMIXER | MIXER_SETCONTROLDETAILSF_VALUE) == MMSYSERR_NOERROR;
}

}   // namespace

// ---- CVolumeMixer -----------------------------------------------------------------------------------------

CVolumeMixer::CVolumeMixer() : m_nNumMixers(0), m_hMixer(nullptr), m_mxcaps(), m_dwMuteControlID(0), m_bMuted(0)
{
}

CVolumeMixer::~CVolumeMixer()
{
    Close();
}

BOOL CVolumeMixer::Initialize(HWND hOwner)
{
    Close();
    MIXERCONTROLA control = {};
    if (!OpenSpeakerControl(hOwner, MIXERCONTROL_CONTROLTYPE_MUTE, m_nNumMixers, m_hMixer, m_mxcaps,
                            m_strDstLineName, m_strMuteControlName, control))
        return FALSE;
    m_dwMuteControlID = control.dwControlID;
    BOOL muted = FALSE;
    if (GetMute(muted))
        m_bMuted = muted;
    return TRUE;
}

void CVolumeMixer::Close()
{
    if (m_hMixer != nullptr)
    {
        ::mixerClose(m_hMixer);
        m_hMixer = nullptr;
    }
}

BOOL CVolumeMixer::GetMute(BOOL& muted)
{
    DWORD value = 0;
    if (!ReadValue(m_hMixer, m_dwMuteControlID, value))
        return FALSE;
    muted = value != 0;
    return TRUE;
}

BOOL CVolumeMixer::SetMute(BOOL muted)
{
    if (!WriteValue(m_hMixer, m_dwMuteControlID, muted ? 1 : 0))
        return FALSE;
    m_bMuted = muted ? 1 : 0;
    return TRUE;
}

BOOL CVolumeMixer::OnControlChange(HMIXER hMixer, DWORD controlId)
{
    if (m_hMixer == nullptr || hMixer != m_hMixer || controlId != m_dwMuteControlID)
        return FALSE;
    BOOL muted = FALSE;
    if (GetMute(muted))
        m_bMuted = muted;
    return TRUE;
}

// ---- CSpeakerMixer ----------------------------------------------------------------------------------------

CSpeakerMixer::CSpeakerMixer()
    : m_nNumMixers(0), m_hMixer(nullptr), m_mxcaps(), m_dwMinimum(0), m_dwMaximum(0), m_dwVolumeControlID(0),
      m_dwVolume(0), m_bNoMixerNeeded(FALSE)
{
}

CSpeakerMixer::~CSpeakerMixer()
{
    Close();
}

BOOL CSpeakerMixer::Initialize(HWND hOwner)
{
    if (m_bNoMixerNeeded)
        return TRUE;
    Close();
    MIXERCONTROLA control = {};
    if (!OpenSpeakerControl(hOwner, MIXERCONTROL_CONTROLTYPE_VOLUME, m_nNumMixers, m_hMixer, m_mxcaps,
                            m_strDstLineName, m_strVolumeControlName, control))
        return FALSE;
    m_dwMinimum = control.Bounds.dwMinimum;
    m_dwMaximum = control.Bounds.dwMaximum;
    m_dwVolumeControlID = control.dwControlID;
    return TRUE;
}

void CSpeakerMixer::Close()
{
    if (m_hMixer != nullptr)
    {
        ::mixerClose(m_hMixer);
        m_hMixer = nullptr;
    }
}

BOOL CSpeakerMixer::GetVolume(DWORD& volume)
{
    if (m_bNoMixerNeeded)
    {
        volume = m_dwVolume;
        return TRUE;
    }
    if (!ReadValue(m_hMixer, m_dwVolumeControlID, volume))
        return FALSE;
    m_dwVolume = volume;
    return TRUE;
}

BOOL CSpeakerMixer::SetVolume(DWORD volume)
{
    if (!m_bNoMixerNeeded && !WriteValue(m_hMixer, m_dwVolumeControlID, volume))
        return FALSE;
    m_dwVolume = volume;
    return TRUE;
}

BOOL CSpeakerMixer::IsOurControl(HMIXER hMixer, DWORD controlId) const
{
    if (m_hMixer == nullptr && !m_bNoMixerNeeded)
        return FALSE;
    return hMixer == m_hMixer && controlId == m_dwVolumeControlID;
}

int CSpeakerMixer::VolumeToPosition(DWORD volume, DWORD minimum, DWORD maximum, int rangeMax)
{
    // A mixer whose range is empty or reversed has no meaningful position.
    if (maximum <= minimum || rangeMax <= 0)
        return 0;
    unsigned long long position = static_cast<unsigned long long>(rangeMax) * volume / (maximum - minimum);
    return position > static_cast<unsigned long long>(rangeMax) ? rangeMax : static_cast<int>(position);
}

DWORD CSpeakerMixer::PositionToVolume(int position, DWORD minimum, DWORD maximum, int rangeMax)
{
    if (maximum <= minimum || rangeMax <= 0 || position <= 0)
        return 0;
    return static_cast<DWORD>(static_cast<unsigned long long>(position) * (maximum - minimum) /
                              static_cast<unsigned long long>(rangeMax));
}

// ---- CSpeakerSlider ---------------------------------------------------------------------------------------

IMPLEMENT_DYNAMIC(CSpeakerSlider, CSliderCtrl)

BEGIN_MESSAGE_MAP(CSpeakerSlider, CSliderCtrl)
    ON_WM_PAINT()
    ON_WM_MOUSEMOVE()
    ON_WM_LBUTTONUP()
    ON_WM_LBUTTONDOWN()
    ON_MESSAGE(MM_MIXM_CONTROL_CHANGE, OnMixerControlChange)
    ON_WM_CTLCOLOR_REFLECT()
END_MESSAGE_MAP()

CSpeakerSlider::CSpeakerSlider()
    : m_crBackground(0), m_bDragging(FALSE), m_bInitialized(FALSE), m_ptLast(-1, -1), m_nLastFlags(0)
{
}

CSpeakerSlider::~CSpeakerSlider()
{
    // The mixer sends its notifications to this window: close it before the window goes.
    m_Mixer.Close();
}

BOOL CSpeakerSlider::Create(DWORD dwStyle, const RECT& rect, CWnd* pParentWnd, UINT nID, COLORREF crBackground)
{
    CRect area(rect);
    if (area.Width() < 50)
        area.right = area.left + 50;
    if (area.Height() < 16)
        area.bottom = area.top + 16;
    if (area.Height() > 25)
        area.bottom = area.top + 25;
    m_crBackground = crBackground;
    m_brBackground.DeleteObject();
    m_brBackground.CreateSolidBrush(crBackground);
    return CSliderCtrl::Create(dwStyle | WS_VISIBLE | TBS_BOTH | TBS_NOTICKS, area, pParentWnd, nID);
}

void CSpeakerSlider::FollowVolume()
{
    DWORD volume = 0;
    if (m_Mixer.GetVolume(volume))
        SetPos(CSpeakerMixer::VolumeToPosition(volume, m_Mixer.m_dwMinimum, m_Mixer.m_dwMaximum, GetRangeMax()));
}

void CSpeakerSlider::OnPaint()
{
    if (!m_bInitialized)
    {
        m_bInitialized = TRUE;
        if (m_Mixer.Initialize(m_hWnd))
            FollowVolume();
        else
        {
            // No mixer: nothing to show. The paint below still validates the window.
            ShowWindow(SW_HIDE);
            EnableWindow(FALSE);
        }
    }
    Default();
}

void CSpeakerSlider::OnMouseMove(UINT nFlags, CPoint point)
{
    Default();
    if (nFlags & MK_LBUTTON)
    {
        m_bDragging = TRUE;
        if (point != m_ptLast)
            m_Mixer.SetVolume(CSpeakerMixer::PositionToVolume(GetPos(), m_Mixer.m_dwMinimum, m_Mixer.m_dwMaximum,
                                                              GetRangeMax()));
    }
    m_ptLast = point;
    m_nLastFlags = nFlags;
}

void CSpeakerSlider::OnLButtonUp(UINT, CPoint point)
{
    Default();
    m_bDragging = FALSE;
    CRect client;
    GetClientRect(&client);
    // The ends are hard to hit exactly with the thumb: a release near them means all or nothing.
    int position;
    if (point.x > client.Width() - 6)
        position = GetRangeMax();
    else if (point.x >= 5)
        position = GetPos();
    else
        position = 0;
    SetPos(position);
    m_Mixer.SetVolume(
        CSpeakerMixer::PositionToVolume(position, m_Mixer.m_dwMinimum, m_Mixer.m_dwMaximum, GetRangeMax()));
    ClearSel(TRUE);
    Invalidate();
}

void CSpeakerSlider::OnLButtonDown(UINT, CPoint)
{
    Default();
    Invalidate();
}

LRESULT CSpeakerSlider::OnMixerControlChange(WPARAM wParam, LPARAM lParam)
{
    if (!m_bDragging && m_Mixer.IsOurControl(reinterpret_cast<HMIXER>(wParam), static_cast<DWORD>(lParam)))
        FollowVolume();
    return 0;
}

HBRUSH CSpeakerSlider::CtlColor(CDC* pDC, UINT)
{
    pDC->SetBkMode(OPAQUE);
    pDC->SetBkColor(m_crBackground);
    return static_cast<HBRUSH>(m_brBackground.GetSafeHandle());
}
