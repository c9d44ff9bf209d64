#include "uilib/core/bars/ExpMenuWnd.h"

#include "resources/uilib/UilibResources.h"
#include "uilib/core/bars/ColorPopup.h"
#include "uilib/core/base/DropShadow.h"
#include "uilib/core/base/GlobalData.h"
#include "uilib/core/base/LibraryIds.h"

namespace
{
const DWORD kHiddenBarStyle =
    WS_CHILD | WS_VISIBLE | CBRS_ALIGN_TOP | CBRS_TOOLTIPS | CBRS_FLYBY | CBRS_SIZE_DYNAMIC | CBRS_FLOATING;
const DWORD kCustomizeBarStyle =
    WS_CHILD | WS_VISIBLE | CBRS_ALIGN_TOP | CBRS_TOOLTIPS | CBRS_FLYBY | CBRS_SIZE_DYNAMIC;
}   // namespace

// ---- CUXHiddenButtonsToolbar ------------------------------------------------------------------------------

IMPLEMENT_DYNAMIC(CUXHiddenButtonsToolbar, CUXToolBar)

CUXHiddenButtonsToolbar::CUXHiddenButtonsToolbar(CUXExpMenuWnd* pPopup) : m_pPopup(pPopup)
{
    m_bOriginal = FALSE;
    SetBorders(0, 0, 0, 0);
}

COLORREF CUXHiddenButtonsToolbar::GetBackColor() const
{
    return uxAfxData.m_bFlatLook ? uxAfxData.m_clrWindowFace : uxAfxData.m_clrBtnFace;
}

BOOL CUXHiddenButtonsToolbar::CreateColorPopup(CUXToolButtonData* pData, CPoint point, UINT nID)
{
    if (!CUXToolBar::CreateColorPopup(pData, point, nID))
        return FALSE;
    CUXToolBar* owner = m_pPopup->GetOwnerBar();
    if (owner != nullptr && owner->m_hWnd != nullptr)
        static_cast<CUXColorDropWnd*>(m_pColorPopup)->AddNotifyWindow(owner->m_hWnd);
    return TRUE;
}

// ---- CUXHiddenButtonsWndHook ------------------------------------------------------------------------------

LRESULT CUXHiddenButtonsWndHook::HandleMessage(UINT message, WPARAM wParam, LPARAM lParam)
{
    switch (message)
    {
    case WM_NCACTIVATE:
        // The frame keeps its active caption while the pop-up is open.
        return CUXWndHook::HandleMessage(message, TRUE, lParam);
    case WM_COMMAND:
    {
        HWND hidden = m_pPopup->GetHiddenBar().m_hWnd;
        if (hidden != nullptr && ::GetDlgItem(hidden, LOWORD(wParam)) != nullptr)
            break;   // a control on the pop-up's bar talks to the frame as usual
        // The command runs once the pop-up has gone.
        ::PostMessageA(m_hWnd, message, wParam, lParam);
        m_pPopup->Close();
        return 0;
    }
    case UXM_COLOR_CLOSED: m_pPopup->Close(); break;
    default: break;
    }
    return CUXWndHook::HandleMessage(message, wParam, lParam);
}

// ---- CUXExpMenuWnd ----------------------------------------------------------------------------------------

BEGIN_MESSAGE_MAP(CUXExpMenuWnd, CWnd)
    ON_WM_CREATE()
    ON_WM_DESTROY()
    ON_WM_WINDOWPOSCHANGED()
    ON_WM_NCPAINT()
    ON_WM_ERASEBKGND()
    ON_WM_ACTIVATE()
    ON_WM_ACTIVATEAPP()
    ON_WM_CLOSE()
END_MESSAGE_MAP()

CUXExpMenuWnd::CUXExpMenuWnd() : m_hiddenBar(this), m_customizeBar(this), m_hook(this)
{
}

CUXExpMenuWnd::~CUXExpMenuWnd() = default;

void CUXExpMenuWnd::PostNcDestroy()
{
    if (m_bSelfDelete)
        delete this;
}

void CUXExpMenuWnd::Close()
{
    if (!m_bClosing && m_hWnd != nullptr)
    {
        m_bClosing = TRUE;
        PostMessage(WM_CLOSE);
    }
}

BOOL CUXExpMenuWnd::CreatePopup(const CRect& chevron, CUXToolBar* pOwnerBar, HWND hWndNotify, UINT nCloseMessage)
{
    if (pOwnerBar == nullptr || pOwnerBar->m_hWnd == nullptr)
        return FALSE;
    m_pOwnerBar = pOwnerBar;
    m_rcChevron = chevron;
    m_hWndNotify = hWndNotify;
    m_nCloseMessage = nCloseMessage;
    LPCSTR cls =
        AfxRegisterWndClass(CS_DBLCLKS | CS_SAVEBITS | CS_HREDRAW | CS_VREDRAW, ::LoadCursorA(nullptr, IDC_ARROW));
    if (!CreateEx(0, cls, "", WS_POPUP | WS_BORDER, 0, 0, 0, 0, pOwnerBar->m_hWnd, nullptr))
    {
        if (m_hWnd != nullptr)
            DestroyWindow();
        return FALSE;   // the caller still owns the object
    }
    m_bSelfDelete = TRUE;

    // The hidden buttons wrap at six button widths, at most 250 pixels.
    CSize button(LOWORD(pOwnerBar->SendMessage(TB_GETBUTTONSIZE)),
                 HIWORD(pOwnerBar->SendMessage(TB_GETBUTTONSIZE)));
    int wrap = std::min<int>(kWrapButtons * button.cx, kMaxWrapWidth);
    pOwnerBar->CopyHiddenButtons(&m_hiddenBar, wrap);
    CSize size(0, 0);
    if (m_hiddenBar.GetCount() > 0)
        size = m_hiddenBar.CalcDynamicLayout(wrap, LM_HORZ | LM_COMMIT);
    if (m_customizeBar.m_hWnd != nullptr)
    {
        int menu = uxAfxData.m_cyMenu;
        int width = std::max<int>(size.cx, m_customizeBar.CalcDynamicLayout(-1, LM_HORZ).cx);
        m_customizeBar.SetSizes(CSize(width, menu), m_customizeBar.GetImageSize());
        CSize customize = m_customizeBar.CalcDynamicLayout(width, LM_HORZ | LM_COMMIT);
        size.cx = std::max(size.cx, customize.cx);
        size.cy += customize.cy;
    }
    // The frame around the client area.
    CRect frame(0, 0, 100, 100);
    NCCALCSIZE_PARAMS params = {};
    params.rgrc[0] = frame;
    SendMessage(WM_NCCALCSIZE, FALSE, reinterpret_cast<LPARAM>(&params));
    int extraX = 100 - (params.rgrc[0].right - params.rgrc[0].left);
    int extraY = 100 - (params.rgrc[0].bottom - params.rgrc[0].top);
    CFrameWnd* ownerFrame = pOwnerBar->GetParentFrame();
    m_hiddenBar.SetOwner(ownerFrame != nullptr ? static_cast<CWnd*>(ownerFrame) : pOwnerBar->GetOwner());
    m_hiddenBar.SetFont(&uxAfxData.m_fontNormal, FALSE);
    if (m_customizeBar.m_hWnd != nullptr)
        m_customizeBar.SetFont(&uxAfxData.m_fontNormal, FALSE);

    int width = size.cx + extraX + 2;
    int height = size.cy + extraY + 3;
    int x = chevron.right - width - 1;
    int y = chevron.bottom;
    if (pOwnerBar->IsDockedBottom())
        y = chevron.top - height - 2;
    else if (pOwnerBar->IsDockedRight())
    {
        x = chevron.left - width - 1;
        y = chevron.bottom - height - 2;
    }
    else if (pOwnerBar->IsDockedLeft())
    {
        x = chevron.right;
        y = chevron.bottom - height - 2;
    }
    SetWindowPos(nullptr, x, y, width, height, SWP_NOZORDER | SWP_SHOWWINDOW);
    return TRUE;
}

int CUXExpMenuWnd::OnCreate(LPCREATESTRUCT lpCreateStruct)
{
    if (CWnd::OnCreate(lpCreateStruct) == -1)
        return -1;
    CWnd* frame = m_pOwnerBar->GetOwner();
    if (frame == nullptr)
        frame = m_pOwnerBar->GetParent();
    if (frame != nullptr)
        m_hook.AttachWindow(frame->m_hWnd);
    if (uxAfxData.m_bFlatLook)
    {
        ModifyStyle(WS_BORDER | WS_CAPTION | WS_THICKFRAME, 0, SWP_FRAMECHANGED);
        ModifyStyleEx(WS_EX_STATICEDGE | WS_EX_WINDOWEDGE | WS_EX_DLGMODALFRAME, 0, SWP_FRAMECHANGED);
    }
    if (uxAfxData.m_bMenuShadows)
        new CUXShadow(m_hWnd, FALSE, TRUE);   // the shadow follows the pop-up and goes with it

    DWORD ownerStyle = m_pOwnerBar->GetStyle() & (TBSTYLE_FLAT | TBSTYLE_LIST);
    if (!m_hiddenBar.CreateEx(this, ownerStyle, kHiddenBarStyle, CRect(0, 0, 0, 0), AFX_IDW_TOOLBAR))
        return -1;
    m_hiddenBar.SetSizes(m_pOwnerBar->GetButtonSize(), m_pOwnerBar->GetImageSize());
    m_hiddenBar.SendMessage(TB_SETEXTENDEDSTYLE, 0, m_pOwnerBar->SendMessage(TB_GETEXTENDEDSTYLE));
    if (m_pOwnerBar->IsCustomizable())
    {
        DWORD style = kCustomizeBarStyle | (m_pOwnerBar->HasHiddenButtons() ? CBRS_BORDER_TOP : 0);
        if (!m_customizeBar.CreateEx(this, TBSTYLE_FLAT | TBSTYLE_LIST, style, CRect(0, 0, 0, 0),
                                     AFX_IDW_TOOLBAR + 1))
            return -1;
        const UINT ids[] = {ID_UX_CUSTOMIZE};
        m_customizeBar.SetButtons(ids, 1);
        CString text;
        AfxLoadString(IDS_UX_CUSTOMIZE, text, uxAfxData.m_hResourceModule);
        m_customizeBar.SetButtonText(0, text);
        TBBUTTON button = m_customizeBar.GetButton(0);
        button.iBitmap = I_IMAGENONE;
        m_customizeBar.SetButton(0, button);
        m_customizeBar.SetOwner(this);   // its command comes here
    }
    return 0;
}

void CUXExpMenuWnd::LayOutBars()
{
    CRect client;
    GetClientRect(&client);
    int top = 1;
    if (m_hiddenBar.m_hWnd != nullptr)
    {
        CSize size = m_hiddenBar.GetCount() > 0
                         ? m_hiddenBar.CalcDynamicLayout(client.Width() - 2, LM_HORZ | LM_COMMIT)
                         : CSize(0, 0);
        m_hiddenBar.SetWindowPos(nullptr, 1, 1, size.cx, size.cy, SWP_NOZORDER | SWP_NOACTIVATE);
        if (size.cy >= 4)
            top = size.cy + 2;
    }
    if (m_customizeBar.m_hWnd != nullptr)
        m_customizeBar.SetWindowPos(nullptr, 1, top, client.Width() - 2, uxAfxData.m_cyMenu + 2,
                                    SWP_NOZORDER | SWP_NOACTIVATE);
}

void CUXExpMenuWnd::OnWindowPosChanged(WINDOWPOS* lpwndpos)
{
    CWnd::OnWindowPosChanged(lpwndpos);
    LayOutBars();
}

void CUXExpMenuWnd::OnNcPaint()
{
    if (uxAfxData.m_bFlatLook)
        DrawFlatPopupFrame(this, m_rcChevron);
    else
        Default();
}

BOOL CUXExpMenuWnd::OnEraseBkgnd(CDC* pDC)
{
    CRect client;
    GetClientRect(&client);
    pDC->FillSolidRect(&client, m_hiddenBar.GetBackColor());
    return TRUE;
}

void CUXExpMenuWnd::OnActivate(UINT nState, CWnd* pWndOther, BOOL bMinimized)
{
    CWnd::OnActivate(nState, pWndOther, bMinimized);
    // A pop-up of its own (a button's colour pop-up) taking the keyboard leaves it open.
    HWND other = AfxGetSafeHwnd(pWndOther);
    if (nState == WA_INACTIVE && (other == nullptr || ::GetWindow(other, GW_OWNER) != m_hWnd))
        DestroyNow();
}

void CUXExpMenuWnd::OnActivateApp(BOOL bActive, DWORD dwThreadID)
{
    CWnd::OnActivateApp(bActive, dwThreadID);
    if (!bActive)
        DestroyNow();
}

void CUXExpMenuWnd::DestroyNow()
{
    // Destroying the active pop-up deactivates it again: only the first request acts.
    if (m_bDestroying || m_hWnd == nullptr)
        return;
    m_bDestroying = TRUE;
    DestroyWindow();
}

void CUXExpMenuWnd::OnClose()
{
    DestroyNow();
}

BOOL CUXExpMenuWnd::OnCommand(WPARAM wParam, LPARAM lParam)
{
    if (LOWORD(wParam) == ID_UX_CUSTOMIZE)
    {
        if (::IsWindow(m_hWndNotify))
            ::PostMessageA(m_hWndNotify, WM_COMMAND, MAKEWPARAM(ID_UX_CUSTOMIZE, BN_CLICKED), 0);
        DestroyNow();
        return TRUE;
    }
    return CWnd::OnCommand(wParam, lParam);
}

void CUXExpMenuWnd::OnDestroy()
{
    m_bClosing = TRUE;
    m_hook.DetachWindow();
    // The borrowed control windows go back to the bar they came from, hidden until it shows them.
    if (m_hiddenBar.m_hWnd != nullptr && m_pOwnerBar != nullptr && m_pOwnerBar->m_hWnd != nullptr)
    {
        CWnd* chevron = m_pOwnerBar->GetExpandButton();
        for (HWND child = ::GetWindow(m_hiddenBar.m_hWnd, GW_CHILD); child != nullptr;)
        {
            HWND next = ::GetWindow(child, GW_HWNDNEXT);
            char className[32] = {};
            ::GetClassNameA(child, className, sizeof(className));
            if (child != AfxGetSafeHwnd(chevron) && lstrcmpiA(className, TOOLTIPS_CLASSA) != 0)
            {
                ::ShowWindow(child, SW_HIDE);
                ::SetParent(child, m_pOwnerBar->m_hWnd);
            }
            child = next;
        }
        m_pOwnerBar->PositionControls();
    }
    if (::IsWindow(m_hWndNotify) && m_nCloseMessage != 0)
        ::SendMessageA(m_hWndNotify, m_nCloseMessage, 0, reinterpret_cast<LPARAM>(m_hWnd));
    CWnd::OnDestroy();
}
