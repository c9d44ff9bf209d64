#include "uilib/core/base/Helpers.h"

#include "uilib/core/base/GlobalData.h"
#include "uilib/core/base/MemDC.h"

// ---- texts ----

CString StripMnemonics(const CString& text)
{
    CString result(text);
    if (result.Find("&&") < 0)
    {
        result.Replace("&", "");
        return result;
    }
    // A literal ampersand survives the removal of the markers under another name.
    result.Replace("&&", "^^");
    result.Replace("&", "");
    result.Replace("^^", "&&");
    return result;
}

CString GetPathTail(LPCSTR path)
{
    if (path == nullptr)
        return CString();
    const char* slash = ::strchr(path, '\\');
    return slash != nullptr ? CString(slash + 1) : CString();
}

// ---- drawing ----

void DrawDisabledImage(CDC* dc, HIMAGELIST imageList, int index, int x, int y, BOOL colorSurface)
{
    int cx = 0, cy = 0;
    if (dc == nullptr || imageList == nullptr || !::ImageList_GetIconSize(imageList, &cx, &cy))
        return;
    CDC mem;
    CBitmap surface;
    if (!mem.CreateCompatibleDC(dc))
        return;
    BOOL made =
        colorSurface ? surface.CreateCompatibleBitmap(dc, cx, cy) : surface.CreateBitmap(cx, cy, 1, 1, nullptr);
    if (!made)
        return;
    mem.SelectObject(&surface);
    mem.PatBlt(0, 0, cx, cy, WHITENESS);
    ::ImageList_Draw(imageList, index, mem, 0, 0, ILD_TRANSPARENT);

    // Where the cut-out is black the brush paints, where it is white the target stays. A monochrome source
    // takes the target's text and background colours, so they must be black and white meanwhile.
    const DWORD rop = 0xB8074A;
    COLORREF oldText = dc->SetTextColor(RGB(0, 0, 0));
    COLORREF oldBack = dc->SetBkColor(RGB(255, 255, 255));
    CBrush highlight(uxAfxData.m_clrBtnHilite);
    CBrush shadow(uxAfxData.m_clrBtnShadow);
    CBrush* oldBrush = dc->SelectObject(&highlight);
    dc->BitBlt(x + 1, y + 1, cx, cy, &mem, 0, 0, rop);
    dc->SelectObject(&shadow);
    dc->BitBlt(x, y, cx, cy, &mem, 0, 0, rop);
    dc->SelectObject(oldBrush);
    dc->SetTextColor(oldText);
    dc->SetBkColor(oldBack);
}

void FillDitheredRect(CDC* dc, const CRect& rect)
{
    if (dc == nullptr)
        return;
    // Rows of a monochrome bitmap are word-aligned.
    const WORD rows[8] = {0x55, 0xAA, 0x55, 0xAA, 0x55, 0xAA, 0x55, 0xAA};
    CBitmap pattern;
    if (!pattern.CreateBitmap(8, 8, 1, 1, rows))
        return;
    CBrush brush(&pattern);
    COLORREF oldBack = dc->SetBkColor(uxAfxData.m_clrBtnFace);
    COLORREF oldText = dc->SetTextColor(uxAfxData.m_clrBtnHilite);
    CBrush* oldBrush = dc->SelectObject(&brush);
    dc->PatBlt(rect.left, rect.top, rect.Width(), rect.Height(), PATCOPY);
    dc->SelectObject(oldBrush);
    dc->SetBkColor(oldBack);
    dc->SetTextColor(oldText);
}

void UXPrepareNonClientDC(CWnd* wnd, CDC& windowDC, CRect& window, CRect& client)
{
    wnd->GetWindowRect(&window);
    wnd->GetClientRect(&client);
    wnd->ClientToScreen(&client);
    client.OffsetRect(-window.left, -window.top);
    window.OffsetRect(-window.left, -window.top);
    windowDC.ExcludeClipRect(&client);
}

void UXPaintListOffscreen(CWnd* list, COLORREF background)
{
    CPaintDC paintDC(list);
    CRect client;
    list->GetClientRect(&client);
    CUXMemDC dc(&paintDC, client, background);
    list->DefWindowProc(WM_PAINT, reinterpret_cast<WPARAM>(dc.IsValid() ? dc.GetSafeHdc() : paintDC.GetSafeHdc()),
                        0);
}

// ---- screen ----

CRect UXWorkAreaNear(const CRect& rect)
{
    MONITORINFO info = {};
    info.cbSize = sizeof(info);
    if (::GetMonitorInfoA(::MonitorFromRect(&rect, MONITOR_DEFAULTTONEAREST), &info))
        return CRect(info.rcWork);
    CRect area;
    ::SystemParametersInfoA(SPI_GETWORKAREA, 0, &area, 0);
    return area;
}

CRect UXKeepInside(const CRect& rect, const CRect& area)
{
    CSize size(std::min(rect.Width(), area.Width()), std::min(rect.Height(), area.Height()));
    CPoint at(std::max(area.left, std::min<LONG>(rect.left, area.right - size.cx)),
              std::max(area.top, std::min<LONG>(rect.top, area.bottom - size.cy)));
    return CRect(at, size);
}

CSize UXCapToScreen(CSize size, int least)
{
    int cx = std::max(least, ::GetSystemMetrics(SM_CXSCREEN));
    int cy = std::max(least, ::GetSystemMetrics(SM_CYSCREEN));
    return CSize(std::min<int>(std::max<int>(size.cx, least), cx),
                 std::min<int>(std::max<int>(size.cy, least), cy));
}

// ---- scrolling ----

void UXScrollWithoutFlicker(CWnd* wnd)
{
    if (wnd == nullptr || wnd->GetSafeHwnd() == nullptr)
        return;
    wnd->SetRedraw(FALSE);
    wnd->Default();
    wnd->SetRedraw(TRUE);
    wnd->RedrawWindow(nullptr, nullptr, RDW_INVALIDATE | RDW_UPDATENOW | RDW_ERASE | RDW_FRAME);
    wnd->SetWindowPos(nullptr, 0, 0, 0, 0,
                      SWP_NOMOVE | SWP_NOSIZE | SWP_NOZORDER | SWP_NOACTIVATE | SWP_FRAMECHANGED);
}

// ---- icons ----

CSize GetIconSize(HICON icon)
{
    ICONINFO info = {};
    if (icon == nullptr || !::GetIconInfo(icon, &info))
        return CSize(0, 0);
    BITMAP mask = {};
    CSize size(0, 0);
    if (info.hbmMask != nullptr && ::GetObjectA(info.hbmMask, sizeof(mask), &mask))
        size = CSize(mask.bmWidth, info.hbmColor != nullptr ? mask.bmHeight : mask.bmHeight / 2);
    if (info.hbmMask != nullptr)
        ::DeleteObject(info.hbmMask);
    if (info.hbmColor != nullptr)
        ::DeleteObject(info.hbmColor);
    return size;
}

HICON ScaleIcon(HICON icon, int width, int height)
{
    CSize size = GetIconSize(icon);
    if ((width == 0 && height == 0) || size.cx == 0 || size.cy == 0)
        return nullptr;
    int d = width * size.cy - height * size.cx;
    if (d < 0)
        height = ::MulDiv(size.cy, width, size.cx);
    else if (d > 0)
        width = ::MulDiv(size.cx, height, size.cy);
    HIMAGELIST list = ::ImageList_Create(width, height, ILC_MASK | ILC_COLOR32, 1, 1);
    if (list == nullptr)
        return nullptr;
    HICON scaled = nullptr;
    if (::ImageList_AddIcon(list, icon) >= 0)
        scaled = ::ImageList_GetIcon(list, 0, ILD_NORMAL);
    ::ImageList_Destroy(list);
    return scaled;
}

void CUXIconHolder::Attach(HICON icon)
{
    if (m_hIcon != nullptr && m_hIcon != icon)
        ::DestroyIcon(m_hIcon);
    m_hIcon = icon;
}

// ---- modules and resources ----

CUXLibraryHolder::CUXLibraryHolder(LPCSTR fileName)
{
    if (fileName != nullptr && *fileName != '\0')
        m_hModule = ::LoadLibraryA(fileName);
}

CUXLibraryHolder::~CUXLibraryHolder()
{
    if (m_hModule != nullptr)
        ::FreeLibrary(m_hModule);
}

CUXResourceScope::CUXResourceScope(HINSTANCE resources) : m_hSavedResource(AfxGetResourceHandle()), m_bActive(TRUE)
{
    AfxSetResourceHandle(resources);
}

void CUXResourceScopePtr::Enter(HINSTANCE resources)
{
    Release();
    m_pScope = new CUXResourceScope(resources);
}

void CUXResourceScopePtr::Release()
{
    if (m_pScope == nullptr)
        return;
    if (m_pScope->m_bActive)
    {
        AfxSetResourceHandle(m_pScope->m_hSavedResource);
        m_pScope->m_bActive = FALSE;
    }
    delete m_pScope;
    m_pScope = nullptr;
}

// ---- menus ----

void InitMenuItemInfo(MENUITEMINFOA* info)
{
    if (info == nullptr)
        return;
    *info = MENUITEMINFOA{};
    info->cbSize = sizeof(MENUITEMINFOA);
}

void DrawEdgeGapLine(CDC* dc, COLORREF color, const CRect& button, const CRect& window)
{
    // Where the two rectangles meet (touching edges count), in the window's co-ordinates.
    int left = (button.left > window.left ? button.left : window.left) - window.left;
    int right = (button.right < window.right ? button.right : window.right) - window.left;
    int top = (button.top > window.top ? button.top : window.top) - window.top;
    int bottom = (button.bottom < window.bottom ? button.bottom : window.bottom) - window.top;
    if (right < left || bottom < top)
        return;
    int lastRow = window.Height() - 1;
    int lastColumn = window.Width() - 1;
    if (bottom - top <= 1 && left + 2 < right)
        dc->FillSolidRect(left + 1, top < lastRow ? top : lastRow, right - left - 1, 1, color);
    else if (right - left <= 1 && top + 2 < bottom)
        dc->FillSolidRect(left < lastColumn ? left : lastColumn, top + 1, 1, bottom - top - 1, color);
}

void DrawFlatPopupFrame(CWnd* popup, const CRect& button)
{
    CWindowDC dc(popup);
    CRect window;
    popup->GetWindowRect(&window);
    CBrush border(uxAfxData.m_clrDarkShadow);
    CRect frame(0, 0, window.Width(), window.Height());
    dc.FrameRect(&frame, &border);
    DrawEdgeGapLine(&dc, uxAfxData.m_clrBtnFace, button, window);
}
