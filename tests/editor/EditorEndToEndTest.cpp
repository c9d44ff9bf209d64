// The editor program as a user meets it, driven from outside its process by posted and sent messages only:
// the start-up dialogs, a new project made with the wizard in a folder chosen through the folder dialog,
// two slides from pictures, objects on the second slide, saving, a test run, compiling, the compiled show
// playing by itself, a test run after the compile that shows the changed project, Save As into a new folder
// with a test run and a compile there, and a close that asks nothing; and files on the command line that
// cannot be opened.
#include "ProgramTestSupport.h"

#include "editor/SlideEditorDlg.h"
#include "show/ProjectPack.h"
#include "show/ShowData.h"

#include <prsht.h>

using namespace editortest;

namespace
{

const COLORREF kSlide1 = RGB(200, 40, 40);
const COLORREF kSlide2 = RGB(30, 60, 200);
const COLORREF kPicture = RGB(250, 0, 250);
const int kPictureWidth = 60;
const int kPictureHeight = 40;
const int kPictureX = 100;
const int kPictureY = 80;
const int kViewId = 0xE900;          // the frame's view
const int kSlideWindowId = 1010;     // the player's slide window
const int kMessageTextId = 0xFFFF;   // the text of a message box
const char kProfileKey[] = "Software\\QD-LM\\VexulCreator V2";

// A window's text, asked of the window itself (for a window of another process the system's own answer would
// be only its title).
std::string Text(HWND hWnd)
{
    char text[1024] = {};
    SendMessageA(hWnd, WM_GETTEXT, sizeof(text), reinterpret_cast<LPARAM>(text));
    return text;
}

// What the editor shows: its top-level windows and its message boxes.
class CEditorUser
{
public:
    explicit CEditorUser(CTestProcess& editor) : m_editor(editor) {}

    // Waits for the editor's window that holds a child of that id. A message box met meanwhile is a question
    // the scenario did not expect: the wait fails with its text.
    HWND Await(int childId)
    {
        HWND found = nullptr;
        PumpUntil(
            [&]
            {
                found = m_editor.FindWindowWithChild(childId);
                if (found == nullptr && childId != kMessageTextId)
                    if (HWND box = m_editor.FindWindowWithChild(kMessageTextId))
                    {
                        ADD_FAILURE() << "unexpected message: " << Text(GetDlgItem(box, kMessageTextId));
                        PostMessageA(box, WM_COMMAND, IDCANCEL, 0);
                        return true;
                    }
                return found != nullptr || m_editor.Ended();
            },
            60000);
        return found;
    }
    // Waits for a window to go away.
    static bool AwaitGone(HWND hWnd)
    {
        return PumpUntil([&] { return !IsWindow(hWnd) || !IsWindowVisible(hWnd); }, 60000);
    }

    // A button press, as the dialog hears it from the button.
    static void Click(HWND dialog, int id)
    {
        PostMessageA(dialog, WM_COMMAND, MAKEWPARAM(id, BN_CLICKED),
                     reinterpret_cast<LPARAM>(GetDlgItem(dialog, id)));
    }
    // A check or radio button pressed: its state changes and the dialog is told.
    static void Check(HWND dialog, int id) { SendMessageA(GetDlgItem(dialog, id), BM_CLICK, 0, 0); }
    // Text typed into an edit field (the field counts as changed by the user).
    static void Type(HWND dialog, int id, const std::string& text)
    {
        HWND edit = GetDlgItem(dialog, id);
        SendMessageA(edit, WM_SETTEXT, 0, reinterpret_cast<LPARAM>(text.c_str()));
        SendMessageA(edit, EM_SETMODIFY, TRUE, 0);
    }

    // Answers the next message box with the button; its text comes back.
    std::string AnswerBox(int button)
    {
        HWND box = Await(kMessageTextId);
        if (box == nullptr)
            return std::string();
        std::string text = Text(GetDlgItem(box, kMessageTextId));
        PostMessageA(box, WM_COMMAND, button, 0);
        AwaitGone(box);
        return text;
    }

private:
    CTestProcess& m_editor;
};

// Closes a test run's player as its Cancel does and waits until its process has ended: until then its program
// file is in use and cannot be compiled into.
bool ClosePlayer(HWND player)
{
    DWORD pid = 0;
    GetWindowThreadProcessId(player, &pid);
    HANDLE process = OpenProcess(SYNCHRONIZE, FALSE, pid);
    PostMessageA(player, WM_COMMAND, IDCANCEL, 0);
    bool ended = process != nullptr &&
                 PumpUntil([&] { return WaitForSingleObject(process, 0) == WAIT_OBJECT_0; }, 60000);
    if (process != nullptr)
        CloseHandle(process);
    return ended && !IsWindow(player);
}

// The visible player window of any process but the editor's (the test run's player is started by the editor).
HWND FindPlayerWindow(DWORD exceptProcess)
{
    struct Search
    {
        DWORD except;
        HWND found;
    } search = {exceptProcess, nullptr};
    EnumWindows(
        [](HWND hWnd, LPARAM param) -> BOOL
        {
            Search* s = reinterpret_cast<Search*>(param);
            DWORD pid = 0;
            GetWindowThreadProcessId(hWnd, &pid);
            if (pid == s->except || pid == GetCurrentProcessId() || !IsWindowVisible(hWnd) ||
                GetDlgItem(hWnd, kSlideWindowId) == nullptr)
                return TRUE;
            s->found = hWnd;
            return FALSE;
        },
        reinterpret_cast<LPARAM>(&search));
    return search.found;
}

// The colour on the screen at a point of the player's slide.
COLORREF SlidePixel(HWND player, int x, int y)
{
    POINT point = {x, y};
    ClientToScreen(GetDlgItem(player, kSlideWindowId), &point);
    HDC screen = GetDC(nullptr);
    COLORREF colour = GetPixel(screen, point.x, point.y);
    ReleaseDC(nullptr, screen);
    return colour;
}

struct Sample
{
    int x;
    int y;
    COLORREF colour;
};

// Waits until the player shows every sample at once.
bool ShowsAll(HWND player, const std::vector<Sample>& samples)
{
    return PumpUntil(
        [&]
        {
            for (const Sample& sample : samples)
                if (SlidePixel(player, sample.x, sample.y) != sample.colour)
                    return false;
            return true;
        },
        60000);
}

// The show a pack file holds, read through the show model; false when it cannot be read whole.
bool ReadPack(const std::string& path, CProjectPack& pack, CShowData& show)
{
    CFile file;
    if (!file.Open(path.c_str(), CFile::modeRead | CFile::shareDenyWrite))
        return false;
    CArchive ar(&file, CArchive::load);
    if (!pack.Read(ar))
        return false;
    int size = 0;
    const BYTE* text = pack.GetEntryData("VEXUL.INI", size);
    return text != nullptr && show.ReadShowText("VEXUL.INI", text, size);
}

const CSlideObjSlot* FindObject(CSlide& slide, int kind)
{
    for (int i = 0; i < CSlide::MaxObjects; i++)
    {
        const CSlideObjSlot* slot = slide.GetSlot(i);
        if (slot != nullptr && slot->m_bUsed && slot->m_nKind == kind)
            return slot;
    }
    return nullptr;
}

class EditorEndToEnd : public ::testing::Test
{
protected:
    void SetUp() override
    {
        ASSERT_TRUE(IsBuilt(AppFolder() + "\\VexulCreator.exe"));
        // A user who never ran the editor.
        RegDeleteTreeA(HKEY_CURRENT_USER, kProfileKey);
    }
    void TearDown() override { RegDeleteTreeA(HKEY_CURRENT_USER, kProfileKey); }
};

}   // namespace

TEST_F(EditorEndToEnd, AShowMadeFromTheStartCentreIsSavedTestedCompiledAndPlaysByItself)
{
    CTempFolder work("vxe2e");
    const std::string project = work / "Show1";
    const std::string pictures = work / "Pictures";
    ASSERT_TRUE(CreateDirectoryA(project.c_str(), nullptr));
    ASSERT_TRUE(CreateDirectoryA(pictures.c_str(), nullptr));
    const std::string first = WriteSlidePicture(pictures, "first.bmp", kSlide1);
    const std::string second = WriteSlidePicture(pictures, "second.bmp", kSlide2);
    const std::string picture = WriteSlidePicture(pictures, "logo.bmp", kPicture, kPictureWidth, kPictureHeight);

    CTestProcess editor(AppFolder() + "\\VexulCreator.exe", "", AppFolder());
    ASSERT_TRUE(editor.Started());
    CEditorUser user(editor);

    // The tip of the day, then the welcome, closed: the start centre follows; it makes a new project.
    HWND tip = user.Await(IDC_TIP_NEXT);
    ASSERT_NE(nullptr, tip);
    CEditorUser::Click(tip, IDOK);
    HWND welcome = user.Await(IDC_WELCOME_DONT_SHOW);
    ASSERT_NE(nullptr, welcome);
    CEditorUser::Click(welcome, IDCANCEL);
    HWND centre = user.Await(IDC_START_NEW);
    ASSERT_NE(nullptr, centre);
    CEditorUser::Click(centre, IDC_START_NEW);

    // The wizard: the folder comes from the folder dialog; the show is played by hand.
    HWND sheet = user.Await(ID_WIZBACK);
    ASSERT_NE(nullptr, sheet);
    HWND page = reinterpret_cast<HWND>(SendMessageA(sheet, PSM_GETCURRENTPAGEHWND, 0, 0));
    ASSERT_NE(nullptr, GetDlgItem(page, IDC_WP_FOLDER_BROWSE));
    CEditorUser::Click(page, IDC_WP_FOLDER_BROWSE);
    HWND folders = user.Await(IDC_CREATE_FOLDER);
    ASSERT_NE(nullptr, folders);
    CEditorUser::Type(folders, IDC_FOLDER_PATH, project);
    CEditorUser::Click(folders, IDOK);
    ASSERT_TRUE(CEditorUser::AwaitGone(folders));
    EXPECT_EQ(project, Text(GetDlgItem(page, IDC_WP_FOLDER)));
    HWND tabs = reinterpret_cast<HWND>(SendMessageA(sheet, PSM_GETTABCONTROL, 0, 0));
    int pages = tabs != nullptr ? static_cast<int>(SendMessageA(tabs, TCM_GETITEMCOUNT, 0, 0)) : 8;
    EXPECT_EQ(8, pages);
    for (int i = 1; i < pages; i++)
    {
        HWND before = reinterpret_cast<HWND>(SendMessageA(sheet, PSM_GETCURRENTPAGEHWND, 0, 0));
        // The show stays on each slide until the user goes on, and ends only when the user says so: the test
        // looks at a slide for as long as it needs.
        if (GetDlgItem(before, IDC_WP_EXIT_BY_USER) != nullptr)
        {
            CEditorUser::Check(before, IDC_WP_EXIT_BY_USER);
            CEditorUser::Check(before, IDC_WP_ADVANCE_USER);
        }
        PostMessageA(sheet, PSM_PRESSBUTTON, PSBTN_NEXT, 0);
        ASSERT_TRUE(PumpUntil(
            [&] { return reinterpret_cast<HWND>(SendMessageA(sheet, PSM_GETCURRENTPAGEHWND, 0, 0)) != before; },
            60000))
            << "page " << i;
    }
    PostMessageA(sheet, PSM_PRESSBUTTON, PSBTN_FINISH, 0);
    ASSERT_TRUE(CEditorUser::AwaitGone(sheet));
    // The note about picture sizes of a new project.
    HWND notice = user.Await(IDC_NOTICE_HIDE);
    ASSERT_NE(nullptr, notice);
    CEditorUser::Click(notice, IDOK);
    ASSERT_TRUE(CEditorUser::AwaitGone(notice));
    HWND frame = user.Await(kViewId);
    ASSERT_NE(nullptr, frame);
    HWND view = GetDlgItem(frame, kViewId);
    EXPECT_EQ(ReadFileBytes(PlainPlayerPath()), ReadFileBytes(project + "\\VEXUL.EXE"));

    // Two slides, each from a picture through the new-slide dialog and the slide editor.
    auto addSlide = [&](const std::string& file, const std::function<void(HWND)>& edit)
    {
        PostMessageA(frame, WM_COMMAND, ID_SLIDE_ADD, 0);
        HWND newSlide = user.Await(IDC_NEW_SLIDE_FILE);
        ASSERT_NE(nullptr, newSlide);
        CEditorUser::Check(newSlide, IDC_USER_BACKGROUND);
        CEditorUser::Type(newSlide, IDC_NEW_SLIDE_FILE, file);
        CEditorUser::Click(newSlide, IDOK);
        HWND slideEditor = user.Await(IDC_INSERT_RECTANGLE);
        ASSERT_NE(nullptr, slideEditor);
        edit(slideEditor);
        CEditorUser::Click(slideEditor, IDOK);
        ASSERT_TRUE(CEditorUser::AwaitGone(slideEditor));
    };
    addSlide(first, [](HWND) {});
    addSlide(second,
             [&](HWND slideEditor)
             {
                 CEditorUser::Click(slideEditor, IDC_INSERT_TEXT);
                 HWND text = user.Await(IDC_TEXT);
                 ASSERT_NE(nullptr, text);
                 CEditorUser::Type(text, IDC_TEXT, "Hello");
                 CEditorUser::Click(text, IDOK);
                 ASSERT_TRUE(CEditorUser::AwaitGone(text));

                 CEditorUser::Click(slideEditor, IDC_INSERT_IMAGE);
                 HWND image = user.Await(IDC_IMAGE_FILE);
                 ASSERT_NE(nullptr, image);
                 CEditorUser::Type(image, IDC_IMAGE_FILE, picture);
                 CEditorUser::Type(image, IDC_POS_X, std::to_string(kPictureX));
                 CEditorUser::Type(image, IDC_POS_Y, std::to_string(kPictureY));
                 CEditorUser::Click(image, IDOK);
                 ASSERT_TRUE(CEditorUser::AwaitGone(image));

                 // The rectangle is drawn on the canvas with the mouse.
                 CEditorUser::Click(slideEditor, IDC_INSERT_RECTANGLE);
                 const int left = CSlideEditorDlg::CANVAS_LEFT;
                 const int top = CSlideEditorDlg::CANVAS_TOP;
                 PostMessageA(slideEditor, WM_LBUTTONDOWN, MK_LBUTTON, MAKELPARAM(left + 300, top + 250));
                 PostMessageA(slideEditor, WM_MOUSEMOVE, MK_LBUTTON, MAKELPARAM(left + 360, top + 300));
                 PostMessageA(slideEditor, WM_MOUSEMOVE, MK_LBUTTON, MAKELPARAM(left + 420, top + 330));
                 PostMessageA(slideEditor, WM_LBUTTONUP, 0, MAKELPARAM(left + 420, top + 330));
                 HWND rectangle = user.Await(IDC_RECT_WIDTH);
                 ASSERT_NE(nullptr, rectangle);
                 EXPECT_EQ("120", Text(GetDlgItem(rectangle, IDC_RECT_WIDTH)));
                 CEditorUser::Check(rectangle, IDC_RECT_MODE_FILL);
                 CEditorUser::Click(rectangle, IDOK);
                 ASSERT_TRUE(CEditorUser::AwaitGone(rectangle));
             });

    // Saved: the pack holds both slides, the pictures and the three objects.
    PostMessageA(frame, WM_COMMAND, ID_FILE_SAVE, 0);
    const std::string packPath = project + "\\VEXUL.VXL";
    CProjectPack pack;
    std::unique_ptr<CShowData> show = std::make_unique<CShowData>();
    ASSERT_TRUE(PumpUntil(
        [&]
        {
            pack.Clear();
            show = std::make_unique<CShowData>();
            return ReadPack(packPath, pack, *show) && !show->m_Slides[1].m_Background.m_strImageFile.IsEmpty();
        },
        60000));
    EXPECT_STREQ("first.bmp", show->m_Slides[0].m_Background.m_strImageFile);
    EXPECT_STREQ("second.bmp", show->m_Slides[1].m_Background.m_strImageFile);
    EXPECT_TRUE(show->m_Slides[2].m_Background.m_strImageFile.IsEmpty());
    EXPECT_GE(pack.FindEntry("first.bmp"), 0);
    EXPECT_GE(pack.FindEntry("second.bmp"), 0);
    EXPECT_GE(pack.FindEntry("logo.bmp"), 0);
    const CSlideObjSlot* text = FindObject(show->m_Slides[1], CSlideObjSlot::KIND_TEXT);
    const CSlideObjSlot* image = FindObject(show->m_Slides[1], CSlideObjSlot::KIND_IMAGE);
    const CSlideObjSlot* rectangle = FindObject(show->m_Slides[1], CSlideObjSlot::KIND_RECTANGLE);
    ASSERT_NE(nullptr, text);
    ASSERT_NE(nullptr, image);
    ASSERT_NE(nullptr, rectangle);
    EXPECT_STREQ("Hello", text->m_Text.m_strText);
    EXPECT_EQ(kPictureX, image->m_Image.m_nX);
    EXPECT_EQ(kPictureY, image->m_Image.m_nY);
    EXPECT_EQ(CFrameObj::FILL_SOLID, rectangle->m_Frame.m_nFillMode);
    EXPECT_EQ(120, rectangle->m_Frame.m_nWidth);
    EXPECT_EQ(80, rectangle->m_Frame.m_nHeight);
    EXPECT_EQ(nullptr, FindObject(show->m_Slides[0], CSlideObjSlot::KIND_TEXT));
    EXPECT_EQ(CProjectSettings::EXIT_BY_USER, show->m_nAutoExit);

    // A test run at slide 2: the player shows its colour, the picture at its place and the rectangle's fill.
    CPoint cell = CPoint(CVexulCreatorView::CELL_MARGIN + CVexulCreatorView::CELL_STEP_X + 20,
                         CVexulCreatorView::CELL_MARGIN + 20);
    PostMessageA(view, WM_LBUTTONDOWN, MK_LBUTTON, MAKELPARAM(cell.x, cell.y));
    PostMessageA(view, WM_LBUTTONUP, 0, MAKELPARAM(cell.x, cell.y));
    PostMessageA(frame, WM_COMMAND, ID_SLIDE_TEST_SELECTED, 0);
    HWND player = nullptr;
    ASSERT_TRUE(PumpUntil([&] { return (player = FindPlayerWindow(editor.Id())) != nullptr; }, 60000));
    const CFrameObj& fill = rectangle->m_Frame;
    // (The text lies in the slide's top left corner: the slide's own colour is taken further down.)
    EXPECT_TRUE(ShowsAll(player, {{600, 420, kSlide2},
                                  {kPictureX + kPictureWidth / 2, kPictureY + kPictureHeight / 2, kPicture},
                                  {fill.m_nX + fill.m_nWidth / 2, fill.m_nY + fill.m_nHeight / 2, fill.m_crFill}}))
        << "slide colour " << std::hex << SlidePixel(player, 600, 420) << ", picture "
        << SlidePixel(player, kPictureX + kPictureWidth / 2, kPictureY + kPictureHeight / 2) << ", rectangle "
        << SlidePixel(player, fill.m_nX + fill.m_nWidth / 2, fill.m_nY + fill.m_nHeight / 2);
    ASSERT_TRUE(ClosePlayer(player));

    // Compiled: the project's player carries the pack.
    PostMessageA(frame, WM_COMMAND, ID_COMPILE_PROJECT, 0);
    HWND compile = user.Await(IDC_COMPILE_COMPILE);
    ASSERT_NE(nullptr, compile);
    CEditorUser::Click(compile, IDC_COMPILE_COMPILE);
    std::string report = user.AnswerBox(IDOK);
    EXPECT_NE(std::string::npos, report.find("successful")) << report;
    CEditorUser::Click(compile, IDCANCEL);
    ASSERT_TRUE(CEditorUser::AwaitGone(compile));
    const Bytes packBytes = ReadFileBytes(packPath);
    ASSERT_FALSE(packBytes.empty());
    EXPECT_EQ(packBytes, ReadResource(project + "\\VEXUL.EXE", "PROJECTFILE", "FILE_1"));

    // The compiled program, alone in a folder, plays the show from its first slide.
    CTempFolder alone("vxe2ealone");
    ASSERT_TRUE(CopyFileA((project + "\\VEXUL.EXE").c_str(), (alone / "Show.exe").c_str(), FALSE));
    {
        CTestProcess show1(alone / "Show.exe", "", alone.Path(), kSlideWindowId);
        ASSERT_TRUE(show1.Started());
        HWND played = nullptr;
        ASSERT_TRUE(
            PumpUntil([&] { return (played = show1.FindWindowWithChild(kSlideWindowId)) != nullptr; }, 60000));
        EXPECT_TRUE(ShowsAll(played, {{600, 420, kSlide1}})) << std::hex << SlidePixel(played, 600, 420);
    }

    // A new title after the compile: the test run plays the project as it is now, not the compiled pack (the
    // user is reminded that the compiled program still plays its own).
    PostMessageA(frame, WM_COMMAND, ID_PROJECT_SETTINGS, 0);
    HWND settings = user.Await(IDOK);
    ASSERT_NE(nullptr, settings);
    HWND windowPage = reinterpret_cast<HWND>(SendMessageA(settings, PSM_GETCURRENTPAGEHWND, 0, 0));
    ASSERT_NE(nullptr, GetDlgItem(windowPage, IDC_WP_TITLE));
    CEditorUser::Type(windowPage, IDC_WP_TITLE, "Changed Title");
    PostMessageA(settings, PSM_PRESSBUTTON, PSBTN_OK, 0);
    ASSERT_TRUE(CEditorUser::AwaitGone(settings));
    auto testShow = [&](const std::string& title, bool compiled)
    {
        PostMessageA(frame, WM_COMMAND, ID_POPUP_TEST_SHOW, 0);
        if (compiled)
        {
            EXPECT_NE(std::string::npos, user.AnswerBox(IDOK).find("keeps playing its old show"));
        }
        HWND played = nullptr;
        ASSERT_TRUE(PumpUntil([&] { return (played = FindPlayerWindow(editor.Id())) != nullptr; }, 60000));
        EXPECT_TRUE(PumpUntil([&] { return Text(played) == title; }, 60000)) << Text(played);
        ASSERT_TRUE(ClosePlayer(played));
    };
    testShow("Changed Title", true);
    // Run by itself, the compiled program still plays its own pack, not the pack file beside it.
    {
        CTestProcess own(project + "\\VEXUL.EXE", "", project, kSlideWindowId);
        ASSERT_TRUE(own.Started());
        HWND played = nullptr;
        ASSERT_TRUE(
            PumpUntil([&] { return (played = own.FindWindowWithChild(kSlideWindowId)) != nullptr; }, 60000));
        EXPECT_TRUE(PumpUntil([&] { return Text(played) == "Vexul"; }, 60000)) << Text(played);
    }

    // Saved as a project of its own in a new folder: tested and compiled there.
    const std::string moved = work / "Show2";
    ASSERT_TRUE(CreateDirectoryA(moved.c_str(), nullptr));
    // Save As chooses the folder; a path too long for a folder is refused with a message, not a crash.
    PostMessageA(frame, WM_COMMAND, ID_FILE_SAVE_AS, 0);
    HWND saveAs = user.Await(IDC_CREATE_FOLDER);
    ASSERT_NE(nullptr, saveAs);
    CEditorUser::Type(saveAs, IDC_FOLDER_PATH, moved + "\\" + std::string(297 - moved.size() - 1, 'x'));
    CEditorUser::Click(saveAs, IDOK);
    EXPECT_NE(std::string::npos, user.AnswerBox(IDOK).find("240"));
    CEditorUser::Type(saveAs, IDC_FOLDER_PATH, moved);
    CEditorUser::Click(saveAs, IDOK);
    ASSERT_TRUE(CEditorUser::AwaitGone(saveAs));
    // The pack first, then the plain player beside it.
    EXPECT_TRUE(PumpUntil(
        [&]
        {
            return !ReadFileBytes(moved + "\\VEXUL.VXL").empty() &&
                   ReadFileBytes(moved + "\\VEXUL.EXE") == ReadFileBytes(PlainPlayerPath());
        },
        60000));
    testShow("Changed Title", false);
    PostMessageA(frame, WM_COMMAND, ID_COMPILE_PROJECT, 0);
    compile = user.Await(IDC_COMPILE_COMPILE);
    ASSERT_NE(nullptr, compile);
    EXPECT_EQ(moved + "\\VEXUL.EXE", Text(GetDlgItem(compile, IDC_COMPILE_PLAYER)));
    CEditorUser::Click(compile, IDC_COMPILE_COMPILE);
    report = user.AnswerBox(IDOK);
    EXPECT_NE(std::string::npos, report.find("successful")) << report;
    CEditorUser::Click(compile, IDCANCEL);
    ASSERT_TRUE(CEditorUser::AwaitGone(compile));
    EXPECT_EQ(ReadFileBytes(moved + "\\VEXUL.VXL"), ReadResource(moved + "\\VEXUL.EXE", "PROJECTFILE", "FILE_1"));

    // Nothing is unsaved: the editor closes without a question.
    PostMessageA(frame, WM_CLOSE, 0, 0);
    bool asked = false;
    EXPECT_TRUE(PumpUntil(
        [&]
        {
            asked = asked || editor.FindWindowWithChild(kMessageTextId) != nullptr;
            return editor.Ended() || asked;
        },
        60000));
    EXPECT_FALSE(asked) << user.AnswerBox(IDCANCEL);
}

TEST_F(EditorEndToEnd, AFileThatCannotBeOpenedFromTheCommandLineLeavesTheEditorRunningWithoutAProject)
{
    CTempFolder work("vxe2ecmd");
    const std::string notAShow = work / "notes.vxl";
    ASSERT_TRUE(WriteFileBytes(notAShow, Bytes(100, 'n')));
    // A folder of a long name: the system breaks a line at a backslash, not within a name.
    const std::string tooLong = work / std::string(278 - work.Path().size() - 11, 'm') + "\\VEXUL.VXL";
    ASSERT_EQ(278u, tooLong.size());
    const struct
    {
        std::string path;
        std::string told;
    } files[] = {{notAShow, "is not a Vexul project file"}, {tooLong, "could not be opened"}};
    for (const auto& file : files)
    {
        CTestProcess editor(AppFolder() + "\\VexulCreator.exe", "\"" + file.path + "\"", AppFolder());
        ASSERT_TRUE(editor.Started());
        CEditorUser user(editor);
        HWND box = user.Await(kMessageTextId);
        ASSERT_NE(nullptr, box) << file.path;
        const std::string text = Text(GetDlgItem(box, kMessageTextId));
        EXPECT_NE(std::string::npos, text.find(file.told)) << text;
        // The path is broken into lines: the box stays well inside the screen.
        CRect rect;
        GetWindowRect(box, &rect);
        EXPECT_LT(rect.Width(), 800) << text;
        PostMessageA(box, WM_COMMAND, IDOK, 0);
        ASSERT_TRUE(CEditorUser::AwaitGone(box));
        // The editor runs on without a project, as after a failed Open: its tip, then its window.
        HWND tip = user.Await(IDC_TIP_NEXT);
        ASSERT_NE(nullptr, tip) << file.path;
        CEditorUser::Click(tip, IDOK);
        ASSERT_TRUE(CEditorUser::AwaitGone(tip));
        HWND frame = user.Await(kViewId);
        ASSERT_NE(nullptr, frame);
        EXPECT_FALSE(editor.Ended());
        EXPECT_EQ(std::string::npos, Text(frame).find(work.Path())) << Text(frame);
        PostMessageA(frame, WM_CLOSE, 0, 0);
        EXPECT_TRUE(PumpUntil([&] { return editor.Ended(); }, 60000));
    }
}
