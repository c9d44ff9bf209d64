// The look data: colours blended from the system colours, fonts, cursors, version, the common-controls check;
// and the shared routines: texts, icons, menu records, button records, the off-screen surface, disabled images
// and dithered fills.
#include "uilib/core/base/GlobalData.h"
#include "uilib/core/base/Helpers.h"
#include "uilib/core/base/MemDC.h"

#include "UilibResources.h"
#include "UilibTestSupport.h"
#include "support/win_DibSurface.h"

#include <gtest/gtest.h>

#include <cstring>
#include <set>

namespace
{

// ---- look data ---------------------------------------------------------------------------------------------

TEST(LookData, ColoursFollowTheSystemColours)
{
    SysColorScope colors;
    colors.Set(COLOR_WINDOW, RGB(255, 255, 255));
    colors.Set(COLOR_HIGHLIGHT, RGB(0, 0, 128));
    colors.Set(COLOR_BTNFACE, RGB(192, 192, 192));
    EXPECT_EQ(RGB(192, 192, 192), uxAfxData.m_clrBtnFace);
    EXPECT_EQ(RGB(210, 210, 210), uxAfxData.m_clrLightFace);
    EXPECT_EQ(RGB(222, 222, 222), uxAfxData.m_clrLighterFace);
    EXPECT_EQ(RGB(202, 202, 202), uxAfxData.m_clrFaceWindow);             // 83 % face, 17 % window
    EXPECT_EQ(RGB(127, 127, 191), uxAfxData.m_clrHalfSelection);          // window and highlight halved
    EXPECT_EQ(uxAfxData.m_clrHiliteText, uxAfxData.m_clrSelectionText);   // dark enough for light text

    colors.Set(COLOR_BTNFACE, RGB(250, 250, 250));
    EXPECT_EQ(RGB(255, 255, 255), uxAfxData.m_clrLightFace);
    EXPECT_EQ(RGB(255, 255, 255), uxAfxData.m_clrLighterFace);
}

TEST(LookData, ContrastTextTurnsAboveLuma148)
{
    SysColorScope colors;
    colors.Set(COLOR_MENUTEXT, RGB(1, 2, 3));
    colors.Set(COLOR_HIGHLIGHTTEXT, RGB(4, 5, 6));
    EXPECT_EQ(RGB(4, 5, 6), uxAfxData.GetContrastTextColor(RGB(148, 148, 148)));
    EXPECT_EQ(RGB(1, 2, 3), uxAfxData.GetContrastTextColor(RGB(149, 149, 149)));
    EXPECT_EQ(RGB(1, 2, 3), uxAfxData.GetContrastTextColor(RGB(0, 255, 0)));   // green weighs most
    EXPECT_EQ(RGB(4, 5, 6), uxAfxData.GetContrastTextColor(RGB(0, 0, 255)));
}

TEST(LookData, FontsComeFromTheMenuFontInThePreferredFaces)
{
    struct Expected
    {
        CFont* font;
        LONG weight;
        BYTE underline;
        LONG escapement;
        bool vertical;
    };
    const Expected fonts[] = {
        {&uxAfxData.m_fontNormal, FW_NORMAL, 0, 0, false},
        {&uxAfxData.m_fontBold, FW_BOLD, 0, 0, false},
        {&uxAfxData.m_fontUnderline, FW_NORMAL, 1, 0, false},
        {&uxAfxData.m_fontNormal2, FW_NORMAL, 0, 0, false},
        {&uxAfxData.m_fontVert, FW_NORMAL, 0, 900, true},
        {&uxAfxData.m_fontVertBold, FW_BOLD, 0, 900, true},
        {&uxAfxData.m_fontVert270, FW_NORMAL, 0, 2700, true},
        {&uxAfxData.m_fontVert270Bold, FW_BOLD, 0, 2700, true},
    };
    NONCLIENTMETRICSA ncm = {};
    ncm.cbSize = sizeof(ncm);
    ASSERT_TRUE(::SystemParametersInfoA(SPI_GETNONCLIENTMETRICS, sizeof(ncm), &ncm, 0));
    // A face that is not installed leaves the menu font's own.
    CString horz =
        CUXGlobalData::IsFontInstalled("Tahoma") ? CString("Tahoma") : CString(ncm.lfMenuFont.lfFaceName);
    CString vert = CUXGlobalData::IsFontInstalled("Arial") ? CString("Arial") : CString(ncm.lfMenuFont.lfFaceName);
    for (const Expected& e : fonts)
    {
        LOGFONTA lf = {};
        ASSERT_TRUE(e.font->GetLogFont(&lf));
        EXPECT_EQ(e.weight, lf.lfWeight);
        EXPECT_EQ(e.underline, lf.lfUnderline);
        EXPECT_EQ(e.escapement, lf.lfEscapement);
        EXPECT_EQ(e.escapement, lf.lfOrientation);
        EXPECT_EQ(ncm.lfMenuFont.lfHeight, lf.lfHeight);
        EXPECT_STREQ(e.vertical ? vert : horz, lf.lfFaceName);
    }
    EXPECT_EQ(CUXGlobalData::IsFontInstalled("Tahoma"), CUXGlobalData::IsFontInstalled("tAHOMA"));
    EXPECT_FALSE(CUXGlobalData::IsFontInstalled("No Such Face Anywhere"));
    EXPECT_FALSE(CUXGlobalData::IsFontInstalled(""));
}

TEST(LookData, LibraryCursorsComeFromTheProgramsResources)
{
    std::set<HCURSOR> distinct;
    for (UINT id = IDC_UX_MOVE; id <= IDC_UX_DELETE; ++id)
    {
        HCURSOR cursor = uxAfxData.GetLibraryCursor(id);
        EXPECT_NE(nullptr, cursor) << id;
        distinct.insert(cursor);
        ICONINFO info = {};
        ASSERT_TRUE(::GetIconInfo(cursor, &info)) << id;
        EXPECT_FALSE(info.fIcon);
        ::DeleteObject(info.hbmMask);
        if (info.hbmColor)
            ::DeleteObject(info.hbmColor);
    }
    EXPECT_EQ(7u, distinct.size());
    EXPECT_EQ(uxAfxData.m_hcurLibrary[2], uxAfxData.GetLibraryCursor(IDC_UX_SPLIT_VERT));   // field order
    EXPECT_EQ(nullptr, uxAfxData.GetLibraryCursor(4508));
    EXPECT_EQ(::LoadCursorA(nullptr, IDC_SIZEALL), uxAfxData.m_hcurSizeAll);

    // Loading again replaces the cursors (the old ones are destroyed, not leaked).
    HCURSOR before = uxAfxData.GetLibraryCursor(IDC_UX_HAND);
    uxAfxData.LoadLibraryCursors();
    EXPECT_NE(nullptr, uxAfxData.GetLibraryCursor(IDC_UX_HAND));
    ICONINFO info = {};
    EXPECT_FALSE(before != uxAfxData.GetLibraryCursor(IDC_UX_HAND) && ::GetIconInfo(before, &info));
}

TEST(LookData, VersionRecordAndFlagsAgree)
{
    const OSVERSIONINFOA& v = GetOSVersionInfo();
    EXPECT_EQ(sizeof(OSVERSIONINFOA), v.dwOSVersionInfoSize);
    EXPECT_GE(v.dwMajorVersion, 4u);   // filled in
    EXPECT_EQ(&v, &GetOSVersionInfo());
    bool nt5 = v.dwPlatformId == VER_PLATFORM_WIN32_NT && v.dwMajorVersion == 5;
    EXPECT_EQ(nt5 && v.dwMinorVersion == 0, bool(uxAfxData.m_bWin2000));
    EXPECT_EQ(nt5 && v.dwMinorVersion == 1, bool(uxAfxData.m_bWinXP));
    EXPECT_EQ(v.dwPlatformId == VER_PLATFORM_WIN32_NT && v.dwMajorVersion == 4, bool(uxAfxData.m_bWinNT4));
    EXPECT_FALSE(uxAfxData.m_bWin95 || uxAfxData.m_bWin98);
}

TEST(LookData, OldCommonControlsEndTheProgram)
{
    EXPECT_GE(uxAfxData.GetComCtlVersion(), 0x40048);   // the system's own are new enough
    MSG msg;
    EXPECT_FALSE(::PeekMessageA(&msg, nullptr, WM_QUIT, WM_QUIT, PM_NOREMOVE));

    LONG known = uxAfxData.m_nComCtlVersion;
    CMessageBoxRecorder boxes;
    uxAfxData.m_nComCtlVersion = 0x40047;   // 4.71
    uxAfxData.CheckComCtlVersion();
    uxAfxData.m_nComCtlVersion = known;
    ASSERT_EQ(1u, boxes.Count());
    EXPECT_NE(std::string::npos, boxes.LastText().find("4.72"));
    EXPECT_EQ(static_cast<unsigned>(MB_ICONERROR), boxes.Records()[0].type & MB_ICONMASK);
    ASSERT_TRUE(::PeekMessageA(&msg, nullptr, WM_QUIT, WM_QUIT, PM_REMOVE));
    EXPECT_EQ(0u, msg.wParam);

    uxAfxData.CheckComCtlVersion();   // a good version passes quietly
    EXPECT_EQ(1u, boxes.Count());
}

// ---- shared routines ---------------------------------------------------------------------------------------

TEST(SharedRoutines, MnemonicsAndPathTails)
{
    EXPECT_STREQ("Save As", StripMnemonics("Save &As"));
    EXPECT_STREQ("Fish && Chips", StripMnemonics("&Fish && Chips"));   // the literal pair stays
    EXPECT_STREQ("abc", StripMnemonics("&a&b&c"));
    EXPECT_STREQ("", StripMnemonics(""));

    EXPECT_STREQ("Windows\\Fonts", GetPathTail("C:\\Windows\\Fonts"));
    EXPECT_STREQ("", GetPathTail("C:"));
    EXPECT_STREQ("", GetPathTail(""));
    EXPECT_STREQ("", GetPathTail(nullptr));
    // Each call has its own result: two tails live side by side.
    CString a = GetPathTail("a\\one"), b = GetPathTail("b\\two");
    EXPECT_STREQ("one", a);
    EXPECT_STREQ("two", b);
}

TEST(SharedRoutines, IconsScaleIntoTheirBoxKeepingTheAspect)
{
    CUXIconHolder holder(MakeTestIcon(32, RGB(0, 128, 0)));
    EXPECT_EQ(CSize(32, 32), holder.GetIconSize());
    HICON scaled = holder.ScaleIcon(16, 24);
    ASSERT_NE(nullptr, scaled);
    EXPECT_EQ(CSize(16, 16), GetIconSize(scaled));
    EXPECT_EQ(nullptr, holder.ScaleIcon(0, 0));
    EXPECT_EQ(nullptr, ScaleIcon(nullptr, 16, 16));
    EXPECT_EQ(CSize(0, 0), GetIconSize(nullptr));

    HICON first = holder.GetIcon();
    holder.Attach(scaled);   // the first icon is destroyed
    ICONINFO info = {};
    EXPECT_FALSE(::GetIconInfo(first, &info));
    EXPECT_EQ(CSize(16, 16), holder.GetIconSize());
}

TEST(SharedRoutines, MenuItemRecordWorksOnThisSystem)
{
    CMenu menu;
    ASSERT_TRUE(menu.CreatePopupMenu());
    menu.AppendMenu(MF_STRING, 42, "&Open");
    MENUITEMINFOA info;
    std::memset(&info, 0xCC, sizeof(info));
    InitMenuItemInfo(&info);
    EXPECT_EQ(sizeof(MENUITEMINFOA), info.cbSize);
    char text[32] = {};
    info.fMask = MIIM_STRING | MIIM_ID;
    info.dwTypeData = text;
    info.cch = sizeof(text);
    ASSERT_TRUE(menu.GetMenuItemInfo(0, &info, TRUE));
    EXPECT_EQ(42u, info.wID);
    EXPECT_STREQ("&Open", text);
}

TEST(SharedRoutines, ButtonRecordStartsWithoutColoursAndCopiesWhole)
{
    CUXToolButtonData data;
    const uint32_t* words = reinterpret_cast<const uint32_t*>(&data);
    for (int i = 0; i < 7; ++i)
        EXPECT_EQ(0u, words[i]) << i;
    EXPECT_EQ(0xFF000000u, words[7]);
    EXPECT_EQ(0xFF000000u, words[8]);
    EXPECT_EQ(0u, words[9]);

    data.m_nDropDown = 140;
    data.m_dwValues[4] = 7;
    data.m_clrStrip = RGB(1, 2, 3);
    data.m_dwReserved = 9;
    CUXToolButtonData copy(data);
    EXPECT_EQ(0, std::memcmp(&data, &copy, sizeof(data)));
}

TEST(SharedRoutines, ResourceScopeSwitchesAndRestoresTheResourceHandle)
{
    HINSTANCE before = AfxGetResourceHandle();
    HINSTANCE other = ::GetModuleHandleA("user32.dll");
    {
        CUXResourceScopePtr scope;
        scope.Enter(other);
        EXPECT_TRUE(scope.IsActive());
        EXPECT_EQ(other, AfxGetResourceHandle());
        scope.Release();
        EXPECT_FALSE(scope.IsActive());
        EXPECT_EQ(before, AfxGetResourceHandle());
        scope.Enter(other);
    }   // released when it goes
    EXPECT_EQ(before, AfxGetResourceHandle());
}

// ---- drawing ---------------------------------------------------------------------------------------------

TEST(MemDC, DrawsRelativeToItsRectangleAndCopiesBackWhenItGoes)
{
    DibSurface target(40, 30, RGB(255, 0, 0));
    {
        CUXMemDC mem(&target.dc, CRect(10, 5, 20, 15), RGB(0, 255, 0));
        ASSERT_TRUE(mem.IsValid());
        mem.SetPixel(0, 0, RGB(0, 0, 255));
        EXPECT_EQ(RGB(255, 0, 0), target.At(10, 5));   // nothing shows before it goes
    }
    EXPECT_EQ(RGB(0, 0, 255), target.At(10, 5));
    EXPECT_EQ(RGB(0, 255, 0), target.At(19, 14));
    EXPECT_EQ(RGB(255, 0, 0), target.At(9, 5));
    EXPECT_EQ(RGB(255, 0, 0), target.At(20, 15));

    target.dc.IntersectClipRect(2, 3, 8, 9);
    {
        CUXMemDC mem(&target.dc, CRect(), RGB(0, 0, 0));   // covers the clip box
        EXPECT_EQ(CRect(2, 3, 8, 9), mem.GetRect());
        CUXMemDC unfilled(&target.dc, CRect(30, 20, 40, 30));
        unfilled.Discard();   // a snapshot that is never shown
    }
    EXPECT_EQ(RGB(0, 0, 0), target.At(2, 3));
    EXPECT_EQ(RGB(255, 0, 0), target.At(30, 20));

    CUXMemDC none(nullptr, CRect(0, 0, 4, 4), RGB(0, 0, 0));
    EXPECT_FALSE(none.IsValid());
}

TEST(Drawing, DisabledImageIsEmbossedInHighlightAndShadow)
{
    CImageList images;
    ASSERT_TRUE(images.Create(16, 16, ILC_COLOR32 | ILC_MASK, 1, 1));
    {
        DibSurface art(16, 16, RGB(255, 255, 255));
        art.dc.FillSolidRect(4, 4, 4, 4, RGB(0, 0, 0));
        art.dc.SelectObject(art.previous);
        ASSERT_EQ(0, images.Add(&art.bitmap, RGB(255, 255, 255)));
    }
    for (BOOL colorSurface : {FALSE, TRUE})
    {
        DibSurface target(40, 40, RGB(0, 0, 255));
        DrawDisabledImage(&target.dc, images, 0, 10, 10, colorSurface);
        EXPECT_EQ(uxAfxData.m_clrBtnShadow, target.At(14, 14)) << colorSurface;   // the image itself
        EXPECT_EQ(uxAfxData.m_clrBtnShadow, target.At(17, 17)) << colorSurface;
        EXPECT_EQ(uxAfxData.m_clrBtnHilite, target.At(18, 18)) << colorSurface;   // one pixel down and right
        EXPECT_EQ(uxAfxData.m_clrBtnHilite, target.At(15, 18)) << colorSurface;
        EXPECT_EQ(RGB(0, 0, 255), target.At(13, 13)) << colorSurface;   // around it untouched
        EXPECT_EQ(RGB(0, 0, 255), target.At(19, 19)) << colorSurface;
    }
}

TEST(Drawing, DitheredRectIsACheckerOfFaceAndHighlight)
{
    SysColorScope colors;
    colors.Set(COLOR_BTNFACE, RGB(200, 100, 0));
    colors.Set(COLOR_BTNHIGHLIGHT, RGB(0, 100, 200));
    DibSurface target(20, 20, RGB(0, 0, 0));
    FillDitheredRect(&target.dc, CRect(2, 2, 18, 18));
    EXPECT_EQ(RGB(0, 0, 0), target.At(1, 1));
    EXPECT_EQ(RGB(0, 0, 0), target.At(18, 18));
    for (int y = 2; y < 17; ++y)
        for (int x = 2; x < 17; ++x)
        {
            COLORREF c = target.At(x, y);
            ASSERT_TRUE(c == RGB(200, 100, 0) || c == RGB(0, 100, 200)) << x << "," << y;
            ASSERT_NE(c, target.At(x + 1, y));
            ASSERT_EQ(c, target.At(x + 1, y + 1));
        }
}

}   // namespace
