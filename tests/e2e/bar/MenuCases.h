#pragma once
// Cases of the bar's menus and run box, each on a bar of its own: the about box at start and
// from the menu or F1, the main menu and sleep mode (MainMenuCases.cpp); the run box
// (RunBoxCases.cpp); the program menu from real registry values and a full catalogue
// (ProgramMenuCases.cpp); the shortcut file, its menu items and its window (ShortcutCases.cpp);
// log off, in a Wine session of its own (LogOffCases.cpp).
#include <string>

#include "tests/e2e/bar/Artifacts.h"
#include "tests/e2e/common/Report.h"

namespace bar_probe {

void CheckAboutBox(e2e::Report& report, const std::string& tolvixExe, Artifacts& artifacts);
void CheckMainMenu(e2e::Report& report, const std::string& tolvixExe, Artifacts& artifacts);
void CheckRunBox(e2e::Report& report, const std::string& tolvixExe);
void CheckProgramMenu(e2e::Report& report, const std::string& tolvixExe, Artifacts& artifacts);
void CheckFullCatalogue(e2e::Report& report, const std::string& tolvixExe, Artifacts& artifacts);
// The settings window (SettingsWindowCases.cpp), on a bar of its own and then a restarted one.
void CheckSettingsWindow(e2e::Report& report, const std::string& tolvixExe, Artifacts& artifacts);
// The shortcut window and its file (ShortcutCases.cpp).
void CheckShortcuts(e2e::Report& report, const std::string& tolvixExe, Artifacts& artifacts);
// The infrared remote with a real lircd, and a flood from the probe's own server
// (InfraredCases.cpp).
void CheckInfrared(e2e::Report& report, const std::string& tolvixExe, Artifacts& artifacts);
void CheckInfraredFlood(e2e::Report& report, const std::string& tolvixExe, Artifacts& artifacts);
void CheckInfraredRemove(e2e::Report& report, const std::string& tolvixExe, Artifacts& artifacts);
void CheckLogOff(e2e::Report& report, const std::string& tolvixExe, Artifacts& artifacts);
// The bar and every window it opens with real keys alone (KeyboardCases.cpp).
void CheckKeyboard(e2e::Report& report, const std::string& tolvixExe, Artifacts& artifacts);

} // namespace bar_probe
