#include "progmenu/MODULKnownTasks.h"

#include "platform/TextLines.h"
#include "progmenu/KnownTaskLine.h"

#include <exception>

namespace progmenu {

KnownTasks::KnownTasks(platform::Files& files, platform::Registry& registry, platform::System& system)
    : files_(files)
    , registry_(registry)
    , system_(system)
{
}

void KnownTasks::LoadKnownTasks(const std::string& fileName)
{
    entries_.clear();
    try {
        Load(fileName);
    } catch (const std::exception&) {
        // Out of memory half way: what was stored stays, as for any other failed read.
    }
}

void KnownTasks::Load(const std::string& fileName)
{
    const auto bytes = files_.readBytes(fileName, kMaxFileBytes);
    if (!bytes)
        return;
    std::size_t pos = 0;
    std::string_view text;
    std::size_t textBytes = 0; // label and command bytes held by the entries
    while (platform::NextLine(*bytes, pos, text)) {
        const auto line = ParseKnownTaskLine(text);
        if (!line || line->categories.empty())
            continue;
        const auto command = LookUp(*line);
        if (!command)
            continue;
        const std::size_t entryBytes = line->label.size() + command->size();
        for (int category : line->categories) {
            // The table is full, or the text budget spent: trying to store one more ends the load.
            if (entries_.size() == kMaxEntries || kMaxTextBytes - textBytes < entryBytes)
                return;
            entries_.push_back({category, line->label, *command});
            textBytes += entryBytes;
        }
    }
}

std::optional<std::string> KnownTasks::LookUp(const KnownTaskLine& line)
{
    // Query access only: full access fails under HKEY_LOCAL_MACHINE for ordinary users.
    const auto key = platform::RegistryKey::open(registry_, line.root, line.keyPath, platform::KeyAccess::Read);
    if (!key)
        return std::nullopt;
    const auto value = key.query(line.valueName, kValueBufferBytes);
    if (!value)
        return std::nullopt;
    auto text = ValueText(*value);
    if (!text)
        return std::nullopt;
    if (value->type == platform::kRegExpandSz)
        *text = system_.expandEnvironment(*text);
    return TrimSpaces(*text);
}

} // namespace progmenu
