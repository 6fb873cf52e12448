#pragma once
// Text files beside the executable. Bytes only; line splitting is portable (see TextLines.h) and
// so is the reading of encodings (TextEncoding.h), with the system's code page from here.
#include "platform/TextEncoding.h"

#include <optional>
#include <string>

namespace platform {

enum class ReadStatus {
    Ok,
    Missing,    // no such file or folder
    Unreadable, // there, but it could not be opened or read (access, sharing, device error)
};

enum class WriteStatus {
    Ok,
    Denied, // no write access to the file or its folder (read-only, locked, protected folder)
    Failed, // anything else: disk full, device error, a bad name
};

struct ReadResult {
    ReadStatus status = ReadStatus::Missing;
    std::string bytes; // what was read: at most maxBytes, empty unless Ok
};

class Files {
public:
    virtual ~Files() = default;
    // True when the file can be opened for reading.
    virtual bool exists(const std::string& path) = 0;
    // The file's bytes, at most maxBytes of them, and whether it was there at all.
    virtual ReadResult read(const std::string& path, std::size_t maxBytes) = 0;
    // Replaces the file's content as a whole: written beside it under another name first, then
    // renamed over it, so a failure leaves the earlier file as it was.
    virtual WriteStatus write(const std::string& path, const std::string& bytes) = 0;
    // The ANSI code page the program's texts are in.
    virtual const CodePage& codePage() = 0;

    // False when the write failed.
    bool writeBytes(const std::string& path, const std::string& bytes) { return write(path, bytes) == WriteStatus::Ok; }

    // The file's bytes, at most maxBytes of them; nullopt when it cannot be opened or read.
    std::optional<std::string> readBytes(const std::string& path, std::size_t maxBytes)
    {
        ReadResult result = read(path, maxBytes);
        if (result.status != ReadStatus::Ok)
            return std::nullopt;
        return std::move(result.bytes);
    }
};

} // namespace platform
