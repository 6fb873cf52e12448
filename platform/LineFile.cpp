#include "platform/LineFile.h"

#include "platform/TextLines.h"

#include <functional>
#include <string_view>

namespace platform {

const char* DescribeProblem(FileProblem problem)
{
    switch (problem) {
    case FileProblem::None:
        return "";
    case FileProblem::Unreadable:
        return "the file cannot be read";
    case FileProblem::NotWhole:
        return "the file is too large";
    case FileProblem::NotText:
        return "the file is not plain text";
    case FileProblem::OutsideCodePage:
        return "characters outside ANSI";
    case FileProblem::CannotEncode:
        return "an entry cannot be encoded";
    case FileProblem::Denied:
        return "no write access";
    case FileProblem::WriteFailed:
        return "the file could not be written";
    }
    return "";
}

FileStamp StampOf(ReadStatus status, std::string_view bytes)
{
    FileStamp stamp;
    stamp.status = status;
    if (status == ReadStatus::Ok) {
        stamp.size = bytes.size();
        stamp.hash = std::hash<std::string_view> {}(bytes);
    }
    return stamp;
}

LineFileContent ParseLineFile(const ReadResult& read, const LineFileLimits& limits, const CodePage& codePage)
{
    LineFileContent content;
    content.stamp = StampOf(read.status, read.bytes);
    if (read.status != ReadStatus::Ok) {
        if (read.status == ReadStatus::Unreadable)
            content.problem = FileProblem::Unreadable;
        return content;
    }
    std::string_view bytes(read.bytes);
    const bool cut = bytes.size() > limits.maxBytes;
    if (cut) {
        // Only whole lines of what was read: a line cut short is no entry.
        bytes = bytes.substr(0, limits.maxBytes);
        bytes = bytes.substr(0, WholeLinesLength(bytes));
    }
    const DecodedText decoded = DecodeText(bytes, codePage);
    content.encoding = decoded.encoding;
    if (decoded.problem == TextProblem::NotText) {
        content.problem = FileProblem::NotText;
        return content;
    }
    bool whole = !cut;
    std::size_t pos = 0;
    std::string_view line;
    while (NextLine(decoded.text, pos, line)) {
        if (line.empty())
            continue;
        if (content.lines.size() == limits.maxLines || line.size() > limits.maxLineBytes) {
            whole = false;
            break;
        }
        content.lines.emplace_back(line);
    }
    if (!whole)
        content.problem = FileProblem::NotWhole;
    else if (decoded.problem == TextProblem::OutsideCodePage)
        content.problem = FileProblem::OutsideCodePage;
    return content;
}

LineFileContent ReadLineFile(Files& files, const std::string& path, const LineFileLimits& limits)
{
    return ParseLineFile(files.read(path, limits.maxBytes + 1), limits, files.codePage());
}

std::optional<std::string> LineFileBytes(
    const std::vector<std::string>& lines, TextEncoding& encoding, const CodePage& codePage)
{
    std::size_t size = 0;
    for (const std::string& line : lines) {
        // It would read back as other lines.
        if (line.find_first_of("\r\n") != std::string::npos)
            return std::nullopt;
        size += line.size() + 2;
    }
    std::string text;
    text.reserve(size);
    for (const std::string& line : lines)
        text.append(line).append("\r\n");
    return EncodeText(text, encoding, codePage);
}

} // namespace platform
