// The main menu's entries as the user meets them: the about box, sleep mode and the session
// commands.
#include "bar/BarFixture.h"

namespace {

namespace m = bar_ids::menu;

class MainMenuTest : public BarTest {
protected:
    void choose(ui::MenuId id)
    {
        toolkit.menuChoices.push_back(id);
        toolkit.mouseUp(bar->formId(), bar_ids::SSETTS, ui::MouseButton::Left);
    }
    bool asleep() { return ui::FindMenuItem(bar->mainMenu(), m::MIMODE)->checked; }
};

TEST_F(MainMenuTest, TheSplashClosesItselfAfterFiveSecondsUnlessOpenedForReading)
{
    start();
    ASSERT_NE(bar->aboutBox(), nullptr);
    EXPECT_FALSE(bar->aboutBox()->closeEnabled());
    EXPECT_FALSE(toolkit.form(bar->aboutBox()->formId())->props.titleBar);
    toolkit.advance(4990);
    ASSERT_NE(bar->aboutBox(), nullptr);
    toolkit.advance(20);
    EXPECT_EQ(bar->aboutBox(), nullptr);

    choose(m::MABOUT);
    ASSERT_NE(bar->aboutBox(), nullptr);
    EXPECT_TRUE(bar->aboutBox()->closeEnabled());
    toolkit.advance(60000);
    ASSERT_NE(bar->aboutBox(), nullptr) << "opened from the menu, the box stays";
    toolkit.mouseUp(bar->aboutBox()->formId(), bar_ids::about::OKK, ui::MouseButton::Left);
    EXPECT_EQ(bar->aboutBox(), nullptr);
}

TEST_F(MainMenuTest, F1WhileTheSplashShowsStopsItsSelfClosing)
{
    start();
    toolkit.advance(3000);
    EXPECT_TRUE(toolkit.pressKey(bar->formId(), ui::kKeyF1));
    toolkit.advance(10000);
    ASSERT_NE(bar->aboutBox(), nullptr);
    EXPECT_TRUE(bar->aboutBox()->closeEnabled());
}

TEST_F(MainMenuTest, TheRunBoxStartsWhatIsTypedOnEnterAndKeepsIt)
{
    start();
    auto& started = sim.sim_launcher().started;
    toolkit.typeText(bar->formId(), bar_ids::VRUN, "\r   \r");
    EXPECT_TRUE(started.empty()) << "an empty or blank box starts nothing";
    toolkit.typeText(bar->formId(), bar_ids::VRUN, "\b\b\b\b\bnotepad a=b\r");
    ASSERT_EQ(started.size(), 1u);
    EXPECT_EQ(started[0].first, "notepad a=b");
    EXPECT_EQ(started[0].second, platform::ShowCommand::Normal);
    EXPECT_EQ(control(bar_ids::VRUN).caption, "notepad a=b");
    toolkit.typeText(bar->formId(), bar_ids::VRUN, "calc");
    EXPECT_EQ(control(bar_ids::VRUN).caption, "calc") << "the kept text is selected: typing replaces it";
    toolkit.typeText(bar->formId(), bar_ids::VRUN, "\r\b");
    EXPECT_EQ(control(bar_ids::VRUN).caption, "") << "and a backspace clears it";

    // Browsing puts the chosen program, quoted, in the box; a cancelled dialog changes nothing.
    toolkit.fileDialogAnswers.push_back(std::string("C:\\Program Files\\App\\app.exe"));
    toolkit.mouseUp(bar->formId(), bar_ids::RBUT, ui::MouseButton::Left);
    toolkit.fileDialogAnswers.push_back(std::nullopt);
    toolkit.mouseUp(bar->formId(), bar_ids::RBUT, ui::MouseButton::Left);
    EXPECT_EQ(control(bar_ids::VRUN).caption, "\"C:\\Program Files\\App\\app.exe\"");
    EXPECT_EQ(toolkit.fileDialogRequests.at(0).title, "Browse applications");
}

TEST_F(MainMenuTest, SleepStopsRefreshAndGlowAndWakingBringsNewButtons)
{
    start();
    tick();
    choose(m::MIMODE);
    EXPECT_TRUE(asleep());
    EXPECT_FALSE(bar->refreshRunning());
    EXPECT_FALSE(bar->glowRunning());
    const float phase = bar->glowPhase();
    desktop.open("Opened while asleep");
    toolkit.advance(10000);
    EXPECT_TRUE(captions().empty());
    EXPECT_EQ(bar->glowPhase(), phase);

    choose(m::MIMODE);
    EXPECT_FALSE(asleep());
    tick();
    EXPECT_EQ(captions(), (std::vector<std::string> {"Opened while asleep"}));
    // A free-floating bar's docking timer runs once after waking and stops itself again.
    EXPECT_FALSE(bar->dockingTimerRunning());
}

TEST_F(MainMenuTest, SessionCommandsAskThePlatformWithThePrivilegeWhereNeeded)
{
    start();
    choose(m::MST_0 + 0);
    choose(m::MST_0 + 1);
    choose(m::MST_0 + 2);
    EXPECT_EQ(
        sim.sim_power().calls, (std::vector<std::string> {"exit 0", "privilege", "exit 2", "privilege", "exit 1"}));
    // A refused request changes nothing visible; the bar goes on.
    sim.sim_power().fail = true;
    choose(m::MST_0 + 2);
    EXPECT_FALSE(toolkit.quitRequested);
}

} // namespace
