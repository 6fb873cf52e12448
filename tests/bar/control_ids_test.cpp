#include "bar/BarIds.h"
#include "bar/TOLVIX.h"
#include "platform/sim/SimPlatform.h"
#include "infrared/InfraredIds.h"
#include "settings/SettingsIds.h"
#include "settings/SettingsTable.h"
#include "progmenu/ProgramMenuIds.h"
#include "progmenu/ShortcutIds.h"
#include "tasks/CounterMenu.h"
#include "tasks/TaskActions.h"
#include "tasks/TaskIds.h"

#include <gtest/gtest.h>

#include <set>

namespace {
void CollectMenuIds(const ui::MenuItem& item, std::multiset<int>& ids)
{
    ids.insert(item.id);
    for (const auto& child : item.items)
        CollectMenuIds(child, ids);
}
} // namespace

TEST(ControlIds, ControlAndMenuIdsAreUnique)
{
    namespace ids = bar_ids;
    const std::vector<int> controls = {ids::OEMLOGO, ids::Picture2, ids::MMX, ids::RBUT, ids::WMPLAY, ids::SSETTS,
        ids::STX, ids::VRUN, ids::TSKMODE_0, ids::TIM3, ids::TIM1, ids::Picture3, ids::Label1, ids::TIM2,
        task_ids::TASKLST, task_ids::TSKILLX, task_ids::TSKILL, task_ids::TSKREFRX, task_ids::TSKREFR,
        ids::about::Backdrop, ids::about::Picture1, ids::about::OKK, shortcut_ids::BW, shortcut_ids::TSK,
        shortcut_ids::MADD, shortcut_ids::MEDIT, shortcut_ids::MDEL, shortcut_ids::MQIT};
    std::set<int> seen(controls.begin(), controls.end());
    for (int i = 0; i < 7; ++i)
        seen.insert(ids::MEMMODE_0 + i);
    seen.insert(ids::ONLED_0);
    seen.insert(ids::ONLED_0 + 1);
    namespace s = settings_ids;
    // The settings' own controls come from their table.
    std::vector<int> settingsControls = {s::Picture1, s::Label2, s::A00, s::RefScroll, s::Label5, s::ALLIST, s::Label3,
        s::A20, s::VScroll2, s::VScroll3, s::Label6, s::BBrowseIR, s::HOTKEY, s::BX0, s::BX1, s::BX2, s::BX3, s::BMore};
    for (const settings::SettingRow& row : settings::kSettingsTable)
        if (row.control != settings::kNoControl)
            settingsControls.push_back(row.control);
    seen.insert(settingsControls.begin(), settingsControls.end());
    for (int i = 0; i < 4; ++i)
        seen.insert(s::SetupPage_0 + i);
    for (int i = 0; i < 11; ++i)
        seen.insert(s::PREV_0 + i);
    for (int id : {infrared_ids::MCONS, infrared_ids::MDEL, infrared_ids::MQIT, infrared_ids::A1})
        seen.insert(id);
    EXPECT_EQ(seen.size(), controls.size() + 9 + settingsControls.size() + 4 + 11 + 4);
    for (int id : seen)
        EXPECT_TRUE(id < task_ids::VTASKS_BASE) << id;

    // Timers of the bar's form, including the one the task manager's owner adds to it.
    const std::set<int> barTimers = {ids::RTASKS, ids::MALLI, ids::MMY, task_ids::ReleaseTaskManager, ids::ReleaseAbout,
        settings_ids::ReleaseSettings, shortcut_ids::ReleaseShortcuts, infrared_ids::ReleaseInfrared};
    EXPECT_EQ(barTimers.size(), 8u);

    // Two shortcuts, so that their items are in the program menu.
    sim::SimPlatform sim;
    sim.sim_files().content["C:\\Bars\\SHORTCUT.INI"] = "C:\\a.exe\r\nC:\\b.exe\r\n";
    bar::TOLVIX bar(sim);
    bar.Load();
    ASSERT_NE(ui::FindMenuItem(bar.mainMenu(), progmenu_ids::SK_BASE + 1), nullptr);
    std::multiset<int> menuIds = {
        ids::menu::MMEMS, ids::menu::MMEM_0, ids::menu::MMEM_0 + 1, shortcut_ids::menu::M0, shortcut_ids::menu::M1};
    // The infrared window's menus, whose ids run from M1 to the list's "Remove".
    for (int id = infrared_ids::menu::M1; id <= infrared_ids::menu::ListRemove; ++id)
        menuIds.insert(id);
    for (const auto& root : {bar.mainMenu(), tasks::BuildTaskMenu(sim, 0), tasks::BuildTaskCounterMenu({}, {})})
        CollectMenuIds(root, menuIds);
    for (int id : menuIds)
        EXPECT_EQ(menuIds.count(id), 1u) << "menu id " << id;
}
