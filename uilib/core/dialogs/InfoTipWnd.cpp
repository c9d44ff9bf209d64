#include "uilib/core/dialogs/InfoTipWnd.h"

#include "uilib/core/base/GlobalData.h"
#include "uilib/core/base/MemDC.h"

#include <algorithm>

namespace
{

// How much each ring of the soft shadow takes from every colour channel, from the outside in.
const int kRingDarkening[CUXInfoTipWnd::kShadowOffset] = {15, 30, 45, 60, 75};

CSize TextSize(CDC& dc, CFont& font, const CString& text)
{
    CFont* old = dc.SelectObject(&font);
    CSize size = dc.GetTextExtent(text.IsEmpty() ? CString(" ") : text);
    dc.SelectObject(old);
    return size;
}

}   // namespace

BEGIN_MESSAGE_MAP(CUXInfoTipWnd, CWnd)
    ON_WM_PAINT()
    ON_WM_ERASEBKGND()
    ON_WM_TIMER()
    ON_WM_KILLFOCUS()
    ON_WM_LBUTTONDOWN()
    ON_WM_DESTROY()
END_MESSAGE_MAP()

CUXInfoTipWnd::CUXInfoTipWnd()
    : m_clrBackground(::GetSysColor(COLOR_INFOBK)), m_clrText(::GetSysColor(COLOR_INFOTEXT))
{
}

CUXInfoTipWnd::~CUXInfoTipWnd()
{
    if (m_hWnd != nullptr)
        DestroyWindow();
}

void CUXInfoTipWnd::SplitLines()
{
    m_lines.RemoveAll();
    int start = 0;
    for (int at = m_strText.Find('\n'); at >= 0; at = m_strText.Find('\n', start))
    {
        m_lines.Add(m_strText.Mid(start, at - start));
        start = at + 1;
    }
    m_lines.Add(m_strText.Mid(start));
}

int CUXInfoTipWnd::GetLineTop(int index) const
{
    int first = m_nVertMargin + 2 + (m_strTitle.IsEmpty() ? -m_nVertMargin / 2 : m_nTitleSpacing);
    return first + index * m_nFirstLineHeight;
}

BOOL CUXInfoTipWnd::ShowTipWindow(CPoint point, CWnd* owner, int style, int delay, BOOL centre)
{
    SplitLines();
    m_hWndOwner = owner != nullptr ? owner->m_hWnd : nullptr;
    m_nStyle = style;
    m_nDelay = delay;
    if (m_hWnd != nullptr)
        DestroyWindow();

    CClientDC screen(nullptr);
    int width = 0, height = 2 * m_nVertMargin;
    for (int i = 0; i < GetLineCount(); ++i)
    {
        CSize line = TextSize(screen, uxAfxData.m_fontNormal, m_lines[i]);
        if (i == 0)
            m_nFirstLineHeight = line.cy;
        width = std::max(width, static_cast<int>(line.cx));
        height += line.cy;
    }
    if (!m_strTitle.IsEmpty())
    {
        CSize title = TextSize(screen, uxAfxData.m_fontBold, m_strTitle);
        width = std::max(width, static_cast<int>(title.cx));
        height += m_nTitleSpacing + title.cy;
    }
    width += 2 * m_nHorzMargin;
    m_rcWindow = CRect(point, CSize(width, height));
    if (centre)
        m_rcWindow.OffsetRect(-width / 2, 0);

    // Client co-ordinates: the tip, and its shadow 5 pixels right and down.
    m_rcTip = CRect(0, 0, width - kShadowOffset, height - kShadowOffset);
    m_rcShadow = m_rcTip;
    m_rcShadow.OffsetRect(kShadowOffset, kShadowOffset);

    // What the screen shows there now, for the shadow to darken.
    m_beneath.DeleteObject();
    CDC copy;
    if (copy.CreateCompatibleDC(&screen) && m_beneath.CreateCompatibleBitmap(&screen, width, height))
    {
        CBitmap* old = copy.SelectObject(&m_beneath);
        copy.BitBlt(0, 0, width, height, &screen, m_rcWindow.left, m_rcWindow.top, SRCCOPY);
        copy.SelectObject(old);
    }

    LPCSTR className =
        AfxRegisterWndClass(CS_SAVEBITS | CS_CLASSDC | CS_HREDRAW | CS_VREDRAW, ::LoadCursorA(nullptr, IDC_ARROW),
                            reinterpret_cast<HBRUSH>(COLOR_INFOBK + 1));
    if (!CreateEx(WS_EX_TOOLWINDOW, className, "", WS_POPUP, m_rcWindow.left, m_rcWindow.top, width, height,
                  m_hWndOwner, nullptr))
        return FALSE;
    ShowWindow(SW_SHOWNOACTIVATE);
    if (m_nDelay > 0)
        SetTimer(m_nTimerId, static_cast<UINT>(m_nDelay));
    else
        SetCapture();
    return TRUE;
}

BOOL CUXInfoTipWnd::OnEraseBkgnd(CDC*)
{
    return TRUE;
}

void CUXInfoTipWnd::DrawShadow(CDC* dc)
{
    if (m_nStyle & kSoftShadow)
    {
        CRect untouched = m_rcShadow;
        untouched.DeflateRect(kShadowOffset, kShadowOffset);
        for (int y = kShadowOffset; y < m_rcShadow.bottom; ++y)
            for (int x = kShadowOffset; x < m_rcShadow.right; ++x)
            {
                if (untouched.PtInRect(CPoint(x, y)))
                    continue;
                int ring = std::min(std::min(x - m_rcShadow.left, m_rcShadow.right - 1 - x),
                                    std::min(y - m_rcShadow.top, m_rcShadow.bottom - 1 - y));
                int d = kRingDarkening[std::min(std::max(ring, 0), kShadowOffset - 1)];
                COLORREF c = dc->GetPixel(x, y);
                auto down = [d](int channel) { return channel > d ? channel - d : 0; };
                dc->SetPixelV(x, y, RGB(down(GetRValue(c)), down(GetGValue(c)), down(GetBValue(c))));
            }
        return;
    }
    // Dithered: half the pixels go black.
    static const WORD kChecker[8] = {0x55, 0xAA, 0x55, 0xAA, 0x55, 0xAA, 0x55, 0xAA};
    CBitmap pattern;
    if (!pattern.CreateBitmap(8, 8, 1, 1, kChecker))
        return;
    CBrush brush;
    if (!brush.CreatePatternBrush(&pattern))
        return;
    COLORREF oldText = dc->SetTextColor(RGB(255, 255, 255));
    COLORREF oldBack = dc->SetBkColor(RGB(0, 0, 0));
    CBrush* oldBrush = dc->SelectObject(&brush);
    dc->PatBlt(m_rcShadow.left, m_rcShadow.top, m_rcShadow.Width(), m_rcShadow.Height(), 0xA000C9);
    dc->SelectObject(oldBrush);
    dc->SetBkColor(oldBack);
    dc->SetTextColor(oldText);
}

void CUXInfoTipWnd::OnPaint()
{
    CPaintDC paintDC(this);
    CRect client;
    GetClientRect(&client);
    CUXMemDC dc(&paintDC, client, m_clrBackground);
    if (m_beneath.GetSafeHandle() != nullptr)
    {
        CDC copy;
        copy.CreateCompatibleDC(&dc);
        CBitmap* old = copy.SelectObject(&m_beneath);
        dc.BitBlt(0, 0, client.Width(), client.Height(), &copy, 0, 0, SRCCOPY);
        copy.SelectObject(old);
    }
    dc.SetBkMode(TRANSPARENT);
    if (m_nStyle & kShadow)
        DrawShadow(&dc);

    dc.FillSolidRect(&m_rcTip, m_clrBackground);
    dc.Draw3dRect(&m_rcTip, uxAfxData.m_clr3DDkShadow, uxAfxData.m_clr3DDkShadow);
    if (m_nStyle & kInnerFrame)
    {
        CRect inner = m_rcTip;
        inner.DeflateRect(1, 1);
        dc.Draw3dRect(&inner, uxAfxData.m_clrBtnShadow, uxAfxData.m_clrBtnShadow);
    }

    dc.SetTextColor(m_clrText);
    CFont* oldFont = dc.SelectObject(&uxAfxData.m_fontBold);
    if (!m_strTitle.IsEmpty())
        dc.TextOut(m_nHorzMargin, GetTitleTop(), m_strTitle);
    dc.SelectObject(&uxAfxData.m_fontNormal);
    for (int i = 0; i < GetLineCount(); ++i)
        dc.TextOut(m_nHorzMargin, GetLineTop(i), m_lines[i]);
    dc.SelectObject(oldFont);
}

void CUXInfoTipWnd::OnTimer(UINT_PTR nIDEvent)
{
    if (nIDEvent != m_nTimerId)
    {
        CWnd::OnTimer(nIDEvent);
        return;
    }
    KillTimer(m_nTimerId);
    DestroyWindow();
}

void CUXInfoTipWnd::OnKillFocus(CWnd* pNewWnd)
{
    CWnd::OnKillFocus(pNewWnd);
    KillTimer(m_nTimerId);
    DestroyWindow();
}

void CUXInfoTipWnd::OnLButtonDown(UINT nFlags, CPoint point)
{
    if (m_nDelay > 0)
    {
        CWnd::OnLButtonDown(nFlags, point);
        return;
    }
    // The click closes the tip and still reaches the window under the pointer.
    ClientToScreen(&point);
    HWND target = ::WindowFromPoint(point);
    if (target == m_hWnd || ::IsChild(m_hWnd, target))
        target = nullptr;
    DestroyWindow();
    if (target != nullptr)
    {
        ::ScreenToClient(target, &point);
        ::PostMessageA(target, WM_LBUTTONDOWN, nFlags, MAKELPARAM(point.x, point.y));
    }
}

void CUXInfoTipWnd::OnDestroy()
{
    if (::GetCapture() == m_hWnd)
        ::ReleaseCapture();
    CWnd::OnDestroy();
    // What the shadow covered is painted again at once.
    if ((m_nStyle & kShadow) && m_hWndOwner != nullptr && ::IsWindow(m_hWndOwner))
        ::RedrawWindow(m_hWndOwner, nullptr, nullptr,
                       RDW_INVALIDATE | RDW_ERASE | RDW_ALLCHILDREN | RDW_UPDATENOW);
}
