// Small routines shared by the library's classes: menu texts, disabled images, dithered fills, icon
// ownership and scaling, resource-handle scopes, loaded modules, menu-item records and the per-button extra
// record of tool bars.
#pragma once

#include "framework/win/Framework.h"

#include <cstdint>
#include <type_traits>

// ---- texts ----

// Removes the mnemonic '&' markers of a menu or button text; a literal "&&" stays as it is.
CString StripMnemonics(const CString& text);
// The text after the first backslash of a path; empty for a path without one (or no path).
CString GetPathTail(LPCSTR path);

// ---- drawing ----

// Draws one image of an image list embossed (highlight one pixel down and right, shadow over it), the look
// of a disabled button. colorSurface: the image is cut out on a surface like the target's, else on a
// monochrome one.
void DrawDisabledImage(CDC* dc, HIMAGELIST imageList, int index, int x, int y, BOOL colorSurface);
// Fills a rectangle with a checker of button face and button highlight.
void FillDitheredRect(CDC* dc, const CRect& rect);
// For painting a window's non-client area: its window rectangle at (0, 0) and its client rectangle in the same
// coordinates; the window DC is clipped to the non-client area.
void UXPrepareNonClientDC(CWnd* wnd, CDC& windowDC, CRect& window, CRect& client);
// Answers WM_PAINT of a list-like control: its default painting draws the items on an off-screen surface
// filled with the background, which then covers the client area in one step.
void UXPaintListOffscreen(CWnd* list, COLORREF background);
// On the window DC of a pop-up (window: its screen rectangle), a one-pixel line in the colour along the edge
// where the pop-up touches the button it drops from (screen rectangle), so that the two look joined. Nothing
// when they share no more than two pixels.
void DrawEdgeGapLine(CDC* dc, COLORREF color, const CRect& button, const CRect& window);
// The flat look's frame of a pop-up (its non-client area): a one-pixel line in the pop-up border colour,
// open where the pop-up touches the button it drops from (screen rectangle).
void DrawFlatPopupFrame(CWnd* popup, const CRect& button);

// ---- screen ----

// The work area of the monitor nearest to the rectangle (screen coordinates).
CRect UXWorkAreaNear(const CRect& rect);
// The rectangle moved into the area; one larger than the area is cut to it from the area's top left.
CRect UXKeepInside(const CRect& rect, const CRect& area);
// A size no smaller than least and no larger than the screen on either side.
CSize UXCapToScreen(CSize size, int least);

// ---- scrolling ----

// Runs the window's default handling of the scroll message being handled with redrawing off, then repaints
// the window at once and recalculates its frame: the scrolled content appears in one step.
void UXScrollWithoutFlicker(CWnd* wnd);

// ---- icons ----

// Width and height of an icon; (0, 0) for none.
CSize GetIconSize(HICON icon);
// A new icon (the caller destroys it) that fits the box keeping the icon's aspect; null for an empty box or
// an icon without size.
HICON ScaleIcon(HICON icon, int width, int height);

// Owns one icon and destroys it.
class CUXIconHolder
{
public:
    explicit CUXIconHolder(HICON icon = nullptr) : m_hIcon(icon) {}
    ~CUXIconHolder() { Attach(nullptr); }
    CUXIconHolder(const CUXIconHolder&) = delete;
    CUXIconHolder& operator=(const CUXIconHolder&) = delete;

    // Destroys the held icon and holds the new one.
    void Attach(HICON icon);
    HICON GetIcon() const { return m_hIcon; }
    operator HICON() const { return m_hIcon; }
    CSize GetIconSize() const { return ::GetIconSize(m_hIcon); }
    HICON ScaleIcon(int width, int height) const { return ::ScaleIcon(m_hIcon, width, height); }

private:
    HICON m_hIcon;
};

// ---- modules and resources ----

// Owns a module loaded by file name (none without a name) and frees it.
class CUXLibraryHolder
{
public:
    explicit CUXLibraryHolder(LPCSTR fileName = nullptr);
    ~CUXLibraryHolder();
    CUXLibraryHolder(const CUXLibraryHolder&) = delete;
    CUXLibraryHolder& operator=(const CUXLibraryHolder&) = delete;

    HMODULE GetHandle() const { return m_hModule; }
    operator HMODULE() const { return m_hModule; }

private:
    HMODULE m_hModule = nullptr;
};

// While active, resources are looked up in another module; the saved handle comes back on release.
class CUXResourceScope
{
public:
    explicit CUXResourceScope(HINSTANCE resources);
    HINSTANCE m_hSavedResource;
    BOOL m_bActive;
};

// Owns at most one resource scope (dialogs that show the library's own templates hold one).
class CUXResourceScopePtr
{
public:
    CUXResourceScopePtr() = default;
    ~CUXResourceScopePtr() { Release(); }
    CUXResourceScopePtr(const CUXResourceScopePtr&) = delete;
    CUXResourceScopePtr& operator=(const CUXResourceScopePtr&) = delete;

    // Ends a previous scope, then looks resources up in the given module.
    void Enter(HINSTANCE resources);
    // Puts the saved resource handle back and deletes the scope.
    void Release();
    BOOL IsActive() const { return m_pScope != nullptr && m_pScope->m_bActive; }

private:
    CUXResourceScope* m_pScope = nullptr;
};

// ---- menus ----

// A cleared menu-item record with its size set.
void InitMenuItemInfo(MENUITEMINFOA* info);

// ---- tool bars ----

// The extra record of one tool-bar button. Tool-bar layouts store it as it stands (40 bytes), so it holds
// no pointers.
struct CUXToolButtonData
{
    uint32_t m_nDropDown = 0;             // drop-down kind: a menu resource id or a popup flag
    uint32_t m_nPopupKey = 0;             // the key of the pop-up a command-popup drop-down opens
    uint32_t m_dwValues[5] = {};          // further values of the tool bar and its customization
    uint32_t m_clrStrip = 0xFF000000;     // colour of a colour drop-down's strip (0xFF000000: none)
    uint32_t m_clrDefault = 0xFF000000;   // default colour of the colour drop-down (0xFF000000: none)
    uint32_t m_dwReserved = 0;
};
static_assert(sizeof(CUXToolButtonData) == 40, "stored tool-bar layouts hold 40-byte button records");
static_assert(std::is_trivially_copyable<CUXToolButtonData>::value, "button records are copied word by word");
