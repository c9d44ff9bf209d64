// The application object: start-up driver, message loop and idle processing, command line, icons and
// cursors, wait cursor, message boxes and the profile (registry or INI file).
#include "framework/win/Framework.h"

#include <ole2.h>

#include <cstdlib>
#include <cstring>
#include <string>
#include <vector>

namespace
{
CWinApp* g_pApp = nullptr;

// Splits a command line as the C runtime does: blanks separate items, quotes group, backslashes escape a
// quote (2n backslashes + quote: n backslashes and a grouping quote; 2n+1: n backslashes and a quote).
std::vector<std::string> SplitCommandLine(const char* line)
{
    std::vector<std::string> items;
    if (line == nullptr)
        return items;
    const char* p = line;
    for (;;)
    {
        while (*p == ' ' || *p == '\t')
            ++p;
        if (*p == '\0')
            break;
        std::string item;
        bool quoted = false;
        while (*p != '\0' && (quoted || (*p != ' ' && *p != '\t')))
        {
            int backslashes = 0;
            while (*p == '\\')
            {
                ++backslashes;
                ++p;
            }
            if (*p == '"')
            {
                item.append(static_cast<size_t>(backslashes / 2), '\\');
                if (backslashes % 2 == 1)
                    item += '"';
                else if (quoted && p[1] == '"')
                {
                    item += '"';   // "" inside quotes is a literal quote
                    ++p;
                }
                else
                    quoted = !quoted;
                ++p;
            }
            else
            {
                item.append(static_cast<size_t>(backslashes), '\\');
                if (*p != '\0' && (quoted || (*p != ' ' && *p != '\t')))
                    item += *p++;
            }
        }
        items.push_back(item);
    }
    return items;
}

CString ModuleFileName(HINSTANCE hInst)
{
    char path[MAX_PATH + 1] = {};
    DWORD length = ::GetModuleFileNameA(hInst, path, MAX_PATH);
    if (length > MAX_PATH)
        length = MAX_PATH;
    path[length] = '\0';
    return CString(path);
}

// A value's type and bytes from a section key, which is closed; false without the key or the value (or
// when the value changed while it was read).
bool ReadValue(HKEY hSection, LPCSTR entry, DWORD& type, std::vector<BYTE>& data)
{
    if (hSection == nullptr)
        return false;
    DWORD size = 0;
    bool ok = ::RegQueryValueExA(hSection, entry, nullptr, &type, nullptr, &size) == ERROR_SUCCESS;
    if (ok)
    {
        data.assign(size, 0);
        DWORD got = size;
        ok =
            ::RegQueryValueExA(hSection, entry, nullptr, &type, data.data(), &got) == ERROR_SUCCESS && got == size;
    }
    ::RegCloseKey(hSection);
    return ok;
}

// Binary values in an INI file: each byte as two letters 'A' + nibble, low nibble first.
CString EncodeBinary(const BYTE* data, UINT size)
{
    CString text;
    for (UINT i = 0; i < size; ++i)
    {
        text += static_cast<char>('A' + (data[i] & 0x0F));
        text += static_cast<char>('A' + ((data[i] >> 4) & 0x0F));
    }
    return text;
}
}   // namespace

CWinApp* AfxGetApp()
{
    return g_pApp;
}

CWnd* AfxGetMainWnd()
{
    CWinApp* app = AfxGetApp();
    return app == nullptr ? nullptr : app->m_pMainWnd;
}

LPCSTR AfxGetAppName()
{
    CWinApp* app = AfxGetApp();
    return app != nullptr && app->m_pszAppName != nullptr ? app->m_pszAppName : "";
}

int AfxMessageBox(LPCSTR lpszText, UINT nType, UINT nIDHelp)
{
    CWinApp* app = AfxGetApp();
    if (app != nullptr)
        return app->DoMessageBox(lpszText == nullptr ? "" : lpszText, nType, nIDHelp);
    return AfxCoreMessageBox(lpszText == nullptr ? "" : lpszText, AfxGetAppName(), nType);
}

int AfxMessageBox(UINT nIDPrompt, UINT nType, UINT nIDHelp)
{
    CString text;
    AfxLoadString(nIDPrompt, text);
    return AfxMessageBox(text, nType, nIDHelp == static_cast<UINT>(-1) ? nIDPrompt : nIDHelp);
}

void AfxEnableControlContainer()
{
}

BOOL AfxWinInit(HINSTANCE hInstance, HINSTANCE, LPSTR lpCmdLine, int nCmdShow)
{
    AfxInitCommonControls();
    if (hInstance == nullptr)
        hInstance = ::GetModuleHandleA(nullptr);
    CWinApp* app = AfxGetApp();
    if (app == nullptr)
        return TRUE;
    app->m_hInstance = hInstance;
    if (lpCmdLine != nullptr)
    {
        app->m_strOwnedCmdLine = lpCmdLine;
        app->m_lpCmdLine = app->m_strOwnedCmdLine.data();
    }
    app->m_nCmdShow = nCmdShow;

    CString path = ModuleFileName(hInstance);
    CString title = Path::FileNameOf(path);
    CString exe = Path::WithoutExtension(title);
    if (app->m_pszExeName == nullptr)
        CWinApp::SetOwnedText(app->m_pszExeName, app->m_strExeName, exe);
    if (app->m_pszAppName == nullptr)
    {
        CString name;
        app->SetAppName(AfxLoadString(AFX_IDS_APP_TITLE, name) ? name : exe);
    }
    if (app->m_pszProfileName == nullptr)
        CWinApp::SetOwnedText(app->m_pszProfileName, app->m_strProfileName, exe + ".INI");
    return TRUE;
}

int AfxWinMain(HINSTANCE hInstance, HINSTANCE hPrevInstance, LPSTR lpCmdLine, int nCmdShow)
{
    CWinApp* app = AfxGetApp();
    if (app == nullptr || !AfxWinInit(hInstance, hPrevInstance, lpCmdLine, nCmdShow))
        return -1;
    HRESULT ole = ::OleInitialize(nullptr);
    int result;
    if (!app->InitApplication())
        result = app->ExitInstance();
    else if (!app->InitInstance())
    {
        if (app->m_pMainWnd != nullptr && app->m_pMainWnd->m_hWnd != nullptr)
            app->m_pMainWnd->DestroyWindow();
        result = app->ExitInstance();
    }
    else
        result = app->Run();
    if (SUCCEEDED(ole))
        ::OleUninitialize();
    return result;
}

// ---- CCommandLineInfo --------------------------------------------------------------------------------

CCommandLineInfo::CCommandLineInfo()
    : m_bShowSplash(TRUE), m_bRunEmbedded(FALSE), m_bRunAutomated(FALSE), m_nShellCommand(FileNew)
{
}

CCommandLineInfo::~CCommandLineInfo() = default;

void CCommandLineInfo::ParseParam(const char* pszParam, BOOL bFlag, BOOL bLast)
{
    if (pszParam == nullptr)
        pszParam = "";
    if (bFlag)
        ParseParamFlag(pszParam);
    else
        ParseParamNotFlag(pszParam);
    ParseLast(bLast);
}

void CCommandLineInfo::ParseParamFlag(const char* pszParam)
{
    CString flag(pszParam);
    if (flag.CompareNoCase("pt") == 0)
        m_nShellCommand = FilePrintTo;
    else if (flag.CompareNoCase("p") == 0)
        m_nShellCommand = FilePrint;
    else if (flag.CompareNoCase("Register") == 0 || flag.CompareNoCase("Regserver") == 0)
        m_nShellCommand = AppRegister;
    else if (flag.CompareNoCase("Unregister") == 0 || flag.CompareNoCase("Unregserver") == 0)
        m_nShellCommand = AppUnregister;
    else if (flag.CompareNoCase("dde") == 0)
        m_nShellCommand = FileDDE;
    else if (flag.CompareNoCase("Embedding") == 0)
    {
        m_bRunEmbedded = TRUE;
        m_bShowSplash = FALSE;
    }
    else if (flag.CompareNoCase("Automation") == 0)
    {
        m_bRunAutomated = TRUE;
        m_bShowSplash = FALSE;
    }
}

void CCommandLineInfo::ParseParamNotFlag(const char* pszParam)
{
    if (m_strFileName.IsEmpty())
        m_strFileName = pszParam;
    else if (m_nShellCommand == FilePrintTo && m_strPrinterName.IsEmpty())
        m_strPrinterName = pszParam;
    else if (m_nShellCommand == FilePrintTo && m_strDriverName.IsEmpty())
        m_strDriverName = pszParam;
    else if (m_nShellCommand == FilePrintTo && m_strPortName.IsEmpty())
        m_strPortName = pszParam;
}

void CCommandLineInfo::ParseLast(BOOL bLast)
{
    if (!bLast)
        return;
    if (m_nShellCommand == FileNew && !m_strFileName.IsEmpty())
        m_nShellCommand = FileOpen;
    m_bShowSplash = !m_bRunEmbedded && !m_bRunAutomated;
}

// ---- CWinApp -----------------------------------------------------------------------------------------

IMPLEMENT_DYNAMIC(CWinApp, CCmdTarget)

BEGIN_MESSAGE_MAP(CWinApp, CCmdTarget)
    ON_COMMAND_EX_RANGE(ID_FILE_MRU_FILE1, ID_FILE_MRU_FILE16, OnOpenRecentFile)
    ON_UPDATE_COMMAND_UI(ID_FILE_MRU_FILE1, OnUpdateRecentFileMenu)
END_MESSAGE_MAP()

CWinApp::CWinApp(LPCSTR lpszAppName)
{
    SetAppName(lpszAppName);
    m_pPreviousApp = g_pApp;
    g_pApp = this;
}

CWinApp::~CWinApp()
{
    for (CDocTemplate* pTemplate : m_templates)
        delete pTemplate;
    delete m_pRecentFileList;
    // An application object that lived inside another one's time (a test's) gives the program back to it.
    if (g_pApp == this)
        g_pApp = m_pPreviousApp;
}

void CWinApp::SetOwnedText(LPCSTR& member, CString& owned, LPCSTR value)
{
    if (value == nullptr)
    {
        owned.Empty();
        member = nullptr;
        return;
    }
    owned = value;   // a value that is the member's own text is copied before it changes
    member = owned;
}

void CWinApp::SetAppName(LPCSTR lpszAppName)
{
    SetOwnedText(m_pszAppName, m_strAppName, lpszAppName);
}

BOOL CWinApp::InitApplication()
{
    return TRUE;
}
BOOL CWinApp::InitInstance()
{
    return TRUE;
}
int CWinApp::ExitInstance()
{
    SaveStdProfileSettings();
    return static_cast<int>(m_msgCur.wParam);
}

namespace
{
// The application's loop: idle time, pre-translation and the idle test are the application's.
class CAppLoop : public CMessageLoop
{
public:
    explicit CAppLoop(CWinApp* app) : m_app(app) {}
    BOOL PumpMessage() override
    {
        BOOL result = m_app->PumpMessage();
        m_msg = m_app->m_msgCur;
        return result;
    }

protected:
    BOOL OnIdle(LONG lCount) override { return m_app->OnIdle(lCount); }

private:
    CWinApp* m_app;
};
}   // namespace

int CWinApp::Run()
{
    CAppLoop loop(this);
    loop.Run();   // until WM_QUIT
    m_msgCur = loop.LastMessage();
    return ExitInstance();
}

BOOL CWinApp::PumpMessage()
{
    CMessageLoop loop;   // its pre-translation and idle test are this application's
    BOOL result = loop.PumpMessage();
    m_msgCur = loop.LastMessage();
    return result;
}

BOOL CWinApp::PreTranslateMessage(MSG* pMsg)
{
    return AfxPreTranslateMessage(pMsg);
}

BOOL CWinApp::IsIdleMessage(MSG* pMsg)
{
    return AfxIsIdleMessage(pMsg);
}

static BOOL CALLBACK SendIdleUpdate(HWND hWnd, LPARAM)
{
    CWnd* pWnd = CWnd::FromHandlePermanent(hWnd);
    if (pWnd != nullptr && ::IsWindowVisible(hWnd))
    {
        pWnd->SendMessage(WM_IDLEUPDATECMDUI, TRUE, 0);
        pWnd->SendMessageToDescendants(WM_IDLEUPDATECMDUI, TRUE, 0, TRUE, TRUE);
    }
    return TRUE;
}

BOOL CWinApp::OnIdle(LONG lCount)
{
    if (lCount <= 0)
    {
        // Command-UI update of every visible top-level window of ours on this thread (tool bars, status).
        ::EnumThreadWindows(::GetCurrentThreadId(), SendIdleUpdate, 0);
        return TRUE;
    }
    if (lCount == 1 && AfxMessageLoopDepth() <= 1)
        AfxDeleteTempMaps();
    return FALSE;
}

// ---- documents ---------------------------------------------------------------------------------------

void CWinApp::AddDocTemplate(CDocTemplate* pTemplate)
{
    if (pTemplate != nullptr)
        m_templates.push_back(pTemplate);
}

POSITION CWinApp::GetFirstDocTemplatePosition() const
{
    // Positions count from 1, so that the first one is not null.
    return m_templates.empty() ? nullptr : reinterpret_cast<POSITION>(static_cast<UINT_PTR>(1));
}

CDocTemplate* CWinApp::GetNextDocTemplate(POSITION& rPosition) const
{
    size_t index = reinterpret_cast<UINT_PTR>(rPosition) - 1;
    CDocTemplate* pTemplate = index < m_templates.size() ? m_templates[index] : nullptr;
    rPosition =
        index + 1 < m_templates.size() ? reinterpret_cast<POSITION>(static_cast<UINT_PTR>(index + 2)) : nullptr;
    return pTemplate;
}

CDocument* CWinApp::OpenDocumentFile(LPCSTR lpszFileName)
{
    if (m_templates.empty() || lpszFileName == nullptr || *lpszFileName == '\0')
        return nullptr;
    return m_templates.front()->OpenDocumentFile(lpszFileName);
}

void CWinApp::OnFileNew()
{
    if (!m_templates.empty())
        m_templates.front()->OpenDocumentFile(nullptr);
}

void CWinApp::OnFileOpen()
{
    CString fileName;
    if (DoPromptFileName(fileName, OFN_HIDEREADONLY | OFN_FILEMUSTEXIST | OFN_PATHMUSTEXIST, TRUE,
                         m_templates.empty() ? nullptr : m_templates.front()))
        OpenDocumentFile(fileName);
}

CString CWinApp::GetFileOpenFolder() const
{
    return CString();
}

BOOL CWinApp::ProcessShellCommand(CCommandLineInfo& rCmdInfo)
{
    switch (rCmdInfo.m_nShellCommand)
    {
    case CCommandLineInfo::FileNothing: return TRUE;
    case CCommandLineInfo::FileNew:
        OnFileNew();
        return m_pMainWnd != nullptr;   // no window: the program cannot go on
    case CCommandLineInfo::FileOpen: return OpenDocumentFile(rCmdInfo.m_strFileName) != nullptr;
    default: return FALSE;   // printing, registration and DDE are not offered
    }
}

BOOL CWinApp::SaveAllModified()
{
    for (CDocTemplate* pTemplate : m_templates)
    {
        if (!pTemplate->SaveAllModified())
            return FALSE;
    }
    return TRUE;
}

void CWinApp::CloseAllDocuments(BOOL bEndSession)
{
    for (CDocTemplate* pTemplate : m_templates)
        pTemplate->CloseAllDocuments(bEndSession);
}

BOOL CWinApp::DoPromptFileName(CString& fileName, DWORD lFlags, BOOL bOpenFileDialog, CDocTemplate* pTemplate)
{
    // The filter: the template's kind of file, then every file.
    CString filterName, filterExt, filter;
    if (pTemplate != nullptr && pTemplate->GetDocString(filterName, CDocTemplate::filterName) &&
        pTemplate->GetDocString(filterExt, CDocTemplate::filterExt))
        filter = filterName + "|*" + filterExt + "|";
    filter += "All Files (*.*)|*.*||";
    CFileDialog dialog(bOpenFileDialog, filterExt.IsEmpty() ? nullptr : filterExt.Mid(1).GetString(), fileName,
                       lFlags | OFN_ENABLESIZING, filter);
    CString folder = bOpenFileDialog ? GetFileOpenFolder() : CString();
    if (!folder.IsEmpty())
        dialog.m_ofn.lpstrInitialDir = folder;
    if (dialog.DoModal() != IDOK)
        return FALSE;
    fileName = dialog.GetPathName();
    return TRUE;
}

// ---- recent files ------------------------------------------------------------------------------------

void CWinApp::LoadStdProfileSettings(UINT nMaxMRU)
{
    delete m_pRecentFileList;
    m_pRecentFileList = nullptr;
    if (nMaxMRU == 0)
        return;
    if (nMaxMRU > ID_FILE_MRU_FILE16 - ID_FILE_MRU_FILE1 + 1)
        nMaxMRU = ID_FILE_MRU_FILE16 - ID_FILE_MRU_FILE1 + 1;
    m_pRecentFileList = NewRecentFileList(ID_FILE_MRU_FILE1, "Recent File List", "File%d", static_cast<int>(nMaxMRU));
    m_pRecentFileList->ReadList();
}

CRecentFileList* CWinApp::NewRecentFileList(UINT nStart, LPCSTR lpszSection, LPCSTR lpszEntryFormat, int nSize)
{
    return new CRecentFileList(nStart, lpszSection, lpszEntryFormat, nSize);
}

void CWinApp::SaveStdProfileSettings()
{
    if (m_pRecentFileList != nullptr)
        m_pRecentFileList->WriteList();
}

void CWinApp::AddToRecentFileList(LPCSTR lpszPathName)
{
    if (m_pRecentFileList != nullptr)
        m_pRecentFileList->Add(lpszPathName);
}

BOOL CWinApp::OnOpenRecentFile(UINT nID)
{
    int index = static_cast<int>(nID - ID_FILE_MRU_FILE1);
    if (m_pRecentFileList == nullptr || index >= m_pRecentFileList->GetCount())
        return FALSE;
    CString path = (*m_pRecentFileList)[index];
    int failures = m_nOpenFailures;
    // A file that cannot be opened leaves the list; a user who keeps the current document does not lose it.
    if (OpenDocumentFile(path) == nullptr && m_nOpenFailures != failures)
    {
        for (int i = 0; i < m_pRecentFileList->GetCount(); ++i)
        {
            if ((*m_pRecentFileList)[i].CompareNoCase(path) == 0)
            {
                m_pRecentFileList->Remove(i);
                break;
            }
        }
    }
    return TRUE;
}

void CWinApp::OnUpdateRecentFileMenu(CCmdUI* pCmdUI)
{
    if (m_pRecentFileList == nullptr)
        pCmdUI->Enable(FALSE);
    else
        m_pRecentFileList->UpdateMenu(pCmdUI);
}

int CWinApp::DoMessageBox(LPCSTR lpszPrompt, UINT nType, UINT)
{
    return AfxCoreMessageBox(lpszPrompt, AfxGetAppName(), nType);
}

void CWinApp::ParseCommandLine(CCommandLineInfo& rCmdInfo)
{
    std::vector<std::string> items = SplitCommandLine(m_lpCmdLine);
    for (size_t i = 0; i < items.size(); ++i)
    {
        const char* param = items[i].c_str();
        BOOL bFlag = FALSE;
        if (param[0] == '-' || param[0] == '/')
        {
            bFlag = TRUE;
            ++param;
        }
        rCmdInfo.ParseParam(param, bFlag, i + 1 == items.size());
    }
}

HICON CWinApp::LoadIcon(LPCSTR lpszResourceName) const
{
    return ::LoadIconA(AfxGetResourceHandle(), lpszResourceName);
}
HICON CWinApp::LoadIcon(UINT nIDResource) const
{
    return LoadIcon(MAKEINTRESOURCEA(nIDResource));
}
HICON CWinApp::LoadStandardIcon(LPCSTR lpszIconName) const
{
    return ::LoadIconA(nullptr, lpszIconName);
}
HCURSOR CWinApp::LoadCursor(LPCSTR lpszResourceName) const
{
    return ::LoadCursorA(AfxGetResourceHandle(), lpszResourceName);
}
HCURSOR CWinApp::LoadCursor(UINT nIDResource) const
{
    return LoadCursor(MAKEINTRESOURCEA(nIDResource));
}
HCURSOR CWinApp::LoadStandardCursor(LPCSTR lpszCursorName) const
{
    return ::LoadCursorA(nullptr, lpszCursorName);
}

void CWinApp::DoWaitCursor(int nCode)
{
    if (nCode == 0 && m_nWaitCursorCount <= 0)
        return;   // no wait going on: the cursor stays as it is
    m_nWaitCursorCount += nCode > 0 ? 1 : (nCode < 0 ? -1 : 0);
    if (m_nWaitCursorCount > 0)
    {
        HCURSOR previous = ::SetCursor(::LoadCursorA(nullptr, IDC_WAIT));
        if (nCode > 0 && m_nWaitCursorCount == 1)
            m_hcurWaitCursorRestore = previous;
        return;
    }
    m_nWaitCursorCount = 0;
    HCURSOR restore = m_hcurWaitCursorRestore;
    if (restore == nullptr || restore == ::LoadCursorA(nullptr, IDC_WAIT))
        restore = ::LoadCursorA(nullptr, IDC_ARROW);
    ::SetCursor(restore);
    m_hcurWaitCursorRestore = nullptr;
}

// ---- profile -----------------------------------------------------------------------------------------

void CWinApp::SetRegistryKey(LPCSTR lpszRegistryKey)
{
    SetOwnedText(m_pszRegistryKey, m_strRegistryKey, lpszRegistryKey);
    SetOwnedText(m_pszProfileName, m_strProfileName, m_pszAppName);
}

void CWinApp::SetRegistryKey(UINT nIDRegistryKey)
{
    CString key;
    AfxLoadString(nIDRegistryKey, key);
    SetRegistryKey(key);
}

HKEY CWinApp::GetAppRegistryKey()
{
    if (m_pszRegistryKey == nullptr || m_pszProfileName == nullptr)
        return nullptr;
    CString path;
    path.Format("Software\\%s\\%s", m_pszRegistryKey, m_pszProfileName);
    HKEY hKey = nullptr;
    DWORD disposition = 0;
    if (::RegCreateKeyExA(HKEY_CURRENT_USER, path, 0, nullptr, REG_OPTION_NON_VOLATILE, KEY_READ | KEY_WRITE,
                          nullptr, &hKey, &disposition) != ERROR_SUCCESS)
        return nullptr;
    return hKey;
}

HKEY CWinApp::GetSectionKey(LPCSTR lpszSection)
{
    if (lpszSection == nullptr)
        return nullptr;
    HKEY hApp = GetAppRegistryKey();
    if (hApp == nullptr)
        return nullptr;
    HKEY hSection = nullptr;
    DWORD disposition = 0;
    if (::RegCreateKeyExA(hApp, lpszSection, 0, nullptr, REG_OPTION_NON_VOLATILE, KEY_READ | KEY_WRITE, nullptr,
                          &hSection, &disposition) != ERROR_SUCCESS)
        hSection = nullptr;
    ::RegCloseKey(hApp);
    return hSection;
}

UINT CWinApp::GetProfileInt(LPCSTR lpszSection, LPCSTR lpszEntry, int nDefault)
{
    if (m_pszRegistryKey == nullptr)
        return ::GetPrivateProfileIntA(lpszSection, lpszEntry, nDefault, m_pszProfileName);
    DWORD type = 0, value = 0;
    std::vector<BYTE> data;
    if (!ReadValue(GetSectionKey(lpszSection), lpszEntry, type, data) || type != REG_DWORD ||
        data.size() != sizeof(value))
        return static_cast<UINT>(nDefault);
    memcpy(&value, data.data(), sizeof(value));
    return value;
}

BOOL CWinApp::WriteProfileInt(LPCSTR lpszSection, LPCSTR lpszEntry, int nValue)
{
    if (m_pszRegistryKey == nullptr)
    {
        char text[16];
        wsprintfA(text, "%d", nValue);
        return ::WritePrivateProfileStringA(lpszSection, lpszEntry, text, m_pszProfileName);
    }
    HKEY hSection = GetSectionKey(lpszSection);
    if (hSection == nullptr)
        return FALSE;
    DWORD value = static_cast<DWORD>(nValue);
    LONG result =
        ::RegSetValueExA(hSection, lpszEntry, 0, REG_DWORD, reinterpret_cast<const BYTE*>(&value), sizeof(value));
    ::RegCloseKey(hSection);
    return result == ERROR_SUCCESS;
}

CString CWinApp::GetProfileString(LPCSTR lpszSection, LPCSTR lpszEntry, LPCSTR lpszDefault)
{
    CString fallback(lpszDefault);
    if (m_pszRegistryKey == nullptr)
    {
        // The INI call reports truncation only by filling the buffer: grow until it fits.
        for (DWORD size = 256; size <= 0x100000; size *= 2)
        {
            std::vector<char> buffer(size);
            DWORD got =
                ::GetPrivateProfileStringA(lpszSection, lpszEntry, lpszDefault == nullptr ? "" : lpszDefault,
                                           buffer.data(), size, m_pszProfileName);
            if (got < size - 2)
                return CString(buffer.data(), static_cast<int>(got));
        }
        return fallback;
    }
    DWORD type = 0;
    std::vector<BYTE> data;
    if (!ReadValue(GetSectionKey(lpszSection), lpszEntry, type, data) || (type != REG_SZ && type != REG_EXPAND_SZ))
        return fallback;
    data.push_back(0);   // a stored text need not end in a terminator
    return CString(reinterpret_cast<const char*>(data.data()));
}

BOOL CWinApp::WriteProfileString(LPCSTR lpszSection, LPCSTR lpszEntry, LPCSTR lpszValue)
{
    if (m_pszRegistryKey == nullptr)
        return ::WritePrivateProfileStringA(lpszSection, lpszEntry, lpszValue, m_pszProfileName);
    if (lpszEntry == nullptr)
    {
        HKEY hApp = GetAppRegistryKey();
        if (hApp == nullptr)
            return FALSE;
        LONG result = ::RegDeleteKeyA(hApp, lpszSection);
        ::RegCloseKey(hApp);
        return result == ERROR_SUCCESS;
    }
    HKEY hSection = GetSectionKey(lpszSection);
    if (hSection == nullptr)
        return FALSE;
    LONG result;
    if (lpszValue == nullptr)
        result = ::RegDeleteValueA(hSection, lpszEntry);
    else
        result = ::RegSetValueExA(hSection, lpszEntry, 0, REG_SZ, reinterpret_cast<const BYTE*>(lpszValue),
                                  static_cast<DWORD>(strlen(lpszValue) + 1));
    ::RegCloseKey(hSection);
    return result == ERROR_SUCCESS;
}

BOOL CWinApp::GetProfileBinary(LPCSTR lpszSection, LPCSTR lpszEntry, LPBYTE* ppData, UINT* pBytes)
{
    if (ppData == nullptr || pBytes == nullptr)
        return FALSE;
    *ppData = nullptr;
    *pBytes = 0;
    if (m_pszRegistryKey == nullptr)
    {
        CString text = GetProfileString(lpszSection, lpszEntry, nullptr);
        if (text.IsEmpty() || text.GetLength() % 2 != 0)
            return FALSE;
        UINT count = static_cast<UINT>(text.GetLength() / 2);
        LPBYTE data = new BYTE[count];
        for (UINT i = 0; i < count; ++i)
        {
            int low = text[static_cast<int>(2 * i)] - 'A', high = text[static_cast<int>(2 * i + 1)] - 'A';
            if (low < 0 || low > 15 || high < 0 || high > 15)
            {
                delete[] data;
                return FALSE;
            }
            data[i] = static_cast<BYTE>(low | (high << 4));
        }
        *ppData = data;
        *pBytes = count;
        return TRUE;
    }
    DWORD type = 0;
    std::vector<BYTE> data;
    if (!ReadValue(GetSectionKey(lpszSection), lpszEntry, type, data) || type != REG_BINARY || data.empty())
        return FALSE;
    *ppData = new BYTE[data.size()];
    memcpy(*ppData, data.data(), data.size());
    *pBytes = static_cast<UINT>(data.size());
    return TRUE;
}

BOOL CWinApp::WriteProfileBinary(LPCSTR lpszSection, LPCSTR lpszEntry, LPBYTE pData, UINT nBytes)
{
    if (m_pszRegistryKey == nullptr)
        return WriteProfileString(lpszSection, lpszEntry, EncodeBinary(pData, nBytes));
    HKEY hSection = GetSectionKey(lpszSection);
    if (hSection == nullptr)
        return FALSE;
    LONG result = ::RegSetValueExA(hSection, lpszEntry, 0, REG_BINARY, pData, nBytes);
    ::RegCloseKey(hSection);
    return result == ERROR_SUCCESS;
}
