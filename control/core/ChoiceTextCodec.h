#pragma once
// The two user choices kept in the registry: a REG_SZ of two characters plus NUL under
// HKEY_CURRENT_USER\Software\Brenwick\Dralith, value name = the host's Application argument.
#include <cstddef>
#include <cstdint>
#include <functional>
#include <optional>
#include <string>

namespace dralith {

constexpr const char* kSettingsKeyPath = "Software\\Brenwick\\Dralith";

// The two characters to store: '0' + |freeOnClick|, then '0' + displayMode rounded half-to-even.
// Nothing when a character code would fall outside 0..255 (free-on-click stored as some odd
// 16-bit value, display mode far outside 0..6): the caller then reports an invalid argument
// and writes nothing. The registry value is these two characters and a NUL (3 bytes).
std::optional<std::string> encodeSettings(std::int16_t freeOnClick, float displayMode);

struct DecodedSettings {
    std::optional<bool> freeOnClick; // set when the first character is '0' or '1'
    std::optional<int> displayMode;  // set when the second character is '0'..'6'
    bool invalidArgument = false;    // the text is shorter than two characters
};

// Decodes the stored text (the value without its terminating NUL). Each character is checked
// by itself; a text shorter than two characters still yields a valid first character but
// reports invalidArgument. Never reads past `length`.
DecodedSettings decodeSettings(const char* text, std::size_t length);

// The stored text of a registry value of `size` bytes as read: drops one terminating NUL if
// the last byte is one (a value written without it keeps all its characters).
std::size_t storedTextLength(const char* bytes, std::size_t size);

// The value is written as three bytes; one larger than this was not written by the control and is
// not read at all, whatever size the registry reports for it.
constexpr std::size_t kMaxStoredSettingsBytes = 64;

// One registry read of the value: with no buffer it stores the value's size in `bytes`, with a
// buffer of `bytes` bytes it fills it and stores the count read. False when the call failed.
using SettingsValueQuery = std::function<bool(char* buffer, std::uint32_t& bytes)>;

// Asks the value's size, then reads it into a buffer of that size and decodes it. Nothing when
// the value is missing, empty or larger than kMaxStoredSettingsBytes, or when a read fails.
std::optional<DecodedSettings> readStoredSettings(const SettingsValueQuery& query);

} // namespace dralith
