#include "player/TransitionEffects.h"

#include "show/EffectNames.h"
#include "show/Picture.h"
#include "show/ShowData.h"

namespace
{

typedef CEffectNames Effect;

// The part of a rectangle that lies inside the slide area; false when nothing does (also for the
// inverted rectangles that some frames past their end describe).
bool ClipToArea(const CTransitionFrame& f, CRect& r)
{
    CRect area(0, 0, f.nWidth, f.nHeight);
    return r.IntersectRect(&r, &area);
}

bool Visible(const CTransitionFrame& f, const CRect& r)
{
    CRect part(r);
    return ClipToArea(f, part);
}

CSlide* SlideAt(const CTransitionFrame& f, int slide)
{
    return f.pShow ? f.pShow->GetSlide(slide) : nullptr;
}

// Fills the part of a rectangle inside the area with the background brush.
void Fill(CTransitionFrame& f, int left, int top, int right, int bottom)
{
    CRect r(left, top, right, bottom);
    if (ClipToArea(f, r) && f.pBrush && f.pBrush->GetSafeHandle())
        f.pDC->FillRect(&r, f.pBrush);
}

// The entering slide's picture stretched into the rectangle.
void DrawNew(CTransitionFrame& f, const CRect& r)
{
    if (f.pNewPicture && f.pNewPicture->IsLoaded() && Visible(f, r))
        f.pNewPicture->Render(f.pDC, r);
}

void DrawNewAll(CTransitionFrame& f)
{
    DrawNew(f, CRect(0, 0, f.nWidth, f.nHeight));
}

// Copies a rectangle of the new-slide bitmap (its part inside the area) to the same place of the surface.
void CopyNew(CTransitionFrame& f, int left, int top, int right, int bottom)
{
    CRect r(left, top, right, bottom);
    if (!ClipToArea(f, r) || !f.pNewSlideBitmap || !f.pNewSlideBitmap->GetSafeHandle())
        return;
    CDC mem;
    if (!mem.CreateCompatibleDC(f.pDC))
        return;
    CBitmap* pOld = mem.SelectObject(f.pNewSlideBitmap);
    f.pDC->BitBlt(f.nLeft + r.left, f.nTop + r.top, r.Width(), r.Height(), &mem, r.left, r.top, SRCCOPY);
    mem.SelectObject(pOld);
}

// The ending slide's finished image over the whole area.
void DrawOldAll(CTransitionFrame& f)
{
    CTransitionEffects::DrawFinishedImage(f, f.nCurrentSlide, CRect(0, 0, f.nWidth, f.nHeight));
}

BOOL DrawCoverIn(int effect, CTransitionFrame& f)
{
    const int W = f.nWidth, H = f.nHeight, N = f.nFrames, d = f.nFrame;
    if (d <= 1 && f.pNewSlideBitmap)
    {
        // The incoming background once at full size, then copied piece by piece on later frames.
        if (f.pNewPicture)
            f.pNewPicture->RenderToBitmap(f.pDC, f.pNewSlideBitmap, W, H, f.pBrush);
        else
            f.pNewSlideBitmap->DeleteObject();
    }
    // The slide before this one (after a loop: the last slide) lies underneath.
    if (f.pPreviousPicture)
        CTransitionEffects::DrawFinishedImage(f, f.nCurrentSlide - 1, CRect(0, 0, W, H));
    if (d <= 1)
        return FALSE;

    const int ax = W / N * (d - 1);
    const int ay = H / N * (d - 1);
    bool done = false;
    switch (effect)
    {
    case Effect::EFFECT_COVER_FROM_RIGHT:
    case Effect::EFFECT_COVER_FROM_LEFT: done = W < ax; break;
    case Effect::EFFECT_COVER_FROM_TOP:
    case Effect::EFFECT_COVER_FROM_BOTTOM: done = H < ay; break;
    case Effect::EFFECT_COVER_HORIZONTAL: done = H / 2 - ay < 0 || H < ay + H / 2; break;
    case Effect::EFFECT_COVER_VERTICAL: done = W / 2 - ax < 0 || W < ax + W / 2; break;
    default:   // from inside, from outside
        done = H < ay || W < ax;
        break;
    }
    if (done)
    {
        DrawNewAll(f);
        return TRUE;
    }
    switch (effect)
    {
    case Effect::EFFECT_COVER_FROM_RIGHT: CopyNew(f, W - ax, 0, W, H); break;
    case Effect::EFFECT_COVER_FROM_LEFT: CopyNew(f, 0, 0, ax, H); break;
    case Effect::EFFECT_COVER_FROM_TOP: CopyNew(f, 0, 0, W, ay); break;
    case Effect::EFFECT_COVER_FROM_BOTTOM: CopyNew(f, 0, H - ay, W, H); break;
    case Effect::EFFECT_COVER_HORIZONTAL: CopyNew(f, 0, H / 2 - ay, W, H / 2 + ay); break;
    case Effect::EFFECT_COVER_VERTICAL: CopyNew(f, W / 2 - ax, 0, W / 2 + ax, H); break;
    case Effect::EFFECT_COVER_FROM_INSIDE: CopyNew(f, W / 2 - ax, H / 2 - ay, W / 2 + ax, H / 2 + ay); break;
    default:   // from outside
        CopyNew(f, 0, 0, W, ay);
        CopyNew(f, 0, H - ay, W, H);
        CopyNew(f, 0, 0, ax, H);
        CopyNew(f, W - ax, 0, W, H);
        break;
    }
    return FALSE;
}

}   // namespace

int CTransitionEffects::NextSlideIndex(int index, int slideCount)
{
    return index + 1 < slideCount ? index + 1 : 0;
}

void CTransitionEffects::DrawSlideBackground(CTransitionFrame& f, int slide, const CRect& rect)
{
    CSlide* s = SlideAt(f, slide);
    if (s && s->m_Background.m_Picture.IsLoaded())
    {
        if (Visible(f, rect))
            s->m_Background.m_Picture.Render(f.pDC, rect);
        return;
    }
    Fill(f, rect.left, rect.top, rect.right, rect.bottom);
}

void CTransitionEffects::DrawFinishedImage(CTransitionFrame& f, int slide, const CRect& rect)
{
    if (slide < 0)
        slide = f.nSlideCount - 1;
    CSlide* s = SlideAt(f, slide);
    if (!s || !Visible(f, rect))
        return;
    if (!s->m_Bitmap.GetSafeHandle())
    {
        if (s->m_Background.m_Picture.IsLoaded())
            s->m_Background.m_Picture.Render(f.pDC, rect);
        return;
    }
    BITMAP bm = {};
    if (!s->m_Bitmap.GetBitmap(&bm) || bm.bmWidth <= 0 || bm.bmHeight <= 0)
        return;
    CDC mem;
    if (!mem.CreateCompatibleDC(f.pDC))
        return;
    CBitmap* pOld = mem.SelectObject(&s->m_Bitmap);
    if (rect.Width() == bm.bmWidth && rect.Height() == bm.bmHeight)
    {
        f.pDC->BitBlt(rect.left, rect.top, rect.Width(), rect.Height(), &mem, 0, 0, SRCCOPY);
    }
    else
    {
        int oldMode = f.pDC->SetStretchBltMode(COLORONCOLOR);
        f.pDC->StretchBlt(rect.left, rect.top, rect.Width(), rect.Height(), &mem, 0, 0, bm.bmWidth, bm.bmHeight,
                          SRCCOPY);
        f.pDC->SetStretchBltMode(oldMode);
    }
    mem.SelectObject(pOld);
}

BOOL CTransitionEffects::DrawFadeIn(int effect, CTransitionFrame& f)
{
    if (!f.pDC || !f.pDC->GetSafeHdc() || f.nFrames <= 0)
        return TRUE;
    const int W = f.nWidth, H = f.nHeight, N = f.nFrames, d = f.nFrame;

    switch (effect)
    {
    case Effect::EFFECT_LEFT_RIGHT:
    {
        DrawNewAll(f);
        int a = W / N * (N - d - 1);
        Fill(f, W - a, 0, W, H);
        return a <= 0;
    }
    case Effect::EFFECT_RIGHT_LEFT:
    {
        DrawNewAll(f);
        int a = W / N * d;
        Fill(f, 0, 0, W - a, H);
        return a >= W;
    }
    case Effect::EFFECT_TOP_BOTTOM:
    {
        DrawNewAll(f);
        int a = H / N * d;
        Fill(f, 0, a, W, H);
        return a >= H;
    }
    case Effect::EFFECT_BOTTOM_TOP:
    {
        DrawNewAll(f);
        int s = H / N;
        Fill(f, 0, 0, W, H - s * d);
        return s * d >= H;
    }
    case Effect::EFFECT_FULL_CENTER:
    {
        DrawNewAll(f);
        int bx = W / (2 * N) * d, by = H / (2 * N) * d;
        if (W - 2 * bx <= 0 || H - 2 * by <= 0)
            return TRUE;
        Fill(f, bx, by, W - bx, H - by);
        return FALSE;
    }
    case Effect::EFFECT_CENTER_FULL:
    {
        DrawNewAll(f);
        int c = H / (2 * N) * d, b = d * (W / (2 * N));
        Fill(f, 0, 0, W, H / 2 - c);
        Fill(f, 0, H / 2 + c, W, H);
        Fill(f, 0, 0, W / 2 - b, H);
        Fill(f, W / 2 + b, 0, W, H);
        return H / 2 - c <= 0;
    }
    case Effect::EFFECT_HORZ_STRIPES:
    {
        DrawNewAll(f);
        int b = N / 2;
        if (b - d <= 0 || b <= 0)
            return TRUE;
        int count = H / b + 1;
        for (int i = 0, y = 0; i < count && y <= H; ++i, y += 2 * b)
            Fill(f, 0, y, W, y + 2 * (b - d));
        return FALSE;
    }
    case Effect::EFFECT_VERT_STRIPES:
    {
        DrawNewAll(f);
        int b = N / 2;
        if (b - d > 0 && b > 0)
        {
            int count = W / b + 1;
            for (int i = 0, x = 0; i < count && x <= W; ++i, x += 2 * b)
                Fill(f, x, 0, x + 2 * b - 2 * d, H);
        }
        return N / 2 < d;
    }
    case Effect::EFFECT_MOVE_LEFTRIGHT:
    case Effect::EFFECT_MOVE_RIGHTLEFT:
    {
        int a = d * (W / N);
        if (a >= W)
        {
            DrawNewAll(f);
            return TRUE;
        }
        if (effect == Effect::EFFECT_MOVE_LEFTRIGHT)
            DrawNew(f, CRect(a - W, 0, a, H));
        else
            DrawNew(f, CRect(W - a, 0, 2 * W - a, H));
        return FALSE;
    }
    case Effect::EFFECT_MOVE_TOPBOTTOM:
    case Effect::EFFECT_MOVE_BOTTOMTOP:
    {
        int a = d * (H / N);
        if (a >= H)
        {
            DrawNewAll(f);
            return TRUE;
        }
        if (effect == Effect::EFFECT_MOVE_TOPBOTTOM)
            DrawNew(f, CRect(0, a - H, W, a));
        else
            DrawNew(f, CRect(0, H - a, W, 2 * H - a));
        return FALSE;
    }
    case Effect::EFFECT_OUTIN_ROTATE_RIGHT:
    case Effect::EFFECT_OUTIN_ROTATE_BOTTOM:
        return TRUE;   // the rotation of the slide before already brought this one in
    default:
        if (effect >= Effect::EFFECT_COVER_FROM_RIGHT && effect <= Effect::EFFECT_COVER_FORM_OUTSIDE)
            return DrawCoverIn(effect, f);
        return TRUE;
    }
}

BOOL CTransitionEffects::DrawFadeOut(int effect, CTransitionFrame& f)
{
    if (!f.pDC || !f.pDC->GetSafeHdc() || f.nFrames <= 0)
        return TRUE;
    const int W = f.nWidth, H = f.nHeight, N = f.nFrames, d = f.nFrame;

    switch (effect)
    {
    case Effect::EFFECT_LEFT_RIGHT:
    {
        DrawOldAll(f);
        int a = W / N * d;
        Fill(f, 0, 0, a, H);
        return a >= W;
    }
    case Effect::EFFECT_RIGHT_LEFT:
    {
        DrawOldAll(f);
        int a = W / N * d;
        Fill(f, W - a, 0, W, H);
        return a >= W;
    }
    case Effect::EFFECT_TOP_BOTTOM:
    {
        DrawOldAll(f);
        int a = H / N * d;
        Fill(f, 0, 0, W, a);
        return a >= H;
    }
    case Effect::EFFECT_BOTTOM_TOP:
    {
        DrawOldAll(f);
        int a = H / N * d;
        Fill(f, 0, H - a, W, H);
        return a >= H;
    }
    case Effect::EFFECT_FULL_CENTER:
    {
        DrawOldAll(f);
        int bx = d * (W / N), by = H / N * d;
        Fill(f, 0, 0, W, by);
        Fill(f, 0, H - by, W, H);
        Fill(f, 0, 0, bx, H);
        Fill(f, W - bx, 0, W, H);
        return bx >= W / 2;
    }
    case Effect::EFFECT_CENTER_FULL:
    {
        DrawOldAll(f);
        int e = W / (2 * N) * d, g = d * (H / (2 * N));
        Fill(f, W / 2 - e, H / 2 - g, W / 2 + e, H / 2 + g);
        return 2 * e >= W || 2 * g >= H;
    }
    case Effect::EFFECT_HORZ_STRIPES:
    {
        DrawOldAll(f);
        int b = N / 2;
        if (b > 0)
        {
            int count = H / b + 1;
            for (int i = 0, y = 0; i < count && y <= H; ++i, y += 2 * b)
                Fill(f, 0, y, W, y + 2 * d);
        }
        return N / 2 < d;
    }
    case Effect::EFFECT_VERT_STRIPES:
    {
        DrawOldAll(f);
        int b = N / 2;
        if (b > 0)
        {
            int count = W / b + 1;
            for (int i = 0, x = 0; i < count; ++i, x += 2 * b)
                Fill(f, x, 0, x + 2 * d, H);
        }
        return N / 2 < d;
    }
    case Effect::EFFECT_MOVE_LEFTRIGHT:
    {
        int a = d * (W / N);
        DrawFinishedImage(f, f.nCurrentSlide, CRect(a, 0, W + a, H));
        return a >= W;
    }
    case Effect::EFFECT_MOVE_RIGHTLEFT:
    {
        int a = d * (W / N);
        if (a >= W)
            return TRUE;
        DrawFinishedImage(f, f.nCurrentSlide, CRect(-a, 0, W - a, H));
        return FALSE;
    }
    case Effect::EFFECT_MOVE_TOPBOTTOM:
    {
        int a = d * (H / N);
        if (a >= H)
            return TRUE;
        DrawFinishedImage(f, f.nCurrentSlide, CRect(0, a, W, H + a));
        return FALSE;
    }
    case Effect::EFFECT_MOVE_BOTTOMTOP:
    {
        int a = d * (H / N);
        if (a >= H)
            return TRUE;
        DrawFinishedImage(f, f.nCurrentSlide, CRect(0, -a, W, H - a));
        return FALSE;
    }
    case Effect::EFFECT_OUTIN_ROTATE_RIGHT:
    case Effect::EFFECT_OUTIN_ROTATE_BOTTOM:
    {
        // The next slide rotates in here, so it enters without a fade-in of its own (for the rest of the run).
        int next = NextSlideIndex(f.nCurrentSlide, f.nSlideCount);
        if (CSlide* s = SlideAt(f, next))
            s->m_Background.m_FadeIn.SetSelectedIndex(Effect::EFFECT_NONE);
        int a = effect == Effect::EFFECT_OUTIN_ROTATE_RIGHT ? d * (W / N) : d * (H / N);
        int extent = effect == Effect::EFFECT_OUTIN_ROTATE_RIGHT ? W : H;
        if (extent < a)
        {
            DrawSlideBackground(f, next, CRect(0, 0, W, H));
        }
        else if (effect == Effect::EFFECT_OUTIN_ROTATE_RIGHT)
        {
            DrawSlideBackground(f, next, CRect(0, 0, a, H));
            DrawFinishedImage(f, f.nCurrentSlide, CRect(a + 1, 0, W, H));
        }
        else
        {
            DrawSlideBackground(f, next, CRect(0, 0, W, a));
            DrawFinishedImage(f, f.nCurrentSlide, CRect(0, a + 1, W, H));
        }
        return a >= extent;
    }
    default: return TRUE;   // the covers: drawn as the next slide's fade-in
    }
}
