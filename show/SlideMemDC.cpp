#include "show/SlideMemDC.h"

namespace
{

// Replaces the bitmap with a new cx x cy one compatible with the surface and has paint draw into it
// through a memory DC; paint's result is returned. FALSE, and no bitmap, for a size of zero or less or
// when the bitmap or the DC cannot be made.
template <class Paint>
BOOL PaintNewBitmap(CDC* surface, CBitmap* pBitmap, int cx, int cy, Paint paint)
{
    if (!pBitmap)
        return FALSE;
    pBitmap->DeleteObject();
    if (!surface->GetSafeHdc() || cx <= 0 || cy <= 0)
        return FALSE;
    if (!pBitmap->CreateCompatibleBitmap(surface, cx, cy))
        return FALSE;
    CDC dc;
    if (!dc.CreateCompatibleDC(surface))
    {
        pBitmap->DeleteObject();
        return FALSE;
    }
    CBitmap* pOld = dc.SelectObject(pBitmap);
    BOOL ok = paint(dc);
    dc.SelectObject(pOld);
    return ok;
}

}   // namespace

CSlideMemDC::CSlideMemDC(CDC* pRefDC, const CRect& rect, COLORREF color) : m_rect(rect), m_hOldBitmap(nullptr)
{
    if (!CreateCompatibleDC(pRefDC))
        return;
    if (pRefDC && pRefDC->GetSafeHdc())
        SetMapMode(pRefDC->GetMapMode());
    m_brush.CreateSolidBrush(color);
    // A bitmap of no area would come back monochrome; keep one pixel of the reference's format instead.
    int cx = m_rect.Width() > 0 ? m_rect.Width() : 1;
    int cy = m_rect.Height() > 0 ? m_rect.Height() : 1;
    m_bitmap.CreateCompatibleBitmap(pRefDC, cx, cy);   // the screen's format without a reference
    if (m_bitmap.GetSafeHandle())
        if (CBitmap* pOld = SelectObject(&m_bitmap))
            m_hOldBitmap = static_cast<HBITMAP>(pOld->GetSafeHandle());
    if (!m_rect.IsRectEmpty())
        FillRect(&m_rect, &m_brush);
}

CSlideMemDC::~CSlideMemDC()
{
    if (GetSafeHdc() && m_hOldBitmap)
        SelectObject(CBitmap::FromHandle(m_hOldBitmap));
    m_hOldBitmap = nullptr;
    m_bitmap.DeleteObject();
    m_brush.DeleteObject();
    DeleteDC();
}

BOOL CSlideMemDC::CopyToBitmap(CBitmap* pBitmap, int cx, int cy)
{
    return PaintNewBitmap(this, pBitmap, cx, cy,
                          [&](CDC& dc) { return dc.BitBlt(0, 0, cx, cy, this, 0, 0, SRCCOPY); });
}

CRect CSlideMemDC::CalcScaledRect(int width, int height, int srcWidth, int srcHeight)
{
    if (width <= 0 || height <= 0 || srcWidth <= 0 || srcHeight <= 0)
        return CRect();
    double rx = static_cast<double>(srcWidth) / width;
    double ry = static_cast<double>(srcHeight) / height;
    if (rx > ry)
    {
        int h = static_cast<int>(srcHeight / rx);
        int y = (height - h) / 2;
        return CRect(0, y, width, y + h);
    }
    int w = static_cast<int>(srcWidth / ry);
    int x = (width - w) / 2;
    return CRect(x, 0, x + w, height);
}

BOOL CSlideMemDC::ScaleToBitmap(CBitmap* pBitmap, int width, int height, int srcWidth, int srcHeight)
{
    return PaintNewBitmap(this, pBitmap, width, height,
                          [&](CDC& dc)
                          {
                              dc.FillSolidRect(0, 0, width, height, RGB(192, 192, 192));
                              CRect place = CalcScaledRect(width, height, srcWidth, srcHeight);
                              if (place.IsRectEmpty())
                                  return TRUE;
                              // Colour on colour: rows and columns are dropped, not blended.
                              int oldMode = dc.SetStretchBltMode(COLORONCOLOR);
                              BOOL ok = dc.StretchBlt(place.left, place.top, place.Width(), place.Height(), this,
                                                      0, 0, srcWidth, srcHeight, SRCCOPY);
                              dc.SetStretchBltMode(oldMode);
                              return ok;
                          });
}
