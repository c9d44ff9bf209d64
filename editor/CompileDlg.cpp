#include "editor/CompileDlg.h"

#include "editor/EditorControls.h"
#include "editor/FileHelpers.h"
#include "editor/HelpTopics.h"
#include "editor/ProjectSettings.h"
#include "resources/editor/resource.h"

BEGIN_MESSAGE_MAP(CCompileDlg, CDialog)
    ON_BN_CLICKED(IDC_COMPILE_COMPILE, OnCompile)
    ON_BN_CLICKED(IDC_COMPILE_DELETE, OnDelete)
    ON_BN_CLICKED(IDC_COMPILE_HELP, OnHelp)
    ON_BN_CLICKED(IDC_COMPILE_QUESTION, OnHelp)
END_MESSAGE_MAP()

CCompileDlg::CCompileDlg(CWnd* pParent) : CDialog(IDD_COMPILE, pParent)
{
}

void CCompileDlg::DoDataExchange(CDataExchange* pDX)
{
    CDialog::DoDataExchange(pDX);
    DDX_Text(pDX, IDC_COMPILE_PLAYER, m_strPlayerPath);
    DDX_Text(pDX, IDC_COMPILE_PROJECT_FILE, m_strProjectFilePath);
}

void CCompileDlg::OnCompile()
{
    if (!m_strPlainPlayerPath.IsEmpty())
        m_compiler.SetPlainPlayerPath(m_strPlainPlayerPath);
    CProjectSettings none;
    const CProjectSettings& settings = m_pSettings ? *m_pSettings : none;
    BOOL compiled = m_compiler.Compile(m_strPlayerPath, m_strProjectFolder, m_strProjectFilePath, settings);
    CString travelling = ListTravellingFiles(settings);
    if (compiled && !travelling.IsEmpty())
    {
        CString program = Path::FileNameOf(m_strPlayerPath);
        AfxMessageBox(m_compiler.GetMessage() + FormatString(IDS_COMPILE_FILES_TRAVEL,
                                                             static_cast<const char*>(program),
                                                             static_cast<const char*>(travelling)),
                      MB_OK | MB_ICONINFORMATION);
    }
    else
    {
        m_compiler.Report();
    }
    EndDialog(IDCANCEL);
}

CString CCompileDlg::ListTravellingFiles(const CProjectSettings& settings)
{
    // The pack carries the pictures and fonts; the sound and the end program are started from files.
    CString list;
    if (settings.m_nSoundOn && !settings.m_strSoundFile.IsEmpty())
        list += "    " + settings.m_strSoundFile + "\n";
    if (settings.m_nAutostartOn && !settings.m_strAutostartFile.IsEmpty())
        list += "    " + settings.m_strAutostartFile + "\n";
    return list;
}

void CCompileDlg::OnDelete()
{
    CString plain = m_strPlainPlayerPath.IsEmpty() ? m_compiler.GetPlainPlayerPath() : m_strPlainPlayerPath;
    // The editor's own player is plain already; any other copy is replaced after a question.
    if (!IsSameFile(plain, m_strPlayerPath))
    {
        CCopyResult copy = CopyFileWithPrompt(m_strPlayerPath, plain, TRUE);
        if (!copy && !copy.Declined())
        {
            CString text = FileExists(plain) ? FormatString(IDS_COMPILE_PLAYER_IN_USE, m_strPlayerPath.GetString())
                                             : FormatString(IDS_COMPILE_NO_PLAIN_PLAYER, plain.GetString());
            AfxMessageBox(WithCopyFailure(text, copy), MB_OK | MB_ICONEXCLAMATION);
        }
    }
    EndDialog(IDCANCEL);
}

void CCompileDlg::OnHelp()
{
    ShowHelpTopic("vc_compiler.htm");
}
