#include "platform/sim/SimPlatform.h"
#include "platform/Widgets.h"
#include "tasks/MODULQTask2.h"
#include "tasks/TaskManagerWindow.h"
#include "tasks/TaskIds.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

namespace {

namespace ids = task_ids;
using Ended = std::vector<std::pair<std::uint32_t, std::uint32_t>>;
using Names = std::vector<std::string>;

ui::FormSpec BarSpec()
{
    ui::FormSpec props;
    props.caption = "bar";
    props.rect = {0, 0, 3000, 9000};
    return props;
}

class TaskManagerTest : public ::testing::Test {
protected:
    sim::SimPlatform sim;
    sim::SimDesktop& desktop = sim.sim_desktop();
    sim::SimToolkit& toolkit = sim.sim_toolkit();
    sim::SimProcesses& processes = sim.sim_processes();
    ui::Form bar {toolkit, BarSpec()};
    tasks::TaskManagerWindow taskManager {sim, bar};

    void SetUp() override
    {
        processes.self = 4;
        processes.table = {{4, "tolvix.exe"}, {10, "svchost.exe"}, {11, "explorer.exe"}, {12, "svchost.exe"}};
    }
    void TearDown() override { EXPECT_EQ(toolkit.failures, std::vector<std::string> {}); }
    ui::FormId form() const { return taskManager.window()->formId(); }
    const ui::ControlSpec& control(ui::ControlId id) const
    {
        const ui::ControlSpec* c = toolkit.control(id);
        if (!c)
            throw std::runtime_error("no control " + std::to_string(id));
        return *c;
    }
    Names items() const { return control(ids::TASKLST).items; }
    void click(ui::ControlId id) { toolkit.mouseUp(form(), id, ui::MouseButton::Left); }
    void tick() { toolkit.advance(2000); }
};

TEST_F(TaskManagerTest, ShowListsEveryProcessInSnapshotOrderInFront)
{
    processes.table.push_back({13, std::string(260, 'x')});
    taskManager.Show();
    ASSERT_TRUE(taskManager.isOpen());
    EXPECT_EQ(items(), (Names {"tolvix.exe", "svchost.exe", "explorer.exe", "svchost.exe", std::string(260, 'x')}));
    EXPECT_EQ(taskManager.window()->processIds(), (std::vector<std::uint32_t> {4, 10, 11, 12, 13}));
    EXPECT_EQ(tasks::CountProcesses(processes), 5u);

    const sim::SimForm* f = toolkit.form(form());
    EXPECT_TRUE(f->visible);
    EXPECT_EQ(f->props.caption, "Task Manager");
    EXPECT_EQ(f->props.owner, bar.window());
    EXPECT_EQ(desktop.foreground(), taskManager.window()->window()) << "else its first tick closes it";
    EXPECT_TRUE(control(ids::TASKLST).multiSelect);
    EXPECT_EQ(control(ids::TSKREFRX).rect, (ui::Rect {4560, 2760, 1095, 255}));
    EXPECT_EQ(control(ids::TSKILL).parent, ids::TSKILLX);

    // Shown again while open: brought back to the front, not refilled.
    const long long snapshots = processes.snapshots;
    desktop.activate(desktop.open("Other"));
    taskManager.Show();
    EXPECT_EQ(desktop.foreground(), taskManager.window()->window());
    EXPECT_EQ(processes.snapshots, snapshots);

    processes.failSnapshot = true;
    click(ids::TSKREFR);
    EXPECT_TRUE(items().empty());
    EXPECT_TRUE(taskManager.window()->processIds().empty());
    EXPECT_EQ(tasks::CountProcesses(processes), 0u);

    processes.failSnapshot = false;
    processes.table.assign(tasks::kMaxProcesses + 1, {});
    for (std::size_t i = 0; i < processes.table.size(); ++i)
        processes.table[i] = {static_cast<std::uint32_t>(1000 + i), "p.exe"};
    click(ids::TSKREFR);
    EXPECT_EQ(items().size(), tasks::kMaxProcesses);
    EXPECT_EQ(taskManager.window()->processIds().back(), 1000u + tasks::kMaxProcesses - 1);
}

TEST_F(TaskManagerTest, KillEndsTheSelectionAndTheNextTickReenablesAndRefills)
{
    processes.refuseAccess.insert(12);
    taskManager.Show();
    toolkit.selectItems(form(), ids::TASKLST, {3, 1, 0}); // refused, ended, the bar itself
    click(ids::TSKILL);
    EXPECT_EQ(processes.terminated, (Ended {{10, 0}}));
    EXPECT_FALSE(control(ids::TSKILL).enabled);
    EXPECT_FALSE(control(ids::TSKREFR).enabled);
    EXPECT_EQ(items().size(), 4u) << "the list waits for the tick";

    const long long snapshots = processes.snapshots;
    click(ids::TSKREFR); // disabled: nothing happens
    click(ids::TSKILL);
    EXPECT_EQ(processes.snapshots, snapshots);
    EXPECT_EQ(processes.terminated.size(), 1u);

    tick();
    EXPECT_TRUE(control(ids::TSKILL).enabled);
    EXPECT_TRUE(control(ids::TSKREFR).enabled);
    EXPECT_EQ(items(), (Names {"tolvix.exe", "explorer.exe", "svchost.exe"}));
    EXPECT_FALSE(taskManager.window()->killPending());

    // Nothing selected: nothing ends, yet the same disable and refill cycle runs.
    tick();
    EXPECT_EQ(processes.snapshots, snapshots + 1) << "a plain tick does not refill";
    click(ids::TSKILL);
    EXPECT_EQ(processes.terminated.size(), 1u);
    EXPECT_FALSE(control(ids::TSKILL).enabled);
    tick();
    EXPECT_TRUE(control(ids::TSKILL).enabled);
    EXPECT_EQ(processes.snapshots, snapshots + 2);
}

TEST_F(TaskManagerTest, ClosesOnceAnotherWindowIsInFrontAndOpensAfreshLater)
{
    taskManager.Show();
    const platform::WindowHandle first = taskManager.window()->window();
    tick();
    EXPECT_TRUE(taskManager.isOpen());

    desktop.activate(desktop.open("Other"));
    tick();
    EXPECT_FALSE(taskManager.isOpen());
    EXPECT_EQ(desktop.find(first), nullptr);
    toolkit.advance(10);
    EXPECT_FALSE(taskManager.holdsClosedWindow());

    processes.table.push_back({20, "new.exe"});
    taskManager.Show();
    ASSERT_TRUE(taskManager.isOpen());
    EXPECT_EQ(items().back(), "new.exe");
    EXPECT_EQ(desktop.foreground(), taskManager.window()->window());

    EXPECT_TRUE(toolkit.userClose(form()));
    EXPECT_FALSE(taskManager.isOpen());
    toolkit.advance(10);
    EXPECT_FALSE(taskManager.holdsClosedWindow());
}

TEST_F(TaskManagerTest, ClosedInsideItsOwnPendingMessageCallItIsFreedOnlyAfterwards)
{
    taskManager.Show();
    const ui::FormId oldForm = form();
    const platform::WindowHandle oldWindow = taskManager.window()->window();
    click(ids::TSKILL);

    // During the tick's pending-message call the user closes the window and reopens it from the
    // counter; the tick must then leave both windows alone.
    bool heldWhileRunning = false;
    toolkit.queueInput([&] {
        toolkit.userClose(oldForm);
        taskManager.Show();
        heldWhileRunning = taskManager.holdsClosedWindow();
    });
    tick();
    EXPECT_TRUE(heldWhileRunning);
    EXPECT_EQ(desktop.find(oldWindow), nullptr);
    ASSERT_TRUE(taskManager.isOpen());
    EXPECT_NE(form(), oldForm);
    EXPECT_EQ(desktop.foreground(), taskManager.window()->window());
    EXPECT_EQ(items().size(), 4u);
    toolkit.advance(10);
    EXPECT_FALSE(taskManager.holdsClosedWindow());

    // The window's own timer fires inside the pending-message call of a "Refresh" click and
    // closes it.
    heldWhileRunning = false;
    toolkit.queueInput([&] {
        desktop.activate(desktop.open("Other"));
        toolkit.advance(2000);
        heldWhileRunning = taskManager.holdsClosedWindow();
    });
    click(ids::TSKREFR);
    EXPECT_TRUE(heldWhileRunning);
    EXPECT_FALSE(taskManager.isOpen());
    toolkit.advance(10);
    EXPECT_FALSE(taskManager.holdsClosedWindow());
}

} // namespace
