// Dialogs: modal loops that nest, modeless dialogs, keyboard handling and data exchange.
#include "framework/win/Framework.h"
#include "WinTestIds.h"
#include "support/win_MessageSequence.h"

#include <gtest/gtest.h>

#include <functional>

namespace
{

const UINT WM_STEP = WM_APP + 1;

// Runs a step once the dialog's own loop is running (posted from OnInitDialog).
class CStepDialog : public CDialog
{
public:
    explicit CStepDialog(CWnd* pParent = nullptr) : CDialog(IDD_TEST, pParent) {}
    std::function<void(CStepDialog*)> step;
    bool ownerWasDisabled = false;

    BOOL OnInitDialog() override
    {
        CDialog::OnInitDialog();
        PostMessage(WM_STEP);
        return TRUE;
    }
    afx_msg LRESULT OnStep(WPARAM, LPARAM)
    {
        HWND owner = ::GetWindow(m_hWnd, GW_OWNER);
        ownerWasDisabled = owner != nullptr && !::IsWindowEnabled(owner);
        if (step)
            step(this);
        return 0;
    }
    DECLARE_MESSAGE_MAP()
};

BEGIN_MESSAGE_MAP(CStepDialog, CDialog)
    ON_MESSAGE(WM_STEP, OnStep)
END_MESSAGE_MAP()

TEST(ModalDialog, EndDialogValueComesBackAndTheOwnerIsEnabledAgain)
{
    CWnd owner;
    ASSERT_TRUE(
        owner.CreateEx(0, nullptr, "owner", WS_OVERLAPPEDWINDOW | WS_VISIBLE, 0, 0, 300, 200, nullptr, nullptr));
    CStepDialog dlg(&owner);
    HWND seen = nullptr;
    dlg.step = [&seen](CStepDialog* d)
    {
        seen = d->m_hWnd;
        d->EndDialog(17);
    };
    EXPECT_EQ(17, dlg.DoModal());
    EXPECT_TRUE(dlg.ownerWasDisabled);
    EXPECT_TRUE(owner.IsWindowEnabled());
    EXPECT_FALSE(::IsWindow(seen));
    EXPECT_EQ(nullptr, dlg.m_hWnd);
}

// Ends as soon as its loop first goes idle.
class CIdleEndDialog : public CDialog
{
public:
    explicit CIdleEndDialog(CWnd* pParent) : CDialog(IDD_TEST, pParent) {}
    afx_msg LRESULT OnKickIdle(WPARAM, LPARAM)
    {
        EndDialog(3);
        return 0;
    }
    DECLARE_MESSAGE_MAP()
};

BEGIN_MESSAGE_MAP(CIdleEndDialog, CDialog)
    ON_MESSAGE(WM_KICKIDLE, OnKickIdle)
END_MESSAGE_MAP()

TEST(ModalDialog, OwnerIsDisabledAroundTheDialogAndEnabledBeforeItGoes)
{
    CWnd owner;
    ASSERT_TRUE(
        owner.CreateEx(0, nullptr, "owner", WS_OVERLAPPEDWINDOW | WS_VISIBLE, 0, 0, 300, 200, nullptr, nullptr));
    CIdleEndDialog dlg(&owner);
    CMessageSequence seq({WM_ENABLE, WM_INITDIALOG, WM_SHOWWINDOW, WM_ENTERIDLE, WM_DESTROY});
    seq.Watch(owner.m_hWnd, "owner");
    seq.WatchClass("#32770", "dialog");   // its window exists only inside DoModal
    seq.Start();
    EXPECT_EQ(3, dlg.DoModal());
    seq.Stop();
    EXPECT_TRUE(seq.Matches({
        {"owner", WM_ENABLE, VxExpectedMessage::checkWParam, FALSE},
        {"dialog", WM_INITDIALOG},
        {"dialog", WM_SHOWWINDOW, VxExpectedMessage::checkWParam, TRUE},   // shown once the loop is idle
        {"owner", WM_ENTERIDLE, VxExpectedMessage::checkWParam, MSGF_DIALOGBOX},
        {"owner", WM_ENABLE, VxExpectedMessage::checkWParam, TRUE},   // before the dialog goes: activation
        {"dialog", WM_DESTROY},                                       // returns to the owner
    }));
}

TEST(ModalDialog, OuterDialogEndedFromInsideTheInnerLoop)
{
    CWnd owner;
    ASSERT_TRUE(
        owner.CreateEx(0, nullptr, "owner", WS_OVERLAPPEDWINDOW | WS_VISIBLE, 0, 0, 300, 200, nullptr, nullptr));
    CStepDialog outer(&owner);
    INT_PTR innerResult = 0;
    bool outerStillOpenAfterInner = false;
    bool innerOwnerDisabled = false;
    outer.step = [&](CStepDialog* o)
    {
        CStepDialog inner(o);
        inner.step = [o](CStepDialog* i)
        {
            o->EndDialog(5);   // the outer one first, while the inner loop runs
            i->EndDialog(7);
        };
        innerResult = inner.DoModal();
        innerOwnerDisabled = inner.ownerWasDisabled;
        outerStillOpenAfterInner = ::IsWindow(o->m_hWnd) != FALSE;
    };
    EXPECT_EQ(5, outer.DoModal());
    EXPECT_EQ(7, innerResult);
    EXPECT_TRUE(innerOwnerDisabled);         // the inner dialog disabled the outer one
    EXPECT_TRUE(outerStillOpenAfterInner);   // the outer loop ends only after the inner one returned
    EXPECT_TRUE(owner.IsWindowEnabled());
}

TEST(ModalDialog, EscapeReachesOnCancelThroughPreTranslation)
{
    CStepDialog dlg;
    dlg.step = [](CStepDialog* d)
    {
        CWnd* edit = d->GetDlgItem(IDC_TEXT);
        edit->SetFocus();
        edit->PostMessage(WM_KEYDOWN, VK_ESCAPE, 0x00010001);
    };
    EXPECT_EQ(IDCANCEL, dlg.DoModal());
}

TEST(ModalDialog, QuitRequestEndsTheLoopAndStaysForTheLoopBelow)
{
    CStepDialog dlg;
    dlg.step = [](CStepDialog*) { ::PostQuitMessage(4); };
    EXPECT_EQ(-1, dlg.DoModal());
    MSG msg;
    ASSERT_TRUE(::PeekMessageA(&msg, nullptr, WM_QUIT, WM_QUIT, PM_REMOVE));
    EXPECT_EQ(4u, msg.wParam);
}

TEST(ModalDialog, MissingTemplateGivesMinusOne)
{
    CDialog dlg(9999);
    EXPECT_EQ(-1, dlg.DoModal());
}

TEST(ModalDialog, DialogAlreadyOpenIsLeftAlone)
{
    CWnd owner;
    ASSERT_TRUE(
        owner.CreateEx(0, nullptr, "owner", WS_OVERLAPPEDWINDOW | WS_VISIBLE, 0, 0, 300, 200, nullptr, nullptr));
    CStepDialog dlg(&owner);
    INT_PTR again = 0;
    HWND seen = nullptr;
    dlg.step = [&](CStepDialog* d)
    {
        again = d->DoModal();   // from inside its own loop
        seen = d->m_hWnd;
        d->EndDialog(5);
    };
    EXPECT_EQ(5, dlg.DoModal());
    EXPECT_EQ(-1, again);
    EXPECT_NE(nullptr, seen);   // the open dialog kept its window until it ended
    EXPECT_TRUE(owner.IsWindowEnabled());
}

TEST(ModelessDialog, EndingHidesItAndKeepsTheWindow)
{
    CDialog dlg;
    ASSERT_TRUE(dlg.Create(IDD_TEST));
    dlg.ShowWindow(SW_SHOW);
    EXPECT_TRUE(dlg.IsWindowVisible());
    dlg.SendMessage(WM_COMMAND, MAKEWPARAM(IDCANCEL, BN_CLICKED), 0);
    EXPECT_FALSE(dlg.IsWindowVisible());
    EXPECT_TRUE(::IsWindow(dlg.m_hWnd));
    HWND hWnd = dlg.m_hWnd;
    dlg.DestroyWindow();
    EXPECT_FALSE(::IsWindow(hWnd));
}

// ---- data exchange -----------------------------------------------------------------------------------

class CDataDialog : public CDialog
{
public:
    CDataDialog() : CDialog(IDD_TEST) {}
    int m_number = 12;
    CString m_text = "geöffnet";
    int m_check = 1;
    CStatic m_label;

    void DoDataExchange(CDataExchange* pDX) override
    {
        DDX_Control(pDX, IDC_LABEL, m_label);
        DDX_Text(pDX, IDC_TEXT, m_text);
        DDX_Check(pDX, IDC_CHECK, m_check);
        DDX_Text(pDX, IDC_NUMBER, m_number);
        DDV_MinMaxInt(pDX, m_number, 0, 100);
    }
};

TEST(DataExchange, MembersToControlsAndBack)
{
    CMessageBoxRecorder boxes;
    CDataDialog dlg;
    ASSERT_TRUE(dlg.Create(IDD_TEST));   // OnInitDialog fills the controls
    CString text;
    dlg.GetDlgItemText(IDC_NUMBER, text);
    EXPECT_STREQ("12", text);
    dlg.GetDlgItemText(IDC_TEXT, text);
    EXPECT_STREQ("geöffnet", text);
    EXPECT_EQ(BST_CHECKED, dlg.IsDlgButtonChecked(IDC_CHECK));
    EXPECT_EQ(&dlg.m_label, CWnd::FromHandlePermanent(::GetDlgItem(dlg.m_hWnd, IDC_LABEL)));

    dlg.SetDlgItemText(IDC_NUMBER, " 42 ");
    dlg.SetDlgItemText(IDC_TEXT, "neu");
    dlg.CheckDlgButton(IDC_CHECK, BST_UNCHECKED);
    EXPECT_TRUE(dlg.UpdateData(TRUE));
    EXPECT_EQ(42, dlg.m_number);
    EXPECT_STREQ("neu", dlg.m_text);
    EXPECT_EQ(0, dlg.m_check);
    EXPECT_EQ(0u, boxes.Count());
    dlg.DestroyWindow();
}

TEST(DataExchange, RangeFailureReportsFocusesAndFails)
{
    CMessageBoxRecorder boxes;
    CDataDialog dlg;
    ASSERT_TRUE(dlg.Create(IDD_TEST));
    dlg.ShowWindow(SW_SHOW);
    dlg.SetDlgItemText(IDC_NUMBER, "250");
    EXPECT_FALSE(dlg.UpdateData(TRUE));
    ASSERT_EQ(1u, boxes.Count());
    EXPECT_EQ("Please enter an integer between 0 and 100.", boxes.LastText());
    EXPECT_EQ(::GetDlgItem(dlg.m_hWnd, IDC_NUMBER), ::GetFocus());

    dlg.SetDlgItemText(IDC_NUMBER, "12x");
    EXPECT_FALSE(dlg.UpdateData(TRUE));
    EXPECT_EQ("Please enter an integer.", boxes.LastText());

    dlg.SetDlgItemText(IDC_NUMBER, "99999999999");   // beyond int
    EXPECT_FALSE(dlg.UpdateData(TRUE));
    EXPECT_EQ("Please enter an integer.", boxes.LastText());

    // OK with a bad value keeps the dialog open.
    dlg.SendMessage(WM_COMMAND, MAKEWPARAM(IDOK, BN_CLICKED), 0);
    EXPECT_TRUE(dlg.IsWindowVisible());
    dlg.DestroyWindow();
}

}   // namespace
