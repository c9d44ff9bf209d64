// What the player's application and its main window share for one run: where the program and the show
// are, the start slide, the operating system, the end program and the show's installed fonts.
#pragma once

#include "player/ShowFonts.h"

struct CPlayerSession
{
    CString m_strProgramFolder;   // the program's folder, without trailing backslash
    CString m_strShowPath;        // the pack the dialog actually opened
    CString m_strShowFolder;      // where relative sound and end-program names are found
    int m_nStartSlide = 0;
    BOOL m_bStartSlideGiven = FALSE;
    BOOL m_bShowFileFirst = FALSE;   // the named pack plays even when the program carries its own show
    BOOL m_bEndProgramEnabled = FALSE;
    CString m_strEndProgram;
    BOOL m_bNT = FALSE;   // the frame clock runs on the window timer
    CString m_strOsText;
    CShowFontInstaller m_Fonts;
};
