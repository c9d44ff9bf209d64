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

}   // namespace VxInput
