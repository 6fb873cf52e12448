// The bar and its windows without a mouse: where Tab and the arrows take the focus, what Enter
// and Esc press, the keys on the task buttons and the hot key that brings the bar out.
#include "bar/BarFixture.h"
#include "bar/BarGeometry.h"
#include "settings/HotKeySetting.h"
#include "settings/SettingsIds.h"
#include "settings/SetupMem.h"
#include "tasks/TASKMGR.h"

#include <algorithm>

namespace {

namespace s = settings_ids;
using platform::WindowHandle;

class KeyboardTest : public BarTest {
protected:
    void SetUp() override { start(); }

    ui::FormId focusedForm() const { return toolkit.focus.first; }
    ui::ControlId focused() const { return toolkit.focus.second; }
    bool press(ui::FormId form, int key, int shift = 0) { return toolkit.pressKey(form, key, shift); }
    // The controls Tab visits from the focused one until it comes round again.
    std::vector<ui::ControlId> tabRound(ui::FormId form, int shift = 0)
    {
        std::vector<ui::ControlId> visited {focused()};
        for (int i = 0; i < 64; ++i) {
            press(form, ui::kKeyTab, shift);
            if (focused() == visited.front())
                break;
            visited.push_back(focused());
        }
        return visited;
    }
    bool hotKey() { return toolkit.pressHotKey(bar::TOLVIX::kHotKeyModifiers, bar::TOLVIX::kHotKey); }
    ui::ControlId taskButton(int i) const { return task_ids::VTASKS_BASE + i; }
    WindowHandle taskOf(int i) { return bar->taskButtons().table().at(static_cast<std::size_t>(i)); }
    int minimiseCommands(WindowHandle window)
    {
        return static_cast<int>(std::count_if(desktop.commands.begin(), desktop.commands.end(), [&](const auto& c) {
            return c.window == window && c.what == "showAsync" &&
                c.argument == static_cast<long long>(platform::ShowCommand::Minimize);
        }));
    }
};

TEST_F(KeyboardTest, SettingsTabInReadingOrderAcrossThePagesEnterSavesAndEscCloses)
{
    bar->PopupSettings(-1);
    const ui::FormId form = bar->settingsWindow()->formId();
    ASSERT_EQ(focusedForm(), form);
    const std::vector<ui::ControlId> expected = {s::HTASK, s::NOTASKM, s::RefInterval, s::RefScroll, s::MONTASKS,
        s::TASKNB, s::MCLICK_0, s::MCLICK_0 + 1, s::MCLICK_0 + 2, s::TRAYON, s::ALLIST, s::AUTOMEMAX, s::VScroll2,
        s::AUTOMEMCHECK, s::AUTOMEMIN, s::VScroll3, s::MUSE, s::LRNM, s::HOTKEY, s::BBrowseIR, s::BX1, s::BX2, s::BX3};
    EXPECT_EQ(tabRound(form), expected) << "the first control has the focus; More... is hidden with all pages";
    std::vector<ui::ControlId> backwards = tabRound(form, 1);
    std::reverse(backwards.begin() + 1, backwards.end());
    EXPECT_EQ(backwards, expected) << "Shift+Tab goes the same way back";
    EXPECT_TRUE(press(form, ui::kKeyDown));
    EXPECT_EQ(focused(), s::HTASK) << "every control is a group of its own here";

    // Space toggles the focused check box; Enter in the interval box presses Save.
    press(form, ui::kKeySpace);
    EXPECT_EQ(control(s::HTASK).value, 1);
    press(form, ui::kKeyTab);
    press(form, ui::kKeyTab);
    ASSERT_EQ(focused(), s::RefInterval);
    toolkit.pasteText(form, s::RefInterval, "7");
    press(form, ui::kKeyReturn);
    EXPECT_EQ(bar->refreshIntervalMs(), 7000) << "Save ran";
    EXPECT_TRUE(sim.sim_registry().value(
        platform::RegistryRoot::CurrentUser, settings::SetupMem::kKeyPath, "General_HideInTaskManager"));
    ASSERT_NE(bar->settingsWindow(), nullptr) << "Save leaves the window open";

    press(form, ui::kKeyEscape);
    EXPECT_EQ(bar->settingsWindow(), nullptr);
}

TEST_F(KeyboardTest, TheSettingsLabelsPressWithEnterAndSpaceWhenFocused)
{
    bar->PopupSettings(0);
    const ui::FormId form = bar->settingsWindow()->formId();
    const std::vector<ui::ControlId> round = tabRound(form);
    EXPECT_EQ(std::vector<ui::ControlId>(round.end() - 4, round.end()),
        (std::vector<ui::ControlId> {s::BX1, s::BX2, s::BX3, s::BMore}));
    toolkit.pasteText(form, s::RefInterval, "9");
    while (focused() != s::BX3)
        press(form, ui::kKeyTab);
    press(form, ui::kKeySpace);
    EXPECT_EQ(control(s::RefInterval).caption, "2") << "Defaults";
    press(form, ui::kKeyTab);
    ASSERT_EQ(focused(), s::BMore);
    press(form, ui::kKeyReturn);
    EXPECT_EQ(bar->settingsWindow()->shownPage(), -1) << "Enter on More... presses it, not Save";
    EXPECT_EQ(bar->refreshIntervalMs(), 2000);
}

TEST_F(KeyboardTest, TheAboutBoxClosesWithEnterOrEscOnlyOnceItIsOpenForReading)
{
    ASSERT_NE(bar->aboutBox(), nullptr) << "the splash";
    const ui::FormId splash = bar->aboutBox()->formId();
    press(splash, ui::kKeyEscape);
    press(splash, ui::kKeyReturn);
    EXPECT_NE(bar->aboutBox(), nullptr) << "the splash cannot be closed before its time";

    bar->ShowAbout();
    EXPECT_EQ(focused(), bar_ids::about::OKK);
    press(bar->aboutBox()->formId(), ui::kKeyReturn);
    EXPECT_EQ(bar->aboutBox(), nullptr);
    toolkit.advance(1);
    bar->ShowAbout();
    press(bar->aboutBox()->formId(), ui::kKeyEscape);
    EXPECT_EQ(bar->aboutBox(), nullptr);
}

TEST_F(KeyboardTest, TheTaskManagerRefreshesWithEnterAndClosesWithEsc)
{
    bar->ShowTaskManager();
    const tasks::TASKMGR* window = bar->taskManager().window();
    ASSERT_NE(window, nullptr);
    const ui::FormId form = window->formId();
    EXPECT_EQ(focused(), task_ids::TASKLST);
    EXPECT_EQ(tabRound(form), (std::vector<ui::ControlId> {task_ids::TASKLST, task_ids::TSKILL, task_ids::TSKREFR}))
        << "the labels in their frames are stops";
    const std::size_t before = control(task_ids::TASKLST).items.size();
    sim.sim_processes().table.push_back({4242, "fresh.exe"});
    press(form, ui::kKeyReturn);
    EXPECT_EQ(control(task_ids::TASKLST).items.size(), before + 1) << "Enter refreshed the list";
    press(form, ui::kKeyEscape);
    EXPECT_EQ(bar->taskManager().window(), nullptr);
}

TEST_F(KeyboardTest, TheHotKeyBringsADockedBarOutWithItsFirstTaskButtonFocusedAndItStaysOut)
{
    for (const char* title : {"A", "B", "C"})
        desktop.open(title);
    tick();
    ASSERT_EQ(toolkit.hotKeys.at(bar->formId()), std::make_pair(bar::TOLVIX::kHotKeyModifiers, bar::TOLVIX::kHotKey));
    bar->SetAlign(3);
    desktop.setCursor(600, 600);
    toolkit.advance(500);
    const ui::Rect tucked = barFrame();
    ASSERT_LT(tucked.left, 0) << "tucked away at the left edge";
    desktop.activate(taskOf(0));

    ASSERT_TRUE(hotKey());
    const ui::Rect out = bar::BroughtOnScreen(tucked, toolkit.screen());
    EXPECT_EQ(barFrame(), out) << "out of its strip";
    EXPECT_EQ(desktop.foreground(), bar->window());
    EXPECT_EQ(focusedForm(), bar->formId());
    EXPECT_EQ(focused(), taskButton(0));
    toolkit.advance(1000);
    EXPECT_EQ(barFrame(), out) << "the mouse is away, but the focus is in the bar";

    desktop.activate(taskOf(0));
    toolkit.advance(500);
    EXPECT_EQ(barFrame(), tucked) << "gone again once the focus left";
}

TEST_F(KeyboardTest, ArrowsMoveAmongTheTaskButtonsEnterSwitchesAndTheMenuKeyOpensTheTaskMenu)
{
    for (const char* title : {"A", "B", "C", "D"})
        desktop.open(title);
    tick();
    const int last = 3;
    desktop.activate(taskOf(last));
    tick();
    ASSERT_EQ(taskOf(last), desktop.foreground());
    ASSERT_EQ(bar->taskButtons().LastForeground, taskOf(last));
    hotKey();
    const ui::FormId form = bar->formId();
    press(form, ui::kKeyUp);
    EXPECT_EQ(focused(), taskButton(last)) << "round from the first to the last";
    press(form, ui::kKeyDown);
    press(form, ui::kKeyRight);
    EXPECT_EQ(focused(), taskButton(1));
    press(form, ui::kKeyLeft);
    press(form, ui::kKeyLeft);
    ASSERT_EQ(focused(), taskButton(last));

    // A click would minimise the task that was in front last; the key switches to it.
    press(form, ui::kKeyReturn);
    EXPECT_EQ(desktop.foreground(), taskOf(last));
    EXPECT_EQ(minimiseCommands(taskOf(last)), 0);

    hotKey();
    press(form, ui::kKeyDown);
    press(form, ui::kKeySpace);
    EXPECT_EQ(desktop.foreground(), taskOf(1));

    for (const auto& [key, shift] : {std::pair {ui::kKeyApps, 0}, std::pair {ui::kKeyF10, 1}}) {
        hotKey();
        press(form, ui::kKeyDown);
        toolkit.shownMenus.clear();
        press(form, key, shift);
        ASSERT_EQ(toolkit.shownMenus.size(), 1u) << "key " << key;
        EXPECT_EQ(toolkit.shownMenus[0].menu.id, task_ids::menu::MF);
        EXPECT_EQ(bar->taskButtons().SelectedTask, taskOf(1));
    }
    press(form, ui::kKeyF10);
    EXPECT_EQ(toolkit.shownMenus.size(), 1u) << "F10 without Shift opens no menu";
}

TEST_F(KeyboardTest, TabLeavesTheTaskButtonsForTheMenuLabelsAndTheRunBox)
{
    desktop.open("A");
    desktop.open("B");
    tick();
    hotKey();
    EXPECT_EQ(tabRound(bar->formId()),
        (std::vector<ui::ControlId> {taskButton(0), bar_ids::RBUT, bar_ids::SSETTS, bar_ids::STX, bar_ids::VRUN}))
        << "one stop for the group of task buttons";
    while (focused() != bar_ids::SSETTS)
        press(bar->formId(), ui::kKeyTab);
    toolkit.shownMenus.clear();
    press(bar->formId(), ui::kKeyReturn);
    ASSERT_EQ(toolkit.shownMenus.size(), 1u);
    EXPECT_EQ(toolkit.shownMenus[0].menu.id, bar_ids::menu::MSETTS);

    // With no default button to press, the run box takes Enter itself.
    toolkit.pasteText(bar->formId(), bar_ids::VRUN, "notepad.exe");
    toolkit.focusControl(bar->formId(), bar_ids::VRUN);
    press(bar->formId(), ui::kKeyReturn);
    ASSERT_FALSE(sim.sim_launcher().started.empty());
    EXPECT_EQ(sim.sim_launcher().started.back().first, "notepad.exe");
}

TEST_F(KeyboardTest, WithoutTasksTheHotKeyFocusesTheRunBox)
{
    hotKey();
    EXPECT_EQ(focused(), bar_ids::VRUN);
}

TEST_F(KeyboardTest, TheSettingsTurnTheHotKeyOffAndARestartKeepsItOff)
{
    EXPECT_TRUE(bar->hotKeyRegistered()) << "on by default";
    bar->PopupSettings(3);
    const ui::FormId form = bar->settingsWindow()->formId();
    EXPECT_EQ(control(s::HOTKEY).value, 1);
    toolkit.toggleCheck(form, s::HOTKEY);
    toolkit.mouseUp(form, s::BX1, ui::MouseButton::Left);
    EXPECT_FALSE(bar->hotKeyRegistered());
    EXPECT_EQ(toolkit.hotKeys.count(bar->formId()), 0u);
    EXPECT_FALSE(hotKey());
    EXPECT_FALSE(settings::ReadHotKeySetting(sim.registry()));

    bar.reset();
    start();
    EXPECT_FALSE(bar->hotKeyRegistered());
    bar->PopupSettings(3);
    EXPECT_EQ(control(s::HOTKEY).value, 0);
    toolkit.mouseUp(bar->settingsWindow()->formId(), s::BX3, ui::MouseButton::Left);
    EXPECT_EQ(control(s::HOTKEY).value, 1) << "Defaults turns it back on";
}

TEST_F(KeyboardTest, AHotKeyHeldByAnotherProgramLeavesTheBarWorking)
{
    bar.reset();
    toolkit.hotKeysTaken.insert({bar::TOLVIX::kHotKeyModifiers, bar::TOLVIX::kHotKey});
    start();
    EXPECT_FALSE(bar->hotKeyRegistered());
    desktop.open("A");
    tick();
    EXPECT_EQ(captions(), std::vector<std::string> {"A"});
}

} // namespace
