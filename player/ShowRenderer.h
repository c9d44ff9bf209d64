// CShowRenderer plays a loaded show: it is the in-memory show itself, extended by a playback state machine
// that the main dialog steps once per frame-clock tick with the show clock in milliseconds, and a paint
// operation that composes the current frame off screen and copies it into the slide window.
#pragma once

#include "show/ShowData.h"

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
    enum
    {
        EffectNone = 0,
        EffectRotateRight = 13,
        EffectRotateBottom = 14
    };

    CShowRenderer();
    ~CShowRenderer() override;

    // Reads the show text (the pack's "VEXUL.INI" entry); loaded = its SHOW VERSION is not empty.
    BOOL Load(const char* showPath, BYTE* data, int size);
    // Prepares playback on the slide window's client area; returns ready (slide 0 has an image).
    BOOL Start(int left, int top, int right, int bottom, int x0, int y0, CWnd* window, int framePeriod);
    // Makes a slide current and enters calibration.
    void GoToSlide(int index);
    // Advances the state machine; TRUE while the frame clock is to be re-armed.
    BOOL Step(int now);
    // Draws the current frame.
    void Paint(CDC* dc);
    // Manual advance: the Right arrow and Space keys.
    void Continue();
    // Manual advance: a click at (x, y) in slide coordinates; TRUE when it hit the indicator.
    BOOL ClickContinue(int x, int y);
    void SetSoundFinished() { m_bSoundFinished = TRUE; }
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
    CSlide* CurrentSlide() { return SlideAt(m_nCurrentSlide); }
    int GetWidth() const { return m_nRight - m_nLeft; }
    int GetHeight() const { return m_nBottom - m_nTop; }
    // The frame total of a transition of the slide at the measured tick length (fade-in effect for the
    // doubling of effects 7 and 8, -1 for a fade-out).
    int ComputeFrameTotal(int fadeSpeed, int fadeInEffect) const;
    // 500, 1000, 1500 or 2000 ms for FADESPEED 0 to 3 (limited to that range).
    static int TransitionDuration(int fadeSpeed);

    // Slide area and origin.
    int m_nLeft, m_nTop, m_nRight, m_nBottom;
    int m_nX0, m_nY0;
    CWnd* m_pWindow;
    CProjectPack* m_pPack;
    CShowFontInstaller* m_pFontInstaller;

    BOOL m_bReady;
    BOOL m_bLoaded;
    int m_nSlideCount;
    CBrush m_BackgroundBrush;

    int m_nState;
    int m_nCurrentSlide;
    int m_nCurrentObject;
    int m_nNow;
    int m_nPhaseStart;
    int m_nObjectStart;
    int m_nPauseStart;
    int m_nFrameCounter;
    int m_nFrameTotal;
    BOOL m_bTransitionDone;
    int m_nTransitionBase;
    int m_nTransitionDuration;
    int m_nPauseLength;
    int m_nObjectAnimParam;
    int m_nFramePeriod;
    int m_nObjectStep;
    BOOL m_bObjectDone;
    int m_nTickCount;
    int m_nFirstTime;
    int m_nLastTime;
    int m_nTickLength;
    BOOL m_bSoundFinished;

    CPicture* m_pCurrentPicture;
    CPicture* m_pPreviousPicture;
    CPicture* m_pNextPicture;
    CBitmap m_NewSlideBitmap;

    BOOL m_bManualAdvance;
    int m_nAdvanceState;
    int m_nIndicatorCounter;
    CRect m_rcIndicator;
    BOOL m_bPainting;

protected:
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
    void PaintSlide(CDC* dc, CSlide* slide, BOOL withObjects);
    void PaintIndicator(CDC* dc);
    void InstallTextFont(CSlideObjSlot* slot);

    CSlide m_EmptySlide;
};
