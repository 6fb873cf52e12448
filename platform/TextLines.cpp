#include "platform/TextLines.h"

namespace platform {

bool NextLine(std::string_view bytes, std::size_t& pos, std::string_view& line)
{
    if (pos >= bytes.size())
        return false;
    const std::size_t end = bytes.find_first_of("\r\n", pos);
    if (end == std::string_view::npos) {
        line = bytes.substr(pos);
        pos = bytes.size();
        return true;
    }
    line = bytes.substr(pos, end - pos);
    pos = end + 1;
    if (bytes[end] == '\r' && pos < bytes.size() && bytes[pos] == '\n')
        ++pos;
    return true;
}

std::vector<std::string> SplitLines(std::string_view bytes, std::size_t maxLines)
{
    std::vector<std::string> lines;
    std::size_t pos = 0;
    std::string_view line;
    while (lines.size() < maxLines && NextLine(bytes, pos, line))
        lines.emplace_back(line);
    return lines;
}

} // namespace platform
