// Every form and menu of a running bar, walked as the toolkit holds them: no id repeats, so a new
// control or menu entry is checked without being named here. (A second control with an id already
// on its form is refused by the toolkit itself.)
#include "bar/BarFixture.h"
#include "infrared/InfraredIds.h"
#include "progmenu/ProgramMenuIds.h"
#include "progmenu/ShortcutIds.h"
#include "settings/SettingsIds.h"
#include "settings/SetupMem.h"
#include "tasks/TaskIds.h"

#include <algorithm>
#include <map>
#include <set>

namespace {

void CollectMenuIds(const ui::MenuItem& item, std::multiset<int>& ids)
{
    ids.insert(item.id);
    for (const auto& child : item.items)
        CollectMenuIds(child, ids);
}

class IdsTest : public BarTest {
protected:
    // The bar with two tasks, two shortcuts and the infrared remote learning, and every window it
    // has open: about box, task manager, settings, shortcut window and infrared window.
    void startWithEveryWindow()
    {
        const std::string key = settings::SetupMem::kKeyPath;
        const std::string on {'\0', '\0', '\0', '\1'};
        for (const char* name : {"IR_EnableIRSupport", "IR_LearningMode"})
            sim.sim_registry().putValue(platform::RegistryRoot::CurrentUser, key, name, {platform::kRegDword, on});
        files.content["C:\\Bars\\IR_SCUTS.INI"] = "a rc Quit\r\nb rc NextTask\r\n";
        files.content["C:\\Bars\\SHORTCUT.INI"] = "C:\\a.exe\r\nC:\\b.exe\r\n";
        desktop.open("A");
        desktop.open("B");
        start();
        ASSERT_TRUE(sim.sim_network().accept()) << "the receiver connects at start";
        tick();
        ASSERT_TRUE(buttonLoaded(1));

        bar->ShowAbout();
        bar->ShowTaskManager();
        bar->PopupSettings(3);
        toolkit.menuChoices.push_back(progmenu_ids::MTK);
        toolkit.mouseUp(bar->formId(), bar_ids::STX, ui::MouseButton::Left);
        toolkit.mouseUp(bar->settingsWindow()->formId(), settings_ids::BBrowseIR, ui::MouseButton::Left);
        ASSERT_NE(bar->aboutBox(), nullptr);
        ASSERT_TRUE(bar->taskManager().window());
        ASSERT_NE(bar->settingsWindow(), nullptr);
        ASSERT_NE(bar->shortcuts().window(), nullptr);
        ASSERT_NE(bar->infrared().window(), nullptr);
    }
};

TEST_F(IdsTest, NoTwoControlsOfTheOpenWindowsShareAnId)
{
    startWithEveryWindow();
    // Screen readers, the end-to-end probe and the toolkit find a control by its id alone.
    std::map<ui::ControlId, ui::FormId> owner;
    std::set<ui::ControlId> taskButtons;
    for (ui::FormId form : toolkit.liveForms()) {
        for (const auto& [id, props] : toolkit.form(form)->controls) {
            const auto [it, fresh] = owner.emplace(id, form);
            EXPECT_TRUE(fresh) << "control id " << id << " on forms " << it->second << " and " << form;
            // The range of the task buttons, which grow at run time, holds nothing else.
            if (id >= task_ids::VTASKS_BASE) {
                EXPECT_EQ(form, bar->formId()) << id;
                EXPECT_LE(id, task_ids::VTASKS_LAST);
                taskButtons.insert(id);
            }
        }
    }
    EXPECT_GE(owner.size(), 60u) << "the walk reached the windows' controls";
    ASSERT_FALSE(taskButtons.empty());
    EXPECT_EQ(*taskButtons.begin(), task_ids::VTASKS_BASE);
    EXPECT_EQ(*taskButtons.rbegin(), task_ids::VTASKS_BASE + static_cast<int>(taskButtons.size()) - 1)
        << "the buttons are VTASKS(0) onwards, with no other control among them";

    // Timers of the bar's form, including those the owners of its secondary windows add to it.
    const std::set<int> barTimers = {bar_ids::RTASKS, bar_ids::MALLI, bar_ids::MMY, task_ids::ReleaseTaskManager,
        bar_ids::ReleaseAbout, settings_ids::ReleaseSettings, shortcut_ids::ReleaseShortcuts,
        infrared_ids::ReleaseInfrared};
    EXPECT_EQ(barTimers.size(), 8u);
}

TEST_F(IdsTest, NoTwoEntriesOfTheMenusShareAnId)
{
    startWithEveryWindow();
    // The remote's definition menu opens on a button the map does not know yet.
    sim.sim_network().send("0000000000f40bf0 00 play rc\n");
    // Every other menu opens on a right click: on each control of each window, over a list's second
    // row, selected. With no choice queued each is dismissed.
    for (ui::FormId form : toolkit.liveForms()) {
        std::vector<ui::ControlId> ids;
        if (const sim::SimForm* f = toolkit.form(form))
            for (const auto& entry : f->controls)
                ids.push_back(entry.first);
        for (ui::ControlId id : ids) {
            const sim::SimForm* f = toolkit.form(form);
            if (!f || !f->controls.count(id))
                continue;
            if (f->controls.at(id).items.size() >= 2)
                toolkit.selectItems(form, id, {1});
            toolkit.mouseUp(form, id, ui::MouseButton::Right, 100, sim::SimToolkit::kListRowTwips * 1.5f);
        }
    }

    // One menu may be shown several times (the task menu for each task), or by itself as well as
    // inside another (the program menu): it counts once.
    std::map<ui::MenuId, const ui::MenuItem*> menus {{bar->mainMenu().id, &bar->mainMenu()}};
    for (const sim::ShownMenu& shown : toolkit.shownMenus)
        menus.emplace(shown.menu.id, &shown.menu);
    for (auto it = menus.begin(); it != menus.end();) {
        const bool inAnother = std::any_of(menus.begin(), menus.end(),
            [&](const auto& other) { return other.first != it->first && ui::FindMenuItem(*other.second, it->first); });
        it = inAnother ? menus.erase(it) : std::next(it);
    }
    for (ui::MenuId root : {bar_ids::menu::MMEMS, task_ids::menu::MF, task_ids::menu::T, shortcut_ids::menu::M0,
             infrared_ids::menu::M1, infrared_ids::menu::ListMenu})
        EXPECT_TRUE(
            std::any_of(menus.begin(), menus.end(), [&](const auto& m) { return ui::FindMenuItem(*m.second, root); }))
            << "the walk reached menu " << root;
    ASSERT_NE(ui::FindMenuItem(bar->mainMenu(), progmenu_ids::SK_BASE + 1), nullptr) << "the shortcuts are listed";

    // Commands of all menus share one id space.
    std::multiset<int> menuIds;
    for (const auto& entry : menus)
        CollectMenuIds(*entry.second, menuIds);
    for (int id : menuIds)
        EXPECT_EQ(menuIds.count(id), 1u) << "menu id " << id;
}

} // namespace
