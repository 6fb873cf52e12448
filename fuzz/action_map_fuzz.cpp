// The action map file reader: whatever it takes whole writes back as a file that reads the same,
// and look-ups by key find the first entry that has it.
#include "fuzz/FuzzCheck.h"
#include "infrared/ActionMap.h"

#include <cstddef>
#include <cstdint>

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size)
{
    const std::string_view bytes(reinterpret_cast<const char*>(data), size);
    infrared::ActionMap map;
    const bool whole = map.Load(bytes);
    for (const std::string& entry : map.entries()) {
        FUZZ_CHECK(!entry.empty() && entry.size() <= infrared::ActionMap::kMaxLineBytes);
        const std::string* first = map.FirstEntryWith(infrared::EntryKey(entry));
        FUZZ_CHECK(first && infrared::EntryKey(*first) == infrared::EntryKey(entry));
    }
    if (whole) {
        infrared::ActionMap again;
        FUZZ_CHECK(again.Load(map.Serialise()));
        FUZZ_CHECK(again.entries() == map.entries());
    }
    if (!map.entries().empty()) {
        const std::string key = infrared::EntryKey(map.entries().front());
        map.SetAction(key, "NextTask");
        FUZZ_CHECK(infrared::EntryAction(*map.FirstEntryWith(key)) == "NextTask" || key.find(' ') == std::string::npos);
        map.Remove(0);
    }
    return 0;
}
