// CUXCustomToolBar: a tool bar the user made. It starts empty and customizable, keeps its title, and is listed
// among the frame's custom bars when the customize centre saves them ("CustomBars-Info"); its buttons come
// back through its own stored layout. The customize dialog may rename and delete it as well as hide and reset it.
#pragma once

#include "uilib/core/bars/ToolBar.h"

class CUXCustomToolBar : public CUXToolBar
{
    DECLARE_DYNCREATE(CUXCustomToolBar)
public:
    CUXCustomToolBar();
    ~CUXCustomToolBar() override;

    const CString& GetTitle() const { return m_strTitle; }
    // The title, also as the window text.
    void SetTitle(LPCSTR lpszTitle);
    // A new title (unless it equals the old one but for case): the window text and a floating frame's
    // caption follow.
    void Rename(LPCSTR lpszName);
    // Destroys the bar and forgets its stored layout.
    void Delete();
    void GetCustomizeDescriptor(CUXBarDescriptor& descriptor) override;

protected:
    afx_msg int OnCreate(LPCREATESTRUCT lpCreateStruct);
    DECLARE_MESSAGE_MAP()

    void OnReportCustomBars(CFrameWnd* pFrame, std::vector<CUXToolBar*>& bars) override;

    CString m_strTitle;
};
