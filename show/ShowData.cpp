#include "show/ShowData.h"

#include "show/FontEmbedding.h"
#include "show/ShowText.h"

IMPLEMENT_DYNAMIC(CShowData, CObject)

static_assert(CShowData::MaxSlides == ShowText::Sheet::COUNT, "one slide per SHEET section");
static_assert(sizeof(CShowData::m_strContactLine) / sizeof(CString) == ShowText::Contact::LINE_COUNT,
              "one contact line per LINE key");
static_assert(sizeof(CShowData::m_nFileVersion) / sizeof(int) == ShowText::FileInfo::VERSION_COUNT,
              "one version number per V key");

namespace
{

// Transition effects 15 … 22 cover the outgoing slide, whose own fade-out would be lost under them.
bool IsCoverIndex(int index)
{
    return index >= 15 && index <= 22;
}

}   // namespace

CShowData::CShowData() : m_pFontCollector(nullptr)
{
    SetDefaults();
}

CShowData::~CShowData() = default;

void CShowData::SetDefaults()
{
    m_strShowVersion.Empty();
    m_nAutoExit = 0;
    m_nLoop = 2;
    m_crBackground = ShowText::Background::DEF_COLOR;
    // A new show's window starts as large as the default slide.
    m_nWindowWidth = ShowText::Slide::DEF_WIDTH;
    m_nWindowHeight = ShowText::Slide::DEF_HEIGHT;
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
    for (int i = 0; i < ShowText::FileInfo::VERSION_COUNT; i++)
        m_nFileVersion[i] = ShowText::FileInfo::DEF_VERSIONS[i];
    m_strCopyright.Empty();
    m_strDescription.Empty();
    m_strCompany.Empty();
    m_strProductVersion.Empty();
    m_nAdvanceMode = 0;
    m_nSlideWidth = ShowText::Slide::DEF_WIDTH;
    m_nSlideHeight = ShowText::Slide::DEF_HEIGHT;
    m_nSlideOption = ShowText::Slide::DEF_OPTION;
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
    using namespace ShowText;
    CSettingsFile& s = m_Settings;
    BOOL opened = s.OpenMemoryText(name, FALSE, data, size);

    m_strShowVersion = s.ReadString(Show::SECTION, Show::KEY_VERSION, Show::DEF_VERSION);
    m_nWindowWidth = s.ReadInt(Window::SECTION, Window::KEY_WIDTH, Window::DEF_WIDTH);
    m_nWindowHeight = s.ReadInt(Window::SECTION, Window::KEY_HEIGHT, Window::DEF_HEIGHT);
    m_nDesktopMode = s.ReadInt(Window::SECTION, Window::KEY_DESKTOP, Window::DEF_DESKTOP);
    m_strTitle = s.ReadString(Window::SECTION, Window::KEY_TITLE, Window::DEF_TITLE);
    m_strIconFile = s.ReadString(Window::SECTION, Window::KEY_ICON, Window::DEF_ICON);
    m_nSlideWidth = s.ReadInt(Slide::SECTION, Slide::KEY_WIDTH, Slide::DEF_WIDTH);
    m_nSlideHeight = s.ReadInt(Slide::SECTION, Slide::KEY_HEIGHT, Slide::DEF_HEIGHT);
    m_nSlideOption = s.ReadInt(Slide::SECTION, Slide::KEY_OPTION, Slide::DEF_OPTION);
    m_crBackground = s.ReadColor(Background::SECTION, Background::KEY_COLOR, Background::DEF_COLOR);

    m_nWindowWidth = ClampWindowWidth(m_nWindowWidth);
    m_nWindowHeight = ClampWindowHeight(m_nWindowHeight);

    m_nAutoExit = s.ReadInt(Termination::SECTION, Termination::KEY_AUTOEXIT, Termination::DEF_AUTOEXIT);
    m_nLoop = s.ReadInt(Termination::SECTION, Termination::KEY_LOOP, Termination::DEF_LOOP);
    m_nAdvanceMode = s.ReadInt(ShowCtrl::SECTION, ShowCtrl::KEY_ADVANCE, ShowCtrl::DEF_ADVANCE);
    m_strSoundFile = s.ReadString(Sound::SECTION, Sound::KEY_FILE, Sound::DEF_FILE);
    m_bSoundOn = m_strSoundFile.IsEmpty() ? FALSE : TRUE;
    m_nRepeatSound = s.ReadInt(Sound::SECTION, Sound::KEY_REPEAT, Sound::DEF_REPEAT);
    m_nAutostartOn = s.ReadInt(AutoStart::SECTION, AutoStart::KEY_ENABLE, AutoStart::DEF_ENABLE);
    m_strAutostartFile = s.ReadString(AutoStart::SECTION, AutoStart::KEY_FILE, AutoStart::DEF_FILE);
    m_nContactOn = s.ReadInt(Contact::SECTION, Contact::KEY_ENABLE, Contact::DEF_ENABLE);
    m_strContactMail = s.ReadString(Contact::SECTION, Contact::KEY_EMAIL, Contact::DEF_EMAIL);
    m_strContactWeb = s.ReadString(Contact::SECTION, Contact::KEY_INTERNET, Contact::DEF_INTERNET);
    for (int i = 0; i < Contact::LINE_COUNT; i++)
        m_strContactLine[i] = s.ReadString(Contact::SECTION, Contact::LINES[i], Contact::DEF_LINE);
    m_nFileInfoOn = s.ReadInt(FileInfo::SECTION, FileInfo::KEY_ENABLE, FileInfo::DEF_ENABLE);
    for (int i = 0; i < FileInfo::VERSION_COUNT; i++)
        m_nFileVersion[i] = s.ReadInt(FileInfo::SECTION, FileInfo::VERSIONS[i], FileInfo::DEF_VERSIONS[i]);
    m_strCopyright = s.ReadString(FileInfo::SECTION, FileInfo::KEY_COPYRIGHT, FileInfo::DEF_COPYRIGHT);
    m_strDescription = s.ReadString(FileInfo::SECTION, FileInfo::KEY_DESCRIPTION, FileInfo::DEF_DESCRIPTION);
    m_strCompany = s.ReadString(FileInfo::SECTION, FileInfo::KEY_COMPANY, FileInfo::DEF_COMPANY);
    m_strProductVersion = s.ReadString(FileInfo::SECTION, FileInfo::KEY_VERSION, FileInfo::DEF_VERSION);

    for (int i = 0; i < MaxSlides; i++)
    {
        m_Slides[i].Read(s, SheetSection(i));
        m_Slides[i].SetSize(SlideWidthOfWindow(m_nWindowWidth), SlideHeightOfWindow(m_nWindowHeight));
    }

    // A slide coming in with a cover effect covers the previous one: that one must not fade out first.
    int lastWithImage = -1;
    for (int i = 0; i < MaxSlides - 1; i++)
    {
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
    using namespace ShowText;
    CSettingsFile& s = m_Settings;
    s.OpenMemoryText(name, TRUE, nullptr, 0);

    s.WriteString(Show::SECTION, Show::KEY_INTERNET_1, MAKER_WEB_1);
    s.WriteString(Show::SECTION, Show::KEY_INTERNET_2, MAKER_WEB_2);
    s.WriteString(Show::SECTION, Show::KEY_EMAIL, MAKER_EMAIL);
    s.WriteString(Show::SECTION, Show::KEY_VERSION, m_strShowVersion);

    s.WriteInt(Window::SECTION, Window::KEY_WIDTH, m_nWindowWidth);
    s.WriteInt(Window::SECTION, Window::KEY_HEIGHT, m_nWindowHeight);
    s.WriteInt(Window::SECTION, Window::KEY_DESKTOP, m_nDesktopMode);
    s.WriteString(Window::SECTION, Window::KEY_TITLE, m_strTitle);
    s.WriteString(Window::SECTION, Window::KEY_ICON, m_strIconFile);
    s.WriteInt(Slide::SECTION, Slide::KEY_WIDTH, m_nSlideWidth);
    s.WriteInt(Slide::SECTION, Slide::KEY_HEIGHT, m_nSlideHeight);
    s.WriteInt(Slide::SECTION, Slide::KEY_OPTION, m_nSlideOption);
    s.WriteColor(Background::SECTION, Background::KEY_COLOR, m_crBackground);

    if (m_strSoundFile.IsEmpty())
        m_bSoundOn = FALSE;
    if (!m_bSoundOn)
        m_strSoundFile.Empty();
    s.WriteInt(Sound::SECTION, Sound::KEY_ENABLE, m_bSoundOn ? 1 : 0);
    s.WriteString(Sound::SECTION, Sound::KEY_FILE, m_strSoundFile);
    s.WriteInt(Sound::SECTION, Sound::KEY_REPEAT, m_nRepeatSound);

    s.WriteInt(Termination::SECTION, Termination::KEY_AUTOEXIT, m_nAutoExit);
    s.WriteInt(Termination::SECTION, Termination::KEY_LOOP, m_nLoop);
    s.WriteInt(ShowCtrl::SECTION, ShowCtrl::KEY_ADVANCE, m_nAdvanceMode);
    s.WriteInt(Contact::SECTION, Contact::KEY_ENABLE, m_nContactOn);
    for (int i = 0; i < Contact::LINE_COUNT; i++)
        s.WriteString(Contact::SECTION, Contact::LINES[i], m_strContactLine[i]);
    s.WriteString(Contact::SECTION, Contact::KEY_INTERNET, m_strContactWeb);
    s.WriteString(Contact::SECTION, Contact::KEY_EMAIL, m_strContactMail);
    s.WriteInt(FileInfo::SECTION, FileInfo::KEY_ENABLE, m_nFileInfoOn);
    for (int i = 0; i < FileInfo::VERSION_COUNT; i++)
        s.WriteInt(FileInfo::SECTION, FileInfo::VERSIONS[i], m_nFileVersion[i]);
    s.WriteString(FileInfo::SECTION, FileInfo::KEY_COPYRIGHT, m_strCopyright);
    s.WriteString(FileInfo::SECTION, FileInfo::KEY_DESCRIPTION, m_strDescription);
    s.WriteString(FileInfo::SECTION, FileInfo::KEY_COMPANY, m_strCompany);
    s.WriteString(FileInfo::SECTION, FileInfo::KEY_VERSION, m_strProductVersion);

    // Images live in the pack under their bare names; fonts of text objects are collected for embedding.
    for (auto& slide : m_Slides)
    {
        slide.m_Background.m_strImageFile = Path::FileNameOf(slide.m_Background.m_strImageFile);
        for (auto& slot : slide.m_pSlots)
        {
            if (!slot || !slot->m_bUsed)
                continue;
            if (slot->m_nKind == CSlideObjSlot::KIND_IMAGE && !slot->m_Image.m_strFile.IsEmpty())
                slot->m_Image.m_strFile = Path::FileNameOf(slot->m_Image.m_strFile);
            else if (slot->m_nKind == CSlideObjSlot::KIND_TEXT && m_pFontCollector)
                m_pFontCollector->Add(slot->m_Text.m_strFontName);
        }
    }

    for (int i = 0; i < MaxSlides; i++)
        if (m_Slides[i].IsInShow())
            m_Slides[i].Write(s, SheetSection(i));

    // A file inside the project folder is stored relative to it; any other file unchanged.
    m_strAutostartFile = Path::RelativeTo(m_strAutostartFile, projectFolder);
    s.WriteInt(AutoStart::SECTION, AutoStart::KEY_ENABLE, m_nAutostartOn);
    s.WriteString(AutoStart::SECTION, AutoStart::KEY_FILE, m_strAutostartFile);

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
    for (auto& target : m_Slides)
    {
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
    CSlideBackground& last = m_Slides[MaxSlides - 1].m_Background;
    last.m_strImageFile.Empty();
    last.m_Picture.FreePicture();
}
