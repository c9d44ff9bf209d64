// CSlideMemDC: an off-screen surface over a rectangle, filled with one colour when made, into which a
// slide is composed before it goes to the screen or into a bitmap (full size or as a thumbnail).
#pragma once

#include "framework/win/Framework.h"

class CSlideMemDC : public CDC
{
public:
    // A memory DC compatible with the reference (the screen when null) with its mapping mode, holding a
    // bitmap as large as the rectangle; the rectangle is filled with the colour. When no memory DC can be
    // made, the object holds no DC (GetSafeHdc() is null) and draws nothing.
    CSlideMemDC(CDC* pRefDC, const CRect& rect, COLORREF color);
    ~CSlideMemDC() override;

    // Replaces the bitmap with a cx x cy copy of the surface from (0, 0). FALSE (bitmap left empty) for a
    // size of zero or less or when no bitmap can be made.
    BOOL CopyToBitmap(CBitmap* pBitmap, int cx, int cy);
    // Replaces the bitmap with a width x height one on light grey holding the surface's area (0, 0,
    // srcWidth, srcHeight) scaled with its aspect ratio kept and centred. A target of zero or less gives
    // FALSE and no bitmap; a source of zero or less gives the plain grey target.
    BOOL ScaleToBitmap(CBitmap* pBitmap, int width, int height, int srcWidth, int srcHeight);

    // Where a source of srcWidth x srcHeight goes inside a width x height target (the rule ScaleToBitmap
    // uses); an empty rectangle when any size is zero or less.
    static CRect CalcScaledRect(int width, int height, int srcWidth, int srcHeight);

private:
    CRect m_rect;           // the area given at construction
    CBitmap m_bitmap;       // the surface
    HBITMAP m_hOldBitmap;   // what the DC held before (a handle: temporary wrappers do not live that long)
    CBrush m_brush;         // the fill colour
};
