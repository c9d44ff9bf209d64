// The shell folder tree under the test prefix: the first fill from the desktop, paths selected by text (also
// one given before the window exists, one that does not exist), the linked window and combo box kept in
// step, the shell's context menu with the window's procedure given back (or left under a later one), item
// records all freed, and the id-list helpers and drop source.
#include "uilib/core/lists/ShellFolderTree.h"

#include "uilib/core/base/LibraryIds.h"
#include "UilibTestSupport.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <string>
#include <vector>

namespace
{

const char kBase[] = "C:\\VexulShellTest";
const char kDeep[] = "C:\\VexulShellTest\\Show Data\\Inner";

// Folders only, as the editor's folder trees have it.
class CFolderOnlyTree : public CUXShellFolderTree
{
public:
    CFolderOnlyTree() { m_nEnumFlags = SHCONTF_FOLDERS; }
};

// Records what the tree tells its linked window.
class CLinkedWindow : public CWnd
{
public:
    CLinkedWindow() { CreateEx(0, nullptr, "linked", WS_POPUP, 0, 0, 10, 10, nullptr, nullptr); }
    std::vector<std::pair<WPARAM, LPARAM>> m_messages;
    LRESULT WindowProc(UINT message, WPARAM wParam, LPARAM lParam) override
    {
        if (message == UXM_SHELLTREE)
            m_messages.emplace_back(wParam, lParam);
        return CWnd::WindowProc(message, wParam, lParam);
    }
};

class ShellTreeTest : public ::testing::Test
{
protected:
    CNotifyHost m_host;

    void SetUp() override
    {
        ASSERT_TRUE(SUCCEEDED(::OleInitialize(nullptr)));
        ::CreateDirectoryA(kBase, nullptr);
        ::CreateDirectoryA("C:\\VexulShellTest\\Show Data", nullptr);
        ::CreateDirectoryA(kDeep, nullptr);
        ::CreateDirectoryA("C:\\VexulShellTest\\cat", nullptr);
    }
    void TearDown() override
    {
        ::RemoveDirectoryA(kDeep);
        ::RemoveDirectoryA("C:\\VexulShellTest\\Show Data");
        ::RemoveDirectoryA("C:\\VexulShellTest\\cat");
        ::RemoveDirectoryA(kBase);
        ::OleUninitialize();
    }
    void Create(CUXShellFolderTree& tree)
    {
        ASSERT_TRUE(tree.Create(WS_VISIBLE | WS_BORDER, CRect(10, 10, 400, 380), &m_host, 1001));
        PumpPending();   // the posted first initialisation fills the tree
    }
    static std::string Path(CUXShellFolderTree& tree, HTREEITEM item)
    {
        CString path;
        return tree.GetItemPath(item, path) ? std::string(path) : std::string("(none)");
    }
    static std::vector<std::string> Labels(CTreeCtrl& tree, HTREEITEM parent)
    {
        std::vector<std::string> labels;
        for (HTREEITEM item = tree.GetChildItem(parent); item != nullptr; item = tree.GetNextSiblingItem(item))
            labels.push_back(std::string(tree.GetItemText(item)));
        return labels;
    }
    static bool Has(const std::vector<std::string>& labels, const char* label)
    {
        for (const std::string& l : labels)
            if (l == label)
                return true;
        return false;
    }
    static int CountItems(CUXTreeCtrl& tree)
    {
        int count = 0;
        for (HTREEITEM item = tree.GetRootItem(); item != nullptr; item = tree.GetNextItemDeep(item))
            ++count;
        return count;
    }
};

TEST_F(ShellTreeTest, TheFirstFillShowsTheDesktopAndPathsAreSelectedByText)
{
    CFolderOnlyTree tree;
    tree.SelectPath(kDeep);   // before the window exists
    Create(tree);

    HTREEITEM desktop = tree.GetRootItem();
    ASSERT_NE(nullptr, desktop);
    EXPECT_EQ(nullptr, tree.GetNextSiblingItem(desktop));
    std::vector<std::string> children = Labels(tree, desktop);
    EXPECT_TRUE(Has(children, "My Computer"));
    std::sort(children.begin(), children.end());
    EXPECT_EQ(children.end(), std::adjacent_find(children.begin(), children.end()));   // each read once
    EXPECT_NE(0u, tree.SendMessage(TVM_GETIMAGELIST, TVSIL_NORMAL));
    EXPECT_NE(0u, tree.GetStyle() & TVS_HASBUTTONS);

    // The path given early, with every folder on the way read once.
    HTREEITEM caret = tree.GetSelectedItem();
    EXPECT_EQ(kDeep, Path(tree, caret));
    EXPECT_STREQ("Inner", tree.GetItemText(caret));
    int parents = 0;
    for (HTREEITEM item = tree.GetParentItem(caret); tree.GetParentItem(item) != desktop;
         item = tree.GetParentItem(item), ++parents)
        EXPECT_NE(0u, tree.GetItemState(item, TVIS_EXPANDEDONCE)) << tree.GetItemText(item);
    EXPECT_EQ(3, parents);   // Show Data, VexulShellTest, C:

    CLinkedWindow linked;
    tree.SetLinkedWindow(&linked);
    CComboBox combo;
    ASSERT_TRUE(combo.Create(WS_CHILD | CBS_DROPDOWNLIST, CRect(0, 390, 300, 500), &m_host, 1002));
    tree.SetComboBox(&combo);

    for (const char* drive : {"C", "C:", "C:\\"})
    {
        linked.m_messages.clear();
        EXPECT_TRUE(tree.SelectPath(drive)) << drive;
        EXPECT_EQ("C:\\", Path(tree, tree.GetSelectedItem())) << drive;
        // One message at the end of the walk, with the caret's record.
        ASSERT_EQ(1u, linked.m_messages.size()) << drive;
        EXPECT_EQ(static_cast<WPARAM>(UXSHELLTREE_SELCHANGED), linked.m_messages[0].first);
        EXPECT_EQ(reinterpret_cast<LPARAM>(tree.GetItemRecord(tree.GetSelectedItem())),
                  linked.m_messages[0].second);
    }
    CString shown;
    combo.GetLBText(combo.GetCurSel(), shown);
    EXPECT_STREQ("C:\\", shown);

    // Folders on the drive carry its letter, but only the drive's own item answers for it.
    HTREEITEM drive = tree.GetSelectedItem();
    ASSERT_NE(nullptr, tree.GetChildItem(drive));
    EXPECT_FALSE(tree.MatchItemPath(tree.GetChildItem(drive), "C:", 0, TRUE));
    EXPECT_EQ(drive, tree.GetSelectedItem());
    EXPECT_TRUE(tree.MatchItemPath(tree.GetChildItem(drive), "C:", 0, FALSE));
    EXPECT_EQ(tree.GetChildItem(drive), tree.GetSelectedItem());

    EXPECT_TRUE(tree.SelectPath("c:\\vexulshelltest\\CAT"));
    EXPECT_EQ("C:\\VexulShellTest\\cat", Path(tree, tree.GetSelectedItem()));

    // A folder that is not there: said so, and the selection stays.
    {
        CMessageBoxRecorder boxes;
        EXPECT_FALSE(tree.SelectPath("C:\\VexulShellTest\\missing"));
        ASSERT_EQ(1u, boxes.Count());
        EXPECT_EQ("Folder not found", boxes.Records()[0].caption);
        EXPECT_EQ("C:\\VexulShellTest\\missing", boxes.Records()[0].text);
        EXPECT_NE(0u, boxes.Records()[0].type & MB_ICONERROR);
    }
    EXPECT_EQ("C:\\VexulShellTest\\cat", Path(tree, tree.GetSelectedItem()));

    // A user's selection tells the linked window and the combo box.
    linked.m_messages.clear();
    HTREEITEM data = tree.GetNextSiblingItem(tree.GetSelectedItem());   // sorted after "cat"
    ASSERT_NE(nullptr, data);
    tree.SelectItem(data);
    ASSERT_EQ(1u, linked.m_messages.size());
    combo.GetLBText(combo.GetCurSel(), shown);
    EXPECT_STREQ("C:\\VexulShellTest\\Show Data", shown);
    CString selected;
    EXPECT_TRUE(tree.GetSelectedPath(selected));
    EXPECT_STREQ("C:\\VexulShellTest\\Show Data", selected);

    // The linked window asks for an item by its record: found from the caret down, or told it is not there.
    HTREEITEM inner = tree.GetChildItem(data);
    ASSERT_NE(nullptr, inner);
    linked.m_messages.clear();
    EXPECT_EQ(TRUE, tree.SendMessage(UXM_SHELLTREE, UXSHELLTREE_FINDITEM,
                                     reinterpret_cast<LPARAM>(tree.GetItemRecord(inner))));
    EXPECT_EQ(inner, tree.GetSelectedItem());
    linked.m_messages.clear();
    LPARAM desktopRecord = reinterpret_cast<LPARAM>(tree.GetItemRecord(desktop));
    EXPECT_EQ(FALSE, tree.SendMessage(UXM_SHELLTREE, UXSHELLTREE_FINDITEM, desktopRecord));
    ASSERT_FALSE(linked.m_messages.empty());
    EXPECT_EQ(std::make_pair(static_cast<WPARAM>(UXSHELLTREE_NOTFOUND), desktopRecord), linked.m_messages.back());

    // An extended combo box gets the shell's images and an item with the caret's image.
    CUXComboBoxEx comboEx;
    ASSERT_TRUE(comboEx.Create(WS_VISIBLE | CBS_DROPDOWNLIST, CRect(0, 390, 300, 500), &m_host, 1003));
    tree.SetComboBox(&comboEx);
    EXPECT_NE(0, comboEx.SendMessage(CBEM_GETIMAGELIST));
    EXPECT_TRUE(tree.SelectPath(kBase));   // the drive on the way, then the folder
    ASSERT_EQ(2, comboEx.GetCount());
    EXPECT_STREQ(kBase, comboEx.GetItemText(comboEx.GetCurSel()));
    EXPECT_STREQ("C:\\", comboEx.GetItemText(1));
    EXPECT_TRUE(tree.SelectPath("C:\\"));
    EXPECT_TRUE(tree.SelectPath(kBase));
    EXPECT_EQ(2, comboEx.GetCount());   // found again, not added twice
    EXPECT_STREQ(kBase, comboEx.GetItemText(comboEx.GetCurSel()));
    tree.SetLinkedWindow(nullptr);
    tree.SetComboBox(nullptr);
}

// Counts the entries of the shell's menu when it opens and closes it; optionally puts a procedure of its
// own on the window meanwhile, as another subclasser would.
HHOOK g_hook = nullptr;
int g_entries = -1;
bool g_subclass = false;
WNDPROC g_previous = nullptr;
HWND g_tree = nullptr;

LRESULT CALLBACK LaterProc(HWND hWnd, UINT message, WPARAM wParam, LPARAM lParam)
{
    return ::CallWindowProcA(g_previous, hWnd, message, wParam, lParam);
}

LRESULT CALLBACK WatchMenu(int code, WPARAM wParam, LPARAM lParam)
{
    const CWPSTRUCT* message = reinterpret_cast<const CWPSTRUCT*>(lParam);
    if (code == HC_ACTION && message->message == WM_INITMENUPOPUP && message->hwnd == g_tree && g_entries < 0)
    {
        g_entries = ::GetMenuItemCount(reinterpret_cast<HMENU>(message->wParam));
        if (g_subclass)
            g_previous = reinterpret_cast<WNDPROC>(
                ::SetWindowLongPtrA(g_tree, GWLP_WNDPROC, reinterpret_cast<LONG_PTR>(LaterProc)));
        ::PostMessageA(g_tree, WM_KEYDOWN, VK_ESCAPE, 0);
    }
    return ::CallNextHookEx(g_hook, code, wParam, lParam);
}

int OpenMenuOver(CUXShellFolderTree& tree, HTREEITEM item, bool subclass)
{
    CRect rect;
    tree.GetItemRect(item, &rect, TRUE);
    CPoint point(rect.left + 2, rect.CenterPoint().y);
    tree.ClientToScreen(&point);
    ::SetCursorPos(point.x, point.y);
    g_entries = -1;
    g_subclass = subclass;
    g_tree = tree.GetSafeHwnd();
    g_hook = ::SetWindowsHookExA(WH_CALLWNDPROC, WatchMenu, nullptr, ::GetCurrentThreadId());
    tree.ShowContextMenu();
    ::UnhookWindowsHookEx(g_hook);
    PumpPending();
    return g_entries;
}

TEST_F(ShellTreeTest, TheContextMenuOffersEntriesAndLeavesTheWindowsProcedureInOrder)
{
    CFolderOnlyTree tree;
    Create(tree);
    ASSERT_TRUE(tree.SelectPath(kDeep));
    HTREEITEM inner = tree.GetSelectedItem();
    LONG_PTR own = ::GetWindowLongPtrA(tree.GetSafeHwnd(), GWLP_WNDPROC);

    EXPECT_GE(OpenMenuOver(tree, inner, false), 1);
    EXPECT_EQ(own, ::GetWindowLongPtrA(tree.GetSafeHwnd(), GWLP_WNDPROC));   // given back

    // Another procedure came on top meanwhile: it stays, and messages still reach the tree through it.
    EXPECT_GE(OpenMenuOver(tree, inner, true), 1);
    EXPECT_EQ(reinterpret_cast<LONG_PTR>(LaterProc), ::GetWindowLongPtrA(tree.GetSafeHwnd(), GWLP_WNDPROC));
    HTREEITEM data = tree.GetParentItem(inner);
    tree.SelectItem(data);
    EXPECT_EQ(TRUE, tree.SendMessage(UXM_SHELLTREE, UXSHELLTREE_FINDITEM,
                                     reinterpret_cast<LPARAM>(tree.GetItemRecord(inner))));
    EXPECT_EQ(inner, tree.GetSelectedItem());
    EXPECT_GE(OpenMenuOver(tree, inner, false), 1);   // and the menu opens again
    EXPECT_EQ(reinterpret_cast<LONG_PTR>(LaterProc), ::GetWindowLongPtrA(tree.GetSafeHwnd(), GWLP_WNDPROC));
    tree.DestroyWindow();
}

TEST_F(ShellTreeTest, EveryItemRecordGoesWithItsItems)
{
    const LONG before = CUXShellItemData::GetLiveCount();
    IShellFolder* desktop = nullptr;
    ASSERT_TRUE(SUCCEEDED(::SHGetDesktopFolder(&desktop)));
    desktop->AddRef();
    const ULONG desktopRefs = desktop->Release();
    {
        CFolderOnlyTree tree;
        Create(tree);
        ASSERT_TRUE(tree.SelectPath(kDeep));
        tree.Expand(tree.GetSelectedItem(), TVE_EXPAND);
        EXPECT_EQ(CountItems(tree), CUXShellItemData::GetLiveCount() - before);
        EXPECT_GT(CountItems(tree), 8);

        // Filled anew: the old records go.
        tree.PopulateTree();
        EXPECT_EQ(CountItems(tree), CUXShellItemData::GetLiveCount() - before);

        // From a folder down.
        ASSERT_TRUE(tree.InitRootFolder(kBase));
        EXPECT_EQ((std::vector<std::string>{"cat", "Show Data"}), Labels(tree, TVI_ROOT));
        EXPECT_EQ(CountItems(tree), CUXShellItemData::GetLiveCount() - before);

        // Destroyed while items are expanded.
        ASSERT_TRUE(tree.PopulateTree() == S_OK);
        ASSERT_TRUE(tree.SelectPath(kDeep));
        tree.DestroyWindow();
        EXPECT_EQ(before, CUXShellItemData::GetLiveCount());
    }
    {
        // The object goes first and takes the window with it.
        CFolderOnlyTree tree;
        Create(tree);
        ASSERT_TRUE(tree.SelectPath(kDeep));
        EXPECT_GT(CUXShellItemData::GetLiveCount(), before);
    }
    EXPECT_EQ(before, CUXShellItemData::GetLiveCount());
    desktop->AddRef();
    EXPECT_EQ(desktopRefs, desktop->Release());   // no reference of the tree's is left on the desktop
    desktop->Release();
}

TEST(ShellPidl, ListsJoinCopyAndMeasureAsTheShellSeesThem)
{
    ASSERT_TRUE(SUCCEEDED(::OleInitialize(nullptr)));
    IShellFolder* desktop = nullptr;
    ASSERT_TRUE(SUCCEEDED(::SHGetDesktopFolder(&desktop)));
    LPITEMIDLIST drive = nullptr, windows = nullptr;
    ULONG eaten = 0;
    wchar_t drivePath[] = L"C:\\", windowsPath[] = L"C:\\windows";
    ASSERT_TRUE(SUCCEEDED(desktop->ParseDisplayName(nullptr, nullptr, drivePath, &eaten, &drive, nullptr)));
    ASSERT_TRUE(SUCCEEDED(desktop->ParseDisplayName(nullptr, nullptr, windowsPath, &eaten, &windows, nullptr)));

    // "C:\windows" is the drive's list followed by the folder's own id.
    UINT driveSize = CUXShellPidl::GetSize(drive);
    LPITEMIDLIST last = windows;
    while (CUXShellPidl::GetNextItemId(last) != nullptr && CUXShellPidl::GetNextItemId(last)->mkid.cb != 0)
        last = CUXShellPidl::GetNextItemId(last);
    LPITEMIDLIST joined = CUXShellPidl::Concatenate(drive, last);
    ASSERT_NE(nullptr, joined);
    EXPECT_EQ(CUXShellPidl::GetSize(windows), CUXShellPidl::GetSize(joined));
    EXPECT_EQ(driveSize + CUXShellPidl::GetSize(last) - 2, CUXShellPidl::GetSize(joined));
    EXPECT_EQ(0, HRESULT_CODE(desktop->CompareIDs(0, joined, windows)));
    char path[MAX_PATH] = {};
    EXPECT_TRUE(::SHGetPathFromIDListA(joined, path));
    EXPECT_EQ(0, ::lstrcmpiA("C:\\windows", path));

    IMalloc* allocator = nullptr;
    ASSERT_TRUE(SUCCEEDED(::SHGetMalloc(&allocator)));
    LPITEMIDLIST first = CUXShellPidl::CopyFirstItemId(allocator, windows);
    EXPECT_EQ(windows->mkid.cb + 2u, CUXShellPidl::GetSize(first));
    EXPECT_EQ(0, ::memcmp(first, windows, windows->mkid.cb));
    EXPECT_EQ(0u, CUXShellPidl::GetSize(nullptr));
    EXPECT_EQ(nullptr, CUXShellPidl::GetNextItemId(nullptr));
    LPITEMIDLIST empty = CUXShellPidl::Concatenate(nullptr, nullptr);
    EXPECT_EQ(2u, CUXShellPidl::GetSize(empty));

    CString name;
    EXPECT_TRUE(CUXShellPidl::StrretToText(desktop, windows, SHGDN_FORPARSING, name));
    EXPECT_EQ(0, name.CompareNoCase("C:\\windows"));
    EXPECT_GE(CUXShellPidl::GetIconIndex("C:\\", SHGFI_SYSICONINDEX | SHGFI_SMALLICON), 0);

    for (LPITEMIDLIST list : {drive, windows, joined, first, empty})
        CUXShellPidl::Free(list);
    allocator->Release();
    desktop->Release();
    ::OleUninitialize();
}

TEST(ShellDropSource, EscapeCancelsTheButtonKeepsDraggingItsReleaseDrops)
{
    CUXShellDropSource* source = new CUXShellDropSource;
    IUnknown* unknown = nullptr;
    EXPECT_EQ(S_OK, source->QueryInterface(IID_IUnknown, reinterpret_cast<void**>(&unknown)));
    IDataObject* data = nullptr;
    EXPECT_EQ(E_NOINTERFACE, source->QueryInterface(IID_IDataObject, reinterpret_cast<void**>(&data)));
    EXPECT_EQ(nullptr, data);
    EXPECT_EQ(DRAGDROP_S_CANCEL, source->QueryContinueDrag(TRUE, MK_LBUTTON));
    EXPECT_EQ(S_OK, source->QueryContinueDrag(FALSE, MK_LBUTTON));
    EXPECT_EQ(DRAGDROP_S_DROP, source->QueryContinueDrag(FALSE, 0));
    EXPECT_EQ(DRAGDROP_S_USEDEFAULTCURSORS, source->GiveFeedback(DROPEFFECT_COPY));
    EXPECT_EQ(1u, unknown->Release());
    EXPECT_EQ(0u, source->Release());
}

}   // namespace
