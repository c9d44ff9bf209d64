#include "show/AniText.h"

#include "show/Language.h"
#include "show/Picture.h"
#include "show/SettingsFile.h"
#include "show/ShowText.h"

#include <climits>

IMPLEMENT_DYNAMIC(CAniText, CSlideBasicObj)

namespace
{

CString TextKey(int n, const char* key)
{
    return ShowText::ObjectKey(ShowText::KIND_TEXT, n, key);
}

int AbsoluteValue(int value)
{
    if (value == INT_MIN)
        return INT_MAX;
    return value < 0 ? -value : value;
}

}   // namespace

CAniText::CAniText()
    : m_nFontSize(12), m_bUnderline(FALSE), m_bItalic(FALSE), m_nEffect(0), m_crColor(0), m_bFontCreated(FALSE),
      m_bFontInPoints(TRUE)
{
    SetDefaults();
}

CAniText::~CAniText()
{
    Clear();
    m_Font.DeleteObject();
}

void CAniText::GetInfoText(CString& text)
{
    text = m_strText;
}

void CAniText::SetDefaults()
{
    Clear();
    m_nX = 20;
    m_nY = 10;
    m_nDelay = 1000;
    m_strText.Empty();
    m_nFontSize = 12;
    m_strFontWeight = "BOLD";
    m_strFontName = "ARIAL";
    m_bUnderline = FALSE;
    m_bItalic = FALSE;
    m_nEffect = 0;
    m_crColor = 0;
    m_bVisible = FALSE;
    m_bFontCreated = FALSE;
    m_cLanguage = GetLanguage();
    m_bFontInPoints = TRUE;
}

void CAniText::Clear()
{
    if (m_bFontCreated)
        m_Font.DeleteObject();
    m_bFontCreated = FALSE;
    m_nX = 0;
    m_nY = 0;
    m_strText.Empty();
}

int CAniText::GetScreenPixelsPerInchY()
{
    int ppiX, ppiY;
    ScreenPixelsPerInch(ppiX, ppiY);
    return ppiY;
}

int CAniText::StoredSizeToPixels(int stored, BOOL inPoints)
{
    return inPoints ? ::MulDiv(stored, GetScreenPixelsPerInchY(), 72) : stored;
}

int CAniText::PixelsToStoredSize(int pixels, BOOL inPoints)
{
    return AbsoluteValue(inPoints ? ::MulDiv(pixels, 72, GetScreenPixelsPerInchY()) : pixels);
}

void CAniText::Load(int n, CSettingsFile& file, const char* section)
{
    using namespace ShowText::Text;
    m_nX = file.ReadInt(section, TextKey(n, KEY_X), DEF_X);
    m_nY = file.ReadInt(section, TextKey(n, KEY_Y), DEF_Y);
    m_strText = file.ReadString(section, TextKey(n, KEY_TEXT), DEF_TEXT);
    m_strFontName = file.ReadString(section, TextKey(n, KEY_FONTNAME), DEF_FONTNAME);
    int size = file.ReadInt(section, TextKey(n, KEY_FONTSIZE), DEF_FONTSIZE);
    m_strFontWeight = file.ReadString(section, TextKey(n, KEY_FONTWEIGHT), DEF_FONTWEIGHT);
    m_bItalic = file.ReadInt(section, TextKey(n, KEY_ITALIC), DEF_ITALIC);
    m_bUnderline = file.ReadInt(section, TextKey(n, KEY_UNDERLINE), DEF_UNDERLINE);
    m_crColor = file.ReadColor(section, TextKey(n, KEY_COLOR), RGB(0, 0, 0));
    m_nEffect = file.ReadInt(section, TextKey(n, KEY_EFFECT), DEF_EFFECT);
    m_nDelay = file.ReadInt(section, TextKey(n, KEY_DELAY), DEF_DELAY);
    m_Animation.SelectByText(LETTER_KEYS, file.ReadString(section, TextKey(n, KEY_ANIMATION), DEF_ANIMATION));
    m_bFontInPoints = file.ReadInt(section, TextKey(n, KEY_FONTTYPE), DEF_FONTTYPE);
    m_nFontSize = StoredSizeToPixels(size, m_bFontInPoints);
}

void CAniText::Save(int n, CSettingsFile& file, const char* section)
{
    using namespace ShowText::Text;
    CString animation;
    m_Animation.GetText(LETTER_KEYS, animation);
    file.WriteInt(section, TextKey(n, KEY_X), m_nX);
    file.WriteInt(section, TextKey(n, KEY_Y), m_nY);
    file.WriteString(section, TextKey(n, KEY_TEXT), m_strText);
    file.WriteString(section, TextKey(n, KEY_FONTNAME), m_strFontName);
    file.WriteInt(section, TextKey(n, KEY_FONTSIZE), PixelsToStoredSize(m_nFontSize, m_bFontInPoints));
    file.WriteString(section, TextKey(n, KEY_FONTWEIGHT), m_strFontWeight);
    file.WriteInt(section, TextKey(n, KEY_ITALIC), m_bItalic);
    file.WriteInt(section, TextKey(n, KEY_UNDERLINE), m_bUnderline);
    file.WriteColor(section, TextKey(n, KEY_COLOR), m_crColor);
    file.WriteInt(section, TextKey(n, KEY_EFFECT), m_nEffect);
    file.WriteInt(section, TextKey(n, KEY_DELAY), m_nDelay);
    file.WriteString(section, TextKey(n, KEY_ANIMATION), animation);
    file.WriteInt(section, TextKey(n, KEY_FONTTYPE), m_bFontInPoints);
}

void CAniText::CreateFont(CDC* /*dc*/, BOOL renew)
{
    if (m_Font.GetSafeHandle())
    {
        if (!renew)
            return;
        m_Font.DeleteObject();
    }
    // In points the size is a character height (negative), in pixels a cell height.
    int height = m_nFontSize;
    if (m_bFontInPoints && m_nFontSize > 0)
        height = -m_nFontSize;
    int weight = m_strFontWeight.Find("BOLD") >= 0 ? FW_BOLD : FW_NORMAL;
    m_Font.CreateFont(height, 0, 0, 0, weight, 0, 0, 0, 0, 0, 0, 0, 0, m_strFontName);
    m_bFontCreated = m_Font.GetSafeHandle() ? TRUE : FALSE;
}

CSize CAniText::MeasureText(CDC* dc, const CString& text)
{
    CFont* oldFont = m_bFontCreated ? dc->SelectObject(&m_Font) : nullptr;
    CSize extent = dc->GetTextExtent(text);
    if (oldFont)
        dc->SelectObject(oldFont);
    return extent;
}

int CAniText::CountFittingCharacters(CDC* dc, long long room)
{
    CreateFont(dc, FALSE);
    int length = m_strText.GetLength();
    if (MeasureText(dc, m_strText).cx <= room)
        return length;
    // The widths grow with the characters: the longest fitting start is found by halving.
    int fits = 0, tooLong = length;
    while (tooLong - fits > 1)
    {
        int middle = fits + (tooLong - fits) / 2;
        if (MeasureText(dc, m_strText.Left(middle)).cx <= room)
            fits = middle;
        else
            tooLong = middle;
    }
    return fits;
}

void CAniText::PaintText(CDC* dc, int x, int y, const CString& text)
{
    CFont* oldFont = m_bFontCreated ? dc->SelectObject(&m_Font) : nullptr;
    int oldMode = dc->SetBkMode(TRANSPARENT);
    COLORREF oldColor = dc->GetTextColor();
    if (m_nEffect != 0)
    {
        dc->SetTextColor(RGB(255, 255, 255));
        dc->TextOut(x - 1, y - 1, text);
        dc->SetTextColor(RGB(0, 0, 0));
        dc->TextOut(x + 1, y + 1, text);
    }
    dc->SetTextColor(m_crColor);
    dc->TextOut(x, y, text);
    dc->SetTextColor(oldColor);
    dc->SetBkMode(oldMode);
    if (oldFont)
        dc->SelectObject(oldFont);
}

void CAniText::PaintAt(CDC* dc, int x, int y)
{
    if (dc)
        PaintText(dc, x, y, m_strText);
}

void CAniText::Paint(CDC* dc)
{
    if (m_bVisible)
        PaintAt(dc, m_nX, m_nY);
}

void CAniText::Draw(CDC* dc, const CRect& canvas, int number, BOOL selected, CRect& drawn)
{
    if (!dc || m_strText.IsEmpty())
        return;
    CreateFont(dc, TRUE);
    int left = m_nX + canvas.left;
    int top = m_nY + canvas.top;

    CFont* oldFont = m_bFontCreated ? dc->SelectObject(&m_Font) : nullptr;
    int oldMode = dc->SetBkMode(TRANSPARENT);
    // The text is cut for good to the room right of its position (the text dialog asks before it comes to
    // that); a text that fits is measured once.
    const long long room = static_cast<long long>(canvas.right) - canvas.left - m_nX;
    CSize extent = dc->GetTextExtent(m_strText);
    if (extent.cx > room)
    {
        m_strText = m_strText.Left(CountFittingCharacters(dc, room));
        extent = dc->GetTextExtent(m_strText);
    }

    COLORREF oldColor = dc->SetTextColor(m_crColor);
    dc->TextOut(left, top, m_strText);
    dc->SetTextColor(oldColor);
    if (number >= 0)
        DrawNumberLabel(dc, left, top, number);
    dc->SetBkMode(oldMode);
    if (oldFont)
        dc->SelectObject(oldFont);

    drawn.SetRect(left - 1, top - 1, left + extent.cx + 1, top + extent.cy + 1);
    m_rcLast = drawn;
    if (selected)
        DrawSelectionFrame(dc, drawn);
}

void CAniText::MeasureDrawnSize(CDC* dc)
{
    if (!dc || m_strText.IsEmpty())
        return;
    CreateFont(dc, TRUE);
    CSize extent = MeasureText(dc, m_strText);
    m_rcLast.SetRect(m_rcLast.left, m_rcLast.top, m_rcLast.left + extent.cx + 2, m_rcLast.top + extent.cy + 2);
}

BOOL CAniText::AnimateStep(CDC* dc, int step, int /*counter*/, int elapsed)
{
    if (!dc)
        return FALSE;
    // Measured in the object's own font: the positions depend on the width the text will have.
    int width = MeasureText(dc, m_strText).cx;
    BOOL done = FALSE;
    switch (m_Animation.m_nSelected)
    {
    case 1:
    {   // LEFT-RIGHT
        long long x = static_cast<long long>(elapsed / 60) * 30 - width;
        if (x >= m_nX)
        {
            x = m_nX;
            done = TRUE;
        }
        PaintAt(dc, static_cast<int>(x), m_nY);
        break;
    }
    case 2:
    {   // TOP-BOTTOM
        long long y = static_cast<long long>(elapsed / 60) * 20;
        if (y >= m_nY)
        {
            y = m_nY;
            done = TRUE;
        }
        PaintAt(dc, m_nX, static_cast<int>(y));
        break;
    }
    case 3:
    {   // TYPEWRITER
        long long shown = static_cast<long long>(step) + 1;
        long long length = m_strText.GetLength();
        PaintText(dc, m_nX, m_nY, m_strText.Left(static_cast<int>(shown < length ? shown : length)));
        done = shown > length;
        break;
    }
    default:   // NONE: the caller shows such objects without stepping them
        PaintAt(dc, m_nX, m_nY);
        break;
    }
    if (done)
        m_bVisible = TRUE;
    return done;
}

void CAniText::GetAnimationName(CString& name)
{
    m_Animation.GetText(m_cLanguage, name);
}

int CAniText::GetAnimationIndex()
{
    return m_Animation.m_nSelected;
}

void CAniText::Prepare(const CProjectPack* /*pack*/, CWnd* /*window*/)
{
    m_bVisible = FALSE;
    if (m_strText.IsEmpty() || m_Font.GetSafeHandle())
        return;
    // The font needs no device: none is asked for (asking the screen for one is slow).
    CreateFont(nullptr, FALSE);
}

void CAniText::SetTextAt(int x, int y, COLORREF color, const char* text)
{
    m_nX = x;
    m_nY = y;
    m_crColor = color;
    m_strText = text;
    m_nFontSize = 28;
}

void CAniText::StopPlayback()
{
}

int CAniText::StopAnimation()
{
    StopPlayback();
    return 0;
}

void CAniText::Describe(CString& text)
{
    text.Format("TEXT: %d,%d, %s", m_nX, m_nY, static_cast<const char*>(m_strText));
}

void CAniText::GetRect(CRect& rect)
{
    int width = m_rcLast.Width();
    int height = m_rcLast.Height();
    if (width <= 0)
        width = 5;
    if (height <= 0)
        height = 5;
    rect.SetRect(m_nX, m_nY, FarEdge(m_nX, width), FarEdge(m_nY, height));
    m_rcLast = rect;
}

void CAniText::CopyFrom(const CAniText& other)
{
    if (&other == this)
        return;
    CopyBaseFrom(other);
    m_strText = other.m_strText;
    CopyStyleFrom(other);
}

void CAniText::CopyStyleFrom(const CAniText& other)
{
    if (&other == this)
        return;
    m_nDelay = other.m_nDelay;
    m_Animation.CopySelectedIndex(other.m_Animation);
    m_nFontSize = other.m_nFontSize;
    m_strFontWeight = other.m_strFontWeight;
    m_strFontName = other.m_strFontName;
    m_bUnderline = other.m_bUnderline;
    m_bItalic = other.m_bItalic;
    m_nEffect = other.m_nEffect;
    m_crColor = other.m_crColor;
    m_bFontInPoints = other.m_bFontInPoints;
}

void CAniText::Set(int x, int y, const char* text, const char* animationName, const char* fontName, int fontSize,
                   const char* fontWeight, BOOL underline, BOOL italic, int effect, COLORREF color, int delay)
{
    m_nX = x;
    m_nY = y;
    m_strText = text;
    m_Animation.SelectByText(m_cLanguage, animationName ? animationName : "");
    m_strFontName = fontName;
    m_nFontSize = fontSize;
    m_strFontWeight = fontWeight;
    m_bUnderline = underline;
    m_bItalic = italic;
    m_nEffect = effect;
    m_crColor = color;
    m_nDelay = delay;
}

void CAniText::MoveTo(int x, int y, int width, int height)
{
    int w = m_rcLast.Width();
    int h = m_rcLast.Height();
    if (w < 1)
        w = 5;
    if (h < 1)
        h = 5;
    if (w > width)
        w = width;
    if (h > height)
        h = height;
    CPoint at = PlaceInside(x, y, w, h, width, height);
    m_nX = at.x;
    m_nY = at.y;
    m_rcLast.SetRect(m_nX, m_nY, m_nX + w, m_nY + h);
}
