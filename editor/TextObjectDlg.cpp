#include "editor/TextObjectDlg.h"

#include "editor/EditorControls.h"
#include "editor/HelpTopics.h"
#include "resources/editor/resource.h"
#include "show/FontEmbedding.h"
#include "show/Language.h"

BEGIN_MESSAGE_MAP(CTextObjectDlg, CDialog)
    ON_BN_CLICKED(IDC_COLOR_BUTTON, OnFontColor)
    ON_BN_CLICKED(IDC_SELECT_FONT, OnSelectFont)
    ON_BN_CLICKED(IDC_OBJECT_HELP, OnHelp)
END_MESSAGE_MAP()

CTextObjectDlg::CTextObjectDlg(CWnd* pParent)
    : CDialog(IDD_TEXT_OBJECT, pParent), m_nX(0), m_nY(0), m_nDelay(200), m_bApplyAllSlides(0),
      m_bApplyThisSlide(0), m_cLanguage(GetLanguage()), m_nSlideWidth(0), m_nSlideHeight(0)
{
}

void CTextObjectDlg::DoDataExchange(CDataExchange* pDX)
{
    CDialog::DoDataExchange(pDX);
    DDX_Control(pDX, IDC_ANIMATION, m_comboAnimation);
    DDX_Text(pDX, IDC_TEXT, m_strText);
    DDX_CBString(pDX, IDC_ANIMATION, m_strAnimation);
    DDX_Text(pDX, IDC_DELAY, m_nDelay);
    DDX_Text(pDX, IDC_POS_X, m_nX);
    DDX_Text(pDX, IDC_POS_Y, m_nY);
    DDX_Check(pDX, IDC_APPLY_ALL_SLIDES, m_bApplyAllSlides);
    DDX_Check(pDX, IDC_APPLY_THIS_SLIDE, m_bApplyThisSlide);
}

BOOL CTextObjectDlg::OnInitDialog()
{
    m_cLanguage = GetLanguage();
    CString names;
    m_TextObject.m_Animation.JoinTexts(m_cLanguage, names);
    // The names go in before the exchange selects the object's animation among them.
    if (m_comboAnimation.GetSafeHwnd() == nullptr)
        m_comboAnimation.SubclassDlgItem(IDC_ANIMATION, this);
    FillComboWithNames(m_comboAnimation, names);
    m_TextObject.m_Animation.GetText(m_cLanguage, m_strAnimation);
    m_nX = m_TextObject.m_nX;
    m_nY = m_TextObject.m_nY;
    m_strText = m_TextObject.m_strText;
    m_nDelay = m_TextObject.m_nDelay;
    return CDialog::OnInitDialog();
}

void CTextObjectDlg::OnFontColor()
{
    PickColor(this, m_TextObject.m_crColor);
}

void CTextObjectDlg::OnSelectFont()
{
    CFontChoice choice;
    choice.Set(m_TextObject.m_strFontName, m_TextObject.m_nFontSize, m_TextObject.m_strFontWeight,
               m_TextObject.m_bUnderline, m_TextObject.m_bItalic, m_TextObject.m_crColor, this);
    if (choice.DoModal() != IDOK)
        return;
    choice.Get(m_TextObject.m_strFontName, m_TextObject.m_nFontSize, m_TextObject.m_strFontWeight,
               m_TextObject.m_bUnderline, m_TextObject.m_bItalic, m_TextObject.m_crColor);
    CheckFontEmbedding(m_TextObject.m_strFontName);
}

void CTextObjectDlg::CheckFontEmbedding(const CString& face)
{
    if (face.Find("Arial Unicode") >= 0)
        return;
    CClientDC dc(AfxGetMainWnd());
    UINT problem = 0;
    if (!IsFontInstalled(&dc, face))
        problem = IDS_FONT_INTERNAL_ERROR;
    else if (!IsTrueTypeFont(&dc, face))
        problem = IDS_FONT_NOT_TRUETYPE;
    else if (IsFontEmbeddingRestricted(&dc, face))
        problem = IDS_FONT_COPY_PROTECTED;
    if (problem != 0)
        AfxMessageBox(FormatString(IDS_FONT_PROBLEM, FormatString(problem, face)), MB_OK);
}

void CTextObjectDlg::OnHelp()
{
    ShowHelpTopic("vc_textobject.htm");
}

void CTextObjectDlg::OnOK()
{
    if (!UpdateData(TRUE))
        return;
    if (m_strText.IsEmpty())
    {
        AfxMessageBox(IDS_NEED_TEXT, MB_OK);
        return;
    }
    m_nDelay = ClampInt(m_nDelay, MIN_DELAY, MAX_DELAY);
    if (m_nX < 0)
        m_nX = 0;
    if (m_nY < 0)
        m_nY = 0;
    if (m_nSlideWidth > 0 && m_nX > m_nSlideWidth)
        m_nX = m_nSlideWidth - 20 > 0 ? m_nSlideWidth - 20 : 0;
    if (m_nSlideHeight > 0 && m_nY > m_nSlideHeight)
        m_nY = m_nSlideHeight - 20 > 0 ? m_nSlideHeight - 20 : 0;
    UpdateData(FALSE);
    if (!AcceptTextWidth())
        return;

    m_TextObject.m_Animation.SelectByText(m_cLanguage, m_strAnimation);
    m_TextObject.m_strText = m_strText;
    m_TextObject.m_nDelay = m_nDelay;
    m_TextObject.m_nX = m_nX;
    m_TextObject.m_nY = m_nY;
    EndDialog(IDOK);
}

BOOL CTextObjectDlg::AcceptTextWidth()
{
    if (m_nSlideWidth <= 0)
        return TRUE;
    // Measured as the slide editor draws it, which keeps only what fits right of the position.
    CAniText measured;
    measured.CopyFrom(m_TextObject);
    measured.m_strText = m_strText;
    CClientDC dc(this);
    int fits = measured.CountFittingCharacters(&dc, static_cast<long long>(m_nSlideWidth) - m_nX);
    int length = m_strText.GetLength();
    if (fits >= length)
        return TRUE;
    if (AfxMessageBox(FormatString(IDS_TEXT_TOO_LONG, m_nX, fits, length, fits), MB_YESNO | MB_ICONQUESTION) !=
        IDYES)
        return FALSE;
    m_strText = m_strText.Left(fits);
    UpdateData(FALSE);
    return TRUE;
}
