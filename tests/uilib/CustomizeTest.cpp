// Customization in the bars test program: commands dragged with the mouse from a source of commands and from
// one bar to another, the user's own bars kept and made again, and a bar's layout kept under its checksum
// (ignored when damaged or saved for another default layout).
#include "BarsTestSupport.h"

#include "support/win_Wait.h"
#include "uilib/core/base/Crc32.h"
#include "uilib/core/bars/CustomToolBar.h"
#include "uilib/core/bars/CustomizeCenter.h"
#include "uilib/core/base/SettingsStore.h"
#include "uilib/core/bars/ToolBarCustomizer.h"

#include <cstring>
#include <memory>
#include <vector>

namespace
{

CPoint ScreenCentre(CWnd& wnd, const CRect& clientRect)
{
    CRect rect = clientRect;
    wnd.ClientToScreen(&rect);
    return rect.CenterPoint();
}

CRect ItemRect(CUXToolBar& bar, int index)
{
    CRect rect;
    bar.GetItemRect(index, &rect);
    return rect;
}

// A window the user drags a command from, and a provider of that command's record.
class CDragSource : public CTestHost, public CUXCustomizeListener
{
public:
    std::unique_ptr<CUXCommandRecord> record;
    int drags = 0;
    BOOL result = -1;

    CDragSource() : CTestHost(700, 500, 80, 40)
    {
        record.reset(new CUXCommandRecord);
        record->m_nID = ID_T_RARE1;
        record->m_strText = "Rare";
        record->SetIcons(MakeTestIcon(16, RGB(255, 0, 0)), nullptr);
        m_registration.Add(CUXCustomizeCenter::kCommandCategories);
    }

    void OnAddCommandCategories(CUXCommandCategories& categories) override
    {
        std::unique_ptr<CUXCommandCategory> category(new CUXCommandCategory);
        category->m_strName = "Tests";
        category->Add(record->Clone());
        categories.push_back(std::move(category));
    }

private:
    CUXCustomizeRegistration m_registration{this};

protected:
    LRESULT WindowProc(UINT message, WPARAM wParam, LPARAM lParam) override
    {
        if (message == WM_LBUTTONDOWN || message == WM_LBUTTONDBLCLK)
        {
            ++drags;
            result = GetCustomizeCenter().TrackCommandDrag(this, FALSE, *record);
            return 0;
        }
        return CTestHost::WindowProc(message, wParam, lParam);
    }
};

// The bars test program with customizable bars.
class CustomizeTest : public BarsTest
{
protected:
    void SetUp() override
    {
        CBarsFrame::CustomizableBars() = TRUE;
        BarsTest::SetUp();
    }
    void TearDown() override
    {
        GetCustomizeCenter().SwitchCustomizeMode(FALSE);
        BarsTest::TearDown();
        CBarsFrame::CustomizableBars() = FALSE;
    }

    // The frame goes: its bars keep their layouts (a new frame's bars take them back).
    void DestroyFrame()
    {
        frame->DestroyWindow();
        Pump();
    }
    void NewFrame()
    {
        DestroyFrame();
        MakeFrame();
    }

    static std::vector<BYTE> StoredValue(const CString& entry)
    {
        std::vector<BYTE> value;
        CUXSettingsStore().GetProfileBinary("Settings", entry, value);
        return value;
    }
    static void StoreValue(const CString& entry, const std::vector<BYTE>& value)
    {
        CUXSettingsStore().WriteProfileBinary("Settings", entry, value.data(), static_cast<UINT>(value.size()));
    }
};

TEST_F(CustomizeTest, ACommandDraggedFromASourceOntoABarInsertsItsButton)
{
    CUXToolBar& bar = frame->m_bar2;
    GetCustomizeCenter().SwitchCustomizeMode(TRUE);
    ASSERT_TRUE(bar.IsCustomizeMode());
    CDragSource source;
    Pump();

    std::unique_ptr<CUXCommandRecord> known(GetCustomizeCenter().FindCommandRecord(ID_T_RARE1));
    ASSERT_NE(nullptr, known);
    EXPECT_STREQ("Rare", known->m_strText.GetString());

    // Down on the source, over the right half of Cut, up there: the command goes in after Cut.
    CRect client;
    source.GetClientRect(&client);
    CPoint from = ScreenCentre(source, client);
    CRect cut = ItemRect(bar, 0);
    CPoint to = ScreenCentre(bar, CRect(cut.CenterPoint().x + 2, cut.top, cut.right, cut.bottom));
    SendMouseInput(
        {{from, 0}, {from, MOUSEEVENTF_LEFTDOWN}, {CPoint(to.x - 1, to.y), 0}, {to, 0}, {to, MOUSEEVENTF_LEFTUP}});
    EXPECT_TRUE(PumpUntil([&] { return source.drags == 1; }));
    Pump();
    ASSERT_EQ(1, source.drags);
    EXPECT_EQ(TRUE, source.result);   // without copying, a drop moves
    EXPECT_EQ(nullptr, ::GetCapture());
    EXPECT_FALSE(GetCustomizeCenter().IsDragging());
    EXPECT_EQ((std::vector<UINT>{ID_T_CUT, ID_T_RARE1, 0, ID_T_COMBO, ID_T_PASTE}), BarIds(bar));
    // The record's icon became the button's image.
    TBBUTTON button = bar.GetButton(1);
    HIMAGELIST images = reinterpret_cast<HIMAGELIST>(bar.SendMessage(TB_GETIMAGELIST));
    EXPECT_GE(button.iBitmap, 0);
    EXPECT_LT(button.iBitmap, ::ImageList_GetImageCount(images));
    EXPECT_EQ(-1, bar.GetCustomizer()->GetInsertion());   // no mark left behind

    // Esc during a drag leaves everything as it was.
    SendMouseInput({{from, 0}, {from, MOUSEEVENTF_LEFTDOWN}, {to, 0}});
    INPUT escape[2] = {};
    escape[0].type = escape[1].type = INPUT_KEYBOARD;
    escape[0].ki.wVk = escape[1].ki.wVk = VK_ESCAPE;
    escape[1].ki.dwFlags = KEYEVENTF_KEYUP;
    ::SendInput(2, escape, sizeof(INPUT));
    SendMouseInput({{to, MOUSEEVENTF_LEFTUP}});
    EXPECT_TRUE(PumpUntil([&] { return source.drags == 2; }));
    Pump();
    EXPECT_EQ(2, source.drags);
    EXPECT_EQ(FALSE, source.result);
    EXPECT_EQ(5, bar.GetCount());
}

TEST_F(CustomizeTest, AButtonDraggedFromOneBarToAnotherMovesThere)
{
    GetCustomizeCenter().SwitchCustomizeMode(TRUE);
    CUXToolBar& from = frame->m_bar1;
    CUXToolBar& to = frame->m_bar2;
    int save = from.CommandToIndex(ID_T_SAVE);
    CPoint start = ScreenCentre(from, ItemRect(from, save));
    CRect paste = ItemRect(to, to.CommandToIndex(ID_T_PASTE));
    CPoint end = ScreenCentre(to, CRect(paste.CenterPoint().x + 2, paste.top, paste.right, paste.bottom));
    // A press selects the button; moving with it held starts the drag.
    SendMouseInput({{start, 0},
                    {start, MOUSEEVENTF_LEFTDOWN},
                    {CPoint(start.x + 10, start.y + 10), 0},
                    {end, 0},
                    {CPoint(end.x + 1, end.y), 0},
                    {CPoint(end.x + 1, end.y), MOUSEEVENTF_LEFTUP}});
    EXPECT_TRUE(PumpUntil([&] { return to.GetCount() == 5; }));
    Pump();
    EXPECT_EQ((std::vector<UINT>{ID_T_NEW, ID_T_OPEN, 0, ID_T_COLOR}), BarIds(from));
    EXPECT_EQ((std::vector<UINT>{ID_T_CUT, 0, ID_T_COMBO, ID_T_PASTE, ID_T_SAVE}), BarIds(to));
    EXPECT_EQ(-1, from.GetCustomizer()->GetSelected());
}

// Cannot make the second custom bar.
class CFailingCenter : public CUXCustomizeCenter
{
public:
    CUXToolBar* CreateCustomBar(CFrameWnd* pFrame, UINT nID, LPCSTR lpszTitle) override
    {
        return nID == 0xE811 ? nullptr : CUXCustomizeCenter::CreateCustomBar(pFrame, nID, lpszTitle);
    }
};

TEST_F(CustomizeTest, ACustomBarMadeSavedAndLoadedComesBackWithItsButtons)
{
    CUXCustomizeCenter& center = GetCustomizeCenter();
    CPoint place = center.GetNextBarPosition();
    CUXToolBar* mine = center.CreateCustomBar(frame, 0xE810, "Mine");
    ASSERT_NE(nullptr, mine);
    center.PlaceCustomBar(frame, mine);
    EXPECT_TRUE(mine->IsCustomizable());
    EXPECT_TRUE(mine->IsWindowVisible());
    // New bars float one after the other, each 15 pixels further right and down.
    CUXToolBar* second = center.CreateCustomBar(frame, 0xE811, "Second");
    ASSERT_NE(nullptr, second);
    center.PlaceCustomBar(frame, second);
    EXPECT_EQ(CPoint(place.x + 30, place.y + 30), center.GetNextBarPosition());
    for (CUXToolBar* bar : {mine, second})
    {
        ASSERT_TRUE(bar->GetBarStyle() & CBRS_FLOATING);
        CRect floating;
        bar->GetParentFrame()->GetWindowRect(&floating);
        EXPECT_EQ(bar == mine ? place : CPoint(place.x + 15, place.y + 15), floating.TopLeft());
    }
    CUXToolBar& bar1 = frame->m_bar1;
    for (UINT id : {ID_T_SAVE, ID_T_NEW})
    {
        std::unique_ptr<CUXCommandRecord> record(bar1.MakeCommandRecord(bar1.CommandToIndex(id)));
        ASSERT_TRUE(mine->InsertCommand(*record, mine->GetCount()));
    }
    center.SaveCustomBars(frame, "Settings");
    std::vector<BYTE> value = StoredValue("CustomBars-Info");
    ASSERT_GT(value.size(), 12u);

    NewFrame();   // the bar keeps its layout as its window goes
    EXPECT_EQ(nullptr, frame->GetControlBar(0xE810));
    // A bar that cannot be made is left out; the others come.
    CFailingCenter failing;
    EXPECT_TRUE(failing.LoadCustomBars(frame, "Settings"));
    EXPECT_EQ(nullptr, frame->GetControlBar(0xE811));
    CUXToolBar* again = dynamic_cast<CUXToolBar*>(frame->GetControlBar(0xE810));
    ASSERT_NE(nullptr, again);
    CString title;
    again->GetWindowText(title);
    EXPECT_STREQ("Mine", title.GetString());
    EXPECT_EQ((std::vector<UINT>{ID_T_SAVE, ID_T_NEW}), BarIds(*again));
    HIMAGELIST images = reinterpret_cast<HIMAGELIST>(again->SendMessage(TB_GETIMAGELIST));
    ASSERT_NE(nullptr, images);
    EXPECT_EQ(2, ::ImageList_GetImageCount(images));   // from the bar that has the commands
    // Loading again makes the bar left out before, and no second bar of an id the frame has.
    EXPECT_TRUE(center.LoadCustomBars(frame, "Settings"));
    ASSERT_NE(nullptr, frame->GetControlBar(0xE811));
    int bars = static_cast<int>(frame->m_listControlBars.GetCount());
    EXPECT_TRUE(center.LoadCustomBars(frame, "Settings"));
    EXPECT_EQ(bars, static_cast<int>(frame->m_listControlBars.GetCount()));

    // Without custom bars the value goes.
    for (UINT id : {0xE810u, 0xE811u})
        frame->GetControlBar(id)->GetParentFrame()->DestroyWindow();
    Pump();
    center.SaveCustomBars(frame, "Settings");
    EXPECT_TRUE(StoredValue("CustomBars-Info").empty());
    EXPECT_FALSE(center.LoadCustomBars(frame, "Settings"));
}

TEST_F(CustomizeTest, EveryButtonShowsItsCommandsImageWhateverIsInsertedMovedOrRemovedAndAfterRestarts)
{
    CUXCustomizeCenter& center = GetCustomizeCenter();
    const VxCommandImages images = CommandImagesOf({&frame->m_bar1, &frame->m_bar2});
    ASSERT_EQ(6u, images.size());
    CUXToolBar* mine = center.CreateCustomBar(frame, 0xE810, "Mine");
    ASSERT_NE(nullptr, mine);
    center.PlaceCustomBar(frame, mine);
    auto copy = [&](CUXToolBar& from, UINT nID, CUXToolBar& to)
    {
        std::unique_ptr<CUXCommandRecord> record(from.FindCommandRecord(from.CommandToIndex(nID)));
        if (record == nullptr)
            record.reset(from.MakeCommandRecord(from.CommandToIndex(nID)));
        ASSERT_NE(nullptr, record);
        ASSERT_TRUE(to.InsertCommand(*record, to.GetCount()));
    };
    auto expectImages = [&](const char* step)
    {
        SCOPED_TRACE(step);
        for (UINT id : {0xE810u, static_cast<UINT>(IDW_TEST_BAR1), static_cast<UINT>(IDW_TEST_BAR2)})
            if (CUXToolBar* bar = dynamic_cast<CUXToolBar*>(frame->GetControlBar(id)))
                ExpectEveryButtonShowsItsCommandsImage(*bar, images);
    };
    auto restart = [&]()
    {
        center.SaveCustomBars(frame, "Settings");
        NewFrame();
        ASSERT_TRUE(center.LoadCustomBars(frame, "Settings"));
        mine = dynamic_cast<CUXToolBar*>(frame->GetControlBar(0xE810));
        ASSERT_NE(nullptr, mine);
        // Loaded once more, as a rebar does when the bar joins its band: nothing changes.
        std::vector<BYTE> layout, again;
        mine->GetLayout(layout);
        mine->LoadState("Settings", mine->GetStateEntry());
        mine->GetLayout(again);
        EXPECT_EQ(layout, again);
    };

    copy(frame->m_bar1, ID_T_NEW, *mine);
    copy(frame->m_bar1, ID_T_SAVE, *mine);
    copy(frame->m_bar2, ID_T_CUT, *mine);
    copy(frame->m_bar2, ID_T_PASTE, *mine);
    expectImages("copied");
    ASSERT_TRUE(mine->RemoveButton(mine->CommandToIndex(ID_T_CUT)));
    copy(frame->m_bar1, ID_T_OPEN, *mine);   // moved: off the bar it came from
    ASSERT_TRUE(frame->m_bar1.RemoveButton(frame->m_bar1.CommandToIndex(ID_T_OPEN)));
    expectImages("Cut removed, Open moved");
    // Beside its image each button is as wide as its own text ("Save", "Opens a file").
    auto width = [&](UINT nID) { return ItemRect(*mine, mine->CommandToIndex(nID)).Width(); };
    EXPECT_LT(width(ID_T_SAVE) + 20, width(ID_T_OPEN));
    restart();
    EXPECT_EQ((std::vector<UINT>{ID_T_NEW, ID_T_SAVE, ID_T_PASTE, ID_T_OPEN}), BarIds(*mine));
    expectImages("restarted");
    EXPECT_LT(width(ID_T_SAVE) + 20, width(ID_T_OPEN));
    copy(frame->m_bar1, ID_T_COLOR, *mine);
    ASSERT_TRUE(mine->RemoveButton(0));
    copy(frame->m_bar2, ID_T_CUT, frame->m_bar1);
    frame->m_bar1.SendMessage(WM_SYSCOLORCHANGE);   // its bitmap again, before the image it took in
    expectImages("Colour and Cut inserted, New removed");
    restart();
    expectImages("restarted again");
    restart();
    expectImages("and again");
    frame->m_bar1.ResetLayout();
    EXPECT_EQ((std::vector<UINT>{ID_T_NEW, ID_T_OPEN, 0, ID_T_SAVE, ID_T_COLOR}), BarIds(frame->m_bar1));
    expectImages("reset");
}

// A listener that counts what the centre tells it and may remove another listener while it is told.
class CCountingListener : public CUXCustomizeListener
{
public:
    CUXCustomizeRegistration registration{this};
    std::vector<BOOL> modes;
    std::vector<BOOL> savings;
    BOOL savingSeen = FALSE;
    CUXCustomizeRegistration* removeOther = nullptr;

    void OnCustomizeMode(BOOL on) override
    {
        modes.push_back(on);
        if (removeOther != nullptr)
            removeOther->Clear();
    }
    void OnSaving(BOOL starts) override
    {
        savings.push_back(starts);
        savingSeen = GetCustomizeCenter().IsSaving();
    }
};

TEST(CustomizeRegistration, ListenersAreToldOnlyOfTheirKindsWhileRegisteredAndGoWithTheRegistration)
{
    CUXCustomizeCenter& center = GetCustomizeCenter();
    int before = center.GetCount(CUXCustomizeCenter::kCustomizableBars);
    CCountingListener first;
    {
        CCountingListener second;
        first.registration.Set(TRUE, {CUXCustomizeCenter::kCustomizableBars, CUXCustomizeCenter::kSavingStartEnd});
        first.registration.Add(CUXCustomizeCenter::kCustomizableBars);   // once however often
        second.registration.Add(CUXCustomizeCenter::kCustomizableBars);
        EXPECT_EQ(before + 2, center.GetCount(CUXCustomizeCenter::kCustomizableBars));

        // The first removes the second while the centre calls them: the second is not called any more.
        first.removeOther = &second.registration;
        center.SwitchCustomizeMode(TRUE);
        center.SwitchCustomizeMode(FALSE);
        EXPECT_EQ((std::vector<BOOL>{TRUE, FALSE}), first.modes);
        EXPECT_TRUE(second.modes.empty());
        EXPECT_FALSE(center.IsRegistered(&second));
        first.removeOther = nullptr;

        second.registration.Add(CUXCustomizeCenter::kCustomizableBars);
        EXPECT_TRUE(center.IsRegistered(&second));
    }
    // The second's registration went with it.
    EXPECT_EQ(before + 1, center.GetCount(CUXCustomizeCenter::kCustomizableBars));

    // Saving: the listener sees it on while it is told it starts, and off when it ends.
    ASSERT_TRUE(center.BeginSaving());
    EXPECT_TRUE(first.savingSeen);
    EXPECT_FALSE(center.BeginSaving());
    center.EndSaving();
    EXPECT_FALSE(first.savingSeen);
    EXPECT_EQ((std::vector<BOOL>{TRUE, FALSE}), first.savings);

    // Off for one kind, the listener is still told of the other.
    first.registration.Set(FALSE, {CUXCustomizeCenter::kCustomizableBars});
    center.SwitchCustomizeMode(TRUE);
    center.SwitchCustomizeMode(FALSE);
    EXPECT_EQ(2u, first.modes.size());
    EXPECT_TRUE(center.IsRegistered(&first));
    first.registration.Clear();
    EXPECT_FALSE(center.IsRegistered(&first));
    EXPECT_EQ(before, center.GetCount(CUXCustomizeCenter::kCustomizableBars));
}

TEST(CustomBarsValue, ADamagedListGivesOnlyWholeRecordsOfCustomBarIds)
{
    std::vector<std::pair<UINT, CString>> bars = {{0xE810, "One"}, {0x1234, "Foreign"}, {0xE8FF, "Two"}};
    std::vector<BYTE> value;
    CUXCustomizeCenter::BuildCustomBarsValue(bars, value);
    std::vector<std::pair<UINT, CString>> read;
    ASSERT_TRUE(CUXCustomizeCenter::ParseCustomBarsValue(value.data(), static_cast<UINT>(value.size()), read));
    ASSERT_EQ(2u, read.size());   // the foreign id is skipped
    EXPECT_EQ(0xE810u, read[0].first);
    EXPECT_STREQ("Two", read[1].second.GetString());

    // A count far beyond the records, and the last record cut short: the whole records before it count.
    std::vector<BYTE> body(value.begin() + 4, value.end() - 2);
    const DWORD huge = 0x7FFFFFFF;
    std::memcpy(body.data() + 4, &huge, 4);
    std::vector<BYTE> cut = CUXCrc32::Seal(body.data(), body.size());
    ASSERT_TRUE(CUXCustomizeCenter::ParseCustomBarsValue(cut.data(), static_cast<UINT>(cut.size()), read));
    ASSERT_EQ(1u, read.size());
    EXPECT_EQ(0xE810u, read[0].first);

    // A changed byte, another version or too few bytes: nothing.
    value[14] ^= 1;
    EXPECT_FALSE(CUXCustomizeCenter::ParseCustomBarsValue(value.data(), static_cast<UINT>(value.size()), read));
    EXPECT_FALSE(CUXCustomizeCenter::ParseCustomBarsValue(value.data(), 3, read));
    std::vector<BYTE> other;
    CUXCustomizeCenter::BuildCustomBarsValue({}, other);
    other[4] = 2;
    other = CUXCrc32::Seal(other.data() + 4, other.size() - 4);
    EXPECT_FALSE(CUXCustomizeCenter::ParseCustomBarsValue(other.data(), static_cast<UINT>(other.size()), read));
}

TEST_F(CustomizeTest, ALayoutSavedAndLoadedComesBackAndADamagedOrOutdatedOneIsIgnored)
{
    CUXToolBar& bar = frame->m_bar1;
    CString entry = bar.GetStateEntry();
    const std::vector<UINT> original = BarIds(bar);
    std::unique_ptr<CUXCommandRecord> cut(frame->m_bar2.MakeCommandRecord(0));
    ASSERT_TRUE(bar.InsertCommand(*cut, 0));
    ASSERT_TRUE(bar.RemoveButton(bar.CommandToIndex(ID_T_OPEN)));
    const std::vector<UINT> changed = {ID_T_CUT, ID_T_NEW, 0, ID_T_SAVE, ID_T_COLOR};
    ASSERT_EQ(changed, BarIds(bar));
    std::vector<BYTE> layout;
    bar.GetLayout(layout);

    NewFrame();   // saved as the bar went, loaded as it came
    EXPECT_EQ(changed, BarIds(frame->m_bar1));
    std::vector<BYTE> loaded;
    frame->m_bar1.GetLayout(loaded);
    EXPECT_EQ(layout, loaded);
    EXPECT_GE(frame->m_bar1.GetButton(0).iBitmap, 0);   // Cut's image from the bar that has it
    EXPECT_EQ(CUXToolBar::kDropDownColor, frame->m_bar1.GetButtonData(4)->m_nDropDown);
    std::vector<BYTE> saved = StoredValue(entry);
    ASSERT_GT(saved.size(), 10u);

    // One byte changed: the bar starts as the program built it.
    DestroyFrame();
    std::vector<BYTE> damaged = StoredValue(entry);
    damaged[damaged.size() / 2] ^= 0x40;
    StoreValue(entry, damaged);
    MakeFrame();
    EXPECT_EQ(original, BarIds(frame->m_bar1));

    // A program whose bar starts with other buttons ignores what was saved for the old ones.
    StoreValue(entry, saved);
    CUXToolBar other;
    ASSERT_TRUE(other.CreateEx(frame, TBSTYLE_FLAT, WS_CHILD | CBRS_TOP, CRect(0, 0, 0, 0), IDW_TEST_BAR1));
    ASSERT_TRUE(other.LoadToolBar(IDR_TEST_BAR1));
    other.RemoveButton(0);
    other.SetCustomizable(TRUE);
    EXPECT_FALSE(other.LoadState("Settings", entry));
    EXPECT_EQ(4, other.GetCount());
    other.SetCustomizable(FALSE);
}

TEST_F(CustomizeTest, AShortLayoutBehindGoodChecksumsLeavesTheButtons)
{
    CUXToolBar& bar = frame->m_bar1;
    std::vector<BYTE> layout;
    bar.GetLayout(layout);
    // The default's checksum, then a layout that says five buttons but holds two.
    std::vector<BYTE> blob(layout.begin(), layout.begin() + 8 + 2 * 11);
    CMemFile file;
    {
        CArchive ar(&file, CArchive::store);
        ar << static_cast<DWORD>(CUXCrc32::Compute(layout.data(), layout.size()));
        ar.WriteCount(static_cast<DWORD>(blob.size()));
        ar.Write(blob.data(), static_cast<UINT>(blob.size()));
    }
    StoreValue(bar.GetStateEntry(), CUXCrc32::Seal(file.GetData(), file.GetLength()));
    const std::vector<UINT> before = BarIds(bar);
    EXPECT_FALSE(bar.LoadState("Settings", bar.GetStateEntry()));
    EXPECT_EQ(before, BarIds(bar));
    EXPECT_FALSE(bar.ApplyLayout(blob.data(), static_cast<UINT>(blob.size())));
    EXPECT_EQ(before, BarIds(bar));
}

TEST_F(CustomizeTest, ALayoutOf65535BytesOrMoreStoresItsLengthInThirtyTwoBits)
{
    CUXToolBar& bar = frame->m_bar1;
    CUXCommandRecord record;
    record.m_nID = ID_T_RARE2;
    record.m_strText = CString(std::string(70000, 'x').c_str());
    ASSERT_TRUE(bar.InsertCommand(record, 0));
    ASSERT_TRUE(bar.SaveState("Settings", bar.GetStateEntry()));
    std::vector<BYTE> layout;
    bar.GetLayout(layout);
    ASSERT_GE(layout.size(), 65535u);
    std::vector<BYTE> value = StoredValue(bar.GetStateEntry());
    ASSERT_EQ(14 + layout.size(), value.size());
    EXPECT_EQ(0xFF, value[8]);
    EXPECT_EQ(0xFF, value[9]);
    DWORD length = 0;
    std::memcpy(&length, value.data() + 10, 4);
    EXPECT_EQ(layout.size(), length);
    EXPECT_TRUE(std::equal(layout.begin(), layout.end(), value.begin() + 14));

    // And it loads back.
    ASSERT_TRUE(bar.RemoveButton(0));
    EXPECT_TRUE(bar.LoadState("Settings", bar.GetStateEntry()));
    EXPECT_EQ(ID_T_RARE2, bar.GetItemID(0));
}

TEST_F(CustomizeTest, TheControlsOwnCustomizeDialogAsksTheBarAndAResetGoesBackToTheFirstLayout)
{
    CUXToolBar& bar = frame->m_bar1;
    const std::vector<UINT> original = BarIds(bar);
    auto notify = [&](UINT code, NMTOOLBARA& n)
    {
        n.hdr.hwndFrom = bar.m_hWnd;
        n.hdr.idFrom = IDW_TEST_BAR1;
        n.hdr.code = code;
        return frame->SendMessage(WM_NOTIFY, IDW_TEST_BAR1, reinterpret_cast<LPARAM>(&n));
    };
    NMTOOLBARA n = {};
    notify(TBN_BEGINADJUST, n);
    const int openImage = bar.GetButton(bar.CommandToIndex(ID_T_OPEN)).iBitmap;
    ASSERT_GE(openImage, 0);
    ASSERT_TRUE(bar.RemoveButton(bar.CommandToIndex(ID_T_OPEN)));

    // The buttons it offers are those of the first layout, Open included.
    char text[64] = {};
    n = NMTOOLBARA{};
    n.iItem = 1;
    n.pszText = text;
    n.cchText = sizeof(text);
    EXPECT_TRUE(notify(TBN_GETBUTTONINFOA, n));
    EXPECT_EQ(ID_T_OPEN, n.tbButton.idCommand);
    n.iItem = 5;
    EXPECT_FALSE(notify(TBN_GETBUTTONINFOA, n));

    // Anything may be inserted; a hidden command stays.
    EXPECT_TRUE(notify(TBN_QUERYINSERT, n));
    n.tbButton.idCommand = ID_T_NEW;
    EXPECT_TRUE(notify(TBN_QUERYDELETE, n));
    bar.SendMessage(TB_HIDEBUTTON, ID_T_NEW, TRUE);
    EXPECT_FALSE(notify(TBN_QUERYDELETE, n));
    bar.SendMessage(TB_HIDEBUTTON, ID_T_NEW, FALSE);

    // A reset asks first; only Yes puts the first layout back.
    CMessageBoxRecorder boxes(IDNO);
    notify(TBN_RESET, n);
    ASSERT_EQ(1u, boxes.Count());
    EXPECT_EQ("This will restore the toolbar to it's original state, do you wish to continue?", boxes.LastText());
    EXPECT_EQ(4, bar.GetCount());
    boxes.SetAnswer(IDYES);
    notify(TBN_RESET, n);
    EXPECT_EQ(original, BarIds(bar));
    EXPECT_EQ(openImage, bar.GetButton(bar.CommandToIndex(ID_T_OPEN)).iBitmap);   // back with its image

    // The end of the dialog keeps the layout.
    ::RegDeleteTreeA(HKEY_CURRENT_USER, "Software\\VexulTests\\UilibBarsTest\\Settings");
    notify(TBN_ENDADJUST, n);
    EXPECT_FALSE(StoredValue(bar.GetStateEntry()).empty());
}

}   // namespace
