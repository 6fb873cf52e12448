#include "settings/SetupRules.h"

#include "settings/Settings.h"

#include <algorithm>
#include <climits>

namespace settings {

namespace {
constexpr int kBackspace = 8;
constexpr int kIntervalMin = kIntervalRange.min;
constexpr int kIntervalMax = kIntervalRange.max;

bool IsDigit(char c)
{
    return c >= '0' && c <= '9';
}
} // namespace

std::optional<long> LeadingNumber(std::string_view text)
{
    std::size_t at = text.find_first_not_of(" \t");
    if (at == std::string_view::npos || !IsDigit(text[at]))
        return std::nullopt;
    long value = 0;
    for (; at < text.size() && IsDigit(text[at]); ++at)
        value = value > (LONG_MAX - 9) / 10 ? LONG_MAX : value * 10 + (text[at] - '0');
    return value;
}

bool IsNumberBoxKey(int characterCode)
{
    return characterCode == kBackspace || (characterCode >= '0' && characterCode <= '9');
}

std::optional<std::string> ClippedNumberText(std::string_view text, int min, int max)
{
    const std::optional<long> value = LeadingNumber(text);
    if (!value || *value < min)
        return text.empty() ? std::nullopt : std::optional<std::string>(std::string());
    if (*value > max)
        return std::to_string(max);
    for (char c : text) {
        if (!IsDigit(c))
            return std::to_string(*value);
    }
    return std::nullopt;
}

std::string SpunIntervalText(std::string_view text, bool up)
{
    // Any shown number above the range spins from just above it (and cannot overflow).
    const long shown = std::min<long>(LeadingNumber(text).value_or(0), kIntervalMax + 1);
    const long spun = up ? shown + 1 : shown - 1;
    const std::string written = spun < 0 ? "0" : std::to_string(spun);
    return ClippedNumberText(written, kIntervalMin, kIntervalMax).value_or(written);
}

float PageTop(int slot)
{
    return slot * (kPageHeight + kPageGap);
}

ui::Size ClientSizeFor(int pages)
{
    return {kPageWidth, PageTop(pages) + kButtonBarHeight};
}

} // namespace settings
