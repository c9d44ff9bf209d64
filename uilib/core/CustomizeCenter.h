// CUXCustomizeCenter: the one object through which the library's customizable parts find each other. Bars,
// frames and the customize dialog register callbacks with it by kind; it answers which commands the user may
// customize and whether customize mode is on, runs the drag of a command between bars, and keeps the user's
// own tool bars under "CustomBars-Info". A window's registrations go with RemoveWindow.
//
// The one instance is made on first use (GetCustomizeCenter) and goes at program end.
//
// Beside it: the records that describe a command and a category of commands to the customize dialog.
#pragma once

#include "framework/win/Framework.h"
#include "uilib/core/Helpers.h"

#include <initializer_list>
#include <utility>
#include <vector>

class CUXToolBar;
struct CUXBarDescriptor;

// Where the user's new tool bars are made and shown: the frame's own docking unless a host (a rebar) takes
// them.
class CUXCustomBarHost
{
public:
    virtual ~CUXCustomBarHost() = default;
    virtual CUXToolBar* CreateCustomBar(CFrameWnd* pFrame, UINT nID, LPCSTR lpszTitle) = 0;
    virtual void PlaceCustomBar(CFrameWnd* pFrame, CUXToolBar* pBar) = 0;
};

// A command as the customize dialog shows it and a drag carries it.
class CUXCommandRecord : public CObject
{
    DECLARE_DYNAMIC(CUXCommandRecord)
public:
    CUXCommandRecord() = default;
    ~CUXCommandRecord() override;
    CUXCommandRecord(const CUXCommandRecord&) = delete;
    CUXCommandRecord& operator=(const CUXCommandRecord&) = delete;

    // A deep copy: the texts and the id, a copy of the normal icon, a private copy of the button data.
    virtual CUXCommandRecord* Clone() const;
    // Takes the icons (those held before are destroyed).
    void SetIcons(HICON icon, HICON icon2);
    // Keeps a private copy of the button data (null: none).
    void SetButtonData(const CUXToolButtonData* data);

    CString m_strText;
    int m_nID = 0;
    CString m_strDescription;
    int m_nOwnerValue = 0;
    HICON m_hIcon = nullptr;    // owned
    HICON m_hIcon2 = nullptr;   // owned (the hot icon)
    CUXToolButtonData* m_pButtonData = nullptr;
    BOOL m_bOwnsButtonData = FALSE;
};

// A pointer array that deletes its elements (CObject-derived) when it is emptied or goes.
class CUXOwnedPtrArray : public CPtrArray
{
public:
    ~CUXOwnedPtrArray() override { DeleteAll(); }
    void DeleteAll();
};

// A named group of commands (CUXCommandRecord*, owned).
class CUXCommandCategory : public CObject
{
    DECLARE_DYNAMIC(CUXCommandCategory)
public:
    CString m_strName;
    int m_nOrderKey = 0;   // categories are listed by it, then by name
    CUXOwnedPtrArray m_commands;

    // The category's record of a command, or null.
    CUXCommandRecord* Find(UINT nID) const;
    // Adds a record; the category owns it.
    CUXCommandRecord* Add(CUXCommandRecord* record);
};

// A place a dragged command may be dropped on (a tool bar in customize mode, ...). Targets are asked for
// each drag through the kDropTargets callbacks and live at least as long as the drag.
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

// A registered callback: called with its object and two values whose meaning the kind gives.
typedef LRESULT (*UXCustomizeCallback)(void* object, WPARAM wParam, LPARAM lParam);

class CUXCustomizeCenter
{
public:
    // The kinds of registration.
    enum CallbackKind
    {
        // wParam: the command id; lParam: a CUXCommandImageMap* that receives the command's icons. Non-zero
        // when the callback knew the command.
        kCommandImages,
        // wParam: 0; lParam: a CPtrArray* that the callback adds its bar's description to.
        kBarDescription,
        // wParam: the popup id of a tool-bar button; the callback's result is the HMENU of that popup, or 0.
        kCommandPopup,
        // wParam: non-zero when saving starts, 0 when it ends.
        kSavingStartEnd,
        // wParam: the frame being saved (CFrameWnd*); lParam: a CPtrArray* of the frame's custom bars.
        kReportCustomBars,
        // wParam: 0; lParam: the drag's target list (CPtrArray*) that the callback adds its targets to.
        kDropTargets,
        // wParam: the new selection's command id (or -1); lParam: the window that holds it.
        kSelectionChange,
        // wParam: 0; lParam: a CUXOwnedPtrArray* that the callback adds its CUXCommandCategory objects to.
        kCommandCategories,
        // The customizable bars. wParam: non-zero switches the bar's customize mode on, 0 off.
        kCustomizableBars,
        // A command drag starts. wParam: the command id; lParam: the source window.
        kDragStart,
        // A command drag ended. wParam: non-zero when the command was dropped somewhere; lParam: its id.
        kDragEnd,
        // The customize dialog opens: each callback names the windows whose mouse input the dialog lets
        // through, by calling the dialog's callback (wParam, a UXCustomizeCallback) with the dialog (lParam)
        // and each window (as its wParam).
        kCustomizeStart,
        // While the customize dialog runs: a window whose mouse input it lets through came (wParam: HWND).
        kAllowWindow,
        // ... or goes (wParam: HWND).
        kDisallowWindow,
        // The bars the customize dialog lists. wParam: 0; lParam: a std::vector<CUXBarDescriptor>* that the
        // callback adds its bar's descriptor to.
        kBarDescriptors,
        // A bar came while the customize dialog runs. lParam: its CUXBarDescriptor*.
        kBarAdded,
        // A bar was shown (lParam non-zero) or hidden. wParam: the CControlBar*.
        kBarShown,
        // A bar's title changed. wParam: the CControlBar*.
        kBarRenamed,
        // A bar is about to go. wParam: the CControlBar*.
        kBarRemoved,
        kCallbackKinds
    };

    CUXCustomizeCenter();
    ~CUXCustomizeCenter();
    CUXCustomizeCenter(const CUXCustomizeCenter&) = delete;
    CUXCustomizeCenter& operator=(const CUXCustomizeCenter&) = delete;

    // Registers a callback of a kind for an object (a window of the caller's, or any object of the library);
    // the same object and function twice is one registration.
    void Register(CallbackKind kind, void* object, UXCustomizeCallback callback);
    void Unregister(CallbackKind kind, void* object, UXCustomizeCallback callback);
    // Registers (on) or unregisters (off) together the callbacks an object has for several kinds.
    void SetRegistered(BOOL on, void* object,
                       std::initializer_list<std::pair<CallbackKind, UXCustomizeCallback>> callbacks);
    // Removes every registration of the object from every kind.
    void RemoveWindow(void* object);
    BOOL IsRegistered(void* object) const;
    int GetCount(CallbackKind kind) const;

    // Calls every callback of a kind, oldest first; the results are added up.
    LRESULT CallAll(CallbackKind kind, WPARAM wParam, LPARAM lParam) const;
    // Calls the callbacks of a kind until one answers non-zero; that answer, or 0.
    LRESULT CallUntilAnswer(CallbackKind kind, WPARAM wParam, LPARAM lParam) const;

    // The recent-file entries, the window-list entries and "Display full menus" stay where they are.
    virtual BOOL IsCustomizableCommand(UINT nID) const;

    // Customize mode: on while the customize dialog runs (every button of a customizable bar is enabled then).
    BOOL IsCustomizeMode() const { return m_bCustomizeMode; }
    void SetCustomizeMode(BOOL on) { m_bCustomizeMode = on; }

    // A copy of the command's record from the categories the providers know (the caller deletes it), or
    // null when none knows the command.
    CUXCommandRecord* FindCommandRecord(UINT nID) const;

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
    struct Registration
    {
        void* object;
        UXCustomizeCallback callback;
    };
    static LRESULT OnSavingStartEnd(void* object, WPARAM wParam, LPARAM lParam);

    std::vector<Registration> m_callbacks[kCallbackKinds];
    BOOL m_bCustomizeMode = FALSE;
    BOOL m_bSaving = FALSE;
    BOOL m_bDragging = FALSE;
    CPoint m_ptNextBar = CPoint(200, 200);
    CUXCustomBarHost* m_pBarHost = nullptr;
};

CUXCustomizeCenter& GetCustomizeCenter();
