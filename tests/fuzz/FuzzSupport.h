// Shared by the fuzz targets: no message box is recorded or waited for, and a pack is read whole and walked.
#pragma once

#include "framework/core/Core.h"
#include "framework/core/MessageBox.h"
#include "show/ProjectPack.h"

#include <cstddef>
#include <cstdint>

// A box (the pack's "out of memory") is answered at once and not kept: the fuzzer runs millions of inputs.
inline void AnswerMessageBoxesQuietly()
{
    AfxSetMessageBoxHandler([](const char*, const char*, unsigned type)
                            { return AfxDefaultMessageBoxAnswer(type); });
}

// Reads a pack from the file and looks at every entry it holds, as the player does.
inline void ReadWholePack(CFile& file)
{
    CProjectPack pack;
    {
        CArchive ar(&file, CArchive::load);
        pack.Read(ar);
        ar.Close();
    }
    volatile BYTE sink = 0;
    for (int i = 0; i < pack.GetEntryCount(); ++i)
    {
        CString name;
        if (!pack.GetEntryName(i, name))
            continue;   // unnamed
        // An entry whose name is an entry name (no folder, not too long) is found by it.
        if (CProjectPack::MakeEntryName(name) == name && pack.FindEntry(name) < 0)
            __builtin_trap();
        int size = 0;
        BYTE* data = pack.GetEntryData(name, size);
        if (data && size > 0)
            sink = sink ^ data[0] ^ data[size - 1];
    }
}
