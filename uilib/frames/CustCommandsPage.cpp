#include "uilib/frames/CustCommandsPage.h"

#include "resources/uilib/UilibResources.h"
#include "uilib/core/base/GlobalData.h"
#include "uilib/core/base/Helpers.h"

#include <algorithm>

// ---- the commands list ---------------------------------------------------------------------------------------

BEGIN_MESSAGE_MAP(CUXCommandsListBox, CListBox)
    ON_WM_LBUTTONDOWN()
    ON_WM_ERASEBKGND()
    ON_WM_PAINT()
END_MESSAGE_MAP()

void CUXCommandsListBox::MeasureItem(LPMEASUREITEMSTRUCT lpMeasureItemStruct)
{
    lpMeasureItemStruct->itemHeight = kRowHeight;
}

HICON CUXCommandsListBox::GetItemIcon(int item)
{
    CUXCommandRecord* record = m_pPage->GetCommand(item);
    return record != nullptr ? record->m_hIcon : nullptr;
}

void CUXCommandsListBox::DrawItem(LPDRAWITEMSTRUCT item)
{
    if (item == nullptr || static_cast<int>(item->itemID) < 0)
        return;
    if (CUXListPainter* painter = GetToolBarLook()->GetListPainter())
    {
        painter->DrawItem(item, this);
        return;
    }
    CDC* dc = CDC::FromHandle(item->hDC);
    CRect row = item->rcItem;
    BOOL selected = (item->itemState & ODS_SELECTED) != 0;
    dc->FillSolidRect(row, ::GetSysColor(COLOR_BTNFACE));
    if (selected)
    {
        CRect band(row.left + kIconColumn + 1, row.top, row.right, row.bottom);
        dc->FillSolidRect(band, ::GetSysColor(COLOR_HIGHLIGHT));
        if (item->itemState & ODS_FOCUS)
        {
            CRect focus = band;
            focus.DeflateRect(2, 2);
            dc->DrawFocusRect(focus);
        }
    }
    CUXCommandRecord* record = m_pPage->GetCommand(static_cast<int>(item->itemID));
    if (record == nullptr)
        return;
    CRect icon(row.left, row.top, row.left + kIconColumn, row.bottom);
    if (record->m_nID != 0)
    {
        if (record->m_hIcon != nullptr)
        {
            int cx = std::min(::GetSystemMetrics(SM_CXSMICON), static_cast<int>(kIconColumn));
            int cy = std::min(::GetSystemMetrics(SM_CYSMICON), static_cast<int>(kRowHeight));
            ::DrawIconEx(dc->m_hDC, icon.left + (icon.Width() - cx) / 2, icon.top + (icon.Height() - cy) / 2,
                         record->m_hIcon, cx, cy, 0, nullptr, DI_NORMAL);
        }
        if (selected)
            dc->Draw3dRect(icon, ::GetSysColor(COLOR_BTNHIGHLIGHT), ::GetSysColor(COLOR_BTNSHADOW));
    }
    else
    {
        // A sub-menu: a triangle pointing right near the row's end, made of five shrinking lines.
        CPen pen(PS_SOLID, 1, ::GetSysColor(selected ? COLOR_HIGHLIGHTTEXT : COLOR_BTNTEXT));
        CPen* old = dc->SelectObject(&pen);
        int x = row.right - 11;
        int middle = row.top + row.Height() / 2;
        for (int length = 9; length >= 1; length -= 2, ++x)
        {
            dc->MoveTo(x, middle - length / 2);
            dc->LineTo(x, middle + length / 2 + 1);
        }
        dc->SelectObject(old);
    }
    CRect text(row.left + kTextLeft, row.top, row.right - 14, row.bottom);
    int mode = dc->SetBkMode(TRANSPARENT);
    COLORREF color = dc->SetTextColor(::GetSysColor(selected ? COLOR_HIGHLIGHTTEXT : COLOR_BTNTEXT));
    CFont* font = dc->SelectObject(GetFont());
    dc->DrawText(record->m_strText, text, DT_SINGLELINE | DT_VCENTER | DT_END_ELLIPSIS);
    dc->SelectObject(font);
    dc->SetTextColor(color);
    dc->SetBkMode(mode);
}

BOOL CUXCommandsListBox::OnEraseBkgnd(CDC*)
{
    return TRUE;   // painting fills everything
}

void CUXCommandsListBox::OnPaint()
{
    UXPaintListOffscreen(this, ::GetSysColor(COLOR_BTNFACE));
}

void CUXCommandsListBox::OnLButtonDown(UINT nFlags, CPoint point)
{
    BOOL outside = TRUE;
    int item = static_cast<int>(ItemFromPoint(point, outside));
    if (outside || item < 0 || item >= GetCount())
    {
        CListBox::OnLButtonDown(nFlags, point);
        return;
    }
    SetCurSel(item);
    SetFocus();
    GetParent()->SendMessage(WM_COMMAND, MAKEWPARAM(GetDlgCtrlID(), LBN_SELCHANGE),
                             reinterpret_cast<LPARAM>(m_hWnd));
    CPoint screen = point;
    ClientToScreen(&screen);
    if (::DragDetect(m_hWnd, screen))
        m_pPage->StartDrag(item);
}

// ---- the page ------------------------------------------------------------------------------------------------

IMPLEMENT_DYNAMIC(CUXCustCommandsPage, CUXResizePropertyPage)

BEGIN_MESSAGE_MAP(CUXCustCommandsPage, CUXResizePropertyPage)
    ON_LBN_SELCHANGE(IDC_UX_CMD_CATEGORIES, OnCategoryChange)
    ON_LBN_SELCHANGE(IDC_UX_CMD_COMMANDS, OnCommandChange)
    ON_BN_CLICKED(IDC_UX_CMD_DESCRIPTION, OnDescription)
    ON_WM_CTLCOLOR()
    ON_WM_DESTROY()
END_MESSAGE_MAP()

CUXCustCommandsPage::CUXCustCommandsPage() : CUXResizePropertyPage(IDD_UX_CUST_COMMANDS), m_commandList(this)
{
}

CUXCustCommandsPage::~CUXCustCommandsPage() = default;

BOOL CUXCustCommandsPage::OnInitDialog()
{
    CUXResizePropertyPage::OnInitDialog();
    m_categoryList.SubclassDlgItem(IDC_UX_CMD_CATEGORIES, this);
    m_commandList.SubclassDlgItem(IDC_UX_CMD_COMMANDS, this);
    // The list measured its fixed rows before it was ours.
    m_commandList.SetItemHeight(0, CUXCommandsListBox::kRowHeight);

    // The providers' categories and the bars' own, by order key, then by name.
    CUXCustomizeCenter& center = GetCustomizeCenter();
    center.CollectCommandCategories(m_categories);
    center.DescribeBars(m_categories);
    for (int i = 0; i < static_cast<int>(m_categories.size()); ++i)
        if (m_categories[static_cast<size_t>(i)] != nullptr)
            m_order.push_back(i);
    std::stable_sort(m_order.begin(), m_order.end(),
                     [&](int a, int b)
                     {
                         const CUXCommandCategory* x = m_categories[static_cast<size_t>(a)].get();
                         const CUXCommandCategory* y = m_categories[static_cast<size_t>(b)].get();
                         if (x->m_nOrderKey != y->m_nOrderKey)
                             return x->m_nOrderKey < y->m_nOrderKey;
                         return x->m_strName.CompareNoCase(y->m_strName) < 0;
                     });
    for (size_t i = 0; i < m_order.size(); ++i)
    {
        int index = m_categoryList.AddString(GetCategory(static_cast<int>(i))->m_strName);
        if (index >= 0)
            m_categoryList.SetItemData(index, i);
    }
    // The commands' icons from the image providers, for those that came without.
    for (int i : m_order)
    {
        for (const std::unique_ptr<CUXCommandRecord>& record : m_categories[static_cast<size_t>(i)]->m_commands)
        {
            HICON icon = nullptr;
            HICON hot = nullptr;
            if (record != nullptr && record->m_hIcon == nullptr && LookupImages(record->m_nID, icon, hot))
                record->SetIcons(icon, hot);
        }
    }
    if (m_categoryList.GetCount() > 0)
        m_categoryList.SetCurSel(0);
    ListCommands();

    SetChildAnchor(IDC_UX_CMD_CATEGORIES, CUXAnchorRect(0, 0, 0.5f, 1));
    SetChildAnchor(IDC_UX_CMD_COMMANDS_LABEL, CUXAnchorRect(0.5f, 0, 0.5f, 0));
    SetChildAnchor(IDC_UX_CMD_COMMANDS, CUXAnchorRect(0.5f, 0, 1, 1));
    SetChildAnchor(IDC_UX_CMD_SELECTED, CUXAnchorRect(0, 1, 0, 1));
    SetChildAnchor(IDC_UX_CMD_DESCRIPTION, CUXAnchorRect(0, 1, 0, 1));
    UsePlacementSection("CUXCustCommandsPage");
    return TRUE;
}

void CUXCustCommandsPage::OnDestroy()
{
    if (m_tip.m_hWnd != nullptr)
        m_tip.DestroyWindow();
    CUXResizePropertyPage::OnDestroy();
}

CUXCommandCategory* CUXCustCommandsPage::GetCategory(int index) const
{
    if (index < 0 || index >= static_cast<int>(m_order.size()))
        return nullptr;
    return m_categories[static_cast<size_t>(m_order[static_cast<size_t>(index)])].get();
}

CUXCommandRecord* CUXCustCommandsPage::GetCommand(int item) const
{
    int selected = m_categoryList.m_hWnd != nullptr ? m_categoryList.GetCurSel() : -1;
    CUXCommandCategory* category =
        selected >= 0 ? GetCategory(static_cast<int>(m_categoryList.GetItemData(selected))) : nullptr;
    if (category == nullptr || item < 0 || item >= m_commandList.GetCount())
        return nullptr;
    size_t index = static_cast<size_t>(m_commandList.GetItemData(item));
    return index < category->m_commands.size() ? category->m_commands[index].get() : nullptr;
}

BOOL CUXCustCommandsPage::LookupImages(UINT nID, HICON& icon, HICON& hotIcon) const
{
    icon = hotIcon = nullptr;
    if (nID == 0)
        return FALSE;
    CUXCommandImageMap found;
    if (!GetCustomizeCenter().FindCommandImages(nID, found))
        return FALSE;
    HICON normal = nullptr;
    HICON hot = nullptr;
    if (!found.Lookup(nID, normal, hot) || normal == nullptr)
        return FALSE;
    icon = ::CopyIcon(normal);
    hotIcon = hot != nullptr ? ::CopyIcon(hot) : nullptr;
    return icon != nullptr;
}

void CUXCustCommandsPage::ListCommands()
{
    m_commandList.ResetContent();
    int selected = m_categoryList.GetCurSel();
    CUXCommandCategory* category =
        selected >= 0 ? GetCategory(static_cast<int>(m_categoryList.GetItemData(selected))) : nullptr;
    if (category != nullptr)
    {
        const CUXCustomizeCenter& center = GetCustomizeCenter();
        for (size_t i = 0; i < category->m_commands.size(); ++i)
        {
            const CUXCommandRecord* record = category->m_commands[i].get();
            if (record == nullptr || !center.IsCustomizableCommand(static_cast<UINT>(record->m_nID)))
                continue;
            int item = m_commandList.AddString(record->m_strText);
            if (item >= 0)
                m_commandList.SetItemData(item, static_cast<DWORD_PTR>(i));
        }
    }
    if (m_commandList.GetCount() > 0)
        m_commandList.SetCurSel(0);
    SelectCommand();
}

void CUXCustCommandsPage::SelectCommand()
{
    m_strName.Empty();
    m_strDescription.Empty();
    if (CUXCommandRecord* record =
            m_commandList.GetCurSel() >= 0 ? GetCommand(m_commandList.GetCurSel()) : nullptr)
    {
        m_strName = record->m_strText;
        m_strName.Replace("&", "");
        CString prompt;
        if (record->m_nID == 0 || !AfxLoadString(static_cast<UINT>(record->m_nID), prompt))
        {
            CString format;
            AfxLoadString(IDS_UX_NO_HELP_TOPIC, format, uxAfxData.m_hResourceModule);
            prompt.Format(format, record->m_nID);
        }
        int newline = prompt.Find('\n');
        m_strDescription = newline >= 0 ? prompt.Left(newline) : prompt;
    }
    if (CWnd* button = GetDlgItem(IDC_UX_CMD_DESCRIPTION))
        button->EnableWindow(!m_strDescription.IsEmpty());
    if (CWnd* area = GetDlgItem(IDC_UX_CMD_SELECTED))
        area->Invalidate();
}

void CUXCustCommandsPage::OnCategoryChange()
{
    ListCommands();
}

void CUXCustCommandsPage::OnCommandChange()
{
    SelectCommand();
}

void CUXCustCommandsPage::OnDescription()
{
    CWnd* button = GetDlgItem(IDC_UX_CMD_DESCRIPTION);
    if (button == nullptr || m_strDescription.IsEmpty())
        return;
    CRect rect;
    button->GetWindowRect(&rect);
    if (m_tip.m_hWnd != nullptr)
        m_tip.DestroyWindow();
    m_tip.SetTitle(m_strName);
    m_tip.SetText(m_strDescription);
    m_tip.ShowTipWindow(CPoint(rect.left - 50, rect.bottom + 5), this, 0, 0, FALSE);
}

HBRUSH CUXCustCommandsPage::OnCtlColor(CDC* pDC, CWnd* pWnd, UINT nCtlColor)
{
    HBRUSH brush = CUXResizePropertyPage::OnCtlColor(pDC, pWnd, nCtlColor);
    if (pWnd != nullptr && pWnd->GetDlgCtrlID() == IDC_UX_CMD_DESCRIPTION)
        pDC->SetTextColor(::GetSysColor(pWnd->IsWindowEnabled() ? COLOR_BTNTEXT : COLOR_BTNSHADOW));
    return brush;
}

void CUXCustCommandsPage::StartDrag(int item)
{
    CUXCommandRecord* record = GetCommand(item);
    if (record == nullptr)
        return;
    // The icons again, as the bars show them now.
    HICON icon = nullptr;
    HICON hot = nullptr;
    if (LookupImages(static_cast<UINT>(record->m_nID), icon, hot))
        record->SetIcons(icon, hot);
    GetCustomizeCenter().TrackCommandDrag(&m_commandList, FALSE, *record);
}
