// The show text ("VEXUL.INI" in the pack): its sections, keys, defaults and write order, shared by the
// show's reader and writer and the slide objects. The text itself is a settings text (show/SettingsFile.h):
// a key is found by substring search within its section, so within a section every key that is the tail
// of a longer key (DELAY of TEXT00_DELAY) must be written before it: a slide's own keys come before its
// objects' keys.
#pragma once

#include "framework/core/Core.h"

namespace ShowText
{

// The pack entry that holds the show text.
inline constexpr char ENTRY_NAME[] = "VEXUL.INI";

// Values of the show's maker written into every show (SHOW INTERNET-1, INTERNET-2, EMAIL).
inline constexpr char MAKER_WEB_1[] = "http://www.vexul.example";
inline constexpr char MAKER_WEB_2[] = "http://www.vexul.example/shows";
inline constexpr char MAKER_EMAIL[] = "info@vexul.example";

namespace Show
{
inline constexpr char SECTION[] = "SHOW";
inline constexpr char KEY_INTERNET_1[] = "INTERNET-1";   // written, never read
inline constexpr char KEY_INTERNET_2[] = "INTERNET-2";   // written, never read
inline constexpr char KEY_EMAIL[] = "EMAIL";             // written, never read
inline constexpr char KEY_VERSION[] = "VERSION";         // "%02d%02d%02d" of the writing editor
inline constexpr char DEF_VERSION[] = "";
}   // namespace Show

namespace Window
{
inline constexpr char SECTION[] = "WINDOW";
inline constexpr char KEY_WIDTH[] = "WIDTH";
inline constexpr char KEY_HEIGHT[] = "HEIGHT";
inline constexpr char KEY_DESKTOP[] = "DESKTOP";
inline constexpr char KEY_TITLE[] = "TITLE";
inline constexpr char KEY_ICON[] = "ICON";
inline constexpr int DEF_WIDTH = 0;
inline constexpr int DEF_HEIGHT = 0;
inline constexpr int DEF_DESKTOP = 0;
inline constexpr char DEF_TITLE[] = "Vexul";
inline constexpr char DEF_ICON[] = "";
// The reader holds the window to these sizes.
inline constexpr int MIN_WIDTH = 40;
inline constexpr int MAX_WIDTH = 640;
inline constexpr int MIN_HEIGHT = 30;
inline constexpr int MAX_HEIGHT = 480;
}   // namespace Window

namespace Slide
{
inline constexpr char SECTION[] = "SLIDE";
inline constexpr char KEY_WIDTH[] = "WIDTH";
inline constexpr char KEY_HEIGHT[] = "HEIGHT";
inline constexpr char KEY_OPTION[] = "OPTION";
inline constexpr int DEF_WIDTH = 638;
inline constexpr int DEF_HEIGHT = 466;
inline constexpr int DEF_OPTION = 1;
// A slide is the window less these margins.
inline constexpr int WIDTH_MARGIN = 2;
inline constexpr int HEIGHT_MARGIN = 14;
}   // namespace Slide

namespace Background
{
inline constexpr char SECTION[] = "BACKGROUND";
inline constexpr char KEY_COLOR[] = "COLOR";
inline constexpr COLORREF DEF_COLOR = RGB(0, 0, 0);
}   // namespace Background

namespace Sound
{
inline constexpr char SECTION[] = "SOUND";
inline constexpr char KEY_ENABLE[] = "ENABLE";   // written, not read: sound is on when FILE is set
inline constexpr char KEY_FILE[] = "FILE";
inline constexpr char KEY_REPEAT[] = "REPEAT";
inline constexpr char DEF_FILE[] = "";
inline constexpr int DEF_REPEAT = 0;
}   // namespace Sound

namespace Termination
{
inline constexpr char SECTION[] = "TERMINATION";
inline constexpr char KEY_AUTOEXIT[] = "AUTOEXIT";
inline constexpr char KEY_LOOP[] = "LOOP";
inline constexpr int DEF_AUTOEXIT = 0;
inline constexpr int DEF_LOOP = 0;
// AUTOEXIT: 0 ends after the last slide.
inline constexpr int AUTOEXIT_AFTER_SOUND = 1;
inline constexpr int AUTOEXIT_BY_USER = 2;
// LOOP: any other value starts the show again.
inline constexpr int LOOP_ONCE = 0;
}   // namespace Termination

namespace ShowCtrl
{
inline constexpr char SECTION[] = "SHOWCTRL";
inline constexpr char KEY_ADVANCE[] = "ADVANCE";
inline constexpr int DEF_ADVANCE = 0;
// ADVANCE: 0 goes on by the slides' times.
inline constexpr int ADVANCE_MANUALLY = 1;
}   // namespace ShowCtrl

namespace Contact
{
inline constexpr char SECTION[] = "CONTACT";
inline constexpr char KEY_ENABLE[] = "ENABLE";
inline constexpr char KEY_LINE1[] = "LINE1";
inline constexpr char KEY_LINE2[] = "LINE2";
inline constexpr char KEY_LINE3[] = "LINE3";
inline constexpr char KEY_LINE4[] = "LINE4";
inline constexpr char KEY_LINE5[] = "LINE5";
inline constexpr char KEY_LINE6[] = "LINE6";
inline constexpr char KEY_INTERNET[] = "INTERNET";
inline constexpr char KEY_EMAIL[] = "EMAIL";
inline constexpr int LINE_COUNT = 6;
inline constexpr const char* LINES[LINE_COUNT] = {KEY_LINE1, KEY_LINE2, KEY_LINE3,
                                                  KEY_LINE4, KEY_LINE5, KEY_LINE6};
inline constexpr int DEF_ENABLE = 0;
inline constexpr char DEF_LINE[] = "";
inline constexpr char DEF_INTERNET[] = "";
inline constexpr char DEF_EMAIL[] = "";
}   // namespace Contact

namespace FileInfo
{
inline constexpr char SECTION[] = "FILEINFO";
inline constexpr char KEY_ENABLE[] = "ENABLE";
inline constexpr char KEY_V1[] = "V1";
inline constexpr char KEY_V2[] = "V2";
inline constexpr char KEY_V3[] = "V3";
inline constexpr char KEY_V4[] = "V4";
inline constexpr char KEY_COPYRIGHT[] = "COPYRIGHT";
inline constexpr char KEY_DESCRIPTION[] = "DESCRIPTION";
inline constexpr char KEY_COMPANY[] = "COMPANY";
inline constexpr char KEY_VERSION[] = "VERSION";
inline constexpr int VERSION_COUNT = 4;
inline constexpr const char* VERSIONS[VERSION_COUNT] = {KEY_V1, KEY_V2, KEY_V3, KEY_V4};
inline constexpr int DEF_VERSIONS[VERSION_COUNT] = {1, 0, 0, 0};
inline constexpr int DEF_ENABLE = 0;
inline constexpr char DEF_COPYRIGHT[] = "";
inline constexpr char DEF_DESCRIPTION[] = "";
inline constexpr char DEF_COMPANY[] = "";
inline constexpr char DEF_VERSION[] = "";
}   // namespace FileInfo

namespace AutoStart
{
inline constexpr char SECTION[] = "AUTOSTART";
inline constexpr char KEY_ENABLE[] = "ENABLE";
inline constexpr char KEY_FILE[] = "FILE";
inline constexpr int DEF_ENABLE = 0;
inline constexpr char DEF_FILE[] = "";
}   // namespace AutoStart

// One section per slide with a background image: "SHEET%02d" of the slide's index.
namespace Sheet
{
inline constexpr char SECTION_FORMAT[] = "SHEET%02d";
inline constexpr int COUNT = 40;
inline constexpr char KEY_IMAGE_FILE[] = "IMAGE-FILE";
inline constexpr char KEY_FADE_IN[] = "FADE_IN";
inline constexpr char KEY_FADE_OUT[] = "FADE_OUT";
inline constexpr char KEY_DELAY[] = "DELAY";
inline constexpr char KEY_FADESPEED[] = "FADESPEED";
inline constexpr char DEF_IMAGE_FILE[] = "";
inline constexpr char DEF_EFFECT[] = "NONE";
inline constexpr int DEF_DELAY = 3000;
inline constexpr int DEF_FADESPEED = 1;
// Object n of the slide: OBJ%02d = "TEXT%02d", "IMAGE%02d" or "FRAME%02d" with the same n.
inline constexpr char OBJ_FORMAT[] = "OBJ%02d";
inline constexpr int MAX_OBJECTS = 50;
}   // namespace Sheet

// Object kinds, as the object slots number them.
enum ObjectKind
{
    KIND_NONE = 0,
    KIND_TEXT = 1,
    KIND_IMAGE = 2,
    KIND_FRAME = 3
};

// Text object keys, prefix "TEXT%02d_".
namespace Text
{
inline constexpr char NAME[] = "TEXT";
inline constexpr char KEY_X[] = "X";
inline constexpr char KEY_Y[] = "Y";
inline constexpr char KEY_TEXT[] = "TEXT";
inline constexpr char KEY_FONTNAME[] = "FONTNAME";
inline constexpr char KEY_FONTSIZE[] = "FONTSIZE";
inline constexpr char KEY_FONTWEIGHT[] = "FONTWEIGHT";
inline constexpr char KEY_ITALIC[] = "ITALIC";
inline constexpr char KEY_UNDERLINE[] = "UNDERLINE";
inline constexpr char KEY_COLOR[] = "COLOR";
inline constexpr char KEY_EFFECT[] = "EFFECT";
inline constexpr char KEY_DELAY[] = "DELAY";
inline constexpr char KEY_ANIMATION[] = "ANIMATION";
inline constexpr char KEY_FONTTYPE[] = "FONTTYPE";
inline constexpr int DEF_X = 0;
inline constexpr int DEF_Y = 0;
inline constexpr char DEF_TEXT[] = "";
inline constexpr char DEF_FONTNAME[] = "ARIAL";
inline constexpr int DEF_FONTSIZE = 20;
inline constexpr char DEF_FONTWEIGHT[] = "BOLD";
inline constexpr int DEF_ITALIC = 0;
inline constexpr int DEF_UNDERLINE = 0;
inline constexpr int DEF_EFFECT = 0;
inline constexpr int DEF_DELAY = 1000;
inline constexpr char DEF_ANIMATION[] = "NONE";
inline constexpr int DEF_FONTTYPE = 0;   // 0: size in pixels, 1: in points
inline constexpr const char* WRITE_ORDER[] = {
    KEY_X,         KEY_Y,     KEY_TEXT,   KEY_FONTNAME, KEY_FONTSIZE,  KEY_FONTWEIGHT, KEY_ITALIC,
    KEY_UNDERLINE, KEY_COLOR, KEY_EFFECT, KEY_DELAY,    KEY_ANIMATION, KEY_FONTTYPE};
}   // namespace Text

// Rectangle object keys, prefix "FRAME%02d_".
namespace Frame
{
inline constexpr char NAME[] = "FRAME";
inline constexpr char KEY_X[] = "X";
inline constexpr char KEY_Y[] = "Y";
inline constexpr char KEY_WIDTH[] = "WIDTH";
inline constexpr char KEY_HEIGHT[] = "HEIGHT";
inline constexpr char KEY_DELAY[] = "DELAY";
inline constexpr char KEY_FILLMODE[] = "FILLMODE";
inline constexpr char KEY_LIGHT[] = "LIGHT";
inline constexpr char KEY_BLUE[] = "BLUE";
inline constexpr char KEY_GREEN[] = "GREEN";
inline constexpr char KEY_RED[] = "RED";
inline constexpr char KEY_FRAME[] = "FRAME";
inline constexpr char KEY_FILLCOLOR[] = "FILLCOLOR";
inline constexpr char KEY_FRAMECOLOR[] = "FRAMECOLOR";
inline constexpr char KEY_ANIMATION[] = "ANIMATION";
inline constexpr char KEY_ANISPEED[] = "ANISPEED";
inline constexpr int DEF_X = 0;
inline constexpr int DEF_Y = 0;
inline constexpr int DEF_WIDTH = 0;
inline constexpr int DEF_HEIGHT = 0;
inline constexpr int DEF_DELAY = 1000;
inline constexpr int DEF_FILLMODE = 1;
inline constexpr int DEF_LIGHT = 1;
inline constexpr int DEF_BLUE = 1;
inline constexpr int DEF_GREEN = 1;
inline constexpr int DEF_RED = 1;
inline constexpr int DEF_FRAME = 1;
inline constexpr char DEF_ANIMATION[] = "NONE";
inline constexpr int DEF_ANISPEED = 1000;
inline constexpr const char* WRITE_ORDER[] = {
    KEY_X,     KEY_Y,   KEY_WIDTH, KEY_HEIGHT,    KEY_DELAY,      KEY_FILLMODE,  KEY_LIGHT,   KEY_BLUE,
    KEY_GREEN, KEY_RED, KEY_FRAME, KEY_FILLCOLOR, KEY_FRAMECOLOR, KEY_ANIMATION, KEY_ANISPEED};
}   // namespace Frame

// Image object keys, prefix "IMAGE%02d_". TRANSPCOLOR is written "#" + "%06X" (upper case) and read
// back with upper-case digits only (HtmlToColor); the other colour keys are "#%06x".
namespace Image
{
inline constexpr char NAME[] = "IMAGE";
inline constexpr char KEY_X[] = "X";
inline constexpr char KEY_Y[] = "Y";
inline constexpr char KEY_FILE[] = "FILE";
inline constexpr char KEY_DELAY[] = "DELAY";
inline constexpr char KEY_ANIMATION[] = "ANIMATION";
inline constexpr char KEY_ANISPEED[] = "ANISPEED";
inline constexpr char KEY_TRANSPARENT[] = "TRANSPARENT";
inline constexpr char KEY_TRANSPCOLOR[] = "TRANSPCOLOR";
inline constexpr int DEF_X = 0;
inline constexpr int DEF_Y = 0;
inline constexpr char DEF_FILE[] = "";
inline constexpr int DEF_DELAY = 1000;
inline constexpr char DEF_ANIMATION[] = "NONE";
inline constexpr int DEF_ANISPEED = 1000;
inline constexpr int DEF_TRANSPARENT = 0;
inline constexpr const char* WRITE_ORDER[] = {KEY_X,         KEY_Y,        KEY_FILE,        KEY_DELAY,
                                              KEY_ANIMATION, KEY_ANISPEED, KEY_TRANSPARENT, KEY_TRANSPCOLOR};
}   // namespace Image

// Key write order of the show-wide sections.
inline constexpr const char* SHOW_WRITE_ORDER[] = {Show::KEY_INTERNET_1, Show::KEY_INTERNET_2, Show::KEY_EMAIL,
                                                   Show::KEY_VERSION};
inline constexpr const char* WINDOW_WRITE_ORDER[] = {Window::KEY_WIDTH, Window::KEY_HEIGHT, Window::KEY_DESKTOP,
                                                     Window::KEY_TITLE, Window::KEY_ICON};
inline constexpr const char* SLIDE_WRITE_ORDER[] = {Slide::KEY_WIDTH, Slide::KEY_HEIGHT, Slide::KEY_OPTION};
inline constexpr const char* SOUND_WRITE_ORDER[] = {Sound::KEY_ENABLE, Sound::KEY_FILE, Sound::KEY_REPEAT};
inline constexpr const char* TERMINATION_WRITE_ORDER[] = {Termination::KEY_AUTOEXIT, Termination::KEY_LOOP};
inline constexpr const char* CONTACT_WRITE_ORDER[] = {
    Contact::KEY_ENABLE, Contact::KEY_LINE1, Contact::KEY_LINE2,    Contact::KEY_LINE3, Contact::KEY_LINE4,
    Contact::KEY_LINE5,  Contact::KEY_LINE6, Contact::KEY_INTERNET, Contact::KEY_EMAIL};
inline constexpr const char* FILEINFO_WRITE_ORDER[] = {
    FileInfo::KEY_ENABLE,      FileInfo::KEY_V1,      FileInfo::KEY_V2,
    FileInfo::KEY_V3,          FileInfo::KEY_V4,      FileInfo::KEY_COPYRIGHT,
    FileInfo::KEY_DESCRIPTION, FileInfo::KEY_COMPANY, FileInfo::KEY_VERSION};
inline constexpr const char* AUTOSTART_WRITE_ORDER[] = {AutoStart::KEY_ENABLE, AutoStart::KEY_FILE};
// A slide section: its own keys, then OBJ%02d and the keys of each object in turn.
inline constexpr const char* SHEET_WRITE_ORDER[] = {Sheet::KEY_IMAGE_FILE, Sheet::KEY_FADE_IN, Sheet::KEY_FADE_OUT,
                                                    Sheet::KEY_DELAY, Sheet::KEY_FADESPEED};

// Sections in write order; the slide sections stand in place of the "SHEET%02d" format.
inline constexpr const char* SECTION_WRITE_ORDER[] = {
    Show::SECTION,     Window::SECTION,       Slide::SECTION,     Background::SECTION,
    Sound::SECTION,    Termination::SECTION,  ShowCtrl::SECTION,  Contact::SECTION,
    FileInfo::SECTION, Sheet::SECTION_FORMAT, AutoStart::SECTION,
};

// "SHEET%02d" of a slide index.
CString SheetSection(int slide);
// "OBJ%02d" of an object number.
CString ObjectSlotKey(int number);
// The OBJ value of an object: "TEXT%02d", "IMAGE%02d" or "FRAME%02d"; empty for another kind.
CString ObjectValue(int kind, int number);
// The key of an object's value: "TEXT%02d_" + key and so on; empty for another kind.
CString ObjectKey(int kind, int number, const char* key);
// The kind an OBJ value names (KIND_NONE for anything else) and the number in its last two characters
// (read as a decimal number: "TEXT" alone gives 0). Values of 2 characters or fewer come from shows
// written before object slots existed: KIND_NONE, and the caller looks for "TEXT%02d_TEXT" itself.
int ParseObjectValue(const char* value, int& number);
BOOL IsLegacyObjectValue(const char* value);

// The window size as the reader holds it, and the slide size it gives.
int ClampWindowWidth(int width);
int ClampWindowHeight(int height);
int SlideWidthOfWindow(int windowWidth);
int SlideHeightOfWindow(int windowHeight);

}   // namespace ShowText
