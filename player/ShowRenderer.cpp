#include "player/ShowRenderer.h"

#include "player/ShowFonts.h"
#include "player/TransitionEffects.h"
#include "show/ImageObj.h"
#include "show/ProjectPack.h"
#include "show/ShowText.h"
#include "show/SlideMemDC.h"
#include "show/SlideObject.h"

namespace
{

const int kIndicatorFrames = 17;   // the shrinking square, then the play arrow
const int kManualWait = 500;       // ms before the indicator appears

}   // namespace

CShowRenderer::CShowRenderer()
    : m_nLeft(0), m_nTop(0), m_nRight(0), m_nBottom(0), m_nX0(0), m_nY0(0), m_pWindow(nullptr), m_pPack(nullptr),
      m_pFontInstaller(nullptr), m_bReady(FALSE), m_bLoaded(FALSE), m_nSlideCount(0), m_nState(StateNotStarted),
      m_nCurrentSlide(0), m_nCurrentObject(0), m_nNow(0), m_nPhaseStart(0), m_nObjectStart(0), m_nPauseStart(0),
      m_nFrameCounter(0), m_nFrameTotal(8), m_bTransitionDone(FALSE), m_nTransitionBase(500),
      m_nTransitionDuration(500), m_nPauseLength(200), m_nObjectAnimParam(200), m_nFramePeriod(40),
      m_nObjectStep(0), m_bObjectDone(FALSE), m_nTickCount(0), m_nFirstTime(0), m_nLastTime(0), m_nTickLength(40),
      m_bSoundFinished(TRUE), m_pCurrentPicture(nullptr), m_pPreviousPicture(nullptr), m_pNextPicture(nullptr),
      m_bManualAdvance(FALSE), m_nAdvanceState(AdvanceNone), m_nIndicatorCounter(0), m_bPainting(FALSE)
{
    m_EmptySlide.Reset();
    m_EmptySlide.m_Background.m_FadeIn.SetSelectedIndex(EffectNone);
    m_EmptySlide.m_Background.m_FadeOut.SetSelectedIndex(EffectNone);
}

CShowRenderer::~CShowRenderer()
{
    Stop();
}

BOOL CShowRenderer::Load(const char* showPath, BYTE* data, int size)
{
    ReadShowText(showPath, data, size);
    m_bLoaded = !m_strShowVersion.IsEmpty();
    return m_bLoaded;
}

CSlide* CShowRenderer::SlideAt(int index)
{
    if (index >= 0 && index < MaxSlides)
        return &m_Slides[index];
    return &m_EmptySlide;
}

BOOL CShowRenderer::Start(int left, int top, int right, int bottom, int x0, int y0, CWnd* window, int framePeriod)
{
    m_nLeft = left;
    m_nTop = top;
    m_nRight = right;
    m_nBottom = bottom;
    m_nX0 = x0;
    m_nY0 = y0;
    m_pWindow = window;
    m_nFramePeriod = framePeriod > 0 ? framePeriod : 40;
    m_nTransitionBase = 500;
    m_nPauseLength = 200;
    m_nObjectAnimParam = 200;
    m_nFrameCounter = 0;
    m_nObjectStep = 0;
    m_nTransitionDuration = m_nTransitionBase;
    m_nFrameTotal = m_nTransitionDuration / m_nFramePeriod + 1;

    m_rcIndicator.SetRect(right - 14, bottom - 16, right - 3, bottom - 3);
    m_bManualAdvance = m_nAdvanceMode == ShowText::ShowCtrl::ADVANCE_MANUALLY;

    m_bReady = FALSE;
    if (m_bLoaded)
    {
        m_nSlideCount = CountShowSlides();
        if (y0 != 0)
        {
            for (int i = 0; i < MaxSlides; ++i)
                for (int j = 0; j < CSlide::MaxObjects; ++j)
                    if (CSlideObjSlot* slot = m_Slides[i].GetSlot(j))
                    {
                        slot->m_Text.m_nY += y0;
                        slot->m_Image.m_nY += y0;
                        slot->m_Frame.m_nY += y0;
                    }
        }
        m_BackgroundBrush.DeleteObject();
        m_BackgroundBrush.CreateSolidBrush(m_crBackground);
        m_nState = StateNotStarted;
        m_bReady = m_Slides[0].IsInShow();
    }
    m_bSoundFinished = m_strSoundFile.IsEmpty() ? TRUE : FALSE;
    m_nAdvanceState = AdvanceNone;
    m_bPainting = FALSE;
    return m_bReady;
}

void CShowRenderer::HideAllObjects()
{
    for (int i = 0; i < MaxSlides; ++i)
        for (int j = 0; j < CSlide::MaxObjects; ++j)
            if (CSlideObjSlot* slot = m_Slides[i].GetSlot(j))
                slot->SetVisible(FALSE);
}

void CShowRenderer::GoToSlide(int index)
{
    if (m_bReady)
    {
        m_nObjectStep = 1;
        m_nState = StateCalibration;
        m_nCurrentSlide = index;
        m_nCurrentObject = 0;
        m_nFrameCounter = 0;
        PrepareSlide(index);
        HideAllObjects();
    }
    m_nTickCount = 0;
    m_nFirstTime = 0;
    m_nLastTime = 0;
}

int CShowRenderer::NextSlideIndex(int index) const
{
    return CTransitionEffects::NextSlideIndex(index, m_nSlideCount);
}

int CShowRenderer::PrepareIndex(int index) const
{
    // A start slide at or beyond the slide count is followed by slide 0 as well (with LOOP).
    return index + 1 >= m_nSlideCount ? 0 : index + 1;
}

BOOL CShowRenderer::PrepareSlide(int index)
{
    if (index < 0 || index >= MaxSlides)
        return FALSE;
    CSlide& slide = m_Slides[index];
    slide.m_Background.LoadImage(m_pPack);
    for (int j = 0; j < CSlide::MaxObjects; ++j)
    {
        CSlideObjSlot* slot = slide.GetSlot(j);
        if (slot && slot->m_bUsed)
            slot->Prepare(m_pPack, m_pWindow);
    }
    m_pNextPicture = &slide.m_Background.m_Picture;
    return slide.m_Background.m_Picture.IsLoaded();
}

void CShowRenderer::Repaint()
{
    if (!m_pWindow || !m_pWindow->GetSafeHwnd())
        return;
    CRect area(m_nX0, m_nY0, m_nX0 + GetWidth(), m_nY0 + GetHeight());
    m_pWindow->InvalidateRect(&area, FALSE);
    m_pWindow->UpdateWindow();
}

int CShowRenderer::TransitionDuration(int fadeSpeed)
{
    // FADESPEED counts 0 to 3; anything above is the slowest
    int speed = fadeSpeed < 0 ? 0 : (fadeSpeed > 3 ? 3 : fadeSpeed);
    return (speed + 1) * 500;
}

int CShowRenderer::ComputeFrameTotal(int fadeSpeed, int fadeInEffect) const
{
    int tick = m_nTickLength > 0 ? m_nTickLength : 1;
    int total = TransitionDuration(fadeSpeed) / tick;
    if (total % 2)
        ++total;
    if (total < 8)
        total = 8;
    if (fadeInEffect == 7 || fadeInEffect == 8)
        total *= 2;
    return total;
}

void CShowRenderer::CountTransitionFrame(int fadeSpeed, int fadeInEffect)
{
    if (m_nFrameCounter == 1)
    {
        m_nTransitionDuration = TransitionDuration(fadeSpeed);
        m_nFrameTotal = ComputeFrameTotal(fadeSpeed, fadeInEffect);
    }
    // A tiny slide area can make an effect's per-frame step 0, so that it never reports done.
    if (m_nFrameCounter > 2 * m_nFrameTotal + 2)
        m_bTransitionDone = TRUE;
}

BOOL CShowRenderer::Step(int now)
{
    if (!m_bReady)
        return FALSE;
    m_nNow = now;
    switch (m_nState)
    {
    case StateNotStarted:
        GoToSlide(0);
        m_nState = StateCalibration;
        break;
    case StateCalibration: StepCalibration(); break;
    case StateFadeIn: StepFadeIn(); break;
    case StateNoFadeIn:
        m_nPhaseStart = now;
        m_nState = StateNextObject;
        Repaint();
        break;
    case StateNextObject: StepNextObject(); break;
    case StateObjectInsert: StepObjectInsert(); break;
    case StateDisplay: StepDisplay(); break;
    case StateSlideEnd: StepSlideEnd(); break;
    case StatePause: StepPause(); break;
    case StateEnd: return StepEnd();
    default: m_nState = StateNotStarted; break;
    }
    return TRUE;
}

void CShowRenderer::StepCalibration()
{
    m_pCurrentPicture = nullptr;
    m_pPreviousPicture = nullptr;
    m_pNextPicture = nullptr;
    if (m_nTickCount == 0)
        m_nFirstTime = m_nNow;
    if (m_nTickCount >= 4)
    {
        m_nLastTime = m_nNow;
        m_nTickLength = (m_nLastTime - m_nFirstTime) / 4;
        if (m_nTickLength < 1)
            m_nTickLength = 1;
        m_nFrameTotal = m_nTransitionDuration / m_nTickLength + 1;
        m_nPhaseStart = m_nNow;
        m_nState = StateNextObject;
    }
    ++m_nTickCount;
    m_nAdvanceState = AdvanceNone;
    Repaint();
}

void CShowRenderer::StepFadeIn()
{
    CSlide* slide = CurrentSlide();
    m_nAdvanceState = AdvanceNone;
    if (m_nFrameCounter == 0)
    {
        m_bTransitionDone = FALSE;
        m_pCurrentPicture = &slide->m_Background.m_Picture;
    }
    int effect = slide->m_Background.m_FadeIn.GetSelectedIndex();
    if (effect == EffectNone)
    {
        m_nState = StateNoFadeIn;
        return;
    }
    ++m_nFrameCounter;
    CountTransitionFrame(slide->m_Background.m_nFadeSpeed, effect);
    if (m_bTransitionDone)
    {
        m_nPhaseStart = m_nNow;
        m_nState = StateNextObject;
    }
    Repaint();
}

void CShowRenderer::StepNextObject()
{
    CSlideObjSlot* slot =
        m_nCurrentObject < CSlide::MaxObjects ? CurrentSlide()->GetSlot(m_nCurrentObject) : nullptr;
    if (!slot || !slot->m_bUsed)
    {
        m_nPhaseStart = m_nNow;
        m_nState = StateDisplay;
        Repaint();
        return;
    }
    if (slot->GetDelay() < m_nNow - m_nPhaseStart)
    {
        m_nObjectStep = 0;
        m_nFrameCounter = 0;
        m_nObjectStart = m_nNow;
        m_nState = StateObjectInsert;
    }
}

void CShowRenderer::InstallTextFont(CSlideObjSlot* slot)
{
    if (!m_pFontInstaller || slot->m_nKind != CSlideObjSlot::KIND_TEXT || slot->m_Text.m_strFontName.IsEmpty())
        return;
    HWND hWnd = m_pWindow ? m_pWindow->GetSafeHwnd() : nullptr;
    HDC hDC = GetDC(hWnd);
    if (!hDC)
        return;
    CDC dc;
    dc.Attach(hDC);
    // A font installed only now is picked up when the object's font is next selected.
    m_pFontInstaller->InstallShowFont(slot->m_Text.m_strFontName, &dc, m_pPack);
    dc.Detach();
    ReleaseDC(hWnd, hDC);
}

void CShowRenderer::StepObjectInsert()
{
    CSlideObjSlot* slot =
        m_nCurrentObject < CSlide::MaxObjects ? CurrentSlide()->GetSlot(m_nCurrentObject) : nullptr;
    BOOL first = m_nObjectStep == 0;
    if (first)
    {
        m_nObjectStart = m_nNow;
        m_bObjectDone = FALSE;
    }
    if (!slot || !slot->m_bUsed)
    {
        m_nPhaseStart = m_nNow;
        m_nState = StateDisplay;
        return;
    }
    if (first)
        InstallTextFont(slot);
    CSlideBasicObj* object = slot->GetLiveObject();
    BOOL animated = object && object->GetAnimationIndex() != 0;
    if (animated)
        ++m_nObjectStep;   // the paint steps the animation and reports when it is over
    else
        slot->SetVisible(TRUE);
    if (!animated || m_bObjectDone)
    {
        if (++m_nCurrentObject >= CSlide::MaxObjects)
        {
            m_nCurrentObject = 0;
            m_nState = StateDisplay;
        }
        else
            m_nState = StateNextObject;
        m_nPhaseStart = m_nNow;
    }
    Repaint();
}

void CShowRenderer::StepDisplay()
{
    CSlide* slide = CurrentSlide();
    if (!m_pCurrentPicture)
        m_pCurrentPicture = &slide->m_Background.m_Picture;
    int elapsed = m_nNow - m_nPhaseStart;
    if (!m_bManualAdvance)
    {
        if (elapsed >= slide->m_Background.m_nDelay)
        {
            m_nFrameCounter = 0;
            m_nState = StateSlideEnd;
        }
        return;
    }
    if (elapsed < kManualWait)
        return;
    switch (m_nAdvanceState)
    {
    case AdvanceNone:
        m_nIndicatorCounter = 0;
        m_nAdvanceState = AdvanceWaiting;
        Repaint();
        break;
    case AdvanceWaiting:
        ++m_nIndicatorCounter;
        if (m_nIndicatorCounter <= kIndicatorFrames)
            Repaint();
        break;
    default:
        m_nFrameCounter = 0;
        m_nAdvanceState = AdvanceNone;
        m_nState = StateSlideEnd;
        break;
    }
}

void CShowRenderer::MakeFinishedImage(CSlide* slide)
{
    if (!slide->m_Background.m_Picture.IsLoaded() || slide->m_nWidth <= 0 || slide->m_nHeight <= 0)
        return;
    HDC hScreen = GetDC(nullptr);
    if (!hScreen)
        return;
    {
        CDC screen;
        screen.Attach(hScreen);
        {
            CRect area(0, 0, slide->m_nWidth, slide->m_nHeight);
            CSlideMemDC surface(&screen, area, m_crBackground);
            if (surface.GetSafeHdc())
            {
                slide->m_Background.m_Picture.Render(&surface, area);
                for (int j = 0; j < CSlide::MaxObjects; ++j)
                {
                    CSlideObjSlot* slot = slide->GetSlot(j);
                    if (!slot || !slot->m_bUsed)
                        continue;
                    CSlideBasicObj* object = slot->GetLiveObject();
                    if (!object)
                        continue;
                    object->m_bVisible = TRUE;
                    if (slot->m_nKind == CSlideObjSlot::KIND_IMAGE)
                        slot->m_Image.DrawStill(&surface);
                    else
                        object->Paint(&surface);
                    object->m_bVisible = FALSE;
                }
                surface.CopyToBitmap(&slide->m_Bitmap, slide->m_nWidth, slide->m_nHeight);
            }
        }
        screen.Detach();
    }
    ReleaseDC(nullptr, hScreen);
}

void CShowRenderer::EndSlide(int index)
{
    CSlide* slide = SlideAt(index);
    MakeFinishedImage(slide);
    for (int j = 0; j < CSlide::MaxObjects; ++j)
    {
        CSlideObjSlot* slot = slide->GetSlot(j);
        if (slot && slot->m_bUsed)
            if (CSlideBasicObj* object = slot->GetLiveObject())
                object->StopPlayback();
    }
    Sleep(25);
}

void CShowRenderer::StepSlideEnd()
{
    CSlide* slide = CurrentSlide();
    BOOL last = m_nCurrentSlide >= m_nSlideCount - 1;
    if (m_nFrameCounter == 0)
    {
        m_nAdvanceState = AdvanceNone;
        using namespace ShowText::Termination;
        BOOL keepPlaying = last && m_nLoop == LOOP_ONCE &&
                           (m_nAutoExit == AUTOEXIT_AFTER_SOUND || m_nAutoExit == AUTOEXIT_BY_USER);
        if (!keepPlaying)
            EndSlide(m_nCurrentSlide);
    }
    if (last && m_nLoop == ShowText::Termination::LOOP_ONCE)
    {
        m_nState = StateEnd;   // the last slide never fades out
        Repaint();
        return;
    }
    if (m_nFrameCounter == 0)
    {
        m_pPreviousPicture = m_pCurrentPicture;
        m_pCurrentPicture = nullptr;
        m_bTransitionDone = FALSE;
    }
    int effect = slide->m_Background.m_FadeOut.GetSelectedIndex();
    if (effect == EffectNone)
    {
        PrepareSlide(PrepareIndex(m_nCurrentSlide));
        m_nPauseStart = m_nNow;
        m_nState = StatePause;
    }
    else if (m_nFrameCounter == 0)
    {
        PrepareSlide(PrepareIndex(m_nCurrentSlide));
        m_nFrameCounter = 1;
        CountTransitionFrame(slide->m_Background.m_nFadeSpeed, -1);
    }
    else if (!m_bTransitionDone)
    {
        ++m_nFrameCounter;
        CountTransitionFrame(slide->m_Background.m_nFadeSpeed, -1);
    }
    else if (effect != EffectRotateRight && effect != EffectRotateBottom)
    {
        m_nPauseStart = m_nNow;
        m_nState = StatePause;
    }
    else
    {
        // The rotations have brought the next slide in already.
        ++m_nCurrentSlide;
        if (m_nCurrentSlide < m_nSlideCount)
        {
            m_nCurrentObject = 0;
            m_nPhaseStart = m_nNow;
            m_nState = StateNextObject;
        }
        else if (m_nLoop != ShowText::Termination::LOOP_ONCE)
        {
            m_nCurrentSlide = 0;
            m_nCurrentObject = 0;
            m_nPhaseStart = m_nNow;
            m_nState = StateNextObject;
        }
        else
        {
            m_nFrameCounter = 0;
            m_nState = StateEnd;
        }
    }
    Repaint();
}

void CShowRenderer::StepPause()
{
    m_nCurrentObject = 0;
    m_nObjectStep = 0;
    if (CurrentSlide()->m_Background.m_FadeIn.GetSelectedIndex() == EffectNone ||
        m_nNow - m_nPauseStart >= m_nPauseLength)
    {
        m_nFrameCounter = 0;
        ++m_nCurrentSlide;
        m_nState = StateFadeIn;
        if (m_nCurrentSlide >= m_nSlideCount)
        {
            m_nFrameCounter = 0;
            m_nState = StateEnd;
        }
    }
}

BOOL CShowRenderer::StepEnd()
{
    if (m_nLoop != ShowText::Termination::LOOP_ONCE)
    {
        m_nCurrentSlide = 0;
        m_nCurrentObject = 0;
        HideAllObjects();
        if (!m_Slides[0].m_Background.m_Picture.IsLoaded())
            m_Slides[0].m_Background.LoadImage(m_pPack);
        m_nPhaseStart = m_nPauseStart = m_nNow;
        m_nFrameCounter = 0;
        m_nState = StateFadeIn;
        return TRUE;
    }
    if (m_nAutoExit == ShowText::Termination::AUTOEXIT_AFTER_SOUND)
        return m_bSoundFinished ? FALSE : TRUE;
    return FALSE;
}

void CShowRenderer::Continue()
{
    if (m_bManualAdvance && m_nAdvanceState == AdvanceWaiting)
        m_nAdvanceState = AdvanceContinue;
}

BOOL CShowRenderer::ClickContinue(int x, int y)
{
    if (!m_bManualAdvance || m_nAdvanceState != AdvanceWaiting)
        return FALSE;
    CPoint point(x, y);
    if (!m_rcIndicator.PtInRect(point))
        return FALSE;
    m_nAdvanceState = AdvanceContinue;
    return TRUE;
}

void CShowRenderer::Stop()
{
    for (int pass = 0; pass < 10; ++pass)
    {
        BOOL running = FALSE;
        for (int i = 0; i < MaxSlides; ++i)
            for (int j = 0; j < CSlide::MaxObjects; ++j)
            {
                CSlideObjSlot* slot = m_Slides[i].GetSlot(j);
                if (slot && slot->m_bUsed)
                    if (CSlideBasicObj* object = slot->GetLiveObject())
                        if (object->StopAnimation())
                            running = TRUE;
            }
        if (!running)
            break;
        for (int k = 0; k < 5; ++k)
            Sleep(10);
    }
    m_BackgroundBrush.DeleteObject();
}

void CShowRenderer::PaintSlide(CDC* dc, CSlide* slide, BOOL withObjects)
{
    CRect area(0, 0, GetWidth(), GetHeight());
    if (slide->m_Background.m_Picture.IsLoaded())
        slide->m_Background.m_Picture.Render(dc, area);
    if (!withObjects)
        return;
    for (int j = 0; j < CSlide::MaxObjects; ++j)
    {
        CSlideObjSlot* slot = slide->GetSlot(j);
        if (slot && slot->m_bUsed)
            if (CSlideBasicObj* object = slot->GetLiveObject())
                object->Paint(dc);
    }
}

void CShowRenderer::Paint(CDC* dc)
{
    // Between two slides nothing is drawn: the last frame stays until the next slide comes in.
    if (m_nState == StatePause || (m_nState == StateFadeIn && m_nFrameCounter == 0))
        return;
    CRect target(m_nX0, m_nY0, m_nX0 + GetWidth(), m_nY0 + GetHeight());
    if (!m_bReady)
    {
        if (dc && dc->GetSafeHdc())
            dc->FillSolidRect(&target, RGB(255, 255, 255));
        return;
    }
    if (!dc || !dc->GetSafeHdc() || m_bPainting)
        return;
    m_bPainting = TRUE;
    {
        CRect area(0, 0, GetWidth(), GetHeight());
        CSlideMemDC surface(dc, area, m_crBackground);
        if (surface.GetSafeHdc())
        {
            CSlide* slide = CurrentSlide();
            switch (m_nState)
            {
            case StateSlideEnd:
                if (m_nFrameCounter == 0 || slide->m_Background.m_FadeOut.GetSelectedIndex() == EffectNone)
                {
                    // No fade-out running (yet): the slide stays as it is.
                    PaintSlide(&surface, slide, TRUE);
                    break;
                }
                // fall through
            case StateFadeIn:
            {
                CTransitionFrame frame;
                frame.pDC = &surface;
                frame.nLeft = 0;
                frame.nTop = 0;
                frame.nWidth = GetWidth();
                frame.nHeight = GetHeight();
                frame.nFrame = m_nFrameCounter;
                frame.nFrames = m_nFrameTotal;
                frame.pBrush = &m_BackgroundBrush;
                frame.pShow = this;
                frame.nCurrentSlide = m_nCurrentSlide;
                frame.nSlideCount = m_nSlideCount;
                frame.pNewPicture = m_pCurrentPicture;
                frame.pPreviousPicture = m_pPreviousPicture;
                frame.pNewSlideBitmap = &m_NewSlideBitmap;
                BOOL done =
                    m_nState == StateFadeIn
                        ? CTransitionEffects::DrawFadeIn(slide->m_Background.m_FadeIn.GetSelectedIndex(), frame)
                        : CTransitionEffects::DrawFadeOut(slide->m_Background.m_FadeOut.GetSelectedIndex(), frame);
                if (done)
                    m_bTransitionDone = TRUE;
                break;
            }
            case StateNoFadeIn:
                if (m_pNextPicture && m_pNextPicture->IsLoaded())
                    m_pNextPicture->Render(&surface, area);
                break;
            case StateObjectInsert:
                if (m_nCurrentObject <= CSlide::MaxObjects)
                {
                    PaintSlide(&surface, slide, TRUE);
                    CSlideObjSlot* slot =
                        m_nCurrentObject < CSlide::MaxObjects ? slide->GetSlot(m_nCurrentObject) : nullptr;
                    if (slot && slot->m_bUsed)
                        if (CSlideBasicObj* object = slot->GetLiveObject())
                        {
                            int elapsed = m_nNow - m_nObjectStart;
                            m_bObjectDone =
                                object->AnimateStep(&surface, elapsed / 50, m_nObjectAnimParam, elapsed) ? TRUE
                                                                                                         : FALSE;
                        }
                }
                break;
            default:
                // The slide being shown, also while its objects enter.
                PaintSlide(&surface, slide, TRUE);
                break;
            }
            dc->BitBlt(m_nX0, m_nY0, GetWidth(), GetHeight(), &surface, 0, 0, SRCCOPY);
        }
    }
    if (m_bManualAdvance && m_nAdvanceState == AdvanceWaiting)
        PaintIndicator(dc);
    m_bPainting = FALSE;
}

void CShowRenderer::PaintIndicator(CDC* dc)
{
    const CRect& r = m_rcIndicator;
    CPen light(PS_SOLID, 1, RGB(0xC0, 0xC0, 0xC0));
    CPen dark(PS_SOLID, 1, RGB(0x40, 0x40, 0x40));
    CPen* oldPen = dc->SelectObject(&light);
    auto outline = [&](int left, int top, int right, int bottom)
    {
        dc->MoveTo(left, top);
        dc->LineTo(right - 1, top);
        dc->LineTo(right - 1, bottom - 1);
        dc->LineTo(left, bottom - 1);
        dc->LineTo(left, top);
    };
    if (m_nIndicatorCounter >= 1 && m_nIndicatorCounter <= 16)
    {
        // A square that shrinks into the corner.
        int t = (m_nIndicatorCounter - 1) * m_nIndicatorCounter / 2;
        int left = r.left + t - 122;
        int top = r.top + t - 122;
        dc->SelectObject(&light);
        outline(left, top, r.right, r.bottom);
        dc->SelectObject(&dark);
        outline(left + 1, top + 1, r.right - 1, r.bottom - 1);
    }
    else if (m_nIndicatorCounter >= kIndicatorFrames)
    {
        dc->SelectObject(&light);
        outline(r.left, r.top, r.right, r.bottom);
        // A small play arrow.
        int x = r.left + 3, y = r.top + 2, h = r.Height() - 4;
        dc->SelectObject(&dark);
        dc->MoveTo(x, y);
        dc->LineTo(x, y + h);
        dc->MoveTo(x, y);
        dc->LineTo(x + h / 2 + 1, y + h / 2 + 1);
        dc->SelectObject(&light);
        dc->MoveTo(x, y + h - 1);
        dc->LineTo(x + h / 2, y + h / 2 - 1);
    }
    dc->SelectObject(oldPen);
}
