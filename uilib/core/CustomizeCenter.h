// CUXCustomizeCenter: the one object through which the library's customizable parts find each other. Bars,
// frames and the customize dialog register callbacks with it by kind; it answers which commands the user may
// customize and whether customize mode is on. A window's registrations go with RemoveWindow.
//
// The one instance is made on first use (GetCustomizeCenter) and goes at program end.
#pragma once

#include "framework/win/Framework.h"

#include <vector>

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
};

CUXCustomizeCenter& GetCustomizeCenter();
