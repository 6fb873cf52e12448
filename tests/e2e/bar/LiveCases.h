#pragma once
// Cases of the living bar: the refresh tick's indicators, the Winamp buttons and the dial-up lamp
// (IndicatorCases.cpp), the task manager (TaskManagerCases.cpp), the task menu's actions on real
// windows (TaskActionCases.cpp), settings read at start and the memory free-up
// (SettingsCases.cpp), logo side files of every kind (LogoFileCases.cpp), and a program's windows
// kept together and the middle click (NeighbourCases.cpp).
#include <string>

#include "tests/e2e/bar/Artifacts.h"
#include "tests/e2e/bar/LaunchBar.h"
#include "tests/e2e/common/Report.h"

namespace bar_probe {

void CheckIndicators(e2e::Report& report, const RunningBar& running);
void CheckLamp(e2e::Report& report, const RunningBar& running);
void CheckWinamp(e2e::Report& report, const RunningBar& running);
void CheckTaskManager(e2e::Report& report, const RunningBar& running);
void CheckTaskActions(e2e::Report& report, const RunningBar& running);
// Each of these starts its own bar.
void CheckSettingsAtStart(e2e::Report& report, const std::string& tolvixExe);
void CheckLogoFiles(e2e::Report& report, const std::string& tolvixExe);
// A program's windows side by side (set in the registry before start), and a middle click.
void CheckNeighbours(e2e::Report& report, const std::string& tolvixExe);
// Other programs' icons in the bar's notification area (TrayCases.cpp).
void CheckTray(e2e::Report& report, const std::string& tolvixExe, Artifacts& artifacts);

} // namespace bar_probe
