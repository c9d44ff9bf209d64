#include "editor/RectangleObjectDlg.h"

#include "editor/HelpTopics.h"
#include "resources/editor/resource.h"

BEGIN_MESSAGE_MAP(CRectangleObjectDlg, CDialog)
    ON_BN_CLICKED(IDC_RECT_MODE_FILL, OnMode)
    ON_BN_CLICKED(IDC_RECT_MODE_LIGHTEN, OnMode)
    ON_BN_CLICKED(IDC_RECT_MODE_COLORIZE, OnMode)
    ON_BN_CLICKED(IDC_RECT_FRAME, OnFrame)
    ON_BN_CLICKED(IDC_RECT_FILL_COLOR, OnFillColor)
    ON_BN_CLICKED(IDC_RECT_FRAME_COLOR, OnFrameColor)
    ON_BN_CLICKED(IDC_RECT_SNAP, OnSnapToGrid)
    ON_BN_CLICKED(IDC_RECT_MAX_WIDTH, OnMaxWidth)
    ON_BN_CLICKED(IDC_RECT_MAX_HEIGHT, OnMaxHeight)
    ON_BN_CLICKED(IDC_DIALOG_HELP, OnHelp)
END_MESSAGE_MAP()

CRectangleObjectDlg::CRectangleObjectDlg(CWnd* pParent)
    : CDialog(IDD_RECTANGLE_OBJECT, pParent), m_nHeight(30), m_nWidth(50), m_nX(0), m_nY(0),
      m_nMode(CFrameObj::FILL_LIGHTEN), m_nBlue(0), m_nGreen(0), m_nRed(0), m_nLight(100), m_bFrame(0),
      m_nSpeed(1000), m_bApplyThisSlide(0), m_nDelay(1000), m_rcDrawn(0, 0, 0, 0), m_nGrid(1),
      m_crFill(RGB(255, 255, 255)), m_crFrame(RGB(0, 0, 0)), m_nSlideWidth(0), m_nSlideHeight(0)
{
}

void CRectangleObjectDlg::DoDataExchange(CDataExchange* pDX)
{
    CDialog::DoDataExchange(pDX);
    DDX_Control(pDX, IDC_ANIMATION, m_comboAnimation);
    DDX_Text(pDX, IDC_POS_X, m_nX);
    DDX_Text(pDX, IDC_POS_Y, m_nY);
    DDX_Text(pDX, IDC_RECT_WIDTH, m_nWidth);
    DDX_Text(pDX, IDC_RECT_HEIGHT, m_nHeight);
    DDX_Radio(pDX, IDC_RECT_MODE_FILL, m_nMode);
    DDX_Text(pDX, IDC_RECT_LIGHT, m_nLight);
    DDV_MinMaxInt(pDX, m_nLight, MIN_OFFSET, MAX_OFFSET);
    DDX_Text(pDX, IDC_RECT_RED, m_nRed);
    DDV_MinMaxInt(pDX, m_nRed, MIN_OFFSET, MAX_OFFSET);
    DDX_Text(pDX, IDC_RECT_GREEN, m_nGreen);
    DDV_MinMaxInt(pDX, m_nGreen, MIN_OFFSET, MAX_OFFSET);
    DDX_Text(pDX, IDC_RECT_BLUE, m_nBlue);
    DDV_MinMaxInt(pDX, m_nBlue, MIN_OFFSET, MAX_OFFSET);
    DDX_Check(pDX, IDC_RECT_FRAME, m_bFrame);
    DDX_CBString(pDX, IDC_ANIMATION, m_strAnimation);
    DDX_Text(pDX, IDC_SPEED, m_nSpeed);
    DDX_Check(pDX, IDC_APPLY_THIS_SLIDE, m_bApplyThisSlide);
    DDX_Text(pDX, IDC_DELAY, m_nDelay);
}

FrameObjRecord CRectangleObjectDlg::GetRecord() const
{
    FrameObjRecord record = {};
    record.nKind = 3;
    record.nX = m_nX;
    record.nY = m_nY;
    record.nHeight = m_nHeight;
    record.nWidth = m_nWidth;
    record.nAnimation = m_Animation.GetSelectedIndex();
    record.nSpeed = m_nSpeed;
    record.nFillMode = m_nMode;
    record.nBlue = m_nBlue;
    record.nGreen = m_nGreen;
    record.nRed = m_nRed;
    record.nLight = m_nLight;
    record.bFrame = m_bFrame;
    record.crFill = m_crFill;
    record.crFrame = m_crFrame;
    return record;
}

void CRectangleObjectDlg::KeepInsideSlide()
{
    if (m_nX < 0)
        m_nX = 0;
    if (m_nY < 0)
        m_nY = 0;
    if (m_nX >= m_nSlideWidth)
        m_nX = m_nSlideWidth - 1;
    if (m_nY >= m_nSlideHeight)
        m_nY = m_nSlideHeight - 1;
    if (m_nWidth <= 0)
        m_nWidth = 1;
    if (m_nHeight <= 0)
        m_nHeight = 1;
}

BOOL CRectangleObjectDlg::OnInitDialog()
{
    if (!m_rcDrawn.IsRectEmpty())
    {
        m_nX = m_rcDrawn.left;
        m_nY = m_rcDrawn.top;
        m_nWidth = m_rcDrawn.Width();
        m_nHeight = m_rcDrawn.Height();
    }
    KeepInsideSlide();
    if (m_nX + m_nWidth > m_nSlideWidth)
        m_nWidth = m_nSlideWidth - m_nX;
    if (m_nY + m_nHeight > m_nSlideHeight)
        m_nHeight = m_nSlideHeight - m_nY;
    m_nSpeed = CFrameObj::ClampSpeed(m_nSpeed);

    CDialog::OnInitDialog();
    m_swatchFill.SubclassDlgItem(IDC_RECT_FILL_SWATCH, this);
    m_swatchFrame.SubclassDlgItem(IDC_RECT_FRAME_SWATCH, this);
    m_swatchFill.SetColor(m_crFill);
    m_swatchFrame.SetColor(m_crFrame);
    m_Animation.FillComboBox(&m_comboAnimation);
    UpdateControls();
    return TRUE;
}

void CRectangleObjectDlg::UpdateControls()
{
    int mode = GetCheckedRadioButton(IDC_RECT_MODE_FILL, IDC_RECT_MODE_COLORIZE);
    BOOL fill = mode == IDC_RECT_MODE_FILL;
    BOOL colorize = mode == IDC_RECT_MODE_COLORIZE;
    GetDlgItem(IDC_RECT_FILL_COLOR)->EnableWindow(fill);
    GetDlgItem(IDC_RECT_LIGHT)->EnableWindow(mode == IDC_RECT_MODE_LIGHTEN);
    GetDlgItem(IDC_RECT_RED)->EnableWindow(colorize);
    GetDlgItem(IDC_RECT_GREEN)->EnableWindow(colorize);
    GetDlgItem(IDC_RECT_BLUE)->EnableWindow(colorize);
    GetDlgItem(IDC_RECT_FRAME_COLOR)->EnableWindow(IsDlgButtonChecked(IDC_RECT_FRAME) != 0);
}

void CRectangleObjectDlg::OnMode()
{
    UpdateControls();
}

void CRectangleObjectDlg::OnFrame()
{
    UpdateControls();
}

void CRectangleObjectDlg::OnFillColor()
{
    if (PickColor(this, m_crFill))
        m_swatchFill.SetColor(m_crFill);
}

void CRectangleObjectDlg::OnFrameColor()
{
    if (PickColor(this, m_crFrame))
        m_swatchFrame.SetColor(m_crFrame);
}

void CRectangleObjectDlg::OnSnapToGrid()
{
    if (m_nGrid < MIN_GRID || m_nGrid > MAX_GRID || !UpdateData(TRUE))
        return;
    m_nX = m_nX / m_nGrid * m_nGrid;
    m_nY = m_nY / m_nGrid * m_nGrid;
    m_nWidth = m_nWidth / m_nGrid * m_nGrid;
    m_nHeight = m_nHeight / m_nGrid * m_nGrid;
    UpdateData(FALSE);
}

void CRectangleObjectDlg::OnMaxWidth()
{
    if (!UpdateData(TRUE))
        return;
    m_nX = 0;
    m_nWidth = m_nSlideWidth;
    UpdateData(FALSE);
}

void CRectangleObjectDlg::OnMaxHeight()
{
    if (!UpdateData(TRUE))
        return;
    m_nY = 0;
    m_nHeight = m_nSlideHeight;
    UpdateData(FALSE);
}

void CRectangleObjectDlg::OnHelp()
{
    ShowHelpTopic("vc_rectangleobject.htm");
}

void CRectangleObjectDlg::OnOK()
{
    if (!UpdateData(TRUE))
        return;
    KeepInsideSlide();
    if (m_nWidth > m_nSlideWidth)
        m_nWidth = m_nSlideWidth;
    if (m_nHeight > m_nSlideHeight)
        m_nHeight = m_nSlideHeight;
    if (m_nX + m_nWidth > m_nSlideWidth)
        m_nX = m_nSlideWidth - m_nWidth;
    if (m_nY + m_nHeight > m_nSlideHeight)
        m_nY = m_nSlideHeight - m_nHeight;
    m_nSpeed = CFrameObj::ClampSpeed(m_nSpeed);
    m_nDelay = ClampInt(m_nDelay, MIN_DELAY, MAX_DELAY);
    UpdateData(FALSE);
    m_Animation.SelectByText(m_strAnimation);
    EndDialog(IDOK);
}
