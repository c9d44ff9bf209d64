// CUXCustomizeSheet: the "Customize" dialog, a resizable property sheet with up to five pages chosen by a
// flag word. It runs a modal loop of its own that leaves the frame's customizable bars usable (commands are
// dragged between the dialog and the bars) while every other click and key meant for the frame is
// swallowed: a mouse and a keyboard hook of the thread, installed only while the dialog runs.
//
// While it is open the customizable bars are in customize mode. The windows whose mouse input it lets
// through are those its clients name when it opens (the customize centre's kCustomizeStart) and those that
// come and go meanwhile (kAllowWindow, kDisallowWindow). The page last shown is kept in "Settings"/
// "Active Page".
#pragma once

#include "uilib/core/bars/CustomizeCenter.h"
#include "uilib/core/dialogs/ResizeDialogs.h"

#include <memory>

class CUXCustAccelerators;
class CUXCustCommandsPage;
class CUXCustOptions;
class CUXCustToolBarPage;
class CUXCustTools;

class CUXCustomizeSheet : public CUXResizePropertySheet, private CUXCustomizeListener
{
    DECLARE_DYNAMIC(CUXCustomizeSheet)
public:
    // The pages, in the order they are added.
    enum PageFlags : UINT
    {
        kToolBarsPage = 0x01,
        kCommandsPage = 0x02,
        kKeyboardPage = 0x04,
        kToolsPage = 0x08,
        kOptionsPage = 0x10,
        kAllPages = 0x1F
    };

    CUXCustomizeSheet(CWnd* pFrame, UINT pageFlags);
    ~CUXCustomizeSheet() override;

    // Runs the dialog until it is closed (or its owner goes): IDCANCEL, IDOK, or -1 when it could not open.
    INT_PTR DoModal() override;
    BOOL OnInitDialog() override;

    // The frame the dialog customizes.
    CWnd* GetFrame() const { return m_pFrame; }
    CUXCustToolBarPage* GetToolBarsPage() const { return m_pToolBars.get(); }
    CUXCustCommandsPage* GetCommandsPage() const { return m_pCommands.get(); }
    CUXCustAccelerators* GetKeyboardPage() const { return m_pKeyboard.get(); }
    CUXCustTools* GetToolsPage() const { return m_pTools.get(); }
    CUXCustOptions* GetOptionsPage() const { return m_pOptions.get(); }

    // The windows whose mouse input passes while the dialog runs (a window's descendants pass with it).
    void AllowWindow(HWND hWnd);
    void DisallowWindow(HWND hWnd);
    BOOL IsAllowedWindow(HWND hWnd) const;
    // The dialog whose modal loop runs now, or null.
    static CUXCustomizeSheet* GetRunning() { return s_pRunning; }

protected:
    // TRUE when the dialog may close now: with the user tools offered, the tools page must accept its tools.
    virtual BOOL CanClose();
    // Whether the mouse and the keys of a message for hWnd reach it.
    BOOL PassesMouse(HWND hWnd);
    BOOL PassesKeys() const;
    void RemoveHooks();

    afx_msg void OnDestroy();
    afx_msg void OnSysCommand(UINT nID, LPARAM lParam);
    afx_msg void OnCloseCommand();
    DECLARE_MESSAGE_MAP()

    static LRESULT CALLBACK MouseHook(int nCode, WPARAM wParam, LPARAM lParam);
    static LRESULT CALLBACK KeyboardHook(int nCode, WPARAM wParam, LPARAM lParam);
    // The customize centre names the windows that pass when the dialog opens and while it runs.
    void OnAllowWindow(HWND hWnd) override { AllowWindow(hWnd); }
    void OnDisallowWindow(HWND hWnd) override { DisallowWindow(hWnd); }
    CUXCustomizeRegistration m_customizeRegistration{this};

    CMapPtrToPtr m_allowed;   // HWND -> 1
    CWnd* m_pFrame;
    std::unique_ptr<CUXCustToolBarPage> m_pToolBars;
    std::unique_ptr<CUXCustCommandsPage> m_pCommands;
    std::unique_ptr<CUXCustAccelerators> m_pKeyboard;
    std::unique_ptr<CUXCustTools> m_pTools;
    std::unique_ptr<CUXCustOptions> m_pOptions;
    HWND m_hWndMain = nullptr;   // the frame's top-level window while the dialog runs
    HHOOK m_hMouseHook = nullptr;
    HHOOK m_hKeyboardHook = nullptr;
    BOOL m_bBroughtToTop = FALSE;   // the main window came to the top at the first mouse message
    int m_nLastActivePage = -1;     // the page shown when the dialog was closed

    static CUXCustomizeSheet* s_pRunning;
    friend class CUXCustomizeMainHook;
};
