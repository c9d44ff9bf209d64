#include "show/ShowData.h"

#include "show/FontEmbedding.h"
#include "show/ShowText.h"

IMPLEMENT_DYNAMIC(CShowData, CObject)

namespace {

// Transition effects 15 … 22 cover the outgoing slide, whose own fade-out would be lost under them.
bool IsCoverIndex(int index)
{
    return index >= 15 && index <= 22;
}

}  // namespace

CShowData::CShowData()
    : m_pFontCollector(nullptr)
{
    SetDefaults();
}

CShowData::~CShowData() = default;

void CShowData::SetDefaults()
{
    m_strShowVersion.Empty();
    m_nAutoExit = 0;
    m_nLoop = 2;
    m_crBackground = RGB(0, 0, 0);
    m_nWindowWidth = 638;
    m_nWindowHeight = 466;
    m_nDesktopMode = 0;
    m_strTitle.Empty();
    m_strIconFile.Empty();
    m_bSoundOn = FALSE;
    m_strSoundFile.Empty();
    m_nRepeatSound = 0;
    m_nAutostartOn = 0;
    m_strAutostartFile.Empty();
    for (auto& slide : m_Slides)
        slide.Reset();
    for (auto& line : m_strContactLine)
        line.Empty();
    m_strContactMail.Empty();
    m_strContactWeb.Empty();
    m_nContactOn = 0;
    m_nFileInfoOn = 0;
    m_nFileVersion[0] = 1;
    m_nFileVersion[1] = m_nFileVersion[2] = m_nFileVersion[3] = 0;
    m_strCopyright.Empty();
    m_strDescription.Empty();
    m_strCompany.Empty();
    m_strProductVersion.Empty();
    m_nAdvanceMode = 0;
    m_nSlideWidth = 638;
    m_nSlideHeight = 466;
    m_nSlideOption = 1;
}

CSlide* CShowData::GetSlide(int index)
{
    if (index < 0 || index >= MaxSlides)
        return nullptr;
    return &m_Slides[index];
}

int CShowData::CountShowSlides() const
{
    int count = 0;
    for (const auto& slide : m_Slides)
        if (slide.IsInShow())
            count++;
    return count;
}

BOOL CShowData::ReadShowText(const char* name, const void* data, int size)
{
    CSettingsFile& s = m_Settings;
    BOOL opened = s.OpenMemoryText(name, FALSE, data, size);

    m_strShowVersion = s.ReadString("SHOW", "VERSION", "");
    m_nWindowWidth = s.ReadInt("WINDOW", "WIDTH", 0);
    m_nWindowHeight = s.ReadInt("WINDOW", "HEIGHT", 0);
    m_nDesktopMode = s.ReadInt("WINDOW", "DESKTOP", 0);
    m_strTitle = s.ReadString("WINDOW", "TITLE", "Vexul");
    m_strIconFile = s.ReadString("WINDOW", "ICON", "");
    m_nSlideWidth = s.ReadInt("SLIDE", "WIDTH", 638);
    m_nSlideHeight = s.ReadInt("SLIDE", "HEIGHT", 466);
    m_nSlideOption = s.ReadInt("SLIDE", "OPTION", 1);
    m_crBackground = s.ReadColor("BACKGROUND", "COLOR", RGB(0, 0, 0));

    m_nWindowWidth = ShowText::ClampWindowWidth(m_nWindowWidth);
    m_nWindowHeight = ShowText::ClampWindowHeight(m_nWindowHeight);

    m_nAutoExit = s.ReadInt("TERMINATION", "AUTOEXIT", 0);
    m_nLoop = s.ReadInt("TERMINATION", "LOOP", 0);
    m_nAdvanceMode = s.ReadInt("SHOWCTRL", "ADVANCE", 0);
    m_strSoundFile = s.ReadString("SOUND", "FILE", "");
    m_bSoundOn = m_strSoundFile.IsEmpty() ? FALSE : TRUE;
    m_nRepeatSound = s.ReadInt("SOUND", "REPEAT", 0);
    m_nAutostartOn = s.ReadInt("AUTOSTART", "ENABLE", 0);
    m_strAutostartFile = s.ReadString("AUTOSTART", "FILE", "");
    m_nContactOn = s.ReadInt("CONTACT", "ENABLE", 0);
    m_strContactMail = s.ReadString("CONTACT", "EMAIL", "");
    m_strContactWeb = s.ReadString("CONTACT", "INTERNET", "");
    for (int i = 0; i < 6; i++) {
        CString key;
        key.Format("LINE%d", i + 1);
        m_strContactLine[i] = s.ReadString("CONTACT", key, "");
    }
    m_nFileInfoOn = s.ReadInt("FILEINFO", "ENABLE", 0);
    m_nFileVersion[0] = s.ReadInt("FILEINFO", "V1", 1);
    m_nFileVersion[1] = s.ReadInt("FILEINFO", "V2", 0);
    m_nFileVersion[2] = s.ReadInt("FILEINFO", "V3", 0);
    m_nFileVersion[3] = s.ReadInt("FILEINFO", "V4", 0);
    m_strCopyright = s.ReadString("FILEINFO", "COPYRIGHT", "");
    m_strDescription = s.ReadString("FILEINFO", "DESCRIPTION", "");
    m_strCompany = s.ReadString("FILEINFO", "COMPANY", "");
    m_strProductVersion = s.ReadString("FILEINFO", "VERSION", "");

    for (int i = 0; i < MaxSlides; i++) {
        m_Slides[i].Read(s, ShowText::SheetSection(i));
        m_Slides[i].SetSize(m_nWindowWidth - 2, m_nWindowHeight - 14);
    }

    // A slide coming in with a cover effect covers the previous one: that one must not fade out first.
    int lastWithImage = -1;
    for (int i = 0; i < MaxSlides - 1; i++) {
        if (IsCoverIndex(m_Slides[i + 1].m_Background.m_FadeIn.m_nSelected))
            m_Slides[i].m_Background.m_FadeOut.m_nSelected = 0;
        if (m_Slides[i].IsInShow())
            lastWithImage = i;
    }
    // Looping: the last slide is followed by slide 0.
    if (m_nLoop != 0 && IsCoverIndex(m_Slides[0].m_Background.m_FadeIn.m_nSelected) && lastWithImage >= 0)
        m_Slides[lastWithImage].m_Background.m_FadeOut.m_nSelected = 0;

    return opened;
}

void CShowData::WriteShowText(const char* name, const char* projectFolder)
{
    CSettingsFile& s = m_Settings;
    s.OpenMemoryText(name, TRUE, nullptr, 0);

    s.WriteString("SHOW", "INTERNET-1", ShowText::MAKER_WEB_1);
    s.WriteString("SHOW", "INTERNET-2", ShowText::MAKER_WEB_2);
    s.WriteString("SHOW", "EMAIL", ShowText::MAKER_EMAIL);
    s.WriteString("SHOW", "VERSION", m_strShowVersion);

    s.WriteInt("WINDOW", "WIDTH", m_nWindowWidth);
    s.WriteInt("WINDOW", "HEIGHT", m_nWindowHeight);
    s.WriteInt("WINDOW", "DESKTOP", m_nDesktopMode);
    s.WriteString("WINDOW", "TITLE", m_strTitle);
    s.WriteString("WINDOW", "ICON", m_strIconFile);
    s.WriteInt("SLIDE", "WIDTH", m_nSlideWidth);
    s.WriteInt("SLIDE", "HEIGHT", m_nSlideHeight);
    s.WriteInt("SLIDE", "OPTION", m_nSlideOption);
    s.WriteColor("BACKGROUND", "COLOR", m_crBackground);

    if (m_strSoundFile.IsEmpty())
        m_bSoundOn = FALSE;
    if (!m_bSoundOn)
        m_strSoundFile.Empty();
    s.WriteInt("SOUND", "ENABLE", m_bSoundOn ? 1 : 0);
    s.WriteString("SOUND", "FILE", m_strSoundFile);
    s.WriteInt("SOUND", "REPEAT", m_nRepeatSound);

    s.WriteInt("TERMINATION", "AUTOEXIT", m_nAutoExit);
    s.WriteInt("TERMINATION", "LOOP", m_nLoop);
    s.WriteInt("SHOWCTRL", "ADVANCE", m_nAdvanceMode);
    s.WriteInt("CONTACT", "ENABLE", m_nContactOn);
    for (int i = 0; i < 6; i++) {
        CString key;
        key.Format("LINE%d", i + 1);
        s.WriteString("CONTACT", key, m_strContactLine[i]);
    }
    s.WriteString("CONTACT", "INTERNET", m_strContactWeb);
    s.WriteString("CONTACT", "EMAIL", m_strContactMail);
    s.WriteInt("FILEINFO", "ENABLE", m_nFileInfoOn);
    for (int i = 0; i < 4; i++) {
        CString key;
        key.Format("V%d", i + 1);
        s.WriteInt("FILEINFO", key, m_nFileVersion[i]);
    }
    s.WriteString("FILEINFO", "COPYRIGHT", m_strCopyright);
    s.WriteString("FILEINFO", "DESCRIPTION", m_strDescription);
    s.WriteString("FILEINFO", "COMPANY", m_strCompany);
    s.WriteString("FILEINFO", "VERSION", m_strProductVersion);

    // Images live in the pack under their bare names; fonts of text objects are collected for embedding.
    for (auto& slide : m_Slides) {
        slide.m_Background.m_strImageFile = ShowText::BareFileName(slide.m_Background.m_strImageFile);
        for (auto* slot : slide.m_pSlots) {
            if (!slot || !slot->m_bUsed)
                continue;
            if (slot->m_nKind == 2 && !slot->m_Image.m_strFile.IsEmpty())
                slot->m_Image.m_strFile = ShowText::BareFileName(slot->m_Image.m_strFile);
            else if (slot->m_nKind == 1 && m_pFontCollector)
                m_pFontCollector->Add(slot->m_Text.m_strFontName);
        }
    }

    for (int i = 0; i < MaxSlides; i++)
        if (m_Slides[i].IsInShow())
            m_Slides[i].Write(s, ShowText::SheetSection(i));

    m_strAutostartFile = ShowText::RelativeToFolder(m_strAutostartFile, projectFolder ? projectFolder : "");
    s.WriteInt("AUTOSTART", "ENABLE", m_nAutostartOn);
    s.WriteString("AUTOSTART", "FILE", m_strAutostartFile);

    s.Finish();
}

const char* CShowData::BuildShowText(const char* name, const char* projectFolder, int* length)
{
    if (length)
        *length = 0;
    if (!m_pFontCollector)
        return nullptr;
    WriteShowText(name, projectFolder);
    int size = 0;
    const char* text = m_Settings.GetText(size);
    if (length)
        *length = size;
    return text;
}

void CShowData::ApplyTextStyleToAllSlides(int slide, int object)
{
    CSlide* source = GetSlide(slide);
    CSlideObjSlot* slot = source ? source->GetSlot(object) : nullptr;
    if (!slot)
        return;
    for (auto& target : m_Slides)
        target.ApplyTextStyle(slot->m_Text);
}

void CShowData::ApplyImageStyleToAllSlides(int slide, int object)
{
    CSlide* source = GetSlide(slide);
    CSlideObjSlot* slot = source ? source->GetSlot(object) : nullptr;
    if (!slot)
        return;
    for (auto& target : m_Slides)
        target.ApplyImageStyle(slot->m_Image);
}

void CShowData::ApplyBackgroundEffectsToAllSlides(int slide)
{
    CSlide* source = GetSlide(slide);
    if (!source)
        return;
    const CSlideBackground& from = source->m_Background;
    for (auto& target : m_Slides) {
        if (&target == source)
            continue;
        target.m_Background.m_FadeIn.CopySelectedIndex(from.m_FadeIn);
        target.m_Background.m_FadeOut.CopySelectedIndex(from.m_FadeOut);
        target.m_Background.m_nDelay = from.m_nDelay;
        target.m_Background.m_nFadeSpeed = from.m_nFadeSpeed;
    }
}

void CShowData::DeleteSlide(int index)
{
    if (index < 0 || index >= MaxSlides)
        return;
    for (int i = index; i < MaxSlides - 1; i++)
        m_Slides[i].CopyFrom(m_Slides[i + 1]);
    m_Slides[MaxSlides - 1].m_Background.m_strImageFile.Empty();
}
