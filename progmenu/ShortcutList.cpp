#include "progmenu/ShortcutList.h"

#include "progmenu/ShortcutFile.h"

namespace progmenu {

bool FileExists(platform::Files& files, const std::string& name)
{
    // The platform would read a name with a NUL as the part before it.
    if (name.empty() || name.find('\0') != std::string::npos)
        return false;
    return files.exists(name);
}

ShortcutList::ShortcutList(platform::Files& files)
    : files_(files)
{
}

void ShortcutList::Load(const std::string& path)
{
    path_ = path;
    entries_.clear();
    saved_ = true;
    // One byte past the cap tells a file of exactly the cap from a larger one.
    const platform::ReadResult read = files_.read(path, kMaxFileBytes + 1);
    if (read.status == platform::ReadStatus::Missing) {
        writesFile_ = true;
        return;
    }
    writesFile_ = false;
    if (read.status != platform::ReadStatus::Ok)
        return;
    const bool cut = read.bytes.size() > kMaxFileBytes;
    ShortcutFileContent content =
        ParseShortcutFile(std::string_view(read.bytes).substr(0, kMaxFileBytes), kMaxEntries, cut);
    entries_ = std::move(content.entries);
    writesFile_ = content.whole;
}

bool ShortcutList::Add(std::string entry)
{
    if (entries_.size() >= kMaxEntries)
        return false;
    entries_.push_back(std::move(entry));
    Save();
    return true;
}

bool ShortcutList::Rename(std::size_t index, std::string_view caption)
{
    if (index >= entries_.size())
        return false;
    entries_[index] = RenamedShortcut(entries_[index], caption);
    Save();
    return true;
}

bool ShortcutList::Remove(std::size_t index)
{
    if (index >= entries_.size())
        return false;
    entries_.erase(entries_.begin() + static_cast<std::ptrdiff_t>(index));
    Save();
    return true;
}

void ShortcutList::Save()
{
    saved_ = writesFile_ && !path_.empty() && files_.writeBytes(path_, JoinShortcutFile(entries_));
}

} // namespace progmenu
