// Report lists with a flat header: a sort arrow and a right-click menu on the header, columns that can be kept
// at their widths, column widths remembered in the settings store, and flicker-free painting in the list's
// own colours. The behaviour lives in CUXListMixin, which a list class carries beside its CListCtrl base;
// CUXListCtrl is that list.
#pragma once

#include "framework/win/Framework.h"
#include "uilib/core/lists/HeaderCtrl.h"

#include <vector>

class CUXListMixin
{
public:
    CUXListMixin();
    virtual ~CUXListMixin();
    CUXListMixin(const CUXListMixin&) = delete;
    CUXListMixin& operator=(const CUXListMixin&) = delete;

    // Shows the sort arrow state on the flat header (when the list's header is one); the previous sort
    // column, or -1.
    virtual int SetSortImage(int column, BOOL ascending);
    // The width stored for a column; -1 when the stored value has no usable width there (missing, empty,
    // not a number, negative or beyond what a column can hold).
    virtual int GetStoredColumnWidth(int column);
    // Gives the column its stored width; a column without one keeps its width.
    virtual void ApplyStoredColumnWidth(int column);
    // In report view: every column gets its stored width; returns the column count (0 without a header).
    virtual int ApplyStoredColumnWidths();
    // Writes the columns' widths as "w0,w1,...," to the section and entry set by SetColumnStorage.
    virtual void StoreColumnWidths();
    // Sizes one column (every column when negative) to its contents and header text, within the limits.
    virtual void FitColumnWidths(int column = -1);
    // Where the widths live (null: "Settings", "Column Info" and an empty default); applies them now and
    // stores them when the list window is destroyed.
    virtual void SetColumnStorage(LPCSTR section = nullptr, LPCSTR entry = nullptr, LPCSTR defaultValue = nullptr);
    // In report view, once: puts the flat header on the list's header window.
    virtual BOOL SubclassHeader(BOOL boldFont = FALSE);
    // Called after the user chose a new sort from the header; lists that sort override it.
    virtual BOOL SortList(int column, BOOL ascending);
    virtual void AddExtendedStyle(DWORD bits);
    virtual DWORD GetExtendedStyle();
    // With fixed widths the user can neither drag a divider nor size a column by double-clicking one.
    virtual void SetFixedWidths(BOOL fixed);
    // The item under the point; in report view also the column (through column), -1 when no row is there.
    virtual int HitTestEx(CPoint point, int* column);
    // Appends a column in report view (width -1: as wide as the last column); its index, or -1.
    virtual int AddColumn(LPCSTR text, int width = -1, int format = LVCFMT_LEFT);
    // Appends columns whose texts come from the string table / from texts; FALSE at the first that fails.
    virtual BOOL AddColumnsFromIds(int count, const int* widths, const UINT* stringIds);
    virtual BOOL AddColumns(int count, const int* widths, const LPCSTR* texts);
    // Colours of the rows that are not selected, and of the list's background.
    virtual void SetColors(COLORREF text, COLORREF background);
    // The header's column count in report view, else -1.
    virtual int GetColumnCount();
    // Inserts a copy of item from (text, image, data, the sub-item texts) at to; returns where the source
    // item now stands, -1 when nothing was copied.
    virtual int CopyItem(int from, int to);
    // Copies the item, then deletes the source; whether both succeeded.
    virtual BOOL MoveItem(int from, int to);
    // A notification of the list's header before the list's own handling; TRUE when it goes no further
    // (result holds the answer then).
    virtual BOOL FilterHeaderNotify(WPARAM wParam, NMHDR* header, LRESULT* result);
    // Gives the list the library's normal font (when the font flag is set).
    virtual void UpdateFont();

    // Custom draw of the list's rows: rows that are not selected take the mix-in's colours.
    LRESULT CustomDraw(NMLVCUSTOMDRAW* draw);

    CListCtrl* GetListCtrl() const { return m_pList; }
    // The flat header once SubclassHeader attached it, else null.
    CUXFlatHeaderCtrl* GetFlatHeader();
    int GetSortColumn() const { return m_nSortColumn; }
    BOOL IsSortAscending() const { return m_bSortAscending; }
    void SetMinColumnWidth(int width) { m_nMinColumnWidth = width; }
    int GetMaxColumnWidth() const { return m_nMaxColumnWidth; }
    void RefreshMaxColumnWidth();
    // When off, the mix-in never sets the list's font.
    void SetUseLibraryFont(BOOL use) { m_nFontFlag = use ? 1 : 0; }
    COLORREF GetTextColor() const { return m_clrText; }
    COLORREF GetBackColor() const { return m_clrBack; }
    BOOL IsSaveOnDestroy() const { return m_bSaveOnDestroy; }

protected:
    BOOL IsReportView() const;
    HWND GetHeaderWindow() const;
    // The stored value split at its commas, each field read as a width (-1 for none).
    std::vector<int> ReadStoredWidths();

    int m_nFontFlag = 1;
    CListCtrl* m_pList = nullptr;
    int m_nMinColumnWidth = 0;
    int m_nMaxColumnWidth = 0;
    int m_nSortColumn = -1;
    CUXFlatHeaderCtrl m_header;
    CString m_strSection;
    CString m_strEntry;
    CString m_strDefault;
    COLORREF m_clrText;
    COLORREF m_clrBack;
    BYTE m_bFixedWidths = 0;
    BYTE m_bSortAscending = 1;
    BYTE m_bSaveOnDestroy = 0;
};

class CUXListCtrl : public CListCtrl, public CUXListMixin
{
    DECLARE_DYNAMIC(CUXListCtrl)
public:
    CUXListCtrl();

    using CUXListMixin::GetExtendedStyle;

protected:
    void PreSubclassWindow() override;
    BOOL OnNotify(WPARAM wParam, LPARAM lParam, LRESULT* pResult) override;

    afx_msg void OnCustomDraw(NMHDR* pNMHDR, LRESULT* pResult);
    afx_msg void OnPaint();
    afx_msg BOOL OnEraseBkgnd(CDC* pDC);
    afx_msg void OnSettingChange(UINT uFlags, LPCSTR lpszSection);
    afx_msg void OnDestroy();
    afx_msg void OnHScroll(UINT nSBCode, UINT nPos, CScrollBar* pScrollBar);
    afx_msg void OnVScroll(UINT nSBCode, UINT nPos, CScrollBar* pScrollBar);
    afx_msg LRESULT OnFirstInit(WPARAM wParam, LPARAM lParam);
    DECLARE_MESSAGE_MAP()

    int m_nFirstInit = 1;
};
