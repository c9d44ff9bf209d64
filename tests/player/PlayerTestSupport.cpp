#include "PlayerTestSupport.h"

#include "show/ProjectPack.h"

#include <cstdio>

namespace playertest
{

std::string MakeShowText(const ShowSpec& show)
{
    char line[512];
    std::string t = "\r\n";
    auto section = [&](const char* name)
    {
        t += "\r\n[";
        t += name;
        t += "]\r\n";
    };
    auto key = [&](const char* k, const std::string& v)
    {
        t += k;
        t += "=";
        t += v;
        t += "\r\n";
    };
    auto keyInt = [&](const char* k, int v)
    {
        std::snprintf(line, sizeof(line), "%d", v);
        key(k, line);
    };
    section("SHOW");
    key("VERSION", "020000");
    section("WINDOW");
    keyInt("WIDTH", show.width);
    keyInt("HEIGHT", show.height);
    keyInt("DESKTOP", show.desktop);
    key("TITLE", show.title);
    key("ICON", "");
    section("SLIDE");
    keyInt("WIDTH", show.width - 2);
    keyInt("HEIGHT", show.height - 14);
    keyInt("OPTION", 1);
    section("BACKGROUND");
    std::snprintf(line, sizeof(line), "#%02x%02x%02x", GetRValue(show.background), GetGValue(show.background),
                  GetBValue(show.background));
    key("COLOR", line);
    section("SOUND");
    keyInt("ENABLE", show.sound.empty() ? 0 : 1);
    key("FILE", show.sound);
    keyInt("REPEAT", 0);
    section("TERMINATION");
    keyInt("AUTOEXIT", show.autoExit);
    keyInt("LOOP", show.loop);
    section("SHOWCTRL");
    keyInt("ADVANCE", show.advance);
    section("CONTACT");
    keyInt("ENABLE", show.contact);
    for (int i = 0; i < static_cast<int>(show.slides.size()); ++i)
    {
        const SlideSpec& s = show.slides[i];
        std::snprintf(line, sizeof(line), "SHEET%02d", i);
        section(line);
        key("IMAGE-FILE", s.image);
        key("FADE_IN", s.fadeIn);
        key("FADE_OUT", s.fadeOut);
        keyInt("DELAY", s.delay);
        keyInt("FADESPEED", s.fadeSpeed);
        t += s.objects;
    }
    section("AUTOSTART");
    keyInt("ENABLE", show.autostart);
    key("FILE", show.autostartFile);
    t += "\r\n  ";
    return t;
}

Bytes MakePack(const std::string& showText, const std::vector<PackEntry>& entries)
{
    CProjectPack pack;
    pack.AddData("VEXUL.INI", showText.data(), static_cast<int>(showText.size()));
    for (const PackEntry& e : entries)
        pack.AddData(e.name.c_str(), e.data.data(), static_cast<int>(e.data.size()));
    char file[MAX_PATH] = {};
    GetTempFileNameA(TempFolderPath().c_str(), "vxp", 0, file);
    Bytes bytes;
    if (pack.OpenForWrite(file, "020000") && pack.Write() && pack.Close())
        bytes = ReadFileBytes(file);
    DeleteFileA(file);
    return bytes;
}

Bytes MakeColourShowPack(ShowSpec show, const std::vector<COLORREF>& colours)
{
    std::vector<PackEntry> entries;
    for (size_t i = 0; i < colours.size(); ++i)
    {
        std::string name = "slide" + std::to_string(i) + ".bmp";
        if (i >= show.slides.size())
            show.slides.push_back(SlideSpec());
        show.slides[i].image = name;
        entries.push_back({name, MakeSolidBmp(show.width - 2, show.height - 14, colours[i])});
    }
    return MakePack(MakeShowText(show), entries);
}

std::string PlayerExePath()
{
    std::string dir = BinaryDir();
    if (dir.empty())
        return dir;
    return dir + "\\player\\Vexul.exe";
}

}   // namespace playertest
