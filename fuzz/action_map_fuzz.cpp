// The action map file reader: whatever it takes whole writes back as a file that reads the same,
// and look-ups by key find the first entry that has it.
#include "fuzz/FuzzCheck.h"
#include "infrared/ActionMapFile.h"
#include "platform/sim/SimPlatform.h"

#include <cstddef>
#include <cstdint>

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size)
{
    const char* const path = "C:\\IR_SCUTS.INI";
    sim::SimFiles files;
    files.content[path] = std::string(reinterpret_cast<const char*>(data), size);
    infrared::ActionMapFile file(files);
    file.Load(path);
    const infrared::ActionMap& map = file.map();
    for (const std::string& entry : map.entries()) {
        FUZZ_CHECK(!entry.empty() && entry.size() <= infrared::ActionMap::kMaxLineBytes);
        const std::string* first = map.FirstEntryWith(infrared::EntryKey(entry));
        FUZZ_CHECK(first && infrared::EntryKey(*first) == infrared::EntryKey(entry));
    }
    const bool whole = file.writesFile();
    const std::vector<std::string> loaded = map.entries();
    if (!map.entries().empty()) {
        const std::string key = infrared::EntryKey(map.entries().front());
        // A key of two words names the entry that now has the action; a one-word one cannot.
        const int index = file.SetAction(key, "NextTask");
        if (key.find(' ') != std::string::npos)
            FUZZ_CHECK(
                index >= 0 && infrared::EntryAction(map.entries()[static_cast<std::size_t>(index)]) == "NextTask");
        file.Remove(0);
    }
    if (whole) {
        // What was saved reads back as the map in memory.
        infrared::ActionMapFile again(files);
        again.Load(path);
        FUZZ_CHECK(again.writesFile() && again.entries() == map.entries());
    } else {
        FUZZ_CHECK(files.content[path] == std::string(reinterpret_cast<const char*>(data), size));
    }
    return 0;
}
