// Text files in the encodings editors save, read into lines and written back: which shapes are
// text, what is never written over, and that a rewrite gives the file's own bytes again.
#include "platform/LineFile.h"
#include "platform/sim/SimPlatform.h"

#include <gtest/gtest.h>

namespace {

using platform::FileProblem;
using platform::TextEncoding;
using Lines = std::vector<std::string>;

const platform::LineFileLimits kLimits {1000, 100, 100};
const sim::SimCodePage kLatin1;

platform::LineFileContent Parse(const std::string& bytes, const platform::LineFileLimits& limits = kLimits)
{
    return platform::ParseLineFile({platform::ReadStatus::Ok, bytes}, limits, kLatin1);
}

std::string Rewrite(const platform::LineFileContent& content)
{
    TextEncoding encoding = content.encoding;
    return platform::LineFileBytes(content.lines, encoding, kLatin1).value_or("<cannot>");
}

TEST(LineFile, EachEncodingReadsAsTheSameLinesAndWritesBackAsItWas)
{
    struct Shape {
        const char* name;
        std::string bytes;
        TextEncoding encoding;
    };
    const Shape shapes[] = {
        {"ANSI", "C:\\b\xE9ta\r\nx\r\n", TextEncoding::Ansi},
        {"UTF-8", "C:\\b\xC3\xA9ta\r\nx\r\n", TextEncoding::Utf8},
        {"UTF-8 mark",
            "\xEF\xBB\xBF"
            "C:\\b\xC3\xA9ta\r\nx\r\n",
            TextEncoding::Utf8Mark},
        {"UTF-16LE",
            std::string("\xFF\xFE"
                        "C\0:\0\\\0b\0\xE9\0t\0a\0\r\0\n\0x\0\r\0\n\0",
                26),
            TextEncoding::Utf16LE},
        {"UTF-16BE", std::string("\xFE\xFF\0C\0:\0\\\0b\0\xE9\0t\0a\0\r\0\n\0x\0\r\0\n", 26), TextEncoding::Utf16BE},
    };
    for (const Shape& shape : shapes) {
        const platform::LineFileContent content = Parse(shape.bytes);
        EXPECT_EQ(content.problem, FileProblem::None) << shape.name;
        EXPECT_EQ(content.encoding, shape.encoding) << shape.name;
        EXPECT_EQ(content.lines, (Lines {"C:\\b\xE9ta", "x"})) << shape.name;
        EXPECT_EQ(Rewrite(content), shape.bytes) << shape.name;
    }
    // A character beyond the 16-bit range, as a surrogate pair: outside the code page.
    const platform::LineFileContent emoji = Parse("\xEF\xBB\xBF"
                                                  "a\xF0\x9F\x98\x80\r\n");
    EXPECT_EQ(emoji.problem, FileProblem::OutsideCodePage);
    EXPECT_EQ(emoji.lines, Lines {"a?"});
}

TEST(LineFile, ShapesThatAreNoTextGiveNoLines)
{
    for (const std::string& bytes : {std::string("a\0b\r\n", 5),
             std::string("\xFF\xFE"
                         "a\0b",
                 5),
             std::string("\xFF\xFE\x00\xDC", 4),
             std::string("\xFE\xFF\xD8\x00\x00"
                         "a",
                 6),
             std::string("\xFF\xFE"
                         "a\0\0\0",
                 6),
             std::string("\xEF\xBB\xBF\xC0\xAF", 5), std::string("\xEF\xBB\xBF\xED\xA0\x80", 6),
             std::string("\xEF\xBB\xBF\xF4\x90\x80\x80", 7)}) {
        const platform::LineFileContent content = Parse(bytes);
        EXPECT_EQ(content.problem, FileProblem::NotText) << testing::PrintToString(bytes);
        EXPECT_TRUE(content.lines.empty());
    }
    // Without a mark, bytes that are no UTF-8 are the program's own ANSI.
    EXPECT_EQ(Parse("\xC0\xAF\r\n").encoding, TextEncoding::Ansi);
    EXPECT_EQ(Parse("\xC0\xAF\r\n").problem, FileProblem::None);
}

TEST(LineFile, AFileCutShortOrBeyondTheLimitsIsNotWhole)
{
    // Read one byte past the limit: whole lines only, in the units of the file's encoding.
    const platform::LineFileLimits ten {10, 100, 100};
    const platform::LineFileContent cut = Parse(std::string("\xFF\xFE"
                                                            "a\0\n\0b\0c\0d",
                                                    11),
        ten);
    EXPECT_EQ(cut.problem, FileProblem::NotWhole);
    EXPECT_EQ(cut.encoding, TextEncoding::Utf16LE);
    EXPECT_EQ(cut.lines, Lines {"a"});
    EXPECT_EQ(Parse("ab\ncd\nefghi", ten).lines, (Lines {"ab", "cd"}));
    EXPECT_EQ(Parse("1\n2\n3\n", {100, 2, 100}).problem, FileProblem::NotWhole);
    EXPECT_EQ(Parse("1\n22\n3\n", {100, 100, 1}).lines, Lines {"1"}) << "read up to the overlong line";
    EXPECT_EQ(Parse("1234567890", ten).problem, FileProblem::None) << "exactly the limit";
}

TEST(LineFile, WritingKeepsEveryCharacterOrRefuses)
{
    // ANSI that is no UTF-8 as a whole stays ANSI, byte for byte.
    Lines lines = {"\xC3\xA9t\xE9"};
    TextEncoding encoding = TextEncoding::Ansi;
    EXPECT_EQ(platform::LineFileBytes(lines, encoding, kLatin1), "\xC3\xA9t\xE9\r\n");
    EXPECT_EQ(encoding, TextEncoding::Ansi);

    // ANSI bytes that would read back as UTF-8, or as a mark, get a mark of their own.
    for (const std::string& line : {std::string("\xC3\xA9"),
             std::string("\xFF\xFE"
                         "a")}) {
        encoding = TextEncoding::Ansi;
        const std::optional<std::string> bytes = platform::LineFileBytes({line}, encoding, kLatin1);
        ASSERT_TRUE(bytes);
        EXPECT_EQ(encoding, TextEncoding::Utf8Mark);
        EXPECT_EQ(Parse(*bytes).lines, Lines {line});
    }

    // A NUL or a line break in a line would not read back as that line.
    for (const std::string& line : {std::string("a\0b", 3), std::string("a\rb"), std::string("a\nb")}) {
        encoding = TextEncoding::Utf16LE;
        EXPECT_FALSE(platform::LineFileBytes({line}, encoding, kLatin1));
    }
}

} // namespace
