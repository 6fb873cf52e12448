// End-to-end probe of the bar: starts the real tolvix.exe, puts windows of every kind on the
// desktop and checks what the bar shows and does. Usage:
//   bar_probe.exe <path of tolvix.exe> [--artifacts <folder>]
//   bar_probe.exe <path of tolvix.exe> --logoff   (only the log-off case: it ends the session,
//                                                   so run.sh gives it a Wine session of its own)
//   bar_probe.exe --windows-only   (creates the test windows and lists the desktop; no bar)
// Environment: E2E_BAR_ONLY=live runs just the cases of LiveCases.h and MenuCases.h,
// E2E_BAR_ONLY=layout just the others; E2E_BAR_GROUPS=indicators,lamp,winamp,taskmgr,taskmenu,
// instant,settings,logofiles,about,menus,runbox,programs,catalogue,setup,shortcuts,infrared,irflood,irremove,
// keyboard,neighbours,tray picks some of the live ones.
#include <windows.h>

#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <exception>
#include <functional>
#include <string>

#include "tests/e2e/bar/Artifacts.h"
#include "tests/e2e/bar/BusyDesktopCases.h"
#include "tests/e2e/bar/ClickCases.h"
#include "tests/e2e/bar/DesktopTasks.h"
#include "tests/e2e/bar/EndingCases.h"
#include "tests/e2e/bar/IconCases.h"
#include "tests/e2e/bar/InstantButtonCases.h"
#include "tests/e2e/bar/LaunchBar.h"
#include "tests/e2e/bar/LayoutCases.h"
#include "tests/e2e/bar/LiveCases.h"
#include "tests/e2e/bar/LogoCases.h"
#include "tests/e2e/bar/MenuCases.h"
#include "tests/e2e/bar/TaskListCases.h"
#include "tests/e2e/bar/TestDesk.h"
#include "tests/e2e/common/Poll.h"
#include "tests/e2e/common/Report.h"
#include "tests/e2e/common/TestWindows.h"

namespace {

using namespace bar_probe;

// Without a bar: the probe's own windows and how the task rule judges every top-level window.
int ListDesktop()
{
    TestDesk desk;
    desk.alpha = e2e::CreateTestWindow(e2e::WindowKind::Normal, TestDesk::kAlpha);
    desk.tool = e2e::CreateTestWindow(e2e::WindowKind::Tool, TestDesk::kTool);
    desk.ownedPopup = e2e::CreateTestWindow(e2e::WindowKind::OwnedPopup, TestDesk::kOwnedPopup, desk.alpha.get());
    desk.ownedApp = e2e::CreateTestWindow(e2e::WindowKind::OwnedAppWindow, TestDesk::kOwnedApp, desk.alpha.get());
    desk.untitled = e2e::CreateTestWindow(e2e::WindowKind::Normal, "");
    for (HWND h : {desk.alpha.get(), desk.tool.get(), desk.ownedPopup.get(), desk.ownedApp.get(), desk.untitled.get()})
        e2e::ShowWithoutActivating(h);
    e2e::PumpFor(500);
    int shownTasks = 0;
    for (HWND h : TopLevelWindowsInZOrder()) {
        if (!IsWindowVisible(h))
            continue;
        const bool task = IsTaskWindow(h, nullptr);
        shownTasks += task;
        std::printf("%s %s\n", task ? "task    " : "no task ", e2e::DescribeWindow(h).c_str());
    }
    std::printf("%d task windows\n", shownTasks);
    return 0;
}

void RunBarChecks(e2e::Report& report, const std::string& tolvixExe, Artifacts& artifacts)
{
    TestDesk desk;
    {
        std::unique_ptr<RunningBar> running = LaunchBar(tolvixExe, "plain", {}, 30000);
        const bool started = report.Check("bar_window_appears", running->bar != nullptr,
            running->bar ? "process " + std::to_string(running->process.id()) + ", window " +
                    e2e::Hex(reinterpret_cast<ULONG_PTR>(running->bar)) + ", visible after " +
                    std::to_string(running->startMs) + " ms"
                         : running->error);
        if (started) {
            CheckBarBasics(report, *running);
            CheckButtonOrder(report, *running, desk);
            CheckTaskFilter(report, *running, desk);
            artifacts.RequestScreenshot("bar");
            CheckBusyDesktop(report, *running, artifacts);
            CheckClicks(report, *running, desk);
            CheckRightClick(report, *running, artifacts);
            CheckAltF4(report, *running, artifacts, CloseGesture::SystemCommand);
            CheckAltF4(report, *running, artifacts, CloseGesture::AltF4Keys);
            CheckCloseFromAnotherProgram(report, *running);
        }
    }
    CheckLogo(report, tolvixExe, artifacts);
}

std::string Environment(const char* name)
{
    const char* value = std::getenv(name);
    return value ? value : "";
}

bool GroupChosen(const std::string& group)
{
    const std::string chosen = "," + Environment("E2E_BAR_GROUPS") + ",";
    return chosen == ",," || chosen.find("," + group + ",") != std::string::npos;
}

void RunLiveChecks(e2e::Report& report, const std::string& tolvixExe, Artifacts& artifacts)
{
    const std::vector<std::pair<const char*, void (*)(e2e::Report&, const RunningBar&)>> onOneBar = {
        {"indicators", CheckIndicators}, {"lamp", CheckLamp}, {"winamp", CheckWinamp}, {"taskmgr", CheckTaskManager},
        {"taskmenu", CheckTaskActions}, {"instant", CheckInstantButtons}, {"icons", CheckIcons}};
    bool anyOnOneBar = false;
    for (const auto& group : onOneBar)
        anyOnOneBar = anyOnOneBar || GroupChosen(group.first);
    if (anyOnOneBar) {
        std::unique_ptr<RunningBar> running = LaunchBar(tolvixExe, "live", {}, 30000);
        if (report.Check("live_bar_starts", running->bar != nullptr,
                running->bar ? "bar up after " + std::to_string(running->startMs) + " ms" : running->error))
            for (const auto& group : onOneBar)
                if (GroupChosen(group.first)) {
                    const unsigned long long started = e2e::NowMs();
                    group.second(report, *running);
                    report.Note(std::string(group.first) + " took " + std::to_string(e2e::NowMs() - started) + " ms");
                }
    }
    if (GroupChosen("settings"))
        CheckSettingsAtStart(report, tolvixExe);
    if (GroupChosen("logofiles"))
        CheckLogoFiles(report, tolvixExe);

    // Each on a bar of its own.
    const std::vector<std::pair<const char*, std::function<void()>>> onOwnBars = {
        {"about", [&] { CheckAboutBox(report, tolvixExe, artifacts); }},
        {"menus", [&] { CheckMainMenu(report, tolvixExe, artifacts); }},
        {"runbox", [&] { CheckRunBox(report, tolvixExe); }},
        {"programs", [&] { CheckProgramMenu(report, tolvixExe, artifacts); }},
        {"catalogue", [&] { CheckFullCatalogue(report, tolvixExe, artifacts); }},
        {"setup", [&] { CheckSettingsWindow(report, tolvixExe, artifacts); }},
        {"infrared", [&] { CheckInfrared(report, tolvixExe, artifacts); }},
        {"irflood", [&] { CheckInfraredFlood(report, tolvixExe, artifacts); }},
        {"irremove", [&] { CheckInfraredRemove(report, tolvixExe, artifacts); }},
        {"shortcuts", [&] { CheckShortcuts(report, tolvixExe, artifacts); }},
        {"keyboard", [&] { CheckKeyboard(report, tolvixExe, artifacts); }},
        {"neighbours", [&] { CheckNeighbours(report, tolvixExe); }},
        {"tray", [&] { CheckTray(report, tolvixExe, artifacts); }}};
    for (const auto& group : onOwnBars)
        if (GroupChosen(group.first)) {
            const unsigned long long started = e2e::NowMs();
            group.second();
            report.Note(std::string(group.first) + " took " + std::to_string(e2e::NowMs() - started) + " ms");
        }
}

} // namespace

int main(int argc, char** argv)
{
    std::string tolvixExe;
    std::string artifactsFolder;
    bool logOff = false;
    for (int i = 1; i < argc; ++i) {
        if (std::strcmp(argv[i], "--windows-only") == 0)
            return ListDesktop();
        if (std::strcmp(argv[i], "--logoff") == 0)
            logOff = true;
        else if (std::strcmp(argv[i], "--artifacts") == 0 && i + 1 < argc)
            artifactsFolder = argv[++i];
        else
            tolvixExe = argv[i];
    }
    if (tolvixExe.empty()) {
        std::fprintf(stderr, "usage: bar_probe <path of tolvix.exe> [--artifacts <folder>] | --windows-only\n");
        return 2;
    }
    Artifacts artifacts(artifactsFolder);
    e2e::Report report(logOff ? "bar-logoff" : "bar");
    try {
        const std::string only = Environment("E2E_BAR_ONLY");
        if (logOff)
            CheckLogOff(report, tolvixExe, artifacts);
        if (!logOff && only != "live")
            RunBarChecks(report, tolvixExe, artifacts);
        if (!logOff && only != "layout")
            RunLiveChecks(report, tolvixExe, artifacts);
    } catch (const std::exception& e) {
        report.Check("probe_error", false, e.what());
    }
    return report.Finish();
}
