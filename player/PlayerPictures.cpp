#include "player/PlayerPictures.h"

#include "show/GifFrames.h"
#include "show/AniPicture.h"
#include "show/ImageObj.h"
#include "show/MemBuffer.h"
#include "show/ProjectPack.h"

#include <cstring>
#include <memory>

void LoadPlayerPicture(CImageObj& object, const CProjectPack* pack)
{
    if (object.m_strFile.IsEmpty())
        return;

    CMemBuffer buffer;
    BYTE* data = nullptr;
    DWORD size = 0;
    int entrySize = 0;
    const BYTE* entry = pack ? pack->GetEntryData(object.m_strFile, entrySize) : nullptr;
    if (entry && entrySize > 0 && (data = buffer.Allocate(entrySize, FALSE)) != nullptr)
    {
        std::memcpy(data, entry, static_cast<size_t>(entrySize));
        size = static_cast<DWORD>(entrySize);
    }
    else if (object.m_Picture.ReadFile(object.m_strFile, buffer))
    {
        data = buffer.GetData();
        size = static_cast<DWORD>(buffer.GetSize());
    }

    // Whatever was shown before goes: nothing loaded leaves no picture.
    object.ReleaseAniPicture();
    object.m_Picture.FreePicture();
    if (!data || size == 0)
        return;   // nothing loaded: no picture, no message

    if (IsAnimatedGif(object.m_strFile, data, size))
    {
        auto animated = std::make_unique<CAniPicture>();
        if (animated->LoadFromMemory(data, size))
        {
            object.m_nWidth = animated->m_nWidth;
            object.m_nHeight = animated->m_nHeight;
            object.m_pAniPicture = std::move(animated);
            object.m_bUseAniPicture = TRUE;
            object.m_bAniStarted = FALSE;
            return;
        }
    }
    object.m_Picture.LoadFromMemory(data, size);
    if (object.m_Picture.IsLoaded())
    {
        object.m_nWidth = object.m_Picture.GetWidth();
        object.m_nHeight = object.m_Picture.GetHeight();
    }
}
