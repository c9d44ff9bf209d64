// Masked edits: the text has a fixed layout of editable positions and literals. The mask has one character per
// position: '0' a digit, 'L' a letter, 'A' a letter or digit, 'C' any printable character; every other mask
// character is a literal, shown as the literal template has it at that position (or as itself). Empty
// editable positions show the prompt character.
//
// The user types only characters the position accepts, and the caret skips the literals; Backspace and Delete
// put the prompt back; Home, End and the arrows move between editable positions (Shift extends the
// selection); Insert switches between overwriting and inserting (Shift+Insert pastes); Undo swaps the text
// with the one before the last change. Cut, copy, paste and clear work on the editable positions only. A key
// that cannot be taken beeps.
//
// CUXDateEdit takes a date in the user's day, month and year order, CUXTimeEdit a time of day.
#pragma once

#include "uilib/core/dialogs/Edit.h"

class CUXMaskEdit : public CUXEdit
{
    DECLARE_DYNAMIC(CUXMaskEdit)
public:
    CUXMaskEdit();

    // Sets the layout and empties every editable position.
    void SetMask(LPCSTR mask, LPCSTR literal = nullptr, char prompt = '_');
    const CString& GetMask() const { return m_strMask; }
    char GetPromptChar() const { return m_chPrompt; }
    // The whole text as shown, and the characters typed at editable positions (prompts left out).
    const CString& GetMaskedText() const { return m_strText; }
    CString GetInputData() const;
    // Fills the editable positions from the start with the characters the positions accept; FALSE when one
    // was refused (the positions filled so far stay).
    BOOL SetInputData(LPCSTR data);
    BOOL IsEditable(int pos) const;
    BOOL IsOverwrite() const { return m_bOverwrite; }
    BOOL IsModified() const { return m_bModified; }
    // Whether every editable position holds a character.
    BOOL IsComplete() const;

    // Whether ch may stand at editable position pos (the text around it as it is now).
    virtual BOOL IsValidChar(char ch, int pos) const;

protected:
    void SetUpEdit() override;

    afx_msg void OnChar(UINT nChar, UINT nRepCnt, UINT nFlags);
    afx_msg void OnKeyDown(UINT nChar, UINT nRepCnt, UINT nFlags);
    afx_msg LRESULT OnCut(WPARAM wParam, LPARAM lParam);
    afx_msg LRESULT OnCopy(WPARAM wParam, LPARAM lParam);
    afx_msg LRESULT OnPaste(WPARAM wParam, LPARAM lParam);
    afx_msg LRESULT OnClear(WPARAM wParam, LPARAM lParam);
    afx_msg LRESULT OnUndo(WPARAM wParam, LPARAM lParam);
    afx_msg void OnSelectAll();
    afx_msg void OnUpdateUndo(CCmdUI* pCmdUI);
    DECLARE_MESSAGE_MAP()

    // The next editable position at or after pos (or before it, backwards); -1 when there is none.
    int NextEditable(int pos) const;
    int PrevEditable(int pos) const;
    int FirstEditable() const { return NextEditable(0); }
    // Puts the prompt into every editable position of [start, end).
    void ClearRange(CString& text, int start, int end) const;
    // The same as one change the user can undo, leaving the caret at caret.
    void ReplaceWithPrompt(int start, int end, int caret);
    // Stores the text and shows it with the selection [start, end).
    void Apply(const CString& text, int start, int end);
    void KeepForUndo();
    void Beep() const;

    CString m_strMask;
    CString m_strLiteral;
    char m_chPrompt = '_';
    CString m_strText;
    BOOL m_bOverwrite = TRUE;
    BOOL m_bModified = FALSE;
    CString m_strPrevious;
    int m_nAnchor = 0;   // the fixed end of the selection
    int m_nCaret = 0;    // its moving end
};

class CUXDateEdit : public CUXMaskEdit
{
    DECLARE_DYNAMIC(CUXDateEdit)
public:
    CUXDateEdit();

    // FALSE for a date that does not exist (the text stays as it was).
    BOOL SetDate(int year, int month, int day);
    // FALSE while the text is incomplete or not a date.
    BOOL GetDate(int& year, int& month, int& day) const;

    BOOL IsValidChar(char ch, int pos) const override;

private:
    // Positions of the first digit of day, month and year in the text.
    int m_nDay = 0;
    int m_nMonth = 0;
    int m_nYear = 0;
};

class CUXTimeEdit : public CUXMaskEdit
{
    DECLARE_DYNAMIC(CUXTimeEdit)
public:
    // Hours and minutes, and seconds when asked for.
    explicit CUXTimeEdit(BOOL withSeconds = FALSE);

    BOOL SetTime(int hour, int minute, int second = 0);
    BOOL GetTime(int& hour, int& minute, int& second) const;

    BOOL IsValidChar(char ch, int pos) const override;

private:
    BOOL m_bSeconds;
};
