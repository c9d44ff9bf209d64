// The editor's file helpers: chunked copies that never lose data, the overwrite question, path tests; the
// date stamp.
#include "EditorTestSupport.h"
#include "editor/DateStamp.h"
#include "editor/FileHelpers.h"

#include <gtest/gtest.h>

#include <cstring>

using namespace editortest;

namespace
{

Bytes Pattern(size_t size, BYTE seed)
{
    Bytes bytes(size);
    for (size_t i = 0; i < size; i++)
        bytes[i] = static_cast<BYTE>(seed + i * 7);
    return bytes;
}

// A file in memory that remembers the size of every write and can refuse one.
class CRecordingFile : public CMemFile
{
public:
    bool Write(const void* buffer, UINT count) override
    {
        writes.push_back(count);
        if (failAt >= 0 && static_cast<int>(writes.size()) > failAt)
            return false;
        return CMemFile::Write(buffer, count);
    }
    std::vector<UINT> writes;
    int failAt = -1;
};

std::vector<std::string> FilesIn(const std::string& folder)
{
    std::vector<std::string> names;
    WIN32_FIND_DATAA found;
    HANDLE search = FindFirstFileA((folder + "\\*").c_str(), &found);
    if (search == INVALID_HANDLE_VALUE)
        return names;
    do
        if (!(found.dwFileAttributes & FILE_ATTRIBUTE_DIRECTORY))
            names.push_back(found.cFileName);
    while (FindNextFileA(search, &found));
    FindClose(search);
    return names;
}

}   // namespace

TEST(FileHelpers, CopiesInChunksOf4048Bytes)
{
    Bytes data = Pattern(10000, 1);
    CMemFile source(data.data(), static_cast<UINT>(data.size()));
    CRecordingFile target;
    ULONGLONG copied = 0;
    EXPECT_TRUE(CopyFileData(source, target, &copied));
    EXPECT_EQ((std::vector<UINT>{4048, 4048, 1904}), target.writes);
    EXPECT_EQ(10000u, copied);
    ASSERT_EQ(10000u, target.GetLength());
    EXPECT_EQ(0, std::memcmp(data.data(), target.GetData(), data.size()));

    // A refused write ends the copy and is reported.
    CMemFile again(data.data(), static_cast<UINT>(data.size()));
    CRecordingFile failing;
    failing.failAt = 1;
    EXPECT_FALSE(CopyFileData(again, failing, &copied));
    EXPECT_EQ(4048u, copied);
    EXPECT_EQ(2u, failing.writes.size());
}

TEST(FileHelpers, CopyReplacesTheTargetAndLeavesAFileCopiedOntoItselfIntact)
{
    CTempFolder from("vxcopy_a"), to("vxcopy_b");
    Bytes data = Pattern(10000, 3);
    ASSERT_TRUE(WriteFileBytes(from / "VEXUL.EXE", data));
    ASSERT_TRUE(WriteFileBytes(to / "VEXUL.EXE", Pattern(50000, 9)));

    EXPECT_TRUE(CopyFileToFolder("VEXUL.EXE", from.Path().c_str(), to.Path().c_str()));
    EXPECT_EQ(data, ReadFileBytes(to / "VEXUL.EXE"));

    // The same file under another spelling of its path: nothing is truncated, and it counts as copied.
    std::string lower = from.Path();
    for (char& c : lower)
        c = static_cast<char>(tolower(static_cast<unsigned char>(c)));
    EXPECT_TRUE(CopyFileToFolder("VEXUL.EXE", from.Path().c_str(), (lower + "\\.").c_str()));
    EXPECT_TRUE(CopyFileWithPrompt((from / "vexul.exe").c_str(), (from / "VEXUL.EXE").c_str(), TRUE));
    EXPECT_EQ(data, ReadFileBytes(from / "VEXUL.EXE"));

    // No temporary file is left behind.
    EXPECT_EQ(std::vector<std::string>{"VEXUL.EXE"}, FilesIn(to.Path()));
    EXPECT_EQ(std::vector<std::string>{"VEXUL.EXE"}, FilesIn(from.Path()));

    // A missing source copies nothing; an empty one counts as failed although the empty target is made.
    CCopyResult missing = CopyFileToFolder("MISSING.EXE", from.Path().c_str(), to.Path().c_str());
    EXPECT_FALSE(missing);
    EXPECT_EQ(CCopyResult::sourceMissing, missing.outcome);
    EXPECT_STREQ((from / "MISSING.EXE").c_str(), missing.path);
    EXPECT_FALSE(FileExists((to / "MISSING.EXE").c_str()));
    ASSERT_TRUE(WriteFileBytes(from / "EMPTY.TXT", Bytes()));
    EXPECT_FALSE(CopyFileToFolder("EMPTY.TXT", from.Path().c_str(), to.Path().c_str()));
    EXPECT_TRUE(FileExists((to / "EMPTY.TXT").c_str()));
}

TEST(FileHelpers, ATargetThatCannotBeReplacedKeepsItsBytes)
{
    CTempFolder folder("vxcopy_lock");
    Bytes old = Pattern(3000, 5);
    ASSERT_TRUE(WriteFileBytes(folder / "target.bin", old));
    ASSERT_TRUE(WriteFileBytes(folder / "source.bin", Pattern(9000, 6)));
    // Held open without sharing, as a running program holds its file.
    HANDLE held =
        CreateFileA((folder / "target.bin").c_str(), GENERIC_READ, 0, nullptr, OPEN_EXISTING, 0, nullptr);
    ASSERT_NE(INVALID_HANDLE_VALUE, held);
    CCopyResult copy = CopyFileWithPrompt((folder / "target.bin").c_str(), (folder / "source.bin").c_str(), FALSE);
    EXPECT_FALSE(copy);
    CloseHandle(held);
    EXPECT_EQ(old, ReadFileBytes(folder / "target.bin"));
    EXPECT_EQ(2u, FilesIn(folder.Path()).size());

    // The failure says which step failed on which file, and the system's reason.
    EXPECT_EQ(CCopyResult::targetNotWritten, copy.outcome);
    EXPECT_STREQ((folder / "target.bin").c_str(), copy.path);
    ASSERT_NE(0u, copy.error);
    EXPECT_EQ("Not copied.\n\nThe file \"" + folder / "target.bin" +
                  "\" cannot be written in full; it stays as it was.\n" + SystemErrorText(copy.error).GetString(),
              std::string(WithCopyFailure("Not copied.", copy)));
    const std::string nowhere = folder / "gone\\target.bin";
    copy = CopyFileWithPrompt(nowhere.c_str(), (folder / "source.bin").c_str(), FALSE);
    EXPECT_EQ(CCopyResult::targetNotCreated, copy.outcome);
    EXPECT_EQ(static_cast<DWORD>(ERROR_PATH_NOT_FOUND), copy.error);
    CGermanTexts german;
    EXPECT_EQ(0u, std::string(WithCopyFailure("", copy))
                      .find("\n\nDie Datei \"" + nowhere + "\" kann nicht angelegt werden.\n"));
}

TEST(FileHelpers, AsksBeforeOverwritingInTheProgramsLanguage)
{
    CTempFolder folder("vxcopy_ask");
    std::string target = folder / "show.vxl", source = folder / "new.vxl";
    ASSERT_TRUE(WriteFileBytes(target, Pattern(100, 1)));
    ASSERT_TRUE(WriteFileBytes(source, Pattern(200, 2)));

    CMessageBoxRecorder boxes(IDNO);
    CCopyResult copy = CopyFileWithPrompt(target.c_str(), source.c_str(), TRUE);
    EXPECT_FALSE(copy);
    EXPECT_TRUE(copy.Declined());
    ASSERT_EQ(1u, boxes.Count());
    EXPECT_EQ("File: \"" + target + "\" already exist !\nOverwrite file ?", boxes.LastText());
    EXPECT_EQ(MB_YESNO, boxes.Records()[0].type & MB_TYPEMASK);
    EXPECT_EQ(Pattern(100, 1), ReadFileBytes(target));

    boxes.SetAnswer(IDYES);
    {
        CGermanTexts german;
        copy = CopyFileWithPrompt(target.c_str(), source.c_str(), TRUE);
        EXPECT_TRUE(copy);
    }
    EXPECT_FALSE(copy.Declined());
    EXPECT_EQ("Die Datei: \"" + target +
                  "\" existiert bereits !\nDatei \xFC"
                  "berschreiben ?",
              boxes.LastText());
    EXPECT_EQ(Pattern(200, 2), ReadFileBytes(target));

    // Without the question, or without a target, nobody is asked.
    boxes.Clear();
    EXPECT_TRUE(CopyFileWithPrompt(target.c_str(), source.c_str(), FALSE));
    EXPECT_TRUE(CopyFileWithPrompt((folder / "fresh.vxl").c_str(), source.c_str(), TRUE));
    EXPECT_EQ(0u, boxes.Count());
}

TEST(FileHelpers, CopiesFromTheCurrentFolderWithoutASourceFolder)
{
    CTempFolder from("vxcopy_cwd"), to("vxcopy_dst");
    ASSERT_TRUE(WriteFileBytes(from / "a.bmp", Pattern(5000, 4)));
    char saved[MAX_PATH * 2];
    GetCurrentDirectoryA(sizeof(saved), saved);
    SetCurrentDirectoryA(from.Path().c_str());
    EXPECT_TRUE(CopyFileToFolder("a.bmp", "", to.Path().c_str()));
    SetCurrentDirectoryA(saved);
    EXPECT_EQ(Pattern(5000, 4), ReadFileBytes(to / "a.bmp"));
}

TEST(FileHelpers, PathTests)
{
    CString folder = "unchanged";
    GetFolderOfPath("VEXUL.VXL", folder);
    EXPECT_STREQ("unchanged", folder);
    GetFolderOfPath("\\VEXUL.VXL", folder);   // a backslash only at the start
    EXPECT_STREQ("unchanged", folder);
    GetFolderOfPath("C:\\Shows\\Summer\\VEXUL.VXL", folder);
    EXPECT_STREQ("C:\\Shows\\Summer", folder);

    CTempFolder temp("vxexists");
    EXPECT_TRUE(FileExists(temp.Path().c_str()));
    EXPECT_FALSE(FileExists((temp / "none").c_str()));
    EXPECT_FALSE(FileExists(""));
    EXPECT_FALSE(IsSameFile((temp / "none").c_str(), (temp / "none").c_str()));
}

namespace
{

class CFixedDateStamp : public CDateStamp
{
protected:
    time_t ReadClock() const override
    {
        tm day = {};
        day.tm_year = 2005 - 1900;
        day.tm_mon = 2;
        day.tm_mday = 5;
        day.tm_hour = 12;
        day.tm_isdst = -1;
        return mktime(&day);
    }
};

}   // namespace

TEST(DateStamp, FormatsTheLocalDate)
{
    CFixedDateStamp stamp;
    CString text;
    stamp.FormatDate(text);
    EXPECT_STREQ("2005-03-05", text);

    CDateStamp today;
    today.FormatDate(text);
    EXPECT_EQ(10, text.GetLength());
    ASSERT_NE(nullptr, today.GetLocalTime());
    EXPECT_EQ(today.GetLocalTime()->tm_year + 1900, atoi(text.Left(4)));
}
