// The link static: colours before and after a visit, its underlined font, the hand cursor, clicks reaching
// it, and what a click opens (the link, then the text shown, then the control's string) until all fail.
#include "show/StaticLink.h"
#include "framework/win/Shell.h"
#include "support/win_Wait.h"

#include "support/win_DibSurface.h"
#include "support/win_TestFiles.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

namespace
{

// ---- a shell that records what it was asked to open ----

std::vector<std::string> g_opened;
int g_succeedFromCall = 1000;   // calls from this index on succeed
int g_beeps = 0;

HINSTANCE RecordingShell(HWND, LPCSTR verb, LPCSTR file, LPCSTR, LPCSTR, INT)
{
    EXPECT_STREQ("open", verb);
    g_opened.push_back(file ? file : "");
    BOOL ok = static_cast<int>(g_opened.size()) - 1 >= g_succeedFromCall;
    return reinterpret_cast<HINSTANCE>(static_cast<INT_PTR>(ok ? 42 : SE_ERR_FNF));
}

BOOL WINAPI RecordingBeep(UINT type)
{
    EXPECT_EQ(0u, type);
    ++g_beeps;
    return TRUE;
}

class StaticLinkTest : public ::testing::Test
{
protected:
    void SetUp() override
    {
        g_opened.clear();
        g_succeedFromCall = 1000;
        g_beeps = 0;
        m_savedShell = AfxSetShellExecuteHandler(RecordingShell);
        m_savedBeep = CStaticLink::s_pfnMessageBeep;
        CStaticLink::s_pfnMessageBeep = RecordingBeep;
        LPCSTR cls =
            AfxRegisterWndClass(0, ::LoadCursorA(nullptr, IDC_ARROW), reinterpret_cast<HBRUSH>(COLOR_BTNFACE + 1));
        ASSERT_TRUE(m_parent.CreateEx(0, cls, "links", WS_POPUP, 50, 50, 320, 120, nullptr, nullptr));
    }
    void TearDown() override
    {
        AfxSetShellExecuteHandler(m_savedShell);
        CStaticLink::s_pfnMessageBeep = m_savedBeep;
        m_parent.DestroyWindow();
    }

    void CreateLink(CStaticLink& link, LPCSTR text, DWORD type = SS_LEFT, UINT id = 4711)
    {
        ASSERT_TRUE(link.Create(text, WS_CHILD | WS_VISIBLE | type, CRect(10, 10, 250, 40), &m_parent, id));
    }

    // Asks the parent for the control's colours, as the control does when it paints.
    HBRUSH AskColours(CStaticLink& link, CDC& dc)
    {
        return reinterpret_cast<HBRUSH>(m_parent.SendMessage(
            WM_CTLCOLORSTATIC, reinterpret_cast<WPARAM>(dc.GetSafeHdc()), reinterpret_cast<LPARAM>(link.m_hWnd)));
    }

    void Click(CStaticLink& link) { link.SendMessage(WM_LBUTTONDOWN, MK_LBUTTON, MAKELPARAM(5, 5)); }

    CWnd m_parent;
    AfxShellExecuteHandler m_savedShell = nullptr;
    CStaticLink::PFN_MESSAGEBEEP m_savedBeep = nullptr;
};

// Blue or purple pixels of the control drawn into a surface.
int CountPixels(CStaticLink& link, COLORREF colour, int* longestRun = nullptr)
{
    DibSurface surface(240, 30, RGB(1, 2, 3));
    link.SendMessage(WM_PRINTCLIENT, reinterpret_cast<WPARAM>(surface.dc.GetSafeHdc()),
                     PRF_CLIENT | PRF_ERASEBKGND);
    int count = 0, best = 0;
    for (int y = 0; y < surface.height; ++y)
    {
        int run = 0;
        for (int x = 0; x < surface.width; ++x)
        {
            if (surface.At(x, y) == colour)
            {
                ++count;
                best = std::max(best, ++run);
            }
            else
                run = 0;
        }
    }
    if (longestRun)
        *longestRun = best;
    return count;
}

}   // namespace

// ---- colours ----

TEST_F(StaticLinkTest, TextIsBlueOnWhiteUntilVisitedThenPurpleForGood)
{
    CStaticLink link("http://www.example.invalid/");
    CreateLink(link, "Example link text");
    DibSurface surface(4, 4);
    EXPECT_EQ(::GetStockObject(WHITE_BRUSH), AskColours(link, surface.dc));
    EXPECT_EQ(RGB(0, 0, 255), ::GetTextColor(surface.dc.GetSafeHdc()));
    EXPECT_EQ(TRANSPARENT, ::GetBkMode(surface.dc.GetSafeHdc()));

    g_succeedFromCall = 0;
    Click(link);
    ASSERT_EQ(1u, g_opened.size());
    EXPECT_EQ(RGB(128, 0, 128), link.m_color);
    AskColours(link, surface.dc);
    EXPECT_EQ(RGB(128, 0, 128), ::GetTextColor(surface.dc.GetSafeHdc()));

    // A later failing click does not take the visit back.
    g_succeedFromCall = 1000;
    Click(link);
    EXPECT_EQ(RGB(128, 0, 128), link.m_color);

    // On a picture the background shows through.
    link.SetTransparent();
    EXPECT_EQ(::GetStockObject(HOLLOW_BRUSH), AskColours(link, surface.dc));
}

TEST_F(StaticLinkTest, DrawnTextIsUnderlinedInTheLinkColour)
{
    CStaticLink link("x");
    CreateLink(link, "Underlined link");
    int run = 0;
    EXPECT_GT(CountPixels(link, RGB(0, 0, 255), &run), 20);
    // The underline is one long unbroken row, longer than any letter.
    EXPECT_GT(run, 40);
    EXPECT_EQ(0, CountPixels(link, RGB(128, 0, 128)));

    g_succeedFromCall = 0;
    ASSERT_TRUE(link.Navigate());
    EXPECT_EQ(0, CountPixels(link, RGB(0, 0, 255)));
    EXPECT_GT(CountPixels(link, RGB(128, 0, 128)), 20);
}

TEST_F(StaticLinkTest, IconStaticKeepsItsColoursButAClickStillOpensTheLink)
{
    CStaticLink link("file-to-open");
    CreateLink(link, "", SS_ICON);
    DibSurface surface(4, 4);
    ::SetTextColor(surface.dc.GetSafeHdc(), RGB(9, 9, 9));
    HBRUSH brush = AskColours(link, surface.dc);
    EXPECT_NE(::GetStockObject(WHITE_BRUSH), brush);
    EXPECT_NE(::GetStockObject(HOLLOW_BRUSH), brush);
    EXPECT_NE(RGB(0, 0, 255), ::GetTextColor(surface.dc.GetSafeHdc()));
    EXPECT_EQ(nullptr, link.m_font.GetSafeHandle());

    g_succeedFromCall = 0;
    Click(link);
    ASSERT_EQ(1u, g_opened.size());
    EXPECT_EQ("file-to-open", g_opened[0]);
}

// ---- font ----

TEST_F(StaticLinkTest, WithoutAControlFontTheDefaultGuiFontIsUnderlined)
{
    CStaticLink link("x");
    CreateLink(link, "text");
    // Made when the control was made, before it ever painted.
    ASSERT_NE(nullptr, link.m_font.GetSafeHandle());
    LOGFONTA made = {}, gui = {};
    link.m_font.GetLogFont(&made);
    ::GetObjectA(::GetStockObject(DEFAULT_GUI_FONT), sizeof(gui), &gui);
    EXPECT_STREQ(gui.lfFaceName, made.lfFaceName);
    EXPECT_EQ(gui.lfHeight, made.lfHeight);
    EXPECT_TRUE(made.lfUnderline);
    // The control draws with it.
    EXPECT_EQ(link.m_font.GetSafeHandle(), reinterpret_cast<HGDIOBJ>(link.SendMessage(WM_GETFONT)));
}

TEST_F(StaticLinkTest, ADialogsStaticGetsItsOwnFontUnderlinedOnceAndColoursSelectNothing)
{
    // A static of a dialog has its font before the link takes it over.
    CFont own;
    ASSERT_TRUE(own.CreateFont(-19, 0, 0, 0, FW_BOLD, 0, 0, 0, ANSI_CHARSET, 0, 0, 0, 0, "Tahoma"));
    HWND hStatic =
        ::CreateWindowExA(0, "STATIC", "text", WS_CHILD | WS_VISIBLE | SS_LEFT, 10, 10, 200, 30, m_parent.m_hWnd,
                          reinterpret_cast<HMENU>(4712), ::GetModuleHandleA(nullptr), nullptr);
    ASSERT_NE(nullptr, hStatic);
    ::SendMessageA(hStatic, WM_SETFONT, reinterpret_cast<WPARAM>(own.GetSafeHandle()), FALSE);
    {
        CStaticLink link("x");
        ASSERT_TRUE(link.SubclassDlgItem(4712, &m_parent));
        HGDIOBJ made = link.m_font.GetSafeHandle();
        ASSERT_NE(nullptr, made);
        LOGFONTA lf = {};
        link.m_font.GetLogFont(&lf);
        EXPECT_STREQ("Tahoma", lf.lfFaceName);
        EXPECT_EQ(-19, lf.lfHeight);
        EXPECT_EQ(FW_BOLD, lf.lfWeight);
        EXPECT_TRUE(lf.lfUnderline);
        EXPECT_EQ(made, reinterpret_cast<HGDIOBJ>(link.SendMessage(WM_GETFONT)));

        // Asked for its colours again and again: the same font, and the DC keeps what it had selected.
        DibSurface surface(4, 4);
        HGDIOBJ before = ::GetCurrentObject(surface.dc.GetSafeHdc(), OBJ_FONT);
        for (int i = 0; i < 3; ++i)
            AskColours(link, surface.dc);
        EXPECT_EQ(before, ::GetCurrentObject(surface.dc.GetSafeHdc(), OBJ_FONT));
        EXPECT_EQ(made, link.m_font.GetSafeHandle());
        EXPECT_GT(CountPixels(link, RGB(0, 0, 255)), 20);
        link.UnsubclassWindow();
    }
    // The link gave the static its own font back before its font went.
    EXPECT_EQ(own.GetSafeHandle(), reinterpret_cast<HGDIOBJ>(::SendMessageA(hStatic, WM_GETFONT, 0, 0)));
    ::DestroyWindow(hStatic);
}

// ---- mouse ----

TEST_F(StaticLinkTest, TheLinkAnswersHitTestsSoClicksReachIt)
{
    CStaticLink link("x");
    CreateLink(link, "text");
    EXPECT_EQ(HTCLIENT, link.SendMessage(WM_NCHITTEST, 0, MAKELPARAM(70, 70)));
    CPoint inside(20, 20);
    m_parent.ClientToScreen(&inside);
    m_parent.SetWindowPos(&CWnd::wndTopMost, 0, 0, 0, 0, SWP_NOMOVE | SWP_NOSIZE | SWP_SHOWWINDOW);
    EXPECT_EQ(link.m_hWnd, ::WindowFromPoint(inside));

    // A plain static lets the click fall through to its parent.
    CStatic plain;
    ASSERT_TRUE(plain.Create("plain", WS_CHILD | WS_VISIBLE | SS_LEFT, CRect(10, 50, 250, 80), &m_parent, 4712));
    CPoint onPlain(20, 60);
    m_parent.ClientToScreen(&onPlain);
    EXPECT_EQ(m_parent.m_hWnd, ::WindowFromPoint(onPlain));
}

TEST_F(StaticLinkTest, PointerOverTheLinkIsTheHand)
{
    CStaticLink link("x");
    CreateLink(link, "text");
    EXPECT_TRUE(
        link.SendMessage(WM_SETCURSOR, reinterpret_cast<WPARAM>(link.m_hWnd), MAKELPARAM(HTCLIENT, WM_MOUSEMOVE)));
    HCURSOR expected = ::LoadCursorA(AfxGetResourceHandle(), MAKEINTRESOURCEA(151));
    if (expected == nullptr)
        expected = ::LoadCursorA(nullptr, IDC_HAND);
    EXPECT_EQ(expected, link.m_hCursor);
    EXPECT_EQ(expected, ::GetCursor());
}

// ---- what a click opens ----

TEST_F(StaticLinkTest, ALinkThatFailsFallsBackToTheTextShown)
{
    CStaticLink link("broken-link");
    CreateLink(link, "shown-text");
    g_succeedFromCall = 1;
    Click(link);
    ASSERT_EQ(2u, g_opened.size());
    EXPECT_EQ("broken-link", g_opened[0]);
    EXPECT_EQ("shown-text", g_opened[1]);
    EXPECT_EQ("shown-text", std::string(link.m_link));
    EXPECT_EQ(RGB(128, 0, 128), link.m_color);
    EXPECT_EQ(0, g_beeps);
}

TEST_F(StaticLinkTest, AnEmptyLinkOpensTheWindowText)
{
    CStaticLink link;
    CreateLink(link, "text-as-link");
    g_succeedFromCall = 0;
    Click(link);
    ASSERT_EQ(1u, g_opened.size());
    EXPECT_EQ("text-as-link", g_opened[0]);
    EXPECT_EQ(RGB(128, 0, 128), link.m_color);
}

TEST_F(StaticLinkTest, WhenEverythingFailsOneBeepSoundsAndTheColourStays)
{
    CStaticLink link("broken-link");
    CreateLink(link, "broken-text", SS_LEFT, 4713);   // no string resource has this id
    Click(link);
    EXPECT_EQ(1, g_beeps);
    EXPECT_EQ(RGB(0, 0, 255), link.m_color);
    ASSERT_GE(g_opened.size(), 2u);
    EXPECT_EQ("broken-link", g_opened[0]);
    EXPECT_EQ("broken-text", g_opened[1]);

    // Nothing to open at all: no shell call, still the beep.
    g_opened.clear();
    CStaticLink empty;
    CreateLink(empty, "", SS_LEFT, 4714);
    Click(empty);
    EXPECT_TRUE(g_opened.empty());
    EXPECT_EQ(2, g_beeps);
}

TEST_F(StaticLinkTest, TheRealShellOpensALocalFile)
{
    AfxSetShellExecuteHandler(m_savedShell);
    std::string folder = TempFolderPath() + "vxlink" + std::to_string(::GetCurrentProcessId());
    ::CreateDirectoryA(folder.c_str(), nullptr);
    std::string marker = folder + "\\opened.txt";
    std::string script = folder + "\\open-me.bat";
    ::DeleteFileA(marker.c_str());
    FILE* f = fopen(script.c_str(), "wb");
    ASSERT_NE(nullptr, f);
    fprintf(f, "@echo off\r\necho opened> \"%s\"\r\n", marker.c_str());
    fclose(f);

    CStaticLink link(script.c_str());
    CreateLink(link, "local file");
    EXPECT_TRUE(link.Navigate());
    EXPECT_EQ(RGB(128, 0, 128), link.m_color);
    EXPECT_TRUE(WaitFor([&] { return ::GetFileAttributesA(marker.c_str()) != INVALID_FILE_ATTRIBUTES; }));

    CStaticLink missing((folder + "\\not-there.bat").c_str());
    CreateLink(missing, "", SS_LEFT, 4715);
    EXPECT_FALSE(missing.Navigate());
    EXPECT_EQ(RGB(0, 0, 255), missing.m_color);

    // The script may still hold its files for a moment.
    auto removed = [](const std::string& path)
    {
        ::DeleteFileA(path.c_str());
        return ::GetFileAttributesA(path.c_str()) == INVALID_FILE_ATTRIBUTES;
    };
    EXPECT_TRUE(WaitFor([&] { return removed(marker) & removed(script); }));
    ::RemoveDirectoryA(folder.c_str());
}

// ---- lifetime ----

namespace
{
bool g_linkDeleted = false;
class CWatchedLink : public CStaticLink
{
public:
    explicit CWatchedLink(BOOL autoDelete) : CStaticLink("x", autoDelete) {}
    ~CWatchedLink() override { g_linkDeleted = true; }
};
}   // namespace

TEST_F(StaticLinkTest, AnAutoDeleteLinkGoesWithItsWindow)
{
    g_linkDeleted = false;
    CWatchedLink* link = new CWatchedLink(TRUE);
    ASSERT_TRUE(link->Create("text", WS_CHILD | WS_VISIBLE | SS_LEFT, CRect(0, 0, 50, 20), &m_parent, 4716));
    DibSurface surface(4, 4);
    AskColours(*link, surface.dc);   // it has made its font
    ::SelectObject(surface.dc.GetSafeHdc(), ::GetStockObject(SYSTEM_FONT));
    ::DestroyWindow(link->m_hWnd);
    EXPECT_TRUE(g_linkDeleted);

    g_linkDeleted = false;
    {
        CWatchedLink kept(FALSE);
        ASSERT_TRUE(kept.Create("text", WS_CHILD | WS_VISIBLE | SS_LEFT, CRect(0, 0, 50, 20), &m_parent, 4717));
        ::DestroyWindow(kept.m_hWnd);
        EXPECT_FALSE(g_linkDeleted);
    }
    EXPECT_TRUE(g_linkDeleted);
}
