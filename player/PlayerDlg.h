// CPlayerDlg: the player's only top-level window. It sizes itself from the show, paints a grey title band,
// hosts the slide window in which the renderer draws, offers a context menu, can be dragged by its band,
// forwards keys and clicks to the renderer, takes the frame clock's ticks and announces itself to other
// programs through registered window messages.
#pragma once

#include "framework/win/Framework.h"
#include "player/FrameTimer.h"
#include "player/PlayerSession.h"
#include "player/ShowRenderer.h"
#include "player/ShowSource.h"
#include "player/SoundPlayer.h"

#include <memory>

class CSoundControlDlg;

// The slide display window: the dialog's static 1010, painted by the renderer once the show runs.
class CSlideWnd : public CStatic
{
public:
    CSlideWnd();

    CShowRenderer* m_pRenderer;   // null until the show starts
    COLORREF m_crFill;            // what shows before the renderer paints

protected:
    afx_msg void OnPaint();
    afx_msg BOOL OnEraseBkgnd(CDC* pDC);
    afx_msg HBRUSH CtlColor(CDC* pDC, UINT nCtlColor);
    DECLARE_MESSAGE_MAP()
};

// The frame clock's tick: wParam the timer id, lParam the time in ms.
#define WM_PLAYER_FRAME_TICK 0x0464

// Registered window messages of the player.
UINT PlayerStartingMessage();   // "Vexul-Starting"
UINT PlayerRunningMessage();    // "Vexul-Running"
UINT PlayerExitMessage();       // "Vexul-Exit"
UINT PlayerStatusMessage();     // "Vexul-Status"

class CPlayerDlg : public CDialog
{
public:
    CPlayerDlg(CPlayerSession* session, const CString& showPath, CWnd* pParent = nullptr);
    ~CPlayerDlg() override;

    // Finds the show, reads its pack and show text; on failure tells the user and closes the dialog.
    void LoadShow();
    BOOL StartFrameTimer();
    BOOL IsShowLoaded() const { return m_bShowLoaded; }
    BOOL IsRunning() const { return m_bRunning; }

    CShowRenderer m_Renderer;
    CPlayerPack m_Pack;
    CFrameTimer m_FrameTimer;
    CSlideWnd m_SlideWnd;
    CBitmapButton m_CloseButton;
    CBitmapButton m_InfoButton;
    CPlayerSession* m_pSession;
    CString m_strShowPath;
    CString m_strShowFolder;
    int m_nFramePeriod;
    int m_nShowClock;
    int m_nLastTickTime;
    BOOL m_bShowLoaded;
    BOOL m_bTimerArmed;
    BOOL m_bFirstPaintDone;
    BOOL m_bSoundStarted;
    BOOL m_bRunning;
    BOOL m_bDragging;
    BOOL m_bMenuOpen;
    BOOL m_bCloseRefused;   // a close came while the context menu was open
    BOOL m_bBroughtToFront;
    CPoint m_ptDragStart;
    HICON m_hIcon;
    CDialog* m_pInfoDialog;                             // the open contact or product dialog, null when none
    std::unique_ptr<CSoundControlDlg> m_pSoundDialog;   // the modeless sound control; null when not made
    CLoopSoundPlayer m_SoundPlayer;                     // the show's background sound

protected:
    BOOL OnInitDialog() override;
    BOOL PreTranslateMessage(MSG* pMsg) override;
    void OnOK() override;
    void OnCancel() override;

    // Places the window, its buttons and the slide window from the show's window settings.
    void LayoutWindow();
    void ShowContextMenu(CPoint screenPoint);
    void Broadcast(UINT message);

    // Deletes the sound control dialog when it exists.
    void CloseSoundControl();

    afx_msg void OnPaint();
    afx_msg HCURSOR OnQueryDragIcon();
    afx_msg LRESULT OnFrameTick(WPARAM wParam, LPARAM lParam);
    afx_msg BOOL OnEraseBkgnd(CDC* pDC);
    afx_msg void OnLButtonDown(UINT nFlags, CPoint point);
    afx_msg void OnLButtonUp(UINT nFlags, CPoint point);
    afx_msg void OnMouseMove(UINT nFlags, CPoint point);
    afx_msg void OnContextMenu(CWnd* pWnd, CPoint pos);
    afx_msg void OnRButtonDown(UINT nFlags, CPoint point);
    afx_msg void OnClose();
    afx_msg void OnFontChange();
    afx_msg LRESULT OnNotifyMode(WPARAM wParam, LPARAM lParam);
    afx_msg LRESULT OnSoundStopped(WPARAM wParam, LPARAM lParam);
    afx_msg LRESULT OnStatusRequest(WPARAM wParam, LPARAM lParam);
    afx_msg void OnStartSoundCommand();
    afx_msg void OnContact();
    afx_msg void OnProductInfo();
    afx_msg void OnStartShow();
    afx_msg void OnMinimize();
    afx_msg void OnSoundControl();
    afx_msg void OnInfoButton();
    DECLARE_MESSAGE_MAP()
};
