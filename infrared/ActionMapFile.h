#pragma once
// The action map and its file "IR_SCUTS.INI": read when the infrared window loads, saved after
// each change the window makes. Before a save the file is read again: a change made to it
// meanwhile (an editor, a second bar) is kept and the window's change applied to it. A file that
// cannot be taken whole as text is never written over; the changes then stay in memory and the
// last save says why.
#include "infrared/ActionMap.h"
#include "platform/Files.h"
#include "platform/SavedLines.h"

#include <cstddef>
#include <string>
#include <string_view>
#include <vector>

namespace infrared {

class ActionMapFile {
public:
    // A larger file is not taken whole, so it is never written over.
    static constexpr std::size_t kMaxFileBytes = 32u << 20;

    explicit ActionMapFile(platform::Files& files);
    ActionMapFile(const ActionMapFile&) = delete;
    ActionMapFile& operator=(const ActionMapFile&) = delete;

    // A missing file is an empty map.
    void Load(const std::string& path);

    const ActionMap& map() const { return map_; }
    const std::vector<std::string>& entries() const { return map_.entries(); }
    const std::string* FirstEntryWith(const std::string& key) const { return map_.FirstEntryWith(key); }
    // False when the file as last read may not be written over.
    bool writesFile() const { return lines_.fileProblem() == platform::FileProblem::None; }
    const platform::SavedLines& lines() const { return lines_; }

    // The first entry with the key becomes "key action", added when none has it; saved. The index
    // of that entry afterwards, -1 when none has the key (it is not two words).
    int SetAction(const std::string& key, std::string_view action);
    // Removes the entry and saves; nothing when there is no such entry.
    void Remove(std::size_t index);

private:
    platform::SavedLines lines_;
    ActionMap map_; // the saved lines with their keys' index
};

} // namespace infrared
