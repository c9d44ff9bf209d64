// MDI frames.
//
// CMDIFrameWnd holds the system's MDI client window (m_hWndMDIClient: the frame's pane AFX_IDW_PANE_FIRST,
// laid out with the bars) in which CMDIChildWnd frames live. The client lists the children in the frame's
// window menu (the pop-up of its menu that holds one of the commands AFX_IDM_WINDOW_FIRST ... LAST) with
// the ids from AFX_IDM_FIRST_MDICHILD on; choosing one activates it. ID_WINDOW_CASCADE, _TILE_HORZ, _TILE_VERT
// and _ARRANGE arrange the children. Commands go to the active child first (its view, document and template,
// the child itself), then to the MDI frame and the application. The frame's title names the active child's
// document (the system adds the child's title while a child is maximised).
//
// A CMDIChildWnd is a frame made by the MDI client (Create, or LoadFrame for its title, icon and
// accelerators); it has no menu of its own, is destroyed through the client and deletes itself like any frame.
#pragma once

#include "framework/win/Frame.h"

class CMDIChildWnd;

class CMDIFrameWnd : public CFrameWnd
{
    DECLARE_DYNCREATE(CMDIFrameWnd)
public:
    CMDIFrameWnd();

    // The MDI client, with the window menu of the frame's menu.
    BOOL OnCreateClient(LPCREATESTRUCT lpcs, CCreateContext* pContext) override;
    // The MDI client listing the children in hWindowMenu (null: nowhere).
    virtual BOOL CreateClient(LPCREATESTRUCT lpCreateStruct, HMENU hWindowMenu);
    // The pop-up of the menu bar that holds a window command (null when none).
    virtual HMENU GetWindowMenuPopup(HMENU hMenuBar);

    // The active child (null when none, or not one of ours); *pbMaximized: it is maximised.
    CMDIChildWnd* MDIGetActive(BOOL* pbMaximized = nullptr) const;
    void MDIActivate(CWnd* pWndActivate);
    void MDIMaximize(CWnd* pWnd);
    void MDIRestore(CWnd* pWnd);
    void MDINext();
    void MDICascade();
    void MDITile(int nType);   // MDITILE_HORIZONTAL or MDITILE_VERTICAL
    void MDIIconArrange();
    // Gives the frame another menu and window menu (the client moves its list there); the old menu back.
    HMENU MDISetMenu(HMENU hFrameMenu, HMENU hWindowMenu);

    CFrameWnd* GetActiveFrame() override;
    CDocument* GetActiveDocument() override;
    void OnUpdateFrameTitle(BOOL bAddToTitle) override;
    BOOL OnCmdMsg(UINT nID, int nCode, void* pExtra, AFX_CMDHANDLERINFO* pHandlerInfo) override;
    BOOL PreTranslateMessage(MSG* pMsg) override;
    // Unhandled messages go to the system's frame procedure (child activation from the window menu, the
    // maximised child's system commands).
    LRESULT DefWindowProc(UINT message, WPARAM wParam, LPARAM lParam) override;

    HWND m_hWndMDIClient = nullptr;

protected:
    afx_msg BOOL OnMDIWindowCmd(UINT nID);
    afx_msg void OnUpdateMDIWindowCmd(CCmdUI* pCmdUI);
    afx_msg void OnSize(UINT nType, int cx, int cy);
    // Destroys the children before the client goes.
    afx_msg void OnDestroy();

    DECLARE_MESSAGE_MAP()
};

class CMDIChildWnd : public CFrameWnd
{
    DECLARE_DYNCREATE(CMDIChildWnd)
public:
    CMDIChildWnd();

    // A child of pParentWnd's client (null: the application's main window); the context names its view.
    // FALSE when it cannot be made (the object is gone then).
    virtual BOOL Create(LPCSTR lpszClassName, LPCSTR lpszWindowName,
                        DWORD dwStyle = WS_CHILD | WS_VISIBLE | WS_OVERLAPPEDWINDOW,
                        const RECT& rect = rectDefault, CMDIFrameWnd* pParentWnd = nullptr,
                        CCreateContext* pContext = nullptr);
    BOOL LoadFrame(UINT nIDResource,
                   DWORD dwDefaultStyle = WS_CHILD | WS_VISIBLE | WS_OVERLAPPEDWINDOW | FWS_ADDTOTITLE,
                   CWnd* pParentWnd = nullptr, CCreateContext* pContext = nullptr) override;

    CMDIFrameWnd* GetMDIFrame() const;
    void MDIActivate();
    void MDIMaximize();
    void MDIRestore();
    void MDIDestroy();

    // Through the client, as the client's children must go.
    BOOL DestroyWindow() override;
    // Shows the child and makes it the active one.
    void ActivateFrame(int nCmdShow = -1) override;
    // The child's title is its document's; the MDI frame's title follows.
    void OnUpdateFrameTitle(BOOL bAddToTitle) override;
    BOOL PreCreateWindow(CREATESTRUCTA& cs) override;
    LRESULT DefWindowProc(UINT message, WPARAM wParam, LPARAM lParam) override;

protected:
    BOOL CreateFrameWindow(LPCSTR lpszClass, DWORD dwStyle, CWnd* pParentWnd, HMENU hMenu,
                           CCreateContext* pContext) override;

    afx_msg int OnCreate(LPCREATESTRUCT lpCreateStruct);
    afx_msg void OnMDIActivate(BOOL bActivate, CWnd* pActivateWnd, CWnd* pDeactivateWnd);
    // Maximised or restored: the frame's title follows.
    afx_msg void OnSize(UINT nType, int cx, int cy);

    DECLARE_MESSAGE_MAP()
};
