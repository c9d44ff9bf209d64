#include <gtest/gtest.h>

#include "framework/core/Core.h"

#include <cstring>
#include <thread>

namespace
{

unsigned char Byte(const CString& s, int i)
{
    return static_cast<unsigned char>(s.GetAt(i));
}

}   // namespace

TEST(StringConstruction, FromTextCharAndCounts)
{
    EXPECT_STREQ(CString("abc"), "abc");
    EXPECT_TRUE(CString(static_cast<const char*>(nullptr)).IsEmpty());
    EXPECT_STREQ(CString('x'), "x");
    EXPECT_STREQ(CString('-', 3), "---");
    EXPECT_TRUE(CString('-', 0).IsEmpty());
    EXPECT_STREQ(CString("abcdef", 3), "abc");
    EXPECT_TRUE(CString("abc", -1).IsEmpty());
}

TEST(StringConstruction, CopiesAreIndependent)
{
    CString a("one");
    CString b = a;
    b.SetAt(0, 'O');
    b += "!";
    EXPECT_STREQ(a, "one");
    EXPECT_STREQ(b, "One!");
}

TEST(StringAccess, OutsideTheStringIsHarmless)
{
    CString s("ab");
    EXPECT_EQ(s.GetAt(-1), 0);
    EXPECT_EQ(s.GetAt(2), 0);
    s.SetAt(5, 'x');
    s.SetAt(-1, 'x');
    EXPECT_STREQ(s, "ab");
    EXPECT_EQ(s[1], 'b');
}

TEST(StringConcatenation, AllOperandKinds)
{
    CString s("a");
    s += 'b';
    s += "cd";
    s += CString("e");
    s += static_cast<const char*>(nullptr);
    EXPECT_STREQ(s, "abcde");
    EXPECT_STREQ(CString("x") + "y", "xy");
    EXPECT_STREQ("x" + CString("y"), "xy");
    EXPECT_STREQ(CString("x") + 'y', "xy");
    EXPECT_STREQ('x' + CString("y"), "xy");
    EXPECT_STREQ(CString("x") + CString("y"), "xy");
}

TEST(StringComparison, ByteWiseAndCaseless)
{
    CString s("Apple");
    EXPECT_TRUE(s == "Apple");
    EXPECT_TRUE("Apple" == s);
    EXPECT_TRUE(s != "apple");
    EXPECT_LT(s.Compare("apple"), 0);
    EXPECT_EQ(s.CompareNoCase("aPPLE"), 0);
    EXPECT_GT(s.CompareNoCase("APP"), 0);
    EXPECT_LT(s.CompareNoCase("Apples"), 0);
    // Bytes above 0x7F compare as unsigned.
    EXPECT_GT(CString("ä").Compare("z"), 0);
    EXPECT_TRUE(CString("b") > CString("a"));
    EXPECT_TRUE(CString("a") <= "a");
    EXPECT_EQ(CString("Größe").CompareNoCase("GRÖßE"), 0);
    EXPECT_NE(CString("Größe").CompareNoCase("GROSSE"), 0);
}

TEST(StringSearch, FindReverseFindFindOneOf)
{
    CString s("C:\\Pics\\Sunset.JPG");
    EXPECT_EQ(s.Find('\\'), 2);
    EXPECT_EQ(s.Find('\\', 3), 7);
    EXPECT_EQ(s.Find('\\', 100), -1);
    EXPECT_EQ(s.Find('\\', -5), 2);
    EXPECT_EQ(s.Find("Sun"), 8);
    EXPECT_EQ(s.Find("Sun", 9), -1);
    EXPECT_EQ(s.Find(""), 0);
    EXPECT_EQ(s.Find("", s.GetLength() + 1), -1);
    EXPECT_EQ(s.ReverseFind('\\'), 7);
    EXPECT_EQ(s.ReverseFind('#'), -1);
    EXPECT_EQ(s.FindOneOf(".\\"), 2);
    EXPECT_EQ(s.FindOneOf("#"), -1);
    EXPECT_EQ(s.FindOneOf(""), -1);
}

TEST(StringExtraction, ClampsToTheString)
{
    CString s("abcdef");
    EXPECT_STREQ(s.Left(2), "ab");
    EXPECT_STREQ(s.Left(99), "abcdef");
    EXPECT_STREQ(s.Left(-1), "");
    EXPECT_STREQ(s.Mid(4), "ef");
    EXPECT_STREQ(s.Mid(1, 2), "bc");
    EXPECT_STREQ(s.Mid(4, 99), "ef");
    EXPECT_STREQ(s.Mid(-3, 2), "ab");
    EXPECT_STREQ(s.Mid(6), "");
    EXPECT_STREQ(s.Mid(99, 2), "");
    EXPECT_STREQ(s.Right(2), "ef");
    EXPECT_STREQ(s.Right(99), "abcdef");
    EXPECT_STREQ(s.Right(0), "");
}

TEST(StringCase, FollowsCodePage1252)
{
    CString s("straße äöü àéîõ ÿ šœž 123 ÷");
    s.MakeUpper();
    EXPECT_STREQ(s, "STRAßE ÄÖÜ ÀÉÎÕ Ÿ ŠŒŽ 123 ÷");
    s.MakeLower();
    EXPECT_STREQ(s, "straße äöü àéîõ ÿ šœž 123 ÷");
    CString t("ÀÞ×ŸÁ");
    t.MakeLower();
    EXPECT_STREQ(t, "àþ×ÿá");
    EXPECT_EQ(Byte(t, 2), 0xD7);   // multiplication sign is no letter
}

TEST(StringCase, EveryLetterPairRoundTrips)
{
    for (int c = 0; c < 256; ++c)
    {
        char ch = static_cast<char>(c);
        char up = CString::ToUpper1252(ch);
        if (up != ch)
        {
            EXPECT_EQ(CString::ToLower1252(up), ch) << c;
        }
    }
    EXPECT_EQ(static_cast<unsigned char>(CString::ToUpper1252('\xE1')), 0xC1);   // á -> Á
    EXPECT_EQ(static_cast<unsigned char>(CString::ToUpper1252('\xDF')), 0xDF);   // ß stays
    EXPECT_EQ(static_cast<unsigned char>(CString::ToUpper1252('\xFF')), 0x9F);   // ÿ -> Ÿ
}

TEST(StringCase, UpperCasedComparisonAgreesWithCompareNoCase)
{
    // Callers compare names by upper-casing both sides; that must match CompareNoCase for every pair.
    for (int a = 1; a < 256; ++a)
    {
        for (int b = 1; b < 256; ++b)
        {
            CString x(static_cast<char>(a)), y(static_cast<char>(b));
            bool caseless = x.CompareNoCase(y) == 0;
            x.MakeUpper();
            y.MakeUpper();
            ASSERT_EQ(x == y, caseless) << a << " " << b;
        }
    }
    CString name("ÿ.jpg");
    name.MakeUpper();
    EXPECT_STREQ(name, "Ÿ.JPG");
}

TEST(StringTrim, WhiteSpaceAndGivenCharacters)
{
    CString s(" \t\r\n text \n");
    s.TrimLeft();
    EXPECT_STREQ(s, "text \n");
    s.TrimRight();
    EXPECT_STREQ(s, "text");
    CString inner(" a b ");
    inner.Trim();
    EXPECT_STREQ(inner, "a b");
    CString all("    ");
    all.Trim();
    EXPECT_TRUE(all.IsEmpty());
}

TEST(StringEdit, Replace)
{
    CString s("a.b.c");
    EXPECT_EQ(s.Replace('.', '/'), 2);
    EXPECT_STREQ(s, "a/b/c");
    EXPECT_EQ(s.Replace("/", "--"), 2);
    EXPECT_STREQ(s, "a--b--c");
    EXPECT_EQ(s.Replace("--", ""), 2);
    EXPECT_STREQ(s, "abc");
    EXPECT_EQ(s.Replace("", "x"), 0);
    EXPECT_EQ(s.Replace("zz", "x"), 0);
    CString grow("aaa");
    EXPECT_EQ(grow.Replace("a", "aa"), 3);   // no re-scan of inserted text
    EXPECT_STREQ(grow, "aaaaaa");
    CString self("ab");
    EXPECT_EQ(self.Replace("a", self), 1);
    EXPECT_STREQ(self, "abb");
}

TEST(StringFormat, PrintfStyle)
{
    CString s;
    CString name("Sunset");
    s.Format("%s-%03d-%x-%c-%.2f", static_cast<const char*>(name), 7, 255, 'z', 1.5);
    EXPECT_STREQ(s, "Sunset-007-ff-z-1.50");
    s.Format("#%06x", 0x00FF8000u);
    EXPECT_STREQ(s, "#ff8000");
    // A CString argument passes its text whether or not it is cast, and may be the target itself.
    s.Format("%s|%s|%s", (LPCSTR)name, name, s);
    EXPECT_STREQ(s, "Sunset|Sunset|#ff8000");
}

TEST(StringFormat, LongResults)
{
    CString big('x', 5000);
    CString s;
    s.Format("[%s]", static_cast<const char*>(big));
    EXPECT_EQ(s.GetLength(), 5002);
    EXPECT_EQ(s[0], '[');
    EXPECT_EQ(s[5001], ']');
}

TEST(StringBuffer, GetBufferAndRelease)
{
    CString s;
    char* p = s.GetBuffer(10);
    std::strcpy(p, "hello");
    s.ReleaseBuffer();
    EXPECT_EQ(s.GetLength(), 5);
    EXPECT_STREQ(s, "hello");

    p = s.GetBuffer(0);
    p[1] = 'E';
    s.ReleaseBuffer(3);
    EXPECT_STREQ(s, "hEl");

    p = s.GetBuffer(4);
    std::memcpy(p, "abcd", 4);
    s.ReleaseBuffer(99);   // more than the buffer holds: the length stays within it
    EXPECT_STREQ(s, "abcd");

    // A caller that writes a full buffer and its terminator, as the window text functions do.
    p = s.GetBuffer(7);
    std::memcpy(p, "windows", 8);
    s.ReleaseBuffer();
    EXPECT_STREQ(s, "windows");
    EXPECT_EQ(s.GetLength(), 7);
}

namespace
{
bool FakeLoader(UINT id, CString& out)
{
    if (id != 42)
        return false;
    out = "Forty-two";
    return true;
}
}   // namespace

TEST(StringLoad, GoesThroughTheInstalledLoader)
{
    CString s("before");
    CString::StringLoader previous = CString::SetStringLoader(&FakeLoader);
    EXPECT_TRUE(s.LoadString(42));
    EXPECT_STREQ(s, "Forty-two");
    EXPECT_FALSE(s.LoadString(7));
    EXPECT_STREQ(s, "Forty-two");
    CString::SetStringLoader(previous);
}

TEST(StringThreads, IndependentCopiesAcrossThreads)
{
    CString shared("model text");
    CString seen;
    std::thread worker(
        [copy = shared, &seen]() mutable
        {
            for (int i = 0; i < 1000; ++i)
                copy += "x";
            seen = copy.Left(10);
        });
    for (int i = 0; i < 1000; ++i)
        shared.MakeUpper();
    worker.join();
    EXPECT_STREQ(seen, "model text");
    EXPECT_STREQ(shared, "MODEL TEXT");
}
