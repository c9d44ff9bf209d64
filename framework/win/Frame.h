// CFrameWnd: the top-level window that holds a document's view and its control bars.
//
// LoadFrame takes the frame's menu, accelerators, icon and title from one resource id. The view is created
// in OnCreateClient as the child AFX_IDW_PANE_FIRST. RecalcLayout lays the bars out with WM_SIZEPARENT (each
// bar takes its side of the remaining area, in the order of the child windows) and gives the rest to the
// view. Keys go through the accelerators in PreTranslateMessage; each pop-up menu is updated by the command
// handlers (WM_INITMENUPOPUP); idle time updates the bars and a delayed layout or title. The frame keeps the
// list of its bars, shows and hides them (also through the bar-toggle commands, the bars' own ids) and
// shows the prompt of the command being pointed at (WM_SETMESSAGESTRING) in its message bar, the child
// AFX_IDW_STATUS_BAR when it has one.
//
// Docking: EnableDocking puts a dock bar along each side named; DockControlBar moves a bar into one of them
// (rows of bars, see CDockBar), FloatControlBar into a floating frame of its own (m_pFloatingFrameClass, a
// CMiniDockFrameWnd owned by this frame). The whole arrangement is read and applied as a dock state
// (GetDockState, SetDockState) and kept in the profile (SaveBarState, LoadBarState). A frame keeps its active
// look while one of its floating frames is active (WF_STAYACTIVE).
//
// Commands go to the active view first (then its document and template), then to the frame itself, then to
// the application (asked by the outermost frame only). Closing asks the document (CanCloseFrame: the save
// question); closing the main frame ends the program's message loop. Frames delete themselves when their
// window goes.
#pragma once

#include "framework/win/FrameworkIds.h"
#include "framework/win/View.h"

class CControlBar;
class CDockBar;
class CDockState;
class CMiniDockFrameWnd;

// Frame style kept by the frame (not by the window): the title shows the document's title.
#define FWS_ADDTOTITLE 0x00008000L

// What a bar receives with WM_SIZEPARENT: the area still free, and the moves to make.
struct AFX_SIZEPARENTPARAMS
{
    HDWP hDWP;        // null: only a query, nothing moves
    RECT rect;        // the area still free; each bar takes its part from it
    SIZE sizeTotal;   // the space the bars took
    BOOL bStretch;    // bars stretch across the whole side
};

// Moves a window to lpRect (parent coordinates) within the layout's deferred moves, when it is elsewhere.
void AfxRepositionWindow(AFX_SIZEPARENTPARAMS* lpLayout, HWND hWnd, LPCRECT lpRect);

class CFrameWnd : public CWnd
{
    DECLARE_DYNCREATE(CFrameWnd)
public:
    static const CRect rectDefault;   // the system's default position and size

    CFrameWnd();
    ~CFrameWnd() override;

    // Creates the frame with the menu, accelerators, icon and title (the first part of the string) of
    // nIDResource; the context names the view and document to create. FALSE when the window cannot be made
    // (the object is gone then).
    virtual BOOL LoadFrame(UINT nIDResource, DWORD dwDefaultStyle = WS_OVERLAPPEDWINDOW | FWS_ADDTOTITLE,
                           CWnd* pParentWnd = nullptr, CCreateContext* pContext = nullptr);
    // Base: the context's view as AFX_IDW_PANE_FIRST.
    virtual BOOL OnCreateClient(LPCREATESTRUCT lpcs, CCreateContext* pContext);
    CWnd* CreateView(CCreateContext* pContext, UINT nID = AFX_IDW_PANE_FIRST);

    virtual CView* GetActiveView() const { return m_pViewActive; }
    // The frame whose view is active: this one (an MDI frame answers its active child).
    virtual CFrameWnd* GetActiveFrame() { return this; }
    virtual void SetActiveView(CView* pViewNew, BOOL bNotify = TRUE);
    virtual CDocument* GetActiveDocument();
    // After a document was made or opened: the first view becomes active, every view gets
    // WM_INITIALUPDATE, and the frame is laid out, titled and (bMakeVisible) shown.
    void InitialUpdateFrame(CDocument* pDoc, BOOL bMakeVisible);
    // Shows the frame (nCmdShow -1: as the application asks the first time, else normally) in front.
    virtual void ActivateFrame(int nCmdShow = -1);

    virtual void RecalcLayout(BOOL bNotify = TRUE);
    void DelayRecalcLayout(BOOL bNotify = TRUE);   // at the next idle time
    // In the middle of RecalcLayout (a bar that changes size then asks again with WM_RECALCPARENT).
    BOOL IsInRecalcLayout() const { return m_bInRecalcLayout; }
    virtual void OnUpdateFrameTitle(BOOL bAddToTitle);
    void SetTitle(LPCSTR lpszTitle);
    CString GetTitle() const { return m_strTitle; }

    // The prompt of a command: the first part (before '\n') of its string resource.
    virtual void GetMessageString(UINT nID, CString& rMessage) const;
    void SetMessageText(LPCSTR lpszText);
    void SetMessageText(UINT nID);
    virtual CWnd* GetMessageBar();   // the child AFX_IDW_STATUS_BAR, or null

    // ---- control bars ----
    CControlBar* GetControlBar(UINT nID);
    void ShowControlBar(CControlBar* pBar, BOOL bShow, BOOL bDelay);
    void AddControlBar(CControlBar* pBar);
    void RemoveControlBar(CControlBar* pBar);

    // ---- docking ----
    // Makes the dock bars of the sides named (CBRS_ALIGN_ bits; the others stay as they are). The dock bars
    // are laid out in the order they were made: top, bottom, left, right.
    void EnableDocking(DWORD dwDockStyle);
    // Docks the bar in the dock bar nDockBarID (0: the first dock bar on the bar's own side, else on a side
    // it may dock to) at lpRect (screen coordinates; null: in a new row at the end), and lays the frame out.
    void DockControlBar(CControlBar* pBar, UINT nDockBarID = 0, LPCRECT lpRect = nullptr);
    void DockControlBar(CControlBar* pBar, CDockBar* pDockBar, LPCRECT lpRect = nullptr);
    // Floats the bar in a floating frame whose window's top-left corner is point (screen coordinates), laid
    // out along dwStyle (CBRS_ALIGN_TOP: horizontal, CBRS_ALIGN_LEFT: vertical). A bar alone in a floating
    // frame of that kind moves that frame.
    void FloatControlBar(CControlBar* pBar, CPoint point, DWORD dwStyle);
    // A new floating frame of m_pFloatingFrameClass for bars of dwStyle; null when it cannot be made.
    virtual CMiniDockFrameWnd* CreateFloatingFrame(DWORD dwStyle);
    // One record per bar of the bar list, in its order (dock bars list their bars).
    void GetDockState(CDockState& state);
    // Applies a dock state: floating dock bars get new floating frames, the other records go to the bars of
    // the same id; records of ids the frame does not have are dropped, and bars without a record stay as
    // they are.
    void SetDockState(const CDockState& state);
    void LoadBarState(LPCSTR lpszProfileName);
    void SaveBarState(LPCSTR lpszProfileName);
    CRuntimeClass* m_pFloatingFrameClass;

    BOOL PreCreateWindow(CREATESTRUCTA& cs) override;
    BOOL PreTranslateMessage(MSG* pMsg) override;
    BOOL OnCmdMsg(UINT nID, int nCode, void* pExtra, AFX_CMDHANDLERINFO* pHandlerInfo) override;

    HACCEL m_hAccelTable = nullptr;   // destroyed with the frame
    BOOL m_bAutoMenuEnable = TRUE;    // menu items without a handler are disabled
    CList<CControlBar*, CControlBar*> m_listControlBars;
    UINT m_nIDHelp = 0;
    enum IdleFlags : UINT
    {
        idleLayout = 1,
        idleTitle = 2,
    };
    UINT m_nIdleFlags = 0;
    UINT m_nIDTracking = 0;      // the command being pointed at in a menu
    UINT m_nIDLastMessage = 0;   // the prompt last shown

protected:
    void PostNcDestroy() override;
    // Creates the window LoadFrame has found the resources for (hMenu: null for a child frame).
    virtual BOOL CreateFrameWindow(LPCSTR lpszClass, DWORD dwStyle, CWnd* pParentWnd, HMENU hMenu,
                                   CCreateContext* pContext);
    // The creation of the client (views) and the first layout, with the context the creation carried.
    int OnCreateHelper(LPCREATESTRUCT lpCreateStruct, CCreateContext* pContext);

    afx_msg int OnCreate(LPCREATESTRUCT lpCreateStruct);
    afx_msg void OnNcDestroy();
    afx_msg void OnClose();
    afx_msg void OnSize(UINT nType, int cx, int cy);
    afx_msg void OnSetFocus(CWnd* pOldWnd);
    afx_msg BOOL OnEraseBkgnd(CDC* pDC);
    afx_msg void OnInitMenuPopup(CMenu* pPopupMenu, UINT nIndex, BOOL bSysMenu);
    afx_msg void OnMenuSelect(UINT nItemID, UINT nFlags, HMENU hSysMenu);
    afx_msg LRESULT OnSetMessageString(WPARAM wParam, LPARAM lParam);
    afx_msg LRESULT OnPopMessageString(WPARAM wParam, LPARAM lParam);
    afx_msg LRESULT OnIdleUpdateCmdUI(WPARAM wParam, LPARAM lParam);
    afx_msg LRESULT OnRecalcParent(WPARAM wParam, LPARAM lParam);
    afx_msg BOOL OnBarCheck(UINT nID);
    afx_msg void OnUpdateControlBarMenu(CCmdUI* pCmdUI);
    afx_msg void OnUpdateKeyIndicator(CCmdUI* pCmdUI);
    afx_msg BOOL OnNcActivate(BOOL bActive);
    afx_msg void OnActivate(UINT nState, CWnd* pWndOther, BOOL bMinimized);

    CView* m_pViewActive = nullptr;
    CString m_strTitle;
    BOOL m_bAddToTitle = FALSE;
    BOOL m_bInRecalcLayout = FALSE;

    DECLARE_MESSAGE_MAP()
};
