// Edits of the library: CUXEdit (flicker-free, with its own context menu of the edit commands), CUXBrowseEdit
// (a small button at its right that browses for a folder or a file or opens a pop-up menu) and CUXItemEdit
// (a browse edit made on the fly over an item of another control for in-place editing).
#pragma once

#include "uilib/core/dialogs/Button.h"
#include "uilib/core/bars/CoolMenu.h"

#include <memory>

class CUXBrowseEdit;

// Notification codes (WM_COMMAND) of the in-place item editor and the edit list box.
#define UXN_ITEM_CHANGED 0x89CA     // edit ended, text written back / item text changed
#define UXN_EDIT_CANCELLED 0x89CB   // edit ended without a change
#define UXN_ITEM_ADDED 0x89CC
#define UXN_ITEM_DELETING 0x89CD
#define UXN_ITEM_DELETED 0x89CE
#define UXN_ITEM_MOVED_UP 0x89CF
#define UXN_ITEM_MOVED_DOWN 0x89D0

// Sends the control's owner (or, without one, its parent) WM_COMMAND with id and code, lParam the control.
void UXNotifyOwner(CWnd* control, UINT id, UINT code);

class CUXEdit : public CEdit
{
    DECLARE_DYNAMIC(CUXEdit)
public:
    CUXEdit() = default;
    // Creating the window (rather than subclassing one) sets the edit up once the control exists.
    BOOL Create(DWORD dwStyle, const RECT& rect, CWnd* pParentWnd, UINT nID);

    virtual BOOL CanPaste();
    virtual BOOL HasSelection();

protected:
    void PreSubclassWindow() override;
    // The library's font (and context-menu set-up) for the edit.
    virtual void SetUpEdit();

    afx_msg int OnCreate(LPCREATESTRUCT lpCreateStruct);
    afx_msg void OnContextMenu(CWnd* pWnd, CPoint pos);
    afx_msg void OnInitMenuPopup(CMenu* pPopupMenu, UINT nIndex, BOOL bSysMenu);
    afx_msg void OnPaint();
    afx_msg BOOL OnEraseBkgnd(CDC* pDC);
    afx_msg void OnEditUndo();
    afx_msg void OnEditCut();
    afx_msg void OnEditCopy();
    afx_msg void OnEditPaste();
    afx_msg void OnEditClear();
    afx_msg void OnEditSelectAll();
    afx_msg void OnUpdateEditUndo(CCmdUI* pCmdUI);
    afx_msg void OnUpdateNeedSelection(CCmdUI* pCmdUI);
    afx_msg void OnUpdateEditPaste(CCmdUI* pCmdUI);
    afx_msg void OnUpdateEditSelectAll(CCmdUI* pCmdUI);
    DECLARE_MESSAGE_MAP()

    CUXCoolMenu m_menuHook;   // draws the context menu with the commands' images
    int m_bDynCreate = 0;
};

// The button at the browse edit's right.
class CUXBrowseBtn : public CUXButton
{
    DECLARE_DYNAMIC(CUXBrowseBtn)
public:
    // style: the browse edit's browse style (0 fails); a menu style shows the menu mark instead of "...".
    BOOL Create(CUXBrowseEdit* edit, int style, UINT id, UINT menuId, int subMenuIndex);
    BOOL PreTranslateMessage(MSG* pMsg) override;

protected:
    afx_msg void OnClicked();
    DECLARE_MESSAGE_MAP()

    int m_nStyle = 0;
    UINT m_nMenuId = 0;
    int m_nSubMenu = 0;
    CUXBrowseEdit* m_pEdit = nullptr;
};

class CUXBrowseEdit : public CUXEdit
{
    DECLARE_DYNAMIC(CUXBrowseEdit)
public:
    // Browse styles: the low three bits choose what the button does (0: no button).
    enum
    {
        kBrowseFolder = 1,
        kBrowseFile = 2,
        kPopupMenu = 4,
        kBrowseMask = 7
    };

    CUXBrowseEdit();
    ~CUXBrowseEdit() override;

    void SetDlgOpenFile(BOOL open) { m_bOpenFileDialog = open; }
    void SetDlgDefExt(LPCSTR ext) { m_strDefExt = ext != nullptr ? ext : ""; }
    void SetDlgFileName(LPCSTR name) { m_strFileName = name != nullptr ? name : ""; }
    void SetDlgStyle(DWORD flags) { m_dwFileFlags = flags; }
    // "Description|pattern|...||"
    void SetDlgFilter(LPCSTR filter) { m_strFilter = filter != nullptr ? filter : ""; }
    void SetDlgOwner(CWnd* owner) { m_pDlgOwner = owner; }
    void SetDlgTitle(LPCSTR title) { m_strTitle = title != nullptr ? title : ""; }
    // A file dialog of the caller's to run instead of the built-in one (borrowed).
    void SetDlgCustom(CFileDialog* dialog) { m_pCustomDialog = dialog; }
    // Before the edit's first initialisation: the button's action and, for a pop-up menu, the menu.
    void SetBrowseStyle(int style, UINT menuId = 0, int subMenuIndex = 0);
    int GetBrowseStyle() const { return m_nBrowseStyle; }
    // Whether a browse is running (its dialog or menu is open).
    BOOL IsBrowsing() const { return m_bBrowsing; }
    CUXBrowseBtn* GetBrowseButton() const { return m_pButton.get(); }
    // The width of every browse button.
    static int GetButtonWidth();

    virtual void OnBrowse();
    virtual BOOL BrowseForFolder();
    virtual BOOL BrowseForFile();
    virtual void PopupMenu();
    virtual void PositionBrowseButton(BOOL frameChanged);
    virtual void EndEdit() {}

protected:
    void PreSubclassWindow() override;
    void PostFirstInit();

    afx_msg int OnCreate(LPCREATESTRUCT lpCreateStruct);
    afx_msg LRESULT OnFirstInit(WPARAM wParam, LPARAM lParam);
    afx_msg void OnWindowPosChanging(WINDOWPOS* lpwndpos);
    afx_msg void OnWindowPosChanged(WINDOWPOS* lpwndpos);
    afx_msg void OnEnable(BOOL bEnable);
    afx_msg void OnShowWindow(BOOL bShow, UINT nStatus);
    afx_msg void OnDestroy();
    DECLARE_MESSAGE_MAP()

    int m_nGap;
    BOOL m_bOpenFileDialog = TRUE;
    CFileDialog* m_pCustomDialog = nullptr;
    DWORD m_dwFileFlags = OFN_EXPLORER | OFN_FILEMUSTEXIST | OFN_HIDEREADONLY;
    CString m_strDefExt;
    CString m_strFileName;
    CString m_strFilter;
    CString m_strTitle;
    std::unique_ptr<CUXBrowseBtn> m_pButton;
    int m_nBrowseStyle = kBrowseFolder;
    UINT m_nMenuId = 0;
    int m_nSubMenu = 0;
    CWnd* m_pDlgOwner = nullptr;
    BOOL m_bBrowsing = FALSE;
    int m_nInitCounter = 1;
};

// An editor over an item of another control. It ends on Enter (text written back, UXN_ITEM_CHANGED), Escape
// (UXN_EDIT_CANCELLED), losing the focus to anything but its own button (as Enter) or its destruction (as
// Escape), and tells its owner exactly once (WM_COMMAND, id IDC_UX_ITEM_EDIT, lParam its window).
class CUXItemEdit : public CUXBrowseEdit
{
    DECLARE_DYNAMIC(CUXItemEdit)
public:
    // Makes the editor at once, over rect of parent, showing *text with all of it selected, focused.
    // autoDelete: the object deletes itself when its window is gone (then it must have been made with new).
    CUXItemEdit(CWnd* parent, const CRect& rect, CString* text, int browseStyle, BOOL autoDelete);
    ~CUXItemEdit() override;

    void EndEdit() override;
    BOOL PreTranslateMessage(MSG* pMsg) override;
    BOOL IsCancelled() const { return m_bCancelled; }
    BOOL IsNotified() const { return m_bNotified; }

protected:
    void PostNcDestroy() override;
    // Tells the owner how the edit ended, once.
    void Notify();

    afx_msg void OnKillFocus(CWnd* pNewWnd);
    afx_msg void OnChar(UINT nChar, UINT nRepCnt, UINT nFlags);
    afx_msg UINT OnGetDlgCode();
    afx_msg void OnDestroy();
    DECLARE_MESSAGE_MAP()

    BYTE m_bClosing = 0;
    BYTE m_bNotified = 0;
    BYTE m_bAutoDelete = 0;
    BYTE m_bCancelled = 0;
    CString* m_pText;
};
