// Data exchange with radio groups, combo boxes, list boxes and text limits.
#include "framework/win/Framework.h"
#include "DialogsTestIds.h"

#include <gtest/gtest.h>

namespace
{

class CExchangeDialog : public CDialog
{
public:
    CExchangeDialog() : CDialog(IDD_EXCHANGE) {}
    int m_radio = 2;
    CString m_listName = "Fade In";
    CString m_editName = "Custom text";
    int m_listIndex = 2;
    int m_comboIndex = 0;
    CString m_name = "short";

    BOOL OnInitDialog() override
    {
        for (int id : {IDC_COMBO_LIST, IDC_COMBO_EDIT})
            for (const char* name : {"Fade In Slow", "Fade In", "Fade Out"})
                SendDlgItemMessage(id, CB_ADDSTRING, 0, reinterpret_cast<LPARAM>(name));
        for (const char* name : {"zero", "one", "two"})
            SendDlgItemMessage(IDC_LIST, LB_ADDSTRING, 0, reinterpret_cast<LPARAM>(name));
        CheckDlgButton(IDC_AFTER_GROUP, BST_CHECKED);
        return CDialog::OnInitDialog();
    }
    void DoDataExchange(CDataExchange* pDX) override
    {
        DDX_Radio(pDX, IDC_RADIO_FIRST, m_radio);
        DDX_CBString(pDX, IDC_COMBO_LIST, m_listName);
        DDX_CBString(pDX, IDC_COMBO_EDIT, m_editName);
        DDX_CBIndex(pDX, IDC_COMBO_EDIT, m_comboIndex);
        DDX_LBIndex(pDX, IDC_LIST, m_listIndex);
        DDX_Text(pDX, IDC_NAME, m_name);
        DDV_MaxChars(pDX, m_name, 10);
    }
};

TEST(DataExchange, RadioGroupsCombosListsAndLimitsBothWays)
{
    CMessageBoxRecorder boxes;
    CExchangeDialog dlg;
    dlg.m_comboIndex = -1;   // exchanged after the text: the index wins
    ASSERT_TRUE(dlg.Create(IDD_EXCHANGE));
    dlg.ShowWindow(SW_SHOW);

    // Members to controls: the third radio of the group (the label between does not count), the item of
    // exactly that name, the text of an edit combo that has no such item, the list index, the text limit.
    EXPECT_EQ(BST_UNCHECKED, dlg.IsDlgButtonChecked(IDC_RADIO_FIRST));
    EXPECT_EQ(BST_UNCHECKED, dlg.IsDlgButtonChecked(IDC_RADIO_SECOND));
    EXPECT_EQ(BST_CHECKED, dlg.IsDlgButtonChecked(IDC_RADIO_THIRD));
    EXPECT_EQ(BST_CHECKED, dlg.IsDlgButtonChecked(IDC_AFTER_GROUP));   // the next group is left alone
    EXPECT_EQ(1, dlg.SendDlgItemMessage(IDC_COMBO_LIST, CB_GETCURSEL));
    CString text;
    dlg.GetDlgItemText(IDC_COMBO_EDIT, text);
    EXPECT_STREQ("", text);   // the index -1 came after the text and cleared it
    EXPECT_EQ(2, dlg.SendDlgItemMessage(IDC_LIST, LB_GETCURSEL));
    EXPECT_EQ(10, dlg.SendDlgItemMessage(IDC_NAME, EM_GETLIMITTEXT));

    dlg.m_comboIndex = 0;
    dlg.m_editName = "Custom text";
    dlg.m_listName = "Fade";   // no such item: a drop-down list shows nothing
    dlg.UpdateData(FALSE);
    EXPECT_EQ(CB_ERR, dlg.SendDlgItemMessage(IDC_COMBO_LIST, CB_GETCURSEL));
    dlg.GetDlgItemText(IDC_COMBO_EDIT, text);
    EXPECT_STREQ("Fade In Slow", text);   // the index came last

    // Controls to members.
    dlg.CheckRadioButton(IDC_RADIO_FIRST, IDC_RADIO_THIRD, IDC_RADIO_FIRST);
    dlg.SendDlgItemMessage(IDC_COMBO_LIST, CB_SETCURSEL, 2);
    dlg.SendDlgItemMessage(IDC_LIST, LB_SETCURSEL, 0);
    dlg.SendDlgItemMessage(IDC_COMBO_EDIT, CB_SETCURSEL, 1);
    dlg.SetDlgItemText(IDC_NAME, "0123456789");
    ASSERT_TRUE(dlg.UpdateData(TRUE));
    EXPECT_EQ(0, dlg.m_radio);
    EXPECT_STREQ("Fade Out", dlg.m_listName);
    EXPECT_STREQ("Fade In", dlg.m_editName);
    EXPECT_EQ(1, dlg.m_comboIndex);
    EXPECT_EQ(0, dlg.m_listIndex);
    EXPECT_STREQ("0123456789", dlg.m_name);

    dlg.CheckDlgButton(IDC_RADIO_FIRST, BST_UNCHECKED);
    dlg.SendDlgItemMessage(IDC_LIST, LB_SETCURSEL, static_cast<WPARAM>(-1));
    ASSERT_TRUE(dlg.UpdateData(TRUE));
    EXPECT_EQ(-1, dlg.m_radio);
    EXPECT_EQ(-1, dlg.m_listIndex);
    EXPECT_EQ(0u, boxes.Count());

    // A text set past the limit by the program is refused when taken.
    ::SendMessageA(::GetDlgItem(dlg.m_hWnd, IDC_NAME), EM_LIMITTEXT, 0, 0);
    dlg.SetDlgItemText(IDC_NAME, "01234567890");
    EXPECT_FALSE(dlg.UpdateData(TRUE));
    EXPECT_EQ("Please enter no more than 10 characters.", boxes.LastText());
    EXPECT_EQ(::GetDlgItem(dlg.m_hWnd, IDC_NAME), ::GetFocus());
    dlg.DestroyWindow();
}

}   // namespace
