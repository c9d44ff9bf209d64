// Helpers of the UI library's window tests: a host window that records and can refuse notifications, letting
// queued messages and paints run, and reading what a window shows on the screen.
#pragma once

#include "framework/win/Framework.h"
#include "support/win_DibSurface.h"

#include <algorithm>
#include <memory>
#include <vector>

// Runs every pending message and paint until the thread would wait: what was drawn is then on the screen.
inline void PumpMessages()
{
    MSG msg;
    for (int i = 0; i < 1000; ++i)
    {
        while (::PeekMessageA(&msg, nullptr, 0, 0, PM_REMOVE))
        {
            ::TranslateMessage(&msg);
            ::DispatchMessageA(&msg);
        }
        if (::MsgWaitForMultipleObjectsEx(0, nullptr, 0, QS_ALLINPUT, 0) == WAIT_TIMEOUT)
            return;
    }
}

// A top-level window at (20, 20) that hosts the controls under test. It records the codes of the
// notifications it receives and, when asked, refuses selection changes of trees.
class CTestHost : public CWnd
{
public:
    explicit CTestHost(int width = 600, int height = 420)
    {
        CreateEx(0, nullptr, "host", WS_OVERLAPPEDWINDOW | WS_VISIBLE | WS_CLIPCHILDREN, 20, 20, width, height,
                 nullptr, nullptr);
    }
    std::vector<UINT> m_codes;
    bool m_bRefuseSelChanging = false;

    size_t Count(UINT code) const
    {
        size_t n = 0;
        for (UINT c : m_codes)
            n += c == code ? 1 : 0;
        return n;
    }

    BOOL OnNotify(WPARAM wParam, LPARAM lParam, LRESULT* pResult) override
    {
        NMHDR* notify = reinterpret_cast<NMHDR*>(lParam);
        m_codes.push_back(notify->code);
        if (m_bRefuseSelChanging && (notify->code == TVN_SELCHANGINGA || notify->code == TVN_SELCHANGINGW))
        {
            *pResult = TRUE;
            return TRUE;
        }
        return CWnd::OnNotify(wParam, lParam, pResult);
    }
};

// The client area of a window as the screen shows it.
struct ScreenShot
{
    explicit ScreenShot(HWND hWnd)
    {
        PumpMessages();
        CRect rect;
        ::GetClientRect(hWnd, &rect);
        CPoint origin(0, 0);
        ::ClientToScreen(hWnd, &origin);
        surface.reset(new DibSurface(rect.Width(), rect.Height()));
        HDC screen = ::GetDC(nullptr);
        ::BitBlt(surface->dc, 0, 0, rect.Width(), rect.Height(), screen, origin.x, origin.y, SRCCOPY);
        ::ReleaseDC(nullptr, screen);
    }
    COLORREF At(int x, int y) const { return surface->At(x, y); }
    int Width() const { return surface->width; }
    int Height() const { return surface->height; }
    // How many pixels of the rectangle (clipped to the picture) have the colour.
    int Count(const CRect& rect, COLORREF color) const
    {
        int n = 0;
        for (int y = std::max(0L, rect.top); y < std::min<long>(Height(), rect.bottom); ++y)
            for (int x = std::max(0L, rect.left); x < std::min<long>(Width(), rect.right); ++x)
                n += At(x, y) == color ? 1 : 0;
        return n;
    }

    std::unique_ptr<DibSurface> surface;
};
