#include "uilib/core/bars/ExpButton.h"

#include "uilib/core/bars/ExpMenuWnd.h"
#include "uilib/core/base/LibraryIds.h"
#include "uilib/core/base/GlobalData.h"
#include "uilib/core/bars/ToolBar.h"

#include <memory>

namespace
{

// Monochrome glyphs: one 16-bit word per row, the high bit of the low byte the leftmost pixel; 0 is drawn.
struct Glyph
{
    int width;
    int height;
    WORD rows[8];
};
const Glyph kHiddenHorz = {8, 5, {0x33, 0x99, 0xCC, 0x99, 0x33}};                     // two arrows pointing right
const Glyph kCustomizeHorz = {5, 3, {0x07, 0x8F, 0xDF}};                              // a triangle pointing down
const Glyph kHiddenVert = {8, 8, {0xEE, 0xE4, 0xF1, 0xFB, 0xEE, 0xE4, 0xF1, 0xFB}};   // arrows pointing down
const Glyph kCustomizeVert = {3, 5, {0xDF, 0x9F, 0x1F, 0x9F, 0xDF}};                  // a triangle pointing left

void DrawGlyph(CDC* dc, const Glyph& glyph, int x, int y, BOOL disabled)
{
    HBITMAP bitmap = ::CreateBitmap(glyph.width, glyph.height, 1, 1, glyph.rows);
    if (bitmap == nullptr)
        return;
    ::DrawStateA(dc->m_hDC, nullptr, nullptr, reinterpret_cast<LPARAM>(bitmap), 0, x, y, glyph.width, glyph.height,
                 DST_BITMAP | (disabled ? DSS_DISABLED : DSS_NORMAL));
    ::DeleteObject(bitmap);
}

}   // namespace

IMPLEMENT_DYNAMIC(CUXExpButton, CUXButton)

BEGIN_MESSAGE_MAP(CUXExpButton, CUXButton)
    ON_WM_LBUTTONDOWN()
    ON_WM_CANCELMODE()
    ON_MESSAGE(UXM_POPUP_CLOSED, OnPopupClosed)
    ON_CONTROL_REFLECT(BN_CLICKED, OnClicked)
    ON_COMMAND(ID_UX_CUSTOMIZE, OnClicked)   // from the pop-up's "Customize..."
END_MESSAGE_MAP()

CUXExpButton::CUXExpButton() = default;

CUXExpButton::~CUXExpButton()
{
    if (m_pPopup != nullptr && m_pPopup->m_hWnd != nullptr)
        m_pPopup->DestroyWindow();
}

BOOL CUXExpButton::Create(CUXToolBar* pBar)
{
    if (pBar == nullptr || pBar->m_hWnd == nullptr)
        return FALSE;
    m_pBar = pBar;
    if (!CButton::Create("", WS_CHILD | WS_CLIPSIBLINGS | WS_CLIPCHILDREN | BS_FLAT | BS_OWNERDRAW,
                         CRect(0, 0, 0, 0), pBar, ID_UX_CUSTOMIZE))
        return FALSE;
    UpdateState();
    return TRUE;
}

void CUXExpButton::UpdateState()
{
    if (m_hWnd == nullptr || m_pBar == nullptr)
        return;
    // The flat look's button, else a 3-D one; the rest of the style stays.
    int style = GetButtonStyle() & ~(kFlat | kThin | kHilite);
    SetButtonStyle(style | (uxAfxData.m_bFlatLook ? kHilite : kFlat), FALSE);
    SetFaceColor(m_pBar->GetBackColor());
    BOOL enable = m_pBar->HasHiddenButtons() || m_pBar->IsCustomizable();
    if (IsWindowEnabled() != enable)
        EnableWindow(enable);
}

BOOL CUXExpButton::OpenPopup(const CRect& rect)
{
    auto popup = std::make_unique<CUXExpMenuWnd>();
    m_pPopup = popup.get();
    if (!popup->CreatePopup(rect, m_pBar, m_hWnd, UXM_POPUP_CLOSED))
    {
        m_pPopup = nullptr;
        return FALSE;
    }
    popup.release();   // its window deletes it
    return TRUE;
}

void CUXExpButton::OnLButtonDown(UINT nFlags, CPoint point)
{
    CUXButton::OnLButtonDown(nFlags, point);
    if (m_pPopup != nullptr || m_pBar == nullptr)
        return;
    // The button as much as its ancestors show of it, less the last pixel to the right and below.
    CRect rect;
    GetClientRect(&rect);
    ClientToScreen(&rect);
    for (HWND ancestor = ::GetParent(m_hWnd); ancestor != nullptr; ancestor = ::GetParent(ancestor))
    {
        CRect client;
        ::GetClientRect(ancestor, &client);
        ::MapWindowPoints(ancestor, nullptr, reinterpret_cast<POINT*>(&client), 2);
        rect.IntersectRect(&rect, &client);
        if (!(::GetWindowLongPtrA(ancestor, GWL_STYLE) & WS_CHILD))
            break;
    }
    rect.right -= 1;
    rect.bottom -= 1;
    OpenPopup(rect);
    RedrawWindow(nullptr, nullptr, RDW_INVALIDATE | RDW_UPDATENOW);
}

void CUXExpButton::OnCancelMode()
{
    CUXButton::OnCancelMode();
    if (m_pPopup != nullptr && m_pPopup->m_hWnd != nullptr)
        m_pPopup->DestroyWindow();
}

LRESULT CUXExpButton::OnPopupClosed(WPARAM, LPARAM)
{
    m_pPopup = nullptr;
    Invalidate();
    return 0;
}

void CUXExpButton::OnClicked()
{
    // The frame's customize command; a frame without customization does nothing with it.
    CFrameWnd* pFrame = m_pBar != nullptr ? m_pBar->GetParentFrame() : nullptr;
    if (pFrame != nullptr && pFrame->m_hWnd != nullptr)
        pFrame->SendMessage(WM_COMMAND, ID_UX_CUSTOMIZE, 0);
}

void CUXExpButton::DrawItem(LPDRAWITEMSTRUCT lpDrawItemStruct)
{
    if (m_pPopup != nullptr)
        lpDrawItemStruct->itemState |= ODS_SELECTED;   // pressed while its pop-up is open
    if (m_pPopup != nullptr && uxAfxData.m_bFlatLook && m_pBar != nullptr)
    {
        CDC* dc = CDC::FromHandle(lpDrawItemStruct->hDC);
        CRect rect(lpDrawItemStruct->rcItem);
        dc->FillSolidRect(&rect, m_pBar->GetBackColor());
        DrawGlyphs(dc, rect, FALSE, FALSE);
        CBrush frame(uxAfxData.m_clrDarkShadow);
        dc->FrameRect(&rect, &frame);
        return;
    }
    CUXButton::DrawItem(lpDrawItemStruct);
}

void CUXExpButton::DrawButtonBitmap(CDC* dc, UINT itemState, CRect& rect)
{
    BOOL pressed = (itemState & ODS_SELECTED) != 0 && !uxAfxData.m_bFlatLook;
    DrawGlyphs(dc, rect, (itemState & ODS_DISABLED) != 0, pressed);
}

void CUXExpButton::DrawGlyphs(CDC* dc, const CRect& rect, BOOL disabled, BOOL pressed)
{
    if (m_pBar == nullptr)
        return;
    BOOL horizontal = m_pBar->IsHorizontalLayout();
    int shift = pressed ? 1 : 0;
    COLORREF oldText = dc->SetTextColor(uxAfxData.m_clrBtnText);
    COLORREF oldBack = dc->SetBkColor(m_pBar->GetBackColor());
    if (m_pBar->HasHiddenButtons())
    {
        const Glyph& g = horizontal ? kHiddenHorz : kHiddenVert;
        int x = horizontal ? rect.left + (rect.Width() - g.width) / 2 : rect.right - 2 - g.width;
        int y = horizontal ? rect.top + 2 : rect.top + (rect.Height() - g.height) / 2;
        DrawGlyph(dc, g, x + shift, y + shift, disabled);
    }
    if (m_pBar->IsCustomizable())
    {
        const Glyph& g = horizontal ? kCustomizeHorz : kCustomizeVert;
        int x = horizontal ? rect.left + (rect.Width() - g.width) / 2 : rect.left + 2;
        int y = horizontal ? rect.bottom - 2 - g.height : rect.top + (rect.Height() - g.height) / 2;
        DrawGlyph(dc, g, x + shift, y + shift, disabled);
    }
    dc->SetTextColor(oldText);
    dc->SetBkColor(oldBack);
}

// ---- the bar's chevron ----------------------------------------------------------------------------------
// Here rather than with the bar: the chevron opens a pop-up made of tool bars, and the bar's own files stay
// below both.

BOOL CUXToolBar::CreateExpandButton()
{
    auto button = std::make_unique<CUXExpButton>();
    if (!button->Create(this))
        return FALSE;
    m_pExpButton = std::move(button);
    return TRUE;
}

void CUXToolBar::UpdateExpandButton()
{
    if (m_pExpButton != nullptr)
        static_cast<CUXExpButton*>(m_pExpButton.get())->UpdateState();
}
