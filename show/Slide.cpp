#include "show/Slide.h"

#include "show/ProjectPack.h"
#include "show/SettingsFile.h"
#include "show/ShowText.h"
#include "show/ThumbnailPainter.h"

#include <algorithm>
#include <iterator>

IMPLEMENT_DYNAMIC(CSlideBackground, CObject)
IMPLEMENT_DYNAMIC(CSlide, CObject)

static_assert(CSlide::MaxObjects == ShowText::Sheet::MAX_OBJECTS, "one slot per OBJ key");

// ---------------------------------------------------------------------------------------------------------
// CSlideBackground

CSlideBackground::CSlideBackground()
    : m_nDelay(ShowText::Sheet::DEF_DELAY), m_nFadeSpeed(ShowText::Sheet::DEF_FADESPEED)
{
}

CSlideBackground::~CSlideBackground() = default;

void CSlideBackground::SetDefaults()
{
    m_strImageFile = ShowText::Sheet::DEF_IMAGE_FILE;
    m_nDelay = ShowText::Sheet::DEF_DELAY;
    m_nFadeSpeed = ShowText::Sheet::DEF_FADESPEED;
}

void CSlideBackground::CopyFrom(const CSlideBackground& other)
{
    if (&other == this)
        return;
    // A picture decoded for another image must not stand for the new one; drawing loads it anew.
    if (m_strImageFile != other.m_strImageFile)
        m_Picture.FreePicture();
    m_strImageFile = other.m_strImageFile;
    m_FadeIn.CopySelectedIndex(other.m_FadeIn);
    m_FadeOut.CopySelectedIndex(other.m_FadeOut);
    m_nDelay = other.m_nDelay;
    m_nFadeSpeed = other.m_nFadeSpeed;
}

void CSlideBackground::Write(CSettingsFile& settings, const char* section)
{
    using namespace ShowText::Sheet;
    CString key;
    settings.WriteString(section, KEY_IMAGE_FILE, m_strImageFile);
    m_FadeIn.GetText('I', key);
    settings.WriteString(section, KEY_FADE_IN, key);
    m_FadeOut.GetText('I', key);
    settings.WriteString(section, KEY_FADE_OUT, key);
    settings.WriteInt(section, KEY_DELAY, m_nDelay);
    settings.WriteInt(section, KEY_FADESPEED, m_nFadeSpeed);
}

void CSlideBackground::Read(CSettingsFile& settings, const char* section)
{
    using namespace ShowText::Sheet;
    m_strImageFile = settings.ReadString(section, KEY_IMAGE_FILE, DEF_IMAGE_FILE);
    m_FadeIn.SelectByText('I', settings.ReadString(section, KEY_FADE_IN, DEF_EFFECT));
    m_FadeOut.SelectByText('I', settings.ReadString(section, KEY_FADE_OUT, DEF_EFFECT));
    m_nDelay = settings.ReadInt(section, KEY_DELAY, DEF_DELAY);
    m_nFadeSpeed = settings.ReadInt(section, KEY_FADESPEED, DEF_FADESPEED);
}

BOOL CSlideBackground::LoadImageFromFile()
{
    if (m_Picture.m_bLoaded)
        return TRUE;
    if (m_strImageFile.IsEmpty())
        return FALSE;
    return m_Picture.Load(m_strImageFile) ? TRUE : FALSE;
}

BOOL CSlideBackground::LoadImage(const CProjectPack* pack)
{
    m_Picture.FreePicture();
    if (m_strImageFile.IsEmpty())
        return FALSE;
    return m_Picture.LoadFromPackOrFile(pack, m_strImageFile);
}

// ---------------------------------------------------------------------------------------------------------
// CSlide

CSlide::CSlide() : m_nWidth(0), m_nHeight(0)
{
    Reset();
}

CSlide::~CSlide()
{
    ReleaseObjects();
}

void CSlide::EnsureSlots()
{
    for (auto& slot : m_pSlots)
        if (!slot)
            slot = std::make_unique<CSlideObjSlot>();
}

CSlideObjSlot* CSlide::GetSlot(int index) const
{
    if (index < 0 || index >= MaxObjects)
        return nullptr;
    return m_pSlots[index].get();
}

void CSlide::Reset()
{
    m_Background.SetDefaults();
    m_nWidth = 0;
    m_nHeight = 0;
    EnsureSlots();
    for (auto& slot : m_pSlots)
        slot->Clear();
}

void CSlide::ReleaseObjects()
{
    for (auto& slot : m_pSlots)
        slot.reset();
    m_Bitmap.DeleteObject();
}

void CSlide::CopyFrom(const CSlide& other)
{
    if (&other == this)
        return;
    CopyBackgroundFrom(other);
    EnsureSlots();
    for (int i = 0; i < MaxObjects; i++)
    {
        if (other.m_pSlots[i])
            m_pSlots[i]->CopyFrom(*other.m_pSlots[i]);
        else
            m_pSlots[i]->Clear();
    }
}

void CSlide::CopyBackgroundFrom(const CSlide& other)
{
    if (&other == this)
        return;
    m_Background.CopyFrom(other.m_Background);
    m_nWidth = other.m_nWidth;
    m_nHeight = other.m_nHeight;
}

void CSlide::SetSize(int width, int height)
{
    m_nWidth = width;
    m_nHeight = height;
}

void CSlide::Read(CSettingsFile& settings, const char* section)
{
    m_Background.Read(settings, section);
    EnsureSlots();
    // Objects take the slots in the order of their numbers; gaps in the numbering close.
    int w = 0;
    for (int n = 0; n < MaxObjects && w < MaxObjects; n++)
    {
        m_pSlots[w]->Read(n, settings, section);
        if (m_pSlots[w]->m_bUsed)
            w++;
    }
}

void CSlide::Write(CSettingsFile& settings, const char* section)
{
    // The background keys come first: DELAY must precede TEXT00_DELAY for the reader's substring search.
    m_Background.Write(settings, section);
    CompactObjects();
    for (int i = 0; i < MaxObjects; i++)
        if (m_pSlots[i] && m_pSlots[i]->m_bUsed)
            m_pSlots[i]->Write(i, settings, section);
}

void CSlide::DeleteObject(int index)
{
    if (index < 0 || index >= MaxObjects)
        return;
    if (m_pSlots[index])
    {
        m_pSlots[index]->Clear();
        m_pSlots[index].reset();
    }
    for (int i = index; i < MaxObjects - 1; i++)
        m_pSlots[i] = std::move(m_pSlots[i + 1]);
    m_pSlots[MaxObjects - 1] = std::make_unique<CSlideObjSlot>();
    EnsureSlots();
}

void CSlide::CompactObjects()
{
    EnsureSlots();
    std::stable_partition(std::begin(m_pSlots), std::end(m_pSlots),
                          [](const std::unique_ptr<CSlideObjSlot>& slot) { return slot->m_bUsed != 0; });
}

int CSlide::FindFreeObjectSlot() const
{
    for (int i = 0; i < MaxObjects; i++)
        if (!m_pSlots[i] || !m_pSlots[i]->m_bUsed)
            return i;
    return -1;
}

int CSlide::CountUsedObjects() const
{
    int count = 0;
    for (auto& slot : m_pSlots)
        if (slot && slot->m_bUsed)
            count++;
    return count;
}

int CSlide::DuplicateObject(int index)
{
    CSlideObjSlot* source = GetSlot(index);
    if (!source || !source->m_bUsed)
        return -1;
    int target = FindFreeObjectSlot();
    if (target < 0)
        return -1;
    EnsureSlots();
    m_pSlots[target]->CopyFrom(*source);
    if (source->m_nKind == CSlideObjSlot::KIND_TEXT)
        m_pSlots[target]->m_Text.m_rcLast = source->m_Text.m_rcLast;
    return target;
}

void CSlide::ApplyTextStyle(int index)
{
    CSlideObjSlot* source = GetSlot(index);
    if (source)
        ApplyTextStyle(source->m_Text);
}

void CSlide::ApplyImageStyle(int index)
{
    CSlideObjSlot* source = GetSlot(index);
    if (source)
        ApplyImageStyle(source->m_Image);
}

void CSlide::ApplyRectangleStyle(int index)
{
    CSlideObjSlot* source = GetSlot(index);
    if (!source)
        return;
    for (auto& slot : m_pSlots)
        if (slot)
            slot->ApplyRectangleStyle(source->m_Frame);
}

void CSlide::ApplyTextStyle(const CAniText& source)
{
    for (auto& slot : m_pSlots)
        if (slot)
            slot->ApplyTextStyle(source);
}

void CSlide::ApplyImageStyle(const CImageObj& source)
{
    for (auto& slot : m_pSlots)
        if (slot)
            slot->ApplyImageStyle(source);
}

void CSlide::Prepare(const CProjectPack* pack, CWnd* window)
{
    m_Background.LoadImage(pack);
    for (auto& slot : m_pSlots)
        if (slot && slot->m_bUsed && slot->m_nKind >= CSlideObjSlot::KIND_TEXT &&
            slot->m_nKind <= CSlideObjSlot::KIND_RECTANGLE)
            slot->Prepare(pack, window);
}

void CSlide::DrawAll(CDC* dc)
{
    if (!dc)
        return;
    DrawBackground(dc);
    for (int i = 0; i < MaxObjects; i++)
        DrawObject(dc, i);
}

void CSlide::DrawBackground(CDC* dc)
{
    if (!dc)
        return;
    if (!m_Background.m_Picture.m_bLoaded)
        m_Background.LoadImageFromFile();
    if (m_Background.m_Picture.m_bLoaded)
    {
        CRect rc(0, 0, m_Background.m_Picture.m_nWidth, m_Background.m_Picture.m_nHeight);
        m_Background.m_Picture.Render(dc, rc);
    }
}

void CSlide::DrawObject(CDC* dc, int index)
{
    CSlideObjSlot* slot = GetSlot(index);
    if (!dc || !slot || !slot->m_bUsed)
        return;
    CRect canvas(0, 0, m_nWidth, m_nHeight);
    CRect drawn;
    slot->m_bThumbnail = TRUE;
    slot->Draw(dc, canvas, -1, FALSE, drawn);
    slot->m_bThumbnail = FALSE;
}

BOOL CSlide::MakeThumbnail(int width, int height, CBitmap* bitmap)
{
    CThumbnailPainter painter(nullptr);
    return painter.Draw(*this, width, height, bitmap);
}
