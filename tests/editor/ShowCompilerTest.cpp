// The show compiler on copies of the real player: the pack, icons and file information it writes, what it
// refuses and why, and that a failed step is never shown as success. The compiled program is then started
// in an empty folder and must play the show.
#include "EditorTestSupport.h"
#include "editor/ProjectSettings.h"
#include "editor/ShowCompiler.h"
#include "editor/VersionPatcher.h"
#include "resources/editor/resource.h"
#include "show/ProjectPack.h"
#include "show/ShowData.h"
#include "show/ShowText.h"
#include "support/BmpFile.h"

#include <gtest/gtest.h>

#include <cstring>
#include <cwchar>

using namespace editortest;

namespace
{

const COLORREF kSlideColour = RGB(255, 0, 255);

CString Text(UINT id, const char* argument = nullptr)
{
    CString format, text;
    format.LoadString(id);
    if (!argument)
        return format;
    text.Format(format, argument);
    return text;
}

// The value of a string of the program's version block, and its fixed file version.
std::wstring VersionString(const std::string& program, const wchar_t* key)
{
    std::wstring path(program.begin(), program.end());
    DWORD handle = 0;
    DWORD size = GetFileVersionInfoSizeW(path.c_str(), &handle);
    std::vector<BYTE> block(size);
    if (!size || !GetFileVersionInfoW(path.c_str(), 0, size, block.data()))
        return L"<none>";
    std::wstring query = std::wstring(L"\\StringFileInfo\\040904E4\\") + key;
    wchar_t* value = nullptr;
    UINT length = 0;
    if (!VerQueryValueW(block.data(), query.c_str(), reinterpret_cast<void**>(&value), &length) || !value)
        return L"<none>";
    return value;
}

DWORD FileVersionMS(const std::string& program)
{
    DWORD handle = 0;
    DWORD size = GetFileVersionInfoSizeA(program.c_str(), &handle);
    std::vector<BYTE> block(size);
    VS_FIXEDFILEINFO* fixed = nullptr;
    UINT length = 0;
    if (!size || !GetFileVersionInfoA(program.c_str(), 0, size, block.data()) ||
        !VerQueryValueA(block.data(), "\\", reinterpret_cast<void**>(&fixed), &length))
        return 0;
    return fixed->dwFileVersionMS;
}

class ShowCompilerTest : public ::testing::Test
{
protected:
    void SetUp() override
    {
        plain = PlainPlayerPath();
        ASSERT_TRUE(IsBuilt(plain));
        player = project / "VEXUL.EXE";
        pack = project / "VEXUL.VXL";
        ASSERT_TRUE(CopyFileA(plain.c_str(), player.c_str(), FALSE));
        plainBytes = ReadFileBytes(plain);
        compiler.SetPlainPlayerPath(plain.c_str());
        settings.m_strVersion = "020000";
        settings.SetWindow(202, 164, 0, "Compiled Trip", RGB(0, 0, 0), "");
        settings.SetTermination(CProjectSettings::EXIT_BY_USER, 0, 1);
    }

    // The project's pack as the editor writes it: the settings through the show text, one slide of one colour.
    Bytes WritePack()
    {
        CShowData show;
        show.SetFromProjectSettings(settings);
        show.m_Slides[0].m_Background.m_strImageFile = "slide0.bmp";
        show.WriteShowText(ShowText::ENTRY_NAME, project.Path().c_str());
        int length = 0;
        const char* text = show.m_Settings.GetText(length);
        std::vector<BYTE> bmp =
            MakeBmp(show.m_nSlideWidth, show.m_nSlideHeight, [](int, int) { return kSlideColour; });
        CProjectPack projectPack;
        EXPECT_TRUE(projectPack.AddData(ShowText::ENTRY_NAME, text, length));
        EXPECT_TRUE(projectPack.AddData("slide0.bmp", bmp.data(), static_cast<int>(bmp.size())));
        EXPECT_TRUE(projectPack.OpenForWrite(pack.c_str(), "020000"));
        EXPECT_TRUE(projectPack.Write());
        EXPECT_TRUE(projectPack.Close());
        return ReadFileBytes(pack);
    }

    Bytes Resource(LPCSTR type, LPCSTR name) { return ReadResource(player, type, name); }

    CTempFolder project{"vxcompile"};
    std::string plain, player, pack;
    Bytes plainBytes;
    CProjectSettings settings;
    CShowCompiler compiler;
};

}   // namespace

TEST_F(ShowCompilerTest, CompilesPackIconsAndFileInformationAndTheProgramPlaysAlone)
{
    Bytes packBytes = WritePack();
    // Six images, of which the first four are taken; the second is a compressed one.
    std::vector<IconImageSpec> images = {{32, RGB(255, 0, 0)}, {48, RGB(0, 255, 0), true}, {16, RGB(0, 0, 255)},
                                         {24, RGB(9, 9, 9)},   {64, RGB(1, 1, 1)},         {8, RGB(2, 2, 2)}};
    ASSERT_TRUE(WriteFileBytes(project / "trip.ico", MakeIconFile(images)));
    settings.m_strIconFile = "trip.ico";   // relative to the project folder
    const int numbers[4] = {3, 1, 4, 1};
    CString company = "\x80 \x96 Trips";   // euro sign and en dash in code page 1252
    company += CString('x', 100 - company.GetLength());
    settings.SetFileInfo(1, numbers, "(c) 2024 Trips", "", company, "3.1.4.1 final release");

    CMessageBoxRecorder boxes;
    ASSERT_TRUE(compiler.Compile(player.c_str(), project.Path().c_str(), pack.c_str(), settings))
        << compiler.GetMessage().GetString();
    EXPECT_EQ(CShowCompiler::failNone, compiler.GetFailure());
    EXPECT_EQ(static_cast<int>(packBytes.size()), compiler.GetWrittenSize());
    CString success;
    success.Format(Text(IDS_COMPILE_SUCCESS), pack.c_str(), static_cast<int>(packBytes.size()), player.c_str());
    EXPECT_STREQ(success, compiler.GetMessage());
    compiler.Report();
    ASSERT_EQ(1u, boxes.Count());
    EXPECT_EQ(0u, boxes.Records()[0].text.find("Compiling process was successful\n\nThe project file \"" + pack));

    // The pack, byte for byte.
    EXPECT_EQ(packBytes, Resource("PROJECTFILE", "FILE_1"));

    // Icon group 128 lists the first four images, as icons 1 to 4, each as stored in the file.
    Bytes group = Resource(RT_GROUP_ICON, MAKEINTRESOURCEA(128));
    ASSERT_EQ(6u + 4u * 14u, group.size());
    EXPECT_EQ(4, group[4]);
    const BYTE expectedWidth[4] = {32, 48, 16, 24};
    for (int j = 0; j < 4; j++)
    {
        const BYTE* entry = group.data() + 6 + 14 * j;
        EXPECT_EQ(expectedWidth[j], entry[0]) << j;
        EXPECT_EQ(expectedWidth[j], entry[1]) << j;
        EXPECT_EQ(32, entry[6] | (entry[7] << 8)) << j;
        EXPECT_EQ(j + 1, entry[12] | (entry[13] << 8));
        EXPECT_EQ(MakeIconImage(images[j]), Resource(RT_ICON, MAKEINTRESOURCEA(j + 1))) << j;
    }
    HMODULE module = LoadLibraryExA(player.c_str(), nullptr, LOAD_LIBRARY_AS_DATAFILE);
    ASSERT_NE(nullptr, module);
    HICON icon = static_cast<HICON>(LoadImageA(module, MAKEINTRESOURCEA(128), IMAGE_ICON, 16, 16, 0));
    EXPECT_NE(nullptr, icon);
    if (icon)
        DestroyIcon(icon);
    FreeLibrary(module);

    // The file information: numbers, texts cut to their room with their characters intact, the block's size kept.
    EXPECT_EQ(1920u, Resource(RT_VERSION, MAKEINTRESOURCEA(1)).size());
    EXPECT_EQ(MAKELONG(1, 3), FileVersionMS(player));
    std::wstring wideCompany = L"\u20AC \u2013 Trips" + std::wstring(85 - 9, L'x');
    EXPECT_TRUE(VersionString(player, L"CompanyName") == wideCompany);
    EXPECT_TRUE(VersionString(player, L"FileVersion") == L"3.1.4.1    ");
    EXPECT_TRUE(VersionString(player, L"ProductVersion") == L"3.1.4.1 fin");
    EXPECT_TRUE(VersionString(player, L"FileDescription") == std::wstring(60, L' '));
    EXPECT_TRUE(VersionString(player, L"LegalCopyright").compare(0, 14, L"(c) 2024 Trips") == 0);
    EXPECT_TRUE(VersionString(player, L"InternalName").compare(0, 6, L"Vexul ") == 0);

    // The compiled program, alone in an empty folder and started without arguments, plays the show.
    CTempFolder elsewhere("vxalone");
    std::string alone = elsewhere / "Trip.exe";
    ASSERT_TRUE(CopyFileA(player.c_str(), alone.c_str(), FALSE));
    CTestProcess process(alone, "", elsewhere.Path(), 1010);
    ASSERT_TRUE(process.Started());
    HWND window = nullptr;
    ASSERT_TRUE(PumpUntil([&] { return (window = process.FindWindowWithChild(1010)) != nullptr; }));
    char title[64] = {};
    GetWindowTextA(window, title, sizeof(title));
    EXPECT_STREQ("Compiled Trip", title);
    auto slideCentre = [&]
    {
        RECT slide = {};
        GetWindowRect(GetDlgItem(window, 1010), &slide);
        HDC screen = GetDC(nullptr);
        COLORREF c = GetPixel(screen, (slide.left + slide.right) / 2, (slide.top + slide.bottom) / 2);
        ReleaseDC(nullptr, screen);
        return c;
    };
    EXPECT_TRUE(PumpUntil([&] { return slideCentre() == kSlideColour; }));
    PostMessageA(window, WM_KEYDOWN, VK_ESCAPE, 0);
    EXPECT_TRUE(PumpUntil([&] { return process.Ended(); }));
}

TEST_F(ShowCompilerTest, APackOfExactlyTheLimitIsCompiledOneByteMoreIsRefused)
{
    Bytes big(CProjectPack::MAX_PACK_SIZE, 0x5A);
    ASSERT_TRUE(WriteFileBytes(pack, big));
    EXPECT_EQ(CProjectPack::MAX_PACK_SIZE, compiler.WriteProjectResource(player.c_str(), pack.c_str()))
        << compiler.GetMessage().GetString();
    EXPECT_EQ(big.size(), Resource("PROJECTFILE", "FILE_1").size());

    big.push_back(0);
    ASSERT_TRUE(WriteFileBytes(pack, big));
    EXPECT_EQ(0, compiler.WriteProjectResource(player.c_str(), pack.c_str()));
    EXPECT_EQ(CShowCompiler::failProjectTooLarge, compiler.GetFailure());
    EXPECT_NE(-1, compiler.GetMessage().Find("30 MB"));
}

TEST_F(ShowCompilerTest, EachRefusalNamesItsReasonAndWritesNothing)
{
    WritePack();
    std::string missing = project / "none.vxl";
    std::string empty = project / "empty.vxl";
    ASSERT_TRUE(WriteFileBytes(empty, Bytes()));
    struct Case
    {
        std::string player, pack;
        CShowCompiler::Failure failure;
        CString message;
    } cases[] = {
        {"", pack, CShowCompiler::failNoPlayer, Text(IDS_COMPILE_NO_PLAYER)},
        {player, "", CShowCompiler::failNoProject, Text(IDS_COMPILE_NO_PROJECT)},
        {project / "other.exe", pack, CShowCompiler::failNoPlayer, Text(IDS_COMPILE_NO_PLAYER)},
        {player, missing, CShowCompiler::failNoProject, Text(IDS_COMPILE_NO_PROJECT)},
        {player, empty, CShowCompiler::failProjectEmpty, Text(IDS_COMPILE_PROJECT_EMPTY)},
        // the editor's own player must stay plain
        {plain, pack, CShowCompiler::failPlainPlayerItself, Text(IDS_COMPILE_PLAIN_PLAYER_ITSELF, plain.c_str())},
    };
    for (const Case& c : cases)
    {
        EXPECT_EQ(0, compiler.WriteProjectResource(c.player.c_str(), c.pack.c_str())) << c.player << " " << c.pack;
        EXPECT_EQ(c.failure, compiler.GetFailure()) << c.player << " " << c.pack;
        EXPECT_STREQ(c.message, compiler.GetMessage());
    }

    // A write-protected copy, and a missing plain player.
    SetFileAttributesA(player.c_str(), FILE_ATTRIBUTE_READONLY);
    EXPECT_EQ(0, compiler.WriteProjectResource(player.c_str(), pack.c_str()));
    EXPECT_EQ(CShowCompiler::failPlayerReadOnly, compiler.GetFailure());
    EXPECT_STREQ(Text(IDS_COMPILE_PLAYER_READ_ONLY), compiler.GetMessage());
    SetFileAttributesA(player.c_str(), FILE_ATTRIBUTE_NORMAL);
    compiler.SetPlainPlayerPath((project / "gone.exe").c_str());
    EXPECT_EQ(0, compiler.WriteProjectResource(player.c_str(), pack.c_str()));
    EXPECT_EQ(CShowCompiler::failNoPlainPlayer, compiler.GetFailure());

    EXPECT_EQ(plainBytes, ReadFileBytes(player));
    EXPECT_EQ(plainBytes, ReadFileBytes(plain));
}

namespace
{

// A compiler whose resource update fails where the test says, and that records how updates end.
class CFailingCompiler : public CShowCompiler
{
public:
    LPCSTR failType = nullptr;   // UpdateData of this type fails
    bool failEnd = false;        // a kept update fails to end
    bool refuseSystem = false;
    std::vector<BOOL> ends;   // the discard flag of every EndUpdate

protected:
    BOOL CheckSystem() const override { return !refuseSystem; }
    BOOL UpdateData(HANDLE update, LPCSTR type, LPCSTR name, const void* data, DWORD size) override
    {
        bool same = IS_INTRESOURCE(type) ? type == failType
                                         : (failType && !IS_INTRESOURCE(failType) && !std::strcmp(type, failType));
        if (same)
            return FALSE;
        return CShowCompiler::UpdateData(update, type, name, data, size);
    }
    BOOL EndUpdate(HANDLE update, BOOL discard) override
    {
        ends.push_back(discard);
        if (failEnd && !discard)
        {
            CShowCompiler::EndUpdate(update, TRUE);
            return FALSE;
        }
        return CShowCompiler::EndUpdate(update, discard);
    }
};

}   // namespace

TEST_F(ShowCompilerTest, AFailedResourceWriteIsDiscardedAndNeverShownAsSuccess)
{
    WritePack();
    CFailingCompiler failing;
    failing.SetPlainPlayerPath(plain.c_str());
    CMessageBoxRecorder boxes;

    failing.failType = "PROJECTFILE";
    EXPECT_FALSE(failing.Compile(player.c_str(), project.Path().c_str(), pack.c_str(), settings));
    EXPECT_EQ(CShowCompiler::failWritePlayer, failing.GetFailure());
    EXPECT_STREQ(Text(IDS_COMPILE_ADD_PROJECT), failing.GetMessage());
    EXPECT_EQ(std::vector<BOOL>{TRUE}, failing.ends);
    EXPECT_EQ(0, failing.GetWrittenSize());
    EXPECT_EQ(plainBytes, ReadFileBytes(player));
    failing.Report();

    failing.failType = nullptr;
    failing.failEnd = true;
    EXPECT_FALSE(failing.Compile(player.c_str(), project.Path().c_str(), pack.c_str(), settings));
    EXPECT_STREQ(Text(IDS_COMPILE_WRITE_PLAYER), failing.GetMessage());
    EXPECT_TRUE(Resource("PROJECTFILE", "FILE_1").empty());
    failing.Report();

    failing.failEnd = false;
    failing.refuseSystem = true;
    EXPECT_FALSE(failing.Compile(player.c_str(), project.Path().c_str(), pack.c_str(), settings));
    EXPECT_EQ(CShowCompiler::failSystem, failing.GetFailure());
    EXPECT_STREQ("Compilation can only be done on the following Windows systems: NT, 2000, XP, 2003 !",
                 failing.GetMessage());
    failing.Report();

    ASSERT_EQ(3u, boxes.Count());
    for (const auto& box : boxes.Records())
    {
        EXPECT_EQ(std::string::npos, box.text.find("successful")) << box.text;
        EXPECT_EQ(static_cast<unsigned>(MB_ICONEXCLAMATION), box.type & MB_ICONMASK);
    }
    // Only the system check speaks of systems.
    EXPECT_EQ(std::string::npos, boxes.Records()[0].text.find("NT, 2000"));
    EXPECT_EQ(plainBytes, ReadFileBytes(player));
}

TEST_F(ShowCompilerTest, AStepThatFailsAfterThePackMakesTheCompileIncomplete)
{
    Bytes packBytes = WritePack();
    ASSERT_TRUE(WriteFileBytes(project / "show.ico", MakeIconFile({{32, RGB(1, 2, 3)}})));
    settings.m_strIconFile = (project / "show.ico").c_str();
    settings.m_nFileInfoOn = 1;
    CFailingCompiler failing;
    failing.SetPlainPlayerPath(plain.c_str());
    failing.failType = RT_GROUP_ICON;
    Bytes plainGroup = ReadResource(plain, RT_GROUP_ICON, MAKEINTRESOURCEA(128));

    EXPECT_FALSE(failing.Compile(player.c_str(), project.Path().c_str(), pack.c_str(), settings));
    EXPECT_EQ(CShowCompiler::failIconWrite, failing.GetFailure());
    CString message = failing.GetMessage();
    EXPECT_EQ(0, message.Find("The compilation is not complete !"));
    EXPECT_NE(-1, message.Find(CString("Icons: ") + Text(IDS_RESOURCE_ADD)));
    EXPECT_EQ(-1, message.Find("File information:"));   // that step worked
    // The pack and the version went in; the icons stayed the player's own.
    EXPECT_EQ(packBytes, Resource("PROJECTFILE", "FILE_1"));
    EXPECT_EQ(plainGroup, Resource(RT_GROUP_ICON, MAKEINTRESOURCEA(128)));
    EXPECT_EQ(MAKELONG(0, 1), FileVersionMS(player));
}

TEST_F(ShowCompilerTest, AMalformedIconFileChangesNothingAndIsReported)
{
    const Bytes good = MakeIconFile({{32, RGB(1, 2, 3)}, {16, RGB(4, 5, 6)}});
    auto put32 = [](Bytes b, size_t at, DWORD v)
    {
        std::memcpy(b.data() + at, &v, 4);
        return b;
    };
    auto put16 = [](Bytes b, size_t at, WORD v)
    {
        std::memcpy(b.data() + at, &v, 2);
        return b;
    };
    const size_t firstImage = 6 + 2 * 16;
    const std::vector<std::pair<const char*, Bytes>> broken = {
        {"too short", Bytes(good.begin(), good.begin() + 4)},
        {"reserved field", put16(good, 0, 1)},
        {"cursor type", put16(good, 2, 2)},
        {"no images", put16(good, 4, 0)},
        {"directory beyond the file", put16(good, 4, 5000)},
        {"offset beyond the file", put32(good, 6 + 12, 0x7FFFFFF0)},
        {"size beyond the file", put32(good, 6 + 8, 0xFFFFFFF0)},
        {"zero size", put32(good, 6 + 8, 0)},
        {"offset inside the directory", put32(good, 6 + 12, 6)},
        {"not a bitmap header", put32(good, firstImage, 12)},
        {"odd bit count", put16(good, firstImage + 14, 3)},
        {"zero height", put32(good, firstImage + 8, 0)},
        {"compressed bitmap", put32(good, firstImage + 16, BI_RLE8)},
        {"colour table larger than the image", put32(good, firstImage + 32, 256)},
        {"image larger than its size", Bytes(good.begin(), good.end() - 1)},
    };
    Bytes before = ReadFileBytes(player);
    std::string icon = project / "bad.ico";
    for (const auto& [what, bytes] : broken)
    {
        ASSERT_TRUE(WriteFileBytes(icon, bytes));
        EXPECT_FALSE(compiler.ReplaceIcons(player.c_str(), icon.c_str())) << what;
        EXPECT_EQ(CShowCompiler::failIconFile, compiler.GetFailure()) << what;
        EXPECT_STREQ(Text(IDS_ICON_FILE_REFUSED, icon.c_str()), compiler.GetMessage()) << what;
    }
    EXPECT_FALSE(compiler.ReplaceIcons(player.c_str(), (project / "none.ico").c_str()));
    EXPECT_EQ(CShowCompiler::failIconFile, compiler.GetFailure());
    EXPECT_EQ(before, ReadFileBytes(player));

    // The same file whole is taken.
    ASSERT_TRUE(WriteFileBytes(icon, good));
    EXPECT_TRUE(compiler.ReplaceIcons(player.c_str(), icon.c_str())) << compiler.GetMessage().GetString();
    EXPECT_EQ(6u + 2u * 14u, Resource(RT_GROUP_ICON, MAKEINTRESOURCEA(128)).size());
}

TEST_F(ShowCompilerTest, AVersionBlockIsWalkedOnlyWithinItsLengths)
{
    Bytes block = ReadResource(plain, RT_VERSION, MAKEINTRESOURCEA(1));
    ASSERT_EQ(1920u, block.size());
    CVersionPatcher patcher;
    ASSERT_TRUE(patcher.Load(block.data(), static_cast<DWORD>(block.size())));
    EXPECT_EQ(85, patcher.GetValueRoom("CompanyName"));
    EXPECT_EQ(11, patcher.GetValueRoom("FileVersion"));
    EXPECT_STREQ("Vexul", patcher.GetValue("InternalName"));
    EXPECT_FALSE(patcher.SetValue("NoSuchKey", "x"));

    // The structure of "CompanyName": its length, value length, then the key.
    size_t company = 0;
    const wchar_t key[] = L"CompanyName";
    for (size_t i = 0; i + sizeof(key) < block.size(); i += 2)
        if (std::memcmp(block.data() + i, key, sizeof(key)) == 0)
        {
            company = i - 6;
            break;
        }
    ASSERT_NE(0u, company);
    auto withWord = [&](size_t at, WORD value)
    {
        Bytes b = block;
        std::memcpy(b.data() + at, &value, 2);
        return b;
    };
    const std::vector<std::pair<const char*, Bytes>> broken = {
        {"truncated", Bytes(block.begin(), block.begin() + block.size() / 2)},
        {"root longer than the block", withWord(0, 0xFFFF)},
        {"root shorter than its header", withWord(0, 4)},
        {"string beyond its table", withWord(company, 0x7FF0)},
        {"value beyond its string", withWord(company + 2, 200)},
        {"fixed information of another size", withWord(2, 40)},
        {"no signature", withWord(40, 0)},
    };
    for (const auto& [what, bytes] : broken)
        EXPECT_FALSE(patcher.Load(bytes.data(), static_cast<DWORD>(bytes.size()))) << what;
    Bytes tooLarge(CVersionPatcher::MAX_BLOCK_SIZE + 1, 0);
    EXPECT_FALSE(patcher.Load(tooLarge.data(), static_cast<DWORD>(tooLarge.size())));

    // A player without a usable block keeps its file untouched and says so.
    EXPECT_FALSE(compiler.RewriteVersion((project / "none.exe").c_str(), {1, 0, 0, 0}, "", "", "", ""));
    EXPECT_EQ(CShowCompiler::failNoPlayer, compiler.GetFailure());
}

TEST_F(ShowCompilerTest, ARunningPlayerCopyGetsItsOwnMessage)
{
    WritePack();
    // The project's copy plays the project's pack from its folder.
    CTestProcess running(player, "", project.Path(), 1010);
    ASSERT_TRUE(running.Started());
    ASSERT_TRUE(PumpUntil([&] { return running.FindWindowWithChild(1010) != nullptr; }));

    EXPECT_FALSE(compiler.Compile(player.c_str(), project.Path().c_str(), pack.c_str(), settings));
    EXPECT_EQ(CShowCompiler::failPlayerInUse, compiler.GetFailure());
    EXPECT_STREQ(Text(IDS_COMPILE_PLAYER_IN_USE, player.c_str()), compiler.GetMessage());
    EXPECT_EQ(plainBytes, ReadFileBytes(player));
}
