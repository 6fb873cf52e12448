// The settings window as the user meets it: opened from each caller on its page, its boxes and
// arrows, the groups "Save" writes and applies, "Restore" and "Defaults", the alignment list, and
// closing itself once in the background.
#include "bar/BarFixture.h"
#include "bar/BarGeometry.h"
#include "settings/SettingsIds.h"
#include "settings/SettingsTable.h"
#include "settings/SetupMem.h"
#include "settings/SetupRules.h"

#include <algorithm>
#include <map>

namespace {

namespace s = settings_ids;
using platform::RegistryRoot;
using settings::SettingsGroup;
using Values = std::map<std::string, std::string>;

std::string b4(int h, int l)
{
    return {'\0', '\0', static_cast<char>(h), static_cast<char>(l)};
}

class SettingsWindowTest : public BarTest {
protected:
    void SetUp() override { start(); }
    const settings::SETUP& window()
    {
        const settings::SETUP* w = bar->settingsWindow();
        if (!w)
            throw std::runtime_error("the settings window is not open");
        return *w;
    }
    ui::FormId form() { return window().formId(); }
    const std::string& text(ui::ControlId id) { return control(id).caption; }
    void type(ui::ControlId id, const std::string& keys) { toolkit.typeText(form(), id, keys); }
    void clear(ui::ControlId id) { toolkit.pasteText(form(), id, ""); }
    void click(ui::ControlId id) { toolkit.mouseUp(form(), id, ui::MouseButton::Left); }
    void rightClickWithChoice(ui::ControlId id, ui::MenuId choice)
    {
        toolkit.menuChoices.push_back(choice);
        toolkit.mouseUp(bar->formId(), id, ui::MouseButton::Right);
    }
    std::vector<bool> pagesShown()
    {
        std::vector<bool> shown;
        for (int i = 0; i < 4; ++i)
            shown.push_back(control(s::SetupPage_0 + i).visible);
        return shown;
    }
    // Every stored settings value, by name.
    Values stored()
    {
        Values values;
        for (const settings::SettingRow& row : settings::kSettingsTable) {
            if (auto v =
                    sim.sim_registry().value(RegistryRoot::CurrentUser, settings::SetupMem::kKeyPath, row.valueName))
                values[row.valueName] = v->data;
        }
        return values;
    }
    // The value names of one group, sorted.
    static std::vector<std::string> namesOf(SettingsGroup group)
    {
        std::vector<std::string> names;
        for (const settings::SettingRow& row : settings::kSettingsTable)
            if (row.group == group)
                names.push_back(row.valueName);
        std::sort(names.begin(), names.end());
        return names;
    }
};

TEST_F(SettingsWindowTest, TheIntervalBoxTakesOneToFifteenFromKeysPastesAndArrows)
{
    bar->PopupSettings(0);
    EXPECT_EQ(text(s::RefInterval), "2") << "the interval in effect";
    const std::pair<std::string, std::string> typed[] = {
        {"x", ""}, {"0", ""}, {"16", "15"}, {"99", "15"}, {"7a", "7"}, {"1\b4", "4"}};
    for (const auto& [keys, shown] : typed) {
        clear(s::RefInterval);
        type(s::RefInterval, keys);
        EXPECT_EQ(text(s::RefInterval), shown) << "typed " << keys;
    }
    for (const auto& [pasted, shown] : {std::pair<std::string, std::string> {"a5", ""}, {"5a", "5"}, {" 9", "9"}}) {
        toolkit.pasteText(form(), s::RefInterval, pasted);
        EXPECT_EQ(text(s::RefInterval), shown) << "pasted " << pasted;
    }

    const auto arrow = [&](ui::ScrollRequest request) { toolkit.scroll(form(), s::RefScroll, request); };
    clear(s::RefInterval);
    arrow(ui::ScrollRequest::LineUp);
    EXPECT_EQ(text(s::RefInterval), "1") << "up on an empty box";
    EXPECT_EQ(control(s::RefScroll).value, 1) << "the arrows return to the middle";
    arrow(ui::ScrollRequest::LineUp);
    arrow(ui::ScrollRequest::PageUp);
    EXPECT_EQ(text(s::RefInterval), "3");
    arrow(ui::ScrollRequest::LineDown);
    arrow(ui::ScrollRequest::LineDown);
    arrow(ui::ScrollRequest::LineDown);
    EXPECT_EQ(text(s::RefInterval), "") << "down from 1 empties the box";
    toolkit.pasteText(form(), s::RefInterval, "15");
    arrow(ui::ScrollRequest::LineUp);
    EXPECT_EQ(text(s::RefInterval), "15");

    // An empty box never stores or applies less than a second: the setting stays.
    clear(s::RefInterval);
    click(s::BX1);
    EXPECT_EQ(stored()["General_RefreshInterval"], b4(0, 2));
    EXPECT_EQ(bar->refreshIntervalMs(), 2000);
    EXPECT_EQ(text(s::RefInterval), "2");
}

TEST_F(SettingsWindowTest, EachCallerOpensItsPageAndMoreStacksAllFourAroundTheClientArea)
{
    const float pitch = settings::kPageHeight + settings::kPageGap; // a page and the gap below it
    const auto clientHeight = [&] { return toolkit.clientSize(form()).height; };

    rightClickWithChoice(bar_ids::TIM1, bar_ids::menu::MMEM_0 + 1);
    EXPECT_EQ(window().shownPage(), 2);
    EXPECT_EQ(pagesShown(), (std::vector<bool> {false, false, true, false}));
    EXPECT_EQ(control(s::SetupPage_0 + 2).rect.top, 0);
    EXPECT_TRUE(control(s::BMore).visible);
    EXPECT_EQ(clientHeight(), pitch + 495);
    EXPECT_EQ(control(s::BX0).rect.top, pitch);
    EXPECT_EQ(desktop.foreground(), window().window()) << "else its first tick closes it";

    click(s::BMore);
    EXPECT_EQ(window().shownPage(), -1);
    EXPECT_EQ(pagesShown(), (std::vector<bool> {true, true, true, true}));
    for (int i = 0; i < 4; ++i)
        EXPECT_EQ(control(s::SetupPage_0 + i).rect.top, i * pitch) << "page " << i;
    EXPECT_FALSE(control(s::BMore).visible);
    EXPECT_EQ(clientHeight(), 4 * pitch + 495);
    const ui::Rect frame = toolkit.formRect(form());
    EXPECT_NEAR(frame.left + frame.width / 2, toolkit.metrics.widthTwips() / 2, 15) << "centred";
    EXPECT_NEAR(frame.top + frame.height / 2, toolkit.metrics.heightTwips() / 2, 15);

    rightClickWithChoice(bar_ids::TIM3, task_ids::menu::MTASKS_0 + 1);
    EXPECT_EQ(window().shownPage(), 1) << "the open window shows the page asked for";
    EXPECT_EQ(pagesShown(), (std::vector<bool> {false, true, false, false}));
    EXPECT_TRUE(control(s::BMore).visible);

    toolkit.doubleClick(bar->formId(), 0);
    EXPECT_EQ(window().shownPage(), -1);
    toolkit.menuChoices.push_back(bar_ids::menu::MSETS);
    toolkit.mouseUp(bar->formId(), bar_ids::SSETTS, ui::MouseButton::Left);
    EXPECT_EQ(window().shownPage(), -1);
}

TEST_F(SettingsWindowTest, SaveWritesTheShownPagesGroupAndAppliesItAtOnce)
{
    bar->PopupSettings(2);
    toolkit.pasteText(form(), s::AUTOMEMAX, "9999");
    EXPECT_EQ(text(s::AUTOMEMAX), "4095");
    toolkit.scroll(form(), s::VScroll2, ui::ScrollRequest::LineUp);
    EXPECT_EQ(text(s::AUTOMEMAX), "4095") << "the upper arrow counts up, and stops at the top";
    toolkit.scroll(form(), s::VScroll2, ui::ScrollRequest::LineDown);
    EXPECT_EQ(text(s::AUTOMEMAX), "4094");
    toolkit.pasteText(form(), s::AUTOMEMIN, "127");
    toolkit.toggleCheck(form(), s::AUTOMEMCHECK);
    toolkit.pasteText(form(), s::RefInterval, "9"); // on a hidden page: not this save's group
    sim.sim_memory().figures = {1024ull << 20, 100ull << 20, 0, 0};
    tick();
    EXPECT_EQ(sim.sim_memory().allocations, 0) << "nothing applied before saving";

    click(s::BX1);
    EXPECT_EQ(stored(),
        (Values {{"Mem_FreeUp", b4(0x0F, 0xFE)}, {"Mem_FreeUpAuto", b4(0, 1)}, {"Mem_FreeUpIfBelow", b4(0, 127)}}));
    tick();
    EXPECT_GT(sim.sim_memory().allocations, 0) << "100 MB free is below the new threshold";

    const std::pair<int, SettingsGroup> groups[] = {
        {0, SettingsGroup::General}, {1, SettingsGroup::Alignment}, {3, SettingsGroup::Infrared}};
    for (const auto& [page, group] : groups) {
        // Every value marked first, so that each one written shows.
        for (const auto& [name, bytes] : stored())
            sim.sim_registry().putValue(
                RegistryRoot::CurrentUser, settings::SetupMem::kKeyPath, name, {platform::kRegDword, "mark"});
        bar->PopupSettings(page);
        if (page == 1)
            toolkit.selectItems(form(), s::ALLIST, {3});
        click(s::BX1);
        std::vector<std::string> written;
        for (const auto& [name, bytes] : stored())
            if (bytes != "mark")
                written.push_back(name);
        EXPECT_EQ(written, namesOf(group)) << "page " << page;
    }
    EXPECT_EQ(bar->refreshIntervalMs(), 9000) << "the general page applied the interval typed earlier";

    bar->PopupSettings(-1);
    click(s::BX1);
    EXPECT_EQ(stored().size(), settings::kSettingCount) << "all pages save every group";
}

TEST_F(SettingsWindowTest, EachSettingWithAControlIsOnItsGroupsPageSavesWhatItShowsAndShowsItAfterARestart)
{
    const std::map<SettingsGroup, int> pageOf = {{SettingsGroup::General, 0}, {SettingsGroup::Alignment, 1},
        {SettingsGroup::Memory, 2}, {SettingsGroup::Infrared, 3}};
    const auto withControl = [] {
        std::vector<settings::SettingRow> rows;
        for (const settings::SettingRow& row : settings::kSettingsTable)
            if (row.control != settings::kNoControl)
                rows.push_back(row);
        return rows;
    }();
    // Off and the highest number the window allows, unlike every default.
    const auto highest = [](const settings::SettingRow& row) { return row.range.max; };
    bar->PopupSettings(-1);
    for (const settings::SettingRow& row : withControl) {
        const ui::ControlSpec& shown = control(row.control);
        EXPECT_EQ(shown.kind, row.flag || row.choice ? ui::ControlKind::CheckBox : ui::ControlKind::TextBox)
            << row.valueName;
        EXPECT_EQ(shown.parent, s::SetupPage_0 + pageOf.at(row.group)) << row.valueName;
        if (row.choice) {
            EXPECT_EQ(shown.value, 1) << row.valueName << "'s first choice is the default";
            toolkit.toggleCheck(form(), row.control + highest(row) - row.range.min);
        } else if (row.flag) {
            EXPECT_EQ(shown.value, settings::Settings {}.*(row.flag) ? 1 : 0) << row.valueName << " at its default";
            toolkit.toggleCheck(form(), row.control);
        } else {
            toolkit.pasteText(form(), row.control, std::to_string(highest(row)));
        }
    }
    click(s::BX1);
    Values values = stored();
    for (const settings::SettingRow& row : withControl)
        EXPECT_EQ(values[row.valueName],
            row.flag ? b4(0, settings::Settings {}.*(row.flag) ? 0 : 1) : b4(highest(row) >> 8, highest(row) & 0xFF))
            << row.valueName << ": the other way than its default";

    bar.reset();
    start();
    bar->PopupSettings(-1);
    for (const settings::SettingRow& row : withControl) {
        if (row.choice)
            for (int k = 0; k < settings::ChoiceCount(row); ++k)
                EXPECT_EQ(control(row.control + k).value, row.range.min + k == highest(row) ? 1 : 0) << row.valueName;
        else if (row.flag)
            EXPECT_EQ(control(row.control).value, settings::Settings {}.*(row.flag) ? 0 : 1) << row.valueName;
        else
            EXPECT_EQ(text(row.control), std::to_string(highest(row))) << row.valueName;
    }
}

TEST_F(SettingsWindowTest, EveryPageHoldsItsControlsAndNoneOverlapAnother)
{
    bar->PopupSettings(-1);
    const auto overlap = [](const ui::Rect& a, const ui::Rect& b) {
        return a.left < b.left + b.width && b.left < a.left + a.width && a.top < b.top + b.height &&
            b.top < a.top + a.height;
    };
    for (int page = 0; page < 4; ++page) {
        std::vector<std::pair<ui::ControlId, ui::Rect>> held;
        for (const auto& [id, props] : toolkit.form(form())->controls) {
            // The previews share one place and show one at a time.
            const bool laterPreview = id > s::PREV_0 && id <= s::PREV_0 + 10;
            if (props.parent == s::SetupPage_0 + page && !laterPreview)
                held.emplace_back(id, props.rect);
        }
        EXPECT_GE(held.size(), 3u) << "page " << page;
        for (std::size_t i = 0; i < held.size(); ++i) {
            const ui::Rect& r = held[i].second;
            EXPECT_TRUE(r.left >= 0 && r.top >= 0 && r.left + r.width <= settings::kPageWidth &&
                r.top + r.height <= settings::kPageHeight)
                << "control " << held[i].first << " runs off page " << page;
            for (std::size_t j = 0; j < i; ++j)
                EXPECT_FALSE(overlap(r, held[j].second))
                    << "controls " << held[i].first << " and " << held[j].first << " on page " << page;
        }
    }
}

TEST_F(SettingsWindowTest, RestoreShowsTheStoredValuesAndDefaultsTheFirstOnes)
{
    bar->PopupSettings(-1);
    toolkit.toggleCheck(form(), s::MUSE);
    toolkit.pasteText(form(), s::AUTOMEMAX, "100");
    toolkit.selectItems(form(), s::ALLIST, {4});
    click(s::BX1);
    toolkit.toggleCheck(form(), s::MUSE);
    toolkit.pasteText(form(), s::AUTOMEMAX, "5");
    toolkit.selectItems(form(), s::ALLIST, {7});

    click(s::BX2);
    EXPECT_EQ(control(s::MUSE).value, 1);
    EXPECT_EQ(text(s::AUTOMEMAX), "100");
    EXPECT_EQ(control(s::VScroll2).value, 100);
    EXPECT_EQ(control(s::ALLIST).selected, std::vector<int> {4});

    click(s::BX3);
    EXPECT_EQ(control(s::MUSE).value, 0);
    EXPECT_EQ(text(s::RefInterval), "2");
    EXPECT_EQ(text(s::AUTOMEMAX), "64");
    EXPECT_EQ(text(s::AUTOMEMIN), "8");
    EXPECT_TRUE(control(s::ALLIST).selected.empty()) << "no alignment chosen";
    for (int i = 0; i <= 10; ++i)
        EXPECT_FALSE(control(s::PREV_0 + i).visible);
    EXPECT_EQ(stored()["IR_EnableIRSupport"], b4(0, 1)) << "showing stores nothing";
}

TEST_F(SettingsWindowTest, EachAlignmentEntryPlacesTheBarAndARestartAppliesTheStoredOne)
{
    struct Case {
        int entry;
        float position;
        bool fullHeight;
    };
    const ui::ScreenMetrics screen = toolkit.metrics;
    for (const Case& c : {Case {3, 3, false}, Case {9, 3, true}, Case {4, 1, false}, Case {10, 5, true},
             Case {1, 4, false}, Case {8, 8, false}, Case {0, -1, false}, Case {2, -1, false}}) {
        bar->PopupSettings(1);
        toolkit.selectItems(form(), s::ALLIST, {c.entry});
        for (int i = 0; i <= 10; ++i)
            EXPECT_EQ(control(s::PREV_0 + i).visible, i == c.entry) << "entry " << c.entry << " preview " << i;
        click(s::BX1);
        EXPECT_EQ(bar->alignPosition(), c.position) << "entry " << c.entry;
        EXPECT_EQ(bar->fullHeightSelected(), c.fullHeight) << "entry " << c.entry;
        EXPECT_EQ(bar->dockingTimerRunning(), c.position != bar::kFreeFloating);
    }
    // "fixed right": free-floating against the right edge, vertically centred.
    const ui::Rect fixed = barFrame();
    EXPECT_EQ(fixed.left + fixed.width, screen.widthTwips());
    EXPECT_NEAR(fixed.top + fixed.height / 2, screen.heightTwips() / 2, 15);

    // Nothing chosen leaves the bar where it stands.
    toolkit.selectItems(form(), s::ALLIST, {5});
    click(s::BX1);
    toolkit.advance(5000);
    const ui::Rect docked = barFrame();
    click(s::BX3);
    click(s::BX1);
    EXPECT_EQ(bar->alignPosition(), 5);
    EXPECT_EQ(stored()["Align_Position"], b4(0, 5));

    bar.reset();
    start();
    EXPECT_EQ(bar->alignPosition(), 5) << "applied once after start-up";
    toolkit.advance(5000);
    EXPECT_EQ(barFrame().left, docked.left);
}

TEST_F(SettingsWindowTest, ASaveLeavesTheBarWhereItStandsUnlessTheAlignmentWasChosenInThisShowing)
{
    bar->PopupSettings(-1);
    click(s::BX1);
    ASSERT_EQ(stored()["Align_Position"], b4(0, 0)) << "a free bar's first save stores \"off\"";
    bar.reset();
    start();
    ui::Rect dragged = barFrame();
    dragged.left += 3000;
    dragged.top += 1500;
    toolkit.userResize(bar->formId(), dragged);
    toolkit.doubleClick(bar->formId(), 0);
    toolkit.pasteText(form(), s::RefInterval, "5");
    click(s::BX1);
    EXPECT_EQ(barFrame(), dragged);
    EXPECT_EQ(bar->refreshIntervalMs(), 5000);

    // Docked at the left edge, with full height chosen from the main menu.
    bar->PopupSettings(1);
    toolkit.selectItems(form(), s::ALLIST, {3});
    click(s::BX1);
    toolkit.menuChoices.push_back(bar_ids::menu::MFULLHEIGHT);
    toolkit.mouseUp(bar->formId(), bar_ids::SSETTS, ui::MouseButton::Left);
    ASSERT_TRUE(bar->fullHeightSelected());
    const ui::Rect tall = barFrame();
    for (int page : {-1, 1}) {
        bar->PopupSettings(page);
        click(s::BX1);
        EXPECT_TRUE(bar->fullHeightSelected()) << "page " << page;
        EXPECT_EQ(barFrame(), tall) << "page " << page;
    }
    // Restore puts back what is stored: no choice of the user's is left to apply.
    toolkit.selectItems(form(), s::ALLIST, {0});
    click(s::BX2);
    click(s::BX1);
    EXPECT_EQ(bar->alignPosition(), 3);

    // A choice made in this showing is applied, once.
    toolkit.selectItems(form(), s::ALLIST, {0});
    click(s::BX1);
    EXPECT_EQ(bar->alignPosition(), -1);
    EXPECT_FALSE(bar->fullHeightSelected());
    toolkit.userResize(bar->formId(), dragged);
    click(s::BX1);
    EXPECT_EQ(barFrame(), dragged);
}

TEST_F(SettingsWindowTest, AnAllZeroOrOutOfRangeRecordIsUsedAndShownWithinTheWindowsRanges)
{
    const auto put = [&](const char* name, std::string bytes) {
        sim.sim_registry().putValue(
            RegistryRoot::CurrentUser, settings::SetupMem::kKeyPath, name, {platform::kRegDword, std::move(bytes)});
    };
    put("General_RefreshInterval", b4(0, 0));
    put("Mem_FreeUp", b4(0, 0));
    put("Mem_FreeUpAuto", b4(0, 1));
    put("Mem_FreeUpIfBelow", b4(0xFF, 0xFF));
    sim.sim_memory().figures = {1024ull << 20, 500ull << 20, 0, 0};
    bar.reset();
    start();
    tick();
    EXPECT_EQ(sim.sim_memory().allocations, 0) << "500 MB free is not below a threshold of 127 MB";
    toolkit.doubleClick(bar->formId(), bar_ids::TIM1);
    EXPECT_EQ(sim.sim_memory().allocations, 0) << "1 MB, not the whole memory, is freed up";
    EXPECT_EQ(bar->refreshIntervalMs(), 1000);

    bar->PopupSettings(-1);
    EXPECT_EQ(text(s::RefInterval), "1");
    EXPECT_EQ(text(s::AUTOMEMAX), "1");
    EXPECT_EQ(text(s::AUTOMEMIN), "127");
    EXPECT_EQ(control(s::VScroll3).value, 127);
}

TEST_F(SettingsWindowTest, TaskManagerSwitchesTakeEffectOnSave)
{
    sim.sim_processes().self = 4;
    sim.sim_processes().table = {{4, "tolvix.exe"}, {10, "svchost.exe"}};
    bar->PopupSettings(0);
    toolkit.toggleCheck(form(), s::HTASK);
    click(s::BX1);
    bar->ShowTaskManager();
    ASSERT_NE(toolkit.control(task_ids::TASKLST), nullptr);
    EXPECT_EQ(control(task_ids::TASKLST).items, std::vector<std::string> {"svchost.exe"});

    bar->PopupSettings(0);
    toolkit.toggleCheck(form(), s::NOTASKM);
    click(s::BX1);
    toolkit.advance(2000);
    bar->ShowTaskManager();
    EXPECT_EQ(toolkit.control(task_ids::TASKLST), nullptr) << "disabled";
}

TEST_F(SettingsWindowTest, ClosesOnceInTheBackgroundEvenFromInsideItsOwnPendingMessages)
{
    bar->PopupSettings(-1);
    toolkit.advance(4000);
    EXPECT_NE(bar->settingsWindow(), nullptr) << "in front, it stays";
    desktop.activate(desktop.open("Other"));
    toolkit.advance(2000);
    EXPECT_EQ(bar->settingsWindow(), nullptr);

    // Its tick falls due while "More..." lets pending messages run, with another window in front:
    // the window closes under the click, which then touches nothing of it.
    bar->PopupSettings(2);
    toolkit.advance(1990);
    toolkit.queueInput([&] { desktop.activate(desktop.open("Another")); });
    toolkit.queueInput([&] { toolkit.advance(20); });
    click(s::BMore);
    EXPECT_EQ(bar->settingsWindow(), nullptr);
    toolkit.advance(10);
    bar->PopupSettings(0);
    EXPECT_EQ(window().shownPage(), 0) << "a new window opens";
}

} // namespace
