// Resources by the user's language, code page 1252 texts.
#include "framework/win/Framework.h"
#include "WinTestIds.h"

#include <gtest/gtest.h>

#include <cstdlib>
#include <string>

namespace
{

class UILanguage : public ::testing::Test
{
protected:
    void TearDown() override { AfxSetUILanguage(0); }
    static CString Load(UINT id)
    {
        CString s("(none)");
        AfxLoadString(id, s);
        return s;
    }
};

TEST_F(UILanguage, GermanUserGetsGermanThenNeutralThenEnglish)
{
    AfxSetUILanguage(MAKELANGID(LANG_GERMAN, SUBLANG_GERMAN));
    EXPECT_STREQ("Deutsch eins", Load(IDS_IN_ALL));
    EXPECT_STREQ("Neutral two", Load(IDS_NEUTRAL_ENGLISH));   // the German block lacks it
    EXPECT_STREQ("English three", Load(IDS_ENGLISH_ONLY));
    EXPECT_STREQ("(none)", Load(99));
}

TEST_F(UILanguage, EnglishUserGetsEnglish)
{
    AfxSetUILanguage(MAKELANGID(LANG_ENGLISH, SUBLANG_ENGLISH_US));
    EXPECT_STREQ("English one", Load(IDS_IN_ALL));
    EXPECT_STREQ("English two", Load(IDS_NEUTRAL_ENGLISH));
}

TEST_F(UILanguage, OtherLanguagesGetTheNeutralCopy)
{
    AfxSetUILanguage(MAKELANGID(LANG_FRENCH, SUBLANG_FRENCH));
    EXPECT_STREQ("Neutral one", Load(IDS_IN_ALL));
    EXPECT_STREQ("English three", Load(IDS_ENGLISH_ONLY));
}

TEST_F(UILanguage, SwissGermanFallsBackToGerman)
{
    AfxSetUILanguage(MAKELANGID(LANG_GERMAN, SUBLANG_GERMAN_SWISS));
    EXPECT_STREQ("Deutsch eins", Load(IDS_IN_ALL));
}

TEST_F(UILanguage, CStringLoadStringUsesTheSameLookup)
{
    AfxSetUILanguage(MAKELANGID(LANG_GERMAN, SUBLANG_GERMAN));
    CString s;
    EXPECT_TRUE(s.LoadString(IDS_IN_ALL));
    EXPECT_STREQ("Deutsch eins", s);
    char buffer[8];
    EXPECT_EQ(7, AfxLoadString(IDS_IN_ALL, buffer, sizeof(buffer)));   // cut to the buffer
    EXPECT_STREQ("Deutsch", buffer);
}

TEST_F(UILanguage, MenusAndDialogsFollowTheLanguage)
{
    AfxSetUILanguage(MAKELANGID(LANG_GERMAN, SUBLANG_GERMAN));
    CMenu menu;
    ASSERT_TRUE(menu.LoadMenu(IDM_TEST));
    CString text;
    menu.GetSubMenu(0)->GetMenuString(ID_CMD_OPEN, text, MF_BYCOMMAND);
    EXPECT_STREQ("Öffnen", text);

    CDialog dlg;
    ASSERT_TRUE(dlg.Create(IDD_TEST));
    dlg.GetWindowText(text);
    EXPECT_STREQ("Prüfung", text);
    dlg.DestroyWindow();

    AfxSetUILanguage(MAKELANGID(LANG_ENGLISH, SUBLANG_ENGLISH_US));
    CMenu english;
    ASSERT_TRUE(english.LoadMenu(IDM_TEST));
    english.GetSubMenu(0)->GetMenuString(ID_CMD_OPEN, text, MF_BYCOMMAND);
    EXPECT_STREQ("Open", text);
    CDialog neutral;   // no English dialog: the neutral one
    ASSERT_TRUE(neutral.Create(IDD_TEST));
    neutral.GetWindowText(text);
    EXPECT_STREQ("Neutral dialog", text);
    neutral.DestroyWindow();
}

TEST(CodePage1252, LiteralAndResourceStringArriveAsCodePage1252Bytes)
{
    const char* literal = "geöffnet";
    EXPECT_EQ(std::string("ge\xF6"
                          "ffnet"),
              std::string(literal));
    CString s;
    ASSERT_TRUE(AfxLoadString(IDS_OPENED, s));
    EXPECT_EQ(std::string("ge\xF6"
                          "ffnet"),
              s.str());
}

// A program started as a German user (LC_ALL=de_DE.UTF-8) gets the German strings without being told; CTest
// runs this one in such a process (test_win_german).
TEST(UILanguageChild, StringsOfTheUsersLanguage)
{
    if (std::getenv("VEXUL_LANGUAGE_CHILD") == nullptr)
        GTEST_SKIP() << "runs as test_win_german only";
    EXPECT_EQ(MAKELANGID(LANG_GERMAN, SUBLANG_GERMAN), ::GetUserDefaultUILanguage());
    CString s;
    ASSERT_TRUE(s.LoadString(IDS_IN_ALL));
    EXPECT_STREQ("Deutsch eins", s);
}

}   // namespace
