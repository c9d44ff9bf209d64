// The scrolling view: bars follow the window's size, positions stay in range, the wheel scrolls by lines.
#include "FrameTestSupport.h"

namespace
{

void SizeView(CFrameWnd* pFrame, CView* pView, int cx, int cy)
{
    // The frame's size that gives the view this client size.
    CRect view, frame;
    pView->GetClientRect(&view);
    pFrame->GetWindowRect(&frame);
    int extraX =
        frame.Width() - view.Width() - ((pView->GetStyle() & WS_VSCROLL) ? ::GetSystemMetrics(SM_CXVSCROLL) : 0);
    int extraY =
        frame.Height() - view.Height() - ((pView->GetStyle() & WS_HSCROLL) ? ::GetSystemMetrics(SM_CYHSCROLL) : 0);
    pFrame->SetWindowPos(nullptr, 0, 0, cx + extraX, cy + extraY, SWP_NOZORDER | SWP_NOMOVE | SWP_NOACTIVATE);
}

TEST_F(FrameProgram, ScrollBarsFollowTheViewsSizeAndKeepThePositionInRange)
{
    StartWithNewDocument();
    CShowView* pView = app.View();
    SizeView(app.Frame(), pView, 400, 300);
    EXPECT_TRUE(pView->GetStyle() & WS_HSCROLL);
    EXPECT_TRUE(pView->GetStyle() & WS_VSCROLL);
    SCROLLINFO info = {};
    ASSERT_TRUE(pView->GetScrollInfo(SB_VERT, &info));
    EXPECT_EQ(CShowView::kHeight - 1, info.nMax);
    CRect client;
    pView->GetClientRect(&client);
    EXPECT_EQ(static_cast<UINT>(client.Height()), info.nPage);

    pView->ScrollToPosition(CPoint(200, 300));
    EXPECT_EQ(CPoint(200, 300), pView->GetScrollPosition());
    pView->ScrollToPosition(CPoint(5000, -40));   // kept inside: the far end shows at the window's edge
    EXPECT_EQ(CPoint(CShowView::kWidth - client.Width(), 0), pView->GetScrollPosition());

    // Drawing follows the position: the origin moves.
    CClientDC dc(pView);
    pView->ScrollToPosition(CPoint(30, 40));
    pView->OnPrepareDC(&dc);
    POINT origin = {};
    ::GetViewportOrgEx(dc.m_hDC, &origin);
    EXPECT_EQ(CPoint(-30, -40), CPoint(origin));

    // One wheel notch down scrolls the lines the system asks for, up comes back.
    UINT lines = 3;
    ::SystemParametersInfoA(SPI_GETWHEELSCROLLLINES, 0, &lines, 0);
    int before = pView->GetScrollPosition().y;
    pView->SendMessage(WM_MOUSEWHEEL, MAKEWPARAM(0, static_cast<WORD>(-WHEEL_DELTA)), 0);
    int line = CShowView::kHeight / 10 / 10;
    EXPECT_EQ(before + static_cast<int>(lines) * line, pView->GetScrollPosition().y);
    pView->SendMessage(WM_MOUSEWHEEL, MAKEWPARAM(0, WHEEL_DELTA), 0);
    EXPECT_EQ(before, pView->GetScrollPosition().y);

    // The scroll bar's own messages: a line, a page, the end.
    pView->SendMessage(WM_VSCROLL, SB_LINEDOWN, 0);
    EXPECT_EQ(before + line, pView->GetScrollPosition().y);
    pView->SendMessage(WM_VSCROLL, SB_BOTTOM, 0);
    EXPECT_EQ(CShowView::kHeight - client.Height(), pView->GetScrollPosition().y);

    // Smaller totals: the view without bars is the client area with the bars' room added.
    CSize full(client.Width() + ::GetSystemMetrics(SM_CXVSCROLL),
               client.Height() + ::GetSystemMetrics(SM_CYHSCROLL));
    pView->SetScrollSizes(MM_TEXT, CSize(client.Width(), full.cy + 10));
    EXPECT_FALSE(pView->GetStyle() & WS_HSCROLL);   // the width still fits beside the vertical bar
    EXPECT_TRUE(pView->GetStyle() & WS_VSCROLL);
    pView->SetScrollSizes(MM_TEXT, full);
    EXPECT_FALSE(pView->GetStyle() & WS_HSCROLL);
    EXPECT_FALSE(pView->GetStyle() & WS_VSCROLL);
    EXPECT_EQ(CPoint(0, 0), pView->GetScrollPosition());
}

}   // namespace
