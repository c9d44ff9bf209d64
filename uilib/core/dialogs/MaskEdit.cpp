#include "uilib/core/dialogs/MaskEdit.h"

#include "resources/uilib/UilibResources.h"

#include <algorithm>
#include <cstdio>
#include <cstring>

namespace
{

bool IsMaskChar(char c)
{
    return c == '0' || c == 'L' || c == 'A' || c == 'C';
}

bool IsDigit(char c)
{
    return c >= '0' && c <= '9';
}

int TwoDigits(const CString& text, int pos)
{
    return (text[pos] - '0') * 10 + (text[pos + 1] - '0');
}

bool AllDigits(const CString& text, int pos, int count)
{
    for (int i = pos; i < pos + count; ++i)
        if (i >= text.GetLength() || !IsDigit(text[i]))
            return false;
    return true;
}

int DaysInMonth(int year, int month)
{
    static const int days[12] = {31, 28, 31, 30, 31, 30, 31, 31, 30, 31, 30, 31};
    bool leap = (year % 4 == 0 && year % 100 != 0) || year % 400 == 0;
    return month == 2 && leap ? 29 : days[month - 1];
}

void SetClipboardText(HWND owner, const CString& text)
{
    if (!::OpenClipboard(owner))
        return;
    ::EmptyClipboard();
    HGLOBAL memory = ::GlobalAlloc(GMEM_MOVEABLE, static_cast<SIZE_T>(text.GetLength()) + 1);
    if (memory != nullptr)
    {
        memcpy(::GlobalLock(memory), text.GetString(), static_cast<size_t>(text.GetLength()) + 1);
        ::GlobalUnlock(memory);
        if (::SetClipboardData(CF_TEXT, memory) == nullptr)
            ::GlobalFree(memory);
    }
    ::CloseClipboard();
}

CString GetClipboardText(HWND owner)
{
    CString text;
    if (!::OpenClipboard(owner))
        return text;
    HANDLE data = ::GetClipboardData(CF_TEXT);
    if (data != nullptr)
    {
        const char* chars = static_cast<const char*>(::GlobalLock(data));
        if (chars != nullptr)
        {
            // Only as far as the block goes, terminated or not.
            SIZE_T size = ::GlobalSize(data);
            text = CString(chars, static_cast<int>(strnlen(chars, size)));
            ::GlobalUnlock(data);
        }
    }
    ::CloseClipboard();
    return text;
}

}   // namespace

// ---- CUXMaskEdit ---------------------------------------------------------------------------------------

IMPLEMENT_DYNAMIC(CUXMaskEdit, CUXEdit)

BEGIN_MESSAGE_MAP(CUXMaskEdit, CUXEdit)
    ON_WM_CHAR()
    ON_WM_KEYDOWN()
    ON_MESSAGE(WM_CUT, OnCut)
    ON_MESSAGE(WM_COPY, OnCopy)
    ON_MESSAGE(WM_PASTE, OnPaste)
    ON_MESSAGE(WM_CLEAR, OnClear)
    ON_MESSAGE(WM_UNDO, OnUndo)
    ON_MESSAGE(EM_UNDO, OnUndo)
    ON_COMMAND(ID_EDIT_SELECT_ALL, OnSelectAll)
    ON_UPDATE_COMMAND_UI(ID_EDIT_UNDO, OnUpdateUndo)
END_MESSAGE_MAP()

CUXMaskEdit::CUXMaskEdit() = default;

void CUXMaskEdit::SetUpEdit()
{
    CUXEdit::SetUpEdit();
    if (!m_strText.IsEmpty())
        Apply(m_strText, FirstEditable(), FirstEditable());
}

void CUXMaskEdit::SetMask(LPCSTR mask, LPCSTR literal, char prompt)
{
    m_strMask = mask != nullptr ? mask : "";
    m_strLiteral = literal != nullptr ? literal : "";
    m_chPrompt = prompt;
    CString text;
    for (int i = 0; i < m_strMask.GetLength(); ++i)
    {
        char c = m_strMask[i];
        if (IsMaskChar(c))
            text += m_chPrompt;
        else
            text += i < m_strLiteral.GetLength() ? m_strLiteral[i] : c;
    }
    m_strPrevious = text;
    m_bModified = FALSE;
    int first = std::max(FirstEditable(), 0);
    Apply(text, first, first);
}

BOOL CUXMaskEdit::IsEditable(int pos) const
{
    return pos >= 0 && pos < m_strMask.GetLength() && IsMaskChar(m_strMask[pos]);
}

int CUXMaskEdit::NextEditable(int pos) const
{
    for (int i = std::max(pos, 0); i < m_strMask.GetLength(); ++i)
        if (IsEditable(i))
            return i;
    return -1;
}

int CUXMaskEdit::PrevEditable(int pos) const
{
    for (int i = std::min(pos, m_strMask.GetLength() - 1); i >= 0; --i)
        if (IsEditable(i))
            return i;
    return -1;
}

BOOL CUXMaskEdit::IsValidChar(char ch, int pos) const
{
    if (!IsEditable(pos) || static_cast<unsigned char>(ch) < 0x20)
        return FALSE;
    unsigned char u = static_cast<unsigned char>(ch);
    switch (m_strMask[pos])
    {
    case '0': return IsDigit(ch);
    case 'L': return ::IsCharAlphaA(ch);
    case 'A': return ::IsCharAlphaNumericA(ch);
    case 'C': return u >= 0x20 && u != 0x7F;
    default: return FALSE;
    }
}

CString CUXMaskEdit::GetInputData() const
{
    CString data;
    for (int i = 0; i < m_strText.GetLength(); ++i)
        if (IsEditable(i) && m_strText[i] != m_chPrompt)
            data += m_strText[i];
    return data;
}

BOOL CUXMaskEdit::SetInputData(LPCSTR data)
{
    KeepForUndo();
    const CString before = m_strText;
    CString text = m_strText;
    int pos = FirstEditable();
    BOOL taken = TRUE;
    for (const char* c = data != nullptr ? data : ""; *c != '\0' && taken; ++c)
    {
        m_strText = text;   // the test sees the text as it grows
        taken = pos >= 0 && IsValidChar(*c, pos);
        if (taken)
        {
            text.SetAt(pos, *c);
            pos = NextEditable(pos + 1);
        }
    }
    m_strText = before;
    int caret = pos < 0 ? text.GetLength() : pos;
    Apply(text, caret, caret);
    return taken;
}

BOOL CUXMaskEdit::IsComplete() const
{
    for (int i = 0; i < m_strText.GetLength(); ++i)
        if (IsEditable(i) && m_strText[i] == m_chPrompt)
            return FALSE;
    return !m_strMask.IsEmpty();
}

void CUXMaskEdit::Apply(const CString& text, int start, int end)
{
    if (text != m_strText)
        m_bModified = TRUE;
    m_strText = text;
    m_nAnchor = start;
    m_nCaret = end;
    if (m_hWnd == nullptr)
        return;
    CString shown;
    GetWindowText(shown);
    if (shown != text)
        SetWindowText(text);
    SetSel(start, end);
}

void CUXMaskEdit::KeepForUndo()
{
    m_strPrevious = m_strText;
}

void CUXMaskEdit::Beep() const
{
    ::MessageBeep(static_cast<UINT>(-1));
}

void CUXMaskEdit::ClearRange(CString& text, int start, int end) const
{
    for (int i = std::max(start, 0); i < end && i < text.GetLength(); ++i)
        if (IsEditable(i))
            text.SetAt(i, m_chPrompt);
}

void CUXMaskEdit::OnChar(UINT nChar, UINT, UINT)
{
    int start = 0, end = 0;
    GetSel(start, end);
    char ch = static_cast<char>(nChar);
    switch (nChar)
    {
    case 0x03: OnCopy(0, 0); return;    // Ctrl+C
    case 0x16: OnPaste(0, 0); return;   // Ctrl+V
    case 0x18: OnCut(0, 0); return;     // Ctrl+X
    case 0x1A: OnUndo(0, 0); return;    // Ctrl+Z
    case VK_BACK:
    {
        if (start < end)
        {
            ReplaceWithPrompt(start, end, start);
            return;
        }
        int pos = PrevEditable(start - 1);
        if (pos < 0)
        {
            Beep();
            return;
        }
        ReplaceWithPrompt(pos, pos + 1, pos);
        return;
    }
    default: break;
    }
    if (nChar < 0x20)
        return;   // other control characters do nothing here

    int pos = NextEditable(start);
    if (pos < 0 || !IsValidChar(ch, pos))
    {
        Beep();
        return;
    }
    KeepForUndo();
    CString text = m_strText;
    if (start < end)
        ClearRange(text, start, end);
    if (!m_bOverwrite)
    {
        // Inserting: the characters of the editable positions from here on move one position on.
        for (int to = PrevEditable(text.GetLength() - 1); to > pos; to = PrevEditable(to - 1))
            text.SetAt(to, text[PrevEditable(to - 1)]);
    }
    text.SetAt(pos, ch);
    int next = NextEditable(pos + 1);
    int caret = next < 0 ? pos + 1 : next;
    Apply(text, caret, caret);
}

void CUXMaskEdit::OnKeyDown(UINT nChar, UINT nRepCnt, UINT nFlags)
{
    bool shift = (::GetKeyState(VK_SHIFT) & 0x8000) != 0;
    bool control = (::GetKeyState(VK_CONTROL) & 0x8000) != 0;
    int start = 0, end = 0;
    GetSel(start, end);
    // A selection made otherwise (the mouse) has its caret at its end.
    if (std::min(m_nAnchor, m_nCaret) != start || std::max(m_nAnchor, m_nCaret) != end)
    {
        m_nAnchor = start;
        m_nCaret = end;
    }
    int target = -1;
    switch (nChar)
    {
    case VK_LEFT: target = PrevEditable(m_nCaret - 1); break;
    case VK_RIGHT:
    {
        int next = NextEditable(m_nCaret + 1);
        target = next >= 0 ? next : (IsEditable(m_nCaret) ? m_nCaret + 1 : -1);
        break;
    }
    case VK_HOME: target = FirstEditable(); break;
    case VK_END:
    {
        int last = PrevEditable(m_strText.GetLength() - 1);
        target = last < 0 ? -1 : last + 1;
        break;
    }
    case VK_DELETE:
        if (shift)
            OnCut(0, 0);
        else
            ReplaceWithPrompt(start, start < end ? end : start + 1, start);
        return;
    case VK_INSERT:
        if (shift)
            OnPaste(0, 0);
        else if (control)
            OnCopy(0, 0);
        else
            m_bOverwrite = !m_bOverwrite;
        return;
    default: CUXEdit::OnKeyDown(nChar, nRepCnt, nFlags); return;
    }
    if (target < 0)
    {
        Beep();
        return;
    }
    m_nCaret = target;
    if (!shift)
        m_nAnchor = target;
    SetSel(m_nAnchor, m_nCaret);
}

void CUXMaskEdit::ReplaceWithPrompt(int start, int end, int caret)
{
    KeepForUndo();
    CString text = m_strText;
    ClearRange(text, start, end);
    Apply(text, caret, caret);
}

LRESULT CUXMaskEdit::OnCopy(WPARAM, LPARAM)
{
    int start = 0, end = 0;
    GetSel(start, end);
    CString copied;
    for (int i = start; i < end && i < m_strText.GetLength(); ++i)
        if (IsEditable(i) && m_strText[i] != m_chPrompt)
            copied += m_strText[i];
    if (start < end)
        SetClipboardText(m_hWnd, copied);
    return 0;
}

LRESULT CUXMaskEdit::OnCut(WPARAM, LPARAM)
{
    OnCopy(0, 0);
    return OnClear(0, 0);
}

LRESULT CUXMaskEdit::OnClear(WPARAM, LPARAM)
{
    int start = 0, end = 0;
    GetSel(start, end);
    if (start < end)
        ReplaceWithPrompt(start, end, start);
    return 0;
}

LRESULT CUXMaskEdit::OnPaste(WPARAM, LPARAM)
{
    CString pasted = GetClipboardText(m_hWnd);
    int start = 0, end = 0;
    GetSel(start, end);
    KeepForUndo();
    CString before = m_strText;
    CString text = m_strText;
    if (start < end)
        ClearRange(text, start, end);
    int pos = NextEditable(start);
    for (int i = 0; i < pasted.GetLength() && pos >= 0; ++i)
    {
        m_strText = text;
        if (!IsValidChar(pasted[i], pos))
        {
            Beep();
            break;
        }
        text.SetAt(pos, pasted[i]);
        pos = NextEditable(pos + 1);
    }
    m_strText = before;
    int caret = pos < 0 ? text.GetLength() : pos;
    Apply(text, caret, caret);
    return 0;
}

LRESULT CUXMaskEdit::OnUndo(WPARAM, LPARAM)
{
    CString previous = m_strPrevious;
    m_strPrevious = m_strText;
    int first = std::max(FirstEditable(), 0);
    Apply(previous, first, first);
    return TRUE;
}

void CUXMaskEdit::OnSelectAll()
{
    int first = FirstEditable();
    if (first < 0)
        return;
    m_nAnchor = first;
    m_nCaret = m_strText.GetLength();
    SetSel(m_nAnchor, m_nCaret);
}

void CUXMaskEdit::OnUpdateUndo(CCmdUI* pCmdUI)
{
    pCmdUI->Enable(m_strPrevious != m_strText);
}

// ---- CUXDateEdit ---------------------------------------------------------------------------------------

IMPLEMENT_DYNAMIC(CUXDateEdit, CUXMaskEdit)

CUXDateEdit::CUXDateEdit()
{
    char order[4] = {}, separator[4] = {};
    ::GetLocaleInfoA(LOCALE_USER_DEFAULT, LOCALE_IDATE, order, sizeof(order));
    ::GetLocaleInfoA(LOCALE_USER_DEFAULT, LOCALE_SDATE, separator, sizeof(separator));
    char sep = separator[0] != '\0' && separator[1] == '\0' ? separator[0] : '/';
    char mask[16] = {};
    switch (order[0])
    {
    case '1':   // day, month, year
        snprintf(mask, sizeof(mask), "00%c00%c0000", sep, sep);
        m_nDay = 0, m_nMonth = 3, m_nYear = 6;
        break;
    case '2':   // year, month, day
        snprintf(mask, sizeof(mask), "0000%c00%c00", sep, sep);
        m_nYear = 0, m_nMonth = 5, m_nDay = 8;
        break;
    default:   // month, day, year
        snprintf(mask, sizeof(mask), "00%c00%c0000", sep, sep);
        m_nMonth = 0, m_nDay = 3, m_nYear = 6;
        break;
    }
    SetMask(mask);
}

BOOL CUXDateEdit::IsValidChar(char ch, int pos) const
{
    if (!CUXMaskEdit::IsValidChar(ch, pos))
        return FALSE;
    const CString& text = m_strText;
    if (pos == m_nDay)
        return ch <= '3';
    if (pos == m_nDay + 1)
        return text[m_nDay] == '3' ? ch <= '1' : (text[m_nDay] == '0' ? ch != '0' : TRUE);
    if (pos == m_nMonth)
        return ch <= '1';
    if (pos == m_nMonth + 1)
        return text[m_nMonth] == '1' ? ch <= '2' : (text[m_nMonth] == '0' ? ch != '0' : TRUE);
    return TRUE;
}

BOOL CUXDateEdit::SetDate(int year, int month, int day)
{
    if (year < 1 || year > 9999 || month < 1 || month > 12 || day < 1 || day > DaysInMonth(year, month))
        return FALSE;
    KeepForUndo();
    CString text = m_strText;
    char digits[8];
    snprintf(digits, sizeof(digits), "%02d", day);
    text.SetAt(m_nDay, digits[0]);
    text.SetAt(m_nDay + 1, digits[1]);
    snprintf(digits, sizeof(digits), "%02d", month);
    text.SetAt(m_nMonth, digits[0]);
    text.SetAt(m_nMonth + 1, digits[1]);
    snprintf(digits, sizeof(digits), "%04d", year);
    for (int i = 0; i < 4; ++i)
        text.SetAt(m_nYear + i, digits[i]);
    Apply(text, 0, 0);
    return TRUE;
}

BOOL CUXDateEdit::GetDate(int& year, int& month, int& day) const
{
    const CString& text = m_strText;
    if (!AllDigits(text, m_nDay, 2) || !AllDigits(text, m_nMonth, 2) || !AllDigits(text, m_nYear, 4))
        return FALSE;
    int d = TwoDigits(text, m_nDay), m = TwoDigits(text, m_nMonth);
    int y = TwoDigits(text, m_nYear) * 100 + TwoDigits(text, m_nYear + 2);
    if (y < 1 || m < 1 || m > 12 || d < 1 || d > DaysInMonth(y, m))
        return FALSE;
    year = y, month = m, day = d;
    return TRUE;
}

// ---- CUXTimeEdit ---------------------------------------------------------------------------------------

IMPLEMENT_DYNAMIC(CUXTimeEdit, CUXMaskEdit)

CUXTimeEdit::CUXTimeEdit(BOOL withSeconds) : m_bSeconds(withSeconds)
{
    char separator[4] = {};
    ::GetLocaleInfoA(LOCALE_USER_DEFAULT, LOCALE_STIME, separator, sizeof(separator));
    char sep = separator[0] != '\0' && separator[1] == '\0' ? separator[0] : ':';
    char mask[16] = {};
    if (m_bSeconds)
        snprintf(mask, sizeof(mask), "00%c00%c00", sep, sep);
    else
        snprintf(mask, sizeof(mask), "00%c00", sep);
    SetMask(mask);
}

BOOL CUXTimeEdit::IsValidChar(char ch, int pos) const
{
    if (!CUXMaskEdit::IsValidChar(ch, pos))
        return FALSE;
    if (pos == 0)
        return ch <= '2';
    if (pos == 1)
        return m_strText[0] == '2' ? ch <= '3' : TRUE;
    if (pos == 3 || pos == 6)
        return ch <= '5';
    return TRUE;
}

BOOL CUXTimeEdit::SetTime(int hour, int minute, int second)
{
    if (hour < 0 || hour > 23 || minute < 0 || minute > 59 || second < 0 || second > 59)
        return FALSE;
    KeepForUndo();
    CString text = m_strText;
    char digits[8];
    const int values[3] = {hour, minute, second};
    for (int field = 0; field < (m_bSeconds ? 3 : 2); ++field)
    {
        snprintf(digits, sizeof(digits), "%02d", values[field]);
        text.SetAt(field * 3, digits[0]);
        text.SetAt(field * 3 + 1, digits[1]);
    }
    Apply(text, 0, 0);
    return TRUE;
}

BOOL CUXTimeEdit::GetTime(int& hour, int& minute, int& second) const
{
    const CString& text = m_strText;
    int fields = m_bSeconds ? 3 : 2;
    int values[3] = {0, 0, 0};
    for (int field = 0; field < fields; ++field)
    {
        if (!AllDigits(text, field * 3, 2))
            return FALSE;
        values[field] = TwoDigits(text, field * 3);
    }
    if (values[0] > 23 || values[1] > 59 || values[2] > 59)
        return FALSE;
    hour = values[0], minute = values[1], second = values[2];
    return TRUE;
}
