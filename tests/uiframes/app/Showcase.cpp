// The library's showcase: an MDI program built from the library's frame windows with every part of them at
// work: the menu bar with cool menus (tool-bar images in the menus, a rarely used command behind the
// chevron), a tool bar docked along the top with the colour pop-up on one of its buttons, a second tool bar
// floating, a rebar where the user's own tool bars go (one is made at the first start), two docking windows,
// the user tools in their own menu, the user's shortcuts, and the customize dialog. The bar layout is saved when the program closes and comes back when it starts.
//
// Started with /tour it shows itself on its own: it opens the customize dialog and shows its pages, closes it,
// opens the colour pop-up, the Edit and the Tools menu, docks the Standard bar on the left, on the right and by
// each docking window, floats the menu bar and docks it back, makes the floating Format bar narrow, and ends
// (tools/uilib-demo.sh takes screenshots meanwhile).
#include "ShowcaseIds.h"
#include "UilibResources.h"
#include "framework/win/Framework.h"
#include "uilib/core/bars/CustomizeCenter.h"
#include "uilib/core/base/GlobalData.h"
#include "uilib/core/base/LibraryIds.h"
#include "uilib/core/bars/ToolBar.h"
#include "uilib/core/lists/TreeCtrl.h"
#include "uilib/frames/CustomizeSheet.h"
#include "uilib/frames/DockBar.h"
#include "uilib/frames/DockWindow.h"
#include "uilib/frames/FrameWindows.h"
#include "uilib/frames/KeyMapManager.h"
#include "uilib/frames/OptionsStore.h"
#include "uilib/frames/ReBar.h"
#include "uilib/frames/ToolsManager.h"

#include <cstring>
#include <memory>

namespace
{

const char kProfile[] = "Showcase";
const UINT kTourTimer = 1;
const UINT kTourStepMs = 1500;

class CShowcaseDoc : public CDocument
{
};

// A document window's contents: a band in the document's colour and its title.
class CShowcaseView : public CView
{
    DECLARE_DYNCREATE(CShowcaseView)
public:
    COLORREF m_color = RGB(40, 90, 160);

    void OnDraw(CDC* pDC) override
    {
        CRect client;
        GetClientRect(&client);
        pDC->FillSolidRect(&client, RGB(255, 255, 255));
        CRect band(client.left, client.top, client.right, client.top + 36);
        pDC->FillSolidRect(&band, m_color);
        CString title = GetDocument() != nullptr ? GetDocument()->GetTitle() : CString();
        pDC->SetBkMode(TRANSPARENT);
        pDC->SetTextColor(RGB(255, 255, 255));
        CFont* pOld = pDC->SelectObject(&uxAfxData.m_fontBold);
        pDC->DrawText(title, &band, DT_SINGLELINE | DT_VCENTER | DT_CENTER);
        pDC->SelectObject(pOld);
    }
};

IMPLEMENT_DYNCREATE(CShowcaseView, CView)

class CShowcaseFrame : public CUXMDIFrameWnd
{
public:
    explicit CShowcaseFrame(BOOL tour) : m_bTour(tour) {}

    // A new document window with its view.
    void NewWindow()
    {
        CShowcaseDoc* pDoc = new CShowcaseDoc;
        CString title;
        title.Format("Document %d", ++m_nDocuments);
        pDoc->SetTitle(title);
        CCreateContext context;
        context.m_pNewViewClass = RUNTIME_CLASS(CShowcaseView);
        context.m_pCurrentDoc = pDoc;
        CUXMDIChildWnd* pChild = new CUXMDIChildWnd;
        int offset = 24 * ((m_nDocuments - 1) % 5);
        if (!pChild->Create(nullptr, title, WS_CHILD | WS_VISIBLE | WS_OVERLAPPEDWINDOW,
                            CRect(offset, offset, offset + 320, offset + 220), this, &context))
        {
            delete pDoc;
            return;
        }
        pChild->InitialUpdateFrame(pDoc, TRUE);
        Log("Opened " + title);
    }

    // The first layout, then the one saved when the program last closed, the user's shortcuts and options.
    // (Once the frame is on the screen.)
    void RestoreLayout()
    {
        // The format bar floats at first, over the frame's right half.
        CRect frame;
        GetWindowRect(&frame);
        FloatControlBar(&m_format, CPoint(frame.left + 480, frame.top + 160), CBRS_ALIGN_TOP);
        LoadBarState(kProfile);
        if (AfxGetApp()->GetProfileInt(kProfile, "Started", 0) == 0)
            MakeFirstCustomBar();
        GetKeyMapManager().Enable(this);
        GetOptionsStore().SetEnabled(TRUE);
        GetOptionsStore().Load();
        // The first document window last: its title says the start is over.
        if (m_bTour)
            SetTimer(kTourTimer, kTourStepMs, nullptr);
        else
            NewWindow();
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
        // The user tools go into the menu the menu bar takes over, as its fourth entry.
        CUXToolsManager& tools = GetToolsManager();
        tools.SetEnabled(TRUE);
        tools.SetMenuPositions(3, 3);
        tools.SetCoolMenu(&m_coolMenu);
        if (!tools.Load())
            AddFirstTool(tools);
        if (!m_wndMenuBar.CreateEx(this) || !MakeToolBars() || !MakeDockingWindows())
            return -1;
        UXEnableDocking(this, CBRS_ALIGN_ANY);
        m_wndMenuBar.EnableDocking(CBRS_ALIGN_ANY);
        DockControlBar(&m_wndMenuBar);
        DockControlBar(&m_standard);
        DockControlBar(&m_files, AFX_IDW_DOCKBAR_LEFT);
        DockControlBar(&m_output, AFX_IDW_DOCKBAR_BOTTOM);
        // Right below the bars docked at the top: the rebar that takes the user's new tool bars.
        if (!m_rebar.Create(this))
            return -1;
        m_rebar.SetWindowPos(GetControlBar(AFX_IDW_DOCKBAR_TOP), 0, 0, 0, 0,
                             SWP_NOMOVE | SWP_NOSIZE | SWP_NOACTIVATE);
        m_rebar.SetCustomizable(TRUE);
        m_coolMenu.LoadToolbar(&m_standard);
        m_coolMenu.LoadToolbar(&m_format);
        AddHiddenCommand(ID_SC_SELECT_ALL);
        return 0;
    }

    afx_msg void OnClose()
    {
        SaveBarState(kProfile);
        CUXMDIFrameWnd::OnClose();
    }

    afx_msg void OnNewWindow() { NewWindow(); }
    afx_msg void OnSampleCommand(UINT nID)
    {
        CString prompt;
        GetMessageString(nID, prompt);
        Log(prompt);
    }
    afx_msg void OnUpdateSampleCommand(CCmdUI* pCmdUI) { pCmdUI->Enable(TRUE); }
    afx_msg void OnAbout()
    {
        MessageBox("The UI class library's frames at work: menu bar, cool menus, tool bars, docking windows, "
                   "user tools and the customize dialog.",
                   "About the Showcase", MB_OK | MB_ICONINFORMATION);
    }
    afx_msg void OnExit() { PostMessage(WM_CLOSE); }
    // A colour chosen in the pop-up of the Colour button: the active document takes it.
    afx_msg LRESULT OnColorChosen(WPARAM wParam, LPARAM)
    {
        if (CMDIChildWnd* pChild = MDIGetActive())
        {
            if (CView* pView = pChild->GetActiveView();
                pView != nullptr && pView->IsKindOf(RUNTIME_CLASS(CShowcaseView)))
            {
                static_cast<CShowcaseView*>(pView)->m_color = static_cast<COLORREF>(wParam);
                pView->Invalidate();
            }
        }
        CString text;
        text.Format("Colour %06lX chosen", static_cast<unsigned long>(wParam));
        Log(text);
        return 0;
    }
    afx_msg void OnTimer(UINT_PTR nIDEvent)
    {
        if (nIDEvent != kTourTimer)
            return;
        TourStep(m_nTourStep++);
    }
    DECLARE_MESSAGE_MAP()

private:
    BOOL MakeToolBars()
    {
        const DWORD style =
            WS_CHILD | WS_VISIBLE | CBRS_TOP | CBRS_GRIPPER | CBRS_TOOLTIPS | CBRS_FLYBY | CBRS_SIZE_DYNAMIC;
        m_standard.SetCustomizable(TRUE);
        m_format.SetCustomizable(TRUE);
        if (!m_standard.CreateEx(this, TBSTYLE_FLAT, style, CRect(0, 0, 0, 0), IDW_SC_STANDARD) ||
            !m_standard.LoadToolBar(IDR_SC_STANDARD) ||
            !m_format.CreateEx(this, TBSTYLE_FLAT, style, CRect(0, 0, 0, 0), IDW_SC_FORMAT) ||
            !m_format.LoadToolBar(IDR_SC_FORMAT))
            return FALSE;
        m_standard.SetWindowText("Standard");
        m_standard.SetButtonData(ID_SC_COLOR, CUXToolBar::kDropDownColor);
        m_format.SetWindowText("Format");
        // The font box stands in the place of its button.
        int place = m_format.CommandToIndex(ID_SC_FONT);
        TBBUTTON button = m_format.GetButton(place);
        button.fsStyle = TBSTYLE_SEP;
        button.iBitmap = 110;
        m_format.SetButton(place, button);
        if (!m_fonts.Create(WS_CHILD | WS_VISIBLE | WS_VSCROLL | CBS_DROPDOWNLIST, CRect(0, 0, 110, 160),
                            &m_format, ID_SC_FONT))
            return FALSE;
        for (const char* face : {"Tahoma", "Arial", "Courier New", "Times New Roman"})
            m_fonts.AddString(face);
        m_fonts.SetCurSel(0);
        m_format.AttachControl(&m_fonts);
        m_standard.EnableDocking(CBRS_ALIGN_ANY);
        m_format.EnableDocking(CBRS_ALIGN_ANY);
        return TRUE;
    }

    BOOL MakeDockingWindows()
    {
        if (!m_files.Create(this, "Files", IDW_SC_FILES) ||
            !m_tree.Create(WS_CHILD | WS_VISIBLE | TVS_HASLINES | TVS_HASBUTTONS | TVS_LINESATROOT,
                           CRect(0, 0, 0, 0), &m_files, 1) ||
            !m_output.Create(this, "Output", IDW_SC_OUTPUT,
                             WS_CHILD | WS_VISIBLE | CBRS_ALIGN_BOTTOM | CBRS_SIZE_DYNAMIC) ||
            !m_log.Create(WS_CHILD | WS_VISIBLE | WS_VSCROLL | LBS_NOINTEGRALHEIGHT, CRect(0, 0, 0, 0), &m_output,
                          1))
            return FALSE;
        m_files.SetChild(&m_tree);
        m_files.SetDockedSize(CUXDockWindow::kLeft, CSize(170, 200));
        m_files.SetExpanded(TRUE);
        m_files.EnableDocking(CBRS_ALIGN_ANY);
        HTREEITEM project = m_tree.InsertItem("Project");
        for (const char* name : {"Slides", "Pictures", "Sounds"})
            m_tree.InsertItem(name, project);
        m_tree.Expand(project, TVE_EXPAND);
        m_output.SetChild(&m_log);
        m_output.SetDockedSize(CUXDockWindow::kBottom, CSize(300, 90));
        m_output.SetExpanded(TRUE);
        m_output.EnableDocking(CBRS_ALIGN_ANY);
        return TRUE;
    }

    // The user's own bar of the first start, in the rebar, with the buttons a user would have dragged in from
    // the other two bars (the buttons are saved with the bar, so later starts show the bar as the user left it).
    void MakeFirstCustomBar()
    {
        AfxGetApp()->WriteProfileInt(kProfile, "Started", 1);
        CUXCustomizeCenter& center = GetCustomizeCenter();
        CUXToolBar* pBar = center.CreateCustomBar(this, IDW_SC_MY_BAR, "My Bar");
        if (pBar == nullptr)
            return;
        for (UINT nID : {ID_SC_NEW_WINDOW, ID_SC_SAVE})
            CopyButton(m_standard, nID, *pBar);
        for (UINT nID : {ID_SC_CUT, ID_SC_PASTE})
            CopyButton(m_format, nID, *pBar);
        center.PlaceCustomBar(this, pBar);
        RecalcLayout();
    }

    // A copy of the source bar's button at the end of the target bar, as a drop of the button there makes it.
    static void CopyButton(CUXToolBar& source, UINT nID, CUXToolBar& target)
    {
        int index = source.CommandToIndex(nID);
        if (index < 0)
            return;
        std::unique_ptr<CUXCommandRecord> record(source.FindCommandRecord(index));
        if (record == nullptr)
            record.reset(source.MakeCommandRecord(index));
        if (record != nullptr)
            target.InsertCommand(*record, target.GetCount());
    }

    static void AddFirstTool(CUXToolsManager& tools)
    {
        CUXToolRecord record = {};
        std::strcpy(record.m_szMenuText, "&Notepad");
        std::strcpy(record.m_szCommand, "C:\\windows\\notepad.exe");
        tools.AddTool(record);
    }

    void Log(const CString& text)
    {
        if (m_log.m_hWnd == nullptr)
            return;
        int index = m_log.AddString(text);
        m_log.SetCurSel(index);
    }

    // The tour: what a user would look at first, one step at a time.
    void TourStep(int step)
    {
        switch (step)
        {
        case 0: NewWindow(); break;
        case 1: NewWindow(); break;
        // The customize dialog runs its own loop: this timer still ticks inside it. Each of its pages in turn,
        // then the page it opened with again.
        case 2: PostMessage(WM_COMMAND, ID_UX_CUSTOMIZE); break;
        case 3:
        case 4:
        case 5:
        case 6:
        case 7:
            if (CUXCustomizeSheet* pSheet = CUXFrameImpl::GetCustomizeSheet())
            {
                if (step == 3)
                    m_nFirstPage = pSheet->GetActiveIndex();
                if (step - 3 < pSheet->GetPageCount())
                    pSheet->SetActivePage(step - 3);
            }
            break;
        case 8:
            if (CUXCustomizeSheet* pSheet = CUXFrameImpl::GetCustomizeSheet())
            {
                pSheet->SetActivePage(m_nFirstPage);
                pSheet->PostMessage(WM_COMMAND, IDCANCEL);
            }
            break;
        case 9: OpenColorPopup(); break;
        case 11: ChooseColor(); break;
        // The menus' loops let the timer tick as well.
        case 12: PostMessage(WM_APP + 7, 2); break;   // Edit
        case 14:
            ::EndMenu();
            PostMessage(WM_APP + 7, 4);   // Tools
            break;
        case 16: ::EndMenu(); break;
        default:
            if (step > 16 && !DockingTourStep(step - 17))
            {
                KillTimer(kTourTimer);
                PostMessage(WM_CLOSE);
            }
            break;
        }
    }
    // The docking part of the tour: the Standard bar standing on the left and on the right, by the Files window
    // and by the Output window, the menu bar floated and docked back by a double click, and all back in place.
    // FALSE when the tour is over.
    BOOL DockingTourStep(int step)
    {
        auto dockBy = [this](CUXDockWindow& window)
        {
            CRect target;
            window.GetWindowRect(&target);
            CRect drop(target.CenterPoint(), CSize(30, 30));
            DockControlBar(&m_standard, window.m_pDockBar, &drop);
        };
        switch (step)
        {
        case 0: DockControlBar(&m_standard, AFX_IDW_DOCKBAR_LEFT); break;
        case 1: DockControlBar(&m_standard, AFX_IDW_DOCKBAR_RIGHT); break;
        case 2: dockBy(m_files); break;
        case 3: dockBy(m_output); break;
        case 4: DockControlBar(&m_standard, AFX_IDW_DOCKBAR_TOP); break;
        case 5:
        case 6: m_wndMenuBar.m_pDockContext->ToggleDocking(); break;
        case 7:
            // The floating Format bar made narrow: its buttons in two rows, as a drag of its frame's edge leaves it.
            if (m_format.IsFloating())
            {
                CRect frame;
                m_format.GetParentFrame()->GetWindowRect(&frame);
                m_format.CalcDynamicLayout(80, LM_HORZ | LM_COMMIT);
                FloatControlBar(&m_format, frame.TopLeft(), CBRS_ALIGN_TOP | CBRS_SIZE_DYNAMIC);
            }
            break;
        default: return FALSE;
        }
        RecalcLayout();
        return TRUE;
    }
    // Keys to the open colour pop-up (it holds the mouse): a colour of the standard ones.
    static void ChooseColor()
    {
        HWND hPopup = ::GetCapture();
        if (hPopup == nullptr)
            return;
        // Up, then along the colours.
        ::SendMessageA(hPopup, WM_KEYDOWN, VK_UP, 0);
        for (int i = 0; i < 12; ++i)
            ::SendMessageA(hPopup, WM_KEYDOWN, VK_RIGHT, 0);
        ::SendMessageA(hPopup, WM_KEYDOWN, VK_RETURN, 0);
    }
    // A click on the Colour button's arrow, as the user gives it.
    void OpenColorPopup()
    {
        int index = m_standard.CommandToIndex(ID_SC_COLOR);
        if (index < 0)
            return;
        CRect button;
        m_standard.GetItemRect(index, &button);
        m_standard.ClientToScreen(&button);
        CPoint point(button.right - 4, button.CenterPoint().y);
        INPUT input[3] = {};
        const DWORD flags[3] = {MOUSEEVENTF_MOVE, MOUSEEVENTF_LEFTDOWN, MOUSEEVENTF_LEFTUP};
        for (int i = 0; i < 3; ++i)
        {
            input[i].type = INPUT_MOUSE;
            input[i].mi.dx = point.x * 65535 / (::GetSystemMetrics(SM_CXSCREEN) - 1);
            input[i].mi.dy = point.y * 65535 / (::GetSystemMetrics(SM_CYSCREEN) - 1);
            input[i].mi.dwFlags = MOUSEEVENTF_ABSOLUTE | flags[i];
        }
        ::SendInput(3, input, sizeof(INPUT));
    }
    // Opens the menu bar's item (0 is the maximized child's icon, then the menu's entries).
    afx_msg LRESULT OnOpenMenu(WPARAM wParam, LPARAM)
    {
        m_wndMenuBar.TrackPopup(static_cast<int>(wParam));
        return 0;
    }

    BOOL m_bTour;
    int m_nTourStep = 0;
    int m_nFirstPage = 0;   // the customize dialog's page when the tour opened it
    int m_nDocuments = 0;
    CUXToolBar m_standard;
    CUXToolBar m_format;
    CComboBox m_fonts;
    CUXReBar m_rebar;
    CUXDockWindow m_files;
    CUXDockWindow m_output;
    CUXTreeCtrl m_tree;
    CListBox m_log;
};

BEGIN_MESSAGE_MAP(CShowcaseFrame, CUXMDIFrameWnd)
    ON_WM_CREATE()
    ON_WM_CLOSE()
    ON_WM_TIMER()
    ON_COMMAND(ID_SC_NEW_WINDOW, OnNewWindow)
    ON_COMMAND_RANGE(ID_SC_OPEN, ID_SC_SELECT_ALL, OnSampleCommand)
    ON_UPDATE_COMMAND_UI_RANGE(ID_SC_OPEN, ID_SC_SELECT_ALL, OnUpdateSampleCommand)
    ON_COMMAND(ID_SC_ABOUT, OnAbout)
    ON_COMMAND(ID_APP_EXIT, OnExit)
    ON_MESSAGE(UXM_COLOR_CHOSEN, OnColorChosen)
    ON_MESSAGE(WM_APP + 7, OnOpenMenu)
END_MESSAGE_MAP()

class CShowcaseApp : public CWinApp
{
public:
    CShowcaseApp() : CWinApp("UilibShowcase") {}

    BOOL InitInstance() override
    {
        SetRegistryKey("VexulTests");
        GetUXGlobalData();
        BOOL tour = m_lpCmdLine != nullptr && std::strstr(m_lpCmdLine, "/tour") != nullptr;
        CShowcaseFrame* pFrame = new CShowcaseFrame(tour);
        if (!pFrame->LoadFrame(IDR_SC_MAIN))
            return FALSE;
        m_pMainWnd = pFrame;
        pFrame->SetWindowPos(nullptr, 40, 40, 900, 640, SWP_NOZORDER);
        pFrame->ShowWindow(m_nCmdShow);
        pFrame->UpdateWindow();
        pFrame->RestoreLayout();
        return TRUE;
    }
};

CShowcaseApp theApp;

}   // namespace
