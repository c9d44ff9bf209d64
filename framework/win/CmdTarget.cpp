// Command routing through message maps, command-UI updates and the wait cursor.
#include "framework/win/Framework.h"
#include "framework/win/ThreadLocal.h"

#include <unordered_map>

IMPLEMENT_DYNAMIC(CCmdTarget, CObject)

const AFX_MSGMAP* CCmdTarget::GetThisMessageMap()
{
    static const AFX_MSGMAP_ENTRY entries[] = {{AfxKindEnd, 0, 0, 0, 0, nullptr, nullptr, FALSE}};
    static const AFX_MSGMAP map = {nullptr, &entries[0]};
    return &map;
}

const AFX_MSGMAP* CCmdTarget::GetMessageMap() const
{
    return GetThisMessageMap();
}

static bool EntryMatches(const AFX_MSGMAP_ENTRY& e, UINT nKind, UINT nMessage, UINT nCode, UINT nID)
{
    switch (nKind)
    {
    case AfxKindMsg:
        if (e.nKind == AfxKindMsg)
            return e.nMessage == nMessage;
        return e.nKind == AfxKindRegistered && nMessage != 0 && e.pnRegistered != nullptr &&
               *e.pnRegistered == nMessage;
    case AfxKindCommand: return e.nKind == AfxKindCommand && e.nCode == nCode && nID >= e.nID && nID <= e.nLastID;
    case AfxKindUpdateUI: return e.nKind == AfxKindUpdateUI && nID >= e.nID && nID <= e.nLastID;
    case AfxKindNotify:
        return e.nKind == AfxKindNotify && LOWORD(e.nCode) == LOWORD(nCode) && nID >= e.nID && nID <= e.nLastID;
    case AfxKindReflectCommand: return e.nKind == AfxKindReflectCommand && e.nCode == nCode;
    case AfxKindReflectNotify: return e.nKind == AfxKindReflectNotify && LOWORD(e.nCode) == LOWORD(nCode);
    case AfxKindReflectMsg: return e.nKind == AfxKindReflectMsg && e.nMessage == nMessage;
    default: return false;
    }
}

const AFX_MSGMAP_ENTRY* CCmdTarget::FindMessageEntry(UINT nKind, UINT nMessage, UINT nCode, UINT nID,
                                                     const AFX_MSGMAP_ENTRY* after) const
{
    bool passed = after == nullptr;
    for (const AFX_MSGMAP* map = GetMessageMap(); map != nullptr;
         map = map->pfnGetBaseMap != nullptr ? map->pfnGetBaseMap() : nullptr)
    {
        for (const AFX_MSGMAP_ENTRY* e = map->lpEntries; e->nKind != AfxKindEnd; ++e)
        {
            if (!passed)
            {
                if (e == after)
                    passed = true;
                continue;
            }
            if (EntryMatches(*e, nKind, nMessage, nCode, nID))
                return e;
        }
    }
    return nullptr;
}

const AFX_MSGMAP_ENTRY* CCmdTarget::FindWindowMessageEntry(UINT nMessage) const
{
    // Registered ids (0xC000 and up) come from variables set at run time: those are looked up every time.
    if (nMessage >= 0xC000)
        return FindMessageEntry(AfxKindMsg, nMessage, 0, 0);
    typedef std::unordered_map<const AFX_MSGMAP*, std::unordered_map<UINT, const AFX_MSGMAP_ENTRY*>> Cache;
    static CThreadLocal<Cache> cache;
    auto& entries = cache.Get()[GetMessageMap()];
    auto it = entries.find(nMessage);
    if (it != entries.end())
        return it->second;
    const AFX_MSGMAP_ENTRY* entry = FindMessageEntry(AfxKindMsg, nMessage, 0, 0);
    entries.emplace(nMessage, entry);
    return entry;
}

BOOL CCmdTarget::OnCmdMsg(UINT nID, int nCode, void* pExtra, AFX_CMDHANDLERINFO* pHandlerInfo)
{
    UINT code = static_cast<UINT>(nCode);
    UINT kind = AfxKindCommand;
    UINT message = WM_COMMAND;
    if (code == CN_UPDATE_COMMAND_UI)
        kind = AfxKindUpdateUI;
    else if (HIWORD(code) == WM_NOTIFY)
    {
        kind = AfxKindNotify;
        message = WM_NOTIFY;
        code = LOWORD(code);
    }
    for (const AFX_MSGMAP_ENTRY* e = FindMessageEntry(kind, message, code, nID); e != nullptr;
         e = FindMessageEntry(kind, message, code, nID, e))
    {
        if (pHandlerInfo != nullptr)
        {
            pHandlerInfo->pTarget = this;
            return TRUE;
        }
        AFX_MSGARGS args = {message, 0, 0, nID, pExtra};
        CCmdUI* pCmdUI = kind == AfxKindUpdateUI ? static_cast<CCmdUI*>(pExtra) : nullptr;
        if (pCmdUI != nullptr)
            pCmdUI->m_bContinueRouting = FALSE;
        LRESULT handled = e->pfn(this, args);
        if (pCmdUI != nullptr && pCmdUI->m_bContinueRouting)
        {
            // The handler let the update go on to the next handler (here or further along the route).
            pCmdUI->m_bContinueRouting = FALSE;
            continue;
        }
        if (!e->bEx || handled != 0)
            return TRUE;
    }
    return FALSE;
}

// nCode 1 begins, -1 ends, 0 shows the wait cursor again (counted by the application when there is one).
static void WaitCursor(int nCode)
{
    if (CWinApp* app = AfxGetApp())
        app->DoWaitCursor(nCode);
    else if (nCode != 0)
        ::SetCursor(::LoadCursorA(nullptr, nCode > 0 ? IDC_WAIT : IDC_ARROW));
}

void CCmdTarget::BeginWaitCursor()
{
    WaitCursor(1);
}
void CCmdTarget::EndWaitCursor()
{
    WaitCursor(-1);
}
void CCmdTarget::RestoreWaitCursor()
{
    WaitCursor(0);
}

CWaitCursor::CWaitCursor()
{
    WaitCursor(1);
}
CWaitCursor::~CWaitCursor()
{
    WaitCursor(-1);
}
void CWaitCursor::Restore()
{
    WaitCursor(0);
}

// ---- CCmdUI ------------------------------------------------------------------------------------------

void CCmdUI::Enable(BOOL bOn)
{
    if (m_pMenu != nullptr)
    {
        if (m_pSubMenu == nullptr)
            m_pMenu->EnableMenuItem(m_nIndex, MF_BYPOSITION | (bOn ? MF_ENABLED : (MF_DISABLED | MF_GRAYED)));
    }
    else if (m_pOther != nullptr && m_pOther->m_hWnd != nullptr)
    {
        // Focus leaves a control that becomes disabled.
        if (!bOn && ::GetFocus() == m_pOther->m_hWnd)
        {
            HWND hParent = ::GetParent(m_pOther->m_hWnd);
            if (hParent != nullptr)
                ::SendMessageA(hParent, WM_NEXTDLGCTL, 0, FALSE);
        }
        m_pOther->EnableWindow(bOn);
    }
    m_bEnableChanged = TRUE;
}

void CCmdUI::SetCheck(int nCheck)
{
    if (m_pMenu != nullptr)
    {
        if (m_pSubMenu == nullptr)
            m_pMenu->CheckMenuItem(m_nIndex, MF_BYPOSITION | (nCheck ? MF_CHECKED : MF_UNCHECKED));
    }
    else if (m_pOther != nullptr && m_pOther->m_hWnd != nullptr)
    {
        if (m_pOther->SendMessage(WM_GETDLGCODE) & DLGC_BUTTON)
            m_pOther->SendMessage(BM_SETCHECK, static_cast<WPARAM>(nCheck));
    }
}

void CCmdUI::SetRadio(BOOL bOn)
{
    if (m_pMenu != nullptr)
    {
        if (m_pSubMenu != nullptr)
            return;
        MENUITEMINFOA info = {};
        info.cbSize = sizeof(info);
        info.fMask = MIIM_FTYPE | MIIM_STATE;
        if (!::GetMenuItemInfoA(m_pMenu->m_hMenu, m_nIndex, TRUE, &info))
            return;
        info.fMask = MIIM_FTYPE | MIIM_STATE;
        info.fType = bOn ? (info.fType | MFT_RADIOCHECK) : (info.fType & ~MFT_RADIOCHECK);
        info.fState = bOn ? (info.fState | MFS_CHECKED) : (info.fState & ~MFS_CHECKED);
        ::SetMenuItemInfoA(m_pMenu->m_hMenu, m_nIndex, TRUE, &info);
    }
    else
    {
        SetCheck(bOn ? 1 : 0);
    }
}

void CCmdUI::SetText(LPCSTR lpszText)
{
    if (lpszText == nullptr)
        lpszText = "";
    if (m_pMenu != nullptr)
    {
        if (m_pSubMenu != nullptr)
            return;
        MENUITEMINFOA info = {};
        info.cbSize = sizeof(info);
        info.fMask = MIIM_STRING;
        info.dwTypeData = const_cast<LPSTR>(lpszText);
        ::SetMenuItemInfoA(m_pMenu->m_hMenu, m_nIndex, TRUE, &info);
    }
    else if (m_pOther != nullptr && m_pOther->m_hWnd != nullptr)
    {
        CString current;
        m_pOther->GetWindowText(current);
        if (current != lpszText)
            m_pOther->SetWindowText(lpszText);
    }
}

BOOL CCmdUI::DoUpdate(CCmdTarget* pTarget, BOOL bDisableIfNoHndler)
{
    if (pTarget == nullptr || m_nID == 0)
        return TRUE;
    m_bEnableChanged = FALSE;
    BOOL bResult = pTarget->OnCmdMsg(m_nID, static_cast<int>(CN_UPDATE_COMMAND_UI), this, nullptr);
    if (bDisableIfNoHndler && !m_bEnableChanged)
    {
        AFX_CMDHANDLERINFO info = {nullptr};
        BOOL bHandler = pTarget->OnCmdMsg(m_nID, CN_COMMAND, this, &info);
        Enable(bHandler);
    }
    return bResult;
}

void AfxUpdateMenuCmdUI(CCmdTarget* pTarget, CMenu* pPopup, BOOL bDisableIfNoHndler)
{
    if (pTarget == nullptr || pPopup == nullptr || pPopup->m_hMenu == nullptr)
        return;
    CCmdUI state;
    state.m_pMenu = pPopup;
    state.m_nIndexMax = pPopup->GetMenuItemCount();
    for (state.m_nIndex = 0; state.m_nIndex < state.m_nIndexMax; ++state.m_nIndex)
    {
        UINT id = pPopup->GetMenuItemID(static_cast<int>(state.m_nIndex));
        if (id == 0 || id == static_cast<UINT>(-1))
            continue;   // separator or sub-menu
        state.m_nID = id;
        state.m_pSubMenu = nullptr;
        // System commands are never disabled for lack of a handler.
        state.DoUpdate(pTarget, bDisableIfNoHndler && id < 0xF000);
        // A handler may have removed or added items.
        UINT count = pPopup->GetMenuItemCount();
        if (count < state.m_nIndexMax)
        {
            UINT removed = state.m_nIndexMax - count;
            state.m_nIndex = removed > state.m_nIndex ? static_cast<UINT>(-1) : state.m_nIndex - removed;
        }
        state.m_nIndexMax = count;
    }
}
