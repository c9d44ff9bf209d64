// The editor's document in the running program: new projects in used folders, saving through the safe path
// (and what a failed save stops), the pictures a save keeps, damaged packs, the project's player copy, packs
// changed by another editor, Save As into another folder, and what a save refuses.
#include "ProgramTestSupport.h"

#include "editor/FileHelpers.h"
#include "editor/ShowCompiler.h"
#include "show/ProjectPack.h"
#include "support/win_DialogDriver.h"
#include "support/win_ShellRecorder.h"
#include "support/win_TestProcess.h"

#include <thread>

using namespace editortest;

namespace
{

const COLORREF kRed = RGB(255, 0, 0);
const COLORREF kGreen = RGB(0, 255, 0);
const COLORREF kBlue = RGB(0, 0, 255);

// Changes a slide as the slide editor does: on a copy that then replaces it.
template <class Edit>
void EditSlide(CVexulCreatorDoc* doc, int slide, Edit edit)
{
    CSlide copy;
    copy.CopyFrom(doc->GetSlide(slide));
    edit(copy);
    doc->ReplaceSlide(slide, copy);
}

// Changes the project settings as the settings sheet does.
template <class Edit>
void EditSettings(CVexulCreatorDoc* doc, Edit edit)
{
    CProjectSettings settings;
    settings.CopyFrom(doc->GetSettings());
    edit(settings);
    doc->ApplySettings(settings, FALSE);
}

// The entry names of a pack file, upper-cased; empty when it cannot be read.
std::vector<std::string> PackEntries(const std::string& path, CProjectPack& pack)
{
    std::vector<std::string> names;
    CFile file;
    if (!file.Open(path.c_str(), CFile::modeRead | CFile::shareDenyNone))
        return names;
    CArchive ar(&file, CArchive::load);
    pack.Read(ar);
    for (int i = 0; i < pack.GetEntryCount(); i++)
    {
        CString name;
        pack.GetEntryName(i, name);
        name.MakeUpper();
        names.push_back(name.GetString());
    }
    return names;
}

bool Holds(const std::vector<std::string>& names, const std::string& name)
{
    return std::find(names.begin(), names.end(), name) != names.end();
}

// A copy of the plain player that carries a show, with the file version the compiler gives it.
void MakeCompiledPlayer(const std::string& path, const std::string& packPath)
{
    CShowCompiler compiler;
    compiler.SetPlainPlayerPath(PlainPlayerPath().c_str());
    ASSERT_TRUE(CopyFileA(PlainPlayerPath().c_str(), path.c_str(), FALSE));
    ASSERT_GT(compiler.WriteProjectResource(path.c_str(), packPath.c_str()), 0);
    ASSERT_TRUE(compiler.RewriteVersion(path.c_str(), {1, 0, 0, 0}, "", "", "", ""));
}

// Opens the pack, answering Yes when asked to update an older project; how often that was asked.
int OpenUpdating(const std::string& pack)
{
    CBoxScript boxes;
    boxes.Answer("older program version", IDYES);
    EXPECT_NE(nullptr, theApp.OpenDocumentFile(pack.c_str()));
    return boxes.Count("older program version");
}

// Writes the pack again with its show text changed: the first of each pair's first text becomes its second.
void RewriteShowText(const std::string& pack, const std::vector<std::pair<std::string, std::string>>& changes,
                     const char* version)
{
    CProjectPack current;
    PackEntries(pack, current);
    int size = 0;
    const BYTE* text = current.GetEntryData("VEXUL.INI", size);
    ASSERT_NE(nullptr, text);
    std::string showText(reinterpret_cast<const char*>(text), strnlen(reinterpret_cast<const char*>(text), size));
    for (const auto& change : changes)
    {
        size_t at = showText.find(change.first);
        ASSERT_NE(std::string::npos, at) << change.first;
        showText.replace(at, change.first.size(), change.second);
    }
    current.RemoveEntry("VEXUL.INI");
    ASSERT_TRUE(current.AddData("VEXUL.INI", showText.data(), static_cast<int>(showText.size())));
    CFile out;
    ASSERT_TRUE(out.Open(pack.c_str(), CFile::modeCreate | CFile::modeWrite));
    ASSERT_TRUE(current.WriteTo(out, version));
}

// Save As from the menu, the folder dialog answered with the folder; TRUE when the folder dialog came.
bool SaveAsInto(CMainFrame* frame, const std::string& folder)
{
    bool folderDialog = false;
    CDialogDriver driver({[&](HWND h)
                          {
                              folderDialog = GetDlgItem(h, IDC_FOLDER_TREE) != nullptr;
                              SetDlgItemTextA(h, IDC_FOLDER_PATH, folder.c_str());
                              SendDlgItemMessageA(h, IDC_FOLDER_PATH, EM_SETMODIFY, TRUE, 0);
                              CDialogDriver::Click(h, folderDialog ? IDOK : IDCANCEL);
                          }});
    frame->SendMessage(WM_COMMAND, ID_FILE_SAVE_AS);
    return folderDialog;
}

}   // namespace

TEST_F(EditorProgram, ANewProjectSavedAndOpenedAgainKeepsItsShowAndItsPictures)
{
    CTempFolder folder("vxdocnew");
    // A project made here before: its pack becomes a ".bak" beside the older one, which stays as it was.
    ASSERT_TRUE(WriteFileBytes(folder / "VEXUL.VXL", Bytes(100, 'p')));
    ASSERT_TRUE(WriteFileBytes(folder / "VEXUL.VXL.bak", Bytes(50, 'o')));
    ASSERT_TRUE(NewProject(folder.Path()));
    EXPECT_EQ(Bytes(50, 'o'), ReadFileBytes(folder / "VEXUL.VXL.bak"));
    EXPECT_EQ(Bytes(100, 'p'), ReadFileBytes(folder / "VEXUL.VXL_2.bak"));
    EXPECT_EQ(ReadFileBytes(PlainPlayerPath()), ReadFileBytes(folder / "VEXUL.EXE"));
    EXPECT_EQ(folder / "VEXUL.VXL", std::string(Doc()->GetTitle()));
    EXPECT_EQ(std::vector<int>{PROJECT_WIZARD_NEW}, s_wizardModes);

    ASSERT_TRUE(View()->SetSlideImage(0, WriteSlidePicture(folder.Path(), "first.bmp", kRed).c_str()));
    ASSERT_TRUE(View()->SetSlideImage(1, WriteSlidePicture(folder.Path(), "second.bmp", kGreen).c_str()));
    EXPECT_EQ(2, View()->GetSlideCount());
    // A picture object whose file name is longer than an entry name may be, and a text.
    const std::string longName = "abcdefghijklmnopqrstuvwxyz.bmp";
    WriteSlidePicture(folder.Path(), longName, kBlue, 20, 20);
    EditSlide(Doc(), 1, [&](CSlide& second)
              { second.GetSlot(0)->CreateImage(10, 10, longName.c_str(), 0, 100, FALSE, 0, 100, nullptr); });
    EditSlide(Doc(), 0,
              [](CSlide& first)
              {
                  first.GetSlot(0)->CreateText(20, 20, "Hello", "NONE", "Arial", 24, "BOLD", FALSE, FALSE, 0,
                                               RGB(255, 255, 255), 100);
              });
    Doc()->AddSlideImagesToPack(1);
    ASSERT_TRUE(Doc()->AddDataToPack("unused.bmp", "data", 4));
    EXPECT_TRUE(Doc()->IsModified());

    ASSERT_TRUE(Doc()->SaveProject());
    EXPECT_FALSE(Doc()->IsModified());
    CProjectPack saved;
    std::vector<std::string> entries = PackEntries(folder / "VEXUL.VXL", saved);
    EXPECT_TRUE(Holds(entries, "VEXUL.INI"));
    EXPECT_TRUE(Holds(entries, "FIRST.BMP"));
    EXPECT_TRUE(Holds(entries, "SECOND.BMP"));
    EXPECT_TRUE(Holds(entries, "ABCDEFGHIJKLMNOPQRST.BMP"));   // the long name's entry survives the save
    EXPECT_FALSE(Holds(entries, "UNUSED.BMP"));
    // The show text, read back through the show model.
    CShowData show;
    show.SetDefaults();
    int size = 0;
    const BYTE* text = saved.GetEntryData("VEXUL.INI", size);
    ASSERT_NE(nullptr, text);
    ASSERT_TRUE(show.ReadShowText("VEXUL.INI", text, size));
    EXPECT_EQ(2, show.CountShowSlides());
    EXPECT_STREQ("Test Show", show.m_strTitle);
    EXPECT_STREQ("first.bmp", show.m_Slides[0].m_Background.m_strImageFile);
    EXPECT_STREQ(longName.c_str(), show.m_Slides[1].GetSlot(0)->m_Image.m_strFile);
    EXPECT_STREQ(theApp.m_strVersion, show.m_strShowVersion);

    // Another project, then this one again.
    CTempFolder other("vxdocother");
    ASSERT_TRUE(NewProject(other.Path()));
    EXPECT_EQ(0, View()->GetSlideCount());
    ASSERT_NE(nullptr, theApp.OpenDocumentFile((folder / "VEXUL.VXL").c_str()));
    EXPECT_TRUE(Doc()->IsProjectOpen());
    EXPECT_FALSE(Doc()->IsModified());
    EXPECT_STREQ("Test Show", Doc()->GetShow().m_strTitle);
    EXPECT_STREQ(longName.c_str(), Doc()->GetShow().m_Slides[1].GetSlot(0)->m_Image.m_strFile);
    EXPECT_STREQ(folder.Path().c_str(), Doc()->GetProjectFolder());
    ASSERT_TRUE(WaitForThumbnails());
    EXPECT_EQ(2, View()->GetSlideCount());
    EXPECT_EQ(kRed, BitmapCentre(View()->GetCellBitmap(0)));
    EXPECT_EQ(kGreen, BitmapCentre(View()->GetCellBitmap(1)));
    EXPECT_EQ(nullptr, View()->GetCellBitmap(2));

    // Saved again unchanged, the pack keeps the same pictures.
    Doc()->SetModifiedFlag();
    ASSERT_TRUE(Doc()->SaveProject());
    CProjectPack again;
    entries = PackEntries(folder / "VEXUL.VXL", again);
    EXPECT_TRUE(Holds(entries, "ABCDEFGHIJKLMNOPQRST.BMP"));
    EXPECT_TRUE(Holds(entries, "SECOND.BMP"));
}

TEST_F(EditorProgram, AFailedSaveLeavesTheOldPackAndStopsTheTestRunAndTheClose)
{
    CTempFolder folder("vxdocfail");
    std::string pack = MakeSavedProject(folder.Path(), {kRed});
    Bytes before = ReadFileBytes(pack);
    ASSERT_FALSE(before.empty());
    ASSERT_TRUE(View()->SetSlideImage(1, WriteSlidePicture(folder.Path(), "more.bmp", kGreen).c_str()));

    // Another program holds the pack open: it cannot be replaced.
    HANDLE lock = CreateFileA(pack.c_str(), GENERIC_READ, 0, nullptr, OPEN_EXISTING, 0, nullptr);
    ASSERT_NE(INVALID_HANDLE_VALUE, lock);
    {
        CBoxScript boxes;
        boxes.Answer("Save changes in VEXUL.VXL ?", IDYES);
        EXPECT_FALSE(Doc()->SaveProject());
        EXPECT_EQ(1, boxes.Count("could not be saved"));
        EXPECT_TRUE(Doc()->IsModified());

        // The test run needs the saved pack: no player starts.
        CShellRecorder shell;
        Command(ID_POPUP_TEST_SHOW);
        EXPECT_TRUE(shell.Calls().empty());
        EXPECT_EQ(2, boxes.Count("could not be saved"));

        // Closing: Yes saves, the save fails, the window stays.
        Frame()->SendMessage(WM_CLOSE);
        ASSERT_NE(nullptr, Frame());
        EXPECT_TRUE(IsWindow(Frame()->m_hWnd));
        EXPECT_EQ(1, boxes.Count("Save changes in VEXUL.VXL ?"));
        EXPECT_EQ(3, boxes.Count("could not be saved"));
    }
    CloseHandle(lock);
    EXPECT_EQ(before, ReadFileBytes(pack));
    // No temporary file was left beside it.
    WIN32_FIND_DATAA found;
    HANDLE search = FindFirstFileA((folder / "*.tmp").c_str(), &found);
    EXPECT_EQ(INVALID_HANDLE_VALUE, search);
    if (search != INVALID_HANDLE_VALUE)
        FindClose(search);

    // Cancel keeps the window too; then Yes saves and the window goes.
    CBoxScript boxes;
    boxes.Answer("Save changes", IDCANCEL);
    Frame()->SendMessage(WM_CLOSE);
    ASSERT_NE(nullptr, Frame());
    CBoxScript yes;
    yes.Answer("Save changes", IDYES);
    HWND frame = Frame()->m_hWnd;
    Frame()->SendMessage(WM_CLOSE);
    EXPECT_FALSE(IsWindow(frame));
    CProjectPack written;
    EXPECT_TRUE(Holds(PackEntries(pack, written), "MORE.BMP"));
}

TEST_F(EditorProgram, PicturesOfDeletedSlidesGoOnlyWhenNothingShowsThemAnyMore)
{
    CTempFolder folder("vxdocdelete");
    ASSERT_TRUE(NewProject(folder.Path()));
    ASSERT_TRUE(View()->SetSlideImage(0, WriteSlidePicture(folder.Path(), "a.bmp", kRed).c_str()));
    ASSERT_TRUE(View()->SetSlideImage(1, WriteSlidePicture(folder.Path(), "b.bmp", kGreen).c_str()));
    ASSERT_TRUE(View()->SetSlideImage(2, WriteSlidePicture(folder.Path(), "c.bmp", kBlue).c_str()));
    // Slide 2 shows a.bmp under a name in other case.
    Doc()->SetSlideImageFile(2, "A.BMP");
    ASSERT_TRUE(Doc()->SaveProject());

    CBoxScript boxes;
    boxes.Answer("Delete sheet no.", IDYES);
    // The copy of slide 1 (b.bmp) keeps its picture while it can still be pasted.
    View()->SendMessage(
        WM_LBUTTONUP, 0,
        MAKELPARAM(View()->GetCellRect(1).CenterPoint().x, View()->GetCellRect(1).CenterPoint().y));
    ASSERT_EQ(1, View()->GetSelection());
    Command(ID_SLIDE_COPY);
    Command(ID_SLIDE_DELETE);
    EXPECT_EQ(1, boxes.Count("Delete sheet no.: 2 ?"));
    EXPECT_TRUE(Doc()->IsModified());
    EXPECT_EQ(2, View()->GetSlideCount());
    // Slide 0 (a.bmp) goes too; A.BMP still shows it.
    View()->SendMessage(
        WM_LBUTTONUP, 0,
        MAKELPARAM(View()->GetCellRect(0).CenterPoint().x, View()->GetCellRect(0).CenterPoint().y));
    Command(ID_SLIDE_DELETE);
    EXPECT_EQ(1, View()->GetSlideCount());
    EXPECT_STREQ("A.BMP", Doc()->GetShow().m_Slides[0].m_Background.m_strImageFile);
    ASSERT_TRUE(Doc()->SaveProject());
    CProjectPack saved;
    std::vector<std::string> entries = PackEntries(folder / "VEXUL.VXL", saved);
    EXPECT_TRUE(Holds(entries, "A.BMP"));
    EXPECT_TRUE(Holds(entries, "B.BMP"));
    EXPECT_FALSE(Holds(entries, "C.BMP"));

    // Pasted, the copy shows its picture.
    Command(ID_SLIDE_PASTE);
    ASSERT_EQ(2, View()->GetSlideCount());
    EXPECT_EQ(kGreen, BitmapCentre(View()->GetCellBitmap(1)));
    // Another project empties the copy buffer: its pictures are not in the new pack.
    CTempFolder other("vxdocdelother");
    ASSERT_TRUE(NewProject(other.Path()));
    EXPECT_FALSE(Doc()->HasCopiedSlide());
}

TEST_F(EditorProgram, ADamagedPackOpensWithWhatCouldBeReadAndIsKeptBeforeTheFirstSave)
{
    CTempFolder folder("vxdocdamaged");
    std::string pack = MakeSavedProject(folder.Path(), {kRed, kGreen, kBlue});
    // The show text first, the pictures after it; the last picture cut short.
    CProjectPack whole;
    PackEntries(pack, whole);
    CProjectPack reordered;
    int size = 0;
    const BYTE* text = whole.GetEntryData("VEXUL.INI", size);
    ASSERT_TRUE(reordered.AddData("VEXUL.INI", text, size));
    for (const char* name : {"slide0.bmp", "slide1.bmp", "slide2.bmp"})
    {
        const BYTE* data = whole.GetEntryData(name, size);
        ASSERT_TRUE(reordered.AddData(name, data, size));
    }
    CFile out;
    ASSERT_TRUE(out.Open(pack.c_str(), CFile::modeCreate | CFile::modeWrite));
    ASSERT_TRUE(reordered.WriteTo(out, "020000"));
    out.Close();
    Bytes damaged = ReadFileBytes(pack);
    damaged.resize(damaged.size() - 1000);
    ASSERT_TRUE(WriteFileBytes(pack, damaged));

    CTempFolder other("vxdocdamother");
    ASSERT_TRUE(NewProject(other.Path()));
    CBoxScript boxes;
    ASSERT_NE(nullptr, theApp.OpenDocumentFile(pack.c_str()));
    EXPECT_EQ(1, boxes.Count("is damaged"));
    EXPECT_TRUE(Doc()->IsProjectOpen());
    EXPECT_EQ(3, Doc()->GetShow().CountShowSlides());

    // The first save over it asks; No leaves the file as it is.
    boxes.Answer("Save the project now ?", IDNO);
    Doc()->SetModifiedFlag();
    EXPECT_FALSE(Doc()->SaveProject());
    EXPECT_EQ(damaged, ReadFileBytes(pack));
    EXPECT_FALSE(FileExists((pack + ".bak").c_str()));
    // Yes keeps the damaged file under a name of its own (an older ".bak" stays) and writes what was read.
    ASSERT_TRUE(WriteFileBytes(pack + ".bak", Bytes(20, 'b')));
    CBoxScript yes;
    yes.Answer("Save the project now ?", IDYES);
    EXPECT_TRUE(Doc()->SaveProject());
    EXPECT_EQ(1, yes.Count("is kept as \"VEXUL.VXL_2.bak\""));
    EXPECT_EQ(damaged, ReadFileBytes(folder / "VEXUL.VXL_2.bak"));
    EXPECT_EQ(Bytes(20, 'b'), ReadFileBytes(pack + ".bak"));
    {
        CFile file;
        ASSERT_TRUE(file.Open(pack.c_str(), CFile::modeRead | CFile::shareDenyNone));
        CArchive ar(&file, CArchive::load);
        CProjectPack rewritten;
        EXPECT_TRUE(rewritten.Read(ar));
    }
    // Later saves ask nothing.
    Doc()->SetModifiedFlag();
    EXPECT_TRUE(Doc()->SaveProject());
    EXPECT_EQ(1, yes.Count("Save the project now ?"));

    // A file that holds no show opens nothing, and says so; the open project stays as it was, its unsaved
    // changes (not saved when asked) still marked.
    ASSERT_TRUE(WriteFileBytes(folder / "junk.vxl", Bytes(3000, 'j')));
    EditSettings(Doc(), [](CProjectSettings& settings) { settings.m_strTitle = "Unsaved"; });
    CBoxScript junk;
    junk.Answer("Save changes in VEXUL.VXL ?", IDNO);
    EXPECT_EQ(nullptr, theApp.OpenDocumentFile((folder / "junk.vxl").c_str()));
    EXPECT_EQ(1, junk.Count("is not a Vexul project file"));
    EXPECT_TRUE(Doc()->IsProjectOpen());
    EXPECT_TRUE(Doc()->IsModified());
    EXPECT_STREQ(pack.c_str(), Doc()->GetPathName());
    EXPECT_STREQ("Unsaved", Doc()->GetShow().m_strTitle);
    EXPECT_EQ(3, View()->GetSlideCount());
    EXPECT_GE(Doc()->GetPack().FindEntry("VEXUL.INI"), 0);

    // A window size no window can have is brought into the sizes a window may have, and the user is told.
    RewriteShowText(pack, {{"WIDTH=640", "WIDTH=99999999"}, {"HEIGHT=480", "HEIGHT=-5"}}, "020000");
    ASSERT_TRUE(NewProject(other.Path()));
    CBoxScript sizeBoxes;
    ASSERT_NE(nullptr, theApp.OpenDocumentFile(pack.c_str()));
    EXPECT_EQ(30, Doc()->GetShow().m_nWindowHeight);
    EXPECT_EQ(1, sizeBoxes.Count("a size of 99999999 x -5 pixels"));
    EXPECT_EQ(1, sizeBoxes.Count("a window of 640 x 30 pixels"));
}

TEST_F(EditorProgram, ANewProjectLeavesACompiledShowAndAPackThatCannotMoveAside)
{
    CTempFolder first("vxdocfirst");
    std::string firstPack = MakeSavedProject(first.Path(), {kRed});

    // A folder with a compiled show: replaced only on Yes.
    CTempFolder compiled("vxdoccompiled");
    MakeCompiledPlayer(compiled / "VEXUL.EXE", firstPack);
    Bytes show = ReadFileBytes(compiled / "VEXUL.EXE");
    {
        CBoxScript boxes;
        boxes.Answer("holds a compiled show", IDNO);
        ASSERT_TRUE(NewProject(compiled.Path()));
        EXPECT_EQ(1, boxes.Count("holds a compiled show"));
        EXPECT_EQ(show, ReadFileBytes(compiled / "VEXUL.EXE"));
    }
    {
        CBoxScript boxes;
        boxes.Answer("holds a compiled show", IDYES);
        ASSERT_TRUE(NewProject(compiled.Path()));
        EXPECT_EQ(ReadFileBytes(PlainPlayerPath()), ReadFileBytes(compiled / "VEXUL.EXE"));
    }

    // A player that cannot be copied in (a folder holds its name): the message says which step failed on which
    // file, and the system's reason.
    CTempFolder blocked("vxdocblocked");
    const std::string blockedPlayer = blocked / "VEXUL.EXE";
    ASSERT_TRUE(CreateDirectoryA(blockedPlayer.c_str(), nullptr));
    {
        CBoxScript boxes;
        boxes.Answer("Save changes in VEXUL.VXL ?", IDNO);
        ASSERT_TRUE(NewProject(blocked.Path()));
        ASSERT_EQ(1, boxes.Count("The player could not be copied"));
        const std::string text = boxes.Texts().back();
        const std::string step = "\n\nThe file \"" + blockedPlayer + "\" cannot be ";
        EXPECT_EQ(0u, text.find("The player could not be copied into the project folder as \"" + blockedPlayer));
        ASSERT_NE(std::string::npos, text.find(step)) << text;
        EXPECT_NE(std::string::npos, text.find('\n', text.find(step) + step.size())) << "no reason: " << text;
    }
    RemoveDirectoryA(blockedPlayer.c_str());

    // Back in the first project: a new one whose folder's pack cannot be moved aside is not made.
    ASSERT_NE(nullptr, theApp.OpenDocumentFile(firstPack.c_str()));
    CTempFolder busy("vxdocbusy");
    ASSERT_TRUE(WriteFileBytes(busy / "VEXUL.VXL", Bytes(10, 'x')));
    HANDLE lock = CreateFileA((busy / "VEXUL.VXL").c_str(), GENERIC_READ, FILE_SHARE_READ, nullptr, OPEN_EXISTING,
                              0, nullptr);
    ASSERT_NE(INVALID_HANDLE_VALUE, lock);
    CBoxScript boxes;
    EXPECT_FALSE(NewProject(busy.Path()));
    CloseHandle(lock);
    EXPECT_EQ(1, boxes.Count("could not be renamed"));
    EXPECT_FALSE(FileExists((busy / "VEXUL.EXE").c_str()));
    EXPECT_STREQ(firstPack.c_str(), Doc()->GetPathName());
    EXPECT_STREQ(firstPack.c_str(), Doc()->GetTitle());
    EXPECT_EQ(1, View()->GetSlideCount());

    // A cancelled wizard keeps the project too, with its unsaved changes (not saved when asked) still marked:
    // the close asks about them.
    Doc()->SetModifiedFlag();
    s_wizardAccepts = false;
    boxes.Answer("Save changes in VEXUL.VXL ?", IDNO);
    theApp.OnFileNew();
    EXPECT_EQ(1, boxes.Count("Save changes in VEXUL.VXL ?"));
    EXPECT_STREQ(firstPack.c_str(), Doc()->GetPathName());
    EXPECT_TRUE(Doc()->IsProjectOpen());
    EXPECT_TRUE(Doc()->IsModified());
    boxes.Answer("Save changes in VEXUL.VXL ?", IDCANCEL);
    Frame()->SendMessage(WM_CLOSE);
    EXPECT_EQ(2, boxes.Count("Save changes in VEXUL.VXL ?"));
}

TEST_F(EditorProgram, OpeningAProjectOffersANewPlayerOnlyForAnOlderOne)
{
    CTempFolder folder("vxdocplayer");
    std::string pack = MakeSavedProject(folder.Path(), {kRed});
    std::string player = folder / "VEXUL.EXE";
    CTempFolder other("vxdocplayerother");

    // A compiled copy (file version 1.0.0.0) is the same player: nothing is offered. While it carries the
    // project as it is nothing is said; once the project differs, the user learns that the compiled program
    // keeps its old show (before each test run, and when the project is opened).
    MakeCompiledPlayer(player, pack);
    ASSERT_TRUE(NewProject(other.Path()));
    {
        const char told[] = "keeps playing its old show until the project is compiled again";
        CBoxScript boxes;
        ASSERT_NE(nullptr, theApp.OpenDocumentFile(pack.c_str()));
        EXPECT_TRUE(Doc()->IsPlayerCompiled(TRUE));
        EXPECT_EQ(0, boxes.Count("compiled"));
        ASSERT_TRUE(View()->SetSlideImage(1, WriteSlidePicture(folder.Path(), "b.bmp", kGreen).c_str()));
        ASSERT_TRUE(Doc()->SaveProject());
        EXPECT_TRUE(Doc()->IsPlayerCompiled(TRUE));
        EXPECT_EQ(1, boxes.Count(told));
        ASSERT_TRUE(NewProject(other.Path()));
        ASSERT_NE(nullptr, theApp.OpenDocumentFile(pack.c_str()));
        EXPECT_EQ(2, boxes.Count(told));
        EXPECT_EQ(0, boxes.Count("older program version"));
    }

    // A copy without a version is older: on Yes it is kept under its version's name and replaced.
    ASSERT_TRUE(WriteFileBytes(player, Bytes(700, 'v')));
    ASSERT_TRUE(NewProject(other.Path()));
    EXPECT_EQ(1, OpenUpdating(pack));
    EXPECT_EQ(Bytes(700, 'v'), ReadFileBytes(folder / "VEXUL_.exe"));
    EXPECT_EQ(ReadFileBytes(PlainPlayerPath()), ReadFileBytes(player));

    // A copy that cannot be moved aside stays; no new player replaces it.
    ASSERT_TRUE(WriteFileBytes(player, Bytes(700, 'w')));
    HANDLE lock = CreateFileA(player.c_str(), GENERIC_READ, FILE_SHARE_READ | FILE_SHARE_WRITE, nullptr,
                              OPEN_EXISTING, 0, nullptr);
    ASSERT_NE(INVALID_HANDLE_VALUE, lock);
    ASSERT_TRUE(NewProject(other.Path()));
    {
        CBoxScript boxes;
        boxes.Answer("older program version", IDYES);
        ASSERT_NE(nullptr, theApp.OpenDocumentFile(pack.c_str()));
        EXPECT_EQ(1, boxes.Count("could not be renamed"));
    }
    CloseHandle(lock);
    EXPECT_EQ(Bytes(700, 'w'), ReadFileBytes(player));

    // Without the editor's own player a project gets none: the user is told so, with the missing file.
    CTempFolder bare("vxdocnoplayer");
    theApp.m_strAppFolder = bare.Path().c_str();
    ASSERT_TRUE(DeleteFileA(player.c_str()));
    CBoxScript boxes;
    ASSERT_TRUE(NewProject(other.Path()));
    ASSERT_NE(nullptr, theApp.OpenDocumentFile(pack.c_str()));
    EXPECT_EQ(2, boxes.Count("\"" + (bare / "Vexul.exe") + "\" is missing")) << boxes.Texts().back();
    EXPECT_FALSE(FileExists(player.c_str()));
}

TEST_F(EditorProgram, ASaveAsksBeforeReplacingAPackAnotherEditorWroteAndClearsKilledSaves)
{
    CTempFolder folder("vxdoctwo");
    std::string pack = MakeSavedProject(folder.Path(), {kRed});
    // Saved again by this editor: nothing to ask.
    Doc()->SetModifiedFlag();
    {
        CBoxScript boxes;
        ASSERT_TRUE(Doc()->SaveProject());
        EXPECT_TRUE(boxes.Texts().empty());
    }

    // Another editor, opened before, saved a slide more since.
    Bytes theirs = ReadFileBytes(pack);
    theirs.resize(theirs.size() + 16, 0);
    ASSERT_TRUE(WriteFileBytes(pack, theirs));
    {
        CBoxScript boxes;
        boxes.Answer("was changed on disk", IDNO);
        CShellRecorder shell;
        Command(ID_POPUP_TEST_SHOW);   // the test run saves first: declined, no player starts
        EXPECT_TRUE(shell.Calls().empty());
        EXPECT_FALSE(Doc()->SaveProject());
        EXPECT_EQ(2, boxes.Count("was changed on disk"));
        EXPECT_TRUE(Doc()->IsModified());
        EXPECT_EQ(theirs, ReadFileBytes(pack));
    }

    // Saves killed midway left their temporary files; one is still being written by another editor, and the
    // user keeps a file of that look too.
    ASSERT_TRUE(WriteFileBytes(folder / "vx1A2B.tmp", Bytes(5000, 'k')));
    ASSERT_TRUE(WriteFileBytes(folder / "vxBEEF.tmp", Bytes(10, 'w')));
    ASSERT_TRUE(WriteFileBytes(folder / "vxnotes.tmp", Bytes(10, 'n')));
    HANDLE writing = CreateFileA((folder / "vxBEEF.tmp").c_str(), GENERIC_WRITE, 0, nullptr, OPEN_EXISTING, 0,
                                 nullptr);
    ASSERT_NE(INVALID_HANDLE_VALUE, writing);
    {
        CBoxScript boxes;
        boxes.Answer("was changed on disk", IDYES);
        EXPECT_TRUE(Doc()->SaveProject());
        EXPECT_FALSE(Doc()->IsModified());
    }
    CloseHandle(writing);
    EXPECT_NE(theirs, ReadFileBytes(pack));
    EXPECT_FALSE(FileExists((folder / "vx1A2B.tmp").c_str()));
    EXPECT_TRUE(FileExists((folder / "vxBEEF.tmp").c_str()));
    EXPECT_TRUE(FileExists((folder / "vxnotes.tmp").c_str()));
    // Opening the project clears the one that is no longer written.
    CTempFolder other("vxdoctwoother");
    ASSERT_TRUE(NewProject(other.Path()));
    ASSERT_NE(nullptr, theApp.OpenDocumentFile(pack.c_str()));
    EXPECT_FALSE(FileExists((folder / "vxBEEF.tmp").c_str()));
    EXPECT_TRUE(FileExists((folder / "vxnotes.tmp").c_str()));

    // Another editor is saving the pack right now: the save waits for it, then says so and saves on Retry
    // once the other is done. A lock file that a machine going down left holds nothing.
    const Bytes before = ReadFileBytes(pack);
    const DWORD wait = CSafeSaveFile::GetLockWait();
    CSafeSaveFile::SetLockWait(50);
    {
        CSaveLock theirs;
        ASSERT_TRUE(theirs.Acquire(pack.c_str(), 0));
        CBoxScript boxes;
        boxes.Answer("is being saved by another editor", IDCANCEL);
        Doc()->SetModifiedFlag();
        EXPECT_FALSE(Doc()->SaveProject());
        EXPECT_TRUE(Doc()->IsModified());
        EXPECT_EQ(before, ReadFileBytes(pack));
        EXPECT_EQ(1, boxes.Count("is being saved by another editor"));
        CBoxScript retry;
        retry.Answer("is being saved by another editor", IDRETRY);
        retry.m_onBox = [&](const std::string&) { theirs.Release(); };
        EXPECT_TRUE(Doc()->SaveProject());
        EXPECT_EQ(1, retry.Count("is being saved by another editor"));
    }
    CSafeSaveFile::SetLockWait(wait);
    ASSERT_TRUE(WriteFileBytes(pack + ".lock", Bytes(3, 'x')));
    Doc()->SetModifiedFlag();
    EXPECT_TRUE(Doc()->SaveProject());
    EXPECT_FALSE(FileExists((pack + ".lock").c_str()));
}

// Two editors on one pack save at nearly the same moment, 20 times, 0 to 35 ms apart, each first once: this
// document deletes a slide, the editor program beside it saves the pack as it opened it. The later save asks
// every time (answered No), and the pack holds what the earlier one saved.
TEST_F(EditorProgram, OfTwoEditorsSavingOnePackAtOnceTheLaterAlwaysAsks)
{
    ASSERT_TRUE(IsBuilt(AppFolder() + "\\VexulCreator.exe"));
    const int kSlides = 12, kMessageText = 0xFFFF, kView = 0xE900;
    CTempFolder work("vxdocrace");
    ASSERT_TRUE(CreateDirectoryA((work / "A").c_str(), nullptr) &&
                CreateDirectoryA((work / "B").c_str(), nullptr));
    std::vector<COLORREF> colours;
    for (int i = 0; i < kSlides; i++)
        colours.push_back(RGB(20 * i, 255 - 20 * i, 90));
    const std::string packs[2] = {MakeSavedProject(work / "A", colours), work / "B\\VEXUL.VXL"};
    const Bytes master = ReadFileBytes(packs[0]);
    ASSERT_TRUE(WriteFileBytes(packs[1], master));
    // The other editor starts on the first pack and has the second one in its recent files.
    const char kProfile[] = "Software\\QD-LM\\VexulCreator V2";
    RegDeleteTreeA(HKEY_CURRENT_USER, kProfile);
    HKEY recent = nullptr;
    ASSERT_EQ(ERROR_SUCCESS,
              RegCreateKeyA(HKEY_CURRENT_USER, (std::string(kProfile) + "\\Recent File List").c_str(), &recent));
    RegSetValueExA(recent, "File1", 0, REG_SZ, reinterpret_cast<const BYTE*>(packs[1].c_str()),
                   static_cast<DWORD>(packs[1].size() + 1));
    RegCloseKey(recent);
    CTestProcess other(AppFolder() + "\\VexulCreator.exe", "\"" + packs[0] + "\"", AppFolder());
    ASSERT_TRUE(other.Started());
    auto text = [](HWND hWnd)
    {
        char buffer[1024] = {};
        SendMessageA(hWnd, WM_GETTEXT, sizeof(buffer), reinterpret_cast<LPARAM>(buffer));
        return std::string(buffer);
    };
    auto upper = [](std::string s)
    {
        CharUpperA(&s[0]);
        return s;
    };
    HWND frame = nullptr;
    ASSERT_TRUE(PumpUntil(
        [&]
        {
            if (HWND tip = other.FindWindowWithChild(IDC_TIP_NEXT))
                PostMessageA(tip, WM_COMMAND, IDOK, 0);
            frame = other.FindWindowWithChild(kView);
            return (frame != nullptr && other.FindWindowWithChild(IDC_TIP_NEXT) == nullptr) || other.Ended();
        },
        60000));
    ASSERT_NE(nullptr, frame);

    for (int round = 0; round < 20; round++)
    {
        const std::string& pack = packs[round % 2];
        const int apart = round * 7 % 36, deleted = 1 + round % (kSlides - 1);
        const bool otherFirst = round % 4 < 2;
        SCOPED_TRACE("round " + std::to_string(round) + ", " + std::to_string(apart) + " ms apart, " +
                     (otherFirst ? "the other editor" : "this one") + " first");
        if (round > 0)
        {
            ASSERT_EQ(nullptr, other.FindWindowWithChild(kMessageText));
            ASSERT_TRUE(WriteFileBytes(pack, master));
            PostMessageA(frame, WM_COMMAND, ID_FILE_MRU_FILE1 + 1, 0);
        }
        ASSERT_NE(nullptr, theApp.OpenDocumentFile(pack.c_str()));
        ASSERT_TRUE(PumpUntil([&] { return upper(text(frame)).find(upper(pack)) != std::string::npos; }, 60000));
        Doc()->DeleteSlide(deleted);
        Doc()->SetModifiedFlag();

        CBoxScript boxes;
        boxes.Answer("was changed on disk", IDNO);
        std::thread poster(
            [&]
            {
                if (!otherFirst)
                    Sleep(apart);
                PostMessageA(frame, WM_COMMAND, ID_FILE_SAVE, 0);
            });
        if (otherFirst)
        {
            poster.join();
            Sleep(apart);
        }
        BOOL saved = Doc()->SaveProject();
        if (poster.joinable())
            poster.join();
        // When this save asked, the other one had replaced the pack already; else the other one must ask (a
        // pack replaced once more without a box is a save that went without a word).
        const CFileStamp written = GetFileStamp(pack.c_str());
        std::string question;
        if (saved)
            PumpUntil(
                [&]
                {
                    if (HWND box = other.FindWindowWithChild(kMessageText))
                        question = text(GetDlgItem(box, kMessageText));
                    return !question.empty() || GetFileStamp(pack.c_str()) != written;
                },
                60000);
        const bool otherAsked = question.find("was changed on disk") != std::string::npos;
        if (HWND box = other.FindWindowWithChild(kMessageText))
            PostMessageA(box, WM_COMMAND, otherAsked ? IDNO : IDOK, 0);
        ASSERT_TRUE(PumpUntil([&] { return other.FindWindowWithChild(kMessageText) == nullptr; }, 60000));

        EXPECT_TRUE(question.empty() || otherAsked) << question;
        EXPECT_EQ(1, boxes.Count("was changed on disk") + (otherAsked ? 1 : 0)) << "one save went without a word";
        EXPECT_EQ(!saved, boxes.Count("was changed on disk") == 1);
        CProjectPack read;
        EXPECT_EQ(!saved, Holds(PackEntries(pack, read), "SLIDE" + std::to_string(deleted) + ".BMP"));
    }
    PostMessageA(frame, WM_CLOSE, 0, 0);
    EXPECT_TRUE(PumpUntil([&] { return other.Ended(); }, 60000));
    RegDeleteTreeA(HKEY_CURRENT_USER, kProfile);
}

TEST_F(EditorProgram, SaveAsMakesAWholeProjectInTheNewFolderAndRefusesWhatCannotBeOne)
{
    CTempFolder folder("vxdocas");
    CTempFolder target("vxdocastarget");
    ASSERT_TRUE(NewProject(folder.Path()));
    ASSERT_TRUE(View()->SetSlideImage(0, WriteSlidePicture(folder.Path(), "a.bmp", kRed).c_str()));
    // The show's own files: a sound by its name in the folder, an icon by its full path inside it, an end
    // program in a subfolder.
    ASSERT_TRUE(CreateDirectoryA((folder / "tools").c_str(), nullptr));
    ASSERT_TRUE(WriteFileBytes(folder / "music.wav", Bytes(300, 's')));
    ASSERT_TRUE(WriteFileBytes(folder / "show.ico", Bytes(200, 'i')));
    ASSERT_TRUE(WriteFileBytes(folder / "tools\\run.exe", Bytes(100, 'r')));
    EditSettings(Doc(),
        [&](CProjectSettings& settings)
        {
            settings.m_nSoundOn = 1;
            settings.m_strSoundFile = "music.wav";
            settings.m_strIconFile = (folder / "show.ico").c_str();
            settings.m_nAutostartOn = 1;
            settings.m_strAutostartFile = "tools\\run.exe";
        });
    ASSERT_TRUE(Doc()->SaveProject());

    // Save As chooses a folder: the pack is always VEXUL.VXL, where the folder's player looks for it.
    const std::string moved = target / "VEXUL.VXL";
    ASSERT_TRUE(SaveAsInto(Frame(), target.Path()));
    EXPECT_STREQ(moved.c_str(), Doc()->GetPathName());
    EXPECT_STREQ(target.Path().c_str(), Doc()->GetProjectFolder());
    EXPECT_STREQ(target.Path().c_str(), Doc()->GetSettings().m_strFolder);
    EXPECT_STREQ(target.Path().c_str(), GetCurrentFolder());
    EXPECT_EQ(ReadFileBytes(PlainPlayerPath()), ReadFileBytes(target / "VEXUL.EXE"));
    EXPECT_EQ(Bytes(300, 's'), ReadFileBytes(target / "music.wav"));
    EXPECT_EQ(Bytes(200, 'i'), ReadFileBytes(target / "show.ico"));
    EXPECT_EQ(Bytes(100, 'r'), ReadFileBytes(target / "tools\\run.exe"));
    EXPECT_STREQ("show.ico", Doc()->GetSettings().m_strIconFile);
    EXPECT_STREQ("music.wav", Doc()->GetSettings().m_strSoundFile);
    CProjectPack saved;
    EXPECT_TRUE(Holds(PackEntries(moved, saved), "A.BMP"));

    // Another project's write-protected pack is replaced only when the user says so, and then not at all: it
    // stays protected, and the user learns why.
    CTempFolder lockedFolder("vxdocaslocked");
    const std::string locked = lockedFolder / "VEXUL.VXL";
    ASSERT_TRUE(WriteFileBytes(locked, Bytes(40, 'l')));
    ASSERT_TRUE(SetFileAttributesA(locked.c_str(), FILE_ATTRIBUTE_READONLY));
    {
        CBoxScript boxes;
        boxes.Answer("holds a project already", IDYES);
        Doc()->SetModifiedFlag();
        EXPECT_TRUE(SaveAsInto(Frame(), lockedFolder.Path()));
        EXPECT_EQ(1, boxes.Count("holds a project already"));
        EXPECT_EQ(1, boxes.Count("could not be saved: the file is write-protected."));
        EXPECT_TRUE(Doc()->IsModified());
        EXPECT_STREQ(moved.c_str(), Doc()->GetPathName());
    }
    EXPECT_EQ(Bytes(40, 'l'), ReadFileBytes(locked));
    EXPECT_TRUE(GetFileAttributesA(locked.c_str()) & FILE_ATTRIBUTE_READONLY);
    SetFileAttributesA(locked.c_str(), FILE_ATTRIBUTE_NORMAL);

    // Save over the project's own write-protected pack says so before Save As opens.
    ASSERT_TRUE(SetFileAttributesA(moved.c_str(), FILE_ATTRIBUTE_READONLY));
    {
        CBoxScript boxes;
        CDialogDriver cancel({[](HWND h) { CDialogDriver::Click(h, IDCANCEL); }});
        Command(ID_FILE_SAVE);
        EXPECT_EQ(1u, cancel.StepsRun());
        EXPECT_EQ(1, boxes.Count("is write-protected and cannot be saved there"));
    }
    SetFileAttributesA(moved.c_str(), FILE_ATTRIBUTE_NORMAL);

    // A path too long for the project's files is refused, for a new project and for Save As alike.
    const size_t folderLength = CVexulCreatorDoc::MAX_PACK_PATH + 1 - strlen("\\VEXUL.VXL");
    std::string deep = target.Path();
    while (folderLength - deep.size() > 41)
        deep += "\\" + std::string(30, 'd');
    deep += "\\" + std::string(folderLength - deep.size() - 1, 'e');
    for (size_t slash = deep.find('\\', target.Path().size() + 1); slash != std::string::npos;
         slash = deep.find('\\', slash + 1))
        CreateDirectoryA(deep.substr(0, slash).c_str(), nullptr);
    ASSERT_TRUE(CreateDirectoryA(deep.c_str(), nullptr)) << deep;
    ASSERT_EQ(CVexulCreatorDoc::MAX_PACK_PATH + 1, static_cast<int>((deep + "\\VEXUL.VXL").size()));
    CBoxScript boxes;
    EXPECT_FALSE(NewProject(deep));
    EXPECT_FALSE(Doc()->SaveProjectAs((deep + "\\VEXUL.VXL").c_str()));
    EXPECT_EQ(2, boxes.Count("is too long (248 characters)"));
    EXPECT_FALSE(FileExists((deep + "\\VEXUL.EXE").c_str()));
    EXPECT_FALSE(FileExists((deep + "\\VEXUL.VXL").c_str()));
    EXPECT_STREQ(moved.c_str(), Doc()->GetPathName());

    // The project's folder went away: the save says so, and claims no file on disk.
    CTempFolder gone("vxdocasgone");
    ASSERT_TRUE(SaveAsInto(Frame(), gone.Path()));
    SetCurrentDirectoryA(TempFolderPath().c_str());
    RemoveFolder(gone.Path());
    CBoxScript goneBoxes;
    EXPECT_FALSE(Doc()->SaveProject());
    EXPECT_EQ(1, goneBoxes.Count("\ncould not be saved: its folder \"" + gone.Path() + "\" is no longer there."));
    EXPECT_EQ(0, goneBoxes.Count("unchanged"));
}

TEST_F(EditorProgram, AnOlderShowIsKeptUnderAFreeNameBeforeItIsWrittenAnew)
{
    CTempFolder folder("vxdocolder");
    std::string pack = MakeSavedProject(folder.Path(), {kRed});
    // The same show as an older editor wrote it.
    const std::string version = "VERSION=" + std::string(theApp.m_strVersion.GetString());
    RewriteShowText(pack, {{version, "VERSION=010000"}}, "010000");
    const Bytes older = ReadFileBytes(pack);
    // A copy of an even older show was kept here before: it stays.
    ASSERT_TRUE(WriteFileBytes(folder / "VEXUL_010000.vxl", Bytes(30, 'o')));

    CTempFolder other("vxdocolderother");
    ASSERT_TRUE(NewProject(other.Path()));
    EXPECT_EQ(1, OpenUpdating(pack));
    EXPECT_EQ(Bytes(30, 'o'), ReadFileBytes(folder / "VEXUL_010000.vxl"));
    EXPECT_EQ(older, ReadFileBytes(folder / "VEXUL_010000_2.vxl"));
    CProjectPack rewritten;
    PackEntries(pack, rewritten);
    int size = 0;
    const BYTE* written = rewritten.GetEntryData("VEXUL.INI", size);
    ASSERT_NE(nullptr, written);
    EXPECT_NE(nullptr, strstr(reinterpret_cast<const char*>(written), version.c_str()));
}

TEST_F(EditorProgram, ASoundFromOutsideTheProjectIsCopiedInAndStoredByItsName)
{
    CTempFolder elsewhere("vxdocsound");
    CTempFolder folder("vxdocsoundproject");
    const Bytes music(3000, 'm');
    ASSERT_TRUE(WriteFileBytes(elsewhere / "music.wav", music));
    s_wizardSound = elsewhere / "music.wav";
    ASSERT_TRUE(NewProject(folder.Path()));
    EXPECT_EQ(music, ReadFileBytes(folder / "music.wav"));
    EXPECT_STREQ("music.wav", Doc()->GetSettings().m_strSoundFile);

    // The show names it as the player finds it: beside the show.
    ASSERT_TRUE(Doc()->SaveProject());
    CProjectPack saved;
    PackEntries(folder / "VEXUL.VXL", saved);
    int size = 0;
    const BYTE* text = saved.GetEntryData("VEXUL.INI", size);
    ASSERT_NE(nullptr, text);
    CShowData show;
    show.SetDefaults();
    ASSERT_TRUE(show.ReadShowText("VEXUL.INI", text, size));
    EXPECT_TRUE(show.m_bSoundOn);
    EXPECT_STREQ("music.wav", show.m_strSoundFile);

    // The settings sheet's OK finds the project's own files by their names in the project folder.
    ASSERT_TRUE(WriteFileBytes(folder / "run.exe", Bytes(10, 'r')));
    EditSettings(Doc(), [](CProjectSettings& settings) { settings.SetAutostart(1, "run.exe"); });
    s_wizardSound = "music.wav";
    CBoxScript boxes;
    ASSERT_TRUE(Doc()->EditProjectSettings(PROJECT_WIZARD_SETTINGS));
    EXPECT_TRUE(boxes.Texts().empty()) << boxes.Texts()[0];
    EXPECT_STREQ("music.wav", Doc()->GetSettings().m_strSoundFile);
    EXPECT_STREQ("run.exe", Doc()->GetSettings().m_strAutostartFile);
}

TEST_F(EditorProgram, TheDocumentCountsItsSlidesCarriesOutTheEditorsChoicesAndPreparesTheNextSlide)
{
    CTempFolder folder("vxdocslides");
    ASSERT_TRUE(NewProject(folder.Path()));
    EXPECT_EQ(0, Doc()->CountSlides());
    EXPECT_EQ(0, Doc()->FindFreeSlide());
    ASSERT_TRUE(View()->SetSlideImage(0, WriteSlidePicture(folder.Path(), "first.bmp", kRed).c_str()));
    ASSERT_TRUE(View()->SetSlideImage(1, WriteSlidePicture(folder.Path(), "second.bmp", kGreen).c_str()));
    EXPECT_EQ(2, Doc()->CountSlides());
    EXPECT_EQ(2, Doc()->FindFreeSlide());

    // Each edit marks the project changed and gives the slides it changed, only those, a new revision.
    ASSERT_TRUE(Doc()->SaveProject());
    const UINT firstRevision = Doc()->GetSlideRevision(0);
    const UINT secondRevision = Doc()->GetSlideRevision(1);
    EXPECT_NE(firstRevision, secondRevision);
    EditSlide(Doc(), 1,
              [](CSlide& second)
              {
                  second.m_Background.m_nDelay = 4321;
                  second.GetSlot(0)->CreateText(20, 20, "Hello", "NONE", "Arial", 24, "BOLD", FALSE, FALSE, 0,
                                                RGB(1, 2, 3), 100);
              });
    EXPECT_TRUE(Doc()->IsModified());
    EXPECT_NE(secondRevision, Doc()->GetSlideRevision(1));
    // Choices for this slide only leave the others alone.
    EXPECT_FALSE(Doc()->ApplySlideChoices(1, SlideEditorChoices{0, 0, 1, 0, 1}));
    EXPECT_NE(4321, Doc()->GetSlide(0).m_Background.m_nDelay);
    EXPECT_EQ(firstRevision, Doc()->GetSlideRevision(0));
    EXPECT_TRUE(Doc()->ApplySlideChoices(1, SlideEditorChoices{1, 0, 0, 0, 0}));
    EXPECT_EQ(4321, Doc()->GetSlide(0).m_Background.m_nDelay);
    EXPECT_NE(firstRevision, Doc()->GetSlideRevision(0));
    EXPECT_FALSE(Doc()->ApplySlideChoices(CShowData::MaxSlides, SlideEditorChoices{1, 1, 0, 1, 0}));

    // The slide after the last starts with its settings, without its picture and objects; not yet in the
    // show, it leaves the project unchanged.
    EditSlide(Doc(), 1, [](CSlide& second) { second.m_Background.m_nDelay = 777; });
    ASSERT_TRUE(Doc()->SaveProject());
    Doc()->PrepareNextSlide(2);
    EXPECT_FALSE(Doc()->IsModified());
    EXPECT_EQ(777, Doc()->GetSlide(2).m_Background.m_nDelay);
    EXPECT_TRUE(Doc()->GetSlideImageFile(2).IsEmpty());
    EXPECT_EQ(0, Doc()->GetSlide(2).CountUsedObjects());
    EXPECT_EQ(2, Doc()->CountSlides());
    // A slide that has a picture stays as it is.
    Doc()->PrepareNextSlide(1);
    EXPECT_EQ(777, Doc()->GetSlide(1).m_Background.m_nDelay);
    EXPECT_EQ(1, Doc()->GetSlide(1).CountUsedObjects());
    Doc()->PrepareNextSlide(CShowData::MaxSlides);   // past the last slide: nothing to prepare

    // A name given back to a slide reaches the pack only at the next save.
    Doc()->SetSlideImageFile(2, "third.bmp");
    EXPECT_EQ(3, Doc()->CountSlides());
    EXPECT_STREQ("third.bmp", Doc()->GetSlideImageFile(2));
    EXPECT_TRUE(Doc()->IsModified());

    // A slide keeps its revision, and so its thumbnail, wherever it moves.
    const UINT moving = Doc()->GetSlideRevision(0);
    Doc()->ReorderSlides(CVexulCreatorDoc::MoveOrder(3, 0, 2));
    EXPECT_EQ(moving, Doc()->GetSlideRevision(2));
    Doc()->DeleteSlide(0);
    EXPECT_EQ(moving, Doc()->GetSlideRevision(1));
}

