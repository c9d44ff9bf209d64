#include "MenuTestFrame.h"

bool CMenuTestFrame::s_keysInCreate = false;

BEGIN_MESSAGE_MAP(CMenuTestFrame, CUXMDIFrameWnd)
    ON_WM_CREATE()
    ON_WM_ENTERIDLE()
    ON_MESSAGE(WM_APP + 1, OnMenuIdleAgain)
    ON_COMMAND_RANGE(ID_UX_MORE_WINDOWS, ID_UX_MORE_WINDOWS, OnWindowCommand)
    ON_COMMAND_RANGE(ID_MT_NEW, ID_MT_HIDDEN, OnTestCommand)
    ON_UPDATE_COMMAND_UI_RANGE(ID_MT_NEW, ID_MT_HIDDEN, OnUpdateTestCommand)
END_MESSAGE_MAP()
