// The real player program on packs the tests make: its window, the slides it shows, its command line,
// its messages to other programs, a damaged pack, the end program and a compiled copy.
#include "PlayerTestSupport.h"
#include "support/win_TestProcess.h"
#include "support/win_Wait.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <vector>

using namespace playertest;

namespace
{

const COLORREF kRed = RGB(255, 0, 0);
const COLORREF kGreen = RGB(0, 255, 0);
const COLORREF kBlue = RGB(0, 0, 255);
const COLORREF kMagenta = RGB(255, 0, 255);

// ---- a top-level window of the test that hears the player's broadcasts ----

UINT g_starting, g_running, g_exit, g_status;
std::vector<UINT> g_heard;

LRESULT CALLBACK ListenerProc(HWND hWnd, UINT message, WPARAM wParam, LPARAM lParam)
{
    if (message != 0 && (message == g_starting || message == g_running || message == g_exit))
    {
        // each broadcast carries its own id as first parameter
        if (wParam == message && lParam == 0)
            g_heard.push_back(message);
        return 0;
    }
    return DefWindowProcA(hWnd, message, wParam, lParam);
}

class CListener
{
public:
    CListener()
    {
        g_starting = RegisterWindowMessageA("Vexul-Starting");
        g_running = RegisterWindowMessageA("Vexul-Running");
        g_exit = RegisterWindowMessageA("Vexul-Exit");
        g_status = RegisterWindowMessageA("Vexul-Status");
        g_heard.clear();
        WNDCLASSA wc = {};
        wc.lpfnWndProc = ListenerProc;
        wc.hInstance = GetModuleHandleA(nullptr);
        wc.lpszClassName = "VexulTestListener";
        RegisterClassA(&wc);
        m_hWnd = CreateWindowExA(0, "VexulTestListener", "listener", WS_POPUP, 0, 0, 1, 1, nullptr, nullptr,
                                 wc.hInstance, nullptr);
    }
    ~CListener() { DestroyWindow(m_hWnd); }
    int Count(UINT message) const { return static_cast<int>(std::count(g_heard.begin(), g_heard.end(), message)); }

private:
    HWND m_hWnd;
};

// ---- the player process: its dialog holds the slide window; a message box holds its text ----

const int kSlideWindowId = 1010;
const int kMessageTextId = 0xFFFF;

class CPlayerProcess : public CTestProcess
{
public:
    CPlayerProcess(const std::string& exe, const std::string& arguments, const std::string& folder)
        : CTestProcess(exe, arguments, folder, kSlideWindowId)
    {
    }
    HWND MainWindow() const { return FindWindowWithChild(kSlideWindowId); }
    HWND MessageBoxWindow() const { return FindWindowWithChild(kMessageTextId); }
};

std::string WindowText(HWND hWnd)
{
    char text[512] = {};
    GetWindowTextA(hWnd, text, sizeof(text));
    return text;
}

// The colour on the screen at the centre of the player's slide window.
COLORREF SlideCentre(HWND player)
{
    RECT slide = {};
    GetWindowRect(GetDlgItem(player, kSlideWindowId), &slide);
    HDC screen = GetDC(nullptr);
    COLORREF c = GetPixel(screen, (slide.left + slide.right) / 2, (slide.top + slide.bottom) / 2);
    ReleaseDC(nullptr, screen);
    return c;
}

// Records the distinct colours from the given set that the slide window shows, in order, until it has shown
// stopAfter of them or has closed.
std::vector<COLORREF> WatchColours(HWND player, const std::vector<COLORREF>& wanted, size_t stopAfter)
{
    std::vector<COLORREF> seen;
    PumpUntil(
        [&]
        {
            COLORREF c = SlideCentre(player);
            if (std::find(wanted.begin(), wanted.end(), c) != wanted.end() && (seen.empty() || seen.back() != c))
                seen.push_back(c);
            return seen.size() >= stopAfter || !IsWindow(player);
        });
    return seen;
}

class PlayerEndToEnd : public ::testing::Test
{
protected:
    void SetUp() override
    {
        player = PlayerExePath();
        ASSERT_TRUE(IsBuilt(player));
        folder = MakeTempFolder("Vexul Test Show ");
        ASSERT_FALSE(folder.empty());
    }
    void TearDown() override { RemoveFolder(folder); }

    std::string WritePack(const std::string& name, const Bytes& pack)
    {
        std::string path = folder + "\\" + name;
        EXPECT_TRUE(WriteFileBytes(path, pack));
        return path;
    }

    ShowSpec ThreeSlides(int autoExit)
    {
        ShowSpec show;
        show.width = 320;
        show.height = 240;
        show.title = "Vexul E2E Show";
        show.autoExit = autoExit;
        show.slides.resize(3);
        for (SlideSpec& s : show.slides)
            s.delay = 900;
        return show;
    }

    std::string player;
    std::string folder;
};

}   // namespace

TEST_F(PlayerEndToEnd, WindowSlidesMessagesAndEscape)
{
    CListener listener;
    std::string pack = WritePack("VEXUL.VXL", MakeColourShowPack(ThreeSlides(2), {kRed, kGreen, kBlue}));
    CPlayerProcess process(player, "\"" + pack + "\"", folder);
    ASSERT_TRUE(process.Started());
    HWND window = nullptr;
    ASSERT_TRUE(PumpUntil([&] { return (window = process.MainWindow()) != nullptr; }));
    EXPECT_TRUE(PumpUntil([&] { return listener.Count(g_starting) >= 1; }));

    RECT rect = {};
    GetWindowRect(window, &rect);
    EXPECT_EQ(320, rect.right - rect.left);
    EXPECT_EQ(240, rect.bottom - rect.top);
    EXPECT_EQ("Vexul E2E Show", WindowText(window));
    RECT slide = {};
    GetWindowRect(GetDlgItem(window, kSlideWindowId), &slide);
    // inside the one-pixel border, below the band: exactly a slide, 318 x 226
    EXPECT_EQ(rect.left + 1, slide.left);
    EXPECT_EQ(rect.top + 13, slide.top);
    EXPECT_EQ(318, slide.right - slide.left);
    EXPECT_EQ(226, slide.bottom - slide.top);

    std::vector<COLORREF> seen = WatchColours(window, {kRed, kGreen, kBlue}, 3);
    std::vector<COLORREF> expected = {kRed, kGreen, kBlue};
    EXPECT_EQ(expected, seen);

    // end mode 2: the last slide stays (that the show's end leaves the player open with its clock stopped is
    // shown by the player dialog's own test, where the end can be observed)
    EXPECT_FALSE(process.Ended());
    EXPECT_EQ(kBlue, SlideCentre(window));

    // "Vexul-Status" is answered every time; the first one makes the window topmost
    PostMessageA(HWND_BROADCAST, g_status, g_status, 0);
    EXPECT_TRUE(PumpUntil([&] { return listener.Count(g_running) >= 1; }));
    EXPECT_TRUE(PumpUntil([&] { return (GetWindowLongA(window, GWL_EXSTYLE) & WS_EX_TOPMOST) != 0; }));
    // Enter keeps the show: the answer to the status request posted after it comes, no exit does
    PostMessageA(window, WM_KEYDOWN, VK_RETURN, 1);
    PostMessageA(window, WM_KEYUP, VK_RETURN, 0xC0000001);
    PostMessageA(HWND_BROADCAST, g_status, g_status, 0);
    EXPECT_TRUE(PumpUntil([&] { return listener.Count(g_running) >= 2; }));
    EXPECT_EQ(0, listener.Count(g_exit));
    EXPECT_FALSE(process.Ended());

    PostMessageA(window, WM_KEYDOWN, VK_ESCAPE, 0);
    EXPECT_TRUE(PumpUntil([&] { return process.Ended(); }));
    EXPECT_TRUE(PumpUntil([&] { return listener.Count(g_exit) >= 1; }));
    EXPECT_TRUE(process.EndedCleanly()) << std::hex << process.ExitCode();
}

TEST_F(PlayerEndToEnd, StartSlideSwitch)
{
    std::string pack = WritePack("show.vxl", MakeColourShowPack(ThreeSlides(2), {kRed, kGreen, kBlue}));
    CPlayerProcess process(player, "\"" + pack + "\" /S=1", folder);
    ASSERT_TRUE(process.Started());
    HWND window = nullptr;
    ASSERT_TRUE(PumpUntil([&] { return (window = process.MainWindow()) != nullptr; }));
    std::vector<COLORREF> seen = WatchColours(window, {kRed, kGreen, kBlue}, 2);
    std::vector<COLORREF> expected = {kGreen, kBlue};
    EXPECT_EQ(expected, seen);
}

TEST_F(PlayerEndToEnd, ShowEndsAndClosesInEndModeZero)
{
    ShowSpec show = ThreeSlides(0);
    for (SlideSpec& s : show.slides)
        s.delay = 300;
    std::string pack = WritePack("show.vxl", MakeColourShowPack(show, {kRed, kGreen}));
    CPlayerProcess process(player, "\"" + pack + "\"", folder);
    ASSERT_TRUE(process.Started());
    EXPECT_TRUE(PumpUntil([&] { return process.Ended(); }));
    EXPECT_TRUE(process.EndedCleanly()) << std::hex << process.ExitCode();
}

TEST_F(PlayerEndToEnd, DamagedPackGivesTheGermanMessage)
{
    CListener listener;
    Bytes damaged = MakeColourShowPack(ThreeSlides(0), {kRed});
    damaged.resize(damaged.size() / 2);
    std::string pack = WritePack("broken.vxl", damaged);
    CPlayerProcess process(player, "\"" + pack + "\"", folder);
    ASSERT_TRUE(process.Started());
    HWND box = nullptr;
    ASSERT_TRUE(PumpUntil([&] { return (box = process.MessageBoxWindow()) != nullptr; }));
    char text[1024] = {};
    GetDlgItemTextA(box, 0xFFFF, text, sizeof(text));
    std::string message = text;
    EXPECT_NE(std::string::npos, message.find("Fehler")) << message;
    EXPECT_NE(std::string::npos, message.find("kann nicht ge\xF6"
                                              "ffnet werden"))
        << message;
    EXPECT_NE(std::string::npos, message.find("broken.vxl")) << message;
    PostMessageA(box, WM_COMMAND, IDOK, 0);
    EXPECT_TRUE(PumpUntil([&] { return process.Ended(); }));
    EXPECT_TRUE(process.EndedCleanly()) << std::hex << process.ExitCode();
    EXPECT_TRUE(PumpUntil([&] { return listener.Count(g_starting) >= 1 && listener.Count(g_exit) >= 1; }));
}

TEST_F(PlayerEndToEnd, EndProgramsChainAfterEscapeAndAfterTheShowsEnd)
{
    CListener listener;
    // the players run from the shows' folder; each end program is a player on the next show
    std::string copy = folder + "\\Vexul.exe";
    ASSERT_TRUE(CopyFileA(player.c_str(), copy.c_str(), FALSE));
    auto chained = [](const char* title, int delay, const char* next)
    {
        ShowSpec show;
        show.title = title;
        show.autostart = next != nullptr;
        show.autostartFile = next ? std::string("_CURRENTDIR_\\Vexul.exe:") + next : "";
        show.slides.resize(1);
        show.slides[0].delay = delay;
        return show;
    };
    std::string pack = WritePack("first.vxl", MakeColourShowPack(chained("First Show", 60000, "second.vxl"), {kRed}));
    WritePack("second.vxl", MakeColourShowPack(chained("Second Show", 1500, "third.vxl"), {kGreen}));
    WritePack("third.vxl", MakeColourShowPack(chained("Third Show", 60000, nullptr), {kBlue}));

    // the first is closed with Escape; the key, held, repeats into the second once that has come up
    CPlayerProcess process(copy, "\"" + pack + "\"", "");
    ASSERT_TRUE(process.Started());
    HWND first = nullptr;
    ASSERT_TRUE(PumpUntil([&] { return (first = process.MainWindow()) != nullptr && SlideCentre(first) == kRed; }));
    PostMessageA(first, WM_KEYDOWN, VK_ESCAPE, 0x00010001);
    EXPECT_TRUE(PumpUntil([&] { return process.Ended(); }));
    HWND second = nullptr;
    ASSERT_TRUE(PumpUntil([&] { return (second = FindWindowA(nullptr, "Second Show")) && IsWindowVisible(second); }));
    PostMessageA(second, WM_KEYDOWN, VK_ESCAPE, 0x40010001);
    PostMessageA(second, WM_KEYUP, VK_ESCAPE, 0xC0010001);

    // the second plays, ends by itself and starts the third
    EXPECT_TRUE(PumpUntil([&] { return !IsWindow(second) || SlideCentre(second) == kGreen; }));
    EXPECT_TRUE(IsWindow(second)) << "the held Escape closed the second show too";
    HWND third = nullptr;
    ASSERT_TRUE(PumpUntil([&] { return (third = FindWindowA(nullptr, "Third Show")) != nullptr; }));
    EXPECT_TRUE(PumpUntil([&] { return listener.Count(g_starting) >= 3 && listener.Count(g_exit) >= 2; }));
    DWORD pid = 0;
    GetWindowThreadProcessId(third, &pid);
    HANDLE thirdProcess = OpenProcess(SYNCHRONIZE, FALSE, pid);
    PostMessageA(third, WM_COMMAND, IDCANCEL, 0);
    EXPECT_TRUE(PumpUntil([&] { return !IsWindow(third); }));
    if (thirdProcess)
    {
        // gone before the folder with its program is removed
        EXPECT_TRUE(PumpUntil([&] { return WaitForSingleObject(thirdProcess, 0) == WAIT_OBJECT_0; }));
        CloseHandle(thirdProcess);
    }
}

TEST_F(PlayerEndToEnd, CompiledCopyPlaysItsOwnPack)
{
    ShowSpec show;
    show.title = "Compiled Show";
    show.width = 200;
    show.height = 150;
    show.autoExit = 2;
    show.slides.resize(1);
    Bytes pack = MakeColourShowPack(show, {kMagenta});
    std::string copy = folder + "\\My Show.exe";
    ASSERT_TRUE(CopyFileA(player.c_str(), copy.c_str(), FALSE));
    HANDLE update = BeginUpdateResourceA(copy.c_str(), FALSE);
    ASSERT_NE(nullptr, update);
    ASSERT_TRUE(UpdateResourceA(update, "PROJECTFILE", "FILE_1", 0, pack.data(), static_cast<DWORD>(pack.size())));
    ASSERT_TRUE(EndUpdateResourceA(update, FALSE));

    // no arguments, from a folder without any pack
    std::string elsewhere = MakeTempFolder("vxelse");
    CPlayerProcess process(copy, "", elsewhere);
    ASSERT_TRUE(process.Started());
    HWND window = nullptr;
    ASSERT_TRUE(PumpUntil([&] { return (window = process.MainWindow()) != nullptr; }));
    EXPECT_EQ("Compiled Show", WindowText(window));
    RECT rect = {};
    GetWindowRect(window, &rect);
    EXPECT_EQ(200, rect.right - rect.left);
    EXPECT_EQ(150, rect.bottom - rect.top);
    EXPECT_TRUE(PumpUntil([&] { return SlideCentre(window) == kMagenta; }));
    PostMessageA(window, WM_KEYDOWN, VK_ESCAPE, 0);
    EXPECT_TRUE(PumpUntil([&] { return process.Ended(); }));
    RemoveFolder(elsewhere);
}
