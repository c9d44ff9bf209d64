#include "uilib/core/bars/ColorDialog.h"

#include "resources/uilib/UilibResources.h"
#include "uilib/core/dialogs/Button.h"
#include "uilib/core/bars/ColorRef.h"
#include "uilib/core/base/GlobalData.h"
#include "uilib/core/base/MemDC.h"

#include <cstdio>

namespace
{

// ---- the cells' shapes --------------------------------------------------------------------------------

// A hexagon standing on a point, given by the width of each of its rows (centred in the widest). Small cells
// tile: rows 12 apart, every other row 7 to the side, the tips of one row fitting between the next row's.
const int kSmallRows[] = {4, 6, 8, 10, 14, 14, 14, 14, 14, 14, 14, 14, 10, 8, 6, 4};
const int kBigRows[] = {9,  11, 13, 15, 17, 19, 21, 23, 29, 29, 29, 29, 29, 29, 29, 29,
                        29, 29, 29, 29, 29, 29, 29, 23, 21, 19, 17, 15, 13, 11, 9};
const int kSmallWidth = 14;
const int kBigWidth = 29;

struct Shape
{
    const int* rows;
    int height;
    int width;
};

Shape ShapeOf(const CUXColorHoneycomb::Cell& cell)
{
    if (cell.big)
        return {kBigRows, static_cast<int>(sizeof(kBigRows) / sizeof(kBigRows[0])), kBigWidth};
    return {kSmallRows, static_cast<int>(sizeof(kSmallRows) / sizeof(kSmallRows[0])), kSmallWidth};
}

// The honeycomb's rows: top, first x and colours (RRGGBB) of each.
struct HoneycombRow
{
    int y;
    int x;
    const char* colors;
};
const HoneycombRow kHoneycombRows[] = {
    {7, 58, "003366 336699 3366CC 003399 000099 0000CC 000066"},
    {19, 51, "006666 006699 0099CC 0066CC 0033CC 0000FF 3333FF 333399"},
    {31, 44, "008080 009999 33CCCC 00CCFF 0099FF 0066FF 3366FF 3333CC 666699"},
    {43, 37, "339966 00CC99 00FFCC 00FFFF 33CCFF 3399FF 6699FF 6666FF 6600FF 6600CC"},
    {55, 30, "339933 00CC66 00FF99 66FFCC 66FFFF 66CCFF 99CCFF 9999FF 9966FF 9933FF 9900FF"},
    {67, 23, "006600 00CC00 00FF00 66FF99 99FFCC CCFFFF CCECFF CCCCFF CC99FF CC66FF CC00FF 9900CC"},
    {79, 16, "003300 008000 33CC33 66FF66 99FF99 CCFFCC FFFFFF FFCCFF FF99FF FF66FF FF00FF CC00CC 660066"},
    {91, 23, "336600 009900 66FF33 99FF66 CCFF99 FFFFCC FFCCCC FF99CC FF66CC FF33CC CC0099 800080"},
    {103, 30, "333300 669900 99FF33 CCFF66 FFFF99 FFCC99 FF9999 FF6699 FF3399 CC3399 990099"},
    {115, 37, "666633 99CC00 CCFF33 FFFF66 FFCC66 FF9966 FF7C80 FF0066 D60093 993366"},
    {127, 44, "808000 CCCC00 FFFF00 FFCC00 FF9933 FF6600 FF5050 CC0066 660033"},
    {139, 51, "996633 CC9900 FF9900 CC6600 FF3300 FF0000 CC0000 990033"},
    {151, 58, "663300 996600 CC3300 993300 990000 800000 A50021"},
    // the grey scale: eight, then seven small cells
    {176, 51, "F8F8F8 DDDDDD B2B2B2 808080 5F5F5F 333333 1C1C1C 080808"},
    {188, 58, "EAEAEA C0C0C0 969696 777777 4D4D4D 292929 111111"},
};
const int kHoneycombRowCount = 13;

// Light to dark, the two big cells at the ends.
const int kGreyChain[] = {
    CUXColorHoneycomb::kBigWhite, 127, 135, 128, 136, 129, 137, 130, 138, 131, 139, 132, 140, 133, 141, 134,
    CUXColorHoneycomb::kBigBlack};

std::vector<CUXColorHoneycomb::Cell> BuildCells()
{
    std::vector<CUXColorHoneycomb::Cell> cells;
    int rowStart[kHoneycombRowCount + 1] = {};
    for (const HoneycombRow& row : kHoneycombRows)
    {
        if (&row - kHoneycombRows < kHoneycombRowCount + 1)
            rowStart[&row - kHoneycombRows] = static_cast<int>(cells.size());
        int x = row.x;
        for (const char* p = row.colors; *p != 0;)
        {
            unsigned rgb = 0;
            std::sscanf(p, "%6x", &rgb);
            CUXColorHoneycomb::Cell cell;
            cell.x = x;
            cell.y = row.y;
            cell.color = RGB((rgb >> 16) & 0xFF, (rgb >> 8) & 0xFF, rgb & 0xFF);
            cells.push_back(cell);
            x += kSmallWidth;
            p += 6;
            while (*p == ' ')
                ++p;
        }
    }
    CUXColorHoneycomb::Cell white;
    white.x = 16;
    white.y = 176;
    white.big = TRUE;
    white.color = RGB(255, 255, 255);
    cells.push_back(white);
    CUXColorHoneycomb::Cell black = white;
    black.x = 169;
    black.color = RGB(0, 0, 0);
    cells.push_back(black);

    // Neighbours in the honeycomb: the previous and next index; up to the left and down to the right, but
    // only into the row above or below (a cell at a row's end has none there).
    auto rowOf = [&](int index)
    {
        for (int r = 0; r < kHoneycombRowCount; ++r)
            if (index >= rowStart[r] && index < rowStart[r + 1])
                return r;
        return -1;
    };
    auto length = [&](int r) { return rowStart[r + 1] - rowStart[r]; };
    for (int i = 0; i < CUXColorHoneycomb::kHoneycombCells; ++i)
    {
        CUXColorHoneycomb::Cell& cell = cells[static_cast<size_t>(i)];
        int r = rowOf(i);
        cell.next[CUXColorHoneycomb::kLeft] = i - 1;
        cell.next[CUXColorHoneycomb::kRight] =
            i + 1 < CUXColorHoneycomb::kHoneycombCells ? i + 1 : CUXColorHoneycomb::kBigWhite;
        if (r > 0)
        {
            int up = i - (length(r) > length(r - 1) ? length(r) : length(r - 1));
            cell.next[CUXColorHoneycomb::kUp] = rowOf(up) == r - 1 ? up : -1;
        }
        if (r == kHoneycombRowCount - 1)
            cell.next[CUXColorHoneycomb::kDown] = cell.next[CUXColorHoneycomb::kRight];
        else
        {
            int down = i + (length(r) > length(r + 1) ? length(r) : length(r + 1));
            cell.next[CUXColorHoneycomb::kDown] = rowOf(down) == r + 1 ? down : -1;
        }
    }
    cells[119].next[CUXColorHoneycomb::kDown] = CUXColorHoneycomb::kBigWhite;

    const int chainLength = static_cast<int>(sizeof(kGreyChain) / sizeof(kGreyChain[0]));
    for (int k = 0; k < chainLength; ++k)
    {
        CUXColorHoneycomb::Cell& cell = cells[static_cast<size_t>(kGreyChain[k])];
        int previous = k > 0 ? kGreyChain[k - 1] : CUXColorHoneycomb::kHoneycombCells - 1;
        int following = k + 1 < chainLength ? kGreyChain[k + 1] : -1;
        cell.next[CUXColorHoneycomb::kLeft] = cell.next[CUXColorHoneycomb::kUp] = previous;
        cell.next[CUXColorHoneycomb::kRight] = cell.next[CUXColorHoneycomb::kDown] = following;
    }
    return cells;
}

void FillSpan(CDC* dc, int left, int y, int width, COLORREF color)
{
    dc->FillSolidRect(left, y, width, 1, color);
}

CUXColorDialog* SheetOf(CWnd* wnd)
{
    for (CWnd* p = wnd; p != nullptr; p = p->GetParent())
    {
        CUXColorDialog* sheet = dynamic_cast<CUXColorDialog*>(p);
        if (sheet != nullptr)
            return sheet;
        if ((p->GetStyle() & WS_CHILD) == 0)
            break;
    }
    return nullptr;
}

int Clamp255(int value)
{
    return value < 0 ? 0 : (value > 255 ? 255 : value);
}

// A 0..1 value in 255 steps, truncated.
int ToByte(double value)
{
    return Clamp255(static_cast<int>(value * 255));
}

}   // namespace

// ---- CUXColorControl --------------------------------------------------------------------------------------

BEGIN_MESSAGE_MAP(CUXColorControl, CStatic)
    ON_MESSAGE(UXM_FIRSTINIT, OnFirstInit)
    ON_WM_ERASEBKGND()
    ON_WM_GETDLGCODE()
    ON_WM_DESTROY()
END_MESSAGE_MAP()

void CUXColorControl::PreSubclassWindow()
{
    CStatic::PreSubclassWindow();
    if (m_nInitCounter != 0)
        PostMessage(UXM_FIRSTINIT, 0, ++m_nInitCounter);
}

LRESULT CUXColorControl::OnFirstInit(WPARAM, LPARAM lParam)
{
    if (lParam != m_nInitCounter || m_nInitCounter == 0)
        return 0;
    m_nInitCounter = 0;
    ModifyStyle(0, SS_NOTIFY);
    return 0;
}

BOOL CUXColorControl::OnEraseBkgnd(CDC*)
{
    return TRUE;
}

UINT CUXColorControl::OnGetDlgCode()
{
    return DLGC_WANTARROWS | DLGC_WANTCHARS;
}

void CUXColorControl::OnDestroy()
{
    m_nInitCounter = 1;
    CStatic::OnDestroy();
}

void CUXColorControl::TellPage(COLORREF color)
{
    CWnd* page = GetParent();
    if (page != nullptr)
        page->SendMessage(UXM_COLOR_PICKED, color, reinterpret_cast<LPARAM>(m_hWnd));
}

void CUXColorControl::PressOK()
{
    CUXColorDialog* sheet = SheetOf(this);
    if (sheet != nullptr)
        sheet->PressButton(PSBTN_OK);
}

// ---- CUXColorHoneycomb ------------------------------------------------------------------------------------

BEGIN_MESSAGE_MAP(CUXColorHoneycomb, CUXColorControl)
    ON_WM_PAINT()
    ON_WM_LBUTTONDOWN()
    ON_WM_MOUSEMOVE()
    ON_WM_LBUTTONUP()
    ON_WM_LBUTTONDBLCLK()
    ON_WM_KEYDOWN()
END_MESSAGE_MAP()

const std::vector<CUXColorHoneycomb::Cell>& CUXColorHoneycomb::GetCells()
{
    static const std::vector<Cell> cells = BuildCells();
    return cells;
}

BOOL CUXColorHoneycomb::CellContains(const Cell& cell, CPoint point)
{
    Shape shape = ShapeOf(cell);
    int row = point.y - cell.y;
    if (row < 0 || row >= shape.height)
        return FALSE;
    int width = shape.rows[row];
    int left = cell.x + (shape.width - width) / 2;
    return point.x >= left && point.x < left + width;
}

int CUXColorHoneycomb::HitTest(CPoint point)
{
    const std::vector<Cell>& cells = GetCells();
    for (size_t i = 0; i < cells.size(); ++i)
        if (CellContains(cells[i], point))
            return static_cast<int>(i);
    return -1;
}

void CUXColorHoneycomb::SelectColor(COLORREF color)
{
    m_clrSelected = color;
    m_nSelected = -1;
    const std::vector<Cell>& cells = GetCells();
    for (size_t i = 0; i < cells.size(); ++i)
        if (cells[i].color == color)
        {
            m_nSelected = static_cast<int>(i);
            break;
        }
    if (m_hWnd != nullptr)
        Invalidate(FALSE);
}

void CUXColorHoneycomb::SelectCell(int index)
{
    const std::vector<Cell>& cells = GetCells();
    if (index < 0 || index >= static_cast<int>(cells.size()) || index == m_nSelected)
        return;
    m_nSelected = index;
    m_clrSelected = cells[static_cast<size_t>(index)].color;
    TellPage(m_clrSelected);
    if (m_hWnd != nullptr)
        Invalidate(FALSE);
}

void CUXColorHoneycomb::Move(Direction direction)
{
    int from = m_nSelected >= 0 ? m_nSelected : kBigBlack;
    int to = GetCells()[static_cast<size_t>(from)].next[direction];
    if (to >= 0)
        SelectCell(to);
}

void CUXColorHoneycomb::DrawCells(CDC* dc)
{
    for (const Cell& cell : GetCells())
    {
        Shape shape = ShapeOf(cell);
        for (int row = 0; row < shape.height; ++row)
        {
            int width = shape.rows[row];
            FillSpan(dc, cell.x + (shape.width - width) / 2, cell.y + row, width, cell.color);
        }
    }
}

void CUXColorHoneycomb::DrawOutline(CDC* dc, const Cell& cell)
{
    // Two rings inside the cell: its edge in black, the pixels just within in white.
    Shape shape = ShapeOf(cell);
    auto inside = [&](int x, int y) { return CellContains(cell, CPoint(x, y)); };
    auto onEdge = [&](int x, int y)
    { return inside(x, y) && (!inside(x - 1, y) || !inside(x + 1, y) || !inside(x, y - 1) || !inside(x, y + 1)); };
    for (int y = cell.y; y < cell.y + shape.height; ++y)
        for (int x = cell.x; x < cell.x + shape.width; ++x)
        {
            if (onEdge(x, y))
                dc->SetPixelV(x, y, RGB(0, 0, 0));
            else if (inside(x, y) &&
                     (onEdge(x - 1, y) || onEdge(x + 1, y) || onEdge(x, y - 1) || onEdge(x, y + 1)))
                dc->SetPixelV(x, y, RGB(255, 255, 255));
        }
}

void CUXColorHoneycomb::OnPaint()
{
    CPaintDC paint(this);
    CRect client;
    GetClientRect(&client);
    if (m_cache.Prepare(&paint, client.Size()))
    {
        m_cache.GetDC()->FillSolidRect(&client, uxAfxData.m_clrBtnFace);
        DrawCells(m_cache.GetDC());
    }
    CUXMemDC dc(&paint, client);
    m_cache.CopyTo(&dc);
    if (m_nSelected >= 0)
        DrawOutline(&dc, GetCells()[static_cast<size_t>(m_nSelected)]);
}

void CUXColorHoneycomb::OnLButtonDown(UINT, CPoint point)
{
    SetFocus();
    SelectCell(HitTest(point));
    m_bTracking = TRUE;
    SetCapture();
}

void CUXColorHoneycomb::OnMouseMove(UINT, CPoint point)
{
    if (m_bTracking)
        SelectCell(HitTest(point));
}

void CUXColorHoneycomb::OnLButtonUp(UINT, CPoint)
{
    m_bTracking = FALSE;
    if (GetCapture() == this)
        ::ReleaseCapture();
}

void CUXColorHoneycomb::OnLButtonDblClk(UINT, CPoint point)
{
    int cell = HitTest(point);
    if (cell < 0)
        return;
    SelectCell(cell);
    PressOK();
}

void CUXColorHoneycomb::OnKeyDown(UINT nChar, UINT nRepCnt, UINT nFlags)
{
    switch (nChar)
    {
    case VK_RETURN:
    case VK_SPACE: PressOK(); break;
    case VK_LEFT: Move(kLeft); break;
    case VK_UP: Move(kUp); break;
    case VK_RIGHT: Move(kRight); break;
    case VK_DOWN: Move(kDown); break;
    default: CUXColorControl::OnKeyDown(nChar, nRepCnt, nFlags); break;
    }
}

// ---- CUXColorPicker ---------------------------------------------------------------------------------------

int CUXColorPicker::s_nFocusPicker = CUXColorPicker::kNoPicker;

BEGIN_MESSAGE_MAP(CUXColorPicker, CUXColorControl)
    ON_WM_PAINT()
    ON_WM_LBUTTONDOWN()
    ON_WM_MOUSEMOVE()
    ON_WM_LBUTTONUP()
    ON_WM_LBUTTONDBLCLK()
    ON_WM_KEYDOWN()
    ON_WM_SETFOCUS()
    ON_WM_KILLFOCUS()
END_MESSAGE_MAP()

void CUXColorPicker::InvalidatePicture()
{
    m_bPictureValid = FALSE;
    if (m_hWnd != nullptr)
        Invalidate(FALSE);
}

void CUXColorPicker::MoveMarker(CPoint marker)
{
    CRect area = GetMarkerArea();
    if (area.IsRectEmpty())
        return;
    marker.x = marker.x < area.left ? area.left : (marker.x >= area.right ? area.right - 1 : marker.x);
    marker.y = marker.y < area.top ? area.top : (marker.y >= area.bottom ? area.bottom - 1 : marker.y);
    m_marker = marker;
    m_color = ColorAt(marker);
    if (m_hWnd != nullptr)
        Invalidate(FALSE);
}

void CUXColorPicker::Pick(CPoint point)
{
    MoveMarker(point);
    TellPage(m_color);
}

void CUXColorPicker::OnPaint()
{
    CPaintDC paint(this);
    CRect client;
    GetClientRect(&client);
    if (m_cache.Prepare(&paint, client.Size()))
        m_bPictureValid = FALSE;
    if (!m_bPictureValid)
    {
        m_cache.GetDC()->FillSolidRect(&client, uxAfxData.m_clrBtnFace);
        RenderPicture(m_cache.GetDC(), client);
        m_bPictureValid = TRUE;
    }
    CUXMemDC dc(&paint, client);
    m_cache.CopyTo(&dc);
    DrawMarker(&dc, s_nFocusPicker == GetFocusId() && GetFocus() == this);
}

void CUXColorPicker::OnLButtonDown(UINT, CPoint point)
{
    SetCapture();
    SetFocus();
    Pick(point);
}

void CUXColorPicker::OnMouseMove(UINT nFlags, CPoint point)
{
    if ((nFlags & MK_LBUTTON) != 0 && GetCapture() == this)
        Pick(point);
}

void CUXColorPicker::OnLButtonUp(UINT, CPoint)
{
    if (GetCapture() == this)
        ::ReleaseCapture();
}

void CUXColorPicker::OnLButtonDblClk(UINT, CPoint point)
{
    Pick(point);
    PressOK();
}

void CUXColorPicker::OnKeyDown(UINT nChar, UINT nRepCnt, UINT nFlags)
{
    CPoint to = m_marker;
    switch (nChar)
    {
    case VK_RETURN:
    case VK_SPACE: PressOK(); return;
    case VK_LEFT: --to.x; break;
    case VK_RIGHT: ++to.x; break;
    case VK_UP: --to.y; break;
    case VK_DOWN: ++to.y; break;
    default: CUXColorControl::OnKeyDown(nChar, nRepCnt, nFlags); return;
    }
    if (GetMarkerArea().PtInRect(to))
        Pick(to);
}

void CUXColorPicker::OnSetFocus(CWnd* pOldWnd)
{
    CUXColorControl::OnSetFocus(pOldWnd);
    s_nFocusPicker = GetFocusId();
    RepaintMarker();
}

void CUXColorPicker::OnKillFocus(CWnd* pNewWnd)
{
    CUXColorControl::OnKillFocus(pNewWnd);
    if (s_nFocusPicker == GetFocusId())
        s_nFocusPicker = kNoPicker;
    RepaintMarker();
}

void CUXColorPicker::RepaintMarker()
{
    Invalidate(FALSE);
    // A marker near the edge reaches beyond the picture: the page around it is drawn again too.
    CRect client;
    GetClientRect(&client);
    CRect inner = client;
    inner.DeflateRect(10, 10);
    CWnd* page = GetParent();
    if (page != nullptr && !inner.PtInRect(m_marker))
    {
        CRect around = client;
        around.InflateRect(10, 10);
        MapWindowPoints(page, &around);
        page->InvalidateRect(&around);
    }
}

// ---- CUXColorField ----------------------------------------------------------------------------------------

CRect CUXColorField::GetMarkerArea() const
{
    CRect client;
    if (m_hWnd != nullptr)
        GetClientRect(&client);
    return client;
}

int CUXColorField::HueToX(int hue) const
{
    CRect area = GetMarkerArea();
    return area.left + (area.Width() - 1) * Clamp255(hue) / 255;
}

int CUXColorField::SaturationToY(int saturation) const
{
    CRect area = GetMarkerArea();
    return area.bottom - 1 - (area.Height() - 1) * Clamp255(saturation) / 255;
}

COLORREF CUXColorField::ColorAt(CPoint marker) const
{
    CRect area = GetMarkerArea();
    double hue = area.Width() > 1 ? double(marker.x - area.left) / (area.Width() - 1) : 0;
    double saturation = area.Height() > 1 ? double(area.bottom - 1 - marker.y) / (area.Height() - 1) : 0;
    return CUXColorRef::FromHSL(hue, saturation, 0.5);
}

void CUXColorField::SetColor(COLORREF color)
{
    m_color = color;
    CUXColorRef(color).ToHSL(m_hue, m_saturation, m_luminance);
    CRect area = GetMarkerArea();
    m_marker.x = area.left + static_cast<int>(m_hue * (area.Width() - 1) + 0.5);
    m_marker.y = area.bottom - 1 - static_cast<int>(m_saturation * (area.Height() - 1) + 0.5);
    if (m_hWnd != nullptr)
        Invalidate(FALSE);
}

void CUXColorField::RenderPicture(CDC* dc, const CRect& client)
{
    for (int y = client.top; y < client.bottom; ++y)
        for (int x = client.left; x < client.right; ++x)
            dc->SetPixelV(x, y, ColorAt(CPoint(x, y)));
}

void CUXColorField::DrawMarker(CDC* dc, BOOL focused)
{
    // A cross-hair: arms three pixels wide from 5 to 10 pixels away from the point.
    COLORREF color = focused ? RGB(255, 255, 255) : RGB(0, 0, 0);
    int x = m_marker.x;
    int y = m_marker.y;
    dc->FillSolidRect(x - 10, y - 1, 6, 3, color);
    dc->FillSolidRect(x + 5, y - 1, 6, 3, color);
    dc->FillSolidRect(x - 1, y - 10, 3, 6, color);
    dc->FillSolidRect(x - 1, y + 5, 3, 6, color);
}

// ---- CUXLuminanceBar --------------------------------------------------------------------------------------

namespace
{
const int kBarInset = 4;   // the strip starts and ends this far from the top and the bottom
const int kStripWidth = 14;
const int kMarkerLeft = 17;    // the triangle's point
const int kMarkerRight = 26;   // its base
}   // namespace

CRect CUXLuminanceBar::GetMarkerArea() const
{
    CRect client;
    if (m_hWnd != nullptr)
        GetClientRect(&client);
    if (client.Height() <= 2 * kBarInset)
        return CRect();
    return CRect(0, kBarInset, 1, client.bottom - kBarInset);
}

double CUXLuminanceBar::RowLuminance(int y) const
{
    CRect area = GetMarkerArea();
    if (area.Height() <= 1)
        return 0;
    return double(area.bottom - 1 - y) / (area.Height() - 1);
}

int CUXLuminanceBar::LuminanceToY(int luminance) const
{
    CRect area = GetMarkerArea();
    return area.bottom - 1 - (area.Height() - 1) * Clamp255(luminance) / 255;
}

COLORREF CUXLuminanceBar::ColorAt(CPoint marker) const
{
    CRect area = GetMarkerArea();
    // Windows 95 and 98 show the lowest three rows black.
    if ((uxAfxData.m_bWin95 || uxAfxData.m_bWin98) && marker.y >= area.bottom - 3)
        return RGB(0, 0, 0);
    return CUXColorRef::FromHSL(m_hue, m_saturation, RowLuminance(marker.y));
}

void CUXLuminanceBar::SetColor(COLORREF color)
{
    m_color = color;
    CUXColorRef(color).ToHSL(m_hue, m_saturation, m_luminance);
    CRect area = GetMarkerArea();
    m_marker.x = 0;
    m_marker.y = area.bottom - 1 - static_cast<int>(m_luminance * (area.Height() - 1) + 0.5);
    InvalidatePicture();
}

void CUXLuminanceBar::RenderPicture(CDC* dc, const CRect&)
{
    CRect area = GetMarkerArea();
    for (int y = area.top; y < area.bottom; ++y)
        dc->FillSolidRect(0, y, kStripWidth, 1, ColorAt(CPoint(0, y)));
}

void CUXLuminanceBar::DrawMarker(CDC* dc, BOOL focused)
{
    // A triangle pointing left at the row, kept inside the strip's height.
    CRect area = GetMarkerArea();
    int half = (kMarkerRight - kMarkerLeft) / 2 + 1;
    int y = m_marker.y;
    if (y - half < area.top - kBarInset)
        y = area.top - kBarInset + half;
    if (y + half >= area.bottom + kBarInset)
        y = area.bottom + kBarInset - half - 1;
    POINT points[3] = {{kMarkerLeft, y}, {kMarkerRight, y - half}, {kMarkerRight, y + half}};
    CBrush fill(focused ? RGB(0, 0, 0) : uxAfxData.m_clrBtnHilite);
    CPen outline(PS_SOLID, 1, RGB(0, 0, 0));
    CBrush* oldBrush = dc->SelectObject(&fill);
    CPen* oldPen = dc->SelectObject(&outline);
    dc->Polygon(points, 3);
    dc->SelectObject(oldPen);
    dc->SelectObject(oldBrush);
}

// ---- CUXColorPageStandard -----------------------------------------------------------------------------

BEGIN_MESSAGE_MAP(CUXColorPageStandard, CPropertyPage)
    ON_MESSAGE(UXM_COLOR_PICKED, OnColorPicked)
END_MESSAGE_MAP()

CUXColorPageStandard::CUXColorPageStandard(CUXColorDialog* sheet)
    : CPropertyPage(IDD_UX_COLOR_STANDARD), m_pColorSheet(sheet)
{
}

BOOL CUXColorPageStandard::OnInitDialog()
{
    CPropertyPage::OnInitDialog();
    m_honeycomb.SubclassDlgItem(IDC_UX_COLOR_HONEYCOMB, this);
    m_honeycomb.SelectColor(m_pColorSheet->GetColor());
    return TRUE;
}

BOOL CUXColorPageStandard::OnSetActive()
{
    m_honeycomb.SelectColor(m_pColorSheet->GetColor());
    return CPropertyPage::OnSetActive();
}

LRESULT CUXColorPageStandard::OnColorPicked(WPARAM wParam, LPARAM lParam)
{
    COLORREF color = static_cast<COLORREF>(wParam);
    if (lParam == 0)
        m_honeycomb.SelectColor(color);   // from the sheet
    else
        m_pColorSheet->SetNewColor(color, FALSE);
    return 0;
}

// ---- CUXColorPageCustom -------------------------------------------------------------------------------

BEGIN_MESSAGE_MAP(CUXColorPageCustom, CPropertyPage)
    ON_MESSAGE(UXM_COLOR_PICKED, OnColorPicked)
    ON_EN_CHANGE(IDC_UX_COLOR_RED, OnRgbChange)
    ON_EN_CHANGE(IDC_UX_COLOR_GREEN, OnRgbChange)
    ON_EN_CHANGE(IDC_UX_COLOR_BLUE, OnRgbChange)
    ON_EN_CHANGE(IDC_UX_COLOR_HUE, OnHueChange)
    ON_EN_CHANGE(IDC_UX_COLOR_SAT, OnSaturationChange)
    ON_EN_CHANGE(IDC_UX_COLOR_LUM, OnLuminanceChange)
END_MESSAGE_MAP()

CUXColorPageCustom::CUXColorPageCustom(CUXColorDialog* sheet)
    : CPropertyPage(IDD_UX_COLOR_CUSTOM), m_pColorSheet(sheet)
{
}

void CUXColorPageCustom::DoDataExchange(CDataExchange* pDX)
{
    CPropertyPage::DoDataExchange(pDX);
    DDX_Text(pDX, IDC_UX_COLOR_RED, m_nRed);
    DDV_MinMaxInt(pDX, m_nRed, 0, 255);
    DDX_Text(pDX, IDC_UX_COLOR_GREEN, m_nGreen);
    DDV_MinMaxInt(pDX, m_nGreen, 0, 255);
    DDX_Text(pDX, IDC_UX_COLOR_BLUE, m_nBlue);
    DDV_MinMaxInt(pDX, m_nBlue, 0, 255);
    DDX_Text(pDX, IDC_UX_COLOR_HUE, m_nHue);
    DDV_MinMaxInt(pDX, m_nHue, 0, 255);
    DDX_Text(pDX, IDC_UX_COLOR_SAT, m_nSaturation);
    DDV_MinMaxInt(pDX, m_nSaturation, 0, 255);
    DDX_Text(pDX, IDC_UX_COLOR_LUM, m_nLuminance);
    DDV_MinMaxInt(pDX, m_nLuminance, 0, 255);
}

BOOL CUXColorPageCustom::OnInitDialog()
{
    ++m_nUpdating;
    CPropertyPage::OnInitDialog();
    m_field.SubclassDlgItem(IDC_UX_COLOR_FIELD, this);
    m_bar.SubclassDlgItem(IDC_UX_COLOR_LUMINANCE, this);
    const int spins[] = {IDC_UX_COLOR_RED_SPIN, IDC_UX_COLOR_GREEN_SPIN, IDC_UX_COLOR_BLUE_SPIN,
                         IDC_UX_COLOR_HUE_SPIN, IDC_UX_COLOR_SAT_SPIN,   IDC_UX_COLOR_LUM_SPIN};
    for (int id : spins)
        SendDlgItemMessage(id, UDM_SETRANGE32, 0, 255);
    --m_nUpdating;
    return TRUE;
}

BOOL CUXColorPageCustom::OnSetActive()
{
    COLORREF color = m_pColorSheet->GetColor();
    m_field.SetColor(color);
    m_bar.SetColor(color);
    TakeColor(color, 0);
    return CPropertyPage::OnSetActive();
}

void CUXColorPageCustom::TakeColor(COLORREF color, int skipBox)
{
    m_pColorSheet->SetNewColor(color, FALSE);
    double hue = 0;
    double saturation = 0;
    double luminance = 0;
    CUXColorRef(color).ToHSL(hue, saturation, luminance);
    struct
    {
        int id;
        int& member;
        int value;
    } boxes[] = {
        {IDC_UX_COLOR_RED, m_nRed, GetRValue(color)},          {IDC_UX_COLOR_GREEN, m_nGreen, GetGValue(color)},
        {IDC_UX_COLOR_BLUE, m_nBlue, GetBValue(color)},        {IDC_UX_COLOR_HUE, m_nHue, ToByte(hue)},
        {IDC_UX_COLOR_SAT, m_nSaturation, ToByte(saturation)}, {IDC_UX_COLOR_LUM, m_nLuminance, ToByte(luminance)},
    };
    ++m_nUpdating;
    for (auto& box : boxes)
    {
        if (box.id == skipBox)
            continue;
        box.member = box.value;
        if (m_hWnd != nullptr)
            SetDlgItemInt(box.id, static_cast<UINT>(box.value), FALSE);
    }
    --m_nUpdating;
}

LRESULT CUXColorPageCustom::OnColorPicked(WPARAM wParam, LPARAM lParam)
{
    COLORREF color = static_cast<COLORREF>(wParam);
    HWND from = reinterpret_cast<HWND>(lParam);
    if (from != m_field.m_hWnd)
        m_field.SetColor(color);
    if (from != m_bar.m_hWnd)
        m_bar.SetColor(color);
    TakeColor(color, 0);
    return 0;
}

int CUXColorPageCustom::ReadBox(int id) const
{
    BOOL ok = FALSE;
    UINT value = GetDlgItemInt(id, &ok, FALSE);
    return ok && value <= 255 ? static_cast<int>(value) : -1;
}

void CUXColorPageCustom::OnRgbChange()
{
    if (m_nUpdating != 0)
        return;
    int red = ReadBox(IDC_UX_COLOR_RED);
    int green = ReadBox(IDC_UX_COLOR_GREEN);
    int blue = ReadBox(IDC_UX_COLOR_BLUE);
    if (red < 0 || green < 0 || blue < 0)
        return;
    const MSG* msg = GetCurrentMessage();
    int typed = msg != nullptr ? LOWORD(msg->wParam) : 0;
    COLORREF color = RGB(red, green, blue);
    m_field.SetColor(color);
    m_bar.SetColor(color);
    TakeColor(color, typed);
}

void CUXColorPageCustom::TakeFieldColor(int skipBox)
{
    COLORREF color = m_field.GetColor();
    m_bar.SetColor(color);
    TakeColor(color, skipBox);
}

void CUXColorPageCustom::OnHueChange()
{
    int hue = m_nUpdating == 0 ? ReadBox(IDC_UX_COLOR_HUE) : -1;
    if (hue < 0)
        return;
    m_field.MoveMarker(CPoint(m_field.HueToX(hue), m_field.GetMarker().y));
    TakeFieldColor(IDC_UX_COLOR_HUE);
}

void CUXColorPageCustom::OnSaturationChange()
{
    int saturation = m_nUpdating == 0 ? ReadBox(IDC_UX_COLOR_SAT) : -1;
    if (saturation < 0)
        return;
    m_field.MoveMarker(CPoint(m_field.GetMarker().x, m_field.SaturationToY(saturation)));
    TakeFieldColor(IDC_UX_COLOR_SAT);
}

void CUXColorPageCustom::OnLuminanceChange()
{
    int luminance = m_nUpdating == 0 ? ReadBox(IDC_UX_COLOR_LUM) : -1;
    if (luminance < 0)
        return;
    m_bar.MoveMarker(CPoint(0, m_bar.LuminanceToY(luminance)));
    COLORREF color = m_bar.GetColor();
    m_field.SetColor(color);
    TakeColor(color, IDC_UX_COLOR_LUM);
}

// ---- CUXColorDialog -----------------------------------------------------------------------------------

IMPLEMENT_DYNAMIC(CUXColorDialog, CPropertySheet)

BEGIN_MESSAGE_MAP(CUXColorDialog, CPropertySheet)
    ON_WM_CREATE()
    ON_WM_PAINT()
END_MESSAGE_MAP()

CUXColorDialog::CUXColorDialog(COLORREF current, COLORREF newColor, DWORD options, CWnd* pParentWnd)
    : CPropertySheet("Colors", pParentWnd), m_pageStandard(this), m_pageCustom(this), m_clrNew(newColor),
      m_clrCurrent(current), m_dwOptions(options)
{
    m_psh.dwFlags |= PSH_NOAPPLYNOW;
    m_psh.dwFlags &= ~static_cast<DWORD>(PSH_HASHELP);
    AddPage(&m_pageStandard);
    AddPage(&m_pageCustom);
}

CUXColorDialog::~CUXColorDialog() = default;

INT_PTR CUXColorDialog::DoModal()
{
    m_resources.Enter(uxAfxData.m_hResourceModule);
    INT_PTR result = CPropertySheet::DoModal();
    m_resources.Release();
    return result;
}

BOOL CUXColorDialog::Create(CWnd* pParentWnd)
{
    m_resources.Enter(uxAfxData.m_hResourceModule);
    BOOL created = CPropertySheet::Create(pParentWnd);
    m_resources.Release();
    return created;
}

int CUXColorDialog::OnCreate(LPCREATESTRUCT lpCreateStruct)
{
    if (CPropertySheet::OnCreate(lpCreateStruct) == -1)
        return -1;
    if ((m_dwOptions & kHexBox) != 0 &&
        m_editHex.CreateEx(WS_EX_STATICEDGE, "edit", "", WS_CHILD | WS_VISIBLE | ES_READONLY,
                           CRect(243, 170, 317, 188), this, IDC_UX_COLOR_HEX))
        m_editHex.SetFont(&uxAfxData.m_fontNormal);
    m_pageStandard.m_honeycomb.SelectColor(m_clrNew);
    return 0;
}

BOOL CUXColorDialog::OnInitDialog()
{
    BOOL result = CPropertySheet::OnInitDialog();
    SetWindowPos(nullptr, 0, 0, 329, 341, SWP_NOMOVE | SWP_NOZORDER | SWP_NOACTIVATE);
    CWnd* tab = GetTabControl();
    if (tab != nullptr)
        tab->SetWindowPos(nullptr, 0, 0, 226, 280, SWP_NOMOVE | SWP_NOZORDER | SWP_NOACTIVATE);
    const int buttons[] = {IDOK, IDCANCEL};
    for (int i = 0; i < 2; ++i)
    {
        CWnd* button = GetDlgItem(buttons[i]);
        if (button != nullptr)
            button->SetWindowPos(nullptr, 243, 29 + 29 * i, 75, 22, SWP_NOZORDER | SWP_NOACTIVATE);
    }
    SetActivePage(0);
    SetNewColor(m_clrNew, FALSE);
    return result;
}

CRect CUXColorDialog::GetSwatchBlock() const
{
    CRect client;
    GetClientRect(&client);
    return CRect(client.right - 9 - 68, client.bottom - 32 - 66, client.right - 9, client.bottom - 32);
}

CRect CUXColorDialog::GetNewSwatchRect() const
{
    CRect block = GetSwatchBlock();
    block.DeflateRect(1, 1);
    block.bottom = block.top + block.Height() / 2;
    return block;
}

CRect CUXColorDialog::GetCurrentSwatchRect() const
{
    CRect block = GetSwatchBlock();
    block.DeflateRect(1, 1);
    block.top += block.Height() / 2;
    return block;
}

void CUXColorDialog::SetNewColor(COLORREF color, BOOL notifyPages)
{
    m_clrNew = color;
    if (m_hWnd != nullptr && IsWindowVisible())
    {
        CRect swatch = GetNewSwatchRect();
        InvalidateRect(&swatch, FALSE);
    }
    if (m_editHex.m_hWnd != nullptr)
    {
        char text[32];
        std::snprintf(text, sizeof(text), "Hex: %02X%02X%02X", GetRValue(color), GetGValue(color),
                      GetBValue(color));
        m_editHex.SetWindowText(text);
    }
    if (notifyPages)
        for (int i = 0; i < GetPageCount(); ++i)
            if (GetPage(i)->m_hWnd != nullptr)
                GetPage(i)->SendMessage(UXM_COLOR_PICKED, color, 0);
}

void CUXColorDialog::OnPaint()
{
    CPaintDC dc(this);
    CRect block = GetSwatchBlock();
    if ((m_dwOptions & kSwatchFrame) != 0)
    {
        CRect outer = block;
        outer.InflateRect(3, 3);
        dc.Draw3dRect(&outer, uxAfxData.m_clrBtnHilite, uxAfxData.m_clrBtnShadow);
    }
    dc.Draw3dRect(&block, uxAfxData.m_clrBtnShadow, uxAfxData.m_clrBtnHilite);
    dc.FillSolidRect(GetNewSwatchRect(), m_clrNew);
    dc.FillSolidRect(GetCurrentSwatchRect(), m_clrCurrent);

    CString textNew;
    CString textCurrent;
    AfxLoadString(IDS_UX_COLOR_NEW, textNew, uxAfxData.m_hResourceModule);
    AfxLoadString(IDS_UX_COLOR_CURRENT, textCurrent, uxAfxData.m_hResourceModule);
    CFont* oldFont = dc.SelectObject(&uxAfxData.m_fontNormal);
    dc.SetBkMode(TRANSPARENT);
    dc.SetTextColor(uxAfxData.m_clrBtnText);
    CRect above(block.left, block.top - 22, block.right, block.top);
    CRect below(block.left, block.bottom, block.right, block.bottom + 22);
    dc.DrawText(textNew, &above, DT_CENTER | DT_VCENTER | DT_SINGLELINE);
    dc.DrawText(textCurrent, &below, DT_CENTER | DT_VCENTER | DT_SINGLELINE);
    dc.SelectObject(oldFont);
}
