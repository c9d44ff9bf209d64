#include "uilib/frames/CustAccelerators.h"

#include "uilib/core/base/GlobalData.h"
#include "uilib/frames/KeyMapManager.h"

#include "resources/uilib/UilibResources.h"

namespace
{

// The recent-file commands, and the document windows the window menu lists, are never given shortcuts here:
// their ids stand for other files and windows as the program goes on.
bool TakesShortcuts(UINT nID)
{
    return !(nID >= ID_FILE_MRU_FILE1 && nID <= ID_FILE_MRU_FILE16) &&
           !(nID >= AFX_IDM_FIRST_MDICHILD && nID < AFX_IDM_FIRST_MDICHILD + 9);
}

}   // namespace

// ---- hot-key edit ----------------------------------------------------------------------------------------

IMPLEMENT_DYNAMIC(CUXHotKeyEdit, CEdit)

BEGIN_MESSAGE_MAP(CUXHotKeyEdit, CEdit)
    ON_WM_KILLFOCUS()
    ON_WM_CONTEXTMENU()
    ON_WM_GETDLGCODE()
END_MESSAGE_MAP()

BOOL CUXHotKeyEdit::GetKey(WORD& key, BOOL& ctrl, BOOL& alt, BOOL& shift) const
{
    if (!m_bCaptured)
        return FALSE;
    key = m_nKey;
    ctrl = m_bCtrl;
    alt = m_bAlt;
    shift = m_bShift;
    return TRUE;
}

void CUXHotKeyEdit::ClearState()
{
    m_bShift = m_bCtrl = m_bAlt = 0;
    m_nKey = 0;
    m_bCaptured = 0;
}

void CUXHotKeyEdit::Reset()
{
    ClearState();
    if (m_hWnd != nullptr)
        SetWindowText("");
}

BOOL CUXHotKeyEdit::PreTranslateMessage(MSG* pMsg)
{
    if (pMsg->hwnd == m_hWnd)
    {
        switch (pMsg->message)
        {
        case WM_KEYDOWN:
        case WM_SYSKEYDOWN:
            // A key pressed after a complete combination starts a new one.
            if (m_bCaptured)
                ClearState();
            OnKey(static_cast<UINT>(pMsg->wParam), TRUE);
            return TRUE;
        case WM_KEYUP:
        case WM_SYSKEYUP: OnKey(static_cast<UINT>(pMsg->wParam), FALSE); return TRUE;
        default: break;
        }
    }
    return CEdit::PreTranslateMessage(pMsg);
}

void CUXHotKeyEdit::OnKey(UINT vk, BOOL down)
{
    if (vk == VK_BACK && down)
    {
        Reset();
        return;
    }
    if (vk == VK_SHIFT || vk == VK_CONTROL || vk == VK_MENU)
    {
        if (!m_bCaptured)
        {
            int& state = vk == VK_SHIFT ? m_bShift : (vk == VK_CONTROL ? m_bCtrl : m_bAlt);
            state = down ? 1 : 0;
        }
    }
    else if (down && !m_bCaptured)
    {
        m_nKey = static_cast<WORD>(vk);
        m_bCaptured = 1;
    }
    CString text;
    if (m_bCtrl)
        text += "Ctrl+";
    if (m_bAlt)
        text += "Alt+";
    if (m_bShift)
        text += "Shift+";
    if (m_bCaptured)
        text += CUXKeyMapManager::GetKeyName(m_nKey);
    CString present;
    GetWindowText(present);
    if (present != text)
    {
        SetWindowText(text);
        SetSel(text.GetLength(), text.GetLength());
    }
}

void CUXHotKeyEdit::OnKillFocus(CWnd* pNewWnd)
{
    CEdit::OnKillFocus(pNewWnd);
    if (!m_bCaptured)
        Reset();
}

void CUXHotKeyEdit::OnContextMenu(CWnd*, CPoint)
{
}

UINT CUXHotKeyEdit::OnGetDlgCode()
{
    return DLGC_WANTALLKEYS;
}

// ---- keyboard page ---------------------------------------------------------------------------------------

IMPLEMENT_DYNAMIC(CUXCustAccelerators, CUXResizePropertyPage)

BEGIN_MESSAGE_MAP(CUXCustAccelerators, CUXResizePropertyPage)
    ON_CBN_SELCHANGE(IDC_UX_KB_CATEGORY, OnCategoryChange)
    ON_LBN_SELCHANGE(IDC_UX_KB_COMMANDS, OnCommandChange)
    ON_LBN_SELCHANGE(IDC_UX_KB_ASSIGNMENTS, OnAssignmentChange)
    ON_EN_CHANGE(IDC_UX_KB_HOTKEY, OnHotKeyChange)
    ON_BN_CLICKED(IDC_UX_KB_ASSIGN, OnAssign)
    ON_BN_CLICKED(IDC_UX_KB_REMOVE, OnRemove)
    ON_BN_CLICKED(IDC_UX_KB_RESET_ALL, OnResetAll)
    ON_WM_DESTROY()
END_MESSAGE_MAP()

CUXCustAccelerators::CUXCustAccelerators() : CUXResizePropertyPage(IDD_UX_CUST_KEYBOARD)
{
}

BOOL CUXCustAccelerators::OnInitDialog()
{
    BOOL result = CUXResizePropertyPage::OnInitDialog();
    m_wndCategory.SubclassDlgItem(IDC_UX_KB_CATEGORY, this);
    m_wndCommands.SubclassDlgItem(IDC_UX_KB_COMMANDS, this);
    m_wndAssignments.SubclassDlgItem(IDC_UX_KB_ASSIGNMENTS, this);
    m_wndHotKey.SubclassDlgItem(IDC_UX_KB_HOTKEY, this);

    SetChildAnchor(IDC_UX_KB_CATEGORY, CUXAnchorRect(0, 0, 0.5f, 0));
    SetChildAnchor(IDC_UX_KB_COMMANDS, CUXAnchorRect(0, 0, 0.5f, 1));
    SetChildAnchor(IDC_UX_KB_DESCRIPTION_LABEL, CUXAnchorRect(0, 1, 0, 1));
    SetChildAnchor(IDC_UX_KB_DESCRIPTION, CUXAnchorRect(0, 1, 1, 1));
    SetChildAnchor(IDC_UX_KB_STATIC, CUXAnchorRect(0.5f, 0, 1, 0));
    SetChildAnchor(IDC_UX_KB_ASSIGNMENTS_LABEL, CUXAnchorRect(0.5f, 0, 1, 0));
    SetChildAnchor(IDC_UX_KB_ASSIGNMENTS, CUXAnchorRect(0.5f, 0, 1, 1));
    SetChildAnchor(IDC_UX_KB_HOTKEY_LABEL, CUXAnchorRect(0.5f, 1, 1, 1));
    SetChildAnchor(IDC_UX_KB_HOTKEY, CUXAnchorRect(0.5f, 1, 1, 1));
    for (UINT button : {IDC_UX_KB_ASSIGN, IDC_UX_KB_REMOVE, IDC_UX_KB_RESET_ALL})
        SetChildAnchor(button, CUXAnchorRect(1, 0, 1, 0));
    UsePlacementSection("CUXCustAccelerators");

    CUXKeyMapManager& manager = GetKeyMapManager();
    manager.RebuildCommandMap();
    manager.FillCategoryCombo(m_wndCategory);
    m_wndCategory.SetCurSel(0);
    m_wndCategory.SetFont(&uxAfxData.m_fontNormal);
    OnCategoryChange();
    return result;
}

BOOL CUXCustAccelerators::OnSetActive()
{
    BOOL result = CUXResizePropertyPage::OnSetActive();
    FillCommands();
    return result;
}

void CUXCustAccelerators::OnCategoryChange()
{
    m_wndCommands.ResetContent();
    FillCommands();
}

// The commands of the selected category; the command selected before stays selected when it is still there.
void CUXCustAccelerators::FillCommands()
{
    if (m_wndCommands.m_hWnd == nullptr)
        return;
    int previous = m_wndCommands.GetCurSel();
    UINT previousCommand = previous >= 0 ? static_cast<UINT>(m_wndCommands.GetItemData(previous)) : 0;
    m_wndCommands.ResetContent();
    int category = m_wndCategory.GetCurSel();
    HMENU hPopup = category >= 0 ? static_cast<HMENU>(m_wndCategory.GetItemDataPtr(category)) : nullptr;
    int select = 0;
    int count = hPopup != nullptr ? ::GetMenuItemCount(hPopup) : 0;
    for (int pos = 0; pos < count; ++pos)
    {
        UINT id = ::GetMenuItemID(hPopup, pos);
        if (::GetSubMenu(hPopup, pos) != nullptr || id == 0 || id == static_cast<UINT>(-1) || !TakesShortcuts(id))
            continue;
        char text[256] = {};
        ::GetMenuStringA(hPopup, static_cast<UINT>(pos), text, sizeof(text), MF_BYPOSITION);
        int index = m_wndCommands.AddString(CUXKeyMapManager::CleanMenuText(text));
        m_wndCommands.SetItemData(index, id);
        if (id == previousCommand)
            select = index;
    }
    if (m_wndCommands.GetCount() > 0)
        m_wndCommands.SetCurSel(select);
    OnCommandChange();
}

void CUXCustAccelerators::OnCommandChange()
{
    FillAssignments();
    CString description;
    int selected = m_wndCommands.GetCurSel();
    if (selected >= 0)
    {
        description.LoadString(static_cast<UINT>(m_wndCommands.GetItemData(selected)));
        int end = description.FindOneOf("\t\n");
        if (end >= 0)
            description = description.Left(end);
    }
    SetDlgItemText(IDC_UX_KB_DESCRIPTION, description);
    UpdateButtons();
}

void CUXCustAccelerators::FillAssignments()
{
    m_wndAssignments.ResetContent();
    int selected = m_wndCommands.GetCurSel();
    if (selected < 0)
        return;
    UINT command = static_cast<UINT>(m_wndCommands.GetItemData(selected));
    int index = 0;
    CString text;
    BYTE flags = 0;
    WORD key = 0;
    while (GetKeyMapManager().GetNextShortcut(index, command, text, flags, key))
    {
        int item = m_wndAssignments.AddString(text);
        m_wndAssignments.SetItemData(item, (static_cast<DWORD_PTR>(flags) << 16) | key);
    }
}

void CUXCustAccelerators::UpdateButtons()
{
    WORD key = 0;
    BOOL ctrl = FALSE, alt = FALSE, shift = FALSE;
    BOOL captured = m_wndHotKey.m_hWnd != nullptr && m_wndHotKey.GetWindowTextLength() > 0 &&
                    m_wndHotKey.GetKey(key, ctrl, alt, shift);
    if (CWnd* assign = GetDlgItem(IDC_UX_KB_ASSIGN))
        assign->EnableWindow(captured);
    if (CWnd* remove = GetDlgItem(IDC_UX_KB_REMOVE))
        remove->EnableWindow(m_wndAssignments.m_hWnd != nullptr && m_wndAssignments.GetCurSel() >= 0);
}

void CUXCustAccelerators::OnAssignmentChange()
{
    UpdateButtons();
}

void CUXCustAccelerators::OnHotKeyChange()
{
    UpdateButtons();
}

void CUXCustAccelerators::OnAssign()
{
    int selected = m_wndCommands.GetCurSel();
    WORD key = 0;
    BOOL ctrl = FALSE, alt = FALSE, shift = FALSE;
    if (selected < 0 || !m_wndHotKey.GetKey(key, ctrl, alt, shift))
        return;
    BYTE flags = FVIRTKEY | FNOINVERT;
    if (ctrl)
        flags |= FCONTROL;
    if (alt)
        flags |= FALT;
    if (shift)
        flags |= FSHIFT;
    CUXKeyMapManager& manager = GetKeyMapManager();
    UINT holder = 0;
    if (manager.FindShortcut(flags, key, &holder))
    {
        CString name;
        manager.FindDescription(holder, name);
        CString format, question;
        AfxLoadString(IDS_UX_SHORTCUT_IN_USE, format, uxAfxData.m_hResourceModule);
        question.Format(format, name);
        if (AfxMessageBox(question, MB_YESNO | MB_ICONEXCLAMATION) != IDYES)
            return;
        manager.RemoveShortcut(flags, key);
    }
    manager.AddShortcut(static_cast<UINT>(m_wndCommands.GetItemData(selected)), flags, key);
    FillAssignments();
    m_wndHotKey.Reset();
    UpdateButtons();
}

void CUXCustAccelerators::OnRemove()
{
    int selected = m_wndAssignments.GetCurSel();
    if (selected < 0)
        return;
    DWORD_PTR data = m_wndAssignments.GetItemData(selected);
    GetKeyMapManager().RemoveShortcut(static_cast<BYTE>(data >> 16), static_cast<WORD>(data & 0xFFFF));
    m_wndAssignments.DeleteString(static_cast<UINT>(selected));
    UpdateButtons();
}

void CUXCustAccelerators::OnResetAll()
{
    CString question;
    AfxLoadString(IDS_UX_RESET_SHORTCUTS, question, uxAfxData.m_hResourceModule);
    if (AfxMessageBox(question, MB_YESNO | MB_ICONEXCLAMATION) != IDYES)
        return;
    GetKeyMapManager().ResetToDefault();
    FillCommands();
}

void CUXCustAccelerators::OnDestroy()
{
    CUXKeyMapManager& manager = GetKeyMapManager();
    if (manager.IsEnabled())
        manager.Apply();
    CUXResizePropertyPage::OnDestroy();
}
