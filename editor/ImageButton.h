// A push button of a dialog that shows a bitmap from the program's resources.
#pragma once

#include "framework/win/Framework.h"

class CImageButton : public CButton
{
    DECLARE_DYNAMIC(CImageButton)
public:
    CImageButton();
    ~CImageButton() override;

    // Takes over the dialog's control and gives it the bitmap as its image (when the bitmap loads).
    // Does nothing once attached.
    void Attach(CWnd* pDialog, UINT nControlID, UINT nBitmapID);
    BOOL IsAttached() const { return m_bAttached; }

protected:
    CBitmap m_bitmap;
    BOOL m_bAttached;
};
