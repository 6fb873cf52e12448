// The program menu as the user sees it after "redetect": which categories and separators show,
// what each item starts, and what a catalogue too large for one menu keeps.
#include "bar/BarFixture.h"
#include "progmenu/ProgramMenu.h"
#include "progmenu/ProgramMenuIds.h"

#include <numeric>

namespace {

namespace m = progmenu_ids;
using platform::RegistryRoot;

class ProgramMenuTest : public BarTest {
protected:
    const std::string tsk = "C:\\Bars\\tolvix.TSK";

    // A known-task file whose lines each name a value under HKCU\Software\Apps, holding `command`.
    void catalogue(const std::vector<std::pair<std::string, std::string>>& lines)
    {
        std::string file;
        int n = 0;
        for (const auto& [labelAndCategories, command] : lines) {
            const std::string name = "v" + std::to_string(n++);
            sim.sim_registry().putValue(
                RegistryRoot::CurrentUser, "Software\\Apps", name, {platform::kRegSz, command + '\0'});
            file += labelAndCategories + ":HKCU\\Software\\Apps\\" + name + "\r\n";
        }
        files.content[tsk] = file;
    }
    void redetect()
    {
        toolkit.menuChoices.push_back(m::MX2);
        toolkit.mouseUp(bar->formId(), bar_ids::STX, ui::MouseButton::Left);
    }
    const ui::MenuItem& item(ui::MenuId id) { return *ui::FindMenuItem(bar->mainMenu(), id); }
    // The captions of the visible entries of a menu, "|" for a separator.
    std::vector<std::string> shown(ui::MenuId id)
    {
        std::vector<std::string> captions;
        for (const ui::MenuItem& entry : item(id).items)
            if (entry.visible)
                captions.push_back(entry.separator ? "|" : entry.caption);
        return captions;
    }
    // Chooses a program item through the menu, as a click does.
    void choose(ui::MenuId id)
    {
        toolkit.menuChoices.push_back(id);
        toolkit.mouseUp(bar->formId(), bar_ids::STX, ui::MouseButton::Left);
    }
};

TEST_F(ProgramMenuTest, CategoriesAndSeparatorsShowOnlyWhereEntriesAre)
{
    start();
    EXPECT_EQ(shown(m::MX).size(), 17u) << "before the first redetect every category shows";

    catalogue({{"Scroll=c", "scroll.exe"}, {"Top=0", "top.exe"}});
    redetect();
    EXPECT_EQ(shown(m::MX), (std::vector<std::string> {"Games", "|", "Top", "|", "shortcuts...", "redetect"}));
    EXPECT_EQ(shown(m::SMXX), (std::vector<std::string> {"Scroller"}));

    // Entries only in categories 1 and 5: no "Games", and one separator after each group.
    catalogue({{"Player=1", "p.exe"}, {"Files=5", "f.exe"}});
    redetect();
    EXPECT_EQ(shown(m::MX), (std::vector<std::string> {"MPlayer", "|", "File", "|", "shortcuts...", "redetect"}));

    files.content.erase(tsk);
    redetect();
    EXPECT_EQ(shown(m::MX), (std::vector<std::string> {"shortcuts...", "redetect"}));
}

TEST_F(ProgramMenuTest, ItemsFollowTheFileAndEachStartsItsOwnEntry)
{
    start();
    catalogue({{"Same=11", "first.exe a=b"}, {"Zed=1", "zed.exe"}, {"Same=1", "second.exe"}, {"=0", "  "},
        {"-=0", "dash.exe"}});
    redetect();
    // A repeated category character of one line gives no second item.
    EXPECT_EQ(shown(m::SM1X), (std::vector<std::string> {"Same", "Zed", "Same"}));
    // An empty label and a "-" label are items, not separators.
    EXPECT_FALSE(item(m::SM_BASE(0)).separator);
    EXPECT_FALSE(item(m::SM_BASE(0) + 1).separator);

    choose(m::SM_BASE(1));
    choose(m::SM_BASE(1) + 2);
    choose(m::SM_BASE(0)); // a command of spaces starts nothing, silently
    const auto& started = sim.sim_launcher().started;
    ASSERT_EQ(started.size(), 2u);
    EXPECT_EQ(started[0].first, "first.exe a=b");
    EXPECT_EQ(started[1].first, "second.exe");
    EXPECT_EQ(started[1].second, platform::ShowCommand::Normal);

    // A rebuild with fewer entries leaves nothing of the earlier one to start.
    catalogue({{"Only=1", "only.exe"}});
    redetect();
    EXPECT_EQ(shown(m::SM1X), (std::vector<std::string> {"Only"}));
    EXPECT_EQ(ui::FindMenuItem(bar->mainMenu(), m::SM_BASE(1) + 1), nullptr);
    EXPECT_EQ(ui::FindMenuItem(bar->mainMenu(), m::SM_BASE(0) + 1), nullptr);
    EXPECT_FALSE(item(m::SM_BASE(0)).visible);
}

TEST_F(ProgramMenuTest, AFailedStartKeepsTheBarAndSaysSoUntilAStartWorks)
{
    start();
    catalogue({{"Broken=0", "missing.exe"}, {"Fine=0", "fine.exe"}});
    redetect();
    sim.sim_launcher().fail = true;
    choose(m::SM_BASE(0));
    EXPECT_EQ(control(bar_ids::STX).toolTip, "Could not start: missing.exe");
    EXPECT_FALSE(toolkit.quitRequested);
    sim.sim_launcher().fail = false;
    choose(m::SM_BASE(0) + 1);
    EXPECT_EQ(control(bar_ids::STX).toolTip, "Show programs");
}

// Registry values often hold a program's path unquoted; with "C:\\Program.exe" present, Windows
// would start that one instead.
TEST_F(ProgramMenuTest, ABarePathStartsThatFileAndWhatNoProcessCanBeGoesToTheShell)
{
    start();
    auto& launcher = sim.sim_launcher();
    const std::string app = "C:\\Program Files\\App\\app.exe";
    const std::string setup = "C:\\Apps\\Setup Kit\\setup.exe"; // asks for elevation
    const std::string document = "C:\\Docs\\read me.txt";
    launcher.files = {"C:\\Program.exe", app, setup, document};
    launcher.shellOnly = {setup, document};
    catalogue({{"App=0", app}, {"Args=0", app + " -x"}, {"Gone=0", "C:\\Program Files\\Gone\\gone.exe"},
        {"Doc=0", document}, {"Setup=0", setup + " /S"}, {"Quoted=0", "\"" + setup + "\"  /quiet x"}});
    redetect();
    for (std::size_t i = 0; i < 6; ++i)
        choose(m::SM_BASE(0) + static_cast<int>(i));

    std::vector<std::string> started;
    for (const auto& start : launcher.started)
        started.push_back(start.first);
    EXPECT_EQ(
        started, (std::vector<std::string> {"\"" + app + "\"", app + " -x", "C:\\Program Files\\Gone\\gone.exe"}));
    ASSERT_EQ(launcher.shellStarted.size(), 3u);
    EXPECT_EQ(launcher.shellStarted[0].file, document);
    EXPECT_EQ(launcher.shellStarted[0].parameters, "");
    EXPECT_EQ(launcher.shellStarted[0].show, platform::ShowCommand::Normal);
    EXPECT_EQ(launcher.shellStarted[1].file, setup);
    EXPECT_EQ(launcher.shellStarted[1].parameters, "/S");
    EXPECT_EQ(launcher.shellStarted[2].file, setup);
    EXPECT_EQ(launcher.shellStarted[2].parameters, "/quiet x");
    EXPECT_EQ(control(bar_ids::STX).toolTip, "Show programs");

    // The shell cannot start it either: the bar says so, as for any failed start.
    launcher.shellFails = true;
    choose(m::SM_BASE(0) + 3);
    EXPECT_EQ(control(bar_ids::STX).toolTip, "Could not start: " + document);
}

TEST(ProgramMenuCut, TheLargestCategoriesAreCutToFitTheBudget)
{
    std::array<std::size_t, 16> counts {};
    counts[0] = 3;
    counts[1] = 40000;
    counts[2] = 30000;
    const auto shown = progmenu::ShownItemCounts(counts, 50000);
    EXPECT_EQ(shown[0], 3u);
    EXPECT_EQ(shown[1], shown[2]);
    const std::size_t total = std::accumulate(shown.begin(), shown.end(), std::size_t {0});
    EXPECT_LE(total, 50000u);
    EXPECT_GT(total, 49990u);
    EXPECT_EQ(progmenu::ShownItemCounts(counts, 70003), counts);
}

TEST_F(ProgramMenuTest, AFullCatalogueKeepsRedetectAndTheMainMenu)
{
    start();
    std::string file;
    for (int i = 0; i < 65536; ++i)
        file += "P" + std::to_string(i) + "=" + "0123456789abcdef"[i % 3] + ":HKCU\\Software\\Apps\\v\r\n";
    sim.sim_registry().putValue(RegistryRoot::CurrentUser, "Software\\Apps", "v", {platform::kRegSz, "p.exe"});
    files.content[tsk] = file;
    redetect();
    ASSERT_EQ(bar->catalogue().entries().size(), 65536u);
    std::size_t items = 0;
    std::function<void(const ui::MenuItem&)> count = [&](const ui::MenuItem& menu) {
        for (const ui::MenuItem& entry : menu.items) {
            if (entry.visible) {
                ++items;
                count(entry);
            }
        }
    };
    count(bar->mainMenu());
    EXPECT_LT(items, 0xFFFFu) << "a popup menu carries at most 65,535 commands";
    EXPECT_TRUE(item(m::MX2).visible);
    const ui::MenuItem& last = item(m::SM1X).items.back();
    EXPECT_FALSE(last.enabled);
    EXPECT_NE(last.caption.find("more not shown"), std::string::npos) << last.caption;
    choose(m::SM_BASE(1) + 5);
    EXPECT_EQ(sim.sim_launcher().started.size(), 1u);
}

} // namespace
