// The bars test program: a frame with two library tool bars (one with a drop-down button, one with a combo
// box over a placeholder) and cool menus on its menu and the menus it tracks. Tests drive it with posted
// messages and input, and look at menus while they are open through the frame's menu-idle callback.
#pragma once

#include "UilibTestIds.h"
#include "UilibTestSupport.h"
#include "uilib/core/bars/CoolMenu.h"
#include "uilib/core/bars/ToolBar.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

class CBarsFrame : public CMenuStepsFrame<CFrameWnd>
{
public:
    CUXToolBar m_bar1;
    CUXToolBar m_bar2;
    CComboBox m_combo;
    CUXCoolMenu m_coolMenu;
    std::vector<UINT> commands;   // the test commands the frame received, in order
    int dropDownAsks = 0;         // drop-downs without a menu the bar asked the frame about
    // The colour pop-up's notifications that reached the frame: message and colour.
    std::vector<std::pair<UINT, COLORREF>> colorNotes;
    BOOL disableSave = FALSE;   // the update handler disables Save ...
    BOOL checkNew = FALSE;      // ... and checks New
    // Frames made while this is set have customizable bars.
    static BOOL& CustomizableBars()
    {
        static BOOL customizable = FALSE;
        return customizable;
    }

protected:
    afx_msg int OnCreate(LPCREATESTRUCT lpCreateStruct)
    {
        if (CFrameWnd::OnCreate(lpCreateStruct) == -1)
            return -1;
        if (!m_bar1.CreateEx(this, TBSTYLE_FLAT, WS_CHILD | WS_VISIBLE | CBRS_TOP | CBRS_TOOLTIPS | CBRS_FLYBY,
                             CRect(0, 0, 0, 0), IDW_TEST_BAR1) ||
            !m_bar1.LoadToolBar(IDR_TEST_BAR1))
            return -1;
        m_bar1.SetWindowText("Standard");
        m_bar1.SetButtonData(ID_T_OPEN, IDR_TEST_DROPDOWN);
        m_bar1.SetButtonData(ID_T_COLOR, CUXToolBar::kDropDownColor);
        if (!m_bar2.CreateEx(this, TBSTYLE_FLAT, WS_CHILD | WS_VISIBLE | CBRS_TOP, CRect(0, 0, 0, 0),
                             IDW_TEST_BAR2) ||
            !m_bar2.LoadToolBar(IDR_TEST_BAR2))
            return -1;
        m_bar2.SetWindowText("Format");
        // The combo box's place: a separator with the combo's id.
        int place = m_bar2.CommandToIndex(ID_T_COMBO);
        TBBUTTON button = m_bar2.GetButton(place);
        button.fsStyle = TBSTYLE_SEP;
        button.iBitmap = 80;
        m_bar2.SetButton(place, button);
        if (!m_combo.Create(WS_CHILD | WS_VISIBLE | CBS_DROPDOWNLIST, CRect(0, 0, 80, 120), &m_bar2, ID_T_COMBO))
            return -1;
        m_bar2.AttachControl(&m_combo);
        // Customizable bars keep their layouts: they come back from the registry here.
        if (CustomizableBars())
            for (CUXToolBar* bar : {&m_bar1, &m_bar2})
            {
                bar->SetCustomizable(TRUE);
                bar->EnableDocking(CBRS_ALIGN_ANY);
            }
        m_coolMenu.Install(this);
        m_coolMenu.LoadToolbar(&m_bar1);
        m_coolMenu.LoadToolbar(&m_bar2);
        return 0;
    }
    afx_msg void OnTestCommand(UINT nID) { commands.push_back(nID); }
    afx_msg void OnUpdateTestCommand(CCmdUI* pCmdUI)
    {
        pCmdUI->Enable(!(disableSave && pCmdUI->m_nID == ID_T_SAVE));
        if (pCmdUI->m_nID == ID_T_NEW)
            pCmdUI->SetCheck(checkNew ? 1 : 0);
    }
    afx_msg LRESULT OnDropDownAsk(WPARAM, LPARAM)
    {
        ++dropDownAsks;
        return 0;
    }
    afx_msg LRESULT OnColorNote(WPARAM wParam, LPARAM)
    {
        colorNotes.emplace_back(GetCurrentMessage()->message, static_cast<COLORREF>(wParam));
        return 0;
    }
    DECLARE_MESSAGE_MAP()
};

// Mouse input through the system's queue: each step moves to a point of the screen and adds its button flags
// (MOUSEEVENTF_LEFTDOWN, ...).
inline void SendMouseInput(const std::vector<std::pair<CPoint, DWORD>>& steps)
{
    int cx = ::GetSystemMetrics(SM_CXSCREEN) - 1;
    int cy = ::GetSystemMetrics(SM_CYSCREEN) - 1;
    std::vector<INPUT> input(steps.size());
    for (size_t i = 0; i < steps.size(); ++i)
    {
        input[i].type = INPUT_MOUSE;
        input[i].mi.dx = steps[i].first.x * 65535 / cx;
        input[i].mi.dy = steps[i].first.y * 65535 / cy;
        input[i].mi.dwFlags = MOUSEEVENTF_ABSOLUTE | MOUSEEVENTF_MOVE | steps[i].second;
    }
    ::SendInput(static_cast<UINT>(input.size()), input.data(), sizeof(INPUT));
}

// The command ids of a bar's buttons in order (0 for separators).
inline std::vector<UINT> BarIds(CUXToolBar& bar)
{
    std::vector<UINT> ids;
    for (int i = 0; i < bar.GetCount(); ++i)
        ids.push_back(bar.GetItemID(i));
    return ids;
}

// A fresh frame for each test, with its own registry key for the library's state.
class BarsTest : public ::testing::Test
{
protected:
    CWinApp m_app{"UilibBarsTest"};
    CBarsFrame* frame = nullptr;

    void SetUp() override
    {
        m_app.SetRegistryKey("VexulTests");
        ::RegDeleteTreeA(HKEY_CURRENT_USER, "Software\\VexulTests\\UilibBarsTest");
        uxAfxData.m_bMenuDelayedExpand = FALSE;   // no expansion while a test rests on the chevron
        MakeFrame();
    }
    // The test program's frame, shown and laid out.
    void MakeFrame()
    {
        frame = new CBarsFrame;
        ASSERT_TRUE(frame->LoadFrame(IDR_TEST_FRAME, WS_OVERLAPPEDWINDOW));
        m_app.m_pMainWnd = frame;
        frame->SetWindowPos(nullptr, 100, 100, 600, 400, SWP_NOZORDER | SWP_SHOWWINDOW);
        frame->RecalcLayout();
        Pump();
    }
    void TearDown() override
    {
        if (::IsWindow(frame->GetSafeHwnd()))
            frame->DestroyWindow();
        m_app.m_pMainWnd = nullptr;
        Pump();
        uxAfxData.m_bMenuDelayedExpand = TRUE;
        ::RegDeleteTreeA(HKEY_CURRENT_USER, "Software\\VexulTests\\UilibBarsTest");
    }

    // Handles everything queued (a menu opened by a queued message runs to its end inside).
    static void Pump()
    {
        MSG msg;
        for (int i = 0; i < 10000 && ::PeekMessageA(&msg, nullptr, 0, 0, PM_REMOVE); ++i)
        {
            if (msg.message == WM_QUIT)
                break;
            if (!AfxPreTranslateMessage(&msg))
            {
                ::TranslateMessage(&msg);
                ::DispatchMessageA(&msg);
            }
        }
    }

    // The menu of an open menu window.
    static HMENU MenuOf(HWND menuWindow)
    {
        return reinterpret_cast<HMENU>(::SendMessageA(menuWindow, MN_GETHMENU, 0, 0));
    }
    // The command ids of a menu's items in order (0 for separators).
    static std::vector<UINT> Ids(HMENU menu)
    {
        std::vector<UINT> ids;
        for (int i = 0; i < ::GetMenuItemCount(menu); ++i)
            ids.push_back(::GetMenuItemID(menu, i));
        return ids;
    }
    static void Key(HWND target, UINT vk) { ::PostMessageA(target, WM_KEYDOWN, vk, 0); }
    // Tracks a pop-up menu at (200, 200) as the library's tracked menu owned by the frame; the command chosen.
    UINT Track(HMENU popup)
    {
        CUXTrackMenu menu;
        menu.Attach(popup);
        UINT command = menu.TrackPopupMenu(TPM_LEFTALIGN, 200, 200, frame, FALSE);
        menu.Detach();
        return command;
    }
};
