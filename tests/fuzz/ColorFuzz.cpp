// Colour texts: "#rrggbb" values of the show text and the hexadecimal helpers behind them.
#include "show/MemBuffer.h"
#include "show/SettingsFile.h"

#include <cstdint>
#include <cstring>
#include <string>

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size)
{
    const std::string text(reinterpret_cast<const char*>(data),
                           strnlen(reinterpret_cast<const char*>(data), size));
    HtmlToColor(text.c_str());
    HexToColor(text.c_str());
    CSettingsFile::ParseHexByte(text.c_str());
    if (text.size() >= 2)
        HexPairToByte(text[0], text[1]);

    // What a colour key of a show text reads as.
    std::string show = "\r\n[S]\r\nC=" + text + "\r\n";
    CSettingsFile file;
    file.OpenMemoryText("fuzz", FALSE, show.c_str(), static_cast<int>(show.size()) + 1);
    file.ReadColor("S", "C", RGB(1, 2, 3));

    // Every colour written is read back as itself.
    if (size >= 3)
    {
        COLORREF colour = RGB(data[0], data[1], data[2]);
        if (HtmlToColor(ColorToHtml(colour)) != colour || HexToColor(ColorToHex(colour)) != colour)
            __builtin_trap();
    }
    return 0;
}
