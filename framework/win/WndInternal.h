// What the files of CWnd share: the per-thread state of message handling; nothing else includes it.
#pragma once

#include "framework/win/Framework.h"

#include <unordered_map>
#include <utility>
#include <vector>

namespace WndInternal
{
// What a thread needs while it handles messages.
struct VxThreadState
{
    MSG msgCur = {};
    CWnd* pWndInit = nullptr;   // the object the next created window attaches to
    // The objects whose windows are being created (creations nest), and whether each got its last message
    // already (an object that deletes itself then is gone when the creation call returns).
    std::vector<std::pair<CWnd*, bool>> creating;
    HHOOK hHookCbt = nullptr;
    std::unordered_map<HWND, CWnd*> tempWnds;
    int loopDepth = 0;           // message loops running on this thread (Run and modal loops)
    HMENU hMenuInit = nullptr;   // the pop-up menu last announced by WM_INITMENUPOPUP (its items come next)

    // A thread that ends takes its temporary wrappers with it.
    ~VxThreadState()
    {
        for (auto& entry : tempWnds)
            delete entry.second;
    }
};

VxThreadState& ThreadState();
bool IsChildStyle(HWND hWnd);

}   // namespace WndInternal
