#include "show/SettingsFile.h"

#include "ShowDataTestUtil.h"

#include <gtest/gtest.h>

#include <cstring>
#include <random>
#include <string>

using namespace showdata_test;

namespace
{

// A settings facade reading the given text (the block holds the text and its terminator).
class Reader
{
public:
    explicit Reader(const std::string& text) : m_block(text.begin(), text.end())
    {
        m_block.push_back('\0');
        EXPECT_TRUE(m_file.OpenMemoryText("VEXUL.INI", FALSE, m_block.data(), static_cast<int>(m_block.size())));
    }
    CSettingsFile& operator*() { return m_file; }
    CSettingsFile* operator->() { return &m_file; }

private:
    std::vector<char> m_block;
    CSettingsFile m_file;
};

std::string TextOf(CSettingsFile& file)
{
    int length = -1;
    const char* text = file.GetText(length);
    return std::string(text, static_cast<size_t>(length));
}

}   // namespace

TEST(SettingsTextWriting, ExactBytes)
{
    CSettingsFile file;
    ASSERT_TRUE(file.OpenMemoryText("VEXUL.INI", TRUE, nullptr, 0));
    file.WriteString("A", "X", "one");
    file.WriteString("a", "y", "Two");
    file.WriteString("B", "Z", "3");
    EXPECT_EQ("\r\n\r\n[A]\r\nX=one\r\nY=Two\r\n\r\n[B]\r\nZ=3\r\n", TextOf(file));
    file.Finish();
    EXPECT_EQ("\r\n\r\n[A]\r\nX=one\r\nY=Two\r\n\r\n[B]\r\nZ=3\r\n\r\n  ", TextOf(file));
}

TEST(SettingsTextWriting, ReturningToASectionOpensItAgain)
{
    CSettingsFile file;
    file.OpenMemoryText("T", TRUE, nullptr, 0);
    file.WriteString("A", "X", "1");
    file.WriteString("B", "Y", "2");
    file.WriteString("A", "Z", "3");
    EXPECT_EQ("\r\n\r\n[A]\r\nX=1\r\n\r\n[B]\r\nY=2\r\n\r\n[A]\r\nZ=3\r\n", TextOf(file));
}

TEST(SettingsTextWriting, NumbersAndColors)
{
    CSettingsFile file;
    file.OpenMemoryText("T", TRUE, nullptr, 0);
    file.WriteInt("S", "N", -42);
    file.WriteColor("S", "C", RGB(0x3A, 0x6E, 0xA5));
    file.WriteColor("S", "D", RGB(0, 0, 0x0F));
    EXPECT_EQ("\r\n\r\n[S]\r\nN=-42\r\nC=#3a6ea5\r\nD=#00000f\r\n", TextOf(file));
}

TEST(SettingsTextWriting, WrittenTextReadsBack)
{
    CSettingsFile writer;
    writer.OpenMemoryText("T", TRUE, nullptr, 0);
    writer.WriteString("SHOW", "VERSION", "020401");
    writer.WriteInt("WINDOW", "WIDTH", 640);
    writer.WriteColor("BACKGROUND", "COLOR", RGB(1, 2, 3));
    writer.Finish();
    int length = 0;
    const char* text = writer.GetText(length);

    std::vector<char> block(text, text + length + 1);   // with the terminator
    CSettingsFile reader;
    ASSERT_TRUE(reader.OpenMemoryText("T", FALSE, block.data(), static_cast<int>(block.size())));
    EXPECT_STREQ("020401", reader.ReadString("SHOW", "VERSION", ""));
    EXPECT_EQ(640, reader.ReadInt("WINDOW", "WIDTH", 0));
    EXPECT_EQ(RGB(1, 2, 3), reader.ReadColor("BACKGROUND", "COLOR", RGB(9, 9, 9)));
}

// ---------------------------------------------------------------------------------------------------

TEST(SettingsTextSearch, FirstOfTwoEqualSectionsCounts)
{
    Reader r("[S]\r\nK=first\r\n[S]\r\nK=second\r\n");
    EXPECT_STREQ("first", r->ReadString("S", "K", "def"));
}

TEST(SettingsTextSearch, OnlyTheFirstOfTwoEqualSectionsIsRead)
{
    Reader r("\r\n[S]\r\nA=1\r\n[T]\r\nB=2\r\n[s]\r\nA=3\r\nC=4\r\n[T]\r\nD=5\r\n");
    EXPECT_EQ(1, r->ReadInt("S", "A", -1));
    EXPECT_EQ(-1, r->ReadInt("S", "C", -1));   // only in the second [S]
    EXPECT_EQ(2, r->ReadInt("T", "B", -1));
    EXPECT_EQ(-1, r->ReadInt("T", "D", -1));
}

TEST(SettingsTextSearch, SectionAndKeyMatchRegardlessOfCaseValuesKeepTheirs)
{
    Reader r("\r\n[Show]\r\nTitle=My Show\r\n");
    EXPECT_STREQ("My Show", r->ReadString("SHOW", "TITLE", ""));
    EXPECT_STREQ("My Show", r->ReadString("show", "title", ""));
}

TEST(SettingsTextSearch, KeyIsFoundAsTailOfALongerKey)
{
    Reader r("\r\n[SHEET00]\r\nTEXT00_DELAY=500\r\nDELAY=3000\r\n");
    EXPECT_EQ(500, r->ReadInt("SHEET00", "DELAY", 7));
    Reader ordered("\r\n[SHEET00]\r\nDELAY=3000\r\nTEXT00_DELAY=500\r\n");
    EXPECT_EQ(3000, ordered->ReadInt("SHEET00", "DELAY", 7));
    EXPECT_EQ(500, ordered->ReadInt("SHEET00", "TEXT00_DELAY", 7));
}

TEST(SettingsTextSearch, KeyIsFoundInsideAValue)
{
    Reader r("\r\n[S]\r\nNOTE=see X=5 here\r\nX=1\r\n");
    EXPECT_STREQ("5 here", r->ReadString("S", "X", ""));
    // as the tail of a word inside a value, after an '=' inside a value, and with '=' in the key itself
    Reader words("\r\n[S]\r\nA=B=MAX=7\r\nX=1\r\nN=K=V=2\r\n");
    EXPECT_EQ(7, words->ReadInt("S", "X", -1));
    EXPECT_EQ(7, words->ReadInt("S", "MAX", -1));
    EXPECT_STREQ("MAX=7", words->ReadString("S", "B", ""));
    EXPECT_STREQ("V=2", words->ReadString("S", "N=K", ""));
    EXPECT_STREQ("B=MAX=7", words->ReadString("S", "", ""));   // the empty key: the first '='
}

// The reading rule as written, searching the whole text for every read: the indexed reading must give the
// same value for every section and key of any text.
std::string ReadByTheRule(const std::string& contents, const std::string& section, const std::string& key)
{
    auto upperOf = [](std::string t)
    {
        for (char& c : t)
            c = static_cast<char>(toupper(static_cast<unsigned char>(c)));
        return t;
    };
    const std::string text = "\r\n" + contents + "\r\n[]\r\n";
    const std::string upper = upperOf(text);
    const std::string header = "\r\n[" + upperOf(section) + "]";
    size_t head = upper.find(header);
    if (head == std::string::npos)
        return "def";
    size_t bodyStart = head + header.size();
    size_t bodyEnd = upper.find("\r\n[", bodyStart);
    const std::string entry = upperOf(key) + "=";
    size_t at = upper.find(entry, bodyStart);
    if (at == std::string::npos || at + entry.size() > bodyEnd)
        return "def";
    size_t valueStart = at + entry.size();
    size_t valueEnd = text.find("\r\n", valueStart);
    return valueEnd == valueStart ? "def" : text.substr(valueStart, valueEnd - valueStart);
}

TEST(SettingsTextSearch, IndexedReadingFollowsTheRuleOnAnyText)
{
    // Texts of pieces that make headers, keys, tails of keys, equal signs in values, half headers and
    // repeated sections; names and keys from the same pieces.
    const char* pieces[] = {"\r\n", "\r\n[",   "[",       "]",      "=",      "a",       "B",   "AB",
                            "x=",   "\r\n[A]", "\r\n[B]", "\r\n[]", "A=",     "AB=",     "BA=", "\n",
                            "\r",   "1",       "[A",      "]\r\n",  "ABABAB", "AAAAAAAA"};
    const char* names[] = {"A", "b", "", "AB", "A]", "A]B", "C", "\r\n[A"};
    const char* keys[] = {"A",    "B",     "AB", "BA",  "",          "X",          "A=B",
                          "AB=A", "B\r\n", "]",  "[A]", "BABABABAB", "AAAAAAAAAB", "ABAAAAAAAAA"};
    std::mt19937 rng(20240611);
    for (int round = 0; round < 3000; ++round)
    {
        std::string contents;
        const int count = static_cast<int>(rng() % 40);
        for (int i = 0; i < count; ++i)
            contents += pieces[rng() % (sizeof(pieces) / sizeof(pieces[0]))];
        Reader r(contents);
        for (const char* name : names)
            for (const char* key : keys)
                ASSERT_EQ(ReadByTheRule(contents, name, key), std::string(r->ReadString(name, key, "def")))
                    << "text \"" << contents << "\" section \"" << name << "\" key \"" << key << "\"";
    }
}

TEST(SettingsTextSearch, SearchStaysInsideTheSection)
{
    Reader r("\r\n[A]\r\nONE=1\r\n[B]\r\nTWO=2\r\n");
    EXPECT_EQ(-1, r->ReadInt("A", "TWO", -1));
    EXPECT_EQ(2, r->ReadInt("B", "TWO", -1));
    EXPECT_EQ(1, r->ReadInt("A", "ONE", -1));
    EXPECT_EQ(-1, r->ReadInt("B", "ONE", -1));
    EXPECT_EQ(-1, r->ReadInt("C", "ONE", -1));
}

TEST(SettingsTextSearch, SectionHeaderMustStartALine)
{
    Reader r("\r\nX=[A]\r\nK=wrong\r\n[A]\r\nK=right\r\n");
    EXPECT_STREQ("right", r->ReadString("A", "K", ""));
}

TEST(SettingsTextSearch, LastSectionEndsAtTheEndOfText)
{
    Reader r("[LAST]\r\nK=v");
    EXPECT_STREQ("v", r->ReadString("LAST", "K", ""));
}

TEST(SettingsTextSearch, EmptyValueGivesTheDefault)
{
    Reader r("\r\n[S]\r\nNAME=\r\nN=\r\n");
    EXPECT_STREQ("def", r->ReadString("S", "NAME", "def"));
    EXPECT_EQ(9, r->ReadInt("S", "N", 9));
}

TEST(SettingsTextSearch, MissingKeyGivesTheDefault)
{
    Reader r("\r\n[S]\r\nA=1\r\n");
    EXPECT_STREQ("Vexul", r->ReadString("S", "TITLE", "Vexul"));
    EXPECT_EQ(3000, r->ReadInt("S", "DELAY", 3000));
}

TEST(SettingsTextSearch, LongValuesAreCutToTheValueBuffer)
{
    std::string value(3000, 'v');
    Reader r("\r\n[S]\r\nK=" + value + "\r\n");
    CString read = r->ReadString("S", "K", "");
    EXPECT_EQ(CSettingsFile::VALUE_BUFFER_SIZE - 1, read.GetLength());
    EXPECT_EQ(std::string(CSettingsFile::VALUE_BUFFER_SIZE - 1, 'v'), read.str());
}

TEST(SettingsTextSearch, IntegersAreReadAsTheCLibraryDoes)
{
    Reader r("\r\n[S]\r\nA=abc\r\nB=  42\r\nC=12px\r\nD=-7\r\nE=+8\r\nF=99999999999\r\nG=-99999999999\r\n");
    EXPECT_EQ(0, r->ReadInt("S", "A", 5));
    EXPECT_EQ(42, r->ReadInt("S", "B", 5));
    EXPECT_EQ(12, r->ReadInt("S", "C", 5));
    EXPECT_EQ(-7, r->ReadInt("S", "D", 5));
    EXPECT_EQ(8, r->ReadInt("S", "E", 5));
    EXPECT_EQ(2147483647, r->ReadInt("S", "F", 5));
    EXPECT_EQ(-2147483647 - 1, r->ReadInt("S", "G", 5));
    EXPECT_EQ(-3, r->ReadInt("S", "MISSING", -3));
}

TEST(SettingsTextSearch, Colors)
{
    Reader r("\r\n[S]\r\nA=#3a6ea5\r\nB=#FFF\r\nC=#3A6EA5\r\nD=#3a6ea5ff\r\nE=#\r\n");
    EXPECT_EQ(RGB(0x3A, 0x6E, 0xA5), r->ReadColor("S", "A", RGB(1, 1, 1)));
    EXPECT_EQ(RGB(1, 1, 1), r->ReadColor("S", "B", RGB(1, 1, 1)));
    EXPECT_EQ(RGB(0x3A, 0x6E, 0xA5), r->ReadColor("S", "C", RGB(1, 1, 1)));
    EXPECT_EQ(RGB(0x3A, 0x6E, 0xA5), r->ReadColor("S", "D", RGB(1, 1, 1)));
    EXPECT_EQ(RGB(1, 1, 1), r->ReadColor("S", "E", RGB(1, 1, 1)));
    EXPECT_EQ(RGB(0, 0, 0), r->ReadColor("S", "MISSING", RGB(1, 1, 1)));   // a missing colour is black
}

TEST(SettingsTextSearch, HexBytes)
{
    EXPECT_EQ(0xA5, CSettingsFile::ParseHexByte("A5"));
    EXPECT_EQ(0x00, CSettingsFile::ParseHexByte("00"));
    EXPECT_EQ(0xFF, CSettingsFile::ParseHexByte("FF"));
    EXPECT_EQ(0x05, CSettingsFile::ParseHexByte("x5"));   // not a digit: 0
}

// ---------------------------------------------------------------------------------------------------

TEST(SettingsTextOpening, UnopenedFacadeGivesDefaults)
{
    CSettingsFile file;
    EXPECT_STREQ("d", file.ReadString("S", "K", "d"));
    EXPECT_EQ(12, file.ReadInt("S", "K", 12));
    EXPECT_FALSE(file.WriteString("S", "K", "v"));
}

TEST(SettingsTextOpening, NullBlockFailsAndReadsGiveDefaults)
{
    CSettingsFile file;
    EXPECT_FALSE(file.OpenMemoryText("T", FALSE, nullptr, 100));
    EXPECT_STREQ("d", file.ReadString("S", "K", "d"));
    EXPECT_EQ(12, file.ReadInt("S", "K", 12));
}

TEST(SettingsTextOpening, EmptyBlockGivesAnEmptyText)
{
    char block[4] = {'[', 'S', ']', 'X'};
    CSettingsFile file;
    EXPECT_TRUE(file.OpenMemoryText("T", FALSE, block, 0));
    EXPECT_STREQ("d", file.ReadString("S", "K", "d"));
    CSettingsFile negative;
    EXPECT_TRUE(negative.OpenMemoryText("T", FALSE, block, -5));
    EXPECT_EQ(4, negative.ReadInt("S", "K", 4));
}

TEST(SettingsTextOpening, TextEndsAtTheFirstZeroOrBeforeTheLastByte)
{
    const char zero[] = "\r\n[S]\r\nA=1\r\n\0\r\nB=2\r\n";
    CSettingsFile a;
    a.OpenMemoryText("T", FALSE, zero, sizeof(zero));
    EXPECT_EQ(1, a.ReadInt("S", "A", 0));
    EXPECT_EQ(0, a.ReadInt("S", "B", 0));

    // The last byte is the terminator even when it is not zero; the block is not written.
    const char noZero[] = {'[', 'S', ']', '\r', '\n', 'K', '=', '1', '2', '3'};
    CSettingsFile b;
    b.OpenMemoryText("T", FALSE, noZero, sizeof(noZero));
    EXPECT_EQ(12, b.ReadInt("S", "K", 0));
    EXPECT_EQ('3', noZero[9]);
}

TEST(SettingsTextOpening, TextFile)
{
    TempFolder folder;
    std::string path = folder.File("settings.txt");
    const std::string text = "[Tip]\r\nStart=1\r\nFile=tips.txt\r\n";
    ASSERT_TRUE(WriteFileBytes(path, Bytes(text.begin(), text.end())));

    CProfileStore store;
    ASSERT_TRUE(store.Open(CProfileStore::modeTextFile, path.c_str(), FALSE, nullptr, 0));
    char value[64];
    EXPECT_EQ(8, store.GetString("TIP", "FILE", "", value, sizeof(value)));
    EXPECT_STREQ("tips.txt", value);
    EXPECT_EQ(1, store.GetInt("tip", "start", 0));
    EXPECT_EQ(3, store.GetString("TIP", "NONE", "abc", value, sizeof(value)));
    EXPECT_EQ(2, store.GetString("TIP", "FILE", "", value, 3));   // cut to the caller's buffer
    EXPECT_STREQ("ti", value);
    EXPECT_FALSE(store.WriteString("TIP", "X", "1"));   // a text file is only read

    CProfileStore missing;
    EXPECT_FALSE(missing.Open(CProfileStore::modeTextFile, folder.File("none.txt").c_str(), FALSE, nullptr, 0));
    EXPECT_EQ(5, missing.GetInt("TIP", "START", 5));
}

#ifndef _WIN32
TEST(SettingsTextOpening, SystemProfilesAreWindowsOnly)
{
    CProfileStore winIni;
    EXPECT_FALSE(winIni.Open(CProfileStore::modeWinIni, "", FALSE, nullptr, 0));
    EXPECT_FALSE(winIni.WriteString("S", "K", "V"));
    EXPECT_EQ(3, winIni.GetInt("S", "K", 3));
    CProfileStore ini;
    EXPECT_FALSE(ini.Open(CProfileStore::modeIniFile, "x.ini", FALSE, nullptr, 0));
    char value[8];
    EXPECT_EQ(1, ini.GetString("S", "K", "d", value, sizeof(value)));
}
#else
TEST(SettingsTextOpening, PrivateIniFile)
{
    TempFolder folder;
    std::string path = folder.File("private.ini");
    CProfileStore ini;
    ASSERT_TRUE(ini.Open(CProfileStore::modeIniFile, path.c_str(), FALSE, nullptr, 0));
    EXPECT_TRUE(ini.WriteString("Sec", "Key", "Value"));
    char value[16];
    EXPECT_EQ(5, ini.GetString("Sec", "Key", "", value, sizeof(value)));
    EXPECT_STREQ("Value", value);
    EXPECT_TRUE(ini.WriteString("Sec", "Num", "17"));
    EXPECT_EQ(17, ini.GetInt("Sec", "Num", 0));
}
#endif
