// Installing a show's embedded fonts on demand and removing them again.
#include "PlayerTestSupport.h"
#include "player/ShowFonts.h"
#include "show/ProjectPack.h"

#include <gtest/gtest.h>

#include <cstdlib>
#include <cstring>

using namespace playertest;

namespace
{

const char* kFace = "Vexul Test Face";

class CCountingInstaller : public CShowFontInstaller
{
public:
    int broadcasts = 0;

protected:
    void BroadcastFontChange() override { ++broadcasts; }
};

// Renames a font file's family (every name record that names it, same length, in place), so that the
// system takes it for a font of its own rather than a copy of one it has.
void RenameFamily(BYTE* font, size_t size)
{
    auto word = [&](size_t at) -> unsigned { return at + 2 <= size ? (font[at] << 8) | font[at + 1] : 0; };
    auto dword = [&](size_t at) -> size_t { return (static_cast<size_t>(word(at)) << 16) | word(at + 2); };
    unsigned tables = word(4);
    for (unsigned t = 0; t < tables; ++t)
    {
        size_t record = 12 + 16 * t;
        if (record + 16 > size || std::memcmp(font + record, "name", 4) != 0)
            continue;
        size_t table = dword(record + 8);
        unsigned count = word(table + 2);
        size_t strings = table + word(table + 4);
        for (unsigned i = 0; i < count; ++i)
        {
            size_t r = table + 6 + 12 * i;
            unsigned platform = word(r), id = word(r + 6), length = word(r + 8);
            size_t at = strings + word(r + 10);
            if ((id != 1 && id != 3 && id != 4 && id != 6 && id != 16) || at + length > size)
                continue;
            const char* pattern = "Vexulq";
            BOOL wide = platform == 0 || platform == 3;
            for (unsigned k = 0; k < length; ++k)
                font[at + k] = wide ? (k % 2 ? pattern[(k / 2) % 6] : 0) : pattern[k % 6];
        }
    }
}

// An embedded-font entry: the header names the face, the font file is the system's Tahoma under a family
// name of its own.
Bytes FontEntry(const char* headerFace)
{
    Bytes entry;
    HDC screen = GetDC(nullptr);
    CDC dc;
    dc.Attach(screen);
    std::vector<BYTE> block;
    if (GetEmbeddedFontData(&dc, "Tahoma", block) && block.size() > 64)
    {
        entry.assign(block.begin(), block.end());
        std::memset(entry.data(), 0, 64);
        std::strncpy(reinterpret_cast<char*>(entry.data()), headerFace, 63);
        RenameFamily(entry.data() + 64, entry.size() - 64);
    }
    dc.Detach();
    ReleaseDC(nullptr, screen);
    return entry;
}

std::string TempFontPath(const char* face)
{
    CString folder, longFolder;
    GetTempFolder(folder, longFolder);
    CString name;
    MakeTempFontFileName(face, name);
    return std::string(folder) + "\\" + std::string(name);
}

bool Exists(const std::string& path)
{
    return GetFileAttributesA(path.c_str()) != INVALID_FILE_ATTRIBUTES;
}

class ShowFontsTest : public ::testing::Test
{
protected:
    void SetUp() override
    {
        screen = GetDC(nullptr);
        dc.Attach(screen);
        DeleteFileA(TempFontPath(kFace).c_str());
    }
    void TearDown() override
    {
        dc.Detach();
        ReleaseDC(nullptr, screen);
        DeleteFileA(TempFontPath(kFace).c_str());
    }
    HDC screen = nullptr;
    CDC dc;
};

}   // namespace

TEST_F(ShowFontsTest, InstalledFaceNeedsNothing)
{
    CCountingInstaller fonts;
    CProjectPack pack;
    fonts.InstallShowFont("Tahoma", &dc, &pack);
    EXPECT_EQ(0, fonts.m_TempFonts.GetCount());
    EXPECT_EQ(0, fonts.broadcasts);
    EXPECT_TRUE(fonts.m_FaceNames.Contains("Tahoma"));
}

TEST_F(ShowFontsTest, MissingFaceComesFromThePackAndGoesAgain)
{
    Bytes entry = FontEntry(kFace);
    ASSERT_FALSE(entry.empty());
    CProjectPack pack;
    ASSERT_TRUE(pack.AddData("Vexul_Test_Face.NFNT", entry.data(), static_cast<int>(entry.size())));

    CCountingInstaller fonts;
    fonts.InstallShowFont(kFace, &dc, &pack);
    ASSERT_EQ(1, fonts.m_TempFonts.GetCount());
    std::string path = TempFontPath(kFace);
    EXPECT_STREQ(path.c_str(), fonts.m_TempFonts.GetAt(1));
    EXPECT_TRUE(Exists(path));
    EXPECT_TRUE(fonts.m_bInstalledThisPass);
    EXPECT_TRUE(fonts.m_bOwnBroadcast);
    EXPECT_EQ(1, fonts.broadcasts);
    EXPECT_EQ(&pack, fonts.m_pPack);

    // the player's own broadcast comes back: acknowledged, nothing installed
    EXPECT_FALSE(fonts.OnFontChange(nullptr));
    EXPECT_FALSE(fonts.m_bOwnBroadcast);
    EXPECT_EQ(1, fonts.m_TempFonts.GetCount());

    fonts.RemoveShowFonts();
    EXPECT_TRUE(fonts.m_TempFonts.m_bFontRemoved);
    EXPECT_FALSE(Exists(path));
    EXPECT_TRUE(fonts.m_bOwnBroadcast);
    EXPECT_EQ(2, fonts.broadcasts);
}

TEST_F(ShowFontsTest, AnotherProgramsFontChangeInstallsAgain)
{
    Bytes entry = FontEntry(kFace);
    ASSERT_FALSE(entry.empty());
    CProjectPack pack;
    ASSERT_TRUE(pack.AddData("Vexul_Test_Face.NFNT", entry.data(), static_cast<int>(entry.size())));
    CCountingInstaller fonts;
    fonts.InstallShowFont(kFace, &dc, &pack);
    ASSERT_EQ(1, fonts.m_TempFonts.GetCount());
    fonts.OnFontChange(nullptr);   // our own

    // someone removed our font: a foreign WM_FONTCHANGE brings it back
    fonts.RemoveShowFonts();
    fonts.m_bOwnBroadcast = FALSE;
    CWnd window;
    ASSERT_TRUE(window.CreateEx(0, AfxRegisterWndClass(0), "fonts", WS_POPUP, 0, 0, 10, 10, nullptr, nullptr));
    EXPECT_TRUE(fonts.OnFontChange(&window));
    EXPECT_TRUE(fonts.m_bInstalledThisPass);
    EXPECT_TRUE(Exists(TempFontPath(kFace)));
    fonts.RemoveShowFonts();
    window.DestroyWindow();
}

TEST_F(ShowFontsTest, FileBesideTheShowComesFirst)
{
    std::string folder = MakeTempFolder("vxfont");
    Bytes entry = FontEntry("Vexul Beside Face");
    ASSERT_FALSE(entry.empty());
    ASSERT_TRUE(WriteFileBytes(folder + "\\Vexul_Test_Face.NFNT", entry));
    CProjectPack pack;
    Bytes packEntry = FontEntry(kFace);
    pack.AddData("Vexul_Test_Face.NFNT", packEntry.data(), static_cast<int>(packEntry.size()));

    CCountingInstaller fonts;
    fonts.m_strShowFolder = folder.c_str();
    fonts.InstallShowFont(kFace, &dc, &pack);
    ASSERT_EQ(1, fonts.m_TempFonts.GetCount());
    // the temporary file is named after the face in the blob's header
    EXPECT_STREQ(TempFontPath("Vexul Beside Face").c_str(), fonts.m_TempFonts.GetAt(1));
    fonts.RemoveShowFonts();
    EXPECT_FALSE(Exists(TempFontPath("Vexul Beside Face")));
    RemoveFolder(folder);
}

TEST_F(ShowFontsTest, UnusableEntriesInstallNothing)
{
    CProjectPack pack;
    Bytes headerOnly(64, 0);
    std::strcpy(reinterpret_cast<char*>(headerOnly.data()), kFace);
    pack.AddData("Vexul_Test_Face.NFNT", headerOnly.data(), 40);   // stored padded, but holds no font
    CCountingInstaller fonts;
    fonts.InstallShowFont(kFace, &dc, &pack);
    EXPECT_EQ(0, fonts.m_TempFonts.GetCount());
    EXPECT_EQ(0, fonts.broadcasts);

    // a header naming a path is kept inside the temporary folder
    Bytes entry = FontEntry("..\\..\\evil:name");
    ASSERT_FALSE(entry.empty());
    CProjectPack bad;
    bad.AddData("Vexul_Test_Face.NFNT", entry.data(), static_cast<int>(entry.size()));
    fonts.InstallShowFont(kFace, &dc, &bad);
    ASSERT_EQ(1, fonts.m_TempFonts.GetCount());
    CString installed = fonts.m_TempFonts.GetAt(1);
    CString folder, longFolder;
    GetTempFolder(folder, longFolder);
    EXPECT_EQ(folder + "\\", installed.Left(folder.GetLength() + 1));
    EXPECT_EQ(-1, installed.Mid(folder.GetLength() + 1).Find('\\'));
    fonts.RemoveShowFonts();
}

TEST_F(ShowFontsTest, AFaceNamingAPathIsNotLookedForOutsideTheShowFolder)
{
    std::string outer = MakeTempFolder("vxfont");
    std::string folder = outer + "\\show";
    ASSERT_TRUE(CreateDirectoryA(folder.c_str(), nullptr));
    Bytes entry = FontEntry(kFace);
    ASSERT_FALSE(entry.empty());
    // the entry name of the face "..\Evil Face" would reach the show folder's parent
    ASSERT_TRUE(WriteFileBytes(outer + "\\Evil_Face.NFNT", entry));

    CCountingInstaller fonts;
    fonts.m_strShowFolder = folder.c_str();
    fonts.InstallShowFont("..\\Evil Face", &dc, nullptr);
    EXPECT_EQ(0, fonts.m_TempFonts.GetCount());
    EXPECT_EQ(0, fonts.broadcasts);
    fonts.RemoveShowFonts();
    RemoveFolder(outer);
}

TEST_F(ShowFontsTest, TwoPlayersShareTheFileUntilTheLastOneCloses)
{
    Bytes entry = FontEntry(kFace);
    ASSERT_FALSE(entry.empty());
    CProjectPack pack;
    ASSERT_TRUE(pack.AddData("Vexul_Test_Face.NFNT", entry.data(), static_cast<int>(entry.size())));
    const std::string path = TempFontPath(kFace);

    CCountingInstaller first, second;
    first.InstallShowFont(kFace, &dc, &pack);
    ASSERT_EQ(1, first.m_TempFonts.GetCount());
    second.m_TempFonts.Add(first.m_TempFonts.GetAt(1));   // the second player found the font installed
    second.InstallShowFont("Another Face", &dc, &pack);   // and installs nothing of its own
    ASSERT_EQ(1, second.m_TempFonts.GetCount());

    // The first to close leaves the file to the other; the last one removes it.
    first.RemoveShowFonts();
    EXPECT_TRUE(Exists(path));
    second.RemoveShowFonts();
    EXPECT_FALSE(Exists(path));
}

TEST_F(ShowFontsTest, AFileLeftBehindIsCheckedAndWrittenAgainWhenItIsNotTheFont)
{
    Bytes entry = FontEntry(kFace);
    ASSERT_FALSE(entry.empty());
    CProjectPack pack;
    ASSERT_TRUE(pack.AddData("Vexul_Test_Face.NFNT", entry.data(), static_cast<int>(entry.size())));
    const std::string path = TempFontPath(kFace);
    // The font file as the player writes it: the entry's data after its header, as the pack holds it.
    int stored = 0;
    const BYTE* data = pack.GetEntryData("Vexul_Test_Face.NFNT", stored);
    ASSERT_GT(stored, 64);
    const Bytes font(data + 64, data + stored);

    // A player killed while writing it left half the font.
    ASSERT_TRUE(WriteFileBytes(path, Bytes(font.begin(), font.begin() + font.size() / 2)));
    {
        CCountingInstaller fonts;
        fonts.InstallShowFont(kFace, &dc, &pack);
        ASSERT_EQ(1, fonts.m_TempFonts.GetCount());
        EXPECT_STREQ(path.c_str(), fonts.m_TempFonts.GetAt(1));
        EXPECT_TRUE(ReadFileBytes(path) == font);
        fonts.RemoveShowFonts();
        EXPECT_FALSE(Exists(path));
    }

    // The whole font left behind is used as it is.
    ASSERT_TRUE(WriteFileBytes(path, font));
    {
        CCountingInstaller fonts;
        fonts.InstallShowFont(kFace, &dc, &pack);
        EXPECT_EQ(1, fonts.m_TempFonts.GetCount());
        EXPECT_TRUE(ReadFileBytes(path) == font);
        fonts.RemoveShowFonts();
    }

    // Another font under that name, held by a running player: this player writes a file of its own.
    ASSERT_TRUE(WriteFileBytes(path, Bytes(font.begin(), font.begin() + 100)));
    CTempFontList other;
    other.Add(path.c_str());
    {
        CCountingInstaller fonts;
        fonts.InstallShowFont(kFace, &dc, &pack);
        ASSERT_EQ(1, fonts.m_TempFonts.GetCount());
        std::string own = static_cast<const char*>(fonts.m_TempFonts.GetAt(1));
        EXPECT_NE(path, own);
        EXPECT_TRUE(ReadFileBytes(own) == font);
        EXPECT_EQ(100u, ReadFileBytes(path).size());
        fonts.RemoveShowFonts();
        EXPECT_FALSE(Exists(own));
    }
    other.RemoveAll();
    EXPECT_FALSE(Exists(path));
}

TEST_F(ShowFontsTest, AFontThatCannotBeAddedLeavesNoFile)
{
    // What the entry holds is no font, and the same bytes wait in the temporary folder already.
    Bytes entry(64 + 3000, 0x5A);
    std::memset(entry.data(), 0, 64);
    std::strcpy(reinterpret_cast<char*>(entry.data()), kFace);
    CProjectPack pack;
    ASSERT_TRUE(pack.AddData("Vexul_Test_Face.NFNT", entry.data(), static_cast<int>(entry.size())));
    const std::string path = TempFontPath(kFace);
    ASSERT_TRUE(WriteFileBytes(path, Bytes(entry.begin() + 64, entry.end())));
    CCountingInstaller fonts;
    fonts.InstallShowFont(kFace, &dc, &pack);
    EXPECT_EQ(0, fonts.m_TempFonts.GetCount());
    EXPECT_EQ(0, fonts.broadcasts);
    EXPECT_FALSE(Exists(path));
}

TEST_F(ShowFontsTest, AFaceNamedLikeADeviceGetsAFileName)
{
    Bytes entry = FontEntry("AUX");
    ASSERT_FALSE(entry.empty());
    CProjectPack pack;
    ASSERT_TRUE(pack.AddData("AUX.NFNT", entry.data(), static_cast<int>(entry.size())));
    CCountingInstaller fonts;
    fonts.m_strShowFolder = "C:\\";   // an "AUX.NFNT" there would be the device: it is not looked for
    fonts.InstallShowFont("AUX", &dc, &pack);
    ASSERT_EQ(1, fonts.m_TempFonts.GetCount());
    CString installed = fonts.m_TempFonts.GetAt(1);
    EXPECT_EQ("\\_AUX.TFNT", installed.Mid(installed.ReverseFind('\\')));
    fonts.RemoveShowFonts();
    EXPECT_FALSE(Exists(static_cast<const char*>(installed)));
}
