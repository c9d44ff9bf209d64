#include "show/ShowText.h"
#include "show/SettingsFile.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

using namespace ShowText;

TEST(ShowTextNames, SectionsAndObjectKeys)
{
    EXPECT_STREQ("SHEET00", SheetSection(0));
    EXPECT_STREQ("SHEET39", SheetSection(39));
    EXPECT_STREQ("OBJ03", ObjectSlotKey(3));
    EXPECT_STREQ("TEXT05", ObjectValue(KIND_TEXT, 5));
    EXPECT_STREQ("IMAGE07", ObjectValue(KIND_IMAGE, 7));
    EXPECT_STREQ("FRAME12", ObjectValue(KIND_FRAME, 12));
    EXPECT_STREQ("", ObjectValue(KIND_NONE, 1));
    EXPECT_STREQ("TEXT00_DELAY", ObjectKey(KIND_TEXT, 0, Text::KEY_DELAY));
    EXPECT_STREQ("IMAGE07_TRANSPCOLOR", ObjectKey(KIND_IMAGE, 7, Image::KEY_TRANSPCOLOR));
    EXPECT_STREQ("FRAME49_FRAMECOLOR", ObjectKey(KIND_FRAME, 49, Frame::KEY_FRAMECOLOR));
    EXPECT_STREQ("", ObjectKey(9, 0, "X"));
}

TEST(ShowTextNames, ObjectValuesAreParsed)
{
    int number = -1;
    EXPECT_EQ(KIND_IMAGE, ParseObjectValue("IMAGE07", number));
    EXPECT_EQ(7, number);
    EXPECT_EQ(KIND_TEXT, ParseObjectValue("TEXT12", number));
    EXPECT_EQ(12, number);
    EXPECT_EQ(KIND_FRAME, ParseObjectValue("FRAME05", number));
    EXPECT_EQ(5, number);
    EXPECT_EQ(KIND_TEXT, ParseObjectValue("TEXT", number));   // the number comes from "XT"
    EXPECT_EQ(0, number);
    EXPECT_EQ(KIND_NONE, ParseObjectValue("CIRCLE03", number));
    EXPECT_EQ(KIND_NONE, ParseObjectValue("text03", number));
    EXPECT_TRUE(IsLegacyObjectValue(""));
    EXPECT_TRUE(IsLegacyObjectValue("T1"));
    EXPECT_TRUE(IsLegacyObjectValue(nullptr));
    EXPECT_FALSE(IsLegacyObjectValue("ABC"));
    EXPECT_EQ(KIND_NONE, ParseObjectValue("T1", number));
}

TEST(ShowTextNames, WindowIsHeldToItsLimits)
{
    EXPECT_EQ(40, ClampWindowWidth(0));
    EXPECT_EQ(640, ClampWindowWidth(1000));
    EXPECT_EQ(320, ClampWindowWidth(320));
    EXPECT_EQ(30, ClampWindowHeight(10));
    EXPECT_EQ(480, ClampWindowHeight(481));
    EXPECT_EQ(38, SlideWidthOfWindow(ClampWindowWidth(Window::DEF_WIDTH)));
    EXPECT_EQ(638, SlideWidthOfWindow(ClampWindowWidth(1000)));
    EXPECT_EQ(16, SlideHeightOfWindow(ClampWindowHeight(10)));
    EXPECT_EQ(Slide::DEF_WIDTH, SlideWidthOfWindow(640));
    EXPECT_EQ(Slide::DEF_HEIGHT, SlideHeightOfWindow(480));
}

TEST(ShowTextOrder, SectionsInWriteOrder)
{
    std::vector<std::string> sections(std::begin(SECTION_WRITE_ORDER), std::end(SECTION_WRITE_ORDER));
    std::vector<std::string> expected = {"SHOW",     "WINDOW",      "SLIDE",    "BACKGROUND",
                                         "SOUND",    "TERMINATION", "SHOWCTRL", "CONTACT",
                                         "FILEINFO", "SHEET%02d",   "AUTOSTART"};
    EXPECT_EQ(expected, sections);
}

namespace
{

// Every key of a section, in write order, must be found on its own line by the settings text's
// substring search: no earlier key line may contain "KEY=" of a later key.
void ExpectEveryKeyFindsItsOwnLine(const std::vector<std::string>& keys)
{
    for (size_t i = 0; i < keys.size(); ++i)
    {
        std::string wanted = keys[i] + "=";
        for (size_t j = 0; j < i; ++j)
            EXPECT_EQ(std::string::npos, (keys[j] + "=").find(wanted)) << keys[i] << " hidden by " << keys[j];
    }
}

std::vector<std::string> SheetKeysInWriteOrder(const std::vector<int>& kinds)
{
    std::vector<std::string> keys(std::begin(SHEET_WRITE_ORDER), std::end(SHEET_WRITE_ORDER));
    for (size_t n = 0; n < kinds.size(); ++n)
    {
        int number = static_cast<int>(n);
        keys.push_back(ObjectSlotKey(number).str());
        const char* const* begin = nullptr;
        const char* const* end = nullptr;
        if (kinds[n] == KIND_TEXT)
        {
            begin = std::begin(Text::WRITE_ORDER);
            end = std::end(Text::WRITE_ORDER);
        }
        else if (kinds[n] == KIND_IMAGE)
        {
            begin = std::begin(Image::WRITE_ORDER);
            end = std::end(Image::WRITE_ORDER);
        }
        else
        {
            begin = std::begin(Frame::WRITE_ORDER);
            end = std::end(Frame::WRITE_ORDER);
        }
        for (const char* const* key = begin; key != end; ++key)
            keys.push_back(ObjectKey(kinds[n], number, *key).str());
    }
    return keys;
}

}   // namespace

TEST(ShowTextOrder, EveryKeyIsReachable)
{
    ExpectEveryKeyFindsItsOwnLine({std::begin(SHOW_WRITE_ORDER), std::end(SHOW_WRITE_ORDER)});
    ExpectEveryKeyFindsItsOwnLine({std::begin(WINDOW_WRITE_ORDER), std::end(WINDOW_WRITE_ORDER)});
    ExpectEveryKeyFindsItsOwnLine({std::begin(SLIDE_WRITE_ORDER), std::end(SLIDE_WRITE_ORDER)});
    ExpectEveryKeyFindsItsOwnLine({std::begin(SOUND_WRITE_ORDER), std::end(SOUND_WRITE_ORDER)});
    ExpectEveryKeyFindsItsOwnLine({std::begin(TERMINATION_WRITE_ORDER), std::end(TERMINATION_WRITE_ORDER)});
    ExpectEveryKeyFindsItsOwnLine({std::begin(CONTACT_WRITE_ORDER), std::end(CONTACT_WRITE_ORDER)});
    ExpectEveryKeyFindsItsOwnLine({std::begin(FILEINFO_WRITE_ORDER), std::end(FILEINFO_WRITE_ORDER)});
    ExpectEveryKeyFindsItsOwnLine({std::begin(AUTOSTART_WRITE_ORDER), std::end(AUTOSTART_WRITE_ORDER)});
    ExpectEveryKeyFindsItsOwnLine(SheetKeysInWriteOrder(
        {KIND_TEXT, KIND_FRAME, KIND_IMAGE, KIND_TEXT, KIND_IMAGE, KIND_FRAME, KIND_FRAME, KIND_TEXT}));
}

TEST(ShowTextOrder, SlideSectionWrittenInOrderReadsBack)
{
    // A slide section written with the shared names, read back through the settings text.
    CSettingsFile writer;
    writer.OpenMemoryText(ENTRY_NAME, TRUE, nullptr, 0);
    CString section = SheetSection(5);
    writer.WriteString(section, Sheet::KEY_IMAGE_FILE, "back.jpg");
    writer.WriteString(section, Sheet::KEY_FADE_IN, "COVER-FROM-LEFT");
    writer.WriteInt(section, Sheet::KEY_DELAY, 4000);
    writer.WriteString(section, ObjectSlotKey(0), ObjectValue(KIND_TEXT, 0));
    writer.WriteInt(section, ObjectKey(KIND_TEXT, 0, Text::KEY_DELAY), 250);
    writer.WriteString(section, ObjectSlotKey(1), ObjectValue(KIND_IMAGE, 1));
    writer.WriteInt(section, ObjectKey(KIND_IMAGE, 1, Image::KEY_DELAY), 750);
    writer.Finish();
    int length = 0;
    const char* text = writer.GetText(length);
    std::vector<char> block(text, text + length + 1);

    CSettingsFile reader;
    ASSERT_TRUE(reader.OpenMemoryText(ENTRY_NAME, FALSE, block.data(), static_cast<int>(block.size())));
    EXPECT_EQ(4000, reader.ReadInt(section, Sheet::KEY_DELAY, Sheet::DEF_DELAY));
    EXPECT_EQ(250, reader.ReadInt(section, ObjectKey(KIND_TEXT, 0, Text::KEY_DELAY), Text::DEF_DELAY));
    EXPECT_EQ(750, reader.ReadInt(section, ObjectKey(KIND_IMAGE, 1, Image::KEY_DELAY), Image::DEF_DELAY));
    EXPECT_EQ(Sheet::DEF_FADESPEED, reader.ReadInt(section, Sheet::KEY_FADESPEED, Sheet::DEF_FADESPEED));
    EXPECT_STREQ("IMAGE01", reader.ReadString(section, ObjectSlotKey(1), ""));
    EXPECT_STREQ("", reader.ReadString(SheetSection(4), Sheet::KEY_IMAGE_FILE, Sheet::DEF_IMAGE_FILE));
}
