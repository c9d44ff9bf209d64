// GDI wrappers: drawing objects, device contexts, paired selection and temporary wrappers.
#include "framework/win/Gdi.h"
#include "framework/win/ThreadLocal.h"
#include "framework/win/Resources.h"
#include "framework/win/Wnd.h"

#include <algorithm>
#include <map>
#include <memory>
#include <mutex>
#include <typeindex>
#include <unordered_map>
#include <utility>

// ---------------------------------------------------------------------------------------------------------
// Temporary wrappers (per thread) and the map of our own DC objects (for CDC::FromHandle).

namespace
{

struct TempGdiMap
{
    std::map<std::pair<HGDIOBJ, std::type_index>, std::unique_ptr<CGdiObject>> objects;
    void Clear()
    {
        for (auto& entry : objects)
            entry.second->Detach();   // borrowed: never deleted
        objects.clear();
    }
    ~TempGdiMap() { Clear(); }
};

struct TempDCMap
{
    std::unordered_map<HDC, std::unique_ptr<CDC>> dcs;
    void Clear()
    {
        for (auto& entry : dcs)
            entry.second->Detach();
        dcs.clear();
    }
    ~TempDCMap() { Clear(); }
};

TempGdiMap& TempObjects()
{
    static CThreadLocal<TempGdiMap> objects;
    return objects.Get();
}

TempDCMap& TempDCs()
{
    static CThreadLocal<TempDCMap> dcs;
    return dcs.Get();
}

std::mutex g_dcMapLock;
// Never destroyed: DC objects with static storage may still unregister while the program ends.
std::unordered_map<HDC, CDC*>& DCMap()
{
    static auto* map = new std::unordered_map<HDC, CDC*>;
    return *map;
}

void RegisterDC(HDC hDC, CDC* dc)
{
    std::lock_guard<std::mutex> lock(g_dcMapLock);
    DCMap()[hDC] = dc;
}

void UnregisterDC(HDC hDC, CDC* dc)
{
    std::lock_guard<std::mutex> lock(g_dcMapLock);
    auto it = DCMap().find(hDC);
    if (it != DCMap().end() && it->second == dc)
        DCMap().erase(it);
}

CDC* LookupDC(HDC hDC)
{
    std::lock_guard<std::mutex> lock(g_dcMapLock);
    auto it = DCMap().find(hDC);
    return it == DCMap().end() ? nullptr : it->second;
}

}   // namespace

// ---------------------------------------------------------------------------------------------------------
// CGdiObject

CGdiObject::~CGdiObject()
{
    DeleteObject();
}

BOOL CGdiObject::Attach(HGDIOBJ hObject)
{
    if (m_hObject || !hObject)
        return FALSE;
    m_hObject = hObject;
    m_bOwns = true;
    return TRUE;
}

HGDIOBJ CGdiObject::Detach()
{
    // The DCs keep what they selected before us and restore it when they end.
    std::vector<CDC*> dcs;
    dcs.swap(m_selectedIn);
    for (CDC* dc : dcs)
        for (CGdiObject*& slot : dc->m_pSelected)
            if (slot == this)
                slot = nullptr;
    HGDIOBJ h = m_hObject;
    m_hObject = nullptr;
    m_bOwns = false;
    return h;
}

BOOL CGdiObject::DeleteObject()
{
    if (!m_hObject)
        return FALSE;
    std::vector<CDC*> dcs = m_selectedIn;
    for (CDC* dc : dcs)
        dc->ReleaseObjectFromSlot(this);
    m_selectedIn.clear();
    BOOL ok = TRUE;
    if (m_bOwns)
        ok = ::DeleteObject(m_hObject);
    m_hObject = nullptr;
    m_bOwns = false;
    return ok;
}

void CGdiObject::LinkDC(CDC* dc)
{
    if (std::find(m_selectedIn.begin(), m_selectedIn.end(), dc) == m_selectedIn.end())
        m_selectedIn.push_back(dc);
}

void CGdiObject::UnlinkDC(CDC* dc)
{
    m_selectedIn.erase(std::remove(m_selectedIn.begin(), m_selectedIn.end(), dc), m_selectedIn.end());
}

int CGdiObject::GetObject(int count, void* buffer) const
{
    return m_hObject ? ::GetObjectA(m_hObject, count, buffer) : 0;
}

UINT CGdiObject::GetObjectType() const
{
    return m_hObject ? ::GetObjectType(m_hObject) : 0;
}

BOOL CGdiObject::CreateStockObject(int index)
{
    DeleteObject();
    HGDIOBJ h = ::GetStockObject(index);
    if (!h)
        return FALSE;
    m_hObject = h;   // borrowed
    return TRUE;
}

BOOL CGdiObject::UnrealizeObject()
{
    return m_hObject ? ::UnrealizeObject(m_hObject) : FALSE;
}

template <class T>
T* CGdiObject::TempFromHandle(HGDIOBJ hObject)
{
    if (!hObject)
        return nullptr;
    auto key = std::make_pair(hObject, std::type_index(typeid(T)));
    auto it = TempObjects().objects.find(key);
    if (it != TempObjects().objects.end())
    {
        if (!it->second->m_hObject)
            it->second->m_hObject = hObject;   // a caller detached the wrapper: it still stands for the handle
        return static_cast<T*>(it->second.get());
    }
    auto object = std::make_unique<T>();
    object->m_hObject = hObject;   // borrowed
    T* result = object.get();
    TempObjects().objects.emplace(key, std::move(object));
    return result;
}

CGdiObject* CGdiObject::FromHandle(HGDIOBJ hObject)
{
    return TempFromHandle<CGdiObject>(hObject);
}
void CGdiObject::DeleteTempMap()
{
    TempObjects().Clear();
}

// ---------------------------------------------------------------------------------------------------------
// Drawing objects

BOOL CPen::CreatePen(int penStyle, int width, COLORREF color)
{
    DeleteObject();
    return Attach(::CreatePen(penStyle, width, color));
}

BOOL CPen::CreatePenIndirect(const LOGPEN* logPen)
{
    DeleteObject();
    return logPen ? Attach(::CreatePenIndirect(logPen)) : FALSE;
}

int CPen::GetLogPen(LOGPEN* logPen) const
{
    return GetObject(sizeof(LOGPEN), logPen);
}
CPen* CPen::FromHandle(HPEN hPen)
{
    return TempFromHandle<CPen>(hPen);
}

BOOL CBrush::CreateSolidBrush(COLORREF color)
{
    DeleteObject();
    return Attach(::CreateSolidBrush(color));
}

BOOL CBrush::CreateHatchBrush(int hatchIndex, COLORREF color)
{
    DeleteObject();
    return Attach(::CreateHatchBrush(hatchIndex, color));
}

BOOL CBrush::CreatePatternBrush(CBitmap* bitmap)
{
    DeleteObject();
    if (!bitmap || !bitmap->m_hObject)
        return FALSE;
    return Attach(::CreatePatternBrush(static_cast<HBITMAP>(bitmap->m_hObject)));
}

BOOL CBrush::CreateBrushIndirect(const LOGBRUSH* logBrush)
{
    DeleteObject();
    return logBrush ? Attach(::CreateBrushIndirect(logBrush)) : FALSE;
}

BOOL CBrush::CreateSysColorBrush(int index)
{
    DeleteObject();
    return Attach(::GetSysColorBrush(index)) ? (m_bOwns = false, TRUE) : FALSE;   // system brushes are shared
}

int CBrush::GetLogBrush(LOGBRUSH* logBrush) const
{
    return GetObject(sizeof(LOGBRUSH), logBrush);
}
CBrush* CBrush::FromHandle(HBRUSH hBrush)
{
    return TempFromHandle<CBrush>(hBrush);
}

BOOL CFont::CreateFont(int height, int width, int escapement, int orientation, int weight, BYTE italic,
                       BYTE underline, BYTE strikeOut, BYTE charSet, BYTE outPrecision, BYTE clipPrecision,
                       BYTE quality, BYTE pitchAndFamily, LPCSTR faceName)
{
    DeleteObject();
    return Attach(::CreateFontA(height, width, escapement, orientation, weight, italic, underline, strikeOut,
                                charSet, outPrecision, clipPrecision, quality, pitchAndFamily, faceName));
}

BOOL CFont::CreateFontIndirect(const LOGFONTA* logFont)
{
    DeleteObject();
    return logFont ? Attach(::CreateFontIndirectA(logFont)) : FALSE;
}

BOOL CFont::CreatePointFont(int pointSize, LPCSTR faceName, CDC* dc)
{
    LOGFONTA lf = {};
    lf.lfCharSet = DEFAULT_CHARSET;
    lf.lfHeight = pointSize;
    if (faceName)
        lstrcpynA(lf.lfFaceName, faceName, LF_FACESIZE);
    return CreatePointFontIndirect(&lf, dc);
}

BOOL CFont::CreatePointFontIndirect(const LOGFONTA* logFont, CDC* dc)
{
    if (!logFont)
        return FALSE;
    HDC hDC = dc && dc->m_hDC ? dc->m_hDC : ::GetDC(nullptr);
    LOGFONTA lf = *logFont;
    // Tenths of a point to device pixels, then to the DC's logical units.
    POINT pt = {0, ::MulDiv(::GetDeviceCaps(hDC, LOGPIXELSY), logFont->lfHeight, 720)};
    POINT origin = {0, 0};
    ::DPtoLP(hDC, &pt, 1);
    ::DPtoLP(hDC, &origin, 1);
    lf.lfHeight = -std::abs(static_cast<int>(pt.y - origin.y));
    if (!(dc && dc->m_hDC))
        ::ReleaseDC(nullptr, hDC);
    return CreateFontIndirect(&lf);
}

int CFont::GetLogFont(LOGFONTA* logFont) const
{
    return GetObject(sizeof(LOGFONTA), logFont);
}
CFont* CFont::FromHandle(HFONT hFont)
{
    return TempFromHandle<CFont>(hFont);
}

BOOL CBitmap::CreateBitmap(int width, int height, UINT planes, UINT bitsPerPixel, const void* bits)
{
    DeleteObject();
    return Attach(::CreateBitmap(width, height, planes, bitsPerPixel, bits));
}

BOOL CBitmap::CreateBitmapIndirect(const BITMAP* bitmap)
{
    DeleteObject();
    return bitmap ? Attach(::CreateBitmapIndirect(bitmap)) : FALSE;
}

BOOL CBitmap::CreateCompatibleBitmap(CDC* dc, int width, int height)
{
    DeleteObject();
    if (dc && dc->m_hDC)
        return Attach(::CreateCompatibleBitmap(dc->m_hDC, width, height));
    HDC screen = ::GetDC(nullptr);
    BOOL ok = Attach(::CreateCompatibleBitmap(screen, width, height));
    ::ReleaseDC(nullptr, screen);
    return ok;
}

BOOL CBitmap::CreateDIBSection(int width, int height, void** bits)
{
    DeleteObject();
    if (bits)
        *bits = nullptr;
    if (width <= 0 || height <= 0)
        return FALSE;
    BITMAPINFO bi = {};
    bi.bmiHeader.biSize = sizeof(BITMAPINFOHEADER);
    bi.bmiHeader.biWidth = width;
    bi.bmiHeader.biHeight = -height;   // top-down
    bi.bmiHeader.biPlanes = 1;
    bi.bmiHeader.biBitCount = 32;
    bi.bmiHeader.biCompression = BI_RGB;
    void* pixels = nullptr;
    HBITMAP h = ::CreateDIBSection(nullptr, &bi, DIB_RGB_COLORS, &pixels, nullptr, 0);
    if (!h)
        return FALSE;
    if (bits)
        *bits = pixels;
    return Attach(h);
}

BOOL CBitmap::LoadBitmap(UINT idResource)
{
    return LoadBitmap(MAKEINTRESOURCEA(idResource));
}

BOOL CBitmap::LoadBitmap(LPCSTR resourceName)
{
    DeleteObject();
    return Attach(::LoadBitmapA(AfxGetResourceHandle(), resourceName));
}

int CBitmap::GetBitmap(BITMAP* bitmap) const
{
    return GetObject(sizeof(BITMAP), bitmap);
}

DWORD CBitmap::SetBitmapBits(DWORD count, const void* bits)
{
    return m_hObject ? ::SetBitmapBits(static_cast<HBITMAP>(m_hObject), count, bits) : 0;
}

DWORD CBitmap::GetBitmapBits(DWORD count, void* bits) const
{
    return m_hObject ? ::GetBitmapBits(static_cast<HBITMAP>(m_hObject), count, bits) : 0;
}

CBitmap* CBitmap::FromHandle(HBITMAP hBitmap)
{
    return TempFromHandle<CBitmap>(hBitmap);
}

BOOL CRgn::CreateRectRgn(int x1, int y1, int x2, int y2)
{
    DeleteObject();
    return Attach(::CreateRectRgn(x1, y1, x2, y2));
}

BOOL CRgn::CreateRectRgnIndirect(LPCRECT rect)
{
    DeleteObject();
    return rect ? Attach(::CreateRectRgnIndirect(rect)) : FALSE;
}

BOOL CRgn::CreateEllipticRgn(int x1, int y1, int x2, int y2)
{
    DeleteObject();
    return Attach(::CreateEllipticRgn(x1, y1, x2, y2));
}

BOOL CRgn::CreateEllipticRgnIndirect(LPCRECT rect)
{
    DeleteObject();
    return rect ? Attach(::CreateEllipticRgnIndirect(rect)) : FALSE;
}

BOOL CRgn::CreateRoundRectRgn(int x1, int y1, int x2, int y2, int x3, int y3)
{
    DeleteObject();
    return Attach(::CreateRoundRectRgn(x1, y1, x2, y2, x3, y3));
}

BOOL CRgn::CreatePolygonRgn(const POINT* points, int count, int polyFillMode)
{
    DeleteObject();
    return points && count > 0 ? Attach(::CreatePolygonRgn(points, count, polyFillMode)) : FALSE;
}

void CRgn::SetRectRgn(int x1, int y1, int x2, int y2)
{
    if (m_hObject)
        ::SetRectRgn(static_cast<HRGN>(m_hObject), x1, y1, x2, y2);
}

void CRgn::SetRectRgn(LPCRECT rect)
{
    if (rect)
        SetRectRgn(rect->left, rect->top, rect->right, rect->bottom);
}

int CRgn::CombineRgn(const CRgn* rgn1, const CRgn* rgn2, int combineMode)
{
    if (!m_hObject || !rgn1)
        return ERROR;
    return ::CombineRgn(static_cast<HRGN>(m_hObject), static_cast<HRGN>(rgn1->m_hObject),
                        rgn2 ? static_cast<HRGN>(rgn2->m_hObject) : nullptr, combineMode);
}

int CRgn::CopyRgn(const CRgn* rgnSrc)
{
    return rgnSrc ? CombineRgn(rgnSrc, nullptr, RGN_COPY) : ERROR;
}

BOOL CRgn::EqualRgn(const CRgn* rgn) const
{
    return m_hObject && rgn && ::EqualRgn(static_cast<HRGN>(m_hObject), static_cast<HRGN>(rgn->m_hObject));
}

int CRgn::OffsetRgn(int x, int y)
{
    return m_hObject ? ::OffsetRgn(static_cast<HRGN>(m_hObject), x, y) : ERROR;
}

int CRgn::GetRgnBox(LPRECT rect) const
{
    return m_hObject && rect ? ::GetRgnBox(static_cast<HRGN>(m_hObject), rect) : ERROR;
}

BOOL CRgn::PtInRegion(int x, int y) const
{
    return m_hObject ? ::PtInRegion(static_cast<HRGN>(m_hObject), x, y) : FALSE;
}

BOOL CRgn::RectInRegion(LPCRECT rect) const
{
    return m_hObject && rect ? ::RectInRegion(static_cast<HRGN>(m_hObject), rect) : FALSE;
}

CRgn* CRgn::FromHandle(HRGN hRgn)
{
    return TempFromHandle<CRgn>(hRgn);
}

BOOL CPalette::CreatePalette(const LOGPALETTE* logPalette)
{
    DeleteObject();
    return logPalette ? Attach(::CreatePalette(logPalette)) : FALSE;
}

int CPalette::GetEntryCount() const
{
    WORD count = 0;
    return m_hObject && GetObject(sizeof(count), &count) ? count : 0;
}

UINT CPalette::GetPaletteEntries(UINT start, UINT count, PALETTEENTRY* entries) const
{
    return m_hObject ? ::GetPaletteEntries(static_cast<HPALETTE>(m_hObject), start, count, entries) : 0;
}

UINT CPalette::SetPaletteEntries(UINT start, UINT count, const PALETTEENTRY* entries)
{
    return m_hObject ? ::SetPaletteEntries(static_cast<HPALETTE>(m_hObject), start, count, entries) : 0;
}

UINT CPalette::GetNearestPaletteIndex(COLORREF color) const
{
    return m_hObject ? ::GetNearestPaletteIndex(static_cast<HPALETTE>(m_hObject), color) : CLR_INVALID;
}

CPalette* CPalette::FromHandle(HPALETTE hPalette)
{
    return TempFromHandle<CPalette>(hPalette);
}

// ---------------------------------------------------------------------------------------------------------
// CDC: handle, lifetime and selection

CDC::~CDC()
{
    if (m_bOwns)
        DeleteDC();
    else
        Detach();
}

void CDC::Reset()
{
    m_hDC = nullptr;
    m_bOwns = false;
    for (int i = 0; i < kSlots; ++i)
    {
        m_hOriginal[i] = nullptr;
        m_pSelected[i] = nullptr;
    }
}

BOOL CDC::Attach(HDC hDC)
{
    if (m_hDC || !hDC)
        return FALSE;
    m_hDC = hDC;
    m_bOwns = false;
    if (!m_bTemp)
        RegisterDC(hDC, this);
    return TRUE;
}

HDC CDC::Detach()
{
    HDC h = m_hDC;
    if (!h)
        return nullptr;
    RestoreSelection();
    if (!m_bTemp)
        UnregisterDC(h, this);
    Reset();
    return h;
}

BOOL CDC::CreateCompatibleDC(CDC* dc)
{
    return AttachCreated(::CreateCompatibleDC(dc ? dc->m_hDC : nullptr));
}

BOOL CDC::CreateDC(LPCSTR driver, LPCSTR device, LPCSTR output, const DEVMODEA* initData)
{
    return AttachCreated(::CreateDCA(driver, device, output, initData));
}

BOOL CDC::AttachCreated(HDC hDC)
{
    if (m_hDC)
        m_bOwns ? DeleteDC() : (Detach(), TRUE);
    if (!hDC)
        return FALSE;
    Attach(hDC);
    m_bOwns = true;
    return TRUE;
}

BOOL CDC::DeleteDC()
{
    if (!m_hDC)
        return FALSE;
    HDC h = Detach();
    return ::DeleteDC(h);
}

CDC* CDC::FromHandle(HDC hDC)
{
    if (!hDC)
        return nullptr;
    if (CDC* own = LookupDC(hDC))
        return own;
    auto it = TempDCs().dcs.find(hDC);
    if (it != TempDCs().dcs.end())
    {
        if (!it->second->m_hDC)
            it->second->Attach(hDC);   // a caller detached the wrapper: it still stands for the DC
        return it->second.get();
    }
    auto dc = std::make_unique<CDC>();
    dc->m_bTemp = true;
    dc->Attach(hDC);
    CDC* result = dc.get();
    TempDCs().dcs.emplace(hDC, std::move(dc));
    return result;
}

void CDC::DeleteTempMap()
{
    TempDCs().Clear();
}

int CDC::SlotOf(HGDIOBJ hObject)
{
    switch (::GetObjectType(hObject))
    {
    case OBJ_BITMAP: return kBitmap;
    case OBJ_BRUSH: return kBrush;
    case OBJ_PEN:
    case OBJ_EXTPEN: return kPen;
    case OBJ_FONT: return kFont;
    case OBJ_PAL: return kPalette;
    default: return -1;
    }
}

void CDC::Track(int slot, HGDIOBJ previous, CGdiObject* object)
{
    if (m_bTemp || slot < 0)
        return;
    if (!m_hOriginal[slot])
        m_hOriginal[slot] = previous;
    if (m_pSelected[slot])
    {
        m_pSelected[slot]->UnlinkDC(this);
        m_pSelected[slot] = nullptr;
    }
    if (object->m_hObject == m_hOriginal[slot])
    {
        m_hOriginal[slot] = nullptr;   // back where it started: nothing left to restore
        return;
    }
    // Only objects that delete their handle need to hear of the DC; borrowed ones never delete.
    if (object->m_bOwns)
    {
        m_pSelected[slot] = object;
        object->LinkDC(this);
    }
}

void CDC::ReleaseObjectFromSlot(CGdiObject* object)
{
    for (int slot = 0; slot < kSlots; ++slot)
    {
        if (m_pSelected[slot] != object)
            continue;
        m_pSelected[slot] = nullptr;
        if (m_hDC && m_hOriginal[slot])
        {
            if (slot == kPalette)
                ::SelectPalette(m_hDC, static_cast<HPALETTE>(m_hOriginal[slot]), FALSE);
            else
                ::SelectObject(m_hDC, m_hOriginal[slot]);
        }
        m_hOriginal[slot] = nullptr;
    }
    object->UnlinkDC(this);
}

void CDC::RestoreSelection()
{
    for (int slot = 0; slot < kSlots; ++slot)
    {
        if (m_hOriginal[slot] && m_hDC)
        {
            if (slot == kPalette)
                ::SelectPalette(m_hDC, static_cast<HPALETTE>(m_hOriginal[slot]), FALSE);
            else
                ::SelectObject(m_hDC, m_hOriginal[slot]);
        }
        m_hOriginal[slot] = nullptr;
        if (m_pSelected[slot])
        {
            m_pSelected[slot]->UnlinkDC(this);
            m_pSelected[slot] = nullptr;
        }
    }
}

template <class T>
T* CDC::SelectTyped(T* object)
{
    if (!object || !object->m_hObject || !m_hDC)
        return nullptr;
    int slot = SlotOf(object->m_hObject);
    CGdiObject* before = slot >= 0 ? m_pSelected[slot] : nullptr;
    HGDIOBJ previous = ::SelectObject(m_hDC, object->m_hObject);
    if (!previous || previous == HGDI_ERROR)
        return nullptr;
    Track(slot, previous, object);
    if (before && before->m_hObject == previous)
        if (T* same = dynamic_cast<T*>(before))
            return same;
    return CGdiObject::TempFromHandle<T>(previous);
}

CPen* CDC::SelectObject(CPen* pen)
{
    return SelectTyped(pen);
}
CBrush* CDC::SelectObject(CBrush* brush)
{
    return SelectTyped(brush);
}
CFont* CDC::SelectObject(CFont* font)
{
    return SelectTyped(font);
}
CBitmap* CDC::SelectObject(CBitmap* bitmap)
{
    return SelectTyped(bitmap);
}

CGdiObject* CDC::SelectObject(CGdiObject* object)
{
    if (object && object->m_hObject && ::GetObjectType(object->m_hObject) == OBJ_REGION)
        return nullptr;   // regions select as clip regions: use SelectClipRgn
    return SelectTyped(object);
}

int CDC::SelectObject(CRgn* rgn)
{
    if (!m_hDC || !rgn || !rgn->m_hObject)
        return ERROR;
    // A region is copied into the DC as its clipping region; nothing stays selected.
    return static_cast<int>(reinterpret_cast<INT_PTR>(::SelectObject(m_hDC, rgn->m_hObject)));
}

CGdiObject* CDC::SelectStockObject(int index)
{
    HGDIOBJ h = ::GetStockObject(index);
    if (!h || !m_hDC)
        return nullptr;
    return SelectObject(CGdiObject::FromHandle(h));
}

CPalette* CDC::SelectPalette(CPalette* palette, BOOL forceBackground)
{
    if (!m_hDC || !palette || !palette->m_hObject)
        return nullptr;
    CGdiObject* before = m_pSelected[kPalette];
    HPALETTE previous = ::SelectPalette(m_hDC, static_cast<HPALETTE>(palette->m_hObject), forceBackground);
    if (!previous)
        return nullptr;
    Track(kPalette, previous, palette);
    if (before && before->m_hObject == previous)
        if (CPalette* same = dynamic_cast<CPalette*>(before))
            return same;
    return CPalette::FromHandle(previous);
}

UINT CDC::RealizePalette()
{
    return ::RealizePalette(m_hDC);
}

CPen* CDC::GetCurrentPen() const
{
    return CPen::FromHandle(static_cast<HPEN>(::GetCurrentObject(m_hDC, OBJ_PEN)));
}
CBrush* CDC::GetCurrentBrush() const
{
    return CBrush::FromHandle(static_cast<HBRUSH>(::GetCurrentObject(m_hDC, OBJ_BRUSH)));
}
CFont* CDC::GetCurrentFont() const
{
    return CFont::FromHandle(static_cast<HFONT>(::GetCurrentObject(m_hDC, OBJ_FONT)));
}
CBitmap* CDC::GetCurrentBitmap() const
{
    return CBitmap::FromHandle(static_cast<HBITMAP>(::GetCurrentObject(m_hDC, OBJ_BITMAP)));
}

// ---------------------------------------------------------------------------------------------------------
// CDC: state, clipping, drawing

int CDC::SaveDC()
{
    return ::SaveDC(m_hDC);
}
BOOL CDC::RestoreDC(int savedDC)
{
    return ::RestoreDC(m_hDC, savedDC);
}
int CDC::GetDeviceCaps(int index) const
{
    return ::GetDeviceCaps(m_hDC, index);
}
int CDC::GetMapMode() const
{
    return ::GetMapMode(m_hDC);
}
int CDC::SetMapMode(int mapMode)
{
    return ::SetMapMode(m_hDC, mapMode);
}

CPoint CDC::GetViewportOrg() const
{
    POINT pt = {0, 0};
    ::GetViewportOrgEx(m_hDC, &pt);
    return CPoint(pt);
}

CPoint CDC::SetViewportOrg(int x, int y)
{
    POINT pt = {0, 0};
    ::SetViewportOrgEx(m_hDC, x, y, &pt);
    return CPoint(pt);
}

CPoint CDC::GetWindowOrg() const
{
    POINT pt = {0, 0};
    ::GetWindowOrgEx(m_hDC, &pt);
    return CPoint(pt);
}

CPoint CDC::SetWindowOrg(int x, int y)
{
    POINT pt = {0, 0};
    ::SetWindowOrgEx(m_hDC, x, y, &pt);
    return CPoint(pt);
}

void CDC::DPtoLP(LPPOINT points, int count) const
{
    ::DPtoLP(m_hDC, points, count);
}
void CDC::DPtoLP(LPRECT rect) const
{
    ::DPtoLP(m_hDC, reinterpret_cast<LPPOINT>(rect), 2);
}
void CDC::LPtoDP(LPPOINT points, int count) const
{
    ::LPtoDP(m_hDC, points, count);
}
void CDC::LPtoDP(LPRECT rect) const
{
    ::LPtoDP(m_hDC, reinterpret_cast<LPPOINT>(rect), 2);
}

COLORREF CDC::GetTextColor() const
{
    return ::GetTextColor(m_hDC);
}
COLORREF CDC::SetTextColor(COLORREF color)
{
    return ::SetTextColor(m_hDC, color);
}
COLORREF CDC::GetBkColor() const
{
    return ::GetBkColor(m_hDC);
}
COLORREF CDC::SetBkColor(COLORREF color)
{
    return ::SetBkColor(m_hDC, color);
}
int CDC::GetBkMode() const
{
    return ::GetBkMode(m_hDC);
}
int CDC::SetBkMode(int mode)
{
    return ::SetBkMode(m_hDC, mode);
}
int CDC::GetStretchBltMode() const
{
    return ::GetStretchBltMode(m_hDC);
}
int CDC::SetStretchBltMode(int mode)
{
    return ::SetStretchBltMode(m_hDC, mode);
}
int CDC::GetROP2() const
{
    return ::GetROP2(m_hDC);
}
int CDC::SetROP2(int drawMode)
{
    return ::SetROP2(m_hDC, drawMode);
}
UINT CDC::GetTextAlign() const
{
    return ::GetTextAlign(m_hDC);
}
UINT CDC::SetTextAlign(UINT flags)
{
    return ::SetTextAlign(m_hDC, flags);
}
int CDC::GetPolyFillMode() const
{
    return ::GetPolyFillMode(m_hDC);
}
int CDC::SetPolyFillMode(int mode)
{
    return ::SetPolyFillMode(m_hDC, mode);
}

int CDC::SelectClipRgn(CRgn* rgn)
{
    return ::SelectClipRgn(m_hDC, rgn ? static_cast<HRGN>(rgn->m_hObject) : nullptr);
}

int CDC::SelectClipRgn(CRgn* rgn, int mode)
{
    return ::ExtSelectClipRgn(m_hDC, rgn ? static_cast<HRGN>(rgn->m_hObject) : nullptr, mode);
}

int CDC::IntersectClipRect(int x1, int y1, int x2, int y2)
{
    return ::IntersectClipRect(m_hDC, x1, y1, x2, y2);
}
int CDC::IntersectClipRect(LPCRECT r)
{
    return ::IntersectClipRect(m_hDC, r->left, r->top, r->right, r->bottom);
}
int CDC::ExcludeClipRect(int x1, int y1, int x2, int y2)
{
    return ::ExcludeClipRect(m_hDC, x1, y1, x2, y2);
}
int CDC::ExcludeClipRect(LPCRECT r)
{
    return ::ExcludeClipRect(m_hDC, r->left, r->top, r->right, r->bottom);
}
int CDC::GetClipBox(LPRECT rect) const
{
    return ::GetClipBox(m_hDC, rect);
}
BOOL CDC::PtVisible(int x, int y) const
{
    return ::PtVisible(m_hDC, x, y);
}
BOOL CDC::RectVisible(LPCRECT rect) const
{
    return ::RectVisible(m_hDC, rect);
}

BOOL CDC::BitBlt(int x, int y, int width, int height, CDC* srcDC, int xSrc, int ySrc, DWORD rop)
{
    return ::BitBlt(m_hDC, x, y, width, height, srcDC ? srcDC->m_hDC : nullptr, xSrc, ySrc, rop);
}

BOOL CDC::StretchBlt(int x, int y, int width, int height, CDC* srcDC, int xSrc, int ySrc, int srcWidth,
                     int srcHeight, DWORD rop)
{
    return ::StretchBlt(m_hDC, x, y, width, height, srcDC ? srcDC->m_hDC : nullptr, xSrc, ySrc, srcWidth,
                        srcHeight, rop);
}

BOOL CDC::PatBlt(int x, int y, int width, int height, DWORD rop)
{
    return ::PatBlt(m_hDC, x, y, width, height, rop);
}
COLORREF CDC::SetPixel(int x, int y, COLORREF color)
{
    return ::SetPixel(m_hDC, x, y, color);
}
BOOL CDC::SetPixelV(int x, int y, COLORREF color)
{
    return ::SetPixelV(m_hDC, x, y, color);
}
COLORREF CDC::GetPixel(int x, int y) const
{
    return ::GetPixel(m_hDC, x, y);
}
COLORREF CDC::GetNearestColor(COLORREF color) const
{
    return ::GetNearestColor(m_hDC, color);
}

void CDC::FillRect(LPCRECT rect, CBrush* brush)
{
    if (rect && brush)
        ::FillRect(m_hDC, rect, static_cast<HBRUSH>(brush->m_hObject));
}

void CDC::FillSolidRect(LPCRECT rect, COLORREF color)
{
    if (!rect)
        return;
    // An opaque empty text fills exactly the rectangle; the background colour is put back afterwards.
    COLORREF old = ::SetBkColor(m_hDC, color);
    ::ExtTextOutA(m_hDC, 0, 0, ETO_OPAQUE, rect, nullptr, 0, nullptr);
    ::SetBkColor(m_hDC, old);
}

void CDC::FillSolidRect(int x, int y, int cx, int cy, COLORREF color)
{
    RECT r = {x, y, x + cx, y + cy};
    FillSolidRect(&r, color);
}

void CDC::FrameRect(LPCRECT rect, CBrush* brush)
{
    if (rect && brush)
        ::FrameRect(m_hDC, rect, static_cast<HBRUSH>(brush->m_hObject));
}

void CDC::DrawDragRect(LPCRECT rect, SIZE size, LPCRECT rectLast, SIZE sizeLast, CBrush* brush, CBrush* brushLast)
{
    if (brush == nullptr)
        brush = GetHalftoneBrush();
    if (brushLast == nullptr)
        brushLast = brush;
    auto frame = [](CRgn& rgn, LPCRECT r, SIZE s)
    {
        rgn.CreateRectRgn(0, 0, 0, 0);
        if (r == nullptr || CRect(r).IsRectEmpty())
            return;
        CRect inner(r);
        inner.DeflateRect(s);
        if (inner.IsRectEmpty())
            inner.SetRectEmpty();
        CRgn outer, hole;
        outer.CreateRectRgnIndirect(r);
        hole.CreateRectRgnIndirect(&inner);
        rgn.CombineRgn(&outer, &hole, RGN_XOR);
    };
    auto invert = [this](CRgn& rgn, CBrush* pBrush)
    {
        SelectClipRgn(&rgn);
        CRect box;
        rgn.GetRgnBox(&box);
        CBrush* old = SelectObject(pBrush);
        PatBlt(box.left, box.top, box.Width(), box.Height(), PATINVERT);
        SelectObject(old);
    };
    CRgn now, last;
    frame(now, rect, size);
    frame(last, rectLast, sizeLast);
    if (brush == brushLast)
    {
        // What both frames cover stays as it is.
        CRgn change;
        change.CreateRectRgn(0, 0, 0, 0);
        change.CombineRgn(&now, &last, RGN_XOR);
        invert(change, brush);
    }
    else
    {
        invert(last, brushLast);
        invert(now, brush);
    }
    SelectClipRgn(nullptr);
}

CBrush* CDC::GetHalftoneBrush()
{
    static CBrush brush;
    if (brush.m_hObject == nullptr)
    {
        WORD pattern[8];
        for (int i = 0; i < 8; ++i)
            pattern[i] = static_cast<WORD>(0x5555 << (i & 1));
        CBitmap bitmap;
        if (bitmap.CreateBitmap(8, 8, 1, 1, pattern))
            brush.CreatePatternBrush(&bitmap);   // the brush keeps its own copy of the pattern
    }
    return &brush;
}

void CDC::InvertRect(LPCRECT rect)
{
    if (rect)
        ::InvertRect(m_hDC, rect);
}

void CDC::Draw3dRect(LPCRECT rect, COLORREF topLeft, COLORREF bottomRight)
{
    if (rect)
        Draw3dRect(rect->left, rect->top, rect->right - rect->left, rect->bottom - rect->top, topLeft,
                   bottomRight);
}

void CDC::Draw3dRect(int x, int y, int cx, int cy, COLORREF topLeft, COLORREF bottomRight)
{
    FillSolidRect(x, y, cx - 1, 1, topLeft);
    FillSolidRect(x, y, 1, cy - 1, topLeft);
    FillSolidRect(x + cx, y, -1, cy, bottomRight);
    FillSolidRect(x, y + cy, cx, -1, bottomRight);
}

void CDC::DrawFocusRect(LPCRECT rect)
{
    if (rect)
        ::DrawFocusRect(m_hDC, rect);
}

BOOL CDC::FillRgn(CRgn* rgn, CBrush* brush)
{
    return rgn && brush &&
           ::FillRgn(m_hDC, static_cast<HRGN>(rgn->m_hObject), static_cast<HBRUSH>(brush->m_hObject));
}

BOOL CDC::FrameRgn(CRgn* rgn, CBrush* brush, int width, int height)
{
    return rgn && brush &&
           ::FrameRgn(m_hDC, static_cast<HRGN>(rgn->m_hObject), static_cast<HBRUSH>(brush->m_hObject), width,
                      height);
}

BOOL CDC::Rectangle(int x1, int y1, int x2, int y2)
{
    return ::Rectangle(m_hDC, x1, y1, x2, y2);
}
BOOL CDC::Rectangle(LPCRECT r)
{
    return ::Rectangle(m_hDC, r->left, r->top, r->right, r->bottom);
}
BOOL CDC::RoundRect(int x1, int y1, int x2, int y2, int x3, int y3)
{
    return ::RoundRect(m_hDC, x1, y1, x2, y2, x3, y3);
}
BOOL CDC::RoundRect(LPCRECT r, POINT p)
{
    return ::RoundRect(m_hDC, r->left, r->top, r->right, r->bottom, p.x, p.y);
}
BOOL CDC::Ellipse(int x1, int y1, int x2, int y2)
{
    return ::Ellipse(m_hDC, x1, y1, x2, y2);
}
BOOL CDC::Ellipse(LPCRECT r)
{
    return ::Ellipse(m_hDC, r->left, r->top, r->right, r->bottom);
}
BOOL CDC::Polygon(const POINT* points, int count)
{
    return ::Polygon(m_hDC, points, count);
}
BOOL CDC::Polyline(const POINT* points, int count)
{
    return ::Polyline(m_hDC, points, count);
}

CPoint CDC::MoveTo(int x, int y)
{
    POINT pt = {0, 0};
    ::MoveToEx(m_hDC, x, y, &pt);
    return CPoint(pt);
}

BOOL CDC::LineTo(int x, int y)
{
    return ::LineTo(m_hDC, x, y);
}

CPoint CDC::GetCurrentPosition() const
{
    POINT pt = {0, 0};
    ::GetCurrentPositionEx(m_hDC, &pt);
    return CPoint(pt);
}

BOOL CDC::DrawIcon(int x, int y, HICON icon)
{
    return ::DrawIcon(m_hDC, x, y, icon);
}
BOOL CDC::DrawEdge(LPRECT rect, UINT edge, UINT flags)
{
    return ::DrawEdge(m_hDC, rect, edge, flags);
}
BOOL CDC::DrawFrameControl(LPRECT rect, UINT type, UINT state)
{
    return ::DrawFrameControl(m_hDC, rect, type, state);
}

BOOL CDC::TextOut(int x, int y, LPCSTR text, int count)
{
    return text && count >= 0 ? ::TextOutA(m_hDC, x, y, text, count) : FALSE;
}

BOOL CDC::TextOut(int x, int y, const CString& text)
{
    return TextOut(x, y, text.GetString(), text.GetLength());
}

BOOL CDC::ExtTextOut(int x, int y, UINT options, LPCRECT rect, LPCSTR text, UINT count, const int* dx)
{
    return ::ExtTextOutA(m_hDC, x, y, options, rect, text, count, dx);
}

BOOL CDC::ExtTextOut(int x, int y, UINT options, LPCRECT rect, const CString& text, const int* dx)
{
    return ExtTextOut(x, y, options, rect, text.GetString(), static_cast<UINT>(text.GetLength()), dx);
}

int CDC::DrawText(LPCSTR text, int count, LPRECT rect, UINT format)
{
    return text && rect ? ::DrawTextA(m_hDC, text, count, rect, format) : 0;
}

int CDC::DrawText(const CString& text, LPRECT rect, UINT format)
{
    return DrawText(text.GetString(), text.GetLength(), rect, format);
}

CSize CDC::GetTextExtent(LPCSTR text, int count) const
{
    SIZE size = {0, 0};
    if (text && count > 0)
        ::GetTextExtentPoint32A(m_hDC, text, count, &size);
    return CSize(size);
}

CSize CDC::GetTextExtent(const CString& text) const
{
    return GetTextExtent(text.GetString(), text.GetLength());
}

BOOL CDC::GetTextMetrics(LPTEXTMETRICA metrics) const
{
    return ::GetTextMetricsA(m_hDC, metrics);
}
int CDC::GetTextFace(int count, LPSTR faceName) const
{
    return ::GetTextFaceA(m_hDC, count, faceName);
}

int CDC::GetTextFace(CString& faceName) const
{
    char buffer[LF_FACESIZE] = {};
    int n = ::GetTextFaceA(m_hDC, LF_FACESIZE, buffer);
    faceName = buffer;
    return n;
}

// ---------------------------------------------------------------------------------------------------------
// Window DCs

CPaintDC::CPaintDC(CWnd* wnd) : m_hWnd(wnd ? wnd->m_hWnd : nullptr)
{
    if (m_hWnd)
        Attach(::BeginPaint(m_hWnd, &m_ps));
}

CPaintDC::~CPaintDC()
{
    if (m_hWnd)
    {
        Detach();
        ::EndPaint(m_hWnd, &m_ps);
    }
}

CClientDC::CClientDC(CWnd* wnd) : m_hWnd(wnd ? wnd->m_hWnd : nullptr)
{
    Attach(::GetDC(m_hWnd));
}

CClientDC::~CClientDC()
{
    if (HDC h = Detach())
        ::ReleaseDC(m_hWnd, h);
}

CWindowDC::CWindowDC(CWnd* wnd) : m_hWnd(wnd ? wnd->m_hWnd : nullptr)
{
    Attach(::GetWindowDC(m_hWnd));
}

CWindowDC::~CWindowDC()
{
    if (HDC h = Detach())
        ::ReleaseDC(m_hWnd, h);
}
