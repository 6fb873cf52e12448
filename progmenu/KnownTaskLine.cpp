#include "progmenu/KnownTaskLine.h"

#include <algorithm>
#include <cctype>

namespace progmenu {

namespace {

std::string_view Trimmed(std::string_view text)
{
    const std::size_t first = text.find_first_not_of(' ');
    if (first == std::string_view::npos)
        return {};
    return text.substr(first, text.find_last_not_of(' ') - first + 1);
}

char Lower(char c)
{
    return static_cast<char>(std::tolower(static_cast<unsigned char>(c)));
}

// Upper-case letters do not count: only what a hexadecimal digit prints as in lower case.
int CategoryOf(char c)
{
    if (c >= '0' && c <= '9')
        return c - '0';
    if (c >= 'a' && c <= 'f')
        return c - 'a' + 10;
    return -1;
}

std::optional<platform::RegistryRoot> RootOf(std::string_view prefix)
{
    if (prefix.size() != 3 || prefix[2] != '\\')
        return std::nullopt;
    const char a = Lower(prefix[0]), b = Lower(prefix[1]);
    if (a == 'c' && b == 'r')
        return platform::RegistryRoot::ClassesRoot;
    if (a == 'c' && b == 'u')
        return platform::RegistryRoot::CurrentUser;
    if (a == 'l' && b == 'm')
        return platform::RegistryRoot::LocalMachine;
    return std::nullopt;
}

} // namespace

std::optional<KnownTaskLine> ParseKnownTaskLine(std::string_view line)
{
    const std::string_view content = Trimmed(line);
    if (content.empty() || content.front() == '/')
        return std::nullopt;

    const std::size_t equals = line.find('=');
    if (equals == std::string_view::npos)
        return std::nullopt;
    const std::string_view rest = line.substr(equals + 1);
    const std::size_t colon = rest.find(':');
    if (colon == std::string_view::npos)
        return std::nullopt;
    const std::string_view categories = rest.substr(0, colon);
    std::string_view path = rest.substr(colon + 1);

    if (path.size() >= 2 && Lower(path[0]) == 'h' && Lower(path[1]) == 'k')
        path.remove_prefix(2);
    const auto root = RootOf(path.substr(0, 3));
    if (!root)
        return std::nullopt;
    path.remove_prefix(3);

    KnownTaskLine parsed;
    parsed.label = std::string(line.substr(0, std::min(equals, kMaxLabelChars)));
    // At most one entry per category, so a line costs at most sixteen entries however it is written.
    unsigned seen = 0;
    for (char c : categories) {
        const int category = CategoryOf(c);
        if (category < 0 || (seen & (1u << category)) != 0)
            continue;
        seen |= 1u << category;
        parsed.categories.push_back(category);
    }
    parsed.root = *root;
    const std::size_t slash = path.rfind('\\');
    if (slash != std::string_view::npos) {
        parsed.keyPath = std::string(path.substr(0, slash));
        parsed.valueName = std::string(path.substr(slash + 1));
    } else {
        parsed.valueName = std::string(path);
    }
    return parsed;
}

std::optional<std::string> ValueText(const platform::RegistryValue& value)
{
    if (value.type != platform::kRegSz && value.type != platform::kRegExpandSz)
        return std::nullopt;
    if (value.data.empty())
        return std::nullopt;
    // Stored strings usually end in NUL, but nothing forces them to: cut at the first one, if any.
    const std::size_t end = value.data.find('\0');
    const std::size_t length = end == std::string::npos ? value.data.size() : end;
    if (length >= kValueBufferBytes)
        return std::nullopt;
    return value.data.substr(0, length);
}

std::string TrimSpaces(std::string_view text)
{
    return std::string(Trimmed(text));
}

} // namespace progmenu
