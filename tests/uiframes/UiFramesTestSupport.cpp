#include "UiFramesTestSupport.h"

#include "uilib/core/base/LibraryIds.h"

IMPLEMENT_DYNCREATE(CFtView, CView)

BEGIN_MESSAGE_MAP(CFtPane, CWnd)
    ON_WM_LBUTTONDOWN()
END_MESSAGE_MAP()

namespace
{
// Four 16 x 15 images side by side, each a square of its own colour.
HBITMAP MakeButtonImages()
{
    const COLORREF colors[4] = {RGB(200, 0, 0), RGB(0, 160, 0), RGB(0, 0, 200), RGB(200, 160, 0)};
    HDC screen = ::GetDC(nullptr);
    HBITMAP bitmap = ::CreateCompatibleBitmap(screen, 64, 15);
    HDC dc = ::CreateCompatibleDC(screen);
    HGDIOBJ old = ::SelectObject(dc, bitmap);
    RECT all = {0, 0, 64, 15};
    ::FillRect(dc, &all, static_cast<HBRUSH>(::GetStockObject(LTGRAY_BRUSH)));
    for (int i = 0; i < 4; ++i)
    {
        HBRUSH brush = ::CreateSolidBrush(colors[i]);
        RECT square = {16 * i + 3, 3, 16 * i + 13, 12};
        ::FillRect(dc, &square, brush);
        ::DeleteObject(brush);
    }
    ::SelectObject(dc, old);
    ::DeleteDC(dc);
    ::ReleaseDC(nullptr, screen);
    return bitmap;
}

// The first visible window that the frame owns (directly or through another) lying below it; null when none.
HWND FirstOwnedBelow(HWND hFrame)
{
    bool below = false;
    for (HWND hWnd = ::GetWindow(hFrame, GW_HWNDFIRST); hWnd != nullptr; hWnd = ::GetWindow(hWnd, GW_HWNDNEXT))
    {
        below |= hWnd == hFrame;
        if (!below || !::IsWindowVisible(hWnd))
            continue;
        for (HWND hOwner = ::GetWindow(hWnd, GW_OWNER); hOwner != nullptr; hOwner = ::GetWindow(hOwner, GW_OWNER))
            if (hOwner == hFrame)
                return hWnd;
    }
    return nullptr;
}
}   // namespace

::testing::AssertionResult FtOwnedPopupsAboveFrame(HWND hFrame)
{
    HWND hBelow = nullptr;
    if (FtPumpUntil([&]() { return (hBelow = FirstOwnedBelow(hFrame)) == nullptr; }))
        return ::testing::AssertionSuccess();
    char title[128] = {}, name[64] = {};
    ::GetWindowTextA(hBelow, title, sizeof(title));
    ::GetClassNameA(hBelow, name, sizeof(name));
    return ::testing::AssertionFailure() << "\"" << title << "\" (" << name << ") lies below its frame";
}

BOOL CFtToolBar::CreateBar(CWnd* pParent, UINT nID, DWORD dwAlign, LPCSTR lpszTitle)
{
    if (!CreateEx(pParent, TBSTYLE_FLAT, WS_CHILD | WS_VISIBLE | CBRS_GRIPPER | CBRS_SIZE_DYNAMIC | dwAlign,
                  CRect(0, 0, 0, 0), nID))
        return FALSE;
    const UINT ids[4] = {nID * 10 + 1, nID * 10 + 2, nID * 10 + 3, nID * 10 + 4};
    SetSizes(CSize(23, 22), CSize(16, 15));
    CBitmap images;
    images.Attach(MakeButtonImages());
    if (!SetButtons(ids, 4) || !SetBitmap(images))
        return FALSE;
    SetWindowText(lpszTitle);
    EnableDocking(CBRS_ALIGN_ANY);
    return TRUE;
}

const UINT CFtDockFrame::kBarIds[4] = {0xE810, 0xE811, 0xE812, 0xE813};
const UINT CFtDockFrame::kWindowIds[2] = {0xE830, 0xE831};

BEGIN_MESSAGE_MAP(CFtDockFrame, CUXFrameWnd)
    ON_WM_CREATE()
    ON_COMMAND(ID_UX_CUSTOMIZE, OnCustomize)
END_MESSAGE_MAP()

BOOL CFtDockFrame::OnCreateClient(LPCREATESTRUCT, CCreateContext*)
{
    return m_pane.CreateEx(WS_EX_CLIENTEDGE, AfxRegisterWndClass(0), "pane", WS_CHILD | WS_VISIBLE,
                           CRect(0, 0, 0, 0), this, AFX_IDW_PANE_FIRST);
}

int CFtDockFrame::OnCreate(LPCREATESTRUCT lpCreateStruct)
{
    if (CUXFrameWnd::OnCreate(lpCreateStruct) == -1)
        return -1;
    const DWORD aligns[4] = {CBRS_ALIGN_TOP, CBRS_ALIGN_BOTTOM, CBRS_ALIGN_LEFT, CBRS_ALIGN_RIGHT};
    const char* titles[4] = {"Top", "Bottom", "Left", "Right"};
    for (int i = 0; i < 4; ++i)
    {
        if (!m_bars[i].CreateBar(this, kBarIds[i], aligns[i], titles[i]))
            return -1;
    }
    const char* windowTitles[2] = {"Files", "Output"};
    for (int i = 0; i < 2; ++i)
    {
        if (!m_windows[i].Create(this, windowTitles[i], kWindowIds[i]) ||
            !m_lists[i].Create(WS_CHILD | WS_VISIBLE | WS_VSCROLL | LBS_NOINTEGRALHEIGHT, CRect(0, 0, 0, 0),
                               &m_windows[i], 1))
            return -1;
        m_windows[i].SetChild(&m_lists[i]);
        m_windows[i].SetDockedSize(CUXDockWindow::kLeft, CSize(150, 120));
        m_windows[i].EnableDocking(CBRS_ALIGN_ANY);
    }
    UXEnableDocking(this, CBRS_ALIGN_ANY);
    const UINT sides[4] = {AFX_IDW_DOCKBAR_TOP, AFX_IDW_DOCKBAR_BOTTOM, AFX_IDW_DOCKBAR_LEFT,
                           AFX_IDW_DOCKBAR_RIGHT};
    for (int i = 0; i < 4; ++i)
        DockControlBar(&m_bars[i], sides[i]);
    // The docking windows share a column on the left, beside the left tool bar's column.
    DockControlBar(&m_windows[0], AFX_IDW_DOCKBAR_LEFT);
    CRect first;
    m_windows[0].GetWindowRect(&first);
    CRect below(first.left, first.bottom + 10, first.right, first.bottom + 40);
    DockControlBar(&m_windows[1], AFX_IDW_DOCKBAR_LEFT, &below);
    return 0;
}
