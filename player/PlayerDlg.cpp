#include "player/PlayerDlg.h"

#include "resources/player/resource.h"
#include "player/ContactDlg.h"
#include "player/ProductInfoDlg.h"
#include "player/SoundControlDlg.h"
#include "show/Language.h"
#include "show/ShowText.h"

#include <algorithm>

namespace
{

const int kBandHeight = 12;   // the grey title band

// The band's grey levels, top row first.
const BYTE kBandLevels[kBandHeight] = {252, 248, 232, 216, 200, 182, 166, 150, 128, 100, 50, 0};

}   // namespace

// Registered once at program start.
static const UINT s_nStartingMessage = RegisterWindowMessageA("Vexul-Starting");
static const UINT s_nRunningMessage = RegisterWindowMessageA("Vexul-Running");
static const UINT s_nExitMessage = RegisterWindowMessageA("Vexul-Exit");
static const UINT s_nStatusMessage = RegisterWindowMessageA("Vexul-Status");

UINT PlayerStartingMessage()
{
    return s_nStartingMessage;
}
UINT PlayerRunningMessage()
{
    return s_nRunningMessage;
}
UINT PlayerExitMessage()
{
    return s_nExitMessage;
}
UINT PlayerStatusMessage()
{
    return s_nStatusMessage;
}

// ---- CSlideWnd --------------------------------------------------------------------------------------------

BEGIN_MESSAGE_MAP(CSlideWnd, CStatic)
    ON_WM_PAINT()
    ON_WM_ERASEBKGND()
    ON_WM_CTLCOLOR_REFLECT()
END_MESSAGE_MAP()

CSlideWnd::CSlideWnd() : m_pRenderer(nullptr), m_crFill(RGB(0xFF, 0xFF, 0xF0))
{
}

void CSlideWnd::OnPaint()
{
    CPaintDC dc(this);
    if (m_pRenderer)
    {
        m_pRenderer->Paint(&dc);
        return;
    }
    CRect client;
    GetClientRect(&client);
    dc.FillSolidRect(&client, m_crFill);
}

BOOL CSlideWnd::OnEraseBkgnd(CDC*)
{
    // Painting covers the whole window; erasing first would only flicker.
    return TRUE;
}

HBRUSH CSlideWnd::CtlColor(CDC*, UINT)
{
    return nullptr;
}

// ---- CPlayerDlg -------------------------------------------------------------------------------------------

BEGIN_MESSAGE_MAP(CPlayerDlg, CDialog)
    ON_WM_PAINT()
    ON_WM_QUERYDRAGICON()
    ON_MESSAGE(WM_PLAYER_FRAME_TICK, OnFrameTick)
    ON_WM_ERASEBKGND()
    ON_WM_LBUTTONDOWN()
    ON_WM_LBUTTONUP()
    ON_WM_MOUSEMOVE()
    ON_WM_CONTEXTMENU()
    ON_WM_RBUTTONDOWN()
    ON_WM_CLOSE()
    ON_WM_FONTCHANGE()
    ON_MESSAGE(VX_MCIWNDM_NOTIFYMODE, OnNotifyMode)
    ON_MESSAGE(WM_SOUND_STOPPED, OnSoundStopped)
    ON_REGISTERED_MESSAGE(s_nStatusMessage, OnStatusRequest)
    ON_COMMAND(ID_PLAYER_SOUND_START, OnStartSoundCommand)
    ON_COMMAND(ID_PLAYER_CONTACT, OnContact)
    ON_COMMAND(ID_PLAYER_PRODUCT_INFO, OnProductInfo)
    ON_COMMAND(ID_PLAYER_START_SHOW, OnStartShow)
    ON_COMMAND(ID_PLAYER_MINIMIZE, OnMinimize)
    ON_COMMAND(ID_PLAYER_SOUND_CONTROL, OnSoundControl)
    ON_COMMAND(IDC_INFO_BUTTON, OnInfoButton)
END_MESSAGE_MAP()

CPlayerDlg::CPlayerDlg(CPlayerSession* session, const CString& showPath, CWnd* pParent)
    : CDialog(IDD_PLAYER_DIALOG, pParent), m_pSession(session), m_strShowPath(showPath),
      m_nFramePeriod(CFrameTimer::FramePeriod), m_nShowClock(0), m_nLastTickTime(0), m_bShowLoaded(FALSE),
      m_bTimerArmed(FALSE), m_bFirstPaintDone(FALSE), m_bSoundStarted(FALSE), m_bRunning(FALSE),
      m_bDragging(FALSE), m_bMenuOpen(FALSE), m_bCloseRefused(FALSE), m_bBroughtToFront(FALSE), m_hIcon(nullptr),
      m_pInfoDialog(nullptr), m_pSoundDialog(nullptr)
{
    m_Renderer.SetFontInstaller(&m_pSession->m_Fonts);
}

CPlayerDlg::~CPlayerDlg()
{
    CloseSoundControl();   // a dialog destroyed without closing still owns its sound control
    m_FrameTimer.Stop();
    if (m_hIcon)
        DestroyIcon(m_hIcon);
}

void CPlayerDlg::Broadcast(UINT message)
{
    ::PostMessageA(HWND_BROADCAST, message, message, 0);
}

BOOL CPlayerDlg::OnInitDialog()
{
    m_bShowLoaded = FALSE;
    CDialog::OnInitDialog();
    m_SlideWnd.SubclassDlgItem(IDC_SLIDE_WINDOW, this);
    if (m_pSession->m_bNT)
        m_FrameTimer.UseWindowTimer();

    Broadcast(s_nStartingMessage);

    m_hIcon = static_cast<HICON>(
        LoadImageA(AfxGetResourceHandle(), MAKEINTRESOURCEA(IDR_MAINFRAME), IMAGE_ICON, 0, 0, LR_DEFAULTSIZE));
    if (m_hIcon)
    {
        SetIcon(m_hIcon, TRUE);
        SetIcon(m_hIcon, FALSE);
    }
    m_CloseButton.LoadBitmaps(IDB_CLOSE, IDB_CLOSE_DOWN);
    m_CloseButton.SubclassDlgItem(IDCANCEL, this);
    m_InfoButton.LoadBitmaps(IDB_INFO, IDB_INFO_DOWN);
    m_InfoButton.SubclassDlgItem(IDC_INFO_BUTTON, this);

    LoadShow();

    SetWindowText(m_Renderer.m_strTitle.IsEmpty() ? CString("Vexul") : m_Renderer.m_strTitle);
    LayoutWindow();
    m_SlideWnd.m_crFill = m_Renderer.m_crBackground;
    return TRUE;
}

void CPlayerDlg::LayoutWindow()
{
    CRect desktop(0, 0, 640, 480);
    if (CWnd* desk = CWnd::GetDesktopWindow())
        desk->GetWindowRect(&desktop);
    BOOL desktopMode = m_Renderer.m_nDesktopMode != 0;
    int width = m_Renderer.m_nWindowWidth;
    int height = m_Renderer.m_nWindowHeight;
    if (!desktopMode)
        MoveWindow((desktop.Width() - width) / 2, (desktop.Height() - height) / 2, width, height, FALSE);
    else
        MoveWindow(0, 0, desktop.Width(), desktop.Height(), FALSE);

    CRect window;
    GetWindowRect(&window);
    CRect client;
    GetClientRect(&client);
    if (CWnd* close = GetDlgItem(IDCANCEL))
        close->MoveWindow(window.Width() - 30, 0, 16, 12, FALSE);
    if (CWnd* info = GetDlgItem(IDC_INFO_BUTTON))
        info->MoveWindow(window.Width() - 50, 0, 16, 12, FALSE);

    if (!desktopMode)
        m_SlideWnd.MoveWindow(0, kBandHeight, client.Width(), client.Height() - kBandHeight, FALSE);
    else
    {
        // The largest slide: the largest window less the slide's margins.
        using namespace ShowText;
        int slideWidth = std::min(width, Window::MAX_WIDTH - Slide::WIDTH_MARGIN);
        int slideHeight = std::min(height, Window::MAX_HEIGHT - Slide::HEIGHT_MARGIN);
        // Centred on the desktop, whatever the window's border.
        CPoint at((desktop.Width() - slideWidth) / 2, (desktop.Height() - slideHeight) / 2);
        ScreenToClient(&at);
        m_SlideWnd.MoveWindow(at.x, at.y, slideWidth, slideHeight, FALSE);
    }
}

void CPlayerDlg::LoadShow()
{
    HCURSOR oldCursor = SetCursor(LoadCursor(nullptr, IDC_WAIT));
    m_bShowLoaded = FALSE;

    if (m_strShowPath.IsEmpty())
    {
        m_strShowPath = ChooseDefaultShowPath(m_pSession->m_strProgramFolder, GetCurrentFolder());
    }

    m_Pack.Clear();
    m_Pack.SetFileFirst(m_pSession->m_bShowFileFirst);
    BOOL packRead = m_Pack.Load(m_strShowPath);
    // A compiled player's show lives beside the program: relative sound, font and end-program names are
    // found there.
    m_strShowFolder = m_Pack.IsFromResource() ? m_pSession->m_strProgramFolder : Path::FolderOf(m_strShowPath);
    m_pSession->m_strShowPath = m_strShowPath;
    m_pSession->m_strShowFolder = m_strShowFolder;
    m_pSession->m_Fonts.m_strShowFolder = m_strShowFolder;

    if (packRead)
    {
        m_Renderer.SetPack(&m_Pack);
        int size = 0;
        BYTE* text = m_Pack.GetEntryData(ShowText::ENTRY_NAME, size);
        if (text && size > 0 && m_Renderer.Load(m_strShowPath, text, size))
        {
            m_pSession->m_bEndProgramEnabled = m_Renderer.m_nAutostartOn;
            m_pSession->m_strEndProgram = m_Renderer.m_strAutostartFile;
            m_nFramePeriod = CFrameTimer::FramePeriod;
            m_bShowLoaded = TRUE;
        }
    }

    if (!m_bShowLoaded)
    {
        CString message;
        if (GetLanguage() == LETTER_GERMAN)
            message.Format("Fehler\n\nDie Datei %s kann nicht geöffnet werden", (LPCSTR)m_strShowPath);
        else
            message.Format("ERROR\n\nCannot open show file:\n%s", (LPCSTR)m_strShowPath);
        AfxMessageBox(message, MB_OK);
        PostMessage(WM_COMMAND, IDCANCEL);
    }
    SetCursor(oldCursor ? oldCursor : LoadCursor(nullptr, IDC_ARROW));
}

void CPlayerDlg::OnPaint()
{
    CPaintDC dc(this);
    CRect client;
    GetClientRect(&client);
    if (IsIconic())
    {
        SendMessage(WM_ICONERASEBKGND, reinterpret_cast<WPARAM>(dc.GetSafeHdc()), 0);
        int cx = GetSystemMetrics(SM_CXICON);
        int cy = GetSystemMetrics(SM_CYICON);
        if (m_hIcon)
            dc.DrawIcon((client.Width() - cx + 1) / 2, (client.Height() - cy + 1) / 2, m_hIcon);
    }
    else
    {
        dc.FillSolidRect(&client, m_Renderer.m_crBackground);
        for (int row = 0; row < kBandHeight; ++row)
        {
            CPen pen(PS_SOLID, 1, RGB(kBandLevels[row], kBandLevels[row], kBandLevels[row]));
            CPen* oldPen = dc.SelectObject(&pen);
            dc.MoveTo(0, row);
            dc.LineTo(client.Width(), row);
            dc.SelectObject(oldPen);
        }
    }
    if (!m_bFirstPaintDone)
    {
        m_bFirstPaintDone = TRUE;
        PostMessage(WM_COMMAND, ID_PLAYER_START_SHOW);
    }
    else if (!m_bSoundStarted && m_bShowLoaded)
    {
        m_bSoundStarted = TRUE;
        PostMessage(WM_COMMAND, ID_PLAYER_SOUND_START);
    }
}

HCURSOR CPlayerDlg::OnQueryDragIcon()
{
    return static_cast<HCURSOR>(m_hIcon);
}

BOOL CPlayerDlg::OnEraseBkgnd(CDC*)
{
    return TRUE;
}

void CPlayerDlg::OnStartShow()
{
    if (!m_bShowLoaded)
        return;
    CRect area;
    m_SlideWnd.GetClientRect(&area);
    if (m_Renderer.Start(area.left, area.top, area.right, area.bottom, 0, 0, &m_SlideWnd, m_nFramePeriod))
    {
        m_Renderer.GoToSlide(m_pSession->m_nStartSlide);
        m_bRunning = TRUE;
        m_SlideWnd.m_pRenderer = &m_Renderer;
        m_SlideWnd.Invalidate(TRUE);
        StartFrameTimer();
    }
    if (!m_bSoundStarted && m_bShowLoaded)
    {
        m_bSoundStarted = TRUE;
        PostMessage(WM_COMMAND, ID_PLAYER_SOUND_START);
    }
}

BOOL CPlayerDlg::StartFrameTimer()
{
    if (m_FrameTimer.Start(m_nFramePeriod, this, WM_PLAYER_FRAME_TICK))
    {
        m_bTimerArmed = TRUE;
        return TRUE;
    }
    AfxMessageBox("Cannot start timer !", MB_OK);
    return FALSE;
}

LRESULT CPlayerDlg::OnFrameTick(WPARAM, LPARAM lParam)
{
    m_bTimerArmed = FALSE;
    // A tick sent just before the close stopped the clock must not step the stopped show or re-arm.
    if (!m_bRunning)
        return 0;
    int time = static_cast<int>(static_cast<DWORD>(lParam));
    if (time == m_nLastTickTime)
        m_nShowClock += m_nFramePeriod;
    else
        m_nShowClock = m_nLastTickTime = time;
    if (m_Renderer.Step(m_nShowClock))
    {
        StartFrameTimer();
        return 0;
    }
    // Only end mode 2 keeps the player open on the last frame.
    if (m_Renderer.m_nAutoExit != ShowText::Termination::AUTOEXIT_BY_USER)
        PostMessage(WM_COMMAND, IDCANCEL);
    return 0;
}

void CPlayerDlg::OnLButtonDown(UINT nFlags, CPoint point)
{
    if (point.y > kBandHeight)
    {
        m_bDragging = FALSE;
        // The click in the slide window's own coordinates (in DESKTOP mode that window is centred).
        CPoint inSlide = point;
        MapWindowPoints(&m_SlideWnd, &inSlide, 1);
        m_Renderer.ClickContinue(inSlide.x, inSlide.y);
    }
    else
    {
        m_ptDragStart = point;
        m_bDragging = TRUE;
        SetCapture();
    }
    CDialog::OnLButtonDown(nFlags, point);
}

void CPlayerDlg::OnLButtonUp(UINT nFlags, CPoint point)
{
    m_bDragging = FALSE;
    ReleaseCapture();
    CDialog::OnLButtonUp(nFlags, point);
}

void CPlayerDlg::OnMouseMove(UINT nFlags, CPoint point)
{
    if (m_bDragging && m_Renderer.m_nDesktopMode == 0)
    {
        CRect window;
        GetWindowRect(&window);
        window.OffsetRect(point.x - m_ptDragStart.x, point.y - m_ptDragStart.y);
        SetWindowPos(nullptr, window.left, window.top, 0, 0, SWP_NOSIZE | SWP_NOZORDER | SWP_NOACTIVATE);
    }
    CDialog::OnMouseMove(nFlags, point);
}

void CPlayerDlg::OnRButtonDown(UINT nFlags, CPoint point)
{
    if (point.x < 5 && point.y < 5)
        AfxMessageBox(CString("OS: [") + m_pSession->m_strOsText + "] ", MB_OK);
    CDialog::OnRButtonDown(nFlags, point);
}

void CPlayerDlg::OnContextMenu(CWnd*, CPoint pos)
{
    ShowContextMenu(pos);
}

void CPlayerDlg::OnInfoButton()
{
    CRect button;
    if (CWnd* info = GetDlgItem(IDC_INFO_BUTTON))
        info->GetWindowRect(&button);
    ShowContextMenu(CPoint(button.left + 1, button.bottom));
}

void CPlayerDlg::ShowContextMenu(CPoint screenPoint)
{
    CString texts[5];
    for (int i = 0; i < 5; ++i)
        texts[i].LoadString(IDS_MENU_SOUND + i);
    CMenu menu;
    if (!menu.CreatePopupMenu())
        return;
    menu.AppendMenu(MF_STRING, ID_PLAYER_SOUND_CONTROL, texts[0]);
    menu.AppendMenu(MF_STRING, ID_PLAYER_MINIMIZE, texts[1]);
    if (m_Renderer.m_nContactOn)
        menu.AppendMenu(MF_STRING, ID_PLAYER_CONTACT, texts[2]);
    menu.AppendMenu(MF_SEPARATOR, 0, (LPCSTR) nullptr);
    menu.AppendMenu(MF_STRING, ID_PLAYER_PRODUCT_INFO, texts[3]);
    menu.AppendMenu(MF_SEPARATOR, 0, (LPCSTR) nullptr);
    menu.AppendMenu(MF_STRING, IDCANCEL, texts[4]);
    m_bMenuOpen = TRUE;
    menu.TrackPopupMenu(TPM_RIGHTBUTTON, screenPoint.x, screenPoint.y, this);
    m_bMenuOpen = FALSE;
    menu.DestroyMenu();
    if (m_bCloseRefused)
    {
        // A close asked for while the menu was open happens now.
        m_bCloseRefused = FALSE;
        PostMessage(WM_COMMAND, IDCANCEL);
    }
}

BOOL CPlayerDlg::PreTranslateMessage(MSG* pMsg)
{
    // Only a fresh press of Escape closes: a held key repeats into whatever window comes up next, and that
    // is this player when it is the end program of the one the press closed.
    const LPARAM keyWasDown = 1 << 30;
    if (pMsg->message == WM_KEYDOWN && pMsg->wParam == VK_ESCAPE && (pMsg->lParam & keyWasDown))
        return TRUE;
    BOOL advanceKey = pMsg->wParam == VK_RIGHT || pMsg->wParam == VK_SPACE;
    if (pMsg->message == WM_KEYDOWN && advanceKey)
    {
        m_Renderer.Continue();
        return TRUE;   // never also presses a focused button
    }
    if ((pMsg->message == WM_KEYUP && advanceKey) || (pMsg->message == WM_CHAR && pMsg->wParam == ' '))
        return TRUE;
    return CDialog::PreTranslateMessage(pMsg);
}

void CPlayerDlg::OnClose()
{
    CloseSoundControl();
    CDialog::OnClose();
}

void CPlayerDlg::OnFontChange()
{
    m_pSession->m_Fonts.OnFontChange(this);
}

// ---- sound and information dialogs ----

LRESULT CPlayerDlg::OnNotifyMode(WPARAM wParam, LPARAM lParam)
{
    // The MCI window is still inside its notification: the player only records the change here, and
    // playing again or closing happens in OnSoundStopped.
    LONG mode = static_cast<LONG>(lParam);
    if (m_SoundPlayer.OnNotifyMode(reinterpret_cast<HWND>(wParam), mode) != 0 && mode == VX_MCI_MODE_STOP)
        m_Renderer.SetSoundFinished();
    return 0;
}

LRESULT CPlayerDlg::OnSoundStopped(WPARAM wParam, LPARAM)
{
    m_SoundPlayer.OnSoundStopped(reinterpret_cast<HWND>(wParam));
    return 0;
}

LRESULT CPlayerDlg::OnStatusRequest(WPARAM, LPARAM)
{
    if (!m_bBroughtToFront)
    {
        m_bBroughtToFront = TRUE;
        SetWindowPos(&CWnd::wndTopMost, 0, 0, 0, 0, SWP_NOMOVE | SWP_NOSIZE);
        SetForegroundWindow();
    }
    Broadcast(s_nRunningMessage);
    return 0;
}

void CPlayerDlg::OnStartSoundCommand()
{
    // A sound that cannot be opened or played never reports its end: end mode 1 must still end.
    if (!StartShowSound(m_SoundPlayer, m_hWnd, m_Renderer.m_strSoundFile, m_strShowFolder,
                        m_Renderer.m_nRepeatSound))
        m_Renderer.SetSoundFinished();
}

void CPlayerDlg::OnContact()
{
    CContactDlg dialog(this);
    dialog.m_strLine1 = m_Renderer.m_strContactLine[0];
    dialog.m_strLine2 = m_Renderer.m_strContactLine[1];
    dialog.m_strLine3 = m_Renderer.m_strContactLine[2];
    dialog.m_strLine4 = m_Renderer.m_strContactLine[3];
    dialog.m_strLine5 = m_Renderer.m_strContactLine[4];
    dialog.m_strLine6 = m_Renderer.m_strContactLine[5];
    dialog.m_strInternet = m_Renderer.m_strContactWeb;
    dialog.m_strEmail = m_Renderer.m_strContactMail;
    m_pInfoDialog = &dialog;
    dialog.DoModal();
    m_pInfoDialog = nullptr;
}

void CPlayerDlg::OnProductInfo()
{
    CProductInfoDlg dialog(this);
    m_pInfoDialog = &dialog;
    dialog.DoModal();
    m_pInfoDialog = nullptr;
}

void CPlayerDlg::OnMinimize()
{
    ShowWindow(SW_MINIMIZE);
}

void CPlayerDlg::OnSoundControl()
{
    if (m_pSoundDialog == nullptr)
    {
        auto dialog = std::make_unique<CSoundControlDlg>();
        CRect window;
        GetWindowRect(&window);
        if (!dialog->Create(this, window))
            return;
        m_pSoundDialog = std::move(dialog);
    }
    m_pSoundDialog->ShowControl();
}

void CPlayerDlg::CloseSoundControl()
{
    m_pSoundDialog.reset();
}

void CPlayerDlg::OnOK()
{
    // Enter keeps the show: the player closes only through OnCancel.
}

void CPlayerDlg::OnCancel()
{
    if (m_bMenuOpen)
    {
        // Nothing stops while the context menu is open; the close comes again once it has closed.
        m_bCloseRefused = TRUE;
        return;
    }
    m_FrameTimer.Stop();
    m_bTimerArmed = FALSE;
    m_Renderer.Stop();
    m_bRunning = FALSE;
    if (m_pInfoDialog && m_pInfoDialog->GetSafeHwnd())
        m_pInfoDialog->SendMessage(WM_COMMAND, IDCANCEL);
    CloseSoundControl();
    Broadcast(s_nExitMessage);
    EndDialog(IDCANCEL);
}
