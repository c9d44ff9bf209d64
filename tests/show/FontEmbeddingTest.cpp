#include "show/FontEmbedding.h"
#include "support/win_TestFiles.h"

#include <gtest/gtest.h>

#include <cstdio>
#include <cstdlib>
#include <string>
#include <vector>

namespace
{

// A memory DC compatible with the screen, for the font calls.
class CScreenMemDC : public CDC
{
public:
    CScreenMemDC() { CreateCompatibleDC(nullptr); }
};

// Restores TEMP and TMP after a test changed them.
class CEnvironmentGuard
{
public:
    CEnvironmentGuard()
    {
        m_temp = Read("TEMP", m_hadTemp);
        m_tmp = Read("TMP", m_hadTmp);
    }
    ~CEnvironmentGuard()
    {
        ::SetEnvironmentVariableA("TEMP", m_hadTemp ? m_temp.c_str() : nullptr);
        ::SetEnvironmentVariableA("TMP", m_hadTmp ? m_tmp.c_str() : nullptr);
    }

private:
    static std::string Read(const char* name, bool& had)
    {
        char buffer[MAX_PATH + 1];
        DWORD n = ::GetEnvironmentVariableA(name, buffer, sizeof(buffer));
        had = n > 0 && n < sizeof(buffer);
        return had ? std::string(buffer) : std::string();
    }
    std::string m_temp, m_tmp;
    bool m_hadTemp = false, m_hadTmp = false;
};

std::vector<BYTE> FontFileOf(CDC& dc, const char* face)
{
    CFont font;
    font.CreateFont(-10, 0, 0, 0, FW_NORMAL, 0, 0, 0, 0, 0, 0, 0, 0, face);
    CFont* old = dc.SelectObject(&font);
    std::vector<BYTE> data;
    DWORD size = ::GetFontData(dc.GetSafeHdc(), 0, 0, nullptr, 0);
    if (size != GDI_ERROR && size > 0)
    {
        data.resize(size);
        ::GetFontData(dc.GetSafeHdc(), 0, 0, data.data(), size);
    }
    dc.SelectObject(old);
    return data;
}

int CALLBACK CollectTrueType(const LOGFONTA* logFont, const TEXTMETRICA*, DWORD fontType, LPARAM param)
{
    if ((fontType & TRUETYPE_FONTTYPE) && logFont->lfFaceName[0] != '@')
        reinterpret_cast<std::vector<std::string>*>(param)->push_back(logFont->lfFaceName);
    return 1;
}

// A TrueType face that this machine has as a single font file (not a collection), for the tests that need
// real font data. Which one depends on the machine.
std::string TrueTypeFace()
{
    static std::string face;
    if (!face.empty())
        return face;
    CScreenMemDC dc;
    std::vector<std::string> faces;
    LOGFONTA logFont = {};
    logFont.lfCharSet = ANSI_CHARSET;
    ::EnumFontFamiliesExA(dc.GetSafeHdc(), &logFont, CollectTrueType, reinterpret_cast<LPARAM>(&faces), 0);
    for (const char* preferred : {"Tahoma", "Liberation Sans", "DejaVu Sans"})
        faces.insert(faces.begin(), preferred);
    for (const std::string& candidate : faces)
    {
        CFont font;
        font.CreateFont(-10, 0, 0, 0, FW_NORMAL, 0, 0, 0, 0, 0, 0, 0, 0, candidate.c_str());
        CFont* old = dc.SelectObject(&font);
        CString selected;
        dc.GetTextFace(selected);
        dc.SelectObject(old);
        std::vector<BYTE> data = FontFileOf(dc, candidate.c_str());
        if (selected == candidate.c_str() && data.size() > 12 && memcmp(data.data(), "ttcf", 4) != 0)
        {
            face = candidate;
            break;
        }
    }
    return face;
}

unsigned ReadBig(const std::vector<BYTE>& d, size_t at, int bytes)
{
    unsigned v = 0;
    for (int i = 0; i < bytes; i++)
        v = (v << 8) | d[at + i];
    return v;
}

// The font file of 'face' with its name changed to 'newFace' (same length) and the OS/2 embedding
// licence bits set to fsType. The name is replaced in the name table, both as bytes and as UTF-16.
std::vector<BYTE> RenamedFont(const std::vector<BYTE>& original, const std::string& face,
                              const std::string& newFace, unsigned fsType)
{
    std::vector<BYTE> d = original;
    unsigned tables = ReadBig(d, 4, 2);
    for (unsigned t = 0; t < tables; t++)
    {
        size_t record = 12 + 16 * t;
        std::string tag(reinterpret_cast<const char*>(&d[record]), 4);
        size_t offset = ReadBig(d, record + 8, 4), length = ReadBig(d, record + 12, 4);
        if (offset + length > d.size())
            continue;
        if (tag == "OS/2" && length >= 10)
        {
            d[offset + 8] = static_cast<BYTE>(fsType >> 8);
            d[offset + 9] = static_cast<BYTE>(fsType);
        }
        if (tag == "name")
        {
            std::string wide, newWide;
            for (size_t i = 0; i < face.size(); i++)
            {
                wide += '\0';
                wide += face[i];
                newWide += '\0';
                newWide += newFace[i];
            }
            for (const auto& pair : {std::make_pair(face, newFace), std::make_pair(wide, newWide)})
            {
                for (size_t i = offset; i + pair.first.size() <= offset + length; i++)
                    if (memcmp(&d[i], pair.first.data(), pair.first.size()) == 0)
                        memcpy(&d[i], pair.second.data(), pair.second.size());
            }
        }
    }
    return d;
}

// A renamed copy of the machine's TrueType face, written to a file and added to the font table for the
// test's lifetime. The new face is "Vx" followed by the rest of the old name, with 'tag' as third letter.
class CInstalledTestFont
{
public:
    CInstalledTestFont(char tag, unsigned fsType, bool removeAtEnd = true) : m_remove(removeAtEnd)
    {
        std::string face = TrueTypeFace();
        if (face.size() < 4)
            return;
        CScreenMemDC dc;
        std::vector<BYTE> original = FontFileOf(dc, face.c_str());
        m_face = "Vx" + std::string(1, tag) + face.substr(3);
        std::vector<BYTE> data = RenamedFont(original, face, m_face, fsType);
        m_path = TempFolderPath() + "Vexul_Test_" + tag + ".TFNT";
        FILE* f = fopen(m_path.c_str(), "wb");
        if (!f)
            return;
        fwrite(data.data(), 1, data.size(), f);
        fclose(f);
        m_added = ::AddFontResourceA(m_path.c_str()) > 0;
    }
    ~CInstalledTestFont()
    {
        if (m_added && m_remove)
            ::RemoveFontResourceA(m_path.c_str());
        ::DeleteFileA(m_path.c_str());
    }
    bool Added() const { return m_added; }
    const std::string& Face() const { return m_face; }
    const std::string& Path() const { return m_path; }

private:
    std::string m_face, m_path;
    bool m_added = false;
    bool m_remove;
};

std::string SelectedFace(CDC& dc, const char* face)
{
    CFont font;
    font.CreateFont(-10, 0, 0, 0, FW_NORMAL, 0, 0, 0, 0, 0, 0, 0, 0, face);
    CFont* old = dc.SelectObject(&font);
    CString selected;
    dc.GetTextFace(selected);
    dc.SelectObject(old);
    return selected.GetString();
}

std::vector<BYTE> Blob(const std::string& header, size_t fontBytes)
{
    std::vector<BYTE> blob(64 + fontBytes, 0);
    memcpy(blob.data(), header.data(), header.size() < 64 ? header.size() : 64);
    return blob;
}

}   // namespace

// ---------------------------------------------------------------------------------------------------------
// Entry names and the embedded-font entry

TEST(FontEntry, NameReplacesBlanksAndAddsTheSuffix)
{
    CString name;
    MakeFontEntryName("Times New Roman", name);
    EXPECT_STREQ(name, "Times_New_Roman.NFNT");
    MakeFontEntryName("Tahoma", name);
    EXPECT_STREQ(name, "Tahoma.NFNT");
    MakeTempFontFileName("Times New Roman", name);
    EXPECT_STREQ(name, "Times_New_Roman.TFNT");
}

TEST(FontEntry, TemporaryFileNamesAreNeverDevices)
{
    CString name;
    for (const char* face : {"CON", "nul", "Aux", "PRN", "COM1", "lpt9", "CONIN$", "Con.Bold", "COM\xB9"})
    {
        MakeTempFontFileName(face, name);
        EXPECT_EQ('_', name.GetAt(0)) << face;
        EXPECT_FALSE(IsReservedDeviceName(name)) << face;
    }
    for (const char* face : {"Console", "COM10", "LPT", "Nulla Serif", "COM1 Sans", "Auxiliary"})
    {
        MakeTempFontFileName(face, name);
        EXPECT_NE('_', name.GetAt(0)) << face;
    }
    EXPECT_TRUE(IsReservedDeviceName("con .TFNT"));
    EXPECT_TRUE(IsReservedDeviceName("LPT1"));
    EXPECT_FALSE(IsReservedDeviceName("CON_.TFNT"));
}

TEST(FontEntry, EmbeddedDataIsHeaderThenTheWholeFontFile)
{
    const std::string face = TrueTypeFace();
    ASSERT_FALSE(face.empty());
    CScreenMemDC dc;
    std::vector<BYTE> file = FontFileOf(dc, face.c_str());
    ASSERT_GT(file.size(), 1000u);

    std::vector<BYTE> block;
    ASSERT_TRUE(GetEmbeddedFontData(&dc, face.c_str(), block));
    ASSERT_FALSE(block.empty());
    ASSERT_EQ(block.size(), file.size() + 64);
    EXPECT_STREQ(reinterpret_cast<const char*>(block.data()), face.c_str());
    for (size_t i = face.size(); i < 64; i++)
        EXPECT_EQ(block[i], 0) << i;
    EXPECT_EQ(memcmp(block.data() + 64, file.data(), file.size()), 0);

    CString readBack;
    EXPECT_TRUE(GetEmbeddedFontFaceName(block.data(), static_cast<DWORD>(block.size()), readBack));
    EXPECT_STREQ(readBack, face.c_str());

    // A block passed in is replaced.
    EXPECT_TRUE(GetEmbeddedFontData(&dc, face.c_str(), block));
    EXPECT_EQ(block.size(), file.size() + 64);
}

TEST(FontEntry, RestrictedLicenceGivesTheHeaderOnly)
{
    CInstalledTestFont restricted('r', 0x0002);
    ASSERT_TRUE(restricted.Added());
    CScreenMemDC dc;
    ASSERT_EQ(SelectedFace(dc, restricted.Face().c_str()), restricted.Face());
    EXPECT_TRUE(IsFontEmbeddingRestricted(&dc, restricted.Face().c_str()));

    std::vector<BYTE> block;
    ASSERT_TRUE(GetEmbeddedFontData(&dc, restricted.Face().c_str(), block));
    ASSERT_FALSE(block.empty());
    EXPECT_EQ(block.size(), 64u);
    EXPECT_STREQ(reinterpret_cast<const char*>(block.data()), restricted.Face().c_str());
}

TEST(FontEntry, LongFaceNameIsCutTo63Characters)
{
    std::string face(70, 'x');
    for (int i = 0; i < 70; i++)
        face[i] = static_cast<char>('a' + i % 26);
    CScreenMemDC dc;
    std::vector<BYTE> block;
    ASSERT_TRUE(GetEmbeddedFontData(&dc, face.c_str(), block));
    ASSERT_GT(block.size(), 64u);
    EXPECT_EQ(std::string(reinterpret_cast<const char*>(block.data()), 63), face.substr(0, 63));
    EXPECT_EQ(block[63], 0);
}

TEST(FontEntry, EmbeddingLeavesTheDCsFontInPlace)
{
    CScreenMemDC dc;
    HGDIOBJ before = ::GetCurrentObject(dc.GetSafeHdc(), OBJ_FONT);
    std::vector<BYTE> block;
    GetEmbeddedFontData(&dc, TrueTypeFace().c_str(), block);
    IsFontEmbeddingRestricted(&dc, TrueTypeFace().c_str());
    EXPECT_EQ(::GetCurrentObject(dc.GetSafeHdc(), OBJ_FONT), before);
}

// ---------------------------------------------------------------------------------------------------------
// Face names read back from a pack entry

TEST(FontBlobFaceName, PlainNameUpToTheFirstZero)
{
    std::vector<BYTE> blob = Blob("Times New Roman", 10);
    blob[20] = 'Z';   // after the terminator: ignored
    CString face;
    EXPECT_TRUE(GetEmbeddedFontFaceName(blob.data(), static_cast<DWORD>(blob.size()), face));
    EXPECT_STREQ(face, "Times New Roman");
}

TEST(FontBlobFaceName, CharactersInvalidInFileNamesBecomeUnderscores)
{
    std::vector<BYTE> blob = Blob("..\\..\\Win/dows:Fo*nt?\"<x>|\x01\x1f\x7f"
                                  "end",
                                  4);
    CString face;
    EXPECT_TRUE(GetEmbeddedFontFaceName(blob.data(), static_cast<DWORD>(blob.size()), face));
    EXPECT_STREQ(face, ".._.._Win_dows_Fo_nt___x_____end");
}

TEST(FontBlobFaceName, CodePageLettersStay)
{
    std::vector<BYTE> blob = Blob("Schrift Größe", 4);
    CString face;
    EXPECT_TRUE(GetEmbeddedFontFaceName(blob.data(), static_cast<DWORD>(blob.size()), face));
    EXPECT_STREQ(face, "Schrift Größe");
}

TEST(FontBlobFaceName, HeaderWithoutZeroGivesAtMost63Characters)
{
    std::vector<BYTE> blob(100, 'A');
    CString face;
    EXPECT_TRUE(GetEmbeddedFontFaceName(blob.data(), static_cast<DWORD>(blob.size()), face));
    EXPECT_EQ(face.GetLength(), 63);
    EXPECT_STREQ(face, std::string(63, 'A').c_str());
}

TEST(FontBlobFaceName, BlobOf64BytesOrLessIsIgnored)
{
    CString face = "old";
    std::vector<BYTE> blob = Blob("Tahoma", 0);
    EXPECT_FALSE(GetEmbeddedFontFaceName(blob.data(), 64, face));
    EXPECT_TRUE(face.IsEmpty());
    EXPECT_FALSE(GetEmbeddedFontFaceName(blob.data(), 10, face));
    EXPECT_FALSE(GetEmbeddedFontFaceName(nullptr, 1000, face));
    std::vector<BYTE> one = Blob("Tahoma", 1);
    EXPECT_TRUE(GetEmbeddedFontFaceName(one.data(), 65, face));
    EXPECT_STREQ(face, "Tahoma");
}

TEST(FontBlobFaceName, EmptyNameIsIgnored)
{
    std::vector<BYTE> blob = Blob("", 100);
    CString face;
    EXPECT_FALSE(GetEmbeddedFontFaceName(blob.data(), static_cast<DWORD>(blob.size()), face));
}

// ---------------------------------------------------------------------------------------------------------
// Installed fonts

TEST(FontInstalled, ListHoldsOneLinePerFamily)
{
    CScreenMemDC dc;
    CString list;
    int count = EnumInstalledFonts(&dc, list);
    EXPECT_GT(count, 0);
    EXPECT_GE(list.Find(("[" + TrueTypeFace() + "+").c_str()), 0);
    EXPECT_GE(list.Find("+FONTTYPE-TRUETYPE]\r\n"), 0);
    int lines = 0;
    for (int pos = list.Find("]\r\n"); pos >= 0; pos = list.Find("]\r\n", pos + 1))
        lines++;
    EXPECT_EQ(lines, count);
}

TEST(FontInstalled, FaceFoundIgnoringCaseAndAsPartOfAName)
{
    CScreenMemDC dc;
    CString list;
    EnumInstalledFonts(&dc, list);   // leaves the list in its own case: the tests upper-case it
    CString face(TrueTypeFace().c_str());
    CString lower = face, upper = face;
    lower.MakeLower();
    upper.MakeUpper();
    EXPECT_TRUE(IsFontInstalled(&dc, lower));
    EXPECT_TRUE(IsFontInstalled(&dc, upper));
    EXPECT_TRUE(IsFontInstalled(&dc, face.Left(face.GetLength() - 1)));   // part of an installed name
    EXPECT_FALSE(IsFontInstalled(&dc, "No Such Face Anywhere"));
}

TEST(FontInstalled, ListIsReadOnceUntilEnumeratedAgain)
{
    CScreenMemDC dc;
    CString list;
    EnumInstalledFonts(&dc, list);
    CInstalledTestFont added('n', 0);
    ASSERT_TRUE(added.Added());
    EXPECT_FALSE(IsFontInstalled(&dc, added.Face().c_str()));
    EnumInstalledFonts(&dc, list);
    EXPECT_TRUE(IsFontInstalled(&dc, added.Face().c_str()));
    EXPECT_TRUE(IsTrueTypeFont(&dc, added.Face().c_str()));
}

TEST(FontInstalled, TrueTypeTestLooksAtTheFoundEntry)
{
    CScreenMemDC dc;
    CString list;
    EnumInstalledFonts(&dc, list);
    EXPECT_TRUE(IsTrueTypeFont(&dc, TrueTypeFace().c_str()));
    EXPECT_FALSE(IsTrueTypeFont(&dc, "No Such Face Anywhere"));
    EXPECT_FALSE(IsTrueTypeFont(&dc, "["));   // a match at the very start does not count
}

// ---------------------------------------------------------------------------------------------------------
// Face-name list

TEST(FontNameList, AddsEachNameOnce)
{
    CFontNameList list;
    EXPECT_EQ(list.GetCount(), 0);
    EXPECT_EQ(list.Add("Tahoma"), 1);
    EXPECT_EQ(list.Add("Courier New"), 2);
    EXPECT_EQ(list.Add("Tahoma"), 2);
    EXPECT_EQ(list.Add("tahoma"), 3);   // comparison is exact
    EXPECT_TRUE(list.Contains("Courier New"));
    EXPECT_FALSE(list.Contains("courier new"));
    EXPECT_STREQ(list.GetAt(1), "Courier New");
    EXPECT_STREQ(list.GetAt(3), "");
    EXPECT_STREQ(list.GetAt(-1), "");
    EXPECT_STREQ(list.GetAt(50), "");
    list.Clear();
    EXPECT_EQ(list.GetCount(), 0);
    EXPECT_FALSE(list.Contains("Tahoma"));
}

TEST(FontNameList, The51stNameIsRefused)
{
    CFontNameList list;
    for (int i = 0; i < 50; i++)
    {
        CString name;
        name.Format("Face %d", i);
        EXPECT_EQ(list.Add(name), i + 1);
    }
    EXPECT_EQ(list.Add("One Too Many"), -1);
    EXPECT_EQ(list.GetCount(), 50);
    EXPECT_FALSE(list.Contains("One Too Many"));
    EXPECT_EQ(list.Add("Face 7"), 50);
    EXPECT_STREQ(list.GetAt(49), "Face 49");
}

// ---------------------------------------------------------------------------------------------------------
// Temporary font files

TEST(TempFontList, RemovesInstalledFontsAndTheirFiles)
{
    CInstalledTestFont font('t', 0, false);
    ASSERT_TRUE(font.Added());
    const std::string path = font.Path();

    CTempFontList list;
    EXPECT_FALSE(list.m_bFontRemoved);
    EXPECT_EQ(list.Add(path.c_str()), 1);
    EXPECT_EQ(list.Add((TempFolderPath() + "missing.TFNT").c_str()), 2);
    list.RemoveAt(0);
    list.RemoveAt(3);
    EXPECT_STREQ(list.GetAt(1), path.c_str());

    list.RemoveAt(2);   // no file: the place is emptied, nothing removed
    EXPECT_STREQ(list.GetAt(2), "");
    EXPECT_FALSE(list.m_bFontRemoved);

    list.RemoveAll();
    EXPECT_TRUE(list.m_bFontRemoved);
    EXPECT_EQ(::GetFileAttributesA(path.c_str()), INVALID_FILE_ATTRIBUTES);
    EXPECT_EQ(list.GetCount(), 0);
    CScreenMemDC dc;
    EXPECT_NE(SelectedFace(dc, font.Face().c_str()), font.Face());
}

// ---------------------------------------------------------------------------------------------------------
// Temporary folder

TEST(TempFolderLookup, TempComesFirst)
{
    CEnvironmentGuard guard;
    std::string base = TempFolderPath();
    std::string a = base + "vx-temp-a", b = base + "vx-temp-b";
    ::CreateDirectoryA(a.c_str(), nullptr);
    ::CreateDirectoryA(b.c_str(), nullptr);
    ::SetEnvironmentVariableA("TEMP", a.c_str());
    ::SetEnvironmentVariableA("TMP", b.c_str());
    CString path, longPath;
    EXPECT_TRUE(GetTempFolder(path, longPath));
    EXPECT_STREQ(path, a.c_str());
    EXPECT_EQ(CString(longPath).CompareNoCase(a.c_str()), 0);

    ::SetEnvironmentVariableA("TEMP", nullptr);
    EXPECT_TRUE(GetTempFolder(path, longPath));
    EXPECT_STREQ(path, b.c_str());
    ::RemoveDirectoryA(a.c_str());
    ::RemoveDirectoryA(b.c_str());
}

TEST(TempFolderLookup, UnusableTempIsNotReplacedByTmp)
{
    CEnvironmentGuard guard;
    std::string usable = TempFolderPath() + "vx-temp-ok";
    ::CreateDirectoryA(usable.c_str(), nullptr);
    ::SetEnvironmentVariableA("TEMP", (TempFolderPath() + "vx-no-such-folder").c_str());
    ::SetEnvironmentVariableA("TMP", usable.c_str());
    CString path = "x", longPath = "y";
    EXPECT_FALSE(GetTempFolder(path, longPath));
    EXPECT_TRUE(path.IsEmpty());
    EXPECT_TRUE(longPath.IsEmpty());

    // A value longer than any path is still a set TEMP.
    ::SetEnvironmentVariableA("TEMP", (TempFolderPath() + std::string(400, 'x')).c_str());
    EXPECT_FALSE(GetTempFolder(path, longPath));
    EXPECT_TRUE(path.IsEmpty());
    ::RemoveDirectoryA(usable.c_str());
}

TEST(TempFolderLookup, NoVariableNoFolder)
{
    CEnvironmentGuard guard;
    ::SetEnvironmentVariableA("TEMP", nullptr);
    ::SetEnvironmentVariableA("TMP", nullptr);
    CString path, longPath;
    EXPECT_FALSE(GetTempFolder(path, longPath));
    EXPECT_TRUE(path.IsEmpty());
}

TEST(TempFolderLookup, DisplayPathNeedsABackslash)
{
    CString display = "x";
    EXPECT_FALSE(GetDisplayPath("nobackslash", display));
    EXPECT_TRUE(display.IsEmpty());
}

TEST(TempFolderLookup, DisplayPathTurnsShortNamesLong)
{
    std::string folder = TempFolderPath() + "Vexul Long Folder Name";
    ::CreateDirectoryA(folder.c_str(), nullptr);
    char shortPath[MAX_PATH] = {};
    ASSERT_GT(::GetShortPathNameA(folder.c_str(), shortPath, MAX_PATH), 0u);
    CString display;
    EXPECT_TRUE(GetDisplayPath(shortPath, display));
    EXPECT_EQ(display.Right(22), CString("Vexul Long Folder Name"));
    EXPECT_EQ(display.GetAt(1), ':');
    ::RemoveDirectoryA(folder.c_str());
}
