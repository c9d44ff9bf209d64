// MDI frames and their children.
#include "framework/win/Framework.h"

// ---- CMDIFrameWnd ------------------------------------------------------------------------------------

IMPLEMENT_DYNCREATE(CMDIFrameWnd, CFrameWnd)

BEGIN_MESSAGE_MAP(CMDIFrameWnd, CFrameWnd)
    ON_COMMAND_EX_RANGE(ID_WINDOW_ARRANGE, ID_WINDOW_TILE_VERT, OnMDIWindowCmd)
    ON_UPDATE_COMMAND_UI_RANGE(ID_WINDOW_ARRANGE, ID_WINDOW_TILE_VERT, OnUpdateMDIWindowCmd)
    ON_WM_SIZE()
    ON_WM_DESTROY()
END_MESSAGE_MAP()

CMDIFrameWnd::CMDIFrameWnd() = default;

void CMDIFrameWnd::OnDestroy()
{
    // The children go first, through the client, while it still keeps its list of them: Wine's client frees
    // that list at its own WM_DESTROY, and a child that goes after it reads the freed memory.
    if (m_hWndMDIClient != nullptr)
    {
        while (HWND hChild = ::GetWindow(m_hWndMDIClient, GW_CHILD))
        {
            ::SendMessageA(m_hWndMDIClient, WM_MDIDESTROY, reinterpret_cast<WPARAM>(hChild), 0);
            if (::IsWindow(hChild))
                break;   // not one the client made: it goes with the client
        }
    }
    CFrameWnd::OnDestroy();
}

BOOL CMDIFrameWnd::OnCreateClient(LPCREATESTRUCT lpcs, CCreateContext*)
{
    return CreateClient(lpcs, GetWindowMenuPopup(lpcs->hMenu));
}

BOOL CMDIFrameWnd::CreateClient(LPCREATESTRUCT, HMENU hWindowMenu)
{
    CLIENTCREATESTRUCT ccs = {};
    ccs.hWindowMenu = hWindowMenu;
    ccs.idFirstChild = AFX_IDM_FIRST_MDICHILD;
    m_hWndMDIClient = ::CreateWindowExA(
        WS_EX_CLIENTEDGE, "MDICLIENT", nullptr,
        WS_CHILD | WS_VISIBLE | WS_CLIPCHILDREN | WS_CLIPSIBLINGS | WS_VSCROLL | WS_HSCROLL | MDIS_ALLCHILDSTYLES,
        0, 0, 0, 0, m_hWnd, reinterpret_cast<HMENU>(AFX_IDW_PANE_FIRST), AfxGetInstanceHandle(), &ccs);
    return m_hWndMDIClient != nullptr;
}

HMENU CMDIFrameWnd::GetWindowMenuPopup(HMENU hMenuBar)
{
    if (hMenuBar == nullptr || !::IsMenu(hMenuBar))
        return nullptr;
    int count = ::GetMenuItemCount(hMenuBar);
    for (int i = 0; i < count; ++i)
    {
        HMENU hPopup = ::GetSubMenu(hMenuBar, i);
        int items = hPopup != nullptr ? ::GetMenuItemCount(hPopup) : 0;
        for (int j = 0; j < items; ++j)
        {
            UINT nID = ::GetMenuItemID(hPopup, j);
            if (nID >= AFX_IDM_WINDOW_FIRST && nID <= AFX_IDM_WINDOW_LAST)
                return hPopup;
        }
    }
    return nullptr;
}

CMDIChildWnd* CMDIFrameWnd::MDIGetActive(BOOL* pbMaximized) const
{
    BOOL bMaximized = FALSE;
    HWND hWnd = m_hWndMDIClient != nullptr
                    ? reinterpret_cast<HWND>(::SendMessageA(m_hWndMDIClient, WM_MDIGETACTIVE, 0,
                                                            reinterpret_cast<LPARAM>(&bMaximized)))
                    : nullptr;
    CWnd* pWnd = FromHandlePermanent(hWnd);
    CMDIChildWnd* pChild = pWnd != nullptr && pWnd->IsKindOf(RUNTIME_CLASS(CMDIChildWnd))
                               ? static_cast<CMDIChildWnd*>(pWnd)
                               : nullptr;
    if (pbMaximized != nullptr)
        *pbMaximized = pChild != nullptr && bMaximized;
    return pChild;
}

void CMDIFrameWnd::MDIActivate(CWnd* pWndActivate)
{
    ::SendMessageA(m_hWndMDIClient, WM_MDIACTIVATE, reinterpret_cast<WPARAM>(AfxGetSafeHwnd(pWndActivate)), 0);
}

void CMDIFrameWnd::MDIMaximize(CWnd* pWnd)
{
    ::SendMessageA(m_hWndMDIClient, WM_MDIMAXIMIZE, reinterpret_cast<WPARAM>(AfxGetSafeHwnd(pWnd)), 0);
}

void CMDIFrameWnd::MDIRestore(CWnd* pWnd)
{
    ::SendMessageA(m_hWndMDIClient, WM_MDIRESTORE, reinterpret_cast<WPARAM>(AfxGetSafeHwnd(pWnd)), 0);
}

void CMDIFrameWnd::MDINext()
{
    ::SendMessageA(m_hWndMDIClient, WM_MDINEXT, 0, 0);
}

void CMDIFrameWnd::MDICascade()
{
    ::SendMessageA(m_hWndMDIClient, WM_MDICASCADE, 0, 0);
}

void CMDIFrameWnd::MDITile(int nType)
{
    ::SendMessageA(m_hWndMDIClient, WM_MDITILE, static_cast<WPARAM>(nType), 0);
}

void CMDIFrameWnd::MDIIconArrange()
{
    ::SendMessageA(m_hWndMDIClient, WM_MDIICONARRANGE, 0, 0);
}

HMENU CMDIFrameWnd::MDISetMenu(HMENU hFrameMenu, HMENU hWindowMenu)
{
    HMENU hOld = reinterpret_cast<HMENU>(::SendMessageA(m_hWndMDIClient, WM_MDISETMENU,
                                                        reinterpret_cast<WPARAM>(hFrameMenu),
                                                        reinterpret_cast<LPARAM>(hWindowMenu)));
    ::DrawMenuBar(m_hWnd);
    return hOld;
}

CFrameWnd* CMDIFrameWnd::GetActiveFrame()
{
    CMDIChildWnd* pChild = MDIGetActive();
    return pChild != nullptr ? static_cast<CFrameWnd*>(pChild) : this;
}

CDocument* CMDIFrameWnd::GetActiveDocument()
{
    CMDIChildWnd* pChild = MDIGetActive();
    return pChild != nullptr ? pChild->GetActiveDocument() : CFrameWnd::GetActiveDocument();
}

void CMDIFrameWnd::OnUpdateFrameTitle(BOOL bAddToTitle)
{
    if (m_hWnd == nullptr)
        return;
    BOOL bMaximized = FALSE;
    CMDIChildWnd* pChild = MDIGetActive(&bMaximized);
    CDocument* pDoc = pChild != nullptr ? pChild->GetActiveDocument() : nullptr;
    CString title = m_strTitle;
    if (bAddToTitle && m_bAddToTitle && pDoc != nullptr && !bMaximized)
        title = m_strTitle.IsEmpty() ? pDoc->GetTitle() : m_strTitle + " - " + pDoc->GetTitle();
    if (AfxGetWindowText(m_hWnd) != title)
        SetWindowText(title);
}

BOOL CMDIFrameWnd::OnCmdMsg(UINT nID, int nCode, void* pExtra, AFX_CMDHANDLERINFO* pHandlerInfo)
{
    CMDIChildWnd* pChild = MDIGetActive();
    if (pChild != nullptr && pChild->OnCmdMsg(nID, nCode, pExtra, pHandlerInfo))
        return TRUE;
    return CFrameWnd::OnCmdMsg(nID, nCode, pExtra, pHandlerInfo);
}

BOOL CMDIFrameWnd::PreTranslateMessage(MSG* pMsg)
{
    // The system's child keys (Ctrl+F4, Ctrl+F6) before the frame's accelerators.
    if (pMsg->message >= WM_KEYFIRST && pMsg->message <= WM_KEYLAST && m_hWndMDIClient != nullptr &&
        ::TranslateMDISysAccel(m_hWndMDIClient, pMsg))
        return TRUE;
    return CFrameWnd::PreTranslateMessage(pMsg);
}

LRESULT CMDIFrameWnd::DefWindowProc(UINT message, WPARAM wParam, LPARAM lParam)
{
    return ::DefFrameProcA(m_hWnd, m_hWndMDIClient, message, wParam, lParam);
}

BOOL CMDIFrameWnd::OnMDIWindowCmd(UINT nID)
{
    switch (nID)
    {
    case ID_WINDOW_ARRANGE: MDIIconArrange(); return TRUE;
    case ID_WINDOW_CASCADE: MDICascade(); return TRUE;
    case ID_WINDOW_TILE_HORZ: MDITile(MDITILE_HORIZONTAL); return TRUE;
    case ID_WINDOW_TILE_VERT: MDITile(MDITILE_VERTICAL); return TRUE;
    default: return FALSE;
    }
}

void CMDIFrameWnd::OnUpdateMDIWindowCmd(CCmdUI* pCmdUI)
{
    pCmdUI->Enable(MDIGetActive() != nullptr);
}

void CMDIFrameWnd::OnSize(UINT nType, int, int)
{
    // The layout places the client (the system's frame procedure would give it the whole client area).
    if (nType != SIZE_MINIMIZED)
        RecalcLayout();
}

// ---- CMDIChildWnd ------------------------------------------------------------------------------------

IMPLEMENT_DYNCREATE(CMDIChildWnd, CFrameWnd)

BEGIN_MESSAGE_MAP(CMDIChildWnd, CFrameWnd)
    ON_WM_CREATE()
    ON_WM_MDIACTIVATE()
    ON_WM_SIZE()
END_MESSAGE_MAP()

CMDIChildWnd::CMDIChildWnd() = default;

BOOL CMDIChildWnd::PreCreateWindow(CREATESTRUCTA& cs)
{
    cs.style |= WS_CHILD;
    return CFrameWnd::PreCreateWindow(cs);
}

BOOL CMDIChildWnd::Create(LPCSTR lpszClassName, LPCSTR lpszWindowName, DWORD dwStyle, const RECT& rect,
                          CMDIFrameWnd* pParentWnd, CCreateContext* pContext)
{
    if (m_hWnd != nullptr)
        return FALSE;
    if (pParentWnd == nullptr)
    {
        CWnd* pMain = AfxGetMainWnd();
        if (pMain != nullptr && pMain->IsKindOf(RUNTIME_CLASS(CMDIFrameWnd)))
            pParentWnd = static_cast<CMDIFrameWnd*>(pMain);
    }
    CREATESTRUCTA cs = {};
    cs.lpszClass = lpszClassName;
    cs.lpszName = lpszWindowName;
    cs.style = static_cast<LONG>(dwStyle);
    bool defaultPlace = CRect(rect) == rectDefault;
    cs.x = defaultPlace ? CW_USEDEFAULT : rect.left;
    cs.y = defaultPlace ? CW_USEDEFAULT : rect.top;
    cs.cx = defaultPlace ? CW_USEDEFAULT : rect.right - rect.left;
    cs.cy = defaultPlace ? CW_USEDEFAULT : rect.bottom - rect.top;
    cs.hInstance = AfxGetInstanceHandle();
    if (pParentWnd == nullptr || pParentWnd->m_hWndMDIClient == nullptr || !PreCreateWindow(cs))
    {
        PostNcDestroy();   // as a failed creation: the object goes
        return FALSE;
    }
    if (m_strTitle.IsEmpty() && lpszWindowName != nullptr)
        m_strTitle = lpszWindowName;
    MDICREATESTRUCTA mcs = {};
    mcs.szClass = cs.lpszClass;
    mcs.szTitle = cs.lpszName;
    mcs.hOwner = cs.hInstance;
    mcs.x = cs.x;
    mcs.y = cs.y;
    mcs.cx = cs.cx;
    mcs.cy = cs.cy;
    mcs.style = static_cast<DWORD>(cs.style) & ~FWS_ADDTOTITLE;
    mcs.lParam = reinterpret_cast<LPARAM>(pContext);
    AfxHookWindowCreate(this);
    HWND hWnd = reinterpret_cast<HWND>(
        ::SendMessageA(pParentWnd->m_hWndMDIClient, WM_MDICREATE, 0, reinterpret_cast<LPARAM>(&mcs)));
    return EndHookedCreate(hWnd);
}

BOOL CMDIChildWnd::LoadFrame(UINT nIDResource, DWORD dwDefaultStyle, CWnd* pParentWnd, CCreateContext* pContext)
{
    return CFrameWnd::LoadFrame(nIDResource, dwDefaultStyle | WS_CHILD, pParentWnd, pContext);
}

BOOL CMDIChildWnd::CreateFrameWindow(LPCSTR lpszClass, DWORD dwStyle, CWnd* pParentWnd, HMENU,
                                     CCreateContext* pContext)
{
    CMDIFrameWnd* pFrame = pParentWnd != nullptr && pParentWnd->IsKindOf(RUNTIME_CLASS(CMDIFrameWnd))
                               ? static_cast<CMDIFrameWnd*>(pParentWnd)
                               : nullptr;
    return Create(lpszClass, m_strTitle, dwStyle, rectDefault, pFrame, pContext);
}

int CMDIChildWnd::OnCreate(LPCREATESTRUCT lpCreateStruct)
{
    // A child of the client is made with the client's creation record, which carries the context.
    const MDICREATESTRUCTA* mcs = static_cast<const MDICREATESTRUCTA*>(lpCreateStruct->lpCreateParams);
    return OnCreateHelper(lpCreateStruct,
                          mcs != nullptr ? reinterpret_cast<CCreateContext*>(mcs->lParam) : nullptr);
}

CMDIFrameWnd* CMDIChildWnd::GetMDIFrame() const
{
    if (m_hWnd == nullptr)
        return nullptr;
    CWnd* pFrame = FromHandlePermanent(::GetParent(::GetParent(m_hWnd)));
    return pFrame != nullptr && pFrame->IsKindOf(RUNTIME_CLASS(CMDIFrameWnd)) ? static_cast<CMDIFrameWnd*>(pFrame)
                                                                              : nullptr;
}

void CMDIChildWnd::MDIActivate()
{
    if (CMDIFrameWnd* pFrame = GetMDIFrame())
        pFrame->MDIActivate(this);
}

void CMDIChildWnd::MDIMaximize()
{
    if (CMDIFrameWnd* pFrame = GetMDIFrame())
        pFrame->MDIMaximize(this);
}

void CMDIChildWnd::MDIRestore()
{
    if (CMDIFrameWnd* pFrame = GetMDIFrame())
        pFrame->MDIRestore(this);
}

void CMDIChildWnd::MDIDestroy()
{
    if (CMDIFrameWnd* pFrame = GetMDIFrame())
        ::SendMessageA(pFrame->m_hWndMDIClient, WM_MDIDESTROY, reinterpret_cast<WPARAM>(m_hWnd), 0);
}

BOOL CMDIChildWnd::DestroyWindow()
{
    if (m_hWnd == nullptr || GetMDIFrame() == nullptr)
        return CFrameWnd::DestroyWindow();
    MDIDestroy();   // the object is gone afterwards
    return TRUE;
}

void CMDIChildWnd::ActivateFrame(int nCmdShow)
{
    CMDIFrameWnd* pFrame = GetMDIFrame();
    if (pFrame == nullptr)
    {
        CFrameWnd::ActivateFrame(nCmdShow);
        return;
    }
    if (nCmdShow == -1)
        nCmdShow = IsIconic() ? SW_RESTORE : SW_SHOW;
    if (!IsWindowVisible() || IsIconic())
        ShowWindow(nCmdShow);
    pFrame->MDIActivate(this);
}

void CMDIChildWnd::OnUpdateFrameTitle(BOOL bAddToTitle)
{
    if (m_hWnd == nullptr)
        return;
    CDocument* pDoc = GetActiveDocument();
    CString title = bAddToTitle && pDoc != nullptr ? pDoc->GetTitle() : m_strTitle;
    if (!title.IsEmpty() && AfxGetWindowText(m_hWnd) != title)
        SetWindowText(title);
    if (CMDIFrameWnd* pFrame = GetMDIFrame())
        pFrame->OnUpdateFrameTitle(bAddToTitle);
}

void CMDIChildWnd::OnSize(UINT nType, int cx, int cy)
{
    CFrameWnd::OnSize(nType, cx, cy);
    // Maximised or restored now (the system has taken note): the frame's title leaves the document's name to
    // the system's bracket while the child is maximised, and names it again once it is not.
    if (nType == SIZE_MAXIMIZED || nType == SIZE_RESTORED)
    {
        if (CMDIFrameWnd* pFrame = GetMDIFrame())
            pFrame->OnUpdateFrameTitle(TRUE);
    }
}

LRESULT CMDIChildWnd::DefWindowProc(UINT message, WPARAM wParam, LPARAM lParam)
{
    return ::DefMDIChildProcA(m_hWnd, message, wParam, lParam);
}

void CMDIChildWnd::OnMDIActivate(BOOL, CWnd*, CWnd*)
{
    Default();
    if (CMDIFrameWnd* pFrame = GetMDIFrame())
        pFrame->OnUpdateFrameTitle(TRUE);
}
