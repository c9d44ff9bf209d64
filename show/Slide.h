// One slide of a show: its background (image, transition effects, display time) and its 50 object slots.
// A slide belongs to the show exactly when its background image name is not empty.
#pragma once

#include "framework/win/Framework.h"
#include "show/EffectNames.h"
#include "show/Picture.h"
#include "show/SlideObject.h"

#include <memory>

class CSettingsFile;
class CProjectPack;

class CSlideBackground : public CObject
{
    DECLARE_DYNAMIC(CSlideBackground)
public:
    CSlideBackground();
    ~CSlideBackground() override;

    // Empty image name, display time 3000, fade speed 1; the effect selections stay as they are.
    void SetDefaults();
    // Name, effects, display time and fade speed; not the decoded picture.
    void CopyFrom(const CSlideBackground& other);

    void Write(CSettingsFile& settings, const char* section);
    void Read(CSettingsFile& settings, const char* section);

    // Loads the picture from the file the image name names, unless it is loaded already.
    BOOL LoadImageFromFile();
    // Loads the picture anew: from the pack entry of the image name, else from the file of that name.
    BOOL LoadImage(const CProjectPack* pack);

    CString m_strImageFile;   // a path while editing, a bare pack entry name after saving
    CEffectNames m_FadeIn;
    CEffectNames m_FadeOut;
    CPicture m_Picture;
    int m_nDelay;   // display time, milliseconds
    int m_nFadeSpeed;

private:
    CSlideBackground(const CSlideBackground&) = delete;
    CSlideBackground& operator=(const CSlideBackground&) = delete;
};

class CSlide : public CObject
{
    DECLARE_DYNAMIC(CSlide)
public:
    enum
    {
        MaxObjects = 50
    };

    CSlide();
    ~CSlide() override;

    // Background defaults, size 0 x 0, all 50 slots present and cleared.
    void Reset();
    // Deletes the slots and the thumbnail's bitmap.
    void ReleaseObjects();

    void CopyFrom(const CSlide& other);
    void CopyBackgroundFrom(const CSlide& other);
    void SetSize(int width, int height);

    void Read(CSettingsFile& settings, const char* section);
    void Write(CSettingsFile& settings, const char* section);

    void DeleteObject(int index);
    void CompactObjects();
    int FindFreeObjectSlot() const;
    int DuplicateObject(int index);

    void ApplyTextStyle(int index);
    void ApplyImageStyle(int index);
    void ApplyRectangleStyle(int index);
    // The same with a source object of another slide.
    void ApplyTextStyle(const CAniText& source);
    void ApplyImageStyle(const CImageObj& source);

    void Prepare(const CProjectPack* pack, CWnd* window);
    void DrawAll(CDC* dc);
    // The background picture at its size at the origin (loaded from its file first when it is not loaded).
    void DrawBackground(CDC* dc);
    void DrawObject(CDC* dc, int index);
    // Renders the slide as prepared into the bitmap at width x height (scaled with its aspect ratio kept when
    // that is not the slide's own size). FALSE when the slide has no size or no surface could be made. Many
    // thumbnails in a row: CThumbnailPainter.
    BOOL MakeThumbnail(int width, int height, CBitmap* bitmap);

    BOOL IsInShow() const { return !m_Background.m_strImageFile.IsEmpty(); }
    // The slot at index, or null outside 0 … 49.
    CSlideObjSlot* GetSlot(int index) const;
    int CountUsedObjects() const;

    CSlideBackground m_Background;
    std::unique_ptr<CSlideObjSlot> m_pSlots[MaxObjects];
    int m_nWidth;
    int m_nHeight;
    CBitmap m_Bitmap;   // thumbnail, or the finished slide image in the player

private:
    void EnsureSlots();
    CSlide(const CSlide&) = delete;
    CSlide& operator=(const CSlide&) = delete;
};
