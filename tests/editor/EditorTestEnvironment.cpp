// Sets the test program up as the editor sets itself up: the framework and the language letter.
#include "framework/win/Framework.h"
#include "show/Language.h"

#include <gtest/gtest.h>

namespace
{

class EditorEnvironment : public ::testing::Environment
{
public:
    void SetUp() override
    {
        AfxWinInit(GetModuleHandleA(nullptr), nullptr, GetCommandLineA(), SW_SHOWNORMAL);
        SetLanguage(LETTER_ENGLISH);
    }
};

::testing::Environment* const g_environment = ::testing::AddGlobalTestEnvironment(new EditorEnvironment);

}   // namespace
