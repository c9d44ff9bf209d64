#include "show/EffectNames.h"

#include <cstring>

IMPLEMENT_DYNAMIC(CNameTable, CObject)
IMPLEMENT_DYNAMIC(CEffectNames, CNameTable)
IMPLEMENT_DYNAMIC(CProgramLanguageNames, CNameTable)
IMPLEMENT_DYNAMIC(CFillAnimNames, CProgramLanguageNames)
IMPLEMENT_DYNAMIC(CInsertAnimNames, CProgramLanguageNames)
IMPLEMENT_DYNAMIC(CTextAnimNames, CNameTable)

namespace
{

// Each column ends in an empty text.
const char* const kEffectKeys[] = {
    "NONE",
    "LEFT-RIGHT",
    "RIGHT-LEFT",
    "TOP-BOTTOM",
    "BOTTOM-TOP",
    "FULL-CENTER",
    "CENTER-FULL",
    "HORZ-STRIPES",
    "VERT-STRIPES",
    "MOVE-LEFTRIGHT",
    "MOVE-RIGHTLEFT",
    "MOVE-TOPBOTTOM",
    "MOVE-BOTTOMTOP",
    "OUTIN_ROTATE_RIGHT",
    "OUTIN_ROTATE_BOTTOM",
    "COVER-FROM-RIGHT",
    "COVER-FROM-LEFT",
    "COVER-FROM-TOP",
    "COVER-FROM-BOTTOM",
    "COVER-HORIZONTAL",
    "COVER-VERTICAL",
    "COVER-FROM-INSIDE",
    "COVER-FORM-OUTSIDE",
    "",
};
const char* const kEffectGerman[] = {
    "Keine Animation",      "Von links nach rechts", "Von rechts nach links", "Von oben nach unten",
    "Von unten nach oben",  "Von Außen nach Innen",  "Von Innen nach Außen",  "Horizontale Streifen",
    "Vertikale Streifen",   "Von links schieben",    "Von rechts schieben",   "Von oben schieben",
    "Von unten schieben",   "Nach rechts rotieren",  "Nach unten rotieren",   "Von rechts überdecken",
    "Von links überdecken", "Von oben überdecken",   "Von unten überdecken",  "Horizontal überdecken",
    "Vertikal überdecken",  "Von Innen überdecken",  "Von Außen überdecken",  "",
};
const char* const kEffectEnglish[] = {
    "None Animation",     "From left to right",     "From right to left",     "From top to bottom",
    "From bottom to top", "From outside to inside", "From inside to outside", "Horiziontal stripes",
    "Vertical stripes",   "Shift from left",        "Shift from right",       "Shift from top",
    "Shift from bottom",  "Rotate to right",        "Rotate to bottom",       "Cover from right",
    "Cover from left",    "Cover from top",         "Cover from bottom",      "Cover horizonthal",
    "Cover vertical",     "Cover from Inside",      "Cover from Outside",     "",
};

const char* const kFillKeys[] = {"NONE", "FROM_LEFT", "FROM_TOP", "FROM_RIGHT", "FROM_BOTTOM", ""};
const char* const kFillGerman[] = {
    "Keine Animation", "Von links füllen", "Von oben füllen", "Von rechts füllen", "Von unten füllen", "",
};
const char* const kFillEnglish[] = {
    "None Animation", "Fill from left", "Fill from top", "Fill from right", "Fill from bottom", "",
};

const char* const kInsertKeys[] = {"NONE", "FROM_LEFT", "FROM_TOP", "FROM_RIGHT", "FROM_BOTTOM", ""};
const char* const kInsertGerman[] = {
    "Keine Animation", "Von links schieben", "Von oben schieben", "Von rechts schieben", "Von unten schieben", "",
};
const char* const kInsertEnglish[] = {
    "None Animation", "Shift from left", "Shift from top", "Shift from right", "Shift from bottom", "",
};

const char* const kTextKeys[] = {"NONE", "LEFT-RIGHT", "TOP-BOTTOM", "TYPEWRITER", ""};
const char* const kTextGerman[] = {"Keine Animation", "Von links schieben", "Von oben schieben", "Schreibmaschine",
                                   ""};
const char* const kTextEnglish[] = {"None Animation", "Shift from left", "Shift from top", "Typewriter", ""};

static_assert(sizeof(kEffectKeys) == sizeof(kEffectGerman) && sizeof(kEffectKeys) == sizeof(kEffectEnglish) &&
                  sizeof(kEffectKeys) / sizeof(kEffectKeys[0]) == CEffectNames::COUNT + 1,
              "effect columns");
static_assert(sizeof(kFillKeys) == sizeof(kFillGerman) && sizeof(kFillKeys) == sizeof(kFillEnglish) &&
                  sizeof(kFillKeys) / sizeof(kFillKeys[0]) == CFillAnimNames::COUNT + 1,
              "fill columns");
static_assert(sizeof(kInsertKeys) == sizeof(kInsertGerman) && sizeof(kInsertKeys) == sizeof(kInsertEnglish) &&
                  sizeof(kInsertKeys) / sizeof(kInsertKeys[0]) == CInsertAnimNames::COUNT + 1,
              "insert columns");
static_assert(sizeof(kTextKeys) == sizeof(kTextGerman) && sizeof(kTextKeys) == sizeof(kTextEnglish) &&
                  sizeof(kTextKeys) / sizeof(kTextKeys[0]) == CTextAnimNames::COUNT + 1,
              "text columns");

bool BeginsWith(const char* entry, const char* text)
{
    return strncmp(entry, text, strlen(text)) == 0;
}

}   // namespace

// ---------------------------------------------------------------------------------------------------
// CNameTable

CNameTable::CNameTable(const char* const* keys, const char* const* german, const char* const* english, int count)
    : m_nSelected(0), m_pKeys(keys), m_pGerman(german), m_pEnglish(english), m_nCount(count)
{
}

const char* const* CNameTable::Column(char letter) const
{
    switch (letter)
    {
    case LETTER_KEYS: return m_pKeys;
    case LETTER_GERMAN: return m_pGerman;
    case LETTER_ENGLISH: return m_pEnglish;
    default: return nullptr;
    }
}

const char* const* CNameTable::DisplayColumn(char letter) const
{
    return letter == LETTER_GERMAN ? m_pGerman : m_pEnglish;
}

const char* CNameTable::At(const char* const* column, int index) const
{
    // A selection set from outside may be out of range; it names nothing.
    if (column == nullptr || index < 0 || index >= m_nCount)
        return "";
    return column[index];
}

BOOL CNameTable::SelectInColumn(const char* const* column, const char* text)
{
    if (column == nullptr || text == nullptr)
        return FALSE;
    for (int i = 0; i < m_nCount; ++i)
    {
        if (BeginsWith(column[i], text))
        {
            m_nSelected = i;
            return TRUE;
        }
    }
    return FALSE;
}

void CNameTable::JoinColumn(const char* const* column, CString& text) const
{
    text.Empty();
    if (column == nullptr)
        return;
    for (int i = 0; i < m_nCount; ++i)
    {
        text += column[i];
        text += "|";
    }
    text += "|";
}

// ---------------------------------------------------------------------------------------------------
// CEffectNames

CEffectNames::CEffectNames()
    : CNameTable(kEffectKeys, kEffectGerman, kEffectEnglish, COUNT), m_nIterPos(0),
      m_chIterLanguage(LETTER_ENGLISH)
{
}

void CEffectNames::GetText(char letter, CString& text) const
{
    const char* const* column = Column(letter);
    if (column != nullptr)
        text = At(column, m_nSelected);
}

void CEffectNames::SelectByText(char letter, const char* text)
{
    SelectInColumn(Column(letter), text);
}

void CEffectNames::ResetIterator(char letter)
{
    m_nIterPos = 0;
    m_chIterLanguage = letter;
}

void CEffectNames::NextPlainEffect(CString& text)
{
    NextOfGroup(FALSE, text);
}

void CEffectNames::NextCoverEffect(CString& text)
{
    NextOfGroup(TRUE, text);
}

void CEffectNames::NextOfGroup(BOOL bCover, CString& text)
{
    const char* const* names = DisplayColumn(m_chIterLanguage);
    if (m_nIterPos <= 0)
    {
        m_nIterPos = 1;
        text = names[0];
        return;
    }
    while (m_nIterPos < COUNT)
    {
        int i = m_nIterPos++;
        if (IsCoverKey(kEffectKeys[i]) == bCover)
        {
            text = names[i];
            return;
        }
    }
    text.Empty();
}

BOOL CEffectNames::IsCoverEffect(const char* text, char letter) const
{
    if (text == nullptr)
        return FALSE;
    const char* const* names = DisplayColumn(letter);
    for (int i = 0; i < COUNT; ++i)
    {
        if (strcmp(names[i], text) == 0)
            return IsCoverKey(kEffectKeys[i]);
    }
    return FALSE;
}

CString CEffectNames::GetNoneText(char letter)
{
    return CString(letter == LETTER_GERMAN ? kEffectGerman[0] : kEffectEnglish[0]);
}

BOOL CEffectNames::IsCoverKey(const char* key)
{
    return key != nullptr && (BeginsWith(key, "OUTIN") || BeginsWith(key, "COVER"));
}

// ---------------------------------------------------------------------------------------------------
// CProgramLanguageNames, CFillAnimNames, CInsertAnimNames

CProgramLanguageNames::CProgramLanguageNames(const char* const* keys, const char* const* german,
                                             const char* const* english, int count)
    : CNameTable(keys, german, english, count), m_chLanguage(' ')
{
}

void CProgramLanguageNames::GetKey(CString& key) const
{
    key = At(m_pKeys, m_nSelected);
}

void CProgramLanguageNames::GetText(CString& text)
{
    m_chLanguage = GetLanguage();
    text = At(DisplayColumn(m_chLanguage), m_nSelected);
}

void CProgramLanguageNames::SelectByKey(const char* key)
{
    SelectInColumn(m_pKeys, key);
}

void CProgramLanguageNames::SelectByText(const char* text)
{
    m_chLanguage = GetLanguage();
    SelectInColumn(DisplayColumn(m_chLanguage), text);
}

void CProgramLanguageNames::JoinTexts(CString& text)
{
    m_chLanguage = GetLanguage();
    if (m_chLanguage == LETTER_GERMAN || m_chLanguage == LETTER_ENGLISH)
        JoinColumn(Column(m_chLanguage), text);
    else
        text.Empty();
}

CFillAnimNames::CFillAnimNames() : CProgramLanguageNames(kFillKeys, kFillGerman, kFillEnglish, COUNT)
{
}

CInsertAnimNames::CInsertAnimNames() : CProgramLanguageNames(kInsertKeys, kInsertGerman, kInsertEnglish, COUNT)
{
}

// ---------------------------------------------------------------------------------------------------
// CTextAnimNames

CTextAnimNames::CTextAnimNames() : CNameTable(kTextKeys, kTextGerman, kTextEnglish, COUNT)
{
}

void CTextAnimNames::GetText(char letter, CString& text) const
{
    const char* const* column = Column(letter);
    if (column != nullptr)
        text = At(column, m_nSelected);
}

void CTextAnimNames::SelectByText(char letter, const char* text)
{
    SelectInColumn(Column(letter), text);
}

void CTextAnimNames::JoinTexts(char letter, CString& text) const
{
    if (letter == LETTER_GERMAN || letter == LETTER_ENGLISH)
        JoinColumn(Column(letter), text);
    else
        text.Empty();
}
