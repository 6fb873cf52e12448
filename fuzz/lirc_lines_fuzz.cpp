// The line framer and press parser on any byte stream, cut into reads at sizes the input picks.
// Every line handed on is within the limit and holds no line feed, the same stream framed in one
// read or many gives the same lines, and each press's key is two words.
#include "fuzz/FuzzCheck.h"
#include "infrared/LircLine.h"

#include <cstddef>
#include <cstdint>
#include <string>
#include <vector>

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size)
{
    if (size == 0)
        return 0;
    const std::size_t step = 1 + data[0] % 64;
    const std::string_view stream(reinterpret_cast<const char*>(data + 1), size - 1);

    std::vector<std::string> whole, pieces;
    infrared::LineFramer once, many;
    const auto keep = [](std::vector<std::string>& lines) {
        return [&lines](std::string_view line) {
            FUZZ_CHECK(line.size() <= infrared::kMaxLineBytes);
            FUZZ_CHECK(line.find('\n') == std::string_view::npos);
            lines.emplace_back(line);
            if (const auto press = infrared::ParsePress(line)) {
                const std::size_t blank = press->key.find(' ');
                FUZZ_CHECK(blank != std::string::npos && blank > 0 && blank + 1 < press->key.size());
                FUZZ_CHECK(press->key.find(' ', blank + 1) == std::string::npos);
                FUZZ_CHECK(infrared::ButtonKey(line) == press->key);
            }
        };
    };
    once.feed(stream, keep(whole));
    for (std::size_t at = 0; at < stream.size(); at += step)
        many.feed(stream.substr(at, step), keep(pieces));
    FUZZ_CHECK(whole == pieces);
    return 0;
}
