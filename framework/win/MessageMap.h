// Message maps: one static table per class, chained to its base class's table.
//
// Each ON_... macro makes an entry whose thunk is a capture-less lambda: it casts the target to the class
// that declared the map and calls the handler with the message's arguments cracked. The handler is named
// through a member-pointer cast of the handler's exact signature, so a handler with a wrong signature does
// not compile. Window messages, commands, notifications, reflected messages and registered messages all
// live in the same tables.
//
//   class CMyWnd : public CWnd { ... afx_msg void OnPaint(); DECLARE_MESSAGE_MAP() };
//   BEGIN_MESSAGE_MAP(CMyWnd, CWnd)
//       ON_WM_PAINT()
//       ON_COMMAND(ID_FILE_OPEN, OnFileOpen)
//   END_MESSAGE_MAP()
#pragma once

// The tables below are laid out by hand, one entry macro to a line or block.
// clang-format off

#include "framework/core/wintypes.h"

#include <commctrl.h>

class CCmdTarget;

#ifndef afx_msg
#define afx_msg
#endif

// Pseudo message of the control-colour family (WM_CTLCOLORMSGBOX ... WM_CTLCOLORSTATIC map to it).
#ifndef WM_CTLCOLOR
#define WM_CTLCOLOR 0x0019
#endif
// Messages reflected to a child's own object arrive there as WM_REFLECT_BASE + the original message.
#define WM_REFLECT_BASE 0xBC00
// Idle processing messages.
#define WM_IDLEUPDATECMDUI 0x0363   // wParam: disable items without a handler
#define WM_KICKIDLE 0x036A          // lParam: idle count; non-zero result asks for more idle time
// Private messages of the frame and control-bar layer.
#define WM_SIZEPARENT 0x0361
#define WM_SETMESSAGESTRING 0x0362   // wParam: string id, or lParam: text
#define WM_INITIALUPDATE 0x0364
#define WM_COMMANDHELP 0x0365
#define WM_HELPHITTEST 0x0366
#define WM_EXITHELPMODE 0x0367
#define WM_RECALCPARENT 0x0368
#define WM_QUERYCENTERWND 0x036B
#define WM_FLOATSTATUS 0x036D
#define WM_ACTIVATETOPLEVEL 0x036E
#define WM_POPMESSAGESTRING 0x0375

// Command codes passed to OnCmdMsg.
#define CN_COMMAND 0
#define CN_UPDATE_COMMAND_UI ((UINT)(-1))

// What a command handler lookup found (OnCmdMsg with a non-null handler info only answers).
struct AFX_CMDHANDLERINFO
{
    CCmdTarget* pTarget;
};

// The extra argument of OnCmdMsg for WM_NOTIFY (nCode = MAKELONG(code, WM_NOTIFY)).
struct AFX_NOTIFY
{
    LRESULT* pResult;
    NMHDR* pNMHDR;
};

// What a thunk receives.
struct AFX_MSGARGS
{
    UINT message;
    WPARAM wParam;
    LPARAM lParam;
    UINT nID;        // command, control or notification id
    void* pExtra;    // CCmdUI* for update handlers, AFX_NOTIFY* for notifications
};

typedef LRESULT (*AFX_PTHUNK)(CCmdTarget* target, const AFX_MSGARGS& args);

enum AfxEntryKind : UINT
{
    AfxKindEnd = 0,
    AfxKindMsg,            // window message nMessage (WM_CTLCOLOR stands for the whole family)
    AfxKindRegistered,     // window message whose id is in *pnRegistered
    AfxKindCommand,        // WM_COMMAND: code nCode, id nID..nLastID
    AfxKindUpdateUI,       // CN_UPDATE_COMMAND_UI for id nID..nLastID
    AfxKindNotify,         // WM_NOTIFY: code nCode, id nID..nLastID
    AfxKindReflectCommand, // reflected WM_COMMAND with code nCode
    AfxKindReflectNotify,  // reflected WM_NOTIFY with code nCode
    AfxKindReflectMsg,     // reflected message nMessage (WM_CTLCOLOR, WM_HSCROLL, WM_VSCROLL, ...)
};

struct AFX_MSGMAP_ENTRY
{
    UINT nKind;
    UINT nMessage;
    UINT nCode;
    UINT nID;
    UINT nLastID;
    const UINT* pnRegistered;
    AFX_PTHUNK pfn;
    BOOL bEx;   // the thunk's result says whether it handled the message; FALSE goes on searching
};

struct AFX_MSGMAP
{
    const AFX_MSGMAP* (*pfnGetBaseMap)();
    const AFX_MSGMAP_ENTRY* lpEntries;
};

#define DECLARE_MESSAGE_MAP()                                \
public:                                                      \
    static const AFX_MSGMAP* GetThisMessageMap();            \
    const AFX_MSGMAP* GetMessageMap() const override;        \
protected:

#define BEGIN_MESSAGE_MAP(theClass, baseClass)                                  \
    const AFX_MSGMAP* theClass::GetMessageMap() const { return GetThisMessageMap(); } \
    const AFX_MSGMAP* theClass::GetThisMessageMap()                             \
    {                                                                           \
        typedef theClass ThisClass;                                             \
        typedef baseClass TheBaseClass;                                         \
        static const AFX_MSGMAP_ENTRY _messageEntries[] = {

#define END_MESSAGE_MAP()                                                       \
            {AfxKindEnd, 0, 0, 0, 0, nullptr, nullptr, FALSE}};                 \
        static const AFX_MSGMAP messageMap = {&TheBaseClass::GetThisMessageMap, &_messageEntries[0]}; \
        return &messageMap;                                                     \
    }

// ---- building blocks ---------------------------------------------------------------------------------

#define VX_THUNK(...)                                                                     \
    [](CCmdTarget* vxTarget, const AFX_MSGARGS& vxArgs) -> LRESULT {                      \
        ThisClass* vxThis = static_cast<ThisClass*>(vxTarget);                            \
        (void)vxThis;                                                                     \
        (void)vxArgs;                                                                     \
        __VA_ARGS__                                                                       \
    }
// Calls handler 'fn' of ThisClass through a member pointer of exactly type 'sig'.
#define VX_CALL(sig, fn) (vxThis->*static_cast<sig>(&ThisClass::fn))
#define VX_ENTRY(kind, msg, code, id, lastId, ...) \
    {(kind), (UINT)(msg), (UINT)(code), (UINT)(id), (UINT)(lastId), nullptr, VX_THUNK(__VA_ARGS__), FALSE},
#define VX_ENTRY_EX(kind, msg, code, id, lastId, ...) \
    {(kind), (UINT)(msg), (UINT)(code), (UINT)(id), (UINT)(lastId), nullptr, VX_THUNK(__VA_ARGS__), TRUE},
#define VX_MSG(msg, ...) VX_ENTRY(AfxKindMsg, msg, 0, 0, 0, __VA_ARGS__)

#define VX_WP (vxArgs.wParam)
#define VX_LP (vxArgs.lParam)
#define VX_PT_LP (CPoint((int)(short)LOWORD(vxArgs.lParam), (int)(short)HIWORD(vxArgs.lParam)))
#define VX_WND(h) (CWnd::FromHandle((HWND)(h)))

// ---- generic entries ---------------------------------------------------------------------------------

// LRESULT OnMyMessage(WPARAM, LPARAM)
#define ON_MESSAGE(message, memberFxn) \
    VX_MSG(message, return VX_CALL(LRESULT (ThisClass::*)(WPARAM, LPARAM), memberFxn)(VX_WP, VX_LP);)
// void OnMyMessage()
#define ON_MESSAGE_VOID(message, memberFxn) \
    VX_MSG(message, VX_CALL(void (ThisClass::*)(), memberFxn)(); return 0;)
// LRESULT OnMyMessage(WPARAM, LPARAM) for a message id registered at run time (a UINT variable)
#define ON_REGISTERED_MESSAGE(nMessageVariable, memberFxn)                                          \
    {AfxKindRegistered, 0, 0, 0, 0, &(nMessageVariable),                                            \
     VX_THUNK(return VX_CALL(LRESULT (ThisClass::*)(WPARAM, LPARAM), memberFxn)(VX_WP, VX_LP);), FALSE},

// void OnCommand()
#define ON_COMMAND(id, memberFxn) \
    VX_ENTRY(AfxKindCommand, WM_COMMAND, CN_COMMAND, id, id, VX_CALL(void (ThisClass::*)(), memberFxn)(); return 1;)
// void OnCommandRange(UINT nID)
#define ON_COMMAND_RANGE(id, idLast, memberFxn)                                  \
    VX_ENTRY(AfxKindCommand, WM_COMMAND, CN_COMMAND, id, idLast,                 \
             VX_CALL(void (ThisClass::*)(UINT), memberFxn)(vxArgs.nID); return 1;)
// BOOL OnCommandEx(UINT nID): FALSE lets the routing go on
#define ON_COMMAND_EX(id, memberFxn)                                             \
    VX_ENTRY_EX(AfxKindCommand, WM_COMMAND, CN_COMMAND, id, id,                  \
                return VX_CALL(BOOL (ThisClass::*)(UINT), memberFxn)(vxArgs.nID);)
#define ON_COMMAND_EX_RANGE(id, idLast, memberFxn)                               \
    VX_ENTRY_EX(AfxKindCommand, WM_COMMAND, CN_COMMAND, id, idLast,              \
                return VX_CALL(BOOL (ThisClass::*)(UINT), memberFxn)(vxArgs.nID);)
// void OnUpdateX(CCmdUI* pCmdUI)
#define ON_UPDATE_COMMAND_UI(id, memberFxn)                                      \
    VX_ENTRY(AfxKindUpdateUI, WM_COMMAND, CN_UPDATE_COMMAND_UI, id, id,          \
             VX_CALL(void (ThisClass::*)(CCmdUI*), memberFxn)(static_cast<CCmdUI*>(vxArgs.pExtra)); return 1;)
#define ON_UPDATE_COMMAND_UI_RANGE(id, idLast, memberFxn)                        \
    VX_ENTRY(AfxKindUpdateUI, WM_COMMAND, CN_UPDATE_COMMAND_UI, id, idLast,      \
             VX_CALL(void (ThisClass::*)(CCmdUI*), memberFxn)(static_cast<CCmdUI*>(vxArgs.pExtra)); return 1;)

// void OnControl() for a control notification code
#define ON_CONTROL(wNotifyCode, id, memberFxn) \
    VX_ENTRY(AfxKindCommand, WM_COMMAND, wNotifyCode, id, id, VX_CALL(void (ThisClass::*)(), memberFxn)(); return 1;)
// void OnControlRange(UINT nID)
#define ON_CONTROL_RANGE(wNotifyCode, id, idLast, memberFxn)                     \
    VX_ENTRY(AfxKindCommand, WM_COMMAND, wNotifyCode, id, idLast,                \
             VX_CALL(void (ThisClass::*)(UINT), memberFxn)(vxArgs.nID); return 1;)

// void OnNotify(NMHDR* pNMHDR, LRESULT* pResult)
#define ON_NOTIFY(wNotifyCode, id, memberFxn)                                    \
    VX_ENTRY(AfxKindNotify, WM_NOTIFY, wNotifyCode, id, id,                      \
             AFX_NOTIFY* vxN = static_cast<AFX_NOTIFY*>(vxArgs.pExtra);          \
             VX_CALL(void (ThisClass::*)(NMHDR*, LRESULT*), memberFxn)(vxN->pNMHDR, vxN->pResult); return 1;)
// void OnNotifyRange(UINT nID, NMHDR* pNMHDR, LRESULT* pResult)
#define ON_NOTIFY_RANGE(wNotifyCode, id, idLast, memberFxn)                      \
    VX_ENTRY(AfxKindNotify, WM_NOTIFY, wNotifyCode, id, idLast,                  \
             AFX_NOTIFY* vxN = static_cast<AFX_NOTIFY*>(vxArgs.pExtra);          \
             VX_CALL(void (ThisClass::*)(UINT, NMHDR*, LRESULT*), memberFxn)(vxArgs.nID, vxN->pNMHDR, vxN->pResult); return 1;)
// BOOL OnNotifyEx(UINT nID, NMHDR* pNMHDR, LRESULT* pResult): FALSE lets the routing go on
#define ON_NOTIFY_EX(wNotifyCode, id, memberFxn)                                 \
    VX_ENTRY_EX(AfxKindNotify, WM_NOTIFY, wNotifyCode, id, id,                   \
                AFX_NOTIFY* vxN = static_cast<AFX_NOTIFY*>(vxArgs.pExtra);       \
                return VX_CALL(BOOL (ThisClass::*)(UINT, NMHDR*, LRESULT*), memberFxn)(vxArgs.nID, vxN->pNMHDR, vxN->pResult);)
#define ON_NOTIFY_EX_RANGE(wNotifyCode, id, idLast, memberFxn)                   \
    VX_ENTRY_EX(AfxKindNotify, WM_NOTIFY, wNotifyCode, id, idLast,               \
                AFX_NOTIFY* vxN = static_cast<AFX_NOTIFY*>(vxArgs.pExtra);       \
                return VX_CALL(BOOL (ThisClass::*)(UINT, NMHDR*, LRESULT*), memberFxn)(vxArgs.nID, vxN->pNMHDR, vxN->pResult);)

// ---- reflected to the control's own object -----------------------------------------------------------

// void OnReflectedNotify(NMHDR* pNMHDR, LRESULT* pResult)
#define ON_NOTIFY_REFLECT(wNotifyCode, memberFxn)                                \
    VX_ENTRY(AfxKindReflectNotify, WM_REFLECT_BASE + WM_NOTIFY, wNotifyCode, 0, 0, \
             VX_CALL(void (ThisClass::*)(NMHDR*, LRESULT*), memberFxn)((NMHDR*)VX_LP, (LRESULT*)vxArgs.pExtra); return 1;)
// BOOL OnReflectedNotifyEx(NMHDR*, LRESULT*): FALSE lets the parent handle it too
#define ON_NOTIFY_REFLECT_EX(wNotifyCode, memberFxn)                             \
    VX_ENTRY_EX(AfxKindReflectNotify, WM_REFLECT_BASE + WM_NOTIFY, wNotifyCode, 0, 0, \
                return VX_CALL(BOOL (ThisClass::*)(NMHDR*, LRESULT*), memberFxn)((NMHDR*)VX_LP, (LRESULT*)vxArgs.pExtra);)
// void OnReflectedCommand()
#define ON_CONTROL_REFLECT(wNotifyCode, memberFxn)                               \
    VX_ENTRY(AfxKindReflectCommand, WM_REFLECT_BASE + WM_COMMAND, wNotifyCode, 0, 0, \
             VX_CALL(void (ThisClass::*)(), memberFxn)(); return 1;)
// BOOL OnReflectedCommandEx(): FALSE lets the parent handle it too
#define ON_CONTROL_REFLECT_EX(wNotifyCode, memberFxn)                            \
    VX_ENTRY_EX(AfxKindReflectCommand, WM_REFLECT_BASE + WM_COMMAND, wNotifyCode, 0, 0, \
                return VX_CALL(BOOL (ThisClass::*)(), memberFxn)();)
// HBRUSH CtlColor(CDC* pDC, UINT nCtlColor): a null brush leaves the colouring to the parent
#define ON_WM_CTLCOLOR_REFLECT()                                                 \
    VX_ENTRY(AfxKindReflectMsg, WM_REFLECT_BASE + WM_CTLCOLOR, 0, 0, 0,          \
             return (LRESULT)VX_CALL(HBRUSH (ThisClass::*)(CDC*, UINT), CtlColor)( \
                 CDC::FromHandle((HDC)VX_WP), (UINT)(vxArgs.message - WM_CTLCOLORMSGBOX));)
// void HScroll(UINT nSBCode, UINT nPos) / VScroll
#define ON_WM_HSCROLL_REFLECT()                                                  \
    VX_ENTRY(AfxKindReflectMsg, WM_REFLECT_BASE + WM_HSCROLL, 0, 0, 0,           \
             VX_CALL(void (ThisClass::*)(UINT, UINT), HScroll)(LOWORD(VX_WP), (UINT)(short)HIWORD(VX_WP)); return 1;)
#define ON_WM_VSCROLL_REFLECT()                                                  \
    VX_ENTRY(AfxKindReflectMsg, WM_REFLECT_BASE + WM_VSCROLL, 0, 0, 0,           \
             VX_CALL(void (ThisClass::*)(UINT, UINT), VScroll)(LOWORD(VX_WP), (UINT)(short)HIWORD(VX_WP)); return 1;)

// ---- control notifications ---------------------------------------------------------------------------

#define ON_BN_CLICKED(id, memberFxn) ON_CONTROL(BN_CLICKED, id, memberFxn)
#define ON_BN_DOUBLECLICKED(id, memberFxn) ON_CONTROL(BN_DOUBLECLICKED, id, memberFxn)
#define ON_BN_SETFOCUS(id, memberFxn) ON_CONTROL(BN_SETFOCUS, id, memberFxn)
#define ON_BN_KILLFOCUS(id, memberFxn) ON_CONTROL(BN_KILLFOCUS, id, memberFxn)
#define ON_EN_CHANGE(id, memberFxn) ON_CONTROL(EN_CHANGE, id, memberFxn)
#define ON_EN_UPDATE(id, memberFxn) ON_CONTROL(EN_UPDATE, id, memberFxn)
#define ON_EN_SETFOCUS(id, memberFxn) ON_CONTROL(EN_SETFOCUS, id, memberFxn)
#define ON_EN_KILLFOCUS(id, memberFxn) ON_CONTROL(EN_KILLFOCUS, id, memberFxn)
#define ON_EN_MAXTEXT(id, memberFxn) ON_CONTROL(EN_MAXTEXT, id, memberFxn)
#define ON_CBN_SELCHANGE(id, memberFxn) ON_CONTROL(CBN_SELCHANGE, id, memberFxn)
#define ON_CBN_DBLCLK(id, memberFxn) ON_CONTROL(CBN_DBLCLK, id, memberFxn)
#define ON_CBN_SETFOCUS(id, memberFxn) ON_CONTROL(CBN_SETFOCUS, id, memberFxn)
#define ON_CBN_KILLFOCUS(id, memberFxn) ON_CONTROL(CBN_KILLFOCUS, id, memberFxn)
#define ON_CBN_EDITCHANGE(id, memberFxn) ON_CONTROL(CBN_EDITCHANGE, id, memberFxn)
#define ON_CBN_EDITUPDATE(id, memberFxn) ON_CONTROL(CBN_EDITUPDATE, id, memberFxn)
#define ON_CBN_DROPDOWN(id, memberFxn) ON_CONTROL(CBN_DROPDOWN, id, memberFxn)
#define ON_CBN_CLOSEUP(id, memberFxn) ON_CONTROL(CBN_CLOSEUP, id, memberFxn)
#define ON_CBN_SELENDOK(id, memberFxn) ON_CONTROL(CBN_SELENDOK, id, memberFxn)
#define ON_CBN_SELENDCANCEL(id, memberFxn) ON_CONTROL(CBN_SELENDCANCEL, id, memberFxn)
#define ON_LBN_SELCHANGE(id, memberFxn) ON_CONTROL(LBN_SELCHANGE, id, memberFxn)
#define ON_LBN_DBLCLK(id, memberFxn) ON_CONTROL(LBN_DBLCLK, id, memberFxn)
#define ON_LBN_SETFOCUS(id, memberFxn) ON_CONTROL(LBN_SETFOCUS, id, memberFxn)
#define ON_LBN_KILLFOCUS(id, memberFxn) ON_CONTROL(LBN_KILLFOCUS, id, memberFxn)
#define ON_LBN_SELCANCEL(id, memberFxn) ON_CONTROL(LBN_SELCANCEL, id, memberFxn)
#define ON_STN_CLICKED(id, memberFxn) ON_CONTROL(STN_CLICKED, id, memberFxn)
#define ON_STN_DBLCLK(id, memberFxn) ON_CONTROL(STN_DBLCLK, id, memberFxn)

// ---- window messages (handler signatures as listed) ------------------------------------------------------

#define ON_WM_CREATE() \
    VX_MSG(WM_CREATE, return (LRESULT)VX_CALL(int (ThisClass::*)(LPCREATESTRUCT), OnCreate)((LPCREATESTRUCT)VX_LP);)
#define ON_WM_NCCREATE() \
    VX_MSG(WM_NCCREATE, return (LRESULT)VX_CALL(BOOL (ThisClass::*)(LPCREATESTRUCT), OnNcCreate)((LPCREATESTRUCT)VX_LP);)
#define ON_WM_DESTROY() VX_MSG(WM_DESTROY, VX_CALL(void (ThisClass::*)(), OnDestroy)(); return 0;)
#define ON_WM_NCDESTROY() VX_MSG(WM_NCDESTROY, VX_CALL(void (ThisClass::*)(), OnNcDestroy)(); return 0;)
#define ON_WM_CLOSE() VX_MSG(WM_CLOSE, VX_CALL(void (ThisClass::*)(), OnClose)(); return 0;)
#define ON_WM_PAINT() VX_MSG(WM_PAINT, VX_CALL(void (ThisClass::*)(), OnPaint)(); return 0;)
#define ON_WM_NCPAINT() VX_MSG(WM_NCPAINT, VX_CALL(void (ThisClass::*)(), OnNcPaint)(); return 0;)
#define ON_WM_ERASEBKGND() \
    VX_MSG(WM_ERASEBKGND, return (LRESULT)VX_CALL(BOOL (ThisClass::*)(CDC*), OnEraseBkgnd)(CDC::FromHandle((HDC)VX_WP));)
#define ON_WM_SIZE() \
    VX_MSG(WM_SIZE, VX_CALL(void (ThisClass::*)(UINT, int, int), OnSize)((UINT)VX_WP, (int)(short)LOWORD(VX_LP), (int)(short)HIWORD(VX_LP)); return 0;)
#define ON_WM_SIZING() \
    VX_MSG(WM_SIZING, VX_CALL(void (ThisClass::*)(UINT, LPRECT), OnSizing)((UINT)VX_WP, (LPRECT)VX_LP); return TRUE;)
#define ON_WM_MOVE() \
    VX_MSG(WM_MOVE, VX_CALL(void (ThisClass::*)(int, int), OnMove)((int)(short)LOWORD(VX_LP), (int)(short)HIWORD(VX_LP)); return 0;)
#define ON_WM_TIMER() VX_MSG(WM_TIMER, VX_CALL(void (ThisClass::*)(UINT_PTR), OnTimer)((UINT_PTR)VX_WP); return 0;)

#define VX_MOUSE(msg, fn) VX_MSG(msg, VX_CALL(void (ThisClass::*)(UINT, CPoint), fn)((UINT)VX_WP, VX_PT_LP); return 0;)
#define ON_WM_LBUTTONDOWN() VX_MOUSE(WM_LBUTTONDOWN, OnLButtonDown)
#define ON_WM_LBUTTONUP() VX_MOUSE(WM_LBUTTONUP, OnLButtonUp)
#define ON_WM_LBUTTONDBLCLK() VX_MOUSE(WM_LBUTTONDBLCLK, OnLButtonDblClk)
#define ON_WM_RBUTTONDOWN() VX_MOUSE(WM_RBUTTONDOWN, OnRButtonDown)
#define ON_WM_RBUTTONUP() VX_MOUSE(WM_RBUTTONUP, OnRButtonUp)
#define ON_WM_RBUTTONDBLCLK() VX_MOUSE(WM_RBUTTONDBLCLK, OnRButtonDblClk)
#define ON_WM_MBUTTONDOWN() VX_MOUSE(WM_MBUTTONDOWN, OnMButtonDown)
#define ON_WM_MBUTTONUP() VX_MOUSE(WM_MBUTTONUP, OnMButtonUp)
#define ON_WM_MOUSEMOVE() VX_MOUSE(WM_MOUSEMOVE, OnMouseMove)
#define ON_WM_MOUSEWHEEL()                                                                          \
    VX_MSG(WM_MOUSEWHEEL, return (LRESULT)VX_CALL(BOOL (ThisClass::*)(UINT, short, CPoint), OnMouseWheel)( \
        (UINT)LOWORD(VX_WP), (short)HIWORD(VX_WP), VX_PT_LP);)
#define ON_WM_MOUSELEAVE() VX_MSG(WM_MOUSELEAVE, VX_CALL(void (ThisClass::*)(), OnMouseLeave)(); return 0;)
#define ON_WM_MOUSEACTIVATE()                                                                       \
    VX_MSG(WM_MOUSEACTIVATE, return (LRESULT)VX_CALL(int (ThisClass::*)(CWnd*, UINT, UINT), OnMouseActivate)( \
        VX_WND(VX_WP), (UINT)LOWORD(VX_LP), (UINT)HIWORD(VX_LP));)
#define ON_WM_SETCURSOR()                                                                           \
    VX_MSG(WM_SETCURSOR, return (LRESULT)VX_CALL(BOOL (ThisClass::*)(CWnd*, UINT, UINT), OnSetCursor)( \
        VX_WND(VX_WP), (UINT)LOWORD(VX_LP), (UINT)HIWORD(VX_LP));)

#define VX_KEY(msg, fn)                                                                             \
    VX_MSG(msg, VX_CALL(void (ThisClass::*)(UINT, UINT, UINT), fn)((UINT)VX_WP, (UINT)LOWORD(VX_LP), \
                                                                   (UINT)HIWORD(VX_LP)); return 0;)
#define ON_WM_KEYDOWN() VX_KEY(WM_KEYDOWN, OnKeyDown)
#define ON_WM_KEYUP() VX_KEY(WM_KEYUP, OnKeyUp)
#define ON_WM_CHAR() VX_KEY(WM_CHAR, OnChar)
#define ON_WM_SYSKEYDOWN() VX_KEY(WM_SYSKEYDOWN, OnSysKeyDown)
#define ON_WM_SYSKEYUP() VX_KEY(WM_SYSKEYUP, OnSysKeyUp)
#define ON_WM_SYSCHAR() VX_KEY(WM_SYSCHAR, OnSysChar)
#define ON_WM_SYSCOMMAND() \
    VX_MSG(WM_SYSCOMMAND, VX_CALL(void (ThisClass::*)(UINT, LPARAM), OnSysCommand)((UINT)VX_WP, VX_LP); return 0;)
#define ON_WM_GETDLGCODE() VX_MSG(WM_GETDLGCODE, return (LRESULT)VX_CALL(UINT (ThisClass::*)(), OnGetDlgCode)();)

#define ON_WM_SETFOCUS() VX_MSG(WM_SETFOCUS, VX_CALL(void (ThisClass::*)(CWnd*), OnSetFocus)(VX_WND(VX_WP)); return 0;)
#define ON_WM_KILLFOCUS() VX_MSG(WM_KILLFOCUS, VX_CALL(void (ThisClass::*)(CWnd*), OnKillFocus)(VX_WND(VX_WP)); return 0;)
#define ON_WM_ACTIVATE()                                                                            \
    VX_MSG(WM_ACTIVATE, VX_CALL(void (ThisClass::*)(UINT, CWnd*, BOOL), OnActivate)(                \
        (UINT)LOWORD(VX_WP), VX_WND(VX_LP), (BOOL)HIWORD(VX_WP)); return 0;)
#define ON_WM_ACTIVATEAPP() \
    VX_MSG(WM_ACTIVATEAPP, VX_CALL(void (ThisClass::*)(BOOL, DWORD), OnActivateApp)((BOOL)VX_WP, (DWORD)VX_LP); return 0;)
#define ON_WM_NCACTIVATE() \
    VX_MSG(WM_NCACTIVATE, return (LRESULT)VX_CALL(BOOL (ThisClass::*)(BOOL), OnNcActivate)((BOOL)VX_WP);)
// void OnMDIActivate(BOOL bActivate, CWnd* pActivateWnd, CWnd* pDeactivateWnd), in an MDI child
#define ON_WM_MDIACTIVATE()                                                                         \
    VX_MSG(WM_MDIACTIVATE, VX_CALL(void (ThisClass::*)(BOOL, CWnd*, CWnd*), OnMDIActivate)(         \
        (HWND)VX_LP == vxThis->m_hWnd, VX_WND(VX_LP), VX_WND(VX_WP)); return 0;)
#define ON_WM_CHILDACTIVATE() VX_MSG(WM_CHILDACTIVATE, VX_CALL(void (ThisClass::*)(), OnChildActivate)(); return 0;)
#define ON_WM_ENABLE() VX_MSG(WM_ENABLE, VX_CALL(void (ThisClass::*)(BOOL), OnEnable)((BOOL)VX_WP); return 0;)
#define ON_WM_SHOWWINDOW() \
    VX_MSG(WM_SHOWWINDOW, VX_CALL(void (ThisClass::*)(BOOL, UINT), OnShowWindow)((BOOL)VX_WP, (UINT)VX_LP); return 0;)
#define ON_WM_CONTEXTMENU() \
    VX_MSG(WM_CONTEXTMENU, VX_CALL(void (ThisClass::*)(CWnd*, CPoint), OnContextMenu)(VX_WND(VX_WP), VX_PT_LP); return 0;)
#define ON_WM_QUERYDRAGICON() VX_MSG(WM_QUERYDRAGICON, return (LRESULT)VX_CALL(HCURSOR (ThisClass::*)(), OnQueryDragIcon)();)
#define ON_WM_GETMINMAXINFO() \
    VX_MSG(WM_GETMINMAXINFO, VX_CALL(void (ThisClass::*)(MINMAXINFO*), OnGetMinMaxInfo)((MINMAXINFO*)VX_LP); return 0;)
#define ON_WM_WINDOWPOSCHANGING() \
    VX_MSG(WM_WINDOWPOSCHANGING, VX_CALL(void (ThisClass::*)(WINDOWPOS*), OnWindowPosChanging)((WINDOWPOS*)VX_LP); return 0;)
#define ON_WM_WINDOWPOSCHANGED() \
    VX_MSG(WM_WINDOWPOSCHANGED, VX_CALL(void (ThisClass::*)(WINDOWPOS*), OnWindowPosChanged)((WINDOWPOS*)VX_LP); return 0;)
#define ON_WM_STYLECHANGED()                                                                        \
    VX_MSG(WM_STYLECHANGED, VX_CALL(void (ThisClass::*)(int, LPSTYLESTRUCT), OnStyleChanged)((int)VX_WP, (LPSTYLESTRUCT)VX_LP); return 0;)
#define ON_WM_NCCALCSIZE()                                                                          \
    VX_MSG(WM_NCCALCSIZE, VX_CALL(void (ThisClass::*)(BOOL, NCCALCSIZE_PARAMS*), OnNcCalcSize)(    \
        (BOOL)VX_WP, (NCCALCSIZE_PARAMS*)VX_LP); return 0;)
#define ON_WM_NCHITTEST() VX_MSG(WM_NCHITTEST, return VX_CALL(LRESULT (ThisClass::*)(CPoint), OnNcHitTest)(VX_PT_LP);)
#define VX_NCMOUSE(msg, fn) VX_MSG(msg, VX_CALL(void (ThisClass::*)(UINT, CPoint), fn)((UINT)VX_WP, VX_PT_LP); return 0;)
#define ON_WM_NCLBUTTONDOWN() VX_NCMOUSE(WM_NCLBUTTONDOWN, OnNcLButtonDown)
#define ON_WM_NCLBUTTONUP() VX_NCMOUSE(WM_NCLBUTTONUP, OnNcLButtonUp)
#define ON_WM_NCLBUTTONDBLCLK() VX_NCMOUSE(WM_NCLBUTTONDBLCLK, OnNcLButtonDblClk)
#define ON_WM_NCRBUTTONDOWN() VX_NCMOUSE(WM_NCRBUTTONDOWN, OnNcRButtonDown)
#define ON_WM_NCRBUTTONUP() VX_NCMOUSE(WM_NCRBUTTONUP, OnNcRButtonUp)
#define ON_WM_NCMOUSEMOVE() VX_NCMOUSE(WM_NCMOUSEMOVE, OnNcMouseMove)

// HBRUSH OnCtlColor(CDC* pDC, CWnd* pWnd, UINT nCtlColor) for the whole WM_CTLCOLOR... family
#define ON_WM_CTLCOLOR()                                                                            \
    VX_MSG(WM_CTLCOLOR, return (LRESULT)VX_CALL(HBRUSH (ThisClass::*)(CDC*, CWnd*, UINT), OnCtlColor)( \
        CDC::FromHandle((HDC)VX_WP), VX_WND(VX_LP), (UINT)(vxArgs.message - WM_CTLCOLORMSGBOX));)
#define ON_WM_DRAWITEM()                                                                            \
    VX_MSG(WM_DRAWITEM, VX_CALL(void (ThisClass::*)(int, LPDRAWITEMSTRUCT), OnDrawItem)((int)VX_WP, (LPDRAWITEMSTRUCT)VX_LP); return TRUE;)
#define ON_WM_MEASUREITEM()                                                                         \
    VX_MSG(WM_MEASUREITEM, VX_CALL(void (ThisClass::*)(int, LPMEASUREITEMSTRUCT), OnMeasureItem)((int)VX_WP, (LPMEASUREITEMSTRUCT)VX_LP); return TRUE;)
#define ON_WM_COMPAREITEM()                                                                         \
    VX_MSG(WM_COMPAREITEM, return (LRESULT)VX_CALL(int (ThisClass::*)(int, LPCOMPAREITEMSTRUCT), OnCompareItem)((int)VX_WP, (LPCOMPAREITEMSTRUCT)VX_LP);)
#define ON_WM_DELETEITEM()                                                                          \
    VX_MSG(WM_DELETEITEM, VX_CALL(void (ThisClass::*)(int, LPDELETEITEMSTRUCT), OnDeleteItem)((int)VX_WP, (LPDELETEITEMSTRUCT)VX_LP); return TRUE;)
#define ON_WM_HSCROLL()                                                                             \
    VX_MSG(WM_HSCROLL, VX_CALL(void (ThisClass::*)(UINT, UINT, CScrollBar*), OnHScroll)(           \
        (UINT)LOWORD(VX_WP), (UINT)(short)HIWORD(VX_WP), (CScrollBar*)VX_WND(VX_LP)); return 0;)
#define ON_WM_VSCROLL()                                                                             \
    VX_MSG(WM_VSCROLL, VX_CALL(void (ThisClass::*)(UINT, UINT, CScrollBar*), OnVScroll)(           \
        (UINT)LOWORD(VX_WP), (UINT)(short)HIWORD(VX_WP), (CScrollBar*)VX_WND(VX_LP)); return 0;)
#define ON_WM_PARENTNOTIFY() \
    VX_MSG(WM_PARENTNOTIFY, VX_CALL(void (ThisClass::*)(UINT, LPARAM), OnParentNotify)((UINT)LOWORD(VX_WP), VX_LP); return 0;)

#define ON_WM_INITMENU() VX_MSG(WM_INITMENU, VX_CALL(void (ThisClass::*)(CMenu*), OnInitMenu)(CMenu::FromHandle((HMENU)VX_WP)); return 0;)
#define ON_WM_INITMENUPOPUP()                                                                       \
    VX_MSG(WM_INITMENUPOPUP, VX_CALL(void (ThisClass::*)(CMenu*, UINT, BOOL), OnInitMenuPopup)(     \
        CMenu::FromHandle((HMENU)VX_WP), (UINT)LOWORD(VX_LP), (BOOL)HIWORD(VX_LP)); return 0;)
#define ON_WM_MENUSELECT()                                                                          \
    VX_MSG(WM_MENUSELECT, VX_CALL(void (ThisClass::*)(UINT, UINT, HMENU), OnMenuSelect)(           \
        (UINT)LOWORD(VX_WP), (UINT)HIWORD(VX_WP), (HMENU)VX_LP); return 0;)
#define ON_WM_MENUCHAR()                                                                            \
    VX_MSG(WM_MENUCHAR, return VX_CALL(LRESULT (ThisClass::*)(UINT, UINT, CMenu*), OnMenuChar)(    \
        (UINT)LOWORD(VX_WP), (UINT)HIWORD(VX_WP), CMenu::FromHandle((HMENU)VX_LP));)
#define ON_WM_ENTERMENULOOP() \
    VX_MSG(WM_ENTERMENULOOP, VX_CALL(void (ThisClass::*)(BOOL), OnEnterMenuLoop)((BOOL)VX_WP); return 0;)
#define ON_WM_EXITMENULOOP() \
    VX_MSG(WM_EXITMENULOOP, VX_CALL(void (ThisClass::*)(BOOL), OnExitMenuLoop)((BOOL)VX_WP); return 0;)
#define ON_WM_ENTERIDLE() \
    VX_MSG(WM_ENTERIDLE, VX_CALL(void (ThisClass::*)(UINT, CWnd*), OnEnterIdle)((UINT)VX_WP, VX_WND(VX_LP)); return 0;)

#define ON_WM_CANCELMODE() VX_MSG(WM_CANCELMODE, VX_CALL(void (ThisClass::*)(), OnCancelMode)(); return 0;)
#define ON_WM_CAPTURECHANGED() \
    VX_MSG(WM_CAPTURECHANGED, VX_CALL(void (ThisClass::*)(CWnd*), OnCaptureChanged)(VX_WND(VX_LP)); return 0;)
#define ON_WM_SYSCOLORCHANGE() VX_MSG(WM_SYSCOLORCHANGE, VX_CALL(void (ThisClass::*)(), OnSysColorChange)(); return 0;)
#define ON_WM_SETTINGCHANGE() \
    VX_MSG(WM_SETTINGCHANGE, VX_CALL(void (ThisClass::*)(UINT, LPCSTR), OnSettingChange)((UINT)VX_WP, (LPCSTR)VX_LP); return 0;)
#define ON_WM_FONTCHANGE() VX_MSG(WM_FONTCHANGE, VX_CALL(void (ThisClass::*)(), OnFontChange)(); return 0;)
#define ON_WM_DROPFILES() VX_MSG(WM_DROPFILES, VX_CALL(void (ThisClass::*)(HDROP), OnDropFiles)((HDROP)VX_WP); return 0;)
#define ON_WM_HELPINFO() VX_MSG(WM_HELP, return (LRESULT)VX_CALL(BOOL (ThisClass::*)(HELPINFO*), OnHelpInfo)((HELPINFO*)VX_LP);)

// clang-format on
