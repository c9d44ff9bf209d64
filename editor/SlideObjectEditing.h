// Editing the objects of one slide through their dialogs, as the slide editor and its object list both do:
// counting them by kind, editing one, duplicating one to a position the user gives, and asking before one
// is deleted.
#pragma once

#include "framework/win/Framework.h"
#include "show/Slide.h"

class CImageObjectDlg;
class CProjectPack;
class CRectangleObjectDlg;

// How many objects of each kind the used slots hold.
struct SlideObjectCounts
{
    int nTexts;
    int nImages;
    int nRectangles;
    int Total() const { return nTexts + nImages + nRectangles; }
};

SlideObjectCounts CountSlideObjects(const CSlide& slide);

// Where a slide's objects are edited: the slide (its size is the area the objects stay in), the grid text
// positions snap to, the project folder image browsing starts in, and the pack pictures come from.
struct SlideObjectContext
{
    CSlide* pSlide;
    int nWidth;
    int nHeight;
    int nGrid;
    const char* pszProjectFolder;
    const CProjectPack* pPack;
};

// The apply-to-all choices an object dialog hands back.
struct ObjectApplyChoices
{
    int bAllSlides;
    int bThisSlide;
};

// Rounds a position down to the grid (held to 1 .. 25 first).
CPoint SnapToGrid(int x, int y, int grid);

// Slot index of the context's slide takes what an image or rectangle dialog ended with OK, and the slide's
// objects of that kind take its settings when the user chose so.
void TakeImageDialog(const CImageObjectDlg& dlg, const SlideObjectContext& context, int index,
                     ObjectApplyChoices& choices);
void TakeRectangleDialog(const CRectangleObjectDlg& dlg, const SlideObjectContext& context, int index,
                         ObjectApplyChoices& choices);

// Runs the dialog of the object in slot index on its values. On OK the object takes them and stays inside
// the slide (a text also snaps to the grid); when the user chose to apply the settings, the slide's objects
// of that kind take them. FALSE when the slot is unused or the user cancelled.
BOOL EditSlideObject(CWnd* parent, const SlideObjectContext& context, int index, ObjectApplyChoices& choices);

// Copies the object in slot index to the position the user gives, within the slide. A kind at its limit
// (10 images, 20 texts or 20 rectangles on the slide) is refused with a message. The copy's slot, or -1.
int DuplicateSlideObject(CWnd* parent, const SlideObjectContext& context, int index);

// Asks whether the object in slot index may be deleted.
BOOL ConfirmDeleteObject(CSlide& slide, int index);
