// editor_bench: the editor program on a large project of 40 slides, each with its own 638 x 466 background
// and 20 objects (10 texts, 5 pictures, 5 rectangles), about 36 MB of pack.
//
//   editor_bench [--repeat n]    prints the medians; exit code 0 when every figure is within its target
//
// Thumbnails: opening the project until all 40 thumbnails are in their cells, against decoding the same 40
// backgrounds alone on one thread; meanwhile the user-interface thread answers posted messages, and the
// slowest answer while the worker draws is reported. Saving: the document's save (show text, purge, safe
// save through a temporary file) against one plain copy of the pack file. Every figure runs repeat + 2
// times, alternating, warm cache.
#include "bench/BenchClock.h"
#include "editor/FileHelpers.h"
#include "editor/MainFrame.h"
#include "editor/ProjectWizard.h"
#include "editor/ProjectWizardRunner.h"
#include "editor/VexulCreatorApp.h"
#include "editor/VexulCreatorDoc.h"
#include "editor/VexulCreatorView.h"
#include "framework/core/MessageBox.h"
#include "resources/editor/resource.h"
#include "show/Language.h"
#include "show/Picture.h"
#include "tests/support/win_BmpFile.h"

#include <algorithm>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <string>
#include <vector>

namespace
{

const double kThumbnailTarget = 2.0;
const double kSaveTarget = 3.0;
const int kSlides = 40;
const DWORD kPingInterval = 5;   // ms between the posted messages whose answers are timed
const int kWidth = 638;
const int kHeight = 466;
const char kProfileKey[] = "Software\\VexulBench\\VexulCreator V2";

std::string g_projectFolder;

BOOL AnswerWizard(int mode, CProjectSettings& settings, int&, BOOL, const char*, const char*)
{
    if (mode == PROJECT_WIZARD_NEW)
        settings.SetFolder(g_projectFolder.c_str());
    return TRUE;
}

// A 24-bit BMP whose pixels depend on the seed, so that no two backgrounds are alike.
bool WriteBmp(const std::string& path, int width, int height, int seed)
{
    const std::vector<BYTE> data =
        MakeBmp(width, height, [seed](int x, int y) { return RGB((x ^ y) + seed, y + seed * 13, x + seed * 7); });
    CFile out(path.c_str(), CFile::modeCreate | CFile::modeWrite);
    return out.IsOpen() && out.Write(data.data(), static_cast<UINT>(data.size()));
}

// Answers posted messages and records how long each one waited in the queue.
class CPinger
{
public:
    CPinger()
    {
        m_hWnd = CreateWindowExA(0, "STATIC", nullptr, 0, 0, 0, 0, 0, HWND_MESSAGE, nullptr, nullptr, nullptr);
        SetWindowLongPtrA(m_hWnd, GWLP_USERDATA, reinterpret_cast<LONG_PTR>(this));
        SetWindowLongPtrA(m_hWnd, GWLP_WNDPROC, reinterpret_cast<LONG_PTR>(Proc));
    }
    ~CPinger() { DestroyWindow(m_hWnd); }
    // Posts the next message unless one is on its way.
    void Ping()
    {
        if (m_bPending)
            return;
        m_bPending = true;
        m_posted = NowMs();
        PostMessageA(m_hWnd, WM_APP + 7, 0, 0);
    }
    void Reset()
    {
        m_slowest = 0;
        m_answers = 0;
    }
    bool Pending() const { return m_bPending; }
    double Slowest() const { return m_slowest; }
    int Answers() const { return m_answers; }

private:
    static LRESULT CALLBACK Proc(HWND hWnd, UINT message, WPARAM wParam, LPARAM lParam)
    {
        CPinger* self = reinterpret_cast<CPinger*>(GetWindowLongPtrA(hWnd, GWLP_USERDATA));
        if (message == WM_APP + 7 && self != nullptr)
        {
            self->m_slowest = std::max(self->m_slowest, NowMs() - self->m_posted);
            self->m_answers++;
            self->m_bPending = false;
            return 0;
        }
        return DefWindowProcA(hWnd, message, wParam, lParam);
    }
    HWND m_hWnd;
    bool m_bPending = false;
    double m_posted = 0;
    double m_slowest = 0;
    int m_answers = 0;
};

bool AllThumbnailsIn(CVexulCreatorView* view)
{
    if (view->IsRenderingThumbnails() || view->GetSlideCount() != kSlides)
        return false;
    for (int i = 0; i < kSlides; i++)
        if (view->GetCellBitmap(i) == nullptr)
            return false;
    return true;
}

}   // namespace

int main(int argc, char** argv)
{
    const int repeat = RepeatArgument(argc, argv, 3);

    AfxWinInit(GetModuleHandleA(nullptr), nullptr, GetCommandLineA(), SW_SHOWNORMAL);
    SetLanguage(LETTER_ENGLISH);
    CMessageBoxRecorder boxes(IDNO);   // "Save changes?" and the like: no
    theApp.SetRegistryKey("VexulBench");
    RegDeleteTreeA(HKEY_CURRENT_USER, kProfileKey);
    theApp.WriteProfileInt("SETTINGS", "DI_SHOWIMAGEINFO", 1);
    theApp.InitOwnVersion();   // the show text carries it; a show without one does not open
    theApp.AddDocTemplate(new CSingleDocTemplate(IDR_MAINFRAME, RUNTIME_CLASS(CVexulCreatorDoc),
                                                 RUNTIME_CLASS(CMainFrame), RUNTIME_CLASS(CVexulCreatorView)));
    SetProjectWizardHandler(&AnswerWizard);
    theApp.OnFileNew();   // the editor's start: a frame without a project
    theApp.m_nStarted = 1;
    CFrameWnd* frame = static_cast<CFrameWnd*>(theApp.m_pMainWnd);
    if (frame == nullptr)
    {
        std::printf("the editor's frame could not be made\n");
        return 2;
    }
    frame->ShowWindow(SW_SHOW);
    auto view = [&] { return static_cast<CVexulCreatorView*>(frame->GetActiveView()); };
    auto doc = [&] { return static_cast<CVexulCreatorDoc*>(frame->GetActiveDocument()); };

    char temp[MAX_PATH];
    GetTempPathA(sizeof(temp), temp);
    const std::string root = std::string(temp) + "vxeditorbench";
    const std::string folders[2] = {root + "\\a", root + "\\b"};
    CreateDirectoryA(root.c_str(), nullptr);
    for (const std::string& folder : folders)
        CreateDirectoryA(folder.c_str(), nullptr);

    // The project, made through the document as the user would make it.
    g_projectFolder = folders[0];
    theApp.OnFileNew();
    if (!doc()->m_bProjectOpen)
    {
        std::printf("no project could be made in %s\n", folders[0].c_str());
        return 2;
    }
    std::vector<std::string> pictures;
    for (int k = 0; k < 5; k++)
    {
        pictures.push_back(folders[0] + "\\object" + std::to_string(k) + ".bmp");
        WriteBmp(pictures.back(), 80, 60, 100 + k);
    }
    for (int i = 0; i < kSlides; i++)
    {
        std::string background = folders[0] + "\\slide" + std::to_string(i) + ".bmp";
        if (!WriteBmp(background, kWidth, kHeight, i) || !view()->SetSlideImage(i, background.c_str()))
        {
            std::printf("slide %d could not be made\n", i);
            return 2;
        }
        CSlide& slide = doc()->m_Show.m_Slides[i];
        for (int k = 0; k < 20; k++)
        {
            CSlideObjSlot* slot = slide.GetSlot(k);
            int x = 20 + (k % 5) * 120;
            int y = 20 + (k / 5) * 100;
            if (k < 10)
                slot->CreateText(x, y, "Slide text", "", "Arial", 16, "BOLD", FALSE, FALSE, 0, RGB(255, 255, 0),
                                 500);
            else if (k < 15)
                slot->CreateImage(x, y, pictures[k - 10].c_str(), 0, 500, FALSE, 0, 1000, &doc()->m_Pack);
            else
            {
                FrameObjRecord record = {
                    3,           x, y, 60, 90, 0, 1000, CFrameObj::FILL_SOLID, 0, 0, 0, 0, TRUE, RGB(40, 200, 90),
                    RGB(0, 0, 0)};
                slot->CreateRectangle(record);
            }
        }
        doc()->AddSlideImagesToPack(i);
    }
    if (!doc()->SaveProject())
    {
        std::printf("the project could not be saved\n");
        return 2;
    }
    const std::string packs[2] = {folders[0] + "\\VEXUL.VXL", folders[1] + "\\VEXUL.VXL"};
    CopyFileA(packs[0].c_str(), packs[1].c_str(), FALSE);
    ULONGLONG packSize = 0;
    {
        CFile file(packs[0].c_str(), CFile::modeRead);
        packSize = file.IsOpen() ? file.GetLength() : 0;
    }

    CPinger pinger;
    std::vector<double> decodeMs, openMs, thumbnailMs, slowestMs, saveMs, copyMs;
    for (int run = 0; run < repeat + 2; run++)
    {
        // Another copy each time: opening the pack that is open already reads nothing.
        const std::string& pack = packs[(run + 1) % 2];
        double start = NowMs();
        if (!theApp.OpenDocumentFile(pack.c_str()))
        {
            std::printf("%s could not be opened\n", pack.c_str());
            return 2;
        }
        double opened = NowMs();
        pinger.Reset();
        MSG msg;
        // A message every few milliseconds, as a user's input would come; a stream without pause would keep
        // the system's message queue busy and slow the worker down.
        double lastPing = 0;
        while (!AllThumbnailsIn(view()))
        {
            if (!pinger.Pending() && NowMs() - lastPing >= kPingInterval)
            {
                pinger.Ping();
                lastPing = NowMs();
            }
            MsgWaitForMultipleObjects(0, nullptr, FALSE, kPingInterval, QS_ALLINPUT);
            while (PeekMessageA(&msg, nullptr, 0, 0, PM_REMOVE))
            {
                TranslateMessage(&msg);
                DispatchMessageA(&msg);
            }
        }
        double drawn = NowMs();
        openMs.push_back(drawn - start);
        thumbnailMs.push_back(drawn - opened);
        slowestMs.push_back(pinger.Slowest());
        // The message still on its way is answered now, before the time of the save would count as its wait.
        while (pinger.Pending() && GetMessageA(&msg, nullptr, 0, 0) > 0)
        {
            TranslateMessage(&msg);
            DispatchMessageA(&msg);
        }

        // The same backgrounds decoded alone, from the pack that is now open.
        start = NowMs();
        for (int i = 0; i < kSlides; i++)
        {
            int size = 0;
            const BYTE* data = doc()->GetPackEntry(doc()->m_Show.m_Slides[i].m_Background.m_strImageFile, size);
            CPicture picture;
            if (data == nullptr || !picture.LoadFromMemory(data, static_cast<DWORD>(size)))
            {
                std::printf("background %d does not decode\n", i);
                return 2;
            }
        }
        decodeMs.push_back(NowMs() - start);

        doc()->SetModifiedFlag();
        start = NowMs();
        if (!doc()->SaveProject())
        {
            std::printf("saving failed\n");
            return 2;
        }
        saveMs.push_back(NowMs() - start);
        const std::string copy = pack + ".copy";
        start = NowMs();
        BOOL copied = CopyFileA(pack.c_str(), copy.c_str(), FALSE);
        copyMs.push_back(NowMs() - start);
        DeleteFileA(copy.c_str());
        if (!copied)
        {
            std::printf("the plain copy failed\n");
            return 2;
        }
    }

    frame->DestroyWindow();
    RegDeleteTreeA(HKEY_CURRENT_USER, kProfileKey);
    for (const std::string& folder : folders)
    {
        WIN32_FIND_DATAA found;
        HANDLE search = FindFirstFileA((folder + "\\*").c_str(), &found);
        if (search != INVALID_HANDLE_VALUE)
        {
            do
                DeleteFileA((folder + "\\" + found.cFileName).c_str());
            while (FindNextFileA(search, &found));
            FindClose(search);
        }
        RemoveDirectoryA(folder.c_str());
    }
    RemoveDirectoryA(root.c_str());

    const double decode = Median(decodeMs), thumbnails = Median(thumbnailMs), open = Median(openMs);
    const double slowest = *std::max_element(slowestMs.begin(), slowestMs.end());
    const double save = Median(saveMs), copy = Median(copyMs);
    const double thumbnailRatio = thumbnails / decode;
    const double saveRatio = save / copy;
    std::printf("project of %d slides with 20 objects each, %llu-byte pack (%d runs)\n", kSlides,
                static_cast<unsigned long long>(packSize), repeat + 2);
    std::printf("40 backgrounds decoded alone:        median %.1f ms\n", decode);
    std::printf("40 thumbnails after the open:        median %.1f ms (open and thumbnails %.1f ms)\n", thumbnails,
                open);
    std::printf("ratio %.2f (target at most %.1f): %s\n", thumbnailRatio, kThumbnailTarget,
                thumbnailRatio <= kThumbnailTarget ? "met" : "OVER");
    std::printf("slowest answer to a posted message while the worker draws: %.1f ms\n", slowest);
    std::printf("save:                                median %.1f ms\n", save);
    std::printf("plain copy of the pack:              median %.1f ms\n", copy);
    std::printf("ratio %.2f (target at most %.1f): %s\n", saveRatio, kSaveTarget,
                saveRatio <= kSaveTarget ? "met" : "OVER");
    return thumbnailRatio <= kThumbnailTarget && saveRatio <= kSaveTarget ? 0 : 1;
}
