#include "editor/MainFrame.h"

#include "editor/VexulCreatorApp.h"
#include "editor/VexulCreatorView.h"
#include "resources/editor/resource.h"

const UINT g_nUpgradeManagerMessage = RegisterWindowMessageA("QDLM_UpgradeManager");

IMPLEMENT_DYNCREATE(CMainFrame, CFrameWnd)

BEGIN_MESSAGE_MAP(CMainFrame, CFrameWnd)
    ON_WM_INITMENU()
    ON_WM_CREATE()
    ON_WM_CLOSE()
    ON_REGISTERED_MESSAGE(g_nUpgradeManagerMessage, OnUpgradeManagerMessage)
END_MESSAGE_MAP()

CMainFrame::CMainFrame() : m_nDisabledBitmapID(IDB_TOOLBAR_DISABLED)
{
}

CMainFrame::~CMainFrame()
{
    m_disabledBitmap.DeleteObject();
    m_disabledImages.DeleteImageList();
    if (m_wndToolBar.GetSafeHwnd() != nullptr)
        m_wndToolBar.DestroyWindow();
}

BOOL CMainFrame::PreCreateWindow(CREATESTRUCTA& cs)
{
    return CFrameWnd::PreCreateWindow(cs);
}

CRect CMainFrame::GetStartRect(const CRect* desktop)
{
    if (desktop == nullptr)
        return CRect(CPoint(-75, -42), CSize(FRAME_WIDTH, FRAME_HEIGHT));
    CPoint topLeft((desktop->Width() - FRAME_WIDTH) / 2, (desktop->Height() - FRAME_HEIGHT) / 2);
    return CRect(topLeft, CSize(FRAME_WIDTH, FRAME_HEIGHT));
}

int CMainFrame::OnCreate(LPCREATESTRUCT lpCreateStruct)
{
    if (CFrameWnd::OnCreate(lpCreateStruct) == -1)
        return -1;
    if (!m_wndToolBar.CreateEx(this, TBSTYLE_FLAT,
                               WS_CHILD | WS_VISIBLE | CBRS_TOP | CBRS_TOOLTIPS | CBRS_FLYBY | CBRS_SIZE_DYNAMIC,
                               CRect(0, 0, 0, 0), AFX_IDW_TOOLBAR) ||
        !m_wndToolBar.LoadToolBar(IDR_TOOLBAR))
        return -1;
    m_wndToolBar.SetWindowText("VexulCreator");
    // The disabled buttons show drawings of their own (greys on a light background that is the mask).
    // Without them the bar keeps greying its own images: an empty list would leave disabled buttons blank.
    if (m_disabledImages.Create(42, 36, ILC_COLOR24 | ILC_MASK, 11, 1) &&
        m_disabledBitmap.LoadBitmap(m_nDisabledBitmapID) &&
        m_disabledImages.Add(&m_disabledBitmap, RGB(228, 228, 228)) >= 0)
        m_wndToolBar.SendMessage(TB_SETDISABLEDIMAGELIST, 0,
                                 reinterpret_cast<LPARAM>(m_disabledImages.GetSafeHandle()));
    HWND desktopWindow = ::GetDesktopWindow();
    CRect desktop;
    CRect start =
        GetStartRect(desktopWindow != nullptr && ::GetWindowRect(desktopWindow, &desktop) ? &desktop : nullptr);
    MoveWindow(&start);
    return 0;
}

void CMainFrame::OnInitMenu(CMenu* pMenu)
{
    CFrameWnd::OnInitMenu(pMenu);
}

void CMainFrame::OnClose()
{
    // The worker goes first, so that the question about the changes is asked about a quiet project.
    {
        CWaitCursor wait;
        SendMessage(WM_COMMAND, ID_STOP_THUMBNAILS, 0);
    }
    CFrameWnd::OnClose();
}

LRESULT CMainFrame::OnUpgradeManagerMessage(WPARAM wParam, LPARAM)
{
    int value = static_cast<int>(wParam);
    if (value / 256 == 4)
        theApp.OnUpdateResult(value % 256);
    return 0;
}
