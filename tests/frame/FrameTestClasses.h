// The classes of the framework test program: a single-document application with a scrolling view, a top bar
// with buttons and a message bar at the bottom. The tests drive it through commands and messages.
#pragma once

#include "framework/win/Framework.h"
#include "FrameTestIds.h"

#include <deque>
#include <string>
#include <vector>

// Which targets saw ID_TEST_ROUTE, in order; a target takes it when its name is in g_routeTakers.
extern std::string g_route;
extern std::string g_routeTakers;

class CShowDoc : public CDocument
{
    DECLARE_DYNCREATE(CShowDoc)
public:
    static const DWORD kMagic = 0x54535856;   // "VXST"
    static int s_live;                        // documents alive

    CShowDoc();
    ~CShowDoc() override;

    CString m_text;
    int m_value = 0;
    int docOnly = 0;

    BOOL OnNewDocument() override;
    void DeleteContents() override;
    void Serialize(CArchive& ar) override;

protected:
    afx_msg void OnDocOnly();
    afx_msg BOOL OnRoute(UINT nID);
    DECLARE_MESSAGE_MAP()
};

class CShowView : public CScrollView
{
    DECLARE_DYNCREATE(CShowView)
public:
    static const int kWidth = 1000;
    static const int kHeight = 1500;

    int initialUpdates = 0;
    int disabledRuns = 0;
    CShowDoc* GetShowDoc() const { return static_cast<CShowDoc*>(GetDocument()); }

    void OnInitialUpdate() override;
    void OnDraw(CDC* pDC) override;
    // One cell with a tip of its own at (10, 10) - (110, 60) of the document.
    INT_PTR OnToolHitTest(CPoint point, TOOLINFOA* pTI) const override;

protected:
    afx_msg void OnStamp();
    afx_msg void OnDisabled();
    afx_msg void OnUpdateDisabled(CCmdUI* pCmdUI);
    afx_msg BOOL OnRoute(UINT nID);
    DECLARE_MESSAGE_MAP()
};

// A bar with three buttons for commands: a tool bar without the tool-bar control.
class CButtonBar : public CControlBar
{
public:
    CButton m_save;
    CButton m_stamp;
    CButton m_disabled;
    BOOL Create(CWnd* pParent, DWORD dwStyle, UINT nID);
    CSize CalcFixedLayout(BOOL bStretch, BOOL bHorz) override;
};

// A line at the bottom that shows the frame's prompts (the frame finds it by its id).
class CMessageLine : public CControlBar
{
public:
    BOOL Create(CWnd* pParent, DWORD dwStyle, UINT nID);
    CSize CalcFixedLayout(BOOL bStretch, BOOL bHorz) override;
    void DoPaint(CDC* pDC) override;
};

class CShowFrame : public CFrameWnd
{
    DECLARE_DYNCREATE(CShowFrame)
public:
    CButtonBar m_bar;
    CMessageLine m_status;

protected:
    afx_msg int OnCreate(LPCREATESTRUCT lpCreateStruct);
    afx_msg BOOL OnRoute(UINT nID);
    DECLARE_MESSAGE_MAP()
};

// A bar of four cells, 24 pixels along its side and 22 across; the first cell is the Stamp command (its tip
// and prompt). Floating with CBRS_SIZE_DYNAMIC it wraps its cells into as many rows as its width needs.
class CCellBar : public CControlBar
{
public:
    static const int kCell = 24;
    static const int kDepth = 22;
    static const int kCells = 4;
    BOOL Create(CWnd* pParent, LPCSTR lpszTitle, UINT nID);
    CSize CalcFixedLayout(BOOL bStretch, BOOL bHorz) override;
    CSize CalcDynamicLayout(int nLength, DWORD dwMode) override;
    INT_PTR OnToolHitTest(CPoint point, TOOLINFOA* pTI) const override;
    void DoPaint(CDC* pDC) override;
};

// A frame that docks: four cell bars, one on each side, a status bar (message, NUM, a line pane) and a
// plain pane in the middle.
class CDockFrame : public CFrameWnd
{
    DECLARE_DYNCREATE(CDockFrame)
public:
    static const UINT kSides[4];   // the dock bar of each bar at the start
    CCellBar m_bars[4];
    CStatusBar m_status;
    CWnd m_pane;

    BOOL OnCreateClient(LPCREATESTRUCT lpcs, CCreateContext* pContext) override;

protected:
    afx_msg int OnCreate(LPCREATESTRUCT lpCreateStruct);
    afx_msg void OnUpdateLine(CCmdUI* pCmdUI);
    afx_msg BOOL OnRoute(UINT nID);
    DECLARE_MESSAGE_MAP()
};

// An MDI child that takes part in the route of ID_TEST_ROUTE.
class CTestChild : public CMDIChildWnd
{
    DECLARE_DYNCREATE(CTestChild)
protected:
    afx_msg BOOL OnRoute(UINT nID);
    DECLARE_MESSAGE_MAP()
};

// The application: its file dialog answers from a queue and records what was asked.
class CFrameTestApp : public CWinApp
{
public:
    CFrameTestApp();
    std::deque<CString> answers;        // file names the dialog gives, in order
    std::vector<std::string> prompts;   // "open <suggestion>" / "save <suggestion>"

    BOOL DoPromptFileName(CString& fileName, DWORD lFlags, BOOL bOpenFileDialog, CDocTemplate* pTemplate) override;
    CShowFrame* Frame() const { return static_cast<CShowFrame*>(m_pMainWnd); }
    CShowView* View() const;
    CShowDoc* Doc() const;

protected:
    afx_msg BOOL OnRoute(UINT nID);
    DECLARE_MESSAGE_MAP()
};
