#include "bar/INFO.h"

#include "bar/BarIds.h"

namespace bar {

namespace {

namespace ids = bar_ids::about;

constexpr float kClientWidth = 5910;
constexpr float kClientHeight = 2190;

ui::FormSpec FormSpecOf(const ui::ScreenMetrics& screen, platform::WindowHandle owner)
{
    ui::FormSpec props = ui::CentredFormSpec(screen, {kClientWidth, kClientHeight}, owner);
    props.titleBar = false;
    props.sizable = false;
    props.back = 0xFFFFFF;
    props.dialogKeys = true;
    props.defaultButton = ids::OKK;
    props.cancelButton = ids::OKK;
    return props;
}

ui::ControlSpec PictureSpec(ui::Rect rect)
{
    ui::ControlSpec props;
    props.kind = ui::ControlKind::Picture;
    props.rect = rect;
    props.back = 0xFFFFFF;
    return props;
}

ui::ControlSpec CloseButtonSpec()
{
    ui::ControlSpec props;
    props.kind = ui::ControlKind::Button;
    props.rect = {4440, 1680, 1335, 375};
    props.caption = "Close";
    return props;
}

} // namespace

INFO::INFO(ui::Toolkit& toolkit, platform::WindowHandle ownerWindow, std::function<void()> onReleasable)
    : lifetime_(std::move(onReleasable))
    , toolkit_(toolkit)
    , form_(toolkit, FormSpecOf(toolkit.screen(), ownerWindow))
    , Backdrop(form_, ids::Backdrop, PictureSpec({0, 0, kClientWidth, kClientHeight}))
    , Picture1(form_, ids::Picture1, PictureSpec({240, 240, 480, 480}))
    , OKK(form_, ids::OKK, CloseButtonSpec())
    , TMX(form_, ids::TMX, 0, false, [this] {
        ui::WindowLifetime::Scope scope(lifetime_);
        Unload();
    })
{
    // Without its pictures the box is plain white, which is no reason not to show it.
    Backdrop.loadResourcePicture("ABOUT");
    Picture1.loadResourcePicture("ABOUTICON");
    OKK.onClick([this] {
        ui::WindowLifetime::Scope scope(lifetime_);
        if (OKK.enabled())
            Unload();
    });
    ui::UnloadWhenClosed(form_, lifetime_, [this] { Unload(); });
}

void INFO::ShowSplash()
{
    Show(true);
}

void INFO::ShowForReading()
{
    Show(false);
}

void INFO::Show(bool splash)
{
    if (lifetime_.unloaded())
        return;
    OKK.setEnabled(!splash);
    // A zero interval never fires: the box stays.
    TMX.setInterval(splash ? kSplashMs : 0);
    TMX.setEnabled(splash);
    // The splash leaves the focus where it is: it comes and goes by itself, and a window that
    // was active when it goes hands the activation on (under Wine, at the cost of a stalled
    // second).
    if (splash)
        toolkit_.showFormInactive(form_.id());
    else
        toolkit_.bringToFront(form_.id());
}

void INFO::Unload()
{
    lifetime_.Unload(toolkit_, form_.id());
}

} // namespace bar
