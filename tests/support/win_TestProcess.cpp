#include "win_TestProcess.h"

#include "win_Wait.h"

#include <vector>

CTestProcess::CTestProcess(const std::string& exe, const std::string& arguments, const std::string& folder,
                           int closeChildId)
    : m_closeChildId(closeChildId)
{
    std::string line = "\"" + exe + "\"" + (arguments.empty() ? "" : " " + arguments);
    std::vector<char> buffer(line.begin(), line.end());
    buffer.push_back(0);
    STARTUPINFOA si = {};
    si.cb = sizeof(si);
    m_started = CreateProcessA(exe.c_str(), buffer.data(), nullptr, nullptr, FALSE, 0, nullptr,
                               folder.empty() ? nullptr : folder.c_str(), &si, &m_pi) != FALSE;
}

CTestProcess::~CTestProcess()
{
    if (!m_started)
        return;
    if (!Ended())
    {
        HWND window = m_closeChildId != 0 ? FindWindowWithChild(m_closeChildId) : nullptr;
        if (window != nullptr)
            PostMessageA(window, WM_COMMAND, IDCANCEL, 0);
        if (window == nullptr || !PumpUntil([&] { return Ended(); }))
            TerminateProcess(m_pi.hProcess, 1);
        WaitForSingleObject(m_pi.hProcess, kWaitTimeout);
    }
    CloseHandle(m_pi.hThread);
    CloseHandle(m_pi.hProcess);
}

bool CTestProcess::Ended() const
{
    return WaitForSingleObject(m_pi.hProcess, 0) == WAIT_OBJECT_0;
}

DWORD CTestProcess::ExitCode() const
{
    DWORD code = 0;
    GetExitCodeProcess(m_pi.hProcess, &code);
    return code;
}

HWND CTestProcess::FindWindowWithChild(int childId) const
{
    struct Search
    {
        DWORD pid;
        int child;
        HWND found;
    } search = {m_pi.dwProcessId, childId, nullptr};
    EnumWindows(
        [](HWND hWnd, LPARAM param) -> BOOL
        {
            Search* s = reinterpret_cast<Search*>(param);
            DWORD pid = 0;
            GetWindowThreadProcessId(hWnd, &pid);
            if (pid != s->pid || !IsWindowVisible(hWnd) || !GetDlgItem(hWnd, s->child))
                return TRUE;
            s->found = hWnd;
            return FALSE;
        },
        reinterpret_cast<LPARAM>(&search));
    return search.found;
}
