// CUXCustOptions: the options page of the customize dialog. Its six check boxes show the options store's
// values; when the page goes and the store is enabled, the values are stored and applied. The delay box
// follows the recently-used box, the shortcut-keys box the tips box (and needs the user tools); "Reset my
// usage data" forgets which commands the user picked from menus.
#pragma once

#include "uilib/core/dialogs/ResizeDialogs.h"
#include "uilib/frames/OptionsStore.h"

class CUXCustOptions : public CUXResizePropertyPage
{
    DECLARE_DYNCREATE(CUXCustOptions)
public:
    CUXCustOptions();

    BOOL OnInitDialog() override;
    // Asks, then clears the record of recently used commands.
    virtual void ResetUsageData();

    // The check box of each option, in the store's order.
    static const UINT s_checkIds[CUXOptionsStore::kOptionCount];

protected:
    void UpdateDependentBoxes();

    afx_msg void OnDependencyChanged();
    afx_msg void OnResetUsage();
    afx_msg void OnDestroy();
    DECLARE_MESSAGE_MAP()
};
