// Test helper: plays the user in modal dialogs that run their own loops (the system's file, colour and font
// dialogs, message boxes of the system, our sheets). Each time a top-level dialog of this thread becomes the
// active window (and was not the one active before), the next step runs with its window, from inside that
// dialog's loop. Post() queues work behind the messages already posted, so a step can post a button press and
// then check what it did
// (queued work runs one piece at a time, each behind what the piece before it posted). Header only.
#pragma once

#include "framework/core/wintypes.h"

#include <dlgs.h>

#include <functional>
#include <string>
#include <vector>

class CDialogDriver
{
public:
    using Step = std::function<void(HWND)>;

    explicit CDialogDriver(std::vector<Step> steps) : m_steps(std::move(steps))
    {
        m_previous = Current();
        Current() = this;
        m_hWndHelper =
            ::CreateWindowExA(0, "STATIC", nullptr, 0, 0, 0, 0, 0, HWND_MESSAGE, nullptr, nullptr, nullptr);
        ::SetWindowLongPtrA(m_hWndHelper, GWLP_WNDPROC, reinterpret_cast<LONG_PTR>(HelperProc));
        m_hHook = ::SetWindowsHookExA(WH_CBT, CbtHook, nullptr, ::GetCurrentThreadId());
    }
    ~CDialogDriver()
    {
        ::UnhookWindowsHookEx(m_hHook);
        ::DestroyWindow(m_hWndHelper);
        Current() = m_previous;
    }
    CDialogDriver(const CDialogDriver&) = delete;
    CDialogDriver& operator=(const CDialogDriver&) = delete;

    size_t StepsRun() const { return m_nextStep; }

    // Each queued function is posted only after the one before it has run, so that what it posted runs first.
    void Post(std::function<void()> fn)
    {
        m_queued.push_back(std::move(fn));
        if (!m_bPosted)
        {
            m_bPosted = true;
            ::PostMessageA(m_hWndHelper, WM_APP + 2, 0, 0);
        }
    }

    // Helpers for steps.
    static void Click(HWND hDlg, int nID)
    {
        ::PostMessageA(hDlg, WM_COMMAND, MAKEWPARAM(nID, BN_CLICKED),
                       reinterpret_cast<LPARAM>(::GetDlgItem(hDlg, nID)));
    }
    static std::string Text(HWND hWnd)
    {
        char text[1024] = {};
        ::GetWindowTextA(hWnd, text, sizeof(text));
        return text;
    }
    // The items of a combo box (a file dialog's filters).
    static std::vector<std::string> ComboTexts(HWND hCombo)
    {
        std::vector<std::string> texts;
        int count = static_cast<int>(::SendMessageA(hCombo, CB_GETCOUNT, 0, 0));
        for (int i = 0; i < count; ++i)
        {
            char text[256] = {};
            ::SendMessageA(hCombo, CB_GETLBTEXT, static_cast<WPARAM>(i), reinterpret_cast<LPARAM>(text));
            texts.push_back(text);
        }
        return texts;
    }
    // The file name box of a file dialog (an edit, or a combo box in the newer layout).
    static HWND FileNameBox(HWND hDlg)
    {
        HWND hEdit = ::GetDlgItem(hDlg, edt1);
        return hEdit != nullptr ? hEdit : ::GetDlgItem(hDlg, cmb13);
    }
    // All the texts of a dialog's children, one after the other (to find a message box's text).
    static std::string AllTexts(HWND hDlg)
    {
        std::string all;
        for (HWND h = ::GetWindow(hDlg, GW_CHILD); h != nullptr; h = ::GetWindow(h, GW_HWNDNEXT))
            all += Text(h) + "\n";
        return all;
    }

private:
    static CDialogDriver*& Current()
    {
        thread_local CDialogDriver* current = nullptr;
        return current;
    }

    static LRESULT CALLBACK CbtHook(int code, WPARAM wParam, LPARAM lParam)
    {
        CDialogDriver* self = Current();
        if (code == HCBT_ACTIVATE && self != nullptr)
        {
            HWND hWnd = reinterpret_cast<HWND>(wParam);
            char className[16] = {};
            ::GetClassNameA(hWnd, className, sizeof(className));
            if (hWnd != self->m_hWndLastActive && lstrcmpA(className, "#32770") == 0 &&
                !(::GetWindowLongA(hWnd, GWL_STYLE) & WS_CHILD))
            {
                self->m_hWndLastActive = hWnd;
                ::PostMessageA(self->m_hWndHelper, WM_APP + 1, wParam, 0);
            }
        }
        return ::CallNextHookEx(self != nullptr ? self->m_hHook : nullptr, code, wParam, lParam);
    }

    static LRESULT CALLBACK HelperProc(HWND hWnd, UINT message, WPARAM wParam, LPARAM lParam)
    {
        CDialogDriver* self = Current();
        if (self != nullptr && message == WM_APP + 1 && ::IsWindow(reinterpret_cast<HWND>(wParam)) &&
            self->m_nextStep < self->m_steps.size())
        {
            Step step = self->m_steps[self->m_nextStep++];
            step(reinterpret_cast<HWND>(wParam));
            return 0;
        }
        if (self != nullptr && message == WM_APP + 2 && !self->m_queued.empty())
        {
            std::function<void()> fn = std::move(self->m_queued.front());
            self->m_queued.erase(self->m_queued.begin());
            fn();
            self->m_bPosted = !self->m_queued.empty();
            if (self->m_bPosted)
                ::PostMessageA(hWnd, WM_APP + 2, 0, 0);
            return 0;
        }
        return ::DefWindowProcA(hWnd, message, wParam, lParam);
    }

    std::vector<Step> m_steps;
    std::vector<std::function<void()>> m_queued;
    size_t m_nextStep = 0;
    bool m_bPosted = false;
    HWND m_hWndHelper = nullptr;
    HWND m_hWndLastActive = nullptr;
    HHOOK m_hHook = nullptr;
    CDialogDriver* m_previous = nullptr;
};
