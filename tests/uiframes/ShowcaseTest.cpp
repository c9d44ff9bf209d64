// The library's showcase program as a user runs it: its layout changed, the program closed, and the next start
// showing the layout it had; its floating bars and its customize sheet in front of the frame all along.
#include "UiFramesTestSupport.h"

#include "support/BmpFile.h"
#include "support/win_TestFiles.h"
#include "uiframes/app/ShowcaseIds.h"
#include "uiframes/sample/SampleIds.h"
#include "uilib/core/base/LibraryIds.h"

#include <cstdlib>
#include <fstream>
#include <string>
#include <vector>

namespace
{

// Whether the window is a band's child in a rebar.
bool InReBar(HWND hWnd)
{
    char name[64] = {};
    ::GetClassNameA(::GetParent(hWnd), name, sizeof(name));
    return std::string(name) == REBARCLASSNAMEA;
}

const char kShowcaseKey[] = "Software\\VexulTests\\UilibShowcase";
const char kSampleKey[] = "Software\\VexulTests\\UilibSample";
const char kShowcase[] = "UilibShowcase.exe";
const char kShowcaseTitle[] = "Uilib Showcase - Document 1";

// One run of a program beside this test program (the showcase, the sample); ended by force if a test leaves it
// running. Its main window is the one whose title begins with the given text (the start is over then). With a
// log, the program runs with Wine's error channels on and writes them there.
class CProgramRun
{
public:
    CProgramRun(const char* exeName, const char* mainTitle, const CTempFolder* pLogFolder = nullptr)
        : m_exeName(exeName), m_mainTitle(mainTitle)
    {
        if (pLogFolder != nullptr)
            m_log = pLogFolder->Path() + "\\" + exeName + ".log";
    }
    CProgramRun(const CProgramRun&) = delete;
    CProgramRun& operator=(const CProgramRun&) = delete;
    ~CProgramRun()
    {
        if (m_process.hProcess == nullptr)
            return;
        if (::WaitForSingleObject(m_process.hProcess, 0) == WAIT_TIMEOUT)
            ::TerminateProcess(m_process.hProcess, 1);
        ::CloseHandle(m_process.hProcess);
        if (m_process.hThread != nullptr)
            ::CloseHandle(m_process.hThread);
    }

    // Starts the program. With a log it starts through Wine's loader from a shell, the one way to give it an
    // error stream of its own: the process is known once its main window shows.
    bool Start()
    {
        char path[MAX_PATH] = {};
        ::GetModuleFileNameA(nullptr, path, MAX_PATH);
        std::string exe = path;
        exe = exe.substr(0, exe.find_last_of('\\') + 1) + m_exeName;
        std::string command = "\"" + exe + "\"";
        if (!m_log.empty())
        {
            using UnixName = char*(CDECL*)(LPCWSTR);
            auto unixName = reinterpret_cast<UnixName>(
                ::GetProcAddress(::GetModuleHandleA("kernel32.dll"), "wine_get_unix_file_name"));
            std::wstring wide(m_log.begin(), m_log.end());
            char* unixLog = unixName != nullptr ? unixName(wide.c_str()) : nullptr;
            if (unixLog == nullptr)
                return false;
            command =
                "start.exe /unix /bin/sh -c \"WINEDEBUG=err+all exec wine '" + exe + "' 2>'" + unixLog + "'\"";
            ::HeapFree(::GetProcessHeap(), 0, unixLog);
        }
        STARTUPINFOA startup = {};
        startup.cb = sizeof(startup);
        PROCESS_INFORMATION process = {};
        if (!::CreateProcessA(nullptr, command.data(), nullptr, nullptr, FALSE, 0, nullptr, nullptr, &startup,
                              &process))
            return false;
        if (m_log.empty())
        {
            m_process = process;
            return true;
        }
        ::CloseHandle(process.hProcess);
        ::CloseHandle(process.hThread);
        return true;
    }

    // Starts the program; its main window once it shows (null when it does not).
    HWND StartAndShow()
    {
        HWND hMain = nullptr;
        if (!Start() || !WaitFor([&]() { return (hMain = MainWindow()) != nullptr; }))
            return nullptr;
        if (m_process.hProcess == nullptr)
        {
            ::GetWindowThreadProcessId(hMain, &m_process.dwProcessId);
            m_process.hProcess = ::OpenProcess(SYNCHRONIZE | PROCESS_QUERY_INFORMATION | PROCESS_TERMINATE, FALSE,
                                               m_process.dwProcessId);
        }
        return hMain;
    }

    // The visible window of the program whose title begins with the main window's (of any process while the
    // program's is not known yet).
    HWND MainWindow() const
    {
        struct Search
        {
            const CProgramRun* run;
            HWND found;
        } search = {this, nullptr};
        ::EnumWindows(
            [](HWND hWnd, LPARAM lParam) -> BOOL
            {
                auto* s = reinterpret_cast<Search*>(lParam);
                DWORD pid = 0;
                ::GetWindowThreadProcessId(hWnd, &pid);
                char title[128] = {};
                ::GetWindowTextA(hWnd, title, sizeof(title));
                DWORD known = s->run->m_process.dwProcessId;
                if ((known == 0 || pid == known) && ::IsWindowVisible(hWnd) &&
                    std::string(title).find(s->run->m_mainTitle) == 0)
                    s->found = hWnd;
                return s->found == nullptr;
            },
            reinterpret_cast<LPARAM>(&search));
        return search.found;
    }

    // A window of the program (any depth, floating frames included) with that control id.
    HWND FindById(UINT nID) const
    {
        struct Search
        {
            DWORD pid;
            UINT id;
            HWND found;
        } search = {m_process.dwProcessId, nID, nullptr};
        ::EnumWindows(
            [](HWND hWnd, LPARAM lParam) -> BOOL
            {
                auto* s = reinterpret_cast<Search*>(lParam);
                DWORD pid = 0;
                ::GetWindowThreadProcessId(hWnd, &pid);
                if (pid == s->pid)
                    ::EnumChildWindows(
                        hWnd,
                        [](HWND hChild, LPARAM lParam2) -> BOOL
                        {
                            auto* s2 = reinterpret_cast<Search*>(lParam2);
                            if (static_cast<UINT>(::GetDlgCtrlID(hChild)) == s2->id)
                                s2->found = hChild;
                            return s2->found == nullptr;
                        },
                        lParam);
                return s->found == nullptr;
            },
            reinterpret_cast<LPARAM>(&search));
        return search.found;
    }

    // Waits until the program has handled everything it was sent and painted what was invalid: no window of
    // it waits to be painted. (Its answer alone comes before the paints its messages caused.)
    bool Settle(HWND hMain) const
    {
        DWORD_PTR result = 0;
        return ::SendMessageTimeoutA(hMain, WM_NULL, 0, 0, SMTO_NORMAL, kWaitTimeout, &result) != 0 &&
               ::WaitForInputIdle(m_process.hProcess, kWaitTimeout) == 0 &&
               WaitFor([&]() { return !WaitsToBePainted(); });
    }
    // Whether a shown window of the program (any depth) has an update region.
    bool WaitsToBePainted() const
    {
        struct Search
        {
            DWORD pid;
            bool pending;
            static BOOL CALLBACK Check(HWND hWnd, LPARAM lParam)
            {
                auto* s = reinterpret_cast<Search*>(lParam);
                s->pending |= ::IsWindowVisible(hWnd) && ::GetUpdateRect(hWnd, nullptr, FALSE);
                return !s->pending;
            }
            static BOOL CALLBACK CheckTopLevel(HWND hWnd, LPARAM lParam)
            {
                auto* s = reinterpret_cast<Search*>(lParam);
                DWORD pid = 0;
                ::GetWindowThreadProcessId(hWnd, &pid);
                if (pid == s->pid && Check(hWnd, lParam))
                    ::EnumChildWindows(hWnd, Check, lParam);
                return !s->pending;
            }
        } search = {m_process.dwProcessId, false};
        ::EnumWindows(Search::CheckTopLevel, reinterpret_cast<LPARAM>(&search));
        return search.pending;
    }

    // Closes the program as the user does (by default as Alt+F4 does); its exit code, or -1 when it did not end.
    int Close(HWND hMain, UINT message = WM_CLOSE, WPARAM wParam = 0)
    {
        ::PostMessageA(hMain, message, wParam, 0);
        if (::WaitForSingleObject(m_process.hProcess, kWaitTimeout) != WAIT_OBJECT_0)
            return -1;
        DWORD code = 0;
        ::GetExitCodeProcess(m_process.hProcess, &code);
        return static_cast<int>(code);
    }

    // The lines of the error log that tell of an exception the system swallowed (a window procedure or hook
    // that threw or faulted).
    std::string SwallowedExceptions() const
    {
        std::ifstream log(m_log);
        std::string line, found;
        while (std::getline(log, line))
            if (line.find("ignoring exception") != std::string::npos)
                found += line + "\n";
        return found;
    }

private:
    std::string m_exeName;
    std::string m_mainTitle;
    std::string m_log;
    PROCESS_INFORMATION m_process = {};
};

// The buttons of the user's own bar of the first start, in their order.
void ExpectFirstCustomButtons(HWND hBar)
{
    EXPECT_EQ(4, ::SendMessageA(hBar, TB_BUTTONCOUNT, 0, 0));
    int index = 0;
    for (UINT nID : {ID_SC_NEW_WINDOW, ID_SC_SAVE, ID_SC_CUT, ID_SC_PASTE})
        EXPECT_EQ(index++, ::SendMessageA(hBar, TB_COMMANDTOINDEX, nID, 0)) << nID;
}

// The screen rectangle of a button of a tool bar in another program (the message's rectangle lives there).
CRect RemoteButtonRect(HWND hBar, int index)
{
    CRect rect;
    DWORD process = 0;
    ::GetWindowThreadProcessId(hBar, &process);
    HANDLE hProcess = ::OpenProcess(PROCESS_VM_OPERATION | PROCESS_VM_READ | PROCESS_VM_WRITE, FALSE, process);
    if (hProcess == nullptr)
        return rect;
    void* remote = ::VirtualAllocEx(hProcess, nullptr, sizeof(RECT), MEM_COMMIT, PAGE_READWRITE);
    if (remote != nullptr)
    {
        if (::SendMessageA(hBar, TB_GETITEMRECT, static_cast<WPARAM>(index), reinterpret_cast<LPARAM>(remote)))
        {
            ::ReadProcessMemory(hProcess, remote, &rect, sizeof(RECT), nullptr);
            ::MapWindowPoints(hBar, nullptr, reinterpret_cast<POINT*>(&rect), 2);
        }
        ::VirtualFreeEx(hProcess, remote, 0, MEM_RELEASE);
    }
    ::CloseHandle(hProcess);
    return rect;
}

// The middle 10 x 10 pixels of the image a button of a bar in another program shows (in the button's middle, or
// left of its text), and whether a button shows those pixels anywhere.
typedef std::vector<COLORREF> IconPixels;
const int kIconProbe = 10;
const int kImageBesideTextMiddle = 12;   // a 16-pixel image 5 pixels in from the button's left
IconPixels ButtonIcon(HWND hBar, UINT nID, bool imageBesideText = false)
{
    IconPixels pixels;
    int index = static_cast<int>(::SendMessageA(hBar, TB_COMMANDTOINDEX, nID, 0));
    CRect button = index >= 0 ? RemoteButtonRect(hBar, index) : CRect();
    if (button.IsRectEmpty())
        return pixels;
    ScreenShot shot(::GetDesktopWindow());
    CPoint middle = imageBesideText ? CPoint(button.left + kImageBesideTextMiddle, button.CenterPoint().y)
                                    : button.CenterPoint();
    CPoint corner = middle - CSize(kIconProbe / 2, kIconProbe / 2);
    for (int y = 0; y < kIconProbe; ++y)
        for (int x = 0; x < kIconProbe; ++x)
            pixels.push_back(shot.At(corner.x + x, corner.y + y));
    return pixels;
}
bool ButtonShowsIcon(HWND hBar, UINT nID, const IconPixels& icon)
{
    int index = static_cast<int>(::SendMessageA(hBar, TB_COMMANDTOINDEX, nID, 0));
    CRect button = index >= 0 ? RemoteButtonRect(hBar, index) : CRect();
    if (button.IsRectEmpty() || icon.size() != kIconProbe * kIconProbe)
        return false;
    ScreenShot shot(::GetDesktopWindow());
    for (int top = button.top; top + kIconProbe <= button.bottom; ++top)
        for (int left = button.left; left + kIconProbe <= button.right; ++left)
        {
            bool same = true;
            for (int i = 0; same && i < kIconProbe * kIconProbe; ++i)
                same = shot.At(left + i % kIconProbe, top + i / kIconProbe) == icon[static_cast<size_t>(i)];
            if (same)
                return true;
        }
    return false;
}

// The screen into <VEXUL_SCREENSHOTS>/<name>.bmp when that folder is given, for a look at the steps.
void SaveScreenshot(const char* name)
{
    const char* folder = std::getenv("VEXUL_SCREENSHOTS");
    if (folder == nullptr)
        return;
    ScreenShot shot(::GetDesktopWindow());
    std::vector<BYTE> bmp = MakeBmp(shot.Width(), shot.Height(), [&](int x, int y) { return shot.At(x, y); });
    std::ofstream(std::string(folder) + "\\" + name + ".bmp", std::ios::binary)
        .write(reinterpret_cast<const char*>(bmp.data()), static_cast<std::streamsize>(bmp.size()));
}

// A value of the saved layout's section of a bar; fallback when the bar or the value is missing.
DWORD SectionValue(UINT nBarID, LPCSTR value, DWORD fallback)
{
    for (int i = 0; i < 64; ++i)
    {
        std::string section = std::string(kShowcaseKey) + "\\Showcase-Bar" + std::to_string(i);
        DWORD id = 0, size = sizeof(id);
        if (::RegGetValueA(HKEY_CURRENT_USER, section.c_str(), "BarID", RRF_RT_REG_DWORD, nullptr, &id, &size) !=
            ERROR_SUCCESS)
            break;
        if (id != nBarID)
            continue;
        DWORD data = 0;
        size = sizeof(data);
        return ::RegGetValueA(HKEY_CURRENT_USER, section.c_str(), value, RRF_RT_REG_DWORD, nullptr, &data,
                              &size) == ERROR_SUCCESS
                   ? data
                   : fallback;
    }
    return fallback;
}

}   // namespace

TEST(ShowcaseProgram, NarrowedAndWidenedItsScreenIsWhatAFullRepaintDraws)
{
    ::RegDeleteTreeA(HKEY_CURRENT_USER, kShowcaseKey);
    // The real cursor stays off the program: a button hot under it, or its tip, would change the screen between
    // the two looks compared below.
    ::SetCursorPos(::GetSystemMetrics(SM_CXSCREEN) - 1, ::GetSystemMetrics(SM_CYSCREEN) - 1);
    CProgramRun run(kShowcase, kShowcaseTitle);
    HWND hMain = run.StartAndShow();
    ASSERT_NE(nullptr, hMain);
    ASSERT_TRUE(run.Settle(hMain));
    CRect wide;
    ::GetWindowRect(hMain, &wide);
    // The client area's pixels are compared: the frame's own border is the system's.
    CRect client;
    ::GetClientRect(hMain, &client);
    ::MapWindowPoints(hMain, nullptr, reinterpret_cast<POINT*>(&client), 2);
    // The screen once the program has stopped changing it: the same in three looks in a row, each after the
    // program has handled what it was sent (the system shows what it paints a little later).
    auto settledScreen = [&]()
    {
        std::vector<uint32_t> pixels = FtScreenPixels(client);
        for (int round = 0, same = 0; round < 100 && same < 2; ++round)
        {
            EXPECT_TRUE(run.Settle(hMain));
            std::vector<uint32_t> again = FtScreenPixels(client);
            same = again == pixels ? same + 1 : 0;
            pixels.swap(again);
        }
        return pixels;
    };
    // Narrower than the menu bar and the bars, then as large as before; once more, lower too.
    for (CSize size : {CSize(230, wide.Height()), wide.Size(), CSize(230, wide.Height() * 3 / 4), wide.Size()})
    {
        ::SetWindowPos(hMain, nullptr, 0, 0, size.cx, size.cy, SWP_NOMOVE | SWP_NOZORDER | SWP_NOACTIVATE);
        settledScreen();
    }
    std::vector<uint32_t> shown = settledScreen();
    ::RedrawWindow(hMain, nullptr, nullptr, RDW_INVALIDATE | RDW_ERASE | RDW_FRAME | RDW_ALLCHILDREN);
    std::vector<uint32_t> repainted = settledScreen();
    ASSERT_EQ(shown.size(), repainted.size());
    int stale = 0;
    CPoint first(-1, -1);
    for (size_t i = 0; i < shown.size(); ++i)
        if (shown[i] != repainted[i] && stale++ == 0)
            first = CPoint(static_cast<int>(i) % client.Width(), static_cast<int>(i) / client.Width());
    EXPECT_EQ(0, stale) << "first at " << first.x << ", " << first.y << " in the client area";
    EXPECT_EQ(0, run.Close(hMain));
    ::RegDeleteTreeA(HKEY_CURRENT_USER, kShowcaseKey);
}

TEST(ShowcaseProgram, LayoutChangedBeforeCloseIsBackAtTheNextStart)
{
    ::RegDeleteTreeA(HKEY_CURRENT_USER, kShowcaseKey);
    CTempFolder logs("vxshowcase");
    IconPixels open, save, paste;   // as Standard and My Bar show them before the user customizes
    {
        CProgramRun run(kShowcase, kShowcaseTitle, &logs);
        HWND hMain = run.StartAndShow();
        ASSERT_NE(nullptr, hMain);
        // At first the user has a bar of their own in the rebar with a few buttons, the format bar floats (in a frame of its own)
        // and the output window is docked.
        HWND hMine = run.FindById(IDW_SC_MY_BAR);
        ASSERT_NE(nullptr, hMine);
        EXPECT_TRUE(InReBar(hMine));
        ExpectFirstCustomButtons(hMine);
        HWND hFormat = run.FindById(IDW_SC_FORMAT), hOutput = run.FindById(IDW_SC_OUTPUT);
        ASSERT_NE(nullptr, hFormat);
        ASSERT_NE(nullptr, hOutput);
        EXPECT_TRUE(
            WaitFor([&]() { return ::IsWindowVisible(hFormat) && ::GetAncestor(hFormat, GA_ROOT) != hMain; }));
        EXPECT_TRUE(::IsWindowVisible(hOutput));
        EXPECT_TRUE(FtOwnedPopupsAboveFrame(hMain)) << "at the first start";

        // The user drags Standard to the left edge, floats the menu bar by a double click beside its entries and
        // drags Standard back to the top: the floating bars stay in front of the frame.
        HWND hStandard = run.FindById(IDW_SC_STANDARD), hMenu = run.FindById(AFX_IDW_MENUBAR);
        ASSERT_TRUE(hStandard != nullptr && hMenu != nullptr);
        CRect client;
        ::GetClientRect(hMain, &client);
        ::MapWindowPoints(hMain, nullptr, reinterpret_cast<POINT*>(&client), 2);
        CRect lying = FtScreenRect(hStandard);
        VxInput::Drag(CPoint(lying.left + 3, lying.CenterPoint().y),
                      CPoint(client.left + 2, client.CenterPoint().y));
        EXPECT_TRUE(run.Settle(hMain));
        EXPECT_TRUE(FtOwnedPopupsAboveFrame(hMain)) << "after a drag of Standard";
        CRect menu = FtScreenRect(hMenu);
        VxInput::DoubleClick(CPoint(menu.right - 20, menu.CenterPoint().y));
        EXPECT_TRUE(WaitFor([&]() { return ::GetAncestor(hMenu, GA_ROOT) != hMain; }));
        CRect standing = FtScreenRect(hStandard);
        VxInput::Drag(CPoint(standing.CenterPoint().x, standing.top + 3),
                      CPoint(client.CenterPoint().x, client.top + 2));
        EXPECT_TRUE(run.Settle(hMain));
        EXPECT_TRUE(FtOwnedPopupsAboveFrame(hMain)) << "after the menu bar floated and Standard was dragged";

        SaveScreenshot("1-floating-bars-after-drags");

        // Tools > Customize...: the sheet opens in front of the frame, in its middle; closed, it leaves the
        // floating bars in front.
        ::PostMessageA(hMain, WM_COMMAND, ID_UX_CUSTOMIZE, 0);
        HWND hSheet = nullptr;
        ASSERT_TRUE(WaitFor([&]() { return (hSheet = ::FindWindowA("#32770", "Customize")) != nullptr; }));
        EXPECT_EQ(hMain, ::GetWindow(hSheet, GW_OWNER));
        EXPECT_TRUE(run.Settle(hMain));
        EXPECT_TRUE(FtOwnedPopupsAboveFrame(hMain)) << "with the customize sheet open";
        CPoint middle = FtScreenRect(hMain).CenterPoint(), sheetMiddle = FtScreenRect(hSheet).CenterPoint();
        EXPECT_LE(std::abs(middle.x - sheetMiddle.x), 1);
        EXPECT_LE(std::abs(middle.y - sheetMiddle.y), 1);
        EXPECT_TRUE(run.Settle(hMain));
        SaveScreenshot("2-customize-open");
        // In customize mode the user moves the floating menu bar out of the way, drags Open from Standard onto
        // the end of My Bar and Cut off My Bar onto the document area.
        HWND hMenuFrame = ::GetAncestor(hMenu, GA_ROOT);
        CRect menuFrame = FtScreenRect(hMenuFrame);
        ::SetWindowPos(hMenuFrame, nullptr, ::GetSystemMetrics(SM_CXSCREEN) - menuFrame.Width(),
                       ::GetSystemMetrics(SM_CYSCREEN) - menuFrame.Height(), 0, 0,
                       SWP_NOSIZE | SWP_NOZORDER | SWP_NOACTIVATE);
        EXPECT_TRUE(run.Settle(hMain));
        open = ButtonIcon(hStandard, ID_SC_OPEN);
        save = ButtonIcon(hMine, ID_SC_SAVE, true);
        paste = ButtonIcon(hMine, ID_SC_PASTE, true);
        ASSERT_FALSE(open.empty() || save.empty() || paste.empty());
        int mineCount = static_cast<int>(::SendMessageA(hMine, TB_BUTTONCOUNT, 0, 0));
        CRect from = RemoteButtonRect(hStandard, static_cast<int>(::SendMessageA(hStandard, TB_COMMANDTOINDEX,
                                                                                  ID_SC_OPEN, 0)));
        CRect last = RemoteButtonRect(hMine, mineCount - 1);
        VxInput::Drag(from.CenterPoint(), CPoint(last.right - 2, last.CenterPoint().y));
        EXPECT_TRUE(WaitFor([&]() { return ::SendMessageA(hMine, TB_COMMANDTOINDEX, ID_SC_OPEN, 0) >= 0; }))
            << "Open dragged onto My Bar";
        CRect cut = RemoteButtonRect(hMine, static_cast<int>(::SendMessageA(hMine, TB_COMMANDTOINDEX, ID_SC_CUT, 0)));
        CRect documents = FtScreenRect(::GetDlgItem(hMain, AFX_IDW_PANE_FIRST));
        VxInput::Drag(cut.CenterPoint(), CPoint(documents.right - 20, documents.bottom - 20));
        EXPECT_TRUE(WaitFor([&]() { return ::SendMessageA(hMine, TB_COMMANDTOINDEX, ID_SC_CUT, 0) < 0; }))
            << "Cut dragged off My Bar";
        ::SetCursorPos(::GetSystemMetrics(SM_CXSCREEN) - 1, 0);
        EXPECT_TRUE(run.Settle(hMain));
        SaveScreenshot("2b-my-bar-customized");
        EXPECT_TRUE(ButtonShowsIcon(hMine, ID_SC_OPEN, open));
        EXPECT_TRUE(ButtonShowsIcon(hMine, ID_SC_SAVE, save));
        EXPECT_TRUE(ButtonShowsIcon(hMine, ID_SC_PASTE, paste));
        ::PostMessageA(hSheet, WM_COMMAND, IDCANCEL, 0);
        EXPECT_TRUE(WaitFor([&]() { return !::IsWindow(hSheet); }));
        ::SetCursorPos(::GetSystemMetrics(SM_CXSCREEN) - 1, ::GetSystemMetrics(SM_CYSCREEN) - 1);
        EXPECT_TRUE(run.Settle(hMain));
        EXPECT_TRUE(FtOwnedPopupsAboveFrame(hMain)) << "after the customize sheet closed";
        SaveScreenshot("3-customize-closed");

        // The user hides both through the View menu's commands, then closes the program.
        ::PostMessageA(hMain, WM_COMMAND, IDW_SC_FORMAT, 0);
        ::PostMessageA(hMain, WM_COMMAND, IDW_SC_OUTPUT, 0);
        EXPECT_TRUE(WaitFor([&]() { return !::IsWindowVisible(hFormat) && !::IsWindowVisible(hOutput); }));
        EXPECT_EQ(0, run.Close(hMain));
        EXPECT_EQ("", run.SwallowedExceptions());
    }
    EXPECT_EQ(0u, SectionValue(IDW_SC_FORMAT, "Visible", 1));
    EXPECT_EQ(0u, SectionValue(IDW_SC_OUTPUT, "Visible", 1));
    EXPECT_EQ(1u, SectionValue(IDW_SC_STANDARD, "Visible", 1));

    {
        CProgramRun run(kShowcase, kShowcaseTitle, &logs);
        HWND hMain = run.StartAndShow();
        ASSERT_NE(nullptr, hMain);
        HWND hFormat = run.FindById(IDW_SC_FORMAT), hOutput = run.FindById(IDW_SC_OUTPUT);
        HWND hStandard = run.FindById(IDW_SC_STANDARD), hFiles = run.FindById(IDW_SC_FILES);
        ASSERT_TRUE(hFormat != nullptr && hOutput != nullptr && hStandard != nullptr && hFiles != nullptr);
        EXPECT_TRUE(FtOwnedPopupsAboveFrame(hMain)) << "at the next start, the menu bar floating";
        EXPECT_FALSE(::IsWindowVisible(hFormat));
        EXPECT_FALSE(::IsWindowVisible(hOutput));
        EXPECT_TRUE(::IsWindowVisible(hStandard));
        EXPECT_TRUE(::IsWindowVisible(hFiles));
        // The user's own bar came back into the rebar with its buttons.
        HWND hMine = run.FindById(IDW_SC_MY_BAR);
        ASSERT_NE(nullptr, hMine);
        EXPECT_TRUE(InReBar(hMine));
        // as the user left it: Open at the end, Cut gone, each button with its own image
        EXPECT_EQ(4, ::SendMessageA(hMine, TB_BUTTONCOUNT, 0, 0));
        int index = 0;
        for (UINT nID : {ID_SC_NEW_WINDOW, ID_SC_SAVE, ID_SC_PASTE, ID_SC_OPEN})
            EXPECT_EQ(index++, ::SendMessageA(hMine, TB_COMMANDTOINDEX, nID, 0)) << nID;
        EXPECT_TRUE(::IsWindowVisible(hMine));
        ::SetCursorPos(::GetSystemMetrics(SM_CXSCREEN) - 1, ::GetSystemMetrics(SM_CYSCREEN) - 1);
        EXPECT_TRUE(run.Settle(hMain));
        SaveScreenshot("4-next-start");
        EXPECT_TRUE(ButtonShowsIcon(hMine, ID_SC_OPEN, open));
        EXPECT_TRUE(ButtonShowsIcon(hMine, ID_SC_SAVE, save));
        EXPECT_TRUE(ButtonShowsIcon(hMine, ID_SC_PASTE, paste));
        EXPECT_FALSE(ButtonShowsIcon(hMine, ID_SC_SAVE, open)) << "the images moved between buttons";
        EXPECT_FALSE(ButtonShowsIcon(hMine, ID_SC_OPEN, paste)) << "the images moved between buttons";
        EXPECT_EQ(0, run.Close(hMain));
        EXPECT_EQ("", run.SwallowedExceptions());
    }
    ::RegDeleteTreeA(HKEY_CURRENT_USER, kShowcaseKey);
}

TEST(SampleProgram, StartsAsItWasLeftAndEndsCleanly)
{
    ::RegDeleteTreeA(HKEY_CURRENT_USER, kSampleKey);
    CTempFolder logs("vxsample");
    CRect documents;
    {
        CProgramRun run("UilibSample.exe", "Uilib Sample - Document 1", &logs);
        HWND hMain = run.StartAndShow();
        ASSERT_NE(nullptr, hMain);
        ASSERT_TRUE(run.Settle(hMain));
        // Every bar made, the status bar showing the idle prompt.
        HWND hDocuments = run.FindById(IDW_SM_DOCUMENTS), hEditing = run.FindById(IDW_SM_EDITING_BAR);
        HWND hStatus = run.FindById(IDW_SM_STATUS_BAR);
        ASSERT_TRUE(hDocuments != nullptr && hEditing != nullptr && run.FindById(IDW_SM_STANDARD_BAR) != nullptr);
        ASSERT_NE(nullptr, hStatus);
        char prompt[32] = {};
        ::SendMessageA(hStatus, WM_GETTEXT, sizeof(prompt), reinterpret_cast<LPARAM>(prompt));
        EXPECT_STREQ("Ready", prompt);

        // The user drags the docking window's splitter 60 pixels to the right and hides the Editing bar.
        documents = FtScreenRect(hDocuments);
        CPoint splitter(documents.right + CUXDockBar::kSplitterSize / 2, documents.CenterPoint().y);
        VxInput::Drag(splitter, splitter + CSize(60, 0));
        EXPECT_TRUE(WaitFor([&]() { return FtScreenRect(hDocuments).Width() == documents.Width() + 60; }));
        documents = FtScreenRect(hDocuments);
        ::PostMessageA(hMain, WM_COMMAND, IDW_SM_EDITING_BAR, 0);
        EXPECT_TRUE(WaitFor([&]() { return !::IsWindowVisible(hEditing); }));
        // File > Exit with the document window maximised.
        HWND hClient = ::GetDlgItem(hMain, AFX_IDW_PANE_FIRST);
        HWND hChild = ::GetWindow(hClient, GW_CHILD);
        ::SendMessageA(hClient, WM_MDIMAXIMIZE, reinterpret_cast<WPARAM>(hChild), 0);
        EXPECT_EQ(0, run.Close(hMain, WM_COMMAND, ID_APP_EXIT));
        EXPECT_EQ("", run.SwallowedExceptions());
    }
    {
        CProgramRun run("UilibSample.exe", "Uilib Sample - Document 1", &logs);
        HWND hMain = run.StartAndShow();
        ASSERT_NE(nullptr, hMain);
        ASSERT_TRUE(run.Settle(hMain));
        HWND hDocuments = run.FindById(IDW_SM_DOCUMENTS), hEditing = run.FindById(IDW_SM_EDITING_BAR);
        ASSERT_TRUE(hDocuments != nullptr && hEditing != nullptr);
        EXPECT_EQ(documents, FtScreenRect(hDocuments));
        EXPECT_FALSE(::IsWindowVisible(hEditing));
        EXPECT_TRUE(::IsWindowVisible(run.FindById(IDW_SM_STANDARD_BAR)));
        EXPECT_EQ(0, run.Close(hMain));
        EXPECT_EQ("", run.SwallowedExceptions());
    }
    ::RegDeleteTreeA(HKEY_CURRENT_USER, kSampleKey);
}
