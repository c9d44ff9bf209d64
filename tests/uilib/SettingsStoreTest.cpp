// The settings store in INI mode (letter-encoded byte blocks) and registry mode (below the application's key),
// reading only the value types it expects and never past a stored value.
#include "uilib/core/base/SettingsStore.h"

#include "uilib/core/base/GlobalData.h"
#include "support/win_TestFiles.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

namespace
{

const char kAppKey[] = "Software\\VexulTests\\UilibStoreTest";

// An application with a registry key (unless told otherwise) and the look data's INI name as the test sets it.
class SettingsStoreTest : public ::testing::Test
{
protected:
    CWinApp m_app{"UilibStoreTest"};

    void SetUp() override
    {
        m_app.SetRegistryKey("VexulTests");
        ::RegDeleteTreeA(HKEY_CURRENT_USER, kAppKey);
    }
    void TearDown() override
    {
        uxAfxData.m_strIniFile.Empty();
        ::RegDeleteTreeA(HKEY_CURRENT_USER, kAppKey);
    }

    static bool KeyExists(const std::string& path)
    {
        HKEY key = nullptr;
        if (::RegOpenKeyExA(HKEY_CURRENT_USER, path.c_str(), 0, KEY_READ, &key) != ERROR_SUCCESS)
            return false;
        ::RegCloseKey(key);
        return true;
    }
    // The block read back as a byte string; "none" when the read fails (and then nothing is left in it).
    static std::string ReadBlock(CUXSettingsStore& store, LPCSTR section, LPCSTR entry)
    {
        std::vector<BYTE> data(5, 1);
        if (!store.GetProfileBinary(section, entry, data))
        {
            EXPECT_TRUE(data.empty());
            return "none";
        }
        return std::string(data.begin(), data.end());
    }
    // Writes a value of any type and size straight into the registry.
    static void RawValue(LPCSTR entry, DWORD type, const void* data, DWORD size)
    {
        HKEY key = nullptr;
        ASSERT_EQ(ERROR_SUCCESS, ::RegCreateKeyExA(HKEY_CURRENT_USER, (std::string(kAppKey) + "\\Raw").c_str(), 0,
                                                   nullptr, 0, KEY_WRITE, nullptr, &key, nullptr));
        ASSERT_EQ(ERROR_SUCCESS, ::RegSetValueExA(key, entry, 0, type, static_cast<const BYTE*>(data), size));
        ::RegCloseKey(key);
    }
};

TEST_F(SettingsStoreTest, IniModeWritesBytesAsLetterPairs)
{
    std::string ini = TempFolderPath() + "vexul_uilib_store.ini";
    ::DeleteFileA(ini.c_str());
    uxAfxData.m_strIniFile = ini.c_str();
    CUXSettingsStore store;
    ASSERT_TRUE(store.IsIniMode());

    const BYTE bytes[] = {0x00, 0xFF, 0x3C};
    ASSERT_TRUE(store.WriteProfileBinary("Bars", "Layout", bytes, sizeof(bytes)));
    char text[64] = {};
    ::GetPrivateProfileStringA("Bars", "Layout", "", text, sizeof(text), ini.c_str());
    EXPECT_STREQ("AAPPMD", text);
    EXPECT_EQ(std::string("\x00\xFF\x3C", 3), ReadBlock(store, "Bars", "Layout"));

    // A trailing odd letter carries no byte; an empty value is no block at all.
    ::WritePrivateProfileStringA("Bars", "Odd", "AAPPM", ini.c_str());
    EXPECT_EQ(std::string("\x00\xFF", 2), ReadBlock(store, "Bars", "Odd"));
    ::WritePrivateProfileStringA("Bars", "Empty", "", ini.c_str());
    EXPECT_EQ("none", ReadBlock(store, "Bars", "Empty"));

    EXPECT_TRUE(store.WriteProfileInt("Bars", "Count", -12));
    EXPECT_EQ(static_cast<UINT>(-12), store.GetProfileInt("Bars", "Count", 3));
    EXPECT_TRUE(store.WriteProfileString("Bars", "Name", "geöffnet"));
    EXPECT_STREQ("geöffnet", store.GetProfileString("Bars", "Name"));
    EXPECT_TRUE(store.WriteProfileString("Bars", "Name", nullptr));
    EXPECT_STREQ("gone", store.GetProfileString("Bars", "Name", "gone"));
    EXPECT_TRUE(store.WriteProfileString("Bars", nullptr, nullptr));
    EXPECT_EQ(7u, store.GetProfileInt("Bars", "Count", 7));
    EXPECT_FALSE(KeyExists(kAppKey));   // the registry was never touched
    ::DeleteFileA(ini.c_str());
}

TEST_F(SettingsStoreTest, RegistryModeKeepsValuesBelowTheApplicationKey)
{
    CUXSettingsStore store;
    ASSERT_FALSE(store.IsIniMode());
    EXPECT_TRUE(store.WriteProfileInt("Settings", "Count", 5));
    EXPECT_TRUE(store.WriteProfileString("Settings", "Name", "Toolbar"));
    const BYTE bytes[] = {1, 0, 0xFE};
    EXPECT_TRUE(store.WriteProfileBinary("Settings", "Blob", bytes, sizeof(bytes)));

    HKEY key = nullptr;
    ASSERT_EQ(ERROR_SUCCESS, ::RegOpenKeyExA(HKEY_CURRENT_USER, (std::string(kAppKey) + "\\Settings").c_str(), 0,
                                             KEY_READ, &key));
    DWORD type = 0, size = 0;
    ::RegQueryValueExA(key, "Count", nullptr, &type, nullptr, &size);
    EXPECT_EQ(static_cast<DWORD>(REG_DWORD), type);
    EXPECT_EQ(4u, size);
    ::RegQueryValueExA(key, "Name", nullptr, &type, nullptr, &size);
    EXPECT_EQ(static_cast<DWORD>(REG_SZ), type);
    EXPECT_EQ(8u, size);   // with its terminator
    ::RegCloseKey(key);

    CUXSettingsStore reader;
    EXPECT_EQ(5u, reader.GetProfileInt("Settings", "Count", 0));
    EXPECT_STREQ("Toolbar", reader.GetProfileString("Settings", "Name"));
    EXPECT_EQ(std::string("\x01\x00\xFE", 3), ReadBlock(reader, "Settings", "Blob"));

    // A null value removes the value, DeleteProfileValue likewise, a null entry the whole section.
    EXPECT_TRUE(store.WriteProfileString("Settings", "Name", nullptr));
    EXPECT_STREQ("none", store.GetProfileString("Settings", "Name", "none"));
    EXPECT_TRUE(store.DeleteProfileValue("Settings", "Count"));
    EXPECT_EQ(9u, store.GetProfileInt("Settings", "Count", 9));
    EXPECT_FALSE(store.DeleteProfileValue("Settings", "Count"));
    EXPECT_TRUE(store.WriteProfileString("Settings", nullptr, nullptr));
    EXPECT_FALSE(KeyExists(std::string(kAppKey) + "\\Settings"));
    EXPECT_TRUE(KeyExists(kAppKey));
}

TEST_F(SettingsStoreTest, RegistryReadsTakeOnlyWellFormedValuesOfTheirType)
{
    RawValue("Unterminated", REG_SZ, "abcdef", 3);   // "abc" stored without its terminator
    RawValue("Word", REG_DWORD, "\x01\x02", 2);      // too short for a number
    RawValue("Text", REG_SZ, "17", 3);
    const DWORD number = 17;
    RawValue("Number", REG_DWORD, &number, sizeof(number));
    RawValue("Bytes", REG_BINARY, "\x05\x06", 2);

    CUXSettingsStore store;
    EXPECT_STREQ("abc", store.GetProfileString("Raw", "Unterminated"));
    EXPECT_EQ(3u, store.GetProfileInt("Raw", "Word", 3));
    EXPECT_EQ(4u, store.GetProfileInt("Raw", "Text", 4));   // a text is not a number
    EXPECT_STREQ("dflt", store.GetProfileString("Raw", "Number", "dflt"));
    EXPECT_STREQ("", store.GetProfileString("Raw", "Bytes"));   // nor are bytes a text
    EXPECT_EQ(17u, store.GetProfileInt("Raw", "Number", 0));
    EXPECT_EQ("none", ReadBlock(store, "Raw", "Text"));

    // Reading a section that does not exist creates nothing.
    EXPECT_EQ(1u, store.GetProfileInt("Missing", "Value", 1));
    EXPECT_FALSE(KeyExists(std::string(kAppKey) + "\\Missing"));
}

TEST_F(SettingsStoreTest, WithoutRegistryKeyNorIniFileNothingIsStored)
{
    m_app.m_pszRegistryKey = nullptr;   // the application still owns its text
    CUXSettingsStore store;
    EXPECT_FALSE(store.WriteProfileInt("Settings", "Count", 5));
    EXPECT_FALSE(store.WriteProfileString("Settings", "Name", "x"));
    const BYTE byte = 1;
    EXPECT_FALSE(store.WriteProfileBinary("Settings", "Blob", &byte, 1));
    EXPECT_EQ(6u, store.GetProfileInt("Settings", "Count", 6));
    EXPECT_STREQ("x", store.GetProfileString("Settings", "Name", "x"));
    EXPECT_STREQ("", store.GetProfileString("Settings", "Name"));
    EXPECT_FALSE(KeyExists(kAppKey));
}

}   // namespace
