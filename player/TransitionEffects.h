// Slide transitions: the fade-in of an entering slide and the fade-out of an ending one, drawn one frame at
// a time into the renderer's off-screen surface. Each frame follows from the frame counter d
// (1, 2, ...), the frame total N, the slide area and the pictures involved. Effect numbers are the indexes
// of the effect name table (0 NONE ... 22 COVER-FORM-OUTSIDE).
#pragma once

#include "framework/win/Framework.h"

class CShowData;
class CPicture;

// What one transition frame draws with. The renderer owns everything here and fills it for each frame.
struct CTransitionFrame
{
    CDC* pDC = nullptr;   // the off-screen surface, filled with the background colour already
    int nLeft = 0;        // slide-area origin: copies of the new-slide bitmap are offset by it
    int nTop = 0;
    int nWidth = 0;                         // W
    int nHeight = 0;                        // H
    int nFrame = 0;                         // d: 1 on the first frame
    int nFrames = 0;                        // N: the frame total (even, at least 8)
    CBrush* pBrush = nullptr;               // solid brush of the show's background colour
    CShowData* pShow = nullptr;             // the slides (fade-outs 13 and 14 clear the next slide's fade-in)
    int nCurrentSlide = 0;                  // the entering slide in a fade-in, the ending one in a fade-out
    int nSlideCount = 0;                    // slides 0 ... count - 1 play
    CPicture* pNewPicture = nullptr;        // the current background picture (the entering slide's)
    CPicture* pPreviousPicture = nullptr;   // the previous background picture; null when there is none
    CBitmap* pNewSlideBitmap = nullptr;     // the incoming background at W x H, made on a cover's first frame
};

class CTransitionEffects
{
public:
    // Draws frame d of fade-in effect 1 ... 22 (state 2 of the renderer). TRUE on the frame where the effect
    // completes: the renderer then sets its transition-done flag. Unknown effects are done at once.
    static BOOL DrawFadeIn(int effect, CTransitionFrame& frame);
    // Draws frame d of fade-out effect 1 ... 22 (state 4 of the renderer); TRUE when complete.
    static BOOL DrawFadeOut(int effect, CTransitionFrame& frame);

    // NextSlideIndex of the renderer: i + 1 while that is below the slide count, else 0.
    static int NextSlideIndex(int index, int slideCount);

    // Drawing operations of the effects.
    // Slide i's background picture into the rectangle; the background brush when i lies outside 0 ... 39
    // or its picture is not loaded.
    static void DrawSlideBackground(CTransitionFrame& frame, int slide, const CRect& rect);
    // Slide i's finished image (its full-size bitmap, or its background picture when it has none) stretched
    // into the rectangle; i below 0 means the last slide of the show.
    static void DrawFinishedImage(CTransitionFrame& frame, int slide, const CRect& rect);
};
