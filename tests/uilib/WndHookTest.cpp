// Window hooks: chains of hooks on a window the library does not own, newest first; detaching in any order;
// the window's destruction; procedures chained on top of ours by someone else.
#include "uilib/core/base/WndHook.h"

#include "UilibTestSupport.h"

#include <gtest/gtest.h>

#include <memory>
#include <string>
#include <vector>

namespace
{

const UINT kPing = WM_APP + 7;
std::vector<std::string> g_log;
HWND g_destroyedHwnd = nullptr;
bool g_hookedAtNcDestroy = true;

LRESULT CALLBACK PlainWndProc(HWND hWnd, UINT message, WPARAM wParam, LPARAM lParam)
{
    if (message == kPing)
    {
        g_log.push_back("window");
        return 100 + wParam;
    }
    if (message == WM_NCDESTROY)
    {
        g_log.push_back("window ncdestroy");
        g_destroyedHwnd = hWnd;
        g_hookedAtNcDestroy = CUXWindowMap::GetMap().Lookup(hWnd) != nullptr;
    }
    return ::DefWindowProcA(hWnd, message, wParam, lParam);
}

WNDPROC g_outerPrevious = nullptr;
LRESULT CALLBACK OuterWndProc(HWND hWnd, UINT message, WPARAM wParam, LPARAM lParam)
{
    if (message == kPing)
        g_log.push_back("outer");
    return ::CallWindowProcA(g_outerPrevious, hWnd, message, wParam, lParam);
}

HWND MakePlainWindow()
{
    WNDCLASSA wc = {};
    wc.lpfnWndProc = PlainWndProc;
    wc.hInstance = ::GetModuleHandleA(nullptr);
    wc.lpszClassName = "VexulHookTestWindow";
    ::RegisterClassA(&wc);
    return ::CreateWindowExA(0, wc.lpszClassName, "", WS_OVERLAPPEDWINDOW, 0, 0, 100, 100, nullptr, nullptr,
                             wc.hInstance, nullptr);
}

WNDPROC CurrentProc(HWND hWnd)
{
    return reinterpret_cast<WNDPROC>(::GetWindowLongPtrA(hWnd, GWLP_WNDPROC));
}

class RecordingHook : public CUXWndHook
{
public:
    explicit RecordingHook(const char* name) : m_name(name) {}
    using CUXWndHook::AttachWindow;
    BOOL AttachWindow(HWND hWnd) override
    {
        if (hWnd == nullptr && m_hWnd != nullptr)
            g_log.push_back(m_name + " detached");
        return CUXWndHook::AttachWindow(hWnd);
    }
    LRESULT HandleMessage(UINT message, WPARAM wParam, LPARAM lParam) override
    {
        if (message == kPing)
        {
            g_log.push_back(m_name);
            m_seen = *CWnd::GetCurrentMessage();
            if (m_detachOnPing)
                DetachWindow();
        }
        if (message == WM_NCDESTROY)
            g_log.push_back(m_name + " ncdestroy");
        return CUXWndHook::HandleMessage(message, wParam, lParam);
    }
    std::string m_name;
    MSG m_seen = {};
    bool m_detachOnPing = false;
};

std::vector<std::string> Ping(HWND hWnd, WPARAM wParam = 1)
{
    g_log.clear();
    EXPECT_EQ(static_cast<LRESULT>(100 + wParam), ::SendMessageA(hWnd, kPing, wParam, 0));
    return g_log;
}

typedef std::vector<std::string> Log;

// Hooks made before the window map and still attached when the program ends, so that they go after it. In a
// child program they look, once the map has gone, whether they let go and the windows still work: the first
// window has its own procedure back, the second (with a procedure chained on top of ours) still reaches its
// own through ours. A failure ends the child with a code of its own.
struct CHooksLeftAtExit
{
    RecordingHook first{"first"};
    RecordingHook second{"second"};
    HWND hFirst = nullptr;
    HWND hSecond = nullptr;

    void Attach()
    {
        hFirst = MakePlainWindow();
        hSecond = MakePlainWindow();
        first.AttachWindow(hFirst);
        second.AttachWindow(hSecond);
        g_outerPrevious = reinterpret_cast<WNDPROC>(
            ::SetWindowLongPtrA(hSecond, GWLP_WNDPROC, reinterpret_cast<LONG_PTR>(OuterWndProc)));
    }
    ~CHooksLeftAtExit()
    {
        if (hFirst == nullptr)
            return;   // not the child
        if (first.IsAttached() || second.IsAttached())
            ::ExitProcess(11);
        if (CurrentProc(hFirst) != &PlainWndProc)
            ::ExitProcess(12);
        g_log.clear();
        if (::SendMessageA(hSecond, kPing, 1, 0) != 101 || g_log != Log{"outer", "window"})
            ::ExitProcess(13);
        g_log.clear();
        ::DestroyWindow(hSecond);
        ::DestroyWindow(hFirst);
        if (g_log != Log{"window ncdestroy", "window ncdestroy"})
            ::ExitProcess(14);
    }
} g_hooksLeftAtExit;

TEST(WindowHooks, TwoHooksAreCalledNewestFirstAndComeOffInAnyOrder)
{
    HWND hWnd = MakePlainWindow();
    ASSERT_NE(nullptr, hWnd);
    RecordingHook first("first"), second("second");
    EXPECT_FALSE(first.IsKindOf(RUNTIME_CLASS(CWnd)));
    ASSERT_TRUE(first.AttachWindow(hWnd));
    ASSERT_TRUE(second.AttachWindow(hWnd));
    EXPECT_TRUE(first.IsAttached());
    EXPECT_EQ(&second, CUXWindowMap::GetMap().Lookup(hWnd));
    EXPECT_EQ(&CUXWindowMap::HookWndProc, CurrentProc(hWnd));
    // Both keep the window's own procedure, all 64 bits of it.
    EXPECT_EQ(&PlainWndProc, first.m_pfnOldWndProc);
    EXPECT_EQ(&PlainWndProc, second.m_pfnOldWndProc);
    if (reinterpret_cast<uintptr_t>(&PlainWndProc) > 0xFFFFFFFFu)
    {
        EXPECT_GT(reinterpret_cast<uintptr_t>(second.m_pfnOldWndProc), 0xFFFFFFFFu);
    }

    const MSG before = *CWnd::GetCurrentMessage();
    EXPECT_EQ((Log{"second", "first", "window"}), Ping(hWnd, 3));
    // Inside, the framework's current message was this one; afterwards it is what it was.
    EXPECT_EQ(hWnd, second.m_seen.hwnd);
    EXPECT_EQ(kPing, second.m_seen.message);
    EXPECT_EQ(3u, second.m_seen.wParam);
    const MSG after = *CWnd::GetCurrentMessage();
    EXPECT_EQ(before.hwnd, after.hwnd);
    EXPECT_EQ(before.message, after.message);
    EXPECT_EQ(before.wParam, after.wParam);

    first.DetachWindow();   // the older one: the window procedure stays ours
    EXPECT_EQ(&CUXWindowMap::HookWndProc, CurrentProc(hWnd));
    EXPECT_EQ(nullptr, first.m_pfnOldWndProc);
    EXPECT_EQ((Log{"second", "window"}), Ping(hWnd));
    second.DetachWindow();
    EXPECT_EQ(&PlainWndProc, CurrentProc(hWnd));
    EXPECT_EQ(nullptr, CUXWindowMap::GetMap().Lookup(hWnd));
    EXPECT_EQ((Log{"window"}), Ping(hWnd));

    // The newer one off first: the older one takes over.
    first.AttachWindow(hWnd);
    second.AttachWindow(hWnd);
    second.DetachWindow();
    EXPECT_EQ((Log{"first", "window"}), Ping(hWnd));
    first.DetachWindow();
    EXPECT_EQ(&PlainWndProc, CurrentProc(hWnd));
    ::DestroyWindow(hWnd);
}

TEST(WindowHooks, DestroyingTheWindowDetachesEveryHookBeforeItsLastMessage)
{
    HWND hWnd = MakePlainWindow();
    auto first = std::make_unique<RecordingHook>("first");
    auto second = std::make_unique<RecordingHook>("second");
    first->AttachWindow(hWnd);
    second->AttachWindow(hWnd);
    g_log.clear();
    g_hookedAtNcDestroy = true;
    ASSERT_TRUE(::DestroyWindow(hWnd));
    EXPECT_EQ((Log{"second detached", "first detached", "window ncdestroy"}), g_log);
    EXPECT_EQ(hWnd, g_destroyedHwnd);
    EXPECT_FALSE(g_hookedAtNcDestroy);
    EXPECT_FALSE(first->IsAttached());
    EXPECT_FALSE(second->IsAttached());
    g_log.clear();
    first.reset();   // nothing left to do
    second.reset();
    EXPECT_TRUE(g_log.empty());
}

TEST(WindowHooks, AProcedureChainedOnTopOfOursStaysIntact)
{
    HWND hWnd = MakePlainWindow();
    RecordingHook hook("hook");
    hook.AttachWindow(hWnd);
    g_outerPrevious = reinterpret_cast<WNDPROC>(
        ::SetWindowLongPtrA(hWnd, GWLP_WNDPROC, reinterpret_cast<LONG_PTR>(OuterWndProc)));
    EXPECT_EQ((Log{"outer", "hook", "window"}), Ping(hWnd));

    hook.DetachWindow();
    EXPECT_EQ(&OuterWndProc, CurrentProc(hWnd));   // not overwritten under the later procedure
    EXPECT_EQ((Log{"outer", "window"}), Ping(hWnd));

    // Attached again, the hook uses our procedure where it still sits: every message arrives once.
    hook.AttachWindow(hWnd);
    EXPECT_EQ(&OuterWndProc, CurrentProc(hWnd));
    EXPECT_EQ((Log{"outer", "hook", "window"}), Ping(hWnd));
    hook.DetachWindow();

    // The later procedure leaves: ours, now without hooks, passes everything on.
    ::SetWindowLongPtrA(hWnd, GWLP_WNDPROC, reinterpret_cast<LONG_PTR>(g_outerPrevious));
    EXPECT_EQ((Log{"window"}), Ping(hWnd));
    g_log.clear();
    ::DestroyWindow(hWnd);
    EXPECT_EQ((Log{"window ncdestroy"}), g_log);
}

TEST(WindowHooks, AHookThatDetachesWhileHandlingStillPassesTheMessageOn)
{
    HWND hWnd = MakePlainWindow();
    RecordingHook older("older"), newer("newer");
    older.AttachWindow(hWnd);
    newer.AttachWindow(hWnd);
    older.m_detachOnPing = true;
    EXPECT_EQ((Log{"newer", "older", "older detached", "window"}), Ping(hWnd));
    newer.m_detachOnPing = true;
    EXPECT_EQ((Log{"newer", "newer detached", "window"}), Ping(hWnd));
    EXPECT_EQ(&PlainWndProc, CurrentProc(hWnd));
    ::DestroyWindow(hWnd);
}

// A window of the framework under a hook: the hook comes first, the window's message map after it, and the
// window object still learns of its end.
class CPingWnd : public CWnd
{
public:
    LRESULT OnPing(WPARAM wParam, LPARAM)
    {
        g_log.push_back("framework window");
        return 100 + wParam;
    }
    void PostNcDestroy() override { g_log.push_back("framework window ncdestroy"); }
    DECLARE_MESSAGE_MAP()
};

BEGIN_MESSAGE_MAP(CPingWnd, CWnd)
    ON_MESSAGE(kPing, OnPing)
END_MESSAGE_MAP()

TEST(WindowHooks, HooksSitOnWindowsOfTheFrameworkToo)
{
    CPingWnd wnd;
    ASSERT_TRUE(wnd.CreateEx(0, nullptr, "", WS_POPUP, 0, 0, 50, 50, nullptr, nullptr));
    RecordingHook hook("hook");
    hook.AttachWindow(&wnd);
    EXPECT_EQ(wnd.GetSafeHwnd(), hook.m_hWnd);
    EXPECT_EQ((Log{"hook", "framework window"}), Ping(wnd.GetSafeHwnd()));
    g_log.clear();
    wnd.DestroyWindow();
    EXPECT_EQ((Log{"hook detached", "framework window ncdestroy"}), g_log);
    EXPECT_EQ(nullptr, wnd.GetSafeHwnd());
}

// In a child: leaves hooks attached when the program ends.
TEST(WindowHooksChild, LeavesHooksAttached)
{
    if (ChildRole() != "hooks-left")
        GTEST_SKIP() << "runs in a child program only";
    g_hooksLeftAtExit.Attach();
    ASSERT_TRUE(g_hooksLeftAtExit.first.IsAttached());
    ASSERT_TRUE(g_hooksLeftAtExit.second.IsAttached());
}

TEST(WindowHooks, HooksStillAttachedWhenTheProgramEndsLetGoOfTheirWindowsAndTheWindowsKeepWorking)
{
    EXPECT_EQ(0u, RunChild("WindowHooksChild.*", "hooks-left"));
}

}   // namespace
