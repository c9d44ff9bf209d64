// GDI wrappers: geometry, ownership of handles, selection paired with its owner, DIB pixels.
#include "framework/win/Gdi.h"
#include "framework/win/ImageList.h"
#include "support/win_DibSurface.h"

#include <gtest/gtest.h>

#include <malloc.h>
#include <process.h>

#include <memory>

namespace
{

HGDIOBJ Current(HDC hdc, UINT type)
{
    return ::GetCurrentObject(hdc, type);
}

// ---------------------------------------------------------------------------------------------------------
// Geometry

TEST(GdiGeometry, RectMembersFollowTheWin32Rules)
{
    CRect r(10, 20, 110, 70);
    EXPECT_EQ(100, r.Width());
    EXPECT_EQ(50, r.Height());
    EXPECT_EQ(CPoint(60, 45), r.CenterPoint());
    EXPECT_TRUE(r.PtInRect(CPoint(10, 20)));
    EXPECT_FALSE(r.PtInRect(CPoint(110, 20)));   // right and bottom edges lie outside
    EXPECT_FALSE(r.PtInRect(CPoint(10, 70)));

    r.TopLeft().Offset(5, 5);
    EXPECT_EQ(CRect(15, 25, 110, 70), r);
    r.DeflateRect(5, 5);
    EXPECT_EQ(CRect(20, 30, 105, 65), r);

    CRect inverted(50, 40, 10, 5);
    EXPECT_TRUE(inverted.IsRectEmpty());
    EXPECT_FALSE(inverted.IsRectNull());
    inverted.NormalizeRect();
    EXPECT_EQ(CRect(10, 5, 50, 40), inverted);
}

TEST(GdiGeometry, IntersectAndUnionTreatEmptyRectanglesAsNothing)
{
    CRect result(1, 2, 3, 4);
    CRect a(0, 0, 10, 10), b(20, 20, 30, 30);
    EXPECT_FALSE(result.IntersectRect(&a, &b));
    EXPECT_TRUE(result.IsRectNull());

    CRect c(5, 5, 15, 15);
    EXPECT_TRUE(result.IntersectRect(&a, &c));
    EXPECT_EQ(CRect(5, 5, 10, 10), result);

    CRect empty(100, 100, 100, 200);
    EXPECT_TRUE(result.UnionRect(&a, &empty));
    EXPECT_EQ(a, result);
    EXPECT_EQ(CRect(0, 0, 30, 30), a | b);
    EXPECT_EQ(CRect(5, 5, 10, 10), a & c);
}

TEST(GdiGeometry, RectConvertsToWin32Pointers)
{
    CRect r(0, 0, 4, 4);
    ::OffsetRect(r, 3, 2);   // LPRECT
    EXPECT_EQ(CRect(3, 2, 7, 6), r);
    const CRect cr(r);
    EXPECT_TRUE(::PtInRect(cr, POINT{3, 2}));   // LPCRECT
}

// ---------------------------------------------------------------------------------------------------------
// Ownership

TEST(GdiObjects, OwnedHandleIsDeletedWithItsObjectAndDetachHandsItBack)
{
    HGDIOBJ kept;
    HGDIOBJ deleted;
    {
        CBrush a(RGB(1, 2, 3)), b(RGB(4, 5, 6));
        deleted = a.GetSafeHandle();
        kept = b.Detach();
        EXPECT_EQ(nullptr, b.GetSafeHandle());
    }
    EXPECT_EQ(0u, ::GetObjectType(deleted));
    EXPECT_EQ(static_cast<DWORD>(OBJ_BRUSH), ::GetObjectType(kept));
    ::DeleteObject(kept);
}

// A worker draws off screen with our wrappers (their temporary wrappers are the thread's own) and ends; its
// wrappers end with it and the heap stays sound, thread after thread.
unsigned __stdcall DrawOffScreen(void*)
{
    CDC dc;
    dc.CreateCompatibleDC(nullptr);
    CBitmap bitmap;
    bitmap.CreateBitmap(8, 8, 1, 32, nullptr);
    CBitmap* old = dc.SelectObject(&bitmap);
    dc.FillSolidRect(0, 0, 8, 8, RGB(1, 2, 3));
    CDC::FromHandle(dc.GetSafeHdc());
    CGdiObject::FromHandle(::GetStockObject(BLACK_BRUSH));
    dc.SelectObject(old);
    return 0;
}

TEST(GdiObjects, WorkerThreadsEndWithTheirTemporaryWrappers)
{
    for (int i = 0; i < 300; i++)
    {
        HANDLE thread = reinterpret_cast<HANDLE>(_beginthreadex(nullptr, 0, &DrawOffScreen, nullptr, 0, nullptr));
        ASSERT_NE(nullptr, thread);
        std::vector<std::unique_ptr<char[]>> churn;
        for (int j = 0; j < 50; j++)
            churn.emplace_back(new char[64 + j]);
        ASSERT_EQ(WAIT_OBJECT_0, ::WaitForSingleObject(thread, 10000));
        ::CloseHandle(thread);
    }
    EXPECT_EQ(_HEAPOK, _heapchk());
}

TEST(GdiObjects, TemporaryWrappersBorrowTheirHandle)
{
    HBRUSH h = ::CreateSolidBrush(RGB(9, 9, 9));
    CBrush* temp = CBrush::FromHandle(h);
    ASSERT_NE(nullptr, temp);
    EXPECT_EQ(temp, CBrush::FromHandle(h));   // one wrapper per handle until the map is emptied
    CGdiObject::DeleteTempMap();
    EXPECT_EQ(static_cast<DWORD>(OBJ_BRUSH), ::GetObjectType(h));
    ::DeleteObject(h);
}

TEST(GdiObjects, DetachedTemporaryWrapperStillStandsForItsHandle)
{
    HBRUSH h = ::CreateSolidBrush(RGB(9, 9, 9));
    CBrush::FromHandle(h)->Detach();
    EXPECT_EQ(h, CBrush::FromHandle(h)->m_hObject);

    HDC hdc = ::CreateCompatibleDC(nullptr);
    CDC::FromHandle(hdc)->Detach();
    EXPECT_EQ(hdc, CDC::FromHandle(hdc)->m_hDC);

    HIMAGELIST hList = ::ImageList_Create(4, 4, ILC_COLOR32, 1, 1);
    CImageList::FromHandle(hList)->Detach();
    EXPECT_EQ(hList, CImageList::FromHandle(hList)->m_hImageList);

    CGdiObject::DeleteTempMap();
    CDC::DeleteTempMap();
    CImageList::DeleteTempMap();
    EXPECT_EQ(0, ::ImageList_GetImageCount(hList));   // borrowed: still alive
    ::ImageList_Destroy(hList);
    ::DeleteDC(hdc);
    ::DeleteObject(h);
}

TEST(GdiObjects, CreatingAgainReplacesTheHandle)
{
    CPen pen(PS_SOLID, 1, RGB(0, 0, 0));
    HGDIOBJ first = pen.GetSafeHandle();
    ASSERT_TRUE(pen.CreatePen(PS_SOLID, 3, RGB(255, 0, 0)));
    EXPECT_EQ(0u, ::GetObjectType(first));
    LOGPEN lp = {};
    ASSERT_TRUE(pen.GetLogPen(&lp));
    EXPECT_EQ(3, lp.lopnWidth.x);
    EXPECT_EQ(RGB(255, 0, 0), lp.lopnColor);
}

TEST(GdiObjects, PointFontUsesTheScreenResolution)
{
    CFont font;
    ASSERT_TRUE(font.CreatePointFont(120, "Tahoma"));
    LOGFONTA lf = {};
    ASSERT_TRUE(font.GetLogFont(&lf));
    HDC screen = ::GetDC(nullptr);
    int dpi = ::GetDeviceCaps(screen, LOGPIXELSY);
    ::ReleaseDC(nullptr, screen);
    EXPECT_EQ(-::MulDiv(dpi, 120, 720), lf.lfHeight);
    EXPECT_STREQ("Tahoma", lf.lfFaceName);
}

// ---------------------------------------------------------------------------------------------------------
// Selection is paired with its owner

TEST(GdiSelection, SelectObjectReturnsThePreviousObject)
{
    CDC dc;
    ASSERT_TRUE(dc.CreateCompatibleDC(nullptr));
    CPen a(PS_SOLID, 1, RGB(1, 0, 0)), b(PS_SOLID, 1, RGB(2, 0, 0));
    HGDIOBJ original = Current(dc, OBJ_PEN);
    CPen* old = dc.SelectObject(&a);
    ASSERT_NE(nullptr, old);
    EXPECT_EQ(original, old->GetSafeHandle());
    EXPECT_EQ(&a, dc.SelectObject(&b));
    EXPECT_EQ(&b, dc.SelectObject(old));
    EXPECT_EQ(original, Current(dc, OBJ_PEN));
}

TEST(GdiSelection, BorrowedDCGetsItsOriginalObjectsBackWhenTheWrapperGoesAway)
{
    HDC hdc = ::CreateCompatibleDC(nullptr);
    HGDIOBJ bitmap0 = Current(hdc, OBJ_BITMAP), pen0 = Current(hdc, OBJ_PEN), font0 = Current(hdc, OBJ_FONT),
            brush0 = Current(hdc, OBJ_BRUSH);
    CBitmap bitmap;
    ASSERT_TRUE(bitmap.CreateDIBSection(8, 8));
    CPen pen(PS_SOLID, 2, RGB(0, 0, 255));
    CBrush brush(RGB(0, 255, 0));
    CFont font;
    ASSERT_TRUE(font.CreatePointFont(100, "Tahoma"));
    {
        CDC dc;
        ASSERT_TRUE(dc.Attach(hdc));
        dc.SelectObject(&bitmap);
        dc.SelectObject(&pen);
        dc.SelectObject(&brush);
        dc.SelectObject(&font);
        dc.SelectObject(&pen);   // twice: the first original is what comes back
        EXPECT_EQ(bitmap.GetSafeHandle(), Current(hdc, OBJ_BITMAP));
    }
    // The borrowed DC is still alive and holds what it held before.
    EXPECT_EQ(static_cast<DWORD>(OBJ_MEMDC), ::GetObjectType(hdc));
    EXPECT_EQ(bitmap0, Current(hdc, OBJ_BITMAP));
    EXPECT_EQ(pen0, Current(hdc, OBJ_PEN));
    EXPECT_EQ(font0, Current(hdc, OBJ_FONT));
    EXPECT_EQ(brush0, Current(hdc, OBJ_BRUSH));
    ::DeleteDC(hdc);
    // Nothing is selected any more, so the objects really go.
    HGDIOBJ h = bitmap.GetSafeHandle();
    EXPECT_TRUE(bitmap.DeleteObject());
    EXPECT_EQ(0u, ::GetObjectType(h));
}

TEST(GdiSelection, ObjectDeletedWhileSelectedIsSelectedOutFirst)
{
    CDC dc;
    ASSERT_TRUE(dc.CreateCompatibleDC(nullptr));
    HGDIOBJ bitmap0 = Current(dc, OBJ_BITMAP), font0 = Current(dc, OBJ_FONT);
    HGDIOBJ bitmapHandle, fontHandle;
    {
        CBitmap bitmap;
        ASSERT_TRUE(bitmap.CreateDIBSection(4, 4));
        CFont font;
        ASSERT_TRUE(font.CreatePointFont(100, "Tahoma"));
        bitmapHandle = bitmap.GetSafeHandle();
        fontHandle = font.GetSafeHandle();
        dc.SelectObject(&bitmap);
        dc.SelectObject(&font);
    }   // the objects end before the DC
    EXPECT_EQ(bitmap0, Current(dc, OBJ_BITMAP));
    EXPECT_EQ(font0, Current(dc, OBJ_FONT));
    EXPECT_EQ(0u, ::GetObjectType(bitmapHandle));
    EXPECT_EQ(0u, ::GetObjectType(fontHandle));
}

TEST(GdiSelection, OnePenInTwoDCsLeavesBothWhenDeleted)
{
    CDC first, second;
    ASSERT_TRUE(first.CreateCompatibleDC(nullptr));
    ASSERT_TRUE(second.CreateCompatibleDC(nullptr));
    HGDIOBJ pen0 = Current(first, OBJ_PEN);
    auto pen = std::make_unique<CPen>(PS_SOLID, 1, RGB(1, 2, 3));
    HGDIOBJ h = pen->GetSafeHandle();
    first.SelectObject(pen.get());
    second.SelectObject(pen.get());
    pen.reset();
    EXPECT_EQ(pen0, Current(first, OBJ_PEN));
    EXPECT_EQ(pen0, Current(second, OBJ_PEN));
    EXPECT_EQ(0u, ::GetObjectType(h));
}

TEST(GdiSelection, StockObjectsAreSelectedButNeverDeleted)
{
    CDC dc;
    ASSERT_TRUE(dc.CreateCompatibleDC(nullptr));
    HGDIOBJ brush0 = Current(dc, OBJ_BRUSH);
    CGdiObject* old = dc.SelectStockObject(NULL_BRUSH);
    ASSERT_NE(nullptr, old);
    EXPECT_EQ(brush0, old->GetSafeHandle());
    EXPECT_EQ(::GetStockObject(NULL_BRUSH), Current(dc, OBJ_BRUSH));
    dc.DeleteDC();
    CGdiObject::DeleteTempMap();
    LOGBRUSH lb = {};
    EXPECT_NE(0, ::GetObjectA(::GetStockObject(NULL_BRUSH), sizeof(lb), &lb));
}

TEST(GdiSelection, FromHandleFindsOurOwnDCObject)
{
    CDC dc;
    ASSERT_TRUE(dc.CreateCompatibleDC(nullptr));
    EXPECT_EQ(&dc, CDC::FromHandle(dc.GetSafeHdc()));
    HDC raw = ::CreateCompatibleDC(nullptr);
    CDC* temp = CDC::FromHandle(raw);
    ASSERT_NE(nullptr, temp);
    EXPECT_EQ(raw, temp->GetSafeHdc());
    CDC::DeleteTempMap();
    EXPECT_EQ(static_cast<DWORD>(OBJ_MEMDC), ::GetObjectType(raw));   // borrowed, not deleted
    ::DeleteDC(raw);
}

TEST(GdiSelection, ClientDCReleasesWithTheScreenObjectsBack)
{
    HGDIOBJ pen0;
    CPen pen(PS_SOLID, 1, RGB(5, 5, 5));
    {
        CClientDC dc(nullptr);
        ASSERT_NE(nullptr, dc.GetSafeHdc());
        pen0 = Current(dc, OBJ_PEN);
        dc.SelectObject(&pen);
    }
    CClientDC again(nullptr);
    EXPECT_EQ(pen0, Current(again, OBJ_PEN));
}

// ---------------------------------------------------------------------------------------------------------
// Pixels

TEST(GdiPixels, DibSectionHoldsExactColoursTopDown)
{
    DibSurface s(16, 8, RGB(0, 0, 0));
    s.dc.FillSolidRect(0, 0, 16, 1, RGB(12, 34, 56));
    s.dc.SetPixel(3, 7, RGB(255, 128, 1));
    EXPECT_EQ(0x0C2238u, s.bits[0] & 0xFFFFFF);   // blue, green, red in memory order: top row first
    EXPECT_EQ(RGB(12, 34, 56), s.At(15, 0));
    EXPECT_EQ(RGB(0, 0, 0), s.At(0, 1));
    EXPECT_EQ(RGB(255, 128, 1), s.At(3, 7));
    EXPECT_EQ(RGB(255, 128, 1), s.dc.GetPixel(3, 7));
}

TEST(GdiPixels, FillSolidRectKeepsTheBackgroundColour)
{
    DibSurface s(8, 8);
    s.dc.SetBkColor(RGB(1, 2, 3));
    s.dc.FillSolidRect(CRect(2, 2, 4, 4), RGB(200, 100, 50));
    EXPECT_EQ(RGB(1, 2, 3), s.dc.GetBkColor());
    EXPECT_EQ(RGB(200, 100, 50), s.At(2, 2));
    EXPECT_EQ(RGB(200, 100, 50), s.At(3, 3));
    EXPECT_EQ(RGB(0, 0, 0), s.At(4, 4));
}

TEST(GdiPixels, BlitsBetweenWrappedDCs)
{
    DibSurface src(10, 10, RGB(0, 0, 255));
    src.dc.FillSolidRect(0, 0, 5, 10, RGB(255, 0, 0));
    DibSurface dst(10, 10, RGB(0, 0, 0));
    ASSERT_TRUE(dst.dc.BitBlt(2, 0, 6, 10, &src.dc, 2, 0, SRCCOPY));
    EXPECT_EQ(RGB(0, 0, 0), dst.At(1, 0));
    EXPECT_EQ(RGB(255, 0, 0), dst.At(4, 5));
    EXPECT_EQ(RGB(0, 0, 255), dst.At(5, 5));
    EXPECT_EQ(RGB(0, 0, 0), dst.At(8, 9));

    dst.Fill(RGB(0, 0, 0));
    dst.dc.SetStretchBltMode(COLORONCOLOR);
    ASSERT_TRUE(dst.dc.StretchBlt(0, 0, 5, 5, &src.dc, 0, 0, 10, 10, SRCCOPY));
    EXPECT_EQ(RGB(255, 0, 0), dst.At(0, 0));
    EXPECT_EQ(RGB(0, 0, 255), dst.At(4, 4));
}

TEST(GdiPixels, CompatibleBitmapOfADibDCCopiesExactly)
{
    DibSurface src(6, 4, RGB(17, 34, 51));
    CBitmap copy;
    ASSERT_TRUE(copy.CreateCompatibleBitmap(&src.dc, 6, 4));
    {
        CDC dc;
        ASSERT_TRUE(dc.CreateCompatibleDC(&src.dc));
        CBitmap* old = dc.SelectObject(&copy);
        dc.BitBlt(0, 0, 6, 4, &src.dc, 0, 0, SRCCOPY);
        dc.SelectObject(old);
    }
    int w = 0, h = 0;
    std::vector<COLORREF> pixels = ReadBitmapPixels(copy, &w, &h);
    ASSERT_EQ(24u, pixels.size());
    EXPECT_EQ(6, w);
    EXPECT_EQ(4, h);
    for (COLORREF c : pixels)
        EXPECT_EQ(RGB(17, 34, 51), c);
}

TEST(GdiPixels, TextExtentGrowsWithTheText)
{
    DibSurface s(64, 16);
    CFont font;
    ASSERT_TRUE(font.CreatePointFont(100, "Tahoma"));
    CFont* old = s.dc.SelectObject(&font);
    CSize one = s.dc.GetTextExtent(CString("W"));
    CSize three = s.dc.GetTextExtent("WWW", 3);
    TEXTMETRICA tm = {};
    ASSERT_TRUE(s.dc.GetTextMetrics(&tm));
    s.dc.SelectObject(old);
    EXPECT_GT(one.cx, 0);
    EXPECT_EQ(3 * one.cx, three.cx);
    EXPECT_EQ(tm.tmHeight, one.cy);
    EXPECT_EQ(CSize(0, 0), s.dc.GetTextExtent(CString()));
}

TEST(GdiImageList, AddsAndDrawsMaskedImages)
{
    CImageList list;
    ASSERT_TRUE(list.Create(4, 4, ILC_COLOR32 | ILC_MASK, 2, 2));
    DibSurface art(8, 4, RGB(255, 0, 255));
    art.dc.FillSolidRect(0, 0, 4, 4, RGB(0, 128, 0));
    art.dc.FillSolidRect(5, 1, 2, 2, RGB(0, 0, 200));
    art.dc.SelectObject(art.previous);   // image lists read bitmaps that are not selected anywhere
    EXPECT_EQ(0, list.Add(&art.bitmap, RGB(255, 0, 255)));
    art.previous = art.dc.SelectObject(&art.bitmap);
    EXPECT_EQ(2, list.GetImageCount());

    DibSurface target(4, 4, RGB(9, 9, 9));
    ASSERT_TRUE(list.Draw(&target.dc, 1, CPoint(0, 0), ILD_TRANSPARENT));
    EXPECT_EQ(RGB(9, 9, 9), target.At(0, 0));   // mask colour stays transparent
    EXPECT_EQ(RGB(0, 0, 200), target.At(1, 1));
    EXPECT_TRUE(list.Remove(0));
    EXPECT_EQ(1, list.GetImageCount());
}

}   // namespace
