#include "infrared/ActionMap.h"

namespace infrared {

const char* const kActionNames[16] = {"PrevTask", "NextTask", "MinTask", "MaxTask", "KillTask", "AlignNone", "MoveUp",
    "MoveDown", "MoveLeft", "MoveRight", "FreeMem", "Quit", "Log off", "Restart", "Shut down", "Run"};

bool IsActionName(std::string_view name)
{
    for (const char* known : kActionNames)
        if (name == known)
            return true;
    return false;
}

std::string EntryKey(std::string_view entry)
{
    std::size_t pos = 0;
    std::string key;
    for (int word = 0; word < 2; ++word) {
        while (pos < entry.size() && entry[pos] == ' ')
            ++pos;
        const std::size_t start = pos;
        while (pos < entry.size() && entry[pos] != ' ')
            ++pos;
        if (pos == start)
            break;
        if (word > 0)
            key += ' ';
        key.append(entry.substr(start, pos - start));
    }
    return key;
}

std::string_view EntryAction(std::string_view entry)
{
    // After the key's two words and the one blank that follows them.
    std::size_t pos = 0;
    for (int word = 0; word < 2; ++word) {
        while (pos < entry.size() && entry[pos] == ' ')
            ++pos;
        while (pos < entry.size() && entry[pos] != ' ')
            ++pos;
    }
    return pos < entry.size() ? entry.substr(pos + 1) : std::string_view();
}

ActionMap::ActionMap(std::vector<std::string> entries)
{
    Assign(std::move(entries));
}

void ActionMap::Assign(std::vector<std::string> entries)
{
    entries_ = std::move(entries);
    Reindex();
}

std::vector<std::string> ActionMap::TakeEntries()
{
    std::vector<std::string> taken = std::move(entries_);
    entries_.clear();
    first_.clear();
    return taken;
}

const std::string* ActionMap::FirstEntryWith(const std::string& key) const
{
    const auto found = first_.find(key);
    return found == first_.end() ? nullptr : &entries_[found->second];
}

std::size_t ActionMap::AddKey(const std::string& key)
{
    const auto found = first_.find(key);
    if (found != first_.end())
        return found->second;
    entries_.push_back(key + ' ');
    first_.emplace(EntryKey(entries_.back()), entries_.size() - 1);
    return entries_.size() - 1;
}

void ActionMap::SetAction(const std::string& key, std::string_view action)
{
    const std::size_t index = AddKey(key);
    std::string entry = EntryKey(entries_[index]);
    entry.append(1, ' ').append(action);
    entries_[index] = std::move(entry);
}

void ActionMap::Remove(std::size_t index)
{
    if (index >= entries_.size())
        return;
    entries_.erase(entries_.begin() + static_cast<std::ptrdiff_t>(index));
    Reindex();
}

void ActionMap::Reindex()
{
    first_.clear();
    first_.reserve(entries_.size());
    for (std::size_t i = 0; i < entries_.size(); ++i)
        first_.emplace(EntryKey(entries_[i]), i); // keeps the first of equal keys
}

} // namespace infrared
