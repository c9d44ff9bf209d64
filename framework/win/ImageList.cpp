// CImageList: owned image lists and temporary wrappers.
#include "framework/win/ImageList.h"
#include "framework/win/ThreadLocal.h"
#include "framework/win/Resources.h"

#include <memory>
#include <unordered_map>

namespace
{

struct TempImageLists
{
    std::unordered_map<HIMAGELIST, std::unique_ptr<CImageList>> lists;
    void Clear()
    {
        for (auto& entry : lists)
            entry.second->Detach();   // borrowed
        lists.clear();
    }
    ~TempImageLists() { Clear(); }
};

TempImageLists& TempLists()
{
    static CThreadLocal<TempImageLists> lists;
    return lists.Get();
}

}   // namespace

CImageList::~CImageList()
{
    DeleteImageList();
}

BOOL CImageList::Create(int cx, int cy, UINT flags, int initial, int grow)
{
    DeleteImageList();
    return Attach(::ImageList_Create(cx, cy, flags, initial, grow));
}

BOOL CImageList::Create(UINT idBitmap, int cx, int grow, COLORREF mask)
{
    return Create(MAKEINTRESOURCEA(idBitmap), cx, grow, mask);
}

BOOL CImageList::Create(LPCSTR bitmapName, int cx, int grow, COLORREF mask)
{
    DeleteImageList();
    return Attach(::ImageList_LoadImageA(AfxGetResourceHandle(), bitmapName, cx, grow, mask, IMAGE_BITMAP,
                                         LR_CREATEDIBSECTION));
}

BOOL CImageList::Attach(HIMAGELIST hImageList)
{
    if (m_hImageList || !hImageList)
        return FALSE;
    m_hImageList = hImageList;
    m_bOwns = true;
    return TRUE;
}

HIMAGELIST CImageList::Detach()
{
    HIMAGELIST h = m_hImageList;
    m_hImageList = nullptr;
    m_bOwns = false;
    return h;
}

BOOL CImageList::DeleteImageList()
{
    if (!m_hImageList)
        return FALSE;
    BOOL ok = m_bOwns ? ::ImageList_Destroy(m_hImageList) : TRUE;
    m_hImageList = nullptr;
    m_bOwns = false;
    return ok;
}

int CImageList::GetImageCount() const
{
    return m_hImageList ? ::ImageList_GetImageCount(m_hImageList) : 0;
}
BOOL CImageList::SetImageCount(UINT count)
{
    return m_hImageList && ::ImageList_SetImageCount(m_hImageList, count);
}

int CImageList::Add(CBitmap* bitmap, CBitmap* mask)
{
    if (!m_hImageList || !bitmap)
        return -1;
    return ::ImageList_Add(m_hImageList, *bitmap, mask ? static_cast<HBITMAP>(*mask) : nullptr);
}

int CImageList::Add(CBitmap* bitmap, COLORREF mask)
{
    if (!m_hImageList || !bitmap)
        return -1;
    return ::ImageList_AddMasked(m_hImageList, *bitmap, mask);
}

int CImageList::Add(HICON icon)
{
    return m_hImageList ? ::ImageList_AddIcon(m_hImageList, icon) : -1;
}

BOOL CImageList::Replace(int image, CBitmap* bitmap, CBitmap* mask)
{
    if (!m_hImageList || !bitmap)
        return FALSE;
    return ::ImageList_Replace(m_hImageList, image, *bitmap, mask ? static_cast<HBITMAP>(*mask) : nullptr);
}

int CImageList::Replace(int image, HICON icon)
{
    return m_hImageList ? ::ImageList_ReplaceIcon(m_hImageList, image, icon) : -1;
}

BOOL CImageList::Remove(int image)
{
    return m_hImageList && ::ImageList_Remove(m_hImageList, image);
}

BOOL CImageList::Draw(CDC* dc, int image, POINT point, UINT style)
{
    if (!m_hImageList || !dc)
        return FALSE;
    return ::ImageList_Draw(m_hImageList, image, dc->m_hDC, point.x, point.y, style);
}

HICON CImageList::ExtractIcon(int image)
{
    return m_hImageList ? ::ImageList_GetIcon(m_hImageList, image, ILD_NORMAL) : nullptr;
}

COLORREF CImageList::SetBkColor(COLORREF color)
{
    return m_hImageList ? ::ImageList_SetBkColor(m_hImageList, color) : CLR_NONE;
}

COLORREF CImageList::GetBkColor() const
{
    return m_hImageList ? ::ImageList_GetBkColor(m_hImageList) : CLR_NONE;
}

BOOL CImageList::GetImageInfo(int image, IMAGEINFO* info) const
{
    return m_hImageList && info && ::ImageList_GetImageInfo(m_hImageList, image, info);
}

BOOL CImageList::GetIconSize(int* cx, int* cy) const
{
    return m_hImageList && cx && cy && ::ImageList_GetIconSize(m_hImageList, cx, cy);
}

CImageList* CImageList::FromHandle(HIMAGELIST hImageList)
{
    if (!hImageList)
        return nullptr;
    auto it = TempLists().lists.find(hImageList);
    if (it != TempLists().lists.end())
    {
        if (!it->second->m_hImageList)
            it->second->m_hImageList = hImageList;   // a caller detached the wrapper: it still stands for the list
        return it->second.get();
    }
    auto list = std::make_unique<CImageList>();
    list->m_hImageList = hImageList;   // borrowed
    CImageList* result = list.get();
    TempLists().lists.emplace(hImageList, std::move(list));
    return result;
}

void CImageList::DeleteTempMap()
{
    TempLists().Clear();
}
