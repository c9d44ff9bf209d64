// The slide editor: one slide drawn on a canvas, where the user selects, drags, inserts, duplicates, deletes
// and orders its objects (texts, images, rectangles) with the mouse, a context menu and buttons, changes its
// background, and drops image files. It works on a copy of the slide; the caller takes the copy on OK.
#pragma once

#include "editor/EditorControls.h"
#include "editor/SlideEditorChoices.h"
#include "framework/win/Framework.h"
#include "show/Picture.h"
#include "show/Slide.h"

#include <vector>

class CProjectPack;
struct SlideObjectContext;

class CSlideEditorDlg : public CDialog
{
public:
    explicit CSlideEditorDlg(CWnd* pParent = nullptr);

    enum
    {
        MAX_OBJECTS = CSlide::MaxObjects,
        MAX_WIDTH = 638,   // the largest slide the canvas shows
        MAX_HEIGHT = 466,
        CANVAS_LEFT = 155,   // the canvas's top-left corner in the dialog, pixels
        CANVAS_TOP = 5,
        MIN_GRID = 1,
        MAX_GRID = 25,
        MIN_SHOWN_GRID = 5,   // finer grids are not drawn
        DRAG_THRESHOLD = 5,   // pixels the mouse moves before a drag starts
        GRID_WHITE = 0,
        GRID_BLACK = 1
    };

    // Runs the editor on a copy of slide, whose size is the player window's less 2 in width and 14 in
    // height. On OK, slide takes the edited copy, imageFile the background image's name and choices (when
    // given) what is to be carried out over the show; TRUE then. FALSE when the user cancelled.
    static BOOL EditSlide(CWnd* parent, CSlide& slide, CString& imageFile, const char* projectFolder,
                          int slideIndex, int playerWidth, int playerHeight, int slideCount, const CProjectPack* pack,
                          SlideEditorChoices* choices = nullptr);

    // The object in each slot whose last drawing holds the point (the topmost), or -1.
    int HitObject(CPoint point) const;
    // The highest-numbered selected object, or -1.
    int GetSelection() const;
    // Greys the context menu's entries that do not apply now.
    void UpdateContextMenu(CMenu* menu);
    // Takes and checks the grid and the check boxes from the controls; FALSE when the grid is not a number.
    BOOL TakeGridSettings();

    int m_bLock;
    int m_bShowGrid;
    int m_nGrid;
    CSlide m_Slide;
    char m_cLanguage;
    int m_nSlideIndex;
    CPicture m_Picture;       // the background
    CString m_strImageFile;   // its name: an entry of the pack or a file relative to the project folder
    CString m_strProjectFolder;
    int m_nWidth;   // the slide size, cut to the canvas's largest
    int m_nHeight;
    int m_nSlideCount;
    CRect m_rcObjects[MAX_OBJECTS];   // where each object was last drawn
    BOOL m_bSelected[MAX_OBJECTS];
    int m_nCurrent;         // the object under the last click, -1 for none
    CPoint m_ptDragStart;   // x is -1 when no drag can start
    BOOL m_bDragging;
    CRect m_rcDrag;   // the dragged object on the slide when the drag started
    SlideEditorChoices m_Choices;
    int m_nObjectCount;
    BOOL m_bOrderMode;
    int m_nOrder[MAX_OBJECTS];   // slots in click order, -1 for none
    int m_nOrderCount;
    const CProjectPack* m_pPack;
    BOOL m_bInDialog;   // from the insert-text dialog to the next release of the left button
    BOOL m_bRectangleMode;
    CRect m_rcBand;   // the rectangle being drawn (anchor, then moving corner); left -1 when none
    BOOL m_bPainted;
    BOOL m_bSelectMode;
    int m_nGridColor;
    CColorSwatch m_swatchWhite;
    CColorSwatch m_swatchBlack;
    CPoint m_ptInsert;   // where the next dropped image object goes
    CRect m_rcCanvas;

protected:
    void DoDataExchange(CDataExchange* pDX) override;
    BOOL PreTranslateMessage(MSG* pMsg) override;
    BOOL OnInitDialog() override;
    void OnOK() override;

    afx_msg void OnPaint();
    afx_msg void OnLButtonDown(UINT nFlags, CPoint point);
    afx_msg void OnMouseMove(UINT nFlags, CPoint point);
    afx_msg void OnLButtonUp(UINT nFlags, CPoint point);
    afx_msg void OnLButtonDblClk(UINT nFlags, CPoint point);
    afx_msg void OnRButtonDown(UINT nFlags, CPoint point);
    afx_msg void OnRButtonUp(UINT nFlags, CPoint point);
    afx_msg BOOL OnSetCursor(CWnd* pWnd, UINT nHitTest, UINT message);
    afx_msg void OnDropFiles(HDROP hDropInfo);
    afx_msg void OnEditSlide();
    afx_msg void OnInsertText();
    afx_msg void OnInsertImage();
    afx_msg void OnInsertRectangle();
    afx_msg void OnRectangleDrawn();
    afx_msg void OnEditObject();
    afx_msg void OnDuplicateObject();
    afx_msg void OnDeleteObject();
    afx_msg void OnObjectOrder();
    afx_msg void OnObjectList();
    afx_msg void OnSelectObjects();
    afx_msg void OnSelectionDrawn();
    afx_msg void OnUpdateSelection();
    afx_msg void OnGridSettings();
    afx_msg void OnGridChanged();
    afx_msg void OnGridSpin(NMHDR* pNMHDR, LRESULT* pResult);
    afx_msg void OnGridWhite();
    afx_msg void OnGridBlack();
    afx_msg void OnHelp();

    SlideObjectContext GetObjectContext();
    void UpdateButtons();
    void EnableItem(int id, BOOL enable);
    // Shows the grid check box only for grids that can be drawn.
    void ApplyGridRules();
    void SetGridColor(int color);
    // The dialog's client area grows or shrinks to hold the canvas.
    void FitToCanvas();
    void DrawCanvas(CDC* dc);
    void InvalidateCanvas();
    void ClearSelection();
    void UpdateCoordinates(UINT nFlags, CPoint point);
    // The point held inside the canvas.
    CPoint ClampToCanvas(CPoint point) const;
    // Whether the mouse, moved to point, drags the current object.
    BOOL CanDrag(UINT nFlags, CPoint point) const;
    // The dragged object's position on the slide for the mouse at point.
    CPoint DragPosition(CPoint point) const;
    // Loads a background picture by name: the pack's entry, the file, or the file in the project folder.
    BOOL LoadBackgroundPicture(const char* name, CPicture& picture);
    // Keeps every object inside the slide.
    void PlaceAllObjects();
    // Where the next text object in slot goes: below the text before it, or in the next column.
    CPoint ProposeTextPosition(int slot);
    void ApplyOrder();
    // Moves the objects by offsets the user gives, unless one of them would leave the slide.
    void MoveObjects(const std::vector<int>& objects);
    // The mouse draws a new rectangle (or else a selection) until the button is released.
    void StartBandMode(BOOL rectangle);
    void EndBandModes();
    void InsertDroppedImage(const CString& path);
    void SetBandCursor();

    DECLARE_MESSAGE_MAP()
};
