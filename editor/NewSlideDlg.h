// The dialog that starts a new slide: its background comes from the texture catalogue beside the editor or
// from the user's own image, and is brought into the project folder. After IDOK m_strFile is the image in
// the project folder, of the nominal (slide) size.
#pragma once

#include "editor/EditorControls.h"
#include "editor/PicturePreview.h"
#include "framework/win/Framework.h"

class CNewSlideDlg : public CDialog
{
public:
    explicit CNewSlideDlg(CWnd* pParent = nullptr);

    enum
    {
        TEXTURE_BACKGROUND = 0,
        USER_BACKGROUND = 1,
        MAX_TEXTURES = 1000   // a damaged catalogue cannot keep the dialog busy
    };

    // FALSE for an empty path; a missing file or one of another type is refused with a message.
    BOOL CheckFile(const char* path);
    // TRUE when the picture has the nominal size; otherwise the image-size dialog tells the user and the
    // answer is FALSE (also for a picture that does not load).
    BOOL CheckSize(const char* path);

    CString m_strFile;
    int m_nBackground;
    CString m_strProjectFolder;
    int m_nWidth;   // nominal size of the slides
    int m_nHeight;
    CFontStatic m_Title;
    CImageFilePreview m_Preview;

protected:
    void DoDataExchange(CDataExchange* pDX) override;
    BOOL OnInitDialog() override;
    void OnOK() override;
    afx_msg void OnTextureChanged();
    afx_msg void OnTextureBackground();
    afx_msg void OnUserBackground();
    afx_msg void OnFileChanged();
    afx_msg void OnBrowse();
    afx_msg void OnCopyIntoProject();
    afx_msg void OnEditImage();
    afx_msg void OnHelp();

    void FillTextureList();
    // The image file of the selected texture; empty when none is selected.
    CString GetSelectedTexturePath();
    void UpdateBackgroundControls();
    void UpdateEditButton();
    void ShowPreview(const char* path);
    // The user's file or the selected texture, as the background choice says.
    CString GetChosenImagePath();
    // Copies the chosen image into the project folder; the file then names that copy. FALSE (the user was
    // told why) when it could not be copied.
    BOOL BringImageIntoProject();

    CListBox m_listTextures;
    DECLARE_MESSAGE_MAP()
};

// Gives a preview the proportions of a slide (638 x 466): its height and right edge stay, its width follows.
void FitPreviewToSlideShape(CWnd& preview);
