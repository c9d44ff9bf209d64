// Property sheets and wizards: page activation order, data exchange that keeps a page, the results of OK,
// Cancel and Finish, help, keyboard, and modeless sheets.
#include "framework/win/Framework.h"
#include "tests/support/win_DialogDriver.h"
#include "DialogsTestIds.h"

#include <gtest/gtest.h>

#include <functional>
#include <string>
#include <vector>

namespace
{

// A page with one number (0 to 100) that writes what the sheet asks of it into a shared log.
class CNumberPage : public CPropertyPage
{
public:
    CNumberPage(int index, std::vector<std::string>& log, int value)
        : CPropertyPage(IDD_PAGE, IDS_PAGE_CAPTION), m_index(index), m_log(log), m_value(value)
    {
    }
    int m_index;
    std::vector<std::string>& m_log;
    int m_value;
    int m_nHelp = 0;
    int m_nOK = 0;
    int m_nCancel = 0;
    DWORD m_wizardButtons = 0;   // what a wizard page sets on activation

    void DoDataExchange(CDataExchange* pDX) override
    {
        DDX_Text(pDX, IDC_PAGE_VALUE, m_value);
        DDV_MinMaxInt(pDX, m_value, 0, 100);
    }
    BOOL OnSetActive() override
    {
        Log("+");
        if (m_wizardButtons != 0)
            static_cast<CPropertySheet*>(GetParent())->SetWizardButtons(m_wizardButtons);
        return CPropertyPage::OnSetActive();
    }
    BOOL OnKillActive() override
    {
        Log("k");
        return CPropertyPage::OnKillActive();
    }
    LRESULT OnWizardNext() override
    {
        Log("n");
        return CPropertyPage::OnWizardNext();
    }
    LRESULT OnWizardBack() override
    {
        Log("b");
        return CPropertyPage::OnWizardBack();
    }
    BOOL OnWizardFinish() override
    {
        Log("f");
        return CPropertyPage::OnWizardFinish();
    }
    void OnOK() override { ++m_nOK; }
    void OnCancel() override { ++m_nCancel; }
    afx_msg void OnHelp() { ++m_nHelp; }

    void Log(const char* what) { m_log.push_back(what + std::to_string(m_index)); }
    DECLARE_MESSAGE_MAP()
};

BEGIN_MESSAGE_MAP(CNumberPage, CPropertyPage)
    ON_COMMAND(ID_HELP, OnHelp)
END_MESSAGE_MAP()

void SetValue(CPropertyPage* pPage, const char* text)
{
    ::SetDlgItemTextA(pPage->m_hWnd, IDC_PAGE_VALUE, text);
}

// Dispatches this thread's messages (with pre-translation, as the loops do) until the condition holds or a
// generous number of waits has passed.
bool PumpUntil(const std::function<bool()>& done)
{
    for (int wait = 0; wait < 100 && !done(); ++wait)
    {
        MSG msg;
        while (::PeekMessageA(&msg, nullptr, 0, 0, PM_REMOVE))
        {
            if (!AfxPreTranslateMessage(&msg))
            {
                ::TranslateMessage(&msg);
                ::DispatchMessageA(&msg);
            }
        }
        if (!done())
            ::MsgWaitForMultipleObjects(0, nullptr, FALSE, 50, QS_ALLINPUT);
    }
    return done();
}

TEST(Wizard, EightPagesKeepAFailingPageAndFinishWithEveryPagesData)
{
    CMessageBoxRecorder boxes;
    CWnd owner;
    ASSERT_TRUE(
        owner.CreateEx(0, nullptr, "owner", WS_OVERLAPPEDWINDOW | WS_VISIBLE, 0, 0, 300, 200, nullptr, nullptr));
    std::vector<std::string> log;
    std::vector<std::unique_ptr<CNumberPage>> pages;
    CPropertySheet sheet("", &owner);
    sheet.m_psh.dwFlags |= PSH_WIZARD | PSH_WIZARDHASFINISH;
    for (int i = 0; i < 8; ++i)
    {
        pages.push_back(std::make_unique<CNumberPage>(i, log, 10 * i));
        pages.back()->m_wizardButtons = i == 0   ? PSWIZB_NEXT
                                        : i == 7 ? PSWIZB_BACK | PSWIZB_FINISH
                                                 : PSWIZB_BACK | PSWIZB_NEXT;
        sheet.AddPage(pages.back().get());
    }

    bool ownerDisabled = false;
    bool backDisabledOnFirst = false;
    bool backEnabledOnSecond = false;
    int activeAfterRefusedNext = -1;
    int activeAfterRefusedFinish = -1;
    size_t boxesAfterBack = 0;
    auto press = [&](int button) { sheet.PressButton(button); };
    CDialogDriver driver({[&](HWND hSheet)
                          {
                              ownerDisabled = !owner.IsWindowEnabled();
                              backDisabledOnFirst = !::IsWindowEnabled(::GetDlgItem(hSheet, ID_WIZBACK));
                              SetValue(pages[0].get(), "1");
                              press(PSBTN_NEXT);
                              driver.Post(
                                  [&]
                                  {
                                      backEnabledOnSecond =
                                          ::IsWindowEnabled(::GetDlgItem(hSheet, ID_WIZBACK)) != 0;
                                      SetValue(pages[1].get(), "2");
                                      press(PSBTN_NEXT);
                                  });
                              driver.Post(
                                  [&]
                                  {
                                      SetValue(pages[2].get(), "250");   // out of range: Next keeps the page
                                      press(PSBTN_NEXT);
                                  });
                              driver.Post(
                                  [&]
                                  {
                                      activeAfterRefusedNext = sheet.GetActiveIndex();
                                      SetValue(pages[2].get(), "3");
                                      press(PSBTN_NEXT);
                                  });
                              for (int i = 3; i < 7; ++i)
                                  driver.Post(
                                      [&, i]
                                      {
                                          SetValue(pages[i].get(), std::to_string(i + 1).c_str());
                                          press(PSBTN_NEXT);
                                      });
                              driver.Post(
                                  [&]
                                  {
                                      SetValue(pages[7].get(), "999");   // Back leaves without checking
                                      press(PSBTN_BACK);
                                  });
                              driver.Post(
                                  [&]
                                  {
                                      boxesAfterBack = boxes.Count();
                                      press(PSBTN_FINISH);   // the last page still holds 999: it comes back
                                  });
                              driver.Post(
                                  [&]
                                  {
                                      activeAfterRefusedFinish = sheet.GetActiveIndex();
                                      SetValue(pages[7].get(), "8");
                                      press(PSBTN_FINISH);
                                  });
                          }});

    EXPECT_EQ(ID_WIZFINISH, sheet.DoModal());
    EXPECT_TRUE(ownerDisabled);
    EXPECT_TRUE(owner.IsWindowEnabled());
    EXPECT_EQ(nullptr, sheet.m_hWnd);
    EXPECT_TRUE(backDisabledOnFirst);
    EXPECT_TRUE(backEnabledOnSecond);
    EXPECT_EQ(2, activeAfterRefusedNext);
    EXPECT_EQ(1u, boxesAfterBack);
    EXPECT_EQ(7, activeAfterRefusedFinish);
    ASSERT_EQ(2u, boxes.Count());
    EXPECT_EQ("Please enter an integer between 0 and 100.", boxes.LastText());
    for (int i = 0; i < 8; ++i)
        EXPECT_EQ(i + 1, pages[i]->m_value) << "page " << i;
    std::vector<std::string> expected = {"+0", "k0", "n0", "+1", "k1", "n1", "+2", "k2", "k2", "n2", "+3",
                                         "k3", "n3", "+4", "k4", "n4", "+5", "k5", "n5", "+6", "k6", "n6",
                                         "+7", "b7", "+6", "k6", "f6", "k6", "+7", "k7", "f7"};
    EXPECT_EQ(expected, log);
}

TEST(Sheet, SettingsSheetKeepsAnInvalidTabRoutesHelpAndKeysAndEndsWithOK)
{
    CMessageBoxRecorder boxes;
    std::vector<std::string> log;
    CNumberPage first(0, log, 5), second(1, log, 6), third(2, log, 7);
    first.m_psp.dwFlags |= PSP_HASHELP;
    second.m_psp.dwFlags |= PSP_HASHELP;
    CPropertySheet sheet(IDS_SHEET_CAPTION);
    sheet.m_psh.dwFlags |= PSH_NOAPPLYNOW | PSH_HASHELP;
    sheet.AddPage(&first);
    sheet.AddPage(&second);
    sheet.AddPage(&third);
    sheet.SetActivePage(1);

    std::string caption;
    std::string firstTab;
    bool applyShown = true;
    int activeAfterRefusal = -1;
    CDialogDriver driver({[&](HWND hSheet)
                          {
                              caption = CDialogDriver::Text(hSheet);
                              HWND hApply = ::GetDlgItem(hSheet, ID_APPLY_NOW);
                              applyShown = hApply != nullptr && ::IsWindowVisible(hApply);
                              char text[64] = {};
                              TCITEMA item = {};
                              item.mask = TCIF_TEXT;
                              item.pszText = text;
                              item.cchTextMax = sizeof(text);
                              ::SendMessageA(sheet.GetTabControl()->m_hWnd, TCM_GETITEMA, 0,
                                             reinterpret_cast<LPARAM>(&item));
                              firstTab = text;
                              SetValue(&second, "-3");
                              sheet.SetActivePage(2);   // refused: the second page keeps its tab
                              activeAfterRefusal = sheet.GetActiveIndex();
                              SetValue(&second, "60");
                              sheet.SetActivePage(0);
                              SetValue(&first, "50");
                              sheet.PressButton(PSBTN_HELP);
                              driver.Post(
                                  [&]
                                  {
                                      // Enter in the page's edit presses the sheet's default button.
                                      HWND hEdit = ::GetDlgItem(first.m_hWnd, IDC_PAGE_VALUE);
                                      ::SetFocus(hEdit);
                                      ::PostMessageA(hEdit, WM_KEYDOWN, VK_RETURN, 0x001C0001);
                                  });
                          }});
    EXPECT_EQ(IDOK, sheet.DoModal());
    EXPECT_EQ("Settings", caption);
    EXPECT_EQ("Numbers", firstTab);
    EXPECT_FALSE(applyShown);
    EXPECT_EQ(1, activeAfterRefusal);
    EXPECT_EQ(1u, boxes.Count());
    EXPECT_EQ(50, first.m_value);
    EXPECT_EQ(60, second.m_value);
    EXPECT_EQ(7, third.m_value);
    EXPECT_EQ(1, first.m_nHelp);   // the active page gets the help command
    EXPECT_EQ(0, second.m_nHelp);
    EXPECT_EQ(1, first.m_nOK);   // every page that was created hears OK
    EXPECT_EQ(1, second.m_nOK);
    EXPECT_EQ(0, third.m_nOK);
    EXPECT_EQ(0, first.m_nCancel);
}

TEST(Sheet, CancelLeavesTheMembersAndASheetWithoutPagesStillRuns)
{
    std::vector<std::string> log;
    CNumberPage page(0, log, 9);
    CPropertySheet sheet("Cancel");
    sheet.AddPage(&page);
    CDialogDriver driver({[&](HWND hSheet)
                          {
                              SetValue(&page, "77");
                              CDialogDriver::Click(hSheet, IDCANCEL);
                          }});
    EXPECT_EQ(IDCANCEL, sheet.DoModal());
    EXPECT_EQ(9, page.m_value);
    EXPECT_EQ(1, page.m_nCancel);

    CPropertySheet empty("Empty");
    CDialogDriver closer({[](HWND hSheet) { CDialogDriver::Click(hSheet, IDCANCEL); }});
    EXPECT_EQ(IDCANCEL, empty.DoModal());
    EXPECT_EQ(1u, closer.StepsRun());
}

TEST(Sheet, ModelessSheetTakesPagesWhileOpenAndGoesAwayWhenClosed)
{
    CWnd owner;
    ASSERT_TRUE(
        owner.CreateEx(0, nullptr, "owner", WS_OVERLAPPEDWINDOW | WS_VISIBLE, 0, 0, 300, 200, nullptr, nullptr));
    std::vector<std::string> log;
    CNumberPage first(0, log, 1), added(1, log, 2);
    CPropertySheet sheet("Modeless");
    sheet.AddPage(&first);
    ASSERT_TRUE(sheet.Create(&owner));
    HWND hSheet = sheet.m_hWnd;
    EXPECT_EQ(&sheet, CWnd::FromHandlePermanent(hSheet));
    EXPECT_EQ(&first, CWnd::FromHandlePermanent(first.m_hWnd));   // attached before its first message
    EXPECT_TRUE(owner.IsWindowEnabled());
    EXPECT_EQ(owner.m_hWnd, ::GetWindow(hSheet, GW_OWNER));

    sheet.AddPage(&added);
    EXPECT_EQ(2, static_cast<int>(::SendMessageA(sheet.GetTabControl()->m_hWnd, TCM_GETITEMCOUNT, 0, 0)));
    ASSERT_TRUE(sheet.SetActivePage(&added));
    EXPECT_EQ(&added, sheet.GetActivePage());
    SetValue(&added, "20");

    sheet.PressButton(PSBTN_OK);
    EXPECT_TRUE(PumpUntil([&] { return !::IsWindow(hSheet); }));
    EXPECT_EQ(nullptr, sheet.m_hWnd);
    EXPECT_EQ(nullptr, added.m_hWnd);
    EXPECT_EQ(20, added.m_value);
    EXPECT_EQ(1, added.m_nOK);
}

}   // namespace
