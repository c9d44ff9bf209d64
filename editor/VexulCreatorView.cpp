#include "editor/VexulCreatorView.h"

#include "editor/CompileDlg.h"
#include "editor/EditorControls.h"
#include "editor/FileHelpers.h"
#include "editor/ImageSizeDlg.h"
#include "editor/NewSlideDlg.h"
#include "editor/SlideEditorDlg.h"
#include "editor/VexulCreatorApp.h"
#include "editor/VexulCreatorDoc.h"
#include "resources/editor/resource.h"

#include <algorithm>
#include <cstdlib>

// ---- CTestDlg -------------------------------------------------------------------------------------------

BEGIN_MESSAGE_MAP(CTestDlg, CDialog)
    ON_BN_CLICKED(IDC_TEST_FIRST_SLIDE, OnFirstSlide)
END_MESSAGE_MAP()

CTestDlg::CTestDlg(CWnd* pParent) : CDialog(IDD_TEST, pParent), m_nSlide(1)
{
}

void CTestDlg::DoDataExchange(CDataExchange* pDX)
{
    CDialog::DoDataExchange(pDX);
    DDX_Text(pDX, IDC_TEST_SLIDE, m_nSlide);
}

void CTestDlg::OnFirstSlide()
{
    m_nSlide = 1;
    UpdateData(FALSE);
}

// ---- CVexulCreatorView ----------------------------------------------------------------------------------

namespace
{

const COLORREF kSelectionColour = RGB(255, 0, 0);
const COLORREF kFirstFreeFrame = RGB(0, 0, 0);
const COLORREF kFirstFreeText = RGB(160, 160, 160);
const COLORREF kEmptyFrame = RGB(224, 224, 224);
const COLORREF kDragTargetFrame = RGB(0, 0, 128);

void FrameRectangle(CDC* pDC, const CRect& rect, COLORREF colour)
{
    CBrush brush;
    brush.CreateSolidBrush(colour);
    pDC->FrameRect(&rect, &brush);
}

}   // namespace

IMPLEMENT_DYNCREATE(CVexulCreatorView, CScrollView)

BEGIN_MESSAGE_MAP(CVexulCreatorView, CScrollView)
    ON_WM_CREATE()
    ON_WM_DESTROY()
    ON_WM_SIZE()
    ON_WM_LBUTTONDOWN()
    ON_WM_MOUSEMOVE()
    ON_WM_LBUTTONUP()
    ON_WM_LBUTTONDBLCLK()
    ON_WM_RBUTTONDOWN()
    ON_WM_DROPFILES()
    ON_MESSAGE(WM_THUMBNAIL_READY, OnThumbnailReady)
    ON_COMMAND(ID_SLIDE_ADD, OnSlideAdd)
    ON_COMMAND(ID_POPUP_ADD_SLIDE, OnSlideAdd)
    ON_COMMAND(ID_SLIDE_EDIT, OnSlideEdit)
    ON_COMMAND(ID_POPUP_EDIT_SLIDE, OnSlideEdit)
    ON_COMMAND(ID_SLIDE_DELETE, OnSlideDelete)
    ON_COMMAND(ID_POPUP_DELETE_SLIDE, OnSlideDelete)
    ON_COMMAND(ID_SLIDE_ORDER, OnSlideOrder)
    ON_COMMAND(ID_POPUP_SLIDE_ORDER, OnSlideOrder)
    ON_COMMAND(ID_SLIDE_COPY, OnSlideCopy)
    ON_COMMAND(ID_SLIDE_PASTE, OnSlidePaste)
    ON_COMMAND(ID_PROJECT_TEST, OnProjectTest)
    ON_COMMAND(ID_SLIDE_TEST_SELECTED, OnTestSelected)
    ON_COMMAND(ID_POPUP_TEST_SHOW, OnTestShow)
    ON_COMMAND(ID_PROJECT_SETTINGS, OnProjectSettings)
    ON_COMMAND(ID_COMPILE_PROJECT, OnCompileProject)
    ON_COMMAND(ID_EDIT_AFTER_DOUBLE_CLICK, OnEditAfterDoubleClick)
    ON_COMMAND(ID_STOP_THUMBNAILS, OnStopThumbnails)
    ON_UPDATE_COMMAND_UI(ID_SLIDE_ADD, OnUpdateSlideAdd)
    ON_UPDATE_COMMAND_UI(ID_SLIDE_EDIT, OnUpdateSelectedSlide)
    ON_UPDATE_COMMAND_UI(ID_SLIDE_DELETE, OnUpdateSelectedSlide)
    ON_UPDATE_COMMAND_UI(ID_SLIDE_COPY, OnUpdateSelectedSlide)
    ON_UPDATE_COMMAND_UI(ID_SLIDE_TEST_SELECTED, OnUpdateSelectedSlide)
    ON_UPDATE_COMMAND_UI(ID_SLIDE_ORDER, OnUpdateSlideOrder)
    ON_UPDATE_COMMAND_UI(ID_SLIDE_PASTE, OnUpdateSlidePaste)
    ON_UPDATE_COMMAND_UI(ID_PROJECT_TEST, OnUpdateTest)
    ON_UPDATE_COMMAND_UI(ID_COMPILE_PROJECT, OnUpdateTest)
    ON_UPDATE_COMMAND_UI(ID_PROJECT_SETTINGS, OnUpdateProjectSettings)
END_MESSAGE_MAP()

CVexulCreatorView::CVexulCreatorView()
    : m_nSlideCount(0), m_nSelection(-1), m_bOrderMode(FALSE), m_nNextOrder(0), m_bDragging(FALSE),
      m_ptDragStart(-1, -1), m_nCellCount(CELL_COUNT)
{
    LayoutCells();
}

CVexulCreatorView::~CVexulCreatorView()
{
    m_worker.Stop();
    for (CCell& cell : m_cells)
        FreeCell(cell);
}

CVexulCreatorDoc* CVexulCreatorView::GetDocument() const
{
    return static_cast<CVexulCreatorDoc*>(m_pDocument);
}

const CString& CVexulCreatorView::GetCellFile(int cell) const
{
    static const CString none;
    return cell >= 0 && cell < CELL_COUNT ? m_cells[cell].file : none;
}

HBITMAP CVexulCreatorView::GetCellBitmap(int cell) const
{
    if (cell < 0 || cell >= CELL_COUNT || !m_cells[cell].bitmap)
        return nullptr;
    return static_cast<HBITMAP>(m_cells[cell].bitmap->GetSafeHandle());
}

CRect CVexulCreatorView::GetCellRect(int cell) const
{
    return cell >= 0 && cell < CELL_COUNT ? m_cells[cell].rect : CRect();
}

void CVexulCreatorView::LayoutCells()
{
    for (int i = 0; i < CELL_COUNT; i++)
    {
        int left = (i % CELLS_PER_ROW) * CELL_STEP_X + CELL_MARGIN;
        int top = (i / CELLS_PER_ROW) * CELL_STEP_Y + CELL_MARGIN;
        m_cells[i].rect = CRect(left, top, left + CELL_WIDTH, top + CELL_HEIGHT);
    }
}

void CVexulCreatorView::FreeCell(CCell& cell)
{
    cell.bitmap.reset();
    cell.pictureWidth = 0;
    cell.pictureHeight = 0;
}

BOOL CVexulCreatorView::IsProjectOpen() const
{
    CVexulCreatorDoc* doc = GetDocument();
    return doc != nullptr && doc->IsProjectOpen();
}

BOOL CVexulCreatorView::HasSelection() const
{
    return IsProjectOpen() && !m_bOrderMode && m_nSelection >= 0 && m_nSelection < m_nSlideCount;
}

BOOL CVexulCreatorView::CanAddSlide() const
{
    return IsProjectOpen() && !m_bOrderMode && m_nSlideCount < m_nCellCount;
}

BOOL CVexulCreatorView::CanTest() const
{
    return IsProjectOpen() && !m_bOrderMode && m_nSlideCount >= 1;
}

void CVexulCreatorView::PostToFrame(UINT command) const
{
    CWnd* frame = GetParentFrame();
    if (frame != nullptr)
        frame->PostMessage(WM_COMMAND, command, 0);
}

CPoint CVexulCreatorView::ScrollOffset() const
{
    return GetScrollPosition();
}

int CVexulCreatorView::HitTest(CPoint point) const
{
    point += ScrollOffset();
    for (int i = 0; i < m_nCellCount; i++)
        if (m_cells[i].rect.PtInRect(point))
            return i;
    return -1;
}

void CVexulCreatorView::InvalidateCell(int cell, int inflate)
{
    if (cell < 0 || cell >= CELL_COUNT || m_hWnd == nullptr)
        return;
    CRect rect = m_cells[cell].rect;
    rect.InflateRect(inflate + 3, inflate + 3);
    rect -= ScrollOffset();
    InvalidateRect(&rect, TRUE);
}

// ---- life -----------------------------------------------------------------------------------------------

int CVexulCreatorView::OnCreate(LPCREATESTRUCT lpCreateStruct)
{
    if (CScrollView::OnCreate(lpCreateStruct) == -1)
        return -1;
    DragAcceptFiles(TRUE);
    EnableToolTips(TRUE);
    return 0;
}

void CVexulCreatorView::OnDestroy()
{
    StopThumbnails();
    CScrollView::OnDestroy();
}

void CVexulCreatorView::ResetCells()
{
    StopThumbnails();
    for (int i = 0; i < CELL_COUNT; i++)
    {
        FreeCell(m_cells[i]);
        m_cells[i].file.Empty();
        m_cells[i].order = -1;
    }
    m_nSlideCount = 0;
    m_nSelection = -1;
    m_bOrderMode = FALSE;
    m_nNextOrder = 0;
    m_bDragging = FALSE;
    m_rcDragTarget.SetRectEmpty();
    m_ptDragStart = CPoint(-1, -1);
    CVexulCreatorDoc* doc = GetDocument();
    if (doc == nullptr)
        return;
    m_nSlideCount = doc->CountSlides();
    for (int i = 0; i < m_nSlideCount; i++)
        m_cells[i].file = Path::FileNameOf(doc->GetSlideImageFile(i));
}

void CVexulCreatorView::OnInitialUpdate()
{
    m_nCellCount = CELL_COUNT;
    CScrollView::OnInitialUpdate();
    SetScrollSizes(MM_TEXT, CSize(SCROLL_WIDTH, (m_nCellCount / CELLS_PER_ROW) * CELL_STEP_Y + CELL_MARGIN));
    ResetCells();
    m_bNamePicturesAfterOpen = TRUE;
    m_unreadablePictures.clear();
    CRect desktop;
    ::GetWindowRect(::GetDesktopWindow(), &desktop);
    if (desktop.Width() <= 640 || desktop.Height() <= 480)
    {
        if (AfxMessageBox(IDS_SCREEN_TOO_SMALL, MB_YESNO | MB_ICONEXCLAMATION) == IDYES)
            PostToFrame(ID_APP_EXIT);
    }
    RenderMissingThumbnails();
    Invalidate();
}

void CVexulCreatorView::OnUpdate(CView* pSender, LPARAM lHint, CObject* pHint)
{
    switch (lHint)
    {
    case HINT_STOP_THUMBNAILS: StopThumbnails(); break;
    case HINT_RENDER_THUMBNAILS: RenderMissingThumbnails(); break;
    case HINT_PROJECT_RELOADED:
        ResetCells();
        RenderMissingThumbnails();
        Invalidate();
        break;
    default: CScrollView::OnUpdate(pSender, lHint, pHint); break;
    }
}

void CVexulCreatorView::OnSize(UINT nType, int cx, int cy)
{
    CScrollView::OnSize(nType, cx, cy);
    SetScrollSizes(MM_TEXT, CSize(SCROLL_WIDTH, (m_nCellCount / CELLS_PER_ROW) * CELL_STEP_Y + CELL_MARGIN));
    Invalidate();
    UpdateWindow();
}

// ---- thumbnails -----------------------------------------------------------------------------------------

void CVexulCreatorView::StopThumbnails()
{
    m_worker.Stop();
    InstallThumbnails();
}

void CVexulCreatorView::RenderMissingThumbnails()
{
    StopThumbnails();
    CVexulCreatorDoc* doc = GetDocument();
    if (doc == nullptr || m_hWnd == nullptr)
        return;
    CThumbnailSnapshot snapshot;
    for (int i = 0; i < m_nSlideCount; i++)
        if (m_cells[i].bitmap == nullptr && !m_cells[i].file.IsEmpty())
            snapshot.Add(i, doc->GetSlideRevision(i), doc->GetSlide(i), doc->GetSlideWidth(),
                         doc->GetSlideHeight(), doc->GetPack());
    m_nRoundJobs = snapshot.jobs.size();
    m_nRoundResults = 0;
    if (snapshot.jobs.empty() ||
        !m_worker.Start(std::move(snapshot), CELL_WIDTH, CELL_HEIGHT, m_hWnd, WM_THUMBNAIL_READY))
        m_nRoundJobs = 0;
    NameUnreadablePictures();
}

LRESULT CVexulCreatorView::OnThumbnailReady(WPARAM, LPARAM)
{
    InstallThumbnails();
    NameUnreadablePictures();
    return 0;
}

void CVexulCreatorView::InstallThumbnails()
{
    CVexulCreatorDoc* doc = GetDocument();
    for (CThumbnailResult& result : m_worker.TakeResults())
    {
        ++m_nRoundResults;
        if (doc == nullptr || result.cell < 0 || result.cell >= CELL_COUNT ||
            doc->GetSlideRevision(result.cell) != result.revision)
            continue;   // the slide has other contents by now
        CCell& cell = m_cells[result.cell];
        FreeCell(cell);
        cell.bitmap = std::move(result.bitmap);
        cell.pictureWidth = result.pictureWidth;
        cell.pictureHeight = result.pictureHeight;
        InvalidateCell(result.cell);
        if (m_bNamePicturesAfterOpen && result.pictureWidth == 0 && !cell.file.IsEmpty() &&
            std::find(m_unreadablePictures.begin(), m_unreadablePictures.end(), cell.file) ==
                m_unreadablePictures.end())
            m_unreadablePictures.push_back(cell.file);
    }
}

void CVexulCreatorView::NameUnreadablePictures()
{
    // Only a round that drew every slide it was given has seen them all.
    if (!m_bNamePicturesAfterOpen || m_nRoundResults < m_nRoundJobs)
        return;
    m_bNamePicturesAfterOpen = FALSE;
    if (m_unreadablePictures.empty())
        return;
    CString list;
    for (const CString& name : m_unreadablePictures)
        list += "    " + name + "\n";
    m_unreadablePictures.clear();
    AfxMessageBox(FormatString(IDS_PICTURES_UNREADABLE, list.GetString()), MB_OK | MB_ICONEXCLAMATION);
}

void CVexulCreatorView::RenderCell(int cell)
{
    CVexulCreatorDoc* doc = GetDocument();
    if (doc == nullptr || cell < 0 || cell >= CELL_COUNT)
        return;
    CSlide copy;
    copy.CopyFrom(doc->GetSlide(cell));
    copy.SetSize(doc->GetSlideWidth(), doc->GetSlideHeight());
    CThumbnailPainter painter(&doc->GetPack());
    CThumbnailResult result = RenderThumbnail(painter, copy, CELL_WIDTH, CELL_HEIGHT);
    FreeCell(m_cells[cell]);
    m_cells[cell].bitmap = std::move(result.bitmap);
    m_cells[cell].pictureWidth = result.pictureWidth;
    m_cells[cell].pictureHeight = result.pictureHeight;
    InvalidateCell(cell);
}

// ---- painting -------------------------------------------------------------------------------------------

void CVexulCreatorView::OnDraw(CDC* pDC)
{
    if (!IsProjectOpen())
        return;
    CDC memory;
    memory.CreateCompatibleDC(pDC);
    for (int i = 0; i < m_nCellCount; i++)
    {
        const CCell& cell = m_cells[i];
        if (cell.bitmap != nullptr)
        {
            if (i == m_nSelection)
            {
                CRect mark = cell.rect;
                mark.InflateRect(2, 2);
                pDC->FillSolidRect(&mark, kSelectionColour);
            }
            HGDIOBJ old = ::SelectObject(memory.GetSafeHdc(), cell.bitmap->GetSafeHandle());
            pDC->BitBlt(cell.rect.left, cell.rect.top, cell.rect.Width(), cell.rect.Height(), &memory, 0, 0,
                        SRCCOPY);
            ::SelectObject(memory.GetSafeHdc(), old);
            if (m_bOrderMode && cell.order >= 0)
            {
                CString number;
                number.Format(" %d ", cell.order);
                COLORREF oldBack = pDC->SetBkColor(kSelectionColour);
                int oldMode = pDC->SetBkMode(OPAQUE);
                pDC->TextOut(cell.rect.left, cell.rect.top, number);
                pDC->SetBkMode(oldMode);
                pDC->SetBkColor(oldBack);
            }
        }
        else if (i == m_nSlideCount)
        {
            FrameRectangle(pDC, cell.rect, kFirstFreeFrame);
            CRect text = cell.rect;
            text.OffsetRect(0, 10);
            COLORREF oldColour = pDC->SetTextColor(kFirstFreeText);
            int oldMode = pDC->SetBkMode(TRANSPARENT);
            HGDIOBJ oldFont = ::SelectObject(pDC->GetSafeHdc(), ::GetStockObject(DEFAULT_GUI_FONT));
            CString hint;
            hint.LoadString(IDS_ADD_SLIDE_HINT);
            pDC->DrawText(hint, -1, &text, DT_CENTER);
            ::SelectObject(pDC->GetSafeHdc(), oldFont);
            pDC->SetBkMode(oldMode);
            pDC->SetTextColor(oldColour);
        }
        else
        {
            FrameRectangle(pDC, cell.rect,
                           i < m_nSlideCount && i == m_nSelection ? kSelectionColour : kEmptyFrame);
        }
    }
    if (m_bDragging && !m_rcDragTarget.IsRectEmpty())
    {
        CRect target = m_rcDragTarget;
        target.InflateRect(3, 3);
        FrameRectangle(pDC, target, kDragTargetFrame);
    }
}

INT_PTR CVexulCreatorView::OnToolHitTest(CPoint point, TOOLINFOA* pTI) const
{
    int cell = HitTest(point);
    if (cell < 0 || m_cells[cell].file.IsEmpty() || m_bDragging)
        return -1;
    if (pTI != nullptr)
    {
        CString text;
        text.Format("%s : %d x %d Pixel", m_cells[cell].file, m_cells[cell].pictureWidth,
                    m_cells[cell].pictureHeight);
        CRect rect = m_cells[cell].rect - ScrollOffset();
        pTI->hwnd = m_hWnd;
        pTI->uId = static_cast<UINT_PTR>(cell + 1);
        pTI->rect = rect;
        pTI->lpszText = static_cast<LPSTR>(malloc(static_cast<size_t>(text.GetLength()) + 1));
        if (pTI->lpszText != nullptr)
            memcpy(pTI->lpszText, text.GetString(), static_cast<size_t>(text.GetLength()) + 1);
    }
    return cell + 1;
}

// ---- mouse ----------------------------------------------------------------------------------------------

void CVexulCreatorView::OnLButtonDown(UINT nFlags, CPoint point)
{
    if (m_nSelection >= 0 && HitTest(point) == m_nSelection && !m_bOrderMode)
    {
        m_ptDragStart = point;
        m_rcDragTarget.SetRectEmpty();
    }
    CScrollView::OnLButtonDown(nFlags, point);
}

void CVexulCreatorView::OnMouseMove(UINT nFlags, CPoint point)
{
    if (!(nFlags & MK_LBUTTON))
    {
        if (point.x < 0 || point.y < 0)
            return;
    }
    else if (point.x < -50 || point.y < -50)
    {
        return;
    }
    if (m_ptDragStart.x != -1 && !m_bDragging && (nFlags & MK_LBUTTON) &&
        (abs(point.x - m_ptDragStart.x) > 5 || abs(point.y - m_ptDragStart.y) > 5))
    {
        m_bDragging = TRUE;
        SetCapture();
        // The tip of the slide picked up would stay over whatever slide comes there.
        CancelToolTips();
    }
    if (!m_bDragging)
        return;
    if (!m_rcDragTarget.IsRectEmpty())
    {
        // Outside the window the view follows the mouse.
        CRect client;
        GetClientRect(&client);
        CPoint position = GetScrollPosition();
        if (point.x < 0 && position.x > 0)
            position.x += point.x;
        else if (point.x > client.right && client.Width() < SCROLL_WIDTH)
            position.x += point.x - client.right;
        if (point.y < 0 && position.y > 0)
            position.y += point.y;
        else if (point.y > client.bottom)
            position.y += point.y - client.bottom;
        if (position != GetScrollPosition())
            ScrollToPosition(position);
    }
    int cell = HitTest(point);
    if (cell < 0 || m_cells[cell].rect == m_rcDragTarget)
        return;
    CRect old = m_rcDragTarget;
    m_rcDragTarget = m_cells[cell].rect;
    for (int i = 0; i < CELL_COUNT; i++)
        if (m_cells[i].rect == old)
            InvalidateCell(i, 3);
    InvalidateCell(cell, 3);
    UpdateWindow();
}

void CVexulCreatorView::OnLButtonUp(UINT nFlags, CPoint point)
{
    int cell = HitTest(point);
    if (m_bDragging)
    {
        m_bDragging = FALSE;
        if (!m_rcDragTarget.IsRectEmpty() && cell >= 0 && HasSelection())
        {
            CWaitCursor wait;
            int from = m_nSelection;
            int to = std::min(cell, m_nSlideCount - 1);
            m_nSelection = -1;
            if (from != to)
                ReorderCells(CVexulCreatorDoc::MoveOrder(m_nSlideCount, from, to));
        }
        m_rcDragTarget.SetRectEmpty();
        Invalidate();
    }
    else if (m_bOrderMode)
    {
        if (cell >= 0 && cell < m_nSlideCount && m_cells[cell].order < 0)
        {
            m_cells[cell].order = ++m_nNextOrder;
            if (m_nNextOrder >= m_nSlideCount)
                ApplySlideOrder();
        }
        Invalidate();
    }
    else
    {
        if (cell >= 0 && cell < m_nSlideCount)
            m_nSelection = cell;
        else if (m_nSelection != -1)
            m_nSelection = -1;
        Invalidate();
    }
    if (GetCapture() == this)
        ReleaseCapture();
    m_ptDragStart = CPoint(-1, -1);
    CScrollView::OnLButtonUp(nFlags, point);
}

void CVexulCreatorView::OnLButtonDblClk(UINT, CPoint point)
{
    int cell = HitTest(point);
    if (cell < 0 || !IsProjectOpen() || m_bOrderMode)
        return;
    if (cell == m_nSlideCount)
    {
        PostToFrame(ID_SLIDE_ADD);
    }
    else if (cell < m_nSlideCount)
    {
        m_nSelection = cell;
        Invalidate();
        PostToFrame(ID_EDIT_AFTER_DOUBLE_CLICK);
    }
}

void CVexulCreatorView::OnRButtonDown(UINT, CPoint point)
{
    CMenu menu;
    if (!menu.CreatePopupMenu())
        return;
    const UINT selected = HasSelection() ? MF_ENABLED : MF_GRAYED;
    const UINT add = CanAddSlide() && m_nSlideCount < m_nCellCount - 1 ? MF_ENABLED : MF_GRAYED;
    const UINT any = m_bOrderMode ? MF_GRAYED : MF_ENABLED;
    struct Item
    {
        UINT command;   // 0: a separator
        UINT text;
        UINT state;
    };
    const Item items[] = {{ID_POPUP_EDIT_SLIDE, IDS_MENU_EDIT_SLIDE, m_bOrderMode ? MF_GRAYED : selected},
                          {ID_POPUP_DELETE_SLIDE, IDS_MENU_DELETE_SLIDE, m_bOrderMode ? MF_GRAYED : selected},
                          {0, 0, 0},
                          {ID_SLIDE_TEST_SELECTED, IDS_MENU_TEST_SLIDE, m_bOrderMode ? MF_GRAYED : selected},
                          {ID_POPUP_TEST_SHOW, IDS_MENU_TEST_SHOW, any},
                          {0, 0, 0},
                          {ID_POPUP_ADD_SLIDE, IDS_MENU_ADD_SLIDE, m_bOrderMode ? MF_GRAYED : add},
                          {ID_POPUP_SLIDE_ORDER, IDS_MENU_SLIDE_ORDER, any},
                          {0, 0, 0},
                          {ID_PROJECT_SETTINGS, IDS_MENU_PROJECT_SETTINGS, any}};
    for (const Item& item : items)
    {
        if (item.command == 0)
        {
            menu.AppendMenu(MF_SEPARATOR);
            continue;
        }
        CString text;
        text.LoadString(item.text);
        menu.AppendMenu(MF_STRING | item.state, item.command, text);
    }
    CPoint screen = point;
    ClientToScreen(&screen);
    CWnd* frame = GetParentFrame();
    menu.TrackPopupMenu(TPM_LEFTALIGN | TPM_RIGHTBUTTON, screen.x + 3, screen.y + 3, frame ? frame : this);
}

// ---- slides ---------------------------------------------------------------------------------------------

void CVexulCreatorView::ReorderCells(const std::vector<int>& order)
{
    CVexulCreatorDoc* doc = GetDocument();
    if (doc == nullptr)
        return;
    StopThumbnails();
    doc->ReorderSlides(order);
    std::vector<CCell> moved(order.size());
    for (size_t i = 0; i < order.size(); i++)
        moved[static_cast<size_t>(order[i])] = std::move(m_cells[i]);
    for (size_t i = 0; i < order.size(); i++)
    {
        CRect rect = m_cells[i].rect;
        m_cells[i] = std::move(moved[i]);
        m_cells[i].rect = rect;
        m_cells[i].order = -1;
        m_cells[i].file = Path::FileNameOf(doc->GetSlideImageFile(i));
    }
    RenderMissingThumbnails();
    Invalidate();
}

void CVexulCreatorView::ApplySlideOrder()
{
    m_bOrderMode = FALSE;
    std::vector<int> order(static_cast<size_t>(m_nSlideCount));
    for (int i = 0; i < m_nSlideCount; i++)
        order[static_cast<size_t>(i)] = m_cells[i].order - 1;
    ReorderCells(order);
}

void CVexulCreatorView::TellPictureNotPacked(UINT message, const CString& path)
{
    const CProjectPack& pack = GetDocument()->GetPack();
    CString reason = pack.GetEntryCount() >= pack.GetCapacity()
                         ? FormatString(IDS_PACK_REASON_FULL, pack.GetCapacity())
                         : FormatString(IDS_PACK_REASON_UNREADABLE);
    AfxMessageBox(FormatString(message, Path::FileNameOf(path).GetString(), reason.GetString()),
                  MB_OK | MB_ICONEXCLAMATION);
}

BOOL CVexulCreatorView::SetSlideImage(int cell, const CString& path)
{
    CVexulCreatorDoc* doc = GetDocument();
    if (doc == nullptr || cell < 0 || cell >= m_nCellCount)
        return FALSE;
    CString entry = path;
    if (!doc->SetSlideBackgroundFile(cell, entry))
    {
        // The slide goes on naming the picture it has: a name the pack lacks would cost it that picture.
        doc->SetSlideImageFile(cell, m_cells[cell].file);
        TellPictureNotPacked(IDS_BACKGROUND_NOT_PACKED, path);
        return FALSE;
    }
    CPicture picture;
    if (!doc->LoadPictureFromPack(picture, Path::FileNameOf(entry)))
    {
        // No picture: the slide does not join the show (its entry goes at the next save).
        doc->SetSlideImageFile(cell, m_cells[cell].file);
        return FALSE;
    }
    m_cells[cell].file = Path::FileNameOf(entry);
    if (cell >= m_nSlideCount)
        m_nSlideCount = cell + 1;
    RenderCell(cell);
    return TRUE;
}

INT_PTR CVexulCreatorView::RunSlideEditor(CSlideEditRequest& request)
{
    if (!CSlideEditorDlg::EditSlide(GetParentFrame(), *request.slide, request.imageFile, request.projectFolder,
                                    request.slideIndex, request.windowWidth, request.windowHeight,
                                    request.slideCount, request.pack, &request.choices))
        return IDCANCEL;
    return IDOK;
}

void CVexulCreatorView::EditSlide(int cell)
{
    CVexulCreatorDoc* doc = GetDocument();
    if (doc == nullptr || !doc->IsProjectOpen() || m_bOrderMode || cell < 0 || cell >= m_nCellCount ||
        cell > m_nSlideCount)
        return;
    CString image = m_cells[cell].file;
    if (image.IsEmpty())
    {
        CNewSlideDlg dialog(GetParentFrame());
        dialog.m_strProjectFolder = doc->GetProjectFolder();
        dialog.m_nWidth = doc->GetSlideWidth();
        dialog.m_nHeight = doc->GetSlideHeight();
        if (dialog.DoModal() != IDOK || !FileExists(dialog.m_strFile))
            return;
        image = dialog.m_strFile;
    }

    CSlide copy;
    copy.CopyFrom(doc->GetSlide(cell));
    CSlideEditRequest request;
    request.slide = &copy;
    request.projectFolder = doc->GetProjectFolder();
    request.imageFile = image;
    request.slideIndex = cell;
    request.windowWidth = doc->GetShow().m_nWindowWidth;
    request.windowHeight = doc->GetShow().m_nWindowHeight;
    request.slideCount = m_nSlideCount;
    request.pack = &doc->GetPack();
    if (RunSlideEditor(request) == IDOK)
    {
        doc->ReplaceSlide(cell, copy);
        for (const CString& refused : doc->AddSlideImagesToPack(cell))
            TellPictureNotPacked(IDS_IMAGE_OBJECT_NOT_PACKED, refused);
        BOOL newBackground = request.imageFile != m_cells[cell].file;
        if ((!newBackground || !SetSlideImage(cell, request.imageFile)) && cell < m_nSlideCount)
            RenderCell(cell);

        BOOL others = doc->ApplySlideChoices(cell, request.choices);
        if (request.choices.bTextThisSlide || request.choices.bImageThisSlide)
            RenderCell(cell);
        if (others)
        {
            // Every thumbnail shows the new settings.
            StopThumbnails();
            for (int i = 0; i < m_nSlideCount; i++)
                FreeCell(m_cells[i]);
            RenderMissingThumbnails();
        }
    }

    // A slide added next starts with this slide's background settings.
    if (m_nSlideCount < m_nCellCount)
        doc->PrepareNextSlide(m_nSlideCount);
    Invalidate();
}

// ---- commands -------------------------------------------------------------------------------------------

void CVexulCreatorView::OnSlideAdd()
{
    if (CanAddSlide())
        EditSlide(m_nSlideCount);
}

void CVexulCreatorView::OnSlideEdit()
{
    if (HasSelection())
        EditSlide(m_nSelection);
}

void CVexulCreatorView::OnEditAfterDoubleClick()
{
    PostToFrame(ID_SLIDE_EDIT);
}

void CVexulCreatorView::OnSlideDelete()
{
    if (!HasSelection())
        return;
    if (AfxMessageBox(FormatString(IDS_DELETE_SLIDE_QUESTION, m_nSelection + 1), MB_YESNO | MB_ICONQUESTION) != IDYES ||
        !HasSelection())
        return;
    StopThumbnails();
    int removed = m_nSelection;
    GetDocument()->DeleteSlide(removed);
    FreeCell(m_cells[removed]);
    for (int i = removed; i + 1 < CELL_COUNT; i++)
    {
        CRect rect = m_cells[i].rect;
        m_cells[i] = std::move(m_cells[i + 1]);
        m_cells[i].rect = rect;
    }
    CCell& last = m_cells[CELL_COUNT - 1];
    FreeCell(last);
    last.file.Empty();
    m_nSlideCount--;
    m_nSelection = -1;
    RenderMissingThumbnails();
    Invalidate();
}

void CVexulCreatorView::OnSlideOrder()
{
    if (!IsProjectOpen() || m_bOrderMode || m_nSlideCount < 2)
        return;
    for (CCell& cell : m_cells)
        cell.order = -1;
    AfxMessageBox(IDS_CLICK_THUMBNAILS_IN_ORDER, MB_OK | MB_ICONINFORMATION);
    m_bOrderMode = TRUE;
    m_nNextOrder = 0;
    m_nSelection = -1;
    Invalidate();
}

void CVexulCreatorView::OnSlideCopy()
{
    if (HasSelection())
        GetDocument()->CopySlide(m_nSelection);
}

void CVexulCreatorView::OnSlidePaste()
{
    CVexulCreatorDoc* doc = GetDocument();
    if (!CanAddSlide() || !doc->HasCopiedSlide())
        return;
    StopThumbnails();
    int cell = m_nSlideCount;
    if (!doc->PasteSlide(cell))
        return;
    m_cells[cell].file = Path::FileNameOf(doc->GetSlideImageFile(cell));
    m_nSlideCount++;
    RenderCell(cell);
    RenderMissingThumbnails();
    Invalidate();
}

void CVexulCreatorView::OnProjectTest()
{
    if (!CanTest())
        return;
    CTestDlg dialog(GetParentFrame());
    dialog.m_nSlide = m_nSelection >= 0 && m_nSelection < m_nCellCount ? m_nSelection + 1 : 1;
    if (dialog.DoModal() != IDOK || !CanTest())
        return;
    RunPlayer(std::max(0, std::min(dialog.m_nSlide - 1, m_nSlideCount - 1)));
}

void CVexulCreatorView::OnTestSelected()
{
    if (HasSelection())
        RunPlayer(m_nSelection);
}

void CVexulCreatorView::OnTestShow()
{
    if (CanTest())
        RunPlayer(0);
}

void CVexulCreatorView::RunPlayer(int slide)
{
    CVexulCreatorDoc* doc = GetDocument();
    if (doc == nullptr || !doc->IsProjectOpen())
        return;
    if (!doc->SaveForPlayer())
        return;
    doc->IsPlayerCompiled(TRUE);
    // /F: the pack file as it is now, even when the project's player carries a compiled show of its own.
    CString parameters;
    parameters.Format("/F \"%s\" /S=%d", doc->GetPackPath().GetString(), slide);
    CString player = Path::Join(doc->GetProjectFolder(), "VEXUL.EXE");
    CString saved = GetCurrentFolder();
    SetCurrentDirectoryA(doc->GetProjectFolder());
    CWnd* frame = GetParentFrame();
    HINSTANCE started =
        AfxShellExecute(AfxGetSafeHwnd(frame), "open", player, parameters, doc->GetProjectFolder(), SW_SHOWNORMAL);
    if (!saved.IsEmpty())
        SetCurrentDirectoryA(saved);
    if (reinterpret_cast<INT_PTR>(started) <= 32)
        AfxMessageBox(FormatString(IDS_PLAYER_START_FAILED, player), MB_OK | MB_ICONSTOP);
}

void CVexulCreatorView::OnProjectSettings()
{
    CVexulCreatorDoc* doc = GetDocument();
    if (doc == nullptr || m_bOrderMode || doc->GetPackPath().IsEmpty())
        return;
    if (doc->EditProjectSettings(1))
        Invalidate();
}

void CVexulCreatorView::OnCompileProject()
{
    CVexulCreatorDoc* doc = GetDocument();
    if (!CanTest())
        return;
    if (!doc->SaveForPlayer())
        return;
    CCompileDlg dialog(GetParentFrame());
    dialog.m_strPlayerPath = Path::Join(doc->GetProjectFolder(), "VEXUL.EXE");
    dialog.m_strProjectFilePath = doc->GetPackPath();
    dialog.m_strProjectFolder = doc->GetProjectFolder();
    dialog.m_strPlainPlayerPath = Path::Join(theApp.m_strAppFolder, "Vexul.exe");
    dialog.m_pSettings = &doc->GetSettings();
    dialog.DoModal();
}

void CVexulCreatorView::OnStopThumbnails()
{
    StopThumbnails();
}

void CVexulCreatorView::OnUpdateSlideAdd(CCmdUI* pCmdUI)
{
    pCmdUI->Enable(CanAddSlide());
}

void CVexulCreatorView::OnUpdateSelectedSlide(CCmdUI* pCmdUI)
{
    pCmdUI->Enable(HasSelection());
}

void CVexulCreatorView::OnUpdateSlideOrder(CCmdUI* pCmdUI)
{
    pCmdUI->Enable(IsProjectOpen() && !m_bOrderMode && m_nSlideCount >= 2);
}

void CVexulCreatorView::OnUpdateSlidePaste(CCmdUI* pCmdUI)
{
    CVexulCreatorDoc* doc = GetDocument();
    pCmdUI->Enable(CanAddSlide() && doc->HasCopiedSlide());
}

void CVexulCreatorView::OnUpdateTest(CCmdUI* pCmdUI)
{
    pCmdUI->Enable(CanTest());
}

void CVexulCreatorView::OnUpdateProjectSettings(CCmdUI* pCmdUI)
{
    CVexulCreatorDoc* doc = GetDocument();
    pCmdUI->Enable(doc != nullptr && !m_bOrderMode && !doc->GetPackPath().IsEmpty());
}

// ---- files dropped from the shell -----------------------------------------------------------------------

void CVexulCreatorView::OnDropFiles(HDROP hDropInfo)
{
    CVexulCreatorDoc* doc = GetDocument();
    UINT count = DragQueryFileA(hDropInfo, 0xFFFFFFFF, nullptr, 0);
    std::vector<CString> files;
    for (UINT i = 0; i < count; i++)
    {
        UINT length = DragQueryFileA(hDropInfo, i, nullptr, 0);
        std::vector<char> name(length + 1, '\0');
        DragQueryFileA(hDropInfo, i, name.data(), length + 1);
        files.push_back(CString(name.data()));
    }
    DragFinish(hDropInfo);
    if (files.empty() || doc == nullptr)
        return;

    if (!doc->IsProjectOpen())
    {
        if (Path::ExtensionOf(files[0]).CompareNoCase(".VXL") == 0)
        {
            theApp.m_strFileToOpen = files[0];
            PostToFrame(ID_OPEN_DROPPED_PROJECT);
        }
        else
        {
            AfxMessageBox(IDS_OPEN_PROJECT_FIRST, MB_OK | MB_ICONINFORMATION);
        }
        return;
    }
    if (m_bOrderMode)
        return;
    CWaitCursor wait;
    CImageFileFilter filter;
    for (const CString& file : files)
    {
        if (!filter.IsImageFile(file))
            continue;   // not a picture
        if (!CheckImageSize(GetParentFrame(), file, doc->GetSlideWidth(), doc->GetSlideHeight()))
            continue;   // the image-size dialog said why
        int free = doc->FindFreeSlide();
        if (free < 0 || free >= m_nCellCount || free > m_nSlideCount)
            break;
        SetSlideImage(free, file);
        Invalidate();
        UpdateWindow();
    }
}
