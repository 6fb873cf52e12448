#include "platform/CommandLine.h"

#include <gtest/gtest.h>

#include <set>

using platform::ProgramAndParameters;

namespace {

platform::FileTest Files(std::set<std::string> files)
{
    return [files](const std::string& path) { return files.count(path) > 0; };
}

void ExpectSplit(const ProgramAndParameters& split, const std::string& program, const std::string& parameters)
{
    EXPECT_EQ(split.program, program);
    EXPECT_EQ(split.parameters, parameters);
}

} // namespace

TEST(CommandLine, OnlyALineThatIsOneExistingFileIsQuoted)
{
    const auto files = Files({"C:\\Program Files\\App\\app.exe", "C:\\tool.exe"});
    EXPECT_EQ(
        platform::QuotedWhenOneFile("C:\\Program Files\\App\\app.exe", files), "\"C:\\Program Files\\App\\app.exe\"");
    EXPECT_EQ(platform::QuotedWhenOneFile("C:\\tool.exe", files), "\"C:\\tool.exe\"");
    for (const char* kept : {"C:\\Program Files\\App\\app.exe -x", "\"C:\\Program Files\\App\\app.exe\"",
             "C:\\Program Files\\Other\\other.exe", "notepad", ""})
        EXPECT_EQ(platform::QuotedWhenOneFile(kept, files), kept);
}

TEST(CommandLine, TheProgramIsFoundAsCreateProcessFindsIt)
{
    const auto files = Files({"C:\\Program.exe", "C:\\Program Files\\App\\app.exe", "C:\\Tools\\run"});
    // The shortest part before a blank that names a file, also with ".exe" added, comes first.
    ExpectSplit(platform::SplitCommandLine("C:\\Program Files\\App\\app.exe -x", files), "C:\\Program",
        "Files\\App\\app.exe -x");
    ExpectSplit(platform::SplitCommandLine("C:\\Tools\\run  a b", files), "C:\\Tools\\run", "a b");
    ExpectSplit(platform::SplitCommandLine("\"C:\\Program Files\\App\\app.exe\"   -x \"y\"", files),
        "C:\\Program Files\\App\\app.exe", "-x \"y\"");
    ExpectSplit(platform::SplitCommandLine("\"C:\\No end", files), "C:\\No end", "");
    ExpectSplit(platform::SplitCommandLine("missing.exe one two", files), "missing.exe", "one two");
    ExpectSplit(platform::SplitCommandLine("alone", files), "alone", "");
}
