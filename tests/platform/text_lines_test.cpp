#include "platform/TextLines.h"

#include <gtest/gtest.h>

using platform::SplitLines;
using Lines = std::vector<std::string>;

TEST(SplitLines, AcceptsEveryLineEndingAndAnUnendedLastLine)
{
    EXPECT_EQ(SplitLines("a\r\nb\r\n", 10), (Lines {"a", "b"}));
    EXPECT_EQ(SplitLines("a\nb", 10), (Lines {"a", "b"}));
    EXPECT_EQ(SplitLines("a\rb\r", 10), (Lines {"a", "b"}));
    EXPECT_EQ(SplitLines("a\r\n\r\nb", 10), (Lines {"a", "", "b"}));
}

TEST(SplitLines, EmptyInputHasNoLinesAndTheLimitHolds)
{
    EXPECT_TRUE(SplitLines("", 10).empty());
    EXPECT_EQ(SplitLines("1\n2\n3\n", 2), (Lines {"1", "2"}));
    EXPECT_TRUE(SplitLines("1\n2", 0).empty());
}

TEST(SplitLines, KeepsBinaryBytesInsideALine)
{
    const std::string bytes("\x00\xff\x01\nrest", 8);
    const auto lines = SplitLines(bytes, 10);
    ASSERT_EQ(lines.size(), 2u);
    EXPECT_EQ(lines[0], std::string("\x00\xff\x01", 3));
}
