#include "progmenu/KnownTaskLine.h"
#include "progmenu/MODULKnownTasks.h"

#include "platform/sim/SimPlatform.h"

#include <gtest/gtest.h>

#include <fstream>
#include <iterator>

using platform::KeyAccess;
using platform::RegistryRoot;
using platform::RegistryValue;
using progmenu::KnownTasks;
using Shown = std::vector<std::string>;

namespace {

constexpr auto kLM = RegistryRoot::LocalMachine;
constexpr auto kCU = RegistryRoot::CurrentUser;
const std::string kFile = "C:\\Bars\\tolvix.TSK";

RegistryValue Sz(const std::string& text)
{
    return {platform::kRegSz, text + '\0'};
}

struct Catalogue {
    sim::SimPlatform sim;
    KnownTasks tasks {sim.files(), sim.registry(), sim.system()};

    void put(RegistryRoot root, const std::string& key, const std::string& name, RegistryValue value)
    {
        sim.sim_registry().putValue(root, key, name, std::move(value));
    }
    // "category|label|command" per entry, so a failure shows the whole catalogue.
    Shown load(const std::string& text)
    {
        sim.sim_files().content[kFile] = text;
        tasks.LoadKnownTasks(kFile);
        Shown shown;
        for (const auto& e : tasks.entries())
            shown.push_back(std::to_string(e.category) + "|" + e.label + "|" + e.command);
        return shown;
    }
};

std::string Lines(std::initializer_list<const char*> lines)
{
    std::string text;
    for (const char* line : lines)
        text += std::string(line) + "\r\n";
    return text;
}

} // namespace

TEST(KnownTaskLine, CutsLabelCategoriesRootKeyAndValueNameAsWritten)
{
    struct Case {
        const char* line;
        const char* label;
        std::vector<int> categories;
        RegistryRoot root;
        const char* key;
        const char* name;
    };
    const Case cases[] = {
        {"Player=1f:HKLM\\Software\\Vendor\\Player\\Cmd", "Player", {1, 15}, kLM, "Software\\Vendor\\Player", "Cmd"},
        {"P=1:HKCU\\k\\v", "P", {1}, kCU, "k", "v"},
        {"P=1:hkcu\\k\\v", "P", {1}, kCU, "k", "v"},
        {"P=1:CU\\k\\v", "P", {1}, kCU, "k", "v"},
        {"P=1:hKcR\\k\\v", "P", {1}, RegistryRoot::ClassesRoot, "k", "v"},
        {"  Two=0:lm\\Key\\Sub\\", "  Two", {0}, kLM, "Key\\Sub", ""}, // final backslash: default value
        {"Top=1:cu\\Value", "Top", {1}, kCU, "", "Value"},             // no backslash: the root key's value
        {"A=1A:lm\\k\\v", "A", {1}, kLM, "k", "v"},
        {"A=11:lm\\k\\v", "A", {1}, kLM, "k", "v"}, // a repeat adds no second entry
        {"A=1a1A0ab:lm\\k\\v", "A", {1, 10, 0, 11}, kLM, "k", "v"},
        {"a:b=9=X:lm\\k\\v", "a:b", {9}, kLM, "k", "v"},
        {"None=ABC:lm\\k\\v", "None", {}, kLM, "k", "v"},
        {"=e:lm\\k\\name:with=signs ", "", {14}, kLM, "k", "name:with=signs "},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.line);
        const auto parsed = progmenu::ParseKnownTaskLine(c.line);
        ASSERT_TRUE(parsed);
        EXPECT_EQ(parsed->label, c.label);
        EXPECT_EQ(parsed->categories, c.categories);
        EXPECT_EQ(parsed->root, c.root);
        EXPECT_EQ(parsed->keyPath, c.key);
        EXPECT_EQ(parsed->valueName, c.name);
    }
    for (const char* skipped : {"", "    ", "/X=1:lm\\k\\v", "   /X=1:lm\\k\\v", "Label only", "X=1 lm\\k\\v",
             "X:1=2 lm\\k\\v", "X=1:HKEY_CURRENT_USER\\k\\v", "X=1:HKXX\\k\\v", "X=1:lm/k\\v", "X=1:lm", "X=1:hk"}) {
        SCOPED_TRACE(skipped);
        EXPECT_FALSE(progmenu::ParseKnownTaskLine(skipped));
    }
}

TEST(KnownTaskValue, CutsAtTheFirstNulAndRefusesWhatHoldsNoText)
{
    struct Case {
        std::uint32_t type;
        std::string data;
        std::optional<std::string> text;
    };
    const Case cases[] = {
        {platform::kRegSz, std::string("C:\\a.exe\0", 9), "C:\\a.exe"},
        {platform::kRegSz, "C:\\a.exe", "C:\\a.exe"}, // unterminated: nothing is lost
        {platform::kRegSz, std::string("cmd\0junk\0", 9), "cmd"}, {platform::kRegSz, std::string("\0", 1), ""},
        {platform::kRegExpandSz, std::string("%Dir%\\x\0", 8), "%Dir%\\x"},
        {platform::kRegSz, std::string(1023, 'x'), std::string(1023, 'x')},
        {platform::kRegSz, std::string(1023, 'x') + '\0', std::string(1023, 'x')},
        {platform::kRegSz, std::string(1024, 'x'), std::nullopt}, // no room left for its terminator
        {platform::kRegSz, "", std::nullopt}, {platform::kRegDword, std::string("\0\0\0\1", 4), std::nullopt},
        {platform::kRegBinary, "abc", std::nullopt}, {7, std::string("a\0b\0\0", 5), std::nullopt}, // REG_MULTI_SZ
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.data.substr(0, 20));
        EXPECT_EQ(progmenu::ValueText({c.type, c.data}), c.text);
    }
    EXPECT_EQ(progmenu::TrimSpaces("  C:\\p q.exe -a=b  "), "C:\\p q.exe -a=b");
    EXPECT_EQ(progmenu::TrimSpaces("   "), "");
}

TEST(KnownTasks, LoadsWhatTheRegistryHoldsInFileOrderAndSkipsTheRest)
{
    Catalogue c;
    c.sim.sim_system().environment = {{"SYSTEMROOT", "C:\\Windows"}};
    c.put(kLM, "SYSTEM\\Env", "ComSpec", {platform::kRegExpandSz, std::string("%SystemRoot%\\cmd.exe %NoSuch%\0", 30)});
    c.put(kCU, "Software\\U", "Cmd", Sz("u.exe"));
    c.put(kLM, "Software\\Def", "", Sz("  C:\\b.exe -x=1  "));
    c.put(kLM, "Software\\T", "Bin", {platform::kRegBinary, "bin.exe"});
    c.put(kLM, "Software\\T", "Empty", {platform::kRegSz, ""});
    c.put(kLM, "Software\\T", "Ok", {platform::kRegSz, "C:\\ok.exe"});
    c.put(kLM, "Software\\T", "Long1023", Sz(std::string(1023, 'L')));
    c.put(kLM, "Software\\T", "Long1024", Sz(std::string(1024, 'L')));
    c.put(RegistryRoot::ClassesRoot, "", "Top", Sz("top.exe"));

    const Shown shown = c.load(Lines({
        "Cmd=8:HKLM\\SYSTEM\\Env\\ComSpec",
        "U1=1:HKCU\\Software\\U\\Cmd",
        "U2=1:hkcu\\Software\\U\\Cmd",
        "U3=1:CU\\Software\\U\\Cmd",
        "Full=1:HKEY_CURRENT_USER\\Software\\U\\Cmd",
        "   /Comment=1:HKCU\\Software\\U\\Cmd",
        "  Spaced=2:LM\\Software\\Def\\",
        "Binary=3:HKLM\\Software\\T\\Bin",
        "Empty=3:HKLM\\Software\\T\\Empty",
        "After=3:HKLM\\Software\\T\\Ok",
        "Long=4:HKLM\\Software\\T\\Long1023",
        "TooLong=4:HKLM\\Software\\T\\Long1024",
        "Missing=9:HKLM\\Software\\Nope\\V",
        "Root=5:cr\\Top",
        "Twice=11:CU\\Software\\U\\Cmd",
        "Upper=1A:CU\\Software\\U\\Cmd",
        "Zero=0:CU\\Software\\U\\Cmd",
    }));
    EXPECT_EQ(shown,
        (Shown {"8|Cmd|C:\\Windows\\cmd.exe %NoSuch%", "1|U1|u.exe", "1|U2|u.exe", "1|U3|u.exe",
            "2|  Spaced|C:\\b.exe -x=1", "3|After|C:\\ok.exe", "4|Long|" + std::string(1023, 'L'), "5|Root|top.exe",
            "1|Twice|u.exe", "1|Upper|u.exe", "0|Zero|u.exe"}));

    // Each line's key opened once, for reading only, and closed again.
    const auto& opens = c.sim.sim_registry().opens;
    EXPECT_EQ(opens.size(), 15u);
    for (const auto& open : opens)
        EXPECT_EQ(open.second, KeyAccess::Read) << open.first;
    EXPECT_EQ(c.sim.sim_registry().openKeys(), 0);

    // A reload replaces everything; a missing or unreadable file leaves nothing.
    EXPECT_EQ(c.load(Lines({"Only=9:HKLM\\Software\\T\\Ok"})), (Shown {"9|Only|C:\\ok.exe"}));
    c.sim.sim_files().unreadable.insert(kFile);
    EXPECT_EQ(c.load(Lines({"Only=9:HKLM\\Software\\T\\Ok"})), Shown {});
    c.tasks.LoadKnownTasks("C:\\Bars\\other.TSK");
    EXPECT_TRUE(c.tasks.entries().empty());
}

TEST(KnownTasks, StoringOneMoreThanTheTableHoldsEndsTheLoad)
{
    Catalogue c;
    c.sim.sim_registry().recordOpens = false;
    c.put(kLM, "S", "V", Sz("v.exe"));
    c.put(kLM, "S", "W", Sz("w.exe"));
    std::string file;
    for (std::size_t i = 0; i < KnownTasks::kMaxEntries / 16 - 1; ++i)
        file += "Many=0123456789abcdef:HKLM\\S\\V\r\n";
    file += "Last=123456789abcdef:HKLM\\S\\V\r\n"; // one short of a full table
    c.sim.sim_files().content[kFile] = file + "More=23:HKLM\\S\\V\r\nNever=4:HKLM\\S\\W\r\n";
    c.tasks.LoadKnownTasks(kFile);

    const auto& entries = c.tasks.entries();
    ASSERT_EQ(entries.size(), KnownTasks::kMaxEntries);
    EXPECT_EQ(entries.back().label, "More");
    EXPECT_EQ(entries.back().category, 2);
}

// One crafted line once asked for tens of GiB: a copy of its 1 MiB label for each of its 65,536
// category characters. Now it costs at most sixteen short entries and the lines after it load.
TEST(KnownTasks, ALineCostsAtMostSixteenEntriesOfACutLabel)
{
    Catalogue c;
    c.put(kLM, "S", "V", Sz("v.exe"));
    std::string categories;
    for (std::size_t i = 0; i < 65536; ++i)
        categories += "0123456789abcdef"[i * 7 % 16];
    const std::string label(1024 * 1024, 'L');
    const Shown shown = c.load(label + "=" + categories + ":HKLM\\S\\V\r\nAfter=3:HKLM\\S\\V\r\n");
    ASSERT_EQ(shown.size(), 17u);
    const std::string cut(progmenu::kMaxLabelChars, 'L');
    EXPECT_EQ(shown[0], "0|" + cut + "|v.exe");
    EXPECT_EQ(shown[1], "7|" + cut + "|v.exe"); // in the order first written
    EXPECT_EQ(shown[16], "3|After|v.exe");
}

// Many lines of the longest label and command: the load ends where their text would pass the
// budget, with what was stored before it kept.
TEST(KnownTasks, TheTextHeldHasABudget)
{
    Catalogue c;
    c.sim.sim_registry().recordOpens = false;
    const std::string command(progmenu::kValueBufferBytes - 1, 'c');
    c.put(kLM, "S", "V", Sz(command));
    const std::string line = std::string(progmenu::kMaxLabelChars, 'L') + "=0123456789abcdef:HKLM\\S\\V\r\n";
    const std::size_t entryBytes = progmenu::kMaxLabelChars + command.size();
    const std::size_t fit = KnownTasks::kMaxTextBytes / entryBytes;
    std::string file;
    for (std::size_t i = 0; i < fit / 16 + 2; ++i)
        file += line;
    c.sim.sim_files().content[kFile] = file;
    c.tasks.LoadKnownTasks(kFile);
    EXPECT_EQ(c.tasks.entries().size(), fit);
    EXPECT_EQ(c.tasks.entries().back().category, static_cast<int>((fit - 1) % 16));
}

TEST(ShippedKnownTaskFile, EveryEntryLineNamesARegistryValueAndRealValuesLoad)
{
    const std::string path = std::string(TOLVANE_SOURCE_DIR) + "/progmenu/tolvix.TSK";
    std::ifstream in(path, std::ios::binary);
    ASSERT_TRUE(in) << path;
    const std::string text((std::istreambuf_iterator<char>(in)), std::istreambuf_iterator<char>());

    int entryLines = 0;
    std::size_t start = 0;
    for (std::size_t end; (end = text.find('\n', start)) != std::string::npos; start = end + 1) {
        ASSERT_TRUE(end > start && text[end - 1] == '\r') << "line ending after offset " << start;
        const std::string line = text.substr(start, end - start - 1);
        ASSERT_EQ(line.find('\r'), std::string::npos) << line;
        const std::string content = progmenu::TrimSpaces(line);
        if (content.empty() || content[0] == '/')
            continue;
        const auto parsed = progmenu::ParseKnownTaskLine(line);
        EXPECT_TRUE(parsed && !parsed->categories.empty()) << line;
        ++entryLines;
    }
    EXPECT_EQ(start, text.size()) << "the last line has no ending";
    EXPECT_GE(entryLines, 20);

    // Values where Windows keeps them: the command interpreter and an App Paths default value.
    Catalogue c;
    c.sim.sim_system().environment = {{"SystemRoot", "C:\\WINDOWS"}};
    c.put(kLM, "SYSTEM\\CurrentControlSet\\Control\\Session Manager\\Environment", "ComSpec",
        {platform::kRegExpandSz, std::string("%SystemRoot%\\system32\\cmd.exe\0", 30)});
    c.put(kLM, "SOFTWARE\\Microsoft\\Windows\\CurrentVersion\\App Paths\\firefox.exe", "",
        Sz("C:\\Program Files\\Mozilla Firefox\\firefox.exe"));
    EXPECT_EQ(c.load(text),
        (Shown {"0|Command Prompt|C:\\WINDOWS\\system32\\cmd.exe", "8|Command Prompt|C:\\WINDOWS\\system32\\cmd.exe",
            "2|Firefox|C:\\Program Files\\Mozilla Firefox\\firefox.exe"}));
}
