#include "editor/NewSlideDlg.h"

#include "editor/FileHelpers.h"
#include "editor/HelpTopics.h"
#include "editor/ImageObjectDlg.h"
#include "editor/ImageSizeDlg.h"
#include "editor/ProjectFiles.h"
#include "editor/VexulCreatorApp.h"
#include "resources/editor/resource.h"
#include "show/Picture.h"

#include <vector>

BEGIN_MESSAGE_MAP(CNewSlideDlg, CDialog)
    ON_LBN_SELCHANGE(IDC_TEXTURE_LIST, OnTextureChanged)
    ON_BN_CLICKED(IDC_TEXTURE_BACKGROUND, OnTextureBackground)
    ON_BN_CLICKED(IDC_USER_BACKGROUND, OnUserBackground)
    ON_BN_CLICKED(IDC_BROWSE, OnBrowse)
    ON_EN_CHANGE(IDC_NEW_SLIDE_FILE, OnFileChanged)
    ON_BN_CLICKED(IDC_COPY_INTO_PROJECT, OnCopyIntoProject)
    ON_BN_CLICKED(IDC_EDIT_IMAGE, OnEditImage)
    ON_BN_CLICKED(IDC_DIALOG_HELP, OnHelp)
END_MESSAGE_MAP()

namespace
{

// A value of the catalogue, whatever its length.
CString ReadCatalogueText(const char* section, const char* key, const char* catalogue)
{
    for (DWORD size = 256;; size *= 2)
    {
        std::vector<char> buffer(size, '\0');
        DWORD n = GetPrivateProfileStringA(section, key, "", buffer.data(), size, catalogue);
        if (n + 1 < size || size >= 65536)
            return CString(buffer.data(), static_cast<int>(n < size ? n : size - 1));
    }
}

}   // namespace

void FitPreviewToSlideShape(CWnd& preview)
{
    CRect rc;
    preview.GetWindowRect(&rc);
    CWnd* parent = preview.GetParent();
    if (parent != nullptr)
        parent->ScreenToClient(&rc);
    int width = (rc.Height() - 4) * 1369 / 1000 + 4;
    preview.MoveWindow(rc.right - width, rc.top, width, rc.Height());
}

CNewSlideDlg::CNewSlideDlg(CWnd* pParent)
    : CDialog(IDD_NEW_SLIDE, pParent), m_nBackground(TEXTURE_BACKGROUND), m_nWidth(0), m_nHeight(0)
{
}

void CNewSlideDlg::DoDataExchange(CDataExchange* pDX)
{
    CDialog::DoDataExchange(pDX);
    DDX_Control(pDX, IDC_TEXTURE_LIST, m_listTextures);
    DDX_Text(pDX, IDC_NEW_SLIDE_FILE, m_strFile);
    DDX_Radio(pDX, IDC_TEXTURE_BACKGROUND, m_nBackground);
}

BOOL CNewSlideDlg::OnInitDialog()
{
    CDialog::OnInitDialog();
    CString format;
    GetDlgItemText(IDC_NEW_SLIDE_SIZE, format);
    CString size;
    size.Format(format, m_nWidth, m_nHeight);
    SetDlgItemText(IDC_NEW_SLIDE_SIZE, size);

    m_Title.SubclassDlgItem(IDC_TITLE, this);
    m_Title.SetFont(-16, FW_BOLD, FALSE, RGB(0, 0, 128));

    m_Preview.SubclassDlgItem(IDC_NEW_SLIDE_PREVIEW, this);
    FitPreviewToSlideShape(m_Preview);

    FillTextureList();
    UpdateBackgroundControls();
    GetDlgItem(IDC_EDIT_IMAGE)->EnableWindow(FALSE);
    return TRUE;
}

void CNewSlideDlg::FillTextureList()
{
    m_listTextures.ResetContent();
    CString folder, catalogue;
    theApp.GetTexturePaths(folder, catalogue);
    CString nameKey;
    nameKey.LoadString(IDS_TEXTURE_NAME_KEY);
    if (FileExists(folder) && FileExists(catalogue))
    {
        int count = static_cast<int>(GetPrivateProfileIntA("TEXTURE", "COUNT", 0, catalogue));
        if (count > MAX_TEXTURES)
            count = MAX_TEXTURES;
        for (int i = 1; i <= count; i++)
        {
            CString section;
            section.Format("TEXTURE-%d", i);
            CString image = ReadCatalogueText(section, "IMAGE", catalogue);
            if (image.IsEmpty() || !FileExists(Path::Join(folder, image)))
                continue;
            CString name = ReadCatalogueText(section, nameKey, catalogue);
            int item = m_listTextures.AddString(name.IsEmpty() ? image : name);
            // Entries without an image are left out: the item remembers its own section.
            if (item >= 0)
                m_listTextures.SetItemData(item, static_cast<DWORD_PTR>(i));
        }
    }
    if (m_listTextures.GetCount() > 0)
    {
        m_listTextures.SetCurSel(0);
        ShowPreview(GetSelectedTexturePath());
    }
}

CString CNewSlideDlg::GetSelectedTexturePath()
{
    int item = m_listTextures.GetCurSel();
    if (item < 0)
        return CString();
    CString folder, catalogue;
    theApp.GetTexturePaths(folder, catalogue);
    CString section;
    section.Format("TEXTURE-%d", static_cast<int>(m_listTextures.GetItemData(item)));
    CString image = ReadCatalogueText(section, "IMAGE", catalogue);
    return image.IsEmpty() ? CString() : Path::Join(folder, image);
}

void CNewSlideDlg::ShowPreview(const char* path)
{
    m_Preview.SetPath(path);
    CString size;
    if (m_Preview.IsLoaded())
        size.Format("%d x %d Pixel", m_Preview.GetPictureWidth(), m_Preview.GetPictureHeight());
    SetDlgItemText(IDC_PREVIEW_SIZE, size);
    Invalidate();
}

void CNewSlideDlg::UpdateBackgroundControls()
{
    BOOL texture = IsDlgButtonChecked(IDC_USER_BACKGROUND) != BST_CHECKED;
    m_listTextures.EnableWindow(texture);
    GetDlgItem(IDC_NEW_SLIDE_FILE)->EnableWindow(!texture);
    GetDlgItem(IDC_BROWSE)->EnableWindow(!texture);
}

void CNewSlideDlg::UpdateEditButton()
{
    CString file;
    GetDlgItemText(IDC_NEW_SLIDE_FILE, file);
    CString folder;
    GetFolderOfPath(file, folder);
    BOOL inProject = FileExists(file) && !folder.IsEmpty() &&
                     GetFullPath(folder).CompareNoCase(GetFullPath(m_strProjectFolder)) == 0;
    GetDlgItem(IDC_EDIT_IMAGE)->EnableWindow(inProject);
}

void CNewSlideDlg::OnTextureChanged()
{
    GetDlgItem(IDC_EDIT_IMAGE)->EnableWindow(FALSE);
    CString path = GetSelectedTexturePath();
    if (FileExists(path))
        ShowPreview(path);
}

void CNewSlideDlg::OnTextureBackground()
{
    UpdateBackgroundControls();
    ShowPreview(GetSelectedTexturePath());
    GetDlgItem(IDC_EDIT_IMAGE)->EnableWindow(FALSE);
}

void CNewSlideDlg::OnUserBackground()
{
    UpdateBackgroundControls();
    CString file;
    GetDlgItemText(IDC_NEW_SLIDE_FILE, file);
    ShowPreview(file);
    UpdateEditButton();
}

void CNewSlideDlg::OnFileChanged()
{
    // A path typed (or pasted) shows its picture as a chosen one does.
    if (IsDlgButtonChecked(IDC_USER_BACKGROUND) != BST_CHECKED)
        return;
    CString file;
    GetDlgItemText(IDC_NEW_SLIDE_FILE, file);
    ShowPreview(file);
    UpdateEditButton();
}

void CNewSlideDlg::OnBrowse()
{
    CString path = BrowseForImage(this, m_strProjectFolder);
    if (path.IsEmpty())
        return;
    GetDlgItem(IDC_EDIT_IMAGE)->EnableWindow(FALSE);
    if (CheckFile(path))
    {
        SetDlgItemText(IDC_NEW_SLIDE_FILE, path);
        ShowPreview(path);
    }
    UpdateEditButton();
}

BOOL CNewSlideDlg::CheckFile(const char* path)
{
    if (path == nullptr || *path == '\0')
        return FALSE;
    if (!FileExists(path))
    {
        AfxMessageBox(IDS_CANNOT_OPEN_FILE, MB_OK | MB_ICONEXCLAMATION);
        return FALSE;
    }
    CImageFileFilter filter;
    if (!filter.IsImageFile(path))
    {
        AfxMessageBox(IDS_IMAGE_FORMAT, MB_OK | MB_ICONEXCLAMATION);
        return FALSE;
    }
    return TRUE;
}

BOOL CNewSlideDlg::CheckSize(const char* path)
{
    return CheckImageSize(this, path, m_nWidth, m_nHeight);
}

CString CNewSlideDlg::GetChosenImagePath()
{
    return m_nBackground == USER_BACKGROUND ? GetFullPath(m_strFile) : GetSelectedTexturePath();
}

BOOL CNewSlideDlg::BringImageIntoProject()
{
    if (!UpdateData(TRUE))
        return FALSE;
    // Through the import: an image the project has already is used as it is, and one that would replace
    // another picture of the same name is copied under a free name.
    CString source = GetChosenImagePath();
    CString relative;
    if (source.IsEmpty() || !FileExists(source) ||
        !ImportFileToProject(source, m_strProjectFolder, relative))
        return FALSE;
    m_strFile = Path::Join(m_strProjectFolder, relative);
    if (m_nBackground != USER_BACKGROUND)
    {
        m_nBackground = USER_BACKGROUND;
        UpdateData(FALSE);
        UpdateBackgroundControls();
        ShowPreview(m_strFile);
    }
    else
    {
        UpdateData(FALSE);
    }
    UpdateEditButton();
    return TRUE;
}

void CNewSlideDlg::OnCopyIntoProject()
{
    BringImageIntoProject();
}

void CNewSlideDlg::OnEditImage()
{
    CString file;
    GetDlgItemText(IDC_NEW_SLIDE_FILE, file);
    OpenImageForEditing(this, file);
}

void CNewSlideDlg::OnHelp()
{
    ShowHelpTopic("vc_slideadd.htm");
}

void CNewSlideDlg::OnOK()
{
    if (!UpdateData(TRUE))
        return;
    // The image is checked where it is, so that one refused never reaches the project folder.
    CString source = GetChosenImagePath();
    if (!CheckFile(source))
    {
        if (m_nBackground == USER_BACKGROUND)
        {
            m_strFile.Empty();
            UpdateData(FALSE);
        }
        return;
    }
    if (CheckSize(source) && BringImageIntoProject())
        EndDialog(IDOK);
}
