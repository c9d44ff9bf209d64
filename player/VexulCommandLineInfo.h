// The player's command line: a pack path, optionally with /S=n (letter in either case) naming the 0-based
// start slide 0 … 99. Another switch after /S= cancels the start slide. /F before the path makes the named
// pack file play even in a program that carries its own show (the editor's test run of a compiled project).
#pragma once

#include "framework/win/Framework.h"

class CVexulCommandLineInfo : public CCommandLineInfo
{
public:
    CVexulCommandLineInfo();

    void ParseParam(const char* pszParam, BOOL bFlag, BOOL bLast) override;

    // "S" after an S switch, another switch lower-cased, "O" after the first plain parameter.
    CString m_strSwitch;
    CString m_strLastParam;
    int m_nStartSlide;   // -1 until an S switch gives 0 … 99
    BOOL m_bShowFileFirst;   // an F switch was given
};
