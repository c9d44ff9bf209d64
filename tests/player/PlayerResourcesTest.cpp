// The player program's resources: what the editor's compiler replaces (language 0) and the texts of the
// context menu in each language.
#include "PlayerTestSupport.h"
#include "resources/player/resource.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <cstring>
#include <vector>

using namespace playertest;

namespace
{

class PlayerResourcesTest : public ::testing::Test
{
protected:
    void SetUp() override
    {
        std::string player = PlayerExePath();
        ASSERT_TRUE(IsBuilt(player));
        module = LoadLibraryExA(player.c_str(), nullptr, LOAD_LIBRARY_AS_DATAFILE);
        ASSERT_NE(nullptr, module);
    }
    void TearDown() override
    {
        if (module)
            FreeLibrary(module);
    }

    std::vector<WORD> Languages(LPCSTR type, LPCSTR name)
    {
        std::vector<WORD> languages;
        EnumResourceLanguagesA(
            module, type, name,
            [](HMODULE, LPCSTR, LPCSTR, WORD language, LONG_PTR param) -> BOOL
            {
                reinterpret_cast<std::vector<WORD>*>(param)->push_back(language);
                return TRUE;
            },
            reinterpret_cast<LONG_PTR>(&languages));
        return languages;
    }

    const BYTE* Data(LPCSTR type, LPCSTR name, DWORD* size)
    {
        HRSRC resource = FindResourceA(module, name, type);
        if (!resource)
            return nullptr;
        *size = SizeofResource(module, resource);
        return static_cast<const BYTE*>(LockResource(LoadResource(module, resource)));
    }

    HMODULE module = nullptr;
};

std::string Utf16Key(const BYTE* p)
{
    std::string key;
    for (; p[0] || p[1]; p += 2)
        key += static_cast<char>(p[0]);
    return key;
}

}   // namespace

TEST_F(PlayerResourcesTest, IconGroupOfFourNeutralIcons)
{
    const std::vector<WORD> neutral = {0};
    EXPECT_EQ(neutral, Languages(RT_GROUP_ICON, MAKEINTRESOURCEA(IDR_MAINFRAME)));
    DWORD size = 0;
    const BYTE* group = Data(RT_GROUP_ICON, MAKEINTRESOURCEA(IDR_MAINFRAME), &size);
    ASSERT_NE(nullptr, group);
    ASSERT_EQ(6u + 4u * 14u, size);
    EXPECT_EQ(1, group[2] | (group[3] << 8));   // icons
    EXPECT_EQ(4, group[4] | (group[5] << 8));
    for (int j = 0; j < 4; ++j)
    {
        const BYTE* entry = group + 6 + 14 * j;
        int id = entry[12] | (entry[13] << 8);
        EXPECT_EQ(j + 1, id);
        EXPECT_EQ(neutral, Languages(RT_ICON, MAKEINTRESOURCEA(id)));
        DWORD imageSize = 0;
        const BYTE* image = Data(RT_ICON, MAKEINTRESOURCEA(id), &imageSize);
        ASSERT_NE(nullptr, image);
        BITMAPINFOHEADER header;
        std::memcpy(&header, image, sizeof(header));
        EXPECT_EQ(sizeof(BITMAPINFOHEADER), header.biSize);
        EXPECT_EQ(entry[0], header.biWidth & 0xFF);
        EXPECT_EQ(entry[1], (header.biHeight / 2) & 0xFF);   // height doubled in the image
    }
    EXPECT_NE(nullptr, LoadImageA(module, MAKEINTRESOURCEA(IDR_MAINFRAME), IMAGE_ICON, 32, 32, 0));
}

TEST_F(PlayerResourcesTest, VersionBlockTheCompilerRewrites)
{
    EXPECT_EQ(std::vector<WORD>{0}, Languages(RT_VERSION, MAKEINTRESOURCEA(1)));
    DWORD size = 0;
    const BYTE* block = Data(RT_VERSION, MAKEINTRESOURCEA(1), &size);
    ASSERT_NE(nullptr, block);
    EXPECT_EQ(1920u, size);
    // the fixed file information starts at byte 40
    DWORD signature;
    std::memcpy(&signature, block + 40, 4);
    EXPECT_EQ(0xFEEF04BDu, signature);
    // the 12 strings after "Comments", as the compiler walks them
    const BYTE* p = nullptr;
    for (DWORD i = 0; i + 16 < size; i += 2)
        if (Utf16Key(block + i) == "Comments")
        {
            p = block + i - 6;
            break;
        }
    ASSERT_NE(nullptr, p);
    const char* keys[12] = {"Comments",     "CompanyName",    "FileDescription", "FileVersion",
                            "InternalName", "LegalCopyright", "LegalTrademarks", "OriginalFilename",
                            "PrivateBuild", "ProductName",    "ProductVersion",  "SpecialBuild"};
    const int widths[12] = {61, 86, 61, 12, 45, 55, 61, 61, 61, 61, 12, 61};
    for (int k = 0; k < 12; ++k)
    {
        int length = p[0] | (p[1] << 8);
        int width = p[2] | (p[3] << 8);
        EXPECT_LT(length, 256) << keys[k];
        EXPECT_EQ(keys[k], Utf16Key(p + 6));
        EXPECT_EQ(widths[k], width) << keys[k];
        // the value ends in its terminating zero, padded with blanks before it
        const BYTE* value = p + (p[0] - 2 * width);
        EXPECT_EQ(0, value[2 * (width - 1)] | value[2 * (width - 1) + 1]) << keys[k];
        EXPECT_NE(0, value[2 * (width - 2)]) << keys[k];
        p += (length + 3) & ~3;
    }
}

TEST_F(PlayerResourcesTest, DialogCursorAndButtons)
{
    DWORD size = 0;
    EXPECT_NE(nullptr, Data(RT_DIALOG, MAKEINTRESOURCEA(IDD_PLAYER_DIALOG), &size));
    EXPECT_NE(nullptr, Data(RT_GROUP_CURSOR, MAKEINTRESOURCEA(IDC_LINK_CURSOR), &size));
    EXPECT_NE(nullptr, LoadImageA(module, MAKEINTRESOURCEA(IDC_LINK_CURSOR), IMAGE_CURSOR, 0, 0, LR_DEFAULTSIZE));
    for (UINT id : {IDB_CLOSE, IDB_CLOSE_DOWN, IDB_INFO, IDB_INFO_DOWN})
    {
        HBITMAP bitmap = static_cast<HBITMAP>(LoadImageA(module, MAKEINTRESOURCEA(id), IMAGE_BITMAP, 0, 0, 0));
        ASSERT_NE(nullptr, bitmap) << id;
        BITMAP info = {};
        GetObjectA(bitmap, sizeof(info), &info);
        EXPECT_EQ(16, info.bmWidth);
        EXPECT_EQ(12, info.bmHeight);
        DeleteObject(bitmap);
    }
}

TEST_F(PlayerResourcesTest, MenuTextsInThreeLanguages)
{
    // string table block 1 holds strings 0 to 15
    std::vector<WORD> languages = Languages(RT_STRING, MAKEINTRESOURCEA(1));
    std::sort(languages.begin(), languages.end());
    const std::vector<WORD> expected = {0x0000, 0x0407, 0x0409};
    EXPECT_EQ(expected, languages);

    const char* english[5] = {"Sound Control", "Minimize", "Contact and copyright informations",
                              "Vexul-Informationes", "Exit"};
    const char* german[5] = {"Sound Steuerung", "Minimieren", "Kontakt- und Copyright- Informationen",
                             "Vexul-Informationen", "Beenden"};
    HINSTANCE saved = AfxGetResourceHandle();
    AfxSetResourceHandle(module);
    LANGID savedLanguage = AfxGetUILanguage();
    for (LANGID language : {LANGID(0x0409), LANGID(0x0407)})
    {
        AfxSetUILanguage(language);
        for (int i = 0; i < 5; ++i)
        {
            CString text;
            EXPECT_TRUE(text.LoadString(IDS_MENU_SOUND + i));
            EXPECT_STREQ(language == 0x0407 ? german[i] : english[i], text);
        }
    }
    AfxSetUILanguage(savedLanguage);
    AfxSetResourceHandle(saved);
}
