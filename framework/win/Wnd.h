// CWnd: a window object over an HWND.
//
// One window procedure serves every window we own. The HWND -> CWnd map is filled by a WH_CBT hook around
// creation, so even windows of system classes (dialogs, controls) are attached before their first message.
// Messages go through the object's message map (MessageMap.h); what no handler takes goes to Default(),
// which passes the message being handled to the window's previous procedure.
#pragma once

#include "framework/core/Core.h"
#include "framework/win/CmdTarget.h"
#include "framework/win/Geometry.h"
#include "framework/win/Gdi.h"
#include "framework/win/Menu.h"

#include <functional>
#include <shellapi.h>

// The system headers make this a function-like macro; CWnd has a member of that name.
#undef GetNextWindow

class CScrollBar;
class CDataExchange;
class CBorrowedWnd;
class CFrameWnd;
struct CCreateContext;

// m_nFlags of CWnd
#define WF_TOOLTIPS 0x0001   // shows the tips of OnToolHitTest
#define WF_MODALLOOP 0x0008
#define WF_CONTINUEMODAL 0x0010
#define WF_STAYACTIVE 0x0020   // a frame that looks active while one of its floating frames is

// RunModalLoop flags
#define MLF_NOIDLEMSG 0x0001
#define MLF_NOKICKIDLE 0x0002
#define MLF_SHOWONIDLE 0x0004

// The window procedure of every window we own.
LRESULT CALLBACK AfxWndProc(HWND hWnd, UINT message, WPARAM wParam, LPARAM lParam);
// Message loops (Run, modal loops) running on this thread; temporaries are freed only at depth 1.
int& AfxMessageLoopDepth();
// Registers a window class of ours and returns its name (the same name for the same attributes).
BOOL AfxRegisterClass(WNDCLASSA* lpWndClass);   // TRUE also when the class exists already
LPCSTR AfxRegisterWndClass(UINT nClassStyle, HCURSOR hCursor = nullptr, HBRUSH hbrBackground = nullptr,
                           HICON hIcon = nullptr);
// Attaches the next window created on this thread to pWnd (used around CreateWindowEx/CreateDialog...).
void AfxHookWindowCreate(CWnd* pWnd);
// FALSE when the hooked creation never happened. *pbObjectEnded: the window was made and destroyed again
// during creation, so the object had its last message (PostNcDestroy) and must not be touched.
BOOL AfxUnhookWindowCreate(BOOL* pbObjectEnded = nullptr);
// Pumps one message through the application's pre-translation (or AfxPreTranslateMessage without an
// application), TranslateMessage and DispatchMessage. FALSE on WM_QUIT.
BOOL AfxPumpMessage();
// Tool tips first, then PreTranslateMessage from the message's window up to its top-level parent, then the
// main window for messages of its other top-level windows.
BOOL AfxPreTranslateMessage(MSG* pMsg);
BOOL AfxIsIdleMessage(const MSG* pMsg);
// Lets the window with tips under a mouse message follow the mouse (see CWnd::FilterToolTipMessage).
void AfxRelayToolTipMessage(MSG* pMsg);
// Deletes the temporary wrappers of this thread (windows, menus, DCs, GDI objects, image lists).
void AfxDeleteTempMaps();
// Registers the common control classes our dialogs use (idempotent).
void AfxInitCommonControls();

// One message loop of the user-interface thread. Every loop runs on this pump: while the queue is empty it
// calls OnIdle with a count that starts again at 0 after each message that ends idle time; each message is
// offered to PreTranslate, then translated and dispatched. CWinApp::Run, modal loops (dialogs, property
// sheets) and tracking loops (a drag that follows the mouse: take the mouse messages in PreTranslate, end
// through ContinueLoop) derive from it. Loops nest.
class CMessageLoop
{
public:
    CMessageLoop() = default;
    virtual ~CMessageLoop() = default;
    CMessageLoop(const CMessageLoop&) = delete;
    CMessageLoop& operator=(const CMessageLoop&) = delete;

    // Runs until ContinueLoop answers FALSE (TRUE back) or WM_QUIT arrives (FALSE back: the quit message,
    // with its code, is LastMessage(); a nested loop that must end its caller too posts it again).
    BOOL Run();
    // The pump primitive: waits for one message, offers it to PreTranslate, translates and dispatches it.
    // FALSE on WM_QUIT.
    virtual BOOL PumpMessage();
    const MSG& LastMessage() const { return m_msg; }

protected:
    virtual BOOL ContinueLoop() { return TRUE; }   // asked before each message
    // TRUE: more idle work wanted. Base: the outermost loop frees the temporary wrappers.
    virtual BOOL OnIdle(LONG lCount);
    // TRUE when the message was taken. Base: the application's PreTranslateMessage (AfxPreTranslateMessage
    // without an application).
    virtual BOOL PreTranslate(MSG* pMsg);
    virtual BOOL IsIdleMessage(const MSG* pMsg);   // FALSE for messages that come all the time

    MSG m_msg = {};
};

class CWnd : public CCmdTarget
{
    DECLARE_DYNCREATE(CWnd)
public:
    CWnd();
    ~CWnd() override;
    CWnd(const CWnd&) = delete;
    CWnd& operator=(const CWnd&) = delete;

    HWND m_hWnd = nullptr;

    // The window of this object (null when it has none). For a pointer that may be null use
    // AfxGetSafeHwnd.
    operator HWND() const { return m_hWnd; }
    HWND GetSafeHwnd() const { return m_hWnd; }
    bool operator==(const CWnd& other) const { return other.m_hWnd == m_hWnd; }
    bool operator!=(const CWnd& other) const { return other.m_hWnd != m_hWnd; }

    // Special insert-after values for SetWindowPos.
    static const CBorrowedWnd wndTop;
    static const CBorrowedWnd wndBottom;
    static const CBorrowedWnd wndTopMost;
    static const CBorrowedWnd wndNoTopMost;

    // ---- handle map ----
    // The object of a window: ours when attached, else a temporary wrapper deleted at idle time.
    static CWnd* FromHandle(HWND hWnd);
    static CWnd* FromHandlePermanent(HWND hWnd);
    static void DeleteTempMap();
    BOOL Attach(HWND hWndNew);
    HWND Detach();
    // Routes the window's messages through this object (the old procedure becomes Default()'s target).
    BOOL SubclassWindow(HWND hWnd);
    BOOL SubclassDlgItem(UINT nID, CWnd* pParent);
    HWND UnsubclassWindow();

    // ---- creation ----
    virtual BOOL Create(LPCSTR lpszClassName, LPCSTR lpszWindowName, DWORD dwStyle, const RECT& rect,
                        CWnd* pParentWnd, UINT nID, CCreateContext* pContext = nullptr);
    BOOL CreateEx(DWORD dwExStyle, LPCSTR lpszClassName, LPCSTR lpszWindowName, DWORD dwStyle, int x, int y,
                  int nWidth, int nHeight, HWND hWndParent, HMENU nIDorHMenu, LPVOID lpParam = nullptr);
    BOOL CreateEx(DWORD dwExStyle, LPCSTR lpszClassName, LPCSTR lpszWindowName, DWORD dwStyle, const RECT& rect,
                  CWnd* pParentWnd, UINT nID, LPVOID lpParam = nullptr);
    virtual BOOL DestroyWindow();
    virtual BOOL PreCreateWindow(CREATESTRUCTA& cs);
    virtual void PreSubclassWindow();
    virtual void PostNcDestroy();   // after the last message; objects that delete themselves do it here
    virtual void CalcWindowRect(LPRECT lpClientRect, UINT nAdjustType = 0);

    // ---- message handling ----
    virtual LRESULT WindowProc(UINT message, WPARAM wParam, LPARAM lParam);
    virtual BOOL OnWndMsg(UINT message, WPARAM wParam, LPARAM lParam, LRESULT* pResult);
    virtual LRESULT DefWindowProc(UINT message, WPARAM wParam, LPARAM lParam);
    LRESULT Default();
    virtual BOOL PreTranslateMessage(MSG* pMsg);
    // Walks PreTranslateMessage from the message's window up its parents, stopping after hWndStop.
    static BOOL WalkPreTranslateTree(HWND hWndStop, MSG* pMsg);
    virtual BOOL OnCommand(WPARAM wParam, LPARAM lParam);
    virtual BOOL OnNotify(WPARAM wParam, LPARAM lParam, LRESULT* pResult);
    // A message the parent reflects to this control; TRUE when this object took it.
    virtual BOOL OnChildNotify(UINT message, WPARAM wParam, LPARAM lParam, LRESULT* pResult);
    BOOL ReflectChildNotify(UINT message, WPARAM wParam, LPARAM lParam, LRESULT* pResult);
    // Reflects the current message to the child's object; TRUE when it took it.
    static BOOL ReflectLastMsg(HWND hWndChild, LRESULT* pResult = nullptr);
    BOOL SendChildNotifyLastMsg(LRESULT* pResult = nullptr);
    static const MSG* GetCurrentMessage();

    // ---- tool tips ----
    // The item under point (client coordinates): its id, or -1 for none. pTI (when not null) receives the
    // tool: window, id, rectangle and text, either a copy made with malloc (the framework frees it) or
    // LPSTR_TEXTCALLBACKA for the part after '\n' of the string resource with the returned id. Base: the
    // child window under the point, by its control id.
    virtual INT_PTR OnToolHitTest(CPoint point, TOOLINFOA* pTI) const;
    // Shows the tips of OnToolHitTest over this window (one tool-tip control per thread serves every window).
    BOOL EnableToolTips(BOOL bEnable = TRUE);
    // Follows the mouse over this window: a new item under it gets its tip (and, on a bar with CBRS_FLYBY,
    // its prompt); the mouse messages are relayed to the tip. Called from AfxPreTranslateMessage.
    void FilterToolTipMessage(MSG* pMsg);
    // Takes the current tip away and forgets the item under the mouse.
    static void CancelToolTips();

    LRESULT SendMessage(UINT message, WPARAM wParam = 0, LPARAM lParam = 0) const;
    BOOL PostMessage(UINT message, WPARAM wParam = 0, LPARAM lParam = 0) const;
    void SendMessageToDescendants(UINT message, WPARAM wParam = 0, LPARAM lParam = 0, BOOL bDeep = TRUE,
                                  BOOL bOnlyPerm = FALSE);
    static void SendMessageToDescendants(HWND hWnd, UINT message, WPARAM wParam, LPARAM lParam, BOOL bDeep,
                                         BOOL bOnlyPerm);

    // ---- modal loops ----
    int RunModalLoop(DWORD dwFlags = 0);
    virtual BOOL ContinueModal();
    virtual void EndModalLoop(int nResult);
    // A modal window's whole life: the owner is disabled, create(owner) makes the window, the loop runs
    // unless the window ended during its creation, then the window hides, the owner comes back and the
    // window is destroyed. Returns the modal result (-1 when creation failed).
    INT_PTR RunModalWindow(CWnd* pParentWnd, const std::function<BOOL(HWND hWndParent)>& create);

    // ---- data exchange ----
    virtual void DoDataExchange(CDataExchange* pDX);
    BOOL UpdateData(BOOL bSaveAndValidate = TRUE);

    // ---- styles and state ----
    DWORD GetStyle() const;
    DWORD GetExStyle() const;
    BOOL ModifyStyle(DWORD dwRemove, DWORD dwAdd, UINT nFlags = 0);
    BOOL ModifyStyleEx(DWORD dwRemove, DWORD dwAdd, UINT nFlags = 0);
    static BOOL ModifyStyle(HWND hWnd, DWORD dwRemove, DWORD dwAdd, UINT nFlags);
    static BOOL ModifyStyleEx(HWND hWnd, DWORD dwRemove, DWORD dwAdd, UINT nFlags);
    BOOL ShowWindow(int nCmdShow);
    BOOL IsWindowVisible() const;
    BOOL EnableWindow(BOOL bEnable = TRUE);
    BOOL IsWindowEnabled() const;
    BOOL IsIconic() const;
    BOOL IsZoomed() const;
    BOOL IsChild(const CWnd* pWnd) const;
    void SetRedraw(BOOL bRedraw = TRUE);
    BOOL LockWindowUpdate();
    void UnlockWindowUpdate();
    BOOL FlashWindow(BOOL bInvert);

    // ---- geometry ----
    void GetWindowRect(LPRECT lpRect) const;
    void GetClientRect(LPRECT lpRect) const;
    void ClientToScreen(LPPOINT lpPoint) const;
    void ClientToScreen(LPRECT lpRect) const;
    void ScreenToClient(LPPOINT lpPoint) const;
    void ScreenToClient(LPRECT lpRect) const;
    void MapWindowPoints(CWnd* pwndTo, LPPOINT lpPoint, UINT nCount) const;
    void MapWindowPoints(CWnd* pwndTo, LPRECT lpRect) const;
    void MoveWindow(int x, int y, int nWidth, int nHeight, BOOL bRepaint = TRUE);
    void MoveWindow(LPCRECT lpRect, BOOL bRepaint = TRUE);
    BOOL SetWindowPos(const CWnd* pWndInsertAfter, int x, int y, int cx, int cy, UINT nFlags);
    void CenterWindow(CWnd* pAlternateOwner = nullptr);
    BOOL GetWindowPlacement(WINDOWPLACEMENT* lpwndpl) const;
    BOOL SetWindowPlacement(const WINDOWPLACEMENT* lpwndpl);
    CWnd* ChildWindowFromPoint(POINT point) const;
    CWnd* ChildWindowFromPoint(POINT point, UINT nFlags) const;
    static CWnd* WindowFromPoint(POINT point);
    BOOL BringWindowToTop();

    // ---- family ----
    CWnd* GetParent() const;
    CWnd* SetParent(CWnd* pWndNewParent);
    CWnd* GetOwner() const;
    void SetOwner(CWnd* pOwnerWnd);
    CWnd* GetTopLevelParent() const;
    CWnd* GetTopLevelOwner() const;
    CWnd* GetWindow(UINT nCmd) const;
    CWnd* GetNextWindow(UINT nFlag = GW_HWNDNEXT) const;
    CWnd* GetTopWindow() const;
    CWnd* GetLastActivePopup() const;
    static CWnd* GetDesktopWindow();
    static CWnd* GetSafeOwner(CWnd* pParent = nullptr, HWND* pWndTop = nullptr);
    // The descendant with control id nID at any depth (only our own objects when bOnlyPerm); null if none.
    CWnd* GetDescendantWindow(int nID, BOOL bOnlyPerm = FALSE) const;
    static CWnd* GetDescendantWindow(HWND hWnd, int nID, BOOL bOnlyPerm);

    // ---- dialog items ----
    CWnd* GetDlgItem(int nID) const;
    void GetDlgItem(int nID, HWND* phWnd) const;
    int GetDlgCtrlID() const;
    int SetDlgCtrlID(int nID);
    void SetDlgItemText(int nID, LPCSTR lpszString);
    int GetDlgItemText(int nID, LPSTR lpStr, int nMaxCount) const;
    int GetDlgItemText(int nID, CString& rString) const;
    void SetDlgItemInt(int nID, UINT nValue, BOOL bSigned = TRUE);
    UINT GetDlgItemInt(int nID, BOOL* lpTrans = nullptr, BOOL bSigned = TRUE) const;
    void CheckDlgButton(int nIDButton, UINT nCheck);
    UINT IsDlgButtonChecked(int nIDButton) const;
    void CheckRadioButton(int nIDFirstButton, int nIDLastButton, int nIDCheckButton);
    int GetCheckedRadioButton(int nIDFirstButton, int nIDLastButton);
    LRESULT SendDlgItemMessage(int nID, UINT message, WPARAM wParam = 0, LPARAM lParam = 0) const;
    CWnd* GetNextDlgTabItem(CWnd* pWndCtl, BOOL bPrevious = FALSE) const;
    CWnd* GetNextDlgGroupItem(CWnd* pWndCtl, BOOL bPrevious = FALSE) const;

    // ---- focus, activation, capture ----
    CWnd* SetFocus();
    static CWnd* GetFocus();
    CWnd* SetActiveWindow();
    static CWnd* GetActiveWindow();
    BOOL SetForegroundWindow();
    static CWnd* GetForegroundWindow();
    CWnd* SetCapture();
    static CWnd* GetCapture();

    // ---- timers ----
    UINT_PTR SetTimer(UINT_PTR nIDEvent, UINT nElapse, TIMERPROC lpfnTimer = nullptr);
    BOOL KillTimer(UINT_PTR nIDEvent);

    // ---- text and font ----
    void SetWindowText(LPCSTR lpszString);
    int GetWindowText(LPSTR lpszStringBuf, int nMaxCount) const;
    void GetWindowText(CString& rString) const;
    int GetWindowTextLength() const;
    void SetFont(CFont* pFont, BOOL bRedraw = TRUE);
    CFont* GetFont() const;
    HICON SetIcon(HICON hIcon, BOOL bBigIcon);
    HICON GetIcon(BOOL bBigIcon) const;

    // ---- painting ----
    void Invalidate(BOOL bErase = TRUE);
    void InvalidateRect(LPCRECT lpRect, BOOL bErase = TRUE);
    void InvalidateRgn(CRgn* pRgn, BOOL bErase = TRUE);
    void ValidateRect(LPCRECT lpRect);
    void ValidateRgn(CRgn* pRgn);
    void UpdateWindow();
    BOOL RedrawWindow(LPCRECT lpRectUpdate = nullptr, CRgn* prgnUpdate = nullptr,
                      UINT flags = RDW_INVALIDATE | RDW_UPDATENOW | RDW_ERASE);
    BOOL GetUpdateRect(LPRECT lpRect, BOOL bErase = FALSE);
    CDC* BeginPaint(LPPAINTSTRUCT lpPaint);
    void EndPaint(LPPAINTSTRUCT lpPaint);
    // GetDC/GetWindowDC/GetDCEx give a temporary CDC that ReleaseDC gives back.
    CDC* GetDC();
    CDC* GetWindowDC();
    CDC* GetDCEx(CRgn* prgnClip, DWORD flags);
    int ReleaseDC(CDC* pDC);
    void ScrollWindow(int xAmount, int yAmount, LPCRECT lpRect = nullptr, LPCRECT lpClipRect = nullptr);

    // ---- menus ----
    CMenu* GetMenu() const;
    BOOL SetMenu(CMenu* pMenu);
    void DrawMenuBar();
    CMenu* GetSystemMenu(BOOL bRevert) const;

    // ---- scroll bars ----
    int GetScrollPos(int nBar) const;
    int SetScrollPos(int nBar, int nPos, BOOL bRedraw = TRUE);
    void GetScrollRange(int nBar, LPINT lpMinPos, LPINT lpMaxPos) const;
    void SetScrollRange(int nBar, int nMinPos, int nMaxPos, BOOL bRedraw = TRUE);
    BOOL SetScrollInfo(int nBar, LPSCROLLINFO lpScrollInfo, BOOL bRedraw = TRUE);
    BOOL GetScrollInfo(int nBar, LPSCROLLINFO lpScrollInfo, UINT nMask = SIF_ALL);
    void ShowScrollBar(UINT nBar, BOOL bShow = TRUE);

    // ---- caret, region, owned pop-ups ----
    void CreateSolidCaret(int nWidth, int nHeight);
    void ShowCaret();
    void HideCaret();
    static void SetCaretPos(POINT point);
    static CPoint GetCaretPos();
    int SetWindowRgn(HRGN hRgn, BOOL bRedraw);
    int GetWindowRgn(HRGN hRgn) const;
    void ShowOwnedPopups(BOOL bShow = TRUE);

    // Runs the command-UI update of every child control against pTarget (dialog bars and the like).
    void UpdateDialogControls(CCmdTarget* pTarget, BOOL bDisableIfNoHndler);

    // ---- frames and bars ----
    enum RepositionFlags : UINT
    {
        reposDefault = 0,
        reposQuery = 1,   // only compute: lpRectParam gets the area left (bStretch) or the bars' extent
    };
    // Lays out the child bars with ids nIDFirst..nIDLast (WM_SIZEPARENT, in the order of the child windows)
    // within lpRectClient (default: the client area) and gives the rest to the child nIDLeftOver.
    void RepositionBars(UINT nIDFirst, UINT nIDLast, UINT nIDLeftOver, UINT nFlags = reposDefault,
                        LPRECT lpRectParam = nullptr, LPCRECT lpRectClient = nullptr, BOOL bStretch = TRUE);
    // The nearest frame of ours this child window lies in (null when none).
    CFrameWnd* GetParentFrame() const;
    // The outermost frame of ours this window lies in (itself when it is a frame).
    CFrameWnd* GetTopLevelFrame() const;

    // ---- misc ----
    int MessageBox(LPCSTR lpszText, LPCSTR lpszCaption = nullptr, UINT nType = MB_OK);
    void DragAcceptFiles(BOOL bAccept = TRUE);

    // ---- default handlers (each passes its message on with Default()) ----
    afx_msg int OnCreate(LPCREATESTRUCT lpCreateStruct);
    afx_msg BOOL OnNcCreate(LPCREATESTRUCT lpCreateStruct);
    afx_msg void OnDestroy();
    afx_msg void OnNcDestroy();
    afx_msg void OnClose();
    afx_msg void OnPaint();
    afx_msg void OnNcPaint();
    afx_msg BOOL OnEraseBkgnd(CDC* pDC);
    afx_msg void OnSize(UINT nType, int cx, int cy);
    afx_msg void OnSizing(UINT fwSide, LPRECT pRect);
    afx_msg void OnMove(int x, int y);
    afx_msg void OnTimer(UINT_PTR nIDEvent);
    afx_msg void OnLButtonDown(UINT nFlags, CPoint point);
    afx_msg void OnLButtonUp(UINT nFlags, CPoint point);
    afx_msg void OnLButtonDblClk(UINT nFlags, CPoint point);
    afx_msg void OnRButtonDown(UINT nFlags, CPoint point);
    afx_msg void OnRButtonUp(UINT nFlags, CPoint point);
    afx_msg void OnRButtonDblClk(UINT nFlags, CPoint point);
    afx_msg void OnMButtonDown(UINT nFlags, CPoint point);
    afx_msg void OnMButtonUp(UINT nFlags, CPoint point);
    afx_msg void OnMouseMove(UINT nFlags, CPoint point);
    afx_msg BOOL OnMouseWheel(UINT nFlags, short zDelta, CPoint pt);
    afx_msg void OnMouseLeave();
    afx_msg int OnMouseActivate(CWnd* pDesktopWnd, UINT nHitTest, UINT message);
    afx_msg BOOL OnSetCursor(CWnd* pWnd, UINT nHitTest, UINT message);
    afx_msg void OnKeyDown(UINT nChar, UINT nRepCnt, UINT nFlags);
    afx_msg void OnKeyUp(UINT nChar, UINT nRepCnt, UINT nFlags);
    afx_msg void OnChar(UINT nChar, UINT nRepCnt, UINT nFlags);
    afx_msg void OnSysKeyDown(UINT nChar, UINT nRepCnt, UINT nFlags);
    afx_msg void OnSysKeyUp(UINT nChar, UINT nRepCnt, UINT nFlags);
    afx_msg void OnSysChar(UINT nChar, UINT nRepCnt, UINT nFlags);
    afx_msg void OnSysCommand(UINT nID, LPARAM lParam);
    afx_msg UINT OnGetDlgCode();
    afx_msg void OnSetFocus(CWnd* pOldWnd);
    afx_msg void OnKillFocus(CWnd* pNewWnd);
    afx_msg void OnActivate(UINT nState, CWnd* pWndOther, BOOL bMinimized);
    afx_msg void OnActivateApp(BOOL bActive, DWORD dwThreadID);
    afx_msg BOOL OnNcActivate(BOOL bActive);
    afx_msg void OnChildActivate();
    afx_msg void OnEnable(BOOL bEnable);
    afx_msg void OnShowWindow(BOOL bShow, UINT nStatus);
    afx_msg void OnContextMenu(CWnd* pWnd, CPoint pos);
    afx_msg HCURSOR OnQueryDragIcon();
    afx_msg void OnGetMinMaxInfo(MINMAXINFO* lpMMI);
    afx_msg void OnWindowPosChanging(WINDOWPOS* lpwndpos);
    afx_msg void OnWindowPosChanged(WINDOWPOS* lpwndpos);
    afx_msg void OnStyleChanged(int nStyleType, LPSTYLESTRUCT lpStyleStruct);
    afx_msg void OnNcCalcSize(BOOL bCalcValidRects, NCCALCSIZE_PARAMS* lpncsp);
    afx_msg LRESULT OnNcHitTest(CPoint point);
    afx_msg void OnNcLButtonDown(UINT nHitTest, CPoint point);
    afx_msg void OnNcLButtonUp(UINT nHitTest, CPoint point);
    afx_msg void OnNcLButtonDblClk(UINT nHitTest, CPoint point);
    afx_msg void OnNcRButtonDown(UINT nHitTest, CPoint point);
    afx_msg void OnNcRButtonUp(UINT nHitTest, CPoint point);
    afx_msg void OnNcMouseMove(UINT nHitTest, CPoint point);
    // These first offer the message to the child control's own object (reflection).
    afx_msg HBRUSH OnCtlColor(CDC* pDC, CWnd* pWnd, UINT nCtlColor);
    afx_msg void OnDrawItem(int nIDCtl, LPDRAWITEMSTRUCT lpDrawItemStruct);
    afx_msg void OnMeasureItem(int nIDCtl, LPMEASUREITEMSTRUCT lpMeasureItemStruct);
    afx_msg int OnCompareItem(int nIDCtl, LPCOMPAREITEMSTRUCT lpCompareItemStruct);
    afx_msg void OnDeleteItem(int nIDCtl, LPDELETEITEMSTRUCT lpDeleteItemStruct);
    afx_msg void OnHScroll(UINT nSBCode, UINT nPos, CScrollBar* pScrollBar);
    afx_msg void OnVScroll(UINT nSBCode, UINT nPos, CScrollBar* pScrollBar);
    afx_msg void OnParentNotify(UINT message, LPARAM lParam);
    afx_msg void OnInitMenu(CMenu* pMenu);
    afx_msg void OnInitMenuPopup(CMenu* pPopupMenu, UINT nIndex, BOOL bSysMenu);
    afx_msg void OnMenuSelect(UINT nItemID, UINT nFlags, HMENU hSysMenu);
    afx_msg LRESULT OnMenuChar(UINT nChar, UINT nFlags, CMenu* pMenu);
    afx_msg void OnEnterMenuLoop(BOOL bIsTrackPopupMenu);
    afx_msg void OnExitMenuLoop(BOOL bIsTrackPopupMenu);
    afx_msg void OnEnterIdle(UINT nWhy, CWnd* pWho);
    afx_msg void OnCancelMode();
    afx_msg void OnCaptureChanged(CWnd* pWnd);
    afx_msg void OnSysColorChange();
    afx_msg void OnSettingChange(UINT uFlags, LPCSTR lpszSection);
    afx_msg void OnFontChange();
    afx_msg void OnDropFiles(HDROP hDropInfo);
    afx_msg BOOL OnHelpInfo(HELPINFO* pHelpInfo);

    // ---- internal state ----
    WNDPROC m_pfnSuper = nullptr;   // the procedure Default() calls
    HWND m_hWndOwner = nullptr;     // owner set with SetOwner (null: the parent)
    UINT m_nFlags = 0;
    int m_nModalResult = -1;

    // Ends a creation begun with AfxHookWindowCreate(this) that made hWnd (null: none): an object whose window
    // never came to be, or was refused after it was attached, ends as its destruction would end it. TRUE when
    // the window exists.
    BOOL EndHookedCreate(HWND hWnd);

    // Used by the creation hook and the window procedure.
    void AttachForCreate(HWND hWnd);   // map + subclass
    void DetachAfterNcDestroy();

    DECLARE_MESSAGE_MAP()
};

// A window object that stands for a window it does not own: it is never in the handle map, never subclasses
// the window and never destroys it. It hands a window of another class (or a special value such as
// HWND_TOP) to code that takes a CWnd*, for longer than a temporary wrapper (FromHandle) lives.
class CBorrowedWnd : public CWnd
{
public:
    explicit CBorrowedWnd(HWND hWnd = nullptr) { m_hWnd = hWnd; }
    ~CBorrowedWnd() override { m_hWnd = nullptr; }
    void Borrow(HWND hWnd) { m_hWnd = hWnd; }
};

// The window of a window object that may be null.
inline HWND AfxGetSafeHwnd(const CWnd* pWnd)
{
    return pWnd == nullptr ? nullptr : pWnd->m_hWnd;
}
// The text of any window, as long as it is.
CString AfxGetWindowText(HWND hWnd);
