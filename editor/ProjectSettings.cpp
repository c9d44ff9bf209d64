#include "editor/ProjectSettings.h"

#include "editor/EditorProfile.h"
#include "show/ShowData.h"

IMPLEMENT_DYNAMIC(CProjectSettings, CObject)

namespace
{

const COLORREF DEFAULT_BACKGROUND = RGB(0x3A, 0x6E, 0xA5);

}   // namespace

CProjectSettings::CProjectSettings()
{
    // The table's values; only Reset reads the profile.
    m_nWindowHeight = 480;
    m_nWindowWidth = 640;
    m_nDesktopMode = 0;
    m_strTitle = "Vexul";
    m_crBackground = DEFAULT_BACKGROUND;
    m_nAutoExit = EXIT_AFTER_LAST_SLIDE;
    m_nLoop = 0;
    m_nSoundOn = 0;
    m_nRepeatSound = 0;
    m_nAutostartOn = 0;
    m_nContactOn = 0;
    m_nFileInfoOn = 0;
    m_nFileVersion[0] = 1;
    m_nFileVersion[1] = m_nFileVersion[2] = m_nFileVersion[3] = 0;
    m_strProductVersion = "1.0.0.0";
    m_nAdvanceMode = 0;
}

void CProjectSettings::Reset()
{
    // Everything but the version text, which belongs to whoever writes the project.
    CString version = m_strVersion;
    CProjectSettings fresh;
    CopyFrom(fresh);
    m_strVersion = version;
    LoadFromProfile();
}

void CProjectSettings::LoadFromProfile()
{
    m_strFolder = GetProfileValue(EditorProfile::PROJECT_FOLDER);
    m_strContactWeb = GetProfileValue(EditorProfile::PROJECT_WEB);
    m_strContactMail = GetProfileValue(EditorProfile::PROJECT_MAIL);
    m_strCopyright = GetProfileValue(EditorProfile::PROJECT_COPYRIGHT);
    m_strCompany = GetProfileValue(EditorProfile::PROJECT_COMPANY);
}

void CProjectSettings::SaveToProfile() const
{
    SetProfileValue(EditorProfile::PROJECT_FOLDER, m_strFolder);
    SetProfileValue(EditorProfile::PROJECT_WEB, m_strContactWeb);
    SetProfileValue(EditorProfile::PROJECT_MAIL, m_strContactMail);
    SetProfileValue(EditorProfile::PROJECT_COPYRIGHT, m_strCopyright);
    SetProfileValue(EditorProfile::PROJECT_COMPANY, m_strCompany);
}

void CProjectSettings::SetFolder(const char* folder)
{
    m_strFolder = folder;
    SetProfileValue(EditorProfile::PROJECT_FOLDER, m_strFolder);
}

void CProjectSettings::CopyFrom(const CProjectSettings& other)
{
    if (&other == this)
        return;
    m_strVersion = other.m_strVersion;
    m_strFolder = other.m_strFolder;
    m_nWindowHeight = other.m_nWindowHeight;
    m_nWindowWidth = other.m_nWindowWidth;
    m_nDesktopMode = other.m_nDesktopMode;
    m_strTitle = other.m_strTitle;
    m_crBackground = other.m_crBackground;
    m_strIconFile = other.m_strIconFile;
    m_nAutoExit = other.m_nAutoExit;
    m_nLoop = other.m_nLoop;
    m_nSoundOn = other.m_nSoundOn;
    m_strSoundFile = other.m_strSoundFile;
    m_nRepeatSound = other.m_nRepeatSound;
    m_nAutostartOn = other.m_nAutostartOn;
    m_strAutostartFile = other.m_strAutostartFile;
    m_nContactOn = other.m_nContactOn;
    m_strContactMail = other.m_strContactMail;
    m_strContactWeb = other.m_strContactWeb;
    for (int i = 0; i < CONTACT_LINES; i++)
        m_strContactLine[i] = other.m_strContactLine[i];
    m_nFileInfoOn = other.m_nFileInfoOn;
    for (int i = 0; i < VERSION_NUMBERS; i++)
        m_nFileVersion[i] = other.m_nFileVersion[i];
    m_strCopyright = other.m_strCopyright;
    m_strDescription = other.m_strDescription;
    m_strCompany = other.m_strCompany;
    m_strProductVersion = other.m_strProductVersion;
    m_nAdvanceMode = other.m_nAdvanceMode;
}

void CProjectSettings::ApplyTerminationRules()
{
    if (m_nLoop == 1)
        m_nAutoExit = EXIT_BY_USER;
    if (m_nRepeatSound && m_nAutoExit == EXIT_WHEN_SOUND_ENDS)
        m_nAutoExit = EXIT_BY_USER;
}

void CProjectSettings::SetWindow(int width, int height, int desktopMode, const char* title, COLORREF colour,
                                 const char* icon)
{
    m_nWindowWidth = width;
    m_nWindowHeight = height;
    m_nDesktopMode = desktopMode;
    m_strTitle = title;
    m_crBackground = colour;
    m_strIconFile = icon;
}

void CProjectSettings::GetWindow(int& width, int& height, int& desktopMode, CString& title, COLORREF& colour,
                                 CString& icon) const
{
    width = m_nWindowWidth;
    height = m_nWindowHeight;
    desktopMode = m_nDesktopMode;
    title = m_strTitle;
    colour = m_crBackground;
    icon = m_strIconFile;
}

void CProjectSettings::SetTermination(int autoExit, int loop, int advanceMode)
{
    m_nAutoExit = autoExit;
    m_nLoop = loop;
    m_nAdvanceMode = advanceMode;
}

void CProjectSettings::GetTermination(int& autoExit, int& loop, int& advanceMode) const
{
    autoExit = m_nAutoExit;
    loop = m_nLoop;
    advanceMode = m_nAdvanceMode;
}

void CProjectSettings::SetSound(int on, const char* file, int repeat)
{
    m_nSoundOn = on;
    m_strSoundFile = file;
    m_nRepeatSound = repeat;
}

void CProjectSettings::GetSound(int& on, CString& file, int& repeat) const
{
    on = m_nSoundOn;
    file = m_strSoundFile;
    repeat = m_nRepeatSound;
}

void CProjectSettings::SetAutostart(int on, const char* file)
{
    m_nAutostartOn = on;
    m_strAutostartFile = file;
}

void CProjectSettings::GetAutostart(int& on, CString& file) const
{
    on = m_nAutostartOn;
    file = m_strAutostartFile;
}

void CProjectSettings::SetContact(int on, const char* mail, const char* web, const CString (&lines)[CONTACT_LINES])
{
    m_nContactOn = on;
    m_strContactMail = mail;
    m_strContactWeb = web;
    for (int i = 0; i < CONTACT_LINES; i++)
        m_strContactLine[i] = lines[i];
}

void CProjectSettings::GetContact(int& on, CString& mail, CString& web, CString (&lines)[CONTACT_LINES]) const
{
    on = m_nContactOn;
    mail = m_strContactMail;
    web = m_strContactWeb;
    for (int i = 0; i < CONTACT_LINES; i++)
        lines[i] = m_strContactLine[i];
}

void CProjectSettings::SetFileInfo(int on, const int (&numbers)[VERSION_NUMBERS], const char* copyright,
                                   const char* description, const char* company, const char* productVersion)
{
    m_nFileInfoOn = on;
    for (int i = 0; i < VERSION_NUMBERS; i++)
        m_nFileVersion[i] = numbers[i];
    m_strCopyright = copyright;
    m_strDescription = description;
    m_strCompany = company;
    m_strProductVersion = productVersion;
}

void CProjectSettings::GetFileInfo(int& on, int (&numbers)[VERSION_NUMBERS], CString& copyright,
                                   CString& description, CString& company, CString& productVersion) const
{
    on = m_nFileInfoOn;
    for (int i = 0; i < VERSION_NUMBERS; i++)
        numbers[i] = m_nFileVersion[i];
    copyright = m_strCopyright;
    description = m_strDescription;
    company = m_strCompany;
    productVersion = m_strProductVersion;
}

// The show model's side of the settings: the show carries every field but the folder.

static_assert(sizeof(CShowData::m_strContactLine) / sizeof(CString) == CProjectSettings::CONTACT_LINES,
              "one contact line each");
static_assert(sizeof(CShowData::m_nFileVersion) / sizeof(int) == CProjectSettings::VERSION_NUMBERS,
              "one version number each");

void CShowData::SetFromProjectSettings(const CProjectSettings& settings)
{
    m_strShowVersion = settings.m_strVersion;
    m_nWindowHeight = settings.m_nWindowHeight;
    m_nWindowWidth = settings.m_nWindowWidth;
    m_nDesktopMode = settings.m_nDesktopMode;
    m_strTitle = settings.m_strTitle;
    m_crBackground = settings.m_crBackground;
    m_strIconFile = settings.m_strIconFile;
    m_nAutoExit = settings.m_nAutoExit;
    m_nLoop = settings.m_nLoop;
    m_bSoundOn = settings.m_nSoundOn;
    m_strSoundFile = settings.m_strSoundFile;
    m_nRepeatSound = settings.m_nRepeatSound;
    m_nAutostartOn = settings.m_nAutostartOn;
    m_strAutostartFile = settings.m_strAutostartFile;
    m_nContactOn = settings.m_nContactOn;
    m_strContactMail = settings.m_strContactMail;
    m_strContactWeb = settings.m_strContactWeb;
    for (int i = 0; i < CProjectSettings::CONTACT_LINES; i++)
        m_strContactLine[i] = settings.m_strContactLine[i];
    m_nFileInfoOn = settings.m_nFileInfoOn;
    for (int i = 0; i < CProjectSettings::VERSION_NUMBERS; i++)
        m_nFileVersion[i] = settings.m_nFileVersion[i];
    m_strCopyright = settings.m_strCopyright;
    m_strDescription = settings.m_strDescription;
    m_strCompany = settings.m_strCompany;
    m_strProductVersion = settings.m_strProductVersion;
    m_nAdvanceMode = settings.m_nAdvanceMode;
    m_nSlideWidth = settings.m_nWindowWidth - CProjectSettings::WINDOW_EXTRA_WIDTH;
    m_nSlideHeight = settings.m_nWindowHeight - CProjectSettings::WINDOW_EXTRA_HEIGHT;
}

void CShowData::GetProjectSettings(CProjectSettings& settings) const
{
    settings.m_strVersion = m_strShowVersion;
    settings.m_nWindowHeight = m_nWindowHeight;
    settings.m_nWindowWidth = m_nWindowWidth;
    settings.m_nDesktopMode = m_nDesktopMode;
    settings.m_strTitle = m_strTitle;
    settings.m_crBackground = m_crBackground;
    settings.m_strIconFile = m_strIconFile;
    settings.m_nAutoExit = m_nAutoExit;
    settings.m_nLoop = m_nLoop;
    settings.m_nSoundOn = m_bSoundOn;
    settings.m_strSoundFile = m_strSoundFile;
    settings.m_nRepeatSound = m_nRepeatSound;
    settings.m_nAutostartOn = m_nAutostartOn;
    settings.m_strAutostartFile = m_strAutostartFile;
    settings.m_nContactOn = m_nContactOn;
    settings.m_strContactMail = m_strContactMail;
    settings.m_strContactWeb = m_strContactWeb;
    for (int i = 0; i < CProjectSettings::CONTACT_LINES; i++)
        settings.m_strContactLine[i] = m_strContactLine[i];
    settings.m_nFileInfoOn = m_nFileInfoOn;
    for (int i = 0; i < CProjectSettings::VERSION_NUMBERS; i++)
        settings.m_nFileVersion[i] = m_nFileVersion[i];
    settings.m_strCopyright = m_strCopyright;
    settings.m_strDescription = m_strDescription;
    settings.m_strCompany = m_strCompany;
    settings.m_strProductVersion = m_strProductVersion;
    settings.m_nAdvanceMode = m_nAdvanceMode;
}
