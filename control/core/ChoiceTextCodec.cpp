#include "control/core/ChoiceTextCodec.h"

#include <array>
#include <cmath>
#include <cstdlib>

#include "control/core/Rounding.h"

namespace dralith {

namespace {

constexpr int kDigitZero = 48;

// The character of code `code`, if it is one a one-byte text can hold.
std::optional<char> characterOfCode(double code)
{
    if (!(code >= 0.0 && code <= 255.0))
        return std::nullopt;
    return static_cast<char>(static_cast<unsigned char>(code));
}

// Code of a stored character minus the code of '0'; stored characters are bytes 0..255.
int digitValue(char stored)
{
    return static_cast<int>(static_cast<unsigned char>(stored)) - kDigitZero;
}

} // namespace

std::optional<std::string> encodeSettings(std::int16_t freeOnClick, float displayMode)
{
    const auto first = characterOfCode(kDigitZero + std::abs(static_cast<int>(freeOnClick)));
    const auto second = characterOfCode(roundHalfEven(kDigitZero + static_cast<double>(displayMode)));
    if (!first || !second)
        return std::nullopt;
    return std::string {*first, *second};
}

DecodedSettings decodeSettings(const char* text, std::size_t length)
{
    DecodedSettings decoded;
    if (length >= 1) {
        const int first = digitValue(text[0]);
        if (first == 0 || first == 1)
            decoded.freeOnClick = (first == 1);
    }
    if (length >= 2) {
        const int second = digitValue(text[1]);
        if (second >= 0 && second < 7)
            decoded.displayMode = second;
    } else {
        decoded.invalidArgument = true;
    }
    return decoded;
}

std::size_t storedTextLength(const char* bytes, std::size_t size)
{
    if (size > 0 && bytes[size - 1] == '\0')
        return size - 1;
    return size;
}

std::optional<DecodedSettings> readStoredSettings(const SettingsValueQuery& query)
{
    std::uint32_t size = 0;
    if (!query(nullptr, size) || size == 0 || size > kMaxStoredSettingsBytes)
        return std::nullopt;
    std::array<char, kMaxStoredSettingsBytes> bytes {};
    std::uint32_t read = size;
    if (!query(bytes.data(), read))
        return std::nullopt;
    if (read > size)
        read = size;
    return decodeSettings(bytes.data(), storedTextLength(bytes.data(), read));
}

} // namespace dralith
