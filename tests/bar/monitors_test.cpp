// The bar on two monitors side by side, 0,0-1024,768 (primary) and 1024,0-2048,768.
#include "bar/BarFixture.h"
#include "bar/RememberedMonitor.h"
#include "settings/SettingsIds.h"
#include "settings/SetupMem.h"

#include <cmath>

namespace {
constexpr float kTwips = 15;
using platform::RegistryRoot;

platform::Monitor MonitorAt(platform::MonitorHandle handle, const char* name, platform::PixelRect bounds, bool primary)
{
    return {handle, name, bounds, bounds, primary};
}
} // namespace

class MonitorsTest : public BarTest {
protected:
    const platform::Monitor primary = MonitorAt(1, "\\\\.\\DISPLAY1", {0, 0, 1024, 768}, true);
    const platform::Monitor second = MonitorAt(2, "\\\\.\\DISPLAY2", {1024, 0, 2048, 768}, false);

    void SetUp() override
    {
        desktop.monitorList = {primary, second};
        desktop.setCursor(600, 600);
    }
    void dockTick() { toolkit.advance(500); }
    void moveBarTo(float leftPixels)
    {
        ui::Rect r = barFrame();
        r.left = leftPixels * kTwips;
        toolkit.userResize(bar->formId(), r);
    }
    void storeAlignment(float listIndex, const std::string& monitorText)
    {
        auto& registry = sim.sim_registry();
        const auto v = static_cast<unsigned char>(listIndex);
        registry.putValue(RegistryRoot::CurrentUser, settings::SetupMem::kKeyPath, "Align_Position",
            {platform::kRegDword, std::string {'\0', '\0', '\0', static_cast<char>(v)}});
        registry.putValue(RegistryRoot::CurrentUser, settings::SetupMem::kKeyPath, bar::kMonitorValueName,
            {platform::kRegSz, monitorText + '\0'});
    }
    bool barTopmost() { return desktop.find(bar->window())->topmost; }
};

TEST_F(MonitorsTest, AFreeBarDocksOnTheMonitorItStandsOnAndUnhidesOnlyFromItsOwnSideOfASharedEdge)
{
    start();
    moveBarTo(1200);
    bar->SetAlign(3); // left
    dockTick();
    const ui::Rect tucked = barFrame();
    EXPECT_EQ(tucked.left, (1024 + 16) * kTwips - tucked.width) << "the strip at the second monitor's left edge";
    EXPECT_EQ(tucked.top, std::floor((768 * kTwips - tucked.height) / 2));
    const auto clip = toolkit.form(bar->formId())->clip;
    ASSERT_TRUE(clip) << "the hidden part would show on the first monitor";
    EXPECT_EQ(clip->left, 1024);
    EXPECT_EQ(clip->right, 1040);

    desktop.setCursor(1000, 300); // over the hidden part, on the first monitor
    dockTick();
    EXPECT_EQ(barFrame(), tucked);
    desktop.setCursor(1030, 300); // on the strip
    dockTick();
    EXPECT_EQ(barFrame().left, (1024 - 4) * kTwips);
    desktop.setCursor(1500, 300);
    dockTick();
    EXPECT_EQ(barFrame(), tucked);

    // Tucked away, most of the bar stands on the first monitor; another position keeps the second.
    bar->SetAlign(5);
    dockTick();
    EXPECT_EQ(barFrame().left, (2048 - 16) * kTwips);
    bar->SetAlign(-1);
    EXPECT_EQ(barFrame().left, (1024 + 120) * kTwips) << "free again at the start place of its monitor";
    EXPECT_FALSE(toolkit.form(bar->formId())->clip);
}

TEST_F(MonitorsTest, TheChosenMonitorIsRememberedAndAGoneOneGivesThePrimary)
{
    start();
    moveBarTo(1200);
    bar->PopupSettings(1);
    const ui::FormId settingsForm = bar->settingsWindow()->formId();
    toolkit.selectItems(settingsForm, settings_ids::ALLIST, {5}); // right
    toolkit.mouseUp(settingsForm, settings_ids::BX1, ui::MouseButton::Left);
    const auto stored =
        sim.sim_registry().value(RegistryRoot::CurrentUser, settings::SetupMem::kKeyPath, "Align_Monitor");
    ASSERT_TRUE(stored);
    EXPECT_EQ(stored->data, std::string("\\\\.\\DISPLAY2|1024,0,2048,768") + '\0');

    const auto startedLeft = [&] {
        bar.reset();
        start();
        dockTick();
        return barFrame().left + barFrame().width;
    };
    EXPECT_EQ(startedLeft(), (2048 - 16) * kTwips + barFrame().width) << "restored on the second monitor";
    desktop.monitorList = {primary};
    EXPECT_EQ(startedLeft(), (1024 - 16) * kTwips + barFrame().width) << "the monitor is gone: the primary";
    desktop.monitorList = {primary, MonitorAt(7, "\\\\.\\DISPLAY2", {1024, 0, 2304, 1024}, false)};
    EXPECT_EQ(startedLeft(), (2304 - 16) * kTwips + barFrame().width) << "found by name at its new resolution";
    for (const char* hostile : {"", "|", "\\\\.\\DISPLAY2|1024,0,2048", "\\\\.\\DISPLAY9|1,1,1,1",
             "\\\\.\\DISPLAY2|1024,0,2048,768,5", "\\\\.\\DISPLAY2|a,0,2048,768"}) {
        desktop.monitorList = {primary, second};
        storeAlignment(5, hostile);
        EXPECT_EQ(startedLeft(), (1024 - 16) * kTwips + barFrame().width) << hostile;
    }
}

TEST_F(MonitorsTest, ADisplayChangeRedocksAtOnceAlsoWhileHidden)
{
    start();
    moveBarTo(1200);
    bar->SetAlign(5);
    dockTick();
    desktop.monitorList = {primary, MonitorAt(2, "\\\\.\\DISPLAY2", {1024, 0, 2304, 1024}, false)};
    toolkit.changeDisplays();
    EXPECT_EQ(barFrame().left, (2304 - 16) * kTwips) << "no docking tick needed";
    EXPECT_EQ(barFrame().top, std::floor((1024 * kTwips - barFrame().height) / 2));

    desktop.monitorList = {primary};
    toolkit.changeDisplays();
    EXPECT_EQ(barFrame().left, (1024 - 16) * kTwips) << "its monitor is gone: onto the primary one";

    bar->SetAlign(-1);
    desktop.monitorList = {primary, second};
    moveBarTo(1500);
    desktop.monitorList = {primary};
    toolkit.changeDisplays();
    EXPECT_EQ(barFrame().left, 120 * kTwips) << "a free bar is never left off every screen";
}

TEST_F(MonitorsTest, TheBarStepsBehindAFullScreenWindowOnItsMonitorOnly)
{
    start();
    ASSERT_TRUE(barTopmost());
    const auto video = desktop.open("Video");
    desktop.find(video)->rect = {0, 0, 1024, 768};
    desktop.activate(video);
    tick();
    EXPECT_FALSE(barTopmost()) << "a full-screen window on the bar's monitor";
    desktop.find(video)->iconic = true;
    tick();
    EXPECT_TRUE(barTopmost()) << "minimised";

    const auto game = desktop.open("Game");
    desktop.find(game)->rect = {1024, 0, 2048, 768};
    desktop.activate(game);
    tick();
    EXPECT_TRUE(barTopmost()) << "full screen on the other monitor";

    const auto editor = desktop.open("Editor");
    desktop.find(editor)->rect = {-8, -8, 1032, 776};
    desktop.find(editor)->zoomed = true;
    desktop.activate(editor);
    tick();
    EXPECT_TRUE(barTopmost()) << "a maximised window is no full-screen one";

    desktop.find(video)->iconic = false;
    desktop.activate(video);
    tick();
    EXPECT_FALSE(barTopmost());
    desktop.close(video);
    tick();
    EXPECT_TRUE(barTopmost()) << "closed";
}

TEST_F(MonitorsTest, TheKeyboardCarriesAFreeBarAcrossToTheNextMonitor)
{
    start();
    moveBarTo(1024 - 150);
    for (int i = 0; i < 30; ++i)
        bar->MoveBar(10, 0);
    EXPECT_EQ(barFrame().left, (1024 - 150 + 300) * kTwips);
    for (int i = 0; i < 200; ++i)
        bar->MoveBar(10, 0);
    EXPECT_EQ(barFrame().left + barFrame().width, 2048 * kTwips) << "stopped at the last monitor's edge";
}

TEST_F(MonitorsTest, TaskButtonsCanBeKeptToTheBarsMonitorAndFollowAMovedWindowAtOnce)
{
    sim.sim_registry().putValue(RegistryRoot::CurrentUser, settings::SetupMem::kKeyPath,
        "General_TasksOfBarMonitorOnly", {platform::kRegDword, std::string {'\0', '\0', '\0', '\x01'}});
    const auto here = desktop.open("Here");
    const auto there = desktop.open("There");
    const auto nowhere = desktop.open("Nowhere");
    desktop.moveWindow(there, {1200, 100, 1800, 500});
    desktop.moveWindow(nowhere, {-5000, -5000, -4000, -4000});
    start();
    EXPECT_EQ(captions(), (std::vector<std::string> {"Nowhere", "Here"})) << "a window on no monitor is the primary's";

    desktop.moveWindow(here, {1300, 100, 1900, 500});
    toolkit.advance(50);
    EXPECT_EQ(captions(), (std::vector<std::string> {"Nowhere"})) << "gone within one glow tick";
    moveBarTo(1500);
    toolkit.advance(2000);
    EXPECT_EQ(captions(), (std::vector<std::string> {"There", "Here"})) << "the bar moved to the other monitor";
    (void)nowhere;
}
