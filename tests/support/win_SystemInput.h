// Test helper: real mouse and keyboard input through SendInput (screen coordinates). Drags that run their own
// message loop need the whole gesture queued before the messages are handled: queue it, then pump.
//
//   VxInput::Drag(gripper, target);               // press, move, release
//   VxInput::Key(VK_CONTROL, true); ...; VxInput::Key(VK_CONTROL, false);
//   Pump();
//
// Header only.
#pragma once

#include <windows.h>

#include <functional>
#include <thread>

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

// Runs the gesture on a second thread, as a user's hand, while this thread answers its messages (through
// pump, which runs what is queued); returns once the gesture is done and what it caused has been handled.
inline void WhilePumping(const std::function<void()>& gesture, const std::function<void()>& pump)
{
    HANDLE done = ::CreateEventA(nullptr, TRUE, FALSE, nullptr);
    std::thread hand(
        [&]()
        {
            gesture();
            ::SetEvent(done);
        });
    while (::MsgWaitForMultipleObjects(1, &done, FALSE, INFINITE, QS_ALLINPUT) != WAIT_OBJECT_0)
        pump();
    hand.join();
    ::CloseHandle(done);
    pump();
}

// Press at from, move there in steps the program sees one by one, release at to.
inline void StepDrag(POINT from, POINT to, int steps = 6)
{
    MoveTo(from);
    Press(from);
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

}   // namespace VxInput
