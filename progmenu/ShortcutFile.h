#pragma once
// The text work of the shortcut list, with no platform: where its file is, how an entry splits
// into program path and caption, and how an entry is shown. The file itself is a line file
// (platform/LineFile.h).
#include <cstddef>
#include <string>
#include <string_view>

namespace progmenu {

// "SHORTCUT.INI" in the executable's folder, whatever the executable is called.
std::string ShortcutFilePath(const std::string& executablePath);

// An entry is a program path, a double quote, a second field, a double quote and the caption.
// With one double quote, all after it is the caption; with none, the whole text is both the path
// and the caption.
struct ShortcutFields {
    std::string path;
    std::string second; // kept as it is, never used
    std::string caption;
};
ShortcutFields SplitShortcut(std::string_view entry);
// The caption shown for an entry: its own, or its program path when it has none.
std::string ShortcutCaption(const ShortcutFields& fields);

// Whether a file name can stand as an entry's program path (it must not split or break a line).
bool IsShortcutPath(std::string_view path);
// A new entry for a program, captioned with its file name without the extension.
std::string NewShortcut(std::string_view programPath);
// The entry with another caption; its path and second field stay. Line breaks and NULs in the
// caption become spaces, so that the entry stays one line.
std::string RenamedShortcut(std::string_view entry, std::string_view caption);
// The command line that starts the program: the path in double quotes, for paths with spaces.
std::string ShortcutCommand(std::string_view programPath);

// A text as one line of a list or menu: control characters as spaces, cut to maxChars with
// "..." after it.
std::string ShownText(std::string_view text, std::size_t maxChars);
// An entry as the shortcut window lists it: "caption  (program path)", or the path alone when the
// caption is empty or the path itself; each part cut to maxChars.
std::string ShortcutListText(std::string_view entry, std::size_t maxChars);

} // namespace progmenu
