// CUXCustomizeCenter: the one object through which the library's customizable parts find each other. Bars,
// frames and the customize dialog listen to it (CUXCustomizeListener) for the kinds of calls they care about,
// registered through a CUXCustomizeRegistration that they own; it answers which commands the user may
// customize and whether customize mode is on, runs the drag of a command between bars, and keeps the user's
// own tool bars under "CustomBars-Info".
//
// The one instance is made on first use (GetCustomizeCenter) and goes at program end.
//
// Beside it: what the customize dialog may do with a bar, where new bars are made, and where dragged commands
// may be dropped.
#pragma once

#include "framework/win/Framework.h"
#include "uilib/core/bars/CommandRecord.h"

#include <functional>
#include <initializer_list>
#include <memory>
#include <utility>
#include <vector>

class CUXToolBar;
class CUXCommandImageMap;

// What the customize dialog may do with a bar: hide it with its check box, rename, delete or reset it (an
// empty handler: not possible).
struct CUXBarDescriptor
{
    CControlBar* pBar = nullptr;
    BOOL bCanHide = TRUE;
    std::function<void(LPCSTR name)> rename;
    std::function<void()> remove;
    std::function<void()> reset;
};

// Where the user's new tool bars are made and shown: the frame's own docking unless a host (a rebar) takes
// them.
class CUXCustomBarHost
{
public:
    virtual ~CUXCustomBarHost() = default;
    virtual CUXToolBar* CreateCustomBar(CFrameWnd* pFrame, UINT nID, LPCSTR lpszTitle) = 0;
    virtual void PlaceCustomBar(CFrameWnd* pFrame, CUXToolBar* pBar) = 0;
};

// A place a dragged command may be dropped on (a tool bar in customize mode, ...). Targets are asked for
// each drag through the listeners and live at least as long as the drag.
class CUXCommandDropTarget
{
public:
    virtual ~CUXCommandDropTarget() = default;
    // Whether the point (screen co-ordinates) lies on the target.
    virtual BOOL HitTest(CPoint point) = 0;
    // The drag came over the target: TRUE takes it; the target may forbid copying.
    virtual BOOL OnDragEnter(const CUXCommandRecord& record, CPoint point, BOOL& copyAllowed) = 0;
    virtual void OnDragOver(CPoint point) = 0;
    virtual void OnDragLeave() = 0;
    // The command was dropped at the point: moved, or copied (move FALSE).
    virtual void OnDrop(const CUXCommandRecord& record, CPoint point, BOOL move) = 0;
};

// What the customize centre tells or asks its listeners, one call per kind of registration (see
// CUXCustomizeCenter::CallbackKind). A listener is called only for the kinds it is registered for.
class CUXCustomizeListener
{
public:
    virtual ~CUXCustomizeListener() = default;
    // kCommandImages: puts the command's icons into the map; TRUE when the listener knew the command.
    virtual BOOL OnCommandImages(UINT /*nID*/, CUXCommandImageMap& /*images*/) { return FALSE; }
    // kBarDescription: adds the listener's bar as a category of commands.
    virtual void OnDescribeBar(CUXCommandCategories& /*bars*/) {}
    // kCommandPopup: the popup with the id of a tool-bar button, or null.
    virtual HMENU OnCommandPopup(UINT /*nPopupID*/) { return nullptr; }
    // kSavingStartEnd: saving the frame's bars starts (TRUE) or ends.
    virtual void OnSaving(BOOL /*starts*/) {}
    // kReportCustomBars: adds the listener's bar when it is one of the frame's custom bars.
    virtual void OnReportCustomBars(CFrameWnd* /*pFrame*/, std::vector<CUXToolBar*>& /*bars*/) {}
    // kDropTargets: adds the listener's targets for a command drag.
    virtual void OnAddDropTargets(std::vector<CUXCommandDropTarget*>& /*targets*/) {}
    // kSelectionChange: the command with the id (or -1) in the window is selected now.
    virtual void OnSelectionChange(int /*nID*/, HWND /*holder*/) {}
    // kCommandCategories: adds the listener's categories of commands.
    virtual void OnAddCommandCategories(CUXCommandCategories& /*categories*/) {}
    // kCustomizableBars: customize mode goes on or off.
    virtual void OnCustomizeMode(BOOL /*on*/) {}
    // kDragStart: a command drag starts from the window.
    virtual void OnCommandDragStart(UINT /*nID*/, CWnd* /*pSource*/) {}
    // kDragEnd: the drag of the command ended, dropped somewhere or not.
    virtual void OnCommandDragEnd(BOOL /*dropped*/, UINT /*nID*/) {}
    // kCustomizeStart: the customize dialog opens; adds the windows whose mouse input it lets through.
    virtual void OnNameCustomizeWindows(std::vector<HWND>& /*windows*/) {}
    // kAllowWindow / kDisallowWindow: while the customize dialog runs, a window whose mouse input it lets
    // through came or goes.
    virtual void OnAllowWindow(HWND /*hWnd*/) {}
    virtual void OnDisallowWindow(HWND /*hWnd*/) {}
    // kBarDescriptors: adds the descriptor of the listener's bar for the customize dialog's list.
    virtual void OnAddBarDescriptors(std::vector<CUXBarDescriptor>& /*descriptors*/) {}
    // kBarAdded: a bar came while the customize dialog runs.
    virtual void OnBarAdded(const CUXBarDescriptor& /*descriptor*/) {}
    // kBarShown: a bar was shown or hidden.
    virtual void OnBarShown(CControlBar* /*pBar*/, BOOL /*shown*/) {}
    // kBarRenamed: a bar's title changed.
    virtual void OnBarRenamed(CControlBar* /*pBar*/) {}
    // kBarRemoved: a bar is about to go.
    virtual void OnBarRemoved(CControlBar* /*pBar*/) {}
};

class CUXCustomizeCenter
{
public:
    // The kinds of registration, one per call of CUXCustomizeListener.
    enum CallbackKind
    {
        kCommandImages,
        kBarDescription,
        kCommandPopup,
        kSavingStartEnd,
        kReportCustomBars,
        kDropTargets,
        kSelectionChange,
        kCommandCategories,
        kCustomizableBars,
        kDragStart,
        kDragEnd,
        kCustomizeStart,
        kAllowWindow,
        kDisallowWindow,
        kBarDescriptors,
        kBarAdded,
        kBarShown,
        kBarRenamed,
        kBarRemoved,
        kCallbackKinds
    };

    CUXCustomizeCenter();
    ~CUXCustomizeCenter();
    CUXCustomizeCenter(const CUXCustomizeCenter&) = delete;
    CUXCustomizeCenter& operator=(const CUXCustomizeCenter&) = delete;

    // Registers a listener for a kind (once however often); CUXCustomizeRegistration does it for its owner.
    void Register(CallbackKind kind, CUXCustomizeListener* listener);
    void Unregister(CallbackKind kind, CUXCustomizeListener* listener);
    BOOL IsRegistered(const CUXCustomizeListener* listener) const;
    int GetCount(CallbackKind kind) const;

    // ---- the calls to the listeners, oldest registration first ----
    // The first listener that knows the command puts its icons into the map: FALSE when none knew it.
    BOOL FindCommandImages(UINT nID, CUXCommandImageMap& images) const;
    void DescribeBars(CUXCommandCategories& bars) const;
    // The popup with the id from the first listener that has it, or null.
    HMENU FindCommandPopup(UINT nPopupID) const;
    void CollectCommandCategories(CUXCommandCategories& categories) const;
    void CollectBarDescriptors(std::vector<CUXBarDescriptor>& descriptors) const;
    void CollectCustomizeWindows(std::vector<HWND>& windows) const;
    void NotifySelectionChange(int nID, HWND holder) const;
    void NotifyAllowWindow(HWND hWnd) const;
    void NotifyDisallowWindow(HWND hWnd) const;
    void NotifyBarAdded(const CUXBarDescriptor& descriptor) const;
    void NotifyBarShown(CControlBar* pBar, BOOL shown) const;
    void NotifyBarRenamed(CControlBar* pBar) const;
    void NotifyBarRemoved(CControlBar* pBar) const;

    // The recent-file entries, the window-list entries and "Display full menus" stay where they are.
    virtual BOOL IsCustomizableCommand(UINT nID) const;

    // Customize mode: on while the customize dialog runs (every button of a customizable bar is enabled then).
    BOOL IsCustomizeMode() const { return m_bCustomizeMode; }
    void SetCustomizeMode(BOOL on) { m_bCustomizeMode = on; }

    // A copy of the command's record from the categories the providers know, or null when none knows the
    // command.
    std::unique_ptr<CUXCommandRecord> FindCommandRecord(UINT nID) const;

    // Switches customize mode and every customizable bar's customize mode.
    void SwitchCustomizeMode(BOOL on);

    // Drags a command from the source window (which takes the mouse) until it is dropped: TRUE when it was
    // moved, FALSE when it was copied (Ctrl held, when allowCopy) or the drag was cancelled (Esc, a right
    // click, the capture lost) or could not start (another window has the mouse).
    BOOL TrackCommandDrag(CWnd* pSource, BOOL allowCopy, const CUXCommandRecord& record);
    BOOL IsDragging() const { return m_bDragging; }

    // ---- the user's own tool bars ----
    // Makes the bars a valid "CustomBars-Info" value of the section names (ids not yet used by the frame);
    // TRUE when such a value was read.
    virtual BOOL LoadCustomBars(CFrameWnd* pFrame, LPCSTR lpszSection);
    // Writes the frame's custom bars (deletes the value when there are none).
    virtual void SaveCustomBars(CFrameWnd* pFrame, LPCSTR lpszSection);
    // A new custom bar of the frame with the id and title, customizable and ready to dock; null (and no
    // window) when it cannot be made.
    virtual CUXToolBar* CreateCustomBar(CFrameWnd* pFrame, UINT nID, LPCSTR lpszTitle);
    // Shows a new bar at the next place for new bars and moves that place on.
    virtual void PlaceCustomBar(CFrameWnd* pFrame, CUXToolBar* pBar);
    CPoint GetNextBarPosition() const { return m_ptNextBar; }
    // A host that makes and shows new custom bars in place of the frame (null: the frame's docking).
    void SetCustomBarHost(CUXCustomBarHost* host) { m_pBarHost = host; }
    CUXCustomBarHost* GetCustomBarHost() const { return m_pBarHost; }
    // The value a list of (id, title) pairs makes: checksum, version 1, count, records.
    static void BuildCustomBarsValue(const std::vector<std::pair<UINT, CString>>& bars, std::vector<BYTE>& value);
    // The (id, title) pairs of a value; FALSE when it is damaged or of another version. Records with ids
    // outside the custom bars' range are skipped; a short record ends the list.
    static BOOL ParseCustomBarsValue(const BYTE* data, UINT size, std::vector<std::pair<UINT, CString>>& bars);

    // Saving: the start/end callbacks learn when the frame's bars are being saved.
    BOOL IsSaving() const { return m_bSaving; }
    // Tells the start/end callbacks that saving starts (TRUE back) unless a save runs already (FALSE back).
    BOOL BeginSaving();
    void EndSaving();

private:
    // Calls each listener of the kind that is still registered when its turn comes (a call may register
    // or remove others), until a call answers true.
    template <class Call>
    void CallUntil(CallbackKind kind, Call call) const;
    template <class Call>
    void CallEach(CallbackKind kind, Call call) const;

    std::vector<CUXCustomizeListener*> m_listeners[kCallbackKinds];
    BOOL m_bCustomizeMode = FALSE;
    BOOL m_bSaving = FALSE;
    BOOL m_bDragging = FALSE;
    CPoint m_ptNextBar = CPoint(200, 200);
    CUXCustomBarHost* m_pBarHost = nullptr;
};

CUXCustomizeCenter& GetCustomizeCenter();

// A listener's registrations with the customize centre: they go with it (or with Clear).
class CUXCustomizeRegistration
{
public:
    explicit CUXCustomizeRegistration(CUXCustomizeListener* listener) : m_pListener(listener) {}
    ~CUXCustomizeRegistration() { Clear(); }
    CUXCustomizeRegistration(const CUXCustomizeRegistration&) = delete;
    CUXCustomizeRegistration& operator=(const CUXCustomizeRegistration&) = delete;

    void Add(CUXCustomizeCenter::CallbackKind kind);
    void Remove(CUXCustomizeCenter::CallbackKind kind);
    // Adds (on) or removes (off) the kinds together.
    void Set(BOOL on, std::initializer_list<CUXCustomizeCenter::CallbackKind> kinds);
    // Removes every kind.
    void Clear();

private:
    CUXCustomizeListener* m_pListener;
    DWORD m_kinds = 0;   // a bit per kind registered
};
