// The editor's per-user settings: every section and key it reads or writes is named once here, with the
// type and default of its value. Without an application object the profile reads as the defaults and
// keeps nothing.
#pragma once

#include "framework/win/Framework.h"

struct CProfileNumber
{
    const char* section;
    const char* key;
    int fallback;
};

struct CProfileText
{
    const char* section;
    const char* key;
};

int GetProfileValue(const CProfileNumber& setting);
void SetProfileValue(const CProfileNumber& setting, int value);
CString GetProfileValue(const CProfileText& setting);
void SetProfileValue(const CProfileText& setting, const char* value);

namespace EditorProfile
{
// Where the programs are, for the programs that start them.
constexpr CProfileText INSTALL_FOLDER{"SETTINGS", "INSTALLDIR"};
constexpr CProfileText APP_FOLDER{"SETTINGS", "APP_PATH"};
constexpr CProfileText EDITOR_PATH{"SETTINGS", "CREATOR_PATHNAME"};
constexpr CProfileText PLAYER_PATH{"SETTINGS", "PLAYER_PATHNAME"};
constexpr CProfileText PLAYER_LIBRARY_PATH{"SETTINGS", "PLAYERDLL_PATHNAME"};
// The day of the last update check.
constexpr CProfileText UPDATE_CHECK_DAY{"Settings", "UPGRADECHECK"};
// Non-zero: the image-size notice is not shown again.
constexpr CProfileNumber HIDE_IMAGE_INFO{"SETTINGS", "DI_SHOWIMAGEINFO", 0};
// The slide editor's grid.
constexpr CProfileNumber GRID{"SETTINGS", "GRID", 1};
// Non-zero: the welcome dialog is not shown at start.
constexpr CProfileNumber HIDE_WELCOME{"SETTINGS", "TUTOR-MSG-DI", 0};
// The tip of the day: non-zero when it is not shown at start, the next tip's place in the tips file and
// the time stamp of the file that place belongs to.
constexpr CProfileNumber TIP_OFF_AT_START{"Tip", "StartUp", 0};
constexpr CProfileNumber TIP_POSITION{"Tip", "FilePos", 0};
constexpr CProfileText TIP_FILE_STAMP{"Tip", "TimeStamp"};
// The last project's folder and the contact details new projects start with.
constexpr CProfileText PROJECT_FOLDER{"PROJECT", "FOLDER"};
constexpr CProfileText PROJECT_WEB{"PROJECT", "PROJECT"};
constexpr CProfileText PROJECT_MAIL{"PROJECT", "MAIL"};
constexpr CProfileText PROJECT_COPYRIGHT{"PROJECT", "COPYRIGHT"};
constexpr CProfileText PROJECT_COMPANY{"PROJECT", "COMPANY"};
}   // namespace EditorProfile
