#include "framework/core/MessageBox.h"

#include <atomic>

namespace
{

std::mutex g_recordMutex;
std::vector<VxMessageBoxRecord> g_recorded;

std::mutex g_recorderMutex;
CMessageBoxRecorder* g_recorder = nullptr;

int DefaultHandler(const char* text, const char* caption, unsigned type)
{
#ifdef _WIN32
    // Owned by the active window so that the box is modal to it and stays in front.
    HWND owner = GetActiveWindow();
    return MessageBoxA(owner, AfxBreakLongRuns(text ? text : "").c_str(), caption, type);
#else
    std::lock_guard<std::mutex> lock(g_recordMutex);
    g_recorded.push_back({text ? text : "", caption ? caption : "", type});
    return AfxDefaultMessageBoxAnswer(type);
#endif
}

std::atomic<AfxMessageBoxHandler> g_handler{&DefaultHandler};

}   // namespace

std::string AfxBreakLongRuns(const std::string& text)
{
    const size_t kBreakAfterSeparator = 60;
    const size_t kLongest = 80;
    std::string broken;
    size_t run = 0;   // characters since the last blank or line break
    for (size_t i = 0; i < text.size(); i++)
    {
        const char c = text[i];
        broken += c;
        run = (c == ' ' || c == '\n' || c == '\t') ? 0 : run + 1;
        const bool more = i + 1 < text.size() && text[i + 1] != ' ' && text[i + 1] != '\n';
        if (more && (run >= kLongest || (run >= kBreakAfterSeparator && (c == '\\' || c == '/'))))
        {
            broken += '\n';
            run = 0;
        }
    }
    return broken;
}

int AfxCoreMessageBox(const char* text, const char* caption, unsigned type)
{
    AfxMessageBoxHandler handler = g_handler.load();
    return handler(text, caption, type);
}

AfxMessageBoxHandler AfxSetMessageBoxHandler(AfxMessageBoxHandler handler)
{
    AfxMessageBoxHandler previous = g_handler.exchange(handler ? handler : &DefaultHandler);
    return previous;
}

int AfxDefaultMessageBoxAnswer(unsigned type)
{
    static const int buttons[][3] = {
        {IDOK, IDOK, IDOK},                   // MB_OK
        {IDOK, IDCANCEL, IDCANCEL},           // MB_OKCANCEL
        {IDABORT, IDRETRY, IDIGNORE},         // MB_ABORTRETRYIGNORE
        {IDYES, IDNO, IDCANCEL},              // MB_YESNOCANCEL
        {IDYES, IDNO, IDNO},                  // MB_YESNO
        {IDRETRY, IDCANCEL, IDCANCEL},        // MB_RETRYCANCEL
        {IDCANCEL, IDTRYAGAIN, IDCONTINUE},   // MB_CANCELTRYCONTINUE
    };
    unsigned kind = type & 0x0F;
    if (kind > 6)
        return IDOK;
    unsigned def = (type >> 8) & 0x0F;   // MB_DEFBUTTON1..4 -> 0..3
    if (def > 2)
        def = 2;
    return buttons[kind][def];
}

std::vector<VxMessageBoxRecord> AfxRecordedMessageBoxes()
{
    std::lock_guard<std::mutex> lock(g_recordMutex);
    return g_recorded;
}

void AfxClearRecordedMessageBoxes()
{
    std::lock_guard<std::mutex> lock(g_recordMutex);
    g_recorded.clear();
}

CMessageBoxRecorder::CMessageBoxRecorder(int answer) : m_answer(answer)
{
    std::lock_guard<std::mutex> lock(g_recorderMutex);
    m_previousRecorder = g_recorder;
    g_recorder = this;
    m_previousHandler = AfxSetMessageBoxHandler(&CMessageBoxRecorder::Handler);
}

CMessageBoxRecorder::~CMessageBoxRecorder()
{
    std::lock_guard<std::mutex> lock(g_recorderMutex);
    g_recorder = m_previousRecorder;
    AfxSetMessageBoxHandler(m_previousHandler);
}

int CMessageBoxRecorder::Handler(const char* text, const char* caption, unsigned type)
{
    std::lock_guard<std::mutex> lock(g_recorderMutex);
    CMessageBoxRecorder* r = g_recorder;
    if (!r)
        return AfxDefaultMessageBoxAnswer(type);
    std::lock_guard<std::mutex> own(r->m_mutex);
    r->m_records.push_back({text ? text : "", caption ? caption : "", type});
    return r->m_answer ? r->m_answer : AfxDefaultMessageBoxAnswer(type);
}

void CMessageBoxRecorder::SetAnswer(int answer)
{
    std::lock_guard<std::mutex> lock(m_mutex);
    m_answer = answer;
}

std::vector<VxMessageBoxRecord> CMessageBoxRecorder::Records() const
{
    std::lock_guard<std::mutex> lock(m_mutex);
    return m_records;
}

size_t CMessageBoxRecorder::Count() const
{
    std::lock_guard<std::mutex> lock(m_mutex);
    return m_records.size();
}

std::string CMessageBoxRecorder::LastText() const
{
    std::lock_guard<std::mutex> lock(m_mutex);
    return m_records.empty() ? std::string() : m_records.back().text;
}

void CMessageBoxRecorder::Clear()
{
    std::lock_guard<std::mutex> lock(m_mutex);
    m_records.clear();
}
