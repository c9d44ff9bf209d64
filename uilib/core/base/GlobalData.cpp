#include "uilib/core/base/GlobalData.h"

#include "uilib/core/bars/ColorRef.h"

#include <cstddef>
#include <shlwapi.h>

const UINT CUXGlobalData::s_libraryCursorIds[kLibraryCursors] = {4509, 4510, 4513, 4511, 4515, 4512, 4514};

namespace
{

struct FaceSearch
{
    const char* face;
    bool found;
};

int CALLBACK MatchFace(const LOGFONTA* logFont, const TEXTMETRICA*, DWORD, LPARAM param)
{
    FaceSearch* search = reinterpret_cast<FaceSearch*>(param);
    if (::lstrcmpiA(logFont->lfFaceName, search->face) == 0)
    {
        search->found = true;
        return 0;
    }
    return 1;
}

// The system menu font; the default GUI font when the system will not tell.
LOGFONTA MenuFont()
{
    NONCLIENTMETRICSA ncm = {};
    // Systems before Vista know the record without its last field and refuse the longer one.
    const UINT sizes[] = {sizeof(NONCLIENTMETRICSA), offsetof(NONCLIENTMETRICSA, iPaddedBorderWidth)};
    for (UINT size : sizes)
    {
        ncm.cbSize = size;
        if (::SystemParametersInfoA(SPI_GETNONCLIENTMETRICS, size, &ncm, 0))
            return ncm.lfMenuFont;
    }
    LOGFONTA logFont = {};
    ::GetObjectA(::GetStockObject(DEFAULT_GUI_FONT), sizeof(logFont), &logFont);
    return logFont;
}

void SetFace(LOGFONTA& logFont, const CString& face)
{
    ::lstrcpynA(logFont.lfFaceName, face, LF_FACESIZE);
}

}   // namespace

CUXGlobalData::CUXGlobalData() : m_strHorzFontFace("Tahoma"), m_strVertFontFace("Arial")
{
    const OSVERSIONINFOA& version = GetOSVersionInfo();
    DWORD platform = version.dwPlatformId, major = version.dwMajorVersion, minor = version.dwMinorVersion;
    m_bWin95 = platform == VER_PLATFORM_WIN32_WINDOWS && major == 4 && minor < 10;
    m_bWin98 = platform == VER_PLATFORM_WIN32_WINDOWS && major == 4 && minor == 10;
    m_bWinNT4 = platform == VER_PLATFORM_WIN32_NT && major == 4 && minor == 0;
    m_bWin2000 = platform == VER_PLATFORM_WIN32_NT && major == 5 && minor == 0;
    m_bWinXP = platform == VER_PLATFORM_WIN32_NT && major == 5 && minor == 1;
    InitResources();
}

CUXGlobalData::~CUXGlobalData()
{
    DeleteFonts();
    FreeLibraryCursors();
}

void CUXGlobalData::InitResources(HINSTANCE module)
{
    m_hResourceModule = module != nullptr ? module : ::GetModuleHandleA(nullptr);
    RefreshSystemColors();
    RefreshMetrics();
    RefreshFonts();
    LoadLibraryCursors();
    GetComCtlVersion();
    CheckComCtlVersion();
}

void CUXGlobalData::RefreshSystemColors()
{
    m_clrBtnFace = ::GetSysColor(COLOR_BTNFACE);
    m_clrBtnShadow = ::GetSysColor(COLOR_BTNSHADOW);
    m_clr3DDkShadow = ::GetSysColor(COLOR_3DDKSHADOW);
    m_clrBtnHilite = ::GetSysColor(COLOR_BTNHIGHLIGHT);
    m_clrBtnText = ::GetSysColor(COLOR_BTNTEXT);
    m_clrGrayText = ::GetSysColor(COLOR_GRAYTEXT);
    m_clrHilite = ::GetSysColor(COLOR_HIGHLIGHT);
    m_clrHiliteText = ::GetSysColor(COLOR_HIGHLIGHTTEXT);
    m_clrMenu = ::GetSysColor(COLOR_MENU);
    m_clrMenuText = ::GetSysColor(COLOR_MENUTEXT);
    m_clrWindow = ::GetSysColor(COLOR_WINDOW);
    m_clrWindowFrame = ::GetSysColor(COLOR_WINDOWFRAME);
    m_clrWindowText = ::GetSysColor(COLOR_WINDOWTEXT);
    m_clrActiveCaption = ::GetSysColor(COLOR_ACTIVECAPTION);
    m_clrInactiveCaption = ::GetSysColor(COLOR_INACTIVECAPTION);
    m_clrGradientActiveCaption = ::GetSysColor(COLOR_GRADIENTACTIVECAPTION);
    m_clrGradientInactiveCaption = ::GetSysColor(COLOR_GRADIENTINACTIVECAPTION);
    m_clrCaptionText = ::GetSysColor(COLOR_CAPTIONTEXT);
    m_clrInactiveCaptionText = ::GetSysColor(COLOR_INACTIVECAPTIONTEXT);

    const COLORREF black = CUXColorRef::black;
    m_clrLightFace = UXLightenColor(m_clrBtnFace, 18);
    m_clrFaceWindow = UXBlendColor(m_clrBtnFace, m_clrWindow, 17);
    m_clrFaceShadow = UXBlendColor(m_clrBtnFace, m_clrBtnShadow, 10);
    m_clrDarkFace = UXBlendColor(UXBlendColor(m_clrBtnFace, black, 33), m_clrWindow, 30);
    m_clrDarkShadow = UXBlendColor(m_clrBtnShadow, black, 20);
    m_clrWindowFace = UXBlendColor(m_clrWindow, m_clrBtnFace, 14);
    m_clrShadowWindow = UXBlendColor(m_clrBtnShadow, m_clrWindow, 25);
    m_clrLightSelection = UXBlendColor(m_clrWindow, m_clrHilite, 30);
    m_clrPaleSelection = UXBlendColor(UXBlendColor(m_clrLightFace, m_clrHilite, 20), m_clrWindow, 39);
    m_clrHalfSelection = UXBlendColor(m_clrWindow, m_clrHilite, 50);
    m_clrLighterFace = UXLightenColor(m_clrBtnFace, 30);
    m_clrSelectionText = GetContrastTextColor(m_clrHalfSelection);
}

void CUXGlobalData::RefreshMetrics()
{
    m_cxSmallIcon = ::GetSystemMetrics(SM_CXSMICON);
    m_cySmallIcon = ::GetSystemMetrics(SM_CYSMICON);
    m_cxImageBox = 18;
    m_cyImageBox = 18;
    m_cxHThumb = ::GetSystemMetrics(SM_CXHTHUMB);
    m_cyVThumb = ::GetSystemMetrics(SM_CYVTHUMB);
    m_cyMenu = ::GetSystemMetrics(SM_CYMENU);
}

void CUXGlobalData::RefreshFonts()
{
    DeleteFonts();
    LOGFONTA horz = MenuFont();
    LOGFONTA vert = horz;
    // A symbol character set keeps the system's own face.
    if ((horz.lfCharSet & 2) == 0)
    {
        if (IsFontInstalled(m_strHorzFontFace))
            SetFace(horz, m_strHorzFontFace);
        if (IsFontInstalled(m_strVertFontFace))
            SetFace(vert, m_strVertFontFace);
    }
    MakeFont(horz, m_fontNormal, FW_NORMAL, FALSE, 0, 0);
    MakeFont(horz, m_fontBold, FW_BOLD, FALSE, 0, 0);
    MakeFont(horz, m_fontUnderline, FW_NORMAL, TRUE, 0, 0);
    MakeFont(horz, m_fontNormal2, FW_NORMAL, FALSE, 0, 0);
    MakeFont(vert, m_fontVert, FW_NORMAL, FALSE, 900, 900);
    MakeFont(vert, m_fontVertBold, FW_BOLD, FALSE, 900, 900);
    MakeFont(vert, m_fontVert270, FW_NORMAL, FALSE, 2700, 2700);
    MakeFont(vert, m_fontVert270Bold, FW_BOLD, FALSE, 2700, 2700);
}

void CUXGlobalData::DeleteFonts()
{
    CFont* fonts[] = {&m_fontNormal, &m_fontBold,     &m_fontUnderline, &m_fontNormal2,
                      &m_fontVert,   &m_fontVertBold, &m_fontVert270,   &m_fontVert270Bold};
    for (CFont* font : fonts)
        font->DeleteObject();
}

BOOL CUXGlobalData::MakeFont(LOGFONTA& logFont, CFont& font, LONG weight, BYTE underline, LONG orientation,
                             LONG escapement)
{
    logFont.lfWeight = weight;
    logFont.lfUnderline = underline;
    logFont.lfOrientation = orientation;
    logFont.lfEscapement = escapement;
    font.DeleteObject();
    return font.CreateFontIndirect(&logFont);
}

BOOL CUXGlobalData::IsFontInstalled(LPCSTR face)
{
    if (face == nullptr || *face == '\0')
        return FALSE;
    FaceSearch search = {face, false};
    LOGFONTA all = {};
    all.lfCharSet = DEFAULT_CHARSET;
    HDC screen = ::GetDC(nullptr);
    ::EnumFontFamiliesExA(screen, &all, MatchFace, reinterpret_cast<LPARAM>(&search), 0);
    ::ReleaseDC(nullptr, screen);
    return search.found;
}

void CUXGlobalData::LoadLibraryCursors()
{
    FreeLibraryCursors();
    for (int i = 0; i < kLibraryCursors; ++i)
        m_hcurLibrary[i] = static_cast<HCURSOR>(::LoadImageA(
            m_hResourceModule, MAKEINTRESOURCEA(s_libraryCursorIds[i]), IMAGE_CURSOR, 0, 0, LR_DEFAULTCOLOR));
    m_hcurSizeAll = ::LoadCursorA(nullptr, IDC_SIZEALL);
}

void CUXGlobalData::FreeLibraryCursors()
{
    for (HCURSOR& cursor : m_hcurLibrary)
    {
        if (cursor != nullptr)
            ::DestroyCursor(cursor);
        cursor = nullptr;
    }
}

HCURSOR CUXGlobalData::GetLibraryCursor(UINT resourceId) const
{
    for (int i = 0; i < kLibraryCursors; ++i)
        if (s_libraryCursorIds[i] == resourceId)
            return m_hcurLibrary[i];
    return nullptr;
}

LONG CUXGlobalData::GetComCtlVersion()
{
    if (m_nComCtlVersion != -1)
        return m_nComCtlVersion;
    HMODULE comctl = ::LoadLibraryA("COMCTL32.DLL");
    if (comctl != nullptr)
    {
        auto getVersion = reinterpret_cast<DLLGETVERSIONPROC>(
            reinterpret_cast<void*>(::GetProcAddress(comctl, "DllGetVersion")));
        DLLVERSIONINFO info = {};
        info.cbSize = sizeof(info);
        if (getVersion != nullptr && SUCCEEDED(getVersion(&info)))
            m_nComCtlVersion = static_cast<LONG>(info.dwMajorVersion << 16 | (info.dwMinorVersion & 0xFFFF));
        ::FreeLibrary(comctl);
    }
    return m_nComCtlVersion == -1 ? 0 : m_nComCtlVersion;
}

void CUXGlobalData::CheckComCtlVersion()
{
    if (m_nComCtlVersion >= 0x40048)
        return;
    AfxCoreMessageBox(
        "This application requires Comctl32.dll version 4.72 or higher. The application will now abort.",
        "Wrong Comctl32.dll Version", MB_OK | MB_ICONERROR);
    ::PostQuitMessage(0);
}

COLORREF CUXGlobalData::GetContrastTextColor(COLORREF background) const
{
    double luma =
        (299.0 * GetRValue(background) + 587.0 * GetGValue(background) + 114.0 * GetBValue(background)) / 1000.0;
    return luma > 148 ? m_clrMenuText : m_clrHiliteText;
}

CUXGlobalData& GetUXGlobalData()
{
    static CUXGlobalData data;
    return data;
}

const OSVERSIONINFOA& GetOSVersionInfo()
{
    static OSVERSIONINFOA info = []
    {
        OSVERSIONINFOA v = {};
        v.dwOSVersionInfoSize = sizeof(v);
        ::GetVersionExA(&v);
        return v;
    }();
    return info;
}
