// CShowRenderer plays a loaded show: it is the in-memory show itself, extended by a playback state machine
// that the main dialog steps once per frame-clock tick with the show clock in milliseconds, and a paint
// operation that composes the current frame off screen and copies it into the slide window.
#pragma once

#include "player/FrameTimer.h"
#include "show/ShowData.h"
#include "show/SlideMemDC.h"

#include <memory>

class CProjectPack;
class CPicture;
class CShowFontInstaller;

class CShowRenderer : public CShowData
{
public:
    // Playback states.
    enum
    {
        StateNotStarted = 0,
        StateCalibration = 1,
        StateFadeIn = 2,
        StateDisplay = 3,
        StateSlideEnd = 4,
        StatePause = 5,
        StateNoFadeIn = 6,
        StateNextObject = 7,
        StateObjectInsert = 8,
        StateEnd = 9,
    };
    // Manual-advance sub-states.
    enum
    {
        AdvanceNone = 0,
        AdvanceWaiting = 1,
        AdvanceContinue = 2
    };
    CShowRenderer();
    ~CShowRenderer() override;

    // The playback state. Only the renderer's operations change it; anyone may read it.
    struct Playback
    {
        // Slide area (the slide window's client rectangle) and the drawing origin in the window.
        int nLeft = 0, nTop = 0, nRight = 0, nBottom = 0;
        int nX0 = 0, nY0 = 0;
        BOOL bReady = FALSE;    // the first slide has a background image
        BOOL bLoaded = FALSE;   // the show text was read
        int nSlideCount = 0;    // slides 0 ... count - 1 play
        int nState = StateNotStarted;
        int nCurrentSlide = 0;
        int nCurrentObject = 0;
        int nNow = 0;   // the show clock of the running step, ms
        int nPhaseStart = 0;
        int nObjectStart = 0;
        int nPauseStart = 0;
        int nFrameCounter = 0;   // frames of the running transition
        int nFrameTotal = 8;     // frames the transition takes
        BOOL bTransitionDone = FALSE;
        int nTransitionDuration = 500;
        int nFramePeriod = CFrameTimer::FramePeriod;
        int nObjectStep = 0;
        BOOL bObjectDone = FALSE;
        // Calibration of the tick length.
        int nTickCount = 0;
        int nFirstTime = 0;
        int nLastTime = 0;
        int nTickLength = CFrameTimer::FramePeriod;   // until measured
        BOOL bSoundFinished = TRUE;
        BOOL bManualAdvance = FALSE;
        int nAdvanceState = AdvanceNone;
        int nIndicatorCounter = 0;
        CRect rcIndicator;
    };
    const Playback& GetPlayback() const { return m_Play; }

    // Reads the show text (the pack's "VEXUL.INI" entry); loaded = its SHOW VERSION is not empty. A show with
    // a sound has not finished it.
    BOOL Load(const char* showPath, BYTE* data, int size);
    // Prepares playback on the slide window's client area; returns ready (slide 0 has an image).
    BOOL Start(int left, int top, int right, int bottom, int x0, int y0, CWnd* window, int framePeriod);
    // Makes a slide current and enters calibration.
    void GoToSlide(int index);
    // Advances the state machine; TRUE while the frame clock is to be re-armed. The step alone moves the show
    // on: a transition or an object's entrance is composed here, frame by frame, and the paint that follows
    // shows it.
    BOOL Step(int now);
    // Draws the current frame. However often the window paints, the show stays where the last step left it.
    void Paint(CDC* dc);
    // Manual advance: the Right arrow and Space keys.
    void Continue();
    // Manual advance: a click at (x, y) in slide coordinates; TRUE when it hit the indicator.
    BOOL ClickContinue(int x, int y);
    void SetSoundFinished() { m_Play.bSoundFinished = TRUE; }
    // Waits for the object animations to end and deletes the background brush.
    void Stop();

    int NextSlideIndex(int index) const;
    int PrepareIndex(int index) const;
    // Loads slide i's background and prepares its objects; makes its picture the next background picture.
    BOOL PrepareSlide(int index);

    void SetPack(CProjectPack* pack) { m_pPack = pack; }
    CProjectPack* GetPack() const { return m_pPack; }
    // Where text objects ask for their embedded fonts (may be null: no installation).
    void SetFontInstaller(CShowFontInstaller* installer) { m_pFontInstaller = installer; }

    // The slide at index; outside 0 … 39 an empty slide (no picture, no objects, 3000 ms, no effects).
    CSlide* SlideAt(int index);
    CSlide* CurrentSlide() { return SlideAt(m_Play.nCurrentSlide); }
    int GetWidth() const { return m_Play.nRight - m_Play.nLeft; }
    int GetHeight() const { return m_Play.nBottom - m_Play.nTop; }
    // The frame total of a transition of the slide at the measured tick length (fade-in effect for the
    // doubling of effects 7 and 8, -1 for a fade-out).
    int ComputeFrameTotal(int fadeSpeed, int fadeInEffect) const;
    // 500, 1000, 1500 or 2000 ms for FADESPEED 0 to 3 (limited to that range).
    static int TransitionDuration(int fadeSpeed);

private:
    // Invalidates the slide area and paints it at once (nothing without a window).
    void Repaint();
    // Makes the slide's finished image and stops its objects' playback.
    void EndSlide(int index);
    void MakeFinishedImage(CSlide* slide);
    // Every object of every slide made invisible.
    void HideAllObjects();
    void StepCalibration();
    void StepFadeIn();
    void StepNextObject();
    void StepObjectInsert();
    void StepDisplay();
    void StepSlideEnd();
    void StepPause();
    BOOL StepEnd();
    // Counts a transition frame: the frame total on the first frame, and done once the counter has run
    // far past it, so that a transition whose step rounds to nothing still ends.
    void CountTransitionFrame(int fadeSpeed, int fadeInEffect);
    // TRUE in the states whose frames move the show on: a running transition or an object's entrance.
    BOOL IsSteppedFrame();
    // Composes the frame of such a state into the step's surface, taking what it reports (the transition
    // done, the object arrived).
    void ComposeStepFrame();
    // The frame of the current state drawn into the surface; advance: the frame is the step's own.
    void ComposeFrame(CDC* surface, BOOL advance);
    void PaintSlide(CDC* dc, CSlide* slide, BOOL withObjects);
    void PaintIndicator(CDC* dc);
    void InstallTextFont(CSlideObjSlot* slot);

    Playback m_Play;
    CWnd* m_pWindow;
    CProjectPack* m_pPack;
    CShowFontInstaller* m_pFontInstaller;
    CBrush m_BackgroundBrush;   // the show's background colour
    CPicture* m_pCurrentPicture;
    CPicture* m_pPreviousPicture;
    CPicture* m_pNextPicture;
    CBitmap m_NewSlideBitmap;   // the incoming background at slide size, for the cover effects
    // The frame the last step composed, while its state lasts; paints copy it.
    std::unique_ptr<CSlideMemDC> m_pStepFrame;
    BOOL m_bStepFrameValid;
    BOOL m_bPainting;   // guards against re-entrant painting
    CSlide m_EmptySlide;
};
