// The bar's notification area with programs that use the real Shell_NotifyIconW: icons added
// before the bar starts (back through "TaskbarCreated") and after, changed, hidden, replaced,
// deleted, a balloon, clicks for version 0 and version 4, a program killed, 100 icons in rows,
// and blocks that lie answered FALSE.
#include <windows.h>

#include <algorithm>
#include <memory>
#include <string>
#include <vector>

#include "bar/BarIds.h"
#include "tests/e2e/bar/Artifacts.h"
#include "tests/e2e/bar/BarKit.h"
#include "tests/e2e/bar/BarReader.h"
#include "tests/e2e/bar/ButtonWatch.h"
#include "tests/e2e/bar/LiveCases.h"
#include "tests/e2e/bar/ToolTipText.h"
#include "tests/e2e/common/Input.h"
#include "tests/e2e/common/Poll.h"
#include "tests/e2e/common/ProcessMemory.h"
#include "tests/e2e/common/ScratchFolder.h"
#include "tests/e2e/common/ScreenCapture.h"

namespace bar_probe {
namespace {

constexpr UINT kTip = WM_APP + 20, kHide = WM_APP + 21, kShow = WM_APP + 22, kIcon = WM_APP + 23, kDelete = WM_APP + 24,
               kBalloon = WM_APP + 25, kAddAgain = WM_APP + 26, kBalloonOff = WM_APP + 27, kAddNew = WM_APP + 28;
constexpr int kShownWithinMs = 100;

struct PeerWindowSearch {
    DWORD processId;
    HWND found;
};

BOOL CALLBACK FindPeerWindow(HWND window, LPARAM param)
{
    auto* search = reinterpret_cast<PeerWindowSearch*>(param);
    DWORD processId = 0;
    char name[64] = {};
    GetWindowThreadProcessId(window, &processId);
    GetClassNameA(window, name, sizeof name);
    if (processId != search->processId || std::string(name) != "TolvaneE2eTray")
        return TRUE;
    search->found = window;
    return FALSE;
}

// One tray peer: its log and its hidden window.
class TrayPeer {
public:
    TrayPeer(const e2e::ScratchFolder& folder, const std::string& name, int icons, int version)
        : log_(folder.PathOf(name + ".log"))
        , process_(
              StartPeer("\"" + log_ + "\" " + std::to_string(icons) + " " + std::to_string(version), TrayPeerExe()))
    {
        e2e::WaitFor(10000, [&] { return Logged("ready"); });
    }
    bool Logged(const std::string& line) const
    {
        const std::vector<std::string> lines = ReadLines(log_);
        return std::find(lines.begin(), lines.end(), line) != lines.end();
    }
    bool WaitLogged(const std::string& line, int ms = 3000) const
    {
        return e2e::WaitFor(ms, [&] { return Logged(line); });
    }
    std::vector<std::string> Callbacks() const
    {
        std::vector<std::string> out;
        for (const std::string& line : ReadLines(log_))
            if (line.rfind("callback ", 0) == 0)
                out.push_back(line.substr(9));
        return out;
    }
    HWND Window() const
    {
        PeerWindowSearch search {process_.id(), nullptr};
        EnumWindows(&FindPeerWindow, reinterpret_cast<LPARAM>(&search));
        return search.found;
    }
    void Ask(UINT message, UINT id) const { PostMessageA(Window(), message, id, 0); }
    e2e::ChildProcess& process() { return process_; }
    std::string LogText() const
    {
        std::string text;
        for (const std::string& line : ReadLines(log_))
            text += (text.empty() ? "" : "; ") + line;
        return text;
    }

private:
    std::string log_;
    e2e::ChildProcess process_;
};

std::vector<Control> Cells(HWND bar)
{
    std::vector<Control> cells;
    for (const Control& c : ReadControls(bar))
        if (c.id >= bar_ids::TRAYICON_BASE && c.id <= bar_ids::TRAYICON_LAST && c.visible)
            cells.push_back(c);
    std::sort(cells.begin(), cells.end(), [](const Control& a, const Control& b) { return a.id < b.id; });
    return cells;
}

// The cell whose text (the tip) is this one, found by text alone: cheap enough to poll fast.
HWND CellTitled(HWND bar, const std::string& tip)
{
    return FindWindowExA(bar, nullptr, nullptr, tip.c_str());
}

long long MsUntilCell(HWND bar, const std::string& tip, bool present)
{
    // Polled every 2 ms, finer than WaitFor, to time it.
    const unsigned long long t = e2e::NowMs();
    while (e2e::NowMs() - t < 3000) {
        if ((CellTitled(bar, tip) != nullptr) == present)
            return static_cast<long long>(e2e::NowMs() - t);
        Sleep(2);
    }
    return -1;
}

std::string Within(long long ms)
{
    return ms < 0 ? "not within 3 s" : std::to_string(ms) + " ms";
}

COLORREF CellCentre(HWND cell)
{
    const POINT at = e2e::CentreOnScreen(cell);
    return e2e::ScreenPixel(at.x, at.y);
}

// Lines of the callbacks as the peer logs them: wParam and lParam in decimal.
std::string Line(unsigned long long wParam, unsigned long long lParam)
{
    return std::to_string(wParam) + " " + std::to_string(lParam);
}

bool Has(const std::vector<std::string>& lines, const std::string& line)
{
    return std::find(lines.begin(), lines.end(), line) != lines.end();
}

std::string Listed(const std::vector<std::string>& lines)
{
    std::string text;
    for (const std::string& l : lines)
        text += "[" + l + "]";
    return text;
}

void CheckMalformed(e2e::Report& report, const RunningBar& running)
{
    HWND tray = FindWindowA("Shell_TrayWnd", nullptr);
    DWORD pid = 0;
    GetWindowThreadProcessId(tray, &pid);
    const std::size_t before = Cells(running.bar).size();
    std::vector<unsigned char> block(960, 0);
    block[0] = 0x34;                       // a window
    block[8] = 0x02 | 0x04;                // icon and tip
    for (std::size_t i = 16; i < 272; ++i) // a tip without its terminating zero
        block[i] = 'x';
    std::string answers;
    const auto send = [&](ULONG_PTR dwData, const std::vector<unsigned char>& bytes) {
        COPYDATASTRUCT data {dwData, static_cast<DWORD>(bytes.size()), const_cast<unsigned char*>(bytes.data())};
        DWORD_PTR answer = 2;
        SendMessageTimeoutA(tray, WM_COPYDATA, 0, reinterpret_cast<LPARAM>(&data), SMTO_NORMAL, 3000, &answer);
        answers += std::to_string(answer);
    };
    send(0, block);
    std::vector<unsigned char> lying(960 + 100, 0); // icon bits that do not match the size they claim
    lying[0] = 0x34;
    lying[8] = 0x02;
    lying[944] = 16;
    lying[948] = 16;
    lying[952] = 1;
    lying[956] = 32;
    send(0, lying);
    std::vector<unsigned char> garbage(964, 0xA5);
    send(1, garbage);
    send(7, std::vector<unsigned char>(10, 0));
    const bool ours = pid == GetProcessId(running.process.handle());
    report.Check("tray_malformed_blocks_answer_false_and_change_nothing",
        ours && answers == "0000" && Cells(running.bar).size() == before,
        std::string(ours ? "" : "the first Shell_TrayWnd is not the bar's; ") + "answers " + answers + ", cells " +
            std::to_string(before) + " -> " + std::to_string(Cells(running.bar).size()));
}

} // namespace

void CheckTray(e2e::Report& report, const std::string& tolvixExe, Artifacts& artifacts)
{
    DeleteRegistryKey(HKEY_CURRENT_USER, kSettingsKey);
    e2e::ScratchFolder folder("tray");
    // Before the bar: no notification area takes the icons yet.
    TrayPeer early(folder, "early", 2, 0);
    std::unique_ptr<RunningBar> running = LaunchBar(tolvixExe, "tray", {}, 30000);
    if (!report.Check("tray_bar_starts", running->bar != nullptr, running->error))
        return;
    const HWND bar = running->bar;
    const bool readded = early.WaitLogged("answer readd 1 1") && early.WaitLogged("answer readd 2 1");
    const bool shown =
        e2e::WaitFor(3000, [&] { return CellTitled(bar, "E2E Tray 1") && CellTitled(bar, "E2E Tray 2"); });
    report.Check("tray_icons_of_a_program_started_before_the_bar_come_back_through_taskbar_created", readded && shown,
        std::string(readded ? "" : "no re-add answered TRUE; ") + (shown ? "both shown" : "not shown") +
            "; log: " + early.LogText());

    // After the bar: a program at version 4, and each change shown within 100 ms of the call.
    TrayPeer late(folder, "late", 1, 4);
    HWND cell = CellTitled(bar, "E2E Tray 1");
    const long long added = (late.Ask(kAddNew, 5), MsUntilCell(bar, "E2E Tray 5", true));
    const long long retipped = (late.Ask(kTip, 5), MsUntilCell(bar, "E2E Tray 5 changed", true));
    const long long hidden = (late.Ask(kHide, 5), MsUntilCell(bar, "E2E Tray 5 changed", false));
    const long long back = (late.Ask(kShow, 5), MsUntilCell(bar, "E2E Tray 5 changed", true));
    const auto worst = std::max({added, retipped, hidden, back});
    const bool allTimed = std::min({added, retipped, hidden, back}) >= 0;
    std::string tip, tipError;
    const HWND retippedCell = CellTitled(bar, "E2E Tray 5 changed");
    const bool tipRead = retippedCell && ReadToolTip(retippedCell, tip, tipError);
    report.Check("tray_add_tip_hide_and_show_each_within_100_ms",
        allTimed && worst <= kShownWithinMs && tip == "E2E Tray 5 changed",
        "added " + Within(added) + ", tip " + Within(retipped) + ", hidden " + Within(hidden) + ", shown " +
            Within(back) + "; tooltip " + (tipRead ? "'" + tip + "'" : "not read: " + tipError));

    // Red as it came (once painted), then blue.
    COLORREF red = CLR_INVALID;
    e2e::WaitFor(2000, [&] {
        cell = CellTitled(bar, "E2E Tray 5 changed");
        red = cell ? CellCentre(cell) : CLR_INVALID;
        return red == RGB(0xFF, 0, 0);
    });
    late.Ask(kIcon, 5);
    COLORREF now = red;
    const bool blue = cell && e2e::WaitFor(2000, [&] {
        cell = CellTitled(bar, "E2E Tray 5 changed");
        now = cell ? CellCentre(cell) : CLR_INVALID;
        return now == RGB(0, 0, 0xFF);
    });
    report.Check("tray_icon_replaced", red == RGB(0xFF, 0, 0) && blue,
        "centre of the cell " + std::to_string(red) + " -> " + std::to_string(now) + " (red " +
            std::to_string(RGB(0xFF, 0, 0)) + ", blue " + std::to_string(RGB(0, 0, 0xFF)) + ")");
    artifacts.RequestScreenshot("tray-strip");

    // Clicks, as each version wants them: early is at 0, late at 4.
    const HWND earlyCell = CellTitled(bar, "E2E Tray 1");
    const bool clicked0 = earlyCell && e2e::RealLeftClickAt(e2e::CentreOnScreen(earlyCell)) &&
        e2e::RealRightClickAt(e2e::CentreOnScreen(earlyCell)) && RealDoubleClick(earlyCell);
    e2e::WaitFor(3000, [&] { return Has(early.Callbacks(), Line(1, WM_LBUTTONDBLCLK)); });
    const std::vector<std::string> v0 = early.Callbacks();
    const bool version0 = Has(v0, Line(1, WM_LBUTTONDOWN)) && Has(v0, Line(1, WM_LBUTTONUP)) &&
        Has(v0, Line(1, WM_RBUTTONUP)) && Has(v0, Line(1, WM_LBUTTONDBLCLK)) && !Has(v0, Line(1, NIN_SELECT));
    report.Check("tray_clicks_reach_a_version_0_program_with_id_and_mouse_message", clicked0 && version0,
        std::string(clicked0 ? "" : "the clicks could not be made; ") + "callbacks " + Listed(v0));

    const HWND lateCell = CellTitled(bar, "E2E Tray 1");
    std::vector<std::string> v4;
    bool version4 = false;
    const HWND late1 = [&] {
        HWND found = nullptr;
        for (const Control& c : Cells(bar))
            if (c.text == "E2E Tray 1" && c.window != lateCell)
                found = c.window;
        return found;
    }();
    if (late1) {
        const POINT at = e2e::CentreOnScreen(late1);
        e2e::RealLeftClickAt(at);
        e2e::RealRightClickAt(at);
        RealDoubleClick(late1);
        const unsigned long long xy =
            static_cast<unsigned long long>(at.x & 0xFFFF) | (static_cast<unsigned long long>(at.y & 0xFFFF) << 16);
        const auto message = [](unsigned m) { return static_cast<unsigned long long>(m) | (1ull << 16); };
        version4 = e2e::WaitFor(3000, [&] {
            v4 = late.Callbacks();
            return Has(v4, Line(xy, message(WM_LBUTTONUP))) && Has(v4, Line(xy, message(NIN_SELECT))) &&
                Has(v4, Line(xy, message(WM_RBUTTONUP))) && Has(v4, Line(xy, message(WM_CONTEXTMENU))) &&
                Has(v4, Line(xy, message(WM_LBUTTONDBLCLK)));
        });
    }
    report.Check("tray_clicks_and_a_double_click_reach_a_version_4_program_with_position_message_and_id", version4,
        std::string(late1 ? "" : "no cell of the second program; ") + "callbacks " + Listed(v4));

    // A balloon shown beside the bar, and taken away by its program.
    late.Ask(kBalloon, 5);
    const auto balloonWindow = [&]() -> HWND {
        HWND found = nullptr;
        for (HWND w = FindWindowExA(nullptr, nullptr, nullptr, nullptr); w && !found;
             w = FindWindowExA(nullptr, w, nullptr, nullptr)) {
            DWORD pid = 0;
            GetWindowThreadProcessId(w, &pid);
            if (pid == GetProcessId(running->process.handle()) && IsWindowVisible(w) &&
                FindWindowExA(w, nullptr, nullptr, "E2E Balloon"))
                found = w;
        }
        return found;
    };
    const bool balloonShown = e2e::WaitFor(2000, [&] { return balloonWindow() != nullptr; });
    const bool told = late.WaitLogged("callback 0 " + std::to_string(0x402u | (5u << 16)), 2000);
    late.Ask(kBalloonOff, 5);
    const bool balloonGone = e2e::WaitFor(2000, [&] { return balloonWindow() == nullptr; });
    report.Check("tray_balloon_shown_then_gone", balloonShown && told && balloonGone,
        std::string(balloonShown ? "shown" : "never shown") + (told ? ", NIN_BALLOONSHOW posted" : ", not told") +
            (balloonGone ? ", gone" : ", still there"));

    // Deleted; then what does not exist answers FALSE, as does an icon added twice.
    late.Ask(kDelete, 5);
    const long long deleted = MsUntilCell(bar, "E2E Tray 5 changed", false);
    late.Ask(kDelete, 5);
    late.Ask(kAddAgain, 1);
    const bool refused = late.WaitLogged("answer delete 5 0") && late.WaitLogged("answer addagain 1 0");
    report.Check("tray_delete_and_the_false_answers_of_the_system",
        deleted >= 0 && deleted <= kShownWithinMs && refused,
        "deleted " + Within(deleted) + "; log: " + late.LogText());

    CheckMalformed(report, *running);

    // Killed: its icons go within one refresh tick.
    const unsigned long long killedAt = e2e::NowMs();
    early.process().Kill();
    const bool gone = e2e::WaitFor(kOneRefreshMs, [&] { return CellTitled(bar, "E2E Tray 2") == nullptr; });
    report.Check("tray_icons_of_a_killed_program_go_within_one_tick", gone,
        gone ? "gone " + std::to_string(e2e::NowMs() - killedAt) + " ms after" : "still there after 3 s");
    late.process().Kill();
    e2e::WaitFor(kOneRefreshMs, [&] { return Cells(bar).empty(); });

    // 100 icons in rows inside the bar above its panel, and the bar's memory back after.
    const long before = e2e::PrivateKb(running->process.handle());
    std::string outside;
    std::size_t count = 0;
    {
        TrayPeer many(folder, "many", 100, 0);
        std::vector<Control> cells;
        e2e::WaitFor(5000, [&] { return (cells = Cells(bar)).size() == 100; });
        count = cells.size();
        const std::vector<Control> controls = ReadControls(bar);
        const Control* panel = FindControl(controls, bar_ids::Picture2);
        RECT client {};
        GetClientRect(bar, &client);
        for (const Control& c : cells)
            if (!panel || c.inBar.left < 0 || c.inBar.right > client.right || c.inBar.bottom > panel->inBar.top)
                outside = RectText(c.inBar);
        artifacts.RequestScreenshot("tray-100-icons");
    }
    e2e::WaitFor(kRefreshDeadlineMs, [&] { return Cells(bar).empty(); });
    e2e::PumpFor(500);
    const long after = e2e::PrivateKb(running->process.handle());
    report.Check("tray_100_icons_in_rows_inside_the_bar_and_memory_back_after",
        count == 100 && outside.empty() && before > 0 && after - before < 1024,
        std::to_string(count) + " cells" + (outside.empty() ? "" : ", one outside at " + outside) + "; private " +
            std::to_string(before) + " KB before, " + std::to_string(after) + " KB after they went");
    DeleteRegistryKey(HKEY_CURRENT_USER, kSettingsKey);
}

} // namespace bar_probe
