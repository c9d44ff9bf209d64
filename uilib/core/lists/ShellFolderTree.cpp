#include "uilib/core/lists/ShellFolderTree.h"

#include "uilib/core/base/GlobalData.h"
#include "uilib/core/base/LibraryIds.h"

#include <io.h>
#include <new>
#include <stdlib.h>
#include <string.h>
#include <vector>

namespace
{

LONG g_liveRecords = 0;

// The shell's allocator (held for the process by the shell itself).
IMalloc* ShellAllocator()
{
    IMalloc* allocator = nullptr;
    if (FAILED(::SHGetMalloc(&allocator)))
        return nullptr;
    return allocator;
}

// Shows the wait cursor while it lives.
class CWaitCursorScope
{
public:
    CWaitCursorScope() : m_hOld(::SetCursor(::LoadCursorA(nullptr, IDC_WAIT))) {}
    ~CWaitCursorScope() { ::SetCursor(m_hOld); }
    CWaitCursorScope(const CWaitCursorScope&) = delete;
    CWaitCursorScope& operator=(const CWaitCursorScope&) = delete;

private:
    HCURSOR m_hOld;
};

// Releases an interface when it goes.
template <class T>
class CInterfaceRef
{
public:
    CInterfaceRef() = default;
    ~CInterfaceRef() { Reset(); }
    CInterfaceRef(const CInterfaceRef&) = delete;
    CInterfaceRef& operator=(const CInterfaceRef&) = delete;
    T** operator&() { return &m_p; }
    T* operator->() const { return m_p; }
    operator T*() const { return m_p; }
    void Reset()
    {
        if (m_p != nullptr)
            m_p->Release();
        m_p = nullptr;
    }

private:
    T* m_p = nullptr;
};

struct PathParts
{
    char drive[_MAX_DRIVE] = {};
    char dir[_MAX_DIR] = {};
    char name[_MAX_FNAME] = {};
    char ext[_MAX_EXT] = {};
    explicit PathParts(LPCSTR path) { ::_splitpath(path, drive, dir, name, ext); }
    BOOL IsDriveRoot() const { return ::strcmp(dir, "\\") == 0 && name[0] == '\0' && ext[0] == '\0'; }
};

// The temporary procedure of a window while the shell's context menu is open: the menu's own drawing and
// pop-up messages go to the menu object, the help text of the hovered command to the main window's status.
class CUXContextMenuHook : public CUXWndHook
{
public:
    explicit CUXContextMenuHook(IContextMenu2* menu) : m_pMenu(menu) {}
    using CUXWndHook::AttachWindow;

    LRESULT HandleMessage(UINT message, WPARAM wParam, LPARAM lParam) override
    {
        switch (message)
        {
        case WM_INITMENUPOPUP: m_pMenu->HandleMenuMsg(message, wParam, lParam); return 0;
        case WM_DRAWITEM:
        case WM_MEASUREITEM:
            if (wParam == 0)
            {
                m_pMenu->HandleMenuMsg(message, wParam, lParam);
                return TRUE;
            }
            break;
        case WM_MENUSELECT:
        {
            UINT id = LOWORD(wParam), flags = HIWORD(wParam);
            if (id != 0 && flags != 0xFFFF && (flags & MF_POPUP) == 0)
            {
                char help[MAX_PATH + 1] = {};
                m_pMenu->GetCommandString(id - 1, GCS_HELPTEXTA, nullptr, help, MAX_PATH);
                if (CWnd* main = AfxGetMainWnd())
                    main->SendMessage(WM_SETMESSAGESTRING, 0, reinterpret_cast<LPARAM>(help));
            }
            break;
        }
        default: break;
        }
        return CUXWndHook::HandleMessage(message, wParam, lParam);
    }

private:
    IContextMenu2* m_pMenu;
};

int CALLBACK CompareFolderItems(LPARAM lParam1, LPARAM lParam2, LPARAM)
{
    const CUXShellItemData* first = reinterpret_cast<const CUXShellItemData*>(lParam1);
    const CUXShellItemData* second = reinterpret_cast<const CUXShellItemData*>(lParam2);
    if (first == nullptr || second == nullptr)
        return 0;
    IShellFolder* folder = first->m_pParentFolder;
    CInterfaceRef<IShellFolder> desktop;
    if (folder == nullptr)
    {
        if (FAILED(::SHGetDesktopFolder(&desktop)))
            return 0;
        folder = desktop;
    }
    HRESULT hr = folder->CompareIDs(0, first->m_pidlRelative, second->m_pidlRelative);
    return FAILED(hr) ? 0 : static_cast<short>(HRESULT_CODE(hr));
}

}   // namespace

// ---- CUXShellItemData ----------------------------------------------------------------------------------

CUXShellItemData::CUXShellItemData(IShellFolder* parent, LPITEMIDLIST relative, LPITEMIDLIST absolute)
    : m_pParentFolder(parent), m_pidlRelative(relative), m_pidlAbsolute(absolute)
{
    if (m_pParentFolder != nullptr)
        m_pParentFolder->AddRef();
    ++g_liveRecords;
}

CUXShellItemData::~CUXShellItemData()
{
    CUXShellPidl::Free(m_pidlRelative);
    CUXShellPidl::Free(m_pidlAbsolute);
    if (m_pParentFolder != nullptr)
        m_pParentFolder->Release();
    --g_liveRecords;
}

LONG CUXShellItemData::GetLiveCount()
{
    return g_liveRecords;
}

// ---- CUXShellPidl --------------------------------------------------------------------------------------

LPITEMIDLIST CUXShellPidl::GetNextItemId(LPCITEMIDLIST id)
{
    if (id == nullptr || id->mkid.cb == 0)
        return nullptr;
    return reinterpret_cast<LPITEMIDLIST>(const_cast<BYTE*>(reinterpret_cast<const BYTE*>(id) + id->mkid.cb));
}

UINT CUXShellPidl::GetSize(LPCITEMIDLIST id)
{
    if (id == nullptr)
        return 0;
    UINT size = 2;
    for (; id != nullptr && id->mkid.cb != 0; id = GetNextItemId(id))
        size += id->mkid.cb;
    return size;
}

LPITEMIDLIST CUXShellPidl::Allocate(UINT size)
{
    IMalloc* allocator = ShellAllocator();
    if (allocator == nullptr)
        return nullptr;
    void* memory = allocator->Alloc(size);
    allocator->Release();
    if (memory != nullptr)
        ::ZeroMemory(memory, size);
    return static_cast<LPITEMIDLIST>(memory);
}

void CUXShellPidl::Free(void* memory)
{
    if (memory == nullptr)
        return;
    if (IMalloc* allocator = ShellAllocator())
    {
        allocator->Free(memory);
        allocator->Release();
    }
}

LPITEMIDLIST CUXShellPidl::Concatenate(LPCITEMIDLIST first, LPCITEMIDLIST second)
{
    UINT firstSize = first != nullptr ? GetSize(first) - 2 : 0;
    UINT secondSize = second != nullptr ? GetSize(second) : 2;
    LPITEMIDLIST list = Allocate(firstSize + secondSize);
    if (list == nullptr)
        return nullptr;
    BYTE* bytes = reinterpret_cast<BYTE*>(list);
    if (firstSize != 0)
        ::memcpy(bytes, first, firstSize);
    if (second != nullptr)
        ::memcpy(bytes + firstSize, second, secondSize);
    return list;
}

LPITEMIDLIST CUXShellPidl::CopyFirstItemId(IMalloc* allocator, LPCITEMIDLIST id)
{
    if (allocator == nullptr || id == nullptr)
        return nullptr;
    UINT size = id->mkid.cb;
    BYTE* copy = static_cast<BYTE*>(allocator->Alloc(size + 2));
    if (copy == nullptr)
        return nullptr;
    ::memcpy(copy, id, size);
    copy[size] = copy[size + 1] = 0;
    return reinterpret_cast<LPITEMIDLIST>(copy);
}

int CUXShellPidl::GetIconIndex(LPCSTR path, UINT flags)
{
    SHFILEINFOA info = {};
    ::SHGetFileInfoA(path, 0, &info, sizeof(info), flags);
    return info.iIcon;
}

BOOL CUXShellPidl::StrretToText(IShellFolder* folder, LPCITEMIDLIST id, DWORD flags, CString& text)
{
    STRRET name = {};
    if (folder == nullptr || FAILED(folder->GetDisplayNameOf(id, flags, &name)))
        return FALSE;
    char buffer[MAX_PATH + 1] = {};
    switch (name.uType)
    {
    case STRRET_WSTR:
        ::WideCharToMultiByte(CP_ACP, 0, name.pOleStr, -1, buffer, MAX_PATH, nullptr, nullptr);
        Free(name.pOleStr);
        break;
    case STRRET_OFFSET: ::lstrcpynA(buffer, reinterpret_cast<const char*>(id) + name.uOffset, MAX_PATH); break;
    case STRRET_CSTR: ::lstrcpynA(buffer, name.cStr, MAX_PATH); break;
    default: return FALSE;
    }
    text = buffer;
    return TRUE;
}

BOOL CUXShellPidl::ShellContextMenu(CWnd* window, IShellFolder* folder, LPCITEMIDLIST* ids, int count,
                                    CPoint point)
{
    if (window == nullptr || folder == nullptr)
        return FALSE;
    HWND hWnd = window->GetSafeHwnd();
    IContextMenu* menu = nullptr;
    HRESULT hr = folder->GetUIObjectOf(hWnd, static_cast<UINT>(count), ids, IID_IContextMenu, nullptr,
                                       reinterpret_cast<void**>(&menu));
    if (FAILED(hr) || menu == nullptr)
    {
        CString message;
        message.Format("GetUIObjectOf failed! hr=%lx", static_cast<unsigned long>(hr));
        AfxMessageBox(message);
        return FALSE;
    }
    // The richest form of the menu object: drawn and filled sub-menus need the later ones.
    IContextMenu2* menu2 = nullptr;
    IContextMenu3* menu3 = nullptr;
    if (SUCCEEDED(menu->QueryInterface(IID_IContextMenu3, reinterpret_cast<void**>(&menu3))) && menu3 != nullptr)
    {
        menu->Release();
        menu = menu3;
        menu2 = menu3;
    }
    else if (SUCCEEDED(menu->QueryInterface(IID_IContextMenu2, reinterpret_cast<void**>(&menu2))) &&
             menu2 != nullptr)
    {
        menu->Release();
        menu = menu2;
    }

    HMENU popup = ::CreatePopupMenu();
    UINT command = 0;
    if (popup != nullptr)
    {
        menu->QueryContextMenu(popup, 0, 1, 0x7FFF, CMF_EXPLORE);
        CUXContextMenuHook hook(menu2);
        if (menu2 != nullptr)
            hook.AttachWindow(hWnd);
        command = static_cast<UINT>(
            ::TrackPopupMenu(popup, TPM_RETURNCMD | TPM_RIGHTBUTTON, point.x, point.y, 0, hWnd, nullptr));
        // Our procedure leaves only while it is the window's own; below a later one it passes messages on.
        hook.DetachWindow();
    }
    if (command != 0)
    {
        CMINVOKECOMMANDINFO invoke = {};
        invoke.cbSize = sizeof(invoke);
        invoke.hwnd = hWnd;
        invoke.lpVerb = MAKEINTRESOURCEA(command - 1);
        invoke.nShow = SW_SHOWNORMAL;
        hr = menu->InvokeCommand(&invoke);
        if (FAILED(hr))
        {
            CString message;
            message.Format("InvokeCommand failed. hr=%lx", static_cast<unsigned long>(hr));
            AfxMessageBox(message);
        }
    }
    if (popup != nullptr)
        ::DestroyMenu(popup);
    menu->Release();
    return TRUE;
}

// ---- CUXComboBoxEx -------------------------------------------------------------------------------------

IMPLEMENT_DYNAMIC(CUXComboBoxEx, CComboBox)

BOOL CUXComboBoxEx::Create(DWORD dwStyle, const RECT& rect, CWnd* pParentWnd, UINT nID)
{
    return CreateEx(0, WC_COMBOBOXEXA, nullptr, dwStyle | WS_CHILD, rect, pParentWnd, nID);
}

int CUXComboBoxEx::InsertItem(int index, LPCSTR text, int indent, int image, int selectedImage, UINT mask)
{
    COMBOBOXEXITEMA item = {};
    item.mask = mask;
    item.iItem = index;
    item.pszText = const_cast<LPSTR>(text);
    item.iImage = image;
    item.iSelectedImage = selectedImage;
    item.iIndent = indent;
    return static_cast<int>(SendMessage(CBEM_INSERTITEMA, 0, reinterpret_cast<LPARAM>(&item)));
}

HIMAGELIST CUXComboBoxEx::SetImageList(HIMAGELIST imageList)
{
    return reinterpret_cast<HIMAGELIST>(SendMessage(CBEM_SETIMAGELIST, 0, reinterpret_cast<LPARAM>(imageList)));
}

CString CUXComboBoxEx::GetItemText(int index) const
{
    char text[MAX_PATH + 1] = {};
    COMBOBOXEXITEMA item = {};
    item.mask = CBEIF_TEXT;
    item.iItem = index;
    item.pszText = text;
    item.cchTextMax = MAX_PATH;
    SendMessage(CBEM_GETITEMA, 0, reinterpret_cast<LPARAM>(&item));
    return CString(text);
}

// ---- CUXShellDropSource --------------------------------------------------------------------------------

STDMETHODIMP CUXShellDropSource::QueryInterface(REFIID riid, void** ppv)
{
    if (ppv == nullptr)
        return E_POINTER;
    if (::IsEqualIID(riid, IID_IUnknown) || ::IsEqualIID(riid, IID_IDropSource))
    {
        *ppv = static_cast<IDropSource*>(this);
        AddRef();
        return S_OK;
    }
    *ppv = nullptr;
    return E_NOINTERFACE;
}

STDMETHODIMP_(ULONG) CUXShellDropSource::AddRef()
{
    return ++m_nRefs;
}

STDMETHODIMP_(ULONG) CUXShellDropSource::Release()
{
    ULONG refs = --m_nRefs;
    if (refs == 0)
        delete this;
    return refs;
}

STDMETHODIMP CUXShellDropSource::QueryContinueDrag(BOOL escapePressed, DWORD keyState)
{
    if (escapePressed)
        return DRAGDROP_S_CANCEL;
    return (keyState & MK_LBUTTON) ? S_OK : DRAGDROP_S_DROP;
}

STDMETHODIMP CUXShellDropSource::GiveFeedback(DWORD)
{
    return DRAGDROP_S_USEDEFAULTCURSORS;
}

// ---- CUXShellFolderTree --------------------------------------------------------------------------------

BEGIN_MESSAGE_MAP(CUXShellFolderTree, CUXTreeCtrl)
    ON_WM_CREATE()
    ON_WM_DESTROY()
    ON_NOTIFY_REFLECT_EX(TVN_SELCHANGEDA, OnSelChanged)
    ON_NOTIFY_REFLECT_EX(TVN_SELCHANGEDW, OnSelChanged)
    ON_NOTIFY_REFLECT_EX(TVN_ITEMEXPANDINGA, OnExpanding)
    ON_NOTIFY_REFLECT_EX(TVN_ITEMEXPANDINGW, OnExpanding)
    ON_NOTIFY_REFLECT_EX(TVN_DELETEITEMA, OnDeleteRecord)
    ON_NOTIFY_REFLECT_EX(TVN_DELETEITEMW, OnDeleteRecord)
    ON_NOTIFY_REFLECT(NM_RCLICK, OnRightClick)
    ON_NOTIFY_REFLECT(TVN_BEGINDRAGA, OnBeginDrag)
    ON_NOTIFY_REFLECT(TVN_BEGINDRAGW, OnBeginDrag)
    ON_NOTIFY_REFLECT(TVN_BEGINRDRAGA, OnBeginDrag)
    ON_NOTIFY_REFLECT(TVN_BEGINRDRAGW, OnBeginDrag)
    ON_MESSAGE(UXM_SHELLTREE, OnShellTreeMessage)
END_MESSAGE_MAP()

CUXShellFolderTree::CUXShellFolderTree()
{
    typedef void(WINAPI * GetSettingsProc)(LPSHELLFLAGSTATE, DWORD);
    HMODULE shell = ::GetModuleHandleA("shell32.dll");
    GetSettingsProc getSettings =
        shell != nullptr
            ? reinterpret_cast<GetSettingsProc>(reinterpret_cast<void*>(::GetProcAddress(shell, "SHGetSettings")))
            : nullptr;
    if (getSettings != nullptr)
        getSettings(&m_shellSettings, 0xFFAB);
    if (m_shellSettings.fShowAllObjects && !m_shellSettings.fShowSysFiles)
        m_nEnumFlags |= SHCONTF_INCLUDEHIDDEN;
}

CUXShellFolderTree::~CUXShellFolderTree()
{
    // A window that outlives this object keeps its items but no longer reports their end here.
    if (GetSafeHwnd() != nullptr)
        FreeItemRecords();
}

CUXShellItemData* CUXShellFolderTree::GetRecord(const CTreeCtrl* tree, HTREEITEM item)
{
    if (tree == nullptr || item == nullptr || item == TVI_ROOT)
        return nullptr;
    return reinterpret_cast<CUXShellItemData*>(tree->GetItemData(item));
}

void CUXShellFolderTree::FreeItemRecords()
{
    for (HTREEITEM item = GetRootItem(); item != nullptr; item = GetNextItemDeep(item))
    {
        if (CUXShellItemData* data = GetItemRecord(item))
        {
            SetItemData(item, 0);
            delete data;
        }
    }
}

void CUXShellFolderTree::DeleteAllFolderItems()
{
    FreeItemRecords();
    DeleteAllItems();
}

BOOL CUXShellFolderTree::OnDeleteRecord(NMHDR* pNMHDR, LRESULT*)
{
    NMTREEVIEWA* notify = reinterpret_cast<NMTREEVIEWA*>(pNMHDR);
    delete reinterpret_cast<CUXShellItemData*>(notify->itemOld.lParam);
    return FALSE;   // the tree's own handling follows
}

void CUXShellFolderTree::OnDestroy()
{
    FreeItemRecords();
    CUXTreeCtrl::OnDestroy();
}

// ---- initialisation ------------------------------------------------------------------------------------

void CUXShellFolderTree::PreSubclassWindow()
{
    CUXTreeCtrl::PreSubclassWindow();
    PostInitialize();
}

int CUXShellFolderTree::OnCreate(LPCREATESTRUCT lpCreateStruct)
{
    int result = CUXTreeCtrl::OnCreate(lpCreateStruct);
    PostInitialize();
    return result;
}

void CUXShellFolderTree::PostInitialize()
{
    if (m_nInitState != 0)
        return;
    m_nInitState = 1;
    PostMessage(UXM_SHELLTREE, UXM_FIRSTINIT);
}

void CUXShellFolderTree::OnInitialize()
{
    if (m_nInitState == 2)
        return;
    m_nInitState = 2;
    if (m_bSystemImages && SendMessage(TVM_GETIMAGELIST, TVSIL_NORMAL) == 0)
    {
        InitSystemImageList();
        const OSVERSIONINFOA& version = GetOSVersionInfo();
        BOOL xpOrLater =
            version.dwPlatformId == VER_PLATFORM_WIN32_NT &&
            (version.dwMajorVersion > 5 || (version.dwMajorVersion == 5 && version.dwMinorVersion >= 1));
        if (xpOrLater)
            ModifyStyle(0, TVS_HASBUTTONS | TVS_SHOWSELALWAYS | TVS_TRACKSELECT | TVS_SINGLEEXPAND);
        else
            ModifyStyle(0, TVS_HASBUTTONS | TVS_HASLINES | TVS_LINESATROOT);
        PopulateTree();
        EnableMultiSelect(FALSE);
    }
    if (m_bPathPending)
    {
        m_bPathPending = 0;
        SelectPath(m_strPendingPath);
    }
}

LRESULT CUXShellFolderTree::OnShellTreeMessage(WPARAM wParam, LPARAM lParam)
{
    if (wParam == UXSHELLTREE_FINDITEM)
    {
        SetRedraw(FALSE);
        BOOL found = FindItemById(GetSelectedItem(), reinterpret_cast<const CUXShellItemData*>(lParam));
        SetRedraw(TRUE);
        Invalidate();
        if (!found && m_pLinkedWnd != nullptr)
            m_pLinkedWnd->SendMessage(UXM_SHELLTREE, UXSHELLTREE_NOTFOUND, lParam);
        return found;
    }
    if (wParam == UXM_FIRSTINIT)
        OnInitialize();
    return 0;
}

BOOL CUXShellFolderTree::InitSystemImageList()
{
    SHFILEINFOA info = {};
    HIMAGELIST images = reinterpret_cast<HIMAGELIST>(
        ::SHGetFileInfoA("C:\\", 0, &info, sizeof(info), SHGFI_SYSICONINDEX | SHGFI_SMALLICON));
    if (images == nullptr)
        return FALSE;
    // The system's list is shared: the tree only borrows it.
    SendMessage(TVM_SETIMAGELIST, TVSIL_NORMAL, reinterpret_cast<LPARAM>(images));
    return TRUE;
}

// ---- filling -------------------------------------------------------------------------------------------

void CUXShellFolderTree::GetItemIcons(LPCITEMIDLIST absoluteId, TVITEMA* item)
{
    SHFILEINFOA info = {};
    LPCSTR id = reinterpret_cast<LPCSTR>(absoluteId);
    ::SHGetFileInfoA(id, 0, &info, sizeof(info), SHGFI_PIDL | SHGFI_SYSICONINDEX | SHGFI_SMALLICON);
    item->iImage = info.iIcon;
    info = SHFILEINFOA{};
    ::SHGetFileInfoA(id, 0, &info, sizeof(info),
                     SHGFI_PIDL | SHGFI_SYSICONINDEX | SHGFI_SMALLICON | SHGFI_OPENICON);
    item->iSelectedImage = info.iIcon;
}

HTREEITEM CUXShellFolderTree::InsertDesktopItem()
{
    LPITEMIDLIST desktop = nullptr;
    if (FAILED(::SHGetSpecialFolderLocation(nullptr, CSIDL_DESKTOP, &desktop)) || desktop == nullptr)
        return TVI_ROOT;
    SHFILEINFOA info = {};
    ::SHGetFileInfoA(reinterpret_cast<LPCSTR>(desktop), 0, &info, sizeof(info),
                     SHGFI_PIDL | SHGFI_DISPLAYNAME | SHGFI_ATTRIBUTES);
    LPITEMIDLIST relative = Concatenate(nullptr, desktop);
    LPITEMIDLIST absolute = Concatenate(nullptr, desktop);
    Free(desktop);
    CUXShellItemData* data = relative != nullptr && absolute != nullptr
                                 ? new (std::nothrow) CUXShellItemData(nullptr, relative, absolute)
                                 : nullptr;
    if (data == nullptr)
    {
        Free(relative);
        Free(absolute);
        return TVI_ROOT;
    }
    TVINSERTSTRUCTA insert = {};
    insert.hParent = TVI_ROOT;
    insert.hInsertAfter = TVI_LAST;
    insert.item.mask = TVIF_TEXT | TVIF_IMAGE | TVIF_SELECTEDIMAGE | TVIF_PARAM;
    insert.item.pszText = info.szDisplayName;
    insert.item.lParam = reinterpret_cast<LPARAM>(data);
    GetItemIcons(absolute, &insert.item);
    HTREEITEM item = InsertItem(&insert);
    if (item == nullptr)
    {
        delete data;
        return TVI_ROOT;
    }
    return item;
}

BOOL CUXShellFolderTree::InsertFolderItems(IShellFolder* folder, LPCITEMIDLIST parentAbsoluteId,
                                           HTREEITEM parentItem)
{
    if (folder == nullptr)
        return FALSE;
    CWaitCursorScope wait;
    CInterfaceRef<IEnumIDList> items;
    if (folder->EnumObjects(::GetParent(m_hWnd), static_cast<DWORD>(m_nEnumFlags), &items) != S_OK ||
        items == nullptr)
        return TRUE;
    BOOL complete = TRUE;
    LPITEMIDLIST id = nullptr;
    ULONG fetched = 0;
    while (items->Next(1, &id, &fetched) == S_OK && id != nullptr)
    {
        const ULONG wanted = SFGAO_HASSUBFOLDER | SFGAO_FOLDER | SFGAO_REMOVABLE | SFGAO_SHARE | SFGAO_LINK |
                             SFGAO_READONLY | SFGAO_GHOSTED;
        ULONG attributes = wanted;
        LPCITEMIDLIST ids[1] = {id};
        if (FAILED(folder->GetAttributesOf(1, ids, &attributes)))
            attributes = 0;
        if ((attributes & (SFGAO_FOLDER | SFGAO_HASSUBFOLDER)) == 0)
        {
            Free(id);
            continue;
        }
        CString name;
        LPITEMIDLIST absolute = nullptr;
        CUXShellItemData* data = nullptr;
        if (StrretToText(folder, id, SHGDN_NORMAL, name) &&
            (absolute = Concatenate(parentAbsoluteId, id)) != nullptr)
            data = new (std::nothrow) CUXShellItemData(folder, id, absolute);
        if (data == nullptr)
        {
            Free(id);
            Free(absolute);
            complete = FALSE;
            break;
        }
        TVINSERTSTRUCTA insert = {};
        insert.hParent = parentItem;
        insert.hInsertAfter = TVI_LAST;
        insert.item.mask = TVIF_TEXT | TVIF_IMAGE | TVIF_SELECTEDIMAGE | TVIF_PARAM | TVIF_CHILDREN;
        insert.item.pszText = const_cast<LPSTR>(name.GetString());
        insert.item.lParam = reinterpret_cast<LPARAM>(data);
        insert.item.cChildren = (attributes & SFGAO_HASSUBFOLDER) ? 1 : 0;
        GetItemIcons(absolute, &insert.item);
        HTREEITEM item = InsertItem(&insert);
        if (item == nullptr)
        {
            delete data;
            continue;
        }
        UINT state = (attributes & SFGAO_GHOSTED) ? TVIS_CUT : 0;
        if (attributes & SFGAO_LINK)
            state |= INDEXTOOVERLAYMASK(2);
        else if (attributes & SFGAO_SHARE)
            state |= INDEXTOOVERLAYMASK(1);
        SetItemState(item, state, TVIS_CUT | TVIS_OVERLAYMASK);
    }
    return complete;
}

void CUXShellFolderTree::SortFolderChildren(HTREEITEM parent)
{
    TVSORTCB sort = {};
    sort.hParent = parent;
    sort.lpfnCompare = CompareFolderItems;
    SortChildrenCB(&sort);
}

BOOL CUXShellFolderTree::InsertChildItems(HTREEITEM item, const CUXShellItemData* data)
{
    if (data == nullptr)
        return FALSE;
    CInterfaceRef<IShellFolder> folder;
    if (data->m_pParentFolder != nullptr)
    {
        if (FAILED(data->m_pParentFolder->BindToObject(data->m_pidlRelative, nullptr, IID_IShellFolder,
                                                       reinterpret_cast<void**>(&folder))) ||
            folder == nullptr)
            return FALSE;
    }
    else if (FAILED(::SHGetDesktopFolder(&folder)))
    {
        return FALSE;
    }
    BOOL complete = InsertFolderItems(folder, data->m_pidlAbsolute, item);
    SortFolderChildren(item);
    return complete;
}

void CUXShellFolderTree::EnsureChildren(HTREEITEM item)
{
    if (item == nullptr || (GetItemState(item, TVIS_EXPANDEDONCE) & TVIS_EXPANDEDONCE))
        return;
    InsertChildItems(item, GetItemRecord(item));
    SetItemState(item, TVIS_EXPANDEDONCE, TVIS_EXPANDEDONCE);
    TVITEMA children = {};
    children.mask = TVIF_CHILDREN;
    children.hItem = item;
    children.cChildren = GetChildItem(item) != nullptr ? 1 : 0;
    SetItem(&children);
}

HRESULT CUXShellFolderTree::PopulateTree()
{
    CInterfaceRef<IShellFolder> desktop;
    HRESULT hr = ::SHGetDesktopFolder(&desktop);
    if (FAILED(hr))
        return hr;
    DeleteAllFolderItems();
    HTREEITEM root = InsertDesktopItem();
    CUXShellItemData* rootData = root != TVI_ROOT ? GetItemRecord(root) : nullptr;
    InsertFolderItems(desktop, rootData != nullptr ? rootData->m_pidlAbsolute : nullptr, root);
    SortFolderChildren(root);
    if (root != TVI_ROOT)
    {
        // Its children are in: expanding must not read them again.
        SetItemState(root, TVIS_EXPANDEDONCE, TVIS_EXPANDEDONCE);
    }
    Expand(GetRootItem(), TVE_EXPAND);
    if (root == TVI_ROOT)
    {
        SelectItem(GetRootItem());
    }
    else
    {
        SetRedraw(FALSE);
        HTREEITEM first = GetChildItem(root);
        SelectItem(first);
        if (first != nullptr && !(GetStyle() & TVS_SINGLEEXPAND))
            Expand(first, TVE_EXPAND);
        SetRedraw(TRUE);
        Invalidate();
    }
    SetFocus();
    return S_OK;
}

BOOL CUXShellFolderTree::OnExpanding(NMHDR* pNMHDR, LRESULT*)
{
    OnFolderExpanding(reinterpret_cast<NMTREEVIEWA*>(pNMHDR));
    return FALSE;   // never refused
}

void CUXShellFolderTree::OnFolderExpanding(NMTREEVIEWA* notify)
{
    HTREEITEM item = notify->itemNew.hItem;
    if ((notify->action & TVE_EXPAND) == 0 || item == nullptr ||
        (GetItemState(item, TVIS_EXPANDEDONCE) & TVIS_EXPANDEDONCE))
        return;
    InsertChildItems(item, GetItemRecord(item));
    if (GetChildItem(item) == nullptr)
    {
        TVITEMA children = {};
        children.mask = TVIF_CHILDREN;
        children.hItem = item;
        SetItem(&children);
    }
}

BOOL CUXShellFolderTree::InitRootFolder(LPCSTR path)
{
    DeleteAllFolderItems();
    CInterfaceRef<IShellFolder> desktop;
    if (FAILED(::SHGetDesktopFolder(&desktop)))
        return FALSE;
    IShellFolder* folder = desktop;
    folder->AddRef();
    LPITEMIDLIST absolute = Concatenate(nullptr, nullptr);
    // The drive's root first ("C:\"), then one folder name at a time.
    CString rest(path != nullptr ? path : "");
    std::vector<CString> parts;
    while (!rest.IsEmpty())
    {
        int slash = rest.Find('\\');
        CString part = slash < 0 ? rest : rest.Left(parts.empty() ? slash + 1 : slash);
        rest = slash < 0 ? CString() : rest.Mid(slash + 1);
        if (!part.IsEmpty())
            parts.push_back(part);
    }
    for (const CString& part : parts)
    {
        WCHAR wide[MAX_PATH + 1] = {};
        ::MultiByteToWideChar(CP_ACP, 0, part, -1, wide, MAX_PATH);
        LPITEMIDLIST relative = nullptr;
        ULONG eaten = 0;
        IShellFolder* next = nullptr;
        if (FAILED(folder->ParseDisplayName(m_hWnd, nullptr, wide, &eaten, &relative, nullptr)) ||
            relative == nullptr)
            break;
        if (FAILED(folder->BindToObject(relative, nullptr, IID_IShellFolder, reinterpret_cast<void**>(&next))) ||
            next == nullptr)
        {
            Free(relative);
            break;
        }
        LPITEMIDLIST longer = Concatenate(absolute, relative);
        Free(relative);
        Free(absolute);
        absolute = longer;
        folder->Release();
        folder = next;
    }
    InsertFolderItems(folder, absolute, TVI_ROOT);
    SortFolderChildren(TVI_ROOT);
    folder->Release();
    Free(absolute);
    HTREEITEM first = GetRootItem();
    if (first != nullptr)
    {
        Expand(first, TVE_EXPAND);
        SelectItem(first);
    }
    return first != nullptr;
}

// ---- paths ---------------------------------------------------------------------------------------------

BOOL CUXShellFolderTree::GetItemPath(HTREEITEM item, CString& path)
{
    const CUXShellItemData* data = GetItemRecord(item);
    if (data == nullptr || data->m_pParentFolder == nullptr || data->m_pidlRelative == nullptr)
        return FALSE;
    ULONG attributes = SFGAO_FILESYSTEM;
    LPCITEMIDLIST ids[1] = {data->m_pidlRelative};
    if (FAILED(data->m_pParentFolder->GetAttributesOf(1, ids, &attributes)) || !(attributes & SFGAO_FILESYSTEM))
        return FALSE;
    char buffer[MAX_PATH + 1] = {};
    if (!::SHGetPathFromIDListA(data->m_pidlAbsolute, buffer))
        return FALSE;
    path = buffer;
    return TRUE;
}

BOOL CUXShellFolderTree::GetSelectedPath(CString& path)
{
    return GetItemPath(GetSelectedItem(), path);
}

BOOL CUXShellFolderTree::GetSelectedPathAndExpand(NMTREEVIEWA* notify, CString& path)
{
    BOOL found = GetSelectedPath(path);
    HTREEITEM item = notify != nullptr ? notify->itemNew.hItem : nullptr;
    if (item != nullptr && ItemHasChildren(item))
        EnsureChildren(item);
    return found;
}

BOOL CUXShellFolderTree::MatchItemPath(HTREEITEM startItem, LPCSTR text, int mode, BOOL driveOnly)
{
    for (HTREEITEM item = startItem; item != nullptr; item = GetNextSiblingItem(item))
    {
        CString path;
        if (!GetItemPath(item, path))
            continue;
        CString compared;
        if (mode == 0)
        {
            PathParts parts(path);
            if (driveOnly && !parts.IsDriveRoot())
                continue;
            compared = parts.drive;
        }
        else
        {
            compared = GetItemText(item);
        }
        if (::_stricmp(compared, text) == 0)
        {
            EnsureVisible(item);
            SelectItem(item);
            return TRUE;
        }
    }
    return FALSE;
}

BOOL CUXShellFolderTree::SelectPath(LPCSTR path)
{
    m_strPendingPath = path != nullptr ? path : "";
    if (m_nInitState != 2 || GetSafeHwnd() == nullptr)
    {
        m_bPathPending = 1;
        return FALSE;
    }
    CString target(m_strPendingPath);
    if (target.GetLength() == 1)
        target += ":\\";
    else if (target.GetLength() == 2 && target[1] == ':')
        target = Path::WithTrailingBackslash(target);
    if (::_access(target, 0) != 0 && target.GetLength() != 3)
    {
        MessageBox(target, "Folder not found", MB_ICONERROR);
        return FALSE;
    }
    target = Path::WithTrailingBackslash(target);

    m_bSelecting = 1;
    // Redrawing stays off while the walk opens folders (locking window updates is not reliable everywhere).
    SetRedraw(FALSE);
    PathParts parts(target);
    std::vector<CString> folders;
    for (CString rest = CString(parts.dir).Mid(1); !rest.IsEmpty();)
    {
        int slash = rest.Find('\\');
        CString name = slash < 0 ? rest : rest.Left(slash);
        rest = slash < 0 ? CString() : rest.Mid(slash + 1);
        if (!name.IsEmpty())
            folders.push_back(name);
    }
    BOOL found = FALSE;
    HTREEITEM root = GetRootItem();
    for (HTREEITEM child = GetChildItem(root); child != nullptr && !found; child = GetNextSiblingItem(child))
    {
        EnsureChildren(child);
        // Only a drive's own item answers for the drive: the folders below it carry the same letter.
        if (!MatchItemPath(GetChildItem(child), parts.drive, 0, TRUE))
            continue;
        found = TRUE;
        for (const CString& name : folders)
        {
            HTREEITEM caret = GetSelectedItem();
            EnsureChildren(caret);
            if (!MatchItemPath(GetChildItem(caret), name, 1, FALSE))
            {
                found = FALSE;
                break;
            }
            Expand(GetSelectedItem(), TVE_EXPAND);
        }
    }
    SetRedraw(TRUE);
    Invalidate();
    m_bSelecting = 0;
    HTREEITEM caret = GetSelectedItem();
    if (m_pLinkedWnd != nullptr && caret != nullptr)
        m_pLinkedWnd->SendMessage(UXM_SHELLTREE, UXSHELLTREE_SELCHANGED, static_cast<LPARAM>(GetItemData(caret)));
    return found;
}

BOOL CUXShellFolderTree::FindItemById(HTREEITEM startItem, const CUXShellItemData* record)
{
    if (record == nullptr || record->m_pidlRelative == nullptr)
        return FALSE;
    CInterfaceRef<IShellFolder> desktop;
    IShellFolder* folder = record->m_pParentFolder;
    if (folder == nullptr)
    {
        if (FAILED(::SHGetDesktopFolder(&desktop)))
            return FALSE;
        folder = desktop;
    }
    for (HTREEITEM item = startItem; item != nullptr; item = GetNextSiblingItem(item))
    {
        const CUXShellItemData* data = GetItemRecord(item);
        if (data != nullptr && data->m_pidlRelative != nullptr)
        {
            HRESULT hr = folder->CompareIDs(0, data->m_pidlRelative, record->m_pidlRelative);
            if (SUCCEEDED(hr) && HRESULT_CODE(hr) == 0)
            {
                EnsureVisible(item);
                SelectItem(item);
                return TRUE;
            }
        }
        if (FindItemById(GetChildItem(item), record))
            return TRUE;
    }
    return FALSE;
}

// ---- companions ----------------------------------------------------------------------------------------

void CUXShellFolderTree::SetLinkedWindow(CWnd* window)
{
    m_pLinkedWnd = window;
}

void CUXShellFolderTree::SetComboBox(CComboBox* combo)
{
    m_pComboBox = combo;
    if (combo != nullptr && combo->IsKindOf(RUNTIME_CLASS(CUXComboBoxEx)))
    {
        SHFILEINFOA info = {};
        HIMAGELIST images = reinterpret_cast<HIMAGELIST>(
            ::SHGetFileInfoA("C:\\", 0, &info, sizeof(info), SHGFI_SYSICONINDEX | SHGFI_SMALLICON));
        static_cast<CUXComboBoxEx*>(combo)->SetImageList(images);
    }
}

BOOL CUXShellFolderTree::OnSelChanged(NMHDR* pNMHDR, LRESULT*)
{
    NMTREEVIEWA* notify = reinterpret_cast<NMTREEVIEWA*>(pNMHDR);
    CString text;
    BOOL hasPath = GetSelectedPathAndExpand(notify, text);
    HTREEITEM caret = GetSelectedItem();
    if (caret == nullptr)
        return FALSE;
    if (!hasPath)
        text = GetItemText(caret);
    if (!m_bSelecting && m_pLinkedWnd != nullptr)
        m_pLinkedWnd->SendMessage(UXM_SHELLTREE, UXSHELLTREE_SELCHANGED, static_cast<LPARAM>(GetItemData(caret)));
    if (m_pComboBox == nullptr || m_pComboBox->GetSafeHwnd() == nullptr)
        return FALSE;
    if (m_pComboBox->IsKindOf(RUNTIME_CLASS(CUXComboBoxEx)))
    {
        CUXComboBoxEx* combo = static_cast<CUXComboBoxEx*>(m_pComboBox);
        int count = combo->GetCount();
        for (int i = 0; i < count; ++i)
        {
            if (combo->GetItemText(i).CompareNoCase(text) == 0)
            {
                combo->SetCurSel(i);
                return FALSE;
            }
        }
        int image = 0, selectedImage = 0;
        GetItemImage(caret, image, selectedImage);
        int index = combo->InsertItem(0, text, 0, image, image,
                                      CBEIF_TEXT | CBEIF_IMAGE | CBEIF_SELECTEDIMAGE | CBEIF_INDENT);
        if (index >= 0)
        {
            combo->SetCurSel(index);
            combo->SetItemData(index, reinterpret_cast<DWORD_PTR>(caret));
        }
        return FALSE;
    }
    int found = m_pComboBox->FindString(-1, text);
    if (found >= 0)
    {
        m_pComboBox->SetCurSel(found);
        return FALSE;
    }
    int index = m_pComboBox->InsertString(0, text);
    if (index >= 0)
    {
        m_pComboBox->SetCurSel(index);
        m_pComboBox->SetItemData(index, reinterpret_cast<DWORD_PTR>(caret));
    }
    return FALSE;
}

// ---- context menu and dragging -------------------------------------------------------------------------

void CUXShellFolderTree::OnRightClick(NMHDR*, LRESULT* pResult)
{
    if (m_bContextMenu)
    {
        ShowContextMenu();
        *pResult = 1;   // the menu was the answer: no further context menu
    }
}

void CUXShellFolderTree::ShowContextMenu()
{
    CPoint screen;
    ::GetCursorPos(&screen);
    CPoint client(screen);
    ScreenToClient(&client);
    UINT flags = 0;
    HTREEITEM item = HitTest(client, &flags);
    const CUXShellItemData* data = GetItemRecord(item);
    if (data == nullptr || !(flags & (TVHT_ONITEMICON | TVHT_ONITEMLABEL)))
        return;
    LPCITEMIDLIST ids[1] = {data->m_pidlRelative};
    if (data->m_pParentFolder != nullptr)
    {
        ShellContextMenu(this, data->m_pParentFolder, ids, 1, screen);
        return;
    }
    CInterfaceRef<IShellFolder> desktop;
    if (SUCCEEDED(::SHGetDesktopFolder(&desktop)))
        ShellContextMenu(this, desktop, ids, 1, screen);
}

void CUXShellFolderTree::OnBeginDrag(NMHDR* pNMHDR, LRESULT*)
{
    BeginDrag(reinterpret_cast<NMTREEVIEWA*>(pNMHDR));
}

void CUXShellFolderTree::BeginDrag(NMTREEVIEWA* notify)
{
    const CUXShellItemData* data = GetItemRecord(notify->itemNew.hItem);
    if (data == nullptr)
        return;
    CInterfaceRef<IShellFolder> desktop;
    IShellFolder* folder = data->m_pParentFolder;
    if (folder == nullptr)
    {
        if (FAILED(::SHGetDesktopFolder(&desktop)))
            return;
        folder = desktop;
    }
    CInterfaceRef<IDataObject> object;
    LPCITEMIDLIST ids[1] = {data->m_pidlRelative};
    CWnd* main = AfxGetMainWnd();
    if (FAILED(folder->GetUIObjectOf(main != nullptr ? main->GetSafeHwnd() : m_hWnd, 1, ids, IID_IDataObject,
                                     nullptr, reinterpret_cast<void**>(&object))) ||
        object == nullptr)
        return;
    CUXShellDropSource* source = new (std::nothrow) CUXShellDropSource;
    if (source == nullptr)
        return;
    DWORD effect = 0;
    ::DoDragDrop(object, source, DROPEFFECT_COPY | DROPEFFECT_MOVE | DROPEFFECT_LINK, &effect);
    source->Release();
}
