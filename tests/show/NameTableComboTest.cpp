// The name tables' combo-box filling.
#include "show/EffectNames.h"

#include "framework/win/Framework.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

namespace
{

std::vector<std::string> Items(CComboBox& combo)
{
    std::vector<std::string> items;
    for (int i = 0; i < combo.GetCount(); ++i)
    {
        CString text;
        combo.GetLBText(i, text);
        items.push_back(text.str());
    }
    return items;
}

const std::vector<std::string> kEnglishFills = {"None Animation", "Fill from left", "Fill from top",
                                                "Fill from right", "Fill from bottom"};

class NameTableCombo : public ::testing::Test
{
protected:
    void SetUp() override
    {
        previous = GetLanguage();
        ASSERT_TRUE(parent.CreateEx(0, nullptr, "host", WS_POPUP, 0, 0, 200, 200, nullptr, nullptr));
        ASSERT_TRUE(combo.Create(CBS_DROPDOWNLIST | WS_VISIBLE, CRect(0, 0, 150, 150), &parent, 1));
    }
    void TearDown() override { SetLanguage(previous); }
    char previous = 'E';
    CWnd parent;
    CComboBox combo;
};

TEST_F(NameTableCombo, FillListsTheEnglishNamesAndSelectsTheCurrentOne)
{
    SetLanguage(LETTER_ENGLISH);
    CFillAnimNames fill;
    fill.SetSelectedIndex(2);
    combo.AddString("old item");
    fill.FillComboBox(&combo);
    EXPECT_EQ(kEnglishFills, Items(combo));
    EXPECT_EQ(2, combo.GetCurSel());
}

TEST_F(NameTableCombo, GermanProgramListsGermanNames)
{
    SetLanguage(LETTER_GERMAN);
    CInsertAnimNames insert;
    insert.FillComboBox(&combo);
    const std::vector<std::string> german = {"Keine Animation", "Von links schieben", "Von oben schieben",
                                             "Von rechts schieben", "Von unten schieben"};
    EXPECT_EQ(german, Items(combo));
    EXPECT_EQ(0, combo.GetCurSel());
}

// A dialog may fill a list before its control exists: nothing is made then, the table keeps its selection and
// the control, once made, is filled like any other.
TEST_F(NameTableCombo, AComboBoxNotYetMadeIsFilledOnceItExists)
{
    SetLanguage(LETTER_ENGLISH);
    CFillAnimNames fill;
    fill.SetSelectedIndex(3);
    fill.FillComboBox(nullptr);
    CComboBox later;
    fill.FillComboBox(&later);
    EXPECT_EQ(nullptr, later.GetSafeHwnd());
    EXPECT_EQ(3, fill.GetSelectedIndex());

    ASSERT_TRUE(later.Create(CBS_DROPDOWNLIST, CRect(0, 0, 150, 150), &parent, 2));
    fill.FillComboBox(&later);
    EXPECT_EQ(kEnglishFills, Items(later));
    EXPECT_EQ(3, later.GetCurSel());
}

}   // namespace
