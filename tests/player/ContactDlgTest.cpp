// The contact and product information dialogs: the contact lines, the link forms of the web and mail
// addresses, an empty address left as plain text, the product texts in both languages, and both dialogs run
// modally from the player's commands while the player keeps a pointer to them.
#include "framework/win/Shell.h"
#include "player/ContactDlg.h"
#include "player/PlayerDlg.h"
#include "player/ProductInfoDlg.h"
#include "resources/player/PlayerDialogs.h"
#include "resources/player/resource.h"

#include "PlayerTestSupport.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

using namespace playertest;

namespace
{

std::string TextOf(CWnd* wnd)
{
    CString text;
    if (wnd)
        wnd->GetWindowText(text);
    return std::string(text);
}

std::string ItemText(CWnd& dialog, int id)
{
    return TextOf(dialog.GetDlgItem(id));
}

// The link object that now owns a dialog item, or null when the item is a plain static.
CStaticLink* LinkOf(CWnd& dialog, int id)
{
    CWnd* item = dialog.GetDlgItem(id);
    if (item == nullptr)
        return nullptr;
    CWnd* permanent = CWnd::FromHandlePermanent(item->m_hWnd);
    if (permanent == nullptr || !permanent->IsKindOf(RUNTIME_CLASS(CStaticLink)))
        return nullptr;
    return static_cast<CStaticLink*>(permanent);
}

bool HasChildWithText(CWnd& dialog, const std::string& text)
{
    for (HWND child = ::GetWindow(dialog.m_hWnd, GW_CHILD); child; child = ::GetWindow(child, GW_HWNDNEXT))
    {
        char buffer[256] = {};
        ::GetWindowTextA(child, buffer, sizeof(buffer));
        if (text == buffer)
            return true;
    }
    return false;
}

class InfoDialogTest : public ::testing::Test
{
protected:
    void TearDown() override { AfxSetUILanguage(0); }
};

}   // namespace

// ---- link forms ----

TEST(ContactLinkForm, AWebAddressWithoutThePrefixGetsItAndKeepsItsCase)
{
    EXPECT_EQ("http://www.Example.COM/Shows",
              std::string(CContactDlg::MakeLink("www.Example.COM/Shows", "http://")));
    EXPECT_EQ("mailto:Anna.Berg@Example.com",
              std::string(CContactDlg::MakeLink("Anna.Berg@Example.com", "mailto:")));
}

TEST(ContactLinkForm, AnAddressHoldingThePrefixInAnyCaseIsLowerCasedWhole)
{
    EXPECT_EQ("http://www.example.com/shows",
              std::string(CContactDlg::MakeLink("HTTP://www.Example.COM/Shows", "http://")));
    EXPECT_EQ("http://www.example.com", std::string(CContactDlg::MakeLink("Http://WWW.EXAMPLE.COM", "http://")));
    EXPECT_EQ("see http://x.example", std::string(CContactDlg::MakeLink("See HTTP://X.example", "http://")));
    EXPECT_EQ("mailto:anna@example.com", std::string(CContactDlg::MakeLink("MailTo:Anna@Example.com", "mailto:")));
}

// ---- the contact dialog ----

TEST_F(InfoDialogTest, ContactLinesAndLinksAreShown)
{
    CContactDlg dialog;
    dialog.m_strLine1 = "Vexul Shows GmbH";
    dialog.m_strLine2 = "Anna Berg";
    dialog.m_strLine3 = "Hauptstraße 5";
    dialog.m_strLine4 = "12345 Köln";
    dialog.m_strLine5 = "Tel. 0221 123456";
    dialog.m_strLine6 = "© 2026 & more";
    dialog.m_strInternet = "www.Vexul-Shows.example";
    dialog.m_strEmail = "MAILTO:Anna@Vexul-Shows.example";
    ASSERT_TRUE(dialog.Create(IDD_CONTACT));

    EXPECT_EQ("Vexul Shows GmbH", ItemText(dialog, IDC_CONTACT_LINE1));
    EXPECT_EQ("Anna Berg", ItemText(dialog, IDC_CONTACT_LINE2));
    EXPECT_EQ("Hauptstraße 5", ItemText(dialog, IDC_CONTACT_LINE3));
    EXPECT_EQ("12345 Köln", ItemText(dialog, IDC_CONTACT_LINE4));
    EXPECT_EQ("Tel. 0221 123456", ItemText(dialog, IDC_CONTACT_LINE5));
    EXPECT_EQ("© 2026 & more", ItemText(dialog, IDC_CONTACT_LINE6));

    // The addresses show as entered and open in their link forms.
    EXPECT_EQ("www.Vexul-Shows.example", ItemText(dialog, IDC_LINK_INTERNET));
    EXPECT_EQ("MAILTO:Anna@Vexul-Shows.example", ItemText(dialog, IDC_LINK_EMAIL));
    ASSERT_EQ(&dialog.m_wndInternet, LinkOf(dialog, IDC_LINK_INTERNET));
    ASSERT_EQ(&dialog.m_wndEmail, LinkOf(dialog, IDC_LINK_EMAIL));
    EXPECT_EQ("http://www.Vexul-Shows.example", std::string(dialog.m_wndInternet.m_link));
    EXPECT_EQ("mailto:anna@vexul-shows.example", std::string(dialog.m_wndEmail.m_link));
    EXPECT_TRUE(dialog.m_wndInternet.m_bTransparent);
    EXPECT_TRUE(dialog.m_wndEmail.m_bTransparent);
    EXPECT_EQ("Contact Information", TextOf(&dialog));
    dialog.DestroyWindow();
}

TEST_F(InfoDialogTest, AnEmptyAddressStaysPlainEmptyText)
{
    CContactDlg dialog;
    dialog.m_strLine1 = "only a line";
    dialog.m_strInternet = "www.example.com";
    ASSERT_TRUE(dialog.Create(IDD_CONTACT));
    EXPECT_EQ(nullptr, LinkOf(dialog, IDC_LINK_EMAIL));
    EXPECT_EQ(nullptr, dialog.m_wndEmail.m_hWnd);
    EXPECT_EQ("", ItemText(dialog, IDC_LINK_EMAIL));
    EXPECT_EQ(&dialog.m_wndInternet, LinkOf(dialog, IDC_LINK_INTERNET));
    dialog.DestroyWindow();

    CContactDlg none;
    ASSERT_TRUE(none.Create(IDD_CONTACT));
    EXPECT_EQ(nullptr, LinkOf(none, IDC_LINK_INTERNET));
    EXPECT_EQ(nullptr, LinkOf(none, IDC_LINK_EMAIL));
    none.DestroyWindow();
}

TEST_F(InfoDialogTest, ContactTitleInGerman)
{
    AfxSetUILanguage(MAKELANGID(LANG_GERMAN, SUBLANG_GERMAN));
    CContactDlg dialog;
    ASSERT_TRUE(dialog.Create(IDD_CONTACT));
    EXPECT_EQ("Kontakt-Informationen", TextOf(&dialog));
    dialog.DestroyWindow();
}

// ---- the product information dialog ----

TEST_F(InfoDialogTest, ProductInformationInEnglish)
{
    CProductInfoDlg dialog;
    ASSERT_TRUE(dialog.Create(IDD_PRODUCT_INFO));
    EXPECT_EQ("Vexul Information", TextOf(&dialog));
    EXPECT_TRUE(HasChildWithText(dialog, "This Vexul was created with VexulCreator  "));
    EXPECT_TRUE(HasChildWithText(dialog, "Internet:"));
    EXPECT_TRUE(HasChildWithText(dialog, "EMail:"));
    ASSERT_EQ(&dialog.m_wndInternet, LinkOf(dialog, IDC_LINK_INTERNET));
    ASSERT_EQ(&dialog.m_wndEmail, LinkOf(dialog, IDC_LINK_EMAIL));
    EXPECT_EQ(0, std::string(dialog.m_wndInternet.m_link).rfind("http://", 0));
    EXPECT_EQ(0, std::string(dialog.m_wndEmail.m_link).rfind("mailto:", 0));
    EXPECT_TRUE(dialog.m_wndInternet.m_bTransparent);
    EXPECT_TRUE(dialog.m_wndEmail.m_bTransparent);
    // What the links show is what they open.
    EXPECT_NE(std::string::npos,
              std::string(dialog.m_wndInternet.m_link).find(ItemText(dialog, IDC_LINK_INTERNET)));
    EXPECT_NE(std::string::npos, std::string(dialog.m_wndEmail.m_link).find(ItemText(dialog, IDC_LINK_EMAIL)));
    dialog.DestroyWindow();
}

TEST_F(InfoDialogTest, ProductInformationInGerman)
{
    AfxSetUILanguage(MAKELANGID(LANG_GERMAN, SUBLANG_GERMAN));
    CProductInfoDlg dialog;
    ASSERT_TRUE(dialog.Create(IDD_PRODUCT_INFO));
    EXPECT_EQ("Vexul-Informationen", TextOf(&dialog));
    EXPECT_TRUE(HasChildWithText(dialog, "Dieses Vexul wurde mit VexulCreator erstellt"));
    dialog.DestroyWindow();
}

// ---- a link whose own texts fail opens the program's string of its id ----

namespace
{
std::vector<std::string> g_opened;
HINSTANCE OpenOnlyTheThird(HWND, LPCSTR, LPCSTR file, LPCSTR, LPCSTR, INT)
{
    g_opened.push_back(file ? file : "");
    return reinterpret_cast<HINSTANCE>(static_cast<INT_PTR>(g_opened.size() == 3 ? 42 : SE_ERR_FNF));
}
}   // namespace

TEST_F(InfoDialogTest, ALinkFallsBackToTheStringResourceOfItsId)
{
    AfxShellExecuteHandler saved = AfxSetShellExecuteHandler(OpenOnlyTheThird);
    g_opened.clear();
    CWnd parent;
    ASSERT_TRUE(parent.CreateEx(0, AfxRegisterWndClass(0), "p", WS_POPUP, 0, 0, 200, 50, nullptr, nullptr));
    CStaticLink link("first");
    ASSERT_TRUE(
        link.Create("second", WS_CHILD | WS_VISIBLE | SS_LEFT, CRect(0, 0, 150, 20), &parent, IDS_MENU_PRODUCT));
    link.SendMessage(WM_LBUTTONDOWN, MK_LBUTTON, MAKELPARAM(3, 3));
    ASSERT_EQ(3u, g_opened.size());
    EXPECT_EQ("first", g_opened[0]);
    EXPECT_EQ("second", g_opened[1]);
    EXPECT_EQ("Vexul-Informationes", g_opened[2]);
    EXPECT_EQ(RGB(128, 0, 128), link.m_color);
    AfxSetShellExecuteHandler(saved);
    parent.DestroyWindow();
}

// ---- run modally from the player ----

namespace
{

CPlayerDlg* g_player = nullptr;
std::vector<std::string> g_seen;   // what the timer saw in the open dialog

void CALLBACK LookAndEnd(HWND hWnd, UINT, UINT_PTR id, DWORD)
{
    ::KillTimer(hWnd, id);
    CDialog* open = g_player->m_pInfoDialog;
    if (open == nullptr || open->m_hWnd == nullptr)
    {
        g_seen.push_back("<none>");
        return;
    }
    g_seen.push_back(TextOf(open));
    for (int item : {IDC_CONTACT_LINE1, IDC_CONTACT_LINE6, IDC_LINK_INTERNET})
        g_seen.push_back(ItemText(*open, item));
    open->SendMessage(WM_COMMAND, IDOK);
}

}   // namespace

TEST_F(InfoDialogTest, ThePlayerRunsBothDialogsAndKnowsWhichIsOpen)
{
    std::string folder = MakeTempFolder("vxinfo");
    ShowSpec show;
    show.contact = 1;
    std::string pack = folder + "\\VEXUL.VXL";
    ASSERT_TRUE(WriteFileBytes(pack, MakeColourShowPack(show, {RGB(1, 2, 3)})));
    CPlayerSession session;
    session.m_strProgramFolder = folder.c_str();
    CPlayerDlg player(&session, pack.c_str());
    ASSERT_TRUE(player.Create(IDD_PLAYER_DIALOG));
    g_player = &player;
    player.m_Renderer.m_strContactLine[0] = "First line";
    player.m_Renderer.m_strContactLine[5] = "Sixth line";
    player.m_Renderer.m_strContactWeb = "www.example.com";

    g_seen.clear();
    player.SetTimer(77, 100, LookAndEnd);
    player.SendMessage(WM_COMMAND, ID_PLAYER_CONTACT);
    ASSERT_EQ(4u, g_seen.size());
    EXPECT_EQ("Contact Information", g_seen[0]);
    EXPECT_EQ("First line", g_seen[1]);
    EXPECT_EQ("Sixth line", g_seen[2]);
    EXPECT_EQ("www.example.com", g_seen[3]);
    EXPECT_EQ(nullptr, player.m_pInfoDialog);

    g_seen.clear();
    player.SetTimer(78, 100, LookAndEnd);
    player.SendMessage(WM_COMMAND, ID_PLAYER_PRODUCT_INFO);
    ASSERT_FALSE(g_seen.empty());
    EXPECT_EQ("Vexul Information", g_seen[0]);
    EXPECT_EQ(nullptr, player.m_pInfoDialog);

    g_player = nullptr;
    player.DestroyWindow();
    RemoveFolder(folder);
}
