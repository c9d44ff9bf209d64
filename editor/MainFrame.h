// The editor's main window: the frame of the slide view with the editor's flat tool bar. Its close first
// stops the thumbnail worker (and waits for it), then asks whether to save; it also hears the update
// manager's answer.
#pragma once

#include "framework/win/Framework.h"
#include "uilib/core/bars/ToolBar.h"

// The update manager's registered message ("QDLM_UpgradeManager"); registered when the program starts.
extern const UINT g_nUpgradeManagerMessage;

class CMainFrame : public CFrameWnd
{
    DECLARE_DYNCREATE(CMainFrame)
public:
    enum
    {
        FRAME_WIDTH = 790,
        FRAME_HEIGHT = 565,
    };

    CMainFrame();
    ~CMainFrame() override;

    BOOL PreCreateWindow(CREATESTRUCTA& cs) override;

    // Where the frame goes on a desktop of that size: centred, 790 x 565.
    static CRect GetStartRect(const CRect* desktop);
    CUXToolBar& GetToolBar() { return m_wndToolBar; }

protected:
    afx_msg int OnCreate(LPCREATESTRUCT lpCreateStruct);
    afx_msg void OnClose();
    afx_msg void OnInitMenu(CMenu* pMenu);
    afx_msg LRESULT OnUpgradeManagerMessage(WPARAM wParam, LPARAM lParam);

    CUXToolBar m_wndToolBar;
    CImageList m_disabledImages;
    CBitmap m_disabledBitmap;
    UINT m_nDisabledBitmapID;

    DECLARE_MESSAGE_MAP()
};
