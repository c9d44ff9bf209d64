#include "uilib/core/ColorRef.h"

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
