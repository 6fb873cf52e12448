// The shortcut file as the bar reads it, and the split of each entry. The input is the file; its
// first byte also picks the entry cap and whether the bytes count as cut short, and the list is
// read from and written back to a simulated folder.
#include "fuzz/FuzzCheck.h"
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
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size)
{
    const std::string_view bytes(reinterpret_cast<const char*>(data), size);
    const std::size_t cap = size == 0 ? 8 : 1 + data[0] % 16;
    const bool cut = size > 0 && (data[0] & 0x80) != 0;

    const progmenu::ShortcutFileContent content = progmenu::ParseShortcutFile(bytes, cap, cut);
    FUZZ_CHECK(content.entries.size() <= cap);
    FUZZ_CHECK(!cut || !content.whole);
    std::size_t held = 0;
    for (const std::string& entry : content.entries) {
        FUZZ_CHECK(!entry.empty() && entry.find_first_of("\r\n") == std::string::npos);
        held += entry.size();
        CheckSplit(entry);
    }
    FUZZ_CHECK(held <= size);
    // Written and read again, the list is the same.
    const std::string written = progmenu::JoinShortcutFile(content.entries);
    const progmenu::ShortcutFileContent reread = progmenu::ParseShortcutFile(written, cap, false);
    FUZZ_CHECK(reread.whole && reread.entries == content.entries);

    // The list on a simulated folder: a file read whole is written back with nothing lost.
    sim::SimPlatform sim;
    sim.sim_files().content[kFile] = std::string(bytes);
    progmenu::ShortcutList list(sim.files());
    list.Load(kFile);
    FUZZ_CHECK(
        list.writesFile() == progmenu::ParseShortcutFile(bytes, progmenu::ShortcutList::kMaxEntries, false).whole);
    const std::vector<std::string> loaded = list.entries();
    if (list.Add("C:\\new.exe")) {
        const std::string file = sim.sim_files().content[kFile];
        if (list.writesFile()) {
            std::vector<std::string> expected = loaded;
            expected.push_back("C:\\new.exe");
            FUZZ_CHECK(file == progmenu::JoinShortcutFile(expected));
        } else {
            FUZZ_CHECK(file == bytes);
        }
    }
    return 0;
}
