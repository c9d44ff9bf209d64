// The library's shared look data: system colours and the colours blended from them, the library's cursors, a
// few metrics, the bar and menu fonts, the running Windows version, the look and option switches, the
// common-controls version and the optional INI file that replaces the registry for the library's settings.
//
// One object exists per program, built on first use: reach it as uxAfxData (GetUXGlobalData()).
#pragma once

#include "framework/win/Framework.h"

class CUXGlobalData
{
public:
    CUXGlobalData();
    virtual ~CUXGlobalData();
    CUXGlobalData(const CUXGlobalData&) = delete;
    CUXGlobalData& operator=(const CUXGlobalData&) = delete;

    // ---- system colours (RefreshSystemColors) ----
    COLORREF m_clrBtnFace = 0;
    COLORREF m_clrBtnShadow = 0;
    COLORREF m_clr3DDkShadow = 0;
    COLORREF m_clrBtnHilite = 0;
    COLORREF m_clrLightFace = 0;   // button face lightened by 18
    COLORREF m_clrBtnText = 0;
    COLORREF m_clrGrayText = 0;
    COLORREF m_clrHilite = 0;
    COLORREF m_clrHiliteText = 0;
    COLORREF m_clrMenu = 0;
    COLORREF m_clrMenuText = 0;
    COLORREF m_clrWindow = 0;
    COLORREF m_clrWindowFrame = 0;
    COLORREF m_clrWindowText = 0;
    COLORREF m_clrActiveCaption = 0;
    COLORREF m_clrInactiveCaption = 0;
    COLORREF m_clrGradientActiveCaption = 0;
    COLORREF m_clrGradientInactiveCaption = 0;
    COLORREF m_clrCaptionText = 0;
    COLORREF m_clrInactiveCaptionText = 0;

    // ---- blends used by the flat look ----
    COLORREF m_clrFaceWindow = 0;       // face 83 %, window 17 %
    COLORREF m_clrFaceShadow = 0;       // face 90 %, shadow 10 %
    COLORREF m_clrDarkShadow = 0;       // shadow 80 %, black 20 %
    COLORREF m_clrWindowFace = 0;       // window 86 %, face 14 %
    COLORREF m_clrDarkFace = 0;         // (face 67 %, black 33 %) 70 %, window 30 %
    COLORREF m_clrShadowWindow = 0;     // shadow 75 %, window 25 %
    COLORREF m_clrLighterFace = 0;      // button face lightened by 30
    COLORREF m_clrLightSelection = 0;   // window 70 %, highlight 30 %
    COLORREF m_clrHalfSelection = 0;    // window 50 %, highlight 50 %
    COLORREF m_clrPaleSelection = 0;    // (light face 80 %, highlight 20 %) 61 %, window 39 %
    COLORREF m_clrSelectionText = 0;    // text on the half selection

    // ---- cursors ----
    enum
    {
        kLibraryCursors = 7
    };
    // The library's cursors from the resource module, held in this order of resource ids.
    static const UINT s_libraryCursorIds[kLibraryCursors];
    HCURSOR m_hcurLibrary[kLibraryCursors] = {};
    HCURSOR m_hcurSizeAll = nullptr;   // system cursor, never destroyed

    // ---- metrics (RefreshMetrics) ----
    int m_cxSmallIcon = 0;
    int m_cySmallIcon = 0;
    int m_cxImageBox = 18;
    int m_cyImageBox = 18;
    int m_cxHThumb = 0;
    int m_cyVThumb = 0;
    int m_cyMenu = 0;

    // ---- fonts (RefreshFonts), derived from the system menu font ----
    CFont m_fontNormal;          // menus and bars
    CFont m_fontBold;            // default menu items
    CFont m_fontUnderline;       // underlined
    CFont m_fontNormal2;         // a second normal font
    CFont m_fontVert;            // turned by 90 degrees, for vertically docked bars
    CFont m_fontVertBold;        // turned by 90 degrees, bold
    CFont m_fontVert270;         // turned by 270 degrees
    CFont m_fontVert270Bold;     // turned by 270 degrees, bold
    CString m_strHorzFontFace;   // preferred faces, used when installed
    CString m_strVertFontFace;

    // ---- running system ----
    BOOL m_bWin95 = FALSE;
    BOOL m_bWin98 = FALSE;
    BOOL m_bWinNT4 = FALSE;
    BOOL m_bWin2000 = FALSE;
    BOOL m_bWinXP = FALSE;

    // ---- switches (settable, never changed by the library itself) ----
    BOOL m_bFlatLook = FALSE;                // the flat look; otherwise the classic one
    BOOL m_bMenuShadows = TRUE;              // drop shadows of menus, pop-ups and open tool-bar drop-downs
    BOOL m_bDocking = TRUE;                  // docking
    BOOL m_bBarContextMenu = TRUE;           // the bar menu on a right click on a bar
    BOOL m_bDockBars = TRUE;                 // dock bars
    BOOL m_bMenuHideRarelyUsed = TRUE;       // cool menus hide rarely used commands behind the chevron
    BOOL m_bMenuDelayedExpand = TRUE;        // cool menus show every command after resting on the chevron
    BOOL m_bToolTips = TRUE;                 // tool tips of tool-bar buttons
    BOOL m_bShortcutsInTips = FALSE;         // tool tips append the command's keyboard shortcut
    LONG m_nComCtlVersion = -1;              // major << 16 | minor; -1 until asked
    CString m_strIniFile;                    // when set, the settings store writes this INI file
    HINSTANCE m_hResourceModule = nullptr;   // where the library's resources come from

    // ---- operations ----
    // Takes the resource module (the program when null) and reads everything afresh.
    void InitResources(HINSTANCE module = nullptr);
    void RefreshSystemColors();
    void RefreshMetrics();
    void RefreshFonts();
    void DeleteFonts();
    void LoadLibraryCursors();
    void FreeLibraryCursors();
    // The cursor loaded from the given library cursor resource; null for another id or a missing resource.
    HCURSOR GetLibraryCursor(UINT resourceId) const;
    // Whether a font family of that face is installed (case ignored).
    static BOOL IsFontInstalled(LPCSTR face);
    // Creates font from logFont with the given weight, underline, orientation and escapement.
    static BOOL MakeFont(LOGFONTA& logFont, CFont& font, LONG weight, BYTE underline, LONG orientation,
                         LONG escapement);
    // Common-controls version as major << 16 | minor, 0 when it cannot be learned (asked once).
    LONG GetComCtlVersion();
    // Ends the program (message box, WM_QUIT) when the common controls are older than 4.72.
    void CheckComCtlVersion();
    // The menu-text colour for text on a light background, else the highlight-text colour.
    COLORREF GetContrastTextColor(COLORREF background) const;
};

// The one look-data object, built on the first call and destroyed at program exit.
CUXGlobalData& GetUXGlobalData();
#define uxAfxData (GetUXGlobalData())

// The operating-system version record, read once per run.
const OSVERSIONINFOA& GetOSVersionInfo();
