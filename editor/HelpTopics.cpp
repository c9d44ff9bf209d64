#include "editor/HelpTopics.h"

#include "editor/FileHelpers.h"
#include "editor/VexulCreatorApp.h"

void ShowHelpTopic(const char* topic)
{
    CString saved = GetCurrentFolder();
    if (!theApp.m_strAppFolder.IsEmpty())
        SetCurrentDirectoryA(theApp.m_strAppFolder);
    CWnd* main = theApp.GetMainWnd();
    const UINT displayTopic = 0;
    AfxHtmlHelp(main ? main->GetSafeHwnd() : nullptr,
                Path::Join(theApp.m_strAppFolder, "vexul.chm") + "::/public/" + (topic ? topic : ""), displayTopic,
                0);
    if (!saved.IsEmpty())
        SetCurrentDirectoryA(saved);
}
