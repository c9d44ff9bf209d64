// The editor's slide view: the show's slides as thumbnail cells, one for each slide a show can have, five to
// a row. The user adds, edits, deletes, copies, pastes and reorders slides here (by dragging, or by clicking
// them in their new order), drops image and project files on it, starts test runs and opens the compile
// dialog. The thumbnails are drawn by a worker thread from copies taken when a project opens (see ThumbnailWorker.h).
#pragma once

#include "editor/SlideEditorChoices.h"
#include "editor/ThumbnailWorker.h"
#include "framework/win/Framework.h"
#include "show/ShowData.h"

#include <vector>

class CVexulCreatorDoc;

// The test run's start slide (dialog 152).
class CTestDlg : public CDialog
{
public:
    explicit CTestDlg(CWnd* pParent = nullptr);

    int m_nSlide;   // counted from 1

protected:
    void DoDataExchange(CDataExchange* pDX) override;
    afx_msg void OnFirstSlide();
    DECLARE_MESSAGE_MAP()
};

// What the slide editor works on and hands back: a copy of one slide with its background image file and
// the settings the user chose to apply to further objects and slides.
struct CSlideEditRequest
{
    CSlide* slide = nullptr;   // the copy; it replaces the slide after IDOK
    CString projectFolder;
    CString imageFile;   // in: the background image; out: the one chosen
    int slideIndex = 0;
    int windowWidth = 0;   // of the player
    int windowHeight = 0;
    int slideCount = 0;
    const CProjectPack* pack = nullptr;
    // Apply-to-all choices: the background settings to every slide; the first object's text or image
    // settings to every object of its kind in all slides, or in this slide.
    SlideEditorChoices choices = {};
};

class CVexulCreatorView : public CScrollView
{
    DECLARE_DYNCREATE(CVexulCreatorView)
public:
    enum
    {
        CELL_COUNT = CShowData::MaxSlides,   // a cell for every slide a show can have
        CELLS_PER_ROW = 5,
        CELL_WIDTH = 140,
        CELL_HEIGHT = 105,
        CELL_STEP_X = 150,
        CELL_STEP_Y = 115,
        CELL_MARGIN = 10,
        SCROLL_WIDTH = 760,
        // A thumbnail the worker finished (wParam: the cell).
        WM_THUMBNAIL_READY = WM_APP + 0x101,
    };

    CVexulCreatorView();
    ~CVexulCreatorView() override;

    CVexulCreatorDoc* GetDocument() const;

    void OnInitialUpdate() override;
    void OnUpdate(CView* pSender, LPARAM lHint, CObject* pHint) override;
    void OnDraw(CDC* pDC) override;
    INT_PTR OnToolHitTest(CPoint point, TOOLINFOA* pTI) const override;

    // Saves the project and starts its player at slide (counted from 0).
    void RunPlayer(int slide);
    // Adds (cell = slide count) or edits the slide of a cell through the new-slide dialog and the slide editor.
    void EditSlide(int cell);
    // Makes the picture file the background of the cell's slide; FALSE when it is no picture the pack can take.
    BOOL SetSlideImage(int cell, const CString& path);
    // The cell under a point of the window (-1 for none).
    int HitTest(CPoint point) const;

    // The worker: stopped (and waited for) before the slides change; started for cells still without a
    // thumbnail.
    void StopThumbnails();
    void RenderMissingThumbnails();
    BOOL IsRenderingThumbnails() const { return m_worker.IsRunning(); }
    // TRUE while the worker's thread still draws.
    BOOL IsThumbnailWorkerBusy() const { return m_worker.IsBusy(); }

    int GetSlideCount() const { return m_nSlideCount; }
    int GetSelection() const { return m_nSelection; }
    BOOL IsOrderMode() const { return m_bOrderMode; }
    const CString& GetCellFile(int cell) const;
    HBITMAP GetCellBitmap(int cell) const;
    CRect GetCellRect(int cell) const;

protected:
    // The slide editor on a copy of a slide: IDOK when the copy should replace the slide.
    virtual INT_PTR RunSlideEditor(CSlideEditRequest& request);

    struct CCell
    {
        CRect rect;
        CString file;   // bare file name of the slide's background
        std::unique_ptr<CBitmap> bitmap;
        int pictureWidth = 0;
        int pictureHeight = 0;
        int order = -1;      // number given in order mode
    };

    void ResetCells();
    void FreeCell(CCell& cell);
    // Draws one cell's thumbnail now, on this thread.
    void RenderCell(int cell);
    // Takes the thumbnails the worker handed over that still belong to their cells.
    void InstallThumbnails();
    // Tells the user that the picture of path could not go into the pack, and why (message: the template with
    // the picture's name and the reason).
    void TellPictureNotPacked(UINT message, const CString& path);
    // Once the thumbnails of an opened project are all drawn, names the backgrounds that could not be read.
    void NameUnreadablePictures();
    void InvalidateCell(int cell, int inflate = 0);
    // Puts the cells (and the slides) in a new order: the cell at position i goes to order[i].
    void ReorderCells(const std::vector<int>& order);
    void ApplySlideOrder();
    void LayoutCells();
    CPoint ScrollOffset() const;

    BOOL IsProjectOpen() const;
    BOOL HasSelection() const;
    BOOL CanAddSlide() const;
    BOOL CanTest() const;
    void PostToFrame(UINT command) const;

    afx_msg int OnCreate(LPCREATESTRUCT lpCreateStruct);
    afx_msg void OnDestroy();
    afx_msg void OnSize(UINT nType, int cx, int cy);
    afx_msg void OnLButtonDown(UINT nFlags, CPoint point);
    afx_msg void OnMouseMove(UINT nFlags, CPoint point);
    afx_msg void OnLButtonUp(UINT nFlags, CPoint point);
    afx_msg void OnLButtonDblClk(UINT nFlags, CPoint point);
    afx_msg void OnRButtonDown(UINT nFlags, CPoint point);
    afx_msg void OnDropFiles(HDROP hDropInfo);
    afx_msg LRESULT OnThumbnailReady(WPARAM wParam, LPARAM lParam);
    afx_msg void OnSlideAdd();
    afx_msg void OnSlideEdit();
    afx_msg void OnSlideDelete();
    afx_msg void OnSlideOrder();
    afx_msg void OnSlideCopy();
    afx_msg void OnSlidePaste();
    afx_msg void OnProjectTest();
    afx_msg void OnTestSelected();
    afx_msg void OnTestShow();
    afx_msg void OnProjectSettings();
    afx_msg void OnCompileProject();
    afx_msg void OnEditAfterDoubleClick();
    afx_msg void OnStopThumbnails();
    afx_msg void OnUpdateSlideAdd(CCmdUI* pCmdUI);
    afx_msg void OnUpdateSelectedSlide(CCmdUI* pCmdUI);
    afx_msg void OnUpdateSlideOrder(CCmdUI* pCmdUI);
    afx_msg void OnUpdateSlidePaste(CCmdUI* pCmdUI);
    afx_msg void OnUpdateTest(CCmdUI* pCmdUI);
    afx_msg void OnUpdateProjectSettings(CCmdUI* pCmdUI);

    CCell m_cells[CELL_COUNT];
    int m_nSlideCount;
    int m_nSelection;
    BOOL m_bOrderMode;
    int m_nNextOrder;
    BOOL m_bDragging;
    CRect m_rcDragTarget;
    CPoint m_ptDragStart;   // x is -1 when no drag can start
    int m_nCellCount;
    CThumbnailWorker m_worker;
    // The worker's round: slides handed to it and results taken back.
    size_t m_nRoundJobs = 0;
    size_t m_nRoundResults = 0;
    // Set by an open until its pictures are named; the backgrounds found unreadable meanwhile.
    BOOL m_bNamePicturesAfterOpen = FALSE;
    std::vector<CString> m_unreadablePictures;

    DECLARE_MESSAGE_MAP()
};
