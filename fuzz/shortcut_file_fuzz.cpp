// The shortcut file as the bar reads it, and the split of each entry. The input is the file, read
// from and written back to a simulated folder.
#include "fuzz/FuzzCheck.h"
#include "platform/LineFile.h"
#include "platform/sim/SimPlatform.h"
#include "progmenu/ShortcutFile.h"
#include "progmenu/ShortcutList.h"

#include <cstddef>
#include <cstdint>
#include <string>
#include <string_view>

namespace {

const char* const kFile = "C:\\Bars\\SHORTCUT.INI";

void CheckSplit(const std::string& entry)
{
    const progmenu::ShortcutFields f = progmenu::SplitShortcut(entry);
    FUZZ_CHECK(f.path.find('"') == std::string::npos && f.second.find('"') == std::string::npos);
    // The fields put together again are the entry.
    const std::size_t quotes = entry.find('"') == std::string::npos ? 0
        : entry.find('"', entry.find('"') + 1) == std::string::npos ? 1
                                                                    : 2;
    if (quotes == 0)
        FUZZ_CHECK(f.path == entry && f.caption == entry && f.second.empty());
    else if (quotes == 1)
        FUZZ_CHECK(f.path + '"' + f.caption == entry && f.second.empty());
    else
        FUZZ_CHECK(f.path + '"' + f.second + '"' + f.caption == entry);
    FUZZ_CHECK(progmenu::ShortcutCaption(f) == (f.caption.empty() ? f.path : f.caption));

    // A new caption, whatever it holds, keeps path and second field and one line.
    const std::string renamed = progmenu::RenamedShortcut(entry, entry);
    FUZZ_CHECK(renamed.find_first_of("\r\n") == std::string::npos);
    const progmenu::ShortcutFields again = progmenu::SplitShortcut(renamed);
    FUZZ_CHECK(again.path == f.path && again.second == f.second && again.caption.size() == entry.size());

    const std::string shown = progmenu::ShownText(entry, 64);
    FUZZ_CHECK(shown.size() <= 67);
    for (char c : shown)
        FUZZ_CHECK(static_cast<unsigned char>(c) >= 0x20);
    // The window's line: caption and path, each cut, on one line.
    const std::string listed = progmenu::ShortcutListText(entry, 64);
    FUZZ_CHECK(listed.size() <= 67 + 3 + 67 + 1);
    for (char c : listed)
        FUZZ_CHECK(static_cast<unsigned char>(c) >= 0x20);
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size)
{
    const std::string_view bytes(reinterpret_cast<const char*>(data), size);
    sim::SimPlatform sim;
    sim.sim_files().content[kFile] = std::string(bytes);
    progmenu::ShortcutList list(sim.files());
    list.Load(kFile);
    const platform::LineFileContent parsed = platform::ParseLineFile({platform::ReadStatus::Ok, std::string(bytes)},
        {progmenu::ShortcutList::kMaxFileBytes, progmenu::ShortcutList::kMaxEntries,
            progmenu::ShortcutList::kMaxFileBytes},
        sim.files().codePage());
    FUZZ_CHECK(list.entries() == parsed.lines);
    FUZZ_CHECK(list.writesFile() == (parsed.problem == platform::FileProblem::None));
    for (const std::string& entry : list.entries())
        CheckSplit(entry);

    // A file taken whole is written back with nothing lost; any other is left as it is.
    const std::vector<std::string> loaded = list.entries();
    FUZZ_CHECK(list.Add("C:\\new.exe"));
    const std::string file = sim.sim_files().content[kFile];
    if (list.writesFile()) {
        std::vector<std::string> expected = loaded;
        expected.push_back("C:\\new.exe");
        platform::TextEncoding encoding = parsed.encoding;
        FUZZ_CHECK(list.saved() && file == platform::LineFileBytes(expected, encoding, sim.files().codePage()));
    } else {
        FUZZ_CHECK(!list.saved() && file == bytes);
    }
    return 0;
}
