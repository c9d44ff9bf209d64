// The date of today for the editor's profile.
#pragma once

#include "framework/core/Core.h"

#include <ctime>

class CDateStamp : public CObject
{
    DECLARE_DYNAMIC(CDateStamp)
public:
    CDateStamp();

    // Reads the clock and converts the time to local time.
    void Now();
    // Now, then "%04d-%02d-%02d" of year, month (1 … 12) and day.
    void FormatDate(CString& out);

    time_t GetTime() const { return m_time; }
    const tm* GetLocalTime() const { return m_pLocal; }

protected:
    // The calendar time Now reads.
    virtual time_t ReadClock() const;

    time_t m_time;
    tm m_local;
    const tm* m_pLocal;   // m_local once Now has run
};
