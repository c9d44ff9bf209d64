// Name tables of the show's effects and animations. Every entry has a key word (stored in the show text),
// a German and an English display name; an index is what the code handles, and each table object also
// carries the current selection (0 = NONE). Lookups select the first entry that begins with the given
// text, case-sensitively; no match leaves the selection as it was.
//
// Letters: LETTER_KEYS ('I') the key column, LETTER_GERMAN ('G') and LETTER_ENGLISH ('E') the display names
// (show/Language.h).
#pragma once

#include "framework/core/Core.h"
#include "show/Language.h"

class CComboBox;

// The columns and the selection shared by the four tables.
class CNameTable : public CObject
{
    DECLARE_DYNAMIC(CNameTable)
public:
    int m_nSelected;   // read and set directly by the slide objects

    int GetSelectedIndex() const { return m_nSelected; }
    void SetSelectedIndex(int index) { m_nSelected = index; }
    void CopySelectedIndex(const CNameTable& other) { m_nSelected = other.m_nSelected; }
    int GetCount() const { return m_nCount; }

    const char* GetKeyAt(int index) const { return At(m_pKeys, index); }
    const char* GetGermanAt(int index) const { return At(m_pGerman, index); }
    const char* GetEnglishAt(int index) const { return At(m_pEnglish, index); }

protected:
    CNameTable(const char* const* keys, const char* const* german, const char* const* english, int count);

    // The column a letter picks: keys for 'I', German for 'G', English for 'E', else null.
    const char* const* Column(char letter) const;
    // German for 'G', English for any other letter.
    const char* const* DisplayColumn(char letter) const;
    const char* At(const char* const* column, int index) const;
    BOOL SelectInColumn(const char* const* column, const char* text);
    void JoinColumn(const char* const* column, CString& text) const;

    const char* const* m_pKeys;
    const char* const* m_pGerman;
    const char* const* m_pEnglish;
    int m_nCount;
};

// Slide transition effects. Keys beginning with "OUTIN" or "COVER" (13 to 22) are the cover group.
class CEffectNames : public CNameTable
{
    DECLARE_DYNAMIC(CEffectNames)
public:
    // The effects by their index in the table.
    enum
    {
        EFFECT_NONE = 0,
        EFFECT_LEFT_RIGHT = 1,
        EFFECT_RIGHT_LEFT = 2,
        EFFECT_TOP_BOTTOM = 3,
        EFFECT_BOTTOM_TOP = 4,
        EFFECT_FULL_CENTER = 5,
        EFFECT_CENTER_FULL = 6,
        EFFECT_HORZ_STRIPES = 7,
        EFFECT_VERT_STRIPES = 8,
        EFFECT_MOVE_LEFTRIGHT = 9,
        EFFECT_MOVE_RIGHTLEFT = 10,
        EFFECT_MOVE_TOPBOTTOM = 11,
        EFFECT_MOVE_BOTTOMTOP = 12,
        EFFECT_OUTIN_ROTATE_RIGHT = 13,
        EFFECT_OUTIN_ROTATE_BOTTOM = 14,
        EFFECT_COVER_FROM_RIGHT = 15,
        EFFECT_COVER_FROM_LEFT = 16,
        EFFECT_COVER_FROM_TOP = 17,
        EFFECT_COVER_FROM_BOTTOM = 18,
        EFFECT_COVER_HORIZONTAL = 19,
        EFFECT_COVER_VERTICAL = 20,
        EFFECT_COVER_FROM_INSIDE = 21,
        EFFECT_COVER_FORM_OUTSIDE = 22,
        COUNT = 23,
        FIRST_COVER = EFFECT_OUTIN_ROTATE_RIGHT
    };

    CEffectNames();

    void GetText(char letter, CString& text) const;
    void SelectByText(char letter, const char* text);

    // Iterators over the plain and the cover effects for the effect lists: NONE first, then the display
    // names of the group in index order, then an empty text.
    void ResetIterator(char letter);
    void NextPlainEffect(CString& text);
    void NextCoverEffect(CString& text);

    BOOL IsCoverEffect(const char* text, char letter) const;
    static CString GetNoneText(char letter);
    static BOOL IsCoverKey(const char* key);

protected:
    void NextOfGroup(BOOL bCover, CString& text);

    int m_nIterPos;
    char m_chIterLanguage;
};

// Tables whose display language is the program's, taken on every call.
class CProgramLanguageNames : public CNameTable
{
    DECLARE_DYNAMIC(CProgramLanguageNames)
public:
    void GetKey(CString& key) const;
    void GetText(CString& text);
    void SelectByKey(const char* key);
    void SelectByText(const char* text);
    // The display names, each followed by "|", then one more "|".
    void JoinTexts(CString& text);
    // Empties the combo box, lists the display names and selects the selected index; nothing without a
    // combo box. (Windows only: show/NameTableCombo.cpp.)
    void FillComboBox(CComboBox* pCombo);

protected:
    CProgramLanguageNames(const char* const* keys, const char* const* german, const char* const* english,
                          int count);

    char m_chLanguage;
};

// Rectangle fill animations.
class CFillAnimNames : public CProgramLanguageNames
{
    DECLARE_DYNAMIC(CFillAnimNames)
public:
    enum
    {
        COUNT = 5
    };
    CFillAnimNames();
};

// Image insert animations.
class CInsertAnimNames : public CProgramLanguageNames
{
    DECLARE_DYNAMIC(CInsertAnimNames)
public:
    enum
    {
        COUNT = 5
    };
    CInsertAnimNames();
};

// Text animations.
class CTextAnimNames : public CNameTable
{
    DECLARE_DYNAMIC(CTextAnimNames)
public:
    enum
    {
        COUNT = 4
    };

    CTextAnimNames();

    void GetText(char letter, CString& text) const;
    void SelectByText(char letter, const char* text);
    void JoinTexts(char letter, CString& text) const;
};
