// Small pieces several editor dialogs share: a static painted in one colour, a static that draws its text
// in its own font and colour, the image-file filter and extension test, and a font description passed
// through the system's font dialog.
#pragma once

#include "framework/win/Framework.h"

// A static whose whole client area shows one colour.
class CColorSwatch : public CStatic
{
    DECLARE_DYNAMIC(CColorSwatch)
public:
    explicit CColorSwatch(COLORREF color = RGB(255, 255, 255));

    // Stores the colour and repaints at once.
    void SetColor(COLORREF color);
    COLORREF GetColor() const { return m_crColor; }

protected:
    afx_msg void OnPaint();

    COLORREF m_crColor;
    DECLARE_MESSAGE_MAP()
};

// A text static (left, centred or right) drawing its text in a font made from its own with another height,
// weight and underline, in its own colour on a transparent background. Used for dialog titles.
class CFontStatic : public CStatic
{
    DECLARE_DYNAMIC(CFontStatic)
public:
    CFontStatic();

    using CStatic::SetFont;
    // height: the font height as the system takes it (negative: character height in pixels).
    void SetFont(int height, int weight, BOOL underline, COLORREF color);

    CFont m_font;
    COLORREF m_crColor;
    int m_nHeight;
    int m_nWeight;
    BYTE m_bUnderline;

protected:
    afx_msg HBRUSH CtlColor(CDC* pDC, UINT nCtlColor);
    DECLARE_MESSAGE_MAP()
};

// The image files the editor takes: the open dialog's filter and the test by extension.
class CImageFileFilter
{
public:
    static CString GetFilter();

    // TRUE when the file name's extension (lower-cased, kept in m_strExtension) is one of the picture
    // extensions. FALSE for a file name without a point after its first character.
    BOOL IsImageFile(const char* path);

    CString m_strExtension;
};

// A font description for the system's font dialog: face, size in pixels, weight as text ("BOLD" or
// "NORMAL"), underline, italic and colour.
class CFontChoice
{
public:
    CFontChoice();

    // The weight text is trimmed and upper-cased; it means 700 when it begins with "B", else 400. An empty
    // face becomes "Arial"; the size is held to 6 … 100.
    void Set(const char* face, int size, const char* weightText, BOOL underline, BOOL italic, COLORREF color,
             CWnd* owner);
    // Runs the font dialog (screen fonts, colour, underline and strike-out) on the description; on OK takes
    // what the user chose. Returns the dialog's result.
    INT_PTR DoModal();
    void Get(CString& face, int& size, CString& weightText, BOOL& underline, BOOL& italic, COLORREF& color) const;

    LOGFONTA m_logFont;
    CString m_strFace;
    CString m_strWeight;
    int m_nWeight;
    BOOL m_bUnderline;
    BOOL m_bItalic;
    COLORREF m_crColor;
    CWnd* m_pOwner;
    int m_nSize;

protected:
    // Takes the result of a font dialog that ended with OK.
    void TakeResult(const LOGFONTA& font, COLORREF color);
};

// Helpers of the editor's dialogs.

// The system's colour dialog, fully open, any colour, starting on color. TRUE (and the colour) on OK.
BOOL PickColor(CWnd* owner, COLORREF& color);
// Empties the combo box and lists the texts of a "|"-separated list, up to its first empty text.
void FillComboWithNames(CComboBox& combo, const CString& names);
int ClampInt(int value, int low, int high);
// The path of file index of a drop; empty when there is none.
CString GetDroppedFile(HDROP drop, UINT index);
// A resource string formatted with the arguments.
template <class... Args>
CString FormatString(UINT id, const Args&... args)
{
    CString format, text;
    format.LoadString(id);
    text.Format(format, args...);
    return text;
}
