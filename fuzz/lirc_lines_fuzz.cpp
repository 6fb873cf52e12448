// The line framer and press parser on any byte stream, cut into reads at sizes the input picks and
// taken out a few lines at a time between reads, as a reader on a budget does. Every line handed
// on is within the limit and holds no line feed, the same stream framed in one read or many, taken
// all at once or a few at a time, gives the same lines, and each press's key is two words.
#include "fuzz/FuzzCheck.h"
#include "infrared/LircLine.h"

#include <cstddef>
#include <cstdint>
#include <string>
#include <vector>

namespace {

void Keep(std::vector<std::string>& lines, std::string_view line)
{
    FUZZ_CHECK(line.size() <= infrared::kMaxLineBytes);
    FUZZ_CHECK(line.find('\n') == std::string_view::npos);
    lines.emplace_back(line);
    if (const auto press = infrared::ParsePress(line)) {
        const std::size_t blank = press->key.find(' ');
        FUZZ_CHECK(blank != std::string::npos && blank > 0 && blank + 1 < press->key.size());
        FUZZ_CHECK(press->key.find(' ', blank + 1) == std::string::npos);
        FUZZ_CHECK(infrared::ButtonKey(line) == press->key);
    }
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size)
{
    if (size < 2)
        return 0;
    const std::size_t step = 1 + data[0] % 64;
    const std::size_t budget = data[1] % 8; // lines taken after each read; 0: none until the end
    const std::string_view stream(reinterpret_cast<const char*>(data + 2), size - 2);

    std::vector<std::string> whole, pieces;
    infrared::LineFramer once, many;
    once.append(stream);
    while (const auto line = once.next())
        Keep(whole, *line);
    for (std::size_t at = 0; at < stream.size(); at += step) {
        many.append(stream.substr(at, step));
        for (std::size_t taken = 0; taken < budget; ++taken) {
            const auto line = many.next();
            if (!line)
                break;
            Keep(pieces, *line);
        }
    }
    while (const auto line = many.next())
        Keep(pieces, *line);
    FUZZ_CHECK(whole == pieces);
    return 0;
}
