#include "uilib/core/dialogs/Button.h"

#include "uilib/core/base/GlobalData.h"
#include "uilib/core/base/Helpers.h"
#include "uilib/core/base/LookPainters.h"
#include "uilib/core/base/MemDC.h"

#include <utility>

namespace
{

const UINT_PTR kHoverTimer = 1;

UINT AlignmentOf(DWORD style)
{
    UINT align = style & BS_CENTER;
    return align == 0 ? BS_CENTER : align;
}

}   // namespace

IMPLEMENT_DYNAMIC(CUXButton, CButton)

BEGIN_MESSAGE_MAP(CUXButton, CButton)
    ON_WM_CREATE()
    ON_WM_DESTROY()
    ON_MESSAGE(UXM_FIRSTINIT, OnFirstInit)
    ON_WM_MOUSEMOVE()
    ON_WM_TIMER()
    ON_WM_LBUTTONDOWN()
    ON_WM_LBUTTONUP()
    ON_WM_LBUTTONDBLCLK()
    ON_WM_SYSCOLORCHANGE()
    ON_WM_PAINT()
    ON_WM_ERASEBKGND()
END_MESSAGE_MAP()

CUXButton::CUXButton()
{
    LoadSystemColors();
}

CUXButton::~CUXButton()
{
    CleanUpGDI();
}

void CUXButton::LoadSystemColors()
{
    m_clrText = ::GetSysColor(COLOR_BTNTEXT);
    m_clrFace = ::GetSysColor(COLOR_BTNFACE);
    m_clrHighlight = ::GetSysColor(COLOR_BTNHIGHLIGHT);
    m_clrShadow = ::GetSysColor(COLOR_BTNSHADOW);
}

// ---- colours -------------------------------------------------------------------------------------------

void CUXButton::SetOwnColor(COLORREF& member, COLORREF color)
{
    member = color;
    m_bOwnColors = TRUE;
    RedrawIfShown(TRUE);
}

void CUXButton::RedrawIfShown(BOOL redraw)
{
    if (redraw && m_hWnd != nullptr)
        Invalidate();
}

void CUXButton::SetColors(COLORREF face, COLORREF highlight, COLORREF shadow, COLORREF text)
{
    m_clrFace = face;
    m_clrHighlight = highlight;
    m_clrShadow = shadow;
    SetOwnColor(m_clrText, text);
}

void CUXButton::SetFaceColor(COLORREF color)
{
    SetOwnColor(m_clrFace, color);
}

COLORREF CUXButton::GetFaceColor() const
{
    return m_clrFace;
}

void CUXButton::SetHighlightColor(COLORREF color)
{
    SetOwnColor(m_clrHighlight, color);
}

void CUXButton::SetShadowColor(COLORREF color)
{
    SetOwnColor(m_clrShadow, color);
}

void CUXButton::SetTextColor(COLORREF color)
{
    SetOwnColor(m_clrText, color);
}

void CUXButton::SetHiliteColors(COLORREF border, COLORREF pushedFill, COLORREF hotFill)
{
    m_clrHiliteBorder = border;
    m_clrHilitePushed = pushedFill;
    m_clrHiliteHot = hotFill;
    m_bHiliteColors = TRUE;
    RedrawIfShown(TRUE);
}

// ---- images --------------------------------------------------------------------------------------------

void CUXButton::SetIcon(int cx, int cy, UINT iconId, UINT selectedIconId, BOOL redraw)
{
    HINSTANCE resources = AfxGetResourceHandle();
    HICON icon = static_cast<HICON>(::LoadImageA(resources, MAKEINTRESOURCEA(iconId), IMAGE_ICON, cx, cy, 0));
    HICON selected =
        selectedIconId == 0
            ? nullptr
            : static_cast<HICON>(::LoadImageA(resources, MAKEINTRESOURCEA(selectedIconId), IMAGE_ICON, cx, cy, 0));
    SetIcon(cx, cy, icon, selected, redraw);
}

void CUXButton::SetIcon(int cx, int cy, UINT iconId, UINT selectedIconId)
{
    SetIcon(cx, cy, iconId, selectedIconId, TRUE);
}

void CUXButton::SetIcon(int cx, int cy, HICON icon, HICON selectedIcon, BOOL redraw)
{
    ResetImage();
    m_hIcon = icon;
    m_hIconSelected = selectedIcon;
    m_cxImage = icon != nullptr ? cx : 0;
    m_cyImage = icon != nullptr ? cy : 0;
    RedrawIfShown(redraw);
}

void CUXButton::SetBitmap(int cx, int cy, UINT bitmapId, BOOL redraw)
{
    ResetImage();
    m_hBitmap = LoadSysColorBitmap(AfxGetResourceHandle(), bitmapId);
    if (m_hBitmap != nullptr)
        m_hBitmapDisabled = LoadSysColorBitmap(AfxGetResourceHandle(), bitmapId, TRUE);
    m_cxImage = m_hBitmap != nullptr ? cx : 0;
    m_cyImage = m_hBitmap != nullptr ? cy : 0;
    RedrawIfShown(redraw);
}

void CUXButton::SetImagePositions(int imageX, int imageY, int textX, int textY, BOOL redraw)
{
    m_xImage = imageX;
    m_yImage = imageY;
    m_xText = textX;
    m_yText = textY;
    m_bExplicitPositions = TRUE;
    RedrawIfShown(redraw);
}

int CUXButton::GetButtonStyle() const
{
    return m_nStyle;
}

int CUXButton::SetButtonStyle(int style, BOOL redraw)
{
    int previous = m_nStyle;
    m_nStyle = style;
    RedrawIfShown(redraw);
    return previous;
}

void CUXButton::ResetImage()
{
    CleanUpGDI();
    m_cxImage = m_cyImage = 0;
}

void CUXButton::CleanUpGDI()
{
    if (m_hIcon != nullptr)
        ::DestroyIcon(m_hIcon);
    if (m_hIconSelected != nullptr)
        ::DestroyIcon(m_hIconSelected);
    if (m_hBitmap != nullptr)
        ::DeleteObject(m_hBitmap);
    if (m_hBitmapDisabled != nullptr)
        ::DeleteObject(m_hBitmapDisabled);
    m_hIcon = m_hIconSelected = nullptr;
    m_hBitmap = m_hBitmapDisabled = nullptr;
}

// ---- initialisation ------------------------------------------------------------------------------------

void CUXButton::PreSubclassWindow()
{
    CButton::PreSubclassWindow();
    PostFirstInit();
}

int CUXButton::OnCreate(LPCREATESTRUCT lpCreateStruct)
{
    int result = CButton::OnCreate(lpCreateStruct);
    PostFirstInit();
    return result;
}

void CUXButton::PostFirstInit()
{
    if (m_nInitCounter == 0 || m_hWnd == nullptr)
        return;
    ++m_nInitCounter;
    PostMessage(UXM_FIRSTINIT, 0, m_nInitCounter);
}

LRESULT CUXButton::OnFirstInit(WPARAM, LPARAM lParam)
{
    if (lParam != m_nInitCounter || m_nInitCounter == 0)
        return 0;
    m_nInitCounter = 0;
    ::SendMessageA(m_hWnd, BM_SETSTYLE, BS_OWNERDRAW, FALSE);
    SetFont(&uxAfxData.m_fontNormal);
    return 0;
}

void CUXButton::OnDestroy()
{
    KillTimer(kHoverTimer);
    m_nInitCounter = 1;
    m_bMouseOver = FALSE;
    m_bPushed = FALSE;
    CButton::OnDestroy();
}

// ---- mouse ---------------------------------------------------------------------------------------------

void CUXButton::OnMouseMove(UINT nFlags, CPoint point)
{
    CButton::OnMouseMove(nFlags, point);
    if ((m_nStyle & kTrackingStyles) == 0)
        return;
    SetTimer(kHoverTimer, 10);
    CheckHover();
}

void CUXButton::OnTimer(UINT_PTR nIDEvent)
{
    if (nIDEvent == kHoverTimer)
        CheckHover();
    else
        CButton::OnTimer(nIDEvent);
}

void CUXButton::CheckHover()
{
    CPoint cursor;
    ::GetCursorPos(&cursor);
    CRect window;
    GetWindowRect(&window);
    if (m_bPushed || !window.PtInRect(cursor))
    {
        KillTimer(kHoverTimer);
        if (m_bMouseOver)
        {
            m_bMouseOver = FALSE;
            Invalidate();
        }
    }
    else if (!m_bMouseOver)
    {
        m_bMouseOver = TRUE;
        Invalidate();
    }
}

void CUXButton::OnLButtonDown(UINT nFlags, CPoint point)
{
    m_bPushed = TRUE;
    CButton::OnLButtonDown(nFlags, point);
}

void CUXButton::OnLButtonUp(UINT nFlags, CPoint point)
{
    m_bPushed = FALSE;
    CButton::OnLButtonUp(nFlags, point);
}

void CUXButton::OnLButtonDblClk(UINT nFlags, CPoint point)
{
    // A double click acts as a second click.
    SendMessage(WM_LBUTTONDOWN, nFlags, MAKELPARAM(point.x, point.y));
}

void CUXButton::OnSysColorChange()
{
    CButton::OnSysColorChange();
    if (!m_bOwnColors)
        LoadSystemColors();
    Invalidate();
}

// ---- painting ------------------------------------------------------------------------------------------

BOOL CUXButton::OnEraseBkgnd(CDC*)
{
    return TRUE;
}

void CUXButton::OnPaint()
{
    CPaintDC paintDC(this);
    CRect client;
    GetClientRect(&client);
    CUXMemDC dc(&paintDC, client, uxAfxData.m_clrBtnFace);
    if ((GetStyle() & BS_TYPEMASK) != BS_OWNERDRAW)
    {
        // Not yet owner-drawn: the system paints the plain button into the surface.
        DefWindowProc(WM_PAINT, reinterpret_cast<WPARAM>(dc.GetSafeHdc()), 0);
        return;
    }
    DRAWITEMSTRUCT dis = {};
    dis.CtlType = ODT_BUTTON;
    dis.CtlID = static_cast<UINT>(GetDlgCtrlID());
    dis.itemAction = ODA_DRAWENTIRE;
    LRESULT state = ::SendMessageA(m_hWnd, BM_GETSTATE, 0, 0);
    if (state & BST_PUSHED)
        dis.itemState |= ODS_SELECTED;
    if (state & BST_FOCUS)
        dis.itemState |= ODS_FOCUS;
    if (!IsWindowEnabled())
        dis.itemState |= ODS_DISABLED;
    dis.hwndItem = m_hWnd;
    dis.hDC = dc.GetSafeHdc();
    dis.rcItem = client;
    DrawItem(&dis);
}

void CUXButton::DrawBorder(CDC* dc, const CRect& rect, BOOL pushed)
{
    CRect r = rect;
    if (m_nStyle & kFlat)
    {
        if (pushed)
            dc->Draw3dRect(&r, m_clrShadow, m_clrHighlight);
        else if (m_bMouseOver)
            dc->Draw3dRect(&r, m_clrHighlight, m_clrShadow);
    }
    else if (m_nStyle & kThin)
    {
        if (pushed)
            dc->Draw3dRect(&r, uxAfxData.m_clrBtnShadow, uxAfxData.m_clrBtnHilite);
        else
            dc->Draw3dRect(&r, uxAfxData.m_clrBtnHilite, uxAfxData.m_clrBtnShadow);
    }
    else if (IsHiliteStyle())
    {
        if (pushed || m_bMouseOver)
        {
            COLORREF border = m_bHiliteColors ? m_clrHiliteBorder : uxAfxData.m_clrHilite;
            COLORREF fill = pushed ? (m_bHiliteColors ? m_clrHilitePushed : uxAfxData.m_clrHalfSelection)
                                   : (m_bHiliteColors ? m_clrHiliteHot : uxAfxData.m_clrLightSelection);
            dc->FillSolidRect(&r, fill);
            dc->Draw3dRect(&r, border, border);
        }
    }
    else
    {
        COLORREF outerTopLeft = m_clrHighlight, outerBottomRight = uxAfxData.m_clr3DDkShadow;
        COLORREF innerTopLeft = m_clrFace, innerBottomRight = m_clrShadow;
        if (pushed)
        {
            std::swap(outerTopLeft, outerBottomRight);
            std::swap(innerTopLeft, innerBottomRight);
        }
        dc->Draw3dRect(&r, outerTopLeft, outerBottomRight);
        r.DeflateRect(1, 1);
        dc->Draw3dRect(&r, innerTopLeft, innerBottomRight);
    }
}

void CUXButton::DrawItem(LPDRAWITEMSTRUCT lpDrawItemStruct)
{
    CDC* dc = CDC::FromHandle(lpDrawItemStruct->hDC);
    UINT state = lpDrawItemStruct->itemState;
    CRect rect = lpDrawItemStruct->rcItem;
    BOOL pushed = (state & ODS_SELECTED) != 0;

    dc->FillSolidRect(&rect, m_clrFace);
    if (m_nStyle & kHalftone)
    {
        BOOL halftone = pushed;
        if (m_bHalftoneByCursor)
        {
            CPoint cursor;
            ::GetCursorPos(&cursor);
            CRect window;
            GetWindowRect(&window);
            halftone = !window.PtInRect(cursor);
        }
        if (halftone)
            FillDitheredRect(dc, rect);
    }
    DrawBorder(dc, rect, pushed);

    int oldMode = dc->SetBkMode(TRANSPARENT);
    DrawButtonText(dc, state, rect);
    DrawIcon(dc, state, rect);
    DrawButtonBitmap(dc, state, rect);
    dc->SetBkMode(oldMode);

    if ((m_nStyle & kFocusRect) && (state & ODS_FOCUS))
    {
        CRect focus = rect;
        focus.DeflateRect(2, 2);
        dc->DrawFocusRect(&focus);
    }
}

void CUXButton::GetButtonText(CString& text, BOOL removeAmpersand)
{
    text.Empty();
    if (m_hWnd != nullptr)
        GetWindowText(text);
    if (removeAmpersand)
        text = StripMnemonics(text);
}

void CUXButton::GetImagePosition(CPoint& point, CDC* dc, UINT itemState, CRect& rect, BOOL hasSelectedImage)
{
    if (m_bExplicitPositions)
    {
        point = CPoint(m_xImage, m_yImage);
        return;
    }
    CString text;
    GetButtonText(text, TRUE);
    DWORD style = m_hWnd != nullptr ? GetStyle() : 0;
    UINT align = AlignmentOf(style);
    int width = rect.Width(), height = rect.Height();

    point.y = (height - m_cyImage) / 2;
    if (text.IsEmpty())
    {
        point.x = m_cxImage <= width ? (width - m_cxImage) / 2 : m_nMargin;
    }
    else if (m_nStyle & kImageAbove)
    {
        point.x = (width - m_cxImage) / 2;
        CSize extent = dc->GetTextExtent(text);
        point.y -= extent.cy / 2 + m_nGap / 2;
    }
    else if (align == BS_RIGHT)
        point.x = width - m_cxImage - m_nMargin;
    else
        point.x = m_nMargin;
    if (point.y < 0)
        point.y = 0;
    point.Offset(rect.left, rect.top);
    // A selected image is the pushed look of its own.
    if ((itemState & ODS_SELECTED) && !IsHiliteStyle() && !hasSelectedImage)
        point.Offset(1, 1);
}

void CUXButton::DrawIcon(CDC* dc, UINT itemState, CRect& rect)
{
    if (m_hIcon == nullptr)
        return;
    BOOL pushed = (itemState & ODS_SELECTED) != 0;
    HICON icon = pushed && m_hIconSelected != nullptr ? m_hIconSelected : m_hIcon;
    CPoint point;
    GetImagePosition(point, dc, itemState, rect, m_hIconSelected != nullptr);
    UINT flags = DST_ICON | ((itemState & ODS_DISABLED) ? DSS_DISABLED : DSS_NORMAL);
    ::DrawStateA(dc->GetSafeHdc(), nullptr, nullptr, reinterpret_cast<LPARAM>(icon), 0, point.x, point.y,
                 m_cxImage, m_cyImage, flags);
}

void CUXButton::DrawButtonBitmap(CDC* dc, UINT itemState, CRect& rect)
{
    if (m_hBitmap == nullptr)
        return;
    CPoint point;
    GetImagePosition(point, dc, itemState, rect, FALSE);
    BOOL disabled = (itemState & ODS_DISABLED) != 0 && m_hBitmapDisabled != nullptr;
    HBITMAP bitmap = disabled ? m_hBitmapDisabled : m_hBitmap;
    UINT flags = DST_BITMAP | (disabled ? DSS_DISABLED : DSS_NORMAL);
    ::DrawStateA(dc->GetSafeHdc(), nullptr, nullptr, reinterpret_cast<LPARAM>(bitmap), 0, point.x, point.y,
                 m_cxImage, m_cyImage, flags);
}

void CUXButton::DrawButtonText(CDC* dc, UINT itemState, CRect& rect)
{
    CString text;
    GetButtonText(text, FALSE);
    if (text.IsEmpty())
        return;
    CFont* font = m_hWnd != nullptr ? GetFont() : nullptr;
    CFont* oldFont = dc->SelectObject(font != nullptr ? font : &uxAfxData.m_fontNormal);

    CRect area = rect;
    area.DeflateRect(2, 0);
    CSize extent = dc->GetTextExtent(StripMnemonics(text));
    CPoint point;
    BOOL pushed = (itemState & ODS_SELECTED) != 0;
    if (m_bExplicitPositions)
        point = CPoint(rect.left + m_xText, rect.top + m_yText);
    else
    {
        UINT align = AlignmentOf(m_hWnd != nullptr ? GetStyle() : 0);
        point.y = rect.top + (rect.Height() - extent.cy) / 2;
        if (m_nStyle & kImageAbove)
        {
            CPoint image;
            GetImagePosition(image, dc, itemState & ~ODS_SELECTED, rect, FALSE);
            point.x = rect.left + (rect.Width() - extent.cx) / 2;
            if (m_cyImage > 0)
                point.y = image.y + m_cyImage + m_nGap / 2;
        }
        else
        {
            int imageRoom = m_cxImage > 0 ? m_cxImage + m_nGap : 0;
            if (align == BS_RIGHT)
                point.x = rect.right - imageRoom - extent.cx - m_nMargin;
            else if (align == BS_LEFT)
                point.x = rect.left + (m_cxImage > 0 ? m_nMargin + imageRoom : m_nMargin);
            else
                point.x = rect.left + imageRoom + (rect.Width() - imageRoom - extent.cx) / 2;
        }
        if (pushed && !IsHiliteStyle())
            point.Offset(1, 1);
    }
    if (point.x < area.left)
        point.x = area.left;

    COLORREF color = m_clrText;
    if (itemState & ODS_DISABLED)
        color = uxAfxData.m_clrGrayText;
    else if (pushed && IsHiliteStyle())
        color = uxAfxData.m_clrHiliteText;
    COLORREF oldColor = dc->SetTextColor(color);
    int saved = dc->SaveDC();
    dc->IntersectClipRect(&area);
    ::DrawStateA(dc->GetSafeHdc(), nullptr, nullptr, reinterpret_cast<LPARAM>(text.GetString()),
                 static_cast<WPARAM>(text.GetLength()), point.x, point.y, area.right - point.x, extent.cy,
                 DST_PREFIXTEXT | DSS_NORMAL);
    dc->RestoreDC(saved);
    dc->SetTextColor(oldColor);
    dc->SelectObject(oldFont);
}
