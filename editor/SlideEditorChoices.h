// What the user chose in the slide editor to carry out over the whole show: the dialog fills it, the
// document carries it out.
#pragma once

struct SlideEditorChoices
{
    int bBackgroundAllSlides;   // the background settings to every slide
    int bTextAllSlides;         // the text settings to every text of every slide
    int bTextThisSlide;         // ... of this slide
    int bImageAllSlides;        // the image settings to every image object of every slide
    int bImageThisSlide;        // ... of this slide
};
