// CUXToolBar: button and image sizes, the bitmap, and the images of commands put on the bar.
#include "uilib/core/bars/ToolBar.h"

#include "uilib/core/base/GlobalData.h"

// ---- images --------------------------------------------------------------------------------------------

void CUXToolBar::SetSizes(CSize sizeButton, CSize sizeImage)
{
    m_sizeButton = sizeButton;
    m_sizeImage = sizeImage;
    if (m_hWnd == nullptr)
        return;
    CSize button = sizeButton;
    if (uxAfxData.m_bFlatLook && (GetStyle() & TBSTYLE_LIST))
    {
        button.cx -= 4;
        SendMessage(TB_SETPADDING, 0, MAKELPARAM(3, 7));
    }
    SendMessage(TB_SETBITMAPSIZE, 0, MAKELPARAM(sizeImage.cx, sizeImage.cy));
    SendMessage(TB_SETBUTTONSIZE, 0, MAKELPARAM(button.cx, button.cy));
    m_bDirty = TRUE;
    Invalidate();
}

BOOL CUXToolBar::LoadToolBar(LPCSTR lpszResourceName)
{
    if (m_hWnd == nullptr)
        return FALSE;
    CUXToolBarTemplate bar;
    if (!bar.Load(AfxGetResourceHandle(), lpszResourceName))
        return FALSE;
    const DWORD kMasked = TBSTYLE_FLAT | TBSTYLE_TRANSPARENT;
    DWORD masked = GetStyle() & kMasked;
    m_bLoadingFlat = (masked & TBSTYLE_FLAT) != 0;
    ModifyStyle(masked, 0);
    BOOL ok = SetButtons(bar.m_ids.data(), static_cast<int>(bar.m_ids.size()));
    if (ok)
    {
        SetSizes(CSize(bar.m_cxImage + 7, bar.m_cyImage + 7), CSize(bar.m_cxImage, bar.m_cyImage));
        ok = LoadBitmap(lpszResourceName);
    }
    ModifyStyle(0, masked);
    m_bLoadingFlat = FALSE;
    RebuildRecords();
    return ok;
}

BOOL CUXToolBar::LoadBitmap(LPCSTR lpszResourceName)
{
    HINSTANCE instance = AfxGetResourceHandle();
    CBitmap bitmap;
    if (!bitmap.Attach(LoadSysColorBitmap(instance, lpszResourceName)) || !SetBitmap(bitmap))
        return FALSE;
    m_hInstBitmap = instance;
    if (IS_INTRESOURCE(lpszResourceName))
    {
        m_nBitmapId = reinterpret_cast<UINT_PTR>(lpszResourceName);
        m_strBitmapName.Empty();
    }
    else
    {
        m_nBitmapId = 0;
        m_strBitmapName = lpszResourceName;
    }
    return TRUE;
}

BOOL CUXToolBar::SetBitmap(CBitmap& bitmap)
{
    HBITMAP hBitmap = bitmap;
    if (m_hWnd == nullptr || hBitmap == nullptr)
        return FALSE;
    BITMAP info = {};
    ::GetObjectA(hBitmap, sizeof(info), &info);
    int images = m_sizeImage.cx > 0 ? info.bmWidth / m_sizeImage.cx : 0;
    BOOL ok;
    if (m_bitmap.GetSafeHandle() != nullptr)
    {
        // The images that commands dropped on the bar brought come after the bitmap's, and the control may
        // drop them with the old bitmap: they are put back after the new one's, at their indexes.
        BITMAP oldInfo = {};
        ::GetObjectA(GetBitmap(), sizeof(oldInfo), &oldInfo);
        int bitmapImages = m_sizeImage.cx > 0 ? oldInfo.bmWidth / m_sizeImage.cx : 0;
        std::vector<std::pair<HICON, HICON>> appended;
        HIMAGELIST list = reinterpret_cast<HIMAGELIST>(SendMessage(TB_GETIMAGELIST));
        HIMAGELIST hot = reinterpret_cast<HIMAGELIST>(SendMessage(TB_GETHOTIMAGELIST));
        for (int i = bitmapImages; list != nullptr && i < ::ImageList_GetImageCount(list); ++i)
            appended.emplace_back(::ImageList_GetIcon(list, i, ILD_NORMAL),
                                  hot != nullptr && i < ::ImageList_GetImageCount(hot)
                                      ? ::ImageList_GetIcon(hot, i, ILD_NORMAL)
                                      : nullptr);
        TBREPLACEBITMAP replace = {};
        replace.nIDOld = reinterpret_cast<UINT_PTR>(GetBitmap());
        replace.nIDNew = reinterpret_cast<UINT_PTR>(hBitmap);
        replace.nButtons = images;
        ok = SendMessage(TB_REPLACEBITMAP, 0, reinterpret_cast<LPARAM>(&replace)) != 0;
        list = reinterpret_cast<HIMAGELIST>(SendMessage(TB_GETIMAGELIST));
        BOOL dropped = ok && images == bitmapImages && list != nullptr && ::ImageList_GetImageCount(list) == images;
        for (const std::pair<HICON, HICON>& icons : appended)
        {
            if (dropped)
                AppendImage(icons.first, icons.second);
            for (HICON icon : {icons.first, icons.second})
                if (icon != nullptr)
                    ::DestroyIcon(icon);
        }
    }
    else
    {
        TBADDBITMAP add = {nullptr, reinterpret_cast<UINT_PTR>(hBitmap)};
        ok = SendMessage(TB_ADDBITMAP, static_cast<WPARAM>(images), reinterpret_cast<LPARAM>(&add)) != -1;
    }
    if (!ok)
        return FALSE;
    m_bitmap.DeleteObject();
    m_bitmap.Attach(bitmap.Detach());
    Invalidate();
    return TRUE;
}

void CUXToolBar::ReloadBitmap()
{
    if (m_hInstBitmap == nullptr)
        return;
    LPCSTR name = m_nBitmapId != 0 ? MAKEINTRESOURCEA(m_nBitmapId) : m_strBitmapName.GetString();
    CBitmap bitmap;
    if (bitmap.Attach(LoadSysColorBitmap(m_hInstBitmap, name)))
        SetBitmap(bitmap);
}

void CUXToolBar::OnSysColorChange()
{
    OnMaskedDefault(0, 0);
    ReloadBitmap();
}

LRESULT CUXToolBar::OnMaskedDefault(WPARAM, LPARAM)
{
    // The control sizes its buttons anew on these; it must not do so in its flat style.
    const DWORD kMasked = TBSTYLE_FLAT | TBSTYLE_TRANSPARENT;
    DWORD masked = uxAfxData.GetComCtlVersion() >= MAKELONG(72, 4) ? GetStyle() & kMasked : 0;
    if (masked != 0)
        ::SetWindowLongPtrA(m_hWnd, GWL_STYLE, static_cast<LONG_PTR>(GetStyle() & ~masked));
    LRESULT result = Default();
    if (masked != 0)
        ::SetWindowLongPtrA(m_hWnd, GWL_STYLE, static_cast<LONG_PTR>(GetStyle() | masked));
    return result;
}

LRESULT CUXToolBar::OnSetButtonSize(WPARAM wParam, LPARAM lParam)
{
    LRESULT result = OnMaskedDefault(wParam, lParam);
    if (result)
        m_sizeButton = CSize(static_cast<short>(LOWORD(lParam)), static_cast<short>(HIWORD(lParam)));
    return result;
}

LRESULT CUXToolBar::OnSetBitmapSize(WPARAM wParam, LPARAM lParam)
{
    LRESULT result = OnMaskedDefault(wParam, lParam);
    if (result)
        m_sizeImage = CSize(static_cast<short>(LOWORD(lParam)), static_cast<short>(HIWORD(lParam)));
    return result;
}

LRESULT CUXToolBar::OnSetDrawTextFlags(WPARAM wParam, LPARAM lParam)
{
    m_dwDrawTextMask = static_cast<DWORD>(wParam);
    m_dwDrawTextFlags = static_cast<DWORD>(lParam);
    return Default();
}
