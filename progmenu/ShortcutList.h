#pragma once
// The shortcut list and its file: read at start, saved after every change. Before each save the
// file is read again: a change made to it meanwhile (an editor, a second bar) is kept and the
// user's change applied to it. A file that was there but could not be taken whole as text is
// never written over; changes then stay in memory and the list says why they are not saved.
#include "platform/Files.h"
#include "platform/SavedLines.h"

#include <cstddef>
#include <string>
#include <string_view>
#include <vector>

namespace progmenu {

// True when the file can be opened for reading; false for an empty name or one no file can have.
bool FileExists(platform::Files& files, const std::string& name);

class ShortcutList {
public:
    // Caps of one read: a file beyond them is "not read whole" and kept from being written over.
    static constexpr std::size_t kMaxFileBytes = 16 * 1024 * 1024;
    static constexpr std::size_t kMaxEntries = 200000;

    explicit ShortcutList(platform::Files& files);
    ShortcutList(const ShortcutList&) = delete;
    ShortcutList& operator=(const ShortcutList&) = delete;

    // Reads the list from `path`, which later changes are written to. A missing file is an empty
    // list.
    void Load(const std::string& path);
    // Reads the file again when it was changed by someone else and no change waits to be saved;
    // true when it was.
    bool Refresh() { return lines_.Refresh(); }

    const std::vector<std::string>& entries() const { return lines_.lines(); }
    // False when the file as last read may not be written over.
    bool writesFile() const { return lines_.fileProblem() == platform::FileProblem::None; }
    // False while changes wait for a save that works.
    bool saved() const { return !lines_.unsaved(); }
    const platform::SavedLines& lines() const { return lines_; }

    // Each change saves the list; false when nothing changed (full list, no such entry). A rename
    // of an entry someone else changed or removed meanwhile no longer applies, and the last save
    // counts it as dropped.
    bool Add(std::string entry);
    bool Rename(std::size_t index, std::string_view caption);
    bool Remove(std::size_t index);

private:
    platform::SavedLines lines_;
};

} // namespace progmenu
