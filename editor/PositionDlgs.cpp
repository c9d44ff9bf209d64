#include "editor/PositionDlgs.h"

#include "resources/editor/resource.h"

// ---- CSetPositionDlg ---------------------------------------------------------------------------------------

CSetPositionDlg::CSetPositionDlg(CWnd* pParent)
    : CDialog(IDD_SET_POSITION, pParent), m_nCurrentX(0), m_nNewX(0), m_nCurrentY(0), m_nNewY(0), m_nX(0), m_nY(0)
{
}

void CSetPositionDlg::DoDataExchange(CDataExchange* pDX)
{
    CDialog::DoDataExchange(pDX);
    DDX_Text(pDX, IDC_CURRENT_X, m_nCurrentX);
    DDX_Text(pDX, IDC_NEW_X, m_nNewX);
    DDX_Text(pDX, IDC_CURRENT_Y, m_nCurrentY);
    DDX_Text(pDX, IDC_NEW_Y, m_nNewY);
}

BOOL CSetPositionDlg::OnInitDialog()
{
    m_nCurrentX = m_nNewX = m_nX;
    m_nCurrentY = m_nNewY = m_nY;
    return CDialog::OnInitDialog();
}

void CSetPositionDlg::OnOK()
{
    if (!UpdateData(TRUE))
        return;
    m_nX = m_nNewX;
    m_nY = m_nNewY;
    EndDialog(IDOK);
}

// ---- CMoveObjectsDlg ---------------------------------------------------------------------------------------

CMoveObjectsDlg::CMoveObjectsDlg(CWnd* pParent) : CDialog(IDD_MOVE_OBJECTS, pParent), m_nOffsetX(0), m_nOffsetY(0)
{
}

void CMoveObjectsDlg::DoDataExchange(CDataExchange* pDX)
{
    CDialog::DoDataExchange(pDX);
    DDX_Text(pDX, IDC_MOVE_X, m_nOffsetX);
    DDX_Text(pDX, IDC_MOVE_Y, m_nOffsetY);
}

// ---- CEditSelectedDlg --------------------------------------------------------------------------------------

CEditSelectedDlg::CEditSelectedDlg(CWnd* pParent) : CDialog(IDD_EDIT_SELECTED, pParent), m_nChoice(MOVE_OBJECTS)
{
}

void CEditSelectedDlg::DoDataExchange(CDataExchange* pDX)
{
    CDialog::DoDataExchange(pDX);
    DDX_Radio(pDX, IDC_MOVE_SELECTED, m_nChoice);
}
