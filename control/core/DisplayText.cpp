#include "control/core/DisplayText.h"

#include <charconv>
#include <cmath>
#include <cstdint>

namespace dralith {

namespace {

void appendNumber(std::string& out, std::int64_t value)
{
    char digits[24];
    const auto end = std::to_chars(digits, digits + sizeof digits, value).ptr;
    out.append(digits, static_cast<std::size_t>(end - digits));
}

// The mode as a whole number 1..6, or 0 for every value that shows no text.
int textMode(double displayMode)
{
    if (!(displayMode >= 1.0 && displayMode <= 6.0) || std::floor(displayMode) != displayMode)
        return 0;
    return static_cast<int>(displayMode);
}

} // namespace

void displayText(double displayMode, const MemoryFigures& figures, std::string& out)
{
    out.clear();
    const int mode = textMode(displayMode);
    if (mode == 0)
        return;

    const std::int32_t physicalPercent = percentOf(figures.availPhys, figures.totalPhys);
    const std::int32_t physicalMB = megabytes(figures.availPhys);

    switch (mode) {
    case 1:
        appendNumber(out, physicalPercent);
        out += "% free";
        return;
    case 2:
        appendNumber(out, physicalMB);
        out += " MB free";
        return;
    case 3:
        appendNumber(out, physicalPercent);
        out += "% physical free";
        break;
    default: // 4..6
        appendNumber(out, physicalMB);
        out += " MB physical free";
        break;
    }
    out += kLineBreak;

    switch (mode) {
    case 3:
    case 4:
        appendNumber(out, percentOf(figures.availPageFile, figures.totalPageFile));
        out += "% pagefile free";
        break;
    case 5:
        appendNumber(out, megabytes(figures.availPageFile));
        out += " MB pagefile free";
        break;
    default: // 6
        appendNumber(out, megabytes(figures.availPageFile));
        out += " / ";
        appendNumber(out, megabytes(figures.totalPageFile));
        out += " MB pagefile free";
        break;
    }
}

std::string displayText(double displayMode, const MemoryFigures& figures)
{
    std::string text;
    displayText(displayMode, figures, text);
    return text;
}

} // namespace dralith
