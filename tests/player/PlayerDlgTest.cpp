// The player's main window in this process: layout from the show, keys and clicks, closing while the
// context menu is open, the operating-system box and the failed load.
#include "PlayerTestSupport.h"
#include "player/PlayerDlg.h"
#include "resources/player/resource.h"
#include "support/BmpFile.h"
#include "support/win_Wait.h"

#include <gtest/gtest.h>

#include <functional>
#include <vector>

using namespace playertest;

namespace
{

// Runs actions one after another from thread timers while a modal loop (the dialog's, or a menu's) runs. A
// step waits for its delay or polls for its condition; either way the loop keeps running meanwhile (it shows
// the dialog, paints it and ticks the show).
class CScript
{
public:
    void Add(DWORD delay, std::function<void()> action) { m_steps.push_back({delay, nullptr, std::move(action)}); }
    // The action runs once the condition holds; a condition that never comes is a failure, and the action
    // then runs all the same so that the loop ends.
    void When(std::function<bool()> condition, std::function<void()> action)
    {
        m_steps.push_back({kPollMs, std::move(condition), std::move(action)});
    }
    void Start()
    {
        s_pCurrent = this;
        m_next = 0;
        Arm();
    }
    ~CScript()
    {
        if (m_timer)
            KillTimer(nullptr, m_timer);
        if (s_pCurrent == this)
            s_pCurrent = nullptr;
    }

private:
    static const DWORD kPollMs = 20;
    struct Step
    {
        DWORD delay;
        std::function<bool()> condition;
        std::function<void()> action;
    };
    void Arm()
    {
        if (m_next < m_steps.size())
        {
            m_timer = SetTimer(nullptr, 0, m_steps[m_next].delay, &CScript::Fire);
            m_armedAt = GetTickCount();
        }
    }
    static void CALLBACK Fire(HWND, UINT, UINT_PTR id, DWORD)
    {
        KillTimer(nullptr, id);
        CScript* script = s_pCurrent;
        if (!script || script->m_timer != id)
            return;
        script->m_timer = 0;
        Step& step = script->m_steps[script->m_next];
        if (step.condition && !step.condition())
        {
            if (GetTickCount() - script->m_armedAt < kWaitTimeout)
            {
                script->m_timer = SetTimer(nullptr, 0, kPollMs, &CScript::Fire);
                return;
            }
            ADD_FAILURE() << "the condition of step " << script->m_next << " never held";
        }
        size_t index = script->m_next++;
        script->Arm();   // before the action: the action may enter a modal loop of its own
        script->m_steps[index].action();
    }

    std::vector<Step> m_steps;
    size_t m_next = 0;
    UINT_PTR m_timer = 0;
    DWORD m_armedAt = 0;
    static CScript* s_pCurrent;
};
CScript* CScript::s_pCurrent = nullptr;

class PlayerDlgTest : public ::testing::Test
{
protected:
    void SetUp() override
    {
        folder = MakeTempFolder("vxdlg");
        session.m_strProgramFolder = folder.c_str();
    }
    void TearDown() override { RemoveFolder(folder); }

    std::string WriteShow(ShowSpec show, const std::vector<COLORREF>& colours)
    {
        std::string path = folder + "\\VEXUL.VXL";
        WriteFileBytes(path, MakeColourShowPack(show, colours));
        return path;
    }

    // The action runs once the show runs (the start comes with the first paint).
    static void AfterStart(CScript& script, CPlayerDlg& dlg, std::function<void()> action)
    {
        script.When([&dlg] { return dlg.IsRunning() != FALSE; }, std::move(action));
    }

    std::string folder;
    CPlayerSession session;
    CMessageBoxRecorder boxes;
};

MSG KeyMessage(HWND window, UINT message, WPARAM key)
{
    MSG msg = {};
    msg.hwnd = window;
    msg.message = message;
    msg.wParam = key;
    return msg;
}

// Runs the messages (the dialog's ticks among them) until a show in manual advance waits for the user.
bool WaitForUser(const CShowRenderer& renderer)
{
    return PumpUntil([&] { return renderer.GetPlayback().nAdvanceState == CShowRenderer::AdvanceWaiting; });
}

}   // namespace

TEST_F(PlayerDlgTest, WindowFromTheShow)
{
    ShowSpec show;
    show.width = 300;
    show.height = 200;
    show.title = "Layout Show";
    show.contact = 1;
    std::string path = WriteShow(show, {RGB(1, 2, 3)});
    CPlayerDlg dlg(&session, path.c_str());
    CRect window, client, slide, close, info;
    CString title;
    CScript script;
    AfterStart(script, dlg,
               [&]
               {
                   dlg.GetWindowRect(&window);
                   dlg.GetClientRect(&client);
                   dlg.m_SlideWnd.GetWindowRect(&slide);
                   dlg.GetDlgItem(IDCANCEL)->GetWindowRect(&close);
                   dlg.GetDlgItem(IDC_INFO_BUTTON)->GetWindowRect(&info);
                   dlg.GetWindowText(title);
                   dlg.PostMessage(WM_COMMAND, IDCANCEL);
               });
    script.Start();
    EXPECT_EQ(IDCANCEL, dlg.DoModal());
    EXPECT_STREQ("Layout Show", title);
    EXPECT_EQ(300, window.Width());
    EXPECT_EQ(200, window.Height());
    CRect desktop;
    CWnd::GetDesktopWindow()->GetWindowRect(&desktop);
    EXPECT_EQ((desktop.Width() - 300) / 2, window.left);
    EXPECT_EQ((desktop.Height() - 200) / 2, window.top);
    // inside the one-pixel border: the slide window is the slide's size, 298 x 186
    EXPECT_EQ(CRect(window.left + 1, window.top + 13, window.right - 1, window.bottom - 1), slide);
    EXPECT_EQ(CRect(window.left + 271, window.top + 1, window.left + 287, window.top + 13), close);
    EXPECT_EQ(CRect(window.left + 251, window.top + 1, window.left + 267, window.top + 13), info);
    EXPECT_STREQ(path.c_str(), session.m_strShowPath);
    EXPECT_STREQ(folder.c_str(), session.m_strShowFolder);
    EXPECT_EQ(0u, boxes.Count());
}

TEST_F(PlayerDlgTest, APictureOfTheSlidesSizeIsDrawnPixelForPixel)
{
    // Every pixel its own colour: a picture stretched by even one pixel shows another colour somewhere.
    ShowSpec show;
    show.width = 640;
    show.height = 480;
    show.slides.resize(1);
    show.slides[0].image = "pattern.bmp";
    const int width = 638, height = 466;
    auto colour = [](int x, int y) { return RGB(x & 0xFF, y & 0xFF, (x >> 8) * 64 + (y >> 8) * 128 + 7); };
    std::string path = folder + "\\VEXUL.VXL";
    ASSERT_TRUE(
        WriteFileBytes(path, MakePack(MakeShowText(show), {{"pattern.bmp", ::MakeBmp(width, height, colour)}})));
    CPlayerDlg dlg(&session, path.c_str());
    CRect slide;
    int wrong = 0;
    CScript script;
    AfterStart(script, dlg,
               [&]
               {
                   dlg.m_SlideWnd.GetClientRect(&slide);
                   DibSurface surface(slide.Width(), slide.Height());
                   dlg.m_Renderer.Paint(&surface.dc);
                   for (int y = 0; y < slide.Height() && y < height; ++y)
                       for (int x = 0; x < slide.Width() && x < width; ++x)
                           wrong += surface.At(x, y) != colour(x, y);
                   dlg.PostMessage(WM_COMMAND, IDCANCEL);
               });
    script.Start();
    dlg.DoModal();
    EXPECT_EQ(width, slide.Width());
    EXPECT_EQ(height, slide.Height());
    EXPECT_EQ(0, wrong);
}

TEST_F(PlayerDlgTest, DesktopModeCentresTheSlideAndConvertsClicks)
{
    ShowSpec show;
    show.width = 800;   // read as 640
    show.height = 480;
    show.desktop = 1;
    show.advance = 1;
    std::string path = WriteShow(show, {RGB(1, 2, 3)});
    CPlayerDlg dlg(&session, path.c_str());
    CRect window, slide;
    BOOL hitInside = FALSE, hitOutside = FALSE;
    CScript script;
    AfterStart(script, dlg,
               [&]
               {
                   dlg.GetWindowRect(&window);
                   dlg.m_SlideWnd.GetWindowRect(&slide);
                   CShowRenderer& r = dlg.m_Renderer;
                   // a click on the indicator, in the dialog's coordinates
                   CPoint inSlide(r.GetPlayback().rcIndicator.left + 2, r.GetPlayback().rcIndicator.top + 2);
                   CPoint onDialog = inSlide;
                   dlg.m_SlideWnd.MapWindowPoints(&dlg, &onDialog, 1);
                   EXPECT_TRUE(WaitForUser(r));
                   dlg.SendMessage(WM_LBUTTONDOWN, MK_LBUTTON, MAKELPARAM(onDialog.x - 60, onDialog.y));
                   hitOutside = r.GetPlayback().nAdvanceState == CShowRenderer::AdvanceContinue;
                   dlg.SendMessage(WM_LBUTTONUP, 0, MAKELPARAM(onDialog.x - 60, onDialog.y));
                   dlg.SendMessage(WM_LBUTTONDOWN, MK_LBUTTON, MAKELPARAM(onDialog.x, onDialog.y));
                   hitInside = r.GetPlayback().nAdvanceState == CShowRenderer::AdvanceContinue;
                   dlg.SendMessage(WM_LBUTTONUP, 0, MAKELPARAM(onDialog.x, onDialog.y));
                   dlg.PostMessage(WM_COMMAND, IDCANCEL);
               });
    script.Start();
    dlg.DoModal();
    CRect desktop;
    CWnd::GetDesktopWindow()->GetWindowRect(&desktop);
    EXPECT_EQ(desktop, window);
    EXPECT_EQ(638, slide.Width());
    EXPECT_EQ(466, slide.Height());
    EXPECT_EQ((desktop.Width() - 638) / 2, slide.left);
    EXPECT_EQ((desktop.Height() - 466) / 2, slide.top);
    EXPECT_FALSE(hitOutside);
    EXPECT_TRUE(hitInside);
}

TEST_F(PlayerDlgTest, SpaceAndRightAdvanceWithoutPressingAButton)
{
    ShowSpec show;
    show.advance = 1;
    show.loop = 1;
    std::string path = WriteShow(show, {RGB(1, 2, 3), RGB(4, 5, 6)});
    CPlayerDlg dlg(&session, path.c_str());
    int advances = 0;
    BOOL stillOpen = FALSE;
    CScript script;
    AfterStart(script, dlg,
               [&]
               {
                   CWnd* close = dlg.GetDlgItem(IDCANCEL);
                   close->SetFocus();
                   for (UINT key : {VK_SPACE, VK_RIGHT})
                   {
                       EXPECT_TRUE(WaitForUser(dlg.m_Renderer));
                       MSG down = KeyMessage(close->m_hWnd, WM_KEYDOWN, key);
                       MSG chr = KeyMessage(close->m_hWnd, WM_CHAR, ' ');
                       MSG up = KeyMessage(close->m_hWnd, WM_KEYUP, key);
                       for (MSG* m : {&down, &chr, &up})
                           if (!AfxPreTranslateMessage(m))
                           {
                               TranslateMessage(m);
                               DispatchMessageA(m);
                           }
                       if (dlg.m_Renderer.GetPlayback().nAdvanceState == CShowRenderer::AdvanceContinue)
                           ++advances;
                   }
                   stillOpen = dlg.IsWindowVisible() && dlg.IsRunning();
                   dlg.PostMessage(WM_COMMAND, IDCANCEL);
               });
    script.Start();
    dlg.DoModal();
    EXPECT_EQ(2, advances);
    EXPECT_TRUE(stillOpen);
}

TEST_F(PlayerDlgTest, EnterAndAHeldEscapeKeepTheShowAPressedEscapeCloses)
{
    std::string path = WriteShow(ShowSpec(), {RGB(1, 2, 3)});
    CPlayerDlg dlg(&session, path.c_str());
    BOOL keptOpen = FALSE;
    auto press = [&](WPARAM key, LPARAM flags)
    {
        MSG down = KeyMessage(dlg.m_hWnd, WM_KEYDOWN, key);
        down.lParam = flags;
        if (!AfxPreTranslateMessage(&down))
            DispatchMessageA(&down);
    };
    CScript script;
    AfterStart(script, dlg,
               [&]
               {
                   press(VK_RETURN, 0x00010001);
                   press(VK_ESCAPE, 0x40010001);   // a repeat of a key that was already down
                   keptOpen = dlg.IsRunning() && dlg.m_FrameTimer.IsArmed();
                   press(VK_ESCAPE, 0x00010001);
               });
    script.Add(kWaitTimeout, [&] { dlg.EndDialog(IDABORT); });   // a safety net: Escape must have ended it
    script.Start();
    EXPECT_EQ(IDCANCEL, dlg.DoModal());
    EXPECT_TRUE(keptOpen);
    EXPECT_FALSE(dlg.IsRunning());
    EXPECT_FALSE(dlg.m_FrameTimer.IsArmed());
}

TEST_F(PlayerDlgTest, CloseWhileTheMenuIsOpenWaitsForTheMenu)
{
    std::string path = WriteShow(ShowSpec(), {RGB(1, 2, 3)});
    CPlayerDlg dlg(&session, path.c_str());
    BOOL openDuringMenu = FALSE, refused = FALSE;
    CScript script;
    AfterStart(script, dlg, [&] { dlg.PostMessage(WM_COMMAND, 3); });   // the info button opens the menu
    script.When([&] { return dlg.m_bMenuOpen != FALSE; },
                [&]
                {
                    // Escape's command arrives while the menu is open
                    dlg.SendMessage(WM_COMMAND, IDCANCEL);
                    openDuringMenu = dlg.IsWindowVisible() && dlg.IsRunning();
                    refused = dlg.m_bCloseRefused;
                    EndMenu();
                });
    script.Add(kWaitTimeout, [&] { dlg.EndDialog(IDABORT); });   // safety net
    script.Start();
    EXPECT_EQ(IDCANCEL, dlg.DoModal());
    EXPECT_TRUE(openDuringMenu);
    EXPECT_TRUE(refused);
    EXPECT_FALSE(dlg.IsRunning());
}

TEST_F(PlayerDlgTest, CornerRightClickShowsTheSystem)
{
    session.m_strOsText = "Microsoft Windows 7 - 6.1";
    std::string path = WriteShow(ShowSpec(), {RGB(1, 2, 3)});
    CPlayerDlg dlg(&session, path.c_str());
    size_t afterOutside = 0;
    CScript script;
    AfterStart(script, dlg,
               [&]
               {
                   dlg.SendMessage(WM_RBUTTONDOWN, MK_RBUTTON, MAKELPARAM(6, 2));
                   afterOutside = boxes.Count();
                   dlg.SendMessage(WM_RBUTTONDOWN, MK_RBUTTON, MAKELPARAM(3, 2));
                   dlg.PostMessage(WM_COMMAND, IDCANCEL);
               });
    script.Start();
    dlg.DoModal();
    EXPECT_EQ(0u, afterOutside);
    ASSERT_EQ(1u, boxes.Count());
    EXPECT_EQ("OS: [Microsoft Windows 7 - 6.1] ", boxes.LastText());
}

TEST_F(PlayerDlgTest, StatusRequestBringsToFrontOnce)
{
    std::string path = WriteShow(ShowSpec(), {RGB(1, 2, 3)});
    CPlayerDlg dlg(&session, path.c_str());
    BOOL topmost = FALSE, topmostAfterReset = TRUE;
    CScript script;
    AfterStart(script, dlg,
               [&]
               {
                   dlg.SendMessage(PlayerStatusMessage(), PlayerStatusMessage(), 0);
                   topmost = (dlg.GetExStyle() & WS_EX_TOPMOST) != 0;
                   dlg.SetWindowPos(&CWnd::wndNoTopMost, 0, 0, 0, 0, SWP_NOMOVE | SWP_NOSIZE);
                   dlg.SendMessage(PlayerStatusMessage(), PlayerStatusMessage(), 0);
                   topmostAfterReset = (dlg.GetExStyle() & WS_EX_TOPMOST) != 0;
                   dlg.PostMessage(WM_COMMAND, IDCANCEL);
               });
    script.Start();
    dlg.DoModal();
    EXPECT_TRUE(topmost);
    EXPECT_FALSE(topmostAfterReset);   // the z-order changes only the first time
}

TEST_F(PlayerDlgTest, MissingShowIsReportedInGermanAndCloses)
{
    std::string missing = folder + "\\nothing here.vxl";
    CPlayerDlg dlg(&session, missing.c_str());
    CScript script;
    script.Add(kWaitTimeout, [&] { dlg.EndDialog(IDABORT); });   // safety net
    script.Start();
    EXPECT_EQ(IDCANCEL, dlg.DoModal());
    EXPECT_FALSE(dlg.IsShowLoaded());
    ASSERT_EQ(1u, boxes.Count());
    EXPECT_EQ("Fehler\n\nDie Datei " + missing +
                  " kann nicht ge\xF6"
                  "ffnet werden",
              boxes.LastText());
}

TEST_F(PlayerDlgTest, DefaultShowIsBesideTheProgram)
{
    ShowSpec show;
    show.title = "Beside";
    WriteShow(show, {RGB(1, 2, 3)});   // VEXUL.VXL in the program folder
    CPlayerDlg dlg(&session, "");
    CString title;
    CScript script;
    AfterStart(script, dlg,
               [&]
               {
                   dlg.GetWindowText(title);
                   dlg.PostMessage(WM_COMMAND, IDCANCEL);
               });
    script.Start();
    dlg.DoModal();
    EXPECT_STREQ("Beside", title);
    EXPECT_STREQ((folder + "\\VEXUL.VXL").c_str(), session.m_strShowPath);
}

TEST_F(PlayerDlgTest, UnknownEndModeClosesAfterTheLastSlide)
{
    ShowSpec show;
    show.autoExit = 3;
    show.slides.resize(1);
    show.slides[0].delay = 200;
    std::string path = WriteShow(show, {RGB(1, 2, 3)});
    CPlayerDlg dlg(&session, path.c_str());
    CScript script;
    script.Add(kWaitTimeout, [&] { dlg.EndDialog(IDABORT); });   // safety net: the show must close itself
    script.Start();
    EXPECT_EQ(IDCANCEL, dlg.DoModal());
    EXPECT_EQ(CShowRenderer::StateEnd, dlg.m_Renderer.GetPlayback().nState);
}

TEST_F(PlayerDlgTest, TickAfterTheCloseNeitherStepsNorRearms)
{
    std::string path = WriteShow(ShowSpec(), {RGB(1, 2, 3)});
    CPlayerDlg dlg(&session, path.c_str());
    BOOL armedAfter = TRUE;
    int clockBefore = -1, clockAfter = -2;
    CScript script;
    AfterStart(script, dlg,
               [&]
               {
                   dlg.SendMessage(WM_COMMAND, IDCANCEL);
                   clockBefore = dlg.m_nShowClock;
                   // a tick the timer thread had sent just before the clock was stopped
                   dlg.SendMessage(WM_PLAYER_FRAME_TICK, 1, static_cast<LPARAM>(clockBefore + 1000));
                   clockAfter = dlg.m_nShowClock;
                   armedAfter = dlg.m_FrameTimer.IsArmed();
               });
    script.Add(kWaitTimeout, [&] { dlg.EndDialog(IDABORT); });   // safety net
    script.Start();
    EXPECT_EQ(IDCANCEL, dlg.DoModal());
    EXPECT_FALSE(armedAfter);
    EXPECT_EQ(clockBefore, clockAfter);
}

TEST_F(PlayerDlgTest, EndModeTwoStaysOpenOnTheLastFrame)
{
    ShowSpec show;
    show.autoExit = 2;
    show.slides.resize(1);
    show.slides[0].delay = 200;
    std::string path = WriteShow(show, {RGB(1, 2, 3)});
    CPlayerDlg dlg(&session, path.c_str());
    BOOL openAtTheEnd = FALSE;
    CScript script;
    // The clock stops with the show; a close the end would have posted has been handled before this step.
    script.When(
        [&]
        { return dlg.m_Renderer.GetPlayback().nState == CShowRenderer::StateEnd && !dlg.m_FrameTimer.IsArmed(); },
        [&]
        {
            openAtTheEnd = dlg.IsWindowVisible() && dlg.IsRunning();
            dlg.PostMessage(WM_COMMAND, IDCANCEL);
        });
    script.Start();
    EXPECT_EQ(IDCANCEL, dlg.DoModal());
    EXPECT_TRUE(openAtTheEnd);
}
