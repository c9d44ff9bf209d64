#include "player/ShowRenderer.h"

#include "player/FrameTimer.h"
#include "player/ShowFonts.h"
#include "player/TransitionEffects.h"
#include "show/ImageObj.h"
#include "show/ProjectPack.h"
#include "show/ShowText.h"
#include "show/SlideObject.h"

namespace
{

const int kIndicatorFrames = 17;    // the shrinking square, then the play arrow
const int kManualWait = 500;        // ms before the indicator appears
const int kTransitionBase = 500;    // ms of a transition at FADESPEED 0
const int kPauseLength = 200;       // ms between two slides
const int kObjectAnimParam = 200;   // what an object's entrance step is given beside the time
const int kObjectStepMs = 50;       // the entrance step counts in these
const int kSlideEndPause = 25;      // ms the end of a slide pauses after its objects were stopped

typedef CEffectNames Effect;

}   // namespace

CShowRenderer::CShowRenderer()
    : m_pWindow(nullptr), m_pPack(nullptr), m_pFontInstaller(nullptr), m_pCurrentPicture(nullptr),
      m_pPreviousPicture(nullptr), m_pNextPicture(nullptr), m_bStepFrameValid(FALSE), m_bPainting(FALSE)
{
    m_EmptySlide.Reset();
    m_EmptySlide.m_Background.m_FadeIn.SetSelectedIndex(Effect::EFFECT_NONE);
    m_EmptySlide.m_Background.m_FadeOut.SetSelectedIndex(Effect::EFFECT_NONE);
}

CShowRenderer::~CShowRenderer()
{
    Stop();
}

BOOL CShowRenderer::Load(const char* showPath, BYTE* data, int size)
{
    ReadShowText(showPath, data, size);
    m_Play.bLoaded = !m_strShowVersion.IsEmpty();
    m_Play.bSoundFinished = m_strSoundFile.IsEmpty() ? TRUE : FALSE;
    return m_Play.bLoaded;
}

CSlide* CShowRenderer::SlideAt(int index)
{
    if (index >= 0 && index < MaxSlides)
        return &m_Slides[index];
    return &m_EmptySlide;
}

BOOL CShowRenderer::Start(int left, int top, int right, int bottom, int x0, int y0, CWnd* window, int framePeriod)
{
    Playback& p = m_Play;
    p.nLeft = left;
    p.nTop = top;
    p.nRight = right;
    p.nBottom = bottom;
    p.nX0 = x0;
    p.nY0 = y0;
    m_pWindow = window;
    p.nFramePeriod = framePeriod > 0 ? framePeriod : CFrameTimer::FramePeriod;
    p.nFrameCounter = 0;
    p.nObjectStep = 0;
    p.nTransitionDuration = kTransitionBase;
    p.nFrameTotal = p.nTransitionDuration / p.nFramePeriod + 1;

    p.rcIndicator.SetRect(right - 14, bottom - 16, right - 3, bottom - 3);
    p.bManualAdvance = m_nAdvanceMode == ShowText::ShowCtrl::ADVANCE_MANUALLY;

    p.bReady = FALSE;
    m_pStepFrame.reset();
    m_bStepFrameValid = FALSE;
    if (p.bLoaded)
    {
        p.nSlideCount = CountShowSlides();
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
        p.nState = StateNotStarted;
        p.bReady = m_Slides[0].IsInShow();
    }
    p.bSoundFinished = m_strSoundFile.IsEmpty() ? TRUE : FALSE;
    p.nAdvanceState = AdvanceNone;
    m_bPainting = FALSE;
    return p.bReady;
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
    Playback& p = m_Play;
    if (p.bReady)
    {
        p.nObjectStep = 1;
        p.nState = StateCalibration;
        p.nCurrentSlide = index;
        p.nCurrentObject = 0;
        p.nFrameCounter = 0;
        PrepareSlide(index);
        HideAllObjects();
    }
    p.nTickCount = 0;
    p.nFirstTime = 0;
    p.nLastTime = 0;
}

int CShowRenderer::NextSlideIndex(int index) const
{
    return CTransitionEffects::NextSlideIndex(index, m_Play.nSlideCount);
}

int CShowRenderer::PrepareIndex(int index) const
{
    // A start slide at or beyond the slide count is followed by slide 0 as well (with LOOP).
    return index + 1 >= m_Play.nSlideCount ? 0 : index + 1;
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
    CRect area(m_Play.nX0, m_Play.nY0, m_Play.nX0 + GetWidth(), m_Play.nY0 + GetHeight());
    m_pWindow->InvalidateRect(&area, FALSE);
    m_pWindow->UpdateWindow();
}

int CShowRenderer::TransitionDuration(int fadeSpeed)
{
    // FADESPEED counts 0 to 3; anything above is the slowest
    int speed = fadeSpeed < 0 ? 0 : (fadeSpeed > 3 ? 3 : fadeSpeed);
    return (speed + 1) * kTransitionBase;
}

int CShowRenderer::ComputeFrameTotal(int fadeSpeed, int fadeInEffect) const
{
    int tick = m_Play.nTickLength > 0 ? m_Play.nTickLength : 1;
    int total = TransitionDuration(fadeSpeed) / tick;
    if (total % 2)
        ++total;
    if (total < 8)
        total = 8;
    if (fadeInEffect == Effect::EFFECT_HORZ_STRIPES || fadeInEffect == Effect::EFFECT_VERT_STRIPES)
        total *= 2;
    return total;
}

void CShowRenderer::CountTransitionFrame(int fadeSpeed, int fadeInEffect)
{
    Playback& p = m_Play;
    if (p.nFrameCounter == 1)
    {
        p.nTransitionDuration = TransitionDuration(fadeSpeed);
        p.nFrameTotal = ComputeFrameTotal(fadeSpeed, fadeInEffect);
    }
    // A tiny slide area can make an effect's per-frame step 0, so that it never reports done.
    if (p.nFrameCounter > 2 * p.nFrameTotal + 2)
        p.bTransitionDone = TRUE;
}

BOOL CShowRenderer::Step(int now)
{
    Playback& p = m_Play;
    if (!p.bReady)
        return FALSE;
    p.nNow = now;
    m_bStepFrameValid = FALSE;
    switch (p.nState)
    {
    case StateNotStarted:
        GoToSlide(0);
        p.nState = StateCalibration;
        break;
    case StateCalibration: StepCalibration(); break;
    case StateFadeIn: StepFadeIn(); break;
    case StateNoFadeIn:
        p.nPhaseStart = now;
        p.nState = StateNextObject;
        Repaint();
        break;
    case StateNextObject: StepNextObject(); break;
    case StateObjectInsert: StepObjectInsert(); break;
    case StateDisplay: StepDisplay(); break;
    case StateSlideEnd: StepSlideEnd(); break;
    case StatePause: StepPause(); break;
    case StateEnd: return StepEnd();
    default: p.nState = StateNotStarted; break;
    }
    return TRUE;
}

void CShowRenderer::StepCalibration()
{
    Playback& p = m_Play;
    m_pCurrentPicture = nullptr;
    m_pPreviousPicture = nullptr;
    m_pNextPicture = nullptr;
    if (p.nTickCount == 0)
        p.nFirstTime = p.nNow;
    if (p.nTickCount >= 4)
    {
        p.nLastTime = p.nNow;
        p.nTickLength = (p.nLastTime - p.nFirstTime) / 4;
        if (p.nTickLength < 1)
            p.nTickLength = 1;
        p.nFrameTotal = p.nTransitionDuration / p.nTickLength + 1;
        p.nPhaseStart = p.nNow;
        p.nState = StateNextObject;
    }
    ++p.nTickCount;
    p.nAdvanceState = AdvanceNone;
    Repaint();
}

void CShowRenderer::StepFadeIn()
{
    Playback& p = m_Play;
    CSlide* slide = CurrentSlide();
    p.nAdvanceState = AdvanceNone;
    if (p.nFrameCounter == 0)
    {
        p.bTransitionDone = FALSE;
        m_pCurrentPicture = &slide->m_Background.m_Picture;
    }
    int effect = slide->m_Background.m_FadeIn.GetSelectedIndex();
    if (effect == Effect::EFFECT_NONE)
    {
        p.nState = StateNoFadeIn;
        return;
    }
    ++p.nFrameCounter;
    CountTransitionFrame(slide->m_Background.m_nFadeSpeed, effect);
    if (p.bTransitionDone)
    {
        p.nPhaseStart = p.nNow;
        p.nState = StateNextObject;
    }
    else
        ComposeStepFrame();
    Repaint();
}

void CShowRenderer::StepNextObject()
{
    Playback& p = m_Play;
    CSlideObjSlot* slot =
        p.nCurrentObject < CSlide::MaxObjects ? CurrentSlide()->GetSlot(p.nCurrentObject) : nullptr;
    if (!slot || !slot->m_bUsed)
    {
        p.nPhaseStart = p.nNow;
        p.nState = StateDisplay;
        Repaint();
        return;
    }
    if (slot->GetDelay() < p.nNow - p.nPhaseStart)
    {
        p.nObjectStep = 0;
        p.nFrameCounter = 0;
        p.nObjectStart = p.nNow;
        p.nState = StateObjectInsert;
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
    Playback& p = m_Play;
    CSlideObjSlot* slot =
        p.nCurrentObject < CSlide::MaxObjects ? CurrentSlide()->GetSlot(p.nCurrentObject) : nullptr;
    BOOL first = p.nObjectStep == 0;
    if (first)
    {
        p.nObjectStart = p.nNow;
        p.bObjectDone = FALSE;
    }
    if (!slot || !slot->m_bUsed)
    {
        p.nPhaseStart = p.nNow;
        p.nState = StateDisplay;
        return;
    }
    if (first)
        InstallTextFont(slot);
    CSlideBasicObj* object = slot->GetLiveObject();
    BOOL animated = object && object->GetAnimationIndex() != 0;
    if (animated)
        ++p.nObjectStep;   // the step's frame moves the entrance on and reports when it is over
    else
        slot->SetVisible(TRUE);
    if (!animated || p.bObjectDone)
    {
        if (++p.nCurrentObject >= CSlide::MaxObjects)
        {
            p.nCurrentObject = 0;
            p.nState = StateDisplay;
        }
        else
            p.nState = StateNextObject;
        p.nPhaseStart = p.nNow;
    }
    else
        ComposeStepFrame();
    Repaint();
}

void CShowRenderer::StepDisplay()
{
    Playback& p = m_Play;
    CSlide* slide = CurrentSlide();
    if (!m_pCurrentPicture)
        m_pCurrentPicture = &slide->m_Background.m_Picture;
    int elapsed = p.nNow - p.nPhaseStart;
    if (!p.bManualAdvance)
    {
        if (elapsed >= slide->m_Background.m_nDelay)
        {
            p.nFrameCounter = 0;
            p.nState = StateSlideEnd;
        }
        return;
    }
    if (elapsed < kManualWait)
        return;
    switch (p.nAdvanceState)
    {
    case AdvanceNone:
        p.nIndicatorCounter = 0;
        p.nAdvanceState = AdvanceWaiting;
        Repaint();
        break;
    case AdvanceWaiting:
        ++p.nIndicatorCounter;
        if (p.nIndicatorCounter <= kIndicatorFrames)
            Repaint();
        break;
    default:
        p.nFrameCounter = 0;
        p.nAdvanceState = AdvanceNone;
        p.nState = StateSlideEnd;
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
    Sleep(kSlideEndPause);
}

void CShowRenderer::StepSlideEnd()
{
    Playback& p = m_Play;
    CSlide* slide = CurrentSlide();
    BOOL last = p.nCurrentSlide >= p.nSlideCount - 1;
    if (p.nFrameCounter == 0)
    {
        p.nAdvanceState = AdvanceNone;
        using namespace ShowText::Termination;
        BOOL keepPlaying = last && m_nLoop == LOOP_ONCE &&
                           (m_nAutoExit == AUTOEXIT_AFTER_SOUND || m_nAutoExit == AUTOEXIT_BY_USER);
        if (!keepPlaying)
            EndSlide(p.nCurrentSlide);
    }
    if (last && m_nLoop == ShowText::Termination::LOOP_ONCE)
    {
        p.nState = StateEnd;   // the last slide never fades out
        Repaint();
        return;
    }
    if (p.nFrameCounter == 0)
    {
        m_pPreviousPicture = m_pCurrentPicture;
        m_pCurrentPicture = nullptr;
        p.bTransitionDone = FALSE;
    }
    int effect = slide->m_Background.m_FadeOut.GetSelectedIndex();
    if (effect == Effect::EFFECT_NONE)
    {
        PrepareSlide(PrepareIndex(p.nCurrentSlide));
        p.nPauseStart = p.nNow;
        p.nState = StatePause;
    }
    else if (p.nFrameCounter == 0)
    {
        PrepareSlide(PrepareIndex(p.nCurrentSlide));
        p.nFrameCounter = 1;
        CountTransitionFrame(slide->m_Background.m_nFadeSpeed, -1);
    }
    else if (!p.bTransitionDone)
    {
        ++p.nFrameCounter;
        CountTransitionFrame(slide->m_Background.m_nFadeSpeed, -1);
    }
    else if (effect != Effect::EFFECT_OUTIN_ROTATE_RIGHT && effect != Effect::EFFECT_OUTIN_ROTATE_BOTTOM)
    {
        p.nPauseStart = p.nNow;
        p.nState = StatePause;
    }
    else
    {
        // The rotations have brought the next slide in already.
        ++p.nCurrentSlide;
        if (p.nCurrentSlide < p.nSlideCount)
        {
            p.nCurrentObject = 0;
            p.nPhaseStart = p.nNow;
            p.nState = StateNextObject;
        }
        else if (m_nLoop != ShowText::Termination::LOOP_ONCE)
        {
            p.nCurrentSlide = 0;
            p.nCurrentObject = 0;
            p.nPhaseStart = p.nNow;
            p.nState = StateNextObject;
        }
        else
        {
            p.nFrameCounter = 0;
            p.nState = StateEnd;
        }
    }
    if (IsSteppedFrame())
        ComposeStepFrame();
    Repaint();
}

void CShowRenderer::StepPause()
{
    Playback& p = m_Play;
    p.nCurrentObject = 0;
    p.nObjectStep = 0;
    if (CurrentSlide()->m_Background.m_FadeIn.GetSelectedIndex() == Effect::EFFECT_NONE ||
        p.nNow - p.nPauseStart >= kPauseLength)
    {
        p.nFrameCounter = 0;
        ++p.nCurrentSlide;
        p.nState = StateFadeIn;
        if (p.nCurrentSlide >= p.nSlideCount)
        {
            p.nFrameCounter = 0;
            p.nState = StateEnd;
        }
    }
}

BOOL CShowRenderer::StepEnd()
{
    Playback& p = m_Play;
    if (m_nLoop != ShowText::Termination::LOOP_ONCE)
    {
        p.nCurrentSlide = 0;
        p.nCurrentObject = 0;
        HideAllObjects();
        if (!m_Slides[0].m_Background.m_Picture.IsLoaded())
            m_Slides[0].m_Background.LoadImage(m_pPack);
        p.nPhaseStart = p.nPauseStart = p.nNow;
        p.nFrameCounter = 0;
        p.nState = StateFadeIn;
        return TRUE;
    }
    if (m_nAutoExit == ShowText::Termination::AUTOEXIT_AFTER_SOUND)
        return p.bSoundFinished ? FALSE : TRUE;
    return FALSE;
}

void CShowRenderer::Continue()
{
    if (m_Play.bManualAdvance && m_Play.nAdvanceState == AdvanceWaiting)
        m_Play.nAdvanceState = AdvanceContinue;
}

BOOL CShowRenderer::ClickContinue(int x, int y)
{
    Playback& p = m_Play;
    if (!p.bManualAdvance || p.nAdvanceState != AdvanceWaiting)
        return FALSE;
    CPoint point(x, y);
    if (!p.rcIndicator.PtInRect(point))
        return FALSE;
    p.nAdvanceState = AdvanceContinue;
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
    m_pStepFrame.reset();
    m_bStepFrameValid = FALSE;
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

BOOL CShowRenderer::IsSteppedFrame()
{
    const Playback& p = m_Play;
    switch (p.nState)
    {
    case StateFadeIn: return p.nFrameCounter > 0;
    case StateSlideEnd:
        return p.nFrameCounter > 0 &&
               CurrentSlide()->m_Background.m_FadeOut.GetSelectedIndex() != Effect::EFFECT_NONE;
    case StateObjectInsert: return TRUE;
    default: return FALSE;
    }
}

void CShowRenderer::ComposeStepFrame()
{
    CRect area(0, 0, GetWidth(), GetHeight());
    if (!m_pStepFrame)
    {
        // Compatible with the slide window, or with the screen when there is none.
        HWND hWnd = m_pWindow ? m_pWindow->GetSafeHwnd() : nullptr;
        HDC hRef = ::GetDC(hWnd);
        CDC ref;
        if (hRef)
            ref.Attach(hRef);
        m_pStepFrame = std::make_unique<CSlideMemDC>(hRef ? &ref : nullptr, area, m_crBackground);
        if (hRef)
        {
            ref.Detach();
            ::ReleaseDC(hWnd, hRef);
        }
    }
    else if (m_pStepFrame->GetSafeHdc())
        m_pStepFrame->FillSolidRect(&area, m_crBackground);
    if (!m_pStepFrame->GetSafeHdc())
    {
        m_pStepFrame.reset();
        return;
    }
    ComposeFrame(m_pStepFrame.get(), TRUE);
    m_bStepFrameValid = TRUE;
}

void CShowRenderer::ComposeFrame(CDC* surface, BOOL advance)
{
    Playback& p = m_Play;
    CSlide* slide = CurrentSlide();
    CRect area(0, 0, GetWidth(), GetHeight());
    switch (p.nState)
    {
    case StateSlideEnd:
        if (p.nFrameCounter == 0 || slide->m_Background.m_FadeOut.GetSelectedIndex() == Effect::EFFECT_NONE)
        {
            // No fade-out running (yet): the slide stays as it is.
            PaintSlide(surface, slide, TRUE);
            break;
        }
        // fall through
    case StateFadeIn:
    {
        CTransitionFrame frame;
        frame.pDC = surface;
        frame.nLeft = 0;
        frame.nTop = 0;
        frame.nWidth = GetWidth();
        frame.nHeight = GetHeight();
        frame.nFrame = p.nFrameCounter;
        frame.nFrames = p.nFrameTotal;
        frame.pBrush = &m_BackgroundBrush;
        frame.pShow = this;
        frame.nCurrentSlide = p.nCurrentSlide;
        frame.nSlideCount = p.nSlideCount;
        frame.pNewPicture = m_pCurrentPicture;
        frame.pPreviousPicture = m_pPreviousPicture;
        frame.pNewSlideBitmap = &m_NewSlideBitmap;
        BOOL done = p.nState == StateFadeIn
                        ? CTransitionEffects::DrawFadeIn(slide->m_Background.m_FadeIn.GetSelectedIndex(), frame)
                        : CTransitionEffects::DrawFadeOut(slide->m_Background.m_FadeOut.GetSelectedIndex(), frame);
        if (advance && done)
            p.bTransitionDone = TRUE;
        break;
    }
    case StateNoFadeIn:
        if (m_pNextPicture && m_pNextPicture->IsLoaded())
            m_pNextPicture->Render(surface, area);
        break;
    case StateObjectInsert:
        if (p.nCurrentObject <= CSlide::MaxObjects)
        {
            // The objects as they stand; the entering one moves on only in the step's own frame.
            PaintSlide(surface, slide, TRUE);
            CSlideObjSlot* slot =
                p.nCurrentObject < CSlide::MaxObjects ? slide->GetSlot(p.nCurrentObject) : nullptr;
            CSlideBasicObj* object = slot && slot->m_bUsed ? slot->GetLiveObject() : nullptr;
            if (object && advance)
            {
                int elapsed = p.nNow - p.nObjectStart;
                p.bObjectDone = object->AnimateStep(surface, elapsed / kObjectStepMs, kObjectAnimParam, elapsed)
                                    ? TRUE
                                    : FALSE;
            }
        }
        break;
    default:
        // The slide being shown, also while its objects enter.
        PaintSlide(surface, slide, TRUE);
        break;
    }
}

void CShowRenderer::Paint(CDC* dc)
{
    const Playback& p = m_Play;
    // Between two slides nothing is drawn: the last frame stays until the next slide comes in.
    if (p.nState == StatePause || (p.nState == StateFadeIn && p.nFrameCounter == 0))
        return;
    CRect target(p.nX0, p.nY0, p.nX0 + GetWidth(), p.nY0 + GetHeight());
    if (!p.bReady)
    {
        if (dc && dc->GetSafeHdc())
            dc->FillSolidRect(&target, RGB(255, 255, 255));
        return;
    }
    if (!dc || !dc->GetSafeHdc() || m_bPainting)
        return;
    m_bPainting = TRUE;
    if (m_bStepFrameValid)
        dc->BitBlt(p.nX0, p.nY0, GetWidth(), GetHeight(), m_pStepFrame.get(), 0, 0, SRCCOPY);
    else
    {
        CRect area(0, 0, GetWidth(), GetHeight());
        CSlideMemDC surface(dc, area, m_crBackground);
        if (surface.GetSafeHdc())
        {
            ComposeFrame(&surface, FALSE);
            dc->BitBlt(p.nX0, p.nY0, GetWidth(), GetHeight(), &surface, 0, 0, SRCCOPY);
        }
    }
    if (p.bManualAdvance && p.nAdvanceState == AdvanceWaiting)
        PaintIndicator(dc);
    m_bPainting = FALSE;
}

void CShowRenderer::PaintIndicator(CDC* dc)
{
    const CRect& r = m_Play.rcIndicator;
    const int counter = m_Play.nIndicatorCounter;
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
    if (counter >= 1 && counter < kIndicatorFrames)
    {
        // A square that shrinks into the corner.
        int t = (counter - 1) * counter / 2;
        int left = r.left + t - 122;
        int top = r.top + t - 122;
        dc->SelectObject(&light);
        outline(left, top, r.right, r.bottom);
        dc->SelectObject(&dark);
        outline(left + 1, top + 1, r.right - 1, r.bottom - 1);
    }
    else if (counter >= kIndicatorFrames)
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
