#include "uilib/frames/FrameWindows.h"

#include "uilib/core/base/LibraryIds.h"
#include "uilib/frames/ToolsManager.h"
#include "uilib/frames/WindowList.h"

template <class TBase>
void CUXFrameOf<TBase>::OnToolsCommand(UINT nID)
{
    GetToolsManager().RunTool(nID);
}

template class CUXFrameOf<CFrameWnd>;
template class CUXFrameOf<CMDIFrameWnd>;
template class CUXFrameOf<CMDIChildWnd>;

// What the single-document and the MDI frame both answer. (The bars' show and hide commands, 0xE800 to
// 0xE8FF, come with the framework's frame.)
#define UX_FRAME_ENTRIES()                                                         \
    ON_WM_CREATE()                                                                 \
    ON_WM_SYSCOLORCHANGE()                                                         \
    ON_WM_SETTINGCHANGE()                                                          \
    ON_WM_INITMENUPOPUP()                                                          \
    ON_COMMAND(ID_UX_CUSTOMIZE, OnCustomize)                                       \
    ON_COMMAND_RANGE(ID_UX_TOOLS_FIRST, ID_UX_TOOLS_LAST, OnToolsCommand)          \
    ON_UPDATE_COMMAND_UI_RANGE(ID_UX_TOOLS_FIRST, ID_UX_TOOLS_LAST, OnUpdateTools) \
    ON_UPDATE_COMMAND_UI(ID_UX_FULL_MENUS, OnUpdateFullMenus)                      \
    ON_MESSAGE(UXM_RAISE_POPUPS, OnRaisePopups)                                    \
    ON_MESSAGE(WM_IDLEUPDATECMDUI, OnIdleUpdateCmdUI)

// ---- CUXFrameWnd -----------------------------------------------------------------------------------------

IMPLEMENT_DYNCREATE(CUXFrameWnd, CFrameWnd)

BEGIN_MESSAGE_MAP(CUXFrameWnd, CFrameWnd)
    UX_FRAME_ENTRIES()
END_MESSAGE_MAP()

// ---- CUXMDIFrameWnd --------------------------------------------------------------------------------------

IMPLEMENT_DYNCREATE(CUXMDIFrameWnd, CMDIFrameWnd)

BEGIN_MESSAGE_MAP(CUXMDIFrameWnd, CMDIFrameWnd)
    UX_FRAME_ENTRIES()
    ON_COMMAND(ID_UX_MORE_WINDOWS, OnMoreWindows)
END_MESSAGE_MAP()

void CUXMDIFrameWnd::OnMoreWindows()
{
    CUXWindowList dialog(this);
    dialog.DoModal();
}

// ---- CUXMDIChildWnd --------------------------------------------------------------------------------------

IMPLEMENT_DYNCREATE(CUXMDIChildWnd, CMDIChildWnd)

BEGIN_MESSAGE_MAP(CUXMDIChildWnd, CMDIChildWnd)
    ON_WM_CREATE()
    ON_COMMAND(ID_UX_CUSTOMIZE, OnCustomize)
    ON_UPDATE_COMMAND_UI(ID_UX_FULL_MENUS, OnUpdateFullMenus)
END_MESSAGE_MAP()

int CUXMDIChildWnd::OnCreate(LPCREATESTRUCT lpCreateStruct)
{
    if (CMDIChildWnd::OnCreate(lpCreateStruct) == -1)
        return -1;
    m_childCoolMenu.Install(this);
    return 0;
}

void CUXMDIChildWnd::OnCustomize()
{
    CWnd* pMain = AfxGetMainWnd();
    if (pMain != nullptr && pMain->IsKindOf(RUNTIME_CLASS(CFrameWnd)))
        CUXFrameImpl::OnCustomize(static_cast<CFrameWnd*>(pMain));
}

void CUXMDIChildWnd::ActivateFrame(int nCmdShow)
{
    // The first child window that is a view.
    for (HWND hWnd = ::GetWindow(m_hWnd, GW_CHILD); hWnd != nullptr; hWnd = ::GetWindow(hWnd, GW_HWNDNEXT))
    {
        CWnd* pWnd = CWnd::FromHandlePermanent(hWnd);
        if (pWnd != nullptr && pWnd->IsKindOf(RUNTIME_CLASS(CView)))
        {
            if (GetActiveView() != pWnd)
                SetActiveView(static_cast<CView*>(pWnd));
            break;
        }
    }
    CMDIChildWnd::ActivateFrame(nCmdShow);
}
