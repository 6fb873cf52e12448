// The shortcut list: its file read at start and rewritten whole after each change (never over a
// file it could not read), its items at the top of the program menu, and the shortcut window.
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

TEST(ShortcutText, AFileReadShortOfItsEndIsNotWhole)
{
    const auto capped = progmenu::ParseShortcutFile("a\nb\nc\n", 2, false);
    EXPECT_EQ(capped.entries, (Texts {"a", "b"}));
    EXPECT_FALSE(capped.whole);
    // Bytes cut short of the file's end: the unfinished last line is left out.
    const auto cut = progmenu::ParseShortcutFile("a\r\nb\npart", 10, true);
    EXPECT_EQ(cut.entries, (Texts {"a", "b"}));
    EXPECT_FALSE(cut.whole);
}

class ShortcutsTest : public BarTest {
protected:
    const std::string tsk = "C:\\Bars\\tolvix.TSK";

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
    EXPECT_EQ(control(ids::TSK).items, Texts {"C:\\Apps\\alpha.exe\"\"alpha"});
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

    // "Close" closes; the next opening is a new window showing the list as it is.
    click(ids::MQIT);
    EXPECT_EQ(bar->shortcuts().window(), nullptr);
    toolkit.advance(10);
    EXPECT_FALSE(bar->shortcuts().holdsClosedWindow());
    files.content[kIni] = "stays";
    toolkit.fileDialogAnswers = {std::string("C:\\Apps\\alpha.exe")};
    openWindow();
    click(ids::MADD);
    EXPECT_EQ(files.content[kIni], "C:\\Apps\\alpha.exe\"\"alpha\r\n");
}

TEST_F(ShortcutsTest, AFileThatCouldNotBeReadWholeIsNeverWrittenOver)
{
    files.content["C:\\Apps\\alpha.exe"] = "MZ";
    toolkit.fileDialogAnswers = {std::string("C:\\Apps\\alpha.exe")};
    files.content[kIni] = "C:\\Apps\\alpha.exe\"\"Kept\r\n";
    files.unreadable.insert(kIni);
    start();
    openWindow();
    click(ids::MADD);
    EXPECT_EQ(files.content[kIni], "C:\\Apps\\alpha.exe\"\"Kept\r\n");
    EXPECT_EQ(files.writes, 0);
    EXPECT_EQ(topLevel(), (Texts {"alpha", "|", "shortcuts...", "redetect"})) << "kept in memory";

    // Larger than a read takes: what was read shows, the file stays as it is.
    progmenu::ShortcutList list(files);
    std::string large = "C:\\Apps\\alpha.exe\"\"First\r\n";
    large.resize(progmenu::ShortcutList::kMaxFileBytes + 1, 'x');
    files.content[kIni] = large;
    files.unreadable.clear();
    list.Load(kIni);
    EXPECT_EQ(list.entries(), Texts {"C:\\Apps\\alpha.exe\"\"First"});
    EXPECT_FALSE(list.writesFile());
    list.Remove(0);
    EXPECT_EQ(files.content[kIni], large);
}

TEST_F(ShortcutsTest, AFolderWithoutWriteAccessLosesNothing)
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

    // Once the folder takes writes again, the next change writes the whole list.
    files.lockedFolders.clear();
    selectShortcut(0);
    toolkit.inputBoxAnswers = {std::string("Older")};
    click(ids::MEDIT);
    EXPECT_EQ(files.content[kIni], "C:\\Apps\\old.exe\"\"Older\r\nC:\\Apps\\alpha.exe\"\"alpha\r\n");
    EXPECT_TRUE(bar->shortcuts().list().saved());
}

TEST_F(ShortcutsTest, OddAndHugeFilesKeepEveryLine)
{
    const std::string nul("C:\\n\0l.exe\"\"N\0L", 15);
    const std::string megabyteLine = "C:\\Apps\\long.exe\"\"" + std::string(1 << 20, 'L');
    std::string file = nul + "\rC:\\cr.exe\nC:\\lf.exe\r\n" + megabyteLine + "\r\n";
    Texts expected = {nul, "C:\\cr.exe", "C:\\lf.exe", megabyteLine};
    for (int i = 0; i < 100000; ++i) {
        expected.push_back("C:\\p" + std::to_string(i) + ".exe\"\"P" + std::to_string(i));
        file += expected.back() + "\n";
    }
    file += "C:\\last.exe";
    expected.push_back("C:\\last.exe");
    files.content[kIni] = file;
    files.content["C:\\n"] = "MZ";
    files.content["C:\\Apps\\long.exe"] = "MZ";
    start();
    ASSERT_EQ(bar->shortcuts().list().entries(), expected);
    EXPECT_TRUE(bar->shortcuts().list().writesFile());

    // The menu carries a bounded number of them, the last telling how many it left out.
    const Texts menu = topLevel();
    ASSERT_EQ(menu.size(), static_cast<std::size_t>(m::kShownShortcuts) + 4);
    EXPECT_EQ(menu[1], "(N L)") << "a path with a NUL names no file, even if the part before it does";
    EXPECT_EQ(menu[4].size(), 203u) << "a megabyte caption is cut for the menu";
    EXPECT_EQ(menu[m::kShownShortcuts],
        "((" + std::to_string(expected.size() - m::kShownShortcuts + 1) + " more not shown))");

    openWindow();
    EXPECT_EQ(control(ids::TSK).items.size(), expected.size());
    selectShortcut(0);
    click(ids::MDEL);
    expected.erase(expected.begin());
    EXPECT_EQ(files.content[kIni], progmenu::JoinShortcutFile(expected));
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
