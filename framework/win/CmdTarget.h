// Command targets and command user-interface updates.
#pragma once

#include "framework/core/Core.h"
#include "framework/win/MessageMap.h"

class CMenu;
class CWnd;

class CCmdTarget : public CObject
{
    DECLARE_DYNAMIC(CCmdTarget)
public:
    CCmdTarget() = default;
    ~CCmdTarget() override = default;

    // Routes a command (nCode CN_COMMAND or a control notification code), a command-UI update
    // (CN_UPDATE_COMMAND_UI, pExtra the CCmdUI) or a notification (MAKELONG(code, WM_NOTIFY), pExtra an
    // AFX_NOTIFY) through this object's message map. With a handler info, it only answers whether a handler
    // exists and names its target.
    virtual BOOL OnCmdMsg(UINT nID, int nCode, void* pExtra, AFX_CMDHANDLERINFO* pHandlerInfo);

    // Wait cursor for the duration of some work (counted; the last End restores the arrow).
    void BeginWaitCursor();
    void EndWaitCursor();
    void RestoreWaitCursor();

    static const AFX_MSGMAP* GetThisMessageMap();
    virtual const AFX_MSGMAP* GetMessageMap() const;

    // The first entry of this object's map chain that matches (or null). For window messages: nKind
    // AfxKindMsg/AfxKindRegistered with the message; for reflected ones the reflected kind, code and message.
    const AFX_MSGMAP_ENTRY* FindMessageEntry(UINT nKind, UINT nMessage, UINT nCode, UINT nID,
                                             const AFX_MSGMAP_ENTRY* after = nullptr) const;
    // The entry of window message nMessage (or null), remembered per class and thread: views and bars see
    // mouse and cursor messages all the time.
    const AFX_MSGMAP_ENTRY* FindWindowMessageEntry(UINT nMessage) const;
};

// The state of one user-interface item (menu item, button, tool-bar button) that a command-UI handler sets.
class CCmdUI
{
public:
    CCmdUI() = default;
    virtual ~CCmdUI() = default;

    UINT m_nID = 0;
    UINT m_nIndex = 0;          // menu item position
    UINT m_nIndexMax = 0;       // number of items in the menu
    CMenu* m_pMenu = nullptr;   // the menu of a menu item
    CMenu* m_pSubMenu = nullptr;
    CMenu* m_pParentMenu = nullptr;
    CWnd* m_pOther = nullptr;   // the window of a non-menu item
    BOOL m_bEnableChanged = FALSE;
    BOOL m_bContinueRouting = FALSE;

    virtual void Enable(BOOL bOn = TRUE);
    virtual void SetCheck(int nCheck = 1);   // 0 unchecked, 1 checked, 2 indeterminate
    virtual void SetRadio(BOOL bOn = TRUE);
    virtual void SetText(LPCSTR lpszText);
    // Called by an update handler: the update goes on to the next handler as if this one did not exist.
    void ContinueRouting() { m_bContinueRouting = TRUE; }

    // Asks the target's update handler; when none set the enabled state and bDisableIfNoHndler is set, the
    // item is enabled exactly when a command handler exists. Returns whether an update handler ran.
    BOOL DoUpdate(CCmdTarget* pTarget, BOOL bDisableIfNoHndler);
};

// Runs the command-UI update of every command item of a pop-up menu against a target.
void AfxUpdateMenuCmdUI(CCmdTarget* pTarget, CMenu* pPopup, BOOL bDisableIfNoHndler);

// Wait cursor on the stack.
class CWaitCursor
{
public:
    CWaitCursor();
    ~CWaitCursor();
    CWaitCursor(const CWaitCursor&) = delete;
    CWaitCursor& operator=(const CWaitCursor&) = delete;
    void Restore();
};
