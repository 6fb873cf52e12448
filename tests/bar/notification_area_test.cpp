// Other programs' icons in the bar's notification area, sent as Wine's Shell_NotifyIcon sends them.
#include "bar/BarFixture.h"
#include "settings/SettingsIds.h"
#include "tray/TrayCallback.h"
#include "tray/WineBlocks.h"

#include <cmath>

namespace {

using tray_test::WineRequest;

class NotificationAreaTest : public BarTest {
protected:
    sim::SimNotificationHost& host = sim.sim_notificationHost();

    bool send(tray::Command command, const WineRequest& r)
    {
        const tray_test::Bytes b = r.bytes();
        return host.send(static_cast<std::uintptr_t>(command), b.data(), b.size());
    }
    WineRequest iconOf(platform::WindowHandle window, std::uint32_t id, const char* tip)
    {
        WineRequest r;
        r.window = window;
        r.id = id;
        r.flags = tray::kFlagMessage | tray::kFlagIcon | tray::kFlagTip;
        r.tip = tip;
        return r;
    }
    const ui::ControlSpec* icon(int i) { return toolkit.control(bar_ids::TRAYICON_BASE + i); }
    float panelTop() { return toolkit.clientSize(bar->formId()).height - 900; }
};

} // namespace

TEST_F(NotificationAreaTest, IconsComeInRowsOnThePanelTheTaskButtonsGiveWayAndGoWithTheirProgram)
{
    for (int i = 0; i < 30; ++i)
        desktop.open("W" + std::to_string(i));
    start();
    ASSERT_TRUE(host.hosting());
    EXPECT_EQ(host.announcements, 1) << "running programs are asked to add their icons";
    const platform::WindowHandle program = desktop.open("Tray program", {0, 0, 0, false, false});
    const platform::WindowHandle other = desktop.open("Other", {0, 0, 0, false, false});
    for (std::uint32_t id = 1; id <= 20; ++id)
        ASSERT_TRUE(send(tray::Command::Add, iconOf(program, id, "Tip")));
    EXPECT_FALSE(send(tray::Command::Add, iconOf(program, 1, "Again"))) << "an icon there is";
    ASSERT_TRUE(send(tray::Command::Add, iconOf(other, 1, "Other's")));

    // 21 cells of 300 twips in rows across the buttons' width, the last row on the panel.
    const ui::Rect first = icon(0)->rect;
    const ui::Rect last = icon(20)->rect;
    const std::size_t perRow = static_cast<std::size_t>(button(0).rect.width / 300);
    const float rows = std::ceil(21.0f / static_cast<float>(perRow));
    EXPECT_EQ(last.top + last.height, panelTop());
    EXPECT_EQ(first.top, panelTop() - rows * 300);
    EXPECT_EQ(icon(20)->toolTip, "Other's");
    float lowest = 0;
    for (int i = 0; buttonLoaded(i); ++i)
        if (button(i).visible)
            lowest = std::max(lowest, button(i).rect.top + button(i).rect.height);
    EXPECT_LE(lowest, first.top) << "no task button over the icons";
    EXPECT_EQ(desktop.icons.liveCopies(), 21u);

    WineRequest hide = iconOf(program, 2, "");
    hide.flags = tray::kFlagState;
    hide.state = hide.stateMask = tray::kStateHidden;
    EXPECT_TRUE(send(tray::Command::Modify, hide));
    EXPECT_EQ(icon(20), nullptr) << "one cell less";
    EXPECT_EQ(desktop.icons.liveCopies(), 21u) << "a hidden icon keeps its image for when it shows again";
    hide.state = 0;
    EXPECT_TRUE(send(tray::Command::Modify, hide));
    ASSERT_NE(icon(20), nullptr);
    EXPECT_NE(icon(1)->icon, 0u);
    WineRequest retip = iconOf(program, 3, "Changed");
    retip.flags = tray::kFlagTip;
    EXPECT_TRUE(send(tray::Command::Modify, retip));
    EXPECT_EQ(icon(2)->toolTip, "Changed");

    desktop.close(program); // ended without deleting its icons
    tick();
    ASSERT_NE(icon(0), nullptr);
    EXPECT_EQ(icon(0)->toolTip, "Other's");
    EXPECT_EQ(icon(1), nullptr);
    EXPECT_EQ(desktop.icons.liveCopies(), 1u);
    EXPECT_TRUE(send(tray::Command::Delete, iconOf(other, 1, "")));
    EXPECT_FALSE(send(tray::Command::Delete, iconOf(other, 1, "")));
    EXPECT_EQ(desktop.icons.liveCopies(), 0u);
    EXPECT_EQ(desktop.icons.wrongFrees, 0);
    const ui::ControlSpec& down = control(task_ids::VTASKS_DOWN);
    EXPECT_EQ(down.rect.top + down.rect.height, panelTop()) << "the task area reaches the panel again";
}

TEST_F(NotificationAreaTest, ClicksAndKeysReachTheProgramAsItsVersionWantsAndTheSettingTurnsItOff)
{
    start();
    const platform::WindowHandle program = desktop.open("Tray program", {0, 0, 0, false, false});
    ASSERT_TRUE(send(tray::Command::Add, iconOf(program, 7, "Volume")));
    desktop.setCursor(20, 700);
    toolkit.mouseUp(bar->formId(), bar_ids::TRAYICON_BASE, ui::MouseButton::Left);
    ASSERT_EQ(host.posted.size(), 2u);
    EXPECT_EQ(host.posted[0].lParam, static_cast<std::intptr_t>(tray::kLeftDown));
    EXPECT_EQ(host.posted[1].wParam, 7u);
    EXPECT_EQ(host.posted[1].lParam, static_cast<std::intptr_t>(tray::kLeftUp));
    EXPECT_EQ(host.allowedForeground, std::vector<std::uint32_t> {program});

    WineRequest version = iconOf(program, 7, "");
    version.flags = 0;
    version.timeoutOrVersion = 4;
    ASSERT_TRUE(send(tray::Command::SetVersion, version));
    host.posted.clear();
    toolkit.mouseUp(bar->formId(), bar_ids::TRAYICON_BASE, ui::MouseButton::Right);
    ASSERT_EQ(host.posted.size(), 3u) << "down, up and the context menu";
    EXPECT_EQ(host.posted[2].lParam, static_cast<std::intptr_t>(tray::kContextMenu | (7u << 16)));
    EXPECT_EQ(host.posted[2].wParam, 20u | (700u << 16));
    host.posted.clear();
    toolkit.focusControl(bar->formId(), 0);
    ASSERT_TRUE(send(tray::Command::SetFocus, iconOf(program, 7, "")));
    EXPECT_EQ(toolkit.focus.second, bar_ids::TRAYICON_BASE) << "the program gives its icon the keyboard";
    toolkit.pressKey(bar->formId(), ui::kKeyReturn);
    ASSERT_EQ(host.posted.size(), 1u);
    EXPECT_EQ(host.posted[0].lParam, static_cast<std::intptr_t>(tray::kKeySelect | (7u << 16)));

    // A system taskbar that came back in front: the bar stands before it again, and the programs
    // are asked to add their icons once more.
    host.overtaken = true;
    tick();
    EXPECT_EQ(host.announcements, 2);

    // Off: no icons, no tray window, and the programs are told to go back to the system's.
    bar->PopupSettings(0);
    const ui::FormId settingsForm = bar->settingsWindow()->formId();
    toolkit.toggleCheck(settingsForm, settings_ids::TRAYON);
    toolkit.mouseUp(settingsForm, settings_ids::BX1, ui::MouseButton::Left);
    EXPECT_FALSE(host.hosting());
    EXPECT_EQ(icon(0), nullptr);
    EXPECT_EQ(host.announcements, 3);
    EXPECT_EQ(desktop.icons.liveCopies(), 0u);
    EXPECT_FALSE(send(tray::Command::Add, iconOf(program, 8, "Late")));
}
