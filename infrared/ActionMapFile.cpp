#include "infrared/ActionMapFile.h"

namespace infrared {

ActionMapFile::ActionMapFile(platform::Files& files)
    : lines_(files, {kMaxFileBytes, ActionMap::kMaxEntries, ActionMap::kMaxLineBytes})
{
}

void ActionMapFile::Load(const std::string& path)
{
    lines_.Load(path);
    map_.Assign(lines_.lines());
}

int ActionMapFile::SetAction(const std::string& key, std::string_view action)
{
    lines_.Apply([key, action = std::string(action)](std::vector<std::string>& entries) {
        ActionMap map(std::move(entries));
        map.SetAction(key, action);
        entries = map.TakeEntries();
        return true;
    });
    map_.Assign(lines_.lines());
    const std::string* entry = map_.FirstEntryWith(key);
    return entry ? static_cast<int>(entry - map_.entries().data()) : -1;
}

void ActionMapFile::Remove(std::size_t index)
{
    if (index >= entries().size())
        return;
    lines_.Apply([index, before = entries()[index]](std::vector<std::string>& entries) {
        // Gone already when someone else removed it meanwhile; else at its place or its first copy.
        std::size_t at = index;
        if (at >= entries.size() || entries[at] != before)
            for (at = 0; at < entries.size() && entries[at] != before; ++at) { }
        if (at < entries.size())
            entries.erase(entries.begin() + static_cast<std::ptrdiff_t>(at));
        return true;
    });
    map_.Assign(lines_.lines());
}

} // namespace infrared
