#pragma once
// The infrared action map: one entry per line of "IR_SCUTS.INI", "button remote action". The
// first two blank-separated words of an entry are its button key, the text after them and one
// blank its action. Lines the program does not understand are kept word for word. The file side
// is ActionMapFile.
#include <cstddef>
#include <string>
#include <string_view>
#include <unordered_map>
#include <vector>

namespace infrared {

// The actions a button can be given, as the map file names them.
extern const char* const kActionNames[16];
bool IsActionName(std::string_view name);

class ActionMap {
public:
    // What one file may hold to be taken whole.
    static constexpr std::size_t kMaxEntries = 65536;
    static constexpr std::size_t kMaxLineBytes = 4096;

    ActionMap() = default;
    explicit ActionMap(std::vector<std::string> entries);
    // Replaces the map with these entries, in order.
    void Assign(std::vector<std::string> entries);
    std::vector<std::string> TakeEntries();

    const std::vector<std::string>& entries() const { return entries_; }
    // The action of the first entry with this key, or nullptr when none has it.
    const std::string* FirstEntryWith(const std::string& key) const;
    // Appends "key " unless an entry has this key already; the index of the entry with the key.
    std::size_t AddKey(const std::string& key);
    // The first entry with the key becomes "key action", added first when there is none.
    void SetAction(const std::string& key, std::string_view action);
    void Remove(std::size_t index);

private:
    void Reindex();

    std::vector<std::string> entries_;
    std::unordered_map<std::string, std::size_t> first_; // key -> first entry with it
};

// The key of an entry: its first two blank-separated words, joined by one blank.
std::string EntryKey(std::string_view entry);
// The text after the key's two words and the blank after them.
std::string_view EntryAction(std::string_view entry);

} // namespace infrared
