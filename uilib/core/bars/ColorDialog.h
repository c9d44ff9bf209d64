// CUXColorDialog: the library's colour chooser. A property sheet "Colors" with a standard page (a honeycomb
// of 127 colour cells and a grey scale) and a custom page (a hue and saturation field, a luminance bar and
// boxes for red, green, blue, hue, saturation and luminance), beside two swatches that compare the new colour
// with the current one. After OK the new colour is the result.
#pragma once

#include "framework/win/Framework.h"
#include "uilib/core/base/Helpers.h"
#include "uilib/core/base/LibraryIds.h"
#include "uilib/core/base/MemDC.h"

#include <vector>

class CUXColorDialog;

// A static control that takes the mouse and the keyboard: it asks for SS_NOTIFY once it exists (the
// library's deferred first initialisation) and never erases its background.
class CUXColorControl : public CStatic
{
public:
    BOOL IsInitialised() const { return m_nInitCounter == 0; }

protected:
    void PreSubclassWindow() override;
    // Sends the colour to the page the control sits on.
    void TellPage(COLORREF color);
    // Ends the sheet the control sits on with OK.
    void PressOK();

    afx_msg LRESULT OnFirstInit(WPARAM wParam, LPARAM lParam);
    afx_msg BOOL OnEraseBkgnd(CDC* pDC);
    afx_msg UINT OnGetDlgCode();
    afx_msg void OnDestroy();
    DECLARE_MESSAGE_MAP()

    int m_nInitCounter = 1;
};

// The honeycomb of the standard page: 127 small hexagonal cells, then 15 small grey cells and a big white
// and a big black one. The arrow keys move between neighbours; a click or a key selects, a double click,
// Enter or Space end the sheet with OK.
class CUXColorHoneycomb : public CUXColorControl
{
public:
    enum Direction
    {
        kLeft,
        kUp,
        kRight,
        kDown
    };
    enum
    {
        kHoneycombCells = 127,
        kBigWhite = 142,
        kBigBlack = 143,
        kCells = 144
    };
    struct Cell
    {
        int x = 0;   // top-left of the cell's bounding box
        int y = 0;
        BOOL big = FALSE;
        COLORREF color = 0;
        int next[4] = {-1, -1, -1, -1};   // neighbour by Direction, -1: none
    };

    // The cells in index order.
    static const std::vector<Cell>& GetCells();
    // Whether the cell covers the point (control co-ordinates).
    static BOOL CellContains(const Cell& cell, CPoint point);
    // The cell that covers the point, -1 for none.
    static int HitTest(CPoint point);

    // Selects the first cell of that colour, or none when no cell has it; the colour is kept either way.
    void SelectColor(COLORREF color);
    // Selects a cell; a cell other than the selected one tells the page its colour.
    void SelectCell(int index);
    // Selects the neighbour of the selected cell (of the big black cell when none is selected).
    void Move(Direction direction);
    int GetSelectedCell() const { return m_nSelected; }
    COLORREF GetSelectedColor() const { return m_clrSelected; }

protected:
    afx_msg void OnPaint();
    afx_msg void OnLButtonDown(UINT nFlags, CPoint point);
    afx_msg void OnMouseMove(UINT nFlags, CPoint point);
    afx_msg void OnLButtonUp(UINT nFlags, CPoint point);
    afx_msg void OnLButtonDblClk(UINT nFlags, CPoint point);
    afx_msg void OnKeyDown(UINT nChar, UINT nRepCnt, UINT nFlags);
    DECLARE_MESSAGE_MAP()

private:
    void DrawCells(CDC* dc);
    void DrawOutline(CDC* dc, const Cell& cell);

    CUXCachedSurface m_cache;   // the painted cells
    COLORREF m_clrSelected = static_cast<COLORREF>(-1);
    int m_nSelected = -1;
    BOOL m_bTracking = FALSE;
};

// The two pickers of the custom page share this: a cached picture, the hue, saturation and luminance they
// stand at, the picked colour and a marker. The mouse and the arrow keys move the marker and pick the
// picture's colour under it; a double click, Enter or Space end the sheet with OK.
class CUXColorPicker : public CUXColorControl
{
public:
    enum FocusPicker
    {
        kNoPicker,
        kFieldPicker,
        kBarPicker
    };
    // Which picker has the focus (one for the whole library).
    static int s_nFocusPicker;

    // Takes a colour: its hue, saturation and luminance, and the marker where the colour lies.
    virtual void SetColor(COLORREF color) = 0;
    COLORREF GetColor() const { return m_color; }
    CPoint GetMarker() const { return m_marker; }
    // Moves the marker (kept inside the area it may take) and takes the picture's colour there, without
    // telling the page.
    void MoveMarker(CPoint marker);
    double m_hue = 0;
    double m_saturation = 0;
    double m_luminance = 0;

protected:
    // The picture's colour at a marker position.
    virtual COLORREF ColorAt(CPoint marker) const = 0;
    virtual void RenderPicture(CDC* dc, const CRect& client) = 0;
    virtual void DrawMarker(CDC* dc, BOOL focused) = 0;
    // The positions the marker may take.
    virtual CRect GetMarkerArea() const = 0;
    virtual int GetFocusId() const = 0;
    // The picture changed: it is drawn anew at the next paint.
    void InvalidatePicture();
    // Moves the marker to the point and tells the page the colour there.
    void Pick(CPoint point);

    afx_msg void OnPaint();
    afx_msg void OnLButtonDown(UINT nFlags, CPoint point);
    afx_msg void OnMouseMove(UINT nFlags, CPoint point);
    afx_msg void OnLButtonUp(UINT nFlags, CPoint point);
    afx_msg void OnLButtonDblClk(UINT nFlags, CPoint point);
    afx_msg void OnKeyDown(UINT nChar, UINT nRepCnt, UINT nFlags);
    afx_msg void OnSetFocus(CWnd* pOldWnd);
    afx_msg void OnKillFocus(CWnd* pNewWnd);
    DECLARE_MESSAGE_MAP()

    COLORREF m_color = 0;
    CPoint m_marker;
    BOOL m_bPictureValid = FALSE;

private:
    void RepaintMarker();

    CUXCachedSurface m_cache;
};

// Hue across, saturation up, at half luminance; the marker is a cross-hair.
class CUXColorField : public CUXColorPicker
{
public:
    void SetColor(COLORREF color) override;
    // The marker column of a hue and the marker row of a saturation (0..255).
    int HueToX(int hue) const;
    int SaturationToY(int saturation) const;

protected:
    COLORREF ColorAt(CPoint marker) const override;
    void RenderPicture(CDC* dc, const CRect& client) override;
    void DrawMarker(CDC* dc, BOOL focused) override;
    CRect GetMarkerArea() const override;
    int GetFocusId() const override { return kFieldPicker; }
};

// Luminance up for the hue and saturation it stands at, in a strip 14 pixels wide, 4 in from the top and the
// bottom; the marker is a triangle beside the strip pointing at the row.
class CUXLuminanceBar : public CUXColorPicker
{
public:
    void SetColor(COLORREF color) override;
    // The marker row of a luminance (0..255).
    int LuminanceToY(int luminance) const;

protected:
    COLORREF ColorAt(CPoint marker) const override;
    void RenderPicture(CDC* dc, const CRect& client) override;
    void DrawMarker(CDC* dc, BOOL focused) override;
    CRect GetMarkerArea() const override;
    int GetFocusId() const override { return kBarPicker; }

private:
    // The luminance of a row of the strip.
    double RowLuminance(int y) const;
};

class CUXColorPageStandard : public CPropertyPage
{
public:
    explicit CUXColorPageStandard(CUXColorDialog* sheet);
    CUXColorHoneycomb m_honeycomb;

    BOOL OnInitDialog() override;
    BOOL OnSetActive() override;

protected:
    afx_msg LRESULT OnColorPicked(WPARAM wParam, LPARAM lParam);
    DECLARE_MESSAGE_MAP()

    CUXColorDialog* m_pColorSheet;
};

class CUXColorPageCustom : public CPropertyPage
{
public:
    explicit CUXColorPageCustom(CUXColorDialog* sheet);
    CUXColorField m_field;
    CUXLuminanceBar m_bar;
    int m_nRed = 0;
    int m_nGreen = 0;
    int m_nBlue = 0;
    int m_nHue = 0;
    int m_nSaturation = 0;
    int m_nLuminance = 0;

    BOOL OnInitDialog() override;
    BOOL OnSetActive() override;
    void DoDataExchange(CDataExchange* pDX) override;

protected:
    afx_msg LRESULT OnColorPicked(WPARAM wParam, LPARAM lParam);
    afx_msg void OnRgbChange();
    afx_msg void OnHueChange();
    afx_msg void OnSaturationChange();
    afx_msg void OnLuminanceChange();
    DECLARE_MESSAGE_MAP()

private:
    // The value of a box, or -1 while it holds no number of 0..255.
    int ReadBox(int id) const;
    // The new colour goes to the sheet, and into every box but the one being typed in.
    void TakeColor(COLORREF color, int skipBox);
    // The colour from the field at its marker, as the hue or saturation boxes moved it.
    void TakeFieldColor(int skipBox);

    CUXColorDialog* m_pColorSheet;
    int m_nUpdating = 0;   // boxes being filled: their change notifications are ours
};

class CUXColorDialog : public CPropertySheet
{
    DECLARE_DYNAMIC(CUXColorDialog)
public:
    enum Options
    {
        kHexBox = 0x20,       // a read-only box shows the new colour in hexadecimal
        kSwatchFrame = 0x40   // an extra 3-D frame around the swatches
    };

    CUXColorDialog(COLORREF current, COLORREF newColor, DWORD options = 0, CWnd* pParentWnd = nullptr);
    ~CUXColorDialog() override;

    INT_PTR DoModal() override;
    BOOL Create(CWnd* pParentWnd = nullptr) override;
    BOOL OnInitDialog() override;

    COLORREF GetColor() const { return m_clrNew; }
    COLORREF GetCurrentColor() const { return m_clrCurrent; }
    DWORD GetOptions() const { return m_dwOptions; }
    // Stores the new colour and shows it; with notify every page takes it too.
    void SetNewColor(COLORREF color, BOOL notifyPages);
    // The read-only box (null without kHexBox or before creation).
    CEdit* GetHexBox() { return m_editHex.m_hWnd != nullptr ? &m_editHex : nullptr; }
    // The rectangles of the new and the current colour (client co-ordinates).
    CRect GetNewSwatchRect() const;
    CRect GetCurrentSwatchRect() const;

    CUXColorPageStandard m_pageStandard;
    CUXColorPageCustom m_pageCustom;

protected:
    afx_msg int OnCreate(LPCREATESTRUCT lpCreateStruct);
    afx_msg void OnPaint();
    DECLARE_MESSAGE_MAP()

private:
    CRect GetSwatchBlock() const;

    COLORREF m_clrNew;
    COLORREF m_clrCurrent;
    DWORD m_dwOptions;
    CEdit m_editHex;
    CUXResourceScopePtr m_resources;
};
