// The keyboard page of the customize dialog: the frame's menu commands by category, the shortcuts of the
// selected command, and a hot-key edit in which the user presses a new shortcut to assign. Changes go to the
// keyboard-shortcut manager, which applies them to the frame when the page goes.
#pragma once

#include "uilib/core/dialogs/ListBoxes.h"
#include "uilib/core/dialogs/ResizeDialogs.h"

// An edit that shows the key combination pressed in it ("Ctrl+Shift+F5") instead of typing: modifiers count
// until another key is pressed, which completes the combination; the next key press starts a new one and
// Backspace empties it.
class CUXHotKeyEdit : public CEdit
{
    DECLARE_DYNAMIC(CUXHotKeyEdit)
public:
    CUXHotKeyEdit() = default;

    // FALSE until a key has been captured.
    BOOL GetKey(WORD& key, BOOL& ctrl, BOOL& alt, BOOL& shift) const;
    // Forgets the combination and empties the text.
    void Reset();

    BOOL PreTranslateMessage(MSG* pMsg) override;

protected:
    void ClearState();
    void OnKey(UINT vk, BOOL down);

    afx_msg void OnKillFocus(CWnd* pNewWnd);
    afx_msg void OnContextMenu(CWnd* pWnd, CPoint pos);
    afx_msg UINT OnGetDlgCode();
    DECLARE_MESSAGE_MAP()

    int m_bShift = 0;
    int m_bCtrl = 0;
    int m_bAlt = 0;
    WORD m_nKey = 0;
    int m_bCaptured = 0;
};

class CUXCustAccelerators : public CUXResizePropertyPage
{
    DECLARE_DYNAMIC(CUXCustAccelerators)
public:
    CUXCustAccelerators();

    BOOL OnInitDialog() override;
    BOOL OnSetActive() override;

    CComboBox& GetCategoryCombo() { return m_wndCategory; }
    CUXListBox& GetCommandList() { return m_wndCommands; }
    CUXListBox& GetAssignmentList() { return m_wndAssignments; }
    CUXHotKeyEdit& GetHotKeyEdit() { return m_wndHotKey; }

protected:
    void FillCommands();
    void FillAssignments();
    void UpdateButtons();

    afx_msg void OnCategoryChange();
    afx_msg void OnCommandChange();
    afx_msg void OnAssignmentChange();
    afx_msg void OnHotKeyChange();
    afx_msg void OnAssign();
    afx_msg void OnRemove();
    afx_msg void OnResetAll();
    afx_msg void OnDestroy();
    DECLARE_MESSAGE_MAP()

    CComboBox m_wndCategory;
    CUXListBox m_wndCommands;
    CUXListBox m_wndAssignments;
    CUXHotKeyEdit m_wndHotKey;
};
