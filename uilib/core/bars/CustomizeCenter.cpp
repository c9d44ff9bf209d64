#include "uilib/core/bars/CustomizeCenter.h"

#include "uilib/core/bars/CommandDragLoop.h"
#include "uilib/core/base/Crc32.h"
#include "uilib/core/bars/CustomToolBar.h"
#include "uilib/core/base/LibraryIds.h"
#include "uilib/core/base/SettingsStore.h"

#include <algorithm>
#include <memory>

namespace
{
const char kCustomBarsEntry[] = "CustomBars-Info";
const DWORD kCustomBarsVersion = 1;
const UINT kFirstCustomBar = 0xE800;
const UINT kLastCustomBar = 0xE8FF;
// The smallest record: an id and an empty title.
const UINT kSmallestRecord = 4 + 1;

BOOL HasControlBar(CFrameWnd* pFrame, UINT nID)
{
    for (POSITION pos = pFrame->m_listControlBars.GetHeadPosition(); pos != nullptr;)
    {
        CControlBar* bar = pFrame->m_listControlBars.GetNext(pos);
        if (bar != nullptr && bar->m_hWnd != nullptr && static_cast<UINT>(bar->GetDlgCtrlID()) == nID)
            return TRUE;
    }
    return FALSE;
}
}   // namespace

CUXCustomizeCenter& GetCustomizeCenter()
{
    static std::unique_ptr<CUXCustomizeCenter> center(new CUXCustomizeCenter);
    return *center;
}

CUXCustomizeCenter::CUXCustomizeCenter() = default;

CUXCustomizeCenter::~CUXCustomizeCenter() = default;

void CUXCustomizeCenter::Register(CallbackKind kind, CUXCustomizeListener* listener)
{
    if (kind < 0 || kind >= kCallbackKinds || listener == nullptr)
        return;
    std::vector<CUXCustomizeListener*>& list = m_listeners[kind];
    if (std::find(list.begin(), list.end(), listener) == list.end())
        list.push_back(listener);
}

void CUXCustomizeCenter::Unregister(CallbackKind kind, CUXCustomizeListener* listener)
{
    if (kind < 0 || kind >= kCallbackKinds)
        return;
    std::vector<CUXCustomizeListener*>& list = m_listeners[kind];
    list.erase(std::remove(list.begin(), list.end(), listener), list.end());
    if (list.empty())
        std::vector<CUXCustomizeListener*>().swap(list);   // an empty kind holds no storage
}

BOOL CUXCustomizeCenter::IsRegistered(const CUXCustomizeListener* listener) const
{
    for (const std::vector<CUXCustomizeListener*>& list : m_listeners)
        if (std::find(list.begin(), list.end(), listener) != list.end())
            return TRUE;
    return FALSE;
}

int CUXCustomizeCenter::GetCount(CallbackKind kind) const
{
    return kind >= 0 && kind < kCallbackKinds ? static_cast<int>(m_listeners[kind].size()) : 0;
}

template <class Call>
void CUXCustomizeCenter::CallUntil(CallbackKind kind, Call call) const
{
    const std::vector<CUXCustomizeListener*>& current = m_listeners[kind];
    std::vector<CUXCustomizeListener*> list = current;
    for (CUXCustomizeListener* listener : list)
        if (std::find(current.begin(), current.end(), listener) != current.end() && call(*listener))
            return;
}

template <class Call>
void CUXCustomizeCenter::CallEach(CallbackKind kind, Call call) const
{
    CallUntil(kind,
              [&](CUXCustomizeListener& listener)
              {
                  call(listener);
                  return false;
              });
}

BOOL CUXCustomizeCenter::FindCommandImages(UINT nID, CUXCommandImageMap& images) const
{
    BOOL found = FALSE;
    CallUntil(kCommandImages, [&](CUXCustomizeListener& l) { return found = l.OnCommandImages(nID, images); });
    return found;
}

void CUXCustomizeCenter::DescribeBars(CUXCommandCategories& bars) const
{
    CallEach(kBarDescription, [&](CUXCustomizeListener& l) { l.OnDescribeBar(bars); });
}

HMENU CUXCustomizeCenter::FindCommandPopup(UINT nPopupID) const
{
    HMENU popup = nullptr;
    CallUntil(kCommandPopup,
              [&](CUXCustomizeListener& l) { return (popup = l.OnCommandPopup(nPopupID)) != nullptr; });
    return popup;
}

void CUXCustomizeCenter::CollectCommandCategories(CUXCommandCategories& categories) const
{
    CallEach(kCommandCategories, [&](CUXCustomizeListener& l) { l.OnAddCommandCategories(categories); });
}

void CUXCustomizeCenter::CollectBarDescriptors(std::vector<CUXBarDescriptor>& descriptors) const
{
    CallEach(kBarDescriptors, [&](CUXCustomizeListener& l) { l.OnAddBarDescriptors(descriptors); });
}

void CUXCustomizeCenter::CollectCustomizeWindows(std::vector<HWND>& windows) const
{
    CallEach(kCustomizeStart, [&](CUXCustomizeListener& l) { l.OnNameCustomizeWindows(windows); });
}

void CUXCustomizeCenter::NotifySelectionChange(int nID, HWND holder) const
{
    CallEach(kSelectionChange, [&](CUXCustomizeListener& l) { l.OnSelectionChange(nID, holder); });
}

void CUXCustomizeCenter::NotifyAllowWindow(HWND hWnd) const
{
    CallEach(kAllowWindow, [&](CUXCustomizeListener& l) { l.OnAllowWindow(hWnd); });
}

void CUXCustomizeCenter::NotifyDisallowWindow(HWND hWnd) const
{
    CallEach(kDisallowWindow, [&](CUXCustomizeListener& l) { l.OnDisallowWindow(hWnd); });
}

void CUXCustomizeCenter::NotifyBarAdded(const CUXBarDescriptor& descriptor) const
{
    CallEach(kBarAdded, [&](CUXCustomizeListener& l) { l.OnBarAdded(descriptor); });
}

void CUXCustomizeCenter::NotifyBarShown(CControlBar* pBar, BOOL shown) const
{
    CallEach(kBarShown, [&](CUXCustomizeListener& l) { l.OnBarShown(pBar, shown); });
}

void CUXCustomizeCenter::NotifyBarRenamed(CControlBar* pBar) const
{
    CallEach(kBarRenamed, [&](CUXCustomizeListener& l) { l.OnBarRenamed(pBar); });
}

void CUXCustomizeCenter::NotifyBarRemoved(CControlBar* pBar) const
{
    CallEach(kBarRemoved, [&](CUXCustomizeListener& l) { l.OnBarRemoved(pBar); });
}

BOOL CUXCustomizeCenter::IsCustomizableCommand(UINT nID) const
{
    if (nID >= ID_FILE_MRU_FILE1 && nID <= ID_FILE_MRU_FILE16)
        return FALSE;
    if (nID >= 0xFF00 && nID <= 0xFF08)   // the window-list commands of MDI frames
        return FALSE;
    return nID != ID_UX_FULL_MENUS;
}

BOOL CUXCustomizeCenter::BeginSaving()
{
    if (m_bSaving)
        return FALSE;
    m_bSaving = TRUE;   // the listeners see it on
    CallEach(kSavingStartEnd, [](CUXCustomizeListener& l) { l.OnSaving(TRUE); });
    return TRUE;
}

void CUXCustomizeCenter::EndSaving()
{
    m_bSaving = FALSE;
    CallEach(kSavingStartEnd, [](CUXCustomizeListener& l) { l.OnSaving(FALSE); });
}

// ---- the drag of a command -------------------------------------------------------------------------------

BOOL CUXCustomizeCenter::TrackCommandDrag(CWnd* pSource, BOOL allowCopy, const CUXCommandRecord& record)
{
    if (pSource == nullptr || pSource->m_hWnd == nullptr || ::GetCapture() != nullptr || m_bDragging)
        return FALSE;
    HWND source = pSource->m_hWnd;
    HCURSOR previous = ::GetCursor();
    ::SetCapture(source);
    std::vector<CUXCommandDropTarget*> targets;
    CallEach(kDropTargets, [&](CUXCustomizeListener& l) { l.OnAddDropTargets(targets); });
    targets.erase(std::remove(targets.begin(), targets.end(), nullptr), targets.end());
    CallEach(kDragStart, [&](CUXCustomizeListener& l) { l.OnCommandDragStart(record.m_nID, pSource); });

    m_bDragging = TRUE;
    CUXCommandDragLoop loop(source, allowCopy, record, targets);
    CPoint cursor;
    ::GetCursorPos(&cursor);
    loop.Step(cursor);
    if (!loop.Run())
        ::PostQuitMessage(static_cast<int>(loop.LastMessage().wParam));   // the outer loop ends too
    m_bDragging = FALSE;

    ::SetCursor(previous);
    if (::GetCapture() == source)
        ::ReleaseCapture();
    BOOL dropped = loop.m_bDropped;
    CallEach(kDragEnd, [&](CUXCustomizeListener& l) { l.OnCommandDragEnd(dropped, record.m_nID); });
    return loop.m_bMoved;
}

// ---- the user's own tool bars: "CustomBars-Info" holds a checksum, version 1, a count, then the id and title of
// each bar ---------------------------------------------------------------------------------------------------

void CUXCustomizeCenter::BuildCustomBarsValue(const std::vector<std::pair<UINT, CString>>& bars,
                                              std::vector<BYTE>& value)
{
    CMemFile file;
    {
        CArchive ar(&file, CArchive::store);
        ar << kCustomBarsVersion << static_cast<DWORD>(bars.size());
        for (const auto& bar : bars)
            ar << static_cast<DWORD>(bar.first) << bar.second;
        ar.Close();
    }
    value = CUXCrc32::Seal(file.GetData(), file.GetLength());
}

BOOL CUXCustomizeCenter::ParseCustomBarsValue(const BYTE* data, UINT size,
                                              std::vector<std::pair<UINT, CString>>& bars)
{
    bars.clear();
    if (!CUXCrc32::IsSealed(data, size))
        return FALSE;
    CMemFile file(data + 4, size - 4);
    CArchive ar(&file, CArchive::load);
    DWORD version = 0;
    DWORD count = 0;
    ar >> version >> count;
    if (!ar.IsOK() || version != kCustomBarsVersion)
        return FALSE;
    // No more records than the value can hold, nor than there are custom bar ids.
    DWORD limit = (size - 4) / kSmallestRecord;
    if (limit > kLastCustomBar - kFirstCustomBar + 1)
        limit = kLastCustomBar - kFirstCustomBar + 1;
    if (count > limit)
        count = limit;
    for (DWORD i = 0; i < count; ++i)
    {
        DWORD id = 0;
        CString title;
        ar >> id;
        if (!ar.IsOK() || !ar.ReadString(title) || !ar.IsOK())
            break;   // a short record ends the list
        if (id >= kFirstCustomBar && id <= kLastCustomBar)
            bars.emplace_back(static_cast<UINT>(id), title);
    }
    return TRUE;
}

BOOL CUXCustomizeCenter::LoadCustomBars(CFrameWnd* pFrame, LPCSTR lpszSection)
{
    if (pFrame == nullptr || pFrame->m_hWnd == nullptr)
        return FALSE;
    std::vector<BYTE> value;
    std::vector<std::pair<UINT, CString>> bars;
    if (!CUXSettingsStore(HKEY_CURRENT_USER).GetProfileBinary(lpszSection, kCustomBarsEntry, value) ||
        !ParseCustomBarsValue(value.data(), static_cast<UINT>(value.size()), bars))
        return FALSE;
    for (const auto& bar : bars)
    {
        if (HasControlBar(pFrame, bar.first))
            continue;
        CUXToolBar* made = CreateCustomBar(pFrame, bar.first, bar.second);
        if (made != nullptr)
            PlaceCustomBar(pFrame, made);
    }
    return TRUE;
}

void CUXCustomizeCenter::SaveCustomBars(CFrameWnd* pFrame, LPCSTR lpszSection)
{
    if (pFrame == nullptr)
        return;
    BOOL started = BeginSaving();
    std::vector<CUXToolBar*> reported;
    CallEach(kReportCustomBars, [&](CUXCustomizeListener& l) { l.OnReportCustomBars(pFrame, reported); });
    std::vector<std::pair<UINT, CString>> bars;
    for (CUXToolBar* bar : reported)
    {
        if (bar == nullptr || bar->m_hWnd == nullptr || !bar->IsKindOf(RUNTIME_CLASS(CUXCustomToolBar)) ||
            pFrame->m_listControlBars.Find(bar) == nullptr)
            continue;
        CString title;
        bar->GetWindowText(title);
        bars.emplace_back(static_cast<UINT>(bar->GetDlgCtrlID()), title);
    }
    CUXSettingsStore store(HKEY_CURRENT_USER);
    if (bars.empty())
        store.DeleteProfileValue(lpszSection, kCustomBarsEntry);
    else
    {
        std::vector<BYTE> value;
        BuildCustomBarsValue(bars, value);
        store.WriteProfileBinary(lpszSection, kCustomBarsEntry, value.data(), static_cast<UINT>(value.size()));
    }
    if (started)
        EndSaving();
}

CUXToolBar* CUXCustomizeCenter::CreateCustomBar(CFrameWnd* pFrame, UINT nID, LPCSTR lpszTitle)
{
    if (pFrame == nullptr || pFrame->m_hWnd == nullptr)
        return nullptr;
    if (m_pBarHost != nullptr)
        return m_pBarHost->CreateCustomBar(pFrame, nID, lpszTitle);
    std::unique_ptr<CUXCustomToolBar> bar(new CUXCustomToolBar);
    const DWORD style = WS_CHILD | CBRS_GRIPPER | CBRS_ALIGN_TOP | CBRS_BORDER_BOTTOM | CBRS_FLYBY |
                        CBRS_TOOLTIPS | CBRS_SIZE_DYNAMIC;
    if (!bar->CreateEx(pFrame, TBSTYLE_FLAT | TBSTYLE_LIST, style, CRect(0, 0, 0, 0), nID))
        return nullptr;   // the half-made bar has no window left
    bar->SetTitle(lpszTitle);
    bar->EnableDocking(CBRS_ALIGN_ANY);
    bar->m_bAutoDelete = TRUE;   // the bar goes with its window
    return bar.release();
}

void CUXCustomizeCenter::PlaceCustomBar(CFrameWnd* pFrame, CUXToolBar* pBar)
{
    if (pFrame == nullptr || pBar == nullptr || pBar->m_hWnd == nullptr)
        return;
    if (m_pBarHost != nullptr)
    {
        m_pBarHost->PlaceCustomBar(pFrame, pBar);
        return;
    }
    pFrame->FloatControlBar(pBar, m_ptNextBar, CBRS_ALIGN_TOP);
    pFrame->ShowControlBar(pBar, TRUE, FALSE);
    m_ptNextBar.Offset(15, 15);
    pFrame->RecalcLayout();
}

// ---- registrations ----------------------------------------------------------------------------------------

static_assert(CUXCustomizeCenter::kCallbackKinds <= 32, "a registration keeps a bit per kind");

void CUXCustomizeRegistration::Add(CUXCustomizeCenter::CallbackKind kind)
{
    GetCustomizeCenter().Register(kind, m_pListener);
    m_kinds |= 1u << kind;
}

void CUXCustomizeRegistration::Remove(CUXCustomizeCenter::CallbackKind kind)
{
    if ((m_kinds & (1u << kind)) == 0)
        return;
    GetCustomizeCenter().Unregister(kind, m_pListener);
    m_kinds &= ~(1u << kind);
}

void CUXCustomizeRegistration::Set(BOOL on, std::initializer_list<CUXCustomizeCenter::CallbackKind> kinds)
{
    for (CUXCustomizeCenter::CallbackKind kind : kinds)
    {
        if (on)
            Add(kind);
        else
            Remove(kind);
    }
}

void CUXCustomizeRegistration::Clear()
{
    for (int kind = 0; m_kinds != 0 && kind < CUXCustomizeCenter::kCallbackKinds; ++kind)
        Remove(static_cast<CUXCustomizeCenter::CallbackKind>(kind));
}

std::unique_ptr<CUXCommandRecord> CUXCustomizeCenter::FindCommandRecord(UINT nID) const
{
    if (nID == 0)
        return nullptr;
    CUXCommandCategories categories;
    CollectCommandCategories(categories);
    for (const std::unique_ptr<CUXCommandCategory>& category : categories)
        if (CUXCommandRecord* record = category != nullptr ? category->Find(nID) : nullptr)
            return record->Clone();
    return nullptr;
}

void CUXCustomizeCenter::SwitchCustomizeMode(BOOL on)
{
    m_bCustomizeMode = on;
    CallEach(kCustomizableBars, [on](CUXCustomizeListener& l) { l.OnCustomizeMode(on); });
}
