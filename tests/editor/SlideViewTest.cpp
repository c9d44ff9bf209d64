// The slide view in the running program: thumbnails drawn by the worker while projects come and go, the
// close that waits for the worker, and commands that arrive posted whatever the menu's state.
#include "ProgramTestSupport.h"

#include "editor/SlideEditorDlg.h"
#include "support/win_DialogDriver.h"

using namespace editortest;

namespace
{

const COLORREF kRed = RGB(255, 0, 0);
const COLORREF kGreen = RGB(0, 255, 0);
const COLORREF kBlue = RGB(0, 0, 255);

LPARAM CellPoint(CVexulCreatorView* view, int cell)
{
    CPoint centre = view->GetCellRect(cell).CenterPoint();
    return MAKELPARAM(centre.x, centre.y);
}

}   // namespace

TEST_F(EditorProgram, ProjectsOpenedAndMadeWhileThumbnailsAreDrawnShowOnlyTheirOwnSlides)
{
    CTempFolder red("vxviewred");
    CTempFolder green("vxviewgreen");
    CTempFolder empty("vxviewnew");
    std::string redPack = MakeSavedProject(red.Path(), std::vector<COLORREF>(8, kRed));
    std::string greenPack = MakeSavedProject(green.Path(), std::vector<COLORREF>(5, kGreen));

    // Each project comes while the one before is still being drawn; the worker's late results must neither
    // land in the new project's cells nor be drawn into freed memory.
    int caughtRendering = 0;
    for (int round = 0; round < 50; round++)
    {
        switch (round % 3)
        {
        case 0: ASSERT_NE(nullptr, theApp.OpenDocumentFile(redPack.c_str())); break;
        case 1: ASSERT_NE(nullptr, theApp.OpenDocumentFile(greenPack.c_str())); break;
        default: ASSERT_TRUE(NewProject(empty.Path())); break;
        }
        if (View()->IsRenderingThumbnails())
            caughtRendering++;
        if (round % 5 == 0)
            Pump();   // some of the worker's messages arrive in between
    }
    EXPECT_GT(caughtRendering, 0);
    // The last round opened the green project.
    ASSERT_TRUE(WaitForThumbnails());
    ASSERT_EQ(5, View()->GetSlideCount());
    for (int cell = 0; cell < CVexulCreatorView::CELL_COUNT; cell++)
    {
        if (cell < 5)
            EXPECT_EQ(kGreen, BitmapCentre(View()->GetCellBitmap(cell))) << cell;
        else
            EXPECT_EQ(nullptr, View()->GetCellBitmap(cell)) << cell;
    }

    // Closing while the worker draws: the question about the changes comes when the worker has stopped, and
    // Cancel keeps the window.
    ASSERT_NE(nullptr, theApp.OpenDocumentFile(redPack.c_str()));
    Doc()->SetModifiedFlag();
    CBoxScript boxes;
    boxes.Answer("Save changes in VEXUL.VXL ?", IDCANCEL);
    bool renderingAtQuestion = true;
    boxes.m_onBox = [&](const std::string&) { renderingAtQuestion = View()->IsRenderingThumbnails(); };
    HWND frame = Frame()->m_hWnd;
    Frame()->SendMessage(WM_CLOSE);
    EXPECT_EQ(1, boxes.Count("Save changes in VEXUL.VXL ?"));
    EXPECT_FALSE(renderingAtQuestion);
    EXPECT_FALSE(View()->IsThumbnailWorkerBusy());
    EXPECT_TRUE(IsWindow(frame));
    EXPECT_TRUE(Doc()->IsModified());
}

TEST_F(EditorProgram, PostedCommandsDoNothingWhereTheMenuWouldBeGreyed)
{
    // Any dialog that opens is recorded and cancelled.
    std::vector<std::string> dialogs;
    CDialogDriver driver(std::vector<CDialogDriver::Step>(20,
                                                          [&](HWND h)
                                                          {
                                                              dialogs.push_back(CDialogDriver::Text(h));
                                                              CDialogDriver::Click(h, IDCANCEL);
                                                          }));
    CBoxScript boxes;
    const UINT slideCommands[] = {ID_SLIDE_ADD,   ID_SLIDE_EDIT,     ID_SLIDE_DELETE,        ID_SLIDE_ORDER,
                                  ID_SLIDE_PASTE, ID_PROJECT_TEST,   ID_SLIDE_TEST_SELECTED, ID_COMPILE_PROJECT,
                                  ID_SLIDE_COPY,  ID_POPUP_TEST_SHOW};
    auto postAll = [&]
    {
        for (UINT command : slideCommands)
            Frame()->PostMessage(WM_COMMAND, command, 0);
        Pump();
    };

    // No project yet.
    postAll();
    EXPECT_TRUE(dialogs.empty());
    EXPECT_TRUE(boxes.Texts().empty());

    // In order mode nothing but the ordering clicks counts.
    CTempFolder folder("vxviewposted");
    MakeSavedProject(folder.Path(), {kRed, kGreen});
    Command(ID_SLIDE_ORDER);
    ASSERT_TRUE(View()->IsOrderMode());
    boxes.Clear();
    postAll();
    EXPECT_TRUE(dialogs.empty());
    EXPECT_TRUE(boxes.Texts().empty());
    EXPECT_EQ(2, View()->GetSlideCount());
    EXPECT_FALSE(Doc()->IsModified());
    // Clicked in reverse order, the two slides change places.
    View()->SendMessage(WM_LBUTTONUP, 0, CellPoint(View(), 1));
    View()->SendMessage(WM_LBUTTONUP, 0, CellPoint(View(), 0));
    EXPECT_FALSE(View()->IsOrderMode());
    EXPECT_TRUE(Doc()->IsModified());
    ASSERT_TRUE(WaitForThumbnails());
    EXPECT_EQ(kGreen, BitmapCentre(View()->GetCellBitmap(0)));
    EXPECT_EQ(kRed, BitmapCentre(View()->GetCellBitmap(1)));
    ASSERT_TRUE(Doc()->SaveProject());

    // Without a selection the slide commands have nothing to work on.
    ASSERT_EQ(-1, View()->GetSelection());
    for (UINT command : {ID_SLIDE_EDIT, ID_SLIDE_DELETE, ID_SLIDE_TEST_SELECTED, ID_SLIDE_COPY})
        Frame()->PostMessage(WM_COMMAND, command, 0);
    Pump();
    EXPECT_TRUE(dialogs.empty());
    EXPECT_FALSE(Doc()->HasCopiedSlide());

    // Forty slides: no more can be added, neither by the menu's command nor by pasting.
    std::string blue = WriteSlidePicture(folder.Path(), "blue.bmp", kBlue);
    for (int cell = 2; cell < CVexulCreatorView::CELL_COUNT; cell++)
        ASSERT_TRUE(View()->SetSlideImage(cell, blue.c_str()));
    Doc()->CopySlide(0);
    Frame()->PostMessage(WM_COMMAND, ID_SLIDE_ADD, 0);
    Frame()->PostMessage(WM_COMMAND, ID_SLIDE_PASTE, 0);
    Pump();
    EXPECT_TRUE(dialogs.empty());
    EXPECT_EQ(CVexulCreatorView::CELL_COUNT, View()->GetSlideCount());
}

TEST_F(EditorProgram, ADoubleClickedSlideOpensTheSlideEditorAndOnlyItsOKChangesTheProject)
{
    CTempFolder folder("vxviewedit");
    MakeSavedProject(folder.Path(), {kRed, kGreen});
    ASSERT_FALSE(Doc()->IsModified());

    // Cancelled, the editor changes nothing: the project is not modified.
    std::vector<std::string> seen;
    int answer = IDCANCEL;
    CDialogDriver driver(std::vector<CDialogDriver::Step>(
        2,
        [&](HWND h)
        {
            // The slide editor: its canvas buttons are there.
            seen.push_back(GetDlgItem(h, IDC_INSERT_TEXT) != nullptr ? "slide editor" : CDialogDriver::Text(h));
            CDialogDriver::Click(h, answer);
        }));
    View()->SendMessage(WM_LBUTTONDBLCLK, 0, CellPoint(View(), 1));
    Pump();
    ASSERT_EQ(std::vector<std::string>{"slide editor"}, seen);
    EXPECT_EQ(1, View()->GetSelection());
    EXPECT_FALSE(Doc()->IsModified());

    answer = IDOK;
    Command(ID_SLIDE_EDIT);
    Pump();
    ASSERT_EQ(2u, seen.size());
    EXPECT_EQ("slide editor", seen[1]);
    EXPECT_TRUE(Doc()->IsModified());
    EXPECT_EQ(2, View()->GetSlideCount());
    ASSERT_TRUE(WaitForThumbnails());
    EXPECT_EQ(kGreen, BitmapCentre(View()->GetCellBitmap(1)));

    // A player that cannot start is reported.
    ASSERT_TRUE(DeleteFileA((folder / "VEXUL.EXE").c_str()));
    CBoxScript boxes;
    Command(ID_POPUP_TEST_SHOW);
    EXPECT_EQ(1, boxes.Count("could not be started"));
}

TEST_F(EditorProgram, PicturesThePackCannotTakeAreNamedAndTheSlideKeepsItsBackground)
{
    CTempFolder folder("vxviewfull");
    MakeSavedProject(folder.Path(), {kRed});
    const CString before = Doc()->GetShow().m_Slides[0].m_Background.m_strImageFile;
    // A pack that holds all the entries it can.
    for (int i = 0; Doc()->AddDataToPack(("FILL" + std::to_string(i) + ".DAT").c_str(), "x", 1); i++)
        ;
    const std::string blue = WriteSlidePicture(folder.Path(), "blue.bmp", kBlue);
    const std::string star = WriteSlidePicture(folder.Path(), "star.bmp", kGreen, 60, 40);

    // In the slide editor the user drops a picture of the slide's size, which becomes the slide's background
    // there, and a small one, which becomes an image object; OK hands them to the project.
    CBoxScript boxes;
    CDialogDriver driver({[&](HWND h)
                          {
                              SendMessageA(h, WM_DROPFILES, reinterpret_cast<WPARAM>(MakeDrop(blue)), 0);
                              SendMessageA(h, WM_DROPFILES, reinterpret_cast<WPARAM>(MakeDrop(star)), 0);
                              CDialogDriver::Click(h, IDOK);
                          }});
    View()->EditSlide(0);
    Pump();
    ASSERT_EQ(1u, driver.StepsRun());
    ASSERT_EQ(2u, boxes.Texts().size());
    EXPECT_EQ("The picture \"star.bmp\" of an image object cannot be taken into the project file: it holds the "
              "most entries it can (500).\nThe image object stays, but the project file lacks its picture.",
              boxes.Texts()[0]);
    EXPECT_EQ("The picture \"blue.bmp\" cannot be taken into the project file: it holds the most entries it can "
              "(500).\nThe slide keeps its background.",
              boxes.Texts()[1]);
    EXPECT_STREQ(before, Doc()->GetShow().m_Slides[0].m_Background.m_strImageFile);
    EXPECT_STREQ(before, View()->GetCellFile(0));

    // Saved, the pack still holds the slide's own picture.
    ASSERT_TRUE(Doc()->SaveProject());
    int size = 0;
    EXPECT_NE(nullptr, Doc()->GetPackEntry(before, size));
}

TEST_F(EditorProgram, ADamagedPictureInAnOpenedProjectIsNamedOnceAtTheOpen)
{
    CTempFolder folder("vxviewdamaged");
    const std::string pack = MakeSavedProject(folder.Path(), {kRed, kGreen, kBlue});
    // The second slide's picture is damaged in the pack, and its file is gone from the folder.
    Doc()->RemoveFromPack("slide1.bmp");
    ASSERT_TRUE(Doc()->AddDataToPack("slide1.bmp", "no picture at all", 17));
    ASSERT_TRUE(Doc()->SaveProject());
    ASSERT_TRUE(DeleteFileA((folder / "slide1.bmp").c_str()));
    CTempFolder other("vxviewother");
    ASSERT_TRUE(NewProject(other.Path()));

    CBoxScript boxes;
    ASSERT_NE(nullptr, theApp.OpenDocumentFile(pack.c_str()));
    ASSERT_TRUE(WaitForThumbnails());
    Pump();
    const std::string named =
        "These pictures of the project file cannot be read, their slides show no background:\n"
        "    slide1.bmp\n";
    EXPECT_EQ(1, boxes.Count(named));
    EXPECT_EQ(kRed, BitmapCentre(View()->GetCellBitmap(0)));
    EXPECT_EQ(kBlue, BitmapCentre(View()->GetCellBitmap(2)));

    // Drawn again, nothing more is said.
    Doc()->UpdateAllViews(nullptr, HINT_PROJECT_RELOADED);
    ASSERT_TRUE(WaitForThumbnails());
    Pump();
    EXPECT_EQ(1, boxes.Count(named));
}

TEST_F(EditorProgram, NoTipStaysWhenASlideIsDraggedToAnotherPlace)
{
    CTempFolder folder("vxviewdrag");
    MakeSavedProject(folder.Path(), {kRed, kGreen});
    ASSERT_TRUE(WaitForThumbnails());
    // The real cursor stays out of the way: the system's own mouse moves must not mix with the test's.
    ::SetCursorPos(::GetSystemMetrics(SM_CXSCREEN) - 1, ::GetSystemMetrics(SM_CYSCREEN) - 1);
    Pump();
    View()->SendMessage(WM_LBUTTONUP, 0, CellPoint(View(), 0));
    ASSERT_EQ(0, View()->GetSelection());

    // The mouse over the first slide shows its tip.
    View()->PostMessage(WM_MOUSEMOVE, 0, CellPoint(View(), 0));
    Pump();
    HWND hTip = ::FindWindowA(TOOLTIPS_CLASSA, nullptr);
    ASSERT_NE(nullptr, hTip);
    EXPECT_EQ(1, ::SendMessageA(hTip, TTM_GETTOOLCOUNT, 0, 0));

    // Dragged onto the second place: the slides change places and no tip is left over them.
    View()->PostMessage(WM_LBUTTONDOWN, MK_LBUTTON, CellPoint(View(), 0));
    View()->PostMessage(WM_MOUSEMOVE, MK_LBUTTON, CellPoint(View(), 1));
    View()->PostMessage(WM_LBUTTONUP, 0, CellPoint(View(), 1));
    Pump();
    EXPECT_EQ(0, ::SendMessageA(hTip, TTM_GETTOOLCOUNT, 0, 0));
    EXPECT_FALSE(::IsWindowVisible(hTip));
    ASSERT_TRUE(WaitForThumbnails());
    EXPECT_EQ(kGreen, BitmapCentre(View()->GetCellBitmap(0)));
    EXPECT_EQ(kRed, BitmapCentre(View()->GetCellBitmap(1)));
}

TEST_F(EditorProgram, TitleAndRecentProjectsShowTheProjectsFolders)
{
    CTempFolder one("vxtitleone");
    CTempFolder two("vxtitletwo");
    std::string first = MakeSavedProject(one.Path(), {kRed});
    std::string second = MakeSavedProject(two.Path(), {kGreen});
    Pump();
    EXPECT_EQ(second + " - VexulCreator", CDialogDriver::Text(Frame()->m_hWnd));

    // The open project's entry too, though the current folder is its own.
    HMENU project = GetSubMenu(GetMenu(Frame()->m_hWnd), 0);
    Frame()->SendMessage(WM_INITMENUPOPUP, reinterpret_cast<WPARAM>(project), 0);
    std::vector<std::string> entries;
    for (int i = 0; i < GetMenuItemCount(project); i++)
    {
        char text[300] = {};
        GetMenuStringA(project, i, text, sizeof(text), MF_BYPOSITION);
        if (text[0] == '&' && isdigit(static_cast<unsigned char>(text[1])))
            entries.push_back(text);
    }
    ASSERT_GE(entries.size(), 2u);   // and those of earlier tests
    entries.resize(2);
    EXPECT_EQ((std::vector<std::string>{"&1 " + second, "&2 " + first}), entries);

    // Open starts in the last project's folder, wherever the program's current folder is.
    SetCurrentDirectoryA(AppFolder().c_str());
    std::string openFolder;
    CDialogDriver open({[&](HWND h)
                        {
                            char folder[MAX_PATH] = {};
                            SendMessageA(h, CDM_GETFOLDERPATH, sizeof(folder), reinterpret_cast<LPARAM>(folder));
                            openFolder = folder;
                            CDialogDriver::Click(h, IDCANCEL);
                        }});
    Command(ID_FILE_OPEN);
    EXPECT_EQ(0, lstrcmpiA(two.Path().c_str(), openFolder.c_str())) << openFolder;

    // A path too long for the menu keeps its drive, its project folder and the name.
    std::string deep = "C:\\Projects of a long name\\for shows of all kinds\\made this year\\Summer & Sea\\VEXUL.VXL";
    theApp.m_pRecentFileList->Add(deep.c_str());
    CString shown;
    ASSERT_TRUE(theApp.m_pRecentFileList->GetDisplayName(shown, 0, "C:\\", TRUE));
    EXPECT_STREQ("C:\\...\\Summer && Sea\\VEXUL.VXL", shown);
}
