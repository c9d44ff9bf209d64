// make_demo: draws the demo show's artwork with GDI, builds the show through the show model and writes it as
// packs, and makes the demo player: a copy of the player carrying the first pack in its own resources.
//
//   make_demo <out folder> [<player program>]   writes VEXUL.VXL and PART2.VXL; with the player also
//                                               Vexul.exe and VexulDemo.exe
//   make_demo --check <out folder>              reads everything back; exit code 0 when all is whole
//   make_demo --advance <title> <ms> <seconds>  presses Space in the window of that title every <ms> until
//                                               it has closed (stands in for the user of the manual part)
//   make_demo --wait <title> <seconds>          waits until a window of that title is shown (exit code 1 when
//                                               none came in time)
//   make_demo --double-click <title> <x> <y>    double-clicks at that point of the window's client area, in
//                                               the child window found there
//   make_demo --close <title>                   asks the window of that title to close
// The last three stand in for the user of the editor when the demo runs without a display.
//
// Part 1 (VexulDemo.exe, or VEXUL.VXL) advances by itself and, when it ends, starts part 2 (Vexul.exe with
// PART2.VXL), which advances when the user presses Space or clicks the arrow in the corner.
#include "tools/demo/ShowArt.h"

#include <cmath>
#include <cstdio>
#include <cstring>
#include <string>
#include <vector>

namespace
{

using namespace showart;

const char* const kVersion = "020000";   // written as the editor writes its projects

const char* const kPart1Title = "Vexul Demo";
const char* const kPart2Title = "Vexul Demo - Part 2";
const char* const kPart2Pack = "PART2.VXL";

// Backgrounds, each kSlideWidth x kSlideHeight.

Bytes DrawTitle()
{
    CArt art(kSlideWidth, kSlideHeight);
    art.Gradient(0, 0, kSlideWidth, kSlideHeight, RGB(16, 24, 88), RGB(96, 24, 120), TRUE);
    for (int i = 0; i < 7; ++i)
    {
        int r = 30 + i * 22;
        COLORREF ring = Mix(RGB(60, 40, 140), RGB(150, 120, 230), i * 12);
        art.Ellipse(520 - r, 70 - r, 520 + r, 70 + r, Mix(RGB(40, 30, 110), RGB(80, 40, 140), i * 10), ring, 2);
    }
    art.Gradient(0, 380, kSlideWidth, kSlideHeight, RGB(60, 24, 110), RGB(20, 10, 40), TRUE);
    art.Line(40, 390, kSlideWidth - 40, 390, RGB(200, 170, 255), 2);
    art.Text(kSlideWidth / 2, 410, "a show made by the project itself: artwork drawn with GDI", 16,
             RGB(210, 200, 240), FALSE, TA_CENTER);
    return art.ToBmp();
}

Bytes DrawSunset()
{
    CArt art(kSlideWidth, kSlideHeight);
    art.Gradient(0, 0, kSlideWidth, 300, RGB(255, 120, 40), RGB(255, 214, 120), TRUE);
    art.Ellipse(230, 170, 410, 350, RGB(255, 240, 180), RGB(255, 250, 220), 3);
    art.Polygon({{0, 300},
                 {90, 210},
                 {170, 270},
                 {280, 180},
                 {390, 290},
                 {470, 220},
                 {560, 280},
                 {638, 230},
                 {638, 466},
                 {0, 466}},
                RGB(110, 40, 70), RGB(80, 20, 50), 2);
    art.Polygon({{0, 360}, {120, 300}, {250, 350}, {380, 310}, {520, 360}, {638, 320}, {638, 466}, {0, 466}},
                RGB(60, 20, 50), RGB(40, 10, 30), 1);
    art.Gradient(0, 420, kSlideWidth, kSlideHeight, RGB(60, 20, 50), RGB(25, 8, 25), TRUE);
    return art.ToBmp();
}

Bytes DrawGrid()
{
    CArt art(kSlideWidth, kSlideHeight);
    art.Gradient(0, 0, kSlideWidth, kSlideHeight, RGB(10, 90, 100), RGB(20, 160, 140), FALSE);
    for (int x = 0; x < kSlideWidth; x += 32)
        art.Line(x, 0, x, kSlideHeight, RGB(40, 150, 150));
    for (int y = 0; y < kSlideHeight; y += 32)
        art.Line(0, y, kSlideWidth, y, RGB(40, 150, 150));
    art.Gradient(0, 0, kSlideWidth, 90, RGB(8, 60, 70), RGB(10, 90, 100), TRUE);
    return art.ToBmp();
}

Bytes DrawNight()
{
    CArt art(kSlideWidth, kSlideHeight);
    art.Gradient(0, 0, kSlideWidth, kSlideHeight, RGB(4, 8, 40), RGB(30, 40, 110), TRUE);
    unsigned seed = 7;
    for (int i = 0; i < 120; ++i)
    {
        seed = seed * 1103515245 + 12345;
        int x = static_cast<int>((seed >> 8) % kSlideWidth);
        seed = seed * 1103515245 + 12345;
        int y = static_cast<int>((seed >> 8) % 330);
        int size = (i % 9 == 0) ? 3 : 1;
        art.Ellipse(x, y, x + size + 1, y + size + 1, RGB(255, 255, 230), RGB(255, 255, 230));
    }
    art.Ellipse(470, 40, 570, 140, RGB(250, 245, 210), RGB(255, 255, 240), 2);
    art.Ellipse(500, 35, 590, 125, RGB(12, 20, 60), RGB(12, 20, 60));   // the moon's shadow
    art.Polygon({{0, 400}, {160, 360}, {330, 395}, {500, 350}, {638, 380}, {638, 466}, {0, 466}}, RGB(10, 14, 30),
                RGB(10, 14, 30));
    return art.ToBmp();
}

Bytes DrawMeadow()
{
    CArt art(kSlideWidth, kSlideHeight);
    art.Gradient(0, 0, kSlideWidth, 260, RGB(90, 160, 240), RGB(200, 230, 255), TRUE);
    // The meadow behind the hills: they leave the ground between them open.
    art.Gradient(0, 250, kSlideWidth, kSlideHeight, RGB(150, 200, 110), RGB(80, 150, 60), TRUE);
    art.Ellipse(60, 50, 180, 100, RGB(255, 255, 255), RGB(255, 255, 255));
    art.Ellipse(120, 30, 230, 95, RGB(255, 255, 255), RGB(255, 255, 255));
    art.Ellipse(420, 80, 560, 130, RGB(245, 250, 255), RGB(245, 250, 255));
    art.Ellipse(-200, 220, 420, 620, RGB(110, 190, 80), RGB(90, 160, 60), 2);
    art.Ellipse(250, 240, 900, 700, RGB(70, 160, 60), RGB(50, 130, 40), 2);
    for (int i = 0; i < 14; ++i)
    {
        int x = 40 + i * 43, y = 380 + (i % 3) * 18;
        art.Ellipse(x - 6, y - 6, x + 6, y + 6, i % 2 ? RGB(255, 230, 60) : RGB(255, 120, 160), RGB(255, 255, 255),
                    1);
    }
    return art.ToBmp();
}

Bytes DrawPaper()
{
    CArt art(kSlideWidth, kSlideHeight);
    art.Fill(RGB(250, 244, 226));
    for (int x = -kSlideHeight; x < kSlideWidth; x += 24)
        art.Line(x, kSlideHeight, x + kSlideHeight, 0, RGB(240, 230, 205), 6);
    art.Box(0, 0, 14, kSlideHeight, RGB(200, 60, 60));
    art.Gradient(0, 0, kSlideWidth, 70, RGB(235, 225, 200), RGB(250, 244, 226), TRUE);
    return art.ToBmp();
}

Bytes DrawFinale()
{
    CArt art(kSlideWidth, kSlideHeight);
    art.Gradient(0, 0, kSlideWidth, kSlideHeight, RGB(120, 20, 60), RGB(250, 140, 60), FALSE);
    for (int i = 0; i < 12; ++i)
        art.Star(40 + i * 52, 420 - (i % 2) * 20, 14, 6, RGB(255, 230, 120), RGB(255, 255, 255));
    return art.ToBmp();
}

Bytes DrawSteps(COLORREF from, COLORREF to, int step)
{
    CArt art(kSlideWidth, kSlideHeight);
    art.Gradient(0, 0, kSlideWidth, kSlideHeight, from, to, TRUE);
    for (int i = 0; i < 3; ++i)
    {
        COLORREF fill = i <= step ? RGB(255, 255, 255) : Mix(from, to, 50);
        art.Ellipse(259 + i * 44, 420, 279 + i * 44, 440, fill, RGB(255, 255, 255), 2);
    }
    return art.ToBmp();
}

// Pictures for image objects.

Bytes DrawSpark()
{
    CArt art(130, 130);
    art.Fill(kKey);
    art.Ellipse(5, 5, 125, 125, RGB(255, 200, 40), RGB(255, 255, 255), 4);
    art.Star(65, 68, 48, 20, RGB(200, 40, 90), RGB(255, 255, 255));
    return art.ToBmp();
}

Bytes DrawChart()
{
    CArt art(240, 200);
    art.Fill(RGB(255, 255, 255));
    art.Box(0, 0, 240, 30, RGB(40, 60, 90));
    art.Text(10, 6, "Frames per second", 15, RGB(255, 255, 255));
    const int values[] = {60, 110, 90, 150, 130};
    const COLORREF colours[] = {RGB(230, 80, 70), RGB(240, 170, 40), RGB(80, 180, 90), RGB(60, 140, 220),
                                RGB(150, 90, 200)};
    for (int i = 0; i < 5; ++i)
        art.Box(20 + i * 42, 185 - values[i], 50 + i * 42, 185, colours[i]);
    art.Line(12, 186, 228, 186, RGB(40, 40, 40), 2);
    return art.ToBmp();
}

Bytes DrawRocket()
{
    CArt art(180, 100);
    art.Fill(kKey);
    art.Polygon({{10, 35}, {40, 50}, {10, 65}}, RGB(255, 160, 30), RGB(255, 220, 80), 2);    // flame
    art.RoundBox(35, 30, 140, 70, 30, RGB(230, 230, 240), RGB(120, 120, 140), 2);            // body
    art.Polygon({{135, 30}, {175, 50}, {135, 70}}, RGB(220, 50, 60), RGB(150, 20, 30), 2);   // nose
    art.Polygon({{55, 30}, {80, 30}, {55, 8}}, RGB(220, 50, 60), RGB(150, 20, 30), 1);       // fins
    art.Polygon({{55, 70}, {80, 70}, {55, 92}}, RGB(220, 50, 60), RGB(150, 20, 30), 1);
    art.Ellipse(95, 40, 115, 60, RGB(80, 170, 240), RGB(60, 60, 90), 2);   // window
    return art.ToBmp();
}

Bytes DrawPhoto()
{
    CArt art(220, 160);
    art.Fill(RGB(255, 255, 255));
    art.Gradient(10, 10, 210, 120, RGB(120, 190, 250), RGB(230, 245, 255), TRUE);
    art.Ellipse(150, 22, 185, 57, RGB(255, 220, 60), RGB(255, 220, 60));
    art.Polygon({{10, 120}, {70, 60}, {120, 105}, {160, 75}, {210, 120}}, RGB(90, 120, 90), RGB(60, 90, 60), 1);
    art.Text(110, 128, "Holiday 2026", 16, RGB(60, 60, 60), FALSE, TA_CENTER);
    return art.ToBmp();
}

// Part 1: advances by itself; wipes, stripes, shifts, a rotation and covers; every object kind.
void BuildPart1(CShowMaker& demo, const char* endProgram)
{
    SetupShow(demo.show, kPart1Title, 0, kVersion);
    demo.show.m_nAutostartOn = 1;
    demo.show.m_strAutostartFile = endProgram;

    CSlide& s0 = AddSlide(demo, 0, "title.bmp", DrawTitle(), NONE, LEFT_RIGHT, 2000);
    AddRectangle(s0, 0, 140, kSlideWidth, 130, CFrameObj::FILL_LIGHTEN, kWhite, 45, 0, 0, 0, FALSE, kBlack,
                 FROM_LEFT, 2000, 100);
    AddText(s0, 50, 150, "Vexul", 80, kWhite, TEXT_TYPEWRITER, 50, TRUE);
    AddText(s0, 56, 242, "slide shows that move", 24, RGB(255, 220, 120), TEXT_LEFT_RIGHT, 50);
    AddImage(demo, s0, 460, 140, "spark.bmp", DrawSpark(), FROM_RIGHT, 50, TRUE, 1400);

    CSlide& s1 = AddSlide(demo, 1, "sunset.bmp", DrawSunset(), TOP_BOTTOM, HORZ_STRIPES, 1800);
    AddText(s1, 40, 26, "Wipes and stripes", 40, kWhite, TEXT_TOP_BOTTOM, 50, TRUE);
    AddRectangle(s1, 40, 370, 558, 70, CFrameObj::FILL_COLORIZE, kWhite, 0, -60, -20, 70, TRUE, RGB(255, 230, 200),
                 FROM_BOTTOM, 1200, 50);
    AddText(s1, 60, 390, "every slide comes in and goes out its own way", 22, kWhite, TEXT_LEFT_RIGHT, 50);

    CSlide& s2 = AddSlide(demo, 2, "grid.bmp", DrawGrid(), VERT_STRIPES, MOVE_LEFTRIGHT, 1800);
    AddText(s2, 30, 24, "Text, rectangles, pictures", 36, kWhite, TEXT_LEFT_RIGHT, 50, TRUE);
    AddRectangle(s2, 40, 120, 250, 56, CFrameObj::FILL_SOLID, RGB(255, 210, 60), 0, 0, 0, 0, TRUE, kBlack,
                 FROM_LEFT, 1500, 50);
    AddText(s2, 56, 132, "solid fill", 26, RGB(40, 30, 0), TEXT_NONE, 0);
    AddRectangle(s2, 40, 200, 250, 56, CFrameObj::FILL_LIGHTEN, kWhite, 70, 0, 0, 0, TRUE, kWhite, FROM_TOP, 800,
                 50);
    AddText(s2, 56, 212, "lightened", 26, RGB(0, 50, 60), TEXT_NONE, 0);
    AddRectangle(s2, 40, 280, 250, 56, CFrameObj::FILL_COLORIZE, kWhite, 0, 120, -40, -60, TRUE, kWhite,
                 FROM_RIGHT, 1500, 50);
    AddText(s2, 56, 292, "colourised", 26, kWhite, TEXT_NONE, 0);
    AddImage(demo, s2, 350, 120, "chart.bmp", DrawChart(), FROM_BOTTOM, 50, FALSE, 1500);

    CSlide& s3 = AddSlide(demo, 3, "night.bmp", DrawNight(), MOVE_BOTTOMTOP, ROTATE_RIGHT, 1600);
    AddText(s3, 40, 30, "Shift and rotate", 40, RGB(255, 240, 180), TEXT_TOP_BOTTOM, 50, TRUE);
    AddImage(demo, s3, 220, 220, "rocket.bmp", DrawRocket(), FROM_LEFT, 50, TRUE, 1200);

    CSlide& s4 = AddSlide(demo, 4, "meadow.bmp", DrawMeadow(), BOTTOM_TOP, NONE, 1600);
    AddImage(demo, s4, 390, 150, "photo.bmp", DrawPhoto(), FROM_TOP, 50, FALSE, 1200);
    AddText(s4, 40, 40, "Pictures slide in", 38, RGB(20, 60, 120), TEXT_TYPEWRITER, 50);

    CSlide& s5 = AddSlide(demo, 5, "paper.bmp", DrawPaper(), COVER_FROM_RIGHT, NONE, 1600);
    AddText(s5, 40, 24, "Covers", 44, RGB(150, 30, 40), TEXT_LEFT_RIGHT, 50);
    AddText(s5, 40, 90, "the next slide slides over the last one", 22, RGB(70, 60, 50), TEXT_TYPEWRITER, 50);
    AddImage(demo, s5, 250, 190, "spark.bmp", DrawSpark(), FROM_BOTTOM, 50, TRUE, 1400);

    CSlide& s6 = AddSlide(demo, 6, "finale.bmp", DrawFinale(), COVER_FROM_INSIDE, NONE, 2000);
    AddRectangle(s6, 60, 150, 518, 150, CFrameObj::FILL_LIGHTEN, kWhite, -60, 0, 0, 0, TRUE, kWhite, FROM_TOP,
                 1500, 50);
    AddText(s6, 90, 170, "Part 2: you set the pace", 34, kWhite, TEXT_LEFT_RIGHT, 50, TRUE);
    AddText(s6, 90, 240, "press Space or click the arrow in the corner", 20, RGB(255, 230, 160), TEXT_TYPEWRITER,
            50);
}

// Part 2: advances only when the user asks; boxes and a vertical rotation.
void BuildPart2(CShowMaker& demo)
{
    SetupShow(demo.show, kPart2Title, 1, kVersion);

    CSlide& s0 =
        AddSlide(demo, 0, "step1.bmp", DrawSteps(RGB(20, 70, 140), RGB(60, 160, 200), 0), NONE, CENTER_FULL, 3000);
    AddText(s0, 40, 40, "Manual advance", 44, kWhite, TEXT_LEFT_RIGHT, 50, TRUE);
    AddText(s0, 40, 110, "the slide waits for you: Space, Right or a click", 22, kWhite, TEXT_TYPEWRITER, 50);
    AddRectangle(s0, 400, 300, 200, 80, CFrameObj::FILL_LIGHTEN, kWhite, 60, 0, 0, 0, TRUE, kWhite, FROM_RIGHT,
                 1200, 50);

    CSlide& s1 = AddSlide(demo, 1, "step2.bmp", DrawSteps(RGB(30, 110, 60), RGB(160, 210, 90), 1), FULL_CENTER,
                          ROTATE_BOTTOM, 3000);
    AddText(s1, 40, 40, "Boxes and rotations", 44, kWhite, TEXT_TOP_BOTTOM, 50, TRUE);
    AddImage(demo, s1, 380, 170, "chart.bmp", DrawChart(), FROM_RIGHT, 50, FALSE, 1500);

    CSlide& s2 =
        AddSlide(demo, 2, "step3.bmp", DrawSteps(RGB(120, 30, 90), RGB(240, 120, 80), 2), NONE, NONE, 3000);
    AddText(s2, 40, 40, "That was Vexul", 48, kWhite, TEXT_TYPEWRITER, 50, TRUE);
    AddText(s2, 40, 120, "the last slide waits, then the show ends", 22, kWhite, TEXT_LEFT_RIGHT, 50);
    AddImage(demo, s2, 250, 200, "spark.bmp", DrawSpark(), FROM_TOP, 50, TRUE, 1400);
}

// A copy of the player with the pack as its "PROJECTFILE"/"FILE_1" resource, language neutral.
BOOL WriteCompiledPlayer(const std::string& player, const std::string& target, const Bytes& pack)
{
    if (!CopyFileA(player.c_str(), target.c_str(), FALSE))
        return FALSE;
    SetFileAttributesA(target.c_str(), FILE_ATTRIBUTE_NORMAL);
    HANDLE update = BeginUpdateResourceA(target.c_str(), FALSE);
    if (!update)
        return FALSE;
    BOOL added = UpdateResourceA(update, "PROJECTFILE", "FILE_1", 0, const_cast<BYTE*>(pack.data()),
                                 static_cast<DWORD>(pack.size()));
    BOOL ended = EndUpdateResourceA(update, added ? FALSE : TRUE);
    return added && ended;
}

int Make(const std::string& folder, const std::string& player)
{
    CreateDirectoryA(folder.c_str(), nullptr);
    const std::string pack1 = folder + "\\VEXUL.VXL";
    const std::string pack2 = folder + "\\" + kPart2Pack;

    {
        CShowMaker part1;
        // Part 2 is played by the plain player beside the demo, from the program's own folder.
        std::string next = std::string("_CURRENTDIR_\\Vexul.exe:") + kPart2Pack;
        BuildPart1(part1, next.c_str());
        if (!WritePack(part1, pack1, kVersion))
        {
            fprintf(stderr, "make_demo: cannot write %s\n", pack1.c_str());
            return 1;
        }
    }
    {
        CShowMaker part2;
        BuildPart2(part2);
        if (!WritePack(part2, pack2, kVersion))
        {
            fprintf(stderr, "make_demo: cannot write %s\n", pack2.c_str());
            return 1;
        }
    }
    printf("make_demo: wrote %s and %s\n", pack1.c_str(), pack2.c_str());

    if (player.empty())
        return 0;
    Bytes pack;
    if (!ReadWholeFile(pack1, pack) || pack.size() > CProjectPack::MAX_PACK_SIZE)
    {
        fprintf(stderr, "make_demo: cannot read %s back or it is too large\n", pack1.c_str());
        return 1;
    }
    const std::string plain = folder + "\\Vexul.exe";
    const std::string demo = folder + "\\VexulDemo.exe";
    if (!CopyFileA(player.c_str(), plain.c_str(), FALSE) || !WriteCompiledPlayer(player, demo, pack))
    {
        fprintf(stderr, "make_demo: cannot make %s from %s (error %lu)\n", demo.c_str(), player.c_str(),
                GetLastError());
        return 1;
    }
    printf("make_demo: wrote %s (%u bytes of show inside) and %s\n", demo.c_str(),
           static_cast<unsigned>(pack.size()), plain.c_str());
    return 0;
}

// ---------------------------------------------------------------------------------------------------------
// Reading back.

// Whether a 24-bit BMP made by CArt still shows the colour the artwork starts as somewhere.
BOOL HasUnpaintedPixels(const BYTE* bmp, int size)
{
    if (!bmp || size < static_cast<int>(sizeof(BITMAPFILEHEADER) + sizeof(BITMAPINFOHEADER)))
        return FALSE;
    BITMAPFILEHEADER file;
    BITMAPINFOHEADER info;
    memcpy(&file, bmp, sizeof(file));
    memcpy(&info, bmp + sizeof(file), sizeof(info));
    if (info.biBitCount != 24 || info.biWidth <= 0 || info.biHeight <= 0)
        return FALSE;
    const size_t stride = ((static_cast<size_t>(info.biWidth) * 3 + 3) / 4) * 4;
    if (file.bfOffBits + stride * static_cast<size_t>(info.biHeight) > static_cast<size_t>(size))
        return FALSE;
    for (LONG y = 0; y < info.biHeight; ++y)
    {
        const BYTE* row = bmp + file.bfOffBits + stride * static_cast<size_t>(y);
        for (LONG x = 0; x < info.biWidth; ++x)
            if (RGB(row[3 * x + 2], row[3 * x + 1], row[3 * x]) == kUnpainted)
                return TRUE;
    }
    return FALSE;
}

// Every picture of the pack is painted all over.
BOOL CheckPicturesPainted(CProjectPack& pack, const std::string& path, std::string& problem)
{
    for (int i = 0; i < pack.GetEntryCount(); ++i)
    {
        CString name;
        int size = 0;
        if (!pack.GetEntryName(i, name) || name.Right(4).CompareNoCase(".bmp") != 0)
            continue;
        if (HasUnpaintedPixels(pack.GetEntryData(name, size), size))
        {
            problem = path + ": the picture " + static_cast<const char*>(name) + " has unpainted pixels";
            return FALSE;
        }
    }
    return TRUE;
}

BOOL CheckPack(const std::string& path, int expectedSlides, int expectedAdvance, std::string& problem)
{
    CFile file;
    if (!file.Open(path.c_str(), CFile::modeRead | CFile::shareDenyNone))
    {
        problem = "cannot open " + path;
        return FALSE;
    }
    CProjectPack pack;
    BOOL whole;
    {
        CArchive ar(&file, CArchive::load);
        whole = pack.Read(ar);
        ar.Close();
    }
    file.Close();
    if (!whole)
    {
        problem = path + " does not read back whole";
        return FALSE;
    }
    int size = 0;
    BYTE* text = pack.GetEntryData(ShowText::ENTRY_NAME, size);
    if (!text)
    {
        problem = path + " holds no show text";
        return FALSE;
    }
    CShowData show;
    show.SetDefaults();
    show.ReadShowText(ShowText::ENTRY_NAME, text, size);
    if (show.m_strShowVersion.IsEmpty() || show.CountShowSlides() != expectedSlides ||
        show.m_nAdvanceMode != expectedAdvance || show.m_nWindowWidth != kWindowWidth ||
        show.m_nWindowHeight != kWindowHeight)
    {
        problem = path + ": the show text does not read back as written";
        return FALSE;
    }
    for (int i = 0; i < expectedSlides; ++i)
    {
        CSlide& slide = show.m_Slides[i];
        if (pack.FindEntry(slide.m_Background.m_strImageFile) < 0 || !slide.m_Background.LoadImage(&pack) ||
            slide.m_Background.m_Picture.GetWidth() != kSlideWidth || slide.CountUsedObjects() == 0)
        {
            problem = path + ": slide " + std::to_string(i) + " is incomplete";
            return FALSE;
        }
        for (int j = 0; j < CSlide::MaxObjects; ++j)
        {
            CSlideObjSlot* slot = slide.GetSlot(j);
            if (slot && slot->m_bUsed && slot->m_nKind == CSlideObjSlot::KIND_IMAGE)
            {
                slot->m_Image.LoadPicture(&pack);
                if (!slot->m_Image.m_Picture.IsLoaded())
                {
                    problem = path + ": a picture of slide " + std::to_string(i) + " does not load";
                    return FALSE;
                }
            }
        }
    }
    return CheckPicturesPainted(pack, path, problem);
}

int Check(const std::string& folder)
{
    std::string problem;
    BOOL ok =
        CheckPack(folder + "\\VEXUL.VXL", 7, 0, problem) && CheckPack(folder + "\\" + kPart2Pack, 3, 1, problem);
    if (ok)
    {
        // The demo player carries exactly the bytes of VEXUL.VXL.
        Bytes pack;
        const std::string demo = folder + "\\VexulDemo.exe";
        ReadWholeFile(folder + "\\VEXUL.VXL", pack);
        HMODULE module = LoadLibraryExA(demo.c_str(), nullptr, LOAD_LIBRARY_AS_DATAFILE);
        HRSRC resource = module ? FindResourceExA(module, "PROJECTFILE", "FILE_1", 0) : nullptr;
        HGLOBAL loaded = resource ? LoadResource(module, resource) : nullptr;
        const void* data = loaded ? LockResource(loaded) : nullptr;
        DWORD size = resource ? SizeofResource(module, resource) : 0;
        if (!data || size != pack.size() || memcmp(data, pack.data(), size) != 0)
        {
            problem = demo + " does not carry VEXUL.VXL as its resource";
            ok = FALSE;
        }
        if (module)
            FreeLibrary(module);
        if (ok && GetFileAttributesA((folder + "\\Vexul.exe").c_str()) == INVALID_FILE_ATTRIBUTES)
        {
            problem = "the plain player for part 2 is missing";
            ok = FALSE;
        }
    }
    if (!ok)
    {
        fprintf(stderr, "make_demo --check: %s\n", problem.c_str());
        return 1;
    }
    printf("make_demo --check: the demo in %s reads back whole\n", folder.c_str());
    return 0;
}

// Presses Space in the window of the title every interval until it has closed, or gives up after the time
// limit (exit code 1). The player advances on the key only while it waits for the user.
int Advance(const char* title, int intervalMs, int limitSeconds)
{
    DWORD start = GetTickCount();
    BOOL seen = FALSE;
    while (GetTickCount() - start < static_cast<DWORD>(limitSeconds) * 1000)
    {
        HWND window = FindWindowA(nullptr, title);
        if (!window && seen)
            return 0;
        if (window)
        {
            if (!seen)
                printf("make_demo --advance: pressing Space in \"%s\" every %d ms\n", title, intervalMs);
            seen = TRUE;
            PostMessageA(window, WM_KEYDOWN, VK_SPACE, 1);
            PostMessageA(window, WM_KEYUP, VK_SPACE, 0xC0000001);
            fflush(stdout);
        }
        Sleep(window ? intervalMs : 250);
    }
    return 1;
}

// Waits until a visible window of the title exists; polls, as the program that makes it runs on its own.
int WaitForWindow(const char* title, int limitSeconds)
{
    DWORD start = GetTickCount();
    while (GetTickCount() - start < static_cast<DWORD>(limitSeconds) * 1000)
    {
        HWND window = FindWindowA(nullptr, title);
        if (window && IsWindowVisible(window))
            return 0;
        Sleep(100);
    }
    fprintf(stderr, "make_demo --wait: no window \"%s\" after %d s\n", title, limitSeconds);
    return 1;
}

// A double click as the mouse makes it, posted to the deepest visible child under the client point.
int DoubleClick(const char* title, int x, int y)
{
    HWND window = FindWindowA(nullptr, title);
    if (!window)
    {
        fprintf(stderr, "make_demo --double-click: no window \"%s\"\n", title);
        return 1;
    }
    POINT point = {x, y};
    ClientToScreen(window, &point);
    HWND target = window;
    for (;;)
    {
        POINT inside = point;
        ScreenToClient(target, &inside);
        HWND child = ChildWindowFromPointEx(target, inside, CWP_SKIPINVISIBLE | CWP_SKIPTRANSPARENT);
        if (!child || child == target)
            break;
        target = child;
    }
    ScreenToClient(target, &point);
    LPARAM at = MAKELPARAM(point.x, point.y);
    PostMessageA(target, WM_LBUTTONDOWN, MK_LBUTTON, at);
    PostMessageA(target, WM_LBUTTONUP, 0, at);
    PostMessageA(target, WM_LBUTTONDBLCLK, MK_LBUTTON, at);
    PostMessageA(target, WM_LBUTTONUP, 0, at);
    return 0;
}

int AskToClose(const char* title)
{
    HWND window = FindWindowA(nullptr, title);
    if (!window)
    {
        fprintf(stderr, "make_demo --close: no window \"%s\"\n", title);
        return 1;
    }
    PostMessageA(window, WM_CLOSE, 0, 0);
    return 0;
}

int Usage()
{
    fprintf(stderr, "usage: make_demo <out folder> [<player program>]\n"
                    "       make_demo --check <out folder>\n"
                    "       make_demo --advance <window title> <interval ms> <time limit s>\n"
                    "       make_demo --wait <window title> <time limit s>\n"
                    "       make_demo --double-click <window title> <x> <y>\n"
                    "       make_demo --close <window title>\n");
    return 2;
}

}   // namespace

int main(int argc, char** argv)
{
    if (argc < 2)
        return Usage();
    std::string first = argv[1];
    if (first == "--advance")
        return argc == 5 ? Advance(argv[2], atoi(argv[3]), atoi(argv[4])) : Usage();
    if (first == "--wait")
        return argc == 4 ? WaitForWindow(argv[2], atoi(argv[3])) : Usage();
    if (first == "--double-click")
        return argc == 5 ? DoubleClick(argv[2], atoi(argv[3]), atoi(argv[4])) : Usage();
    if (first == "--close")
        return argc == 3 ? AskToClose(argv[2]) : Usage();

    HRESULT com = CoInitialize(nullptr);
    int result;
    if (first == "--check")
        result = argc == 3 ? Check(ToWindowsPath(argv[2])) : Usage();
    else
        result =
            argc <= 3 ? Make(ToWindowsPath(first), argc == 3 ? ToWindowsPath(argv[2]) : std::string()) : Usage();
    if (SUCCEEDED(com))
        CoUninitialize();
    return result;
}
