// Owner-drawn items of a real pop-up menu reach the CMenu object they belong to.
#include "framework/win/Framework.h"

#include <gtest/gtest.h>

#include <vector>

namespace
{

struct MenuCall
{
    UINT id;
    ULONG_PTR data;
    bool operator==(const MenuCall& o) const { return id == o.id && data == o.data; }
};

class COwnerDrawMenu : public CMenu
{
public:
    std::vector<MenuCall> measured;
    std::vector<MenuCall> drawn;
    bool drawnIntoMenuDC = false;
    void MeasureItem(LPMEASUREITEMSTRUCT mis) override
    {
        measured.push_back({mis->itemID, mis->itemData});
        mis->itemWidth = 120;
        mis->itemHeight = 20 + static_cast<UINT>(mis->itemData);
    }
    void DrawItem(LPDRAWITEMSTRUCT dis) override
    {
        drawn.push_back({dis->itemID, dis->itemData});
        drawnIntoMenuDC = dis->hDC != nullptr && dis->rcItem.bottom - dis->rcItem.top == 20 + (int)dis->itemData;
        ::FillRect(dis->hDC, &dis->rcItem, static_cast<HBRUSH>(::GetStockObject(WHITE_BRUSH)));
    }
};

const UINT_PTR kGiveUpTimer = 77;

// Owns the menu while it is tracked and ends it once the menu loop goes idle after both items were drawn.
class CMenuOwnerWnd : public CWnd
{
public:
    COwnerDrawMenu* menu = nullptr;
    int idles = 0;
    bool gaveUp = false;
    afx_msg void OnEnterIdle(UINT nWhy, CWnd*)
    {
        ++idles;
        if (nWhy == MSGF_MENU && menu != nullptr && menu->drawn.size() >= 2)
            ::EndMenu();
    }
    afx_msg void OnTimer(UINT_PTR nID)
    {
        if (nID == kGiveUpTimer)
        {
            gaveUp = true;
            ::EndMenu();
        }
    }
    DECLARE_MESSAGE_MAP()
};

BEGIN_MESSAGE_MAP(CMenuOwnerWnd, CWnd)
    ON_WM_ENTERIDLE()
    ON_WM_TIMER()
END_MESSAGE_MAP()

TEST(OwnerDrawMenu, ItemsOfARealPopupAreMeasuredAndDrawnThroughTheirMenu)
{
    CMenuOwnerWnd owner;
    ASSERT_TRUE(
        owner.CreateEx(0, nullptr, "menu owner", WS_POPUP | WS_VISIBLE, 100, 100, 200, 100, nullptr, nullptr));
    owner.SetForegroundWindow();
    COwnerDrawMenu menu;
    ASSERT_TRUE(menu.CreatePopupMenu());
    ASSERT_TRUE(menu.AppendMenu(MF_OWNERDRAW, 501, reinterpret_cast<LPCSTR>(static_cast<ULONG_PTR>(3))));
    ASSERT_TRUE(menu.AppendMenu(MF_OWNERDRAW, 502, reinterpret_cast<LPCSTR>(static_cast<ULONG_PTR>(5))));
    EXPECT_EQ(&menu, CMenu::FromHandlePermanent(menu.m_hMenu));
    EXPECT_EQ(&menu, CMenu::FromHandle(menu.m_hMenu));   // the object, not a temporary
    owner.menu = &menu;

    // A generous limit only against a hang: the menu normally ends as soon as it has been drawn.
    owner.SetTimer(kGiveUpTimer, 20000);
    menu.TrackPopupMenu(TPM_LEFTALIGN | TPM_RETURNCMD, 120, 120, &owner);
    owner.KillTimer(kGiveUpTimer);

    EXPECT_FALSE(owner.gaveUp);
    EXPECT_EQ((std::vector<MenuCall>{{501, 3}, {502, 5}}), menu.measured);
    ASSERT_GE(menu.drawn.size(), 2u);
    EXPECT_EQ((MenuCall{501, 3}), menu.drawn[0]);
    EXPECT_EQ((MenuCall{502, 5}), menu.drawn[1]);
    EXPECT_TRUE(menu.drawnIntoMenuDC);   // drawn in the size it asked for

    // A detached menu is no longer found; its items would go to the default handling.
    HMENU hMenu = menu.Detach();
    EXPECT_EQ(nullptr, CMenu::FromHandlePermanent(hMenu));
    ::DestroyMenu(hMenu);
}

TEST(OwnerDrawMenu, ItemsInASubmenuOfTheWindowMenuFindTheirOwnObject)
{
    CWnd owner;
    ASSERT_TRUE(owner.CreateEx(0, nullptr, "bar owner", WS_OVERLAPPEDWINDOW, 0, 0, 300, 200, nullptr, nullptr));
    CMenu bar;
    ASSERT_TRUE(bar.CreateMenu());
    COwnerDrawMenu popup;
    ASSERT_TRUE(popup.CreatePopupMenu());
    ASSERT_TRUE(popup.AppendMenu(MF_OWNERDRAW, 601, reinterpret_cast<LPCSTR>(static_cast<ULONG_PTR>(9))));
    ASSERT_TRUE(bar.AppendMenu(MF_POPUP, reinterpret_cast<UINT_PTR>(popup.m_hMenu), "File"));
    EXPECT_EQ(popup.m_hMenu, CMenu::FindOwnerDrawMenu(bar.m_hMenu, 601, 9));
    EXPECT_EQ(nullptr, CMenu::FindOwnerDrawMenu(bar.m_hMenu, 601, 8));   // the item data must match too
    owner.SetMenu(&bar);

    MEASUREITEMSTRUCT mis = {};
    mis.CtlType = ODT_MENU;
    mis.itemID = 601;
    mis.itemData = 9;
    owner.SendMessage(WM_MEASUREITEM, 0, reinterpret_cast<LPARAM>(&mis));
    EXPECT_EQ((std::vector<MenuCall>{{601, 9}}), popup.measured);
    EXPECT_EQ(29u, mis.itemHeight);

    owner.SetMenu(nullptr);
    popup.Detach();   // the bar destroys its pop-up
}

}   // namespace
