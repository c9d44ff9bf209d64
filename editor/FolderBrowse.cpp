#include "editor/FolderBrowse.h"

#include <shlobj.h>

namespace
{

// Starts the browser on the folder it was given.
int CALLBACK SelectStartFolder(HWND hWnd, UINT message, LPARAM, LPARAM data)
{
    if (message == BFFM_INITIALIZED && data != 0)
        ::SendMessageA(hWnd, BFFM_SETSELECTIONA, TRUE, data);
    return 0;
}

}   // namespace

BOOL BrowseForProjectFolder(CWnd* owner, const char* title, const char* text, CString& folder)
{
    // The system's folder browser shows one text: the title, or the explanation when there is one.
    CString prompt = text != nullptr && *text != '\0' ? text : (title != nullptr ? title : "");
    prompt.Trim();
    CString start = folder;
    BROWSEINFOA info = {};
    info.hwndOwner = AfxGetSafeHwnd(owner);
    info.lpszTitle = prompt;
    info.ulFlags = BIF_RETURNONLYFSDIRS | BIF_NEWDIALOGSTYLE;
    info.lpfn = SelectStartFolder;
    info.lParam = start.IsEmpty() ? 0 : reinterpret_cast<LPARAM>(start.GetString());
    HRESULT com = ::OleInitialize(nullptr);
    PIDLIST_ABSOLUTE chosen = ::SHBrowseForFolderA(&info);
    BOOL ok = FALSE;
    if (chosen != nullptr)
    {
        char path[MAX_PATH] = {};
        if (::SHGetPathFromIDListA(chosen, path) && path[0] != '\0')
        {
            folder = path;
            ok = TRUE;
        }
        ::CoTaskMemFree(chosen);
    }
    if (SUCCEEDED(com))
        ::OleUninitialize();
    return ok;
}
