#include "show/ImageObj.h"

#include "show/AniPicture.h"
#include "show/Language.h"
#include "show/MemBuffer.h"
#include "show/ProjectPack.h"
#include "show/SettingsFile.h"
#include "show/ShowText.h"

#include <climits>

IMPLEMENT_DYNAMIC(CImageObj, CSlideBasicObj)

std::atomic<CImageObj::PictureLoader> CImageObj::s_pfnLoader{nullptr};

namespace
{

CString ImageKey(int n, const char* key)
{
    return ShowText::ObjectKey(ShowText::KIND_IMAGE, n, key);
}

}   // namespace

CImageObj::CImageObj()
    : m_nWidth(0), m_nHeight(0), m_bUseAniPicture(FALSE), m_bAniStarted(FALSE),
      m_pWnd(nullptr), m_hWnd(nullptr), m_crTransparent(RGB(255, 255, 255)), m_bTransparent(FALSE), m_nSpeed(1000),
      m_bAnimating(FALSE), m_nStepX(0), m_nStepY(0), m_pPack(nullptr), m_nMoveLeft(0), m_nMoveTop(0),
      m_nMoveWidth(0), m_nMoveHeight(0), m_nTargetX(0), m_nTargetY(0), m_hMoveWnd(nullptr)
{
    SetDefaults();
}

CImageObj::~CImageObj()
{
    Clear();
}

CImageObj::CLoaderInstallation::CLoaderInstallation(PictureLoader loader)
    : m_pfnPrevious(s_pfnLoader.exchange(loader))
{
}

CImageObj::CLoaderInstallation::~CLoaderInstallation()
{
    s_pfnLoader = m_pfnPrevious;
}

// A stopped animation is over: the next AnimateStep starts afresh.
void CImageObj::StopThread()
{
    m_Thread.StopAndWait();
    m_bAnimating = FALSE;
}

void CImageObj::ReleaseAniPicture()
{
    if (m_pAniPicture)
    {
        m_pAniPicture->Stop();
        m_pAniPicture.reset();
    }
    m_bUseAniPicture = FALSE;
    m_bAniStarted = FALSE;
}

void CImageObj::GetInfoText(CString& text)
{
    text = m_strFile;
}

void CImageObj::SetDefaults()
{
    Clear();
    m_nX = 20;
    m_nY = 10;
    m_nDelay = 1000;
    m_Animation.m_nSelected = 0;
    m_strFile.Empty();
    m_bTransparent = FALSE;
    m_bUseAniPicture = FALSE;
    m_nWidth = 0;
    m_nHeight = 0;
    m_crTransparent = RGB(255, 255, 255);
    m_nSpeed = 1000;
    m_bVisible = FALSE;
}

void CImageObj::Clear()
{
    StopThread();
    m_nX = 0;
    m_nY = 0;
    m_nWidth = 0;
    m_nHeight = 0;
    m_Animation.m_nSelected = 0;
    m_strFile.Empty();
    m_Picture.FreePicture();
    m_Bitmap.DeleteObject();
    ReleaseAniPicture();
}

void CImageObj::Load(int n, CSettingsFile& file, const char* section)
{
    using namespace ShowText::Image;
    m_nX = file.ReadInt(section, ImageKey(n, KEY_X), DEF_X);
    m_nY = file.ReadInt(section, ImageKey(n, KEY_Y), DEF_Y);
    m_strFile = file.ReadString(section, ImageKey(n, KEY_FILE), DEF_FILE);
    m_nDelay = file.ReadInt(section, ImageKey(n, KEY_DELAY), DEF_DELAY);
    m_Animation.SelectByKey(file.ReadString(section, ImageKey(n, KEY_ANIMATION), DEF_ANIMATION));
    m_nSpeed = file.ReadInt(section, ImageKey(n, KEY_ANISPEED), DEF_ANISPEED);
    m_bTransparent = file.ReadInt(section, ImageKey(n, KEY_TRANSPARENT), DEF_TRANSPARENT);
    // Written in upper case and read back with upper-case digits only.
    m_crTransparent = HtmlToColor(file.ReadString(section, ImageKey(n, KEY_TRANSPCOLOR), ""));
}

void CImageObj::Save(int n, CSettingsFile& file, const char* section)
{
    using namespace ShowText::Image;
    CString animation;
    if (m_bUseAniPicture)
        animation = DEF_ANIMATION;   // an animated picture plays in place
    else
        m_Animation.GetKey(animation);
    file.WriteInt(section, ImageKey(n, KEY_X), m_nX);
    file.WriteInt(section, ImageKey(n, KEY_Y), m_nY);
    file.WriteString(section, ImageKey(n, KEY_FILE), m_strFile);
    file.WriteInt(section, ImageKey(n, KEY_DELAY), m_nDelay);
    file.WriteString(section, ImageKey(n, KEY_ANIMATION), animation);
    file.WriteInt(section, ImageKey(n, KEY_ANISPEED), m_nSpeed);
    file.WriteInt(section, ImageKey(n, KEY_TRANSPARENT), m_bTransparent);
    file.WriteString(section, ImageKey(n, KEY_TRANSPCOLOR), ColorToHtml(m_crTransparent));
}

void CImageObj::RenderToBitmap()
{
    if (!m_Picture.m_bLoaded || m_nWidth <= 0 || m_nHeight <= 0)
        return;
    CWindowDC desktop(nullptr);
    m_Picture.RenderToBitmap(&desktop, &m_Bitmap, m_nWidth, m_nHeight, nullptr);
}

void CImageObj::DrawPicture(CDC* dc, const CRect& rect)
{
    // Only a transparent picture is drawn from the bitmap; an opaque one is rendered directly.
    if (m_bTransparent && !m_Bitmap.GetSafeHandle())
        RenderToBitmap();
    if (m_Bitmap.GetSafeHandle() && m_bTransparent)
        CPicture::DrawTransparent(dc, rect.left, rect.top, m_Picture.m_nWidth, m_Picture.m_nHeight, &m_Bitmap, 0,
                                  0, m_crTransparent, nullptr);
    else
        m_Picture.Render(dc, rect);
}

void CImageObj::Paint(CDC* dc)
{
    if (!dc)
        return;
    if (m_bVisible)
    {
        if (m_bUseAniPicture && m_pAniPicture)
        {
            if (!m_bAniStarted)
            {
                m_pAniPicture->Start(m_pWnd, dc, m_nX, m_nY, 0, 0);
                m_bAniStarted = TRUE;
            }
            else
            {
                m_pAniPicture->Draw(dc, m_nX, m_nY);
            }
        }
        else if (m_Picture.m_bLoaded)
        {
            DrawPicture(dc,
                        CRect(m_nX, m_nY, FarEdge(m_nX, m_Picture.m_nWidth), FarEdge(m_nY, m_Picture.m_nHeight)));
        }
    }
    else if (m_Thread.IsRunning())
    {
        DrawPicture(dc, GetMovingRect());
    }
}

void CImageObj::DrawStill(CDC* dc)
{
    if (!dc)
        return;
    if (!m_bUseAniPicture)
    {
        Paint(dc);
        return;
    }
    if (m_strFile.IsEmpty())
        return;
    CPicture still;
    still.LoadFromPackOrFile(m_pPack, m_strFile);
    if (still.m_bLoaded)
        still.Render(dc, CRect(m_nX, m_nY, FarEdge(m_nX, still.m_nWidth), FarEdge(m_nY, still.m_nHeight)));
}

void CImageObj::Draw(CDC* dc, const CRect& canvas, int number, BOOL selected, CRect& drawn)
{
    if (!dc)
        return;
    int left = m_nX + canvas.left;
    int top = m_nY + canvas.top;
    drawn.SetRect(left, top, FarEdge(left, m_nWidth), FarEdge(top, m_nHeight));
    DrawPicture(dc, drawn);
    if (selected)
    {
        CRect frame = drawn;
        frame.InflateRect(2, 2);
        DrawSelectionFrame(dc, frame);
    }
    if (number >= 0)
        DrawNumberLabel(dc, left, top, number);
}

void CImageObj::DrawShared(CDC* dc, const CRect& canvas, CRenderedPicture& picture)
{
    if (!dc)
        return;
    int left = m_nX + canvas.left;
    int top = m_nY + canvas.top;
    CRect rect(left, top, FarEdge(left, picture.GetWidth()), FarEdge(top, picture.GetHeight()));
    if (m_bTransparent)
        picture.DrawTransparent(dc, rect, m_crTransparent);
    else
        picture.Draw(dc, rect);
}

int CImageObj::ClampSpeed(int speed)
{
    if (speed < 1)
        return MIN_SPEED;
    if (speed > MAX_SPEED)
        return MAX_SPEED;
    return speed;
}

BOOL CImageObj::MoveStep(int& pos, int delta, int target)
{
    long long next = static_cast<long long>(pos) + delta;
    if ((delta > 0 && next > target) || (delta < 0 && next < target))
    {
        pos = target;
        return TRUE;
    }
    pos = static_cast<int>(next);
    return FALSE;
}

CRect CImageObj::GetMovingRect() const
{
    int left = m_nMoveLeft.load();
    int top = m_nMoveTop.load();
    return CRect(left, top, FarEdge(left, m_nMoveWidth), FarEdge(top, m_nMoveHeight));
}

unsigned __stdcall CImageObj::MoveThread(void* param)
{
    static_cast<CImageObj*>(param)->RunMove();
    return 0;
}

void CImageObj::RunMove()
{
    // Everything read here was fixed before the thread started; the thread writes only the moving corner.
    const HWND window = m_hMoveWnd;
    const int dx = m_nStepX;
    const int dy = m_nStepY;
    int left = m_nMoveLeft.load();
    int top = m_nMoveTop.load();
    for (int count = 0; count < MAX_STEPS && !m_Thread.StopRequested(); count++)
    {
        RECT old = {left, top, FarEdge(left, m_nMoveWidth), FarEdge(top, m_nMoveHeight)};
        if (window)
            ::InvalidateRect(window, &old, FALSE);
        BOOL complete = FALSE;
        if (dx != 0 && MoveStep(left, dx, m_nTargetX))
            complete = TRUE;
        if (dy != 0 && MoveStep(top, dy, m_nTargetY))
            complete = TRUE;
        m_nMoveLeft = left;
        m_nMoveTop = top;
        if (!m_Thread.StopRequested())
        {
            RECT now = {left, top, FarEdge(left, m_nMoveWidth), FarEdge(top, m_nMoveHeight)};
            if (window)
                ::InvalidateRect(window, &now, FALSE);
            m_Thread.Pause(30);
        }
        if (complete)
            break;
    }
}

BOOL CImageObj::AnimateStep(CDC* dc, int /*step*/, int /*counter*/, int /*elapsed*/)
{
    if (m_bUseAniPicture && m_pAniPicture)
    {
        m_bVisible = TRUE;
        Paint(dc);
        return TRUE;
    }
    if (!m_Picture.m_bLoaded)
        return TRUE;   // the object is not shown
    if (m_Animation.m_nSelected == 0)
    {
        m_bVisible = TRUE;
        return TRUE;
    }
    if (m_bAnimating)
    {
        if (m_Thread.IsRunning())
            return FALSE;
        m_bAnimating = FALSE;
        m_bVisible = TRUE;
        Paint(dc);
        return TRUE;
    }
    if (!m_hWnd)
        return TRUE;

    m_bAnimating = TRUE;
    RECT client = {0, 0, 0, 0};
    ::GetClientRect(m_hWnd, &client);
    const int windowWidth = client.right - client.left;
    const int windowHeight = client.bottom - client.top;
    m_nSpeed = ClampSpeed(m_nSpeed);
    const int step = StepForSpeed(m_nSpeed);
    if (m_Thread.IsRunning())
        return FALSE;

    // The picture starts outside its final place, beyond the window edge it comes from.
    int left = m_nX;
    int top = m_nY;
    m_nStepX = 0;
    m_nStepY = 0;
    switch (m_Animation.m_nSelected)
    {
    case 1:   // FROM_LEFT
        left = -m_nWidth;
        m_nStepX = step;
        break;
    case 2:   // FROM_TOP
        top = -m_nHeight;
        m_nStepY = step;
        break;
    case 3:   // FROM_RIGHT
        left = windowWidth;
        m_nStepX = -step;
        break;
    default:   // FROM_BOTTOM
        top = windowHeight;
        m_nStepY = -step;
        break;
    }
    m_nMoveLeft = left;
    m_nMoveTop = top;
    m_nMoveWidth = m_nWidth;
    m_nMoveHeight = m_nHeight;
    m_nTargetX = m_nX;
    m_nTargetY = m_nY;
    m_hMoveWnd = m_hWnd;
    m_Thread.Start(MoveThread, this);
    return FALSE;
}

void CImageObj::GetAnimationName(CString& name)
{
    m_Animation.GetText(name);
}

int CImageObj::GetAnimationIndex()
{
    return m_Animation.m_nSelected;
}

void CImageObj::Prepare(const CProjectPack* pack, CWnd* window)
{
    m_pWnd = window;
    m_hWnd = window ? window->GetSafeHwnd() : nullptr;
    m_Picture.FreePicture();
    m_bVisible = FALSE;
    LoadPicture(pack);
}

void CImageObj::SetTextAt(int /*x*/, int /*y*/, COLORREF /*color*/, const char* /*text*/)
{
}

void CImageObj::StopPlayback()
{
    if (m_bUseAniPicture && m_pAniPicture)
    {
        m_pAniPicture->Stop();
        m_bAniStarted = FALSE;
        m_bVisible = FALSE;
    }
}

int CImageObj::StopAnimation()
{
    StopPlayback();
    m_Thread.RequestStop();
    BOOL running = m_Thread.IsRunning();
    if (m_pAniPicture && m_pAniPicture->IsPlaying())
        running = TRUE;
    return running;
}

void CImageObj::Describe(CString& text)
{
    text.Format("IMAGE: %d,%d %s", m_nX, m_nY, static_cast<const char*>(m_strFile));
}

void CImageObj::GetRect(CRect& rect)
{
    rect.SetRect(m_nX, m_nY, FarEdge(m_nX, m_nWidth), FarEdge(m_nY, m_nHeight));
}

void CImageObj::Set(int x, int y, const char* file, int animation, int delay, BOOL transparent,
                    COLORREF transparentColor, int speed, const CProjectPack* pack)
{
    m_nX = x;
    m_nY = y;
    m_strFile = file;
    m_Animation.m_nSelected = animation >= 0 && animation < CInsertAnimNames::COUNT ? animation : 0;
    m_nDelay = delay;
    m_bTransparent = transparent;
    m_crTransparent = transparentColor;
    m_nSpeed = speed;
    LoadPicture(pack);
}

void CImageObj::CopyFrom(const CImageObj& other)
{
    if (&other == this)
        return;
    Clear();
    CopyBaseFrom(other);
    m_nWidth = other.m_nWidth;
    m_nHeight = other.m_nHeight;
    m_strFile = other.m_strFile;
    m_Picture.CopyFrom(other.m_Picture);
    m_pPack = other.m_pPack;
    CopyStyleFrom(other);
}

void CImageObj::CopyStyleFrom(const CImageObj& other)
{
    if (&other == this)
        return;
    m_nDelay = other.m_nDelay;
    m_Animation.CopySelectedIndex(other.m_Animation);
    m_crTransparent = other.m_crTransparent;
    m_bTransparent = other.m_bTransparent;
    m_nSpeed = other.m_nSpeed;
}

void CImageObj::LoadPicture(const CProjectPack* pack)
{
    // The stop request is cleared when the next move thread starts.
    m_pPack = pack;
    m_bVisible = FALSE;
    m_Bitmap.DeleteObject();
    if (PictureLoader loader = s_pfnLoader.load())
    {
        loader(*this, pack);
        return;
    }
    if (m_strFile.IsEmpty())
        return;
    m_Picture.LoadFromPackOrFile(pack, m_strFile);
    if (m_Picture.m_bLoaded)
    {
        m_nWidth = m_Picture.m_nWidth;
        m_nHeight = m_Picture.m_nHeight;
    }
}

void CImageObj::MoveTo(int x, int y, int width, int height)
{
    m_Bitmap.DeleteObject();
    ReleaseAniPicture();
    // A picture larger than the slide ends up with a negative position, its far edge on the slide's.
    CPoint at = PlaceInside(x, y, m_nWidth, m_nHeight, width, height);
    m_nX = at.x;
    m_nY = at.y;
    if (m_pPack)
        LoadPicture(m_pPack);
}
