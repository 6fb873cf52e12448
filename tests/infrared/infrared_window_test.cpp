// The infrared remote on the bar: learning a button through the definition menu, mapped buttons
// doing their actions, the receiver reconnecting by itself, the switch and the map file: merged
// with changes made to it meanwhile, kept in its own encoding, and a failed save shown.
#include "bar/BarFixture.h"
#include "infrared/InfraredIds.h"
#include "settings/SettingsIds.h"
#include "settings/SetupMem.h"

#include <algorithm>

namespace {

namespace m = infrared_ids::menu;
using platform::RegistryRoot;

const std::string kMap = "C:\\Bars\\IR_SCUTS.INI";
const std::string kKey = settings::SetupMem::kKeyPath;

std::string b4(int l)
{
    return {'\0', '\0', '\0', static_cast<char>(l)};
}

class InfraredTest : public BarTest {
protected:
    sim::SimNetwork& network = sim.sim_network();

    void supportOn(bool learning)
    {
        sim.sim_registry().putValue(
            RegistryRoot::CurrentUser, kKey, "IR_EnableIRSupport", {platform::kRegDword, b4(1)});
        sim.sim_registry().putValue(
            RegistryRoot::CurrentUser, kKey, "IR_LearningMode", {platform::kRegDword, b4(learning ? 1 : 0)});
    }
    void startConnected()
    {
        start();
        ASSERT_TRUE(network.accept()) << "the receiver connects at start";
    }
    void press(const std::string& line) { network.send(line + "\n"); }
    const infrared::IRSupp& window()
    {
        const infrared::IRSupp* w = bar->infrared().window();
        if (!w)
            throw std::runtime_error("the infrared window is not loaded");
        return *w;
    }
    std::string caption() { return toolkit.form(window().formId())->props.caption; }
    // Learning mode: a press of the button, then the choice in the definition menu.
    void define(const std::string& button, ui::MenuId choice)
    {
        toolkit.menuChoices.push_back(choice);
        press("0000000000f40bf0 00 " + button + " rc");
    }
    std::string stored(const char* name)
    {
        auto v = sim.sim_registry().value(RegistryRoot::CurrentUser, kKey, name);
        return v ? v->data : "<none>";
    }
};

TEST_F(InfraredTest, LearningOpensTheMenuForTheButtonAndTheChoiceIsMappedAndSaved)
{
    supportOn(true);
    startConnected();
    EXPECT_EQ(network.attempts.at(0).address, 0x7F000001u);
    EXPECT_EQ(network.attempts.at(0).port, 8765);
    EXPECT_EQ(control(infrared_ids::A1).caption, "Server 127.0.0.1:8765: connected");

    toolkit.menuChoices.push_back(m::M20_0 + 1); // Windows > Next
    press("0000000000f40bf0 00 play myremote");
    ASSERT_EQ(toolkit.shownMenus.size(), 1u);
    EXPECT_EQ(ui::FindMenuItem(toolkit.shownMenus[0].menu, m::MA2)->caption, "(play myremote)");
    EXPECT_EQ(toolkit.shownMenus[0].defaultItem, m::M8);
    EXPECT_EQ(window().lastKey(), "play myremote");
    EXPECT_EQ(files.content[kMap], "play myremote NextTask\r\n");

    toolkit.menuChoices.push_back(m::M60_0); // Quit > Quit: the same key gets the new action
    press("0000000000f40bf0 00 play myremote");
    EXPECT_EQ(files.content[kMap], "play myremote Quit\r\n");
    EXPECT_FALSE(toolkit.quitRequested) << "choosing maps the action, it does not run it";

    for (const char* line : {"0000000000f40bf0 01 play myremote", "BEGIN", "SIGHUP", "END", ""})
        press(line);
    EXPECT_EQ(toolkit.shownMenus.size(), 2u) << "no menu for a repeat or the server's other lines";
    bar->SetSleeping(true);
    press("0000000000f40bf0 00 stop myremote");
    EXPECT_EQ(toolkit.shownMenus.size(), 2u) << "asleep";
}

TEST_F(InfraredTest, MappedButtonsActOnTheTasksWithButtonsAndOnTheBar)
{
    supportOn(false);
    files.content[kMap] = "next rc NextTask\r\nprev rc PrevTask\r\nmin rc MinTask\r\nmax rc MaxTask\r\n"
                          "kill rc KillTask\r\nup rc MoveUp\r\nfree rc AlignNone\r\nrun rc Run\r\n"
                          "off rc Log off\r\nagain rc Restart\r\ndown rc Shut down\r\nquit rc Quit\r\n";
    sim::WindowOptions victim;
    victim.processId = 77;
    sim.sim_processes().table.push_back({77, "victim.exe"});
    startConnected();
    // Opened one tick apart, so that their buttons stand in this order.
    const auto a = desktop.open("A");
    tick();
    const auto b = desktop.open("B");
    tick();
    const auto c = desktop.open("C", victim);
    tick();
    desktop.activate(a);
    press("0 0 next rc");
    EXPECT_EQ(desktop.foreground(), b);
    press("0 0 prev rc");
    press("0 0 prev rc");
    EXPECT_EQ(desktop.foreground(), c) << "round from the first to the last";
    press("0 1 next rc");
    EXPECT_EQ(desktop.foreground(), c) << "a repeat does not switch";

    press("0 0 min rc");
    EXPECT_TRUE(desktop.find(c)->iconic);
    press("0 0 prev rc");
    EXPECT_EQ(desktop.foreground(), c) << "with no task in front, the last one, restored";
    EXPECT_FALSE(desktop.find(c)->iconic);
    press("0 0 max rc");
    EXPECT_TRUE(desktop.find(c)->zoomed);
    press("0 0 max rc");
    EXPECT_FALSE(desktop.find(c)->zoomed) << "maximised, it is restored";
    press("0 0 kill rc");
    ASSERT_EQ(sim.sim_processes().terminated.size(), 1u);
    EXPECT_EQ(sim.sim_processes().terminated[0].first, 77u);

    desktop.activate(bar->window());
    press("0 0 min rc");
    press("0 0 kill rc");
    EXPECT_FALSE(desktop.find(bar->window())->iconic) << "never the bar itself";
    EXPECT_EQ(sim.sim_processes().terminated.size(), 1u);

    const ui::Rect before = barFrame();
    press("0 0 up rc");
    press("0 3 up rc");
    EXPECT_EQ(barFrame().top, before.top - 2 * 16 * 15) << "moves count repeats";
    for (int i = 0; i < 20; ++i)
        press("0 0 up rc");
    EXPECT_EQ(barFrame().top, 0) << "kept on the screen";
    bar->SetAlign(3);
    const ui::Rect docked = barFrame();
    press("0 0 up rc");
    EXPECT_EQ(barFrame(), docked) << "a docked bar does not move";
    press("0 0 free rc");
    EXPECT_EQ(bar->alignPosition(), -1);
    press("0 0 run rc");
    EXPECT_EQ(toolkit.focus, std::make_pair(bar->formId(), bar_ids::VRUN));
    EXPECT_EQ(desktop.foreground(), bar->window());

    for (const char* line : {"0 0 off rc", "0 0 again rc", "0 0 down rc"})
        press(line);
    EXPECT_EQ(
        sim.sim_power().calls, (std::vector<std::string> {"exit 0", "privilege", "exit 2", "privilege", "exit 1"}))
        << "log off, restart, shut down";
    press("0 0 quit rc");
    EXPECT_TRUE(toolkit.quitRequested);
}

TEST_F(InfraredTest, PressesArrivingWhileAnActionRunsAreDropped)
{
    supportOn(false);
    files.content[kMap] = "free rc FreeMem\r\nnext rc NextTask\r\n";
    sim.sim_memory().figures = {1024ull << 20, 512ull << 20, 0, 0};
    const auto a = desktop.open("A");
    desktop.open("B");
    startConnected();
    tick();
    desktop.activate(a);
    // The free-up lets pending messages run between its blocks; the next press arrives then.
    toolkit.queueInput([&] { press("0 0 next rc"); });
    press("0 0 free rc");
    EXPECT_GT(sim.sim_memory().allocations, 0);
    EXPECT_EQ(desktop.foreground(), a);
    press("0 0 next rc");
    EXPECT_NE(desktop.foreground(), a) << "once the action is over, presses work again";
}

// Windows lets a program change the foreground window on the user's input to it; a press of the
// remote is network data. The bar wins the leave before each switch and before its menu.
TEST_F(InfraredTest, UnderTheForegroundLockAPressStillSwitchesTasksAndRunsInFront)
{
    supportOn(false);
    files.content[kMap] = "next rc NextTask\r\nrun rc Run\r\n";
    const auto a = desktop.open("A");
    const auto b = desktop.open("B");
    startConnected();
    tick();
    desktop.foregroundLock = true;
    desktop.activate(a);
    desktop.commands.clear();
    press("0 0 next rc");
    EXPECT_EQ(desktop.foreground(), b);
    ASSERT_EQ(desktop.commands.size(), 2u);
    EXPECT_EQ(desktop.commands[0].what, "foregroundRight");
    EXPECT_EQ(desktop.commands[1].what, "foreground");

    desktop.activate(a);
    press("0 0 run rc");
    EXPECT_EQ(desktop.foreground(), bar->window());
    EXPECT_EQ(toolkit.focus, std::make_pair(bar->formId(), bar_ids::VRUN));
}

TEST_F(InfraredTest, UnderTheForegroundLockTheDefinitionMenuOpensInFront)
{
    supportOn(true);
    const auto a = desktop.open("A");
    startConnected();
    desktop.foregroundLock = true;
    desktop.activate(a);
    press("0000000000f40bf0 00 play myremote");
    ASSERT_EQ(toolkit.shownMenus.size(), 1u);
    EXPECT_TRUE(toolkit.shownMenus[0].inFront);
}

TEST_F(InfraredTest, RemoveInTheListsMenuRemovesTheRowRightClicked)
{
    supportOn(false);
    files.content[kMap] = "a rc NextTask\r\nb rc PrevTask\r\nc rc Quit\r\n";
    startConnected();
    bar->PopupSettings(3);
    toolkit.mouseUp(bar->settingsWindow()->formId(), settings_ids::BBrowseIR, ui::MouseButton::Left);
    const ui::FormId form = window().formId();
    const float row = sim::SimToolkit::kListRowTwips;
    toolkit.selectItems(form, infrared_ids::MCONS, {0});
    toolkit.menuChoices.push_back(m::ListRemove);
    toolkit.mouseUp(form, infrared_ids::MCONS, ui::MouseButton::Right, 100, row * 1.5f);
    ASSERT_EQ(toolkit.shownMenus.size(), 1u);
    EXPECT_EQ(files.content[kMap], "a rc NextTask\r\nc rc Quit\r\n") << "the second row, not the one selected before";
    EXPECT_EQ(control(infrared_ids::MCONS).items, (std::vector<std::string> {"a rc NextTask", "c rc Quit"}));

    toolkit.mouseUp(form, infrared_ids::MCONS, ui::MouseButton::Right, 100, row * 2.5f);
    EXPECT_EQ(toolkit.shownMenus.size(), 1u) << "below the last row: no menu";
    EXPECT_EQ(files.content[kMap], "a rc NextTask\r\nc rc Quit\r\n");
}

TEST_F(InfraredTest, AFloodIsReadInRoundsAndWhatCameBeforeTheEndIsStillHandled)
{
    using infrared::IrReceiver;
    supportOn(false);
    files.content[kMap] = "next rc NextTask\r\n";
    desktop.open("A");
    desktop.open("B");
    startConnected();
    tick();
    const auto switches = [&] {
        return std::count_if(desktop.commands.begin(), desktop.commands.end(),
            [](const sim::DesktopCommand& c) { return c.what == "foreground"; });
    };
    std::string flood;
    for (int i = 0; i < 1000; ++i)
        flood += "0 0 next rc\n";
    const auto before = switches();
    network.send(flood);
    EXPECT_EQ(switches() - before, static_cast<long>(IrReceiver::kRoundLines)) << "one round, the rest later";
    network.announce();
    EXPECT_EQ(switches() - before, static_cast<long>(IrReceiver::kRoundLines))
        << "the socket's next notice waits for the round that is due";
    toolkit.advance(IrReceiver::kRoundGapMs);
    EXPECT_EQ(switches() - before, static_cast<long>(2 * IrReceiver::kRoundLines));

    // The server ends with most of the flood still unread: all of it is handled, then it is lost.
    network.drop();
    EXPECT_EQ(control(infrared_ids::A1).caption, "Server 127.0.0.1:8765: connected") << "still reading";
    toolkit.advance(IrReceiver::kRoundGapMs * (1000 / IrReceiver::kRoundLines + 1));
    EXPECT_EQ(switches() - before, 1000);
    EXPECT_EQ(network.waiting(), 0u);
    EXPECT_EQ(control(infrared_ids::A1).caption, "Server 127.0.0.1:8765: not connected, retrying");

    // Lines of junk with no end: a round stops after its bytes.
    toolkit.advance(IrReceiver::kRetryMs);
    ASSERT_TRUE(network.accept());
    network.send(std::string(1 << 20, 'z'));
    EXPECT_GE(network.waiting(), (1u << 20) - IrReceiver::kRoundBytes);
    for (int i = 0; i < 64 && network.waiting() > 0; ++i)
        toolkit.advance(IrReceiver::kRoundGapMs);
    EXPECT_EQ(network.waiting(), 0u);
    network.send("\n0 0 next rc\n");
    toolkit.advance(IrReceiver::kRoundGapMs);
    EXPECT_EQ(switches() - before, 1001) << "the line after the junk";
}

TEST_F(InfraredTest, TheReceiverRetriesEveryTwoSecondsAndGivesUpAStalledConnectionAfterFive)
{
    supportOn(false);
    sim.sim_registry().putValue(
        RegistryRoot::CurrentUser, kKey, "Infrared Server", {platform::kRegSz, "localhost:9000"});
    start();
    ASSERT_EQ(network.attempts.size(), 1u);
    EXPECT_EQ(network.attempts[0].port, 9000);
    network.refuse();
    toolkit.advance(1999);
    EXPECT_EQ(network.attempts.size(), 1u);
    toolkit.advance(1);
    EXPECT_EQ(network.attempts.size(), 2u);
    toolkit.advance(4999);
    EXPECT_TRUE(network.open()) << "still waiting for the server";
    toolkit.advance(1);
    EXPECT_FALSE(network.open()) << "given up after 5 s";
    toolkit.advance(2000);
    ASSERT_TRUE(network.accept());
    EXPECT_EQ(control(infrared_ids::A1).caption, "Server localhost:9000: connected");
    network.drop();
    EXPECT_EQ(control(infrared_ids::A1).caption, "Server localhost:9000: not connected, retrying");
    network.failToStart = true;
    toolkit.advance(4000);
    EXPECT_EQ(network.attempts.size(), 5u) << "an attempt that cannot even start is retried too";
    network.failToStart = false;
    toolkit.advance(2000);
    ASSERT_TRUE(network.accept());
    toolkit.menuChoices.push_back(0);
    press("0 0 play rc");
    EXPECT_TRUE(toolkit.shownMenus.empty()) << "learning is off and the window hidden";
}

TEST_F(InfraredTest, TheSwitchFollowsTheSettingsAndAMapNotReadWholeIsNeverWritten)
{
    sim.sim_registry().putValue(
        RegistryRoot::CurrentUser, kKey, "Infrared Remote", {platform::kRegSz, std::string("1\0", 2)});
    files.content[kMap] = "a rc Quit\r\n";
    files.unreadable.insert(kMap);
    startConnected();
    ASSERT_NE(bar->infrared().window(), nullptr) << "no settings value: the switch counts";
    EXPECT_FALSE(window().mapWritable());

    bar->PopupSettings(3);
    const ui::FormId setup = bar->settingsWindow()->formId();
    toolkit.toggleCheck(setup, settings_ids::LRNM);
    toolkit.mouseUp(setup, settings_ids::BX1, ui::MouseButton::Left);
    toolkit.menuChoices.push_back(m::M50);
    press("0 0 b rc");
    EXPECT_EQ(toolkit.shownMenus.size(), 1u) << "learning mode saved and in effect";
    EXPECT_EQ(files.content[kMap], "a rc Quit\r\n") << "an unreadable map is left alone";

    toolkit.toggleCheck(setup, settings_ids::MUSE); // on, as shown: switch it off
    EXPECT_EQ(control(settings_ids::MUSE).value, 0);
    toolkit.mouseUp(setup, settings_ids::BX1, ui::MouseButton::Left);
    EXPECT_EQ(stored("Infrared Remote"), std::string("0\0", 2));
    EXPECT_EQ(stored("IR_EnableIRSupport"), b4(0));
    toolkit.advance(10);
    EXPECT_EQ(bar->infrared().window(), nullptr) << "off, the hidden window goes";
    EXPECT_FALSE(network.open());

    toolkit.mouseUp(setup, settings_ids::BBrowseIR, ui::MouseButton::Left);
    ASSERT_NE(bar->infrared().window(), nullptr) << "Browse events shows it";
    EXPECT_TRUE(window().shown());
    EXPECT_FALSE(control(infrared_ids::MCONS).enabled) << "support is off";
}

TEST_F(InfraredTest, AMapThatCannotBeSavedSaysSoInTheCaptionAndTheNextChoiceTriesAgain)
{
    supportOn(true);
    files.content[kMap] = "a rc Quit\r\n";
    files.lockedFolders.insert("C:\\Bars\\");
    startConnected();
    define("b", m::M50);
    EXPECT_EQ(files.content[kMap], "a rc Quit\r\n");
    EXPECT_EQ(control(infrared_ids::MCONS).items, (std::vector<std::string> {"a rc Quit", "b rc FreeMem"}));
    EXPECT_EQ(caption(), "Setup - not saved: no write access");

    files.lockedFolders.clear();
    define("c", m::M7);
    EXPECT_EQ(files.content[kMap], "a rc Quit\r\nb rc FreeMem\r\nc rc Run\r\n") << "the earlier choice with it";
    EXPECT_EQ(caption(), "Setup");

    // Not taken whole as text: kept as it is, and the window says why.
    const std::string noText("a\0 \0r\0c\0", 8);
    files.content[kMap] = noText;
    bar.reset();
    startConnected();
    define("d", m::M7);
    EXPECT_EQ(files.content[kMap], noText);
    EXPECT_EQ(caption(), "Setup - not saved: the file is not plain text");
}

TEST_F(InfraredTest, AMapInUnicodeOrChangedMeanwhileKeepsItsEncodingAndTheOtherChanges)
{
    supportOn(true);
    const auto utf16 = [](std::string_view ascii) {
        std::string bytes = "\xFF\xFE";
        for (char c : ascii)
            bytes.append(1, c).append(1, '\0');
        return bytes;
    };
    files.content[kMap] = utf16("a rc Quit\r\n");
    startConnected();
    EXPECT_EQ(window().map().entries(), std::vector<std::string> {"a rc Quit"});
    // An editor adds a line meanwhile; the choice goes onto the file as it now is.
    files.content[kMap] = utf16("a rc Quit\r\nz rc Run\r\n");
    define("b", m::M50);
    EXPECT_EQ(files.content[kMap], utf16("a rc Quit\r\nz rc Run\r\nb rc FreeMem\r\n"));
    EXPECT_EQ(control(infrared_ids::MCONS).items, (std::vector<std::string> {"a rc Quit", "z rc Run", "b rc FreeMem"}));
    EXPECT_EQ(control(infrared_ids::MCONS).selected, std::vector<int> {2});
    EXPECT_EQ(caption(), "Setup - merged with changes made elsewhere");

    // Mapped meanwhile to something else, the button gets the user's choice.
    files.content[kMap] = utf16("b rc Quit\r\n");
    define("b", m::M7);
    EXPECT_EQ(files.content[kMap], utf16("b rc Run\r\n"));
}

} // namespace
