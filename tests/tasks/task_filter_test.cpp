#include "platform/sim/SimDesktop.h"
#include "tasks/TaskFilter.h"

#include <gtest/gtest.h>

using platform::kExStyleAppWindow;
using platform::kExStyleToolWindow;
using sim::WindowOptions;

namespace {
WindowOptions Options(std::uint32_t ex = 0, platform::WindowHandle owner = 0, bool popup = false)
{
    WindowOptions o;
    o.exStyle = ex;
    o.owner = owner;
    o.popup = popup;
    return o;
}
} // namespace

TEST(TaskFilter, AcceptsApplicationWindowsOnly)
{
    sim::SimDesktop d;
    auto app = d.open("app");
    auto tool = d.open("tool", Options(kExStyleToolWindow));
    auto toolApp = d.open("tool+app", Options(kExStyleToolWindow | kExStyleAppWindow));
    auto ownedApp = d.open("owned app", Options(kExStyleAppWindow, app));
    auto ownedPlain = d.open("owned plain", Options(0, app));
    auto ownedPopup = d.open("owned popup", Options(kExStyleAppWindow, app, /*popup=*/true));
    WindowOptions child;
    child.parent = app;
    auto childWindow = d.open("child", child);
    WindowOptions hidden;
    hidden.visible = false;
    auto invisible = d.open("hidden", hidden);
    WindowOptions cloak;
    cloak.cloaked = true;
    auto cloaked = d.open("cloaked", cloak);

    EXPECT_TRUE(tasks::IsTask(d, app, 0));
    EXPECT_FALSE(tasks::IsTask(d, tool, 0));
    EXPECT_FALSE(tasks::IsTask(d, toolApp, 0)) << "an unowned tool window stays hidden even with the app bit";
    EXPECT_TRUE(tasks::IsTask(d, ownedApp, 0));
    EXPECT_FALSE(tasks::IsTask(d, ownedPlain, 0));
    EXPECT_FALSE(tasks::IsTask(d, ownedPopup, 0)) << "a pop-up's parent is its owner";
    EXPECT_FALSE(tasks::IsTask(d, childWindow, 0));
    EXPECT_FALSE(tasks::IsTask(d, invisible, 0));
    EXPECT_FALSE(tasks::IsTask(d, cloaked, 0));
    EXPECT_FALSE(tasks::IsTask(d, app, /*ownWindow=*/app));
}

TEST(TaskFilter, EnumeratesTasksTopmostFirst)
{
    sim::SimDesktop d;
    auto a = d.open("A");
    d.open("tool", Options(kExStyleToolWindow));
    auto b = d.open("B");
    auto c = d.open("C");
    d.activate(a);
    std::vector<platform::WindowHandle> snapshot {42, 43};
    tasks::EnumerateTasks(d, d.desktopWindow(), 0, snapshot);
    EXPECT_EQ(snapshot, (std::vector<platform::WindowHandle> {a, c, b}));
}

TEST(TaskFilter, StopsCollectingAtTheTableSize)
{
    sim::SimDesktop d;
    for (std::size_t i = 0; i < tasks::kMaxTasks + 5; ++i)
        d.open("w");
    std::vector<platform::WindowHandle> snapshot;
    tasks::EnumerateTasks(d, d.desktopWindow(), 0, snapshot);
    EXPECT_EQ(snapshot.size(), tasks::kMaxTasks);
}
