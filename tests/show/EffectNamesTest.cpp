#include "show/EffectNames.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

namespace
{

// Sets the program's letter for one test and restores it.
class LanguageScope
{
public:
    explicit LanguageScope(char letter) : m_previous(GetLanguage()) { SetLanguage(letter); }
    ~LanguageScope() { SetLanguage(m_previous); }

private:
    char m_previous;
};

std::vector<std::string> Drain(CEffectNames& names, bool cover)
{
    std::vector<std::string> out;
    for (int guard = 0; guard < 40; ++guard)
    {
        CString text("unchanged");
        if (cover)
            names.NextCoverEffect(text);
        else
            names.NextPlainEffect(text);
        if (text.IsEmpty())
            break;
        out.push_back(text.str());
    }
    return out;
}

}   // namespace

TEST(ProgramLanguage, LetterIsSetAtStart)
{
    LanguageScope scope('G');
    EXPECT_EQ('G', GetLanguage());
    EXPECT_TRUE(IsGerman());
    SetLanguage('E');
    EXPECT_FALSE(IsGerman());
}

TEST(EffectNames, NewTableSelectsNone)
{
    CEffectNames effects;
    EXPECT_EQ(0, effects.m_nSelected);
    CString text;
    effects.GetText('I', text);
    EXPECT_STREQ("NONE", text);
    effects.GetText('G', text);
    EXPECT_STREQ("Keine Animation", text);
    effects.GetText('E', text);
    EXPECT_STREQ("None Animation", text);
}

TEST(EffectNames, KeysSelectTheirEntry)
{
    CEffectNames effects;
    effects.SelectByText('I', "COVER-FORM-OUTSIDE");
    EXPECT_EQ(22, effects.m_nSelected);
    effects.SelectByText('I', "COVER-FROM-OUTSIDE");   // the stored spelling is FORM
    EXPECT_EQ(22, effects.m_nSelected);
    effects.SelectByText('I', "MOVE-LEFTRIGHT");
    EXPECT_EQ(9, effects.m_nSelected);
    effects.SelectByText('I', "LEFT-RIGHT");
    EXPECT_EQ(1, effects.m_nSelected);
    effects.SelectByText('I', "left-right");   // case counts
    EXPECT_EQ(1, effects.m_nSelected);
}

TEST(EffectNames, EveryKeyAndNameSelectsItsOwnEntry)
{
    CEffectNames effects;
    for (int i = 0; i < CEffectNames::COUNT; ++i)
    {
        for (char letter : {'I', 'G', 'E'})
        {
            effects.m_nSelected = -1;
            const char* text = letter == 'I'   ? effects.GetKeyAt(i)
                               : letter == 'G' ? effects.GetGermanAt(i)
                                               : effects.GetEnglishAt(i);
            effects.SelectByText(letter, text);
            EXPECT_EQ(i, effects.m_nSelected) << letter << " " << text;
        }
    }
}

TEST(EffectNames, SelectionIsByBeginning)
{
    CEffectNames effects;
    effects.SelectByText('I', "COVER");
    EXPECT_EQ(15, effects.m_nSelected);
    effects.SelectByText('E', "Shift from b");
    EXPECT_EQ(12, effects.m_nSelected);
    effects.SelectByText('I', "");
    EXPECT_EQ(0, effects.m_nSelected);
    effects.SelectByText('X', "NONE");   // not a letter of the tables: nothing happens
    effects.m_nSelected = 5;
    effects.SelectByText('X', "NONE");
    EXPECT_EQ(5, effects.m_nSelected);
}

TEST(EffectNames, GermanNamesInCodePage1252)
{
    CEffectNames effects;
    effects.SelectByText('I', "COVER-FROM-RIGHT");
    CString text;
    effects.GetText('G', text);
    EXPECT_EQ(std::string("Von rechts \xFC"
                          "berdecken"),
              text.str());
    effects.SelectByText('G', "Von Au\xDF"
                              "en nach Innen");
    EXPECT_EQ(5, effects.m_nSelected);
}

TEST(EffectNames, GetTextWithAnotherLetterLeavesTheText)
{
    CEffectNames effects;
    CString text("keep");
    effects.GetText('Q', text);
    EXPECT_STREQ("keep", text);
    effects.m_nSelected = 99;   // out of range: names nothing
    effects.GetText('I', text);
    EXPECT_STREQ("", text);
}

// The slide background dialog lists these, in this order, and stops at the empty text.
TEST(EffectNames, PlainIterator)
{
    CEffectNames effects;
    effects.ResetIterator('E');
    const std::vector<std::string> plain = {
        "None Animation",     "From left to right",     "From right to left",     "From top to bottom",
        "From bottom to top", "From outside to inside", "From inside to outside", "Horiziontal stripes",
        "Vertical stripes",   "Shift from left",        "Shift from right",       "Shift from top",
        "Shift from bottom"};
    EXPECT_EQ(plain, Drain(effects, false));
    CString after("x");
    effects.NextPlainEffect(after);
    EXPECT_STREQ("", after);
}

TEST(EffectNames, CoverIterator)
{
    CEffectNames effects;
    effects.ResetIterator('G');
    const std::vector<std::string> german = {
        "Keine Animation",      "Nach rechts rotieren", "Nach unten rotieren",  "Von rechts überdecken",
        "Von links überdecken", "Von oben überdecken",  "Von unten überdecken", "Horizontal überdecken",
        "Vertikal überdecken",  "Von Innen überdecken", "Von Außen überdecken"};
    EXPECT_EQ(german, Drain(effects, true));

    effects.ResetIterator('E');
    std::vector<std::string> cover = Drain(effects, true);
    ASSERT_EQ(11u, cover.size());
    EXPECT_EQ("None Animation", cover[0]);
    EXPECT_EQ("Rotate to right", cover[1]);
    EXPECT_EQ("Cover from Outside", cover[10]);
}

TEST(EffectNames, CoverEffects)
{
    CEffectNames effects;
    EXPECT_TRUE(effects.IsCoverEffect("Rotate to right", 'E'));
    EXPECT_TRUE(effects.IsCoverEffect("Cover vertical", 'E'));
    EXPECT_FALSE(effects.IsCoverEffect("None Animation", 'E'));
    EXPECT_FALSE(effects.IsCoverEffect("Shift from left", 'E'));
    EXPECT_FALSE(effects.IsCoverEffect("Rotate to", 'E'));   // exact names only
    EXPECT_TRUE(effects.IsCoverEffect("Nach rechts rotieren", 'G'));
    EXPECT_FALSE(effects.IsCoverEffect("Rotate to right", 'G'));
    EXPECT_STREQ("Keine Animation", CEffectNames::GetNoneText('G'));
    EXPECT_STREQ("None Animation", CEffectNames::GetNoneText('E'));
    EXPECT_STREQ("None Animation", CEffectNames::GetNoneText('I'));
}

TEST(EffectNames, CopySelectedIndex)
{
    CEffectNames a, b;
    a.SelectByText('I', "COVER-VERTICAL");
    b.CopySelectedIndex(a);
    EXPECT_EQ(20, b.m_nSelected);
}

// ---------------------------------------------------------------------------------------------------

TEST(FillAnimNames, KeysAndProgramLanguage)
{
    LanguageScope scope('E');
    CFillAnimNames fill;
    CString text;
    fill.GetKey(text);
    EXPECT_STREQ("NONE", text);
    fill.SelectByKey("FROM_RIGHT");
    EXPECT_EQ(3, fill.m_nSelected);
    fill.GetText(text);
    EXPECT_STREQ("Fill from right", text);
    fill.SelectByKey("FROM_NOWHERE");
    EXPECT_EQ(3, fill.m_nSelected);
    fill.SelectByKey("FROM");
    EXPECT_EQ(1, fill.m_nSelected);

    SetLanguage('G');
    fill.GetText(text);
    EXPECT_EQ(std::string("Von links f\xFCllen"), text.str());
    fill.SelectByText("Von unten");
    EXPECT_EQ(4, fill.m_nSelected);
    fill.SelectByText("Fill from top");   // English names do not match in the German program
    EXPECT_EQ(4, fill.m_nSelected);
}

TEST(FillAnimNames, JoinedTexts)
{
    LanguageScope scope('E');
    CFillAnimNames fill;
    CString joined;
    fill.JoinTexts(joined);
    EXPECT_STREQ("None Animation|Fill from left|Fill from top|Fill from right|Fill from bottom||", joined);
    SetLanguage('X');
    fill.JoinTexts(joined);
    EXPECT_STREQ("", joined);
}

TEST(InsertAnimNames, NamesAndKeys)
{
    LanguageScope scope('G');
    CInsertAnimNames insert;
    insert.SelectByKey("FROM_BOTTOM");
    CString text;
    insert.GetText(text);
    EXPECT_STREQ("Von unten schieben", text);
    insert.GetKey(text);
    EXPECT_STREQ("FROM_BOTTOM", text);
    CString joined;
    insert.JoinTexts(joined);
    EXPECT_STREQ("Keine Animation|Von links schieben|Von oben schieben|Von rechts schieben|Von unten schieben||",
                 joined);
}

TEST(TextAnimNames, SelectionAndTexts)
{
    CTextAnimNames anim;
    anim.SelectByText('I', "TYPEWRITER");
    EXPECT_EQ(3, anim.m_nSelected);
    CString text;
    anim.GetText('G', text);
    EXPECT_STREQ("Schreibmaschine", text);
    anim.GetText('E', text);
    EXPECT_STREQ("Typewriter", text);
    anim.SelectByText('E', "Shift from top");
    EXPECT_EQ(2, anim.m_nSelected);
    anim.SelectByText('I', "COVER-FROM-LEFT");   // not a text animation
    EXPECT_EQ(2, anim.m_nSelected);
    CString keep("keep");
    anim.GetText('Z', keep);
    EXPECT_STREQ("keep", keep);

    CString joined;
    anim.JoinTexts('E', joined);
    EXPECT_STREQ("None Animation|Shift from left|Shift from top|Typewriter||", joined);
    anim.JoinTexts('I', joined);
    EXPECT_STREQ("", joined);
}
