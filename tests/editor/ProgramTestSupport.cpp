#include "ProgramTestSupport.h"

#include "support/win_DibSurface.h"

namespace editortest
{

namespace
{
CBoxScript* g_script = nullptr;
}

CBoxScript::CBoxScript() : m_pOuter(g_script)
{
    g_script = this;
    m_previous = AfxSetMessageBoxHandler(&CBoxScript::Handler);
}

CBoxScript::~CBoxScript()
{
    AfxSetMessageBoxHandler(m_previous);
    g_script = m_pOuter;
}

int CBoxScript::Count(const std::string& part) const
{
    int count = 0;
    for (const std::string& text : m_texts)
        if (text.find(part) != std::string::npos)
            count++;
    return count;
}

int CBoxScript::Handler(const char* text, const char*, unsigned type)
{
    std::string box = text != nullptr ? text : "";
    if (g_script == nullptr)
        return AfxDefaultMessageBoxAnswer(type);
    g_script->m_texts.push_back(box);
    if (g_script->m_onBox)
        g_script->m_onBox(box);
    for (const CBoxScript* script = g_script; script != nullptr; script = script->m_pOuter)
        for (const Rule& rule : script->m_rules)
            if (box.find(rule.part) != std::string::npos)
                return rule.answer;
    return AfxDefaultMessageBoxAnswer(type);
}

std::string WriteSlidePicture(const std::string& folder, const std::string& name, COLORREF colour, int width,
                              int height)
{
    std::string path = folder + "\\" + name;
    WriteFileBytes(path, MakeSolidBmp(width, height, colour));
    return path;
}

COLORREF BitmapCentre(HBITMAP bitmap)
{
    BITMAP info = {};
    if (bitmap == nullptr || !GetObjectA(bitmap, sizeof(info), &info))
        return CLR_INVALID;
    DibSurface surface(info.bmWidth, info.bmHeight);
    CDC source;
    source.CreateCompatibleDC(nullptr);
    HGDIOBJ old = SelectObject(source.GetSafeHdc(), bitmap);
    surface.dc.BitBlt(0, 0, info.bmWidth, info.bmHeight, &source, 0, 0, SRCCOPY);
    SelectObject(source.GetSafeHdc(), old);
    return surface.At(info.bmWidth / 2, info.bmHeight / 2);
}

std::string EditorProgram::s_wizardFolder;
std::string EditorProgram::s_wizardSound;
bool EditorProgram::s_wizardAccepts = true;
std::vector<int> EditorProgram::s_wizardModes;

BOOL EditorProgram::AnswerWizard(int mode, CProjectSettings& settings, int&, BOOL, const char*, const char*)
{
    s_wizardModes.push_back(mode);
    if (!s_wizardAccepts)
        return FALSE;
    if (mode == PROJECT_WIZARD_NEW)
        settings.SetFolder(s_wizardFolder.c_str());
    settings.m_strTitle = "Test Show";
    settings.SetSound(s_wizardSound.empty() ? 0 : 1, s_wizardSound.c_str(), 0);
    return TRUE;
}

void EditorProgram::SetUp()
{
    m_baseBoxes = std::make_unique<CBoxScript>();
    m_baseBoxes->Answer("Save changes", IDNO);
    theApp.SetRegistryKey("VexulTests");
    RegDeleteTreeA(HKEY_CURRENT_USER, "Software\\VexulTests\\VexulCreator V2");
    theApp.WriteProfileInt("SETTINGS", "DI_SHOWIMAGEINFO", 1);
    theApp.m_strAppFolder = AppFolder().c_str();
    theApp.InitOwnVersion();
    static bool templateAdded = false;
    if (!templateAdded)
    {
        theApp.AddDocTemplate(new CSingleDocTemplate(IDR_MAINFRAME, RUNTIME_CLASS(CVexulCreatorDoc),
                                                     RUNTIME_CLASS(CMainFrame), RUNTIME_CLASS(CVexulCreatorView)));
        theApp.LoadStdProfileSettings(8);
        templateAdded = true;
    }
    m_previousWizard = SetProjectWizardHandler(&EditorProgram::AnswerWizard);
    s_wizardAccepts = true;
    s_wizardSound.clear();
    s_wizardModes.clear();
    // As the editor starts: the first document has no project.
    theApp.m_nStarted = 0;
    theApp.OnFileNew();
    theApp.m_nStarted = 1;
    ASSERT_NE(nullptr, Frame());
    ASSERT_NE(nullptr, View());
}

void EditorProgram::TearDown()
{
    if (CWnd* main = theApp.m_pMainWnd)
    {
        if (Doc() != nullptr)
            Doc()->SetModifiedFlag(FALSE);
        main->DestroyWindow();   // no questions: the test is over
    }
    // The end of the main frame asks the loop to end: that request is the test's, not a program's.
    MSG msg;
    while (PeekMessageA(&msg, nullptr, 0, 0, PM_REMOVE))
        if (msg.message != WM_QUIT)
        {
            TranslateMessage(&msg);
            DispatchMessageA(&msg);
        }
    SetProjectWizardHandler(m_previousWizard);
    theApp.m_nStarted = 0;
    SetCurrentDirectoryA(TempFolderPath().c_str());   // the project folders can go
    RegDeleteTreeA(HKEY_CURRENT_USER, "Software\\VexulTests\\VexulCreator V2");
    m_baseBoxes.reset();
}

CVexulCreatorDoc* EditorProgram::Doc() const
{
    CMainFrame* frame = Frame();
    return frame != nullptr ? static_cast<CVexulCreatorDoc*>(frame->GetActiveDocument()) : nullptr;
}

CVexulCreatorView* EditorProgram::View() const
{
    CMainFrame* frame = Frame();
    return frame != nullptr ? static_cast<CVexulCreatorView*>(frame->GetActiveView()) : nullptr;
}

CMainFrame* EditorProgram::Frame() const
{
    return static_cast<CMainFrame*>(theApp.m_pMainWnd);
}

void EditorProgram::Command(UINT id) const
{
    Frame()->SendMessage(WM_COMMAND, MAKEWPARAM(id, 0), 0);
}

void EditorProgram::Pump() const
{
    MSG msg;
    while (PeekMessageA(&msg, nullptr, 0, 0, PM_NOREMOVE) && msg.message != WM_QUIT)
        AfxPumpMessage();
}

bool EditorProgram::WaitForThumbnails() const
{
    return WaitFor(
        [this]
        {
            if (View() == nullptr || View()->IsRenderingThumbnails())
                return false;
            Pump();
            return true;
        },
        60000);
}

BOOL EditorProgram::NewProject(const std::string& folder)
{
    s_wizardFolder = folder;
    s_wizardAccepts = true;
    CVexulCreatorDoc* before = Doc();
    theApp.OnFileNew();
    return Doc() == before && Doc()->IsProjectOpen() &&
           Doc()->GetProjectFolder().CompareNoCase(folder.c_str()) == 0;
}

std::string EditorProgram::MakeSavedProject(const std::string& folder, const std::vector<COLORREF>& colours)
{
    EXPECT_TRUE(NewProject(folder));
    for (size_t i = 0; i < colours.size(); i++)
    {
        std::string picture = WriteSlidePicture(folder, "slide" + std::to_string(i) + ".bmp", colours[i]);
        EXPECT_TRUE(View()->SetSlideImage(static_cast<int>(i), picture.c_str()));
    }
    EXPECT_TRUE(Doc()->SaveProject());
    return Doc()->GetPackPath().GetString();
}

}   // namespace editortest
