// The flat look's painters: tool-bar buttons and separators, the shadow of an open drop-down, the borders of
// edits and combo boxes, and list items, in the blended colours of the look data.
#include "uilib/core/bars/FlatPainters.h"

#include "uilib/core/base/DropShadow.h"
#include "uilib/core/base/GlobalData.h"
#include "uilib/core/base/Helpers.h"

namespace
{

const int kArrowWidth = 14;   // the arrow part of a drop-down button with its own arrow
const BYTE kWholeDropDown = 0x80;
const int kShadow = 4;

void Frame(CDC* dc, const CRect& rect, COLORREF color)
{
    CBrush brush(color);
    dc->FrameRect(&rect, &brush);
}

// A small triangle pointing down, 5 pixels wide, centred on (x, y).
void DrawArrow(CDC* dc, int x, int y, COLORREF color)
{
    for (int row = 0; row < 3; ++row)
        dc->FillSolidRect(x - 2 + row, y - 1 + row, 5 - 2 * row, 1, color);
}

// An icon in one colour (the shape of its mask).
void DrawMonoIcon(CDC* dc, HICON icon, int x, int y, COLORREF color)
{
    CBrush brush(color);
    ::DrawStateA(dc->m_hDC, brush, nullptr, reinterpret_cast<LPARAM>(icon), 0, x, y, 0, 0, DST_ICON | DSS_MONO);
}

class CFlatToolBarPainter : public CUXToolBarPainter
{
public:
    void EraseControl(CDC* dc, const CRect& rect, COLORREF back) override { dc->FillSolidRect(&rect, back); }
    void DrawButton(CDC* dc, const CUXToolButtonState& button) override { UXDrawFlatToolButton(dc, button); }
    void DrawSeparator(CDC* dc, const CRect& rect, BOOL wrapped, const CRect& client, COLORREF back) override
    {
        UXDrawFlatToolSeparator(dc, rect, wrapped, client, back);
    }
    void DrawDropShadow(CDC* dc, const CRect& button) override { UXDrawFlatDropShadow(dc, button); }
    CRect GetDropShadowRect(const CRect& button) override { return UXFlatDropShadowRect(button); }
};

class CFlatControlPainter : public CUXControlPainter
{
public:
    void DrawBorder(CWnd* wnd, CDC* dc, BOOL hot) override
    {
        // Three rectangles from the client area outwards (window co-ordinates).
        CRect client;
        wnd->GetClientRect(&client);
        wnd->ClientToScreen(&client);
        CRect window;
        wnd->GetWindowRect(&window);
        client.OffsetRect(-window.left, -window.top);
        const COLORREF colors[3] = {wnd->IsWindowEnabled() ? uxAfxData.m_clrWindow : uxAfxData.m_clrBtnFace,
                                    hot ? uxAfxData.m_clrHilite : uxAfxData.m_clrWindow, uxAfxData.m_clrBtnFace};
        for (COLORREF color : colors)
        {
            client.InflateRect(1, 1);
            Frame(dc, client, color);
        }
    }
};

class CFlatComboPainter : public CUXComboPainter
{
public:
    void DrawCombo(CWnd* combo, CDC* dc, BOOL hot) override
    {
        BOOL dropped = combo->SendMessage(CB_GETDROPPEDSTATE) != 0;
        COLORREF buttonColor = uxAfxData.m_clrBtnFace;
        COLORREF border = uxAfxData.m_clrCaptionText;
        COLORREF arrow = uxAfxData.m_clrBtnText;
        if (dropped)
        {
            buttonColor = uxAfxData.m_clrPaleSelection;
            arrow = uxAfxData.m_clrCaptionText;
            border = uxAfxData.m_clrHilite;
        }
        else if (hot)
        {
            buttonColor = uxAfxData.m_clrLightSelection;
            border = uxAfxData.m_clrHilite;
        }
        CRect client;
        combo->GetClientRect(&client);
        Frame(dc, client, uxAfxData.m_clrBtnFace);
        client.DeflateRect(1, 1);
        Frame(dc, client, border);
        CRect part(client.right - uxAfxData.m_cxHThumb - 2, client.top, client.right, client.bottom);
        Frame(dc, part, border);
        part.DeflateRect(1, 1);
        dc->FillSolidRect(&part, buttonColor);
        DrawArrow(dc, (part.left + part.right - 3) / 2 + 1, (part.top + part.bottom - 1) / 2, arrow);
    }
};

class CFlatListPainter : public CUXListPainter
{
public:
    void DrawItem(LPDRAWITEMSTRUCT item, CWnd* listBox) override
    {
        CDC* dc = CDC::FromHandle(item->hDC);
        CRect rect(item->rcItem);
        int column = uxAfxData.m_cxImageBox + 4;
        dc->FillSolidRect(&rect, uxAfxData.m_clrWindowFace);
        dc->FillSolidRect(rect.left, rect.top, column, rect.Height(), uxAfxData.m_clrFaceWindow);
        BOOL selected = (item->itemState & ODS_SELECTED) != 0;
        if (selected)
        {
            dc->FillSolidRect(&rect, uxAfxData.m_clrLightSelection);
            Frame(dc, rect, uxAfxData.m_clrHilite);
            rect.DeflateRect(2, 2);
        }
        if (static_cast<int>(item->itemID) < 0)
            return;
        CUXListItemIcons* icons = dynamic_cast<CUXListItemIcons*>(listBox);
        HICON icon = icons != nullptr ? icons->GetItemIcon(static_cast<int>(item->itemID)) : nullptr;
        if (icon != nullptr)
        {
            CUXIconHolder scaled(nullptr);
            CSize size = GetIconSize(icon);
            if (size.cx > uxAfxData.m_cxSmallIcon || size.cy > uxAfxData.m_cySmallIcon)
            {
                scaled.Attach(ScaleIcon(icon, uxAfxData.m_cxSmallIcon, uxAfxData.m_cySmallIcon));
                if (scaled.GetIcon() != nullptr)
                {
                    icon = scaled.GetIcon();
                    size = scaled.GetIconSize();
                }
            }
            int x = item->rcItem.left + (column - size.cx) / 2;
            int y = item->rcItem.top + (static_cast<int>(item->rcItem.bottom - item->rcItem.top) - size.cy) / 2;
            if (selected)
            {
                DrawMonoIcon(dc, icon, x + 1, y + 1, uxAfxData.m_clrBtnShadow);
                ::DrawIconEx(dc->m_hDC, x - 1, y - 1, icon, size.cx, size.cy, 0, nullptr, DI_NORMAL);
            }
            else
                ::DrawIconEx(dc->m_hDC, x, y, icon, size.cx, size.cy, 0, nullptr, DI_NORMAL);
        }
        CString text;
        if (CListBox* list = dynamic_cast<CListBox*>(listBox))
            list->GetText(static_cast<int>(item->itemID), text);
        CRect textRect(item->rcItem.left + column + 4, rect.top, rect.right, rect.bottom);
        ::SetBkMode(dc->m_hDC, TRANSPARENT);
        COLORREF old = dc->SetTextColor(uxAfxData.m_clrMenuText);
        dc->DrawText(text, &textRect, DT_SINGLELINE | DT_VCENTER | DT_LEFT);
        dc->SetTextColor(old);
    }

    void EraseItem(LPDRAWITEMSTRUCT item, CWnd*) override
    {
        CDC::FromHandle(item->hDC)->FillSolidRect(&item->rcItem, uxAfxData.m_clrFaceWindow);
    }
};

}   // namespace

void UXDrawFlatToolButton(CDC* dc, const CUXToolButtonState& button)
{
    const CRect& rect = button.rect;
    BOOL enabled = (button.state & TBSTATE_ENABLED) != 0;
    BOOL checked = (button.state & TBSTATE_CHECKED) != 0;
    BOOL indeterminate = (button.state & TBSTATE_INDETERMINATE) != 0;
    BOOL pressed = button.pressed;
    BOOL hot = button.hot;

    const CUXGlobalData& look = uxAfxData;
    COLORREF back = button.back;
    COLORREF fill = back;
    COLORREF text = look.m_clrMenuText;
    COLORREF frame = look.m_clrHilite;
    BOOL framed = FALSE;
    if (checked && enabled)
    {
        fill = pressed || hot ? look.m_clrHalfSelection : look.m_clrPaleSelection;
        text = pressed || hot ? look.m_clrSelectionText : text;
        framed = TRUE;
    }
    else if (checked)
    {
        fill = look.m_clrBtnFace;
        frame = look.m_clrDarkShadow;
        framed = TRUE;
    }
    else if (indeterminate && enabled)
    {
        fill = pressed ? look.m_clrHalfSelection : (hot ? look.m_clrLightSelection : back);
        text = pressed ? look.m_clrSelectionText : text;
    }
    else if (indeterminate)
        fill = look.m_clrLightFace;
    else if (enabled && (pressed || hot))
    {
        fill = pressed ? look.m_clrHalfSelection : look.m_clrLightSelection;
        text = pressed ? look.m_clrSelectionText : text;
        framed = TRUE;
    }
    if (!enabled)
        text = look.m_clrGrayText;

    ::SetBkMode(dc->m_hDC, TRANSPARENT);
    dc->FillSolidRect(&rect, fill);
    BOOL arrows = (button.style & TBSTYLE_DROPDOWN) && button.dropDownArrows && !(button.style & kWholeDropDown);
    CRect face = rect;
    if (arrows)
        face.right -= kArrowWidth;
    if (button.open)
    {
        // Open at the bottom, where the menu joins.
        dc->FillSolidRect(rect.left, rect.top, rect.Width(), 1, look.m_clrDarkShadow);
        dc->FillSolidRect(rect.left, rect.top, 1, rect.Height(), look.m_clrDarkShadow);
        dc->FillSolidRect(rect.right - 1, rect.top, 1, rect.Height(), look.m_clrDarkShadow);
    }
    else if (framed)
    {
        Frame(dc, rect, frame);
        if (arrows)
            Frame(dc, CRect(face.right - 1, rect.top, rect.right, rect.bottom), frame);
    }
    if (arrows || (button.style & kWholeDropDown))
        DrawArrow(dc, arrows ? face.right + kArrowWidth / 2 : face.right - 6, rect.top + rect.Height() / 2,
                  enabled ? text : look.m_clrBtnShadow);
    if (button.style & kWholeDropDown)
        face.right -= 10;

    // The image: shadowed while hot, in one colour while disabled.
    const CSize& image = button.imageSize;
    const CString& label = button.label;
    BOOL list = button.listStyle;
    int x = list && !label.IsEmpty() ? face.left + 3 : face.left + (face.Width() - image.cx) / 2;
    int y = !list && !label.IsEmpty() ? face.top + 3 : face.top + (face.Height() - image.cy) / 2;
    HIMAGELIST images = button.images;
    if (images != nullptr && button.image >= 0 && button.image < ::ImageList_GetImageCount(images))
    {
        HIMAGELIST hotImages = button.hotImages;
        HIMAGELIST from = hot && hotImages != nullptr && button.image < ::ImageList_GetImageCount(hotImages)
                              ? hotImages
                              : images;
        HICON icon = ::ImageList_GetIcon(from, button.image, ILD_NORMAL);
        if (!enabled)
            DrawMonoIcon(dc, icon, x, y, look.m_clrBtnShadow);
        else if (hot && !checked)
        {
            DrawMonoIcon(dc, icon, x + 1, y + 1, look.m_clrBtnShadow);
            ::DrawIconEx(dc->m_hDC, x - 1, y - 1, icon, image.cx, image.cy, 0, nullptr, DI_NORMAL);
        }
        else
            ::DrawIconEx(dc->m_hDC, x, y, icon, image.cx, image.cy, 0, nullptr, DI_NORMAL);
        ::DestroyIcon(icon);
    }
    if (!label.IsEmpty())
    {
        CRect textRect = face;
        if (list)
            textRect.left = x + image.cx + 3;
        else
            textRect.top = y + image.cy + 1;
        COLORREF oldText = dc->SetTextColor(text);
        HGDIOBJ oldFont = button.font != nullptr ? ::SelectObject(dc->m_hDC, button.font) : nullptr;
        dc->DrawText(label, &textRect, DT_SINGLELINE | DT_VCENTER | (list ? DT_LEFT : DT_CENTER));
        if (oldFont != nullptr)
            ::SelectObject(dc->m_hDC, oldFont);
        dc->SetTextColor(oldText);
    }
    // A colour drop-down's strip.
    if (button.strip != 0xFF000000)
        dc->FillSolidRect(rect.left + 4, rect.bottom - 7, button.buttonWidth - 8, 3,
                          enabled ? static_cast<COLORREF>(button.strip & 0xFFFFFF) : look.m_clrBtnShadow);
}

void UXDrawFlatToolSeparator(CDC* dc, const CRect& rect, BOOL wrapped, const CRect& client, COLORREF back)
{
    if (wrapped)
    {
        dc->FillSolidRect(client.left, rect.top + rect.Height() / 2, client.Width(), 1, uxAfxData.m_clrDarkFace);
        return;
    }
    dc->FillSolidRect(&rect, back);
    dc->FillSolidRect(rect.left + 3, rect.top + 2, 1, rect.Height() - 4, uxAfxData.m_clrDarkFace);
}

void UXDrawFlatDropShadow(CDC* dc, const CRect& button)
{
    if (!uxAfxData.m_bMenuShadows)
        return;
    CRect shadow = UXFlatDropShadowRect(button);
    ::DrawDropShadow(dc, shadow.left, shadow.top, shadow.right, shadow.bottom, 100);
}

CRect UXFlatDropShadowRect(const CRect& button)
{
    return CRect(button.left, button.top, button.right + kShadow, button.bottom + kShadow);
}

CUXLookFlat::CUXLookFlat()
    : m_pComboPainter(new CFlatComboPainter), m_pControlPainter(new CFlatControlPainter),
      m_pToolBarPainter(new CFlatToolBarPainter), m_pListPainter(new CFlatListPainter)
{
}

CUXLookFlat::~CUXLookFlat()
{
    delete m_pComboPainter;
    delete m_pControlPainter;
    delete m_pToolBarPainter;
    delete m_pListPainter;
}
