// A pack read from a file (a show's VEXUL.VXL).
#include "FuzzSupport.h"

#include <cstdio>
#include <string>
#include <unistd.h>

namespace
{
std::string g_path;
}

extern "C" int LLVMFuzzerInitialize(int*, char***)
{
    AnswerMessageBoxesQuietly();
    g_path = "/tmp/vexul-fuzz-pack-" + std::to_string(getpid()) + ".vxl";
    return 0;
}

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size)
{
    FILE* out = fopen(g_path.c_str(), "wb");
    if (!out)
        return 0;
    bool written = size == 0 || fwrite(data, 1, size, out) == size;
    fclose(out);
    CFile file;
    if (written && file.Open(g_path.c_str(), CFile::modeRead | CFile::shareDenyNone))
        ReadWholePack(file);
    remove(g_path.c_str());
    return 0;
}
