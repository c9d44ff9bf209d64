// Windows and message maps: chained dispatch, creation hook, subclassing, reflection, pre-translation,
// the end of a window's object.
#include "framework/win/Framework.h"

#include <gtest/gtest.h>

#include <cstring>
#include <string>
#include <vector>

namespace
{

const UINT WM_TEST_A = WM_USER + 1;
const UINT WM_TEST_B = WM_USER + 2;
const UINT WM_TEST_C = WM_USER + 3;

// A top-level window of ours for the tests; destroyed with the object.
RECT TestRect()
{
    return RECT{10, 10, 310, 210};
}

class CBaseTestWnd : public CWnd
{
public:
    std::vector<std::string> calls;
    CPoint lastPoint;
    bool createSawHandle = false;

    BOOL CreateTop() { return CreateEx(0, nullptr, "test", WS_OVERLAPPEDWINDOW, TestRect(), nullptr, 0); }

    afx_msg LRESULT OnTestA(WPARAM w, LPARAM)
    {
        calls.push_back("base A");
        return static_cast<LRESULT>(w) + 1;
    }
    afx_msg LRESULT OnTestB(WPARAM, LPARAM)
    {
        calls.push_back("base B");
        return 20;
    }
    afx_msg int OnCreate(LPCREATESTRUCT cs)
    {
        createSawHandle = m_hWnd != nullptr && CWnd::FromHandlePermanent(m_hWnd) == this;
        calls.push_back("create");
        return CWnd::OnCreate(cs);
    }
    afx_msg void OnLButtonDown(UINT, CPoint point)
    {
        lastPoint = point;
        calls.push_back("base lbutton");
    }
    DECLARE_MESSAGE_MAP()
};

BEGIN_MESSAGE_MAP(CBaseTestWnd, CWnd)
    ON_MESSAGE(WM_TEST_A, OnTestA)
    ON_MESSAGE(WM_TEST_B, OnTestB)
    ON_WM_CREATE()
    ON_WM_LBUTTONDOWN()
END_MESSAGE_MAP()

UINT g_registered = 0;

class CDerivedTestWnd : public CBaseTestWnd
{
public:
    afx_msg LRESULT OnTestA(WPARAM w, LPARAM)
    {
        calls.push_back("derived A");
        return static_cast<LRESULT>(w) + 100;
    }
    afx_msg LRESULT OnRegistered(WPARAM, LPARAM l)
    {
        calls.push_back("registered");
        return l * 2;
    }
    afx_msg void OnCommand300() { calls.push_back("command 300"); }
    afx_msg void OnRange(UINT id) { calls.push_back("range " + std::to_string(id)); }
    DECLARE_MESSAGE_MAP()
};

BEGIN_MESSAGE_MAP(CDerivedTestWnd, CBaseTestWnd)
    ON_MESSAGE(WM_TEST_A, OnTestA)
    ON_REGISTERED_MESSAGE(g_registered, OnRegistered)
    ON_COMMAND(300, OnCommand300)
    ON_COMMAND_RANGE(310, 319, OnRange)
END_MESSAGE_MAP()

TEST(MessageMap, DerivedEntryOverridesAndBaseEntriesStillServe)
{
    g_registered = ::RegisterWindowMessageA("Vexul-Test-Registered");
    CDerivedTestWnd wnd;
    ASSERT_TRUE(wnd.CreateTop());

    EXPECT_EQ(105, wnd.SendMessage(WM_TEST_A, 5));   // the derived handler, not the base one
    EXPECT_EQ(20, wnd.SendMessage(WM_TEST_B));       // found through the chain
    EXPECT_EQ(0, wnd.SendMessage(WM_TEST_C));        // nobody: the default procedure
    EXPECT_EQ(14, wnd.SendMessage(g_registered, 0, 7));
    wnd.SendMessage(WM_COMMAND, MAKEWPARAM(300, 0), 0);
    wnd.SendMessage(WM_COMMAND, MAKEWPARAM(312, 0), 0);
    wnd.SendMessage(WM_COMMAND, MAKEWPARAM(320, 0), 0);   // outside the range

    std::vector<std::string> expected = {"create",     "derived A",   "base B",
                                         "registered", "command 300", "range 312"};
    EXPECT_EQ(expected, wnd.calls);

    // The same message to an object of the base class finds the base's handler (lookups are per class).
    CBaseTestWnd base;
    ASSERT_TRUE(base.CreateTop());
    EXPECT_EQ(6, base.SendMessage(WM_TEST_A, 5));
    EXPECT_EQ(105, wnd.SendMessage(WM_TEST_A, 5));
}

TEST(MessageMap, HandlersReceiveCrackedArguments)
{
    CBaseTestWnd wnd;
    ASSERT_TRUE(wnd.CreateTop());
    wnd.SendMessage(WM_LBUTTONDOWN, MK_LBUTTON, MAKELPARAM(-3, 17));
    EXPECT_EQ(CPoint(-3, 17), wnd.lastPoint);   // signed coordinates
}

TEST(WindowCreation, ObjectIsAttachedBeforeTheFirstMessage)
{
    CBaseTestWnd wnd;
    ASSERT_TRUE(wnd.CreateTop());
    EXPECT_TRUE(wnd.createSawHandle);
    EXPECT_EQ(&wnd, CWnd::FromHandlePermanent(wnd.m_hWnd));
}

TEST(WindowCreation, ForeignWindowGetsATemporaryWrapper)
{
    HWND hWnd =
        ::CreateWindowExA(0, "STATIC", "foreign", WS_POPUP, 0, 0, 10, 10, nullptr, nullptr, nullptr, nullptr);
    ASSERT_NE(nullptr, hWnd);
    EXPECT_EQ(nullptr, CWnd::FromHandlePermanent(hWnd));
    CWnd* temp = CWnd::FromHandle(hWnd);
    ASSERT_NE(nullptr, temp);
    EXPECT_EQ(hWnd, temp->GetSafeHwnd());
    EXPECT_EQ(temp, CWnd::FromHandle(hWnd));   // the same wrapper until idle time
    AfxDeleteTempMaps();
    ::DestroyWindow(hWnd);
    CWnd* none = nullptr;
    EXPECT_EQ(nullptr, AfxGetSafeHwnd(none));
}

// ---- end of a window ---------------------------------------------------------------------------------

class CSelfDeletingWnd : public CWnd
{
public:
    explicit CSelfDeletingWnd(bool* deleted) : m_deleted(deleted) {}
    ~CSelfDeletingWnd() override { *m_deleted = true; }
    void PostNcDestroy() override { delete this; }
    bool* m_deleted;
};

TEST(WindowLifetime, PostNcDestroyRunsAfterTheLastMessage)
{
    bool deleted = false;
    CSelfDeletingWnd* wnd = new CSelfDeletingWnd(&deleted);
    ASSERT_TRUE(wnd->CreateEx(0, nullptr, "gone", WS_POPUP, 0, 0, 50, 50, nullptr, nullptr));
    HWND hWnd = wnd->m_hWnd;
    ::DestroyWindow(hWnd);
    EXPECT_TRUE(deleted);
    EXPECT_EQ(nullptr, CWnd::FromHandlePermanent(hWnd));
}

// Lives in a buffer of its own whose bytes are spoiled when it is deleted, so that touching the object after
// its end shows (a deleted object must not be read by the creation call that it ended in).
alignas(16) unsigned char g_refusingStorage[512];
int g_refusingDeletes = 0;

class CCreateRefusingWnd : public CWnd
{
public:
    static void* operator new(size_t size)
    {
        EXPECT_LE(size, sizeof(g_refusingStorage));
        return g_refusingStorage;
    }
    static void operator delete(void* p, size_t size)
    {
        memset(p, 0xDD, size);
        ++g_refusingDeletes;
    }
    void PostNcDestroy() override { delete this; }
    afx_msg int OnCreate(LPCREATESTRUCT) { return -1; }
    DECLARE_MESSAGE_MAP()
};

BEGIN_MESSAGE_MAP(CCreateRefusingWnd, CWnd)
    ON_WM_CREATE()
END_MESSAGE_MAP()

TEST(WindowLifetime, ObjectEndedByItsOwnFailedCreationIsNotTouchedAgain)
{
    g_refusingDeletes = 0;
    CCreateRefusingWnd* wnd = new CCreateRefusingWnd;
    EXPECT_FALSE(wnd->CreateEx(0, nullptr, "refuses", WS_POPUP, 0, 0, 50, 50, nullptr, nullptr));
    EXPECT_EQ(1, g_refusingDeletes);   // ended once, by its own last message
}

TEST(WindowLifetime, MainWindowPointerIsClearedWithItsWindowAndObject)
{
    CWinApp app("WinTest");
    {
        CWnd wnd;
        ASSERT_TRUE(wnd.CreateEx(0, nullptr, "main", WS_POPUP, 0, 0, 50, 50, nullptr, nullptr));
        app.m_pMainWnd = &wnd;
        EXPECT_EQ(&wnd, AfxGetMainWnd());
        wnd.DestroyWindow();
        EXPECT_EQ(nullptr, AfxGetMainWnd());
        EXPECT_EQ(nullptr, wnd.m_hWnd);
    }
    {
        CWnd* wnd = new CWnd;
        ASSERT_TRUE(wnd->CreateEx(0, nullptr, "main", WS_POPUP, 0, 0, 50, 50, nullptr, nullptr));
        HWND hWnd = wnd->m_hWnd;
        app.m_pMainWnd = wnd;
        delete wnd;   // the object goes first: its window goes with it
        EXPECT_EQ(nullptr, AfxGetMainWnd());
        EXPECT_FALSE(::IsWindow(hWnd));
    }
}

// ---- subclassing -------------------------------------------------------------------------------------

std::vector<UINT> g_originalSaw;

LRESULT CALLBACK OriginalProc(HWND hWnd, UINT message, WPARAM wParam, LPARAM lParam)
{
    if (message == WM_TEST_A)
    {
        g_originalSaw.push_back(message);
        return 40 + static_cast<LRESULT>(wParam);
    }
    return ::DefWindowProcA(hWnd, message, wParam, lParam);
}

class CSubclassWnd : public CWnd
{
public:
    afx_msg LRESULT OnTestA(WPARAM, LPARAM) { return Default() + 1000; }
    afx_msg LRESULT OnTestB(WPARAM, LPARAM) { return 7; }
    DECLARE_MESSAGE_MAP()
};

BEGIN_MESSAGE_MAP(CSubclassWnd, CWnd)
    ON_MESSAGE(WM_TEST_A, OnTestA)
    ON_MESSAGE(WM_TEST_B, OnTestB)
END_MESSAGE_MAP()

// A window of a class that is not ours, with its own procedure.
HWND CreateOriginalWindow()
{
    WNDCLASSA wc = {};
    wc.lpfnWndProc = OriginalProc;
    wc.hInstance = ::GetModuleHandleA(nullptr);
    wc.lpszClassName = "VexulOriginalClass";
    AfxRegisterClass(&wc);
    return ::CreateWindowExA(0, "VexulOriginalClass", "", WS_POPUP, 0, 0, 10, 10, nullptr, nullptr, wc.hInstance,
                             nullptr);
}

TEST(Subclassing, DefaultReachesTheOriginalProcedure)
{
    HWND hWnd = CreateOriginalWindow();
    ASSERT_NE(nullptr, hWnd);
    g_originalSaw.clear();
    {
        CSubclassWnd wnd;
        ASSERT_TRUE(wnd.SubclassWindow(hWnd));
        EXPECT_FALSE(wnd.SubclassWindow(hWnd));                   // attached once only
        EXPECT_EQ(1042, ::SendMessageA(hWnd, WM_TEST_A, 2, 0));   // handler + the original's answer
        EXPECT_EQ(1u, g_originalSaw.size());
        EXPECT_EQ(7, ::SendMessageA(hWnd, WM_TEST_B, 0, 0));

        EXPECT_EQ(hWnd, wnd.UnsubclassWindow());
        EXPECT_EQ(reinterpret_cast<LONG_PTR>(OriginalProc), ::GetWindowLongPtrA(hWnd, GWLP_WNDPROC));
        EXPECT_EQ(42, ::SendMessageA(hWnd, WM_TEST_A, 2, 0));   // our handler is gone
    }
    EXPECT_TRUE(::IsWindow(hWnd));   // unsubclassed: the object's end does not destroy the window
    ::DestroyWindow(hWnd);
}

TEST(Subclassing, DialogItemOfAForeignParent)
{
    CBaseTestWnd parent;
    ASSERT_TRUE(parent.CreateTop());
    HWND hEdit = ::CreateWindowExA(0, "EDIT", "abc", WS_CHILD, 0, 0, 50, 20, parent.m_hWnd,
                                   reinterpret_cast<HMENU>(55), nullptr, nullptr);
    ASSERT_NE(nullptr, hEdit);
    CEdit edit;
    ASSERT_TRUE(edit.SubclassDlgItem(55, &parent));
    CString text;
    edit.GetWindowText(text);
    EXPECT_STREQ("abc", text);   // the control's own procedure still answers through Default()
    edit.SetSel(0, -1);
    EXPECT_EQ(MAKELONG(0, 3), static_cast<LONG>(edit.GetSel()));
    EXPECT_FALSE(CWnd().SubclassDlgItem(56, &parent));
}

// ---- reflection --------------------------------------------------------------------------------------

class CReflectButton : public CButton
{
public:
    int clicked = 0;
    int drawn = 0;
    afx_msg void OnClicked() { ++clicked; }
    void DrawItem(LPDRAWITEMSTRUCT) override { ++drawn; }
    DECLARE_MESSAGE_MAP()
};

BEGIN_MESSAGE_MAP(CReflectButton, CButton)
    ON_CONTROL_REFLECT(BN_CLICKED, OnClicked)
END_MESSAGE_MAP()

class CReflectExButton : public CButton
{
public:
    int clicked = 0;
    afx_msg BOOL OnClicked()
    {
        ++clicked;
        return FALSE;   // the parent gets it too
    }
    DECLARE_MESSAGE_MAP()
};

BEGIN_MESSAGE_MAP(CReflectExButton, CButton)
    ON_CONTROL_REFLECT_EX(BN_CLICKED, OnClicked)
END_MESSAGE_MAP()

class CColorStatic : public CStatic
{
public:
    HBRUSH brush = nullptr;
    UINT lastType = 99;
    int notified = 0;
    afx_msg HBRUSH CtlColor(CDC* pDC, UINT nCtlColor)
    {
        lastType = nCtlColor;
        pDC->SetTextColor(RGB(1, 2, 3));
        return brush;
    }
    afx_msg void OnClickNotify(NMHDR* pNMHDR, LRESULT* pResult)
    {
        ++notified;
        *pResult = 70 + static_cast<LRESULT>(pNMHDR->idFrom);
    }
    DECLARE_MESSAGE_MAP()
};

BEGIN_MESSAGE_MAP(CColorStatic, CStatic)
    ON_WM_CTLCOLOR_REFLECT()
    ON_NOTIFY_REFLECT(NM_CLICK, OnClickNotify)
END_MESSAGE_MAP()

class CParentWnd : public CBaseTestWnd
{
public:
    int parentClicked = 0;
    int parentNotified = 0;
    afx_msg void OnButton() { ++parentClicked; }
    afx_msg void OnNotifyClick(NMHDR*, LRESULT* pResult)
    {
        ++parentNotified;
        *pResult = 5;
    }
    DECLARE_MESSAGE_MAP()
};

BEGIN_MESSAGE_MAP(CParentWnd, CBaseTestWnd)
    ON_BN_CLICKED(11, OnButton)
    ON_BN_CLICKED(12, OnButton)
    ON_NOTIFY(NM_CLICK, 13, OnNotifyClick)
    ON_NOTIFY(NM_CLICK, 14, OnNotifyClick)
END_MESSAGE_MAP()

TEST(Reflection, ControlCommandReachesTheChildObjectFirst)
{
    CParentWnd parent;
    ASSERT_TRUE(parent.CreateTop());
    CReflectButton button;
    ASSERT_TRUE(button.Create("b", WS_VISIBLE | BS_PUSHBUTTON, CRect(0, 0, 40, 20), &parent, 11));
    CReflectExButton buttonEx;
    ASSERT_TRUE(buttonEx.Create("e", WS_VISIBLE | BS_PUSHBUTTON, CRect(50, 0, 90, 20), &parent, 12));

    button.SendMessage(BM_CLICK);   // the real control notifies its parent
    EXPECT_EQ(1, button.clicked);
    EXPECT_EQ(0, parent.parentClicked);

    buttonEx.SendMessage(BM_CLICK);
    EXPECT_EQ(1, buttonEx.clicked);
    EXPECT_EQ(1, parent.parentClicked);
}

TEST(Reflection, ControlColourAndNotificationReachTheChildObject)
{
    CParentWnd parent;
    ASSERT_TRUE(parent.CreateTop());
    CColorStatic label;
    ASSERT_TRUE(label.Create("label", WS_VISIBLE, CRect(0, 0, 80, 20), &parent, 13));
    CBrush brush;
    brush.CreateSolidBrush(RGB(10, 20, 30));
    label.brush = static_cast<HBRUSH>(brush.m_hObject);

    HDC hdc = ::GetDC(label.m_hWnd);
    LRESULT result = parent.SendMessage(WM_CTLCOLORSTATIC, reinterpret_cast<WPARAM>(hdc),
                                        reinterpret_cast<LPARAM>(label.m_hWnd));
    EXPECT_EQ(reinterpret_cast<LRESULT>(label.brush), result);
    EXPECT_EQ(static_cast<UINT>(CTLCOLOR_STATIC), label.lastType);
    EXPECT_EQ(RGB(1, 2, 3), ::GetTextColor(hdc));

    // No brush from the child: the parent's default colouring answers.
    label.brush = nullptr;
    result = parent.SendMessage(WM_CTLCOLORSTATIC, reinterpret_cast<WPARAM>(hdc),
                                reinterpret_cast<LPARAM>(label.m_hWnd));
    EXPECT_NE(0, result);
    ::ReleaseDC(label.m_hWnd, hdc);

    NMHDR nm = {label.m_hWnd, 13, static_cast<UINT>(NM_CLICK)};
    EXPECT_EQ(83, parent.SendMessage(WM_NOTIFY, 13, reinterpret_cast<LPARAM>(&nm)));
    EXPECT_EQ(1, label.notified);
    EXPECT_EQ(0, parent.parentNotified);

    // A control without its own object: the parent's map takes the notification.
    HWND plain = ::CreateWindowExA(0, "STATIC", "", WS_CHILD, 0, 30, 10, 10, parent.m_hWnd,
                                   reinterpret_cast<HMENU>(14), nullptr, nullptr);
    NMHDR nm2 = {plain, 14, static_cast<UINT>(NM_CLICK)};
    EXPECT_EQ(5, parent.SendMessage(WM_NOTIFY, 14, reinterpret_cast<LPARAM>(&nm2)));
    EXPECT_EQ(1, parent.parentNotified);
}

TEST(Reflection, OwnerDrawReachesTheControlsDrawItem)
{
    CParentWnd parent;
    ASSERT_TRUE(parent.CreateTop());
    CReflectButton button;
    ASSERT_TRUE(button.Create("b", WS_VISIBLE | BS_OWNERDRAW, CRect(0, 0, 40, 20), &parent, 11));
    parent.ShowWindow(SW_SHOW);
    parent.UpdateWindow();
    button.Invalidate();
    button.UpdateWindow();
    EXPECT_GE(button.drawn, 1);
}

// ---- pre-translation ---------------------------------------------------------------------------------

class CKeyParent : public CBaseTestWnd
{
public:
    int preTranslated = 0;
    BOOL PreTranslateMessage(MSG* pMsg) override
    {
        if (pMsg->message == WM_KEYDOWN && pMsg->wParam == 'Q')
        {
            ++preTranslated;
            return TRUE;
        }
        return FALSE;
    }
};

class CKeyChild : public CWnd
{
public:
    int keys = 0;
    afx_msg void OnKeyDown(UINT, UINT, UINT) { ++keys; }
    DECLARE_MESSAGE_MAP()
};

BEGIN_MESSAGE_MAP(CKeyChild, CWnd)
    ON_WM_KEYDOWN()
END_MESSAGE_MAP()

TEST(PreTranslate, WalkGoesFromTheTargetUpToItsTopLevelParent)
{
    CKeyParent parent;
    ASSERT_TRUE(parent.CreateTop());
    CKeyChild child;
    ASSERT_TRUE(child.Create(nullptr, "child", WS_VISIBLE, CRect(0, 0, 20, 20), &parent, 1));

    child.PostMessage(WM_KEYDOWN, 'Q', 0);
    child.PostMessage(WM_KEYDOWN, 'W', 0);
    ASSERT_TRUE(AfxPumpMessage());
    ASSERT_TRUE(AfxPumpMessage());
    EXPECT_EQ(1, parent.preTranslated);   // taken on the way up
    EXPECT_EQ(1, child.keys);             // only W arrived
}

TEST(PumpMessage, QuitEndsThePump)
{
    ::PostQuitMessage(3);
    EXPECT_FALSE(AfxPumpMessage());
}

}   // namespace

namespace
{

WNDPROC g_ourProc = nullptr;
LRESULT CALLBACK OnTopProc(HWND hWnd, UINT message, WPARAM wParam, LPARAM lParam)
{
    if (message == WM_TEST_B)
        return 99;
    return ::CallWindowProcA(g_ourProc, hWnd, message, wParam, lParam);
}

TEST(Subclassing, ObjectLeavingUnderAnotherSubclassKeepsTheChainWorking)
{
    HWND hWnd = CreateOriginalWindow();
    ASSERT_NE(nullptr, hWnd);
    {
        CSubclassWnd wnd;
        ASSERT_TRUE(wnd.SubclassWindow(hWnd));
        g_ourProc = reinterpret_cast<WNDPROC>(
            ::SetWindowLongPtrA(hWnd, GWLP_WNDPROC, reinterpret_cast<LONG_PTR>(OnTopProc)));
        EXPECT_EQ(1042, ::SendMessageA(hWnd, WM_TEST_A, 2, 0));
        wnd.Detach();
    }
    EXPECT_EQ(42, ::SendMessageA(hWnd, WM_TEST_A, 2, 0));   // straight on to the original procedure
    EXPECT_EQ(99, ::SendMessageA(hWnd, WM_TEST_B, 0, 0));
    {
        // A new object takes the window over where our procedure still sits in its chain.
        CSubclassWnd again;
        ASSERT_TRUE(again.SubclassWindow(hWnd));
        EXPECT_EQ(reinterpret_cast<LONG_PTR>(OnTopProc), ::GetWindowLongPtrA(hWnd, GWLP_WNDPROC));
        EXPECT_EQ(1042, ::SendMessageA(hWnd, WM_TEST_A, 2, 0));   // Default() reaches the original once
        EXPECT_EQ(99, ::SendMessageA(hWnd, WM_TEST_B, 0, 0));
        again.Detach();
    }
    EXPECT_EQ(42, ::SendMessageA(hWnd, WM_TEST_A, 2, 0));
    ::DestroyWindow(hWnd);
}

}   // namespace

namespace
{

int g_otherHookCreations = 0;
HHOOK g_otherHook = nullptr;

LRESULT CALLBACK OtherCbtHook(int code, WPARAM wParam, LPARAM lParam)
{
    if (code == HCBT_CREATEWND)
        ++g_otherHookCreations;
    return ::CallNextHookEx(g_otherHook, code, wParam, lParam);
}

TEST(WindowCreation, CreationHookPassesEveryEventOnToOtherHooks)
{
    g_otherHook = ::SetWindowsHookExA(WH_CBT, OtherCbtHook, nullptr, ::GetCurrentThreadId());
    ASSERT_NE(nullptr, g_otherHook);
    g_otherHookCreations = 0;
    {
        CBaseTestWnd wnd;
        ASSERT_TRUE(wnd.CreateTop());
        CButton child;
        ASSERT_TRUE(child.Create("c", WS_VISIBLE, CRect(0, 0, 10, 10), &wnd, 1));
        EXPECT_EQ(&child, CWnd::FromHandlePermanent(child.m_hWnd));
    }
    ::UnhookWindowsHookEx(g_otherHook);
    EXPECT_GE(g_otherHookCreations, 2);
}

LRESULT CALLBACK RefusingCbtHook(int code, WPARAM wParam, LPARAM lParam)
{
    if (code == HCBT_CREATEWND)
        return 1;
    return ::CallNextHookEx(g_otherHook, code, wParam, lParam);
}

TEST(WindowCreation, CreationRefusedByAnotherHookEndsTheObject)
{
    g_otherHook = ::SetWindowsHookExA(WH_CBT, RefusingCbtHook, nullptr, ::GetCurrentThreadId());
    ASSERT_NE(nullptr, g_otherHook);
    bool deleted = false;
    CSelfDeletingWnd* wnd = new CSelfDeletingWnd(&deleted);
    EXPECT_FALSE(wnd->CreateEx(0, nullptr, "refused", WS_POPUP, 0, 0, 50, 50, nullptr, nullptr));
    ::UnhookWindowsHookEx(g_otherHook);
    EXPECT_TRUE(deleted);   // PostNcDestroy ran as for a window that ended
    if (!deleted)
        delete wnd;
}

}   // namespace
