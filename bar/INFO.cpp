#include "bar/INFO.h"

#include "bar/ControlIds.h"

namespace {

namespace ids = bar_ids::about;

constexpr float kClientWidth = 5910;
constexpr float kClientHeight = 2190;

ui::FormSpec FormSpecOf(const ui::ScreenMetrics& screen, platform::WindowHandle owner)
{
    ui::FormSpec props;
    props.titleBar = false;
    props.sizable = false;
    props.client = {kClientWidth, kClientHeight};
    props.rect.left = (screen.widthTwips() - kClientWidth) / 2;
    props.rect.top = (screen.heightTwips() - kClientHeight) / 2;
    props.owner = owner;
    props.back = 0xFFFFFF;
    return props;
}

ui::ControlSpec PictureSpec(ui::Rect rect, ui::Artwork artwork)
{
    ui::ControlSpec props;
    props.kind = ui::ControlKind::Picture;
    props.rect = rect;
    props.back = 0xFFFFFF;
    props.artwork = artwork;
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
    , Backdrop(form_, ids::Backdrop, PictureSpec({0, 0, kClientWidth, kClientHeight}, ui::Artwork::AboutBackdrop))
    , Picture1(form_, ids::Picture1, PictureSpec({240, 240, 480, 480}, ui::Artwork::AboutIcon))
    , OKK(form_, ids::OKK, CloseButtonSpec())
    , TMX(form_, ids::TMX, 0, false, [this] {
        ui::WindowLifetime::Scope scope(lifetime_);
        Unload();
    })
{
    OKK.onClick([this] {
        ui::WindowLifetime::Scope scope(lifetime_);
        if (OKK.enabled())
            Unload();
    });
    // Closed by the platform (Alt+F4, log off): the window is already gone.
    form_.onClosed = [this] {
        ui::WindowLifetime::Scope scope(lifetime_);
        Unload();
    };
}

void INFO::ShowSplash() { Show(true); }

void INFO::ShowForReading() { Show(false); }

void INFO::Show(bool splash)
{
    if (lifetime_.unloaded())
        return;
    OKK.setEnabled(!splash);
    // A zero interval never fires: the box stays.
    TMX.setInterval(splash ? kSplashMs : 0);
    TMX.setEnabled(splash);
    toolkit_.bringToFront(form_.id());
}

void INFO::Unload()
{
    if (!lifetime_.markUnloaded())
        return;
    toolkit_.destroyForm(form_.id());
}
