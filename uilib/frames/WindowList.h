// CUXWindowList: the "Windows" dialog of an MDI frame. It lists the frame's MDI child windows with their
// small icons (sorted by title, the active one selected) and activates, saves, closes, minimises, cascades or
// tiles the ones selected. The user can resize it; its placement is kept in the profile section
// "CUXWindowList".
#pragma once

#include "uilib/core/dialogs/Button.h"
#include "uilib/core/dialogs/ResizeDialogs.h"

#include <vector>

// The dialog's list: owner-drawn items (icon and title) painted off screen on the window colour.
class CUXWindowListBox : public CListBox
{
public:
    void DrawItem(LPDRAWITEMSTRUCT lpDrawItemStruct) override;

protected:
    afx_msg void OnPaint();
    afx_msg BOOL OnEraseBkgnd(CDC* pDC);
    DECLARE_MESSAGE_MAP()
};

class CUXWindowList : public CUXResizeDialog
{
public:
    explicit CUXWindowList(CMDIFrameWnd* pFrame);

    BOOL OnInitDialog() override;

    // A child window's title: its text, else the title of the document of its first view (which becomes the
    // window's text); "" for a window that no longer exists.
    static CString GetWindowTitle(HWND hWnd);
    // The small icon a window shows: its own, else its class's, else the system's window logo.
    static HICON GetWindowIcon(HWND hWnd);

    // Lists the children again, selects the active one and enables the buttons for the selection.
    void Refresh();

protected:
    void FillWindowList();
    void SelectActiveChild();
    void UpdateButtons();
    // The windows of the selected items, in list order.
    std::vector<HWND> SelectedWindows() const;
    // With bShowSelected the selected windows are restored and the others minimised (last item first),
    // without it only the selected ones are minimised; then the client arranges its children (message).
    void Arrange(UINT message, WPARAM wParam, BOOL bShowSelected);

    afx_msg void OnSelChange();
    afx_msg void OnActivate();
    afx_msg void OnSave();
    afx_msg void OnCloseWindows();
    afx_msg void OnTileHorz();
    afx_msg void OnTileVert();
    afx_msg void OnCascade();
    afx_msg void OnMinimize();
    afx_msg void OnDestroy();
    DECLARE_MESSAGE_MAP()

    CUXButton m_btnActivate;
    CUXButton m_btnOK;
    CUXButton m_btnSave;
    CUXButton m_btnClose;
    CUXButton m_btnCascade;
    CUXButton m_btnTileHorz;
    CUXButton m_btnTileVert;
    CUXButton m_btnMinimize;
    CUXWindowListBox m_list;
    CMDIFrameWnd* m_pFrame;
    HWND m_hWndMDIClient;
    HICON m_hIconDefault = nullptr;   // the dialog's own icon, when the frame has none
};
