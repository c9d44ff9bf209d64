// CUXExpButton: the chevron at the end of a tool bar. Its glyphs tell what it offers: the buttons hidden
// because the bar is too short (two arrows) and customization (a triangle). A press opens the pop-up of
// hidden buttons; its command is the frame's customize command.
#pragma once

#include "uilib/core/dialogs/Button.h"

class CUXToolBar;

class CUXExpButton : public CUXButton
{
    DECLARE_DYNAMIC(CUXExpButton)
public:
    CUXExpButton();
    ~CUXExpButton() override;

    // An owner-drawn child of the bar with the customize command's id.
    BOOL Create(CUXToolBar* pBar);
    CUXToolBar* GetBar() const { return m_pBar; }
    BOOL IsPopupOpen() const { return m_pPopup != nullptr; }
    // The open pop-up of hidden buttons (a CUXExpMenuWnd), or null.
    CWnd* GetPopup() const { return m_pPopup; }
    // Enabled while the bar has hidden buttons or can be customized; the look's button style.
    void UpdateState();

    void DrawItem(LPDRAWITEMSTRUCT lpDrawItemStruct) override;
    void DrawButtonBitmap(CDC* dc, UINT itemState, CRect& rect) override;

protected:
    // Opens the pop-up of the bar's hidden buttons over the rectangle (screen co-ordinates); the pop-up
    // tells the button with UXM_POPUP_CLOSED when it goes. FALSE when none opened.
    virtual BOOL OpenPopup(const CRect& rect);
    void DrawGlyphs(CDC* dc, const CRect& rect, BOOL disabled, BOOL pressed);

    afx_msg void OnLButtonDown(UINT nFlags, CPoint point);
    afx_msg void OnCancelMode();
    afx_msg LRESULT OnPopupClosed(WPARAM wParam, LPARAM lParam);
    afx_msg void OnClicked();
    DECLARE_MESSAGE_MAP()

    CUXToolBar* m_pBar = nullptr;
    CWnd* m_pPopup = nullptr;   // the open pop-up, which deletes itself
};
