#include "show/Language.h"

#include <atomic>

namespace
{
// Worker threads read it; it is set before they start, the atomic only keeps the reads well defined.
std::atomic<char> g_language{LETTER_ENGLISH};
}   // namespace

char GetLanguage()
{
    return g_language.load(std::memory_order_relaxed);
}

void SetLanguage(char letter)
{
    g_language.store(letter, std::memory_order_relaxed);
}

BOOL IsGerman()
{
    return GetLanguage() == LETTER_GERMAN;
}
