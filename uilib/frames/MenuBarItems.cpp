// The items of the menu bar: icon, text and MDI button items, their sizes and drawing.
#include "uilib/frames/MenuBar.h"

#include "uilib/core/base/DropShadow.h"
#include "uilib/core/base/GlobalData.h"
#include "uilib/frames/MenuBarInternal.h"

#include <algorithm>

using namespace MenuBarInternal;

namespace
{
// Text items are this much wider and taller than their text.
const int kTextMarginX = 14;
const int kTextMarginY = 2;
// Entry texts are cut to this length.
const int kMaxEntryText = 63;

// The character after the mnemonic marker ("&&" is a literal), or 0.
int MnemonicIndex(const CString& text)
{
    for (int i = 0; i + 1 < text.GetLength(); ++i)
    {
        if (text[i] != '&')
            continue;
        if (text[i + 1] != '&')
            return i + 1;
        ++i;
    }
    return -1;
}

HICON ChildIcon(HWND hWndChild)
{
    HICON icon = reinterpret_cast<HICON>(::SendMessageA(hWndChild, WM_GETICON, ICON_SMALL, 0));
    if (icon == nullptr)
        icon = reinterpret_cast<HICON>(::GetClassLongPtrA(hWndChild, GCLP_HICONSM));
    if (icon == nullptr)
        icon = reinterpret_cast<HICON>(::GetClassLongPtrA(hWndChild, GCLP_HICON));
    if (icon == nullptr)
        icon = ::LoadIconA(nullptr, IDI_WINLOGO);
    return icon;
}

}   // namespace

// ---- items -----------------------------------------------------------------------------------------------

IMPLEMENT_DYNAMIC(CUXMenuBarItem, CObject)
IMPLEMENT_DYNAMIC(CUXMenuBarIconItem, CUXMenuBarItem)
IMPLEMENT_DYNAMIC(CUXMenuBarTextItem, CUXMenuBarItem)
IMPLEMENT_DYNAMIC(CUXMenuBarMDIButton, CUXMenuBarItem)

BOOL CUXMenuBarItem::GetMnemonic(char&) const
{
    return FALSE;
}

BOOL CUXMenuBarIconItem::IsHidden() const
{
    return !m_pBar->IsChildMaximized() || !m_pBar->ShowsMDIButtons();
}

CSize CUXMenuBarIconItem::GetSize() const
{
    if (uxAfxData.m_bFlatLook)
        return CSize(16, 15);
    return CSize(::GetSystemMetrics(SM_CXSMICON), ::GetSystemMetrics(SM_CYSMICON) - 1);
}

void CUXMenuBarIconItem::Draw(CDC* pDC)
{
    HWND child = m_pBar->GetActiveMDIChild();
    if (child == nullptr)
        return;
    CRect rect = GetRect();
    int cx = ::GetSystemMetrics(SM_CXSMICON);
    int cy = ::GetSystemMetrics(SM_CYSMICON);
    ::DrawIconEx(pDC->GetSafeHdc(), rect.left + (rect.Width() - cx) / 2, rect.top + (rect.Height() - cy) / 2,
                 ChildIcon(child), cx, cy, 0, nullptr, DI_NORMAL);
}

void CUXMenuBarIconItem::Track()
{
    m_pBar->TrackIconItem(this);
}

void CUXMenuBarIconItem::OnDblClick()
{
    if (HWND child = m_pBar->GetActiveMDIChild())
        ::PostMessageA(child, WM_SYSCOMMAND, SC_CLOSE, 0);
}

CUXMenuBarTextItem::CUXMenuBarTextItem(CUXMenuBar* pBar, const CString& text, int position)
    : CUXMenuBarItem(pBar), m_strText(text.Left(kMaxEntryText)), m_nPosition(position)
{
    CWindowDC dc(nullptr);
    CFont* old = dc.SelectObject(&uxAfxData.m_fontNormal);
    CString shown = m_strText;
    shown.Replace("&&", "\x01");
    shown.Replace("&", "");
    shown.Replace("\x01", "&");
    CSize extent = dc.GetTextExtent(shown);
    dc.SelectObject(old);
    m_size = CSize(extent.cx + kTextMarginX, extent.cy + kTextMarginY);
}

BOOL CUXMenuBarTextItem::GetMnemonic(char& mnemonic) const
{
    int index = MnemonicIndex(m_strText);
    if (index < 0)
        return FALSE;
    mnemonic = CString::ToUpper1252(m_strText[index]);
    return TRUE;
}

CSize CUXMenuBarTextItem::GetSize() const
{
    return m_pBar->IsVerticalLayout() ? CSize(m_size.cy, m_size.cx) : m_size;
}

void CUXMenuBarTextItem::Track()
{
    m_pBar->TrackTextItem(this);
}

void CUXMenuBarTextItem::Draw(CDC* pDC)
{
    CRect rect = GetRect();
    BOOL open = m_pBar->IsTrackedItem(this) && m_pBar->IsPopupOpen();
    BOOL hot = m_pBar->IsHotItem(this) && !open;
    BOOL active = m_pBar->IsFrameActive();
    CPoint shift(0, 0);
    if (uxAfxData.m_bFlatLook)
    {
        if (open)
        {
            // Joined to the open pop-up: the edge that touches it takes the pop-up's colour.
            COLORREF popup = uxAfxData.m_clrWindowFace;
            pDC->FillSolidRect(&rect, popup);
            pDC->Draw3dRect(&rect, uxAfxData.m_clrDarkShadow, uxAfxData.m_clrDarkShadow);
            CRect edge = rect;
            switch (m_pBar->GetPopupSide())
            {
            case CBRS_ALIGN_BOTTOM: edge.bottom = edge.top + 1; break;
            case CBRS_ALIGN_LEFT: edge.left = edge.right - 1; break;
            case CBRS_ALIGN_RIGHT: edge.right = edge.left + 1; break;
            default: edge.top = edge.bottom - 1; break;
            }
            edge.DeflateRect(m_pBar->IsVerticalLayout() ? 0 : 1, m_pBar->IsVerticalLayout() ? 1 : 0);
            pDC->FillSolidRect(&edge, popup);
        }
        else if (hot && active)
        {
            pDC->FillSolidRect(&rect, uxAfxData.m_clrLightSelection);
            pDC->Draw3dRect(&rect, uxAfxData.m_clrHilite, uxAfxData.m_clrHilite);
        }
    }
    else if (open)
    {
        pDC->Draw3dRect(&rect, uxAfxData.m_clrBtnShadow, uxAfxData.m_clrBtnHilite);
        shift = CPoint(1, 1);
    }
    else if (hot)
        pDC->Draw3dRect(&rect, uxAfxData.m_clrBtnHilite, uxAfxData.m_clrBtnShadow);

    pDC->SetBkMode(TRANSPARENT);
    pDC->SetTextColor(active ? uxAfxData.m_clrMenuText : uxAfxData.m_clrGrayText);
    BOOL mnemonics = m_pBar->ShowsMnemonics();
    CRect text = rect;
    text.OffsetRect(shift);
    if (!m_pBar->IsVerticalLayout())
    {
        CFont* old = pDC->SelectObject(&uxAfxData.m_fontNormal);
        pDC->DrawText(m_strText, &text, DT_SINGLELINE | DT_CENTER | DT_VCENTER | (mnemonics ? 0 : DT_HIDEPREFIX));
        pDC->SelectObject(old);
    }
    else
    {
        // Turned text reads upwards from the bottom; the mnemonic is underlined by hand.
        CString shown = m_strText;
        int mnemonic = MnemonicIndex(shown);
        CString before = mnemonic >= 0 ? CommandName(shown.Left(mnemonic - 1)) : CString();
        shown = CommandName(shown);
        CFont* old = pDC->SelectObject(&uxAfxData.m_fontNormal);
        CSize extent = pDC->GetTextExtent(shown);
        CSize prefix = pDC->GetTextExtent(before);
        CSize letter = mnemonic >= 0 ? pDC->GetTextExtent(m_strText.Mid(mnemonic, 1)) : CSize(0, 0);
        pDC->SelectObject(&uxAfxData.m_fontVert);
        int x = text.left + (text.Width() - extent.cy) / 2;
        int y = text.bottom - (text.Height() - extent.cx) / 2;
        pDC->TextOut(x, y, shown);
        pDC->SelectObject(old);
        if (mnemonics && mnemonic >= 0)
        {
            TEXTMETRICA metrics = {};
            ::GetTextMetricsA(pDC->GetSafeHdc(), &metrics);
            pDC->FillSolidRect(x + metrics.tmAscent + 1, y - prefix.cx - letter.cx, 1, letter.cx,
                               active ? uxAfxData.m_clrMenuText : uxAfxData.m_clrGrayText);
        }
    }
    if (open && uxAfxData.m_bFlatLook && uxAfxData.m_bMenuShadows)
        DrawDropShadow(pDC, rect.left, rect.top, rect.right + kShadow, rect.bottom + kShadow, 100);
}

CUXMenuBarMDIButton::CUXMenuBarMDIButton(CUXMenuBar* pBar, Kind kind, UINT command, int gap, UINT tipId)
    : CUXMenuBarItem(pBar), m_kind(kind), m_nCommand(command), m_nGap(gap), m_nTipId(tipId)
{
}

BOOL CUXMenuBarMDIButton::IsHidden() const
{
    return !m_pBar->IsChildMaximized() || !m_pBar->ShowsMDIButtons();
}

CSize CUXMenuBarMDIButton::GetSize() const
{
    int cy = std::min(::GetSystemMetrics(SM_CYMENUSIZE), uxAfxData.m_cyMenu) - 2;
    return CSize(::GetSystemMetrics(SM_CXMENUSIZE), std::max(cy, 8));
}

BOOL CUXMenuBarMDIButton::IsAvailable() const
{
    HWND child = m_pBar->GetActiveMDIChild();
    if (child == nullptr)
        return FALSE;
    LONG style = ::GetWindowLongA(child, GWL_STYLE);
    switch (m_kind)
    {
    case kMinimize: return (style & WS_MINIMIZEBOX) != 0;
    case kRestore: return (style & WS_MAXIMIZEBOX) != 0;
    default: return TRUE;
    }
}

void CUXMenuBarMDIButton::Draw(CDC* pDC)
{
    HWND child = m_pBar->GetActiveMDIChild();
    if (child == nullptr)
        return;
    LONG style = ::GetWindowLongA(child, GWL_STYLE);
    // A button whose command the child lacks is drawn disabled when the child has the other box, else not
    // at all.
    UINT state = 0;
    if (m_kind == kMinimize || m_kind == kRestore)
    {
        LONG own = m_kind == kMinimize ? WS_MINIMIZEBOX : WS_MAXIMIZEBOX;
        LONG other = m_kind == kMinimize ? WS_MAXIMIZEBOX : WS_MINIMIZEBOX;
        if (!(style & own))
        {
            if (!(style & other))
                return;
            state |= DFCS_INACTIVE;
        }
    }
    if (m_pBar->IsPressedButton(this))
        state |= DFCS_PUSHED;
    CRect rect = GetRect();
    if (uxAfxData.m_bFlatLook && m_pBar->DrawFlatButton(pDC, this, rect, state))
        return;
    UINT kind =
        m_kind == kMinimize ? DFCS_CAPTIONMIN : (m_kind == kRestore ? DFCS_CAPTIONRESTORE : DFCS_CAPTIONCLOSE);
    pDC->DrawFrameControl(&rect, DFC_CAPTION, kind | state);
}
