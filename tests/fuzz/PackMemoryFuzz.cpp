// A pack read from memory (a compiled player's resource).
#include "FuzzSupport.h"

extern "C" int LLVMFuzzerInitialize(int*, char***)
{
    AnswerMessageBoxesQuietly();
    return 0;
}

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size)
{
    CMemFile file(size ? data : nullptr, static_cast<UINT>(size));
    ReadWholePack(file);
    return 0;
}
