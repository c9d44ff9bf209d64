// Colour arithmetic, the checksum, and the colour dialog: the honeycomb's cells and their keyboard
// neighbours, the hexadecimal box, and the custom page whose six boxes, field and luminance bar follow every
// change.
#include "uilib/core/bars/ColorDialog.h"
#include "uilib/core/bars/ColorRef.h"
#include "uilib/core/base/Crc32.h"

#include "resources/uilib/UilibResources.h"
#include "UilibTestSupport.h"
#include "support/win_DialogDriver.h"

#include <gtest/gtest.h>

#include <cstring>

namespace
{

TEST(ColorMaths, HslBothWaysBlendsAndClamps)
{
    double h = -1;
    double s = -1;
    double l = -1;
    CUXColorRef(RGB(255, 0, 0)).ToHSL(h, s, l);
    EXPECT_DOUBLE_EQ(0.0, h);
    EXPECT_DOUBLE_EQ(1.0, s);
    EXPECT_DOUBLE_EQ(0.5, l);
    EXPECT_EQ(RGB(127, 127, 127), CUXColorRef::FromHSL(0, 0, 0.5));
    EXPECT_EQ(RGB(255, 0, 0), CUXColorRef::FromHSL(0, 1, 0.5));

    // Blue and a dark teal go round the hue circle and come back within the truncation of each channel.
    for (COLORREF color : {RGB(0, 0, 255), RGB(0, 51, 102), RGB(204, 153, 255), RGB(30, 200, 90)})
    {
        CUXColorRef(color).ToHSL(h, s, l);
        COLORREF back = CUXColorRef::FromHSL(h, s, l);
        EXPECT_LE(std::abs(int(GetRValue(back)) - int(GetRValue(color))), 1) << std::hex << color;
        EXPECT_LE(std::abs(int(GetGValue(back)) - int(GetGValue(color))), 1) << std::hex << color;
        EXPECT_LE(std::abs(int(GetBValue(back)) - int(GetBValue(color))), 1) << std::hex << color;
    }
    CUXColorRef(RGB(0, 0, 255)).ToHSL(h, s, l);
    EXPECT_NEAR(2.0 / 3, h, 1e-9);

    EXPECT_EQ(RGB(127, 127, 127), CUXColorRef(RGB(0, 0, 0)).Blend(RGB(255, 255, 255), 50));
    EXPECT_EQ(RGB(255, 10, 0), CUXColorRef::FromRGB(300, 10, -5));
}

TEST(Checksum, StandardCrc32InPiecesAndWhole)
{
    const char* text = "123456789";
    EXPECT_EQ(0xCBF43926u, CUXCrc32::Compute(text, std::strlen(text)));

    CUXCrc32 crc;
    crc.Update(text, 4);
    crc.Update(text, 0);   // nothing changes the running value
    crc.Update(text + 4, 5);
    EXPECT_EQ(0xCBF43926u, crc.GetValue());
    crc.Reset();
    crc.Update(text, 0);
    EXPECT_EQ(0u, crc.GetValue());
}

TEST(ColorHoneycomb, CellsTileWithoutOverlapAndHaveTheirSizes)
{
    const auto& cells = CUXColorHoneycomb::GetCells();
    ASSERT_EQ(static_cast<size_t>(CUXColorHoneycomb::kCells), cells.size());
    std::vector<int> covered(cells.size(), 0);
    for (int y = 0; y < 230; ++y)
        for (int x = 0; x < 220; ++x)
        {
            int owners = 0;
            for (size_t i = 0; i < cells.size(); ++i)
                if (CUXColorHoneycomb::CellContains(cells[i], CPoint(x, y)))
                {
                    ++owners;
                    ++covered[i];
                }
            ASSERT_LE(owners, 1) << x << "," << y;
        }
    for (size_t i = 0; i < cells.size(); ++i)
        EXPECT_EQ(cells[i].big ? 691 : 168, covered[i]) << i;

    EXPECT_EQ(RGB(0x00, 0x33, 0x66), cells[0].color);
    EXPECT_EQ(RGB(0xFF, 0xFF, 0xFF), cells[63].color);
    EXPECT_EQ(RGB(0xA5, 0x00, 0x21), cells[126].color);
    EXPECT_EQ(RGB(0x08, 0x08, 0x08), cells[134].color);
    EXPECT_EQ(RGB(0x11, 0x11, 0x11), cells[141].color);
    EXPECT_EQ(0, CUXColorHoneycomb::HitTest(CPoint(58 + 7, 7 + 8)));
    EXPECT_EQ(CUXColorHoneycomb::kBigBlack, CUXColorHoneycomb::HitTest(CPoint(169 + 14, 176 + 15)));
    EXPECT_EQ(-1, CUXColorHoneycomb::HitTest(CPoint(2, 2)));
}

TEST(ColorHoneycomb, ArrowKeysFollowTheNeighbours)
{
    const auto& cells = CUXColorHoneycomb::GetCells();
    auto next = [&](int cell, int direction) { return cells[static_cast<size_t>(cell)].next[direction]; };
    using H = CUXColorHoneycomb;
    EXPECT_EQ(H::kBigWhite, next(126, H::kRight));
    EXPECT_EQ(-1, next(H::kBigBlack, H::kRight));
    EXPECT_EQ(-1, next(H::kBigBlack, H::kDown));
    EXPECT_EQ(126, next(H::kBigWhite, H::kLeft));
    EXPECT_EQ(127, next(H::kBigWhite, H::kRight));   // F8F8F8
    EXPECT_EQ(135, next(127, H::kDown));             // EAEAEA, the grey chain runs light to dark
    EXPECT_EQ(H::kBigWhite, next(119, H::kDown));
    EXPECT_EQ(121, next(120, H::kDown));   // the last honeycomb row goes down as it goes right
    EXPECT_EQ(-1, next(3, H::kUp));        // none in the first row
    EXPECT_EQ(8, next(0, H::kDown));
    EXPECT_EQ(57, next(70, H::kUp));
    // A cell at the end of a row has no neighbour in the row below there, rather than one rows away.
    EXPECT_EQ(-1, next(69, H::kDown));
    EXPECT_EQ(-1, next(15, H::kUp));
    EXPECT_EQ(-1, next(111, H::kDown));
}

// A colour dialog open without its own loop, on its custom page when asked.
struct OpenDialog
{
    CTestHost host;
    CUXColorDialog dialog;

    OpenDialog(COLORREF color, DWORD options, int page) : dialog(RGB(1, 2, 3), color, options, &host)
    {
        EXPECT_TRUE(dialog.Create(&host));
        dialog.SetActivePage(page);
        PumpPending();
    }
    ~OpenDialog() { dialog.DestroyWindow(); }

    int Box(int id) const
    {
        BOOL ok = FALSE;
        UINT value = dialog.m_pageCustom.GetDlgItemInt(id, &ok, FALSE);
        return ok ? static_cast<int>(value) : -1;
    }
    void Type(int id, int value)
    {
        dialog.m_pageCustom.SetDlgItemInt(id, static_cast<UINT>(value), FALSE);
        PumpPending();
    }
    // The six boxes show the sheet's new colour, each box but the one typed in; the luminance bar stands at
    // the colour's hue and saturation with its marker on a row of the colour's luminance.
    void ExpectAgreement(int typedBox)
    {
        COLORREF color = dialog.GetColor();
        double h = 0;
        double s = 0;
        double l = 0;
        CUXColorRef(color).ToHSL(h, s, l);
        const int ids[] = {IDC_UX_COLOR_RED, IDC_UX_COLOR_GREEN, IDC_UX_COLOR_BLUE,
                           IDC_UX_COLOR_HUE, IDC_UX_COLOR_SAT,   IDC_UX_COLOR_LUM};
        const int expected[] = {GetRValue(color),          GetGValue(color),          GetBValue(color),
                                static_cast<int>(h * 255), static_cast<int>(s * 255), static_cast<int>(l * 255)};
        for (int i = 0; i < 6; ++i)
            if (ids[i] != typedBox)
                EXPECT_EQ(expected[i], Box(ids[i])) << "box " << ids[i] << " colour " << std::hex << color;
            else
                EXPECT_NEAR(expected[i], Box(ids[i]), 3) << "typed box " << ids[i];
        CUXLuminanceBar& bar = dialog.m_pageCustom.m_bar;
        EXPECT_NEAR(h, bar.m_hue, 0.02);
        EXPECT_NEAR(s, bar.m_saturation, 0.02);
        EXPECT_NEAR(bar.LuminanceToY(static_cast<int>(l * 255)), bar.GetMarker().y, 1);
    }
};

TEST(ColorDialog, HexBoxSwatchesAndHoneycombFollowTheNewColour)
{
    OpenDialog open(RGB(10, 200, 255), CUXColorDialog::kHexBox, 0);
    CUXColorDialog& dialog = open.dialog;
    ASSERT_NE(nullptr, dialog.GetHexBox());
    CString text;
    dialog.GetHexBox()->GetWindowText(text);
    EXPECT_STREQ("Hex: 0AC8FF", text.GetString());

    CUXColorHoneycomb& honeycomb = dialog.m_pageStandard.m_honeycomb;
    EXPECT_EQ(-1, honeycomb.GetSelectedCell());   // not a cell's colour
    // Without a selected cell the arrows start from the big black cell.
    honeycomb.SendMessage(WM_KEYDOWN, VK_LEFT, 0);
    EXPECT_EQ(134, honeycomb.GetSelectedCell());
    EXPECT_EQ(RGB(8, 8, 8), dialog.GetColor());
    dialog.GetHexBox()->GetWindowText(text);
    EXPECT_STREQ("Hex: 080808", text.GetString());

    // Right from the honeycomb's last cell selects the big white cell; the outline then goes round it.
    honeycomb.SelectCell(126);
    honeycomb.SendMessage(WM_KEYDOWN, VK_RIGHT, 0);
    EXPECT_EQ(CUXColorHoneycomb::kBigWhite, honeycomb.GetSelectedCell());
    EXPECT_EQ(RGB(255, 255, 255), dialog.GetColor());
    honeycomb.RedrawWindow();
    PumpPending();
    CRect window;
    honeycomb.GetWindowRect(&window);
    ScreenCopy screen(window);
    const auto& big = CUXColorHoneycomb::GetCells()[CUXColorHoneycomb::kBigWhite];
    EXPECT_EQ(RGB(0, 0, 0), screen.At(window.left + big.x + 14, window.top + big.y));              // the edge
    EXPECT_EQ(RGB(255, 255, 255), screen.At(window.left + big.x + 14, window.top + big.y + 15));   // inside
    const auto& small = CUXColorHoneycomb::GetCells()[63];   // the honeycomb's own white: no outline
    EXPECT_EQ(RGB(255, 255, 255), screen.At(window.left + small.x + 7, window.top + small.y));

    // A click selects the cell under the mouse; the swatch of the new colour shows it.
    const auto& red = CUXColorHoneycomb::GetCells()[117];
    honeycomb.SendMessage(WM_LBUTTONDOWN, MK_LBUTTON, MAKELPARAM(red.x + 7, red.y + 8));
    honeycomb.SendMessage(WM_LBUTTONUP, 0, MAKELPARAM(red.x + 7, red.y + 8));
    EXPECT_EQ(RGB(255, 0, 0), dialog.GetColor());
    dialog.RedrawWindow();
    PumpPending();
    CRect swatch = dialog.GetNewSwatchRect();
    dialog.ClientToScreen(&swatch);
    EXPECT_EQ(RGB(255, 0, 0), ScreenPixel(swatch.CenterPoint().x, swatch.CenterPoint().y));
    CRect current = dialog.GetCurrentSwatchRect();
    dialog.ClientToScreen(&current);
    EXPECT_EQ(RGB(1, 2, 3), ScreenPixel(current.CenterPoint().x, current.CenterPoint().y));
}

TEST(ColorDialog, CustomPageBoxesFieldAndBarAgreeAfterEveryChange)
{
    OpenDialog open(RGB(255, 0, 0), 0, 1);
    CUXColorDialog& dialog = open.dialog;
    EXPECT_EQ(0, open.Box(IDC_UX_COLOR_HUE));
    EXPECT_EQ(255, open.Box(IDC_UX_COLOR_SAT));
    EXPECT_EQ(127, open.Box(IDC_UX_COLOR_LUM));
    open.ExpectAgreement(0);

    open.Type(IDC_UX_COLOR_GREEN, 128);
    EXPECT_EQ(RGB(255, 128, 0), dialog.GetColor());
    open.ExpectAgreement(IDC_UX_COLOR_GREEN);

    open.Type(IDC_UX_COLOR_HUE, 170);   // blue
    EXPECT_GT(GetBValue(dialog.GetColor()), 200);
    open.ExpectAgreement(IDC_UX_COLOR_HUE);

    open.Type(IDC_UX_COLOR_SAT, 60);
    open.ExpectAgreement(IDC_UX_COLOR_SAT);

    open.Type(IDC_UX_COLOR_LUM, 200);
    open.ExpectAgreement(IDC_UX_COLOR_LUM);
    EXPECT_NEAR(200, open.Box(IDC_UX_COLOR_LUM), 3);

    // A text that is no value leaves everything as it was.
    COLORREF before = dialog.GetColor();
    dialog.m_pageCustom.SetDlgItemText(IDC_UX_COLOR_RED, "");
    PumpPending();
    EXPECT_EQ(before, dialog.GetColor());
    open.Type(IDC_UX_COLOR_RED, GetRValue(before));

    // Picking in the field with the mouse and moving the bar's marker with the keyboard.
    CUXColorField& field = dialog.m_pageCustom.m_field;
    field.SendMessage(WM_LBUTTONDOWN, MK_LBUTTON, MAKELPARAM(10, 10));
    field.SendMessage(WM_LBUTTONUP, 0, MAKELPARAM(10, 10));
    EXPECT_EQ(field.GetColor(), dialog.GetColor());
    open.ExpectAgreement(0);
    // The colour picked is the one drawn where the marker stands.
    field.RedrawWindow();
    PumpPending();
    CPoint marker = field.GetMarker();
    EXPECT_EQ(CPoint(10, 10), marker);
    field.ClientToScreen(&marker);
    EXPECT_EQ(field.GetColor(), ScreenPixel(marker.x, marker.y));

    CUXLuminanceBar& bar = dialog.m_pageCustom.m_bar;
    int row = bar.GetMarker().y;
    bar.SendMessage(WM_KEYDOWN, VK_UP, 0);
    EXPECT_EQ(row - 1, bar.GetMarker().y);
    open.ExpectAgreement(0);
}

TEST(ColorDialog, DoubleClickOnACellEndsWithItsColour)
{
    CTestHost host;
    CUXColorDialog dialog(RGB(0, 0, 0), RGB(0, 0, 0), 0, &host);
    CDialogDriver driver({[&](HWND)
                          {
                              const auto& teal = CUXColorHoneycomb::GetCells()[13];
                              dialog.m_pageStandard.m_honeycomb.PostMessage(WM_LBUTTONDBLCLK, MK_LBUTTON,
                                                                            MAKELPARAM(teal.x + 7, teal.y + 8));
                          }});
    EXPECT_EQ(IDOK, dialog.DoModal());
    EXPECT_EQ(RGB(0x33, 0x33, 0xFF), dialog.GetColor());
    EXPECT_EQ(1u, driver.StepsRun());
}

}   // namespace
