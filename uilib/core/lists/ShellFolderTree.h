// CUXShellFolderTree: a tree of the shell's namespace rooted at the desktop, filled lazily (a folder's children
// are read when it is first expanded or selected), with the shell's small icons and overlays, the shell's
// context menu on a right click, shell drag and drop, selection of a file-system path given as text, and an
// optional combo box and linked window kept in step with the selection.
//
// Each item carries a CUXShellItemData record (its item data); the tree frees the records of its items when
// they go. CUXShellPidl holds the item-id list helpers; the shell's allocator owns every id list.
#pragma once

#include "framework/win/Framework.h"
#include "uilib/core/lists/TreeCtrl.h"
#include "uilib/core/base/WndHook.h"

#include <shlobj.h>

// The record of one tree item. It holds a reference to the parent folder (none for the desktop item) and owns
// both id lists.
struct CUXShellItemData
{
    // Takes over relative and absolute (freed with the shell's allocator) and references parent.
    CUXShellItemData(IShellFolder* parent, LPITEMIDLIST relative, LPITEMIDLIST absolute);
    ~CUXShellItemData();
    CUXShellItemData(const CUXShellItemData&) = delete;
    CUXShellItemData& operator=(const CUXShellItemData&) = delete;

    IShellFolder* m_pParentFolder;
    LPITEMIDLIST m_pidlRelative;   // relative to the parent folder
    LPITEMIDLIST m_pidlAbsolute;   // from the desktop

    // How many records exist in the program now.
    static LONG GetLiveCount();
};

// Item-id list helpers.
class CUXShellPidl
{
public:
    // The id after this one (the terminator at the end); null for none.
    static LPITEMIDLIST GetNextItemId(LPCITEMIDLIST id);
    // The list's size in bytes with its terminator; 0 for none.
    static UINT GetSize(LPCITEMIDLIST id);
    // Zero-filled memory from the shell's allocator.
    static LPITEMIDLIST Allocate(UINT size);
    static void Free(void* memory);
    // A new list: first without its terminator, then the whole second (either may be null).
    static LPITEMIDLIST Concatenate(LPCITEMIDLIST first, LPCITEMIDLIST second);
    // The first id of the list with a terminator, copied with the allocator.
    static LPITEMIDLIST CopyFirstItemId(IMalloc* allocator, LPCITEMIDLIST id);
    // The system icon index of a path (SHGetFileInfoA with flags).
    static int GetIconIndex(LPCSTR path, UINT flags);
    // Shows the shell's context menu of the ids (children of folder) at point (screen) and runs the chosen
    // command.
    static BOOL ShellContextMenu(CWnd* window, IShellFolder* folder, LPCITEMIDLIST* ids, int count, CPoint point);
    // The display name of id in folder, as ANSI text of at most MAX_PATH characters.
    static BOOL StrretToText(IShellFolder* folder, LPCITEMIDLIST id, DWORD flags, CString& text);
};

// An extended combo box: items with images.
class CUXComboBoxEx : public CComboBox
{
    DECLARE_DYNAMIC(CUXComboBoxEx)
public:
    CUXComboBoxEx() = default;
    BOOL Create(DWORD dwStyle, const RECT& rect, CWnd* pParentWnd, UINT nID);
    int InsertItem(int index, LPCSTR text, int indent, int image, int selectedImage, UINT mask);
    HIMAGELIST SetImageList(HIMAGELIST imageList);
    CString GetItemText(int index) const;
};

// The drop source of the tree's drags: Escape cancels, letting go of the left button drops.
class CUXShellDropSource : public IDropSource
{
public:
    CUXShellDropSource() = default;   // one reference, the creator's
    STDMETHODIMP QueryInterface(REFIID riid, void** ppv) override;
    STDMETHODIMP_(ULONG) AddRef() override;
    STDMETHODIMP_(ULONG) Release() override;
    STDMETHODIMP QueryContinueDrag(BOOL escapePressed, DWORD keyState) override;
    STDMETHODIMP GiveFeedback(DWORD effect) override;

private:
    virtual ~CUXShellDropSource() = default;
    ULONG m_nRefs = 1;
};

class CUXShellFolderTree : public CUXTreeCtrl, public CUXShellPidl
{
public:
    CUXShellFolderTree();
    ~CUXShellFolderTree() override;

    // Inserts the folder's sub-folders (and items that hold folders) under parentItem; FALSE when a name or a
    // record could not be made.
    virtual BOOL InsertFolderItems(IShellFolder* folder, LPCITEMIDLIST parentAbsoluteId, HTREEITEM parentItem);
    // The item's image and selected image: the small system icon and its open form.
    virtual void GetItemIcons(LPCITEMIDLIST absoluteId, TVITEMA* item);
    virtual BOOL InitSystemImageList();
    // Fills the tree anew from the desktop; the error of SHGetDesktopFolder when it fails.
    virtual HRESULT PopulateTree();
    virtual void OnFolderExpanding(NMTREEVIEWA* notify);
    virtual void ShowContextMenu();
    virtual BOOL GetSelectedPathAndExpand(NMTREEVIEWA* notify, CString& path);
    // The caret's file-system path.
    virtual BOOL GetSelectedPath(CString& path);
    // Selects the item (from startItem, its siblings and their children) whose id the record names.
    virtual BOOL FindItemById(HTREEITEM startItem, const CUXShellItemData* record);
    virtual void SetLinkedWindow(CWnd* window);
    virtual void SetComboBox(CComboBox* combo);
    // Reads the item's folder and inserts its children, sorted.
    virtual BOOL InsertChildItems(HTREEITEM item, const CUXShellItemData* data);
    // Selects the first of startItem and its following siblings whose drive (mode 0; with driveOnly only a
    // drive's own item) or label (mode 1) is text.
    virtual BOOL MatchItemPath(HTREEITEM startItem, LPCSTR text, int mode, BOOL driveOnly);
    // Finds and selects a file-system path ("C", "C:" and "C:\\" all mean the drive).
    virtual BOOL SelectPath(LPCSTR path);
    virtual BOOL GetItemPath(HTREEITEM item, CString& path);
    // Fills the tree with the children of the folder a path leads to.
    virtual BOOL InitRootFolder(LPCSTR path);
    virtual void BeginDrag(NMTREEVIEWA* notify);
    virtual void PostInitialize();
    virtual void OnInitialize();
    virtual HTREEITEM InsertDesktopItem();

    static CUXShellItemData* GetRecord(const CTreeCtrl* tree, HTREEITEM item);
    CUXShellItemData* GetItemRecord(HTREEITEM item) const { return GetRecord(this, item); }
    void EnableContextMenu(BOOL enable) { m_bContextMenu = enable; }
    void UseSystemImages(BOOL use) { m_bSystemImages = use; }
    int GetEnumFlags() const { return m_nEnumFlags; }

protected:
    void PreSubclassWindow() override;
    // Inserts the item's children once (when not yet expanded once) and marks it so.
    void EnsureChildren(HTREEITEM item);
    void SortFolderChildren(HTREEITEM parent);
    // Deletes the records of all items (and clears the items' data).
    void FreeItemRecords();
    void DeleteAllFolderItems();

    afx_msg int OnCreate(LPCREATESTRUCT lpCreateStruct);
    afx_msg void OnDestroy();
    afx_msg BOOL OnSelChanged(NMHDR* pNMHDR, LRESULT* pResult);
    afx_msg BOOL OnExpanding(NMHDR* pNMHDR, LRESULT* pResult);
    afx_msg void OnRightClick(NMHDR* pNMHDR, LRESULT* pResult);
    afx_msg void OnBeginDrag(NMHDR* pNMHDR, LRESULT* pResult);
    afx_msg BOOL OnDeleteRecord(NMHDR* pNMHDR, LRESULT* pResult);
    afx_msg LRESULT OnShellTreeMessage(WPARAM wParam, LPARAM lParam);
    DECLARE_MESSAGE_MAP()

    SHELLFLAGSTATE m_shellSettings = {};
    CString m_strPendingPath;
    int m_nEnumFlags = SHCONTF_FOLDERS | SHCONTF_NONFOLDERS;
    CWnd* m_pLinkedWnd = nullptr;
    CComboBox* m_pComboBox = nullptr;
    int m_bContextMenu = 1;
    int m_bSystemImages = 1;
    int m_nInitState = 0;   // 0 not posted, 1 posted and waiting, 2 done
    int m_bPathPending = 0;
    BYTE m_bSelecting = 0;
};
