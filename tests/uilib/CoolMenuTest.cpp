// Cool menus on the frame's menu and on tracked menus: owner-drawn items with the tool bars' images, menu
// settings while menus are open, hiding rarely used commands behind the chevron, recent items, and the
// library's own drop shadow on a system that draws none.
#include "BarsTestSupport.h"

#include "support/win_DibSurface.h"
#include "support/win_Wait.h"
#include "uilib/core/base/SettingsStore.h"

#include <cstdlib>

namespace
{

BOOL MenuAnimation()
{
    BOOL on = FALSE;
    ::SystemParametersInfoA(SPI_GETMENUANIMATION, 0, &on, 0);
    return on;
}

void SetMenuAnimation(BOOL on)
{
    ::SystemParametersInfoA(SPI_SETMENUANIMATION, 0, reinterpret_cast<PVOID>(static_cast<INT_PTR>(on)), 0);
}

COLORREF ScreenPixel(int x, int y)
{
    HDC screen = ::GetDC(nullptr);
    COLORREF c = ::GetPixel(screen, x, y);
    ::ReleaseDC(nullptr, screen);
    return c;
}

// Whether the image (w x h pixels, the face colour transparent) shows somewhere in the box of the screen.
BOOL ImageShownIn(const std::vector<COLORREF>& image, int w, int h, const CRect& box)
{
    COLORREF face = uxAfxData.m_clrBtnFace;
    for (int dy = 0; dy + h <= box.Height(); ++dy)
        for (int dx = 0; dx + w <= box.Width(); ++dx)
        {
            BOOL all = TRUE;
            for (int y = 0; all && y < h; ++y)
                for (int x = 0; all && x < w; ++x)
                {
                    COLORREF wanted = image[static_cast<size_t>(y * w + x)];
                    all = wanted == face || ScreenPixel(box.left + dx + x, box.top + dy + y) == wanted;
                }
            if (all)
                return TRUE;
        }
    return FALSE;
}

// The pixels of one image of a tool bar's bitmap.
std::vector<COLORREF> BarImage(CUXToolBar& bar, int index)
{
    CBitmap bitmap;
    bitmap.Attach(bar.GetBitmap());
    int width = 0, height = 0;
    std::vector<COLORREF> all = ReadBitmapPixels(bitmap, &width, &height);
    bitmap.Detach();
    std::vector<COLORREF> image;
    for (int y = 0; y < 15 && !all.empty(); ++y)
        for (int x = 0; x < 16; ++x)
            image.push_back(all[static_cast<size_t>(y * width + index * 16 + x)]);
    return image;
}

// The test program's context menu (its sub-menu), kept by loaded; null when it cannot be loaded.
HMENU LoadContextMenu(CMenu& loaded)
{
    return loaded.LoadMenu(IDR_TEST_CONTEXT) ? ::GetSubMenu(loaded, 0) : nullptr;
}

// The three rarely used commands of the context menu hide behind its chevron; none is recent yet.
void HideRareCommands(CUXCoolMenu& cool)
{
    const UINT rare[] = {ID_T_RARE1, ID_T_RARE2, ID_T_RARE3};
    cool.AddHiddenCommands(rare, 3);
    cool.ClearRecentItems();
}

TEST_F(BarsTest, TheFramesMenuIsDrawnWithTheToolBarsImagesWhileMenuAnimationIsOff)
{
    SetMenuAnimation(TRUE);
    BOOL animationWhileOpen = TRUE;
    BOOL ownerDrawn = TRUE;
    BOOL imageShown = FALSE;
    int menusOpen = 0;
    std::vector<COLORREF> save = BarImage(frame->m_bar1, 2);
    ASSERT_EQ(16u * 15u, save.size());
    frame->menuSteps.push_back(
        [&](HWND menu)
        {
            HMENU hMenu = MenuOf(menu);
            if (Ids(hMenu).size() != 5)
                return FALSE;   // the File menu is not open yet
            animationWhileOpen = MenuAnimation();
            menusOpen = CUXCoolMenu::GetOpenMenuCount();
            for (int i = 0; i < ::GetMenuItemCount(hMenu); ++i)
                ownerDrawn =
                    ownerDrawn && (::GetMenuState(hMenu, static_cast<UINT>(i), MF_BYPOSITION) & MF_OWNERDRAW);
            CRect item;
            ::GetMenuItemRect(frame->m_hWnd, hMenu, 2, &item);   // Save
            CRect column(item.left, item.top, item.left + 18, item.bottom);
            imageShown = ImageShownIn(save, 16, 15, column);
            ::EndMenu();
            return TRUE;
        });
    frame->PostMessage(WM_SYSCOMMAND, SC_KEYMENU, 'f');
    Pump();
    EXPECT_TRUE(frame->menuSteps.empty());
    EXPECT_FALSE(animationWhileOpen);
    EXPECT_EQ(1, menusOpen);
    EXPECT_TRUE(ownerDrawn);
    EXPECT_TRUE(imageShown);
    // Closed: the setting is back and the items are plain again.
    EXPECT_TRUE(MenuAnimation());
    EXPECT_EQ(0, CUXCoolMenu::GetOpenMenuCount());
    HMENU file = ::GetSubMenu(::GetMenu(frame->m_hWnd), 0);
    EXPECT_FALSE(::GetMenuState(file, 2, MF_BYPOSITION) & MF_OWNERDRAW);
    char text[32] = {};
    ::GetMenuStringA(file, 2, text, sizeof(text), MF_BYPOSITION);
    EXPECT_STREQ("&Save", text);
    SetMenuAnimation(FALSE);
}

TEST_F(BarsTest, WithHidingOnTheMenuEndsWithTheChevronAndChoosingItShowsEveryItem)
{
    CUXCoolMenu& cool = frame->m_coolMenu;
    HideRareCommands(cool);
    std::vector<UINT> first, second;
    frame->menuSteps.push_back(
        [&](HWND menu)
        {
            first = Ids(MenuOf(menu));
            EXPECT_TRUE(CUXTrackMenu::IsOpen());
            Key(menu, VK_UP);   // the last item: the chevron
            Key(menu, VK_RETURN);
            return TRUE;
        });
    frame->menuSteps.push_back(
        [&](HWND menu)
        {
            std::vector<UINT> ids = Ids(MenuOf(menu));
            if (ids == first)
                return FALSE;   // still the first menu
            second = ids;
            ::EndMenu();
            return TRUE;
        });
    CMenu loaded;
    HMENU context = LoadContextMenu(loaded);
    ASSERT_NE(nullptr, context);
    EXPECT_EQ(0u, Track(context));
    EXPECT_FALSE(CUXTrackMenu::IsOpen());
    EXPECT_EQ((std::vector<UINT>{ID_T_OFTEN, 0, ID_T_SAVE, ID_UX_FULL_MENUS}), first);
    EXPECT_EQ((std::vector<UINT>{ID_T_OFTEN, 0, ID_T_RARE1, ID_T_RARE2, 0, ID_T_RARE3, ID_T_SAVE}), second);
    EXPECT_FALSE(CUXCoolMenu::IsFullMenuRequested());
    // The menu is as it was.
    EXPECT_EQ((std::vector<UINT>{ID_T_OFTEN, 0, ID_T_RARE1, ID_T_RARE2, 0, ID_T_RARE3, ID_T_SAVE}), Ids(context));
    EXPECT_FALSE(::GetMenuState(context, 3, MF_BYPOSITION) & MF_OWNERDRAW);

    // A rarely used command the user picks stays visible from then on.
    frame->SendMessage(WM_COMMAND, ID_T_RARE2);
    EXPECT_TRUE(cool.IsRecentItem(ID_T_RARE2));
    EXPECT_FALSE(cool.IsHiddenCommand(ID_T_RARE2));
    frame->menuSteps.push_back(
        [&](HWND menu)
        {
            first = Ids(MenuOf(menu));
            ::EndMenu();
            return TRUE;
        });
    Track(context);
    EXPECT_EQ((std::vector<UINT>{ID_T_OFTEN, 0, ID_T_RARE2, 0, ID_T_SAVE, ID_UX_FULL_MENUS}), first);

    // The frame's own menu is not a tracked one: it always shows every item.
    frame->menuSteps.push_back(
        [&](HWND menu)
        {
            first = Ids(MenuOf(menu));
            if (first.size() < 2)
                return FALSE;
            ::EndMenu();
            return TRUE;
        });
    frame->PostMessage(WM_SYSCOMMAND, SC_KEYMENU, 'f');
    Pump();
    EXPECT_EQ((std::vector<UINT>{ID_T_NEW, ID_T_OPEN, ID_T_SAVE, 0, ID_T_RARE1}), first);
    cool.ClearRecentItems();
}

TEST_F(BarsTest, RestingOnTheChevronGrowsTheMenuIntoTheFullMenu)
{
    CUXCoolMenu& cool = frame->m_coolMenu;
    HideRareCommands(cool);
    CMenu loaded;
    HMENU context = LoadContextMenu(loaded);
    ASSERT_NE(nullptr, context);
    BOOL delayed = uxAfxData.m_bMenuDelayedExpand;
    uxAfxData.m_bMenuDelayedExpand = TRUE;
    std::vector<UINT> full;
    HMENU shown = nullptr;
    BOOL everyItemInside = FALSE;
    frame->menuSteps.push_back(
        [&](HWND menu)
        {
            Key(menu, VK_UP);   // the chevron, highlighted
            return TRUE;
        });
    frame->menuSteps.push_back(
        [&](HWND)
        {
            cool.OnTimer(1000);   // the hover delay is over
            return TRUE;
        });
    frame->menuSteps.push_back(
        [&](HWND menu)
        {
            shown = MenuOf(menu);
            full = Ids(shown);
            if (full.size() != 7)
                return FALSE;
            // Every item lies inside the menu window, which still shows its menu.
            CRect window;
            ::GetWindowRect(menu, &window);
            everyItemInside = TRUE;
            for (int i = 0; i < 7; ++i)
            {
                CRect item;
                ::GetMenuItemRect(nullptr, shown, static_cast<UINT>(i), &item);
                everyItemInside = everyItemInside && !item.IsRectEmpty() && window.PtInRect(item.TopLeft()) &&
                                  item.bottom <= window.bottom;
            }
            ::EndMenu();
            return TRUE;
        });
    EXPECT_EQ(0u, Track(context));
    uxAfxData.m_bMenuDelayedExpand = delayed;
    EXPECT_TRUE(frame->menuSteps.empty());
    EXPECT_EQ(context, shown);
    EXPECT_EQ((std::vector<UINT>{ID_T_OFTEN, 0, ID_T_RARE1, ID_T_RARE2, 0, ID_T_RARE3, ID_T_SAVE}), full);
    EXPECT_TRUE(everyItemInside);
    cool.ClearRecentItems();
}

TEST_F(BarsTest, TheRecentItemListKeepsFiveCommands)
{
    CUXCoolMenu& cool = frame->m_coolMenu;
    cool.ClearRecentItems();
    for (UINT id = ID_T_RECENT_FIRST; id <= ID_T_RECENT_LAST; ++id)
        cool.AddHiddenCommand(id);
    frame->SendMessage(WM_COMMAND, ID_T_OFTEN);   // not hideable: not recorded
    for (UINT id = ID_T_RECENT_FIRST; id <= ID_T_RECENT_LAST; ++id)
        frame->SendMessage(WM_COMMAND, id);
    frame->SendMessage(WM_COMMAND, ID_T_RECENT_FIRST + 3);   // moves to the front once

    CUXSettingsStore store;
    std::vector<UINT> items;
    for (int i = 1; i <= 6; ++i)
    {
        CString entry;
        entry.Format("Item%d", i);
        items.push_back(store.GetProfileInt("Recent Item List", entry, 0));
    }
    EXPECT_EQ((std::vector<UINT>{ID_T_RECENT_FIRST + 3, ID_T_RECENT_LAST, ID_T_RECENT_FIRST + 4,
                                 ID_T_RECENT_FIRST + 2, ID_T_RECENT_FIRST + 1, 0}),
              items);
    EXPECT_TRUE(cool.IsHiddenCommand(ID_T_RECENT_FIRST));
    EXPECT_FALSE(cool.IsHiddenCommand(ID_T_RECENT_LAST));
    EXPECT_FALSE(cool.IsRecentItem(ID_T_OFTEN));
    cool.ClearRecentItems();
    EXPECT_FALSE(cool.IsRecentItem(ID_T_RECENT_LAST));
    EXPECT_TRUE(cool.IsHiddenCommand(ID_T_RECENT_LAST));
}

TEST_F(BarsTest, ASubMenuIsASecondMenuWindowDrawnTheSameWayAndTheSystemShadowFollowsTheOption)
{
    BOOL shadowOption = uxAfxData.m_bMenuShadows;
    BOOL systemShadow = FALSE;
    ::SystemParametersInfoA(SPI_GETDROPSHADOW, 0, &systemShadow, 0);
    uxAfxData.m_bMenuShadows = !systemShadow;
    int menusOpen = 0;
    BOOL shadowWhileOpen = systemShadow;
    BOOL subOwnerDrawn = FALSE;
    HMENU edit = ::GetSubMenu(::GetMenu(frame->m_hWnd), 1);
    frame->menuSteps.push_back(
        [&](HWND menu)
        {
            if (MenuOf(menu) != edit)
                return FALSE;
            Key(menu, VK_UP);   // "More"
            Key(menu, VK_RIGHT);
            return TRUE;
        });
    frame->menuSteps.push_back(
        [&](HWND menu)
        {
            HMENU sub = MenuOf(menu);
            if (sub == edit)
                return FALSE;
            menusOpen = CUXCoolMenu::GetOpenMenuCount();
            subOwnerDrawn = (::GetMenuState(sub, 0, MF_BYPOSITION) & MF_OWNERDRAW) != 0 &&
                            (::GetMenuState(sub, 1, MF_BYPOSITION) & MF_OWNERDRAW) != 0;
            ::SystemParametersInfoA(SPI_GETDROPSHADOW, 0, &shadowWhileOpen, 0);
            ::EndMenu();
            return TRUE;
        });
    frame->PostMessage(WM_SYSCOMMAND, SC_KEYMENU, 'e');
    Pump();
    EXPECT_TRUE(frame->menuSteps.empty());
    EXPECT_EQ(2, menusOpen);
    EXPECT_TRUE(subOwnerDrawn);
    // Where the system draws menu shadows (this one reports a later Windows) it follows the option.
    EXPECT_EQ(!systemShadow, shadowWhileOpen);
    BOOL after = !systemShadow;
    ::SystemParametersInfoA(SPI_GETDROPSHADOW, 0, &after, 0);
    EXPECT_EQ(systemShadow, after);
    EXPECT_EQ(0, CUXCoolMenu::GetOpenMenuCount());
    HMENU more = ::GetSubMenu(edit, 2);
    EXPECT_FALSE(::GetMenuState(more, 0, MF_BYPOSITION) & MF_OWNERDRAW);
    uxAfxData.m_bMenuShadows = shadowOption;
}

TEST_F(BarsTest, TheFlatLookDrawsTheImageColumnAndTheBarsInItsBlends)
{
    uxAfxData.m_bFlatLook = TRUE;
    frame->m_bar1.RedrawWindow(nullptr, nullptr, RDW_INVALIDATE | RDW_UPDATENOW | RDW_FRAME);
    CRect bar;
    frame->m_bar1.GetClientRect(&bar);
    frame->m_bar1.ClientToScreen(&bar);
    COLORREF barGround = ScreenPixel(bar.right - 3, bar.top + 3);   // right of the last button
    COLORREF column = 0, text = 0;
    BOOL imageShown = FALSE;
    std::vector<COLORREF> save = BarImage(frame->m_bar1, 2);
    frame->menuSteps.push_back(
        [&](HWND menu)
        {
            HMENU hMenu = MenuOf(menu);
            if (Ids(hMenu).size() != 5)
                return FALSE;
            CRect item;
            ::GetMenuItemRect(frame->m_hWnd, hMenu, 2, &item);
            column = ScreenPixel(item.left + 1, item.top + 3);
            text = ScreenPixel(item.right - 4, item.top + item.Height() / 2);
            imageShown = ImageShownIn(save, 16, 15, CRect(item.left, item.top, item.left + 24, item.bottom));
            ::EndMenu();
            return TRUE;
        });
    frame->PostMessage(WM_SYSCOMMAND, SC_KEYMENU, 'f');
    Pump();
    uxAfxData.m_bFlatLook = FALSE;
    EXPECT_EQ(uxAfxData.m_clrFaceWindow, barGround);
    EXPECT_EQ(uxAfxData.m_clrFaceWindow, column);
    EXPECT_EQ(uxAfxData.m_clrWindowFace, text);
    EXPECT_TRUE(imageShown);
}

TEST_F(BarsTest, AnItemsMnemonicChoosesItInTheOwnerDrawnMenu)
{
    frame->menuSteps.push_back(
        [&](HWND menu)
        {
            if (Ids(MenuOf(menu)).size() != 5)
                return FALSE;
            ::PostMessageA(menu, WM_CHAR, 's', 0);
            return TRUE;
        });
    frame->PostMessage(WM_SYSCOMMAND, SC_KEYMENU, 'f');
    Pump();
    EXPECT_EQ(std::vector<UINT>{ID_T_SAVE}, frame->commands);

    // Two items with the same letter: the first after the highlighted one is selected, not chosen.
    CMenu loaded;
    CMenu* context = CMenu::FromHandle(LoadContextMenu(loaded));
    ASSERT_NE(nullptr, context->m_hMenu);
    CUXCoolMenu& cool = frame->m_coolMenu;
    cool.ConvertMenu(context, TRUE);
    EXPECT_EQ(MAKELRESULT(0, MNC_SELECT), cool.OnMenuChar('o', MF_POPUP, context));    // "&Often", "Rare &one"
    EXPECT_EQ(MAKELRESULT(5, MNC_EXECUTE), cool.OnMenuChar('H', MF_POPUP, context));   // "Rare t&hree"
    EXPECT_EQ(0, cool.OnMenuChar('z', MF_POPUP, context));
    cool.ConvertMenu(context, FALSE);
    char text[32] = {};
    ::GetMenuStringA(context->m_hMenu, 2, text, sizeof(text), MF_BYPOSITION);
    EXPECT_STREQ("Rare &one", text);
}

TEST_F(BarsTest, ItemsOfOtherOwnersAreLeftAlone)
{
    // An owner-drawn item with data of its own owner is neither measured nor drawn by the cool menu.
    int foreign = 0x1234;
    MEASUREITEMSTRUCT measure = {};
    measure.CtlType = ODT_MENU;
    measure.itemData = reinterpret_cast<ULONG_PTR>(&foreign);
    EXPECT_FALSE(frame->m_coolMenu.MeasureItem(&measure));
    DRAWITEMSTRUCT draw = {};
    draw.CtlType = ODT_MENU;
    draw.itemData = measure.itemData;
    EXPECT_FALSE(frame->m_coolMenu.DrawItem(&draw));
    EXPECT_EQ(nullptr, frame->m_coolMenu.FindItemData(0));
}

TEST_F(BarsTest, ACheckedItemKeepsItsTickWhileHighlighted)
{
    CMenu loaded;
    CMenu* context = CMenu::FromHandle(LoadContextMenu(loaded));
    ASSERT_NE(nullptr, context->m_hMenu);
    CUXCoolMenu& cool = frame->m_coolMenu;
    cool.ConvertMenu(context, TRUE);
    MENUITEMINFOA info = {};
    info.cbSize = sizeof(info);
    info.fMask = MIIM_DATA;
    ASSERT_TRUE(::GetMenuItemInfoA(context->m_hMenu, 0, TRUE, &info));   // "&Often", no image
    for (BOOL flat : {FALSE, TRUE})
    {
        uxAfxData.m_bFlatLook = flat;
        for (UINT state : {UINT(ODS_CHECKED), UINT(ODS_CHECKED | ODS_SELECTED)})
        {
            DibSurface surface(200, 24, RGB(1, 2, 3));
            DRAWITEMSTRUCT draw = {};
            draw.CtlType = ODT_MENU;
            draw.itemID = ID_T_OFTEN;
            draw.itemState = state;
            draw.hwndItem = reinterpret_cast<HWND>(context->m_hMenu);
            draw.hDC = surface.dc.m_hDC;
            draw.rcItem = {0, 0, 200, 24};
            draw.itemData = info.dwItemData;
            ASSERT_TRUE(cool.DrawItem(&draw));
            int tick = 0;
            for (int y = 0; y < 24; ++y)
                for (int x = 0; x < 24; ++x)
                    tick += surface.At(x, y) == uxAfxData.m_clrMenuText ? 1 : 0;
            EXPECT_GE(tick, 15) << "flat " << flat << " state " << state;
        }
    }
    uxAfxData.m_bFlatLook = FALSE;
    cool.ConvertMenu(context, FALSE);
}

// ---- the same program seen as Windows 2000 ---------------------------------------------------------------

// Runs only in the copy of this program that the test below starts.
TEST_F(BarsTest, OnOldSystemsMenusCastTheLibrarysShadow)
{
    if (ChildRole() != "w2k")
        GTEST_SKIP() << "runs in a child program only";
    ASSERT_TRUE(uxAfxData.m_bWin2000);
    // A white ground under the menu.
    CWnd ground;
    ASSERT_TRUE(ground.CreateEx(
        WS_EX_TOOLWINDOW, AfxRegisterWndClass(0, nullptr, static_cast<HBRUSH>(::GetStockObject(WHITE_BRUSH))), "",
        WS_POPUP | WS_VISIBLE, 150, 150, 500, 400, nullptr, nullptr));
    ground.UpdateWindow();
    // The shadow copies the screen beneath it: the ground must be on the screen before the menu opens.
    ASSERT_TRUE(PumpUntil(
        []
        { return ScreenPixel(200, 200) == RGB(255, 255, 255) && ScreenPixel(640, 540) == RGB(255, 255, 255); }));
    COLORREF shades[4] = {};
    COLORREF beyond = 0;
    frame->menuSteps.push_back(
        [&](HWND menu)
        {
            HWND shadow = ::FindWindowA(nullptr, "Shadow");
            if (shadow == nullptr || !::IsWindowVisible(shadow))
                return FALSE;
            ::UpdateWindow(shadow);
            CRect rect;
            ::GetWindowRect(menu, &rect);
            for (int i = 0; i < 4; ++i)
                shades[i] = ScreenPixel(rect.right + i, rect.top + 10);
            beyond = ScreenPixel(rect.right + 4, rect.top + 10);
            ::EndMenu();
            return TRUE;
        });
    CMenu loaded;
    ASSERT_TRUE(loaded.LoadMenu(IDR_TEST_DROPDOWN));
    Track(::GetSubMenu(loaded, 0));
    for (int i = 0; i < 4; ++i)
        EXPECT_EQ(kShadowShadesOverWhite[i], shades[i]) << i;
    EXPECT_EQ(RGB(255, 255, 255), beyond);
    ground.DestroyWindow();
}

TEST(CoolMenus, OnASystemReportingWindows2000TheLibraryDrawsTheMenuShadow)
{
    EXPECT_EQ(0u, RunChild("BarsTest.OnOldSystemsMenusCastTheLibrarysShadow", "w2k", true));
}

// ---- menu settings when the program ends with a menu open ----------------------------------------------

// In a child: opens a menu and ends the program while it is open, through the run-time library's exit (the
// library's exit path) or at once (a program that dies).
TEST_F(BarsTest, EndsWithAMenuOpen)
{
    std::string role = ChildRole();
    if (role != "exit" && role != "die")
        GTEST_SKIP() << "runs in a child program only";
    frame->menuSteps.push_back(
        [&](HWND)
        {
            if (MenuAnimation())
                std::exit(3);   // the setting should be off now
            if (role == "exit")
                std::exit(0);
            ::TerminateProcess(::GetCurrentProcess(), 0);
            return TRUE;
        });
    CMenu loaded;
    ASSERT_TRUE(loaded.LoadMenu(IDR_TEST_DROPDOWN));
    Track(::GetSubMenu(loaded, 0));
    std::exit(4);   // the menu never opened
}

// In a child: tells the menu animation setting a fresh program sees.
TEST(MenuSettingsChild, ReportsMenuAnimation)
{
    if (ChildRole() != "report")
        GTEST_SKIP() << "runs in a child program only";
    std::exit(MenuAnimation() ? 10 : 11);
}

std::vector<BYTE> StoredPreferences()
{
    std::vector<BYTE> bytes(64);
    DWORD size = static_cast<DWORD>(bytes.size());
    if (::RegGetValueA(HKEY_CURRENT_USER, "Control Panel\\Desktop", "UserPreferencesMask", RRF_RT_ANY, nullptr,
                       bytes.data(), &size) != ERROR_SUCCESS)
        size = 0;
    bytes.resize(size);
    return bytes;
}

TEST(CoolMenus, MenuSettingsChangeOnlyInMemoryAndComeBackWhenTheProgramEndsWithAMenuOpen)
{
    BOOL original = MenuAnimation();
    SetMenuAnimation(TRUE);
    std::vector<BYTE> stored = StoredPreferences();
    EXPECT_EQ(0u, RunChild("BarsTest.EndsWithAMenuOpen", "exit"));
    EXPECT_EQ(10u, RunChild("MenuSettingsChild.*", "report"));   // back on after the exit path
    // A program that dies with a menu open leaves the stored settings as they were.
    EXPECT_EQ(0u, RunChild("BarsTest.EndsWithAMenuOpen", "die"));
    EXPECT_EQ(stored, StoredPreferences());
    SetMenuAnimation(original);
}

}   // namespace
