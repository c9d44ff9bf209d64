// The small sound control dialog: a speaker mute switch and a speaker volume slider over a volume wedge.
// It is modeless, sits below the player window (or in the desktop's corner when there is no room), and hides
// itself 3 seconds after it was last touched.
#pragma once

#include "framework/win/Framework.h"
#include "player/SpeakerMixer.h"

class CSoundControlDlg : public CDialog
{
public:
    CSoundControlDlg();
    ~CSoundControlDlg() override;

    // Creates the (hidden) dialog next to the player window whose screen rectangle is rcPlayer.
    BOOL Create(CWnd* pParent, const RECT& rcPlayer);
    // Shows the dialog and starts counting its idle time anew.
    void ShowControl();
    void RestartCloseTimer();

    enum
    {
        CloseTimerId = 1
    };

    CSpeakerSlider m_Slider;
    CVolumeMixer m_Mixer;   // its muted value is what the check box shows
    CRect m_rcPlayer;
    CRect m_rcWedge;
    UINT_PTR m_nCloseTimer;   // 0 while not counting
    UINT m_nCloseDelay;       // ms of no activity before the dialog hides itself

protected:
    void DoDataExchange(CDataExchange* pDX) override;
    // Mouse moves over its controls count as activity too.
    BOOL PreTranslateMessage(MSG* pMsg) override;
    BOOL OnInitDialog() override;
    void OnOK() override;
    void OnCancel() override;
    // Right-aligned 2 pixels below the player window, or in the desktop's bottom-right corner when the
    // space below is too small.
    void PlaceBelowPlayer();
    void Hide();

    afx_msg void OnPaint();
    afx_msg void OnMouseMove(UINT nFlags, CPoint point);
    afx_msg void OnTimer(UINT_PTR nIDEvent);
    afx_msg void OnClose();
    afx_msg void OnShowWindow(BOOL bShow, UINT nStatus);
    afx_msg void OnSoundOff();
    afx_msg LRESULT OnMixerControlChange(WPARAM wParam, LPARAM lParam);
    DECLARE_MESSAGE_MAP()
};
