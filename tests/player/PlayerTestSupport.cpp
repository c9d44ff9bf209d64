#include "PlayerTestSupport.h"

#include "show/ProjectPack.h"

#include <algorithm>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <shellapi.h>

namespace playertest
{

namespace
{

void PutWord(Bytes& out, unsigned v)
{
    out.push_back(static_cast<BYTE>(v & 0xFF));
    out.push_back(static_cast<BYTE>((v >> 8) & 0xFF));
}

void PutDword(Bytes& out, unsigned v)
{
    PutWord(out, v & 0xFFFF);
    PutWord(out, v >> 16);
}

}   // namespace

Bytes MakeBmp(int width, int height, COLORREF colour)
{
    int stride = (width * 3 + 3) & ~3;
    Bytes out;
    out.push_back('B');
    out.push_back('M');
    PutDword(out, 14 + 40 + stride * height);
    PutDword(out, 0);
    PutDword(out, 14 + 40);
    PutDword(out, 40);
    PutDword(out, width);
    PutDword(out, height);
    PutWord(out, 1);
    PutWord(out, 24);
    PutDword(out, 0);
    PutDword(out, stride * height);
    PutDword(out, 2835);
    PutDword(out, 2835);
    PutDword(out, 0);
    PutDword(out, 0);
    for (int y = 0; y < height; ++y)
    {
        for (int x = 0; x < width; ++x)
        {
            out.push_back(GetBValue(colour));
            out.push_back(GetGValue(colour));
            out.push_back(GetRValue(colour));
        }
        for (int p = width * 3; p < stride; ++p)
            out.push_back(0);
    }
    return out;
}

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
    char temp[MAX_PATH] = {};
    GetTempPathA(sizeof(temp), temp);
    char file[MAX_PATH] = {};
    GetTempFileNameA(temp, "vxp", 0, file);
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
        entries.push_back({name, MakeBmp(show.width - 2, show.height - 14, colours[i])});
    }
    return MakePack(MakeShowText(show), entries);
}

BOOL WriteFileBytes(const std::string& path, const Bytes& bytes)
{
    FILE* f = std::fopen(path.c_str(), "wb");
    if (!f)
        return FALSE;
    size_t written = bytes.empty() ? 0 : std::fwrite(bytes.data(), 1, bytes.size(), f);
    std::fclose(f);
    return written == bytes.size();
}

Bytes ReadFileBytes(const std::string& path)
{
    Bytes bytes;
    FILE* f = std::fopen(path.c_str(), "rb");
    if (!f)
        return bytes;
    BYTE buffer[65536];
    size_t n;
    while ((n = std::fread(buffer, 1, sizeof(buffer), f)) > 0)
        bytes.insert(bytes.end(), buffer, buffer + n);
    std::fclose(f);
    return bytes;
}

std::string MakeTempFolder(const char* prefix)
{
    char temp[MAX_PATH] = {};
    GetTempPathA(sizeof(temp), temp);
    for (int i = 0; i < 1000; ++i)
    {
        std::string folder = std::string(temp) + prefix + std::to_string(GetCurrentProcessId()) + "_" +
                             std::to_string(GetTickCount()) + "_" + std::to_string(i);
        if (CreateDirectoryA(folder.c_str(), nullptr))
            return folder;
    }
    return std::string();
}

void RemoveFolder(const std::string& folder)
{
    if (folder.empty())
        return;
    WIN32_FIND_DATAA data;
    HANDLE find = FindFirstFileA((folder + "\\*").c_str(), &data);
    if (find != INVALID_HANDLE_VALUE)
    {
        do
        {
            std::string name = data.cFileName;
            if (name == "." || name == "..")
                continue;
            std::string path = folder + "\\" + name;
            if (data.dwFileAttributes & FILE_ATTRIBUTE_DIRECTORY)
                RemoveFolder(path);
            else
            {
                SetFileAttributesA(path.c_str(), FILE_ATTRIBUTE_NORMAL);
                DeleteFileA(path.c_str());
            }
        } while (FindNextFileA(find, &data));
        FindClose(find);
    }
    RemoveDirectoryA(folder.c_str());
}

std::string ToWindowsPath(const std::string& path)
{
    if (path.empty() || path[0] != '/')
        return path;
    std::string out = "Z:" + path;
    for (char& c : out)
        if (c == '/')
            c = '\\';
    return out;
}

std::string BinaryDir()
{
    const char* dir = std::getenv("VEXUL_BINARY_DIR");
    return dir ? ToWindowsPath(dir) : std::string();
}

std::string PlayerExePath()
{
    std::string dir = BinaryDir();
    if (dir.empty())
        return dir;
    return dir + "\\player\\Vexul.exe";
}

}   // namespace playertest
