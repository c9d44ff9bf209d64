// CImageList: a common-controls image list. Owns the list it created or was given with Attach.
#pragma once

#include "framework/win/Gdi.h"

#include <commctrl.h>
#include <shellapi.h>   // ExtractIcon is a macro there; every user must see the same name

class CImageList : public CObject
{
public:
    CImageList() = default;
    ~CImageList() override;
    CImageList(const CImageList&) = delete;
    CImageList& operator=(const CImageList&) = delete;

    HIMAGELIST m_hImageList = nullptr;

    operator HIMAGELIST() const { return m_hImageList; }
    HIMAGELIST GetSafeHandle() const { return m_hImageList; }

    BOOL Create(int cx, int cy, UINT flags, int initial, int grow);
    // From a bitmap resource cut into cx-wide images; mask colour CLR_NONE for none.
    BOOL Create(UINT idBitmap, int cx, int grow, COLORREF mask);
    BOOL Create(LPCSTR bitmapName, int cx, int grow, COLORREF mask);
    BOOL Attach(HIMAGELIST hImageList);   // takes ownership; FALSE when one is held already
    HIMAGELIST Detach();
    BOOL DeleteImageList();

    int GetImageCount() const;
    BOOL SetImageCount(UINT count);
    int Add(CBitmap* bitmap, CBitmap* mask);
    int Add(CBitmap* bitmap, COLORREF mask);
    int Add(HICON icon);
    BOOL Replace(int image, CBitmap* bitmap, CBitmap* mask);
    int Replace(int image, HICON icon);
    BOOL Remove(int image);
    BOOL Draw(CDC* dc, int image, POINT point, UINT style);
    HICON ExtractIcon(int image);   // the caller destroys the icon
    COLORREF SetBkColor(COLORREF color);
    COLORREF GetBkColor() const;
    BOOL GetImageInfo(int image, IMAGEINFO* info) const;
    BOOL GetIconSize(int* cx, int* cy) const;

    static CImageList* FromHandle(HIMAGELIST hImageList);
    static void DeleteTempMap();

private:
    bool m_bOwns = false;
};
