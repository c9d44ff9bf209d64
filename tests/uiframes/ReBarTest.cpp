// The library's rebar: bars that describe their bands themselves, a bar that does not, and the user's new tool
// bars made, placed and removed through the customize centre with the rebar as their host.
#include "UiFramesTestSupport.h"

#include "support/win_DibSurface.h"

#include "uilib/core/bars/CustomToolBar.h"
#include "uilib/core/bars/CustomizeCenter.h"
#include "uilib/core/base/LibraryIds.h"
#include "uilib/frames/ReBar.h"

namespace
{

// A bar of the framework that knows nothing of rebars: its fixed layout is all the rebar can learn.
class CRbPlainBar : public CControlBar
{
public:
    BOOL Make(CWnd* pParent, UINT nID)
    {
        LPCSTR cls = AfxRegisterWndClass(0, ::LoadCursorA(nullptr, IDC_ARROW), ::GetSysColorBrush(COLOR_BTNFACE));
        m_dwStyle = CBRS_ALIGN_TOP;
        return Create(cls, "", WS_CHILD | WS_VISIBLE, CRect(0, 0, 10, 10), pParent, nID);
    }
    CSize CalcFixedLayout(BOOL, BOOL) override { return CSize(120, 26); }
    void OnUpdateCmdUI(CFrameWnd*, BOOL) override {}
};

// A frame with a rebar along its top holding two library tool bars and the plain bar.
class CRbFrame : public CFrameWnd
{
public:
    CUXReBar m_rebar;
    CFtToolBar m_bars[2];
    CRbPlainBar m_plain;

protected:
    afx_msg int OnCreate(LPCREATESTRUCT lpCreateStruct)
    {
        if (CFrameWnd::OnCreate(lpCreateStruct) == -1 || !m_rebar.Create(this))
            return -1;
        if (!m_bars[0].CreateBar(&m_rebar, 0xE820, CBRS_ALIGN_TOP, "One") ||
            !m_bars[1].CreateBar(&m_rebar, 0xE821, CBRS_ALIGN_TOP, "Two") || !m_plain.Make(&m_rebar, 0xE822))
            return -1;
        return 0;
    }
    DECLARE_MESSAGE_MAP()
};

BEGIN_MESSAGE_MAP(CRbFrame, CFrameWnd)
    ON_WM_CREATE()
END_MESSAGE_MAP()

class ReBarTest : public UiFramesProgram
{
protected:
    void TearDown() override
    {
        GetCustomizeCenter().SetCustomBarHost(nullptr);
        UiFramesProgram::TearDown();
    }

    CRbFrame* MakeFrame() { return ShowMainFrame(new CRbFrame, IDR_FT_FRAME, CSize(700, 400)); }

    static REBARBANDINFOA Band(CUXReBar& rebar, int index)
    {
        REBARBANDINFOA band = {};
        band.fMask = RBBIM_CHILD | RBBIM_CHILDSIZE | RBBIM_IDEALSIZE | RBBIM_STYLE | RBBIM_ID;
        EXPECT_TRUE(rebar.GetReBarCtrl().GetBandInfo(static_cast<UINT>(index), &band));
        return band;
    }
};

}   // namespace

TEST_F(ReBarTest, BarsDescribeTheirBandsAndABarThatCannotIsSizedFromItsLayout)
{
    CRbFrame* frame = MakeFrame();
    ASSERT_NE(nullptr, frame);
    CUXReBar& rebar = frame->m_rebar;

    // What each library bar says of itself as a band: its ideal width is its full length.
    REBARBANDINFOA asked[2] = {};
    for (int i = 0; i < 2; ++i)
    {
        asked[i].cbSize = sizeof(REBARBANDINFOA);
        ASSERT_TRUE(frame->m_bars[i].SendMessage(UXM_REBAR_BANDINFO, 1, reinterpret_cast<LPARAM>(&asked[i])));
        ASSERT_TRUE(asked[i].fMask & RBBIM_IDEALSIZE);
        ASSERT_GT(asked[i].cxIdeal, 0u);
    }

    // The caller's record may carry the size of another platform: the band keeps the ideal width anyway.
    for (int i = 0; i < 2; ++i)
    {
        REBARBANDINFOA band = {};
        band.cbSize = 80;
        band.fMask = RBBIM_STYLE;
        band.fStyle = RBBS_GRIPPERALWAYS;
        ASSERT_TRUE(rebar.AddBar(&frame->m_bars[i], &band));
    }
    REBARBANDINFOA plainBand = {};
    ASSERT_TRUE(rebar.AddBar(&frame->m_plain, &plainBand));
    ASSERT_EQ(3u, rebar.GetReBarCtrl().GetBandCount());
    for (int i = 0; i < 2; ++i)
    {
        REBARBANDINFOA band = Band(rebar, i);
        EXPECT_EQ(frame->m_bars[i].m_hWnd, band.hwndChild);
        EXPECT_EQ(asked[i].cxIdeal, band.cxIdeal) << i;
        EXPECT_EQ(asked[i].cxMinChild, band.cxMinChild) << i;
        EXPECT_EQ(frame, frame->m_bars[i].GetOwner());
    }
    REBARBANDINFOA plain = Band(rebar, 2);
    EXPECT_EQ(frame->m_plain.m_hWnd, plain.hwndChild);
    EXPECT_EQ(120u, plain.cxMinChild);
    EXPECT_EQ(26u, plain.cyMinChild);

    // A bar that changed its length tells the rebar, which takes it as the band's ideal width.
    rebar.SendMessage(UXM_REBAR_CHILD_RESIZED, reinterpret_cast<WPARAM>(frame->m_bars[1].m_hWnd), 77);
    EXPECT_EQ(77u, Band(rebar, 1).cxIdeal);
    EXPECT_EQ(asked[0].cxIdeal, Band(rebar, 0).cxIdeal);

    // The frame gives the rebar room for its rows.
    frame->RecalcLayout();
    CRect rect;
    rebar.GetWindowRect(&rect);
    EXPECT_GE(rect.Height(), static_cast<int>(rebar.GetReBarCtrl().GetBarHeight()));
    EXPECT_GE(rect.Height(), 26);
}

TEST_F(ReBarTest, ARepaintCoversEveryPixelOfTheRebar)
{
    CRbFrame* frame = MakeFrame();
    ASSERT_NE(nullptr, frame);
    CUXReBar& rebar = frame->m_rebar;
    for (CWnd* bar : {static_cast<CWnd*>(&frame->m_bars[0]), static_cast<CWnd*>(&frame->m_plain)})
    {
        REBARBANDINFOA band = {};
        ASSERT_TRUE(rebar.AddBar(bar, &band));
    }
    frame->RecalcLayout();
    PumpPending();
    // Whatever the screen held under the rebar (as after the rebar moved) is painted over, its edges too.
    CRect window;
    rebar.GetWindowRect(&window);
    window.OffsetRect(-window.left, -window.top);
    const COLORREF marker = RGB(255, 0, 255);
    {
        CWindowDC dc(&rebar);
        dc.FillSolidRect(&window, marker);
    }
    rebar.RedrawWindow(nullptr, nullptr, RDW_INVALIDATE | RDW_ERASE | RDW_FRAME | RDW_UPDATENOW | RDW_ALLCHILDREN);
    PumpPending();
    DibSurface shown(window.Width(), window.Height());
    {
        CWindowDC dc(&rebar);
        shown.dc.BitBlt(0, 0, window.Width(), window.Height(), &dc, 0, 0, SRCCOPY);
    }
    int left = 0;
    for (int y = 0; y < window.Height(); ++y)
        for (int x = 0; x < window.Width(); ++x)
            left += shown.At(x, y) == marker ? 1 : 0;
    EXPECT_EQ(0, left);
}

TEST_F(ReBarTest, ANewCustomBarGetsABandRowOfItsOwnAndTakesItsBandAlongWhenItGoes)
{
    CRbFrame* frame = MakeFrame();
    ASSERT_NE(nullptr, frame);
    CUXReBar& rebar = frame->m_rebar;
    REBARBANDINFOA first = {};
    ASSERT_TRUE(rebar.AddBar(&frame->m_bars[0], &first));
    CUXCustomizeCenter& center = GetCustomizeCenter();
    EXPECT_EQ(nullptr, center.GetCustomBarHost());
    rebar.SetCustomizable(TRUE);
    EXPECT_EQ(&rebar, center.GetCustomBarHost());

    // Made and placed as the tool bars page does: visible, titled, in a band of its own on a new row.
    CUXToolBar* made = center.CreateCustomBar(frame, 0xE840, "Mine");
    ASSERT_NE(nullptr, made);
    center.PlaceCustomBar(frame, made);
    auto* custom = dynamic_cast<CUXCustomToolBar*>(made);
    ASSERT_NE(nullptr, custom);
    EXPECT_EQ("Mine", custom->GetTitle());
    EXPECT_TRUE(custom->IsCustomizable());
    EXPECT_TRUE(custom->GetStyle() & WS_VISIBLE);
    ASSERT_EQ(2u, rebar.GetReBarCtrl().GetBandCount());
    REBARBANDINFOA band = Band(rebar, 1);
    EXPECT_EQ(made->m_hWnd, band.hwndChild);
    EXPECT_EQ(0xE840u, band.wID);
    EXPECT_TRUE(band.fStyle & RBBS_BREAK);
    EXPECT_FALSE(Band(rebar, 0).fStyle & RBBS_BREAK);
    EXPECT_EQ(2u, rebar.GetReBarCtrl().GetRowCount());

    // Deleted by the user: the band goes with it, the other stays.
    custom->Delete();
    ASSERT_EQ(1u, rebar.GetReBarCtrl().GetBandCount());
    EXPECT_EQ(frame->m_bars[0].m_hWnd, Band(rebar, 0).hwndChild);

    // The rebar stops hosting when it is no longer customizable and when it goes.
    rebar.SetCustomizable(FALSE);
    EXPECT_EQ(nullptr, center.GetCustomBarHost());
    rebar.SetCustomizable(TRUE);
    const CUXCustomizeListener* host = &rebar;
    frame->DestroyWindow();
    app.m_pMainWnd = nullptr;
    EXPECT_EQ(nullptr, center.GetCustomBarHost());
    EXPECT_FALSE(center.IsRegistered(host));
}

TEST_F(ReBarTest, ACustomizableBarInABandComesBackAsTheUserLeftIt)
{
    auto buttonsAfterAdding = [&](BOOL removeSecond)
    {
        CRbFrame* frame = MakeFrame();
        EXPECT_NE(nullptr, frame);
        CFtToolBar& bar = frame->m_bars[0];
        bar.SetCustomizable(TRUE);
        REBARBANDINFOA band = {};
        EXPECT_TRUE(frame->m_rebar.AddBar(&bar, &band));
        std::vector<UINT> commands;
        for (int i = 0; i < bar.GetCount(); ++i)
            commands.push_back(bar.GetItemID(i));
        if (removeSecond)
            EXPECT_TRUE(bar.RemoveButton(1));
        frame->DestroyWindow();   // the bar keeps its layout as it goes
        app.m_pMainWnd = nullptr;
        PumpPending();
        return commands;
    };
    const UINT first = 0xE820 * 10 + 1;   // the bar's commands as it makes them
    EXPECT_EQ((std::vector<UINT>{first, first + 1, first + 2, first + 3}), buttonsAfterAdding(TRUE));
    EXPECT_EQ((std::vector<UINT>{first, first + 2, first + 3}), buttonsAfterAdding(FALSE));
}
