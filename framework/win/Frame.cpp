// CFrameWnd: creation from one resource id, the view, the layout of bars and view, command routing,
// accelerators, menu updates, prompts, closing; and the layout of bars through WM_SIZEPARENT.
#include "framework/win/Framework.h"

// ---- layout ------------------------------------------------------------------------------------------

void AfxRepositionWindow(AFX_SIZEPARENTPARAMS* lpLayout, HWND hWnd, LPCRECT lpRect)
{
    if (lpLayout->hDWP == nullptr || hWnd == nullptr)
        return;
    // Only windows that move or change size take part.
    CRect old;
    ::GetWindowRect(hWnd, &old);
    HWND hParent = ::GetParent(hWnd);
    if (hParent != nullptr)
        ::MapWindowPoints(nullptr, hParent, reinterpret_cast<LPPOINT>(&old), 2);
    if (old == CRect(lpRect))
        return;
    lpLayout->hDWP =
        ::DeferWindowPos(lpLayout->hDWP, hWnd, nullptr, lpRect->left, lpRect->top, lpRect->right - lpRect->left,
                         lpRect->bottom - lpRect->top, SWP_NOACTIVATE | SWP_NOZORDER);
}

void CWnd::RepositionBars(UINT nIDFirst, UINT nIDLast, UINT nIDLeftOver, UINT nFlags, LPRECT lpRectParam,
                          LPCRECT lpRectClient, BOOL bStretch)
{
    AFX_SIZEPARENTPARAMS layout = {};
    layout.bStretch = bStretch;
    if (lpRectClient != nullptr)
        layout.rect = *lpRectClient;
    else
        GetClientRect(&layout.rect);
    layout.hDWP = (nFlags & reposQuery) ? nullptr : ::BeginDeferWindowPos(8);

    // Each bar of ours takes its part, in the order of the child windows; the left-over window gets the rest.
    HWND hWndLeftOver = nullptr;
    for (HWND hChild = ::GetTopWindow(m_hWnd); hChild != nullptr; hChild = ::GetWindow(hChild, GW_HWNDNEXT))
    {
        UINT nID = static_cast<UINT>(::GetDlgCtrlID(hChild));
        if (nID == nIDLeftOver)
            hWndLeftOver = hChild;
        else if (nID >= nIDFirst && nID <= nIDLast && FromHandlePermanent(hChild) != nullptr)
            ::SendMessageA(hChild, WM_SIZEPARENT, 0, reinterpret_cast<LPARAM>(&layout));
    }

    if (nFlags & reposQuery)
    {
        if (lpRectParam != nullptr)
            *lpRectParam = bStretch ? layout.rect : CRect(0, 0, layout.sizeTotal.cx, layout.sizeTotal.cy);
        return;
    }
    if (hWndLeftOver != nullptr)
        AfxRepositionWindow(&layout, hWndLeftOver, &layout.rect);
    if (layout.hDWP != nullptr)
        ::EndDeferWindowPos(layout.hDWP);
}

CFrameWnd* CWnd::GetParentFrame() const
{
    for (HWND hWnd = m_hWnd; hWnd != nullptr && (::GetWindowLongA(hWnd, GWL_STYLE) & WS_CHILD);)
    {
        hWnd = ::GetParent(hWnd);
        CWnd* pWnd = FromHandlePermanent(hWnd);
        if (pWnd != nullptr && pWnd->IsKindOf(RUNTIME_CLASS(CFrameWnd)))
            return static_cast<CFrameWnd*>(pWnd);
    }
    return nullptr;
}

CFrameWnd* CWnd::GetTopLevelFrame() const
{
    CFrameWnd* pFrame =
        IsKindOf(RUNTIME_CLASS(CFrameWnd)) ? static_cast<CFrameWnd*>(const_cast<CWnd*>(this)) : GetParentFrame();
    while (pFrame != nullptr)
    {
        CFrameWnd* pOuter = pFrame->GetParentFrame();
        if (pOuter == nullptr)
            break;
        pFrame = pOuter;
    }
    return pFrame;
}

// ---- CFrameWnd ---------------------------------------------------------------------------------------

IMPLEMENT_DYNCREATE(CFrameWnd, CWnd)

BEGIN_MESSAGE_MAP(CFrameWnd, CWnd)
    ON_WM_CREATE()
    ON_WM_NCDESTROY()
    ON_WM_CLOSE()
    ON_WM_SIZE()
    ON_WM_SETFOCUS()
    ON_WM_ERASEBKGND()
    ON_WM_INITMENUPOPUP()
    ON_WM_MENUSELECT()
    ON_MESSAGE(WM_SETMESSAGESTRING, OnSetMessageString)
    ON_MESSAGE(WM_POPMESSAGESTRING, OnPopMessageString)
    ON_MESSAGE(WM_IDLEUPDATECMDUI, OnIdleUpdateCmdUI)
    ON_MESSAGE(WM_RECALCPARENT, OnRecalcParent)
    ON_COMMAND_EX_RANGE(AFX_IDW_CONTROLBAR_FIRST, AFX_IDW_CONTROLBAR_LAST, OnBarCheck)
    ON_UPDATE_COMMAND_UI_RANGE(AFX_IDW_CONTROLBAR_FIRST, AFX_IDW_CONTROLBAR_LAST, OnUpdateControlBarMenu)
    ON_UPDATE_COMMAND_UI_RANGE(ID_INDICATOR_CAPS, ID_INDICATOR_SCRL, OnUpdateKeyIndicator)
    ON_WM_NCACTIVATE()
    ON_WM_ACTIVATE()
END_MESSAGE_MAP()

const CRect CFrameWnd::rectDefault(CW_USEDEFAULT, CW_USEDEFAULT, 0, 0);

CFrameWnd::CFrameWnd() : m_pFloatingFrameClass(RUNTIME_CLASS(CMiniDockFrameWnd))
{
}

CFrameWnd::~CFrameWnd()
{
    // Bars whose windows outlive this object must not reach it.
    for (POSITION pos = m_listControlBars.GetHeadPosition(); pos != nullptr;)
    {
        CControlBar* pBar = m_listControlBars.GetNext(pos);
        if (pBar->m_pDockSite == this)
            pBar->m_pDockSite = nullptr;
    }
    m_listControlBars.RemoveAll();
    if (m_hAccelTable != nullptr)
        ::DestroyAcceleratorTable(m_hAccelTable);
}

void CFrameWnd::PostNcDestroy()
{
    delete this;
}

BOOL CFrameWnd::PreCreateWindow(CREATESTRUCTA& cs)
{
    if (cs.lpszClass == nullptr)
        cs.lpszClass = AfxRegisterWndClass(CS_DBLCLKS, ::LoadCursorA(nullptr, IDC_ARROW),
                                           reinterpret_cast<HBRUSH>(COLOR_WINDOW + 1));
    cs.style &= ~FWS_ADDTOTITLE;
    return cs.lpszClass != nullptr;
}

BOOL CFrameWnd::LoadFrame(UINT nIDResource, DWORD dwDefaultStyle, CWnd* pParentWnd, CCreateContext* pContext)
{
    HINSTANCE hInst = AfxGetResourceHandle();
    LPCSTR name = MAKEINTRESOURCEA(nIDResource);
    m_nIDHelp = nIDResource;
    m_bAddToTitle = (dwDefaultStyle & FWS_ADDTOTITLE) != 0;
    CString full;
    if (AfxLoadString(nIDResource, full))
    {
        int cut = full.Find('\n');
        m_strTitle = cut < 0 ? full : full.Left(cut);
    }
    HICON hIcon = ::LoadIconA(hInst, name);
    LPCSTR lpszClass = AfxRegisterWndClass(CS_DBLCLKS, ::LoadCursorA(nullptr, IDC_ARROW),
                                           reinterpret_cast<HBRUSH>(COLOR_WINDOW + 1), hIcon);
    HMENU hMenu = (dwDefaultStyle & WS_CHILD) ? nullptr : AfxLoadMenu(hInst, name);   // a child has no menu
    // The table before the window: the frame's OnCreate may build on it or replace it.
    m_hAccelTable = AfxLoadAccelerators(hInst, name);
    if (!CreateFrameWindow(lpszClass, dwDefaultStyle & ~FWS_ADDTOTITLE, pParentWnd, hMenu, pContext))
    {
        // The object (with its table) went with the window that never came to be: only the menu remains.
        if (hMenu != nullptr)
            ::DestroyMenu(hMenu);
        return FALSE;
    }
    if (pContext == nullptr)
        SendMessageToDescendants(WM_INITIALUPDATE, 0, 0, TRUE, TRUE);
    return TRUE;
}

BOOL CFrameWnd::CreateFrameWindow(LPCSTR lpszClass, DWORD dwStyle, CWnd* pParentWnd, HMENU hMenu,
                                  CCreateContext* pContext)
{
    return CreateEx(0, lpszClass, m_strTitle, dwStyle, CW_USEDEFAULT, CW_USEDEFAULT, CW_USEDEFAULT, CW_USEDEFAULT,
                    AfxGetSafeHwnd(pParentWnd), hMenu, pContext);
}

int CFrameWnd::OnCreate(LPCREATESTRUCT lpCreateStruct)
{
    return OnCreateHelper(lpCreateStruct, static_cast<CCreateContext*>(lpCreateStruct->lpCreateParams));
}

int CFrameWnd::OnCreateHelper(LPCREATESTRUCT lpCreateStruct, CCreateContext* pContext)
{
    if (CWnd::OnCreate(lpCreateStruct) == -1)
        return -1;
    if (!OnCreateClient(lpCreateStruct, pContext))
        return -1;
    RecalcLayout();
    return 0;
}

BOOL CFrameWnd::OnCreateClient(LPCREATESTRUCT, CCreateContext* pContext)
{
    if (pContext == nullptr || pContext->m_pNewViewClass == nullptr)
        return TRUE;
    return CreateView(pContext, AFX_IDW_PANE_FIRST) != nullptr;
}

CWnd* CFrameWnd::CreateView(CCreateContext* pContext, UINT nID)
{
    CWnd* pView = AfxCreateObjectOf<CWnd>(pContext->m_pNewViewClass);
    if (pView == nullptr ||
        !pView->Create(nullptr, nullptr, WS_CHILD | WS_VISIBLE, CRect(0, 0, 0, 0), this, nID, pContext))
        return nullptr;   // a view that never came to be has deleted itself
    return pView;
}

void CFrameWnd::SetActiveView(CView* pViewNew, BOOL bNotify)
{
    CView* pOld = m_pViewActive;
    if (pOld == pViewNew)
        return;
    m_pViewActive = pViewNew;
    if (bNotify && pOld != nullptr)
        pOld->OnActivateView(FALSE, pViewNew, pOld);
    if (bNotify && pViewNew != nullptr)
        pViewNew->OnActivateView(TRUE, pViewNew, pOld);
}

CDocument* CFrameWnd::GetActiveDocument()
{
    CView* pView = GetActiveView();
    return pView != nullptr ? pView->GetDocument() : nullptr;
}

void CFrameWnd::InitialUpdateFrame(CDocument*, BOOL bMakeVisible)
{
    CView* pView = GetActiveView();
    if (pView == nullptr)
    {
        CWnd* pPane = GetDescendantWindow(AFX_IDW_PANE_FIRST, TRUE);
        if (pPane != nullptr && pPane->IsKindOf(RUNTIME_CLASS(CView)))
        {
            pView = static_cast<CView*>(pPane);
            SetActiveView(pView, FALSE);
        }
    }
    if (bMakeVisible)
        SendMessageToDescendants(WM_INITIALUPDATE, 0, 0, TRUE, TRUE);
    RecalcLayout();
    OnUpdateFrameTitle(TRUE);
    if (bMakeVisible)
    {
        ActivateFrame();
        if (pView != nullptr)
            pView->OnActivateView(TRUE, pView, pView);
    }
}

void CFrameWnd::ActivateFrame(int nCmdShow)
{
    if (nCmdShow == -1)
    {
        nCmdShow = IsIconic() ? SW_RESTORE : SW_SHOW;
        // The application's wish applies to its main window the first time only.
        CWinApp* app = AfxGetApp();
        if (app != nullptr && app->m_pMainWnd == this && app->m_nCmdShow != -1)
        {
            nCmdShow = app->m_nCmdShow;
            app->m_nCmdShow = -1;
        }
    }
    ShowWindow(nCmdShow);
    if (IsWindowVisible())
        BringWindowToTop();
}

void CFrameWnd::RecalcLayout(BOOL)
{
    if (m_bInRecalcLayout || m_hWnd == nullptr)
        return;
    m_bInRecalcLayout = TRUE;
    m_nIdleFlags &= ~idleLayout;
    RepositionBars(0, 0xFFFF, AFX_IDW_PANE_FIRST);
    m_bInRecalcLayout = FALSE;
}

void CFrameWnd::DelayRecalcLayout(BOOL)
{
    m_nIdleFlags |= idleLayout;
}

void CFrameWnd::OnUpdateFrameTitle(BOOL bAddToTitle)
{
    if (m_hWnd == nullptr)
        return;
    CString title = m_strTitle;
    CDocument* pDoc = GetActiveDocument();
    if (bAddToTitle && m_bAddToTitle && pDoc != nullptr)
        title = m_strTitle.IsEmpty() ? pDoc->GetTitle() : pDoc->GetTitle() + " - " + m_strTitle;
    if (AfxGetWindowText(m_hWnd) != title)
        SetWindowText(title);
}

void CFrameWnd::SetTitle(LPCSTR lpszTitle)
{
    m_strTitle = lpszTitle;
    OnUpdateFrameTitle(TRUE);
}

void CFrameWnd::GetMessageString(UINT nID, CString& rMessage) const
{
    rMessage.Empty();
    CString text;
    if (nID != 0 && AfxLoadString(nID, text))
    {
        int cut = text.Find('\n');
        rMessage = cut < 0 ? text : text.Left(cut);
    }
}

CWnd* CFrameWnd::GetMessageBar()
{
    return GetDescendantWindow(AFX_IDW_STATUS_BAR, FALSE);
}

void CFrameWnd::SetMessageText(LPCSTR lpszText)
{
    SendMessage(WM_SETMESSAGESTRING, 0, reinterpret_cast<LPARAM>(lpszText));
}

void CFrameWnd::SetMessageText(UINT nID)
{
    SendMessage(WM_SETMESSAGESTRING, nID);
}

LRESULT CFrameWnd::OnSetMessageString(WPARAM wParam, LPARAM lParam)
{
    UINT nIDLast = m_nIDLastMessage;
    m_nIDLastMessage = static_cast<UINT>(wParam);
    if (CWnd* pBar = GetMessageBar())
    {
        CString text;
        if (lParam != 0)
            text = reinterpret_cast<LPCSTR>(lParam);
        else
            GetMessageString(static_cast<UINT>(wParam), text);
        if (AfxGetWindowText(pBar->m_hWnd) != text)
            pBar->SetWindowText(text);
    }
    return nIDLast;
}

LRESULT CFrameWnd::OnPopMessageString(WPARAM wParam, LPARAM lParam)
{
    return OnSetMessageString(wParam, lParam);
}

LRESULT CFrameWnd::OnIdleUpdateCmdUI(WPARAM, LPARAM)
{
    UINT flags = m_nIdleFlags;
    m_nIdleFlags = 0;
    if (flags & idleLayout)
        RecalcLayout();
    if (flags & idleTitle)
        OnUpdateFrameTitle(TRUE);
    return 0;
}

LRESULT CFrameWnd::OnRecalcParent(WPARAM, LPARAM)
{
    RecalcLayout();
    return 0;
}

// ---- bars --------------------------------------------------------------------------------------------

CControlBar* CFrameWnd::GetControlBar(UINT nID)
{
    for (POSITION pos = m_listControlBars.GetHeadPosition(); pos != nullptr;)
    {
        CControlBar* pBar = m_listControlBars.GetNext(pos);
        if (pBar->m_hWnd != nullptr && static_cast<UINT>(pBar->GetDlgCtrlID()) == nID)
            return pBar;
    }
    return nullptr;
}

void CFrameWnd::ShowControlBar(CControlBar* pBar, BOOL bShow, BOOL bDelay)
{
    if (pBar == nullptr)
        return;
    pBar->DelayShow(bShow);   // the layout applies it
    if (pBar->IsFloating())
    {
        // Its floating frame shows or hides with it, at once.
        pBar->GetParentFrame()->RecalcLayout();
        return;
    }
    if (bDelay)
        DelayRecalcLayout();
    else
        RecalcLayout();
}

void CFrameWnd::AddControlBar(CControlBar* pBar)
{
    if (pBar != nullptr && m_listControlBars.Find(pBar) == nullptr)
        m_listControlBars.AddTail(pBar);
}

void CFrameWnd::RemoveControlBar(CControlBar* pBar)
{
    POSITION pos = m_listControlBars.Find(pBar);
    if (pos != nullptr)
        m_listControlBars.RemoveAt(pos);
}

BOOL CFrameWnd::OnBarCheck(UINT nID)
{
    CControlBar* pBar = GetControlBar(nID);
    if (pBar == nullptr)
        return FALSE;
    ShowControlBar(pBar, !pBar->IsVisible(), FALSE);
    return TRUE;
}

void CFrameWnd::OnUpdateKeyIndicator(CCmdUI* pCmdUI)
{
    static const int keys[] = {VK_CAPITAL, VK_NUMLOCK, VK_SCROLL};
    pCmdUI->Enable((::GetKeyState(keys[pCmdUI->m_nID - ID_INDICATOR_CAPS]) & 1) != 0);
}

void CFrameWnd::OnUpdateControlBarMenu(CCmdUI* pCmdUI)
{
    CControlBar* pBar = GetControlBar(pCmdUI->m_nID);
    if (pBar == nullptr)
    {
        pCmdUI->ContinueRouting();
        return;
    }
    pCmdUI->SetCheck(pBar->IsVisible() ? 1 : 0);
}

// ---- commands, keys, menus ---------------------------------------------------------------------------

BOOL CFrameWnd::OnCmdMsg(UINT nID, int nCode, void* pExtra, AFX_CMDHANDLERINFO* pHandlerInfo)
{
    // The active view (with its document and template), the frame, the application.
    CView* pView = GetActiveView();
    if (pView != nullptr && pView->OnCmdMsg(nID, nCode, pExtra, pHandlerInfo))
        return TRUE;
    if (CWnd::OnCmdMsg(nID, nCode, pExtra, pHandlerInfo))
        return TRUE;
    if (GetParentFrame() != nullptr)
        return FALSE;   // a frame within a frame: the outer frame goes on with the route
    CWinApp* app = AfxGetApp();
    return app != nullptr && app->OnCmdMsg(nID, nCode, pExtra, pHandlerInfo);
}

BOOL CFrameWnd::PreTranslateMessage(MSG* pMsg)
{
    if (pMsg->message >= WM_KEYFIRST && pMsg->message <= WM_KEYLAST && m_hAccelTable != nullptr &&
        ::TranslateAcceleratorA(m_hWnd, m_hAccelTable, pMsg))
        return TRUE;
    return CWnd::PreTranslateMessage(pMsg);
}

void CFrameWnd::OnInitMenuPopup(CMenu* pPopupMenu, UINT nIndex, BOOL bSysMenu)
{
    CWnd::OnInitMenuPopup(pPopupMenu, nIndex, bSysMenu);
    if (!bSysMenu)
        AfxUpdateMenuCmdUI(this, pPopupMenu, m_bAutoMenuEnable);
}

void CFrameWnd::OnMenuSelect(UINT nItemID, UINT nFlags, HMENU hSysMenu)
{
    if (nFlags == 0xFFFF && hSysMenu == nullptr)
        m_nIDTracking = AFX_IDS_IDLEMESSAGE;   // the menu closed
    else if (nFlags & (MF_SEPARATOR | MF_POPUP))
        m_nIDTracking = 0;
    else
        m_nIDTracking = nItemID;
    if (m_nIDTracking != m_nIDLastMessage)
        SendMessage(WM_SETMESSAGESTRING, m_nIDTracking);
}

// ---- size, focus, closing ----------------------------------------------------------------------------

void CFrameWnd::OnSize(UINT nType, int cx, int cy)
{
    CWnd::OnSize(nType, cx, cy);
    if (nType != SIZE_MINIMIZED)
        RecalcLayout();
}

BOOL CFrameWnd::OnNcActivate(BOOL bActive)
{
    if (m_nFlags & WF_STAYACTIVE)
        bActive = TRUE;
    return static_cast<BOOL>(DefWindowProc(WM_NCACTIVATE, bActive, GetCurrentMessage()->lParam));
}

void CFrameWnd::OnActivate(UINT nState, CWnd* pWndOther, BOOL bMinimized)
{
    CWnd::OnActivate(nState, pWndOther, bMinimized);
    // Handing the activation to one of our floating frames keeps our active look; any other change ends it.
    BOOL bStay = FALSE;
    if (nState == WA_INACTIVE && pWndOther != nullptr && ::GetWindow(pWndOther->m_hWnd, GW_OWNER) == m_hWnd)
    {
        CWnd* pOther = FromHandlePermanent(pWndOther->m_hWnd);
        bStay = pOther != nullptr && pOther->IsKindOf(RUNTIME_CLASS(CMiniFrameWnd)) &&
                (pOther->GetStyle() & MFS_SYNCACTIVE) != 0;
    }
    if (bStay == ((m_nFlags & WF_STAYACTIVE) != 0))
        return;
    if (bStay)
        m_nFlags |= WF_STAYACTIVE;
    else
        m_nFlags &= ~WF_STAYACTIVE;
    SendMessage(WM_NCACTIVATE, bStay || nState != WA_INACTIVE);
}

void CFrameWnd::OnSetFocus(CWnd* pOldWnd)
{
    if (m_pViewActive != nullptr && m_pViewActive->m_hWnd != nullptr)
        m_pViewActive->SetFocus();
    else
        CWnd::OnSetFocus(pOldWnd);
}

BOOL CFrameWnd::OnEraseBkgnd(CDC* pDC)
{
    // The view covers the client area.
    if (m_pViewActive != nullptr)
        return TRUE;
    return CWnd::OnEraseBkgnd(pDC);
}

void CFrameWnd::OnClose()
{
    CDocument* pDocument = GetActiveDocument();
    if (pDocument != nullptr && !pDocument->CanCloseFrame(this))
        return;   // the user keeps it
    HWND hWnd = m_hWnd;
    CWinApp* app = AfxGetApp();
    if (app != nullptr && app->m_pMainWnd == this)
    {
        // The main frame ends the program: the other documents are asked too, then all of them close.
        if (pDocument == nullptr && !app->SaveAllModified())
            return;
        app->CloseAllDocuments(FALSE);
    }
    else if (pDocument != nullptr && pDocument->m_bAutoDelete)
    {
        pDocument->PreCloseFrame(this);
        pDocument->OnCloseDocument();
    }
    if (::IsWindow(hWnd))   // unless the documents took this frame with them
        DestroyWindow();
}

void CFrameWnd::OnNcDestroy()
{
    // The end of the main frame is the end of the program's message loop.
    CWinApp* app = AfxGetApp();
    if (app != nullptr && app->m_pMainWnd == this)
        ::PostQuitMessage(0);
    CWnd::OnNcDestroy();
}
