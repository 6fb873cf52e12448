#pragma once
// The about box: a window without caption, its background a picture, with an icon and a "Close"
// button. As a splash at start it closes itself after five seconds and cannot be closed earlier;
// opened for reading it stays until "Close". Closing unloads it; the next opening makes it anew.
#include "platform/SecondaryWindow.h"
#include "platform/Widgets.h"

#include <functional>

namespace bar {

class INFO final {
public:
    static constexpr int kSplashMs = 5000;

    // Created hidden, owned by ownerWindow and centred on the screen.
    INFO(ui::Toolkit& toolkit, platform::WindowHandle ownerWindow, std::function<void()> onReleasable);
    INFO(const INFO&) = delete;
    INFO& operator=(const INFO&) = delete;

    void ShowSplash();
    // Also turns a splash still shown into a box that stays.
    void ShowForReading();

    const ui::WindowLifetime& lifetime() const { return lifetime_; }
    ui::FormId formId() const { return form_.id(); }
    bool closeEnabled() const { return OKK.enabled(); }

private:
    void Show(bool splash);
    void Unload();

    ui::WindowLifetime lifetime_;
    ui::Toolkit& toolkit_;
    ui::Form form_;
    ui::Control Backdrop; // picture: the background
    ui::Control Picture1; // picture: the icon on white
    ui::Control OKK;      // button: "Close"
    ui::Timer TMX;        // closes the box
};

} // namespace bar
