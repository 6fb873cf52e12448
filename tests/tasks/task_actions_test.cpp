#include "platform/sim/SimPlatform.h"
#include "platform/Widgets.h"
#include "tasks/TaskActions.h"
#include "tasks/TaskMenuIds.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

namespace {

namespace m = task_ids::menu;
using platform::WindowHandle;

// Passes every call to the simulated desktop and keeps what the sim does not: the flags of
// SetWindowPos and the time-out of a timed send.
class FlagRecordingDesktop final : public platform::Desktop {
public:
    explicit FlagRecordingDesktop(sim::SimDesktop& d)
        : d_(d)
    {
    }
    std::vector<unsigned> posFlags;
    std::vector<unsigned> timeouts;

    WindowHandle desktopWindow() override { return d_.desktopWindow(); }
    WindowHandle getWindow(WindowHandle w, platform::WindowRelation r) override { return d_.getWindow(w, r); }
    bool isVisible(WindowHandle w) override { return d_.isVisible(w); }
    bool isCloaked(WindowHandle w) override { return d_.isCloaked(w); }
    WindowHandle parent(WindowHandle w) override { return d_.parent(w); }
    std::uint32_t exStyle(WindowHandle w) override { return d_.exStyle(w); }
    int windowText(WindowHandle w, char* b, int c) override { return d_.windowText(w, b, c); }
    WindowHandle foreground() override { return d_.foreground(); }
    bool setForeground(WindowHandle w) override { return d_.setForeground(w); }
    bool isIconic(WindowHandle w) override { return d_.isIconic(w); }
    bool showWindow(WindowHandle w, platform::ShowCommand c) override { return d_.showWindow(w, c); }
    bool showWindowAsync(WindowHandle w, platform::ShowCommand c) override { return d_.showWindowAsync(w, c); }
    bool setWindowPos(WindowHandle w, WindowHandle after, int x, int y, int cx, int cy, unsigned flags) override
    {
        posFlags.push_back(flags);
        return d_.setWindowPos(w, after, x, y, cx, cy, flags);
    }
    std::intptr_t sendMessage(WindowHandle w, unsigned m, std::uintptr_t wp, std::intptr_t lp) override
    {
        return d_.sendMessage(w, m, wp, lp);
    }
    bool sendMessageTimeout(WindowHandle w, unsigned m, std::uintptr_t wp, std::intptr_t lp, unsigned timeoutMs,
        std::intptr_t* result) override
    {
        timeouts.push_back(timeoutMs);
        return d_.sendMessageTimeout(w, m, wp, lp, timeoutMs, result);
    }
    std::uint32_t windowProcessId(WindowHandle w) override { return d_.windowProcessId(w); }
    int className(WindowHandle w, char* b, int c) override { return d_.className(w, b, c); }
    WindowHandle findWindow(const char* c, const char* t) override { return d_.findWindow(c, t); }
    platform::PixelPoint cursorPos() override { return d_.cursorPos(); }

private:
    sim::SimDesktop& d_;
};

class TaskActionsTest : public ::testing::Test {
protected:
    sim::SimPlatform sim;
    sim::SimDesktop& desktop = sim.sim_desktop();
    sim::SimProcesses& processes = sim.sim_processes();
    FlagRecordingDesktop recorder {desktop};

    // Chooses the entry of the task menu built for target, as the popup menu would.
    void choose(WindowHandle target, ui::MenuId entry)
    {
        const ui::MenuItem menu = tasks::BuildTaskMenu(recorder, processes, target);
        const ui::MenuItem* item = ui::FindMenuItem(menu, entry);
        ASSERT_NE(item, nullptr) << entry;
        ASSERT_TRUE(item->enabled && item->action) << entry;
        item->action();
    }
    std::vector<std::string> what() const
    {
        std::vector<std::string> result;
        for (const auto& c : desktop.commands)
            result.push_back(c.what + " " + std::to_string(c.argument));
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
    EXPECT_EQ(what(), (std::vector<std::string> {"showAsync 1", "showAsync 6", "showAsync 3"}));

    desktop.commands.clear();
    choose(w, m::MOT_0 + 1);
    EXPECT_TRUE(desktop.find(w)->topmost);
    choose(w, m::MOT_0 + 0);
    EXPECT_FALSE(desktop.find(w)->topmost);
    choose(w, m::MHID);
    EXPECT_FALSE(desktop.isVisible(w));
    const std::string top = "pos " + std::to_string(platform::kInsertTopmost);
    const std::string notTop = "pos " + std::to_string(platform::kInsertNoTopmost);
    EXPECT_EQ(what(), (std::vector<std::string> {top, notTop, notTop}));
    const unsigned keepPlace = platform::kPosNoSize | platform::kPosNoMove | platform::kPosAsyncWindowPos;
    EXPECT_EQ(recorder.posFlags,
        (std::vector<unsigned> {keepPlace, keepPlace, platform::kPosHideWindow | platform::kPosAsyncWindowPos}));

    desktop.commands.clear();
    choose(w, m::MCL);
    EXPECT_EQ(desktop.find(w), nullptr) << "a responsive window closes";
    EXPECT_EQ(what(), (std::vector<std::string> {"sendTimeout 16"}));
    EXPECT_EQ(recorder.timeouts, (std::vector<unsigned> {tasks::kCloseTimeoutMs}));

    // "move" and "size" are greyed and carry nothing; no command ever waits synchronously.
    const ui::MenuItem menu = tasks::BuildTaskMenu(recorder, processes, w);
    for (ui::MenuId greyed : {m::MFF_0 + 1, m::MFF_0 + 2}) {
        EXPECT_FALSE(ui::FindMenuItem(menu, greyed)->enabled);
        EXPECT_FALSE(ui::FindMenuItem(menu, greyed)->action);
    }
    for (const auto& c : desktop.commands)
        EXPECT_TRUE(c.what != "show" && c.what != "message") << c.what;
}

TEST_F(TaskActionsTest, CloseGivesUpOnAHungOrRefusingWindowAndNoTargetSendsNothing)
{
    const WindowHandle hung = desktop.open("Hung");
    const WindowHandle stubborn = desktop.open("Save changes?");
    desktop.hung.insert(hung);
    desktop.refuseClose.insert(stubborn);

    EXPECT_FALSE(tasks::CloseTask(recorder, hung));
    EXPECT_NE(desktop.find(hung), nullptr);
    EXPECT_TRUE(tasks::CloseTask(recorder, stubborn));
    EXPECT_NE(desktop.find(stubborn), nullptr) << "the window may refuse";
    EXPECT_EQ(what(), (std::vector<std::string> {"sendTimeout 16", "sendTimeout 16"}));

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
    EXPECT_FALSE(tasks::TerminateTask(recorder, processes, victim)) << "already gone";
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
