#include "player/VexulCommandLineInfo.h"

#include <cstdlib>

CVexulCommandLineInfo::CVexulCommandLineInfo() : m_nStartSlide(-1), m_bShowFileFirst(FALSE)
{
}

void CVexulCommandLineInfo::ParseParam(const char* pszParam, BOOL bFlag, BOOL bLast)
{
    CString param(pszParam);
    if (bFlag)
    {
        char first = param.GetAt(0);
        if (first == 'S' || first == 's')
        {
            m_strSwitch = "S";
            // strtol saturates: a huge number must not wrap round into 0 … 99.
            long slide = std::strtol(param.Mid(2), nullptr, 10);
            if (slide >= 0 && slide <= 99)
                m_nStartSlide = static_cast<int>(slide);
            m_nShellCommand = CCommandLineInfo::FileNothing;
        }
        else if (first == 'Z' || first == 'z')
        {
            m_strSwitch = param;
            m_strSwitch.MakeLower();
        }
        else
        {
            if (param.CompareNoCase("F") == 0)
                m_bShowFileFirst = TRUE;
            CCommandLineInfo::ParseParam(pszParam, bFlag, bLast);
            m_strSwitch = param;
            m_strSwitch.MakeLower();
        }
        return;
    }
    m_strLastParam = param;
    if (m_strSwitch.IsEmpty() && !param.IsEmpty())
    {
        m_strSwitch = "O";
        m_nShellCommand = CCommandLineInfo::FileOpen;
    }
    if (m_strSwitch == "O" || m_strSwitch == "o")
        m_strFileName = param;
}
