#include <gtest/gtest.h>
#include "framework/core/wintypes.h"

TEST(Toolchain, LiteralsAreCodePage1252)
{
    const char text[] = "geöffnet";
    ASSERT_EQ(sizeof(text), 9u);
    EXPECT_EQ(static_cast<unsigned char>(text[2]), 0xF6);
}
