#include "show/SlideObject.h"

#include "show/SettingsFile.h"
#include "show/ShowText.h"

#include <climits>
#include <process.h>

IMPLEMENT_DYNAMIC(CSlideBasicObj, CObject)
IMPLEMENT_DYNAMIC(CSlideObjSlot, CObject)

// ---------------------------------------------------------------------------------------------------------
// CSlideBasicObj

CSlideBasicObj::CSlideBasicObj() : m_cLanguage('E'), m_nX(20), m_nY(10), m_nDelay(1000), m_bVisible(FALSE)
{
}

CSlideBasicObj::~CSlideBasicObj() = default;

void CSlideBasicObj::CopyBaseFrom(const CSlideBasicObj& other)
{
    m_cLanguage = other.m_cLanguage;
    m_nX = other.m_nX;
    m_nY = other.m_nY;
    m_nDelay = other.m_nDelay;
    m_bVisible = other.m_bVisible;
}

void CSlideBasicObj::DrawNumberLabel(CDC* dc, int x, int y, int number)
{
    CString label;
    label.Format(" %d ", number);
    int oldMode = dc->SetBkMode(OPAQUE);
    COLORREF oldBack = dc->SetBkColor(RGB(255, 0, 0));
    COLORREF oldText = dc->SetTextColor(RGB(0, 0, 0));
    dc->TextOut(x, y, label);
    dc->SetTextColor(oldText);
    dc->SetBkColor(oldBack);
    dc->SetBkMode(oldMode);
}

void CSlideBasicObj::DrawSelectionFrame(CDC* dc, const CRect& rect)
{
    CBrush white(RGB(255, 255, 255));
    dc->FrameRect(rect, &white);
    CBrush hatch(HS_DIAGCROSS, RGB(0, 0, 0));
    dc->FrameRect(rect, &hatch);
}

LONG CSlideBasicObj::FarEdge(int origin, int size)
{
    long long edge = static_cast<long long>(origin) + size;
    if (edge > INT_MAX)
        return INT_MAX;
    if (edge < INT_MIN)
        return INT_MIN;
    return static_cast<LONG>(edge);
}

int CSlideBasicObj::StepForSpeed(int speed)
{
    int step = speed / 28;
    if (step < 1)
        return 1;
    if (step > 100)
        return 100;
    return step;
}

CPoint CSlideBasicObj::PlaceInside(int x, int y, int w, int h, int width, int height)
{
    auto place = [](int wanted, int size, int limit)
    {
        long long at = wanted < 0 ? 0 : wanted;
        if (at + size > limit)
            at = static_cast<long long>(limit) - size;
        return static_cast<int>(at < INT_MIN ? INT_MIN : at);
    };
    return CPoint(place(x, w, width), place(y, h, height));
}

// ---------------------------------------------------------------------------------------------------------
// CObjectThread

CObjectThread::CObjectThread() : m_hThread(nullptr), m_hStopEvent(nullptr), m_bStopRequest(false)
{
}

CObjectThread::~CObjectThread()
{
    StopAndWait();
    if (m_hStopEvent)
        ::CloseHandle(m_hStopEvent);
}

BOOL CObjectThread::Start(ThreadProc proc, void* param)
{
    if (IsRunning())
        return FALSE;
    if (!m_hStopEvent)
        m_hStopEvent = ::CreateEventA(nullptr, TRUE, FALSE, nullptr);
    else
        ::ResetEvent(m_hStopEvent);
    m_bStopRequest = false;
    unsigned id = 0;
    uintptr_t handle = _beginthreadex(nullptr, 0, proc, param, CREATE_SUSPENDED, &id);
    if (handle == 0)
        return FALSE;
    m_hThread = reinterpret_cast<HANDLE>(handle);
    ::ResumeThread(m_hThread);
    return TRUE;
}

BOOL CObjectThread::IsRunning()
{
    if (!m_hThread)
        return FALSE;
    if (::WaitForSingleObject(m_hThread, 0) == WAIT_TIMEOUT)
        return TRUE;
    ::CloseHandle(m_hThread);
    m_hThread = nullptr;
    return FALSE;
}

void CObjectThread::RequestStop()
{
    if (!m_hThread)
        return;
    m_bStopRequest = true;
    if (m_hStopEvent)
        ::SetEvent(m_hStopEvent);
}

void CObjectThread::StopAndWait()
{
    if (!m_hThread)
        return;
    RequestStop();
    // The worker looks at the request after every pause and never waits on this thread.
    ::WaitForSingleObject(m_hThread, INFINITE);
    ::CloseHandle(m_hThread);
    m_hThread = nullptr;
}

void CObjectThread::Pause(DWORD milliseconds)
{
    if (m_hStopEvent)
        ::WaitForSingleObject(m_hStopEvent, milliseconds);
    else
        ::Sleep(milliseconds);
}

// ---------------------------------------------------------------------------------------------------------
// CSlideObjSlot

CSlideObjSlot::CSlideObjSlot() : m_bUsed(FALSE), m_nKind(KIND_NONE), m_bThumbnail(FALSE)
{
}

CSlideObjSlot::~CSlideObjSlot() = default;

CSlideBasicObj* CSlideObjSlot::GetLiveObject()
{
    switch (m_nKind)
    {
    case KIND_TEXT: return &m_Text;
    case KIND_IMAGE: return &m_Image;
    case KIND_RECTANGLE: return &m_Frame;
    default: return nullptr;
    }
}

void CSlideObjSlot::Clear()
{
    m_bUsed = FALSE;
    m_nKind = KIND_NONE;
    m_Image.SetDefaults();
    m_Text.SetDefaults();
    m_Frame.SetDefaults();
}

void CSlideObjSlot::ClearObjects()
{
    m_Image.Clear();
    m_Text.Clear();
    m_Frame.Clear();
    m_bUsed = FALSE;
}

void CSlideObjSlot::CopyFrom(const CSlideObjSlot& other)
{
    if (&other == this)
        return;
    ClearObjects();
    m_bUsed = other.m_bUsed;
    m_nKind = other.m_nKind;
    m_Image.CopyFrom(other.m_Image);
    m_Text.CopyFrom(other.m_Text);
    m_Frame.CopyFrom(other.m_Frame);
}

void CSlideObjSlot::Read(int n, CSettingsFile& file, const char* section)
{
    CString value = file.ReadString(section, ShowText::ObjectSlotKey(n), "");
    if (!ShowText::IsLegacyObjectValue(value))
    {
        int number = 0;
        switch (ShowText::ParseObjectValue(value, number))
        {
        case ShowText::KIND_TEXT:
            m_Text.Load(number, file, section);
            if (!m_Text.m_strText.IsEmpty())
            {
                m_bUsed = TRUE;
                m_nKind = KIND_TEXT;
            }
            break;
        case ShowText::KIND_IMAGE:
            m_Image.Load(number, file, section);
            if (!m_Image.m_strFile.IsEmpty())
            {
                m_bUsed = TRUE;
                m_nKind = KIND_IMAGE;
            }
            break;
        case ShowText::KIND_FRAME:
            m_Frame.Load(number, file, section);
            m_bUsed = TRUE;
            m_nKind = KIND_RECTANGLE;
            break;
        default: break;
        }
        return;
    }

    // Shows written before object slots existed have only text objects, under the slot's own number.
    CString text =
        file.ReadString(section, ShowText::ObjectKey(ShowText::KIND_TEXT, n, ShowText::Text::KEY_TEXT), "");
    if (text.IsEmpty())
        return;
    m_Text.Load(n, file, section);
    if (!m_Text.m_strText.IsEmpty())
    {
        m_bUsed = TRUE;
        m_nKind = KIND_TEXT;
    }
}

void CSlideObjSlot::Write(int n, CSettingsFile& file, const char* section)
{
    if (!m_bUsed)
        return;
    CSlideBasicObj* object = GetLiveObject();
    if (!object)
        return;
    file.WriteString(section, ShowText::ObjectSlotKey(n), ShowText::ObjectValue(m_nKind, n));
    object->Save(n, file, section);
}

void CSlideObjSlot::CreateText(int x, int y, const char* text, const char* animationName, const char* fontName,
                               int fontSize, const char* fontWeight, BOOL underline, BOOL italic, int effect,
                               COLORREF color, int delay)
{
    m_bUsed = TRUE;
    m_nKind = KIND_TEXT;
    m_Text.Set(x, y, text, animationName, fontName, fontSize, fontWeight, underline, italic, effect, color, delay);
}

void CSlideObjSlot::CreateImage(int x, int y, const char* file, int animation, int delay, BOOL transparent,
                                COLORREF transparentColor, int speed, const CProjectPack* pack)
{
    m_bUsed = TRUE;
    m_nKind = KIND_IMAGE;
    m_Image.Set(x, y, file, animation, delay, transparent, transparentColor, speed, pack);
}

void CSlideObjSlot::CreateRectangle(const FrameObjRecord& record)
{
    if (record.nKind != KIND_RECTANGLE)
        return;
    m_Frame.SetFromRecord(record);
    m_bUsed = TRUE;
    m_nKind = KIND_RECTANGLE;
}

void CSlideObjSlot::Prepare(const CProjectPack* pack, CWnd* window)
{
    if (CSlideBasicObj* object = GetLiveObject())
        object->Prepare(pack, window);
}

void CSlideObjSlot::MoveTo(int x, int y, int width, int height)
{
    switch (m_nKind)
    {
    case KIND_TEXT: m_Text.MoveTo(x, y, width, height); break;
    case KIND_IMAGE: m_Image.MoveTo(x, y, width, height); break;
    case KIND_RECTANGLE: m_Frame.MoveTo(x, y, width, height); break;
    default: break;
    }
}

void CSlideObjSlot::GetPosition(int& x, int& y)
{
    if (CSlideBasicObj* object = GetLiveObject())
    {
        x = object->m_nX;
        y = object->m_nY;
    }
}

void CSlideObjSlot::Describe(CString& text)
{
    if (CSlideBasicObj* object = GetLiveObject())
        object->Describe(text);
}

void CSlideObjSlot::GetRect(CRect& rect)
{
    if (CSlideBasicObj* object = GetLiveObject())
        object->GetRect(rect);
}

void CSlideObjSlot::GetAnimationName(CString& name)
{
    if (CSlideBasicObj* object = GetLiveObject())
        object->GetAnimationName(name);
    else
        name.Empty();
}

void CSlideObjSlot::GetInfoText(CString& text)
{
    text.Empty();
    if (CSlideBasicObj* object = GetLiveObject())
        object->GetInfoText(text);
}

void CSlideObjSlot::SetVisible(BOOL visible)
{
    if (CSlideBasicObj* object = GetLiveObject())
        object->m_bVisible = visible;
}

int CSlideObjSlot::GetDelay()
{
    CSlideBasicObj* object = GetLiveObject();
    return object ? object->m_nDelay : 0;
}

void CSlideObjSlot::SetDelay(int delay)
{
    if (CSlideBasicObj* object = GetLiveObject())
        object->m_nDelay = delay;
}

void CSlideObjSlot::TrackRectangle(CPoint point, CWnd* window)
{
    if (m_nKind == KIND_RECTANGLE)
        m_Frame.TrackRectangle(point, window);
}

void CSlideObjSlot::DropRectangle(int x, int y)
{
    if (m_nKind == KIND_RECTANGLE)
        m_Frame.DropRectangle(x, y);
}

void CSlideObjSlot::Draw(CDC* dc, const CRect& canvas, int number, BOOL selected, CRect& drawn)
{
    drawn.SetRectEmpty();
    CSlideBasicObj* object = GetLiveObject();
    if (!object || !dc)
        return;
    // A thumbnail is drawn on another surface: the rectangle must neither use a background captured
    // elsewhere nor keep the one it captures there.
    const bool thumbnailFrame = m_nKind == KIND_RECTANGLE && m_bThumbnail;
    if (thumbnailFrame)
        m_Frame.DeleteBitmaps();
    object->Draw(dc, canvas, number, selected, drawn);
    if (thumbnailFrame)
        m_Frame.DeleteBitmaps();
}

void CSlideObjSlot::ApplyTextStyle(const CAniText& source)
{
    if (&source != &m_Text)
        m_Text.CopyStyleFrom(source);
}

void CSlideObjSlot::ApplyImageStyle(const CImageObj& source)
{
    if (&source != &m_Image)
        m_Image.CopyStyleFrom(source);
}

void CSlideObjSlot::ApplyRectangleStyle(const CFrameObj& source)
{
    if (&source != &m_Frame)
        m_Frame.CopyStyleFrom(source);
    if (m_bUsed && m_nKind == KIND_RECTANGLE)
        m_Frame.MoveTo(m_Frame.m_nX, m_Frame.m_nY, ShowText::Slide::DEF_WIDTH, ShowText::Slide::DEF_HEIGHT);
}
