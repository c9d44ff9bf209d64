// A show text read the way the show model reads it, as far as the portable code goes: the show-wide keys,
// every slide's background keys and effect names, its object slots and the keys of the objects they name.
#include "show/EffectNames.h"
#include "show/SettingsFile.h"
#include "show/ShowText.h"

#include <cstdint>
#include <string>

namespace
{

using namespace ShowText;

template <size_t N>
void ReadObjectKeys(CSettingsFile& file, const CString& section, int kind, int number,
                    const char* const (&keys)[N])
{
    for (const char* key : keys)
        file.ReadString(section, ObjectKey(kind, number, key), "");
}

void ReadObject(CSettingsFile& file, const CString& section, int kind, int number)
{
    switch (kind)
    {
    case KIND_TEXT:
    {
        ReadObjectKeys(file, section, kind, number, Text::WRITE_ORDER);
        CTextAnimNames names;
        names.SelectByText(LETTER_KEYS,
                           file.ReadString(section, ObjectKey(kind, number, Text::KEY_ANIMATION), ""));
        break;
    }
    case KIND_IMAGE:
    {
        ReadObjectKeys(file, section, kind, number, Image::WRITE_ORDER);
        CInsertAnimNames names;
        names.SelectByKey(file.ReadString(section, ObjectKey(kind, number, Image::KEY_ANIMATION), ""));
        break;
    }
    case KIND_FRAME:
    {
        ReadObjectKeys(file, section, kind, number, Frame::WRITE_ORDER);
        CFillAnimNames names;
        names.SelectByKey(file.ReadString(section, ObjectKey(kind, number, Frame::KEY_ANIMATION), ""));
        break;
    }
    default: break;
    }
}

}   // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size)
{
    std::string block(reinterpret_cast<const char*>(data), size);
    block.push_back('\0');
    CSettingsFile file;
    file.OpenMemoryText(ENTRY_NAME, FALSE, block.data(), static_cast<int>(block.size()));

    file.ReadString(Show::SECTION, Show::KEY_VERSION, Show::DEF_VERSION);
    ClampWindowWidth(file.ReadInt(Window::SECTION, Window::KEY_WIDTH, Window::DEF_WIDTH));
    ClampWindowHeight(file.ReadInt(Window::SECTION, Window::KEY_HEIGHT, Window::DEF_HEIGHT));
    file.ReadString(Window::SECTION, Window::KEY_TITLE, Window::DEF_TITLE);
    file.ReadColor(Background::SECTION, Background::KEY_COLOR, Background::DEF_COLOR);
    Path::FileNameOf(file.ReadString(AutoStart::SECTION, AutoStart::KEY_FILE, ""));
    for (const char* line : Contact::LINES)
        file.ReadString(Contact::SECTION, line, "");

    for (int slide = 0; slide < Sheet::COUNT; ++slide)
    {
        const CString section = SheetSection(slide);
        file.ReadString(section, Sheet::KEY_IMAGE_FILE, "");
        CEffectNames fadeIn, fadeOut;
        fadeIn.SelectByText(LETTER_KEYS, file.ReadString(section, Sheet::KEY_FADE_IN, ""));
        fadeOut.SelectByText(LETTER_KEYS, file.ReadString(section, Sheet::KEY_FADE_OUT, ""));
        file.ReadInt(section, Sheet::KEY_DELAY, 0);
        file.ReadInt(section, Sheet::KEY_FADESPEED, 0);
        for (int n = 0; n < Sheet::MAX_OBJECTS; ++n)
        {
            CString value = file.ReadString(section, ObjectSlotKey(n), "");
            int number = 0;
            if (!IsLegacyObjectValue(value))
                ReadObject(file, section, ParseObjectValue(value, number), number);
            else if (!file.ReadString(section, ObjectKey(KIND_TEXT, n, Text::KEY_TEXT), "").IsEmpty())
                ReadObject(file, section, KIND_TEXT, n);   // shows from before object slots
        }
    }
    return 0;
}
