// CUXToolBar: rows and wrapping, the bar's sizes, and the buttons hidden to fit its length.
#include "uilib/core/bars/ToolBar.h"

#include "uilib/core/base/LibraryIds.h"
#include "uilib/core/bars/ToolBarInternal.h"

#include <algorithm>

using namespace ToolBarInternal;

// ---- layout --------------------------------------------------------------------------------------------

int CUXToolBar::ItemWidth(const TBBUTTON& button, int index) const
{
    if (IsSeparator(button))
        return button.iBitmap;
    CRect rect;
    if (SendMessage(TB_GETITEMRECT, static_cast<WPARAM>(index), reinterpret_cast<LPARAM>(&rect)) &&
        rect.Width() > 0)
        return rect.Width();
    return m_sizeButton.cx;
}

int CUXToolBar::WrapButtons(std::vector<TBBUTTON>& buttons, int width) const
{
    int rows = buttons.empty() ? 0 : 1;
    int x = 0;
    size_t rowStart = 0;
    for (size_t i = 0; i < buttons.size(); ++i)
    {
        buttons[i].fsState &= ~TBSTATE_WRAP;
        if (IsHidden(buttons[i]))
            continue;
        int w = ItemWidth(buttons[i], static_cast<int>(i));
        if (x + w > width && x > 0)
        {
            // Wrap after the row's last separator without a command, else after its last button that does
            // not carry a control.
            size_t wrapAt = buttons.size();
            for (size_t j = i; j-- > rowStart;)
                if (!IsHidden(buttons[j]) && IsSeparator(buttons[j]) && buttons[j].idCommand == 0)
                {
                    wrapAt = j;
                    break;
                }
            if (wrapAt == buttons.size())
                for (size_t j = i; j-- > rowStart;)
                    if (!IsHidden(buttons[j]) && !IsPlaceholder(buttons[j]))
                    {
                        wrapAt = j;
                        break;
                    }
            if (wrapAt != buttons.size())
            {
                buttons[wrapAt].fsState |= TBSTATE_WRAP;
                ++rows;
                rowStart = wrapAt + 1;
                x = 0;
                for (size_t k = rowStart; k < i; ++k)
                    if (!IsHidden(buttons[k]))
                        x += ItemWidth(buttons[k], static_cast<int>(k));
            }
        }
        x += w;
    }
    return rows;
}

CSize CUXToolBar::CalcButtonsSize(const std::vector<TBBUTTON>& buttons) const
{
    CSize size(0, 0);
    int x = 0;
    int y = 0;
    int rowHeight = 0;
    for (size_t i = 0; i < buttons.size(); ++i)
    {
        const TBBUTTON& button = buttons[i];
        if (IsHidden(button))
            continue;
        BOOL wrap = (button.fsState & TBSTATE_WRAP) != 0;
        int w = ItemWidth(button, static_cast<int>(i));
        if (!(IsSeparator(button) && wrap))
        {
            x += w;
            size.cx = std::max<LONG>(size.cx, x);
        }
        rowHeight = std::max(rowHeight, static_cast<int>(m_sizeButton.cy));
        if (wrap)
        {
            y += rowHeight;
            if (IsSeparator(button))
                y += w;   // a wrapped separator is a gap between the rows
            rowHeight = 0;
            x = 0;
        }
    }
    size.cy = y + rowHeight;
    // The control starts its first row a little down on some systems: the bar makes room for that too.
    for (size_t i = 0; i < buttons.size(); ++i)
    {
        CRect rect;
        if (!IsHidden(buttons[i]) &&
            SendMessage(TB_GETITEMRECT, static_cast<WPARAM>(i), reinterpret_cast<LPARAM>(&rect)))
        {
            size.cy += std::max<LONG>(0, rect.top);
            break;
        }
    }
    return size;
}

CSize CUXToolBar::CalcLayout(DWORD dwMode, int nLength)
{
    std::vector<TBBUTTON> buttons = ReadButtons();
    BOOL horizontal = (dwMode & LM_HORZ) != 0;
    CRect inside(0, 0, 0, 0);
    CalcInsideRect(inside, horizontal);
    CSize insets(-inside.Width(), -inside.Height());

    if (!(m_dwStyle & CBRS_SIZE_FIXED))
    {
        int width;
        BOOL dynamic = (m_dwStyle & CBRS_SIZE_DYNAMIC) != 0;
        if (dynamic && (dwMode & LM_MRUWIDTH))
            width = m_nMRUWidth;
        else if (dynamic && (dwMode & LM_HORZDOCK))
            width = 32767;
        else if (dynamic && (dwMode & LM_VERTDOCK))
            width = 0;
        else if (nLength == -1)
            width = dynamic && (m_dwStyle & CBRS_FLOATING) ? m_nMRUWidth : (horizontal ? 32767 : 0);
        else
            width = nLength + ((dwMode & LM_LENGTHY) ? 0 : -insets.cx);

        if (dynamic && nLength != -1 && (dwMode & LM_LENGTHY))
        {
            // The narrowest wrap whose height fits the length.
            int height = nLength - insets.cy;
            int low = 0, high = 32767;
            while (low < high)
            {
                int mid = (low + high) / 2;
                WrapButtons(buttons, mid);
                if (CalcButtonsSize(buttons).cy <= height)
                    high = mid;
                else
                    low = mid + 1;
            }
            width = low;
        }
        else if (dynamic && width > 0 && width < 32767)
        {
            // The narrowest wrap that keeps the rows the given width makes.
            int rows = WrapButtons(buttons, width);
            int low = 0, high = width;
            while (low < high)
            {
                int mid = (low + high) / 2;
                if (WrapButtons(buttons, mid) <= rows)
                    high = mid;
                else
                    low = mid + 1;
            }
            width = low;
        }
        WrapButtons(buttons, width);
    }

    CSize size = CalcButtonsSize(buttons);
    BOOL empty = std::none_of(buttons.begin(), buttons.end(), [](const TBBUTTON& b) { return !IsHidden(b); });
    if (empty)
        size = CSize(std::max<LONG>(size.cx, kMinimumEmpty), std::max<LONG>(size.cy, kMinimumEmpty));
    if (IsChevronCounted())
    {
        if (horizontal)
            size.cx += kChevronLength;
        else
            size.cy += kChevronLength;
    }

    if (dwMode & LM_COMMIT)
    {
        if ((m_dwStyle & CBRS_FLOATING) && (m_dwStyle & CBRS_SIZE_DYNAMIC))
            m_nMRUWidth = size.cx;
        WriteWrapStates(buttons);
        m_bDirty = FALSE;
        RebuildRecords();
        for (HWND control : ControlWindows())
            PositionControl(CWnd::FromHandle(control));
        PlaceExpandButton(size, horizontal);
    }
    size += insets;
    return size;
}

void CUXToolBar::PlaceExpandButton(const CSize& size, BOOL horizontal)
{
    if (m_pExpButton == nullptr || m_pExpButton->m_hWnd == nullptr)
        return;
    BOOL wasVisible = m_pExpButton->IsWindowVisible();
    BOOL show = !(m_dwStyle & CBRS_FLOATING) && (m_bCustomizable || HasHiddenButtons());
    if (show)
    {
        // After the last visible button: at the end of a horizontal bar, below a vertical one.
        CRect rect = horizontal ? CRect(size.cx - (kChevronLength - 1), 1, size.cx, size.cy - 1)
                                : CRect(1, size.cy - (kChevronLength - 1), size.cx - 1, size.cy);
        m_pExpButton->SetWindowPos(nullptr, rect.left, rect.top, rect.Width(), rect.Height(),
                                   SWP_NOZORDER | SWP_NOACTIVATE | SWP_SHOWWINDOW);
    }
    else if (wasVisible)
    {
        m_pExpButton->ShowWindow(SW_HIDE);
    }
    if (wasVisible != show)
        PostMessage(WM_IDLEUPDATECMDUI, TRUE);
}

void CUXToolBar::Layout()
{
    if (m_hWnd == nullptr)
        return;
    if ((m_dwStyle & CBRS_FLOATING) && (m_dwStyle & CBRS_SIZE_DYNAMIC))
        CalcLayout(LM_HORZ | LM_MRUWIDTH | LM_COMMIT);
    else if (m_dwStyle & CBRS_ORIENT_HORZ)
        CalcLayout(LM_HORZ | LM_HORZDOCK | LM_COMMIT);
    else
        CalcLayout(LM_VERTDOCK | LM_COMMIT);
}

CSize CUXToolBar::CalcFixedLayout(BOOL bStretch, BOOL bHorz)
{
    DWORD mode = (bStretch ? LM_STRETCH : 0) | (bHorz ? LM_HORZ : 0);
    CSize size = CalcLayout(mode);
    if (bStretch)
        (bHorz ? size.cx : size.cy) = 32767;
    return size;
}

CSize CUXToolBar::CalcDynamicLayout(int nLength, DWORD dwMode)
{
    if ((nLength == -1) && !(dwMode & LM_MRUWIDTH) && !(dwMode & LM_COMMIT) &&
        ((dwMode & LM_HORZDOCK) || (dwMode & LM_VERTDOCK)))
        return CalcFixedLayout(dwMode & LM_STRETCH, dwMode & LM_HORZDOCK);
    return CalcLayout(dwMode, nLength);
}

void CUXToolBar::OnBarStyleChange(DWORD dwOldStyle, DWORD dwNewStyle)
{
    if (m_hWnd != nullptr && ((dwOldStyle ^ dwNewStyle) & CBRS_BORDER_ANY))
        SetWindowPos(nullptr, 0, 0, 0, 0,
                     SWP_NOSIZE | SWP_NOMOVE | SWP_NOZORDER | SWP_NOACTIVATE | SWP_FRAMECHANGED);
    m_bDirty = TRUE;
    if (dwOldStyle != dwNewStyle && m_hWnd != nullptr)
    {
        // The buttons take the rows or the column of the new side now: a bar standing on the left or right
        // lays them out one below the other.
        ShowHiddenByFit();
        Layout();
    }
}

void CUXToolBar::RequestRelayout()
{
    if (m_hWnd != nullptr)
        PostMessage(UXM_TOOLBAR_RELAYOUT, 0, ++m_nRelayoutRequest);
}

LRESULT CUXToolBar::OnRelayout(WPARAM, LPARAM lParam)
{
    if (lParam != m_nRelayoutRequest)
        return 0;   // a later request will do it
    if (m_bPendingNotify)
    {
        m_bPendingNotify = FALSE;
        CRect rect;
        GetWindowRect(&rect);
        if (CWnd* pParent = GetParent())
            pParent->PostMessage(UXM_REBAR_CHILD_RESIZED, reinterpret_cast<WPARAM>(m_hWnd), rect.Width());
        RequestRelayout();
        return 0;
    }
    if (m_bDirty)
        Layout();
    if (CFrameWnd* pFrame = GetParentFrame())
        pFrame->RecalcLayout();
    PositionControls();
    ApplyDelayedShow();
    RedrawWindow(nullptr, nullptr, RDW_INVALIDATE | RDW_FRAME | RDW_ALLCHILDREN);
    return 0;
}

// ---- fitting -------------------------------------------------------------------------------------------

void CUXToolBar::ShowHiddenByFit()
{
    for (const auto& hidden : m_hiddenByFit)
        if (hidden.first < GetCount())
            SendMessage(TB_HIDEBUTTON, static_cast<WPARAM>(GetItemID(hidden.first)), FALSE);
    if (!m_hiddenByFit.empty())
        m_bDirty = TRUE;
    m_hiddenByFit.clear();
    RebuildRecords();
}

BOOL CUXToolBar::IsChevronCounted() const
{
    return m_pExpButton != nullptr && HasExpandButton() && (m_bCustomizable || HasHiddenButtons()) &&
           (m_bInReBar || !(m_dwStyle & CBRS_FLOATING));
}

void CUXToolBar::FitToLength(int length)
{
    if (m_hWnd == nullptr)
        return;
    BOOL horizontal = IsHorizontalLayout();
    // The bar's length without the chevron.
    auto measure = [&]()
    {
        CSize size = CalcLayout(horizontal ? LM_HORZ : 0);
        return (horizontal ? size.cx : size.cy) - (IsChevronCounted() ? kChevronLength : 0);
    };
    auto setHidden = [&](int index, BOOL hide)
    {
        TBBUTTONINFOA info = {};
        info.cbSize = sizeof(info);
        info.dwMask = TBIF_STATE | TBIF_BYINDEX;
        BYTE state = GetButton(index).fsState;
        info.fsState = static_cast<BYTE>(hide ? state | TBSTATE_HIDDEN : state & ~TBSTATE_HIDDEN);
        SendMessage(TB_SETBUTTONINFOA, static_cast<WPARAM>(index), reinterpret_cast<LPARAM>(&info));
        m_bDirty = TRUE;
    };
    auto visibleCount = [&]()
    {
        std::vector<TBBUTTON> buttons = ReadButtons();
        return std::count_if(buttons.begin(), buttons.end(), [](const TBBUTTON& b) { return !IsHidden(b); });
    };
    if (measure() > length)
    {
        // From the last button backwards until the bar and its chevron fit, keeping one button.
        for (int i = GetCount(); i-- > 0 && measure() + kChevronLength > length && visibleCount() > 1;)
        {
            TBBUTTON button = GetButton(i);
            if (IsHidden(button))
                continue;
            m_hiddenByFit[i] = ItemWidth(button, i);
            setHidden(i, TRUE);
        }
    }
    else
    {
        // Back in their order while the bar still fits (the chevron stays while any is hidden).
        while (!m_hiddenByFit.empty())
        {
            auto first = m_hiddenByFit.begin();
            setHidden(first->first, FALSE);
            int wanted = measure() + (m_hiddenByFit.size() > 1 ? kChevronLength : 0);
            if (wanted > length)
            {
                setHidden(first->first, TRUE);
                break;
            }
            m_hiddenByFit.erase(first);
        }
    }
    RebuildRecords();
    CalcLayout((horizontal ? LM_HORZ : 0) | LM_COMMIT, length);
    RequestRelayout();
}

void CUXToolBar::CopyHiddenButtons(CUXToolBar* pTarget, int width)
{
    if (pTarget == nullptr || pTarget->m_hWnd == nullptr || pTarget == this)
        return;
    pTarget->m_bOriginal = FALSE;
    pTarget->SetButtons(nullptr, 0);
    pTarget->SetSizes(m_sizeButton, m_sizeImage);
    // The same images: a copy of the bitmap, or the image lists themselves (the control owns none of them).
    if (m_bitmap.GetSafeHandle() != nullptr)
    {
        CBitmap copy;
        if (copy.Attach(::CopyImage(GetBitmap(), IMAGE_BITMAP, 0, 0, 0)))
            pTarget->SetBitmap(copy);
    }
    else
    {
        pTarget->SendMessage(TB_SETIMAGELIST, 0, SendMessage(TB_GETIMAGELIST));
        pTarget->SendMessage(TB_SETHOTIMAGELIST, 0, SendMessage(TB_GETHOTIMAGELIST));
        pTarget->SendMessage(TB_SETDISABLEDIMAGELIST, 0, SendMessage(TB_GETDISABLEDIMAGELIST));
    }
    if (m_dwDrawTextMask != 0)
        pTarget->SendMessage(TB_SETDRAWTEXTFLAGS, m_dwDrawTextMask, m_dwDrawTextFlags);
    pTarget->SendMessage(TB_SETEXTENDEDSTYLE, 0, SendMessage(TB_GETEXTENDEDSTYLE));

    int widest = 0;
    for (const auto& hidden : m_hiddenByFit)
    {
        if (hidden.first >= GetCount())
            continue;
        TBBUTTON button = GetButton(hidden.first);
        button.fsState &= ~(TBSTATE_HIDDEN | TBSTATE_WRAP);
        CString text = GetButtonText(hidden.first);
        button.iString = -1;
        int index = pTarget->GetCount();
        pTarget->SendMessage(TB_ADDBUTTONSA, 1, reinterpret_cast<LPARAM>(&button));
        if (!text.IsEmpty())
            pTarget->SetButtonText(index, text);
        widest = std::max(widest, hidden.second);
        UINT id = static_cast<UINT>(button.idCommand);
        auto data = m_buttonData.find(id);
        if (!IsSeparator(button) && data != m_buttonData.end() && data->second != nullptr)
            pTarget->m_buttonData[id].reset(new CUXToolButtonData(*data->second));
    }
    pTarget->RebuildRecords();
    // The controls over hidden placeholders move into the copy.
    for (const ButtonRecord& record : m_records)
    {
        if (record.hWndControl == nullptr || !IsHidden(record.button) ||
            m_hiddenByFit.find(static_cast<int>(&record - m_records.data())) == m_hiddenByFit.end())
            continue;
        ::SetParent(record.hWndControl, pTarget->m_hWnd);
        pTarget->AttachControl(CWnd::FromHandle(record.hWndControl), record.bold);
    }
    std::vector<TBBUTTON> buttons = pTarget->ReadButtons();
    pTarget->WrapButtons(buttons, std::max(width, widest));
    pTarget->WriteWrapStates(buttons);
    pTarget->m_bDirty = TRUE;
}

CSize CUXToolBar::GetMinimumSize()
{
    CRect inside(0, 0, 0, 0);
    BOOL horizontal = IsHorizontalLayout();
    CalcInsideRect(inside, horizontal);
    CSize size(-inside.Width(), -inside.Height());
    std::vector<TBBUTTON> buttons = ReadButtons();
    for (size_t i = 0; i < buttons.size(); ++i)
        if (!IsHidden(buttons[i]))
        {
            size.cx += ItemWidth(buttons[i], static_cast<int>(i));
            size.cy += m_sizeButton.cy;
            break;
        }
    (horizontal ? size.cx : size.cy) += kChevronLength;
    return size;
}

BOOL CUXToolBar::GetReBarBandInfo(REBARBANDINFOA* info, BOOL horizontal)
{
    // A bar in a rebar never docks: joining its band is when it takes the user's layout back.
    if (m_bCustomizable)
        LoadState("Settings", m_strStateEntry);
    if (!CUXControlBar::GetReBarBandInfo(info, horizontal))
        return FALSE;
    if (m_pExpButton != nullptr)
    {
        info->cxIdeal = horizontal ? info->cxMinChild : info->cyMinChild;
        info->cx = info->cxIdeal + 14;
        info->fMask |= RBBIM_SIZE | RBBIM_IDEALSIZE;
        CSize minimum = GetMinimumSize();
        if (horizontal)
            info->cxMinChild = static_cast<UINT>(minimum.cx);
        else
            info->cyMinChild = static_cast<UINT>(minimum.cy);
    }
    return TRUE;
}

void CUXToolBar::OnReBarNotify(LPARAM value, BOOL)
{
    // The band's new size: its rectangle.
    const RECT* band = reinterpret_cast<const RECT*>(value);
    if (band == nullptr)
        return;
    FitToLength(IsHorizontalLayout() ? band->right - band->left : band->bottom - band->top);
}

// ---- the buttons hidden to fit ----------------------------------------------------------------------------

std::vector<int> CUXToolBar::GetHiddenButtons() const
{
    std::vector<int> hidden;
    for (const auto& entry : m_hiddenByFit)
        hidden.push_back(entry.first);
    return hidden;
}
