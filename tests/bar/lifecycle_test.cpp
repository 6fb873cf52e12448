#include "bar/BarFixture.h"
#include "progmenu/ProgramMenu.h"
#include "progmenu/ProgramMenuIds.h"
#include "tasks/TaskActions.h"
#include "tasks/TaskIds.h"

namespace m = bar_ids::menu;

class LifecycleTest : public BarTest { };

TEST_F(LifecycleTest, StartUpShowsTheTopmostBarWithItsPanel)
{
    start();
    const sim::SimForm* form = toolkit.form(bar->formId());
    ASSERT_NE(form, nullptr);
    EXPECT_TRUE(form->visible);
    EXPECT_EQ(form->props.caption, "Tolvane");
    EXPECT_TRUE(desktop.find(bar->window())->topmost);
    EXPECT_EQ(bar->desktopWindow(), sim::SimDesktop::kDesktop);
    EXPECT_EQ(barFrame().height, 6030);

    EXPECT_EQ(control(bar_ids::SSETTS).caption, "Tolvane");
    EXPECT_EQ(control(bar_ids::SSETTS).toolTip, "Show settings menu");
    EXPECT_EQ(control(bar_ids::STX).caption, ">");
    EXPECT_EQ(control(bar_ids::STX).toolTip, "Show programs");
    EXPECT_EQ(control(bar_ids::TIM3).caption, "888");
    EXPECT_EQ(control(bar_ids::TIM1).caption, "8888");
    EXPECT_EQ(control(bar_ids::VRUN).toolTip, "Enter a programme to start...");
    EXPECT_EQ(control(bar_ids::RBUT).toolTip, "Browse applications");
    EXPECT_FALSE(control(bar_ids::WMPLAY).visible);
    EXPECT_EQ(control(bar_ids::VRUN).parent, bar_ids::Picture2);
}

TEST_F(LifecycleTest, ExactlyOneGaugePictureAndOneLampAreShown)
{
    start();
    int gauges = 0;
    for (int i = 0; i < 7; ++i)
        gauges += control(bar_ids::MEMMODE_0 + i).visible ? 1 : 0;
    EXPECT_EQ(gauges, 1);
    EXPECT_TRUE(control(bar_ids::MEMMODE_0 + 4).visible);
    EXPECT_EQ(bar->memoryIndicator().MemoryLevel(), 4);
    EXPECT_NE(control(bar_ids::ONLED_0).visible, control(bar_ids::ONLED_0 + 1).visible);
}

TEST_F(LifecycleTest, NewWindowsShowUpWithinOneRefresh)
{
    desktop.reportedEvents.clear(); // a platform without window events: the tick alone shows it
    start();
    desktop.open("late");
    toolkit.advance(1999);
    EXPECT_TRUE(captions().empty());
    toolkit.advance(1);
    EXPECT_EQ(captions(), (std::vector<std::string> {"late"}));
}

TEST_F(LifecycleTest, AltF4IsRefusedWithTheQuitMenuShutDownBold)
{
    start();
    EXPECT_FALSE(toolkit.userClose(bar->formId()));
    ASSERT_NE(toolkit.form(bar->formId()), nullptr);
    ASSERT_EQ(toolkit.shownMenus.size(), 1u);
    const sim::ShownMenu& shown = toolkit.shownMenus[0];
    EXPECT_EQ(shown.menu.id, m::MSHUT);
    EXPECT_EQ(shown.defaultItem, m::MST_0 + 2);
    std::vector<std::string> entries;
    for (const auto& item : shown.menu.items)
        entries.push_back(item.caption);
    EXPECT_EQ(entries, (std::vector<std::string> {"quit", "log off", "restart", "shut down"}));
    EXPECT_FALSE(toolkit.quitRequested);
}

TEST_F(LifecycleTest, QuitFromTheQuitMenuEndsAtOnce)
{
    start();
    toolkit.menuChoices.push_back(m::MQ);
    toolkit.userClose(bar->formId());
    EXPECT_TRUE(toolkit.quitRequested);
    EXPECT_TRUE(desktop.zOrder().empty());
}

TEST_F(LifecycleTest, APlatformCloseIsGrantedAndEndsTheProgram)
{
    start();
    EXPECT_TRUE(toolkit.platformClose(bar->formId(), ui::CloseReason::Session));
    EXPECT_TRUE(toolkit.quitRequested);
    EXPECT_TRUE(toolkit.shownMenus.empty());
}

TEST_F(LifecycleTest, TheGlowStripPulsesInSixteenSteps)
{
    start();
    toolkit.advance(50);
    EXPECT_EQ(bar->glowPhase(), 2);
    EXPECT_EQ(control(bar_ids::MMX).back, 143u * 65536 + 72 * 256) << "a = 18/32";
    toolkit.advance(50 * 7);
    EXPECT_EQ(bar->glowPhase(), -16);
    EXPECT_EQ(control(bar_ids::MMX).back, 255u * 65536 + 128 * 256);
    toolkit.advance(50 * 8);
    EXPECT_EQ(bar->glowPhase(), 0);
    EXPECT_EQ(control(bar_ids::MMX).back, 127u * 65536 + 64 * 256);
}

TEST_F(LifecycleTest, TheMainMenuOpensFromTheProductNameWithControlPanelBoldAndGrey)
{
    start();
    toolkit.mouseUp(bar->formId(), bar_ids::SSETTS, ui::MouseButton::Left);
    ASSERT_EQ(toolkit.shownMenus.size(), 1u);
    const sim::ShownMenu& shown = toolkit.shownMenus[0];
    EXPECT_EQ(shown.defaultItem, m::MSTCONTROLPANEL);
    const ui::MenuItem* panel = ui::FindMenuItem(shown.menu, m::MSTCONTROLPANEL);
    ASSERT_NE(panel, nullptr);
    EXPECT_FALSE(panel->enabled);
    EXPECT_EQ(ui::FindMenuItem(shown.menu, m::MABOUT)->shortcut, "F1");
}

TEST(BarMenus, ProgramMenuHasSixteenCategoriesEachWithAnEmptyEntry)
{
    namespace m = progmenu_ids;
    const ui::MenuItem main = progmenu::ProgramMenuTree();
    for (int category = 0; category < 16; ++category) {
        const ui::MenuItem* entry = ui::FindMenuItem(main, m::SM_BASE(category));
        ASSERT_NE(entry, nullptr) << category;
        EXPECT_EQ(entry->caption, "[empty]");
    }
    const ui::MenuItem* games = ui::FindMenuItem(main, m::SMXX);
    ASSERT_EQ(games->items.size(), 6u);
    EXPECT_EQ(games->items[5].caption, "Other");
    const ui::MenuItem* programs = &main;
    EXPECT_EQ(programs->items.back().caption, "redetect");
}

TEST(BarMenus, TaskMenuKeepsItsEntriesInOrder)
{
    sim::SimPlatform sim;
    const ui::MenuItem mf = tasks::BuildTaskMenu(sim, 0);
    std::vector<std::string> entries;
    for (const auto& item : mf.items)
        entries.push_back(item.caption);
    EXPECT_EQ(entries,
        (std::vector<std::string> {"restore", "move", "size", "minimize", "maximixe", "-", "advanced", "-", "close"}));
    EXPECT_FALSE(mf.items[1].enabled);
    EXPECT_FALSE(mf.items[2].enabled);
    EXPECT_EQ(ui::FindMenuItem(mf, task_ids::menu::MFT)->caption, "terminate");
}
