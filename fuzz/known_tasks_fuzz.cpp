// The known-task loader on a simulated registry. The input is a known-task file, then a \x01,
// then the bytes that decide, for each line the file names, whether the registry holds that
// value and with which type and data, and what the environment holds.
#include "fuzz/FuzzCheck.h"
#include "platform/TextLines.h"
#include "platform/sim/SimPlatform.h"
#include "progmenu/KnownTaskLine.h"
#include "progmenu/MODULKnownTasks.h"

#include <fuzzer/FuzzedDataProvider.h>

#include <algorithm>
#include <cstddef>
#include <cstdint>
#include <cstring>
#include <string>
#include <string_view>

namespace {

const char* const kFile = "C:\\Bars\\tolvix.TSK";

// What the loader must find: every line whose value holds text gives one entry per distinct
// category, until the table is full or the next entry's text would pass the budget.
std::size_t ExpectedEntries(std::string_view file, const sim::SimRegistry& registry, platform::System& system)
{
    std::size_t expected = 0;
    std::size_t textBytes = 0;
    std::size_t pos = 0;
    std::string_view text;
    while (platform::NextLine(file, pos, text)) {
        const auto line = progmenu::ParseKnownTaskLine(text);
        if (!line)
            continue;
        // A category repeated in a line adds no second entry.
        unsigned seen = 0;
        for (int category : line->categories) {
            FUZZ_CHECK((seen & (1u << category)) == 0);
            seen |= 1u << category;
        }
        const auto value = registry.value(line->root, line->keyPath, line->valueName);
        if (!value || value->data.size() > progmenu::kValueBufferBytes)
            continue;
        auto command = progmenu::ValueText(*value);
        if (!command)
            continue;
        if (value->type == platform::kRegExpandSz)
            *command = system.expandEnvironment(*command);
        const std::size_t entryBytes = line->label.size() + progmenu::TrimSpaces(*command).size();
        for (std::size_t i = 0; i < line->categories.size(); ++i) {
            if (expected == progmenu::KnownTasks::kMaxEntries ||
                textBytes + entryBytes > progmenu::KnownTasks::kMaxTextBytes)
                return expected;
            ++expected;
            textBytes += entryBytes;
        }
    }
    return expected;
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size)
{
    const std::string_view input(reinterpret_cast<const char*>(data), size);
    const std::size_t split = input.find('\x01');
    const std::string_view file = input.substr(0, split);
    const std::size_t fed = split == std::string_view::npos ? size : split + 1;
    FuzzedDataProvider feed(data + fed, size - fed);

    sim::SimPlatform sim;
    for (std::size_t pos = 0, lines = 0; lines < 64; ++lines) {
        std::string_view text;
        if (!platform::NextLine(file, pos, text))
            break;
        const auto line = progmenu::ParseKnownTaskLine(text);
        if (!line || !feed.ConsumeBool())
            continue;
        const std::uint32_t type = feed.PickValueInArray<std::uint32_t>(
            {0, platform::kRegSz, platform::kRegExpandSz, platform::kRegBinary, platform::kRegDword, 7});
        sim.sim_registry().putValue(
            line->root, line->keyPath, line->valueName, {type, feed.ConsumeRandomLengthString(1100)});
    }
    // Environment strings are NUL-terminated, and a name cannot hold "=": no real one does.
    const auto environmentText = [&](std::size_t length, const char* refused) {
        std::string text = feed.ConsumeRandomLengthString(length);
        text.erase(std::remove_if(text.begin(), text.end(),
                       [&](char c) { return c == '\0' || std::strchr(refused, c) != nullptr; }),
            text.end());
        return text;
    };
    for (int i = feed.ConsumeIntegralInRange(0, 2); i > 0; --i) {
        std::string name = environmentText(16, "=");
        sim.sim_system().environment[name] = environmentText(64, "");
    }
    sim.sim_files().content[kFile] = std::string(file);

    progmenu::KnownTasks tasks(sim.files(), sim.registry(), sim.system());
    tasks.LoadKnownTasks(kFile);

    const auto& entries = tasks.entries();
    FUZZ_CHECK(entries.size() == ExpectedEntries(file, sim.sim_registry(), sim.system()));
    std::size_t textBytes = 0;
    for (const auto& entry : entries) {
        textBytes += entry.label.size() + entry.command.size();
        FUZZ_CHECK(entry.category >= 0 && entry.category <= 15);
        FUZZ_CHECK(entry.label.size() <= progmenu::kMaxLabelChars);
        FUZZ_CHECK(entry.label.find_first_of("=\r\n") == std::string::npos);
        FUZZ_CHECK(entry.command.find('\0') == std::string::npos);
        FUZZ_CHECK(entry.command.empty() || (entry.command.front() != ' ' && entry.command.back() != ' '));
    }
    FUZZ_CHECK(textBytes <= progmenu::KnownTasks::kMaxTextBytes);
    FUZZ_CHECK(sim.sim_registry().openKeys() == 0);
    for (const auto& open : sim.sim_registry().opens)
        FUZZ_CHECK(open.second == platform::KeyAccess::Read);

    // The value cutter on the raw input, as any type.
    for (std::uint32_t type : {platform::kRegSz, platform::kRegExpandSz, platform::kRegBinary}) {
        const auto text = progmenu::ValueText({type, std::string(input)});
        FUZZ_CHECK(!text ||
            (type != platform::kRegBinary && text->size() < progmenu::kValueBufferBytes &&
                input.substr(0, text->size()) == *text &&
                (text->size() == input.size() || input[text->size()] == '\0') &&
                text->find('\0') == std::string::npos));
    }
    return 0;
}
