// Two dialogs about the size of slide images: the one that shows an image's size beside the size the slides
// need (with a button that opens the image for editing), and the notice shown when a project is set up.
#pragma once

#include "framework/win/Framework.h"

class CImageSizeDlg : public CDialog
{
public:
    explicit CImageSizeDlg(CWnd* pParent = nullptr);

    CString m_strPath;
    int m_nTargetWidth;
    int m_nTargetHeight;
    int m_nActualWidth;
    int m_nActualHeight;

protected:
    BOOL OnInitDialog() override;
    afx_msg void OnEditImage();
    DECLARE_MESSAGE_MAP()
};

class CImageSizeNoticeDlg : public CDialog
{
public:
    explicit CImageSizeNoticeDlg(CWnd* pParent = nullptr);

    int m_bDoNotShowAgain;
    CString m_strText;
    int m_nWindowWidth;   // of the player window
    int m_nWindowHeight;

protected:
    void DoDataExchange(CDataExchange* pDX) override;
    BOOL OnInitDialog() override;
    void OnOK() override;
};

// TRUE when the picture of path has width x height pixels; a picture of another size is shown to the user in
// the image-size dialog. FALSE also for a picture that does not load, which the user is told.
BOOL CheckImageSize(CWnd* owner, const char* path, int width, int height);

// Opens a file with the program the system has for it; tells the user when none starts.
void OpenImageForEditing(CWnd* owner, const char* path);
