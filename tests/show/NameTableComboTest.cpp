// The name tables' combo-box filling.
#include "show/EffectNames.h"

#include "framework/win/Framework.h"

#include <gtest/gtest.h>

namespace
{

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
    ASSERT_EQ(CFillAnimNames::COUNT, combo.GetCount());
    for (int i = 0; i < CFillAnimNames::COUNT; ++i)
    {
        CString text;
        combo.GetLBText(i, text);
        EXPECT_STREQ(fill.GetEnglishAt(i), text);
    }
    EXPECT_EQ(2, combo.GetCurSel());
    CString last;
    combo.GetLBText(CFillAnimNames::COUNT - 1, last);
    EXPECT_STREQ("Fill from bottom", last);
}

TEST_F(NameTableCombo, GermanProgramListsGermanNames)
{
    SetLanguage(LETTER_GERMAN);
    CInsertAnimNames insert;
    insert.FillComboBox(&combo);
    ASSERT_EQ(CInsertAnimNames::COUNT, combo.GetCount());
    CString first;
    combo.GetLBText(0, first);
    EXPECT_STREQ(insert.GetGermanAt(0), first);
    EXPECT_EQ(0, combo.GetCurSel());
}

TEST_F(NameTableCombo, NoComboBoxDoesNothing)
{
    CFillAnimNames fill;
    fill.FillComboBox(nullptr);
    CComboBox unattached;
    fill.FillComboBox(&unattached);
    SUCCEED();
}

}   // namespace
