#include "uilib/frames/WindowList.h"

#include "resources/uilib/UilibResources.h"
#include "uilib/core/base/GlobalData.h"
#include "uilib/core/base/Helpers.h"

namespace
{

const UINT kButtons[] = {IDC_UX_WL_ACTIVATE,  IDOK,
                         IDC_UX_WL_SAVE,      IDC_UX_WL_CLOSE,
                         IDC_UX_WL_CASCADE,   IDC_UX_WL_TILE_HORZ,
                         IDC_UX_WL_TILE_VERT, IDC_UX_WL_MINIMIZE};

// The MDI children of a client (not the title windows of minimised ones), from the last to the first.
std::vector<HWND> ChildrenLastFirst(HWND hWndMDIClient)
{
    std::vector<HWND> children;
    HWND child = hWndMDIClient != nullptr ? ::GetWindow(hWndMDIClient, GW_CHILD) : nullptr;
    for (child = child != nullptr ? ::GetWindow(child, GW_HWNDLAST) : nullptr; child != nullptr;
         child = ::GetWindow(child, GW_HWNDPREV))
    {
        if (::GetWindow(child, GW_OWNER) == nullptr)
            children.push_back(child);
    }
    return children;
}

}   // namespace

// ---- CUXWindowListBox ----------------------------------------------------------------------------------

BEGIN_MESSAGE_MAP(CUXWindowListBox, CListBox)
    ON_WM_PAINT()
    ON_WM_ERASEBKGND()
END_MESSAGE_MAP()

void CUXWindowListBox::OnPaint()
{
    UXPaintListOffscreen(this, uxAfxData.m_clrWindow);
}

BOOL CUXWindowListBox::OnEraseBkgnd(CDC*)
{
    return TRUE;
}

void CUXWindowListBox::DrawItem(LPDRAWITEMSTRUCT lpDrawItemStruct)
{
    if (lpDrawItemStruct->itemID == static_cast<UINT>(-1))
        return;
    CDC* pDC = CDC::FromHandle(lpDrawItemStruct->hDC);
    CRect rect(lpDrawItemStruct->rcItem);
    BOOL selected = (lpDrawItemStruct->itemState & ODS_SELECTED) != 0;
    COLORREF back = selected ? uxAfxData.m_clrHilite : uxAfxData.m_clrWindow;
    COLORREF text = selected ? uxAfxData.m_clrHiliteText : uxAfxData.m_clrWindowText;
    int cxIcon = uxAfxData.m_cxSmallIcon;
    int cyIcon = uxAfxData.m_cySmallIcon;

    CRect area(rect.left + cxIcon + 3, rect.top, rect.right, rect.bottom);
    pDC->FillSolidRect(&area, back);
    if (lpDrawItemStruct->itemState & ODS_FOCUS)
        pDC->DrawFocusRect(&area);

    HWND hWnd = reinterpret_cast<HWND>(lpDrawItemStruct->itemData);
    CString title;
    GetText(static_cast<int>(lpDrawItemStruct->itemID), title);
    CRect textRect(rect.left + cxIcon + 4, rect.top, rect.right, rect.bottom);
    int oldMode = pDC->SetBkMode(TRANSPARENT);
    COLORREF oldColor = pDC->SetTextColor(text);
    pDC->DrawText(title, &textRect, DT_SINGLELINE | DT_VCENTER | DT_NOPREFIX);
    pDC->SetTextColor(oldColor);
    pDC->SetBkMode(oldMode);

    if (HICON icon = CUXWindowList::GetWindowIcon(hWnd))
        ::DrawIconEx(pDC->GetSafeHdc(), rect.left + 2, rect.top + (rect.Height() - cyIcon) / 2, icon, cxIcon,
                     cyIcon, 0, nullptr, DI_NORMAL);
}

// ---- CUXWindowList -------------------------------------------------------------------------------------

BEGIN_MESSAGE_MAP(CUXWindowList, CUXResizeDialog)
    ON_LBN_SELCHANGE(IDC_UX_WL_LIST, OnSelChange)
    ON_BN_CLICKED(IDC_UX_WL_ACTIVATE, OnActivate)
    ON_BN_CLICKED(IDC_UX_WL_SAVE, OnSave)
    ON_BN_CLICKED(IDC_UX_WL_CLOSE, OnCloseWindows)
    ON_BN_CLICKED(IDC_UX_WL_TILE_HORZ, OnTileHorz)
    ON_BN_CLICKED(IDC_UX_WL_TILE_VERT, OnTileVert)
    ON_BN_CLICKED(IDC_UX_WL_CASCADE, OnCascade)
    ON_BN_CLICKED(IDC_UX_WL_MINIMIZE, OnMinimize)
    ON_WM_DESTROY()
END_MESSAGE_MAP()

CUXWindowList::CUXWindowList(CMDIFrameWnd* pFrame)
    : CUXResizeDialog(IDD_UX_WINDOW_LIST, pFrame), m_pFrame(pFrame),
      m_hWndMDIClient(pFrame != nullptr ? pFrame->m_hWndMDIClient : nullptr)
{
}

BOOL CUXWindowList::OnInitDialog()
{
    CUXResizeDialog::OnInitDialog();
    CUXButton* buttons[] = {&m_btnActivate, &m_btnOK,       &m_btnSave,     &m_btnClose,
                            &m_btnCascade,  &m_btnTileHorz, &m_btnTileVert, &m_btnMinimize};
    for (int i = 0; i < 8; ++i)
    {
        buttons[i]->SubclassDlgItem(kButtons[i], this);
        SetChildAnchor(kButtons[i], CUXAnchorRect(1, 0, 1, 0));
    }
    m_list.SubclassDlgItem(IDC_UX_WL_LIST, this);
    SetChildAnchor(IDC_UX_WL_LIST, CUXAnchorRect(0, 0, 1, 1));
    if (m_list.m_hWnd != nullptr && m_list.GetItemHeight(0) < uxAfxData.m_cySmallIcon + 2)
        m_list.SetItemHeight(0, static_cast<UINT>(uxAfxData.m_cySmallIcon + 2));
    Refresh();
    UsePlacementSection("CUXWindowList");

    // The frame's icon, else the dialog's own.
    HICON icon = nullptr;
    if (m_pFrame != nullptr && m_pFrame->m_hWnd != nullptr)
    {
        icon = reinterpret_cast<HICON>(m_pFrame->SendMessage(WM_GETICON, ICON_SMALL));
        if (icon == nullptr)
            icon = reinterpret_cast<HICON>(m_pFrame->SendMessage(WM_GETICON, ICON_BIG));
        if (icon == nullptr)
            icon = reinterpret_cast<HICON>(::GetClassLongPtrA(m_pFrame->m_hWnd, GCLP_HICONSM));
        if (icon == nullptr)
            icon = reinterpret_cast<HICON>(::GetClassLongPtrA(m_pFrame->m_hWnd, GCLP_HICON));
    }
    if (icon == nullptr)
    {
        m_hIconDefault =
            static_cast<HICON>(::LoadImageA(uxAfxData.m_hResourceModule, MAKEINTRESOURCEA(IDI_UX_WINDOW_LIST),
                                            IMAGE_ICON, uxAfxData.m_cxSmallIcon, uxAfxData.m_cySmallIcon, 0));
        icon = m_hIconDefault;
    }
    SetIcon(icon, FALSE);
    return TRUE;
}

void CUXWindowList::OnDestroy()
{
    CUXResizeDialog::OnDestroy();
    if (m_hIconDefault != nullptr)
    {
        ::DestroyIcon(m_hIconDefault);
        m_hIconDefault = nullptr;
    }
}

CString CUXWindowList::GetWindowTitle(HWND hWnd)
{
    if (hWnd == nullptr || !::IsWindow(hWnd))
        return CString();
    CString title = AfxGetWindowText(hWnd);
    if (!title.IsEmpty())
        return title;
    // An untitled window goes by the document of its first view.
    for (HWND child = ::GetWindow(hWnd, GW_CHILD); child != nullptr; child = ::GetWindow(child, GW_HWNDNEXT))
    {
        CWnd* pWnd = CWnd::FromHandlePermanent(child);
        if (pWnd == nullptr || !pWnd->IsKindOf(RUNTIME_CLASS(CView)))
            continue;
        CDocument* pDoc = static_cast<CView*>(pWnd)->GetDocument();
        if (pDoc == nullptr)
            break;
        title = pDoc->GetTitle();
        ::SetWindowTextA(hWnd, title);
        break;
    }
    return title;
}

HICON CUXWindowList::GetWindowIcon(HWND hWnd)
{
    HICON icon = nullptr;
    if (hWnd != nullptr && ::IsWindow(hWnd))
    {
        icon = reinterpret_cast<HICON>(::SendMessageA(hWnd, WM_GETICON, ICON_SMALL, 0));
        if (icon == nullptr)
            icon = reinterpret_cast<HICON>(::GetClassLongPtrA(hWnd, GCLP_HICONSM));
    }
    return icon != nullptr ? icon : ::LoadIconA(nullptr, MAKEINTRESOURCEA(32517));   // IDI_WINLOGO
}

void CUXWindowList::Refresh()
{
    FillWindowList();
    SelectActiveChild();
    UpdateButtons();
}

void CUXWindowList::FillWindowList()
{
    if (m_list.m_hWnd == nullptr)
        return;
    m_list.SetRedraw(FALSE);
    m_list.ResetContent();
    for (HWND child : ChildrenLastFirst(m_hWndMDIClient))
    {
        int index = m_list.AddString(GetWindowTitle(child));
        if (index >= 0)
            m_list.SetItemData(index, reinterpret_cast<DWORD_PTR>(child));
    }
    m_list.SetRedraw(TRUE);
    m_list.Invalidate();
}

void CUXWindowList::SelectActiveChild()
{
    if (m_list.m_hWnd == nullptr)
        return;
    m_list.SetSel(-1, FALSE);
    HWND active = m_hWndMDIClient != nullptr
                      ? reinterpret_cast<HWND>(::SendMessageA(m_hWndMDIClient, WM_MDIGETACTIVE, 0, 0))
                      : nullptr;
    for (int i = 0; active != nullptr && i < m_list.GetCount(); ++i)
    {
        if (reinterpret_cast<HWND>(m_list.GetItemData(i)) == active)
        {
            m_list.SetSel(i, TRUE);
            m_list.SetCaretIndex(i);
            break;
        }
    }
}

void CUXWindowList::UpdateButtons()
{
    int count = m_list.m_hWnd != nullptr ? m_list.GetSelCount() : 0;
    auto enable = [this](UINT nID, BOOL bEnable)
    {
        if (CWnd* pButton = GetDlgItem(nID))
            pButton->EnableWindow(bEnable);
    };
    enable(IDC_UX_WL_ACTIVATE, count == 1);
    enable(IDC_UX_WL_CASCADE, count > 1);
    enable(IDC_UX_WL_TILE_HORZ, count > 1);
    enable(IDC_UX_WL_TILE_VERT, count > 1);
    enable(IDC_UX_WL_MINIMIZE, count >= 1);
    enable(IDC_UX_WL_SAVE, count >= 1);
    enable(IDC_UX_WL_CLOSE, count >= 1);
}

std::vector<HWND> CUXWindowList::SelectedWindows() const
{
    std::vector<HWND> windows;
    for (int i = 0; m_list.m_hWnd != nullptr && i < m_list.GetCount(); ++i)
    {
        if (m_list.GetSel(i) > 0)
            windows.push_back(reinterpret_cast<HWND>(m_list.GetItemData(i)));
    }
    return windows;
}

void CUXWindowList::OnSelChange()
{
    UpdateButtons();
}

void CUXWindowList::OnActivate()
{
    std::vector<HWND> selected = SelectedWindows();
    if (selected.size() != 1 || !::IsWindow(selected[0]))
        return;
    HWND hWnd = selected[0];
    WINDOWPLACEMENT placement = {};
    placement.length = sizeof(placement);
    if (::GetWindowPlacement(hWnd, &placement) && placement.showCmd == SW_SHOWMINIMIZED)
        ::ShowWindow(hWnd, SW_RESTORE);
    ::SendMessageA(m_hWndMDIClient, WM_MDIACTIVATE, reinterpret_cast<WPARAM>(hWnd), 0);
    OnOK();
}

void CUXWindowList::OnSave()
{
    for (HWND hWnd : SelectedWindows())
    {
        CWnd* pWnd = CWnd::FromHandlePermanent(hWnd);
        if (pWnd == nullptr || !::IsWindow(hWnd) || !pWnd->IsKindOf(RUNTIME_CLASS(CFrameWnd)))
            continue;
        if (CDocument* pDoc = static_cast<CFrameWnd*>(pWnd)->GetActiveDocument())
            pDoc->SaveModified();
    }
    Refresh();
}

void CUXWindowList::OnCloseWindows()
{
    for (HWND hWnd : SelectedWindows())
    {
        if (::IsWindow(hWnd))
            ::SendMessageA(hWnd, WM_CLOSE, 0, 0);
    }
    Refresh();
}

void CUXWindowList::Arrange(UINT message, WPARAM wParam, BOOL bShowSelected)
{
    if (m_hWndMDIClient == nullptr)
        return;
    CWaitCursor wait;
    BOOL locked = ::LockWindowUpdate(m_hWndMDIClient);
    for (int i = m_list.GetCount() - 1; i >= 0; --i)
    {
        HWND hWnd = reinterpret_cast<HWND>(m_list.GetItemData(i));
        BOOL selected = m_list.GetSel(i) > 0;
        if (!::IsWindow(hWnd) || (!bShowSelected && !selected))
            continue;
        ::ShowWindow(hWnd, bShowSelected && selected ? SW_RESTORE : SW_MINIMIZE);
    }
    ::SendMessageA(m_hWndMDIClient, message, wParam, 0);
    if (locked)
        ::LockWindowUpdate(nullptr);
}

void CUXWindowList::OnTileHorz()
{
    Arrange(WM_MDITILE, MDITILE_HORIZONTAL, TRUE);
}

void CUXWindowList::OnTileVert()
{
    Arrange(WM_MDITILE, MDITILE_VERTICAL, TRUE);
}

void CUXWindowList::OnCascade()
{
    Arrange(WM_MDICASCADE, 0, TRUE);
}

void CUXWindowList::OnMinimize()
{
    Arrange(WM_MDICASCADE, 0, FALSE);   // the others stay as they are
}
