// A settings text: read with the names a show uses and with names taken from the text itself.
#include "show/SettingsFile.h"

#include <cstdint>
#include <string>

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size)
{
    std::string block(reinterpret_cast<const char*>(data), size);
    block.push_back('\0');
    CSettingsFile file;
    file.OpenMemoryText("fuzz", FALSE, block.data(), static_cast<int>(block.size()));
    // Names from the text: its first two lines, short.
    std::string text(reinterpret_cast<const char*>(data), size);
    size_t end1 = text.find('\n');
    std::string first = text.substr(0, std::min<size_t>(end1, 40));
    std::string second = end1 == std::string::npos ? "" : text.substr(end1 + 1, 40);
    const std::string sections[] = {"SHOW", "SHEET00", "sheet39", first, second, ""};
    const std::string keys[] = {"VERSION", "DELAY", "TEXT00_DELAY", "OBJ00", "X", first, second, "", "A=B"};
    for (const std::string& section : sections)
        for (const std::string& key : keys)
        {
            CString value = file.ReadString(section.c_str(), key.c_str(), "default");
            if (value.GetLength() >= CSettingsFile::VALUE_BUFFER_SIZE)
                __builtin_trap();   // values are cut to the buffer
            file.ReadInt(section.c_str(), key.c_str(), -1);
            file.ReadColor(section.c_str(), key.c_str(), 0);
        }
    return 0;
}
