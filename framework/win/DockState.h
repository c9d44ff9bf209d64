// The dock state: one record per bar of a frame (CControlBarInfo), kept in the profile.
//
// Sections (%s = the profile name given): "%s-Summary" holds "Bars" (the number of bar sections) and
// "ScreenCX"/"ScreenCY" (the screen it was saved on); "%s-Bar%d" (0, 1, ... without gaps) holds one record:
// "BarID" always; "Visible" = 0 for a hidden bar only; "Horz" and "Floating" for a floating dock bar;
// "XPos"/"YPos" unless -1; "MRUWidth" unless 32767; for a bar with a dock context "Docking" = 1 and
// "MRUDockID", "MRUDockLeftPos", "MRUDockTopPos", "MRUDockRightPos", "MRUDockBottomPos", "MRUFloatStyle",
// "MRUFloatXPos", "MRUFloatYPos"; for a dock bar with bars "Bars" and "Bar#%d" (its list of ids, 0 ending
// each row). A side dock bar that is visible, in its place and empty writes no section.
//
// Loading reads at most nMaxBarRecords sections and stops at the first one without a "BarID", whatever the
// summary says; a dock bar's list is capped likewise and ends at its first missing "Bar#%d". Positions are
// scaled when the screen is not the one the state was saved on. The profile is reached through three virtual
// operations, so that another store can hold the same values.
#pragma once

#include "framework/win/ControlBar.h"

#include <memory>
#include <vector>

class CDockState;

class CControlBarInfo
{
public:
    CControlBarInfo() = default;
    CControlBarInfo(const CControlBarInfo&) = delete;
    CControlBarInfo& operator=(const CControlBarInfo&) = delete;

    // FALSE (nothing read) when the section has no "BarID".
    BOOL LoadState(LPCSTR lpszSection, CDockState* pDockState);
    void SaveState(LPCSTR lpszSection, CDockState* pDockState) const;

    UINT m_nBarID = 0;
    BOOL m_bVisible = TRUE;
    BOOL m_bFloating = FALSE;   // a floating frame's dock bar
    BOOL m_bHorz = TRUE;
    BOOL m_bDockBar = FALSE;
    CPoint m_pointPos = CPoint(-1, -1);   // in its dock bar; a floating frame's on the screen
    UINT m_nMRUWidth = 32767;
    BOOL m_bDocking = FALSE;   // the MRU values below are the bar's dock context's
    UINT m_uMRUDockID = 0;
    CRect m_rectMRUDockPos;
    DWORD m_dwMRUFloatStyle = 0;
    CPoint m_ptMRUFloatPos;
    CUIntArray m_arrBarID;           // a dock bar's bars row by row, 0 ending each row
    CControlBar* m_pBar = nullptr;   // the bar the record belongs to (not stored)
};

class CDockState : public CObject
{
    DECLARE_DYNCREATE(CDockState)
public:
    static const int nMaxBarRecords = 1024;   // sections read at most, and ids of one dock bar
    static const UINT nDefaultMRUWidth = 32767;

    CDockState() = default;
    ~CDockState() override;
    CDockState(const CDockState&) = delete;
    CDockState& operator=(const CDockState&) = delete;

    virtual void LoadState(LPCSTR lpszProfileName);
    virtual void SaveState(LPCSTR lpszProfileName);
    void Clear();

    // The profile the values go through (base: the application's).
    virtual UINT GetProfileInt(LPCSTR lpszSection, LPCSTR lpszEntry, int nDefault);
    virtual BOOL WriteProfileInt(LPCSTR lpszSection, LPCSTR lpszEntry, int nValue);
    virtual BOOL RemoveSection(LPCSTR lpszSection);

    // A stored position on the screen of today (unchanged when the state was saved on this screen or on
    // none).
    void ScalePoint(CPoint& point) const;
    void ScaleRect(CRect& rect) const;

    std::vector<std::unique_ptr<CControlBarInfo>> m_arrBarInfo;
    CSize m_sizeScreen;   // the screen the state was saved on (0: unknown)
};
