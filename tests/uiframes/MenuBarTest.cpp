// The menu bar: keyboard modes, tracking its pop-ups, the window menu and the maximized child's items.
#include "MenuTestFrame.h"
#include "support/win_MessageSequence.h"
#include "support/win_SystemInput.h"
#include "uilib/core/base/Crc32.h"
#include "uilib/core/bars/CustomizeCenter.h"

#include <cstring>

namespace
{

MSG Message(HWND hWnd, UINT message, WPARAM wParam, LPARAM lParam = 0)
{
    MSG msg = {};
    msg.hwnd = hWnd;
    msg.message = message;
    msg.wParam = wParam;
    msg.lParam = lParam;
    ::GetCursorPos(&msg.pt);
    return msg;
}

// lParam bit of a key pressed with Alt held.
const LPARAM kAltHeld = 0x20000000;

}   // namespace

class MenuBarTest : public MenuTest
{
protected:
    CCountingMenuBar& Bar() { return frame->m_menuBar; }

    // Offers a key message to the bar's keyboard rules as the frame does; whether the bar took it.
    BOOL Key(UINT message, WPARAM vk, LPARAM lParam = 0)
    {
        MSG msg = Message(frame->m_hWnd, message, vk, lParam);
        return Bar().PreTranslateFrameMessage(&msg);
    }
    // Alt (or F10) pressed and released alone.
    void Tap(WPARAM vk)
    {
        EXPECT_TRUE(Key(WM_SYSKEYDOWN, vk, vk == VK_MENU ? kAltHeld : 0));
        EXPECT_TRUE(Key(WM_SYSKEYUP, vk, vk == VK_MENU ? kAltHeld : 0));
    }
    // The index of the entry with this text.
    int Entry(const char* text)
    {
        for (int i = 0; i < Bar().GetItemCount(); ++i)
        {
            CUXMenuBarItem* item = Bar().GetItem(i);
            if (item->IsKindOf(RUNTIME_CLASS(CUXMenuBarTextItem)) &&
                static_cast<CUXMenuBarTextItem*>(item)->m_strText == text)
                return i;
        }
        return -1;
    }
    CPoint ScreenCenter(int index)
    {
        CRect rect = Bar().GetItem(index)->GetRect();
        Bar().ClientToScreen(&rect);
        return rect.CenterPoint();
    }
    CMDIChildWnd* NewChild(const char* title, DWORD style = WS_CHILD | WS_VISIBLE | WS_OVERLAPPEDWINDOW)
    {
        CMDIChildWnd* child = new CMDIChildWnd;
        if (!child->Create(nullptr, title, style, CFrameWnd::rectDefault, frame))
            return nullptr;
        Pump();
        return child;
    }
    std::vector<std::string> EntryTexts()
    {
        std::vector<std::string> texts;
        for (int i = 0; i < Bar().GetItemCount(); ++i)
            if (Bar().GetItem(i)->IsKindOf(RUNTIME_CLASS(CUXMenuBarTextItem)))
                texts.push_back(static_cast<CUXMenuBarTextItem*>(Bar().GetItem(i))->m_strText.GetString());
        return texts;
    }
    int VisibleItems()
    {
        int count = 0;
        for (int i = 0; i < Bar().GetItemCount(); ++i)
            count += Bar().GetItem(i)->IsHidden() ? 0 : 1;
        return count;
    }
};

TEST_F(MenuBarTest, KeyboardSelectsMovesAndLeavesEntries)
{
    const int file = Entry("&File");
    const int help = Entry("&Help");
    ASSERT_EQ(1, file);   // after the hidden icon
    ASSERT_EQ(4, help);
    EXPECT_EQ(CUXMenuBar::kIdle, Bar().GetMode());
    EXPECT_EQ(nullptr, ::GetMenu(frame->m_hWnd));   // the bar shows the menu now

    // Alt pressed and released alone selects the first entry; again, nothing.
    Tap(VK_MENU);
    EXPECT_EQ(CUXMenuBar::kKeyboard, Bar().GetMode());
    EXPECT_EQ(file, Bar().GetHotItem());
    EXPECT_TRUE(Bar().ShowsMnemonics());
    Tap(VK_MENU);
    EXPECT_EQ(CUXMenuBar::kIdle, Bar().GetMode());
    EXPECT_EQ(-1, Bar().GetHotItem());

    // Alt with another key in between selects nothing when it goes up.
    EXPECT_TRUE(Key(WM_SYSKEYDOWN, VK_MENU, kAltHeld));
    EXPECT_FALSE(Key(WM_SYSKEYDOWN, 'Q', kAltHeld));
    EXPECT_TRUE(Key(WM_SYSKEYUP, VK_MENU, kAltHeld));
    EXPECT_EQ(CUXMenuBar::kIdle, Bar().GetMode());

    // F10 enters the keyboard mode too; Left from the first entry goes to the last, Right back again.
    Tap(VK_F10);
    EXPECT_EQ(CUXMenuBar::kKeyboard, Bar().GetMode());
    EXPECT_EQ(file, Bar().GetHotItem());
    EXPECT_TRUE(Key(WM_KEYDOWN, VK_LEFT));
    EXPECT_EQ(help, Bar().GetHotItem());
    EXPECT_TRUE(Key(WM_KEYDOWN, VK_RIGHT));
    EXPECT_EQ(file, Bar().GetHotItem());
    EXPECT_TRUE(Key(WM_KEYDOWN, VK_RIGHT));
    EXPECT_EQ(Entry("&Edit"), Bar().GetHotItem());
    // Other function keys stay the program's.
    EXPECT_FALSE(Key(WM_KEYDOWN, VK_F5));

    // A letter no entry underlines: a beep in the keyboard mode, and only there.
    EXPECT_TRUE(Key(WM_KEYDOWN, 'Q'));
    EXPECT_EQ(1, Bar().beeps);
    EXPECT_FALSE(Key(WM_SYSKEYDOWN, 'Q', kAltHeld));
    EXPECT_TRUE(Key(WM_KEYDOWN, VK_ESCAPE));
    EXPECT_EQ(CUXMenuBar::kIdle, Bar().GetMode());
    EXPECT_EQ(-1, Bar().GetHotItem());
    EXPECT_FALSE(Key(WM_KEYDOWN, 'Q'));
    EXPECT_FALSE(Key(WM_SYSKEYDOWN, 'Q', kAltHeld));
    EXPECT_FALSE(Key(WM_KEYDOWN, 'E'));   // without Alt outside the mode: the program's
    EXPECT_EQ(1, Bar().beeps);

    // From the keyboard itself, through the frame's translation: Alt alone selects, Right moves on, Enter opens
    // the pop-up (Escape there closes it and keeps the selection), Escape leaves.
    frame->SetForegroundWindow();
    frame->SetFocus();
    Pump();
    CMessageSequence seq({WM_SYSKEYDOWN, WM_SYSKEYUP, WM_KEYDOWN, WM_PAINT, WM_ENTERMENULOOP, WM_INITMENU,
                          WM_INITMENUPOPUP, WM_UNINITMENUPOPUP, WM_EXITMENULOOP});
    seq.Watch(frame->m_hWnd, "frame");
    seq.Watch(frame->m_hWndMDIClient, "focus");
    seq.Watch(Bar().m_hWnd, "bar");
    int opened = -1;
    frame->menuSteps = {[&](HWND menu)
                        {
                            opened = Bar().GetTrackedItem();
                            ::PostMessageA(menu, WM_KEYDOWN, VK_ESCAPE, 0);
                            return TRUE;
                        }};
    auto press = [](UINT vk)
    {
        VxInput::Key(vk, true);
        VxInput::Key(vk, false);
        Pump();
    };
    seq.Start();
    press(VK_MENU);
    EXPECT_EQ(CUXMenuBar::kKeyboard, Bar().GetMode());
    EXPECT_EQ(file, Bar().GetHotItem());
    press(VK_RIGHT);
    EXPECT_EQ(Entry("&Edit"), Bar().GetHotItem());
    press(VK_RETURN);
    EXPECT_EQ(Entry("&Edit"), opened);
    EXPECT_EQ(CUXMenuBar::kKeyboard, Bar().GetMode());
    EXPECT_EQ(Entry("&Edit"), Bar().GetHotItem());
    press(VK_ESCAPE);
    seq.Stop();
    EXPECT_EQ(CUXMenuBar::kIdle, Bar().GetMode());
    // Each change of the selection is drawn before the next key. The bar shows the entry open before the menu
    // loop starts, selects the pop-up's first entry through a key of its own, and draws the entry closed again
    // once the loop has ended.
    using M = VxExpectedMessage;
    EXPECT_TRUE(seq.Matches({
        {"focus", WM_SYSKEYDOWN, M::checkWParam | M::posted, VK_MENU},
        {"focus", WM_SYSKEYUP, M::checkWParam | M::posted, VK_MENU},
        {"bar", WM_PAINT},
        {"focus", WM_KEYDOWN, M::checkWParam | M::posted, VK_RIGHT},
        {"bar", WM_PAINT},
        {"focus", WM_KEYDOWN, M::checkWParam | M::posted, VK_RETURN},
        {"bar", WM_PAINT},
        {"frame", WM_ENTERMENULOOP},
        {"frame", WM_INITMENU},
        {"frame", WM_INITMENUPOPUP},
        {"frame", WM_KEYDOWN, M::checkWParam | M::posted, VK_DOWN},
        {"frame", WM_UNINITMENUPOPUP},
        {"frame", WM_EXITMENULOOP},
        {"bar", WM_PAINT},
        {"focus", WM_KEYDOWN, M::checkWParam | M::posted, VK_ESCAPE},
        {"bar", WM_PAINT},
    }));

    // A click elsewhere ends the keyboard mode.
    Tap(VK_MENU);
    MSG click = Message(frame->m_hWndMDIClient, WM_LBUTTONDOWN, MK_LBUTTON);
    EXPECT_FALSE(Bar().PreTranslateFrameMessage(&click));
    EXPECT_EQ(CUXMenuBar::kIdle, Bar().GetMode());
}

TEST_F(MenuBarTest, PopupsFollowTheKeysAndTheMouseWithTheFilterOnlyWhileOpen)
{
    const int file = Entry("&File");
    const int edit = Entry("&Edit");
    const int help = Entry("&Help");
    EXPECT_FALSE(CUXMenuBar::IsMenuFilterInstalled());

    // Alt+E opens Edit. Right goes on to Window, Left back to Edit and on to File; Escape closes it and
    // leaves File selected in the keyboard mode.
    std::vector<std::pair<int, std::vector<std::string>>> seen;
    auto look = [&](UINT nextKey)
    {
        return [&, nextKey](HWND menu)
        {
            seen.push_back({Bar().GetTrackedItem(), MenuTexts(MenuOf(menu))});
            EXPECT_TRUE(CUXMenuBar::IsMenuFilterInstalled());
            EXPECT_EQ(CUXMenuBar::kTracking, Bar().GetMode());
            ::PostMessageA(menu, WM_KEYDOWN, nextKey, 0);
            return TRUE;
        };
    };
    frame->menuSteps = {look(VK_RIGHT), look(VK_LEFT), look(VK_LEFT), look(VK_ESCAPE)};
    EXPECT_TRUE(Key(WM_SYSKEYDOWN, 'E', kAltHeld));
    ASSERT_EQ(4u, seen.size());
    EXPECT_EQ(edit, seen[0].first);
    EXPECT_EQ((std::vector<std::string>{"Cu&t", "&Paste"}), seen[0].second);
    EXPECT_EQ(Entry("&Window"), seen[1].first);
    EXPECT_EQ(edit, seen[2].first);
    EXPECT_EQ(file, seen[3].first);
    EXPECT_EQ("&New\tCtrl+N", seen[3].second.front());
    EXPECT_FALSE(CUXMenuBar::IsMenuFilterInstalled());
    EXPECT_EQ(CUXMenuBar::kKeyboard, Bar().GetMode());
    EXPECT_EQ(file, Bar().GetHotItem());

    // Left from the first entry while its pop-up is open goes to the last; a command chosen there runs.
    seen.clear();
    frame->menuSteps = {look(VK_LEFT), [&](HWND menu)
                        {
                            seen.push_back({Bar().GetTrackedItem(), MenuTexts(MenuOf(menu))});
                            ::PostMessageA(menu, WM_KEYDOWN, VK_RETURN, 0);
                            return TRUE;
                        }};
    EXPECT_TRUE(Key(WM_KEYDOWN, VK_DOWN));
    Pump();
    ASSERT_EQ(2u, seen.size());
    EXPECT_EQ(file, seen[0].first);
    EXPECT_EQ(help, seen[1].first);
    EXPECT_EQ((std::vector<UINT>{ID_MT_ABOUT}), frame->commands);
    EXPECT_EQ(CUXMenuBar::kIdle, Bar().GetMode());
    EXPECT_FALSE(CUXMenuBar::IsMenuFilterInstalled());

    // The mouse: a click opens File, moving over Help opens Help, a click on Help again closes it.
    seen.clear();
    frame->SetForegroundWindow();
    CPoint helpPoint = ScreenCenter(help);
    frame->menuSteps = {[&](HWND menu)
                        {
                            seen.push_back({Bar().GetTrackedItem(), MenuTexts(MenuOf(menu))});
                            VxInput::MoveTo(helpPoint);
                            return TRUE;
                        },
                        [&](HWND menu)
                        {
                            if (Bar().GetTrackedItem() != help)
                                return FALSE;
                            seen.push_back({Bar().GetTrackedItem(), MenuTexts(MenuOf(menu))});
                            VxInput::Press(helpPoint);
                            VxInput::Release(helpPoint);
                            return TRUE;
                        }};
    CPoint filePoint = ScreenCenter(file);
    VxInput::MoveTo(filePoint);
    VxInput::Press(filePoint);
    VxInput::Release(filePoint);
    Pump();
    ASSERT_EQ(2u, seen.size());
    EXPECT_EQ(file, seen[0].first);
    EXPECT_EQ(help, seen[1].first);
    EXPECT_EQ((std::vector<std::string>{"&About"}), seen[1].second);
    EXPECT_EQ(-1, Bar().GetTrackedItem());
    EXPECT_FALSE(CUXMenuBar::IsMenuFilterInstalled());
    EXPECT_EQ((std::vector<UINT>{ID_MT_ABOUT}), frame->commands);
}

TEST_F(MenuBarTest, WindowMenuListsNineChildrenAndTheActiveOne)
{
    std::vector<CMDIChildWnd*> children;
    for (int i = 1; i <= 11; ++i)
    {
        CMDIChildWnd* child = NewChild(("Child " + std::to_string(i)).c_str());
        ASSERT_NE(nullptr, child);
        children.push_back(child);
    }
    std::vector<std::string> texts;
    UINT checked = 0;
    frame->menuSteps = {[&](HWND menu)
                        {
                            HMENU popup = MenuOf(menu);
                            texts = MenuTexts(popup);
                            for (int i = 0; i < ::GetMenuItemCount(popup); ++i)
                                if (::GetMenuState(popup, static_cast<UINT>(i), MF_BYPOSITION) & MF_CHECKED)
                                    checked = ::GetMenuItemID(popup, i);
                            ::EndMenu();
                            return TRUE;
                        }};
    Bar().TrackPopup(Entry("&Window"));
    std::vector<std::string> expected = {"&Cascade", "&Tile", "-"};
    for (int i = 1; i <= 8; ++i)
        expected.push_back("&" + std::to_string(i) + "  Child " + std::to_string(i));
    expected.insert(expected.end(), {"&11  Child 11", "-", "More Windows..."});
    EXPECT_EQ(expected, texts);
    EXPECT_EQ(static_cast<UINT>(children[10]->GetDlgCtrlID()), checked);

    // With an early child active, the first nine are listed; choosing one activates it.
    children[1]->MDIActivate();
    Pump();
    frame->menuSteps = {[&](HWND menu)
                        {
                            texts = MenuTexts(MenuOf(menu));
                            ::PostMessageA(menu, WM_KEYDOWN, VK_UP, 0);   // to "More Windows..."
                            ::PostMessageA(menu, WM_KEYDOWN, VK_UP, 0);   // to the ninth child
                            ::PostMessageA(menu, WM_KEYDOWN, VK_RETURN, 0);
                            return TRUE;
                        }};
    Bar().TrackPopup(Entry("&Window"));
    Pump();
    ASSERT_EQ(14u, texts.size());
    EXPECT_EQ("&9  Child 9", texts[11]);
    EXPECT_EQ(children[8]->m_hWnd, Bar().GetActiveMDIChild());
}

TEST_F(MenuBarTest, MaximizedChildShowsItsIconAndButtons)
{
    const int before = VisibleItems();
    EXPECT_EQ(4, before);   // four entries and nothing else
    CMDIChildWnd* child = NewChild("Picture");
    ASSERT_NE(nullptr, child);
    CUXIconHolder icon(MakeTestIcon(::GetSystemMetrics(SM_CXSMICON), RGB(255, 0, 0)));
    child->SetIcon(icon, FALSE);
    Pump();
    EXPECT_FALSE(Bar().IsChildMaximized());
    EXPECT_EQ(before, VisibleItems());

    child->MDIMaximize();
    Pump();
    EXPECT_TRUE(Bar().IsChildMaximized());
    EXPECT_EQ(before + 4, VisibleItems());
    CRect bar;
    Bar().GetClientRect(&bar);
    CUXMenuBarItem* close = Bar().GetItem(Bar().GetItemCount() - 1);
    EXPECT_GE(close->GetRect().right, bar.right - 4);   // the buttons sit at the right end
    EXPECT_LT(Bar().GetItem(0)->GetRect().right, Bar().GetItem(1)->GetRect().left + 1);
    Bar().RedrawWindow();
    CPoint iconCenter = ScreenCenter(0);
    EXPECT_EQ(RGB(255, 0, 0), ScreenPixel(iconCenter.x, iconCenter.y));

    // Restore through its button: the items go.
    CUXMenuBarItem* restore = Bar().GetItem(Bar().GetItemCount() - 2);
    CPoint at = restore->GetRect().CenterPoint();
    Bar().SendMessage(WM_LBUTTONDOWN, MK_LBUTTON, MAKELPARAM(at.x, at.y));
    Bar().SendMessage(WM_LBUTTONUP, 0, MAKELPARAM(at.x, at.y));
    Pump();
    EXPECT_FALSE(child->IsZoomed());
    EXPECT_FALSE(Bar().IsChildMaximized());
    EXPECT_EQ(before, VisibleItems());

    // A child without the boxes: its minimize and restore buttons ignore clicks; close works.
    CMDIChildWnd* plain = NewChild("Plain", WS_CHILD | WS_VISIBLE | WS_CAPTION | WS_SYSMENU | WS_THICKFRAME);
    ASSERT_NE(nullptr, plain);
    plain->MDIMaximize();
    Pump();
    ASSERT_TRUE(Bar().IsChildMaximized());
    for (int button : {Bar().GetItemCount() - 3, Bar().GetItemCount() - 2})
    {
        at = Bar().GetItem(button)->GetRect().CenterPoint();
        Bar().SendMessage(WM_LBUTTONDOWN, MK_LBUTTON, MAKELPARAM(at.x, at.y));
        Bar().SendMessage(WM_LBUTTONUP, 0, MAKELPARAM(at.x, at.y));
        Pump();
        EXPECT_TRUE(plain->IsZoomed());
    }
    HWND plainWindow = plain->m_hWnd;
    at = Bar().GetItem(Bar().GetItemCount() - 1)->GetRect().CenterPoint();
    Bar().SendMessage(WM_LBUTTONDOWN, MK_LBUTTON, MAKELPARAM(at.x, at.y));
    Bar().SendMessage(WM_LBUTTONUP, 0, MAKELPARAM(at.x, at.y));
    Pump();
    EXPECT_FALSE(::IsWindow(plainWindow));

    // A maximized child without a system menu counts as not maximized.
    CMDIChildWnd* bare = NewChild("Bare", WS_CHILD | WS_VISIBLE | WS_CAPTION | WS_THICKFRAME | WS_MAXIMIZEBOX);
    ASSERT_NE(nullptr, bare);
    bare->MDIMaximize();
    Pump();
    EXPECT_TRUE(bare->IsZoomed());
    EXPECT_FALSE(Bar().IsChildMaximized());
    EXPECT_EQ(before, VisibleItems());
}

TEST_F(MenuBarTest, ToolsPopupJoinsEachMenuOnceAndOutlivesIt)
{
    CUXToolsManager& tools = GetToolsManager();
    tools.RemoveAll();
    tools.SetEnabled(TRUE);
    tools.SetMenuPositions(2, 99);
    CUXToolRecord site = {};
    std::strcpy(site.m_szMenuText, "&Site");
    std::strcpy(site.m_szCommand, "http://www.example.com/");
    ASSERT_TRUE(tools.AddTool(site));

    Bar().LoadMenuItems(nullptr, nullptr);
    Bar().LoadMenuItems(nullptr, nullptr);
    EXPECT_EQ((std::vector<std::string>{"&File", "&Edit", "&Tools", "&Window", "&Help"}), EntryTexts());
    std::vector<std::string> texts;
    frame->menuSteps = {[&](HWND menu)
                        {
                            texts = MenuTexts(MenuOf(menu));
                            ::EndMenu();
                            return TRUE;
                        }};
    Bar().TrackPopup(Entry("&Tools"));
    EXPECT_EQ((std::vector<std::string>{"&Site", "-", "Customize..."}), texts);

    // A document's menu: a position past its end puts the pop-up first. The menu may go once the bar has
    // left it; the pop-up stays.
    HMENU document = ::CreateMenu();
    ::AppendMenuA(document, MF_POPUP, reinterpret_cast<UINT_PTR>(::CreatePopupMenu()), "&Doc");
    Bar().LoadMenuItems(document, nullptr);
    EXPECT_EQ((std::vector<std::string>{"&Tools", "&Doc"}), EntryTexts());
    Bar().LoadMenuItems(nullptr, nullptr);
    ::DestroyMenu(document);
    EXPECT_TRUE(::IsMenu(tools.GetMenu()));
    EXPECT_EQ((std::vector<std::string>{"&File", "&Edit", "&Tools", "&Window", "&Help"}), EntryTexts());

    // The frame goes with its menu; the pop-up stays the manager's.
    CloseFrame();
    EXPECT_TRUE(::IsMenu(tools.GetMenu()));
    tools.SetEnabled(FALSE);
    tools.RemoveAll();
    tools.SetMenuPositions(0, 0);
}

TEST_F(MenuBarTest, ItsMenusAreCommandCategoriesAndItsSubMenusAreFoundByTheirKey)
{
    CUXCustomizeCenter& center = GetCustomizeCenter();
    auto categoriesOffered = [&]()
    {
        std::vector<std::pair<std::string, int>> names;
        CUXCommandCategories categories;
        center.CollectCommandCategories(categories);
        for (const std::unique_ptr<CUXCommandCategory>& category : categories)
            names.emplace_back(category->m_strName.GetString(), category->m_nOrderKey);
        return names;
    };
    // From its creation: one category per entry, after the bars' own; a command per item, a sub-menu by its key.
    EXPECT_EQ((std::vector<std::pair<std::string, int>>{
                  {"File", 1000}, {"Edit", 1001}, {"Window", 1002}, {"Help", 1003}}),
              categoriesOffered());
    CUXCommandCategories categories;
    center.CollectCommandCategories(categories);
    ASSERT_FALSE(categories.empty());
    const CUXCommandCategory* file = categories[0].get();
    std::vector<std::pair<std::string, int>> commands;
    for (const std::unique_ptr<CUXCommandRecord>& record : file->m_commands)
        commands.emplace_back(record->m_strText.GetString(), record->m_nID);
    EXPECT_EQ((std::vector<std::pair<std::string, int>>{{"New", ID_MT_NEW},
                                                        {"Open...", ID_MT_OPEN},
                                                        {"Save", ID_MT_SAVE},
                                                        {"Recent", 0},
                                                        {"Recent file", ID_FILE_MRU_FILE1},
                                                        {"Exit", ID_MT_EXIT}}),
              commands);
    // The key: the checksum of the entry's and the item's texts as stored, each followed by four zeros.
    const char bytes[] = "&File\0\0\0\0&Recent\0\0\0";
    DWORD key = CUXCrc32::Compute(bytes, sizeof(bytes));
    ASSERT_GT(file->m_commands.size(), 3u);
    EXPECT_EQ(static_cast<int>(key), file->m_commands[3]->m_nOwnerValue);

    // The bar finds the sub-menu by that key (all of its 32 bits) for the customize centre, and nothing by
    // another, while it offers its commands or is customizable.
    ASSERT_GT(key, 0xFFFFu);
    HMENU recent = ::GetSubMenu(::GetSubMenu(Bar().GetCurrentMenu(), 0), 4);
    ASSERT_NE(nullptr, recent);
    EXPECT_EQ(recent, center.FindCommandPopup(key));
    EXPECT_EQ(nullptr, center.FindCommandPopup(key & 0xFFFF));
    Bar().SetCustomizable(TRUE);
    Bar().OfferCommands(FALSE);
    EXPECT_TRUE(categoriesOffered().empty());
    EXPECT_EQ(recent, center.FindCommandPopup(key));

    // Unregistered, the bar neither offers categories nor finds sub-menus.
    Bar().SetCustomizable(FALSE);
    EXPECT_EQ(nullptr, center.FindCommandPopup(key));
}
