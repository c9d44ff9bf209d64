#include "uilib/core/base/MemDC.h"

CUXMemDC::CUXMemDC(CDC* target, const CRect& rect, COLORREF fill) : m_pTarget(target), m_rect(rect)
{
    if (m_pTarget == nullptr || m_pTarget->GetSafeHdc() == nullptr)
        return;
    if (m_rect.IsRectEmpty())
        m_pTarget->GetClipBox(&m_rect);
    if (!CreateCompatibleDC(m_pTarget))
        return;
    SetMapMode(m_pTarget->GetMapMode());
    if (!m_bitmap.CreateCompatibleBitmap(m_pTarget, m_rect.Width(), m_rect.Height()))
    {
        DeleteDC();
        return;
    }
    SelectObject(&m_bitmap);
    if (fill != static_cast<COLORREF>(-1))
        FillSolidRect(0, 0, m_rect.Width(), m_rect.Height(), fill);
    m_bValid = TRUE;
}

CUXMemDC::~CUXMemDC()
{
    if (m_bValid)
        m_pTarget->BitBlt(m_rect.left, m_rect.top, m_rect.Width(), m_rect.Height(), this, 0, 0, SRCCOPY);
    // Deleting the DC selects its first bitmap back, so the surface bitmap is free to go.
    DeleteDC();
    m_bitmap.DeleteObject();
}

BOOL CUXCachedSurface::Prepare(CDC* like, CSize size)
{
    if (m_dc.GetSafeHdc() != nullptr && size == m_size)
        return FALSE;
    // Deleting the DC selects its first bitmap back, so the old surface bitmap is free to go.
    m_dc.DeleteDC();
    m_bitmap.DeleteObject();
    m_size = size;
    if (m_dc.CreateCompatibleDC(like) && m_bitmap.CreateCompatibleBitmap(like, size.cx, size.cy))
        m_dc.SelectObject(&m_bitmap);
    return TRUE;
}

void CUXCachedSurface::CopyTo(CDC* target)
{
    if (m_dc.GetSafeHdc() != nullptr)
        target->BitBlt(0, 0, m_size.cx, m_size.cy, &m_dc, 0, 0, SRCCOPY);
}
