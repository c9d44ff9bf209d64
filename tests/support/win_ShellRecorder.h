// Test helper: while it lives, help requests (AfxHtmlHelp) and shell calls (AfxShellExecute) are recorded and
// answered as successful instead of starting anything. Header only.
#pragma once

#include "framework/win/Shell.h"

#include <string>
#include <vector>

class CShellRecorder
{
public:
    struct Call
    {
        std::string kind;   // "help" or "shell"
        HWND hWnd;
        std::string operation;   // the shell's verb
        std::string file;        // the program, document or help file (with its topic)
        std::string parameters;
        std::string directory;
        int show;       // the shell's show command
        UINT command;   // the help command
    };

    CShellRecorder()
    {
        Active() = this;
        m_previousHelp = AfxSetHtmlHelpHandler(&Help);
        m_previousShell = AfxSetShellExecuteHandler(&Shell);
    }
    ~CShellRecorder()
    {
        AfxSetHtmlHelpHandler(m_previousHelp);
        AfxSetShellExecuteHandler(m_previousShell);
        Active() = nullptr;
    }
    CShellRecorder(const CShellRecorder&) = delete;
    CShellRecorder& operator=(const CShellRecorder&) = delete;

    const std::vector<Call>& Calls() const { return m_calls; }

private:
    static CShellRecorder*& Active()
    {
        static CShellRecorder* active = nullptr;
        return active;
    }
    static std::string Text(LPCSTR text) { return text == nullptr ? std::string() : std::string(text); }
    static HWND Help(HWND hWndCaller, LPCSTR pszFile, UINT uCommand, DWORD_PTR)
    {
        if (Active() != nullptr)
            Active()->m_calls.push_back({"help", hWndCaller, "", Text(pszFile), "", "", 0, uCommand});
        return hWndCaller;
    }
    static HINSTANCE Shell(HWND hWnd, LPCSTR lpOperation, LPCSTR lpFile, LPCSTR lpParameters, LPCSTR lpDirectory,
                           INT nShowCmd)
    {
        if (Active() != nullptr)
            Active()->m_calls.push_back({"shell", hWnd, Text(lpOperation), Text(lpFile), Text(lpParameters),
                                         Text(lpDirectory), nShowCmd, 0});
        return reinterpret_cast<HINSTANCE>(static_cast<INT_PTR>(42));   // above 32: success
    }

    std::vector<Call> m_calls;
    AfxHtmlHelpHandler m_previousHelp = nullptr;
    AfxShellExecuteHandler m_previousShell = nullptr;
};
