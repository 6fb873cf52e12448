#pragma once
// The shortcut list and its file: read once at start, written whole after every change. A file
// that was there but could not be read whole at start is never written over: its content would
// be lost, so changes then stay in memory.
#include "platform/Files.h"

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

    const std::vector<std::string>& entries() const { return entries_; }
    // False when the file could not be read whole at start: it is then never written.
    bool writesFile() const { return writesFile_; }
    // False after a change that could not be written (it stays in memory).
    bool saved() const { return saved_; }

    // Each change writes the file; false when nothing changed (full list, no such entry).
    bool Add(std::string entry);
    bool Rename(std::size_t index, std::string_view caption);
    bool Remove(std::size_t index);

private:
    void Save();

    platform::Files& files_;
    std::string path_;
    std::vector<std::string> entries_;
    bool writesFile_ = false;
    bool saved_ = true;
};

} // namespace progmenu
