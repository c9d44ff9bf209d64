// Looks and painters: the look object that GetToolBarLook answers hands out painters for tool-bar buttons,
// control borders, combo boxes and list items. The classic look has none, so every class draws itself.
// LoadSysColorBitmap maps the four standard greys of tool-bar and button bitmaps to the current system colours.
#pragma once

#include "framework/win/Framework.h"

// A tool-bar button as the bar hands it to a painter: where it is, its state as the bar sees it now, and what
// it shows.
struct CUXToolButtonState
{
    CRect rect;         // in the co-ordinates of the DC drawn on
    BYTE state = 0;     // TBSTATE_ flags
    BYTE style = 0;     // TBSTYLE_ / BTNS_ flags
    BOOL hot = FALSE;   // under the mouse, which nothing holds
    BOOL pressed = FALSE;
    BOOL open = FALSE;             // its drop-down is open
    BOOL dropDownArrows = FALSE;   // the bar draws drop-down arrows apart from the buttons
    HIMAGELIST images = nullptr;
    HIMAGELIST hotImages = nullptr;
    int image = -1;
    CSize imageSize;
    CString label;
    BOOL listStyle = FALSE;   // the label right of the image, not under it
    HFONT font = nullptr;
    COLORREF back = 0;          // the bar's background
    DWORD strip = 0xFF000000;   // a colour drop-down's strip colour, or 0xFF000000 for none
    int buttonWidth = 0;        // the bar's button width (the strip's length follows it)
};

class CUXToolBarPainter
{
public:
    virtual ~CUXToolBarPainter() = default;
    // The place of a control window over a placeholder.
    virtual void EraseControl(CDC* dc, const CRect& rect, COLORREF back) = 0;
    virtual void DrawButton(CDC* dc, const CUXToolButtonState& button) = 0;
    // A separator; one that ends a row (wrapped) runs across the client area.
    virtual void DrawSeparator(CDC* dc, const CRect& rect, BOOL wrapped, const CRect& client, COLORREF back) = 0;
    // The shadow of the button whose drop-down is open.
    virtual void DrawDropShadow(CDC* dc, const CRect& button) = 0;
    // What the bar redraws when that drop-down closes.
    virtual CRect GetDropShadowRect(const CRect& button) = 0;
};

class CUXControlPainter
{
public:
    virtual ~CUXControlPainter() = default;
    virtual void DrawBorder(CWnd* wnd, CDC* dc, BOOL hot) = 0;
};

class CUXComboPainter
{
public:
    virtual ~CUXComboPainter() = default;
    virtual void DrawCombo(CWnd* combo, CDC* dc, BOOL hot) = 0;
};

class CUXListPainter
{
public:
    virtual ~CUXListPainter() = default;
    virtual void DrawItem(LPDRAWITEMSTRUCT item, CWnd* listBox) = 0;
    virtual void EraseItem(LPDRAWITEMSTRUCT item, CWnd* listBox) = 0;
};

// A look: null from a getter means "draw it the classic way".
class CUXLook
{
public:
    virtual ~CUXLook() = default;
    virtual CUXControlPainter* GetControlPainter() = 0;
    virtual CUXComboPainter* GetComboPainter() = 0;
    virtual CUXToolBarPainter* GetToolBarPainter() = 0;
    virtual CUXListPainter* GetListPainter() = 0;
    // Tool-bar customization tells the look when its customize mode starts and ends.
    virtual void SetCustomizeMode(BOOL on) = 0;
    virtual BOOL IsCustomizeMode() const = 0;
};

class CUXLookClassic : public CUXLook
{
public:
    CUXControlPainter* GetControlPainter() override { return nullptr; }
    CUXComboPainter* GetComboPainter() override { return nullptr; }
    CUXToolBarPainter* GetToolBarPainter() override { return nullptr; }
    CUXListPainter* GetListPainter() override { return nullptr; }
    void SetCustomizeMode(BOOL) override {}
    BOOL IsCustomizeMode() const override { return FALSE; }
};

// A list box that shows an icon per item offers it to the list painter.
class CUXListItemIcons
{
public:
    virtual ~CUXListItemIcons() = default;
    // The item's icon (still the list box's), or null.
    virtual HICON GetItemIcon(int item) = 0;
};

// The flat look: its painters draw in the blended colours of the look data (FlatPainters.h). Tool bars ask it
// whether customize mode is on (a button under the held mouse is not drawn pressed then).
class CUXLookFlat : public CUXLook
{
public:
    CUXLookFlat();
    ~CUXLookFlat() override;
    CUXLookFlat(const CUXLookFlat&) = delete;
    CUXLookFlat& operator=(const CUXLookFlat&) = delete;

    CUXControlPainter* GetControlPainter() override { return m_pControlPainter; }
    CUXComboPainter* GetComboPainter() override { return m_pComboPainter; }
    CUXToolBarPainter* GetToolBarPainter() override { return m_pToolBarPainter; }
    CUXListPainter* GetListPainter() override { return m_pListPainter; }
    void SetCustomizeMode(BOOL on) override { m_bCustomizeMode = on; }
    BOOL IsCustomizeMode() const override { return m_bCustomizeMode; }

private:
    CUXComboPainter* m_pComboPainter;
    CUXControlPainter* m_pControlPainter;
    CUXToolBarPainter* m_pToolBarPainter;
    CUXListPainter* m_pListPainter;
    BOOL m_bCustomizeMode = FALSE;
};

// The look that matches the look data's switch.
CUXLook* GetToolBarLook();

// A bitmap resource with black, dark grey, light grey and white replaced by the button text, shadow, face and
// highlight colours; with mono, black stays black and the other three become white. A new bitmap compatible
// with the screen (the caller deletes it), or null when the resource is missing, damaged or cannot be drawn.
HBITMAP LoadSysColorBitmap(HINSTANCE instance, LPCSTR resource, BOOL mono = FALSE);
inline HBITMAP LoadSysColorBitmap(HINSTANCE instance, UINT resourceId, BOOL mono = FALSE)
{
    return LoadSysColorBitmap(instance, MAKEINTRESOURCEA(resourceId), mono);
}
