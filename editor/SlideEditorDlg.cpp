#include "editor/SlideEditorDlg.h"

#include "editor/EditorProfile.h"
#include "editor/FileHelpers.h"
#include "editor/HelpTopics.h"
#include "editor/ImageObjectDlg.h"
#include "editor/ImageSizeDlg.h"
#include "editor/ObjectListDlg.h"
#include "editor/PositionDlgs.h"
#include "editor/ProjectFiles.h"
#include "editor/RectangleObjectDlg.h"
#include "editor/SlideBackgroundDlg.h"
#include "editor/SlideObjectEditing.h"
#include "editor/TextObjectDlg.h"
#include "resources/editor/resource.h"
#include "show/Language.h"
#include "show/ProjectPack.h"

#include <algorithm>
#include <cstdlib>
#include <vector>

BEGIN_MESSAGE_MAP(CSlideEditorDlg, CDialog)
    ON_WM_PAINT()
    ON_WM_LBUTTONDOWN()
    ON_WM_MOUSEMOVE()
    ON_WM_LBUTTONUP()
    ON_WM_LBUTTONDBLCLK()
    ON_WM_RBUTTONDOWN()
    ON_WM_RBUTTONUP()
    ON_WM_SETCURSOR()
    ON_WM_DROPFILES()
    ON_BN_CLICKED(IDC_EDIT_SLIDE, OnEditSlide)
    ON_BN_CLICKED(IDC_INSERT_TEXT, OnInsertText)
    ON_BN_CLICKED(IDC_INSERT_IMAGE, OnInsertImage)
    ON_BN_CLICKED(IDC_INSERT_RECTANGLE, OnInsertRectangle)
    ON_BN_CLICKED(IDC_EDIT_OBJECT, OnEditObject)
    ON_BN_CLICKED(IDC_DELETE_OBJECT, OnDeleteObject)
    ON_BN_CLICKED(IDC_OBJECT_ORDER, OnObjectOrder)
    ON_BN_CLICKED(IDC_OBJECT_LIST, OnObjectList)
    ON_BN_CLICKED(IDC_SELECT_GROUP, OnSelectObjects)
    ON_BN_CLICKED(IDC_LOCK, OnGridSettings)
    ON_BN_CLICKED(IDC_SHOW_GRID, OnGridSettings)
    ON_BN_CLICKED(IDC_DIALOG_HELP, OnHelp)
    ON_EN_CHANGE(IDC_GRID, OnGridChanged)
    ON_STN_CLICKED(IDC_GRID_WHITE, OnGridWhite)
    ON_STN_CLICKED(IDC_GRID_BLACK, OnGridBlack)
    ON_NOTIFY(UDN_DELTAPOS, IDC_GRID_SPIN, OnGridSpin)
    ON_COMMAND(ID_OBJECT_EDIT, OnEditObject)
    ON_COMMAND(ID_OBJECT_DUPLICATE, OnDuplicateObject)
    ON_COMMAND(ID_SLIDE_BACKGROUND, OnEditSlide)
    ON_COMMAND(ID_OBJECT_INSERT_TEXT, OnInsertText)
    ON_COMMAND(ID_OBJECT_INSERT_IMAGE, OnInsertImage)
    ON_COMMAND(ID_OBJECT_INSERT_RECTANGLE, OnInsertRectangle)
    ON_COMMAND(ID_OBJECT_DELETE, OnDeleteObject)
    ON_COMMAND(ID_OBJECT_ORDER, OnObjectOrder)
    ON_COMMAND(ID_OBJECT_UPDATE, OnUpdateSelection)
    ON_COMMAND(ID_RECTANGLE_DRAWN, OnRectangleDrawn)
    ON_COMMAND(ID_SELECTION_DRAWN, OnSelectionDrawn)
END_MESSAGE_MAP()

namespace
{

enum
{
    // The buttons stop one object earlier than the context menu, the drop and duplication.
    BUTTON_MAX_IMAGES = 9,
    BUTTON_MAX_TEXTS = 19,
    BUTTON_MAX_RECTANGLES = 19,
    MENU_MAX_IMAGES = 10,
    MENU_MAX_TEXTS = 20,
    MENU_MAX_RECTANGLES = 20,
    // The text position of an unused slot after a new background: a diagonal in steps of 1/52 of the picture.
    DIAGONAL_STEPS = 52,
    // Dropped image objects go in steps down the slide's top-left corner.
    INSERT_STEP_X = 15,
    INSERT_STEP_Y = 10,
    INSERT_LIMIT_X = 180,
    INSERT_LIMIT_Y = 120,
    INSERT_RESTART_X = 25,
    INSERT_RESTART_Y = 15,
    DROPPED_IMAGE_DELAY = 500,
    DROPPED_IMAGE_SPEED = 1000
};

// The rectangle with its corners in order.
CRect Normalized(const CRect& rect)
{
    return CRect(std::min(rect.left, rect.right), std::min(rect.top, rect.bottom), std::max(rect.left, rect.right),
                 std::max(rect.top, rect.bottom));
}

BOOL IsEditControl(HWND hWnd)
{
    char className[16] = {};
    return hWnd != nullptr && GetClassNameA(hWnd, className, sizeof(className)) > 0 &&
           lstrcmpiA(className, "Edit") == 0;
}

}   // namespace

CSlideEditorDlg::CSlideEditorDlg(CWnd* pParent)
    : CDialog(IDD_SLIDE_EDITOR, pParent), m_bLock(1), m_bShowGrid(0), m_nGrid(1), m_cLanguage('E'),
      m_nSlideIndex(0), m_nWidth(0), m_nHeight(0), m_nSlideCount(0), m_nCurrent(-1), m_ptDragStart(-1, -1),
      m_bDragging(FALSE), m_Choices{0, 0, 0, 0, 0}, m_nObjectCount(0), m_bOrderMode(FALSE), m_nOrderCount(0),
      m_pPack(nullptr), m_bInDialog(FALSE), m_bRectangleMode(FALSE), m_rcBand(-1, -1, -1, -1), m_bPainted(FALSE),
      m_bSelectMode(FALSE), m_nGridColor(GRID_BLACK), m_swatchWhite(RGB(255, 255, 255)),
      m_swatchBlack(RGB(0, 0, 0)), m_ptInsert(10, 10)
{
    for (int i = 0; i < MAX_OBJECTS; i++)
    {
        m_rcObjects[i].SetRectEmpty();
        m_bSelected[i] = FALSE;
        m_nOrder[i] = -1;
    }
    m_Slide.Reset();
}

BOOL CSlideEditorDlg::EditSlide(CWnd* parent, CSlide& slide, CString& imageFile, const char* projectFolder,
                                int slideIndex, int playerWidth, int playerHeight, int slideCount,
                                const CProjectPack* pack, SlideEditorChoices* choices)
{
    CSlideEditorDlg dlg(parent);
    dlg.m_Slide.CopyFrom(slide);
    dlg.m_strImageFile = imageFile;
    dlg.m_strProjectFolder = projectFolder ? projectFolder : "";
    dlg.m_nSlideIndex = slideIndex;
    dlg.m_nWidth = playerWidth - 2;
    dlg.m_nHeight = playerHeight - 14;
    dlg.m_nSlideCount = slideCount;
    dlg.m_pPack = pack;
    if (dlg.DoModal() != IDOK)
        return FALSE;
    slide.CopyFrom(dlg.m_Slide);
    imageFile = dlg.m_strImageFile;
    if (choices)
        *choices = dlg.m_Choices;
    return TRUE;
}

void CSlideEditorDlg::DoDataExchange(CDataExchange* pDX)
{
    CDialog::DoDataExchange(pDX);
    DDX_Check(pDX, IDC_LOCK, m_bLock);
    DDX_Check(pDX, IDC_SHOW_GRID, m_bShowGrid);
    DDX_Text(pDX, IDC_GRID, m_nGrid);
}

SlideObjectContext CSlideEditorDlg::GetObjectContext()
{
    SlideObjectContext context = {&m_Slide, m_nWidth, m_nHeight, m_nGrid, m_strProjectFolder, m_pPack};
    return context;
}

// ---- opening and closing ----------------------------------------------------------------------------------

BOOL CSlideEditorDlg::OnInitDialog()
{
    m_cLanguage = GetLanguage();
    m_nCurrent = -1;
    // A damaged profile value must not reach the divisions of the snap.
    m_nGrid = ClampInt(GetProfileValue(EditorProfile::GRID), MIN_GRID, MAX_GRID);
    CDialog::OnInitDialog();
    DragAcceptFiles(TRUE);
    m_swatchWhite.SubclassDlgItem(IDC_GRID_WHITE, this);
    m_swatchBlack.SubclassDlgItem(IDC_GRID_BLACK, this);

    m_nWidth = ClampInt(m_nWidth, 0, MAX_WIDTH);
    m_nHeight = ClampInt(m_nHeight, 0, MAX_HEIGHT);
    m_rcCanvas.SetRect(CANVAS_LEFT, CANVAS_TOP, CANVAS_LEFT + m_nWidth, CANVAS_TOP + m_nHeight);
    FitToCanvas();

    if (!m_strImageFile.IsEmpty())
    {
        LoadBackgroundPicture(m_strImageFile, m_Picture);
        // A new slide gets its picture from the caller only: the object list names it from the slide.
        m_Slide.m_Background.m_strImageFile = m_strImageFile;
    }
    ClearSelection();
    ApplyGridRules();
    m_bOrderMode = FALSE;
    m_bInDialog = FALSE;
    for (int i = 0; i < MAX_OBJECTS; i++)
        if (CSlideObjSlot* slot = m_Slide.GetSlot(i))
            if (slot->m_bUsed)
                slot->Prepare(m_pPack, this);
    m_Slide.SetSize(m_nWidth, m_nHeight);
    UpdateButtons();
    return TRUE;
}

void CSlideEditorDlg::FitToCanvas()
{
    CRect margin(0, 0, 7, 7);
    MapDialogRect(&margin);
    // The buttons' column and the canvas, each with a margin.
    CRect needed = m_rcCanvas;
    for (CWnd* child = GetWindow(GW_CHILD); child != nullptr; child = child->GetNextWindow())
    {
        CRect rc;
        child->GetWindowRect(&rc);
        ScreenToClient(&rc);
        needed.right = std::max(needed.right, rc.right);
        needed.bottom = std::max(needed.bottom, rc.bottom);
    }
    CRect client;
    GetClientRect(&client);
    int dx = needed.right + margin.right - client.Width();
    int dy = needed.bottom + margin.bottom - client.Height();
    CRect window;
    GetWindowRect(&window);
    SetWindowPos(nullptr, 0, 0, window.Width() + dx, window.Height() + dy,
                 SWP_NOMOVE | SWP_NOZORDER | SWP_NOACTIVATE);
    CenterWindow();
}

void CSlideEditorDlg::OnOK()
{
    if (!TakeGridSettings())
        return;
    SetProfileValue(EditorProfile::GRID, m_nGrid);
    EndDialog(IDOK);
}

BOOL CSlideEditorDlg::PreTranslateMessage(MSG* pMsg)
{
    // The Delete key deletes the selected object, except while the user types in the grid field.
    if (pMsg->message == WM_KEYDOWN && pMsg->wParam == VK_DELETE && !IsEditControl(pMsg->hwnd))
    {
        OnDeleteObject();
        return TRUE;
    }
    return CDialog::PreTranslateMessage(pMsg);
}

void CSlideEditorDlg::OnHelp()
{
    ShowHelpTopic("vc_slideedit.htm");
}

// ---- state of the controls --------------------------------------------------------------------------------

void CSlideEditorDlg::EnableItem(int id, BOOL enable)
{
    if (CWnd* item = GetDlgItem(id))
        item->EnableWindow(enable);
}

int CSlideEditorDlg::GetSelection() const
{
    for (int i = MAX_OBJECTS - 1; i >= 0; i--)
    {
        CSlideObjSlot* slot = m_Slide.GetSlot(i);
        if (m_bSelected[i] && slot && slot->m_bUsed)
            return i;
    }
    return -1;
}

void CSlideEditorDlg::UpdateButtons()
{
    SlideObjectCounts counts = CountSlideObjects(m_Slide);
    m_nObjectCount = counts.Total();
    BOOL background = !m_strImageFile.IsEmpty() && m_Picture.IsLoaded();
    BOOL room = m_nObjectCount < MAX_OBJECTS;
    BOOL selected = GetSelection() >= 0;
    EnableItem(IDC_INSERT_IMAGE, background && room && counts.nImages < BUTTON_MAX_IMAGES);
    EnableItem(IDC_INSERT_TEXT, background && room && counts.nTexts < BUTTON_MAX_TEXTS);
    EnableItem(IDC_INSERT_RECTANGLE, background && room && counts.nRectangles < BUTTON_MAX_RECTANGLES);
    EnableItem(IDC_EDIT_OBJECT, background && selected);
    EnableItem(IDC_DELETE_OBJECT, background && selected);
    EnableItem(IDC_OBJECT_ORDER, background && m_nObjectCount > 1);
    EnableItem(IDC_SELECT_GROUP, background && m_nObjectCount >= 1);
}

void CSlideEditorDlg::UpdateContextMenu(CMenu* menu)
{
    SlideObjectCounts counts = CountSlideObjects(m_Slide);
    BOOL background = !m_strImageFile.IsEmpty();
    BOOL selected = GetSelection() >= 0;
    BOOL room = counts.Total() < MAX_OBJECTS;
    struct
    {
        UINT id;
        BOOL enabled;
    } const states[] = {
        {ID_OBJECT_EDIT, background && selected},
        {ID_OBJECT_DUPLICATE, selected},
        {ID_OBJECT_DELETE, background && selected},
        {ID_OBJECT_INSERT_TEXT, background && room && counts.nTexts < MENU_MAX_TEXTS},
        {ID_OBJECT_INSERT_IMAGE, background && room && counts.nImages < MENU_MAX_IMAGES},
        {ID_OBJECT_INSERT_RECTANGLE, background && room && counts.nRectangles < MENU_MAX_RECTANGLES},
        {ID_OBJECT_UPDATE, background && counts.Total() > 0},
        {ID_OBJECT_ORDER, background && counts.Total() >= 2},
    };
    for (const auto& state : states)
        menu->EnableMenuItem(state.id, MF_BYCOMMAND | (state.enabled ? MF_ENABLED : MF_GRAYED));
}

BOOL CSlideEditorDlg::TakeGridSettings()
{
    if (!UpdateData(TRUE))
        return FALSE;
    // A grid typed beyond its range is used at the nearest end, and shown so.
    int grid = ClampInt(m_nGrid, MIN_GRID, MAX_GRID);
    if (grid != m_nGrid)
    {
        m_nGrid = grid;
        SetDlgItemInt(IDC_GRID, m_nGrid);
    }
    ApplyGridRules();
    return TRUE;
}

void CSlideEditorDlg::ApplyGridRules()
{
    BOOL drawable = m_nGrid >= MIN_SHOWN_GRID;
    if (!drawable)
    {
        m_bShowGrid = 0;
        CheckDlgButton(IDC_SHOW_GRID, BST_UNCHECKED);
    }
    EnableItem(IDC_SHOW_GRID, drawable);
}

void CSlideEditorDlg::OnGridSettings()
{
    TakeGridSettings();
    InvalidateCanvas();
}

void CSlideEditorDlg::OnGridChanged()
{
    // While the user types, the check box follows the grid; the check itself stays until the grid is taken.
    BOOL valid = FALSE;
    int typed = static_cast<int>(GetDlgItemInt(IDC_GRID, &valid, TRUE));
    if (!valid)
        return;
    m_nGrid = ClampInt(typed, MIN_GRID, MAX_GRID);
    EnableItem(IDC_SHOW_GRID, m_nGrid >= MIN_SHOWN_GRID);
    InvalidateCanvas();
}

void CSlideEditorDlg::OnGridSpin(NMHDR* pNMHDR, LRESULT* pResult)
{
    NMUPDOWN* updown = reinterpret_cast<NMUPDOWN*>(pNMHDR);
    m_nGrid = ClampInt(m_nGrid - updown->iDelta, MIN_GRID, MAX_GRID);
    SetDlgItemInt(IDC_GRID, m_nGrid);
    ApplyGridRules();
    InvalidateCanvas();
    *pResult = 0;
}

void CSlideEditorDlg::SetGridColor(int color)
{
    m_nGridColor = color;
    if (m_nGrid >= MIN_SHOWN_GRID && !m_bShowGrid)
    {
        m_bShowGrid = 1;
        CheckDlgButton(IDC_SHOW_GRID, BST_CHECKED);
    }
    ApplyGridRules();
    InvalidateCanvas();
}

void CSlideEditorDlg::OnGridWhite()
{
    SetGridColor(GRID_WHITE);
}

void CSlideEditorDlg::OnGridBlack()
{
    SetGridColor(GRID_BLACK);
}

// ---- painting ---------------------------------------------------------------------------------------------

void CSlideEditorDlg::InvalidateCanvas()
{
    CRect area = m_rcCanvas;
    area.InflateRect(1, 1);
    InvalidateRect(&area, FALSE);
}

void CSlideEditorDlg::OnPaint()
{
    CPaintDC dc(this);
    CRect area = m_rcCanvas;
    area.InflateRect(1, 1);
    // Composed off screen in the dialog's coordinates, then copied once.
    CDC memory;
    CBitmap bitmap;
    if (memory.CreateCompatibleDC(&dc) && bitmap.CreateCompatibleBitmap(&dc, area.Width(), area.Height()))
    {
        CBitmap* old = memory.SelectObject(&bitmap);
        memory.SetViewportOrg(-area.left, -area.top);
        DrawCanvas(&memory);
        dc.BitBlt(area.left, area.top, area.Width(), area.Height(), &memory, area.left, area.top, SRCCOPY);
        memory.SelectObject(old);
    }
    else
        DrawCanvas(&dc);
    m_bPainted = TRUE;
}

void CSlideEditorDlg::DrawCanvas(CDC* dc)
{
    CRect frame = m_rcCanvas;
    frame.InflateRect(1, 1);
    CBrush black(RGB(0, 0, 0));
    dc->FrameRect(&frame, &black);
    if (m_Picture.IsLoaded())
        m_Picture.RenderSmooth(dc, m_rcCanvas);
    else
        dc->FillSolidRect(&m_rcCanvas, RGB(128, 128, 128));

    for (int i = 0; i < MAX_OBJECTS; i++)
    {
        m_rcObjects[i].SetRectEmpty();
        CSlideObjSlot* slot = m_Slide.GetSlot(i);
        if (!slot || !slot->m_bUsed)
            continue;
        // A rectangle shows what lies under it now, not what lay there when it was first drawn.
        if (slot->IsRectangle() && !slot->m_Frame.m_bDragging)
            slot->m_Frame.DeleteBitmaps();
        int number = -1;
        if (m_bOrderMode)
            for (int k = 0; k < m_nOrderCount; k++)
                if (m_nOrder[k] == i)
                    number = k + 1;
        slot->Draw(dc, m_rcCanvas, number, m_bSelected[i], m_rcObjects[i]);
    }

    if (m_bShowGrid && m_nGrid >= MIN_SHOWN_GRID)
    {
        int step = std::max(m_nGrid, static_cast<int>(MIN_SHOWN_GRID));
        CGdiObject* oldPen = dc->SelectStockObject(m_nGridColor == GRID_BLACK ? BLACK_PEN : WHITE_PEN);
        for (int x = m_rcCanvas.left; x < m_rcCanvas.right; x += step)
        {
            dc->MoveTo(x, m_rcCanvas.top);
            dc->LineTo(x, m_rcCanvas.bottom);
        }
        for (int y = m_rcCanvas.top; y < m_rcCanvas.bottom; y += step)
        {
            dc->MoveTo(m_rcCanvas.left, y);
            dc->LineTo(m_rcCanvas.right, y);
        }
        dc->SelectObject(oldPen);
    }

    if (!m_bLock)
        for (int i = 0; i < MAX_OBJECTS; i++)
        {
            CSlideObjSlot* slot = m_Slide.GetSlot(i);
            if (m_bSelected[i] && slot && slot->m_bUsed)
            {
                slot->Draw(dc, m_rcCanvas, -1, TRUE, m_rcObjects[i]);
                break;
            }
        }

    if ((m_bRectangleMode || m_bSelectMode) && m_rcBand.left != -1)
    {
        CRect band = Normalized(m_rcBand);
        CPen dotted(PS_DOT, 1, RGB(0, 0, 0));
        CPen* oldPen = dc->SelectObject(&dotted);
        CGdiObject* oldBrush = dc->SelectStockObject(NULL_BRUSH);
        dc->Rectangle(&band);
        band.DeflateRect(1, 1);
        dc->Rectangle(&band);
        dc->SelectObject(oldBrush);
        dc->SelectObject(oldPen);
    }
}

// ---- the mouse --------------------------------------------------------------------------------------------

int CSlideEditorDlg::HitObject(CPoint point) const
{
    for (int i = MAX_OBJECTS - 1; i >= 0; i--)
    {
        CSlideObjSlot* slot = m_Slide.GetSlot(i);
        if (slot && slot->m_bUsed && m_rcObjects[i].PtInRect(point))
            return i;
    }
    return -1;
}

CPoint CSlideEditorDlg::ClampToCanvas(CPoint point) const
{
    return CPoint(ClampInt(point.x, m_rcCanvas.left, m_rcCanvas.right),
                  ClampInt(point.y, m_rcCanvas.top, m_rcCanvas.bottom));
}

CPoint CSlideEditorDlg::DragPosition(CPoint point) const
{
    // The object follows the mouse and stays wholly on the slide.
    int x = m_rcDrag.left + point.x - m_ptDragStart.x;
    int y = m_rcDrag.top + point.y - m_ptDragStart.y;
    return CPoint(ClampInt(x, 0, std::max(0, m_nWidth - m_rcDrag.Width())),
                  ClampInt(y, 0, std::max(0, m_nHeight - m_rcDrag.Height())));
}

void CSlideEditorDlg::ClearSelection()
{
    for (int i = 0; i < MAX_OBJECTS; i++)
    {
        m_rcObjects[i].SetRectEmpty();
        m_bSelected[i] = FALSE;
    }
    m_nCurrent = -1;
    m_ptDragStart = CPoint(-1, -1);
    m_bDragging = FALSE;
}

void CSlideEditorDlg::SetBandCursor()
{
    UINT cursor = m_bRectangleMode ? IDC_DRAW_RECTANGLE : IDC_SELECT_OBJECTS;
    if (m_bRectangleMode || m_bSelectMode)
        ::SetCursor(::LoadCursorA(AfxGetResourceHandle(), MAKEINTRESOURCEA(cursor)));
    else
        ::SetCursor(::LoadCursorA(nullptr, IDC_ARROW));
}

BOOL CSlideEditorDlg::OnSetCursor(CWnd* pWnd, UINT nHitTest, UINT)
{
    if (nHitTest == HTCLIENT && pWnd == this && (m_bRectangleMode || m_bSelectMode))
    {
        SetBandCursor();
        return TRUE;
    }
    return static_cast<BOOL>(Default());
}

void CSlideEditorDlg::StartBandMode(BOOL rectangle)
{
    m_bRectangleMode = rectangle;
    m_bSelectMode = !rectangle;
    m_rcBand.SetRect(-1, -1, -1, -1);
    SetBandCursor();
}

void CSlideEditorDlg::EndBandModes()
{
    m_bRectangleMode = FALSE;
    m_bSelectMode = FALSE;
    m_rcBand.SetRect(-1, -1, -1, -1);
    SetBandCursor();
    InvalidateCanvas();
}

void CSlideEditorDlg::OnLButtonDown(UINT, CPoint point)
{
    if (m_bRectangleMode || m_bSelectMode)
    {
        if (m_rcCanvas.PtInRect(point))
        {
            m_rcBand.SetRect(point.x, point.y, point.x, point.y);
            SetCapture();
        }
        else
            EndBandModes();
        return;
    }
    m_ptDragStart = CPoint(-1, -1);
    int hit = HitObject(point);
    if (m_bOrderMode)
    {
        if (hit < 0)
        {
            ApplyOrder();
            return;
        }
        BOOL listed = FALSE;
        for (int k = 0; k < m_nOrderCount; k++)
            listed = listed || m_nOrder[k] == hit;
        if (!listed && m_nOrderCount < MAX_OBJECTS)
            m_nOrder[m_nOrderCount++] = hit;
        if (m_nOrderCount >= CountSlideObjects(m_Slide).Total())
            ApplyOrder();
        else
            InvalidateCanvas();
        return;
    }
    // A press on the selected object may start a drag; the release selects.
    if (hit >= 0 && m_bSelected[hit])
    {
        m_nCurrent = hit;
        m_ptDragStart = point;
        m_Slide.GetSlot(hit)->GetRect(m_rcDrag);
        SetCapture();
    }
}

void CSlideEditorDlg::OnMouseMove(UINT nFlags, CPoint point)
{
    if (!m_bPainted)
        return;
    if (m_bRectangleMode || m_bSelectMode)
    {
        // The band follows while the button is held.
        if (m_rcBand.left != -1 && (nFlags & MK_LBUTTON))
        {
            CPoint corner = ClampToCanvas(point);
            m_rcBand.right = corner.x;
            m_rcBand.bottom = corner.y;
            InvalidateCanvas();
        }
    }
    else if (CanDrag(nFlags, point))
    {
        m_bDragging = TRUE;
        CSlideObjSlot* slot = m_Slide.GetSlot(m_nCurrent);
        CPoint position = DragPosition(point);
        if (slot->IsRectangle())
            slot->TrackRectangle(CPoint(m_rcCanvas.left + position.x, m_rcCanvas.top + position.y), this);
        else if (CSlideBasicObj* object = slot->GetLiveObject())
        {
            object->m_nX = position.x;
            object->m_nY = position.y;
        }
        InvalidateCanvas();
    }
    UpdateCoordinates(nFlags, point);
}

BOOL CSlideEditorDlg::CanDrag(UINT nFlags, CPoint point) const
{
    CSlideObjSlot* slot = m_Slide.GetSlot(m_nCurrent);
    if (!(nFlags & MK_LBUTTON) || m_bInDialog || !slot || !slot->m_bUsed || m_ptDragStart.x == -1)
        return FALSE;
    // A drag starts once the mouse has moved a few pixels.
    return m_bDragging || abs(point.x - m_ptDragStart.x) > DRAG_THRESHOLD ||
           abs(point.y - m_ptDragStart.y) > DRAG_THRESHOLD;
}

void CSlideEditorDlg::OnLButtonUp(UINT nFlags, CPoint point)
{
    if (GetCapture() == this)
        ReleaseCapture();
    if (m_bRectangleMode || m_bSelectMode)
    {
        if (m_rcBand.left != -1)
        {
            CPoint corner = ClampToCanvas(point);
            m_rcBand.right = corner.x;
            m_rcBand.bottom = corner.y;
            PostMessage(WM_COMMAND, m_bRectangleMode ? ID_RECTANGLE_DRAWN : ID_SELECTION_DRAWN);
            ::SetCursor(::LoadCursorA(nullptr, IDC_ARROW));
        }
        return;
    }
    if (m_bDragging)
    {
        m_bDragging = FALSE;
        CSlideObjSlot* slot = m_Slide.GetSlot(m_nCurrent);
        if (slot && slot->m_bUsed)
        {
            CPoint position = DragPosition(point);
            position = SnapToGrid(position.x, position.y, m_nGrid);
            if (slot->IsRectangle())
                slot->DropRectangle(position.x, position.y);
            slot->MoveTo(position.x, position.y, m_nWidth, m_nHeight);
            m_Slide.SetSize(m_nWidth, m_nHeight);
        }
        // The hit test below looks at the object where it now is.
        InvalidateCanvas();
        UpdateWindow();
    }
    m_bInDialog = FALSE;
    m_ptDragStart = CPoint(-1, -1);
    for (int i = 0; i < MAX_OBJECTS; i++)
        m_bSelected[i] = FALSE;
    m_nCurrent = HitObject(point);
    if (m_nCurrent >= 0)
        m_bSelected[m_nCurrent] = TRUE;
    UpdateCoordinates(nFlags, point);
    UpdateButtons();
    InvalidateCanvas();
}

void CSlideEditorDlg::OnLButtonDblClk(UINT, CPoint point)
{
    if (m_bOrderMode || m_bRectangleMode || m_bSelectMode)
        return;
    if (m_nCurrent >= 0)
        OnEditObject();
    else if (m_rcCanvas.PtInRect(point))
        OnEditSlide();
}

void CSlideEditorDlg::OnRButtonDown(UINT, CPoint point)
{
    CMenu menu;
    if (!menu.LoadMenu(IDR_SLIDE_EDITOR_MENU))
        return;
    CMenu* popup = menu.GetSubMenu(0);
    if (!popup)
        return;
    UpdateContextMenu(popup);
    CPoint screen = point;
    ClientToScreen(&screen);
    popup->TrackPopupMenu(TPM_LEFTALIGN | TPM_RIGHTBUTTON, screen.x + 3, screen.y, this);
}

void CSlideEditorDlg::OnRButtonUp(UINT, CPoint point)
{
    if (m_nCurrent >= 0 && m_bSelected[m_nCurrent] && m_rcObjects[m_nCurrent].PtInRect(point))
        OnEditObject();
}

void CSlideEditorDlg::UpdateCoordinates(UINT nFlags, CPoint point)
{
    CString text;
    CSlideObjSlot* slot = m_Slide.GetSlot(m_nCurrent);
    if ((m_bRectangleMode || m_bSelectMode) && m_rcBand.left != -1)
    {
        CRect band = Normalized(m_rcBand);
        band.OffsetRect(-m_rcCanvas.left, -m_rcCanvas.top);
        text.Format("(%d,%d) --> (%d,%d) = (%d,%d)", band.left, band.top, band.right, band.bottom, band.Width(),
                    band.Height());
    }
    else if ((nFlags & MK_LBUTTON) && slot && slot->m_bUsed)
    {
        int x = 0, y = 0;
        slot->GetPosition(x, y);
        if (m_bDragging)
        {
            CPoint position = DragPosition(point);
            x = position.x;
            y = position.y;
        }
        text.Format("(%d,%d)", x, y);
    }
    else
    {
        CPoint inside = ClampToCanvas(point);
        text.Format("(%d,%d)", inside.x - m_rcCanvas.left, inside.y - m_rcCanvas.top);
    }
    SetDlgItemText(IDC_COORDINATES, text);
}

// ---- the background ---------------------------------------------------------------------------------------

BOOL CSlideEditorDlg::LoadBackgroundPicture(const char* name, CPicture& picture)
{
    if (name == nullptr || *name == '\0')
        return FALSE;
    int size = 0;
    const BYTE* data = m_pPack ? m_pPack->GetEntryData(name, size) : nullptr;
    if (data != nullptr && picture.LoadFromMemory(data, static_cast<DWORD>(size)) && picture.IsLoaded())
        return TRUE;
    if (FileExists(name) && picture.Load(name))
        return TRUE;
    return !m_strProjectFolder.IsEmpty() && picture.Load(Path::Join(m_strProjectFolder, name));
}

void CSlideEditorDlg::PlaceAllObjects()
{
    for (int i = 0; i < MAX_OBJECTS; i++)
    {
        CSlideObjSlot* slot = m_Slide.GetSlot(i);
        if (!slot || !slot->m_bUsed)
            continue;
        int x = 0, y = 0;
        slot->GetPosition(x, y);
        slot->MoveTo(x, y, m_nWidth, m_nHeight);
    }
}

void CSlideEditorDlg::OnEditSlide()
{
    if (m_nSlideCount == 0)
    {
        AfxMessageBox(FormatString(IDS_SAME_BACKGROUND_SIZE, m_nWidth, m_nHeight), MB_OK | MB_ICONINFORMATION);
    }
    CSlideBackgroundDlg dlg(this);
    dlg.m_nNominalWidth = m_nWidth;
    dlg.m_nNominalHeight = m_nHeight;
    dlg.m_strImageFile = m_strImageFile;
    dlg.m_strProjectFolder = m_strProjectFolder;
    dlg.m_Background.CopyFrom(m_Slide.m_Background);
    dlg.m_cLanguage = m_cLanguage;
    dlg.m_pPack = m_pPack;
    if (dlg.DoModal() != IDOK)
        return;
    m_Choices.bBackgroundAllSlides = dlg.m_bApplyAll;
    // A picture that does not load leaves the previous background.
    CPicture candidate;
    if (dlg.m_strImageFile != m_strImageFile && LoadBackgroundPicture(dlg.m_strImageFile, candidate) &&
        LoadBackgroundPicture(dlg.m_strImageFile, m_Picture))
        m_strImageFile = dlg.m_strImageFile;
    if (m_Picture.IsLoaded())
    {
        m_Slide.m_Background.CopyFrom(dlg.m_Background);
        m_Slide.m_Background.m_strImageFile = m_strImageFile;
        // Where texts not yet written will go: a diagonal down the picture.
        int stepX = m_Picture.GetWidth() / DIAGONAL_STEPS;
        int stepY = m_Picture.GetHeight() / DIAGONAL_STEPS;
        for (int k = 0; k < MAX_OBJECTS; k++)
        {
            CSlideObjSlot* slot = m_Slide.GetSlot(k);
            if (slot && slot->m_Text.m_strText.IsEmpty())
            {
                CPoint position = SnapToGrid((k + 1) * stepX, (k + 1) * stepY, m_nGrid);
                slot->m_Text.m_nX = position.x;
                slot->m_Text.m_nY = position.y;
            }
        }
        PlaceAllObjects();
    }
    UpdateButtons();
    InvalidateCanvas();
}

// ---- inserting objects ------------------------------------------------------------------------------------

CPoint CSlideEditorDlg::ProposeTextPosition(int slot)
{
    for (int i = slot - 1; i >= 0; i--)
    {
        CSlideObjSlot* previous = m_Slide.GetSlot(i);
        if (!previous || !previous->m_bUsed || previous->m_nKind != CSlideObjSlot::KIND_TEXT)
            continue;
        int x = previous->m_Text.m_nX;
        int y = previous->m_Text.m_nY + 30;
        if (y > m_nHeight - 25)
        {
            x = std::min(x + m_nWidth / 2, m_nWidth - 60);
            y = 10;
        }
        return CPoint(x, y);
    }
    return CPoint(10, 10);
}

void CSlideEditorDlg::OnInsertText()
{
    SlideObjectCounts counts = CountSlideObjects(m_Slide);
    int k = m_Slide.FindFreeObjectSlot();
    if (k < 0 || m_strImageFile.IsEmpty() || counts.nTexts >= MENU_MAX_TEXTS)
        return;
    CSlideObjSlot* slot = m_Slide.GetSlot(k);
    m_bInDialog = TRUE;
    CTextObjectDlg dlg(this);
    // A new text starts with the settings of the last one inserted (they wait in the free slots).
    dlg.m_TextObject.CopyFrom(slot->m_Text);
    dlg.m_TextObject.m_strText.Empty();
    CPoint proposed = ProposeTextPosition(k);
    dlg.m_TextObject.m_nX = proposed.x;
    dlg.m_TextObject.m_nY = proposed.y;
    dlg.m_nSlideWidth = m_nWidth;
    dlg.m_nSlideHeight = m_nHeight;
    if (dlg.DoModal() == IDOK)
    {
        m_Choices.bTextAllSlides = dlg.m_bApplyAllSlides;
        m_Choices.bTextThisSlide = dlg.m_bApplyThisSlide;
        slot->m_Text.CopyFrom(dlg.m_TextObject);
        slot->m_bUsed = TRUE;
        slot->m_nKind = CSlideObjSlot::KIND_TEXT;
        CPoint snapped = SnapToGrid(slot->m_Text.m_nX, slot->m_Text.m_nY, m_nGrid);
        slot->m_Text.m_nX = snapped.x;
        slot->m_Text.m_nY = snapped.y;
        slot->Prepare(m_pPack, this);
        for (int j = k + 1; j < MAX_OBJECTS; j++)
            if (CSlideObjSlot* later = m_Slide.GetSlot(j))
                if (later->m_Text.m_strText.IsEmpty())
                    later->m_Text.CopyStyleFrom(slot->m_Text);
        if (dlg.m_bApplyAllSlides || dlg.m_bApplyThisSlide)
            m_Slide.ApplyTextStyle(k);
    }
    UpdateButtons();
    InvalidateCanvas();
}

void CSlideEditorDlg::OnInsertImage()
{
    SlideObjectCounts counts = CountSlideObjects(m_Slide);
    int k = m_Slide.FindFreeObjectSlot();
    if (k < 0 || m_strImageFile.IsEmpty() || counts.nImages >= MENU_MAX_IMAGES)
        return;
    CImageObjectDlg dlg(this);
    dlg.m_strProjectFolder = m_strProjectFolder;
    dlg.m_nSlideWidth = m_nWidth;
    dlg.m_nSlideHeight = m_nHeight;
    if (dlg.DoModal() == IDOK)
    {
        ObjectApplyChoices choices = {0, 0};
        TakeImageDialog(dlg, GetObjectContext(), k, choices);
        m_Choices.bImageAllSlides = choices.bAllSlides;
        m_Choices.bImageThisSlide = choices.bThisSlide;
    }
    UpdateButtons();
    InvalidateCanvas();
}

void CSlideEditorDlg::OnInsertRectangle()
{
    SlideObjectCounts counts = CountSlideObjects(m_Slide);
    if (m_Slide.FindFreeObjectSlot() < 0 || m_strImageFile.IsEmpty() || counts.nRectangles >= MENU_MAX_RECTANGLES)
        return;
    StartBandMode(TRUE);
}

void CSlideEditorDlg::OnRectangleDrawn()
{
    if (!m_bRectangleMode)
        return;
    CRect drawn = Normalized(m_rcBand);
    drawn.OffsetRect(-m_rcCanvas.left, -m_rcCanvas.top);
    m_bRectangleMode = FALSE;
    int k = m_Slide.FindFreeObjectSlot();
    if (k >= 0)
    {
        CRectangleObjectDlg dlg(this);
        dlg.m_rcDrawn = drawn;
        // A click without a drag puts a rectangle of the dialog's size there.
        dlg.m_nX = drawn.left;
        dlg.m_nY = drawn.top;
        dlg.m_nGrid = m_nGrid;
        dlg.m_nSlideWidth = m_nWidth;
        dlg.m_nSlideHeight = m_nHeight;
        ObjectApplyChoices choices = {0, 0};
        if (dlg.DoModal() == IDOK)
        {
            TakeRectangleDialog(dlg, GetObjectContext(), k, choices);
            m_Slide.GetSlot(k)->Prepare(m_pPack, this);
        }
    }
    EndBandModes();
    UpdateButtons();
}

// ---- editing, duplicating, deleting -----------------------------------------------------------------------

void CSlideEditorDlg::OnEditObject()
{
    int index = m_nCurrent;
    CSlideObjSlot* slot = m_Slide.GetSlot(index);
    if (!slot || !slot->m_bUsed)
        index = GetSelection();
    slot = m_Slide.GetSlot(index);
    if (!slot || !slot->m_bUsed)
        return;
    ObjectApplyChoices choices = {0, 0};
    int kind = slot->m_nKind;
    if (EditSlideObject(this, GetObjectContext(), index, choices))
    {
        if (kind == CSlideObjSlot::KIND_TEXT)
        {
            m_Choices.bTextAllSlides = choices.bAllSlides;
            m_Choices.bTextThisSlide = choices.bThisSlide;
        }
        else if (kind == CSlideObjSlot::KIND_IMAGE)
        {
            m_Choices.bImageAllSlides = choices.bAllSlides;
            m_Choices.bImageThisSlide = choices.bThisSlide;
        }
        slot->Prepare(m_pPack, this);
    }
    UpdateButtons();
    InvalidateCanvas();
}

void CSlideEditorDlg::OnDuplicateObject()
{
    int copy = DuplicateSlideObject(this, GetObjectContext(), GetSelection());
    if (CSlideObjSlot* slot = m_Slide.GetSlot(copy))
        slot->Prepare(m_pPack, this);
    UpdateButtons();
    InvalidateCanvas();
}

void CSlideEditorDlg::OnDeleteObject()
{
    int index = -1;
    for (int i = 0; i < MAX_OBJECTS && index < 0; i++)
    {
        CSlideObjSlot* slot = m_Slide.GetSlot(i);
        if (m_bSelected[i] && slot && slot->m_bUsed)
            index = i;
    }
    if (index < 0 || !ConfirmDeleteObject(m_Slide, index))
        return;
    m_Slide.DeleteObject(index);
    ClearSelection();
    UpdateButtons();
    InvalidateCanvas();
}

// ---- ordering ---------------------------------------------------------------------------------------------

void CSlideEditorDlg::OnObjectOrder()
{
    if (CountSlideObjects(m_Slide).Total() < 2)
        return;
    AfxMessageBox(IDS_CLICK_OBJECTS_IN_ORDER, MB_OK | MB_ICONINFORMATION);
    m_bOrderMode = TRUE;
    for (int i = 0; i < MAX_OBJECTS; i++)
        m_nOrder[i] = -1;
    m_nOrderCount = 0;
    InvalidateCanvas();
}

void CSlideEditorDlg::ApplyOrder()
{
    // The clicked objects first, in click order (up to the first repeat), then the others in their order.
    std::vector<std::unique_ptr<CSlideObjSlot>> ordered;
    BOOL taken[MAX_OBJECTS] = {};
    for (int k = 0; k < m_nOrderCount; k++)
    {
        int index = m_nOrder[k];
        if (index < 0 || index >= MAX_OBJECTS || taken[index])
            break;
        taken[index] = TRUE;
        ordered.push_back(std::move(m_Slide.m_pSlots[index]));
    }
    for (int pass = 0; pass < 2; pass++)
        for (int i = 0; i < MAX_OBJECTS; i++)
            if (!taken[i] && m_Slide.m_pSlots[i] && (m_Slide.m_pSlots[i]->m_bUsed != 0) == (pass == 0))
                ordered.push_back(std::move(m_Slide.m_pSlots[i]));
    for (int i = 0; i < MAX_OBJECTS; i++)
        m_Slide.m_pSlots[i] = std::move(ordered[static_cast<size_t>(i)]);
    PlaceAllObjects();
    m_bOrderMode = FALSE;
    m_nOrderCount = 0;
    ClearSelection();
    UpdateButtons();
    InvalidateCanvas();
}

void CSlideEditorDlg::OnUpdateSelection()
{
    for (int i = 0; i < MAX_OBJECTS; i++)
        m_bSelected[i] = FALSE;
    UpdateButtons();
    InvalidateCanvas();
}

// ---- groups of objects ------------------------------------------------------------------------------------

void CSlideEditorDlg::OnSelectObjects()
{
    if (CountSlideObjects(m_Slide).Total() < 1)
        return;
    StartBandMode(FALSE);
}

void CSlideEditorDlg::OnSelectionDrawn()
{
    if (!m_bSelectMode)
        return;
    CRect band = Normalized(m_rcBand);
    std::vector<int> collected;
    for (int i = 0; i < MAX_OBJECTS; i++)
    {
        CSlideObjSlot* slot = m_Slide.GetSlot(i);
        const CRect& rc = m_rcObjects[i];
        if (slot && slot->m_bUsed && !rc.IsRectEmpty() && rc.left >= band.left && rc.top >= band.top &&
            rc.right <= band.right && rc.bottom <= band.bottom)
            collected.push_back(i);
    }
    m_bSelectMode = FALSE;
    if (!collected.empty())
    {
        CEditSelectedDlg choice(this);
        INT_PTR answer = choice.DoModal();
        if (answer == IDOK && choice.m_nChoice == CEditSelectedDlg::MOVE_OBJECTS)
            MoveObjects(collected);
        else if (answer == IDOK && choice.m_nChoice == CEditSelectedDlg::DELETE_OBJECTS)
        {
            // From the highest slot down, so that a deletion does not shift the ones still to come.
            for (auto it = collected.rbegin(); it != collected.rend(); ++it)
                if (ConfirmDeleteObject(m_Slide, *it))
                    m_Slide.DeleteObject(*it);
        }
    }
    ClearSelection();
    EndBandModes();
    UpdateButtons();
}

void CSlideEditorDlg::MoveObjects(const std::vector<int>& objects)
{
    CMoveObjectsDlg move(this);
    if (move.DoModal() != IDOK)
        return;
    for (int i : objects)
    {
        CRect rc;
        m_Slide.GetSlot(i)->GetRect(rc);
        rc.OffsetRect(move.m_nOffsetX, move.m_nOffsetY);
        if (rc.left < 0 || rc.top < 0 || rc.right > m_nWidth || rc.bottom > m_nHeight)
        {
            AfxMessageBox(IDS_OBJECTS_WOULD_LEAVE_WINDOW, MB_OK | MB_ICONEXCLAMATION);
            return;
        }
    }
    for (int i : objects)
    {
        CSlideObjSlot* slot = m_Slide.GetSlot(i);
        int x = 0, y = 0;
        slot->GetPosition(x, y);
        slot->MoveTo(x + move.m_nOffsetX, y + move.m_nOffsetY, m_nWidth, m_nHeight);
    }
}

void CSlideEditorDlg::OnObjectList()
{
    m_Slide.CompactObjects();
    ClearSelection();
    CObjectListDlg dlg(this);
    dlg.m_pSlide = &m_Slide;
    dlg.m_nWidth = m_Picture.IsLoaded() ? m_Picture.GetWidth() : m_nWidth;
    dlg.m_nHeight = m_Picture.IsLoaded() ? m_Picture.GetHeight() : m_nHeight;
    dlg.m_nSlideIndex = m_nSlideIndex;
    dlg.m_pPack = m_pPack;
    dlg.m_nGrid = m_nGrid;
    dlg.m_strProjectFolder = m_strProjectFolder;
    dlg.DoModal();
    for (int i = 0; i < MAX_OBJECTS; i++)
        if (CSlideObjSlot* slot = m_Slide.GetSlot(i))
            if (slot->m_bUsed)
                slot->Prepare(m_pPack, this);
    UpdateButtons();
    InvalidateCanvas();
}

// ---- dropped files ----------------------------------------------------------------------------------------

void CSlideEditorDlg::OnDropFiles(HDROP hDropInfo)
{
    CString path = GetDroppedFile(hDropInfo, 0);
    DragFinish(hDropInfo);
    CImageFileFilter filter;
    CPicture picture;
    if (path.IsEmpty() || !filter.IsImageFile(path) || !picture.Load(path))
        return;
    int width = picture.GetWidth();
    int height = picture.GetHeight();
    if (width == m_nWidth && height == m_nHeight)
    {
        // An image of the slide's size becomes the background.
        CString relative;
        CPicture background;
        if (ImportFileToProject(path, m_strProjectFolder, relative, m_pPack) &&
            background.Load(Path::Join(m_strProjectFolder, relative)))
        {
            m_Picture.CopyFrom(background);
            m_strImageFile = relative;
            m_Slide.m_Background.m_strImageFile = relative;
            PlaceAllObjects();
        }
    }
    else if (width > m_nWidth || height > m_nHeight)
    {
        CImageSizeDlg sizeDlg(this);
        sizeDlg.m_strPath = path;
        sizeDlg.m_nTargetWidth = m_nWidth;
        sizeDlg.m_nTargetHeight = m_nHeight;
        sizeDlg.m_nActualWidth = width;
        sizeDlg.m_nActualHeight = height;
        sizeDlg.DoModal();
    }
    else if (width * height <= m_nWidth * m_nHeight * 8 / 10 ||
             AfxMessageBox(IDS_INSERT_AS_IMAGE_OBJECT, MB_YESNO | MB_ICONQUESTION) == IDYES)
        InsertDroppedImage(path);
    UpdateButtons();
    InvalidateCanvas();
}

void CSlideEditorDlg::InsertDroppedImage(const CString& path)
{
    int k = m_Slide.FindFreeObjectSlot();
    if (k < 0 || CountSlideObjects(m_Slide).nImages >= MENU_MAX_IMAGES)
        return;
    CSlideObjSlot* slot = m_Slide.GetSlot(k);
    slot->CreateImage(m_ptInsert.x, m_ptInsert.y, path, 0, DROPPED_IMAGE_DELAY, FALSE, 0, DROPPED_IMAGE_SPEED,
                      m_pPack);
    slot->MoveTo(m_ptInsert.x, m_ptInsert.y, m_nWidth, m_nHeight);
    m_ptInsert.Offset(INSERT_STEP_X, INSERT_STEP_Y);
    if (m_ptInsert.x > INSERT_LIMIT_X)
        m_ptInsert.x = INSERT_RESTART_X;
    if (m_ptInsert.y > INSERT_LIMIT_Y)
        m_ptInsert.y = INSERT_RESTART_Y;
}
