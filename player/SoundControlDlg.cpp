#include "player/SoundControlDlg.h"

#include "resources/player/PlayerDialogs.h"

namespace
{

const COLORREF kSliderColour = 0xC8D0D4;

}   // namespace

BEGIN_MESSAGE_MAP(CSoundControlDlg, CDialog)
    ON_WM_PAINT()
    ON_WM_MOUSEMOVE()
    ON_WM_TIMER()
    ON_WM_CLOSE()
    ON_WM_SHOWWINDOW()
    ON_BN_CLICKED(IDC_SOUND_OFF, OnSoundOff)
    ON_MESSAGE(MM_MIXM_CONTROL_CHANGE, OnMixerControlChange)
END_MESSAGE_MAP()

CSoundControlDlg::CSoundControlDlg() : m_rcWedge(10, 10, 110, 20), m_nCloseTimer(0), m_nCloseDelay(3000)
{
}

CSoundControlDlg::~CSoundControlDlg()
{
    if (m_hWnd != nullptr && m_nCloseTimer != 0)
        KillTimer(CloseTimerId);
    // The mixer notifies this window: it closes before the window goes.
    m_Mixer.Close();
    if (m_hWnd != nullptr)
        DestroyWindow();
}

BOOL CSoundControlDlg::Create(CWnd* pParent, const RECT& rcPlayer)
{
    m_rcPlayer = rcPlayer;
    return CDialog::Create(IDD_SOUND_CONTROL, pParent);
}

void CSoundControlDlg::DoDataExchange(CDataExchange* pDX)
{
    CDialog::DoDataExchange(pDX);
    DDX_Check(pDX, IDC_SOUND_OFF, m_Mixer.m_bMuted);
}

BOOL CSoundControlDlg::OnInitDialog()
{
    m_Mixer.Initialize(m_hWnd);
    CDialog::OnInitDialog();
    PlaceBelowPlayer();
    m_rcWedge = CRect(10, 10, 110, 20);
    m_Slider.Create(WS_CHILD, CRect(5, 25, 115, 35), this, IDC_VOLUME_SLIDER, kSliderColour);
    RestartCloseTimer();
    return TRUE;
}

void CSoundControlDlg::PlaceBelowPlayer()
{
    CRect dialog;
    GetWindowRect(&dialog);
    CRect desktop(0, 0, 640, 480);
    if (CWnd* desk = CWnd::GetDesktopWindow())
        desk->GetWindowRect(&desktop);
    int x, y;
    if (desktop.bottom - m_rcPlayer.bottom < dialog.Height())
    {
        x = desktop.right - dialog.Width();
        y = desktop.bottom - dialog.Height();
    }
    else
    {
        x = m_rcPlayer.right - dialog.Width();
        y = m_rcPlayer.bottom + 2;
    }
    SetWindowPos(nullptr, x, y, 0, 0, SWP_NOSIZE | SWP_NOZORDER | SWP_NOACTIVATE);
}

void CSoundControlDlg::ShowControl()
{
    ShowWindow(SW_SHOW);
    RestartCloseTimer();
}

void CSoundControlDlg::RestartCloseTimer()
{
    if (m_hWnd == nullptr)
        return;
    // Setting a timer with the same id replaces it, so the count starts again.
    m_nCloseTimer = SetTimer(CloseTimerId, m_nCloseDelay);
}

void CSoundControlDlg::Hide()
{
    if (m_nCloseTimer != 0)
    {
        KillTimer(CloseTimerId);
        m_nCloseTimer = 0;
    }
    ShowWindow(SW_HIDE);
}

void CSoundControlDlg::OnPaint()
{
    CPaintDC dc(this);
    CPen white(PS_SOLID, 1, RGB(255, 255, 255));
    CPen grey(PS_SOLID, 1, RGB(128, 128, 128));
    CPen* old = dc.SelectObject(&white);
    dc.MoveTo(m_rcWedge.left, m_rcWedge.bottom);
    dc.LineTo(m_rcWedge.right, m_rcWedge.top);
    dc.SelectObject(&grey);
    dc.MoveTo(m_rcWedge.left, m_rcWedge.bottom);
    dc.LineTo(m_rcWedge.right, m_rcWedge.bottom);
    dc.LineTo(m_rcWedge.right, m_rcWedge.top);
    dc.SelectObject(old);
}

BOOL CSoundControlDlg::PreTranslateMessage(MSG* pMsg)
{
    if (pMsg->message == WM_MOUSEMOVE && pMsg->hwnd != m_hWnd && ::IsChild(m_hWnd, pMsg->hwnd))
        RestartCloseTimer();
    return CDialog::PreTranslateMessage(pMsg);
}

void CSoundControlDlg::OnMouseMove(UINT nFlags, CPoint point)
{
    RestartCloseTimer();
    CDialog::OnMouseMove(nFlags, point);
}

void CSoundControlDlg::OnTimer(UINT_PTR nIDEvent)
{
    if (nIDEvent != CloseTimerId)
    {
        CDialog::OnTimer(nIDEvent);
        return;
    }
    KillTimer(CloseTimerId);
    m_nCloseTimer = 0;
    PostMessage(WM_COMMAND, IDCANCEL);
}

void CSoundControlDlg::OnClose()
{
    Hide();
}

void CSoundControlDlg::OnOK()
{
    Hide();
}

void CSoundControlDlg::OnCancel()
{
    Hide();
}

void CSoundControlDlg::OnShowWindow(BOOL bShow, UINT nStatus)
{
    CDialog::OnShowWindow(bShow, nStatus);
    if (bShow)
        RestartCloseTimer();
}

void CSoundControlDlg::OnSoundOff()
{
    int wasMuted = m_Mixer.m_bMuted;
    UpdateData(TRUE);
    if (!m_Mixer.SetMute(m_Mixer.m_bMuted))
    {
        // The speakers did not change: the box goes on showing what they are.
        m_Mixer.m_bMuted = wasMuted;
        UpdateData(FALSE);
    }
    RestartCloseTimer();
}

LRESULT CSoundControlDlg::OnMixerControlChange(WPARAM wParam, LPARAM lParam)
{
    if (m_Mixer.OnControlChange(reinterpret_cast<HMIXER>(wParam), static_cast<DWORD>(lParam)))
        UpdateData(FALSE);
    RestartCloseTimer();
    return 0;
}
