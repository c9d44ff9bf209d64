// CUXExpMenuWnd: the pop-up a tool bar's chevron opens. It shows the buttons that do not fit on the bar in a
// tool bar of its own (their control windows borrowed from the bar), and for a customizable bar a second
// bar with one "Customize..." button. A hook on the frame keeps the frame's caption active, lets a chosen
// command reach the frame once the pop-up has gone, and closes the pop-up when a colour pop-up of its bar
// closes.
#pragma once

#include "uilib/core/bars/ToolBar.h"
#include "uilib/core/base/WndHook.h"

class CUXExpMenuWnd;

// The bars inside the pop-up: flat, on the pop-up's background.
class CUXHiddenButtonsToolbar : public CUXToolBar
{
    DECLARE_DYNAMIC(CUXHiddenButtonsToolbar)
public:
    explicit CUXHiddenButtonsToolbar(CUXExpMenuWnd* pPopup);

    COLORREF GetBackColor() const override;
    BOOL IsFlatLook() const override { return TRUE; }
    BOOL HasExpandButton() const override { return FALSE; }
    // A colour pop-up opened here tells the bar the buttons came from too.
    BOOL CreateColorPopup(CUXToolButtonData* pData, CPoint point, UINT nID) override;

private:
    CUXExpMenuWnd* m_pPopup;
};

class CUXHiddenButtonsWndHook : public CUXWndHook
{
public:
    explicit CUXHiddenButtonsWndHook(CUXExpMenuWnd* pPopup) : m_pPopup(pPopup) {}
    using CUXWndHook::AttachWindow;
    LRESULT HandleMessage(UINT message, WPARAM wParam, LPARAM lParam) override;

private:
    CUXExpMenuWnd* m_pPopup;
};

class CUXExpMenuWnd : public CWnd
{
public:
    enum
    {
        kMaxWrapWidth = 250,
        kWrapButtons = 6   // the hidden buttons wrap after this many button widths
    };

    CUXExpMenuWnd();
    ~CUXExpMenuWnd() override;

    // Opens beside the chevron (screen rectangle) of the owner bar; the notify window receives the message
    // when the pop-up goes, and the customize command. Once open the pop-up deletes itself when its window
    // goes; FALSE (no window, the caller deletes the object) when it cannot be made.
    BOOL CreatePopup(const CRect& chevron, CUXToolBar* pOwnerBar, HWND hWndNotify, UINT nCloseMessage);
    CUXToolBar* GetOwnerBar() const { return m_pOwnerBar; }
    CUXHiddenButtonsToolbar& GetHiddenBar() { return m_hiddenBar; }
    CUXHiddenButtonsToolbar& GetCustomizeBar() { return m_customizeBar; }
    // Closes the pop-up after the current message.
    void Close();

protected:
    void PostNcDestroy() override;
    BOOL OnCommand(WPARAM wParam, LPARAM lParam) override;

    afx_msg int OnCreate(LPCREATESTRUCT lpCreateStruct);
    afx_msg void OnDestroy();
    afx_msg void OnWindowPosChanged(WINDOWPOS* lpwndpos);
    afx_msg void OnNcPaint();
    afx_msg BOOL OnEraseBkgnd(CDC* pDC);
    afx_msg void OnActivate(UINT nState, CWnd* pWndOther, BOOL bMinimized);
    afx_msg void OnActivateApp(BOOL bActive, DWORD dwThreadID);
    afx_msg void OnClose();
    DECLARE_MESSAGE_MAP()

private:
    void LayOutBars();
    void DestroyNow();

    CUXHiddenButtonsToolbar m_hiddenBar;
    CUXHiddenButtonsToolbar m_customizeBar;
    BOOL m_bClosing = FALSE;
    BOOL m_bSelfDelete = FALSE;
    BOOL m_bDestroying = FALSE;
    CUXHiddenButtonsWndHook m_hook;
    CRect m_rcChevron;
    CUXToolBar* m_pOwnerBar = nullptr;
    UINT m_nCloseMessage = 0;
    HWND m_hWndNotify = nullptr;
};
