#include "bar/RunBox.h"

#include "bar/BarControls.h"
#include "bar/BarIds.h"

#include <optional>

namespace bar {

namespace {
constexpr char kEnter = 13;
// A failed command is shown in a tooltip, cut to a length a tooltip can show.
constexpr std::size_t kShownCommandChars = 200;

bool IsBlank(const std::string& text)
{
    return text.find_first_not_of(" \t") == std::string::npos;
}
} // namespace

RunBox::RunBox(ui::Form& form, platform::Launcher& launcher, ui::Control& browseLabel, ui::Control& box,
    ui::Control& programsLabel)
    : form_(form)
    , launcher_(launcher)
    , RBUT(browseLabel)
    , VRUN(box)
    , STX(programsLabel)
{
    RBUT.onClick([this] { BrowseForProgram(); });
    VRUN.onKeyPress([this](int& characterCode) {
        // The text stays in the box, selected, so that what is typed next replaces it.
        if (characterCode == kEnter) {
            Run(VRUN.text());
            form_.toolkit().selectAllText(form_.id(), VRUN.id());
        }
    });
}

bool RunBox::Run(const std::string& commandLine)
{
    // Nothing to start is no failure to report.
    if (IsBlank(commandLine))
        return false;
    const bool started = launcher_.run(commandLine, platform::ShowCommand::Normal);
    if (!started)
        ShowLaunchFailure(commandLine);
    else if (launchFailed_) {
        launchFailed_ = false;
        STX.setToolTip(ControlSpecOf(bar_ids::STX).toolTip);
        VRUN.setToolTip(ControlSpecOf(bar_ids::VRUN).toolTip);
    }
    return started;
}

void RunBox::ShowLaunchFailure(const std::string& commandLine)
{
    // No message box: the bar keeps running, and the tooltips say what failed until a start works.
    launchFailed_ = true;
    std::string text = "Could not start: ";
    text.append(commandLine, 0, kShownCommandChars);
    if (commandLine.size() > kShownCommandChars)
        text += "...";
    STX.setToolTip(text);
    VRUN.setToolTip(text);
}

void RunBox::BrowseForProgram()
{
    ui::OpenFileRequest request;
    request.title = "Browse applications";
    request.defaultExtension = "exe";
    request.pattern = "*.exe;*.com;*.bat;*.cmd";
    const std::optional<std::string> path = form_.toolkit().openFileDialog(form_.id(), request);
    if (!path)
        return;
    // Quoted, so that a path with spaces starts as one program.
    VRUN.setCaption("\"" + *path + "\"");
}

} // namespace bar
