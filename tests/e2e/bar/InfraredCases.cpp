// The infrared remote on the real bar with a real lircd (run by the suite's script outside Wine,
// reached through host requests): learning a button through the definition menu, a mapped press
// switching tasks, a repeat opening nothing, lircd going away and coming back. With a server of
// the probe's own: a flood without pause against a full map, and a burst the server ends at once.
// On a map of two entries: "Remove" on the row right-clicked.
// Winsock first: <windows.h> alone would bring in the older socket header.
#include <winsock2.h>

#include <windows.h>

#include <psapi.h>

#include <algorithm>
#include <atomic>
#include <cctype>
#include <cstdio>
#include <fstream>
#include <iterator>
#include <thread>

#include "bar/BarIds.h"
#include "infrared/InfraredIds.h"
#include "settings/SettingsIds.h"
#include "tests/e2e/bar/BarKit.h"
#include "tests/e2e/bar/BarPopup.h"
#include "tests/e2e/bar/BarReader.h"
#include "tests/e2e/bar/ButtonWatch.h"
#include "tests/e2e/bar/MenuCases.h"
#include "tests/e2e/common/Input.h"
#include "tests/e2e/common/Poll.h"
#include "tests/e2e/common/TestWindows.h"

namespace bar_probe {
namespace {

constexpr const char* kPress = "0000000000f40bf0 00 play myremote";

struct TitleSearch {
    DWORD processId;
    const char* title;
    HWND found;
};

BOOL CALLBACK MatchTitle(HWND window, LPARAM param)
{
    auto* search = reinterpret_cast<TitleSearch*>(param);
    DWORD pid = 0;
    GetWindowThreadProcessId(window, &pid);
    if (pid != search->processId || TextOf(window) != search->title)
        return TRUE;
    search->found = window;
    return FALSE;
}

// A top-level window of the process with this title, shown or hidden.
HWND FindWindowOf(DWORD processId, const char* title)
{
    TitleSearch search {processId, title, nullptr};
    EnumWindows(MatchTitle, reinterpret_cast<LPARAM>(&search));
    return search.found;
}

std::string ReadAll(const std::string& path)
{
    std::ifstream in(path, std::ios::binary);
    return std::string(std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>());
}

// Item `index` of a list box of another process, asked for in UTF-16 (the form the list keeps
// and hands across processes) and turned into ANSI.
std::string ListItemText(HWND list, int index)
{
    const LRESULT length = SendMessageW(list, LB_GETTEXTLEN, static_cast<WPARAM>(index), 0);
    if (length == LB_ERR || length > 4096)
        return {};
    std::wstring wide(static_cast<std::size_t>(length) + 1, L'\0');
    SendMessageW(list, LB_GETTEXT, static_cast<WPARAM>(index), reinterpret_cast<LPARAM>(&wide[0]));
    wide.resize(static_cast<std::size_t>(length));
    std::string text(wide.size() * 2 + 1, '\0');
    const int bytes = WideCharToMultiByte(CP_ACP, 0, wide.c_str(), static_cast<int>(wide.size()), &text[0],
        static_cast<int>(text.size()), nullptr, nullptr);
    text.resize(static_cast<std::size_t>(std::max(bytes, 0)));
    return text;
}

bool EndsWith(const std::string& text, const std::string& end)
{
    return text.size() >= end.size() && text.compare(text.size() - end.size(), end.size(), end) == 0;
}

// The longest answer to WM_NULL, asked every 50 ms for `ms`; -1 when one was not answered in 2 s.
// Asked from a thread of its own while this one keeps answering its windows' messages: the bar
// may be waiting on one of them (a test window of this thread), which would stall the question.
long long SlowestAnswerMs(HWND bar, int ms)
{
    std::atomic<long long> slowest {0};
    std::thread asker([&] {
        const unsigned long long end = e2e::NowMs() + static_cast<unsigned long long>(ms);
        while (e2e::NowMs() < end) {
            const unsigned long long asked = e2e::NowMs();
            DWORD_PTR result = 0;
            if (!SendMessageTimeoutA(bar, WM_NULL, 0, 0, SMTO_NORMAL, 2000, &result)) {
                slowest = -1;
                return;
            }
            slowest = std::max<long long>(slowest, static_cast<long long>(e2e::NowMs() - asked));
            Sleep(50);
        }
    });
    e2e::PumpFor(ms);
    asker.join();
    return slowest;
}

// Opens the settings window on all pages with a double click on the bar, toggles the check box
// `box`, saves, and waits for the saved value; "" or what failed.
std::string ToggleAndSave(const RunningBar& running, int box, const std::string& name, const std::string& want)
{
    RECT client = {};
    GetClientRect(running.bar, &client);
    const LPARAM at = MAKELPARAM(4, client.bottom / 2);
    PostMessageA(running.bar, WM_LBUTTONDBLCLK, MK_LBUTTON, at);
    PostMessageA(running.bar, WM_LBUTTONUP, 0, at);
    HWND window = nullptr;
    if (!e2e::WaitFor(
            5000, [&] { return (window = FindVisibleWindowOf(running.process.id(), "Settings")) != nullptr; }))
        return "no settings window after a double click on the bar";
    if (!e2e::RealLeftClickAt(e2e::CentreOnScreen(ChildById(window, box))) ||
        !e2e::RealLeftClickAt(e2e::CentreOnScreen(ChildById(window, settings_ids::BX1))))
        return "SendInput failed";
    std::string stored;
    e2e::WaitFor(5000, [&] { return (stored = StoredSetting(name)) == want; });
    return stored == want ? "" : name + " reads '" + stored + "', want '" + want + "'";
}

// Brings `front` forward and waits for the settings window to close behind it. Its closing is
// waited for here because under Wine without a window manager the bar spends about 2 s taking a
// window off the X screen, and hands the focus back to its owner: neither may fall into a case.
bool SettingsClosedBehind(const RunningBar& running, HWND front)
{
    SetForegroundWindow(front);
    return e2e::WaitFor(8000, [&] { return FindVisibleWindowOf(running.process.id(), "Settings") == nullptr; }) &&
        (SetForegroundWindow(front), e2e::WaitFor(3000, [&] { return GetForegroundWindow() == front; }));
}

} // namespace

void CheckInfrared(e2e::Report& report, const std::string& tolvixExe, Artifacts& artifacts)
{
    const std::optional<std::string> port = artifacts.AskHost("lircd-start", "lircd start");
    if (!report.Check("lircd_starts_on_a_free_loopback_port", port && !port->empty() && std::isdigit((*port)[0]),
            port ? "lircd on 127.0.0.1:" + *port : "the runner did not answer"))
        return;
    DeleteRegistryKey(HKEY_CURRENT_USER, kSettingsKey);
    const std::string server = "127.0.0.1:" + *port;
    std::vector<unsigned char> text(server.begin(), server.end());
    text.push_back(0);
    const bool seeded = SeedSetting("IR_EnableIRSupport", 1) && SeedSetting("IR_LearningMode", 1) &&
        WriteRegistryValue(HKEY_CURRENT_USER, kSettingsKey, "Infrared Server", REG_SZ, text);
    std::unique_ptr<RunningBar> running = LaunchBar(tolvixExe, "infrared", {}, 30000);
    if (!report.Check("infrared_bar_starts", seeded && running->bar, running->bar ? "bar up" : running->error))
        return;
    WaitForSplashToGo(*running);
    const DWORD pid = running->process.id();
    HWND receiver = nullptr;
    const unsigned long long started = e2e::NowMs();
    const bool connected = e2e::WaitFor(10000, [&] {
        receiver = FindWindowOf(pid, "Setup");
        return receiver && EndsWith(TextOf(ChildById(receiver, infrared_ids::A1)), ": connected");
    });
    report.Check("receiver_connects_to_lircd", connected,
        receiver ? "'" + TextOf(ChildById(receiver, infrared_ids::A1)) + "' after " +
                std::to_string(e2e::NowMs() - started) + " ms; window " +
                (IsWindowVisible(receiver) ? "shown" : "hidden")
                 : "no 'Setup' window of the bar's process");
    if (!connected)
        return;

    // Learning: the press opens the definition menu; Windows > Next maps the button and saves.
    const std::string mapPath = running->folder->PathOf("IR_SCUTS.INI");
    artifacts.AskHost("press-1", std::string("irsend ") + kPress);
    HWND menu = nullptr;
    const bool opened = e2e::WaitFor(5000, [&] { return (menu = FindPopupMenu(pid)) != nullptr; });
    if (opened)
        artifacts.RequestScreenshot("infrared-definition-menu");
    // Windows > Next. The menu's head down to "Windows": the two greyed title lines (the second
    // names the button pressed), then a separator.
    using K = MenuEntry::Kind;
    if (menu)
        PostMenuKeys(menu,
            KeysTo({{{{"Define IR Remote action", K::Disabled}, {"(button)", K::Disabled}, {"", K::Separator},
                         {"Windows", K::Submenu}},
                        "Windows"},
                {{{"Previous", K::Normal}, {"Next", K::Normal}}, "Next"}}));
    std::string map;
    const bool mapped =
        opened && e2e::WaitFor(5000, [&] { return (map = ReadAll(mapPath)) == "play myremote NextTask\r\n"; });
    report.Check("learning_press_opens_the_menu_and_next_maps_the_button", mapped,
        !opened ? "no menu of the bar within 5 s of the press" : "IR_SCUTS.INI holds '" + map + "'");

    artifacts.AskHost("press-2", "irsend 0000000000f40bf0 01 play myremote");
    const bool repeatMenu = e2e::WaitFor(1500, [&] { return FindPopupMenu(pid) != nullptr; });
    report.Check("a_repeat_opens_no_menu", !repeatMenu, repeatMenu ? "a menu opened" : "no menu within 1.5 s");
    if (repeatMenu)
        PostMessageA(FindPopupMenu(pid), WM_KEYDOWN, VK_ESCAPE, 0);

    // Learning off, saved through the settings window: the press now switches to the next task.
    const std::string learningOff = ToggleAndSave(*running, settings_ids::LRNM, "IR_LearningMode", "00 00 00 00");
    win32kit::UniqueWindow one = e2e::CreateTestWindow(e2e::WindowKind::Normal, "E2E IR One");
    win32kit::UniqueWindow two = e2e::CreateTestWindow(e2e::WindowKind::Normal, "E2E IR Two");
    ShowWindow(one.get(), SW_SHOW);
    ShowWindow(two.get(), SW_SHOW);
    SettingsClosedBehind(*running, one.get());
    std::vector<std::string> captions;
    e2e::WaitFor(kOneRefreshMs, [&] {
        captions = Captions(VisibleTaskButtons(running->bar));
        return Contains(captions, "E2E IR One") && Contains(captions, "E2E IR Two");
    });
    const auto pressMovesOn = [&](const std::string& name, std::string& detail) {
        SetForegroundWindow(one.get());
        e2e::WaitFor(3000, [&] { return GetForegroundWindow() == one.get(); });
        const auto at = std::find(captions.begin(), captions.end(), "E2E IR One");
        if (at == captions.end()) {
            detail = "no button for 'E2E IR One' in " + ListText(captions);
            return false;
        }
        const std::string next = captions[static_cast<std::size_t>(at - captions.begin() + 1) % captions.size()];
        artifacts.AskHost(name, std::string("irsend ") + kPress);
        const bool moved = e2e::WaitFor(5000, [&] { return TextOf(GetForegroundWindow()) == next; });
        detail = "from 'E2E IR One' to '" + TextOf(GetForegroundWindow()) + "', the next button being '" + next + "'";
        return moved;
    };
    std::string switched;
    report.Check("mapped_press_activates_the_next_task", learningOff.empty() && pressMovesOn("press-3", switched),
        learningOff.empty() ? switched : learningOff);

    // lircd goes: the bar keeps answering; it comes back: the receiver reconnects by itself.
    artifacts.AskHost("lircd-stop", "lircd stop");
    const bool lost =
        e2e::WaitFor(5000, [&] { return EndsWith(TextOf(ChildById(receiver, infrared_ids::A1)), "retrying"); });
    const long long slowest = SlowestAnswerMs(running->bar, 3000);
    artifacts.AskHost("lircd-start-again", "lircd start");
    const unsigned long long restarted = e2e::NowMs();
    const bool back =
        e2e::WaitFor(10000, [&] { return EndsWith(TextOf(ChildById(receiver, infrared_ids::A1)), ": connected"); });
    const unsigned long long reconnectMs = e2e::NowMs() - restarted;
    std::string again;
    const bool works = back && pressMovesOn("press-4", again);
    report.Check("lircd_gone_bar_answers_and_reconnects_when_it_returns",
        lost && slowest >= 0 && slowest <= 250 && back && works,
        std::string(lost ? "lost shown" : "the loss was not shown") + "; slowest WM_NULL answer " +
            std::to_string(slowest) + " ms while lircd was gone; " +
            (back ? "reconnected " + std::to_string(reconnectMs) + " ms after lircd returned; " + again
                  : "not reconnected 10 s after lircd returned"));

    // Support off: "Infrared Remote" says so at once.
    const std::string off = ToggleAndSave(*running, settings_ids::MUSE, "IR_EnableIRSupport", "00 00 00 00");
    const std::string stored = StoredSetting("Infrared Remote");
    report.Check("switching_support_off_writes_infrared_remote", off.empty() && stored == "REG_SZ 0",
        off.empty() ? "Infrared Remote: " + stored : off);

    // "Browse events" on the settings window shows the map.
    const HWND settings = FindVisibleWindowOf(pid, "Settings");
    HWND shown = nullptr;
    const bool browsed = settings &&
        e2e::RealLeftClickAt(e2e::CentreOnScreen(ChildById(settings, settings_ids::BBrowseIR))) &&
        e2e::WaitFor(5000, [&] { return (shown = FindVisibleWindowOf(pid, "Setup")) != nullptr; });
    if (browsed)
        artifacts.RequestScreenshot("infrared-window");
    const std::string firstEntry = browsed ? ListItemText(ChildById(shown, infrared_ids::MCONS), 0) : "";
    report.Check("browse_events_shows_the_map", browsed && firstEntry == "play myremote NextTask",
        browsed ? "first entry '" + firstEntry + "'" : "no visible 'Setup' window after 'Browse events'");
    DeleteRegistryKey(HKEY_CURRENT_USER, kSettingsKey);
}

void CheckInfraredFlood(e2e::Report& report, const std::string& tolvixExe, Artifacts& /*artifacts*/)
{
    constexpr int kSeconds = 12;
    WSADATA wsa = {};
    if (!report.Check("flood_server_listens", WSAStartup(MAKEWORD(2, 2), &wsa) == 0, "WSAStartup"))
        return;
    struct Winsock {
        ~Winsock() { WSACleanup(); }
    } winsock;
    const SOCKET listener = socket(AF_INET, SOCK_STREAM, IPPROTO_TCP);
    sockaddr_in at = {};
    at.sin_family = AF_INET;
    at.sin_addr.s_addr = htonl(INADDR_LOOPBACK);
    int length = sizeof at;
    if (listener == INVALID_SOCKET || bind(listener, reinterpret_cast<sockaddr*>(&at), sizeof at) != 0 ||
        listen(listener, 1) != 0 || getsockname(listener, reinterpret_cast<sockaddr*>(&at), &length) != 0) {
        report.Check("flood_server_listens", false, "socket, bind or listen failed");
        return;
    }
    // A full map: 65,534 other buttons, the flooded one, which moves a free bar up, and the last
    // one of the end's burst, which moves it down.
    std::string map;
    for (int i = 0; i < 65534; ++i)
        map += "k" + std::to_string(i) + " rc MoveDown\r\n";
    map += "flood rc MoveUp\r\nlast rc MoveDown\r\n";
    DeleteRegistryKey(HKEY_CURRENT_USER, kSettingsKey);
    const std::string server = "127.0.0.1:" + std::to_string(ntohs(at.sin_port));
    std::vector<unsigned char> text(server.begin(), server.end());
    text.push_back(0);
    SeedSetting("IR_EnableIRSupport", 1);
    WriteRegistryValue(HKEY_CURRENT_USER, kSettingsKey, "Infrared Server", REG_SZ, text);
    std::unique_ptr<RunningBar> running = LaunchBar(
        tolvixExe, "irflood", {{"", std::vector<unsigned char>(map.begin(), map.end()), "IR_SCUTS.INI"}}, 30000);
    if (!report.Check("flood_bar_starts", running->bar != nullptr, running->bar ? "bar up" : running->error)) {
        closesocket(listener);
        return;
    }
    fd_set ready;
    FD_ZERO(&ready);
    FD_SET(listener, &ready);
    timeval wait = {10, 0};
    const SOCKET client =
        select(0, &ready, nullptr, nullptr, &wait) == 1 ? accept(listener, nullptr, nullptr) : INVALID_SOCKET;
    closesocket(listener);
    if (!report.Check("flood_bar_connects", client != INVALID_SOCKET, "within 10 s"))
        return;
    // Little kept on the way, so that what the socket takes is what the bar has read.
    const int sendBuffer = 64 << 10;
    setsockopt(client, SOL_SOCKET, SO_SNDBUF, reinterpret_cast<const char*>(&sendBuffer), sizeof sendBuffer);

    // The working set: Wine leaves the private and page-file figures of another process at 0.
    const auto memoryOfBar = [&] {
        PROCESS_MEMORY_COUNTERS counters = {};
        counters.cb = sizeof counters;
        GetProcessMemoryInfo(running->process.handle(), &counters, sizeof counters);
        return static_cast<long long>(counters.WorkingSetSize);
    };
    // Without a pause: each send waits only for room in the socket, so the bar's reading sets
    // the pace. Every other line the flooded button, the others buttons of no one.
    std::string batch;
    int batchLines = 0;
    for (; batch.size() < (64u << 10); ++batchLines)
        batch += batchLines % 2 ? "0000000000000001 00 flood rc\n"
                                : "0000000000000002 00 nobody rc" + std::to_string(batchLines) + "\n";
    std::atomic<long long> sent {0};
    std::atomic<bool> failed {false}, stop {false};
    const unsigned long long floodStart = e2e::NowMs();
    std::thread sender([&] {
        while (!stop) {
            if (send(client, batch.data(), static_cast<int>(batch.size()), 0) != static_cast<int>(batch.size())) {
                failed = true;
                return;
            }
            sent += batchLines;
        }
    });
    std::atomic<long long> slowest {0};
    std::thread asker([&] {
        while (!stop) {
            const unsigned long long asked = e2e::NowMs();
            DWORD_PTR result = 0;
            if (!SendMessageTimeoutA(running->bar, WM_NULL, 0, 0, SMTO_NORMAL, 2000, &result)) {
                slowest = -1;
                return;
            }
            if (slowest >= 0)
                slowest = std::max<long long>(slowest, static_cast<long long>(e2e::NowMs() - asked));
            Sleep(50);
        }
    });
    e2e::PumpFor(1000);
    const long long memoryAfterOneSecond = memoryOfBar();
    // Clock ticks: the refresh that writes the clock also counts the processes; each new process
    // the counter follows is one tick seen.
    int ticks = 0;
    std::vector<e2e::ChildProcess> peers;
    while (e2e::NowMs() < floodStart + kSeconds * 1000ull) {
        peers.push_back(StartPeer("victim \"E2E Flood Tick\" NUL"));
        if (e2e::WaitFor(kRefreshDeadlineMs,
                [&] { return TaskCountShown(running->bar) == static_cast<int>(ProcessNames().size()); }))
            ++ticks;
    }
    // The clock is written on every refresh: it shows this minute, or the last one just after the turn.
    SYSTEMTIME now = {};
    GetLocalTime(&now);
    const std::string clock = TextOf(ChildById(running->bar, bar_ids::TIM2));
    char shown[8];
    std::snprintf(shown, sizeof shown, "%02d:%02d", now.wHour, now.wMinute);
    stop = true;
    const unsigned long long floodMs = e2e::NowMs() - floodStart;
    // A send still waiting for room ends when the bar reads on.
    sender.join();
    asker.join();
    peers.clear();
    const long long memoryAtEnd = memoryOfBar();
    const bool intact = ReadAll(running->folder->PathOf("IR_SCUTS.INI")) == map;
    const long long linesPerSecond = sent.load() * 1000 / static_cast<long long>(std::max(floodMs, 1ull));
    report.Check("flood_without_pause_keeps_the_bar_answering_and_its_clock_going",
        !failed && slowest >= 0 && slowest <= 250 && ticks * 3000 >= kSeconds * 1000 - 4000 &&
            (clock == shown || now.wSecond < 6) && memoryAtEnd - memoryAfterOneSecond < (4 << 20) && intact,
        std::to_string(sent.load()) + " lines taken by the socket in " + std::to_string(floodMs) + " ms (" +
            std::to_string(linesPerSecond) + " a second)" + (failed ? " (send failed)" : "") +
            "; slowest WM_NULL answer " + std::to_string(slowest.load()) + " ms; " + std::to_string(ticks) +
            " refresh ticks seen; clock '" + clock + "' at " + shown + "; working set " +
            std::to_string(memoryAfterOneSecond / 1024) + " KiB after 1 s, " + std::to_string(memoryAtEnd / 1024) +
            " KiB at the end; map " + (intact ? "intact" : "changed"));

    // A burst that the server ends at once: its last press still moves the bar down.
    RECT before = {};
    GetWindowRect(running->bar, &before);
    std::string burst;
    for (int i = 0; i < 20000; ++i)
        burst += "0000000000000002 00 nobody rc\n";
    burst += "0000000000000003 00 last rc\n";
    const bool burstSent =
        send(client, burst.data(), static_cast<int>(burst.size()), 0) == static_cast<int>(burst.size());
    shutdown(client, SD_SEND);
    closesocket(client);
    const unsigned long long closed = e2e::NowMs();
    // The flood has moved the bar to the top of the screen; its last press moves it down.
    RECT after = before;
    const bool moved = burstSent && e2e::WaitFor(30000, [&] {
        GetWindowRect(running->bar, &after);
        return after.top == 16;
    });
    report.Check("a_burst_the_server_ends_at_once_is_read_to_its_last_press", moved,
        std::string(burstSent ? "" : "send failed; ") + "bar top " + std::to_string(before.top) + " before the " +
            std::to_string(burst.size()) + "-byte burst, " + std::to_string(after.top) + " " +
            std::to_string(e2e::NowMs() - closed) + " ms after the close");
    DeleteRegistryKey(HKEY_CURRENT_USER, kSettingsKey);
}

void CheckInfraredRemove(e2e::Report& report, const std::string& tolvixExe, Artifacts& artifacts)
{
    DeleteRegistryKey(HKEY_CURRENT_USER, kSettingsKey);
    const std::string map = "a rc NextTask\r\nb rc PrevTask\r\n";
    // Support on, to a server that is not there: the list is enabled and the receiver retries.
    const std::string server = "127.0.0.1:1";
    std::vector<unsigned char> text(server.begin(), server.end());
    text.push_back(0);
    SeedSetting("IR_EnableIRSupport", 1);
    WriteRegistryValue(HKEY_CURRENT_USER, kSettingsKey, "Infrared Server", REG_SZ, text);
    std::unique_ptr<RunningBar> running = LaunchBar(
        tolvixExe, "irremove", {{"", std::vector<unsigned char>(map.begin(), map.end()), "IR_SCUTS.INI"}}, 30000);
    if (!report.Check("remove_bar_starts", running->bar != nullptr, running->bar ? "bar up" : running->error))
        return;
    WaitForSplashToGo(*running);
    const DWORD pid = running->process.id();
    RECT client = {};
    GetClientRect(running->bar, &client);
    const LPARAM on = MAKELPARAM(4, client.bottom / 2);
    PostMessageA(running->bar, WM_LBUTTONDBLCLK, MK_LBUTTON, on);
    PostMessageA(running->bar, WM_LBUTTONUP, 0, on);
    HWND settings = nullptr, window = nullptr;
    const bool shown =
        e2e::WaitFor(5000, [&] { return (settings = FindVisibleWindowOf(pid, "Settings")) != nullptr; }) &&
        e2e::RealLeftClickAt(e2e::CentreOnScreen(ChildById(settings, settings_ids::BBrowseIR))) &&
        e2e::WaitFor(5000, [&] { return (window = FindVisibleWindowOf(pid, "Setup")) != nullptr; });
    const HWND list = shown ? ChildById(window, infrared_ids::MCONS) : nullptr;
    if (!report.Check("remove_map_window_shows", list && SendMessageA(list, LB_GETCOUNT, 0, 0) == 2,
            shown ? "list of " + std::to_string(SendMessageA(list, LB_GETCOUNT, 0, 0)) + " entries"
                  : "no visible 'Setup' window after 'Browse events'"))
        return;
    const auto rowOnScreen = [&](int row) {
        const int height = static_cast<int>(SendMessageA(list, LB_GETITEMHEIGHT, 0, 0));
        POINT point = {20, row * height + height / 2};
        ClientToScreen(list, &point);
        return point;
    };
    // Row 1 picked with the left button, then row 2 right-clicked: "Remove" is for row 2.
    const bool picked = e2e::RealLeftClickAt(rowOnScreen(0)) &&
        e2e::WaitFor(3000, [&] { return SendMessageA(list, LB_GETCURSEL, 0, 0) == 0; });
    HWND menu = nullptr;
    const bool offered = picked && e2e::RealRightClickAt(rowOnScreen(1)) &&
        e2e::WaitFor(5000, [&] { return (menu = FindPopupMenu(pid)) != nullptr; });
    if (offered) {
        artifacts.RequestScreenshot("infrared-list-menu");
        PostMenuKeys(menu, KeysTo({{{{"Remove", MenuEntry::Kind::Normal}}, "Remove"}}));
    }
    std::string file;
    const bool removed = offered && e2e::WaitFor(5000, [&] {
        file = ReadAll(running->folder->PathOf("IR_SCUTS.INI"));
        return file == "a rc NextTask\r\n" && SendMessageA(list, LB_GETCOUNT, 0, 0) == 1;
    });
    report.Check("remove_removes_the_right_clicked_row", removed && ListItemText(list, 0) == "a rc NextTask",
        !picked ? "the left click did not select row 1"
            : !offered
            ? "no menu after the right click on row 2"
            : "IR_SCUTS.INI holds '" + file + "', the list " + std::to_string(SendMessageA(list, LB_GETCOUNT, 0, 0)) +
                " entries, the first '" + ListItemText(list, 0) + "'");
    DeleteRegistryKey(HKEY_CURRENT_USER, kSettingsKey);
}

} // namespace bar_probe
