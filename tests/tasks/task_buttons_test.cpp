#include "bar/BarFixture.h"
#include "tasks/TaskIds.h"

using platform::ShowCommand;

class TaskButtonsTest : public BarTest { };

TEST_F(TaskButtonsTest, GivenThreeWindowsWhenBClosesAndDOpensTheButtonsReadACD)
{
    start();
    desktop.open("A");
    tick();
    auto b = desktop.open("B");
    tick();
    desktop.open("C");
    tick();
    EXPECT_EQ(captions(), (std::vector<std::string> {"A", "B", "C"}));
    desktop.close(b);
    desktop.open("D");
    tick();
    EXPECT_EQ(captions(), (std::vector<std::string> {"A", "C", "D"}));
    EXPECT_FALSE(buttonLoaded(3)) << "the surplus button is unloaded";
}

TEST_F(TaskButtonsTest, WindowsPresentAtStartAppearInZOrderAndTheBarHasNoButton)
{
    desktop.open("bottom");
    desktop.open("top");
    start();
    EXPECT_EQ(captions(), (std::vector<std::string> {"top", "bottom"}));
}

TEST_F(TaskButtonsTest, ButtonsStackWithAQuarterHeightGap)
{
    start();
    for (int i = 0; i < 3; ++i)
        desktop.open("w");
    tick();
    EXPECT_EQ(button(0).rect.top, 120);
    EXPECT_FLOAT_EQ(button(1).rect.top, 120 + 1.25f * 285);
    EXPECT_FLOAT_EQ(button(2).rect.top, 120 + 2.5f * 285);
    EXPECT_EQ(button(2).rect.width, button(0).rect.width);
    EXPECT_EQ(button(2).font.points, 9.75f);
}

TEST_F(TaskButtonsTest, TheForegroundTaskIsHighlighted)
{
    start();
    auto a = desktop.open("A");
    desktop.open("B");
    desktop.activate(a);
    tick();
    EXPECT_EQ(button(0).back, ui::kSysHighlight);
    EXPECT_EQ(button(0).fore, ui::kSysHighlightText);
    EXPECT_EQ(button(1).back, ui::kSysButtonFace);
    EXPECT_EQ(button(1).fore, ui::kSysButtonText);
}

TEST_F(TaskButtonsTest, TitlesAreCopiedWholeUpTo255CharactersAndEmptyTitlesStayEmpty)
{
    start();
    const std::string long255(255, 'x');
    // Opened bottom first, so the buttons read top to bottom: untitled, 255 x's, 300 y's.
    desktop.open(std::string(300, 'y'));
    desktop.open(long255);
    desktop.open("");
    tick();
    EXPECT_EQ(button(0).caption, "");
    EXPECT_EQ(button(0).toolTip, "");
    EXPECT_TRUE(button(0).visible);
    EXPECT_EQ(button(1).caption, long255);
    EXPECT_EQ(button(1).toolTip, long255);
    EXPECT_EQ(button(2).caption, std::string(255, 'y'));
}

TEST_F(TaskButtonsTest, WithNoTasksElementZeroIsHidden)
{
    start();
    auto a = desktop.open("A");
    tick();
    EXPECT_TRUE(button(0).visible);
    desktop.close(a);
    tick();
    EXPECT_TRUE(buttonLoaded(0));
    EXPECT_FALSE(button(0).visible);
    desktop.open("B");
    tick();
    EXPECT_EQ(captions(), (std::vector<std::string> {"B"}));
}

TEST_F(TaskButtonsTest, ATickThatChangesNothingWritesNoProperty)
{
    start();
    for (int i = 0; i < 20; ++i)
        desktop.open("window " + std::to_string(i));
    tick();
    const long long before = toolkit.propertyWrites;
    bar->RefreshTaskButtons();
    bar->RefreshTaskButtons();
    EXPECT_EQ(toolkit.propertyWrites, before);
    desktop.setTitle(desktop.zOrder()[0], "renamed");
    bar->RefreshTaskButtons();
    EXPECT_EQ(toolkit.propertyWrites, before + 2) << "caption and tooltip of one button";
}

TEST_F(TaskButtonsTest, LeftClickBringsABackgroundTaskForwardAndRestoresIt)
{
    start();
    auto a = desktop.open("A");
    auto b = desktop.open("B");
    desktop.activate(b);
    desktop.find(a)->iconic = true;
    tick();
    toolkit.mouseUp(bar->formId(), task_ids::VTASKS_BASE + 1, ui::MouseButton::Left);
    EXPECT_EQ(bar->taskButtons().SelectedTask, a);
    EXPECT_EQ(desktop.foreground(), a);
    EXPECT_FALSE(desktop.isIconic(a));
    EXPECT_EQ(desktop.commands.back().what, "showAsync");
    // The refresh after the click highlights the new foreground task.
    EXPECT_EQ(button(1).back, ui::kSysHighlight);
    EXPECT_EQ(button(0).back, ui::kSysButtonFace);
}

TEST_F(TaskButtonsTest, LeftClickOnTheForegroundTaskMinimisesIt)
{
    start();
    auto a = desktop.open("A");
    desktop.activate(a);
    tick();
    toolkit.mouseUp(bar->formId(), task_ids::VTASKS_BASE, ui::MouseButton::Left);
    ASSERT_FALSE(desktop.commands.empty());
    EXPECT_EQ(desktop.commands.back().what, "showAsync") << "posted: a hung window cannot freeze the bar";
    EXPECT_EQ(desktop.commands.back().argument, static_cast<long long>(ShowCommand::Minimize));
    EXPECT_TRUE(desktop.isIconic(a));
}

TEST_F(TaskButtonsTest, AMinimisedForegroundTaskIsRestoredNotMinimisedAgain)
{
    start();
    auto a = desktop.open("A");
    desktop.activate(a);
    desktop.find(a)->iconic = true; // minimised, yet nothing else took the foreground
    tick();
    ASSERT_EQ(bar->taskButtons().LastForeground, a);
    toolkit.mouseUp(bar->formId(), task_ids::VTASKS_BASE, ui::MouseButton::Left);
    EXPECT_FALSE(desktop.isIconic(a));
    EXPECT_EQ(desktop.foreground(), a);
}

TEST_F(TaskButtonsTest, RightClickSelectsTheTaskBeforeTheTaskMenuOpens)
{
    start();
    auto a = desktop.open("A");
    desktop.open("B");
    tick();
    desktop.commands.clear();
    toolkit.mouseUp(bar->formId(), task_ids::VTASKS_BASE + 1, ui::MouseButton::Right);
    EXPECT_EQ(bar->taskButtons().SelectedTask, a);
    ASSERT_EQ(toolkit.shownMenus.size(), 1u);
    EXPECT_EQ(toolkit.shownMenus[0].menu.id, task_ids::menu::MF);
    EXPECT_EQ(toolkit.shownMenus[0].defaultItem, task_ids::menu::MFF_0);
    EXPECT_TRUE(desktop.commands.empty()) << "a right click switches nothing";
}

TEST_F(TaskButtonsTest, QueuedInputRunsBeforeTheRefreshThatFollowsAClick)
{
    // A middle click that does nothing but select the task.
    sim.sim_registry().putValue(platform::RegistryRoot::CurrentUser, settings::SetupMem::kKeyPath,
        "General_MiddleClick", {platform::kRegDword, std::string {'\0', '\0', '\0', '\x02'}});
    start();
    auto a = desktop.open("A");
    tick();
    // A window that opens while the click lets pending messages run is listed at once.
    toolkit.queueInput([&] { desktop.open("late"); });
    toolkit.mouseUp(bar->formId(), task_ids::VTASKS_BASE, ui::MouseButton::Middle);
    EXPECT_EQ(bar->taskButtons().SelectedTask, a);
    EXPECT_EQ(captions(), (std::vector<std::string> {"A", "late"}));
}

TEST_F(TaskButtonsTest, MouseUpWithoutAButtonDoesNothing)
{
    start();
    desktop.open("A");
    tick();
    desktop.commands.clear();
    toolkit.mouseUp(bar->formId(), task_ids::VTASKS_BASE, ui::MouseButton::None);
    EXPECT_EQ(bar->taskButtons().SelectedTask, 0u);
    EXPECT_TRUE(desktop.commands.empty());
}
