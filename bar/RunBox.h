#pragma once
// The run box VRUN: Enter starts what it holds, the browse label RBUT fills it with a chosen
// program, and a start that fails is told in the tooltips of the run box and the program label STX
// until a start works. The controls are the bar's, made in its tab order; this gives them their work.
#include "platform/Launcher.h"
#include "platform/Widgets.h"

#include <string>

namespace bar {

class RunBox {
public:
    RunBox(ui::Form& form, platform::Launcher& launcher, ui::Control& browseLabel, ui::Control& box,
        ui::Control& programsLabel);
    RunBox(const RunBox&) = delete;
    RunBox& operator=(const RunBox&) = delete;

    // Starts a command line with a normal window; false when it could not be started, or was blank.
    bool Run(const std::string& commandLine);

private:
    void ShowLaunchFailure(const std::string& commandLine);
    void BrowseForProgram();

    ui::Form& form_;
    platform::Launcher& launcher_;
    ui::Control& RBUT; // label: browse for a program to run
    ui::Control& VRUN; // text box: the run box
    ui::Control& STX;  // label: opens the program menu
    bool launchFailed_ = false;
};

} // namespace bar
