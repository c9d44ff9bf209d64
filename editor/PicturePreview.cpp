#include "editor/PicturePreview.h"

// ---- CPicturePreview --------------------------------------------------------------------------------------

IMPLEMENT_DYNAMIC(CPicturePreview, CStatic)

BEGIN_MESSAGE_MAP(CPicturePreview, CStatic)
    ON_WM_PAINT()
END_MESSAGE_MAP()

CPicturePreview::CPicturePreview() : m_pPicture(nullptr), m_pBitmap(nullptr)
{
}

void CPicturePreview::SetPicture(CPicture* picture)
{
    m_pPicture = picture;
    if (GetSafeHwnd())
    {
        Invalidate(TRUE);
        UpdateWindow();
    }
}

void CPicturePreview::OnPaint()
{
    CPaintDC dc(this);
    CRect rc;
    GetClientRect(&rc);
    dc.FillSolidRect(&rc, RGB(192, 192, 192));
    if (m_pPicture != nullptr && m_pPicture->IsLoaded())
        m_pPicture->RenderFitted(&dc, CRect(rc.left, rc.top, rc.right - 2, rc.bottom - 2));
    else if (m_pBitmap != nullptr && m_pBitmap->GetSafeHandle() != nullptr)
        CPicture::BlitBitmap(&dc, rc, m_pBitmap);
}

// ---- CImageFilePreview ------------------------------------------------------------------------------------

IMPLEMENT_DYNAMIC(CImageFilePreview, CStatic)

BEGIN_MESSAGE_MAP(CImageFilePreview, CStatic)
    ON_WM_PAINT()
END_MESSAGE_MAP()

CImageFilePreview::CImageFilePreview() : m_bLoaded(FALSE), m_nWidth(0), m_nHeight(0)
{
}

void CImageFilePreview::SetPath(const char* path)
{
    m_bLoaded = FALSE;
    m_strPath = path ? path : "";
    LoadPath();
}

BOOL CImageFilePreview::LoadPath()
{
    m_nWidth = 0;
    m_nHeight = 0;
    m_bLoaded = !m_strPath.IsEmpty() && m_Picture.Load(m_strPath);
    if (m_bLoaded)
    {
        m_nWidth = m_Picture.GetWidth();
        m_nHeight = m_Picture.GetHeight();
    }
    else
    {
        m_Picture.FreePicture();
    }
    return m_bLoaded;
}

void CImageFilePreview::OnPaint()
{
    CPaintDC dc(this);
    if (!m_bLoaded && !m_strPath.IsEmpty())
        LoadPath();
    CRect rc;
    GetClientRect(&rc);
    dc.FillSolidRect(&rc, RGB(176, 176, 176));
    if (m_bLoaded)
        m_Picture.RenderFitted(&dc, rc);
}
