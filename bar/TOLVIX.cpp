#include "bar/TOLVIX.h"

#include "bar/AlignmentChoice.h"
#include "bar/MODULSetApplicationBase.h"
#include "bar/BarControls.h"
#include "bar/BarGeometry.h"
#include "bar/BarIds.h"
#include "bar/MainMenu.h"
#include "bar/PowerActions.h"
#include "progmenu/ProgramMenuIds.h"

#include <algorithm>
#include <cmath>

namespace bar {

namespace ids = bar_ids;
namespace menu = bar_ids::menu;

namespace {
constexpr float kPanelHeight = 900;
constexpr int kDefaultRefreshMs = 2000;
} // namespace

TOLVIX::TOLVIX(platform::Platform& platform)
    : platform_(platform)
    , toolkit_(platform.toolkit())
    , desktop_(platform.desktop())
    , settings_(platform.registry())
    , form_(toolkit_, bar::BarFormSpec(toolkit_.screen()))
    , ownWindow_(form_.window())
    , logo_(form_, platform.files())
    , Picture2(form_, ids::Picture2, bar::ControlSpecOf(ids::Picture2))
    , glow_(form_,
          [this] {
              // Between refresh ticks the task buttons follow the desktop at once, at most once a tick.
              if (!refreshing_ && !ending_ && tasks_.RefreshDue())
                  RefreshTaskButtons();
          })
    , RBUT(form_, ids::RBUT, bar::ControlSpecOf(ids::RBUT))
    , winamp_(form_, desktop_)
    , SSETTS(form_, ids::SSETTS, bar::ControlSpecOf(ids::SSETTS))
    , STX(form_, ids::STX, bar::ControlSpecOf(ids::STX))
    , VRUN(form_, ids::VRUN, bar::ControlSpecOf(ids::VRUN))
    , runBox_(form_, platform.launcher(), RBUT, VRUN, STX)
    , taskManager_(platform, form_, [this] { return settings_.settings().General_HideInTaskManager; })
    , processCounter_(form_, platform.processes(), *this)
    , memory_(form_, platform.memory(), *this)
    , Picture3(form_, ids::Picture3, bar::ControlSpecOf(ids::Picture3))
    , Label1(form_, ids::Label1, bar::ControlSpecOf(ids::Label1))
    , lamp_(form_, platform)
    , clock_(form_, platform.system())
    , tasks_(desktop_, form_, ownWindow_)
    , taskInput_(
          platform, form_, tasks_, [this] { RefreshTaskButtons(); }, [this] { return ending_; })
    , tray_(platform, form_, [this] { Layout(); })
    , RTASKS(form_, ids::RTASKS, kDefaultRefreshMs, true, [this] { Refresh(); })
    , MSETTS(bar::BuildMainMenu(*this, progmenu::ProgramMenuTree()))
    , docking_(form_, desktop_, platform.registry(), *ui::FindMenuItem(MSETTS, menu::MFULLHEIGHT),
          [this] { return toolkit_.controlHasFocus(form_.id()); })
    , programs_(
          platform, form_, *ui::FindMenuItem(MSETTS, progmenu_ids::MX),
          [] { return MODULSetApplicationBase::AppBasePath() + ".TSK"; },
          [this](const std::string& command) { runBox_.Run(command); })
    , shortcuts_(platform, form_, programs_.menu(), [this](const std::string& command) { runBox_.Run(command); })
    , about_(form_, ids::ReleaseAbout,
          [this](auto onReleasable) { return std::make_unique<INFO>(toolkit_, ownWindow_, std::move(onReleasable)); })
    , settingsWindow_(platform, form_, settings_,
          {[this](settings::SettingsGroup group, bool alignmentChosen) { ApplySavedSettings(group, alignmentChosen); },
              [this] { infrared_.ShowWindow(); }})
    , remoteActions_(platform, tasks_, *this)
    , infrared_(platform, form_,
          {[this] { return sleeping(); }, [this] { return settings_.settings().IR_LearningMode; },
              [this](std::string_view action) { remoteActions_.Perform(action); }})
    , infraredSwitch_(platform.registry(), settings_, infrared_)
    , hotKey_(form_, platform.registry(), [this] { BringOutForKeyboard(); })
{
    ui::FindMenuItem(MSETTS, menu::MABOUT)->action = [this] { ShowAbout(); };
    ui::FindMenuItem(MSETTS, menu::MIMODE)->action = [this] { SetSleeping(!sleeping()); };
    form_.onDisplayChange = [this] { docking_.DisplaysChanged(); };
    tasks_.setMonitorFilter(
        [this] { return settings_.settings().General_TasksOfBarMonitorOnly ? docking_.barMonitor() : 0; });
    tasks_.groupProgramsWhen([this] { return settings_.settings().General_TaskNeighbours; }, platform.processes());
    taskInput_.setMiddleClick([this] { return tasks::MiddleClickActionOf(settings_.settings().General_MiddleClick); });
    form_.onResize = [this] {
        if (toolkit_.formState(form_.id()) == ui::WindowState::Normal)
            Layout();
    };
    form_.onCloseRequest = [this](ui::CloseReason reason) {
        ui::FindMenuItem(MSETTS, menu::MSHUT)->visible = true;
        if (reason != ui::CloseReason::ControlMenu)
            return true;
        ui::PopupMenu(form_, *ui::FindMenuItem(MSETTS, menu::MSHUT), menu::MST_0 + 2);
        return false;
    };
    // The program ends with its bar, whatever hidden windows of its own are still loaded.
    form_.onClosed = [this] { Quit(); };
    form_.onDoubleClick(0, [this] { PopupSettings(-1); });
    // Both menus carry the program menu: a click before the first refresh tick loads it first.
    SSETTS.onClick([this] {
        programs_.LoadCatalogueOnce();
        ui::PopupMenu(form_, MSETTS, menu::MSTCONTROLPANEL);
    });
    STX.onClick([this] { programs_.PopupProgramMenu(); });
    form_.onAccelerator(ui::kKeyF1, [this] { ShowAbout(); });
}

void TOLVIX::Load()
{
    MODULSetApplicationBase::SetApplicationBase(platform_.system());
    shortcuts_.Load(platform_.system().executablePath());
    settings_.Load();
    ApplySettings();
    DesktopWindow = desktop_.desktopWindow();

    about_.Open().ShowSplash();

    ui::Rect start = frame();
    start.height = bar::kStartHeight;
    setFrame(start);

    RefreshTaskButtons();
    desktop_.setWindowPos(
        ownWindow_, platform::kInsertTopmost, 0, 0, 0, 0, platform::kPosNoSize | platform::kPosNoMove);
    const std::string& base = MODULSetApplicationBase::AppBasePath();
    if (const std::optional<float> buttonsLeft = logo_.ApplyLogo(base)) {
        tasks_.setButtonsLeft(*buttonsLeft);
        Layout();
    }
    logo_.ApplyIcon(base);
    toolkit_.showForm(form_.id(), true);
    ApplyAlignment(true);
    infraredSwitch_.ApplyAtStart();
    hotKey_.Apply();
}

void TOLVIX::BringOutForKeyboard()
{
    if (ending_)
        return;
    docking_.BringOut();
    toolkit_.bringToFront(form_.id());
    const ui::ControlId first = tasks_.firstButton();
    toolkit_.focusControl(form_.id(), first != 0 ? first : ids::VRUN);
}

void TOLVIX::ApplySettings()
{
    const settings::Settings& s = settings_.settings();
    // A stored interval below one second would make the bar spin.
    const float seconds = std::max(1.0f, std::nearbyint(s.General_RefreshInterval));
    RTASKS.setInterval(static_cast<int>(std::min(seconds, 65535.0f)) * 1000);
    memory_.ApplySettings(s);
    tray_.SetEnabled(s.General_NotificationArea);
}

void TOLVIX::ApplySavedSettings(settings::SettingsGroup group, bool alignmentChosen)
{
    ApplySettings();
    if (alignmentChosen)
        ApplyAlignment(false);
    if (settings::Covers(group, settings::SettingsGroup::Infrared)) {
        infraredSwitch_.ApplySaved();
        hotKey_.Apply();
    }
}

void TOLVIX::MoveBar(int dxPixels, int dyPixels)
{
    docking_.MoveBy(dxPixels, dyPixels);
}

void TOLVIX::FocusRunBox()
{
    docking_.BringOut();
    toolkit_.bringToFront(form_.id());
    toolkit_.focusControl(form_.id(), ids::VRUN);
}

void TOLVIX::ApplyAlignment(bool atStart)
{
    if (const std::optional<bar::AlignmentChoice> choice = bar::AlignmentChoiceOf(settings_.settings().Align_Position))
        docking_.ApplyChoice(*choice, atStart);
}

void TOLVIX::PopupSettings(int page)
{
    settingsWindow_.PopupSettings(page);
}

void TOLVIX::ShowTaskManager()
{
    if (!settings_.settings().General_DisableTaskManager)
        taskManager_.Show();
}

void TOLVIX::ShowAbout()
{
    about_.Open().ShowForReading();
}

void TOLVIX::SetSleeping(bool asleep)
{
    if (asleep == asleep_)
        return;
    asleep_ = asleep;
    ui::FindMenuItem(MSETTS, menu::MIMODE)->checked = asleep;
    glow_.setRunning(!asleep);
    docking_.SetAsleep(asleep);
    RTASKS.setEnabled(!asleep);
}

void TOLVIX::EndSession(PowerAction action)
{
    // The bar ends when the platform closes it.
    bar::RequestPowerAction(platform_.power(), action);
}

void TOLVIX::Refresh()
{
    // A tick that arrives while the last one lets pending messages run waits for the next one.
    if (refreshing_ || ending_)
        return;
    // Cleared on every way out, a step that throws included, or no tick would ever run again.
    struct Running {
        bool& flag;
        ~Running() { flag = false; }
    } running {refreshing_};
    refreshing_ = true;
    RefreshTaskButtons();
    memory_.Refresh();
    clock_.Refresh();
    toolkit_.processPendingMessages();
    if (ending_)
        return; // the windows are gone
    memory_.AutoFreeUp();
    if (ending_)
        return;
    lamp_.Refresh();
    winamp_.Refresh();
    processCounter_.Refresh();
    // Off the start-up's path, and ready before the user is likely to open the menu.
    programs_.LoadCatalogueOnce();
}

void TOLVIX::Quit()
{
    if (ending_)
        return;
    ending_ = true;
    memory_.Abandon();
    toolkit_.quit();
}

void TOLVIX::RefreshTaskButtons()
{
    tasks_.RefreshTaskButtons(DesktopWindow);
    tray_.Refresh();
    docking_.FollowForeground();
}

ui::Rect TOLVIX::frame()
{
    return toolkit_.formRect(form_.id());
}

void TOLVIX::setFrame(const ui::Rect& rect)
{
    if (rect != frame())
        toolkit_.setFormRect(form_.id(), rect);
}

void TOLVIX::Layout()
{
    ui::Rect r = frame();
    if (auto height = bar::EnforcedHeight(r.height, toolkit_.screen())) {
        r.height = *height;
        setFrame(r); // raises another resize, which lays out the taller bar
        r = frame();
    }
    const ui::Size client = toolkit_.clientSize(form_.id());
    // The panel sits on the bottom edge at the client's full width.
    Picture2.setRect({0, client.height - kPanelHeight, client.width, kPanelHeight});
    const float width = bar::TaskButtonWidth(r.width, logo_.width(), tasks_.buttonsLeft());
    logo_.setHeight(r.height);
    tasks_.setButtonsWidth(width);
    // The notification area's rows sit on the panel; the task buttons end above them.
    tasks_.setAreaBottom(tray_.Layout(tasks_.buttonsLeft(), width, client.height - kPanelHeight));
}

void TOLVIX::SetAlign(float position)
{
    docking_.SetAlign(position);
}

} // namespace bar
