#include <gtest/gtest.h>

#include "framework/core/Core.h"
#include "TempFolder.h"

#include <cstdlib>
#include <cstring>
#include <vector>

namespace
{

std::vector<BYTE> Pattern(size_t n)
{
    std::vector<BYTE> v(n);
    for (size_t i = 0; i < n; ++i)
        v[i] = static_cast<BYTE>(i * 7 + 3);
    return v;
}

}   // namespace

TEST(DiskFile, WriteThenReadBack)
{
    TempFolder dir;
    std::string path = dir.File("data.bin");
    std::vector<BYTE> data = Pattern(100000);
    {
        CFile f;
        ASSERT_TRUE(f.Open(path.c_str(), CFile::modeCreate | CFile::modeWrite | CFile::typeBinary));
        EXPECT_TRUE(f.Write(data.data(), static_cast<UINT>(data.size())));
        EXPECT_EQ(f.GetLength(), data.size());
        EXPECT_EQ(f.GetPosition(), data.size());
        EXPECT_TRUE(f.Write(nullptr, 0));
        EXPECT_NE(f.GetFilePath().Find("data.bin"), -1);
    }
    CFile f;
    ASSERT_TRUE(f.Open(path.c_str(), CFile::modeRead | CFile::shareDenyWrite));
    EXPECT_EQ(f.GetLength(), data.size());
    std::vector<BYTE> back(data.size() + 10, 0xEE);
    EXPECT_EQ(f.Read(back.data(), static_cast<UINT>(back.size())), data.size());
    EXPECT_EQ(std::memcmp(back.data(), data.data(), data.size()), 0);
    EXPECT_EQ(f.Read(back.data(), 10), 0u);   // at the end
    f.Close();
    EXPECT_FALSE(f.IsOpen());
    EXPECT_EQ(f.Read(back.data(), 10), 0u);
    EXPECT_FALSE(f.Write(back.data(), 10));
    EXPECT_EQ(f.Seek(0, CFile::begin), -1);
}

TEST(DiskFile, SeekFromEachOrigin)
{
    TempFolder dir;
    std::string path = dir.File("seek.bin");
    CFile f(path.c_str(), CFile::modeCreate | CFile::modeReadWrite);
    ASSERT_TRUE(f.IsOpen());
    ASSERT_TRUE(f.Write("0123456789", 10));
    EXPECT_EQ(f.Seek(2, CFile::begin), 2);
    EXPECT_EQ(f.Seek(3, CFile::current), 5);
    EXPECT_EQ(f.Seek(-1, CFile::end), 9);
    char c = 0;
    EXPECT_EQ(f.Read(&c, 1), 1u);
    EXPECT_EQ(c, '9');
    EXPECT_EQ(f.Seek(-20, CFile::current), -1);   // before the start: refused
    EXPECT_EQ(f.GetPosition(), 10u);
    f.SeekToBegin();
    EXPECT_EQ(f.GetPosition(), 0u);
    EXPECT_EQ(f.SeekToEnd(), 10u);
    EXPECT_EQ(f.Seek(0, 7), -1);   // no such origin
    EXPECT_EQ(f.GetPosition(), 10u);
}

TEST(DiskFile, CreateFlagsTruncateOrKeep)
{
    TempFolder dir;
    std::string path = dir.File("keep.txt");
    {
        CFile f(path.c_str(), CFile::modeCreate | CFile::modeWrite);
        ASSERT_TRUE(f.Write("abcdef", 6));
    }
    {
        CFile f(path.c_str(), CFile::modeCreate | CFile::modeNoTruncate | CFile::modeReadWrite);
        ASSERT_TRUE(f.IsOpen());
        EXPECT_EQ(f.GetLength(), 6u);
    }
    {
        CFile f(path.c_str(), CFile::modeCreate | CFile::modeWrite);
        ASSERT_TRUE(f.IsOpen());
        EXPECT_EQ(f.GetLength(), 0u);
    }
}

TEST(DiskFile, OpenFailuresAreReported)
{
    TempFolder dir;
    CFile f;
    EXPECT_FALSE(f.Open(dir.File("missing.bin").c_str(), CFile::modeRead));
    EXPECT_FALSE(f.IsOpen());
    EXPECT_FALSE(f.Open(dir.File("no-such-folder/x.bin").c_str(), CFile::modeCreate | CFile::modeWrite));
    EXPECT_FALSE(f.Open("", CFile::modeRead));
    EXPECT_FALSE(f.Open(nullptr, CFile::modeRead));
    EXPECT_EQ(f.GetLength(), 0u);
}

TEST(DiskFile, AFolderIsNoFile)
{
    TempFolder dir;
    std::string folder = dir.File("sub");
    std::filesystem::create_directory(folder);
    CFile f;
    EXPECT_FALSE(f.Open(folder.c_str(), CFile::modeRead | CFile::shareDenyNone));
    EXPECT_FALSE(f.IsOpen());
    EXPECT_TRUE(f.GetFilePath().IsEmpty());
}

TEST(DiskFile, ReadOnlyFileRefusesWrites)
{
    TempFolder dir;
    std::string path = dir.File("ro.bin");
    {
        CFile f(path.c_str(), CFile::modeCreate | CFile::modeWrite);
        ASSERT_TRUE(f.Write("x", 1));
    }
    CFile f(path.c_str(), CFile::modeRead | CFile::shareDenyNone);
    ASSERT_TRUE(f.IsOpen());
    EXPECT_FALSE(f.Write("y", 1));
}

TEST(DiskFile, SharedReadersOpenTogether)
{
    TempFolder dir;
    std::string path = dir.File("shared.bin");
    {
        CFile f(path.c_str(), CFile::modeCreate | CFile::modeWrite);
        ASSERT_TRUE(f.Write("abc", 3));
    }
    CFile a(path.c_str(), CFile::modeRead | CFile::shareDenyWrite);
    CFile b(path.c_str(), CFile::modeRead | CFile::shareDenyWrite);
    EXPECT_TRUE(a.IsOpen());
    EXPECT_TRUE(b.IsOpen());
}

TEST(MemoryFile, GrowsInSteps)
{
    CMemFile f(16);
    std::vector<BYTE> data = Pattern(1000);
    for (size_t i = 0; i < data.size(); i += 10)
        ASSERT_TRUE(f.Write(&data[i], 10));
    EXPECT_EQ(f.GetLength(), 1000u);
    EXPECT_EQ(std::memcmp(f.GetData(), data.data(), 1000), 0);
    f.SeekToBegin();
    std::vector<BYTE> back(2000);
    EXPECT_EQ(f.Read(back.data(), 2000), 1000u);
    EXPECT_EQ(std::memcmp(back.data(), data.data(), 1000), 0);
}

TEST(MemoryFile, WritePastTheEndFillsZeros)
{
    CMemFile f;
    EXPECT_EQ(f.Seek(4, CFile::begin), 4);
    ASSERT_TRUE(f.Write("ab", 2));
    ASSERT_EQ(f.GetLength(), 6u);
    const BYTE expected[] = {0, 0, 0, 0, 'a', 'b'};
    EXPECT_EQ(std::memcmp(f.GetData(), expected, 6), 0);
    EXPECT_EQ(f.Seek(-7, CFile::end), -1);
    EXPECT_EQ(f.GetPosition(), 6u);
    char c;
    EXPECT_EQ(f.Seek(10, CFile::begin), 10);
    EXPECT_EQ(f.Read(&c, 1), 0u);
}

TEST(MemoryFile, AttachedBlockIsReadInPlaceAndNeverWritten)
{
    const BYTE block[] = {1, 2, 3, 4, 5};
    CMemFile f;
    f.Attach(block, sizeof(block));
    EXPECT_EQ(f.GetData(), block);   // no copy
    EXPECT_EQ(f.GetLength(), 5u);
    BYTE back[8] = {};
    EXPECT_EQ(f.Read(back, 8), 5u);
    EXPECT_EQ(back[4], 5);
    f.SeekToBegin();
    EXPECT_FALSE(f.Write("x", 1));   // read-only
    EXPECT_EQ(block[0], 1);
    EXPECT_EQ(f.Detach(), block);
    EXPECT_EQ(f.GetLength(), 0u);
}

TEST(MemoryFile, AttachedWithGrowthCopiesOnFirstWrite)
{
    const BYTE block[] = {1, 2, 3};
    CMemFile f(block, sizeof(block), 64);
    f.Seek(0, CFile::end);
    ASSERT_TRUE(f.Write("\x09", 1));
    EXPECT_NE(f.GetData(), block);
    EXPECT_EQ(f.GetLength(), 4u);
    EXPECT_EQ(f.GetData()[0], 1);
    EXPECT_EQ(f.GetData()[3], 9);
    EXPECT_EQ(block[2], 3);
}

TEST(MemoryFile, DetachHandsOverTheBuffer)
{
    CMemFile f;
    ASSERT_TRUE(f.Write("hello", 5));
    BYTE* data = f.Detach();
    ASSERT_NE(data, nullptr);
    EXPECT_EQ(std::memcmp(data, "hello", 5), 0);
    EXPECT_EQ(f.GetLength(), 0u);
    std::free(data);
    ASSERT_TRUE(f.Write("x", 1));   // usable again
    EXPECT_EQ(f.GetLength(), 1u);
}

TEST(MemoryFile, RuntimeClassChain)
{
    CMemFile f;
    EXPECT_TRUE(f.IsKindOf(RUNTIME_CLASS(CFile)));
    EXPECT_TRUE(f.IsKindOf(RUNTIME_CLASS(CObject)));
    CFile d;
    EXPECT_FALSE(d.IsKindOf(RUNTIME_CLASS(CMemFile)));
}
