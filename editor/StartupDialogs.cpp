#include "editor/StartupDialogs.h"

#include "editor/EditorProfile.h"
#include "editor/FileHelpers.h"
#include "editor/HelpTopics.h"
#include "editor/VexulCreatorApp.h"
#include "resources/editor/resource.h"

#include <sys/stat.h>

#include <ctime>
#include <string>
#include <vector>

namespace
{

const COLORREF TITLE_COLOR = RGB(0, 0, 128);
const COLORREF WHITE = RGB(255, 255, 255);

// A bitmap of the program whose greys become the system's button colours.
BOOL LoadButtonBitmap(CBitmap& bitmap, UINT id)
{
    HANDLE image =
        ::LoadImageA(AfxGetResourceHandle(), MAKEINTRESOURCEA(id), IMAGE_BITMAP, 0, 0, LR_LOADMAP3DCOLORS);
    return image != nullptr && bitmap.Attach(image);
}

// Puts the bitmap on the button, when it loaded.
void SetButtonBitmap(CWnd* dialog, int buttonId, CBitmap& bitmap, UINT bitmapId)
{
    CWnd* button = dialog->GetDlgItem(buttonId);
    if (button != nullptr && LoadButtonBitmap(bitmap, bitmapId))
        button->SendMessage(BM_SETIMAGE, IMAGE_BITMAP, reinterpret_cast<LPARAM>(bitmap.GetSafeHandle()));
}

void SetTitleFont(CFontStatic& title, CWnd* dialog, int id, int pixels)
{
    if (title.SubclassDlgItem(id, dialog))
        title.SetFont(-pixels, FW_BOLD, FALSE, TITLE_COLOR);
}

// The tips lie beside the editor, whatever the current folder is (a project's, once one is open).
CString TipsFilePath()
{
    return theApp.m_strAppFolder.IsEmpty() ? CString("tips.txt") : Path::Join(theApp.m_strAppFolder, "tips.txt");
}

// The file's modification time as ctime writes it, without the line end.
CString ModificationStamp(FILE* stream)
{
    struct _stat64 info;
    if (_fstat64(_fileno(stream), &info) != 0)
        return CString();
    const char* text = _ctime64(&info.st_mtime);
    CString stamp = text != nullptr ? text : "";
    return stamp.TrimRight();
}

}   // namespace

// ---- text operations -----------------------------------------------------------------------------------

CString LowerCaseForSearch(const char* text)
{
    CString lower = text != nullptr ? text : "";
    for (int i = 0; i < lower.GetLength(); i++)
    {
        unsigned char c = static_cast<unsigned char>(lower[i]);
        if (c >= 'A' && c <= 'Z')
            c = static_cast<unsigned char>(c - 'A' + 'a');
        else if (c == 0xC4 || c == 0xD6 || c == 0xDC)   // the upper-case umlauts
            c = static_cast<unsigned char>(c + 0x20);
        lower.SetAt(i, static_cast<char>(c));
    }
    return lower;
}

int ReplaceAll(CString& text, const char* search, const char* replacement, BOOL ignoreCase)
{
    CString what = search != nullptr ? search : "";
    CString with = replacement != nullptr ? replacement : "";
    if (what.IsEmpty())
        return 0;
    if (ignoreCase)
        what = LowerCaseForSearch(what);
    int count = 0;
    for (int from = 0;;)
    {
        CString haystack = ignoreCase ? LowerCaseForSearch(text) : text;
        int at = haystack.Find(what, from);
        if (at < 0)
            return count;
        text = text.Left(at) + with + text.Mid(at + what.GetLength());
        // Going on behind the inserted text: a replacement that holds the search text ends too.
        from = at + with.GetLength();
        count++;
    }
}

// ---- welcome -------------------------------------------------------------------------------------------

CWelcomeDlg::CWelcomeDlg(CWnd* pParent)
    : CDialog(IDD_WELCOME, pParent), m_nDontShow(GetProfileValue(EditorProfile::HIDE_WELCOME))
{
}

void CWelcomeDlg::DoDataExchange(CDataExchange* pDX)
{
    CDialog::DoDataExchange(pDX);
    DDX_Check(pDX, IDC_WELCOME_DONT_SHOW, m_nDontShow);
}

BOOL CWelcomeDlg::OnInitDialog()
{
    CDialog::OnInitDialog();
    SetTitleFont(m_Title, this, IDC_TITLE, 18);
    SetTitleFont(m_Text, this, IDC_WELCOME_TEXT, 16);
    SetButtonBitmap(this, IDOK, m_bmpTutor, IDB_WELCOME_TUTOR);
    return TRUE;
}

void CWelcomeDlg::StoreChoice()
{
    m_nDontShow = IsDlgButtonChecked(IDC_WELCOME_DONT_SHOW) == BST_CHECKED ? 1 : 0;
    SetProfileValue(EditorProfile::HIDE_WELCOME, m_nDontShow);
}

void CWelcomeDlg::OnOK()
{
    StoreChoice();
    EndDialog(IDOK);
}

void CWelcomeDlg::OnCancel()
{
    StoreChoice();
    EndDialog(IDCANCEL);
}

// ---- start center --------------------------------------------------------------------------------------

BEGIN_MESSAGE_MAP(CStartCenterDlg, CDialog)
    ON_BN_CLICKED(IDC_START_NEW, OnNewProject)
    ON_BN_CLICKED(IDC_START_OPEN, OnOpenProject)
    ON_BN_CLICKED(IDC_START_HELP, OnDocumentation)
END_MESSAGE_MAP()

CStartCenterDlg::CStartCenterDlg(CWnd* pParent) : CDialog(IDD_START_CENTER, pParent)
{
}

BOOL CStartCenterDlg::OnInitDialog()
{
    CDialog::OnInitDialog();
    SetButtonBitmap(this, IDC_START_NEW, m_bmpNew, IDB_START_NEW);
    SetButtonBitmap(this, IDC_START_OPEN, m_bmpOpen, IDB_START_OPEN);
    SetButtonBitmap(this, IDC_START_HELP, m_bmpHelp, IDB_START_HELP);
    SetTitleFont(m_NewText, this, IDC_START_NEW_TEXT, 16);
    SetTitleFont(m_OpenText, this, IDC_START_OPEN_TEXT, 16);
    SetTitleFont(m_HelpText, this, IDC_START_HELP_TEXT, 16);
    return TRUE;
}

void CStartCenterDlg::CloseAndPost(UINT command)
{
    PostMessage(WM_COMMAND, IDCANCEL);
    if (CWnd* main = AfxGetMainWnd())
        main->PostMessage(WM_COMMAND, command);
}

void CStartCenterDlg::OnNewProject()
{
    CloseAndPost(ID_PROJECT_NEW);
}

void CStartCenterDlg::OnOpenProject()
{
    CloseAndPost(ID_FILE_OPEN);
}

void CStartCenterDlg::OnDocumentation()
{
    ShowHelpTopic("index.htm");
}

// ---- tip of the day ------------------------------------------------------------------------------------

BEGIN_MESSAGE_MAP(CTipDlg, CDialog)
    ON_BN_CLICKED(IDC_TIP_NEXT, OnNextTip)
    ON_WM_PAINT()
    ON_WM_CTLCOLOR()
END_MESSAGE_MAP()

CTipDlg::CTipDlg(CWnd* pParent)
    : CDialog(IDD_TIP, pParent), m_bStartup(GetProfileValue(EditorProfile::TIP_OFF_AT_START) ? 0 : 1),
      m_pStream(nullptr)
{
    m_pStream = fopen(TipsFilePath(), "rb");
    if (m_pStream == nullptr)
    {
        m_strTip.LoadString(IDS_TIP_NO_FILE);
        return;
    }
    long position = GetProfileValue(EditorProfile::TIP_POSITION);
    // A changed file starts over at its first tip.
    CString stamp = ModificationStamp(m_pStream);
    if (stamp != GetProfileValue(EditorProfile::TIP_FILE_STAMP))
    {
        SetProfileValue(EditorProfile::TIP_FILE_STAMP, stamp);
        position = 0;
    }
    if (position < 0 || fseek(m_pStream, position, SEEK_SET) != 0)
    {
        AfxMessageBox(IDS_TIP_FILE_ERROR, MB_OK | MB_ICONEXCLAMATION);
        return;
    }
    GetNextTipString(m_strTip);
}

CTipDlg::~CTipDlg()
{
    if (m_pStream == nullptr)
        return;
    long position = ftell(m_pStream);
    if (position >= 0)
        SetProfileValue(EditorProfile::TIP_POSITION, static_cast<int>(position));
    fclose(m_pStream);
}

BOOL CTipDlg::IsShownAtStartup()
{
    return GetProfileValue(EditorProfile::TIP_OFF_AT_START) == 0;
}

BOOL CTipDlg::ReadLine(CString& line)
{
    // Whole lines, however long: a long tip stays one tip.
    std::string text;
    char buffer[1024];
    BOOL any = FALSE;
    while (fgets(buffer, sizeof(buffer), m_pStream) != nullptr)
    {
        any = TRUE;
        text += buffer;
        if (!text.empty() && text.back() == '\n')
            break;
    }
    if (!any)
        return FALSE;
    while (!text.empty() && (text.back() == '\n' || text.back() == '\r'))
        text.pop_back();
    line = CString(text.c_str(), static_cast<int>(text.size()));
    return TRUE;
}

void CTipDlg::GetNextTipString(CString& tip)
{
    tip.Empty();
    if (m_pStream == nullptr)
        return;
    BOOL wrapped = FALSE;
    CString line;
    for (;;)
    {
        if (!ReadLine(line))
        {
            // After the last tip the first one follows; a file without any tip gives none.
            if (wrapped)
                break;
            if (fseek(m_pStream, 0, SEEK_SET) != 0)
            {
                AfxMessageBox(IDS_TIP_FILE_ERROR, MB_OK | MB_ICONEXCLAMATION);
                break;
            }
            wrapped = TRUE;
            continue;
        }
        if (line.IsEmpty() || line[0] == ' ' || line[0] == '\t' || line[0] == ';')
            continue;
        tip = line;
        break;
    }
    ReplaceAll(tip, "<BR>", "\r\n");
    if (tip.IsEmpty())
        tip.LoadString(IDS_TIP_NO_FILE);
}

void CTipDlg::DoDataExchange(CDataExchange* pDX)
{
    CDialog::DoDataExchange(pDX);
    DDX_Check(pDX, IDC_TIP_STARTUP, m_bStartup);
    DDX_Text(pDX, IDC_TIP_TEXT, m_strTip);
}

BOOL CTipDlg::OnInitDialog()
{
    CDialog::OnInitDialog();
    m_bmpBulb.LoadBitmap(IDB_TIP_BULB);
    LOGFONTA font = {};
    CFont* own = GetFont();
    if (own == nullptr || own->GetLogFont(&font) == 0)
        ::GetObjectA(::GetStockObject(DEFAULT_GUI_FONT), sizeof(font), &font);
    font.lfHeight = -16;
    font.lfWeight = FW_BOLD;
    m_fontHeading.CreateFontIndirect(&font);
    m_brushWhite.CreateSolidBrush(WHITE);
    if (m_pStream == nullptr)
        GetDlgItem(IDC_TIP_NEXT)->EnableWindow(FALSE);
    return TRUE;
}

void CTipDlg::OnNextTip()
{
    GetNextTipString(m_strTip);
    SetDlgItemText(IDC_TIP_TEXT, m_strTip);
}

void CTipDlg::OnOK()
{
    UpdateData(TRUE);
    SetProfileValue(EditorProfile::TIP_OFF_AT_START, m_bStartup ? 0 : 1);
    EndDialog(IDOK);
}

void CTipDlg::OnCancel()
{
    // Escape and the close box end the dialog as "Close" does: the check box is kept either way.
    OnOK();
}

void CTipDlg::OnPaint()
{
    CPaintDC dc(this);
    CWnd* frame = GetDlgItem(IDC_TIP_FRAME);
    if (frame == nullptr)
        return;
    CRect area;
    frame->GetWindowRect(&area);
    ScreenToClient(&area);
    dc.DrawEdge(&area, EDGE_SUNKEN, BF_RECT | BF_ADJUST);
    dc.FillSolidRect(&area, WHITE);

    BITMAP bulb = {};
    if (m_bmpBulb.GetSafeHandle() != nullptr && m_bmpBulb.GetBitmap(&bulb) != 0)
    {
        CDC memory;
        if (memory.CreateCompatibleDC(&dc))
        {
            memory.SelectObject(&m_bmpBulb);
            dc.BitBlt(area.left, area.top, bulb.bmWidth, bulb.bmHeight, &memory, 0, 0, SRCCOPY);
        }
    }
    CString heading;
    heading.LoadString(IDS_TIP_HEADING);
    CRect line(area.left + bulb.bmWidth, area.top, area.right, area.top + bulb.bmHeight);
    if (m_fontHeading.GetSafeHandle() != nullptr)
        dc.SelectObject(&m_fontHeading);
    dc.SetBkMode(TRANSPARENT);
    dc.SetTextColor(::GetSysColor(COLOR_WINDOWTEXT));
    dc.DrawText(heading, &line, DT_LEFT | DT_VCENTER | DT_SINGLELINE | DT_NOPREFIX);
}

HBRUSH CTipDlg::OnCtlColor(CDC* pDC, CWnd* pWnd, UINT nCtlColor)
{
    if (pWnd != nullptr && pWnd->GetDlgCtrlID() == IDC_TIP_TEXT && m_brushWhite.GetSafeHandle() != nullptr)
    {
        pDC->SetBkColor(WHITE);
        return static_cast<HBRUSH>(m_brushWhite.GetSafeHandle());
    }
    return CDialog::OnCtlColor(pDC, pWnd, nCtlColor);
}

// ---- tutorial ------------------------------------------------------------------------------------------

BEGIN_MESSAGE_MAP(CTutorDlg, CDialog)
    ON_BN_CLICKED(IDC_TUTOR_VIEW, OnViewExample)
    ON_BN_CLICKED(IDC_TUTOR_CREATE, OnCreateExample)
END_MESSAGE_MAP()

CTutorDlg::CTutorDlg(CWnd* pParent) : CDialog(IDD_TUTOR, pParent), m_nExample(-1)
{
}

BOOL CTutorDlg::ResolveExample()
{
    if (m_nExample <= 0)
        m_nExample = 1;
    return theApp.GetTutorExamplePaths(m_nExample, m_strExampleFolder, m_strPlayerPath, m_strPackPath,
                                       m_strHelpPath) != 0;
}

BOOL CTutorDlg::OnInitDialog()
{
    CDialog::OnInitDialog();
    BOOL present = ResolveExample();
    SetTitleFont(m_Title, this, IDC_TITLE, 16);
    // The static's own text is the pattern for the example's name.
    CString format, name;
    GetDlgItemText(IDC_TUTOR_EXAMPLE, format);
    name.Format(format, m_nExample);
    SetDlgItemText(IDC_TUTOR_EXAMPLE, name);
    // Without the example's files neither button can do anything.
    GetDlgItem(IDC_TUTOR_VIEW)->EnableWindow(present);
    GetDlgItem(IDC_TUTOR_CREATE)->EnableWindow(present);
    return TRUE;
}

void CTutorDlg::OnViewExample()
{
    CWnd* main = AfxGetMainWnd();
    AfxShellExecute(main != nullptr ? main->GetSafeHwnd() : nullptr, "open", "\"" + m_strPlayerPath + "\"",
                    "\"" + m_strPackPath + "\"", m_strExampleFolder, SW_SHOWNORMAL);
}

void CTutorDlg::OnCreateExample()
{
    PostMessage(WM_COMMAND, IDOK);
}

// ---- about ---------------------------------------------------------------------------------------------

CAboutDlg::CAboutDlg(CWnd* pParent) : CDialog(IDD_ABOUT, pParent)
{
}

CString CAboutDlg::GetHomePage()
{
    CString page;
    page.LoadString(IDS_HOME_PAGE);
    return page;
}

CString CAboutDlg::GetSupportPage()
{
    CString page;
    page.LoadString(IDS_SUPPORT_PAGE);
    return page;
}

BOOL CAboutDlg::OnInitDialog()
{
    CDialog::OnInitDialog();
    m_linkHome.m_link = GetHomePage();
    m_linkSupport.m_link = GetSupportPage();
    m_linkHome.SetTransparent();
    m_linkSupport.SetTransparent();
    m_linkHome.SubclassDlgItem(IDC_ABOUT_LINK_HOME, this);
    m_linkSupport.SubclassDlgItem(IDC_ABOUT_LINK_SUPPORT, this);
    SetDlgItemText(IDC_ABOUT_BUILD, theApp.m_strPrivateBuild);
    SetDlgItemText(IDC_ABOUT_VERSION, FormatString(IDS_ABOUT_FILE_VERSION, theApp.m_strVersion));
    CString windows;
    theApp.GetWindowsVersionText(windows);
    SetDlgItemText(IDC_ABOUT_WINDOWS, windows);
    return TRUE;
}

// ---- support -------------------------------------------------------------------------------------------

BEGIN_MESSAGE_MAP(CSupportDlg, CDialog)
    ON_BN_CLICKED(IDC_SUPPORT_MAIL, OnSupportMail)
END_MESSAGE_MAP()

const char* const CSupportDlg::SUPPORT_ADDRESS = "support@vexul.example";

CSupportDlg::CSupportDlg(CWnd* pParent) : CDialog(IDD_SUPPORT, pParent)
{
}

BOOL CSupportDlg::OnInitDialog()
{
    CDialog::OnInitDialog();
    SetDlgItemText(IDC_SUPPORT_VERSION, m_strVersion);
    SetDlgItemText(IDC_SUPPORT_WINDOWS, m_strWindowsVersion);
    return TRUE;
}

CString CSupportDlg::MakeMailBody() const
{
    return "Vers.:" + m_strVersion + "%0d%0a" + "Win.:" + m_strWindowsVersion + "%0d%0a";
}

CString CSupportDlg::MakeMailSubject() const
{
    return "VexulCreator-Support_Vers-" + m_strVersion;
}

CString CSupportDlg::MakeMailAddress() const
{
    return CString("mailto:") + SUPPORT_ADDRESS + "?subject=" + MakeMailSubject() + "&body=" + MakeMailBody();
}

void CSupportDlg::OnSupportMail()
{
    CWnd* main = AfxGetMainWnd();
    HINSTANCE result = AfxShellExecute(main != nullptr ? main->GetSafeHwnd() : nullptr, "open", MakeMailAddress(),
                                       nullptr, nullptr, SW_SHOW);
    if (reinterpret_cast<INT_PTR>(result) > 32)
        return;
    // No mail program: the user copies the mail's parts by hand.
    CSupportMailDlg mail(this);
    mail.m_strRecipient = SUPPORT_ADDRESS;
    mail.m_strBody = MakeMailBody();
    ReplaceAll(mail.m_strBody, "%0d%0a", "\r\n");
    mail.m_strSubject = MakeMailSubject();
    ReplaceAll(mail.m_strSubject, "%20", " ");
    mail.DoModal();
}

BEGIN_MESSAGE_MAP(CSupportMailDlg, CDialog)
    ON_BN_CLICKED(IDC_MAIL_COPY_TO, OnCopyRecipient)
    ON_BN_CLICKED(IDC_MAIL_COPY_BODY, OnCopyBody)
    ON_BN_CLICKED(IDC_MAIL_COPY_SUBJECT, OnCopySubject)
END_MESSAGE_MAP()

CSupportMailDlg::CSupportMailDlg(CWnd* pParent) : CDialog(IDD_SUPPORT_MAIL, pParent)
{
}

void CSupportMailDlg::DoDataExchange(CDataExchange* pDX)
{
    CDialog::DoDataExchange(pDX);
    DDX_Text(pDX, IDC_MAIL_TO, m_strRecipient);
    DDX_Text(pDX, IDC_MAIL_SUBJECT, m_strSubject);
    DDX_Text(pDX, IDC_MAIL_BODY, m_strBody);
}

BOOL CSupportMailDlg::OnInitDialog()
{
    CDialog::OnInitDialog();
    if (LoadButtonBitmap(m_bmpCopy, IDB_COPY))
        for (int id : {IDC_MAIL_COPY_TO, IDC_MAIL_COPY_BODY, IDC_MAIL_COPY_SUBJECT})
            SendDlgItemMessage(id, BM_SETIMAGE, IMAGE_BITMAP, reinterpret_cast<LPARAM>(m_bmpCopy.GetSafeHandle()));
    return TRUE;
}

void CSupportMailDlg::CopyToClipboard(int editId)
{
    CWnd* edit = GetDlgItem(editId);
    if (edit == nullptr)
        return;
    edit->SendMessage(EM_SETSEL, 0, -1);
    edit->SendMessage(EM_SCROLLCARET);
    edit->SendMessage(WM_COPY);
}

void CSupportMailDlg::OnCopyRecipient()
{
    CopyToClipboard(IDC_MAIL_TO);
}

void CSupportMailDlg::OnCopyBody()
{
    CopyToClipboard(IDC_MAIL_BODY);
}

void CSupportMailDlg::OnCopySubject()
{
    CopyToClipboard(IDC_MAIL_SUBJECT);
}

// ---- entry points --------------------------------------------------------------------------------------

void RunStartupFlow()
{
    CWelcomeDlg welcome;
    if (welcome.m_nDontShow == 0)
    {
        if (welcome.DoModal() == IDOK)
        {
            if (CWnd* main = AfxGetMainWnd())
                main->PostMessage(WM_COMMAND, ID_TUTOR_EXAMPLE_1);
            return;
        }
    }
    CStartCenterDlg startCenter;
    startCenter.DoModal();
}

void ShowTipOfTheDay(BOOL atStartup)
{
    // At start-up the tips file is not even opened when the user does not want tips then.
    if (atStartup && !CTipDlg::IsShownAtStartup())
        return;
    CTipDlg tip;
    tip.DoModal();
}

void RunAboutDialog()
{
    CAboutDlg about;
    about.DoModal();
}

void RunSupportDialog()
{
    CSupportDlg support;
    support.m_strVersion = theApp.m_strVersion;
    theApp.GetWindowsVersionText(support.m_strWindowsVersion);
    support.DoModal();
}
