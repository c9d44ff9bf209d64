// The slide editor driven by mouse, keys and files as a user drives it: drawing, dragging, snapping,
// ordering, the grid, dropped images, groups of objects, and what goes back to the caller.
#include "EditorTestSupport.h"
#include "editor/FileHelpers.h"
#include "editor/PositionDlgs.h"
#include "editor/SlideEditorDlg.h"
#include "editor/VexulCreatorApp.h"
#include "resources/editor/resource.h"
#include "show/ProjectPack.h"
#include "tests/support/BmpFile.h"
#include "tests/support/win_DialogDriver.h"

#include <gtest/gtest.h>

#include <commctrl.h>

#include <deque>
#include <functional>

using namespace editortest;

namespace
{

const COLORREF kBackground = RGB(0, 128, 0);

// Dialog client coordinates of a point on the canvas.
LPARAM At(int x, int y)
{
    return MAKELPARAM(CSlideEditorDlg::CANVAS_LEFT + x, CSlideEditorDlg::CANVAS_TOP + y);
}

void Mouse(HWND h, UINT message, WPARAM keys, int x, int y)
{
    SendMessageA(h, message, keys, At(x, y));
}

void Click(HWND h, int x, int y)
{
    Mouse(h, WM_LBUTTONDOWN, MK_LBUTTON, x, y);
    Mouse(h, WM_LBUTTONUP, 0, x, y);
}

void Drag(HWND h, int fromX, int fromY, int toX, int toY)
{
    Mouse(h, WM_LBUTTONDOWN, MK_LBUTTON, fromX, fromY);
    Mouse(h, WM_MOUSEMOVE, MK_LBUTTON, toX, toY);
    Mouse(h, WM_LBUTTONUP, 0, toX, toY);
}

void Command(HWND h, int id)
{
    SendMessageA(h, WM_COMMAND, MAKEWPARAM(id, BN_CLICKED), reinterpret_cast<LPARAM>(GetDlgItem(h, id)));
}

// The colour the canvas shows at (x, y), once everything waiting is painted.
COLORREF CanvasPixel(HWND h, int x, int y)
{
    UpdateWindow(h);
    HDC dc = GetDC(h);
    COLORREF colour = GetPixel(dc, CSlideEditorDlg::CANVAS_LEFT + x, CSlideEditorDlg::CANVAS_TOP + y);
    ReleaseDC(h, dc);
    return colour;
}

// A modal dialog's step may run before the loop has shown the dialog; the user sees it first.
void Show(HWND h)
{
    ShowWindow(h, SW_SHOWNORMAL);
    UpdateWindow(h);
}

// An editor on a 638 x 466 slide whose background is an entry of the pack.
class SlideEditorTest : public ::testing::Test
{
protected:
    void SetUp() override
    {
        theApp.SetRegistryKey("VexulTests");
        theApp.WriteProfileInt("SETTINGS", "GRID", 1);
        AddPicture("bg.bmp", 638, 466, kBackground);
        AddPicture("pic.bmp", 100, 50, RGB(0, 0, 255));
        dlg.m_pPack = &pack;
        dlg.m_strImageFile = "bg.bmp";
        dlg.m_Slide.m_Background.m_strImageFile = "bg.bmp";
        dlg.m_strProjectFolder = project.Path().c_str();
        dlg.m_nWidth = 638;
        dlg.m_nHeight = 466;
        dlg.m_nSlideCount = 1;
    }
    void TearDown() override
    {
        if (dlg.GetSafeHwnd())
            dlg.DestroyWindow();
        RegDeleteTreeA(HKEY_CURRENT_USER, "Software\\VexulTests\\VexulCreator V2");
    }

    void AddPicture(const char* name, int w, int h, COLORREF colour)
    {
        Bytes image = MakeSolidBmp(w, h, colour);
        ASSERT_TRUE(pack.AddData(name, image.data(), static_cast<int>(image.size())));
    }
    CSlideObjSlot& Slot(int i) { return *dlg.m_Slide.GetSlot(i); }
    void AddText(int i, int x, int y, const char* text)
    {
        Slot(i).CreateText(x, y, text, "", "Arial", 16, "BOLD", FALSE, FALSE, 0, RGB(255, 255, 0), 1000);
    }
    void AddImage(int i, int x, int y) { Slot(i).CreateImage(x, y, "pic.bmp", 0, 1000, FALSE, 0, 1000, &pack); }
    void AddRectangle(int i, int x, int y, int w, int h)
    {
        FrameObjRecord record = {3, x, y, h, w, 0, 1000, CFrameObj::FILL_SOLID, 0, 0, 0, 0, FALSE, RGB(255, 0, 0),
                                 0};
        Slot(i).CreateRectangle(record);
    }
    // The editor without a loop of its own: messages reach it directly.
    HWND Open()
    {
        EXPECT_TRUE(dlg.Create(IDD_SLIDE_EDITOR));
        dlg.ShowWindow(SW_SHOW);
        dlg.UpdateWindow();
        return dlg.GetSafeHwnd();
    }
    std::string Position(int i)
    {
        int x = -1, y = -1;
        Slot(i).GetPosition(x, y);
        return std::to_string(x) + "," + std::to_string(y);
    }

    CTempFolder project{"vxslideeditor"};
    CTempFolder elsewhere{"vxslidefiles"};
    CProjectPack pack;
    CSlideEditorDlg dlg;
    CMessageBoxRecorder boxes{IDYES};
};

}   // namespace

TEST_F(SlideEditorTest, ARectangleDrawnPastTheSlideEndsAtItsEdgeAndComesBackWithTheSlide)
{
    CSlide slide;
    slide.Reset();
    slide.CopyFrom(dlg.m_Slide);
    CString imageFile = "bg.bmp";
    std::string band, size;
    CDialogDriver driver({[&](HWND h)
                          {
                              Show(h);
                              CDialogDriver::Click(h, IDC_INSERT_RECTANGLE);
                              PostMessageA(h, WM_LBUTTONDOWN, MK_LBUTTON, At(600, 400));
                              PostMessageA(h, WM_MOUSEMOVE, MK_LBUTTON, At(700, 500));
                              driver.Post([&, h] { band = ItemText(h, IDC_COORDINATES); });
                              PostMessageA(h, WM_LBUTTONUP, 0, At(700, 500));
                          },
                          [&](HWND h)
                          {
                              size = ItemText(h, IDC_POS_X) + "," + ItemText(h, IDC_POS_Y) + " " +
                                     ItemText(h, IDC_RECT_WIDTH) + "x" + ItemText(h, IDC_RECT_HEIGHT);
                              CDialogDriver::Click(h, IDOK);
                              driver.Post(
                                  [&]
                                  {
                                      HWND editor = FindWindowA("#32770", "Slide Properties");
                                      CDialogDriver::Click(editor, IDOK);
                                  });
                          }});
    SlideEditorChoices choices = {1, 1, 1, 1, 1};
    ASSERT_TRUE(CSlideEditorDlg::EditSlide(nullptr, slide, imageFile, project.Path().c_str(), 0, 640, 480, 1,
                                           &pack, &choices));
    EXPECT_EQ("(600,400) --> (638,466) = (38,66)", band);
    EXPECT_EQ("600,400 38x66", size);
    ASSERT_TRUE(slide.GetSlot(0)->IsRectangle());
    EXPECT_EQ(38, slide.GetSlot(0)->m_Frame.m_nWidth);
    EXPECT_EQ(66, slide.GetSlot(0)->m_Frame.m_nHeight);
    EXPECT_STREQ("bg.bmp", imageFile);
    EXPECT_EQ(0, choices.bBackgroundAllSlides + choices.bTextAllSlides + choices.bImageThisSlide);

    // Cancel hands back nothing.
    CDialogDriver cancel({[&](HWND h)
                          {
                              Show(h);
                              SendMessageA(h, WM_LBUTTONDOWN, MK_LBUTTON, At(610, 410));
                              SendMessageA(h, WM_LBUTTONUP, 0, At(610, 410));
                              // Delete in the grid field edits the field; elsewhere it deletes the object.
                              PostMessageA(GetDlgItem(h, IDC_GRID), WM_KEYDOWN, VK_DELETE, 0);
                              PostMessageA(h, WM_KEYDOWN, VK_DELETE, 0);
                              CDialogDriver::Click(h, IDCANCEL);
                          }});
    EXPECT_FALSE(
        CSlideEditorDlg::EditSlide(nullptr, slide, imageFile, project.Path().c_str(), 0, 640, 480, 1, &pack));
    EXPECT_EQ("Delete objekt:\nFRAME: 600,400,38,66    ?", boxes.LastText());
    EXPECT_EQ(1u, boxes.Count());
    EXPECT_TRUE(slide.GetSlot(0)->m_bUsed);
}

TEST_F(SlideEditorTest, DraggingStopsAtTheEdgeSnapsToTheGridAndClicksOrderTheObjects)
{
    theApp.WriteProfileInt("SETTINGS", "GRID", 10);
    AddText(0, 20, 20, "A");
    AddImage(1, 100, 100);
    AddRectangle(2, 300, 200, 50, 40);
    HWND h = Open();
    EXPECT_EQ("10", ItemText(h, IDC_GRID));

    // The first click selects; a press on the selected object drags it.
    Click(h, 110, 110);
    EXPECT_EQ(1, dlg.GetSelection());
    EXPECT_TRUE(IsItemEnabled(h, IDC_EDIT_OBJECT));
    Mouse(h, WM_LBUTTONDOWN, MK_LBUTTON, 110, 110);
    Mouse(h, WM_MOUSEMOVE, MK_LBUTTON, 113, 112);   // within the threshold: nothing moves
    EXPECT_EQ("100,100", Position(1));
    Mouse(h, WM_MOUSEMOVE, MK_LBUTTON, 710, 127);
    EXPECT_EQ("538,117", Position(1));   // wholly on the slide
    Mouse(h, WM_LBUTTONUP, 0, 710, 127);
    EXPECT_EQ("530,110", Position(1));   // snapped to the grid of 10

    // A rectangle is dragged as an outline and moves when dropped.
    Click(h, 310, 210);
    Drag(h, 310, 210, 337, 233);
    EXPECT_EQ("320,220", Position(2));
    EXPECT_FALSE(Slot(2).m_Frame.m_bDragging);

    // Order: the rectangle, then the text; a click on empty canvas keeps the rest in their order.
    Command(h, IDC_OBJECT_ORDER);
    EXPECT_EQ("Please click the text objects in the required order", boxes.LastText());
    UpdateWindow(h);
    Click(h, 325, 225);
    Click(h, 22, 22);
    EXPECT_TRUE(dlg.m_bOrderMode);
    Click(h, 5, 450);
    EXPECT_FALSE(dlg.m_bOrderMode);
    EXPECT_EQ(CSlideObjSlot::KIND_RECTANGLE, Slot(0).m_nKind);
    EXPECT_EQ(CSlideObjSlot::KIND_TEXT, Slot(1).m_nKind);
    EXPECT_EQ(CSlideObjSlot::KIND_IMAGE, Slot(2).m_nKind);
    EXPECT_FALSE(Slot(3).m_bUsed);
}

TEST_F(SlideEditorTest, AGridIsShownOnlyWhenItCanBeDrawnAndStaysInItsRange)
{
    theApp.WriteProfileInt("SETTINGS", "GRID", -7);   // damaged: the smallest grid is used
    HWND h = Open();
    EXPECT_EQ("1", ItemText(h, IDC_GRID));
    EXPECT_FALSE(IsItemEnabled(h, IDC_SHOW_GRID));
    SetItemText(h, IDC_GRID, "3");
    SendMessageA(h, WM_COMMAND, MAKEWPARAM(IDC_GRID_BLACK, STN_CLICKED), 0);
    PressButton(h, IDC_SHOW_GRID);
    EXPECT_FALSE(IsItemEnabled(h, IDC_SHOW_GRID));
    EXPECT_EQ(BST_UNCHECKED, IsDlgButtonChecked(h, IDC_SHOW_GRID));
    EXPECT_EQ(kBackground, CanvasPixel(h, 5, 7));
    EXPECT_EQ(kBackground, CanvasPixel(h, 0, 7));

    // A colour swatch switches a drawable grid on, in its colour.
    SetItemText(h, IDC_GRID, "10");
    SendMessageA(h, WM_COMMAND, MAKEWPARAM(IDC_GRID_WHITE, STN_CLICKED), 0);
    EXPECT_EQ(BST_CHECKED, IsDlgButtonChecked(h, IDC_SHOW_GRID));
    EXPECT_EQ(RGB(255, 255, 255), CanvasPixel(h, 10, 7));
    EXPECT_EQ(RGB(255, 255, 255), CanvasPixel(h, 7, 20));
    EXPECT_EQ(kBackground, CanvasPixel(h, 5, 7));

    // The spin counts down towards finer grids; at 4 the grid can no longer be shown.
    SetItemText(h, IDC_GRID, "5");
    NMUPDOWN spin = {};
    spin.hdr.hwndFrom = GetDlgItem(h, IDC_GRID_SPIN);
    spin.hdr.idFrom = IDC_GRID_SPIN;
    spin.hdr.code = UDN_DELTAPOS;
    spin.iDelta = 1;
    SendMessageA(h, WM_NOTIFY, IDC_GRID_SPIN, reinterpret_cast<LPARAM>(&spin));
    EXPECT_EQ("4", ItemText(h, IDC_GRID));
    EXPECT_EQ(BST_UNCHECKED, IsDlgButtonChecked(h, IDC_SHOW_GRID));
    EXPECT_EQ(kBackground, CanvasPixel(h, 10, 7));
    spin.iDelta = -30;
    SendMessageA(h, WM_NOTIFY, IDC_GRID_SPIN, reinterpret_cast<LPARAM>(&spin));
    EXPECT_EQ("25", ItemText(h, IDC_GRID));

    // A typed grid beyond the range is used as 25; text that is no number is refused with a message.
    SetItemText(h, IDC_GRID, "many");
    Command(h, IDOK);
    EXPECT_EQ("Please enter an integer.", boxes.LastText());
    EXPECT_TRUE(IsWindowVisible(h));
    SetItemText(h, IDC_GRID, "30");
    Command(h, IDOK);
    EXPECT_EQ(25, dlg.m_nGrid);
    EXPECT_EQ("25", ItemText(h, IDC_GRID));
    EXPECT_EQ(25u, theApp.GetProfileInt("SETTINGS", "GRID", 0));
}

TEST_F(SlideEditorTest, DroppedImagesReplaceTheBackgroundOrBecomeImageObjects)
{
    const std::string sameSize = elsewhere / "new.bmp";
    const std::string tooWide = elsewhere / "wide.bmp";
    const std::string small = elsewhere / "small.bmp";
    const std::string large = elsewhere / "large.bmp";
    ASSERT_TRUE(WriteFileBytes(sameSize, MakeSolidBmp(638, 466, RGB(200, 0, 0))));
    ASSERT_TRUE(WriteFileBytes(tooWide, MakeSolidBmp(700, 100, RGB(0, 0, 0))));
    ASSERT_TRUE(WriteFileBytes(small, MakeSolidBmp(100, 50, RGB(0, 0, 200))));
    ASSERT_TRUE(WriteFileBytes(large, MakeSolidBmp(600, 400, RGB(0, 0, 0))));
    ASSERT_TRUE(WriteFileBytes(elsewhere / "notes.txt", Bytes{'h', 'i'}));
    HWND h = Open();

    SendMessageA(h, WM_DROPFILES, reinterpret_cast<WPARAM>(MakeDrop(sameSize)), 0);
    EXPECT_STREQ("new.bmp", dlg.m_strImageFile);
    EXPECT_STREQ("new.bmp", dlg.m_Slide.m_Background.m_strImageFile);
    EXPECT_TRUE(FileExists((project / "new.bmp").c_str()));
    EXPECT_EQ(RGB(200, 0, 0), CanvasPixel(h, 300, 300));

    // Too wide: the user is shown both sizes and nothing is inserted.
    std::string sizes;
    CDialogDriver driver({[&](HWND size)
                          {
                              sizes = ItemText(size, IDC_SIZE_TARGET) + ItemText(size, IDC_SIZE_ACTUAL);
                              CDialogDriver::Click(size, IDOK);
                          }});
    SendMessageA(h, WM_DROPFILES, reinterpret_cast<WPARAM>(MakeDrop(tooWide)), 0);
    EXPECT_EQ("Target: 638 x 466 pixels\nActual:  700 x 100 pixels\n\n", sizes);
    EXPECT_FALSE(Slot(0).m_bUsed);

    // Small images go in without a question, each a little further down the slide.
    boxes.Clear();
    SendMessageA(h, WM_DROPFILES, reinterpret_cast<WPARAM>(MakeDrop(small)), 0);
    SendMessageA(h, WM_DROPFILES, reinterpret_cast<WPARAM>(MakeDrop(small)), 0);
    EXPECT_EQ(0u, boxes.Count());
    ASSERT_EQ(CSlideObjSlot::KIND_IMAGE, Slot(0).m_nKind);
    EXPECT_EQ("10,10", Position(0));
    EXPECT_EQ("25,20", Position(1));
    EXPECT_EQ(500, Slot(0).m_Image.m_nDelay);
    EXPECT_EQ(RGB(0, 0, 200), CanvasPixel(h, 12, 12));

    // A large one is asked about; other files are ignored.
    boxes.SetAnswer(IDNO);
    SendMessageA(h, WM_DROPFILES, reinterpret_cast<WPARAM>(MakeDrop(large)), 0);
    EXPECT_EQ("Insert as image object ?", boxes.LastText());
    SendMessageA(h, WM_DROPFILES, reinterpret_cast<WPARAM>(MakeDrop(elsewhere / "notes.txt")), 0);
    EXPECT_EQ(1u, boxes.Count());
    EXPECT_FALSE(Slot(2).m_bUsed);
}

TEST_F(SlideEditorTest, ButtonsAndMenuKeepTheirOwnLimits)
{
    for (int i = 0; i < 9; i++)
        AddImage(i, 10 * i, 10 * i);
    HWND h = Open();
    CMenu menu;
    ASSERT_TRUE(menu.LoadMenu(IDR_SLIDE_EDITOR_MENU));
    CMenu* popup = menu.GetSubMenu(0);
    auto enabled = [&](UINT id) { return (popup->GetMenuState(id, MF_BYCOMMAND) & MF_GRAYED) == 0; };

    dlg.UpdateContextMenu(popup);
    EXPECT_FALSE(IsItemEnabled(h, IDC_INSERT_IMAGE));   // nine images: the button stops
    EXPECT_TRUE(enabled(ID_OBJECT_INSERT_IMAGE));       // the menu and the drop allow a tenth
    EXPECT_TRUE(IsItemEnabled(h, IDC_INSERT_TEXT));
    EXPECT_FALSE(enabled(ID_OBJECT_EDIT));
    EXPECT_FALSE(enabled(ID_OBJECT_DUPLICATE));

    const std::string small = elsewhere / "small.bmp";
    ASSERT_TRUE(WriteFileBytes(small, MakeSolidBmp(20, 20, RGB(0, 0, 200))));
    SendMessageA(h, WM_DROPFILES, reinterpret_cast<WPARAM>(MakeDrop(small)), 0);
    SendMessageA(h, WM_DROPFILES, reinterpret_cast<WPARAM>(MakeDrop(small)), 0);
    EXPECT_TRUE(Slot(9).m_bUsed);
    EXPECT_FALSE(Slot(10).m_bUsed);   // never an eleventh
    dlg.UpdateContextMenu(popup);
    EXPECT_FALSE(enabled(ID_OBJECT_INSERT_IMAGE));

    // Duplicating an image of a slide with ten refuses; a selected object can be edited from the menu.
    UpdateWindow(h);
    Click(h, 5, 5);
    dlg.UpdateContextMenu(popup);
    EXPECT_TRUE(enabled(ID_OBJECT_EDIT));
    Command(h, ID_OBJECT_DUPLICATE);
    EXPECT_EQ("Max. number of image objects reached", boxes.LastText());
    EXPECT_FALSE(Slot(10).m_bUsed);
}

TEST_F(SlideEditorTest, ANewSlideNamesItsPictureAndTheBandsReadoutIsWhole)
{
    // A new slide: the picture comes from the caller alone.
    dlg.m_Slide.m_Background.m_strImageFile.Empty();
    AddText(0, 20, 20, "One");
    HWND h = Open();
    std::string pictureName;
    CDialogDriver driver({[&](HWND list)
                          {
                              char text[64] = {};
                              ListView_GetItemText(GetDlgItem(list, IDC_OBJECT_TABLE), 0, 8, text, sizeof(text));
                              pictureName = text;
                              CDialogDriver::Click(list, IDCANCEL);
                          }});
    Command(h, IDC_OBJECT_LIST);
    EXPECT_EQ("bg.bmp", pictureName);

    // The widest readout, a band over the whole slide, fits its field.
    Command(h, IDC_SELECT_GROUP);
    Mouse(h, WM_LBUTTONDOWN, MK_LBUTTON, 0, 0);
    Mouse(h, WM_MOUSEMOVE, MK_LBUTTON, 637, 465);
    HWND readout = GetDlgItem(h, IDC_COORDINATES);
    const std::string text = ItemText(h, IDC_COORDINATES);
    EXPECT_EQ("(0,0) --> (637,465) = (637,465)", text);
    CRect field, needed;
    GetClientRect(readout, &field);
    needed = field;
    HDC dc = GetDC(readout);
    HGDIOBJ old = SelectObject(dc, reinterpret_cast<HGDIOBJ>(SendMessageA(readout, WM_GETFONT, 0, 0)));
    DrawTextA(dc, text.c_str(), -1, &needed, DT_CALCRECT | DT_WORDBREAK | DT_NOPREFIX);
    SelectObject(dc, old);
    ReleaseDC(readout, dc);
    EXPECT_LE(needed.Width(), field.Width());
    EXPECT_LE(needed.Height(), field.Height());
}

TEST_F(SlideEditorTest, ASelectionRectangleMovesOrDeletesTheObjectsWhollyInsideIt)
{
    AddText(0, 20, 20, "One");
    AddRectangle(1, 100, 100, 50, 50);
    AddRectangle(2, 200, 100, 50, 50);
    AddRectangle(3, 400, 300, 50, 50);   // outside the selection
    HWND h = Open();

    // Moving them past the left edge is refused and nothing moves; a fitting offset moves them all.
    int choice = CEditSelectedDlg::MOVE_OBJECTS;
    std::string offsetX, offsetY;
    auto answer = [&](HWND h)
    {
        std::string title = CDialogDriver::Text(h);
        if (title == "Edit all selected objects")
        {
            if (choice == CEditSelectedDlg::DELETE_OBJECTS)
                PressButton(h, IDC_DELETE_SELECTED);
            CDialogDriver::Click(h, IDOK);
        }
        else if (title == "Move Objects")
        {
            SetItemText(h, IDC_MOVE_X, offsetX);
            SetItemText(h, IDC_MOVE_Y, offsetY);
            CDialogDriver::Click(h, IDOK);
        }
    };
    CDialogDriver driver(std::vector<CDialogDriver::Step>(20, answer));
    auto selectAndWait = [&](int fromX, int fromY, int toX, int toY)
    {
        UpdateWindow(h);
        Command(h, IDC_SELECT_GROUP);
        Drag(h, fromX, fromY, toX, toY);
        EXPECT_TRUE(PumpUntil([&] { return !dlg.m_bSelectMode; }));
    };
    offsetX = "-30";
    offsetY = "0";
    selectAndWait(10, 10, 300, 200);
    EXPECT_EQ("ERROR\n\nIt is not possible to move the objects, because they would be (partially) outside of "
              "the window",
              boxes.LastText());
    EXPECT_EQ("20,20", Position(0));

    offsetX = "15";
    offsetY = "-5";
    selectAndWait(300, 200, 10, 10);   // drawn the other way round
    EXPECT_EQ("35,15", Position(0));
    EXPECT_EQ("115,95", Position(1));
    EXPECT_EQ("215,95", Position(2));
    EXPECT_EQ("400,300", Position(3));

    // Deleting asks for each object, from the last one down.
    boxes.Clear();
    choice = CEditSelectedDlg::DELETE_OBJECTS;
    selectAndWait(5, 5, 300, 200);
    ASSERT_EQ(3u, boxes.Count());
    EXPECT_EQ("Delete objekt:\nFRAME: 215,95,50,50    ?", boxes.Records()[0].text);
    EXPECT_EQ("Delete objekt:\nTEXT: 35,15, One    ?", boxes.Records()[2].text);
    EXPECT_EQ(CSlideObjSlot::KIND_RECTANGLE, Slot(0).m_nKind);
    EXPECT_EQ("400,300", Position(0));
    EXPECT_FALSE(Slot(1).m_bUsed);
}

TEST_F(SlideEditorTest, NewTextsGoBelowTheLastAndEditedObjectsKeepToTheGrid)
{
    theApp.WriteProfileInt("SETTINGS", "GRID", 10);
    FrameObjRecord record = {3, 300, 200, 40, 60, 0, 1000, CFrameObj::FILL_SOLID, 0, 0, 0, 0, FALSE, 0, 0};
    Slot(0).CreateRectangle(record);
    HWND h = Open();

    // Two new texts: the first at the top left, the next one below it. The text dialogs answer in turn;
    // the editor's own activations are passed by.
    std::vector<std::string> proposed;
    std::deque<std::function<void(HWND)>> texts;
    auto insert = [&](const char* text)
    {
        return [&, text](HWND t)
        {
            proposed.push_back(ItemText(t, IDC_POS_X) + "," + ItemText(t, IDC_POS_Y));
            SetItemText(t, IDC_TEXT, text);
            CDialogDriver::Click(t, IDOK);
        };
    };
    texts.push_back(insert("First"));
    texts.push_back(insert("Second"));
    texts.push_back(
        [&](HWND t)
        {
            SetItemText(t, IDC_POS_X, "23");
            SetItemText(t, IDC_POS_Y, "47");
            PressButton(t, IDC_APPLY_THIS_SLIDE);
            CDialogDriver::Click(t, IDOK);
        });
    std::string delay;
    auto answer = [&](HWND d)
    {
        std::string title = CDialogDriver::Text(d);
        if (title == "Insert / Edit Text Object" && !texts.empty())
        {
            auto step = texts.front();
            texts.pop_front();
            step(d);
        }
        else if (title == "Insert / Edit Rectangle Object")
        {
            delay = ItemText(d, IDC_DELAY);
            SetItemText(d, IDC_DELAY, "2000");
            CDialogDriver::Click(d, IDOK);
        }
    };
    CDialogDriver driver(std::vector<CDialogDriver::Step>(20, answer));
    Slot(1).m_Text.m_nFontSize = 30;   // settings waiting in the free slot go to every text inserted after
    Command(h, IDC_INSERT_TEXT);
    Command(h, IDC_INSERT_TEXT);
    EXPECT_EQ((std::vector<std::string>{"10,10", "10,40"}), proposed);
    EXPECT_STREQ("First", Slot(1).m_Text.m_strText);
    EXPECT_EQ(30, Slot(2).m_Text.m_nFontSize);

    // A double click edits the object under the mouse; the text snaps to the grid of 10 and its settings
    // go to the other text of the slide.
    Slot(1).m_Text.m_nFontSize = 24;
    UpdateWindow(h);
    Click(h, 12, 12);
    Mouse(h, WM_LBUTTONDBLCLK, MK_LBUTTON, 12, 12);
    EXPECT_EQ("20,40", Position(1));
    EXPECT_EQ(24, Slot(2).m_Text.m_nFontSize);
    EXPECT_EQ(1, dlg.m_Choices.bTextThisSlide);

    Click(h, 310, 210);
    Mouse(h, WM_LBUTTONDBLCLK, MK_LBUTTON, 310, 210);
    EXPECT_EQ("50", delay);
    EXPECT_EQ(2000, Slot(0).GetDelay());
    EXPECT_EQ(60, Slot(0).m_Frame.m_nWidth);
}
