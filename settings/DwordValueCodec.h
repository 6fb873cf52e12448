#pragma once
// The byte layouts of the stored settings. Both are REG_DWORD values of 4 bytes, written high
// byte first: a flag is 00 00 00 01 or 00 00 00 00, a number v is 00 00 H L with H and L the
// high and low bytes of v rounded to a whole number and clipped to 0..65535.
#include "platform/Registry.h"

#include <optional>
#include <string>

namespace settings {

constexpr std::size_t kValueBytes = 4;

std::string encodeFlag(bool flag);
// NaN is stored as 0; an exact half goes to the even neighbour (2.5 -> 2, 255.5 -> 256).
std::string encodeNumber(float number);

// Whole number 0..65535, the rounding and clipping of encodeNumber.
unsigned storedNumber(float number);

// nullopt for any other type, size or layout.
std::optional<bool> decodeFlag(const platform::RegistryValue& value);
std::optional<float> decodeNumber(const platform::RegistryValue& value);

} // namespace settings
