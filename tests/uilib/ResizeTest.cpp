// Resizing dialogs, sheets and pages: children follow their anchors, the grip keeps to the corner, the minimum
// size holds, and the stored placement comes back only when it is whole and on a monitor.
#include "uilib/core/dialogs/ResizeDialogs.h"

#include "UilibTestIds.h"
#include "UilibTestSupport.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <string>
#include <vector>

namespace
{

const char kAppKey[] = "Software\\VexulTests\\UilibResizeTest";
const char kSection[] = "ResizeTest";

CRect ScreenRect(HWND hWnd)
{
    CRect rect;
    ::GetWindowRect(hWnd, &rect);
    return rect;
}

class TestResizeDialog : public CUXResizeDialog
{
public:
    explicit TestResizeDialog(UINT id = IDD_TEST_RESIZE, int flags = 0) : CUXResizeDialog(id, nullptr, flags) {}
    CString m_strSection;

    BOOL OnInitDialog() override
    {
        CUXResizeDialog::OnInitDialog();
        SetChildAnchor(IDC_TEST_LIST, CUXAnchorRect(0, 0, 1, 1));
        SetChildAnchor(IDC_TEST_BUTTON, CUXAnchorRect(1, 1, 1, 1));
        SetChildAnchor(IDC_TEST_LABEL, CUXAnchorRect(0, 0, 0, 0));
        SetChildAnchor(IDC_TEST_TWICE, CUXAnchorRect(1, 0, 1, 0));
        SetChildAnchor(IDC_TEST_TWICE, CUXAnchorRect(1, 0, 1, 0));
        SetChildAnchor(IDC_TEST_GROUP, CUXAnchorRect(0, 0, 0, 0));
        if (!m_strSection.IsEmpty())
            UsePlacementSection(m_strSection);
        return TRUE;
    }
};

class ResizeTest : public ::testing::Test
{
protected:
    CWinApp m_app{"UilibResizeTest"};

    void SetUp() override
    {
        m_app.SetRegistryKey("VexulTests");
        ::RegDeleteTreeA(HKEY_CURRENT_USER, kAppKey);
    }
    void TearDown() override { ::RegDeleteTreeA(HKEY_CURRENT_USER, kAppKey); }

    void StorePlacementBytes(const void* data, UINT size)
    {
        m_app.WriteProfileBinary(kSection, "WindowPlacement", static_cast<LPBYTE>(const_cast<void*>(data)), size);
    }
    static CUXStoredPlacement Placement(int left, int top, int right, int bottom)
    {
        CUXStoredPlacement p = {};
        p.length = sizeof(p);
        p.showCmd = SW_SHOWNORMAL;
        p.left = left;
        p.top = top;
        p.right = right;
        p.bottom = bottom;
        return p;
    }
};

TEST_F(ResizeTest, ChildrenFollowTheirAnchorsAndTheGripKeepsToTheCorner)
{
    TestResizeDialog dialog;
    ASSERT_TRUE(dialog.Create(IDD_TEST_RESIZE));
    HWND list = dialog.GetDlgItem(IDC_TEST_LIST)->m_hWnd;
    HWND button = dialog.GetDlgItem(IDC_TEST_BUTTON)->m_hWnd;
    HWND label = dialog.GetDlgItem(IDC_TEST_LABEL)->m_hWnd;
    HWND twice = dialog.GetDlgItem(IDC_TEST_TWICE)->m_hWnd;
    CRect window = ScreenRect(dialog.m_hWnd);
    CRect list0 = ScreenRect(list), button0 = ScreenRect(button), label0 = ScreenRect(label),
          twice0 = ScreenRect(twice);

    // Registered twice with (1, 0, 1, 0): the anchors add up.
    CUXResizeItem* item = dialog.FindItem(twice);
    ASSERT_NE(nullptr, item);
    EXPECT_EQ(2.0f, item->m_anchor.left);
    EXPECT_EQ(0.0f, item->m_anchor.top);
    EXPECT_EQ(2.0f, item->m_anchor.right);
    // A group box (a typed button without a tab stop) lets its neighbours paint through.
    EXPECT_TRUE(::GetWindowLongA(dialog.GetDlgItem(IDC_TEST_GROUP)->m_hWnd, GWL_EXSTYLE) & WS_EX_TRANSPARENT);
    EXPECT_FALSE(::GetWindowLongA(button, GWL_EXSTYLE) & WS_EX_TRANSPARENT);

    dialog.SetWindowPos(nullptr, 0, 0, window.Width() + 40, window.Height() + 20, SWP_NOMOVE | SWP_NOZORDER);
    CRect list1 = ScreenRect(list), button1 = ScreenRect(button), label1 = ScreenRect(label),
          twice1 = ScreenRect(twice);
    EXPECT_EQ(list0.TopLeft(), list1.TopLeft());
    EXPECT_EQ(list0.Width() + 40, list1.Width());
    EXPECT_EQ(list0.Height() + 20, list1.Height());
    EXPECT_EQ(button0.left + 40, button1.left);
    EXPECT_EQ(button0.top + 20, button1.top);
    EXPECT_EQ(button0.Size(), button1.Size());
    EXPECT_EQ(label0, label1);
    EXPECT_EQ(twice0.left + 80, twice1.left);
    EXPECT_EQ(twice0.top, twice1.top);

    // The grip: 16 by 16 in the client area's bottom-right corner, before and after.
    CUXSizeGrip& grip = dialog.GetSizeGrip();
    ASSERT_NE(nullptr, grip.m_hWnd);
    EXPECT_EQ(CUXSizeGrip::kControlId, grip.GetDlgCtrlID());
    CRect client, gripRect = ScreenRect(grip.m_hWnd);
    dialog.GetClientRect(&client);
    dialog.ClientToScreen(&client);
    EXPECT_EQ(client.BottomRight(), gripRect.BottomRight());
    EXPECT_EQ(CSize(16, 16), gripRect.Size());

    // Smaller again than the initial size: the tracking minimum is the initial size.
    MINMAXINFO info = {};
    dialog.SendMessage(WM_GETMINMAXINFO, 0, reinterpret_cast<LPARAM>(&info));
    EXPECT_EQ(window.Width(), info.ptMinTrackSize.x);
    EXPECT_EQ(window.Height(), info.ptMinTrackSize.y);
    dialog.SetWindowPos(nullptr, 0, 0, window.Width(), window.Height(), SWP_NOMOVE | SWP_NOZORDER);
    EXPECT_EQ(list0, ScreenRect(list));
    EXPECT_EQ(button0, ScreenRect(button));
    dialog.DestroyWindow();
}

TEST_F(ResizeTest, FlagsFixTheWidthOrDropTheMinimumAndATemplateWithoutBorderHasNoGrip)
{
    TestResizeDialog fixedWidth(IDD_TEST_RESIZE, CUXResizeEngine::kFixedWidth | CUXResizeEngine::kNoMinSize);
    ASSERT_TRUE(fixedWidth.Create(IDD_TEST_RESIZE));
    CRect window = ScreenRect(fixedWidth.m_hWnd);
    MINMAXINFO info = {};
    info.ptMaxTrackSize = {5000, 5000};
    fixedWidth.SendMessage(WM_GETMINMAXINFO, 0, reinterpret_cast<LPARAM>(&info));
    EXPECT_EQ(window.Width(), info.ptMaxTrackSize.x);
    EXPECT_EQ(5000, info.ptMaxTrackSize.y);
    EXPECT_EQ(0, info.ptMinTrackSize.x);   // no minimum: the system's own stays
    fixedWidth.DestroyWindow();

    TestResizeDialog noBorder(IDD_TEST_RESIZE_FIXED);
    ASSERT_TRUE(noBorder.Create(IDD_TEST_RESIZE_FIXED));
    EXPECT_EQ(nullptr, noBorder.GetSizeGrip().m_hWnd);
    EXPECT_EQ(nullptr, noBorder.GetDlgItem(CUXSizeGrip::kControlId));
    noBorder.DestroyWindow();
}

TEST_F(ResizeTest, ThePlacementComesBackOnlyWhenItIsWholeAndOnAMonitor)
{
    CUXStoredPlacement stored = Placement(100, 120, 500, 420);
    auto openAndMeasure = [](bool withSection)
    {
        TestResizeDialog dialog;
        if (withSection)
            dialog.m_strSection = kSection;
        dialog.Create(IDD_TEST_RESIZE);
        CRect rect = ScreenRect(dialog.m_hWnd);
        dialog.DestroyWindow();
        return rect;
    };
    CRect plain = openAndMeasure(false);

    StorePlacementBytes(&stored, 43);   // one byte short
    EXPECT_EQ(plain, openAndMeasure(true));
    CUXStoredPlacement offScreen = Placement(30000, 30000, 30400, 30300);
    StorePlacementBytes(&offScreen, sizeof(offScreen));
    EXPECT_EQ(plain, openAndMeasure(true));

    // Whole and on the screen: applied; and on destruction the dialog stores where it was.
    StorePlacementBytes(&stored, sizeof(stored));
    TestResizeDialog dialog;
    dialog.m_strSection = kSection;
    ASSERT_TRUE(dialog.Create(IDD_TEST_RESIZE));
    EXPECT_EQ(CRect(100, 120, 500, 420), ScreenRect(dialog.m_hWnd));
    dialog.SetWindowPos(nullptr, 150, 160, 450, 330, SWP_NOZORDER);
    dialog.DestroyWindow();
    LPBYTE data = nullptr;
    UINT size = 0;
    ASSERT_TRUE(m_app.GetProfileBinary(kSection, "WindowPlacement", &data, &size));
    ASSERT_EQ(44u, size);
    CUXStoredPlacement back = {};
    memcpy(&back, data, sizeof(back));
    delete[] data;
    EXPECT_EQ(44u, back.length);
    EXPECT_EQ(CRect(150, 160, 600, 490), CRect(back.left, back.top, back.right, back.bottom));
}

// ---- sheets and pages ----------------------------------------------------------------------------------

class TestResizePage : public CUXResizePropertyPage
{
public:
    TestResizePage() : CUXResizePropertyPage(IDD_TEST_PAGE) {}
    BOOL OnInitDialog() override
    {
        BOOL result = CUXResizePropertyPage::OnInitDialog();
        SetChildAnchor(IDC_TEST_LIST, CUXAnchorRect(0, 0, 1, 1));
        SetChildAnchor(IDC_TEST_BUTTON, CUXAnchorRect(1, 1, 1, 1));
        return result;
    }
};

std::vector<std::string> MenuTexts(HMENU menu)
{
    std::vector<std::string> texts;
    for (int i = 0; i < ::GetMenuItemCount(menu); ++i)
    {
        char text[64] = {};
        if (::GetMenuStringA(menu, static_cast<UINT>(i), text, sizeof(text), MF_BYPOSITION) == 0)
            texts.push_back("-");
        else
            texts.push_back(std::string(text).substr(0, std::string(text).find('\t')));
    }
    return texts;
}

TEST_F(ResizeTest, ASheetAndItsPageResizeTheirControlsTheSameWay)
{
    CUXResizePropertySheet sheet("Sheet");
    TestResizePage first, second;
    sheet.AddPage(&first);
    sheet.AddPage(&second);
    ASSERT_TRUE(sheet.Create());
    PumpPending();
    ASSERT_NE(nullptr, sheet.GetFlatTabCtrl().m_hWnd);
    EXPECT_TRUE(sheet.GetStyle() & WS_THICKFRAME);
    ASSERT_NE(nullptr, sheet.GetSizeGrip().m_hWnd);

    HWND ok = sheet.GetDlgItem(IDOK)->m_hWnd;
    HWND tab = sheet.GetFlatTabCtrl().m_hWnd;
    HWND list = first.GetDlgItem(IDC_TEST_LIST)->m_hWnd;
    HWND button = first.GetDlgItem(IDC_TEST_BUTTON)->m_hWnd;
    CRect window = ScreenRect(sheet.m_hWnd), ok0 = ScreenRect(ok), tab0 = ScreenRect(tab),
          page0 = ScreenRect(first.m_hWnd), list0 = ScreenRect(list), button0 = ScreenRect(button);

    sheet.SetWindowPos(nullptr, 0, 0, window.Width() + 40, window.Height() + 30, SWP_NOMOVE | SWP_NOZORDER);
    EXPECT_EQ(ok0.left + 40, ScreenRect(ok).left);
    EXPECT_EQ(ok0.top + 30, ScreenRect(ok).top);
    EXPECT_EQ(tab0.Width() + 40, ScreenRect(tab).Width());
    EXPECT_EQ(tab0.Height() + 30, ScreenRect(tab).Height());
    EXPECT_EQ(page0.Width() + 40, ScreenRect(first.m_hWnd).Width());
    EXPECT_EQ(list0.Width() + 40, ScreenRect(list).Width());
    EXPECT_EQ(list0.Height() + 30, ScreenRect(list).Height());
    EXPECT_EQ(button0.left + 40, ScreenRect(button).left);
    EXPECT_EQ(button0.top + 30, ScreenRect(button).top);

    // A page shown for the first time after the change comes at the size the first one has now.
    ASSERT_TRUE(sheet.SetActivePage(1));
    PumpPending();
    ASSERT_NE(nullptr, second.m_hWnd);
    EXPECT_EQ(ScreenRect(first.m_hWnd), ScreenRect(second.m_hWnd));
    EXPECT_EQ(ScreenRect(list).Width(), ScreenRect(second.GetDlgItem(IDC_TEST_LIST)->m_hWnd).Width());

    // The system menu offers the commands of a sizable window, each once.
    std::vector<std::string> texts = MenuTexts(::GetSystemMenu(sheet.m_hWnd, FALSE));
    for (const char* text : {"&Restore", "&Size", "Mi&nimize", "Ma&ximize"})
        EXPECT_EQ(1, std::count(texts.begin(), texts.end(), text)) << text;
    sheet.DestroyWindow();
}

// Whether a tool-tip control of this thread holds a tool with this text.
bool TipHolds(const char* wanted)
{
    struct Search
    {
        const char* wanted;
        bool found;
    } search = {wanted, false};
    ::EnumThreadWindows(
        ::GetCurrentThreadId(),
        [](HWND hWnd, LPARAM lParam) -> BOOL
        {
            Search& s = *reinterpret_cast<Search*>(lParam);
            char name[32] = {};
            ::GetClassNameA(hWnd, name, sizeof(name));
            if (lstrcmpiA(name, TOOLTIPS_CLASSA) != 0)
                return TRUE;
            int count = static_cast<int>(::SendMessageA(hWnd, TTM_GETTOOLCOUNT, 0, 0));
            for (int i = 0; i < count && !s.found; ++i)
            {
                char text[80] = {};
                TOOLINFOA info = {};
                info.cbSize = sizeof(info);
                info.lpszText = text;
                ::SendMessageA(hWnd, TTM_ENUMTOOLSA, static_cast<WPARAM>(i), reinterpret_cast<LPARAM>(&info));
                s.found = lstrcmpA(text, s.wanted) == 0;
            }
            return !s.found;
        },
        reinterpret_cast<LPARAM>(&search));
    return search.found;
}

// The mouse moves over a control: the tip of its command string shows when its window offers tips.
bool TipOverControl(HWND control)
{
    CRect rect = ScreenRect(control);
    MSG msg = {};
    msg.hwnd = control;
    msg.message = WM_MOUSEMOVE;
    msg.lParam = MAKELPARAM(rect.Width() / 2, rect.Height() / 2);
    msg.pt = rect.CenterPoint();
    AfxRelayToolTipMessage(&msg);
    bool shown = TipHolds("Go now");
    msg.hwnd = ::GetDesktopWindow();   // the mouse leaves again
    AfxRelayToolTipMessage(&msg);
    return shown;
}

TEST_F(ResizeTest, ResizingDialogsSheetsAndPagesShowTheTipsOfTheirControls)
{
    TestResizeDialog dialog;
    ASSERT_TRUE(dialog.Create(IDD_TEST_RESIZE));
    EXPECT_TRUE(TipOverControl(dialog.GetDlgItem(IDC_TEST_BUTTON)->m_hWnd));
    dialog.DestroyWindow();

    CUXResizePropertySheet sheet("Sheet");
    TestResizePage page;
    sheet.AddPage(&page);
    ASSERT_TRUE(sheet.Create());
    PumpPending();
    EXPECT_TRUE(sheet.m_nFlags & WF_TOOLTIPS);
    EXPECT_TRUE(TipOverControl(page.GetDlgItem(IDC_TEST_BUTTON)->m_hWnd));
    sheet.DestroyWindow();
}

TEST_F(ResizeTest, AWizardKeepsItsButtonsAtTheCornerAndLaysEachPageOutAfresh)
{
    CUXResizePropertySheet wizard("Wizard");
    wizard.SetWizardMode();
    TestResizePage first, second;
    wizard.AddPage(&first);
    wizard.AddPage(&second);
    ASSERT_TRUE(wizard.Create());
    PumpPending();
    EXPECT_NE(nullptr, wizard.GetSizeGrip().m_hWnd);
    HWND next = wizard.GetDlgItem(ID_WIZNEXT)->m_hWnd;
    CRect window = ScreenRect(wizard.m_hWnd), next0 = ScreenRect(next), page0 = ScreenRect(first.m_hWnd);

    wizard.SetWindowPos(nullptr, 0, 0, window.Width() + 40, window.Height() + 30, SWP_NOMOVE | SWP_NOZORDER);
    EXPECT_EQ(next0.left + 40, ScreenRect(next).left);
    EXPECT_EQ(next0.top + 30, ScreenRect(next).top);
    EXPECT_EQ(page0.Width() + 40, ScreenRect(first.m_hWnd).Width());

    // Next: the second page comes at the grown size too, its controls laid out for it.
    wizard.PressButton(PSBTN_NEXT);
    PumpPending();
    ASSERT_NE(nullptr, second.m_hWnd);
    EXPECT_EQ(page0.Width() + 40, ScreenRect(second.m_hWnd).Width());
    EXPECT_EQ(page0.Height() + 30, ScreenRect(second.m_hWnd).Height());
    CRect list = ScreenRect(second.GetDlgItem(IDC_TEST_LIST)->m_hWnd);
    EXPECT_EQ(ScreenRect(first.GetDlgItem(IDC_TEST_LIST)->m_hWnd).Size(), list.Size());
    wizard.DestroyWindow();
}

struct SheetMenuProbe : CUXResizePropertySheet
{
    using CUXResizePropertySheet::AddSizingCommands;
};

TEST(ResizeSheetMenu, AMenuOfMoveAndCloseReadsRestoreMoveSizeMinimizeMaximizeThenClose)
{
    HMENU menu = ::CreatePopupMenu();
    ::AppendMenuA(menu, MF_STRING, SC_MOVE, "&Move");
    ::AppendMenuA(menu, MF_STRING, SC_CLOSE, "&Close");
    HMENU source = ::CreatePopupMenu();
    ::AppendMenuA(source, MF_STRING, SC_SIZE, "Si&ze it");   // the others are missing there: the usual texts
    SheetMenuProbe::AddSizingCommands(menu, source);
    std::vector<std::string> expected = {"&Restore", "&Move", "Si&ze it", "Mi&nimize", "Ma&ximize", "-", "&Close"};
    EXPECT_EQ(expected, MenuTexts(menu));
    SheetMenuProbe::AddSizingCommands(menu, source);   // nothing twice
    EXPECT_EQ(expected, MenuTexts(menu));
    ::DestroyMenu(source);
    ::DestroyMenu(menu);
}

}   // namespace
