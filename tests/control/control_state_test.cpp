// The property rules of one control: data length, display mode and its label, the menu
// properties, the right-click checks, the timer properties.
#include <gtest/gtest.h>

#include <cmath>
#include <limits>

#include "control/core/ControlState.h"
#include "control/core/Enumerations.h"

using namespace dralith;

TEST(DataLength, FreshControlKeeps32Samples)
{
    ControlState state;
    EXPECT_EQ(state.dataLength(), 32.0f);
    EXPECT_EQ(state.historyLimit(), 32u);
}

TEST(DataLength, WholePartIsStoredOnlyAboveSeven)
{
    ControlState state;
    state.setDataLength(7.9f);
    EXPECT_EQ(state.dataLength(), 32.0f);
    state.setDataLength(8.9f);
    EXPECT_EQ(state.dataLength(), 8.0f);
    state.setDataLength(-100.0f);
    state.setDataLength(std::nanf(""));
    EXPECT_EQ(state.dataLength(), 8.0f);
    state.setDataLength(1024.0f);
    EXPECT_EQ(state.historyLimit(), 1024u);
}

TEST(DataLength, HugeLengthsAreClippedForTheHistory)
{
    ControlState state;
    state.setDataLength(1e30f);
    EXPECT_EQ(state.dataLength(), 1e30f); // read back as stored
    EXPECT_EQ(state.historyLimit(), static_cast<std::size_t>(std::numeric_limits<std::int32_t>::max()));
}

TEST(DisplayMode, PropertyStoresAsGivenReadsRoundedAndDrivesTheLabel)
{
    ControlState state;
    state.setDisplayMode(2.5f);
    EXPECT_EQ(state.storedDisplayMode(), 2.5f);
    EXPECT_EQ(state.displayMode(), 2);
    EXPECT_TRUE(state.labelVisible());
    state.setDisplayMode(0.0f);
    EXPECT_FALSE(state.labelVisible());
    state.setDisplayMode(3.5f);
    EXPECT_EQ(state.displayMode(), 4);
    EXPECT_TRUE(state.labelVisible());
    state.setDisplayMode(99.0f); // no range check
    EXPECT_EQ(state.displayMode(), 99);
}

TEST(DisplayMode, MenuChoiceLeavesTheLabelAlone)
{
    ControlState state;
    state.setDisplayMode(0.0f);
    state.chooseDisplayModeEntry(4);
    EXPECT_EQ(state.displayMode(), 4);
    EXPECT_FALSE(state.labelVisible());
}

TEST(MenuProperties, DisablingTheDisplayEntrySwitchesTheTextOffButKeepsTheLabel)
{
    ControlState state;
    state.setDisplayMode(5.0f);
    state.setMenuDisplayEnabled(false);
    EXPECT_FALSE(state.menu().displayEnabled);
    EXPECT_EQ(state.displayMode(), 0);
    EXPECT_TRUE(state.labelVisible());
    state.setDisplayMode(3.0f);
    state.setMenuDisplayEnabled(true);
    EXPECT_EQ(state.displayMode(), 3);
}

TEST(MenuProperties, HidingOrDisablingMultiLineEntriesFallsBackToASingleLineMode)
{
    struct Case {
        float before;
        int after;
    };
    const Case cases[] = {{0, 0}, {1, 1}, {2, 2}, {3, 1}, {4, 2}, {5, 1}, {6, 1}, {9, 1}, {4.5f, 1}, {2.5f, 1}};
    for (const Case& c : cases) {
        ControlState hidden;
        hidden.setDisplayMode(c.before);
        hidden.setMenuDisplayMultiLineVisible(false);
        EXPECT_EQ(hidden.displayMode(), c.after) << "visible := false from mode " << c.before;
        EXPECT_FALSE(hidden.menu().multiLineVisible);

        ControlState disabled;
        disabled.setDisplayMode(c.before);
        disabled.setMenuDisplayMultiLineEnabled(false);
        EXPECT_EQ(disabled.displayMode(), c.after) << "enabled := false from mode " << c.before;
        EXPECT_FALSE(disabled.menu().multiLineEnabled);
    }
}

TEST(MenuProperties, ShowingOrEnablingChangesNoMode)
{
    ControlState state;
    state.setDisplayMode(6.0f);
    state.setMenuDisplayMultiLineVisible(true);
    state.setMenuDisplayMultiLineEnabled(true);
    state.setMenuDisplayVisible(false);
    state.setMenuFreeOnClickVisible(false);
    state.setMenuFreeOnClickEnabled(false);
    EXPECT_EQ(state.displayMode(), 6);
    EXPECT_FALSE(state.menu().displayVisible);
    EXPECT_TRUE(state.menu().displayEnabled);
    EXPECT_FALSE(state.menu().freeOnClickVisible);
    EXPECT_FALSE(state.menu().freeOnClickEnabled);
}

TEST(RightClick, OnlyTheRoundedModeIsChecked)
{
    ControlState state;
    state.setDisplayMode(2.0f);
    MenuChecks checks = state.rightClickChecks();
    for (int i = 0; i < kDisplayModeCount; ++i)
        EXPECT_EQ(checks.displayMode[static_cast<std::size_t>(i)], i == 2) << "entry " << i;

    state.setDisplayMode(5.5f); // rounds to 6
    checks = state.rightClickChecks();
    EXPECT_TRUE(checks.displayMode[6]);
    EXPECT_FALSE(checks.displayMode[5]);

    state.setDisplayMode(6.5f); // rounds to the even 6, still on the menu
    EXPECT_TRUE(state.rightClickChecks().displayMode[6]);
    state.setDisplayMode(-0.5f); // rounds to 0
    EXPECT_TRUE(state.rightClickChecks().displayMode[0]);
}

TEST(RightClick, ModesOutsideTheMenuCheckNoEntry)
{
    for (float mode : {7.0f, -1.0f, 7.5f, -0.6f, 1e9f}) {
        ControlState state;
        state.setDisplayMode(mode);
        const MenuChecks checks = state.rightClickChecks();
        for (bool checked : checks.displayMode)
            EXPECT_FALSE(checked) << "mode " << mode;
    }
}

TEST(FreeOnClick, StoredAsGivenCheckedWhenNonZeroToggledLogically)
{
    ControlState state;
    EXPECT_FALSE(state.rightClickChecks().freeOnClick);
    state.setFreeOnClick(5);
    EXPECT_EQ(state.freeOnClick(), 5);
    EXPECT_TRUE(state.rightClickChecks().freeOnClick);
    state.toggleFreeOnClick();
    EXPECT_EQ(state.freeOnClick(), kFalse);
    state.toggleFreeOnClick();
    EXPECT_EQ(state.freeOnClick(), kTrue);
}

TEST(Timer, StartsEnabledAt500Milliseconds)
{
    ControlState state;
    EXPECT_TRUE(state.enabled());
    EXPECT_EQ(state.interval(), 500);
    EXPECT_TRUE(state.timerRuns());
    state.setEnabled(false);
    EXPECT_FALSE(state.timerRuns());
}

TEST(Timer, IntervalRoundsHalvesToEvenAndRefusesWhatNoTimerCanTake)
{
    ControlState state;
    EXPECT_TRUE(state.setInterval(250.5f));
    EXPECT_EQ(state.interval(), 250);
    EXPECT_TRUE(state.setInterval(251.5f));
    EXPECT_EQ(state.interval(), 252);
    EXPECT_FALSE(state.setInterval(-1.0f));
    EXPECT_FALSE(state.setInterval(std::nanf("")));
    EXPECT_FALSE(state.setInterval(3e9f));
    EXPECT_EQ(state.interval(), 252);
    EXPECT_TRUE(state.setInterval(0.0f));
    EXPECT_FALSE(state.timerRuns());
}

TEST(SurfaceProperties, OnlyTheEnumerationsValuesAreTaken)
{
    ControlState state;
    EXPECT_TRUE(state.setBorderStyle(1));
    EXPECT_EQ(state.borderStyle(), BStyle::FixedSingle);
    EXPECT_FALSE(state.setBorderStyle(2));
    EXPECT_EQ(state.borderStyle(), BStyle::FixedSingle);
    EXPECT_TRUE(state.setAppearance(1));
    EXPECT_FALSE(state.setAppearance(-1));
    EXPECT_EQ(state.appearance(), FApp::Lowered);
}
