// showtext_bench: the cost of reading a show text with the show model (CShowData::ReadShowText), against one
// plain pass over the same text that splits it into lines.
//
//   - the largest show the format holds (40 slides of 50 objects each): its read at most 10 x the pass;
//   - texts made to be slow (keys that are not there, many half headers, runs that share the tails of the
//     keys asked for) against a valid show text of the same size: about the same time. A text can name
//     all 2000 objects in 64 KB (a valid one holds about 200 there), and reading 2000 objects costs what the
//     largest show costs: such a text is held to that instead when it is the larger figure.
//
// Every figure is the median of the repeats; ratios are taken within one run.
#include "bench/BenchClock.h"
#include "framework/win/Framework.h"
#include "show/FontEmbedding.h"
#include "show/ShowData.h"
#include "show/ShowText.h"

#include <algorithm>
#include <cstdio>
#include <cstring>
#include <functional>
#include <string>
#include <vector>

namespace
{

const double kMaxShowRatio = 10.0;   // the maximal show's read against one plain pass
const double kCraftedRatio = 2.0;    // a crafted text against a valid one of its size

template <class F>
double TimeMs(F run)
{
    double start = NowMs();
    run();
    return NowMs() - start;
}

// Times the runs in turns, repeat times; returns each one's median time and the median ratio of each run's
// time to the first one's: a machine whose load changes during the run changes both sides of a ratio alike.
std::vector<std::pair<double, double>> TimeInTurns(int repeat, const std::vector<std::function<void()>>& runs)
{
    std::vector<std::vector<double>> times(runs.size()), ratios(runs.size());
    for (int i = 0; i < repeat; ++i)
        for (size_t k = 0; k < runs.size(); ++k)
        {
            times[k].push_back(TimeMs(runs[k]));
            ratios[k].push_back(times[k].back() / std::max(times[0].back(), 1e-6));
        }
    std::vector<std::pair<double, double>> result;
    for (size_t k = 0; k < runs.size(); ++k)
        result.push_back({Median(times[k]), Median(ratios[k])});
    return result;
}

// The plain pass: the text split at its line ends into a vector of lines.
size_t SplitLines(const std::string& text)
{
    std::vector<std::string> lines;
    size_t start = 0;
    for (size_t end = text.find("\r\n"); end != std::string::npos; end = text.find("\r\n", start))
    {
        lines.emplace_back(text, start, end - start);
        start = end + 2;
    }
    lines.emplace_back(text, start);
    return lines.size();
}

// Reads the text with the show model; returns the number of objects read (so that nothing is left out).
int ReadShow(const std::string& text)
{
    CShowData show;
    show.SetDefaults();
    show.ReadShowText(ShowText::ENTRY_NAME, text.c_str(), static_cast<int>(text.size()) + 1);
    int objects = 0;
    for (int i = 0; i < CShowData::MaxSlides; ++i)
        objects += show.m_Slides[i].CountUsedObjects();
    return objects;
}

// A show of the given slides with 50 objects each (texts, pictures and rectangles in turn), as the model
// writes it.
std::string MakeShowText(int slides)
{
    CShowData show;
    show.SetDefaults();
    show.m_strShowVersion = "010000";
    show.m_nWindowWidth = 640;
    show.m_nWindowHeight = 480;
    show.m_strTitle = "The largest show";
    for (int i = 0; i < slides; ++i)
    {
        CSlide& slide = show.m_Slides[i];
        slide.m_Background.m_strImageFile.Format("slide%02d.bmp", i);
        slide.m_Background.m_nDelay = 3000 + i;
        for (int j = 0; j < CSlide::MaxObjects; ++j)
        {
            CSlideObjSlot& slot = *slide.GetSlot(j);
            switch (j % 3)
            {
            case 0:
                slot.CreateText(10 + j, 20 + j, "A line of text on the slide", "Typewriter", "Tahoma", 24, "BOLD",
                                FALSE, FALSE, 1, RGB(255, 255, 255), 50);
                break;
            case 1:
                slot.CreateImage(30 + j, 40 + j, "picture.bmp", 1, 50, TRUE, RGB(255, 0, 255), 1000, nullptr);
                break;
            default:
            {
                FrameObjRecord r = {};
                r.nKind = CSlideObjSlot::KIND_RECTANGLE;
                r.nX = j;
                r.nY = 2 * j;
                r.nWidth = 200;
                r.nHeight = 100;
                r.nAnimation = 1;
                r.nSpeed = 1000;
                r.nFillMode = 1;
                r.nLight = 40;
                r.bFrame = TRUE;
                r.crFill = RGB(255, 210, 60);
                r.crFrame = RGB(255, 255, 255);
                slot.CreateRectangle(r);
                break;
            }
            }
        }
    }
    CFontNameList fonts;
    show.m_pFontCollector = &fonts;
    int length = 0;
    const char* text = show.BuildShowText(ShowText::ENTRY_NAME, "", &length);
    show.m_pFontCollector = nullptr;
    return text ? std::string(text, static_cast<size_t>(length)) : std::string();
}

// Grows a text to the size with lines that no read asks for, before its sections.
std::string PadFront(std::string text, size_t size)
{
    std::string filler;
    while (filler.size() + text.size() < size)
        filler += "\r\nNOTHING-TO-SEE=" + std::string(60, 'N');
    return filler + text;
}

// Every slide names all its objects, but none of their keys is there: every read of the show misses.
std::string CraftedMissingKeys(size_t size)
{
    std::string sheets;
    for (int i = 0; i < CShowData::MaxSlides; ++i)
    {
        char line[64];
        snprintf(line, sizeof(line), "\r\n[SHEET%02d]\r\nIMAGE-FILE=s.bmp\r\n", i);
        sheets += line;
        for (int j = 0; j < CSlide::MaxObjects; ++j)
        {
            snprintf(line, sizeof(line), "OBJ%02d=TEXT%02d\r\n", j, j);
            sheets += line;
        }
    }
    return PadFront("\r\n[SHOW]\r\nVERSION=010000\r\n" + sheets, size);
}

// Headers that never close, one after another.
std::string CraftedHalfHeaders(size_t size)
{
    std::string text = "\r\n[SHOW]\r\nVERSION=010000\r\n";
    for (int i = 0; text.size() < size; ++i)
    {
        char line[32];
        snprintf(line, sizeof(line), "\r\n[SHEET%02d", i % 40);
        text += line;
    }
    return text;
}

// One slide whose body is runs that all end with the keys its objects are read by.
std::string CraftedSharedTails(size_t size)
{
    std::string text = "\r\n[SHOW]\r\nVERSION=010000\r\n\r\n[SHEET00]\r\nIMAGE-FILE=s.bmp\r\n";
    for (int j = 0; j < CSlide::MaxObjects; ++j)
    {
        char line[32];
        snprintf(line, sizeof(line), "OBJ%02d=TEXT%02d\r\n", j, j);
        text += line;
    }
    for (int k = 0; text.size() < size; ++k)
    {
        char key[32];
        snprintf(key, sizeof(key), "TEXT%02d_FONTNAME=", k % 50);
        text += std::string(static_cast<size_t>(k % 997), 'Q') + key + "1\r\n";
    }
    return text;
}

int g_nMissed = 0;

}   // namespace

int main(int argc, char** argv)
{
    const int repeat = RepeatArgument(argc, argv, 5);

    const std::string largest = MakeShowText(CShowData::MaxSlides);
    if (largest.empty() || ReadShow(largest) != CShowData::MaxSlides * CSlide::MaxObjects)
    {
        fprintf(stderr, "showtext_bench: the largest show does not read back whole\n");
        return 2;
    }
    const auto plain = TimeInTurns(repeat, {[&] { SplitLines(largest); }, [&] { ReadShow(largest); }});
    const double read = plain[1].first;
    printf("showtext_bench: reading show texts with the show model (medians of %d, timed in turns)\n\n", repeat);
    printf("The largest show: %d slides x %d objects, %u bytes of show text\n", CShowData::MaxSlides,
           CSlide::MaxObjects, static_cast<unsigned>(largest.size()));
    printf("  %-44s %9.2f ms\n", "one plain pass splitting it into lines", plain[0].first);
    const bool readOk = plain[1].second <= kMaxShowRatio;
    g_nMissed += readOk ? 0 : 1;
    printf("  %-44s %9.2f ms  %6.2f x the plain pass (at most %.0f x)%s\n", "read", read, plain[1].second,
           kMaxShowRatio, readOk ? "" : "  OVER");

    printf("\nCrafted texts against a valid show text of the same size (at most %.0f x), or against the largest\n"
           "show (at most 1 x) where that is the larger bound\n",
           kCraftedRatio);
    for (size_t size : {size_t(64) * 1024, size_t(256) * 1024, largest.size()})
    {
        // A valid show of about the size: as many slides as fit, padded to the size.
        int slides = 1;
        while (slides < CShowData::MaxSlides && MakeShowText(slides + 1).size() <= size)
            ++slides;
        const std::string valid = PadFront(MakeShowText(slides), size);
        char what[64];
        snprintf(what, sizeof(what), "%u bytes: valid show (%d slides)", static_cast<unsigned>(size), slides);
        bool printed = false;
        const std::pair<const char*, std::string> crafted[] = {
            {"keys that are not there", CraftedMissingKeys(size)},
            {"half headers", CraftedHalfHeaders(size)},
            {"runs sharing the tails of keys", CraftedSharedTails(size)}};
        for (const auto& c : crafted)
        {
            const auto t = TimeInTurns(
                repeat, {[&] { ReadShow(valid); }, [&] { ReadShow(c.second); }, [&] { ReadShow(largest); }});
            if (!printed)
                printf("  %-44s %9.2f ms\n", what, t[0].first);
            printed = true;
            // The crafted text against the valid one, and against the largest show (its ratio to the valid
            // one over the largest show's).
            const double toValid = t[1].second, toLargest = t[1].second / std::max(t[2].second, 1e-6);
            const bool ok = toValid <= kCraftedRatio || toLargest <= 1.0;
            g_nMissed += ok ? 0 : 1;
            snprintf(what, sizeof(what), "%u bytes: %s", static_cast<unsigned>(c.second.size()), c.first);
            printf("  %-44s %9.2f ms  %5.2f x the valid one, %4.2f x the largest%s\n", what, t[1].first, toValid,
                   toLargest, ok ? "" : "  OVER");
        }
    }
    if (g_nMissed)
    {
        printf("\n%d figure(s) over target\n", g_nMissed);
        return 1;
    }
    printf("\nevery figure within target\n");
    return 0;
}
