#include "bar/BarControls.h"

#include "bar/BarGeometry.h"
#include "bar/BarIds.h"

namespace bar {

namespace {

namespace ids = bar_ids;

ui::ControlSpec Make(ui::ControlKind kind, ui::ControlId parent, ui::Rect rect, const char* caption,
    const char* toolTip, bool visible = true)
{
    ui::ControlSpec props;
    props.kind = kind;
    props.parent = parent;
    props.rect = rect;
    props.caption = caption;
    props.toolTip = toolTip;
    props.visible = visible;
    return props;
}

ui::ControlSpec PanelLabel(ui::Rect rect, const char* caption, const char* toolTip, bool visible = true)
{
    ui::ControlSpec props = Make(ui::ControlKind::Label, ids::Picture2, rect, caption, toolTip, visible);
    props.align = ui::TextAlign::Centre;
    return props;
}

ui::ControlSpec PanelPicture(ui::Rect rect, ui::Artwork artwork, const char* toolTip, bool visible = true)
{
    ui::ControlSpec props = Make(ui::ControlKind::Picture, ids::Picture2, rect, "", toolTip, visible);
    props.artwork = artwork;
    return props;
}

} // namespace

ui::ControlSpec ControlSpecOf(ui::ControlId id)
{
    using K = ui::ControlKind;
    using A = ui::Artwork;
    if (id >= ids::MEMMODE_0 && id <= ids::MEMMODE_0 + 6) {
        const int level = id - ids::MEMMODE_0;
        return PanelPicture({780, 660, 240, 240}, static_cast<A>(static_cast<int>(A::Gauge0) + level),
            "free physical memory", level == 4);
    }
    switch (id) {
    case ids::OEMLOGO: {
        ui::ControlSpec props = Make(K::Picture, 0, {0, 0, 375, 1200}, "", "Tolvane shell bar", false);
        props.back = ui::kSysActiveCaption;
        return props;
    }
    case ids::Picture2: // the layout keeps it on the bottom edge
        return Make(K::Panel, 0, {0, 990, 3030, 900}, "", "");
    case ids::MMX:
        return PanelPicture({0, 0, 3015, 30}, A::GlowStrip, "");
    case ids::RBUT: {
        ui::ControlSpec props = PanelLabel({120, 60, 375, 255}, "...", "Browse applications");
        props.border = true;
        props.pressable = true;
        return props;
    }
    case ids::WMPLAY:
        return PanelPicture({600, 90, 855, 180}, A::WinampButtons, "WinAMP controls", false);
    case ids::SSETTS: {
        ui::ControlSpec props = PanelLabel({1560, 60, 1095, 255}, "Tolvane", "Show settings menu");
        props.font.bold = true;
        props.pressable = true;
        return props;
    }
    case ids::STX: {
        ui::ControlSpec props = PanelLabel({2640, 60, 255, 255}, ">", "Show programs");
        props.pressable = true;
        return props;
    }
    case ids::VRUN: {
        ui::ControlSpec props =
            Make(K::TextBox, ids::Picture2, {120, 360, 2775, 285}, "", "Enter a programme to start...");
        props.back = ui::kSysWindow;
        props.fore = ui::kSysWindowText;
        props.border = true;
        return props;
    }
    case ids::TSKMODE_0:
        return PanelPicture({120, 660, 240, 240}, A::TaskIcon, "tasks running");
    case ids::TIM3:
        return PanelLabel({390, 675, 285, 195}, "888", "tasks running");
    case ids::TIM1: {
        ui::ControlSpec props = PanelLabel({1080, 675, 465, 195}, "8888", "free physical memory");
        props.spokenUnit = "MB free";
        return props;
    }
    case ids::Picture3:
        return PanelPicture({1560, 660, 180, 180}, A::LampOff, "", false);
    case ids::Label1:
        return PanelLabel({1800, 675, 495, 195}, "8888", "date and time", false);
    case ids::ONLED_0:
        return PanelPicture({2280, 690, 180, 180}, A::LampOff, "Connected", false);
    case ids::TIM2: {
        // Against its right edge, clear of the lamp at its left; the lamp lit inside it lies under
        // the text.
        ui::ControlSpec props = PanelLabel({2400, 675, 495, 195}, "", "date and time");
        props.align = ui::TextAlign::Right;
        return props;
    }
    case ids::ONLED_0 + 1:
        return PanelPicture({2520, 720, 180, 180}, A::LampOn, "Connected");
    default:
        return {};
    }
}

ui::FormSpec BarFormSpec(const ui::ScreenMetrics& screen)
{
    ui::FormSpec props;
    props.caption = kBarCaption;
    props.toolWindow = true;
    props.sizable = true;
    props.rect = {kFloatingStartPixels * screen.twipsPerPixelX, kFloatingStartPixels * screen.twipsPerPixelY, 0, 0};
    props.client = {kClientWidth, kClientHeight};
    return props;
}

} // namespace bar
