#include "uilib/core/bars/ColorRef.h"

namespace
{
int Clamp(int value)
{
    return value < 0 ? 0 : (value > 255 ? 255 : value);
}
}   // namespace

COLORREF CUXColorRef::FromRGB(int red, int green, int blue)
{
    return RGB(Clamp(red), Clamp(green), Clamp(blue));
}

CUXColorRef& CUXColorRef::Blend(const CUXColorRef& other, int percent)
{
    auto mix = [percent](int a, int b) { return (a * (100 - percent) + b * percent) / 100; };
    m_color = FromRGB(mix(GetRValue(m_color), GetRValue(other.m_color)),
                      mix(GetGValue(m_color), GetGValue(other.m_color)),
                      mix(GetBValue(m_color), GetBValue(other.m_color)));
    return *this;
}

CUXColorRef& CUXColorRef::Add(COLORREF other)
{
    m_color = FromRGB(GetRValue(m_color) + GetRValue(other), GetGValue(m_color) + GetGValue(other),
                      GetBValue(m_color) + GetBValue(other));
    return *this;
}

CUXColorRef& CUXColorRef::Lighten(int amount)
{
    int n = Clamp(amount);
    return Add(RGB(n, n, n));
}

void CUXColorRef::ToHSL(double& hue, double& saturation, double& lightness) const
{
    double r = GetRValue(m_color) / 255.0;
    double g = GetGValue(m_color) / 255.0;
    double b = GetBValue(m_color) / 255.0;
    double max = r > g ? (r > b ? r : b) : (g > b ? g : b);
    double min = r < g ? (r < b ? r : b) : (g < b ? g : b);
    lightness = (max + min) / 2;
    if (max == min)
    {
        hue = saturation = 0;
        return;
    }
    double d = max - min;
    saturation = lightness < 0.5 ? d / (max + min) : d / (2 - max - min);
    if (r == max)
        hue = (g - b) / d;
    else if (g != max)
        hue = 4 + (r - g) / d;
    else
        hue = 2 + (b - r) / d;
    hue /= 6;
    if (hue < 0)
        hue += 1;
}

namespace
{
// One channel of a colour from its hue offset t between the two lightness levels p and q.
double HueChannel(double p, double q, double t)
{
    if (t < 0)
        t += 1;
    else if (t > 1)
        t -= 1;
    if (6 * t < 1)
        return p + (q - p) * 6 * t;
    if (2 * t < 1)
        return q;
    if (3 * t < 2)
        return p + (q - p) * (2.0 / 3 - t) * 6;
    return p;
}
}   // namespace

COLORREF CUXColorRef::FromHSL(double hue, double saturation, double lightness)
{
    if (saturation == 0)
    {
        int grey = static_cast<int>(lightness * 255);
        return FromRGB(grey, grey, grey);
    }
    double q = lightness < 0.5 ? lightness * (1 + saturation) : lightness + saturation - lightness * saturation;
    double p = 2 * lightness - q;
    return FromRGB(static_cast<int>(HueChannel(p, q, hue + 1.0 / 3) * 255),
                   static_cast<int>(HueChannel(p, q, hue) * 255),
                   static_cast<int>(HueChannel(p, q, hue - 1.0 / 3) * 255));
}
