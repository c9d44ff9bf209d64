// Test helper: a program the test starts and looks at from outside, by its windows.
#pragma once

#include "framework/win/Framework.h"

#include <string>

// The program runs while the object lives. When the object goes and the program still runs, the window that
// holds a child of closeChildId (0: none) is told to cancel; a program that does not end then is ended by force.
class CTestProcess
{
public:
    CTestProcess(const std::string& exe, const std::string& arguments, const std::string& folder,
                 int closeChildId = 0);
    ~CTestProcess();
    CTestProcess(const CTestProcess&) = delete;
    CTestProcess& operator=(const CTestProcess&) = delete;

    bool Started() const { return m_started; }
    bool Ended() const;
    DWORD ExitCode() const;
    // Ended without an exception (those end with an NTSTATUS error code).
    bool EndedCleanly() const { return Ended() && ExitCode() < 0xC0000000u; }
    DWORD Id() const { return m_pi.dwProcessId; }
    // The visible top-level window of the program that holds a child of that id; null when none.
    HWND FindWindowWithChild(int childId) const;

private:
    PROCESS_INFORMATION m_pi = {};
    bool m_started = false;
    int m_closeChildId;
};
