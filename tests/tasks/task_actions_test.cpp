#include "platform/sim/SimPlatform.h"
#include "platform/Widgets.h"
#include "tasks/CounterMenu.h"
#include "tasks/TaskActions.h"
#include "tasks/TaskIds.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

namespace {

namespace m = task_ids::menu;
using platform::WindowHandle;

class TaskActionsTest : public ::testing::Test {
protected:
    sim::SimPlatform sim;
    sim::SimDesktop& desktop = sim.sim_desktop();
    sim::SimProcesses& processes = sim.sim_processes();

    // Chooses the entry of the task menu built for target, as the popup menu would.
    void choose(WindowHandle target, ui::MenuId entry)
    {
        const ui::MenuItem menu = tasks::BuildTaskMenu(desktop, processes, target);
        const ui::MenuItem* item = ui::FindMenuItem(menu, entry);
        ASSERT_NE(item, nullptr) << entry;
        ASSERT_TRUE(item->enabled && item->action) << entry;
        item->action();
    }
    // Every command sent, as "what argument detail".
    std::vector<std::string> sent() const
    {
        std::vector<std::string> result;
        for (const auto& c : desktop.commands)
            result.push_back(c.what + " " + std::to_string(c.argument) + " " + std::to_string(c.detail));
        return result;
    }
};

TEST_F(TaskActionsTest, EveryEntryActsOnTheTargetWithoutWaitingForIt)
{
    const WindowHandle w = desktop.open("Editor");
    desktop.open("Other");

    choose(w, m::MFF_0 + 0);
    choose(w, m::MFF_0 + 3);
    EXPECT_TRUE(desktop.isIconic(w));
    choose(w, m::MFF_0 + 4);
    choose(w, m::MOT_0 + 1);
    EXPECT_TRUE(desktop.find(w)->topmost);
    choose(w, m::MOT_0 + 0);
    EXPECT_FALSE(desktop.find(w)->topmost);
    choose(w, m::MHID);
    EXPECT_FALSE(desktop.isVisible(w));
    choose(w, m::MCL);
    EXPECT_EQ(desktop.find(w), nullptr) << "a responsive window closes";

    // Asynchronous show, topmost changes that neither move nor size, a timed close.
    const std::string top = "pos " + std::to_string(platform::kInsertTopmost) + " ";
    const std::string notTop = "pos " + std::to_string(platform::kInsertNoTopmost) + " ";
    const unsigned async = platform::kPosAsyncWindowPos;
    const unsigned keepPlace = platform::kPosNoSize | platform::kPosNoMove | async;
    EXPECT_EQ(sent(),
        (std::vector<std::string> {"showAsync 1 0", "showAsync 6 0", "showAsync 3 0", top + std::to_string(keepPlace),
            notTop + std::to_string(keepPlace), notTop + std::to_string(platform::kPosHideWindow | async),
            "sendTimeout 16 " + std::to_string(tasks::kCloseTimeoutMs)}));

    const ui::MenuItem menu = tasks::BuildTaskMenu(desktop, processes, w);
    for (ui::MenuId greyed : {m::MFF_0 + 1, m::MFF_0 + 2}) {
        EXPECT_FALSE(ui::FindMenuItem(menu, greyed)->enabled);
        EXPECT_FALSE(ui::FindMenuItem(menu, greyed)->action);
    }
}

TEST_F(TaskActionsTest, CloseGivesUpOnAHungOrRefusingWindowAndNoTargetSendsNothing)
{
    const WindowHandle hung = desktop.open("Hung");
    const WindowHandle stubborn = desktop.open("Save changes?");
    desktop.hung.insert(hung);
    desktop.refuseClose.insert(stubborn);

    EXPECT_FALSE(tasks::CloseTask(desktop, hung));
    EXPECT_NE(desktop.find(hung), nullptr);
    EXPECT_TRUE(tasks::CloseTask(desktop, stubborn));
    EXPECT_NE(desktop.find(stubborn), nullptr) << "the window may refuse";
    const std::string timedClose = "sendTimeout 16 " + std::to_string(tasks::kCloseTimeoutMs);
    EXPECT_EQ(sent(), (std::vector<std::string> {timedClose, timedClose}));

    desktop.commands.clear();
    for (ui::MenuId entry : {m::MFF_0 + 0, m::MFF_0 + 3, m::MFF_0 + 4, m::MOT_0, m::MOT_0 + 1, m::MHID, m::MCL, m::MFT})
        choose(0, entry);
    EXPECT_TRUE(desktop.commands.empty());
    EXPECT_TRUE(processes.terminated.empty());
}

TEST_F(TaskActionsTest, TerminateEndsOnlyAnotherProcessThatLetsItselfBeOpened)
{
    processes.self = 4;
    processes.table = {{4, "tolvix.exe"}, {200, "victim.exe"}, {300, "guarded.exe"}};
    processes.refuseAccess.insert(300);
    sim::WindowOptions options;
    options.processId = 200;
    const WindowHandle victim = desktop.open("Victim", options);
    options.processId = 300;
    const WindowHandle guarded = desktop.open("Guarded", options);
    options.processId = 4;
    const WindowHandle own = desktop.open("Bar dialog", options);
    const WindowHandle gone = desktop.open("Gone");
    desktop.close(gone); // its process id now reads 0

    choose(guarded, m::MFT);
    choose(own, m::MFT);
    choose(gone, m::MFT);
    EXPECT_TRUE(processes.terminated.empty());
    EXPECT_EQ(processes.table.size(), 3u);

    choose(victim, m::MFT);
    EXPECT_EQ(processes.terminated, (std::vector<std::pair<std::uint32_t, std::uint32_t>> {{200, 0}}));
    EXPECT_FALSE(tasks::TerminateTask(desktop, processes, victim)) << "already gone";
}

TEST(TaskCounterMenu, EntriesRunTheBarsCallbacks)
{
    int shown = 0, settings = 0;
    const ui::MenuItem menu = tasks::BuildTaskCounterMenu([&] { ++shown; }, [&] { ++settings; });
    ASSERT_EQ(menu.items.size(), 2u);
    EXPECT_EQ(menu.items[0].caption, "show tasks");
    EXPECT_EQ(menu.items[1].caption, "settings");
    menu.items[0].action();
    EXPECT_EQ(shown, 1);
    EXPECT_EQ(settings, 0);
    menu.items[1].action();
    EXPECT_EQ(settings, 1);
}

} // namespace
