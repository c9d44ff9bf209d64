// The application object and its start-up driver.
//
// A program defines one global object of a CWinApp subclass. The framework's WinMain runs InitInstance;
// when it returns TRUE the message loop (Run) follows, otherwise ExitInstance runs at once; either way
// ExitInstance gives the exit code.
#pragma once

#include "framework/win/Wnd.h"

#include <string>
#include <vector>

class CWinApp;
class CDocTemplate;
class CDocument;
class CRecentFileList;

class CCommandLineInfo : public CObject
{
public:
    CCommandLineInfo();
    ~CCommandLineInfo() override;

    // Called once per item of the command line: a leading '/' or '-' is stripped and bFlag set; bLast
    // marks the last item.
    virtual void ParseParam(const char* pszParam, BOOL bFlag, BOOL bLast);

    BOOL m_bShowSplash;
    BOOL m_bRunEmbedded;
    BOOL m_bRunAutomated;
    enum
    {
        FileNew,
        FileOpen,
        FilePrint,
        FilePrintTo,
        FileDDE,
        AppRegister,
        AppUnregister,
        FileNothing = -1
    } m_nShellCommand;
    CString m_strFileName;
    CString m_strPrinterName;
    CString m_strDriverName;
    CString m_strPortName;

protected:
    void ParseParamFlag(const char* pszParam);
    void ParseParamNotFlag(const char* pszParam);
    void ParseLast(BOOL bLast);
};

class CWinApp : public CCmdTarget
{
    DECLARE_DYNAMIC(CWinApp)
public:
    explicit CWinApp(LPCSTR lpszAppName = nullptr);
    ~CWinApp() override;
    CWinApp(const CWinApp&) = delete;
    friend BOOL AfxWinInit(HINSTANCE, HINSTANCE, LPSTR, int);
    CWinApp& operator=(const CWinApp&) = delete;

    // Start-up state (set by the driver). m_lpCmdLine is borrowed (a program or test may point it at any
    // text). The m_psz members show texts the application owns; a program changes the name with SetAppName
    // (or points a member at a text of its own, which stays its own) and never frees them.
    HINSTANCE m_hInstance = nullptr;
    LPSTR m_lpCmdLine = nullptr;
    int m_nCmdShow = SW_SHOWNORMAL;
    LPCSTR m_pszAppName = nullptr;
    LPCSTR m_pszExeName = nullptr;
    LPCSTR m_pszProfileName = nullptr;
    LPCSTR m_pszRegistryKey = nullptr;
    CWnd* m_pMainWnd = nullptr;
    MSG m_msgCur = {};

    virtual BOOL InitApplication();
    virtual BOOL InitInstance();
    virtual int ExitInstance();   // the program's exit code
    virtual int Run();
    virtual BOOL PreTranslateMessage(MSG* pMsg);
    virtual BOOL OnIdle(LONG lCount);   // TRUE: more idle work wanted
    virtual BOOL PumpMessage();
    virtual BOOL IsIdleMessage(MSG* pMsg);
    virtual int DoMessageBox(LPCSTR lpszPrompt, UINT nType, UINT nIDPrompt);
    virtual CWnd* GetMainWnd() { return m_pMainWnd; }
    // m_pszAppName becomes a copy of the text (null: none).
    void SetAppName(LPCSTR lpszAppName);

    // ---- documents ----
    // The application owns its templates (deleted with it).
    void AddDocTemplate(CDocTemplate* pTemplate);
    POSITION GetFirstDocTemplatePosition() const;
    CDocTemplate* GetNextDocTemplate(POSITION& rPosition) const;
    // Opens a file with the (first) template; null when it could not be opened or the user kept the
    // current document.
    virtual CDocument* OpenDocumentFile(LPCSTR lpszFileName);
    // Runs what the command line asks: a new document, a file to open, nothing. FALSE when that failed
    // (the program should end) or is not supported (printing, registration, DDE).
    BOOL ProcessShellCommand(CCommandLineInfo& rCmdInfo);
    virtual BOOL SaveAllModified();   // FALSE when the user cancelled
    void CloseAllDocuments(BOOL bEndSession);
    // Asks for a file name with the file dialog (CFileDialog: the template's filter and extension, then all
    // files; an open dialog starts in GetFileOpenFolder); fileName is the suggestion and the answer. FALSE when
    // cancelled.
    virtual BOOL DoPromptFileName(CString& fileName, DWORD lFlags, BOOL bOpenFileDialog, CDocTemplate* pTemplate);
    // The folder a document's open dialog starts in; empty (the current folder) unless a program knows better.
    virtual CString GetFileOpenFolder() const;
    afx_msg void OnFileNew();
    afx_msg void OnFileOpen();
    int m_nOpenFailures = 0;   // files the documents could not open (a failed recent file leaves the list)

    // ---- recent files ----
    // Reads the recent-file list (nMaxMRU entries; 0: none) from the profile section "Recent File List".
    void LoadStdProfileSettings(UINT nMaxMRU = 4);
    void SaveStdProfileSettings();   // done by ExitInstance
    virtual void AddToRecentFileList(LPCSTR lpszPathName);
    // The list LoadStdProfileSettings makes; a program whose files want other menu texts makes its own kind.
    virtual CRecentFileList* NewRecentFileList(UINT nStart, LPCSTR lpszSection, LPCSTR lpszEntryFormat, int nSize);
    CRecentFileList* m_pRecentFileList = nullptr;

    // Splits m_lpCmdLine (quotes and backslashes as the C runtime does) and passes each item on.
    void ParseCommandLine(CCommandLineInfo& rCmdInfo);
    BOOL Enable3dControls() { return TRUE; }
    BOOL Enable3dControlsStatic() { return TRUE; }

    // Icons and cursors: resources of the program, or the system's standard ones.
    HICON LoadIcon(LPCSTR lpszResourceName) const;
    HICON LoadIcon(UINT nIDResource) const;
    HICON LoadStandardIcon(LPCSTR lpszIconName) const;
    HCURSOR LoadCursor(LPCSTR lpszResourceName) const;
    HCURSOR LoadCursor(UINT nIDResource) const;
    HCURSOR LoadStandardCursor(LPCSTR lpszCursorName) const;
    // nCode 1: begin (wait cursor shown), -1: end (the last end restores the arrow), 0: show again.
    virtual void DoWaitCursor(int nCode);

    // Profile: under HKEY_CURRENT_USER\Software\<registry key>\<profile name>\<section> once SetRegistryKey
    // was called, otherwise in the INI file m_pszProfileName.
    void SetRegistryKey(LPCSTR lpszRegistryKey);
    void SetRegistryKey(UINT nIDRegistryKey);
    HKEY GetAppRegistryKey();                 // caller closes; null without a registry key
    HKEY GetSectionKey(LPCSTR lpszSection);   // caller closes
    UINT GetProfileInt(LPCSTR lpszSection, LPCSTR lpszEntry, int nDefault);
    BOOL WriteProfileInt(LPCSTR lpszSection, LPCSTR lpszEntry, int nValue);
    CString GetProfileString(LPCSTR lpszSection, LPCSTR lpszEntry, LPCSTR lpszDefault = nullptr);
    // A null entry removes the whole section, a null value removes the entry.
    BOOL WriteProfileString(LPCSTR lpszSection, LPCSTR lpszEntry, LPCSTR lpszValue);
    // *ppData is allocated with new[] (the caller delete[]s it); FALSE and null when absent.
    BOOL GetProfileBinary(LPCSTR lpszSection, LPCSTR lpszEntry, LPBYTE* ppData, UINT* pBytes);
    BOOL WriteProfileBinary(LPCSTR lpszSection, LPCSTR lpszEntry, LPBYTE pData, UINT nBytes);

protected:
    afx_msg BOOL OnOpenRecentFile(UINT nID);
    afx_msg void OnUpdateRecentFileMenu(CCmdUI* pCmdUI);
    std::vector<CDocTemplate*> m_templates;

    std::string m_strOwnedCmdLine;   // the driver's copy that m_lpCmdLine points at
    int m_nWaitCursorCount = 0;
    HCURSOR m_hcurWaitCursorRestore = nullptr;

private:
    // Points the member at the application's own copy of the value (null: none).
    static void SetOwnedText(LPCSTR& member, CString& owned, LPCSTR value);

    CWinApp* m_pPreviousApp = nullptr;   // the application object there was before this one
    CString m_strAppName;                // what the m_psz members show
    CString m_strExeName;
    CString m_strProfileName;
    CString m_strRegistryKey;

    DECLARE_MESSAGE_MAP()
};

CWinApp* AfxGetApp();
CWnd* AfxGetMainWnd();
LPCSTR AfxGetAppName();
// Shows a message box captioned with the application's name through the core's message-box call (tests
// record it). Returns the button chosen.
int AfxMessageBox(LPCSTR lpszText, UINT nType = MB_OK, UINT nIDHelp = 0);
int AfxMessageBox(UINT nIDPrompt, UINT nType = MB_OK, UINT nIDHelp = (UINT)-1);
// The framework's start-up driver (WinMain calls it): OLE is initialized on this thread for the whole run
// (drag and drop and the shell's menus need it).
int AfxWinMain(HINSTANCE hInstance, HINSTANCE hPrevInstance, LPSTR lpCmdLine, int nCmdShow);
// Sets up the framework for a program that has no WinMain of ours (tests): instance handle, common controls.
BOOL AfxWinInit(HINSTANCE hInstance, HINSTANCE hPrevInstance, LPSTR lpCmdLine, int nCmdShow);
void AfxEnableControlContainer();
