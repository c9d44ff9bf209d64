#include "show/ShowText.h"

#include <cstdlib>
#include <cstring>

namespace ShowText
{

namespace
{

const char* KindName(int kind)
{
    switch (kind)
    {
    case KIND_TEXT: return Text::NAME;
    case KIND_IMAGE: return Image::NAME;
    case KIND_FRAME: return Frame::NAME;
    default: return nullptr;
    }
}

bool BeginsWith(const char* text, const char* prefix)
{
    return strncmp(text, prefix, strlen(prefix)) == 0;
}

}   // namespace

CString SheetSection(int slide)
{
    CString section;
    section.Format(Sheet::SECTION_FORMAT, slide);
    return section;
}

CString ObjectSlotKey(int number)
{
    CString key;
    key.Format(Sheet::OBJ_FORMAT, number);
    return key;
}

CString ObjectValue(int kind, int number)
{
    const char* name = KindName(kind);
    CString value;
    if (name != nullptr)
        value.Format("%s%02d", name, number);
    return value;
}

CString ObjectKey(int kind, int number, const char* key)
{
    const char* name = KindName(kind);
    CString result;
    if (name != nullptr)
        result.Format("%s%02d_%s", name, number, key ? key : "");
    return result;
}

BOOL IsLegacyObjectValue(const char* value)
{
    return value == nullptr || strlen(value) <= 2;
}

int ParseObjectValue(const char* value, int& number)
{
    number = 0;
    if (IsLegacyObjectValue(value))
        return KIND_NONE;
    size_t length = strlen(value);
    char digits[3] = {value[length - 2], value[length - 1], '\0'};
    number = static_cast<int>(strtol(digits, nullptr, 10));
    if (BeginsWith(value, Text::NAME))
        return KIND_TEXT;
    if (BeginsWith(value, Image::NAME))
        return KIND_IMAGE;
    if (BeginsWith(value, Frame::NAME))
        return KIND_FRAME;
    return KIND_NONE;
}

int ClampWindowWidth(int width)
{
    if (width < Window::MIN_WIDTH)
        return Window::MIN_WIDTH;
    if (width > Window::MAX_WIDTH)
        return Window::MAX_WIDTH;
    return width;
}

int ClampWindowHeight(int height)
{
    if (height < Window::MIN_HEIGHT)
        return Window::MIN_HEIGHT;
    if (height > Window::MAX_HEIGHT)
        return Window::MAX_HEIGHT;
    return height;
}

int SlideWidthOfWindow(int windowWidth)
{
    return windowWidth - Slide::WIDTH_MARGIN;
}

int SlideHeightOfWindow(int windowHeight)
{
    return windowHeight - Slide::HEIGHT_MARGIN;
}

}   // namespace ShowText
