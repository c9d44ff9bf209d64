// Saving never loses the last good file: the safe save file on its own and a document saved through it.
#include "FrameTestSupport.h"

namespace
{

void WriteFile(const std::string& path, const char* text)
{
    CFile file(path.c_str(), CFile::modeCreate | CFile::modeWrite);
    file.Write(text, static_cast<UINT>(strlen(text)));
}

TEST(SafeSaveFile, ReplacesTheTargetOnlyWhenCommitted)
{
    TempFolder folder;
    std::string target = folder.File("data.bin");
    WriteFile(target, "old contents");
    {
        CSafeSaveFile file;
        ASSERT_TRUE(file.Open(target.c_str()));
        file.Write("new", 3);
        // Not committed: the object goes and takes its temporary file along.
    }
    EXPECT_EQ(std::vector<char>({'o', 'l', 'd', ' ', 'c', 'o', 'n', 't', 'e', 'n', 't', 's'}),
              FrameProgram::Bytes(target));
    {
        CSafeSaveFile file;
        ASSERT_TRUE(file.Open(target.c_str()));
        ASSERT_TRUE(file.Write("new", 3));
        EXPECT_TRUE(file.Commit());
        EXPECT_EQ(0u, file.GetFailure());
    }
    EXPECT_EQ(std::vector<char>({'n', 'e', 'w'}), FrameProgram::Bytes(target));

    // A target that does not exist yet is made.
    std::string fresh = folder.File("fresh.bin");
    CSafeSaveFile file;
    ASSERT_TRUE(file.Open(fresh.c_str()));
    EXPECT_TRUE(file.Commit());
    EXPECT_NE(INVALID_FILE_ATTRIBUTES, ::GetFileAttributesA(fresh.c_str()));

    // No folder, no temporary file: Open says so and nothing is left anywhere.
    CSafeSaveFile nowhere;
    EXPECT_FALSE(nowhere.Open(folder.File("no such folder\\x.bin").c_str()));
    EXPECT_NE(0u, nowhere.GetFailure());
    EXPECT_FALSE(nowhere.Commit());
}

TEST_F(FrameProgram, SaveOntoALockedFileKeepsItByteForByteAndTheDocumentModified)
{
    StartWithNewDocument();
    std::string path = SaveAs("locked.vxt");
    std::vector<char> before = Bytes(path);
    ASSERT_FALSE(before.empty());

    Command(ID_TEST_STAMP);
    HANDLE lock =
        ::CreateFileA(path.c_str(), GENERIC_READ, 0, nullptr, OPEN_EXISTING, FILE_ATTRIBUTE_NORMAL, nullptr);
    ASSERT_NE(INVALID_HANDLE_VALUE, lock);
    {
        CMessageBoxRecorder boxes(IDOK);
        Command(ID_FILE_SAVE);
        ASSERT_EQ(1u, boxes.Count());
        EXPECT_EQ(0u, boxes.LastText().find(path + "\ncould not be saved. The file on disk is unchanged."));
        EXPECT_TRUE(boxes.Records()[0].type & MB_ICONEXCLAMATION);
    }
    ::CloseHandle(lock);
    EXPECT_TRUE(app.Doc()->IsModified());
    EXPECT_EQ(before, Bytes(path));
    EXPECT_TRUE(Files("*.tmp").empty());   // the temporary file went too

    // Once the file is free the same save works.
    Command(ID_FILE_SAVE);
    EXPECT_FALSE(app.Doc()->IsModified());
    EXPECT_NE(before, Bytes(path));
    EXPECT_TRUE(Files("*.tmp").empty());
}

TEST_F(FrameProgram, SaveIntoAMissingFolderReportsAndKeepsTheDocument)
{
    StartWithNewDocument();
    std::string path = SaveAs("kept.vxt");
    Command(ID_TEST_STAMP);

    app.answers.push_back(folder.File("gone\\elsewhere.vxt").c_str());
    CMessageBoxRecorder boxes(IDOK);
    EXPECT_FALSE(app.Doc()->DoSave(nullptr));
    ASSERT_EQ(1u, boxes.Count());
    EXPECT_NE(std::string::npos, boxes.LastText().find("elsewhere.vxt\ncould not be saved."));
    EXPECT_STREQ(path.c_str(), app.Doc()->GetPathName());   // the document keeps its file
    EXPECT_TRUE(app.Doc()->IsModified());
}

TEST_F(FrameProgram, ReadOnlyFileIsSavedUnderANewName)
{
    StartWithNewDocument();
    std::string path = SaveAs("readonly.vxt");
    std::vector<char> before = Bytes(path);
    ::SetFileAttributesA(path.c_str(), FILE_ATTRIBUTE_READONLY);
    Command(ID_TEST_STAMP);

    std::string copy = folder.File("copy.vxt");
    app.answers.push_back(copy.c_str());
    Command(ID_FILE_SAVE);   // Save of a read-only file asks for a name
    EXPECT_EQ("save " + path, app.prompts.back());
    EXPECT_STREQ(copy.c_str(), app.Doc()->GetPathName());
    EXPECT_EQ(before, Bytes(path));
    ::SetFileAttributesA(path.c_str(), FILE_ATTRIBUTE_NORMAL);
}

}   // namespace
