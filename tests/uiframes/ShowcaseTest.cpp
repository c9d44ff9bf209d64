// The library's showcase program as a user runs it: its layout changed, the program closed, and the next start
// showing the layout it had.
#include "UiFramesTestSupport.h"

#include "uiframes/app/ShowcaseIds.h"

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

// One run of the showcase, beside this test program; ended by force if a test leaves it running.
class CShowcaseRun
{
public:
    CShowcaseRun() = default;
    CShowcaseRun(const CShowcaseRun&) = delete;
    CShowcaseRun& operator=(const CShowcaseRun&) = delete;
    ~CShowcaseRun()
    {
        if (m_process.hProcess == nullptr)
            return;
        if (::WaitForSingleObject(m_process.hProcess, 0) == WAIT_TIMEOUT)
            ::TerminateProcess(m_process.hProcess, 1);
        ::CloseHandle(m_process.hProcess);
        ::CloseHandle(m_process.hThread);
    }

    bool Start()
    {
        char path[MAX_PATH] = {};
        ::GetModuleFileNameA(nullptr, path, MAX_PATH);
        std::string exe = path;
        exe = exe.substr(0, exe.find_last_of('\\') + 1) + "UilibShowcase.exe";
        std::string command = "\"" + exe + "\"";
        STARTUPINFOA startup = {};
        startup.cb = sizeof(startup);
        return ::CreateProcessA(exe.c_str(), command.data(), nullptr, nullptr, FALSE, 0, nullptr, nullptr,
                                &startup, &m_process) != FALSE;
    }

    // The main window once it shows a document window's title (the start's layout is restored by then).
    HWND MainWindow() const
    {
        std::pair<DWORD, HWND> search(m_process.dwProcessId, nullptr);
        ::EnumWindows(
            [](HWND hWnd, LPARAM lParam) -> BOOL
            {
                auto* found = reinterpret_cast<std::pair<DWORD, HWND>*>(lParam);
                DWORD pid = 0;
                ::GetWindowThreadProcessId(hWnd, &pid);
                char title[128] = {};
                ::GetWindowTextA(hWnd, title, sizeof(title));
                if (pid == found->first && ::IsWindowVisible(hWnd) &&
                    std::string(title).find("Uilib Showcase - Document 1") == 0)
                    found->second = hWnd;
                return found->second == nullptr;
            },
            reinterpret_cast<LPARAM>(&search));
        return search.second;
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

    // Closes the program as the user does; its exit code, or -1 when it did not end.
    int Close(HWND hMain)
    {
        ::PostMessageA(hMain, WM_CLOSE, 0, 0);
        if (::WaitForSingleObject(m_process.hProcess, kWaitTimeout) != WAIT_OBJECT_0)
            return -1;
        DWORD code = 0;
        ::GetExitCodeProcess(m_process.hProcess, &code);
        return static_cast<int>(code);
    }

private:
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

TEST(ShowcaseProgram, LayoutChangedBeforeCloseIsBackAtTheNextStart)
{
    ::RegDeleteTreeA(HKEY_CURRENT_USER, kShowcaseKey);
    {
        CShowcaseRun run;
        ASSERT_TRUE(run.Start());
        HWND hMain = nullptr;
        ASSERT_TRUE(WaitFor([&]() { return (hMain = run.MainWindow()) != nullptr; }));
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

        // The user hides both through the View menu's commands, then closes the program.
        ::PostMessageA(hMain, WM_COMMAND, IDW_SC_FORMAT, 0);
        ::PostMessageA(hMain, WM_COMMAND, IDW_SC_OUTPUT, 0);
        EXPECT_TRUE(WaitFor([&]() { return !::IsWindowVisible(hFormat) && !::IsWindowVisible(hOutput); }));
        EXPECT_EQ(0, run.Close(hMain));
    }
    EXPECT_EQ(0u, SectionValue(IDW_SC_FORMAT, "Visible", 1));
    EXPECT_EQ(0u, SectionValue(IDW_SC_OUTPUT, "Visible", 1));
    EXPECT_EQ(1u, SectionValue(IDW_SC_STANDARD, "Visible", 1));

    {
        CShowcaseRun run;
        ASSERT_TRUE(run.Start());
        HWND hMain = nullptr;
        ASSERT_TRUE(WaitFor([&]() { return (hMain = run.MainWindow()) != nullptr; }));
        HWND hFormat = run.FindById(IDW_SC_FORMAT), hOutput = run.FindById(IDW_SC_OUTPUT);
        HWND hStandard = run.FindById(IDW_SC_STANDARD), hFiles = run.FindById(IDW_SC_FILES);
        ASSERT_TRUE(hFormat != nullptr && hOutput != nullptr && hStandard != nullptr && hFiles != nullptr);
        EXPECT_FALSE(::IsWindowVisible(hFormat));
        EXPECT_FALSE(::IsWindowVisible(hOutput));
        EXPECT_TRUE(::IsWindowVisible(hStandard));
        EXPECT_TRUE(::IsWindowVisible(hFiles));
        // The user's own bar came back into the rebar with its buttons.
        HWND hMine = run.FindById(IDW_SC_MY_BAR);
        ASSERT_NE(nullptr, hMine);
        EXPECT_TRUE(InReBar(hMine));
        ExpectFirstCustomButtons(hMine);
        EXPECT_TRUE(::IsWindowVisible(hMine));
        EXPECT_EQ(0, run.Close(hMain));
    }
    ::RegDeleteTreeA(HKEY_CURRENT_USER, kShowcaseKey);
}
