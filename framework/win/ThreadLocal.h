// CThreadLocal<T>: one object of T per thread, made on first use and deleted when its thread ends.
//
// The compiler's thread_local objects with destructors are not sound with this tool chain: on a thread the
// program starts, their destructors run after the storage holding them has been freed, and write into the
// heap. The framework keeps its per-thread state in a fiber-local slot instead, whose callback deletes the
// object as the thread ends.
#pragma once

#include "framework/core/wintypes.h"

template <class T>
class CThreadLocal
{
public:
    CThreadLocal() : m_index(::FlsAlloc(&CThreadLocal::Destroy)) {}
    // The slot is never given back: objects with static storage may still ask for theirs as the program ends.
    ~CThreadLocal() = default;
    CThreadLocal(const CThreadLocal&) = delete;
    CThreadLocal& operator=(const CThreadLocal&) = delete;

    T& Get()
    {
        if (m_index == FLS_OUT_OF_INDEXES)
        {
            // No slot: the object lives as long as the program (a trivial thread_local pointer is sound).
            thread_local T* leaked = nullptr;
            if (leaked == nullptr)
                leaked = new T;
            return *leaked;
        }
        T* object = static_cast<T*>(::FlsGetValue(m_index));
        if (object == nullptr)
        {
            object = new T;
            ::FlsSetValue(m_index, object);
        }
        return *object;
    }

private:
    static void WINAPI Destroy(void* object) { delete static_cast<T*>(object); }

    DWORD m_index;
};
