// The library's sample: the least a program on the library's frames does, in the order it does it (see
// uilib/frames/FrameWindows.h). An MDI frame with the menu bar (whose commands the customize dialog offers),
// two tool bars, a docking window with a tree, a status bar, the user's shortcuts and tools, the customize
// dialog (Tools > Customize...), and the layout saved when it closes and restored when it starts.
#include "SampleIds.h"
#include "UilibResources.h"
#include "framework/win/Framework.h"
#include "uilib/core/base/GlobalData.h"
#include "uilib/core/bars/ToolBar.h"
#include "uilib/core/lists/TreeCtrl.h"
#include "uilib/frames/DockWindow.h"
#include "uilib/frames/FrameWindows.h"
#include "uilib/frames/KeyMapManager.h"
#include "uilib/frames/OptionsStore.h"
#include "uilib/frames/ToolsManager.h"

namespace
{

const char kProfile[] = "Sample";   // the layout's sections in the settings store

class CSampleDoc : public CDocument
{
};

// A document window's contents: its document's title.
class CSampleView : public CView
{
    DECLARE_DYNCREATE(CSampleView)
public:
    void OnDraw(CDC* pDC) override
    {
        CRect client;
        GetClientRect(&client);
        pDC->FillSolidRect(&client, RGB(255, 255, 255));
        pDC->DrawText(GetDocument()->GetTitle(), &client, DT_SINGLELINE | DT_VCENTER | DT_CENTER);
    }
};

IMPLEMENT_DYNCREATE(CSampleView, CView)

class CSampleFrame : public CUXMDIFrameWnd
{
public:
    // A document window with its view of a new document.
    void NewWindow()
    {
        CSampleDoc* pDoc = new CSampleDoc;
        CString title;
        title.Format("Document %d", ++m_nDocuments);
        pDoc->SetTitle(title);
        CCreateContext context;
        context.m_pNewViewClass = RUNTIME_CLASS(CSampleView);
        context.m_pCurrentDoc = pDoc;
        CUXMDIChildWnd* pChild = new CUXMDIChildWnd;
        if (!pChild->Create(nullptr, title, WS_CHILD | WS_VISIBLE | WS_OVERLAPPEDWINDOW, rectDefault, this,
                            &context))
        {
            delete pDoc;
            return;
        }
        pChild->InitialUpdateFrame(pDoc, TRUE);
    }

protected:
    BOOL PreCreateWindow(CREATESTRUCTA& cs) override
    {
        return CUXMDIFrameWnd::PreCreateWindow(cs, IDI_UX_WINDOW_LIST);
    }

    afx_msg int OnCreate(LPCREATESTRUCT lpCreateStruct)
    {
        if (CUXMDIFrameWnd::OnCreate(lpCreateStruct) == -1)
            return -1;
        // The user tools first: the menu bar puts their pop-up into the menu it takes over (fourth entry).
        CUXToolsManager& tools = GetToolsManager();
        tools.SetEnabled(TRUE);
        tools.SetMenuPositions(3, 3);
        tools.SetCoolMenu(&m_coolMenu);
        tools.Load();
        // The menu bar, the bars and the docking window; the menu bar offers its commands to the customize
        // dialog.
        static const UINT indicators[] = {ID_SEPARATOR, ID_INDICATOR_CAPS, ID_INDICATOR_NUM};
        if (!m_wndMenuBar.CreateEx(this) ||
            !MakeToolBar(m_standardBar, IDW_SM_STANDARD_BAR, IDR_SM_STANDARD, "Standard") ||
            !MakeToolBar(m_editingBar, IDW_SM_EDITING_BAR, IDR_SM_EDITING, "Editing") || !MakeDocumentsWindow() ||
            !m_status.Create(this) || !m_status.SetIndicators(indicators, 3))
            return -1;
        m_wndMenuBar.SetCustomizable(TRUE);
        // Docking: the library's (the frame's EnableDocking), then each bar where it starts.
        EnableDocking(CBRS_ALIGN_ANY);
        m_wndMenuBar.EnableDocking(CBRS_ALIGN_ANY);
        DockControlBar(&m_wndMenuBar);
        DockControlBar(&m_standardBar);
        DockControlBarLeftOf(&m_editingBar, &m_standardBar);
        DockControlBar(&m_documents, AFX_IDW_DOCKBAR_LEFT);
        // The tool bars' images in the menus; the user's shortcuts and options; the layout of the last run.
        m_coolMenu.LoadToolbar(&m_standardBar);
        m_coolMenu.LoadToolbar(&m_editingBar);
        GetKeyMapManager().Enable(this);
        GetOptionsStore().SetEnabled(TRUE);
        GetOptionsStore().Load();
        LoadBarState(kProfile);
        return 0;
    }

    // The layout is the program's to save; shortcuts and tools save themselves as the frame goes, the
    // options when the program ends.
    afx_msg void OnClose()
    {
        SaveBarState(kProfile);
        CUXMDIFrameWnd::OnClose();
    }

    afx_msg void OnNew() { NewWindow(); }
    afx_msg void OnCloseDocument()
    {
        if (CMDIChildWnd* pChild = MDIGetActive())
            pChild->SendMessage(WM_CLOSE);
    }
    afx_msg void OnExit() { PostMessage(WM_CLOSE); }
    afx_msg void OnDocumentCommand(UINT) {}
    DECLARE_MESSAGE_MAP()

private:
    // A tool bar from its resource; its window text is its name on the customize dialog.
    BOOL MakeToolBar(CUXToolBar& bar, UINT nID, UINT nIDResource, LPCSTR lpszName)
    {
        const DWORD style =
            WS_CHILD | WS_VISIBLE | CBRS_TOP | CBRS_GRIPPER | CBRS_TOOLTIPS | CBRS_FLYBY | CBRS_SIZE_DYNAMIC;
        bar.SetCustomizable(TRUE);
        if (!bar.CreateEx(this, TBSTYLE_FLAT, style, CRect(0, 0, 0, 0), nID) || !bar.LoadToolBar(nIDResource))
            return FALSE;
        bar.SetWindowText(lpszName);
        bar.EnableDocking(CBRS_ALIGN_ANY);
        return TRUE;
    }

    // The docking window with its tree; expanded, it fills its side of the frame.
    BOOL MakeDocumentsWindow()
    {
        if (!m_documents.Create(this, "Documents", IDW_SM_DOCUMENTS) ||
            !m_tree.Create(WS_CHILD | WS_VISIBLE | TVS_HASLINES | TVS_HASBUTTONS | TVS_LINESATROOT,
                           CRect(0, 0, 0, 0), &m_documents, 1))
            return FALSE;
        m_documents.SetChild(&m_tree);
        m_documents.SetDockedSize(CUXDockWindow::kLeft, CSize(160, 200));
        m_documents.SetExpanded(TRUE);
        m_documents.EnableDocking(CBRS_ALIGN_ANY);
        HTREEITEM hRoot = m_tree.InsertItem("Documents");
        for (const char* name : {"Letters", "Notes"})
            m_tree.InsertItem(name, hRoot);
        m_tree.Expand(hRoot, TVE_EXPAND);
        return TRUE;
    }

    int m_nDocuments = 0;
    CUXToolBar m_standardBar;
    CUXToolBar m_editingBar;
    CUXDockWindow m_documents;
    CUXTreeCtrl m_tree;
    CStatusBar m_status;
};

BEGIN_MESSAGE_MAP(CSampleFrame, CUXMDIFrameWnd)
    ON_WM_CREATE()
    ON_WM_CLOSE()
    ON_COMMAND(ID_SM_NEW, OnNew)
    ON_COMMAND(ID_FILE_CLOSE, OnCloseDocument)
    ON_COMMAND(ID_APP_EXIT, OnExit)
    ON_COMMAND_RANGE(ID_SM_OPEN, ID_SM_DELETE, OnDocumentCommand)
END_MESSAGE_MAP()

class CSampleApp : public CWinApp
{
public:
    CSampleApp() : CWinApp("UilibSample") {}

    BOOL InitInstance() override
    {
        SetRegistryKey("VexulTests");   // the library keeps its settings below the application's key
        GetUXGlobalData();
        CSampleFrame* pFrame = new CSampleFrame;
        if (!pFrame->LoadFrame(IDR_SM_MAIN))
            return FALSE;
        m_pMainWnd = pFrame;
        pFrame->SetWindowPos(nullptr, 40, 40, 800, 560, SWP_NOZORDER);
        pFrame->ShowWindow(m_nCmdShow);
        pFrame->UpdateWindow();
        pFrame->NewWindow();
        return TRUE;
    }
};

CSampleApp theApp;

}   // namespace
