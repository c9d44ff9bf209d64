// The text object of a slide: one line of text in a font and colour, optionally with a shadow, that enters
// the slide with one of four text animations.
#pragma once

#include "show/EffectNames.h"
#include "show/SlideBasicObj.h"

class CAniText : public CSlideBasicObj
{
    DECLARE_DYNAMIC(CAniText)
public:
    CAniText();
    ~CAniText() override;

    void GetInfoText(CString& text) override;
    void SetDefaults() override;
    void Clear() override;
    void Load(int n, CSettingsFile& file, const char* section) override;
    void Save(int n, CSettingsFile& file, const char* section) override;
    void Paint(CDC* dc) override;
    void Draw(CDC* dc, const CRect& canvas, int number, BOOL selected, CRect& drawn) override;
    // Gives m_rcLast the size Draw would draw the text at now (its extent grown by one pixel on every
    // side), so that the size is right before the text is drawn again; an empty text keeps the old one.
    void MeasureDrawnSize(CDC* dc);
    BOOL AnimateStep(CDC* dc, int step, int counter, int elapsed) override;
    void GetAnimationName(CString& name) override;
    int GetAnimationIndex() override;
    void Prepare(const CProjectPack* pack, CWnd* window) override;
    void SetTextAt(int x, int y, COLORREF color, const char* text) override;
    void StopPlayback() override;
    int StopAnimation() override;
    void Describe(CString& text) override;
    void GetRect(CRect& rect) override;

    void CopyFrom(const CAniText& other);
    // Delay, animation, font, attributes, colour and font-size unit; not position, text or visibility.
    void CopyStyleFrom(const CAniText& other);
    // The animation is chosen by its display name in the object's language.
    void Set(int x, int y, const char* text, const char* animationName, const char* fontName, int fontSize,
             const char* fontWeight, BOOL underline, BOOL italic, int effect, COLORREF color, int delay);
    // Moves to (x, y) kept inside an area of width x height, by the size of the last drawing.
    void MoveTo(int x, int y, int width, int height);
    // Show-time drawing of the whole text at (x, y), with the shadow when the effect is set.
    void PaintAt(CDC* dc, int x, int y);
    // Creates the font (anew when renew is set); dc serves as reference.
    void CreateFont(CDC* dc, BOOL renew);
    // How many leading characters of the text fit into room pixels in the object's font (made when missing).
    int CountFittingCharacters(CDC* dc, long long room);

    // The show text's FONTSIZE for a size held in pixels, and back, at the screen's resolution.
    static int PixelsToStoredSize(int pixels, BOOL inPoints);
    static int StoredSizeToPixels(int stored, BOOL inPoints);
    static int GetScreenPixelsPerInchY();

    CString m_strText;
    int m_nFontSize;           // pixels while in memory
    CString m_strFontWeight;   // bold when it contains "BOLD"
    CString m_strFontName;
    BOOL m_bUnderline;   // carried, not drawn
    BOOL m_bItalic;      // carried, not drawn
    int m_nEffect;       // non-zero: shadow
    COLORREF m_crColor;
    CTextAnimNames m_Animation;
    CRect m_rcLast;   // the last editor drawing, grown by one pixel on every side
    CFont m_Font;
    BOOL m_bFontCreated;
    BOOL m_bFontInPoints;   // FONTTYPE: the show text stores FONTSIZE in points

protected:
    void PaintText(CDC* dc, int x, int y, const CString& text);
    CSize MeasureText(CDC* dc, const CString& text);
};
