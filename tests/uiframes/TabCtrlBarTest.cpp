// The tab-control bar of an MDI frame: one tab per child, following the children, their titles and the
// active one; a tab chosen activates its child; all children closed at once.
#include "UiFramesTestSupport.h"

#include "support/win_SystemInput.h"
#include "uilib/core/base/LibraryIds.h"

#include <algorithm>
#include <string>

namespace
{

class TabCtrlBarTest : public UiFramesProgram
{
protected:
    // What the tabs show, in order, and the selected one.
    std::vector<std::string> Tabs()
    {
        std::vector<std::string> texts;
        CTabCtrl& tab = bar.GetTabCtrl();
        for (int i = 0; i < tab.GetItemCount(); ++i)
        {
            char text[128] = {};
            TCITEMA item = {};
            item.mask = TCIF_TEXT;
            item.pszText = text;
            item.cchTextMax = sizeof(text);
            tab.GetItem(i, &item);
            texts.push_back(text);
        }
        return texts;
    }
    // The idle time of the program: bars update themselves.
    void Idle()
    {
        PumpPending();
        pFrame->SendMessage(WM_IDLEUPDATECMDUI, TRUE);
        pFrame->SendMessageToDescendants(WM_IDLEUPDATECMDUI, TRUE, 0, TRUE, TRUE);
        PumpPending();
    }

    CMDIFrameWnd* pFrame = nullptr;
    CUXTabCtrlBar bar;
};

TEST_F(TabCtrlBarTest, ShowsOneTabPerChildAndFollowsActivation)
{
    pFrame = MakeMdiFrame();
    ASSERT_NE(nullptr, pFrame);
    UXEnableDocking(pFrame, CBRS_ALIGN_ANY);
    ASSERT_TRUE(
        bar.Create(pFrame, "Windows", 0xE850, WS_CHILD | WS_VISIBLE | CBRS_ALIGN_BOTTOM | CBRS_SIZE_DYNAMIC));
    bar.SetDockedSize(CUXDockWindow::kBottom, CSize(400, 40));
    bar.EnableDocking(CBRS_ALIGN_ANY);
    pFrame->DockControlBar(&bar, AFX_IDW_DOCKBAR_BOTTOM);
    bar.TrackMDIChildren(pFrame->m_hWndMDIClient);

    // The tab control: the bar's child, along the bottom, clipping its children while docked.
    CTabCtrl& tab = bar.GetTabCtrl();
    ASSERT_NE(nullptr, tab.m_hWnd);
    EXPECT_EQ(CUXTabCtrlBar::kTabCtrlId, tab.GetDlgCtrlID());
    EXPECT_EQ(bar.m_hWnd, ::GetParent(tab.m_hWnd));
    EXPECT_TRUE(tab.GetStyle() & TCS_BOTTOM);
    EXPECT_TRUE(tab.GetStyle() & WS_CLIPCHILDREN);
    EXPECT_TRUE(Tabs().empty());

    ASSERT_NE(nullptr, AddChild(pFrame, "Alpha", "a"));
    ASSERT_NE(nullptr, AddChild(pFrame, "Beta", "b"));
    ASSERT_NE(nullptr, AddChild(pFrame, "Gamma", "g"));
    Idle();
    std::vector<std::string> tabs = Tabs();
    EXPECT_EQ((std::vector<std::string>{"Alpha", "Beta", "Gamma"}), tabs);
    EXPECT_EQ(children[2]->m_hWnd,
              reinterpret_cast<HWND>(::SendMessageA(pFrame->m_hWndMDIClient, WM_MDIGETACTIVE, 0, 0)));
    EXPECT_EQ("Gamma", tabs[tab.GetCurSel()]);

    // Another child becomes active, and one is renamed: the tabs follow.
    pFrame->MDIActivate(children[0]);
    children[1]->SetWindowText("Beta 2");
    Idle();
    tabs = Tabs();
    EXPECT_EQ((std::vector<std::string>{"Alpha", "Beta 2", "Gamma"}), tabs);   // in their places
    EXPECT_EQ(0, tab.GetCurSel());

    // A tab clicked activates its child, and stays where it is.
    int beta = 1;
    CRect item;
    tab.GetItemRect(beta, &item);
    tab.ClientToScreen(&item);
    VxInput::MoveTo(item.CenterPoint());
    VxInput::Press(item.CenterPoint());
    VxInput::Release(item.CenterPoint());
    Idle();
    EXPECT_EQ(children[1], pFrame->MDIGetActive());
    EXPECT_EQ(beta, tab.GetCurSel());

    // A child that goes loses its tab; the close-all message closes the rest.
    children[2]->SendMessage(WM_CLOSE);
    Idle();

    EXPECT_EQ((std::vector<std::string>{"Alpha", "Beta 2"}), Tabs());
    EXPECT_EQ(0, bar.SendMessage(UXM_TABBAR_CLOSEALL));
    Idle();
    EXPECT_EQ(nullptr, pFrame->MDIGetActive());
    EXPECT_TRUE(Tabs().empty());
}

}   // namespace
