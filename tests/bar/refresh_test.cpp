// The refresh tick: what each indicator shows after a tick, and the order of the steps around the
// pending-message call in the middle.
#include "bar/BarFixture.h"

namespace {
using platform::RegistryRoot;
const char* const kRemoteAccess = "System\\CurrentControlSet\\Services\\RemoteAccess";
constexpr std::uint64_t MB = 1024 * 1024;
} // namespace

class RefreshTest : public BarTest {
protected:
    void SetUp() override
    {
        sim.sim_memory().figures = {256 * MB, 50 * MB, 512 * MB, 400 * MB};
        sim.sim_processes().table = {{4, "System"}};
    }
    bool gaugeShows(int level)
    {
        for (int i = 0; i < 7; ++i) {
            if (control(bar_ids::MEMMODE_0 + i).visible != (i == level))
                return false;
        }
        return true;
    }
};

TEST_F(RefreshTest, OneTickWritesMemoryClockAndProcessCountFromOneReadingEach)
{
    sim.sim_system().start = {2026, 12, 7, 9, 5, 57};
    start();
    tick();
    EXPECT_EQ(control(bar_ids::TIM1).caption, "50");
    EXPECT_EQ(control(bar_ids::TIM1).toolTip, "50 / 256 MB physical  -  400 / 512 MB pagefile");
    EXPECT_TRUE(gaugeShows(1)); // 50 / 256 * 7 = 1.37
    EXPECT_EQ(control(bar_ids::TIM2).caption, "09:05");
    EXPECT_EQ(control(bar_ids::TIM2).toolTip, "12-07-2026");
    EXPECT_EQ(control(bar_ids::TIM3).caption, "1 tasks");
    EXPECT_EQ(control(bar_ids::TIM3).toolTip, "1 tasks running");

    // All memory free is the top level, and an unchanged level touches no picture.
    sim.sim_memory().figures.availPhys = 256 * MB;
    tick();
    EXPECT_TRUE(gaugeShows(6));
    const long long writes = toolkit.propertyWrites;
    bar->Refresh();
    EXPECT_EQ(toolkit.propertyWrites, writes) << "a tick that changes nothing writes nothing";
}

TEST_F(RefreshTest, LampAndWinampButtonsFollowTheRegistryAndTheWinampWindow)
{
    start();
    tick();
    EXPECT_TRUE(control(bar_ids::ONLED_0).visible);
    EXPECT_FALSE(control(bar_ids::ONLED_0 + 1).visible);
    EXPECT_FALSE(control(bar_ids::WMPLAY).visible);

    sim.sim_registry().putValue(
        RegistryRoot::LocalMachine, kRemoteAccess, "Remote Connection", {platform::kRegBinary, {"\x01\0\0\0", 4}});
    sim::WindowOptions winamp;
    winamp.className = "Winamp v1.x";
    const auto player = desktop.open("Winamp 2.91", winamp);
    tick();
    EXPECT_FALSE(control(bar_ids::ONLED_0).visible);
    EXPECT_TRUE(control(bar_ids::ONLED_0 + 1).visible);
    EXPECT_TRUE(control(bar_ids::WMPLAY).visible);
    EXPECT_EQ(sim.sim_registry().openKeys(), 0);

    desktop.close(player);
    sim.sim_registry().putValue(
        RegistryRoot::LocalMachine, kRemoteAccess, "Remote Connection", {platform::kRegBinary, {"\0\0\0\0", 4}});
    tick();
    EXPECT_TRUE(control(bar_ids::ONLED_0).visible);
    EXPECT_FALSE(control(bar_ids::WMPLAY).visible);
}

TEST_F(RefreshTest, PendingMessagesRunBetweenTheClockAndTheAutomaticFreeUp)
{
    start();
    sim.sim_memory().figures.availPhys = 60 * MB;
    std::string memorySeen, countSeen;
    long long snapshotsSeen = -1;
    toolkit.queueInput([&] {
        memorySeen = control(bar_ids::TIM1).caption;
        countSeen = control(bar_ids::TIM3).caption;
        // A tick arriving now is skipped, not run inside the running one.
        toolkit.advance(2000);
        snapshotsSeen = sim.sim_processes().snapshots;
    });
    tick();
    EXPECT_EQ(memorySeen, "60");
    EXPECT_EQ(countSeen, "888");
    EXPECT_EQ(snapshotsSeen, 0);
    EXPECT_EQ(control(bar_ids::TIM3).caption, "1 tasks");
}

TEST_F(RefreshTest, ATickThatThrowsLeavesTheNextTickRunning)
{
    start();
    sim.sim_processes().throwNextSnapshot = true;
    tick();
    ASSERT_EQ(toolkit.failures.size(), 1u) << "the count's snapshot threw";
    toolkit.failures.clear();
    sim.sim_memory().figures.availPhys = 70 * MB;
    tick();
    EXPECT_EQ(control(bar_ids::TIM1).caption, "70");
    EXPECT_EQ(control(bar_ids::TIM3).caption, "1 tasks");
}

TEST_F(RefreshTest, AFreeUpShowsItsProgressOnTim1AndRefreshTicksRunInsideIt)
{
    start();
    tick();
    // TIM1 as seen at each of the free-up's pauses (every 16th of its 32 blocks).
    std::vector<std::string> seen;
    std::function<void()> watch = [&] {
        if (sim.sim_memory().liveBlocks == 0)
            return; // over
        seen.push_back(control(bar_ids::TIM1).caption);
        toolkit.queueInput(watch);
    };
    // Started from the tick's own pending messages: no tick can show the progress meanwhile.
    toolkit.queueInput([&] {
        toolkit.queueInput(watch);
        toolkit.doubleClick(bar->formId(), bar_ids::TIM1);
    });
    tick();
    EXPECT_EQ(seen, (std::vector<std::string> {"50%", "100%"}));
    EXPECT_EQ(control(bar_ids::TIM1).caption, "50") << "the figures again once it is over";
    EXPECT_EQ(sim.sim_memory().allocations, 32);
    toolkit.processPendingMessages(); // the watch's last turn, which finds the free-up over

    // Started outside a tick: the ticks that come meanwhile run, inside the free-up, and leave it
    // alone.
    seen.clear();
    sim.sim_processes().table.push_back({8, "smss.exe"});
    std::string countSeen;
    toolkit.queueInput([&] {
        toolkit.advance(2000);
        countSeen = control(bar_ids::TIM3).caption;
        seen.push_back(control(bar_ids::TIM1).caption);
    });
    toolkit.doubleClick(bar->formId(), bar_ids::TIM1);
    EXPECT_EQ(countSeen, "2 tasks");
    EXPECT_EQ(seen, (std::vector<std::string> {"50%"}));
    EXPECT_EQ(sim.sim_memory().allocations, 64);
    EXPECT_EQ(sim.sim_memory().liveBlocks, 0);
    EXPECT_EQ(control(bar_ids::TIM1).caption, "50");
}

TEST_F(RefreshTest, QuitDuringThePendingMessagesEndsTheTickWithoutTouchingTheBar)
{
    start();
    toolkit.menuChoices = {bar_ids::menu::MQ};
    toolkit.queueInput([&] { toolkit.mouseUp(bar->formId(), bar_ids::SSETTS, ui::MouseButton::Left); });
    tick();
    EXPECT_TRUE(toolkit.quitRequested);
    EXPECT_EQ(sim.sim_processes().snapshots, 0);
    for (const auto& open : sim.sim_registry().opens)
        EXPECT_NE(open.first, kRemoteAccess);
}

TEST_F(RefreshTest, StoredSettingsTakeEffectAtStart)
{
    const char* const key = "Software\\Brenwick\\Tolvix";
    sim.sim_registry().putValue(
        RegistryRoot::CurrentUser, key, "General_RefreshInterval", {platform::kRegDword, {"\0\0\0\x05", 4}});
    start();
    EXPECT_EQ(bar->refreshIntervalMs(), 5000);

    sim.sim_registry().putValue(
        RegistryRoot::CurrentUser, key, "General_RefreshInterval", {platform::kRegDword, {"\0\0\0\0", 4}});
    start();
    EXPECT_EQ(bar->refreshIntervalMs(), 1000) << "never faster than once a second";

    sim.sim_registry().putValue(RegistryRoot::CurrentUser, key, "General_RefreshInterval", {platform::kRegSz, "9"});
    start();
    EXPECT_EQ(bar->refreshIntervalMs(), 2000) << "a value of the wrong type keeps the default";
}
