// An embedded-font entry of a pack: the face name in its header becomes a temporary file name.
#include "show/FontEmbedding.h"

#include <cstdint>
#include <cstring>

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size)
{
    CString face;
    if (!GetEmbeddedFontFaceName(data, static_cast<DWORD>(size), face))
        return 0;
    if (face.IsEmpty() || face.GetLength() >= kFontEntryHeaderSize)
        __builtin_trap();
    CString file;
    MakeTempFontFileName(face, file);
    // A file name in the temporary folder: no folder part, no drive, nothing the file system refuses, no device.
    for (int i = 0; i < file.GetLength(); ++i)
    {
        unsigned char c = static_cast<unsigned char>(file[i]);
        if (c < 0x20 || strchr("\\/:*?\"<>|", c))
            __builtin_trap();
    }
    if (IsReservedDeviceName(file))
        __builtin_trap();
    return 0;
}
