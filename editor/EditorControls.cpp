#include "editor/EditorControls.h"

#include "resources/editor/resource.h"

#include <cstdlib>
#include <vector>

// ---- CColorSwatch -----------------------------------------------------------------------------------------

IMPLEMENT_DYNAMIC(CColorSwatch, CStatic)

BEGIN_MESSAGE_MAP(CColorSwatch, CStatic)
    ON_WM_PAINT()
END_MESSAGE_MAP()

CColorSwatch::CColorSwatch(COLORREF color) : m_crColor(color)
{
}

void CColorSwatch::SetColor(COLORREF color)
{
    m_crColor = color;
    if (GetSafeHwnd())
    {
        Invalidate(TRUE);
        UpdateWindow();
    }
}

void CColorSwatch::OnPaint()
{
    CPaintDC dc(this);
    CRect rc;
    GetClientRect(&rc);
    dc.FillSolidRect(&rc, m_crColor);
}

// ---- CFontStatic ------------------------------------------------------------------------------------------

IMPLEMENT_DYNAMIC(CFontStatic, CStatic)

BEGIN_MESSAGE_MAP(CFontStatic, CStatic)
    ON_WM_CTLCOLOR_REFLECT()
END_MESSAGE_MAP()

CFontStatic::CFontStatic() : m_crColor(0), m_nHeight(-11), m_nWeight(FW_NORMAL), m_bUnderline(0)
{
}

void CFontStatic::SetFont(int height, int weight, BOOL underline, COLORREF color)
{
    m_nHeight = height;
    m_nWeight = weight;
    m_bUnderline = underline ? 1 : 0;
    m_crColor = color;
}

HBRUSH CFontStatic::CtlColor(CDC* pDC, UINT nCtlColor)
{
    DWORD type = GetStyle() & SS_TYPEMASK;
    if (nCtlColor != CTLCOLOR_STATIC || (type != SS_LEFT && type != SS_CENTER && type != SS_RIGHT))
        return nullptr;
    if (m_font.GetSafeHandle() == nullptr)
    {
        LOGFONTA lf = {};
        CFont* own = GetFont();
        if (own == nullptr || own->GetLogFont(&lf) == 0)
            ::GetObjectA(::GetStockObject(DEFAULT_GUI_FONT), sizeof(lf), &lf);
        lf.lfHeight = m_nHeight;
        lf.lfWeight = m_nWeight;
        lf.lfUnderline = m_bUnderline;
        // The control draws its text in the font it holds, which it reads after this message.
        if (m_font.CreateFontIndirect(&lf))
            CStatic::SetFont(&m_font, FALSE);
    }
    pDC->SetTextColor(m_crColor);
    pDC->SetBkMode(TRANSPARENT);
    return static_cast<HBRUSH>(::GetStockObject(HOLLOW_BRUSH));
}

// ---- CImageFileFilter -------------------------------------------------------------------------------------

CString CImageFileFilter::GetFilter()
{
    // The patterns are separated by ';' throughout, so that .jpeg and .jif files are listed too.
    CString filter;
    filter.LoadString(IDS_FILTER_IMAGES);
    return filter;
}

BOOL CImageFileFilter::IsImageFile(const char* path)
{
    // Only the file name's own extension, and the whole of it: neither "C:\a.bmp\notes" nor "a.jpgold" is one.
    m_strExtension = Path::ExtensionOf(path);
    m_strExtension.MakeLower();
    if (m_strExtension.IsEmpty())
        return FALSE;
    static const char* const extensions[] = {".jpg", ".gif", ".jpeg", ".bmp", ".dib", ".wmf",
                                             ".emf", ".jif", ".avi",  ".xgs", ".xgp"};
    for (const char* extension : extensions)
        if (m_strExtension == extension)
            return TRUE;
    return FALSE;
}

// ---- CFontChoice ------------------------------------------------------------------------------------------

CFontChoice::CFontChoice()
    : m_logFont(), m_strFace("Arial"), m_strWeight("NORMAL"), m_nWeight(FW_NORMAL), m_bUnderline(FALSE),
      m_bItalic(FALSE), m_crColor(0), m_pOwner(AfxGetMainWnd()), m_nSize(16)
{
}

void CFontChoice::Set(const char* face, int size, const char* weightText, BOOL underline, BOOL italic,
                      COLORREF color, CWnd* owner)
{
    m_strWeight = weightText ? weightText : "";
    m_strWeight.Trim();
    m_strWeight.MakeUpper();
    m_nWeight = m_strWeight.Left(1) == "B" ? FW_BOLD : FW_NORMAL;
    m_strFace = face ? face : "";
    if (m_strFace.IsEmpty())
        m_strFace = "Arial";
    m_nSize = size < 6 ? 6 : (size > 100 ? 100 : size);
    m_bUnderline = underline ? TRUE : FALSE;
    m_bItalic = italic ? TRUE : FALSE;
    m_crColor = color;
    m_pOwner = owner;
}

INT_PTR CFontChoice::DoModal()
{
    m_logFont = LOGFONTA();
    // A character height, as the dialog hands it back: choosing the same font again keeps the size.
    m_logFont.lfHeight = -m_nSize;
    m_logFont.lfWeight = m_nWeight;
    m_logFont.lfItalic = m_bItalic ? 1 : 0;
    m_logFont.lfUnderline = m_bUnderline ? 1 : 0;
    m_logFont.lfCharSet = DEFAULT_CHARSET;
    lstrcpynA(m_logFont.lfFaceName, m_strFace, LF_FACESIZE);

    CFontDialog dialog(&m_logFont, CF_SCREENFONTS | CF_EFFECTS, m_pOwner);
    dialog.m_cf.rgbColors = m_crColor;
    INT_PTR result = dialog.DoModal();
    if (result == IDOK)
        TakeResult(dialog.m_lf, dialog.GetColor());
    return result;
}

void CFontChoice::TakeResult(const LOGFONTA& font, COLORREF color)
{
    m_logFont = font;
    m_nWeight = font.lfWeight;
    m_strWeight = font.lfWeight > FW_NORMAL ? "BOLD" : "NORMAL";
    m_strFace = font.lfFaceName;
    m_nSize = std::abs(static_cast<int>(font.lfHeight));
    m_bUnderline = font.lfUnderline ? TRUE : FALSE;
    m_bItalic = font.lfItalic ? TRUE : FALSE;
    m_crColor = color;
}

void CFontChoice::Get(CString& face, int& size, CString& weightText, BOOL& underline, BOOL& italic,
                      COLORREF& color) const
{
    face = m_strFace;
    size = m_nSize;
    weightText = m_strWeight;
    underline = m_bUnderline;
    italic = m_bItalic;
    color = m_crColor;
}

// ---- dialog helpers ---------------------------------------------------------------------------------------

BOOL PickColor(CWnd* owner, COLORREF& color)
{
    CColorDialog dialog(color, CC_FULLOPEN | CC_ANYCOLOR, owner);
    if (dialog.DoModal() != IDOK)
        return FALSE;
    color = dialog.GetColor();
    return TRUE;
}

void FillComboWithNames(CComboBox& combo, const CString& names)
{
    combo.ResetContent();
    for (int start = 0; start < names.GetLength();)
    {
        int bar = names.Find('|', start);
        CString name = bar < 0 ? names.Mid(start) : names.Mid(start, bar - start);
        if (name.IsEmpty())
            break;
        combo.AddString(name);
        if (bar < 0)
            break;
        start = bar + 1;
    }
}

int ClampInt(int value, int low, int high)
{
    return value < low ? low : (value > high ? high : value);
}

CString GetDroppedFile(HDROP drop, UINT index)
{
    UINT length = DragQueryFileA(drop, index, nullptr, 0);
    if (length == 0)
        return CString();
    std::vector<char> name(length + 1, '\0');
    DragQueryFileA(drop, index, name.data(), length + 1);
    return CString(name.data());
}
