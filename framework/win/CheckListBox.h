// CCheckListBox: an owner-drawn list box whose items carry a check box. Each item keeps its check state
// (0 unchecked, 1 checked, 2 indeterminate), whether it is enabled, and the caller's item data, which the list
// box's own item-data messages keep handing out, so callers use GetItemData and SetItemData as with any list
// box. With an automatic check style a click in the box or Space toggles the check and the parent hears
// CLBN_CHKCHANGE.
//
// The list box needs LBS_HASSTRINGS and LBS_OWNERDRAWFIXED or LBS_OWNERDRAWVARIABLE (Create adds them); the
// parent must be one of our windows, so that the drawing of the items reaches this object.
#pragma once

#include "framework/win/Controls.h"

#include <unordered_set>

#ifndef CLBN_CHKCHANGE
#define CLBN_CHKCHANGE 40
#endif

class CCheckListBox : public CListBox
{
    DECLARE_DYNAMIC(CCheckListBox)
public:
    CCheckListBox() = default;
    ~CCheckListBox() override;

    BOOL Create(DWORD dwStyle, const RECT& rect, CWnd* pParentWnd, UINT nID);

    // BS_CHECKBOX, BS_AUTOCHECKBOX, BS_3STATE or BS_AUTO3STATE (the default is BS_AUTOCHECKBOX).
    void SetCheckStyle(UINT nStyle);
    UINT GetCheckStyle() const { return m_nStyle; }
    void SetCheck(int nIndex, int nCheck);
    int GetCheck(int nIndex) const;   // -1 for an index that does not exist
    void Enable(int nIndex, BOOL bEnabled = TRUE);
    BOOL IsEnabled(int nIndex) const;
    // The state that follows nCheck under the check style (0, 1 and back; or 0, 1, 2 and back).
    int NextCheck(int nCheck) const;
    // The size of the check box the base draws.
    static CSize GetCheckBoxSize();

    void DrawItem(LPDRAWITEMSTRUCT lpDrawItemStruct) override;
    void MeasureItem(LPMEASUREITEMSTRUCT lpMeasureItemStruct) override;
    LRESULT WindowProc(UINT message, WPARAM wParam, LPARAM lParam) override;

protected:
    // Moves the item on to its next check state when the style is automatic, tells the parent; FALSE when
    // the item is disabled or the style is not automatic.
    BOOL ToggleCheck(int nIndex);
    void NotifyCheckChange();
    void InvalidateCheck(int nIndex);

    afx_msg void OnLButtonDown(UINT nFlags, CPoint point);
    afx_msg void OnKeyDown(UINT nChar, UINT nRepCnt, UINT nFlags);
    DECLARE_MESSAGE_MAP()

private:
    struct ItemState
    {
        int check = 0;
        BOOL enabled = TRUE;
        DWORD_PTR data = 0;
    };
    // The record of an item (made when asked to), or null.
    ItemState* State(int nIndex, bool make) const;
    void FreeState(int nIndex);
    void FreeAllStates();

    UINT m_nStyle = BS_AUTOCHECKBOX;
    // The records this object made; item data that is none of them is the caller's own (a list box filled
    // before it was subclassed).
    mutable std::unordered_set<ItemState*> m_states;
};
