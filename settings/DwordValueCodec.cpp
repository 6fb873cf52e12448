#include "settings/DwordValueCodec.h"

#include <cmath>

namespace settings {

unsigned storedNumber(float number)
{
    if (std::isnan(number) || number <= 0.0f)
        return 0;
    if (number >= 65535.0f)
        return 65535;
    const double whole = std::floor(number);
    const double fraction = number - whole;
    auto rounded = static_cast<unsigned>(whole);
    if (fraction > 0.5 || (fraction == 0.5 && rounded % 2 != 0))
        ++rounded;
    return rounded > 65535 ? 65535 : rounded;
}

std::string encodeFlag(bool flag)
{
    return std::string {'\0', '\0', '\0', flag ? '\1' : '\0'};
}

std::string encodeNumber(float number)
{
    const unsigned v = storedNumber(number);
    return std::string {'\0', '\0', static_cast<char>(v >> 8), static_cast<char>(v & 0xFF)};
}

namespace {

// The two leading bytes are zero in both layouts.
bool wellFormed(const platform::RegistryValue& value)
{
    return value.type == platform::kRegDword && value.data.size() == kValueBytes && value.data[0] == '\0' &&
        value.data[1] == '\0';
}

} // namespace

std::optional<bool> decodeFlag(const platform::RegistryValue& value)
{
    if (!wellFormed(value) || value.data[2] != '\0')
        return std::nullopt;
    if (value.data[3] == '\1')
        return true;
    if (value.data[3] == '\0')
        return false;
    return std::nullopt;
}

std::optional<float> decodeNumber(const platform::RegistryValue& value)
{
    if (!wellFormed(value))
        return std::nullopt;
    const auto high = static_cast<unsigned char>(value.data[2]);
    const auto low = static_cast<unsigned char>(value.data[3]);
    return static_cast<float>(high * 256u + low);
}

} // namespace settings
