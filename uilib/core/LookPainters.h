// Looks and painters: the look object that GetToolBarLook answers hands out painters for tool-bar buttons,
// control borders, combo boxes and list items. The classic look has none, so every class draws itself.
// LoadSysColorBitmap maps the four standard greys of tool-bar and button bitmaps to the current system colours.
#pragma once

#include "framework/win/Framework.h"

class CUXToolBar;

class CUXToolBarPainter
{
public:
    virtual ~CUXToolBarPainter() = default;
    virtual void EraseControl(CDC* dc, CUXToolBar* bar, int index) = 0;
    virtual void DrawButton(CDC* dc, CUXToolBar* bar, int index) = 0;
    virtual void DrawSeparator(CDC* dc, CUXToolBar* bar, int index) = 0;
    virtual void DrawDropShadow(CDC* dc, CUXToolBar* bar, int index) = 0;
    virtual void ClearDropShadow(CUXToolBar* bar, int index) = 0;
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
};

class CUXLookClassic : public CUXLook
{
public:
    CUXControlPainter* GetControlPainter() override { return nullptr; }
    CUXComboPainter* GetComboPainter() override { return nullptr; }
    CUXToolBarPainter* GetToolBarPainter() override { return nullptr; }
    CUXListPainter* GetListPainter() override { return nullptr; }
    void SetCustomizeMode(BOOL) override {}
};

// A list box that shows an icon per item offers it to the list painter.
class CUXListItemIcons
{
public:
    virtual ~CUXListItemIcons() = default;
    // The item's icon (still the list box's), or null.
    virtual HICON GetItemIcon(int item) = 0;
};

// The flat look: its painters draw in the blended colours of the look data. They ask the look whether
// customize mode is on (a button under the held mouse is not drawn pressed then).
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
    BOOL IsCustomizeMode() const { return m_bCustomizeMode; }

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
