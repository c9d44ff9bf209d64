#include "FrameTestClasses.h"

#include <algorithm>
#include <cstdlib>
#include <cstring>

std::string g_route;
std::string g_routeTakers;

namespace
{
BOOL Route(const char* who)
{
    g_route += std::string(g_route.empty() ? "" : " ") + who;
    return g_routeTakers.find(who) != std::string::npos;
}
}   // namespace

// ---- document ----------------------------------------------------------------------------------------

IMPLEMENT_DYNCREATE(CShowDoc, CDocument)

BEGIN_MESSAGE_MAP(CShowDoc, CDocument)
    ON_COMMAND(ID_TEST_DOC_ONLY, OnDocOnly)
    ON_COMMAND_EX(ID_TEST_ROUTE, OnRoute)
END_MESSAGE_MAP()

int CShowDoc::s_live = 0;

CShowDoc::CShowDoc()
{
    ++s_live;
}

CShowDoc::~CShowDoc()
{
    --s_live;
}

BOOL CShowDoc::OnNewDocument()
{
    if (!CDocument::OnNewDocument())
        return FALSE;
    m_text = "new show";
    m_value = 0;
    return TRUE;
}

void CShowDoc::DeleteContents()
{
    m_text.Empty();
    m_value = -1;
}

void CShowDoc::Serialize(CArchive& ar)
{
    if (ar.IsStoring())
    {
        ar << kMagic;
        ar.WriteString(m_text);
        ar << m_value;
    }
    else
    {
        unsigned int magic = 0;
        ar >> magic;
        ar.ReadString(m_text);
        ar >> m_value;
    }
}

void CShowDoc::OnDocOnly()
{
    ++docOnly;
}

BOOL CShowDoc::OnRoute(UINT)
{
    return Route("doc");
}

// ---- view --------------------------------------------------------------------------------------------

IMPLEMENT_DYNCREATE(CShowView, CScrollView)

BEGIN_MESSAGE_MAP(CShowView, CScrollView)
    ON_COMMAND(ID_TEST_STAMP, OnStamp)
    ON_COMMAND(ID_TEST_DISABLED, OnDisabled)
    ON_UPDATE_COMMAND_UI(ID_TEST_DISABLED, OnUpdateDisabled)
    ON_COMMAND_EX(ID_TEST_ROUTE, OnRoute)
END_MESSAGE_MAP()

void CShowView::OnInitialUpdate()
{
    ++initialUpdates;
    SetScrollSizes(MM_TEXT, CSize(kWidth, kHeight));
    EnableToolTips(TRUE);
    CScrollView::OnInitialUpdate();
}

void CShowView::OnDraw(CDC* pDC)
{
    pDC->FillSolidRect(0, 0, kWidth, kHeight, RGB(230, 240, 250));
    pDC->FillSolidRect(10, 10, 100, 50, RGB(200, 0, 0));
}

INT_PTR CShowView::OnToolHitTest(CPoint point, TOOLINFOA* pTI) const
{
    CRect cell(10, 10, 110, 60);
    cell.OffsetRect(-GetScrollPosition());
    if (!cell.PtInRect(point))
        return -1;
    if (pTI != nullptr)
    {
        pTI->hwnd = m_hWnd;
        pTI->uId = 1;
        pTI->rect = cell;
        pTI->lpszText = _strdup("Cell one");
    }
    return 1;
}

void CShowView::OnStamp()
{
    CShowDoc* pDoc = GetShowDoc();
    ++pDoc->m_value;
    pDoc->SetModifiedFlag();
    pDoc->UpdateAllViews(this);
}

void CShowView::OnDisabled()
{
    ++disabledRuns;
}

void CShowView::OnUpdateDisabled(CCmdUI* pCmdUI)
{
    pCmdUI->Enable(FALSE);
}

BOOL CShowView::OnRoute(UINT)
{
    return Route("view");
}

// ---- bars --------------------------------------------------------------------------------------------

BOOL CButtonBar::Create(CWnd* pParent, DWORD dwStyle, UINT nID)
{
    SetBarStyle(dwStyle & CBRS_ALL);
    if (!CreateEx(0, nullptr, "Buttons", (dwStyle & ~CBRS_ALL) | WS_CHILD, CRect(0, 0, 0, 0), pParent, nID))
        return FALSE;
    return m_save.Create("Save", WS_CHILD | WS_VISIBLE | BS_PUSHBUTTON, CRect(0, 0, 60, 24), this, ID_FILE_SAVE) &&
           m_stamp.Create("Stamp", WS_CHILD | WS_VISIBLE | BS_PUSHBUTTON, CRect(64, 0, 124, 24), this,
                          ID_TEST_STAMP) &&
           m_disabled.Create("Never", WS_CHILD | WS_VISIBLE | BS_PUSHBUTTON, CRect(128, 0, 188, 24), this,
                             ID_TEST_DISABLED);
}

CSize CButtonBar::CalcFixedLayout(BOOL bStretch, BOOL bHorz)
{
    CSize size = CControlBar::CalcFixedLayout(bStretch, bHorz);
    size.cy += 24;   // the buttons
    if (!bStretch)
        size.cx += 188;
    return size;
}

BOOL CMessageLine::Create(CWnd* pParent, DWORD dwStyle, UINT nID)
{
    SetBarStyle(dwStyle & CBRS_ALL);
    return CreateEx(0, nullptr, "", (dwStyle & ~CBRS_ALL) | WS_CHILD, CRect(0, 0, 0, 0), pParent, nID);
}

CSize CMessageLine::CalcFixedLayout(BOOL bStretch, BOOL bHorz)
{
    CSize size = CControlBar::CalcFixedLayout(bStretch, bHorz);
    size.cy += 18;
    return size;
}

void CMessageLine::DoPaint(CDC* pDC)
{
    CString text;
    GetWindowText(text);
    pDC->SetBkMode(TRANSPARENT);
    pDC->TextOut(2, 2, text);
}

// ---- frame -------------------------------------------------------------------------------------------

IMPLEMENT_DYNCREATE(CShowFrame, CFrameWnd)

BEGIN_MESSAGE_MAP(CShowFrame, CFrameWnd)
    ON_WM_CREATE()
    ON_COMMAND_EX(ID_TEST_ROUTE, OnRoute)
END_MESSAGE_MAP()

int CShowFrame::OnCreate(LPCREATESTRUCT lpCreateStruct)
{
    if (CFrameWnd::OnCreate(lpCreateStruct) == -1)
        return -1;
    if (!m_bar.Create(this, WS_VISIBLE | CBRS_TOP | CBRS_TOOLTIPS | CBRS_FLYBY, IDW_TEST_BAR))
        return -1;
    if (!m_status.Create(this, WS_VISIBLE | CBRS_BOTTOM, IDW_TEST_STATUS))
        return -1;
    return 0;
}

BOOL CShowFrame::OnRoute(UINT)
{
    return Route("frame");
}

// ---- docking ---------------------------------------------------------------------------------------

BOOL CCellBar::Create(CWnd* pParent, LPCSTR lpszTitle, UINT nID)
{
    SetBarStyle(CBRS_TOP | CBRS_GRIPPER | CBRS_TOOLTIPS | CBRS_FLYBY | CBRS_SIZE_DYNAMIC);
    return CreateEx(0, nullptr, lpszTitle, WS_CHILD | WS_VISIBLE, CRect(0, 0, 0, 0), pParent, nID);
}

CSize CCellBar::CalcFixedLayout(BOOL bStretch, BOOL bHorz)
{
    CSize size = CControlBar::CalcFixedLayout(bStretch, bHorz);
    size.cx += bHorz ? (bStretch ? 0 : kCells * kCell) : kDepth;
    size.cy += bHorz ? kDepth : (bStretch ? 0 : kCells * kCell);
    return size;
}

CSize CCellBar::CalcDynamicLayout(int nLength, DWORD dwMode)
{
    if (!(m_dwStyle & CBRS_SIZE_DYNAMIC) || (dwMode & (LM_HORZDOCK | LM_VERTDOCK)))
        return CControlBar::CalcDynamicLayout(nLength, dwMode);
    // Floating: as many cells to a row as the width (or the height asked for) allows.
    CSize insets = CControlBar::CalcFixedLayout(FALSE, TRUE);
    int columns;
    if (dwMode & LM_LENGTHY)
    {
        int rows = std::max(1, static_cast<int>((nLength - insets.cy) / kDepth));
        columns = (kCells + rows - 1) / rows;
    }
    else
    {
        int width = (dwMode & LM_MRUWIDTH) ? m_nMRUWidth : nLength;
        columns = std::min(kCells, std::max(1, static_cast<int>((width - insets.cx) / kCell)));
    }
    int rows = (kCells + columns - 1) / columns;
    CSize size(insets.cx + columns * kCell, insets.cy + rows * kDepth);
    if (dwMode & LM_COMMIT)
        m_nMRUWidth = size.cx;
    return size;
}

INT_PTR CCellBar::OnToolHitTest(CPoint point, TOOLINFOA* pTI) const
{
    CRect cell(0, 0, kCell, kDepth);
    if (!cell.PtInRect(point))
        return -1;
    if (pTI != nullptr)
    {
        pTI->hwnd = m_hWnd;
        pTI->uId = ID_TEST_STAMP;
        pTI->rect = cell;
        pTI->lpszText = LPSTR_TEXTCALLBACKA;
    }
    return ID_TEST_STAMP;
}

void CCellBar::DoPaint(CDC* pDC)
{
    CRect client;
    GetClientRect(&client);
    pDC->FillSolidRect(&client, RGB(200, 220, 240));
}

IMPLEMENT_DYNCREATE(CDockFrame, CFrameWnd)

BEGIN_MESSAGE_MAP(CDockFrame, CFrameWnd)
    ON_WM_CREATE()
    ON_UPDATE_COMMAND_UI(ID_TEST_LINE, OnUpdateLine)
    ON_COMMAND_EX(ID_TEST_ROUTE, OnRoute)
END_MESSAGE_MAP()

const UINT CDockFrame::kSides[4] = {AFX_IDW_DOCKBAR_TOP, AFX_IDW_DOCKBAR_BOTTOM, AFX_IDW_DOCKBAR_LEFT,
                                    AFX_IDW_DOCKBAR_RIGHT};

BOOL CDockFrame::OnCreateClient(LPCREATESTRUCT, CCreateContext*)
{
    return m_pane.Create(nullptr, nullptr, WS_CHILD | WS_VISIBLE, CRect(0, 0, 0, 0), this, AFX_IDW_PANE_FIRST);
}

int CDockFrame::OnCreate(LPCREATESTRUCT lpCreateStruct)
{
    if (CFrameWnd::OnCreate(lpCreateStruct) == -1)
        return -1;
    static const UINT indicators[] = {ID_SEPARATOR, ID_INDICATOR_NUM, ID_TEST_LINE};
    if (!m_status.Create(this) || !m_status.SetIndicators(indicators, 3))
        return -1;
    EnableDocking(CBRS_ALIGN_ANY);
    static const char* const titles[] = {"Top", "Bottom", "Left", "Right"};
    for (int i = 0; i < 4; ++i)
    {
        if (!m_bars[i].Create(this, titles[i], IDW_CELLS_FIRST + i))
            return -1;
        m_bars[i].EnableDocking(CBRS_ALIGN_ANY);
        DockControlBar(&m_bars[i], kSides[i]);
    }
    return 0;
}

void CDockFrame::OnUpdateLine(CCmdUI* pCmdUI)
{
    pCmdUI->SetText("Line 7");
}

BOOL CDockFrame::OnRoute(UINT)
{
    return Route("frame");
}

IMPLEMENT_DYNCREATE(CTestChild, CMDIChildWnd)

BEGIN_MESSAGE_MAP(CTestChild, CMDIChildWnd)
    ON_COMMAND_EX(ID_TEST_ROUTE, OnRoute)
END_MESSAGE_MAP()

BOOL CTestChild::OnRoute(UINT)
{
    return Route("child");
}

// ---- application -------------------------------------------------------------------------------------

BEGIN_MESSAGE_MAP(CFrameTestApp, CWinApp)
    ON_COMMAND(ID_FILE_NEW, OnFileNew)
    ON_COMMAND(ID_FILE_OPEN, OnFileOpen)
    ON_COMMAND_EX(ID_TEST_ROUTE, OnRoute)
END_MESSAGE_MAP()

CFrameTestApp::CFrameTestApp() : CWinApp("FrameTest")
{
    SetRegistryKey("VexulTests");
}

BOOL CFrameTestApp::DoPromptFileName(CString& fileName, DWORD, BOOL bOpenFileDialog, CDocTemplate*)
{
    prompts.push_back(std::string(bOpenFileDialog ? "open " : "save ") + fileName.GetString());
    if (answers.empty())
        return FALSE;   // cancelled
    fileName = answers.front();
    answers.pop_front();
    return TRUE;
}

CShowView* CFrameTestApp::View() const
{
    CShowFrame* pFrame = Frame();
    return pFrame == nullptr ? nullptr : static_cast<CShowView*>(pFrame->GetActiveView());
}

CShowDoc* CFrameTestApp::Doc() const
{
    CShowView* pView = View();
    return pView == nullptr ? nullptr : pView->GetShowDoc();
}

BOOL CFrameTestApp::OnRoute(UINT)
{
    return Route("app");
}
