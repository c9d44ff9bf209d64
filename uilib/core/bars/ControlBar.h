// CUXControlBar: the base of the library's bars. It draws the gripper and borders in the library's colours,
// paints client and non-client areas off screen, keeps three bar fonts at 8 points and an extra bar style
// word, answers the docked-side queries, offers the bar menu (a right click lists the frame's bars to show or
// hide) and speaks the four private messages of a hosting rebar.
#pragma once

#include "framework/win/Framework.h"

#include <memory>
#include <vector>

class CUXWndHook;

// A visibility listener: told after a delayed show (TRUE) or hide (FALSE) of the bar.
class CUXBarVisibilityListener
{
public:
    virtual ~CUXBarVisibilityListener() = default;
    virtual void OnBarDelayShow(BOOL show) = 0;
};
// Makes the dock context of a bar whose docking is enabled.
typedef CDockContext* (*UXDockContextFactory)(CControlBar* pBar);

class CUXControlBar : public CControlBar
{
    DECLARE_DYNAMIC(CUXControlBar)
public:
    // Extra bar style: the double gripper; the other bits belong to the docking windows.
    enum
    {
        kExtraDoubleGripper = 0x04,
        kExtraDefault = 0x23
    };
    // Where the bar menu lists a bar (GetBarMenuGroup).
    enum BarMenuGroup
    {
        kNotListed,
        kDockingWindows,
        kToolBars,
        kOtherBars,
        kStatusBars
    };

    CUXControlBar();
    ~CUXControlBar() override;

    BOOL SetStatusText(INT_PTR nHit) override;
    virtual void SetBorders(int left, int top, int right, int bottom);
    virtual void SetBorders(const CRect& rect);
    virtual CRect GetBorders() const;
    virtual DWORD GetExtraBarStyle() const { return m_dwExtraStyle; }
    virtual void SetExtraBarStyle(DWORD style) { m_dwExtraStyle = style; }
    virtual BOOL ModifyExtraBarStyle(DWORD remove, DWORD add, BOOL redraw);
    // The menu a right click shows: a menu resource and the index of its sub-menu (0: the generated bar menu).
    virtual void SetMenuID(UINT nIDResource, int subMenu = 0);
    virtual UINT GetMenuID() const { return m_nMenuID; }
    void DrawGripper(CDC* pDC, const CRect& rect) override;
    void DrawBorders(CDC* pDC, CRect& rect) override;
    virtual BOOL IsDockedLeft() const;
    virtual BOOL IsDockedRight() const;
    virtual BOOL IsDockedTop() const;
    virtual BOOL IsDockedBottom() const;
    virtual BOOL IsDockedHorz() const { return IsDockedTop() || IsDockedBottom(); }
    virtual BOOL IsDockedVert() const { return IsDockedLeft() || IsDockedRight(); }
    virtual BOOL IsFloating() const { return !IsDockedHorz() && !IsDockedVert(); }
    virtual COLORREF GetBackColor() const;
    // Asked by the dock context: FALSE for a plain bar.
    virtual BOOL IsDockQuery() const { return m_bQueryFlag; }
    virtual BOOL GetReBarBandInfo(REBARBANDINFOA* info, BOOL horizontal);
    virtual void OnReBarNotify(LPARAM value, BOOL flag);
    virtual BOOL OnReBarQuery() { return FALSE; }
    virtual BOOL OnDockContextQuery(LPARAM) { return FALSE; }
    // Moves the bar's hook object (set by docking) onto the window, or onto the frame the bar now lives in
    // when that is not the frame it was made in.
    virtual void AttachHook(CWnd* pWnd);
    // The bar keeps the hook object docking moves about (null: none; a hook held before goes).
    void SetHook(std::unique_ptr<CUXWndHook> pHook);
    CUXWndHook* GetHook() const { return m_pHook.get(); }
    virtual void UpdateBarFont();
    virtual BOOL IsCursorInGripper() const;
    // Builds and tracks the menu of the frame's bars at point (screen co-ordinates).
    virtual void ShowBarMenu(CPoint point, CFrameWnd* pFrame);
    // The menu of the frame's bars (checked while visible; a bar's id toggles it), ending in "Customize..."
    // with bCustomize; tracked at point (screen co-ordinates) when it has an entry.
    static void TrackBarMenu(CPoint point, CFrameWnd* pFrame, BOOL bCustomize);
    virtual void DrawNonClient();
    // The group the bar menu lists this bar in.
    virtual BarMenuGroup GetBarMenuGroup() const { return kOtherBars; }

    // Keeps the sides; a bar without a dock context gets the library's (see SetDockContextFactory).
    void EnableDocking(DWORD dwDockStyle) override;
    // The library's docking layer, which lies above this one, installs the maker of its dock context here;
    // without one bars get the framework's.
    static void SetDockContextFactory(UXDockContextFactory factory) { s_pfnDockContextFactory = factory; }
    void DelayShow(BOOL bShow) override;
    // Listeners of delayed shows and hides.
    void AddVisibilityListener(CUXBarVisibilityListener* listener);
    void RemoveVisibilityListener(CUXBarVisibilityListener* listener);

    // The flat look of the look data (a bar in a rebar draws classically).
    BOOL IsFlatLookOn() const;
    // The parent window's id among the frame's dock bars.
    UINT GetDockBarID() const;
    CFont& GetHorzFont() { return m_fontHorz; }
    CFont& GetVertFont() { return m_fontVert; }
    CFont& GetBoldFont() { return m_fontBold; }

    CSize m_sizeDefault[4];
    DWORD m_dwExtraStyle = kExtraDefault;
    CFrameWnd* m_pCreationFrame = nullptr;
    int m_nMenuSubIndex = 0;
    UINT m_nMenuID = 0;
    BOOL m_bInReBar = FALSE;
    BOOL m_bContextMenu = TRUE;
    BOOL m_bQueryFlag = FALSE;

protected:
    afx_msg void OnWindowPosChanging(WINDOWPOS* lpwndpos);
    afx_msg void OnRButtonDown(UINT nFlags, CPoint point);
    afx_msg BOOL OnEraseBkgnd(CDC* pDC);
    afx_msg void OnNcPaint();
    afx_msg void OnPaint();
    afx_msg int OnCreate(LPCREATESTRUCT lpCreateStruct);
    afx_msg BOOL OnSetCursor(CWnd* pWnd, UINT nHitTest, UINT message);
    afx_msg void OnDestroy();
    afx_msg LRESULT OnIdleUpdateCmdUI(WPARAM wParam, LPARAM lParam);
    afx_msg LRESULT OnReBarBandInfoMsg(WPARAM wParam, LPARAM lParam);
    afx_msg LRESULT OnReBarNotifyMsg(WPARAM wParam, LPARAM lParam);
    afx_msg LRESULT OnReBarQueryMsg(WPARAM wParam, LPARAM lParam);
    afx_msg LRESULT OnDockQueryMsg(WPARAM wParam, LPARAM lParam);
    DECLARE_MESSAGE_MAP()

private:
    static UXDockContextFactory s_pfnDockContextFactory;

    std::vector<CUXBarVisibilityListener*> m_listeners;
    std::unique_ptr<CUXWndHook> m_pHook;
    CFont m_fontHorz;
    CFont m_fontVert;
    CFont m_fontBold;
};
