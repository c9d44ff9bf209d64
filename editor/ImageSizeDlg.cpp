#include "editor/ImageSizeDlg.h"

#include "editor/EditorControls.h"
#include "editor/EditorProfile.h"
#include "editor/FileHelpers.h"
#include "editor/ProjectSettings.h"
#include "resources/editor/resource.h"
#include "show/Picture.h"

void OpenImageForEditing(CWnd* owner, const char* path)
{
    HINSTANCE result =
        AfxShellExecute(owner ? owner->GetSafeHwnd() : nullptr, "open", path, nullptr, nullptr, SW_SHOWNORMAL);
    if (reinterpret_cast<INT_PTR>(result) <= 32)
        AfxMessageBox(IDS_NO_GRAPHICS_PROGRAM, MB_OK | MB_ICONEXCLAMATION);
}

BOOL CheckImageSize(CWnd* owner, const char* path, int width, int height)
{
    CPicture picture;
    if (!picture.Load(path))
    {
        AfxMessageBox(FormatString(IDS_PICTURE_UNREADABLE, path), MB_OK | MB_ICONEXCLAMATION);
        return FALSE;
    }
    if (picture.GetWidth() == width && picture.GetHeight() == height)
        return TRUE;
    CImageSizeDlg sizeDlg(owner);
    sizeDlg.m_strPath = path;
    sizeDlg.m_nTargetWidth = width;
    sizeDlg.m_nTargetHeight = height;
    sizeDlg.m_nActualWidth = picture.GetWidth();
    sizeDlg.m_nActualHeight = picture.GetHeight();
    sizeDlg.DoModal();
    return FALSE;
}

// ---- CImageSizeDlg ----------------------------------------------------------------------------------------

BEGIN_MESSAGE_MAP(CImageSizeDlg, CDialog)
    ON_BN_CLICKED(IDC_EDIT_IMAGE, OnEditImage)
END_MESSAGE_MAP()

CImageSizeDlg::CImageSizeDlg(CWnd* pParent)
    : CDialog(IDD_IMAGE_SIZE, pParent), m_nTargetWidth(0), m_nTargetHeight(0), m_nActualWidth(0),
      m_nActualHeight(0)
{
}

BOOL CImageSizeDlg::OnInitDialog()
{
    CDialog::OnInitDialog();
    if (!m_strPath.IsEmpty())
        SetDlgItemText(
            IDC_SIZE_MISMATCH,
            FormatString(IDS_SIZE_MISMATCH_FILE, Path::FileNameOf(m_strPath).GetString()));
    SetDlgItemText(IDC_SIZE_TARGET, FormatString(IDS_SIZE_TARGET, m_nTargetWidth, m_nTargetHeight));
    SetDlgItemText(IDC_SIZE_ACTUAL, FormatString(IDS_SIZE_ACTUAL, m_nActualWidth, m_nActualHeight));
    return TRUE;
}

void CImageSizeDlg::OnEditImage()
{
    if (!m_strPath.IsEmpty() && FileExists(m_strPath))
        OpenImageForEditing(this, m_strPath);
}

// ---- CImageSizeNoticeDlg ----------------------------------------------------------------------------------

CImageSizeNoticeDlg::CImageSizeNoticeDlg(CWnd* pParent)
    : CDialog(IDD_IMAGE_SIZE_NOTICE, pParent), m_bDoNotShowAgain(0), m_nWindowWidth(0), m_nWindowHeight(0)
{
}

void CImageSizeNoticeDlg::DoDataExchange(CDataExchange* pDX)
{
    CDialog::DoDataExchange(pDX);
    DDX_Check(pDX, IDC_NOTICE_HIDE, m_bDoNotShowAgain);
    DDX_Text(pDX, IDC_NOTICE_TEXT, m_strText);
}

BOOL CImageSizeNoticeDlg::OnInitDialog()
{
    const int slideWidth = m_nWindowWidth - CProjectSettings::WINDOW_EXTRA_WIDTH;
    const int slideHeight = m_nWindowHeight - CProjectSettings::WINDOW_EXTRA_HEIGHT;
    m_strText = FormatString(IDS_IMAGE_SIZE_NOTICE, m_nWindowWidth, m_nWindowHeight, slideWidth, slideHeight);
    return CDialog::OnInitDialog();
}

void CImageSizeNoticeDlg::OnOK()
{
    UpdateData(TRUE);
    SetProfileValue(EditorProfile::HIDE_IMAGE_INFO, m_bDoNotShowAgain);
    EndDialog(IDOK);
}
