// Everything about a project that is not a slide: folder, player window, colour, title, icon, sound, show
// control, contact lines, end program and the version information of a compiled player. A few values
// also live in the editor's profile (section PROJECT), so that a new project starts with the user's last
// folder, addresses and company.
#pragma once

#include "framework/win/Framework.h"

class CProjectSettings : public CObject
{
    DECLARE_DYNAMIC(CProjectSettings)
public:
    // Every project's pack has this name in its folder.
    static constexpr char PACK_NAME[] = "VEXUL.VXL";
    enum
    {
        // The longest pack path: the editor's temporary files and backups beside the pack must still fit a
        // path. The folder leaves room for "\" and the pack's name below it.
        MAX_PACK_PATH = MAX_PATH - 13,
        MAX_FOLDER_LENGTH = MAX_PACK_PATH - 1 - static_cast<int>(sizeof(PACK_NAME) - 1),
        CONTACT_LINES = 6,
        VERSION_NUMBERS = 4,
        // Auto exit: after the last slide, when the sound file is over, by the user.
        EXIT_AFTER_LAST_SLIDE = 0,
        EXIT_WHEN_SOUND_ENDS = 1,
        EXIT_BY_USER = 2,
        // The player window is this much larger than a slide.
        WINDOW_EXTRA_WIDTH = 2,
        WINDOW_EXTRA_HEIGHT = 14,
    };

    CProjectSettings();

    // The values of a new project, then the profile's values.
    void Reset();
    void LoadFromProfile();
    void SaveToProfile() const;
    // Sets the folder and remembers it in the profile.
    void SetFolder(const char* folder);
    const CString& GetFolder() const { return m_strFolder; }
    void CopyFrom(const CProjectSettings& other);

    // An endless loop can only be ended by the user, and neither can a sound that repeats forever:
    // both turn "when the sound file is over" into "by the user".
    void ApplyTerminationRules();

    void SetWindow(int width, int height, int desktopMode, const char* title, COLORREF colour, const char* icon);
    void GetWindow(int& width, int& height, int& desktopMode, CString& title, COLORREF& colour,
                   CString& icon) const;
    void SetTermination(int autoExit, int loop, int advanceMode);
    void GetTermination(int& autoExit, int& loop, int& advanceMode) const;
    void SetSound(int on, const char* file, int repeat);
    void GetSound(int& on, CString& file, int& repeat) const;
    void SetAutostart(int on, const char* file);
    void GetAutostart(int& on, CString& file) const;
    void SetContact(int on, const char* mail, const char* web, const CString (&lines)[CONTACT_LINES]);
    void GetContact(int& on, CString& mail, CString& web, CString (&lines)[CONTACT_LINES]) const;
    void SetFileInfo(int on, const int (&numbers)[VERSION_NUMBERS], const char* copyright, const char* description,
                     const char* company, const char* productVersion);
    void GetFileInfo(int& on, int (&numbers)[VERSION_NUMBERS], CString& copyright, CString& description,
                     CString& company, CString& productVersion) const;

    CString m_strVersion;
    CString m_strFolder;
    int m_nWindowHeight;
    int m_nWindowWidth;
    int m_nDesktopMode;
    CString m_strTitle;
    COLORREF m_crBackground;
    CString m_strIconFile;
    int m_nAutoExit;
    int m_nLoop;
    int m_nSoundOn;
    CString m_strSoundFile;
    int m_nRepeatSound;
    int m_nAutostartOn;
    CString m_strAutostartFile;
    int m_nContactOn;
    CString m_strContactMail;
    CString m_strContactWeb;
    CString m_strContactLine[CONTACT_LINES];
    int m_nFileInfoOn;
    int m_nFileVersion[VERSION_NUMBERS];
    CString m_strCopyright;
    CString m_strDescription;
    CString m_strCompany;
    CString m_strProductVersion;
    int m_nAdvanceMode;

private:
    CProjectSettings(const CProjectSettings&) = delete;
    CProjectSettings& operator=(const CProjectSettings&) = delete;
};
