#include "editor/ObjectListDlg.h"

#include "editor/EditorControls.h"
#include "editor/HelpTopics.h"
#include "editor/SlideObjectEditing.h"
#include "resources/editor/resource.h"
#include "show/Language.h"
#include "show/Slide.h"

#include <algorithm>
#include <vector>

// ---- CItemListCtrl -----------------------------------------------------------------------------------------

IMPLEMENT_DYNAMIC(CItemListCtrl, CUXListCtrl)

int CItemListCtrl::GetLastSelectedItem() const
{
    int last = -1;
    for (int item = GetNextItem(-1, LVNI_SELECTED); item >= 0; item = GetNextItem(item, LVNI_SELECTED))
        last = item;
    return last;
}

void CItemListCtrl::SelectItem(int index)
{
    SetItemState(index, LVIS_SELECTED | LVIS_FOCUSED, LVIS_SELECTED | LVIS_FOCUSED);
    EnsureVisible(index, FALSE);
}

// ---- CObjectListDlg ----------------------------------------------------------------------------------------

BEGIN_MESSAGE_MAP(CObjectListDlg, CDialog)
    ON_BN_CLICKED(IDC_LIST_EDIT, OnEditObject)
    ON_BN_CLICKED(IDC_LIST_DUPLICATE, OnDuplicateObject)
    ON_BN_CLICKED(IDC_LIST_DELETE, OnDeleteObject)
    ON_BN_CLICKED(IDC_LIST_UP, OnMoveUp)
    ON_BN_CLICKED(IDC_LIST_DOWN, OnMoveDown)
    ON_BN_CLICKED(IDC_DIALOG_HELP, OnHelp)
    ON_NOTIFY(NM_DBLCLK, IDC_OBJECT_TABLE, OnListDblClk)
    ON_NOTIFY(NM_CLICK, IDC_OBJECT_TABLE, OnListChanged)
    ON_NOTIFY(LVN_ITEMCHANGED, IDC_OBJECT_TABLE, OnListChanged)
END_MESSAGE_MAP()

namespace
{

struct Column
{
    UINT heading;
    int format;
    int width;
};

const Column kColumns[] = {
    {IDS_OBJECT_LIST_NUMBER, LVCFMT_RIGHT, 30},    {IDS_OBJECT_LIST_TYPE, LVCFMT_LEFT, 70},
    {IDS_OBJECT_LIST_TIME, LVCFMT_RIGHT, 65},      {IDS_OBJECT_LIST_X, LVCFMT_RIGHT, 40},
    {IDS_OBJECT_LIST_Y, LVCFMT_RIGHT, 40},         {IDS_OBJECT_LIST_WIDTH, LVCFMT_RIGHT, 40},
    {IDS_OBJECT_LIST_HEIGHT, LVCFMT_RIGHT, 45},    {IDS_OBJECT_LIST_ANIMATION, LVCFMT_LEFT, 120},
    {IDS_OBJECT_LIST_CONTENT, LVCFMT_LEFT, 400},
};

// The header leaves this much room on either side of a heading.
const int kHeaderTextMargin = 6;

CString Number(int value)
{
    CString text;
    text.Format("%d", value);
    return text;
}

CString KindText(int kind)
{
    CString text;
    switch (kind)
    {
    case CSlideObjSlot::KIND_TEXT: text.LoadString(IDS_KIND_TEXT); break;
    case CSlideObjSlot::KIND_IMAGE: text.LoadString(IDS_KIND_IMAGE); break;
    case CSlideObjSlot::KIND_RECTANGLE: text.LoadString(IDS_KIND_RECTANGLE); break;
    default: break;
    }
    return text;
}

}   // namespace

CObjectListDlg::CObjectListDlg(CWnd* pParent)
    : CDialog(IDD_OBJECT_LIST, pParent), m_nWidth(0), m_nHeight(0), m_pSlide(nullptr), m_cLanguage('E'),
      m_nSlideIndex(-1), m_pPack(nullptr), m_nGrid(1)
{
}

void CObjectListDlg::DoDataExchange(CDataExchange* pDX)
{
    CDialog::DoDataExchange(pDX);
    DDX_Control(pDX, IDC_OBJECT_TABLE, m_list);
}

void CObjectListDlg::LoadButtonImages(CBitmapButton& button, UINT normal, UINT pressed, UINT disabled)
{
    const struct
    {
        CBitmap& bitmap;
        UINT id;
    } images[] = {{button.m_bitmap, normal}, {button.m_bitmapSel, pressed}, {button.m_bitmapDisabled, disabled}};
    for (const auto& image : images)
    {
        image.bitmap.DeleteObject();
        image.bitmap.Attach(::LoadImageA(AfxGetResourceHandle(), MAKEINTRESOURCEA(image.id), IMAGE_BITMAP, 0, 0,
                                         LR_LOADMAP3DCOLORS));
    }
    BITMAP info = {};
    if (button.m_bitmap.GetBitmap(&info))
        button.SetWindowPos(nullptr, 0, 0, info.bmWidth, info.bmHeight, SWP_NOMOVE | SWP_NOZORDER);
}

BOOL CObjectListDlg::OnInitDialog()
{
    CDialog::OnInitDialog();
    if (m_pSlide == nullptr)
    {
        PostMessage(WM_COMMAND, IDCANCEL);
        return TRUE;
    }
    m_cLanguage = GetLanguage();
    if (m_nSlideIndex >= 0)
    {
        CString title;
        GetWindowText(title);
        SetWindowText(title + FormatString(IDS_OBJECT_LIST_SLIDE, m_nSlideIndex + 1));
    }
    m_btnUp.SubclassDlgItem(IDC_LIST_UP, this);
    m_btnDown.SubclassDlgItem(IDC_LIST_DOWN, this);
    LoadButtonImages(m_btnUp, IDB_OBJECT_UP, IDB_OBJECT_UP_PRESSED, IDB_OBJECT_UP_DISABLED);
    LoadButtonImages(m_btnDown, IDB_OBJECT_DOWN, IDB_OBJECT_DOWN_PRESSED, IDB_OBJECT_DOWN_DISABLED);
    for (const Column& column : kColumns)
    {
        CString heading;
        heading.LoadString(column.heading);
        // A heading is never cut short.
        int needed = static_cast<int>(m_list.SendMessage(LVM_GETSTRINGWIDTHA, 0,
                                                         reinterpret_cast<LPARAM>(heading.GetString()))) +
                     2 * kHeaderTextMargin;
        m_list.AddColumn(heading, std::max(column.width, needed), column.format);
    }
    m_list.AddExtendedStyle(LVS_EX_GRIDLINES | LVS_EX_FULLROWSELECT);
    FillList();
    UpdateButtons();
    return TRUE;
}

void CObjectListDlg::FillList()
{
    m_list.DeleteAllItems();
    if (m_pSlide == nullptr)
        return;
    CClientDC dc(&m_list);
    CString fadeIn, fadeOut;
    m_pSlide->m_Background.m_FadeIn.GetText(m_cLanguage, fadeIn);
    m_pSlide->m_Background.m_FadeOut.GetText(m_cLanguage, fadeOut);
    const CString background[] = {"0",
                                  "Background",
                                  "0",
                                  "0",
                                  "0",
                                  Number(m_nWidth),
                                  Number(m_nHeight),
                                  fadeIn + " / " + fadeOut,
                                  m_pSlide->m_Background.m_strImageFile};
    m_list.InsertItem(0, background[0]);
    for (int column = 1; column < static_cast<int>(std::size(background)); column++)
        m_list.SetItemText(0, column, background[column]);

    for (int i = 0; i < CSlide::MaxObjects; i++)
    {
        CSlideObjSlot* slot = m_pSlide->GetSlot(i);
        if (!slot || !slot->m_bUsed)
            continue;
        int x = 0, y = 0;
        slot->GetPosition(x, y);
        // A text edited since it was last drawn shows its new size.
        if (slot->m_nKind == CSlideObjSlot::KIND_TEXT)
            slot->m_Text.MeasureDrawnSize(&dc);
        CRect rect;
        slot->GetRect(rect);
        CString animation, info;
        slot->GetAnimationName(animation);
        slot->GetInfoText(info);
        const CString texts[] = {Number(i + 1), KindText(slot->m_nKind), Number(slot->GetDelay()), Number(x),
                                 Number(y),     Number(rect.Width()),    Number(rect.Height()),    animation,
                                 info};
        int row = m_list.InsertItem(m_list.GetItemCount(), texts[0]);
        for (int column = 1; column < static_cast<int>(std::size(texts)); column++)
            m_list.SetItemText(row, column, texts[column]);
        m_list.SetItemData(row, static_cast<DWORD_PTR>(i));
    }
}

int CObjectListDlg::GetSelectedRow() const
{
    return m_list.GetNextItem(-1, LVNI_SELECTED);
}

void CObjectListDlg::UpdateButtons()
{
    int rows = m_list.GetItemCount();
    int row = GetSelectedRow();
    int selected = static_cast<int>(m_list.GetSelectedCount());
    GetDlgItem(IDC_LIST_EDIT)->EnableWindow(selected == 1 && row > 0);
    GetDlgItem(IDC_LIST_DUPLICATE)->EnableWindow(selected == 1 && rows < MAX_ROWS && row > 0);
    GetDlgItem(IDC_LIST_DELETE)->EnableWindow(row > 0);
    GetDlgItem(IDC_LIST_DOWN)->EnableWindow(row > 0);
    GetDlgItem(IDC_LIST_UP)->EnableWindow(row > 0 && row < MAX_ROWS);
}

void CObjectListDlg::OnListDblClk(NMHDR*, LRESULT* pResult)
{
    UpdateButtons();
    OnEditObject();
    *pResult = 0;
}

void CObjectListDlg::OnListChanged(NMHDR*, LRESULT* pResult)
{
    UpdateButtons();
    *pResult = 0;
}

void CObjectListDlg::OnEditObject()
{
    int row = GetSelectedRow();
    if (row < 1 || m_pSlide == nullptr)
        return;
    SlideObjectContext context = {m_pSlide, m_nWidth, m_nHeight, m_nGrid, m_strProjectFolder, m_pPack};
    ObjectApplyChoices choices = {0, 0};
    if (EditSlideObject(this, context, row - 1, choices))
    {
        FillList();
        m_list.SelectItem(row);
    }
    UpdateButtons();
}

void CObjectListDlg::OnDuplicateObject()
{
    int row = GetSelectedRow();
    if (row < 1 || m_pSlide == nullptr || m_list.GetItemCount() >= MAX_ROWS)
        return;
    SlideObjectContext context = {m_pSlide, m_nWidth, m_nHeight, m_nGrid, m_strProjectFolder, m_pPack};
    int copy = DuplicateSlideObject(this, context, row - 1);
    if (copy >= 0)
    {
        // The slide's objects stay packed, so the copy's row follows from its slot.
        m_pSlide->CompactObjects();
        FillList();
        m_list.SelectItem(copy + 1);
    }
    UpdateButtons();
}

void CObjectListDlg::OnDeleteObject()
{
    if (m_pSlide == nullptr)
        return;
    // Every selected object is asked about first; the confirmed ones then go from the highest slot down,
    // so that a removal does not shift the ones still to come.
    std::vector<int> confirmed;
    for (int row = m_list.GetNextItem(-1, LVNI_SELECTED); row >= 0; row = m_list.GetNextItem(row, LVNI_SELECTED))
        if (row > 0 && ConfirmDeleteObject(*m_pSlide, row - 1))
            confirmed.push_back(row - 1);
    std::sort(confirmed.rbegin(), confirmed.rend());
    for (int slot : confirmed)
        m_pSlide->DeleteObject(slot);
    FillList();
    UpdateButtons();
}

void CObjectListDlg::SwapRows(int row, int otherRow)
{
    std::swap(m_pSlide->m_pSlots[row - 1], m_pSlide->m_pSlots[otherRow - 1]);
    FillList();
    m_list.SelectItem(otherRow);
    UpdateButtons();
}

void CObjectListDlg::OnMoveUp()
{
    int row = GetSelectedRow();
    if (m_pSlide != nullptr && UpdateData(TRUE) && row > 1)
        SwapRows(row, row - 1);
}

void CObjectListDlg::OnMoveDown()
{
    int row = GetSelectedRow();
    if (m_pSlide != nullptr && UpdateData(TRUE) && row > 0 && row < m_list.GetItemCount() - 1)
        SwapRows(row, row + 1);
}

void CObjectListDlg::OnHelp()
{
    ShowHelpTopic("vc_objectlist.htm");
}
