// The single-document program: New, Open, Save, Save As, the recent-file list and closing with changes.
#include "FrameTestSupport.h"

#include "support/win_DialogDriver.h"
#include "support/win_ShellRecorder.h"

#include <dlgs.h>

namespace
{

class FrameDocumentTest : public FrameProgram
{
};

TEST_F(FrameDocumentTest, NewOpenSaveSaveAsAndTheRecentFilesRoundTrip)
{
    StartWithNewDocument();
    CShowFrame* pFrame = app.Frame();
    CShowDoc* pDoc = app.Doc();
    EXPECT_STREQ("Show", pDoc->GetTitle());   // the template's name for a new document
    EXPECT_STREQ("Show - FrameTest", AfxGetWindowText(pFrame->m_hWnd));
    EXPECT_STREQ("new show", pDoc->m_text);
    EXPECT_EQ(1, app.View()->initialUpdates);
    EXPECT_FALSE(pDoc->IsModified());

    // A change, then Save: an untitled document asks for a name (the title and the template's extension).
    Command(ID_TEST_STAMP);
    EXPECT_TRUE(pDoc->IsModified());
    std::string one = folder.File("one.vxt");
    app.answers.push_back(one.c_str());
    Command(ID_FILE_SAVE);
    ASSERT_EQ(1u, app.prompts.size());
    EXPECT_EQ("save Show.vxt", app.prompts[0]);
    EXPECT_FALSE(pDoc->IsModified());
    EXPECT_STREQ(one.c_str(), pDoc->GetPathName());
    EXPECT_STREQ("one.vxt - FrameTest", AfxGetWindowText(pFrame->m_hWnd));
    EXPECT_FALSE(Bytes(one).empty());

    // Save As under another name; the document follows it.
    Command(ID_TEST_STAMP);
    std::string two = SaveAs("two.vxt");
    EXPECT_STREQ(two.c_str(), pDoc->GetPathName());
    ASSERT_EQ(2, app.m_pRecentFileList->GetCount());
    EXPECT_STREQ(two.c_str(), (*app.m_pRecentFileList)[0]);
    EXPECT_STREQ(one.c_str(), (*app.m_pRecentFileList)[1]);

    // New reuses the one document and frame.
    Command(ID_FILE_NEW);
    EXPECT_EQ(pFrame, app.Frame());
    EXPECT_EQ(pDoc, app.Doc());
    EXPECT_STREQ("Show", pDoc->GetTitle());
    EXPECT_TRUE(pDoc->GetPathName().IsEmpty());
    EXPECT_EQ(0, pDoc->m_value);
    EXPECT_EQ(2, app.View()->initialUpdates);

    // The second recent file is the first one saved: it opens with its contents.
    Command(ID_FILE_MRU_FILE1 + 1);
    EXPECT_STREQ(one.c_str(), pDoc->GetPathName());
    EXPECT_EQ(1, pDoc->m_value);
    EXPECT_STREQ(one.c_str(), (*app.m_pRecentFileList)[0]);

    // Open through the file dialog.
    app.answers.push_back(two.c_str());
    Command(ID_FILE_OPEN);
    EXPECT_EQ("open ", app.prompts.back());
    EXPECT_EQ(2, pDoc->m_value);

    // The menu shows the list in place of its placeholder.
    CMenu* pFile = pFrame->GetMenu()->GetSubMenu(0);
    pFrame->SendMessage(WM_INITMENUPOPUP, reinterpret_cast<WPARAM>(pFile->m_hMenu), 0);
    CString first, second;
    pFile->GetMenuString(ID_FILE_MRU_FILE1, first, MF_BYCOMMAND);
    pFile->GetMenuString(ID_FILE_MRU_FILE1 + 1, second, MF_BYCOMMAND);
    EXPECT_NE(-1, first.Find("two.vxt"));
    EXPECT_EQ(0, first.Find("&1 "));
    EXPECT_NE(-1, second.Find("one.vxt"));
    EXPECT_EQ(0, second.Find("&2 "));
    EXPECT_EQ(9u, pFile->GetMenuItemCount());   // two entries where the placeholder stood
    EXPECT_EQ(0u, pFile->GetMenuState(ID_FILE_MRU_FILE1, MF_BYCOMMAND) & MF_GRAYED);

    // Saved at the end and read back by the next start.
    app.ExitInstance();
    HKEY key = nullptr;
    ASSERT_EQ(ERROR_SUCCESS,
              ::RegOpenKeyExA(HKEY_CURRENT_USER, "Software\\VexulTests\\FrameTest\\Recent File List", 0, KEY_READ,
                              &key));
    char value[MAX_PATH] = {};
    DWORD size = sizeof(value);
    EXPECT_EQ(ERROR_SUCCESS,
              ::RegQueryValueExA(key, "File1", nullptr, nullptr, reinterpret_cast<BYTE*>(value), &size));
    EXPECT_STREQ(two.c_str(), value);
    size = sizeof(value);
    EXPECT_NE(ERROR_SUCCESS,
              ::RegQueryValueExA(key, "File3", nullptr, nullptr, reinterpret_cast<BYTE*>(value), &size));
    ::RegCloseKey(key);
    CRecentFileList next(ID_FILE_MRU_FILE1, "Recent File List", "File%d", 8);
    next.ReadList();
    ASSERT_EQ(2, next.GetCount());
    EXPECT_STREQ(two.c_str(), next[0]);
    EXPECT_STREQ(one.c_str(), next[1]);
}

TEST_F(FrameDocumentTest, EmptyRecentListShowsItsPlaceholderDisabled)
{
    StartWithNewDocument();
    CMenu* pFile = app.Frame()->GetMenu()->GetSubMenu(0);
    app.Frame()->SendMessage(WM_INITMENUPOPUP, reinterpret_cast<WPARAM>(pFile->m_hMenu), 0);
    CString text;
    pFile->GetMenuString(ID_FILE_MRU_FILE1, text, MF_BYCOMMAND);
    EXPECT_STREQ("Recent File", text);
    EXPECT_TRUE(pFile->GetMenuState(ID_FILE_MRU_FILE1, MF_BYCOMMAND) & MF_GRAYED);
    EXPECT_EQ(8u, pFile->GetMenuItemCount());
}

TEST_F(FrameDocumentTest, ClosingAModifiedDocumentAsksAndCancelKeepsTheFrame)
{
    StartWithNewDocument();
    CShowFrame* pFrame = app.Frame();
    HWND hFrame = pFrame->m_hWnd;
    Command(ID_TEST_STAMP);
    {
        CMessageBoxRecorder boxes(IDCANCEL);
        pFrame->SendMessage(WM_CLOSE);
        ASSERT_EQ(1u, boxes.Count());
        EXPECT_EQ("Save changes to Show?", boxes.LastText());
        EXPECT_EQ(static_cast<unsigned>(MB_YESNOCANCEL | MB_ICONQUESTION), boxes.Records()[0].type);
    }
    EXPECT_TRUE(::IsWindow(hFrame));
    EXPECT_TRUE(app.Doc()->IsModified());
    EXPECT_FALSE(Drain());   // no quit

    // Yes saves first (here under a name the dialog gives), then the frame and its document go.
    std::string saved = folder.File("closed.vxt");
    app.answers.push_back(saved.c_str());
    {
        CMessageBoxRecorder boxes(IDYES);
        pFrame->SendMessage(WM_CLOSE);
        EXPECT_EQ(1u, boxes.Count());
    }
    EXPECT_FALSE(::IsWindow(hFrame));
    EXPECT_EQ(nullptr, app.m_pMainWnd);
    EXPECT_EQ(0, CShowDoc::s_live);
    EXPECT_TRUE(Drain());   // the main frame ended the program's loop
    EXPECT_FALSE(Bytes(saved).empty());
}

TEST_F(FrameDocumentTest, NoDiscardsTheChangesAndAFailedSaveKeepsTheFrame)
{
    StartWithNewDocument();
    HWND hFrame = app.Frame()->m_hWnd;
    Command(ID_TEST_STAMP);
    {
        // Yes, but the save dialog is cancelled: nothing is lost, the frame stays.
        CMessageBoxRecorder boxes(IDYES);
        app.Frame()->SendMessage(WM_CLOSE);
    }
    EXPECT_TRUE(::IsWindow(hFrame));
    EXPECT_TRUE(app.Doc()->IsModified());
    {
        CMessageBoxRecorder boxes(IDNO);
        app.Frame()->SendMessage(WM_CLOSE);
    }
    EXPECT_FALSE(::IsWindow(hFrame));
    EXPECT_TRUE(Drain());
    EXPECT_TRUE(Files("*").size() <= 2);   // only "." and "..": nothing was written
}

TEST_F(FrameDocumentTest, ShellCommandOpensTheFileItNamesAndFailsWithoutIt)
{
    std::string path = folder.File("start.vxt");
    {
        // A file made by an earlier run.
        StartWithNewDocument();
        app.answers.push_back(path.c_str());
        Command(ID_FILE_SAVE_AS);
        app.m_pMainWnd->DestroyWindow();
        Drain();
    }
    CCommandLineInfo open;
    open.m_nShellCommand = CCommandLineInfo::FileOpen;
    open.m_strFileName = path.c_str();
    ASSERT_TRUE(app.ProcessShellCommand(open));
    EXPECT_STREQ(path.c_str(), app.Doc()->GetPathName());
    app.m_pMainWnd->DestroyWindow();
    Drain();

    CMessageBoxRecorder boxes(IDOK);
    CCommandLineInfo missing;
    missing.m_nShellCommand = CCommandLineInfo::FileOpen;
    missing.m_strFileName = folder.File("missing.vxt").c_str();
    EXPECT_FALSE(app.ProcessShellCommand(missing));
    EXPECT_EQ(nullptr, app.m_pMainWnd);
    ASSERT_EQ(1u, boxes.Count());
    EXPECT_NE(std::string::npos, boxes.LastText().find("missing.vxt\ncould not be opened."));

    CCommandLineInfo print;
    print.m_nShellCommand = CCommandLineInfo::FilePrint;
    EXPECT_FALSE(app.ProcessShellCommand(print));   // not offered: the program ends
    CCommandLineInfo nothing;
    nothing.m_nShellCommand = CCommandLineInfo::FileNothing;
    EXPECT_TRUE(app.ProcessShellCommand(nothing));
}

TEST_F(FrameDocumentTest, RecentFileThatFailsLeavesTheListButCancelDoesNot)
{
    StartWithNewDocument();
    std::string gone = SaveAs("gone.vxt");
    std::string good = SaveAs("good.vxt");
    ::DeleteFileA(gone.c_str());
    ASSERT_EQ(2, app.m_pRecentFileList->GetCount());   // good, gone

    // The user keeps the changed document: the entry stays.
    Command(ID_TEST_STAMP);
    {
        CMessageBoxRecorder boxes(IDCANCEL);
        Command(ID_FILE_MRU_FILE1 + 1);
        EXPECT_EQ(1u, boxes.Count());   // the save question only
    }
    EXPECT_EQ(2, app.m_pRecentFileList->GetCount());

    // The file that is gone: its entry goes; the document is as it was.
    {
        CMessageBoxRecorder boxes(IDNO);
        Command(ID_FILE_MRU_FILE1 + 1);
        ASSERT_EQ(2u, boxes.Count());   // the save question, then the report
        EXPECT_NE(std::string::npos, boxes.LastText().find("gone.vxt\ncould not be opened."));
    }
    ASSERT_EQ(1, app.m_pRecentFileList->GetCount());
    EXPECT_STREQ(good.c_str(), (*app.m_pRecentFileList)[0]);
    EXPECT_STREQ(good.c_str(), app.Doc()->GetPathName());
    EXPECT_EQ(1, app.Doc()->m_value);
}

TEST_F(FrameDocumentTest, FileThatCannotBeReadLeavesAnUntitledDocumentNotTheOldPath)
{
    StartWithNewDocument();
    std::string path = SaveAs("short.vxt");
    // Cut the file after its first byte.
    std::vector<char> bytes = Bytes(path);
    {
        CFile file(path.c_str(), CFile::modeCreate | CFile::modeWrite);
        file.Write(bytes.data(), 1);
    }
    SaveAs("other.vxt");

    CMessageBoxRecorder boxes(IDOK);
    EXPECT_EQ(nullptr, app.OpenDocumentFile(path.c_str()));
    EXPECT_EQ(1u, boxes.Count());
    CShowDoc* pDoc = app.Doc();
    EXPECT_TRUE(pDoc->GetPathName().IsEmpty());   // a save cannot overwrite a file with the half-read contents
    EXPECT_STREQ("Show", pDoc->GetTitle());
    EXPECT_FALSE(pDoc->IsModified());
    EXPECT_STREQ("Show - FrameTest", AfxGetWindowText(app.Frame()->m_hWnd));
}

TEST_F(FrameDocumentTest, HelpAndShellGoThroughTheirSeams)
{
    CShellRecorder recorder;
    AfxShellExecute(nullptr, "explore", "C:\\Projects", nullptr, nullptr, SW_SHOWNORMAL);
    AfxHtmlHelp(nullptr, "C:\\Vexul\\vexul.chm::/public/Index.htm", 0, 0);
    ASSERT_EQ(2u, recorder.Calls().size());
    EXPECT_EQ("shell", recorder.Calls()[0].kind);
    EXPECT_EQ("explore", recorder.Calls()[0].operation);
    EXPECT_EQ("C:\\Projects", recorder.Calls()[0].file);
    EXPECT_EQ(SW_SHOWNORMAL, recorder.Calls()[0].show);
    EXPECT_EQ("help", recorder.Calls()[1].kind);
    EXPECT_EQ("C:\\Vexul\\vexul.chm::/public/Index.htm", recorder.Calls()[1].file);
}

TEST(FilePrompt, FileDialogOffersTheTemplatesKindOfFileAndCompletesItsExtension)
{
    TempFolder folder;
    CWinApp app("PromptTest");
    CSingleDocTemplate* pTemplate = new CSingleDocTemplate(IDR_SHOW, RUNTIME_CLASS(CShowDoc),
                                                           RUNTIME_CLASS(CShowFrame), RUNTIME_CLASS(CShowView));
    app.AddDocTemplate(pTemplate);
    std::vector<std::string> filters;
    std::string suggested;
    std::string picked = folder.File("picked");
    CDialogDriver driver({[&](HWND hDlg)
                          {
                              filters = CDialogDriver::ComboTexts(::GetDlgItem(hDlg, cmb1));
                              suggested = CDialogDriver::Text(CDialogDriver::FileNameBox(hDlg));
                              ::SetWindowTextA(CDialogDriver::FileNameBox(hDlg), picked.c_str());
                              CDialogDriver::Click(hDlg, IDOK);
                          }});
    CString name = "Show.vxt";
    ASSERT_TRUE(
        app.DoPromptFileName(name, OFN_HIDEREADONLY | OFN_PATHMUSTEXIST | OFN_OVERWRITEPROMPT, FALSE, pTemplate));
    EXPECT_EQ((std::vector<std::string>{"Test shows (*.vxt)", "All Files (*.*)"}), filters);
    EXPECT_EQ("Show.vxt", suggested);
    EXPECT_EQ(0, name.CompareNoCase((picked + ".vxt").c_str())) << name.GetString();

    CDialogDriver cancel({[](HWND hDlg) { CDialogDriver::Click(hDlg, IDCANCEL); }});
    CString kept = "kept.vxt";
    EXPECT_FALSE(app.DoPromptFileName(kept, OFN_HIDEREADONLY | OFN_FILEMUSTEXIST, TRUE, pTemplate));
    EXPECT_STREQ("kept.vxt", kept);
}

TEST(HelpViewer, LoadsAtRunTimeAndClosesWithoutAWindow)
{
    // The real viewer: closing all its windows opens none and answers no window.
    EXPECT_EQ(nullptr, AfxHtmlHelp(nullptr, nullptr, 0x0012 /* HH_CLOSE_ALL */, 0));
}

}   // namespace
