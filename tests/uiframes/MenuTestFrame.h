// The MDI frame of the menu, shortcut and tools tests: the library's MDI frame with the test menu (in a docked
// menu bar that counts its beeps) and its accelerators, and a library tool bar (New, Open, Save).
// Tests look at open menus through the frame's menu-idle steps. Each test gets a fresh frame and its own
// registry key.
#pragma once

#include "MenuTestIds.h"
#include "uilib/UilibTestSupport.h"
#include "uilib/core/base/GlobalData.h"
#include "uilib/core/base/Helpers.h"
#include "uilib/core/bars/ToolBar.h"
#include "uilib/frames/FrameWindows.h"
#include "uilib/frames/KeyMapManager.h"
#include "uilib/frames/ToolsManager.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

// A menu bar that counts its beeps instead of sounding them.
class CCountingMenuBar : public CUXMenuBar
{
public:
    int beeps = 0;
    using CUXMenuBar::FilterMenuMessage;

protected:
    void Beep() override { ++beeps; }
};

class CMenuTestFrame : public CMenuStepsFrame<CUXMDIFrameWnd>
{
public:
    CCountingMenuBar m_menuBar;
    CUXToolBar m_toolBar;
    std::vector<UINT> commands;
    static bool s_keysInCreate;   // the frame enables the user's shortcuts at the end of its OnCreate

protected:
    afx_msg int OnCreate(LPCREATESTRUCT lpCreateStruct)
    {
        if (CUXMDIFrameWnd::OnCreate(lpCreateStruct) == -1)
            return -1;
        const UINT buttons[] = {ID_MT_NEW, ID_MT_OPEN, ID_MT_SAVE};
        if (!m_menuBar.CreateEx(this) ||
            !m_toolBar.CreateEx(this, TBSTYLE_FLAT, WS_CHILD | WS_VISIBLE | CBRS_TOP | CBRS_TOOLTIPS,
                                CRect(0, 0, 0, 0), AFX_IDW_TOOLBAR) ||
            !m_toolBar.SetButtons(buttons, 3))
            return -1;
        EnableDocking(CBRS_ALIGN_ANY);
        m_menuBar.EnableDocking(CBRS_ALIGN_ANY);
        DockControlBar(&m_menuBar);
        if (s_keysInCreate)
            GetKeyMapManager().Enable(this);
        return 0;
    }
    afx_msg void OnTestCommand(UINT nID) { commands.push_back(nID); }
    afx_msg void OnUpdateTestCommand(CCmdUI* pCmdUI) { pCmdUI->Enable(TRUE); }
    afx_msg void OnWindowCommand(UINT nID) { commands.push_back(nID); }
    DECLARE_MESSAGE_MAP()
};

class MenuTest : public ::testing::Test
{
protected:
    static constexpr const char* kAppKey = "Software\\VexulTests\\UilibMenuTest";
    static constexpr const char* kSettingsKey = "Software\\VexulTests\\UilibMenuTest\\Settings";

    CWinApp m_app{"UilibMenuTest"};
    CMenuTestFrame* frame = nullptr;

    void SetUp() override
    {
        m_app.SetRegistryKey("VexulTests");
        ::RegDeleteTreeA(HKEY_CURRENT_USER, kAppKey);
        // The shared managers save nothing when the program ends: each test decides what is stored.
        GetKeyMapManager().SetSaveOnDestroy(FALSE);
        GetToolsManager().SetActive(FALSE);
        OpenFrame();
    }
    void TearDown() override
    {
        CMenuTestFrame::s_keysInCreate = false;
        CloseFrame();
        ::RegDeleteTreeA(HKEY_CURRENT_USER, kAppKey);
    }

    void OpenFrame()
    {
        frame = new CMenuTestFrame;
        ASSERT_TRUE(frame->LoadFrame(IDR_MT_FRAME, WS_OVERLAPPEDWINDOW));
        m_app.m_pMainWnd = frame;
        frame->SetWindowPos(nullptr, 100, 100, 640, 420, SWP_NOZORDER | SWP_SHOWWINDOW);
        frame->RecalcLayout();
        Pump();
    }
    void CloseFrame()
    {
        if (frame != nullptr && ::IsWindow(frame->GetSafeHwnd()))
            frame->DestroyWindow();
        frame = nullptr;
        m_app.m_pMainWnd = nullptr;
        Pump();
    }

    // Handles everything queued (a menu opened by a queued message runs to its end inside), then the idle
    // update the application loop would run, and what that queued.
    static void Pump()
    {
        PumpPending();
        if (CWinApp* app = AfxGetApp())
            app->OnIdle(0);
        PumpPending();
    }

    // A binary value of the library's "Settings" section; false when it is missing.
    static bool ReadSetting(const char* entry, std::vector<BYTE>& bytes)
    {
        DWORD size = 0;
        if (::RegGetValueA(HKEY_CURRENT_USER, kSettingsKey, entry, RRF_RT_REG_BINARY, nullptr, nullptr, &size) !=
            ERROR_SUCCESS)
            return false;
        bytes.resize(size);
        return ::RegGetValueA(HKEY_CURRENT_USER, kSettingsKey, entry, RRF_RT_REG_BINARY, nullptr, bytes.data(),
                              &size) == ERROR_SUCCESS;
    }
    static void WriteSetting(const char* entry, const std::vector<BYTE>& bytes)
    {
        HKEY key = nullptr;
        ASSERT_EQ(ERROR_SUCCESS, ::RegCreateKeyExA(HKEY_CURRENT_USER, kSettingsKey, 0, nullptr, 0, KEY_WRITE,
                                                   nullptr, &key, nullptr));
        ::RegSetValueExA(key, entry, 0, REG_BINARY, bytes.data(), static_cast<DWORD>(bytes.size()));
        ::RegCloseKey(key);
    }
    static std::string MenuText(HMENU menu, int pos)
    {
        char text[256] = {};
        ::GetMenuStringA(menu, static_cast<UINT>(pos), text, sizeof(text), MF_BYPOSITION);
        return text;
    }
    // The texts of a menu's entries ("-" for a separator).
    static std::vector<std::string> MenuTexts(HMENU menu)
    {
        std::vector<std::string> texts;
        for (int i = 0; i < ::GetMenuItemCount(menu); ++i)
            texts.push_back((::GetMenuState(menu, static_cast<UINT>(i), MF_BYPOSITION) & MF_SEPARATOR)
                                ? "-"
                                : MenuText(menu, i));
        return texts;
    }
    // The first entries of the File menu as it shows when the menu bar opens it.
    std::vector<std::string> FileMenuTexts(int count)
    {
        std::vector<std::string> texts;
        frame->menuSteps.push_back(
            [&](HWND menu)
            {
                HMENU popup = MenuOf(menu);
                for (int i = 0; i < count; ++i)
                    texts.push_back(MenuText(popup, i));
                ::EndMenu();
                return TRUE;
            });
        frame->m_menuBar.TrackPopup(1);
        return texts;
    }
    // The menu of an open menu window.
    static HMENU MenuOf(HWND menuWindow)
    {
        return reinterpret_cast<HMENU>(::SendMessageA(menuWindow, MN_GETHMENU, 0, 0));
    }
};
