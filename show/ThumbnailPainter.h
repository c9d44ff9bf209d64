// CThumbnailPainter: draws the thumbnails of many slides of one pack one after the other, with what they can
// share. Its surface is made in the format of one reference DC it keeps (asking the screen for every surface
// is slow) and serves every slide of its size, and the picture of each image file, which a project often
// shows on many slides, is decoded and drawn into a bitmap once and copied from there into every thumbnail
// that shows it. It lives for one round of thumbnails, on one thread.
#pragma once

#include "framework/win/Framework.h"
#include "show/Picture.h"

#include <map>
#include <memory>
#include <string>

class CProjectPack;
class CSlide;
class CSlideMemDC;

class CThumbnailPainter
{
public:
    // The pack the slides' pictures come from (null: their files).
    explicit CThumbnailPainter(const CProjectPack* pack);
    ~CThumbnailPainter();
    CThumbnailPainter(const CThumbnailPainter&) = delete;
    CThumbnailPainter& operator=(const CThumbnailPainter&) = delete;

    // Loads the slide's background and prepares its objects without a window (image objects whose file is
    // shared keep no picture of their own), then draws the thumbnail as Draw does. For copies of slides
    // made for the purpose. A background that the pack holds as a BMP is drawn from the pack's bytes as it
    // stands, without a picture of its own.
    BOOL Paint(CSlide& slide, int width, int height, CBitmap* bitmap);
    // The size of the background picture that the last Paint drew; 0 x 0 when it had none.
    CSize GetPaintedBackgroundSize() const { return m_paintedBackground; }
    // Renders the slide as prepared into the bitmap at width x height (scaled with its aspect ratio kept
    // when that is not the slide's own size). FALSE when the slide has no size or no surface could be made.
    BOOL Draw(CSlide& slide, int width, int height, CBitmap* bitmap);

    // How many pixels of pictures the painter keeps at most; a picture beyond that is loaded by each
    // object that shows it.
    enum
    {
        SHARED_PIXEL_LIMIT = 16 * 1024 * 1024
    };

private:
    BOOL Compose(CSlide& slide, int width, int height, CBitmap* bitmap, bool shared);
    // The shared picture of the file, decoded on the first call (a file that does not decode is kept as
    // such and draws nothing); null when the picture did not fit into the limit.
    CRenderedPicture* Share(const CString& file);
    CRenderedPicture* FindShared(const CString& file) const;

    const CProjectPack* m_pPack;
    CBitmap m_referenceBitmap;   // one pixel of a DIB section, selected into the reference
    CDC m_reference;
    std::unique_ptr<CSlideMemDC> m_surface;   // the last slide's surface, used again for a slide of its size
    CSize m_surfaceSize;
    // By file name as the objects give it; null for a picture that did not fit.
    std::map<std::string, std::unique_ptr<CRenderedPicture>> m_shared;
    size_t m_nSharedPixels;
    CBmpDib m_background;   // the background of the slide being painted, when drawn from the pack's bytes
    CSize m_paintedBackground;
};
