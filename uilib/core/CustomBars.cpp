// The user's own tool bars: which the frame has, kept as the value "CustomBars-Info" (a checksum, version 1,
// a count, then the id and title of each bar), and made again from it.
#include "uilib/core/CustomizeCenter.h"

#include "uilib/core/Crc32.h"
#include "uilib/core/CustomToolBar.h"
#include "uilib/core/SettingsStore.h"

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
    ForEach(kReportCustomBars, [&](CUXCustomizeListener& l) { l.OnReportCustomBars(pFrame, reported); return false; });
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
