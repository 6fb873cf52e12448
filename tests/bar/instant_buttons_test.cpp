// Task buttons between refresh ticks: window events and the glow tick's check bring them up to
// date within one 50 ms glow tick, one refresh per burst, on a desktop that reports every event
// and on one that reports creation only.
#include "bar/BarFixture.h"

namespace {
constexpr int kGlowMs = 50;
} // namespace

class InstantButtonsTest : public BarTest {
protected:
    std::size_t refreshes() { return bar->taskButtons().refreshCount(); }
    bool highlighted(int i) { return button(i).back == ui::kSysHighlight; }
    // Opens the way programs do: created hidden, then shown.
    platform::WindowHandle openShown(const std::string& title)
    {
        sim::WindowOptions hidden;
        hidden.visible = false;
        const auto w = desktop.open(title, hidden);
        desktop.setVisible(w, true);
        return w;
    }
    // Every change of a window's button within one glow tick, and nothing refreshed in between.
    void expectEveryChangeWithinOneGlowTick()
    {
        start();
        const auto a = openShown("A");
        const auto b = openShown("B");
        toolkit.advance(kGlowMs);
        // Seen in one refresh: top of the Z order first.
        EXPECT_EQ(captions(), (std::vector<std::string> {"B", "A"}));

        desktop.setTitle(a, "A renamed");
        toolkit.advance(kGlowMs);
        EXPECT_EQ(captions(), (std::vector<std::string> {"B", "A renamed"}));

        desktop.activate(a);
        toolkit.advance(kGlowMs);
        EXPECT_FALSE(highlighted(0));
        EXPECT_TRUE(highlighted(1));

        desktop.close(a);
        toolkit.advance(kGlowMs);
        EXPECT_EQ(captions(), (std::vector<std::string> {"B"}));

        desktop.setVisible(b, false);
        toolkit.advance(kGlowMs);
        EXPECT_EQ(captions(), (std::vector<std::string> {}));

        // A quiet desktop costs no refresh but the slow tick's.
        const std::size_t settled = refreshes();
        toolkit.advance(1900);
        EXPECT_LE(refreshes(), settled + 1);
    }
};

TEST_F(InstantButtonsTest, EveryChangeShowsWithinOneGlowTickWhenTheDesktopReportsAll)
{
    expectEveryChangeWithinOneGlowTick();
}

TEST_F(InstantButtonsTest, EveryChangeShowsWithinOneGlowTickWhenOnlyCreationIsReported)
{
    desktop.reportedEvents = {platform::WindowEvent::Created};
    expectEveryChangeWithinOneGlowTick();
}

TEST_F(InstantButtonsTest, ABurstOf200WindowsCostsOneRefreshPerGlowTick)
{
    for (bool creationOnly : {false, true}) {
        SCOPED_TRACE(creationOnly ? "creation only" : "all events");
        bar.reset();
        desktop.reportedEvents =
            creationOnly ? std::set<platform::WindowEvent> {platform::WindowEvent::Created} : desktop.reportedEvents;
        start();
        toolkit.advance(kGlowMs);
        const std::size_t before = refreshes();
        // 200 windows over 200 ms: four glow ticks.
        for (int i = 0; i < 200; ++i) {
            openShown("W" + std::to_string(i));
            if (i % 50 == 49)
                toolkit.advance(kGlowMs);
        }
        toolkit.advance(kGlowMs);
        EXPECT_EQ(allCaptions().size(), 200u) << "a button for each, most scrolled out of view";
        EXPECT_LE(refreshes() - before, 5u);
        for (auto w : desktop.zOrder())
            desktop.close(w);
        toolkit.advance(kGlowMs);
        EXPECT_EQ(captions().size(), 0u);
    }
}

TEST_F(InstantButtonsTest, SleepModeWaitsForTheWakeUp)
{
    start();
    bar->SetSleeping(true);
    openShown("while asleep");
    toolkit.advance(4 * kGlowMs);
    EXPECT_EQ(captions(), (std::vector<std::string> {}));
    bar->SetSleeping(false);
    toolkit.advance(kGlowMs);
    EXPECT_EQ(captions(), (std::vector<std::string> {"while asleep"}));
}
