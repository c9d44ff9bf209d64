// The dialog that inserts or edits an image object: file, position, transparency, insert animation, speed
// and delay. The caller fills the members (and the animation's selection) and reads them after IDOK.
#pragma once

#include "framework/win/Framework.h"
#include "show/EffectNames.h"

class CImageObjectDlg : public CDialog
{
public:
    explicit CImageObjectDlg(CWnd* pParent = nullptr);

    enum
    {
        MIN_DELAY = 50,
        MAX_DELAY = 60000,
        MIN_SPEED = 25,
        MAX_SPEED = 2500
    };

    // Loads the picture and keeps its size. FALSE for an empty path, a picture that does not load, or one
    // larger than the slide (then, when asked, the user is told the largest and the actual size).
    BOOL CheckImage(const char* path, BOOL showMessage);

    int m_bApplyAllSlides;
    int m_bApplyThisSlide;
    CString m_strFile;
    int m_nX;
    int m_nY;
    int m_nDelay;
    CString m_strAnimation;
    int m_bTransparent;
    int m_nSpeed;
    CString m_strProjectFolder;   // where Browse starts
    CInsertAnimNames m_Animation;
    COLORREF m_crTransparent;
    int m_nSlideWidth;
    int m_nSlideHeight;
    int m_nPictureWidth;   // of the last check
    int m_nPictureHeight;
    CString m_strInitialFile;

protected:
    void DoDataExchange(CDataExchange* pDX) override;
    BOOL OnInitDialog() override;
    void OnOK() override;
    afx_msg void OnTransparent();
    afx_msg void OnTransparentColor();
    afx_msg void OnBrowse();
    afx_msg void OnHelp();

    CComboBox m_comboAnimation;
    DECLARE_MESSAGE_MAP()
};

// The file-open dialog for an image, starting in folder; empty when the user cancelled. The current folder
// stays as it was.
CString BrowseForImage(CWnd* owner, const char* folder);
