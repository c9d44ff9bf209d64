#include <gtest/gtest.h>

#include "framework/core/MessageBox.h"

#ifdef _WIN32
#include <windows.h>

#include <cstdio>

namespace
{

// Under Wine a crashed program ends with exit code 0, which CTest would count as passed: a crash names the
// test it ended and fails the program.
LONG WINAPI FailOnCrash(EXCEPTION_POINTERS* info)
{
    const ::testing::TestInfo* test = ::testing::UnitTest::GetInstance()->current_test_info();
    std::fprintf(stderr, "\ncrash: exception 0x%08lX at %p in %s.%s\n", info->ExceptionRecord->ExceptionCode,
                 info->ExceptionRecord->ExceptionAddress, test ? test->test_suite_name() : "(no test)",
                 test ? test->name() : "");
    std::fflush(stderr);
    ::TerminateProcess(::GetCurrentProcess(), 3);
    return EXCEPTION_EXECUTE_HANDLER;
}

}   // namespace
#endif

int main(int argc, char** argv)
{
#ifdef _WIN32
    ::SetUnhandledExceptionFilter(FailOnCrash);
#endif
    ::testing::InitGoogleTest(&argc, argv);
    // A box that a test forgot to expect is answered at once instead of waiting for a user forever.
    CMessageBoxRecorder answerEveryBox;
    return RUN_ALL_TESTS();
}
