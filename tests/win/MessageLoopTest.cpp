// The one message loop: idle counting, tracking loops built on it, borrowed window handles.
#include "framework/win/Framework.h"

#include <gtest/gtest.h>

#include <vector>

namespace
{

const UINT WM_WORK = WM_APP + 10;
const UINT WM_AFTER = WM_APP + 11;

class CWorkWnd : public CWnd
{
public:
    int work = 0;
    int mouseMoves = 0;
    BOOL CreateTop() { return CreateEx(0, nullptr, "loop", WS_POPUP, 0, 0, 50, 50, nullptr, nullptr); }
    afx_msg LRESULT OnWork(WPARAM, LPARAM)
    {
        ++work;
        return 0;
    }
    afx_msg void OnMouseMove(UINT, CPoint) { ++mouseMoves; }
    DECLARE_MESSAGE_MAP()
};

BEGIN_MESSAGE_MAP(CWorkWnd, CWnd)
    ON_MESSAGE(WM_WORK, OnWork)
    ON_WM_MOUSEMOVE()
END_MESSAGE_MAP()

// Posts one piece of work at its first idle time and ends after the idle counts 0, 1, 2 of the second.
class CIdleCountingLoop : public CMessageLoop
{
public:
    explicit CIdleCountingLoop(HWND hWnd) : m_hWnd(hWnd) {}
    std::vector<LONG> counts;
    bool done = false;

protected:
    BOOL ContinueLoop() override { return !done; }
    BOOL OnIdle(LONG lCount) override
    {
        counts.push_back(lCount);
        if (counts.size() == 1)
        {
            ::PostMessageA(m_hWnd, WM_WORK, 0, 0);
            return TRUE;   // more wanted, but the posted work comes first
        }
        if (lCount == 2)
        {
            done = true;
            return FALSE;
        }
        return TRUE;
    }

private:
    HWND m_hWnd;
};

TEST(MessageLoop, IdleCountStartsAgainAfterEachMessage)
{
    CWorkWnd wnd;
    ASSERT_TRUE(wnd.CreateTop());
    CIdleCountingLoop loop(wnd.m_hWnd);
    EXPECT_TRUE(loop.Run());
    EXPECT_EQ((std::vector<LONG>{0, 0, 1, 2}), loop.counts);
    EXPECT_EQ(1, wnd.work);
    EXPECT_EQ(0, AfxMessageLoopDepth());
}

// A drag loop: it takes the mouse moves of its window itself and ends at the button's release; everything
// else is dispatched as usual.
class CDragLoop : public CMessageLoop
{
public:
    explicit CDragLoop(HWND hWnd) : m_hWnd(hWnd) {}
    std::vector<CPoint> moves;
    bool released = false;
    int depthSeen = 0;

protected:
    BOOL ContinueLoop() override { return !released; }
    BOOL OnIdle(LONG) override { return FALSE; }
    BOOL PreTranslate(MSG* pMsg) override
    {
        depthSeen = AfxMessageLoopDepth();
        if (pMsg->hwnd == m_hWnd && pMsg->message == WM_MOUSEMOVE)
        {
            moves.push_back(
                CPoint(static_cast<short>(LOWORD(pMsg->lParam)), static_cast<short>(HIWORD(pMsg->lParam))));
            return TRUE;
        }
        if (pMsg->hwnd == m_hWnd && pMsg->message == WM_LBUTTONUP)
        {
            released = true;
            return TRUE;
        }
        return CMessageLoop::PreTranslate(pMsg);
    }

private:
    HWND m_hWnd;
};

TEST(MessageLoop, TrackingLoopTakesItsMessagesAndLeavesTheRestQueued)
{
    CWorkWnd wnd;
    ASSERT_TRUE(wnd.CreateTop());
    wnd.PostMessage(WM_MOUSEMOVE, MK_LBUTTON, MAKELPARAM(3, 4));
    wnd.PostMessage(WM_WORK);
    wnd.PostMessage(WM_MOUSEMOVE, MK_LBUTTON, MAKELPARAM(-5, 9));
    wnd.PostMessage(WM_LBUTTONUP, 0, MAKELPARAM(-5, 9));
    wnd.PostMessage(WM_AFTER);
    CDragLoop loop(wnd.m_hWnd);
    EXPECT_TRUE(loop.Run());
    EXPECT_EQ((std::vector<CPoint>{CPoint(3, 4), CPoint(-5, 9)}), loop.moves);
    EXPECT_EQ(0, wnd.mouseMoves);   // the window never saw them
    EXPECT_EQ(1, wnd.work);         // other messages were dispatched during the drag
    EXPECT_EQ(1, loop.depthSeen);
    MSG msg;
    ASSERT_TRUE(::PeekMessageA(&msg, wnd.m_hWnd, 0, 0, PM_REMOVE));
    EXPECT_EQ(WM_AFTER, msg.message);   // what came after the release is for the loop below
}

TEST(MessageLoop, QuitEndsTheLoopWithItsCode)
{
    ::PostQuitMessage(6);
    CMessageLoop loop;
    EXPECT_FALSE(loop.Run());
    EXPECT_EQ(static_cast<UINT>(WM_QUIT), loop.LastMessage().message);
    EXPECT_EQ(6u, loop.LastMessage().wParam);
}

// ---- borrowed handles --------------------------------------------------------------------------------

TEST(BorrowedWindow, StandsForAForeignWindowWithoutOwningIt)
{
    HWND hWnd =
        ::CreateWindowExA(0, "STATIC", "foreign text", WS_POPUP, 0, 0, 10, 10, nullptr, nullptr, nullptr, nullptr);
    ASSERT_NE(nullptr, hWnd);
    {
        CBorrowedWnd borrowed(hWnd);
        CString text;
        borrowed.GetWindowText(text);
        EXPECT_STREQ("foreign text", text);
        EXPECT_EQ(nullptr, CWnd::FromHandlePermanent(hWnd));   // never in the map
        CWnd* temp = CWnd::FromHandle(hWnd);
        EXPECT_NE(&borrowed, temp);
        AfxDeleteTempMaps();
    }
    EXPECT_TRUE(::IsWindow(hWnd));   // neither the borrowed object nor the temporary destroyed it
    EXPECT_EQ(HWND_TOP, CWnd::wndTop.m_hWnd);
    EXPECT_EQ(HWND_TOPMOST, CWnd::wndTopMost.GetSafeHwnd());
    ::DestroyWindow(hWnd);
}

TEST(BorrowedWindow, DescendantSearchAndTextWorkOnHandles)
{
    CWorkWnd top;
    ASSERT_TRUE(top.CreateTop());
    HWND hMiddle = ::CreateWindowExA(0, "STATIC", "", WS_CHILD, 0, 0, 10, 10, top.m_hWnd,
                                     reinterpret_cast<HMENU>(5), nullptr, nullptr);
    HWND hDeep = ::CreateWindowExA(0, "STATIC", "deep", WS_CHILD, 0, 0, 10, 10, hMiddle,
                                   reinterpret_cast<HMENU>(7), nullptr, nullptr);
    ASSERT_NE(nullptr, hDeep);
    CWnd* found = top.GetDescendantWindow(7);
    ASSERT_NE(nullptr, found);
    EXPECT_EQ(hDeep, found->m_hWnd);
    EXPECT_EQ(nullptr, top.GetDescendantWindow(7, TRUE));   // not one of our objects
    EXPECT_STREQ("deep", AfxGetWindowText(hDeep));
    CString text;
    EXPECT_EQ(0, top.GetDlgItemText(99, text));   // no such item: empty
    AfxDeleteTempMaps();
}

}   // namespace
