#pragma once
// The text work of the known-task file: one line cut into its fields, and a registry value cut
// into the command it holds. No platform involved.
//
// A line reads: label "=" category characters ":" registry path, where the path is an optional
// "hk", a root ("cr\", "cu\" or "lm\", any case), then key "\" value name.
#include "platform/Registry.h"

#include <optional>
#include <string>
#include <string_view>
#include <vector>

namespace progmenu {

// Values are read into a buffer of this size, their terminating zero included.
constexpr std::size_t kValueBufferBytes = 1024;
// A label longer than this is cut to it: no menu shows more, and every entry of a line holds a copy.
constexpr std::size_t kMaxLabelChars = 255;

struct KnownTaskLine {
    std::string label;           // as written (leading spaces stay), cut to kMaxLabelChars
    std::vector<int> categories; // 0..15, in the order first written; a repeat adds nothing
    platform::RegistryRoot root = platform::RegistryRoot::LocalMachine;
    std::string keyPath;   // empty: the root key itself
    std::string valueName; // empty: the key's default value
};

// nullopt for lines that describe no lookup: blank, comment (first non-space is "/"), no "=",
// no ":" after it, or an unknown root. A line with no valid category character still parses.
std::optional<KnownTaskLine> ParseKnownTaskLine(std::string_view line);

// The text of a string value, cut at its first NUL; nullopt for a value of another type, a value
// of no bytes at all, or one that leaves no room for its terminator in the buffer.
std::optional<std::string> ValueText(const platform::RegistryValue& value);

// Leading and trailing spaces removed (spaces only, as the file's own blank test).
std::string TrimSpaces(std::string_view text);

} // namespace progmenu
