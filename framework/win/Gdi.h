// GDI wrappers: device contexts and drawing objects.
//
// Ownership is explicit. A drawing object owns the handle it created or was given with Attach, and deletes it
// when it goes away; Detach hands the handle back. A CDC owns the DC it created (CreateCompatibleDC, CreateDC)
// and only borrows a DC given with Attach; CPaintDC, CClientDC and CWindowDC end their DC as the window
// rules say.
//
// Selection is paired: a CDC remembers the object each kind of slot held before its first SelectObject and
// selects it back when the DC is deleted, detached or released. An owned drawing object that is deleted while
// still selected into one of our DCs is first selected out of it. So an object is never left selected in a
// DC when its owner goes away, whatever the order of destruction.
//
// FromHandle gives a temporary wrapper that borrows the handle (it never deletes it nor restores anything);
// temporaries live until DeleteTempMap is called on the same thread (the idle processing does that).
#pragma once

#include "framework/core/Object.h"
#include "framework/core/String.h"
#include "framework/win/Geometry.h"

#include <vector>

class CWnd;
class CDC;
class CBitmap;
class CBrush;
class CPen;
class CFont;
class CRgn;
class CPalette;

class CGdiObject : public CObject
{
public:
    CGdiObject() = default;
    virtual ~CGdiObject();
    CGdiObject(const CGdiObject&) = delete;
    CGdiObject& operator=(const CGdiObject&) = delete;

    HGDIOBJ m_hObject = nullptr;

    operator HGDIOBJ() const { return m_hObject; }
    HGDIOBJ GetSafeHandle() const { return m_hObject; }

    // Takes ownership of the handle; FALSE when a handle is already held or the new one is null.
    BOOL Attach(HGDIOBJ hObject);
    // Gives up the handle without deleting it (it may stay selected in a DC: that DC's owner restores it).
    HGDIOBJ Detach();
    // Selects the object out of our DCs that hold it, then deletes it. FALSE when there was nothing to delete.
    BOOL DeleteObject();

    int GetObject(int count, void* buffer) const;
    UINT GetObjectType() const;
    BOOL CreateStockObject(int index);   // stock objects are borrowed: never deleted
    BOOL UnrealizeObject();

    static CGdiObject* FromHandle(HGDIOBJ hObject);
    static void DeleteTempMap();

protected:
    template <class T>
    static T* TempFromHandle(HGDIOBJ hObject);
    bool m_bOwns = false;   // we delete the handle

private:
    friend class CDC;
    std::vector<CDC*> m_selectedIn;   // our DCs that currently hold this object
    void LinkDC(CDC* dc);
    void UnlinkDC(CDC* dc);
};

class CPen : public CGdiObject
{
public:
    CPen() = default;
    CPen(int penStyle, int width, COLORREF color) { CreatePen(penStyle, width, color); }
    BOOL CreatePen(int penStyle, int width, COLORREF color);
    BOOL CreatePenIndirect(const LOGPEN* logPen);
    int GetLogPen(LOGPEN* logPen) const;
    operator HPEN() const { return static_cast<HPEN>(m_hObject); }
    static CPen* FromHandle(HPEN hPen);
};

class CBrush : public CGdiObject
{
public:
    CBrush() = default;
    explicit CBrush(COLORREF color) { CreateSolidBrush(color); }
    CBrush(int hatchIndex, COLORREF color) { CreateHatchBrush(hatchIndex, color); }
    explicit CBrush(CBitmap* bitmap) { CreatePatternBrush(bitmap); }
    BOOL CreateSolidBrush(COLORREF color);
    BOOL CreateHatchBrush(int hatchIndex, COLORREF color);
    BOOL CreatePatternBrush(CBitmap* bitmap);
    BOOL CreateBrushIndirect(const LOGBRUSH* logBrush);
    BOOL CreateSysColorBrush(int index);
    int GetLogBrush(LOGBRUSH* logBrush) const;
    operator HBRUSH() const { return static_cast<HBRUSH>(m_hObject); }
    static CBrush* FromHandle(HBRUSH hBrush);
};

class CFont : public CGdiObject
{
public:
    BOOL CreateFont(int height, int width, int escapement, int orientation, int weight, BYTE italic,
                    BYTE underline, BYTE strikeOut, BYTE charSet, BYTE outPrecision, BYTE clipPrecision,
                    BYTE quality, BYTE pitchAndFamily, LPCSTR faceName);
    BOOL CreateFontIndirect(const LOGFONTA* logFont);
    // Size in tenths of a point, converted with the DC's vertical resolution (the screen's when null).
    BOOL CreatePointFont(int pointSize, LPCSTR faceName, CDC* dc = nullptr);
    BOOL CreatePointFontIndirect(const LOGFONTA* logFont, CDC* dc = nullptr);
    int GetLogFont(LOGFONTA* logFont) const;
    operator HFONT() const { return static_cast<HFONT>(m_hObject); }
    static CFont* FromHandle(HFONT hFont);
};

class CBitmap : public CGdiObject
{
public:
    BOOL CreateBitmap(int width, int height, UINT planes, UINT bitsPerPixel, const void* bits);
    BOOL CreateBitmapIndirect(const BITMAP* bitmap);
    BOOL CreateCompatibleBitmap(CDC* dc, int width, int height);
    // A 32-bit top-down DIB section (blue, green, red, unused per pixel); bits receives its pixel memory.
    BOOL CreateDIBSection(int width, int height, void** bits = nullptr);
    BOOL LoadBitmap(UINT idResource);
    BOOL LoadBitmap(LPCSTR resourceName);
    int GetBitmap(BITMAP* bitmap) const;
    DWORD SetBitmapBits(DWORD count, const void* bits);
    DWORD GetBitmapBits(DWORD count, void* bits) const;
    operator HBITMAP() const { return static_cast<HBITMAP>(m_hObject); }
    static CBitmap* FromHandle(HBITMAP hBitmap);
};

class CRgn : public CGdiObject
{
public:
    BOOL CreateRectRgn(int x1, int y1, int x2, int y2);
    BOOL CreateRectRgnIndirect(LPCRECT rect);
    BOOL CreateEllipticRgn(int x1, int y1, int x2, int y2);
    BOOL CreateEllipticRgnIndirect(LPCRECT rect);
    BOOL CreateRoundRectRgn(int x1, int y1, int x2, int y2, int x3, int y3);
    BOOL CreatePolygonRgn(const POINT* points, int count, int polyFillMode);
    void SetRectRgn(int x1, int y1, int x2, int y2);
    void SetRectRgn(LPCRECT rect);
    int CombineRgn(const CRgn* rgn1, const CRgn* rgn2, int combineMode);
    int CopyRgn(const CRgn* rgnSrc);
    BOOL EqualRgn(const CRgn* rgn) const;
    int OffsetRgn(int x, int y);
    int OffsetRgn(POINT point) { return OffsetRgn(point.x, point.y); }
    int GetRgnBox(LPRECT rect) const;
    BOOL PtInRegion(int x, int y) const;
    BOOL PtInRegion(POINT point) const { return PtInRegion(point.x, point.y); }
    BOOL RectInRegion(LPCRECT rect) const;
    operator HRGN() const { return static_cast<HRGN>(m_hObject); }
    static CRgn* FromHandle(HRGN hRgn);
};

class CPalette : public CGdiObject
{
public:
    BOOL CreatePalette(const LOGPALETTE* logPalette);
    int GetEntryCount() const;
    UINT GetPaletteEntries(UINT start, UINT count, PALETTEENTRY* entries) const;
    UINT SetPaletteEntries(UINT start, UINT count, const PALETTEENTRY* entries);
    UINT GetNearestPaletteIndex(COLORREF color) const;
    operator HPALETTE() const { return static_cast<HPALETTE>(m_hObject); }
    static CPalette* FromHandle(HPALETTE hPalette);
};

class CDC : public CObject
{
public:
    CDC() = default;
    virtual ~CDC();
    CDC(const CDC&) = delete;
    CDC& operator=(const CDC&) = delete;

    HDC m_hDC = nullptr;

    operator HDC() const { return m_hDC; }
    HDC GetSafeHdc() const { return m_hDC; }

    // Borrows the DC: going away (or Detach) restores what we selected but does not delete it.
    BOOL Attach(HDC hDC);
    HDC Detach();
    // Owned DCs.
    BOOL CreateCompatibleDC(CDC* dc);   // null: compatible with the screen
    BOOL CreateDC(LPCSTR driver, LPCSTR device, LPCSTR output, const DEVMODEA* initData);
    BOOL DeleteDC();

    static CDC* FromHandle(HDC hDC);
    static void DeleteTempMap();

    // Selection (see the file comment for who selects back)
    CPen* SelectObject(CPen* pen);
    CBrush* SelectObject(CBrush* brush);
    CFont* SelectObject(CFont* font);
    CBitmap* SelectObject(CBitmap* bitmap);
    CGdiObject* SelectObject(CGdiObject* object);
    int SelectObject(CRgn* rgn);   // region type, as SelectClipRgn
    CGdiObject* SelectStockObject(int index);
    CPalette* SelectPalette(CPalette* palette, BOOL forceBackground);
    UINT RealizePalette();
    CPen* GetCurrentPen() const;
    CBrush* GetCurrentBrush() const;
    CFont* GetCurrentFont() const;
    CBitmap* GetCurrentBitmap() const;

    // State
    int SaveDC();
    BOOL RestoreDC(int savedDC);
    int GetDeviceCaps(int index) const;
    int GetMapMode() const;
    int SetMapMode(int mapMode);
    CPoint GetViewportOrg() const;
    CPoint SetViewportOrg(int x, int y);
    CPoint SetViewportOrg(POINT point) { return SetViewportOrg(point.x, point.y); }
    CPoint GetWindowOrg() const;
    CPoint SetWindowOrg(int x, int y);
    CPoint SetWindowOrg(POINT point) { return SetWindowOrg(point.x, point.y); }
    void DPtoLP(LPPOINT points, int count = 1) const;
    void DPtoLP(LPRECT rect) const;
    void LPtoDP(LPPOINT points, int count = 1) const;
    void LPtoDP(LPRECT rect) const;
    COLORREF GetTextColor() const;
    COLORREF SetTextColor(COLORREF color);
    COLORREF GetBkColor() const;
    COLORREF SetBkColor(COLORREF color);
    int GetBkMode() const;
    int SetBkMode(int mode);
    int GetStretchBltMode() const;
    int SetStretchBltMode(int mode);
    int GetROP2() const;
    int SetROP2(int drawMode);
    UINT GetTextAlign() const;
    UINT SetTextAlign(UINT flags);
    int GetPolyFillMode() const;
    int SetPolyFillMode(int mode);

    // Clipping
    int SelectClipRgn(CRgn* rgn);   // null removes the clipping region
    int SelectClipRgn(CRgn* rgn, int mode);
    int IntersectClipRect(int x1, int y1, int x2, int y2);
    int IntersectClipRect(LPCRECT rect);
    int ExcludeClipRect(int x1, int y1, int x2, int y2);
    int ExcludeClipRect(LPCRECT rect);
    int GetClipBox(LPRECT rect) const;
    BOOL PtVisible(int x, int y) const;
    BOOL RectVisible(LPCRECT rect) const;

    // Bitmaps and pixels
    BOOL BitBlt(int x, int y, int width, int height, CDC* srcDC, int xSrc, int ySrc, DWORD rop);
    BOOL StretchBlt(int x, int y, int width, int height, CDC* srcDC, int xSrc, int ySrc, int srcWidth,
                    int srcHeight, DWORD rop);
    BOOL PatBlt(int x, int y, int width, int height, DWORD rop);
    COLORREF SetPixel(int x, int y, COLORREF color);
    COLORREF SetPixel(POINT point, COLORREF color) { return SetPixel(point.x, point.y, color); }
    BOOL SetPixelV(int x, int y, COLORREF color);
    COLORREF GetPixel(int x, int y) const;
    COLORREF GetPixel(POINT point) const { return GetPixel(point.x, point.y); }
    COLORREF GetNearestColor(COLORREF color) const;

    // Filling and shapes
    void FillRect(LPCRECT rect, CBrush* brush);
    void FillSolidRect(LPCRECT rect, COLORREF color);
    void FillSolidRect(int x, int y, int cx, int cy, COLORREF color);
    void FrameRect(LPCRECT rect, CBrush* brush);
    void InvertRect(LPCRECT rect);
    void Draw3dRect(LPCRECT rect, COLORREF topLeft, COLORREF bottomRight);
    void Draw3dRect(int x, int y, int cx, int cy, COLORREF topLeft, COLORREF bottomRight);
    void DrawFocusRect(LPCRECT rect);
    BOOL FillRgn(CRgn* rgn, CBrush* brush);
    BOOL FrameRgn(CRgn* rgn, CBrush* brush, int width, int height);
    BOOL Rectangle(int x1, int y1, int x2, int y2);
    BOOL Rectangle(LPCRECT rect);
    BOOL RoundRect(int x1, int y1, int x2, int y2, int x3, int y3);
    BOOL RoundRect(LPCRECT rect, POINT point);
    BOOL Ellipse(int x1, int y1, int x2, int y2);
    BOOL Ellipse(LPCRECT rect);
    BOOL Polygon(const POINT* points, int count);
    BOOL Polyline(const POINT* points, int count);
    CPoint MoveTo(int x, int y);
    CPoint MoveTo(POINT point) { return MoveTo(point.x, point.y); }
    BOOL LineTo(int x, int y);
    BOOL LineTo(POINT point) { return LineTo(point.x, point.y); }
    CPoint GetCurrentPosition() const;
    BOOL DrawIcon(int x, int y, HICON icon);
    BOOL DrawIcon(POINT point, HICON icon) { return DrawIcon(point.x, point.y, icon); }
    BOOL DrawEdge(LPRECT rect, UINT edge, UINT flags);
    // Inverts the frame of rect (size: its thickness) with brush, after inverting the frame of rectLast
    // (sizeLast) with brushLast to take it away: drawn twice, a frame is gone. Empty rectangles draw nothing;
    // null brushes are the halftone brush.
    void DrawDragRect(LPCRECT rect, SIZE size, LPCRECT rectLast, SIZE sizeLast, CBrush* brush = nullptr,
                      CBrush* brushLast = nullptr);
    // A checkerboard of black and white pixels (drawn with PATINVERT it greys what it covers).
    static CBrush* GetHalftoneBrush();
    BOOL DrawFrameControl(LPRECT rect, UINT type, UINT state);

    // Text
    BOOL TextOut(int x, int y, LPCSTR text, int count);
    BOOL TextOut(int x, int y, const CString& text);
    BOOL ExtTextOut(int x, int y, UINT options, LPCRECT rect, LPCSTR text, UINT count, const int* dx);
    BOOL ExtTextOut(int x, int y, UINT options, LPCRECT rect, const CString& text, const int* dx);
    int DrawText(LPCSTR text, int count, LPRECT rect, UINT format);
    int DrawText(const CString& text, LPRECT rect, UINT format);
    CSize GetTextExtent(LPCSTR text, int count) const;
    CSize GetTextExtent(const CString& text) const;
    BOOL GetTextMetrics(LPTEXTMETRICA metrics) const;
    int GetTextFace(int count, LPSTR faceName) const;
    int GetTextFace(CString& faceName) const;

private:
    friend class CGdiObject;
    // Slots of selectable objects: bitmap, brush, pen, font, palette.
    enum
    {
        kBitmap,
        kBrush,
        kPen,
        kFont,
        kPalette,
        kSlots
    };
    static int SlotOf(HGDIOBJ hObject);
    BOOL AttachCreated(HDC hDC);   // ends the present DC, then owns hDC (FALSE when null)
    template <class T>
    T* SelectTyped(T* object);
    void Track(int slot, HGDIOBJ previous, CGdiObject* object);
    void ReleaseObjectFromSlot(CGdiObject* object);   // an owned object is going away
    void RestoreSelection();
    void Reset();

    bool m_bOwns = false;   // we delete the DC
    bool m_bTemp = false;   // temporary wrapper: tracks nothing
    HGDIOBJ m_hOriginal[kSlots] = {};
    CGdiObject* m_pSelected[kSlots] = {};
};

// The DCs of a window. Each takes the window object (its m_hWnd; null means the screen for CClientDC and
// CWindowDC) and ends its DC as the window rules say.
class CPaintDC : public CDC
{
public:
    explicit CPaintDC(CWnd* wnd);
    ~CPaintDC() override;
    PAINTSTRUCT m_ps = {};

protected:
    HWND m_hWnd = nullptr;
};

class CClientDC : public CDC
{
public:
    explicit CClientDC(CWnd* wnd);
    ~CClientDC() override;

protected:
    HWND m_hWnd = nullptr;
};

class CWindowDC : public CDC
{
public:
    explicit CWindowDC(CWnd* wnd);
    ~CWindowDC() override;

protected:
    HWND m_hWnd = nullptr;
};
