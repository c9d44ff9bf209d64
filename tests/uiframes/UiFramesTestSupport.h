// The fixture of the library frames' tests: an application with its own registry key (cleared before and
// after each test), and an MDI frame whose children each show a view of a document of their own.
#pragma once

#include "UiFramesTestIds.h"
#include "support/win_DibSurface.h"
#include "support/win_SystemInput.h"
#include "support/win_Wait.h"
#include "uilib/UilibTestSupport.h"
#include "uilib/core/bars/ToolBar.h"
#include "uilib/frames/DockBar.h"
#include "uilib/frames/DockWindow.h"
#include "uilib/frames/FrameWindows.h"
#include "uilib/frames/MiniDockFrame.h"

#include <gtest/gtest.h>

#include <cstdint>
#include <functional>
#include <ostream>
#include <vector>

// Rectangles, points and sizes in test messages as numbers (not as the pointers they convert to).
inline void PrintTo(const CRect& r, std::ostream* os)
{
    *os << "(" << r.left << ", " << r.top << ", " << r.right << ", " << r.bottom << ")";
}
inline void PrintTo(const CPoint& p, std::ostream* os)
{
    *os << "(" << p.x << ", " << p.y << ")";
}
inline void PrintTo(const CSize& s, std::ostream* os)
{
    *os << s.cx << " x " << s.cy;
}

inline CRect FtScreenRect(HWND hWnd)
{
    CRect rect;
    ::GetWindowRect(hWnd, &rect);
    return rect;
}

// Whether a docking window's hosted child fills its client area (less its caption band and one pixel on
// every side) and shows while the window shows; the failure says what it covers instead.
inline ::testing::AssertionResult DockingWindowChildFillsClient(const CUXDockWindow& window)
{
    CWnd* pChild = window.GetChild();
    if (window.m_hWnd == nullptr || pChild == nullptr || pChild->m_hWnd == nullptr)
        return ::testing::AssertionSuccess();
    CRect inside;
    window.GetClientRect(&inside);
    CRect caption = window.GetCaptionRect();
    if (!caption.IsRectEmpty())
        (window.GetBarStyle() & CBRS_ORIENT_HORZ ? inside.left : inside.top) =
            window.GetBarStyle() & CBRS_ORIENT_HORZ ? caption.right : caption.bottom;
    inside.DeflateRect(1, 1);
    CRect child;
    pChild->GetWindowRect(&child);
    window.ScreenToClient(&child);
    bool shown = !window.IsWindowVisible() || pChild->IsWindowVisible();
    if (child == inside && shown)
        return ::testing::AssertionSuccess();
    return ::testing::AssertionFailure()
           << AfxGetWindowText(window.m_hWnd).GetString() << "'s child lies at (" << child.left << ", " << child.top
           << ", " << child.right << ", " << child.bottom << ")" << (shown ? "" : " hidden") << " instead of ("
           << inside.left << ", " << inside.top << ", " << inside.right << ", " << inside.bottom << ")";
}

// A document that counts the save questions it is asked (and always agrees to go on).
class CFtDoc : public CDocument
{
public:
    int saveQuestions = 0;
    BOOL SaveModified() override
    {
        ++saveQuestions;
        return TRUE;
    }
};

class CFtView : public CView
{
    DECLARE_DYNCREATE(CFtView)
public:
    void OnDraw(CDC*) override {}
};

// A tool bar of four buttons drawn in memory, that records whether it has floated since it was last asked.
class CFtToolBar : public CUXToolBar
{
public:
    BOOL bFloatedOnTheWay = FALSE;
    BOOL CreateBar(CWnd* pParent, UINT nID, DWORD dwAlign, LPCSTR lpszTitle);

protected:
    void OnBarStyleChange(DWORD dwOldStyle, DWORD dwNewStyle) override
    {
        CUXToolBar::OnBarStyleChange(dwOldStyle, dwNewStyle);
        bFloatedOnTheWay |= (dwNewStyle & CBRS_FLOATING) != 0;
    }
};

// A docking window that may drag live, and that records whether it has floated since it was last asked.
class CFtDockWindow : public CUXDockWindow
{
public:
    BOOL bLive = FALSE;
    BOOL bFloatedOnTheWay = FALSE;
    BOOL OnReBarQuery() override { return bLive; }

protected:
    void OnBarStyleChange(DWORD dwOldStyle, DWORD dwNewStyle) override
    {
        CUXDockWindow::OnBarStyleChange(dwOldStyle, dwNewStyle);
        bFloatedOnTheWay |= (dwNewStyle & CBRS_FLOATING) != 0;
    }
};

// The document area of a frame: a click gives it the focus, as a view takes it.
class CFtPane : public CWnd
{
protected:
    afx_msg void OnLButtonDown(UINT nFlags, CPoint point)
    {
        SetFocus();
        CWnd::OnLButtonDown(nFlags, point);
    }
    DECLARE_MESSAGE_MAP()
};

// A library frame with docking: a tool bar on each side (top, bottom, left, right), two docking windows on the
// left holding a list each, a pane in the middle.
class CFtDockFrame : public CUXFrameWnd
{
public:
    static const UINT kBarIds[4];
    static const UINT kWindowIds[2];
    CFtToolBar m_bars[4];
    CFtDockWindow m_windows[2];
    CListBox m_lists[2];
    CFtPane m_pane;
    int customizeCommands = 0;

    BOOL OnCreateClient(LPCREATESTRUCT lpcs, CCreateContext* pContext) override;

protected:
    afx_msg int OnCreate(LPCREATESTRUCT lpCreateStruct);
    afx_msg void OnCustomize() { ++customizeCommands; }
    DECLARE_MESSAGE_MAP()
};
// (Helpers of the customize dialog's tests.)
// Pumps as a program's loop does (pre-translation included) until the condition holds.
inline bool FtPumpUntil(const std::function<bool()>& condition)
{
    return WaitFor(
        [&]()
        {
            PumpPending();
            return condition();
        });
}

// A point of the window's client area in screen co-ordinates that the other window does not cover.
inline CPoint FtFreePoint(HWND hWnd, HWND hWndCover)
{
    CRect client;
    ::GetClientRect(hWnd, &client);
    ::MapWindowPoints(hWnd, nullptr, reinterpret_cast<POINT*>(&client), 2);
    CRect cover;
    ::GetWindowRect(hWndCover, &cover);
    for (int y = client.top + 5; y < client.bottom; y += 10)
        for (int x = client.left + 5; x < client.right; x += 10)
            if (!cover.PtInRect(CPoint(x, y)))
                return CPoint(x, y);
    return client.CenterPoint();
}

inline void FtClick(CPoint point)
{
    VxInput::MoveTo(point);
    VxInput::Press(point);
    VxInput::Release(point);
}

// Whether every visible window the frame owns (its floating frames, the customize dialog, the library's pop-ups
// and the windows these own) lies above it in the window order, once this thread has answered its messages (the
// frame may be another program's); else the first that lies below it, named.
::testing::AssertionResult FtOwnedPopupsAboveFrame(HWND hFrame);

// The screen's pixels over the rectangle, row by row.
inline std::vector<uint32_t> FtScreenPixels(const CRect& rect)
{
    DibSurface surface(rect.Width(), rect.Height());
    HDC screen = ::GetDC(nullptr);
    ::BitBlt(surface.dc.m_hDC, 0, 0, rect.Width(), rect.Height(), screen, rect.left, rect.top, SRCCOPY);
    ::ReleaseDC(nullptr, screen);
    ::GdiFlush();
    return std::vector<uint32_t>(surface.bits, surface.bits + rect.Width() * rect.Height());
}

class UiFramesProgram : public ::testing::Test
{
protected:
    static constexpr const char* kAppKey = "Software\\VexulTests\\UiFramesTest";
    CWinApp app{"UiFramesTest"};

    void SetUp() override
    {
        app.SetRegistryKey("VexulTests");
        ::RegDeleteTreeA(HKEY_CURRENT_USER, kAppKey);
        // The real cursor stays out of the way until a test moves it.
        ::SetCursorPos(::GetSystemMetrics(SM_CXSCREEN) - 1, ::GetSystemMetrics(SM_CYSCREEN) - 1);
    }
    void TearDown() override
    {
        if (app.m_pMainWnd != nullptr && ::IsWindow(app.m_pMainWnd->m_hWnd))
            app.m_pMainWnd->DestroyWindow();
        app.m_pMainWnd = nullptr;
        PumpPending();
        ::RegDeleteTreeA(HKEY_CURRENT_USER, kAppKey);
    }

    // The frame loaded from its resources and shown as the main window at (0, 0) in the size given; null when
    // it cannot be made.
    template <class TFrame>
    TFrame* ShowMainFrame(TFrame* pFrame, UINT nIDResource, CSize size)
    {
        if (!pFrame->LoadFrame(nIDResource))
            return nullptr;
        app.m_pMainWnd = pFrame;
        pFrame->SetWindowPos(nullptr, 0, 0, size.cx, size.cy, SWP_NOZORDER);
        pFrame->ShowWindow(SW_SHOW);
        pFrame->UpdateWindow();
        return pFrame;
    }

    // An MDI frame as the main window at (0, 0), 700 x 500.
    CMDIFrameWnd* MakeMdiFrame(CMDIFrameWnd* pFrame = nullptr)
    {
        return ShowMainFrame(pFrame != nullptr ? pFrame : new CMDIFrameWnd, IDR_FT_MDI, CSize(700, 500));
    }

    // A child of the MDI frame titled title (empty: untitled) with a view of a new document titled docTitle;
    // the document goes with its view.
    CMDIChildWnd* AddChild(CMDIFrameWnd* pFrame, LPCSTR title, LPCSTR docTitle, CFtDoc** ppDoc = nullptr)
    {
        CFtDoc* pDoc = new CFtDoc;
        pDoc->SetTitle(docTitle);
        CCreateContext context;
        context.m_pNewViewClass = RUNTIME_CLASS(CFtView);
        context.m_pCurrentDoc = pDoc;
        CMDIChildWnd* pChild = new CMDIChildWnd;
        int n = static_cast<int>(children.size());
        if (!pChild->Create(nullptr, title, WS_CHILD | WS_VISIBLE | WS_OVERLAPPEDWINDOW,
                            CRect(20 * n, 20 * n, 20 * n + 240, 20 * n + 160), pFrame, &context))
        {
            delete pDoc;
            return nullptr;
        }
        pChild->InitialUpdateFrame(pDoc, TRUE);
        // The framework titles a child after its document: these tests name their windows themselves.
        pChild->SetWindowText(title);
        children.push_back(pChild);
        if (ppDoc != nullptr)
            *ppDoc = pDoc;
        return pChild;
    }

    // The docking frame as the main window at (0, 0), 700 x 520.
    CFtDockFrame* MakeDockFrame()
    {
        CFtDockFrame* pFrame = new CFtDockFrame;
        if (!pFrame->LoadFrame(IDR_FT_FRAME, WS_OVERLAPPEDWINDOW))
            return nullptr;
        app.m_pMainWnd = pFrame;
        pFrame->SetWindowPos(nullptr, 0, 0, 700, 520, SWP_NOZORDER);
        pFrame->ShowWindow(SW_SHOW);
        pFrame->RecalcLayout();
        pFrame->UpdateWindow();
        PumpPending();
        return pFrame;
    }

    std::vector<CMDIChildWnd*> children;
};
