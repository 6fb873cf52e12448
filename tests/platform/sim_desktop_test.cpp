// The simulated desktop's answers to the calls that must never wait on a hung window.
#include "platform/sim/SimDesktop.h"

#include <gtest/gtest.h>

TEST(SimDesktop, TimedSendGivesUpOnAHungWindowAndClosesOnlyWillingOnes)
{
    sim::SimDesktop desktop;
    const auto hung = desktop.open("Hung");
    const auto stubborn = desktop.open("Stubborn");
    sim::WindowOptions willingOptions;
    willingOptions.className = "Willing";
    const auto willing = desktop.open("Willing", willingOptions);
    desktop.hung.insert(hung);
    desktop.refuseClose.insert(stubborn);

    std::intptr_t result = 77;
    EXPECT_FALSE(desktop.sendMessageTimeout(hung, platform::kMessageClose, 0, 0, 500, &result));
    EXPECT_EQ(result, 77) << "untouched on a time-out";
    EXPECT_TRUE(desktop.sendMessageTimeout(stubborn, platform::kMessageClose, 0, 0, 500, &result));
    EXPECT_TRUE(desktop.sendMessageTimeout(willing, platform::kMessageClose, 0, 0, 500, &result));
    EXPECT_NE(desktop.find(hung), nullptr);
    EXPECT_NE(desktop.find(stubborn), nullptr);
    EXPECT_EQ(desktop.find(willing), nullptr);
    EXPECT_FALSE(desktop.sendMessageTimeout(willing, platform::kMessageClose, 0, 0, 500, &result));
    EXPECT_EQ(desktop.commands.back().what, "sendTimeout");

    char name[5];
    EXPECT_EQ(desktop.className(hung, name, sizeof name), 4);
    EXPECT_STREQ(name, "SimW");
    EXPECT_EQ(desktop.className(willing, name, sizeof name), 0);
}

TEST(SimDesktop, AsyncShowAndHidingSetWindowPosChangeVisibility)
{
    sim::SimDesktop desktop;
    const auto w = desktop.open("W");
    EXPECT_TRUE(desktop.showWindowAsync(w, platform::ShowCommand::Minimize));
    EXPECT_TRUE(desktop.isIconic(w));
    EXPECT_EQ(desktop.commands.back().what, "showAsync");
    EXPECT_TRUE(desktop.setWindowPos(w, 0, 0, 0, 0, 0,
        platform::kPosNoMove | platform::kPosNoSize | platform::kPosHideWindow | platform::kPosAsyncWindowPos));
    EXPECT_FALSE(desktop.isVisible(w));
}
