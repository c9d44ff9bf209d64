// The resize engine: lets a dialog, property sheet or page be resized by the user. Each registered child has an
// anchor of four factors saying how much of the window's change in width (left, right) and height (top,
// bottom) each of its edges follows: (0, 0, 0, 0) stays, (1, 1, 1, 1) moves with the bottom-right corner,
// (0, 0, 1, 1) stretches. The engine keeps a minimum (and optional maximum) size, shows a size grip in the
// bottom-right corner and can keep the window's placement in the application's profile.
#pragma once

#include "framework/win/Framework.h"

#include <cstdint>

struct CUXAnchorRect
{
    float left = 0;
    float top = 0;
    float right = 0;
    float bottom = 0;

    CUXAnchorRect() = default;
    CUXAnchorRect(float l, float t, float r, float b) : left(l), top(t), right(r), bottom(b) {}
    CUXAnchorRect& operator+=(const CUXAnchorRect& other)
    {
        left += other.left;
        top += other.top;
        right += other.right;
        bottom += other.bottom;
        return *this;
    }
};

struct CUXAnchorPoint
{
    float x = 0;
    float y = 0;
};

// A rectangle in single precision (items keep their edges unrounded, so that fractional anchors add up).
struct CUXFloatRect
{
    float left = 0;
    float top = 0;
    float right = 0;
    float bottom = 0;
};

// One registered child. Its window is that of the object it was registered with (a page not created yet gets
// its window later), else the plain handle of the dialog item.
struct CUXResizeItem
{
    CWnd* m_pWnd = nullptr;
    HWND m_hWnd = nullptr;
    CUXAnchorRect m_anchor;
    CUXFloatRect m_rcCurrent;
    CUXFloatRect m_rcInitial;
    int m_bStarted = 0;

    HWND GetHwnd() const { return m_pWnd != nullptr ? m_pWnd->m_hWnd : m_hWnd; }
};

// The stored placement ("WindowPlacement"): the system's placement record as 44 bytes.
struct CUXStoredPlacement
{
    uint32_t length;
    uint32_t flags;
    uint32_t showCmd;
    int32_t minX, minY;
    int32_t maxX, maxY;
    int32_t left, top, right, bottom;
};
static_assert(sizeof(CUXStoredPlacement) == 44, "the stored window placement is 44 bytes");

// The grip in the bottom-right corner: pressing it starts the system's own sizing of the parent.
class CUXSizeGrip : public CStatic
{
public:
    enum
    {
        kSize = 16,
        kControlId = 0x7FFF
    };
    BOOL CreateGrip(CWnd* parent);

protected:
    afx_msg BOOL OnSetCursor(CWnd* pWnd, UINT nHitTest, UINT message);
    afx_msg void OnMouseMove(UINT nFlags, CPoint point);
    afx_msg void OnLButtonDown(UINT nFlags, CPoint point);
    afx_msg LRESULT OnNcHitTest(CPoint point);
    DECLARE_MESSAGE_MAP()

private:
    CBitmap m_bitmap;
};

class CUXResizeEngine
{
public:
    enum Flags
    {
        kNoGrip = 0x01,
        kFixedWidth = 0x02,
        kFixedHeight = 0x04,
        kNoMinSize = 0x08,
        kNoClipChildren = 0x10,
        kNoTransparentGroups = 0x20
    };

    // window: the window being resized (the dialog, sheet or page the engine is a base of).
    explicit CUXResizeEngine(CWnd* window, int flags = 0);
    virtual ~CUXResizeEngine();
    CUXResizeEngine(const CUXResizeEngine&) = delete;
    CUXResizeEngine& operator=(const CUXResizeEngine&) = delete;

    // Registers the child (the dialog item id when window is null); a child registered again gets the new
    // anchor added to its anchor.
    void SetChildAnchor(UINT id, CWnd* window, const CUXAnchorRect& anchor);
    void SetChildAnchor(UINT id, const CUXAnchorRect& anchor) { SetChildAnchor(id, nullptr, anchor); }
    // Registers a window (perhaps without its window yet) with a rectangle in the parent's client area.
    void AddItem(CWnd* window, const CUXAnchorRect& anchor, const CRect& rect);
    // Forgets the items and takes the window's present size as the initial one (see the file comment).
    void InitLayout();
    // Lays every item out for the window's present size.
    void Resize();
    // Every item back to its initial rectangle, laid out afresh at the next Resize.
    void ResetItems();
    void GetMinMaxInfo(MINMAXINFO* info);
    // Remembers the profile section and restores the placement stored there; TRUE when one was restored.
    BOOL UsePlacementSection(LPCSTR section);
    BOOL RestorePlacement(LPCSTR section);
    BOOL StorePlacement(LPCSTR section);
    void AddFlags(int bits) { m_nResizeFlags |= bits; }
    int GetFlags() const { return m_nResizeFlags; }
    void SetMinSize(int width, int height)
    {
        m_nMinWidth = width;
        m_nMinHeight = height;
    }
    void SetMaxSize(int width, int height)
    {
        m_nMaxWidth = width;
        m_nMaxHeight = height;
    }
    const CString& GetPlacementSection() const { return m_strSection; }
    int GetItemCount() const { return static_cast<int>(m_items.GetSize()); }
    // The item of a window, or null.
    CUXResizeItem* FindItem(HWND hWnd) const;
    CUXSizeGrip& GetSizeGrip() { return m_grip; }

protected:
    // The message handlers of the classes built on the engine: the minimum and maximum tracking size, the
    // layout after a size change and the placement kept when the window goes.
    void HandleSize() { Resize(); }
    void HandleDestroy();

    void DeleteItems();
    CUXResizeItem* GetItem(int index) const { return static_cast<CUXResizeItem*>(m_items[index]); }
    // The window rectangle of a child in the client co-ordinates of the resized window.
    CRect ChildRect(HWND child) const;

    CPtrArray m_items;
    CWnd* m_pResizeWnd;
    int m_nResizeFlags;
    CRect m_rcLast;
    CRect m_rcInitial;
    int m_nMinWidth = 0;
    int m_nMinHeight = 0;
    int m_nMaxWidth = 0;
    int m_nMaxHeight = 0;
    CUXSizeGrip m_grip;
    CString m_strSection;
};
