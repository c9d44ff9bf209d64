#include "editor/SlideBackgroundDlg.h"

#include "editor/EditorControls.h"
#include "editor/FileHelpers.h"
#include "editor/HelpTopics.h"
#include "editor/ImageObjectDlg.h"
#include "editor/ImageSizeDlg.h"
#include "editor/ProjectFiles.h"
#include "resources/editor/resource.h"
#include "show/ProjectPack.h"

BEGIN_MESSAGE_MAP(CSlideBackgroundDlg, CDialog)
    ON_BN_CLICKED(IDC_EFFECT_OVER, OnFadeOver)
    ON_BN_CLICKED(IDC_EFFECT_IN_OUT, OnFadeInOut)
    ON_BN_CLICKED(IDC_BROWSE_IMAGE, OnBrowseImage)
    ON_BN_CLICKED(IDC_DIALOG_HELP, OnHelp)
    ON_WM_DROPFILES()
END_MESSAGE_MAP()

namespace
{

// Lists one group of effects (NONE first) and selects the first entry.
void FillEffectList(CComboBox& combo, char letter, BOOL cover)
{
    combo.ResetContent();
    CEffectNames names;
    names.ResetIterator(letter);
    for (;;)
    {
        CString text;
        if (cover)
            names.NextCoverEffect(text);
        else
            names.NextPlainEffect(text);
        if (text.IsEmpty())
            break;
        combo.AddString(text);
    }
    combo.SetCurSel(0);
}

}   // namespace

CSlideBackgroundDlg::CSlideBackgroundDlg(CWnd* pParent)
    : CDialog(IDD_SLIDE_BACKGROUND, pParent), m_nDuration(0), m_bApplyAll(0), m_nFadeSpeed(1), m_nEffectType(-1),
      m_nNominalWidth(0), m_nNominalHeight(0), m_cLanguage('G'), m_pPack(nullptr)
{
}

void CSlideBackgroundDlg::DoDataExchange(CDataExchange* pDX)
{
    CDialog::DoDataExchange(pDX);
    DDX_Control(pDX, IDC_FADE_IN, m_comboFadeIn);
    DDX_Control(pDX, IDC_FADE_OUT, m_comboFadeOut);
    DDX_Control(pDX, IDC_FADE_OVER, m_comboFadeOver);
    DDX_Text(pDX, IDC_DURATION, m_nDuration);
    DDV_MinMaxInt(pDX, m_nDuration, MIN_DURATION, MAX_DURATION);
    DDX_CBString(pDX, IDC_FADE_IN, m_strFadeIn);
    DDX_CBString(pDX, IDC_FADE_OUT, m_strFadeOut);
    DDX_Check(pDX, IDC_APPLY_ALL, m_bApplyAll);
    DDX_Radio(pDX, IDC_SPEED_QUICK, m_nFadeSpeed);
    DDX_Radio(pDX, IDC_EFFECT_OVER, m_nEffectType);
    DDX_CBString(pDX, IDC_FADE_OVER, m_strFadeOver);
}

BOOL CSlideBackgroundDlg::OnInitDialog()
{
    DragAcceptFiles(TRUE);
    m_Preview.SubclassDlgItem(IDC_BACKGROUND_PREVIEW, this);
    m_comboFadeIn.SubclassDlgItem(IDC_FADE_IN, this);
    m_comboFadeOut.SubclassDlgItem(IDC_FADE_OUT, this);
    m_comboFadeOver.SubclassDlgItem(IDC_FADE_OVER, this);
    m_nDuration = m_Background.m_nDelay;
    // A speed from a damaged show would leave no speed chosen, and OK would store that.
    m_nFadeSpeed =
        m_Background.m_nFadeSpeed >= 0 && m_Background.m_nFadeSpeed <= 2 ? m_Background.m_nFadeSpeed : 1;
    FillEffectList(m_comboFadeIn, m_cLanguage, FALSE);
    FillEffectList(m_comboFadeOut, m_cLanguage, FALSE);
    FillEffectList(m_comboFadeOver, m_cLanguage, TRUE);

    m_Background.m_FadeIn.GetText(m_cLanguage, m_strFadeIn);
    m_Background.m_FadeOut.GetText(m_cLanguage, m_strFadeOut);
    const CString none = CEffectNames::GetNoneText(m_cLanguage);
    BOOL bothNone =
        m_Background.m_FadeIn.GetSelectedIndex() == 0 && m_Background.m_FadeOut.GetSelectedIndex() == 0;
    if (bothNone || m_Background.m_FadeIn.IsCoverEffect(m_strFadeIn, m_cLanguage))
    {
        m_nEffectType = EFFECT_FADE_OVER;
        m_strFadeOver = m_strFadeIn;
        m_strFadeIn = none;
        m_strFadeOut = none;
    }
    else
    {
        m_nEffectType = EFFECT_IN_OUT;
        m_strFadeOver = none;
    }
    EnableEffectLists(m_nEffectType == EFFECT_FADE_OVER);
    CDialog::OnInitDialog();

    if (!m_strImageFile.IsEmpty() && LoadImageFile())
        ShowPicture();
    return TRUE;
}

BOOL CSlideBackgroundDlg::LoadImageFile()
{
    int size = 0;
    const BYTE* data = m_pPack ? m_pPack->GetEntryData(m_strImageFile, size) : nullptr;
    if (data == nullptr || !m_Picture.LoadFromMemory(data, static_cast<DWORD>(size)) || !m_Picture.IsLoaded())
        m_Picture.Load(m_strImageFile);
    return m_Picture.IsLoaded();
}

void CSlideBackgroundDlg::ShowPicture()
{
    m_Preview.SetPicture(&m_Picture);
}

void CSlideBackgroundDlg::EnableEffectLists(BOOL fadeOver)
{
    m_comboFadeOver.EnableWindow(fadeOver);
    m_comboFadeIn.EnableWindow(!fadeOver);
    m_comboFadeOut.EnableWindow(!fadeOver);
}

void CSlideBackgroundDlg::OnFadeOver()
{
    EnableEffectLists(TRUE);
}

void CSlideBackgroundDlg::OnFadeInOut()
{
    EnableEffectLists(FALSE);
}

void CSlideBackgroundDlg::OnBrowseImage()
{
    if (!UpdateData(TRUE))
        return;
    CString path = BrowseForImage(this, m_strProjectFolder);
    CImageFileFilter filter;
    if (path.IsEmpty() || !filter.IsImageFile(path))
        return;
    CPicture candidate;
    if (!candidate.Load(path))
    {
        AfxMessageBox(FormatString(IDS_PICTURE_UNREADABLE, path.GetString()), MB_OK | MB_ICONEXCLAMATION);
        return;
    }
    int width = candidate.GetWidth();
    int height = candidate.GetHeight();
    if (width != m_nNominalWidth || height != m_nNominalHeight)
    {
        CString question;
        question.LoadString(IDS_SIZE_MISMATCH);
        question += FormatString(IDS_SIZE_TARGET, m_nNominalWidth, m_nNominalHeight);
        question += FormatString(IDS_SIZE_ACTUAL, width, height);
        CString distortion, accept;
        distortion.LoadString(IDS_SIZE_DISTORTION);
        accept.LoadString(IDS_SIZE_ACCEPT);
        if (AfxMessageBox(question + distortion + accept, MB_YESNO | MB_ICONQUESTION) != IDYES)
            return;
    }
    // The picture the dialog shows changes only once the user took the file.
    if (m_Picture.Load(path))
    {
        m_strImageFile = path;
        ShowPicture();
    }
    UpdateData(FALSE);
}

BOOL CSlideBackgroundDlg::CheckNominalSize(const char* path)
{
    return CheckImageSize(this, path, m_nNominalWidth, m_nNominalHeight);
}

void CSlideBackgroundDlg::OnDropFiles(HDROP hDropInfo)
{
    CString path = GetDroppedFile(hDropInfo, 0);
    DragFinish(hDropInfo);
    CImageFileFilter filter;
    // The size is checked first, so that a refused image is not copied into the project.
    if (path.IsEmpty() || !filter.IsImageFile(path) || !CheckNominalSize(path))
        return;
    CString relative;
    if (!ImportFileToProject(path, m_strProjectFolder, relative, m_pPack))
        return;
    if (m_Picture.Load(Path::Join(m_strProjectFolder, relative)))
    {
        m_strImageFile = relative;
        ShowPicture();
    }
    Invalidate();
}

void CSlideBackgroundDlg::OnHelp()
{
    ShowHelpTopic("vc_slidefeature.htm");
}

void CSlideBackgroundDlg::OnOK()
{
    if (!UpdateData(TRUE))
        return;
    if (!m_Picture.IsLoaded())
    {
        AfxMessageBox(IDS_NEED_BACKGROUND_IMAGE, MB_OK);
        return;
    }
    if (m_nEffectType == EFFECT_FADE_OVER)
    {
        m_strFadeIn = m_strFadeOver;
        m_Background.m_FadeIn.SelectByText(m_cLanguage, m_strFadeIn);
        // The rotations turn the old slide out and the new one in: both directions use them.
        CString key = m_Background.m_FadeIn.GetKeyAt(m_Background.m_FadeIn.GetSelectedIndex());
        if (key.Left(12) == "OUTIN_ROTATE")
            m_strFadeOut = m_strFadeOver;
    }
    m_Background.m_FadeOut.SelectByText(m_cLanguage, m_strFadeOut);
    m_Background.m_FadeIn.SelectByText(m_cLanguage, m_strFadeIn);
    m_Background.m_nDelay = m_nDuration;
    m_Background.m_strImageFile = m_strImageFile;
    m_Background.m_nFadeSpeed = m_nFadeSpeed;
    EndDialog(IDOK);
}
