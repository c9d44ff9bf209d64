#include "editor/SlideObjectEditing.h"

#include "editor/EditorControls.h"
#include "editor/ImageObjectDlg.h"
#include "editor/PositionDlgs.h"
#include "editor/RectangleObjectDlg.h"
#include "editor/TextObjectDlg.h"
#include "resources/editor/resource.h"

namespace
{

enum
{
    MIN_GRID = 1,
    MAX_GRID = 25,
    // The most objects of each kind a slide takes through the menu, the drop and duplication (the slide
    // editor's buttons stop one earlier).
    MAX_IMAGES = 10,
    MAX_TEXTS = 20,
    MAX_RECTANGLES = 20
};

BOOL EditText(CWnd* parent, const SlideObjectContext& context, int index, ObjectApplyChoices& choices)
{
    CSlideObjSlot& slot = *context.pSlide->GetSlot(index);
    CTextObjectDlg dlg(parent);
    dlg.m_TextObject.CopyFrom(slot.m_Text);
    dlg.m_nSlideWidth = context.nWidth;
    dlg.m_nSlideHeight = context.nHeight;
    if (dlg.DoModal() != IDOK)
        return FALSE;
    choices.bAllSlides = dlg.m_bApplyAllSlides;
    choices.bThisSlide = dlg.m_bApplyThisSlide;
    slot.m_Text.CopyFrom(dlg.m_TextObject);   // the size of its last drawing stays: it keeps the text inside
    CPoint snapped = SnapToGrid(slot.m_Text.m_nX, slot.m_Text.m_nY, context.nGrid);
    slot.MoveTo(snapped.x, snapped.y, context.nWidth, context.nHeight);
    if (choices.bAllSlides || choices.bThisSlide)
        context.pSlide->ApplyTextStyle(index);
    return TRUE;
}

BOOL EditImage(CWnd* parent, const SlideObjectContext& context, int index, ObjectApplyChoices& choices)
{
    CImageObj& image = context.pSlide->GetSlot(index)->m_Image;
    CImageObjectDlg dlg(parent);
    dlg.m_strFile = image.m_strFile;
    dlg.m_nX = image.m_nX;
    dlg.m_nY = image.m_nY;
    dlg.m_nDelay = image.m_nDelay;
    dlg.m_Animation.CopySelectedIndex(image.m_Animation);
    dlg.m_bTransparent = image.m_bTransparent;
    dlg.m_crTransparent = image.m_crTransparent;
    dlg.m_nSpeed = image.m_nSpeed;
    dlg.m_nPictureWidth = image.m_nWidth;
    dlg.m_nPictureHeight = image.m_nHeight;
    dlg.m_strProjectFolder = context.pszProjectFolder ? context.pszProjectFolder : "";
    dlg.m_nSlideWidth = context.nWidth;
    dlg.m_nSlideHeight = context.nHeight;
    if (dlg.DoModal() != IDOK)
        return FALSE;
    TakeImageDialog(dlg, context, index, choices);
    return TRUE;
}

BOOL EditRectangle(CWnd* parent, const SlideObjectContext& context, int index, ObjectApplyChoices& choices)
{
    CFrameObj& frame = context.pSlide->GetSlot(index)->m_Frame;
    CRectangleObjectDlg dlg(parent);
    dlg.m_nX = frame.m_nX;
    dlg.m_nY = frame.m_nY;
    dlg.m_nWidth = frame.m_nWidth;
    dlg.m_nHeight = frame.m_nHeight;
    dlg.m_nMode = frame.m_nFillMode;
    dlg.m_nBlue = frame.m_nBlue;
    dlg.m_nGreen = frame.m_nGreen;
    dlg.m_nRed = frame.m_nRed;
    dlg.m_nLight = frame.m_nLight;
    dlg.m_bFrame = frame.m_bFrame;
    dlg.m_crFill = frame.m_crFill;
    dlg.m_crFrame = frame.m_crFrame;
    dlg.m_nSpeed = frame.m_nSpeed;
    dlg.m_nDelay = frame.m_nDelay;
    dlg.m_Animation.CopySelectedIndex(frame.m_Animation);
    dlg.m_nGrid = context.nGrid;
    dlg.m_nSlideWidth = context.nWidth;
    dlg.m_nSlideHeight = context.nHeight;
    if (dlg.DoModal() != IDOK)
        return FALSE;
    TakeRectangleDialog(dlg, context, index, choices);
    return TRUE;
}

}   // namespace

SlideObjectCounts CountSlideObjects(const CSlide& slide)
{
    SlideObjectCounts counts = {0, 0, 0};
    for (int i = 0; i < CSlide::MaxObjects; i++)
    {
        CSlideObjSlot* slot = slide.GetSlot(i);
        if (!slot || !slot->m_bUsed)
            continue;
        switch (slot->m_nKind)
        {
        case CSlideObjSlot::KIND_TEXT: counts.nTexts++; break;
        case CSlideObjSlot::KIND_IMAGE: counts.nImages++; break;
        case CSlideObjSlot::KIND_RECTANGLE: counts.nRectangles++; break;
        default: break;
        }
    }
    return counts;
}

CPoint SnapToGrid(int x, int y, int grid)
{
    grid = ClampInt(grid, MIN_GRID, MAX_GRID);
    return CPoint(grid * (x / grid), grid * (y / grid));
}

void TakeImageDialog(const CImageObjectDlg& dlg, const SlideObjectContext& context, int index,
                     ObjectApplyChoices& choices)
{
    choices.bAllSlides = dlg.m_bApplyAllSlides;
    choices.bThisSlide = dlg.m_bApplyThisSlide;
    CSlideObjSlot& slot = *context.pSlide->GetSlot(index);
    slot.CreateImage(dlg.m_nX, dlg.m_nY, dlg.m_strFile, dlg.m_Animation.GetSelectedIndex(), dlg.m_nDelay,
                     dlg.m_bTransparent, dlg.m_crTransparent, dlg.m_nSpeed, context.pPack);
    slot.MoveTo(dlg.m_nX, dlg.m_nY, context.nWidth, context.nHeight);
    if (choices.bAllSlides || choices.bThisSlide)
        context.pSlide->ApplyImageStyle(index);
}

void TakeRectangleDialog(const CRectangleObjectDlg& dlg, const SlideObjectContext& context, int index,
                         ObjectApplyChoices& choices)
{
    choices.bAllSlides = 0;
    choices.bThisSlide = dlg.m_bApplyThisSlide;
    CSlideObjSlot& slot = *context.pSlide->GetSlot(index);
    slot.CreateRectangle(dlg.GetRecord());
    slot.SetDelay(dlg.m_nDelay);
    slot.MoveTo(dlg.m_nX, dlg.m_nY, context.nWidth, context.nHeight);
    if (choices.bThisSlide)
        context.pSlide->ApplyRectangleStyle(index);
}

BOOL EditSlideObject(CWnd* parent, const SlideObjectContext& context, int index, ObjectApplyChoices& choices)
{
    choices.bAllSlides = choices.bThisSlide = 0;
    CSlideObjSlot* slot = context.pSlide ? context.pSlide->GetSlot(index) : nullptr;
    if (!slot || !slot->m_bUsed)
        return FALSE;
    switch (slot->m_nKind)
    {
    case CSlideObjSlot::KIND_TEXT: return EditText(parent, context, index, choices);
    case CSlideObjSlot::KIND_IMAGE: return EditImage(parent, context, index, choices);
    case CSlideObjSlot::KIND_RECTANGLE: return EditRectangle(parent, context, index, choices);
    default: return FALSE;
    }
}

int DuplicateSlideObject(CWnd* parent, const SlideObjectContext& context, int index)
{
    CSlideObjSlot* slot = context.pSlide ? context.pSlide->GetSlot(index) : nullptr;
    if (!slot || !slot->m_bUsed)
        return -1;
    SlideObjectCounts counts = CountSlideObjects(*context.pSlide);
    UINT refusal = 0;
    if (slot->m_nKind == CSlideObjSlot::KIND_IMAGE && counts.nImages >= MAX_IMAGES)
        refusal = IDS_MAX_IMAGE_OBJECTS;
    else if (slot->m_nKind == CSlideObjSlot::KIND_TEXT && counts.nTexts >= MAX_TEXTS)
        refusal = IDS_MAX_TEXT_OBJECTS;
    else if (slot->m_nKind == CSlideObjSlot::KIND_RECTANGLE && counts.nRectangles >= MAX_RECTANGLES)
        refusal = IDS_MAX_RECTANGLE_OBJECTS;
    if (refusal != 0)
    {
        AfxMessageBox(refusal, MB_OK | MB_ICONEXCLAMATION);
        return -1;
    }
    CSetPositionDlg dlg(parent);
    slot->GetPosition(dlg.m_nX, dlg.m_nY);
    if (dlg.DoModal() != IDOK)
        return -1;
    int copy = context.pSlide->DuplicateObject(index);
    if (CSlideObjSlot* target = context.pSlide->GetSlot(copy))
        target->MoveTo(dlg.m_nX, dlg.m_nY, context.nWidth, context.nHeight);
    return copy;
}

BOOL ConfirmDeleteObject(CSlide& slide, int index)
{
    CSlideObjSlot* slot = slide.GetSlot(index);
    if (!slot || !slot->m_bUsed)
        return FALSE;
    CString description;
    slot->Describe(description);
    return AfxMessageBox(FormatString(IDS_DELETE_OBJECT_QUESTION, description), MB_YESNO | MB_ICONQUESTION) == IDYES;
}
