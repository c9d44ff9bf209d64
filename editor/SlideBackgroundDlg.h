// The dialog of a slide's background: its image (browsed or dropped), one fade-over effect or a fade-in and
// a fade-out effect, the fading speed and the display duration. The caller fills the background copy, the
// image file, project folder, nominal (slide) size, language letter and pack; after IDOK the background copy
// holds the result.
#pragma once

#include "editor/PicturePreview.h"
#include "framework/win/Framework.h"
#include "show/Picture.h"
#include "show/Slide.h"

class CProjectPack;

class CSlideBackgroundDlg : public CDialog
{
public:
    explicit CSlideBackgroundDlg(CWnd* pParent = nullptr);

    enum
    {
        EFFECT_FADE_OVER = 0,
        EFFECT_IN_OUT = 1,
        MIN_DURATION = 50,
        MAX_DURATION = 100000
    };

    // TRUE when the picture of path has the nominal size; otherwise the image-size dialog tells the user and
    // the answer is FALSE (also for a picture that does not load).
    BOOL CheckNominalSize(const char* path);

    int m_nDuration;
    CString m_strFadeIn;
    CString m_strFadeOut;
    int m_bApplyAll;
    int m_nFadeSpeed;
    int m_nEffectType;
    CString m_strFadeOver;
    CSlideBackground m_Background;
    int m_nNominalWidth;
    int m_nNominalHeight;
    CPicturePreview m_Preview;
    CString m_strImageFile;
    CString m_strProjectFolder;
    CPicture m_Picture;
    char m_cLanguage;
    const CProjectPack* m_pPack;

protected:
    void DoDataExchange(CDataExchange* pDX) override;
    BOOL OnInitDialog() override;
    void OnOK() override;
    afx_msg void OnFadeOver();
    afx_msg void OnFadeInOut();
    afx_msg void OnBrowseImage();
    afx_msg void OnDropFiles(HDROP hDropInfo);
    afx_msg void OnHelp();
    void EnableEffectLists(BOOL fadeOver);
    // Loads the picture of the image file: from the pack's entry of that name, else from the file.
    BOOL LoadImageFile();
    void ShowPicture();

    CComboBox m_comboFadeIn;
    CComboBox m_comboFadeOut;
    CComboBox m_comboFadeOver;
    DECLARE_MESSAGE_MAP()
};
