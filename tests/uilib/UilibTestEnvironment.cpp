// Sets the test program up as a program of the library: the framework, then the look data.
#include "uilib/core/base/GlobalData.h"

#include <gtest/gtest.h>

namespace
{

class UilibEnvironment : public ::testing::Environment
{
public:
    void SetUp() override
    {
        AfxWinInit(GetModuleHandleA(nullptr), nullptr, GetCommandLineA(), SW_SHOWNORMAL);
        GetUXGlobalData();
    }
};

::testing::Environment* const g_environment = ::testing::AddGlobalTestEnvironment(new UilibEnvironment);

}   // namespace
