// CUXMemDC: an off-screen surface for flicker-free painting. Callers draw into it in coordinates relative to
// the covered rectangle's top-left corner; the destructor copies the whole surface to the rectangle on the
// target.
#pragma once

#include "framework/win/Framework.h"

class CUXMemDC : public CDC
{
public:
    // An empty rectangle covers the target's clip box; fill (unless -1) paints the whole surface first.
    CUXMemDC(CDC* target, const CRect& rect = CRect(), COLORREF fill = static_cast<COLORREF>(-1));
    ~CUXMemDC() override;

    // False when no surface could be made: nothing is copied back then.
    BOOL IsValid() const { return m_bValid; }
    // The rectangle of the target that the surface covers.
    const CRect& GetRect() const { return m_rect; }
    // Gives the surface up without copying it to the target (for snapshots of the screen).
    void Discard() { m_bValid = FALSE; }

private:
    CDC* m_pTarget;
    CRect m_rect;
    CBitmap m_bitmap;
    BOOL m_bValid = FALSE;
};

// A memory surface kept from one paint to the next: the picture of a control that changes seldom is drawn into
// it once and copied at each paint.
class CUXCachedSurface
{
public:
    CUXCachedSurface() = default;
    CUXCachedSurface(const CUXCachedSurface&) = delete;
    CUXCachedSurface& operator=(const CUXCachedSurface&) = delete;

    // Makes the surface compatible with the target at the size, unless it is that already; TRUE when it was
    // made now (its picture has to be drawn).
    BOOL Prepare(CDC* like, CSize size);
    CDC* GetDC() { return &m_dc; }
    // Copies the whole surface to the target's top-left corner.
    void CopyTo(CDC* target);

private:
    CDC m_dc;
    CBitmap m_bitmap;
    CSize m_size;
};
