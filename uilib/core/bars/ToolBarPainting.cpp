// CUXToolBar: the look, painting and the buttons drawn by the look's painters.
#include "uilib/core/bars/ToolBar.h"

#include "uilib/core/base/GlobalData.h"
#include "uilib/core/base/MemDC.h"
#include "uilib/core/bars/ToolBarInternal.h"

#include <algorithm>

using namespace ToolBarInternal;

// ---- look ----------------------------------------------------------------------------------------------

BOOL CUXToolBar::IsHorizontalLayout() const
{
    if (m_bInReBar || IsDockedHorz())
        return TRUE;
    // Not in a dock bar: the bar's alignment decides.
    return !IsDockedVert() && (m_dwStyle & CBRS_ORIENT_HORZ) != 0;
}

BOOL CUXToolBar::IsFlatLook() const
{
    return uxAfxData.m_bFlatLook && !m_bInReBar;
}

COLORREF CUXToolBar::GetBackColor() const
{
    return m_bInReBar ? uxAfxData.m_clrBtnFace : CUXControlBar::GetBackColor();
}

void CUXToolBar::AddPaintListener(CUXToolBarPaintListener* listener)
{
    if (listener != nullptr)
        m_paintListeners.push_back(listener);
}

void CUXToolBar::RemovePaintListener(CUXToolBarPaintListener* listener)
{
    m_paintListeners.erase(std::remove(m_paintListeners.begin(), m_paintListeners.end(), listener),
                           m_paintListeners.end());
}

void CUXToolBar::OnPaint()
{
    PaintBar();
}

void CUXToolBar::PaintBar()
{
    if (m_bDirty)
        Layout();
    CPaintDC dc(this);
    CRect client;
    GetClientRect(&client);
    COLORREF fill = IsFlatLook() ? GetBackColor() : uxAfxData.m_clrBtnFace;
    CUXMemDC mem(&dc, client, fill);
    if (!mem.IsValid())
        return;
    // The control paints its items into the surface.
    DefWindowProc(WM_PAINT, reinterpret_cast<WPARAM>(mem.m_hDC), 0);
    std::vector<CUXToolBarPaintListener*> listeners = m_paintListeners;
    for (CUXToolBarPaintListener* listener : listeners)
        listener->OnBarPainted(&mem);
}

void CUXToolBar::OnWindowPosChanging(WINDOWPOS* lpwndpos)
{
    // The base handles it without the border bits: the tool bar draws its own frame.
    DWORD style = m_dwStyle;
    m_dwStyle &= ~CBRS_BORDER_ANY;
    CUXControlBar::OnWindowPosChanging(lpwndpos);
    m_dwStyle = style;
    if ((m_dwStyle & CBRS_SIZE_DYNAMIC) && !(lpwndpos->flags & SWP_NOSIZE))
        Invalidate();
}

void CUXToolBar::OnCustomDraw(NMHDR* pNMHDR, LRESULT* pResult)
{
    *pResult = CDRF_DODEFAULT;
    if (!(GetStyle() & TBSTYLE_FLAT) || m_bNestedPaint)
        return;
    NMTBCUSTOMDRAW* cd = reinterpret_cast<NMTBCUSTOMDRAW*>(pNMHDR);
    CDC* dc = CDC::FromHandle(cd->nmcd.hdc);
    switch (cd->nmcd.dwDrawStage)
    {
    case CDDS_PREPAINT:
        m_bFirstItem = TRUE;
        *pResult = CDRF_NOTIFYITEMDRAW | CDRF_NOTIFYPOSTPAINT;
        break;
    case CDDS_POSTPAINT:
    {
        EraseWrapGaps(dc);
        DrawSeparators(dc);
        CUXToolBarPainter* painter = GetToolBarLook()->GetToolBarPainter();
        if (painter != nullptr && m_nOpenDropDown >= 0)
        {
            CRect rect;
            GetItemRect(m_nOpenDropDown, &rect);
            painter->DrawDropShadow(dc, rect);
        }
        break;
    }
    case CDDS_ITEMPREPAINT:
        if (DrawButton(dc, cd))
            *pResult = CDRF_SKIPDEFAULT;
        break;
    default: break;
    }
}

CUXToolButtonState CUXToolBar::GetButtonState(int nIndex)
{
    CUXToolButtonState state;
    GetItemRect(nIndex, &state.rect);
    TBBUTTON button = GetButton(nIndex);
    state.state = button.fsState;
    state.style = button.fsStyle;
    int hotItem = static_cast<int>(SendMessage(TB_GETHOTITEM));
    state.open = m_nOpenDropDown == nIndex;
    state.pressed = (button.fsState & TBSTATE_PRESSED) != 0 ||
                    (hotItem == nIndex && ::GetKeyState(VK_LBUTTON) < 0 && !GetToolBarLook()->IsCustomizeMode());
    state.hot = !state.pressed && hotItem == nIndex && CWnd::GetCapture() == nullptr;
    state.dropDownArrows = (SendMessage(TB_GETEXTENDEDSTYLE) & TBSTYLE_EX_DRAWDDARROWS) != 0;
    state.images = reinterpret_cast<HIMAGELIST>(SendMessage(TB_GETIMAGELIST));
    state.hotImages = reinterpret_cast<HIMAGELIST>(SendMessage(TB_GETHOTIMAGELIST));
    state.image = button.iBitmap;
    state.imageSize = m_sizeImage;
    state.label = GetButtonText(nIndex);
    state.listStyle = (GetStyle() & TBSTYLE_LIST) != 0;
    CFont* font = GetFont();
    state.font = font != nullptr ? static_cast<HFONT>(font->GetSafeHandle()) : nullptr;
    state.back = GetBackColor();
    if (const CUXToolButtonData* data = GetButtonData(nIndex))
        state.strip = data->m_clrStrip;
    state.buttonWidth = m_sizeButton.cx;
    return state;
}

BOOL CUXToolBar::DrawButton(CDC* pDC, NMTBCUSTOMDRAW* lpcd)
{
    if (m_bFirstItem)
    {
        m_bFirstItem = FALSE;
        if (IsFlatLook())
        {
            CRect client;
            GetClientRect(&client);
            pDC->FillSolidRect(&client, GetBackColor());
        }
    }
    int index = CommandToIndex(static_cast<UINT>(lpcd->nmcd.dwItemSpec));
    if (index < 0)
        return FALSE;
    if (CUXToolBarPainter* painter = GetToolBarLook()->GetToolBarPainter())
    {
        painter->DrawButton(pDC, GetButtonState(index));
        return TRUE;
    }
    CRect rect(lpcd->nmcd.rc);
    TBBUTTON button = GetButton(index);
    CUXToolButtonData* data = GetButtonData(index);
    if (data != nullptr && data->m_clrStrip != 0xFF000000)
    {
        // The colour strip under the image of a colour drop-down.
        CRect strip(rect.left + 4, rect.bottom - 7, rect.left + m_sizeButton.cx - 4, rect.bottom - 4);
        if (button.fsState & (TBSTATE_PRESSED | TBSTATE_CHECKED))
            strip.OffsetRect(1, 1);
        BOOL disabled = !(button.fsState & TBSTATE_ENABLED);
        pDC->FillSolidRect(&strip, disabled ? uxAfxData.m_clrBtnShadow : static_cast<COLORREF>(data->m_clrStrip));
        pDC->ExcludeClipRect(&strip);
    }
    if (m_bInReBar)
    {
        CRect clip;
        pDC->GetClipBox(&clip);
        clip.IntersectRect(&clip, &rect);
        m_bNestedPaint = TRUE;
        InvalidateRect(&clip, FALSE);
        UpdateWindow();
        m_bNestedPaint = FALSE;
    }
    else
    {
        pDC->FillSolidRect(&rect, GetBackColor());
    }
    if (button.fsState & TBSTATE_CHECKED)
        return FALSE;
    BOOL disabled = !(button.fsState & TBSTATE_ENABLED);
    BOOL popupOpen = m_pColorPopup != nullptr && m_nColorPopupID == button.idCommand;
    BOOL drawsArrows =
        (button.fsStyle & TBSTYLE_DROPDOWN) && (SendMessage(TB_GETEXTENDEDSTYLE) & TBSTYLE_EX_DRAWDDARROWS);
    if (((disabled && m_bOwnDisabledImages) || popupOpen) && button.iString < 0 && !drawsArrows)
    {
        HIMAGELIST images = reinterpret_cast<HIMAGELIST>(SendMessage(TB_GETIMAGELIST));
        int x = rect.left + (m_sizeButton.cx - m_sizeImage.cx) / 2 + 1;
        int y = rect.top + (m_sizeButton.cy - m_sizeImage.cy) / 2 + 1;
        DrawDisabledImage(pDC, images, button.iBitmap, x, y, TRUE);
        return TRUE;
    }
    return FALSE;
}

void CUXToolBar::DrawSeparators(CDC* pDC)
{
    CUXToolBarPainter* painter = GetToolBarLook()->GetToolBarPainter();
    std::vector<TBBUTTON> buttons = ReadButtons();
    CRect client;
    GetClientRect(&client);
    for (size_t i = 0; i < buttons.size(); ++i)
    {
        const TBBUTTON& button = buttons[i];
        if (!IsSeparator(button) || IsHidden(button))
            continue;
        int index = static_cast<int>(i);
        CRect rect;
        GetItemRect(index, &rect);
        if (rect.IsRectEmpty() && !(button.fsState & TBSTATE_WRAP))
            continue;
        if (painter != nullptr)
        {
            if (IsPlaceholder(button))
                painter->EraseControl(pDC, rect, GetBackColor());
            else
                painter->DrawSeparator(pDC, rect, (button.fsState & TBSTATE_WRAP) != 0, client, GetBackColor());
            continue;
        }
        if (IsPlaceholder(button))
        {
            HWND control = nullptr;
            for (const ButtonRecord& record : m_records)
                if (record.button.idCommand == button.idCommand)
                    control = record.hWndControl;
            if (control == nullptr || !::IsWindowVisible(control))
                continue;
            if (!m_bInReBar)
                pDC->FillSolidRect(&rect, GetBackColor());
            CRect window;
            ::GetWindowRect(control, &window);
            ScreenToClient(&window);
            CPoint origin = pDC->SetViewportOrg(window.left, window.top);
            ::SendMessageA(control, WM_PRINT, reinterpret_cast<WPARAM>(pDC->m_hDC),
                           PRF_CHECKVISIBLE | PRF_CLIENT | PRF_CHILDREN | PRF_OWNED | PRF_NONCLIENT);
            pDC->SetViewportOrg(origin);
            continue;
        }
        if (button.fsState & TBSTATE_WRAP)
        {
            CRect line(client.left, rect.top + rect.Height() / 2, client.right, rect.top + rect.Height() / 2 + 2);
            pDC->DrawEdge(&line, EDGE_ETCHED, BF_TOP);
            pDC->SetPixelV(line.right - 1, line.top, uxAfxData.m_clrBtnShadow);
        }
        else
        {
            CRect line(rect);
            line.DeflateRect(2, 2);
            pDC->DrawEdge(&line, EDGE_ETCHED, BF_LEFT);
            pDC->SetPixelV(line.left, line.bottom - 1, uxAfxData.m_clrBtnShadow);
        }
    }
}

void CUXToolBar::EraseWrapGaps(CDC* pDC)
{
    // The gaps a wrapped separator leaves between rows take the bar's colour.
    std::vector<TBBUTTON> buttons = ReadButtons();
    for (size_t i = 0; i < buttons.size(); ++i)
    {
        if (!IsSeparator(buttons[i]) || !(buttons[i].fsState & TBSTATE_WRAP) || IsHidden(buttons[i]))
            continue;
        CRect gap = WrapGapRect(static_cast<int>(i));
        if (!gap.IsRectEmpty())
            pDC->FillSolidRect(&gap, GetBackColor());
    }
}
