// Statics that show a picture fitted on a grey ground: one showing a picture (or bitmap) someone else owns,
// one loading its own picture from a file.
#pragma once

#include "framework/win/Framework.h"
#include "show/Picture.h"

class CPicturePreview : public CStatic
{
    DECLARE_DYNAMIC(CPicturePreview)
public:
    CPicturePreview();

    // Shows the picture (not owned; null shows the bitmap or nothing) and repaints at once.
    void SetPicture(CPicture* picture);

    CPicture* m_pPicture;
    CBitmap* m_pBitmap;   // not owned; shown when there is no loaded picture

protected:
    afx_msg void OnPaint();
    DECLARE_MESSAGE_MAP()
};

class CImageFilePreview : public CStatic
{
    DECLARE_DYNAMIC(CImageFilePreview)
public:
    CImageFilePreview();

    // Loads the file (an empty path or one that does not load shows grey only).
    void SetPath(const char* path);
    BOOL IsLoaded() const { return m_bLoaded; }
    int GetPictureWidth() const { return m_nWidth; }
    int GetPictureHeight() const { return m_nHeight; }

    CString m_strPath;
    BOOL m_bLoaded;
    int m_nWidth;
    int m_nHeight;
    CPicture m_Picture;

protected:
    BOOL LoadPath();
    afx_msg void OnPaint();
    DECLARE_MESSAGE_MAP()
};
