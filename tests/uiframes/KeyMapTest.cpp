// Keyboard shortcuts: key names, the stored table and the keyboard page.
#include "MenuTestFrame.h"
#include "framework/core/MessageBox.h"
#include "support/win_SystemInput.h"
#include "uilib/frames/CustAccelerators.h"

#include "UilibResources.h"

#include <cstdlib>

namespace
{

std::vector<BYTE> Records(const std::vector<CUXStoredAccel>& records)
{
    const BYTE* bytes = reinterpret_cast<const BYTE*>(records.data());
    return std::vector<BYTE>(bytes, bytes + records.size() * sizeof(CUXStoredAccel));
}

// The frame's accelerator table as it stands.
std::vector<ACCEL> FrameTable(CFrameWnd* frame)
{
    std::vector<ACCEL> table;
    if (frame->m_hAccelTable == nullptr)
        return table;
    table.resize(static_cast<size_t>(::CopyAcceleratorTableA(frame->m_hAccelTable, nullptr, 0)));
    ::CopyAcceleratorTableA(frame->m_hAccelTable, table.data(), static_cast<int>(table.size()));
    return table;
}

bool HasShortcut(const std::vector<ACCEL>& table, BYTE modifiers, WORD key, WORD command)
{
    for (const ACCEL& accel : table)
        if ((accel.fVirt & CUXKeyMapManager::kModifierMask) == modifiers && accel.key == key &&
            accel.cmd == command)
            return true;
    return false;
}

std::vector<std::string> ListTexts(CListBox& list)
{
    std::vector<std::string> texts;
    for (int i = 0; i < list.GetCount(); ++i)
    {
        CString text;
        list.GetText(i, text);
        texts.push_back(text.GetString());
    }
    return texts;
}

const BYTE kShiftCtrl = FSHIFT | FCONTROL;

const BYTE kTyped = FVIRTKEY | FNOINVERT;

}   // namespace

TEST(KeyNames, ReadAsListed)
{
    int named = 0;
    for (WORD key = 0; key < 256; ++key)
        named += CUXKeyMapManager::GetKeyName(key).IsEmpty() ? 0 : 1;
    EXPECT_EQ(108, named);
    const std::pair<WORD, const char*> samples[] = {
        {0x01, "Left Button"},
        {0x08, "Back"},
        {0x0D, "Enter"},
        {0x14, "Caps Lock"},
        {0x1B, "Esc"},
        {0x21, "Page Up"},
        {0x25, "Left Arrow"},
        {0x2C, "Snapshot"},
        {0x2D, "Ins"},
        {0x5C, "Right Windows"},
        {0x5D, "Application"},
        {0x60, "Num 0"},
        {0x69, "Num 9"},
        {0x6A, "Num *"},
        {0x6C, "Separator"},
        {0x6F, "Num /"},
        {0x70, "F1"},
        {0x7B, "F12"},
        {0x90, "Num Lock"},
        {0x91, "Scrl Lock"},
        {0xF6, "Attn"},
        {0xFC, "No Name"},
        {0xFE, "Oem Clear"},
        {'0', "0"},
        {'7', "7"},
        {'A', "A"},
        {'Z', "Z"},
        {0x7C, ""},
        {0x3A, ""},
        {0xFF, ""},
    };
    for (const auto& sample : samples)
        EXPECT_STREQ(sample.second, CUXKeyMapManager::GetKeyName(sample.first).GetString()) << sample.first;

    EXPECT_STREQ("Shift+Ctrl+F5",
                 CUXKeyMapManager::FormatShortcut({kTyped | FCONTROL | FSHIFT, VK_F5, 1}).GetString());
    EXPECT_STREQ("Shift+Ctrl+Alt+Del",
                 CUXKeyMapManager::FormatShortcut({kTyped | FALT | FCONTROL | FSHIFT, VK_DELETE, 1}).GetString());
    EXPECT_STREQ("Ctrl+", CUXKeyMapManager::FormatShortcut({kTyped | FCONTROL, 0x7C, 1}).GetString());
    EXPECT_STREQ("", CUXKeyMapManager::FormatShortcut({kTyped | FCONTROL, 0, 1}).GetString());
    EXPECT_STREQ("Save As", CUXKeyMapManager::CleanMenuText("Save &As\tCtrl+Shift+S").GetString());
}

TEST_F(MenuTest, StoredShortcutsLoadOnlyWhenWhollyValid)
{
    CUXKeyMapManager& manager = GetKeyMapManager();
    // Three whole records replace the frame's own shortcut.
    WriteSetting("Accelerators", Records({{kTyped | FCONTROL, 0, 'K', ID_MT_OPEN},
                                          {kTyped | FALT, 0, VK_F2, ID_MT_SAVE},
                                          {kTyped, 0, VK_F9, ID_MT_NEW}}));
    ASSERT_TRUE(manager.Enable(frame));
    EXPECT_EQ(3, manager.GetShortcutCount());
    std::vector<ACCEL> table = FrameTable(frame);
    EXPECT_EQ(3u, table.size());
    EXPECT_TRUE(HasShortcut(table, FALT, VK_F2, ID_MT_SAVE));
    EXPECT_FALSE(HasShortcut(table, FCONTROL, 'N', ID_MT_NEW));
    // The same from the frame's own OnCreate: the stored table stays the frame's once it is made, and the
    // frame's own table is the default.
    CloseFrame();
    CMenuTestFrame::s_keysInCreate = true;
    OpenFrame();
    table = FrameTable(frame);
    EXPECT_EQ(3u, table.size());
    EXPECT_TRUE(HasShortcut(table, FALT, VK_F2, ID_MT_SAVE));
    ASSERT_TRUE(manager.ResetToDefault());
    EXPECT_TRUE(HasShortcut(FrameTable(frame), FCONTROL, 'N', ID_MT_NEW));
    CMenuTestFrame::s_keysInCreate = false;

    // A missing value: nothing loads.
    ::RegDeleteKeyValueA(HKEY_CURRENT_USER, kSettingsKey, "Accelerators");
    EXPECT_FALSE(manager.Load());
    EXPECT_EQ(0, manager.GetShortcutCount());

    // Damaged values leave the frame's own table in force: a partial record, no key, a key beyond the
    // virtual keys, no command, unknown flag bits.
    std::vector<std::vector<BYTE>> damaged;
    std::vector<BYTE> partial = Records({{kTyped, 0, VK_F3, ID_MT_OPEN}, {kTyped, 0, VK_F4, ID_MT_SAVE}});
    partial.pop_back();
    damaged.push_back(partial);
    damaged.push_back(Records({{kTyped, 0, VK_F3, ID_MT_OPEN}, {kTyped, 0, 0, ID_MT_SAVE}}));
    damaged.push_back(Records({{kTyped, 0, 0x1F4, ID_MT_OPEN}}));
    damaged.push_back(Records({{kTyped, 0, VK_F3, 0}}));
    damaged.push_back(Records({{kTyped | 0x80, 0, VK_F3, ID_MT_OPEN}}));
    for (const std::vector<BYTE>& value : damaged)
    {
        CloseFrame();
        OpenFrame();
        WriteSetting("Accelerators", value);
        ASSERT_TRUE(manager.Enable(frame));
        table = FrameTable(frame);
        ASSERT_EQ(1u, table.size());
        EXPECT_TRUE(HasShortcut(table, FCONTROL, 'N', ID_MT_NEW));
        EXPECT_EQ(1, manager.GetShortcutCount());
    }

    // Every shortcut removed and committed: the next frame starts with none, not with its own table.
    CloseFrame();
    OpenFrame();
    ::RegDeleteKeyValueA(HKEY_CURRENT_USER, kSettingsKey, "Accelerators");
    ASSERT_TRUE(manager.Enable(frame));
    ASSERT_TRUE(manager.RemoveShortcut(FCONTROL, 'N'));
    ASSERT_TRUE(manager.Apply());
    ASSERT_TRUE(manager.Commit(TRUE));
    std::vector<BYTE> stored = {1};
    ASSERT_TRUE(ReadSetting("Accelerators", stored));
    EXPECT_TRUE(stored.empty());
    CloseFrame();
    OpenFrame();
    ASSERT_TRUE(manager.Enable(frame));
    EXPECT_EQ(0, manager.GetShortcutCount());
    EXPECT_TRUE(FrameTable(frame).empty());
}

TEST_F(MenuTest, CommandCatalogueFollowsTheMenu)
{
    CUXKeyMapManager& manager = GetKeyMapManager();
    ASSERT_TRUE(manager.Enable(frame));
    manager.AddExtraCommand("edit", "Hidden one", ID_MT_HIDDEN);
    manager.AddExtraCommand("Nowhere", "Lost", ID_MT_HIDDEN + 1);
    manager.AddAlternativeName(ID_MT_PASTE, "Paste plain");
    manager.AddAlternativeName(ID_MT_PASTE, "Paste special");
    manager.ExcludeCommand(ID_MT_EXIT);
    manager.RebuildCommandMap();

    std::vector<std::string> names;
    for (const CUXKeyMapManager::Category& category : manager.GetCategories())
        names.push_back(category.name.GetString());
    EXPECT_EQ((std::vector<std::string>{"File", "File | Recent", "Edit", "Window", "Help"}), names);

    CString text;
    ASSERT_TRUE(manager.FindDescription(ID_MT_CLEAR, text));
    EXPECT_STREQ("File\\Recent\\Clear list", text.GetString());
    ASSERT_TRUE(manager.FindDescription(ID_MT_OPEN, text));
    EXPECT_STREQ("File\\Open...", text.GetString());
    ASSERT_TRUE(manager.FindDescription(ID_MT_PASTE, text));
    EXPECT_STREQ("Edit\\Paste plain", text.GetString());
    ASSERT_TRUE(manager.FindDescription(ID_MT_HIDDEN, text));
    EXPECT_STREQ("Edit\\Hidden one", text.GetString());
    EXPECT_STREQ("Edit", manager.GetCommandCategory(ID_MT_HIDDEN).GetString());
    EXPECT_FALSE(manager.FindDescription(ID_MT_HIDDEN + 1, text));
    EXPECT_FALSE(manager.FindDescription(ID_MT_EXIT, text));
    EXPECT_STREQ("File", manager.GetCommandCategory(ID_MT_CLEAR).GetString());
}

TEST_F(MenuTest, ShortcutAssignedOnKeyboardPageIsStoredAndShown)
{
    CUXKeyMapManager& manager = GetKeyMapManager();
    ASSERT_TRUE(manager.Enable(frame));
    // A document window listed in the window menu once it was open: its entry is no command to give a key.
    CMDIChildWnd* child = new CMDIChildWnd;
    ASSERT_TRUE(child->Create(nullptr, "Document 1", WS_CHILD | WS_VISIBLE | WS_OVERLAPPEDWINDOW,
                              CFrameWnd::rectDefault, frame));
    frame->menuSteps.push_back(
        [](HWND)
        {
            ::EndMenu();
            return TRUE;
        });
    frame->m_menuBar.TrackPopup(3);   // "Window"
    Pump();

    CPropertySheet sheet("Customize", frame);
    CUXCustAccelerators page;
    sheet.AddPage(&page);
    ASSERT_TRUE(sheet.Create(frame));
    Pump();
    ASSERT_GE(page.GetCategoryCombo().GetCount(), 1);
    EXPECT_EQ(0, page.GetCategoryCombo().GetCurSel());   // "File"
    EXPECT_EQ((std::vector<std::string>{"New", "Open...", "Save", "Exit"}), ListTexts(page.GetCommandList()));
    EXPECT_EQ(0, page.GetCommandList().GetCurSel());
    EXPECT_EQ((std::vector<std::string>{"Ctrl+N"}), ListTexts(page.GetAssignmentList()));
    CString description;
    page.GetDlgItemText(IDC_UX_KB_DESCRIPTION, description);
    EXPECT_STREQ("Makes a new file", description.GetString());
    page.GetCategoryCombo().SelectString(-1, "Window");
    page.SendMessage(WM_COMMAND, MAKEWPARAM(IDC_UX_KB_CATEGORY, CBN_SELCHANGE),
                     reinterpret_cast<LPARAM>(page.GetCategoryCombo().m_hWnd));
    EXPECT_EQ((std::vector<std::string>{"Cascade", "Tile", "More Windows..."}), ListTexts(page.GetCommandList()));
    page.GetCategoryCombo().SetCurSel(0);
    page.SendMessage(WM_COMMAND, MAKEWPARAM(IDC_UX_KB_CATEGORY, CBN_SELCHANGE),
                     reinterpret_cast<LPARAM>(page.GetCategoryCombo().m_hWnd));
    // Every label shows whole on one line.
    for (UINT label : {IDC_UX_KB_ASSIGNMENTS_LABEL, IDC_UX_KB_HOTKEY_LABEL, IDC_UX_KB_DESCRIPTION_LABEL})
    {
        CWnd* control = page.GetDlgItem(label);
        ASSERT_NE(nullptr, control);
        CString text;
        control->GetWindowText(text);
        CClientDC dc(control);
        CFont* old = dc.SelectObject(control->GetFont());
        CSize extent = dc.GetTextExtent(text);
        dc.SelectObject(old);
        CRect client;
        control->GetClientRect(&client);
        EXPECT_LE(extent.cx, client.Width()) << text.GetString();
    }

    // Ctrl, then Shift, then F5 in the hot-key edit.
    CUXHotKeyEdit& edit = page.GetHotKeyEdit();
    edit.SetFocus();
    CWnd* assign = page.GetDlgItem(IDC_UX_KB_ASSIGN);
    EXPECT_FALSE(assign->IsWindowEnabled());
    auto press = [&](std::initializer_list<UINT> keys)
    {
        for (UINT vk : keys)
            edit.PostMessage(WM_KEYDOWN, vk, 0);
        Pump();
    };
    press({VK_CONTROL, VK_SHIFT, VK_F5});
    CString shown;
    edit.GetWindowText(shown);
    EXPECT_STREQ("Ctrl+Shift+F5", shown.GetString());
    EXPECT_TRUE(assign->IsWindowEnabled());
    page.SendMessage(WM_COMMAND, MAKEWPARAM(IDC_UX_KB_ASSIGN, BN_CLICKED),
                     reinterpret_cast<LPARAM>(assign->m_hWnd));
    EXPECT_EQ((std::vector<std::string>{"Ctrl+N", "Shift+Ctrl+F5"}), ListTexts(page.GetAssignmentList()));
    edit.GetWindowText(shown);
    EXPECT_STREQ("", shown.GetString());
    EXPECT_FALSE(assign->IsWindowEnabled());

    // Ctrl+N for Open: it belongs to New. No keeps everything, Yes moves it.
    std::string question;
    for (UINT answer : {IDNO, IDYES})
    {
        page.GetCommandList().SetCurSel(1);
        page.SendMessage(WM_COMMAND, MAKEWPARAM(IDC_UX_KB_COMMANDS, LBN_SELCHANGE),
                         reinterpret_cast<LPARAM>(page.GetCommandList().m_hWnd));
        press({VK_CONTROL, 'N'});
        CMessageBoxRecorder boxes(static_cast<int>(answer));
        page.SendMessage(WM_COMMAND, MAKEWPARAM(IDC_UX_KB_ASSIGN, BN_CLICKED),
                         reinterpret_cast<LPARAM>(assign->m_hWnd));
        ASSERT_EQ(1u, boxes.Count());
        EXPECT_EQ(static_cast<unsigned>(MB_YESNO | MB_ICONEXCLAMATION), boxes.Records()[0].type);
        question = boxes.LastText();
        UINT holder = 0;
        ASSERT_TRUE(manager.FindShortcut(FCONTROL, 'N', &holder));
        EXPECT_EQ(answer == IDYES ? ID_MT_OPEN : ID_MT_NEW, holder);
        EXPECT_EQ(answer == IDYES ? std::vector<std::string>{"Ctrl+N"} : std::vector<std::string>{},
                  ListTexts(page.GetAssignmentList()));
    }
    EXPECT_EQ("This shortcut is currently assigned to the command: File\\New\n\nDo you want to re-assign this "
              "shortcut?",
              question);
    EXPECT_EQ(2, manager.GetShortcutCount());

    // Removing Open's shortcut again.
    page.GetAssignmentList().SetCurSel(0);
    page.SendMessage(WM_COMMAND, MAKEWPARAM(IDC_UX_KB_ASSIGNMENTS, LBN_SELCHANGE),
                     reinterpret_cast<LPARAM>(page.GetAssignmentList().m_hWnd));
    CWnd* remove = page.GetDlgItem(IDC_UX_KB_REMOVE);
    EXPECT_TRUE(remove->IsWindowEnabled());
    page.SendMessage(WM_COMMAND, MAKEWPARAM(IDC_UX_KB_REMOVE, BN_CLICKED),
                     reinterpret_cast<LPARAM>(remove->m_hWnd));
    EXPECT_EQ(0, page.GetAssignmentList().GetCount());
    EXPECT_FALSE(manager.FindShortcut(FCONTROL, 'N'));

    // The page goes: the frame has the new table. Committing stores it.
    sheet.DestroyWindow();
    Pump();
    std::vector<ACCEL> table = FrameTable(frame);
    ASSERT_EQ(1u, table.size());
    EXPECT_TRUE(HasShortcut(table, kShiftCtrl, VK_F5, ID_MT_NEW));
    ASSERT_TRUE(manager.Commit(FALSE));
    std::vector<BYTE> stored;
    ASSERT_TRUE(ReadSetting("Accelerators", stored));
    EXPECT_EQ(Records({{kTyped | kShiftCtrl, 0, VK_F5, ID_MT_NEW}}), stored);

    // A new frame loads it: the key runs the command, the menu and the tool-bar tip show it.
    CloseFrame();
    OpenFrame();
    ASSERT_TRUE(manager.Enable(frame));
    EXPECT_TRUE(HasShortcut(FrameTable(frame), kShiftCtrl, VK_F5, ID_MT_NEW));
    ASSERT_EQ(frame->m_menuBar.GetCurrentMenu(), manager.GetFrameMenu());
    EXPECT_EQ((std::vector<std::string>{"&New\tShift+Ctrl+F5", "&Open..."}), FileMenuTexts(2));

    uxAfxData.m_bShortcutsInTips = TRUE;
    CRect button;
    frame->m_toolBar.GetItemRect(0, &button);
    TOOLINFOA info = {};
    info.cbSize = sizeof(info);
    EXPECT_EQ(static_cast<INT_PTR>(ID_MT_NEW), frame->m_toolBar.OnToolHitTest(button.CenterPoint(), &info));
    ASSERT_NE(nullptr, info.lpszText);
    EXPECT_STREQ("New (Shift+Ctrl+F5)", info.lpszText);
    std::free(info.lpszText);
    uxAfxData.m_bShortcutsInTips = FALSE;

    frame->SetForegroundWindow();
    frame->SetFocus();
    Pump();
    VxInput::Key(VK_SHIFT, true);
    VxInput::Key(VK_CONTROL, true);
    VxInput::Key(VK_F5, true);
    VxInput::Key(VK_F5, false);
    VxInput::Key(VK_CONTROL, false);
    VxInput::Key(VK_SHIFT, false);
    Pump();
    EXPECT_EQ((std::vector<UINT>{ID_MT_NEW}), frame->commands);

    // Resetting gives the frame its own table back; the next commit deletes the stored value.
    ASSERT_TRUE(manager.ResetToDefault());
    EXPECT_TRUE(HasShortcut(FrameTable(frame), FCONTROL, 'N', ID_MT_NEW));
    ASSERT_TRUE(manager.Commit(TRUE));
    EXPECT_FALSE(ReadSetting("Accelerators", stored));
    EXPECT_FALSE(manager.IsEnabled());
    ASSERT_TRUE(manager.Enable(frame));
    EXPECT_EQ((std::vector<std::string>{"&New\tCtrl+N"}), FileMenuTexts(1));
}
