#include "show/MemBuffer.h"

#include <gtest/gtest.h>

#include <cstring>

TEST(MemBuffer, NewBufferIsEmpty)
{
    CMemBuffer buffer;
    EXPECT_EQ(nullptr, buffer.GetData());
    EXPECT_EQ(0, buffer.GetSize());
    EXPECT_TRUE(buffer.GetErrorText().IsEmpty());
}

TEST(MemBuffer, AllocateGivesABlockOfTheSize)
{
    CMemBuffer buffer;
    BYTE* data = buffer.Allocate(300, FALSE);
    ASSERT_NE(nullptr, data);
    EXPECT_EQ(data, buffer.GetData());
    EXPECT_EQ(300, buffer.GetSize());
    memset(data, 0xAB, 300);   // the whole block is ours (the sanitizers check it)

    buffer.Allocate(10, FALSE);
    EXPECT_EQ(10, buffer.GetSize());
    buffer.Free();
    EXPECT_EQ(nullptr, buffer.GetData());
    EXPECT_EQ(0, buffer.GetSize());
}

TEST(MemBuffer, ZeroBytesGiveAnEmptyBlock)
{
    CMemBuffer buffer;
    EXPECT_NE(nullptr, buffer.Allocate(0, FALSE));
    EXPECT_EQ(0, buffer.GetSize());
}

TEST(MemBuffer, FailedAllocationLeavesNoBlockAndTellsTheUserWhenAsked)
{
    CMessageBoxRecorder boxes;
    CMemBuffer buffer;
    buffer.Allocate(16, FALSE);

    EXPECT_EQ(nullptr, buffer.Allocate(-1, FALSE));
    EXPECT_EQ(nullptr, buffer.GetData());
    EXPECT_EQ(0, buffer.GetSize());
    EXPECT_EQ(0u, boxes.Count());

    EXPECT_EQ(nullptr, buffer.Allocate(-1, TRUE));
    ASSERT_EQ(1u, boxes.Count());
    VxMessageBoxRecord box = boxes.Records()[0];
    EXPECT_EQ("Can not allocate enough memory\t", box.text);
    EXPECT_EQ("Error", box.caption);
    EXPECT_EQ(static_cast<unsigned>(MB_OK | MB_ICONERROR), box.type);
}

TEST(MemBuffer, TakeFromMovesTheBlock)
{
    CMemBuffer source;
    BYTE* data = source.Allocate(64, FALSE);
    memset(data, 7, 64);
    CMemBuffer target;
    target.Allocate(8, FALSE);

    target.TakeFrom(source);
    EXPECT_EQ(data, target.GetData());
    EXPECT_EQ(64, target.GetSize());
    EXPECT_EQ(nullptr, source.GetData());
    EXPECT_EQ(0, source.GetSize());
    // Both are destroyed at the end of the test: a block owned twice would be freed twice.
}

TEST(MemBuffer, TakeFromItselfKeepsTheBlock)
{
    CMemBuffer buffer;
    BYTE* data = buffer.Allocate(32, FALSE);
    buffer.TakeFrom(buffer);
    EXPECT_EQ(data, buffer.GetData());
    EXPECT_EQ(32, buffer.GetSize());
}

// ---------------------------------------------------------------------------------------------------

TEST(ColorText, ColorsBecomeUpperCaseHex)
{
    EXPECT_STREQ("FF0000", ColorToHex(RGB(255, 0, 0)));
    EXPECT_STREQ("#FF0000", ColorToHtml(RGB(255, 0, 0)));
    EXPECT_STREQ("#123456", ColorToHtml(RGB(0x12, 0x34, 0x56)));
    EXPECT_STREQ("#0000AB", ColorToHtml(RGB(0, 0, 0xAB)));
    EXPECT_STREQ("000000", ColorToHex(0));
}

TEST(ColorText, HexDigitsAreReadInUpperCaseOnly)
{
    EXPECT_EQ(0, HexDigitValue('0'));
    EXPECT_EQ(9, HexDigitValue('9'));
    EXPECT_EQ(10, HexDigitValue('A'));
    EXPECT_EQ(15, HexDigitValue('F'));
    EXPECT_EQ('a' - 55, HexDigitValue('a'));
    EXPECT_EQ(0xA5, HexPairToByte('A', '5'));
}

TEST(ColorText, HexTextBecomesAColor)
{
    EXPECT_EQ(RGB(0x3A, 0x6E, 0xA5), HexToColor("3A6EA5"));
    EXPECT_EQ(RGB(0x00, 0x0A, 0xBC), HexToColor("ABC"));   // filled with '0' on the left
    EXPECT_EQ(RGB(0, 0, 0), HexToColor(""));
}

TEST(ColorText, HtmlTextBecomesAColor)
{
    EXPECT_EQ(RGB(255, 0, 0), HtmlToColor("#FF0000"));
    EXPECT_EQ(RGB(0x01, 0x23, 0x45), HtmlToColor("#12345"));
    EXPECT_EQ(RGB(0, 0, 0), HtmlToColor("#FFF"));
    EXPECT_EQ(RGB(0, 0, 0), HtmlToColor(""));
    EXPECT_EQ(RGB(0, 0, 0), HtmlToColor(nullptr));
    // Lower-case digits are not colours here: such a text does not read back as its colour.
    EXPECT_NE(RGB(0x3A, 0x6E, 0xA5), HtmlToColor("#3a6ea5"));
}

TEST(ColorText, HtmlRoundTrip)
{
    const COLORREF colors[] = {RGB(0, 0, 0), RGB(255, 255, 255), RGB(1, 2, 3), RGB(0xFE, 0x80, 0x7F)};
    for (COLORREF c : colors)
        EXPECT_EQ(c, HtmlToColor(ColorToHtml(c)));
}
