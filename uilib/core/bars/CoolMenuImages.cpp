// CUXCoolMenu: the images its items show, from icons, bitmaps and tool bars.
#include "uilib/core/bars/CoolMenu.h"

#include "uilib/core/base/GlobalData.h"
#include "uilib/core/base/Helpers.h"
#include "uilib/core/base/LookPainters.h"
#include "uilib/core/bars/ToolBar.h"

// ---- images ----

BOOL CUXCoolMenu::AddImage(UINT nID, HICON hIcon, BOOL normal)
{
    return AddImage(nID, hIcon, m_cxImage, m_cyImage, normal);
}

BOOL CUXCoolMenu::AddImage(UINT nID, HICON hIcon, int cx, int cy, BOOL normal)
{
    CUXIconHolder icon(hIcon);
    if (hIcon == nullptr)
        return FALSE;
    CImageList& list = normal ? m_images : m_disabledImages;
    std::map<UINT, int>& index = normal ? m_imageIndex : m_disabledIndex;
    // Full colour: an image of a tool bar looks the same in the menu.
    if (list.m_hImageList == nullptr && !list.Create(cx, cy, ILC_COLOR24 | ILC_MASK, 0, 10))
        return FALSE;
    auto found = index.find(nID);
    if (found != index.end())
        return list.Replace(found->second, hIcon) >= 0;
    int added = list.Add(hIcon);
    if (added < 0)
        return FALSE;
    index[nID] = added;
    return TRUE;
}

int CUXCoolMenu::GetImageIndex(UINT nID, BOOL normal) const
{
    const std::map<UINT, int>& index = normal ? m_imageIndex : m_disabledIndex;
    auto found = index.find(nID);
    return found != index.end() ? found->second : -1;
}

void CUXCoolMenu::SetImageSize(int cx, int cy)
{
    if (cx > 0 && cy > 0)
    {
        m_cxImage = cx;
        m_cyImage = cy;
    }
}

BOOL CUXCoolMenu::LoadBitmap(HBITMAP hBitmap, const UINT* ids, int count, BOOL normal)
{
    if (hBitmap == nullptr || ids == nullptr || count <= 0)
        return FALSE;
    // The image list takes a copy: cutting must not change the caller's bitmap.
    HBITMAP copy = static_cast<HBITMAP>(::CopyImage(hBitmap, IMAGE_BITMAP, 0, 0, 0));
    if (copy == nullptr)
        return FALSE;
    CImageList cut;
    BOOL ok = cut.Create(m_cxImage, m_cyImage, ILC_COLOR24 | ILC_MASK, 0, 10) &&
              ::ImageList_AddMasked(cut, copy, uxAfxData.m_clrBtnFace) >= 0;
    ::DeleteObject(copy);
    if (!ok)
        return FALSE;
    int image = 0;
    for (int i = 0; i < count && image < cut.GetImageCount(); ++i)
    {
        if (ids[i] == 0)
            continue;
        AddImage(ids[i], cut.ExtractIcon(image++), normal);
    }
    return TRUE;
}

BOOL CUXCoolMenu::LoadBitmap(UINT nIDBitmap, const UINT* ids, int count, BOOL normal)
{
    HBITMAP bitmap = LoadSysColorBitmap(AfxGetResourceHandle(), nIDBitmap);
    if (bitmap == nullptr)
        return FALSE;
    BOOL ok = LoadBitmap(bitmap, ids, count, normal);
    ::DeleteObject(bitmap);
    return ok;
}

BOOL CUXCoolMenu::LoadToolbar(UINT nIDResource, BOOL normal)
{
    CUXToolBarTemplate bar;
    if (!bar.Load(AfxGetResourceHandle(), MAKEINTRESOURCEA(nIDResource)))
        return FALSE;
    SetImageSize(bar.m_cxImage, bar.m_cyImage);
    return LoadBitmap(nIDResource, bar.m_ids.data(), static_cast<int>(bar.m_ids.size()), normal);
}

BOOL CUXCoolMenu::LoadToolbars(const UINT* ids, int count, BOOL normal)
{
    BOOL ok = ids != nullptr;
    for (int i = 0; ok && i < count; ++i)
        ok = LoadToolbar(ids[i], normal);
    return ok;
}

BOOL CUXCoolMenu::LoadToolbar(CUXToolBar* pBar, BOOL normal)
{
    if (pBar == nullptr || pBar->m_hWnd == nullptr)
        return FALSE;
    CSize image = pBar->GetImageSize();
    SetImageSize(image.cx, image.cy);
    // The bar's images: its bitmap cut as the bar cuts it, else the control's image list.
    CImageList cut;
    HIMAGELIST source = nullptr;
    if (pBar->GetBitmap() != nullptr)
    {
        HBITMAP copy = static_cast<HBITMAP>(::CopyImage(pBar->GetBitmap(), IMAGE_BITMAP, 0, 0, 0));
        if (copy != nullptr && cut.Create(image.cx, image.cy, ILC_COLOR24 | ILC_MASK, 0, 10))
            ::ImageList_AddMasked(cut, copy, uxAfxData.m_clrBtnFace);
        if (copy != nullptr)
            ::DeleteObject(copy);
        source = cut;
    }
    else
    {
        source = reinterpret_cast<HIMAGELIST>(pBar->SendMessage(TB_GETIMAGELIST));
    }
    if (source == nullptr)
        return FALSE;
    int images = ::ImageList_GetImageCount(source);
    int count = pBar->GetCount();
    for (int i = 0; i < count; ++i)
    {
        TBBUTTON button = pBar->GetButton(i);
        if ((button.fsStyle & TBSTYLE_SEP) || button.iBitmap < 0 || button.iBitmap >= images)
            continue;
        AddImage(static_cast<UINT>(button.idCommand), ::ImageList_GetIcon(source, button.iBitmap, ILD_NORMAL),
                 normal);
    }
    return TRUE;
}

void CUXCoolMenu::ResetImages()
{
    m_images.DeleteImageList();
    m_disabledImages.DeleteImageList();
    m_imageIndex.clear();
    m_disabledIndex.clear();
}

void CUXCoolMenu::OnSysColorChange()
{
    // The images are drawn straight from their lists; nothing is cached in the old colours.
}
