#pragma once
// Text files beside the executable. Bytes only; line splitting is portable (see TextLines.h).
#include <optional>
#include <string>

namespace platform {

class Files {
public:
    virtual ~Files() = default;
    // True when the file can be opened for reading.
    virtual bool exists(const std::string& path) = 0;
    // The file's bytes, at most maxBytes of them; nullopt when it cannot be opened or read.
    virtual std::optional<std::string> readBytes(const std::string& path, std::size_t maxBytes) = 0;
    // Replaces the file's content; false when it cannot be written.
    virtual bool writeBytes(const std::string& path, const std::string& bytes) = 0;
};

} // namespace platform
