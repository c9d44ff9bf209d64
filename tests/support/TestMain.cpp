#include <gtest/gtest.h>

#include "framework/core/MessageBox.h"

int main(int argc, char** argv)
{
    ::testing::InitGoogleTest(&argc, argv);
    // A box that a test forgot to expect is answered at once instead of waiting for a user forever.
    CMessageBoxRecorder answerEveryBox;
    return RUN_ALL_TESTS();
}
