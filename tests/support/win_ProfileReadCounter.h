// Test helper: a dock state of TState that counts what it reads from the profile. Header only.
#pragma once

#include "framework/win/Framework.h"

template <class TState>
class CProfileReadCounter : public TState
{
public:
    int reads = 0;
    UINT GetProfileInt(LPCSTR lpszSection, LPCSTR lpszEntry, int nDefault) override
    {
        ++reads;
        return TState::GetProfileInt(lpszSection, lpszEntry, nDefault);
    }
};
