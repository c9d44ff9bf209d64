// Cool menus: every pop-up menu of the user-interface thread is a system menu window (class "#32768"). A
// thread-wide computer-based-training hook, installed at program start, puts a pop-up hook on each of them:
// while any menu is open the system's menu animation is off (and, where the system draws menu shadows, its
// shadow setting follows the library's menu-shadow option); where the system draws none the library gives
// the menu its own drop shadow.
//
// CUXCoolMenu hooks a window that owns menus and makes that window's menu items owner-drawn, with the
// command images of tool bars in an image column. It can hide rarely used commands behind a chevron item
// ("Display full menus", ID_UX_FULL_MENUS) while a CUXTrackMenu is open; commands the user picks are kept as
// recent items in the settings store and stay visible.
//
// CUXTrackMenu is the library's pop-up menu for context and drop-down menus: it opens again with every item
// when the user picks the chevron.
#pragma once

#include "uilib/core/base/LibraryIds.h"
#include "uilib/core/base/WndHook.h"

#include <cstdint>
#include <map>
#include <memory>
#include <vector>

class CUXToolBar;

// The record behind one converted menu item (its dwItemData).
struct CUXMenuItemData
{
    static const uint32_t kSignature = 0x74696D76;
    enum HideBits : UINT
    {
        hideRunFirst = 1,   // the first of a run of hideable items
        hideRunLast = 2,    // the last of such a run
        hideable = 4,       // rarely used: hidden while hiding is active
    };

    CString m_strText;            // the label with its tab and shortcut
    BOOL m_bRemoved = FALSE;      // hidden: not in its menu now
    HMENU m_hMenu = nullptr;      // the menu it belongs to
    HMENU m_hSubMenu = nullptr;   // null for a command
    uint32_t m_nSignature = kSignature;
    int m_nPosition = -1;
    int m_nImage = -1;   // index in the normal images, -1: none
    int m_nID = -1;
    UINT m_fType = 0;    // MFT_ bits as they were before the conversion
    UINT m_fState = 0;   // MFS_ bits
    UINT m_nHide = 0;    // HideBits
    UINT m_nEdge = 0;    // the side of a drop-down button the item borders (0: none)
};

class CUXCoolMenu : public CUXWndHook
{
    DECLARE_DYNAMIC(CUXCoolMenu)
public:
    CUXCoolMenu();
    ~CUXCoolMenu() override;

    using CUXWndHook::AttachWindow;
    // Hooks the window that receives the menu messages.
    virtual BOOL Install(CWnd* pWnd);
    // The cool menu hooked to the window, newest first; null when it has none.
    static CUXCoolMenu* FindOn(HWND hWnd);

    // ---- images: normal is TRUE for the commands' own images, FALSE for those shown while disabled ----
    // Every button of a tool bar that has an image.
    virtual BOOL LoadToolbar(CUXToolBar* pBar, BOOL normal = TRUE);
    // A tool-bar resource and its bitmap of the same id.
    virtual BOOL LoadToolbar(UINT nIDResource, BOOL normal = TRUE);
    virtual BOOL LoadToolbars(const UINT* ids, int count, BOOL normal = TRUE);
    // A bitmap cut into images (the look data's face colour is transparent) for the non-zero ids in order.
    virtual BOOL LoadBitmap(HBITMAP hBitmap, const UINT* ids, int count, BOOL normal = TRUE);
    virtual BOOL LoadBitmap(UINT nIDBitmap, const UINT* ids, int count, BOOL normal = TRUE);
    // Stores a copy of the icon as the command's image (replacing one it had) and destroys the icon.
    virtual BOOL AddImage(UINT nID, HICON hIcon, BOOL normal = TRUE);
    virtual BOOL AddImage(UINT nID, HICON hIcon, int cx, int cy, BOOL normal);
    virtual void SetImageSize(int cx, int cy);
    virtual CSize GetImageSize() const { return CSize(m_cxImage, m_cyImage); }
    // The image index of a command, -1 when it has none.
    int GetImageIndex(UINT nID, BOOL normal = TRUE) const;
    CImageList& GetImageList(BOOL normal = TRUE) { return normal ? m_images : m_disabledImages; }
    virtual void ResetImages();
    virtual void OnSysColorChange();

    // ---- hiding rarely used commands ----
    virtual void AddHiddenCommand(UINT nID);
    virtual void AddHiddenCommands(const UINT* ids, int count);
    // Listed as hideable and not recent.
    virtual BOOL IsHiddenCommand(UINT nID) const;
    // Hiding was switched on, a CUXTrackMenu is open and the look data's option is on.
    virtual BOOL IsHidingActive() const;
    virtual void SetMaxRecentItems(int count);
    int GetMaxRecentItems() const { return m_nMaxRecent; }
    virtual void AddRecentItem(UINT nID);
    virtual BOOL IsRecentItem(UINT nID) const;
    virtual void ClearRecentItems();

    // ---- menus ----
    // The position of the command in the menu, -1 when it is not there.
    virtual int FindCommand(CMenu* pMenu, UINT nID) const;
    virtual void ConvertMenu(CMenu* pMenu, BOOL toOwnerDraw);
    virtual BOOL IsSysMenu(CMenu* pMenu) const;
    virtual BOOL IsPrevItemHidden(CMenu* pMenu, int pos) const;
    virtual BOOL IsNextItemHidden(CMenu* pMenu, int pos) const;
    virtual BOOL IsFirstItem(HMENU hMenu, int pos) const;
    virtual BOOL IsLastItem(HMENU hMenu, int pos, UINT nID) const;
    // Removes the hideable items (unless full menus were asked for) and adds the chevron.
    virtual void HideItems(CMenu* pMenu);
    // Puts the removed items back; TRUE when any came back.
    virtual BOOL ShowHiddenItems(CMenu* pMenu);
    virtual BOOL HasHiddenItems(CMenu* pMenu) const;
    virtual void UpdateChevron(CMenu* pMenu, BOOL force);

    // ---- the menu messages ----
    virtual void OnTimer(UINT_PTR nID);
    virtual void OnInitMenuPopup(CMenu* pMenu, UINT nIndex, BOOL bSysMenu);
    virtual BOOL MeasureItem(MEASUREITEMSTRUCT* lpmis);
    virtual BOOL DrawItem(DRAWITEMSTRUCT* lpdis);
    virtual LRESULT OnMenuChar(UINT nChar, UINT nFlags, CMenu* pMenu);
    virtual void OnMenuSelect(UINT nItemID, UINT nFlags, HMENU hMenu);
    LRESULT HandleMessage(UINT message, WPARAM wParam, LPARAM lParam) override;

    // The record of an item's data when it is one of this menu's (else null).
    CUXMenuItemData* FindItemData(ULONG_PTR itemData) const;

    // The next WM_INITMENUPOPUP passes unconverted (for menus their owner draws itself).
    static void SkipNextMenuInit();
    // The side (0x1000 left, 0x2000 top, 0x4000 right, 0x8000 bottom) and screen rectangle of the tool-bar
    // button whose drop-down opens the next menu.
    static void SetDropDownSide(UINT side, const CRect& button);
    // Whether the user asked for full menus (the chevron) since the last command.
    static BOOL IsFullMenuRequested();
    // Pop-up menu windows open now.
    static int GetOpenMenuCount();
    // Mnemonics stay underlined although the system hides keyboard cues (the menu bar sets it while the
    // keyboard drives it).
    static void SetShowUnderlines(BOOL show);
    // The window's menu loop runs for a pop-up menu (not its menu bar).
    BOOL IsMenuLoopPopup() const { return m_bMenuLoopIsPopup; }

    enum
    {
        kExpandTimer = 1000,
        kExpandDelay = 750
    };

protected:
    virtual void DrawMenuText(CDC* dc, const CRect& rect, const CString& text, COLORREF color, BOOL bold,
                              BOOL disabled);
    virtual void DrawCheckMark(CDC* dc, const CRect& box, COLORREF color, BOOL bullet);
    virtual void DrawChevron(CDC* dc, const CRect& rect, BOOL selected);
    void DrawImage(CDC* dc, const CUXMenuItemData* data, const CRect& box, UINT itemState, BOOL flat);

private:
    CMenu* MenuOf(HMENU hMenu) const { return CMenu::FromHandle(hMenu); }
    CUXMenuItemData* NewItemData();
    void DeleteItemData(CUXMenuItemData* data);
    void ReadRecentItems(std::vector<UINT>& items) const;
    BOOL IsFlat() const;

    CImageList m_images;
    CImageList m_disabledImages;
    std::map<UINT, int> m_imageIndex;
    std::map<UINT, int> m_disabledIndex;
    std::vector<UINT> m_hiddenCommands;
    int m_cxImage = 16;
    int m_cyImage = 15;
    int m_cxImageBox = 18;
    int m_cyImageBox = 17;
    int m_nMaxRecent = 5;
    BOOL m_bHidingEnabled = FALSE;
    BOOL m_bTimerRunning = FALSE;
    BOOL m_bKeyboardCues = TRUE;
    BOOL m_bMenuLoopIsPopup = FALSE;
    std::vector<HMENU> m_convertedMenus;
    std::vector<std::unique_ptr<CUXMenuItemData>> m_itemData;
};

// A pop-up menu for context and drop-down menus. While one is open, menus of a cool menu may hide their
// rarely used commands; picking the chevron opens the menu again with every command.
class CUXTrackMenu : public CMenu
{
public:
    CUXTrackMenu();
    ~CUXTrackMenu() override;

    // Tracks the menu (the command is returned; TPM_RETURNCMD is always used); with post the command picked
    // is posted to the owner as WM_COMMAND.
    UINT TrackPopupMenu(UINT nFlags, int x, int y, CWnd* pOwner, BOOL post = TRUE);
    UINT TrackPopupMenuEx(UINT nFlags, int x, int y, CWnd* pOwner, LPTPMPARAMS lptpm, BOOL post = TRUE);

    // Whether a CUXTrackMenu is open now.
    static BOOL IsOpen();
};
