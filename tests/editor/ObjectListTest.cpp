// The object list driven as a user drives it: its rows, what each selection allows, duplicating at the
// limit, deleting several objects with a question each, and the drawing order.
#include "EditorTestSupport.h"
#include "editor/ObjectListDlg.h"
#include "resources/editor/resource.h"
#include "show/ProjectPack.h"
#include "show/Slide.h"
#include "tests/support/BmpFile.h"
#include "tests/support/win_DialogDriver.h"

#include <gtest/gtest.h>

#include <commctrl.h>

#include <cstdlib>
#include <deque>
#include <string>
#include <vector>

using namespace editortest;

namespace
{

// Answers message boxes one after the other from a list, and keeps their texts.
class CAnswerList
{
public:
    explicit CAnswerList(std::deque<int> answers)
    {
        Answers() = std::move(answers);
        Texts().clear();
        m_previous = AfxSetMessageBoxHandler(&Handler);
    }
    ~CAnswerList() { AfxSetMessageBoxHandler(m_previous); }
    static std::vector<std::string>& Texts()
    {
        static std::vector<std::string> texts;
        return texts;
    }

private:
    static std::deque<int>& Answers()
    {
        static std::deque<int> answers;
        return answers;
    }
    static int Handler(const char* text, const char*, unsigned type)
    {
        Texts().push_back(text);
        if (Answers().empty())
            return AfxDefaultMessageBoxAnswer(type);
        int answer = Answers().front();
        Answers().pop_front();
        return answer;
    }
    AfxMessageBoxHandler m_previous;
};

class ObjectListTest : public ::testing::Test
{
protected:
    void SetUp() override
    {
        slide.Reset();
        slide.m_Background.m_strImageFile = "bg.bmp";
        Bytes image = MakeSolidBmp(100, 50, RGB(0, 0, 255));
        ASSERT_TRUE(pack.AddData("pic.bmp", image.data(), static_cast<int>(image.size())));
        dlg.m_pSlide = &slide;
        dlg.m_nWidth = 638;
        dlg.m_nHeight = 466;
        dlg.m_pPack = &pack;
    }
    void TearDown() override
    {
        if (dlg.GetSafeHwnd())
            dlg.DestroyWindow();
    }
    void AddText(int i, int x, int y, const char* text)
    {
        slide.GetSlot(i)->CreateText(x, y, text, "", "Arial", 16, "BOLD", FALSE, FALSE, 0, 0, 800);
    }
    HWND Open()
    {
        EXPECT_TRUE(dlg.Create(IDD_OBJECT_LIST));
        dlg.ShowWindow(SW_SHOW);
        return dlg.GetSafeHwnd();
    }
    std::string Row(int row)
    {
        std::string text;
        for (int column = 0; column < 9; column++)
            text += std::string(dlg.m_list.GetItemText(row, column)) + (column < 8 ? "|" : "");
        return text;
    }
    void Select(std::vector<int> rows)
    {
        dlg.m_list.SetItemState(-1, 0, LVIS_SELECTED | LVIS_FOCUSED);
        for (int row : rows)
            dlg.m_list.SetItemState(row, LVIS_SELECTED, LVIS_SELECTED);
    }
    // Which of edit, duplicate, delete, down and up the selection allows.
    std::string Buttons(HWND h)
    {
        std::string state;
        for (int id : {IDC_LIST_EDIT, IDC_LIST_DUPLICATE, IDC_LIST_DELETE, IDC_LIST_DOWN, IDC_LIST_UP})
            state += IsItemEnabled(h, id) ? "1" : "0";
        return state;
    }

    CSlide slide;
    CProjectPack pack;
    CObjectListDlg dlg;
};

}   // namespace

TEST_F(ObjectListTest, RowsShowTheBackgroundAndEachObjectAndTheBackgroundStaysPut)
{
    AddText(0, 20, 30, "Hello");
    slide.GetSlot(1)->CreateImage(100, 120, "pic.bmp", 1, 1500, FALSE, 0, 1000, &pack);
    FrameObjRecord record = {
        3, 300, 200, 40, 60, 0, 1000, CFrameObj::FILL_SOLID, 0, 0, 0, 0, FALSE, RGB(255, 0, 0), 0};
    slide.GetSlot(2)->CreateRectangle(record);
    slide.GetSlot(2)->SetDelay(700);
    dlg.m_nSlideIndex = 2;
    HWND h = Open();
    EXPECT_EQ("Object List - Sheet No.: 3", CDialogDriver::Text(h));

    ASSERT_EQ(4, dlg.m_list.GetItemCount());
    EXPECT_EQ("0|Background|0|0|0|638|466|None Animation / None Animation|bg.bmp", Row(0));
    EXPECT_EQ("2|Image|1500|100|120|100|50|Shift from left|pic.bmp", Row(2));
    EXPECT_EQ("3|Rectangle|700|300|200|60|40|None Animation|Mode:fill solid color; Color:#FF0000; Frame:no",
              Row(3));
    EXPECT_EQ("1|Text|800|20|30", Row(1).substr(0, 16));

    EXPECT_EQ("00000", Buttons(h));
    Select({0});
    EXPECT_EQ("00000", Buttons(h));
    Select({2});
    EXPECT_EQ("11111", Buttons(h));
    Select({1, 2});
    EXPECT_EQ("00111", Buttons(h));

    // Up and down swap neighbours in the drawing order; the first object row and the last row stay.
    Select({3});
    PressButton(h, IDC_LIST_UP);
    EXPECT_EQ(CSlideObjSlot::KIND_RECTANGLE, slide.GetSlot(1)->m_nKind);
    EXPECT_EQ(2, dlg.m_list.GetLastSelectedItem());
    PressButton(h, IDC_LIST_UP);
    PressButton(h, IDC_LIST_UP);
    EXPECT_EQ(CSlideObjSlot::KIND_RECTANGLE, slide.GetSlot(0)->m_nKind);
    EXPECT_EQ("Rectangle", std::string(dlg.m_list.GetItemText(1, 1)));
    Select({3});
    PressButton(h, IDC_LIST_DOWN);
    EXPECT_EQ(CSlideObjSlot::KIND_IMAGE, slide.GetSlot(2)->m_nKind);
    Select({1});
    PressButton(h, IDC_LIST_DOWN);
    EXPECT_EQ(CSlideObjSlot::KIND_TEXT, slide.GetSlot(0)->m_nKind);
    EXPECT_EQ(2, dlg.m_list.GetLastSelectedItem());
}

TEST_F(ObjectListTest, HeadingsAreWholeAndAnEditedTextShowsItsNewWidth)
{
    AddText(0, 20, 30, "Hi");
    HWND h = Open();
    // Each heading fits its column with the header's margins of 6 pixels.
    HWND header = ListView_GetHeader(dlg.m_list.GetSafeHwnd());
    ASSERT_EQ(9, Header_GetItemCount(header));
    for (int column = 0; column < 9; column++)
    {
        char heading[64] = {};
        HDITEMA item = {};
        item.mask = HDI_TEXT;
        item.pszText = heading;
        item.cchTextMax = sizeof(heading);
        ASSERT_TRUE(Header_GetItem(header, column, &item));
        int textWidth = static_cast<int>(
            dlg.m_list.SendMessage(LVM_GETSTRINGWIDTHA, 0, reinterpret_cast<LPARAM>(heading)));
        EXPECT_GE(dlg.m_list.GetColumnWidth(column), textWidth + 12) << heading;
    }

    // The text's width is its drawn width, before the slide is drawn and after each edit.
    const int before = atoi(dlg.m_list.GetItemText(1, 5));
    EXPECT_GT(before, 10);
    CDialogDriver driver({[&](HWND text)
                          {
                              SetItemText(text, IDC_TEXT, "Hi there, a much longer text");
                              CDialogDriver::Click(text, IDOK);
                          }});
    Select({1});
    PressButton(h, IDC_LIST_EDIT);
    EXPECT_EQ("Hi there, a much longer text", std::string(slide.GetSlot(0)->m_Text.m_strText));
    EXPECT_GT(atoi(dlg.m_list.GetItemText(1, 5)), before + 50);
}

TEST_F(ObjectListTest, ACopyNeedsARowToSpareAndGoesWhereTheUserSays)
{
    // 19 texts, 9 images and 20 rectangles: each kind below or at its own limit.
    for (int i = 0; i < 19; i++)
        AddText(i, 10 + i, 10 + i, "T");
    slide.GetSlot(0)->m_Text.m_strText = "First";
    for (int i = 19; i < 28; i++)
        slide.GetSlot(i)->CreateImage(i, i, "pic.bmp", 0, 1000, FALSE, 0, 1000, &pack);
    FrameObjRecord record = {3, 0, 0, 10, 10, 0, 1000, CFrameObj::FILL_SOLID, 0, 0, 0, 0, FALSE, 0, 0};
    for (int i = 28; i < 48; i++)
        slide.GetSlot(i)->CreateRectangle(record);
    HWND h = Open();
    Select({1});
    EXPECT_TRUE(IsItemEnabled(h, IDC_LIST_DUPLICATE));   // 48 objects

    std::string current;
    CDialogDriver driver({[&](HWND position)
                          {
                              current =
                                  ItemText(position, IDC_CURRENT_X) + "," + ItemText(position, IDC_CURRENT_Y);
                              SetItemText(position, IDC_NEW_X, "630");
                              SetItemText(position, IDC_NEW_Y, "-4");
                              CDialogDriver::Click(position, IDOK);
                          }});
    CMessageBoxRecorder boxes;
    PressButton(h, IDC_LIST_DUPLICATE);
    EXPECT_EQ("10,10", current);
    ASSERT_TRUE(slide.GetSlot(48)->m_bUsed);
    EXPECT_STREQ("First", slide.GetSlot(48)->m_Text.m_strText);
    int x = -1, y = -1;
    slide.GetSlot(48)->GetPosition(x, y);
    // Held on the slide with the whole of its drawn width.
    EXPECT_EQ(638 - atoi(dlg.m_list.GetItemText(49, 5)), x);
    EXPECT_LT(x, 630);
    EXPECT_EQ(0, y);
    EXPECT_EQ(49, dlg.m_list.GetLastSelectedItem());
    EXPECT_FALSE(IsItemEnabled(h, IDC_LIST_DUPLICATE));   // 49 objects: no room for another copy
    PressButton(h, IDC_LIST_DUPLICATE);
    EXPECT_FALSE(slide.GetSlot(49)->m_bUsed);
    EXPECT_EQ(0u, boxes.Count());
}

TEST_F(ObjectListTest, DeletingSeveralObjectsAsksForEachAndRemovesOnlyTheConfirmed)
{
    const char* names[] = {"A", "B", "C", "D", "E"};
    for (int i = 0; i < 5; i++)
        AddText(i, 10, 10 + 30 * i, names[i]);
    HWND h = Open();
    Select({1, 3, 4});
    CAnswerList answers({IDYES, IDNO, IDYES});
    PressButton(h, IDC_LIST_DELETE);
    ASSERT_EQ(3u, CAnswerList::Texts().size());
    EXPECT_EQ("Delete objekt:\nTEXT: 10,10, A    ?", CAnswerList::Texts()[0]);
    EXPECT_EQ("Delete objekt:\nTEXT: 10,70, C    ?", CAnswerList::Texts()[1]);
    EXPECT_EQ("Delete objekt:\nTEXT: 10,100, D    ?", CAnswerList::Texts()[2]);
    std::string left;
    for (int i = 0; i < CSlide::MaxObjects; i++)
        if (slide.GetSlot(i)->m_bUsed)
            left += slide.GetSlot(i)->m_Text.m_strText;
    EXPECT_EQ("BCE", left);
    EXPECT_EQ(4, dlg.m_list.GetItemCount());
}

TEST_F(ObjectListTest, WithoutASlideTheListClosesAtOnce)
{
    CObjectListDlg empty;
    EXPECT_EQ(IDCANCEL, empty.DoModal());
}
