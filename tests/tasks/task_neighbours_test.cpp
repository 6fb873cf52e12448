// A program's task buttons side by side, and what a middle click on a task button does.
#include "bar/BarFixture.h"
#include "settings/SettingsIds.h"
#include "tasks/TaskActions.h"
#include "tasks/TaskIds.h"

namespace {

namespace s = settings_ids;

class TaskNeighboursTest : public BarTest {
protected:
    sim::SimProcesses& processes = sim.sim_processes();
    sim::SimLauncher& launcher = sim.sim_launcher();

    void store(const char* name, char low)
    {
        sim.sim_registry().putValue(platform::RegistryRoot::CurrentUser, settings::SetupMem::kKeyPath, name,
            {platform::kRegDword, std::string {'\0', '\0', '\0', low}});
    }
    // Checks a box of the general page and saves the page, as the user does.
    void checkAndSave(ui::ControlId box)
    {
        bar->PopupSettings(0);
        const ui::FormId form = bar->settingsWindow()->formId();
        toolkit.toggleCheck(form, box);
        toolkit.mouseUp(form, s::BX1, ui::MouseButton::Left);
    }
    platform::WindowHandle openOne(const std::string& title, std::uint32_t processId)
    {
        sim::WindowOptions options;
        options.processId = processId;
        const platform::WindowHandle window = desktop.open(title, options);
        tick();
        return window;
    }
    void middleClick(int i) { toolkit.mouseUp(bar->formId(), task_ids::VTASKS_BASE + i, ui::MouseButton::Middle); }
};

TEST_F(TaskNeighboursTest, GroupsFollowTheirFirstWindowsNewcomersJoinTheirGroupsEndAndOffKeepsTheOrder)
{
    processes.images = {{10, "C:\\Apps\\Edit.exe"}, {20, "c:\\APPS\\edit.EXE"}, {30, "C:\\Apps\\Paint.exe"}};
    start();
    const auto e1 = openOne("E1", 10);
    openOne("P1", 30);
    openOne("E2", 20); // another process of the same file, named in other letter cases
    openOne("X", 40);  // its path cannot be had: a group of its own
    openOne("P2", 30);
    EXPECT_EQ(captions(), (std::vector<std::string> {"E1", "P1", "E2", "X", "P2"}));
    EXPECT_EQ(processes.pathQueries, 0) << "off, no window's program is asked for";

    checkAndSave(s::TASKNB);
    tick();
    EXPECT_EQ(captions(), (std::vector<std::string> {"E1", "E2", "P1", "P2", "X"}));
    EXPECT_EQ(processes.pathQueries, 5);

    openOne("E3", 10);
    EXPECT_EQ(captions(), (std::vector<std::string> {"E1", "E2", "E3", "P1", "P2", "X"}));
    desktop.close(e1);
    openOne("P3", 30);
    tick();
    EXPECT_EQ(captions(), (std::vector<std::string> {"E2", "E3", "P1", "P2", "P3", "X"}));
    EXPECT_EQ(processes.pathQueries, 7) << "each window's program is asked for once, when it joins";

    checkAndSave(s::TASKNB);
    openOne("E4", 10);
    EXPECT_EQ(captions(), (std::vector<std::string> {"E2", "E3", "P1", "P2", "P3", "X", "E4"}));
    EXPECT_EQ(processes.pathQueries, 7);
}

TEST_F(TaskNeighboursTest, AMiddleClickClosesWithATimeOutUnlessTheUserChoseACopyOrNothing)
{
    start();
    const auto a = openOne("A", 10);
    const auto hung = openOne("Hung", 20);
    desktop.hung.insert(hung);
    desktop.commands.clear();
    middleClick(1);
    middleClick(0);
    ASSERT_EQ(desktop.commands.size(), 2u) << "a close never waits on a window without a time-out";
    for (const sim::DesktopCommand& command : desktop.commands) {
        EXPECT_EQ(command.what, "sendTimeout");
        EXPECT_EQ(command.argument, platform::kMessageClose);
        EXPECT_EQ(command.detail, tasks::kCloseTimeoutMs);
    }
    EXPECT_EQ(desktop.commands[0].window, hung);
    EXPECT_EQ(desktop.commands[1].window, a);
    EXPECT_EQ(captions(), (std::vector<std::string> {"Hung"})) << "the hung window stays, the bar goes on";

    processes.images = {{20, "C:\\Program Files\\Hung\\hung.exe"}};
    launcher.files = {"C:\\Program Files\\Hung\\hung.exe"};
    checkAndSave(s::MCLICK_0 + 1);
    desktop.commands.clear();
    middleClick(0);
    ASSERT_EQ(launcher.started.size(), 1u);
    EXPECT_EQ(launcher.started[0].first, "\"C:\\Program Files\\Hung\\hung.exe\"");
    processes.images.clear();
    middleClick(0);
    EXPECT_EQ(launcher.started.size(), 1u) << "no path, nothing started";

    checkAndSave(s::MCLICK_0 + 2);
    middleClick(0);
    EXPECT_TRUE(desktop.commands.empty());
    EXPECT_EQ(launcher.started.size(), 1u);
    EXPECT_EQ(bar->taskButtons().SelectedTask, hung);
}

TEST_F(TaskNeighboursTest, AStoredChoiceOutOfRangeIsClampedAndTheChoiceBoxesStayOneAtATime)
{
    store("General_MiddleClick", 9);
    start();
    bar->PopupSettings(0);
    const ui::FormId form = bar->settingsWindow()->formId();
    const auto checked = [&] {
        std::vector<int> values;
        for (int k = 0; k < 3; ++k)
            values.push_back(control(s::MCLICK_0 + k).value);
        return values;
    };
    EXPECT_EQ(checked(), (std::vector<int> {0, 0, 1})) << "9 is clamped to the last choice";
    toolkit.toggleCheck(form, s::MCLICK_0 + 2);
    EXPECT_EQ(checked(), (std::vector<int> {0, 0, 1})) << "the checked box cannot be cleared alone";
    toolkit.toggleCheck(form, s::MCLICK_0);
    EXPECT_EQ(checked(), (std::vector<int> {1, 0, 0}));
}

} // namespace

TEST_F(TaskNeighboursTest, GroupedADraggedButtonTakesItsWholeGroupAndTheGroupsStayTogether)
{
    processes.images = {{10, "C:\\Apps\\Edit.exe"}, {30, "C:\\Apps\\Paint.exe"}};
    start();
    checkAndSave(s::TASKNB);
    openOne("E1", 10);
    openOne("P1", 30);
    openOne("E2", 10);
    openOne("P2", 30);
    ASSERT_EQ(captions(), (std::vector<std::string> {"E1", "E2", "P1", "P2"}));
    const float pitch = button(1).rect.top - button(0).rect.top;
    // P2 dropped on E1's row: Paint's group goes before Edit's.
    toolkit.pressAndRelease(bar->formId(), task_ids::VTASKS_BASE + 3, 10, -3 * pitch + 20);
    EXPECT_EQ(captions(), (std::vector<std::string> {"P1", "P2", "E1", "E2"}));
    // Within its own group a window moves alone.
    toolkit.pressAndRelease(bar->formId(), task_ids::VTASKS_BASE + 1, 10, -pitch + 20);
    EXPECT_EQ(captions(), (std::vector<std::string> {"P2", "P1", "E1", "E2"}));
    openOne("E3", 10);
    EXPECT_EQ(captions(), (std::vector<std::string> {"P2", "P1", "E1", "E2", "E3"})) << "the order made is kept";
}
