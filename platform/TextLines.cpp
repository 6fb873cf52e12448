#include "platform/TextLines.h"

namespace platform {

std::vector<std::string> SplitLines(std::string_view bytes, std::size_t maxLines)
{
    std::vector<std::string> lines;
    std::size_t start = 0;
    while (start < bytes.size() && lines.size() < maxLines) {
        std::size_t end = bytes.find_first_of("\r\n", start);
        if (end == std::string_view::npos) {
            lines.emplace_back(bytes.substr(start));
            break;
        }
        lines.emplace_back(bytes.substr(start, end - start));
        start = end + 1;
        if (bytes[end] == '\r' && start < bytes.size() && bytes[start] == '\n')
            ++start;
    }
    return lines;
}

} // namespace platform
