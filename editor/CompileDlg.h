// The compile dialog: shows the project's player copy and pack, compiles the show into the copy, or puts
// a plain player back ("Delete").
#pragma once

#include "editor/ShowCompiler.h"
#include "framework/win/Framework.h"

class CProjectSettings;

class CCompileDlg : public CDialog
{
public:
    explicit CCompileDlg(CWnd* pParent = nullptr);

    CString m_strPlayerPath;        // the project's player copy
    CString m_strProjectFilePath;   // the project's pack
    CString m_strProjectFolder;
    CString m_strPlainPlayerPath;   // the editor's own player; beside the editor when empty
    const CProjectSettings* m_pSettings = nullptr;

    // The outcome of the last compile.
    const CShowCompiler& GetCompiler() const { return m_compiler; }

protected:
    void DoDataExchange(CDataExchange* pDX) override;
    afx_msg void OnCompile();
    afx_msg void OnDelete();
    afx_msg void OnHelp();
    // The files the show is played with that the compiled program does not carry, one indented line each.
    static CString ListTravellingFiles(const CProjectSettings& settings);

    CShowCompiler m_compiler;
    DECLARE_MESSAGE_MAP()
};
