#include "bar/TOLVIX.h"

#include "bar/AppBasePath.h"
#include "bar/BarDesign.h"
#include "bar/BarGeometry.h"
#include "bar/BarMenus.h"
#include "bar/ControlIds.h"
#include "bar/LogoColour.h"
#include "platform/TextLines.h"

#include <cmath>
#include <cstdlib>

namespace ids = bar_ids;
namespace menu = bar_ids::menu;

namespace {
// Side files are small; anything beyond this is not a logo description.
constexpr std::size_t kMaxSideFileBytes = 64 * 1024;

std::vector<std::unique_ptr<ui::Control>> MakeArray(ui::Form& form, ui::ControlId first, int count)
{
    std::vector<std::unique_ptr<ui::Control>> controls;
    for (int i = 0; i < count; ++i)
        controls.push_back(std::make_unique<ui::Control>(form, first + i, bar::DesignOf(first + i)));
    return controls;
}
} // namespace

TOLVIX::TOLVIX(platform::Platform& platform)
    : platform_(platform)
    , toolkit_(platform.toolkit())
    , desktop_(platform.desktop())
    , form_(toolkit_, bar::BarFormDesign(toolkit_.screen()), *this)
    , ownWindow_(toolkit_.formWindow(form_.id()))
    , OEMLOGO(form_, ids::OEMLOGO, bar::DesignOf(ids::OEMLOGO))
    , Picture2(form_, ids::Picture2, bar::DesignOf(ids::Picture2))
    , MMX(form_, ids::MMX, bar::DesignOf(ids::MMX))
    , RBUT(form_, ids::RBUT, bar::DesignOf(ids::RBUT))
    , WMPLAY(form_, ids::WMPLAY, bar::DesignOf(ids::WMPLAY))
    , SSETTS(form_, ids::SSETTS, bar::DesignOf(ids::SSETTS))
    , STX(form_, ids::STX, bar::DesignOf(ids::STX))
    , VRUN(form_, ids::VRUN, bar::DesignOf(ids::VRUN))
    , TSKMODE0(form_, ids::TSKMODE_0, bar::DesignOf(ids::TSKMODE_0))
    , TIM3(form_, ids::TIM3, bar::DesignOf(ids::TIM3))
    , MEMMODE(MakeArray(form_, ids::MEMMODE_0, 7))
    , TIM1(form_, ids::TIM1, bar::DesignOf(ids::TIM1))
    , Picture3(form_, ids::Picture3, bar::DesignOf(ids::Picture3))
    , Label1(form_, ids::Label1, bar::DesignOf(ids::Label1))
    , ONLED(MakeArray(form_, ids::ONLED_0, 2))
    , TIM2(form_, ids::TIM2, bar::DesignOf(ids::TIM2))
    , tasks_(desktop_, form_, ownWindow_)
    , MMY(form_, ids::MMY, 50, true)
    , MALLI(form_, ids::MALLI, bar::kDockingIntervalMs, true)
    , RTASKS(form_, ids::RTASKS, 2000, true)
    , MSETTS(bar::BuildMainMenu())
    , MF(bar::BuildTaskMenu())
    , T(bar::BuildTaskCounterMenu())
    , MMEMS(bar::BuildMemoryMenu())
{
}

void TOLVIX::Load()
{
    MODULSetApplicationBase::SetApplicationBase(platform_.system());
    AlignPosition = bar::kFreeFloating;
    DesktopWindow = desktop_.desktopWindow();
    MemoryLevel = 4;
    LoadShortcutWindow();
    ShowSplash();

    ui::Rect start = frame();
    start.height = bar::kStartHeight;
    setFrame(start);

    RefreshTaskButtons();
    desktop_.setWindowPos(
        ownWindow_, platform::kInsertTopmost, 0, 0, 0, 0, platform::kPosNoSize | platform::kPosNoMove);
    ApplyLogo();
    ApplyIcon();
    toolkit_.showForm(form_.id(), true);
}

void TOLVIX::LoadShortcutWindow()
{
    // The hidden shortcut window and its icons come with the program menu's shortcut support.
}

void TOLVIX::ShowSplash()
{
    // The about box, shown here for five seconds, comes with the system menu.
}

void TOLVIX::PopupSettings(int /*page*/)
{
    // The settings window comes with the settings store; until then the request has no target.
}

void TOLVIX::ApplyLogo()
{
    auto& files = platform_.files();
    const std::string& base = MODULSetApplicationBase::AppBasePath();
    const std::string bmp = base + ".BMP";
    if (!files.exists(bmp))
        return;
    const auto picture = OEMLOGO.loadPicture(bmp);
    if (!picture)
        return;
    // The strip takes the picture's width; its height follows the bar in the layout.
    OEMLOGO.setWidth(picture->width);
    OEMLOGO.setVisible(true);
    tasks_.setButtonsLeft(OEMLOGO.rect().width * 4 / 3);
    // Lay out again so the shifted buttons still end inside the bar.
    Layout();

    const auto nfo = files.readBytes(base + ".NFO", kMaxSideFileBytes);
    if (!nfo)
        return;
    const auto lines = platform::SplitLines(*nfo, 2);
    if (lines.empty())
        return;
    const auto colour = bar::ParseLogoColour(lines[0]);
    if (!colour)
        return;
    OEMLOGO.setColours(*colour, OEMLOGO.state().fore);
    if (lines.size() < 2)
        return;
    OEMLOGO.setToolTip(lines[1]);
}

bool TOLVIX::ApplyIcon()
{
    const std::string ico = MODULSetApplicationBase::AppBasePath() + ".ICO";
    if (!platform_.files().exists(ico))
        return false;
    return toolkit_.setFormIcon(form_.id(), ico);
}

void TOLVIX::RefreshTaskButtons()
{
    tasks_.RefreshTaskButtons(DesktopWindow);
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

void TOLVIX::onResize()
{
    if (toolkit_.formState(form_.id()) != ui::WindowState::Normal)
        return;
    Layout();
}

void TOLVIX::Layout()
{
    ui::Rect r = frame();
    if (auto height = bar::EnforcedHeight(r.height, toolkit_.screen())) {
        r.height = *height;
        setFrame(r); // raises another resize, which lays out the taller bar
        r = frame();
    }
    const float width = bar::TaskButtonWidth(r.width, OEMLOGO.rect().width, tasks_.buttonsLeft());
    OEMLOGO.setHeight(r.height);
    tasks_.setButtonsWidth(width);
}

void TOLVIX::SetAlign(float position)
{
    if (!bar::IsValidAlignPosition(position))
        return;
    const ui::ScreenMetrics screen = toolkit_.screen();
    if (position == bar::kFreeFloating) {
        ui::Rect r = frame();
        r.left = bar::kFloatingStartPixels * screen.twipsPerPixelX;
        r.top = bar::kFloatingStartPixels * screen.twipsPerPixelY;
        setFrame(r);
    }
    MALLI.setEnabled(position != bar::kFreeFloating);
    AlignPosition = position;

    // Full height only makes sense at the left and right edges.
    ui::MenuItem* fullHeight = bar::FindMenuItem(MSETTS, menu::MFULLHEIGHT);
    const bool available = position == 3 || position == 5;
    fullHeight->enabled = available;
    if (!available && fullHeight->checked) {
        fullHeight->checked = false;
        ui::Rect r = frame();
        r.height = std::floor(screen.heightTwips() / 2);
        setFrame(r);
    }
}

bool TOLVIX::fullHeightSelected() const
{
    return bar::FindMenuItem(MSETTS, menu::MFULLHEIGHT)->checked;
}

void TOLVIX::SetFullHeight(bool selected)
{
    ui::MenuItem* fullHeight = bar::FindMenuItem(MSETTS, menu::MFULLHEIGHT);
    if (!fullHeight->enabled)
        return;
    fullHeight->checked = selected;
    const float sh = toolkit_.screen().heightTwips();
    ui::Rect r = frame();
    r.height = selected ? sh : std::floor(sh / 2);
    r.top = selected ? 0 : std::floor((sh - r.height) / 2);
    setFrame(r);
}

void TOLVIX::DockingStep()
{
    if (AlignPosition == bar::kFreeFloating) {
        MALLI.setEnabled(false);
        return;
    }
    if (toolkit_.formState(form_.id()) != ui::WindowState::Normal)
        return;
    const ui::ScreenMetrics screen = toolkit_.screen();
    const platform::PixelPoint mouse = desktop_.cursorPos();
    const ui::Rect r = frame();
    if (bar::MouseOverBar(mouse, r, screen))
        setFrame(bar::BroughtOnScreen(r, screen));
    else
        setFrame(bar::Tucked(static_cast<int>(AlignPosition), r, screen));
}

void TOLVIX::GlowStep()
{
    GlowPhase += 2;
    if (GlowPhase == 16)
        GlowPhase = -16;
    const float a = (std::fabs(GlowPhase) + 16) / 32;
    const ui::Colour green = static_cast<ui::Colour>(std::floor(a * 128));
    const ui::Colour blue = static_cast<ui::Colour>(std::floor(a * 255));
    MMX.setColours(blue * 65536 + green * 256, MMX.state().fore);
}

void TOLVIX::onTimer(ui::TimerId id)
{
    switch (id) {
    case ids::RTASKS:
        RefreshTaskButtons();
        break;
    case ids::MALLI:
        DockingStep();
        break;
    case ids::MMY:
        GlowStep();
        break;
    default:
        break;
    }
}

void TOLVIX::onMouseUp(ui::ControlId id, ui::MouseButton button, int, float, float)
{
    const std::size_t index = tasks_.index(id);
    if (index == static_cast<std::size_t>(-1))
        return;
    const auto outcome = tasks_.Click(index, button);
    if (outcome == tasks::TaskButtons::ClickOutcome::Ignored)
        return;
    if (outcome == tasks::TaskButtons::ClickOutcome::MenuWanted)
        Popup(menu::MF, menu::MFF_0);
    toolkit_.processPendingMessages();
    RefreshTaskButtons();
}

void TOLVIX::onClick(ui::ControlId id)
{
    if (id == ids::SSETTS) {
        Popup(menu::MSETTS, menu::MSTCONTROLPANEL);
    } else if (id == ids::STX) {
        Popup(menu::MX, 0);
        bar::FindMenuItem(MSETTS, menu::MX)->visible = true;
    }
}

void TOLVIX::onDoubleClick(ui::ControlId id)
{
    if (id == 0)
        PopupSettings(-1);
}

bool TOLVIX::onCloseRequest(ui::CloseReason reason)
{
    bar::FindMenuItem(MSETTS, menu::MSHUT)->visible = true;
    if (reason != ui::CloseReason::ControlMenu)
        return true;
    Popup(menu::MSHUT, menu::MST_0 + 2);
    return false;
}

void TOLVIX::onClosed()
{
    // The program ends with its bar, whatever hidden windows of its own are still loaded.
    toolkit_.quit();
}

void TOLVIX::Popup(ui::MenuId menuId, ui::MenuId defaultItem)
{
    const ui::MenuItem* source = nullptr;
    for (ui::MenuItem* root : {&MSETTS, &MF, &T, &MMEMS}) {
        if ((source = bar::FindMenuItem(*root, menuId)))
            break;
    }
    if (!source)
        return;
    const ui::MenuId choice = toolkit_.popupMenu(form_.id(), *source, defaultItem);
    if (choice != 0)
        RunMenuCommand(choice);
}

void TOLVIX::RunMenuCommand(ui::MenuId id)
{
    switch (id) {
    case menu::MQ:
        toolkit_.quit();
        break;
    case menu::MFULLHEIGHT:
        SetFullHeight(!fullHeightSelected());
        break;
    default:
        // The other entries' actions arrive with the task actions, the system menu, the program
        // menu and the indicators.
        break;
    }
}
