// Test helper: records the messages that chosen windows of this thread receive, in order, and compares them
// with an expected sequence written as data. Frame layout, bar layout, sheet activation and docking are
// defined by message order; this is how their tests check it.
//
//   CMessageSequence seq({WM_SIZE, WM_SIZEPARENT});
//   seq.Watch(frame.m_hWnd, "frame");
//   seq.Watch(bar.m_hWnd, "bar");
//   seq.Start();
//   frame.MoveWindow(...);
//   seq.Stop();
//   EXPECT_TRUE(seq.Matches({{"frame", WM_SIZE}, {"bar", WM_SIZEPARENT}, {"bar", WM_SIZE}}));
//
// Sent messages are seen before the window procedure runs (WH_CALLWNDPROC), posted ones when they are taken
// from the queue (WH_GETMESSAGE). Only the messages named at construction are recorded. Header only.
#pragma once

#include <windows.h>

#include <gtest/gtest.h>

#include <algorithm>
#include <cstdio>
#include <initializer_list>
#include <map>
#include <string>
#include <vector>

struct VxExpectedMessage
{
    enum Flags : unsigned
    {
        optional = 1,      // may be missing
        checkWParam = 2,   // wParam must equal
        checkLParam = 4,   // lParam must equal
        posted = 8,        // must have come through the queue
    };
    std::string window;
    UINT message;
    unsigned flags = 0;
    WPARAM wParam = 0;
    LPARAM lParam = 0;
};

class CMessageSequence
{
public:
    struct Record
    {
        std::string window;
        UINT message;
        WPARAM wParam;
        LPARAM lParam;
        bool posted;
    };

    explicit CMessageSequence(std::initializer_list<UINT> messages) : m_messages(messages) {}
    ~CMessageSequence() { Stop(); }
    CMessageSequence(const CMessageSequence&) = delete;
    CMessageSequence& operator=(const CMessageSequence&) = delete;

    void Watch(HWND hWnd, const char* name) { m_names[hWnd] = name; }
    // Every other window of this class (for windows that do not exist yet when recording starts).
    void WatchClass(const char* className, const char* name) { m_classes[className] = name; }
    void Start()
    {
        if (Active() != nullptr)
            return;   // one recorder at a time
        Active() = this;
        m_hSent = ::SetWindowsHookExA(WH_CALLWNDPROC, SentHook, nullptr, ::GetCurrentThreadId());
        m_hPosted = ::SetWindowsHookExA(WH_GETMESSAGE, PostedHook, nullptr, ::GetCurrentThreadId());
    }
    void Stop()
    {
        if (Active() != this)
            return;
        ::UnhookWindowsHookEx(m_hSent);
        ::UnhookWindowsHookEx(m_hPosted);
        m_hSent = m_hPosted = nullptr;
        Active() = nullptr;
    }
    void Clear() { m_records.clear(); }
    const std::vector<Record>& Records() const { return m_records; }

    // The recorded sequence equals the expected one, optional entries aside; on a mismatch the message shows
    // both sequences.
    ::testing::AssertionResult Matches(const std::vector<VxExpectedMessage>& expected) const
    {
        size_t r = 0;
        for (const VxExpectedMessage& e : expected)
        {
            if (r < m_records.size() && Fits(e, m_records[r]))
                ++r;
            else if (!(e.flags & VxExpectedMessage::optional))
                return Mismatch(expected, r);
        }
        if (r != m_records.size())
            return Mismatch(expected, r);
        return ::testing::AssertionSuccess();
    }

    static std::string Name(UINT message)
    {
        static const std::map<UINT, const char*> names = {
            {WM_CREATE, "WM_CREATE"},
            {WM_DESTROY, "WM_DESTROY"},
            {WM_MOVE, "WM_MOVE"},
            {WM_SIZE, "WM_SIZE"},
            {WM_ACTIVATE, "WM_ACTIVATE"},
            {WM_SETFOCUS, "WM_SETFOCUS"},
            {WM_KILLFOCUS, "WM_KILLFOCUS"},
            {WM_ENABLE, "WM_ENABLE"},
            {WM_CLOSE, "WM_CLOSE"},
            {WM_SHOWWINDOW, "WM_SHOWWINDOW"},
            {WM_WINDOWPOSCHANGING, "WM_WINDOWPOSCHANGING"},
            {WM_WINDOWPOSCHANGED, "WM_WINDOWPOSCHANGED"},
            {WM_NOTIFY, "WM_NOTIFY"},
            {WM_INITDIALOG, "WM_INITDIALOG"},
            {WM_COMMAND, "WM_COMMAND"},
            {WM_INITMENU, "WM_INITMENU"},
            {WM_INITMENUPOPUP, "WM_INITMENUPOPUP"},
            {WM_UNINITMENUPOPUP, "WM_UNINITMENUPOPUP"},
            {WM_MENUSELECT, "WM_MENUSELECT"},
            {WM_ENTERMENULOOP, "WM_ENTERMENULOOP"},
            {WM_EXITMENULOOP, "WM_EXITMENULOOP"},
            {WM_ENTERIDLE, "WM_ENTERIDLE"},
            {WM_PAINT, "WM_PAINT"},
            {WM_NCACTIVATE, "WM_NCACTIVATE"},
            {WM_ACTIVATEAPP, "WM_ACTIVATEAPP"},
            {WM_CANCELMODE, "WM_CANCELMODE"},
            {WM_CAPTURECHANGED, "WM_CAPTURECHANGED"},
            {WM_PARENTNOTIFY, "WM_PARENTNOTIFY"},
            {WM_KEYDOWN, "WM_KEYDOWN"},
            {WM_KEYUP, "WM_KEYUP"},
            {WM_SYSKEYDOWN, "WM_SYSKEYDOWN"},
            {WM_SYSKEYUP, "WM_SYSKEYUP"},
            {WM_SYSCOMMAND, "WM_SYSCOMMAND"},
            {WM_TIMER, "WM_TIMER"},
            {0x0361, "WM_SIZEPARENT"},
            {0x0362, "WM_SETMESSAGESTRING"},
            {0x0363, "WM_IDLEUPDATECMDUI"},
            {0x0364, "WM_INITIALUPDATE"},
        };
        auto it = names.find(message);
        if (it != names.end())
            return it->second;
        char text[16];
        std::snprintf(text, sizeof(text), "0x%04X", message);
        return text;
    }

private:
    static CMessageSequence*& Active()
    {
        static CMessageSequence* active = nullptr;
        return active;
    }

    void Add(HWND hWnd, UINT message, WPARAM wParam, LPARAM lParam, bool posted)
    {
        if (std::find(m_messages.begin(), m_messages.end(), message) == m_messages.end())
            return;
        auto it = m_names.find(hWnd);
        if (it != m_names.end())
        {
            m_records.push_back({it->second, message, wParam, lParam, posted});
            return;
        }
        char className[64] = {};
        ::GetClassNameA(hWnd, className, sizeof(className));
        auto cls = m_classes.find(className);
        if (cls != m_classes.end())
            m_records.push_back({cls->second, message, wParam, lParam, posted});
    }

    static LRESULT CALLBACK SentHook(int code, WPARAM wParam, LPARAM lParam)
    {
        CMessageSequence* self = Active();
        if (code == HC_ACTION && self != nullptr)
        {
            const CWPSTRUCT* cwp = reinterpret_cast<const CWPSTRUCT*>(lParam);
            self->Add(cwp->hwnd, cwp->message, cwp->wParam, cwp->lParam, false);
        }
        return ::CallNextHookEx(self != nullptr ? self->m_hSent : nullptr, code, wParam, lParam);
    }

    static LRESULT CALLBACK PostedHook(int code, WPARAM wParam, LPARAM lParam)
    {
        CMessageSequence* self = Active();
        if (code == HC_ACTION && self != nullptr && wParam == PM_REMOVE)
        {
            const MSG* msg = reinterpret_cast<const MSG*>(lParam);
            self->Add(msg->hwnd, msg->message, msg->wParam, msg->lParam, true);
        }
        return ::CallNextHookEx(self != nullptr ? self->m_hPosted : nullptr, code, wParam, lParam);
    }

    static bool Fits(const VxExpectedMessage& e, const Record& r)
    {
        return e.window == r.window && e.message == r.message &&
               (!(e.flags & VxExpectedMessage::checkWParam) || e.wParam == r.wParam) &&
               (!(e.flags & VxExpectedMessage::checkLParam) || e.lParam == r.lParam) &&
               (!(e.flags & VxExpectedMessage::posted) || r.posted);
    }

    ::testing::AssertionResult Mismatch(const std::vector<VxExpectedMessage>& expected, size_t at) const
    {
        std::string text = "message sequences differ at recorded entry " + std::to_string(at) + "\n  expected:";
        for (const VxExpectedMessage& e : expected)
            text += "\n    " + e.window + " " + Name(e.message) +
                    ((e.flags & VxExpectedMessage::optional) ? " (optional)" : "");
        text += "\n  recorded:";
        for (const Record& r : m_records)
            text += "\n    " + r.window + " " + Name(r.message) + " w=" + std::to_string(r.wParam) +
                    (r.posted ? " (posted)" : "");
        return ::testing::AssertionFailure() << text;
    }

    std::vector<UINT> m_messages;
    std::map<HWND, std::string> m_names;
    std::map<std::string, std::string> m_classes;
    std::vector<Record> m_records;
    HHOOK m_hSent = nullptr;
    HHOOK m_hPosted = nullptr;
};
