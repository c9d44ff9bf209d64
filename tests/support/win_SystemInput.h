// Test helper: real mouse and keyboard input through SendInput (screen coordinates). Drags that run their own
// message loop need the whole gesture queued before the messages are handled: queue it, then pump.
//
//   VxInput::Drag(gripper, target);               // press, move, release
//   VxInput::Key(VK_CONTROL, true); ...; VxInput::Key(VK_CONTROL, false);
//   Pump();
//
// A hand that moves while the program works: VxInput::Play runs a gesture from a thread of its own while the
// program's thread answers its messages; its drags wait until the program holds the mouse before they move.
//
//   EXPECT_TRUE(VxInput::Play([&]() { VxInput::StepDrag(splitter, splitter + CSize(30, 0)); }, PumpPending));
//
// Header only.
#pragma once

#include <windows.h>

#include <process.h>

#include <atomic>
#include <functional>

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

// Whether a thread holds the mouse capture (as a drag loop does); readable from any thread.
inline bool HasCapture(DWORD threadId)
{
    GUITHREADINFO info = {};
    info.cbSize = sizeof(info);
    return ::GetGUIThreadInfo(threadId, &info) && info.hwndCapture != nullptr;
}

// The program's thread while a hand plays to it (0: no hand; a gesture is queued whole), and the drags of the
// gesture that found it not taking the mouse.
inline std::atomic<DWORD>& ProgramThread()
{
    static std::atomic<DWORD> id{0};
    return id;
}
inline std::atomic<int>& MissedDrags()
{
    static std::atomic<int> missed{0};
    return missed;
}

// On a hand's thread, after a press: waits until the program holds the mouse (its drag loop, or its drag
// detection), so that it sees the cursor where the press was; counted as missed when it never does.
inline void AwaitCapture()
{
    DWORD program = ProgramThread();
    DWORD start = ::GetTickCount();
    while (program != 0 && !HasCapture(program))
    {
        if (::GetTickCount() - start > 30000)
        {
            ++MissedDrags();
            return;
        }
        ::Sleep(2);
    }
}

// Press at from, move there in a few steps, release at to.
inline void Drag(POINT from, POINT to)
{
    MoveTo(from);
    Press(from);
    AwaitCapture();
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

// A move that the system does not merge with the next one (a key nobody uses goes between): a loop that
// follows the mouse sees every step.
inline void StepTo(POINT point)
{
    MoveTo(point);
    INPUT input = {};
    input.type = INPUT_KEYBOARD;
    input.ki.wVk = VK_F13;
    input.ki.dwFlags = KEYEVENTF_KEYUP;
    Send(input);
}

// Press at from, move there in steps the program sees one by one, release at to.
inline void StepDrag(POINT from, POINT to, int steps = 6)
{
    MoveTo(from);
    Press(from);
    AwaitCapture();
    for (int step = 1; step <= steps; ++step)
        StepTo({from.x + (to.x - from.x) * step / steps, from.y + (to.y - from.y) * step / steps});
    Release(to);
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

inline unsigned __stdcall RunGesture(void* gesture)
{
    (*static_cast<const std::function<void()>*>(gesture))();
    return 0;
}

// A user's hand: the gesture (the functions above) runs on a thread of its own while this thread answers the
// program's messages through pump (the program may also be another process's thread, which answers its own).
// Back once the gesture is over and what it caused has been handled (no input waits here, nothing holds the
// mouse); false when a drag found the program not taking the mouse or the whole did not end in 30 s.
inline bool Play(const std::function<void()>& gesture, const std::function<void()>& pump,
                 DWORD program = ::GetCurrentThreadId())
{
    ProgramThread() = program;
    MissedDrags() = 0;
    HANDLE hand = reinterpret_cast<HANDLE>(::_beginthreadex(
        nullptr, 0, &RunGesture, const_cast<std::function<void()>*>(&gesture), CREATE_SUSPENDED, nullptr));
    if (hand == nullptr)
        return false;
    ::ResumeThread(hand);
    bool here = program == ::GetCurrentThreadId();
    auto over = [&]()
    {
        return ::WaitForSingleObject(hand, 0) == WAIT_OBJECT_0 &&
               (!here || HIWORD(::GetQueueStatus(QS_INPUT)) == 0) && !HasCapture(program);
    };
    bool ended = false;
    for (DWORD start = ::GetTickCount(); !ended && ::GetTickCount() - start <= 30000;)
    {
        ::MsgWaitForMultipleObjects(1, &hand, FALSE, 10, QS_ALLINPUT);
        pump();
        ended = over();
    }
    ::WaitForSingleObject(hand, INFINITE);
    ::CloseHandle(hand);
    pump();
    ProgramThread() = 0;
    return ended && MissedDrags() == 0;
}

}   // namespace VxInput
