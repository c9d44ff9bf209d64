// CPicture: one image decoded by the OLE picture service (BMP, GIF, JPEG, WMF, EMF) from a file, a memory
// block or a resource of the running program; knows its size in screen pixels and draws it stretched,
// fitted into a box, into a bitmap or through a transparent-colour mask.
#pragma once

#include "framework/win/Framework.h"

#include <ole2.h>
#include <olectl.h>

class CMemBuffer;
class CProjectPack;

// Draws the whole of an OLE picture stretched into (x, y, cx, cy) of the DC. FALSE without picture or DC,
// for an empty target or when the picture service fails. Safe on any thread that owns the DC.
BOOL RenderOlePicture(IPicture* picture, HDC hDC, int x, int y, int cx, int cy);

// Decodes an encoded picture from a copy of the block in movable global memory. The stream over that
// memory is released on every path; the caller owns the returned picture. S_OK, the service's error,
// or E_OUTOFMEMORY when the copy cannot be made.
// A GIF that ends without its trailer is ended with one first (the service refuses such a GIF when other
// bytes follow it, as the zeros a pack entry is padded with), and its image data is written anew with code
// tables that never fill (the service misreads a full table that is used on).
HRESULT LoadOlePicture(const void* data, DWORD size, IPicture** picture);

// The picture's size in pixels at the screen's resolution (96 pixels per inch without a screen); 0 x 0
// when the picture gives no size.
void OlePicturePixelSize(IPicture* picture, int& width, int& height);

// The screen's pixels per inch on both axes, asked once per program (the system resolution stays while a
// program runs); 96 for both without a screen.
void ScreenPixelsPerInch(int& ppiX, int& ppiY);

// The device-independent bitmap inside the bytes of a BMP file, drawn as it stands without decoding: a BMP
// file is one already. Parse accepts only the BMPs ParseBmpLayout takes; the picture service decodes the rest.
// The pointers point into the data, which must outlive the object's use.
struct CBmpDib
{
    const BITMAPINFO* info = nullptr;
    const BYTE* bits = nullptr;
    int width = 0;
    int height = 0;   // rows, whichever way they run in the file

    BOOL Parse(const BYTE* data, size_t size);
    BOOL IsParsed() const { return bits != nullptr; }
    // Draws it at its own size with its top-left corner at (x, y), as CPicture::Render draws the picture.
    BOOL Draw(CDC* pDC, int x, int y) const;
};

class CPicture
{
public:
    CPicture();
    virtual ~CPicture();
    CPicture(const CPicture&) = delete;
    CPicture& operator=(const CPicture&) = delete;

    // A path beginning with "RESSOURCE:" names a program resource (see LoadResourcePath); any other is a
    // file. TRUE when the picture is loaded; FALSE when the file cannot be read or the data not decoded.
    BOOL Load(LPCSTR path);
    // Reads the whole file into the buffer; TRUE only when every byte was read.
    BOOL ReadFile(LPCSTR path, CMemBuffer& buffer);
    // Decodes the block (the block stays the caller's). TRUE unless memory or the picture interface
    // failed; data that cannot be decoded leaves the picture absent and m_bLoaded 0.
    BOOL LoadFromMemory(const void* data, DWORD size);
    // Decodes the pack's entry of the name when the pack has one, else the file of that name; returns
    // m_bLoaded.
    BOOL LoadFromPackOrFile(const CProjectPack* pack, const char* name);
    // "RESSOURCE:" + five decimal digits of the id + one separator + the resource type name.
    BOOL LoadResourcePath(LPCSTR resourcePath);
    // A resource of the program's own module; its pixel size is taken at 96 pixels per inch.
    BOOL LoadFromResource(UINT id, LPCSTR type);
    // Pixel size from the picture's HIMETRIC size at the screen's resolution; returns m_bLoaded.
    BOOL UpdateSize();
    void FreePicture();
    // Takes the other's settings, path and data size, and reloads the path when the other was loaded.
    void CopyFrom(const CPicture& other);

    BOOL Render(CDC* pDC, const CRect& rc);
    // Draws the whole picture into the rectangle as it looks at its own size: at that size straight into the
    // DC; at any other it is first rendered at its own size on a true-colour surface over what the DC shows
    // there, then scaled with neighbouring pixels blended, so that no rows are dropped or darkened.
    BOOL RenderSmooth(CDC* pDC, const CRect& rc);
    // Fitted (never enlarged) into the box with a margin of 1, cut to the box's size, drawn smoothly.
    BOOL RenderFitted(CDC* pDC, const CRect& rcBox);
    // Where a picture of w x h goes in the box (box coordinates, as if the box lay at the origin).
    // An empty rectangle when any size is zero or negative.
    static CRect CalcFittedRect(const CRect& rcBox, int margin, int w, int h);
    // Replaces the bitmap with a cx x cy one compatible with the DC, filled with the brush when given,
    // and draws the whole picture stretched into it. Returns whether the picture was drawn.
    BOOL RenderToBitmap(CDC* pDC, CBitmap* pBitmap, int cx, int cy, CBrush* pBrush);
    // Copies the bitmap, from its origin, into the rectangle.
    static void BlitBitmap(CDC* pDC, const CRect& rc, CBitmap* pBitmap);
    // Draws width x height of the bitmap from (xSrc, ySrc) at (x, y), leaving pixels of the transparent
    // colour as the destination had them.
    static void DrawTransparent(CDC* pDC, int x, int y, int nWidth, int nHeight, CBitmap* pBitmap, int xSrc,
                                int ySrc, COLORREF crTransparent, CPalette* pPalette);
    void ShowError(LPCSTR text);

    BOOL IsLoaded() const { return m_bLoaded; }
    int GetWidth() const { return m_nWidth; }
    int GetHeight() const { return m_nHeight; }

    BOOL m_bShowErrors;       // report failures in a message box
    CString m_strLastError;   // text of the last failure
    DWORD m_nDataSize;        // bytes of the encoded picture last loaded
    IPicture* m_pPicture;     // owned
    LONG m_nHeight;           // pixels
    LONG m_nWidth;
    BOOL m_bLoaded;           // both sizes at least 1
    CString m_strPath;        // file path or resource path last loaded
    CString m_strExtension;   // upper case, without the point

protected:
    void SetError(LPCSTR text);
    BOOL UpdateSizeAt(int ppiX, int ppiY);
};

// A picture decoded once and drawn many times at its own size, as the image objects of many slides that show
// one file. Its copy in a bitmap (made in the format of the first DC that needs it) is drawn with a plain
// blit, which costs far less than the picture service's rendering; a picture that is not an opaque bitmap (a
// GIF with a transparent colour, a metafile) is still rendered by the service wherever it is drawn opaque.
class CRenderedPicture
{
public:
    CRenderedPicture();
    CRenderedPicture(const CRenderedPicture&) = delete;
    CRenderedPicture& operator=(const CRenderedPicture&) = delete;

    // Decodes as CPicture::LoadFromPackOrFile; returns IsLoaded().
    BOOL Load(const CProjectPack* pack, const char* name);
    BOOL IsLoaded() const { return m_nWidth > 0 && m_nHeight > 0; }
    int GetWidth() const { return m_nWidth; }
    int GetHeight() const { return m_nHeight; }

    // What CPicture::Render draws into the rectangle of the picture's size.
    void Draw(CDC* pDC, const CRect& rc);
    // What CPicture::DrawTransparent draws at the rectangle's corner from the picture rendered into a bitmap
    // of its size (the picture as Draw draws it when no such bitmap can be made).
    void DrawTransparent(CDC* pDC, const CRect& rc, COLORREF crTransparent);

private:
    // The copy, made on the first call; null when it cannot be made.
    CBitmap* GetCopy(CDC* pDC);

    CPicture m_Picture;   // released once an opaque picture has its copy
    CBitmap m_Copy;
    BOOL m_bOpaque;   // a bitmap without transparent parts: the copy stands for it everywhere
    int m_nWidth;
    int m_nHeight;
};
