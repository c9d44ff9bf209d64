#include "uilib/core/bars/ColorPopup.h"

#include "resources/uilib/UilibResources.h"
#include "uilib/core/bars/ColorDialog.h"
#include "uilib/core/bars/CoolMenu.h"
#include "uilib/core/base/DropShadow.h"
#include "uilib/core/base/GlobalData.h"
#include "uilib/core/base/Helpers.h"

namespace
{

struct NamedColor
{
    UINT tipId;
    COLORREF color;
};

const NamedColor kSixteen[] = {
    {IDS_UX_COLOR_BLACK, RGB(0, 0, 0)},       {IDS_UX_COLOR_GRAY, RGB(128, 128, 128)},
    {IDS_UX_COLOR_MAROON, RGB(128, 0, 0)},    {IDS_UX_COLOR_OLIVE, RGB(128, 128, 0)},
    {IDS_UX_COLOR_GREEN, RGB(0, 128, 0)},     {IDS_UX_COLOR_TEAL, RGB(0, 128, 128)},
    {IDS_UX_COLOR_NAVY, RGB(0, 0, 128)},      {IDS_UX_COLOR_PURPLE, RGB(128, 0, 128)},
    {IDS_UX_COLOR_WHITE, RGB(255, 255, 255)}, {IDS_UX_COLOR_SILVER, RGB(192, 192, 192)},
    {IDS_UX_COLOR_RED, RGB(255, 0, 0)},       {IDS_UX_COLOR_YELLOW, RGB(255, 255, 0)},
    {IDS_UX_COLOR_LIME, RGB(0, 255, 0)},      {IDS_UX_COLOR_AQUA, RGB(0, 255, 255)},
    {IDS_UX_COLOR_BLUE, RGB(0, 0, 255)},      {IDS_UX_COLOR_FUCHSIA, RGB(255, 0, 255)},
};

const NamedColor kForty[] = {
    {IDS_UX_COLOR_BLACK, RGB(0, 0, 0)},
    {IDS_UX_COLOR_BROWN, RGB(153, 51, 0)},
    {IDS_UX_COLOR_OLIVE_GREEN, RGB(51, 51, 0)},
    {IDS_UX_COLOR_DARK_GREEN, RGB(0, 51, 0)},
    {IDS_UX_COLOR_DARK_TEAL, RGB(0, 51, 102)},
    {IDS_UX_COLOR_DARK_BLUE, RGB(0, 0, 128)},
    {IDS_UX_COLOR_INDIGO, RGB(51, 51, 153)},
    {IDS_UX_COLOR_GRAY80, RGB(51, 51, 51)},
    {IDS_UX_COLOR_DARK_RED, RGB(128, 0, 0)},
    {IDS_UX_COLOR_ORANGE, RGB(255, 102, 0)},
    {IDS_UX_COLOR_DARK_YELLOW, RGB(128, 128, 0)},
    {IDS_UX_COLOR_GREEN, RGB(0, 128, 0)},
    {IDS_UX_COLOR_TEAL, RGB(0, 128, 128)},
    {IDS_UX_COLOR_BLUE, RGB(0, 0, 255)},
    {IDS_UX_COLOR_BLUE_GRAY, RGB(102, 102, 153)},
    {IDS_UX_COLOR_GRAY50, RGB(128, 128, 128)},
    {IDS_UX_COLOR_RED, RGB(255, 0, 0)},
    {IDS_UX_COLOR_LIGHT_ORANGE, RGB(255, 153, 0)},
    {IDS_UX_COLOR_LIME, RGB(153, 204, 0)},
    {IDS_UX_COLOR_SEA_GREEN, RGB(51, 153, 102)},
    {IDS_UX_COLOR_AQUA, RGB(51, 204, 204)},
    {IDS_UX_COLOR_LIGHT_BLUE, RGB(51, 102, 255)},
    {IDS_UX_COLOR_VIOLET, RGB(128, 0, 128)},
    {IDS_UX_COLOR_GRAY40, RGB(153, 153, 153)},
    {IDS_UX_COLOR_PINK, RGB(255, 0, 255)},
    {IDS_UX_COLOR_GOLD, RGB(255, 204, 0)},
    {IDS_UX_COLOR_YELLOW, RGB(255, 255, 0)},
    {IDS_UX_COLOR_BRIGHT_GREEN, RGB(0, 255, 0)},
    {IDS_UX_COLOR_TURQUOISE, RGB(0, 255, 255)},
    {IDS_UX_COLOR_SKY_BLUE, RGB(0, 204, 255)},
    {IDS_UX_COLOR_PLUM, RGB(153, 51, 102)},
    {IDS_UX_COLOR_GRAY25, RGB(192, 192, 192)},
    {IDS_UX_COLOR_ROSE, RGB(255, 153, 204)},
    {IDS_UX_COLOR_TAN, RGB(255, 204, 153)},
    {IDS_UX_COLOR_LIGHT_YELLOW, RGB(255, 255, 153)},
    {IDS_UX_COLOR_LIGHT_GREEN, RGB(204, 255, 204)},
    {IDS_UX_COLOR_LIGHT_TURQUOISE, RGB(204, 255, 255)},
    {IDS_UX_COLOR_PALE_BLUE, RGB(153, 204, 255)},
    {IDS_UX_COLOR_LAVENDER, RGB(204, 153, 255)},
    {IDS_UX_COLOR_WHITE, RGB(255, 255, 255)},
};

const int kWidth = 158;
const int kHeight = 120;

}   // namespace

// ---- recent colours -------------------------------------------------------------------------------------

std::vector<COLORREF>& CUXColorDropWnd::GetRecentColors()
{
    static std::vector<COLORREF> recent;
    return recent;
}

void CUXColorDropWnd::AddRecentColor(COLORREF color)
{
    std::vector<COLORREF>& recent = GetRecentColors();
    if (recent.size() >= kMaxRecent)
        recent.erase(recent.begin());
    recent.push_back(color);
}

// ---- creation ---------------------------------------------------------------------------------------------

BEGIN_MESSAGE_MAP(CUXColorDropWnd, CWnd)
    ON_WM_CREATE()
    ON_WM_DESTROY()
    ON_WM_PAINT()
    ON_WM_ERASEBKGND()
    ON_WM_NCCALCSIZE()
    ON_WM_NCPAINT()
    ON_WM_MOUSEMOVE()
    ON_WM_LBUTTONDOWN()
    ON_WM_LBUTTONUP()
    ON_WM_KEYDOWN()
    ON_WM_ACTIVATE()
    ON_WM_ACTIVATEAPP()
    ON_WM_KILLFOCUS()
    ON_WM_CAPTURECHANGED()
END_MESSAGE_MAP()

CUXColorDropWnd::CUXColorDropWnd(DWORD, UINT commandId) : m_nCommandId(commandId)
{
}

CUXColorDropWnd::~CUXColorDropWnd() = default;

void CUXColorDropWnd::PostNcDestroy()
{
    if (m_bSelfDelete)
        delete this;
}

void CUXColorDropWnd::AddNotifyWindow(HWND hWnd)
{
    if (hWnd != nullptr)
        m_notify.push_back(hWnd);
}

BOOL CUXColorDropWnd::Create(const RECT& buttonRect, CWnd* pParentWnd, DWORD options, COLORREF current,
                             COLORREF defaultColor)
{
    m_hWndParent = AfxGetSafeHwnd(pParentWnd);
    m_notify.clear();
    AddNotifyWindow(m_hWndParent);
    m_rcButton = buttonRect;
    m_dwOptions = options;
    m_clrCurrent = current;
    m_clrDefault = defaultColor;

    int height = kHeight;
    m_nColors = 16;
    if ((options & kFortyColors) != 0)
    {
        height += 34;
        m_nColors = 40;
    }
    m_nRows = m_nColors / m_nColumns;
    // The last index is the last cell that exists: "More Colors..." after the recent colours, or the grid's
    // last colour when there is no such button.
    m_nLastIndex = m_nColors;
    if ((options & kMoreColors) == 0)
        height -= 28;
    else
    {
        int recent = static_cast<int>(GetRecentColors().size());
        if (recent > 0)
            height += 18 + 8;
        m_nLastIndex += recent + 1;
    }

    LPCSTR cls = AfxRegisterWndClass(CS_DBLCLKS | CS_SAVEBITS | CS_HREDRAW | CS_VREDRAW,
                                     ::LoadCursorA(nullptr, IDC_ARROW), ::GetSysColorBrush(COLOR_BTNFACE));
    if (!CreateEx(0, cls, "", WS_POPUP | WS_BORDER, buttonRect.left, buttonRect.bottom, kWidth, height,
                  AfxGetSafeHwnd(pParentWnd), nullptr))
    {
        if (m_hWnd != nullptr)
            DestroyWindow();
        return FALSE;   // the caller still owns the object
    }
    m_bSelfDelete = TRUE;
    ShowWindow(SW_SHOWNA);
    SetFont(&uxAfxData.m_fontNormal, FALSE);
    // The keys go to the focus: opened by the mouse or by the keyboard, the pop-up takes them.
    SetFocus();
    return TRUE;
}

int CUXColorDropWnd::OnCreate(LPCREATESTRUCT lpCreateStruct)
{
    if (CWnd::OnCreate(lpCreateStruct) == -1)
        return -1;
    if (uxAfxData.m_bFlatLook)
    {
        // A one-pixel frame of our own (non-client painting) in place of the system's.
        ModifyStyle(WS_BORDER | WS_CAPTION | WS_THICKFRAME, 0, SWP_FRAMECHANGED);
        ModifyStyleEx(WS_EX_STATICEDGE | WS_EX_WINDOWEDGE | WS_EX_DLGMODALFRAME, 0, SWP_FRAMECHANGED);
    }
    if (uxAfxData.m_bMenuShadows && m_bShadow)
        new CUXShadow(m_hWnd, FALSE, TRUE);   // the shadow follows the pop-up and goes with it
    SetCapture();
    if (m_tips.Create(this))
        m_tips.Activate(TRUE);
    LayOutCells();
    for (const Cell& cell : m_cells)
        if (m_tips.m_hWnd != nullptr)
        {
            CString tip;
            AfxLoadString(cell.tipId, tip, uxAfxData.m_hResourceModule);
            m_tips.AddTool(this, tip, &cell.rect, static_cast<UINT_PTR>(cell.index + 1));
        }
    if (::IsWindow(m_hWndParent))
        ::SendMessageA(m_hWndParent, UXM_COLOR_OPENED, m_clrCurrent, m_nCommandId);
    return 0;
}

void CUXColorDropWnd::AddCell(const CRect& rect, UINT tipId, DWORD kind, UINT textId, COLORREF color)
{
    Cell cell;
    cell.rect = rect;
    cell.tipId = tipId;
    cell.index = static_cast<int>(m_cells.size());
    cell.kind = kind;
    if (textId != 0)
        AfxLoadString(textId, cell.text, uxAfxData.m_hResourceModule);
    cell.color = color;
    m_cells.push_back(cell);
}

void CUXColorDropWnd::LayOutCells()
{
    m_cells.clear();
    int x = 4;
    int y = 1;
    int edge = 0;
    if (uxAfxData.m_bFlatLook)
    {
        x += ::GetSystemMetrics(SM_CXEDGE);
        y += ::GetSystemMetrics(SM_CYEDGE);
        edge = ::GetSystemMetrics(SM_CXEDGE);
    }
    CRect window;
    GetWindowRect(&window);
    BOOL noFill = (m_dwOptions & kNoFill) != 0;
    AddCell(CRect(x, y, window.Width() - 10 + edge, y + 23),
            noFill ? IDS_UX_COLOR_NO_COLOR : IDS_UX_COLOR_AUTOMATIC_TIP, m_dwOptions,
            noFill ? IDS_UX_COLOR_NO_FILL : IDS_UX_COLOR_AUTOMATIC, m_clrDefault);
    int selected = !noFill && m_clrCurrent == m_clrDefault ? 0 : -1;

    int gridTop = y + ((m_dwOptions & kFortyColors) != 0 ? 27 : 46);
    const NamedColor* colors = m_nColors == 40 ? kForty : kSixteen;
    for (int i = 0; i < m_nColors; ++i)
    {
        CRect rect(x + (i % m_nColumns) * m_cxCell, gridTop + (i / m_nColumns) * m_cyCell, 0, 0);
        rect.right = rect.left + m_cxCell;
        rect.bottom = rect.top + m_cyCell;
        AddCell(rect, colors[i].tipId, kColorCell, 0, colors[i].color);
        if (selected < 0 && colors[i].color == m_clrCurrent)
            selected = static_cast<int>(m_cells.size()) - 1;
    }

    if ((m_dwOptions & kMoreColors) != 0)
    {
        const std::vector<COLORREF>& recent = GetRecentColors();
        int recentTop = gridTop + m_nRows * m_cyCell + 4;
        for (size_t i = 0; i < recent.size(); ++i)
        {
            CRect rect(x + static_cast<int>(i) * m_cxCell, recentTop, 0, 0);
            rect.right = rect.left + m_cxCell;
            rect.bottom = rect.top + m_cyCell;
            AddCell(rect, IDS_UX_COLOR_MORE_TIP, kColorCell, 0, recent[i]);
            if (selected < 0 && recent[i] == m_clrCurrent)
                selected = static_cast<int>(m_cells.size()) - 1;
        }
        int shift = recent.empty() ? 0 : 22;
        BOOL forty = m_nColors == 40;
        CRect more(x - 2, gridTop + (forty ? 94 : 44) + shift, m_cells[0].rect.right + 2,
                   gridTop + (forty ? 51 + 66 : 66) + shift);
        AddCell(more, IDS_UX_COLOR_MORE_TIP, kMoreButton, IDS_UX_COLOR_MORE, m_clrCurrent);
        if (selected < 0 && m_clrCurrent != 0xFFFFFFFF)
            selected = static_cast<int>(m_cells.size()) - 1;
    }
    if (selected >= 0)
        m_cells[static_cast<size_t>(selected)].selected = TRUE;
    m_nCurrent = selected;
}

// ---- cells ------------------------------------------------------------------------------------------------

CUXColorDropWnd::Cell* CUXColorDropWnd::GetCell(int index)
{
    if (index < 0 || index >= static_cast<int>(m_cells.size()))
        return nullptr;
    return &m_cells[static_cast<size_t>(index)];
}

int CUXColorDropWnd::CellFromPoint(CPoint point) const
{
    for (const Cell& cell : m_cells)
        if (cell.rect.PtInRect(point))
            return cell.index;
    return -1;
}

void CUXColorDropWnd::SelectCell(int index)
{
    Cell* cell = GetCell(index);
    if (cell == nullptr)
        return;
    m_nCurrent = index;
    HighlightCell(cell, m_bPressed, TRUE);
}

void CUXColorDropWnd::HighlightCell(Cell*, BOOL pressed, BOOL erase)
{
    m_bPressed = pressed;
    if (erase)
        RedrawCache();
}

void CUXColorDropWnd::RedrawCache()
{
    m_bCacheValid = FALSE;
    if (m_hWnd != nullptr)
        Invalidate(FALSE);
}

void CUXColorDropWnd::DrawCells(CDC* dc)
{
    CRect client;
    GetClientRect(&client);
    dc->FillSolidRect(&client, uxAfxData.m_bFlatLook ? uxAfxData.m_clrWindowFace : uxAfxData.m_clrBtnFace);
    if (m_nColors == 16)
    {
        CFont* oldFont = dc->SelectObject(&uxAfxData.m_fontNormal);
        dc->SetBkMode(TRANSPARENT);
        dc->SetTextColor(uxAfxData.m_clrBtnText);
        CString standard;
        AfxLoadString(IDS_UX_COLOR_STANDARD, standard, uxAfxData.m_hResourceModule);
        dc->TextOut(6, 31, standard);
        dc->SelectObject(oldFont);
    }
    for (Cell& cell : m_cells)
        DrawCell(&cell, dc, cell.index == m_nCurrent);
}

void CUXColorDropWnd::DrawCell(Cell* cell, CDC* dc, BOOL hot)
{
    CRect rect = cell->rect;
    BOOL flat = uxAfxData.m_bFlatLook;
    BOOL pressed = hot && m_bPressed;
    if (flat)
    {
        COLORREF fill = uxAfxData.m_clrWindowFace;
        if (pressed || (hot && cell->selected))
            fill = uxAfxData.m_clrHalfSelection;
        else if (hot)
            fill = uxAfxData.m_clrLightSelection;
        else if (cell->selected)
            fill = uxAfxData.m_clrPaleSelection;
        dc->FillSolidRect(&rect, fill);
        if (hot || cell->selected)
        {
            CBrush frame(uxAfxData.m_clrHilite);
            dc->FrameRect(&rect, &frame);
        }
    }
    else
    {
        if (cell->selected && !hot)
            FillDitheredRect(dc, rect);
        else
            dc->FillSolidRect(&rect, uxAfxData.m_clrBtnFace);
        if (pressed || (cell->selected && !hot))
            dc->Draw3dRect(&rect, uxAfxData.m_clrBtnShadow, uxAfxData.m_clrBtnHilite);
        else if (hot)
            dc->Draw3dRect(&rect, uxAfxData.m_clrBtnHilite, uxAfxData.m_clrBtnShadow);
    }

    if (!cell->text.IsEmpty())
    {
        CFont* oldFont = dc->SelectObject(&uxAfxData.m_fontNormal);
        dc->SetBkMode(TRANSPARENT);
        dc->SetTextColor(pressed && flat ? uxAfxData.m_clrSelectionText : uxAfxData.m_clrBtnText);
        CRect text = rect;
        dc->DrawText(cell->text, &text, DT_CENTER | DT_VCENTER | DT_SINGLELINE);
        dc->SelectObject(oldFont);
    }

    CRect swatch = rect;
    if ((cell->kind & kColorCell) != 0)
        swatch.DeflateRect(3, 3);
    else if (cell->index == 0 && (m_dwOptions & kNoFill) == 0)
    {
        // "Automatic" shows its colour as a small square at the left.
        swatch.DeflateRect(3, 3);
        swatch.right = swatch.left + swatch.Height();
    }
    else
        return;
    dc->Draw3dRect(&swatch, uxAfxData.m_clrBtnShadow, uxAfxData.m_clrBtnHilite);
    swatch.DeflateRect(1, 1);
    dc->FillSolidRect(&swatch, cell->color & 0xFFFFFF);
}

// ---- painting ---------------------------------------------------------------------------------------------

void CUXColorDropWnd::OnPaint()
{
    CPaintDC paint(this);
    CRect client;
    GetClientRect(&client);
    if (m_cache.Prepare(&paint, client.Size()))
        m_bCacheValid = FALSE;
    if (!m_bCacheValid)
    {
        DrawCells(m_cache.GetDC());
        m_bCacheValid = TRUE;
    }
    m_cache.CopyTo(&paint);
}

BOOL CUXColorDropWnd::OnEraseBkgnd(CDC*)
{
    return TRUE;
}

void CUXColorDropWnd::OnNcCalcSize(BOOL bCalcValidRects, NCCALCSIZE_PARAMS* lpncsp)
{
    CWnd::OnNcCalcSize(bCalcValidRects, lpncsp);
    if (uxAfxData.m_bFlatLook)
        ::InflateRect(&lpncsp->rgrc[0], -1, -1);
}

void CUXColorDropWnd::OnNcPaint()
{
    if (!uxAfxData.m_bFlatLook)
    {
        Default();
        return;
    }
    // Joined to the button it drops from (its right edge less one).
    CRect button = m_rcButton;
    button.right -= 1;
    DrawFlatPopupFrame(this, button);
}

// ---- mouse and keyboard -----------------------------------------------------------------------------------

BOOL CUXColorDropWnd::PreTranslateMessage(MSG* pMsg)
{
    if (m_tips.m_hWnd != nullptr && pMsg->message >= WM_MOUSEFIRST && pMsg->message <= WM_MOUSELAST)
        m_tips.RelayEvent(pMsg);
    return CWnd::PreTranslateMessage(pMsg);
}

void CUXColorDropWnd::OnMouseMove(UINT nFlags, CPoint point)
{
    if (m_bDialogRunning || point == m_ptLastMouse)
        return;
    m_ptLastMouse = point;
    CRect client;
    GetClientRect(&client);
    BOOL pressed = (nFlags & MK_LBUTTON) != 0;
    if (client.PtInRect(point))
    {
        m_bMouseInside = TRUE;
        int cell = CellFromPoint(point);
        if (cell >= 0 && (cell != m_nCurrent || pressed != m_bPressed))
        {
            m_bPressed = pressed;
            SelectCell(cell);
        }
    }
    else if (m_nCurrent >= 0 && m_bMouseInside)
    {
        // Leaving takes the highlight off; the mouse still over the button that opened the pop-up does not.
        m_nCurrent = -1;
        RedrawCache();
    }
}

void CUXColorDropWnd::OnLButtonDown(UINT nFlags, CPoint point)
{
    if (m_bDialogRunning)
        return;
    CRect client;
    GetClientRect(&client);
    if (!client.PtInRect(point))
    {
        EndSelection(-1);
        return;
    }
    m_ptLastMouse = CPoint(-1, -1);
    OnMouseMove(nFlags | MK_LBUTTON, point);
}

void CUXColorDropWnd::OnLButtonUp(UINT, CPoint point)
{
    if (m_bDialogRunning)
        return;
    CRect client;
    GetClientRect(&client);
    m_bPressed = FALSE;
    if (client.PtInRect(point))
        EndSelection(CellFromPoint(point) >= 0 ? m_nCurrent : -1);
}

void CUXColorDropWnd::OnKeyDown(UINT nChar, UINT nRepCnt, UINT nFlags)
{
    if (m_bDialogRunning)
        return;
    int n = m_nLastIndex;
    int c = m_nColumns;
    int current = m_nCurrent;
    int next = current;
    switch (nChar)
    {
    case VK_RETURN:
    case VK_SPACE: EndSelection(current); return;
    case VK_ESCAPE: EndSelection(-1); return;
    case VK_LEFT: next = current <= 0 ? n : current - 1; break;
    case VK_RIGHT: next = current < 0 || current >= n ? 0 : current + 1; break;
    case VK_UP:
        if (current >= 1 && current <= c)
            next = 0;
        else if (current > c && current <= n)
            next = current - c;
        else
            next = n;
        break;
    case VK_DOWN:
        if (current >= 0 && current <= (m_nRows - 1) * c)
            next = current + c;
        else if (current >= n || current < 0)
            next = 0;
        else
            next = n;
        break;
    default: CWnd::OnKeyDown(nChar, nRepCnt, nFlags); return;
    }
    SelectCell(next);
}

void CUXColorDropWnd::OnActivate(UINT nState, CWnd* pWndOther, BOOL bMinimized)
{
    CWnd::OnActivate(nState, pWndOther, bMinimized);
    if (nState == WA_INACTIVE && !m_bDialogRunning && !m_bEnded)
    {
        m_bEnded = TRUE;
        PostMessage(WM_CLOSE);
    }
}

void CUXColorDropWnd::OnActivateApp(BOOL bActive, DWORD dwThreadID)
{
    CWnd::OnActivateApp(bActive, dwThreadID);
    if (!bActive && !m_bDialogRunning)
        EndSelection(-1);
}

void CUXColorDropWnd::OnKillFocus(CWnd* pNewWnd)
{
    CWnd::OnKillFocus(pNewWnd);
    if (GetCapture() == this)
        ::ReleaseCapture();
}

void CUXColorDropWnd::OnCaptureChanged(CWnd* pWnd)
{
    CWnd::OnCaptureChanged(pWnd);
    // The pop-up keeps the mouse until it ends.
    if (!m_bDialogRunning && !m_bEnded && ::IsWindowVisible(m_hWnd) && AfxGetSafeHwnd(pWnd) != m_hWnd)
        SetCapture();
}

// ---- ending -----------------------------------------------------------------------------------------------

void CUXColorDropWnd::Notify(UINT message, COLORREF color)
{
    std::vector<HWND> windows = m_notify;   // a notify window may go while it is told
    for (HWND hWnd : windows)
        if (::IsWindow(hWnd))
            ::SendMessageA(hWnd, message, color, m_nCommandId);
}

void CUXColorDropWnd::EndSelection(int index)
{
    if (m_bEnded)
        return;
    Cell* cell = GetCell(index);
    UINT message = UXM_COLOR_CANCELLED;
    COLORREF color = m_clrCurrent;
    if (cell != nullptr && (cell->kind & kMoreButton) != 0)
    {
        m_bDialogRunning = TRUE;
        if (GetCapture() == this)
            ::ReleaseCapture();
        CUXColorDialog dialog(m_clrCurrent, m_clrCurrent, m_dwOptions & kDialogOptions, AfxGetMainWnd());
        INT_PTR result = dialog.DoModal();
        m_bDialogRunning = FALSE;
        if (!::IsWindow(m_hWnd))
            return;   // gone while the dialog ran
        if (result == IDOK)
        {
            color = dialog.GetColor();
            AddRecentColor(color);
            message = color == m_clrCurrent ? UXM_COLOR_SAME : UXM_COLOR_CHOSEN;
        }
    }
    else if (cell != nullptr && index == 0 && (m_dwOptions & kNoFill) != 0)
    {
        message = UXM_COLOR_NO_FILL;
        color = 0xFFFFFFFF;
    }
    else if (cell != nullptr)
    {
        color = cell->color;
        message = color == m_clrCurrent ? UXM_COLOR_SAME : UXM_COLOR_CHOSEN;
    }
    m_bEnded = TRUE;
    if (GetCapture() == this)
        ::ReleaseCapture();
    PostMessage(WM_CLOSE);
    Notify(message, color);
}

void CUXColorDropWnd::OnDestroy()
{
    m_bEnded = TRUE;
    if (GetCapture() == this)
        ::ReleaseCapture();
    if (::IsWindow(m_hWndParent))
        ::SendMessageA(m_hWndParent, UXM_COLOR_CLOSED, m_clrCurrent, m_nCommandId);
    CUXCoolMenu::SetDropDownSide(0, CRect(-1, -1, -1, -1));
    CWnd::OnDestroy();
}
