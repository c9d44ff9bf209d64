// Drop shadows: the darkening of the two strips, the shadow window over the screen (read back from the
// desktop), following its owner, going with it, and the same on a system that reports Windows 2000.
#include "uilib/core/base/DropShadow.h"
#include "uilib/core/base/GlobalData.h"

#include "UilibTestSupport.h"
#include "support/win_DibSurface.h"

#include <gtest/gtest.h>

#include <memory>
#include <string>

namespace
{

const COLORREF (&kShades)[4] = kShadowShadesOverWhite;

TEST(DropShadows, StripsDarkenBy60To15PercentFromTheInsideOut)
{
    DibSurface surface(20, 20, RGB(255, 255, 255));
    surface.dc.FillSolidRect(16, 12, 1, 1, RGB(30, 100, 200));
    DrawDropShadow(&surface.dc, 0, 0, 20, 20, 100);
    for (int i = 0; i < 4; ++i)
    {
        EXPECT_EQ(kShades[i], surface.At(16 + i, 8)) << i;   // right strip, across
        EXPECT_EQ(kShades[i], surface.At(8, 16 + i)) << i;   // bottom strip, down
    }
    EXPECT_EQ(RGB(0, 40, 140), surface.At(16, 12));     // a channel below 60 ends at 0
    EXPECT_EQ(kShades[0], surface.At(16, 16));          // the inner corner
    EXPECT_EQ(kShades[3], surface.At(19, 19));          // the outer corner
    EXPECT_EQ(RGB(255, 255, 255), surface.At(18, 3));   // the strips start 4 pixels in
    EXPECT_EQ(RGB(255, 255, 255), surface.At(3, 18));
    EXPECT_EQ(RGB(255, 255, 255), surface.At(15, 15));   // inside untouched

    DibSurface half(20, 20, RGB(255, 255, 255));
    DrawDropShadow(&half.dc, 0, 0, 20, 20, 50);
    EXPECT_EQ(RGB(225, 225, 225), half.At(16, 8));
}

// ---- windows on the screen ---------------------------------------------------------------------------------

const char kPlainClass[] = "VexulShadowTestWindow";
bool g_shadowAliveAtDestroy = false;
bool g_shadowAliveAtNcDestroy = false;
HWND g_watchedShadow = nullptr;

LRESULT CALLBACK OwnerProc(HWND hWnd, UINT message, WPARAM wParam, LPARAM lParam)
{
    if (message == WM_APP)
        ::DestroyWindow(hWnd);   // destroyed from inside one of its own messages
    if (message == WM_DESTROY)
        g_shadowAliveAtDestroy = ::IsWindow(g_watchedShadow) && !::IsWindowVisible(g_watchedShadow);
    if (message == WM_NCDESTROY)
        g_shadowAliveAtNcDestroy = ::IsWindow(g_watchedShadow) != FALSE;
    return ::DefWindowProcA(hWnd, message, wParam, lParam);
}

HWND MakePopup(int x, int y, int w, int h, int brush)
{
    WNDCLASSA wc = {};
    wc.lpfnWndProc = OwnerProc;
    wc.hInstance = ::GetModuleHandleA(nullptr);
    wc.lpszClassName = kPlainClass;
    ::RegisterClassA(&wc);
    HWND hWnd = ::CreateWindowExA(WS_EX_TOOLWINDOW, kPlainClass, "", WS_POPUP, x, y, w, h, nullptr, nullptr,
                                  wc.hInstance, nullptr);
    ::SetClassLongPtrA(hWnd, GCLP_HBRBACKGROUND, reinterpret_cast<LONG_PTR>(::GetStockObject(brush)));
    ::ShowWindow(hWnd, SW_SHOWNOACTIVATE);
    ::UpdateWindow(hWnd);
    return hWnd;
}

// Lets every pending message and paint run until the thread would wait; a thread that waits has what it drew
// put on the screen.
void PaintEverything()
{
    MSG msg;
    for (int i = 0; i < 1000; ++i)
    {
        while (::PeekMessageA(&msg, nullptr, 0, 0, PM_REMOVE))
            ::DispatchMessageA(&msg);
        if (::MsgWaitForMultipleObjectsEx(0, nullptr, 0, QS_ALLINPUT, 0) == WAIT_TIMEOUT)
            return;
    }
}

COLORREF ScreenPixel(int x, int y)
{
    HDC screen = ::GetDC(nullptr);
    COLORREF c = ::GetPixel(screen, x, y);
    ::ReleaseDC(nullptr, screen);
    return c;
}

// A white ground with an owner pop-up on it whose rectangle is (left, top) + (w, h).
struct ShadowScene
{
    HWND ground = MakePopup(40, 40, 700, 600, WHITE_BRUSH);
    HWND owner = nullptr;
    ShadowScene()
    {
        owner = MakePopup(100, 100, 120, 80, GRAY_BRUSH);
        PaintEverything();
    }
    ~ShadowScene()
    {
        if (::IsWindow(owner))
            ::DestroyWindow(owner);
        ::DestroyWindow(ground);
    }

    // The right strip across at height y, the bottom strip down at x, the corners the region leaves out.
    void ExpectShadowAt(const CRect& owned)
    {
        PaintEverything();
        for (int i = 0; i < 4; ++i)
        {
            EXPECT_EQ(kShades[i], ScreenPixel(owned.right + i, owned.top + 40)) << i;
            EXPECT_EQ(kShades[i], ScreenPixel(owned.left + 60, owned.bottom + i)) << i;
        }
        EXPECT_EQ(RGB(255, 255, 255), ScreenPixel(owned.right + 2, owned.top + 2));
        EXPECT_EQ(RGB(255, 255, 255), ScreenPixel(owned.left + 2, owned.bottom + 2));
        EXPECT_EQ(RGB(255, 255, 255), ScreenPixel(owned.right + 4, owned.top + 40));
    }
};

void ExpectShadowOfAPopupOverWhite()
{
    ShadowScene scene;
    auto shadow = std::make_unique<CUXShadow>(scene.owner, TRUE, TRUE);
    ASSERT_TRUE(shadow->IsCreated());
    HWND wnd = shadow->GetWindow().GetSafeHwnd();
    CRect rect;
    ::GetWindowRect(wnd, &rect);
    EXPECT_EQ(CRect(100, 100, 224, 184), rect);
    EXPECT_TRUE(::IsWindowVisible(wnd));
    EXPECT_EQ(wnd, ::GetWindow(scene.owner, GW_HWNDNEXT));   // right below its owner
    char name[16] = {};
    ::GetWindowTextA(wnd, name, sizeof(name));
    EXPECT_STREQ("Shadow", name);
    scene.ExpectShadowAt(CRect(100, 100, 220, 180));
    shadow.reset();
    EXPECT_FALSE(::IsWindow(wnd));
}

TEST(DropShadows, APopupOverWhiteCastsTheFourShades)
{
    ExpectShadowOfAPopupOverWhite();
}

TEST(DropShadows, TheShadowFollowsItsOwner)
{
    ShadowScene scene;
    auto shadow = std::make_unique<CUXShadow>(scene.owner, TRUE, TRUE);
    HWND wnd = shadow->GetWindow().GetSafeHwnd();
    PaintEverything();

    ::SetWindowPos(scene.owner, nullptr, 300, 250, 150, 100, SWP_NOZORDER | SWP_NOACTIVATE);
    CRect rect;
    ::GetWindowRect(wnd, &rect);
    EXPECT_EQ(CRect(300, 250, 454, 354), rect);
    EXPECT_EQ(wnd, ::GetWindow(scene.owner, GW_HWNDNEXT));
    EXPECT_TRUE(::IsWindowVisible(wnd));
    scene.ExpectShadowAt(CRect(300, 250, 450, 350));   // a fresh copy of the new background

    ::ShowWindow(scene.owner, SW_HIDE);
    EXPECT_FALSE(::IsWindowVisible(wnd));
    ::ShowWindow(scene.owner, SW_SHOWNOACTIVATE);
    EXPECT_TRUE(::IsWindowVisible(wnd));
}

TEST(DropShadows, TheShadowGoesWithItsOwnerAfterTheOutermostMessage)
{
    ShadowScene scene;
    CUXShadow* shadow = new CUXShadow(scene.owner, TRUE, TRUE);   // left to its owner from now on
    g_watchedShadow = shadow->GetWindow().GetSafeHwnd();
    g_shadowAliveAtDestroy = g_shadowAliveAtNcDestroy = false;
    ::SendMessageA(scene.owner, WM_APP, 0, 0);
    EXPECT_FALSE(::IsWindow(scene.owner));
    EXPECT_TRUE(g_shadowAliveAtDestroy);     // hidden, not yet gone
    EXPECT_TRUE(g_shadowAliveAtNcDestroy);   // still inside the owner's WM_APP
    EXPECT_FALSE(::IsWindow(g_watchedShadow));

    // Destroyed from outside, it goes at once.
    HWND owner = MakePopup(100, 100, 50, 50, GRAY_BRUSH);
    shadow = new CUXShadow(owner, TRUE, TRUE);
    g_watchedShadow = shadow->GetWindow().GetSafeHwnd();
    ::DestroyWindow(owner);
    EXPECT_FALSE(g_shadowAliveAtNcDestroy);
    EXPECT_FALSE(::IsWindow(g_watchedShadow));
}

// ---- the same program seen as Windows 2000 ---------------------------------------------------------------

// Runs only in the copy of this program that the test below starts.
TEST(ShadowOnOldSystems, TheLibrarysOwnShadowDraws)
{
    if (ChildRole() != "w2k")
        GTEST_SKIP() << "runs in a child program only";
    EXPECT_EQ(5u, GetOSVersionInfo().dwMajorVersion);
    EXPECT_EQ(0u, GetOSVersionInfo().dwMinorVersion);
    EXPECT_TRUE(uxAfxData.m_bWin2000);
    ExpectShadowOfAPopupOverWhite();
}

TEST(DropShadows, OnASystemReportingWindows2000TheLibrarysShadowDraws)
{
    EXPECT_EQ(0u, RunChild("ShadowOnOldSystems.*", "w2k", true));
}

}   // namespace
