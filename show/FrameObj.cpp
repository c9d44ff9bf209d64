#include "show/FrameObj.h"

#include "show/Language.h"
#include "show/MemBuffer.h"
#include "show/SettingsFile.h"
#include "show/ShowText.h"

#include <climits>
#include <new>
#include <vector>

IMPLEMENT_DYNAMIC(CFrameObj, CSlideBasicObj)

namespace
{

CString FrameKey(int n, const char* key)
{
    return ShowText::ObjectKey(ShowText::KIND_FRAME, n, key);
}

// Bitmaps of the rectangle's size are made only when their 32-bit pixels fit into memory we can address
// with the platform's 32-bit sizes.
bool CanMakeBitmap(int width, int height)
{
    if (width <= 0 || height <= 0)
        return false;
    unsigned long long bytes =
        static_cast<unsigned long long>(width) * static_cast<unsigned long long>(height) * 4u;
    return bytes <= 0x7FFFFFFFull;
}

BYTE AddClamped(int channel, int amount)
{
    long long value = static_cast<long long>(channel) + amount;
    if (value < 0)
        return 0;
    if (value > 255)
        return 255;
    return static_cast<BYTE>(value);
}

}   // namespace

CFrameObj::CFrameObj()
    : m_nHeight(10), m_nWidth(300), m_nFillMode(FILL_LIGHTEN), m_nBlue(0), m_nGreen(0), m_nRed(0), m_nLight(-50),
      m_bFrame(FALSE), m_crFill(RGB(255, 255, 240)), m_crFrame(RGB(0, 0, 0)), m_nSpeed(1000), m_hWnd(nullptr),
      m_bDragging(FALSE), m_bAnimating(FALSE), m_nStep(1), m_nThreadAnimation(0), m_nThreadFull(0),
      m_nThreadStep(1), m_hThreadWnd(nullptr), m_nGrown(0)
{
    SetDefaults();
}

CFrameObj::~CFrameObj()
{
    StopThread();
    DeleteBitmaps();
}

// A stopped animation is over: the next AnimateStep starts afresh.
void CFrameObj::StopThread()
{
    m_Thread.StopAndWait();
    m_bAnimating = FALSE;
}

void CFrameObj::DeleteBitmaps()
{
    m_bmpBackground.DeleteObject();
    m_bmpProcessed.DeleteObject();
}

void CFrameObj::GetInfoText(CString& text)
{
    const bool german = m_cLanguage == LETTER_GERMAN;
    CString amount;
    switch (m_nFillMode)
    {
    case FILL_SOLID:
        text = german ? "Mode:einfarbig füllen; " : "Mode:fill solid color; ";
        text += "Color:";
        text += ColorToHtml(m_crFill);
        break;
    case FILL_LIGHTEN:
        text = german ? "Mode:transparent füllen; " : "Mode:fill transparent color; ";
        amount.Format(german ? "Helligkeit:%d " : "Brightness:%d ", m_nLight);
        text += amount;
        break;
    case FILL_COLORIZE:
        text.Format(german ? "Mode:transparent färben; Rot:%d Grün:%d Blau%d"
                           : "Mode:colorize transparent; Red:%d Green:%d Blue%d",
                    m_nRed, m_nGreen, m_nBlue);
        break;
    default: text.Empty(); break;
    }
    text += german ? "; Rahmen:" : "; Frame:";
    if (m_bFrame)
        text += ColorToHtml(m_crFrame);
    else
        text += german ? "nein" : "no";
}

void CFrameObj::SetDefaults()
{
    StopThread();
    DeleteBitmaps();
    m_cLanguage = LETTER_ENGLISH;
    m_nDelay = 50;
    m_rcDrag.SetRectEmpty();
    m_bDragging = FALSE;
    m_bVisible = FALSE;
    m_bAnimating = FALSE;
    m_nGrown = 0;
}

void CFrameObj::Clear()
{
    StopThread();
    DeleteBitmaps();
}

void CFrameObj::Load(int n, CSettingsFile& file, const char* section)
{
    using namespace ShowText::Frame;
    DeleteBitmaps();
    m_nX = file.ReadInt(section, FrameKey(n, KEY_X), DEF_X);
    m_nY = file.ReadInt(section, FrameKey(n, KEY_Y), DEF_Y);
    m_nWidth = file.ReadInt(section, FrameKey(n, KEY_WIDTH), DEF_WIDTH);
    m_nHeight = file.ReadInt(section, FrameKey(n, KEY_HEIGHT), DEF_HEIGHT);
    m_nDelay = file.ReadInt(section, FrameKey(n, KEY_DELAY), DEF_DELAY);
    m_nFillMode = file.ReadInt(section, FrameKey(n, KEY_FILLMODE), DEF_FILLMODE);
    m_nLight = file.ReadInt(section, FrameKey(n, KEY_LIGHT), DEF_LIGHT);
    m_nBlue = file.ReadInt(section, FrameKey(n, KEY_BLUE), DEF_BLUE);
    m_nGreen = file.ReadInt(section, FrameKey(n, KEY_GREEN), DEF_GREEN);
    m_nRed = file.ReadInt(section, FrameKey(n, KEY_RED), DEF_RED);
    m_bFrame = file.ReadInt(section, FrameKey(n, KEY_FRAME), DEF_FRAME);
    m_crFill = file.ReadColor(section, FrameKey(n, KEY_FILLCOLOR), RGB(0, 0, 0));
    m_crFrame = file.ReadColor(section, FrameKey(n, KEY_FRAMECOLOR), RGB(0, 0, 0));
    m_Animation.SelectByKey(file.ReadString(section, FrameKey(n, KEY_ANIMATION), DEF_ANIMATION));
    m_nSpeed = file.ReadInt(section, FrameKey(n, KEY_ANISPEED), DEF_ANISPEED);
}

void CFrameObj::Save(int n, CSettingsFile& file, const char* section)
{
    using namespace ShowText::Frame;
    CString animation;
    m_Animation.GetKey(animation);
    file.WriteInt(section, FrameKey(n, KEY_X), m_nX);
    file.WriteInt(section, FrameKey(n, KEY_Y), m_nY);
    file.WriteInt(section, FrameKey(n, KEY_WIDTH), m_nWidth);
    file.WriteInt(section, FrameKey(n, KEY_HEIGHT), m_nHeight);
    file.WriteInt(section, FrameKey(n, KEY_DELAY), m_nDelay);
    file.WriteInt(section, FrameKey(n, KEY_FILLMODE), m_nFillMode);
    file.WriteInt(section, FrameKey(n, KEY_LIGHT), m_nLight);
    file.WriteInt(section, FrameKey(n, KEY_BLUE), m_nBlue);
    file.WriteInt(section, FrameKey(n, KEY_GREEN), m_nGreen);
    file.WriteInt(section, FrameKey(n, KEY_RED), m_nRed);
    file.WriteInt(section, FrameKey(n, KEY_FRAME), m_bFrame);
    file.WriteColor(section, FrameKey(n, KEY_FILLCOLOR), m_crFill);
    file.WriteColor(section, FrameKey(n, KEY_FRAMECOLOR), m_crFrame);
    file.WriteString(section, FrameKey(n, KEY_ANIMATION), animation);
    file.WriteInt(section, FrameKey(n, KEY_ANISPEED), m_nSpeed);
}

void CFrameObj::Paint(CDC* dc)
{
    if (m_bVisible || m_Thread.IsRunning())
        PaintAt(dc, m_nX, m_nY);
}

void CFrameObj::AdjustPixels(DWORD* pixels, size_t count, int blue, int green, int red)
{
    for (size_t i = 0; i < count; i++)
    {
        DWORD p = pixels[i];
        BYTE b = AddClamped(static_cast<int>(p & 0xFF), blue);
        BYTE g = AddClamped(static_cast<int>((p >> 8) & 0xFF), green);
        BYTE r = AddClamped(static_cast<int>((p >> 16) & 0xFF), red);
        pixels[i] = static_cast<DWORD>(b) | (static_cast<DWORD>(g) << 8) | (static_cast<DWORD>(r) << 16);
    }
}

void CFrameObj::Process(CDC* dc, const CRect& area)
{
    int blue = m_nFillMode == FILL_LIGHTEN ? m_nLight : m_nBlue;
    int green = m_nFillMode == FILL_LIGHTEN ? m_nLight : m_nGreen;
    int red = m_nFillMode == FILL_LIGHTEN ? m_nLight : m_nRed;
    const int width = area.Width();
    const int height = area.Height();
    if (width <= 0 || height <= 0)
        return;

    int bytesPerPixel = dc->GetDeviceCaps(BITSPIXEL) * dc->GetDeviceCaps(PLANES) / 8;
    if (bytesPerPixel == 3 || bytesPerPixel == 4)
    {
        // The background's pixels as a 32-bit top-down DIB: rows without padding, blue, green, red.
        if (!m_bmpBackground.GetSafeHandle() || !CanMakeBitmap(width, height))
            return;
        std::vector<DWORD> pixels;
        try
        {
            pixels.resize(static_cast<size_t>(width) * static_cast<size_t>(height));
        }
        catch (const std::bad_alloc&)
        {
            return;
        }
        BITMAPINFO info = {};
        info.bmiHeader.biSize = sizeof(BITMAPINFOHEADER);
        info.bmiHeader.biWidth = width;
        info.bmiHeader.biHeight = -height;
        info.bmiHeader.biPlanes = 1;
        info.bmiHeader.biBitCount = 32;
        info.bmiHeader.biCompression = BI_RGB;
        HBITMAP background = static_cast<HBITMAP>(m_bmpBackground.GetSafeHandle());
        if (::GetDIBits(dc->GetSafeHdc(), background, 0, static_cast<UINT>(height), pixels.data(), &info,
                        DIB_RGB_COLORS) != height)
            return;
        AdjustPixels(pixels.data(), pixels.size(), blue, green, red);
        if (!m_bmpProcessed.CreateCompatibleBitmap(dc, width, height))
            return;
        if (::SetDIBits(dc->GetSafeHdc(), static_cast<HBITMAP>(m_bmpProcessed.GetSafeHandle()), 0,
                        static_cast<UINT>(height), pixels.data(), &info, DIB_RGB_COLORS) != height)
            m_bmpProcessed.DeleteObject();
        return;
    }

    // Other depths: the pixels on the device context itself, at every paint.
    for (LONG y = area.top; y < area.bottom; y++)
    {
        for (LONG x = area.left; x < area.right; x++)
        {
            COLORREF c = dc->GetPixel(x, y);
            if (c == CLR_INVALID)
                continue;
            dc->SetPixel(x, y,
                         RGB(AddClamped(GetRValue(c), red), AddClamped(GetGValue(c), green),
                             AddClamped(GetBValue(c), blue)));
        }
    }
}

void CFrameObj::PaintAt(CDC* dc, int x, int y)
{
    if (!dc || m_nWidth <= 0 || m_nHeight <= 0)
        return;
    CRect area(x, y, FarEdge(x, m_nWidth), FarEdge(y, m_nHeight));

    if (m_nFillMode == FILL_SOLID)
    {
        CBrush brush(m_crFill);
        CRect fill = area;
        if (m_bAnimating)
            fill = GetAnimationRect();
        if (!fill.IsRectEmpty())
            dc->FillRect(fill, &brush);
    }
    else if (m_nFillMode == FILL_LIGHTEN || m_nFillMode == FILL_COLORIZE)
    {
        // Only what the device shows of the rectangle is captured and processed: a rectangle far larger
        // than the slide costs no more than the slide.
        CRect device, visible;
        if (dc->GetClipBox(&device) == ERROR || !visible.IntersectRect(&area, &device))
            visible.SetRectEmpty();
        // The captured background belongs to one place.
        if (m_bmpBackground.GetSafeHandle() && m_rcCaptured != visible)
            DeleteBitmaps();
        if (!m_bmpBackground.GetSafeHandle() && CanMakeBitmap(visible.Width(), visible.Height()))
        {
            CDC memDC;
            if (memDC.CreateCompatibleDC(dc) &&
                m_bmpBackground.CreateCompatibleBitmap(dc, visible.Width(), visible.Height()))
            {
                CBitmap* old = memDC.SelectObject(&m_bmpBackground);
                memDC.BitBlt(0, 0, visible.Width(), visible.Height(), dc, visible.left, visible.top, SRCCOPY);
                memDC.SelectObject(old);
                m_rcCaptured = visible;
            }
        }
        const CRect& captured = m_rcCaptured;
        if (!m_bmpProcessed.GetSafeHandle() && m_bmpBackground.GetSafeHandle())
        {
            // Process the clean background: put it back first, then process.
            CDC memDC;
            if (memDC.CreateCompatibleDC(dc))
            {
                CBitmap* old = memDC.SelectObject(&m_bmpBackground);
                dc->BitBlt(captured.left, captured.top, captured.Width(), captured.Height(), &memDC, 0, 0,
                           SRCCOPY);
                memDC.SelectObject(old);
                Process(dc, captured);
            }
        }
        if (m_bmpProcessed.GetSafeHandle())
        {
            CDC memDC;
            if (memDC.CreateCompatibleDC(dc))
            {
                CBitmap* old = memDC.SelectObject(&m_bmpProcessed);
                CRect part = captured;
                const CRect grown = m_bAnimating ? GetAnimationRect() : captured;
                if (part.IntersectRect(&grown, &captured))
                    dc->BitBlt(part.left, part.top, part.Width(), part.Height(), &memDC, part.left - captured.left,
                               part.top - captured.top, SRCCOPY);
                memDC.SelectObject(old);
            }
        }
    }

    if (m_bFrame && !m_bAnimating)
    {
        CBrush brush(m_crFrame);
        dc->FrameRect(area, &brush);
    }
}

void CFrameObj::Draw(CDC* dc, const CRect& canvas, int number, BOOL selected, CRect& drawn)
{
    if (!dc)
        return;
    if (m_bDragging)
    {
        DrawSelectionFrame(dc, m_rcDrag);
        drawn = m_rcDrag;
        return;
    }
    int left = m_nX + canvas.left;
    int top = m_nY + canvas.top;
    drawn.SetRect(left, top, FarEdge(left, m_nWidth), FarEdge(top, m_nHeight));
    PaintAt(dc, left, top);
    if (number >= 0)
        DrawNumberLabel(dc, left, top, number);
    drawn.InflateRect(1, 1);
    if (selected)
        DrawSelectionFrame(dc, drawn);
}

int CFrameObj::ClampSpeed(int speed)
{
    if (speed < MIN_SPEED)
        return MIN_SPEED;
    if (speed > MAX_SPEED)
        return MAX_SPEED;
    return speed;
}

BOOL CFrameObj::GrowStep(int step, int full, int& grown)
{
    long long next = static_cast<long long>(grown) + step;
    if (next > full)
    {
        grown = full;
        return TRUE;
    }
    grown = static_cast<int>(next);
    return FALSE;
}

CRect CFrameObj::AnimationRect(int animation, const CRect& full, int grown)
{
    switch (animation)
    {
    case 1:   // FROM_LEFT
        return CRect(full.left, full.top, FarEdge(full.left, grown), full.bottom);
    case 2:   // FROM_TOP
        return CRect(full.left, full.top, full.right, FarEdge(full.top, grown));
    case 3:   // FROM_RIGHT
        return CRect(FarEdge(full.right, -grown), full.top, full.right, full.bottom);
    case 4:   // FROM_BOTTOM
        return CRect(full.left, FarEdge(full.bottom, -grown), full.right, full.bottom);
    default: return full;
    }
}

CRect CFrameObj::GetAnimationRect() const
{
    return AnimationRect(m_nThreadAnimation, m_rcFull, m_nGrown.load());
}

unsigned __stdcall CFrameObj::AnimationThread(void* param)
{
    static_cast<CFrameObj*>(param)->RunAnimation();
    return 0;
}

void CFrameObj::RunAnimation()
{
    // Everything read here was fixed before the thread started; the thread writes only the grown size.
    const int full = m_nThreadFull;
    const int step = m_nThreadStep;
    const HWND window = m_hThreadWnd;
    const RECT invalid = m_rcFull;
    int grown = 0;
    for (int count = 0; count < MAX_STEPS && !m_Thread.StopRequested(); count++)
    {
        BOOL complete = GrowStep(step, full, grown);
        m_nGrown = grown;
        if (window)
            ::InvalidateRect(window, &invalid, FALSE);
        if (!m_Thread.StopRequested())
            m_Thread.Pause(30);
        if (complete)
            break;
    }
}

BOOL CFrameObj::AnimateStep(CDC* dc, int /*step*/, int /*counter*/, int /*elapsed*/)
{
    if (m_Animation.m_nSelected == 0)
    {
        m_bVisible = TRUE;
        return TRUE;
    }
    if (!m_bAnimating)
    {
        if (!m_hWnd)
            return TRUE;
        m_bAnimating = TRUE;
        m_nSpeed = ClampSpeed(m_nSpeed);
        m_nStep = StepForSpeed(m_nSpeed);
        if (!m_Thread.IsRunning())
        {
            m_nGrown = 0;
            m_nThreadAnimation = m_Animation.m_nSelected;
            m_nThreadFull = (m_nThreadAnimation == 1 || m_nThreadAnimation == 3) ? m_nWidth : m_nHeight;
            m_nThreadStep = m_nStep;
            m_hThreadWnd = m_hWnd;
            m_rcFull.SetRect(m_nX, m_nY, FarEdge(m_nX, m_nWidth), FarEdge(m_nY, m_nHeight));
            m_Thread.Start(AnimationThread, this);
        }
        return FALSE;
    }
    if (m_Thread.IsRunning())
        return FALSE;
    m_bVisible = TRUE;
    m_bAnimating = FALSE;
    Paint(dc);
    return TRUE;
}

void CFrameObj::GetAnimationName(CString& name)
{
    m_Animation.GetText(name);
}

int CFrameObj::GetAnimationIndex()
{
    return m_Animation.m_nSelected;
}

void CFrameObj::Prepare(const CProjectPack* /*pack*/, CWnd* window)
{
    m_hWnd = window ? window->GetSafeHwnd() : nullptr;
    if (!window)
        return;
    // The growth shows the processed bitmap piece by piece, which needs a 24- or 32-bit display.
    CClientDC dc(window);
    int bytesPerPixel = dc.GetDeviceCaps(BITSPIXEL) * dc.GetDeviceCaps(PLANES) / 8;
    if (bytesPerPixel != 3 && bytesPerPixel != 4)
        m_Animation.m_nSelected = 0;
}

void CFrameObj::SetTextAt(int /*x*/, int /*y*/, COLORREF /*color*/, const char* /*text*/)
{
}

void CFrameObj::StopPlayback()
{
}

int CFrameObj::StopAnimation()
{
    StopPlayback();
    m_Thread.RequestStop();
    return m_Thread.IsRunning();
}

void CFrameObj::Describe(CString& text)
{
    text.Format("FRAME: %d,%d,%d,%d", m_nX, m_nY, m_nWidth, m_nHeight);
}

void CFrameObj::GetRect(CRect& rect)
{
    rect.SetRect(m_nX, m_nY, FarEdge(m_nX, m_nWidth), FarEdge(m_nY, m_nHeight));
}

void CFrameObj::CopyFrom(const CFrameObj& other)
{
    if (&other == this)
        return;
    StopThread();
    CopyBaseFrom(other);
    m_nHeight = other.m_nHeight;
    m_nWidth = other.m_nWidth;
    CopyStyleFrom(other);   // also forgets the captured background
}

void CFrameObj::CopyStyleFrom(const CFrameObj& other)
{
    if (&other == this)
        return;
    DeleteBitmaps();
    m_nDelay = other.m_nDelay;
    m_nFillMode = other.m_nFillMode;
    m_nBlue = other.m_nBlue;
    m_nGreen = other.m_nGreen;
    m_nRed = other.m_nRed;
    m_nLight = other.m_nLight;
    m_bFrame = other.m_bFrame;
    m_crFill = other.m_crFill;
    m_crFrame = other.m_crFrame;
    m_Animation.CopySelectedIndex(other.m_Animation);
    m_nSpeed = other.m_nSpeed;
}

void CFrameObj::SetFromRecord(const FrameObjRecord& record)
{
    if (record.nKind != 3)
        return;
    DeleteBitmaps();
    m_nX = record.nX;
    m_nY = record.nY;
    m_nHeight = record.nHeight;
    m_nWidth = record.nWidth;
    m_nFillMode = record.nFillMode;
    m_nBlue = record.nBlue;
    m_nGreen = record.nGreen;
    m_nRed = record.nRed;
    m_nLight = record.nLight;
    m_bFrame = record.bFrame;
    m_crFill = record.crFill;
    m_crFrame = record.crFrame;
    m_Animation.m_nSelected =
        record.nAnimation >= 0 && record.nAnimation < CFillAnimNames::COUNT ? record.nAnimation : 0;
    m_nSpeed = record.nSpeed;
}

void CFrameObj::MoveTo(int x, int y, int width, int height)
{
    if (m_nWidth < 0)
        m_nWidth = 1;
    if (m_nHeight < 0)
        m_nHeight = 1;
    if (m_nWidth > width)
        m_nWidth = width;
    if (m_nHeight > height)
        m_nHeight = height;
    CPoint at = PlaceInside(x, y, m_nWidth, m_nHeight, width, height);
    m_nX = at.x;
    m_nY = at.y;
    DeleteBitmaps();
}

void CFrameObj::TrackRectangle(CPoint point, CWnd* window)
{
    HWND hWnd = window ? window->GetSafeHwnd() : nullptr;
    m_bDragging = TRUE;
    CRect old = m_rcDrag;
    old.InflateRect(5, 5);
    if (hWnd)
        ::InvalidateRect(hWnd, &old, FALSE);
    m_rcDrag.SetRect(point.x, point.y, FarEdge(point.x, m_nWidth), FarEdge(point.y, m_nHeight));
    CRect now = m_rcDrag;
    now.InflateRect(5, 5);
    if (hWnd)
        ::InvalidateRect(hWnd, &now, FALSE);
}

void CFrameObj::DropRectangle(int x, int y)
{
    m_nX = x;
    m_nY = y;
    m_bDragging = FALSE;
    m_rcDrag.SetRectEmpty();
    DeleteBitmaps();
}
