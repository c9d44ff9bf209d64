// The tip window: title and lines where they belong and the window sized to them, the shadow darkening what
// lies beneath (and gone with the tip), closing at the next click, which still reaches the window under the
// pointer, or by its own timer.
#include "uilib/core/dialogs/InfoTipWnd.h"

#include "UilibTestSupport.h"

#include <gtest/gtest.h>

#include <vector>

namespace
{

const COLORREF kTipBack = RGB(255, 255, 255);
const COLORREF kTipText = RGB(0, 0, 255);

// A window that records the left clicks it gets (client co-ordinates).
class ClickTarget : public CWnd
{
public:
    std::vector<CPoint> clicks;

protected:
    LRESULT WindowProc(UINT message, WPARAM wParam, LPARAM lParam) override
    {
        if (message == WM_LBUTTONDOWN)
            clicks.push_back(CPoint(static_cast<short>(LOWORD(lParam)), static_cast<short>(HIWORD(lParam))));
        return CWnd::WindowProc(message, wParam, lParam);
    }
};

CSize Extent(CFont& font, const char* text)
{
    CClientDC dc(nullptr);
    CFont* old = dc.SelectObject(&font);
    CSize size = dc.GetTextExtent(text, lstrlenA(text));
    dc.SelectObject(old);
    return size;
}

COLORREF Darker(COLORREF c, int d)
{
    auto down = [d](int v) { return v > d ? v - d : 0; };
    return RGB(down(GetRValue(c)), down(GetGValue(c)), down(GetBValue(c)));
}

void Click(int x, int y)
{
    ::SetCursorPos(x, y);
    INPUT inputs[2] = {};
    inputs[0].type = inputs[1].type = INPUT_MOUSE;
    inputs[0].mi.dwFlags = MOUSEEVENTF_LEFTDOWN;
    inputs[1].mi.dwFlags = MOUSEEVENTF_LEFTUP;
    ::SendInput(2, inputs, sizeof(INPUT));
}

TEST(InfoTip, TitleAndLinesLaidOutWithASoftShadowAndClosedByTheNextClick)
{
    CTestHost ground(0, 0, 700, 500);
    ClickTarget target;
    ASSERT_TRUE(target.CreateEx(0, AfxRegisterWndClass(0), "", WS_CHILD | WS_VISIBLE, CRect(500, 300, 600, 400),
                                &ground, 1));
    PumpPending();
    const COLORREF groundColor = ScreenPixel(450, 450);

    CUXInfoTipWnd tip;
    tip.SetTitle("Title");
    tip.SetText("first\nsecond line\nthird");
    tip.SetColors(kTipBack, kTipText);
    ASSERT_TRUE(tip.ShowTipWindow(CPoint(100, 80), &ground, CUXInfoTipWnd::kShadow | CUXInfoTipWnd::kSoftShadow, 0,
                                  FALSE));
    PumpPending();
    EXPECT_EQ(3, tip.GetLineCount());
    EXPECT_EQ(tip.m_hWnd, ::GetCapture());

    // Size: the widest of title and lines plus twice 20; twice 10 plus the lines plus 18 and the title.
    CSize title = Extent(uxAfxData.m_fontBold, "Title");
    CSize widest = Extent(uxAfxData.m_fontNormal, "second line");
    CSize line = Extent(uxAfxData.m_fontNormal, "first");
    CRect window;
    tip.GetWindowRect(&window);
    EXPECT_EQ(CPoint(100, 80), window.TopLeft());
    EXPECT_EQ(std::max(title.cx, widest.cx) + 40, window.Width());
    EXPECT_EQ(20 + 3 * line.cy + 18 + title.cy, window.Height());

    // Title at (20, 12); lines from 12 + 18 one line height apart; nothing written above the title.
    EXPECT_EQ(12, tip.GetTitleTop());
    EXPECT_EQ(30, tip.GetLineTop(0));
    EXPECT_EQ(30 + 2 * line.cy, tip.GetLineTop(2));
    const int right = window.right - CUXInfoTipWnd::kShadowOffset - 2;
    ScreenCopy shown(window);
    EXPECT_FALSE(shown.RowsHold(window.left + 2, right, window.top + 2, 10, kTipText));
    EXPECT_TRUE(shown.RowsHold(window.left + 20, right, window.top + 12, title.cy, kTipText));
    for (int i = 0; i < 3; ++i)
        EXPECT_TRUE(shown.RowsHold(window.left + 20, right, window.top + tip.GetLineTop(i), line.cy, kTipText))
            << i;
    EXPECT_FALSE(shown.RowsHold(window.left + 2, window.left + 19, window.top + 12, 40, kTipText));

    // The tip framed in the dark shadow colour; the shadow in rings of 15 to 75 over the ground.
    EXPECT_EQ(uxAfxData.m_clr3DDkShadow, ScreenPixel(window.left, window.top));
    EXPECT_EQ(kTipBack, ScreenPixel(window.left + 3, window.top + 3));
    const int midY = window.top + window.Height() / 2, midX = window.left + window.Width() / 2;
    for (int ring = 0; ring < 5; ++ring)
    {
        EXPECT_EQ(Darker(groundColor, 15 * (ring + 1)), ScreenPixel(window.right - 1 - ring, midY)) << ring;
        EXPECT_EQ(Darker(groundColor, 15 * (ring + 1)), ScreenPixel(midX, window.bottom - 1 - ring)) << ring;
    }
    EXPECT_EQ(groundColor, ScreenPixel(window.right - 1, window.top + 2));   // above the shadow's start

    // A click elsewhere closes the tip and still reaches the window under the pointer; no shadow is left.
    Click(550, 320);
    PumpPending();
    EXPECT_EQ(nullptr, tip.m_hWnd);
    ASSERT_EQ(1u, target.clicks.size());
    EXPECT_EQ(CPoint(50, 20), target.clicks[0]);
    EXPECT_EQ(groundColor, ScreenPixel(window.right - 1, midY));
    EXPECT_EQ(groundColor, ScreenPixel(midX, window.bottom - 1));
}

TEST(InfoTip, OneLineWithADitheredShadowClosedByItsTimer)
{
    CTestHost ground(0, 0, 700, 500);
    PumpPending();
    const COLORREF groundColor = ScreenPixel(450, 450);

    CUXInfoTipWnd tip;
    tip.SetText("only one line");
    tip.SetColors(kTipBack, kTipText);
    ASSERT_TRUE(tip.ShowTipWindow(CPoint(300, 100), &ground, CUXInfoTipWnd::kShadow, 1, TRUE));
    EXPECT_EQ(1, tip.GetLineCount());
    CRect window;
    tip.GetWindowRect(&window);
    CSize line = Extent(uxAfxData.m_fontNormal, "only one line");
    EXPECT_EQ(300 - window.Width() / 2, window.left);   // centred on the point
    EXPECT_EQ(20 + line.cy, window.Height());
    EXPECT_EQ(7, tip.GetLineTop(0));   // without a title: 10 + 2 - 10 / 2

    // Drawn before the timer runs: half the shadow's pixels black, the others the ground.
    ::KillTimer(tip.m_hWnd, 1);
    tip.RedrawWindow();
    PumpPending();
    const int x = window.right - 2, y = window.top + window.Height() / 2;
    COLORREF a = ScreenPixel(x, y), b = ScreenPixel(x + 1, y);
    EXPECT_TRUE((a == RGB(0, 0, 0) && b == groundColor) || (a == groundColor && b == RGB(0, 0, 0)));

    // Another timer leaves it; its own closes it.
    tip.SendMessage(WM_TIMER, 7);
    EXPECT_NE(nullptr, tip.m_hWnd);
    tip.SetTimer(1, 1);
    for (int i = 0; i < 500 && tip.m_hWnd != nullptr; ++i)
    {
        ::MsgWaitForMultipleObjects(0, nullptr, FALSE, 20, QS_ALLINPUT);
        PumpPending();
    }
    EXPECT_EQ(nullptr, tip.m_hWnd);
}

}   // namespace
