// CUXCustomToolBar: a tool bar the user made. It starts empty and customizable, keeps its title, and is listed
// among the frame's custom bars when the customize centre saves them ("CustomBars-Info"); its buttons come
// back through its own stored layout.
#pragma once

#include "uilib/core/ToolBar.h"

class CUXCustomToolBar : public CUXToolBar
{
    DECLARE_DYNCREATE(CUXCustomToolBar)
public:
    CUXCustomToolBar();
    ~CUXCustomToolBar() override;

    const CString& GetTitle() const { return m_strTitle; }
    // The title, also as the window text.
    void SetTitle(LPCSTR lpszTitle);

protected:
    afx_msg int OnCreate(LPCREATESTRUCT lpCreateStruct);
    DECLARE_MESSAGE_MAP()

    static LRESULT ReportCustomBar(void* object, WPARAM wParam, LPARAM lParam);

    CString m_strTitle;
};
