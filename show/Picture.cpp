#include "show/Picture.h"

#include "show/BmpLayout.h"
#include "show/GifFrames.h"
#include "show/MemBuffer.h"
#include "show/ProjectPack.h"

#include <climits>
#include <cstdlib>
#include <cstring>

namespace
{

const char kResourcePrefix[] = "RESSOURCE:";
const int kResourcePrefixLength = 10;

}   // namespace

void ScreenPixelsPerInch(int& ppiX, int& ppiY)
{
    // Every decoded picture takes its size from it, and asking the screen costs more than decoding a small
    // picture.
    static const POINT s_ppi = []
    {
        POINT ppi = {96, 96};
        HDC hScreen = ::GetDC(nullptr);
        if (hScreen)
        {
            int x = ::GetDeviceCaps(hScreen, LOGPIXELSX);
            int y = ::GetDeviceCaps(hScreen, LOGPIXELSY);
            ::ReleaseDC(nullptr, hScreen);
            if (x > 0 && y > 0)
                ppi = {x, y};
        }
        return ppi;
    }();
    ppiX = s_ppi.x;
    ppiY = s_ppi.y;
}

BOOL RenderOlePicture(IPicture* picture, HDC hDC, int x, int y, int cx, int cy)
{
    if (!picture || !hDC || cx <= 0 || cy <= 0)
        return FALSE;
    OLE_XSIZE_HIMETRIC hmWidth = 0;
    OLE_YSIZE_HIMETRIC hmHeight = 0;
    if (FAILED(picture->get_Width(&hmWidth)) || FAILED(picture->get_Height(&hmHeight)) || hmWidth <= 0 ||
        hmHeight <= 0)
        return FALSE;
    // HIMETRIC runs bottom-up: start at the top edge with a negative height.
    HRESULT hr = picture->Render(hDC, x, y, cx, cy, 0, hmHeight, hmWidth, -hmHeight, nullptr);
    return SUCCEEDED(hr) ? TRUE : FALSE;
}

HRESULT LoadOlePicture(const void* data, DWORD size, IPicture** picture)
{
    if (!picture)
        return E_POINTER;
    *picture = nullptr;
    if (!data || size == 0 || size > static_cast<DWORD>(LONG_MAX))
        return CTL_E_INVALIDPICTURE;
    std::vector<BYTE> ended, rewritten;
    if (EndGifWithTrailer(static_cast<const BYTE*>(data), size, ended))
    {
        data = ended.data();
        size = static_cast<DWORD>(ended.size());
    }
    if (RewriteGifImageData(static_cast<const BYTE*>(data), size, rewritten) && rewritten.size() <= LONG_MAX)
    {
        data = rewritten.data();
        size = static_cast<DWORD>(rewritten.size());
    }

    HGLOBAL hGlobal = ::GlobalAlloc(GMEM_MOVEABLE, size);
    if (!hGlobal)
        return E_OUTOFMEMORY;
    void* p = ::GlobalLock(hGlobal);
    if (!p)
    {
        ::GlobalFree(hGlobal);
        return E_OUTOFMEMORY;
    }
    memcpy(p, data, size);
    ::GlobalUnlock(hGlobal);

    IStream* stream = nullptr;
    // The stream frees the memory when it is released.
    if (FAILED(::CreateStreamOnHGlobal(hGlobal, TRUE, &stream)) || !stream)
    {
        ::GlobalFree(hGlobal);
        return E_OUTOFMEMORY;
    }
    IPicture* result = nullptr;
    HRESULT hr =
        ::OleLoadPicture(stream, static_cast<LONG>(size), FALSE, IID_IPicture, reinterpret_cast<void**>(&result));
    stream->Release();
    if (FAILED(hr))
    {
        if (result)
            result->Release();
        return hr;
    }
    if (!result)
        return CTL_E_INVALIDPICTURE;
    *picture = result;
    return hr;
}

void OlePicturePixelSize(IPicture* picture, int& width, int& height)
{
    width = height = 0;
    OLE_XSIZE_HIMETRIC hmWidth = 0;
    OLE_YSIZE_HIMETRIC hmHeight = 0;
    if (!picture || FAILED(picture->get_Width(&hmWidth)) || FAILED(picture->get_Height(&hmHeight)))
        return;
    int ppiX, ppiY;
    ScreenPixelsPerInch(ppiX, ppiY);
    width = ::MulDiv(hmWidth, ppiX, 2540);
    height = ::MulDiv(hmHeight, ppiY, 2540);
}

// ---------------------------------------------------------------------------------------------------------

CPicture::CPicture()
    : m_bShowErrors(FALSE), m_nDataSize(0), m_pPicture(nullptr), m_nHeight(0), m_nWidth(0), m_bLoaded(FALSE)
{
}

CPicture::~CPicture()
{
    FreePicture();
}

void CPicture::SetError(LPCSTR text)
{
    m_strLastError = text;
    if (m_bShowErrors)
        ShowError(text);
}

void CPicture::ShowError(LPCSTR text)
{
    AfxCoreMessageBox(text, "CPicture Error", MB_OK | MB_ICONSTOP);
}

void CPicture::FreePicture()
{
    if (m_pPicture)
    {
        m_pPicture->Release();
        m_pPicture = nullptr;
    }
    m_nHeight = 0;
    m_nWidth = 0;
    m_bLoaded = FALSE;
}

BOOL CPicture::Load(LPCSTR path)
{
    CString strPath(path);
    if (strPath.Left(kResourcePrefixLength) == kResourcePrefix)
    {
        m_strExtension.Empty();
        if (!LoadResourcePath(strPath))
            return FALSE;
        m_strPath = strPath;
        return m_bLoaded;
    }

    m_strExtension = Path::ExtensionOf(strPath).Mid(1);
    m_strExtension.MakeUpper();
    FreePicture();

    CMemBuffer buffer;
    if (!ReadFile(strPath, buffer))
        return FALSE;
    if (!LoadFromMemory(buffer.GetData(), m_nDataSize))
        return FALSE;
    m_strPath = strPath;
    return m_bLoaded;
}

BOOL CPicture::ReadFile(LPCSTR path, CMemBuffer& buffer)
{
    CFile file;
    if (!file.Open(path, CFile::modeRead | CFile::shareDenyNone))
        return FALSE;
    ULONGLONG length = file.GetLength();
    if (length > static_cast<ULONGLONG>(INT_MAX))
        return FALSE;
    m_nDataSize = static_cast<DWORD>(length);
    if (length == 0)
    {
        buffer.Free();
        return TRUE;
    }
    if (!buffer.Allocate(static_cast<int>(length), FALSE))
        return FALSE;
    return file.Read(buffer.GetData(), static_cast<UINT>(length)) == static_cast<UINT>(length) ? TRUE : FALSE;
}

BOOL CPicture::LoadFromMemory(const void* data, DWORD size)
{
    FreePicture();
    IPicture* picture = nullptr;
    HRESULT hr = LoadOlePicture(data, size, &picture);
    if (hr == E_OUTOFMEMORY)
    {
        SetError("Can not allocate enough memory\t");
        return FALSE;
    }
    if (hr == E_NOINTERFACE)
    {
        SetError("IPicture interface is not supported\t");
        return FALSE;
    }
    m_pPicture = picture;   // null when the data could not be decoded
    m_nDataSize = size;
    UpdateSize();
    return TRUE;
}

BOOL CBmpDib::Parse(const BYTE* data, size_t size)
{
    *this = CBmpDib();
    BmpLayout layout;
    if (!ParseBmpLayout(data, size, layout))
        return FALSE;
    info = reinterpret_cast<const BITMAPINFO*>(data + BmpLayout::INFO_OFFSET);
    bits = data + layout.bitsOffset;
    width = layout.width;
    height = layout.height;
    return TRUE;
}

BOOL CBmpDib::Draw(CDC* pDC, int x, int y) const
{
    if (!pDC || !pDC->GetSafeHdc() || !IsParsed())
        return FALSE;
    return ::SetDIBitsToDevice(pDC->GetSafeHdc(), x, y, width, height, 0, 0, 0, height, bits, info,
                               DIB_RGB_COLORS) == height;
}

BOOL CPicture::LoadFromPackOrFile(const CProjectPack* pack, const char* name)
{
    FreePicture();
    int size = 0;
    const BYTE* data = pack && name ? pack->GetEntryData(name, size) : nullptr;
    if (data && size > 0)
        LoadFromMemory(data, static_cast<DWORD>(size));   // the decoder copies the block
    else if (name && *name)
        Load(name);
    return m_bLoaded;
}

BOOL CPicture::LoadResourcePath(LPCSTR resourcePath)
{
    CString strPath(resourcePath);
    if (strPath.Left(kResourcePrefixLength) != kResourcePrefix)
        return FALSE;
    CString strId = strPath.Mid(kResourcePrefixLength, 5);
    CString strType = strPath.Mid(kResourcePrefixLength + 6);
    if (strId.IsEmpty() || strType.IsEmpty())
        return FALSE;
    return LoadFromResource(static_cast<UINT>(atoi(strId)), strType);
}

BOOL CPicture::LoadFromResource(UINT id, LPCSTR type)
{
    HMODULE hModule = ::GetModuleHandleA(nullptr);
    HRSRC hResource = ::FindResourceA(hModule, MAKEINTRESOURCEA(id), type);
    if (!hResource)
    {
        SetError("FindResource() Failed\t");
        return FALSE;
    }
    HGLOBAL hData = ::LoadResource(hModule, hResource);
    if (!hData)
    {
        SetError("LoadResource() Failed\t");
        return FALSE;
    }
    const void* data = ::LockResource(hData);
    if (!data)
    {
        SetError("LockResource() Failed\t");
        return FALSE;
    }
    if (!LoadFromMemory(data, ::SizeofResource(hModule, hResource)))
        return FALSE;
    // Program artwork is laid out in pixels whatever the screen.
    UpdateSizeAt(96, 96);
    return TRUE;
}

BOOL CPicture::UpdateSize()
{
    int ppiX, ppiY;
    ScreenPixelsPerInch(ppiX, ppiY);
    return UpdateSizeAt(ppiX, ppiY);
}

BOOL CPicture::UpdateSizeAt(int ppiX, int ppiY)
{
    m_bLoaded = FALSE;
    if (m_nDataSize == 0 || !m_pPicture)
    {
        m_nWidth = m_nHeight = 0;
        return FALSE;
    }
    OLE_XSIZE_HIMETRIC hmWidth = 0;
    OLE_YSIZE_HIMETRIC hmHeight = 0;
    if (FAILED(m_pPicture->get_Width(&hmWidth)) || FAILED(m_pPicture->get_Height(&hmHeight)))
    {
        m_nWidth = m_nHeight = 0;
        return FALSE;
    }
    m_nWidth = ::MulDiv(hmWidth, ppiX, 2540);
    m_nHeight = ::MulDiv(hmHeight, ppiY, 2540);
    m_bLoaded = (m_nWidth >= 1 && m_nHeight >= 1) ? TRUE : FALSE;
    return m_bLoaded;
}

void CPicture::CopyFrom(const CPicture& other)
{
    if (&other == this)
        return;
    FreePicture();
    m_bShowErrors = other.m_bShowErrors;
    m_strLastError = other.m_strLastError;
    m_nDataSize = other.m_nDataSize;
    m_strPath = other.m_strPath;
    m_strExtension = other.m_strExtension;
    if (!m_strPath.IsEmpty() && other.m_bLoaded)
    {
        CString path = m_strPath;
        Load(path);
    }
}

BOOL CPicture::Render(CDC* pDC, const CRect& rc)
{
    if (!pDC || !m_pPicture)
        return FALSE;
    return RenderOlePicture(m_pPicture, pDC->GetSafeHdc(), rc.left, rc.top, rc.Width(), rc.Height());
}

BOOL CPicture::RenderSmooth(CDC* pDC, const CRect& rc)
{
    if (!pDC || !m_pPicture || rc.IsRectEmpty())
        return FALSE;
    const int w = m_nWidth, h = m_nHeight;
    if (!m_bLoaded || (rc.Width() == w && rc.Height() == h))
        return Render(pDC, rc);
    CDC surface;
    CBitmap bitmap;
    if (!surface.CreateCompatibleDC(pDC) || !bitmap.CreateDIBSection(w, h))
        return Render(pDC, rc);
    CBitmap* old = surface.SelectObject(&bitmap);
    // What lies under the rectangle shows through a picture's transparent parts.
    surface.SetStretchBltMode(COLORONCOLOR);
    surface.StretchBlt(0, 0, w, h, pDC, rc.left, rc.top, rc.Width(), rc.Height(), SRCCOPY);
    BOOL drawn = Render(&surface, CRect(0, 0, w, h));
    if (drawn)
    {
        const bool shrinking = rc.Width() < w || rc.Height() < h;
        int oldMode = pDC->SetStretchBltMode(shrinking ? HALFTONE : COLORONCOLOR);
        POINT oldOrigin = {0, 0};
        ::SetBrushOrgEx(pDC->GetSafeHdc(), 0, 0, &oldOrigin);   // blending needs it reset after the mode
        drawn = pDC->StretchBlt(rc.left, rc.top, rc.Width(), rc.Height(), &surface, 0, 0, w, h, SRCCOPY);
        ::SetBrushOrgEx(pDC->GetSafeHdc(), oldOrigin.x, oldOrigin.y, nullptr);
        pDC->SetStretchBltMode(oldMode);
    }
    surface.SelectObject(old);
    return drawn;
}

BOOL CPicture::RenderFitted(CDC* pDC, const CRect& rcBox)
{
    CRect rc = CalcFittedRect(rcBox, 1, m_nWidth, m_nHeight);
    if (rc.right > rcBox.Width())
        rc.right = rcBox.Width();
    if (rc.bottom > rcBox.Height())
        rc.bottom = rcBox.Height();
    if (rc.IsRectEmpty())
        return FALSE;
    return RenderSmooth(pDC, rc);
}

CRect CPicture::CalcFittedRect(const CRect& rcBox, int margin, int w, int h)
{
    const int W = rcBox.Width();
    const int H = rcBox.Height();
    if (W <= 0 || H <= 0 || w <= 0 || h <= 0)
        return CRect(0, 0, 0, 0);

    int x = 0, y = 0, cx = w, cy = h;
    if (w < W && h < H)
    {
        x = (W - w) / 2;
        y = (H - h) / 2;
    }
    else
    {
        // Shrink by the larger ratio so that both sides fit.
        double rw = static_cast<double>(w) / W;
        double rh = static_cast<double>(h) / H;
        if (rw > rh)
        {
            cx = W;
            cy = static_cast<int>(h / rw);
            y = (H - cy) / 2;
        }
        else
        {
            cy = H;
            cx = static_cast<int>(w / rh);
            x = (W - cx) / 2;
        }
    }
    return CRect(margin + x, margin + y, margin + x + cx, margin + y + cy);
}

BOOL CPicture::RenderToBitmap(CDC* pDC, CBitmap* pBitmap, int cx, int cy, CBrush* pBrush)
{
    if (!pDC || !pBitmap)
        return FALSE;
    pBitmap->DeleteObject();
    if (cx <= 0 || cy <= 0 || !pBitmap->CreateCompatibleBitmap(pDC, cx, cy))
        return FALSE;
    CDC dcMem;
    if (!dcMem.CreateCompatibleDC(pDC))
        return FALSE;
    dcMem.SelectObject(pBitmap);
    CRect rc(0, 0, cx, cy);
    if (pBrush)
        dcMem.FillRect(&rc, pBrush);
    BOOL drawn = Render(&dcMem, rc);
    dcMem.DeleteDC();
    return drawn;
}

void CPicture::BlitBitmap(CDC* pDC, const CRect& rc, CBitmap* pBitmap)
{
    if (!pDC || !pBitmap || !pBitmap->GetSafeHandle())
        return;
    CDC dcMem;
    if (!dcMem.CreateCompatibleDC(pDC))
        return;
    dcMem.SelectObject(pBitmap);
    pDC->BitBlt(rc.left, rc.top, rc.Width(), rc.Height(), &dcMem, 0, 0, SRCCOPY);
    dcMem.DeleteDC();
}

void CPicture::DrawTransparent(CDC* pDC, int x, int y, int nWidth, int nHeight, CBitmap* pBitmap, int xSrc,
                               int ySrc, COLORREF crTransparent, CPalette* pPalette)
{
    if (!pDC || !pBitmap || !pBitmap->GetSafeHandle() || nWidth <= 0 || nHeight <= 0)
        return;

    CDC dcSource, dcCopy, dcMask;
    if (!dcSource.CreateCompatibleDC(pDC) || !dcCopy.CreateCompatibleDC(pDC) || !dcMask.CreateCompatibleDC(pDC))
        return;
    CBitmap bmpCopy, bmpMask;
    if (!bmpCopy.CreateCompatibleBitmap(pDC, nWidth, nHeight) ||
        !bmpMask.CreateBitmap(nWidth, nHeight, 1, 1, nullptr))
        return;

    CPalette* pOldPalette = nullptr;
    const bool usePalette = pPalette && pPalette->GetSafeHandle() && (pDC->GetDeviceCaps(RASTERCAPS) & RC_PALETTE);
    if (usePalette)
    {
        pOldPalette = pDC->SelectPalette(pPalette, FALSE);
        pDC->RealizePalette();
        dcCopy.SelectPalette(pPalette, FALSE);
    }

    dcSource.SelectObject(pBitmap);
    dcCopy.SelectObject(&bmpCopy);
    dcMask.SelectObject(&bmpMask);
    dcCopy.BitBlt(0, 0, nWidth, nHeight, &dcSource, xSrc, ySrc, SRCCOPY);

    // Pixels of the transparent colour become white in the mask, all others black.
    dcCopy.SetBkColor(crTransparent);
    dcMask.BitBlt(0, 0, nWidth, nHeight, &dcCopy, 0, 0, SRCCOPY);

    // Blacken the transparent pixels of the copy so that ORing it leaves the destination there.
    dcCopy.SetBkColor(RGB(0, 0, 0));
    dcCopy.SetTextColor(RGB(255, 255, 255));
    dcCopy.BitBlt(0, 0, nWidth, nHeight, &dcMask, 0, 0, SRCAND);

    COLORREF oldBk = pDC->SetBkColor(RGB(255, 255, 255));
    COLORREF oldText = pDC->SetTextColor(RGB(0, 0, 0));
    pDC->BitBlt(x, y, nWidth, nHeight, &dcMask, 0, 0, SRCAND);
    pDC->BitBlt(x, y, nWidth, nHeight, &dcCopy, 0, 0, SRCPAINT);
    pDC->SetBkColor(oldBk);
    pDC->SetTextColor(oldText);

    if (usePalette)
        pDC->SelectPalette(pOldPalette, FALSE);
    dcSource.DeleteDC();
    dcCopy.DeleteDC();
    dcMask.DeleteDC();
}

// ---------------------------------------------------------------------------------------------------------

CRenderedPicture::CRenderedPicture() : m_bOpaque(FALSE), m_nWidth(0), m_nHeight(0)
{
}

BOOL CRenderedPicture::Load(const CProjectPack* pack, const char* name)
{
    m_Copy.DeleteObject();
    m_bOpaque = FALSE;
    m_nWidth = m_nHeight = 0;
    if (!m_Picture.LoadFromPackOrFile(pack, name))
        return FALSE;
    m_nWidth = m_Picture.m_nWidth;
    m_nHeight = m_Picture.m_nHeight;
    SHORT type = PICTYPE_NONE;
    DWORD attributes = 0;
    m_bOpaque = SUCCEEDED(m_Picture.m_pPicture->get_Type(&type)) && type == PICTYPE_BITMAP &&
                SUCCEEDED(m_Picture.m_pPicture->get_Attributes(&attributes)) &&
                !(attributes & PICTURE_TRANSPARENT);
    return TRUE;
}

CBitmap* CRenderedPicture::GetCopy(CDC* pDC)
{
    if (!m_Copy.GetSafeHandle() && m_Picture.m_bLoaded)
    {
        if (!m_Picture.RenderToBitmap(pDC, &m_Copy, m_nWidth, m_nHeight, nullptr))
            m_Copy.DeleteObject();
        else if (m_bOpaque)
            m_Picture.FreePicture();   // the copy serves every drawing from now on
    }
    return m_Copy.GetSafeHandle() ? &m_Copy : nullptr;
}

void CRenderedPicture::Draw(CDC* pDC, const CRect& rc)
{
    if (!pDC || !IsLoaded())
        return;
    CBitmap* copy = m_bOpaque ? GetCopy(pDC) : nullptr;
    if (copy)
        CPicture::BlitBitmap(pDC, rc, copy);
    else
        m_Picture.Render(pDC, rc);
}

void CRenderedPicture::DrawTransparent(CDC* pDC, const CRect& rc, COLORREF crTransparent)
{
    if (!pDC || !IsLoaded())
        return;
    if (CBitmap* copy = GetCopy(pDC))
        CPicture::DrawTransparent(pDC, rc.left, rc.top, m_nWidth, m_nHeight, copy, 0, 0, crTransparent, nullptr);
    else
        m_Picture.Render(pDC, rc);
}
