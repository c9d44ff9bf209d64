// Every message-map entry cracks its message: each row sends a message with known arguments and checks
// what the handler received and what the sender got back.
#include "framework/win/Framework.h"

#include <gtest/gtest.h>

#include <sstream>
#include <string>

namespace
{

std::string g_log;
HWND g_other = nullptr;
HDC g_hdc = nullptr;
HMENU g_menu = nullptr;
HBRUSH g_brush = nullptr;
HCURSOR g_cursor = nullptr;
HDROP g_drop = reinterpret_cast<HDROP>(static_cast<UINT_PTR>(0x5150));

std::ostream& operator<<(std::ostream& out, const CPoint& pt)
{
    return out << '(' << pt.x << ',' << pt.y << ')';
}

// How a handler sees a window argument.
const char* W(const CWnd* pWnd)
{
    if (pWnd == nullptr)
        return "null";
    return pWnd->m_hWnd == g_other ? "other" : "?";
}

template <class... Args>
void Log(const char* handler, Args... args)
{
    std::ostringstream out;
    out << handler;
    ((out << ' ' << args), ...);
    g_log = out.str();
}

class CCrackWnd : public CWnd
{
public:
    afx_msg int OnCreate(LPCREATESTRUCT cs)
    {
        Log("OnCreate", cs->cx);
        return 7;
    }
    afx_msg BOOL OnNcCreate(LPCREATESTRUCT cs)
    {
        Log("OnNcCreate", cs->cy);
        return TRUE;
    }
    afx_msg void OnDestroy() { Log("OnDestroy"); }
    afx_msg void OnNcDestroy() { Log("OnNcDestroy"); }
    afx_msg void OnClose() { Log("OnClose"); }
    afx_msg void OnPaint() { Log("OnPaint"); }
    afx_msg void OnNcPaint() { Log("OnNcPaint"); }
    afx_msg BOOL OnEraseBkgnd(CDC* pDC)
    {
        Log("OnEraseBkgnd", (pDC != nullptr && pDC->m_hDC == g_hdc));
        return TRUE;
    }
    afx_msg void OnSize(UINT nType, int cx, int cy) { Log("OnSize", nType, cx, cy); }
    afx_msg void OnSizing(UINT fwSide, LPRECT pRect) { Log("OnSizing", fwSide, pRect->right); }
    afx_msg void OnMove(int x, int y) { Log("OnMove", x, y); }
    afx_msg void OnTimer(UINT_PTR nIDEvent) { Log("OnTimer", nIDEvent); }
    afx_msg void OnLButtonDown(UINT nFlags, CPoint pt) { Log("OnLButtonDown", nFlags, pt); }
    afx_msg void OnLButtonUp(UINT nFlags, CPoint pt) { Log("OnLButtonUp", nFlags, pt); }
    afx_msg void OnLButtonDblClk(UINT nFlags, CPoint pt) { Log("OnLButtonDblClk", nFlags, pt); }
    afx_msg void OnRButtonDown(UINT nFlags, CPoint pt) { Log("OnRButtonDown", nFlags, pt); }
    afx_msg void OnRButtonUp(UINT nFlags, CPoint pt) { Log("OnRButtonUp", nFlags, pt); }
    afx_msg void OnRButtonDblClk(UINT nFlags, CPoint pt) { Log("OnRButtonDblClk", nFlags, pt); }
    afx_msg void OnMButtonDown(UINT nFlags, CPoint pt) { Log("OnMButtonDown", nFlags, pt); }
    afx_msg void OnMButtonUp(UINT nFlags, CPoint pt) { Log("OnMButtonUp", nFlags, pt); }
    afx_msg void OnMouseMove(UINT nFlags, CPoint pt) { Log("OnMouseMove", nFlags, pt); }
    afx_msg BOOL OnMouseWheel(UINT nFlags, short zDelta, CPoint pt)
    {
        Log("OnMouseWheel", nFlags, zDelta, pt);
        return TRUE;
    }
    afx_msg void OnMouseLeave() { Log("OnMouseLeave"); }
    afx_msg int OnMouseActivate(CWnd* pDesktopWnd, UINT nHitTest, UINT message)
    {
        Log("OnMouseActivate", W(pDesktopWnd), nHitTest, message);
        return MA_NOACTIVATE;
    }
    afx_msg BOOL OnSetCursor(CWnd* pWnd, UINT nHitTest, UINT message)
    {
        Log("OnSetCursor", W(pWnd), nHitTest, message);
        return TRUE;
    }
    afx_msg void OnKeyDown(UINT nChar, UINT nRepCnt, UINT nFlags) { Log("OnKeyDown", nChar, nRepCnt, nFlags); }
    afx_msg void OnKeyUp(UINT nChar, UINT nRepCnt, UINT nFlags) { Log("OnKeyUp", nChar, nRepCnt, nFlags); }
    afx_msg void OnChar(UINT nChar, UINT nRepCnt, UINT nFlags) { Log("OnChar", nChar, nRepCnt, nFlags); }
    afx_msg void OnSysKeyDown(UINT nChar, UINT nRepCnt, UINT nFlags)
    {
        Log("OnSysKeyDown", nChar, nRepCnt, nFlags);
    }
    afx_msg void OnSysKeyUp(UINT nChar, UINT nRepCnt, UINT nFlags) { Log("OnSysKeyUp", nChar, nRepCnt, nFlags); }
    afx_msg void OnSysChar(UINT nChar, UINT nRepCnt, UINT nFlags) { Log("OnSysChar", nChar, nRepCnt, nFlags); }
    afx_msg void OnSysCommand(UINT nID, LPARAM lParam) { Log("OnSysCommand", nID, lParam); }
    afx_msg UINT OnGetDlgCode()
    {
        Log("OnGetDlgCode");
        return DLGC_WANTALLKEYS;
    }
    afx_msg void OnSetFocus(CWnd* pOldWnd) { Log("OnSetFocus", W(pOldWnd)); }
    afx_msg void OnKillFocus(CWnd* pNewWnd) { Log("OnKillFocus", W(pNewWnd)); }
    afx_msg void OnActivate(UINT nState, CWnd* pWndOther, BOOL bMinimized)
    {
        Log("OnActivate", nState, W(pWndOther), bMinimized);
    }
    afx_msg void OnActivateApp(BOOL bActive, DWORD dwThreadID) { Log("OnActivateApp", bActive, dwThreadID); }
    afx_msg BOOL OnNcActivate(BOOL bActive)
    {
        Log("OnNcActivate", bActive);
        return TRUE;
    }
    afx_msg void OnChildActivate() { Log("OnChildActivate"); }
    afx_msg void OnEnable(BOOL bEnable) { Log("OnEnable", bEnable); }
    afx_msg void OnShowWindow(BOOL bShow, UINT nStatus) { Log("OnShowWindow", bShow, nStatus); }
    afx_msg void OnContextMenu(CWnd* pWnd, CPoint pos) { Log("OnContextMenu", W(pWnd), pos); }
    afx_msg HCURSOR OnQueryDragIcon()
    {
        Log("OnQueryDragIcon");
        return g_cursor;
    }
    afx_msg void OnGetMinMaxInfo(MINMAXINFO* lpMMI) { Log("OnGetMinMaxInfo", lpMMI->ptMinTrackSize.x); }
    afx_msg void OnWindowPosChanging(WINDOWPOS* lpwndpos) { Log("OnWindowPosChanging", lpwndpos->cx); }
    afx_msg void OnWindowPosChanged(WINDOWPOS* lpwndpos) { Log("OnWindowPosChanged", lpwndpos->cy); }
    afx_msg void OnStyleChanged(int nStyleType, LPSTYLESTRUCT lpStyleStruct)
    {
        Log("OnStyleChanged", nStyleType, lpStyleStruct->styleNew);
    }
    afx_msg void OnNcCalcSize(BOOL bCalcValidRects, NCCALCSIZE_PARAMS* lpncsp)
    {
        Log("OnNcCalcSize", bCalcValidRects, lpncsp->rgrc[0].right);
    }
    afx_msg LRESULT OnNcHitTest(CPoint point)
    {
        Log("OnNcHitTest", point);
        return HTCAPTION;
    }
    afx_msg void OnNcLButtonDown(UINT nHitTest, CPoint point) { Log("OnNcLButtonDown", nHitTest, point); }
    afx_msg void OnNcLButtonUp(UINT nHitTest, CPoint point) { Log("OnNcLButtonUp", nHitTest, point); }
    afx_msg void OnNcLButtonDblClk(UINT nHitTest, CPoint point) { Log("OnNcLButtonDblClk", nHitTest, point); }
    afx_msg void OnNcRButtonDown(UINT nHitTest, CPoint point) { Log("OnNcRButtonDown", nHitTest, point); }
    afx_msg void OnNcRButtonUp(UINT nHitTest, CPoint point) { Log("OnNcRButtonUp", nHitTest, point); }
    afx_msg void OnNcMouseMove(UINT nHitTest, CPoint point) { Log("OnNcMouseMove", nHitTest, point); }
    afx_msg HBRUSH OnCtlColor(CDC* pDC, CWnd* pWnd, UINT nCtlColor)
    {
        Log("OnCtlColor", (pDC->m_hDC == g_hdc), W(pWnd), nCtlColor);
        return g_brush;
    }
    afx_msg void OnDrawItem(int nIDCtl, LPDRAWITEMSTRUCT lpDIS) { Log("OnDrawItem", nIDCtl, lpDIS->itemID); }
    afx_msg void OnMeasureItem(int nIDCtl, LPMEASUREITEMSTRUCT lpMIS)
    {
        Log("OnMeasureItem", nIDCtl, lpMIS->itemID);
    }
    afx_msg int OnCompareItem(int nIDCtl, LPCOMPAREITEMSTRUCT lpCIS)
    {
        Log("OnCompareItem", nIDCtl, lpCIS->itemID1);
        return -1;
    }
    afx_msg void OnDeleteItem(int nIDCtl, LPDELETEITEMSTRUCT lpDIS) { Log("OnDeleteItem", nIDCtl, lpDIS->itemID); }
    afx_msg void OnHScroll(UINT nSBCode, UINT nPos, CScrollBar* pScrollBar)
    {
        Log("OnHScroll", nSBCode, nPos, W(pScrollBar));
    }
    afx_msg void OnVScroll(UINT nSBCode, UINT nPos, CScrollBar* pScrollBar)
    {
        Log("OnVScroll", nSBCode, nPos, W(pScrollBar));
    }
    afx_msg void OnParentNotify(UINT message, LPARAM lParam) { Log("OnParentNotify", message, lParam); }
    afx_msg void OnInitMenu(CMenu* pMenu) { Log("OnInitMenu", (pMenu->m_hMenu == g_menu)); }
    afx_msg void OnInitMenuPopup(CMenu* pPopupMenu, UINT nIndex, BOOL bSysMenu)
    {
        Log("OnInitMenuPopup", (pPopupMenu->m_hMenu == g_menu), nIndex, bSysMenu);
    }
    afx_msg void OnMenuSelect(UINT nItemID, UINT nFlags, HMENU hSysMenu)
    {
        Log("OnMenuSelect", nItemID, nFlags, (hSysMenu == g_menu));
    }
    afx_msg LRESULT OnMenuChar(UINT nChar, UINT nFlags, CMenu* pMenu)
    {
        Log("OnMenuChar", nChar, nFlags, (pMenu->m_hMenu == g_menu));
        return MAKELRESULT(1, MNC_EXECUTE);
    }
    afx_msg void OnEnterMenuLoop(BOOL bIsTrackPopupMenu) { Log("OnEnterMenuLoop", bIsTrackPopupMenu); }
    afx_msg void OnExitMenuLoop(BOOL bIsTrackPopupMenu) { Log("OnExitMenuLoop", bIsTrackPopupMenu); }
    afx_msg void OnEnterIdle(UINT nWhy, CWnd* pWho) { Log("OnEnterIdle", nWhy, W(pWho)); }
    afx_msg void OnCancelMode() { Log("OnCancelMode"); }
    afx_msg void OnCaptureChanged(CWnd* pWnd) { Log("OnCaptureChanged", W(pWnd)); }
    afx_msg void OnSysColorChange() { Log("OnSysColorChange"); }
    afx_msg void OnSettingChange(UINT uFlags, LPCSTR lpszSection) { Log("OnSettingChange", uFlags, lpszSection); }
    afx_msg void OnFontChange() { Log("OnFontChange"); }
    afx_msg void OnDropFiles(HDROP hDropInfo) { Log("OnDropFiles", (hDropInfo == g_drop)); }
    afx_msg BOOL OnHelpInfo(HELPINFO* pHelpInfo)
    {
        Log("OnHelpInfo", pHelpInfo->iCtrlId);
        return TRUE;
    }
    DECLARE_MESSAGE_MAP()
};

BEGIN_MESSAGE_MAP(CCrackWnd, CWnd)
    ON_WM_CREATE()
    ON_WM_NCCREATE()
    ON_WM_DESTROY()
    ON_WM_NCDESTROY()
    ON_WM_CLOSE()
    ON_WM_PAINT()
    ON_WM_NCPAINT()
    ON_WM_ERASEBKGND()
    ON_WM_SIZE()
    ON_WM_SIZING()
    ON_WM_MOVE()
    ON_WM_TIMER()
    ON_WM_LBUTTONDOWN()
    ON_WM_LBUTTONUP()
    ON_WM_LBUTTONDBLCLK()
    ON_WM_RBUTTONDOWN()
    ON_WM_RBUTTONUP()
    ON_WM_RBUTTONDBLCLK()
    ON_WM_MBUTTONDOWN()
    ON_WM_MBUTTONUP()
    ON_WM_MOUSEMOVE()
    ON_WM_MOUSEWHEEL()
    ON_WM_MOUSELEAVE()
    ON_WM_MOUSEACTIVATE()
    ON_WM_SETCURSOR()
    ON_WM_KEYDOWN()
    ON_WM_KEYUP()
    ON_WM_CHAR()
    ON_WM_SYSKEYDOWN()
    ON_WM_SYSKEYUP()
    ON_WM_SYSCHAR()
    ON_WM_SYSCOMMAND()
    ON_WM_GETDLGCODE()
    ON_WM_SETFOCUS()
    ON_WM_KILLFOCUS()
    ON_WM_ACTIVATE()
    ON_WM_ACTIVATEAPP()
    ON_WM_NCACTIVATE()
    ON_WM_CHILDACTIVATE()
    ON_WM_ENABLE()
    ON_WM_SHOWWINDOW()
    ON_WM_CONTEXTMENU()
    ON_WM_QUERYDRAGICON()
    ON_WM_GETMINMAXINFO()
    ON_WM_WINDOWPOSCHANGING()
    ON_WM_WINDOWPOSCHANGED()
    ON_WM_STYLECHANGED()
    ON_WM_NCCALCSIZE()
    ON_WM_NCHITTEST()
    ON_WM_NCLBUTTONDOWN()
    ON_WM_NCLBUTTONUP()
    ON_WM_NCLBUTTONDBLCLK()
    ON_WM_NCRBUTTONDOWN()
    ON_WM_NCRBUTTONUP()
    ON_WM_NCMOUSEMOVE()
    ON_WM_CTLCOLOR()
    ON_WM_DRAWITEM()
    ON_WM_MEASUREITEM()
    ON_WM_COMPAREITEM()
    ON_WM_DELETEITEM()
    ON_WM_HSCROLL()
    ON_WM_VSCROLL()
    ON_WM_PARENTNOTIFY()
    ON_WM_INITMENU()
    ON_WM_INITMENUPOPUP()
    ON_WM_MENUSELECT()
    ON_WM_MENUCHAR()
    ON_WM_ENTERMENULOOP()
    ON_WM_EXITMENULOOP()
    ON_WM_ENTERIDLE()
    ON_WM_CANCELMODE()
    ON_WM_CAPTURECHANGED()
    ON_WM_SYSCOLORCHANGE()
    ON_WM_SETTINGCHANGE()
    ON_WM_FONTCHANGE()
    ON_WM_DROPFILES()
    ON_WM_HELPINFO()
END_MESSAGE_MAP()

struct CrackRow
{
    UINT message;
    WPARAM wParam;
    LPARAM lParam;
    const char* expected;
    LRESULT result;
};

// A window of ours and the objects the rows point at.
class MessageCracking : public ::testing::Test
{
protected:
    void SetUp() override
    {
        g_other = ::CreateWindowExA(0, "STATIC", "", WS_POPUP, 0, 0, 10, 10, nullptr, nullptr, nullptr, nullptr);
        g_hdc = ::GetDC(g_other);
        g_menu = ::CreatePopupMenu();
        g_brush = static_cast<HBRUSH>(::GetStockObject(GRAY_BRUSH));
        g_cursor = ::LoadCursorA(nullptr, IDC_CROSS);
    }
    void TearDown() override
    {
        AfxDeleteTempMaps();
        ::ReleaseDC(g_other, g_hdc);
        ::DestroyWindow(g_other);
        ::DestroyMenu(g_menu);
    }
};

TEST_F(MessageCracking, EveryWindowMessageEntryPassesItsArguments)
{
    CCrackWnd wnd;
    ASSERT_TRUE(wnd.CreateEx(0, nullptr, "crack", WS_POPUP, 0, 0, 50, 50, nullptr, nullptr));
    CREATESTRUCTA cs = {};
    cs.cx = 111;
    cs.cy = 222;
    RECT rc = {10, 20, 40, 50};
    MINMAXINFO mmi = {};
    mmi.ptMinTrackSize.x = 99;
    WINDOWPOS wp = {};
    wp.cx = 333;
    wp.cy = 444;
    STYLESTRUCT ss = {1, 5};
    NCCALCSIZE_PARAMS ncp = {};
    ncp.rgrc[0].right = 555;
    DRAWITEMSTRUCT dis = {};
    dis.itemID = 5;
    MEASUREITEMSTRUCT mis = {};
    mis.itemID = 6;
    COMPAREITEMSTRUCT cis = {};
    cis.itemID1 = 7;
    DELETEITEMSTRUCT del = {};
    del.itemID = 8;
    HELPINFO hi = {};
    hi.cbSize = sizeof(hi);
    hi.iCtrlId = 31;
    const CrackRow rows[] = {
        {WM_CREATE, (WPARAM)(0), (LPARAM)((LPARAM)&cs), "OnCreate 111", (LRESULT)(7)},
        {WM_NCCREATE, (WPARAM)(0), (LPARAM)((LPARAM)&cs), "OnNcCreate 222", (LRESULT)(1)},
        {WM_DESTROY, (WPARAM)(0), (LPARAM)(0), "OnDestroy", (LRESULT)(0)},
        {WM_NCDESTROY, (WPARAM)(0), (LPARAM)(0), "OnNcDestroy", (LRESULT)(0)},
        {WM_CLOSE, (WPARAM)(0), (LPARAM)(0), "OnClose", (LRESULT)(0)},
        {WM_PAINT, (WPARAM)(0), (LPARAM)(0), "OnPaint", (LRESULT)(0)},
        {WM_NCPAINT, (WPARAM)(1), (LPARAM)(0), "OnNcPaint", (LRESULT)(0)},
        {WM_ERASEBKGND, (WPARAM)((WPARAM)g_hdc), (LPARAM)(0), "OnEraseBkgnd 1", (LRESULT)(1)},
        {WM_SIZE, (WPARAM)(SIZE_MAXIMIZED), (LPARAM)(MAKELPARAM(640, 480)), "OnSize 2 640 480", (LRESULT)(0)},
        {WM_SIZING, (WPARAM)(WMSZ_BOTTOMRIGHT), (LPARAM)((LPARAM)&rc), "OnSizing 8 40", (LRESULT)(1)},
        {WM_MOVE, (WPARAM)(0), (LPARAM)(MAKELPARAM(-10, 20)), "OnMove -10 20", (LRESULT)(0)},
        {WM_TIMER, (WPARAM)(42), (LPARAM)(0), "OnTimer 42", (LRESULT)(0)},
        {WM_LBUTTONDOWN, (WPARAM)(MK_LBUTTON), (LPARAM)(MAKELPARAM(-3, 17)), "OnLButtonDown 1 (-3,17)",
         (LRESULT)(0)},
        {WM_LBUTTONUP, (WPARAM)(MK_SHIFT), (LPARAM)(MAKELPARAM(4, 5)), "OnLButtonUp 4 (4,5)", (LRESULT)(0)},
        {WM_LBUTTONDBLCLK, (WPARAM)(MK_LBUTTON), (LPARAM)(MAKELPARAM(6, 7)), "OnLButtonDblClk 1 (6,7)",
         (LRESULT)(0)},
        {WM_RBUTTONDOWN, (WPARAM)(MK_RBUTTON), (LPARAM)(MAKELPARAM(8, 9)), "OnRButtonDown 2 (8,9)", (LRESULT)(0)},
        {WM_RBUTTONUP, (WPARAM)(0), (LPARAM)(MAKELPARAM(10, -11)), "OnRButtonUp 0 (10,-11)", (LRESULT)(0)},
        {WM_RBUTTONDBLCLK, (WPARAM)(MK_RBUTTON), (LPARAM)(MAKELPARAM(12, 13)), "OnRButtonDblClk 2 (12,13)",
         (LRESULT)(0)},
        {WM_MBUTTONDOWN, (WPARAM)(MK_MBUTTON), (LPARAM)(MAKELPARAM(14, 15)), "OnMButtonDown 16 (14,15)",
         (LRESULT)(0)},
        {WM_MBUTTONUP, (WPARAM)(MK_CONTROL), (LPARAM)(MAKELPARAM(16, 17)), "OnMButtonUp 8 (16,17)", (LRESULT)(0)},
        {WM_MOUSEMOVE, (WPARAM)(0), (LPARAM)(MAKELPARAM(18, 19)), "OnMouseMove 0 (18,19)", (LRESULT)(0)},
        {WM_MOUSEWHEEL, (WPARAM)(MAKEWPARAM(MK_CONTROL, -240)), (LPARAM)(MAKELPARAM(300, 400)),
         "OnMouseWheel 8 -240 (300,400)", (LRESULT)(1)},
        {WM_MOUSELEAVE, (WPARAM)(0), (LPARAM)(0), "OnMouseLeave", (LRESULT)(0)},
        {WM_MOUSEACTIVATE, (WPARAM)((WPARAM)g_other), (LPARAM)(MAKELPARAM(HTCAPTION, WM_LBUTTONDOWN)),
         "OnMouseActivate other 2 513", (LRESULT)(3)},
        {WM_SETCURSOR, (WPARAM)((WPARAM)g_other), (LPARAM)(MAKELPARAM(HTCLIENT, WM_MOUSEMOVE)),
         "OnSetCursor other 1 512", (LRESULT)(1)},
        {WM_KEYDOWN, (WPARAM)('A'), (LPARAM)(MAKELPARAM(3, 0x1E)), "OnKeyDown 65 3 30", (LRESULT)(0)},
        {WM_KEYUP, (WPARAM)(VK_F5), (LPARAM)(MAKELPARAM(1, 0xC03F)), "OnKeyUp 116 1 49215", (LRESULT)(0)},
        {WM_CHAR, (WPARAM)(0xE4), (LPARAM)(MAKELPARAM(2, 0x28)), "OnChar 228 2 40", (LRESULT)(0)},
        {WM_SYSKEYDOWN, (WPARAM)(VK_MENU), (LPARAM)(MAKELPARAM(1, 0x2038)), "OnSysKeyDown 18 1 8248",
         (LRESULT)(0)},
        {WM_SYSKEYUP, (WPARAM)(VK_MENU), (LPARAM)(MAKELPARAM(1, 0xC038)), "OnSysKeyUp 18 1 49208", (LRESULT)(0)},
        {WM_SYSCHAR, (WPARAM)('x'), (LPARAM)(MAKELPARAM(1, 0x202D)), "OnSysChar 120 1 8237", (LRESULT)(0)},
        {WM_SYSCOMMAND, (WPARAM)(SC_CLOSE), (LPARAM)(77), "OnSysCommand 61536 77", (LRESULT)(0)},
        {WM_GETDLGCODE, (WPARAM)(0), (LPARAM)(0), "OnGetDlgCode", (LRESULT)(4)},
        {WM_SETFOCUS, (WPARAM)((WPARAM)g_other), (LPARAM)(0), "OnSetFocus other", (LRESULT)(0)},
        {WM_KILLFOCUS, (WPARAM)(0), (LPARAM)(0), "OnKillFocus null", (LRESULT)(0)},
        {WM_ACTIVATE, (WPARAM)(MAKEWPARAM(WA_CLICKACTIVE, 1)), (LPARAM)((LPARAM)g_other), "OnActivate 2 other 1",
         (LRESULT)(0)},
        {WM_ACTIVATEAPP, (WPARAM)(TRUE), (LPARAM)(1234), "OnActivateApp 1 1234", (LRESULT)(0)},
        {WM_NCACTIVATE, (WPARAM)(FALSE), (LPARAM)(0), "OnNcActivate 0", (LRESULT)(1)},
        {WM_CHILDACTIVATE, (WPARAM)(0), (LPARAM)(0), "OnChildActivate", (LRESULT)(0)},
        {WM_ENABLE, (WPARAM)(TRUE), (LPARAM)(0), "OnEnable 1", (LRESULT)(0)},
        {WM_SHOWWINDOW, (WPARAM)(TRUE), (LPARAM)(SW_PARENTOPENING), "OnShowWindow 1 3", (LRESULT)(0)},
        {WM_CONTEXTMENU, (WPARAM)((WPARAM)g_other), (LPARAM)(MAKELPARAM(-1, -1)), "OnContextMenu other (-1,-1)",
         (LRESULT)(0)},
        {WM_QUERYDRAGICON, (WPARAM)(0), (LPARAM)(0), "OnQueryDragIcon", (LRESULT)((LRESULT)g_cursor)},
        {WM_GETMINMAXINFO, (WPARAM)(0), (LPARAM)((LPARAM)&mmi), "OnGetMinMaxInfo 99", (LRESULT)(0)},
        {WM_WINDOWPOSCHANGING, (WPARAM)(0), (LPARAM)((LPARAM)&wp), "OnWindowPosChanging 333", (LRESULT)(0)},
        {WM_WINDOWPOSCHANGED, (WPARAM)(0), (LPARAM)((LPARAM)&wp), "OnWindowPosChanged 444", (LRESULT)(0)},
        {WM_STYLECHANGED, (WPARAM)(GWL_EXSTYLE), (LPARAM)((LPARAM)&ss), "OnStyleChanged -20 5", (LRESULT)(0)},
        {WM_NCCALCSIZE, (WPARAM)(TRUE), (LPARAM)((LPARAM)&ncp), "OnNcCalcSize 1 555", (LRESULT)(0)},
        {WM_NCHITTEST, (WPARAM)(0), (LPARAM)(MAKELPARAM(-20, 30)), "OnNcHitTest (-20,30)", (LRESULT)(HTCAPTION)},
        {WM_NCLBUTTONDOWN, (WPARAM)(HTCAPTION), (LPARAM)(MAKELPARAM(1, 2)), "OnNcLButtonDown 2 (1,2)",
         (LRESULT)(0)},
        {WM_NCLBUTTONUP, (WPARAM)(HTLEFT), (LPARAM)(MAKELPARAM(3, 4)), "OnNcLButtonUp 10 (3,4)", (LRESULT)(0)},
        {WM_NCLBUTTONDBLCLK, (WPARAM)(HTCAPTION), (LPARAM)(MAKELPARAM(5, 6)), "OnNcLButtonDblClk 2 (5,6)",
         (LRESULT)(0)},
        {WM_NCRBUTTONDOWN, (WPARAM)(HTSYSMENU), (LPARAM)(MAKELPARAM(7, 8)), "OnNcRButtonDown 3 (7,8)",
         (LRESULT)(0)},
        {WM_NCRBUTTONUP, (WPARAM)(HTSYSMENU), (LPARAM)(MAKELPARAM(9, 10)), "OnNcRButtonUp 3 (9,10)", (LRESULT)(0)},
        {WM_NCMOUSEMOVE, (WPARAM)(HTTOP), (LPARAM)(MAKELPARAM(11, -12)), "OnNcMouseMove 12 (11,-12)",
         (LRESULT)(0)},
        {WM_CTLCOLOREDIT, (WPARAM)((WPARAM)g_hdc), (LPARAM)((LPARAM)g_other), "OnCtlColor 1 other 1",
         (LRESULT)((LRESULT)g_brush)},
        {WM_DRAWITEM, (WPARAM)(21), (LPARAM)((LPARAM)&dis), "OnDrawItem 21 5", (LRESULT)(1)},
        {WM_MEASUREITEM, (WPARAM)(22), (LPARAM)((LPARAM)&mis), "OnMeasureItem 22 6", (LRESULT)(1)},
        {WM_COMPAREITEM, (WPARAM)(23), (LPARAM)((LPARAM)&cis), "OnCompareItem 23 7", (LRESULT)(-1)},
        {WM_DELETEITEM, (WPARAM)(24), (LPARAM)((LPARAM)&del), "OnDeleteItem 24 8", (LRESULT)(1)},
        {WM_HSCROLL, (WPARAM)(MAKEWPARAM(SB_THUMBTRACK, 300)), (LPARAM)((LPARAM)g_other), "OnHScroll 5 300 other",
         (LRESULT)(0)},
        {WM_VSCROLL, (WPARAM)(MAKEWPARAM(SB_LINEDOWN, 0)), (LPARAM)(0), "OnVScroll 1 0 null", (LRESULT)(0)},
        {WM_PARENTNOTIFY, (WPARAM)(MAKEWPARAM(WM_CREATE, 9)), (LPARAM)(88), "OnParentNotify 1 88", (LRESULT)(0)},
        {WM_INITMENU, (WPARAM)((WPARAM)g_menu), (LPARAM)(0), "OnInitMenu 1", (LRESULT)(0)},
        {WM_INITMENUPOPUP, (WPARAM)((WPARAM)g_menu), (LPARAM)(MAKELPARAM(2, TRUE)), "OnInitMenuPopup 1 2 1",
         (LRESULT)(0)},
        {WM_MENUSELECT, (WPARAM)(MAKEWPARAM(57603, MF_POPUP)), (LPARAM)((LPARAM)g_menu), "OnMenuSelect 57603 16 1",
         (LRESULT)(0)},
        {WM_MENUCHAR, (WPARAM)(MAKEWPARAM('s', MF_POPUP)), (LPARAM)((LPARAM)g_menu), "OnMenuChar 115 16 1",
         (LRESULT)(MAKELRESULT(1, MNC_EXECUTE))},
        {WM_ENTERMENULOOP, (WPARAM)(TRUE), (LPARAM)(0), "OnEnterMenuLoop 1", (LRESULT)(0)},
        {WM_EXITMENULOOP, (WPARAM)(FALSE), (LPARAM)(0), "OnExitMenuLoop 0", (LRESULT)(0)},
        {WM_ENTERIDLE, (WPARAM)(MSGF_MENU), (LPARAM)((LPARAM)g_other), "OnEnterIdle 2 other", (LRESULT)(0)},
        {WM_CANCELMODE, (WPARAM)(0), (LPARAM)(0), "OnCancelMode", (LRESULT)(0)},
        {WM_CAPTURECHANGED, (WPARAM)(0), (LPARAM)((LPARAM)g_other), "OnCaptureChanged other", (LRESULT)(0)},
        {WM_SYSCOLORCHANGE, (WPARAM)(0), (LPARAM)(0), "OnSysColorChange", (LRESULT)(0)},
        {WM_SETTINGCHANGE, (WPARAM)(SPI_SETWORKAREA), (LPARAM)((LPARAM) "intl"), "OnSettingChange 47 intl",
         (LRESULT)(0)},
        {WM_FONTCHANGE, (WPARAM)(0), (LPARAM)(0), "OnFontChange", (LRESULT)(0)},
        {WM_DROPFILES, (WPARAM)((WPARAM)g_drop), (LPARAM)(0), "OnDropFiles 1", (LRESULT)(0)},
        {WM_HELP, (WPARAM)(0), (LPARAM)((LPARAM)&hi), "OnHelpInfo 31", (LRESULT)(1)},
    };
    for (const CrackRow& row : rows)
    {
        g_log.clear();
        // The last message a window gets must not end its object here: it goes straight to the map.
        LRESULT result = row.message == WM_NCDESTROY ? wnd.WindowProc(row.message, row.wParam, row.lParam)
                                                     : wnd.SendMessage(row.message, row.wParam, row.lParam);
        EXPECT_EQ(row.expected, g_log) << "message 0x" << std::hex << row.message;
        EXPECT_EQ(row.result, result) << "message 0x" << std::hex << row.message;
    }
}

// ---- control notifications ---------------------------------------------------------------------------

class CNotifyWnd : public CWnd
{
public:
    afx_msg void OnBNCLICKED() { Log("BN_CLICKED"); }
    afx_msg void OnBNDOUBLECLICKED() { Log("BN_DOUBLECLICKED"); }
    afx_msg void OnBNSETFOCUS() { Log("BN_SETFOCUS"); }
    afx_msg void OnBNKILLFOCUS() { Log("BN_KILLFOCUS"); }
    afx_msg void OnENCHANGE() { Log("EN_CHANGE"); }
    afx_msg void OnENUPDATE() { Log("EN_UPDATE"); }
    afx_msg void OnENSETFOCUS() { Log("EN_SETFOCUS"); }
    afx_msg void OnENKILLFOCUS() { Log("EN_KILLFOCUS"); }
    afx_msg void OnENMAXTEXT() { Log("EN_MAXTEXT"); }
    afx_msg void OnCBNSELCHANGE() { Log("CBN_SELCHANGE"); }
    afx_msg void OnCBNDBLCLK() { Log("CBN_DBLCLK"); }
    afx_msg void OnCBNSETFOCUS() { Log("CBN_SETFOCUS"); }
    afx_msg void OnCBNKILLFOCUS() { Log("CBN_KILLFOCUS"); }
    afx_msg void OnCBNEDITCHANGE() { Log("CBN_EDITCHANGE"); }
    afx_msg void OnCBNEDITUPDATE() { Log("CBN_EDITUPDATE"); }
    afx_msg void OnCBNDROPDOWN() { Log("CBN_DROPDOWN"); }
    afx_msg void OnCBNCLOSEUP() { Log("CBN_CLOSEUP"); }
    afx_msg void OnCBNSELENDOK() { Log("CBN_SELENDOK"); }
    afx_msg void OnCBNSELENDCANCEL() { Log("CBN_SELENDCANCEL"); }
    afx_msg void OnLBNSELCHANGE() { Log("LBN_SELCHANGE"); }
    afx_msg void OnLBNDBLCLK() { Log("LBN_DBLCLK"); }
    afx_msg void OnLBNSETFOCUS() { Log("LBN_SETFOCUS"); }
    afx_msg void OnLBNKILLFOCUS() { Log("LBN_KILLFOCUS"); }
    afx_msg void OnLBNSELCANCEL() { Log("LBN_SELCANCEL"); }
    afx_msg void OnSTNCLICKED() { Log("STN_CLICKED"); }
    afx_msg void OnSTNDBLCLK() { Log("STN_DBLCLK"); }
    DECLARE_MESSAGE_MAP()
};

BEGIN_MESSAGE_MAP(CNotifyWnd, CWnd)
    ON_BN_CLICKED(1000, OnBNCLICKED)
    ON_BN_DOUBLECLICKED(1001, OnBNDOUBLECLICKED)
    ON_BN_SETFOCUS(1002, OnBNSETFOCUS)
    ON_BN_KILLFOCUS(1003, OnBNKILLFOCUS)
    ON_EN_CHANGE(1004, OnENCHANGE)
    ON_EN_UPDATE(1005, OnENUPDATE)
    ON_EN_SETFOCUS(1006, OnENSETFOCUS)
    ON_EN_KILLFOCUS(1007, OnENKILLFOCUS)
    ON_EN_MAXTEXT(1008, OnENMAXTEXT)
    ON_CBN_SELCHANGE(1009, OnCBNSELCHANGE)
    ON_CBN_DBLCLK(1010, OnCBNDBLCLK)
    ON_CBN_SETFOCUS(1011, OnCBNSETFOCUS)
    ON_CBN_KILLFOCUS(1012, OnCBNKILLFOCUS)
    ON_CBN_EDITCHANGE(1013, OnCBNEDITCHANGE)
    ON_CBN_EDITUPDATE(1014, OnCBNEDITUPDATE)
    ON_CBN_DROPDOWN(1015, OnCBNDROPDOWN)
    ON_CBN_CLOSEUP(1016, OnCBNCLOSEUP)
    ON_CBN_SELENDOK(1017, OnCBNSELENDOK)
    ON_CBN_SELENDCANCEL(1018, OnCBNSELENDCANCEL)
    ON_LBN_SELCHANGE(1019, OnLBNSELCHANGE)
    ON_LBN_DBLCLK(1020, OnLBNDBLCLK)
    ON_LBN_SETFOCUS(1021, OnLBNSETFOCUS)
    ON_LBN_KILLFOCUS(1022, OnLBNKILLFOCUS)
    ON_LBN_SELCANCEL(1023, OnLBNSELCANCEL)
    ON_STN_CLICKED(1024, OnSTNCLICKED)
    ON_STN_DBLCLK(1025, OnSTNDBLCLK)
END_MESSAGE_MAP()

struct NotifyRow
{
    UINT code;
    UINT id;
    const char* expected;
};

TEST_F(MessageCracking, EachControlNotificationEntryTakesItsCodeFromItsControl)
{
    CNotifyWnd wnd;
    ASSERT_TRUE(wnd.CreateEx(0, nullptr, "notify", WS_POPUP, 0, 0, 50, 50, nullptr, nullptr));
    const NotifyRow rows[] = {
        {BN_CLICKED, 1000, "BN_CLICKED"},
        {BN_DOUBLECLICKED, 1001, "BN_DOUBLECLICKED"},
        {BN_SETFOCUS, 1002, "BN_SETFOCUS"},
        {BN_KILLFOCUS, 1003, "BN_KILLFOCUS"},
        {EN_CHANGE, 1004, "EN_CHANGE"},
        {EN_UPDATE, 1005, "EN_UPDATE"},
        {EN_SETFOCUS, 1006, "EN_SETFOCUS"},
        {EN_KILLFOCUS, 1007, "EN_KILLFOCUS"},
        {EN_MAXTEXT, 1008, "EN_MAXTEXT"},
        {CBN_SELCHANGE, 1009, "CBN_SELCHANGE"},
        {CBN_DBLCLK, 1010, "CBN_DBLCLK"},
        {CBN_SETFOCUS, 1011, "CBN_SETFOCUS"},
        {CBN_KILLFOCUS, 1012, "CBN_KILLFOCUS"},
        {CBN_EDITCHANGE, 1013, "CBN_EDITCHANGE"},
        {CBN_EDITUPDATE, 1014, "CBN_EDITUPDATE"},
        {CBN_DROPDOWN, 1015, "CBN_DROPDOWN"},
        {CBN_CLOSEUP, 1016, "CBN_CLOSEUP"},
        {CBN_SELENDOK, 1017, "CBN_SELENDOK"},
        {CBN_SELENDCANCEL, 1018, "CBN_SELENDCANCEL"},
        {LBN_SELCHANGE, 1019, "LBN_SELCHANGE"},
        {LBN_DBLCLK, 1020, "LBN_DBLCLK"},
        {LBN_SETFOCUS, 1021, "LBN_SETFOCUS"},
        {LBN_KILLFOCUS, 1022, "LBN_KILLFOCUS"},
        {LBN_SELCANCEL, 1023, "LBN_SELCANCEL"},
        {STN_CLICKED, 1024, "STN_CLICKED"},
        {STN_DBLCLK, 1025, "STN_DBLCLK"},
    };
    for (const NotifyRow& row : rows)
    {
        g_log.clear();
        wnd.SendMessage(WM_COMMAND, MAKEWPARAM(row.id, row.code), reinterpret_cast<LPARAM>(g_other));
        EXPECT_EQ(row.expected, g_log) << "id " << row.id;
        // The same control with another code reaches no entry.
        g_log.clear();
        wnd.SendMessage(WM_COMMAND, MAKEWPARAM(row.id, 0x7777), reinterpret_cast<LPARAM>(g_other));
        EXPECT_EQ("", g_log) << "id " << row.id;
    }
}

// ---- ranges, entries that may pass a message on, reflected scrolling -------------------------------------

class CRouteBaseWnd : public CWnd
{
public:
    afx_msg void OnBaseCommand() { g_log += "[base]"; }
    DECLARE_MESSAGE_MAP()
};

BEGIN_MESSAGE_MAP(CRouteBaseWnd, CWnd)
    ON_COMMAND(2001, OnBaseCommand)
    ON_COMMAND(2011, OnBaseCommand)
END_MESSAGE_MAP()

class CRouteWnd : public CRouteBaseWnd
{
public:
    BOOL passOn = FALSE;
    afx_msg BOOL OnCommandEx(UINT nID)
    {
        g_log += "[ex " + std::to_string(nID) + "]";
        return !passOn;
    }
    afx_msg void OnControl() { g_log += "[control]"; }
    afx_msg void OnControlRange(UINT nID) { g_log += "[control " + std::to_string(nID) + "]"; }
    afx_msg void OnNotifyRange(UINT nID, NMHDR* pNMHDR, LRESULT* pResult)
    {
        g_log += "[notify " + std::to_string(nID) + "]";
        *pResult = static_cast<LRESULT>(pNMHDR->idFrom) * 10;
    }
    afx_msg BOOL OnNotifyEx(UINT nID, NMHDR*, LRESULT* pResult)
    {
        g_log += "[notify ex " + std::to_string(nID) + "]";
        *pResult = 1;
        return !passOn;
    }
    afx_msg void OnNotifyAfterEx(NMHDR*, LRESULT* pResult)
    {
        g_log += "[after ex]";
        *pResult = 2;
    }
    DECLARE_MESSAGE_MAP()
};

BEGIN_MESSAGE_MAP(CRouteWnd, CRouteBaseWnd)
    ON_COMMAND_EX(2001, OnCommandEx)
    ON_COMMAND_EX_RANGE(2010, 2012, OnCommandEx)
    ON_CONTROL(EN_CHANGE, 2020, OnControl)
    ON_CONTROL_RANGE(BN_CLICKED, 2030, 2039, OnControlRange)
    ON_NOTIFY_RANGE(NM_CLICK, 2040, 2049, OnNotifyRange)
    ON_NOTIFY_EX(NM_DBLCLK, 2050, OnNotifyEx)
    ON_NOTIFY_EX_RANGE(NM_RCLICK, 2060, 2069, OnNotifyEx)
    ON_NOTIFY(NM_DBLCLK, 2050, OnNotifyAfterEx)
    ON_NOTIFY(NM_RCLICK, 2061, OnNotifyAfterEx)
END_MESSAGE_MAP()

LRESULT SendNotify(CWnd& wnd, UINT code, UINT id)
{
    NMHDR nm = {g_other, id, code};
    return wnd.SendMessage(WM_NOTIFY, id, reinterpret_cast<LPARAM>(&nm));
}

TEST_F(MessageCracking, RangesAndEntriesThatMayPassTheMessageOn)
{
    CRouteWnd wnd;
    ASSERT_TRUE(wnd.CreateEx(0, nullptr, "route", WS_POPUP, 0, 0, 50, 50, nullptr, nullptr));
    struct
    {
        BOOL passOn;
        UINT id;
        const char* expected;
    } commands[] = {
        {FALSE, 2001, "[ex 2001]"}, {TRUE, 2001, "[ex 2001][base]"},   // FALSE goes on to the base
        {FALSE, 2011, "[ex 2011]"}, {TRUE, 2011, "[ex 2011][base]"}, {TRUE, 2012, "[ex 2012]"}, {FALSE, 2013, ""},
    };
    for (const auto& c : commands)
    {
        wnd.passOn = c.passOn;
        g_log.clear();
        wnd.SendMessage(WM_COMMAND, MAKEWPARAM(c.id, 0), 0);
        EXPECT_EQ(c.expected, g_log) << c.id << (c.passOn ? " passing on" : "");
    }

    g_log.clear();
    wnd.SendMessage(WM_COMMAND, MAKEWPARAM(2020, EN_CHANGE), reinterpret_cast<LPARAM>(g_other));
    wnd.SendMessage(WM_COMMAND, MAKEWPARAM(2020, EN_UPDATE), reinterpret_cast<LPARAM>(g_other));
    wnd.SendMessage(WM_COMMAND, MAKEWPARAM(2034, BN_CLICKED), reinterpret_cast<LPARAM>(g_other));
    wnd.SendMessage(WM_COMMAND, MAKEWPARAM(2040, BN_CLICKED), reinterpret_cast<LPARAM>(g_other));
    EXPECT_EQ("[control][control 2034]", g_log);

    g_log.clear();
    EXPECT_EQ(20430, SendNotify(wnd, NM_CLICK, 2043));
    EXPECT_EQ(0, SendNotify(wnd, NM_CLICK, 2050));
    EXPECT_EQ("[notify 2043]", g_log);

    wnd.passOn = FALSE;
    g_log.clear();
    EXPECT_EQ(1, SendNotify(wnd, NM_DBLCLK, 2050));
    EXPECT_EQ(1, SendNotify(wnd, NM_RCLICK, 2061));
    EXPECT_EQ("[notify ex 2050][notify ex 2061]", g_log);
    wnd.passOn = TRUE;
    g_log.clear();
    EXPECT_EQ(2, SendNotify(wnd, NM_DBLCLK, 2050));
    EXPECT_EQ(2, SendNotify(wnd, NM_RCLICK, 2061));
    EXPECT_EQ(0, SendNotify(wnd, NM_RCLICK, 2062));   // nobody took it: the default answer
    EXPECT_EQ("[notify ex 2050][after ex][notify ex 2061][after ex][notify ex 2062]", g_log);
}

class CReflectingChild : public CWnd
{
public:
    BOOL passOn = FALSE;
    afx_msg void HScroll(UINT nSBCode, UINT nPos) { Log("HScroll", nSBCode, nPos); }
    afx_msg void VScroll(UINT nSBCode, UINT nPos) { Log("VScroll", nSBCode, nPos); }
    afx_msg BOOL OnClickEx(NMHDR* pNMHDR, LRESULT* pResult)
    {
        g_log += "[child " + std::to_string(pNMHDR->idFrom) + "]";
        *pResult = 3;
        return !passOn;
    }
    DECLARE_MESSAGE_MAP()
};

BEGIN_MESSAGE_MAP(CReflectingChild, CWnd)
    ON_WM_HSCROLL_REFLECT()
    ON_WM_VSCROLL_REFLECT()
    ON_NOTIFY_REFLECT_EX(NM_CLICK, OnClickEx)
END_MESSAGE_MAP()

class CReflectingParent : public CWnd
{
public:
    afx_msg void OnClick(NMHDR*, LRESULT* pResult)
    {
        g_log += "[parent]";
        *pResult = 4;
    }
    DECLARE_MESSAGE_MAP()
};

BEGIN_MESSAGE_MAP(CReflectingParent, CWnd)
    ON_NOTIFY(NM_CLICK, 2070, OnClick)
END_MESSAGE_MAP()

TEST_F(MessageCracking, ScrollingAndNotificationsReflectedToTheChildsObject)
{
    CReflectingParent parent;
    ASSERT_TRUE(parent.CreateEx(0, nullptr, "parent", WS_POPUP, 0, 0, 100, 100, nullptr, nullptr));
    CReflectingChild child;
    ASSERT_TRUE(child.Create(nullptr, "child", WS_VISIBLE, CRect(0, 0, 20, 20), &parent, 2070));

    g_log.clear();
    parent.SendMessage(WM_HSCROLL, MAKEWPARAM(SB_THUMBPOSITION, 65000), reinterpret_cast<LPARAM>(child.m_hWnd));
    EXPECT_EQ("HScroll 4 4294966760", g_log);   // the position is the word as signed, as the control sends it
    parent.SendMessage(WM_VSCROLL, MAKEWPARAM(SB_PAGEUP, 12), reinterpret_cast<LPARAM>(child.m_hWnd));
    EXPECT_EQ("VScroll 2 12", g_log);

    NMHDR nm = {child.m_hWnd, 2070, static_cast<UINT>(NM_CLICK)};
    g_log.clear();
    EXPECT_EQ(3, parent.SendMessage(WM_NOTIFY, 2070, reinterpret_cast<LPARAM>(&nm)));
    EXPECT_EQ("[child 2070]", g_log);
    child.passOn = TRUE;
    g_log.clear();
    EXPECT_EQ(4, parent.SendMessage(WM_NOTIFY, 2070, reinterpret_cast<LPARAM>(&nm)));
    EXPECT_EQ("[child 2070][parent]", g_log);
}

}   // namespace
