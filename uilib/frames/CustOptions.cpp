#include "uilib/frames/CustOptions.h"

#include "resources/uilib/UilibResources.h"
#include "uilib/core/bars/CoolMenu.h"
#include "uilib/core/base/GlobalData.h"
#include "uilib/core/base/Helpers.h"
#include "uilib/frames/ToolsManager.h"

const UINT CUXCustOptions::s_checkIds[CUXOptionsStore::kOptionCount] = {
    IDC_UX_OPT_LIVE_DRAGGING, IDC_UX_OPT_MENU_SHADOWS,     IDC_UX_OPT_RECENT_FIRST,
    IDC_UX_OPT_TOOLTIPS,      IDC_UX_OPT_FULL_MENUS_DELAY, IDC_UX_OPT_SHORTCUTS_IN_TIPS,
};

IMPLEMENT_DYNCREATE(CUXCustOptions, CUXResizePropertyPage)

BEGIN_MESSAGE_MAP(CUXCustOptions, CUXResizePropertyPage)
    ON_BN_CLICKED(IDC_UX_OPT_RECENT_FIRST, OnDependencyChanged)
    ON_BN_CLICKED(IDC_UX_OPT_TOOLTIPS, OnDependencyChanged)
    ON_BN_CLICKED(IDC_UX_OPT_RESET_USAGE, OnResetUsage)
    ON_WM_DESTROY()
END_MESSAGE_MAP()

CUXCustOptions::CUXCustOptions() : CUXResizePropertyPage(IDD_UX_CUST_OPTIONS)
{
}

BOOL CUXCustOptions::OnInitDialog()
{
    CUXResizePropertyPage::OnInitDialog();
    const BYTE* values = GetOptionsStore().Get();
    for (int i = 0; i < CUXOptionsStore::kOptionCount; ++i)
        CheckDlgButton(static_cast<int>(s_checkIds[i]), values[i] ? BST_CHECKED : BST_UNCHECKED);
    SetChildAnchor(IDC_UX_OPT_LINE_MENUS, CUXAnchorRect(0, 0, 1, 0));
    SetChildAnchor(IDC_UX_OPT_LINE_OTHER, CUXAnchorRect(0, 0, 1, 0));
    UsePlacementSection("CUXCustOptions");
    UpdateDependentBoxes();
    return TRUE;
}

void CUXCustOptions::UpdateDependentBoxes()
{
    if (CWnd* delay = GetDlgItem(IDC_UX_OPT_FULL_MENUS_DELAY))
        delay->EnableWindow(IsDlgButtonChecked(IDC_UX_OPT_RECENT_FIRST) == BST_CHECKED);
    if (CWnd* shortcuts = GetDlgItem(IDC_UX_OPT_SHORTCUTS_IN_TIPS))
        shortcuts->EnableWindow(GetToolsManager().IsEnabled() &&
                                IsDlgButtonChecked(IDC_UX_OPT_TOOLTIPS) == BST_CHECKED);
}

void CUXCustOptions::OnDependencyChanged()
{
    UpdateDependentBoxes();
}

void CUXCustOptions::OnResetUsage()
{
    ResetUsageData();
}

void CUXCustOptions::ResetUsageData()
{
    CString question;
    AfxLoadString(IDS_UX_RESET_USAGE, question, uxAfxData.m_hResourceModule);
    if (AfxMessageBox(question, MB_YESNO | MB_ICONEXCLAMATION) == IDYES)
        CUXCoolMenu().ClearRecentItems();
}

void CUXCustOptions::OnDestroy()
{
    CUXOptionsStore& store = GetOptionsStore();
    if (store.IsEnabled())
    {
        BYTE values[CUXOptionsStore::kOptionCount];
        for (int i = 0; i < CUXOptionsStore::kOptionCount; ++i)
            values[i] = IsDlgButtonChecked(static_cast<int>(s_checkIds[i])) == BST_CHECKED ? 1 : 0;
        store.Set(values);
        store.Commit();
    }
    CUXResizePropertyPage::OnDestroy();
}
