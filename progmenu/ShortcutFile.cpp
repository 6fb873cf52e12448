#include "progmenu/ShortcutFile.h"

#include "platform/ProgramFolder.h"

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

std::string ShortcutListText(std::string_view entry, std::size_t maxChars)
{
    const ShortcutFields fields = SplitShortcut(entry);
    if (fields.caption.empty() || fields.caption == fields.path)
        return ShownText(fields.path, maxChars);
    std::string shown = ShownText(fields.caption, maxChars);
    if (!fields.path.empty())
        shown.append("  (").append(ShownText(fields.path, maxChars)).append(")");
    return shown;
}

} // namespace progmenu
