#include "editor/ThumbnailWorker.h"

#include <objbase.h>
#include <process.h>

CThumbnailSnapshot::CThumbnailSnapshot() : pack(std::make_unique<CProjectPack>())
{
}

namespace
{

void CopyEntry(const CString& name, const CProjectPack& source, CProjectPack& target)
{
    if (name.IsEmpty() || target.FindEntry(name) >= 0)
        return;
    int size = 0;
    const BYTE* data = source.GetEntryData(name, size);
    if (data != nullptr)
        target.AddData(CProjectPack::MakeEntryName(name), data, size);
}

}   // namespace

void CThumbnailSnapshot::Add(int cell, UINT revision, const CSlide& slide, int slideWidth, int slideHeight,
                             const CProjectPack& source)
{
    CThumbnailJob job;
    job.cell = cell;
    job.revision = revision;
    job.slide = std::make_unique<CSlide>();
    job.slide->CopyFrom(slide);
    job.slide->SetSize(slideWidth, slideHeight);
    CopyEntry(slide.m_Background.m_strImageFile, source, *pack);
    for (int i = 0; i < CSlide::MaxObjects; i++)
    {
        const CSlideObjSlot* slot = slide.GetSlot(i);
        if (slot != nullptr && slot->m_bUsed && slot->m_nKind == CSlideObjSlot::KIND_IMAGE)
            CopyEntry(slot->m_Image.m_strFile, source, *pack);
    }
    jobs.push_back(std::move(job));
}

CThumbnailResult RenderThumbnail(CThumbnailPainter& painter, CSlide& slide, int width, int height)
{
    CThumbnailResult result;
    auto bitmap = std::make_unique<CBitmap>();
    if (painter.Paint(slide, width, height, bitmap.get()))
        result.bitmap = std::move(bitmap);
    const CSize background = painter.GetPaintedBackgroundSize();
    result.pictureWidth = background.cx;
    result.pictureHeight = background.cy;
    return result;
}

CThumbnailWorker::CThumbnailWorker() = default;

CThumbnailWorker::~CThumbnailWorker()
{
    Stop();
}

BOOL CThumbnailWorker::Start(CThumbnailSnapshot snapshot, int width, int height, HWND notify, UINT message)
{
    Stop();
    m_snapshot = std::move(snapshot);
    m_nWidth = width;
    m_nHeight = height;
    m_hWndNotify = notify;
    m_nMessage = message;
    m_nDrawn = 0;
    // Cleared by the owner before the thread can run: a stop asked for from now on is never lost.
    m_stop = false;
    unsigned id = 0;
    uintptr_t handle = _beginthreadex(nullptr, 0, &CThumbnailWorker::ThreadMain, this, CREATE_SUSPENDED, &id);
    if (handle == 0)
    {
        m_snapshot = CThumbnailSnapshot();
        return FALSE;
    }
    m_hThread = reinterpret_cast<HANDLE>(handle);
    m_busy = true;
    ResumeThread(m_hThread);
    return TRUE;
}

void CThumbnailWorker::Stop()
{
    if (m_hThread == nullptr)
        return;
    m_stop = true;
    Join();
}

void CThumbnailWorker::Join()
{
    for (;;)
    {
        DWORD wait = MsgWaitForMultipleObjects(1, &m_hThread, FALSE, INFINITE, QS_SENDMESSAGE);
        if (wait != WAIT_OBJECT_0 + 1)
            break;
        // Only the messages sent to this thread's windows; posted ones wait for the loop.
        MSG msg;
        PeekMessageA(&msg, nullptr, 0, 0, PM_NOREMOVE | PM_QS_SENDMESSAGE);
    }
    CloseHandle(m_hThread);
    m_hThread = nullptr;
    m_busy = false;
    // The copies are the worker's no more; they go here, on the owner's thread.
    m_snapshot = CThumbnailSnapshot();
}

BOOL CThumbnailWorker::IsRunning() const
{
    return m_hThread != nullptr && WaitForSingleObject(m_hThread, 0) == WAIT_TIMEOUT;
}

std::vector<CThumbnailResult> CThumbnailWorker::TakeResults()
{
    std::lock_guard<std::mutex> lock(m_mutex);
    std::vector<CThumbnailResult> results;
    results.swap(m_results);
    return results;
}

unsigned __stdcall CThumbnailWorker::ThreadMain(void* parameter)
{
    static_cast<CThumbnailWorker*>(parameter)->Run();
    return 0;
}

void CThumbnailWorker::Run()
{
    HRESULT com = CoInitializeEx(nullptr, COINIT_MULTITHREADED);
    {
        // The painter's pictures and drawing objects are made on this thread and released here too.
        CThumbnailPainter painter(m_snapshot.pack.get());
        for (CThumbnailJob& job : m_snapshot.jobs)
        {
            if (m_stop)
                break;
            CThumbnailResult result = RenderThumbnail(painter, *job.slide, m_nWidth, m_nHeight);
            result.cell = job.cell;
            result.revision = job.revision;
            // The pictures were decoded on this thread: they are released here too.
            job.slide.reset();
            AfxDeleteTempMaps();
            {
                std::lock_guard<std::mutex> lock(m_mutex);
                m_results.push_back(std::move(result));
            }
            ++m_nDrawn;
            PostMessageA(m_hWndNotify, m_nMessage, static_cast<WPARAM>(job.cell), 0);
        }
    }
    for (CThumbnailJob& job : m_snapshot.jobs)
        job.slide.reset();
    AfxDeleteTempMaps();
    if (SUCCEEDED(com))
        CoUninitialize();
    m_busy = false;
}
