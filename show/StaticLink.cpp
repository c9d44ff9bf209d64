#include "show/StaticLink.h"

#include "framework/win/Shell.h"

namespace
{

const UINT kHandCursorId = 151;

}   // namespace

IMPLEMENT_DYNAMIC(CStaticLink, CStatic)

const COLORREF CStaticLink::g_colorUnvisited = RGB(0, 0, 255);
const COLORREF CStaticLink::g_colorVisited = RGB(128, 0, 128);

CStaticLink::PFN_MESSAGEBEEP CStaticLink::s_pfnMessageBeep = ::MessageBeep;

BEGIN_MESSAGE_MAP(CStaticLink, CStatic)
    ON_WM_CTLCOLOR_REFLECT()
    ON_WM_LBUTTONDOWN()
    ON_WM_SETCURSOR()
    ON_WM_NCHITTEST()
END_MESSAGE_MAP()

CStaticLink::CStaticLink(LPCSTR lpLink, BOOL bDeleteOnDestroy)
    : m_link(lpLink ? lpLink : ""), m_color(g_colorUnvisited), m_hCursor(nullptr), m_bTransparent(0),
      m_bDeleteOnDestroy(bDeleteOnDestroy), m_hOriginalFont(nullptr), m_hFontWnd(nullptr)
{
}

CStaticLink::~CStaticLink()
{
    // The window may outlive this body by a moment: it must not keep a font that is about to go.
    // A window let go of (unsubclassed) is found by its handle; one drawing with another font by now is
    // left alone.
    if (m_hFontWnd != nullptr && ::IsWindow(m_hFontWnd) &&
        reinterpret_cast<HGDIOBJ>(::SendMessageA(m_hFontWnd, WM_GETFONT, 0, 0)) == m_font.GetSafeHandle())
        ::SendMessageA(m_hFontWnd, WM_SETFONT, reinterpret_cast<WPARAM>(m_hOriginalFont), FALSE);
    m_font.DeleteObject();
}

void CStaticLink::PostNcDestroy()
{
    if (m_bDeleteOnDestroy)
        delete this;
}

LRESULT CStaticLink::OnNcHitTest(CPoint)
{
    // A static without SS_NOTIFY is transparent to the mouse; the link must get its clicks.
    return HTCLIENT;
}

namespace
{

// Statics that show text: icons, bitmaps and frames keep their own colouring and font.
BOOL ShowsText(DWORD style)
{
    DWORD type = style & SS_TYPEMASK;
    return type == SS_LEFT || type == SS_CENTER || type == SS_RIGHT;
}

}   // namespace

void CStaticLink::PreSubclassWindow()
{
    CStatic::PreSubclassWindow();
    // Made once, when the control is attached (created or subclassed): the control selects the font it
    // was given whenever it draws its text.
    if (m_font.GetSafeHandle() != nullptr || !ShowsText(GetStyle()))
        return;
    LOGFONTA lf = {};
    HFONT own = reinterpret_cast<HFONT>(SendMessage(WM_GETFONT));
    HGDIOBJ from = own != nullptr ? static_cast<HGDIOBJ>(own) : ::GetStockObject(DEFAULT_GUI_FONT);
    if (::GetObjectA(from, sizeof(lf), &lf) == 0)
        return;
    lf.lfUnderline = TRUE;
    if (!m_font.CreateFontIndirect(&lf))
        return;
    m_hOriginalFont = own;
    m_hFontWnd = m_hWnd;
    SendMessage(WM_SETFONT, reinterpret_cast<WPARAM>(m_font.GetSafeHandle()), FALSE);
}

HBRUSH CStaticLink::CtlColor(CDC* pDC, UINT)
{
    if (!ShowsText(GetStyle()))
        return nullptr;
    pDC->SetTextColor(m_color);
    pDC->SetBkMode(TRANSPARENT);
    return static_cast<HBRUSH>(::GetStockObject(m_bTransparent ? HOLLOW_BRUSH : WHITE_BRUSH));
}

BOOL CStaticLink::Navigate()
{
    if (m_link.IsEmpty())
        return FALSE;
    HINSTANCE result = AfxShellExecute(nullptr, "open", m_link, nullptr, nullptr, SW_SHOWNORMAL);
    if (reinterpret_cast<INT_PTR>(result) <= 32)
        return FALSE;
    m_color = g_colorVisited;
    Invalidate(TRUE);
    return TRUE;
}

void CStaticLink::OnLButtonDown(UINT, CPoint)
{
    if (Navigate())
        return;
    // The link failed: try the text shown, then the string resource named by the control's id.
    GetWindowText(m_link);
    if (Navigate())
        return;
    CString fromResource;
    if (AfxLoadString(static_cast<UINT>(GetDlgCtrlID()), fromResource))
    {
        m_link = fromResource;
        if (Navigate())
            return;
    }
    s_pfnMessageBeep(0);
}

BOOL CStaticLink::OnSetCursor(CWnd*, UINT, UINT)
{
    HCURSOR hand = ::LoadCursorA(AfxGetResourceHandle(), MAKEINTRESOURCEA(kHandCursorId));
    if (hand == nullptr)
        hand = ::LoadCursorA(nullptr, IDC_HAND);   // a program without the hand resource
    m_hCursor = hand;
    ::SetCursor(hand);
    return TRUE;
}
