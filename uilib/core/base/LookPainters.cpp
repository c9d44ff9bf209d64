#include "uilib/core/base/LookPainters.h"

#include "uilib/core/base/GlobalData.h"

#include <cstring>
#include <vector>

CUXLook* GetToolBarLook()
{
    static CUXLookClassic classic;
    static CUXLookFlat flat;
    return uxAfxData.m_bFlatLook ? static_cast<CUXLook*>(&flat) : &classic;
}

namespace
{

// The greys of tool-bar art and the system colours that replace them.
struct SysColorMapping
{
    COLORREF stored;
    int sysColor;
};
const SysColorMapping kSysColorMap[] = {
    {RGB(0x00, 0x00, 0x00), COLOR_BTNTEXT},
    {RGB(0x80, 0x80, 0x80), COLOR_BTNSHADOW},
    {RGB(0xC0, 0xC0, 0xC0), COLOR_BTNFACE},
    {RGB(0xFF, 0xFF, 0xFF), COLOR_BTNHIGHLIGHT},
};
const int kMapped = sizeof(kSysColorMap) / sizeof(kSysColorMap[0]);

COLORREF Replacement(int entry, BOOL mono)
{
    if (mono)
        return kSysColorMap[entry].sysColor == COLOR_BTNTEXT ? RGB(0, 0, 0) : RGB(255, 255, 255);
    return ::GetSysColor(kSysColorMap[entry].sysColor);
}

RGBQUAD ToQuad(COLORREF c)
{
    RGBQUAD q = {};
    q.rgbRed = GetRValue(c);
    q.rgbGreen = GetGValue(c);
    q.rgbBlue = GetBValue(c);
    return q;
}

// A bitmap resource checked against its size: header, colour table (or bit masks) and pixels.
struct DibResource
{
    std::vector<BYTE> info;   // header and table, copied so that the table can be changed
    const void* bits = nullptr;
    int width = 0;
    int height = 0;   // rows, whatever the direction
    int colors = 0;   // colour-table entries (0 above 8 bits per pixel)

    BOOL Load(HINSTANCE instance, LPCSTR resource)
    {
        HRSRC found = ::FindResourceA(instance, resource, reinterpret_cast<LPCSTR>(RT_BITMAP));
        HGLOBAL loaded = found != nullptr ? ::LoadResource(instance, found) : nullptr;
        const BYTE* data = loaded != nullptr ? static_cast<const BYTE*>(::LockResource(loaded)) : nullptr;
        DWORD size = found != nullptr ? ::SizeofResource(instance, found) : 0;
        if (data == nullptr || size < sizeof(BITMAPINFOHEADER))
            return FALSE;
        BITMAPINFOHEADER header;
        std::memcpy(&header, data, sizeof(header));
        int bpp = header.biBitCount;
        if (header.biSize < sizeof(BITMAPINFOHEADER) || header.biSize > size || header.biWidth <= 0 ||
            header.biHeight == 0 || header.biHeight == LONG_MIN || header.biPlanes != 1 ||
            (bpp != 1 && bpp != 4 && bpp != 8 && bpp != 16 && bpp != 24 && bpp != 32) || header.biWidth > 0x8000 ||
            (header.biCompression != BI_RGB && header.biCompression != BI_BITFIELDS))
            return FALSE;
        width = header.biWidth;
        height = header.biHeight < 0 ? -header.biHeight : header.biHeight;
        if (height > 0x8000)
            return FALSE;
        if (header.biClrUsed > 256)
            return FALSE;
        // Behind the header: bit masks (plain header with bit fields only), then the colour table, which
        // pictures above 8 bits per pixel may carry as a hint.
        size_t masks = bpp > 8 && header.biCompression == BI_BITFIELDS && header.biSize == sizeof(header) ? 12 : 0;
        if (bpp <= 8)
            colors = header.biClrUsed != 0 ? static_cast<int>(header.biClrUsed) : (1 << bpp);
        size_t palette = (bpp <= 8 ? static_cast<size_t>(colors) : header.biClrUsed) * sizeof(RGBQUAD);
        size_t stride = ((static_cast<size_t>(width) * bpp + 31) / 32) * 4;
        size_t offset = header.biSize + masks + palette;
        if (offset > size || stride * height > size - offset)
            return FALSE;
        // Copied behind a plain header, so that the table can be changed and the drawing calls read no
        // longer header.
        size_t kept = masks + (bpp <= 8 ? palette : 0);
        info.assign(sizeof(BITMAPINFOHEADER) + kept, 0);
        header.biSize = sizeof(BITMAPINFOHEADER);
        header.biClrUsed = static_cast<DWORD>(colors);
        std::memcpy(info.data(), &header, sizeof(header));
        std::memcpy(info.data() + sizeof(header), data + offset - palette - masks, kept);
        bits = data + offset;
        return TRUE;
    }
    BITMAPINFO* Info() { return reinterpret_cast<BITMAPINFO*>(info.data()); }
};

// A 32-bit picture with rows from the top (height > 0) or from the bottom (height < 0).
BITMAPINFO Info32(int width, int height)
{
    BITMAPINFO bi = {};
    bi.bmiHeader.biSize = sizeof(BITMAPINFOHEADER);
    bi.bmiHeader.biWidth = width;
    bi.bmiHeader.biHeight = -height;
    bi.bmiHeader.biPlanes = 1;
    bi.bmiHeader.biBitCount = 32;
    bi.bmiHeader.biCompression = BI_RGB;
    return bi;
}

// How the screen renders the four greys, so that a picture drawn there can be compared with them.
void ProbeGreys(CDC& screenDC, COLORREF rendered[kMapped])
{
    const int strip = 40;
    BITMAPINFO bi = Info32(strip, 1);
    DWORD pixels[strip] = {};
    for (int i = 0; i < kMapped; ++i)
    {
        RGBQUAD q = ToQuad(kSysColorMap[i].stored);
        std::memcpy(&pixels[i], &q, sizeof(q));
    }
    CDC probe;
    CBitmap surface;
    for (int i = 0; i < kMapped; ++i)
        rendered[i] = kSysColorMap[i].stored;
    if (!probe.CreateCompatibleDC(&screenDC) || !surface.CreateCompatibleBitmap(&screenDC, strip, 1))
        return;
    probe.SelectObject(&surface);
    ::StretchDIBits(probe, 0, 0, strip, 1, 0, 0, strip, 1, pixels, &bi, DIB_RGB_COLORS, SRCCOPY);
    for (int i = 0; i < kMapped; ++i)
        rendered[i] = probe.GetPixel(i, 0);
}

// Replaces the rendered greys in a drawn bitmap pixel by pixel.
void MapDrawnPixels(CDC& screenDC, CBitmap& bitmap, int width, int height, BOOL mono)
{
    COLORREF rendered[kMapped];
    ProbeGreys(screenDC, rendered);
    BITMAPINFO bi = Info32(width, height);
    std::vector<RGBQUAD> pixels(static_cast<size_t>(width) * height);
    HBITMAP handle = static_cast<HBITMAP>(bitmap.GetSafeHandle());
    if (::GetDIBits(screenDC, handle, 0, height, pixels.data(), &bi, DIB_RGB_COLORS) != height)
        return;
    RGBQUAD replacement[kMapped];
    for (int i = 0; i < kMapped; ++i)
        replacement[i] = ToQuad(Replacement(i, mono));
    for (RGBQUAD& p : pixels)
    {
        COLORREF c = RGB(p.rgbRed, p.rgbGreen, p.rgbBlue);
        for (int i = 0; i < kMapped; ++i)
            if (c == rendered[i])
            {
                p = replacement[i];
                break;
            }
    }
    ::SetDIBits(screenDC, handle, 0, height, pixels.data(), &bi, DIB_RGB_COLORS);
}

}   // namespace

HBITMAP LoadSysColorBitmap(HINSTANCE instance, LPCSTR resource, BOOL mono)
{
    DibResource dib;
    if (!dib.Load(instance, resource))
        return nullptr;
    RGBQUAD* table = dib.Info()->bmiColors;
    for (int entry = 0; entry < dib.colors; ++entry)
    {
        COLORREF c = RGB(table[entry].rgbRed, table[entry].rgbGreen, table[entry].rgbBlue);
        for (int i = 0; i < kMapped; ++i)
            if (c == kSysColorMap[i].stored)
            {
                table[entry] = ToQuad(Replacement(i, mono));
                break;
            }
    }

    CWindowDC screenDC(nullptr);
    CDC mem;
    CBitmap result;
    if (!mem.CreateCompatibleDC(&screenDC) || !result.CreateCompatibleBitmap(&screenDC, dib.width, dib.height))
        return nullptr;
    mem.SelectObject(&result);
    int drawn = ::StretchDIBits(mem, 0, 0, dib.width, dib.height, 0, 0, dib.width, dib.height, dib.bits,
                                dib.Info(), DIB_RGB_COLORS, SRCCOPY);
    mem.DeleteDC();   // gives the bitmap free before it is read or handed out
    if (drawn == 0 || drawn == static_cast<int>(GDI_ERROR))
        return nullptr;
    if (dib.colors == 0)
        MapDrawnPixels(screenDC, result, dib.width, dib.height, mono);
    return static_cast<HBITMAP>(result.Detach());
}
