// frame_bench: what one frame of the player costs at 640 x 480, played by the player's own renderer on its
// clock (the step, which composes a transition or an object's entrance off screen, and the paint, the one
// copy to the target), for every fade-in and fade-out effect and every object animation; and what loading a
// 30 MB pack costs compared with reading the file.
//
//   frame_bench [--repeat n]    prints a table; exit code 0 when every target is met, 1 otherwise
//
// Columns: frames timed, their median, the median of each pass's first frame (a cover effect makes its
// bitmap of the incoming slide there), the slowest frame, and the median's share of the 40 ms frame. A last
// table times single drawing operations, to show what the dearer transitions spend their time on.
//
// The target of the copy is a bitmap compatible with the screen, as a window's surface would be. Object
// animations that run on their own threads (rectangles, pictures) are timed frame by frame while their thread
// moves them, with a hidden window as the one they invalidate. The end of a slide (its finished image and the
// stop of its objects) comes before the first timed frame of a fade-out.
#include "bench/BenchClock.h"
#include "player/ShowRenderer.h"
#include "player/ShowSource.h"
#include "show/FontEmbedding.h"
#include "show/ProjectPack.h"
#include "show/ShowText.h"
#include "tests/support/BmpFile.h"

#include <algorithm>
#include <cstdio>
#include <cstring>
#include <string>
#include <vector>

namespace
{

const int kWidth = 640;
const int kHeight = 480;
const double kFrameMs = 40.0;
const double kFrameTargetMs = 2.0;
const double kLoadTargetRatio = 3.0;
const int kPackBytes = 30 * 1000 * 1000;   // 30 MB of entry data; the pack stays below the player's limit

typedef std::vector<BYTE> Bytes;

// ---------------------------------------------------------------------------------------------------------
// Clock and figures.

double Max(const std::vector<double>& values)
{
    return values.empty() ? 0 : *std::max_element(values.begin(), values.end());
}

struct Row
{
    std::string name;
    std::vector<double> samples;
    std::vector<double> first;   // the first frame of each pass (covers make their bitmap there)
};

int g_nMissed = 0;

void PrintHeader(const char* title)
{
    printf("\n%s\n", title);
    printf("  %-34s %7s %9s %9s %9s %8s  %s\n", "", "frames", "median ms", "first ms", "max ms", "of 40 ms", "");
}

void PrintRow(const Row& row)
{
    double median = Median(row.samples);
    BOOL ok = median <= kFrameTargetMs;
    if (!ok)
        ++g_nMissed;
    printf("  %-34s %7u %9.3f %9.3f %9.3f %7.1f%%  %s\n", row.name.c_str(),
           static_cast<unsigned>(row.samples.size()), median, Median(row.first), Max(row.samples),
           median * 100.0 / kFrameMs, ok ? "" : "over 2 ms");
    fflush(stdout);
}

// ---------------------------------------------------------------------------------------------------------
// Test pictures: 24-bit BMP data with some detail in it (gradients and bands), drawn pixel by pixel.

Bytes MakeTestPicture(int width, int height, int seed)
{
    return MakeBmp(width, height,
                   [=](int x, int y)
                   { return RGB(((x / 16 + y / 16 + seed) % 2) ? 200 : 60, y * 255 / height, x * 255 / width); });
}

// ---------------------------------------------------------------------------------------------------------
// The renderer on a hidden window and an off-screen target.

// A bitmap compatible with the screen, selected into a memory DC: what the renderer's copy goes to.
class CTarget
{
public:
    CTarget()
    {
        HDC screen = ::GetDC(nullptr);
        m_hDC = CreateCompatibleDC(screen);
        m_hBitmap = CreateCompatibleBitmap(screen, kWidth, kHeight);
        ::ReleaseDC(nullptr, screen);
        m_hOld = (m_hDC && m_hBitmap) ? SelectObject(m_hDC, m_hBitmap) : nullptr;
        m_dc.Attach(m_hDC);
    }
    ~CTarget()
    {
        m_dc.Detach();
        if (m_hOld)
            SelectObject(m_hDC, m_hOld);
        if (m_hBitmap)
            DeleteObject(m_hBitmap);
        if (m_hDC)
            DeleteDC(m_hDC);
    }
    CTarget(const CTarget&) = delete;
    CTarget& operator=(const CTarget&) = delete;
    BOOL IsValid() const { return m_hOld != nullptr; }
    CDC* DC() { return &m_dc; }
    int BitsPerPixel() const { return GetDeviceCaps(m_hDC, BITSPIXEL); }

private:
    HDC m_hDC = nullptr;
    HBITMAP m_hBitmap = nullptr;
    HGDIOBJ m_hOld = nullptr;
    CDC m_dc;
};

// Slides: 0 and 1 carry the transitions (0 the ending slide with an object, 1 the entering one), 2 the object
// being inserted.
enum
{
    kOldSlide = 0,
    kNewSlide = 1,
    kObjectSlide = 2
};

struct CBench
{
    CProjectPack pack;
    CShowRenderer renderer;
    CWnd window;
    CTarget target;
    int repeat = 3;
    int now = 0;   // the show clock, ms

    BOOL Setup()
    {
        HWND hWnd = CreateWindowExA(0, "STATIC", "frame_bench", WS_POPUP, 0, 0, kWidth, kHeight, nullptr, nullptr,
                                    GetModuleHandleA(nullptr), nullptr);
        if (!hWnd || !window.Attach(hWnd) || !target.IsValid())
            return FALSE;
        const char* names[] = {"old.bmp", "new.bmp", "object.bmp"};
        for (int i = 0; i < 3; ++i)
        {
            Bytes bmp = MakeTestPicture(kWidth, kHeight, i);
            pack.AddData(names[i], bmp.data(), static_cast<int>(bmp.size()));
        }
        Bytes picture = MakeTestPicture(200, 150, 5);
        pack.AddData("picture.bmp", picture.data(), static_cast<int>(picture.size()));

        // The show, written by the show model and read by the renderer as the player reads it.
        CShowData show;
        show.SetDefaults();
        show.m_strShowVersion = "010000";
        show.m_nWindowWidth = kWidth;
        show.m_nWindowHeight = kHeight;
        show.m_crBackground = RGB(0, 0, 0);
        show.m_nLoop = 1;
        for (int i = 0; i < 3; ++i)
        {
            CSlide& slide = show.m_Slides[i];
            slide.m_Background.m_strImageFile = names[i];
            slide.m_Background.m_nFadeSpeed = 1;
            slide.m_Background.m_nDelay = 40;
        }
        // The ending slide carries a text, so that its finished image is a real one.
        show.m_Slides[kOldSlide].GetSlot(0)->CreateText(40, 40, "The slide that ends", "", "Tahoma", 40, "BOLD",
                                                        FALSE, FALSE, 1, RGB(255, 255, 255), 0);
        show.m_Slides[kObjectSlide].m_Background.m_nDelay = 1000000;   // stays on display
        CFontNameList faces;
        show.m_pFontCollector = &faces;
        int length = 0;
        const char* text = show.BuildShowText(ShowText::ENTRY_NAME, "", &length);
        if (!text || !renderer.Load("bench", reinterpret_cast<BYTE*>(const_cast<char*>(text)), length + 1))
            return FALSE;
        renderer.SetPack(&pack);
        // The slide area is the window's: the slides of the show are 2 x 14 pixels smaller.
        for (int i = 0; i < 3; ++i)
            renderer.m_Slides[i].SetSize(kWidth, kHeight);
        return renderer.Start(0, 0, kWidth, kHeight, 0, 0, &window, 40);
    }

    const CShowRenderer::Playback& Play() const { return renderer.GetPlayback(); }

    // One step of the clock, untimed.
    BOOL Tick()
    {
        BOOL more = renderer.Step(now);
        now += 40;
        return more;
    }

    // One frame: the step (which composes a transition or insertion frame) and the paint (the one copy).
    double FrameOnce()
    {
        double start = NowMs();
        renderer.Step(now);
        renderer.Paint(target.DC());
        GdiFlush();
        now += 40;
        return NowMs() - start;
    }

    double PaintOnce()
    {
        double start = NowMs();
        renderer.Paint(target.DC());
        GdiFlush();
        return NowMs() - start;
    }

    // Plays from the slide on until the predicate holds; FALSE when it never does.
    template <class Until>
    BOOL PlayFrom(int slide, Until until)
    {
        renderer.GoToSlide(slide);
        for (int i = 0; i < 2000; ++i)
        {
            if (until())
                return TRUE;
            Tick();
        }
        return FALSE;
    }

    // Every frame of the transition, repeated. The slide before it ends untimed (its finished image and
    // the stop of its objects are no frame).
    Row Transition(BOOL fadeIn, int effect)
    {
        Row row;
        row.name = std::to_string(effect) + " " + renderer.m_Slides[0].m_Background.m_FadeIn.GetKeyAt(effect);
        const int state = fadeIn ? CShowRenderer::StateFadeIn : CShowRenderer::StateSlideEnd;
        for (int pass = 0; pass < repeat; ++pass)
        {
            for (int i = 0; i < 3; ++i)
            {
                renderer.m_Slides[i].m_Background.m_FadeIn.SetSelectedIndex(fadeIn ? effect : 0);
                renderer.m_Slides[i].m_Background.m_FadeOut.SetSelectedIndex(fadeIn ? 0 : effect);
            }
            if (!PlayFrom(kOldSlide,
                          [&]
                          {
                              return Play().nState == state && Play().nFrameCounter == (fadeIn ? 0 : 1) &&
                                     Play().nCurrentSlide == (fadeIn ? kNewSlide : kOldSlide);
                          }))
                break;
            for (int frame = 0; Play().nState == state && frame < 1000; ++frame)
            {
                row.samples.push_back(FrameOnce());
                if (frame == 0)
                    row.first.push_back(row.samples.back());
            }
        }
        return row;
    }

    void ResetObjectSlide()
    {
        CSlide& slide = renderer.m_Slides[kObjectSlide];
        for (int j = 0; j < CSlide::MaxObjects; ++j)
            slide.GetSlot(j)->Clear();
    }

    // The insertion of the object in slot 0 of the object slide, frame by frame with the show clock following
    // real time (the moving objects run on threads of their own), until it has arrived; repeated.
    Row Insert(const std::string& name)
    {
        Row row;
        row.name = name;
        CSlideObjSlot* slot = renderer.m_Slides[kObjectSlide].GetSlot(0);
        for (int pass = 0; pass < repeat; ++pass)
        {
            if (!PlayFrom(kObjectSlide, [&] { return Play().nState == CShowRenderer::StateObjectInsert; }))
                break;
            const int base = now;
            const double start = NowMs();
            for (int frame = 0; frame < 2000 && Play().nState == CShowRenderer::StateObjectInsert; ++frame)
            {
                now = base + static_cast<int>(NowMs() - start);
                row.samples.push_back(FrameOnce());
                if (frame == 0)
                    row.first.push_back(row.samples.back());
                Sleep(5);
            }
            slot->GetLiveObject()->StopAnimation();
            for (int k = 0; k < 100 && slot->GetLiveObject()->StopAnimation(); ++k)
                Sleep(10);
        }
        return row;
    }

    // A slide on display with the object shown (no animation running): the window's own paints.
    Row Display(const std::string& name)
    {
        Row row;
        row.name = name;
        if (!PlayFrom(kObjectSlide, [&] { return Play().nState == CShowRenderer::StateDisplay; }))
            return row;
        for (int i = 0; i < 25 * repeat; ++i)
        {
            row.samples.push_back(PaintOnce());
            if (i == 0)
                row.first.push_back(row.samples.back());
        }
        return row;
    }

    // What the dearest transitions (the rotations) spend their frames on: the drawing operations one by one,
    // at full size and squeezed to half the width, into a surface like the renderer's.
    void Breakdown()
    {
        CPicture& picture = renderer.m_Slides[kNewSlide].m_Background.m_Picture;
        CBitmap& finished = renderer.m_Slides[kOldSlide].m_Bitmap;
        CDC surface, source;
        CBitmap bitmap;
        if (!surface.CreateCompatibleDC(target.DC()) ||
            !bitmap.CreateCompatibleBitmap(target.DC(), kWidth, kHeight) ||
            !source.CreateCompatibleDC(target.DC()) || !finished.GetSafeHandle())
            return;
        CBitmap* oldSurface = surface.SelectObject(&bitmap);
        CBitmap* oldSource = source.SelectObject(&finished);
        auto time = [&](const char* name, auto draw)
        {
            Row row;
            row.name = name;
            for (int i = 0; i < 25 * repeat; ++i)
            {
                double start = NowMs();
                draw();
                GdiFlush();
                row.samples.push_back(NowMs() - start);
                if (i == 0)
                    row.first.push_back(row.samples.back());
            }
            double median = Median(row.samples);
            printf("  %-34s %7u %9.3f %9.3f %9.3f %7.1f%%\n", row.name.c_str(),
                   static_cast<unsigned>(row.samples.size()), median, Median(row.first), Max(row.samples),
                   median * 100.0 / kFrameMs);
        };
        PrintHeader("Drawing operations (not frames; what the transitions are made of)");
        time("picture Render, full size", [&] { picture.Render(&surface, CRect(0, 0, kWidth, kHeight)); });
        time("picture Render, half width", [&] { picture.Render(&surface, CRect(0, 0, kWidth / 2, kHeight)); });
        time("image BitBlt, full size", [&] { surface.BitBlt(0, 0, kWidth, kHeight, &source, 0, 0, SRCCOPY); });
        time("image StretchBlt, half width",
             [&]
             {
                 int mode = surface.SetStretchBltMode(COLORONCOLOR);
                 surface.StretchBlt(kWidth / 2, 0, kWidth / 2, kHeight, &source, 0, 0, kWidth, kHeight, SRCCOPY);
                 surface.SetStretchBltMode(mode);
             });
        time("image StretchBlt, half height",
             [&]
             {
                 int mode = surface.SetStretchBltMode(COLORONCOLOR);
                 surface.StretchBlt(0, kHeight / 2, kWidth, kHeight / 2, &source, 0, 0, kWidth, kHeight, SRCCOPY);
                 surface.SetStretchBltMode(mode);
             });
        source.SelectObject(oldSource);
        surface.SelectObject(oldSurface);
    }

    void TextObject(int animation)
    {
        ResetObjectSlide();
        CSlideObjSlot* slot = renderer.m_Slides[kObjectSlide].GetSlot(0);
        slot->CreateText(60, 200, "Frames per second", "", "Tahoma", 40, "BOLD", FALSE, FALSE, 1, RGB(255, 240, 0),
                         0);
        slot->m_Text.m_bFontInPoints = FALSE;
        slot->m_Text.m_Animation.SetSelectedIndex(animation);
    }

    void RectangleObject(int animation, int mode, int x = 100, int y = 120, int width = 440, int height = 240)
    {
        ResetObjectSlide();
        FrameObjRecord record = {};
        record.nKind = CSlideObjSlot::KIND_RECTANGLE;
        record.nX = x;
        record.nY = y;
        record.nWidth = width;
        record.nHeight = height;
        record.nAnimation = animation;
        record.nSpeed = 1000;
        record.nFillMode = mode;
        record.nLight = 60;
        record.nRed = 80;
        record.nGreen = -20;
        record.nBlue = -60;
        record.bFrame = TRUE;
        record.crFill = RGB(255, 210, 60);
        record.crFrame = RGB(255, 255, 255);
        renderer.m_Slides[kObjectSlide].GetSlot(0)->CreateRectangle(record);
    }

    void ImageObject(int animation, BOOL transparent)
    {
        ResetObjectSlide();
        renderer.m_Slides[kObjectSlide].GetSlot(0)->CreateImage(220, 160, "picture.bmp", animation, 0, transparent,
                                                                RGB(60, 0, 0), 1000, &pack);
    }
};

// ---------------------------------------------------------------------------------------------------------
// Pack load.

std::string TempFolder()
{
    char path[MAX_PATH] = {};
    GetTempPathA(sizeof(path), path);
    std::string folder = std::string(path) + "vexul_bench";
    CreateDirectoryA(folder.c_str(), nullptr);
    return folder;
}

BOOL WriteBigPack(const std::string& path, int& fileSize)
{
    CProjectPack pack;
    const char text[] = "\r\n[SHOW]\r\nVERSION=010000\r\n";
    pack.AddData(ShowText::ENTRY_NAME, text, static_cast<int>(sizeof(text) - 1));
    const int entries = 30;
    Bytes data(kPackBytes / entries);
    unsigned seed = 12345;
    for (int i = 0; i < entries; ++i)
    {
        for (BYTE& b : data)
        {
            seed = seed * 1103515245 + 12345;
            b = static_cast<BYTE>(seed >> 16);
        }
        char name[32];
        sprintf(name, "picture%02d.jpg", i);
        if (!pack.AddData(name, data.data(), static_cast<int>(data.size())))
            return FALSE;
    }
    if (!pack.OpenForWrite(path.c_str(), "010000"))
        return FALSE;
    BOOL written = pack.Write();
    if (!pack.Close() || !written)
        return FALSE;
    WIN32_FILE_ATTRIBUTE_DATA attributes = {};
    GetFileAttributesExA(path.c_str(), GetFileExInfoStandard, &attributes);
    fileSize = static_cast<int>(attributes.nFileSizeLow);
    return TRUE;
}

// Reading the file once: open, one read into a buffer of its size, close.
double PlainRead(const std::string& path, Bytes& buffer)
{
    double start = NowMs();
    HANDLE file = CreateFileA(path.c_str(), GENERIC_READ, FILE_SHARE_READ, nullptr, OPEN_EXISTING, 0, nullptr);
    if (file == INVALID_HANDLE_VALUE)
        return -1;
    LARGE_INTEGER size = {};
    GetFileSizeEx(file, &size);
    buffer.resize(static_cast<size_t>(size.QuadPart));
    DWORD read = 0;
    BOOL ok =
        ReadFile(file, buffer.data(), static_cast<DWORD>(buffer.size()), &read, nullptr) && read == buffer.size();
    CloseHandle(file);
    double elapsed = NowMs() - start;
    return ok ? elapsed : -1;
}

// What the player does with a pack file on its command line.
double PlayerLoad(const std::string& path, int& entries)
{
    double start = NowMs();
    CPlayerPack* pack = new CPlayerPack;
    BOOL whole = pack->Load(path.c_str());
    double elapsed = NowMs() - start;
    entries = pack->GetEntryCount();
    delete pack;
    return whole ? elapsed : -1;
}

BOOL BenchPackLoad(int repeat)
{
    std::string path = TempFolder() + "\\bench30.vxl";
    int fileSize = 0;
    if (!WriteBigPack(path, fileSize))
    {
        printf("\npack load: cannot write the test pack %s\n", path.c_str());
        return FALSE;
    }
    Bytes buffer;
    PlainRead(path, buffer);   // both measurements start from a warm file cache
    std::vector<double> plain, load;
    int entries = 0;
    for (int i = 0; i < repeat + 2; ++i)
    {
        buffer.clear();
        buffer.shrink_to_fit();
        plain.push_back(PlainRead(path, buffer));
        buffer.clear();
        buffer.shrink_to_fit();
        load.push_back(PlayerLoad(path, entries));
    }
    DeleteFileA(path.c_str());
    RemoveDirectoryA(TempFolder().c_str());
    double p = Median(plain), l = Median(load);
    BOOL ok = p > 0 && l > 0 && l <= kLoadTargetRatio * p;
    printf("\nPack load (%d bytes, %d entries; median of %u runs)\n", fileSize, entries,
           static_cast<unsigned>(plain.size()));
    printf("  %-34s %9.2f ms\n", "reading the file once", p);
    printf("  %-34s %9.2f ms   %.2f x the plain read  %s\n", "the player's pack load", l, p > 0 ? l / p : 0.0,
           ok ? "" : "over 3 x");
    if (!ok)
        ++g_nMissed;
    return TRUE;
}

}   // namespace

int main(int argc, char** argv)
{
    const int repeat = RepeatArgument(argc, argv, 3);

    CoInitialize(nullptr);
    int result = 0;
    {
        CBench bench;
        bench.repeat = repeat;
        if (!bench.Setup())
        {
            fprintf(stderr, "frame_bench: cannot set up the renderer\n");
            CoUninitialize();
            return 2;
        }
        printf(
            "frame_bench: one frame = the renderer's step and paint (compose off screen at %d x %d, copy once)\n"
            "into a %d-bit screen-compatible bitmap; target %.0f ms (%.0f%% of the %.0f ms frame)\n",
            kWidth, kHeight, bench.target.BitsPerPixel(), kFrameTargetMs, kFrameTargetMs * 100 / kFrameMs,
            kFrameMs);

        PrintHeader("Fade-in effects (every frame of the transition, FADESPEED 1)");
        for (int effect = 1; effect < CEffectNames::COUNT; ++effect)
            PrintRow(bench.Transition(TRUE, effect));
        PrintHeader("Fade-out effects");
        for (int effect = 1; effect < CEffectNames::COUNT; ++effect)
            PrintRow(bench.Transition(FALSE, effect));

        PrintHeader("Object animations (every frame of the insertion)");
        const char* textNames[] = {"", "text LEFT-RIGHT", "text TOP-BOTTOM", "text TYPEWRITER"};
        for (int a = 1; a <= 3; ++a)
        {
            bench.TextObject(a);
            PrintRow(bench.Insert(textNames[a]));
        }
        const char* moveNames[] = {"", "FROM_LEFT", "FROM_TOP", "FROM_RIGHT", "FROM_BOTTOM"};
        const char* modeNames[] = {"solid", "lighten", "colourise"};
        for (int mode = 0; mode < 3; ++mode)
            for (int a = 1; a <= 4; ++a)
            {
                bench.RectangleObject(a, mode);
                PrintRow(bench.Insert(std::string("rectangle ") + moveNames[a] + " " + modeNames[mode]));
            }
        for (int a = 1; a <= 4; ++a)
        {
            bench.ImageObject(a, FALSE);
            PrintRow(bench.Insert(std::string("image ") + moveNames[a]));
        }
        bench.ImageObject(1, TRUE);
        PrintRow(bench.Insert("image FROM_LEFT transparent"));

        PrintHeader("Slide on display (no animation)");
        bench.TextObject(0);
        PrintRow(bench.Display("slide + text"));
        bench.RectangleObject(0, 1);
        PrintRow(bench.Display("slide + lightened rectangle"));
        // A show text may hold a rectangle far larger than the slide: only what the slide shows of it costs.
        bench.RectangleObject(0, 1, -100, -100, 20000, 20000);
        PrintRow(bench.Display("slide + lightened 20000 x 20000"));
        bench.ImageObject(0, TRUE);
        PrintRow(bench.Display("slide + transparent image"));

        bench.Breakdown();
        bench.renderer.Stop();
    }
    BenchPackLoad(repeat);

    if (g_nMissed)
    {
        printf("\n%d figure(s) over target\n", g_nMissed);
        result = 1;
    }
    else
        printf("\nevery figure within target\n");
    CoUninitialize();
    return result;
}
