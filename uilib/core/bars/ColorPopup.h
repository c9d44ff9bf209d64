// CUXColorDropWnd: the pop-up of a tool-bar button with a colour drop-down. A button for the automatic
// colour (or "No Fill"), a grid of 16 or 40 named colours, optionally a row of the colours lately picked in
// the colour dialog and a "More Colors..." button that opens it. The pop-up tells its notify windows what
// happened (wParam a colour, lParam the creator's command id) and deletes itself when its window goes.
#pragma once

#include "framework/win/Framework.h"
#include "uilib/core/base/LibraryIds.h"
#include "uilib/core/base/MemDC.h"

#include <vector>

class CUXColorDropWnd : public CWnd
{
public:
    // Option bits of Create.
    enum Options
    {
        kNoFill = 0x01,         // the top button is "No Fill"; otherwise "Automatic" (the default colour)
        kFortyColors = 0x02,    // five rows of eight; otherwise two rows under "Standard Colors"
        kMoreColors = 0x04,     // the "More Colors..." button and the colours lately picked there
        kDialogOptions = 0x60   // passed on to the colour dialog
    };
    // Kind bits of a cell beside the option bits of the top button.
    enum CellKind
    {
        kColorCell = 8,
        kMoreButton = 16
    };
    enum
    {
        kNoColor = 0xFF000000,   // a colour not set yet
        kMaxRecent = 8
    };

    struct Cell
    {
        CRect rect;
        UINT tipId = 0;
        int index = 0;
        BOOL selected = FALSE;   // the cell of the colour set when the pop-up opened
        DWORD kind = 0;
        CString text;
        COLORREF color = 0;
    };

    CUXColorDropWnd(DWORD reserved, UINT commandId);
    ~CUXColorDropWnd() override;

    // Opens below the button (screen rectangle) for the parent, which becomes the first notify window. Once
    // open the pop-up deletes itself when its window goes; FALSE (the caller deletes the object) when it
    // cannot be made.
    virtual BOOL Create(const RECT& buttonRect, CWnd* pParentWnd, DWORD options, COLORREF current,
                        COLORREF defaultColor);
    void AddNotifyWindow(HWND hWnd);

    virtual int GetCurrentCell() const { return m_nCurrent; }
    // Makes a cell current and highlights it (a missing cell is ignored).
    virtual void SelectCell(int index);
    virtual void HighlightCell(Cell* cell, BOOL pressed, BOOL erase);
    // The cell of an index; null out of range.
    virtual Cell* GetCell(int index);
    // Ends with a cell (-1: cancelled): the colour dialog for "More Colors...", the notification, closing.
    virtual void EndSelection(int index);
    virtual void DrawCells(CDC* dc);
    virtual void DrawCell(Cell* cell, CDC* dc, BOOL hot);

    int GetLastIndex() const { return m_nLastIndex; }
    int GetCellCount() const { return static_cast<int>(m_cells.size()); }
    COLORREF GetCurrentColor() const { return m_clrCurrent; }
    DWORD GetOptions() const { return m_dwOptions; }
    BOOL IsDialogRunning() const { return m_bDialogRunning; }

    // The colours picked lately in the colour dialog, oldest first (shared by every pop-up).
    static std::vector<COLORREF>& GetRecentColors();
    static void AddRecentColor(COLORREF color);

protected:
    void PostNcDestroy() override;
    BOOL PreTranslateMessage(MSG* pMsg) override;

    afx_msg int OnCreate(LPCREATESTRUCT lpCreateStruct);
    afx_msg void OnDestroy();
    afx_msg void OnPaint();
    afx_msg BOOL OnEraseBkgnd(CDC* pDC);
    afx_msg void OnNcCalcSize(BOOL bCalcValidRects, NCCALCSIZE_PARAMS* lpncsp);
    afx_msg void OnNcPaint();
    afx_msg void OnMouseMove(UINT nFlags, CPoint point);
    afx_msg void OnLButtonDown(UINT nFlags, CPoint point);
    afx_msg void OnLButtonUp(UINT nFlags, CPoint point);
    afx_msg void OnKeyDown(UINT nChar, UINT nRepCnt, UINT nFlags);
    afx_msg void OnActivate(UINT nState, CWnd* pWndOther, BOOL bMinimized);
    afx_msg void OnActivateApp(BOOL bActive, DWORD dwThreadID);
    afx_msg void OnKillFocus(CWnd* pNewWnd);
    afx_msg void OnCaptureChanged(CWnd* pWnd);
    DECLARE_MESSAGE_MAP()

private:
    void LayOutCells();
    void AddCell(const CRect& rect, UINT tipId, DWORD kind, UINT textId, COLORREF color);
    int CellFromPoint(CPoint point) const;
    // Sends the message to every notify window still there.
    void Notify(UINT message, COLORREF color);
    void RedrawCache();

    std::vector<HWND> m_notify;
    CToolTipCtrl m_tips;
    std::vector<Cell> m_cells;
    CUXCachedSurface m_cache;
    BOOL m_bCacheValid = FALSE;
    UINT m_nCommandId;
    CRect m_rcButton;
    int m_cxCell = 18;
    int m_cyCell = 18;
    HWND m_hWndParent = nullptr;
    DWORD m_dwOptions = 0;
    int m_nColumns = 8;
    int m_nRows = 0;
    int m_nColors = 16;
    int m_nLastIndex = 0;
    int m_nCurrent = -1;
    COLORREF m_clrCurrent = kNoColor;
    COLORREF m_clrDefault = kNoColor;
    BOOL m_bShadow = TRUE;
    CPoint m_ptLastMouse = CPoint(-1, -1);
    BOOL m_bDialogRunning = FALSE;
    BOOL m_bPressed = FALSE;
    BOOL m_bMouseInside = FALSE;   // the mouse has been over the cells since the pop-up opened
    BOOL m_bEnded = FALSE;
    BOOL m_bSelfDelete = FALSE;
};
