#pragma once
// A file of text lines as the program's lists keep them: read into its non-empty lines within
// limits, in whatever encoding it has, stamped so that a later change to it shows, and written
// back in its own encoding. No window involved, so every file shape is testable.
#include "platform/Files.h"
#include "platform/TextEncoding.h"

#include <cstddef>
#include <optional>
#include <string>
#include <vector>

namespace platform {

struct LineFileLimits {
    std::size_t maxBytes;     // a larger file is read only this far
    std::size_t maxLines;     // non-empty lines taken
    std::size_t maxLineBytes; // a longer line ends the reading there
};

// Why a list is not, or may not be, in its file. Any but None keeps the file as it is.
enum class FileProblem {
    None,
    Unreadable,      // there, but it could not be read
    NotWhole,        // beyond the limits: what was not read would be lost
    NotText,         // NULs, or broken UTF-8 or UTF-16 after a mark
    OutsideCodePage, // it holds characters the program's code page has not
    CannotEncode,    // the list holds text the file's encoding cannot carry
    Denied,          // no write access
    WriteFailed,     // the write failed otherwise
};
// The reason as the user reads it after "not saved: ".
const char* DescribeProblem(FileProblem problem);

// The file as it was when read or written: there or not, its size and a hash of its bytes.
struct FileStamp {
    ReadStatus status = ReadStatus::Missing;
    std::size_t size = 0;
    std::size_t hash = 0;
    bool operator==(const FileStamp& other) const
    {
        return status == other.status && size == other.size && hash == other.hash;
    }
    bool operator!=(const FileStamp& other) const { return !(*this == other); }
};
FileStamp StampOf(ReadStatus status, std::string_view bytes);

struct LineFileContent {
    std::vector<std::string> lines; // non-empty, in file order; none when NotText or Unreadable
    TextEncoding encoding = TextEncoding::Ansi;
    FileProblem problem = FileProblem::None;
    FileStamp stamp;
};

// What Files::read gave for limits.maxBytes + 1 bytes (the one more tells a file of exactly the
// limit from a larger one). A missing file is an empty list that may be written.
LineFileContent ParseLineFile(const ReadResult& read, const LineFileLimits& limits, const CodePage& codePage);
LineFileContent ReadLineFile(Files& files, const std::string& path, const LineFileLimits& limits);

// The lines, each followed by CR LF, in the encoding; nullopt when they cannot be written in it
// (see EncodeText, which may also turn ANSI into UTF-8 with a mark) or a line holds a line break.
std::optional<std::string> LineFileBytes(
    const std::vector<std::string>& lines, TextEncoding& encoding, const CodePage& codePage);

} // namespace platform
