// The line files the lists are kept in (SHORTCUT.INI, IR_SCUTS.INI), in any encoding:
// - a file taken as text and written back unchanged gives its own bytes again, line endings
//   aside (in the units of its encoding), and reads back as the same lines;
// - lines stay within the limits, whatever the bytes;
// - a change made to the file meanwhile is never lost: the input is also cut in two, the first
//   part the file as a list read it, the second what an editor wrote before the list's change.
#include "fuzz/FuzzCheck.h"
#include "platform/LineFile.h"
#include "platform/SavedLines.h"
#include "platform/sim/SimPlatform.h"

#include <cstddef>
#include <cstdint>
#include <string>
#include <string_view>

namespace {

const platform::LineFileLimits kRoomy {1 << 20, 1 << 16, 1 << 20};
const char* const kFile = "C:\\Bars\\LIST.INI";

// The bytes without their line endings, read in the units of the encoding the mark names.
std::string WithoutLineEndings(std::string_view bytes, platform::TextEncoding encoding)
{
    const bool wide = encoding == platform::TextEncoding::Utf16LE || encoding == platform::TextEncoding::Utf16BE;
    if (!wide) {
        std::string kept;
        for (char c : bytes)
            if (c != '\r' && c != '\n')
                kept += c;
        return kept;
    }
    const bool bigEndian = encoding == platform::TextEncoding::Utf16BE;
    std::string kept(bytes.substr(0, 2));
    for (std::size_t at = 2; at + 1 < bytes.size(); at += 2) {
        const unsigned char low = static_cast<unsigned char>(bytes[at + (bigEndian ? 1 : 0)]);
        const unsigned char high = static_cast<unsigned char>(bytes[at + (bigEndian ? 0 : 1)]);
        if (high != 0 || (low != '\r' && low != '\n'))
            kept.append(bytes.substr(at, 2));
    }
    return kept;
}

void CheckLines(const platform::LineFileContent& content, const platform::LineFileLimits& limits)
{
    FUZZ_CHECK(content.lines.size() <= limits.maxLines);
    for (const std::string& line : content.lines)
        FUZZ_CHECK(
            !line.empty() && line.size() <= limits.maxLineBytes && line.find_first_of("\r\n") == std::string::npos);
    if (content.problem == platform::FileProblem::NotText || content.problem == platform::FileProblem::Unreadable)
        FUZZ_CHECK(content.lines.empty());
}

void CheckRoundTrip(std::string_view bytes, const platform::CodePage& codePage)
{
    const platform::LineFileContent content =
        platform::ParseLineFile({platform::ReadStatus::Ok, std::string(bytes)}, kRoomy, codePage);
    CheckLines(content, kRoomy);
    if (content.problem != platform::FileProblem::None)
        return;
    platform::TextEncoding encoding = content.encoding;
    const std::optional<std::string> written = platform::LineFileBytes(content.lines, encoding, codePage);
    FUZZ_CHECK(written.has_value());
    const platform::LineFileContent again =
        platform::ParseLineFile({platform::ReadStatus::Ok, *written}, kRoomy, codePage);
    FUZZ_CHECK(again.problem == platform::FileProblem::None && again.lines == content.lines);
    if (encoding == content.encoding) {
        FUZZ_CHECK(WithoutLineEndings(*written, encoding) == WithoutLineEndings(bytes, encoding));
    } else {
        // Only when an ANSI file's first line, after empty ones, starts as a mark would: kept
        // as UTF-8 with a mark of its own, so that it cannot read as UTF-16.
        FUZZ_CHECK(content.encoding == platform::TextEncoding::Ansi && encoding == platform::TextEncoding::Utf8Mark);
    }
    platform::TextEncoding same = again.encoding;
    FUZZ_CHECK(platform::LineFileBytes(again.lines, same, codePage) == written);
}

void CheckMerge(std::string_view read, std::string_view edited)
{
    sim::SimFiles files;
    files.content[kFile] = std::string(read);
    platform::SavedLines list(files, kRoomy);
    list.Load(kFile);
    files.content[kFile] = std::string(edited);
    list.Apply([](std::vector<std::string>& lines) {
        lines.push_back("added");
        return true;
    });
    const platform::LineFileContent editor =
        platform::ParseLineFile({platform::ReadStatus::Ok, std::string(edited)}, kRoomy, files.codePage());
    const platform::LineFileContent now =
        platform::ParseLineFile({platform::ReadStatus::Ok, files.content[kFile]}, kRoomy, files.codePage());
    if (editor.problem != platform::FileProblem::None) {
        FUZZ_CHECK(files.content[kFile] == edited && list.unsaved());
        return;
    }
    // The editor's lines, then the one added.
    std::vector<std::string> expected = editor.lines;
    expected.push_back("added");
    FUZZ_CHECK(!list.unsaved() && now.lines == expected && list.lines() == expected);
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size)
{
    const std::string_view bytes(reinterpret_cast<const char*>(data), size);
    const sim::SimCodePage latin1;
    CheckRoundTrip(bytes, latin1);

    // Tight limits reach the cut and capped paths.
    const platform::LineFileLimits tight {size / 2, 3, 8};
    CheckLines(
        platform::ParseLineFile({platform::ReadStatus::Ok, std::string(bytes.substr(0, size / 2 + 1))}, tight, latin1),
        tight);

    const std::size_t cut = size == 0 ? 0 : data[0] % (size + 1);
    CheckMerge(bytes.substr(0, cut), bytes.substr(cut));
    return 0;
}
