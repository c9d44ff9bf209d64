// Views: the windows that show a document inside a frame.
//
// A view is created by its frame from the template's run-time class (the create context names the
// document) and deletes itself when its window goes. It joins its document at creation and leaves it when
// deleted. WM_INITIALUPDATE, sent by the frame after a document was made or opened, runs OnInitialUpdate.
// Painting goes through OnPrepareDC and OnDraw. Commands reach the view, then its document.
#pragma once

#include "framework/win/Document.h"

class CView : public CWnd
{
    DECLARE_DYNAMIC(CView)
public:
    CView();
    ~CView() override;

    CDocument* GetDocument() const { return m_pDocument; }

    virtual void OnInitialUpdate();   // base: OnUpdate(nullptr, 0, nullptr)
    // The document changed (pSender: the view that changed it). Base: repaints the whole view.
    virtual void OnUpdate(CView* pSender, LPARAM lHint, CObject* pHint);
    virtual void OnDraw(CDC* pDC) = 0;
    // Sets the device context up for drawing (origin, mapping). Base: nothing.
    virtual void OnPrepareDC(CDC* pDC);
    // The frame made this view active (or another one). Base: an activated view takes the focus.
    virtual void OnActivateView(BOOL bActivate, CView* pActivateView, CView* pDeactiveView);

    BOOL PreCreateWindow(CREATESTRUCTA& cs) override;
    // The view's map, then its document's route.
    BOOL OnCmdMsg(UINT nID, int nCode, void* pExtra, AFX_CMDHANDLERINFO* pHandlerInfo) override;

protected:
    void PostNcDestroy() override;   // views delete themselves

    afx_msg int OnCreate(LPCREATESTRUCT lpCreateStruct);
    afx_msg void OnDestroy();
    afx_msg void OnPaint();
    afx_msg int OnMouseActivate(CWnd* pDesktopWnd, UINT nHitTest, UINT message);
    afx_msg LRESULT OnInitialUpdateMessage(WPARAM, LPARAM);

    CDocument* m_pDocument = nullptr;

    friend class CDocument;
    DECLARE_MESSAGE_MAP()
};

// A view larger than its window: scroll bars appear when the window is smaller than the total size and are
// recomputed whenever the window's size changes; the mouse wheel scrolls by lines. Sizes are given in the
// units of the mapping mode (MM_TEXT: pixels); OnPrepareDC moves the drawing origin to the scroll position.
class CScrollView : public CView
{
    DECLARE_DYNAMIC(CScrollView)
public:
    static const SIZE sizeDefault;   // {0, 0}: a page is a tenth of the total size, a line a tenth of a page

    CScrollView();
    void SetScrollSizes(int nMapMode, SIZE sizeTotal, const SIZE& sizePage = sizeDefault,
                        const SIZE& sizeLine = sizeDefault);
    CSize GetTotalSize() const { return m_totalLog; }
    void GetDeviceScrollSizes(int& nMapMode, SIZE& sizeTotal, SIZE& sizePage, SIZE& sizeLine) const;
    // The top-left corner of the visible part, in the mapping mode's units.
    CPoint GetScrollPosition() const;
    // Scrolls so that pt is the top-left corner (kept inside the scroll range).
    void ScrollToPosition(POINT pt);

    void OnPrepareDC(CDC* pDC) override;

protected:
    // Shows or hides the scroll bars and sets their ranges for the window's size; keeps the position inside
    // the new range.
    void UpdateBars();
    CPoint GetDeviceScrollPosition() const;
    void ScrollToDevicePosition(POINT ptDev);
    void OnScroll(int nBar, UINT nSBCode);

    afx_msg void OnSize(UINT nType, int cx, int cy);
    afx_msg void OnHScroll(UINT nSBCode, UINT nPos, CScrollBar* pScrollBar);
    afx_msg void OnVScroll(UINT nSBCode, UINT nPos, CScrollBar* pScrollBar);
    afx_msg BOOL OnMouseWheel(UINT nFlags, short zDelta, CPoint pt);

    int m_nMapMode = MM_TEXT;
    CSize m_totalLog;   // total size in logical units
    CSize m_totalDev;   // the same in pixels
    CSize m_pageDev;
    CSize m_lineDev;
    bool m_bInsideUpdate = false;
    int m_nWheelRemainder = 0;   // part of a wheel step not yet scrolled

    DECLARE_MESSAGE_MAP()
};
