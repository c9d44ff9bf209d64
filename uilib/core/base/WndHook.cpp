#include "uilib/core/base/WndHook.h"

#include <vector>

IMPLEMENT_DYNAMIC(CUXWndHook, CObject)
IMPLEMENT_DYNAMIC(CUXWindowMap, CMapPtrToPtr)

namespace
{

// The message each running HookWndProc call is delivering: a hook that detaches itself while it handles a
// message can still pass that message on.
struct Delivery
{
    HWND hWnd;
    WNDPROC pfnOld;
};
std::vector<Delivery>& Deliveries()
{
    static std::vector<Delivery> stack;
    return stack;
}

struct DeliveryScope
{
    DeliveryScope(HWND hWnd, WNDPROC pfnOld) { Deliveries().push_back(Delivery{hWnd, pfnOld}); }
    ~DeliveryScope() { Deliveries().pop_back(); }
};

WNDPROC CurrentProc(HWND hWnd)
{
    return reinterpret_cast<WNDPROC>(::GetWindowLongPtrA(hWnd, GWLP_WNDPROC));
}

// Set once the map has gone at the end of the program. A window whose procedure chain still holds ours then
// finds the procedure ours replaced in a property of its own.
bool g_mapGone = false;
const char kProcAfterMap[] = "VexulHookedProc";

// At the end of the program: the window gets back the procedure ours replaced, or keeps ours (someone
// chained on top of it), which passes everything on.
void ReleaseWindow(HWND hWnd, WNDPROC pfnOld)
{
    if (!::IsWindow(hWnd))
        return;
    if (CurrentProc(hWnd) == &CUXWindowMap::HookWndProc)
        ::SetWindowLongPtrA(hWnd, GWLP_WNDPROC, reinterpret_cast<LONG_PTR>(pfnOld));
    else
        ::SetPropA(hWnd, kProcAfterMap, reinterpret_cast<HANDLE>(pfnOld));
}

}   // namespace

// ---- CUXWndHook ----------------------------------------------------------------------------------------

CUXWndHook::CUXWndHook() = default;

CUXWndHook::~CUXWndHook()
{
    if (m_hWnd != nullptr)
        CUXWndHook::AttachWindow(static_cast<HWND>(nullptr));
}

BOOL CUXWndHook::AttachWindow(HWND hWnd)
{
    if (g_mapGone)
        return FALSE;   // the program is ending
    if (hWnd != nullptr)
    {
        CUXWindowMap::GetMap().Add(hWnd, this);
    }
    else if (m_hWnd != nullptr)
    {
        CUXWindowMap::GetMap().Remove(this);
        m_pfnOldWndProc = nullptr;
    }
    m_hWnd = hWnd;
    return TRUE;
}

BOOL CUXWndHook::AttachWindow(CWnd* pWnd)
{
    return AttachWindow(pWnd != nullptr ? pWnd->GetSafeHwnd() : static_cast<HWND>(nullptr));
}

LRESULT CUXWndHook::HandleMessage(UINT message, WPARAM wParam, LPARAM lParam)
{
    if (m_pNext != nullptr)
        return m_pNext->HandleMessage(message, wParam, lParam);
    if (m_hWnd != nullptr && m_pfnOldWndProc != nullptr)
        return ::CallWindowProcA(m_pfnOldWndProc, m_hWnd, message, wParam, lParam);
    // Detached while handling this message: it still goes where the chain would have sent it.
    const std::vector<Delivery>& deliveries = Deliveries();
    if (!deliveries.empty() && deliveries.back().pfnOld != nullptr)
        return ::CallWindowProcA(deliveries.back().pfnOld, deliveries.back().hWnd, message, wParam, lParam);
    return 0;
}

// ---- CUXWindowMap --------------------------------------------------------------------------------------

CUXWindowMap& CUXWindowMap::GetMap()
{
    static CUXWindowMap map;
    return map;
}

CUXWindowMap::~CUXWindowMap()
{
    POSITION pos = GetStartPosition();
    while (pos != nullptr)
    {
        void* window = nullptr;
        void* value = nullptr;
        GetNextAssoc(pos, window, value);
        CUXWndHook* hook = static_cast<CUXWndHook*>(value);
        ReleaseWindow(static_cast<HWND>(window), hook->m_pfnOldWndProc);
        while (hook != nullptr)
        {
            CUXWndHook* next = hook->m_pNext;
            hook->m_hWnd = nullptr;
            hook->m_pfnOldWndProc = nullptr;
            hook->m_pNext = nullptr;
            hook = next;
        }
    }
    pos = m_orphans.GetStartPosition();
    while (pos != nullptr)
    {
        void* window = nullptr;
        void* proc = nullptr;
        m_orphans.GetNextAssoc(pos, window, proc);
        ReleaseWindow(static_cast<HWND>(window), reinterpret_cast<WNDPROC>(proc));
    }
    g_mapGone = true;
}

CUXWndHook* CUXWindowMap::Lookup(HWND hWnd) const
{
    void* hook = nullptr;
    return CMapPtrToPtr::Lookup(hWnd, hook) ? static_cast<CUXWndHook*>(hook) : nullptr;
}

void CUXWindowMap::Add(HWND hWnd, CUXWndHook* pHook)
{
    CUXWndHook* head = Lookup(hWnd);
    pHook->m_pNext = head;
    SetAt(hWnd, pHook);
    if (head != nullptr)
    {
        pHook->m_pfnOldWndProc = head->m_pfnOldWndProc;
        return;
    }
    void* orphanProc = nullptr;
    if (m_orphans.Lookup(hWnd, orphanProc))
    {
        // Our procedure is still in the window's chain below a later one: use it where it is.
        m_orphans.RemoveKey(hWnd);
        pHook->m_pfnOldWndProc = reinterpret_cast<WNDPROC>(orphanProc);
        return;
    }
    pHook->m_pfnOldWndProc = reinterpret_cast<WNDPROC>(
        ::SetWindowLongPtrA(hWnd, GWLP_WNDPROC, reinterpret_cast<LONG_PTR>(&CUXWindowMap::HookWndProc)));
}

void CUXWindowMap::Remove(CUXWndHook* pHook)
{
    HWND hWnd = pHook->m_hWnd;
    CUXWndHook* head = Lookup(hWnd);
    if (head == nullptr)
        return;
    if (head != pHook)
    {
        CUXWndHook* previous = head;
        while (previous->m_pNext != nullptr && previous->m_pNext != pHook)
            previous = previous->m_pNext;
        if (previous->m_pNext == pHook)
            previous->m_pNext = pHook->m_pNext;
        return;
    }
    if (pHook->m_pNext != nullptr)
    {
        SetAt(hWnd, pHook->m_pNext);
        return;
    }
    RemoveKey(hWnd);
    if (!::IsWindow(hWnd))
        return;
    // Only while our procedure is the window's own: a procedure chained on top of ours later keeps calling
    // ours, which then passes everything on.
    if (CurrentProc(hWnd) == &CUXWindowMap::HookWndProc)
        ::SetWindowLongPtrA(hWnd, GWLP_WNDPROC, reinterpret_cast<LONG_PTR>(pHook->m_pfnOldWndProc));
    else
        m_orphans.SetAt(hWnd, reinterpret_cast<void*>(pHook->m_pfnOldWndProc));
}

void CUXWindowMap::RemoveAll(HWND hWnd)
{
    while (CUXWndHook* head = Lookup(hWnd))
    {
        head->AttachWindow(static_cast<HWND>(nullptr));
        if (Lookup(hWnd) == head)   // an override that did not detach must not stall the loop
            head->CUXWndHook::AttachWindow(static_cast<HWND>(nullptr));
    }
}

LRESULT CALLBACK CUXWindowMap::HookWndProc(HWND hWnd, UINT message, WPARAM wParam, LPARAM lParam)
{
    if (g_mapGone)
    {
        WNDPROC pfnOld = reinterpret_cast<WNDPROC>(::GetPropA(hWnd, kProcAfterMap));
        if (message == WM_NCDESTROY)
            ::RemovePropA(hWnd, kProcAfterMap);
        return pfnOld != nullptr ? ::CallWindowProcA(pfnOld, hWnd, message, wParam, lParam)
                                 : ::DefWindowProcA(hWnd, message, wParam, lParam);
    }
    // Framework calls made from inside a hook (Default, GetCurrentMessage) must see this message.
    MSG* current = const_cast<MSG*>(CWnd::GetCurrentMessage());
    MSG saved = *current;
    current->hwnd = hWnd;
    current->message = message;
    current->wParam = wParam;
    current->lParam = lParam;

    CUXWindowMap& map = GetMap();
    LRESULT result = 0;
    try
    {
        CUXWndHook* head = map.Lookup(hWnd);
        if (head == nullptr)
        {
            void* orphanProc = nullptr;
            if (map.m_orphans.Lookup(hWnd, orphanProc))
            {
                if (message == WM_NCDESTROY)
                    map.m_orphans.RemoveKey(hWnd);
                result = ::CallWindowProcA(reinterpret_cast<WNDPROC>(orphanProc), hWnd, message, wParam, lParam);
            }
            else
            {
                result = ::DefWindowProcA(hWnd, message, wParam, lParam);
            }
        }
        else if (message == WM_NCDESTROY)
        {
            // Every hook goes before the window's own procedure sees its last message.
            WNDPROC pfnOld = head->m_pfnOldWndProc;
            map.RemoveAll(hWnd);
            map.m_orphans.RemoveKey(hWnd);
            result = ::CallWindowProcA(pfnOld, hWnd, message, wParam, lParam);
        }
        else
        {
            DeliveryScope delivery(hWnd, head->m_pfnOldWndProc);
            result = head->HandleMessage(message, wParam, lParam);
        }
    }
    catch (...)
    {
        // Nothing may unwind through the system's code.
        result = 0;
    }
    *current = saved;
    return result;
}
