#include "show/ThumbnailPainter.h"

#include "show/ProjectPack.h"
#include "show/Slide.h"
#include "show/SlideMemDC.h"

CThumbnailPainter::CThumbnailPainter(const CProjectPack* pack)
    : m_pPack(pack), m_nSharedPixels(0), m_paintedBackground(0, 0)
{
    // Bitmaps made compatible with a DC that holds a DIB section are DIB sections of its format, and those
    // are selected into a DC far faster than bitmaps in the screen's own format (a thumbnail selects a
    // dozen). The screen's DC is not asked for either.
    if (m_reference.CreateCompatibleDC(nullptr) && m_referenceBitmap.CreateDIBSection(1, 1))
        m_reference.SelectObject(&m_referenceBitmap);
    else
        m_reference.DeleteDC();   // the surfaces ask the screen themselves
}

// The surface goes before the reference it was made from.
CThumbnailPainter::~CThumbnailPainter()
{
    m_surface.reset();
}

CRenderedPicture* CThumbnailPainter::FindShared(const CString& file) const
{
    auto found = m_shared.find(static_cast<const char*>(file));
    return found == m_shared.end() ? nullptr : found->second.get();
}

CRenderedPicture* CThumbnailPainter::Share(const CString& file)
{
    if (file.IsEmpty())
        return nullptr;
    const std::string key(file);
    auto found = m_shared.find(key);
    if (found != m_shared.end())
        return found->second.get();
    auto picture = std::make_unique<CRenderedPicture>();
    picture->Load(m_pPack, file);
    const size_t pixels = static_cast<size_t>(picture->GetWidth()) * static_cast<size_t>(picture->GetHeight());
    if (pixels > SHARED_PIXEL_LIMIT - m_nSharedPixels)
        picture.reset();   // remembered as not shared: each object loads it
    else
        m_nSharedPixels += pixels;
    CRenderedPicture* kept = picture.get();
    m_shared[key] = std::move(picture);
    return kept;
}

BOOL CThumbnailPainter::Paint(CSlide& slide, int width, int height, CBitmap* bitmap)
{
    // Decoding a BMP only copies its pixels: the thumbnail takes them from the pack itself.
    const CString& file = slide.m_Background.m_strImageFile;
    int size = 0;
    const BYTE* data = m_pPack && !file.IsEmpty() ? m_pPack->GetEntryData(file, size) : nullptr;
    if (data && size > 0 && m_background.Parse(data, static_cast<size_t>(size)))
    {
        slide.m_Background.m_Picture.FreePicture();
        m_paintedBackground = CSize(m_background.width, m_background.height);
    }
    else
    {
        m_background = CBmpDib();
        slide.m_Background.LoadImage(m_pPack);
        const CPicture& picture = slide.m_Background.m_Picture;
        m_paintedBackground = picture.m_bLoaded ? CSize(picture.m_nWidth, picture.m_nHeight) : CSize(0, 0);
    }
    for (int i = 0; i < CSlide::MaxObjects; i++)
    {
        CSlideObjSlot* slot = slide.GetSlot(i);
        if (!slot || !slot->m_bUsed || slot->m_nKind < CSlideObjSlot::KIND_TEXT ||
            slot->m_nKind > CSlideObjSlot::KIND_RECTANGLE)
            continue;
        if (slot->m_nKind == CSlideObjSlot::KIND_IMAGE && Share(slot->m_Image.m_strFile))
            continue;
        slot->Prepare(m_pPack, nullptr);
    }
    BOOL drawn = Compose(slide, width, height, bitmap, true);
    m_background = CBmpDib();   // it points into the pack
    return drawn;
}

BOOL CThumbnailPainter::Draw(CSlide& slide, int width, int height, CBitmap* bitmap)
{
    return Compose(slide, width, height, bitmap, false);
}

BOOL CThumbnailPainter::Compose(CSlide& slide, int width, int height, CBitmap* bitmap, bool shared)
{
    if (!bitmap)
        return FALSE;
    bitmap->DeleteObject();
    const int slideWidth = slide.m_nWidth;
    const int slideHeight = slide.m_nHeight;
    if (slideWidth <= 0 || slideHeight <= 0 || width <= 0 || height <= 0)
        return FALSE;

    const CRect canvas(0, 0, slideWidth, slideHeight);
    const COLORREF white = RGB(255, 255, 255);
    if (m_surface && m_surface->GetSafeHdc() && m_surfaceSize == canvas.Size())
    {
        m_surface->FillSolidRect(canvas, white);
    }
    else
    {
        m_surface.reset();
        m_surface =
            std::make_unique<CSlideMemDC>(m_reference.GetSafeHdc() ? &m_reference : nullptr, canvas, white);
        m_surfaceSize = canvas.Size();
    }
    CSlideMemDC& surface = *m_surface;
    if (!surface.GetSafeHdc())
        return FALSE;
    if (shared && m_background.IsParsed())
        m_background.Draw(&surface, 0, 0);
    else
        slide.DrawBackground(&surface);
    for (int i = 0; i < CSlide::MaxObjects; i++)
    {
        CSlideObjSlot* slot = slide.GetSlot(i);
        CRenderedPicture* picture = nullptr;
        if (shared && slot && slot->m_bUsed && slot->m_nKind == CSlideObjSlot::KIND_IMAGE)
            picture = FindShared(slot->m_Image.m_strFile);
        if (picture)
            slot->m_Image.DrawShared(&surface, canvas, *picture);
        else
            slide.DrawObject(&surface, i);
    }
    if (width == slideWidth && height == slideHeight)
        return surface.CopyToBitmap(bitmap, width, height);
    return surface.ScaleToBitmap(bitmap, width, height, slideWidth, slideHeight);
}
