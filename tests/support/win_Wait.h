// Test helper: waiting for a condition (an event, a counter, a window state) instead of for a time. The
// timeout only bounds a wait that fails; it is generous so that a loaded machine never trips it.
#pragma once

#include "framework/win/Framework.h"

const DWORD kWaitTimeout = 30000;

// Answers the messages in the thread's queue, also those that they post in turn.
inline void PumpPendingMessages()
{
    MSG msg;
    while (::PeekMessageA(&msg, nullptr, 0, 0, PM_REMOVE))
    {
        ::TranslateMessage(&msg);
        ::DispatchMessageA(&msg);
    }
}

// Polls condition until it holds or timeoutMs has passed; true when it held. The thread's own messages wait
// unless pumpMessages (so that a window's update region stays as a worker left it).
template <class F>
bool WaitFor(F condition, DWORD timeoutMs = kWaitTimeout, bool pumpMessages = false)
{
    const DWORD start = ::GetTickCount();
    for (;;)
    {
        if (pumpMessages)
            PumpPendingMessages();
        if (condition())
            return true;
        if (::GetTickCount() - start > timeoutMs)
            return false;
        ::Sleep(2);
    }
}

// The same, answering the thread's messages between the polls.
template <class F>
bool PumpUntil(F condition, DWORD timeoutMs = kWaitTimeout)
{
    return WaitFor(condition, timeoutMs, true);
}
