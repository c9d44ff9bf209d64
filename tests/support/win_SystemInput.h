// Test helper: real mouse and keyboard input through SendInput (screen coordinates). Drags that run their own
// message loop need the whole gesture queued before the messages are handled: queue it, then pump.
//
//   VxInput::Drag(gripper, target);               // press, move, release
//   VxInput::Key(VK_CONTROL, true); ...; VxInput::Key(VK_CONTROL, false);
//   Pump();
//
// A hand that moves while the program works: VxInputThread sends a gesture from a thread of its own, each
// step once the program's thread is ready for it, while the test's thread runs its messages.
//
// Header only.
#pragma once

#include <windows.h>

#include <process.h>

#include <atomic>
#include <functional>
#include <utility>
#include <vector>

namespace VxInput
{

inline INPUT MouseAt(POINT point, DWORD flags)
{
    // Absolute coordinates run from 0 to 65536 over the screen; rounded up so that they come back exact.
    int cx = ::GetSystemMetrics(SM_CXSCREEN);
    int cy = ::GetSystemMetrics(SM_CYSCREEN);
    INPUT input = {};
    input.type = INPUT_MOUSE;
    input.mi.dx = static_cast<LONG>((static_cast<LONGLONG>(point.x) * 65536 + cx - 1) / cx);
    input.mi.dy = static_cast<LONG>((static_cast<LONGLONG>(point.y) * 65536 + cy - 1) / cy);
    input.mi.dwFlags = flags | MOUSEEVENTF_MOVE | MOUSEEVENTF_ABSOLUTE;
    return input;
}

inline void Send(INPUT input)
{
    ::SendInput(1, &input, sizeof(INPUT));
}

inline void MoveTo(POINT point)
{
    Send(MouseAt(point, 0));
}

inline void Press(POINT point)
{
    Send(MouseAt(point, MOUSEEVENTF_LEFTDOWN));
}

inline void Release(POINT point)
{
    Send(MouseAt(point, MOUSEEVENTF_LEFTUP));
}

// Press at from, move there in a few steps, release at to.
inline void Drag(POINT from, POINT to)
{
    MoveTo(from);
    Press(from);
    for (int step = 1; step <= 4; ++step)
        MoveTo({from.x + (to.x - from.x) * step / 4, from.y + (to.y - from.y) * step / 4});
    Release(to);
}

inline void DoubleClick(POINT point)
{
    MoveTo(point);
    for (int click = 0; click < 2; ++click)
    {
        Press(point);
        Release(point);
    }
}

inline void Key(WORD vk, bool down)
{
    INPUT input = {};
    input.type = INPUT_KEYBOARD;
    input.ki.wVk = vk;
    input.ki.wScan = static_cast<WORD>(::MapVirtualKeyA(vk, MAPVK_VK_TO_VSC));
    input.ki.dwFlags = down ? 0 : KEYEVENTF_KEYUP;
    Send(input);
}

// Whether a thread holds the mouse capture (as a drag loop does); readable from any thread.
inline bool HasCapture(DWORD threadId)
{
    GUITHREADINFO info = {};
    info.cbSize = sizeof(info);
    return ::GetGUIThreadInfo(threadId, &info) && info.hwndCapture != nullptr;
}

}   // namespace VxInput

// Sends input from a thread of its own while the thread that made it runs its messages: each step once its
// condition holds (checked from the sending thread, 30 s at most). The destructor waits for the thread.
class VxInputThread
{
public:
    struct Step
    {
        std::function<bool()> ready;   // null: at once
        std::vector<INPUT> input;
    };

    explicit VxInputThread(std::vector<Step> steps) : m_steps(std::move(steps))
    {
        m_thread = reinterpret_cast<HANDLE>(::_beginthreadex(nullptr, 0, &VxInputThread::Run, this,
                                                             CREATE_SUSPENDED, nullptr));
        if (m_thread != nullptr)
            ::ResumeThread(m_thread);
        m_done = m_thread == nullptr;
    }
    ~VxInputThread()
    {
        if (m_thread == nullptr)
            return;
        ::WaitForSingleObject(m_thread, INFINITE);
        ::CloseHandle(m_thread);
    }
    VxInputThread(const VxInputThread&) = delete;
    VxInputThread& operator=(const VxInputThread&) = delete;

    bool Done() const { return m_done; }
    int Missed() const { return m_missed; }   // steps whose condition never held

    // Press at from; once the calling thread holds the capture (its drag, or its drag detection), move to to
    // in four steps and release there.
    static std::vector<Step> Drag(POINT from, POINT to)
    {
        DWORD uiThread = ::GetCurrentThreadId();
        std::vector<INPUT> moves;
        for (int step = 1; step <= 4; ++step)
            moves.push_back(VxInput::MouseAt(
                {from.x + (to.x - from.x) * step / 4, from.y + (to.y - from.y) * step / 4}, 0));
        moves.push_back(VxInput::MouseAt(to, MOUSEEVENTF_LEFTUP));
        return {{nullptr, {VxInput::MouseAt(from, 0), VxInput::MouseAt(from, MOUSEEVENTF_LEFTDOWN)}},
                {[uiThread]() { return VxInput::HasCapture(uiThread); }, moves}};
    }

private:
    static unsigned __stdcall Run(void* self)
    {
        VxInputThread* me = static_cast<VxInputThread*>(self);
        for (Step& step : me->m_steps)
        {
            DWORD start = ::GetTickCount();
            while (step.ready && !step.ready())
            {
                if (::GetTickCount() - start > 30000)
                {
                    ++me->m_missed;
                    break;
                }
                ::Sleep(2);
            }
            ::SendInput(static_cast<UINT>(step.input.size()), step.input.data(), sizeof(INPUT));
        }
        me->m_done = true;
        return 0;
    }

    std::vector<Step> m_steps;
    HANDLE m_thread = nullptr;
    std::atomic<bool> m_done{false};
    std::atomic<int> m_missed{0};
};
