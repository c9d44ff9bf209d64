#include "uilib/frames/CustToolBarPage.h"

#include "resources/uilib/UilibResources.h"
#include "uilib/core/bars/CustomizeCenter.h"
#include "uilib/core/base/GlobalData.h"

namespace
{
const UINT kFirstBarId = AFX_IDW_TOOLBAR;   // 0xE800
const UINT kBarIdLimit = 0xE8FE;
const int kNameLimit = 254;

CString FormatString(UINT nID, LPCSTR argument)
{
    CString format, text;
    AfxLoadString(nID, format, uxAfxData.m_hResourceModule);
    text.Format(format, argument);
    return text;
}

// The frame a bar belongs to: its dock site, else the frame around it.
CFrameWnd* FrameOf(CControlBar* pBar)
{
    if (pBar->m_pDockSite != nullptr)
        return pBar->m_pDockSite;
    return pBar->GetParentFrame();
}
}   // namespace

// ---- the New Toolbar dialog ---------------------------------------------------------------------------------

CUXNewToolBarDlg::CUXNewToolBarDlg(CFrameWnd* pFrame, LPCSTR lpszName, CWnd* pParent)
    : CDialog(IDD_UX_NEW_TOOLBAR, pParent), m_strName(lpszName != nullptr ? lpszName : ""), m_pFrame(pFrame),
      m_nBarId(kFirstBarId)
{
}

CString CUXNewToolBarDlg::BarTitle(CControlBar* pBar)
{
    CString title;
    if (pBar != nullptr && pBar->m_hWnd != nullptr)
        pBar->GetWindowText(title);
    return title;
}

CString CUXNewToolBarDlg::FirstFreeName() const
{
    CString pattern;
    AfxLoadString(IDS_UX_CUSTOM_NAME, pattern, uxAfxData.m_hResourceModule);
    for (int n = 1; n <= kNameLimit; ++n)
    {
        CString name;
        name.Format(pattern, n);
        BOOL taken = FALSE;
        for (POSITION pos = m_pFrame != nullptr ? m_pFrame->m_listControlBars.GetHeadPosition() : nullptr;
             pos != nullptr && !taken;)
            taken = BarTitle(m_pFrame->m_listControlBars.GetNext(pos)) == name;
        if (!taken)
            return name;
    }
    return CString();
}

void CUXNewToolBarDlg::ShowLimit()
{
    CString text;
    AfxLoadString(IDS_UX_BAR_LIMIT, text, uxAfxData.m_hResourceModule);
    AfxMessageBox(text, MB_ICONSTOP);
    EndDialog(IDCANCEL);
}

BOOL CUXNewToolBarDlg::OnInitDialog()
{
    CDialog::OnInitDialog();
    CenterWindow();   // on the customize dialog that asks
    if (m_strName.IsEmpty())
    {
        m_strName = FirstFreeName();
        if (m_strName.IsEmpty())
        {
            ShowLimit();
            return TRUE;
        }
    }
    m_strOpenedWith = m_strName;
    CWnd* edit = GetDlgItem(IDC_UX_NT_NAME);
    if (edit == nullptr)
        return TRUE;
    edit->SetWindowText(m_strName);
    edit->SetFocus();
    edit->SendMessage(EM_SETSEL, 0, -1);
    edit->SendMessage(EM_SCROLLCARET);
    return FALSE;   // the focus is set
}

void CUXNewToolBarDlg::OnOK()
{
    GetDlgItemText(IDC_UX_NT_NAME, m_strName);
    if (m_strName.IsEmpty())
    {
        CString text;
        AfxLoadString(IDS_UX_NAME_BLANK, text, uxAfxData.m_hResourceModule);
        AfxMessageBox(text, MB_ICONSTOP);
        return;
    }
    m_nBarId = kFirstBarId;
    POSITION pos = m_pFrame != nullptr ? m_pFrame->m_listControlBars.GetHeadPosition() : nullptr;
    while (pos != nullptr)
    {
        CControlBar* bar = m_pFrame->m_listControlBars.GetNext(pos);
        if (bar == nullptr || bar->m_hWnd == nullptr)
            continue;
        BOOL collision = static_cast<UINT>(bar->GetDlgCtrlID()) == m_nBarId;
        if (!collision && BarTitle(bar).CompareNoCase(m_strName) == 0)
        {
            // The bar's own name again (a rename to itself) stays without a word.
            if (m_strName != m_strOpenedWith)
                AfxMessageBox(FormatString(IDS_UX_NAME_EXISTS, m_strName), MB_ICONSTOP);
            return;
        }
        if (collision)
        {
            if (m_nBarId >= kBarIdLimit)
            {
                ShowLimit();
                return;
            }
            ++m_nBarId;
            pos = m_pFrame->m_listControlBars.GetHeadPosition();   // the new id against every bar again
        }
    }
    EndDialog(IDOK);
}

// ---- the tool bars page -------------------------------------------------------------------------------------

IMPLEMENT_DYNAMIC(CUXCustToolBarPage, CUXResizePropertyPage)

BEGIN_MESSAGE_MAP(CUXCustToolBarPage, CUXResizePropertyPage)
    ON_CONTROL(CLBN_CHKCHANGE, IDC_UX_TB_LIST, OnCheckChange)
    ON_LBN_SELCHANGE(IDC_UX_TB_LIST, OnSelChange)
    ON_BN_CLICKED(IDC_UX_TB_NEW, OnNew)
    ON_BN_CLICKED(IDC_UX_TB_RENAME, OnRename)
    ON_BN_CLICKED(IDC_UX_TB_DELETE, OnDelete)
    ON_BN_CLICKED(IDC_UX_TB_RESET, OnReset)
    ON_WM_DESTROY()
END_MESSAGE_MAP()

CUXCustToolBarPage::CUXCustToolBarPage(CFrameWnd* pFrame)
    : CUXResizePropertyPage(IDD_UX_CUST_TOOLBARS), m_pFrame(pFrame)
{
}

CUXCustToolBarPage::~CUXCustToolBarPage() = default;

BOOL CUXCustToolBarPage::OnInitDialog()
{
    CUXResizePropertyPage::OnInitDialog();
    m_list.SubclassDlgItem(IDC_UX_TB_LIST, this);
    CUXCustomizeCenter& center = GetCustomizeCenter();
    std::vector<CUXBarDescriptor> found;
    center.CollectBarDescriptors(found);
    for (const CUXBarDescriptor& descriptor : found)
        AddDescriptor(descriptor);
    if (m_list.GetCount() > 0)
        m_list.SetCurSel(0);
    m_customizeRegistration.Set(TRUE, {CUXCustomizeCenter::kBarAdded, CUXCustomizeCenter::kBarShown,
                                       CUXCustomizeCenter::kBarRenamed, CUXCustomizeCenter::kBarRemoved});
    SetChildAnchor(IDC_UX_TB_LIST, CUXAnchorRect(0, 0, 1, 1));
    for (UINT id : {IDC_UX_TB_NEW, IDC_UX_TB_RENAME, IDC_UX_TB_DELETE, IDC_UX_TB_RESET})
        SetChildAnchor(id, CUXAnchorRect(1, 0, 1, 0));
    UsePlacementSection("CUXCustToolBarPage");
    UpdateButtons();
    return TRUE;
}

void CUXCustToolBarPage::OnDestroy()
{
    m_customizeRegistration.Clear();
    CUXResizePropertyPage::OnDestroy();
}

void CUXCustToolBarPage::AddDescriptor(const CUXBarDescriptor& descriptor)
{
    CControlBar* bar = descriptor.pBar;
    if (bar == nullptr || bar->m_hWnd == nullptr || FindBar(bar) >= 0)
        return;
    if (m_pFrame != nullptr && FrameOf(bar) != m_pFrame)
        return;   // another frame's bar
    m_descriptors.push_back(descriptor);
    int index = m_list.AddString("");
    if (index < 0)
        return;
    m_list.SetItemData(index, m_descriptors.size() - 1);
    RefreshItemText(index);
    m_list.SetCheck(index, bar->IsVisible() ? 1 : 0);
}

int CUXCustToolBarPage::FindBar(CControlBar* pBar) const
{
    if (m_list.m_hWnd == nullptr)
        return -1;
    for (int i = 0; i < m_list.GetCount(); ++i)
    {
        size_t slot = m_list.GetItemData(i);
        if (slot < m_descriptors.size() && m_descriptors[slot].pBar == pBar)
            return i;
    }
    return -1;
}

void CUXCustToolBarPage::RefreshItemText(int index)
{
    size_t slot = m_list.GetItemData(index);
    if (slot >= m_descriptors.size())
        return;
    CString text = CUXNewToolBarDlg::BarTitle(m_descriptors[slot].pBar);
    if (text.IsEmpty())
        AfxLoadString(IDS_UX_TOOLBAR, text, uxAfxData.m_hResourceModule);
    CString current;
    m_list.GetText(index, current);
    if (current == text)
        return;
    // A list box changes a text only by a new item: data and check go with it.
    int check = m_list.GetCheck(index);
    BOOL selected = m_list.GetCurSel() == index;
    m_list.DeleteString(index);
    m_list.InsertString(index, text);
    m_list.SetItemData(index, slot);
    m_list.SetCheck(index, check);
    if (selected)
        m_list.SetCurSel(index);
}

const CUXBarDescriptor* CUXCustToolBarPage::SelectedDescriptor()
{
    int index = m_list.m_hWnd != nullptr ? m_list.GetCurSel() : -1;
    if (index < 0)
        return nullptr;
    size_t slot = m_list.GetItemData(index);
    return slot < m_descriptors.size() && m_descriptors[slot].pBar != nullptr ? &m_descriptors[slot] : nullptr;
}

void CUXCustToolBarPage::UpdateButtons()
{
    const CUXBarDescriptor* descriptor = SelectedDescriptor();
    auto enable = [&](UINT id, BOOL on)
    {
        if (CWnd* button = GetDlgItem(id))
            button->EnableWindow(on);
    };
    enable(IDC_UX_TB_RESET, descriptor != nullptr && descriptor->reset != nullptr);
    enable(IDC_UX_TB_RENAME, descriptor != nullptr && descriptor->rename != nullptr);
    enable(IDC_UX_TB_DELETE, descriptor != nullptr && descriptor->remove != nullptr);
}

void CUXCustToolBarPage::OnSelChange()
{
    UpdateButtons();
}

void CUXCustToolBarPage::OnCheckChange()
{
    // The item whose check no longer matches its bar is the one that changed.
    for (int index = 0; index < m_list.GetCount(); ++index)
    {
        size_t slot = m_list.GetItemData(index);
        if (slot >= m_descriptors.size() || m_descriptors[slot].pBar == nullptr)
            continue;
        const CUXBarDescriptor& descriptor = m_descriptors[slot];
        BOOL checked = m_list.GetCheck(index) == 1;
        if (checked == (descriptor.pBar->IsVisible() != FALSE))
            continue;
        if (!descriptor.bCanHide)
            m_list.SetCheck(index, 1);
        else if (CFrameWnd* frame = FrameOf(descriptor.pBar))
            frame->ShowControlBar(descriptor.pBar, checked, FALSE);
    }
}

void CUXCustToolBarPage::OnNew()
{
    CUXNewToolBarDlg dlg(m_pFrame, "", this);
    if (dlg.DoModal() != IDOK)
        return;
    CUXCustomizeCenter& center = GetCustomizeCenter();
    CUXToolBar* bar = center.CreateCustomBar(m_pFrame, dlg.GetBarId(), dlg.GetName());
    if (bar == nullptr)
        return;
    center.PlaceCustomBar(m_pFrame, bar);
    // The bar told the page of itself while it was made, before it had its name.
    int index = FindBar(bar);
    if (index >= 0)
    {
        RefreshItemText(index);
        m_list.SetCheck(index, bar->IsVisible() ? 1 : 0);
        m_list.SetCurSel(index);
    }
    UpdateButtons();
}

void CUXCustToolBarPage::OnRename()
{
    const CUXBarDescriptor* descriptor = SelectedDescriptor();
    if (descriptor == nullptr || descriptor->rename == nullptr)
        return;
    int index = m_list.GetCurSel();
    CUXNewToolBarDlg dlg(m_pFrame, CUXNewToolBarDlg::BarTitle(descriptor->pBar), this);
    if (dlg.DoModal() == IDOK)
    {
        descriptor->rename(dlg.GetName());
        RefreshItemText(index);
    }
    m_list.SetFocus();
    m_list.SetCurSel(index);
}

void CUXCustToolBarPage::OnDelete()
{
    const CUXBarDescriptor* descriptor = SelectedDescriptor();
    if (descriptor == nullptr || descriptor->remove == nullptr)
        return;
    CString question = FormatString(IDS_UX_DELETE_BAR, CUXNewToolBarDlg::BarTitle(descriptor->pBar));
    if (AfxMessageBox(question, MB_OKCANCEL | MB_ICONEXCLAMATION) != IDOK)
        return;
    CUXBarDescriptor copy = *descriptor;   // the bar's removal rewrites the list
    copy.remove();
}

void CUXCustToolBarPage::OnReset()
{
    const CUXBarDescriptor* descriptor = SelectedDescriptor();
    if (descriptor != nullptr && descriptor->reset != nullptr)
        descriptor->reset();
}

// ---- what the bars report ------------------------------------------------------------------------------------

void CUXCustToolBarPage::OnBarAdded(const CUXBarDescriptor& descriptor)
{
    if (m_hWnd == nullptr)
        return;
    AddDescriptor(descriptor);
    int index = FindBar(descriptor.pBar);
    if (index >= 0)
        m_list.SetCurSel(index);
    UpdateButtons();
}

void CUXCustToolBarPage::OnBarShown(CControlBar* pBar, BOOL shown)
{
    int index = FindBar(pBar);
    if (index < 0)
        return;
    m_list.SetCheck(index, shown ? 1 : 0);
    if (!shown && (pBar->GetBarStyle() & CBRS_FLOATING))
        if (CFrameWnd* floating = pBar->GetParentFrame())
            floating->ShowWindow(SW_HIDE);
    if (CFrameWnd* frame = pBar->GetParentFrame())
        frame->PostMessage(WM_IDLEUPDATECMDUI, TRUE);
}

void CUXCustToolBarPage::OnBarRenamed(CControlBar* pBar)
{
    int index = FindBar(pBar);
    if (index >= 0)
        RefreshItemText(index);
}

void CUXCustToolBarPage::OnBarRemoved(CControlBar* pBar)
{
    int index = FindBar(pBar);
    if (index < 0)
        return;
    m_descriptors[m_list.GetItemData(index)].pBar = nullptr;
    int selected = m_list.GetCurSel();
    m_list.DeleteString(index);
    int count = m_list.GetCount();
    if (count > 0)
        m_list.SetCurSel(selected < count ? (selected >= 0 ? selected : 0) : count - 1);
    UpdateButtons();
}
