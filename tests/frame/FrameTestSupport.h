// The fixture of the framework test program: an application with its template, a fresh folder for files, a
// clean test key in the registry; everything the program left is removed at the end.
#pragma once

#include "FrameTestClasses.h"
#include "core/TempFolder.h"

#include <gtest/gtest.h>

#include <ostream>
#include <string>
#include <vector>

// Rectangles, points and sizes in test messages as numbers (not as the pointers they convert to).
inline void PrintTo(const CRect& r, std::ostream* os)
{
    *os << "(" << r.left << ", " << r.top << ", " << r.right << ", " << r.bottom << ")";
}
inline void PrintTo(const CPoint& p, std::ostream* os)
{
    *os << "(" << p.x << ", " << p.y << ")";
}
inline void PrintTo(const CSize& s, std::ostream* os)
{
    *os << s.cx << " x " << s.cy;
}

class FrameProgram : public ::testing::Test
{
protected:
    void SetUp() override
    {
        app.WriteProfileString("Recent File List", nullptr, nullptr);
        app.AddDocTemplate(new CSingleDocTemplate(IDR_SHOW, RUNTIME_CLASS(CShowDoc), RUNTIME_CLASS(CShowFrame),
                                                  RUNTIME_CLASS(CShowView)));
        app.LoadStdProfileSettings(8);
        g_route.clear();
        g_routeTakers.clear();
    }

    void TearDown() override
    {
        if (app.m_pMainWnd != nullptr)
            app.m_pMainWnd->DestroyWindow();   // no questions: the test is over
        Drain();
        app.WriteProfileString("Recent File List", nullptr, nullptr);
        EXPECT_EQ(0, CShowDoc::s_live);   // every document went with its frame
    }

    // Handles what is queued, as the program's loop would; a quit request stays.
    void Pump()
    {
        MSG msg;
        while (::PeekMessageA(&msg, nullptr, 0, 0, PM_NOREMOVE) && msg.message != WM_QUIT)
            AfxPumpMessage();
    }

    // Removes everything queued, a quit request included; TRUE when there was one.
    bool Drain()
    {
        bool quit = false;
        MSG msg;
        while (::PeekMessageA(&msg, nullptr, 0, 0, PM_REMOVE))
        {
            if (msg.message == WM_QUIT)
                quit = true;
            else
            {
                ::TranslateMessage(&msg);
                ::DispatchMessageA(&msg);
            }
        }
        return quit;
    }

    // Sends a command to the main frame as a menu would.
    void Command(UINT nID) { app.Frame()->SendMessage(WM_COMMAND, MAKEWPARAM(nID, 0), 0); }

    // Save As with the file dialog answering the named file of the folder; its path comes back.
    std::string SaveAs(const char* name)
    {
        std::string path = folder.File(name);
        app.answers.push_back(path.c_str());
        Command(ID_FILE_SAVE_AS);
        return path;
    }

public:
    // The bytes of a file (empty when it cannot be read).
    static std::vector<char> Bytes(const std::string& path)
    {
        std::vector<char> bytes;
        CFile file;
        if (!file.Open(path.c_str(), CFile::modeRead | CFile::shareDenyNone))
            return bytes;
        bytes.resize(static_cast<size_t>(file.GetLength()));
        if (!bytes.empty())
            file.Read(bytes.data(), static_cast<UINT>(bytes.size()));
        return bytes;
    }

protected:
    // Files in the folder whose names match the pattern.
    std::vector<std::string> Files(const char* pattern) const
    {
        std::vector<std::string> names;
        WIN32_FIND_DATAA data;
        HANDLE hFind = ::FindFirstFileA(folder.File(pattern).c_str(), &data);
        if (hFind == INVALID_HANDLE_VALUE)
            return names;
        do
            names.push_back(data.cFileName);
        while (::FindNextFileA(hFind, &data));
        ::FindClose(hFind);
        return names;
    }

    // A new document made through the New command of a fresh start.
    void StartWithNewDocument()
    {
        CCommandLineInfo info;
        ASSERT_TRUE(app.ProcessShellCommand(info));
        ASSERT_NE(nullptr, app.Frame());
        ASSERT_NE(nullptr, app.Doc());
    }

    TempFolder folder;
    CFrameTestApp app;
};
