// Damaged input never brings the player down: random and mutated show texts with extreme values, and packs
// whose pictures are truncated or garbled, are read into the model and played by the real renderer on a
// synthetic clock, painting into an off-screen surface at every tick. Every run must end, leave no object
// thread running after the stop and give back its handles. All randomness has a fixed seed.
#include "PlayerTestSupport.h"
#include "support/win_Wait.h"
#include "player/ShowRenderer.h"
#include "show/GifFrames.h"
#include "show/AniPicture.h"
#include "show/ImageObj.h"
#include "show/Picture.h"
#include "show/ProjectPack.h"
#include "show/SlideObject.h"

#include <gtest/gtest.h>

#include <climits>
#include <cstdio>
#include <random>
#include <string>
#include <vector>

using namespace playertest;

namespace
{

typedef std::mt19937 Rng;

int Pick(Rng& rng, int lo, int hi)
{
    return std::uniform_int_distribution<int>(lo, hi)(rng);
}

template <class T, size_t N>
const T& PickOf(Rng& rng, const T (&items)[N])
{
    return items[Pick(rng, 0, static_cast<int>(N) - 1)];
}

void PutWord(Bytes& b, int v)
{
    b.push_back(static_cast<BYTE>(v & 0xFF));
    b.push_back(static_cast<BYTE>((v >> 8) & 0xFF));
}

void PutDword(Bytes& b, long long v)
{
    for (int i = 0; i < 4; ++i)
        b.push_back(static_cast<BYTE>((v >> (8 * i)) & 0xFF));
}

// A BMP header with any values, followed by dataBytes bytes of pixels.
Bytes RawBmp(int width, int height, int bits, int compression, long long offset, int dataBytes, int colours = 0)
{
    Bytes b = {'B', 'M'};
    PutDword(b, 54 + dataBytes);
    PutDword(b, 0);
    PutDword(b, offset);
    PutDword(b, 40);
    PutDword(b, width);
    PutDword(b, height);
    PutWord(b, 1);
    PutWord(b, bits);
    PutDword(b, compression);
    PutDword(b, dataBytes);
    PutDword(b, 2835);
    PutDword(b, 2835);
    PutDword(b, colours);
    PutDword(b, 0);
    for (int i = 0; i < dataBytes; ++i)
        b.push_back(static_cast<BYTE>(i * 37));
    return b;
}

const std::vector<COLORREF> kPalette = {RGB(255, 0, 0), RGB(0, 255, 0), RGB(0, 0, 255), RGB(255, 255, 0)};

Bytes AnimatedGif(int width, int height, int frames)
{
    std::vector<GifFrameSpec> specs;
    for (int i = 0; i < frames; ++i)
        specs.push_back({i % 3, i % 2, width - i % 3, height - i % 2, i % 4, (i % 3) * 2, 1 + i % 3});
    return MakeGif(width, height, kPalette, specs);
}

// Sets the little-endian word at pos when the data is that long.
void SetWord(Bytes& b, size_t pos, int v)
{
    if (pos + 1 < b.size())
    {
        b[pos] = static_cast<BYTE>(v & 0xFF);
        b[pos + 1] = static_cast<BYTE>((v >> 8) & 0xFF);
    }
}

// Position of the first image descriptor of a GIF made by MakeGif (after the header and its table).
size_t FirstImageBlock(const Bytes& gif)
{
    for (size_t i = 13 + 3 * 4; i < gif.size(); ++i)
        if (gif[i] == 0x2C)
            return i;
    return gif.size();
}

Bytes Flip(Bytes b, Rng& rng, int count)
{
    for (int i = 0; i < count && !b.empty(); ++i)
        b[Pick(rng, 0, static_cast<int>(b.size()) - 1)] = static_cast<BYTE>(Pick(rng, 0, 255));
    return b;
}

Bytes Cut(Bytes b, size_t length)
{
    if (length < b.size())
        b.resize(length);
    return b;
}

// Every picture a damaged pack may hold, by entry name.
std::vector<PackEntry> DamagedPictures()
{
    Rng rng(20261208);
    std::vector<PackEntry> out;
    Bytes bmp = MakeSolidBmp(16, 12, RGB(200, 30, 30));
    out.push_back({"good.bmp", bmp});
    out.push_back({"empty.bmp", Bytes()});
    out.push_back({"two.bmp", Bytes{'B', 'M'}});
    out.push_back({"header.bmp", Cut(bmp, 14)});
    out.push_back({"info.bmp", Cut(bmp, 30)});
    out.push_back({"nopixels.bmp", Cut(bmp, 54)});
    out.push_back({"half.bmp", Cut(bmp, bmp.size() / 2)});
    out.push_back({"garbled.bmp", Flip(bmp, rng, 40)});
    out.push_back({"huge.bmp", RawBmp(30000, 30000, 24, 0, 54, 64)});
    out.push_back({"wide.bmp", RawBmp(2000000000, 1, 24, 0, 54, 64)});
    out.push_back({"negative.bmp", RawBmp(-16, -12, 24, 0, 54, 16 * 12 * 3)});
    out.push_back({"topdown.bmp", RawBmp(16, -12, 24, 0, 54, 16 * 12 * 3)});
    out.push_back({"zero.bmp", RawBmp(0, 0, 24, 0, 54, 16)});
    out.push_back({"bits.bmp", RawBmp(16, 12, 7, 0, 54, 600)});
    out.push_back({"rle.bmp", RawBmp(16, 12, 8, 1, 54 + 1024, 40, 256)});
    out.push_back({"palette.bmp", RawBmp(16, 12, 8, 0, 54, 200, 100000)});
    out.push_back({"offset.bmp", RawBmp(16, 12, 24, 0, 0x7FFFFFFF, 600)});
    out.push_back({"text.bmp", Bytes{'h', 'e', 'l', 'l', 'o'}});

    Bytes gif = AnimatedGif(24, 20, 3);
    out.push_back({"anim.gif", gif});
    out.push_back({"single.gif", AnimatedGif(24, 20, 1)});
    out.push_back({"many.gif", AnimatedGif(8, 8, 60)});
    out.push_back({"magic.gif", Bytes{'G', 'I', 'F'}});
    out.push_back({"head.gif", Cut(gif, 13)});
    out.push_back({"table.gif", Cut(gif, 20)});
    for (size_t length : {40u, 60u, 80u})
        out.push_back({"cut" + std::to_string(length) + ".gif", Cut(gif, length)});
    out.push_back({"cutend.gif", Cut(gif, gif.size() - 3)});
    {
        Bytes g = AnimatedGif(24, 20, 3);
        SetWord(g, 6, 0);
        SetWord(g, 8, 0);
        out.push_back({"zeroscreen.gif", g});
    }
    {
        Bytes g = AnimatedGif(24, 20, 3);
        SetWord(g, 6, 65535);
        SetWord(g, 8, 65535);
        out.push_back({"hugescreen.gif", g});
    }
    {
        Bytes g = AnimatedGif(24, 20, 1);
        SetWord(g, 6, 65535);
        SetWord(g, 8, 65535);
        out.push_back({"hugesingle.gif", g});
    }
    {
        // frames that claim a place and size far outside the logical screen
        Bytes g = AnimatedGif(24, 20, 3);
        size_t image = FirstImageBlock(g);
        SetWord(g, image + 1, 65000);
        SetWord(g, image + 3, 65000);
        SetWord(g, image + 5, 65535);
        SetWord(g, image + 7, 65535);
        out.push_back({"frameout.gif", g});
        Bytes z = AnimatedGif(24, 20, 3);
        SetWord(z, image + 5, 0);
        SetWord(z, image + 7, 0);
        out.push_back({"framezero.gif", z});
    }
    {
        // a sub-block length that runs far past the data, and one that stops early
        Bytes g = AnimatedGif(24, 20, 3);
        size_t image = FirstImageBlock(g);
        if (image + 11 < g.size())
            g[image + 11] = 0xFF;
        out.push_back({"sublen.gif", g});
        Bytes h = AnimatedGif(24, 20, 3);
        if (image + 11 < h.size())
            h[image + 11] = 0;
        out.push_back({"subzero.gif", h});
        // a local colour table flag on the first frame with no table behind it
        Bytes l = AnimatedGif(24, 20, 3);
        if (image + 9 < l.size())
            l[image + 9] = 0x87;
        out.push_back({"localtable.gif", l});
        // the LZW code size byte out of range
        Bytes c = AnimatedGif(24, 20, 3);
        if (image + 10 < c.size())
            c[image + 10] = 0xFF;
        out.push_back({"codesize.gif", c});
    }
    for (int i = 0; i < 8; ++i)
        out.push_back({"mut" + std::to_string(i) + ".gif", Flip(gif, rng, 1 + i * 3)});
    for (int i = 0; i < 4; ++i)
        out.push_back({"mut" + std::to_string(i) + ".bmp", Flip(bmp, rng, 1 + i * 5)});
    // a GIF under a BMP name and the other way round
    out.push_back({"gifnamed.bmp", gif});
    out.push_back({"bmpnamed.gif", bmp});
    return out;
}

std::string Integer(Rng& rng)
{
    static const char* const odd[] = {"0",
                                      "-1",
                                      "1",
                                      "-2147483648",
                                      "2147483647",
                                      "99999999999999",
                                      "-99999999999",
                                      "65536",
                                      "-65536",
                                      "32767",
                                      "-32768",
                                      "",
                                      "abc",
                                      "12abc",
                                      " 7",
                                      "0x10",
                                      "+5",
                                      "--3",
                                      "1e9",
                                      "4294967295"};
    switch (Pick(rng, 0, 4))
    {
    case 0:
    case 1: return PickOf(rng, odd);
    case 2: return std::to_string(Pick(rng, -3000, 3000));
    case 3: return std::to_string(Pick(rng, INT_MIN, INT_MAX));
    default: return std::to_string(Pick(rng, 0, 5));
    }
}

// A small value most of the time, so that shows move on; sometimes anything.
std::string Delay(Rng& rng)
{
    return Pick(rng, 0, 3) ? std::to_string(Pick(rng, -500, 400)) : Integer(rng);
}

std::string Colour(Rng& rng)
{
    static const char* const odd[] = {"#ff00ff", "#FF00FF", "#",    "#zzzzzz", "#1234567890abcdef",
                                      "",        "ff0000",  "#FFF", "#-12345", "##00ff00"};
    if (Pick(rng, 0, 1))
        return PickOf(rng, odd);
    char text[16];
    std::snprintf(text, sizeof(text), "#%06x", Pick(rng, 0, 0xFFFFFF));
    return text;
}

std::string Junk(Rng& rng, int maxLength)
{
    std::string s;
    int n = Pick(rng, 0, maxLength);
    for (int i = 0; i < n; ++i)
    {
        char c = static_cast<char>(Pick(rng, 1, 255));
        if (c == '\r' || c == '\n')
            c = '%';
        s += c;
    }
    return s;
}

std::string Name(Rng& rng, const std::vector<std::string>& names)
{
    switch (Pick(rng, 0, 9))
    {
    case 0: return Junk(rng, 20);
    case 1: return std::string(Pick(rng, 1, 3), 'C');   // a prefix of several names
    case 2: return std::string(3000, 'N');
    default: return names[Pick(rng, 0, static_cast<int>(names.size()) - 1)];
    }
}

const std::vector<std::string> kEffects = {"NONE",
                                           "LEFT-RIGHT",
                                           "RIGHT-LEFT",
                                           "TOP-BOTTOM",
                                           "BOTTOM-TOP",
                                           "FULL-CENTER",
                                           "CENTER-FULL",
                                           "HORZ-STRIPES",
                                           "VERT-STRIPES",
                                           "MOVE-LEFTRIGHT",
                                           "MOVE-RIGHTLEFT",
                                           "MOVE-TOPBOTTOM",
                                           "MOVE-BOTTOMTOP",
                                           "OUTIN_ROTATE_RIGHT",
                                           "OUTIN_ROTATE_BOTTOM",
                                           "COVER-FROM-RIGHT",
                                           "COVER-FROM-LEFT",
                                           "COVER-FROM-TOP",
                                           "COVER-FROM-BOTTOM",
                                           "COVER-HORIZONTAL",
                                           "COVER-VERTICAL",
                                           "COVER-FROM-INSIDE",
                                           "COVER-FORM-OUTSIDE"};
const std::vector<std::string> kMoves = {"NONE", "FROM_LEFT", "FROM_TOP", "FROM_RIGHT", "FROM_BOTTOM"};
const std::vector<std::string> kTextMoves = {"NONE", "LEFT-RIGHT", "TOP-BOTTOM", "TYPEWRITER"};

std::string Text(Rng& rng)
{
    switch (Pick(rng, 0, 5))
    {
    case 0: return "";
    case 1: return std::string(Pick(rng, 1000, 6000), 'W');
    case 2: return "%s%n%d%x%%";
    case 3: return Junk(rng, 200);
    default: return "Hello world " + std::to_string(Pick(rng, 0, 99));
    }
}

struct Line
{
    std::string text;
    Line& operator()(const std::string& key, const std::string& value)
    {
        text += key + "=" + value + "\r\n";
        return *this;
    }
};

std::string Key(const char* kind, int n, const char* key)
{
    char text[64];
    std::snprintf(text, sizeof(text), "%s%02d_%s", kind, n, key);
    return text;
}

// The objects of one slide section: OBJ keys with gaps, odd kinds and numbers, and the keys they name.
std::string RandomObjects(Rng& rng, const std::vector<std::string>& images)
{
    Line l;
    int count = Pick(rng, 0, 3) == 0 ? Pick(rng, 40, 70) : Pick(rng, 0, 8);
    for (int i = 0; i < count; ++i)
    {
        int slot = Pick(rng, 0, 4) == 0 ? Pick(rng, 0, 99) : i;   // gaps and duplicates
        int n = Pick(rng, 0, 5) == 0 ? Pick(rng, 0, 99) : slot;
        char obj[16];
        std::snprintf(obj, sizeof(obj), "OBJ%02d", slot);
        const char* kinds[] = {"TEXT", "IMAGE", "FRAME"};
        int kind = Pick(rng, 0, 2);
        char value[32];
        std::snprintf(value, sizeof(value), "%s%02d", kinds[kind], n);
        switch (Pick(rng, 0, 12))
        {
        case 0: l(obj, ""); break;
        case 1: l(obj, kinds[kind]); break;
        case 2: l(obj, std::string(kinds[kind]) + "-1"); break;
        case 3: l(obj, "XY"); break;
        default: l(obj, value); break;
        }
        const char* k = kinds[kind];
        if (Pick(rng, 0, 8) == 0)
            continue;   // an object without keys
        if (kind != 0 || Pick(rng, 0, 1))
        {
            l(Key(k, n, "X"), Pick(rng, 0, 2) ? std::to_string(Pick(rng, -1000, 1000)) : Integer(rng));
            l(Key(k, n, "Y"), Pick(rng, 0, 2) ? std::to_string(Pick(rng, -1000, 1000)) : Integer(rng));
        }
        if (kind == 0)
        {
            l(Key(k, n, "TEXT"), Text(rng));
            l(Key(k, n, "FONTNAME"), Pick(rng, 0, 2) ? "Arial" : Junk(rng, 400));
            l(Key(k, n, "FONTSIZE"), Pick(rng, 0, 1) ? std::to_string(Pick(rng, 1, 300)) : Integer(rng));
            l(Key(k, n, "FONTWEIGHT"), Pick(rng, 0, 1) ? "BOLD" : Junk(rng, 30));
            l(Key(k, n, "ITALIC"), Integer(rng));
            l(Key(k, n, "UNDERLINE"), Integer(rng));
            l(Key(k, n, "COLOR"), Colour(rng));
            l(Key(k, n, "EFFECT"), Integer(rng));
            l(Key(k, n, "DELAY"), Delay(rng));
            l(Key(k, n, "ANIMATION"), Name(rng, kTextMoves));
            l(Key(k, n, "FONTTYPE"), Integer(rng));
        }
        else if (kind == 1)
        {
            l(Key(k, n, "FILE"), Pick(rng, 0, 9) ? images[Pick(rng, 0, static_cast<int>(images.size()) - 1)]
                                                 : std::string("missing.bmp"));
            l(Key(k, n, "DELAY"), Delay(rng));
            l(Key(k, n, "ANIMATION"), Name(rng, kMoves));
            l(Key(k, n, "ANISPEED"), Integer(rng));
            l(Key(k, n, "TRANSPARENT"), Integer(rng));
            l(Key(k, n, "TRANSPCOLOR"), Colour(rng));
        }
        else
        {
            l(Key(k, n, "WIDTH"), Pick(rng, 0, 2) ? std::to_string(Pick(rng, -700, 700)) : Integer(rng));
            l(Key(k, n, "HEIGHT"), Pick(rng, 0, 2) ? std::to_string(Pick(rng, -700, 700)) : Integer(rng));
            l(Key(k, n, "DELAY"), Delay(rng));
            l(Key(k, n, "FILLMODE"), Integer(rng));
            l(Key(k, n, "LIGHT"), Integer(rng));
            l(Key(k, n, "BLUE"), Integer(rng));
            l(Key(k, n, "GREEN"), Integer(rng));
            l(Key(k, n, "RED"), Integer(rng));
            l(Key(k, n, "FRAME"), Integer(rng));
            l(Key(k, n, "FILLCOLOR"), Colour(rng));
            l(Key(k, n, "FRAMECOLOR"), Colour(rng));
            l(Key(k, n, "ANIMATION"), Name(rng, kMoves));
            l(Key(k, n, "ANISPEED"), Integer(rng));
        }
    }
    return l.text;
}

std::string RandomShowText(Rng& rng, const std::vector<std::string>& images)
{
    std::string t = "\r\n";
    auto section = [&](const std::string& name) { t += "\r\n[" + name + "]\r\n"; };
    Line l;
    auto flush = [&]
    {
        t += l.text;
        l.text.clear();
    };
    section("SHOW");
    l("VERSION", Pick(rng, 0, 10) ? "020000" : "");
    flush();
    if (Pick(rng, 0, 8))
    {
        section("WINDOW");
        l("WIDTH", Pick(rng, 0, 1) ? std::to_string(Pick(rng, 0, 700)) : Integer(rng));
        l("HEIGHT", Pick(rng, 0, 1) ? std::to_string(Pick(rng, 0, 500)) : Integer(rng));
        l("DESKTOP", Integer(rng));
        l("TITLE", Text(rng));
        flush();
    }
    section("BACKGROUND");
    l("COLOR", Colour(rng));
    flush();
    section("SOUND");
    l("FILE", Pick(rng, 0, 3) ? "" : Junk(rng, 300));
    l("REPEAT", Integer(rng));
    flush();
    section("TERMINATION");
    l("AUTOEXIT", Pick(rng, 0, 1) ? std::to_string(Pick(rng, 0, 2)) : Integer(rng));
    l("LOOP", Pick(rng, 0, 1) ? std::to_string(Pick(rng, 0, 1)) : Integer(rng));
    flush();
    section("SHOWCTRL");
    l("ADVANCE", Pick(rng, 0, 1) ? std::to_string(Pick(rng, 0, 1)) : Integer(rng));
    flush();
    int sheets = Pick(rng, 0, 4) == 0 ? Pick(rng, 40, 46) : Pick(rng, 1, 6);
    for (int i = 0; i < sheets; ++i)
    {
        int index = Pick(rng, 0, 5) == 0 ? Pick(rng, 0, 60) : i;   // gaps, duplicates, beyond 39
        char name[16];
        std::snprintf(name, sizeof(name), "SHEET%02d", index);
        section(name);
        if (Pick(rng, 0, 12))
            l("IMAGE-FILE",
              Pick(rng, 0, 12) ? images[Pick(rng, 0, static_cast<int>(images.size()) - 1)] : Junk(rng, 300));
        l("FADE_IN", Name(rng, kEffects));
        l("FADE_OUT", Name(rng, kEffects));
        l("DELAY", Delay(rng));
        l("FADESPEED", Pick(rng, 0, 1) ? std::to_string(Pick(rng, -1, 5)) : Integer(rng));
        flush();
        t += RandomObjects(rng, images);
    }
    section("AUTOSTART");
    l("ENABLE", Integer(rng));
    l("FILE", "");
    flush();
    t += "\r\n  ";
    return t;
}

// Byte-level damage of a show text: flipped, inserted and removed bytes, line breaks and brackets.
std::string Mutate(std::string t, Rng& rng)
{
    int edits = Pick(rng, 1, 40);
    for (int i = 0; i < edits && !t.empty(); ++i)
    {
        size_t at = static_cast<size_t>(Pick(rng, 0, static_cast<int>(t.size()) - 1));
        static const char* const pieces[] = {"\r\n",          "[",      "]", "=", "\n",        "\r",
                                             "[SHEET00]\r\n", "OBJ00=", "#", "-", "9999999999"};
        switch (Pick(rng, 0, 4))
        {
        case 0: t[at] = static_cast<char>(Pick(rng, 0, 255)); break;
        case 1: t.erase(at, static_cast<size_t>(Pick(rng, 1, 50))); break;
        case 2: t.insert(at, PickOf(rng, pieces)); break;
        case 3: t.insert(at, 1, '\0'); break;
        default: t.resize(at); break;
        }
    }
    return t;
}

DWORD HandleCount()
{
    DWORD count = 0;
    ::GetProcessHandleCount(::GetCurrentProcess(), &count);
    return count;
}

// A top-level window the objects invalidate and measure. It is on the screen, so that what a worker
// invalidates shows in its update region.
class CSlideWindow
{
public:
    CSlideWindow(int w, int h)
    {
        m_hWnd = ::CreateWindowExA(0, "STATIC", "", WS_POPUP, 0, 0, w, h, nullptr, nullptr,
                                   ::GetModuleHandleA(nullptr), nullptr);
        m_wnd.Borrow(m_hWnd);
        if (m_hWnd)
            ::ShowWindow(m_hWnd, SW_SHOWNOACTIVATE);
    }
    ~CSlideWindow()
    {
        if (m_hWnd)
            ::DestroyWindow(m_hWnd);
    }
    CWnd* wnd() { return m_hWnd ? &m_wnd : nullptr; }
    CRect Client() const
    {
        CRect client;
        ::GetClientRect(m_hWnd, &client);
        return client;
    }
    // Forgets what waits to be painted, then waits until a worker asks for a painting or over() holds.
    template <class F>
    bool WaitForPaintRequest(F over)
    {
        ::ValidateRect(m_hWnd, nullptr);
        return WaitFor([&] { return ::GetUpdateRect(m_hWnd, nullptr, FALSE) != FALSE || over(); });
    }

private:
    HWND m_hWnd = nullptr;
    CBorrowedWnd m_wnd;
};

// Object moves and fills run on threads in real time, which the synthetic clock would outrun: a tick of the
// entering object waits for its thread's next step (a painting of its rectangle) or end. A rectangle wholly
// outside the window shows no step: its tick goes on at once.
bool WaitForObjectStep(CShowRenderer& renderer, CSlideWindow& window)
{
    CSlideObjSlot* slot = renderer.CurrentSlide()->GetSlot(renderer.GetPlayback().nCurrentObject);
    CSlideBasicObj* object = slot && slot->m_bUsed ? slot->GetLiveObject() : nullptr;
    if (!object)
        return true;
    auto over = [slot] { return !slot->m_Image.IsMoveRunning() && !slot->m_Frame.IsAnimationRunning(); };
    CRect place, client = window.Client(), shown;
    object->GetRect(place);
    if (over() || !shown.IntersectRect(&place, &client))
        return true;
    return window.WaitForPaintRequest(over);
}

// Starts an animated picture on the window and paints it three times while its worker runs, each painting after
// a frame the worker counted (it asks for a painting). Damaged frames may ask for minutes: then the paintings
// follow at once.
void PaintWhilePlaying(CAniPicture& animated, CSlideWindow& window, CDC* dc, int x, int y)
{
    animated.Start(window.wnd(), dc, x, y, 0, 0);
    bool framesSoon = animated.IsThreadRunning() != FALSE;
    for (const CAniFrame& frame : animated.m_arrFrames)
        framesSoon = framesSoon && CAniPicture::FrameWait(frame.nDelay) <= 1000;
    for (int i = 0; i < 3; ++i)
    {
        if (framesSoon)
            EXPECT_TRUE(window.WaitForPaintRequest([] { return false; }));
        animated.Draw(dc, x, y);
    }
    animated.Stop();
    EXPECT_FALSE(animated.IsPlaying());
}

struct RunResult
{
    BOOL loaded = FALSE;
    BOOL ready = FALSE;
    int ticks = 0;
    BOOL ended = FALSE;
    BOOL threadsLeft = FALSE;
    int state = 0, slide = 0, slides = 0, object = 0;
    std::string what;
};

// Reads the show text into a renderer and plays it for up to maxTicks frames of 40 ms, painting each one.
RunResult Play(const std::string& text, const std::vector<PackEntry>& pictures, Rng& rng, int maxTicks,
               bool oddStart = true)
{
    RunResult result;
    CProjectPack pack;
    pack.AddData("VEXUL.INI", text.data(), static_cast<int>(text.size()));
    for (const PackEntry& e : pictures)
        pack.AddData(e.name.c_str(), e.data.data(), static_cast<int>(e.data.size()));
    CShowRenderer renderer;
    renderer.SetPack(&pack);
    int size = 0;
    BYTE* data = pack.GetEntryData("VEXUL.INI", size);
    result.loaded = renderer.Load("robust.vxl", data, size);
    // The window the player would make for the show (already clamped by the reader).
    int width = renderer.m_nWindowWidth - 2, height = renderer.m_nWindowHeight - 14;
    if (width < 1 || width > 640)
        width = 1;
    if (height < 1 || height > 480)
        height = 1;
    CSlideWindow window(width, height);
    DibSurface surface(width, height);
    int y0 = Pick(rng, 0, 3) == 0 ? 12 : 0;
    // now and then a slide area of almost nothing
    int right = width, bottom = height;
    if (oddStart && Pick(rng, 0, 7) == 0)
    {
        right = Pick(rng, 0, 2);
        bottom = Pick(rng, 0, 2);
    }
    result.ready = renderer.Start(0, 0, right, bottom, 0, y0, window.wnd(), 40);
    if (oddStart && Pick(rng, 0, 3) == 0)
        renderer.GoToSlide(Pick(rng, -3, 45));
    // a clock about to wrap as well
    unsigned now = oddStart && Pick(rng, 0, 5) == 0 ? static_cast<unsigned>(INT_MAX) - 2000u : 0u;
    for (; result.ticks < maxTicks; ++result.ticks)
    {
        BOOL more = renderer.Step(static_cast<int>(now));
        renderer.Paint(&surface.dc);
        if (Pick(rng, 0, 20) == 0)
            renderer.Continue();
        if (Pick(rng, 0, 30) == 0)
            renderer.ClickContinue(width - 10, height - 10);
        if ((result.ticks & 15) == 0)
            PumpPendingMessages();
        if (renderer.GetPlayback().nState == CShowRenderer::StateObjectInsert)
            EXPECT_TRUE(WaitForObjectStep(renderer, window));
        if (!more)
        {
            result.ended = TRUE;
            break;
        }
        now += 40;
    }
    result.state = renderer.GetPlayback().nState;
    result.slide = renderer.GetPlayback().nCurrentSlide;
    result.slides = renderer.GetPlayback().nSlideCount;
    result.object = renderer.GetPlayback().nCurrentObject;
    if (CSlideObjSlot* slot = renderer.CurrentSlide()->GetSlot(renderer.GetPlayback().nCurrentObject))
    {
        char text[200];
        std::snprintf(text, sizeof(text), "%s %dx%d at %d,%d", static_cast<const char*>(slot->m_Image.m_strFile),
                      slot->m_Image.m_nWidth, slot->m_Image.m_nHeight, slot->m_Image.m_nX, slot->m_Image.m_nY);
        result.what = text;
    }
    renderer.Stop();
    for (int i = 0; i < CShowRenderer::MaxSlides; ++i)
        for (int j = 0; j < CSlide::MaxObjects; ++j)
            if (CSlideObjSlot* slot = renderer.m_Slides[i].GetSlot(j))
            {
                if (slot->m_Frame.IsAnimationRunning() || slot->m_Image.IsMoveRunning())
                    result.threadsLeft = TRUE;
                if (slot->m_Image.m_pAniPicture && slot->m_Image.m_pAniPicture->IsPlaying())
                    result.threadsLeft = TRUE;
            }
    PumpPendingMessages();
    return result;
}

std::vector<std::string> Names(const std::vector<PackEntry>& entries)
{
    std::vector<std::string> names;
    for (const PackEntry& e : entries)
        names.push_back(e.name);
    return names;
}

class RobustnessTest : public ::testing::Test
{
protected:
    static void SetUpTestSuite() { s_pictures = new std::vector<PackEntry>(DamagedPictures()); }
    static void TearDownTestSuite()
    {
        delete s_pictures;
        s_pictures = nullptr;
    }
    static std::vector<PackEntry>* s_pictures;
};

std::vector<PackEntry>* RobustnessTest::s_pictures = nullptr;

}   // namespace

TEST_F(RobustnessTest, RandomShowTextsPlayToTheirEndOrKeepStepping)
{
    Rng rng(1105);
    std::vector<std::string> images = Names(*s_pictures);
    int ready = 0;
    DWORD handles = 0;
    for (int run = 0; run < 12; ++run)
    {
        std::string text = RandomShowText(rng, images);
        RunResult r = Play(text, *s_pictures, rng, 300);
        ASSERT_FALSE(r.threadsLeft) << "run " << run;
        EXPECT_TRUE(r.ended || r.ticks == 300) << "run " << run;
        if (r.ready)
            ++ready;
        if (run == 2)
            handles = HandleCount();   // after the system's first-use handles
    }
    EXPECT_GT(ready, 0);   // some shows did play
    EXPECT_LE(HandleCount(), handles + 8);
}

TEST_F(RobustnessTest, MutatedShowTextsNeverCrash)
{
    Rng rng(2105);
    std::vector<std::string> images = Names(*s_pictures);
    for (int run = 0; run < 16; ++run)
    {
        std::string text = Mutate(RandomShowText(rng, images), rng);
        RunResult r = Play(text, *s_pictures, rng, 150);
        ASSERT_FALSE(r.threadsLeft) << "run " << run;
    }
}

TEST_F(RobustnessTest, EveryDamagedPictureAsBackgroundAndObject)
{
    // One slide per picture, each picture also an image object of its slide, one moving in (fast: the
    // moves run in real time).
    Rng rng(3105);
    const std::vector<PackEntry>& pictures = *s_pictures;
    for (size_t first = 0; first < pictures.size(); first += 8)
    {
        std::string t = "\r\n\r\n[SHOW]\r\nVERSION=020000\r\n\r\n[WINDOW]\r\nWIDTH=200\r\nHEIGHT=160\r\n"
                        "\r\n[TERMINATION]\r\nAUTOEXIT=0\r\nLOOP=0\r\n";
        int sheet = 0;
        for (size_t i = first; i < pictures.size() && i < first + 8; ++i, ++sheet)
        {
            char head[128];
            std::snprintf(head, sizeof(head),
                          "\r\n[SHEET%02d]\r\nIMAGE-FILE=%s\r\nFADE_IN=%s\r\nFADE_OUT=%s\r\n"
                          "DELAY=100\r\nFADESPEED=0\r\n",
                          sheet, pictures[i].name.c_str(), kEffects[(i * 3) % kEffects.size()].c_str(),
                          kEffects[(i * 5 + 1) % kEffects.size()].c_str());
            t += head;
            for (int n = 0; n < 2; ++n)
            {
                char obj[512];
                std::snprintf(
                    obj, sizeof(obj),
                    "OBJ%02d=IMAGE%02d\r\nIMAGE%02d_X=%d\r\nIMAGE%02d_Y=%d\r\n"
                    "IMAGE%02d_FILE=%s\r\nIMAGE%02d_DELAY=0\r\nIMAGE%02d_ANIMATION=%s\r\n"
                    "IMAGE%02d_ANISPEED=%d\r\nIMAGE%02d_TRANSPARENT=%d\r\nIMAGE%02d_TRANSPCOLOR=#000000\r\n",
                    n, n, n, n * 30 - 10, n, n * 20 - 5, n, pictures[(i + n) % pictures.size()].name.c_str(), n, n,
                    n ? "NONE" : kMoves[i % kMoves.size()].c_str(), n, 2500, n, n, n);
                t += obj;
            }
        }
        t += "\r\n  ";
        RunResult r = Play(t, pictures, rng, 2000, false);
        EXPECT_TRUE(r.loaded);
        EXPECT_FALSE(r.threadsLeft) << "from picture " << first;
        EXPECT_TRUE(r.ended) << "from picture " << first << " after " << r.ticks << " ticks in state " << r.state
                             << " on slide " << r.slide << " of " << r.slides << ", object " << r.object << " "
                             << r.what;
    }
}

TEST_F(RobustnessTest, ManySlidesAndObjectsFarOutside)
{
    // 46 sheets (the last ones beyond the model), each with 52 objects far outside the window.
    Rng rng(4105);
    std::string t = "\r\n\r\n[SHOW]\r\nVERSION=020000\r\n\r\n[WINDOW]\r\nWIDTH=640\r\nHEIGHT=480\r\n";
    for (int s = 0; s < 46; ++s)
    {
        char head[160];
        std::snprintf(head, sizeof(head),
                      "\r\n[SHEET%02d]\r\nIMAGE-FILE=good.bmp\r\nFADE_IN=%s\r\nFADE_OUT=%s\r\n"
                      "DELAY=%d\r\nFADESPEED=%d\r\n",
                      s, kEffects[s % kEffects.size()].c_str(), kEffects[(s * 7) % kEffects.size()].c_str(),
                      s % 3 == 0 ? -5 : 40, s % 5 - 1);
        t += head;
        for (int n = 0; n < 52; ++n)
        {
            const int distant[] = {INT_MIN, INT_MIN / 2, -100000, 100000, INT_MAX / 2, INT_MAX};
            int x = distant[(n + s) % 6], y = distant[(n * 5 + s) % 6];
            char obj[512];
            switch (n % 3)
            {
            case 0:
                std::snprintf(obj, sizeof(obj),
                              "OBJ%02d=FRAME%02d\r\nFRAME%02d_X=%d\r\nFRAME%02d_Y=%d\r\n"
                              "FRAME%02d_WIDTH=%d\r\nFRAME%02d_HEIGHT=%d\r\nFRAME%02d_DELAY=0\r\n"
                              "FRAME%02d_FILLMODE=%d\r\nFRAME%02d_ANIMATION=%s\r\nFRAME%02d_ANISPEED=%d\r\n",
                              n, n, n, x, n, y, n, distant[n % 6], n, distant[(n + 3) % 6], n, n, n % 7 - 1, n,
                              kMoves[n % kMoves.size()].c_str(), n, distant[(n + 1) % 6]);
                break;
            case 1:
                std::snprintf(obj, sizeof(obj),
                              "OBJ%02d=TEXT%02d\r\nTEXT%02d_X=%d\r\nTEXT%02d_Y=%d\r\n"
                              "TEXT%02d_TEXT=Far away\r\nTEXT%02d_FONTSIZE=%d\r\nTEXT%02d_DELAY=0\r\n"
                              "TEXT%02d_EFFECT=%d\r\nTEXT%02d_ANIMATION=%s\r\nTEXT%02d_FONTTYPE=%d\r\n",
                              n, n, n, x, n, y, n, n, distant[n % 6], n, n, distant[(n + 2) % 6], n,
                              kTextMoves[n % kTextMoves.size()].c_str(), n, n % 2);
                break;
            default:
                std::snprintf(obj, sizeof(obj),
                              "OBJ%02d=IMAGE%02d\r\nIMAGE%02d_X=%d\r\nIMAGE%02d_Y=%d\r\n"
                              "IMAGE%02d_FILE=%s\r\nIMAGE%02d_DELAY=0\r\nIMAGE%02d_ANIMATION=%s\r\n"
                              "IMAGE%02d_ANISPEED=%d\r\nIMAGE%02d_TRANSPARENT=1\r\n",
                              n, n, n, x, n, y, n, n % 4 == 2 ? "anim.gif" : "good.bmp", n, n,
                              kMoves[n % kMoves.size()].c_str(), n, distant[(n + 4) % 6], n);
                break;
            }
            t += obj;
        }
    }
    t += "\r\n  ";
    // a warm-up run of the first slide alone, so that the handles the system keeps after its first use
    // are not counted
    Play(t.substr(0, t.find("\r\n[SHEET01]")) + "\r\n  ", *s_pictures, rng, 30, false);
    DWORD before = HandleCount();
    RunResult r = Play(t, *s_pictures, rng, 250, false);
    EXPECT_TRUE(r.ready);
    EXPECT_FALSE(r.threadsLeft);
    EXPECT_TRUE(r.ended || r.ticks == 250);
    EXPECT_LE(HandleCount(), before + 8);
}

TEST_F(RobustnessTest, EmptyAndTinyShowTexts)
{
    Rng rng(5105);
    const char* const texts[] = {
        "",
        "\r\n",
        "[",
        "]",
        "=",
        "[SHOW]",
        "[SHOW]\r\nVERSION=",
        "\r\n[SHOW]\r\nVERSION=1\r\n",
        "\r\n[SHOW]\r\nVERSION=1\r\n[SHEET00]\r\nIMAGE-FILE=good.bmp",
        "\r\n[SHOW]\r\nVERSION=1\r\n[SHEET00]\r\nIMAGE-FILE=good.bmp\r\nOBJ00=TEXT00\r\nTEXT00_TEXT=x",
        "\r\n[SHOW]\r\nVERSION=1\r\n[SHEET00]\r\nIMAGE-FILE=good.bmp\r\nOBJ49=FRAME99\r\nOBJ50=FRAME50"};
    for (const char* text : texts)
    {
        RunResult r = Play(text, *s_pictures, rng, 200);
        EXPECT_FALSE(r.threadsLeft) << text;
        EXPECT_TRUE(r.ended || r.ticks == 200) << text;
    }
    // a text with no end of line at all and one byte less than its size says
    std::string big(100000, 'A');
    RunResult r = Play(big, *s_pictures, rng, 20);
    EXPECT_FALSE(r.ready);
}

// Damaged picture data straight through the picture classes: decoded, measured and drawn, and the animated
// ones started and stopped on a window.
TEST_F(RobustnessTest, DamagedPicturesLoadAndDrawOrStayAbsent)
{
    CSlideWindow window(120, 90);
    DibSurface surface(120, 90);
    for (const PackEntry& e : *s_pictures)
    {
        SCOPED_TRACE(e.name);
        CPicture picture;
        picture.LoadFromMemory(e.data.empty() ? nullptr : e.data.data(), static_cast<DWORD>(e.data.size()));
        if (picture.IsLoaded())
        {
            EXPECT_GT(picture.GetWidth(), 0);
            EXPECT_GT(picture.GetHeight(), 0);
        }
        picture.Render(&surface.dc, CRect(0, 0, 120, 90));
        picture.RenderFitted(&surface.dc, CRect(0, 0, 120, 90));
        CBitmap bitmap;
        if (picture.IsLoaded() && picture.RenderToBitmap(&surface.dc, &bitmap, 40, 30, nullptr))
            CPicture::DrawTransparent(&surface.dc, 5, 5, 40, 30, &bitmap, 0, 0, RGB(0, 0, 0), nullptr);

        CAniPicture animated;
        if (animated.LoadFromMemory(e.data.empty() ? nullptr : e.data.data(), static_cast<DWORD>(e.data.size())))
        {
            EXPECT_GT(animated.m_nWidth, 0);
            EXPECT_GT(animated.m_nHeight, 0);
            PaintWhilePlaying(animated, window, &surface.dc, 3, 4);
        }
    }
}

// GIF data with random damage: the frame walk stays within the data and every frame it cuts out is a whole
// one-frame GIF.
TEST_F(RobustnessTest, MutatedGifsSplitWithinTheirData)
{
    Rng rng(1124);
    Bytes gif = AnimatedGif(24, 20, 4);
    CSlideWindow window(60, 60);
    DibSurface surface(60, 60);
    for (int run = 0; run < 400; ++run)
    {
        Bytes data =
            Pick(rng, 0, 3) ? Flip(gif, rng, Pick(rng, 1, 12)) : Cut(Flip(gif, rng, 3), Pick(rng, 0, 200));
        std::vector<GifFrameBlock> frames;
        int count = CountGifFrames(data.data(), data.size());
        SplitGifFrames(data.data(), data.size(), frames);
        ASSERT_EQ(count, static_cast<int>(frames.size())) << "run " << run;
        for (const GifFrameBlock& f : frames)
        {
            ASSERT_GE(f.data.size(), 14u);
            EXPECT_EQ(0x3B, f.data.back());
            EXPECT_LE(f.data.size(), data.size() + 1);
        }
        if (run % 20 == 0)
        {
            // a few of them all the way through the animated picture
            CAniPicture animated;
            if (animated.LoadFromMemory(data.data(), static_cast<DWORD>(data.size())))
                PaintWhilePlaying(animated, window, &surface.dc, 0, 0);
        }
    }
}

TEST_F(RobustnessTest, AnimatedGifWithoutLogicalScreenIsNoAnimation)
{
    // Three frames of their own size, but a logical screen of 0 x 0 to compose them on.
    Bytes gif = AnimatedGif(24, 20, 3);
    SetWord(gif, 6, 0);
    SetWord(gif, 8, 0);
    CAniPicture animated;
    EXPECT_FALSE(animated.LoadFromMemory(gif.data(), static_cast<DWORD>(gif.size())));
    EXPECT_EQ(0, animated.GetFrameCount());

    // The image object falls back to a still picture, or none, and never plays it.
    CProjectPack pack;
    pack.AddData("zero.gif", gif.data(), static_cast<int>(gif.size()));
    CImageObj image;
    image.m_strFile = "zero.gif";
    image.Prepare(&pack, nullptr);
    EXPECT_EQ(nullptr, image.m_pAniPicture);
    EXPECT_FALSE(image.m_bUseAniPicture);
}

TEST_F(RobustnessTest, HugeLightenedRectanglePlaysToItsEnd)
{
    // A rectangle far larger than any slide, lightening what lies under it; the rectangle's own test shows
    // that it processes no more than what the surface shows.
    Rng rng(1122);
    std::string t = "\r\n\r\n[SHOW]\r\nVERSION=020000\r\n\r\n[WINDOW]\r\nWIDTH=320\r\nHEIGHT=240\r\n"
                    "\r\n[SHEET00]\r\nIMAGE-FILE=good.bmp\r\nDELAY=200\r\n"
                    "OBJ00=FRAME00\r\nFRAME00_X=-100\r\nFRAME00_Y=-100\r\nFRAME00_WIDTH=20000\r\n"
                    "FRAME00_HEIGHT=20000\r\nFRAME00_DELAY=0\r\nFRAME00_FILLMODE=1\r\nFRAME00_LIGHT=40\r\n"
                    "FRAME00_ANIMATION=NONE\r\n\r\n  ";
    RunResult r = Play(t, *s_pictures, rng, 200, false);
    EXPECT_TRUE(r.ended);
}
