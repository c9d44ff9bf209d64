// The speakers' mute switch and volume on the system mixer, and the volume slider of the sound control
// dialog. Both mixers open device 0 with notifications to an owner window; with no mixer device they set
// nothing up and every call fails (the slider then hides and disables itself).
#pragma once

#include "framework/win/Framework.h"

#include <mmsystem.h>

// The speakers' mute switch.
class CVolumeMixer : public CObject
{
public:
    CVolumeMixer();
    ~CVolumeMixer() override;

    // Opens the mixer with notifications to hOwner and finds the mute control; reads the value.
    BOOL Initialize(HWND hOwner);
    void Close();
    BOOL GetMute(BOOL& muted);
    BOOL SetMute(BOOL muted);
    // MM_MIXM_CONTROL_CHANGE: re-reads the value when it is about our control; TRUE then.
    BOOL OnControlChange(HMIXER hMixer, DWORD controlId);
    BOOL IsReady() const { return m_hMixer != nullptr; }

    UINT m_nNumMixers;
    HMIXER m_hMixer;
    MIXERCAPSA m_mxcaps;
    CString m_strDstLineName;
    CString m_strMuteControlName;
    DWORD m_dwMuteControlID;
    int m_bMuted;
};

// The speakers' volume.
class CSpeakerMixer : public CObject
{
public:
    CSpeakerMixer();
    ~CSpeakerMixer() override;

    // Opens the mixer with notifications to hOwner and finds the volume control and its range.
    BOOL Initialize(HWND hOwner);
    void Close();
    BOOL GetVolume(DWORD& volume);
    BOOL SetVolume(DWORD volume);
    BOOL IsOurControl(HMIXER hMixer, DWORD controlId) const;

    // Slider position of a volume: rangeMax x volume / (maximum - minimum); 0 when the mixer's range is
    // empty or reversed.
    static int VolumeToPosition(DWORD volume, DWORD minimum, DWORD maximum, int rangeMax);
    // Volume of a slider position: position x (maximum - minimum) / rangeMax.
    static DWORD PositionToVolume(int position, DWORD minimum, DWORD maximum, int rangeMax);

    UINT m_nNumMixers;
    HMIXER m_hMixer;
    MIXERCAPSA m_mxcaps;
    CString m_strDstLineName;
    CString m_strVolumeControlName;
    DWORD m_dwMinimum;
    DWORD m_dwMaximum;
    DWORD m_dwVolumeControlID;
    DWORD m_dwVolume;        // the value last read or written
    BOOL m_bNoMixerNeeded;   // every call succeeds without touching a mixer
};

// The speaker volume slider: both-sided, no ticks, painted on a solid brush of its own.
class CSpeakerSlider : public CSliderCtrl
{
    DECLARE_DYNAMIC(CSpeakerSlider)
public:
    CSpeakerSlider();
    ~CSpeakerSlider() override;

    // At least 50 pixels wide and 16 high, at most 25 high.
    BOOL Create(DWORD dwStyle, const RECT& rect, CWnd* pParentWnd, UINT nID, COLORREF crBackground);

    CSpeakerMixer m_Mixer;
    CBrush m_brBackground;
    COLORREF m_crBackground;
    BOOL m_bDragging;
    BOOL m_bInitialized;
    CPoint m_ptLast;
    UINT m_nLastFlags;

protected:
    // Position from the mixer's volume.
    void FollowVolume();

    afx_msg void OnPaint();
    afx_msg void OnMouseMove(UINT nFlags, CPoint point);
    afx_msg void OnLButtonUp(UINT nFlags, CPoint point);
    afx_msg void OnLButtonDown(UINT nFlags, CPoint point);
    afx_msg LRESULT OnMixerControlChange(WPARAM wParam, LPARAM lParam);
    afx_msg HBRUSH CtlColor(CDC* pDC, UINT nCtlColor);
    DECLARE_MESSAGE_MAP()
};
