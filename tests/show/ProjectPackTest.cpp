#include "show/ProjectPack.h"

#include "ShowDataTestUtil.h"

#include <gtest/gtest.h>

#include <cstring>
#include <memory>
#include <string>

#ifdef __linux__
#include <csignal>
#include <sys/resource.h>
#endif

using namespace showdata_test;

namespace
{

BOOL ReadPack(CProjectPack& pack, const Bytes& image)
{
    CMemFile file(image.data(), static_cast<UINT>(image.size()));
    CArchive ar(&file, CArchive::load);
    return pack.Read(ar);
}

std::string EntryText(CProjectPack& pack, const char* name)
{
    int size = 0;
    BYTE* data = pack.GetEntryData(name, size);
    if (data == nullptr)
        return "<absent>";
    return std::string(reinterpret_cast<const char*>(data), static_cast<size_t>(size));
}

std::string NameAt(const CProjectPack& pack, int index)
{
    CString name;
    if (!pack.GetEntryName(index, name))
        return "<none>";
    return name.str();
}

std::string DataOf(int i)
{
    return "entry " + std::to_string(i) +
           std::string(static_cast<size_t>(i % 300), static_cast<char>('a' + i % 26));
}

class ProjectPackTest : public ::testing::Test
{
protected:
    CMessageBoxRecorder m_boxes;   // no box may ever wait for a user
    TempFolder m_folder;
};

}   // namespace

// ---------------------------------------------------------------------------------------------------
// Entry names

TEST(PackEntryNames, PathIsReducedToItsFileName)
{
    EXPECT_STREQ("Sunset.JPG", CProjectPack::MakeEntryName("C:\\Pics\\Sunset.JPG"));
    EXPECT_STREQ("plain.bmp", CProjectPack::MakeEntryName("plain.bmp"));
    // A backslash only at the very start is kept.
    EXPECT_STREQ("\\root.bmp", CProjectPack::MakeEntryName("\\root.bmp"));
}

TEST(PackEntryNames, LongNamesKeepTheirExtension)
{
    EXPECT_STREQ("a_very_long_picture_.jpg",
                 CProjectPack::MakeEntryName("C:\\x\\a_very_long_picture_name_2004.jpeg"));
    EXPECT_STREQ("a_very_long_picture_.JPG", CProjectPack::MakeEntryName("a_very_long_picture_name_2004.JPG"));
    EXPECT_STREQ("abcdefghijklmnopqrstuvwx", CProjectPack::MakeEntryName("abcdefghijklmnopqrstuvwxyz"));
    // Extension too long for the rest of the name: the whole is cut at 24.
    EXPECT_STREQ("abcdefghijklmnopqrst.ext", CProjectPack::MakeEntryName("abcdefghijklmnopqrstuvwxyz.extension"));
    // 24 characters stay as they are.
    EXPECT_STREQ("abcdefghijklmnopqrst.bmp", CProjectPack::MakeEntryName("abcdefghijklmnopqrst.bmp"));
}

TEST(PackEntryNames, LookupIgnoresCaseAndFolder)
{
    CProjectPack pack;
    ASSERT_TRUE(pack.AddData("C:\\Pics\\Sunset.JPG", "x", 1));
    EXPECT_EQ("Sunset.JPG", NameAt(pack, 0));
    EXPECT_EQ(0, pack.FindEntry("sunset.jpg"));
    EXPECT_EQ(0, pack.FindEntry("D:\\Other\\SUNSET.JPG"));
    EXPECT_EQ(-1, pack.FindEntry("sunset.jpeg"));
    EXPECT_EQ("<none>", NameAt(pack, 1));
    EXPECT_EQ("<none>", NameAt(pack, -1));
}

TEST(PackEntryNames, LongNamesAreFoundByTheirLongForm)
{
    CProjectPack pack;
    ASSERT_TRUE(pack.AddData("a_very_long_picture_name_2004.jpeg", "x", 1));
    EXPECT_EQ("a_very_long_picture_.jpg", NameAt(pack, 0));
    EXPECT_EQ(0, pack.FindEntry("C:\\a_very_long_picture_name_2004.jpeg"));
    ASSERT_TRUE(pack.AddData("abcdefghijklmnopqrstuvwxyz", "y", 1));
    EXPECT_EQ("abcdefghijklmnopqrstuvwx", NameAt(pack, 1));
}

// ---------------------------------------------------------------------------------------------------
// Adding and removing

TEST_F(ProjectPackTest, DataIsStoredPaddedWithZeros)
{
    CProjectPack pack;
    ASSERT_TRUE(pack.AddData("empty", "", 0));
    ASSERT_TRUE(pack.AddData("a255", std::string(255, 'x').c_str(), 255));
    ASSERT_TRUE(pack.AddData("a256", std::string(256, 'y').c_str(), 256));
    int size = 0;
    BYTE* data = pack.GetEntryData("empty", size);
    ASSERT_NE(nullptr, data);
    EXPECT_EQ(256, size);
    EXPECT_EQ(std::string(256, '\0'), std::string(reinterpret_cast<char*>(data), 256));
    pack.GetEntryData("a255", size);
    EXPECT_EQ(256, size);
    data = pack.GetEntryData("a256", size);
    EXPECT_EQ(512, size);
    EXPECT_EQ(std::string(256, 'y') + std::string(256, '\0'), std::string(reinterpret_cast<char*>(data), 512));
    EXPECT_EQ(nullptr, pack.GetEntryData("missing", size));
}

TEST_F(ProjectPackTest, AddFileStoresTheFileUnderItsName)
{
    std::string path = m_folder.File("Sunset.JPG");
    ASSERT_TRUE(WriteFileBytes(path, Bytes{1, 2, 3}));
    CProjectPack pack;
    CString inOut(path.c_str());
    ASSERT_TRUE(pack.AddFile(inOut));
    EXPECT_STREQ(CProjectPack::MakeEntryName(path.c_str()), inOut);
#ifdef _WIN32
    EXPECT_STREQ("Sunset.JPG", inOut);
#endif
    EXPECT_EQ(std::string("\x01\x02\x03", 3) + std::string(253, '\0'), EntryText(pack, path.c_str()));
}

TEST_F(ProjectPackTest, EmptyFileIsStoredWith256Bytes)
{
    std::string path = m_folder.File("empty.bin");
    ASSERT_TRUE(WriteFileBytes(path, Bytes()));
    CProjectPack pack;
    CString inOut(path.c_str());
    ASSERT_TRUE(pack.AddFile(inOut));
    EXPECT_EQ(std::string(256, '\0'), EntryText(pack, path.c_str()));
}

TEST_F(ProjectPackTest, MissingFileIsNotAddedAndNothingIsShown)
{
    CProjectPack pack;
    pack.AddData("keep.bmp", "k", 1);
    CString path(m_folder.File("missing.bmp").c_str());
    CString before = path;
    EXPECT_FALSE(pack.AddFile(path));
    EXPECT_EQ(before, path);
    EXPECT_EQ(1, pack.GetEntryCount());
    EXPECT_EQ(0u, m_boxes.Count());
}

TEST_F(ProjectPackTest, FailedReplaceKeepsTheOldEntry)
{
    std::string path = m_folder.File("pic.bmp");
    CProjectPack pack;
    pack.AddData("pic.bmp", "old", 3);
    pack.AddData("other.bmp", "o", 1);
    CString inOut(path.c_str());   // no such file
    EXPECT_FALSE(pack.AddFile(inOut));
    EXPECT_EQ(2, pack.GetEntryCount());
    EXPECT_EQ("pic.bmp", NameAt(pack, 0));
    EXPECT_EQ("old", EntryText(pack, "pic.bmp").substr(0, 3));
}

TEST_F(ProjectPackTest, ReplacingMovesTheEntryToTheEnd)
{
    CProjectPack pack;
    pack.AddData("a.bmp", "A1", 2);
    pack.AddData("b.bmp", "B", 1);
    pack.AddData("c.bmp", "C", 1);
    ASSERT_TRUE(pack.AddData("A.BMP", "A2", 2));
    ASSERT_EQ(3, pack.GetEntryCount());
    EXPECT_EQ("b.bmp", NameAt(pack, 0));
    EXPECT_EQ("c.bmp", NameAt(pack, 1));
    EXPECT_EQ("A.BMP", NameAt(pack, 2));
    EXPECT_EQ("A2", EntryText(pack, "a.bmp").substr(0, 2));
    EXPECT_EQ("B", EntryText(pack, "b.bmp").substr(0, 1));
    EXPECT_EQ("C", EntryText(pack, "c.bmp").substr(0, 1));
}

TEST_F(ProjectPackTest, RemovingMovesLaterEntriesDown)
{
    CProjectPack pack;
    for (int i = 0; i < 5; ++i)
        pack.AddData(("e" + std::to_string(i)).c_str(), DataOf(i).c_str(), static_cast<int>(DataOf(i).size()));
    pack.RemoveEntry("E1");
    pack.RemoveEntry("missing");
    ASSERT_EQ(4, pack.GetEntryCount());
    const int left[] = {0, 2, 3, 4};
    for (int k = 0; k < 4; ++k)
    {
        EXPECT_EQ("e" + std::to_string(left[k]), NameAt(pack, k));
        std::string name = "e" + std::to_string(left[k]);
        EXPECT_EQ(DataOf(left[k]), EntryText(pack, name.c_str()).substr(0, DataOf(left[k]).size()));
    }
    EXPECT_EQ(-1, pack.FindEntry("e1"));
}

TEST_F(ProjectPackTest, FullPackRefusesNewEntriesButReplaces)
{
    CProjectPack pack;
    for (int i = 0; i < 500; ++i)
        ASSERT_TRUE(pack.AddData(("n" + std::to_string(i)).c_str(), "d", 1));
    EXPECT_EQ(500, pack.GetCapacity());
    EXPECT_FALSE(pack.AddData("one-more", "d", 1));
    EXPECT_EQ(500, pack.GetEntryCount());
    EXPECT_EQ(0u, m_boxes.Count());

    ASSERT_TRUE(pack.AddData("n7", "new", 3));
    EXPECT_EQ(500, pack.GetEntryCount());
    EXPECT_EQ("n7", NameAt(pack, 499));
    EXPECT_EQ("n8", NameAt(pack, 7));

    // The same through a file (its entry name depends on the system's path separator).
    std::string path = m_folder.File("n9");
    ASSERT_TRUE(WriteFileBytes(path, Bytes{'f'}));
    pack.RemoveEntry("n9");
    ASSERT_TRUE(pack.AddData(CProjectPack::MakeEntryName(path.c_str()), "old", 3));
    CString inOut(path.c_str());
    ASSERT_TRUE(pack.AddFile(inOut));
    EXPECT_EQ(500, pack.GetEntryCount());
    EXPECT_EQ("f", EntryText(pack, path.c_str()).substr(0, 1));
}

TEST_F(ProjectPackTest, DataTooLargeForTheSizeFieldIsRefused)
{
    CProjectPack pack;
    // 99,999,999 - 255 bytes and more would need a stored size beyond 8 digits.
    std::vector<char> big(99999744, 'z');
    EXPECT_FALSE(pack.AddData("big", big.data(), static_cast<int>(big.size())));
    EXPECT_EQ(0, pack.GetEntryCount());
    // One byte less still fits: stored as 99,999,744 bytes.
    ASSERT_TRUE(pack.AddData("big", big.data(), static_cast<int>(big.size()) - 1));
    int size = 0;
    ASSERT_NE(nullptr, pack.GetEntryData("big", size));
    EXPECT_EQ(99999744, size);
    pack.Clear();
    EXPECT_FALSE(pack.AddData("neg", "x", -1));
}

// ---------------------------------------------------------------------------------------------------
// Writing

TEST_F(ProjectPackTest, OneEntryPackExactBytes)
{
    CProjectPack pack;
    ASSERT_TRUE(pack.AddData("VEXUL.INI", "abc", 3));
    std::string path = m_folder.File("one.vxl");
    ASSERT_TRUE(pack.OpenForWrite(path.c_str(), "010203"));
    ASSERT_TRUE(pack.Write());
    ASSERT_TRUE(pack.Close());

    Bytes expected;
    AppendText(expected, "00000032"
                         "00"
                         "      "
                         "VEXUL___"
                         "010203  ");
    AppendText(expected, "00000016"
                         "00000001");
    AppendText(expected, "00000048");
    expected.insert(expected.end(), 8, 0);
    AppendText(expected, "VEXUL.INI");
    expected.insert(expected.end(), 24 - 9, 0);
    AppendText(expected, "00000256");
    AppendText(expected, "abc");
    expected.insert(expected.end(), 253, 0);
    ASSERT_EQ(352u, expected.size());
    EXPECT_EQ(expected, ReadFileBytes(path));
}

TEST_F(ProjectPackTest, CreatorIdIsCutToEightCharacters)
{
    CProjectPack pack;
    pack.AddData("x", "1", 1);
    std::string path = m_folder.File("c.vxl");
    ASSERT_TRUE(pack.OpenForWrite(path.c_str(), "0102030405"));
    ASSERT_TRUE(pack.Write());
    ASSERT_TRUE(pack.Close());
    Bytes image = ReadFileBytes(path);
    ASSERT_GE(image.size(), 32u);
    EXPECT_EQ("01020304", std::string(image.begin() + 24, image.begin() + 32));
}

TEST_F(ProjectPackTest, HeaderIsCompleteAlsoAfterReadingAnOddPack)
{
    // A pack whose header carries other bytes in its free fields is written back with the standard ones.
    Bytes image = BuildPack({{"a", Padded("1")}});
    memcpy(&image[8], "99xxxxxx", 8);
    CProjectPack pack;
    ASSERT_TRUE(ReadPack(pack, image));
    std::string path = m_folder.File("h.vxl");
    ASSERT_TRUE(pack.OpenForWrite(path.c_str(), "070809"));
    ASSERT_TRUE(pack.Write());
    ASSERT_TRUE(pack.Close());
    EXPECT_EQ(BuildPack({{"a", Padded("1")}}, "070809"), ReadFileBytes(path));
}

TEST_F(ProjectPackTest, WritingWithoutAnOpenFileFails)
{
    CProjectPack pack;
    pack.AddData("x", "1", 1);
    EXPECT_FALSE(pack.Write());
    EXPECT_FALSE(pack.Close());
    EXPECT_FALSE(pack.OpenForWrite(m_folder.File("no-such-folder/sub/x.vxl").c_str(), "010203"));
    EXPECT_FALSE(pack.Write());
    EXPECT_FALSE(pack.Close());
}

#ifdef __linux__
TEST_F(ProjectPackTest, FailedWritesAreReported)
{
    // A file size limit makes the system refuse the writes past it (the signal it would send is ignored).
    CProjectPack pack;
    pack.AddData("x", std::string(5000, 'x').c_str(), 5000);
    std::string path = m_folder.File("limited.vxl");
    ASSERT_TRUE(pack.OpenForWrite(path.c_str(), "010203"));

    struct rlimit previous;
    ASSERT_EQ(0, getrlimit(RLIMIT_FSIZE, &previous));
    void (*previousHandler)(int) = signal(SIGXFSZ, SIG_IGN);
    struct rlimit limited = previous;
    limited.rlim_cur = 1000;
    ASSERT_EQ(0, setrlimit(RLIMIT_FSIZE, &limited));
    BOOL written = pack.Write();
    BOOL closed = pack.Close();
    setrlimit(RLIMIT_FSIZE, &previous);
    signal(SIGXFSZ, previousHandler);

    EXPECT_FALSE(written);
    EXPECT_FALSE(closed);
}
#endif

TEST_F(ProjectPackTest, FiveHundredEntriesRoundTrip)
{
    CProjectPack pack;
    for (int i = 0; i < 500; ++i)
        ASSERT_TRUE(pack.AddData(("entry_" + std::to_string(i) + ".bmp").c_str(), DataOf(i).c_str(),
                                 static_cast<int>(DataOf(i).size())));
    std::string path = m_folder.File("full.vxl");
    ASSERT_TRUE(pack.OpenForWrite(path.c_str(), "020401"));
    ASSERT_TRUE(pack.Write());
    ASSERT_TRUE(pack.Close());

    CProjectPack back;
    CFile file;
    ASSERT_TRUE(file.Open(path.c_str(), CFile::modeRead | CFile::shareDenyNone));
    CArchive ar(&file, CArchive::load);
    ASSERT_TRUE(back.Read(ar));
    ASSERT_EQ(500, back.GetEntryCount());
    for (int i = 0; i < 500; ++i)
    {
        std::string name = "entry_" + std::to_string(i) + ".bmp";
        EXPECT_EQ(name, NameAt(back, i));
        EXPECT_EQ(EntryText(pack, name.c_str()), EntryText(back, name.c_str()));
    }
    EXPECT_EQ(0u, m_boxes.Count());
}

// ---------------------------------------------------------------------------------------------------
// Reading

TEST_F(ProjectPackTest, ReadsAHandBuiltPack)
{
    Bytes image = BuildPack({{"VEXUL.INI", Padded("[SHOW]")}, {"pic.bmp", Padded(std::string(300, 'p'))}});
    CProjectPack pack;
    ASSERT_TRUE(ReadPack(pack, image));
    EXPECT_EQ(2, pack.GetEntryCount());
    EXPECT_EQ("pic.bmp", NameAt(pack, 1));
    EXPECT_EQ(std::string(300, 'p') + std::string(212, '\0'), EntryText(pack, "pic.bmp"));
}

TEST_F(ProjectPackTest, ReadingReplacesWhatThePackHeld)
{
    CProjectPack pack;
    pack.AddData("old", "o", 1);
    ASSERT_TRUE(ReadPack(pack, BuildPack({{"new", Padded("n")}})));
    EXPECT_EQ(1, pack.GetEntryCount());
    EXPECT_EQ(-1, pack.FindEntry("old"));
}

TEST_F(ProjectPackTest, WrongSignatureIsRefused)
{
    Bytes image = BuildPack({{"a", Padded("1")}});
    image[16] = 'X';
    CProjectPack pack;
    EXPECT_FALSE(ReadPack(pack, image));
    EXPECT_EQ(0, pack.GetEntryCount());
}

TEST_F(ProjectPackTest, CountOutsideOneTo500IsRefused)
{
    Bytes image = BuildPack({{"a", Padded("1")}});
    memcpy(&image[40], "00000000", 8);
    CProjectPack pack;
    EXPECT_FALSE(ReadPack(pack, image));
    EXPECT_EQ(0, pack.GetEntryCount());
    memcpy(&image[40], "00000501", 8);
    EXPECT_FALSE(ReadPack(pack, image));
    EXPECT_EQ(0, pack.GetEntryCount());
}

TEST_F(ProjectPackTest, TruncatedPacksKeepTheEntriesReadWhole)
{
    Bytes image = BuildPack({{"a", Padded("1")}, {"b", Padded("2")}, {"c", Padded("3")}});
    const size_t dataStart = 32 + 16 + 3 * 48;
    CProjectPack pack;

    // Cut inside the third entry's data: two entries remain.
    Bytes cut(image.begin(), image.begin() + dataStart + 2 * 256 + 100);
    EXPECT_FALSE(ReadPack(pack, cut));
    EXPECT_EQ(2, pack.GetEntryCount());
    EXPECT_EQ("2", EntryText(pack, "b").substr(0, 1));
    EXPECT_EQ(-1, pack.FindEntry("c"));

    // Cut inside the directory: no entry can be paired with its data.
    Bytes dir(image.begin(), image.begin() + 32 + 16 + 48 + 20);
    EXPECT_FALSE(ReadPack(pack, dir));
    EXPECT_EQ(0, pack.GetEntryCount());

    // Cut inside the header and inside the count block.
    EXPECT_FALSE(ReadPack(pack, Bytes(image.begin(), image.begin() + 20)));
    EXPECT_FALSE(ReadPack(pack, Bytes(image.begin(), image.begin() + 40)));
    EXPECT_FALSE(ReadPack(pack, Bytes()));
    EXPECT_EQ(0, pack.GetEntryCount());
}

TEST_F(ProjectPackTest, LengthAndSizeFieldsMustBeDigits)
{
    const Bytes good = BuildPack({{"a", Padded("1")}});
    CProjectPack pack;
    const size_t fields[] = {0, 32, 40, 48, 48 + 40};   // header, count block, count, record, size
    for (size_t offset : fields)
    {
        Bytes image = good;
        image[offset + 3] = ' ';
        EXPECT_FALSE(ReadPack(pack, image)) << "field at " << offset;
        EXPECT_EQ(0, pack.GetEntryCount()) << "field at " << offset;
    }
    EXPECT_TRUE(ReadPack(pack, good));
}

TEST_F(ProjectPackTest, BlocksShorterThanTheirKindFail)
{
    Bytes image = BuildPack({{"a", Padded("1")}});
    memcpy(&image[0], "00000031", 8);
    CProjectPack pack;
    EXPECT_FALSE(ReadPack(pack, image));

    image = BuildPack({{"a", Padded("1")}});
    memcpy(&image[48], "00000008", 8);   // directory record
    EXPECT_FALSE(ReadPack(pack, image));
    EXPECT_EQ(0, pack.GetEntryCount());
}

TEST_F(ProjectPackTest, LongerBlocksAreSkippedPastTheirOwnBytes)
{
    // Header and record announce 4 extra bytes each; the reader skips them.
    Bytes image;
    AppendText(image, "00000036"
                      "00      VEXUL___010203  "
                      "JUNK");
    AppendText(image, "00000016"
                      "00000001");
    AppendText(image, "00000052");
    image.insert(image.end(), 8, 0);
    AppendText(image, "name");
    image.insert(image.end(), 20, 0);
    AppendText(image, "00000256"
                      "MORE");
    Bytes data = Padded("payload");
    image.insert(image.end(), data.begin(), data.end());

    CProjectPack pack;
    ASSERT_TRUE(ReadPack(pack, image));
    EXPECT_EQ("name", NameAt(pack, 0));
    EXPECT_EQ("payload", EntryText(pack, "name").substr(0, 7));
}

TEST_F(ProjectPackTest, SizeBeyondTheSourceFails)
{
    Bytes image = BuildPack({{"a", Padded("1")}, {"b", Padded("2")}});
    memcpy(&image[48 + 48 + 40], "99999999", 8);   // second entry claims far more than remains
    CProjectPack pack;
    EXPECT_FALSE(ReadPack(pack, image));
    EXPECT_EQ(1, pack.GetEntryCount());
    EXPECT_EQ(0u, m_boxes.Count());
}

TEST_F(ProjectPackTest, NamesWithoutTerminatorAndEmptyNames)
{
    Bytes image = BuildPack({{"abcdefghijklmnopqrstuvwx", Padded("1")}, {"", Padded("2")}});
    CProjectPack pack;
    ASSERT_TRUE(ReadPack(pack, image));
    EXPECT_EQ("abcdefghijklmnopqrstuvwx", NameAt(pack, 0));
    EXPECT_EQ("<none>", NameAt(pack, 1));
    EXPECT_EQ(0, pack.FindEntry("ABCDEFGHIJKLMNOPQRSTUVWX"));
}

TEST_F(ProjectPackTest, ReadsFromAnArchivePositionedInsideALargerSource)
{
    // The pack need not start at the beginning of its source.
    Bytes image = BuildPack({{"a", Padded("1")}});
    Bytes source(10, 'x');
    source.insert(source.end(), image.begin(), image.end());
    CMemFile file(source.data(), static_cast<UINT>(source.size()));
    file.Seek(10, CFile::begin);
    CArchive ar(&file, CArchive::load);
    CProjectPack pack;
    EXPECT_TRUE(pack.Read(ar));
    EXPECT_EQ(1, pack.GetEntryCount());
}

TEST_F(ProjectPackTest, ClearEmptiesThePack)
{
    CProjectPack pack;
    pack.AddData("a", "1", 1);
    pack.Clear();
    EXPECT_EQ(0, pack.GetEntryCount());
    EXPECT_EQ(-1, pack.FindEntry("a"));
    EXPECT_EQ(0x1E00000, pack.GetMaxSize());
}

TEST_F(ProjectPackTest, OutOfMemoryMessage)
{
    CProjectPack pack;
    pack.ReportOutOfMemory();
    ASSERT_EQ(1u, m_boxes.Count());
    EXPECT_EQ("Out of Memory", m_boxes.LastText());
    EXPECT_EQ(static_cast<unsigned>(MB_OK), m_boxes.Records()[0].type);
}
