#include "editor/DateStamp.h"

IMPLEMENT_DYNAMIC(CDateStamp, CObject)

CDateStamp::CDateStamp() : m_time(0), m_local(), m_pLocal(nullptr)
{
}

time_t CDateStamp::ReadClock() const
{
    return time(nullptr);
}

void CDateStamp::Now()
{
    m_time = ReadClock();
    // The reentrant form: the C runtime's shared result could change under another thread.
#ifdef _WIN32
    m_pLocal = localtime_s(&m_local, &m_time) == 0 ? &m_local : nullptr;
#else
    m_pLocal = localtime_r(&m_time, &m_local);
#endif
}

void CDateStamp::FormatDate(CString& out)
{
    Now();
    if (!m_pLocal)
    {
        out.Empty();
        return;
    }
    out.Format("%04d-%02d-%02d", m_pLocal->tm_year + 1900, m_pLocal->tm_mon + 1, m_pLocal->tm_mday);
}
