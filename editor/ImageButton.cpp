#include "editor/ImageButton.h"

IMPLEMENT_DYNAMIC(CImageButton, CButton)

CImageButton::CImageButton() : m_bAttached(FALSE)
{
}

CImageButton::~CImageButton()
{
    // The button may still show the bitmap: take it back before the bitmap goes.
    if (GetSafeHwnd())
        SetBitmap(nullptr);
    m_bitmap.DeleteObject();
}

void CImageButton::Attach(CWnd* pDialog, UINT nControlID, UINT nBitmapID)
{
    if (m_bAttached || !pDialog || !SubclassDlgItem(nControlID, pDialog))
        return;
    if (m_bitmap.LoadBitmap(nBitmapID))
        SetBitmap(m_bitmap);
    m_bAttached = TRUE;
}
