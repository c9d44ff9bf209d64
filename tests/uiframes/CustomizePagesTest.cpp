// The customize dialog's tool bars and commands pages with real tool bars: bars made, renamed, hidden, reset
// and deleted through the page; a command dragged from the commands page onto a bar; the page shown last kept;
// the user's tools edited on the tools page.
#include "UiFramesTestSupport.h"

#include "resources/uilib/UilibResources.h"
#include "support/win_DialogDriver.h"
#include "uilib/core/bars/CustomToolBar.h"
#include "uilib/core/bars/CustomizeCenter.h"
#include "uilib/core/base/SettingsStore.h"
#include "uilib/core/bars/ToolBarCustomizer.h"
#include "uilib/frames/CustCommandsPage.h"
#include "uilib/frames/CustToolBarPage.h"
#include "uilib/frames/CustTools.h"
#include "uilib/frames/CustomizeSheet.h"

#include <memory>

namespace
{

const UINT kCmdOpen = 0xE101;
const UINT kCmdSave = 0xE103;
const UINT kCmdExtra = 33001;

// A frame with one customizable tool bar docked at the top (id 0xE800, "Standard").
class CCpFrame : public CFrameWnd
{
public:
    CUXToolBar m_bar;

protected:
    afx_msg int OnCreate(LPCREATESTRUCT lpCreateStruct)
    {
        if (CFrameWnd::OnCreate(lpCreateStruct) == -1)
            return -1;
        m_bar.SetCustomizable(TRUE);
        if (!m_bar.CreateEx(this, TBSTYLE_FLAT, WS_CHILD | WS_VISIBLE | CBRS_ALIGN_TOP | CBRS_GRIPPER))
            return -1;
        const UINT ids[] = {kCmdOpen, kCmdSave};
        m_bar.SetButtons(ids, 2);
        m_bar.SetWindowText("Standard");
        EnableDocking(CBRS_ALIGN_ANY);
        m_bar.EnableDocking(CBRS_ALIGN_ANY);
        DockControlBar(&m_bar);
        return 0;
    }
    DECLARE_MESSAGE_MAP()
};

BEGIN_MESSAGE_MAP(CCpFrame, CFrameWnd)
    ON_WM_CREATE()
END_MESSAGE_MAP()

// A provider of one category of commands, as a menu bar is.
class CCpProvider : public CUXCustomizeListener
{
public:
    CCpProvider() { m_registration.Add(CUXCustomizeCenter::kCommandCategories); }

    void OnAddCommandCategories(CUXCommandCategories& categories) override
    {
        std::unique_ptr<CUXCommandCategory> category(new CUXCommandCategory);
        category->m_strName = "Extras";
        category->m_nOrderKey = -1;   // before the bars' own categories
        CUXCommandRecord* record = category->Add(std::unique_ptr<CUXCommandRecord>(new CUXCommandRecord));
        record->m_nID = kCmdExtra;
        record->m_strText = "E&xtra";
        // The recent files stay out of the list.
        CUXCommandRecord* recent = category->Add(std::unique_ptr<CUXCommandRecord>(new CUXCommandRecord));
        recent->m_nID = 0xE110;
        recent->m_strText = "Recent";
        categories.push_back(std::move(category));
    }

private:
    CUXCustomizeRegistration m_registration{this};
};

class CustomizePagesTest : public UiFramesProgram
{
protected:
    CCpFrame* MakeFrame() { return ShowMainFrame(new CCpFrame, IDR_FT_FRAME, CSize(700, 500)); }

    static std::string ItemText(CListBox& list, int index)
    {
        CString text;
        list.GetText(index, text);
        return text.GetString();
    }
    static void SetName(HWND hDlg, LPCSTR name) { ::SetDlgItemTextA(hDlg, IDC_UX_NT_NAME, name); }
    static bool Enabled(CWnd* page, UINT id) { return ::IsWindowEnabled(::GetDlgItem(page->m_hWnd, id)) != 0; }
};

}   // namespace

TEST_F(CustomizePagesTest, ANewBarIsMadeRenamedHiddenResetAndDeletedThroughTheToolBarsPage)
{
    CCpFrame* frame = MakeFrame();
    ASSERT_NE(nullptr, frame);
    CUXCustomizeSheet sheet(frame, CUXCustomizeSheet::kToolBarsPage | CUXCustomizeSheet::kOptionsPage);
    ASSERT_EQ(2, sheet.GetPageCount());
    CUXCustToolBarPage* page = nullptr;
    CUXCustomToolBar* made = nullptr;
    std::string newName;
    CMessageBoxRecorder boxes(IDOK);
    CDialogDriver* driver = nullptr;
    CDialogDriver steps(
        {// The sheet: the frame's bar is listed, checked; it can be reset but not renamed or deleted.
         [&](HWND hSheet)
         {
             page = sheet.GetToolBarsPage();
             EXPECT_TRUE(frame->m_bar.IsCustomizeMode());
             EXPECT_EQ(1, page->GetList().GetCount());
             EXPECT_EQ("Standard", ItemText(page->GetList(), 0));
             EXPECT_EQ(1, page->GetList().GetCheck(0));
             EXPECT_TRUE(Enabled(page, IDC_UX_TB_RESET));
             EXPECT_FALSE(Enabled(page, IDC_UX_TB_RENAME));
             EXPECT_FALSE(Enabled(page, IDC_UX_TB_DELETE));
             CDialogDriver::Click(page->m_hWnd, IDC_UX_TB_NEW);
             (void)hSheet;
         },
         // The New Toolbar dialog offers the first free name.
         [&](HWND hDlg)
         {
             newName = CDialogDriver::Text(::GetDlgItem(hDlg, IDC_UX_NT_NAME));
             CDialogDriver::Click(hDlg, IDOK);
         },
         // Back on the sheet: the new bar is listed, selected, and can be renamed and deleted.
         [&](HWND)
         {
             CControlBar* bar = frame->GetControlBar(AFX_IDW_TOOLBAR + 1);   // the first id no bar had
             made = dynamic_cast<CUXCustomToolBar*>(bar);
             ASSERT_NE(nullptr, made);
             EXPECT_TRUE(made->IsCustomizeMode());
             EXPECT_TRUE(sheet.IsAllowedWindow(made->m_hWnd));
             ASSERT_EQ(2, page->GetList().GetCount());
             EXPECT_EQ(1, page->GetList().GetCurSel());
             EXPECT_EQ("Custom 1", ItemText(page->GetList(), 1));
             EXPECT_TRUE(Enabled(page, IDC_UX_TB_RENAME));
             EXPECT_TRUE(Enabled(page, IDC_UX_TB_DELETE));
             CDialogDriver::Click(page->m_hWnd, IDC_UX_TB_RENAME);
         },
         // Renamed to the other bar's name (in other case): refused with a message, the dialog stays; a new
         // name renames.
         [&](HWND hDlg)
         {
             EXPECT_EQ("Custom 1", CDialogDriver::Text(::GetDlgItem(hDlg, IDC_UX_NT_NAME)));
             SetName(hDlg, "standard");
             CDialogDriver::Click(hDlg, IDOK);
             driver->Post(
                 [&, hDlg]()
                 {
                     EXPECT_TRUE(::IsWindow(hDlg));
                     SetName(hDlg, "Mine");
                     CDialogDriver::Click(hDlg, IDOK);
                 });
         },
         // The list follows; unchecking hides the bar; Delete asks and removes it.
         [&](HWND hSheet)
         {
             EXPECT_EQ("Mine", ItemText(page->GetList(), 1));
             EXPECT_EQ("Mine", CUXNewToolBarDlg::BarTitle(made));
             EXPECT_EQ(1, page->GetList().GetCurSel());
             page->GetList().SetCheck(1, 0);
             page->SendMessage(WM_COMMAND, MAKEWPARAM(IDC_UX_TB_LIST, CLBN_CHKCHANGE),
                               reinterpret_cast<LPARAM>(page->GetList().m_hWnd));
             EXPECT_FALSE(made->IsVisible());
             frame->ShowControlBar(made, TRUE, FALSE);   // shown from elsewhere: the check follows
             EXPECT_EQ(1, page->GetList().GetCheck(1));

             // A button put on the new bar goes again when the bar is reset (after the bar's question).
             CUXCommandRecord open;
             open.m_nID = static_cast<int>(kCmdOpen);
             open.m_strText = "Open";
             ASSERT_TRUE(made->InsertCommand(open, 0));
             ASSERT_EQ(1, made->GetCount());
             ASSERT_TRUE(Enabled(page, IDC_UX_TB_RESET));
             boxes.SetAnswer(IDYES);
             CDialogDriver::Click(page->m_hWnd, IDC_UX_TB_RESET);
             driver->Post(
                 [&, hSheet]()
                 {
                     EXPECT_EQ(0, made->GetCount());
                     boxes.SetAnswer(IDOK);
                     CDialogDriver::Click(page->m_hWnd, IDC_UX_TB_DELETE);
                     driver->Post(
                         [&, hSheet]()
                         {
                             EXPECT_EQ(nullptr, frame->GetControlBar(AFX_IDW_TOOLBAR + 1));
                             EXPECT_EQ(1, page->GetList().GetCount());
                             EXPECT_EQ(0, page->GetList().GetCurSel());
                             // The options page is the one shown at the end.
                             sheet.SetActivePage(1);
                             CDialogDriver::Click(hSheet, IDCANCEL);
                         });
                 });
         }});
    driver = &steps;
    EXPECT_EQ(IDCANCEL, sheet.DoModal());
    EXPECT_EQ(5u, driver->StepsRun());
    EXPECT_EQ("Custom 1", newName);
    std::vector<VxMessageBoxRecord> asked = boxes.Records();
    ASSERT_EQ(3u, asked.size());
    EXPECT_EQ("A toolbar named 'standard' already exists. Type another name.", asked[0].text);
    EXPECT_EQ(static_cast<unsigned>(MB_ICONSTOP), asked[0].type);
    EXPECT_EQ(static_cast<unsigned>(MB_YESNO | MB_ICONEXCLAMATION), asked[1].type);   // the reset
    EXPECT_EQ("Are you sure you want to delete the 'Mine' toolbar?", asked[2].text);
    EXPECT_EQ(static_cast<unsigned>(MB_OKCANCEL | MB_ICONEXCLAMATION), asked[2].type);
    EXPECT_FALSE(frame->m_bar.IsCustomizeMode());
    EXPECT_EQ(1u, CUXSettingsStore().GetProfileInt("Settings", "Active Page", -1));

    // Opened again, the dialog starts on the page it ended on.
    CUXCustomizeSheet again(frame, CUXCustomizeSheet::kToolBarsPage | CUXCustomizeSheet::kOptionsPage);
    int startPage = -1;
    CDialogDriver reopen({[&](HWND hSheet)
                          {
                              startPage = again.GetActiveIndex();
                              CDialogDriver::Click(hSheet, IDCANCEL);
                          }});
    again.DoModal();
    EXPECT_EQ(1, startPage);
}

TEST_F(CustomizePagesTest, ACommandDraggedFromTheCommandsPageOntoABarInsertsItsButton)
{
    CCpFrame* frame = MakeFrame();
    ASSERT_NE(nullptr, frame);
    CCpProvider provider;
    CUXCustomizeSheet sheet(frame, CUXCustomizeSheet::kCommandsPage);
    std::vector<std::string> categories;
    std::vector<std::string> commands;
    std::string description;
    bool dropped = false;
    int selectedOnBar = -2;
    int rowHeight = 0;
    CDialogDriver steps({[&](HWND hSheet)
                         {
                             CUXCustCommandsPage* page = sheet.GetCommandsPage();
                             // The dialog beside the frame, so that the bar is in sight.
                             ::SetWindowPos(hSheet, nullptr, 710, 0, 0, 0, SWP_NOSIZE | SWP_NOZORDER);
                             for (int i = 0; i < page->GetCategoryList().GetCount(); ++i)
                                 categories.push_back(ItemText(page->GetCategoryList(), i));
                             for (int i = 0; i < page->GetCommandList().GetCount(); ++i)
                                 commands.push_back(ItemText(page->GetCommandList(), i));
                             description = page->GetDescription().GetString();
                             rowHeight = page->GetCommandList().GetItemHeight(0);

                             // From the first command's row to the right half of the bar's last button.
                             CRect row;
                             page->GetCommandList().GetItemRect(0, &row);
                             page->GetCommandList().ClientToScreen(&row);
                             CRect last;
                             frame->m_bar.GetItemRect(1, &last);
                             frame->m_bar.ClientToScreen(&last);
                             CPoint to(last.right - 3, last.CenterPoint().y);
                             VxInput::Drag(row.CenterPoint(), to);
                             dropped = FtPumpUntil([&]() { return frame->m_bar.GetCount() == 3; });

                             // A click on the bar reaches it: the customize mode selects the button.
                             CRect first;
                             frame->m_bar.GetItemRect(0, &first);
                             frame->m_bar.ClientToScreen(&first);
                             FtClick(first.CenterPoint());
                             FtPumpUntil([&]() { return frame->m_bar.GetCustomizer()->GetSelected() == 0; });
                             selectedOnBar = frame->m_bar.GetCustomizer()->GetSelected();
                             CDialogDriver::Click(hSheet, IDCANCEL);
                         }});
    sheet.DoModal();
    // The provider's category first (its order key), then the bar's own; only customizable commands.
    ASSERT_EQ(2u, categories.size());
    EXPECT_EQ("Extras", categories[0]);
    EXPECT_EQ("Standard", categories[1]);
    EXPECT_EQ(std::vector<std::string>{"E&xtra"}, commands);
    EXPECT_EQ("No help topic is associated with this item.", description);
    EXPECT_EQ(22, rowHeight);
    EXPECT_TRUE(dropped);
    ASSERT_EQ(3, frame->m_bar.GetCount());
    EXPECT_EQ(kCmdExtra, frame->m_bar.GetItemID(2));
    EXPECT_EQ(0, selectedOnBar);
    EXPECT_FALSE(GetCustomizeCenter().IsDragging());
}

TEST_F(CustomizePagesTest, ToolsAreEditedOnTheToolsPageAndABadPathKeepsTheDialogOpen)
{
    CCpFrame* frame = MakeFrame();
    ASSERT_NE(nullptr, frame);
    char self[MAX_PATH] = {};
    ::GetModuleFileNameA(nullptr, self, MAX_PATH);
    CUXToolsManager& tools = GetToolsManager();
    tools.RemoveAll();
    tools.SetEnabled(TRUE);
    CUXToolRecord pad = {};
    strcpy(pad.m_szMenuText, "Pad");
    strcpy(pad.m_szCommand, self);
    CUXToolRecord site = {};
    strcpy(site.m_szMenuText, "Site");
    strcpy(site.m_szCommand, "http://example.invalid/start");   // no file, but a web address
    CUXToolRecord gone = {};
    strcpy(gone.m_szMenuText, "Gone");
    strcpy(gone.m_szCommand, "C:\\nowhere\\gone.exe");
    ASSERT_TRUE(tools.AddTool(pad) && tools.AddTool(site) && tools.AddTool(gone));

    // The program offers a menu for the arguments, none for the folder.
    tools.SetArgumentMenu(IDR_UX_POPUP_MENUS, UX_POPUP_EDIT);
    // Every page; the first one shows when no page is remembered.
    auto owned = std::make_unique<CUXCustomizeSheet>(frame, CUXCustomizeSheet::kAllPages);
    CUXCustomizeSheet& sheet = *owned;
    ASSERT_EQ(5, sheet.GetPageCount());
    ASSERT_NE(nullptr, sheet.GetKeyboardPage());
    CUXCustTools* page = sheet.GetToolsPage();
    ASSERT_NE(nullptr, page);
    CMessageBoxRecorder boxes(IDOK);
    CDialogDriver* driver = nullptr;
    std::vector<std::string> listed;
    int startPage = -1;
    size_t boxesBeforeClose = 0;
    auto texts = [&]()
    {
        std::vector<std::string> items;
        for (int i = 0; i < page->GetList().GetCount(); ++i)
            items.push_back(ItemText(page->GetList(), i));
        return items;
    };
    auto select = [&](int index)
    {
        page->GetList().SetCurSel(index);
        page->SendMessage(WM_COMMAND, MAKEWPARAM(IDC_UX_TL_LIST, LBN_SELCHANGE),
                          reinterpret_cast<LPARAM>(page->GetList().m_hWnd));
    };
    CDialogDriver steps(
        {[&](HWND)
         {
             startPage = sheet.GetActiveIndex();
             sheet.SetActivePage(page);
             listed = texts();   // the last tool on top
             EXPECT_EQ(CUXBrowseEdit::kPopupMenu, page->GetArgumentsEdit().GetBrowseStyle());
             EXPECT_EQ(CUXBrowseEdit::kBrowseFolder, page->GetDirectoryEdit().GetBrowseStyle());
             EXPECT_EQ(CUXBrowseEdit::kBrowseFile, page->GetCommandEdit().GetBrowseStyle());
             EXPECT_EQ("C:\\nowhere\\gone.exe", CDialogDriver::Text(page->GetCommandEdit().m_hWnd));

             // The broken tool goes; the one below takes the selection.
             page->GetList().DeleteItem();
             EXPECT_EQ((std::vector<std::string>{"Site", "Pad"}), texts());
             EXPECT_EQ(0, page->GetList().GetCurSel());
             EXPECT_EQ("http://example.invalid/start", CDialogDriver::Text(page->GetCommandEdit().m_hWnd));

             // Arguments typed for "Pad" go into its record, cut to the field.
             select(1);
             page->GetArgumentsEdit().SetWindowText("notes.txt");
             EXPECT_STREQ("notes.txt", page->GetItemTool(1)->m_szArguments);
             EXPECT_STREQ(self, page->GetItemTool(1)->m_szCommand);

             // A new tool named in the list; its command still empty.
             page->GetList().EditItem(TRUE);
             ASSERT_NE(nullptr, page->GetList().GetActiveEditor());
             page->GetList().GetActiveEditor()->SetWindowText("Fresh");
             page->GetList().GetActiveEditor()->EndEdit();
             driver->Post(
                 [&]()
                 {
                     EXPECT_EQ((std::vector<std::string>{"Site", "Pad", "Fresh"}), texts());
                     EXPECT_EQ(2, page->GetList().GetCurSel());
                     EXPECT_TRUE(page->GetCommandEdit().IsWindowEnabled());
                     EXPECT_STREQ("Fresh", page->GetItemTool(2)->m_szMenuText);
                     // Neither another page nor Close while its command is no file: the user is told.
                     select(0);
                     sheet.SetActivePage(4);
                     EXPECT_EQ(3, sheet.GetActiveIndex());
                     EXPECT_EQ(2, page->GetList().GetCurSel());
                     EXPECT_GE(boxes.Count(), 1u);
                     boxesBeforeClose = boxes.Count();
                     CDialogDriver::Click(sheet.m_hWnd, IDCANCEL);
                     driver->Post(
                         [&]()
                         {
                             EXPECT_TRUE(::IsWindowVisible(sheet.m_hWnd));
                             EXPECT_EQ(boxesBeforeClose + 1, boxes.Count());
                             page->GetCommandEdit().SetWindowText(self);
                             CDialogDriver::Click(sheet.m_hWnd, IDCANCEL);
                         });
                 });
         }});
    driver = &steps;
    EXPECT_EQ(IDCANCEL, sheet.DoModal());
    EXPECT_EQ(0, startPage);
    EXPECT_EQ((std::vector<std::string>{"Gone", "Site", "Pad"}), listed);
    for (const VxMessageBoxRecord& box : boxes.Records())
        EXPECT_EQ("The path is invalid.", box.text);

    // The manager holds the list as it was left (bottom item first), with the ids the tools had, and the page
    // stored it when it went.
    owned.reset();
    ASSERT_EQ(3, tools.GetCount());
    EXPECT_STREQ("Fresh", tools.GetTool(0)->m_szMenuText);
    EXPECT_STREQ(self, tools.GetTool(0)->m_szCommand);
    EXPECT_STREQ("Pad", tools.GetTool(1)->m_szMenuText);
    EXPECT_STREQ("notes.txt", tools.GetTool(1)->m_szArguments);
    EXPECT_STREQ("Site", tools.GetTool(2)->m_szMenuText);
    EXPECT_EQ(static_cast<UINT>(ID_UX_TOOLS_FIRST + 2), tools.GetTool(0)->m_nID);   // the one "Gone" had
    EXPECT_EQ(static_cast<UINT>(ID_UX_TOOLS_FIRST), tools.GetTool(1)->m_nID);
    EXPECT_EQ(static_cast<UINT>(ID_UX_TOOLS_FIRST + 1), tools.GetTool(2)->m_nID);
    std::vector<BYTE> stored;
    ASSERT_TRUE(CUXSettingsStore().GetProfileBinary("Settings", "Tools", stored));
    EXPECT_EQ(3 * sizeof(CUXToolRecord), stored.size());
    EXPECT_EQ(3u, CUXSettingsStore().GetProfileInt("Settings", "Active Page", -1));
    tools.RemoveAll();
    tools.SetEnabled(FALSE);
    tools.SetArgumentMenu(0, 0);
}
