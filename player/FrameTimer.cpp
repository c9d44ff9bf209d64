#include "player/FrameTimer.h"

std::atomic<CFrameTimer*> CFrameTimer::s_pInstance{nullptr};
std::atomic<int> CFrameTimer::s_nCallbacksInFlight{0};

CFrameTimer::CFrameTimer()
    : m_nFrequency(0), m_nResolution(0), m_nTimerId(0), m_nEarlyId(0), m_bArming(false), m_bMultimedia(FALSE),
      m_bPeriodBegun(FALSE), m_Caps(), m_nMessage(0), m_pWindow(nullptr), m_hWindow(nullptr),
      m_bWindowTimerOnly(FALSE)
{
    s_pInstance.store(this);
    Init();
}

CFrameTimer::~CFrameTimer()
{
    // First no new callback finds us, then none that already did is still running. A running one may be
    // sending its tick to a window of this thread: answer sent messages while waiting.
    CFrameTimer* self = this;
    s_pInstance.compare_exchange_strong(self, nullptr);
    Stop();
    while (s_nCallbacksInFlight.load() > 0)
    {
        MSG msg;
        PeekMessageA(&msg, nullptr, 0, 0, PM_NOREMOVE);
        Sleep(1);
    }
    if (m_bPeriodBegun)
    {
        timeEndPeriod(m_nResolution);
        m_bPeriodBegun = FALSE;
    }
}

UINT CFrameTimer::ComputeResolution(UINT minPeriod, UINT maxPeriod)
{
    UINT resolution = minPeriod < 1 ? 1 : minPeriod;
    return resolution > maxPeriod ? maxPeriod : resolution;
}

UINT CFrameTimer::Init()
{
    m_bMultimedia = FALSE;
    if (m_bWindowTimerOnly)
        return 0;
    LARGE_INTEGER frequency;
    if (!QueryPerformanceFrequency(&frequency))
        return 0;
    m_nFrequency = frequency.QuadPart;
    MMRESULT error = timeGetDevCaps(&m_Caps, sizeof(m_Caps));
    if (error != 0)
        return error;
    if (m_bPeriodBegun)
        timeEndPeriod(m_nResolution);   // a second set-up must not stack periods
    m_nResolution = ComputeResolution(m_Caps.wPeriodMin, m_Caps.wPeriodMax);
    timeBeginPeriod(m_nResolution);
    m_bPeriodBegun = TRUE;
    m_bMultimedia = TRUE;
    return 0;
}

void CFrameTimer::UseWindowTimer()
{
    m_bWindowTimerOnly = TRUE;
    m_bMultimedia = FALSE;
}

UINT CFrameTimer::ArmMultimedia(UINT delay, HWND window)
{
    return timeSetEvent(delay, m_nResolution, &CFrameTimer::MultimediaProc, reinterpret_cast<DWORD_PTR>(window),
                        TIME_ONESHOT);
}

UINT CFrameTimer::ArmWindowTimer(UINT delay, HWND window)
{
    return static_cast<UINT>(SetTimer(window, 1, delay, &CFrameTimer::WindowTimerProc));
}

UINT CFrameTimer::KillMultimedia(UINT id)
{
    return timeKillEvent(id);
}

UINT CFrameTimer::KillWindowTimer(HWND window, UINT id)
{
    return KillTimer(window, id);
}

void CFrameTimer::Deliver(HWND window, UINT message, UINT id, DWORD time, BOOL posted)
{
    if (posted)
        PostMessageA(window, message, id, time);
    else
        SendMessageA(window, message, id, time);
}

BOOL CFrameTimer::Start(UINT delay, CWnd* window, UINT message)
{
    m_nMessage.store(message);
    m_pWindow = window;
    HWND hWnd = window ? window->GetSafeHwnd() : nullptr;
    m_hWindow.store(hWnd);
    if (!window)
        return FALSE;
    UINT id;
    if (m_bMultimedia)
    {
        // The callback may run before timeSetEvent has returned the id: such an expiry is parked in
        // m_nEarlyId and delivered below once the id is known.
        m_nEarlyId.store(0);
        m_bArming.store(true);
        id = ArmMultimedia(delay, hWnd);
        m_nTimerId.store(id);
        m_bArming.store(false);
        if (id != 0 && m_nEarlyId.exchange(0) == id && TakeExpiry(id))
        {
            // We are on the window's own thread here; posting keeps the tick out of this call chain.
            if (hWnd)
                Deliver(hWnd, m_nMessage.load(), id, GetTickCount(), TRUE);
        }
    }
    else
    {
        id = ArmWindowTimer(delay, hWnd);
        m_nTimerId.store(id);
    }
    return id != 0;
}

UINT CFrameTimer::Stop()
{
    UINT id = m_nTimerId.exchange(0);
    if (id == 0)
        return 0;
    if (m_bMultimedia)
        return KillMultimedia(id);
    HWND hWnd = m_hWindow.load();
    if (!m_pWindow || !hWnd || !IsWindow(hWnd))
        return 0;
    return KillWindowTimer(hWnd, id);
}

BOOL CFrameTimer::TakeExpiry(UINT id)
{
    UINT expected = id;
    return id != 0 && m_nTimerId.compare_exchange_strong(expected, 0);
}

void CFrameTimer::OnFire(UINT id, HWND window, DWORD time)
{
    UINT current = m_nTimerId.load();
    if (current != id)
    {
        if (!m_bMultimedia || id == 0)
            return;
        if (current == 0 && m_bArming.load())
        {
            // An expiry that beat Start to storing its id: park it for Start to deliver. Start may have
            // stored the id and looked for a parked expiry just before we parked it, so look again.
            m_nEarlyId.store(id);
            if (m_nTimerId.load() == id && m_nEarlyId.exchange(0) == id && TakeExpiry(id) && window)
                Deliver(window, m_nMessage.load(), id, time, FALSE);
            return;
        }
        if (m_nTimerId.load() != id)
            return;   // stale or foreign
    }
    if (!m_bMultimedia && window)
        KillWindowTimer(window, id);   // the window timer repeats: one expiry is all we want
    if (!TakeExpiry(id))
        return;
    if (window)
        Deliver(window, m_nMessage.load(), id, time, FALSE);
}

void CALLBACK CFrameTimer::MultimediaProc(UINT id, UINT, DWORD_PTR user, DWORD_PTR, DWORD_PTR)
{
    ++s_nCallbacksInFlight;
    if (CFrameTimer* timer = s_pInstance.load())
        timer->OnFire(id, reinterpret_cast<HWND>(user), GetTickCount());
    --s_nCallbacksInFlight;
}

void CALLBACK CFrameTimer::WindowTimerProc(HWND window, UINT, UINT_PTR id, DWORD time)
{
    if (CFrameTimer* timer = s_pInstance.load())
        timer->OnFire(static_cast<UINT>(id), window, time);
}
