#include "editor/ImageObjectDlg.h"

#include "editor/EditorControls.h"
#include "editor/FileHelpers.h"
#include "editor/HelpTopics.h"
#include "resources/editor/resource.h"
#include "show/Picture.h"

BEGIN_MESSAGE_MAP(CImageObjectDlg, CDialog)
    ON_BN_CLICKED(IDC_TRANSPARENT, OnTransparent)
    ON_BN_CLICKED(IDC_COLOR_BUTTON, OnTransparentColor)
    ON_BN_CLICKED(IDC_BROWSE, OnBrowse)
    ON_BN_CLICKED(IDC_OBJECT_HELP, OnHelp)
END_MESSAGE_MAP()

CString BrowseForImage(CWnd* owner, const char* folder)
{
    CString saved = GetCurrentFolder();
    CString start = Path::Join(folder, "*.*");
    CFileDialog dialog(TRUE, nullptr, start, OFN_HIDEREADONLY | OFN_OVERWRITEPROMPT, CImageFileFilter::GetFilter(),
                       owner);
    INT_PTR result = dialog.DoModal();
    if (!saved.IsEmpty())
        SetCurrentDirectoryA(saved);
    return result == IDOK ? dialog.GetPathName() : CString();
}

CImageObjectDlg::CImageObjectDlg(CWnd* pParent)
    : CDialog(IDD_IMAGE_OBJECT, pParent), m_bApplyAllSlides(0), m_bApplyThisSlide(0), m_nX(20), m_nY(10),
      m_nDelay(1000), m_bTransparent(0), m_nSpeed(1000), m_crTransparent(0), m_nSlideWidth(0), m_nSlideHeight(0),
      m_nPictureWidth(0), m_nPictureHeight(0)
{
}

void CImageObjectDlg::DoDataExchange(CDataExchange* pDX)
{
    CDialog::DoDataExchange(pDX);
    DDX_Control(pDX, IDC_ANIMATION, m_comboAnimation);
    DDX_Check(pDX, IDC_APPLY_ALL_SLIDES, m_bApplyAllSlides);
    DDX_Check(pDX, IDC_APPLY_THIS_SLIDE, m_bApplyThisSlide);
    DDX_Text(pDX, IDC_IMAGE_FILE, m_strFile);
    DDX_Text(pDX, IDC_POS_X, m_nX);
    DDX_Text(pDX, IDC_POS_Y, m_nY);
    DDX_Text(pDX, IDC_DELAY, m_nDelay);
    DDX_CBString(pDX, IDC_ANIMATION, m_strAnimation);
    DDX_Check(pDX, IDC_TRANSPARENT, m_bTransparent);
    DDX_Text(pDX, IDC_SPEED, m_nSpeed);
}

BOOL CImageObjectDlg::OnInitDialog()
{
    CDialog::OnInitDialog();
    UpdateData(TRUE);
    m_strInitialFile = m_strFile;
    GetDlgItem(IDC_COLOR_BUTTON)->EnableWindow(m_bTransparent);
    m_Animation.FillComboBox(&m_comboAnimation);
    return TRUE;
}

void CImageObjectDlg::OnTransparent()
{
    GetDlgItem(IDC_COLOR_BUTTON)->EnableWindow(IsDlgButtonChecked(IDC_TRANSPARENT) != 0);
}

void CImageObjectDlg::OnTransparentColor()
{
    PickColor(this, m_crTransparent);
}

void CImageObjectDlg::OnBrowse()
{
    CString path = BrowseForImage(this, m_strProjectFolder);
    CImageFileFilter filter;
    if (!path.IsEmpty() && filter.IsImageFile(path) && CheckImage(path, TRUE))
    {
        m_strFile = path;
        SetDlgItemText(IDC_IMAGE_FILE, m_strFile);
    }
}

void CImageObjectDlg::OnHelp()
{
    ShowHelpTopic("vc_imageobject.htm");
}

BOOL CImageObjectDlg::CheckImage(const char* path, BOOL showMessage)
{
    m_nPictureWidth = 0;
    m_nPictureHeight = 0;
    if (path == nullptr || *path == '\0')
        return FALSE;
    CPicture picture;
    if (!picture.Load(path))
    {
        if (showMessage)
            AfxMessageBox(FormatString(IDS_PICTURE_UNREADABLE, path), MB_OK | MB_ICONEXCLAMATION);
        return FALSE;
    }
    m_nPictureWidth = picture.GetWidth();
    m_nPictureHeight = picture.GetHeight();
    if (m_nPictureWidth > m_nSlideWidth || m_nPictureHeight > m_nSlideHeight)
    {
        if (showMessage)
        {
            CString tooBig;
            tooBig.LoadString(IDS_IMAGE_TOO_BIG);
            AfxMessageBox(tooBig + "          \n\n" + FormatString(IDS_SIZE_MAX, m_nSlideWidth, m_nSlideHeight) +
                              FormatString(IDS_SIZE_ACTUAL, m_nPictureWidth, m_nPictureHeight),
                          MB_OK | MB_ICONEXCLAMATION);
        }
        return FALSE;
    }
    return TRUE;
}

void CImageObjectDlg::OnOK()
{
    if (!UpdateData(TRUE))
        return;
    m_Animation.SelectByText(m_strAnimation);
    if (m_nX < 0)
        m_nX = 0;
    if (m_nY < 0)
        m_nY = 0;
    if (m_nX > m_nSlideWidth)
        m_nX = m_nSlideWidth - 1;
    if (m_nY > m_nSlideHeight)
        m_nY = m_nSlideHeight - 1;
    m_nDelay = ClampInt(m_nDelay, MIN_DELAY, MAX_DELAY);
    m_nSpeed = ClampInt(m_nSpeed, MIN_SPEED, MAX_SPEED);

    // A new image object without a file would show nothing: it needs a file as a changed one does.
    if ((m_strFile != m_strInitialFile || m_strFile.IsEmpty()) && !CheckImage(m_strFile, TRUE))
    {
        UpdateData(FALSE);
        // A file that is no picture has been named already; no file, or one too big, needs another.
        if (m_strFile.IsEmpty() || m_nPictureWidth > 0)
            AfxMessageBox(IDS_SPECIFY_IMAGE, MB_OK | MB_ICONEXCLAMATION);
        return;
    }
    if (m_nX + m_nPictureWidth > m_nSlideWidth)
        m_nX = m_nSlideWidth - m_nPictureWidth;
    if (m_nY + m_nPictureHeight > m_nSlideHeight)
        m_nY = m_nSlideHeight - m_nPictureHeight;
    UpdateData(FALSE);
    EndDialog(IDOK);
}
