// The editor's application object: the values every part of the editor asks for (application folder, own
// version) and the services they call: the system's name and version, program versions, the tutorial and
// texture paths.
#pragma once

#include "framework/win/Framework.h"

class CVexulCreatorApp : public CWinApp
{
    DECLARE_DYNAMIC(CVexulCreatorApp)
public:
    CVexulCreatorApp();
    ~CVexulCreatorApp() override;

    // Start-up: the profile, the application folder and version, the document template, the command line
    // (a pack named there is opened), the program paths in the profile, the main window; without a pack the
    // start-up dialogs follow through a posted command.
    BOOL InitInstance() override;
    int ExitInstance() override;
    // Open looks where the last project was: projects lie side by side, rarely beside the editor.
    CString GetFileOpenFolder() const override;
    // Every project's file has the same name: its recent-file entries show the folders.
    CRecentFileList* NewRecentFileList(UINT nStart, LPCSTR lpszSection, LPCSTR lpszEntryFormat,
                                       int nSize) override;

    // The update manager's answer (through the main window's registered message): kept, the day of the
    // check stored, and a positive answer followed by the update reminder.
    void OnUpdateResult(int value);
    // Starts the outside update manager with the editor's parameters.
    void RunUpdateCheck();
    // The update manager beside the editor.
    CString GetUpdateManagerPath() const;
    // "/PARAM=\"[...][...][...][...][...][...][VC][V2]\"" for the update manager.
    CString GetUpdateParameters() const;

    // Start-up: the folder of the editor's program file (see FindApplicationFolder) and the own version.
    void InitApplicationFolder();
    void InitOwnVersion();

    // "<product name> - <version>" of the running system, from the registry (read only).
    void GetWindowsVersionText(CString& text);
    // The paths of tutorial example number; 0 (and an empty folder) when the example is missing.
    int GetTutorExamplePaths(int number, CString& folder, CString& playerPath, CString& packPath,
                             CString& helpPath);
    // The texture catalogue's folder and file.
    void GetTexturePaths(CString& textureFolder, CString& cataloguePath);
    // The version of the player beside the editor, and of any program file: six digits "MMmmrr" of the
    // program's fixed product version (a compiled show keeps it, while its file version becomes the show's)
    // and that as a number; empty and -1 without a version.
    void GetPlayerVersion(CString& text, int& number);
    static void GetFileVersionText(const char* path, CString& text, int& number);

    // The folder of the editor's program, without a trailing backslash; empty when none can be found.
    CString FindApplicationFolder();

    CString m_strAppFolder;
    CString m_strPrivateBuild;
    CString m_strVersion;
    CString m_strFileToOpen;   // a project dropped on the view, opened by command 105
    int m_nStarted;
    int m_nUpdateResult;

protected:
    afx_msg void OnStartFlow();
    afx_msg void OnTipOfTheDay();
    afx_msg void OnAppAbout();
    afx_msg void OnHelpSupport();
    afx_msg void OnOpenDroppedProject();
    afx_msg void OnUpdateReminder();
    afx_msg void OnAppExit();
    afx_msg void OnHelpContents();
    afx_msg void OnCheckForUpdates();
    afx_msg void OnUpdateCheckForUpdates(CCmdUI* pCmdUI);
    afx_msg void OnUpgradeSoftware();
    DECLARE_MESSAGE_MAP()
};

extern CVexulCreatorApp theApp;
