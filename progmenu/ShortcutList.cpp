#include "progmenu/ShortcutList.h"

#include "progmenu/ShortcutFile.h"

namespace progmenu {

namespace {

constexpr std::size_t kNone = static_cast<std::size_t>(-1);

// Where an entry stands now: at its old place if it is still there, else its first copy.
std::size_t Find(const std::vector<std::string>& entries, const std::string& entry, std::size_t oldIndex)
{
    if (oldIndex < entries.size() && entries[oldIndex] == entry)
        return oldIndex;
    for (std::size_t i = 0; i < entries.size(); ++i)
        if (entries[i] == entry)
            return i;
    return kNone;
}

} // namespace

bool FileExists(platform::Files& files, const std::string& name)
{
    // The platform would read a name with a NUL as the part before it.
    if (name.empty() || name.find('\0') != std::string::npos)
        return false;
    return files.exists(name);
}

ShortcutList::ShortcutList(platform::Files& files)
    : lines_(files, {kMaxFileBytes, kMaxEntries, kMaxFileBytes})
{
}

void ShortcutList::Load(const std::string& path)
{
    lines_.Load(path);
}

bool ShortcutList::Add(std::string entry)
{
    return lines_.Apply([entry = std::move(entry)](std::vector<std::string>& entries) {
        if (entries.size() >= kMaxEntries)
            return false;
        entries.push_back(entry);
        return true;
    });
}

bool ShortcutList::Rename(std::size_t index, std::string_view caption)
{
    if (index >= entries().size())
        return false;
    return lines_.Apply([index, before = entries()[index], renamed = RenamedShortcut(entries()[index], caption)](
                            std::vector<std::string>& entries) {
        const std::size_t at = Find(entries, before, index);
        if (at == kNone)
            return false;
        entries[at] = renamed;
        return true;
    });
}

bool ShortcutList::Remove(std::size_t index)
{
    if (index >= entries().size())
        return false;
    return lines_.Apply([index, before = entries()[index]](std::vector<std::string>& entries) {
        // Removed meanwhile by someone else: that is done already.
        const std::size_t at = Find(entries, before, index);
        if (at != kNone)
            entries.erase(entries.begin() + static_cast<std::ptrdiff_t>(at));
        return true;
    });
}

} // namespace progmenu
