// The flat button: it turns owner-drawn on its last posted initialisation only; it lights up while the mouse is
// over it and shows sunken, not hot, once pressed; borders by style; images centred and shifted while pushed.
#include "uilib/core/dialogs/Button.h"

#include "UilibTestSupport.h"
#include "support/win_DibSurface.h"

#include <gtest/gtest.h>

namespace
{

const COLORREF kFace = RGB(200, 200, 200);
const COLORREF kLight = RGB(255, 255, 255);
const COLORREF kDark = RGB(100, 100, 100);
const COLORREF kIcon = RGB(255, 0, 0);

// Draws the button as the system would ask it to, in the given state, into a surface of its size.
void DrawInto(CUXButton& button, DibSurface& surface, UINT state)
{
    DRAWITEMSTRUCT dis = {};
    dis.CtlType = ODT_BUTTON;
    dis.itemState = state;
    dis.hwndItem = button.m_hWnd;
    dis.hDC = surface.dc.GetSafeHdc();
    dis.rcItem = {0, 0, surface.width, surface.height};
    button.DrawItem(&dis);
}

TEST(FlatButton, BecomesOwnerDrawnOnTheLastPostedInitialisationOnly)
{
    CTestHost host;
    CUXButton button;
    ASSERT_TRUE(button.Create("&Go", WS_CHILD | WS_VISIBLE | BS_PUSHBUTTON, CRect(10, 10, 90, 40), &host, 100));
    // Subclassing and creation each posted one; the first (counter 2) is stale by now.
    EXPECT_EQ(static_cast<DWORD>(BS_PUSHBUTTON), button.GetStyle() & BS_TYPEMASK);
    button.SendMessage(UXM_FIRSTINIT, 0, 2);
    EXPECT_EQ(static_cast<DWORD>(BS_PUSHBUTTON), button.GetStyle() & BS_TYPEMASK);
    EXPECT_FALSE(button.IsInitialised());
    PumpPending();
    EXPECT_TRUE(button.IsInitialised());
    EXPECT_EQ(static_cast<DWORD>(BS_OWNERDRAW), button.GetStyle() & BS_TYPEMASK);
    EXPECT_EQ(reinterpret_cast<LRESULT>(uxAfxData.m_fontNormal.GetSafeHandle()), button.SendMessage(WM_GETFONT));
    CString text;
    button.GetWindowText(text);
    EXPECT_STREQ("&Go", text.GetString());

    // Painted on the screen: the flat button at rest shows no border, only its face.
    button.SetColors(kFace, kLight, kDark, RGB(0, 0, 0));
    ::SetCursorPos(5, 5);
    button.RedrawWindow();
    PumpPending();
    CRect window;
    button.GetWindowRect(&window);
    EXPECT_EQ(kFace, ScreenPixel(window.left, window.top));
    EXPECT_EQ(kFace, ScreenPixel(window.right - 1, window.bottom - 1));
}

TEST(FlatButton, HotWhileTheMouseIsOverAndSunkenNotHotOncePressed)
{
    CTestHost host;
    CUXButton button;
    ASSERT_TRUE(button.Create("", WS_CHILD | WS_VISIBLE, CRect(20, 20, 60, 50), &host, 100));
    PumpPending();
    button.SetColors(kFace, kLight, kDark, RGB(0, 0, 0));
    DibSurface surface(40, 30);

    DrawInto(button, surface, 0);
    EXPECT_EQ(kFace, surface.At(0, 0));   // flat at rest: no border

    CRect window;
    button.GetWindowRect(&window);
    ::SetCursorPos(window.CenterPoint().x, window.CenterPoint().y);
    button.SendMessage(WM_MOUSEMOVE, 0, MAKELPARAM(20, 15));
    EXPECT_TRUE(button.IsMouseOver());
    DrawInto(button, surface, 0);
    EXPECT_EQ(kLight, surface.At(0, 0));   // raised
    EXPECT_EQ(kDark, surface.At(39, 29));

    // Pressing stops the hover: the next check finds the button pushed and drops the hot state.
    button.SendMessage(WM_LBUTTONDOWN, MK_LBUTTON, MAKELPARAM(20, 15));
    EXPECT_TRUE(button.IsPushed());
    button.SendMessage(WM_MOUSEMOVE, MK_LBUTTON, MAKELPARAM(20, 15));
    EXPECT_FALSE(button.IsMouseOver());
    DrawInto(button, surface, ODS_SELECTED);
    EXPECT_EQ(kDark, surface.At(0, 0));   // sunken
    EXPECT_EQ(kLight, surface.At(39, 29));
    button.SendMessage(WM_LBUTTONUP, 0, MAKELPARAM(20, 15));
    EXPECT_FALSE(button.IsPushed());

    // The cursor gone: the next check clears the hot state.
    button.SendMessage(WM_MOUSEMOVE, 0, MAKELPARAM(20, 15));
    EXPECT_TRUE(button.IsMouseOver());
    ::SetCursorPos(5, 5);
    button.SendMessage(WM_TIMER, 1);
    EXPECT_FALSE(button.IsMouseOver());
}

TEST(FlatButton, BordersByStyleAndAnIconCentredThatMovesWhilePushed)
{
    CTestHost host;
    CUXButton button;
    ASSERT_TRUE(button.Create("", WS_CHILD | WS_VISIBLE, CRect(20, 20, 60, 50), &host, 100));
    PumpPending();
    button.SetColors(kFace, kLight, kDark, RGB(0, 0, 0));
    button.SetIcon(16, 16, MakeTestIcon(16, kIcon), nullptr, FALSE);
    DibSurface surface(40, 30);

    // Classic 3-D: outer highlight and dark shadow, inner face and shadow; exchanged while pushed.
    EXPECT_EQ(static_cast<int>(CUXButton::kFlat), button.SetButtonStyle(0, FALSE));
    DrawInto(button, surface, 0);
    EXPECT_EQ(kLight, surface.At(0, 0));
    EXPECT_EQ(uxAfxData.m_clr3DDkShadow, surface.At(39, 29));
    EXPECT_EQ(kDark, surface.At(38, 28));
    EXPECT_EQ(kIcon, surface.At(12, 7));   // (40 - 16) / 2, (30 - 16) / 2
    EXPECT_EQ(kIcon, surface.At(27, 22));
    EXPECT_EQ(kFace, surface.At(28, 23));
    DrawInto(button, surface, ODS_SELECTED);
    EXPECT_EQ(uxAfxData.m_clr3DDkShadow, surface.At(0, 0));
    EXPECT_EQ(kDark, surface.At(1, 1));
    EXPECT_EQ(kFace, surface.At(12, 7));   // one pixel right and down
    EXPECT_EQ(kIcon, surface.At(28, 23));

    // Hilite: border and fill in the hilite colours while hot or pushed, and no shift.
    button.SetButtonStyle(CUXButton::kHilite, FALSE);
    button.SetHiliteColors(RGB(0, 0, 128), RGB(0, 128, 0), RGB(128, 128, 0));
    DrawInto(button, surface, 0);
    EXPECT_EQ(kFace, surface.At(0, 0));
    DrawInto(button, surface, ODS_SELECTED);
    EXPECT_EQ(RGB(0, 0, 128), surface.At(0, 0));
    EXPECT_EQ(RGB(0, 128, 0), surface.At(3, 3));
    EXPECT_EQ(kIcon, surface.At(12, 7));

    // Thin: one rectangle in the look data's light and dark colours.
    button.SetButtonStyle(CUXButton::kThin, FALSE);
    DrawInto(button, surface, 0);
    EXPECT_EQ(uxAfxData.m_clrBtnHilite, surface.At(0, 0));
    EXPECT_EQ(uxAfxData.m_clrBtnShadow, surface.At(39, 29));
    EXPECT_EQ(kFace, surface.At(1, 1));
}

}   // namespace
