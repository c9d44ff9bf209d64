// The dialog that inserts or edits a rectangle object: position and size (from the rectangle the user drew,
// when there is one), fill mode and its colours, frame, animation, speed and delay. Everything is kept inside
// the slide. The caller reads the result after IDOK (GetRecord gives it as the slot takes it).
#pragma once

#include "editor/EditorControls.h"
#include "framework/win/Framework.h"
#include "show/EffectNames.h"
#include "show/FrameObj.h"

class CRectangleObjectDlg : public CDialog
{
public:
    explicit CRectangleObjectDlg(CWnd* pParent = nullptr);

    enum
    {
        MIN_DELAY = 50,
        MAX_DELAY = 60000,
        MIN_OFFSET = -255,
        MAX_OFFSET = 255,
        MIN_GRID = 2,
        MAX_GRID = 25
    };

    FrameObjRecord GetRecord() const;

    int m_nHeight;
    int m_nWidth;
    int m_nX;
    int m_nY;
    int m_nMode;   // CFrameObj::FILL_SOLID, FILL_LIGHTEN, FILL_COLORIZE
    int m_nBlue;
    int m_nGreen;
    int m_nRed;
    int m_nLight;
    int m_bFrame;
    CString m_strAnimation;
    int m_nSpeed;
    int m_bApplyThisSlide;
    int m_nDelay;
    CRect m_rcDrawn;   // drawn in the slide editor, relative to the canvas; empty when none
    int m_nGrid;
    COLORREF m_crFill;
    COLORREF m_crFrame;
    int m_nSlideWidth;
    int m_nSlideHeight;
    CColorSwatch m_swatchFill;
    CColorSwatch m_swatchFrame;
    CFillAnimNames m_Animation;

protected:
    void DoDataExchange(CDataExchange* pDX) override;
    BOOL OnInitDialog() override;
    void OnOK() override;
    afx_msg void OnMode();
    afx_msg void OnFrame();
    afx_msg void OnFillColor();
    afx_msg void OnFrameColor();
    afx_msg void OnSnapToGrid();
    afx_msg void OnMaxWidth();
    afx_msg void OnMaxHeight();
    afx_msg void OnHelp();
    // Position inside the slide, size at least one pixel and cut to the slide.
    void KeepInsideSlide();
    void UpdateControls();

    CComboBox m_comboAnimation;
    DECLARE_MESSAGE_MAP()
};
