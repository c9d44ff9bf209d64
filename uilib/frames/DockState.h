// CUXDockState: the framework's dock state kept in the library's settings store (under HKEY_CURRENT_USER,
// or in the INI file the look data names) instead of the application's profile. The sections and values are
// the framework's ("%s-Summary", "%s-Bar%d"); reading stays bounded however damaged they are.
//
// LoadBarState and SaveBarState keep a frame's whole bar layout: the dock state and, in the section of each
// docking window, its "Bar Position". The library's frames call them after telling their customization.
#pragma once

#include "framework/win/Framework.h"

class CUXDockState : public CDockState
{
    DECLARE_DYNCREATE(CUXDockState)
public:
    CUXDockState() = default;

    UINT GetProfileInt(LPCSTR lpszSection, LPCSTR lpszEntry, int nDefault) override;
    BOOL WriteProfileInt(LPCSTR lpszSection, LPCSTR lpszEntry, int nValue) override;
    BOOL RemoveSection(LPCSTR lpszSection) override;

    // Loads the layout saved under the profile name and applies it to the frame: ids the frame has no bar
    // for are dropped from the records (a docked record of such an id goes whole), each docking window
    // takes the sizes kept in its section (one without a section keeps its own), then the frame applies the
    // state.
    static void LoadBarState(CFrameWnd* pFrame, LPCSTR lpszProfileName, CUXDockState* pState = nullptr);
    // Saves the frame's layout under the profile name, then each docking window's sizes in its section.
    static void SaveBarState(CFrameWnd* pFrame, LPCSTR lpszProfileName, CUXDockState* pState = nullptr);
    // The section "%s-Bar%d" whose "BarID" is nID (compared as 16 bits), searched from 0 within the count of
    // the summary up to the first section without a "BarID"; empty when there is none.
    CString FindBarSection(LPCSTR lpszProfileName, UINT nID);
};
