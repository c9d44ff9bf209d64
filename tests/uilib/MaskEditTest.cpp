// Masked edits: only accepted characters at editable positions, the caret over the literals, the prompt put
// back, undo, insert mode, clipboard work on the editable positions; dates and times checked field by field.
#include "uilib/core/dialogs/MaskEdit.h"

#include "UilibTestSupport.h"

#include <gtest/gtest.h>

namespace
{

void Type(CWnd& edit, const char* text)
{
    for (const char* c = text; *c != '\0'; ++c)
        edit.SendMessage(WM_CHAR, static_cast<unsigned char>(*c), 1);
}

CString Shown(CWnd& edit)
{
    CString text;
    edit.GetWindowText(text);
    return text;
}

CString Clipboard()
{
    CString text;
    if (::OpenClipboard(nullptr))
    {
        if (HANDLE data = ::GetClipboardData(CF_TEXT))
        {
            text = static_cast<const char*>(::GlobalLock(data));
            ::GlobalUnlock(data);
        }
        ::CloseClipboard();
    }
    return text;
}

TEST(MaskEdit, TypingSkipsLiteralsRefusesWrongCharactersAndWorksOnEditablePositionsOnly)
{
    CTestHost host;
    CUXMaskEdit edit;
    edit.SetMask("00-LL", nullptr, '_');
    ASSERT_TRUE(edit.Create(WS_CHILD | WS_VISIBLE | WS_BORDER, CRect(10, 10, 200, 34), &host, 1));
    EXPECT_STREQ("__-__", Shown(edit).GetString());

    Type(edit, "1x2ab");   // 'x' is no digit
    EXPECT_STREQ("12-ab", Shown(edit).GetString());
    EXPECT_STREQ("12ab", edit.GetInputData().GetString());
    EXPECT_TRUE(edit.IsComplete());
    Type(edit, "\b");
    EXPECT_STREQ("12-a_", Shown(edit).GetString());

    // Home, Shift+End, Delete: the editable positions get the prompt back; undo brings the text back.
    edit.SendMessage(WM_KEYDOWN, VK_HOME);
    int start = -1, end = -1;
    edit.GetSel(start, end);
    EXPECT_EQ(0, start);
    edit.SendMessage(WM_KEYDOWN, VK_RIGHT);
    edit.SendMessage(WM_KEYDOWN, VK_RIGHT);   // over the literal
    edit.GetSel(start, end);
    EXPECT_EQ(3, end);
    edit.SetSel(0, 5);
    edit.SendMessage(WM_COPY);
    EXPECT_STREQ("12a", Clipboard().GetString());   // literals and prompts left out
    edit.SendMessage(WM_KEYDOWN, VK_DELETE);
    EXPECT_STREQ("__-__", Shown(edit).GetString());
    edit.SendMessage(EM_UNDO);
    EXPECT_STREQ("12-a_", Shown(edit).GetString());

    // Pasting fills editable positions from the caret while the characters fit them.
    edit.SetSel(0, 0);
    edit.SendMessage(WM_PASTE);   // "12a" again: '1' '2' then 'a' at the first letter position
    EXPECT_STREQ("12-a_", Shown(edit).GetString());
    EXPECT_TRUE(edit.SetInputData("77zz"));
    EXPECT_STREQ("77-zz", Shown(edit).GetString());
    EXPECT_FALSE(edit.SetInputData("5a"));   // the 5 goes in, the letter stops it
    EXPECT_STREQ("57-zz", edit.GetMaskedText().GetString());

    // Insert mode moves what follows one editable position on.
    CUXMaskEdit any;
    any.SetMask("CCCC");
    ASSERT_TRUE(any.Create(WS_CHILD | WS_VISIBLE | WS_BORDER, CRect(10, 40, 200, 64), &host, 2));
    Type(any, "abc");
    any.SendMessage(WM_KEYDOWN, VK_INSERT);
    EXPECT_FALSE(any.IsOverwrite());
    any.SetSel(0, 0);
    Type(any, "X");
    EXPECT_STREQ("Xabc", Shown(any).GetString());
}

TEST(MaskEdit, DatesAndTimesTakeOnlyWhatCanBeADateOrATime)
{
    CTestHost host;
    CUXDateEdit date;
    ASSERT_TRUE(date.Create(WS_CHILD | WS_VISIBLE | WS_BORDER, CRect(10, 10, 200, 34), &host, 1));
    ASSERT_TRUE(date.SetDate(2000, 12, 31));
    CString text = date.GetMaskedText();
    const int month = text.Find("12"), day = text.Find("31");
    ASSERT_GE(month, 0);
    ASSERT_GE(day, 0);
    int y = 0, m = 0, d = 0;
    EXPECT_TRUE(date.GetDate(y, m, d));
    EXPECT_EQ(2000, y);
    EXPECT_EQ(12, m);
    EXPECT_EQ(31, d);
    EXPECT_TRUE(date.SetDate(2024, 2, 29));
    EXPECT_FALSE(date.SetDate(2023, 2, 29));   // refused; the text stays
    EXPECT_TRUE(date.GetDate(y, m, d));
    EXPECT_EQ(2024, y);

    EXPECT_FALSE(date.IsValidChar('2', month));   // no thirteenth month
    EXPECT_TRUE(date.IsValidChar('1', month));
    EXPECT_FALSE(date.IsValidChar('4', day));
    // After a 3 the day ends in 0 or 1.
    date.SetSel(day, day);
    Type(date, "35");
    EXPECT_EQ('3', date.GetMaskedText()[day]);
    EXPECT_NE('5', date.GetMaskedText()[day + 1]);
    date.SetMask(date.GetMask());
    EXPECT_FALSE(date.GetDate(y, m, d));   // empty

    CUXTimeEdit time;
    ASSERT_TRUE(time.Create(WS_CHILD | WS_VISIBLE | WS_BORDER, CRect(10, 40, 200, 64), &host, 2));
    Type(time, "24");   // no hour 24: the 4 is refused
    EXPECT_EQ('_', time.GetMaskedText()[1]);
    Type(time, "3");
    Type(time, "6");   // no minute 60 and more
    Type(time, "59");
    int h = 0, mi = 0, s = -1;
    EXPECT_TRUE(time.GetTime(h, mi, s));
    EXPECT_EQ(23, h);
    EXPECT_EQ(59, mi);
    EXPECT_EQ(0, s);
    EXPECT_FALSE(time.SetTime(24, 0));
    EXPECT_TRUE(time.SetTime(7, 5));
    EXPECT_EQ(CString("07"), time.GetMaskedText().Left(2));
}

}   // namespace
