// The window list of an MDI frame: what it lists and selects, what its buttons allow, and what they do to the
// children; its placement in the profile.
#include "UiFramesTestSupport.h"

#include "resources/uilib/UilibResources.h"
#include "support/win_DialogDriver.h"
#include "uilib/frames/WindowList.h"

#include <string>

namespace
{

const UINT kActionButtons[] = {IDC_UX_WL_ACTIVATE,  IDC_UX_WL_SAVE,      IDC_UX_WL_CLOSE,   IDC_UX_WL_CASCADE,
                               IDC_UX_WL_TILE_HORZ, IDC_UX_WL_TILE_VERT, IDC_UX_WL_MINIMIZE};

class WindowListTest : public UiFramesProgram
{
protected:
    // The list's texts and windows in list order.
    static std::vector<std::string> Texts(CWnd& dlg)
    {
        std::vector<std::string> texts;
        CListBox* pList = static_cast<CListBox*>(dlg.GetDlgItem(IDC_UX_WL_LIST));
        for (int i = 0; i < pList->GetCount(); ++i)
        {
            CString text;
            pList->GetText(i, text);
            texts.push_back(text.GetString());
        }
        return texts;
    }
    static HWND ItemWindow(CWnd& dlg, int i)
    {
        return reinterpret_cast<HWND>(static_cast<CListBox*>(dlg.GetDlgItem(IDC_UX_WL_LIST))->GetItemData(i));
    }
    // Selects exactly these items, as the user's clicks would (the dialog hears of the change).
    static void Select(CWnd& dlg, std::vector<int> items)
    {
        CListBox* pList = static_cast<CListBox*>(dlg.GetDlgItem(IDC_UX_WL_LIST));
        pList->SetSel(-1, FALSE);
        for (int i : items)
            pList->SetSel(i, TRUE);
        dlg.SendMessage(WM_COMMAND, MAKEWPARAM(IDC_UX_WL_LIST, LBN_SELCHANGE),
                        reinterpret_cast<LPARAM>(pList->m_hWnd));
    }
    static std::vector<int> Selected(CWnd& dlg)
    {
        std::vector<int> items;
        CListBox* pList = static_cast<CListBox*>(dlg.GetDlgItem(IDC_UX_WL_LIST));
        for (int i = 0; i < pList->GetCount(); ++i)
            if (pList->GetSel(i) > 0)
                items.push_back(i);
        return items;
    }
    // The action buttons that are enabled, as a mask in the order of kActionButtons.
    static unsigned Enabled(CWnd& dlg)
    {
        unsigned mask = 0;
        for (int i = 0; i < 7; ++i)
            mask |= dlg.GetDlgItem(kActionButtons[i])->IsWindowEnabled() ? 1u << i : 0u;
        return mask;
    }
    static void Click(CWnd& dlg, UINT nID)
    {
        dlg.SendMessage(WM_COMMAND, MAKEWPARAM(nID, BN_CLICKED),
                        reinterpret_cast<LPARAM>(dlg.GetDlgItem(nID)->m_hWnd));
    }
};

const unsigned kOneSelected = 0x47;    // activate, save, close, minimize
const unsigned kManySelected = 0x7E;   // all but activate

TEST_F(WindowListTest, ListsTheChildrenAndActsOnTheSelection)
{
    CMDIFrameWnd* pFrame = MakeMdiFrame();
    ASSERT_NE(nullptr, pFrame);
    CFtDoc* docs[4] = {};
    ASSERT_NE(nullptr, AddChild(pFrame, "Gamma", "g", &docs[0]));
    ASSERT_NE(nullptr, AddChild(pFrame, "", "Delta Doc", &docs[1]));   // untitled: listed by its document
    ASSERT_NE(nullptr, AddChild(pFrame, "Alpha", "a", &docs[2]));
    ASSERT_NE(nullptr, AddChild(pFrame, "Beta", "b", &docs[3]));
    HWND hGamma = children[0]->m_hWnd, hDelta = children[1]->m_hWnd, hAlpha = children[2]->m_hWnd,
         hBeta = children[3]->m_hWnd;

    CUXWindowList dlg(pFrame);
    ASSERT_TRUE(dlg.Create(IDD_UX_WINDOW_LIST, pFrame));
    dlg.ShowWindow(SW_SHOW);
    PumpPending();
    // Sorted by title, each with its window; the active child (the last made) alone selected.
    EXPECT_EQ((std::vector<std::string>{"Alpha", "Beta", "Delta Doc", "Gamma"}), Texts(dlg));
    EXPECT_EQ(hAlpha, ItemWindow(dlg, 0));
    EXPECT_EQ(hDelta, ItemWindow(dlg, 2));
    EXPECT_STREQ("Delta Doc", AfxGetWindowText(hDelta));   // the untitled window took its document's title
    EXPECT_EQ(std::vector<int>{1}, Selected(dlg));
    EXPECT_EQ(kOneSelected, Enabled(dlg));
    EXPECT_TRUE(dlg.GetDlgItem(IDOK)->IsWindowEnabled());

    // The selected item is drawn in the highlight colours from the icon's column on; the icon's column stays
    // in the window colour.
    {
        CListBox* pList = static_cast<CListBox*>(dlg.GetDlgItem(IDC_UX_WL_LIST));
        CRect item;
        pList->GetItemRect(1, &item);
        ScreenShot shot(pList->m_hWnd);
        int x = item.left + uxAfxData.m_cxSmallIcon + 3;
        EXPECT_EQ(uxAfxData.m_clrHilite, shot.At(x + 1, item.bottom - 2));
        EXPECT_EQ(uxAfxData.m_clrWindow, shot.At(item.left + 1, item.top));
        EXPECT_EQ(uxAfxData.m_clrWindow, shot.At(x + 1, item.bottom + 2));   // the next item, not selected
    }

    // Two of four: tiling restores those two side by side and minimises the other two.
    Select(dlg, {0, 3});   // Alpha, Gamma
    EXPECT_EQ(kManySelected, Enabled(dlg));
    Click(dlg, IDC_UX_WL_TILE_VERT);
    EXPECT_TRUE(::IsIconic(hBeta));
    EXPECT_TRUE(::IsIconic(hDelta));
    EXPECT_FALSE(::IsIconic(hAlpha));
    EXPECT_FALSE(::IsIconic(hGamma));
    CRect alpha = FtScreenRect(hAlpha), gamma = FtScreenRect(hGamma), overlap;
    EXPECT_FALSE(overlap.IntersectRect(&alpha, &gamma));
    EXPECT_EQ(alpha.top, gamma.top);   // side by side
    // Cascading the same two: restored, one behind the other, further right and down.
    Click(dlg, IDC_UX_WL_CASCADE);
    alpha = FtScreenRect(hAlpha);
    gamma = FtScreenRect(hGamma);
    EXPECT_NE(alpha.left, gamma.left);
    EXPECT_EQ(alpha.left < gamma.left, alpha.top < gamma.top);
    EXPECT_TRUE(::IsIconic(hBeta));

    // Save asks the documents of the selected windows only.
    Click(dlg, IDC_UX_WL_SAVE);
    EXPECT_EQ(1, docs[0]->saveQuestions);
    EXPECT_EQ(1, docs[2]->saveQuestions);
    EXPECT_EQ(0, docs[1]->saveQuestions + docs[3]->saveQuestions);
    // ... and the list is filled again with the active child selected.
    EXPECT_EQ(4u, Texts(dlg).size());
    EXPECT_EQ(1u, Selected(dlg).size());

    // Minimize minimises the selected ones and leaves the others as they are.
    Select(dlg, {0});
    EXPECT_EQ(kOneSelected, Enabled(dlg));
    Click(dlg, IDC_UX_WL_MINIMIZE);
    EXPECT_TRUE(::IsIconic(hAlpha));
    EXPECT_FALSE(::IsIconic(hGamma));

    // Close: the selected windows go and the list follows.
    Select(dlg, {1, 2});   // Beta, Delta Doc
    Click(dlg, IDC_UX_WL_CLOSE);
    EXPECT_FALSE(::IsWindow(hBeta));
    EXPECT_FALSE(::IsWindow(hDelta));
    EXPECT_EQ((std::vector<std::string>{"Alpha", "Gamma"}), Texts(dlg));

    // Closing the rest leaves an empty list in which only OK can be pressed.
    Select(dlg, {0, 1});
    Click(dlg, IDC_UX_WL_CLOSE);
    EXPECT_TRUE(Texts(dlg).empty());
    EXPECT_EQ(0u, Enabled(dlg));
    EXPECT_TRUE(dlg.GetDlgItem(IDOK)->IsWindowEnabled());
    dlg.DestroyWindow();
}

TEST_F(WindowListTest, ActivateRestoresTheChosenChildAndEndsTheDialogWhosePlacementIsKept)
{
    CMDIFrameWnd* pFrame = MakeMdiFrame();
    ASSERT_NE(nullptr, pFrame);
    ASSERT_NE(nullptr, AddChild(pFrame, "One", "1"));
    ASSERT_NE(nullptr, AddChild(pFrame, "Two", "2"));
    children[0]->ShowWindow(SW_MINIMIZE);
    pFrame->MDIActivate(children[1]);
    HWND hOne = children[0]->m_hWnd;

    // The user makes the dialog larger, chooses "One" and activates it.
    CRect dialogRect;
    CDialogDriver driver({[&](HWND hDlg)
                          {
                              CWnd* pDlg = CWnd::FromHandle(hDlg);
                              pDlg->GetWindowRect(&dialogRect);
                              dialogRect.right += 80;
                              dialogRect.bottom += 40;
                              pDlg->MoveWindow(&dialogRect);
                              EXPECT_EQ((std::vector<std::string>{"One", "Two"}), Texts(*pDlg));
                              Select(*pDlg, {0});
                              CDialogDriver::Click(hDlg, IDC_UX_WL_ACTIVATE);
                          }});
    CUXWindowList dlg(pFrame);
    EXPECT_EQ(IDOK, dlg.DoModal());
    EXPECT_EQ(1u, driver.StepsRun());
    EXPECT_EQ(children[0], pFrame->MDIGetActive());
    EXPECT_FALSE(::IsIconic(hOne));

    // The next time it opens as large as it was left.
    CRect again;
    CDialogDriver driver2({[&](HWND hDlg)
                           {
                               ::GetWindowRect(hDlg, &again);
                               CDialogDriver::Click(hDlg, IDOK);
                           }});
    CUXWindowList dlg2(pFrame);
    EXPECT_EQ(IDOK, dlg2.DoModal());
    EXPECT_EQ(dialogRect.Size(), again.Size());
}

}   // namespace
