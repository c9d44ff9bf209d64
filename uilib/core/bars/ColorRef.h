// Colour arithmetic of the library: percentage blends and clamped channel sums on COLORREF values, and the
// conversion between red, green, blue and hue, saturation, lightness (each 0..1).
#pragma once

#include "framework/core/wintypes.h"

class CUXColorRef
{
public:
    CUXColorRef(COLORREF color = 0) : m_color(color) {}
    operator COLORREF() const { return m_color; }

    static const COLORREF black = 0x000000;
    static const COLORREF white = 0xFFFFFF;
    static const COLORREF darkGray = 0x404040;
    static const COLORREF gray = 0x808080;
    static const COLORREF lightGray = 0xC0C0C0;

    // Each channel becomes (this × (100 − percent) + other × percent) / 100, clamped to 0..255.
    CUXColorRef& Blend(const CUXColorRef& other, int percent);
    // Each channel clamped to 0..255.
    static COLORREF FromRGB(int red, int green, int blue);
    // Adds the channels of another colour, each sum clamped to 0..255.
    CUXColorRef& Add(COLORREF other);
    // Adds amount (itself clamped to 0..255) to every channel, clamped at 255.
    CUXColorRef& Lighten(int amount);

    // Hue, saturation and lightness of the colour, each 0..1 (a grey has hue and saturation 0).
    void ToHSL(double& hue, double& saturation, double& lightness) const;
    // The colour of a hue, saturation and lightness (each 0..1); channels are truncated to 0..255. A value
    // takes it by assignment: colour = CUXColorRef::FromHSL(h, s, l).
    static COLORREF FromHSL(double hue, double saturation, double lightness);

private:
    COLORREF m_color;
};

// The same as free functions for one-off values.
inline COLORREF UXBlendColor(COLORREF first, COLORREF second, int percent)
{
    return CUXColorRef(first).Blend(second, percent);
}
inline COLORREF UXLightenColor(COLORREF color, int amount)
{
    return CUXColorRef(color).Lighten(amount);
}
