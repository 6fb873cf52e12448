// The shortcut list: its file read at start and saved after each change (merged with changes made
// to it meanwhile, never over a file it could not take whole as text, in the file's own encoding),
// its items at the top of the program menu, and the shortcut window.
#include "bar/BarFixture.h"
#include "progmenu/ProgramMenuIds.h"
#include "progmenu/ShortcutFile.h"
#include "progmenu/ShortcutIds.h"
#include "progmenu/ShortcutList.h"

#include <algorithm>
#include <optional>

namespace {

namespace m = progmenu_ids;
namespace ids = shortcut_ids;
using Texts = std::vector<std::string>;

const std::string kIni = "C:\\Bars\\SHORTCUT.INI";

TEST(ShortcutText, EntriesSplitIntoPathSecondFieldAndCaption)
{
    const auto split = [](std::string_view entry) {
        const progmenu::ShortcutFields f = progmenu::SplitShortcut(entry);
        return Texts {f.path, f.second, f.caption, progmenu::ShortcutCaption(f)};
    };
    EXPECT_EQ(split("C:\\A\\a.exe\"icon\"My \"A\""), (Texts {"C:\\A\\a.exe", "icon", "My \"A\"", "My \"A\""}));
    EXPECT_EQ(split("C:\\a.exe\"One"), (Texts {"C:\\a.exe", "", "One", "One"}));
    EXPECT_EQ(split("C:\\a.exe\"x\""), (Texts {"C:\\a.exe", "x", "", "C:\\a.exe"}));
    EXPECT_EQ(split("C:\\Program Files\\b.exe"),
        (Texts {"C:\\Program Files\\b.exe", "", "C:\\Program Files\\b.exe", "C:\\Program Files\\b.exe"}));

    // A new caption keeps path and second field, and stays on one line.
    EXPECT_EQ(progmenu::RenamedShortcut("C:\\a.exe\"icon\"Old", "New\r\nName"), "C:\\a.exe\"icon\"New  Name");
    EXPECT_EQ(progmenu::RenamedShortcut("C:\\a.exe", "A"), "C:\\a.exe\"\"A");
    EXPECT_EQ(progmenu::NewShortcut("C:\\My Apps\\tool.v2.exe"), "C:\\My Apps\\tool.v2.exe\"\"tool.v2");

    EXPECT_EQ(progmenu::ShortcutFilePath("C:\\Bars\\tolvix.exe"), "C:\\Bars\\SHORTCUT.INI");
    EXPECT_EQ(progmenu::ShortcutFilePath("C:\\other.exe"), "C:\\SHORTCUT.INI");
}

// The file's bytes for these entries as the bar writes an ANSI file.
std::string Join(const Texts& entries)
{
    std::string bytes;
    for (const std::string& entry : entries)
        bytes += entry + "\r\n";
    return bytes;
}

// A text of ASCII and Latin-1 characters (the simulated code page) as UTF-16 with its mark.
std::string Utf16(std::u16string_view text, bool bigEndian)
{
    std::string bytes = bigEndian ? "\xFE\xFF" : "\xFF\xFE";
    for (char16_t c : text) {
        const char high = static_cast<char>(c >> 8), low = static_cast<char>(c & 0xFF);
        bytes += bigEndian ? high : low;
        bytes += bigEndian ? low : high;
    }
    return bytes;
}

class ShortcutsTest : public BarTest {
protected:
    const std::string tsk = "C:\\Bars\\tolvix.TSK";

    // The bar as after a restart, reading the files as they are now.
    void restart()
    {
        bar.reset();
        start();
    }
    void choose(ui::MenuId id)
    {
        toolkit.menuChoices.push_back(id);
        toolkit.mouseUp(bar->formId(), bar_ids::STX, ui::MouseButton::Left);
    }
    // A category-0 catalogue entry "Top", then "redetect".
    void redetectWithTopEntry()
    {
        sim.sim_registry().putValue(
            platform::RegistryRoot::CurrentUser, "Software\\Apps", "v", {platform::kRegSz, "top.exe"});
        files.content[tsk] = "Top=0:HKCU\\Software\\Apps\\v\r\n";
        choose(m::MX2);
    }
    // The visible entries of the program menu's top level below the category submenus; a greyed
    // one in brackets.
    Texts topLevel()
    {
        const std::vector<ui::MenuItem>& items = ui::FindMenuItem(bar->mainMenu(), m::MX)->items;
        auto entry = std::find_if(items.begin(), items.end(), [](const ui::MenuItem& i) { return i.id == m::PARTER2; });
        Texts shown;
        for (++entry; entry != items.end(); ++entry)
            if (entry->visible)
                shown.push_back(entry->separator ? "|" : entry->enabled ? entry->caption : "(" + entry->caption + ")");
        return shown;
    }
    void openWindow()
    {
        choose(m::MTK);
        ASSERT_NE(bar->shortcuts().window(), nullptr);
    }
    ui::FormId form() { return bar->shortcuts().window()->formId(); }
    void click(ui::ControlId id) { toolkit.mouseUp(form(), id, ui::MouseButton::Left); }
    void selectShortcut(int index) { toolkit.selectItems(form(), ids::TSK, {index}); }
    std::string caption() { return toolkit.form(form())->props.caption; }
    void rename(int index, const std::string& caption)
    {
        selectShortcut(index);
        toolkit.inputBoxAnswers = {caption};
        click(ids::MEDIT);
    }
};

TEST_F(ShortcutsTest, ShortcutsFollowCategoryZeroAndStartTheirOwnProgram)
{
    files.content["C:\\Apps\\alpha.exe"] = "MZ";
    files.content["C:\\Apps\\plain.exe"] = "MZ";
    files.content[kIni] = "C:\\Apps\\alpha.exe\"\"Alpha\r\nC:\\Gone\\ghost.exe\"\"Ghost\r\nC:\\Apps\\plain.exe";
    start();
    // Before the first "redetect", category 0 shows its "[empty]" item first.
    EXPECT_EQ(
        topLevel(), (Texts {"[empty]", "Alpha", "(Ghost)", "C:\\Apps\\plain.exe", "|", "shortcuts...", "redetect"}));
    redetectWithTopEntry();
    EXPECT_EQ(topLevel(), (Texts {"Top", "Alpha", "(Ghost)", "C:\\Apps\\plain.exe", "|", "shortcuts...", "redetect"}));

    choose(m::SK_BASE);
    choose(m::SK_BASE + 1); // greyed: starts nothing
    choose(m::SK_BASE + 2);
    choose(m::SM_BASE(0));
    const auto& started = sim.sim_launcher().started;
    ASSERT_EQ(started.size(), 3u);
    EXPECT_EQ(started[0].first, "\"C:\\Apps\\alpha.exe\"");
    EXPECT_EQ(started[1].first, "\"C:\\Apps\\plain.exe\"");
    EXPECT_EQ(started[2].first, "top.exe");

    // Without category-0 entries the shortcuts alone stand above the separator.
    files.content.erase(tsk);
    choose(m::MX2);
    EXPECT_EQ(topLevel(), (Texts {"Alpha", "(Ghost)", "C:\\Apps\\plain.exe", "|", "shortcuts...", "redetect"}));
    EXPECT_EQ(files.writes, 0) << "reading the list writes nothing";
}

TEST_F(ShortcutsTest, AddEditAndRemoveRewriteTheFileAndTheMenu)
{
    files.content["C:\\Apps\\alpha.exe"] = "MZ";
    start();
    EXPECT_EQ(topLevel(), (Texts {"[empty]", "|", "shortcuts...", "redetect"})) << "no file: an empty list";
    openWindow();
    const sim::SimForm& window = *toolkit.form(form());
    EXPECT_EQ(window.props.caption, "Shortcut Icons");
    EXPECT_TRUE(window.visible);
    EXPECT_EQ(toolkit.clientSize(form()).width, 4830);
    EXPECT_EQ(toolkit.clientSize(form()).height, 3135);
    EXPECT_EQ(
        control(ids::BW).items, (Texts {"", "MPlayer", "Browser", "Office", "Tracker", "File", "Sharing", "CDRomRec"}));
    EXPECT_EQ(control(ids::BW).selected, std::vector<int> {0});

    // A cancelled dialog, and a file that cannot be read, add nothing.
    toolkit.fileDialogAnswers = {std::nullopt, std::string("C:\\Apps\\none.exe"), std::string("C:\\Apps\\alpha.exe")};
    click(ids::MADD);
    click(ids::MADD);
    EXPECT_EQ(files.writes, 0);
    click(ids::MADD);
    ASSERT_EQ(toolkit.fileDialogRequests.size(), 3u);
    EXPECT_EQ(toolkit.fileDialogRequests[0].title, "Select file...");
    EXPECT_EQ(toolkit.fileDialogRequests[0].defaultExtension, "exe");
    EXPECT_EQ(toolkit.fileDialogRequests[0].pattern, "*.exe");
    EXPECT_EQ(files.content[kIni], "C:\\Apps\\alpha.exe\"\"alpha\r\n");
    EXPECT_EQ(control(ids::TSK).items, Texts {"alpha  (C:\\Apps\\alpha.exe)"}) << "caption and path, readable";
    EXPECT_EQ(control(ids::TSK).selected, std::vector<int> {0});
    EXPECT_EQ(topLevel(), (Texts {"alpha", "|", "shortcuts...", "redetect"}));

    // Edit: cancel keeps the caption; an answer replaces it.
    toolkit.inputBoxAnswers = {std::nullopt, std::string("My Alpha")};
    click(ids::MEDIT);
    EXPECT_EQ(files.writes, 1);
    click(ids::MEDIT);
    ASSERT_EQ(toolkit.inputBoxRequests.size(), 2u);
    EXPECT_EQ(toolkit.inputBoxRequests[0].prompt, "Enter new name");
    EXPECT_EQ(toolkit.inputBoxRequests[0].title, "Tolvane");
    EXPECT_EQ(toolkit.inputBoxRequests[0].defaultText, "alpha");
    EXPECT_EQ(files.content[kIni], "C:\\Apps\\alpha.exe\"\"My Alpha\r\n");
    EXPECT_EQ(topLevel(), (Texts {"My Alpha", "|", "shortcuts...", "redetect"}));

    // Nothing selected: "Edit" and "Remove" do nothing.
    toolkit.selectItems(form(), ids::TSK, {});
    click(ids::MEDIT);
    click(ids::MDEL);
    EXPECT_EQ(toolkit.inputBoxRequests.size(), 2u);
    selectShortcut(0);
    click(ids::MDEL);
    EXPECT_EQ(files.content[kIni], "");
    EXPECT_EQ(control(ids::TSK).items, Texts {});
    EXPECT_EQ(topLevel(), (Texts {"shortcuts...", "redetect"}));

    // "Close" closes; the next opening is a new window showing the list as the file now has it.
    click(ids::MQIT);
    EXPECT_EQ(bar->shortcuts().window(), nullptr);
    toolkit.advance(10);
    EXPECT_FALSE(bar->shortcuts().holdsClosedWindow());
    files.content[kIni] = "stays";
    toolkit.fileDialogAnswers = {std::string("C:\\Apps\\alpha.exe")};
    openWindow();
    EXPECT_EQ(control(ids::TSK).items, Texts {"stays"});
    click(ids::MADD);
    EXPECT_EQ(files.content[kIni], "stays\r\nC:\\Apps\\alpha.exe\"\"alpha\r\n");
}

TEST_F(ShortcutsTest, AFileThatCouldNotBeReadWholeIsNeverWrittenOverAndTheWindowSaysSo)
{
    files.content["C:\\Apps\\alpha.exe"] = "MZ";
    toolkit.fileDialogAnswers = {std::string("C:\\Apps\\alpha.exe")};
    files.content[kIni] = "C:\\Apps\\old.exe\"\"Kept\r\n";
    files.unreadable.insert(kIni);
    start();
    openWindow();
    EXPECT_EQ(caption(), "Shortcut Icons");
    click(ids::MADD);
    EXPECT_EQ(files.content[kIni], "C:\\Apps\\old.exe\"\"Kept\r\n");
    EXPECT_EQ(files.writes, 0);
    EXPECT_EQ(topLevel(), (Texts {"alpha", "|", "shortcuts...", "redetect"})) << "kept in memory";
    EXPECT_EQ(caption(), "Shortcut Icons - not saved: the file cannot be read");

    // Closed and opened again, the window still says so.
    click(ids::MQIT);
    openWindow();
    EXPECT_EQ(caption(), "Shortcut Icons - not saved: the file cannot be read");

    // Readable again: the next change goes onto what the file holds, the earlier one with it.
    files.unreadable.clear();
    rename(0, "Alpha");
    EXPECT_EQ(files.content[kIni], "C:\\Apps\\old.exe\"\"Kept\r\nC:\\Apps\\alpha.exe\"\"Alpha\r\n");
    EXPECT_EQ(control(ids::TSK).items, (Texts {"Kept  (C:\\Apps\\old.exe)", "Alpha  (C:\\Apps\\alpha.exe)"}));
    EXPECT_EQ(caption(), "Shortcut Icons - merged with changes made elsewhere");

    // Larger than a read takes: what was read shows, the file stays as it is.
    progmenu::ShortcutList list(files);
    std::string large = "C:\\Apps\\alpha.exe\"\"First\r\n";
    large.resize(progmenu::ShortcutList::kMaxFileBytes + 1, 'x');
    files.content[kIni] = large;
    list.Load(kIni);
    EXPECT_EQ(list.entries(), Texts {"C:\\Apps\\alpha.exe\"\"First"});
    EXPECT_FALSE(list.writesFile());
    list.Remove(0);
    EXPECT_EQ(files.content[kIni], large);
    EXPECT_EQ(platform::SaveNote(list.lines().lastSave()), "not saved: the file is too large");
}

TEST_F(ShortcutsTest, AFolderWithoutWriteAccessLosesNothingAndTheNextChangeTriesAgain)
{
    files.content["C:\\Apps\\alpha.exe"] = "MZ";
    files.content[kIni] = "C:\\Apps\\old.exe\"\"Old\r\n";
    files.lockedFolders.insert("C:\\Bars\\");
    toolkit.fileDialogAnswers = {std::string("C:\\Apps\\alpha.exe")};
    start();
    openWindow();
    click(ids::MADD);
    EXPECT_EQ(files.content[kIni], "C:\\Apps\\old.exe\"\"Old\r\n");
    EXPECT_FALSE(bar->shortcuts().list().saved());
    EXPECT_EQ(caption(), "Shortcut Icons - not saved: no write access");
    EXPECT_EQ(control(ids::TSK).items.size(), 2u) << "the change stays in the window";

    // Once the folder takes writes again, the next change writes the whole list.
    files.lockedFolders.clear();
    rename(0, "Older");
    EXPECT_EQ(files.content[kIni], "C:\\Apps\\old.exe\"\"Older\r\nC:\\Apps\\alpha.exe\"\"alpha\r\n");
    EXPECT_TRUE(bar->shortcuts().list().saved());
    EXPECT_EQ(caption(), "Shortcut Icons");

    files.failingWrites.insert(kIni);
    selectShortcut(1);
    click(ids::MDEL);
    EXPECT_EQ(caption(), "Shortcut Icons - not saved: the file could not be written");
}

TEST_F(ShortcutsTest, OddAndHugeFilesKeepEveryLine)
{
    const std::string megabyteLine = "C:\\Apps\\long.exe\"\"" + std::string(1 << 20, 'L');
    std::string file = "C:\\tab\t.exe\"\"T\tB\rC:\\cr.exe\nC:\\lf.exe\r\n" + megabyteLine + "\r\n";
    Texts expected = {"C:\\tab\t.exe\"\"T\tB", "C:\\cr.exe", "C:\\lf.exe", megabyteLine};
    for (int i = 0; i < 100000; ++i) {
        expected.push_back("C:\\p" + std::to_string(i) + ".exe\"\"P" + std::to_string(i));
        file += expected.back() + "\n";
    }
    file += "C:\\last.exe";
    expected.push_back("C:\\last.exe");
    files.content[kIni] = file;
    files.content["C:\\Apps\\long.exe"] = "MZ";
    start();
    ASSERT_EQ(bar->shortcuts().list().entries(), expected);
    EXPECT_TRUE(bar->shortcuts().list().writesFile());

    // The menu carries a bounded number of them, the last telling how many it left out.
    const Texts menu = topLevel();
    ASSERT_EQ(menu.size(), static_cast<std::size_t>(m::kShownShortcuts) + 4);
    EXPECT_EQ(menu[1], "(T B)") << "control characters shown as blanks";
    EXPECT_EQ(menu[4].size(), 203u) << "a megabyte caption is cut for the menu";
    EXPECT_EQ(menu[m::kShownShortcuts],
        "((" + std::to_string(expected.size() - m::kShownShortcuts + 1) + " more not shown))");

    openWindow();
    EXPECT_EQ(control(ids::TSK).items.size(), expected.size());
    selectShortcut(0);
    click(ids::MDEL);
    expected.erase(expected.begin());
    EXPECT_EQ(files.content[kIni], Join(expected));
}

TEST_F(ShortcutsTest, UnicodeFilesAreReadAsTextAndWrittenBackInTheirOwnEncoding)
{
    files.content["C:\\Apps\\alpha.exe"] = "MZ";
    files.content["C:\\Apps\\b\xE9ta.exe"] = "MZ";
    toolkit.fileDialogAnswers = {std::string("C:\\Apps\\alpha.exe")};
    for (bool bigEndian : {false, true}) {
        files.content[kIni] = Utf16(u"C:\\Apps\\b\u00E9ta.exe\"\"B\u00E9ta\r\nC:\\Gone\\x.exe\r\n", bigEndian);
        restart();
        EXPECT_EQ(topLevel(), (Texts {"[empty]", "B\xE9ta", "(C:\\Gone\\x.exe)", "|", "shortcuts...", "redetect"}))
            << "UTF-16 " << (bigEndian ? "big" : "little") << " endian";
        openWindow();
        toolkit.fileDialogAnswers = {std::string("C:\\Apps\\alpha.exe")};
        click(ids::MADD);
        EXPECT_EQ(files.content[kIni],
            Utf16(u"C:\\Apps\\b\u00E9ta.exe\"\"B\u00E9ta\r\nC:\\Gone\\x.exe\r\nC:\\Apps\\alpha.exe\"\"alpha\r\n",
                bigEndian));
        EXPECT_EQ(caption(), "Shortcut Icons");
    }

    // UTF-8 with a mark: the mark is no part of the first path, and stays in front of the file.
    files.content[kIni] = "\xEF\xBB\xBF"
                          "C:\\Apps\\b\xC3\xA9ta.exe\"\"B\xC3\xA9ta\r\n";
    restart();
    EXPECT_EQ(topLevel(), (Texts {"[empty]", "B\xE9ta", "|", "shortcuts...", "redetect"}));
    openWindow();
    rename(0, "Beta \xE9");
    EXPECT_EQ(files.content[kIni],
        "\xEF\xBB\xBF"
        "C:\\Apps\\b\xC3\xA9ta.exe\"\"Beta \xC3\xA9\r\n");

    // Without a mark, UTF-8 is told from ANSI by being UTF-8; ANSI stays ANSI.
    files.content[kIni] = "C:\\Apps\\b\xC3\xA9ta.exe\"\"x\n";
    restart();
    openWindow();
    rename(0, "y");
    EXPECT_EQ(files.content[kIni], "C:\\Apps\\b\xC3\xA9ta.exe\"\"y\r\n");
    files.content[kIni] = "C:\\Apps\\b\xE9ta.exe\"\"x\n";
    restart();
    openWindow();
    rename(0, "y");
    EXPECT_EQ(files.content[kIni], "C:\\Apps\\b\xE9ta.exe\"\"y\r\n");
}

TEST_F(ShortcutsTest, AFileThatIsNoTextOrHoldsForeignCharactersIsKeptAsItIs)
{
    files.content["C:\\Apps\\alpha.exe"] = "MZ";
    const std::string noMark("C\0:\0\\\0a\0.\0e\0x\0e\0\r\0\n\0", 20);
    const std::string brokenUtf16("\xFF\xFE"
                                  "C\0:\0\x00\xD8"
                                  "a",
        9);
    const std::string nul("C:\\a.exe\"\"A\0\r\n", 14);
    const std::string brokenUtf8 = "\xEF\xBB\xBF"
                                   "C:\\\xC3(.exe\r\n";
    for (const std::string& file : {noMark, brokenUtf16, nul, brokenUtf8}) {
        files.content[kIni] = file;
        files.writes = 0;
        toolkit.fileDialogAnswers = {std::string("C:\\Apps\\alpha.exe")};
        restart();
        openWindow();
        EXPECT_TRUE(control(ids::TSK).items.empty()) << "nothing taken from a file that is no text";
        click(ids::MADD);
        EXPECT_EQ(files.content[kIni], file);
        EXPECT_EQ(files.writes, 0);
        EXPECT_EQ(caption(), "Shortcut Icons - not saved: the file is not plain text");
    }

    // Characters the code page has not: shown as '?', and the file is not written over.
    const std::string foreign = "C:\\Apps\\alpha.exe\"\"\xE4\xB8\xAD\r\n";
    files.content[kIni] = foreign;
    restart();
    EXPECT_EQ(topLevel(), (Texts {"[empty]", "?", "|", "shortcuts...", "redetect"}));
    openWindow();
    rename(0, "Alpha");
    EXPECT_EQ(files.content[kIni], foreign);
    EXPECT_EQ(caption(), "Shortcut Icons - not saved: characters outside ANSI");
}

TEST_F(ShortcutsTest, AChangeMadeToTheFileMeanwhileIsKeptAndTheUsersChangeAppliedToIt)
{
    files.content["C:\\Apps\\alpha.exe"] = "MZ";
    files.content[kIni] = "C:\\a.exe\"\"A\r\nC:\\b.exe\"\"B\r\n";
    start();
    openWindow();
    // An editor adds a line and removes one.
    files.content[kIni] = "C:\\a.exe\"\"A\r\nC:\\e.exe\"\"Editor\r\n";
    toolkit.fileDialogAnswers = {std::string("C:\\Apps\\alpha.exe")};
    click(ids::MADD);
    EXPECT_EQ(files.content[kIni], "C:\\a.exe\"\"A\r\nC:\\e.exe\"\"Editor\r\nC:\\Apps\\alpha.exe\"\"alpha\r\n");
    EXPECT_EQ(
        control(ids::TSK).items, (Texts {"A  (C:\\a.exe)", "Editor  (C:\\e.exe)", "alpha  (C:\\Apps\\alpha.exe)"}));
    EXPECT_EQ(caption(), "Shortcut Icons - merged with changes made elsewhere");
    EXPECT_EQ(topLevel(), (Texts {"(A)", "(Editor)", "alpha", "|", "shortcuts...", "redetect"}));

    // The entry the user renames was renamed meanwhile: the other rename stays, and the window
    // says that the user's did not apply.
    files.content[kIni] = "C:\\a.exe\"\"Other\r\nC:\\e.exe\"\"Editor\r\nC:\\Apps\\alpha.exe\"\"alpha\r\n";
    rename(0, "Mine");
    EXPECT_EQ(files.content[kIni], "C:\\a.exe\"\"Other\r\nC:\\e.exe\"\"Editor\r\nC:\\Apps\\alpha.exe\"\"alpha\r\n");
    EXPECT_EQ(caption(), "Shortcut Icons - changed elsewhere: 1 edit not applied");
    EXPECT_EQ(control(ids::TSK).items.front(), "Other  (C:\\a.exe)");

    // Removing what was moved meanwhile removes it where it now stands.
    files.content[kIni] = "C:\\Apps\\alpha.exe\"\"alpha\r\nC:\\a.exe\"\"Other\r\n";
    selectShortcut(2);
    click(ids::MDEL);
    EXPECT_EQ(files.content[kIni], "C:\\a.exe\"\"Other\r\n");

    // Opened again, the window shows the file as an editor left it.
    click(ids::MQIT);
    files.content[kIni] = "C:\\z.exe\"\"Z\r\n";
    openWindow();
    EXPECT_EQ(control(ids::TSK).items, Texts {"Z  (C:\\z.exe)"});
    EXPECT_EQ(topLevel(), (Texts {"(Z)", "|", "shortcuts...", "redetect"}));

    // Unreadable for a moment when the window opens: the list stays, and is not written over it.
    click(ids::MQIT);
    files.unreadable.insert(kIni);
    openWindow();
    EXPECT_EQ(control(ids::TSK).items, Texts {"Z  (C:\\z.exe)"});
    rename(0, "Zed");
    EXPECT_EQ(caption(), "Shortcut Icons - not saved: the file cannot be read");
    files.unreadable.clear();
    rename(0, "Zeta");
    EXPECT_EQ(files.content[kIni], "C:\\z.exe\"\"Zeta\r\n");
}

TEST_F(ShortcutsTest, TwoBarsOnOneFileKeepEachOthersChanges)
{
    files.content[kIni] = "C:\\a.exe\"\"A\r\n";
    progmenu::ShortcutList first(files), second(files);
    first.Load(kIni);
    second.Load(kIni);
    ASSERT_TRUE(first.Add("C:\\b.exe\"\"B"));
    ASSERT_TRUE(second.Add("C:\\c.exe\"\"C"));
    ASSERT_TRUE(first.Remove(0));
    EXPECT_EQ(files.content[kIni], "C:\\b.exe\"\"B\r\nC:\\c.exe\"\"C\r\n");
    EXPECT_EQ(second.entries(), (Texts {"C:\\a.exe\"\"A", "C:\\b.exe\"\"B", "C:\\c.exe\"\"C"}))
        << "each took in the other's change at its own save";
}

TEST_F(ShortcutsTest, RenamingACategoryChangesOnlyTheWindowsList)
{
    start();
    openWindow();
    const auto bw = [&] { return control(ids::BW).items; };

    // The empty first entry is never renamed, and shows no menu.
    toolkit.doubleClick(form(), ids::BW);
    toolkit.mouseUp(form(), ids::BW, ui::MouseButton::Right);
    EXPECT_TRUE(toolkit.inputBoxRequests.empty());
    const std::size_t menus = toolkit.shownMenus.size();

    toolkit.selectItems(form(), ids::BW, {2});
    toolkit.inputBoxAnswers = {std::string("Web"), std::nullopt};
    toolkit.doubleClick(form(), ids::BW);
    EXPECT_EQ(bw()[2], "Web");
    toolkit.doubleClick(form(), ids::BW);
    EXPECT_EQ(bw()[2], "Web") << "a cancelled box keeps the name";
    EXPECT_EQ(toolkit.inputBoxRequests.back().prompt, "Enter new name");

    toolkit.selectItems(form(), ids::BW, {3});
    toolkit.menuChoices.push_back(ids::menu::M1);
    toolkit.inputBoxAnswers = {std::string("Docs")};
    toolkit.mouseUp(form(), ids::BW, ui::MouseButton::Right);
    ASSERT_EQ(toolkit.shownMenus.size(), menus + 1);
    EXPECT_EQ(toolkit.shownMenus.back().menu.items.at(0).caption, "Rename");
    EXPECT_EQ(bw(), (Texts {"", "MPlayer", "Web", "Docs", "Tracker", "File", "Sharing", "CDRomRec"}));
    EXPECT_EQ(ui::FindMenuItem(bar->mainMenu(), m::SM2X)->caption, "Browser");

    // Closed by a click waiting in the queue: the release shows no menu on the gone window.
    const ui::FormId shortcutForm = form();
    toolkit.queueInput([&] { toolkit.mouseUp(shortcutForm, ids::MQIT, ui::MouseButton::Left); });
    toolkit.mouseUp(shortcutForm, ids::BW, ui::MouseButton::Right);
    EXPECT_EQ(toolkit.shownMenus.size(), menus + 1);
    EXPECT_EQ(bar->shortcuts().window(), nullptr);
}

} // namespace
