// fuzz_seeds <folder>: writes the seed corpus of every fuzz target into <folder>/<target>/ with the
// project's own writers: packs by CProjectPack, settings and show texts by CSettingsFile with the show
// text's names and write order, colours as the settings text writes them, GIFs and BMPs by the tests'
// picture makers, embedded-font entries in the pack's layout.
#include "show/FontEmbedding.h"
#include "show/ProjectPack.h"
#include "show/SettingsFile.h"
#include "show/ShowText.h"
#include "support/BmpFile.h"
#include "support/GifFile.h"

#include <cstdio>
#include <string>
#include <sys/stat.h>
#include <vector>

namespace
{

using namespace ShowText;
typedef std::vector<BYTE> Bytes;

std::string g_root;

bool Save(const std::string& target, const std::string& name, const void* data, size_t size)
{
    const std::string folder = g_root + "/" + target;
    mkdir(folder.c_str(), 0755);
    FILE* out = fopen((folder + "/" + name).c_str(), "wb");
    if (!out)
        return false;
    bool written = size == 0 || fwrite(data, 1, size, out) == size;
    return fclose(out) == 0 && written;
}

bool Save(const std::string& target, const std::string& name, const std::string& text)
{
    return Save(target, name, text.data(), text.size());
}

std::string Written(CSettingsFile& file)
{
    file.Finish();
    int length = 0;
    const char* text = file.GetText(length);
    return std::string(text, static_cast<size_t>(length));
}

// A show text as the editor writes it: show-wide sections, then slides with objects of every kind.
std::string ShowTextSeed(int slides, int objects)
{
    CSettingsFile file;
    file.OpenMemoryText(ENTRY_NAME, TRUE, nullptr, 0);
    file.WriteString(Show::SECTION, Show::KEY_VERSION, "020401");
    file.WriteInt(Window::SECTION, Window::KEY_WIDTH, 640);
    file.WriteInt(Window::SECTION, Window::KEY_HEIGHT, 480);
    file.WriteString(Window::SECTION, Window::KEY_TITLE, "Seed show");
    file.WriteColor(Background::SECTION, Background::KEY_COLOR, RGB(10, 20, 30));
    file.WriteInt(AutoStart::SECTION, AutoStart::KEY_ENABLE, 1);
    file.WriteString(AutoStart::SECTION, AutoStart::KEY_FILE, "_CURRENTDIR_\\Vexul.exe:PART2.VXL");
    file.WriteString(Contact::SECTION, Contact::KEY_LINE1, "Contact line");
    for (int slide = 0; slide < slides; ++slide)
    {
        const CString section = SheetSection(slide);
        file.WriteString(section, Sheet::KEY_IMAGE_FILE, "slide.bmp");
        file.WriteString(section, Sheet::KEY_FADE_IN, slide % 2 ? "COVER-FROM-RIGHT" : "LEFT-RIGHT");
        file.WriteString(section, Sheet::KEY_FADE_OUT, "NONE");
        file.WriteInt(section, Sheet::KEY_DELAY, 3000);
        file.WriteInt(section, Sheet::KEY_FADESPEED, 1);
        for (int n = 0; n < objects; ++n)
        {
            const int kind = KIND_TEXT + n % 3;
            file.WriteString(section, ObjectSlotKey(n), ObjectValue(kind, n));
            auto put = [&](const char* key, const char* value)
            { file.WriteString(section, ObjectKey(kind, n, key), value); };
            if (kind == KIND_TEXT)
                for (const char* key : Text::WRITE_ORDER)
                    put(key, key == Text::KEY_TEXT       ? "Hello = world"
                             : key == Text::KEY_FONTNAME ? "Tahoma"
                                                         : "12");
            else if (kind == KIND_IMAGE)
                for (const char* key : Image::WRITE_ORDER)
                    put(key, key == Image::KEY_FILE          ? "anim.gif"
                             : key == Image::KEY_TRANSPCOLOR ? "#FF00FF"
                                                             : "1");
            else
                for (const char* key : Frame::WRITE_ORDER)
                    put(key, key == Frame::KEY_FILLCOLOR ? "#ffffff" : "40");
        }
    }
    return Written(file);
}

Bytes GifSeed(int frames)
{
    std::vector<GifFrameSpec> specs;
    for (int i = 0; i < frames; ++i)
        specs.push_back({i % 2, i % 3, 3, 2, i % 4, i == 0 ? -1 : 10 * i, i % 4});
    return MakeGif(4, 3, {RGB(255, 0, 0), RGB(0, 255, 0), RGB(0, 0, 255), RGB(255, 255, 255)}, specs);
}

// A frame of 80 x 60 whose LZW code table fills and is used on without a clear code.
Bytes FullTableGifSeed()
{
    Bytes gif = MakeGifHead(80, 60, {RGB(255, 0, 0), RGB(0, 255, 0), RGB(0, 0, 255), RGB(255, 255, 255)});
    PutGifImageHead(gif, 0, 0, 80, 60, 0);
    std::vector<BYTE> pixels;
    for (int i = 0; i < 80 * 60; ++i)
        pixels.push_back(static_cast<BYTE>((i * 7 + i / 13) % 4));
    Bytes data = EncodeGifKeepingFullTable(pixels, 2);
    gif.insert(gif.end(), data.begin(), data.end());
    gif.push_back(0x3B);
    return gif;
}

// An embedded-font entry: the face in a 64-byte header, then the font file (here just some bytes).
Bytes FontEntrySeed(const char* face, size_t fontBytes)
{
    Bytes entry(kFontEntryHeaderSize + fontBytes, 0);
    std::string name(face);
    name.resize(std::min<size_t>(name.size(), kFontEntryHeaderSize - 1));
    std::copy(name.begin(), name.end(), entry.begin());
    for (size_t i = 0; i < fontBytes; ++i)
        entry[kFontEntryHeaderSize + i] = static_cast<BYTE>(i * 7);
    return entry;
}

bool PackSeed(const std::string& name, const std::vector<std::pair<std::string, Bytes>>& entries)
{
    const std::string path = g_root + "/" + name;
    CProjectPack pack;
    for (const auto& entry : entries)
        if (!pack.AddData(entry.first.c_str(), entry.second.data(), static_cast<int>(entry.second.size())))
            return false;
    if (!pack.OpenForWrite(path.c_str(), "02040100"))
        return false;
    bool written = pack.Write();
    if (!pack.Close() || !written)
        return false;
    FILE* in = fopen(path.c_str(), "rb");
    if (!in)
        return false;
    Bytes bytes;
    BYTE buffer[4096];
    for (size_t n; (n = fread(buffer, 1, sizeof(buffer), in)) > 0;)
        bytes.insert(bytes.end(), buffer, buffer + n);
    fclose(in);
    remove(path.c_str());
    return Save("fuzz_pack_memory", name, bytes.data(), bytes.size()) &&
           Save("fuzz_pack_file", name, bytes.data(), bytes.size());
}

}   // namespace

int main(int argc, char** argv)
{
    if (argc != 2)
    {
        fprintf(stderr, "usage: fuzz_seeds <folder>\n");
        return 2;
    }
    g_root = argv[1];
    mkdir(g_root.c_str(), 0755);

    const std::string small = ShowTextSeed(2, 3), large = ShowTextSeed(3, 12);
    CSettingsFile settings;
    settings.OpenMemoryText("seed", TRUE, nullptr, 0);
    settings.WriteString("A", "KEY", "value");
    settings.WriteInt("A", "NUMBER", -42);
    settings.WriteColor("B", "COLOR", RGB(0x3A, 0x6E, 0xA5));
    settings.WriteString("B", "TAIL_KEY", "x=1");
    bool ok = Save("fuzz_settings", "sections", Written(settings)) && Save("fuzz_settings", "show", small) &&
              Save("fuzz_show_text", "small", small) && Save("fuzz_show_text", "large", large);

    for (COLORREF colour : {RGB(0, 0, 0), RGB(0x12, 0xAB, 0x00), RGB(255, 255, 255)})
    {
        CSettingsFile file;
        file.OpenMemoryText("seed", TRUE, nullptr, 0);
        file.WriteColor("S", "C", colour);
        std::string text = Written(file);
        size_t at = text.find("C=") + 2;
        ok = ok && Save("fuzz_colour", "colour" + std::to_string(colour), text.substr(at, 7));
    }
    ok = ok && Save("fuzz_colour", "upper", std::string(ColorToHtml(RGB(1, 2, 3))));

    const Bytes still = GifSeed(1), animated = GifSeed(4), fullTable = FullTableGifSeed();
    ok = ok && Save("fuzz_gif_frames", "still.gif", still.data(), still.size()) &&
         Save("fuzz_gif_frames", "animated.gif", animated.data(), animated.size()) &&
         Save("fuzz_gif_frames", "fulltable.gif", fullTable.data(), fullTable.size());

    // Rows of one pixel, of a width that pads each row, and of a picture drawn pixel by pixel.
    const Bytes dot = MakeSolidBmp(1, 1, RGB(9, 8, 7)), padded = MakeSolidBmp(65, 2, RGB(255, 0, 0));
    const Bytes gradient = MakeBmp(7, 5, [](int x, int y) { return RGB(x * 30, y * 50, 128); });
    ok = ok && Save("fuzz_bmp_layout", "dot.bmp", dot.data(), dot.size()) &&
         Save("fuzz_bmp_layout", "padded.bmp", padded.data(), padded.size()) &&
         Save("fuzz_bmp_layout", "gradient.bmp", gradient.data(), gradient.size());

    const Bytes tahoma = FontEntrySeed("Tahoma", 200), times = FontEntrySeed("Times New Roman", 64);
    const Bytes longName = FontEntrySeed(std::string(70, 'W').c_str(), 16);
    ok = ok && Save("fuzz_font_entry", "tahoma", tahoma.data(), tahoma.size()) &&
         Save("fuzz_font_entry", "times", times.data(), times.size()) &&
         Save("fuzz_font_entry", "long", longName.data(), longName.size());

    ok = ok &&
         PackSeed(
             "show.vxl",
             {{ENTRY_NAME, Bytes(large.begin(), large.end())}, {"anim.gif", animated}, {"Tahoma.NFNT", tahoma}}) &&
         PackSeed("empty.vxl", {});
    if (!ok)
    {
        fprintf(stderr, "fuzz_seeds: cannot write the seeds into %s\n", g_root.c_str());
        return 1;
    }
    printf("fuzz_seeds: seeds written into %s\n", g_root.c_str());
    return 0;
}
