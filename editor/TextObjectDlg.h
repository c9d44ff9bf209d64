// The dialog that inserts or edits a text object: text, font, colour, position, animation and delay. The
// caller fills the text object and the slide size; after IDOK the text object holds the result.
#pragma once

#include "framework/win/Framework.h"
#include "show/AniText.h"

class CTextObjectDlg : public CDialog
{
public:
    explicit CTextObjectDlg(CWnd* pParent = nullptr);

    int m_nX;
    int m_nY;
    CString m_strText;
    int m_nDelay;
    CString m_strAnimation;
    int m_bApplyAllSlides;
    int m_bApplyThisSlide;
    CAniText m_TextObject;
    char m_cLanguage;
    int m_nSlideWidth;
    int m_nSlideHeight;

    enum
    {
        MIN_DELAY = 50,
        MAX_DELAY = 60000
    };

protected:
    void DoDataExchange(CDataExchange* pDX) override;
    BOOL OnInitDialog() override;
    void OnOK() override;
    afx_msg void OnFontColor();
    afx_msg void OnSelectFont();
    afx_msg void OnHelp();
    // Tells the user when a face cannot travel with the show.
    void CheckFontEmbedding(const CString& face);
    // A text wider than the slide leaves room for right of its position would be cut when it is drawn: the
    // user is told how much fits and either has it cut (TRUE) or goes back to the whole text (FALSE).
    BOOL AcceptTextWidth();

    CComboBox m_comboAnimation;
    DECLARE_MESSAGE_MAP()
};
