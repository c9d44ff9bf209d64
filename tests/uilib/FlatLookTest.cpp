// The flat look's painters: tool-bar buttons by state (normal, checked, hot, pressed, disabled), the colour
// strip, separators and the open drop-down's shadow; the rings around an edit; a selected list item.
#include "BarsTestSupport.h"

#include "support/win_DibSurface.h"
#include "uilib/core/bars/FlatPainters.h"
#include "uilib/core/base/LookPainters.h"

namespace
{

class FlatLookTest : public BarsTest
{
protected:
    void SetUp() override
    {
        BarsTest::SetUp();
        uxAfxData.m_bFlatLook = TRUE;
    }
    void TearDown() override
    {
        uxAfxData.m_bFlatLook = FALSE;
        BarsTest::TearDown();
    }
};

TEST_F(FlatLookTest, ButtonsAreFilledAndFramedByTheirState)
{
    CUXLook* look = GetToolBarLook();
    CUXToolBarPainter* painter = look->GetToolBarPainter();
    ASSERT_NE(nullptr, painter);
    ASSERT_NE(nullptr, look->GetControlPainter());
    ASSERT_NE(nullptr, look->GetComboPainter());
    ASSERT_NE(nullptr, look->GetListPainter());
    CUXToolBar& bar = frame->m_bar1;
    CRect client;
    bar.GetClientRect(&client);
    DibSurface surface(client.Width() + 8, client.Height() + 8, RGB(1, 2, 3));
    int save = bar.CommandToIndex(ID_T_SAVE);
    CRect item;
    bar.GetItemRect(save, &item);
    const CUXGlobalData& data = uxAfxData;
    // What the button shows at its frame and just inside it.
    auto draw = [&]()
    {
        surface.Fill(RGB(1, 2, 3));
        painter->DrawButton(&surface.dc, bar.GetButtonState(save));
        return std::make_pair(surface.At(item.left, item.top), surface.At(item.left + 1, item.top + 1));
    };
    ::SetCursorPos(5, 5);   // away from the bar: nothing hot
    bar.SendMessage(TB_SETHOTITEM, static_cast<WPARAM>(-1));
    EXPECT_EQ(std::make_pair(bar.GetBackColor(), bar.GetBackColor()), draw());
    bar.SendMessage(TB_CHECKBUTTON, ID_T_SAVE, TRUE);
    EXPECT_EQ(std::make_pair(data.m_clrHilite, data.m_clrPaleSelection), draw());
    bar.SendMessage(TB_CHECKBUTTON, ID_T_SAVE, FALSE);
    bar.SendMessage(TB_SETHOTITEM, static_cast<WPARAM>(save));
    EXPECT_EQ(std::make_pair(data.m_clrHilite, data.m_clrLightSelection), draw());
    bar.SendMessage(TB_SETHOTITEM, static_cast<WPARAM>(-1));
    bar.SendMessage(TB_PRESSBUTTON, ID_T_SAVE, TRUE);
    EXPECT_EQ(std::make_pair(data.m_clrHilite, data.m_clrHalfSelection), draw());
    bar.SendMessage(TB_PRESSBUTTON, ID_T_SAVE, FALSE);
    bar.SendMessage(TB_ENABLEBUTTON, ID_T_SAVE, FALSE);
    EXPECT_EQ(std::make_pair(bar.GetBackColor(), bar.GetBackColor()), draw());
    bar.SendMessage(TB_ENABLEBUTTON, ID_T_SAVE, TRUE);

    // The colour drop-down shows its strip 4 pixels in, from 7 to 4 pixels above the bottom.
    int colour = bar.CommandToIndex(ID_T_COLOR);
    bar.GetButtonData(colour)->m_clrStrip = RGB(255, 0, 0);
    CRect strip;
    bar.GetItemRect(colour, &strip);
    painter->DrawButton(&surface.dc, bar.GetButtonState(colour));
    EXPECT_EQ(RGB(255, 0, 0), surface.At(strip.left + 4, strip.bottom - 7));
    EXPECT_EQ(RGB(255, 0, 0), surface.At(strip.left + 4, strip.bottom - 5));
    EXPECT_NE(RGB(255, 0, 0), surface.At(strip.left + 4, strip.bottom - 4));
    EXPECT_NE(RGB(255, 0, 0), surface.At(strip.left + 3, strip.bottom - 6));

    // A separator: the back colour with a line 3 pixels in, 2 pixels short of both ends.
    CRect separator;
    bar.GetItemRect(2, &separator);
    painter->DrawSeparator(&surface.dc, separator, FALSE, client, bar.GetBackColor());
    EXPECT_EQ(data.m_clrDarkFace, surface.At(separator.left + 3, separator.top + 2));
    EXPECT_EQ(bar.GetBackColor(), surface.At(separator.left + 3, separator.top + 1));
    EXPECT_EQ(bar.GetBackColor(), surface.At(separator.left + 2, separator.top + 5));

    // The shadow of an open drop-down darkens the 4 pixels right of the button.
    surface.Fill(RGB(200, 200, 200));
    painter->DrawDropShadow(&surface.dc, item);
    EXPECT_LT(GetRValue(surface.At(item.right + 1, item.top + 8)), 200);
    EXPECT_EQ(RGB(200, 200, 200), surface.At(item.right + 5, item.top + 8));
}

TEST(FlatToolButton, AButtonStateIsDrawnWithoutAToolBar)
{
    const CUXGlobalData& look = uxAfxData;
    DibSurface surface(60, 40, RGB(1, 2, 3));
    HIMAGELIST images = ::ImageList_Create(16, 16, ILC_COLOR32 | ILC_MASK, 1, 1);
    ASSERT_NE(nullptr, images);
    HICON red = MakeTestIcon(16, RGB(255, 0, 0));
    ::ImageList_AddIcon(images, red);
    ::DestroyIcon(red);

    CUXToolButtonState button;
    button.rect = CRect(10, 5, 34, 33);
    button.state = TBSTATE_ENABLED;
    button.images = images;
    button.image = 0;
    button.imageSize = CSize(16, 16);
    button.back = RGB(10, 20, 30);
    button.buttonWidth = 24;
    button.strip = RGB(0, 255, 0);
    const int x = 10 + (24 - 16) / 2, y = 5 + (28 - 16) / 2;   // the image, centred without a label
    auto draw = [&]()
    {
        surface.Fill(RGB(1, 2, 3));
        UXDrawFlatToolButton(&surface.dc, button);
    };

    // Normal: the bar's background, the image in place, the strip 4 pixels in and 7 above the bottom.
    draw();
    EXPECT_EQ(RGB(10, 20, 30), surface.At(10, 5));
    EXPECT_EQ(RGB(255, 0, 0), surface.At(x, y));
    EXPECT_EQ(RGB(0, 255, 0), surface.At(14, 33 - 7));
    EXPECT_EQ(RGB(1, 2, 3), surface.At(34, 5));   // nothing outside the rectangle

    // Hot: framed in the light selection, the image lifted over its shadow.
    button.hot = TRUE;
    draw();
    EXPECT_EQ(look.m_clrHilite, surface.At(10, 5));
    EXPECT_EQ(look.m_clrLightSelection, surface.At(11, 6));
    EXPECT_EQ(RGB(255, 0, 0), surface.At(x - 1, y - 1));
    EXPECT_EQ(look.m_clrBtnShadow, surface.At(x + 16, y + 16));

    // Checked and pressed: the half selection; disabled: the image and the strip in the shadow colour.
    button.hot = FALSE;
    button.pressed = TRUE;
    button.state = TBSTATE_ENABLED | TBSTATE_CHECKED;
    draw();
    EXPECT_EQ(look.m_clrHalfSelection, surface.At(11, 6));
    button.pressed = FALSE;
    button.state = 0;
    draw();
    EXPECT_EQ(look.m_clrBtnShadow, surface.At(x + 4, y + 4));
    EXPECT_EQ(look.m_clrBtnShadow, surface.At(14, 33 - 7));

    // Open: edged in the dark shadow but at the bottom, where the menu joins.
    button.state = TBSTATE_ENABLED;
    button.open = TRUE;
    draw();
    EXPECT_EQ(look.m_clrDarkShadow, surface.At(20, 5));
    EXPECT_EQ(look.m_clrDarkShadow, surface.At(10, 20));
    EXPECT_EQ(look.m_clrDarkShadow, surface.At(33, 20));
    EXPECT_EQ(RGB(10, 20, 30), surface.At(20, 32));
    ::ImageList_Destroy(images);
}

TEST_F(FlatLookTest, AnEditGetsThreeRingsAndASelectedListItemTheLightSelection)
{
    CTestHost host;
    CEdit edit;
    ASSERT_TRUE(edit.CreateEx(WS_EX_CLIENTEDGE, "edit", "", WS_CHILD | WS_VISIBLE | WS_BORDER,
                              CRect(10, 10, 110, 40), &host, 100));
    CRect window;
    edit.GetWindowRect(&window);
    CRect client;
    edit.GetClientRect(&client);
    edit.ClientToScreen(&client);
    CPoint origin(client.left - window.left, client.top - window.top);
    ASSERT_GE(origin.x, 3);
    DibSurface surface(window.Width(), window.Height());
    GetToolBarLook()->GetControlPainter()->DrawBorder(&edit, &surface.dc, TRUE);
    EXPECT_EQ(uxAfxData.m_clrWindow, surface.At(origin.x - 1, origin.y + 5));
    EXPECT_EQ(uxAfxData.m_clrHilite, surface.At(origin.x - 2, origin.y + 5));
    EXPECT_EQ(uxAfxData.m_clrBtnFace, surface.At(origin.x - 3, origin.y + 5));

    CListBox list;
    ASSERT_TRUE(list.Create(WS_CHILD | WS_VISIBLE, CRect(10, 50, 210, 150), &host, 101));
    list.AddString("Item");
    DibSurface item(200, 20);
    DRAWITEMSTRUCT dis = {};
    dis.CtlType = ODT_LISTBOX;
    dis.itemID = 0;
    dis.itemState = ODS_SELECTED;
    dis.hwndItem = list.m_hWnd;
    dis.hDC = item.dc.GetSafeHdc();
    dis.rcItem = {0, 0, 200, 20};
    GetToolBarLook()->GetListPainter()->DrawItem(&dis, &list);
    EXPECT_EQ(uxAfxData.m_clrHilite, item.At(0, 0));
    EXPECT_EQ(uxAfxData.m_clrLightSelection, item.At(150, 2));
}

}   // namespace
