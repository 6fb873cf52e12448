#include "bar/BarFixture.h"

#include <cmath>

class DockingTest : public BarTest {
protected:
    void SetUp() override
    {
        start();
        desktop.setCursor(600, 600);
    }
    void dockTick() { toolkit.advance(500); }
    void resize(float height)
    {
        ui::Rect r = barFrame();
        r.height = height;
        toolkit.userResize(bar->formId(), r);
    }
};

TEST_F(DockingTest, StartsFreeFloatingAtItsStartPlaceAndTheDockingTimerStopsItself)
{
    EXPECT_EQ(bar->alignPosition(), -1);
    EXPECT_EQ(barFrame().left, 120 * 15);
    EXPECT_EQ(barFrame().height, 6030);
    EXPECT_TRUE(bar->dockingTimerRunning());
    dockTick();
    EXPECT_FALSE(bar->dockingTimerRunning());
    EXPECT_EQ(barFrame().left, 120 * 15);
}

TEST_F(DockingTest, AShortBarGrowsBackTo360PixelsAndTheLogoFollowsItsHeight)
{
    resize(200 * 15);
    EXPECT_EQ(barFrame().height, 360 * 15);
    EXPECT_EQ(control(bar_ids::OEMLOGO).rect.height, 360 * 15);
    resize(9000);
    EXPECT_EQ(barFrame().height, 9000);
    EXPECT_EQ(control(bar_ids::OEMLOGO).rect.height, 9000);
    // The panel stays on the bottom edge across the client width.
    const ui::Size client = toolkit.clientSize(bar->formId());
    EXPECT_EQ(control(bar_ids::Picture2).rect.top, client.height - 900);
    EXPECT_EQ(control(bar_ids::Picture2).rect.width, client.width);
}

TEST_F(DockingTest, AWiderBarGetsWiderButtons)
{
    desktop.open("A");
    tick();
    ui::Rect r = barFrame();
    r.width = 5000;
    toolkit.userResize(bar->formId(), r);
    EXPECT_EQ(button(0).rect.width, std::nearbyint(5000 - 187.5f - 120));
}

TEST_F(DockingTest, ADockedBarTucksAwayAndComesBackUnderTheMouse)
{
    bar->SetAlign(3);
    dockTick();
    const ui::Rect tucked = barFrame();
    EXPECT_EQ(tucked.left, 16 * 15 - tucked.width);
    EXPECT_EQ(tucked.top, std::floor((768 * 15 - tucked.height) / 2));

    desktop.setCursor(5, 300); // on the visible strip
    dockTick();
    EXPECT_EQ(barFrame().left, -4 * 15) << "pulled onto the screen, 4 pixels overhang";
    desktop.setCursor(600, 300);
    dockTick();
    EXPECT_EQ(barFrame(), tucked);
}

TEST_F(DockingTest, ADockedBarStaysOutWhileItHasTheKeyboardFocus)
{
    bar->SetAlign(5);
    dockTick();
    const ui::Rect tucked = barFrame();
    bar->FocusRunBox(); // the remote's "run"
    const ui::Rect out = barFrame();
    ASSERT_EQ(out.left, (1024 + 4) * 15 - out.width) << "brought onto the screen";
    for (int i = 0; i < 4; ++i)
        dockTick();
    EXPECT_EQ(barFrame(), out) << "the mouse is away, but the typing goes to the run box";

    desktop.activate(desktop.open("Other")); // the focus leaves with the bar's activation
    dockTick();
    EXPECT_EQ(barFrame(), tucked);
    bar->FocusRunBox();
    toolkit.focus = {0, 0}; // the focus moves elsewhere within the bar's thread
    dockTick();
    EXPECT_EQ(barFrame(), tucked);
}

TEST_F(DockingTest, InTheCentreTheBarIsRecentredAndNeverHidden)
{
    bar->SetAlign(4);
    dockTick();
    ui::Rect r = barFrame();
    EXPECT_EQ(r.left, std::floor((1024 * 15 - r.width) / 2));
    r.left = 0;
    toolkit.userResize(bar->formId(), r); // the user drags it away
    desktop.setCursor(1000, 10);
    dockTick();
    EXPECT_EQ(barFrame().left, std::floor((1024 * 15 - r.width) / 2));
}

TEST_F(DockingTest, FreeFloatingAgainStopsTheTimerAndReturnsToTheStartPlace)
{
    bar->SetAlign(8);
    dockTick();
    EXPECT_NE(barFrame().left, 120 * 15);
    bar->SetAlign(-1);
    EXPECT_FALSE(bar->dockingTimerRunning());
    EXPECT_EQ(barFrame().left, 120 * 15);
    EXPECT_EQ(barFrame().top, 120 * 15);
    const ui::Rect before = barFrame();
    toolkit.advance(3000);
    EXPECT_EQ(barFrame(), before);
}

TEST_F(DockingTest, AMinimisedBarIsNeitherMovedNorLaidOut)
{
    bar->SetAlign(0);
    toolkit.setFormState(bar->formId(), ui::WindowState::Minimized);
    const ui::Rect before = barFrame();
    dockTick();
    EXPECT_EQ(barFrame(), before);
    ui::Rect tiny = before;
    tiny.height = 100;
    toolkit.userResize(bar->formId(), tiny);
    EXPECT_EQ(barFrame().height, 100) << "no minimum height while minimised";
}

TEST_F(DockingTest, InvalidPositionsAreIgnored)
{
    bar->SetAlign(2);
    bar->SetAlign(9);
    bar->SetAlign(1.5f);
    EXPECT_EQ(bar->alignPosition(), 2);
}

TEST_F(DockingTest, FullHeightIsOfferedAtTheSideEdgesOnly)
{
    using bar_ids::menu::MFULLHEIGHT;
    auto entry = [&] { return ui::FindMenuItem(bar->mainMenu(), MFULLHEIGHT); };
    EXPECT_FALSE(entry()->enabled);
    bar->SetAlign(5);
    EXPECT_TRUE(entry()->enabled);

    toolkit.menuChoices.push_back(MFULLHEIGHT);
    toolkit.mouseUp(bar->formId(), bar_ids::SSETTS, ui::MouseButton::Left);
    EXPECT_TRUE(bar->fullHeightSelected());
    EXPECT_EQ(barFrame().height, 768 * 15);
    EXPECT_EQ(barFrame().top, 0);

    bar->SetAlign(6);
    EXPECT_FALSE(entry()->enabled);
    EXPECT_FALSE(bar->fullHeightSelected());
    EXPECT_EQ(barFrame().height, 768 * 15 / 2);
}
