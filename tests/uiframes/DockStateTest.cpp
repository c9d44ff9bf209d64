// The dock state in the library's settings store: a layout round trip with the values as stored, and states
// that are damaged, name bars the frame does not have, or lack a docking window's section.
#include "UiFramesTestSupport.h"

#include "support/win_ProfileReadCounter.h"
#include "uilib/frames/DockState.h"

#include <map>
#include <string>

namespace
{

const char kProfile[] = "DockTest";

using CCountingUXDockState = CProfileReadCounter<CUXDockState>;   // counts what it reads from the store

class DockStateTest : public UiFramesProgram
{
protected:
    void SetUp() override
    {
        UiFramesProgram::SetUp();
        frame = MakeDockFrame();
        ASSERT_NE(nullptr, frame);
    }

    static std::string Key(LPCSTR section) { return std::string(kAppKey) + "\\" + section; }
    static CString Section(int i)
    {
        CString section;
        section.Format("%s-Bar%d", kProfile, i);
        return section;
    }
    // A DWORD value as stored, or fallback when there is none.
    static DWORD ReadDword(LPCSTR section, LPCSTR value, DWORD fallback)
    {
        DWORD data = 0, size = sizeof(data);
        return ::RegGetValueA(HKEY_CURRENT_USER, Key(section).c_str(), value, RRF_RT_REG_DWORD, nullptr, &data,
                              &size) == ERROR_SUCCESS
                   ? data
                   : fallback;
    }
    static void WriteDword(LPCSTR section, LPCSTR value, DWORD data)
    {
        ::RegSetKeyValueA(HKEY_CURRENT_USER, Key(section).c_str(), value, REG_DWORD, &data, sizeof(data));
    }
    // The length of a binary value, -1 when there is none.
    static long BinarySize(LPCSTR section, LPCSTR value)
    {
        DWORD size = 0;
        return ::RegGetValueA(HKEY_CURRENT_USER, Key(section).c_str(), value, RRF_RT_REG_BINARY, nullptr, nullptr,
                              &size) == ERROR_SUCCESS
                   ? static_cast<long>(size)
                   : -1;
    }
    static void WriteBinary(LPCSTR section, LPCSTR value, const void* data, DWORD size)
    {
        ::RegSetKeyValueA(HKEY_CURRENT_USER, Key(section).c_str(), value, REG_BINARY, data, size);
    }
    // The saved sections by the id they hold.
    static std::map<UINT, CString> SectionsById()
    {
        std::map<UINT, CString> sections;
        CString summary = CString(kProfile) + "-Summary";
        DWORD count = ReadDword(summary, "Bars", 0);
        for (DWORD i = 0; i < count && i < 64; ++i)
            sections[ReadDword(Section(static_cast<int>(i)), "BarID", 0)] = Section(static_cast<int>(i));
        return sections;
    }

    CDockBar* Dock(UINT nID) const { return static_cast<CDockBar*>(frame->GetControlBar(nID)); }
    static CRect Rect(const CWnd& wnd) { return FtScreenRect(wnd.m_hWnd); }
    CFtToolBar& Bar(int i) { return frame->m_bars[i]; }
    CFtDockWindow& Window(int i) { return frame->m_windows[i]; }

    CFtDockFrame* frame = nullptr;
};

TEST_F(DockStateTest, SaveAndLoadRoundTripTheLayoutThroughTheSettingsStore)
{
    // Bar 1 floats, bar 2 is hidden, bar 3 joins the top row further along; the first docking window is
    // thicker, the second floats.
    frame->FloatControlBar(&Bar(1), CPoint(420, 300), CBRS_ALIGN_TOP);
    frame->ShowControlBar(&Bar(2), FALSE, FALSE);
    CRect top = Rect(*Dock(AFX_IDW_DOCKBAR_TOP));
    CRect along(CPoint(top.left + 200, top.top), Rect(Bar(0)).Size());
    frame->DockControlBar(&Bar(3), AFX_IDW_DOCKBAR_TOP, &along);
    Window(0).SetDockedSize(CUXDockWindow::kLeft, CSize(170, 100));
    Window(1).SetFloatingSize(CSize(220, 160));
    frame->FloatControlBar(&Window(1), CPoint(400, 100), CBRS_ALIGN_TOP);
    frame->RecalcLayout();
    PumpPending();
    CRect places[4];
    for (int i = 0; i < 4; ++i)
        places[i] = Rect(Bar(i));
    CRect window0 = Rect(Window(0)), window1 = Rect(Window(1));
    CUXDockState::SaveBarState(frame, kProfile);

    // As stored: "Visible" only for the hidden bar, each docking window's sizes in its own section.
    std::map<UINT, CString> sections = SectionsById();
    for (UINT id : {CFtDockFrame::kBarIds[0], CFtDockFrame::kBarIds[2], CFtDockFrame::kWindowIds[0],
                    CFtDockFrame::kWindowIds[1], static_cast<UINT>(AFX_IDW_DOCKBAR_TOP)})
        ASSERT_TRUE(sections.count(id)) << std::hex << id;
    EXPECT_EQ(0u, ReadDword(sections[CFtDockFrame::kBarIds[2]], "Visible", 7));
    EXPECT_EQ(7u, ReadDword(sections[CFtDockFrame::kBarIds[0]], "Visible", 7));
    EXPECT_EQ(7u, ReadDword(sections[CFtDockFrame::kWindowIds[0]], "Visible", 7));
    EXPECT_EQ(44, BinarySize(sections[CFtDockFrame::kWindowIds[0]], "Bar Position"));
    EXPECT_EQ(44, BinarySize(sections[CFtDockFrame::kWindowIds[1]], "Bar Position"));
    EXPECT_EQ(-1, BinarySize(sections[CFtDockFrame::kBarIds[0]], "Bar Position"));
    EXPECT_EQ(0u, sections.count(AFX_IDW_DOCKBAR_RIGHT));   // an empty side says nothing

    // Everything moved about, then the saved layout again.
    frame->DockControlBar(&Bar(1), AFX_IDW_DOCKBAR_BOTTOM);
    frame->ShowControlBar(&Bar(2), TRUE, FALSE);
    frame->DockControlBar(&Bar(3), AFX_IDW_DOCKBAR_RIGHT);
    Window(0).SetDockedSize(CUXDockWindow::kLeft, CSize(90, 60));
    Window(1).SetFloatingSize(CSize(100, 100));
    frame->DockControlBar(&Window(1), AFX_IDW_DOCKBAR_RIGHT);
    CUXDockState::LoadBarState(frame, kProfile);
    PumpPending();

    EXPECT_EQ(Dock(AFX_IDW_DOCKBAR_TOP), Bar(3).m_pDockBar);
    EXPECT_FALSE(Bar(2).IsWindowVisible());
    ASSERT_TRUE(Bar(1).IsFloating());
    CFrameWnd* pMini = Bar(1).GetParentFrame();
    EXPECT_TRUE(pMini->IsKindOf(RUNTIME_CLASS(CUXMiniDockFrameWnd)));
    EXPECT_EQ(CSize(170, 100), Window(0).GetDockedSize(CUXDockWindow::kLeft));
    EXPECT_EQ(window0, Rect(Window(0)));
    ASSERT_TRUE(Window(1).IsFloating());
    EXPECT_EQ(CSize(220, 160), Window(1).GetFloatingSize());
    EXPECT_EQ(window1, Rect(Window(1)));
    for (int i : {0, 1, 3})
        EXPECT_EQ(places[i], Rect(Bar(i))) << i;
}

TEST_F(DockStateTest, DamagedStatesLoadWhatTheyHoldInBoundedWork)
{
    Window(0).SetDockedSize(CUXDockWindow::kLeft, CSize(170, 100));
    Window(1).SetDockedSize(CUXDockWindow::kLeft, CSize(170, 90));
    CRect top = Rect(*Dock(AFX_IDW_DOCKBAR_TOP));
    CRect along(CPoint(top.left + 200, top.top), Rect(Bar(0)).Size());
    frame->DockControlBar(&Bar(3), AFX_IDW_DOCKBAR_TOP, &along);
    CRect place3 = Rect(Bar(3));
    CUXDockState::SaveBarState(frame, kProfile);
    std::map<UINT, CString> sections = SectionsById();
    ASSERT_TRUE(sections.count(AFX_IDW_DOCKBAR_TOP));
    ASSERT_TRUE(sections.count(CFtDockFrame::kWindowIds[0]));
    ASSERT_TRUE(sections.count(CFtDockFrame::kWindowIds[1]));
    CString topSection = sections[AFX_IDW_DOCKBAR_TOP];

    // A damaged count; an id the frame lacks in the top's list; the first docking window's section now
    // names a bar the frame lacks (so that window has none); the second window's sizes as stored.
    WriteDword(CString(kProfile) + "-Summary", "Bars", 0x7FFFFFFF);
    DWORD listed = ReadDword(topSection, "Bars", 0);
    ASSERT_GE(listed, 3u);
    // The row gets one more id before its end.
    CString entry;
    entry.Format("Bar#%u", static_cast<unsigned>(listed - 1));
    WriteDword(topSection, entry, 0xE8FF);
    entry.Format("Bar#%u", static_cast<unsigned>(listed));
    WriteDword(topSection, entry, 0);
    WriteDword(topSection, "Bars", listed + 1);
    WriteDword(sections[CFtDockFrame::kWindowIds[0]], "BarID", 0xE8FD);

    Window(0).SetDockedSize(CUXDockWindow::kLeft, CSize(60, 60));
    Window(1).SetDockedSize(CUXDockWindow::kLeft, CSize(60, 60));
    frame->DockControlBar(&Bar(3), AFX_IDW_DOCKBAR_RIGHT);
    CCountingUXDockState state;
    CUXDockState::LoadBarState(frame, kProfile, &state);
    PumpPending();

    // The sections themselves said where the list ended: a bounded number of reads.
    EXPECT_GT(state.reads, 0);
    EXPECT_LT(state.reads, 600);
    // No record of a bar the frame does not have is kept, nor any such id in a list.
    for (const auto& pInfo : state.m_arrBarInfo)
    {
        EXPECT_NE(0xE8FDu, pInfo->m_nBarID);
        for (INT_PTR j = 0; j < pInfo->m_arrBarID.GetSize(); ++j)
            EXPECT_NE(0xE8FFu, pInfo->m_arrBarID[j]);
    }
    // The rest of the layout applied: bar 3 back in the top row, the second window its stored sizes, while
    // the first, without a section, keeps its own.
    EXPECT_EQ(Dock(AFX_IDW_DOCKBAR_TOP), Bar(3).m_pDockBar);
    EXPECT_EQ(place3, Rect(Bar(3)));
    EXPECT_EQ(CSize(170, 90), Window(1).GetDockedSize(CUXDockWindow::kLeft));
    EXPECT_EQ(CSize(60, 60), Window(0).GetDockedSize(CUXDockWindow::kLeft));
}

TEST_F(DockStateTest, BarPositionIsTakenOnlyAsTheWholeRecord)
{
    CString section = "Pos";
    CUXDockWindowPosition position = {};
    for (int side = 0; side < 4; ++side)
    {
        position.size[side][0] = 111 + side;
        position.size[side][1] = 77;
    }
    position.floatSize[0] = 210;
    position.floatSize[1] = 130;
    position.flags = CUXDockWindowPosition::kExpanded;
    CUXDockWindow& window = Window(0);
    CSize before = window.GetDockedSize(CUXDockWindow::kLeft);

    // One byte short and one byte more are not the record.
    BYTE bytes[sizeof(position) + 1] = {};
    memcpy(bytes, &position, sizeof(position));
    for (DWORD size : {static_cast<DWORD>(sizeof(position) - 1), static_cast<DWORD>(sizeof(position) + 1)})
    {
        WriteBinary(section, "Bar Position", bytes, size);
        EXPECT_FALSE(window.LoadBarPosition(section)) << size;
        EXPECT_EQ(before, window.GetDockedSize(CUXDockWindow::kLeft));
        EXPECT_FALSE(window.IsExpanded());
    }
    WriteBinary(section, "Bar Position", bytes, sizeof(position));
    EXPECT_TRUE(window.LoadBarPosition(section));
    EXPECT_EQ(CSize(113, 77), window.GetDockedSize(CUXDockWindow::kLeft));
    EXPECT_EQ(CSize(210, 130), window.GetFloatingSize());
    EXPECT_TRUE(window.IsExpanded());

    // And back as it was read.
    EXPECT_TRUE(window.SaveBarPosition("Pos2"));
    EXPECT_EQ(44, BinarySize("Pos2", "Bar Position"));
    CUXDockWindow unmade;
    EXPECT_FALSE(unmade.SaveBarPosition("Pos3"));   // nothing without a window
    EXPECT_EQ(-1, BinarySize("Pos3", "Bar Position"));
}

}   // namespace
