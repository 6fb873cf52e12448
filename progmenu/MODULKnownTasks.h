#pragma once
// The known-task catalogue: the applications the known-task file describes that the registry
// shows as installed, each with its menu category, label and command line.
#include "platform/Files.h"
#include "platform/Registry.h"
#include "platform/System.h"

#include <cstddef>
#include <optional>
#include <string>
#include <vector>

namespace progmenu {

struct KnownTaskLine;

struct KnownTask {
    int category = 0; // 0..15
    std::string label;
    std::string command;
};

class KnownTasks {
public:
    static constexpr std::size_t kMaxEntries = 65536;
    static constexpr std::size_t kMaxFileBytes = 16 * 1024 * 1024;
    // Label and command bytes of all entries together; a line that would go beyond ends the load,
    // as a full table does. A real catalogue holds a few kilobytes.
    static constexpr std::size_t kMaxTextBytes = 8 * 1024 * 1024;

    KnownTasks(platform::Files& files, platform::Registry& registry, platform::System& system);

    // Replaces the catalogue with what the named file describes; a missing file leaves it empty.
    // Never throws: on any failure the entries found so far stay.
    void LoadKnownTasks(const std::string& fileName);

    // In file order; one entry per distinct category character of a line.
    const std::vector<KnownTask>& entries() const { return entries_; }

private:
    void Load(const std::string& fileName);
    // The command the line's registry value holds, or nullopt when the line yields nothing.
    std::optional<std::string> LookUp(const KnownTaskLine& line);

    platform::Files& files_;
    platform::Registry& registry_;
    platform::System& system_;
    std::vector<KnownTask> entries_;
};

} // namespace progmenu
