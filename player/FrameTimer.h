// The player's one-shot frame clock. Each Start fires once after the delay and then sends the message
// (timer id, time in ms) to the window; the main dialog re-arms it after every tick, so a frame never
// starts before the previous one has been handled. A multimedia timer where the system allows it, else a
// window timer killed at its first expiry.
#pragma once

#include "framework/win/Framework.h"

#include <atomic>
#include <mmsystem.h>

class CFrameTimer
{
public:
    enum
    {
        FramePeriod = 40   // ms from one frame of the player to the next
    };

    CFrameTimer();
    virtual ~CFrameTimer();

    // Multimedia set-up; 0 at once in window-timer-only mode, else the set-up's error (0 on success).
    UINT Init();
    // From now on the window timer (the NT-family systems of old).
    void UseWindowTimer();
    // Arms the clock once; TRUE when a timer id was obtained.
    BOOL Start(UINT delay, CWnd* window, UINT message);
    // Disarms an armed clock: the result of timeKillEvent or KillTimer; 0 when nothing was armed.
    UINT Stop();

    BOOL IsMultimedia() const { return m_bMultimedia; }
    BOOL IsArmed() const { return m_nTimerId.load() != 0; }
    UINT GetResolution() const { return m_nResolution; }

    // The resolution for a device's minimum and maximum period: the minimum, at least 1, at most the
    // maximum.
    static UINT ComputeResolution(UINT minPeriod, UINT maxPeriod);

    // An expiry of timer id for the window at the time. Runs on the system's timer thread in multimedia
    // mode; a stale or foreign id sends nothing.
    void OnFire(UINT id, HWND window, DWORD time);

    // The one instance, for the timer callbacks.
    static CFrameTimer* GetInstance() { return s_pInstance.load(); }

protected:
    // The platform's arming calls; tests replace them to drive expiries by hand.
    virtual UINT ArmMultimedia(UINT delay, HWND window);
    virtual UINT ArmWindowTimer(UINT delay, HWND window);
    virtual UINT KillMultimedia(UINT id);
    virtual UINT KillWindowTimer(HWND window, UINT id);
    virtual void Deliver(HWND window, UINT message, UINT id, DWORD time, BOOL posted);

private:
    static void CALLBACK MultimediaProc(UINT id, UINT msg, DWORD_PTR user, DWORD_PTR dw1, DWORD_PTR dw2);
    static void CALLBACK WindowTimerProc(HWND window, UINT msg, UINT_PTR id, DWORD time);
    // Fires exactly once for the armed id: TRUE for the caller that takes the expiry.
    BOOL TakeExpiry(UINT id);

    static std::atomic<CFrameTimer*> s_pInstance;
    // Multimedia callbacks running right now: the destructor waits for them before the object goes.
    static std::atomic<int> s_nCallbacksInFlight;

    LONGLONG m_nFrequency;
    UINT m_nResolution;
    std::atomic<UINT> m_nTimerId;
    // An expiry that came before its id was stored: kept until Start has stored the id.
    std::atomic<UINT> m_nEarlyId;
    std::atomic<bool> m_bArming;
    BOOL m_bMultimedia;
    BOOL m_bPeriodBegun;   // timeBeginPeriod is in force and owed its timeEndPeriod
    TIMECAPS m_Caps;
    std::atomic<UINT> m_nMessage;
    CWnd* m_pWindow;
    std::atomic<HWND> m_hWindow;
    BOOL m_bWindowTimerOnly;
};
