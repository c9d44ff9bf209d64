// Making shows with the show model for the project's own tools (the demo, the tutorial example): pictures
// drawn with GDI into a DIB section and saved as BMP file data, slides with their objects, and the pack as the
// editor writes it. Header only; each tool is one program.
#pragma once

#include "framework/win/Framework.h"
#include "show/FontEmbedding.h"
#include "show/ProjectPack.h"
#include "show/ShowData.h"
#include "show/ShowText.h"
#include "tests/support/BmpFile.h"

#include <cmath>
#include <cstring>
#include <string>
#include <utility>
#include <vector>

namespace showart
{

typedef std::vector<BYTE> Bytes;

const int kWindowWidth = 640;
const int kWindowHeight = 480;
const int kSlideWidth = kWindowWidth - 2;
const int kSlideHeight = kWindowHeight - 14;
const char* const kFace = "Tahoma";       // present on every Windows system and in Wine's default prefix
const COLORREF kKey = RGB(255, 0, 255);   // transparent colour of the cut-out pictures
// What artwork starts as, so that a check finds what no drawing covered (no picture uses the colour).
const COLORREF kUnpainted = RGB(1, 254, 3);

// ---------------------------------------------------------------------------------------------------------
// Artwork: a 24-bit DIB section drawn with GDI and saved as BMP file data.

class CArt
{
public:
    CArt(int width, int height) : m_width(width), m_height(height)
    {
        BITMAPINFO info = {};
        info.bmiHeader.biSize = sizeof(BITMAPINFOHEADER);
        info.bmiHeader.biWidth = width;
        info.bmiHeader.biHeight = height;   // bottom-up, as a BMP file stores its rows
        info.bmiHeader.biPlanes = 1;
        info.bmiHeader.biBitCount = 24;
        info.bmiHeader.biCompression = BI_RGB;
        m_dc = CreateCompatibleDC(nullptr);
        m_bitmap = CreateDIBSection(m_dc, &info, DIB_RGB_COLORS, reinterpret_cast<void**>(&m_bits), nullptr, 0);
        m_old = (m_dc && m_bitmap) ? SelectObject(m_dc, m_bitmap) : nullptr;
        if (m_dc)
            SetBkMode(m_dc, TRANSPARENT);
        if (IsValid())
            Fill(kUnpainted);
    }
    ~CArt()
    {
        if (m_old)
            SelectObject(m_dc, m_old);
        if (m_bitmap)
            DeleteObject(m_bitmap);
        if (m_dc)
            DeleteDC(m_dc);
    }
    CArt(const CArt&) = delete;
    CArt& operator=(const CArt&) = delete;

    BOOL IsValid() const { return m_old != nullptr && m_bits != nullptr; }
    HDC DC() const { return m_dc; }

    void Fill(COLORREF colour) { Box(0, 0, m_width, m_height, colour); }

    void Box(int left, int top, int right, int bottom, COLORREF colour)
    {
        RECT r = {left, top, right, bottom};
        HBRUSH brush = CreateSolidBrush(colour);
        FillRect(m_dc, &r, brush);
        DeleteObject(brush);
    }

    // A gradient from one colour to another, top to bottom (vertical) or left to right.
    void Gradient(int left, int top, int right, int bottom, COLORREF from, COLORREF to, BOOL vertical)
    {
        TRIVERTEX v[2] = {};
        v[0].x = left;
        v[0].y = top;
        v[0].Red = static_cast<COLOR16>(GetRValue(from) << 8);
        v[0].Green = static_cast<COLOR16>(GetGValue(from) << 8);
        v[0].Blue = static_cast<COLOR16>(GetBValue(from) << 8);
        v[1].x = right;
        v[1].y = bottom;
        v[1].Red = static_cast<COLOR16>(GetRValue(to) << 8);
        v[1].Green = static_cast<COLOR16>(GetGValue(to) << 8);
        v[1].Blue = static_cast<COLOR16>(GetBValue(to) << 8);
        GRADIENT_RECT g = {0, 1};
        if (!GradientFill(m_dc, v, 2, &g, 1, vertical ? GRADIENT_FILL_RECT_V : GRADIENT_FILL_RECT_H))
            Box(left, top, right, bottom, from);
    }

    // Ellipse, rectangle or polygon in a fill colour with an outline (none when width is 0).
    void Ellipse(int left, int top, int right, int bottom, COLORREF fill, COLORREF line, int width = 0)
    {
        Shape(fill, line, width, [&] { ::Ellipse(m_dc, left, top, right, bottom); });
    }
    void RoundBox(int left, int top, int right, int bottom, int radius, COLORREF fill, COLORREF line,
                  int width = 0)
    {
        Shape(fill, line, width, [&] { ::RoundRect(m_dc, left, top, right, bottom, radius, radius); });
    }
    void Polygon(const std::vector<POINT>& points, COLORREF fill, COLORREF line, int width = 0)
    {
        Shape(fill, line, width, [&] { ::Polygon(m_dc, points.data(), static_cast<int>(points.size())); });
    }
    void Line(int x1, int y1, int x2, int y2, COLORREF colour, int width = 1)
    {
        HPEN pen = CreatePen(PS_SOLID, width, colour);
        HGDIOBJ old = SelectObject(m_dc, pen);
        MoveToEx(m_dc, x1, y1, nullptr);
        LineTo(m_dc, x2, y2);
        SelectObject(m_dc, old);
        DeleteObject(pen);
    }

    // A five-pointed star around (cx, cy).
    void Star(int cx, int cy, int outer, int inner, COLORREF fill, COLORREF line)
    {
        std::vector<POINT> points;
        for (int i = 0; i < 10; ++i)
        {
            double angle = -1.5707963 + i * 3.14159265 / 5;
            int radius = (i % 2) ? inner : outer;
            points.push_back(
                {cx + static_cast<LONG>(radius * cos(angle)), cy + static_cast<LONG>(radius * sin(angle))});
        }
        Polygon(points, fill, line, 1);
    }

    void Text(int x, int y, const char* text, int height, COLORREF colour, BOOL bold = TRUE, UINT align = TA_LEFT)
    {
        HFONT font = CreateFontA(-height, 0, 0, 0, bold ? FW_BOLD : FW_NORMAL, 0, 0, 0, DEFAULT_CHARSET, 0, 0,
                                 NONANTIALIASED_QUALITY, 0, kFace);
        HGDIOBJ old = SelectObject(m_dc, font);
        SetTextColor(m_dc, colour);
        SetTextAlign(m_dc, align | TA_TOP);
        TextOutA(m_dc, x, y, text, static_cast<int>(strlen(text)));
        SetTextAlign(m_dc, TA_LEFT | TA_TOP);
        SelectObject(m_dc, old);
        DeleteObject(font);
    }

    // The picture as the bytes of a BMP file.
    Bytes ToBmp() const
    {
        if (!IsValid())
            return Bytes();
        GdiFlush();
        return BmpFromRows(m_width, m_height, m_bits);
    }

private:
    template <typename Draw>
    void Shape(COLORREF fill, COLORREF line, int width, Draw draw)
    {
        HBRUSH brush = CreateSolidBrush(fill);
        HPEN pen = width > 0 ? CreatePen(PS_SOLID, width, line) : nullptr;
        HGDIOBJ oldBrush = SelectObject(m_dc, brush);
        HGDIOBJ oldPen = SelectObject(m_dc, pen ? static_cast<HGDIOBJ>(pen) : GetStockObject(NULL_PEN));
        draw();
        SelectObject(m_dc, oldPen);
        SelectObject(m_dc, oldBrush);
        if (pen)
            DeleteObject(pen);
        DeleteObject(brush);
    }

    int m_width;
    int m_height;
    HDC m_dc = nullptr;
    HBITMAP m_bitmap = nullptr;
    HGDIOBJ m_old = nullptr;
    BYTE* m_bits = nullptr;
};

inline COLORREF Mix(COLORREF a, COLORREF b, int percentOfB)
{
    auto mix = [&](int x, int y) { return static_cast<BYTE>(x + (y - x) * percentOfB / 100); };
    return RGB(mix(GetRValue(a), GetRValue(b)), mix(GetGValue(a), GetGValue(b)), mix(GetBValue(a), GetBValue(b)));
}

// ---------------------------------------------------------------------------------------------------------
// The show.

// A show being made: its pictures (for the objects that load theirs when they are set, and in the order
// they go into the pack) and the show itself.
struct CShowMaker
{
    CProjectPack pack;
    std::vector<std::pair<std::string, Bytes>> files;
    CShowData show;

    void Add(const char* name, const Bytes& data)
    {
        if (pack.FindEntry(name) >= 0)
            return;
        pack.AddData(name, data.data(), static_cast<int>(data.size()));
        files.emplace_back(name, data);
    }
};

inline void SetupShow(CShowData& show, const char* title, int advance, const char* version)
{
    show.SetDefaults();
    show.m_strShowVersion = version;
    show.m_nWindowWidth = kWindowWidth;
    show.m_nWindowHeight = kWindowHeight;
    show.m_nSlideWidth = kSlideWidth;
    show.m_nSlideHeight = kSlideHeight;
    show.m_nSlideOption = 1;
    show.m_nDesktopMode = 0;
    show.m_strTitle = title;
    show.m_crBackground = RGB(0, 0, 0);
    show.m_nAutoExit = 0;   // ends after the last slide
    show.m_nLoop = 0;
    show.m_nAdvanceMode = advance;
    show.m_bSoundOn = FALSE;
    for (int i = 0; i < CShowData::MaxSlides; ++i)
        show.m_Slides[i].SetSize(kSlideWidth, kSlideHeight);
}

inline CSlide& AddSlide(CShowMaker& maker, int index, const char* image, const Bytes& bmp, int fadeIn, int fadeOut,
                        int delay, int fadeSpeed = 1)
{
    maker.Add(image, bmp);
    CSlide& slide = maker.show.m_Slides[index];
    slide.m_Background.m_strImageFile = image;
    slide.m_Background.m_FadeIn.SetSelectedIndex(fadeIn);
    slide.m_Background.m_FadeOut.SetSelectedIndex(fadeOut);
    slide.m_Background.m_nDelay = delay;
    slide.m_Background.m_nFadeSpeed = fadeSpeed;
    return slide;
}

inline CSlideObjSlot& NextSlot(CSlide& slide)
{
    int free = slide.FindFreeObjectSlot();
    return *slide.GetSlot(free < 0 ? CSlide::MaxObjects - 1 : free);
}

enum TextAnim
{
    TEXT_NONE = 0,
    TEXT_LEFT_RIGHT = 1,
    TEXT_TOP_BOTTOM = 2,
    TEXT_TYPEWRITER = 3
};
enum MoveAnim
{
    FROM_NONE = 0,
    FROM_LEFT = 1,
    FROM_TOP = 2,
    FROM_RIGHT = 3,
    FROM_BOTTOM = 4
};

inline void AddText(CSlide& slide, int x, int y, const char* text, int size, COLORREF colour, int animation,
                    int delay, BOOL shadow = FALSE)
{
    CSlideObjSlot& slot = NextSlot(slide);
    slot.CreateText(x, y, text, "", kFace, size, "BOLD", FALSE, FALSE, shadow ? 1 : 0, colour, delay);
    slot.m_Text.m_Animation.SetSelectedIndex(animation);
    slot.m_Text.m_bFontInPoints = FALSE;   // sizes here are pixels
}

inline void AddImage(CShowMaker& maker, CSlide& slide, int x, int y, const char* file, const Bytes& bmp,
                     int animation, int delay, BOOL transparent, int speed = 1000)
{
    maker.Add(file, bmp);
    CSlideObjSlot& slot = NextSlot(slide);
    slot.CreateImage(x, y, file, animation, delay, transparent, kKey, speed, &maker.pack);
}

inline void AddRectangle(CSlide& slide, int x, int y, int width, int height, int mode, COLORREF fill, int light,
                         int red, int green, int blue, BOOL frame, COLORREF frameColour, int animation, int speed,
                         int delay)
{
    FrameObjRecord r = {};
    r.nKind = CSlideObjSlot::KIND_RECTANGLE;
    r.nX = x;
    r.nY = y;
    r.nWidth = width;
    r.nHeight = height;
    r.nAnimation = animation;
    r.nSpeed = speed;
    r.nFillMode = mode;
    r.nLight = light;
    r.nRed = red;
    r.nGreen = green;
    r.nBlue = blue;
    r.bFrame = frame;
    r.crFill = fill;
    r.crFrame = frameColour;
    CSlideObjSlot& slot = NextSlot(slide);
    slot.CreateRectangle(r);
    slot.m_Frame.m_nDelay = delay;
}

// Effect indexes of the effect name table.
enum
{
    NONE = 0,
    LEFT_RIGHT = 1,
    RIGHT_LEFT = 2,
    TOP_BOTTOM = 3,
    BOTTOM_TOP = 4,
    FULL_CENTER = 5,
    CENTER_FULL = 6,
    HORZ_STRIPES = 7,
    VERT_STRIPES = 8,
    MOVE_LEFTRIGHT = 9,
    MOVE_RIGHTLEFT = 10,
    MOVE_TOPBOTTOM = 11,
    MOVE_BOTTOMTOP = 12,
    ROTATE_RIGHT = 13,
    ROTATE_BOTTOM = 14,
    COVER_FROM_RIGHT = 15,
    COVER_FROM_LEFT = 16,
    COVER_FROM_TOP = 17,
    COVER_FROM_BOTTOM = 18,
    COVER_HORIZONTAL = 19,
    COVER_VERTICAL = 20,
    COVER_FROM_INSIDE = 21,
    COVER_FROM_OUTSIDE = 22,
};

const COLORREF kWhite = RGB(255, 255, 255);
const COLORREF kBlack = RGB(0, 0, 0);

// ---------------------------------------------------------------------------------------------------------
// Files.

// A Unix path (as the build hands it over) seen through Wine's Z: drive; Windows paths pass unchanged.
inline std::string ToWindowsPath(std::string path)
{
    if (!path.empty() && path[0] == '/')
        path = "Z:" + path;
    for (char& c : path)
        if (c == '/')
            c = '\\';
    while (path.size() > 3 && path.back() == '\\')
        path.pop_back();
    return path;
}

inline BOOL ReadWholeFile(const std::string& path, Bytes& out)
{
    out.clear();
    HANDLE file = CreateFileA(path.c_str(), GENERIC_READ, FILE_SHARE_READ, nullptr, OPEN_EXISTING, 0, nullptr);
    if (file == INVALID_HANDLE_VALUE)
        return FALSE;
    LARGE_INTEGER size = {};
    BOOL ok = GetFileSizeEx(file, &size) && size.QuadPart < 0x7FFFFFFF;
    if (ok)
    {
        out.resize(static_cast<size_t>(size.QuadPart));
        DWORD read = 0;
        ok = out.empty() ||
             (ReadFile(file, out.data(), static_cast<DWORD>(out.size()), &read, nullptr) && read == out.size());
    }
    CloseHandle(file);
    return ok;
}

// The show text first, then the pictures, as the editor stores a pack.
inline BOOL WritePack(CShowMaker& maker, const std::string& path, const char* version)
{
    CFontNameList fonts;
    maker.show.m_pFontCollector = &fonts;
    int length = 0;
    const char* text = maker.show.BuildShowText(ShowText::ENTRY_NAME, "", &length);
    maker.show.m_pFontCollector = nullptr;
    if (!text || length <= 0)
        return FALSE;
    CProjectPack ordered;
    ordered.AddData(ShowText::ENTRY_NAME, text, length);
    for (const auto& file : maker.files)
        if (!ordered.AddData(file.first.c_str(), file.second.data(), static_cast<int>(file.second.size())))
            return FALSE;
    if (!ordered.OpenForWrite(path.c_str(), version))
        return FALSE;
    BOOL written = ordered.Write();
    return ordered.Close() && written;
}

}   // namespace showart
