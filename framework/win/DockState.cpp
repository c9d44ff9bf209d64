// The dock state in the profile.
#include "framework/win/Framework.h"

namespace
{
CString SectionName(LPCSTR lpszProfileName, int nIndex)
{
    CString section;
    section.Format("%s-Bar%d", lpszProfileName, nIndex);
    return section;
}

CString SummaryName(LPCSTR lpszProfileName)
{
    CString section;
    section.Format("%s-Summary", lpszProfileName);
    return section;
}

int ScaleValue(int value, int to, int from)
{
    return from > 0 && to > 0 ? ::MulDiv(value, to, from) : value;
}
}   // namespace

// ---- one record --------------------------------------------------------------------------------------

BOOL CControlBarInfo::LoadState(LPCSTR lpszSection, CDockState* pDockState)
{
    m_nBarID = pDockState->GetProfileInt(lpszSection, "BarID", 0);
    if (m_nBarID == 0)
        return FALSE;
    auto read = [&](LPCSTR entry, int nDefault)
    { return pDockState->GetProfileInt(lpszSection, entry, nDefault); };
    m_bVisible = read("Visible", TRUE) != 0;
    m_bHorz = read("Horz", TRUE) != 0;
    m_bFloating = read("Floating", FALSE) != 0;
    m_pointPos = CPoint(static_cast<int>(read("XPos", -1)), static_cast<int>(read("YPos", -1)));
    pDockState->ScalePoint(m_pointPos);
    m_nMRUWidth = read("MRUWidth", CDockState::nDefaultMRUWidth);
    m_bDocking = read("Docking", 0) != 0;
    if (m_bDocking)
    {
        m_uMRUDockID = read("MRUDockID", 0);
        m_rectMRUDockPos =
            CRect(static_cast<int>(read("MRUDockLeftPos", 0)), static_cast<int>(read("MRUDockTopPos", 0)),
                  static_cast<int>(read("MRUDockRightPos", 0)), static_cast<int>(read("MRUDockBottomPos", 0)));
        pDockState->ScaleRect(m_rectMRUDockPos);
        m_dwMRUFloatStyle = read("MRUFloatStyle", 0);
        m_ptMRUFloatPos =
            CPoint(static_cast<int>(read("MRUFloatXPos", 0)), static_cast<int>(read("MRUFloatYPos", 0)));
        pDockState->ScalePoint(m_ptMRUFloatPos);
    }

    // A dock bar's list: as long as its count says, within bounds, up to the first id missing.
    UINT nBars = read("Bars", 0);
    m_bDockBar = nBars > 0;
    if (nBars > static_cast<UINT>(CDockState::nMaxBarRecords))
        nBars = CDockState::nMaxBarRecords;
    m_arrBarID.RemoveAll();
    for (UINT i = 0; i < nBars; ++i)
    {
        CString entry;
        entry.Format("Bar#%d", static_cast<int>(i));
        UINT nID = read(entry, -1);
        if (nID == static_cast<UINT>(-1))
            break;
        m_arrBarID.Add(nID);
    }
    return TRUE;
}

void CControlBarInfo::SaveState(LPCSTR lpszSection, CDockState* pDockState) const
{
    auto write = [&](LPCSTR entry, int value) { pDockState->WriteProfileInt(lpszSection, entry, value); };
    write("BarID", static_cast<int>(m_nBarID));
    if (!m_bVisible)
        write("Visible", 0);
    if (m_bFloating)
    {
        write("Horz", m_bHorz);
        write("Floating", TRUE);
    }
    if (m_pointPos.x != -1)
        write("XPos", m_pointPos.x);
    if (m_pointPos.y != -1)
        write("YPos", m_pointPos.y);
    if (m_nMRUWidth != CDockState::nDefaultMRUWidth)
        write("MRUWidth", static_cast<int>(m_nMRUWidth));
    if (m_bDocking)
    {
        write("Docking", 1);
        write("MRUDockID", static_cast<int>(m_uMRUDockID));
        write("MRUDockLeftPos", m_rectMRUDockPos.left);
        write("MRUDockTopPos", m_rectMRUDockPos.top);
        write("MRUDockRightPos", m_rectMRUDockPos.right);
        write("MRUDockBottomPos", m_rectMRUDockPos.bottom);
        write("MRUFloatStyle", static_cast<int>(m_dwMRUFloatStyle));
        write("MRUFloatXPos", m_ptMRUFloatPos.x);
        write("MRUFloatYPos", m_ptMRUFloatPos.y);
    }
    if (m_bDockBar && m_arrBarID.GetSize() > 1)
    {
        write("Bars", static_cast<int>(m_arrBarID.GetSize()));
        for (INT_PTR i = 0; i < m_arrBarID.GetSize(); ++i)
        {
            CString entry;
            entry.Format("Bar#%d", static_cast<int>(i));
            write(entry, static_cast<int>(m_arrBarID[i]));
        }
    }
}

// ---- the state ---------------------------------------------------------------------------------------

IMPLEMENT_DYNCREATE(CDockState, CObject)

CDockState::~CDockState()
{
    Clear();
}

void CDockState::Clear()
{
    m_arrBarInfo.clear();
}

void CDockState::LoadState(LPCSTR lpszProfileName)
{
    Clear();
    CString summary = SummaryName(lpszProfileName);
    UINT nBars = GetProfileInt(summary, "Bars", 0);
    m_sizeScreen = CSize(static_cast<int>(GetProfileInt(summary, "ScreenCX", 0)),
                         static_cast<int>(GetProfileInt(summary, "ScreenCY", 0)));
    // The count may be damaged: the sections themselves say where the list ends.
    if (nBars > static_cast<UINT>(nMaxBarRecords))
        nBars = nMaxBarRecords;
    for (UINT i = 0; i < nBars; ++i)
    {
        auto pInfo = std::make_unique<CControlBarInfo>();
        if (!pInfo->LoadState(SectionName(lpszProfileName, static_cast<int>(i)), this))
            break;
        m_arrBarInfo.push_back(std::move(pInfo));
    }
}

void CDockState::SaveState(LPCSTR lpszProfileName)
{
    int nWritten = 0;
    for (const auto& pInfo : m_arrBarInfo)
    {
        // A side's dock bar in its usual state says nothing.
        if (pInfo->m_bDockBar && pInfo->m_bVisible && !pInfo->m_bFloating && pInfo->m_pointPos.x == -1 &&
            pInfo->m_pointPos.y == -1 && pInfo->m_arrBarID.GetSize() <= 1)
            continue;
        CString section = SectionName(lpszProfileName, nWritten++);
        RemoveSection(section);
        pInfo->SaveState(section, this);
    }
    CString summary = SummaryName(lpszProfileName);
    WriteProfileInt(summary, "Bars", nWritten);
    WriteProfileInt(summary, "ScreenCX", ::GetSystemMetrics(SM_CXSCREEN));
    WriteProfileInt(summary, "ScreenCY", ::GetSystemMetrics(SM_CYSCREEN));
}

UINT CDockState::GetProfileInt(LPCSTR lpszSection, LPCSTR lpszEntry, int nDefault)
{
    CWinApp* app = AfxGetApp();
    return app != nullptr ? app->GetProfileInt(lpszSection, lpszEntry, nDefault) : static_cast<UINT>(nDefault);
}

BOOL CDockState::WriteProfileInt(LPCSTR lpszSection, LPCSTR lpszEntry, int nValue)
{
    CWinApp* app = AfxGetApp();
    return app != nullptr && app->WriteProfileInt(lpszSection, lpszEntry, nValue);
}

BOOL CDockState::RemoveSection(LPCSTR lpszSection)
{
    CWinApp* app = AfxGetApp();
    return app != nullptr && app->WriteProfileString(lpszSection, nullptr, nullptr);
}

void CDockState::ScalePoint(CPoint& point) const
{
    int cx = ::GetSystemMetrics(SM_CXSCREEN);
    int cy = ::GetSystemMetrics(SM_CYSCREEN);
    if (point.x != -1)
        point.x = ScaleValue(point.x, cx, m_sizeScreen.cx);
    if (point.y != -1)
        point.y = ScaleValue(point.y, cy, m_sizeScreen.cy);
}

void CDockState::ScaleRect(CRect& rect) const
{
    CPoint topLeft = rect.TopLeft();
    CPoint bottomRight = rect.BottomRight();
    ScalePoint(topLeft);
    ScalePoint(bottomRight);
    rect = CRect(topLeft, bottomRight);
}
