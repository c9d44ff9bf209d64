// The help viewer and the shell behind replaceable handlers.
#include "framework/win/Shell.h"

#include <shellapi.h>

#include <atomic>
#include <mutex>

namespace
{
// The help viewer's library: loaded once, its windows closed and the library freed at the end.
class CHelpViewer
{
public:
    typedef HWND(WINAPI* HtmlHelpFn)(HWND, LPCSTR, UINT, DWORD_PTR);

    HtmlHelpFn Function()
    {
        std::lock_guard<std::mutex> lock(m_mutex);
        if (m_hLibrary == nullptr && !m_bTried)
        {
            m_bTried = true;
            m_hLibrary = ::LoadLibraryA("hhctrl.ocx");
            if (m_hLibrary != nullptr)
                m_pfn = reinterpret_cast<HtmlHelpFn>(
                    reinterpret_cast<void*>(::GetProcAddress(m_hLibrary, "HtmlHelpA")));
        }
        return m_pfn;
    }
    ~CHelpViewer()
    {
        if (m_hLibrary == nullptr)
            return;
        if (m_pfn != nullptr)
            m_pfn(nullptr, nullptr, 0x0012 /* HH_CLOSE_ALL */, 0);
        ::FreeLibrary(m_hLibrary);
    }

private:
    std::mutex m_mutex;
    HMODULE m_hLibrary = nullptr;
    HtmlHelpFn m_pfn = nullptr;
    bool m_bTried = false;
};

CHelpViewer& HelpViewer()
{
    static CHelpViewer viewer;
    return viewer;
}

HWND RealHtmlHelp(HWND hWndCaller, LPCSTR pszFile, UINT uCommand, DWORD_PTR dwData)
{
    CHelpViewer::HtmlHelpFn pfn = HelpViewer().Function();
    return pfn == nullptr ? nullptr : pfn(hWndCaller, pszFile, uCommand, dwData);
}

HINSTANCE RealShellExecute(HWND hWnd, LPCSTR lpOperation, LPCSTR lpFile, LPCSTR lpParameters, LPCSTR lpDirectory,
                           INT nShowCmd)
{
    return ::ShellExecuteA(hWnd, lpOperation, lpFile, lpParameters, lpDirectory, nShowCmd);
}

std::atomic<AfxHtmlHelpHandler> g_htmlHelp{&RealHtmlHelp};
std::atomic<AfxShellExecuteHandler> g_shellExecute{&RealShellExecute};
}   // namespace

HWND AfxHtmlHelp(HWND hWndCaller, LPCSTR pszFile, UINT uCommand, DWORD_PTR dwData)
{
    return g_htmlHelp.load()(hWndCaller, pszFile, uCommand, dwData);
}

HINSTANCE AfxShellExecute(HWND hWnd, LPCSTR lpOperation, LPCSTR lpFile, LPCSTR lpParameters, LPCSTR lpDirectory,
                          INT nShowCmd)
{
    return g_shellExecute.load()(hWnd, lpOperation, lpFile, lpParameters, lpDirectory, nShowCmd);
}

AfxHtmlHelpHandler AfxSetHtmlHelpHandler(AfxHtmlHelpHandler handler)
{
    return g_htmlHelp.exchange(handler != nullptr ? handler : &RealHtmlHelp);
}

AfxShellExecuteHandler AfxSetShellExecuteHandler(AfxShellExecuteHandler handler)
{
    return g_shellExecute.exchange(handler != nullptr ? handler : &RealShellExecute);
}
