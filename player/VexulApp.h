// CVexulApp: the player program. It finds its folder, reads the command line and the operating system,
// runs the main dialog, removes the fonts the show installed and, on exit, starts the show's end program.
#pragma once

#include "framework/win/Framework.h"
#include "player/PlayerSession.h"
#include "player/VexulCommandLineInfo.h"
#include "show/ImageObj.h"

// How the end program is started: the program, its parameters (empty: none) and its working folder.
struct CEndProgramLaunch
{
    CString program;
    CString parameters;
    CString folder;
};

class CVexulApp : public CWinApp
{
public:
    CVexulApp();

    BOOL InitInstance() override;
    int ExitInstance() override;

    // Fills the operating-system text and the NT flag from the registry.
    void ReadOsVersion();
    // Starts the show's end program when the show enabled one.
    void RunEndProgram();

    // Delegates of the session's font installer.
    void InstallShowFont(LPCSTR face, CDC* dc, CProjectPack* pack)
    {
        m_Session.m_Fonts.InstallShowFont(face, dc, pack);
    }
    void ReinstallShowFonts(CWnd* window) { m_Session.m_Fonts.ReinstallShowFonts(window); }
    void RemoveShowFonts() { m_Session.m_Fonts.RemoveShowFonts(); }

    // The command line's effect on the session: show path and start slide.
    static void ApplyCommandLine(const CVexulCommandLineInfo& info, CPlayerSession& session);
    // The operating-system text from the two registry keys' values.
    static CString ComposeOsText(const CString& productName, const CString& currentVersion, const CString& version,
                                 const CString& versionNumber, const CString& subVersionNumber);
    // " NT" after the first character, or an NT 4 system without a product name (" - 4.").
    static BOOL IsNtOsText(const CString& text);
    // Splits the end command into program, parameters and folder ("_CURRENTDIR_\" means the program folder).
    static CEndProgramLaunch MakeEndProgramLaunch(const CString& command, const CString& programFolder);

    CVexulCommandLineInfo m_CommandLine;
    CPlayerSession m_Session;
    // Image objects load their pictures the player's way for the whole run.
    CImageObj::CLoaderInstallation m_PictureLoader;
};
