// Control wrappers: bitmap button drawing by state, list controls, slider and spin ranges, tool tips.
#include "framework/win/Framework.h"
#include "support/win_DibSurface.h"

#include <gtest/gtest.h>

namespace
{

class ControlHost : public ::testing::Test
{
protected:
    void SetUp() override
    {
        ASSERT_TRUE(parent.CreateEx(0, nullptr, "host", WS_POPUP, 0, 0, 300, 200, nullptr, nullptr));
    }
    CWnd parent;
};

void MakeSolidBitmap(CBitmap& bitmap, COLORREF color)
{
    CDC dc;
    dc.CreateCompatibleDC(nullptr);
    CClientDC screen(nullptr);
    bitmap.CreateCompatibleBitmap(&screen, 8, 8);
    CBitmap* old = dc.SelectObject(&bitmap);
    dc.FillSolidRect(0, 0, 8, 8, color);
    dc.SelectObject(old);
}

COLORREF DrawButton(CBitmapButton& button, UINT state)
{
    DibSurface surface(8, 8, RGB(0, 0, 0));
    DRAWITEMSTRUCT dis = {};
    dis.CtlType = ODT_BUTTON;
    dis.CtlID = static_cast<UINT>(button.GetDlgCtrlID());
    dis.itemAction = ODA_DRAWENTIRE;
    dis.itemState = state;
    dis.hwndItem = button.m_hWnd;
    dis.hDC = surface.dc.m_hDC;
    dis.rcItem = RECT{0, 0, 8, 8};
    button.GetParent()->SendMessage(WM_DRAWITEM, dis.CtlID, reinterpret_cast<LPARAM>(&dis));
    return surface.At(4, 4);
}

TEST_F(ControlHost, BitmapButtonDrawsTheBitmapOfItsState)
{
    CBitmapButton button;
    ASSERT_TRUE(button.Create("b", WS_VISIBLE | BS_PUSHBUTTON, CRect(0, 0, 8, 8), &parent, 21));
    EXPECT_FALSE(button.LoadBitmaps(9991, 9992));   // no such resources
    MakeSolidBitmap(button.m_bitmap, RGB(255, 0, 0));
    MakeSolidBitmap(button.m_bitmapSel, RGB(0, 255, 0));
    MakeSolidBitmap(button.m_bitmapDisabled, RGB(0, 0, 255));

    EXPECT_EQ(RGB(255, 0, 0), DrawButton(button, 0));
    EXPECT_EQ(RGB(0, 255, 0), DrawButton(button, ODS_SELECTED));
    EXPECT_EQ(RGB(0, 0, 255), DrawButton(button, ODS_DISABLED));
    EXPECT_EQ(RGB(255, 0, 0), DrawButton(button, ODS_FOCUS));   // no focus image: the normal one
}

TEST_F(ControlHost, SubclassedButtonBecomesOwnerDrawn)
{
    ::CreateWindowExA(0, "BUTTON", "x", WS_CHILD | BS_PUSHBUTTON, 0, 0, 10, 10, parent.m_hWnd,
                      reinterpret_cast<HMENU>(22), nullptr, nullptr);
    CBitmapButton button;
    ASSERT_TRUE(button.SubclassDlgItem(22, &parent));
    EXPECT_EQ(static_cast<DWORD>(BS_OWNERDRAW), button.GetStyle() & BS_TYPEMASK);
}

TEST_F(ControlHost, ComboAndListBoxItems)
{
    CComboBox combo;
    ASSERT_TRUE(combo.Create(WS_VISIBLE | CBS_DROPDOWNLIST, CRect(0, 0, 100, 100), &parent, 30));
    combo.AddString("Fade");
    combo.AddString("Wipe");
    combo.SetItemData(1, 77);
    EXPECT_EQ(2, combo.GetCount());
    EXPECT_EQ(1, combo.SelectString(-1, "Wi"));
    CString text;
    combo.GetLBText(combo.GetCurSel(), text);
    EXPECT_STREQ("Wipe", text);
    EXPECT_EQ(77u, combo.GetItemData(1));
    combo.ResetContent();
    EXPECT_EQ(0, combo.GetCount());

    CListBox list;
    ASSERT_TRUE(list.Create(WS_VISIBLE | LBS_NOTIFY, CRect(0, 100, 100, 200), &parent, 31));
    list.AddString("geöffnet");
    list.InsertString(0, "first");
    list.GetText(1, text);
    EXPECT_STREQ("geöffnet", text);
    EXPECT_EQ(1, list.FindStringExact(-1, "geöffnet"));
}

TEST_F(ControlHost, EditLineFitsTheCallersBuffer)
{
    CEdit edit;
    ASSERT_TRUE(edit.Create(WS_CHILD | ES_MULTILINE, CRect(0, 0, 200, 60), &parent, 7));
    edit.SetWindowText("first\r\nsecond");
    char buffer[8] = {'x', 'x', 'x', 'x', 'x', 'x', 'x', 'G'};
    EXPECT_EQ(6, edit.GetLine(1, buffer, 7));
    EXPECT_EQ(0, memcmp(buffer, "second", 6));
    EXPECT_EQ('G', buffer[7]);
    char tiny[2] = {'x', 'G'};
    EXPECT_EQ(0, edit.GetLine(0, tiny, 1));   // too small for the size word the control reads
    EXPECT_EQ('\0', tiny[0]);
    EXPECT_EQ('G', tiny[1]);
}

TEST_F(ControlHost, SliderAndSpinKeepTheirRanges)
{
    CSliderCtrl slider;
    ASSERT_TRUE(slider.Create(WS_VISIBLE | TBS_BOTH | TBS_NOTICKS, CRect(0, 0, 120, 20), &parent, 40));
    slider.SetRange(0, 100);
    slider.SetPos(150);
    EXPECT_EQ(100, slider.GetPos());   // clamped by the control
    int lo = -1, hi = -1;
    slider.GetRange(lo, hi);
    EXPECT_EQ(0, lo);
    EXPECT_EQ(100, hi);

    CSpinButtonCtrl spin;
    ASSERT_TRUE(spin.Create(WS_VISIBLE, CRect(0, 30, 20, 50), &parent, 41));
    spin.SetRange32(-5, 500);
    spin.GetRange32(lo, hi);
    EXPECT_EQ(-5, lo);
    EXPECT_EQ(500, hi);
}

TEST_F(ControlHost, ToolTipKeepsTheTextOfEachTool)
{
    CToolTipCtrl tips;
    ASSERT_TRUE(tips.Create(&parent));
    CButton button;
    ASSERT_TRUE(button.Create("b", WS_VISIBLE, CRect(0, 0, 20, 20), &parent, 50));
    ASSERT_TRUE(tips.AddTool(&button, "Lautstärke"));
    EXPECT_EQ(1, tips.GetToolCount());
    CString text;
    tips.GetText(text, &button);
    EXPECT_STREQ("Lautstärke", text);
    tips.UpdateTipText("Ton aus", &button);
    tips.GetText(text, &button);
    EXPECT_STREQ("Ton aus", text);
    tips.DelTool(&button);
    EXPECT_EQ(0, tips.GetToolCount());
}

}   // namespace
