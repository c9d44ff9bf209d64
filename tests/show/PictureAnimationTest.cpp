#include "show/AniPicture.h"
#include "show/Picture.h"

#include "support/BmpFile.h"
#include "support/win_DibSurface.h"
#include "show/SlideObjTestUtil.h"

#include <gtest/gtest.h>

#include <tlhelp32.h>

#include <atomic>
#include <set>
#include <thread>

namespace
{

const COLORREF kRed = RGB(255, 0, 0);
const COLORREF kGreen = RGB(0, 255, 0);
const COLORREF kBlue = RGB(0, 0, 255);
const COLORREF kYellow = RGB(255, 255, 0);
const COLORREF kWhite = RGB(255, 255, 255);

IPicture* SolidPicture(int w, int h, COLORREF c)
{
    std::vector<BYTE> bmp = MakeSolidBmp(w, h, c);
    IPicture* picture = nullptr;
    EXPECT_EQ(LoadOlePicture(bmp.data(), static_cast<DWORD>(bmp.size()), &picture), S_OK);
    return picture;
}

// Gives the picture a known saved background and composition surface (left half green, right half
// yellow) instead of whatever the screen shows.
void SetKnownBackground(CAniPicture& ani, int w, int h)
{
    ani.SaveBackground(0, 0, w, h, 0, 0);
    ASSERT_TRUE(ani.m_bBackgroundSaved);
    DibSurface background(w, h, kGreen);
    background.dc.FillSolidRect(w / 2, 0, w - w / 2, h, kYellow);
    ani.SaveArea(&background.dc, &ani.m_bmpBackground, 0, 0, w, h);
    ani.m_dcComposition.BitBlt(0, 0, w, h, &background.dc, 0, 0, SRCCOPY);
}

// The threads of this process.
std::set<DWORD> ThreadIds()
{
    std::set<DWORD> ids;
    HANDLE snapshot = ::CreateToolhelp32Snapshot(TH32CS_SNAPTHREAD, 0);
    THREADENTRY32 entry = {};
    entry.dwSize = sizeof(entry);
    for (BOOL more = ::Thread32First(snapshot, &entry); more; more = ::Thread32Next(snapshot, &entry))
        if (entry.th32OwnerProcessID == ::GetCurrentProcessId())
            ids.insert(entry.th32ThreadID);
    ::CloseHandle(snapshot);
    return ids;
}

// A window on the screen with nothing to update: what a frame invalidates shows in its update region.
class CShownWindow : public CPlainWindow
{
public:
    CShownWindow(int w, int h) : CPlainWindow(w, h)
    {
        ::ShowWindow(hwnd(), SW_SHOWNOACTIVATE);
        ::ValidateRect(hwnd(), nullptr);
    }
};

}   // namespace

TEST(PictureAnimation, FrameWaitsInMilliseconds)
{
    EXPECT_EQ(CAniPicture::FrameWait(-1), 100);
    EXPECT_EQ(CAniPicture::FrameWait(0), 100);
    EXPECT_EQ(CAniPicture::FrameWait(4), 100);
    EXPECT_EQ(CAniPicture::FrameWait(5), 50);
    EXPECT_EQ(CAniPicture::FrameWait(20), 200);
}

TEST(PictureAnimation, StopWithoutThreadReturnsAtOnce)
{
    CAniPicture ani;
    ani.Stop();
    EXPECT_FALSE(ani.IsPlaying());
    EXPECT_FALSE(ani.IsThreadRunning());
}

TEST(PictureAnimation, SinglePictureIsDrawnAtOnce)
{
    CAniPicture ani;
    ani.SetSinglePicture(SolidPicture(3, 2, kRed));
    ani.AddFrame(SolidPicture(3, 2, kBlue), 3, 2, 0, 0, -1, 0);
    ani.m_nWidth = 3;
    ani.m_nHeight = 2;
    ani.m_bLoaded = TRUE;
    DibSurface surface(8, 8, kGreen);
    EXPECT_TRUE(ani.Start(nullptr, &surface.dc, 4, 5, 0, 0));
    EXPECT_FALSE(ani.IsThreadRunning());
    EXPECT_EQ(surface.At(4, 5), kRed);
    EXPECT_EQ(surface.At(6, 6), kRed);
    EXPECT_EQ(surface.At(3, 5), kGreen);
    EXPECT_EQ(surface.At(7, 6), kGreen);
    EXPECT_EQ(ani.m_rcPicture, CRect(4, 5, 7, 7));
}

TEST(PictureAnimation, FramesPlayAndStopEndsTheThread)
{
    CAniPicture ani;
    ani.AddFrame(SolidPicture(4, 4, kRed), 4, 4, 0, 0, 5, 0);
    ani.AddFrame(SolidPicture(4, 4, kBlue), 4, 4, 0, 0, 5, 0);
    ani.m_nWidth = ani.m_nHeight = 4;
    ani.m_bLoaded = TRUE;
    SetKnownBackground(ani, 4, 4);

    DibSurface surface(4, 4);
    EXPECT_FALSE(ani.Start(nullptr, &surface.dc, 0, 0, 0, 0));
    ASSERT_TRUE(ani.IsThreadRunning());
    EXPECT_TRUE(WaitFor([&] { return ani.IsPlaying() != FALSE; }));

    std::set<COLORREF> seen;
    WaitFor(
        [&]
        {
            ani.Draw(&surface.dc, 0, 0);
            seen.insert(surface.At(1, 1));
            return seen.count(kRed) && seen.count(kBlue);
        });
    EXPECT_TRUE(seen.count(kRed));
    EXPECT_TRUE(seen.count(kBlue));

    ani.Stop();
    EXPECT_FALSE(ani.IsThreadRunning());
    EXPECT_FALSE(ani.IsPlaying());

    // Playing again after a stop.
    ani.Start(nullptr, &surface.dc, 0, 0, 0, 0);
    EXPECT_TRUE(ani.IsThreadRunning());
    EXPECT_TRUE(WaitFor([&] { return ani.IsPlaying() != FALSE; }));
    ani.Stop();
    EXPECT_FALSE(ani.IsThreadRunning());
}

TEST(PictureAnimation, LongFrameDelayIsCutShortByStop)
{
    CShownWindow window(20, 20);
    const HWND hWnd = window.hwnd();
    {
        CAniPicture ani;
        ani.AddFrame(SolidPicture(2, 2, kRed), 2, 2, 0, 0, 65535, 0);   // the longest delay a GIF can give
        ani.AddFrame(SolidPicture(2, 2, kBlue), 2, 2, 0, 0, 65535, 0);
        ani.m_nWidth = ani.m_nHeight = 2;
        ani.m_bLoaded = TRUE;
        SetKnownBackground(ani, 2, 2);
        ani.Start(window.wnd(), nullptr, 0, 0, 0, 0);
        // The first frame is shown (its rectangle invalidated): the thread now waits out the frame's delay.
        RECT update = {};
        ASSERT_TRUE(WaitFor([&] { return ::GetUpdateRect(hWnd, &update, FALSE) != FALSE; }));
        std::atomic<bool> stopped{false};
        std::thread stopper(
            [&]
            {
                ani.Stop();
                stopped = true;
            });
        EXPECT_TRUE(WaitFor([&] { return stopped.load(); }));
        stopper.join();
        EXPECT_FALSE(ani.IsThreadRunning());
    }
}

TEST(PictureAnimation, DestroyingAPlayingPictureWaitsForItsThread)
{
    auto start = [](CAniPicture& ani)
    {
        ani.AddFrame(SolidPicture(2, 2, kRed), 2, 2, 0, 0, 1, 0);
        ani.AddFrame(SolidPicture(2, 2, kBlue), 2, 2, 0, 0, 1, 0);
        ani.m_nWidth = ani.m_nHeight = 2;
        ani.m_bLoaded = TRUE;
        SetKnownBackground(ani, 2, 2);
        ani.Start(nullptr, nullptr, 0, 0, 0, 0);
    };
    {
        CAniPicture warm;   // what the runtime keeps after its first thread is not counted
        start(warm);
    }
    const DWORD handles = ProcessHandleCount();
    for (int i = 0; i < 5; i++)
    {
        auto* ani = new CAniPicture;
        const std::set<DWORD> before = ThreadIds();
        start(*ani);
        std::vector<HANDLE> started;
        for (DWORD id : ThreadIds())
            if (!before.count(id))
                if (HANDLE thread = ::OpenThread(SYNCHRONIZE, FALSE, id))
                    started.push_back(thread);
        ASSERT_FALSE(started.empty()) << "run " << i;
        if (i % 2)
            WaitFor([&] { return ani->IsPlaying() != FALSE; });
        delete ani;   // must not leave a thread running over freed memory
        for (HANDLE thread : started)
        {
            EXPECT_EQ(WAIT_OBJECT_0, ::WaitForSingleObject(thread, 0)) << "run " << i;
            ::CloseHandle(thread);
        }
    }
    EXPECT_LE(ProcessHandleCount(), handles + 1);
}

TEST(PictureAnimation, DisposalTwoRestoresTheBackgroundAtTheFramesPlace)
{
    // Frame A: red 2 x 2 at (0,0), restored after its time. Frame B: blue 2 x 2 at (2,2), left in place
    // until the loop wraps. The background is green on the left half and yellow on the right.
    CAniPicture ani;
    ani.AddFrame(SolidPicture(2, 2, kRed), 2, 2, 0, 0, 5, 2);
    ani.AddFrame(SolidPicture(2, 2, kBlue), 2, 2, 2, 2, 5, 0);
    ani.m_nWidth = ani.m_nHeight = 4;
    ani.m_bLoaded = TRUE;
    SetKnownBackground(ani, 4, 4);

    DibSurface surface(4, 4);
    ani.Start(nullptr, &surface.dc, 0, 0, 0, 0);
    int blueSeen = 0, redSeen = 0;
    WaitFor(
        [&]
        {
            ani.Draw(&surface.dc, 0, 0);
            if (surface.At(3, 3) == kBlue)
            {
                blueSeen++;
                EXPECT_EQ(surface.At(0, 0), kGreen);   // A's area restored before B
            }
            if (surface.At(0, 0) == kRed)
            {
                redSeen++;
                EXPECT_EQ(surface.At(3, 3), kYellow);   // B's area restored from its own place
                EXPECT_EQ(surface.At(2, 0), kYellow);
            }
            return blueSeen > 3 && redSeen > 3;
        });
    ani.Stop();
    EXPECT_GT(blueSeen, 3);
    EXPECT_GT(redSeen, 3);
}

TEST(PictureAnimation, DisposalThreeRestoresThePreviousContents)
{
    // Frame A: red over everything (left in place). Frame B: blue 2 x 2 at (1,1) with disposal 3, so after
    // its time the red under it comes back.
    CAniPicture ani;
    ani.AddFrame(SolidPicture(4, 4, kRed), 4, 4, 0, 0, 5, 0);
    ani.AddFrame(SolidPicture(2, 2, kBlue), 2, 2, 1, 1, 5, 3);
    ani.AddFrame(SolidPicture(1, 1, kWhite), 1, 1, 3, 3, 5, 0);
    ani.m_nWidth = ani.m_nHeight = 4;
    ani.m_bLoaded = TRUE;
    SetKnownBackground(ani, 4, 4);

    DibSurface surface(4, 4);
    ani.Start(nullptr, &surface.dc, 0, 0, 0, 0);
    int whiteSeen = 0;
    WaitFor(
        [&]
        {
            ani.Draw(&surface.dc, 0, 0);
            if (surface.At(3, 3) == kWhite)
            {
                whiteSeen++;
                EXPECT_EQ(surface.At(1, 1), kRed);
                EXPECT_EQ(surface.At(2, 2), kRed);
            }
            return whiteSeen > 3;
        });
    ani.Stop();
    EXPECT_GT(whiteSeen, 3);
}

TEST(PictureAnimation, FramesInvalidateThePictureRectangleOfTheOwner)
{
    CShownWindow window(200, 200);
    const HWND hWnd = window.hwnd();
    {
        CAniPicture ani;
        ani.AddFrame(SolidPicture(4, 4, kRed), 4, 4, 0, 0, 5, 0);
        ani.AddFrame(SolidPicture(4, 4, kBlue), 4, 4, 0, 0, 5, 0);
        ani.m_nWidth = 6;
        ani.m_nHeight = 5;
        ani.m_bLoaded = TRUE;
        ani.Start(window.wnd(), nullptr, 10, 20, 30, 40);
        EXPECT_EQ(ani.m_rcPicture, CRect(40, 60, 46, 65));
        RECT update = {};
        EXPECT_TRUE(WaitFor([&] { return ::GetUpdateRect(hWnd, &update, FALSE) != FALSE; }));
        ani.Stop();
        EXPECT_EQ(CRect(update), CRect(40, 60, 46, 65));
    }
}

TEST(PictureAnimation, DrawCopiesTheSourcePartWhenSet)
{
    CAniPicture ani;
    ani.m_nWidth = ani.m_nHeight = 4;
    SetKnownBackground(ani, 4, 4);
    DibSurface surface(4, 4, kBlue);
    ani.m_rcSource = CRect(2, 0, 4, 1);
    ani.Draw(&surface.dc, 0, 3);
    EXPECT_EQ(surface.At(0, 3), kYellow);
    EXPECT_EQ(surface.At(1, 3), kYellow);
    EXPECT_EQ(surface.At(2, 3), kBlue);
    EXPECT_EQ(surface.At(0, 2), kBlue);

    ani.m_rcSource.SetRectEmpty();
    ani.Draw(&surface.dc, 0, 0);
    EXPECT_EQ(surface.At(0, 0), kGreen);
    EXPECT_EQ(surface.At(3, 3), kYellow);
}

TEST(PictureAnimation, TheWorkerOnlyCountsFramesAndThePaintingComposesThem)
{
    CShownWindow window(50, 50);
    const HWND hWnd = window.hwnd();
    {
        CAniPicture ani;
        ani.AddFrame(SolidPicture(4, 4, kRed), 4, 4, 0, 0, 5, 0);
        ani.AddFrame(SolidPicture(4, 4, kBlue), 4, 4, 0, 0, 5, 0);
        ani.m_nWidth = ani.m_nHeight = 4;
        ani.m_bLoaded = TRUE;
        SetKnownBackground(ani, 4, 4);
        ani.Start(window.wnd(), nullptr, 0, 0, 0, 0);
        // The first frame is due at once and asks for a painting; the second asks again once its time is
        // up. Until a painting draws, the composition surface holds the background alone.
        RECT update = {};
        ::ValidateRect(hWnd, nullptr);
        ASSERT_TRUE(WaitFor([&] { return ::GetUpdateRect(hWnd, &update, FALSE) != FALSE; }));
        EXPECT_EQ(kGreen, ani.m_dcComposition.GetPixel(1, 1));
        EXPECT_EQ(kYellow, ani.m_dcComposition.GetPixel(3, 1));

        ani.Stop();
        EXPECT_EQ(kGreen, ani.m_dcComposition.GetPixel(1, 1));

        // The painting composes the frames that fell due; stopped, no further frame falls due.
        DibSurface surface(4, 4);
        ani.Draw(&surface.dc, 0, 0);
        COLORREF shown = surface.At(1, 1);
        EXPECT_TRUE(shown == kRed || shown == kBlue);
        EXPECT_EQ(shown, surface.At(3, 3));
        surface.Fill(kWhite);
        ani.Draw(&surface.dc, 0, 0);
        EXPECT_EQ(shown, surface.At(1, 1));
    }
}
