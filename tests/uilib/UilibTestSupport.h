// Helpers of the UI library's tests: system colours changed for one test, icons made in memory, host windows
// that record what their controls tell them, letting queued messages run, looking at open menus, reading
// the screen, and the images tool-bar buttons show.
#pragma once

#include "uilib/core/bars/ToolBar.h"
#include "uilib/core/base/GlobalData.h"

#include "support/win_DibSurface.h"
#include "support/win_TestFiles.h"

#include <algorithm>
#include <deque>
#include <functional>
#include <initializer_list>
#include <map>
#include <memory>
#include <string>
#include <vector>

#include <gtest/gtest.h>

// What a drop shadow makes of white, from the owner's edge outwards.
const COLORREF kShadowShadesOverWhite[4] = {RGB(195, 195, 195), RGB(210, 210, 210), RGB(225, 225, 225),
                                            RGB(240, 240, 240)};

// ---- copies of this program that run a few tests on their own ----

const char kChildVariable[] = "VEXUL_UILIB_CHILD";

// The part a child copy plays ("" in the program the test runner started).
inline std::string ChildRole()
{
    char role[64] = {};
    ::GetEnvironmentVariableA(kChildVariable, role, sizeof(role));
    return role;
}

// Runs the tests matching the filter in a child copy of this program with the given role; with windows2000
// the copy sees Windows 2000 (the version setting applies to the copy's name alone). The child's exit code,
// or a code above 100 when it could not run.
inline DWORD RunChild(const char* filter, const char* role, bool windows2000 = false)
{
    char self[MAX_PATH] = {};
    ::GetModuleFileNameA(nullptr, self, MAX_PATH);
    std::string program = self;
    if (windows2000)
    {
        program = TempFolderPath() + "vexul_uilib_w2k.exe";
        if (!::CopyFileA(self, program.c_str(), FALSE))
            return 101;
        HKEY key = nullptr;
        if (::RegCreateKeyExA(HKEY_CURRENT_USER, "Software\\Wine\\AppDefaults\\vexul_uilib_w2k.exe", 0, nullptr, 0,
                              KEY_WRITE, nullptr, &key, nullptr) != ERROR_SUCCESS)
            return 102;
        ::RegSetValueExA(key, "Version", 0, REG_SZ, reinterpret_cast<const BYTE*>("win2k"), 6);
        ::RegCloseKey(key);
    }
    std::string line = "\"" + program + "\" --gtest_filter=" + filter + " --gtest_color=no";
    ::SetEnvironmentVariableA(kChildVariable, role);
    STARTUPINFOA si = {};
    si.cb = sizeof(si);
    PROCESS_INFORMATION pi = {};
    BOOL started =
        ::CreateProcessA(program.c_str(), &line[0], nullptr, nullptr, FALSE, 0, nullptr, nullptr, &si, &pi);
    ::SetEnvironmentVariableA(kChildVariable, nullptr);
    DWORD code = 103;
    if (started)
    {
        if (::WaitForSingleObject(pi.hProcess, 120000) == WAIT_OBJECT_0)
            ::GetExitCodeProcess(pi.hProcess, &code);
        else
            ::TerminateProcess(pi.hProcess, 104);
        ::CloseHandle(pi.hThread);
        ::CloseHandle(pi.hProcess);
    }
    if (windows2000)
        ::DeleteFileA(program.c_str());
    return code;
}

// Sets system colours for the lifetime of the object and puts the old ones back (the look data follows
// both ways).
class SysColorScope
{
public:
    SysColorScope() = default;
    ~SysColorScope()
    {
        for (size_t i = m_indexes.size(); i-- > 0;)
            ::SetSysColors(1, &m_indexes[i], &m_old[i]);
        uxAfxData.RefreshSystemColors();
    }
    SysColorScope(const SysColorScope&) = delete;
    SysColorScope& operator=(const SysColorScope&) = delete;

    void Set(int index, COLORREF color)
    {
        m_indexes.push_back(index);
        m_old.push_back(::GetSysColor(index));
        ::SetSysColors(1, &index, &color);
        uxAfxData.RefreshSystemColors();
    }

private:
    std::vector<int> m_indexes;
    std::vector<COLORREF> m_old;
};

// A square icon of one colour (the caller destroys it).
inline HICON MakeTestIcon(int size, COLORREF color)
{
    HDC screen = ::GetDC(nullptr);
    HBITMAP image = ::CreateCompatibleBitmap(screen, size, size);
    HBITMAP mask = ::CreateBitmap(size, size, 1, 1, nullptr);
    HDC mem = ::CreateCompatibleDC(screen);
    HGDIOBJ old = ::SelectObject(mem, image);
    HBRUSH brush = ::CreateSolidBrush(color);
    RECT all = {0, 0, size, size};
    ::FillRect(mem, &all, brush);
    ::SelectObject(mem, mask);
    ::PatBlt(mem, 0, 0, size, size, BLACKNESS);   // opaque everywhere
    ::SelectObject(mem, old);
    ::DeleteObject(brush);
    ::DeleteDC(mem);
    ::ReleaseDC(nullptr, screen);
    ICONINFO info = {TRUE, 0, 0, mask, image};
    HICON icon = ::CreateIconIndirect(&info);
    ::DeleteObject(image);
    ::DeleteObject(mask);
    return icon;
}

// Runs every message already queued, through the framework's pre-translation as a program's loop would,
// until the thread would wait.
inline void PumpPending()
{
    MSG msg;
    for (int i = 0; i < 1000; ++i)
    {
        while (::PeekMessageA(&msg, nullptr, 0, 0, PM_REMOVE))
        {
            if (!AfxPreTranslateMessage(&msg))
            {
                ::TranslateMessage(&msg);
                ::DispatchMessageA(&msg);
            }
        }
        if (::MsgWaitForMultipleObjectsEx(0, nullptr, 0, QS_ALLINPUT, 0) == WAIT_TIMEOUT)
            return;
    }
}

// Steps run while a menu is open and its loop is idle, each with the newest menu window; a step returns TRUE
// when it is done, FALSE to be called again after the queued messages.
using MenuSteps = std::deque<std::function<BOOL(HWND)>>;
// Two idle turns of a menu at most this many messages apart: a menu that never shows fails the test.
const int kMaxMenuIdleCalls = 400;

// One idle turn of an open menu (the owner's WM_ENTERIDLE with MSGF_MENU, or its own message `again`): what
// waits to be painted is painted first, so that the step sees it on the screen; then the first step runs,
// and when it is not done, or no menu shows yet, `again` is posted to the owner for another turn.
inline void RunMenuStep(MenuSteps& steps, int& calls, HWND owner, UINT again)
{
    if (steps.empty())
        return;
    if (++calls > kMaxMenuIdleCalls)
    {
        steps.clear();
        ::EndMenu();
        return;
    }
    ::EnumThreadWindows(
        ::GetCurrentThreadId(),
        [](HWND hWnd, LPARAM) -> BOOL
        {
            ::RedrawWindow(hWnd, nullptr, nullptr, RDW_UPDATENOW | RDW_ALLCHILDREN);
            return TRUE;
        },
        0);
    HWND menu = ::FindWindowA("#32768", nullptr);
    if (menu == nullptr || !::IsWindowVisible(menu) || !steps.front()(menu))
        ::PostMessageA(owner, again, 0, 0);
    else
        steps.pop_front();
}

// A frame of TFrame whose open menus run menuSteps. The frame's own message map routes the idle turns here:
//     ON_WM_ENTERIDLE()
//     ON_MESSAGE(WM_APP + 1, OnMenuIdleAgain)
template <class TFrame>
class CMenuStepsFrame : public TFrame
{
public:
    MenuSteps menuSteps;   // run while a menu is open (RunMenuStep)
    int menuIdleCalls = 0;

protected:
    afx_msg void OnEnterIdle(UINT nWhy, CWnd*)
    {
        if (nWhy == MSGF_MENU)
            CallMenuIdle();
    }
    afx_msg LRESULT OnMenuIdleAgain(WPARAM, LPARAM)
    {
        CallMenuIdle();
        return 0;
    }
    void CallMenuIdle() { RunMenuStep(menuSteps, menuIdleCalls, this->m_hWnd, WM_APP + 1); }
};

// A shown pop-up in the face colour that hosts the controls under test and records the commands and
// notifications it receives.
class CTestHost : public CWnd
{
public:
    struct Command
    {
        UINT id;
        UINT code;
        HWND from;
    };

    explicit CTestHost(int x = 60, int y = 60, int width = 400, int height = 300)
    {
        LPCSTR cls = AfxRegisterWndClass(CS_DBLCLKS, ::LoadCursorA(nullptr, IDC_ARROW),
                                         reinterpret_cast<HBRUSH>(COLOR_BTNFACE + 1));
        CreateEx(0, cls, "host", WS_POPUP | WS_VISIBLE | WS_CLIPCHILDREN, x, y, width, height, nullptr, nullptr);
    }
    ~CTestHost() override { DestroyWindow(); }

    // How many commands with this notification code arrived (from any control).
    int Count(UINT code) const
    {
        int n = 0;
        for (const Command& c : commands)
            n += c.code == code ? 1 : 0;
        return n;
    }

    std::vector<Command> commands;

protected:
    BOOL OnCommand(WPARAM wParam, LPARAM lParam) override
    {
        commands.push_back({LOWORD(wParam), HIWORD(wParam), reinterpret_cast<HWND>(lParam)});
        return CWnd::OnCommand(wParam, lParam);
    }
};

// The colour of one pixel of the screen.
inline COLORREF ScreenPixel(int x, int y)
{
    HDC screen = ::GetDC(nullptr);
    COLORREF color = ::GetPixel(screen, x, y);
    ::ReleaseDC(nullptr, screen);
    return color;
}

// A copy of a rectangle of the screen, read pixel by pixel in screen co-ordinates.
struct ScreenCopy
{
    DibSurface surface;
    CPoint origin;

    explicit ScreenCopy(const CRect& rect) : surface(rect.Width(), rect.Height()), origin(rect.TopLeft())
    {
        HDC screen = ::GetDC(nullptr);
        ::BitBlt(surface.dc.GetSafeHdc(), 0, 0, rect.Width(), rect.Height(), screen, rect.left, rect.top, SRCCOPY);
        ::ReleaseDC(nullptr, screen);
    }
    COLORREF At(int x, int y) const { return surface.At(x - origin.x, y - origin.y); }
    // Whether any pixel of the rows [top, top + height) between left and right has the colour.
    bool RowsHold(int left, int right, int top, int height, COLORREF color) const
    {
        for (int y = top; y < top + height; ++y)
            for (int x = left; x < right; ++x)
                if (At(x, y) == color)
                    return true;
        return false;
    }
};

// A top-level window at (20, 20) that hosts the list and tree controls under test. It records the codes of
// the notifications it receives and, when asked, refuses selection changes of trees.
class CNotifyHost : public CWnd
{
public:
    explicit CNotifyHost(int width = 600, int height = 420)
    {
        CreateEx(0, nullptr, "host", WS_OVERLAPPEDWINDOW | WS_VISIBLE | WS_CLIPCHILDREN, 20, 20, width, height,
                 nullptr, nullptr);
    }
    std::vector<UINT> m_codes;
    bool m_bRefuseSelChanging = false;

    size_t Count(UINT code) const
    {
        size_t n = 0;
        for (UINT c : m_codes)
            n += c == code ? 1 : 0;
        return n;
    }

    BOOL OnNotify(WPARAM wParam, LPARAM lParam, LRESULT* pResult) override
    {
        NMHDR* notify = reinterpret_cast<NMHDR*>(lParam);
        m_codes.push_back(notify->code);
        if (m_bRefuseSelChanging && (notify->code == TVN_SELCHANGINGA || notify->code == TVN_SELCHANGINGW))
        {
            *pResult = TRUE;
            return TRUE;
        }
        return CWnd::OnNotify(wParam, lParam, pResult);
    }
};

// The client area of a window as the screen shows it.
struct ScreenShot
{
    explicit ScreenShot(HWND hWnd)
    {
        PumpPending();
        CRect rect;
        ::GetClientRect(hWnd, &rect);
        CPoint origin(0, 0);
        ::ClientToScreen(hWnd, &origin);
        surface.reset(new DibSurface(rect.Width(), rect.Height()));
        HDC screen = ::GetDC(nullptr);
        ::BitBlt(surface->dc, 0, 0, rect.Width(), rect.Height(), screen, origin.x, origin.y, SRCCOPY);
        ::ReleaseDC(nullptr, screen);
    }
    COLORREF At(int x, int y) const { return surface->At(x, y); }
    int Width() const { return surface->width; }
    int Height() const { return surface->height; }
    // How many pixels of the rectangle (clipped to the picture) have the colour.
    int Count(const CRect& rect, COLORREF color) const
    {
        int n = 0;
        for (int y = std::max(0L, rect.top); y < std::min<long>(Height(), rect.bottom); ++y)
            for (int x = std::max(0L, rect.left); x < std::min<long>(Width(), rect.right); ++x)
                n += At(x, y) == color ? 1 : 0;
        return n;
    }

    std::unique_ptr<DibSurface> surface;
};

// ---- the images tool-bar buttons show ----

// An entry of an image list as it draws over magenta, pixel by pixel; empty for an index it does not have.
inline std::vector<COLORREF> ImageListPixels(HIMAGELIST images, int index)
{
    int cx = 0;
    int cy = 0;
    if (images == nullptr || index < 0 || index >= ::ImageList_GetImageCount(images) ||
        !::ImageList_GetIconSize(images, &cx, &cy))
        return {};
    DibSurface surface(cx, cy, RGB(255, 0, 255));
    ::ImageList_Draw(images, index, surface.dc.GetSafeHdc(), 0, 0, ILD_NORMAL);
    std::vector<COLORREF> pixels;
    for (int y = 0; y < cy; ++y)
        for (int x = 0; x < cx; ++x)
            pixels.push_back(surface.At(x, y));
    return pixels;
}

// Each command's image by id, as the bars it was taken from show it.
typedef std::map<UINT, std::vector<COLORREF>> VxCommandImages;

// The images the bars' buttons show now (taken before anything is customized, they say what each command
// looks like).
inline VxCommandImages CommandImagesOf(std::initializer_list<CUXToolBar*> bars)
{
    VxCommandImages images;
    for (CUXToolBar* bar : bars)
    {
        HIMAGELIST list = reinterpret_cast<HIMAGELIST>(bar->SendMessage(TB_GETIMAGELIST));
        for (int i = 0; i < bar->GetCount(); ++i)
        {
            TBBUTTON button = bar->GetButton(i);
            std::vector<COLORREF> pixels = ImageListPixels(list, button.iBitmap);
            if (!CUXToolBar::IsSeparator(button) && !pixels.empty())
                images.emplace(static_cast<UINT>(button.idCommand), pixels);
        }
    }
    return images;
}

// Every button of a command that has an image shows that image (buttons of other commands are not looked at).
inline void ExpectEveryButtonShowsItsCommandsImage(CUXToolBar& bar, const VxCommandImages& images)
{
    HIMAGELIST list = reinterpret_cast<HIMAGELIST>(bar.SendMessage(TB_GETIMAGELIST));
    CString title;
    bar.GetWindowText(title);
    for (int i = 0; i < bar.GetCount(); ++i)
    {
        TBBUTTON button = bar.GetButton(i);
        auto expected = images.find(static_cast<UINT>(button.idCommand));
        if (CUXToolBar::IsSeparator(button) || expected == images.end())
            continue;
        std::vector<COLORREF> shown = ImageListPixels(list, button.iBitmap);
        if (shown != expected->second)
            ADD_FAILURE() << "button " << i << " (command " << button.idCommand << ") of \"" << title.GetString()
                          << "\" shows image " << button.iBitmap << (shown.empty() ? " (none)" : ", another one");
    }
}
