// CUXToolBar: the library's tool bar, a bar whose window is the common tool-bar control. It loads its buttons
// and images from a tool-bar resource (type 241: version, image width, image height, item count, then one
// command id per item, 0 for a separator, all 16-bit words) and the bitmap of the same id, lays them out in
// rows (wrapping a vertical or floating bar), draws through the look painters, puts control windows (a combo
// box) over placeholder separators whose id is the control's, opens drop-down menus, shows the second line
// of a command's string as its tip, and carries a chevron for the buttons that do not fit.
#pragma once

#include "uilib/core/bars/ControlBar.h"
#include "uilib/core/bars/CustomizeCenter.h"
#include "uilib/core/base/Helpers.h"
#include "uilib/core/base/LookPainters.h"

#include <map>
#include <memory>
#include <string>
#include <vector>

// A tool-bar resource read as it is stored.
struct CUXToolBarTemplate
{
    int m_cxImage = 0;
    int m_cyImage = 0;
    std::vector<UINT> m_ids;   // one per item, 0 for a separator

    // FALSE when the resource is missing or shorter than its count says.
    BOOL Load(HINSTANCE instance, LPCSTR resource);
};

// Paint listeners see the bar's surface after each paint.
class CUXToolBarPaintListener
{
public:
    virtual ~CUXToolBarPaintListener() = default;
    virtual void OnBarPainted(CDC* dc) = 0;
};
// The keyboard shortcut a tip shows for a command ("Ctrl+S"); FALSE when the command has none.
typedef BOOL (*UXShortcutTextProvider)(UINT nID, CString& text);

class CUXToolBarCustomizer;

class CUXToolBar : public CUXControlBar, public CUXCustomizeListener
{
    DECLARE_DYNAMIC(CUXToolBar)
public:
    // The drop-down field of a button's extra record: a menu resource id (up to 0xFFFF), or one of these.
    enum DropDownKind : uint32_t
    {
        kDropDownCommandPopup = 0x40000000,   // the pop-up whose key (m_nPopupKey) a provider knows
        kDropDownColor = 0x80000000,          // low word: the colour popup's option bits
    };
    enum
    {
        kChevronLength = 13,
        kMinimumEmpty = 22,
    };

    CUXToolBar();
    ~CUXToolBar() override;

    virtual BOOL Create(CWnd* pParentWnd, DWORD dwStyle = WS_CHILD | WS_VISIBLE | CBRS_TOP,
                        UINT nID = AFX_IDW_TOOLBAR);
    // Creates the control window; FALSE (and no window) when it cannot be made completely.
    virtual BOOL CreateEx(CWnd* pParentWnd, DWORD dwCtrlStyle = TBSTYLE_FLAT,
                          DWORD dwStyle = WS_CHILD | WS_VISIBLE | CBRS_ALIGN_TOP,
                          CRect rcBorders = CRect(0, 0, 0, 0), UINT nID = AFX_IDW_TOOLBAR);

    // ---- buttons and images ----
    void SetSizes(CSize sizeButton, CSize sizeImage);
    CSize GetButtonSize() const { return m_sizeButton; }
    CSize GetImageSize() const { return m_sizeImage; }
    BOOL LoadToolBar(LPCSTR lpszResourceName);
    BOOL LoadToolBar(UINT nIDResource) { return LoadToolBar(MAKEINTRESOURCEA(nIDResource)); }
    // The bitmap resource mapped to the system colours (again after each system-colour change).
    BOOL LoadBitmap(LPCSTR lpszResourceName);
    BOOL LoadBitmap(UINT nIDResource) { return LoadBitmap(MAKEINTRESOURCEA(nIDResource)); }
    // The bar takes the bitmap over on success; otherwise the caller's object keeps it.
    BOOL SetBitmap(CBitmap& bitmap);
    HBITMAP GetBitmap() const { return static_cast<HBITMAP>(m_bitmap.GetSafeHandle()); }
    // One button per id (consecutive images; 0 a separator), or count empty buttons without ids.
    BOOL SetButtons(const UINT* lpIDArray, int nIDCount);
    int GetCount() const;
    static BOOL IsSeparator(const TBBUTTON& button) { return (button.fsStyle & TBSTYLE_SEP) != 0; }
    TBBUTTON GetButton(int nIndex) const;
    void SetButton(int nIndex, const TBBUTTON& button);
    UINT GetItemID(int nIndex) const;
    int CommandToIndex(UINT nIDFind) const;
    // A separator that ends a row: the gap between the rows, across the bar.
    virtual void GetItemRect(int nIndex, LPRECT lpRect);
    virtual CSize GetItemSize(int nIndex);
    BOOL SetButtonText(int nIndex, LPCSTR lpszText);
    CString GetButtonText(int nIndex) const;
    // Makes the button a drop-down: dropDown is a menu resource id or a DropDownKind value (0: the owner is
    // asked with UXM_TOOLBAR_DROPDOWN).
    BOOL SetButtonData(UINT nID, uint32_t dropDown);
    // The button's extra record, or null.
    CUXToolButtonData* GetButtonData(int nIndex) const;
    // The index of the button whose drop-down is open, -1 when none.
    int GetOpenDropDown() const { return m_nOpenDropDown; }

    // ---- owner and controls ----
    virtual void SetOwner(CWnd* pOwnerWnd);
    // Puts a control window over the separator whose id is the control's id.
    virtual BOOL AttachControl(CWnd* pWnd, BOOL bold = FALSE);
    virtual void PositionControl(CWnd* pWnd);
    virtual void PositionControls();

    // ---- chevron and fitting ----
    virtual BOOL HasExpandButton() const { return TRUE; }
    virtual BOOL HasHiddenButtons() const { return !m_hiddenByFit.empty(); }
    CWnd* GetExpandButton() const { return m_pExpButton.get(); }
    // Hides buttons from the end until the bar fits the length (the chevron included), or shows them again
    // in their order while it still fits.
    void FitToLength(int length);
    CSize GetMinimumSize();
    // Fills another bar (the pop-up of hidden buttons) with the buttons hidden to fit, in their order, in
    // rows no wider than width (at least the widest of them): the same images, texts, extra records and
    // draw-text flags; their control windows move into the other bar.
    void CopyHiddenButtons(CUXToolBar* pTarget, int width);
    // FALSE in a copy made for the pop-up of hidden buttons.
    BOOL IsOriginal() const { return m_bOriginal; }

    // ---- look ----
    virtual BOOL IsHorizontalLayout() const;
    virtual BOOL IsFlatLook() const;
    COLORREF GetBackColor() const override;
    virtual void PaintBar();
    virtual void DrawSeparators(CDC* pDC);
    // TRUE when it drew the button itself.
    virtual BOOL DrawButton(CDC* pDC, NMTBCUSTOMDRAW* lpcd);
    // The button as the look's painter draws it now.
    CUXToolButtonState GetButtonState(int nIndex);
    virtual void EraseWrapGaps(CDC* pDC);
    void AddPaintListener(CUXToolBarPaintListener* listener);
    void RemovePaintListener(CUXToolBarPaintListener* listener);

    // ---- drop-downs ----
    virtual void ShowDropDownMenu(NMTOOLBARA* pNotify, UINT nIDMenu, const CRect& rcButton);
    // The colour popup for a colour drop-down at point (screen); FALSE: no popup opened.
    virtual BOOL CreateColorPopup(CUXToolButtonData* pData, CPoint point, UINT nID);
    // The open colour popup (a CUXColorDropWnd), or null.
    CWnd* GetColorPopup() const { return m_pColorPopup; }

    // ---- customization ----
    BOOL IsCustomizable() const { return m_bCustomizable; }
    const CString& GetStateKey() const { return m_strStateKey; }
    const CString& GetStateEntry() const { return m_strStateEntry; }
    // Takes part in customization: registers with the customize centre as a customizable bar, keeps its
    // layout under "Settings" and offers the chevron's customize command.
    void SetCustomizable(BOOL on);
    // Customize mode: buttons are selected, dragged between bars and dropped on the bar.
    virtual void SwitchCustomizeMode(BOOL on);
    BOOL IsCustomizeMode() const { return m_pCustomizer != nullptr; }
    CUXToolBarCustomizer* GetCustomizer() const { return m_pCustomizer.get(); }
    virtual void GetCustomizeDescriptor(CUXBarDescriptor& descriptor);
    // The bar as the customize dialog lists it: its title ("Toolbar" without one), its id + 2000 as order
    // key, and the commands of its default layout (of its buttons when that cannot be read). The caller
    // deletes it.
    virtual CUXCommandCategory* DescribeCommands();
    // The customize centre's record of a button's command (the caller deletes it); null for separators and
    // commands the centre does not know.
    virtual CUXCommandRecord* FindCommandRecord(int nIndex);
    // A record of a button's command made from the bar itself (text, icons, extra data); null for separators.
    CUXCommandRecord* MakeCommandRecord(int nIndex);
    // Gives the button at the index the record's text and image (the record's icons join the bar's image
    // lists when the command has no image here yet).
    virtual BOOL ApplyCommandRecord(const CUXCommandRecord& record, int nIndex);
    // A new button for the record's command (with its extra data, text and image) before the index. A record
    // of a pop-up (no id, a key) becomes a drop-down that opens the pop-up: its command id is the key.
    BOOL InsertCommand(const CUXCommandRecord& record, int nIndex);
    // Removes a button and lays the bar out again.
    BOOL RemoveButton(int nIndex);

    // ---- saved layout ----
    // The layout of the buttons as they are (version, list style, buttons with extra data, texts).
    void GetLayout(std::vector<BYTE>& layout) const;
    // Puts a layout onto the bar; FALSE (the buttons as they were) for a damaged or foreign layout.
    BOOL ApplyLayout(const BYTE* data, UINT size);
    // The layout the program built first (taken when a layout is first saved or loaded).
    const std::vector<BYTE>& GetDefaultLayout() const { return m_defaultLayout; }
    BOOL HasDefaultLayout() const { return m_bHasDefaultLayout; }
    // Stores the layout with its default's checksum; loads one stored for the same default.
    BOOL SaveState(LPCSTR lpszSection, LPCSTR lpszEntry);
    BOOL LoadState(LPCSTR lpszSection, LPCSTR lpszEntry);
    // Asks, then puts the default layout back.
    void ConfirmReset();
    void ResetLayout();
    // Docking: a customizable bar takes its stored layout first.
    void EnableDocking(DWORD dwDockStyle) override;

    // ---- what the bar tells the customize centre ----
    BOOL OnCommandImages(UINT nID, CUXCommandImageMap& images) override;
    void OnDescribeBar(CUXCommandCategories& bars) override;
    void OnCustomizeMode(BOOL on) override { SwitchCustomizeMode(on); }
    // The customize dialog lets the mouse through to a customizable bar, so that commands reach it.
    void OnNameCustomizeWindows(std::vector<HWND>& windows) override;
    void OnAddBarDescriptors(std::vector<CUXBarDescriptor>& descriptors) override;

    // The buttons hidden to fit, by index.
    std::vector<int> GetHiddenButtons() const;

    // ---- layout ----
    CSize CalcFixedLayout(BOOL bStretch, BOOL bHorz) override;
    CSize CalcDynamicLayout(int nLength, DWORD dwMode) override;
    void OnBarStyleChange(DWORD dwOldStyle, DWORD dwNewStyle) override;
    // Lays the bar out again after the queued messages (only the latest request acts).
    void RequestRelayout();

    INT_PTR OnToolHitTest(CPoint point, TOOLINFOA* pTI) const override;
    // Where tips find shortcuts (the keyboard-shortcut manager installs itself); null: tips show none.
    static void SetShortcutTextProvider(UXShortcutTextProvider provider);
    LRESULT WindowProc(UINT message, WPARAM wParam, LPARAM lParam) override;
    void OnUpdateCmdUI(CFrameWnd* pTarget, BOOL bDisableIfNoHndler) override;
    BOOL GetReBarBandInfo(REBARBANDINFOA* info, BOOL horizontal) override;
    void OnReBarNotify(LPARAM value, BOOL flag) override;
    BarMenuGroup GetBarMenuGroup() const override { return kToolBars; }
    // Drags live (its contents move with the mouse) when the option to show them while dragging is on.
    BOOL OnReBarQuery() override { return TRUE; }

protected:
    BOOL PreCreateWindow(CREATESTRUCTA& cs) override;
    // Makes the chevron (in ExpButton.cpp, beside the chevron); FALSE ends the bar's creation.
    virtual BOOL CreateExpandButton();

    afx_msg int OnCreate(LPCREATESTRUCT lpCreateStruct);
    afx_msg BOOL OnNcCreate(LPCREATESTRUCT lpCreateStruct);
    afx_msg void OnDestroy();
    afx_msg void OnPaint();
    afx_msg void OnWindowPosChanging(WINDOWPOS* lpwndpos);
    afx_msg void OnSysColorChange();
    afx_msg void OnLButtonUp(UINT nFlags, CPoint point);
    afx_msg void OnCaptureChanged(CWnd* pWnd);
    afx_msg LRESULT OnMaskedDefault(WPARAM wParam, LPARAM lParam);
    afx_msg LRESULT OnSetButtonSize(WPARAM wParam, LPARAM lParam);
    afx_msg LRESULT OnSetBitmapSize(WPARAM wParam, LPARAM lParam);
    afx_msg LRESULT OnSetDrawTextFlags(WPARAM wParam, LPARAM lParam);
    afx_msg LRESULT OnRelayout(WPARAM wParam, LPARAM lParam);
    afx_msg LRESULT OnColorChosen(WPARAM wParam, LPARAM lParam);
    afx_msg LRESULT OnColorClosed(WPARAM wParam, LPARAM lParam);
    afx_msg LRESULT OnColorForward(WPARAM wParam, LPARAM lParam);
    afx_msg void OnCustomDraw(NMHDR* pNMHDR, LRESULT* pResult);
    afx_msg void OnDropDown(NMHDR* pNMHDR, LRESULT* pResult);
    afx_msg void OnHotItemChange(NMHDR* pNMHDR, LRESULT* pResult);
    afx_msg void OnBeginAdjust(NMHDR* pNMHDR, LRESULT* pResult);
    afx_msg void OnEndAdjust(NMHDR* pNMHDR, LRESULT* pResult);
    afx_msg void OnQueryInsert(NMHDR* pNMHDR, LRESULT* pResult);
    afx_msg void OnQueryDelete(NMHDR* pNMHDR, LRESULT* pResult);
    afx_msg void OnGetButtonInfo(NMHDR* pNMHDR, LRESULT* pResult);
    afx_msg void OnReset(NMHDR* pNMHDR, LRESULT* pResult);
    afx_msg void OnToolBarChange(NMHDR* pNMHDR, LRESULT* pResult);
    afx_msg void OnCustHelp(NMHDR* pNMHDR, LRESULT* pResult);
    DECLARE_MESSAGE_MAP()

    struct ButtonRecord
    {
        TBBUTTON button;
        HWND hWndControl;
        BOOL bold;
        CUXToolButtonData* data;
    };
    std::vector<ButtonRecord> m_records;
    std::map<int, int> m_hiddenByFit;   // button index -> width of the button hidden to fit
    std::map<UINT, CString> m_buttonTexts;
    std::map<UINT, int> m_commandImages;    // command -> its image in the bar's lists (they only grow)
    BOOL m_bImagesToFind = FALSE;           // a layout left buttons without an image: looked for once at idle
    std::map<std::string, int> m_strings;   // text -> string index in the control
    std::map<UINT, std::unique_ptr<CUXToolButtonData>> m_buttonData;   // by command id
    CString m_strStateKey;
    CString m_strStateEntry;
    BOOL m_bDirty = TRUE;
    CSize m_sizeImage = CSize(16, 15);
    CSize m_sizeButton = CSize(23, 22);
    HINSTANCE m_hInstBitmap = nullptr;
    CString m_strBitmapName;    // the bitmap resource, by name ...
    UINT_PTR m_nBitmapId = 0;   // ... or by number
    CBitmap m_bitmap;
    CWnd* m_pColorPopup = nullptr;   // the open colour pop-up: its window deletes it, the bar only ends it
    int m_nColorPopupID = -1;
    int m_nOpenDropDown = -1;
    std::unique_ptr<CWnd> m_pExpButton;
    LPARAM m_nRelayoutRequest = 0;
    DWORD m_dwDrawTextMask = 0;
    DWORD m_dwDrawTextFlags = 0;
    BOOL m_bOriginal = TRUE;
    BOOL m_bCustomizable = FALSE;
    BOOL m_bPendingNotify = FALSE;
    BOOL m_bLoadingFlat = FALSE;   // LoadToolBar runs on a flat bar with the flat style taken off
    BOOL m_bFirstItem = FALSE;     // the next item drawn is the first after a pre-paint
    BOOL m_bNestedPaint = FALSE;
    BOOL m_bOwnDisabledImages = FALSE;
    BOOL m_bPressedWithCapture = FALSE;      // a drop-down the owner left alone holds the mouse
    BOOL m_bCustomizeDialog = FALSE;         // the common control's own customize dialog runs
    BOOL m_bIgnoreCustomizeDialog = FALSE;   // ... and the bar neither takes part nor saves
    std::vector<BYTE> m_defaultLayout;
    BOOL m_bHasDefaultLayout = FALSE;
    std::unique_ptr<CUXToolBarCustomizer> m_pCustomizer;   // while customize mode is on
    HIMAGELIST m_hOwnImages = nullptr;                     // an image list the bar made for commands dropped on it
    std::vector<CUXToolBarPaintListener*> m_paintListeners;
    CUXCustomizeRegistration m_customizeRegistration{this};

private:
    // The buttons as the control has them.
    std::vector<TBBUTTON> ReadButtons() const;
    void WriteWrapStates(const std::vector<TBBUTTON>& buttons);
    void RebuildRecords();
    // The live control windows over placeholders.
    std::vector<HWND> ControlWindows() const;
    int ItemWidth(const TBBUTTON& button, int index) const;
    // The gap between the rows that the wrapped separator at the index leaves (empty when it ends no row).
    CRect WrapGapRect(int nIndex) const;
    // Sets the wrap bits for rows no wider than width; the number of rows.
    int WrapButtons(std::vector<TBBUTTON>& buttons, int width) const;
    CSize CalcButtonsSize(const std::vector<TBBUTTON>& buttons) const;
    CSize CalcLayout(DWORD dwMode, int nLength = -1);
    void Layout();
    void ShowHiddenByFit();
    void PlaceExpandButton(const CSize& size, BOOL horizontal);
    // The chevron's state after an idle update (in ExpButton.cpp, beside the chevron).
    void UpdateExpandButton();
    // The chevron takes room at the end of the bar.
    BOOL IsChevronCounted() const;
    BOOL IsSeparatorWidthFlat() const;
    void ReloadBitmap();
    // The icons the button shows (null when it shows none); the caller destroys them.
    void GetButtonIcons(const TBBUTTON& button, HICON& icon, HICON& hotIcon) const;
    // The command's image in the bar's image lists (it is or was on the bar); -1 when it has none here.
    int FindCommandImage(UINT nID) const;
    // The command's image here; else the icons given (else those the customize centre's image providers have)
    // appended as the command's image. -1 when nobody has an image for it.
    int CommandImage(UINT nID, HICON icon = nullptr, HICON hotIcon = nullptr);
    // The buttons without an image take their commands' images from the bars made since the layout was
    // applied (a stored layout is applied as the bar is made, before the frame's later bars exist).
    void FindMissingImages();
    // Appends icons to the bar's image lists (making one when it has none): the new index, -1 on failure.
    int AppendImage(HICON icon, HICON hotIcon);
    friend class CUXToolBarCustomizer;
};
