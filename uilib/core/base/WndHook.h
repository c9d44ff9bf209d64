// Window hooks: changing the behaviour of windows the library does not own (frames whose menus it draws,
// the system's menu windows, pop-ups) by taking over their window procedure. Several hooks may sit on one
// window: the newest sees a message first and passes it on down the chain; the oldest passes it to the
// procedure the window had before. CUXWindowMap keeps the chains and owns the one procedure every hooked
// window gets.
#pragma once

#include "framework/win/Framework.h"

class CUXWndHook : public CObject
{
    DECLARE_DYNAMIC(CUXWndHook)
public:
    CUXWndHook();
    ~CUXWndHook() override;
    CUXWndHook(const CUXWndHook&) = delete;
    CUXWndHook& operator=(const CUXWndHook&) = delete;

    virtual BOOL IsAttached() const { return m_hWnd != nullptr; }
    // Attaches to a window, or detaches with null. A hook attached elsewhere must be detached first.
    // (A derived hook that overrides one form should bring the other in with a using-declaration.)
    virtual BOOL AttachWindow(HWND hWnd);
    virtual BOOL AttachWindow(CWnd* pWnd);
    BOOL DetachWindow() { return AttachWindow(static_cast<HWND>(nullptr)); }

    // The hook's window procedure. The base passes the message on: to the next older hook, else to the
    // window's previous procedure.
    virtual LRESULT HandleMessage(UINT message, WPARAM wParam, LPARAM lParam);

    HWND m_hWnd = nullptr;
    WNDPROC m_pfnOldWndProc = nullptr;   // the procedure before the chain's first hook (same in every hook)
    CUXWndHook* m_pNext = nullptr;       // the next older hook; null for the oldest
};

class CUXWindowMap : public CMapPtrToPtr
{
    DECLARE_DYNAMIC(CUXWindowMap)
public:
    // The one map of the program. It goes when the program ends; the hooks still attached then let go of
    // their windows first, so that those that go after it have nothing to leave.
    static CUXWindowMap& GetMap();
    ~CUXWindowMap() override;

    // Puts the hook at the head of the window's chain (installing the shared procedure for the first).
    void Add(HWND hWnd, CUXWndHook* pHook);
    // Takes the hook out of its window's chain; the last hook gives the window its procedure back.
    void Remove(CUXWndHook* pHook);
    // Detaches every hook of the window, newest first, through each hook's own AttachWindow.
    void RemoveAll(HWND hWnd);
    using CMapPtrToPtr::RemoveAll;
    CUXWndHook* Lookup(HWND hWnd) const;
    using CMapPtrToPtr::Lookup;

    // The procedure of every hooked window.
    static LRESULT CALLBACK HookWndProc(HWND hWnd, UINT message, WPARAM wParam, LPARAM lParam);

private:
    CUXWindowMap() = default;
    // Windows whose last hook went while a later procedure was chained on top of ours: ours stays in their
    // chain and passes their messages to the procedure it replaced.
    CMapPtrToPtr m_orphans;
};
