// The library's edits: the context menu from the keyboard just inside the edit with its commands enabled by the
// selection, the clipboard and the text; browse buttons that fill the edit's rectangle and browse for a file or
// a folder; the in-place editor that tells its owner exactly once how it ended.
#include "uilib/core/dialogs/Edit.h"

#include "UilibTestSupport.h"
#include "resources/uilib/UilibResources.h"
#include "tests/support/win_DialogDriver.h"

#include <gtest/gtest.h>

#include <dlgs.h>

#include <map>
#include <string>

namespace
{

// The image a cool menu draws for the item at pos: -1 none, -2 when the item is not the library's.
int MenuItemImage(HMENU menu, int pos)
{
    MENUITEMINFOA info = {};
    info.cbSize = sizeof(info);
    info.fMask = MIIM_FTYPE | MIIM_DATA;
    if (!::GetMenuItemInfoA(menu, static_cast<UINT>(pos), TRUE, &info) || !(info.fType & MFT_OWNERDRAW) ||
        info.dwItemData == 0)
        return -2;
    return reinterpret_cast<const CUXMenuItemData*>(info.dwItemData)->m_nImage;
}

// Looks at the first pop-up menu that opens on this thread, from inside its loop, and closes it.
class MenuProbe
{
public:
    MenuProbe()
    {
        s_probe = this;
        m_hook = ::SetWindowsHookExA(WH_CBT, Hook, nullptr, ::GetCurrentThreadId());
        m_helper = ::CreateWindowExA(0, "STATIC", nullptr, 0, 0, 0, 0, 0, HWND_MESSAGE, nullptr, nullptr, nullptr);
        ::SetWindowLongPtrA(m_helper, GWLP_WNDPROC, reinterpret_cast<LONG_PTR>(HelperProc));
    }
    ~MenuProbe()
    {
        ::UnhookWindowsHookEx(m_hook);
        ::DestroyWindow(m_helper);
        s_probe = nullptr;
    }

    bool opened = false;
    CRect rect;
    std::map<UINT, bool> enabled;   // by command
    std::map<UINT, int> images;     // by command: the cool menu's image, -1 none, -2 not drawn by it

private:
    static LRESULT CALLBACK Hook(int code, WPARAM wParam, LPARAM lParam)
    {
        if (code == HCBT_CREATEWND && s_probe != nullptr && !s_probe->opened)
        {
            char name[16] = {};
            ::GetClassNameA(reinterpret_cast<HWND>(wParam), name, sizeof(name));
            if (lstrcmpA(name, "#32768") == 0)
            {
                s_probe->m_menuWnd = reinterpret_cast<HWND>(wParam);
                ::PostMessageA(s_probe->m_helper, WM_APP, 0, 0);
            }
        }
        return ::CallNextHookEx(nullptr, code, wParam, lParam);
    }
    static LRESULT CALLBACK HelperProc(HWND hWnd, UINT message, WPARAM wParam, LPARAM lParam)
    {
        if (message == WM_APP && s_probe != nullptr && !s_probe->opened)
        {
            MenuProbe& self = *s_probe;
            self.opened = true;
            ::GetWindowRect(self.m_menuWnd, &self.rect);
            HMENU menu = reinterpret_cast<HMENU>(::SendMessageA(self.m_menuWnd, MN_GETHMENU, 0, 0));
            for (int i = 0; i < ::GetMenuItemCount(menu); ++i)
            {
                UINT id = ::GetMenuItemID(menu, i);
                if (id != 0 && id != static_cast<UINT>(-1))
                    self.enabled[id] = !(::GetMenuState(menu, id, MF_BYCOMMAND) & (MF_GRAYED | MF_DISABLED));
                self.images[id] = MenuItemImage(menu, i);
            }
            ::EndMenu();
            return 0;
        }
        return ::DefWindowProcA(hWnd, message, wParam, lParam);
    }

    static MenuProbe* s_probe;
    HHOOK m_hook = nullptr;
    HWND m_helper = nullptr;
    HWND m_menuWnd = nullptr;
};
MenuProbe* MenuProbe::s_probe = nullptr;

void PressKeys(std::initializer_list<std::pair<WORD, bool>> keys)
{
    std::vector<INPUT> inputs;
    for (auto [key, down] : keys)
    {
        INPUT input = {};
        input.type = INPUT_KEYBOARD;
        input.ki.wVk = key;
        input.ki.dwFlags = down ? 0 : KEYEVENTF_KEYUP;
        inputs.push_back(input);
    }
    ::SendInput(static_cast<UINT>(inputs.size()), inputs.data(), sizeof(INPUT));
}

void SetClipboardText(const char* text)
{
    ::OpenClipboard(nullptr);
    ::EmptyClipboard();
    if (text != nullptr)
    {
        HGLOBAL memory = ::GlobalAlloc(GMEM_MOVEABLE, strlen(text) + 1);
        memcpy(::GlobalLock(memory), text, strlen(text) + 1);
        ::GlobalUnlock(memory);
        ::SetClipboardData(CF_TEXT, memory);
    }
    ::CloseClipboard();
}

TEST(FlatEdit, TheKeyboardContextMenuOpensInsideTheCornerWithItsCommandsEnabledByTheText)
{
    CTestHost host;
    CUXEdit edit;
    ASSERT_TRUE(
        edit.Create(WS_CHILD | WS_VISIBLE | WS_BORDER | ES_AUTOHSCROLL, CRect(20, 20, 220, 44), &host, 10));
    EXPECT_EQ(reinterpret_cast<LRESULT>(uxAfxData.m_fontNormal.GetSafeHandle()), edit.SendMessage(WM_GETFONT));
    edit.SetWindowText("hello world");
    edit.SetSel(0, 0);
    SetClipboardText(nullptr);
    host.SetForegroundWindow();
    edit.SetFocus();
    PumpPending();

    // Shift+F10 from the keyboard.
    MenuProbe shiftF10;
    PressKeys({{VK_SHIFT, true}, {VK_F10, true}, {VK_F10, false}, {VK_SHIFT, false}});
    PumpPending();
    ASSERT_TRUE(shiftF10.opened);
    CPoint corner(0, 0);
    edit.ClientToScreen(&corner);
    EXPECT_EQ(corner + CPoint(5, 5), shiftF10.rect.TopLeft());
    EXPECT_FALSE(shiftF10.enabled[ID_EDIT_CUT]);
    EXPECT_FALSE(shiftF10.enabled[ID_EDIT_COPY]);
    EXPECT_FALSE(shiftF10.enabled[ID_EDIT_CLEAR]);
    EXPECT_FALSE(shiftF10.enabled[ID_EDIT_PASTE]);   // nothing on the clipboard
    EXPECT_FALSE(shiftF10.enabled[ID_EDIT_UNDO]);
    EXPECT_TRUE(shiftF10.enabled[ID_EDIT_SELECT_ALL]);
    // Drawn by the cool menu: the commands with a tool-bar image show it, Select All has none.
    for (UINT id : {ID_EDIT_UNDO, ID_EDIT_CUT, ID_EDIT_COPY, ID_EDIT_PASTE, ID_EDIT_CLEAR})
        EXPECT_GE(shiftF10.images[id], 0) << id;
    EXPECT_EQ(-1, shiftF10.images[ID_EDIT_SELECT_ALL]);

    // With a selection and text on the clipboard; the commands then act on the edit.
    edit.SetSel(1, 4);
    SetClipboardText("X");
    MenuProbe selected;
    edit.SendMessage(WM_CONTEXTMENU, reinterpret_cast<WPARAM>(edit.m_hWnd), MAKELPARAM(300, 200));
    ASSERT_TRUE(selected.opened);
    EXPECT_EQ(CPoint(300, 200), selected.rect.TopLeft());
    EXPECT_TRUE(selected.enabled[ID_EDIT_CUT]);
    EXPECT_TRUE(selected.enabled[ID_EDIT_COPY]);
    EXPECT_TRUE(selected.enabled[ID_EDIT_CLEAR]);
    EXPECT_TRUE(selected.enabled[ID_EDIT_PASTE]);
    edit.SendMessage(WM_COMMAND, ID_EDIT_CLEAR);
    CString text;
    edit.GetWindowText(text);
    EXPECT_STREQ("ho world", text.GetString());
    edit.SendMessage(WM_COMMAND, ID_EDIT_UNDO);
    edit.GetWindowText(text);
    EXPECT_STREQ("hello world", text.GetString());

    // An empty edit offers no Select All.
    edit.SetWindowText("");
    MenuProbe empty;
    edit.SendMessage(WM_CONTEXTMENU, reinterpret_cast<WPARAM>(edit.m_hWnd), MAKELPARAM(-1, -1));
    ASSERT_TRUE(empty.opened);
    EXPECT_FALSE(empty.enabled[ID_EDIT_SELECT_ALL]);
}

CRect ChildRect(CWnd& parent, HWND child)
{
    CRect rect;
    ::GetWindowRect(child, &rect);
    parent.ScreenToClient(&rect);
    return rect;
}

TEST(BrowseEdit, FolderAndFileButtonsFillTheEditsRectangleAndNoStyleKeepsItWhole)
{
    CTestHost host;
    CUXBrowseEdit folder, file, plain, menu;
    file.SetBrowseStyle(CUXBrowseEdit::kBrowseFile);
    plain.SetBrowseStyle(0);
    menu.SetBrowseStyle(CUXBrowseEdit::kPopupMenu, IDR_UX_POPUP_MENUS, 1);
    const DWORD style = WS_CHILD | WS_VISIBLE | WS_BORDER | ES_AUTOHSCROLL;
    ASSERT_TRUE(folder.Create(style, CRect(20, 20, 220, 44), &host, 11));
    ASSERT_TRUE(file.Create(style, CRect(20, 60, 220, 84), &host, 12));
    ASSERT_TRUE(plain.Create(style, CRect(20, 100, 220, 124), &host, 13));
    ASSERT_TRUE(menu.Create(style, CRect(20, 140, 220, 164), &host, 14));
    PumpPending();

    const int gap = ::GetSystemMetrics(SM_CXEDGE), width = CUXBrowseEdit::GetButtonWidth();
    for (CUXBrowseEdit* edit : {&folder, &file, &menu})
    {
        ASSERT_NE(nullptr, edit->GetBrowseButton());
        CRect field = ChildRect(host, edit->m_hWnd), button = ChildRect(host, edit->GetBrowseButton()->m_hWnd);
        EXPECT_EQ(220 - gap - width, field.right);
        EXPECT_EQ(field.right + gap, button.left);
        EXPECT_EQ(220, button.right);
        EXPECT_EQ(field.top, button.top);
        EXPECT_EQ(field.bottom, button.bottom);
    }
    CString caption;
    folder.GetBrowseButton()->GetWindowText(caption);
    EXPECT_STREQ("...", caption.GetString());
    EXPECT_TRUE(menu.GetBrowseButton()->GetStyle() & BS_ICON);
    // Its menu is drawn by a cool menu even where the owner has none (these commands have no images there).
    MenuProbe popup;
    menu.PopupMenu();
    ASSERT_TRUE(popup.opened);
    EXPECT_EQ(-1, popup.images[ID_EDIT_CUT]);
    EXPECT_EQ(nullptr, plain.GetBrowseButton());
    EXPECT_EQ(CRect(20, 100, 220, 124), ChildRect(host, plain.m_hWnd));

    // Resized, the pair still fills the new rectangle; disabled, the button is too.
    folder.SetWindowPos(nullptr, 30, 20, 300, 30, SWP_NOZORDER);
    CRect field = ChildRect(host, folder.m_hWnd), button = ChildRect(host, folder.GetBrowseButton()->m_hWnd);
    EXPECT_EQ(30, field.left);
    EXPECT_EQ(330, button.right);
    EXPECT_EQ(30, button.Height());
    folder.EnableWindow(FALSE);
    EXPECT_FALSE(folder.GetBrowseButton()->IsWindowEnabled());
}

TEST(BrowseEdit, TheButtonBrowsesForAFileAndForAFolderAndPutsTheChoiceIntoTheEdit)
{
    CTempFolder folder("vxe");
    const std::string notes = folder / "notes.txt";
    ASSERT_TRUE(WriteFileBytes(notes, {}));
    CTestHost host;
    CUXBrowseEdit file, directory;
    file.SetBrowseStyle(CUXBrowseEdit::kBrowseFile);
    file.SetDlgFilter("Text (*.txt)|*.txt||");
    const DWORD style = WS_CHILD | WS_VISIBLE | WS_BORDER | ES_AUTOHSCROLL;
    ASSERT_TRUE(file.Create(style, CRect(20, 20, 320, 44), &host, 11));
    ASSERT_TRUE(directory.Create(style, CRect(20, 60, 320, 84), &host, 12));
    PumpPending();

    bool browsingSeen = false;
    CDialogDriver fileDriver({[&](HWND hDlg)
                              {
                                  browsingSeen = file.IsBrowsing() != FALSE;
                                  HWND name = ::GetDlgItem(hDlg, edt1);
                                  ::SetWindowTextA(name != nullptr ? name : ::GetDlgItem(hDlg, cmb13),
                                                   notes.c_str());
                                  CDialogDriver::Click(hDlg, IDOK);
                              }});
    file.GetBrowseButton()->SendMessage(BM_CLICK);
    EXPECT_EQ(1u, fileDriver.StepsRun());
    EXPECT_TRUE(browsingSeen);
    EXPECT_FALSE(file.IsBrowsing());
    CString text;
    file.GetWindowText(text);
    EXPECT_EQ(0, text.CompareNoCase(notes.c_str())) << text.GetString();
    int start = -1, end = -1;
    file.GetSel(start, end);
    EXPECT_EQ(0, start);
    EXPECT_EQ(text.GetLength(), end);
    EXPECT_EQ(file.m_hWnd, ::GetFocus());

    // The folder browser starts on the edit's folder: confirming it gives that folder back.
    directory.SetWindowText(folder.Path().c_str());
    CDialogDriver folderDriver({[](HWND hDlg) { CDialogDriver::Click(hDlg, IDOK); }});
    directory.OnBrowse();
    EXPECT_EQ(1u, folderDriver.StepsRun());
    directory.GetWindowText(text);
    EXPECT_EQ(0, text.CompareNoCase(folder.Path().c_str())) << text.GetString();
}

// ---- in-place editor ----------------------------------------------------------------------------------

void PostKey(HWND hWnd, WPARAM key)
{
    ::PostMessageA(hWnd, WM_KEYDOWN, key, 1);
    ::PostMessageA(hWnd, WM_KEYUP, key, 0xC0000001);
}

TEST(ItemEdit, EnterEscapeFocusLossAndDestructionEachTellTheOwnerExactlyOnce)
{
    CTestHost host;
    host.SetForegroundWindow();

    // Enter: the text goes back to the caller, 0x89CA once, and the editor is gone.
    CString text = "before";
    CUXItemEdit* editor = new CUXItemEdit(&host, CRect(10, 10, 200, 30), &text, 0, TRUE);
    HWND hEditor = editor->m_hWnd;
    ASSERT_NE(nullptr, hEditor);
    EXPECT_EQ(hEditor, ::GetFocus());
    EXPECT_EQ(IDC_UX_ITEM_EDIT, ::GetDlgCtrlID(hEditor));
    ::SetWindowTextA(hEditor, "after");
    PostKey(hEditor, VK_RETURN);
    PumpPending();
    EXPECT_FALSE(::IsWindow(hEditor));
    EXPECT_STREQ("after", text.GetString());
    ASSERT_EQ(1, host.Count(UXN_ITEM_CHANGED));
    EXPECT_EQ(0, host.Count(UXN_EDIT_CANCELLED));
    EXPECT_EQ(static_cast<UINT>(IDC_UX_ITEM_EDIT), host.commands.back().id);
    EXPECT_EQ(hEditor, host.commands.back().from);

    // Escape: the caller's text stays, 0x89CB once.
    host.commands.clear();
    text = "keep";
    editor = new CUXItemEdit(&host, CRect(10, 10, 200, 30), &text, 0, TRUE);
    hEditor = editor->m_hWnd;
    ::SetWindowTextA(hEditor, "changed");
    PostKey(hEditor, VK_ESCAPE);
    PumpPending();
    EXPECT_FALSE(::IsWindow(hEditor));
    EXPECT_STREQ("keep", text.GetString());
    EXPECT_EQ(1, host.Count(UXN_EDIT_CANCELLED));
    EXPECT_EQ(0, host.Count(UXN_ITEM_CHANGED));

    // The focus elsewhere: as Enter.
    host.commands.clear();
    editor = new CUXItemEdit(&host, CRect(10, 10, 200, 30), &text, 0, TRUE);
    hEditor = editor->m_hWnd;
    ::SetWindowTextA(hEditor, "left");
    host.SetFocus();
    PumpPending();
    EXPECT_FALSE(::IsWindow(hEditor));
    EXPECT_STREQ("left", text.GetString());
    EXPECT_EQ(1, host.Count(UXN_ITEM_CHANGED));
    EXPECT_EQ(0, host.Count(UXN_EDIT_CANCELLED));

    // Destroyed while it has the focus: that is losing the focus, told once however the window then goes.
    host.commands.clear();
    {
        CUXItemEdit kept(&host, CRect(10, 10, 200, 30), &text, 0, FALSE);
        ::SetWindowTextA(kept.m_hWnd, "dropped");
        kept.DestroyWindow();
        EXPECT_TRUE(kept.IsNotified());
    }
    PumpPending();
    EXPECT_STREQ("dropped", text.GetString());
    EXPECT_EQ(1, host.Count(UXN_ITEM_CHANGED) + host.Count(UXN_EDIT_CANCELLED));
}

TEST(ItemEdit, DestroyedWithoutTheFocusItStillTellsItsOwnerOnceAsACancel)
{
    CTestHost host;
    CTestHost other(500, 400, 200, 100);
    CString text = "kept";
    CUXItemEdit editor(&host, CRect(10, 10, 200, 30), &text, 0, FALSE);
    other.SetForegroundWindow();
    other.SetFocus();
    PumpPending();
    // Losing the focus ended it already: nothing more is said when it goes.
    int told = host.Count(UXN_ITEM_CHANGED) + host.Count(UXN_EDIT_CANCELLED);
    EXPECT_EQ(1, told);
    editor.DestroyWindow();
    EXPECT_EQ(told, host.Count(UXN_ITEM_CHANGED) + host.Count(UXN_EDIT_CANCELLED));

    // One that never had the focus (made in a hidden, disabled window while the focus stays elsewhere).
    CUXItemEdit* unfocused = nullptr;
    {
        CTestHost hidden(0, 0, 10, 10);
        hidden.ShowWindow(SW_HIDE);
        hidden.EnableWindow(FALSE);
        unfocused = new CUXItemEdit(&hidden, CRect(0, 0, 5, 5), &text, 0, FALSE);
        ASSERT_NE(::GetFocus(), unfocused->m_hWnd);
        ::SetWindowTextA(unfocused->m_hWnd, "never");
        unfocused->DestroyWindow();
        EXPECT_STREQ("kept", text.GetString());
        EXPECT_EQ(1, hidden.Count(UXN_EDIT_CANCELLED));
        EXPECT_EQ(0, hidden.Count(UXN_ITEM_CHANGED));
    }
    delete unfocused;
}

}   // namespace
