#include "bar/LogoColour.h"

namespace bar {

namespace {
int HexValue(char c)
{
    if (c >= '0' && c <= '9')
        return c - '0';
    if (c >= 'a' && c <= 'f')
        return c - 'a' + 10;
    if (c >= 'A' && c <= 'F')
        return c - 'A' + 10;
    return -1;
}
} // namespace

std::optional<ui::Colour> ParseLogoColour(std::string_view line)
{
    while (!line.empty() && (line.back() == ' ' || line.back() == '\t'))
        line.remove_suffix(1);
    if (line.size() != 6)
        return std::nullopt;
    ui::Colour rgb = 0;
    for (char c : line) {
        const int v = HexValue(c);
        if (v < 0)
            return std::nullopt;
        rgb = rgb * 16 + static_cast<ui::Colour>(v);
    }
    const ui::Colour red = (rgb >> 16) & 0xFF, green = (rgb >> 8) & 0xFF, blue = rgb & 0xFF;
    return red | (green << 8) | (blue << 16);
}

} // namespace bar
