#pragma once
// Splits file bytes into lines: CR LF, LF or a lone CR ends a line; a last line without an
// ending still counts. No platform involved, so every odd file shape is testable.
#include <string>
#include <string_view>
#include <vector>

namespace platform {

std::vector<std::string> SplitLines(std::string_view bytes, std::size_t maxLines);

// One line at a time, for files too large to hold as a list of lines: sets line to the line
// that starts at pos and moves pos past its ending; false when no line is left.
bool NextLine(std::string_view bytes, std::size_t& pos, std::string_view& line);

} // namespace platform
