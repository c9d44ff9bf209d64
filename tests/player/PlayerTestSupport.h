// Test data for the player's tests: show texts and packs of pictures, and the player of the build.
#pragma once

#include "framework/win/Framework.h"
#include "support/GifFile.h"
#include "support/BmpFile.h"
#include "support/win_DibSurface.h"
#include "support/win_TestFiles.h"

#include <string>
#include <vector>

namespace playertest
{

typedef std::vector<BYTE> Bytes;

// One slide of a show text.
struct SlideSpec
{
    std::string image;   // pack entry name of the background
    std::string fadeIn = "NONE";
    std::string fadeOut = "NONE";
    int delay = 3000;
    int fadeSpeed = 1;
    std::string objects;   // extra lines of the section (objects), each ending in "\r\n"
};

// Show-wide settings of a show text.
struct ShowSpec
{
    int width = 320;
    int height = 240;
    int desktop = 0;
    std::string title = "Test Show";
    COLORREF background = RGB(0, 0, 0);
    int autoExit = 0;
    int loop = 0;
    int advance = 0;
    std::string sound;
    int autostart = 0;
    std::string autostartFile;
    int contact = 0;
    std::vector<SlideSpec> slides;   // written as SHEET00, SHEET01, ...
};

std::string MakeShowText(const ShowSpec& show);

// A pack file's bytes with the show text as "VEXUL.INI" and further entries.
struct PackEntry
{
    std::string name;
    Bytes data;
};
Bytes MakePack(const std::string& showText, const std::vector<PackEntry>& entries);
// A show of solid-colour BMP slides named slideN.bmp, of the show's slide size.
Bytes MakeColourShowPack(ShowSpec show, const std::vector<COLORREF>& colours);

// The player program of the build, as a Windows path; empty when the environment does not say.
std::string PlayerExePath();

}   // namespace playertest
