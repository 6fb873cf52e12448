#pragma once
// Splits file bytes into lines: CR LF, LF or a lone CR ends a line; a last line without an
// ending still counts. No platform involved, so every odd file shape is testable.
#include <string>
#include <string_view>
#include <vector>

namespace platform {

std::vector<std::string> SplitLines(std::string_view bytes, std::size_t maxLines);

} // namespace platform
