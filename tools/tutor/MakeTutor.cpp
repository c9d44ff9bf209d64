// make_tutor: makes the editor's tutorial example 1 in the application folder: the pictures the tutorial
// uses, the finished show as a pack (built through the show model, as the editor saves it) and "Tutor.ini",
// which names the files the editor copies into the user's project when the tutorial starts.
//
//   make_tutor <example folder>     writes Vexul.vxl, Tutor.ini and the pictures into the folder
//
// The example is the show the tutorial's help walks through: two slides from pictures, and on the second a
// text "Hello", a picture and a rectangle.
#include "tools/demo/ShowArt.h"

#include <cstdio>
#include <string>

namespace
{

using namespace showart;

const char* const kVersion = "020000";   // written as the editor writes its projects
const char* const kTitle = "My first Vexul show";

const char* const kSky = "tutor_sky.bmp";
const char* const kMeadow = "tutor_meadow.bmp";
const char* const kLogo = "tutor_logo.bmp";

// A morning sky over the sea: the first slide.
Bytes DrawSky()
{
    CArt art(kSlideWidth, kSlideHeight);
    art.Gradient(0, 0, kSlideWidth, 300, RGB(40, 90, 170), RGB(250, 190, 120), TRUE);
    art.Ellipse(400, 200, 520, 320, RGB(255, 230, 150), RGB(255, 230, 150));
    art.Gradient(0, 300, kSlideWidth, kSlideHeight, RGB(30, 70, 130), RGB(10, 30, 70), TRUE);
    for (int y = 310; y < kSlideHeight; y += 18)
        art.Line(380 + (y - 300) / 3, y, 540 - (y - 300) / 3, y, RGB(250, 210, 150), 2);
    art.Text(40, 40, "My first Vexul show", 40, kWhite, TRUE);
    art.Text(42, 92, "made with the tutorial", 22, RGB(255, 240, 210), FALSE);
    return art.ToBmp();
}

// Green hills under a blue sky: the second slide, which carries the objects.
Bytes DrawMeadow()
{
    CArt art(kSlideWidth, kSlideHeight);
    art.Gradient(0, 0, kSlideWidth, 280, RGB(90, 150, 230), RGB(200, 230, 255), TRUE);
    art.Box(0, 280, kSlideWidth, kSlideHeight, RGB(60, 145, 65));
    art.Ellipse(-120, 220, 360, 600, RGB(70, 160, 70), RGB(70, 160, 70));
    art.Ellipse(220, 250, 800, 650, RGB(50, 130, 60), RGB(50, 130, 60));
    for (int x = 30; x < kSlideWidth; x += 70)
        art.Ellipse(x, 380 + (x % 3) * 12, x + 10, 390 + (x % 3) * 12, RGB(250, 240, 120), RGB(250, 240, 120));
    return art.ToBmp();
}

// A round badge on the transparent colour: the picture object.
Bytes DrawLogo()
{
    CArt art(160, 160);
    art.Fill(kKey);
    art.Ellipse(8, 8, 152, 152, RGB(250, 200, 60), RGB(170, 120, 20), 4);
    art.Star(80, 80, 56, 24, RGB(220, 60, 40), RGB(140, 30, 20));
    return art.ToBmp();
}

BOOL WriteFileData(const std::string& path, const Bytes& data)
{
    FILE* file = fopen(path.c_str(), "wb");
    if (file == nullptr)
        return FALSE;
    BOOL whole = fwrite(data.data(), 1, data.size(), file) == data.size();
    return fclose(file) == 0 && whole;
}

int Make(const std::string& folder)
{
    CreateDirectoryA(folder.c_str(), nullptr);
    CShowMaker maker;
    SetupShow(maker.show, kTitle, 0, kVersion);
    maker.show.m_crBackground = RGB(0x3A, 0x6E, 0xA5);   // a new project's colour

    AddSlide(maker, 0, kSky, DrawSky(), LEFT_RIGHT, HORZ_STRIPES, 2500);
    CSlide& second = AddSlide(maker, 1, kMeadow, DrawMeadow(), COVER_FROM_RIGHT, NONE, 4000);
    AddRectangle(second, 40, 300, 320, 110, CFrameObj::FILL_LIGHTEN, kWhite, 60, 0, 0, 0, TRUE, kWhite, FROM_LEFT,
                 1000, 200);
    AddText(second, 60, 320, "Hello", 60, RGB(20, 40, 110), TEXT_TYPEWRITER, 200, FALSE);
    AddImage(maker, second, 430, 40, kLogo, DrawLogo(), FROM_TOP, 300, TRUE, 800);

    const std::string pack = folder + "\\Vexul.vxl";
    if (!WritePack(maker, pack, kVersion))
    {
        fprintf(stderr, "make_tutor: cannot write %s\n", pack.c_str());
        return 1;
    }
    // The pictures the user brings into the project, and the list of them.
    std::string list = "; The files the tutorial copies into the new project.\r\n[COPY]\r\n";
    list += "FILECNT=" + std::to_string(maker.files.size()) + "\r\n";
    int number = 1;
    for (const auto& file : maker.files)
    {
        if (!WriteFileData(folder + "\\" + file.first, file.second))
        {
            fprintf(stderr, "make_tutor: cannot write %s\n", file.first.c_str());
            return 1;
        }
        list += "FILE" + std::to_string(number++) + "=" + file.first + "\r\n";
    }
    if (!WriteFileData(folder + "\\Tutor.ini", Bytes(list.begin(), list.end())))
    {
        fprintf(stderr, "make_tutor: cannot write Tutor.ini\n");
        return 1;
    }
    printf("make_tutor: wrote the tutorial example into %s\n", folder.c_str());
    return 0;
}

}   // namespace

int main(int argc, char** argv)
{
    if (argc != 2)
    {
        fprintf(stderr, "usage: make_tutor <example folder>\n");
        return 2;
    }
    HRESULT com = CoInitialize(nullptr);
    int result = Make(ToWindowsPath(argv[1]));
    if (SUCCEEDED(com))
        CoUninitialize();
    return result;
}
