// End-to-end probe of the bar on two monitors (tests/e2e/monitors/run.sh): the display check,
// then the real tolvix.exe docking, remembering its monitor, filtering task buttons by monitor,
// stepping behind full-screen windows and following display changes. Usage:
//   monitors_probe.exe <path of tolvix.exe> [--artifacts <folder>]
// Environment: E2E_MONITORS_GROUPS=display,docking,remember,tasks,fullscreen,displaychange picks
// some groups ("display" alone needs no bar).
#include <windows.h>

#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <exception>
#include <functional>
#include <string>
#include <vector>

#include "tests/e2e/bar/Artifacts.h"
#include "tests/e2e/common/Poll.h"
#include "tests/e2e/common/Report.h"
#include "tests/e2e/monitors/DisplayChangeCases.h"
#include "tests/e2e/monitors/DockingCases.h"
#include "tests/e2e/monitors/FullScreenCases.h"
#include "tests/e2e/monitors/MonitorLayout.h"
#include "tests/e2e/monitors/TaskMonitorCases.h"

namespace {

using namespace monitors_probe;

bool GroupChosen(const std::string& group)
{
    const char* value = std::getenv("E2E_MONITORS_GROUPS");
    const std::string chosen = "," + std::string(value ? value : "") + ",";
    return chosen == ",," || chosen.find("," + group + ",") != std::string::npos;
}

} // namespace

int main(int argc, char** argv)
{
    std::string tolvixExe, artifactsFolder;
    for (int i = 1; i < argc; ++i) {
        if (std::strcmp(argv[i], "--artifacts") == 0 && i + 1 < argc)
            artifactsFolder = argv[++i];
        else
            tolvixExe = argv[i];
    }
    bar_probe::Artifacts artifacts(artifactsFolder);
    e2e::Report report("monitors");
    try {
        if (GroupChosen("display"))
            CheckTwoMonitorDisplay(report);
        const std::vector<std::pair<const char*, std::function<void()>>> onTheBar = {
            {"docking", [&] { CheckDockingPositions(report, tolvixExe, artifacts); }},
            {"remember", [&] { CheckRememberedMonitor(report, tolvixExe, artifacts); }},
            {"tasks", [&] { CheckTasksOfBarMonitorOnly(report, tolvixExe); }},
            {"fullscreen", [&] { CheckFullScreenWindows(report, tolvixExe); }},
            {"displaychange", [&] { CheckDisplayChanges(report, tolvixExe); }}};
        for (const auto& group : onTheBar) {
            if (!GroupChosen(group.first))
                continue;
            if (tolvixExe.empty()) {
                report.Check(std::string(group.first) + "_needs_the_bar", false, "no path of tolvix.exe given");
                continue;
            }
            const unsigned long long started = e2e::NowMs();
            group.second();
            report.Note(std::string(group.first) + " took " + std::to_string(e2e::NowMs() - started) + " ms");
        }
    } catch (const std::exception& e) {
        report.Check("probe_error", false, e.what());
    }
    return report.Finish();
}
