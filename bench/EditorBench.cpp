// editor_bench: the editor program on a large project of 40 slides, each with its own 638 x 466 background
// and 20 objects (10 texts, 5 pictures the slides share, 5 rectangles), made twice: with BMP pictures (about
// 36 MB of pack) and with the same pictures stored as JPEG, as users' photos usually are.
//
//   editor_bench [--repeat n]    prints the medians; exit code 0 when every figure is within its target
//
// Thumbnails, for each of the two projects: opening it until all 40 thumbnails are in their cells, against
// decoding the same 40 backgrounds alone on one thread; meanwhile the user-interface thread answers posted
// messages, and the slowest answer while the worker draws is reported. Saving (the BMP project): the
// document's save (show text, purge, safe save through a temporary file) against a safe copy of the same
// bytes (held in memory, written to a temporary file in the same folder, flushed and moved over a file of
// the pack's size), and, for comparison, against one plain copy of the pack file. Every figure runs
// repeat + 2 times, alternating, warm cache.
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
#include "tests/support/BmpFile.h"

#include <gdiplus.h>

#include <algorithm>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <string>
#include <vector>

namespace
{

const double kBmpThumbnailTarget = 1.8;   // a BMP's decoding is little more than a copy
const double kJpegThumbnailTarget = 2.0;
const double kSaveTarget = 1.25;   // against the safe copy
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

// The pixels of picture seed: no two backgrounds are alike.
std::vector<BYTE> MakePicture(int width, int height, int seed)
{
    return MakeBmp(width, height,
                   [seed](int x, int y) { return RGB((x ^ y) + seed, y + seed * 13, x + seed * 7); });
}

bool WriteBytes(const std::string& path, const BYTE* data, size_t size)
{
    CFile out(path.c_str(), CFile::modeCreate | CFile::modeWrite);
    return out.IsOpen() && out.Write(data, static_cast<UINT>(size));
}

// The platform's JPEG encoder (GDI+), started for the run of the benchmark.
class CJpegEncoder
{
public:
    CJpegEncoder()
    {
        Gdiplus::GdiplusStartupInput input;
        m_bStarted = Gdiplus::GdiplusStartup(&m_token, &input, nullptr) == Gdiplus::Ok;
        UINT count = 0, size = 0;
        if (!m_bStarted || Gdiplus::GetImageEncodersSize(&count, &size) != Gdiplus::Ok || size == 0)
            return;
        std::vector<BYTE> buffer(size);
        auto* codecs = reinterpret_cast<Gdiplus::ImageCodecInfo*>(buffer.data());
        if (Gdiplus::GetImageEncoders(count, size, codecs) != Gdiplus::Ok)
            return;
        for (UINT i = 0; i < count; i++)
            if (wcscmp(codecs[i].MimeType, L"image/jpeg") == 0)
            {
                m_clsid = codecs[i].Clsid;
                m_bFound = true;
            }
    }
    ~CJpegEncoder()
    {
        if (m_bStarted)
            Gdiplus::GdiplusShutdown(m_token);
    }
    // Encodes a BMP file's bytes as a JPEG file at the encoder's default quality.
    bool Write(const std::string& path, const std::vector<BYTE>& bmp)
    {
        if (!m_bFound)
            return false;
        IStream* in = nullptr;
        IStream* out = nullptr;
        bool written = false;
        ULARGE_INTEGER size;
        size.QuadPart = bmp.size();
        if (SUCCEEDED(CreateStreamOnHGlobal(nullptr, TRUE, &in)) && SUCCEEDED(in->SetSize(size)) &&
            in->Write(bmp.data(), static_cast<ULONG>(bmp.size()), nullptr) == S_OK &&
            SUCCEEDED(in->Seek(LARGE_INTEGER{}, STREAM_SEEK_SET, nullptr)) &&
            SUCCEEDED(CreateStreamOnHGlobal(nullptr, TRUE, &out)))
        {
            Gdiplus::Bitmap* picture = Gdiplus::Bitmap::FromStream(in);
            if (picture && picture->GetLastStatus() == Gdiplus::Ok &&
                picture->Save(out, &m_clsid, nullptr) == Gdiplus::Ok)
            {
                STATSTG stat = {};
                LARGE_INTEGER start = {};
                out->Stat(&stat, STATFLAG_NONAME);
                std::vector<BYTE> data(static_cast<size_t>(stat.cbSize.QuadPart));
                ULONG read = 0;
                out->Seek(start, STREAM_SEEK_SET, nullptr);
                written = out->Read(data.data(), static_cast<ULONG>(data.size()), &read) == S_OK &&
                          read == data.size() && WriteBytes(path, data.data(), data.size());
            }
            delete picture;
        }
        if (in)
            in->Release();
        if (out)
            out->Release();
        return written;
    }

private:
    ULONG_PTR m_token = 0;
    bool m_bStarted = false;
    bool m_bFound = false;
    CLSID m_clsid = {};
};

// Writes picture seed as a BMP file, or as a JPEG file when the path ends in ".jpg".
bool WritePicture(const std::string& path, int width, int height, int seed, CJpegEncoder& jpeg)
{
    const std::vector<BYTE> bmp = MakePicture(width, height, seed);
    if (path.size() > 4 && path.compare(path.size() - 4, 4, ".jpg") == 0)
        return jpeg.Write(path, bmp);
    return WriteBytes(path, bmp.data(), bmp.size());
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

// The floor of a safe save: the bytes written to a temporary file beside the target, flushed and moved over
// it in one step.
bool SafeCopy(const std::vector<BYTE>& bytes, const std::string& target)
{
    const std::string temp = target + ".tmp";
    HANDLE file =
        CreateFileA(temp.c_str(), GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS, FILE_ATTRIBUTE_NORMAL, nullptr);
    if (file == INVALID_HANDLE_VALUE)
        return false;
    DWORD written = 0;
    bool ok = WriteFile(file, bytes.data(), static_cast<DWORD>(bytes.size()), &written, nullptr) &&
              written == bytes.size() && FlushFileBuffers(file);
    CloseHandle(file);
    ok = ok && MoveFileExA(temp.c_str(), target.c_str(), MOVEFILE_REPLACE_EXISTING | MOVEFILE_WRITE_THROUGH);
    if (!ok)
        DeleteFileA(temp.c_str());
    return ok;
}

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
    CreateDirectoryA(root.c_str(), nullptr);
    CJpegEncoder jpeg;

    // The two projects, made through the document as the user would make them; each pack also has a copy,
    // for opening the pack that is open already reads nothing.
    struct Project
    {
        const char* name = "";
        const char* extension = "";
        std::string folders[2];
        std::string packs[2];
        ULONGLONG packSize = 0;
        std::vector<double> decodeMs, thumbnailMs, slowestMs;
    };
    Project projects[2];
    const char* letters[2][2] = {{"a", "b"}, {"c", "d"}};
    for (int p = 0; p < 2; p++)
    {
        projects[p].name = p == 0 ? "BMP" : "JPEG";
        projects[p].extension = p == 0 ? ".bmp" : ".jpg";
        for (int copy = 0; copy < 2; copy++)
            projects[p].folders[copy] = root + "\\" + letters[p][copy];
    }
    for (Project& project : projects)
    {
        for (const std::string& folder : project.folders)
            CreateDirectoryA(folder.c_str(), nullptr);
        const std::string& folder = project.folders[0];
        g_projectFolder = folder;
        theApp.OnFileNew();
        if (!doc()->IsProjectOpen())
        {
            std::printf("no project could be made in %s\n", folder.c_str());
            return 2;
        }
        std::vector<std::string> pictures;
        for (int k = 0; k < 5; k++)
        {
            pictures.push_back(folder + "\\object" + std::to_string(k) + project.extension);
            if (!WritePicture(pictures.back(), 80, 60, 100 + k, jpeg))
            {
                std::printf("picture %s could not be written\n", pictures.back().c_str());
                return 2;
            }
        }
        for (int i = 0; i < kSlides; i++)
        {
            std::string background = folder + "\\slide" + std::to_string(i) + project.extension;
            if (!WritePicture(background, kWidth, kHeight, i, jpeg) ||
                !view()->SetSlideImage(i, background.c_str()))
            {
                std::printf("slide %d could not be made\n", i);
                return 2;
            }
            CSlide slide;
            slide.CopyFrom(doc()->GetSlide(i));
            for (int k = 0; k < 20; k++)
            {
                CSlideObjSlot* slot = slide.GetSlot(k);
                int x = 20 + (k % 5) * 120;
                int y = 20 + (k / 5) * 100;
                if (k < 10)
                    slot->CreateText(x, y, "Slide text", "", "Arial", 16, "BOLD", FALSE, FALSE, 0,
                                     RGB(255, 255, 0), 500);
                else if (k < 15)
                    slot->CreateImage(x, y, pictures[k - 10].c_str(), 0, 500, FALSE, 0, 1000, &doc()->GetPack());
                else
                {
                    FrameObjRecord record = {3,           x,
                                             y,           60,
                                             90,          0,
                                             1000,        CFrameObj::FILL_SOLID,
                                             0,           0,
                                             0,           0,
                                             TRUE,        RGB(40, 200, 90),
                                             RGB(0, 0, 0)};
                    slot->CreateRectangle(record);
                }
            }
            doc()->ReplaceSlide(i, slide);
            doc()->AddSlideImagesToPack(i);
        }
        if (!doc()->SaveProject())
        {
            std::printf("the project could not be saved\n");
            return 2;
        }
        for (int copy = 0; copy < 2; copy++)
            project.packs[copy] = project.folders[copy] + "\\VEXUL.VXL";
        CopyFileA(project.packs[0].c_str(), project.packs[1].c_str(), FALSE);
        CFile file(project.packs[0].c_str(), CFile::modeRead);
        project.packSize = file.IsOpen() ? file.GetLength() : 0;
    }

    CPinger pinger;
    std::vector<double> saveMs, safeCopyMs, copyMs;
    for (int run = 0; run < repeat + 2; run++)
    {
        for (Project& project : projects)
        {
            const std::string& pack = project.packs[(run + 1) % 2];
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
            project.thumbnailMs.push_back(NowMs() - opened);
            project.slowestMs.push_back(pinger.Slowest());
            // The message still on its way is answered now, before the next figure would count as its wait.
            while (pinger.Pending() && GetMessageA(&msg, nullptr, 0, 0) > 0)
            {
                TranslateMessage(&msg);
                DispatchMessageA(&msg);
            }

            // The same backgrounds decoded alone, from the pack that is now open.
            double start = NowMs();
            for (int i = 0; i < kSlides; i++)
            {
                int size = 0;
                const BYTE* data =
                    doc()->GetPackEntry(doc()->GetShow().m_Slides[i].m_Background.m_strImageFile, size);
                CPicture picture;
                if (data == nullptr || !picture.LoadFromMemory(data, static_cast<DWORD>(size)) ||
                    !picture.m_bLoaded)
                {
                    std::printf("background %d does not decode\n", i);
                    return 2;
                }
            }
            project.decodeMs.push_back(NowMs() - start);
            if (&project != &projects[0])
                continue;

            // The save of the large project against a safe copy of the bytes it writes, in turns which goes
            // first, and against a plain copy of its pack.
            std::vector<BYTE> bytes;
            {
                CFile file(pack.c_str(), CFile::modeRead);
                bytes.resize(file.IsOpen() ? static_cast<size_t>(file.GetLength()) : 0);
                if (!bytes.empty() && file.Read(bytes.data(), static_cast<UINT>(bytes.size())) != bytes.size())
                    bytes.clear();
            }
            // The safe copy replaces a file of the pack's size that is on disk, as the save replaces the pack.
            const std::string target = root + "\\safecopy.target";
            if (bytes.empty() || (run == 0 && !SafeCopy(bytes, target)))
            {
                std::printf("the pack could not be read\n");
                return 2;
            }
            for (int turn = 0; turn < 2; turn++)
            {
                if ((turn + run) % 2 == 0)
                {
                    doc()->SetModifiedFlag();
                    start = NowMs();
                    if (!doc()->SaveProject())
                    {
                        std::printf("saving failed\n");
                        return 2;
                    }
                    saveMs.push_back(NowMs() - start);
                }
                else
                {
                    start = NowMs();
                    if (!SafeCopy(bytes, target))
                    {
                        std::printf("the safe copy failed\n");
                        return 2;
                    }
                    safeCopyMs.push_back(NowMs() - start);
                }
            }
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
    }

    frame->DestroyWindow();
    RegDeleteTreeA(HKEY_CURRENT_USER, kProfileKey);
    for (const Project& project : projects)
        for (const std::string& folder : project.folders)
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
    DeleteFileA((root + "\\safecopy.target").c_str());
    RemoveDirectoryA(root.c_str());

    bool met = true;
    std::printf("projects of %d slides with 20 objects each (%d runs)\n", kSlides, repeat + 2);
    for (const Project& project : projects)
    {
        const double decode = Median(project.decodeMs), thumbnails = Median(project.thumbnailMs);
        const double slowest = *std::max_element(project.slowestMs.begin(), project.slowestMs.end());
        const double ratio = thumbnails / decode;
        const double target = &project == &projects[0] ? kBmpThumbnailTarget : kJpegThumbnailTarget;
        met = met && ratio <= target;
        std::printf("%s pictures, %llu-byte pack:\n", project.name,
                    static_cast<unsigned long long>(project.packSize));
        std::printf("  40 backgrounds decoded alone:      median %.1f ms\n", decode);
        std::printf("  40 thumbnails after the open:      median %.1f ms\n", thumbnails);
        std::printf("  ratio %.2f (target at most %.1f): %s\n", ratio, target, ratio <= target ? "met" : "OVER");
        std::printf("  slowest answer to a posted message while the worker draws: %.1f ms\n", slowest);
    }
    const double save = Median(saveMs), safeCopy = Median(safeCopyMs), copy = Median(copyMs);
    const double saveRatio = save / safeCopy;
    met = met && saveRatio <= kSaveTarget;
    std::printf("save of the BMP project:             median %.1f ms\n", save);
    std::printf("safe copy of the same bytes:         median %.1f ms\n", safeCopy);
    std::printf("plain copy of the pack:              median %.1f ms\n", copy);
    std::printf("ratio %.2f to the safe copy (target at most %.2f): %s; %.2f to the plain copy\n", saveRatio,
                kSaveTarget, saveRatio <= kSaveTarget ? "met" : "OVER", save / copy);
    return met ? 0 : 1;
}
