// The ".NFO" side file as the bar reads it: the first two lines, the first one a logo colour.
#include "bar/LogoColour.h"
#include "bar/SideFiles.h"
#include "fuzz/FuzzCheck.h"
#include "platform/TextLines.h"

#include <cctype>
#include <cstddef>
#include <cstdint>
#include <cstdio>
#include <string_view>

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size)
{
    const std::string_view bytes(reinterpret_cast<const char*>(data), size);
    const auto lines = platform::SplitLines(bytes, 2);
    FUZZ_CHECK(lines.size() <= 2);
    std::size_t inLines = 0;
    for (const auto& line : lines) {
        FUZZ_CHECK(line.find_first_of("\r\n") == std::string::npos);
        inLines += line.size();
    }
    FUZZ_CHECK(inLines <= size);
    // The bar's own reader agrees with the lines: a tooltip only after a colour.
    const bar::LogoDescription read = bar::ParseLogoDescription(std::string(bytes));
    FUZZ_CHECK(read.colour == (lines.empty() ? std::nullopt : bar::ParseLogoColour(lines[0])));
    FUZZ_CHECK(!read.toolTip || (read.colour && lines.size() == 2 && *read.toolTip == lines[1]));
    if (lines.empty())
        return 0;

    const auto colour = bar::ParseLogoColour(lines[0]);
    if (!colour)
        return 0;
    // Printed back as RRGGBB it is the line's own six digits.
    FUZZ_CHECK(*colour <= 0xFFFFFF);
    char printed[7];
    std::snprintf(printed, sizeof printed, "%02X%02X%02X", static_cast<unsigned>(*colour & 0xFF),
        static_cast<unsigned>((*colour >> 8) & 0xFF), static_cast<unsigned>((*colour >> 16) & 0xFF));
    FUZZ_CHECK(lines[0].size() >= 6);
    for (int i = 0; i < 6; ++i)
        FUZZ_CHECK(std::toupper(static_cast<unsigned char>(lines[0][i])) == printed[i]);
    return 0;
}
