#include "uilib/core/dialogs/Edit.h"

#include "resources/uilib/UilibResources.h"
#include "uilib/core/base/GlobalData.h"
#include "uilib/core/base/MemDC.h"

#include <shlobj.h>

namespace
{

const int kEditMenu = 1;        // the edit's pop-up in the library's menu of pop-ups
const int kMenuMarkImage = 4;   // the menu mark among the small glyphs
const int kSmallGlyphCell = 11;

// The browser starts on the edit's folder and shows the path of what is selected.
int CALLBACK BrowseCallback(HWND hWnd, UINT message, LPARAM lParam, LPARAM data)
{
    if (message == BFFM_INITIALIZED)
        ::SendMessageA(hWnd, BFFM_SETSELECTIONA, TRUE, data);
    else if (message == BFFM_SELCHANGED)
    {
        char path[MAX_PATH] = {};
        if (::SHGetPathFromIDListA(reinterpret_cast<LPCITEMIDLIST>(lParam), path))
            ::SendMessageA(hWnd, BFFM_SETSTATUSTEXTA, 0, reinterpret_cast<LPARAM>(path));
    }
    return 0;
}

}   // namespace

void UXNotifyOwner(CWnd* control, UINT id, UINT code)
{
    if (control == nullptr || control->m_hWnd == nullptr)
        return;
    CWnd* owner = control->GetOwner();
    HWND target = owner != nullptr ? owner->m_hWnd : ::GetParent(control->m_hWnd);
    if (target != nullptr)
        ::SendMessageA(target, WM_COMMAND, MAKEWPARAM(id, code), reinterpret_cast<LPARAM>(control->m_hWnd));
}

// ---- CUXEdit -------------------------------------------------------------------------------------------

IMPLEMENT_DYNAMIC(CUXEdit, CEdit)

BEGIN_MESSAGE_MAP(CUXEdit, CEdit)
    ON_WM_CREATE()
    ON_WM_CONTEXTMENU()
    ON_WM_INITMENUPOPUP()
    ON_WM_PAINT()
    ON_WM_ERASEBKGND()
    ON_COMMAND(ID_EDIT_UNDO, OnEditUndo)
    ON_COMMAND(ID_EDIT_CUT, OnEditCut)
    ON_COMMAND(ID_EDIT_COPY, OnEditCopy)
    ON_COMMAND(ID_EDIT_PASTE, OnEditPaste)
    ON_COMMAND(ID_EDIT_CLEAR, OnEditClear)
    ON_COMMAND(ID_EDIT_SELECT_ALL, OnEditSelectAll)
    ON_UPDATE_COMMAND_UI(ID_EDIT_UNDO, OnUpdateEditUndo)
    ON_UPDATE_COMMAND_UI(ID_EDIT_CUT, OnUpdateNeedSelection)
    ON_UPDATE_COMMAND_UI(ID_EDIT_COPY, OnUpdateNeedSelection)
    ON_UPDATE_COMMAND_UI(ID_EDIT_CLEAR, OnUpdateNeedSelection)
    ON_UPDATE_COMMAND_UI(ID_EDIT_PASTE, OnUpdateEditPaste)
    ON_UPDATE_COMMAND_UI(ID_EDIT_SELECT_ALL, OnUpdateEditSelectAll)
END_MESSAGE_MAP()

BOOL CUXEdit::Create(DWORD dwStyle, const RECT& rect, CWnd* pParentWnd, UINT nID)
{
    m_bDynCreate = 1;
    return CEdit::Create(dwStyle, rect, pParentWnd, nID);
}

void CUXEdit::PreSubclassWindow()
{
    CEdit::PreSubclassWindow();
    // A window being created is not an edit yet: it is set up once it exists.
    if (!m_bDynCreate)
        SetUpEdit();
}

int CUXEdit::OnCreate(LPCREATESTRUCT lpCreateStruct)
{
    int result = CEdit::OnCreate(lpCreateStruct);
    if (result != -1 && m_bDynCreate)
        SetUpEdit();
    return result;
}

void CUXEdit::SetUpEdit()
{
    SetFont(&uxAfxData.m_fontNormal);
    if (m_menuHook.Install(this))
        m_menuHook.LoadToolbar(IDR_UX_EDIT_TOOLBAR);
}

BOOL CUXEdit::CanPaste()
{
    return ::IsClipboardFormatAvailable(CF_TEXT);
}

BOOL CUXEdit::HasSelection()
{
    int start = 0, end = 0;
    GetSel(start, end);
    return start < end;
}

void CUXEdit::OnContextMenu(CWnd*, CPoint pos)
{
    if (pos.x == -1 && pos.y == -1)
    {
        // From the keyboard: just inside the edit's top-left corner.
        pos = CPoint(0, 0);
        ClientToScreen(&pos);
        pos.Offset(5, 5);
    }
    CMenu menu;
    if (!menu.Attach(AfxLoadMenu(uxAfxData.m_hResourceModule, MAKEINTRESOURCEA(IDR_UX_POPUP_MENUS))))
        return;
    CMenu* popup = menu.GetSubMenu(kEditMenu);
    if (popup != nullptr)
        popup->TrackPopupMenu(TPM_RIGHTBUTTON, pos.x, pos.y, this);
}

void CUXEdit::OnInitMenuPopup(CMenu* pPopupMenu, UINT nIndex, BOOL bSysMenu)
{
    CEdit::OnInitMenuPopup(pPopupMenu, nIndex, bSysMenu);
    if (!bSysMenu)
        AfxUpdateMenuCmdUI(this, pPopupMenu, TRUE);
}

BOOL CUXEdit::OnEraseBkgnd(CDC*)
{
    return TRUE;
}

void CUXEdit::OnPaint()
{
    CPaintDC paintDC(this);
    CRect client;
    GetClientRect(&client);
    CUXMemDC dc(&paintDC, client, uxAfxData.m_clrWindow);
    DefWindowProc(WM_PAINT, reinterpret_cast<WPARAM>(dc.IsValid() ? dc.GetSafeHdc() : paintDC.GetSafeHdc()), 0);
}

void CUXEdit::OnEditUndo()
{
    SendMessage(EM_UNDO);
}

void CUXEdit::OnEditCut()
{
    SendMessage(WM_CUT);
}

void CUXEdit::OnEditCopy()
{
    SendMessage(WM_COPY);
}

void CUXEdit::OnEditPaste()
{
    SendMessage(WM_PASTE);
}

void CUXEdit::OnEditClear()
{
    SendMessage(WM_CLEAR);
}

void CUXEdit::OnEditSelectAll()
{
    SetSel(0, -1);
    SendMessage(EM_SCROLLCARET);
}

void CUXEdit::OnUpdateEditUndo(CCmdUI* pCmdUI)
{
    pCmdUI->Enable(CanUndo());
}

void CUXEdit::OnUpdateNeedSelection(CCmdUI* pCmdUI)
{
    pCmdUI->Enable(HasSelection());
}

void CUXEdit::OnUpdateEditPaste(CCmdUI* pCmdUI)
{
    pCmdUI->Enable(CanPaste());
}

void CUXEdit::OnUpdateEditSelectAll(CCmdUI* pCmdUI)
{
    pCmdUI->Enable(GetWindowTextLength() > 0);
}

// ---- CUXBrowseBtn --------------------------------------------------------------------------------------

IMPLEMENT_DYNAMIC(CUXBrowseBtn, CUXButton)

BEGIN_MESSAGE_MAP(CUXBrowseBtn, CUXButton)
    ON_CONTROL_REFLECT(BN_CLICKED, OnClicked)
END_MESSAGE_MAP()

BOOL CUXBrowseBtn::Create(CUXBrowseEdit* edit, int style, UINT id, UINT menuId, int subMenuIndex)
{
    if ((style & CUXBrowseEdit::kBrowseMask) == 0 || edit == nullptr || edit->m_hWnd == nullptr)
        return FALSE;
    m_nStyle = style;
    m_nMenuId = menuId;
    m_nSubMenu = subMenuIndex;
    m_pEdit = edit;
    bool menu = (style & CUXBrowseEdit::kPopupMenu) != 0;
    DWORD windowStyle = WS_CHILD | WS_TABSTOP | BS_CENTER | BS_VCENTER | (edit->GetStyle() & WS_VISIBLE);
    if (menu)
        windowStyle |= BS_ICON;
    CString text;
    if (!menu)
        AfxLoadString(IDS_UX_BROWSE_BUTTON, text, uxAfxData.m_hResourceModule);
    if (!CUXButton::Create(text, windowStyle, CRect(0, 0, 0, 0), edit->GetParent(), id))
        return FALSE;
    if (menu)
    {
        HIMAGELIST images =
            ::ImageList_LoadImageA(uxAfxData.m_hResourceModule, MAKEINTRESOURCEA(IDB_UX_SMALL_GLYPHS),
                                   kSmallGlyphCell, 0, RGB(255, 0, 255), IMAGE_BITMAP, LR_CREATEDIBSECTION);
        if (images != nullptr)
        {
            SetIcon(10, 10, ::ImageList_GetIcon(images, kMenuMarkImage, ILD_NORMAL), nullptr, FALSE);
            ::ImageList_Destroy(images);
        }
    }
    SetWindowPos(edit, 0, 0, 0, 0, SWP_NOMOVE | SWP_NOSIZE | SWP_NOACTIVATE);
    SetFont(&uxAfxData.m_fontNormal);
    EnableWindow(edit->IsWindowEnabled());
    return TRUE;
}

void CUXBrowseBtn::OnClicked()
{
    if (m_pEdit != nullptr)
        m_pEdit->OnBrowse();
}

BOOL CUXBrowseBtn::PreTranslateMessage(MSG* pMsg)
{
    if (pMsg->message == WM_KEYDOWN && pMsg->hwnd == m_hWnd &&
        (pMsg->wParam == VK_RETURN || pMsg->wParam == VK_SPACE))
    {
        OnClicked();
        return TRUE;
    }
    return CUXButton::PreTranslateMessage(pMsg);
}

// ---- CUXBrowseEdit -------------------------------------------------------------------------------------

IMPLEMENT_DYNAMIC(CUXBrowseEdit, CUXEdit)

BEGIN_MESSAGE_MAP(CUXBrowseEdit, CUXEdit)
    ON_WM_CREATE()
    ON_MESSAGE(UXM_FIRSTINIT, OnFirstInit)
    ON_WM_WINDOWPOSCHANGING()
    ON_WM_WINDOWPOSCHANGED()
    ON_WM_ENABLE()
    ON_WM_SHOWWINDOW()
    ON_WM_DESTROY()
END_MESSAGE_MAP()

CUXBrowseEdit::CUXBrowseEdit()
    : m_nGap(::GetSystemMetrics(SM_CXEDGE))
{
    AfxLoadString(IDS_UX_DEFAULT_EXT, m_strDefExt, uxAfxData.m_hResourceModule);
    AfxLoadString(IDS_UX_ALL_FILES, m_strFilter, uxAfxData.m_hResourceModule);
    AfxLoadString(IDS_UX_CHOOSE_FOLDER, m_strTitle, uxAfxData.m_hResourceModule);
}

CUXBrowseEdit::~CUXBrowseEdit()
{
    if (m_pButton != nullptr && m_pButton->m_hWnd != nullptr)
        m_pButton->DestroyWindow();
}

int CUXBrowseEdit::GetButtonWidth()
{
    static const int width = 2 * ::GetSystemMetrics(SM_CXEDGE) + ::GetSystemMetrics(SM_CXHTHUMB);
    return width;
}

void CUXBrowseEdit::SetBrowseStyle(int style, UINT menuId, int subMenuIndex)
{
    m_nBrowseStyle = style;
    m_nMenuId = menuId;
    m_nSubMenu = subMenuIndex;
}

void CUXBrowseEdit::PreSubclassWindow()
{
    CUXEdit::PreSubclassWindow();
    PostFirstInit();
}

int CUXBrowseEdit::OnCreate(LPCREATESTRUCT lpCreateStruct)
{
    int result = CUXEdit::OnCreate(lpCreateStruct);
    if (result != -1)
        PostFirstInit();
    return result;
}

void CUXBrowseEdit::PostFirstInit()
{
    if (m_nInitCounter == 0 || m_hWnd == nullptr)
        return;
    ++m_nInitCounter;
    PostMessage(UXM_FIRSTINIT, 0, m_nInitCounter);
}

LRESULT CUXBrowseEdit::OnFirstInit(WPARAM, LPARAM lParam)
{
    if (m_nInitCounter == 0 || lParam != m_nInitCounter)
        return 0;
    m_nInitCounter = 0;
    if ((m_nBrowseStyle & kBrowseMask) != 0 && m_pButton == nullptr)
    {
        m_pButton = std::make_unique<CUXBrowseBtn>();
        if (m_pButton->Create(this, m_nBrowseStyle, IDC_UX_BROWSE_BUTTON, m_nMenuId, m_nSubMenu))
            PositionBrowseButton(TRUE);
        else
            m_pButton.reset();
    }
    SetFont(&uxAfxData.m_fontNormal);
    if (m_pDlgOwner == nullptr)
        m_pDlgOwner = this;
    return 0;
}

void CUXBrowseEdit::OnWindowPosChanging(WINDOWPOS* lpwndpos)
{
    CUXEdit::OnWindowPosChanging(lpwndpos);
    // The rectangle asked for holds the edit and its button.
    if (m_pButton != nullptr && m_pButton->m_hWnd != nullptr && !(lpwndpos->flags & SWP_NOSIZE))
        lpwndpos->cx -= m_nGap + GetButtonWidth();
}

void CUXBrowseEdit::OnWindowPosChanged(WINDOWPOS* lpwndpos)
{
    CUXEdit::OnWindowPosChanged(lpwndpos);
    PositionBrowseButton(FALSE);
}

void CUXBrowseEdit::PositionBrowseButton(BOOL frameChanged)
{
    if (m_pButton == nullptr || m_pButton->m_hWnd == nullptr)
        return;
    CWnd* parent = GetParent();
    CRect rect;
    GetWindowRect(&rect);
    if (parent != nullptr)
        parent->ScreenToClient(&rect);
    const UINT flags = SWP_FRAMECHANGED | SWP_NOREDRAW | SWP_NOACTIVATE;
    if (frameChanged)
        SetWindowPos(nullptr, rect.left, rect.top, rect.Width(), rect.Height(), flags | SWP_NOZORDER);
    else
        m_pButton->SetWindowPos(this, rect.right + m_nGap, rect.top, GetButtonWidth(), rect.Height(), flags);
    if (parent != nullptr)
        parent->RedrawWindow(nullptr, nullptr, RDW_INVALIDATE | RDW_ERASE | RDW_ALLCHILDREN | RDW_UPDATENOW);
}

void CUXBrowseEdit::OnEnable(BOOL bEnable)
{
    CUXEdit::OnEnable(bEnable);
    if (m_pButton != nullptr && m_pButton->m_hWnd != nullptr)
        m_pButton->EnableWindow(bEnable);
}

void CUXBrowseEdit::OnShowWindow(BOOL bShow, UINT nStatus)
{
    CUXEdit::OnShowWindow(bShow, nStatus);
    if (m_pButton != nullptr && m_pButton->m_hWnd != nullptr)
        m_pButton->ShowWindow(bShow ? SW_SHOW : SW_HIDE);
}

void CUXBrowseEdit::OnDestroy()
{
    // The button is the edit's sibling: it goes with the edit.
    if (m_pButton != nullptr && m_pButton->m_hWnd != nullptr)
        m_pButton->DestroyWindow();
    m_nInitCounter = 1;
    CUXEdit::OnDestroy();
}

void CUXBrowseEdit::OnBrowse()
{
    m_bBrowsing = TRUE;
    switch (m_nBrowseStyle & kBrowseMask)
    {
    case kBrowseFolder: BrowseForFolder(); break;
    case kBrowseFile: BrowseForFile(); break;
    case kPopupMenu: PopupMenu(); break;
    default: break;
    }
    if (m_hWnd != nullptr)
    {
        SetSel(0, -1);
        SendMessage(EM_SCROLLCARET);
        SetFocus();
    }
    m_bBrowsing = FALSE;
}

BOOL CUXBrowseEdit::BrowseForFolder()
{
    CString initial;
    GetWindowText(initial);
    if (initial.IsEmpty())
        initial = GetCurrentFolder();
    char display[MAX_PATH] = {};
    BROWSEINFOA info = {};
    CWnd* parent = GetParent();
    info.hwndOwner = parent != nullptr ? parent->m_hWnd : m_hWnd;
    info.pszDisplayName = display;
    info.lpszTitle = m_strTitle.GetString();
    info.ulFlags = BIF_RETURNONLYFSDIRS | BIF_RETURNFSANCESTORS | BIF_BROWSEINCLUDEFILES;
    info.lpfn = BrowseCallback;
    info.lParam = reinterpret_cast<LPARAM>(initial.GetString());
    LPITEMIDLIST chosen = ::SHBrowseForFolderA(&info);
    if (chosen == nullptr)
        return FALSE;
    char path[MAX_PATH] = {};
    BOOL isPath = ::SHGetPathFromIDListA(chosen, path) && path[0] != '\0';
    ::CoTaskMemFree(chosen);
    if (isPath)
        SetWindowText(path);
    return isPath;
}

BOOL CUXBrowseEdit::BrowseForFile()
{
    if (m_pCustomDialog != nullptr)
    {
        if (m_pCustomDialog->DoModal() != IDOK)
            return FALSE;
        SetWindowText(m_pCustomDialog->GetPathName());
        return TRUE;
    }
    // The dialog's structure is the full one of this platform (the file dialog sets its size itself).
    CFileDialog dialog(m_bOpenFileDialog, m_strDefExt.IsEmpty() ? nullptr : m_strDefExt.GetString(),
                       m_strFileName.IsEmpty() ? nullptr : m_strFileName.GetString(), m_dwFileFlags,
                       m_strFilter.GetString(), m_pDlgOwner);
    if (dialog.DoModal() != IDOK)
        return FALSE;
    SetWindowText(dialog.GetPathName());
    return TRUE;
}

void CUXBrowseEdit::PopupMenu()
{
    if (m_pButton == nullptr || m_pButton->m_hWnd == nullptr)
        return;
    m_pButton->SendMessage(BM_SETSTATE, TRUE);
    CMenu menu;
    if (menu.LoadMenu(m_nMenuId))
    {
        CMenu* popup = menu.GetSubMenu(m_nSubMenu);
        CWnd* owner = this;
        while ((owner->GetStyle() & WS_CHILD) && owner->GetParent() != nullptr)
            owner = owner->GetParent();
        CRect button;
        m_pButton->GetWindowRect(&button);
        TPMPARAMS params = {};
        params.cbSize = sizeof(params);
        params.rcExclude = button;
        // Drawn by the owner's cool menu, or by one of our own for as long as the menu is open.
        CUXCoolMenu ownHook;
        if (CUXCoolMenu::FindOn(owner->m_hWnd) == nullptr)
            ownHook.Install(owner);
        if (popup != nullptr)
            popup->TrackPopupMenuEx(TPM_LEFTALIGN | TPM_LEFTBUTTON | TPM_VERTICAL, button.left, button.bottom,
                                    owner, &params);
    }
    if (m_pButton->m_hWnd != nullptr)
        m_pButton->SendMessage(BM_SETSTATE, FALSE);
}

// ---- CUXItemEdit ---------------------------------------------------------------------------------------

IMPLEMENT_DYNAMIC(CUXItemEdit, CUXBrowseEdit)

BEGIN_MESSAGE_MAP(CUXItemEdit, CUXBrowseEdit)
    ON_WM_KILLFOCUS()
    ON_WM_CHAR()
    ON_WM_GETDLGCODE()
    ON_WM_DESTROY()
END_MESSAGE_MAP()

CUXItemEdit::CUXItemEdit(CWnd* parent, const CRect& rect, CString* text, int browseStyle, BOOL autoDelete)
    : m_pText(text)
{
    m_nGap = 0;
    m_nBrowseStyle = browseStyle;
    if (!Create(WS_CHILD | WS_VISIBLE | WS_BORDER | ES_AUTOHSCROLL, rect, parent, IDC_UX_ITEM_EDIT))
        return;   // a window that never came leaves the object to its maker
    m_bAutoDelete = autoDelete ? 1 : 0;
    SetFont(&uxAfxData.m_fontNormal);
    SetWindowText(text != nullptr ? text->GetString() : "");
    SetSel(0, -1);
    SendMessage(EM_SCROLLCARET);
    SetFocus();
}

CUXItemEdit::~CUXItemEdit() = default;

void CUXItemEdit::Notify()
{
    if (m_bNotified)
        return;
    m_bNotified = 1;
    if (!m_bCancelled && m_pText != nullptr)
        GetWindowText(*m_pText);
    UXNotifyOwner(this, IDC_UX_ITEM_EDIT, m_bCancelled ? UXN_EDIT_CANCELLED : UXN_ITEM_CHANGED);
}

void CUXItemEdit::EndEdit()
{
    if (m_bClosing || m_hWnd == nullptr)
        return;
    m_bClosing = 1;
    if (m_pButton != nullptr && m_pButton->m_hWnd != nullptr)
        m_pButton->PostMessage(WM_CLOSE);
    PostMessage(WM_CLOSE);
    Notify();
}

BOOL CUXItemEdit::PreTranslateMessage(MSG* pMsg)
{
    if (pMsg->hwnd == m_hWnd && (pMsg->message == WM_KEYDOWN || pMsg->message == WM_KEYUP) &&
        (pMsg->wParam == VK_ESCAPE || pMsg->wParam == VK_RETURN))
    {
        if (pMsg->wParam == VK_ESCAPE)
            m_bCancelled = 1;
        EndEdit();
        return TRUE;
    }
    return CUXBrowseEdit::PreTranslateMessage(pMsg);
}

void CUXItemEdit::OnChar(UINT nChar, UINT nRepCnt, UINT nFlags)
{
    if (nChar == VK_ESCAPE || nChar == VK_RETURN)
    {
        if (nChar == VK_ESCAPE)
            m_bCancelled = 1;
        EndEdit();
        return;
    }
    CUXBrowseEdit::OnChar(nChar, nRepCnt, nFlags);
}

UINT CUXItemEdit::OnGetDlgCode()
{
    return CUXBrowseEdit::OnGetDlgCode() | DLGC_WANTALLKEYS;
}

void CUXItemEdit::OnKillFocus(CWnd* pNewWnd)
{
    CUXBrowseEdit::OnKillFocus(pNewWnd);
    if (pNewWnd != nullptr && m_pButton != nullptr && pNewWnd->m_hWnd == m_pButton->m_hWnd)
        return;
    EndEdit();
}

void CUXItemEdit::OnDestroy()
{
    // Ended by its destruction alone: the owner still hears of it, as of a cancelled edit.
    if (!m_bNotified)
    {
        m_bClosing = 1;
        m_bCancelled = 1;
        Notify();
    }
    CUXBrowseEdit::OnDestroy();
}

void CUXItemEdit::PostNcDestroy()
{
    CUXBrowseEdit::PostNcDestroy();
    if (m_bAutoDelete)
        delete this;
}
