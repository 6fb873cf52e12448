#include "platform/Widgets.h"
#include "platform/sim/SimPlatform.h"

#include <gtest/gtest.h>

namespace {
struct NoEvents : ui::FormEvents {
    int ticks = 0;
    void onTimer(ui::TimerId) override { ++ticks; }
};
} // namespace

TEST(Widgets, AControlWritesOnlyWhatChanged)
{
    sim::SimPlatform sim;
    NoEvents events;
    ui::Form form(sim.toolkit(), ui::FormSpec {}, events);
    ui::ControlSpec props;
    props.caption = "a";
    ui::Control label(form, 7, props);
    auto& writes = sim.sim_toolkit().propertyWrites;

    label.setCaption("a");
    label.setVisible(true);
    label.setRect(props.rect);
    label.setColours(props.back, props.fore);
    EXPECT_EQ(writes, 0);

    label.setCaption("b");
    label.setLeft(10);
    label.setLeft(10);
    EXPECT_EQ(writes, 2);
    EXPECT_EQ(sim.sim_toolkit().control(7)->caption, "b");
    EXPECT_EQ(sim.sim_toolkit().control(7)->rect.left, 10);
}

TEST(Widgets, ControlsAndFormsGoAwayWithTheirOwners)
{
    sim::SimPlatform sim;
    NoEvents events;
    {
        ui::Form form(sim.toolkit(), ui::FormSpec {}, events);
        {
            ui::Control label(form, 7, ui::ControlSpec {});
            EXPECT_NE(sim.sim_toolkit().control(7), nullptr);
        }
        EXPECT_EQ(sim.sim_toolkit().control(7), nullptr);
        EXPECT_EQ(sim.sim_desktop().zOrder().size(), 1u);
    }
    EXPECT_TRUE(sim.sim_desktop().zOrder().empty());
}

TEST(Widgets, ATimerFiresAtItsIntervalOnlyWhileEnabled)
{
    sim::SimPlatform sim;
    NoEvents events;
    ui::Form form(sim.toolkit(), ui::FormSpec {}, events);
    ui::Timer timer(form, 1, 500, true);
    sim.sim_toolkit().advance(1999);
    EXPECT_EQ(events.ticks, 3);
    timer.setEnabled(false);
    sim.sim_toolkit().advance(5000);
    EXPECT_EQ(events.ticks, 3);
    timer.setEnabled(true);
    sim.sim_toolkit().advance(500);
    EXPECT_EQ(events.ticks, 4);
}
