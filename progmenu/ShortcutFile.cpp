#include "progmenu/ShortcutFile.h"

#include "platform/ProgramFolder.h"
#include "platform/TextLines.h"

namespace progmenu {

namespace {

constexpr char kQuote = '"';

} // namespace

std::string ShortcutFilePath(const std::string& executablePath)
{
    return platform::FileBesideProgram(executablePath, "SHORTCUT.INI");
}

ShortcutFields SplitShortcut(std::string_view entry)
{
    ShortcutFields fields;
    const std::size_t first = entry.find(kQuote);
    if (first == std::string_view::npos) {
        fields.path = std::string(entry);
        fields.caption = fields.path;
        return fields;
    }
    fields.path = std::string(entry.substr(0, first));
    const std::size_t second = entry.find(kQuote, first + 1);
    if (second == std::string_view::npos) {
        fields.caption = std::string(entry.substr(first + 1));
        return fields;
    }
    fields.second = std::string(entry.substr(first + 1, second - first - 1));
    fields.caption = std::string(entry.substr(second + 1));
    return fields;
}

std::string ShortcutCaption(const ShortcutFields& fields)
{
    return fields.caption.empty() ? fields.path : fields.caption;
}

bool IsShortcutPath(std::string_view path)
{
    return !path.empty() && path.find_first_of(std::string_view("\"\r\n\0", 4)) == std::string_view::npos;
}

std::string NewShortcut(std::string_view programPath)
{
    const std::size_t slash = programPath.find_last_of("\\/:");
    std::string_view name = slash == std::string_view::npos ? programPath : programPath.substr(slash + 1);
    const std::size_t dot = name.rfind('.');
    if (dot != std::string_view::npos && dot > 0)
        name = name.substr(0, dot);
    std::string entry(programPath);
    entry += kQuote;
    entry += kQuote;
    entry += name;
    return entry;
}

std::string RenamedShortcut(std::string_view entry, std::string_view caption)
{
    const ShortcutFields fields = SplitShortcut(entry);
    std::string renamed = fields.path;
    renamed += kQuote;
    renamed += fields.second;
    renamed += kQuote;
    for (char c : caption)
        renamed += (c == '\r' || c == '\n' || c == '\0') ? ' ' : c;
    return renamed;
}

std::string ShortcutCommand(std::string_view programPath)
{
    std::string command;
    command.reserve(programPath.size() + 2);
    command += kQuote;
    command += programPath;
    command += kQuote;
    return command;
}

std::string ShownText(std::string_view text, std::size_t maxChars)
{
    const bool cut = text.size() > maxChars;
    std::string shown(text.substr(0, maxChars));
    for (char& c : shown)
        if (static_cast<unsigned char>(c) < 0x20)
            c = ' ';
    if (cut)
        shown += "...";
    return shown;
}

ShortcutFileContent ParseShortcutFile(std::string_view bytes, std::size_t maxEntries, bool cut)
{
    ShortcutFileContent content;
    if (cut) {
        content.whole = false;
        const std::size_t end = bytes.find_last_of("\r\n");
        bytes = end == std::string_view::npos ? std::string_view() : bytes.substr(0, end + 1);
    }
    std::size_t pos = 0;
    std::string_view line;
    while (platform::NextLine(bytes, pos, line)) {
        if (line.empty())
            continue;
        if (content.entries.size() == maxEntries) {
            content.whole = false;
            break;
        }
        content.entries.emplace_back(line);
    }
    return content;
}

std::string JoinShortcutFile(const std::vector<std::string>& entries)
{
    std::size_t size = 0;
    for (const std::string& entry : entries)
        size += entry.size() + 2;
    std::string bytes;
    bytes.reserve(size);
    for (const std::string& entry : entries) {
        bytes += entry;
        bytes += "\r\n";
    }
    return bytes;
}

} // namespace progmenu
